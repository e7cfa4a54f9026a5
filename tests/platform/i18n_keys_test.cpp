// The key set of the catalogues: the interface's own keys by family, and the
// keys that the rules' tables name.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/i18n_data.h"
#include "rules/classes.h"
#include "rules/difficulty.h"
#include "rules/items.h"
#include "rules/monsters.h"
#include "rules/skills.h"
#include "rules/stats.h"

namespace {

struct Family {
    const char* name;
    std::vector<const char*> keys;
};

const std::vector<Family>& interfaceFamilies() {
    static const std::vector<Family> families = {
        {"about", {"developedBy", "emailLabel", "headline", "licenses", "musicCredit", "musicSound", "sfxCredit",
                   "team", "websiteLabel"}},
        {"affix", {"hpRegen", "immune", "manaRegen", "resist"}},
        {"app", {"alreadyRunning", "alreadyRunningTitle", "saveUnreadable", "saveUnreadableTitle", "tagline", "title"}},
        {"attract", {"demo", "tapToPlay"}},
        {"battle", {"allTargets", "alreadyLooted", "attack", "back", "cantFlee", "cat.buff", "cat.heal",
                    "cat.magical", "cat.physical", "defeat", "defend", "fled", "flee", "item", "itemDesc.buffAtk",
                    "itemDesc.buffDef", "itemDesc.cure", "itemDesc.healHp", "itemDesc.healMp", "itemDesc.revive",
                    "itemMenuDesc", "leveledUp", "noMp", "noSkills", "noTarget", "nobodyFallen", "notInBattle",
                    "purified", "rewardGold", "rewardXp", "round", "skill", "skills", "skillsDesc", "stealFail",
                    "stolen", "stunnedSkip", "turn", "victory"}},
        {"city", {"apothecary", "apothecaryDesc", "armorDesc", "armorer", "ascension", "continueRun",
                  "continueRunDesc", "greeting", "kaserne", "kaserneDesc", "party", "partyDesc", "runeTower",
                  "runeTowerDesc", "scrolls", "scrollsDesc", "startRun", "startRunDesc", "tavern", "tavernDesc",
                  "title", "trainer", "trainerDesc", "weaponDesc", "weaponsmith"}},
        {"coin", {"flip", "heads", "info", "lose", "tails", "title", "win"}},
        {"common", {"back", "cancel", "confirm", "continue", "defeat", "gearScore", "gold", "leave", "level", "lvl",
                    "victory", "withCost", "xp"}},
        {"dice", {"info", "lose", "npc", "openChest", "roll", "title", "win", "you"}},
        {"equip", {"allClasses", "forClasses", "oneHand", "twoHand", "withKind"}},
        {"heroSelect", {"hint", "pickMore", "start", "title"}},
        {"kaserne", {"active", "dismiss", "dismissConfirm", "inParty", "manage", "parked", "parkedTag"}},
        {"licenses", {"noteBundled", "noteSystem", "title"}},
        {"map", {"boss", "depth", "node.battle", "node.boss", "node.coin", "node.dice", "node.elite", "node.memory",
                 "node.rest", "node.shell", "node.shop", "node.start", "node.treasure", "node.whack", "replay",
                 "title", "worldTitle"}},
        {"memory", {"card", "cleared", "info", "lost", "mistakes", "perfect", "title"}},
        {"menu", {"about", "newGame", "newGameConfirmBody", "newGameConfirmTitle", "play", "quit", "settings"}},
        {"party", {"accessory", "armor", "autoAlloc", "back", "bag", "bagEmpty", "empty", "equip", "fromStash",
                   "front", "noFit", "pointsOpen", "pointsOpen.one", "reqLevel", "reqLevelA11y", "row", "skills", "slot.amulet",
                   "slot.armor", "slot.belt", "slot.boots", "slot.helm", "slot.mainHand", "slot.offHand",
                   "slot.ring1", "slot.ring2", "stash", "stashEmpty", "title", "toBag", "toStash", "trainSkills",
                   "twoHandedLock", "unequip", "weapon"}},
        {"rest", {"body", "heal", "leave", "revive", "title"}},
        {"reward", {"continue", "keyStat", "keyStatHint", "levelReached", "levelUp", "points", "points.one"}},
        {"role", {"dps", "support", "tank"}},
        {"runResult", {"backToCity", "defeatTitle", "depthReached", "goldEarned", "victoryTitle"}},
        {"rune", {"activeBonus", "circle", "empty", "equip", "intro", "inventory", "inventoryEmpty", "noneActive",
                  "sell", "stone", "tapRemove", "title"}},
        {"scrolls", {"buyBtn", "learn", "soldOut", "upgrade", "upgradeBtn"}},
        {"set", {"bonus", "bonusTier", "eternalCloth", "eternalHeavy", "eternalLight", "pieces", "primordialCloth",
                 "primordialHeavy", "primordialLight"}},
        {"settings", {"difficulty", "haptics", "headline", "language", "languageSystem", "musicVolume", "reset",
                      "resetConfirmBody", "resetConfirmNo", "resetConfirmTitle", "resetConfirmYes", "sfxVolume",
                      "sound"}},
        {"shell", {"cup", "info", "lose", "pick", "shuffling", "title", "watch", "win"}},
        {"shop", {"bought", "buy", "empty", "equippedLocked", "healAll", "recruit", "reviveAll", "sell", "sold",
                  "tooPoor", "wornBy", "yourGold"}},
        {"stat", {"atk", "atkLong", "crit", "critLong", "def", "defLong", "dmg", "hp", "hpLong", "mag", "magLong",
                  "mp", "mpLong", "res", "resLong", "spd", "spdLong"}},
        {"status", {"atkDown", "atkUp", "burn", "defDown", "defUp", "poison", "regen", "shield", "short.atkDown",
                    "short.atkUp", "short.burn", "short.defDown", "short.defUp", "short.poison", "short.regen",
                    "short.shield", "short.slow", "short.stun", "slow", "stun"}},
        {"tavern", {"allWell", "dead", "fullHeal", "needsHeal", "revive", "services"}},
        {"trainer", {"learn", "learnBtn", "max", "noneYet", "upgrade", "upgradeBtn"}},
        {"treasure", {"failBody", "failTitle", "found", "jackpot", "leave", "open", "runeDrop", "take", "title"}},
        {"whack", {"hole", "info", "lose", "strike", "title", "win"}},
    };
    return families;
}

std::set<std::string> catalogueKeys(const i18n_data::Catalog& c) {
    std::set<std::string> keys;
    for (int i = 0; i < c.count; ++i) keys.insert(c.entries[i].key);
    return keys;
}

const i18n_data::Catalog& english() { return i18n_data::kCatalogs[1]; }

// The rules' tables name the rest of the keys: items, their weapon classes,
// skills with their descriptions, monster bases and prefixes, classes with
// their blurbs, difficulties with their hints.
std::set<std::string> rulesKeys() {
    std::set<std::string> keys;
    for (const rpg::ItemDef& item : rpg::items()) {
        keys.insert(item.nameKey);
        if (item.weaponClassKey) keys.insert(item.weaponClassKey);
    }
    for (const rpg::SkillDef& skill : rpg::skills()) {
        keys.insert(skill.nameKey);
        keys.insert(skill.descKey);
    }
    for (const rpg::MonsterDef& monster : rpg::monsters()) {
        keys.insert(monster.nameKey);
        if (monster.prefixKey) keys.insert(monster.prefixKey);
    }
    for (const rpg::ClassDef& cls : rpg::classes()) {
        keys.insert(cls.nameKey);
        keys.insert(cls.blurbKey);
    }
    for (int d = 0; d < rpg::kDifficultyCount; ++d) {
        keys.insert(rpg::difficultyNameKey(static_cast<rpg::Difficulty>(d)));
        keys.insert(rpg::difficultyHintKey(static_cast<rpg::Difficulty>(d)));
    }
    return keys;
}

} // namespace

