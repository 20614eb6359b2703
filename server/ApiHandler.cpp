#include "server/ApiHandler.h"

#include "server/VersionDigests.h"

namespace {

bool IsApiPath(std::string_view path) {
    return path == "/client/getinitparams" || path == "/client/queryversion" ||
           path == "/common/gameInfoData" || path == "/common/orderInfoData";
}

ApiReply Plain(std::string body, int status = 200) {
    ApiReply reply;
    reply.status = status;
    reply.body = std::move(body);
    return reply;
}

OpenedRequest ReadRequest(const RsaPrivateKey& key, std::string_view rawQuery) {
    OpenedRequest request;
    const auto envelope = RequestTarget::Find(RequestTarget::ParseQuery(rawQuery), "v_");
    if (!envelope) {
        request.error = "missing request envelope";
        return request;
    }
    if (!ServerEnvelope::OpenRequest(key, *envelope, request.queryText, request.error)) {
        return request;
    }
    request.opened = true;
    request.query = RequestTarget::ParseQuery(request.queryText);
    request.nonce = RequestTarget::Find(request.query, "nonce").value_or("");
    return request;
}

}  // namespace

std::optional<std::string> ApiHandler::AnswerFileFor(std::string_view path,
                                                     const RequestTarget::Params& query) const {
    if (path == "/client/getinitparams") {
        return "initparams.json";
    }
    if (path == "/client/queryversion") {
        return "version.json";
    }
    if (path == "/common/gameInfoData") {
        return "catalog.json";
    }
    if (path == "/common/orderInfoData") {
        return store_.OrdersFileFor(RequestTarget::Find(query, "uuid").value_or(""));
    }
    return std::nullopt;
}

std::optional<ApiReply> ApiHandler::Handle(std::string_view path, std::string_view rawQuery) const {
    if (!IsApiPath(path)) {
        return std::nullopt;
    }
    const OpenedRequest request = ReadRequest(key_, rawQuery);
    ApiReply reply = IsEnvelopeFault(settings_.fault) || settings_.fault == FaultMode::None
                         ? Answer(path, request)
                         : TransportFault(path, request);
    reply.query = request.queryText;
    return reply;
}

ApiReply ApiHandler::Answer(std::string_view path, const OpenedRequest& request) const {
    if (!request.opened) {
        return Plain(FailedAnswer(request.error));
    }
    if (request.nonce.empty()) {
        return Plain(FailedAnswer("request carries no nonce"));
    }
    const auto json = store_.LoadAnswer(*AnswerFileFor(path, request.query));
    if (!json) {
        return Plain(FailedAnswer("no answer file"));
    }
    if (path == "/client/queryversion") {
        return Sealed(WithServedFileDigests(*json, store_), request.nonce);
    }
    return Sealed(*json, request.nonce);
}

// The faults of the HTTP exchange apply whatever the request holds. The 404 and the redirect
// carry the sound answer when there is one: then only the status code can make the client
// refuse them.
ApiReply ApiHandler::TransportFault(std::string_view path, const OpenedRequest& request) const {
    ApiReply reply;
    switch (settings_.fault) {
        case FaultMode::NotFound:
            reply = Answer(path, request);
            reply.status = 404;
            return reply;
        case FaultMode::Redirect:
            reply = Answer(path, request);
            reply.status = 302;
            reply.location = store_.BaseUrl() + "moved";
            return reply;
        case FaultMode::EmptyBody:
            return Plain("");
        case FaultMode::Stall:
            reply.drop = true;
            return reply;
        case FaultMode::FailedWithData:
            return FailedWithData(path, request);
        default:
            return Plain(FailedAnswer("fault"));
    }
}

// What an attacker without the keys can send: no envelope, the failure marker a client lets
// through unchecked, and after it the members of the sound answer, its "status" among them, so
// that a reader keeping the last of two equal keys sees a success.
ApiReply ApiHandler::FailedWithData(std::string_view path, const OpenedRequest& request) const {
    const auto json =
        request.opened ? store_.LoadAnswer(*AnswerFileFor(path, request.query)) : std::nullopt;
    const size_t open = json ? json->find('{') : std::string::npos;
    if (open == std::string::npos) {
        return Plain(FailedAnswer("no answer file"));
    }
    return Plain(R"({"status":"FAILED",)" + json->substr(open + 1));
}

ApiReply ApiHandler::Sealed(const std::string& json, const std::string& nonce) const {
    std::string body;
    const bool sealed =
        IsEnvelopeFault(settings_.fault)
            ? SealFaultyAnswer(settings_.fault, key_, json, nonce, settings_.form, body)
            : ServerEnvelope::SealAnswer(key_, json, nonce, settings_.form, body);
    return sealed ? Plain(std::move(body)) : Plain(FailedAnswer("answer cannot be sealed"));
}
