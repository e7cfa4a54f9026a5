// The heroes' commands: which units a waiting skill or item may take, the
// plain attack's target, the banner, the boxes, and whole battles played by
// clicks alone.
#include <gtest/gtest.h>

#include <algorithm>
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
    st.h.click(e1->hitX + e1->hitW / 2, e1->hitY + 8);
    EXPECT_TRUE(st.sc.rememberedEnemy.empty());
    const auto e0 = std::find_if(st.sc.slots.begin(), st.sc.slots.end(), [](const battle::Slot& s) { return s.id == "e0"; });
    st.h.click(e0->hitX + e0->hitW / 2, e0->hitY + 8);
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
    EXPECT_EQ(battle::submenuH(st.sc, 1, st.ctx(), &h1), 0) << "no skills but attack and defend: no box";
    h1.skills = {"attack", "heal", "defend", "noSuchSkill", "firebolt"};
    EXPECT_DOUBLE_EQ(battle::submenuH(st.sc, 1, st.ctx(), &h1), 2 * 34 * s + 12 * s);
    h1.skills.clear();
    for (int i = 0; i < 12; ++i) h1.skills.push_back(rpg::skills()[static_cast<std::size_t>(i) + 2].id);
    EXPECT_DOUBLE_EQ(battle::submenuH(st.sc, 1, st.ctx(), &h1), 300 * s) << "eight rows at most";
    EXPECT_DOUBLE_EQ(battle::submenuH(st.sc, 2, st.ctx(), &h1), 48 * s) << "no such hero: the empty bag's box";
    store::meta().roster = {hero("h1", ClassId::Warrior, 1)};
    store::meta().roster[0].bag = {rpg::makeItem("potionHp"), rpg::makeItem("elixir")};
    EXPECT_DOUBLE_EQ(battle::submenuH(st.sc, 2, st.ctx(), &h1), 2 * 34 * s + 12 * s);
    EXPECT_EQ(battle::submenuH(st.sc, 0, st.ctx(), &h1), 0);
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
    ASSERT_EQ(sc->submenu, 2);
    const double boxH = battle::submenuH(*sc, 2, h.ctx(), rpg::currentActor(sc->state));
    clickAt(h, g.row(1, boxH));
    ASSERT_TRUE(sc->item.active);
    EXPECT_EQ(sc->item.index, 1u);
    EXPECT_EQ(sc->item.effect, ConsumableEffect::HealHp);
    // Monsters are no target for a potion: a click there does nothing.
    const auto monster = std::find_if(sc->slots.begin(), sc->slots.end(), [](const battle::Slot& s) { return s.id[0] == 'e'; });
    clickAt(h, {monster->hitX + monster->hitW / 2, monster->hitY + 10});
    ASSERT_TRUE(sc->item.active);
    const auto self = std::find_if(sc->slots.begin(), sc->slots.end(), [](const battle::Slot& s) { return s.id == "w"; });
    const double hpBefore = rpg::combatant(sc->state, "w")->hp;
    clickAt(h, {self->hitX + self->hitW / 2, self->hitY + 10});
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
    ASSERT_EQ(sc->submenu, 1);
    clickAt(h, g.row(0, battle::submenuH(*sc, 1, h.ctx(), &cleric)));
    EXPECT_EQ(sc->submenu, 0);
    EXPECT_EQ(sc->pendingSkill, listed[0]);
    // Cancel: back to the commands.
    clickAt(h, {g.w / 2, g.h - 96 * g.s + 64 * g.s});
    EXPECT_TRUE(sc->pendingSkill.empty());
    EXPECT_FALSE(sc->pending.armed);
    // The skills button again, twice: opens and closes the box.
    clickAt(h, g.command(1));
    clickAt(h, g.command(1));
    EXPECT_EQ(sc->submenu, 0);
}

} // namespace
