// The spell shop in both forms: the scroll stock and its seeded order, what
// a purchase costs and saves, leaving a run's shop, and the clicks that
// hidden rows must not take.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/leveling.h"
#include "rules/rng.h"
#include "screens/common.h"
#include "screens/trainer_stock.h"
#include "tests/screens/nav_support.h"
#include "tests/screens/shop_fixture.h"
#include "tests/support/screen_harness.h"
#include "ui/screens.h"

namespace {

using rpg::ClassId;

std::vector<std::string> idsOf(const std::vector<const rpg::SkillDef*>& skills) {
    std::vector<std::string> ids;
    for (const rpg::SkillDef* skill : skills) ids.emplace_back(skill->id);
    return ids;
}

// The shuffle written out: from the end, n = count down to 2, j = floor(u n),
// entries n - 1 and j swap.
std::vector<std::string> handShuffle(std::vector<std::string> ids, const std::string& seedText) {
    rpg::Rng rng{rpg::seedHash(seedText)};
    for (std::size_t n = ids.size(); n >= 2; --n) {
        const auto j = static_cast<std::size_t>(rng.uniform() * static_cast<double>(n));
        std::swap(ids[n - 1], ids[j]);
    }
    return ids;
}

// One hero of the class and level, alone in the party.
rpg::Hero& soloHero(ClassId cls, const std::string& id, int level, double gold) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    meta.gold = gold;
    meta.roster.push_back(rpg::makeHero(cls, id, level));
    meta.partyIds.push_back(id);
    store::saveMeta();
    return meta.roster.back();
}

class SpellShopTest : public ::testing::Test {
protected:
    harness::ScreenHarness h{&ui::Game::instance()};

    double scale() { return h.ctx().uiScale; }

    // The shop above the city, or above the map for a run's shop node.
    void open(int screen, const std::string& nodeId = {}) {
        ui::GameState below;
        below.screen = nodeId.empty() ? ui::kCity : ui::kMap;
        h.start(below);
        ui::GameState top;
        top.screen = screen;
        top.nodeId = nodeId;
        ui::Game::instance().push(top);
        h.frame();
        h.clearSounds();
    }

    // The button of row `index` in the second section when the first holds
    // `firstRows` rows, or in the first section when firstRows is -1.
    ui::Rect action(int firstRows, int index, bool inRun) {
        const double s = scale();
        const ui::Rect list = ui::spellListRect(h.ctx().width, h.ctx().height, s, 52 * s, inRun);
        double y = list.y + 12 * s + ui::kSpellSectionHead * s;
        if (firstRows >= 0) {
            y += (firstRows == 0 ? ui::kSpellEmptyNote : firstRows * ui::kSpellRowStep) * s;
            y += ui::kSpellSectionHead * s;
        }
        return ui::spellActionRect(ui::spellRowRect(list, y + index * ui::kSpellRowStep * s, s), s);
    }

    void clickIn(const ui::Rect& r) { navtest::clickStill(h, r.x + r.w / 2, r.y + r.h / 2); }
};

TEST(SpellShopStock, TheScrollOrderIsTheSeededShuffleOfTheScrollsWithinTheCeiling) {
    harness::ScreenHarness h;
    const rpg::Hero& hero = soloHero(ClassId::Warrior, "w1", 3, 0);
    const ui::SpellShopPlace place = ui::spellShopPlace("");
    EXPECT_EQ(place.depth, 0);
    EXPECT_EQ(place.partyLevel, 3);
    EXPECT_EQ(ui::scrollCeiling(place), 294);
    EXPECT_EQ(ui::scrollSeedText(place, "w1"), "scrolls-w1-0-3");

    // Ground Slam (340) and dearer lie above the ceiling; the trainer has
    // them all, in the class's order.
    const std::vector<std::string> trainer = idsOf(ui::learnList(hero, ui::trainerOpts(), place));
    EXPECT_EQ(trainer, (std::vector<std::string>{"whirlwind", "shieldBash", "groundSlam", "berserk", "ironBulwark",
                                                 "executeStrike", "bloodthirst"}));
    const std::vector<std::string> scrolls = idsOf(ui::learnList(hero, ui::scrollShopOpts(), place));
    EXPECT_EQ(scrolls, handShuffle({"whirlwind", "shieldBash", "berserk"}, "scrolls-w1-0-3"));

    // The same inputs give the same order on the next visit.
    h.reloadStores();
    EXPECT_EQ(idsOf(ui::learnList(*store::heroById("w1"), ui::scrollShopOpts(), ui::spellShopPlace(""))), scrolls);
}

