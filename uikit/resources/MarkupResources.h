#pragma once

#include <string>
#include <string_view>

namespace uikit {

class CMarkupNodeUI;
class ResourceTablesUI;

// Registers the resources a markup file declares among its root's direct children: `Image`
// (loaded at once), `Font`, `Default` and `MultiLanguage`. Tag and attribute names are compared
// without regard to case; "true" values must be exact. Everything else is left to the builder.
void RegisterMarkupResources(CMarkupNodeUI root, ResourceTablesUI& tables);

// The process-wide texts of `MultiLanguage` elements; empty for unknown ids.
std::u16string_view MultiLanguageText(int id);
void AddMultiLanguageText(int id, std::u16string_view text);

}  // namespace uikit
