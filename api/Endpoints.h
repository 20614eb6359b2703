#pragma once

// Query templates of the server calls. The "/client/" paths begin with "/", the "common/" paths
// do not, and the key spellings differ ("softid", "softId"): the server expects them this way.
constexpr const char* kInitParamsPath = "/client/getinitparams?softid=%d";
constexpr const char* kQueryVersionPath = "/client/queryversion?softid=%d&version=%d&type=1";
constexpr const char* kCatalogPath = "common/gameInfoData?versionId=%d&softId=%d";
constexpr const char* kOrdersPath = "common/orderInfoData?uuid=%s&softId=%d";

// The catalogue is always asked for in this version of its format.
constexpr int kCatalogVersionId = 101;
