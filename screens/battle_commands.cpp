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
    case rpg::ConsumableEffect::HealHp: return {theme::kHealCore, theme::kHealGlow};
    case rpg::ConsumableEffect::RestoreMp: return {theme::kManaCore, theme::kManaGlow};
    case rpg::ConsumableEffect::Revive: return {theme::kReviveCore, theme::kReviveGlow};
    case rpg::ConsumableEffect::Purify: return {theme::kPurifyCore, theme::kPurifyGlow};
    case rpg::ConsumableEffect::AttackUp: return {theme::kAttackUpCore, theme::kAttackUpGlow};
    default: return {theme::kItemCore, theme::kItemGlow};
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
    sc.submenu = Submenu::None;
    sc.page = 0;
    sc.pendingSkill.clear();
    sc.item = PendingItem{};
}

// --- Panel ---

constexpr double kRowH = 30;      // times s
constexpr double kRowStep = 34;   // times s
constexpr double kBoxMaxH = 300;  // times s
constexpr double kPagerW = 44;    // times s: each of the pager's buttons

// The skills a hero's skills box lists.
std::vector<const rpg::SkillDef*> menuSkills(const rpg::Combatant& actor) {
    std::vector<const rpg::SkillDef*> out;
    for (const std::string& id : actor.skills) {
        if (id == "attack" || id == "defend") continue;
        if (const rpg::SkillDef* skill = rpg::findSkill(id)) out.push_back(skill);
    }
    return out;
}

std::size_t entryCount(Submenu submenu, const rpg::Combatant* actor) {
    if (!actor) return 0;
    if (submenu == Submenu::Skills) return menuSkills(*actor).size();
    const rpg::Hero* hero = store::heroById(actor->heroId);
    return submenu == Submenu::Items && hero ? hero->bag.size() : 0;
}

