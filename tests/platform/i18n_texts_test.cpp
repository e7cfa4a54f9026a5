// The English texts against what their callers and the rules expect of them.
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "platform/i18n.h"
#include "platform/i18n_data.h"
#include "rules/difficulty.h"
#include "rules/skills.h"

namespace {

std::set<std::string> placeholderNames(const std::string& text) {
    std::set<std::string> names;
    for (size_t open = text.find("{{"); open != std::string::npos; open = text.find("{{", open + 2)) {
        size_t close = text.find("}}", open + 2);
        if (close == std::string::npos) break;
        names.insert(text.substr(open + 2, close - open - 2));
    }
    return names;
}

std::string percent(double fraction) { return std::to_string(std::lround(fraction * 100)); }

// How a description names a status with its size: as the ailment a hit may
// cause, or as the change a status-only skill makes.
std::string statusPhrase(rpg::StatusKind kind, bool onHit, long m) {
    const std::string n = std::to_string(m);
    switch (kind) {
    case rpg::StatusKind::Poison: return "poison (" + n + " HP/round";
    case rpg::StatusKind::Burn: return "burn (" + n + " HP/round";
    case rpg::StatusKind::Regen: return "regeneration (" + n + " HP/round";
    case rpg::StatusKind::Stun: return "stun (";
    case rpg::StatusKind::Slow: return onHit ? "slow (speed −" + n : "speed −" + n;
    case rpg::StatusKind::AtkUp: return "attack +" + n;
    case rpg::StatusKind::DefUp: return "defense +" + n;
    case rpg::StatusKind::AtkDown: return onHit ? "weaken (attack −" + n : "attack −" + n;
    case rpg::StatusKind::DefDown: return onHit ? "armor break (defense −" + n : "defense −" + n;
    case rpg::StatusKind::Shield: return "shield absorbing up to " + n + " damage";
    }
    return "?";
}

class I18nTexts : public testing::Test {
protected:
    void SetUp() override { i18n::setLanguage("en"); }
};

} // namespace

// The screens fill exactly these placeholders; every other text is shown as
// it stands, so a placeholder there would reach the player in braces.
TEST_F(I18nTexts, PlaceholdersAreTheOnesTheCallersFill) {
    const std::map<std::string, std::set<std::string>> filled = {
        {"about.emailLabel", {"email"}},      {"about.websiteLabel", {"website"}},
        {"affix.hpRegen", {"n"}},             {"affix.immune", {"s"}},
        {"affix.manaRegen", {"n"}},           {"affix.resist", {"n", "s"}},
        {"app.saveUnreadable", {"files"}},
        {"battle.leveledUp", {"level", "name"}}, {"battle.rewardGold", {"n"}},
        {"battle.rewardXp", {"n"}},           {"battle.round", {"n"}},
        {"battle.stolen", {"what"}},          {"battle.turn", {"name"}},
        {"city.ascension", {"n"}},            {"common.withCost", {"desc", "mp", "n"}},
        {"equip.forClasses", {"list"}},       {"equip.withKind", {"hands", "kind", "name"}},
        {"heroSelect.hint", {"n"}},           {"heroSelect.pickMore", {"n"}},
        {"kaserne.active", {"cap", "n"}},     {"kaserne.dismissConfirm", {"name"}},
        {"kaserne.parked", {"n"}},            {"map.depth", {"n"}},
        {"map.worldTitle", {"n"}},            {"memory.mistakes", {"n"}},
        {"party.pointsOpen", {"count"}},      {"party.pointsOpen.one", {"count"}},
        {"party.reqLevel", {"n"}},            {"party.reqLevelA11y", {"n"}},
        {"reward.levelReached", {"n"}},
        {"reward.points", {"n"}},             {"reward.points.one", {"n"}},
        {"runResult.depthReached", {"n"}},    {"runResult.goldEarned", {"n"}},
        {"set.bonusTier", {"bonus", "pieces", "stats"}}, {"set.pieces", {"have", "total"}},
        {"shell.info", {"n"}},
        {"shell.lose", {"n"}},                {"shop.bought", {"name"}},
        {"shop.healAll", {"n"}},              {"shop.reviveAll", {"n"}},
        {"shop.sold", {"n"}},                 {"shop.wornBy", {"name"}},
    };
    std::map<std::string, int> uses;
    const i18n_data::Catalog& english = i18n_data::kCatalogs[1];
    for (int i = 0; i < english.count; ++i) {
        const std::string key = english.entries[i].key;
        const std::set<std::string> names = placeholderNames(english.entries[i].text);
        auto it = filled.find(key);
        EXPECT_EQ(names, it == filled.end() ? std::set<std::string>{} : it->second) << key;
        for (const std::string& name : names) ++uses[name];
    }
    const std::map<std::string, int> expectedUses = {
        {"n", 27}, {"name", 6}, {"s", 2}, {"email", 1}, {"website", 1}, {"level", 1}, {"what", 1},
        {"list", 1}, {"cap", 1}, {"count", 2}, {"have", 1}, {"total", 1}, {"desc", 1}, {"mp", 1},
        {"kind", 1}, {"hands", 1}, {"bonus", 1}, {"pieces", 1}, {"stats", 1}, {"files", 1},
    };
    EXPECT_EQ(uses, expectedUses);
}

