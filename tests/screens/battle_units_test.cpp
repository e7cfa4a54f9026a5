// Where the units' parts stand and which unit a click picks: no unit's
// sprite, chips, marker, name or bars reach another's, whatever the party,
// the names, the language and the window size.
#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/items.h"
#include "rules/monsters.h"
#include "screens/battle_scene.h"
#include "tests/screens/battle_fixture.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/sprites.h"

namespace {

namespace battle = ui::battle;
using ui::Rect;

bool inside(const Rect& part, const Rect& box) {
    constexpr double e = 0.01;
    return part.x >= box.x - e && part.y >= box.y - e && part.x + part.w <= box.x + box.w + e &&
           part.y + part.h <= box.y + box.h + e;
}

bool overlap(const Rect& a, const Rect& b) {
    constexpr double e = 0.01;
    return a.x + e < b.x + b.w && b.x + e < a.x + a.w && a.y + e < b.y + b.h && b.y + e < a.y + a.h;
}

std::string str(const Rect& r) {
    std::ostringstream o;
    o << "(" << r.x << "," << r.y << " " << r.w << "x" << r.h << ")";
    return o.str();
}

rpg::Combatant monsterOf(const rpg::MonsterDef& m, int i) {
    rpg::Combatant c;
    c.id = "e" + std::to_string(i);
    c.side = rpg::Side::Enemies;
    c.nameKey = m.nameKey;
    c.prefixKey = m.prefixKey ? m.prefixKey : "";
    c.sprite = m.sprite;
    return c;
}

// Six monsters of the catalogue with the widest names in the current
// language, or with the largest sprites.
std::vector<rpg::Combatant> widestMonsters(cairo_t* cr, bool bySprite) {
    std::vector<std::pair<double, const rpg::MonsterDef*>> all;
    ui::TextStyle st;
    st.size = 10;
    for (const rpg::MonsterDef& m : rpg::monsters()) {
        double w = 0;
        if (bySprite) {
            const ui::battle::SpriteSize size = battle::spriteSize(m.sprite, 1, 1);
            w = size.w * size.h;
        } else {
            ui::measureText(cr, ui::combatantName(monsterOf(m, 0)), st, &w, nullptr);
        }
        all.emplace_back(w, &m);
    }
    std::stable_sort(all.begin(), all.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<rpg::Combatant> out;
    for (int i = 0; i < 6; ++i) out.push_back(monsterOf(*all[static_cast<std::size_t>(i)].second, i));
    return out;
}

// Codes of the languages whose monster names run longest (in characters).
std::vector<std::string> longestLanguages(int n) {
    std::vector<std::pair<std::size_t, std::string>> lengths;
    for (const i18n::Language& lang : i18n::languages()) {
        i18n::setLanguage(lang.code);
        std::size_t longest = 0;
        for (const rpg::MonsterDef& m : rpg::monsters()) {
            const std::string name = ui::combatantName(monsterOf(m, 0));
            longest = std::max<std::size_t>(longest, static_cast<std::size_t>(std::count_if(
                                                         name.begin(), name.end(), [](char ch) { return (ch & 0xC0) != 0x80; })));
        }
        lengths.emplace_back(longest, lang.code);
    }
    i18n::setLanguage("en");
    std::stable_sort(lengths.begin(), lengths.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i) out.push_back(lengths[static_cast<std::size_t>(i)].second);
    return out;
}

// Heroes of six classes (mage, cleric and archer stand in the back unless
// all are sent to the front) with the longest names the name pool gives, a
// number added.
std::vector<rpg::Combatant> heroes(int n, bool allFront = false) {
    const rpg::ClassId classes[] = {rpg::ClassId::Warrior, rpg::ClassId::Mage,    rpg::ClassId::Rogue,
                                    rpg::ClassId::Cleric,  rpg::ClassId::Vampire, rpg::ClassId::Archer};
    const char* const names[] = {"Tamsin 9", "Skarn 8", "Liora 7", "Davos 6", "Quill 5", "Riska 4"};
    std::vector<rpg::Combatant> out;
    for (int i = 0; i < n; ++i) {
        rpg::Combatant c = battletest::unit("h" + std::to_string(i), rpg::Side::Heroes);
        c.name = names[i];
        c.sprite = rpg::classDef(classes[i]).id;
        c.backRow = !allFront && rpg::defaultRow(classes[i]);
        out.push_back(c);
    }
    return out;
}

// Every status a chip shows, at level 99 with both bars.
void loadUp(rpg::Combatant* c) {
    c->level = 99;
    c->stats.maxHp = c->hp = 99999;
    c->stats.maxMp = c->mp = 9999;
    const rpg::StatusKind kinds[] = {rpg::StatusKind::Poison, rpg::StatusKind::Burn,  rpg::StatusKind::Regen,
                                     rpg::StatusKind::Stun,   rpg::StatusKind::AtkUp, rpg::StatusKind::DefDown};
    for (rpg::StatusKind k : kinds) c->statuses.push_back({k, 3, 5});
}

// The parts of each unit lie in its hit area; hit areas of different units
// do not overlap and lie between the banner and the panel. Empty when so.
std::string overlaps(const battle::Scene& sc, const ui::Ctx& ctx) {
    const double s = ctx.uiScale;
    std::string out;
    for (const battle::Slot& a : sc.slots) {
        const battle::UnitParts& p = a.parts;
        const std::pair<const char*, const Rect*> parts[] = {{"marker", &p.marker}, {"chips", &p.chips},
                                                             {"sprite", &p.sprite}, {"name", &p.name},
                                                             {"bars", &p.bars},     {"card", &p.card}};
        for (const auto& [what, r] : parts)
            if (!inside(*r, p.hit)) out += a.id + " " + what + " " + str(*r) + " outside " + str(p.hit) + "; ";
        for (const battle::Label& l : p.labels)
            if (l.x < p.card.x - 0.01 || l.x + l.w > p.card.x + p.card.w + 0.01)
                out += a.id + " label '" + l.text + "' wider than its card; ";
        const Rect room{0, battle::kUnitsTop * s, ctx.width, ctx.height - battle::kPanelH * s - battle::kUnitsTop * s};
        if (!inside(p.hit, room)) out += a.id + " " + str(p.hit) + " outside " + str(room) + "; ";
        for (const battle::Slot& b : sc.slots)
            if (&a < &b && overlap(p.hit, b.parts.hit))
                out += a.id + " " + str(p.hit) + " meets " + b.id + " " + str(b.parts.hit) + "; ";
    }
    return out;
}

TEST(BattleUnits, NoUnitReachesAnothersPartsForAnyPartyNameLanguageOrWindow) {
    std::vector<std::string> languages = {"en", "de", "ar", "ja"};
    for (const std::string& code : longestLanguages(3))
        if (std::find(languages.begin(), languages.end(), code) == languages.end()) languages.push_back(code);
    for (const auto& [w, hgt] : {std::pair{1280, 720}, std::pair{860, 560}}) {
        harness::ScreenHarness h(nullptr, w, hgt);
        ui::Ctx& ctx = h.ctx();
        for (const std::string& code : languages) {
            i18n::setLanguage(code);
            for (const bool bySprite : {false, true}) {
                const std::vector<rpg::Combatant> monsters = widestMonsters(ctx.cr, bySprite);
                for (int nh = 1; nh <= 6; ++nh) {
                    for (int nm = 1; nm <= 6; ++nm) {
                        battle::Scene sc;
                        const bool oneRow = bySprite && nh >= 4;  // the heroes all in front: one long row
                        sc.state.combatants = heroes(nh, oneRow);
                        sc.state.combatants.insert(sc.state.combatants.end(), monsters.begin(), monsters.begin() + nm);
                        for (rpg::Combatant& c : sc.state.combatants) loadUp(&c);
                        sc.floor = {(ctx.width - 0.72 * ctx.height) / 2, 0.72 * ctx.height, ctx.height};
                        battle::layout(sc, ctx);
                        ASSERT_EQ(overlaps(sc, ctx), "") << w << "x" << hgt << " " << code << ", " << nh << " heroes, "
                                                         << (oneRow ? "in one row, " : "") << nm
                                                         << (bySprite ? " largest" : " longest-named") << " monsters";
                    }
                }
            }
        }
    }
    i18n::setLanguage("en");
}

int letters(const std::string& text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char ch) { return (ch & 0xC0) != 0x80; }));
}

