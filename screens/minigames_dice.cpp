// The dice duel: three dice against the rogue's three, revealed one by one.
#include "screens/minigames_dice.h"

#include <algorithm>
#include <cmath>

#include "platform/i18n.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

constexpr double kPi2 = 2 * kPi;

// Pips of each face on a 3 x 3 grid, cells numbered row by row, -1 ends.
constexpr int kPips[7][7] = {
    {-1},
    {4, -1},
    {0, 8, -1},
    {0, 4, 8, -1},
    {0, 2, 6, 8, -1},
    {0, 2, 4, 6, 8, -1},
    {0, 2, 3, 5, 6, 8, -1},
};

// The face a spinning die shows: a new one every 0.07 s, fixed per slot.
int spinFace(double timeInSlot, int slot) {
    std::uint32_t h = static_cast<std::uint32_t>(timeInSlot / 0.07) * 0x27D4EB2Fu +
                      static_cast<std::uint32_t>(slot) * 0x165667B1u;
    h ^= h >> 13;
    h *= 0x4BF19F61u;
    h ^= h >> 16;
    return static_cast<int>(h % 6) + 1;
}

void drawDie(cairo_t* cr, double cx, double cy, double side, const DieLook& look) {
    const double S = side * look.scale;
    SavedState keep(cr);
    cairo_translate(cr, cx, cy - look.lift);
    cairo_rotate(cr, look.angle * kPi / 180);
    const Rect body{-S / 2, -S / 2, S, S};
    const double line = std::max(0.05 * S, 2.0);
    if (look.hidden) {
        fillRoundedRect(cr, body, 0.17 * S, theme::kDieHidden);
        strokeRoundedRect(cr, body, 0.17 * S, line, theme::kDieHiddenEdge);
        drawTextCentered(cr, 0, 0, "?",
                         TextStyle{.size = std::round(0.43 * S), .bold = true, .color = theme::kDieHiddenMark});
        return;
    }
    fillRoundedRect(cr, body, 0.17 * S, theme::kDieFace);
    strokeRoundedRect(cr, body, 0.17 * S, line, theme::kChipInk);
    const int face = std::clamp(look.face, 1, 6);
    for (const int* c = kPips[face]; *c >= 0; ++c) {
        const double px = (*c % 3 + 0.5) * S / 3 - S / 2;
        const double py = (*c / 3 + 0.5) * S / 3 - S / 2;
        fillCircle(cr, px, py, 0.09 * S, look.rogue ? theme::kRoguePip : theme::kPlayerPip);
    }
}

} // namespace

DiceGameScreen::DiceGameScreen(const GameState& entry) : table_(entry, {"dice.title", "dice.win", "dice.lose"}) {
    dice_.fill(1);
}

void DiceGameScreen::update(Ctx& ctx) {
    // Input and layout: the table's header, rule box and play area.
    const std::optional<Rect> area = table_.open(ctx, celebration(ctx), i18n::tr("dice.info"));
    if (!area) return;
    // Draw: the game, then the banner once it is decided.
    play(ctx, *area);
    const bool goOn = table_.result(ctx, celebration(ctx), bannerY_);
    // Apply: the node settles.
    if (goOn) table_.settle();
}

const MiniTable& DiceGameScreen::table() const { return table_; }

// Over the banner, once it stands where the roll button was.
bool DiceGameScreen::Reveal::spinning(int n) const { return n == slot && n < kDiceSlots && inSlot < kDiceSpin; }
bool DiceGameScreen::Reveal::landing(int n) const { return n == slot && n < kDiceSlots && inSlot >= kDiceSpin; }

Celebration DiceGameScreen::celebration(const Ctx& ctx) const {
    Celebration fx = MiniTable::centred(ctx);
    if (bannerY_ > 0) fx.y = bannerY_ + 16 * ctx.uiScale;
    return fx;
}

void DiceGameScreen::play(Ctx& ctx, const Rect& area) {
    const DiceLayout L = diceLayout(ctx.width, ctx.uiScale, area);
    bannerY_ = L.button.y;
    const Reveal rv = reveal(ctx);
    if (rolled_) playSounds(rv);
    if (rolled_ && rv.slot >= kDiceSlots) table_.finish(ctx, play::diceWon(dice_));

    const bool rogueSpins = rv.spinning(rv.slot) && rv.slot % 2 == 0;
    const bool playerSpins = rv.spinning(rv.slot) && rv.slot % 2 == 1;
    drawRow(ctx, L, L.rogueY, true, rogueSpins, rv);
    drawRow(ctx, L, L.playerY, false, playerSpins, rv);
    if (table_.running()) rollButton(ctx, L.button);
}

