// kavrin-probe: runs the client's start-up as far as it exists without a window (settings,
// client id, the HTTP library and the four start-up server calls) and prints what came back.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "api/ApiClient.h"
#include "api/Endpoints.h"
#include "api/InitParams.h"
#include "api/JsonAnswer.h"
#include "catalog/CatalogLoader.h"
#include "catalog/OrdersLoader.h"
#include "common/TextConvert.h"
#include "context/Settings.h"

namespace {

void Show(const ApiClient& client, const char* title, const std::string& path) {
    std::string answer;
    if (!CallForText(client, path.c_str(), answer)) {
        std::printf("== %s: call failed (%s)\n", title, path.c_str());
        return;
    }
    Json::Value root;
    const bool parsed = ParseJsonAnswer(answer.data(), answer.size(), root);
    std::printf("== %s: %zu bytes, %s, status %s\n%s\n\n", title, answer.size(),
                parsed ? "valid JSON" : "not JSON",
                std::string(StringMember(root, "status")).c_str(), answer.c_str());
}

void ShowCatalog(const ApiClient& client, int32_t softId) {
    GameCatalog catalog;
    if (!FetchCatalog(client, softId, catalog)) {
        std::printf("== catalogue: call failed\n");
        return;
    }
    std::printf("== catalogue: %zu packages\n", catalog.size());
    for (const GamePackage& p : catalog) {
        std::printf("  %s type %d  %-34s %zu files, tags %s\n", p.InLibrary() ? "[tile]" : "      ",
                    p.type, Utf16ToAnsi(p.name).c_str(), p.files.size(),
                    Utf16ToAnsi(p.tag).c_str());
    }
    std::printf("\n");
}

void ShowOrders(const ApiClient& client, const AppContext& context) {
    OrdersList orders;
    if (!FetchOrders(client, context.clientId, context.softId, orders)) {
        std::printf("== orders: call failed\n");
        return;
    }
    std::printf("== orders: %zu\n", orders.size());
    for (const OrderRecord& o : orders) {
        std::printf("  %s  %s  %s\n", Utf16ToAnsi(o.orderId).c_str(),
                    Utf16ToAnsi(o.orderName).c_str(), Utf16ToAnsi(o.chargeTime2S).c_str());
    }
}

std::string Format(const char* pattern, auto... values) {
    char buffer[1024];
    std::snprintf(buffer, sizeof buffer, pattern, values...);
    return buffer;
}

}  // namespace

int main(int argc, char** argv) {
    AppContext& context = ProcessContext();
    if (!context.pathsFit) {
        std::fprintf(stderr, "kavrin-probe: the program folder path is too long\n");
        return 1;
    }
    ReadSettings(context);
    context.baseUrl = argc > 1 ? argv[1] : KAVRIN_BASE_URL;
    if (!InitHttpLibrary()) {
        std::fprintf(stderr, "初始化网络失败\n");
        return 1;
    }
    std::printf("settings %s: softId %d, version %d, client id %s\nserver %s\n\n",
                Utf16ToAnsi(context.settingsPath).c_str(), context.softId, context.version,
                context.clientId.c_str(), context.baseUrl.c_str());

    const ApiClient client(context);
    std::printf("== start-up parameters: %s\n\n", QueryInitParams(client, context.softId)
                                                      ? "SUCCESS, the main window would be told"
                                                      : "no success, nothing posted");
    Show(client, "version", Format(kQueryVersionPath, context.softId, context.version));
    ShowCatalog(client, context.softId);
    ShowOrders(client, context);
    return 0;
}
