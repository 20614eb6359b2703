#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace layers {

// What each top-level folder may include, and which system headers only some folders may use.
// Read from a text file of lines "folder: entry entry ..." (see deps/layers.txt).
class LayerRules {
  public:
    // False, with the reason, when the text has a line that is not a rule.
    bool Parse(std::string_view text, std::string& error);

    bool KnowsFolder(std::string_view folder) const { return allowed_.count(std::string(folder)); }
    // A project include ("folder/...") of a file in `from`.
    bool MayInclude(std::string_view from, std::string_view header) const;
    // A system include (<...>) of a file in `from`.
    bool MayIncludeSystem(std::string_view from, std::string_view header) const;

  private:
    std::map<std::string, std::vector<std::string>, std::less<>> allowed_;
    std::vector<std::string> systemHeaders_;
    std::set<std::string, std::less<>> systemAllowed_;
};

// The first path component: the folder a file or an include belongs to.
std::string_view TopFolder(std::string_view path);

// The header named by an #include line, with its kind; nothing when the line is no include.
struct IncludeLine {
    std::string header;
    bool system = false;
};
std::optional<IncludeLine> ParseInclude(std::string_view line);

}  // namespace layers
