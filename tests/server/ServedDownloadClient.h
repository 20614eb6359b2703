#pragma once

#include <string>
#include <utility>

#include <httplib.h>

// An HTTPS client of a kavrin-server started by a test, trusting the build's development CA.
// Paths go out exactly as written, so a test can send escapes the server has to undo.
class ServedDownloadClient {
  public:
    // baseUrl as the server prints it: "https://127.0.0.1:PORT/".
    explicit ServedDownloadClient(const std::string& baseUrl)
        : client_(HostOf(baseUrl), PortOf(baseUrl)) {
        client_.set_ca_cert_path(std::string(KAVRIN_DEVKEY_DIR) + "/ca.pem");
        client_.enable_server_certificate_verification(true);
        client_.set_url_encode(false);
        client_.set_read_timeout(30, 0);
    }

    // GET of path, with a Range header when range is not empty ("bytes=..." without "bytes=").
    httplib::Result Get(const std::string& path, const std::string& range = "") {
        return client_.Get(path.c_str(), Headers(range));
    }

    // The same, handing the body to receive piece by piece.
    httplib::Result Get(const std::string& path, const std::string& range,
                        httplib::ContentReceiver receive) {
        return client_.Get(path.c_str(), Headers(range), std::move(receive));
    }

  private:
    static httplib::Headers Headers(const std::string& range) {
        return range.empty() ? httplib::Headers{} : httplib::Headers{{"Range", "bytes=" + range}};
    }
    static std::string HostOf(const std::string& baseUrl) {
        const size_t start = baseUrl.find("//") + 2;
        return baseUrl.substr(start, baseUrl.rfind(':') - start);
    }
    static int PortOf(const std::string& baseUrl) {
        return std::stoi(baseUrl.substr(baseUrl.rfind(':') + 1));
    }

    httplib::SSLClient client_;
};
