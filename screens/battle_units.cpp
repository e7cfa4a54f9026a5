// The units on the floor: their slots this frame, where effects aim at them,
// their sprites with animations, cards, chips, names and bars, and the
// clicks on them.
#include <glib.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "fx/fx.h"
#include "platform/i18n.h"
#include "rules/skills.h"
#include "screens/battle_cache.h"
#include "screens/battle_scene.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/beneath.h"
#include "ui/legible.h"
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

// --- Parts of a unit ---

constexpr double kRowGap = 4;  // times s: between one row's lowest part and the next row's highest
constexpr double kChipW = 22, kChipH = 16, kChipGap = 3;  // times s
constexpr int kMaxChips = 6;
constexpr double kNameMinFit = 0.7;  // smallest shrink of a name before it is cut

double bottomOf(const Rect& r) { return r.y + r.h; }

Rect unite(const Rect& a, const Rect& b) {
    if (a.w <= 0 && a.h <= 0) return b;
    const double x = std::min(a.x, b.x), y = std::min(a.y, b.y);
    return {x, y, std::max(a.x + a.w, b.x + b.w) - x, std::max(bottomOf(a), bottomOf(b)) - y};
}

struct ChipFit {
    int count = 0, perLine = 1, lines = 1;
    double k = 1;
};

// The chips in one line where they fit at three quarters of their size or
// more, else in two lines down to 0.55 of it, else as many as fit that way;
// never so small that the rounds written on them could not be read.
ChipFit fitChips(int n, double width, double s) {
    n = std::min(n, kMaxChips);
    if (n <= 0) return {};
    const double least = std::min(1.0, 1.2 * legibleUnits("0") / (kChipH * s));
    auto lineW = [&](int per) { return (per * kChipW + (per - 1) * kChipGap) * s; };
    for (int lines = 1; lines <= 2; ++lines) {
        const int per = (n + lines - 1) / lines;
        const double k = std::min(1.0, width / lineW(per));
        if (k >= std::max(lines == 1 ? 0.75 : 0.55, least)) return {n, per, lines, k};
    }
    const double k = std::max(0.55, least);
    const int per = std::max(1, static_cast<int>(std::floor((width / (s * k) + kChipGap) / (kChipW + kChipGap))));
    return {std::min(n, 2 * per), per, 2, k};
}

Label placed(TextCache& texts, Ctx& ctx, std::string text, double x, double y, double size, bool level) {
    const TextCache::Size m = texts.measure(ctx.cr, text, TextStyle{.size = size, .bold = level});
    return {std::move(text), x, y, m.w, m.h, size, level};
}

bool hasBlank(const std::string& text) { return text.find(' ') != std::string::npos; }

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

// A name of a language written without spaces in pieces: where its script
// changes ("氷結" + "オオカミ"), and a piece wider than the box where its
// lines would break in it.
std::vector<std::string> phrasePieces(TextCache& texts, cairo_t* cr, const std::string& name, double size,
                                      double width) {
    std::vector<std::string> runs;
    GUnicodeScript last = G_UNICODE_SCRIPT_INVALID_CODE;
    for (const char* p = name.c_str(); *p; p = g_utf8_next_char(p)) {
        GUnicodeScript script = g_unichar_get_script(g_utf8_get_char(p));
        if (script == G_UNICODE_SCRIPT_COMMON || script == G_UNICODE_SCRIPT_INHERITED) script = last;  // "ー", marks
        if (runs.empty() || script != last) runs.emplace_back();
        runs.back().append(p, static_cast<std::size_t>(g_utf8_next_char(p) - p));
        last = script;
    }
    std::vector<std::string> out;
    for (const std::string& run : runs) {
        if (texts.measure(cr, run, TextStyle{.size = size}).w <= width) {
            out.push_back(run);
            continue;
        }
        const std::vector<int> starts = lineStarts(cr, run, TextStyle{.size = size, .wrapWidth = width});
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const std::size_t from = static_cast<std::size_t>(starts[i]);
            const std::size_t to = i + 1 < starts.size() ? static_cast<std::size_t>(starts[i + 1]) : run.size();
            if (to > from) out.push_back(run.substr(from, to - from));
        }
    }
    return out;
}

