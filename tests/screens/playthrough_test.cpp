// Whole play-throughs on the real screens, by clicks and keys alone: a new
// game up to its first victory, a run through every kind of node to the
// boss's chest and back to the city, a lost run, and a restart in the
// middle of a run. After each step the three save files are read back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "play/party.h"
#include "screens/common.h"
#include "screens/runresult.h"
#include "tests/screens/playthrough_fixture.h"
#include "tests/screens/run_fixture.h"

namespace {

using playtest::Player;
using rpg::ClassId;
using Screens = std::vector<int>;

// A map with one fight in each fighting row, whose rows offer, in order: a
// battle; a treasure; a battle; the dice; an elite; a rest; a battle; the
// wandering merchant; the boss.
constexpr std::uint32_t kTourSeed = 739;

class PlayThrough : public ::testing::Test {
protected:
    void SetUp() override {
        h.setFrameStep(Player::kStep);
        p.keepSettings();
    }

    void openMenu() {
        ui::GameState menu;
        menu.screen = ui::kMenu;
        h.start(menu);
        h.frame();
    }

    // A strong party of three that has played before, with gold to spend
    // and a run of `seed` just begun; the menu open.
    void strongPartyWithARun(std::uint32_t seed, const playtest::Runes& runes = playtest::kMightyRunes) {
        rpg::Hero warrior = playtest::freshHero("w", ClassId::Warrior);
        warrior.points = 2;  // left unspent
        playtest::formParty(
            {warrior, playtest::freshHero("m", ClassId::Mage), playtest::freshHero("c", ClassId::Cleric)});
        playtest::socketRunes(runes);
        store::meta().gold = 2000;
        store::saveMeta();
        playtest::beginRun(seed);
        openMenu();
    }

    const rpg::MapNode& node(const std::string& id) { return *rpg::nodeById(store::run().map, id); }

    // What a won battle saved: the node cleared with the party on it, the
    // reward's gold in the lasting and the run's purse, every hero at the
    // level the reward shows and still standing.
    void expectVictorySaved(const std::string& id, const ui::GameState& reward, double gold, double runGold) {
        p.reload();
        const rpg::RunState& run = store::run();
        EXPECT_TRUE(rpg::isCleared(run, id)) << id;
        EXPECT_EQ(run.pos, id);
        EXPECT_GT(reward.gold, 0);
        EXPECT_DOUBLE_EQ(store::meta().gold, gold + reward.gold);
        EXPECT_DOUBLE_EQ(run.gold, runGold + reward.gold);
        ASSERT_EQ(reward.xpRows.size(), 3u);
        for (const ui::XpRow& row : reward.xpRows) {
            const rpg::Hero* hero = store::heroById(row.heroId);
            ASSERT_NE(hero, nullptr);
            EXPECT_GT(row.xp, 0);
            EXPECT_EQ(hero->level, row.levelAfter) << hero->id;
        }
        for (const rpg::PartyMember& m : run.party) EXPECT_GT(m.hp, 0) << m.heroId;
    }

    // From the run result, Return leads to the city over the menu, whose
    // run card then begins a fresh run of the whole party at full health.
    void backToTheCityForANewRun() {
        ASSERT_EQ(p.screen(), ui::kRunResult);
        p.key(ui::key::kReturn);
        ASSERT_TRUE(p.waitFor(ui::kCity));
        EXPECT_EQ(p.stackScreens(), (Screens{ui::kMenu, ui::kCity}));
        ASSERT_TRUE(p.openRun());
        p.reload();
        ASSERT_TRUE(store::hasRun());
        const rpg::RunState& run = store::run();
        EXPECT_EQ(run.cleared, std::vector<std::string>{"start"});
        EXPECT_EQ(run.gold, 0);
        EXPECT_TRUE(run.inventory.empty());
        ASSERT_EQ(run.party.size(), store::meta().partyIds.size());
        for (const rpg::PartyMember& m : run.party)
            EXPECT_DOUBLE_EQ(m.hp, play::maxima(*store::heroById(m.heroId)).maxHp) << m.heroId;
    }

