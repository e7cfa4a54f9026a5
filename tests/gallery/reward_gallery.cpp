// The reward screen after a battle in which two of three heroes levelled:
// during the level-up burst and once the bars have filled.
#include <gtest/gtest.h>

#include "tests/gallery/gallery.h"
#include "tests/screens/progress_fixture.h"
#include "ui/screens.h"

namespace {

ui::GameState partyReward() {
    using progresstest::addPartyHero;
    addPartyHero(rpg::ClassId::Warrior, 7, "g-warrior");
    addPartyHero(rpg::ClassId::Mage, 6, "g-mage");
    addPartyHero(rpg::ClassId::Druide, 7, "g-druide");
    store::heroById("g-warrior")->points = 3;
    store::heroById("g-warrior")->xp = 40;
    store::heroById("g-mage")->xp = 150;
    store::heroById("g-mage")->points = 0;
    store::heroById("g-druide")->points = 5;
    store::heroById("g-druide")->xp = 12;
    store::saveMeta();
    ui::GameState s;
    s.screen = ui::kReward;
    s.nodeId = "n3_1";
    s.gold = 1240;
    s.xpRows = {{"g-warrior", 260, 6, 7}, {"g-mage", 95, 6, 6}, {"g-druide", 310, 6, 7}};
    s.depth = 3;
    return s;
}

TEST(RewardGallery, LevelUps) {
    for (auto [w, h] : gallery::kSizes) {
        for (double at : {1.3, 3.0}) {
            harness::ScreenHarness hs(&ui::Game::instance(), w, h);
            hs.start(partyReward());
            hs.setFrameStep(0.05);
            hs.runFor(at);
            gallery::shoot(hs, at < 2 ? "reward-levelup" : "reward");
        }
    }
}

TEST(RewardGallery, NoRows) {
    for (auto [w, h] : gallery::kSizes) {
        harness::ScreenHarness hs(&ui::Game::instance(), w, h);
        ui::GameState s;
        s.screen = ui::kReward;
        s.gold = 35;
        hs.start(s);
        hs.runFor(0.5);
        gallery::shoot(hs, "reward-empty");
    }
}

} // namespace
