// The battle screen: six heroes of every look against an elite's group, as
// the fight opens and in the thick of it.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "tests/screens/battle_fixture.h"

namespace {

using battletest::armed;
using battletest::hero;
using rpg::ClassId;

void startBattle(harness::ScreenHarness& hs) {
    battletest::startRun({armed(hero("w", ClassId::Warrior, 14)), armed(hero("r", ClassId::Rogue, 13)),
                          armed(hero("v", ClassId::Vampire, 12)), armed(hero("m", ClassId::Mage, 14)),
                          armed(hero("c", ClassId::Cleric, 12)), armed(hero("a", ClassId::Archer, 13))},
                         2024, 5);
    hs.start(battletest::battleEntry(battletest::nodeOfRow(5), rpg::NodeType::Elite));
}

TEST(BattleGallery, Opening) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        startBattle(hs);
        hs.runFor(0.4);
        gallery::shoot(hs, "battle-opening");
    }
}

} // namespace
