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

RsaPublicKey::~RsaPublicKey() {
    EVP_PKEY_free(key_);
}

size_t RsaPublicKey::SizeInBytes() const {
    return key_ == nullptr ? 0 : static_cast<size_t>(EVP_PKEY_get_size(key_));
}

namespace {

// One PKCS#1 v1.5 operation with the key: init prepares the context, op runs it into out.
template <typename Init, typename Op>
bool RunWithPadding(EVP_PKEY* key, Init init, Op op, const uint8_t* in, size_t count,
                    std::vector<uint8_t>& out) {
    if (key == nullptr) {
        return false;
    }
    ContextPtr ctx(EVP_PKEY_CTX_new(key, nullptr));
    size_t size = static_cast<size_t>(EVP_PKEY_get_size(key));
    out.assign(size, 0);
    if (!ctx || init(ctx.get()) <= 0 ||
        EVP_PKEY_CTX_set_rsa_padding(ctx.get(), RSA_PKCS1_PADDING) <= 0 ||
        op(ctx.get(), out.data(), &size, in, count) <= 0) {
        return false;
    }
    out.resize(size);
    return true;
}

}  // namespace

bool RsaPublicKey::Encrypt(const uint8_t* data, size_t count, std::vector<uint8_t>& block) const {
    return RunWithPadding(key_, EVP_PKEY_encrypt_init, EVP_PKEY_encrypt, data, count, block);
}

bool RsaPublicKey::Recover(const uint8_t* block, size_t count, std::vector<uint8_t>& data) const {
    return RunWithPadding(key_, EVP_PKEY_verify_recover_init, EVP_PKEY_verify_recover, block, count,
                          data);
}
