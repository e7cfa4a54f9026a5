// Skill effects of the battle: the cast sound, what a cast spawns and when
// its action lands, and the drawing and expiry of the records.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "rules/items.h"
#include "rules/skills.h"
#include "screens/battle_fx.h"
#include "screens/battle_scene.h"
#include "tests/screens/battle_fixture.h"

namespace {

namespace battle = ui::battle;
using audio::Sfx;
using rpg::StatusKind;

rpg::SkillDef skillOf(const char* id, std::uint8_t school, std::uint8_t target = rpg::TargetFoe) {
    rpg::SkillDef s;
    s.id = id;
    s.nameKey = "skill.attack";
    s.school = school;
    s.target = target;
    return s;
}

rpg::SkillDef applying(rpg::SkillDef s, StatusKind kind) {
    s.status.applies = 1;
    s.status.kind = kind;
    return s;
}

TEST(BattleFx, CastSoundsByTableOrder) {
    rpg::SkillDef drain = skillOf("bite", rpg::SchoolMagic);
    drain.drain = 0.3;
    struct Case {
        rpg::SkillDef skill;
        Sfx want;
    };
    const Case cases[] = {
        {skillOf("raise", rpg::SchoolRevive, rpg::TargetFallenAlly), Sfx::Revive},
        {skillOf("firemend", rpg::SchoolHealing, rpg::TargetAlly), Sfx::Heal},
        {skillOf("warcry", rpg::SchoolStatus, rpg::TargetAllAllies), Sfx::Buff},
        {drain, Sfx::Lifesteal},
        {skillOf("rainOfArrows", rpg::SchoolPhysical), Sfx::Arrow},
        {skillOf("firearrow", rpg::SchoolMagic), Sfx::Arrow},  // a bow word wins over every magic word
        {skillOf("Fireball", rpg::SchoolMagic), Sfx::CastFire},
        {applying(skillOf("hex", rpg::SchoolMagic), StatusKind::Burn), Sfx::CastFire},
        {skillOf("sacrifice", rpg::SchoolMagic), Sfx::CastIce},  // "ice" comes before the holy words
        {skillOf("holylance", rpg::SchoolMagic), Sfx::CastIce},
        {applying(skillOf("gust", rpg::SchoolMagic), StatusKind::Slow), Sfx::CastIce},
        {skillOf("chainspark", rpg::SchoolMagic), Sfx::CastLightning},
        {skillOf("smite", rpg::SchoolMagic), Sfx::CastHoly},
        {applying(skillOf("curse", rpg::SchoolMagic), StatusKind::Poison), Sfx::CastNature},
        {skillOf("poisonhit", rpg::SchoolMagic), Sfx::CastNature},
        {skillOf("poisonhit", rpg::SchoolPhysical), Sfx::HitPhys},
        {applying(skillOf("bash", rpg::SchoolPhysical), StatusKind::Burn), Sfx::HitPhys},
        {skillOf("missile", rpg::SchoolMagic), Sfx::CastArcane},
        {skillOf("backstab", rpg::SchoolPhysical), Sfx::Slash},
        {skillOf("Cleave", rpg::SchoolPhysical), Sfx::Slash},
        {skillOf("bash", rpg::SchoolPhysical), Sfx::HitPhys},
    };
    for (const Case& c : cases) EXPECT_EQ(battle::castSfx(c.skill), c.want) << c.skill.id;
}

TEST(BattleFx, TierOfASkillLevel) {
    const std::pair<int, int> cases[] = {{0, 1}, {1, 1}, {2, 2}, {4, 2}, {5, 3}, {9, 3}, {10, 4}, {24, 4}, {25, 5}};
    for (auto [level, tier] : cases) EXPECT_EQ(battle::tierFor(level), tier) << level;
}

std::string weaponOfClass(std::uint8_t cls) {
    for (const rpg::ItemDef& d : rpg::items())
        if (d.slot == rpg::ItemSlot::Weapon && d.weaponClass == cls) return d.id;
    return {};
}

struct Counts {
    std::size_t proj, aoe, slash, aura;
    friend bool operator==(const Counts&, const Counts&) = default;
};

Counts counts(const battle::FxLists& fx) { return {fx.proj.size(), fx.aoe.size(), fx.slash.size(), fx.aura.size()}; }

rpg::SpellFx look(rpg::FxForm form, rpg::AoEKind aoe = rpg::AoENone) {
    rpg::SpellFx l;
    l.colourA = 0x112233;
    l.colourB = 0x445566;
    l.form = form;
    l.aoe = aoe;
    return l;
}

TEST(BattleFx, EachKindOfCastSpawnsItsEffectsAndArmsItsAct) {
    struct Case {
        const char* what;
        rpg::SkillDef skill;
        rpg::SpellFx look;
        std::uint8_t weapon;  // of h1
        std::vector<std::string> chosen;
        Counts want;
        double delay;
        std::vector<std::string> targets;
        Sfx sound;
    };
    const rpg::SkillDef strike = skillOf("strike", rpg::SchoolPhysical);
    const Case cases[] = {
        {"area", skillOf("quake", rpg::SchoolMagic, rpg::TargetAllFoes), look(rpg::FormNone, rpg::AoERain),
         rpg::WeaponBlade, {}, {0, 1, 0, 0}, 0.64, {"e0", "e1"}, Sfx::CastArcane},
        {"bow", strike, look(rpg::FormNone), rpg::WeaponBow, {"e1"}, {1, 0, 0, 0}, 0.34, {"e1"}, Sfx::Arrow},
        {"staff bolt", strike, look(rpg::FormNone), rpg::WeaponStaff, {"e0"}, {1, 0, 0, 0}, 0.34, {"e0"},
         Sfx::CastFire},
        {"melee slash", strike, look(rpg::FormNone), rpg::WeaponBlade, {"e1"}, {0, 0, 1, 0}, 0.2, {"e1"},
         Sfx::HitPhys},
        {"support aura", skillOf("mend", rpg::SchoolHealing, rpg::TargetAlly), look(rpg::FormNone),
         rpg::WeaponBlade, {"h1", "h2"}, {0, 1, 0, 2}, 0.24, {"h1", "h2"}, Sfx::Heal},
        {"form 10", skillOf("bomb", rpg::SchoolMagic), look(rpg::FormFlask), rpg::WeaponBlade, {"e0"},
         {1, 0, 0, 0}, 0.48, {"e0"}, Sfx::CastArcane},
        {"magic bolt", skillOf("bolt", rpg::SchoolMagic), look(rpg::FormNone), rpg::WeaponBlade, {"e0"},
         {1, 0, 0, 0}, 0.34, {"e0"}, Sfx::CastArcane},
        {"area with nobody left", skillOf("quake", rpg::SchoolMagic, rpg::TargetAllFoes),
         look(rpg::FormNone, rpg::AoERain), rpg::WeaponBlade, {}, {0, 0, 0, 0}, 0.34, {}, Sfx::CastArcane},
    };
    battletest::Stage st;
    for (const Case& c : cases) {
        st.reset();
        st.sc.heroes[0].equipment[rpg::EquipSlot::MainHand] = rpg::makeItem(weaponOfClass(c.weapon));
        if (c.targets.empty())
            for (const char* id : {"e0", "e1"}) st.at(id).hp = 0;
        battle::spawnFx(st.sc, st.ctx(), st.at("h1"), c.skill, c.look, c.chosen);
        EXPECT_EQ(counts(st.sc.fx), c.want) << c.what;
        const battle::PendingAct& p = st.sc.pending;
        EXPECT_TRUE(p.armed) << c.what;
        EXPECT_NEAR(p.due - st.ctx().now, c.delay, 1e-9) << c.what;
        EXPECT_EQ(p.actor, "h1") << c.what;
        EXPECT_EQ(p.skill, c.skill.id) << c.what;
        EXPECT_EQ(p.targets, c.targets) << c.what;
        EXPECT_FALSE(p.itemUse) << c.what;
        ASSERT_EQ(st.h.sounds().size(), 1u) << c.what;
        EXPECT_EQ(st.h.sounds()[0], c.sound) << c.what;
    }
}

TEST(BattleFx, WhereTheEffectsGoAndHowTheActorMoves) {
    battletest::Stage st;
    const double now = st.ctx().now;
    const double s = st.ctx().uiScale;
    const auto [hx, hy] = st.aim("h1");
    const auto [ex, ey] = st.aim("e1");

    // A bow shot flies from the archer to its target, form 2, not heavy; the archer bounces.
    st.sc.heroes[0].equipment[rpg::EquipSlot::MainHand] = rpg::makeItem(weaponOfClass(rpg::WeaponBow));
    battle::spawnFx(st.sc, st.ctx(), st.at("h1"), skillOf("strike", rpg::SchoolPhysical), look(rpg::FormNone),
                    {"e1"});
    const battle::ProjFx arrow = st.sc.fx.proj.at(0);
    EXPECT_EQ(arrow.form, rpg::FormArrow);
    EXPECT_FALSE(arrow.heavy);
    EXPECT_DOUBLE_EQ(arrow.duration, 0.32);
    EXPECT_DOUBLE_EQ(arrow.fromX, hx);
    EXPECT_DOUBLE_EQ(arrow.toY, ey);
    EXPECT_TRUE(st.sc.anims["h1"].cast);

    // A slash lands 0.12 s after the cast; the striker lunges toward its target.
    st.sc.heroes[0].equipment[rpg::EquipSlot::MainHand] = rpg::makeItem(weaponOfClass(rpg::WeaponBlade));
    st.at("h1").skillLevels["strike"] = 25;
    battle::spawnFx(st.sc, st.ctx(), st.at("h1"), skillOf("strike", rpg::SchoolPhysical), look(rpg::FormNone),
                    {"e1"});
    const battle::SlashFx slash = st.sc.fx.slash.at(0);
    EXPECT_DOUBLE_EQ(slash.start, now + 0.12);
    EXPECT_EQ(slash.kind, rpg::SlashSweep);
    EXPECT_EQ(slash.tier, 5);
    EXPECT_DOUBLE_EQ(slash.x, ex);
    const battle::UnitAnim& lunge = st.sc.anims["h1"];
    EXPECT_FALSE(lunge.cast);
    EXPECT_NE(lunge.aimX, 0);

    // A dropping spell falls from above its target.
    rpg::SpellFx drop = look(rpg::FormBolt);
    drop.lob = 1;
    st.sc.fx = {};
    battle::spawnFx(st.sc, st.ctx(), st.at("h1"), skillOf("smite", rpg::SchoolMagic), drop, {"e0"});
    const battle::ProjFx fall = st.sc.fx.proj.at(0);
    const auto [tx, ty] = st.aim("e0");
    EXPECT_DOUBLE_EQ(fall.fromX, tx + 14 * s);
    EXPECT_DOUBLE_EQ(fall.fromY, ty - 250 * s);
    EXPECT_DOUBLE_EQ(fall.toY, ty);

    // Two healed allies: an aura each and rings over both; the box spans them.
    st.sc.fx = {};
    battle::spawnFx(st.sc, st.ctx(), st.at("h1"), skillOf("mend", rpg::SchoolHealing, rpg::TargetAllAllies),
                    look(rpg::FormNone), {});
    ASSERT_EQ(st.sc.fx.aoe.size(), 1u);
    const battle::AoeFx rings = st.sc.fx.aoe[0];
    EXPECT_EQ(rings.kind, rpg::AoERings);
    EXPECT_EQ(st.sc.fx.aura.at(0).kind, rpg::AuraPlus) << "a heal's aura by its school";
    const auto [ax, ay] = st.aim("h1");
    const auto [bx, by] = st.aim("h2");
    EXPECT_DOUBLE_EQ(rings.cx, (ax + bx) / 2);
    EXPECT_DOUBLE_EQ(rings.width, std::abs(bx - ax) + 130 * s);
    (void)hy;
    (void)ay;
    (void)by;
}

TEST(BattleFx, RecordsExpireAndAnArrivingShotLeavesABurstThatFrame) {
    battletest::Stage st;
    ui::Ctx& ctx = st.ctx();
    const double now = ctx.now;
    battle::FxLists& fx = st.sc.fx;
    fx.proj.push_back({now - 0.33, 0.32, 0, 0, 300, 200, 0xFF0000, 0, rpg::FormOrb, rpg::TrailNone, 1, false});
    fx.proj.push_back({now - 0.1, 0.32, 0, 0, 300, 200, 0xFF0000, 0, rpg::FormOrb, rpg::TrailNone, 1, false});
    fx.slash.push_back({now - 0.4, 10, 10, rpg::SlashSweep, 0, 0, 1});
    fx.slash.push_back({now + 0.12, 10, 10, rpg::SlashSweep, 0, 0, 1});
    fx.aura.push_back({now - 0.5, 10, 10, rpg::AuraShield, 0, 0, 1});
    fx.column.push_back({now - 0.95, 10, 10});
    fx.link.push_back({now - 0.6, 0, 0, 10, 10, 0, 0});
    fx.flask.push_back({now - 0.79, 10, 10, 0, 0});
    fx.aoe.push_back({now - 0.7, 0.72, rpg::AoEImpact, rpg::VariantDefault, 300, 300, 200, 0, 0, 1});
    battle::drawFx(ctx, &fx);
    EXPECT_EQ(fx.proj.size(), 1u);
    ASSERT_EQ(fx.burst.size(), 1u) << "the arrived shot";
    EXPECT_EQ(fx.burst[0].x, 300);
    EXPECT_EQ(fx.burst[0].count, 10);
    EXPECT_TRUE(fx.burst[0].flash);
    EXPECT_FALSE(fx.burst[0].ring);
    EXPECT_EQ(fx.slash.size(), 1u) << "the one still to come stays";
    EXPECT_EQ(fx.aura.size(), 1u);
    EXPECT_TRUE(fx.column.empty());
    EXPECT_TRUE(fx.link.empty());
    EXPECT_EQ(fx.flask.size(), 1u);
    EXPECT_EQ(fx.aoe.size(), 1u);
}

} // namespace
