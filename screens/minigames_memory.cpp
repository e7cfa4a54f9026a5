// Monster memory: six pairs, shown for a second after a countdown, then
// found two cards at a time. The first wrong pair loses.
#include "screens/minigames_memory.h"

#include <algorithm>
#include <numeric>
#include <utility>
#include <vector>

#include "platform/i18n.h"
#include "rules/monsters.h"
#include "ui/audio.h"
#include "fx/win_fx.h"
#include "ui/game_ui.h"
#include "ui/sprite.h"
#include "ui/theme.h"

namespace ui {

MemoryGameScreen::MemoryGameScreen(const GameState& entry)
    : table_(entry, {"memory.title", "memory.perfect", "memory.lost"}) {
    const play::MemoryDeal deal = play::dealMemory(MiniTable::loose());
    cards_.assign(deal.cards.begin(), deal.cards.end());
    const std::vector<rpg::MonsterDef>& catalogue = rpg::monsters();
    for (std::uint16_t index : deal.faces) {
        // Variants of one creature share the sprite and differ only in
        // their colours, so the recolouring is what tells them apart.
        const rpg::MonsterDef& m = catalogue[index];
        faces_.push_back({m.sprite, recolorOf(m.colours[0], m.colours[1], m.colours[2], m.colours[3],
                                              m.recolour != 0)});
    }
    shown_.assign(play::kMemoryCards, false);
    matched_.assign(play::kMemoryCards, false);
}

void MemoryGameScreen::update(Ctx& ctx) {
    // Input and layout: the table's header, rule box and play area.
    const std::optional<Rect> area = table_.open(ctx, celebration(ctx), i18n::tr("memory.info"));
    if (!area) return;
    // Draw: the game, then the banner once it is decided.
    play(ctx, *area);
    const bool goOn = table_.result(ctx, celebration(ctx));
    // Apply: the node settles.
    if (goOn) table_.settle();
}

const MiniTable& MemoryGameScreen::table() const { return table_; }

// Two celebrations flank the finished board, beneath it: never over its
// cards or the mistakes line. The table draws the left one, play() the
// right one before the cards.
Celebration MemoryGameScreen::celebration(const Ctx& ctx) const {
    const MemoryLayout L = memoryLayout(ctx.width, ctx.uiScale, table_.playArea());
    return {boardSide(ctx, false), 0.5 * (L.cardRect(0).y + L.cardRect(play::kMemoryCards - 1).y + L.card)};
}

void MemoryGameScreen::play(Ctx& ctx, const Rect& area) {
    const MemoryLayout L = memoryLayout(ctx.width, ctx.uiScale, area);
    const double t = table_.elapsed(ctx);
    if (t < kMemoryPreview) countdownDisc(ctx, L, t);
    else mistakesLine(ctx, L);
    const bool preview = t >= kMemoryPreview && t < kMemoryPlay;
    if (preview && !goPlayed_) {
        goPlayed_ = true;
        audio::play(audio::Sfx::Success);
    }
    if (mismatchAt_ > 0 && ctx.now - mismatchAt_ >= kMemoryMismatch) {
        mismatchAt_ = 0;
        table_.finish(ctx, false);
    }
    // Off the rule box and the mistakes line, under the cards: beneath all
    // the overlay draws where it reaches, so it may go on the GPU layer.
    if (table_.outcome() == MiniOutcome::Won) {
        drawWinFxBeneath(ctx, boardSide(ctx, true), celebration(ctx).y, ctx.now - table_.finishTime());
    }
    const bool clickable = table_.running() && t >= kMemoryPlay && mismatchAt_ <= 0;
    for (int i = 0; i < play::kMemoryCards; ++i) {
        const Rect r = L.cardRect(i);
        if (clickable && !shown_[i] && !matched_[i] && ctx.takeClick(r)) turn(ctx, i);
        const bool faceUp = preview || table_.outcome() == MiniOutcome::Lost || shown_[i] || matched_[i];
        if (faceUp) drawFace(ctx, r, i);
        else drawBack(ctx, r);
    }
}

double MemoryGameScreen::boardSide(const Ctx& ctx, bool right) const {
    const MemoryLayout L = memoryLayout(ctx.width, ctx.uiScale, table_.playArea());
    const double half = 0.5 * (4 * L.card + 3 * L.gap);
    return 0.5 * ctx.width + (right ? 1 : -1) * (half + 70 * ctx.uiScale);
}

void MemoryGameScreen::turn(const Ctx& ctx, int i) {
    audio::play(audio::Sfx::CardFlip);
    shown_[i] = true;
    if (firstPick_ < 0) {
        firstPick_ = i;
        return;
    }
    const int first = std::exchange(firstPick_, -1);
    if (cards_[first] != cards_[i]) {
        // Both stay open a moment, then the game is lost.
        ++mistakes_;
        mismatchAt_ = ctx.now;
        return;
    }
    audio::play(audio::Sfx::Match);
    for (int c : {first, i}) {
        matched_[c] = true;
        shown_[c] = false;
    }
    if (std::all_of(matched_.begin(), matched_.end(), [](bool m) { return m; })) table_.finish(ctx, mistakes_ == 0);
}

void MemoryGameScreen::countdownDisc(Ctx& ctx, const MemoryLayout& L, double t) {
    const int n = 3 - static_cast<int>(t);
    if (n != countdown_) {
        countdown_ = n;
        audio::play(audio::Sfx::Click);
    }
    const double s = ctx.uiScale;
    const double cx = 0.5 * ctx.width;
    fillCircle(ctx.cr, cx, L.top + 28 * s, 28 * s, theme::kPlateDark, 0.7);
    strokeCircle(ctx.cr, cx, L.top + 28 * s, 26 * s, 3 * s, theme::kLightGold);
    drawTextTop(ctx.cr, cx, L.top + 8 * s, num(n),
                TextStyle{.size = 30 * s, .bold = true, .color = theme::kBrightPlateText});
}

// On a dark plate like the countdown's: the sky behind it is too light
// for a small red line.
void MemoryGameScreen::mistakesLine(Ctx& ctx, const MemoryLayout& L) const {
    const double s = ctx.uiScale;
    const std::string text = i18n::tr("memory.mistakes", {{"n", num(mistakes_)}});
    const TextStyle st{
        .size = 15 * s, .bold = true, .color = mistakes_ == 0 ? theme::kLightGold : theme::kPlateRed};
    double tw = 0, th = 0;
    measureText(ctx.cr, text, st, &tw, &th);
    fillRoundedRect(ctx.cr, {0.5 * ctx.width - tw / 2 - 12 * s, L.top + 9 * s, tw + 24 * s, th + 10 * s}, 8 * s,
                    theme::kPlateDark, 0.7);
    drawShadowedTextTop(ctx.cr, 0.5 * ctx.width, L.top + 14 * s, text, st);
}

void MemoryGameScreen::drawFace(Ctx& ctx, const Rect& r, int i) const {
    const double s = ctx.uiScale;
    fillRoundedRect(ctx.cr, r, 8 * s, theme::kCardFace);
    strokeRoundedRect(ctx.cr, r, 8 * s, 3 * s, matched_[i] ? theme::kGainGreen : theme::kBevelDark);
    const Face& f = faces_[cards_[i]];
    drawSpriteCairo(ctx.cr, f.sprite, r.x + 8 * s, r.y + 8 * s, r.w - 16 * s, r.h - 16 * s, &f.recolor, 0, false,
                    1);
}

void MemoryGameScreen::drawBack(Ctx& ctx, const Rect& r) const {
    const double s = ctx.uiScale;
    fillRoundedRect(ctx.cr, r, 8 * s, theme::kCardBack);
    strokeRoundedRect(ctx.cr, r, 8 * s, 3 * s, theme::kCardBackLine);
    drawTextCentered(ctx.cr, r.x + r.w / 2, r.y + r.h / 2, "?",
                     TextStyle{.size = 26 * s, .bold = true, .color = theme::kCardBackLine});
}

} // namespace ui