TEST(SpellShopStock, SeedTextsGroupTheirNumbersAndARunUsesItsSeedAndNode) {
    harness::ScreenHarness h;
    soloHero(ClassId::Mage, "m1", 12, 0);
    store::meta().bestDepth = 1234;
    // The same text whatever language the player reads numbers in.
    for (const i18n::Language& language : i18n::languages()) {
        i18n::setLanguage(language.code);
        EXPECT_EQ(ui::scrollSeedText(ui::spellShopPlace(""), "m1"), "scrolls-m1-1.234-12") << language.code;
    }
    i18n::setLanguage("en");

    const std::string node = shoptest::startRun(4000000000u);
    const auto at = std::find_if(store::run().map.nodes.begin(), store::run().map.nodes.end(),
                                 [&](const rpg::MapNode& n) { return n.id == node; });
    ASSERT_GT(at->row, 0);
    EXPECT_EQ(ui::spellShopPlace(node).depth, at->row);  // the node lies deeper than the run has been
    store::run().depth = 8;
    const ui::SpellShopPlace place = ui::spellShopPlace(node);
    EXPECT_TRUE(place.inRun());
    EXPECT_EQ(place.depth, 8);
    EXPECT_EQ(ui::scrollSeedText(place, "m1"), std::to_string(store::run().seed) + "-" + node + "-m1");
}

TEST_F(SpellShopTest, BuyingAScrollChargesTheShownPriceAndReshufflesTheRest) {
    const rpg::Hero& hero = soloHero(ClassId::Warrior, "w1", 3, 1000);
    const std::vector<std::string> before = idsOf(ui::learnList(hero, ui::scrollShopOpts(), ui::spellShopPlace("")));
    ASSERT_EQ(before.size(), 3u);
    open(ui::kScrollShop);

    clickIn(action(-1, 0, false));
    const rpg::SkillDef& bought = *rpg::findSkill(before[0]);
    EXPECT_EQ(h.sounds(), (std::vector{audio::Sfx::Click, audio::Sfx::Success}));
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 1000 - rpg::learnPrice(bought, 3, 0));
    EXPECT_EQ(store::heroById("w1")->skillLevels.at(before[0]), 1);

    // The rest, in the class's order, shuffled again from the same seed.
    std::vector<std::string> rest = {"whirlwind", "shieldBash", "berserk"};
    std::erase(rest, before[0]);
    EXPECT_EQ(idsOf(ui::learnList(*store::heroById("w1"), ui::scrollShopOpts(), ui::spellShopPlace(""))),
              handShuffle(rest, "scrolls-w1-0-3"));
}

// What the first learn row costs in each form; a run's prices grow with its
// depth and the party's level, but the trainer never counts as in a run.
TEST_F(SpellShopTest, ALearnedSkillCostsTheShownPriceAndOnlyTheLastingProgressIsSaved) {
    struct Case {
        int screen;
        bool run;
        bool shopNode;
    } cases[] = {{ui::kTrainer, false, false}, {ui::kTrainer, true, false}, {ui::kScrollShop, true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.screen);
        h.freshStores();
        const rpg::Hero& hero = soloHero(ClassId::Rogue, "r1", 9, 2000);
        std::string node;
        if (c.run) {
            node = shoptest::startRun(12);
            store::run().depth = 4;
            store::saveRun();
        }
        const rpg::RunState runBefore = store::run();
        const ui::SpellShopPlace place = ui::spellShopPlace(c.shopNode ? node : "");
        const bool scrolls = c.screen == ui::kScrollShop;
        const ui::SpellShopOpts opts = scrolls ? ui::scrollShopOpts() : ui::trainerOpts();
        const rpg::SkillDef& skill = *ui::learnList(hero, opts, place).front();
        const double price = scrolls ? rpg::learnPrice(skill, 9, place.depth) : rpg::learnCost(skill);
        const int upgrades = static_cast<int>(ui::upgradeList(hero).size());
        open(c.screen, c.shopNode ? node : "");

        clickIn(action(scrolls ? -1 : upgrades, 0, c.shopNode));
        h.reloadStores();
        EXPECT_EQ(store::meta().gold, 2000 - price);
        EXPECT_EQ(store::heroById("r1")->skillLevels.at(skill.id), 1);
        EXPECT_EQ(store::run(), runBefore);
        EXPECT_EQ(h.top().screen, c.screen);
    }
}

TEST_F(SpellShopTest, AnUpgradeRaisesTheLevelByOneAndAMaxedSkillSellsNothing) {
    rpg::Hero& hero = soloHero(ClassId::Warrior, "w1", 2, 5000);
    hero.skillLevels["shieldBash"] = 3;
    hero.skillLevels["whirlwind"] = 15;  // its top level
    store::saveMeta();
    const std::vector<std::string> upgrades = idsOf(ui::upgradeList(hero));
    const auto row = [&](const char* id) {
        return static_cast<int>(std::find(upgrades.begin(), upgrades.end(), id) - upgrades.begin());
    };
    ASSERT_LT(row("whirlwind"), 7);  // every row in sight
    ASSERT_LT(row("shieldBash"), 7);
    open(ui::kTrainer);

    clickIn(action(-1, row("whirlwind"), false));
    EXPECT_EQ(store::meta().gold, 5000);
    EXPECT_TRUE(h.sounds().empty());

    clickIn(action(-1, row("shieldBash"), false));
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 5000 - rpg::upgradeCost(*rpg::findSkill("shieldBash"), 3));
    EXPECT_EQ(store::heroById("w1")->skillLevels.at("shieldBash"), 4);
    EXPECT_EQ(store::heroById("w1")->skillLevels.at("whirlwind"), 15);
}

