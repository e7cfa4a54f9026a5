// The heroes' commands: skills and items, choosing targets, using a bag item
// and the banner that names every action.
#include <algorithm>
#include <cmath>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/items.h"
#include "screens/battle_scene.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/theme.h"

namespace ui::battle {
namespace {

struct FlaskColors {
    std::uint32_t a, b;
};

FlaskColors flaskColors(rpg::ConsumableEffect effect) {
    switch (effect) {
    case rpg::ConsumableEffect::HealHp: return {0xD8443A, 0xFF9AA0};
    case rpg::ConsumableEffect::RestoreMp: return {0x3A72B2, 0x9FD0FF};
    case rpg::ConsumableEffect::Revive: return {0xF4E25A, 0xFFFBE0};
    case rpg::ConsumableEffect::Purify: return {0x4AC8A8, 0xC8FFE8};
    case rpg::ConsumableEffect::AttackUp: return {0xE3692A, 0xFFD08A};
    default: return {0x9AA3B2, 0xFFFFFF};
    }
}

double itemAmount(const rpg::ItemInstance& item, const rpg::ItemDef& def, const rpg::Combatant& target,
                  const rpg::Hero& owner) {
    if (def.effect == rpg::ConsumableEffect::HealHp) return rpg::consumableHeal(item, target.stats.maxHp, owner.level);
    if (def.effect == rpg::ConsumableEffect::RestoreMp)
        return rpg::consumableHeal(item, target.stats.maxMp, owner.level);
    return def.power;
}

// Starts the action at once when the actor is the one whose turn it is.
void startNow(Scene& sc, Ctx& ctx, const rpg::SkillDef& skill, const std::vector<std::string>& targets) {
    const rpg::Combatant* current = rpg::currentActor(sc.state);
    if (!current) return;
    announce(sc, ctx, *current, skill, targets);
    spawnFx(sc, ctx, *current, skill, targets);
}

void resetChoosing(Scene& sc) {
    sc.submenu = 0;
    sc.pendingSkill.clear();
    sc.item = PendingItem{};
}

} // namespace

std::string preferredEnemy(const Scene& sc) {
    const rpg::Combatant* remembered = rpg::combatant(sc.state, sc.rememberedEnemy);
    if (remembered && remembered->side == rpg::Side::Enemies && remembered->hp > 0) return remembered->id;
    for (const rpg::Combatant& c : sc.state.combatants)
        if (c.side == rpg::Side::Enemies && c.hp > 0) return c.id;
    return {};
}

void useSkill(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const std::string& skillId) {
    const rpg::SkillDef* skill = rpg::findSkill(skillId);
    if (!skill) return;
    if (skill->manaCost > actor.mp) {
        audio::play(audio::Sfx::Error);
        return;
    }
    audio::play(audio::Sfx::Click);
    switch (skill->target) {
    case rpg::TargetAllFoes:
    case rpg::TargetAllAllies:
    case rpg::TargetSelf: startNow(sc, ctx, *skill, rpg::legalTargets(sc.state, actor.id, skillId)); return;
    case rpg::TargetFoe: {
        const std::string target = preferredEnemy(sc);
        if (target.empty()) sc.pendingSkill = skillId;
        else startNow(sc, ctx, *skill, {target});
        return;
    }
    default: sc.pendingSkill = skillId; return;
    }
}

void useItem(Scene& sc, Ctx& ctx, rpg::Hero* owner, std::size_t index, const std::string& targetId) {
    if (!owner || index >= owner->bag.size()) return;
    const rpg::ItemInstance item = owner->bag[index];
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    if (!def || def->effect == rpg::ConsumableEffect::None) return;
    const rpg::Combatant* target = rpg::combatant(sc.state, targetId);
    if (!target) return;
    const double amount = itemAmount(item, *def, *target, *owner);
    audio::play(audio::Sfx::Success);
    double x = 0, y = 0;
    if (posOf(sc, ctx, targetId, &x, &y)) {
        const FlaskColors c = flaskColors(def->effect);
        sc.fx.flask.push_back({ctx.now, x, y, c.a, c.b});
    }
    const rpg::Combatant* current = rpg::currentActor(sc.state);
    const std::string actorId = current ? current->id : std::string();
    if (current) startActorAnim(sc, ctx, actorId, false, std::string());
    // Spent at once, so a lost or abandoned battle cannot give it back.
    owner->bag.erase(owner->bag.begin() + static_cast<std::ptrdiff_t>(index));
    store::saveMeta();
    PendingAct& p = sc.pending;
    p = PendingAct{};
    p.armed = true;
    p.due = ctx.now + 0.26;
    p.actor = actorId;
    p.targets = {targetId};
    p.itemUse = true;
    p.effect = def->effect;
    p.amount = amount;
}

bool targetable(const Scene& sc, const rpg::Combatant& unit) {
    const bool alive = unit.hp > 0;
    if (sc.item.active) {
        if (unit.side != rpg::Side::Heroes) return false;
        return sc.item.effect == rpg::ConsumableEffect::Revive ? !alive : alive;
    }
    const rpg::SkillDef* skill = sc.pendingSkill.empty() ? nullptr : rpg::findSkill(sc.pendingSkill);
    if (!skill) return false;
    const rpg::Side side = skill->target == rpg::TargetFoe ? rpg::Side::Enemies : rpg::Side::Heroes;
    if (unit.side != side) return false;
    return skill->target == rpg::TargetFallenAlly ? !alive : alive;
}

void clickUnit(Scene& sc, Ctx& ctx, const std::string& id) {
    const rpg::Combatant* unit = rpg::combatant(sc.state, id);
    if (!unit) return;
    if (sc.item.active && targetable(sc, *unit)) {
        const PendingItem item = std::exchange(sc.item, PendingItem{});
        rpg::Hero* owner = store::heroById(item.owner);
        if (owner && item.index < owner->bag.size()) useItem(sc, ctx, owner, item.index, id);
        return;
    }
    if (!sc.pendingSkill.empty() && targetable(sc, *unit)) {
        const std::string skill = std::exchange(sc.pendingSkill, std::string());
        if (unit->side == rpg::Side::Enemies) sc.rememberedEnemy = id;
        act(sc, ctx, skill, {id});
        return;
    }
    if (unit->side == rpg::Side::Enemies && unit->hp > 0) {
        sc.rememberedEnemy = id;
        audio::play(audio::Sfx::Click);
    }
}

void announce(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const rpg::SkillDef& skill,
              const std::vector<std::string>& targets) {
    std::string target;
    if (targets.size() == 1) {
        if (const rpg::Combatant* t = rpg::combatant(sc.state, targets.front())) target = combatantName(*t);
    } else if (targets.size() > 1) {
        target = i18n::tr("battle.allTargets");
    }
    sc.banner = combatantName(actor) + "  \xC2\xB7  " + i18n::tr(skill.nameKey);
    if (!target.empty()) sc.banner += "  >  " + target;
    sc.bannerTime = ctx.now;
}

void drawEmptyPanel(Scene& sc, Ctx& ctx) {
    const double s = ctx.uiScale;
    const double y = ctx.height - kPanelH * s;
    fillRect(ctx.cr, {0, y, ctx.width, kPanelH * s}, 0x140D09, 0.88);
    fillRect(ctx.cr, {0, y, ctx.width, 3 * s}, theme::kBevelDark);
    resetChoosing(sc);
}

double submenuH(const Scene&, int, Ctx&, const rpg::Combatant*) { return 0; }

void drawPanel(Scene& sc, Ctx& ctx, double, const rpg::Combatant*) { drawEmptyPanel(sc, ctx); }

} // namespace ui::battle
