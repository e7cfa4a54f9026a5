// The tavern: the recruit price, hiring, choosing the party and the rest
// house of a run.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "play/party.h"
#include "play/run.h"
#include "platform/storage.h"
#include "screens/shop_layout.h"
#include "tests/screens/shop_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

using rpg::ClassId;

std::vector<rpg::Hero> heroesOfLevels(const std::vector<int>& levels) {
    std::vector<rpg::Hero> heroes;
    for (int level : levels) heroes.push_back(rpg::makeHero(ClassId::Cleric, "", level));
    return heroes;
}

TEST(TavernPrices, RecruitPrice) {
    struct Case {
        std::vector<int> levels;
        double price;
    };
    for (const Case& c : {Case{{}, 40}, Case{{1, 1, 1}, 40}, Case{{1, 1, 1, 1}, 80}, Case{{6, 6, 6, 6, 6}, 168},
                          Case{{2, 2}, 43}, Case{{1, 2}, 43}, Case{{1, 1, 2}, 40}}) {
        EXPECT_EQ(play::recruitPrice(heroesOfLevels(c.levels)), c.price) << c.levels.size() << " heroes";
    }
}

// At 1280 x 720 (scale 1): the tavern starts below the gold line at 84, the
// recruit cards at 112; without a run the roster rows follow from 232, with
// one the heal and revive buttons stand at 232 and 290 and the rows from 400.
class TavernTest : public ::testing::Test {
protected:
    harness::ScreenHarness h{&ui::Game::instance()};

    void open() {
        ui::GameState city;
        city.screen = ui::kCity;
        h.start(city);
        ui::Game::instance().push(shoptest::shopEntry(play::kShopTavern));
        h.frame();
    }
    // The pointer comes to rest before the press, as a hand's does: a press
    // that lands after a jump would count as a drag of the list.
    void clickAt(double x, double y) {
        h.moveTo(x, y).frame();
        h.click(x, y);
    }
    void clickRecruit(int cls, double y = 150) { clickAt(229.5 + 94 * cls + 42, y); }
    void clickRow(int i) { clickAt(640, 232 + 86 * i + 37); }
    void clickHeal() { clickAt(640, 255); }
    void clickRevive() { clickAt(640, 313); }
    int count(audio::Sfx fx) const { return static_cast<int>(std::count(h.sounds().begin(), h.sounds().end(), fx)); }
};

TEST_F(TavernTest, ARecruitJoinsTheRosterButNotTheParty) {
    shoptest::setParty({ClassId::Warrior, ClassId::Mage, ClassId::Rogue}, 1, 50);
    const std::vector<std::string> party = store::meta().partyIds;
    open();
    clickRecruit(7);
    h.wait(0.5);  // two clicks, not a double click
    clickRecruit(7);  // 10 gold left, a fourth hero costs 80

    h.reloadStores();
    const store::Meta& meta = store::meta();
    ASSERT_EQ(meta.roster.size(), 4u);
    EXPECT_EQ(meta.roster[3].cls, ClassId::Archer);
    EXPECT_EQ(meta.roster[3].level, 1);
    EXPECT_EQ(meta.partyIds, party);
    EXPECT_EQ(meta.gold, 10);
    EXPECT_EQ(count(audio::Sfx::Success), 1);
    EXPECT_EQ(count(audio::Sfx::Error), 1);
}

TEST_F(TavernTest, ThePartyIsNeverEmptiedNorFilledPastItsCap) {
    shoptest::setParty({ClassId::Warrior}, 1, 0);
    store::Meta& meta = store::meta();
    for (ClassId cls : {ClassId::Mage, ClassId::Cleric, ClassId::Rogue}) {
        meta.roster.push_back(rpg::makeHero(cls, "", 1));
    }
    store::saveMeta();
    const std::string first = meta.roster[0].id;
    open();

    clickRow(0);  // the only member stays
    EXPECT_EQ(store::meta().partyIds, std::vector<std::string>{first});
    clickRow(1);
    clickRow(2);
    clickRow(3);  // the cap is 3 before any won run
    h.reloadStores();
    const std::vector<std::string> full{first, store::meta().roster[1].id, store::meta().roster[2].id};
    EXPECT_EQ(store::meta().partyIds, full);
    EXPECT_EQ(count(audio::Sfx::Error), 2);

    clickRow(0);  // now it may leave; the others keep their order
    h.reloadStores();
    EXPECT_EQ(store::meta().partyIds, std::vector<std::string>(full.begin() + 1, full.end()));
}

