#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "server/ApiReply.h"
#include "server/DataStore.h"
#include "server/FaultMode.h"
#include "server/RequestTarget.h"
#include "server/RsaPrivateKey.h"
#include "server/ServerEnvelope.h"

struct ApiSettings {
    ServerEnvelope::AnswerForm form;
    FaultMode fault = FaultMode::None;
};

// A request as far as it could be read.
struct OpenedRequest {
    bool opened = false;
    std::string error;      // why it could not be opened
    std::string queryText;  // the query as sent inside the envelope
    RequestTarget::Params query;
    std::string nonce;
};

// The four API paths: opens the request envelope, picks the answer file and seals the answer,
// or builds the configured fault instead. Independent of HTTP so it can be tested directly.
class ApiHandler {
  public:
    ApiHandler(const RsaPrivateKey& key, const DataStore& store, ApiSettings settings)
        : key_(key), store_(store), settings_(settings) {}

    // Nothing when path (slashes already collapsed) is not an API path. rawQuery is the query
    // part of the request target, escapes still in place.
    std::optional<ApiReply> Handle(std::string_view path, std::string_view rawQuery) const;

  private:
    // The answer file for an API path and its opened query; nothing for other paths.
    std::optional<std::string> AnswerFileFor(std::string_view path,
                                             const RequestTarget::Params& query) const;
    // The answer to a request that was opened, or a plain failure saying why not.
    ApiReply Answer(std::string_view path, const OpenedRequest& request) const;
    ApiReply TransportFault(std::string_view path, const OpenedRequest& request) const;
    ApiReply FailedWithData(std::string_view path, const OpenedRequest& request) const;
    ApiReply Sealed(const std::string& json, const std::string& nonce) const;

    const RsaPrivateKey& key_;
    const DataStore& store_;
    ApiSettings settings_;
};
