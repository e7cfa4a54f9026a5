// The headless harness itself: what later screen tests rely on.
#include <gtest/gtest.h>


#include "tests/support/screen_harness.h"

namespace {

using harness::ScreenHarness;

TEST(Harness, InputLastsOneFrameWhilePointerAndButtonPersist) {
    ScreenHarness h;
    std::vector<ui::Input> seen;
    h.setBody([&](ui::Ctx& c) { seen.push_back(c.input); });
    h.moveTo(10, 20).frame();
    h.moveTo(15, 30).press().wheel(2).key(27).frame();
    h.frame();
    h.release().frame();
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].dx, 0) << "the first position is no motion";
    EXPECT_EQ(seen[1].dx, 5);
    EXPECT_EQ(seen[1].dy, 10);
    EXPECT_TRUE(seen[1].leftPressed && seen[1].leftDown);
    EXPECT_EQ(seen[1].wheel, 2);
    EXPECT_TRUE(seen[1].hasKey(27));
    EXPECT_FALSE(seen[2].leftPressed || seen[2].hasKey(27) || seen[2].wheel != 0);
    EXPECT_TRUE(seen[2].leftDown);
    EXPECT_EQ(seen[2].x, 15);
    EXPECT_TRUE(seen[3].leftReleased);
    EXPECT_FALSE(seen[3].leftDown);
}

TEST(Harness, ClockStepsAndDoubleClicks) {
    ScreenHarness h;
    std::vector<ui::Ctx> seen;
    h.setBody([&](ui::Ctx& c) { seen.push_back(c); });
    h.frame();
    h.wait(2);
    h.frame();
    h.tap(5, 5);
    h.wait(0.1);
    h.tap(5, 5);  // 0.1 s + a frame after the last release
    h.wait(0.5);
    h.tap(5, 5);
    ASSERT_EQ(seen.size(), 5u);
    EXPECT_EQ(seen[0].now, 0);
    EXPECT_NEAR(seen[1].now, 1.0 / 60 + 2, 1e-9);
    EXPECT_DOUBLE_EQ(seen[1].dt, 0.1) << "capped as in the loop";
    EXPECT_NEAR(seen[2].dt, 1.0 / 60, 1e-9);
    EXPECT_FALSE(seen[2].input.doubleClick);
    EXPECT_TRUE(seen[3].input.doubleClick);
    EXPECT_FALSE(seen[4].input.doubleClick);
}

// skip() covers a stretch in the loop's longest frames and ends in the fixed
// step, so that its last frame comes at the moment runFor's last one does.
TEST(Harness, SkipRunsTheStretchInLongFramesToTheSameLastMoment) {
    for (const double step : {1.0 / 60, 0.25}) {
        SCOPED_TRACE(step);
        std::vector<ui::Ctx> fine, coarse;
        {
            harness::ScreenHarness h;
            h.setFrameStep(step);
            h.setBody([&](ui::Ctx& c) { fine.push_back(c); });
            h.runFor(1.0);
        }
        harness::ScreenHarness h;
        h.setFrameStep(step);
        h.setBody([&](ui::Ctx& c) { coarse.push_back(c); });
        h.skip(1.0);
        ASSERT_FALSE(coarse.empty());
        EXPECT_NEAR(coarse.back().now, fine.back().now, 1e-9);
        EXPECT_NEAR(h.now(), 1.0, step);
        if (step < 0.1) {
            EXPECT_NEAR(coarse[2].dt, 0.1, 1e-9);
            EXPECT_LE(coarse.size(), 16u);
            EXPECT_GE(fine.size(), 60u);
            h.frame();
            h.frame();
            EXPECT_NEAR(coarse.back().dt, step, 1e-9) << "the fixed step again";
        } else {
            EXPECT_EQ(coarse.size(), fine.size()) << "a step longer than 0.1 s is kept";
        }
    }
}

TEST(Harness, EachHarnessHasFreshStoresThatReloadFromTheirFiles) {
    std::string firstDir;
    {
        ScreenHarness h;
        firstDir = h.dataDir();
        EXPECT_EQ(h.dataDir().rfind(testenv::root(), 0), 0u) << "under the test's temporary home";
        store::meta().gold = 77;
        ASSERT_TRUE(store::saveMeta());
        EXPECT_TRUE(h.hasDataFile("saves.dat"));
        store::meta().gold = 5;  // changed but not saved
        h.reloadStores();
        EXPECT_EQ(store::meta().gold, 77) << "what the file holds";
        h.freshStores();
        EXPECT_FALSE(h.hasDataFile("saves.dat"));
        EXPECT_EQ(store::meta().gold, store::Meta{}.gold);
        store::meta().gold = 12;
        ASSERT_TRUE(store::saveMeta());
    }
    ScreenHarness next;
    EXPECT_NE(next.dataDir(), firstDir);
    EXPECT_EQ(store::meta().gold, store::Meta{}.gold) << "a new harness starts from the defaults";
    store::meta().gold = 31;
    ASSERT_TRUE(store::saveMeta());
    {
        ScreenHarness inner;
        EXPECT_EQ(store::meta().gold, store::Meta{}.gold);
        audio::play(audio::Sfx::Coin);
        EXPECT_EQ(inner.sounds().size(), 1u);
    }
    EXPECT_EQ(store::meta().gold, 31) << "the outer harness gets its stores back";
    audio::play(audio::Sfx::Coin);
    EXPECT_EQ(next.sounds().size(), 1u) << "and its sound record";
}

} // namespace