TEST(I18nKeys, CatalogueHoldsExactlyTheInterfaceAndRulesKeys) {
    std::set<std::string> expected = rulesKeys();
    EXPECT_EQ(expected.size(), 680u);
    size_t interfaceCount = 0;
    for (const Family& f : interfaceFamilies()) {
        for (const char* name : f.keys) {
            EXPECT_TRUE(expected.insert(std::string(f.name) + "." + name).second) << f.name << "." << name;
            ++interfaceCount;
        }
    }
    EXPECT_EQ(interfaceCount, 341u);
    // Sets and statuses are interface families whose keys the rules also name.
    for (const rpg::SetDef& set : rpg::sets()) EXPECT_TRUE(expected.count(set.nameKey)) << set.nameKey;
    for (int k = 0; k < rpg::kStatusCount; ++k) {
        const char* key = rpg::statusDesc(static_cast<rpg::StatusKind>(k)).nameKey;
        EXPECT_TRUE(expected.count(key)) << key;
    }
    for (int s = 0; s < 8; ++s) {
        const std::string key = rpg::statLabelKey(static_cast<rpg::StatId>(s));
        EXPECT_TRUE(expected.count(key)) << key;
    }

    const std::set<std::string> actual = catalogueKeys(english());
    for (const std::string& key : expected) EXPECT_TRUE(actual.count(key)) << "missing: " << key;
    for (const std::string& key : actual) EXPECT_TRUE(expected.count(key)) << "not named anywhere: " << key;
    EXPECT_EQ(actual.size(), 1021u);
}