    harness::ScreenHarness h{&ui::Game::instance()};
    Player p{h};
};

TEST_F(PlayThrough, ANewGameRunsFromTheMenuThroughHeroSelectionToTheFirstVictoryAndIsContinued) {
    openMenu();
    EXPECT_FALSE(h.hasDataFile("saves.dat"));
    ASSERT_TRUE(p.playFromMenu());
    ASSERT_TRUE(p.pickHeroes({ClassId::Warrior, ClassId::Mage, ClassId::Cleric}));
    EXPECT_EQ(p.stackScreens(), (Screens{ui::kMenu, ui::kCity}));
    p.reload();
    const store::Meta& meta = store::meta();
    EXPECT_TRUE(meta.initialized);
    ASSERT_EQ(meta.roster.size(), 3u);
    ASSERT_EQ(meta.partyIds.size(), 3u);
    const ClassId picked[] = {ClassId::Warrior, ClassId::Mage, ClassId::Cleric};
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(meta.roster[i].cls, picked[i]);
        EXPECT_EQ(meta.roster[i].level, 1);
        EXPECT_EQ(meta.partyIds[i], meta.roster[i].id);
    }
    EXPECT_FALSE(store::hasRun());
    EXPECT_FALSE(h.hasDataFile("run.dat"));

    // Runes in the lasting circle make the new party a match for any fight.
    playtest::socketRunes(playtest::kMightyRunes);
    ASSERT_TRUE(p.openRun());
    EXPECT_EQ(p.stackScreens(), (Screens{ui::kMenu, ui::kCity, ui::kMap}));
    p.reload();
    const rpg::RunState& run = store::run();
    ASSERT_TRUE(run.active);
    const std::uint32_t seed = run.seed;
    EXPECT_EQ(run.map.rows, 9);
    EXPECT_EQ(run.map, rpg::generateMap(seed, 9, 0));
    EXPECT_EQ(run.depth, 0);
    EXPECT_EQ(run.gold, 0);
    ASSERT_EQ(run.party.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(run.party[i].heroId, store::meta().partyIds[i]);
        EXPECT_DOUBLE_EQ(run.party[i].hp, play::maxima(store::meta().roster[i]).maxHp);
    }

    const std::string first = rpg::reachableFrom(run).front();
    ASSERT_TRUE(rpg::isCombatNode(node(first).type));
    ASSERT_TRUE(p.enterNode(first));
    p.reload();
    EXPECT_EQ(store::run().pos, first);
    EXPECT_FALSE(rpg::isCleared(store::run(), first));

    ASSERT_TRUE(p.fight());
    ASSERT_EQ(p.screen(), ui::kReward);
    expectVictorySaved(first, h.top(), 0, 0);
    ASSERT_TRUE(p.continueFromReward(ui::kMap));

    // Back to the menu and in again: the city continues the same run.
    p.key(ui::key::kEscape);
    ASSERT_TRUE(p.waitFor(ui::kCity));
    p.key(ui::key::kEscape);
    ASSERT_TRUE(p.waitFor(ui::kMenu));
    EXPECT_EQ(p.stackScreens(), (Screens{ui::kMenu}));
    p.reload();
    ASSERT_TRUE(store::hasRun());
    ASSERT_TRUE(p.playFromMenu());
    ASSERT_TRUE(p.openRun());
    p.reload();
    EXPECT_EQ(store::run().seed, seed);
    EXPECT_EQ(store::run().pos, first);
    EXPECT_TRUE(rpg::isCleared(store::run(), first));
}

