// The smallest size each script is drawn at, and text drawing holding to it.
#include "ui/legible.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/i18n.h"
#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"

namespace {

TEST(LegibleSize, TheDensestScriptOfTheTextSetsIt) {
    struct Case {
        const char* text;
        double pixels;
    };
    const Case cases[] = {
        {"", 9},
        {"Attack +12", 9},
        {"Ausrüstungswert", 9},
        {"Ελληνικά", 9},
        {"Русский", 9},
        {"⚔ ✓ ·", 9},
        {"חץ אש", 10},
        {"الهجوم", 11},
        {"سایه‌بان", 11},
        {"ไทย", 11},
        {"हिन्दी", 11},
        {"বাংলা", 11},
        {"ゴールド", 11},
        {"中文", 11},
        {"한국어", 11},
        {"Lv. 12 攻撃", 11},        // Latin first, kanji later
        {"HP 12 · חץ", 10},
        {"\xFF\xFE broken", 9},     // invalid UTF-8 stops the reading, nothing more
    };
    for (const Case& c : cases) EXPECT_EQ(ui::legiblePixels(c.text), c.pixels) << c.text;
}

TEST(LegibleSize, ALanguageTakesTheFigureOfItsOwnScript) {
    const std::pair<const char*, double> cases[] = {{"en", 9}, {"de", 9}, {"ru", 9}, {"he", 10}, {"ar", 11},
                                                    {"fa", 11}, {"ja", 11}, {"ko", 11}, {"zh_TW", 11}, {"th", 11}};
    for (const auto& [code, pixels] : cases) {
        i18n::setLanguage(code);
        EXPECT_EQ(ui::legiblePixelsOfLanguage(), pixels) << code;
    }
    i18n::setLanguage("en");
    EXPECT_EQ(ui::legiblePixelsOfLanguage(), 9);
}

class TextFloor : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(uitest::fontsReady()); }
    void TearDown() override { ui::setTextPixelRatio(1); }

    static double width(cairo_t* cr, const char* text, const ui::TextStyle& st) {
        double w = 0;
        ui::measureText(cr, text, st, &w, nullptr);
        return w;
    }
};

// A style asking for less gets the script's size; one asking for more keeps
// its own; a shrink to a fit width stops there, and the text is then wider
// than the width (its layout has to make room).
TEST_F(TextFloor, NoTextIsLaidOutBelowItsScriptsLegibleSize) {
    uitest::Canvas cv(10, 10);
    struct Case {
        const char* what;
        const char* text;
        ui::TextStyle style;
        double size;
    };
    const Case cases[] = {
        {"small Latin", "Gold", {.size = 6}, 9},
        {"small kana", "ゴールド", {.size = 6}, 11},
        {"small Hebrew", "זהב", {.size = 6}, 10},
        {"large enough", "Gold", {.size = 14}, 14},
        {"large enough kana", "ゴールド", {.size = 12}, 12},
        {"shrunk to fit, above the floor", "Velmorandine", {.size = 20, .fitWidth = 100, .minFit = 0}, -1},
        {"shrunk to fit, stopped at the floor", "Velmorandine", {.size = 20, .fitWidth = 10, .minFit = 0}, 9},
        {"minFit above the floor", "Velmorandine", {.size = 20, .fitWidth = 10, .minFit = 0.6}, 12},
        {"kana stopped at the floor", "ゴールドゴールド", {.size = 20, .fitWidth = 10, .minFit = 0.5}, 11},
    };
    for (const Case& c : cases) {
        const double got = ui::fittedSize(cv.cr, c.text, c.style);
        if (c.size > 0) {
            EXPECT_DOUBLE_EQ(got, c.size) << c.what;
            // Measured as laid out at that size.
            EXPECT_DOUBLE_EQ(width(cv.cr, c.text, c.style), width(cv.cr, c.text, {.size = c.size})) << c.what;
        } else {
            EXPECT_GT(got, 9) << c.what;
            EXPECT_LT(got, 20) << c.what;
            EXPECT_LE(width(cv.cr, c.text, c.style), c.style.fitWidth + 1) << c.what;
        }
    }
    EXPECT_GT(width(cv.cr, "Velmorandine", {.size = 20, .fitWidth = 10, .minFit = 0}), 10) << "overflows";
}

// The floor is in device pixels: on a screen of two pixels per unit half the
// units reach it.
TEST_F(TextFloor, TheFloorIsInDevicePixels) {
    uitest::Canvas cv(10, 10);
    ui::setTextPixelRatio(2);
    EXPECT_DOUBLE_EQ(ui::fittedSize(cv.cr, "Gold", {.size = 3}), 4.5);
    EXPECT_DOUBLE_EQ(ui::fittedSize(cv.cr, "ゴールド", {.size = 3}), 5.5);
    EXPECT_DOUBLE_EQ(ui::fittedSize(cv.cr, "Gold", {.size = 6}), 6);
}

} // namespace
