// The heroes' commands: which units a waiting skill or item may take, the
// plain attack's target, the banner, the boxes, and whole battles played by
// clicks alone.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <string>
#include <vector>

#include "play/party.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/items.h"
#include "screens/battle_scene.h"
#include "screens/common.h"
#include "tests/screens/battle_fixture.h"
#include "ui/game_ui.h"

namespace {

namespace battle = ui::battle;
using battletest::hero;
using rpg::ClassId;
using rpg::ConsumableEffect;

// A skill of the catalogue with the target kind, besides attack and defend.
std::string skillWithTarget(std::uint8_t target) {
    for (const rpg::SkillDef& s : rpg::skills())
        if (s.target == target && std::string(s.id) != "defend") return s.id;
    return {};
}

TEST(BattleCommands, WhatAWaitingSkillOrItemMayTake) {
    battletest::Stage st;
    st.at("h2").hp = 0;
    st.at("e1").hp = 0;
    struct Case {
        const char* what;
        std::string skill;
        bool item;
        ConsumableEffect effect;
        std::vector<std::string> want;  // of h1, h2 (fallen), e0, e1 (fallen)
    };
    const Case cases[] = {
        {"nothing waits", "", false, ConsumableEffect::None, {}},
        {"one foe", skillWithTarget(rpg::TargetFoe), false, ConsumableEffect::None, {"e0"}},
        {"one ally", skillWithTarget(rpg::TargetAlly), false, ConsumableEffect::None, {"h1"}},
        {"a fallen ally", skillWithTarget(rpg::TargetFallenAlly), false, ConsumableEffect::None, {"h2"}},
        {"an unknown skill", "noSuchSkill", false, ConsumableEffect::None, {}},
        {"a potion", "", true, ConsumableEffect::HealHp, {"h1"}},
        {"a revive item", "", true, ConsumableEffect::Revive, {"h2"}},
        {"an item without effect", "", true, ConsumableEffect::None, {"h1"}},
    };
    for (const Case& c : cases) {
        st.sc.pendingSkill = c.skill;
        st.sc.item = battle::PendingItem{};
        st.sc.item.active = c.item;
        st.sc.item.effect = c.effect;
        std::vector<std::string> got;
        for (const rpg::Combatant& u : st.sc.state.combatants)
            if (battle::targetable(st.sc, u)) got.push_back(u.id);
        EXPECT_EQ(got, c.want) << c.what;
    }
}

TEST(BattleCommands, APlainAttackStrikesTheRememberedEnemyWhileItLives) {
    battletest::Stage st;
    st.sc.rememberedEnemy = "e1";
    battle::useSkill(st.sc, st.ctx(), st.at("h1"), "attack");
    EXPECT_EQ(st.sc.pending.targets, std::vector<std::string>{"e1"});
    EXPECT_EQ(st.sc.banner, "Hero h1  \xC2\xB7  " + i18n::tr("skill.attack") + "  >  " + ui::combatantName(st.at("e1")));

    // In a right-to-left language the line opens with the mark that makes
    // it read from the right, though it starts with the hero's Latin name.
    i18n::setLanguage("ar");
    st.sc.pending = {};
    battle::useSkill(st.sc, st.ctx(), st.at("h1"), "attack");
    EXPECT_EQ(st.sc.banner.rfind("\u200FHero h1", 0), 0u) << st.sc.banner;
    i18n::setLanguage("en");

    st.at("e1").hp = 0;
    st.sc.pending = {};
    battle::useSkill(st.sc, st.ctx(), st.at("h1"), "attack");
    EXPECT_EQ(st.sc.pending.targets, std::vector<std::string>{"e0"}) << "the first living monster";

    // With no monster left, the attack waits for a target instead.
    st.at("e0").hp = 0;
    st.sc.pending = {};
    battle::useSkill(st.sc, st.ctx(), st.at("h1"), "attack");
    EXPECT_FALSE(st.sc.pending.armed);
    EXPECT_EQ(st.sc.pendingSkill, "attack");
}

TEST(BattleCommands, TargetKindsStartAtOnceOrWaitAndManaIsChecked) {
    battletest::Stage st;
    // Self: the actor is named twice in the banner.
    battle::useSkill(st.sc, st.ctx(), st.at("h1"), "defend");
    EXPECT_EQ(st.sc.pending.targets, std::vector<std::string>{"h1"});
    EXPECT_EQ(st.sc.banner, "Hero h1  \xC2\xB7  " + i18n::tr("skill.defend") + "  >  Hero h1");
    // All foes: every living monster, "all targets" in the banner.
    const std::string area = skillWithTarget(rpg::TargetAllFoes);
    st.reset();
    battle::useSkill(st.sc, st.ctx(), st.at("h1"), area);
    EXPECT_EQ(st.sc.pending.targets, (std::vector<std::string>{"e0", "e1"}));
    EXPECT_NE(st.sc.banner.find("  >  " + i18n::tr("battle.allTargets")), std::string::npos);
    // One ally waits for a click.
    st.reset();
    const std::string ally = skillWithTarget(rpg::TargetAlly);
    battle::useSkill(st.sc, st.ctx(), st.at("h1"), ally);
    EXPECT_FALSE(st.sc.pending.armed);
    EXPECT_EQ(st.sc.pendingSkill, ally);
    battle::clickUnit(st.sc, st.ctx(), "e0");
    EXPECT_EQ(st.sc.pendingSkill, ally) << "a monster is no target for it";
    battle::clickUnit(st.sc, st.ctx(), "h2");
    EXPECT_TRUE(st.sc.pendingSkill.empty());
    EXPECT_EQ(st.sc.pending.targets, std::vector<std::string>{"h2"});
    // Too little mana: the error sound and nothing else.
    st.reset();
    st.at("h1").mp = 0;
    const std::string costly = area;
    ASSERT_GT(rpg::findSkill(costly)->manaCost, 0);
    battle::useSkill(st.sc, st.ctx(), st.at("h1"), costly);
    EXPECT_FALSE(st.sc.pending.armed);
    EXPECT_EQ(st.h.sounds(), std::vector<audio::Sfx>{audio::Sfx::Error});
    // A click on a living monster outside targeting only remembers it.
    battle::clickUnit(st.sc, st.ctx(), "e1");
    EXPECT_EQ(st.sc.rememberedEnemy, "e1");
    EXPECT_FALSE(st.sc.pending.armed);
}

TEST(BattleCommands, AnItemWhoseOwnerIsGoneIsDroppedAndAFallenUnitTakesNoPlainClick) {
    battletest::Stage st;
    st.sc.item = {true, "nobody", "Potion", 0, ConsumableEffect::HealHp};
    battle::clickUnit(st.sc, st.ctx(), "h2");
    EXPECT_FALSE(st.sc.item.active);
    EXPECT_FALSE(st.sc.pending.armed);

    // Units are drawn and clicked through the frame: a fallen monster's card takes no click.
    st.at("e1").hp = 0;
    st.h.setBody([&](ui::Ctx& c) {
        battle::layout(st.sc, c);
        battle::drawCombatants(st.sc, c);
    });
    st.h.frame();
    const auto e1 = std::find_if(st.sc.slots.begin(), st.sc.slots.end(), [](const battle::Slot& s) { return s.id == "e1"; });
    st.h.click(e1->parts.card.x + e1->parts.card.w / 2, e1->parts.card.y + 8);
    EXPECT_TRUE(st.sc.rememberedEnemy.empty());
    const auto e0 = std::find_if(st.sc.slots.begin(), st.sc.slots.end(), [](const battle::Slot& s) { return s.id == "e0"; });
    st.h.click(e0->parts.card.x + e0->parts.card.w / 2, e0->parts.card.y + 8);
    EXPECT_EQ(st.sc.rememberedEnemy, "e0");
    EXPECT_EQ(st.h.sounds(), std::vector<audio::Sfx>{audio::Sfx::Click});

    // The fall starts when a unit is first drawn dead, and starts again after a revive.
    const double fell = st.sc.anims["e1"].fade;
    EXPECT_GT(fell, 0);
    st.at("e1").hp = 10;
    st.h.frame();
    EXPECT_LT(st.sc.anims["e1"].fade, -50);
    st.at("e1").hp = 0;
    st.h.frame();
    EXPECT_GT(st.sc.anims["e1"].fade, fell);
}

TEST(BattleCommands, BoxHeights) {
    battletest::Stage st;
    const double s = st.ctx().uiScale;
    rpg::Combatant& h1 = st.at("h1");
    EXPECT_EQ(battle::submenuH(st.sc, battle::Submenu::Skills, st.ctx(), &h1), 0) << "no skills but attack and defend: no box";
    h1.skills = {"attack", "heal", "defend", "noSuchSkill", "firebolt"};
    EXPECT_DOUBLE_EQ(battle::submenuH(st.sc, battle::Submenu::Skills, st.ctx(), &h1), 2 * 34 * s + 12 * s);
    h1.skills.clear();
    for (int i = 0; i < 12; ++i) h1.skills.push_back(rpg::skills()[static_cast<std::size_t>(i) + 2].id);
    const battle::SubmenuBox twelve = battle::submenuBox(st.sc, battle::Submenu::Skills, st.ctx(), &h1);
    EXPECT_DOUBLE_EQ(twelve.box.h, 8 * 34 * s + 12 * s) << "eight rows at most";
    EXPECT_EQ(twelve.rows.size(), 7u) << "the eighth turns the pages";
    EXPECT_EQ(twelve.pages, 2);
    EXPECT_DOUBLE_EQ(battle::submenuH(st.sc, battle::Submenu::Items, st.ctx(), &h1), 48 * s) << "no such hero: the empty bag's box";
    store::meta().roster = {hero("h1", ClassId::Warrior, 1)};
    store::meta().roster[0].bag = {rpg::makeItem("potionHp"), rpg::makeItem("elixir")};
    EXPECT_DOUBLE_EQ(battle::submenuH(st.sc, battle::Submenu::Items, st.ctx(), &h1), 2 * 34 * s + 12 * s);
    EXPECT_EQ(battle::submenuH(st.sc, battle::Submenu::None, st.ctx(), &h1), 0);
}

// --- Whole battles by clicks ---

struct PanelGeometry {
    double s, w, h;
    double buttonW() const { return std::min((w - 60 * s) / 4, 200 * s); }
    // The centre of command button i (attack, skills, item, defend).
    std::pair<double, double> command(int i) const {
        const double x0 = w / 2 - (4 * buttonW() + 30 * s) / 2;
        return {x0 + i * (buttonW() + 10 * s) + buttonW() / 2, h - 96 * s + 48 * s};
    }
    // The centre of row i of the open box of height boxH.
    std::pair<double, double> row(int i, double boxH) const {
        return {w / 2, h - 96 * s - boxH - 8 * s + 6 * s + i * 34 * s + 15 * s};
    }
};

PanelGeometry panelOf(harness::ScreenHarness& h) { return {h.ctx().uiScale, h.ctx().width, h.ctx().height}; }

void clickAt(harness::ScreenHarness& h, std::pair<double, double> p) { h.click(p.first, p.second); }

TEST(BattleCommands, AWholeBattleWonByClicksAlone) {
    harness::ScreenHarness h(&ui::Game::instance(), 860, 560);
    h.setFrameStep(0.1);
    battletest::startRun({hero("w", ClassId::Warrior, 12), hero("m", ClassId::Mage, 12), hero("c", ClassId::Cleric, 12)},
                         99, 3);
    h.start(battletest::battleEntry(battletest::nodeOfRow(3), rpg::NodeType::Battle));
    h.frame();
    const PanelGeometry g = panelOf(h);
    int attacks = 0;
    for (int i = 0; i < 3000 && h.top().screen == ui::kBattle; ++i) {
        ui::BattleScreen* b = battletest::liveBattle();
        if (b && battletest::heroToAct(b->scene())) {
            clickAt(h, g.command(0));
            ++attacks;
        } else {
            h.frame();
        }
    }
    EXPECT_EQ(h.top().screen, ui::kReward);
    EXPECT_GT(attacks, 0);
}

TEST(BattleCommands, AWholeBattleLostByClicksAlone) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, 720);
    h.setFrameStep(0.1);
    h.start(battletest::battleEntry(battletest::startHopelessRun(), rpg::NodeType::Elite));
    h.frame();
    const PanelGeometry g = panelOf(h);
    for (int i = 0; i < 3000 && h.top().screen == ui::kBattle; ++i) {
        ui::BattleScreen* b = battletest::liveBattle();
        if (b && battletest::heroToAct(b->scene())) clickAt(h, g.command(3));
        else h.frame();
    }
    EXPECT_EQ(h.top().screen, ui::kRunResult);
    EXPECT_EQ(h.top().lost, 1);
}

