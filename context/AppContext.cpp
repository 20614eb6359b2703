#include "context/AppContext.h"

#include <cstring>
#include <vector>

#include "common/Base64.h"
#include "common/ByteScramble.h"
#include "common/TextConvert.h"
#include "context/EmbeddedKeys.h"
#include "context/LocalFiles.h"
#include "platform/Process.h"

namespace {

constexpr std::u16string_view kSettingsFileName = u"kavrin.ini";
constexpr std::u16string_view kUpdaterFileName = u"AutoUpdater";
constexpr std::u16string_view kRecordFileName = u"gameList.dat";
constexpr std::u16string_view kReporterFileName = u"ErrorReporter";
// The longest name placed in programDir, the crash-report program's.
constexpr size_t kLongestFileName = kReporterFileName.size() + platform::kProgramSuffix.size();

AppContext& BuildProcessContext() {
    static AppContext context;
    ComposeProgramPaths(context, platform::ExecutablePath());
    if (context.pathsFit) {
        PlaceLocalFiles(context, platform::LocalFileFoldersOf(Utf16ToAnsi(context.programDir)));
    }
    context.publicKeyPem = BuildPublicKeyPem(kScrambledPublicKeyBase64);
    return context;
}

// Built during static initialisation, before main, as the rest of the program expects.
AppContext& gProcessContext = BuildProcessContext();

}  // namespace

AppContext& ProcessContext() {
    return gProcessContext;
}

void ComposeProgramPaths(AppContext& context, std::u16string_view executablePath) {
    const size_t slash = executablePath.rfind(platform::kPathSeparator);
    const std::u16string_view dir = slash == std::u16string_view::npos
                                        ? std::u16string_view()
                                        : executablePath.substr(0, slash + 1);
    context.pathsFit = !dir.empty() && dir.size() + kLongestFileName < kPathCapacity;
    if (!context.pathsFit) {
        context.programDir.clear();
        context.settingsDir.clear();
        context.settingsPath.clear();
        context.updaterPath.clear();
        context.recordPath.clear();
        context.reporterPath.clear();
        return;
    }
    context.programDir = dir;
    context.settingsDir = dir;
    context.settingsPath = context.programDir + std::u16string(kSettingsFileName);
    context.updaterPath = context.programDir + std::u16string(kUpdaterFileName) +
                          std::u16string(platform::kProgramSuffix);
    context.recordPath = context.programDir + std::u16string(kRecordFileName);
    context.reporterPath = context.programDir + std::u16string(kReporterFileName) +
                           std::u16string(platform::kProgramSuffix);
}

std::string BuildPublicKeyPem(const char* scrambledBase64) {
    const size_t count = std::strlen(scrambledBase64);
    std::vector<char> pem(kPublicKeyPemCapacity + Base64DecodedCapacity(count), '\0');
    const size_t decoded = Base64Decode(scrambledBase64, count, pem.data());
    if (decoded >= kPublicKeyPemCapacity) {
        return {};
    }
    ByteScrambleAll(pem.data(), decoded);
    return std::string(pem.data(), std::strlen(pem.data()));
}
