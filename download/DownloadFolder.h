#pragma once

#include <string>

#include "context/AppContext.h"

// The folder every download is saved into: the one the player chose, or else their Downloads
// folder. Nothing is created, tested or written back.
namespace DownEngine {

// The folder in force for a configured folder (empty when the player never chose one). A
// configured folder that does not fit the context's capacity is not used; the Downloads folder
// stands in for it.
std::u16string DownloadFolderInForce(const std::u16string& configured);

// Applies the rule to the context's download folder.
void SettleDownloadFolder(AppContext& context);

}  // namespace DownEngine