int letters(const std::string& text) {
    return static_cast<int>(std::count_if(text.begin(), text.end(), [](char ch) { return (ch & 0xC0) != 0x80; }));
}

// The name and level from y down, centred on x within width: side by side
// on one line (shrunk, then cut), or, where stacking is allowed and the pair
// is too wide, the name on as few lines as fit (one when it fits alone,
// else its words packed line by line, or in a language written without
// spaces its phrases) with the level below (its number alone where the
// label does not fit). A name the level would leave fewer than three
// letters of on one line goes above the level anyway.
std::vector<Label> nameLabels(Scene& sc, Ctx& ctx, const rpg::Combatant& c, double x, double y, double width,
                              bool stack) {
    TextCache& texts = sc.texts;
    const double base = std::round(10 * ctx.uiScale);
    const std::string name = combatantName(c);
    const std::string level = c.level >= 1 ? "  " + levelLabel(c.level) : std::string();
    const double nameW = texts.measure(ctx.cr, name, TextStyle{.size = base}).w;
    const double levelW =
        level.empty() ? 0 : texts.measure(ctx.cr, level, TextStyle{.size = base, .bold = true}).w;
    const bool unspaced = !hasBlank(name) && *i18n::wordGap() == '\0';
    std::vector<Label> out;
    auto stacked = [&](const std::vector<std::string>& pieces, const std::string& gap) {
        std::vector<std::string> lines;
        for (const std::string& word : pieces) {
            const std::string joined = lines.empty() ? word : lines.back() + gap + word;
            if (!lines.empty() && texts.measure(ctx.cr, joined, TextStyle{.size = base}).w <= width)
                lines.back() = joined;
            else lines.push_back(word);
        }
        double at = y;
        for (const std::string& line : lines) {
            const double w = texts.measure(ctx.cr, line, TextStyle{.size = base}).w;
            const double size = w > width ? base * std::max(width / w, kNameMinFit) : base;
            const std::string& cut = texts.elided(ctx.cr, line, TextStyle{.size = size}, width);
            Label l = placed(texts, ctx, cut, x, at, size, false);
            l.x = x - l.w / 2;
            at += l.h;
            out.push_back(std::move(l));
        }
        // The level alone when its label would be wider than the room.
        std::string below = level.substr(2);
        if (texts.measure(ctx.cr, below, TextStyle{.size = base, .bold = true}).w > width) below = num(c.level);
        Label l = placed(texts, ctx, below, x, at, base, true);
        l.x = x - l.w / 2;
        out.push_back(std::move(l));
        return out;
    };
    if (stack && nameW + levelW > width && !level.empty() && (nameW <= width || hasBlank(name) || unspaced)) {
        const std::vector<std::string> pieces = nameW <= width ? std::vector<std::string>{name}
                                                : unspaced     ? phrasePieces(texts, ctx.cr, name, base, width)
                                                               : words(name);
        return stacked(pieces, unspaced ? "" : " ");
    }
    const double pair = nameW + levelW;
    const double size = pair > width && pair > 0 ? base * std::max(width / pair, kNameMinFit) : base;
    Label lv = level.empty() ? Label{} : placed(texts, ctx, level, x, y, size, true);
    const std::string& cut =
        texts.elided(ctx.cr, name, TextStyle{.size = size}, std::max(width - lv.w, 0.0));
    const int shown = letters(cut) - (cut == name ? 0 : 1);  // the ellipsis is no letter of the name
    if (!level.empty() && shown < std::min(3, letters(name))) return stacked({name}, " ");
    Label nm = placed(texts, ctx, cut, x, y, size, false);
    nm.x = x - (nm.w + lv.w) / 2;
    lv.x = nm.x + nm.w;
    if (i18n::currentIsRtl() && !level.empty()) {
        // Read from the right: the name, then the level, whose leading
        // spaces stand at its right end in a right-to-left line.
        lv.x = x - (nm.w + lv.w) / 2;
        nm.x = lv.x + lv.w;
    }
    out.push_back(std::move(nm));
    if (!level.empty()) out.push_back(std::move(lv));
    return out;
}

