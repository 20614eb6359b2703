#include "server/RsaPrivateKey.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/rsa.h>

#include <fstream>
#include <memory>
#include <sstream>

namespace {

struct ContextDeleter {
    void operator()(EVP_PKEY_CTX* ctx) const { EVP_PKEY_CTX_free(ctx); }
};
using ContextPtr = std::unique_ptr<EVP_PKEY_CTX, ContextDeleter>;

}  // namespace

RsaPrivateKey::~RsaPrivateKey() {
    EVP_PKEY_free(key_);
}

bool RsaPrivateKey::LoadPem(const std::string& pem) {
    EVP_PKEY_free(key_);
    key_ = nullptr;
    BIO* bio = BIO_new_mem_buf(pem.data(), static_cast<int>(pem.size()));
    if (bio == nullptr) {
        return false;
    }
    key_ = PEM_read_bio_PrivateKey(bio, nullptr, nullptr, nullptr);
    BIO_free(bio);
    if (key_ != nullptr && !EVP_PKEY_is_a(key_, "RSA")) {
        EVP_PKEY_free(key_);
        key_ = nullptr;
    }
    return key_ != nullptr;
}

bool RsaPrivateKey::LoadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return LoadPem(text.str());
}

size_t RsaPrivateKey::SizeInBytes() const {
    return key_ == nullptr ? 0 : static_cast<size_t>(EVP_PKEY_get_size(key_));
}

bool RsaPrivateKey::Decrypt(const uint8_t* block, size_t count, std::vector<uint8_t>& data) const {
    if (key_ == nullptr) {
        return false;
    }
    ContextPtr ctx(EVP_PKEY_CTX_new(key_, nullptr));
    size_t size = SizeInBytes();
    data.assign(size, 0);
    if (!ctx || EVP_PKEY_decrypt_init(ctx.get()) <= 0 ||
        EVP_PKEY_CTX_set_rsa_padding(ctx.get(), RSA_PKCS1_PADDING) <= 0 ||
        EVP_PKEY_decrypt(ctx.get(), data.data(), &size, block, count) <= 0) {
        data.clear();
        return false;
    }
    data.resize(size);
    return true;
}

bool RsaPrivateKey::Sign(const uint8_t* data, size_t count, std::vector<uint8_t>& block) const {
    if (key_ == nullptr) {
        return false;
    }
    ContextPtr ctx(EVP_PKEY_CTX_new(key_, nullptr));
    size_t size = SizeInBytes();
    block.assign(size, 0);
    if (!ctx || EVP_PKEY_sign_init(ctx.get()) <= 0 ||
        EVP_PKEY_CTX_set_rsa_padding(ctx.get(), RSA_PKCS1_PADDING) <= 0 ||
        EVP_PKEY_sign(ctx.get(), block.data(), &size, data, count) <= 0) {
        block.clear();
        return false;
    }
    block.resize(size);
    return true;
}
