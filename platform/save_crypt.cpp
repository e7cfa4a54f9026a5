#include "platform/save_crypt.h"

#include <chrono>
#include <cstdint>
#include <cstring>
#include <random>
#include <vector>

#include <sodium.h>

namespace platform {
namespace {

constexpr unsigned char kMagic[4] = {'J', 'S', 'C', 'H'};
constexpr unsigned char kVersion = 1;
constexpr std::size_t kNonceBytes = crypto_aead_xchacha20poly1305_ietf_NPUBBYTES;
constexpr std::size_t kTagBytes = crypto_aead_xchacha20poly1305_ietf_ABYTES;
constexpr std::size_t kKeyBytes = crypto_aead_xchacha20poly1305_ietf_KEYBYTES;
constexpr std::size_t kNonceAt = 5;
constexpr std::size_t kTagAt = kNonceAt + kNonceBytes;
constexpr std::size_t kHeaderBytes = kTagAt + kTagBytes;
static_assert(kNonceBytes == 24 && kTagBytes == 16 && kKeyBytes == 32 && kHeaderBytes == 45);

// The key material. Every save ever written opens only with exactly these
// bytes: never change them.
constexpr unsigned char kSeeds[32] = {
    0xa2, 0x77, 0x79, 0x79, 0x54, 0x7a, 0x7f, 0xf8, 0xf9, 0x47, 0xb6, 0xf8, 0xee, 0xc1, 0xdb, 0x44,
    0x68, 0x02, 0x82, 0x8d, 0xb9, 0x5a, 0x35, 0x02, 0x32, 0x76, 0x56, 0x23, 0x44, 0xbf, 0x34, 0x8d,
};
constexpr char kPepper[] = "2OYcApEzK_RSy4-V";
static_assert(sizeof kPepper - 1 == 16);

void ensureSodium() {
    // Picks the fastest code paths once; the functions used here work even
    // when it reports a failure.
    static const int once = sodium_init();
    (void)once;
}

// The key exists only for the length of one seal or unseal; the material is
// wiped as soon as the key is made, the key by the caller after use.
void deriveKey(unsigned char* key) {
    unsigned char material[sizeof kSeeds + 16];
    std::memcpy(material, kSeeds, sizeof kSeeds);
    std::memcpy(material + sizeof kSeeds, kPepper, 16);
    crypto_generichash(key, kKeyBytes, material, sizeof material, nullptr, 0);
    sodium_memzero(material, sizeof material);
}

void putLittleEndian(unsigned char* out, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

void makeNonce(unsigned char* out) {
    try {
        std::random_device device("default");
        for (std::size_t w = 0; w < kNonceBytes / 4; ++w) putLittleEndian(out + 4 * w, device());
    } catch (const std::exception&) {
        // No random device: the system generator serves just as well.
        randombytes_buf(out, kNonceBytes);
    }
    const auto ticks = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    for (int k = 0; k < 8; ++k) out[k] ^= static_cast<unsigned char>(ticks >> (8 * k));
}

const unsigned char* bytes(const std::string& s) { return reinterpret_cast<const unsigned char*>(s.data()); }

} // namespace

std::string saveEncrypt(const std::string& plain) {
    ensureSodium();
    unsigned char key[kKeyBytes];
    deriveKey(key);
    unsigned char nonce[kNonceBytes];
    makeNonce(nonce);
    unsigned char tag[kTagBytes];
    std::vector<unsigned char> cipher(plain.size() + 1);  // +1: never a null buffer for empty text
    crypto_aead_xchacha20poly1305_ietf_encrypt_detached(cipher.data(), tag, nullptr, bytes(plain), plain.size(),
                                                         nullptr, 0, nullptr, nonce, key);
    sodium_memzero(key, sizeof key);

    std::string sealed;
    sealed.reserve(kHeaderBytes + plain.size());
    sealed.append(reinterpret_cast<const char*>(kMagic), sizeof kMagic);
    sealed += static_cast<char>(kVersion);
    sealed.append(reinterpret_cast<const char*>(nonce), kNonceBytes);
    sealed.append(reinterpret_cast<const char*>(tag), kTagBytes);
    sealed.append(reinterpret_cast<const char*>(cipher.data()), plain.size());
    return sealed;
}

int saveDecrypt(const std::string& sealed, std::string* out) {
    if (out) out->clear();
    if (sealed.empty()) return 1;
    if (sealed.size() < kHeaderBytes) return 2;
    if (std::memcmp(sealed.data(), kMagic, sizeof kMagic) != 0 || bytes(sealed)[4] != kVersion) return 2;

    ensureSodium();
    unsigned char key[kKeyBytes];
    deriveKey(key);
    const std::size_t n = sealed.size() - kHeaderBytes;
    std::vector<unsigned char> plain(n + 1);
    const int rc = crypto_aead_xchacha20poly1305_ietf_decrypt_detached(
        plain.data(), nullptr, bytes(sealed) + kHeaderBytes, n, bytes(sealed) + kTagAt, nullptr, 0,
        bytes(sealed) + kNonceAt, key);
    sodium_memzero(key, sizeof key);
    if (rc == 0 && out) out->assign(reinterpret_cast<const char*>(plain.data()), n);
    sodium_memzero(plain.data(), plain.size());
    return rc == 0 ? 0 : 2;
}

bool looksSealed(const std::string& data) {
    return data.size() >= kHeaderBytes && std::memcmp(data.data(), kMagic, sizeof kMagic) == 0;
}

} // namespace platform
