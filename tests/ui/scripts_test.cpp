// Every script of the game's languages must draw with a real glyph from a
// bundled font, never a missing-glyph box.
#include <gtest/gtest.h>
#include <pango/pangocairo.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>

#include "platform/i18n.h"
#include "platform/paths.h"
#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"
#include "ui/game_ui.h"

namespace {

using uitest::Canvas;

struct RunInfo {
    std::set<std::string> families;  // of runs that hold more than spaces
    int glyphs = 0;
    int missing = 0;
};

// Lays text out the way the interface does (with the family list it picks
// for the text) and reports which fonts Pango chose and whether any glyph is
// the unknown-character box or .notdef.
RunInfo inspect(cairo_t* cr, const char* text, const char* family) {
    PangoLayout* layout = pango_cairo_create_layout(cr);
    PangoFontDescription* desc = pango_font_description_new();
    pango_font_description_set_family(desc, ui::fontFamilyFor(text, family).c_str());
    pango_font_description_set_absolute_size(desc, 20 * PANGO_SCALE);
    pango_layout_set_font_description(layout, desc);
    pango_layout_set_text(layout, text, -1);
    RunInfo info;
    PangoLayoutIter* it = pango_layout_get_iter(layout);
    do {
        PangoLayoutRun* run = pango_layout_iter_get_run_readonly(it);
        if (!run) continue;
        const std::string runText(text + run->item->offset, run->item->length);
        if (runText.find_first_not_of(' ') != std::string::npos) {
            PangoFontDescription* used = pango_font_describe(run->item->analysis.font);
            info.families.insert(pango_font_description_get_family(used));
            pango_font_description_free(used);
        }
        for (int i = 0; i < run->glyphs->num_glyphs; ++i) {
            PangoGlyph g = run->glyphs->glyphs[i].glyph;
            ++info.glyphs;
            if ((g & PANGO_GLYPH_UNKNOWN_FLAG) || g == 0) ++info.missing;
        }
    } while (pango_layout_iter_next_run(it));
    pango_layout_iter_free(it);
    pango_font_description_free(desc);
    g_object_unref(layout);
    return info;
}

class Scripts : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(uitest::fontsReady()); }
};

TEST_F(Scripts, EachScriptDrawsRealGlyphsFromItsBundledFace) {
    struct Case {
        const char* language;
        const char* text;
        const char* family;  // null: any font, as long as every glyph is real
    };
    const Case cases[] = {
        {"ja", "冒険者ギルドへようこそ", "Velmorandine CJK"},
        {"zh", "欢迎来到冒险者公会", "Velmorandine CJK"},
        {"zh_TW", "歡迎來到冒險者公會", "Velmorandine CJK"},
        {"ko", "모험가 길드에 오신 것을 환영합니다", "Velmorandine CJK"},
        {"hi", "साहसी संघ में स्वागत है", "Velmorandine Deva"},
        {"ne", "साहसी संघमा स्वागत छ", "Velmorandine Deva"},
        {"bn", "অভিযাত্রী সংঘে স্বাগতম", "Velmorandine Beng"},
        {"th", "ยินดีต้อนรับสู่กิลด์นักผจญภัย", "Velmorandine Thai"},
        {"ar", "مرحبا بك في نقابة المغامرين", "Velmorandine Arab"},
        {"fa", "به انجمن ماجراجویان خوش آمدید", "Velmorandine Arab"},
        {"ur", "مہم جوؤں کی انجمن میں خوش آمدید", "Velmorandine Arab"},
        {"he", "ברוכים הבאים לגילדת ההרפתקנים", "DejaVu Sans"},
        {"de", "Willkommen in der Abenteurergilde", "DejaVu Sans Mono"},
        {"ru", "Добро пожаловать в гильдию", "DejaVu Sans Mono"},
        {"el", "Καλώς ήρθατε στη συντεχνία", "DejaVu Sans Mono"},
        {"pl", "Witaj w gildii poszukiwaczy przygód", "DejaVu Sans Mono"},
        {"vi", "Chào mừng đến hội mạo hiểm giả", nullptr},
    };
    Canvas cv(700, 60);
    for (const auto& c : cases) {
        for (const char* family : {ui::kFontMono, ui::kFontSans}) {
            RunInfo info = inspect(cv.cr, c.text, family);
            EXPECT_GT(info.glyphs, 0) << c.language;
            EXPECT_EQ(info.missing, 0) << c.language << " has missing glyphs";
            if (c.family && family == ui::kFontMono) {
                EXPECT_EQ(info.families, std::set<std::string>{c.family}) << c.language;
            }
        }
        Canvas drawn(700, 60);
        ui::TextStyle st;
        st.size = 20;
        ui::drawText(drawn.cr, 5, 5, c.text, st);
        EXPECT_GT(drawn.ink().w, 100) << c.language << " drew no ink";
    }
}

