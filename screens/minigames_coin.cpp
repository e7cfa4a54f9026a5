// The coin toss: call heads or tails, then the coin flies, spins and lands.
#include "screens/minigames_coin.h"

#include <algorithm>
#include <cmath>

#include "platform/i18n.h"
#include "screens/common.h"
#include "ui/audio.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

constexpr const char* kHeadsMark = "\u265B";  // ♛
constexpr const char* kTailsMark = "\u2726";  // ✦
constexpr int kSparks = 28;

double square(double x) { return x * x; }

} // namespace

CoinGameScreen::CoinGameScreen(const GameState& entry)
    : table_(entry, {"coin.title", "coin.win", "coin.lose"}), heads_(play::tossHeads(MiniTable::loose())) {}

void CoinGameScreen::update(Ctx& ctx) {
    // Input and layout: the table's header, rule box and play area.
    const std::optional<Rect> area = table_.open(ctx, celebration(ctx), i18n::tr("coin.info"));
    if (!area) return;
    // Draw: the game, then the banner once it is decided.
    play(ctx, *area);
    const bool goOn = table_.result(ctx, celebration(ctx));
    // Apply: the node settles.
    if (goOn) table_.settle();
}

const MiniTable& CoinGameScreen::table() const { return table_; }

Celebration CoinGameScreen::celebration(const Ctx& ctx) const {
    Celebration fx = MiniTable::centred(ctx);
    if (coinY_ > 0) fx.y = coinY_;
    return fx;
}

void CoinGameScreen::play(Ctx& ctx, const Rect& area) {
    const double t = tossed() ? ctx.now - flipStart_ : 0;
    if (tossed()) settle(ctx, t);
    const CoinLayout L = coinLayout(ctx.width, ctx.height, ctx.uiScale, area, !table_.running());
    coinY_ = L.coinY;

    const double cy = L.coinY - lift(t) * L.throwHeight;
    if (tossed()) drawSparks(ctx, t, cy, L.diameter);
    drawCoin(ctx, cy, L.diameter, t);
    if (!table_.running()) {
        resultLine(ctx, L);
        return;
    }
    callCards(ctx, L);
    tossButton(ctx, L.button);
}

bool CoinGameScreen::tossed() const { return flipStart_ >= 0; }

bool CoinGameScreen::inAir(double t) const { return tossed() && t < kCoinFlight; }

void CoinGameScreen::settle(const Ctx& ctx, double t) {
    if (t >= kCoinLandSound && !landed_) {
        landed_ = true;
        audio::play(audio::Sfx::CoinLand);
    }
    if (t >= kCoinFlight && table_.running()) table_.finish(ctx, (choice_ == CoinSide::Heads) == heads_);
}

// 0 to 1: a quick rise, then a slower fall back to the rest place.
double CoinGameScreen::lift(double t) {
    if (t <= 0) return 0;
    if (t < 0.42) return 1 - square(1 - t / 0.42);
    if (t < kCoinFlight) return 1 - square((t - 0.42) / 1.85);
    return 0;
}

// Degrees turned: seven turns, slowing down towards the landing.
double CoinGameScreen::spin(double t) { return (1 - std::pow(1 - std::min(t / kCoinFlight, 1.0), 3)) * 2520; }

void CoinGameScreen::drawSparks(Ctx& ctx, double t, double cy, double D) const {
    const double s = ctx.uiScale;
    for (int i = 0; i < kSparks; ++i) {
        const double start = 0.252 + 0.055 * (i % 6);
        const double q = (t - start) / 1.85;
        if (q < 0 || q >= 1) continue;
        const double o = 1 - square(1 - q);
        const double x = 0.5 * ctx.width + ((53 * i % 100) / 100.0 - 0.5) * 2.4 * D * o;
        const double y = cy + 0.12 * D + ((29 * i % 100) / 100.0 - 0.45) * 1.5 * D * o;
        const double r = ((i % 4) * 3 + 5) * s * (0.5 + 0.7 * o) * 0.5;
        fillCircle(ctx.cr, x, y, r, theme::kCoinRainbow[i % 7], 0.95 * std::sin(kPi * o));
    }
}

