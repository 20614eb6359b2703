#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The API server's public key, parsed anew for each use and released right after.
class RsaPublicKey {
  public:
    explicit RsaPublicKey(const std::string& pem);
    ~RsaPublicKey();
    RsaPublicKey(const RsaPublicKey&) = delete;
    RsaPublicKey& operator=(const RsaPublicKey&) = delete;

    // Zero when the text is not an RSA "PUBLIC KEY".
    size_t SizeInBytes() const;

    // PKCS#1 v1.5 encryption (block type 2). False on any error.
    bool Encrypt(const uint8_t* data, size_t count, std::vector<uint8_t>& block) const;

    // Opens a PKCS#1 v1.5 block made with the private key (block type 1). False on any error.
    bool Recover(const uint8_t* block, size_t count, std::vector<uint8_t>& data) const;

  private:
    struct evp_pkey_st* key_ = nullptr;
};
