#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "platform/i18n.h"
#include "tests/ui/ui_fixture.h"
#include "ui/draw.h"

namespace {

using uitest::Canvas;

class Text : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(uitest::fontsReady()); }

    static ui::TextStyle style(double size) {
        ui::TextStyle st;
        st.size = size;
        return st;
    }

    static std::pair<double, double> measure(cairo_t* cr, const char* text, const ui::TextStyle& st) {
        double w = -1, h = -1;
        ui::measureText(cr, text, st, &w, &h);
        return {w, h};
    }
};

TEST_F(Text, ShrinkToFitStopsAtTheSmallestFactor) {
    Canvas cv(10, 10);
    const char* text = "Velmorandine Heroes";
    ui::TextStyle base = style(20);
    auto [w0, h0] = measure(cv.cr, text, base);
    ASSERT_GT(w0, 100);
    const double half = w0 / 2;

    struct Case {
        const char* what;
        double fitWidth;
        double minFit;
        double expectedFactor;  // the font size the fitted text must match
    };
    const Case cases[] = {
        {"twice too wide stops at minFit 0.6", half, 0.6, 0.6},
        {"minFit 0 always fits", half, 0.0, half / w0},
        {"exactly as wide is not shrunk", w0, 0.6, 1.0},
        {"narrower than the fit width is not shrunk", w0 + 50, 0.6, 1.0},
    };
    for (const auto& c : cases) {
        ui::TextStyle fit = base;
        fit.fitWidth = c.fitWidth;
        fit.minFit = c.minFit;
        ui::TextStyle ref = style(base.size * c.expectedFactor);
        EXPECT_EQ(measure(cv.cr, text, fit), measure(cv.cr, text, ref)) << c.what;
    }

    ui::TextStyle fit = base;
    fit.fitWidth = half;
    fit.minFit = 0;
    EXPECT_NEAR(measure(cv.cr, text, fit).first, half, half * 0.03) << "a smaller font, close to the fit width";
}

TEST_F(Text, HorizontalPlacementFollowsAlignmentAndWrapBox) {
    struct Case {
        const char* what;
        ui::Align align;
        double wrapWidth;
        double x;
        double wantLeft;   // expected ink left edge (-1: not checked)
        double wantRight;  // expected ink right edge (-1: not checked)
    };
    const Case cases[] = {
        {"left edge at x", ui::Align::Left, 0, 40, 40, -1},
        {"right edge at x", ui::Align::Right, 0, 260, -1, 260},
        {"right-aligned in a wrap box that starts at x", ui::Align::Right, 200, 40, -1, 240},
        {"left-aligned in a wrap box that starts at x", ui::Align::Left, 200, 40, 40, -1},
    };
    for (const auto& c : cases) {
        Canvas cv(300, 60);
        ui::TextStyle st = style(18);
        st.align = c.align;
        st.wrapWidth = c.wrapWidth;
        ui::drawText(cv.cr, c.x, 10, "HOLD", st);
        ui::Rect ink = cv.ink();
        ASSERT_GT(ink.w, 0) << c.what;
        if (c.wantLeft >= 0) {
            EXPECT_NEAR(ink.x, c.wantLeft, 3) << c.what;
        }
        if (c.wantRight >= 0) {
            EXPECT_NEAR(ink.x + ink.w, c.wantRight, 3) << c.what;
        }
        EXPECT_GE(ink.y, 10) << c.what << ": top edge at y";
    }
}

