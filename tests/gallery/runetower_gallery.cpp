// The rune tower: a circle with three stones socketed and a list of stones
// longer than its area; then an empty tower.
#include <gtest/gtest.h>

#include "platform/storage.h"
#include "tests/gallery/gallery.h"
#include "tests/screens/run_fixture.h"
#include "ui/screens.h"

namespace {

void fillTower() {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    meta.gold = 1234;
    const auto socket = [&](rpg::StatId stat, double value) {
        meta.runeCircle.filled[stat] = true;
        meta.runeCircle.stones[stat] = {"rune-s-" + std::to_string(stat), stat, value};
    };
    socket(rpg::MaxHp, 40);
    socket(rpg::Atk, 6);
    socket(rpg::Crit, 3);
    const rpg::StatId kept[] = {rpg::Def, rpg::Atk, rpg::Spd, rpg::MaxMp, rpg::Mag, rpg::Res};
    int n = 0;
    for (rpg::StatId stat : kept) {
        meta.runeInventory.push_back({"rune-i-" + std::to_string(++n), stat, 4.0 + 3 * n});
    }
    store::saveMeta();
}

void open(harness::ScreenHarness& hs) {
    runfix::openScreens(hs, {ui::kCity, ui::kRuneTower});
    hs.runFor(0.4);
}

TEST(RuneTowerGallery, Circle) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        fillTower();
        open(hs);
        gallery::shoot(hs, "runetower-stones");
    }
}

TEST(RuneTowerGallery, Empty) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        open(hs);
        gallery::shoot(hs, "runetower-empty");
    }
}

} // namespace