TEST_F(PlayThrough, ARunThroughEveryKindOfNodeEndsWithTheBossChestAndBackInTheCity) {
    strongPartyWithARun(kTourSeed);
    const rpg::GameMap map = store::run().map;
    ASSERT_TRUE(p.playFromMenu());
    ASSERT_TRUE(p.openRun());
    EXPECT_EQ(p.stackScreens(), (Screens{ui::kMenu, ui::kCity, ui::kMap}));

    // Every step: the node entered and its screen on top, the run standing
    // on it (saved before the screen opened), then the node's own play.
    auto enter = [&](const std::string& id, int row) {
        ASSERT_TRUE(p.enterNode(id));
        p.reload();
        EXPECT_EQ(store::run().pos, id);
        EXPECT_EQ(store::run().depth, row);
        EXPECT_EQ(store::run().map, map);
    };
    auto win = [&](const std::string& id, int next) {
        const double gold = store::meta().gold;
        const double runGold = store::run().gold;
        ASSERT_TRUE(p.fight());
        ASSERT_EQ(p.screen(), ui::kReward);
        expectVictorySaved(id, h.top(), gold, runGold);
        ASSERT_TRUE(p.continueFromReward(next));
    };
    // The chest's loot is what its node rolls; taking it pays the gold into
    // both purses and puts every item into the bags or the run's inventory.
    auto expectLootTaken = [&](const play::ChestLoot& loot, double gold, double runGold,
                               const std::multiset<std::string>& before) {
        p.reload();
        EXPECT_DOUBLE_EQ(store::meta().gold, gold + loot.gold);
        EXPECT_DOUBLE_EQ(store::run().gold, runGold + loot.gold);
        EXPECT_EQ(playtest::carried(), playtest::plus(before, loot.items));
    };
    auto expectSettled = [&](const std::string& id) {
        EXPECT_EQ(p.screen(), ui::kMap);
        EXPECT_EQ(store::run().pos, id);
        EXPECT_TRUE(rpg::isCleared(store::run(), id)) << id;
    };

    // Row 0: a battle; the reward shows the warrior's unspent points, and
    // one is spent there.
    ASSERT_NO_FATAL_FAILURE(enter("n0_0", 0));
    {
        const double gold = store::meta().gold;
        ASSERT_TRUE(p.fight());
        ASSERT_EQ(p.screen(), ui::kReward);
        const ui::GameState reward = h.top();
        expectVictorySaved("n0_0", reward, gold, 0);
        const std::string heroId = reward.xpRows.front().heroId;
        const rpg::Hero before = *store::heroById(heroId);
        ASSERT_EQ(heroId, "w");
        ASSERT_GT(before.points, 0);
        p.spendPoint(2);  // attack
        p.reload();
        const rpg::Hero& after = *store::heroById(heroId);
        EXPECT_EQ(after.points, before.points - 1);
        EXPECT_DOUBLE_EQ(after.alloc.atk, before.alloc.atk + rpg::allocStep(rpg::Atk));
        ASSERT_TRUE(p.continueFromReward(ui::kMap));
    }

    // Row 1: a treasure chest, opened by its button.
    ASSERT_NO_FATAL_FAILURE(enter("n1_0", 1));
    {
        ui::GameState entry = *ui::mapNodeEntry(node("n1_0"));
        const play::ChestLoot loot = ui::rollChest(entry);
        const double gold = store::meta().gold;
        const double runGold = store::run().gold;
        const auto before = playtest::carried();
        ASSERT_TRUE(p.openAndTake(ui::kMap));
        expectLootTaken(loot, gold, runGold, before);
        expectSettled("n1_0");
    }

    ASSERT_NO_FATAL_FAILURE(enter("n2_0", 2));
    ASSERT_NO_FATAL_FAILURE(win("n2_0", ui::kMap));

    // Row 3: the dice, won, open their lucky chest by themselves.
    ASSERT_NO_FATAL_FAILURE(enter("n3_2", 3));
    {
        ui::GameState entry = *ui::mapNodeEntry(node("n3_2"));
        entry.lucky = entry.autoOpen = true;
        const play::ChestLoot loot = ui::rollChest(entry);
        const double gold = store::meta().gold;
        const double runGold = store::run().gold;
        const auto before = playtest::carried();
        ASSERT_TRUE(p.rollWinningDice());
        p.reload();
        EXPECT_TRUE(rpg::isCleared(store::run(), "n3_2")) << "a finished game settles its node";
        ASSERT_TRUE(p.takeChest(ui::kMap));
        expectLootTaken(loot, gold, runGold, before);
        expectSettled("n3_2");
    }

    ASSERT_EQ(node("n4_0").type, rpg::NodeType::Elite);
    ASSERT_NO_FATAL_FAILURE(enter("n4_0", 4));
    ASSERT_NO_FATAL_FAILURE(win("n4_0", ui::kMap));

    // Row 5: the rest fills every hero up to what it fights with.
    ASSERT_NO_FATAL_FAILURE(enter("n5_1", 5));
    ASSERT_TRUE(p.rest());
    p.reload();
    expectSettled("n5_1");
    for (const rpg::PartyMember& m : store::run().party) {
        const rpg::Stats max = play::maxima(*store::heroById(m.heroId));
        EXPECT_DOUBLE_EQ(m.hp, max.maxHp) << m.heroId;
        EXPECT_DOUBLE_EQ(m.mp, max.maxMp) << m.heroId;
    }

    ASSERT_NO_FATAL_FAILURE(enter("n6_0", 6));
    ASSERT_NO_FATAL_FAILURE(win("n6_0", ui::kMap));

    // Row 7: the wandering merchant; a purchase, then Escape moves on.
    ASSERT_NO_FATAL_FAILURE(enter("n7_0", 7));
    ASSERT_EQ(h.top().screen, ui::kShop);
    {
        const double gold = store::meta().gold;
        const auto before = playtest::carried();
        const std::optional<rpg::ItemInstance> bought = p.buyFirstAffordable("n7_0");
        ASSERT_TRUE(bought.has_value()) << "nothing on the shelf for " << gold << " gold";
        p.reload();
        EXPECT_DOUBLE_EQ(store::meta().gold, gold - rpg::buyPrice(*bought));
        EXPECT_EQ(playtest::carried(), playtest::plus(before, {*bought}));
        p.key(ui::key::kEscape);
        ASSERT_TRUE(p.waitFor(ui::kMap));
        p.reload();
        expectSettled("n7_0");
    }

    // Row 8: the boss, its chest, and the end of the run.
    ASSERT_NO_FATAL_FAILURE(enter("n8_0", 8));
    ASSERT_NO_FATAL_FAILURE(win("n8_0", ui::kTreasure));
    EXPECT_TRUE(h.top().boss);
    EXPECT_EQ(p.stackScreens(), (Screens{ui::kMenu, ui::kCity, ui::kMap, ui::kTreasure}));
    ui::GameState chest = h.top();
    const play::ChestLoot loot = ui::rollChest(chest);
    const double gold = store::meta().gold;
    // What ends in the stash: the run's inventory and the chest's gear (its
    // consumables go to a bag, and bags stay with the heroes).
    std::multiset<std::string> taken;
    for (const rpg::ItemInstance& item : store::run().inventory) taken.insert(item.defId);
    for (const rpg::ItemInstance& item : loot.items)
        if (rpg::findItem(item.defId)->slot != rpg::ItemSlot::Consumable) taken.insert(item.defId);
    ASSERT_TRUE(p.openAndTake(ui::kRunResult));
    EXPECT_EQ(h.top().lost, 0);
    EXPECT_EQ(h.top().runHeroIds, (std::vector<std::string>{"w", "m", "c"}));
    // Taking the chest ended the run, in the same step as its loot.
    p.reload();
    EXPECT_FALSE(store::hasRun());
    EXPECT_FALSE(h.hasDataFile("run.dat"));
    EXPECT_EQ(store::meta().ascension, 1);
    EXPECT_EQ(store::meta().bestDepth, 8);
    EXPECT_DOUBLE_EQ(store::meta().gold, gold + loot.gold);
    std::multiset<std::string> stash;
    for (const rpg::ItemInstance& item : store::meta().stash) stash.insert(item.defId);
    EXPECT_EQ(stash, taken) << "the run's inventory goes to the stash";
    EXPECT_EQ(store::meta().runeInventory.size(), loot.rune.value > 0 ? 1u : 0u);

    ASSERT_NO_FATAL_FAILURE(backToTheCityForANewRun());
}

