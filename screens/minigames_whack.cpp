// Whack-a-monster: a monster hides in one of nine holes; pick one and strike.
#include "screens/minigames_whack.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "platform/i18n.h"
#include "ui/audio.h"
#include "ui/beneath.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

// The hammer's swing over the seconds since the result: raised (0), down on
// the hole (1), a bounce and a second knock.
double swing(double d) {
    static constexpr double kKeys[][2] = {{0, 0},    {0.3, 0.06}, {0.56, 1}, {0.78, 0.5},
                                          {0.98, 1}, {1.14, 0.85}, {1.28, 1}};
    if (d <= 0) return 0;
    for (std::size_t i = 1; i < std::size(kKeys); ++i) {
        if (d < kKeys[i][0]) {
            const double f = (d - kKeys[i - 1][0]) / (kKeys[i][0] - kKeys[i - 1][0]);
            return kKeys[i - 1][1] + f * (kKeys[i][1] - kKeys[i - 1][1]);
        }
    }
    return 1;
}

// The centre line of the hole's mouth, a flat ellipse (0.43 by 0.13 of the
// hole) that ends just inside the hole's bottom edge.
double mouthY(const Rect& hole, double s) { return hole.y + (1 - 0.43 * 0.3) * hole.w - 5 * s; }

void drawHammer(cairo_t* cr, const Rect& hole, double a) {
    const double u = hole.w;
    SavedState keep(cr);
    cairo_translate(cr, hole.x + 0.56 * u, hole.y + 0.1 * u + 0.42 * u * a);
    cairo_rotate(cr, (62 * a - 62) * kPi / 180);
    cairo_scale(cr, -1, 1);
    const Rect head{-0.15 * u, -0.2 * u, 0.3 * u, 0.4 * u};
    fillRoundedRect(cr, head, 0.03 * u, theme::kHammerHead);
    strokeRoundedRect(cr, head, 0.03 * u, 0.03 * u, theme::kBevelDark);
    fillRoundedRect(cr, {0.13 * u, -0.075 * u, 0.52 * u, 0.15 * u}, 0.05 * u, theme::kHammerHandle);
}

void drawImpact(cairo_t* cr, const Rect& hole, double d) {
    if (d <= 0.56 || d >= 1.2) return;
    const double y = (d - 0.56) / 0.64;
    const double z = y < 0.5 ? std::sin(2 * kPi * y) : 0;
    if (z <= 0) return;
    const double u = hole.w;
    const double cx = hole.x + u / 2;
    const double cy = hole.y + 0.48 * u;
    fillCircle(cr, cx, cy, (1.3 * y + 0.5) * 0.25 * u, theme::kHitFlash, 0.85 * z);
    for (int k = 0; k < 6; ++k) {
        const double angle = k * kPi / 3;
        fillCircle(cr, cx + std::cos(angle) * 0.5 * u * y, cy + std::sin(angle) * 0.5 * u * y, (y + 0.4) * 0.05 * u,
                   theme::kHitSpark, z);
    }
}

} // namespace

WhackGameScreen::WhackGameScreen(const GameState& entry)
    : table_(entry, {"whack.title", "whack.win", "whack.lose"}), monsterHole_(play::hideMonster(MiniTable::loose())) {}

void WhackGameScreen::update(Ctx& ctx) {
    // Input and layout: the table's header, rule box and play area.
    const std::optional<Rect> area = table_.open(ctx, celebration(ctx), i18n::tr("whack.info"));
    if (!area) return;
    // Draw: the game, then the banner once it is decided.
    play(ctx, *area);
    const bool goOn = table_.result(ctx, celebration(ctx));
    // Apply: the node settles.
    if (goOn) table_.settle();
}

const MiniTable& WhackGameScreen::table() const { return table_; }

// The celebration bursts from the hole the hammer struck, over the holes.
Celebration WhackGameScreen::celebration(const Ctx& ctx) const {
    const Rect hole = struckHole(ctx);
    return {hole.x + hole.w / 2, hole.y + hole.h / 2, true};
}

void WhackGameScreen::play(Ctx& ctx, const Rect& area) {
    if (struck_) timeline(ctx);
    const WhackLayout L = whackLayout(ctx.width, ctx.uiScale, area, table_.running());
    const double sinceStrike = ctx.now - strikeAt_;
    for (int i = 0; i < 9; ++i) {
        Rect hole = L.holeRect(i);
        if (struck_ && sinceStrike < kWhackPeek) {
            hole.x += 0.03 * hole.w * std::sin(45 * ctx.now + i);
            hole.y += 0.02 * hole.w * std::cos(45 * ctx.now + i);
        }
        drawHole(ctx, hole, i);
        if (!struck_ && ctx.takeClick(hole)) {
            audio::play(audio::Sfx::Click);
            pickedHole_ = i;
        }
    }
    // Over every hole, since the handle reaches past its own.
    if (!table_.running() && pickedHole_ >= 0) {
        const Rect hole = L.holeRect(pickedHole_);
        drawHammer(ctx.cr, hole, swing(ctx.now - table_.finishTime()));
        drawImpact(ctx.cr, hole, ctx.now - table_.finishTime());
    }
    if (table_.running()) strikeButton(ctx, L.button);
}

