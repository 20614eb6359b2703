#pragma once

// Key material compiled into the client by the build (see tools/keyembed).

// The API server's RSA public key: its PEM text with every byte scrambled, then Base64-encoded.
extern const char kScrambledPublicKeyBase64[];

// PEM certificates trusted for the API server's HTTPS; empty = the system's store.
extern const char kTrustedCaPem[];
