#include "update/DownloadAddress.h"

#include <curl/curl.h>

#include <cctype>

#include "common/UrlJoin.h"

namespace {

// Where an address leads, as the HTTP library reads it when it fetches.
struct Origin {
    std::string scheme;
    std::string user;
    std::string password;
    std::string host;
    std::string port;

    bool operator==(const Origin&) const = default;
};

bool ReadPart(CURLU* url, CURLUPart part, std::string& text, unsigned flags = 0) {
    char* value = nullptr;
    const CURLUcode code = curl_url_get(url, part, &value, flags);
    if (code == CURLUE_OK) {
        text = value;
        curl_free(value);
        return true;
    }
    // Absent user information is no fault; every other part must be there.
    return code == CURLUE_NO_USER || code == CURLUE_NO_PASSWORD;
}

std::optional<Origin> OriginOf(const std::string& address) {
    CURLU* url = curl_url();
    if (url == nullptr) {
        return std::nullopt;
    }
    Origin origin;
    const bool read = curl_url_set(url, CURLUPART_URL, address.c_str(), 0) == CURLUE_OK &&
                      ReadPart(url, CURLUPART_SCHEME, origin.scheme) &&
                      ReadPart(url, CURLUPART_USER, origin.user) &&
                      ReadPart(url, CURLUPART_PASSWORD, origin.password) &&
                      ReadPart(url, CURLUPART_HOST, origin.host) &&
                      ReadPart(url, CURLUPART_PORT, origin.port, CURLU_DEFAULT_PORT);
    curl_url_cleanup(url);
    if (!read || origin.host.empty() || (origin.scheme != "https" && origin.scheme != "http")) {
        return std::nullopt;
    }
    for (char& c : origin.host) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return origin;
}

// "scheme:" before any "/", "?" or "#", as RFC 3986 spells a scheme.
bool HasScheme(std::string_view url) {
    if (url.empty() || std::isalpha(static_cast<unsigned char>(url[0])) == 0) {
        return false;
    }
    for (char c : url.substr(1)) {
        if (c == ':') {
            return true;
        }
        if (std::isalnum(static_cast<unsigned char>(c)) == 0 && c != '+' && c != '-' && c != '.') {
            return false;
        }
    }
    return false;
}

bool IsAbsolute(std::string_view url) {
    return HasScheme(url) || url.starts_with("//") || url.starts_with("\\\\");
}

}  // namespace

std::optional<std::string> DownloadAddress(std::string_view baseUrl, std::string_view url,
                                           bool withDigest) {
    if (baseUrl.empty() || IsAbsolute(url)) {
        return std::nullopt;
    }
    const std::optional<Origin> base = OriginOf(std::string(baseUrl));
    std::string address = JoinDownloadAddress(baseUrl, url);
    const std::optional<Origin> target = OriginOf(address);
    if (!base || !target || !(*base == *target)) {
        return std::nullopt;
    }
    if (target->scheme != "https" && !withDigest) {
        return std::nullopt;
    }
    return address;
}