TEST_F(Text, CentredVariantsCentreOnTheirPoint) {
    ui::TextStyle st = style(18);
    double w = 0, h = 0;
    {
        Canvas cv(10, 10);
        ui::measureText(cv.cr, "HOH", st, &w, &h);
    }
    struct Case {
        const char* what;
        void (*draw)(cairo_t*, const ui::TextStyle&);
        double centreX;
        double top;  // logical top edge of the text
    };
    const Case cases[] = {
        {"centred", [](cairo_t* cr, const ui::TextStyle& s) { ui::drawTextCentered(cr, 150, 50, "HOH", s); }, 150,
         50 - h / 2},
        {"top", [](cairo_t* cr, const ui::TextStyle& s) { ui::drawTextTop(cr, 120, 20, "HOH", s); }, 120, 20},
        {"in a rectangle",
         [](cairo_t* cr, const ui::TextStyle& s) { ui::drawTextIn(cr, {100, 30, 100, 60}, "HOH", s); }, 150,
         60 - h / 2},
    };
    for (const auto& c : cases) {
        Canvas cv(300, 100);
        c.draw(cv.cr, st);
        ui::Rect ink = cv.ink();
        ASSERT_GT(ink.w, 0) << c.what;
        EXPECT_NEAR(ink.x + ink.w / 2, c.centreX, 2) << c.what;
        EXPECT_GE(ink.y, c.top - 1) << c.what;
        EXPECT_LE(ink.y + ink.h, c.top + h + 1) << c.what;
    }
}

// The vertical spans of ink, top to bottom.
std::vector<std::pair<int, int>> inkBands(Canvas& cv, int height, int width) {
    std::vector<std::pair<int, int>> bands;
    bool in = false;
    for (int y = 0; y < height; ++y) {
        bool any = false;
        for (int x = 0; x < width && !any; ++x) any = cv.alpha(x, y) > 0;
        if (any && !in) bands.push_back({y, y});
        if (any) bands.back().second = y;
        in = any;
    }
    return bands;
}

TEST_F(Text, StackDrawsAtMostEightLinesAndEmptyLinesKeepTheirGaps) {
    ui::TextStyle st = style(16);
    std::vector<ui::TextLine> lines(10, ui::TextLine{"X", &st});
    Canvas cv(100, 400);
    ui::drawTextStack(cv.cr, {0, 0, 100, 400}, lines.data(), 10, 6);
    EXPECT_EQ(inkBands(cv, 400, 100).size(), 8u);

    double w = 0, h = 0;
    ui::measureText(cv.cr, "X", st, &w, &h);
    const double gap = 10;
    ui::TextLine three[] = {{"X", &st}, {"", &st}, {"X", &st}};
    Canvas cv2(100, 200);
    ui::drawTextStack(cv2.cr, {0, 0, 100, 200}, three, 3, gap);
    auto bands = inkBands(cv2, 200, 100);
    ASSERT_EQ(bands.size(), 2u);
    EXPECT_NEAR(bands[1].first - bands[0].first, h + 2 * gap, 1) << "empty line: no height, both gaps";
    const double total = 2 * h + 2 * gap;
    const double firstTop = 100 - total / 2;
    EXPECT_NEAR(bands[0].first - firstTop, bands[1].first - (firstTop + h + 2 * gap), 1);
    EXPECT_GE(bands[0].first, firstTop) << "block centred in the rectangle";
    EXPECT_LE(bands[1].second, firstTop + total);
}

// Pixels of one text drawn alone on a fresh canvas.
std::vector<uint32_t> render(const char* text, const ui::TextStyle& st) {
    Canvas cv(400, 60);
    ui::drawText(cv.cr, 5, 5, text, st);
    std::vector<uint32_t> px;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 400; ++x) px.push_back(cv.pixel(x, y));
    return px;
}

TEST_F(Text, UpperCaseUsesUnicodeCaseMapping) {
    struct Case {
        const char* text;
        const char* upper;
    };
    const Case cases[] = {
        {"Straße", "STRASSE"},  // one letter becomes two
        {"élan über", "ÉLAN ÜBER"},
        {"ελληνικά", "ΕΛΛΗΝΙΚΆ"},
        {"русский", "РУССКИЙ"},
    };
    ui::TextStyle plain = style(18);
    ui::TextStyle upper = plain;
    upper.upperCase = true;
    for (const auto& c : cases) {
        EXPECT_EQ(render(c.text, upper), render(c.upper, plain)) << c.text;
    }
}