TEST(BattleCommands, APotionIsSpentAndSavedBeforeItHeals) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, 720);
    h.setFrameStep(0.05);
    rpg::Hero w = hero("w", ClassId::Warrior, 12);
    w.bag = {rpg::makeItem("antidote"), rpg::makeItem("potionHp")};
    battletest::startRun({w, hero("m", ClassId::Mage, 12)}, 99, 3);
    store::run().party[0].hp = play::maxima(w).maxHp / 2;
    store::saveRun();
    h.start(battletest::battleEntry(battletest::nodeOfRow(3), rpg::NodeType::Battle));
    h.frame();
    battle::Scene* sc = &battletest::liveBattle()->scene();
    ASSERT_TRUE(battletest::waitForTurnOf(h, *sc, "w"));
    const PanelGeometry g = panelOf(h);
    clickAt(h, g.command(2));
    ASSERT_EQ(sc->submenu, battle::Submenu::Items);
    const double boxH = battle::submenuH(*sc, battle::Submenu::Items, h.ctx(), rpg::currentActor(sc->state));
    clickAt(h, g.row(1, boxH));
    ASSERT_TRUE(sc->item.active);
    EXPECT_EQ(sc->item.index, 1u);
    EXPECT_EQ(sc->item.effect, ConsumableEffect::HealHp);
    // Monsters are no target for a potion: a click there does nothing.
    const auto monster = std::find_if(sc->slots.begin(), sc->slots.end(), [](const battle::Slot& s) { return s.id[0] == 'e'; });
    clickAt(h, {monster->parts.card.x + monster->parts.card.w / 2, monster->parts.card.y + 10});
    ASSERT_TRUE(sc->item.active);
    const auto self = std::find_if(sc->slots.begin(), sc->slots.end(), [](const battle::Slot& s) { return s.id == "w"; });
    const double hpBefore = rpg::combatant(sc->state, "w")->hp;
    clickAt(h, {self->parts.card.x + self->parts.card.w / 2, self->parts.card.y + 10});
    EXPECT_FALSE(sc->item.active);
    ASSERT_TRUE(sc->pending.armed);
    EXPECT_TRUE(sc->pending.itemUse);
    EXPECT_EQ(rpg::combatant(sc->state, "w")->hp, hpBefore) << "the heal lands 0.26 s later";
    EXPECT_EQ(sc->fx.flask.size(), 1u);

    const std::vector<rpg::ItemInstance> bag = store::heroById("w")->bag;
    h.reloadStores();
    ASSERT_EQ(store::heroById("w")->bag.size(), 1u) << "saves.dat already holds the shorter bag";
    EXPECT_EQ(store::heroById("w")->bag[0].defId, "antidote");
    EXPECT_EQ(store::heroById("w")->bag, bag);
    h.runFor(0.3);
    EXPECT_GT(rpg::combatant(sc->state, "w")->hp, hpBefore);
}

