// Value bars, scrolling, the scrollbar, the footer and the wavy title under
// the headless harness.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "tests/support/cairo_check.h"
#include "tests/support/screen_harness.h"
#include "ui/widgets.h"

namespace {

using harness::ScreenHarness;

std::uint32_t rgb(std::uint32_t argb) { return argb & 0xFFFFFF; }

// --- Animated bar ---

// 400 units of inner width at scale 1, so a fraction f ends at 102 + 400 f.
constexpr ui::Rect kBar{100, 100, 404, 20};
constexpr std::uint32_t kBlue = 0x3A72B2;
constexpr int kRow = 110;

// How far along the inner area the pixels satisfy pred, as a fraction.
template <typename Pred>
double extent(ScreenHarness& h, Pred pred) {
    int last = 101;
    for (int x = 102; x < 502; ++x) {
        if (pred(rgb(h.overlayPixel(x, kRow)))) last = x;
    }
    return (last - 101) / 400.0;
}
double shownFraction(ScreenHarness& h) {
    return extent(h, [](std::uint32_t c) { return c == kBlue; });
}
// The pale trail is far lighter than the bar, the flash or the track.
double paleFraction(ScreenHarness& h) {
    return extent(h, [](std::uint32_t c) { return (c >> 16) > 0x90; });
}

struct BarRun {
    ScreenHarness h;
    double value = 100;
    explicit BarRun(const std::string& key) {
        h.setBody([this, key](ui::Ctx& c) { ui::animBar(c, key, kBar, value, 100, kBlue, false); });
    }
    // Frames until e seconds after the change; the change frame has e = 0.
    void frameAt(double e, double changedAt) {
        h.wait(changedAt + e - h.now());
        h.frame();
    }
};

TEST(AnimBar, AFirstSeenBarShowsItsValueAtOnce) {
    BarRun run("test.first");
    run.value = 55;
    run.h.frame();
    EXPECT_NEAR(shownFraction(run.h), 0.55, 0.003);
    EXPECT_EQ(paleFraction(run.h), 0.0);
}

TEST(AnimBar, AFallEasesDownAndItsTrailFollowsLater) {
    BarRun run("test.fall");
    run.h.frame();
    EXPECT_NEAR(shownFraction(run.h), 1.0, 0.003);
    run.value = 40;
    const double t0 = run.h.now();
    run.h.frame();
    EXPECT_NEAR(shownFraction(run.h), 1.0, 0.003) << "starts from where it stood";
    run.frameAt(0.13, t0);
    const double mid = shownFraction(run.h);
    EXPECT_GT(mid, 0.41);
    EXPECT_LT(mid, 0.99);
    EXPECT_NEAR(paleFraction(run.h), 1.0, 0.003) << "the trail holds";
    run.frameAt(0.235, t0);
    EXPECT_NEAR(paleFraction(run.h), 1.0, 0.003) << "still holding just before 0.24 s";
    run.frameAt(0.26, t0);
    EXPECT_NEAR(shownFraction(run.h), 0.4, 0.003) << "the bar has landed";
    run.frameAt(0.5, t0);
    const double trail = paleFraction(run.h);
    EXPECT_GT(trail, 0.4);
    EXPECT_LT(trail, 1.0);
    run.frameAt(0.8, t0);
    EXPECT_EQ(paleFraction(run.h), 0.0) << "the trail has reached the bar";
    EXPECT_NEAR(shownFraction(run.h), 0.4, 0.003);
}

TEST(AnimBar, ARiseFlashesGreenAndLeavesNoTrail) {
    BarRun run("test.rise");
    run.value = 40;
    run.h.frame();
    run.value = 100;
    const double t0 = run.h.now();
    run.h.frame();
    run.frameAt(0.1, t0);
    // Under the flash the bar is not its own colour yet.
    EXPECT_EQ(shownFraction(run.h), 0.0);
    const std::uint32_t flashed = rgb(run.h.overlayPixel(150, kRow));
    EXPECT_GT((flashed >> 8) & 0xFF, flashed & 0xFF) << "green over blue";
    run.frameAt(0.32, t0);
    run.frameAt(0.43, t0);
    EXPECT_NEAR(shownFraction(run.h), 1.0, 0.003);
    EXPECT_EQ(paleFraction(run.h), 0.0);
}

TEST(AnimBar, ANewTargetMidRiseStartsFromTheShownFractionAndTinyChangesAreIgnored) {
    BarRun run("test.retarget");
    run.value = 0;
    run.h.frame();
    run.value = 100;
    const double t0 = run.h.now();
    run.h.frame();
    run.frameAt(0.5, t0);
    EXPECT_NEAR(shownFraction(run.h), 1.0, 0.003);

    run.value = 100 - 1e-8;  // a change below 1e-9 of the bar is no change
    const double t1 = run.h.now();
    run.frameAt(0.0, t1);
    EXPECT_NEAR(shownFraction(run.h), 1.0, 0.003) << "no new animation, no flash";

    run.value = 20;
    const double t2 = run.h.now();
    run.h.frame();
    run.frameAt(0.1, t2);
    const double falling = shownFraction(run.h);
    run.value = 60;  // turn back up while the fall runs
    const double t3 = run.h.now();
    run.frameAt(0.0, t3);
    run.frameAt(0.5, t3);
    EXPECT_GT(falling, 0.2);
    EXPECT_NEAR(shownFraction(run.h), 0.6, 0.003);
}

TEST(AnimBar, NumbersOnlyWhenAskedAndTheBarIsTenHigh) {
    auto picture = [](double height, bool numbers) {
        ScreenHarness h;
        const std::string key = "test.numbers." + std::to_string(height) + (numbers ? "+" : "-");
        h.setBody([&](ui::Ctx& c) { ui::animBar(c, key, {100, 100, 200, height}, 40.2, 100, kBlue, numbers); });
        h.frame();
        std::vector<std::uint32_t> out;
        for (int y = 100; y < 100 + height + 2; ++y) {
            for (int x = 100; x < 302; ++x) out.push_back(h.overlayPixel(x, y));
        }
        return out;
    };
    EXPECT_NE(picture(16, true), picture(16, false));
    EXPECT_NE(picture(10, true), picture(10, false));
    EXPECT_EQ(picture(9.5, true), picture(9.5, false));
}

// --- Value bar ---

TEST(StatBar, FillsTheClampedShareInTwoTones) {
    struct Case {
        double value, max;
        double wantFill;  // fraction of the width in the base colour at the bottom
    } cases[] = {{50, 100, 0.5}, {150, 100, 1.0}, {0, 100, 0.0}, {-5, 100, 0.0}, {5, 0, 0.0}, {5, -3, 0.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.value << "/" << c.max);
        ScreenHarness h;
        h.setBody([&](ui::Ctx& ctx) { ui::statBar(ctx, {100, 100, 400, 20}, c.value, c.max, 0xC2382F, 0x7C2019, ""); });
        h.frame();
        int top = 0, base = 0, track = 0;
        for (int x = 102; x < 498; ++x) {
            top += rgb(h.overlayPixel(x, 104)) == 0xC2382F;
            base += rgb(h.overlayPixel(x, 116)) == 0x7C2019;
            track += rgb(h.overlayPixel(x, 116)) == 0x120D09;
        }
        EXPECT_NEAR(base / 396.0, c.wantFill, 0.01);
        EXPECT_EQ(top, base) << "the top colour covers the upper part of the same width";
        EXPECT_EQ(track + base, 396);
    }
}

TEST(StatBar, ALabelNeedsABarTwelveHigh) {
    auto pixels = [](double height, const std::string& text) {
        ScreenHarness h;
        h.setBody([&](ui::Ctx& c) { ui::statBar(c, {100, 100, 200, height}, 10, 20, 0xC2382F, 0x7C2019, text); });
        h.frame();
        std::vector<std::uint32_t> out;
        for (int y = 100; y < 100 + height; ++y) {
            for (int x = 100; x < 300; ++x) out.push_back(h.overlayPixel(x, y));
        }
        return out;
    };
    EXPECT_EQ(pixels(11, "10/20"), pixels(11, "")) << "no label on a bar lower than 12";
    EXPECT_NE(pixels(12, "10/20"), pixels(12, ""));
}

// --- Status chips ---

TEST(StatusChips, OneChipPerStatusWithRoundsExceptOnShields) {
    using K = rpg::StatusKind;
    auto draw = [](std::vector<rpg::StatusInstance> list, double* next) {
        ScreenHarness h;
        h.setBody([&](ui::Ctx& c) { *next = ui::statusChips(c, 100, 100, 24, list); });
        h.frame();
        std::vector<std::uint32_t> px;
        for (int y = 90; y < 140; ++y) {
            for (int x = 90; x < 260; ++x) px.push_back(h.overlayPixel(x, y));
        }
        return px;
    };
    double next = 0;
    const auto none = draw({}, &next);
    EXPECT_EQ(next, 112);
    EXPECT_EQ(none, std::vector<std::uint32_t>(none.size(), 0u)) << "nothing for no statuses";
    draw({{K::Poison, 2, 0}, {K::Shield, 3, 10}, {K::Stun, 1, 0}}, &next);
    EXPECT_EQ(next, 112 + 3 * 34);
    EXPECT_NE(draw({{K::Poison, 3, 0}}, &next), draw({{K::Poison, 0, 0}}, &next)) << "rounds shown";
    EXPECT_EQ(draw({{K::Shield, 3, 0}}, &next), draw({{K::Shield, 0, 0}}, &next)) << "never on a shield";
    draw({{static_cast<K>(12), 2, 0}}, &next);  // a kind without a row draws its backdrop only
    EXPECT_EQ(next, 112 + 34);

    ScreenHarness h;
    h.setBody([](ui::Ctx& c) { ui::statusChips(c, 100, 100, 24, {{K::Regen, 0, 0}}); });
    h.frame();
    EXPECT_EQ(rgb(h.overlayPixel(112, 112)), rpg::statusDesc(K::Regen).colour) << "the glyph in its status colour";
}

// --- Scrolling ---

constexpr ui::Rect kArea{0, 0, 200, 100};

// A view over an item as big as the view.
struct ScrollRun {
    ScreenHarness h;
    double offset = 0;
    double content = 1000;
    bool itemClicked = false;
    explicit ScrollRun(double start = 0) : offset(start) {
        h.setBody([this](ui::Ctx& c) {
            offset = ui::beginScroll(c, "list", kArea, content, offset);
            itemClicked |= c.takeClick(kArea);
            ui::endScroll(c);
        });
    }
    double velocity() { return h.ctx().scrolling.velocity; }
};

TEST(Scroll, TheWheelFlingsAndTheFlingComesToRest) {
    ScrollRun run;
    run.h.moveTo(50, 50).wheel(-1).frame();  // a wheel step towards the bottom
    EXPECT_GT(run.offset, 0);
    run.h.runFor(0.3);
    const double moving = run.offset;
    run.h.runFor(2);
    const double rest = run.offset;
    EXPECT_GT(rest, moving);
    run.h.runFor(0.5);
    EXPECT_EQ(run.offset, rest);
    EXPECT_EQ(run.velocity(), 0);
    EXPECT_NEAR(rest, 360.0 / 6, 15) << "about v / friction";

    run.h.wheel(1).frame();  // positive steps scroll towards the top
    run.h.runFor(2);
    EXPECT_LT(run.offset, rest);
}

TEST(Scroll, AFlingThatHitsTheEndStopsThere) {
    ScrollRun run(880);
    run.h.moveTo(50, 50).wheel(-5).frame();
    run.h.frames(10);
    EXPECT_EQ(run.offset, 900);
    EXPECT_EQ(run.velocity(), 0);

    ScrollRun up(20);
    up.h.moveTo(50, 50).wheel(5).frame();
    up.h.frames(10);
    EXPECT_EQ(up.offset, 0);
    EXPECT_EQ(up.velocity(), 0);
}

TEST(Scroll, APressOutsideStopsAFling) {
    ScrollRun run;
    run.h.moveTo(50, 50).wheel(-3).frame();
    run.h.moveTo(500, 500).press().frame();
    const double held = run.offset;
    run.h.frames(10);
    EXPECT_EQ(run.offset, held);
    EXPECT_EQ(run.velocity(), 0);
}

TEST(Scroll, ContentThatFitsNeverMoves) {
    ScrollRun run(30);
    run.content = 100;
    run.h.frame();
    EXPECT_EQ(run.offset, 0);
    run.h.moveTo(50, 50).wheel(-3).frame();
    run.h.drag(50, 80, 50, 10, 5);
    EXPECT_EQ(run.offset, 0);
    EXPECT_EQ(run.velocity(), 0);
}

// A list that fits does not scroll, but a drag over it is no click either.
TEST(Scroll, ADragMovesAfterThePressAndLongOnesClickNothing) {
    struct Case {
        double distance;
        double content;
        bool clicks;
    } cases[] = {{4, 1000, true}, {5, 1000, true}, {6, 1000, false}, {40, 1000, false}, {40, 100, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.distance << " over " << c.content);
        ScrollRun run(c.content > 100 ? 100 : 0);
        run.content = c.content;
        run.h.moveTo(50, 80).frame();
        run.h.press().frame();
        run.h.moveTo(50, 80 - c.distance / 2).frame();
        if (c.content > 100) {
            EXPECT_DOUBLE_EQ(run.offset, 100 + c.distance / 2) << "moves at once";
        }
        run.h.moveTo(50, 80 - c.distance).frame();
        run.h.release().frame();
        EXPECT_EQ(run.itemClicked, c.clicks);
    }
}

TEST(Scroll, TheReleaseOfADragClicksNothingDrawnBeforeTheView) {
    ScreenHarness h;
    double offset = 0;
    bool button = false;
    h.setBody([&](ui::Ctx& c) {
        button |= c.takeClick({0, 0, 1280, 720});
        offset = ui::beginScroll(c, "list", kArea, 1000, offset);
        ui::endScroll(c);
    });
    h.moveTo(50, 80).frame();
    h.drag(50, 80, 400, 20, 4);  // out of the view and released over the button
    EXPECT_GE(offset, 60);
    EXPECT_FALSE(button);
    h.moveTo(400, 20).frame();
    h.click(400, 20);
    EXPECT_TRUE(button);
}

TEST(Scroll, APressThatComesWithAJumpIsATap) {
    ScrollRun run(100);
    run.h.moveTo(150, 500).frame();
    run.h.moveTo(50, 80).press().frame();  // the pointer jumps 420 units with the press
    EXPECT_EQ(run.offset, 100);
    run.h.release().frame();
    EXPECT_TRUE(run.itemClicked);
}

TEST(Scroll, ADragMayLeaveTheAreaAndKeepsItsMomentum) {
    ScrollRun run(100);
    run.h.moveTo(50, 90).press().frame();
    for (int y = 80; y >= -100; y -= 20) run.h.moveTo(50, y).frame();  // up and out of the area
    EXPECT_DOUBLE_EQ(run.offset, 290);
    run.h.release().frame();
    const double released = run.offset;
    run.h.frames(5);
    EXPECT_GT(run.offset, released) << "the list coasts on";
}

// Two views side by side: the drag and the wheel move the one under the
// pointer only, and what either scrolled away takes no click.
TEST(Scroll, EachViewKeepsItsOwnDragAndClip) {
    ScreenHarness h;
    constexpr ui::Rect kLeft{0, 100, 200, 100}, kRight{300, 100, 200, 100};
    double left = 0, right = 0;
    bool leftItem = false, rightItem = false;
    h.setBody([&](ui::Ctx& c) {
        left = ui::beginScroll(c, "left", kLeft, 1000, left);
        leftItem |= c.takeClick({0, 100 - left, 200, 100});  // the first item
        ui::endScroll(c);
        right = ui::beginScroll(c, "right", kRight, 1000, right);
        rightItem |= c.takeClick(kRight);
        ui::endScroll(c);
    });
    h.moveTo(50, 190).frame();
    h.press().frame();
    h.moveTo(50, 150).frame();
    for (int i = 0; i < 40; ++i) h.frame();
    h.release().frame();
    EXPECT_DOUBLE_EQ(left, 40);
    EXPECT_EQ(right, 0);
    h.moveTo(350, 150).wheel(-1).frame();
    EXPECT_DOUBLE_EQ(left, 40);
    EXPECT_GT(right, 0);

    h.moveTo(50, 95).frame();  // the first item's part scrolled above the view
    h.click(50, 95);
    EXPECT_FALSE(leftItem);
    h.moveTo(50, 105).frame();
    h.click(50, 105);
    EXPECT_TRUE(leftItem) << "its visible part";
}

// --- Scrollbar ---

TEST(Scrollbar, ThumbIsNeverShorterThanThirtyAndAbsentWhenTheContentFits) {
    auto thumbRows = [](double content, double scale) {
        ScreenHarness h;
        h.setUiScale(scale);
        h.setBody([&](ui::Ctx& c) { ui::scrollbar(c, {0, 0, 200, 300}, content, 0); });
        h.frame();
        const int column = 200 - int(6 * scale);
        int rows = 0;
        for (int y = 0; y < 300; ++y) rows += (h.overlayPixel(column, y) >> 24) > 0;
        return rows;
    };
    EXPECT_EQ(thumbRows(300, 1), 0);
    EXPECT_NEAR(thumbRows(100000, 1), 30, 1);
    EXPECT_NEAR(thumbRows(100000, 1.5), 45, 1);
    EXPECT_NEAR(thumbRows(600, 1), 300 * 292 / 600.0, 1);
}

// --- Footer and title ---

TEST(Footer, TwoCentredLinesEndingAboveY) {
    ScreenHarness h;
    h.setBody([](ui::Ctx& c) { ui::footer(c, 700); });
    h.frame();
    int top = 720, bottom = -1, left = 1280, right = -1;
    for (int y = 0; y < 720; ++y) {
        for (int x = 0; x < 1280; ++x) {
            if ((h.overlayPixel(x, y) >> 24) == 0) continue;
            top = std::min(top, y);
            bottom = std::max(bottom, y);
            left = std::min(left, x);
            right = std::max(right, x);
        }
    }
    EXPECT_LE(bottom, 700 - 6);
    EXPECT_GT(bottom - top, 24) << "two lines of 12";
    EXPECT_NEAR((left + right) / 2.0, 640, 3);
}

TEST(WavyTitle, PaletteColoursTheLettersInTurnSkippingSpaces) {
    ScreenHarness h;
    const std::vector<std::uint32_t> palette{0xFF0000, 0x00FF00};
    h.setBody([&](ui::Ctx& c) { ui::wavyTitle(c, 640, 200, "A B", 60, &palette); });
    h.frame();
    int redLeft = 0, greenLeft = 0, redRight = 0, greenRight = 0;
    for (int y = 120; y < 280; ++y) {
        for (int x = 540; x < 740; ++x) {
            const std::uint32_t p = h.overlayPixel(x, y);
            const bool red = (p >> 24) == 0xFF && rgb(p) == 0xFF0000;
            const bool green = (p >> 24) == 0xFF && rgb(p) == 0x00FF00;
            (x < 640 ? redLeft : redRight) += red;
            (x < 640 ? greenLeft : greenRight) += green;
        }
    }
    EXPECT_GT(redLeft, 0);
    EXPECT_GT(greenRight, 0) << "the space takes no colour";
    EXPECT_EQ(greenLeft, 0);
    EXPECT_EQ(redRight, 0);
}

} // namespace