DiceGameScreen::Reveal DiceGameScreen::reveal(const Ctx& ctx) const {
    Reveal rv;
    if (!rolled_) return rv;
    const double t = ctx.now - rollStart_;
    rv.slot = static_cast<int>(t / kDiceSlot);
    rv.inSlot = t - kDiceSlot * rv.slot;
    rv.revealed = std::min(rv.slot + (rv.inSlot >= kDiceSpin ? 1 : 0), kDiceSlots);
    return rv;
}

// Each slot rolls once and lands once. The sounds start in the frame
// that first sees the phase, so a slow frame delays them instead of
// swallowing them.
void DiceGameScreen::playSounds(const Reveal& rv) {
    if (rv.slot >= kDiceSlots) return;
    if (rv.inSlot < kDiceSpin && lastSpinSound_ < rv.slot) {
        lastSpinSound_ = rv.slot;
        audio::play(audio::Sfx::DiceRoll);
    }
    if (rv.inSlot >= kDiceSpin && lastLandSound_ < rv.slot) {
        lastSpinSound_ = std::max(lastSpinSound_, rv.slot);
        lastLandSound_ = rv.slot;
        audio::play(audio::Sfx::DiceLand);
    }
}

void DiceGameScreen::drawRow(Ctx& ctx, const DiceLayout& L, double y, bool rogue, bool highlighted, const Reveal& rv) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double d = L.die;
    const double g = std::max(0.23 * d, 10 * s);
    const double cx = 0.5 * ctx.width;
    const double rowW = 3 * d + 2 * g + 16 * s;
    if (highlighted) {
        const Rect frame{cx - rowW / 2, y - 6 * s, rowW, L.rowH};
        fillRoundedRect(cr, frame, 12 * s, theme::kGold, 0.12);
        strokeRoundedRect(cr, frame, 12 * s, 2 * s, theme::kLightGold);
    }

    int sum = 0;
    int shown = 0;
    for (int k = 0; k < 3; ++k) {
        const int slot = rogue ? 2 * k : 2 * k + 1;
        const int value = dice_[rogue ? 3 + k : k];
        if (slot < rv.revealed) {
            sum += value;
            ++shown;
        }
        const double left = cx - (3 * d + 2 * g) / 2 + k * (d + g);
        drawDie(cr, left + d / 2, y + 24 * s + d / 2, d, look(ctx, slot, value, rogue, rv));
    }

    std::string label = i18n::tr(rogue ? "dice.npc" : "dice.you");
    if (shown > 0) label += "  " + num(sum);
    TextStyle st{.size = 14 * s, .bold = true, .color = highlighted ? theme::kShineWhite : theme::kLightGold};
    st.align = Align::Centre;
    drawShadowedTextTop(cr, cx, y, label, st);
}

DieLook DiceGameScreen::look(const Ctx& ctx, int slot, int value, bool rogue, const Reveal& rv) const {
    DieLook lk;
    lk.rogue = rogue;
    lk.face = value;
    lk.hidden = slot >= rv.revealed && !rv.spinning(slot);
    if (rv.spinning(slot)) {
        const double b = 0.5 - 0.5 * std::cos(kPi2 * std::fmod(rv.inSlot, 0.32) / 0.32);
        lk.face = spinFace(rv.inSlot, slot);
        lk.angle = std::fmod(ctx.now * 1200, 360.0);
        lk.lift = 12 * ctx.uiScale * b;
        lk.scale = 1 + 0.08 * b;
    } else if (rv.landing(slot)) {
        const double p = rv.inSlot - kDiceSpin;
        const double u = p < 0.09 ? p / 0.09 : p < 0.25 ? 1 - (p - 0.09) / 0.16 : 0;
        lk.scale = 1 + 0.18 * u;
        lk.lift = 4 * ctx.uiScale * u;
    }
    return lk;
}

void DiceGameScreen::rollButton(Ctx& ctx, const Rect& r) {
    if (rolled_) {
        drawDisabledButton(ctx, r, i18n::tr("dice.roll"), 16 * ctx.uiScale, 6 * ctx.uiScale);
        return;
    }
    if (menuButton(ctx, r, i18n::tr("dice.roll"), true)) {
        dice_ = play::rollDice(MiniTable::loose());
        rolled_ = true;
        rollStart_ = ctx.now;
    }
}

} // namespace ui