TEST(BattleCommands, TheSkillsBoxCastsAndCancelEndsTargeting) {
    harness::ScreenHarness h(&ui::Game::instance(), 1280, 720);
    h.setFrameStep(0.05);
    battletest::startRun({hero("c", ClassId::Cleric, 12), hero("w", ClassId::Warrior, 12)}, 77, 2);
    h.start(battletest::battleEntry(battletest::nodeOfRow(2), rpg::NodeType::Battle));
    h.frame();
    battle::Scene* sc = &battletest::liveBattle()->scene();
    ASSERT_TRUE(battletest::waitForTurnOf(h, *sc, "c"));
    const rpg::Combatant& cleric = *rpg::currentActor(sc->state);
    const PanelGeometry g = panelOf(h);
    // The cleric's first listed skill is its heal: it waits for an ally.
    std::vector<std::string> listed;
    for (const std::string& id : cleric.skills)
        if (id != "attack" && id != "defend" && rpg::findSkill(id)) listed.push_back(id);
    ASSERT_FALSE(listed.empty());
    ASSERT_EQ(rpg::findSkill(listed[0])->target, rpg::TargetAlly);
    clickAt(h, g.command(1));
    ASSERT_EQ(sc->submenu, battle::Submenu::Skills);
    clickAt(h, g.row(0, battle::submenuH(*sc, battle::Submenu::Skills, h.ctx(), &cleric)));
    EXPECT_EQ(sc->submenu, battle::Submenu::None);
    EXPECT_EQ(sc->pendingSkill, listed[0]);
    // Cancel: back to the commands.
    clickAt(h, {g.w / 2, g.h - 96 * g.s + 64 * g.s});
    EXPECT_TRUE(sc->pendingSkill.empty());
    EXPECT_FALSE(sc->pending.armed);
    // The skills button again, twice: opens and closes the box.
    clickAt(h, g.command(1));
    clickAt(h, g.command(1));
    EXPECT_EQ(sc->submenu, battle::Submenu::None);
}