TEST_F(SpellShopTest, TooLittleGoldBuysNothing) {
    const rpg::Hero& hero = soloHero(ClassId::Cleric, "c1", 5, 0);
    const rpg::SkillDef& skill = *ui::learnList(hero, ui::trainerOpts(), ui::spellShopPlace("")).front();
    store::meta().gold = rpg::learnCost(skill) - 1;
    store::saveMeta();
    const int upgrades = static_cast<int>(ui::upgradeList(hero).size());
    open(ui::kTrainer);

    clickIn(action(upgrades, 0, false));
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, rpg::learnCost(skill) - 1);
    EXPECT_EQ(rpg::skillLevel(*store::heroById("c1"), skill.id), 0);
    EXPECT_TRUE(h.sounds().empty());
}

// Escape leaves both; only the scroll shop of a map node settles its node.
TEST_F(SpellShopTest, EscapeSettlesTheRunsScrollShopButNeverTouchesTheRunFromTheTrainer) {
    for (const int screen : {ui::kScrollShop, ui::kTrainer}) {
        SCOPED_TRACE(screen);
        h.freshStores();
        soloHero(ClassId::Archer, "a1", 4, 0);
        const std::string node = shoptest::startRun(3);
        const rpg::RunState before = store::run();
        open(screen, screen == ui::kScrollShop ? node : "");

        h.key(SDLK_ESCAPE).frame();
        EXPECT_EQ(h.top().screen, screen == ui::kTrainer ? ui::kCity : ui::kMap);
        h.reloadStores();
        if (screen == ui::kTrainer) {
            EXPECT_EQ(store::run(), before);
        } else {
            EXPECT_EQ(store::run().pos, node);
            EXPECT_EQ(std::count(store::run().cleared.begin(), store::run().cleared.end(), node), 1);
        }
    }
}

TEST_F(SpellShopTest, AnEmptyPartyClosesTheShop) {
    open(ui::kTrainer);
    h.frame();
    EXPECT_EQ(h.top().screen, ui::kCity);
}

// In the smallest window the leave button reaches under the list's right
// column: a row scrolled half out of the list lies beneath it there.
TEST(SpellShopLeave, AClickOnLeaveOverAHiddenRowBuysNothingAndSettlesTheNode) {
    harness::ScreenHarness h(&ui::Game::instance(), 640, 480);
    const rpg::Hero& hero = soloHero(ClassId::Rogue, "r1", 30, 100000);
    const std::string node = shoptest::startRun(21);
    const ui::SpellShopPlace place = ui::spellShopPlace(node);
    ASSERT_EQ(ui::learnList(hero, ui::scrollShopOpts(), place).size(), 7u);
    ui::GameState map;
    map.screen = ui::kMap;
    h.start(map);
    ui::GameState shop;
    shop.screen = ui::kScrollShop;
    shop.nodeId = node;
    ui::Game::instance().push(shop);
    h.frame();

    const double s = h.ctx().uiScale;
    const ui::Rect list = ui::spellListRect(640, 480, s, 52 * s, true);
    const ui::Rect leave = ui::spellLeaveRect(640, 480, s, list.w);
    // Row 6 of the first section, scrolled up by 36: its top lies inside
    // the list, its button below the list and over the leave button.
    const double scroll = 36;
    navtest::dragBy(h, list.x + 20, list.y + 100, -scroll);
    const ui::Rect row = ui::spellRowRect(list, list.y + 12 * s + 28 * s + 6 * 74 * s - scroll, s);
    const ui::Rect button = ui::spellActionRect(row, s);
    ASSERT_LT(row.y, list.y + list.h);
    const double x = std::max(button.x, leave.x) + 4;
    const double y = std::max(button.y, leave.y) + 4;
    ASSERT_TRUE(button.contains(x, y) && leave.contains(x, y));
    const rpg::Hero copy = hero;

    navtest::clickStill(h, x, y);
    EXPECT_EQ(h.top().screen, ui::kMap);
    h.reloadStores();
    EXPECT_EQ(store::meta().gold, 100000);
    EXPECT_EQ(store::heroById("r1")->skillLevels, copy.skillLevels);
    EXPECT_EQ(store::run().pos, node);
}

TEST(GoldPulse, SwellsAfterAChangeButNotOnTheFirstValue) {
    ui::GoldPulse pulse;
    EXPECT_EQ(pulse.factor(100, 5.0), 1);
    EXPECT_EQ(pulse.factor(100, 5.1), 1);
    EXPECT_EQ(pulse.factor(80, 6.0), 1);
    EXPECT_NEAR(pulse.factor(80, 6.06), 1.09, 1e-9);
    EXPECT_NEAR(pulse.factor(80, 6.12), 1.18, 1e-9);
    EXPECT_NEAR(pulse.factor(80, 6.23), 1.09, 1e-9);
    EXPECT_EQ(pulse.factor(80, 6.34), 1);
}

} // namespace
