#pragma once

#include <openssl/bio.h>
#include <openssl/ssl.h>

#include <chrono>
#include <string>
#include <thread>

// A TLS connection to a test's kavrin-server that writes exactly the bytes a test gives it, at
// the pace the test chooses, as no HTTP client would: a trickle of header bytes, a head
// without end, a body that is announced but never sent. The server's certificate is not
// checked; these tests are about what the server puts up with.
class RawTlsConnection {
  public:
    // pauseBeforeHello: how long the connection stays silent before the client's first TLS
    // message, as with a client that waits for its own core.
    explicit RawTlsConnection(const std::string& baseUrl,
                              std::chrono::milliseconds pauseBeforeHello = {})
        : context_(SSL_CTX_new(TLS_client_method())) {
        const size_t start = baseUrl.find("//") + 2;
        const std::string hostPort = baseUrl.substr(start, baseUrl.find('/', start) - start);
        BIO* socket = BIO_new_connect(hostPort.c_str());
        if (BIO_do_connect(socket) != 1) {
            BIO_free(socket);
            return;
        }
        // The client's own pace, not a wait for the server.
        std::this_thread::sleep_for(pauseBeforeHello);
        bio_ = BIO_new_ssl(context_, 1);
        BIO_push(bio_, socket);
        connected_ = BIO_do_handshake(bio_) == 1;
    }
    ~RawTlsConnection() {
        BIO_free_all(bio_);
        SSL_CTX_free(context_);
    }
    RawTlsConnection(const RawTlsConnection&) = delete;
    RawTlsConnection& operator=(const RawTlsConnection&) = delete;

    bool Connected() const { return connected_; }

    bool Send(const std::string& bytes) {
        return BIO_write(bio_, bytes.data(), static_cast<int>(bytes.size())) ==
                   static_cast<int>(bytes.size()) &&
               BIO_flush(bio_) == 1;
    }

    // Reads until the server ends the connection; what it sent before.
    std::string ReadToEnd() {
        std::string answer;
        char buffer[4096];
        for (;;) {
            const int read = BIO_read(bio_, buffer, sizeof buffer);
            if (read <= 0) {
                return answer;
            }
            answer.append(buffer, static_cast<size_t>(read));
        }
    }

  private:
    SSL_CTX* context_;
    BIO* bio_ = nullptr;
    bool connected_ = false;
};