TEST_F(TavernTest, TheRestHouseServesOnlyDuringARun) {
    // A run that has ended still lists a wounded member: no rest house.
    shoptest::setParty({ClassId::Warrior}, 3, 200);
    store::run().party = {{store::meta().partyIds[0], 5, 0}};
    open();
    clickHeal();
    EXPECT_EQ(store::meta().gold, 200);
    EXPECT_EQ(store::run().party[0].hp, 5);

    store::Meta& meta = store::meta();
    for (ClassId cls : {ClassId::Mage, ClassId::Rogue}) {
        meta.roster.push_back(rpg::makeHero(cls, "", 3));
        meta.partyIds.push_back(meta.roster.back().id);
    }
    store::saveMeta();
    shoptest::startRun(11);
    rpg::RunState& run = store::run();
    run.party[1].hp = 5;
    run.party[1].mp = 0;
    run.party[2].hp = 0;
    run.party[2].mp = 0;
    store::saveRun();
    h.frame();
    const auto maxOf = [](const rpg::PartyMember& m) { return rpg::deriveStats(*store::heroById(m.heroId)); };

    clickHeal();
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 180);
    const rpg::Stats mageMax = maxOf(store::run().party[1]);
    EXPECT_EQ(store::run().party[1].hp, rpg::statValue(mageMax, rpg::StatId::MaxHp));
    EXPECT_EQ(store::run().party[1].mp, rpg::statValue(mageMax, rpg::StatId::MaxMp));
    EXPECT_EQ(store::run().party[2].hp, 0) << "healing does not raise the fallen";
    clickHeal();
    EXPECT_EQ(store::meta().gold, 180) << "nobody is wounded any more";

    clickRevive();
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 140);
    const rpg::Stats rogueMax = maxOf(store::run().party[2]);
    EXPECT_EQ(store::run().party[2].hp, rpg::statValue(rogueMax, rpg::StatId::MaxHp));
    EXPECT_EQ(store::run().party[2].mp, rpg::statValue(rogueMax, rpg::StatId::MaxMp));
    EXPECT_EQ(play::woundedCount(store::run()) + play::fallenCount(store::run()), 0);

    store::run().party.push_back({"gone-1", 0, 0});  // a fallen member whose hero left the roster
    clickRevive();
    EXPECT_EQ(store::meta().gold, 140) << "a revive that reaches nobody is not sold";
    EXPECT_EQ(play::fallenCount(store::run()), 1);
}

TEST_F(TavernTest, HealingNeverLowersWhatABonusRaised) {
    shoptest::setParty({ClassId::Warrior, ClassId::Cleric}, 2, 100);
    shoptest::startRun(4);
    const rpg::Stats max = rpg::deriveStats(*store::heroById(store::run().party[0].heroId));
    store::run().party[0].hp = rpg::statValue(max, rpg::StatId::MaxHp) + 30;  // a rune raised it
    store::run().party[0].mp = 0;
    ASSERT_EQ(play::woundedCount(store::run()), 1);
    play::healWounded(store::run());
    EXPECT_EQ(store::run().party[0].hp, rpg::statValue(max, rpg::StatId::MaxHp) + 30);
    EXPECT_EQ(store::run().party[0].mp, rpg::statValue(max, rpg::StatId::MaxMp));
}

// The rest house measures hit points against what the heroes fight with, the
// rune circle's bonus included: a hero short of the stone's 40 is wounded,
// the heal fills up to it, and a revive raises the fallen to it.
TEST_F(TavernTest, TheRestHouseHealsUpToTheRuneBoostedMaxima) {
    shoptest::setParty({ClassId::Warrior, ClassId::Cleric}, 3, 100);
    store::meta().runeCircle.filled[rpg::MaxHp] = true;
    store::meta().runeCircle.stones[rpg::MaxHp] = {"rune-hp", rpg::MaxHp, 40};
    store::saveMeta();
    shoptest::startRun(4);
    const rpg::Hero& warrior = *store::heroById(store::run().party[0].heroId);
    const rpg::Stats max = play::maxima(warrior);
    ASSERT_EQ(max.maxHp, rpg::deriveStats(warrior).maxHp + 40);
    store::run().party[0].hp = max.maxHp - 20;  // above what the hero has without the stone
    store::run().party[1].hp = 0;
    store::saveRun();
    open();

    clickHeal();
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 80) << "a hero 20 short counts as wounded";
    EXPECT_EQ(store::run().party[0].hp, max.maxHp);
    clickRevive();
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 40);
    EXPECT_EQ(store::run().party[1].hp, play::maxima(*store::heroById(store::run().party[1].heroId)).maxHp);
}

// Scrolled down, the recruit cards slide under the gold line: a click there
// hires nobody.
TEST_F(TavernTest, ARecruitCardUnderTheGoldLineTakesNoClick) {
    shoptest::setParty({ClassId::Warrior}, 1, 1000);
    for (int i = 0; i < 8; ++i) store::meta().roster.push_back(rpg::makeHero(ClassId::Druide, "", 1));
    store::saveMeta();
    open();
    h.moveTo(640, 500).frame();
    h.press().frame();
    for (int i = 1; i <= 4; ++i) h.moveTo(640, 500 - 15 * i).frame();  // the cards now span 52-130
    h.frames(30);
    h.release().frame();

    clickRecruit(0, 70);
    EXPECT_EQ(store::meta().roster.size(), 9u);
    clickRecruit(0, 110);  // where the card shows
    EXPECT_EQ(store::meta().roster.size(), 10u);
}

} // namespace