// --- Long lists, blocked entries ---

std::pair<double, double> centre(const ui::Rect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }

void tapAt(harness::ScreenHarness& h, std::pair<double, double> p) { h.tap(p.first, p.second); }

// The open box as the frame lays it out, after the pager's arrow has been
// tapped until the last page shows.
battle::SubmenuBox lastPage(harness::ScreenHarness& h, battle::Scene& sc, const rpg::Combatant& actor) {
    battle::SubmenuBox box = battle::submenuBox(sc, sc.submenu, h.ctx(), &actor);
    for (int turns = 0; box.page + 1 < box.pages && turns < 10; ++turns) {
        tapAt(h, centre(box.next));
        box = battle::submenuBox(sc, sc.submenu, h.ctx(), &actor);
    }
    return box;
}

// Skills with a mana cost that act or wait for a click on a living unit,
// warcry (all allies, at once) last.
std::vector<std::string> twelveSkills() {
    std::vector<std::string> out = {"attack", "defend"};
    for (const rpg::SkillDef& s : rpg::skills()) {
        const std::string id = s.id;
        if (out.size() == 13) break;
        if (id != "attack" && id != "defend" && id != "warcry" && s.manaCost > 0 && s.target != rpg::TargetFallenAlly)
            out.push_back(id);
    }
    out.push_back("warcry");
    return out;
}

