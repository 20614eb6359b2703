#pragma once

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/TempDir.h"

// The build's development key pair, for tests that play the server's part.
inline std::string DevPublicKeyPem() {
    return ReadWholeFile(std::string(KAVRIN_DEVKEY_DIR) + "/rsa_public.pem");
}

class DevPrivateKey {
  public:
    DevPrivateKey() {
        const std::string pem = ReadWholeFile(std::string(KAVRIN_DEVKEY_DIR) + "/rsa_private.pem");
        BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
        key_ = PEM_read_bio_PrivateKey(bio, nullptr, nullptr, nullptr);
        BIO_free(bio);
    }
    ~DevPrivateKey() { EVP_PKEY_free(key_); }
    DevPrivateKey(const DevPrivateKey&) = delete;
    DevPrivateKey& operator=(const DevPrivateKey&) = delete;

    // PKCS#1 v1.5 block type 1 over data, as the server protects an answer's CRC.
    std::vector<uint8_t> Sign(const std::vector<uint8_t>& data) const {
        return Run(data, EVP_PKEY_sign_init, EVP_PKEY_sign);
    }
    // Opens a block type 2 made with the public key, as the server reads a request's CRC.
    std::vector<uint8_t> Decrypt(const std::vector<uint8_t>& block) const {
        return Run(block, EVP_PKEY_decrypt_init, EVP_PKEY_decrypt);
    }

  private:
    template <typename Init, typename Op>
    std::vector<uint8_t> Run(const std::vector<uint8_t>& in, Init init, Op op) const {
        std::vector<uint8_t> out(static_cast<size_t>(EVP_PKEY_get_size(key_)));
        size_t size = out.size();
        EVP_PKEY_CTX* ctx = EVP_PKEY_CTX_new(key_, nullptr);
        const bool ok = ctx != nullptr && init(ctx) > 0 &&
                        EVP_PKEY_CTX_set_rsa_padding(ctx, RSA_PKCS1_PADDING) > 0 &&
                        op(ctx, out.data(), &size, in.data(), in.size()) > 0;
        EVP_PKEY_CTX_free(ctx);
        out.resize(ok ? size : 0);
        return out;
    }

    EVP_PKEY* key_ = nullptr;
};
