#pragma once

#include <string_view>

#include "download/DownWrapper.h"

namespace DownEngine {

// Lets the engine trust the certificate authorities the client trusts for its API server, so
// download addresses on that server verify as its answers do. The engine reads them from a
// file: the PEM text is written once per process into a file only this user can touch. An
// empty text (the system's store alone) changes nothing.
void TrustClientCertificates(CDownWrapper& engine, std::string_view pem);

}  // namespace DownEngine