TEST_F(Text, LetterSpacingWidensEveryGapAndIsNotShrunk) {
    Canvas cv(10, 10);
    const char* text = "abcdefgh";
    ui::TextStyle st = style(16);
    ui::TextStyle spaced = st;
    spaced.letterSpacing = 3;
    const double plainW = measure(cv.cr, text, st).first;
    const double widened = measure(cv.cr, text, spaced).first - plainW;
    EXPECT_GE(widened, 7 * 3 - 1);
    EXPECT_LE(widened, 8 * 3 + 1);

    st.fitWidth = spaced.fitWidth = plainW / 3;  // both stop at minFit
    EXPECT_NEAR(measure(cv.cr, text, spaced).first - measure(cv.cr, text, st).first, widened, 1.5);
}

TEST_F(Text, WrapBreaksBetweenWordsAndInsideTooLongOnes) {
    Canvas cv(10, 10);
    ui::TextStyle st = style(16);
    const double lineH = measure(cv.cr, "Ag", st).second;
    st.wrapWidth = 140;
    for (const char* text : {"The party walks into the dark forest at dawn", "Unbezwingbarkeitsbeschwoerungen"}) {
        auto [w, h] = measure(cv.cr, text, st);
        EXPECT_LE(w, 140) << text;
        EXPECT_GE(h, 2 * lineH) << text;
    }
}

TEST_F(Text, EmptyTextHasAHeightButDrawsNothing) {
    Canvas cv(100, 40);
    ui::TextStyle st = style(16);
    auto [w, h] = measure(cv.cr, "", st);
    EXPECT_EQ(w, 0);
    EXPECT_GT(h, 0);
    ui::drawText(cv.cr, 10, 10, "", st);
    ui::drawTextCentered(cv.cr, 50, 20, "", st);
    ui::drawTextIn(cv.cr, {0, 0, 100, 40}, "", st);
    EXPECT_EQ(cv.ink().w, 0);
}

// Pixels drawn with partial coverage: antialiased edges.
int partialPixels(Canvas& cv) {
    int n = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 200; ++x) n += (cv.alpha(x, y) > 0 && cv.alpha(x, y) < 255);
    return n;
}

TEST_F(Text, CacheNoticesANewContextAtAReusedAddress) {
    // A layout keeps the font options of the context it was made for; one
    // left over from a context without antialiasing would draw the next
    // context's text without it too.
    ui::TextStyle st = style(16);
    void* firstAddress = nullptr;
    {
        Canvas cv(200, 40);
        cairo_font_options_t* opts = cairo_font_options_create();
        cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_NONE);
        cairo_set_font_options(cv.cr, opts);
        cairo_font_options_destroy(opts);
        ui::drawText(cv.cr, 2, 2, "Rune of Oak", st);
        ASSERT_EQ(partialPixels(cv), 0);
        firstAddress = cv.cr;
    }
    Canvas cv(200, 40);  // cairo hands out the freed context again
    ui::drawText(cv.cr, 2, 2, "Rune of Oak", st);
    EXPECT_GT(partialPixels(cv), 20) << (static_cast<void*>(cv.cr) == firstAddress ? "same address reused"
                                                                                     : "new address");
}

// The widths of the ink's words from left to right: column spans with ink,
// split where more than `gap` blank columns lie between them.
std::vector<int> wordWidths(Canvas& cv, int gap) {
    cairo_surface_flush(cv.surface);
    const int w = cairo_image_surface_get_width(cv.surface);
    const int h = cairo_image_surface_get_height(cv.surface);
    std::vector<int> widths;
    int start = -1, last = -1;
    for (int x = 0; x < w; ++x) {
        bool ink = false;
        for (int y = 0; y < h && !ink; ++y) ink = cv.alpha(x, y) > 0;
        if (!ink) continue;
        if (start >= 0 && x - last > gap) {
            widths.push_back(last - start + 1);
            start = -1;
        }
        if (start < 0) start = x;
        last = x;
    }
    if (start >= 0) widths.push_back(last - start + 1);
    return widths;
}