// How wide the unit's name may be: its card, or as far as half the way to
// the nearest unit of its row on either side (the whole floor for a unit
// alone in its row), so that neighbours' names never meet.
double nameRoom(const Scene& sc, const Slot& slot, double cardW, double s) {
    double nearest = sc.floor.w > 0 ? sc.floor.w : 1e9;
    for (const Slot& o : sc.slots)
        if (&o != &slot && o.row == slot.row) nearest = std::min(nearest, std::abs(o.x - slot.x));
    return std::max(cardW, nearest - 6 * s);
}

// Every part of the unit at its slot, from its line and scale.
UnitParts placeParts(Scene& sc, Ctx& ctx, const Slot& slot, const rpg::Combatant& c, bool stack) {
    const double s = ctx.uiScale;
    const SpriteSize size = spriteSize(c.sprite, s, slot.scale);
    const double top = unitTop(slot, s);
    const double cardW = slot.size > 0 ? slot.size : std::max(1.35 * size.w, 54 * s);
    UnitParts p;
    p.sprite = {slot.x - size.w / 2, top, size.w, size.h};
    const ChipFit chips = fitChips(static_cast<int>(c.statuses.size()), cardW, s);
    p.chipCount = chips.count;
    p.chipsPerLine = chips.perLine;
    p.chipScale = chips.k;
    const double k = chips.k * s;
    const int per = std::min(chips.perLine, std::max(chips.count, 1));
    const double chipsW = chips.count > 0 ? (per * kChipW + (per - 1) * kChipGap) * k : 0;
    const double chipsH = chips.lines * kChipH * k + (chips.lines - 1) * kChipGap * k;
    p.chips = {slot.x - chipsW / 2, top - chipsH, chipsW, chipsH};
    p.marker = {slot.x - 6 * s, p.chips.y - 17 * s, 12 * s, 16 * s};
    p.labels = nameLabels(sc, ctx, c, slot.x, top + size.h + 2 * s, nameRoom(sc, slot, cardW, s), stack);
    for (const Label& l : p.labels) p.name = unite(p.name, {l.x, l.y, l.w, l.h});
    const double barTop = (p.labels.empty() ? top + size.h : bottomOf(p.name)) + 2 * s;
    const double barW = std::min(cardW, 1.6 * size.w);
    p.bars = {slot.x - barW / 2, barTop, barW, c.stats.maxMp > 0 ? 28 * s : 13 * s};
    const double cardTop = p.chips.y - 4 * s;
    const double frameW = std::max(cardW, p.name.w + 6 * s);  // round a name wider than the card too
    p.card = {slot.x - frameW / 2, cardTop, frameW, bottomOf(p.bars) + 3 * s - cardTop};
    p.hit = unite(unite(p.card, p.marker), p.sprite);
    return p;
}

void shiftParts(UnitParts* p, double dy) {
    for (Rect* r : {&p->marker, &p->chips, &p->sprite, &p->name, &p->bars, &p->card, &p->hit}) r->y += dy;
    for (Label& l : p->labels) l.y += dy;
}

