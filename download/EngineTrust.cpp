#include "download/EngineTrust.h"

#include <string>

#include "common/TextConvert.h"
#include "platform/PrivateFile.h"

namespace DownEngine {

void TrustClientCertificates(CDownWrapper& engine, std::string_view pem) {
    if (pem.empty()) {
        return;
    }
    // Every window of the process trusts the same authorities; one file serves them all.
    static const std::string file = platform::WritePrivateFile("kavrin-trust", pem);
    if (!file.empty()) {
        engine.SetCaFile(AnsiToUtf16(file).c_str());
    }
}

}  // namespace DownEngine
