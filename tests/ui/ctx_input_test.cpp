// What the frame context makes of the input before any widget runs: the
// click slop between press and release, the double click after a click that
// changed what lies under the pointer, and the nested hit clips.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "tests/support/screen_harness.h"
#include "ui/app.h"

namespace {

using harness::ScreenHarness;

constexpr ui::Rect kButton{100, 100, 200, 100};

TEST(ClickSlop, AReleaseFarFromItsPressIsNoClick) {
    struct Case {
        const char* what;
        std::vector<double> path;  // x of the pointer in the frames between press and release
        bool clicks;
    } cases[] = {
        {"still", {}, true},
        {"within the slop", {105}, true},
        {"just past it", {106}, false},
        {"away and back", {130, 100}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScreenHarness h;
        bool clicked = false;
        h.setBody([&](ui::Ctx& ctx) { clicked |= ctx.takeClick(kButton); });
        h.moveTo(100, 150).frame();
        h.press().frame();
        for (double x : c.path) h.moveTo(x, 150).frame();
        h.moveTo(c.path.empty() ? 100 : c.path.back(), 150).release().frame();
        EXPECT_EQ(clicked, c.clicks);
    }
}

TEST(DoubleClick, TheSecondReleaseDoesNotRepeatAClickThatChangedWhatLiesUnderIt) {
    struct Case {
        const char* what;
        bool changes;      // the button's action moves the list under it
        double secondX;    // where the second click lands
        double pause;      // seconds between the clicks
        int thirdClicks;   // clicks after the second one, each 2 frames apart
        int actions;
    } cases[] = {
        {"a double click on a list that moved", true, 150, 0, 0, 1},
        {"one that moved nothing", false, 150, 0, 0, 2},
        {"two single clicks", true, 150, 0.4, 0, 2},
        {"the second one elsewhere", true, 250, 0, 0, 2},
        {"a triple click", true, 150, 0, 1, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ScreenHarness h;
        int actions = 0;
        h.setBody([&](ui::Ctx& ctx) {
            if (!ctx.takeClick(kButton)) return;
            ++actions;
            if (c.changes) ctx.changedUnderPointer();
        });
        h.moveTo(150, 150).frame();
        h.click(150, 150);
        h.wait(c.pause);
        h.moveTo(c.secondX, 150).press().frame();
        h.release().frame();
        for (int i = 0; i < c.thirdClicks; ++i) h.click(c.secondX, 150);
        EXPECT_EQ(actions, c.actions);
    }
}

TEST(HitClip, NestedClipsIntersectAndADialogIgnoresThem) {
    ui::Ctx ctx;
    ctx.input.x = 150;
    ctx.input.y = 150;
    const ui::Rect r{0, 0, 1000, 1000};
    ctx.pushHitClip({100, 100, 100, 100});
    EXPECT_TRUE(ctx.hover(r));
    ctx.pushHitClip({160, 0, 100, 1000});  // meets the first clip right of the pointer
    EXPECT_FALSE(ctx.hover(r));
    ctx.beginModal();
    EXPECT_TRUE(ctx.hover(r)) << "the dialog has the whole window";
    ctx.endModal(false);
    EXPECT_FALSE(ctx.hover(r));
    ctx.popHitClip();
    EXPECT_TRUE(ctx.hover(r));
    ctx.popHitClip();
    ctx.input.x = 50;
    EXPECT_TRUE(ctx.hover(r));
}

} // namespace