void CoinGameScreen::drawCoin(Ctx& ctx, double cy, double D, double t) const {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double c = std::abs(std::cos(spin(t) * kPi / 180));
    {
        SavedState keep(cr);
        cairo_translate(cr, 0.5 * ctx.width, cy);
        cairo_scale(cr, 1, std::max(c, 0.06));
        fillCircle(cr, 0, 0, D / 2, theme::kGold);
        strokeCircle(cr, 0, 0, D / 2 - 2.5 * s, 5 * s, theme::kDeepGold);
        fillCircle(cr, -0.17 * D, -0.19 * D, 0.15 * D, theme::kShineWhite, 0.4);
    }
    if (c <= 0.35) return;
    TextStyle st{.size = std::round(0.42 * D), .bold = true, .color = theme::kCoinMarkInk};
    st.family = kFontSans;
    st.alpha = std::min((c - 0.35) / 0.3, 1.0);
    const bool shown = !table_.running() && !inAir(t);
    drawTextCentered(cr, 0.5 * ctx.width, cy, shown ? (heads_ ? kHeadsMark : kTailsMark) : "?", st);
}

// On a plate: the celebration's rays turn behind it.
void CoinGameScreen::resultLine(Ctx& ctx, const CoinLayout& L) const {
    const double s = ctx.uiScale;
    const std::string side = i18n::tr(heads_ ? "coin.heads" : "coin.tails");
    const TextStyle st{.size = 15 * s, .bold = true, .color = theme::kLightGold};
    double tw = 0, th = 0;
    measureText(ctx.cr, side, st, &tw, &th);
    const double top = L.coinY + 0.55 * L.diameter;
    skyPlate(ctx, {0.5 * ctx.width - tw / 2 - 10 * s, top - 2 * s, tw + 20 * s, th + 4 * s});
    drawTextTop(ctx.cr, 0.5 * ctx.width, top, side, st);
}

void CoinGameScreen::callCards(Ctx& ctx, const CoinLayout& L) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    for (int k = 0; k < 2; ++k) {
        const Rect& r = L.cards[k];
        const CoinSide side = k == 0 ? CoinSide::Heads : CoinSide::Tails;
        const bool chosen = choice_ == side;
        // Dark enough under the gold mark on any ground; the chosen card glows.
        fillRoundedRect(cr, r, 10 * s, theme::kPlateDark, 0.72);
        if (chosen) fillRoundedRect(cr, r, 10 * s, theme::kGold, 0.12);
        strokeRoundedRect(cr, r, 10 * s, 3 * s, chosen ? theme::kLightGold : theme::kBevelDark);
        TextStyle mark{.size = 30 * s, .color = theme::kGold};
        mark.family = kFontSans;
        TextStyle name{.size = 13 * s, .bold = true, .color = chosen ? theme::kLightGold : theme::kCreamText};
        name.fitWidth = r.w - 8 * s;
        const TextLine lines[2] = {{side == CoinSide::Heads ? kHeadsMark : kTailsMark, &mark},
                                   {i18n::tr(side == CoinSide::Heads ? "coin.heads" : "coin.tails"), &name}};
        drawTextStack(cr, r, lines, 2, 4 * s);
        // The call is fixed once the coin is in the air.
        if (!tossed() && ctx.takeClick(r)) {
            audio::play(audio::Sfx::Click);
            choice_ = side;
        }
    }
}

void CoinGameScreen::tossButton(Ctx& ctx, const Rect& r) {
    if (!choice_ || tossed()) {
        drawDisabledButton(ctx, r, i18n::tr("coin.flip"), 15 * ctx.uiScale, 6 * ctx.uiScale);
        return;
    }
    if (menuButton(ctx, r, i18n::tr("coin.flip"), true)) {
        audio::play(audio::Sfx::CoinFlip);
        flipStart_ = ctx.now;
    }
}

} // namespace ui
