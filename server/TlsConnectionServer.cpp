#include "server/TlsConnectionServer.h"

#include <memory>

#include "platform/ServerSockets.h"
#include "server/TlsStream.h"

namespace {

constexpr int kListenQueue = 4096;

SSL_CTX* MakeContext(const std::string& certFile, const std::string& keyFile) {
    SSL_CTX* context = SSL_CTX_new(TLS_server_method());
    if (context == nullptr) {
        return nullptr;
    }
    SSL_CTX_set_min_proto_version(context, TLS1_2_VERSION);
    SSL_CTX_set_options(context, SSL_OP_NO_COMPRESSION | SSL_OP_NO_RENEGOTIATION);
    // The library writes a buffer in parts and may hand a later part from elsewhere.
    SSL_CTX_set_mode(context, SSL_MODE_ENABLE_PARTIAL_WRITE | SSL_MODE_ACCEPT_MOVING_WRITE_BUFFER);
    if (SSL_CTX_use_certificate_chain_file(context, certFile.c_str()) != 1 ||
        SSL_CTX_use_PrivateKey_file(context, keyFile.c_str(), SSL_FILETYPE_PEM) != 1 ||
        SSL_CTX_check_private_key(context) != 1) {
        SSL_CTX_free(context);
        return nullptr;
    }
    return context;
}

// Whether the answer now written ends its connection. The library decides that inside its own
// connection loop, which this server replaces, so the answer is looked at on its way out:
// through the one connection this thread serves.
thread_local bool* tAnswerEndsConnection = nullptr;

// A refused head or body leaves the rest of the request unread; it must never be taken for the
// next request.
bool EndsConnection(const httplib::Response& response) {
    return response.get_header_value("Connection") == "close" || response.status == 400 ||
           response.status == 413 || response.status == 414 || response.status == 431;
}

struct SslFree {
    void operator()(SSL* ssl) const { SSL_free(ssl); }
};

}  // namespace

TlsConnectionServer::TlsConnectionServer(const std::string& certFile, const std::string& keyFile,
                                         const ConnectionLimits& limits)
    : context_(MakeContext(certFile, keyFile)), limits_(limits) {
    // The library's own options would let a second server share the port (SO_REUSEPORT).
    set_socket_options([](socket_t socket) { platform::AllowOnlyAddressReuse(socket); });
    set_post_routing_handler([](const httplib::Request&, httplib::Response& response) {
        if (tAnswerEndsConnection != nullptr && EndsConnection(response)) {
            *tAnswerEndsConnection = true;
        }
    });
}

TlsConnectionServer::~TlsConnectionServer() {
    SSL_CTX_free(context_);
}

int TlsConnectionServer::Bind(const std::string& host, int port) {
    const int bound = port == 0 ? bind_to_any_port(host) : (bind_to_port(host, port) ? port : -1);
    if (bound >= 0) {
        // The library listens with a queue of five.
        platform::WidenListenQueue(svr_sock_, kListenQueue);
    }
    return bound;
}

bool TlsConnectionServer::process_and_close_socket(socket_t socket) {
    const std::unique_ptr<SSL, SslFree> ssl(SSL_new(context_));
    if (ssl != nullptr && platform::MakeNonBlocking(socket) && SSL_set_fd(ssl.get(), socket) == 1) {
        TlsStream stream(ssl.get(), socket, limits_);
        if (stream.Handshake()) {
            Serve(stream, ssl.get());
            stream.Close();
        }
    }
    platform::CloseSocket(socket);
    return true;
}

void TlsConnectionServer::Serve(TlsStream& stream, SSL* ssl) {
    const auto running = [this] { return is_running(); };
    bool answerEnds = false;
    tAnswerEndsConnection = &answerEnds;
    const std::unique_ptr<bool*, void (*)(bool**)> forget(&tAnswerEndsConnection,
                                                          [](bool** flag) { *flag = nullptr; });
    for (size_t served = 0; served < limits_.requestsPerConnection; ++served) {
        if (served > 0 && !stream.WaitForRequest(limits_.keepAliveIdle, running)) {
            return;
        }
        stream.BeginRequestHead();
        const bool last = served + 1 == limits_.requestsPerConnection || !is_running();
        bool closed = false;
        const bool answered =
            process_request(stream, last, closed, [&stream, ssl](httplib::Request& request) {
                request.ssl = ssl;
                stream.BeginBody();
            });
        if (stream.Refusal() != TlsStream::HeadRefusal::None) {
            stream.AnswerRefusal();
            return;
        }
        if (!answered || closed || last || answerEnds || stream.Exceeded()) {
            return;
        }
    }
}