TEST_F(PlayThrough, ALostRunEndsOnTheGraveWithItsLootInTheStashAndTheCityBeginsAnew) {
    // One hero hanging on by a hit point, with a find in the run's pack.
    playtest::formParty({playtest::freshHero("w", ClassId::Warrior)});
    playtest::beginRun(kTourSeed);
    store::run().party.front().hp = 1;
    store::run().inventory.push_back(rpg::makeItem("woodenShield"));
    store::saveRun();
    openMenu();

    ASSERT_TRUE(p.playFromMenu());
    ASSERT_TRUE(p.openRun());
    ASSERT_TRUE(p.enterNode("n0_0"));
    ASSERT_TRUE(p.fight(3));  // defending only
    ASSERT_EQ(p.screen(), ui::kRunResult);
    EXPECT_EQ(h.top().lost, 1);
    EXPECT_EQ(p.stackScreens(), (Screens{ui::kMenu, ui::kCity, ui::kMap, ui::kRunResult}));
    p.reload();
    EXPECT_FALSE(store::hasRun());
    EXPECT_FALSE(h.hasDataFile("run.dat"));
    EXPECT_EQ(store::meta().ascension, 0);
    EXPECT_EQ(store::meta().bestDepth, 0);
    ASSERT_EQ(store::meta().stash.size(), 1u);
    EXPECT_EQ(store::meta().stash.front().defId, "woodenShield");
    ASSERT_EQ(store::meta().roster.size(), 1u) << "the fallen hero stays in the roster";

    ASSERT_NO_FATAL_FAILURE(backToTheCityForANewRun());
}

