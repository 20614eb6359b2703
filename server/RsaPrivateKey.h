#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// The server's half of the envelope key pair. Loaded once at start-up and shared read-only by
// every request thread; each operation makes its own OpenSSL context, so no lock is needed.
class RsaPrivateKey {
  public:
    RsaPrivateKey() = default;
    ~RsaPrivateKey();
    RsaPrivateKey(const RsaPrivateKey&) = delete;
    RsaPrivateKey& operator=(const RsaPrivateKey&) = delete;

    // False when the text is not a PEM RSA private key.
    bool LoadPem(const std::string& pem);
    bool LoadFile(const std::string& path);

    // Zero until a key is loaded.
    size_t SizeInBytes() const;

    // Opens a block the client made with the public key (PKCS#1 v1.5 type 2).
    bool Decrypt(const uint8_t* block, size_t count, std::vector<uint8_t>& data) const;

    // Raw PKCS#1 v1.5 type 1 block over data, without a digest: the client opens it with a plain
    // public-key recovery and expects the bare bytes back.
    bool Sign(const uint8_t* data, size_t count, std::vector<uint8_t>& block) const;

  private:
    struct evp_pkey_st* key_ = nullptr;
};
