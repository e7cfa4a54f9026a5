// The rest screen: the refill to the maxima the party fights with, and when
// the node counts as done.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "play/party.h"
#include "screens/common.h"
#include "screens/rest_layout.h"
#include "tests/screens/progress_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace {

using progresstest::addPartyHero;

// A party of two on a run, worn down (the cleric fallen), with a hit point
// rune in the circle; the rest of the run's first rest node lies on the map.
struct RestSetup {
    std::string node;

    explicit RestSetup(harness::ScreenHarness& h) {
        addPartyHero(rpg::ClassId::Warrior, 5, "w");
        addPartyHero(rpg::ClassId::Cleric, 5, "c");
        store::Meta& meta = store::meta();
        meta.runeCircle.filled[rpg::MaxHp] = true;
        meta.runeCircle.stones[rpg::MaxHp] = {"rune-maxHp-1-123456", rpg::MaxHp, 40};
        store::saveMeta();
        progresstest::startRun(11);
        const rpg::MapNode* rest = progresstest::firstNodeOf(rpg::NodeType::Rest);
        node = rest ? rest->id : "n1_0";
        for (rpg::PartyMember& m : store::run().party) {
            m.hp = m.heroId == "c" ? 0 : 3;
            m.mp = 1;
        }
        store::saveRun();
        ui::GameState map;
        map.screen = ui::kMap;
        h.start(map);
        ui::Game::instance().push(progresstest::entryFor(ui::kRest, node));
        h.setFrameStep(0.05);
        h.frame();
    }

    static ui::RestLayout layout(harness::ScreenHarness& h) {
        return ui::restLayout(h.ctx(), ui::kHeaderHeight * h.ctx().uiScale, 2);
    }
    static void clickHeal(harness::ScreenHarness& h) {
        const ui::Rect r = layout(h).heal;
        h.click(r.x + r.w / 2, r.y + r.h / 2);
    }
};

const rpg::PartyMember& member(const std::string& id) {
    const auto& party = store::run().party;
    return *std::find_if(party.begin(), party.end(), [&](const rpg::PartyMember& m) { return m.heroId == id; });
}

TEST(RestScreen, RefillsToRuneBoostedMaximaAt095sAndSettlesOnceAt14s) {
    harness::ScreenHarness h(&ui::Game::instance());
    RestSetup setup(h);
    store::run().cleared.push_back(setup.node);  // listed already: must stay listed once
    store::saveRun();
    RestSetup::clickHeal(h);
    EXPECT_EQ(h.sounds().back(), audio::Sfx::Rest);
    const double began = h.now() - 0.05;

    h.runFor(0.8);
    h.reloadStores();
    EXPECT_EQ(member("w").hp, 3) << "nothing is saved before 0.95 s";

    h.runFor(began + 0.95 - h.now() + 0.06);
    EXPECT_EQ(h.top().screen, ui::kRest);
    h.reloadStores();
    for (const char* id : {"w", "c"}) {
        SCOPED_TRACE(id);
        const rpg::Stats max = play::maxima(*store::heroById(id));
        const rpg::Stats plain = rpg::deriveStats(*store::heroById(id));
        EXPECT_EQ(max.maxHp, plain.maxHp + 40) << "the rune counts";
        EXPECT_EQ(member(id).hp, max.maxHp);
        EXPECT_EQ(member(id).mp, max.maxMp);
    }

    h.runFor(0.5);
    EXPECT_EQ(h.top().screen, ui::kMap);
    h.reloadStores();
    const auto& cleared = store::run().cleared;
    EXPECT_EQ(std::count(cleared.begin(), cleared.end(), setup.node), 1);
    EXPECT_EQ(store::run().pos, setup.node);
}

TEST(RestScreen, EscapeNeverSettlesTheNode) {
    for (double after : {0.0, 0.5, 1.2}) {  // before resting, while refilling, after the refill was saved
        SCOPED_TRACE(after);
        harness::ScreenHarness h(&ui::Game::instance());
        RestSetup setup(h);
        if (after > 0) {
            RestSetup::clickHeal(h);
            h.runFor(after);
        }
        h.key(SDLK_ESCAPE).frame();
        EXPECT_EQ(h.top().screen, ui::kMap);
        h.runFor(1.0);
        h.reloadStores();
        EXPECT_FALSE(rpg::isCleared(store::run(), setup.node));
        const double expectHp = after > 1 ? play::maxima(*store::heroById("w")).maxHp : 3;
        EXPECT_EQ(member("w").hp, expectHp) << "a saved refill stays";
    }
}

TEST(RestScreen, MovingOnSettlesAtOnceWithoutHealing) {
    harness::ScreenHarness h(&ui::Game::instance());
    RestSetup setup(h);
    const ui::Rect r = RestSetup::layout(h).leave;
    h.click(r.x + r.w / 2, r.y + r.h / 2);
    EXPECT_EQ(h.top().screen, ui::kMap);
    h.reloadStores();
    EXPECT_TRUE(rpg::isCleared(store::run(), setup.node));
    EXPECT_EQ(member("w").hp, 3);
}

TEST(RestScreen, ButtonsAreDeadWhileResting) {
    harness::ScreenHarness h(&ui::Game::instance());
    RestSetup setup(h);
    RestSetup::clickHeal(h);
    const ui::Rect r = RestSetup::layout(h).leave;
    h.clearSounds();
    h.click(r.x + r.w / 2, r.y + r.h / 2);
    EXPECT_EQ(h.top().screen, ui::kRest) << "moving on waits for the rest";
    EXPECT_TRUE(h.sounds().empty());
}

TEST(RestScreen, WithoutARunHealOnlyMovesOn) {
    harness::ScreenHarness h(&ui::Game::instance());
    addPartyHero(rpg::ClassId::Mage, 1, "m");
    ui::GameState map;
    map.screen = ui::kMap;
    h.start(map);
    ui::Game::instance().push(progresstest::entryFor(ui::kRest, ""));
    h.frame();
    const ui::Rect r = ui::restLayout(h.ctx(), ui::kHeaderHeight * h.ctx().uiScale, 1).heal;
    h.click(r.x + r.w / 2, r.y + r.h / 2);
    EXPECT_EQ(h.top().screen, ui::kMap);
    EXPECT_FALSE(store::hasRun());
    EXPECT_FALSE(h.hasDataFile("run.dat"));
}

} // namespace