// A right-to-left sentence takes its punctuation from the face of its
// letters: a monospaced full stop after Arabic letters reads as a gap
// ("بالمجد ."), and no face of the monospaced list holds Hebrew.
TEST_F(Scripts, RightToLeftSentencesTakeTheirPunctuationFromTheirScriptsFace) {
    Canvas cv(10, 10);
    const struct {
        const char* text;
        const char* family;
    } cases[] = {
        {"بالمجد. هيا: تقدّم، الآن!", "Velmorandine Arab"},
        {"ברוכים הבאים, גיבור!", "DejaVu Sans"},
    };
    for (const auto& c : cases) {
        for (const char* list : {ui::kFontMono, ui::kFontSans}) {
            RunInfo info = inspect(cv.cr, c.text, list);
            EXPECT_EQ(info.missing, 0) << c.text;
            EXPECT_EQ(info.families, std::set<std::string>{c.family}) << c.text;
        }
    }
}

TEST_F(Scripts, ArabicFaceLeavesLatinLettersAndDigitsAlone) {
    Canvas cv(10, 10);
    EXPECT_EQ(inspect(cv.cr, "Level 10: Gold 250!", ui::kFontMono).families,
              std::set<std::string>{"DejaVu Sans Mono"});
    EXPECT_EQ(inspect(cv.cr, "Gold 250 ذهب", ui::kFontMono).families,
              (std::set<std::string>{"DejaVu Sans Mono", "Velmorandine Arab"}));
    EXPECT_EQ(inspect(cv.cr, "Gold 250 ذهب", ui::kFontSans).families,
              (std::set<std::string>{"DejaVu Sans", "Velmorandine Arab"}));
    EXPECT_EQ(inspect(cv.cr, "Level 10", ui::kFontSans).families, std::set<std::string>{"DejaVu Sans"});
}

// Korean puts Latin punctuation and spaces between its words: from the
// monospaced face each would be a cell 0.6 em wide, a hole in the line
// ("전열.  베어"). Digits and Latin letters stay with the Latin face.
TEST_F(Scripts, KoreanSentencesTakeTheirPunctuationAndSpacesFromTheCjkFace) {
    Canvas cv(10, 10);
    for (const char* list : {ui::kFontMono, ui::kFontSans}) {
        RunInfo info = inspect(cv.cr, "강인한 전열. 베어 넘기고, 기절시키고! (정말?)", list);
        EXPECT_EQ(info.missing, 0);
        EXPECT_EQ(info.families, std::set<std::string>{"Velmorandine CJK"});
    }
    EXPECT_EQ(inspect(cv.cr, "레벨 15 달성", ui::kFontMono).families,
              (std::set<std::string>{"Velmorandine CJK", "DejaVu Sans Mono"}));
    EXPECT_EQ(inspect(cv.cr, "Level 10: Gold 250!", ui::kFontMono).families,
              std::set<std::string>{"DejaVu Sans Mono"});

    ui::TextStyle st;
    st.size = 20;
    double joined = 0, spaced = 0;
    ui::measureText(cv.cr, "전열베어", st, &joined, nullptr);
    ui::measureText(cv.cr, "전열. 베어", st, &spaced, nullptr);
    EXPECT_LT(spaced - joined, 0.7 * st.size) << "a full stop and a space, not two monospaced cells";
}

