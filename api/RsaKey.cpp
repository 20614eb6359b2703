#include "api/RsaKey.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <memory>

namespace {

struct ContextDeleter {
    void operator()(EVP_PKEY_CTX* ctx) const { EVP_PKEY_CTX_free(ctx); }
};
using ContextPtr = std::unique_ptr<EVP_PKEY_CTX, ContextDeleter>;

}  // namespace

RsaPublicKey::RsaPublicKey(const std::string& pem) {
    BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    if (bio == nullptr) {
        return;
    }
    key_ = PEM_read_bio_PUBKEY(bio, nullptr, nullptr, nullptr);
    BIO_free(bio);
    if (key_ != nullptr && !EVP_PKEY_is_a(key_, "RSA")) {
        EVP_PKEY_free(key_);
        key_ = nullptr;
    }
}

RsaPublicKey::~RsaPublicKey() { EVP_PKEY_free(key_); }

size_t RsaPublicKey::SizeInBytes() const {
    return key_ == nullptr ? 0 : static_cast<size_t>(EVP_PKEY_get_size(key_));
}

bool RsaPublicKey::Encrypt(const uint8_t* data, size_t count, std::vector<uint8_t>& block) const {
    if (key_ == nullptr) {
        return false;
    }
    ContextPtr ctx(EVP_PKEY_CTX_new(key_, nullptr));
    size_t size = SizeInBytes();
    block.assign(size, 0);
    if (!ctx || EVP_PKEY_encrypt_init(ctx.get()) <= 0 ||
        EVP_PKEY_CTX_set_rsa_padding(ctx.get(), RSA_PKCS1_PADDING) <= 0 ||
        EVP_PKEY_encrypt(ctx.get(), block.data(), &size, data, count) <= 0) {
        return false;
    }
    block.resize(size);
    return true;
}

bool RsaPublicKey::Recover(const uint8_t* block, size_t count, std::vector<uint8_t>& data) const {
    if (key_ == nullptr) {
        return false;
    }
    ContextPtr ctx(EVP_PKEY_CTX_new(key_, nullptr));
    size_t size = SizeInBytes();
    data.assign(size, 0);
    if (!ctx || EVP_PKEY_verify_recover_init(ctx.get()) <= 0 ||
        EVP_PKEY_CTX_set_rsa_padding(ctx.get(), RSA_PKCS1_PADDING) <= 0 ||
        EVP_PKEY_verify_recover(ctx.get(), data.data(), &size, block, count) <= 0) {
        return false;
    }
    data.resize(size);
    return true;
}