// The party changes in the middle of a run, in the barracks: the rogue who
// joins (and fights alone, so the blows fall on him) fights from his maxima
// once and from his own wounds after that, waits in reserve with them and
// comes back with them. The battle that the party fighting it loses ends the
// run, whoever waits in reserve, and the result shows everyone who ran.
TEST_F(PlayThrough, AHeroSwappedInMidRunCarriesHisHitPointsThroughEveryStep) {
    std::vector<rpg::Hero> heroes = {playtest::freshHero("w", ClassId::Warrior),
                                     playtest::freshHero("m", ClassId::Mage),
                                     playtest::freshHero("r", ClassId::Rogue)};
    for (rpg::Hero& hero : heroes) hero.level = 20;  // no level-up refills anyone on the way
    playtest::formParty(heroes);
    store::meta().partyIds = {"w", "m"};
    playtest::socketRunes({{rpg::MaxHp, 100000}});  // long fights that wound and never kill
    playtest::beginRun(kTourSeed);
    openMenu();
    auto member = [](const std::string& id) -> rpg::PartyMember {
        for (const rpg::PartyMember& m : store::run().party)
            if (m.heroId == id) return m;
        ADD_FAILURE() << "the run does not list " << id;
        return {};
    };
    auto fightNode = [&] {
        ASSERT_TRUE(p.openRun());
        ASSERT_TRUE(p.enterNode("n0_0"));  // won before: fought again for its pay
        ASSERT_TRUE(p.fight());
        ASSERT_EQ(p.screen(), ui::kReward);
        for (const ui::XpRow& row : h.top().xpRows) ASSERT_EQ(row.levelAfter, row.levelBefore) << row.heroId;
        ASSERT_TRUE(p.continueFromReward(ui::kMap));
        p.key(ui::key::kEscape);
        ASSERT_TRUE(p.waitFor(ui::kCity));
        p.reload();
    };

    ASSERT_TRUE(p.playFromMenu());
    ASSERT_NO_FATAL_FAILURE(fightNode());
    const double rogueMax = play::maxima(*store::heroById("r")).maxHp;

    // In for the other two: the rogue joins the run at his maxima.
    ASSERT_TRUE(p.changeParty({"m", "r", "w"}));
    p.reload();
    EXPECT_EQ(store::meta().partyIds, std::vector<std::string>{"r"});
    EXPECT_EQ(member("r").hp, rogueMax);
    const double mage = member("m").hp;

    ASSERT_NO_FATAL_FAILURE(fightNode());
    const double wounded = member("r").hp;
    ASSERT_LT(wounded, rogueMax) << "the fight must have left its mark";
    EXPECT_EQ(member("m").hp, mage) << "the mage did not fight";

    // Out for a battle of the warrior's and back: he returns as he left.
    ASSERT_TRUE(p.changeParty({"w", "r"}));
    p.reload();
    EXPECT_EQ(store::meta().partyIds, std::vector<std::string>{"w"});
    EXPECT_EQ(member("r").hp, wounded);
    ASSERT_NO_FATAL_FAILURE(fightNode());
    EXPECT_EQ(member("r").hp, wounded);
    ASSERT_TRUE(p.changeParty({"r", "w"}));
    p.reload();
    EXPECT_EQ(store::meta().partyIds, std::vector<std::string>{"r"});
    EXPECT_EQ(member("r").hp, wounded);
    ASSERT_NO_FATAL_FAILURE(fightNode());
    EXPECT_LT(member("r").hp, wounded) << "he fought on from his wounds, not from full";

    // The rogue hangs on by a hit point while the others wait at full
    // strength: his defeat ends the run.
    for (rpg::PartyMember& m : store::run().party)
        if (m.heroId == "r") m.hp = 1;
    store::saveRun();
    ASSERT_TRUE(p.openRun());
    ASSERT_TRUE(p.enterNode("n0_0"));
    ASSERT_TRUE(p.fight(3));  // defending only
    ASSERT_EQ(p.screen(), ui::kRunResult);
    EXPECT_EQ(h.top().lost, 1);
    EXPECT_EQ(h.top().runHeroIds, (std::vector<std::string>{"w", "m", "r"}));
    EXPECT_EQ(ui::runResultSprites(h.top()),
              (std::vector<std::string>{rpg::classDef(ClassId::Warrior).id, rpg::classDef(ClassId::Mage).id,
                                        rpg::classDef(ClassId::Rogue).id}));
    p.reload();
    EXPECT_FALSE(store::hasRun());
    EXPECT_FALSE(h.hasDataFile("run.dat"));
}

