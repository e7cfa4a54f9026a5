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
        {"en", "Warrior, Rogue", "!", "Lv.\u00a012", "GS\u00a01.119", "\u2192", ">"},
        {"de", "Krieger, Schurke", "!", "St.\u00a012", "Ausr\u00fcstungswert\u00a01.119", "\u2192", ">"},
        {"ar", "محارب، مارق", "!", "مستوى\u00a012", "قوة العتاد\u00a01.119", "\u2190", "\u2190"},
        {"fa", "جنگجو، یاغی", "!", nullptr, nullptr, "\u2190", "\u2190"},
        {"ur", "جنگجو، عیار", "!", nullptr, nullptr, "\u2190", "\u2190"},
        {"he", "לוחם, נוכל", "!", "רמה\u00a012", nullptr, "\u2190", "\u2190"},
        {"ja", "戦士\u3001ローグ", "\uff01", "Lv.\u00a012", "装備力\u00a01.119", "\u2192", "\u2192"},
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

} // namespace
