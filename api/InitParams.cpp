#include "api/InitParams.h"

#include <cstdio>
#include <string>

#include "api/Endpoints.h"
#include "api/JsonAnswer.h"
#include "context/Messages.h"
#include "context/PostToMainWindow.h"
#include "context/WorkerJob.h"

bool QueryInitParams(const ApiClient& client, int32_t softId) {
    char path[64];
    std::snprintf(path, sizeof path, kInitParamsPath, softId);
    std::string answer;
    Json::Value root;
    return CallForText(client, path, answer) &&
           ParseJsonAnswer(answer.data(), answer.size(), root) && IsSuccessAnswer(root);
}

int LoadInitParams(void* job) {
    const AppContext& context = *static_cast<const WorkerJob*>(job)->context;
    if (QueryInitParams(ApiClient(context), context.softId)) {
        PostToMainWindow(MSG_INIT_PARAMS_LOADED, 0, 0, context);
    }
    return 0;
}