// The game is left in the middle of a battle and started again: the stores
// load their files and the stack begins at the menu. The run goes on with
// the same map from the same node, whose battle is the same battle: fought
// the same way, it pays and wounds exactly as it does without the restart.
TEST_F(PlayThrough, ARestartInTheMiddleOfABattleContinuesTheSameRunAndTheSameBattle) {
    struct Result {
        ui::GameState reward;
        std::vector<rpg::PartyMember> party;
        double gold = 0;
    };
    auto finish = [&]() {
        Result r;
        EXPECT_TRUE(p.fight());
        EXPECT_EQ(p.screen(), ui::kReward);
        r.reward = h.top();
        p.reload();
        r.party = store::run().party;
        r.gold = store::meta().gold;
        return r;
    };

    strongPartyWithARun(kTourSeed, playtest::kSturdyRunes);
    ASSERT_TRUE(p.playFromMenu());
    ASSERT_TRUE(p.openRun());
    ASSERT_TRUE(p.enterNode("n0_0"));
    const Result straight = finish();

    h.freshStores();
    p.keepSettings();
    strongPartyWithARun(kTourSeed, playtest::kSturdyRunes);
    const rpg::GameMap map = store::run().map;
    ASSERT_TRUE(p.playFromMenu());
    ASSERT_TRUE(p.openRun());
    ASSERT_TRUE(p.enterNode("n0_0"));
    p.attack(1);
    p.reload();
    ASSERT_FALSE(rpg::isCleared(store::run(), "n0_0")) << "the battle must still be going on";

    openMenu();
    ASSERT_TRUE(p.playFromMenu());
    ASSERT_TRUE(p.openRun());
    p.reload();
    EXPECT_EQ(store::run().map, map);
    EXPECT_EQ(store::run().pos, "n0_0");
    EXPECT_FALSE(rpg::isCleared(store::run(), "n0_0"));
    ASSERT_TRUE(p.enterNode("n0_0"));
    const Result restarted = finish();

    EXPECT_EQ(restarted.reward.gold, straight.reward.gold);
    EXPECT_EQ(restarted.reward.xp, straight.reward.xp);
    ASSERT_EQ(restarted.reward.xpRows.size(), straight.reward.xpRows.size());
    for (std::size_t i = 0; i < straight.reward.xpRows.size(); ++i) {
        EXPECT_EQ(restarted.reward.xpRows[i].heroId, straight.reward.xpRows[i].heroId);
        EXPECT_EQ(restarted.reward.xpRows[i].xp, straight.reward.xpRows[i].xp);
    }
    EXPECT_EQ(restarted.party, straight.party);
    EXPECT_EQ(restarted.gold, straight.gold);
}

// Left on the boss's reward and started again, the game still ends the run:
// the beaten boss, all that is left on the map, opens the chest that was
// never taken.
TEST_F(PlayThrough, ARestartAfterTheBossIsBeatenStillEndsTheRunOnItsChest) {
    strongPartyWithARun(kTourSeed);
    runfix::walkThrough(7);
    ASSERT_TRUE(p.playFromMenu());
    ASSERT_TRUE(p.openRun());
    ASSERT_TRUE(p.enterNode("n8_0"));
    ASSERT_TRUE(p.fight());
    ASSERT_EQ(p.screen(), ui::kReward);
    const double gold = store::meta().gold;

    p.reload();
    openMenu();
    ASSERT_TRUE(p.playFromMenu());
    ASSERT_TRUE(p.openRun());
    ASSERT_TRUE(p.enterNode("n8_0", ui::kTreasure));
    EXPECT_TRUE(h.top().boss);
    EXPECT_EQ(h.top().depth, 8);
    const play::ChestLoot loot = ui::rollChest(h.top());
    ASSERT_TRUE(p.openAndTake(ui::kRunResult));
    p.reload();
    EXPECT_FALSE(store::hasRun());
    EXPECT_EQ(store::meta().ascension, 1);
    EXPECT_DOUBLE_EQ(store::meta().gold, gold + loot.gold) << "the boss pays once";
    ASSERT_NO_FATAL_FAILURE(backToTheCityForANewRun());
}

}  // namespace
