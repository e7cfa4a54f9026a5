// The city hub with a party of four after two won runs, scrolled to the top
// and to the bottom.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "tests/screens/run_fixture.h"
#include "ui/screens.h"

namespace {

TEST(CityGallery, Hub) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        runfix::makeParty({rpg::ClassId::Warrior, rpg::ClassId::Cleric, rpg::ClassId::Rogue, rpg::ClassId::Druide},
                          12);
        store::meta().gold = 1234567;
        store::meta().ascension = 2;
        runfix::openScreens(hs, {ui::kMenu, ui::kCity});
        hs.runFor(0.5);
        gallery::shoot(hs, "city");
        hs.moveTo(w / 2.0, h * 0.6).wheel(-20).frame();
        hs.runFor(1.5);
        gallery::shoot(hs, "city-bottom");
    }
}

TEST(CityGallery, RunUnderway) {
    harness::ScreenHarness hs(&ui::Game::instance());
    runfix::makeParty({rpg::ClassId::Vampire, rpg::ClassId::Dieb});
    runfix::startRun(7);
    runfix::openScreens(hs, {ui::kMenu, ui::kCity});
    hs.runFor(0.5);
    gallery::shoot(hs, "city-run");
}

} // namespace