Rect WhackGameScreen::struckHole(const Ctx& ctx) const {
    const int i = pickedHole_ >= 0 ? pickedHole_ : 4;
    return whackLayout(ctx.width, ctx.uiScale, table_.playArea(), table_.running()).holeRect(i);
}

// Judged by the time passed, so every frame rate hears the same moments.
void WhackGameScreen::timeline(const Ctx& ctx) {
    const double since = ctx.now - strikeAt_;
    if (since >= kWhackPeek && !peekPlayed_) {
        peekPlayed_ = true;
        audio::play(audio::Sfx::Pop);
    }
    if (since >= kWhackResult) table_.finish(ctx, pickedHole_ == monsterHole_);
}

namespace {

struct HolePaint {
    double w, h, s;
    bool picked;
};

// The hole's body: its plate (gold-lit when picked) and its rim.
void holeBody(cairo_t* cr, const Rect& hole, double s, bool picked) {
    if (picked) fillRoundedRect(cr, hole, 10 * s, theme::kGold, 0.18);
    fillRoundedRect(cr, hole, 10 * s, theme::kMoleHole, picked ? 0.8 : 1.0);
    strokeRoundedRect(cr, hole, 10 * s, 3 * s, picked ? theme::kLightGold : theme::kMoleHoleLine);
}

void holeMouth(cairo_t* cr, const Rect& hole, double s) {
    SavedState keep(cr);
    const double u = hole.w;
    cairo_translate(cr, hole.x + u / 2, mouthY(hole, s));
    cairo_scale(cr, 1, 0.3);
    fillCircle(cr, 0, 0, 0.43 * u, theme::kMoleMouth);
}

// The picture of an empty hole stands 2 s in from its rim's outer edge.
void paintHole(cairo_t* cr, void* user) {
    const HolePaint& p = *static_cast<const HolePaint*>(user);
    const Rect hole{2 * p.s, 2 * p.s, p.w, p.h};
    holeBody(cr, hole, p.s, p.picked);
    holeMouth(cr, hole, p.s);
}

} // namespace

// A hole without the monster in it never changes but for its place (it
// shakes while the hammer falls), and nothing the overlay draws lies beneath
// it, so it is painted once and drawn beneath the overlay. The monster's
// hole stays on the overlay: its mouth covers the monster's lower half.
void WhackGameScreen::drawHole(Ctx& ctx, const Rect& hole, int i) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const bool picked = i == pickedHole_;
    const bool monster = i == monsterHole_ && struck_ && ctx.now - strikeAt_ >= kWhackPeek;
    if (!monster) {
        HolePaint paint{hole.w, hole.h, s, picked};
        char key[80];
        std::snprintf(key, sizeof key, "whack.hole|%d|%.3f|%.3f|%.4f", picked ? 1 : 0, hole.w, hole.h, s);
        beneath::still(ctx, key, {hole.x - 2 * s, hole.y - 2 * s, hole.w + 4 * s, hole.h + 4 * s}, paintHole, &paint);
        return;
    }
    holeBody(cr, hole, s, picked);
    if (monster) drawMonster(ctx, hole, picked);
    holeMouth(cr, hole, s);
}

// The monster rises out of its hole; a winning strike squashes it.
void WhackGameScreen::drawMonster(Ctx& ctx, const Rect& hole, bool picked) const {
    const double u = hole.w;
    const double k = std::min((ctx.now - strikeAt_ - kWhackPeek) / 0.12, 1.0);
    double q = 0;
    if (table_.outcome() == MiniOutcome::Won && picked) {
        const double x = ctx.now - table_.finishTime() - 0.23;
        if (x > 0 && x < 0.09) q = x / 0.09;
        else if (x >= 0.09) q = std::max(1 - 0.3 * (x - 0.09) / 0.32, 0.7);
    }
    // The mole's art fills only the lower half of its frame: at 0.6 u
    // the mouth would hide all but a sliver of it.
    const double M = 0.8 * u;
    const double cx = hole.x + u / 2;
    const double cy = mouthY(hole, ctx.uiScale) + 2 * ctx.uiScale - 0.5 * M + 0.14 * u * q + 0.55 * u * (1 - k);
    SavedState keep(ctx.cr);
    // Still below ground while it rises: only the hole shows it.
    roundedRectPath(ctx.cr, hole, 10 * ctx.uiScale);
    cairo_clip(ctx.cr);
    cairo_translate(ctx.cr, cx, cy);
    cairo_scale(ctx.cr, 1 + 0.3 * q, 1 - 0.55 * q);
    drawSpriteCairo(ctx.cr, "mole", -M / 2, -M / 2, M, M, nullptr, 0, false, k);
}

void WhackGameScreen::strikeButton(Ctx& ctx, const Rect& r) {
    const std::string label = i18n::tr("whack.strike");
    if (pickedHole_ < 0 || struck_) {
        drawDisabledButton(ctx, r, label, 15 * ctx.uiScale, 0);
        return;
    }
    if (menuButton(ctx, r, label, true)) {
        audio::play(audio::Sfx::Whack);
        struck_ = true;
        strikeAt_ = ctx.now;
    }
}

} // namespace ui