struct LanguageGuard {
    explicit LanguageGuard(const char* code) { i18n::setLanguage(code); }
    ~LanguageGuard() { i18n::setLanguage("en"); }
};

// The CJK face holds Chinese, Japanese and Traditional Chinese forms of the
// same characters and draws the ones of the text's language: a Japanese "！"
// stands centred, a Simplified Chinese one to the left. (Korean texts hold no
// ideographs, and Pango takes the language of ideographs in a Korean text
// from the user's locale.)
TEST_F(Scripts, TheActiveLanguageChoosesTheCjkFacesRegionalForms) {
    auto drawn = [](const char* language) {
        LanguageGuard guard(language);
        Canvas cv(120, 40);
        ui::TextStyle st;
        st.size = 28;
        ui::drawText(cv.cr, 2, 2, "\uff01\u9aa8", st);  // "！骨"
        cairo_surface_flush(cv.surface);
        const unsigned char* data = cairo_image_surface_get_data(cv.surface);
        return std::string(reinterpret_cast<const char*>(data),
                           cairo_image_surface_get_stride(cv.surface) * cairo_image_surface_get_height(cv.surface));
    };
    const std::string chinese = drawn("zh");
    EXPECT_TRUE(drawn("en") == chinese) << "a language without forms of its own keeps the default ones";
    for (const char* language : {"ja", "zh_TW"}) {
        EXPECT_TRUE(drawn(language) != chinese) << language;
    }
}

// The mark of a button that opens more choices points the way the line
// reads on screen: in a right-to-left language the chevron's tip is its
// leftmost ink, a single run of pixels where ">" would show its two arms.
TEST_F(Scripts, TheMoreMarkPointsAlongARightToLeftLine) {
    const struct {
        const char* language;
        const char* label;
    } cases[] = {{"ar", "المهارات"}, {"he", "מיומנויות"}, {"fa", "مهارت‌ها"}};
    for (const auto& c : cases) {
        LanguageGuard guard(c.language);
        Canvas cv(300, 50);
        ui::TextStyle st;
        st.size = 30;
        st.bold = true;
        ui::drawText(cv.cr, 4, 4, std::string(c.label) + "  " + ui::moreMark(), st);
        const ui::Rect ink = cv.ink();
        ASSERT_GT(ink.w, 0) << c.language;
        const int x = static_cast<int>(ink.x);
        int runs = 0;
        bool inside = false;
        for (int y = 0; y < 50; ++y) {
            const bool on = cv.alpha(x, y) > 60;
            if (on && !inside) ++runs;
            inside = on;
        }
        EXPECT_EQ(runs, 1) << c.language << ": the leftmost ink is the chevron's tip";
    }
}

TEST_F(Scripts, AFontThatCannotBeRegisteredIsReportedAndSkipped) {
    namespace fs = std::filesystem;
    const fs::path fonts = fs::path(uitest::assetRoot()) / "assets" / "fonts";
    if (paths::assetDir() != uitest::assetRoot() || uitest::assetRoot().rfind(testenv::root(), 0) != 0) {
        GTEST_SKIP() << "the asset directory is not this test's own";
    }
    const fs::path thai = fonts / "VelmorandineThai.ttf";
    const fs::path aside = fonts / "VelmorandineThai.away";
    fs::rename(thai, aside);
    testing::internal::CaptureStderr();
    const bool all = ui::registerBundledFonts();
    const std::string err = testing::internal::GetCapturedStderr();
    fs::rename(aside, thai);
    EXPECT_FALSE(all);
    EXPECT_EQ(err, "[fonts] konnte " + paths::asset("assets/fonts/VelmorandineThai.ttf") + " nicht anmelden\n");
}

} // namespace
