// The end of a run of three heroes: won, and lost.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "tests/screens/progress_fixture.h"
#include "ui/screens.h"

namespace {

TEST(RunResultGallery, VictoryAndDefeat) {
    for (auto [w, h] : gallery::kSizes) {
        for (bool lost : {false, true}) {
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            using progresstest::addPartyHero;
            addPartyHero(rpg::ClassId::Warrior, 9, "g-warrior");
            addPartyHero(rpg::ClassId::Vampire, 8, "g-vampire");
            addPartyHero(rpg::ClassId::Archer, 9, "g-archer");
            progresstest::startRun(33);
            store::run().depth = lost ? 5 : 8;
            store::run().gold = 2345;
            ui::GameState s;
            s.screen = ui::kRunResult;
            s.lost = lost;
            s.depth = lost ? 0 : 8;
            for (const rpg::PartyMember& m : store::run().party) s.runHeroIds.push_back(m.heroId);
            hs.start(s);
            hs.setFrameStep(0.05);
            hs.runFor(lost ? 4.0 : 1.6);
            gallery::shoot(hs, lost ? "runresult-defeat" : "runresult-victory");
        }
    }
}

} // namespace