// A right-to-left sentence that starts with a Latin name reads from the
// right: the name stands at the right end. A text with no right-to-left
// letter keeps its left-to-right order in every language.
TEST_F(Text, RightToLeftLanguagesLayTheirSentencesOutFromTheRight) {
    struct Case {
        const char* language;
        const char* text;
        bool nameOnTheRight;
    };
    struct RestoreEnglish {
        ~RestoreEnglish() { i18n::setLanguage("en"); }
    } restore;
    const Case cases[] = {
        {"ar", "Brunhildegard \u0641\u0627\u0632", true},            // "Brunhildegard won"
        {"he", "Brunhildegard \u05e2\u05dc\u05d4", true},            // "Brunhildegard rose"
        {"en", "Brunhildegard \u0641\u0627\u0632", false},           // a left-to-right language
        {"ar", "Brunhildegard !", false},  // no Arabic letter: the mark stays at the end
        // Persian digits are no letters: numbers alone keep their order
        // (and a sign its place in front).
        {"fa", "\u06f1\u06f2\u066c\u06f3\u06f4\u06f5   \u06f6", false},
    };
    for (const Case& c : cases) {
        i18n::setLanguage(c.language);
        Canvas cv(600, 60);
        ui::TextStyle st = style(24);
        ui::drawText(cv.cr, 10, 10, c.text, st);
        const std::vector<int> words = wordWidths(cv, 8);
        ASSERT_EQ(words.size(), 2u) << c.language << " " << c.text;
        EXPECT_EQ(words.back() > words.front(), c.nameOnTheRight) << c.language << " " << c.text;
    }
    // A wrapped right-to-left paragraph starts at the right edge of its box,
    // as one that starts with an Arabic letter does.
    i18n::setLanguage("ar");
    Canvas cv(600, 60);
    ui::TextStyle st = style(18);
    st.wrapWidth = 500;
    ui::drawText(cv.cr, 40, 10, "Brunhild \u0641\u0627\u0632", st);
    ui::Rect ink = cv.ink();
    EXPECT_NEAR(ink.x + ink.w, 540, 3);
}

} // namespace

namespace {

// Every script lays out as tall as Latin text of the same size, so stacked
// labels keep their spacing in Arabic, Hindi, Japanese or Thai; a wrapped
// text grows by the same step per line.
TEST_F(Text, EveryScriptTakesTheLatinLineHeight) {
    Canvas cv(10, 10);
    ui::TextStyle st;
    st.size = 20;
    double latin = 0;
    ui::measureText(cv.cr, "Hero", st, nullptr, &latin);
    ASSERT_GT(latin, 0);
    for (const char* text : {"مرحبا", "नमस्ते", "ありがとう", "ขอบคุณ"}) {
        SCOPED_TRACE(text);
        double h = 0;
        ui::measureText(cv.cr, text, st, nullptr, &h);
        EXPECT_NEAR(h, latin, 1.0);
    }
    double mixed = 0;  // runs of different faces centre on their own boxes
    ui::measureText(cv.cr, "Hero مرحبا 漢字", st, nullptr, &mixed);
    EXPECT_NEAR(mixed, latin, 2.0);
    double word = 0;
    ui::measureText(cv.cr, "مرحبا", st, &word, nullptr);
    st.wrapWidth = word * 1.5;
    double two = 0;
    ui::measureText(cv.cr, "مرحبا مرحبا", st, nullptr, &two);
    EXPECT_NEAR(two, 2 * latin, 2.0);
}

} // namespace

