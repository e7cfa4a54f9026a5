// The units on the floor: their slots this frame, where effects aim at them,
// their sprites with animations, cards, chips, names and bars, and the
// clicks on them.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "fx/fx.h"
#include "platform/i18n.h"
#include "rules/skills.h"
#include "screens/battle_scene.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/theme.h"
#include "ui/sprite.h"
#include "ui/widgets.h"

namespace ui::battle {
namespace {

const Slot* slotOf(const Scene& sc, const std::string& id) {
    for (const Slot& slot : sc.slots)
        if (slot.id == id) return &slot;
    return nullptr;
}

const Slot* lastSlotOf(const Scene& sc, const std::string& id) {
    const Slot* found = nullptr;
    for (const Slot& slot : sc.slots)
        if (slot.id == id) found = &slot;
    return found;
}

// Everything one unit's drawing needs to know about where it stands.
struct UnitGeom {
    SpriteSize size;
    double top = 0;
    double feet = 0;
    double cardW = 0;
    double chipY = 0;  // top of the status chip row
};

UnitGeom geomOf(const Slot& slot, const rpg::Combatant& c, double s) {
    UnitGeom g;
    g.size = spriteSize(c.sprite, s, slot.scale);
    g.top = unitTop(slot, s);
    g.feet = g.top + g.size.h;
    g.cardW = slot.size > 0 ? slot.size : std::max(1.35 * g.size.w, 54 * s);
    g.chipY = slot.y - 38 * s * slot.scale;
    return g;
}

// --- Sprite ---

void drawGround(Ctx& ctx, const Slot& slot, const rpg::Combatant& c, const UnitGeom& g) {
    const double s = ctx.uiScale;
    cairo_save(ctx.cr);
    cairo_translate(ctx.cr, slot.x, g.feet - 2 * s);
    cairo_scale(ctx.cr, 1, 0.32);
    fillCircle(ctx.cr, 0, 0, 0.28 * g.size.w * slot.scale, 0x000000, 0.3);
    cairo_restore(ctx.cr);
    if (!c.statuses.empty()) drawStatusAura(ctx, c.statuses, slot.x, g.feet - 2 * s, g.size.w);
}

// The soul rising from a falling unit; p is the fall's progress.
void drawSoul(Ctx& ctx, double x, const UnitGeom& g, double p) {
    const double s = ctx.uiScale;
    const double a = std::max(0.0, p < 0.18 ? 0.85 * p / 0.18 : 0.85 * (1 - (p - 0.18) / 0.82));
    const double cy = g.top + 0.3 * g.size.h - 52 * s * p;
    const double r = (1 - 0.45 * p) * 6 * s;
    fillCircle(ctx.cr, x, cy, r, 0xCFD6E4, a);
    strokeCircle(ctx.cr, x, cy, r, 2 * s, 0x7F8798, a);
}

// How far a dead unit has fallen; a living one is not dying (so it can die again).
double fallOf(UnitAnim& anim, const rpg::Combatant& c, double now) {
    if (c.hp > 0) {
        anim.fade = -100;
        return 0;
    }
    if (anim.fade < -50) anim.fade = now;
    return deathProgress(anim.fade, now);
}

void drawBody(Scene& sc, Ctx& ctx, const Slot& slot, const rpg::Combatant& c, const UnitGeom& g) {
    const double s = ctx.uiScale;
    UnitAnim& anim = sc.anims[c.id];
    const bool alive = c.hp > 0;
    const double p = fallOf(anim, c, ctx.now);
    const Pose pose = unitPose(anim, ctx.now, s);
    const int frame = static_cast<int>(2 * ctx.now + slot.x) % 2;
    const bool mirror = c.side == rpg::Side::Enemies;
    const pixel::Recolor recolor = recolorOf(c.colours[0], c.colours[1], c.colours[2], c.colours[3]);
    const pixel::Recolor* rc = c.recolour ? &recolor : nullptr;
    if (alive) drawGround(ctx, slot, c, g);
    if (pose.afterImage > 0) {
        drawSpritePivot(c.sprite, slot.x, g.feet, g.size.w, g.size.h, 0, mirror, pose.afterImage, rc, frame, true);
    }
    const double w = (1 + 0.55 * (1 - pose.body)) * g.size.w;
    const double h = pose.body * g.size.h;
    const double x = slot.x + pose.dx + pose.shake;
    const double y = g.feet + pose.dy + 16 * s * p;
    const double angle = alive ? 0 : (mirror ? -78 : 78) * p;
    const double alpha = alive ? 1 : 0.75 * (1 - p);
    if (alpha > 0.01) drawSpritePivot(c.sprite, x, y, w, h, angle, mirror, alpha, rc, frame, false);
    if (pose.flash > 0.01) drawSpritePivot(c.sprite, x, y, w, h, angle, mirror, pose.flash, rc, frame, true);
    if (p > 0.01) drawSoul(ctx, slot.x, g, p);
}

// --- Card ---

void drawHighlight(Scene& sc, Ctx& ctx, const rpg::Combatant& c, const Rect& card) {
    const double s = ctx.uiScale;
    cairo_t* cr = ctx.cr;
    const bool running = sc.state.outcome == rpg::OutcomeRunning;
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    if (targetable(sc, c)) {
        fillRoundedRect(cr, card, 4 * s, 0xC2382F, 0.22);
        strokeRoundedRect(cr, card, 4 * s, 2 * s, 0xC2382F);
    } else if (running && actor && actor->id == c.id) {
        fillRoundedRect(cr, card, 4 * s, theme::kGold, 0.18);
        strokeRoundedRect(cr, card, 4 * s, 2 * s, theme::kLightGold);
    } else if (running && actor && actor->side == rpg::Side::Heroes && !sc.pending.armed &&
               c.id == preferredEnemy(sc)) {
        const double dash[] = {6 * s, 5 * s};
        SavedState keep(cr);
        cairo_set_dash(cr, dash, 2, 0);
        strokeRoundedRect(cr, card, 4 * s, 2 * s, 0xC2382F, 0.9);
    }
}

void drawChips(Ctx& ctx, TextCache& texts, const rpg::Combatant& c, double x, double y) {
    const double s = ctx.uiScale;
    const int n = static_cast<int>(std::min<std::size_t>(c.statuses.size(), 6));
    const double cw = 22 * s, ch = 16 * s, gap = 3 * s;
    double cx = x - (n * cw + (n - 1) * gap) / 2;
    TextStyle rounds;
    rounds.size = std::round(11 * s);
    rounds.bold = true;
    rounds.color = 0x140F0A;
    rounds.align = 2;
    for (int i = 0; i < n; ++i, cx += cw + gap) {
        const rpg::StatusInstance& st = c.statuses[static_cast<std::size_t>(i)];
        if (static_cast<int>(st.kind) >= rpg::kStatusCount) continue;
        const rpg::StatusDef& d = rpg::statusDesc(st.kind);
        const Rect chip{cx, y, cw, ch};
        fillRoundedRect(ctx.cr, chip, 3 * s, d.colour);
        strokeRoundedRect(ctx.cr, chip, 3 * s, 1, d.positive ? 0x15300F : 0x3A0F0F);
        drawStatusIcon(ctx.cr, st.kind, cx + 0.42 * ch, y + ch / 2, 0.62 * ch, 0x140F0A);
        if (st.rounds > 0) texts.draw(ctx.cr, cx + cw - 3 * s, y + ch / 2 - 5.5 * s, std::to_string(st.rounds), rounds);
    }
}

void drawMarks(Ctx& ctx, const Scene& sc, const rpg::Combatant& c, double x, const UnitGeom& g) {
    const double s = ctx.uiScale;
    const bool stunned = std::any_of(c.statuses.begin(), c.statuses.end(),
                                     [](const rpg::StatusInstance& st) { return st.kind == rpg::StatusKind::Stun; });
    if (c.hp <= 0) {
        const double cy = g.top + 0.3 * g.size.h;
        drawLine(ctx.cr, x - 9 * s, cy - 9 * s, x + 9 * s, cy + 9 * s, 3 * s, 0xC2382F);
        drawLine(ctx.cr, x + 9 * s, cy - 9 * s, x - 9 * s, cy + 9 * s, 3 * s, 0xC2382F);
        return;
    }
    if (stunned) {
        const double base = 2 * kPi * (ctx.now / 1.1 - std::floor(ctx.now / 1.1));
        for (int i = 0; i < 3; ++i) {
            const double a = base + i * 2 * kPi / 3;
            drawStatusIcon(ctx.cr, rpg::StatusKind::Stun, x + 0.34 * g.size.w * std::cos(a),
                           g.top - 6 * s + 5 * s * std::sin(a), 10 * s, 0xFFE27A);
        }
    }
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    if (actor && actor->id == c.id && sc.state.outcome == rpg::OutcomeRunning) {
        drawTriangleIcon(ctx.cr, x, g.chipY - 7 * s + 2 * s * std::sin(4 * ctx.now), 12 * s, 2, theme::kLightGold);
    }
}

// --- Name, level and bars ---

TextStyle nameStyle(double s, bool bold, std::uint32_t color) {
    TextStyle st;
    st.size = std::round(10 * s);
    st.bold = bold;
    st.color = color;
    return st;
}

// The text with its shadow one s below and right.
void shadowed(Ctx& ctx, TextCache& texts, double x, double y, const std::string& text, const TextStyle& st) {
    const double s = ctx.uiScale;
    texts.drawShadowed(ctx.cr, x, y, s, s, 0.8, text, st);
}

std::vector<std::string> words(const std::string& text) {
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at <= text.size()) {
        const std::size_t end = std::min(text.find(' ', at), text.size());
        if (end > at) out.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

// How a unit's name and level are set: one line, or one word a line.
struct NameLines {
    std::string name;
    std::string level;  // "  Lv. <n>", or empty
    std::vector<std::string> split;  // the words when split
    double nameW = 0, levelW = 0, height = 0;
    int count() const { return split.empty() ? 1 : static_cast<int>(split.size()) + 1; }
};

NameLines nameLines(Ctx& ctx, TextCache& texts, const rpg::Combatant& c, double cardW) {
    NameLines n;
    n.name = combatantName(c);
    if (c.level >= 1) n.level = "  " + levelLabel(c.level);
    const double s = ctx.uiScale;
    const TextCache::Size name = texts.measure(ctx.cr, n.name, nameStyle(s, false, 0));
    const TextCache::Size level = n.level.empty() ? TextCache::Size{} : texts.measure(ctx.cr, n.level, nameStyle(s, true, 0));
    n.nameW = name.w;
    n.levelW = level.w;
    n.height = std::max(name.h, level.h);
    if (n.nameW + n.levelW > cardW && !n.level.empty() && n.name.find(' ') != std::string::npos) {
        n.split = words(n.name);
    }
    return n;
}

// Draws the name block from ny down; gives the y where the bars start.
double drawName(Ctx& ctx, TextCache& texts, const NameLines& n, double x, double ny, double cardW) {
    const double s = ctx.uiScale;
    TextStyle name = nameStyle(s, false, theme::kCreamText);
    TextStyle level = nameStyle(s, true, theme::kLightGold);
    if (!n.split.empty()) {
        name.align = level.align = 1;
        name.fitWidth = level.fitWidth = cardW;
        double y = ny;
        for (const std::string& word : n.split) {
            shadowed(ctx, texts, x, y, word, name);
            y += texts.measure(ctx.cr, word, name).h;
        }
        const std::string lv = n.level.substr(2);
        shadowed(ctx, texts, x, y, lv, level);
        return y + texts.measure(ctx.cr, lv, level).h + 2 * s;
    }
    double pairW = n.nameW + n.levelW;
    double height = n.height;
    if (pairW > cardW && pairW > 0) {
        const double k = std::max(cardW / pairW, 0.6);
        name.size *= k;
        level.size *= k;
        pairW *= k;
        height *= k;
    }
    const double left = x - pairW / 2;
    const double nameW = n.nameW + n.levelW > 0 ? pairW * n.nameW / (n.nameW + n.levelW) : 0;
    if (i18n::currentIsRtl() && !n.level.empty()) {
        // Read from the right: the name, then the level, whose leading
        // spaces stand at its right end in a right-to-left line.
        shadowed(ctx, texts, left, ny, n.level, level);
        shadowed(ctx, texts, left + pairW - nameW, ny, n.name, name);
        return ny + height + 2 * s;
    }
    shadowed(ctx, texts, left, ny, n.name, name);
    if (!n.level.empty()) shadowed(ctx, texts, left + nameW, ny, n.level, level);
    return ny + height + 2 * s;
}

// "value/max" on a bar as the bar widget writes it, from the text cache:
// two dozen bars a frame would otherwise lay out their numbers every frame.
void barNumbers(Ctx& ctx, TextCache& texts, const Rect& r, double value, double max) {
    TextStyle st;
    st.size = std::round(0.62 * r.h);
    st.color = theme::kCreamText;
    st.align = 1;
    const std::string text = num(std::ceil(value)) + "/" + num(max);
    const double top = r.y + r.h / 2 - texts.measure(ctx.cr, text, st).h / 2;
    texts.drawShadowed(ctx.cr, r.x + r.w / 2, top, 1, 1, 1, text, st);
}

void drawBars(Ctx& ctx, TextCache& texts, const rpg::Combatant& c, double x, double y, double width) {
    const double s = ctx.uiScale;
    const Rect hp{x - width / 2, y, width, 13 * s};
    animBar(ctx, "hp-" + c.id, hp, c.hp, c.stats.maxHp, 0xC2382F, false);
    barNumbers(ctx, texts, hp, c.hp, c.stats.maxHp);
    if (c.stats.maxMp <= 0) return;
    const Rect mp{hp.x, y + 15 * s, width, 13 * s};
    animBar(ctx, "mp-" + c.id, mp, c.mp, c.stats.maxMp, 0x3A72B2, false);
    barNumbers(ctx, texts, mp, c.mp, c.stats.maxMp);
}

// A dead unit takes a click only from what revives it.
bool clickable(const Scene& sc, const rpg::Combatant& c) { return c.hp > 0 || targetable(sc, c); }

void drawUnit(Scene& sc, Ctx& ctx, Slot& slot, const rpg::Combatant& c, std::string* clicked) {
    const double s = ctx.uiScale;
    const UnitGeom g = geomOf(slot, c, s);
    drawBody(sc, ctx, slot, c, g);
    const NameLines names = nameLines(ctx, sc.texts, c, g.cardW);
    const Rect card{slot.x - g.cardW / 2, g.chipY - 4 * s, g.cardW,
                    g.size.h + 59 * s + names.count() * std::round(13.5 * s)};
    slot.hitX = card.x;
    slot.hitY = card.y;
    slot.hitW = card.w;
    slot.hitH = card.h;
    drawHighlight(sc, ctx, c, card);
    drawChips(ctx, sc.texts, c, slot.x, g.chipY);
    drawMarks(ctx, sc, c, slot.x, g);
    const double barY = drawName(ctx, sc.texts, names, slot.x, g.chipY + 17 * s + g.size.h + 2 * s, g.cardW);
    drawBars(ctx, sc.texts, c, slot.x, barY, std::min(g.cardW, 1.6 * g.size.w));
    const bool open = sc.state.outcome == rpg::OutcomeRunning && !sc.overPanel;
    if (open && clicked->empty() && clickable(sc, c) && ctx.takeClick(card)) *clicked = c.id;
}

} // namespace

void layout(Scene& sc, Ctx& ctx) { layoutSlots(&sc.slots, sc.state.combatants, sc.floor, ctx.uiScale); }

bool posOf(const Scene& sc, Ctx& ctx, const std::string& id, double* x, double* y) {
    const Slot* slot = slotOf(sc, id);
    if (!slot) return false;
    const rpg::Combatant* c = rpg::combatant(sc.state, id);
    const double s = ctx.uiScale;
    const SpriteSize size = spriteSize(c ? c->sprite : std::string("slime"), s, slot->scale);
    *x = slot->x;
    *y = unitTop(*slot, s) + size.h / 2;
    return true;
}

void startActorAnim(Scene& sc, Ctx& ctx, const std::string& id, bool lunge, const std::string& target) {
    UnitAnim& a = sc.anims[id];
    a.start = ctx.now;
    a.aimX = a.aimY = 0;
    a.cast = !lunge;
    if (!lunge || target.empty()) return;
    const Slot* from = lastSlotOf(sc, id);
    const Slot* to = lastSlotOf(sc, target);
    if (!from || !to) return;
    a.aimX = to->x - from->x;
    a.aimY = to->y - from->y;
}

void drawCombatants(Scene& sc, Ctx& ctx) {
    std::string clicked;
    for (Slot& slot : sc.slots) {
        const rpg::Combatant* c = rpg::combatant(sc.state, slot.id);
        if (c) drawUnit(sc, ctx, slot, *c, &clicked);
    }
    if (!clicked.empty()) clickUnit(sc, ctx, clicked);
}

} // namespace ui::battle
