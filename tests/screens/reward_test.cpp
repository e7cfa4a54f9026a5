// The reward screen: its sounds, where it leads, and spending stat points.
#include <SDL.h>
#include <gtest/gtest.h>

#include "screens/reward_layout.h"
#include "tests/screens/progress_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

using audio::Sfx;
using progresstest::addPartyHero;

ui::GameState rewardEntry(std::vector<ui::XpRow> rows, bool boss) {
    ui::GameState s;
    s.screen = ui::kReward;
    s.nodeId = "n8_1";
    s.gold = 120;
    s.xp = 40;
    s.xpRows = std::move(rows);
    s.boss = boss;
    s.depth = 8;
    return s;
}

// The reward lies on the map, as the battle leaves it.
void openOnMap(harness::ScreenHarness& h, const ui::GameState& reward) {
    ui::GameState map;
    map.screen = ui::kMap;
    h.start(map);
    ui::Game::instance().push(reward);
}

TEST(RewardScreen, PlaysTheXpSoundAt032sAndOneLevelUpSound) {
    struct Case {
        const char* name;
        std::vector<ui::XpRow> rows;
        std::vector<Sfx> sounds;
    } cases[] = {
        {"no rows", {}, {Sfx::Xp}},
        {"no level", {{"a", 10, 2, 2}}, {Sfx::Xp}},
        {"two levelled", {{"a", 300, 2, 3}, {"b", 500, 1, 3}}, {Sfx::Xp, Sfx::Levelup}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        harness::ScreenHarness h(&ui::Game::instance());
        addPartyHero(rpg::ClassId::Warrior, 3, "a");
        addPartyHero(rpg::ClassId::Mage, 3, "b");
        h.setFrameStep(0.05);
        openOnMap(h, rewardEntry(c.rows, false));
        h.runFor(0.3);
        EXPECT_TRUE(h.sounds().empty());
        h.runFor(2.5);
        EXPECT_EQ(h.sounds(), c.sounds);
    }
}

TEST(RewardScreen, ContinueGoesToTheBossChestOrBackToTheMap) {
    for (bool boss : {false, true}) {
        for (bool byKey : {false, true}) {
            SCOPED_TRACE(testing::Message() << "boss " << boss << ", key " << byKey);
            harness::ScreenHarness h(&ui::Game::instance());
            openOnMap(h, rewardEntry({}, boss));
            h.frame();
            if (byKey) {
                h.key(SDLK_RETURN).frame();
            } else {
                const ui::Rect r = ui::rewardContinueButton(1280, 720, h.ctx().uiScale);
                h.click(r.x + r.w / 2, r.y + r.h / 2);
            }
            const auto& stack = ui::Game::instance().stack();
            if (!boss) {
                ASSERT_EQ(stack.size(), 1u);
                EXPECT_EQ(h.top().screen, ui::kMap);
                continue;
            }
            ASSERT_EQ(stack.size(), 2u) << "the chest replaces the reward";
            const ui::GameState& chest = h.top();
            EXPECT_EQ(chest.screen, ui::kTreasure);
            EXPECT_TRUE(chest.boss);
            EXPECT_EQ(chest.depth, 8);
            EXPECT_EQ(chest.nodeId, "n8_1");
            EXPECT_EQ(chest.nodeType, static_cast<std::uint8_t>(rpg::NodeType::Boss));
            EXPECT_EQ(chest.gold, 0) << "the chest entry carries nothing of the battle";
            EXPECT_TRUE(chest.xpRows.empty());
            EXPECT_TRUE(chest.firstFlag);
            EXPECT_FALSE(chest.lucky);
        }
    }
}

// The last point folds its card and the next hero's buttons move up under
// the pointer: the second click of a double click spends nothing there.
TEST(RewardScreen, ADoubleClickOnTheLastPointSpendsOnlyIt) {
    harness::ScreenHarness h(&ui::Game::instance());
    addPartyHero(rpg::ClassId::Warrior, 4, "w");
    addPartyHero(rpg::ClassId::Mage, 4, "m");
    store::heroById("w")->points = 1;
    store::heroById("m")->points = 3;
    store::saveMeta();
    const std::vector<ui::XpRow> rows = {{"w", 90, 3, 4}, {"m", 90, 3, 4}};
    openOnMap(h, rewardEntry(rows, false));
    h.frame();
    const double s = h.ctx().uiScale;
    const ui::Rect area = ui::rewardListArea(1280, 720, s);
    const ui::Rect first = ui::rewardCards(rows, area, s, 0)[0];
    // Where the second card's buttons stand once the first card has folded.
    const ui::Rect folded{first.x, first.y + 80 * s + 12 * s, first.w, first.h};
    bool found = false;
    for (int i = 0; i < 8 && !found; ++i) {
        const ui::Rect b = ui::rewardStatButton(first, i, s);
        for (int j = 0; j < 8 && !found; ++j) {
            const ui::Rect n = ui::rewardStatButton(folded, j, s);
            const double x = b.x + b.w / 2, y = std::max(b.y, n.y) + 2;
            if (!b.contains(x, y) || !n.contains(x, y)) continue;
            found = true;
            h.moveTo(x, y).frame();
            h.click(x, y);
            h.click(x, y);
        }
    }
    ASSERT_TRUE(found) << "no button of the second card moves under one of the first";
    h.reloadStores();
    EXPECT_EQ(store::heroById("w")->points, 0);
    EXPECT_EQ(store::heroById("m")->points, 3) << "the second click spent a point of the next hero";
}

TEST(RewardScreen, StatClicksSpendPointsAndAreSaved) {
    harness::ScreenHarness h(&ui::Game::instance());
    addPartyHero(rpg::ClassId::Warrior, 4, "w");
    store::heroById("w")->points = 3;
    store::saveMeta();
    const std::vector<ui::XpRow> rows = {{"w", 90, 3, 4}};
    openOnMap(h, rewardEntry(rows, false));
    h.frame();
    const double s = h.ctx().uiScale;
    const ui::Rect area = ui::rewardListArea(1280, 720, s);
    const ui::Rect card = ui::rewardCards(rows, area, s, 0)[0];
    EXPECT_GE(card.h, ui::rewardStatButton(card, 7, s).y + ui::rewardStatButton(card, 7, s).h - card.y)
        << "tall: it holds the stat buttons";
    for (int stat : {0, 1, 2}) {  // hit points, mana, attack
        const ui::Rect b = ui::rewardStatButton(card, stat, s);
        h.click(b.x + b.w / 2, b.y + b.h / 2);
    }
    // The card has shrunk: a click where the buttons were spends nothing.
    const ui::Rect gone = ui::rewardStatButton(card, 3, s);
    h.click(gone.x + gone.w / 2, gone.y + gone.h / 2);
    EXPECT_DOUBLE_EQ(ui::rewardCardHeight(rows[0], s), 80 * s);

    h.reloadStores();
    const rpg::Hero* hero = store::heroById("w");
    ASSERT_NE(hero, nullptr);
    EXPECT_EQ(hero->points, 0);
    EXPECT_EQ(hero->alloc.maxHp, 8);
    EXPECT_EQ(hero->alloc.maxMp, 5);
    EXPECT_EQ(hero->alloc.atk, 1);
    EXPECT_EQ(hero->alloc.def, 0);
    EXPECT_EQ(std::count(h.sounds().begin(), h.sounds().end(), Sfx::Place), 3);
    EXPECT_EQ(h.top().screen, ui::kReward) << "spending points does not leave";
}

TEST(RewardScreen, ARowWhoseHeroLeftTheRosterTakesAShortEmptySlot) {
    harness::ScreenHarness h(&ui::Game::instance());
    addPartyHero(rpg::ClassId::Rogue, 2, "r");
    store::heroById("r")->points = 2;
    const std::vector<ui::XpRow> rows = {{"gone", 50, 1, 2}, {"r", 20, 2, 2}};
    openOnMap(h, rewardEntry(rows, false));
    h.frame();
    const double s = h.ctx().uiScale;
    const std::vector<ui::Rect> cards = ui::rewardCards(rows, ui::rewardListArea(1280, 720, s), s, 0);
    EXPECT_DOUBLE_EQ(cards[0].h, 80 * s);
    EXPECT_DOUBLE_EQ(cards[1].y, cards[0].y + 92 * s);
    // The empty slot has no buttons; the real card below it does.
    h.click(cards[0].x + 40 * s, cards[0].y + cards[0].h / 2);
    EXPECT_EQ(store::heroById("r")->points, 2);
    const ui::Rect b = ui::rewardStatButton(cards[1], 6, s);
    h.click(b.x + b.w / 2, b.y + b.h / 2);
    EXPECT_EQ(store::heroById("r")->points, 1);
    EXPECT_EQ(store::heroById("r")->alloc.spd, 1);
}

} // namespace