// One attempt at the rows: every unit at f times its row's scale (and no
// wider than its card), names stacked or not; rows pushed down where one
// reaches into the next, then up from the panel. False when the top row
// then rises into the turn line.
bool arrangeRows(Scene& sc, Ctx& ctx, const std::vector<Slot>& preferred, double f, bool stack) {
    const double s = ctx.uiScale;
    constexpr int kRows = 3;
    double line[kRows] = {}, above[kRows] = {}, below[kRows] = {};
    bool used[kRows] = {};
    double narrow[kRows] = {1, 1, 1};  // so the widest sprite of the row fits its card
    for (const Slot& slot : preferred) {
        const rpg::Combatant* c = rpg::combatant(sc.state, slot.id);
        const double w = spriteSize(c ? c->sprite : std::string("slime"), s, slot.scale).w;
        if (slot.size > 0 && w > slot.size) narrow[slot.row] = std::min(narrow[slot.row], slot.size / w);
    }
    sc.slots = preferred;
    for (Slot& slot : sc.slots) {
        const int r = std::clamp(slot.row, 0, kRows - 1);
        slot.scale *= f * narrow[r];
        const rpg::Combatant* c = rpg::combatant(sc.state, slot.id);
        if (!c) continue;
        slot.parts = placeParts(sc, ctx, slot, *c, stack);
        const double up = slot.y - slot.parts.hit.y, down = bottomOf(slot.parts.hit) - slot.y;
        above[r] = used[r] ? std::max(above[r], up) : up;
        below[r] = used[r] ? std::max(below[r], down) : down;
        line[r] = slot.y;
        used[r] = true;
    }
    std::vector<int> rows;
    for (int r = 0; r < kRows; ++r)
        if (used[r]) rows.push_back(r);
    if (rows.empty()) return true;
    const double gap = kRowGap * s;
    for (std::size_t i = 1; i < rows.size(); ++i) {
        const int a = rows[i - 1], b = rows[i];
        line[b] = std::max(line[b], line[a] + below[a] + gap + above[b]);
    }
    const double floorLimit = ctx.height - kPanelH * s - 2 * s;
    const int last = rows.back();
    if (line[last] + below[last] > floorLimit) line[last] = floorLimit - below[last];
    for (std::size_t i = rows.size() - 1; i > 0; --i) {
        const int a = rows[i - 1], b = rows[i];
        line[a] = std::min(line[a], line[b] - above[b] - gap - below[a]);
    }
    for (Slot& slot : sc.slots) {
        const int r = std::clamp(slot.row, 0, kRows - 1);
        const double dy = line[r] - slot.y;
        slot.y = line[r];
        shiftParts(&slot.parts, dy);
    }
    // Below the round header, the turn line and the banner.
    return line[rows.front()] - above[rows.front()] >= kUnitsTop * s;
}

// --- Sprite ---

struct Shadow {
    double rx, ry;
};

void paintShadow(cairo_t* cr, void* user) {
    const Shadow& sh = *static_cast<const Shadow*>(user);
    cairo_translate(cr, sh.rx, sh.ry);
    cairo_scale(cr, 1, sh.ry / sh.rx);
    fillCircle(cr, 0, 0, sh.rx, theme::kShadowBlack, 1.0);
}

// The shadow and the status rings beneath the overlay, painted once: beneath
// the sprite that stands on them, as the ground is.
void drawGround(Ctx& ctx, const Slot& slot, const rpg::Combatant& c, const Rect& sprite) {
    const double s = ctx.uiScale;
    const double feet = bottomOf(sprite);
    const Shadow sh{0.28 * sprite.w * slot.scale, 0.32 * 0.28 * sprite.w * slot.scale};
    if (sh.rx > 0) {
        char key[64];
        std::snprintf(key, sizeof key, "unitshadow|%.3f", sh.rx);
        beneath::still(ctx, key, {slot.x - sh.rx, feet - 2 * s - sh.ry, 2 * sh.rx, 2 * sh.ry}, paintShadow,
                       const_cast<Shadow*>(&sh), 0.3);
    }
    if (!c.statuses.empty()) drawStatusAura(ctx, c.statuses, slot.x, feet - 2 * s, sprite.w, AuraPart::Rings);
}

