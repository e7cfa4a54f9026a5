// Damaged, truncated and hostile input for the JSON parser and the save
// seal: nothing may crash, and what the parser accepts must write back to
// text that reads the same. This file also runs under the address and
// undefined-behaviour sanitizers.
#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <random>

#include "platform/json.h"
#include "platform/save_crypt.h"

namespace {

using js::Type;
using js::Value;

bool allFinite(const Value& v) {
    switch (v.type) {
    case Type::Number: return std::isfinite(v.num);
    case Type::Array:
        for (const Value& e : v.arr) {
            if (!allFinite(e)) return false;
        }
        return true;
    case Type::Object:
        for (const auto& [k, m] : v.obj) {
            if (!allFinite(m)) return false;
        }
        return true;
    default: return true;
    }
}

const char* const kDocuments[] = {
    R"({"difficulty":"easy","fullscreen":false,"language":"","maximized":false,"musicVolume":0.10000000000000001,)"
    R"("sfxVolume":0.25,"soundOn":true,"windowH":0,"windowW":0,"windowX":-1,"windowY":-1})",
    R"({"roster":[{"id":"mage-1","stats":{"atk":12.5,"def":-3e2},"bag":[],"skills":{"fire":2}}],)"
    R"("partyIds":["mage-1"],"gold":1200,"runeCircle":[null,null,{"stat":"crit","value":0.05}]})",
    R"( [ "\u00e9\ud83d\ude00\n\t\\\"/", 0x1A, +5, .5, -0, 1e308, true, false, null, [], {} ] )",
    R"({"a":{"b":{"c":{"d":[[[[["deep"]]]]]}}},"e":""})",
};

std::string mutate(std::string s, std::mt19937& rng) {
    static const char kSyntax[] = "{}[]\",:\\u0123456789abcdefeE+-.ntrfl \t\n\x01\xff";
    auto pick = [&](std::size_t n) { return n ? rng() % n : 0; };
    const int steps = 1 + static_cast<int>(rng() % 4);
    for (int i = 0; i < steps; ++i) {
        const std::size_t at = pick(s.size() + 1);
        switch (rng() % 6) {
        case 0:
            if (at < s.size()) s[at] = static_cast<char>(s[at] ^ (1 + rng() % 255));
            break;
        case 1: s.insert(at, 1, kSyntax[pick(sizeof kSyntax - 1)]); break;
        case 2:
            if (at < s.size()) s.erase(at, 1 + pick(8));
            break;
        case 3: s.resize(at); break;
        case 4: {
            const std::size_t from = pick(s.size() + 1);
            s.insert(at, s.substr(from, pick(32)));
            break;
        }
        default: s.insert(at, 1, static_cast<char>(rng()));
        }
    }
    return s;
}

} // namespace

TEST(BadInput, DocumentsParseOrFailWhole) {
    for (const char* doc : kDocuments) {
        const Value v = js::parse(doc);
        EXPECT_NE(v.type, Type::Null) << doc;
        // Every cut of a document fails: no prefix is mistaken for the whole.
        const std::string text = doc;
        const std::size_t last = text.find_last_not_of(' ');
        for (std::size_t n = 0; n < last; ++n) {
            EXPECT_EQ(js::parse(text.substr(0, n)).type, Type::Null) << "cut to " << n << ": " << doc;
        }
    }
    const char* const broken[] = {
        "{", "[", "[[]", "{\"a\":[}", "[{]}", "]", "}", ",", ":", "{\"a\"}", "{\"a\":}", "{,}", "[,]", "[1,,2]",
        "{\"a\":1,,\"b\":2}", "{\"a\":1]", "[1}", "{1:2}", "{\"a\"::1}", "\"\\u", "\"\\ud83d\\u",
        "tru", "[nan]", "[-]", "[.]", "[e5]", "[0x]x", "\xff\xfe", "[\"a\"\"b\"]", "[\"a\" : 1]",
    };
    for (const char* text : broken) EXPECT_EQ(js::parse(text).type, Type::Null) << text;
    EXPECT_EQ(js::parse(std::string("[1,\0,2]", 7)).type, Type::Null) << "a zero byte";
}

TEST(BadInput, MutatedJsonNeverCrashesAndReparsesStably) {
    std::mt19937 rng(20240611u);
    int accepted = 0;
    for (int i = 0; i < 20000; ++i) {
        std::string text = mutate(kDocuments[i % std::size(kDocuments)], rng);
        if (i % 97 == 0) text = std::string(1 + rng() % 1200, "[{"[rng() % 2]) + text;
        const Value v = js::parse(text);
        if (v.type == Type::Null || !allFinite(v)) continue;
        ++accepted;
        const std::string once = v.dump();
        const Value again = js::parse(once);
        ASSERT_NE(again.type, Type::Null) << "input: " << text;
        ASSERT_EQ(again.dump(), once) << "input: " << text;
    }
    // Mutations are small: many documents must still read, so the round
    // trip above really ran.
    EXPECT_GT(accepted, 1000);
}

TEST(BadInput, DamagedSealsAreRejectedNeverOpened) {
    std::mt19937 rng(77017u);
    const std::string plains[] = {"", "{}", kDocuments[0], kDocuments[1]};
    std::string sealed[std::size(plains)];
    for (std::size_t i = 0; i < std::size(plains); ++i) sealed[i] = platform::saveEncrypt(plains[i]);

    for (int i = 0; i < 5000; ++i) {
        const std::string& good = sealed[i % std::size(sealed)];
        const std::string bad = mutate(good, rng);
        if (bad == good) continue;
        std::string out = "stale";
        const int rc = platform::saveDecrypt(bad, &out);
        ASSERT_EQ(rc, bad.empty() ? 1 : 2) << "case " << i;
        ASSERT_EQ(out, "");
    }
    // Random bytes behind a valid header, of every short length.
    for (int i = 0; i < 2000; ++i) {
        std::string junk("JSCH\x01", 5);
        junk.resize(5 + rng() % 120);
        for (std::size_t k = 5; k < junk.size(); ++k) junk[k] = static_cast<char>(rng());
        ASSERT_EQ(platform::saveDecrypt(junk, nullptr), 2);
    }
}