struct LongLists {
    harness::ScreenHarness h;
    battle::Scene* sc = nullptr;

    // A cleric alone, hurt, with twelve skills and a bag of twenty (a
    // potion last), at the start of its turn.
    LongLists(int w, int hgt) : h(&ui::Game::instance(), w, hgt) {
        h.setFrameStep(0.05);
        rpg::Hero c = hero("c", ClassId::Cleric, 30);
        for (int i = 0; i < 19; ++i) c.bag.push_back(rpg::makeItem(i % 2 ? "antidote" : "tonicDef"));
        c.bag.push_back(rpg::makeItem("potionHp"));
        battletest::startRun({c}, 99, 1);
        store::run().party[0].hp = play::maxima(c).maxHp / 2;
        store::saveRun();
        h.start(battletest::battleEntry(battletest::nodeOfRow(1), rpg::NodeType::Battle));
        h.frame();
        sc = &battletest::liveBattle()->scene();
        EXPECT_TRUE(battletest::waitForTurnOf(h, *sc, "c"));
        me().skills = twelveSkills();
        me().stats.maxMp = me().mp = 999;
    }
    rpg::Combatant& me() { return *rpg::combatant(sc->state, "c"); }
    const battle::Slot& slotOf(const std::string& id) {
        return *std::find_if(sc->slots.begin(), sc->slots.end(), [&](const battle::Slot& s) { return s.id == id; });
    }
};