// The soul rising from a falling unit; p is the fall's progress.
void drawSoul(Ctx& ctx, double x, const Rect& sprite, double p) {
    const double s = ctx.uiScale;
    const double a = std::max(0.0, p < 0.18 ? 0.85 * p / 0.18 : 0.85 * (1 - (p - 0.18) / 0.82));
    const double cy = sprite.y + 0.3 * sprite.h - 52 * s * p;
    const double r = (1 - 0.45 * p) * 6 * s;
    fillCircle(ctx.cr, x, cy, r, theme::kSoulFill, a);
    strokeCircle(ctx.cr, x, cy, r, 2 * s, theme::kSoulEdge, a);
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

void drawBody(Scene& sc, Ctx& ctx, const Slot& slot, const rpg::Combatant& c) {
    const double s = ctx.uiScale;
    const Rect& sprite = slot.parts.sprite;
    UnitAnim& anim = sc.anims[c.id];
    const bool alive = c.hp > 0;
    const double p = fallOf(anim, c, ctx.now);
    const Pose pose = unitPose(anim, ctx.now, s);
    const int frame = static_cast<int>(2 * ctx.now + slot.x) % 2;
    const bool mirror = c.side == rpg::Side::Enemies;
    const pixel::Recolor recolor = recolorOf(c.colours[0], c.colours[1], c.colours[2], c.colours[3]);
    const pixel::Recolor* rc = c.recolour ? &recolor : nullptr;
    const double feet = bottomOf(sprite);
    if (alive) drawGround(ctx, slot, c, sprite);
    if (pose.afterImage > 0) {
        drawSpritePivot(c.sprite, slot.x, feet, sprite.w, sprite.h, 0, mirror, pose.afterImage, rc, frame, true);
    }
    const double w = (1 + 0.55 * (1 - pose.body)) * sprite.w;
    const double h = pose.body * sprite.h;
    const double x = slot.x + pose.dx + pose.shake;
    const double y = feet + pose.dy + 16 * s * p;
    const double angle = alive ? 0 : (mirror ? -78 : 78) * p;
    const double alpha = alive ? 1 : 0.75 * (1 - p);
    if (alpha > 0.01) drawSpritePivot(c.sprite, x, y, w, h, angle, mirror, alpha, rc, frame, false);
    if (pose.flash > 0.01) drawSpritePivot(c.sprite, x, y, w, h, angle, mirror, pose.flash, rc, frame, true);
    // The motes rise over the sprite.
    if (alive && !c.statuses.empty())
        drawStatusAura(ctx, c.statuses, slot.x, feet - 2 * s, sprite.w, AuraPart::Motes);
    if (p > 0.01) drawSoul(ctx, slot.x, sprite, p);
}

// --- Card ---

void drawHighlight(Scene& sc, Ctx& ctx, const rpg::Combatant& c, const Rect& card) {
    const double s = ctx.uiScale;
    cairo_t* cr = ctx.cr;
    const bool running = sc.state.outcome == rpg::OutcomeRunning;
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    if (targetable(sc, c)) {
        fillRoundedRect(cr, card, 4 * s, theme::kDangerRed, 0.22);
        strokeRoundedRect(cr, card, 4 * s, 2 * s, theme::kDangerRed);
    } else if (running && actor && actor->id == c.id) {
        fillRoundedRect(cr, card, 4 * s, theme::kGold, 0.18);
        strokeRoundedRect(cr, card, 4 * s, 2 * s, theme::kLightGold);
    } else if (running && actor && actor->side == rpg::Side::Heroes && !sc.pending.armed &&
               c.id == preferredEnemy(sc)) {
        const double dash[] = {6 * s, 5 * s};
        SavedState keep(cr);
        cairo_set_dash(cr, dash, 2, 0);
        strokeRoundedRect(cr, card, 4 * s, 2 * s, theme::kDangerRed, 0.9);
    }
}

void paintChips(Ctx& ctx, cairo_t* cr, TextCache& texts, const rpg::Combatant& c, const UnitParts& p) {
    const double k = ctx.uiScale * p.chipScale;
    const double cw = kChipW * k, ch = kChipH * k, gap = kChipGap * k;
    TextStyle rounds;
    rounds.size = std::round(11 * k);
    rounds.bold = true;
    rounds.color = theme::kChipInk;
    rounds.align = Align::Right;
    const double mid = p.chips.x + p.chips.w / 2;
    for (int i = 0; i < p.chipCount; ++i) {
        const rpg::StatusInstance& st = c.statuses[static_cast<std::size_t>(i)];
        if (static_cast<int>(st.kind) >= rpg::kStatusCount) continue;
        const int line = i / p.chipsPerLine, col = i % p.chipsPerLine;
        const int inLine = std::min(p.chipsPerLine, p.chipCount - line * p.chipsPerLine);
        const double cx = mid - (inLine * cw + (inLine - 1) * gap) / 2 + col * (cw + gap);
        const double y = p.chips.y + line * (ch + gap);
        const rpg::StatusDef& d = rpg::statusDesc(st.kind);
        const Rect chip{cx, y, cw, ch};
        fillRoundedRect(cr, chip, 3 * k, d.colour);
        strokeRoundedRect(cr, chip, 3 * k, 1, d.positive ? theme::kBuffChipEdge : theme::kDebuffChipEdge);
        drawStatusIcon(cr, st.kind, cx + 0.42 * ch, y + ch / 2, 0.62 * ch, theme::kChipInk);
        if (st.rounds > 0) {
            const std::string n = num(st.rounds);
            texts.draw(cr, cx + cw - 3 * k, y + (ch - texts.measure(cr, n, rounds).h) / 2, n, rounds);
        }
    }
}

// Everything the cached pictures of a unit show also depends on the scale
// and the language (its fonts draw the numbers).
void keyBase(std::string* key, const char* what, double s) {
    key->assign(what);
    key->push_back('|');
    key->append(i18n::currentLanguage());
    key->append(reinterpret_cast<const char*>(&s), sizeof s);
}

// The chips from the floor's pictures while nobody watches the texts: a
// tool that judges them sees each drawn as ever.
void drawChips(Ctx& ctx, TextCache& texts, const rpg::Combatant& c, const UnitParts& p) {
    if (p.chipCount <= 0) return;
    if (textProbe) {
        paintChips(ctx, ctx.cr, texts, c, p);
        return;
    }
    std::string key;
    keyBase(&key, "chips", ctx.uiScale);
    const double numbers[] = {p.chipScale, static_cast<double>(p.chipCount), static_cast<double>(p.chipsPerLine)};
    key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
    for (int i = 0; i < p.chipCount; ++i) {
        const rpg::StatusInstance& st = c.statuses[static_cast<std::size_t>(i)];
        const int look[] = {static_cast<int>(st.kind), st.rounds};
        key.append(reinterpret_cast<const char*>(look), sizeof look);
    }
    floorPictures().draw(ctx.cr, key, p.chips, [&](cairo_t* cr) { paintChips(ctx, cr, texts, c, p); });
}

void drawMarks(Ctx& ctx, const Scene& sc, const rpg::Combatant& c, const Slot& slot) {
    const double s = ctx.uiScale;
    const double x = slot.x;
    const Rect& sprite = slot.parts.sprite;
    const bool stunned = std::any_of(c.statuses.begin(), c.statuses.end(),
                                     [](const rpg::StatusInstance& st) { return st.kind == rpg::StatusKind::Stun; });
    if (c.hp <= 0) {
        const double cy = sprite.y + 0.3 * sprite.h;
        drawLine(ctx.cr, x - 9 * s, cy - 9 * s, x + 9 * s, cy + 9 * s, 3 * s, theme::kDangerRed);
        drawLine(ctx.cr, x + 9 * s, cy - 9 * s, x - 9 * s, cy + 9 * s, 3 * s, theme::kDangerRed);
        return;
    }
    if (stunned) {
        const double base = 2 * kPi * (ctx.now / 1.1 - std::floor(ctx.now / 1.1));
        for (int i = 0; i < 3; ++i) {
            const double a = base + i * 2 * kPi / 3;
            drawStatusIcon(ctx.cr, rpg::StatusKind::Stun, x + 0.34 * sprite.w * std::cos(a),
                           sprite.y - 6 * s + 5 * s * std::sin(a), 10 * s, theme::kSparkYellow);
        }
    }
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    if (actor && actor->id == c.id && sc.state.outcome == rpg::OutcomeRunning) {
        const Rect& m = slot.parts.marker;
        drawTriangleIcon(ctx.cr, x, m.y + m.h / 2 + 2 * s * std::sin(4 * ctx.now), 12 * s, 2, theme::kLightGold);
    }
}

// --- Name, level and bars ---

void paintName(Ctx& ctx, cairo_t* cr, TextCache& texts, const UnitParts& p) {
    const double s = ctx.uiScale;
    for (const Label& l : p.labels) {
        const TextStyle st{.size = l.size, .bold = l.level, .color = l.level ? theme::kLightGold : theme::kCreamText};
        texts.drawShadowed(cr, l.x, l.y, l.text, st, {.dx = s, .dy = s, .alpha = 0.8});
    }
}

// The name and level with their shadows from the floor's pictures, one
// picture in place of four texts a unit, while nobody watches the texts.
void drawName(Ctx& ctx, TextCache& texts, const UnitParts& p) {
    if (p.labels.empty()) return;
    if (textProbe) {
        paintName(ctx, ctx.cr, texts, p);
        return;
    }
    const double s = ctx.uiScale;
    // Room for ink beyond the labels' boxes and for the shadow's offset.
    constexpr double kInk = 2;
    const Rect area{p.name.x - kInk, p.name.y - kInk, p.name.w + 2 * kInk + s, p.name.h + 2 * kInk + s};
    std::string key;
    keyBase(&key, "name", s);
    for (const Label& l : p.labels) {
        key.append(l.text).push_back('\0');
        const double numbers[] = {l.x - area.x, l.y - area.y, l.size, l.level ? 1.0 : 0.0};
        key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
    }
    floorPictures().draw(ctx.cr, key, area, [&](cairo_t* cr) { paintName(ctx, cr, texts, p); });
}

// "value/max" on a bar as the bar widget writes it, from the text cache:
// two dozen bars a frame would otherwise lay out their numbers every frame.
void barNumbers(Ctx& ctx, cairo_t* cr, TextCache& texts, const Rect& r, const std::string& text) {
    TextStyle st;
    st.size = std::round(0.62 * r.h);
    st.color = theme::kCreamText;
    st.align = Align::Centre;
    st.fitWidth = r.w - 2 * ctx.uiScale;
    const double top = r.y + r.h / 2 - texts.measure(cr, text, st).h / 2;
    texts.drawShadowed(cr, r.x + r.w / 2, top, text, st);
}

struct BarsLook {
    Rect hp, mp;
    BarLook hpLook, mpLook;
    std::string hpText, mpText;  // mpText empty: no mana bar
};

void paintBars(Ctx& ctx, cairo_t* cr, TextCache& texts, const BarsLook& b) {
    SavedState keep(cr);
    drawBarLook(cr, b.hp, b.hpLook, theme::kHpRed, ctx.uiScale);
    barNumbers(ctx, cr, texts, b.hp, b.hpText);
    if (b.mpText.empty()) return;
    drawBarLook(cr, b.mp, b.mpLook, theme::kManaBlue, ctx.uiScale);
    barNumbers(ctx, cr, texts, b.mp, b.mpText);
}

// Bars that neither move nor flash come from the floor's pictures.
void drawBars(Ctx& ctx, TextCache& texts, const rpg::Combatant& c, const Rect& bars) {
    const double s = ctx.uiScale;
    BarsLook b;
    b.hp = {bars.x, bars.y, bars.w, 13 * s};
    b.hpLook = animBarStep(ctx, "hp-" + c.id, c.hp, c.stats.maxHp);
    b.hpText = num(std::ceil(c.hp)) + "/" + num(c.stats.maxHp);
    const auto target = [](double v, double max) { return max > 0 ? std::clamp(v / max, 0.0, 1.0) : 0.0; };
    bool still = b.hpLook.atRest(target(c.hp, c.stats.maxHp));
    if (c.stats.maxMp > 0) {
        b.mp = {b.hp.x, bars.y + 15 * s, bars.w, 13 * s};
        b.mpLook = animBarStep(ctx, "mp-" + c.id, c.mp, c.stats.maxMp);
        b.mpText = num(std::ceil(c.mp)) + "/" + num(c.stats.maxMp);
        still = still && b.mpLook.atRest(target(c.mp, c.stats.maxMp));
    }
    if (textProbe || !still) {
        paintBars(ctx, ctx.cr, texts, b);
        return;
    }
    std::string key;
    keyBase(&key, "bars", s);
    const double numbers[] = {b.hpLook.shown, b.mpLook.shown, b.mp.h};
    key.append(reinterpret_cast<const char*>(numbers), sizeof numbers);
    key.append(b.hpText).push_back('|');
    key.append(b.mpText);
    const Rect area = b.mpText.empty() ? b.hp : unite(b.hp, b.mp);
    floorPictures().draw(ctx.cr, key, area, [&](cairo_t* cr) { paintBars(ctx, cr, texts, b); });
}

// A dead unit takes a click only from what revives it.
bool clickable(const Scene& sc, const rpg::Combatant& c) { return c.hp > 0 || targetable(sc, c); }

void drawUnit(Scene& sc, Ctx& ctx, const Slot& slot, const rpg::Combatant& c) {
    drawBody(sc, ctx, slot, c);
    drawHighlight(sc, ctx, c, slot.parts.card);
    drawChips(ctx, sc.texts, c, slot.parts);
    drawMarks(ctx, sc, c, slot);
    drawName(ctx, sc.texts, slot.parts);
    drawBars(ctx, sc.texts, c, slot.parts.bars);
}

} // namespace

