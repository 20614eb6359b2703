#include "api/ApiClient.h"

#include <curl/curl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "api/RequestEnvelope.h"
#include "common/RuntimeRandom.h"
#include "context/EmbeddedKeys.h"
#include "platform/Clock.h"

namespace {

constexpr long kTimeoutMs = 1500000;  // 25 minutes, for the connection and the whole transfer
constexpr size_t kAddressCapacity = 5124;
constexpr size_t kNonceCapacity = 24;

struct ReceiveBuffer {
    char* data = nullptr;
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

void MakeNonce(char (&nonce)[kNonceCapacity]) {
    RuntimeSrand(static_cast<uint32_t>(platform::UnixTime()));
    const int r = RuntimeRand();
    std::snprintf(nonce, sizeof nonce, "%d%d", static_cast<int32_t>(platform::TickCount()),
                  r % 100000);
}

// Every raw answer is traced on standard output, in one write so that workers do not interleave.
void TraceAnswer(const char* body, size_t length) {
    std::string trace = "服务器返回的Base64数据:: \n\n";
    trace.append(body, length);
    trace += "\n\n";
    std::cout << trace << std::flush;
}

}  // namespace

bool InitHttpLibrary() {
    return curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
}

bool ApiClient::Get(const char* pathOrUrl, char** body, size_t* length) const {
    if (pathOrUrl == nullptr) {
        return false;
    }
    CURL* curl = curl_easy_init();
    if (curl == nullptr) {
        return false;
    }
    std::string address;
    if (!ComposeAddress(context_.baseUrl, pathOrUrl, address)) {
        curl_easy_cleanup(curl);
        return false;
    }
    ReceiveBuffer buffer;
    curl_easy_setopt(curl, CURLOPT_URL, address.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, kTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_TIMEOUT_MS, kTimeoutMs);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, Receive);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &buffer);
    SetTrustedCa(curl);

    long status = 0;
    const bool ok = curl_easy_perform(curl) == CURLE_OK &&
                    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status) == CURLE_OK &&
                    status == 200;
    curl_easy_cleanup(curl);
    if (!ok) {
        std::free(buffer.data);
        return false;
    }
    *body = buffer.data;
    *length = buffer.length;
    return true;
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
    const bool ok = RequestEnvelope::Unwrap(context_, nonce, body, bodyLength, answer, length);
    std::free(body);
    return ok;
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
