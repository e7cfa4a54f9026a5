// Wrapped texts of the languages that write words without spaces between
// them (Japanese, Chinese) or whose syllables Pango would part (Korean)
// break between phrases, never inside a word or a name.
#include <gtest/gtest.h>
#include <glib.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/i18n.h"
#include "platform/i18n_data.h"
#include "rules/classes.h"
#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"
#include "ui/game_ui.h"

namespace {

using uitest::Canvas;

struct LanguageGuard {
    explicit LanguageGuard(const char* code) { i18n::setLanguage(code); }
    ~LanguageGuard() { i18n::setLanguage("en"); }
};

const i18n_data::Catalog& catalogue(const std::string& code) {
    for (const i18n_data::Catalog& c : i18n_data::kCatalogs) {
        if (code == c.code) return c;
    }
    return i18n_data::kCatalogs[1];
}

enum class Kind { Other, Han, Katakana, Hiragana, Hangul };

Kind kindOf(gunichar ch) {
    if (ch == 0x30FC) return Kind::Katakana;  // the prolonged sound mark of "ローグ"
    switch (g_unichar_get_script(ch)) {
    case G_UNICODE_SCRIPT_HAN: return Kind::Han;
    case G_UNICODE_SCRIPT_KATAKANA: return Kind::Katakana;
    case G_UNICODE_SCRIPT_HIRAGANA: return Kind::Hiragana;
    case G_UNICODE_SCRIPT_HANGUL: return Kind::Hangul;
    default: return Kind::Other;
    }
}

// Whether a line that starts at byte `at` parts a word: a kanji or katakana
// compound ("破/壊力", "ロー/グ"), a Korean word, or a Japanese word from
// the ending or particle that closes it ("強/く"). Chinese words are not
// marked in the text, so only its names are checked (below).
bool partsAWord(const std::string& text, int at, const std::string& language) {
    const gunichar after = g_utf8_get_char(text.c_str() + at);
    const gunichar before = g_utf8_get_char(g_utf8_prev_char(text.c_str() + at));
    const Kind a = kindOf(before);
    const Kind b = kindOf(after);
    if (language == "ko") return a == Kind::Hangul && b == Kind::Hangul;
    if (language != "ja") return false;
    if (a == b && (a == Kind::Han || a == Kind::Katakana)) return true;
    return b == Kind::Hiragana && (a == Kind::Han || a == Kind::Katakana);
}

ui::TextStyle wrapped(double width) {
    ui::TextStyle st;
    st.size = 13;
    st.wrapWidth = width;
    return st;
}

class LineBreaks : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(uitest::fontsReady()); }
};

// Every text of the Japanese and Korean catalogues, in boxes as narrow as a
// hero card's blurb and as wide as a shop's description.
TEST_F(LineBreaks, JapaneseAndKoreanTextsNeverBreakInsideAWord) {
    Canvas cv(10, 10);
    for (const char* language : {"ja", "ko"}) {
        LanguageGuard guard(language);
        const i18n_data::Catalog& c = catalogue(language);
        int wrappedTexts = 0;
        for (int i = 0; i < c.count; ++i) {
            const std::string text = c.entries[i].text;
            for (double width : {170.0, 260.0}) {
                const std::vector<int> starts = ui::lineStarts(cv.cr, text, wrapped(width));
                if (starts.size() > 1) ++wrappedTexts;
                for (std::size_t k = 1; k < starts.size(); ++k) {
                    EXPECT_FALSE(partsAWord(text, starts[k], language))
                        << language << " " << c.entries[i].key << " at " << width << ": …"
                        << text.substr(0, starts[k]) << " / " << text.substr(starts[k]);
                }
            }
        }
        EXPECT_GT(wrappedTexts, 100) << language << ": the boxes must be narrow enough to wrap";
    }
}

// The shops list the classes an item fits, joined by the language's comma:
// a class name that fits the box never starts a line half-way through.
TEST_F(LineBreaks, ClassListsBreakBetweenNames) {
    Canvas cv(10, 10);
    for (const char* language : {"ja", "zh", "zh_TW", "ko"}) {
        LanguageGuard guard(language);
        std::vector<std::string> names;
        for (int k = 0; k < rpg::kClassCount; ++k) names.push_back(ui::className(static_cast<rpg::ClassId>(k)));
        const std::string list = i18n::joinList(names);
        std::vector<int> nameStarts;
        int at = 0;
        for (const std::string& name : names) {
            nameStarts.push_back(at);
            at += static_cast<int>(name.size() + std::string(i18n::listSeparator()).size());
        }
        for (double width : {100.0, 130.0, 180.0}) {
            const std::vector<int> starts = ui::lineStarts(cv.cr, list, wrapped(width));
            EXPECT_GT(starts.size(), 1u) << language << " " << width;
            for (int start : starts) {
                // A line starts with a name, or with the space after a comma
                // that Pango leaves at the end of the line before.
                const bool atName = std::find(nameStarts.begin(), nameStarts.end(), start) != nameStarts.end();
                EXPECT_TRUE(atName) << language << " at " << width << ": " << list.substr(start);
            }
        }
    }
}

// A word wider than its box still breaks inside the box rather than run
// past its edge.
TEST_F(LineBreaks, AWordWiderThanItsBoxStillWrapsInsideIt) {
    Canvas cv(10, 10);
    for (const char* language : {"ja", "zh", "ko"}) {
        LanguageGuard guard(language);
        const std::string word = language == std::string("ko") ? "모험가길드의전설적인영웅들이모였다" : "永劫原初鋼鉄暗黒虚空暴風猛毒疫病";
        const ui::TextStyle st = wrapped(90);
        double w = 0;
        ui::measureText(cv.cr, word, st, &w, nullptr);
        EXPECT_LE(w, 91) << language;
        EXPECT_GT(ui::lineStarts(cv.cr, word, st).size(), 1u) << language;
    }
}

// In the other languages Pango's own line breaking stands: a long Latin word
// may still break inside when nothing else fits.
TEST_F(LineBreaks, OtherLanguagesKeepPangosBreaking) {
    Canvas cv(10, 10);
    LanguageGuard guard("en");
    const std::vector<int> starts = ui::lineStarts(cv.cr, "Velmorandinevelmorandinevelmorandine", wrapped(90));
    EXPECT_GT(starts.size(), 1u);
    EXPECT_EQ(ui::lineStarts(cv.cr, "One line", wrapped(0)), std::vector<int>{0});
}

} // namespace