// In the smallest window, where names cannot shrink below a readable size,
// a name too wide for its room goes on more lines (a Japanese one where its
// script changes) rather than be cut to a letter or two: every cut label
// still shows three letters of its name.
TEST(BattleUnits, ANameIsNeverCutToLessThanThreeLetters) {
    harness::ScreenHarness h(nullptr, 860, 560);
    ui::Ctx& ctx = h.ctx();
    for (const char* code : {"ja", "ar", "de", "en"}) {
        i18n::setLanguage(code);
        const std::vector<rpg::Combatant> monsters = widestMonsters(ctx.cr, false);
        for (int nh = 1; nh <= 6; ++nh) {
            for (int nm = 1; nm <= 6; ++nm) {
                battle::Scene sc;
                sc.state.combatants = heroes(nh);
                sc.state.combatants.insert(sc.state.combatants.end(), monsters.begin(), monsters.begin() + nm);
                for (rpg::Combatant& c : sc.state.combatants) c.level = 99;
                sc.floor = {(ctx.width - 0.72 * ctx.height) / 2, 0.72 * ctx.height, ctx.height};
                battle::layout(sc, ctx);
                for (const battle::Slot& slot : sc.slots) {
                    for (const battle::Label& l : slot.parts.labels) {
                        if (l.level || !l.text.ends_with("\u2026")) continue;
                        EXPECT_GE(letters(l.text) - 1, 3) << code << ", " << nh << " heroes, " << nm << " monsters: "
                                                          << slot.id << " shows \"" << l.text << "\"";
                    }
                }
            }
        }
    }
    i18n::setLanguage("en");
}

