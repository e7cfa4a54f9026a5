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

// --- Panel ---

constexpr double kRowH = 30;      // times s
constexpr double kRowStep = 34;   // times s
constexpr double kBoxMaxH = 300;  // times s
constexpr std::uint32_t kDimText = 0x6E5D44;

// The skills a hero's skills box lists.
std::vector<const rpg::SkillDef*> menuSkills(const rpg::Combatant& actor) {
    std::vector<const rpg::SkillDef*> out;
    for (const std::string& id : actor.skills) {
        if (id == "attack" || id == "defend") continue;
        if (const rpg::SkillDef* skill = rpg::findSkill(id)) out.push_back(skill);
    }
    return out;
}

// The battle's bevelled button; true when it takes the frame's click.
bool panelButton(Scene& sc, Ctx& ctx, const Rect& r, const std::string& label, bool selected) {
    const double s = ctx.uiScale;
    cairo_t* cr = ctx.cr;
    const double t = std::max(3 * s, 2.0);
    fillRect(cr, r, selected ? theme::kDarkerPanel : theme::kDarkPanel);
    const std::uint32_t light = selected ? theme::kDeepGold : theme::kBevelLight;
    fillRect(cr, {r.x, r.y, r.w, t}, light);
    fillRect(cr, {r.x, r.y, t, r.h}, light);
    fillRect(cr, {r.x, r.y + r.h - t, r.w, t}, theme::kBevelDark);
    fillRect(cr, {r.x + r.w - t, r.y, t, r.h}, theme::kBevelDark);
    if (ctx.hover(r)) strokeRoundedRect(cr, r, 0, 1.5 * s, theme::kLightGold, 0.6);
    TextStyle st;
    st.size = std::round(15 * s);
    st.bold = true;
    st.upperCase = true;
    st.letterSpacing = s;
    st.color = selected ? theme::kLightGold : theme::kCreamText;
    st.fitWidth = r.w - 16 * s;
    sc.texts.drawCentered(cr, r.x + r.w / 2, r.y + r.h / 2, label, st);
    return ctx.takeClick(r);
}

void drawTargeting(Scene& sc, Ctx& ctx, double y) {
    const double s = ctx.uiScale;
    std::string label = sc.item.name;
    if (!sc.item.active) {
        const rpg::SkillDef* skill = rpg::findSkill(sc.pendingSkill);
        label = skill ? i18n::tr(skill->nameKey) : std::string();
    }
    TextStyle st;
    st.size = std::round(15 * s);
    st.bold = true;
    st.color = theme::kLightGold;
    st.letterSpacing = s;
    st.fitWidth = ctx.width - 40 * s;
    sc.texts.drawCentered(ctx.cr, ctx.width / 2, y + 12 * s + 13 * s, "\xC2\xBB " + label + " \xC2\xAB", st);
    const double bw = commandButtonWidth(ctx.width, ctx.uiScale);
    if (panelButton(sc, ctx, {ctx.width / 2 - bw / 2, y + 44 * s, bw, 40 * s}, i18n::tr("common.cancel"), false)) {
        audio::play(audio::Sfx::Click);
        sc.pendingSkill.clear();
        sc.item = PendingItem{};
    }
}

// One row of a box: its fill, and its name from x + 8s.
void rowName(Scene& sc, Ctx& ctx, const Rect& row, const std::string& name, std::uint32_t color, double fit) {
    const double s = ctx.uiScale;
    TextStyle st;
    st.size = std::round(13 * s);
    st.color = color;
    st.fitWidth = fit;
    sc.texts.draw(ctx.cr, row.x + 8 * s, row.y + row.h / 2 - 7 * s, name, st);
}

void drawSkillRows(Scene& sc, Ctx& ctx, const Rect& box, const rpg::Combatant& actor) {
    const double s = ctx.uiScale;
    Rect row{box.x + 6 * s, box.y + 6 * s, box.w - 12 * s, kRowH * s};
    for (const rpg::SkillDef* skill : menuSkills(actor)) {
        if (row.y + row.h > box.y + box.h) break;
        const bool affordable = actor.mp >= skill->manaCost;
        const std::uint32_t fill = affordable && ctx.hover(row) ? theme::kDarkPanel : theme::kDarkerPanel;
        fillRect(ctx.cr, row, fill, affordable ? 1 : 0.5);
        rowName(sc, ctx, row, i18n::tr(skill->nameKey), affordable ? theme::kCreamText : kDimText, row.w - 90 * s);
        if (skill->manaCost > 0) {
            TextStyle cost;
            cost.size = std::round(12 * s);
            cost.color = affordable ? 0x3A72B2 : kDimText;
            cost.align = 2;
            sc.texts.draw(ctx.cr, row.x + row.w - 8 * s, row.y + row.h / 2 - 6 * s,
                          num(skill->manaCost) + " " + i18n::tr("stat.mp"), cost);
        }
        if (ctx.takeClick(row)) {
            if (!affordable) {
                audio::play(audio::Sfx::Error);
                addFloat(sc, ctx, i18n::tr("battle.noMp"), row.x + row.w / 2, row.y, 0xC2382F);
            } else {
                sc.submenu = 0;
                useSkill(sc, ctx, actor, skill->id);
                return;
            }
        }
        row.y += kRowStep * s;
    }
}

