#include "tools/layer-check/TreeCheck.h"

#include <algorithm>
#include <fstream>
#include <sstream>

namespace layers {
namespace {

namespace fs = std::filesystem;

bool IsSource(const fs::path& path) {
    static const std::vector<std::string> kEndings = {".h", ".hpp", ".c", ".cc", ".cpp", ".S"};
    const std::string ending = path.extension().string();
    return std::find(kEndings.begin(), kEndings.end(), ending) != kEndings.end();
}

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string ReasonFor(const IncludeLine& include, std::string_view folder,
                      const LayerRules& rules) {
    if (include.system) {
        return rules.MayIncludeSystem(folder, include.header)
                   ? std::string()
                   : "an operating-system or toolkit header outside platform/";
    }
    if (!rules.KnowsFolder(TopFolder(include.header))) {
        return "names no folder of the project (write includes from the repository's root)";
    }
    return rules.MayInclude(folder, include.header)
               ? std::string()
               : std::string(folder) + "/ may not include " +
                     std::string(TopFolder(include.header)) + "/";
}

}  // namespace

void CheckText(const std::string& text, const std::string& file, const LayerRules& rules,
               std::vector<Violation>& violations) {
    const std::string_view folder = TopFolder(file);
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        const std::optional<IncludeLine> include = ParseInclude(line);
        if (!include) {
            continue;
        }
        std::string reason = ReasonFor(*include, folder, rules);
        if (!reason.empty()) {
            violations.push_back({file, number, include->header, std::move(reason)});
        }
    }
}

std::vector<Violation> CheckTree(const fs::path& root, const LayerRules& rules) {
    std::vector<fs::path> files;
    for (const fs::directory_entry& top : fs::directory_iterator(root)) {
        if (!top.is_directory() || !rules.KnowsFolder(top.path().filename().string())) {
            continue;
        }
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(top.path())) {
            if (entry.is_regular_file() && IsSource(entry.path())) {
                files.push_back(entry.path());
            }
        }
    }
    std::sort(files.begin(), files.end());
    std::vector<Violation> violations;
    for (const fs::path& path : files) {
        CheckText(ReadFile(path), fs::relative(path, root).generic_string(), rules, violations);
    }
    return violations;
}

}  // namespace layers
