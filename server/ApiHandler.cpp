#include "server/ApiHandler.h"

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

std::optional<ApiReply> ApiHandler::Handle(std::string_view path,
                                           std::string_view rawQuery) const {
    if (!IsApiPath(path)) {
        return std::nullopt;
    }
    const auto envelope = RequestTarget::Find(RequestTarget::ParseQuery(rawQuery), "v_");
    if (!envelope) {
        return Plain(FailedAnswer("missing request envelope"));
    }
    std::string queryText;
    std::string error;
    if (!ServerEnvelope::OpenRequest(key_, *envelope, queryText, error)) {
        return Plain(FailedAnswer(error));
    }
    const RequestTarget::Params query = RequestTarget::ParseQuery(queryText);
    const auto nonce = RequestTarget::Find(query, "nonce");
    ApiReply reply;
    const auto json = store_.LoadAnswer(*AnswerFileFor(path, query));
    if (!nonce || nonce->empty()) {
        reply = Plain(FailedAnswer("request carries no nonce"));
    } else if (!json) {
        reply = Plain(FailedAnswer("no answer file"));
    } else if (auto fault = TransportFault(*json, *nonce)) {
        reply = std::move(*fault);
    } else {
        reply = Sealed(*json, *nonce);
    }
    reply.query = std::move(queryText);
    return reply;
}

// The faults that concern the HTTP exchange rather than the envelope. The 404 and the redirect
// carry a sound envelope on purpose: only the status code can make the client refuse them.
std::optional<ApiReply> ApiHandler::TransportFault(const std::string& json,
                                                   const std::string& nonce) const {
    ApiReply reply;
    switch (settings_.fault) {
        case FaultMode::FailedPlain:
            return Plain(FailedAnswer("fault"));
        case FaultMode::NotFound:
            reply = Sealed(json, nonce);
            reply.status = 404;
            return reply;
        case FaultMode::Redirect:
            reply = Sealed(json, nonce);
            reply.status = 302;
            reply.location = store_.BaseUrl() + "moved";
            return reply;
        case FaultMode::EmptyBody:
            return Plain("");
        case FaultMode::Stall:
            reply.drop = true;
            return reply;
        default:
            return std::nullopt;
    }
}

ApiReply ApiHandler::Sealed(const std::string& json, const std::string& nonce) const {
    std::string body;
    const bool sealed =
        IsEnvelopeFault(settings_.fault)
            ? SealFaultyAnswer(settings_.fault, key_, json, nonce, settings_.form, body)
            : ServerEnvelope::SealAnswer(key_, json, nonce, settings_.form, body);
    return sealed ? Plain(std::move(body)) : Plain(FailedAnswer("answer cannot be sealed"));
}
