// kavrin-layer-check ROOT RULES
//
// Reads every #include of the source tree at ROOT and prints, as "file:line: ...", each one that
// the layer rules forbid. Exits 1 when there is one, 2 when the rules cannot be read.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/layer-check/TreeCheck.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kavrin-layer-check ROOT RULES\n");
        return 2;
    }
    std::ifstream in(argv[2]);
    std::ostringstream text;
    text << in.rdbuf();
    layers::LayerRules rules;
    std::string error;
    if (!in || !rules.Parse(text.str(), error)) {
        std::fprintf(stderr, "kavrin-layer-check: %s: %s\n", argv[2],
                     in ? error.c_str() : "cannot be read");
        return 2;
    }
    const std::vector<layers::Violation> violations = layers::CheckTree(argv[1], rules);
    for (const layers::Violation& v : violations) {
        std::printf("%s:%d: #include %s: %s\n", v.file.c_str(), v.line, v.header.c_str(),
                    v.reason.c_str());
    }
    std::printf("%zu include(s) against the layer rules\n", violations.size());
    return violations.empty() ? 0 : 1;
}