void drawItemRows(Scene& sc, Ctx& ctx, const Rect& box, const rpg::Combatant& actor) {
    const double s = ctx.uiScale;
    const rpg::Hero* hero = store::heroById(actor.heroId);
    if (!hero || hero->bag.empty()) {
        TextStyle st;
        st.size = std::round(13 * s);
        st.color = theme::kMutedText;
        sc.texts.drawCentered(ctx.cr, box.x + box.w / 2, box.y + box.h / 2, i18n::tr("party.bagEmpty"), st);
        return;
    }
    Rect row{box.x + 6 * s, box.y + 6 * s, box.w - 12 * s, kRowH * s};
    for (std::size_t i = 0; i < hero->bag.size() && row.y + row.h <= box.y + box.h; ++i, row.y += kRowStep * s) {
        const rpg::ItemInstance& item = hero->bag[i];
        fillRect(ctx.cr, row, ctx.hover(row) ? theme::kDarkPanel : theme::kDarkerPanel);
        rowName(sc, ctx, row, itemName(item), theme::kCreamText, row.w - 16 * s);
        if (!ctx.takeClick(row)) continue;
        audio::play(audio::Sfx::Click);
        sc.submenu = 0;
        const rpg::ItemDef* def = rpg::findItem(item.defId);
        sc.item = {true, hero->id, itemName(item), i, def ? def->effect : rpg::ConsumableEffect::None};
        return;
    }
}

void drawSubmenu(Scene& sc, Ctx& ctx, double panelY, const rpg::Combatant& actor) {
    const double s = ctx.uiScale;
    const double h = submenuH(sc, sc.submenu, ctx, &actor);
    if (h <= 0) return;
    const double w = std::min(420 * s, ctx.width / 2);
    const Rect box{ctx.width / 2 - w / 2, panelY - h - 8 * s, w, h};
    fillRoundedRect(ctx.cr, box, 6 * s, 0x140D09, 0.97);
    strokeRoundedRect(ctx.cr, box, 6 * s, 2 * s, theme::kBrownBorder);
    if (sc.submenu == 1) drawSkillRows(sc, ctx, box, actor);
    else drawItemRows(sc, ctx, box, actor);
}

void drawCommands(Scene& sc, Ctx& ctx) {
    const char* const keys[] = {"battle.attack", "battle.skills", "battle.item", "battle.defend"};
    for (int i = 0; i < 4; ++i) {
        const std::string label = i18n::tr(keys[i]) + (i == 1 || i == 2 ? "  >" : "");
        const Rect r = commandButton(ctx.width, ctx.height, ctx.uiScale, i);
        if (!panelButton(sc, ctx, r, label, (i == 1 || i == 2) && sc.submenu == i)) continue;
        audio::play(audio::Sfx::Click);
        // The acting hero, looked up again: the pointer the frame holds may not outlive a step.
        const rpg::Combatant* actor = rpg::currentActor(sc.state);
        if (i == 1 || i == 2) {
            sc.submenu = sc.submenu == i ? 0 : i;
            continue;
        }
        sc.submenu = 0;
        if (actor) useSkill(sc, ctx, *actor, i == 0 ? "attack" : "defend");
        return;
    }
}

} // namespace

double itemAmount(const rpg::ItemInstance& item, const rpg::ItemDef& def, const rpg::Combatant& target,
                  const rpg::Hero& owner) {
    if (def.effect == rpg::ConsumableEffect::HealHp) return rpg::consumableHeal(item, target.stats.maxHp, owner.level);
    if (def.effect == rpg::ConsumableEffect::RestoreMp)
        return rpg::consumableHeal(item, target.stats.maxMp, owner.level);
    return def.power;
}

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
    // A right-to-left language reads the line from the right even when it
    // opens with a hero's Latin name: the mark sets the line's direction.
    sc.banner = i18n::currentIsRtl() ? "\u200F" : "";
    sc.banner += combatantName(actor) + "  \xC2\xB7  " + i18n::tr(skill.nameKey);
    if (!target.empty()) sc.banner += std::string("  ") + targetArrow() + "  " + target;
    sc.bannerTime = ctx.now;
}

void drawEmptyPanel(Scene& sc, Ctx& ctx) {
    const double s = ctx.uiScale;
    const double y = ctx.height - kPanelH * s;
    fillRect(ctx.cr, {0, y, ctx.width, kPanelH * s}, 0x140D09, 0.88);
    fillRect(ctx.cr, {0, y, ctx.width, 3 * s}, theme::kBevelDark);
    resetChoosing(sc);
}

double submenuH(const Scene& /*sc*/, int submenu, Ctx& ctx, const rpg::Combatant* actor) {
    const double s = ctx.uiScale;
    const double row = kRowH * s + 4 * s;
    if (submenu == 1) {
        const std::size_t n = actor ? menuSkills(*actor).size() : 0;
        return n == 0 ? 0 : std::min(row * n + 12 * s, kBoxMaxH * s);
    }
    if (submenu == 2) {
        const rpg::Hero* hero = actor ? store::heroById(actor->heroId) : nullptr;
        const std::size_t n = hero ? hero->bag.size() : 0;
        return std::max(std::min(row * n + 12 * s, kBoxMaxH * s), 48 * s);
    }
    return 0;
}

void drawPanel(Scene& sc, Ctx& ctx, double panelH, const rpg::Combatant* actor) {
    const double s = ctx.uiScale;
    const double y = ctx.height - panelH;
    fillRect(ctx.cr, {0, y, ctx.width, panelH}, 0x140D09, 0.88);
    fillRect(ctx.cr, {0, y, ctx.width, 3 * s}, theme::kBevelDark);
    if (!actor) {
        resetChoosing(sc);
        return;
    }
    if (sc.item.active || !sc.pendingSkill.empty()) {
        drawTargeting(sc, ctx, y);
        return;
    }
    if (sc.submenu == 1 || sc.submenu == 2) drawSubmenu(sc, ctx, y, *actor);
    drawCommands(sc, ctx);
}

} // namespace ui::battle