TEST(BattleCommands, TheLastOfTwelveSkillsAndOfABagOfTwentyAreUsedByClicks) {
    for (const auto& [w, hgt] : {std::pair{1280, 720}, std::pair{860, 560}}) {
        SCOPED_TRACE(std::to_string(w) + "x" + std::to_string(hgt));
        LongLists t(w, hgt);
        const PanelGeometry g = panelOf(t.h);
        tapAt(t.h, g.command(1));
        ASSERT_EQ(t.sc->submenu, battle::Submenu::Skills);
        battle::SubmenuBox box = lastPage(t.h, *t.sc, t.me());
        EXPECT_EQ(box.pages, 2);
        ASSERT_FALSE(box.rows.empty());
        EXPECT_EQ(box.rows.back().index, 11u) << "the twelfth skill";
        tapAt(t.h, centre(box.rows.back().row));
        ASSERT_TRUE(t.sc->pending.armed);
        EXPECT_EQ(t.sc->pending.skill, "warcry");

        ASSERT_TRUE(battletest::waitForTurnOf(t.h, *t.sc, "c"));
        tapAt(t.h, g.command(2));
        ASSERT_EQ(t.sc->submenu, battle::Submenu::Items);
        box = lastPage(t.h, *t.sc, t.me());
        EXPECT_EQ(box.pages, 3);
        EXPECT_EQ(box.rows.back().index, 19u) << "the twentieth item";
        tapAt(t.h, centre(box.rows.back().row));
        ASSERT_TRUE(t.sc->item.active);
        EXPECT_EQ(t.sc->item.effect, ConsumableEffect::HealHp);
        tapAt(t.h, centre(t.slotOf("c").parts.sprite));
        ASSERT_TRUE(t.sc->pending.itemUse);
        t.h.reloadStores();
        const std::vector<rpg::ItemInstance>& bag = store::heroById("c")->bag;
        EXPECT_EQ(bag.size(), 19u);
        EXPECT_TRUE(std::none_of(bag.begin(), bag.end(), [](const rpg::ItemInstance& i) { return i.defId == "potionHp"; }));
    }
}

// Pixels of the overlay inside r that are plainly red: the box, its rows
// and their texts are brown, cream and blue.
int redInk(harness::ScreenHarness& h, const ui::Rect& r) {
    int n = 0;
    for (int y = static_cast<int>(r.y); y < static_cast<int>(r.y + r.h); ++y) {
        for (int x = static_cast<int>(r.x); x < static_cast<int>(r.x + r.w); ++x) {
            const std::uint32_t px = h.overlayPixel(x, y);
            const int red = (px >> 16) & 0xFF, green = (px >> 8) & 0xFF, blue = px & 0xFF;
            n += red - std::max(green, blue) >= 48;
        }
    }
    return n;
}

TEST(BattleCommands, NotEnoughManaCanBeReadForALowerRow) {
    LongLists t(1280, 720);
    t.me().mp = 0;
    tapAt(t.h, panelOf(t.h).command(1));
    const battle::SubmenuBox box = battle::submenuBox(*t.sc, battle::Submenu::Skills, t.h.ctx(), &t.me());
    ASSERT_GE(box.rows.size(), 7u);
    t.h.clearSounds();
    tapAt(t.h, centre(box.rows[6].row));
    EXPECT_EQ(t.h.sounds(), std::vector<audio::Sfx>{audio::Sfx::Error});
    EXPECT_EQ(t.sc->submenu, battle::Submenu::Skills) << "the box stays open";
    ASSERT_EQ(t.sc->floats.size(), 1u);
    const battle::Float& f = t.sc->floats[0];
    EXPECT_EQ(f.text, i18n::tr("battle.noMp"));
    // Its red letters lie on top of the box while it rises and fades.
    ASSERT_EQ(f.color & 0xFF0000, 0xC20000u);
    for (int i = 0; i < 3; ++i) {
        const ui::Rect r = battle::floatRect(*t.sc, t.h.ctx(), f, t.h.ctx().now);
        EXPECT_GT(redInk(t.h, r), 40) << "at " << t.h.ctx().now - f.start << " s";
        t.h.runFor(0.3);
    }
}