void layout(Scene& sc, Ctx& ctx) {
    layoutSlots(&sc.slots, sc.state.combatants, sc.floor, ctx.uiScale);
    // Stacked names first, then smaller units, then names on one line and
    // smaller still, until the rows fit between the turn line and the panel.
    struct Try {
        double f;
        bool stack;
    };
    constexpr Try kTries[] = {{1, true},  {0.9, true},  {0.8, true},  {1, false}, {0.9, false},
                              {0.8, false}, {0.7, false}, {0.6, false}, {0.5, false}};
    const std::vector<Slot> preferred = sc.slots;
    for (const Try& t : kTries)
        if (arrangeRows(sc, ctx, preferred, t.f, t.stack)) return;
}

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

std::string unitAt(const Scene& sc, double x, double y) {
    // Later slots are drawn over earlier ones.
    for (auto it = sc.slots.rbegin(); it != sc.slots.rend(); ++it)
        if (it->parts.hit.contains(x, y) && rpg::combatant(sc.state, it->id)) return it->id;
    return {};
}

void drawCombatants(Scene& sc, Ctx& ctx) {
    for (const Slot& slot : sc.slots) {
        const rpg::Combatant* c = rpg::combatant(sc.state, slot.id);
        if (c) drawUnit(sc, ctx, slot, *c);
    }
    if (sc.state.outcome != rpg::OutcomeRunning || sc.overPanel) return;
    const std::string id = unitAt(sc, ctx.input.x, ctx.input.y);
    const rpg::Combatant* c = id.empty() ? nullptr : rpg::combatant(sc.state, id);
    if (!c || !clickable(sc, *c)) return;
    const Slot* slot = lastSlotOf(sc, id);
    if (ctx.takeClick(slot->parts.hit)) clickUnit(sc, ctx, id);
}

} // namespace ui::battle
