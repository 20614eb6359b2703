#pragma once

#include <string>
#include <vector>

// Catalogue answers for the server's data folder, written the way the demo catalogue is.
struct GameJson {
    int id = 0;
    int type = 0;
    std::string label;
    std::string name;
    std::string tag;
    std::string cover = "cs.jpg";
    std::string gif = "cs.gif";
};

inline std::string CatalogJson(const std::vector<GameJson>& games) {
    std::string out = R"({"status":"SUCCESS","gameInfos":[)";
    for (size_t i = 0; i < games.size(); ++i) {
        const GameJson& g = games[i];
        out += (i > 0 ? "," : "");
        out += R"({"id":)" + std::to_string(g.id) + R"(,"version":1,"name":")" + g.name +
               R"(","rate":"9.1","tag":")" + g.tag +
               R"(","issueDate":"2003-07-01","developer":"Studio","supportLanguages":"简体中文",)"
               R"("size":"1.2GB","gameDetailPage":")" +
               g.gif + R"(","gameCoverPage":")" + g.cover + R"(","label":")" + g.label +
               R"(","type":)" + std::to_string(g.type) + R"(,"packages":[]})";
    }
    return out + "]}";
}