TEST(BattleCommands, BlockedEntriesSayWhyAndTakeNoClick) {
    battletest::Stage st;
    const rpg::SkillDef& revive = *rpg::findSkill("revive");
    struct Case {
        const char* item;
        bool fallen;
        const char* want;
    };
    const Case cases[] = {
        {"rustySword", false, "battle.notInBattle"}, {"trompetchen", false, "battle.notInBattle"},
        {"noSuchItem", false, "battle.notInBattle"}, {"elixir", false, "battle.nobodyFallen"},
        {"elixir", true, nullptr},                   {"potionHp", false, nullptr},
    };
    for (const Case& c : cases) {
        st.at("h2").hp = c.fallen ? 0 : 100;
        rpg::ItemInstance item = rpg::makeItem(c.item);
        item.defId = c.item;
        const char* got = battle::itemBlock(st.sc, item);
        EXPECT_STREQ(got ? got : "", c.want ? c.want : "") << c.item << (c.fallen ? " with h2 fallen" : "");
        const char* skill = battle::skillBlock(st.sc, st.at("h1"), revive);
        EXPECT_STREQ(skill ? skill : "", c.fallen ? "" : "battle.nobodyFallen");
    }
    EXPECT_EQ(battle::skillBlock(st.sc, st.at("h1"), *rpg::findSkill("heal")), nullptr);

    // In the boxes: a click on a blocked row does nothing at all.
    st.at("h2").hp = 100;
    store::meta().roster = {hero("h1", ClassId::Cleric, 10)};
    store::meta().roster[0].bag = {rpg::makeItem("rustySword"), rpg::makeItem("elixir"), rpg::makeItem("potionHp")};
    st.at("h1").skills = {"attack", "defend", "revive", "heal"};
    st.h.setBody([&](ui::Ctx& c) {
        battle::layout(st.sc, c);
        battle::drawCombatants(st.sc, c);
        battle::drawPanel(st.sc, c, battle::kPanelH * c.uiScale, &st.at("h1"));
    });
    st.h.frame();
    for (const auto& [submenu, row] : {std::pair{battle::Submenu::Items, 0}, std::pair{battle::Submenu::Items, 1},
                                       std::pair{battle::Submenu::Skills, 0}}) {
        st.sc.submenu = submenu;
        const battle::SubmenuBox box = battle::submenuBox(st.sc, submenu, st.ctx(), &st.at("h1"));
        st.h.clearSounds();
        tapAt(st.h, centre(box.rows[static_cast<std::size_t>(row)].row));
        EXPECT_EQ(st.sc.submenu, submenu) << static_cast<int>(submenu) << "/" << row;
        EXPECT_FALSE(st.sc.item.active) << static_cast<int>(submenu) << "/" << row;
        EXPECT_TRUE(st.sc.pendingSkill.empty()) << static_cast<int>(submenu) << "/" << row;
        EXPECT_TRUE(st.h.sounds().empty()) << static_cast<int>(submenu) << "/" << row;
    }
    EXPECT_EQ(store::meta().roster[0].bag.size(), 3u);
    // The open rows next to them do take it.
    st.sc.submenu = battle::Submenu::Items;
    tapAt(st.h, centre(battle::submenuBox(st.sc, battle::Submenu::Items, st.ctx(), &st.at("h1")).rows[2].row));
    EXPECT_TRUE(st.sc.item.active);
    EXPECT_EQ(st.sc.item.index, 2u);
}

} // namespace
