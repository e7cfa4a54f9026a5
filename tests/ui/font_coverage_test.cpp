// The bundled fonts alone must draw every character the game can show: the
// player's machine may hold no other font. Coverage is read from the character
// sets Fontconfig computed from our own files, never from system fonts.
#include <fontconfig/fontconfig.h>
#include <glib.h>
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "platform/i18n_data.h"
#include "platform/paths.h"
#include "tests/ui/ui_fixture.h"

namespace {

// The fonts registered with Fontconfig as the application's own, with the
// character sets read from their files.
struct BundledFonts {
    std::vector<std::string> files;
    FcCharSet* all = FcCharSetCreate();
    std::map<std::string, FcCharSet*> byFamily;  // borrowed from Fontconfig's patterns

    BundledFonts() {
        FcFontSet* set = FcConfigGetFonts(FcConfigGetCurrent(), FcSetApplication);
        for (int i = 0; set && i < set->nfont; ++i) {
            FcChar8* file = nullptr;
            FcChar8* family = nullptr;
            FcCharSet* chars = nullptr;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) != FcResultMatch ||
                FcPatternGetString(set->fonts[i], FC_FAMILY, 0, &family) != FcResultMatch ||
                FcPatternGetCharSet(set->fonts[i], FC_CHARSET, 0, &chars) != FcResultMatch) {
                continue;
            }
            files.emplace_back(reinterpret_cast<const char*>(file));
            byFamily[reinterpret_cast<const char*>(family)] = chars;
            FcCharSetMerge(all, chars, nullptr);
        }
    }
    ~BundledFonts() { FcCharSetDestroy(all); }
    BundledFonts(const BundledFonts&) = delete;
    BundledFonts& operator=(const BundledFonts&) = delete;
};

// The characters of a text that no bundled font holds, as "U+XXXX 'c'" items.
// A line break is layout, not a glyph; every other character counts, the
// joiners and no-break space included, since the fonts do hold those.
std::vector<std::string> uncovered(const char* text, const FcCharSet* chars) {
    std::vector<std::string> out;
    if (!g_utf8_validate(text, -1, nullptr)) return {"invalid UTF-8"};
    for (const char* p = text; *p; p = g_utf8_next_char(p)) {
        const gunichar c = g_utf8_get_char(p);
        if (c == '\n' || FcCharSetHasChar(chars, c)) continue;
        char item[32];
        std::snprintf(item, sizeof item, "U+%04X '%.*s'", c, static_cast<int>(g_utf8_next_char(p) - p), p);
        out.emplace_back(item);
    }
    return out;
}

// The single characters that two-byte codes of a legacy character set decode
// to, for lead bytes [lead0, lead1] and trail bytes [trail0, trail1].
std::vector<uint32_t> decodeBlock(const char* charset, int lead0, int lead1, int trail0, int trail1) {
    std::vector<uint32_t> out;
    iconv_t cd = iconv_open("UTF-32LE", charset);
    if (cd == reinterpret_cast<iconv_t>(-1)) return out;
    for (int a = lead0; a <= lead1; ++a) {
        for (int b = trail0; b <= trail1; ++b) {
            char in[2] = {static_cast<char>(a), static_cast<char>(b)};
            uint32_t res[4] = {};
            char* ip = in;
            char* op = reinterpret_cast<char*>(res);
            size_t il = sizeof in, ol = sizeof res;
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            if (iconv(cd, &ip, &il, &op, &ol) == static_cast<size_t>(-1) || il != 0) continue;
            if (sizeof res - ol == sizeof(uint32_t)) out.push_back(GUINT32_FROM_LE(res[0]));
        }
    }
    iconv_close(cd);
    return out;
}

bool isHan(uint32_t c) { return (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF); }

class FontCoverage : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(uitest::fontsReady()); }
};

TEST_F(FontCoverage, OnlyBundledFilesAreJudged) {
    BundledFonts fonts;
    ASSERT_FALSE(fonts.files.empty());
    const std::string dir = paths::asset("assets/fonts/");
    for (const std::string& f : fonts.files) EXPECT_EQ(f.rfind(dir, 0), 0u) << f;
    EXPECT_TRUE(fonts.byFamily.count("Velmorandine CJK"));
}

TEST_F(FontCoverage, CheckNamesWhatNoFontHolds) {
    BundledFonts fonts;
    // A private-use character and a rare ideograph outside the CJK face's sets.
    const std::vector<std::string> want = {"U+E000 '\uE000'", "U+9F98 '\u9F98'"};
    EXPECT_EQ(uncovered("ok\u00A0\u200C\n\uE000 \u9F98.", fonts.all), want);
    EXPECT_EQ(uncovered("\xC3(", fonts.all), std::vector<std::string>{"invalid UTF-8"});
}

TEST_F(FontCoverage, EveryCatalogueTextIsDrawable) {
    BundledFonts fonts;
    for (const i18n_data::Catalog& c : i18n_data::kCatalogs) {
        EXPECT_EQ(uncovered(c.nativeName, fonts.all), std::vector<std::string>{}) << c.code << " name";
        EXPECT_EQ(uncovered(c.englishName, fonts.all), std::vector<std::string>{}) << c.code << " name";
        for (int i = 0; i < c.count; ++i) {
            EXPECT_EQ(uncovered(c.entries[i].text, fonts.all), std::vector<std::string>{})
                << c.code << " " << c.entries[i].key;
        }
    }
}

// The CJK face is a subset; besides the catalogues' characters it keeps the
// common sets, so that names and texts added later mostly draw already.
TEST_F(FontCoverage, CjkFaceKeepsTheCommonSets) {
    BundledFonts fonts;
    ASSERT_TRUE(fonts.byFamily.count("Velmorandine CJK"));
    const FcCharSet* cjk = fonts.byFamily["Velmorandine CJK"];
    struct Set {
        const char* name;
        std::vector<uint32_t> chars;
        size_t size;
    };
    std::vector<Set> sets = {
        {"GB2312 level 1", decodeBlock("GB2312", 0xB0, 0xD7, 0xA1, 0xFE), 3755},
        {"Big5 level 1", {}, 5401},
        {"JIS X 0208 level 1", decodeBlock("EUC-JP", 0xB0, 0xCF, 0xA1, 0xFE), 2965},
        {"KS X 1001 Hangul", decodeBlock("EUC-KR", 0xB0, 0xC8, 0xA1, 0xFE), 2350},
        {"kana", {}, 86 + 90},
        {"full-width ASCII", {}, 94},
    };
    for (uint32_t c : decodeBlock("BIG5", 0xA4, 0xC6, 0x40, 0xFE)) {
        if (isHan(c)) sets[1].chars.push_back(c);
    }
    for (uint32_t c = 0x3041; c <= 0x3096; ++c) sets[4].chars.push_back(c);
    for (uint32_t c = 0x30A1; c <= 0x30FA; ++c) sets[4].chars.push_back(c);
    for (uint32_t c = 0xFF01; c <= 0xFF5E; ++c) sets[5].chars.push_back(c);
    for (const Set& s : sets) {
        EXPECT_EQ(s.chars.size(), s.size) << s.name << ": the character set decoded differently";
        int missing = 0;
        for (uint32_t c : s.chars) missing += !FcCharSetHasChar(cjk, c);
        EXPECT_EQ(missing, 0) << s.name;
    }
}

} // namespace
