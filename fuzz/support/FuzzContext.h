#pragma once

#include "context/AppContext.h"
#include "fuzz/support/FuzzKeys.h"

// The client's context for the envelope targets: the built-in address and the fuzz public key.
inline const AppContext& FuzzContext() {
    static AppContext* context = [] {
        auto* made = new AppContext;
        made->baseUrl = "https://127.0.0.1:47443/";
        made->publicKeyPem = FuzzKeyPem("rsa_public.pem");
        return made;
    }();
    return *context;
}
