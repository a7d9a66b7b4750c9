#include "platform/pack/winzip_aes.h"

#include <openssl/evp.h>
#include <openssl/hmac.h>

#include <memory>

namespace {

constexpr int keySize = 32;
constexpr int rounds = 1000;
constexpr std::size_t authSize = 10;

struct CipherDeleter {
    void operator()(EVP_CIPHER_CTX* ctx) const { EVP_CIPHER_CTX_free(ctx); }
};

// The counter-mode key stream for size bytes: AES of the blocks 1, 2, 3 ... each counter held
// little-endian in the first bytes of a zeroed 16-byte block.
bool keyStream(const std::uint8_t* key, std::size_t size, std::vector<std::uint8_t>* stream) {
    const std::size_t blocks = (size + 15) / 16;
    std::vector<std::uint8_t> counters(blocks * 16, 0);
    for (std::size_t i = 0; i < blocks; ++i) {
        std::uint64_t n = i + 1;
        for (int b = 0; b < 8; ++b, n >>= 8) {
            counters[i * 16 + b] = static_cast<std::uint8_t>(n & 0xFF);
        }
    }
    std::unique_ptr<EVP_CIPHER_CTX, CipherDeleter> ctx(EVP_CIPHER_CTX_new());
    stream->assign(counters.size() + 16, 0);
    int written = 0;
    if (!ctx || EVP_EncryptInit_ex(ctx.get(), EVP_aes_256_ecb(), nullptr, key, nullptr) != 1 ||
        EVP_CIPHER_CTX_set_padding(ctx.get(), 0) != 1) {
        return false;
    }
    if (!counters.empty() && EVP_EncryptUpdate(ctx.get(), stream->data(), &written, counters.data(),
                                               static_cast<int>(counters.size())) != 1) {
        return false;
    }
    stream->resize(static_cast<std::size_t>(written));
    return stream->size() >= size;
}

} // namespace

std::vector<std::uint8_t> deriveEntrySalt(const std::string& password, std::string_view name,
                                          const std::vector<std::uint8_t>& content) {
    std::vector<std::uint8_t> message(name.begin(), name.end());
    message.push_back(0);
    message.insert(message.end(), content.begin(), content.end());
    std::uint8_t digest[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    HMAC(EVP_sha256(), password.data(), static_cast<int>(password.size()), message.data(),
         message.size(), digest, &length);
    return std::vector<std::uint8_t>(digest, digest + aesSaltSize);
}

std::vector<std::uint8_t> encryptEntry(const std::string& password,
                                       const std::vector<std::uint8_t>& salt,
                                       const std::vector<std::uint8_t>& data) {
    std::uint8_t keys[2 * keySize + 2];
    if (data.size() > 0x7FFFFFF0u || salt.size() != aesSaltSize ||
        PKCS5_PBKDF2_HMAC_SHA1(password.data(), static_cast<int>(password.size()), salt.data(),
                               static_cast<int>(salt.size()), rounds, sizeof keys, keys) != 1) {
        return {};
    }
    std::vector<std::uint8_t> stream;
    if (!keyStream(keys, data.size(), &stream)) {
        return {};
    }
    std::vector<std::uint8_t> out(salt);
    out.push_back(keys[2 * keySize]); // password verifier
    out.push_back(keys[2 * keySize + 1]);
    const std::size_t start = out.size();
    for (std::size_t i = 0; i < data.size(); ++i) {
        out.push_back(data[i] ^ stream[i]);
    }
    std::uint8_t mac[EVP_MAX_MD_SIZE];
    unsigned int length = 0;
    if (HMAC(EVP_sha1(), keys + keySize, keySize, out.data() + start, data.size(), mac, &length) ==
        nullptr) {
        return {};
    }
    out.insert(out.end(), mac, mac + authSize);
    return out;
}
