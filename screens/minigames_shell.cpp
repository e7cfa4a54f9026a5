// The shell game: watch the nut's cup through the shuffle, then pick it.
// A wrong pick costs a stake of lasting gold.
#include "screens/minigames_shell.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <utility>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "screens/common.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/theme.h"

namespace ui {

namespace {

constexpr double kWatchEnd = 1.42;   // the nut is shown until here
constexpr double kFirstSwap = 1.5;   // the first cups move from here
constexpr double kSwapPause = 0.06;  // between two swaps
constexpr double kNutLift = 72;      // how high a cup rises to show the nut

// Ease in and out: 2 v^2, then 1 - 2 (1 - v)^2.
double ease(double v) { return v < 0.5 ? 2 * v * v : 1 - 2 * (1 - v) * (1 - v); }

// A dome: a half circle over straight sides, the bottom corners rounded.
void cupPath(cairo_t* cr, const Rect& r, double corner) {
    const double rad = r.w / 2;
    const double cx = r.x + rad;
    const double bottom = r.y + r.h;
    cairo_new_path(cr);
    cairo_move_to(cr, r.x, bottom - corner);
    cairo_arc(cr, cx, r.y + rad, rad, kPi, 2 * kPi);
    cairo_arc(cr, r.x + r.w - corner, bottom - corner, corner, 0, kPi / 2);
    cairo_arc(cr, r.x + corner, bottom - corner, corner, kPi / 2, kPi);
    cairo_close_path(cr);
}

void drawCup(cairo_t* cr, const Rect& r, double s) {
    SavedState keep(cr);
    cupPath(cr, r, 8 * s);
    setColor(cr, theme::kCupWood);
    cairo_fill_preserve(cr);
    setColor(cr, theme::kBevelDark);
    cairo_set_line_width(cr, 3 * s);
    cairo_stroke(cr);
    const double band = 0.68 * r.w;
    fillRoundedRect(cr, {r.x + (r.w - band) / 2, r.y + 12 * s, band, 9 * s}, 5 * s, theme::kCupBand);
    fillRoundedRect(cr, {r.x + r.w - 20 * s, r.y + 18 * s, 12 * s, r.h - 26 * s}, 6 * s, theme::kPlateDark, 0.25);
}

} // namespace

ShellGameScreen::ShellGameScreen(const GameState& entry)
    : table_(entry, {"shell.title", "shell.win", "shell.lose"}),
      deal_(play::dealShell(MiniTable::loose(), store::run().depth)),
      stake_(play::shellStake(store::partyHeroes())) {
    double start = kFirstSwap;
    for (int k = 0; k < play::kShellSwapsMax; ++k) {
        swapStart_[k] = start;
        start += deal_.swapDuration[k] + kSwapPause;
    }
}

void ShellGameScreen::update(Ctx& ctx) {
    // Input and layout: the table's header, rule box and play area.
    const std::optional<Rect> area = table_.open(ctx, celebration(ctx), i18n::tr("shell.info", {{"n", num(stake_)}}));
    if (!area) return;
    // Draw: the game, then the banner once it is decided.
    play(ctx, *area);
    const bool goOn = table_.result(ctx, celebration(ctx), -1, i18n::tr("shell.lose", {{"n", num(stake_)}}));
    // Apply: the node settles.
    if (goOn) table_.settle();
}

const MiniTable& ShellGameScreen::table() const { return table_; }

// Where the nut's cup was last drawn.
Celebration ShellGameScreen::celebration(const Ctx& ctx) const {
    Celebration fx = MiniTable::centred(ctx);
    if (prizePoint_.first > 0) fx.x = prizePoint_.first;
    if (prizePoint_.second > 0) fx.y = prizePoint_.second;
    return fx;
}

void ShellGameScreen::play(Ctx& ctx, const Rect& area) {
    const ShellLayout L = shellLayout(ctx.width, ctx.uiScale, area);
    const double t = table_.elapsed(ctx);
    if (!swapsDone_ && t >= swapEnd(deal_.swapCount - 1)) swapsDone_ = true;

    // Where each cup stands (x) and how high it is lifted.
    std::array<double, 3> cupX{};
    std::array<double, 3> lift{};
    const char* phase = nullptr;
    if (t < kWatchEnd) {
        phase = "shell.watch";
        for (int i = 0; i < 3; ++i) cupX[i] = L.x[i];
        lift[deal_.prizeCup] = kNutLift * ctx.uiScale * watchLift(t);
    } else if (!swapsDone_ && table_.running()) {
        phase = "shell.shuffling";
        shuffling(L, t, &cupX);
    } else {
        const std::array<int, 3> order = play::cupsAfter(deal_, deal_.swapCount);
        for (int p = 0; p < 3; ++p) cupX[order[p]] = L.x[p];
        if (table_.running()) phase = "shell.pick";
        else lift[deal_.prizeCup] = kNutLift * ctx.uiScale * std::min((ctx.now - table_.finishTime()) / 0.22, 1.0);
    }

    if (phase) phaseText(ctx, area, phase);
    drawNut(ctx, cupX[deal_.prizeCup], L.baseY);
    for (int cup = 0; cup < 3; ++cup) drawCup(ctx.cr, L.cup(cupX[cup], lift[cup]), ctx.uiScale);
    const Rect prize = L.cup(cupX[deal_.prizeCup], lift[deal_.prizeCup]);
    prizePoint_ = {prize.x + prize.w / 2, prize.y + 0.25 * prize.h};

    if (table_.running() && swapsDone_) takePick(ctx, L, cupX);
}

double ShellGameScreen::swapEnd(int k) const { return swapStart_[k] + deal_.swapDuration[k]; }

// Up over 0.28 s, held, down from 1.18 s to 1.42 s.
double ShellGameScreen::watchLift(double t) {
    if (t < 0.28) return t / 0.28;
    if (t < 1.18) return 1;
    return std::max((kWatchEnd - t) / (kWatchEnd - 1.18), 0.0);
}

// The current swap runs from the end of the one before (the first from
// the end of watching) to its own end; its sound plays as it begins.
void ShellGameScreen::shuffling(const ShellLayout& L, double t, std::array<double, 3>* cupX) {
    int k = 0;
    while (k < deal_.swapCount - 1 && t >= swapEnd(k)) ++k;
    if (lastSwap_ != k) {
        lastSwap_ = k;
        audio::play(audio::Sfx::Shuffle);
    }
    const std::array<int, 3> order = play::cupsAfter(deal_, k);
    for (int p = 0; p < 3; ++p) (*cupX)[order[p]] = L.x[p];
    const double v = std::clamp((t - swapStart_[k]) / deal_.swapDuration[k], 0.0, 1.0);
    const int from = deal_.swapFrom[k];
    const int to = deal_.swapTo[k];
    const double shift = (L.x[to] - L.x[from]) * ease(v);
    (*cupX)[order[from]] = L.x[from] + shift;
    (*cupX)[order[to]] = L.x[to] - shift;
}

// On a sky plate: the clouds drift behind it.
void ShellGameScreen::phaseText(Ctx& ctx, const Rect& area, const char* key) const {
    const double s = ctx.uiScale;
    TextStyle st{.size = 14 * s, .bold = true, .color = theme::kLightGold};
    st.upperCase = true;
    const std::string text = i18n::tr(key);
    double tw = 0, th = 0;
    measureText(ctx.cr, text, st, &tw, &th);
    skyPlate(ctx, {0.5 * ctx.width - tw / 2 - 10 * s, area.y - 2 * s, tw + 20 * s, th + 4 * s});
    drawShadowedTextTop(ctx.cr, 0.5 * ctx.width, area.y, text, st);
}

void ShellGameScreen::drawNut(Ctx& ctx, double x, double baseY) const {
    const double s = ctx.uiScale;
    fillCircle(ctx.cr, x, baseY - 34 * s, 12 * s, theme::kNut);
    strokeCircle(ctx.cr, x, baseY - 34 * s, 11 * s, 2 * s, theme::kNutRing);
}

void ShellGameScreen::takePick(Ctx& ctx, const ShellLayout& L, const std::array<double, 3>& cupX) {
    for (int cup = 0; cup < 3; ++cup) {
        if (!ctx.takeClick(L.cup(cupX[cup], 0))) continue;
        // The stake goes at once, before the node is settled.
        if (cup != deal_.prizeCup) play::payShellStake();
        table_.finish(ctx, cup == deal_.prizeCup);
        return;
    }
}

} // namespace ui
