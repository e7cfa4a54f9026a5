// Display texts that carry words: they follow the active language.
#include <gtest/gtest.h>

#include "platform/i18n.h"
#include "rules/items.h"
#include "ui/game_ui.h"

namespace {

struct LanguageGuard {
    explicit LanguageGuard(const char* code) { i18n::setLanguage(code); }
    ~LanguageGuard() { i18n::setLanguage("en"); }
};

rpg::ItemInstance instance(const char* defId) {
    rpg::ItemInstance item;
    item.uid = "it-test";
    item.defId = defId;
    return item;
}

rpg::ItemAffix affix(std::uint8_t kind, double value, rpg::StatusKind status = rpg::StatusKind::Poison) {
    return rpg::ItemAffix{kind, value, status};
}

TEST(DisplayWords, NamesInEnglishAndGerman) {
    rpg::Hero hero;
    hero.name = "Brunhild";
    hero.cls = rpg::ClassId::Warrior;
    {
        LanguageGuard en("en");
        EXPECT_EQ(ui::className(rpg::ClassId::Mage), "Mage");
        EXPECT_EQ(ui::heroTitle(hero), "Brunhild \u00b7 Warrior");
        EXPECT_EQ(ui::itemName(instance("rustySword")), i18n::tr("item.rustySword"));
    }
    {
        LanguageGuard de("de");
        EXPECT_EQ(ui::className(rpg::ClassId::Warrior), "Krieger");
        EXPECT_EQ(ui::heroTitle(hero), "Brunhild \u00b7 Krieger");
        EXPECT_NE(ui::itemName(instance("rustySword")), "item.rustySword");
    }
    EXPECT_EQ(ui::itemName(instance("noSuchThing")), "noSuchThing") << "an unknown id shows unchanged";
}

TEST(DisplayWords, CombatantNames) {
    rpg::Combatant hero;
    hero.name = "Brunhild";
    hero.nameKey = "class.warrior";
    rpg::Combatant wolf;
    wolf.nameKey = "monster.wolf";
    {
        LanguageGuard en("en");
        EXPECT_EQ(ui::combatantName(hero), "Brunhild");
        EXPECT_EQ(ui::combatantName(wolf), "Wolf");
    }
    // Each language puts the prefix where it reads naturally, one space from
    // the base name where its script spaces words. German makes one word of
    // a stem and the name where it can, and keeps a genitive after it where
    // it cannot; Arabic gives a name that already ends in a definite word
    // an adjective instead of one more genitive.
    const struct {
        const char* language;
        const char* base;
        const char* prefix;
        const char* name;
    } cases[] = {
        {"en", "wolf", "frost", "Frost Wolf"},
        {"de", "wolf", "frost", "Frostwolf"},
        {"de", "serpent", "venom", "Giftschlange"},
        {"de", "unicorn", "crystal", "Kristalleinhorn"},
        {"de", "golem", "iron", "Eisengolem"},
        {"de", "spider", "hell", "H\u00f6llenspinne"},
        {"de", "wolf", "void", "Wolf der\u00a0Leere"},
        {"fr", "wolf", "frost", "Loup glaciaire"},
        {"ru", "wolf", "frost", "Волк стужи"},
        {"ar", "wolf", "frost", "ذئب الصقيع"},
        {"ar", "warthog", "molten", "خنزير الثآليل المنصهر"},
        {"ar", "unicorn", "crystal", "وحيد القرن البلّوري"},
        {"ar", "antqueen", "hell", "ملكة نمل الجحيم"},
        {"he", "wolf", "frost", "זאב הכפור"},
        {"ja", "wolf", "frost", "氷結オオカミ"},
        {"zh", "wolf", "frost", "冰霜野狼"},
        {"ko", "wolf", "frost", "서리 늑대"},
    };
    LanguageGuard guard("en");
    for (const auto& c : cases) {
        i18n::setLanguage(c.language);
        rpg::Combatant monster;
        monster.nameKey = std::string("monster.") + c.base;
        monster.prefixKey = std::string("monster.pre.") + c.prefix;
        EXPECT_EQ(ui::combatantName(monster), c.name) << c.language << " " << c.prefix << " " << c.base;
        EXPECT_EQ(ui::combatantName(hero), "Brunhild") << c.language;
    }
}

// What the code puts between words and numbers follows the language: its
// list comma and exclamation mark, its level and gear-score labels (never
// glued to the number), and arrows that point along its reading direction.
TEST(DisplayWords, PunctuationLabelsAndArrowsFollowTheLanguage) {
    const struct {
        const char* language;
        const char* list;
        const char* exclaim;
        const char* level;
        const char* gearScore;
        const char* forward;
        const char* target;
    } cases[] = {
        {"en", "Warrior, Rogue", "!", "Lv.\u00a012", "GS\u00a01,119", "\u2192", ">"},
        {"de", "Krieger, Schurke", "!", "St.\u00a012", "Ausr\u00fcstungswert\u00a01.119", "\u2192", ">"},
        {"ar", "محارب، مارق", "!", "مستوى\u00a012", "قوة العتاد\u00a01,119", "\u2190", "\u2190"},
        {"fa", "جنگجو، یاغی", "!", nullptr, nullptr, "\u2190", "\u2190"},
        {"ur", "جنگجو، عیار", "!", nullptr, nullptr, "\u2190", "\u2190"},
        {"he", "לוחם, נוכל", "!", "רמה\u00a012", nullptr, "\u2190", "\u2190"},
        {"ja", "戦士\u3001ローグ", "\uff01", "Lv.\u00a012", "装備力\u00a01,119", "\u2192", "\u2192"},
        {"zh", "战士\u3001刺客", "\uff01", nullptr, nullptr, "\u2192", "\u2192"},
        {"ko", "전사, 암살자", "!", nullptr, nullptr, "\u2192", "\u2192"},
    };
    LanguageGuard guard("en");
    for (const auto& c : cases) {
        i18n::setLanguage(c.language);
        SCOPED_TRACE(c.language);
        EXPECT_EQ(i18n::joinList({ui::className(rpg::ClassId::Warrior), ui::className(rpg::ClassId::Rogue)}), c.list);
        EXPECT_EQ(i18n::joinList({}), "");
        EXPECT_EQ(i18n::joinList({"x"}), "x");
        EXPECT_STREQ(i18n::exclamationMark(), c.exclaim);
        if (c.level) {
            EXPECT_EQ(ui::levelLabel(12), c.level);
        }
        if (c.gearScore) {
            EXPECT_EQ(ui::gearScoreLabel(1119), c.gearScore);
        }
        EXPECT_STREQ(ui::forwardArrow(), c.forward);
        EXPECT_STREQ(ui::targetArrow(), c.target);
    }
}

TEST(DisplayWords, BonusLineSkipsZeroesAndSigns) {
    LanguageGuard en("en");
    const std::vector<rpg::StatId> atkCrit{rpg::Atk, rpg::Crit};
    const struct {
        rpg::Stats stats;
        std::vector<rpg::StatId> ids;
        const char* en;
        const char* de;
    } cases[] = {
        {{0, 0, 12, 0, 0, 0, 0, 3}, atkCrit, "ATK +12 \u00b7 CRIT +3", "ANG +12 \u00b7 KRIT +3"},
        {{0, 0, 0, 0, 0, 0, 0, 3}, atkCrit, "CRIT +3", "KRIT +3"},  // one stat: no separator
        {{}, atkCrit, "", ""},
        {{0, 0, 0.3, 0, 0, 0, -2, 0}, {rpg::Atk, rpg::Spd}, "ATK +0 \u00b7 SPD -2", "ANG +0 \u00b7 TEM -2"},
        {{0, 0, 12, 0, 0, 0, 0, 3}, {rpg::Crit, rpg::Atk}, "CRIT +3 \u00b7 ATK +12", "KRIT +3 \u00b7 ANG +12"},
    };
    for (const auto& c : cases) {
        i18n::setLanguage("en");
        EXPECT_EQ(ui::bonusLine(c.stats, c.ids), c.en);
        i18n::setLanguage("de");
        EXPECT_EQ(ui::bonusLine(c.stats, c.ids), c.de);
    }
}

TEST(DisplayWords, ItemBonusLineUsesRollElseDefinition) {
    LanguageGuard en("en");
    rpg::ItemInstance staff = instance("oakStaff");
    EXPECT_EQ(ui::itemBonusLine(staff), "MAG +5 \u00b7 MP +6");
    staff.rolled = true;
    staff.roll = rpg::Stats{0, 7, 0, 0, 4.6, 0, 0, 0};
    staff.rollKeys = {rpg::Mag, rpg::MaxMp};
    EXPECT_EQ(ui::itemBonusLine(staff), "MAG +5 \u00b7 MP +7");
    EXPECT_EQ(ui::itemBonusLine(instance("noSuchThing")), "");
}

TEST(DisplayWords, AffixLine) {
    const struct {
        std::vector<rpg::ItemAffix> affixes;
        const char* en;
        const char* de;
    } cases[] = {
        {{}, "", ""},
        {{affix(0, 2.4)}, "+2 Mana/turn", "+2 Mana/Runde"},
        {{affix(1, 3), affix(2, 25, rpg::StatusKind::Burn)}, "+3 HP/turn \u00b7 25% Burn res", nullptr},
        {{affix(2, 100, rpg::StatusKind::Stun)}, "Stun immune", nullptr},
        // 99.6 rounds to 100 in the number but is still a resistance.
        {{affix(2, 99.6, rpg::StatusKind::Poison)}, "100% Poison res", "Gift: 100\u00a0% Res."},
        {{affix(2, 100, rpg::StatusKind::Poison)}, "Poison immune", "Gift: immun"},
        // Two affixes of a kind work as their sum, so they read as one, in
        // the place of the first; resistances add up per status.
        {{affix(1, 19), affix(1, 19)}, "+38 HP/turn", "+38 LP/Runde"},
        {{affix(0, 2), affix(1, 5), affix(0, 3)}, "+5 Mana/turn · +5 HP/turn", nullptr},
        {{affix(2, 30, rpg::StatusKind::Burn), affix(2, 40, rpg::StatusKind::Stun), affix(2, 25, rpg::StatusKind::Burn)},
         "55% Burn res · 40% Stun res", nullptr},
        {{affix(2, 60, rpg::StatusKind::Poison), affix(2, 45, rpg::StatusKind::Poison)}, "Poison immune", nullptr},
    };
    LanguageGuard guard("en");
    for (const auto& c : cases) {
        rpg::ItemInstance item = instance("rustySword");
        item.affixes = c.affixes;
        i18n::setLanguage("en");
        EXPECT_EQ(ui::affixLine(item), c.en);
        if (c.de) {
            i18n::setLanguage("de");
            EXPECT_EQ(ui::affixLine(item), c.de);
        }
    }
}

// A count of one takes the singular where the language has one; labels
// that read right for any count keep their text.
TEST(DisplayWords, CountTextsTakeTheSingularForOne) {
    const struct {
        const char* language;
        const char* key;
        const char* name;
        double count;
        const char* text;
    } cases[] = {
        {"en", "reward.points", "n", 1, "1 point to spend"},
        {"en", "reward.points", "n", 2, "2 points to spend"},
        {"en", "reward.points", "n", 11, "11 points to spend"},
        {"en", "party.pointsOpen", "count", 1, "1 stat point to spend"},
        {"de", "reward.points", "n", 1, "1 Punkt zu verteilen"},
        {"de", "party.pointsOpen", "count", 1, "1 Wertepunkt zu verteilen"},
        {"de", "party.pointsOpen", "count", 1001, "1.001 Wertepunkte zu verteilen"},
        {"fr", "reward.points", "n", 1, "Points \u00e0 r\u00e9partir : 1"},
        {"fa", "reward.points", "n", 1, "\u06f1 \u0627\u0645\u062a\u06cc\u0627\u0632 \u0628\u0631\u0627\u06cc "
                                        "\u062e\u0631\u062c \u06a9\u0631\u062f\u0646"},
    };
    LanguageGuard guard("en");
    for (const auto& c : cases) {
        i18n::setLanguage(c.language);
        EXPECT_EQ(ui::countText(c.key, c.name, c.count), c.text) << c.language << " " << c.key << " " << c.count;
    }
}

// Brackets, list marks and colons that the code wraps round translated
// words come from the catalogue: full-width in Japanese and Chinese.
TEST(DisplayWords, BracketsAroundWordsFollowTheLanguage) {
    const rpg::ItemDef* sword = nullptr;
    for (const rpg::ItemDef& def : rpg::items()) {
        if (def.weaponClassKey && !def.twoHanded) sword = &def;
    }
    ASSERT_NE(sword, nullptr);
    LanguageGuard guard("en");
    const struct {
        const char* language;
        const char* open;
        const char* between;
        const char* close;
        const char* cost;
    } cases[] = {
        {"en", "  (", ", ", ")", "(12 MP) D"},
        {"fr", "  (", ", ", ")", "(12 PM) D"},
        {"ja", "\uff08", "\u30fb", "\uff09", "\uff0812 MP\uff09D"},
        {"zh", "\uff08", "\u3001", "\uff09", "\uff0812 \u6cd5\u529b\uff09D"},
        {"ar", "  (", "\u060c ", ")", nullptr},
    };
    for (const auto& c : cases) {
        i18n::setLanguage(c.language);
        SCOPED_TRACE(c.language);
        EXPECT_EQ(ui::withWeaponKind("N", *sword),
                  "N" + std::string(c.open) + i18n::tr(sword->weaponClassKey) + c.between + i18n::tr("equip.oneHand") +
                      c.close);
        if (c.cost) {
            EXPECT_EQ(ui::withManaCost("D", 12), c.cost);
        }
    }
}

} // namespace
