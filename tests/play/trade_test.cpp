// Trade: the merchants' shelves, the spell shops' lessons, the rune tower's
// stones and the shell game's stake.
#include <gtest/gtest.h>

#include <cmath>

#include "play/minigames.h"
#include "play/trade.h"
#include "rules/classes.h"
#include "rules/leveling.h"
#include "rules/runes.h"
#include "rules/skills.h"
#include "tests/play/play_fixture.h"

namespace {

using play::Sound;
using layertest::PlayTest;
using rpg::ClassId;

class Trade : public PlayTest {};

TEST_F(Trade, ABoughtItemGoesWhereItBelongsAndAShortPurseBuysNothing) {
    party({ClassId::Warrior, ClassId::Mage}, 1, 1000);
    const rpg::ItemInstance shield = rpg::makeItem("woodenShield");
    const rpg::ItemInstance potion = rpg::makeItem("potionHp");
    const double price = rpg::buyPrice(shield);

    EXPECT_EQ(play::buyOffer(shield, false).sound, Sound::Success);
    reload();
    ASSERT_EQ(store::meta().stash.size(), 1u) << "in the city, gear goes to the stash";
    EXPECT_NE(store::meta().stash[0].uid, shield.uid) << "a copy under a fresh uid";
    EXPECT_EQ(store::meta().gold, 1000 - price);

    run();
    EXPECT_TRUE(play::buyOffer(shield, true).done);
    EXPECT_TRUE(play::buyOffer(potion, true).done);
    reload();
    ASSERT_EQ(store::run().inventory.size(), 1u) << "inside a run, gear goes to the run's pack";
    EXPECT_EQ(store::heroById("h0")->bag.size(), 1u) << "a consumable to the lightest bag";

    store::meta().gold = price - 1;
    const layertest::Files before = files();
    EXPECT_EQ(play::buyOffer(shield, true).sound, Sound::Error);
    EXPECT_EQ(files(), before);
}

TEST_F(Trade, AStashEntrySellsOnlyWhileItIsStillThere) {
    party({ClassId::Warrior});
    store::meta().stash = {rpg::makeItem("ironSword"), rpg::makeItem("woodenShield")};
    const rpg::ItemInstance shield = store::meta().stash[1];
    EXPECT_FALSE(play::sellFromStash(0, shield.uid).done) << "entry 0 is another item";
    EXPECT_FALSE(play::sellFromStash(2, shield.uid).done);
    EXPECT_EQ(play::sellFromStash(1, shield.uid).sound, Sound::Place);
    reload();
    EXPECT_EQ(store::meta().gold, rpg::sellPrice(shield));
    ASSERT_EQ(store::meta().stash.size(), 1u);
    EXPECT_EQ(store::meta().stash[0].defId, "ironSword");
}

TEST_F(Trade, ALessonIsPaidOnlyForTheLevelItWasOfferedAt) {
    party({ClassId::Mage}, 30, 100000);
    const rpg::SkillDef& skill = rpg::skills()[rpg::classDef(ClassId::Mage).premium.front()];
    ASSERT_EQ(rpg::skillLevel(*store::heroById("h0"), skill.id), 0);
    const double price = rpg::learnCost(skill);
    EXPECT_FALSE(play::trainSkill("h0", {skill.id, false, 0, price}).done) << "nothing to raise yet";
    EXPECT_EQ(play::trainSkill("h0", {skill.id, true, 0, price}).sound, Sound::Success);
    reload();
    EXPECT_EQ(rpg::skillLevel(*store::heroById("h0"), skill.id), 1);
    EXPECT_EQ(store::meta().gold, 100000 - price);
    EXPECT_FALSE(play::trainSkill("h0", {skill.id, true, 0, price}).done) << "learned already";
    EXPECT_FALSE(play::trainSkill("h0", {skill.id, false, 2, 1}).done) << "offered for another level";

    for (int level = 1; level < rpg::maxSkillLevel(skill); ++level)
        ASSERT_TRUE(play::trainSkill("h0", {skill.id, false, level, 1}).done) << level;
    EXPECT_FALSE(play::trainSkill("h0", {skill.id, false, rpg::maxSkillLevel(skill), 1}).done) << "at the top";

    store::meta().gold = 0;
    const rpg::SkillDef& other = rpg::skills()[rpg::classDef(ClassId::Mage).premium[1]];
    EXPECT_FALSE(play::trainSkill("h0", {other.id, true, 0, 1}).done) << "the gold is short";
    EXPECT_FALSE(play::trainSkill("nobody", {skill.id, true, 0, 0}).done);
}

TEST_F(Trade, StonesAreSocketedSwappedTakenOutAndSold) {
    party({ClassId::Warrior});
    store::Meta& meta = store::meta();
    meta.runeInventory = {{"a", rpg::Atk, 3}, {"b", rpg::Def, 5}, {"c", rpg::Atk, 7}};
    const int atk = rpg::runeSlot(rpg::Atk);

    EXPECT_EQ(play::socketRune(0).sound, Sound::Star2);
    EXPECT_EQ(play::socketRune(1).sound, Sound::Star2);  // "c" swaps out "a"
    reload();
    EXPECT_EQ(store::meta().runeCircle.stones[atk].uid, "c");
    ASSERT_EQ(store::meta().runeInventory.size(), 2u);
    EXPECT_EQ(store::meta().runeInventory[0].uid, "b");
    EXPECT_EQ(store::meta().runeInventory[1].uid, "a");

    EXPECT_EQ(play::unsocketRune(atk).sound, Sound::Click);
    EXPECT_FALSE(play::unsocketRune(atk).done) << "the socket is empty now";
    EXPECT_FALSE(play::unsocketRune(99).done);
    EXPECT_EQ(play::sellRune(0).sound, Sound::Coin);
    reload();
    EXPECT_FALSE(store::meta().runeCircle.filled[atk]);
    EXPECT_EQ(store::meta().gold, rpg::runeSellValue({"b", rpg::Def, 5}));
    ASSERT_EQ(store::meta().runeInventory.size(), 2u);
    EXPECT_EQ(store::meta().runeInventory[0].uid, "a");
    EXPECT_EQ(store::meta().runeInventory[1].uid, "c");
    EXPECT_FALSE(play::sellRune(2).done);
    EXPECT_FALSE(play::socketRune(2).done);
}

TEST_F(Trade, TheShellsStakeNeverTakesTheGoldBelowZero) {
    party({ClassId::Warrior}, 6, 100);
    const double stake = play::shellStake(store::partyHeroes());
    EXPECT_EQ(stake, std::round(1.4 * 50));
    play::payShellStake();
    reload();
    EXPECT_EQ(store::meta().gold, 100 - stake);
    play::payShellStake();
    reload();
    EXPECT_EQ(store::meta().gold, 0);
}

} // namespace
