#include "context/Settings.h"

#include <string>

#include "common/TextConvert.h"
#include "context/ClientId.h"
#include "platform/Profile.h"

namespace {

constexpr int32_t kDefaultSoftId = 140;
constexpr int32_t kDefaultVersion = 101;
constexpr size_t kUuidCapacity = 40;

// An integer setting that must be positive; 0 for anything else.
int32_t PositiveOrZero(std::u16string_view file, std::u16string_view key) {
    const int value = platform::GetPrivateProfileInt(u"soft", key, 0, file);
    return value > 0 ? value : 0;
}

// An integer setting that must be positive; anything else is replaced by its default, in the
// file too.
int32_t ReadPositive(const AppContext& context, std::u16string_view key, int32_t def,
                     std::u16string_view defText) {
    const int32_t value = PositiveOrZero(context.settingsPath, key);
    if (value > 0) {
        return value;
    }
    platform::WritePrivateProfileString(u"soft", key, defText, context.settingsPath);
    return def;
}

}  // namespace

bool ReadSettings(AppContext& context) {
    const std::u16string& file = context.settingsPath;
    context.softId = ReadPositive(context, u"id", kDefaultSoftId, u"140");
    context.version = ReadPositive(context, u"version", kDefaultVersion, u"101");
    platform::WritePrivateProfileString(u"soft", u"showVersion", u"1.0.0.1", file);
    context.configuredDownloadFolder = platform::GetPrivateProfileString(
        u"soft", u"DriveUrlW2V", u"", kDownloadFolderCapacity, file);

    const std::string stored = Utf16ToAnsi(
        platform::GetPrivateProfileString(u"config", u"uuid", u"", kUuidCapacity, file));
    if (stored.size() < kClientIdCapacity && !stored.empty() && IsValidClientId(stored)) {
        context.clientId = stored;
        return true;
    }
    context.clientId = GenerateClientId();
    platform::WritePrivateProfileString(u"config", u"uuid", AnsiToUtf16(context.clientId), file);
    return true;
}

SoftIdentity PeekSoftIdentity(std::u16string_view settingsPath) {
    SoftIdentity identity;
    identity.softId = PositiveOrZero(settingsPath, u"id");
    identity.version = PositiveOrZero(settingsPath, u"version");
    if (identity.softId == 0) {
        identity.softId = kDefaultSoftId;
    }
    if (identity.version == 0) {
        identity.version = kDefaultVersion;
    }
    return identity;
}

bool WriteSoftVersion(std::u16string_view settingsPath, int32_t version) {
    return platform::WritePrivateProfileString(u"soft", u"version",
                                               AnsiToUtf16(std::to_string(version)), settingsPath);
}