std::pair<double, double> centre(const Rect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

// Six heroes in two rows: a potion or a revive aimed at a back-row hero's
// head, chips or turn marker goes to that hero, not to the front-row hero
// whose name and bars stand just above.
TEST(BattleUnits, AClickOnABackRowHeroGoesToThatHero) {
    for (const auto& [w, hgt] : {std::pair{1280, 720}, std::pair{860, 560}}) {
        harness::ScreenHarness h(nullptr, w, hgt);
        battle::Scene sc;
        sc.state.combatants = heroes(6);
        sc.state.combatants.push_back(battletest::unit("e0", rpg::Side::Enemies));
        sc.state.order.clear();
        for (rpg::Combatant& c : sc.state.combatants) {
            loadUp(&c);
            sc.state.order.push_back(c.id);
        }
        store::meta().roster = {battletest::hero("h0", rpg::ClassId::Warrior, 10)};
        h.setBody([&](ui::Ctx& c) {
            sc.floor = {(c.width - 0.72 * c.height) / 2, 0.72 * c.height, c.height};
            battle::layout(sc, c);
            battle::drawCombatants(sc, c);
        });
        h.frame();
        int backs = 0;
        for (const battle::Slot& back : sc.slots) {
            if (back.row != 2) continue;
            ++backs;
            const battle::UnitParts p = back.parts;
            for (const bool revive : {false, true}) {
                rpg::combatant(sc.state, back.id)->hp = revive ? 0 : 50;
                const std::pair<double, double> points[] = {centre(p.marker), centre(p.chips), {back.x, p.sprite.y + 2},
                                                            centre(p.sprite)};
                for (const auto& [x, y] : points) {
                    store::meta().roster[0].bag = {rpg::makeItem(revive ? "elixir" : "potionHp")};
                    sc.pending = {};
                    sc.item = {true, "h0", "", 0, revive ? rpg::ConsumableEffect::Revive : rpg::ConsumableEffect::HealHp};
                    h.tap(x, y);
                    EXPECT_EQ(sc.pending.targets, std::vector<std::string>{back.id})
                        << w << "x" << hgt << (revive ? " revive" : " potion") << " at " << x << "," << y;
                }
                rpg::combatant(sc.state, back.id)->hp = 50;
            }
        }
        EXPECT_EQ(backs, 3);
    }
}

// Seven monsters: the fourth and fifth share a spot, and the click goes to
// the one drawn over the other.
TEST(BattleUnits, AClickPicksTheUnitDrawnOnTop) {
    battletest::Stage st;
    battle::Scene& sc = st.sc;
    sc.state.combatants = {battletest::unit("h1", rpg::Side::Heroes)};
    for (int i = 0; i < 7; ++i) sc.state.combatants.push_back(battletest::unit("e" + std::to_string(i), rpg::Side::Enemies));
    st.h.setBody([&](ui::Ctx& c) {
        battle::layout(sc, c);
        battle::drawCombatants(sc, c);
    });
    st.relayout();
    st.h.frame();
    const battle::Slot& fifth = *std::find_if(sc.slots.begin(), sc.slots.end(), [](const battle::Slot& s) { return s.id == "e4"; });
    const auto [x, y] = centre(fifth.parts.sprite);
    EXPECT_EQ(battle::unitAt(sc, x, y), "e4");
    st.h.tap(x, y);
    EXPECT_EQ(sc.rememberedEnemy, "e4");
    // Between the rows nobody is hit.
    EXPECT_EQ(battle::unitAt(sc, x, battle::kUnitsTop * st.ctx().uiScale - 1), "");
}

} // namespace