namespace {

class TextCacheTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(uitest::fontsReady());
        ui::clearTextCache();
    }
    void TearDown() override {
        ui::setTextCacheEnabled(true);
        ui::setTextCacheCapacity(ui::kTextCacheCapacity);
        i18n::setLanguage("en");
    }

    static std::vector<std::uint32_t> pixels(Canvas& cv) {
        cairo_surface_flush(cv.surface);
        const auto* data = reinterpret_cast<const std::uint32_t*>(cairo_image_surface_get_data(cv.surface));
        const int n = cairo_image_surface_get_stride(cv.surface) / 4 * cairo_image_surface_get_height(cv.surface);
        return {data, data + n};
    }
};

// A label drawn from the cache lands on the same pixels, at the same size,
// as one laid out afresh: plain, shrunk to fit, wrapped, spaced and upper
// case, under a transform, right to left.
TEST_F(TextCacheTest, CachedLayoutsDrawAndMeasureAsFreshOnes) {
    struct Case {
        const char* what;
        const char* language;
        const char* text;
        ui::TextStyle style;
        double scale;  // of the context while drawing
    };
    ui::TextStyle fit;
    fit.size = 22;
    fit.fitWidth = 90;
    ui::TextStyle wrap;
    wrap.wrapWidth = 120;
    wrap.align = ui::Align::Centre;
    ui::TextStyle spaced;
    spaced.size = 18;
    spaced.bold = true;
    spaced.letterSpacing = 3;
    spaced.upperCase = true;
    const Case cases[] = {
        {"plain", "en", "Brunhild", ui::TextStyle{}, 1},
        {"shrunk to fit", "en", "Velmorandine Heroes", fit, 1},
        {"wrapped", "en", "The party rests by the fire until dawn", wrap, 1},
        {"spaced upper case", "de", "Straße", spaced, 1},
        {"under a swell", "en", "Velmorandine", spaced, 1.04},
        {"right to left", "ar", "Brunhild \u0641\u0627\u0632", ui::TextStyle{}, 1},
    };
    for (const Case& c : cases) {
        i18n::setLanguage(c.language);
        auto draw = [&](bool cached) {
            ui::setTextCacheEnabled(cached);
            Canvas cv(320, 120);
            cairo_scale(cv.cr, c.scale, c.scale);
            double w = 0, h = 0;
            ui::measureText(cv.cr, c.text, c.style, &w, &h);
            ui::drawText(cv.cr, 10, 10, c.text, c.style);
            ui::drawText(cv.cr, 10, 60, c.text, c.style);  // the second from the cache, when on
            return std::make_tuple(pixels(cv), w, h);
        };
        const auto fresh = draw(false);
        const auto cached = draw(true);
        EXPECT_GT(std::get<1>(fresh), 0) << c.what;
        EXPECT_TRUE(fresh == cached) << c.what;
    }
}

// Text is laid out at the base transform, whatever the context is scaled by
// when it is drawn: a swelling title does not make the labels after it be
// laid out again, and measures the same.
TEST_F(TextCacheTest, LayoutDoesNotFollowTheTransformOfTheMoment) {
    Canvas cv(200, 60);
    ui::TextStyle st;
    double plainW = 0, plainH = 0;
    ui::measureText(cv.cr, "Settings", st, &plainW, &plainH);
    const ui::TextCacheStats first = ui::textCacheStats();
    for (double k : {1.01, 1.02, 1.04}) {
        cairo_save(cv.cr);
        cairo_scale(cv.cr, k, k);
        double w = 0, h = 0;
        ui::measureText(cv.cr, "Settings", st, &w, &h);
        cairo_restore(cv.cr);
        EXPECT_EQ(w, plainW) << k;
        EXPECT_EQ(h, plainH) << k;
    }
    const ui::TextCacheStats after = ui::textCacheStats();
    EXPECT_EQ(after.misses, first.misses) << "laid out once";
    EXPECT_EQ(after.hits, first.hits + 3);
}

