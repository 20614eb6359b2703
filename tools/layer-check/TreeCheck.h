#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "tools/layer-check/LayerRules.h"

namespace layers {

// One include that breaks the rules: where it stands and why it may not.
struct Violation {
    std::string file;  // relative to the tree's root
    int line = 0;
    std::string header;
    std::string reason;
};

// Every include of the source files under the folders the rules know.
std::vector<Violation> CheckTree(const std::filesystem::path& root, const LayerRules& rules);

// The includes of one file's text; `file` is its path from the tree's root.
void CheckText(const std::string& text, const std::string& file, const LayerRules& rules,
               std::vector<Violation>& violations);

}  // namespace layers
