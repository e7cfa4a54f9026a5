// Playback of the engine's events: impact effects first, then the numbers,
// status words, sounds and the loot of steals; and the rising floats.
#include <algorithm>
#include <cmath>
#include <optional>
#include <utility>

#include "play/battle.h"
#include "platform/i18n.h"
#include "screens/battle_scene.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/theme.h"

namespace ui::battle {
namespace {

using Event = rpg::CombatEvent;

bool isStatus(const Event& e, rpg::StatusKind kind) { return e.hasStatus && e.status == kind; }
bool knownStatus(const Event& e) { return static_cast<int>(e.status) < rpg::kStatusCount; }

// --- Pass 1: impact effects ---

struct Impact {
    double px = 0, py = 0;  // the target's aim point
    bool hasActor = false;
    double ax = 0, ay = 0;  // the actor's aim point
};

void burst(Scene& sc, Ctx& ctx, const Impact& at, std::uint32_t color, int count, double size, bool flash, bool ring) {
    sc.fx.burst.push_back({ctx.now, at.px, at.py, color, count, size, flash, ring});
}

void link(Scene& sc, Ctx& ctx, const Impact& at, std::uint32_t a, std::uint32_t b) {
    if (at.hasActor) sc.fx.link.push_back({ctx.now, at.ax, at.ay, at.px, at.py, a, b});
}

void damageBurst(Scene& sc, Ctx& ctx, const Event& e, const Impact& at) {
    const rpg::Combatant* t = rpg::combatant(sc.state, e.target);
    const double r = t && t->stats.maxHp > 0 ? std::min(e.amount / t->stats.maxHp, 1.0) : 0.0;
    if (e.crit) {
        burst(sc, ctx, at, theme::kLightGold, static_cast<int>(std::lround(10 * r + 14)), 18 * r + 46, true, true);
    } else {
        burst(sc, ctx, at, theme::kHpRed, static_cast<int>(std::lround(10 * r + 8)), 18 * r + 32, true, r > 0.3);
    }
}

void healBurst(Scene& sc, Ctx& ctx, const Event& e, const Impact& at) {
    if (e.actor.empty()) {
        burst(sc, ctx, at, theme::kGainGreen, 6, 22, false, false);
        return;
    }
    sc.fx.column.push_back({ctx.now, at.px, at.py});
    if (e.kind == Event::Revive) burst(sc, ctx, at, theme::kGainGreen, 10, 28, false, false);
}

void statusBurst(Scene& sc, Ctx& ctx, const Event& e, const Impact& at) {
    const bool positive = rpg::statusDesc(e.status).positive;
    burst(sc, ctx, at, positive ? theme::kLightGold : theme::kCurseViolet, 8, 26, false, false);
    if (isStatus(e, rpg::StatusKind::Regen)) {
        sc.fx.column.push_back({ctx.now, at.px, at.py});
        return;
    }
    if (positive) link(sc, ctx, at, theme::kSparkYellow, theme::kSparkGlow);
    else link(sc, ctx, at, theme::kCurseViolet, theme::kCurseGlow);
}

std::uint32_t tickColor(const Event& e) {
    if (isStatus(e, rpg::StatusKind::Poison)) return theme::kPoisonGreen;
    if (isStatus(e, rpg::StatusKind::Burn)) return theme::kBurnOrange;
    return theme::kGainGreen;
}

void impact(Scene& sc, Ctx& ctx, const Event& e) {
    if (e.target.empty()) return;
    Impact at;
    if (!posOf(sc, ctx, e.target, &at.px, &at.py)) return;
    if (!e.actor.empty() && e.actor != e.target) at.hasActor = posOf(sc, ctx, e.actor, &at.ax, &at.ay);
    switch (e.kind) {
    case Event::Damage: damageBurst(sc, ctx, e, at); break;
    case Event::Heal:
    case Event::Revive: healBurst(sc, ctx, e, at); break;
    case Event::StatusApplied:
        if (knownStatus(e)) statusBurst(sc, ctx, e, at);
        break;
    case Event::Purified:
        burst(sc, ctx, at, theme::kReviveYellow, 10, 30, false, false);
        link(sc, ctx, at, theme::kSparkYellow, theme::kSparkGlow);
        break;
    case Event::Tick: burst(sc, ctx, at, tickColor(e), 6, 34, false, false); break;
    default: break;
    }
}

// --- Pass 2: texts, sounds and loot ---

// The loot goes to the run through the play layer; a stolen item shows no
// word, and the coin rings for every steal, a failed one too.
void steal(Scene& sc, Ctx& ctx, const Event& e, double x, double y) {
    if (e.looted) addFloat(sc, ctx, i18n::tr("battle.alreadyLooted"), x, y, theme::kMutedText);
    else if (e.amount == 0 && e.item.empty()) addFloat(sc, ctx, i18n::tr("battle.stealFail"), x, y, theme::kHpRed);
    if (play::takeStolen(sc.state, e).done && e.amount > 0) {
        const std::string what = num(e.amount) + " " + i18n::tr("common.gold");
        addFloat(sc, ctx, i18n::tr("battle.stolen", {{"what", what}}), x, y, theme::kLightGold);
    }
    audio::play(audio::Sfx::Coin);
}

void tickText(Scene& sc, Ctx& ctx, const Event& e, double x, double y) {
    const bool gain = isStatus(e, rpg::StatusKind::Regen);
    const std::uint32_t color = e.mana ? theme::kManaBlue : gain ? theme::kGainGreen : theme::kPoisonGreen;
    addFloat(sc, ctx, (gain ? "+" : "-") + num(e.amount), x, y, color);
}

void announceEvent(Scene& sc, Ctx& ctx, const Event& e) {
    double x = ctx.width / 2, y = ctx.height / 2;
    for (const Slot& slot : sc.slots) {
        if (slot.id != e.target) continue;
        x = slot.x;
        y = slot.y - 30 * ctx.uiScale;
    }
    switch (e.kind) {
    case Event::Damage:
        sc.anims[e.target].hit = ctx.now;
        addFloat(sc, ctx, "-" + num(e.amount), x, y, e.crit ? theme::kLightGold : theme::kHpRed);
        audio::play(e.crit ? audio::Sfx::Crit : audio::Sfx::HitPhys);
        break;
    case Event::Heal:
        addFloat(sc, ctx, "+" + num(e.amount), x, y, e.mana ? theme::kManaBlue : theme::kGainGreen);
        audio::play(audio::Sfx::Heal);
        break;
    case Event::StatusApplied: {
        if (!knownStatus(e)) break;
        const rpg::StatusDef& d = rpg::statusDesc(e.status);
        addFloat(sc, ctx, i18n::tr(d.nameKey) + i18n::exclamationMark(), x, y, d.colour);
        audio::play(audio::Sfx::Buff);
        break;
    }
    case Event::Purified:
        if (e.amount > 0) addFloat(sc, ctx, i18n::tr("battle.purified"), x, y, theme::kGainGreen);
        break;
    case Event::Death: audio::play(audio::Sfx::Death); break;
    case Event::Revive: audio::play(audio::Sfx::Revive); break;
    case Event::Tick: tickText(sc, ctx, e, x, y); break;
    case Event::StunnedSkip: addFloat(sc, ctx, i18n::tr("battle.stunnedSkip"), x, y, theme::kLightGold); break;
    case Event::Steal: steal(sc, ctx, e, x, y); break;
    default: break;
    }
}

} // namespace

void consume(Scene& sc, Ctx& ctx, const rpg::ActionOutcome& out) {
    for (const Event& e : out.events) impact(sc, ctx, e);
    for (const Event& e : out.events) announceEvent(sc, ctx, e);
}

namespace {

bool overlaps(const Rect& a, const Rect& b) {
    return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h;
}

bool alive(const Float& f, double now) { return now - f.start <= kFloatLife; }

bool besides(const Rect& a, const Rect& b) { return a.x + a.w <= b.x || b.x + b.w <= a.x; }

} // namespace

Rect floatRect(Scene& sc, Ctx& ctx, const Float& f, double now) {
    const double s = ctx.uiScale;
    const TextCache::Size m =
        sc.texts.measure(ctx.cr, f.text, TextStyle{.size = std::round(15 * s), .bold = true, .align = Align::Centre});
    const double pad = f.boxed ? 6 * s : 0;
    const double y = f.y - std::min(40 * s * (now - f.start), f.rise);
    return {f.x - m.w / 2 - pad, y - m.h / 2 - pad / 2, m.w + 2 * pad, m.h + pad};
}

void addFloat(Scene& sc, Ctx& ctx, std::string text, double x, double y, std::uint32_t color, bool boxed) {
    sc.floats.push_back({std::move(text), x, y, ctx.now, color, boxed});
}

void placeFloats(Scene& sc, Ctx& ctx) {
    const double s = ctx.uiScale;
    // What a float must not cover: a word over a bar hides the numbers;
    // above the units the round, the turn and the banner stand.
    static constexpr Rect UnitParts::*kept[] = {&UnitParts::chips, &UnitParts::name, &UnitParts::bars};
    const Rect header{0, 0, ctx.width, kUnitsTop * s - 2 * s};
    bool placedAny = false;
    for (Float& f : sc.floats) {
        if (f.placed) continue;
        f.placed = placedAny = true;
        // Whole inside the window.
        const Rect r = floatRect(sc, ctx, f, ctx.now);
        const double margin = 4 * s;
        if (r.w + 2 * margin < ctx.width) f.x = std::clamp(f.x, r.w / 2 + margin, ctx.width - r.w / 2 - margin);
        // Clear of every float placed before, of the units' status chips,
        // names and bars and of the header: one or two lines lower, else
        // higher, so a quick run of hits does not climb into the banner. Floats rise alike until one
        // stops under what stands above it, so two that are apart when the
        // later one starts stay apart.
        const double anchor = f.y;
        const double step = floatRect(sc, ctx, f, ctx.now).h + 2 * s;
        auto meetsFloat = [&](const Rect& mine) {
            return std::any_of(sc.floats.begin(), sc.floats.end(), [&](const Float& o) {
                return &o != &f && o.placed && alive(o, ctx.now) && overlaps(mine, floatRect(sc, ctx, o, ctx.now));
            });
        };
        auto meetsUnit = [&](const Rect& mine) {
            return std::any_of(sc.slots.begin(), sc.slots.end(), [&](const Slot& u) {
                return std::any_of(std::begin(kept), std::end(kept), [&](Rect UnitParts::*part) {
                    const Rect& r = u.parts.*part;
                    return r.w > 0 && overlaps(mine, r);
                });
            });
        };
        // Where nothing is clear, the first line that keeps clear of the
        // other words and the header will do, else one clear of the header.
        std::optional<double> apart, belowHeader;
        bool clear = false;
        for (const int lines : {0, 1, 2, 3, 4, 5, 6, -1, -2, -3, -4, -5}) {
            f.y = anchor + lines * step;
            const Rect mine = floatRect(sc, ctx, f, ctx.now);
            if (overlaps(mine, header)) continue;
            if (!belowHeader) belowHeader = f.y;
            if (meetsFloat(mine)) continue;
            if (!apart) apart = f.y;
            clear = !meetsUnit(mine);
            if (clear) break;
        }
        if (!clear) f.y = apart ? *apart : belowHeader.value_or(anchor);
        // It rises until it would meet a unit's part above it.
        const Rect mine = floatRect(sc, ctx, f, ctx.now);
        auto stopUnder = [&](const Rect& above) {
            if (above.w <= 0 || besides(mine, above) || above.y + above.h > mine.y + 0.5) return;
            f.rise = std::min(f.rise, std::max(0.0, mine.y - (above.y + above.h) - 2 * s));
        };
        stopUnder(header);
        for (const Slot& u : sc.slots)
            for (Rect UnitParts::*part : kept) stopUnder(u.parts.*part);
    }
    // Floats rise alike, so one below another meets it only where that one
    // stops: every float stops under where the floats above it come to rest,
    // until none has to stop sooner (rises only shorten, so this ends).
    for (bool changed = placedAny; changed;) {
        changed = false;
        for (Float& lower : sc.floats) {
            if (!lower.placed || !alive(lower, ctx.now)) continue;
            for (const Float& upper : sc.floats) {
                if (&upper == &lower || !upper.placed || !alive(upper, ctx.now)) continue;
                const double both = std::max(lower.start, upper.start);  // once both are on screen
                const Rect low = floatRect(sc, ctx, lower, both), up = floatRect(sc, ctx, upper, both);
                if (besides(low, up) || up.y > low.y) continue;
                const Rect start = floatRect(sc, ctx, lower, lower.start);
                const Rect rest = floatRect(sc, ctx, upper, upper.start + kFloatLife);
                const double limit = std::max(0.0, start.y - (rest.y + rest.h) - 2 * s);
                if (limit < lower.rise - 1e-9) {
                    lower.rise = limit;
                    changed = true;
                }
            }
        }
    }
}

void drawFloats(Scene& sc, Ctx& ctx) {
    const double s = ctx.uiScale;
    std::erase_if(sc.floats, [&](const Float& f) { return !alive(f, ctx.now); });
    placeFloats(sc, ctx);
    TextStyle st{.size = std::round(15 * s), .bold = true, .align = Align::Centre};
    for (const Float& f : sc.floats) {
        const double age = ctx.now - f.start;
        st.alpha = std::max(0.0, 1 - age / kFloatLife);
        st.color = f.color;
        const Rect r = floatRect(sc, ctx, f, ctx.now);
        if (f.boxed) {
            fillRoundedRect(ctx.cr, r, 5 * s, theme::kPlateDark, 0.92 * st.alpha);
            strokeRoundedRect(ctx.cr, r, 5 * s, 1.5 * s, f.color, 0.8 * st.alpha);
        }
        const double top = r.y + r.h / 2 - sc.texts.measure(ctx.cr, f.text, st).h / 2;
        // Ringed in black all round: the words rise through bursts and glows
        // of every colour.
        TextStyle ring = st;
        ring.color = theme::kShadowBlack;
        ring.alpha = std::min(1.0, 2 * st.alpha);  // dark while the word still reads
        for (const auto& [dx, dy] : {std::pair{-1, 0}, {1, 0}, {0, -1}, {0, 1}})
            sc.texts.draw(ctx.cr, f.x + dx, top + dy, f.text, ring);
        sc.texts.draw(ctx.cr, f.x, top, f.text, st);
    }
}

} // namespace ui::battle
