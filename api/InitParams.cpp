#include "api/InitParams.h"

#include <cstdio>
#include <cstdlib>

#include "api/Endpoints.h"
#include "api/JsonAnswer.h"
#include "app/Messages.h"
#include "app/PostToMainWindow.h"

bool QueryInitParams(const ApiClient& client, int32_t softId) {
    char path[64];
    std::snprintf(path, sizeof path, kInitParamsPath, softId);
    char* answer = nullptr;
    size_t length = 0;
    if (!client.Call(path, &answer, &length)) {
        return false;
    }
    Json::Value root;
    const bool success = ParseJsonAnswer(answer, length, root) && IsSuccessAnswer(root);
    std::free(answer);
    return success;
}

int LoadInitParams(void*) {
    if (QueryInitParams(ApiClient(), ProcessContext().softId)) {
        PostToMainWindow(MSG_INIT_PARAMS_LOADED, 0, 0);
    }
    return 0;
}
