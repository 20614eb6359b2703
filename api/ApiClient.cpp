#include "api/ApiClient.h"

#include <curl/curl.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "api/JsonAnswer.h"
#include "api/Nonce.h"
#include "api/RequestEnvelope.h"
#include "context/EmbeddedKeys.h"

namespace {

constexpr long kTimeoutMs = 1500000;  // 25 minutes, for the connection and the whole transfer
constexpr size_t kAddressCapacity = 5124;

struct ReceiveBuffer {
    char* data = nullptr;
    size_t length = 0;
};

struct PostBody {
    const char* data = nullptr;
    size_t length = 0;
};

// Grows one heap block per chunk and keeps a zero byte behind the data.
size_t Receive(char* chunk, size_t size, size_t count, void* user) {
    auto* buffer = static_cast<ReceiveBuffer*>(user);
    const size_t bytes = size * count;
    auto* grown = static_cast<char*>(std::realloc(buffer->data, buffer->length + bytes + 1));
    if (grown == nullptr) {
        return 0;
    }
    buffer->data = grown;
    std::memcpy(buffer->data + buffer->length, chunk, bytes);
    buffer->length += bytes;
    buffer->data[buffer->length] = '\0';
    return bytes;
}

bool ComposeAddress(const std::string& baseUrl, const char* pathOrUrl, std::string& address) {
    if (std::strstr(pathOrUrl, "https://") != nullptr ||
        std::strstr(pathOrUrl, "http://") != nullptr) {
        address = pathOrUrl;
    } else {
        address = baseUrl + pathOrUrl;
    }
    return address.size() < kAddressCapacity;
}

// The trusted CA travels inside the program; the system store is used when none was built in.
void SetTrustedCa(CURL* curl) {
    if (kTrustedCaPem[0] == '\0') {
        return;
    }
    curl_blob blob{};
    blob.data = const_cast<char*>(kTrustedCaPem);
    blob.len = std::strlen(kTrustedCaPem);
    blob.flags = CURL_BLOB_NOCOPY;
    curl_easy_setopt(curl, CURLOPT_CAINFO_BLOB, &blob);
}

// The body goes as it is, binary and unchanged; the returned header list lives until the
// transfer ends. Bodies above the library's threshold ask "Expect: 100-continue" first, so a
// server that refuses one by its announced size does so before a byte of it travels.
curl_slist* SetPostBody(CURL* curl, const PostBody& upload) {
    curl_easy_setopt(curl, CURLOPT_POST, 1L);
    curl_easy_setopt(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(upload.length));
    curl_easy_setopt(curl, CURLOPT_POSTFIELDS, upload.length != 0 ? upload.data : "");
    curl_slist* headers = curl_slist_append(nullptr, "Content-Type: application/octet-stream");
    curl_easy_setopt(curl, CURLOPT_HTTPHEADER, headers);
    return headers;
}

// Every raw answer is traced on standard output, in one write so that workers do not interleave.
void TraceAnswer(const char* body, size_t length) {
    std::string trace = "服务器返回的Base64数据:: \n\n";
    trace.append(body, length);
    trace += "\n\n";
    std::cout << trace << std::flush;
}

// A handle for one exchange with address, its answer's bytes to be gathered in buffer.
CURL* OpenTransfer(const std::string& address, ReceiveBuffer& buffer) {
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        return nullptr;
    }
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Receive);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &buffer);
    SetTrustedCa(curl);
    return curl;
}

// One request to pathOrUrl, a GET or, with a body, a POST of it; the answer's bytes land in
// buffer whatever the outcome, for the caller to release.
bool Transfer(const std::string& baseUrl, const char* pathOrUrl, const PostBody* upload,
              ReceiveBuffer& buffer) {
    std::string address;
    if (pathOrUrl == nullptr || !ComposeAddress(baseUrl, pathOrUrl, address)) {
        return false;
    }
    CURL* curl = OpenTransfer(address, buffer);
    if (curl == nullptr) {
        return false;
    }
    curl_slist* headers = upload != nullptr ? SetPostBody(curl, *upload) : nullptr;
    long status = 0;
    const bool ok = curl_easy_perform(curl) == CURLE_OK &&
                    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK &&
                    status == 200;
    curl_easy_cleanup(curl);
    curl_slist_free_all(headers);
    return ok;
}

}  // namespace

bool InitHttpLibrary() {
    return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

bool ApiClient::Get(const char* pathOrUrl, char** body, size_t* length) const {
    ReceiveBuffer buffer;
    if (!Transfer(context_.baseUrl, pathOrUrl, nullptr, buffer)) {
        std::free(buffer.data);
        return false;
    }
    *body = buffer.data;
    *length = buffer.length;
    return true;
}

bool ApiClient::Post(const char* pathOrUrl, const char* body, size_t length,
                     std::string& answer) const {
    if (body == nullptr && length != 0) {
        return false;
    }
    const PostBody upload{body, length};
    ReceiveBuffer buffer;
    const bool ok = Transfer(context_.baseUrl, pathOrUrl, &upload, buffer);
    if (ok) {
        answer.assign(buffer.data != nullptr ? buffer.data : "", buffer.length);
    }
    std::free(buffer.data);
    return ok;
}

bool ApiClient::Call(const char* path, char** answer, size_t* length) const {
    char nonce[kNonceCapacity];
    MakeNonce(nonce);
    char requestPath[RequestEnvelope::kRequestPathCapacity];
    if (!RequestEnvelope::Wrap(context_, path, nonce, requestPath)) {
        return false;
    }
    char* body = nullptr;
    size_t bodyLength = 0;
    if (!Get(requestPath, &body, &bodyLength) || body == nullptr) {
        return false;
    }
    TraceAnswer(body, bodyLength);
    if (answer == nullptr) {
        std::free(body);
        return true;
    }
    char* opened = nullptr;
    size_t openedLength = 0;
    const bool ok =
        RequestEnvelope::Unwrap(context_, nonce, body, bodyLength, &opened, &openedLength);
    std::free(body);
    // The envelope hands failures over as they came, however they came; no caller may read
    // data from one, so a failure ends here as a failed call.
    if (!ok || !IsSuccessfulCallAnswer(opened, openedLength)) {
        std::free(opened);
        return false;
    }
    *answer = opened;
    *length = openedLength;
    return true;
}

bool CallForText(const ApiClient& client, const char* path, std::string& answer) {
    char* block = nullptr;
    size_t length = 0;
    if (!client.Call(path, &block, &length)) {
        return false;
    }
    answer.assign(block, length);
    std::free(block);
    return true;
}
