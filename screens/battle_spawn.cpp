// Effect spawning: what a cast looks like, where its effects go and when
// its action lands.
#include <algorithm>
#include <string>
#include <vector>

#include "fx/fx.h"
#include "rules/items.h"
#include "screens/battle_fx.h"
#include "screens/battle_scene.h"
#include "ui/theme.h"

namespace ui::battle {
namespace {

using audio::Sfx;

// --- Where effects go ---

struct Point {
    double x = 0, y = 0;
};

// The middle and width of the box over the targets that stand somewhere.
struct GroupBox {
    bool found = false;
    double cx = 0, cy = 0, width = 0;
};

GroupBox groupBox(const Scene& sc, Ctx& ctx, const std::vector<std::string>& ids) {
    GroupBox box;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    for (const std::string& id : ids) {
        double x = 0, y = 0;
        if (!posOf(sc, ctx, id, &x, &y)) continue;
        x0 = box.found ? std::min(x0, x) : x;
        x1 = box.found ? std::max(x1, x) : x;
        y0 = box.found ? std::min(y0, y) : y;
        y1 = box.found ? std::max(y1, y) : y;
        box.found = true;
    }
    box.cx = (x0 + x1) / 2;
    box.cy = (y0 + y1) / 2;
    box.width = x1 - x0 + 130 * ctx.uiScale;
    return box;
}

// Whom the action reaches: a whole side, the actor, or the chosen ids.
std::vector<std::string> effectTargets(const Scene& sc, const rpg::Combatant& actor, const rpg::SkillDef& skill,
                                       const std::vector<std::string>& chosen) {
    const rpg::Side foes = actor.side == rpg::Side::Heroes ? rpg::Side::Enemies : rpg::Side::Heroes;
    switch (skill.target) {
    case rpg::TargetAllAllies: return rpg::aliveIdsOnSide(sc.state, actor.side);
    case rpg::TargetAllFoes: return rpg::aliveIdsOnSide(sc.state, foes);
    case rpg::TargetSelf: return {actor.id};
    default: return chosen;
    }
}

int actorTier(const rpg::Combatant& actor, const rpg::SkillDef& skill) {
    const auto it = actor.skillLevels.find(skill.id);
    return tierFor(it == actor.skillLevels.end() ? 1 : it->second);
}

// One cast: what it looks like, and what every spawner needs to know.
struct Cast {
    Scene& sc;
    Ctx& ctx;
    const rpg::Combatant& actor;
    const rpg::SkillDef& skill;
    const rpg::SpellFx look;
    const std::vector<std::string>& targets;
    int tier;
};

void castAnim(const Cast& c) { startActorAnim(c.sc, c.ctx, c.actor.id, false, std::string()); }

// Projectiles from the actor (or from above) onto every target that stands somewhere.
void shoot(const Cast& c, rpg::FxForm form, rpg::FxTrail trail, std::uint32_t a, std::uint32_t b, double duration,
           bool fromAbove) {
    const double s = c.ctx.uiScale;
    Point from;
    if (!fromAbove && !posOf(c.sc, c.ctx, c.actor.id, &from.x, &from.y)) return;
    for (const std::string& id : c.targets) {
        Point to;
        if (!posOf(c.sc, c.ctx, id, &to.x, &to.y)) continue;
        if (fromAbove) from = {to.x + 14 * s, to.y - 250 * s};
        const bool heavy = form == rpg::FormFlask;
        c.sc.fx.proj.push_back({c.ctx.now, duration, from.x, from.y, to.x, to.y, a, b, form, trail, c.tier, heavy});
    }
}

double areaSkill(const Cast& c) {
    audio::play(castSfx(c.skill));
    const GroupBox box = groupBox(c.sc, c.ctx, c.targets);
    if (box.found) {
        c.sc.fx.aoe.push_back({c.ctx.now, aoeDuration(c.look.aoe), c.look.aoe, c.look.variant, box.cx, box.cy,
                               box.width, c.look.colourA, c.look.colourB, c.tier});
    }
    castAnim(c);
    return aoeImpactDelay(c.look.aoe);  // seconds here, though the effect calls it a fraction
}

double projectileSkill(const Cast& c) {
    audio::play(castSfx(c.skill));
    const bool heavy = c.look.form == rpg::FormFlask;
    if (!c.targets.empty()) {
        const rpg::FxForm form = c.look.form == rpg::FormNone ? rpg::FormOrb : c.look.form;
        shoot(c, form, c.look.trail, c.look.colourA, c.look.colourB, heavy ? 0.48 : 0.32, c.look.lob != 0);
    }
    castAnim(c);
    return heavy ? 0.48 : 0.34;
}

double meleeSkill(const Cast& c, const std::vector<std::string>& chosen) {
    audio::play(castSfx(c.skill));
    const std::vector<std::string>& ids = c.targets.empty() ? chosen : c.targets;
    const std::string struck = ids.empty() ? std::string() : ids.front();
    Point at;
    if (!struck.empty() && posOf(c.sc, c.ctx, struck, &at.x, &at.y)) {
        const rpg::SlashKind kind = c.look.slash == rpg::SlashNone ? rpg::SlashSweep : c.look.slash;
        c.sc.fx.slash.push_back({c.ctx.now + 0.12, at.x, at.y, kind, c.look.colourA, c.look.colourB, c.tier});
    }
    startActorAnim(c.sc, c.ctx, c.actor.id, true, struck);
    return 0.2;
}

double physicalSkill(const Cast& c, const std::vector<std::string>& chosen) {
    const int weapon = weaponClassOf(c.sc, c.actor);
    if (weapon == rpg::WeaponBow) {
        audio::play(Sfx::Arrow);
        const rpg::FxForm form = c.look.form == rpg::FormNone ? rpg::FormArrow : c.look.form;
        shoot(c, form, c.look.trail, c.look.colourA, c.look.colourB, 0.32, false);
        castAnim(c);
        return 0.34;
    }
    if (weapon == rpg::WeaponStaff) {
        audio::play(Sfx::CastFire);
        shoot(c, rpg::FormOrb, rpg::TrailEmber, theme::kEmberCore, theme::kEmberGlow, 0.32, false);
        castAnim(c);
        return 0.34;
    }
    if (c.look.form != rpg::FormNone) return projectileSkill(c);
    return meleeSkill(c, chosen);
}

rpg::AuraKind auraKindFor(const Cast& c) {
    if (c.look.aura != rpg::AuraNone) return c.look.aura;
    if (c.skill.school == rpg::SchoolHealing) return rpg::AuraPlus;
    if (c.skill.school == rpg::SchoolRevive) return rpg::AuraStreaks;
    return rpg::AuraShield;
}

double supportSkill(const Cast& c, const std::vector<std::string>& chosen) {
    audio::play(castSfx(c.skill));
    std::vector<std::string> ids = !c.targets.empty() ? c.targets : chosen;
    if (ids.empty()) ids.push_back(c.actor.id);
    const rpg::AuraKind kind = auraKindFor(c);
    std::vector<std::string> shown;
    for (const std::string& id : ids) {
        Point at;
        if (!posOf(c.sc, c.ctx, id, &at.x, &at.y)) continue;
        c.sc.fx.aura.push_back({c.ctx.now, at.x, at.y, kind, c.look.colourA, c.look.colourB, c.tier});
        shown.push_back(id);
    }
    if (shown.size() > 1) {
        const GroupBox box = groupBox(c.sc, c.ctx, shown);
        c.sc.fx.aoe.push_back({c.ctx.now, aoeDuration(rpg::AoERings), rpg::AoERings, rpg::VariantDefault, box.cx,
                               box.cy, box.width, c.look.colourA, c.look.colourB, c.tier});
    }
    castAnim(c);
    return 0.24;
}

} // namespace

int weaponClassOf(const Scene& sc, const rpg::Combatant& actor) {
    if (actor.heroId.empty()) return rpg::WeaponNone;
    for (const rpg::Hero& h : sc.heroes) {
        if (h.id != actor.heroId) continue;
        const rpg::ItemDef* def = rpg::findItem(h.equipment[rpg::EquipSlot::MainHand].defId);
        return def ? def->weaponClass : static_cast<int>(rpg::WeaponNone);
    }
    return rpg::WeaponNone;
}

void spawnFx(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const rpg::SkillDef& skill,
             const std::vector<std::string>& chosen) {
    spawnFx(sc, ctx, actor, skill, spellFxOf(skill.id), chosen);
}

void spawnFx(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const rpg::SkillDef& skill, const rpg::SpellFx& look,
             const std::vector<std::string>& chosen) {
    const std::vector<std::string> targets = effectTargets(sc, actor, skill, chosen);
    const Cast c{sc, ctx, actor, skill, look, targets, actorTier(actor, skill)};
    double delay = 0;
    if (c.look.aoe != rpg::AoENone && !targets.empty()) delay = areaSkill(c);
    else if (skill.school == rpg::SchoolMagic) delay = projectileSkill(c);
    else if (skill.school == rpg::SchoolPhysical) delay = physicalSkill(c, chosen);
    else delay = supportSkill(c, chosen);
    PendingAct& p = sc.pending;
    p = PendingAct{};
    p.armed = true;
    p.due = ctx.now + delay;
    p.actor = actor.id;
    p.skill = skill.id;
    p.targets = targets;
}

} // namespace ui::battle
