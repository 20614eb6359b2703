#pragma once

#include <fstream>
#include <iterator>
#include <string>

// The fuzz build's own envelope key pair (fuzz/keys/), fixed so that the RSA-protected envelopes
// of the seed corpus open in every fuzz build; the development keys are made anew per build.
inline std::string FuzzKeyPem(const char* name) {
    std::ifstream in(std::string(KAVRIN_FUZZ_KEY_DIR) + "/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
