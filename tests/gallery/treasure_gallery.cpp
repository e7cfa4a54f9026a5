// Treasure chests fully revealed: a found chest, a won minigame's lucky
// chest, a boss chest with its runestone, a trap; and a chest still closed.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "screens/treasure_roll.h"
#include "tests/screens/progress_fixture.h"
#include "ui/screens.h"

namespace {

struct Chest {
    const char* name;
    bool boss;
    bool lucky;
    int outcome;     // the rpg::LootQuality wanted of a treasure node's chest
    double openFor;  // seconds after the click; negative: never opened
};

// Changes the run's seed until the node's chest is of the wanted quality.
void seedFor(const ui::GameState& s, int outcome) {
    for (std::uint32_t seed = 1; seed < 5000; ++seed) {
        store::run().seed = seed;
        if (static_cast<int>(ui::rollChest(s).outcome) == outcome) break;
    }
    store::saveRun();
}

TEST(TreasureGallery, Chests) {
    const Chest chests[] = {
        {"treasure-found", false, false, 1, 3.5}, {"treasure-lucky", false, true, 2, 3.5},
        {"treasure-boss", true, false, 2, 3.5},   {"treasure-trap", false, false, 0, 3.5},
        {"treasure-closed", false, false, 1, -1},
    };
    for (auto [w, h] : gallery::kSizes) {
        for (const Chest& c : chests) {
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            using progresstest::addPartyHero;
            addPartyHero(rpg::ClassId::Warrior, 12, "g-warrior");
            addPartyHero(rpg::ClassId::Mage, 11, "g-mage");
            addPartyHero(rpg::ClassId::Archer, 12, "g-archer");
            progresstest::startRun(4);
            const rpg::MapNode* node = progresstest::firstNodeOf(rpg::NodeType::Treasure);
            ui::GameState s = progresstest::entryFor(ui::kTreasure, node ? node->id : "n2_0");
            s.lucky = c.lucky;
            s.autoOpen = c.lucky;
            if (c.boss) {
                s.nodeId = "n8_1";
                s.boss = true;
                s.depth = 8;
            }
            if (!c.boss && !c.lucky) seedFor(s, c.outcome);
            hs.start(s);
            hs.setFrameStep(0.05);
            hs.runFor(0.3);
            if (c.openFor >= 0) {
                if (!c.lucky) hs.click(w / 2.0, h - 80 * hs.ctx().uiScale);
                hs.runFor(c.openFor);
            }
            gallery::shoot(hs, c.name);
        }
    }
}

} // namespace