bool anyoneFallen(const Scene& sc) {
    return std::any_of(sc.state.combatants.begin(), sc.state.combatants.end(),
                       [](const rpg::Combatant& c) { return c.side == rpg::Side::Heroes && c.hp <= 0; });
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

// One row of a box: its name from x + 8s and, right-aligned, a note (the
// mana cost or why the entry is blocked); the name takes what the note leaves.
void drawRow(Scene& sc, Ctx& ctx, const Rect& row, const std::string& name, std::uint32_t nameColor,
             const std::string& note, std::uint32_t noteColor) {
    const double s = ctx.uiScale;
    TextStyle ns;
    ns.size = std::round(12 * s);
    ns.color = noteColor;
    ns.align = Align::Right;
    ns.fitWidth = 0.55 * row.w;
    ns.minFit = 0.75;
    const std::string& noteText = sc.texts.elided(ctx.cr, note, ns, 0.55 * row.w);
    const double noteW = note.empty() ? 0 : sc.texts.measure(ctx.cr, noteText, ns).w + 12 * s;
    if (!note.empty()) sc.texts.draw(ctx.cr, row.x + row.w - 8 * s, row.y + row.h / 2 - 6 * s, noteText, ns);
    TextStyle st;
    st.size = std::round(13 * s);
    st.color = nameColor;
    st.fitWidth = std::max(row.w - 16 * s - noteW, 1.0);
    sc.texts.draw(ctx.cr, row.x + 8 * s, row.y + row.h / 2 - 7 * s, sc.texts.elided(ctx.cr, name, st, st.fitWidth), st);
}

void fillRow(Ctx& ctx, const Rect& row, bool open) {
    fillRect(ctx.cr, row, open && ctx.hover(row) ? theme::kDarkPanel : theme::kDarkerPanel, open ? 1 : 0.5);
}

void drawSkillRows(Scene& sc, Ctx& ctx, const SubmenuBox& box, const rpg::Combatant& actor) {
    const std::vector<const rpg::SkillDef*> skills = menuSkills(actor);
    for (const BoxEntry& e : box.rows) {
        const rpg::SkillDef& skill = *skills[e.index];
        const char* block = skillBlock(sc, actor, skill);
        const bool affordable = actor.mp >= skill.manaCost;
        const bool open = affordable && !block;
        fillRow(ctx, e.row, open);
        std::string note;
        if (block) note = i18n::tr(block);
        else if (skill.manaCost > 0) note = num(skill.manaCost) + " " + i18n::tr("stat.mp");
        const std::uint32_t noteColor = block ? theme::kMutedText : affordable ? theme::kManaText : theme::kDimText;
        drawRow(sc, ctx, e.row, i18n::tr(skill.nameKey), open ? theme::kCreamText : theme::kDimText, note, noteColor);
        if (block || !ctx.takeClick(e.row)) continue;
        if (!affordable) {
            audio::play(audio::Sfx::Error);
            addFloat(sc, ctx, i18n::tr("battle.noMp"), e.row.x + e.row.w / 2, e.row.y + e.row.h / 2, theme::kDangerRed,
                     true);
            continue;
        }
        sc.submenu = Submenu::None;
        useSkill(sc, ctx, actor, skill.id);
        return;
    }
}

void drawItemRows(Scene& sc, Ctx& ctx, const SubmenuBox& box, const rpg::Combatant& actor) {
    const double s = ctx.uiScale;
    const rpg::Hero* hero = store::heroById(actor.heroId);
    if (!hero || hero->bag.empty()) {
        TextStyle st;
        st.size = std::round(13 * s);
        st.color = theme::kMutedText;
        sc.texts.drawCentered(ctx.cr, box.box.x + box.box.w / 2, box.box.y + box.box.h / 2, i18n::tr("party.bagEmpty"),
                              st);
        return;
    }
    for (const BoxEntry& e : box.rows) {
        const rpg::ItemInstance& item = hero->bag[e.index];
        const char* block = itemBlock(sc, item);
        fillRow(ctx, e.row, !block);
        drawRow(sc, ctx, e.row, itemName(item), block ? theme::kDimText : theme::kCreamText,
                block ? i18n::tr(block) : "", theme::kMutedText);
        if (block || !ctx.takeClick(e.row)) continue;
        audio::play(audio::Sfx::Click);
        sc.submenu = Submenu::None;
        const rpg::ItemDef* def = rpg::findItem(item.defId);
        sc.item = {true, hero->id, itemName(item), e.index, def ? def->effect : rpg::ConsumableEffect::None};
        return;
    }
}

// "‹  2 / 3  ›" in the box's last row; the arrows turn the page.
void drawPager(Scene& sc, Ctx& ctx, const SubmenuBox& box) {
    const double s = ctx.uiScale;
    TextStyle st;
    st.size = std::round(12 * s);
    st.color = theme::kCreamText;
    const double cy = box.prev.y + box.prev.h / 2;
    sc.texts.drawCentered(ctx.cr, box.box.x + box.box.w / 2, cy,
                          num(box.page + 1) + " / " + num(box.pages), st);
    const Rect* const buttons[] = {&box.prev, &box.next};
    for (int i = 0; i < 2; ++i) {
        const Rect& r = *buttons[i];
        const bool open = i == 0 ? box.page > 0 : box.page + 1 < box.pages;
        fillRow(ctx, r, open);
        drawTriangleIcon(ctx.cr, r.x + r.w / 2, cy, 12 * s, i == 0 ? 3 : 1, open ? theme::kLightGold : theme::kDimText);
        if (!open || !ctx.takeClick(r)) continue;
        audio::play(audio::Sfx::Click);
        sc.page = box.page + (i == 0 ? -1 : 1);
    }
}

void drawSubmenu(Scene& sc, Ctx& ctx, const rpg::Combatant& actor) {
    const double s = ctx.uiScale;
    const SubmenuBox box = submenuBox(sc, sc.submenu, ctx, &actor);
    if (box.box.h <= 0) return;
    sc.page = box.page;
    fillRoundedRect(ctx.cr, box.box, 6 * s, theme::kPlateDark);  // opaque: the units under it do not show through
    strokeRoundedRect(ctx.cr, box.box, 6 * s, 2 * s, theme::kBrownBorder);
    if (box.pages > 1) drawPager(sc, ctx, box);
    if (sc.submenu == Submenu::Skills) drawSkillRows(sc, ctx, box, actor);
    else drawItemRows(sc, ctx, box, actor);
    // The box is solid: a click on a blocked row or between rows does nothing.
    ctx.takeClick(box.box);
}

void drawCommands(Scene& sc, Ctx& ctx) {
    // The four buttons in order: attack, skills, item, defend; the middle
    // two open their box.
    struct Command {
        const char* key;
        Submenu opens;
        const char* skill;
    };
    static constexpr Command kCommands[] = {{"battle.attack", Submenu::None, "attack"},
                                            {"battle.skills", Submenu::Skills, nullptr},
                                            {"battle.item", Submenu::Items, nullptr},
                                            {"battle.defend", Submenu::None, "defend"}};
    for (int i = 0; i < 4; ++i) {
        const Command& cmd = kCommands[i];
        const bool opensBox = cmd.opens != Submenu::None;
        const std::string label = opensBox ? i18n::tr(cmd.key) + "  " + moreMark() : i18n::tr(cmd.key);
        const Rect r = commandButton(ctx.width, ctx.height, ctx.uiScale, i);
        if (!panelButton(sc, ctx, r, label, opensBox && sc.submenu == cmd.opens)) continue;
        audio::play(audio::Sfx::Click);
        // The acting hero, looked up again: the pointer the frame holds may not outlive a step.
        const rpg::Combatant* actor = rpg::currentActor(sc.state);
        if (opensBox) {
            sc.submenu = sc.submenu == cmd.opens ? Submenu::None : cmd.opens;
            sc.page = 0;
            continue;
        }
        sc.submenu = Submenu::None;
        if (actor) useSkill(sc, ctx, *actor, cmd.skill);
        return;
    }
}

} // namespace

