#include "catalog/CatalogLoader.h"

#include <cstdio>
#include <string>

#include "api/Endpoints.h"
#include "api/JsonAnswer.h"
#include "catalog/JsonFields.h"
#include "context/Messages.h"
#include "context/PostToMainWindow.h"
#include "context/WorkerJob.h"

using JsonFields::ReadArray;
using JsonFields::ReadInt;
using JsonFields::ReadText;

namespace {

bool ReadFile(const Json::Value& object, DownloadRecord& file) {
    return ReadText(object, "name", file.name) && ReadText(object, "sizeStr", file.sizeStr) &&
           ReadInt(object, "size", file.size) && ReadText(object, "extension", file.extension) &&
           ReadText(object, "url", file.url);
}

bool ReadPackage(const Json::Value& object, GamePackage& package) {
    const Json::Value* files = nullptr;
    if (!(ReadInt(object, "id", package.id) && ReadInt(object, "version", package.version) &&
          ReadText(object, "name", package.name) && ReadText(object, "rate", package.rate) &&
          ReadText(object, "developer", package.developer) &&
          ReadText(object, "size", package.size) && ReadText(object, "tag", package.tag) &&
          ReadText(object, "issueDate", package.issueDate) &&
          ReadText(object, "supportLanguages", package.supportLanguages) &&
          ReadText(object, "gameDetailPage", package.gameDetailPage) &&
          ReadText(object, "gameCoverPage", package.gameCoverPage) &&
          ReadText(object, "label", package.label) && ReadInt(object, "type", package.type) &&
          ReadArray(object, "packages", files))) {
        return false;
    }
    for (const Json::Value& element : *files) {
        DownloadRecord file;
        if (ReadFile(element, file)) {
            package.files.push_back(std::move(file));
        }
    }
    return true;
}

}  // namespace

void FillCatalog(const char* answer, size_t length, GameCatalog& catalog) {
    Json::Value root;
    const Json::Value* packages = nullptr;
    if (!ParseJsonAnswer(answer, length, root) || !ReadArray(root, "gameInfos", packages)) {
        return;
    }
    for (const Json::Value& element : *packages) {
        GamePackage package;
        if (ReadPackage(element, package)) {
            catalog.push_back(std::move(package));
        }
    }
}

bool FetchCatalog(const ApiClient& client, int32_t softId, GameCatalog& catalog) {
    char path[128];
    std::snprintf(path, sizeof path, kCatalogPath, kCatalogVersionId, softId);
    std::string answer;
    if (!CallForText(client, path, answer)) {
        return false;
    }
    FillCatalog(answer.data(), answer.size(), catalog);
    return true;
}

int LoadCatalog(void* job) {
    const WorkerJob& work = *static_cast<const WorkerJob*>(job);
    const AppContext& context = *work.context;
    // A failed call is the one failure the player is told of: without the catalogue the
    // library is empty, and only the player can say when to try again.
    const bool answered =
        FetchCatalog(ApiClient(context), context.softId, *static_cast<GameCatalog*>(work.target));
    PostToMainWindow(answered ? MSG_CATALOG_LOADED : MSG_CATALOG_FAILED, answered ? 1 : 0, 0,
                     context);
    return 0;
}

GameCatalog& ProcessCatalog() {
    static GameCatalog catalog;
    return catalog;
}