// Memory stays flat: beyond its capacity the least recently used go.
TEST_F(TextCacheTest, KeepsAtMostItsCapacityDroppingTheLeastRecentlyUsed) {
    ui::setTextCacheCapacity(8);
    Canvas cv(10, 10);
    ui::TextStyle st;
    ui::measureText(cv.cr, "kept", st, nullptr, nullptr);
    for (int i = 0; i < 30; ++i) {
        ui::measureText(cv.cr, "number " + std::to_string(i), st, nullptr, nullptr);
        ui::measureText(cv.cr, "kept", st, nullptr, nullptr);  // used all along
        EXPECT_LE(ui::textCacheStats().entries, 8u);
    }
    const std::size_t misses = ui::textCacheStats().misses;
    ui::measureText(cv.cr, "kept", st, nullptr, nullptr);
    EXPECT_EQ(ui::textCacheStats().misses, misses) << "the one in use stays";
    ui::measureText(cv.cr, "number 0", st, nullptr, nullptr);
    EXPECT_EQ(ui::textCacheStats().misses, misses + 1) << "the oldest went";
}

// Whatever shapes a layout is part of its key, and a change of language or
// fonts lays every text out afresh.
TEST_F(TextCacheTest, AnythingThatShapesTheTextLaysItOutAgain) {
    Canvas cv(10, 10);
    ui::TextStyle st;
    auto missesFor = [&](const ui::TextStyle& style) {
        const std::size_t before = ui::textCacheStats().misses;
        ui::measureText(cv.cr, "Hero", style, nullptr, nullptr);
        return ui::textCacheStats().misses - before;
    };
    EXPECT_EQ(missesFor(st), 1u);
    EXPECT_EQ(missesFor(st), 0u) << "the same again";
    ui::TextStyle colour = st;
    colour.color = 0xC2382F;
    colour.alpha = 0.5;
    EXPECT_EQ(missesFor(colour), 0u) << "colour is applied when drawing";
    const std::vector<std::pair<const char*, void (*)(ui::TextStyle&)>> changes = {
        {"size", [](ui::TextStyle& s) { s.size = 15; }},
        {"bold", [](ui::TextStyle& s) { s.bold = true; }},
        {"italic", [](ui::TextStyle& s) { s.italic = true; }},
        {"family", [](ui::TextStyle& s) { s.family = ui::kFontSans; }},
        {"spacing", [](ui::TextStyle& s) { s.letterSpacing = 1; }},
        {"upper case", [](ui::TextStyle& s) { s.upperCase = true; }},
        {"wrap", [](ui::TextStyle& s) { s.wrapWidth = 50; }},
        {"alignment", [](ui::TextStyle& s) { s.align = ui::Align::Right; }},
    };
    for (const auto& [what, change] : changes) {
        ui::TextStyle other = st;
        change(other);
        EXPECT_EQ(missesFor(other), 1u) << what;
    }
    {
        Canvas mono(10, 10);
        cairo_font_options_t* opts = cairo_font_options_create();
        cairo_font_options_set_antialias(opts, CAIRO_ANTIALIAS_NONE);
        cairo_set_font_options(mono.cr, opts);
        cairo_font_options_destroy(opts);
        const std::size_t before = ui::textCacheStats().misses;
        ui::measureText(mono.cr, "Hero", st, nullptr, nullptr);
        EXPECT_EQ(ui::textCacheStats().misses, before + 1) << "other font options";
    }
    i18n::setLanguage("de");
    EXPECT_EQ(missesFor(st), 1u) << "another language";
    i18n::setLanguage("en");
    EXPECT_EQ(missesFor(st), 1u);
    ASSERT_TRUE(ui::registerBundledFonts());
    EXPECT_EQ(ui::textCacheStats().entries, 0u) << "new fonts";
}

} // namespace
