// The run map of a three-hero party at the start of a run and five rows in,
// with wounded heroes, and the map opened with no run at all.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "tests/screens/run_fixture.h"
#include "ui/screens.h"

namespace {

void showMap(harness::ScreenHarness& hs) {
    runfix::openScreens(hs, {ui::kCity, ui::kMap});
    hs.runFor(1.0);
}

TEST(MapGallery, Depths) {
    for (auto [w, h] : gallery::kSizes) {
        for (const int depth : {0, 5}) {
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            runfix::makeParty({rpg::ClassId::Warrior, rpg::ClassId::Mage, rpg::ClassId::Archer});
            store::meta().gold = 12345;
            runfix::startRun(20240611);
            if (depth > 0) {
                runfix::walkThrough(depth);
                store::run().party[0].hp = 0;
                store::run().party[1].hp *= 0.4;
            }
            showMap(hs);
            gallery::shoot(hs, "map-depth" + std::to_string(depth));
        }
    }
}

TEST(MapGallery, NoRun) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        showMap(hs);
        gallery::shoot(hs, "map-norun");
    }
}

} // namespace
