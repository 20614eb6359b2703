#pragma once

#include <cstddef>

#include "api/ApiClient.h"
#include "catalog/GameCatalog.h"

// Start-up worker: fetches the catalogue into the GameCatalog its WorkerJob's target points to
// and then tells the main window with MSG_CATALOG_LOADED, or with MSG_CATALOG_FAILED when the
// server call failed (the catalogue is then left untouched, so the call can be made again).
int LoadCatalog(void* job);

// The fetch and fill without the post; false when the server call failed.
bool FetchCatalog(const ApiClient& client, int32_t softId, GameCatalog& catalog);

// Appends the packages of an answer. What cannot be read is skipped: an answer that is not a
// JSON object or whose "gameInfos" is not an array adds nothing, and a package (or file) with a
// missing or mistyped member is left out while the others are kept.
void FillCatalog(const char* answer, size_t length, GameCatalog& catalog);
