// The battle screen: six heroes of every look against an elite's group, as
// the fight opens and in the thick of it.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "tests/screens/battle_fixture.h"

namespace {

using battletest::armed;
using battletest::hero;
using rpg::ClassId;
namespace battle = ui::battle;

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

// The mage's turn after a few exchanges: its skills box open, the last
// blow's numbers still rising, the banner up and a bolt on its way.
TEST(BattleGallery, MidBattle) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        hs.setFrameStep(0.05);
        startBattle(hs);
        hs.frame();
        battle::Scene* sc = &battletest::liveBattle()->scene();
        int turns = 0;
        for (int i = 0; i < 2000; ++i) {
            const bool mage = battletest::heroToAct(*sc) && rpg::currentActor(sc->state)->id == "m";
            if (mage && turns > 4 && !sc->floats.empty()) break;
            if (battletest::heroToAct(*sc)) {
                battle::act(*sc, hs.ctx(), "attack", {battle::preferredEnemy(*sc)});
                ++turns;
            }
            hs.frame();
        }
        sc->state.combatants[1].statuses = {{rpg::StatusKind::Poison, 2, 3}, {rpg::StatusKind::AtkUp, 3, 4}};
        sc->state.combatants[4].statuses = {{rpg::StatusKind::Shield, 2, 10}, {rpg::StatusKind::Regen, 1, 5}};
        const double s = hs.ctx().uiScale;
        double fx = 0, fy = 0, tx = 0, ty = 0;
        battle::posOf(*sc, hs.ctx(), sc->state.combatants.back().id, &fx, &fy);
        battle::posOf(*sc, hs.ctx(), "w", &tx, &ty);
        sc->fx.proj.push_back({hs.now() - 0.16, 0.32, fx, fy, tx, ty, 0xFF6A1A, 0xFFE08A, rpg::FormOrb,
                               rpg::TrailEmber, 3, false});
        const double panelY = h - 96 * s;
        const double bw = std::min((w - 60 * s) / 4, 200 * s);
        hs.click(w / 2 - (4 * bw + 30 * s) / 2 + bw + 10 * s + bw / 2, panelY + 48 * s);
        hs.moveTo(w / 2, panelY - 20 * s).frame();
        gallery::shoot(hs, "battle-midbattle");
    }
}

} // namespace
