#pragma once

#include <cstddef>

// The nonce every server call carries and its answer must echo: decimal digits, the tick count
// first, then a part that no other call of this process shares and that an outsider cannot
// guess in advance.
constexpr size_t kNonceCapacity = 24;
constexpr size_t kNonceMaxLength = 16;

// Writes the next nonce, zero-terminated. Any number of threads may call at the same time.
void MakeNonce(char (&nonce)[kNonceCapacity]);
