#pragma once

#include <string_view>

#include "engine/DlEngine.h"

namespace DownEngine {

// Fills the request block for one file: the URL, the file name and the folder it is saved in,
// and the two fields the engine expects set. A text that does not fit its field is left
// empty rather than cut, so the engine refuses the request instead of saving a wrong file.
void BuildTaskRequest(EngineTaskRequest& request, std::u16string_view url,
                      std::u16string_view fileName, std::u16string_view folder);

}  // namespace DownEngine