TEST_F(I18nTexts, FixedTexts) {
    struct Row {
        const char* key;
        const char* english;
        const char* german;
    };
    const Row rows[] = {
        {"app.title", "Velmorandine", "Velmorandine"},
        {"app.alreadyRunningTitle", "Velmorandine is already running", "Velmorandine läuft bereits"},
        {"app.alreadyRunning", "The game is already open. It runs only once so your save file stays consistent.",
         "Das Spiel ist schon geöffnet. Es läuft nur einmal, damit dein Spielstand nicht durcheinandergerät."},
        {"app.saveUnreadableTitle", "Your save cannot be read", "Dein Spielstand kann nicht gelesen werden"},
        {"battle.victory", "Victory!", "Sieg!"},
        {"battle.leveledUp", "{{name}} reached level {{level}}!", "{{name}} erreicht Stufe {{level}}!"},
        {"kaserne.active", "Active {{n}}/{{cap}}", "Aktiv {{n}}/{{cap}}"},
        {"set.pieces", "{{have}}/{{total}} pieces", "{{have}}/{{total}} Teile"},
        {"stat.atk", "ATK", "ANG"},
        {"item.zweihander", "Greatsword", "Zweihänder"},
        {"settings.resetConfirmBody", "Heroes, gold and the current run will be erased. This cannot be undone.",
         nullptr},
        {"settings.languageSystem", "System", nullptr},
        {"affix.manaRegen", "+{{n}} Mana/turn", nullptr},
        {"affix.hpRegen", "+{{n}} HP/turn", nullptr},
        {"affix.immune", "{{s}} immune", nullptr},
        {"affix.resist", "{{n}}% {{s}} res", nullptr},
        {"common.back", "Back", nullptr},
        {"common.lvl", "Lv.", nullptr},
        {"equip.twoHand", "2H", nullptr},
        {"class.warrior", "Warrior", nullptr},
    };
    for (const Row& r : rows) {
        i18n::setLanguage("en");
        EXPECT_EQ(i18n::tr(r.key), r.english);
        if (r.german) {
            i18n::setLanguage("de");
            EXPECT_EQ(i18n::tr(r.key), r.german);
        }
    }
}

// A skill's English description quotes its catalogue row: whom it reaches,
// its power, critical bonus, status with odds, size and length, execute
// threshold and drain. A change of the numbers must reach the text.
TEST_F(I18nTexts, SkillDescriptionsQuoteTheCatalogue) {
    const char* const targets[] = {"One foe: ", "All foes: ", "One ally: ", "All allies: ", "Self: ",
                                   "A fallen ally: "};
    for (const rpg::SkillDef& skill : rpg::skills()) {
        const std::string desc = i18n::tr(skill.descKey);
        std::vector<std::string> parts = {targets[skill.target]};
        const bool hits = skill.school == rpg::SchoolPhysical || skill.school == rpg::SchoolMagic;
        if (skill.steal) {
            parts.push_back("steal");
        } else if (hits) {
            parts.push_back(percent(skill.power) + (skill.school == rpg::SchoolPhysical ? "% physical damage"
                                                                                          : "% magic damage"));
        } else if (skill.school == rpg::SchoolHealing) {
            parts.push_back("heals " + percent(skill.power) + "% of magic");
        } else if (skill.school == rpg::SchoolRevive) {
            parts.push_back(percent(skill.power) + "% of max HP");
        }
        // Built with append: g++ 12 at -O3 misreports "literal" + temporary.
        if (skill.critBonus > 0)
            parts.push_back(std::string("+").append(percent(skill.critBonus / 100)) + "% critical chance");
        if (skill.cleanse) parts.push_back("cures poison, burn, stun and slow");
        if (skill.status.applies) {
            const int rounds = skill.status.rounds;
            parts.push_back(rounds == 1 ? (hits ? "1 round" : "until the round ends")
                                        : std::to_string(rounds) + " rounds");
            parts.push_back(statusPhrase(skill.status.kind, hits, std::lround(skill.status.magnitude)));
            if (hits && skill.statusChance < 1) parts.push_back(percent(skill.statusChance) + "% chance of");
        }
        if (skill.executeThreshold > 0) parts.push_back("below " + percent(skill.executeThreshold) + "% HP");
        if (skill.drain > 0) parts.push_back(percent(skill.drain) + "% of the damage");
        if (skill.drainShared) parts.push_back("heals all allies");
        for (const std::string& part : parts) EXPECT_NE(desc.find(part), std::string::npos) << skill.id << ": "
                                                                                              << desc << " lacks " << part;
        EXPECT_EQ(desc.rfind(targets[skill.target], 0), 0u) << skill.id;
    }
}

// The hints under the difficulty buttons quote how much stronger monsters get.
TEST_F(I18nTexts, DifficultyHintsQuoteTheMultipliers) {
    for (int d = 0; d < rpg::kDifficultyCount; ++d) {
        const rpg::Difficulty difficulty = static_cast<rpg::Difficulty>(d);
        const rpg::DifficultyMods mods = rpg::difficultyMods(difficulty);
        const std::string hint = i18n::tr(rpg::difficultyHintKey(difficulty));
        if (mods.offence == 1 && mods.hp == 1 && mods.defence == 1) {
            EXPECT_NE(hint.find("normal strength"), std::string::npos) << hint;
            continue;
        }
        for (const std::string& part : {"hit " + percent(mods.offence - 1) + "% harder",
                                         percent(mods.hp - 1) + "% more HP",
                                         percent(mods.defence - 1) + "% more defense"}) {
            EXPECT_NE(hint.find(part), std::string::npos) << hint << " lacks " << part;
        }
    }
}
