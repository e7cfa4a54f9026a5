#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include <sodium.h>

#include "platform/save_crypt.h"

namespace {

constexpr std::size_t kHeader = 45;

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

} // namespace

TEST(SaveSeal, SealsWithAFreshNonceAndOpensAgain) {
    const std::string text = R"({"gold":120,"name":"Ada"})";
    const std::string a = platform::saveEncrypt(text);
    const std::string b = platform::saveEncrypt(text);
    EXPECT_NE(a, b);
    EXPECT_NE(a.substr(5, 24), b.substr(5, 24)) << "the nonces differ";
    ASSERT_EQ(a.size(), kHeader + text.size());
    EXPECT_EQ(a.substr(0, 5), std::string("JSCH\x01", 5));
    EXPECT_EQ(a.find(text), std::string::npos) << "the text is not stored in the clear";

    for (const std::string* sealed : {&a, &b}) {
        std::string out = "stale";
        EXPECT_EQ(platform::saveDecrypt(*sealed, &out), 0);
        EXPECT_EQ(out, text);
        EXPECT_EQ(platform::saveDecrypt(*sealed, nullptr), 0);
    }

    // Any bytes survive, zero bytes and a large text included.
    std::string binary(1 << 20, '\0');
    for (std::size_t i = 0; i < binary.size(); ++i) binary[i] = static_cast<char>(i * 131 % 251);
    std::string out;
    EXPECT_EQ(platform::saveDecrypt(platform::saveEncrypt(binary), &out), 0);
    EXPECT_EQ(out, binary);
}

TEST(SaveSeal, EmptyTextSealsToABareHeader) {
    const std::string sealed = platform::saveEncrypt("");
    EXPECT_EQ(sealed.size(), kHeader);
    std::string out = "stale";
    EXPECT_EQ(platform::saveDecrypt(sealed, &out), 0);
    EXPECT_EQ(out, "");
}

TEST(SaveSeal, EveryDamageIsRejected) {
    const std::string good = platform::saveEncrypt("{\"depth\":7}");
    auto expectResult = [](const std::string& sealed, int want, const std::string& what) {
        std::string out = "stale";
        EXPECT_EQ(platform::saveDecrypt(sealed, &out), want) << what;
        EXPECT_EQ(out, "") << what;
        EXPECT_EQ(platform::saveDecrypt(sealed, nullptr), want) << what;
    };

    for (std::size_t i = 0; i < good.size(); ++i) {
        for (unsigned char flip : {0x01, 0x80, 0xFF}) {
            std::string bad = good;
            bad[i] = static_cast<char>(bad[i] ^ flip);
            expectResult(bad, 2, "byte " + std::to_string(i) + " changed");
        }
    }
    for (std::size_t n = 1; n < good.size(); ++n) expectResult(good.substr(0, n), 2, "cut to " + std::to_string(n));
    expectResult(good + '\0', 2, "lengthened");
    expectResult("", 1, "empty");

    std::string version2 = good;
    version2[4] = 2;
    expectResult(version2, 2, "version 2");
}

TEST(SaveSeal, ForeignKeyIsRejected) {
    // A string in the right layout, sealed under some other key.
    ASSERT_GE(sodium_init(), 0);
    const std::string text = "{}";
    unsigned char key[32], nonce[24], tag[16];
    unsigned char cipher[2];
    crypto_aead_xchacha20poly1305_ietf_keygen(key);
    randombytes_buf(nonce, sizeof nonce);
    crypto_aead_xchacha20poly1305_ietf_encrypt_detached(cipher, tag, nullptr,
                                                         reinterpret_cast<const unsigned char*>(text.data()),
                                                         text.size(), nullptr, 0, nullptr, nonce, key);
    std::string sealed("JSCH\x01", 5);
    sealed.append(reinterpret_cast<const char*>(nonce), sizeof nonce);
    sealed.append(reinterpret_cast<const char*>(tag), sizeof tag);
    sealed.append(reinterpret_cast<const char*>(cipher), sizeof cipher);
    std::string out = "stale";
    EXPECT_EQ(platform::saveDecrypt(sealed, &out), 2);
    EXPECT_EQ(out, "");
}

TEST(SaveSeal, LooksSealedChecksOnlyLengthAndMagic) {
    EXPECT_TRUE(platform::looksSealed("JSCH" + std::string(41, '\x09')));
    EXPECT_FALSE(platform::looksSealed("JSCH" + std::string(40, '\x01')));
    EXPECT_FALSE(platform::looksSealed("JSCX" + std::string(41, '\x01')));
    EXPECT_FALSE(platform::looksSealed(""));
    EXPECT_TRUE(platform::looksSealed(platform::saveEncrypt("")));
}

// Saves written by earlier builds must keep opening: this file was sealed
// once and is never regenerated. If it stops opening, the key material or
// the layout changed and every player's saves would be set aside.
TEST(SaveSeal, CommittedSaveStillOpens) {
    const std::string sealed = readAll(std::string(VEL_SOURCE_DIR) + "/tests/platform/data/settings.sealed");
    ASSERT_FALSE(sealed.empty());
    std::string out;
    ASSERT_EQ(platform::saveDecrypt(sealed, &out), 0);
    EXPECT_EQ(out,
              R"({"difficulty":"hard","fullscreen":false,"language":"de","maximized":false,)"
              R"("musicVolume":0.10000000000000001,"sfxVolume":0.25,"soundOn":true,)"
              R"("windowH":720,"windowW":1280,"windowX":-1,"windowY":-1})");
}
