#include "tools/error-reporter/UploadTarget.h"

#include "common/TextConvert.h"
#include "context/ClientId.h"
#include "platform/Profile.h"

namespace {

// What the client itself falls back to (context/Settings.cpp).
constexpr int32_t kDefaultSoftId = 140;
constexpr int32_t kDefaultVersion = 101;
constexpr size_t kUrlCapacity = 256;
constexpr size_t kUuidCapacity = 40;
constexpr std::string_view kHttps = "https://";

std::string WithTrailingSlash(std::string url) {
    if (!url.ends_with('/')) {
        url += '/';
    }
    return url;
}

// Reports hold a copy of the client's memory: they go over https or not at all.
std::string UploadAddress(const std::u16string& settingsFile, std::string_view builtInUrl) {
    const std::string url = Utf16ToAnsi(
        platform::GetPrivateProfileString(u"report", u"url", u"", kUrlCapacity, settingsFile));
    if (url.size() > kHttps.size() && url.starts_with(kHttps)) {
        return WithTrailingSlash(url);
    }
    return WithTrailingSlash(std::string(builtInUrl));
}

int32_t PositiveOr(const std::u16string& file, std::u16string_view key, int32_t def) {
    const int value = platform::GetPrivateProfileInt(u"soft", key, 0, file);
    return value > 0 ? value : def;
}

}  // namespace

UploadTarget ReadUploadTarget(const std::u16string& programDir, std::string_view settingsName,
                              const std::u16string& clientSettings, std::string_view builtInUrl) {
    UploadTarget target;
    // An empty name reads no file: the defaults stand.
    const std::u16string settingsFile =
        settingsName.empty() ? std::u16string() : programDir + AnsiToUtf16(settingsName);
    target.baseUrl = UploadAddress(settingsFile, builtInUrl);

    target.softId = PositiveOr(clientSettings, u"id", kDefaultSoftId);
    target.version = PositiveOr(clientSettings, u"version", kDefaultVersion);
    const std::string uuid = Utf16ToAnsi(
        platform::GetPrivateProfileString(u"config", u"uuid", u"", kUuidCapacity, clientSettings));
    if (IsValidClientId(uuid)) {
        target.clientId = uuid;
    }
    return target;
}
