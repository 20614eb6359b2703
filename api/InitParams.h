#pragma once

#include "api/ApiClient.h"

// Start-up parameters query, run once on its own worker thread (job: a WorkerJob). Posts
// MSG_INIT_PARAMS_LOADED to the main window after a "SUCCESS" answer; anything else ends the thread
// without a post.
int LoadInitParams(void* job);

// The query and the decision to post, without the post: true when the main window is to be told.
bool QueryInitParams(const ApiClient& client, int32_t softId);