std::string preferredEnemy(const Scene& sc) {
    const rpg::Combatant* remembered = rpg::combatant(sc.state, sc.rememberedEnemy);
    if (remembered && remembered->side == rpg::Side::Enemies && remembered->hp > 0) return remembered->id;
    for (const rpg::Combatant& c : sc.state.combatants)
        if (c.side == rpg::Side::Enemies && c.hp > 0) return c.id;
    return {};
}

const char* skillBlock(const Scene& sc, const rpg::Combatant& actor, const rpg::SkillDef& skill) {
    if (skill.target == rpg::TargetFallenAlly && rpg::legalTargets(sc.state, actor.id, skill.id).empty())
        return "battle.nobodyFallen";
    return nullptr;
}

const char* itemBlock(const Scene& sc, const rpg::ItemInstance& item) {
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    if (!def || def->effect == rpg::ConsumableEffect::None) return "battle.notInBattle";
    if (def->effect == rpg::ConsumableEffect::Revive && !anyoneFallen(sc)) return "battle.nobodyFallen";
    return nullptr;
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
    const double amount = play::itemAmount(item, *def, *target, *owner);
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
    play::spendBagItem(owner->id, index);
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
    fillRect(ctx.cr, {0, y, ctx.width, kPanelH * s}, theme::kPlateDark, 0.88);
    fillRect(ctx.cr, {0, y, ctx.width, 3 * s}, theme::kBevelDark);
    resetChoosing(sc);
}

SubmenuBox submenuBox(const Scene& sc, Submenu submenu, Ctx& ctx, const rpg::Combatant* actor) {
    SubmenuBox out;
    if (submenu == Submenu::None) return out;
    const double s = ctx.uiScale;
    const std::size_t n = entryCount(submenu, actor);
    if (submenu == Submenu::Skills && n == 0) return out;
    const double step = kRowStep * s;
    const std::size_t fit = static_cast<std::size_t>(std::floor((kBoxMaxH * s - 12 * s + 4 * s) / step + 1e-9));
    const std::size_t perPage = n > fit ? fit - 1 : fit;  // the last row turns the pages
    out.pages = n > fit ? static_cast<int>((n + perPage - 1) / perPage) : 1;
    out.page = std::clamp(sc.page, 0, out.pages - 1);
    const double h = std::max((n > fit ? fit : n) * step + 12 * s, submenu == Submenu::Items ? 48 * s : 0.0);
    const double w = std::min(420 * s, ctx.width / 2);
    out.box = {ctx.width / 2 - w / 2, ctx.height - kPanelH * s - h - 8 * s, w, h};
    Rect row{out.box.x + 6 * s, out.box.y + 6 * s, w - 12 * s, kRowH * s};
    const std::size_t first = static_cast<std::size_t>(out.page) * perPage;
    for (std::size_t i = first; i < n && i < first + perPage; ++i, row.y += step) out.rows.push_back({i, row});
    if (out.pages > 1) {
        const double y = out.box.y + 6 * s + static_cast<double>(fit - 1) * step;
        out.prev = {row.x, y, kPagerW * s, kRowH * s};
        out.next = {row.x + row.w - kPagerW * s, y, kPagerW * s, kRowH * s};
    }
    return out;
}

double submenuH(const Scene& sc, Submenu submenu, Ctx& ctx, const rpg::Combatant* actor) {
    return submenuBox(sc, submenu, ctx, actor).box.h;
}

void drawPanel(Scene& sc, Ctx& ctx, double panelH, const rpg::Combatant* actor) {
    const double s = ctx.uiScale;
    const double y = ctx.height - panelH;
    fillRect(ctx.cr, {0, y, ctx.width, panelH}, theme::kPlateDark, 0.88);
    fillRect(ctx.cr, {0, y, ctx.width, 3 * s}, theme::kBevelDark);
    if (!actor) {
        resetChoosing(sc);
        return;
    }
    if (sc.item.active || !sc.pendingSkill.empty()) {
        drawTargeting(sc, ctx, y);
        return;
    }
    if (sc.submenu != Submenu::None) drawSubmenu(sc, ctx, *actor);
    drawCommands(sc, ctx);
}

} // namespace ui::battle
