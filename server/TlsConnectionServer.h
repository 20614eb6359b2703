#pragma once

#include <openssl/ssl.h>

#include <string>

#include <httplib.h>

#include "server/ConnectionLimits.h"

// The HTTPS server: the library parses and routes each request, while this class owns the
// connection around it. It does the TLS handshake and reads and writes through a TlsStream, so
// that every request is bounded in size and time and no connection lingers idle longer, or
// carries more requests, than the limits allow. Its listening socket shares its port with no
// other and keeps a long queue.
class TlsConnectionServer final : public httplib::Server {
  public:
    TlsConnectionServer(const std::string& certFile, const std::string& keyFile,
                        const ConnectionLimits& limits);
    ~TlsConnectionServer() override;
    TlsConnectionServer(const TlsConnectionServer&) = delete;
    TlsConnectionServer& operator=(const TlsConnectionServer&) = delete;

    bool is_valid() const override { return context_ != nullptr; }

    // The port it listens on, or -1; port 0 takes any free port.
    int Bind(const std::string& host, int port);

  private:
    bool process_and_close_socket(socket_t socket) override;
    void Serve(class TlsStream& stream, SSL* ssl);

    SSL_CTX* context_ = nullptr;
    ConnectionLimits limits_;
};
