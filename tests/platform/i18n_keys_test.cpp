// The key set of the catalogues: the interface's own keys by family, and the
// keys that the rules' tables name.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/i18n_data.h"

namespace {

struct Family {
    const char* name;
    std::vector<const char*> keys;
};

const std::vector<Family>& interfaceFamilies() {
    static const std::vector<Family> families = {
        {"about", {"developedBy", "emailLabel", "headline", "licenses", "musicCredit", "musicSound", "sfxCredit",
                   "websiteLabel"}},
        {"affix", {"hpRegen", "immune", "manaRegen", "resist"}},
        {"app", {"alreadyRunning", "alreadyRunningTitle", "tagline", "title"}},
        {"attract", {"demo", "tapToPlay"}},
        {"battle", {"allTargets", "alreadyLooted", "attack", "back", "cantFlee", "cat.buff", "cat.heal",
                    "cat.magical", "cat.physical", "defeat", "defend", "fled", "flee", "item", "itemDesc.buffAtk",
                    "itemDesc.buffDef", "itemDesc.cure", "itemDesc.healHp", "itemDesc.healMp", "itemDesc.revive",
                    "itemMenuDesc", "leveledUp", "noMp", "noSkills", "noTarget", "purified", "rewardGold",
                    "rewardXp", "round", "skill", "skills", "skillsDesc", "stealFail", "stolen", "stunnedSkip",
                    "turn", "victory"}},
        {"city", {"apothecary", "apothecaryDesc", "armorDesc", "armorer", "ascension", "continueRun",
                  "continueRunDesc", "greeting", "kaserne", "kaserneDesc", "party", "partyDesc", "runeTower",
                  "runeTowerDesc", "scrolls", "scrollsDesc", "startRun", "startRunDesc", "tavern", "tavernDesc",
                  "title", "trainer", "trainerDesc", "weaponDesc", "weaponsmith"}},
        {"coin", {"flip", "heads", "info", "lose", "tails", "title", "win"}},
        {"common", {"back", "cancel", "confirm", "continue", "defeat", "gold", "leave", "level", "lvl", "victory",
                    "xp"}},
        {"dice", {"info", "lose", "npc", "openChest", "roll", "title", "win", "you"}},
        {"equip", {"allClasses", "forClasses", "oneHand", "twoHand"}},
        {"heroSelect", {"hint", "pickMore", "start", "title"}},
        {"kaserne", {"active", "dismiss", "dismissConfirm", "inParty", "manage", "parked", "parkedTag"}},
        {"licenses", {"noteBundled", "noteSystem", "title"}},
        {"map", {"boss", "depth", "node.battle", "node.boss", "node.coin", "node.dice", "node.elite", "node.memory",
                 "node.rest", "node.shell", "node.shop", "node.start", "node.treasure", "node.whack", "replay",
                 "title", "worldTitle"}},
        {"memory", {"card", "cleared", "info", "lost", "mistakes", "perfect", "title"}},
        {"menu", {"about", "newGame", "newGameConfirmBody", "newGameConfirmTitle", "play", "settings"}},
        {"party", {"accessory", "armor", "autoAlloc", "back", "bag", "bagEmpty", "empty", "equip", "fromStash",
                   "front", "noFit", "pointsOpen", "reqLevel", "reqLevelA11y", "row", "skills", "slot.amulet",
                   "slot.armor", "slot.belt", "slot.boots", "slot.helm", "slot.mainHand", "slot.offHand",
                   "slot.ring1", "slot.ring2", "stash", "stashEmpty", "title", "toBag", "toStash", "trainSkills",
                   "twoHandedLock", "unequip", "weapon"}},
        {"rest", {"body", "heal", "leave", "revive", "title"}},
        {"reward", {"continue", "keyStat", "keyStatHint", "levelUp", "points"}},
        {"role", {"dps", "support", "tank"}},
        {"runResult", {"backToCity", "defeatTitle", "depthReached", "goldEarned", "victoryTitle"}},
        {"rune", {"activeBonus", "circle", "empty", "equip", "intro", "inventory", "inventoryEmpty", "noneActive",
                  "sell", "stone", "tapRemove", "title"}},
        {"scrolls", {"buyBtn", "learn", "soldOut", "upgrade", "upgradeBtn"}},
        {"set", {"bonus", "eternalCloth", "eternalHeavy", "eternalLight", "pieces", "primordialCloth",
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

} // namespace

TEST(I18nKeys, InterfaceKeysArePresent) {
    const std::set<std::string> keys = catalogueKeys(english());
    size_t total = 0;
    for (const Family& f : interfaceFamilies()) {
        for (const char* name : f.keys) {
            EXPECT_TRUE(keys.count(std::string(f.name) + "." + name)) << f.name << "." << name;
            ++total;
        }
    }
    EXPECT_EQ(total, 328u);
}

// Every catalogue key is either an interface key or one of the rules'
// families; those are counted here against the sizes of the rules' tables.
TEST(I18nKeys, RulesKeysHaveTheTableSizes) {
    std::set<std::string> interface;
    for (const Family& f : interfaceFamilies()) {
        for (const char* name : f.keys) interface.insert(std::string(f.name) + "." + name);
    }
    std::map<std::string, int> counts;
    for (const std::string& key : catalogueKeys(english())) {
        if (interface.count(key)) continue;
        std::string family = key.substr(0, key.find('.'));
        if (key.rfind("monster.pre.", 0) == 0) family = "monster.pre";
        if (key.size() > 5 && key.compare(key.size() - 5, 5, ".desc") == 0) family += ".desc";
        if (key.size() > 6 && key.compare(key.size() - 6, 6, ".blurb") == 0) family += ".blurb";
        ++counts[family];
    }
    const std::map<std::string, int> expected = {
        {"item", 284},      {"skill", 120},      {"skill.desc", 120}, {"monster", 114},
        {"monster.pre", 12}, {"class", 8},       {"class.blurb", 8},  {"weaponClass", 6},
        {"difficulty", 8},
    };
    EXPECT_EQ(counts, expected);
}
