// The end of a run. The run was settled into lasting progress where it
// ended (the lost battle, the boss chest); this screen announces it, shows
// the victory or the grave with the depth and the gold the entry carries,
// and leads back to the city.
#include <cmath>
#include <string>
#include <vector>

#include "fx/scene.h"
#include "fx/storm.h"
#include "fx/win_fx.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "screens/common.h"
#include "ui/audio.h"
#include "ui/game_ui.h"
#include "ui/gpu.h"
#include "ui/keys.h"
#include "ui/screens.h"
#include "ui/sprite.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

namespace {

constexpr double kStoneW = 66;
constexpr double kStoneH = 76;

struct Summary {
    int depth = 0;
    double gold = 0;
    std::vector<std::string> sprites;  // class ids of the party, in party order
};

// The party that ran: its heroes as the roster holds them, in party order.
Summary summarize(const GameState& s) {
    Summary sum;
    sum.depth = s.depth;
    sum.gold = s.gold;
    for (const rpg::Hero* hero : store::partyHeroes()) sum.sprites.push_back(rpg::classDef(hero->cls).id);
    if (sum.sprites.empty()) sum.sprites.push_back("warrior");
    return sum;
}

// The stone: round-shouldered on top, nearly square below.
void stonePath(cairo_t* cr, const Rect& r, double top, double bottom) {
    cairo_new_sub_path(cr);
    cairo_arc(cr, r.x + r.w - top, r.y + top, top, -kPi / 2, 0);
    cairo_arc(cr, r.x + r.w - bottom, r.y + r.h - bottom, bottom, 0, kPi / 2);
    cairo_arc(cr, r.x + bottom, r.y + r.h - bottom, bottom, kPi / 2, kPi);
    cairo_arc(cr, r.x + top, r.y + top, top, kPi, 3 * kPi / 2);
    cairo_close_path(cr);
}

// p runs 0..1..0 over a 5.2 s cycle.
double pulse(double t) {
    double p = std::fmod(t, 5.2) / 2.6;
    if (p > 1) p = 2 - p;
    return p;
}

class RunResultScreen final : public Screen {
public:
    explicit RunResultScreen(const GameState& s) : state_(s) {
        const Summary sum = summarize(s);
        depth_ = sum.depth;
        gold_ = sum.gold;
        sprites_ = sum.sprites;
        audio::play(s.lost == 0 ? audio::Sfx::WinGlare : audio::Sfx::Defeat);
    }

    void update(Ctx& ctx) override {
        if (start_ < 0) start_ = ctx.now;
        const double e = ctx.now - start_;
        const bool won = state_.lost == 0;
        if (won) {
            sceneBackdrop(ctx, SceneOpts{kSceneVillage, 16, 0.62, false, kWeatherClear, kDay, 1.0});
            gpuFillRect(0, 0, ctx.width, ctx.height, theme::kShadowBlack, 40.0 / 255);
        } else {
            drawDefeatSky(ctx);
        }
        drawTitle(ctx, won);
        if (won) drawVictory(ctx, e);
        else drawGrave(ctx, e);
        drawSummary(ctx);
        drawBackToCity(ctx);
    }

private:
    void drawDefeatSky(Ctx& ctx) {
        stormBackdrop(ctx, &storm_, -1);
        const double p = pulse(ctx.now);
        // Over the storm and beneath all else, on the GPU layer like the storm:
        // a veil that pulses would otherwise change the whole overlay each frame.
        gpuFillRect(0, 0, ctx.width, ctx.height, theme::kDefeatSky, 0.28 + 0.18 * (1 - std::cos(kPi * p)) / 2);
        drawAsh(ctx);
    }

    static void drawAsh(Ctx& ctx) {
        const double s = ctx.uiScale;
        const double t = ctx.now;
        for (int j = 0; j < 16; ++j) {
            const double delay = std::fmod(430.0 * j, 3800.0) / 1000;
            if (t < delay) continue;
            const double base = std::fmod(0.6180339887 * j + 0.07, 1.0) * ctx.width;
            const double period = (6400.0 + 1400.0 * (j % 5)) / 1000;
            const double q = std::fmod(t - delay, period) / period;
            const double side = (j % 3 + 3) * s;
            const double alpha = 0.7 * std::min(1.0, 1.5 * std::sin(kPi * q));
            if (alpha <= 0) continue;
            const double x = base + std::sin(2.5 * kPi * q + j) * (9.0 * (j % 4) + 18) * s;
            const double y = (900 * q - 8) * s;
            fillRect(ctx.cr, {x, y, side, side}, j % 4 == 0 ? theme::kConfettiOrange : theme::kConfettiGrey, alpha);
        }
    }

    void drawTitle(Ctx& ctx, bool won) {
        const double s = ctx.uiScale;
        // The defeat's red is lighter than the bars' red: it stands on the dark red sky.
        const TextStyle st{.size = 26 * s,
                           .bold = true,
                           .color = won ? kGold : theme::kRedText,
                           .align = Align::Centre,
                           .fitWidth = ctx.width - 40 * s,
                           .upperCase = true};
        const std::string title = i18n::tr(won ? "runResult.victoryTitle" : "runResult.defeatTitle");
        drawShadowedTextTop(ctx.cr, ctx.width / 2, 0.1 * ctx.height, title, st,
                            {.dx = 2 * s, .dy = 2 * s, .color = won ? theme::kShadowBlack : theme::kDefeatShadow});
    }

    void drawVictory(Ctx& ctx, double e) {
        const double s = ctx.uiScale;
        cairo_t* cr = ctx.cr;
        const double cx = ctx.width / 2;
        const double cy = 0.42 * ctx.height - 20 * s;
        drawWinFx(ctx, cx, cy, e);
        for (int k = 0; k < 10; ++k) {
            SavedState keep(cr);
            cairo_translate(cr, cx, cy);
            cairo_rotate(cr, kPi / 5 * k + 2 * kPi * e / 9);
            fillRoundedRect(cr, {-2 * s, 23 * s, 4 * s, 58 * s}, 2 * s, kGold, 0.35);
        }
        const TextStyle crown{.family = kFontSans, .size = 64 * s, .color = kGold, .align = Align::Centre};
        drawShadowedTextTop(cr, cx, 0.42 * ctx.height - 64 * s, "♛", crown, {.dx = 3 * s, .dy = 3 * s});

        const double n = static_cast<double>(sprites_.size());
        double x = cx - (n * 48 * s + (n - 1) * 14 * s) / 2;
        for (std::size_t i = 0; i < sprites_.size(); ++i) {
            const int frame = static_cast<int>(2 * ctx.now + 0.5 * static_cast<double>(i)) % 2;
            drawSpriteCairo(cr, sprites_[i], x, 0.42 * ctx.height + 30 * s, 48 * s, 48 * s, nullptr, frame, false, 1.0);
            x += 62 * s;
        }
    }

    void drawGrave(Ctx& ctx, double e) {
        const double s = ctx.uiScale;
        cairo_t* cr = ctx.cr;
        const double cx = ctx.width / 2;
        const Rect stone{cx - kStoneW / 2 * s, 0.42 * ctx.height - kStoneH / 2 * s, kStoneW * s, kStoneH * s};
        const double bottom = stone.y + stone.h;
        {
            SavedState keep(cr);
            stonePath(cr, stone, 30 * s, 4 * s);
            setColor(cr, theme::kGraveStone);
            cairo_fill_preserve(cr);
            setColor(cr, theme::kGraveStoneEdge);
            cairo_set_line_width(cr, 3 * s);
            cairo_stroke(cr);
        }
        fillRoundedRect(cr, {cx - 5.5 * s, stone.y + 14 * s, 11 * s, 36 * s}, s, theme::kGraveCross);
        fillRoundedRect(cr, {cx - 16 * s, stone.y + 25 * s, 32 * s, 11 * s}, s, theme::kGraveCross);
        const Rect mound{cx - 48 * s, bottom - 4 * s, 96 * s, 16 * s};
        fillRoundedRect(cr, mound, 12 * s, theme::kGraveMound);
        strokeRoundedRect(cr, mound, 12 * s, 3 * s, theme::kGraveMoundEdge);
        drawFallen(ctx, stone);
        drawSouls(ctx, bottom, e);
    }

    // Even heroes lie left of the stone, odd ones right, outwards in turn.
    void drawFallen(Ctx& ctx, const Rect& stone) {
        const double s = ctx.uiScale;
        for (std::size_t i = 0; i < sprites_.size(); ++i) {
            const bool left = i % 2 == 0;
            const double out = (34 + 52 * static_cast<double>(i / 2)) * s;
            const double x = left ? stone.x - out : stone.x + stone.w + out;
            const double y = stone.y + stone.h - 18 * s;
            SavedState keep(ctx.cr);
            cairo_translate(ctx.cr, x, y);
            cairo_rotate(ctx.cr, left ? -kPi / 2 : kPi / 2);
            drawSpriteCairo(ctx.cr, sprites_[i], -24 * s, -24 * s, 48 * s, 48 * s, nullptr, 0, false, 0.55);
        }
    }

    void drawSouls(Ctx& ctx, double stoneBottom, double e) {
        const double s = ctx.uiScale;
        const int n = std::max<int>(3, static_cast<int>(sprites_.size()));
        for (int j = 0; j < n; ++j) {
            const double start = 0.6 + 1.1 * j;
            if (e < start) continue;
            const double period = (3400.0 + 900.0 * (j % 3)) / 1000;
            const double q = std::fmod(e - start, period) / period;
            const double r = 1 - (1 - q) * (1 - q);
            const double f = 0.75 * std::sin(kPi * r);
            const double k = 0.7 + 0.5 * r;
            const double x = ctx.width / 2 + (j - n / 2.0) * 26 * s + 10 * s * std::sin(2.0 * j + 2 * kPi * r);
            const double y = stoneBottom + 30 * s - 84 * s * r;
            fillCircle(ctx.cr, x, y, 5 * s * k, theme::kSoulHead, 0.9 * f);
            fillRoundedRect(ctx.cr, {x - 2.5 * s * k, y + 3 * s * k, 5 * s * k, 12 * s * k}, 3 * s * k,
                            theme::kSoulBody, 0.6 * f);
        }
    }

    void drawSummary(Ctx& ctx) {
        const double s = ctx.uiScale;
        const double pw = std::max(220 * s, std::min(0.4 * ctx.width, 420 * s));
        const Rect panel{(ctx.width - pw) / 2, ctx.height - 178 * s, pw, 74 * s};
        pixelPanel(ctx, panel, true);
        const TextStyle st{.size = 15 * s, .color = kCreamText, .align = Align::Centre, .fitWidth = pw - 20 * s};
        const double cx = ctx.width / 2;
        drawTextTop(ctx.cr, cx, panel.y + 14 * s, i18n::tr("runResult.depthReached", {{"n", num(depth_)}}), st);
        drawTextTop(ctx.cr, cx, panel.y + 42 * s, i18n::tr("runResult.goldEarned", {{"n", num(gold_)}}), st);
    }

    void drawBackToCity(Ctx& ctx) {
        const double s = ctx.uiScale;
        const double bw = std::min(420 * s, ctx.width - 48 * s);
        const Rect r{(ctx.width - bw) / 2, ctx.height - 80 * s, bw, 48 * s};
        const bool clicked = menuButton(ctx, r, i18n::tr("runResult.backToCity"), true);
        if (!clicked && !ctx.input.hasKey(key::kReturn)) return;
        audio::play(audio::Sfx::Click);
        GameState menu;
        menu.screen = kMenu;
        GameState city;
        city.screen = kCity;
        Game::instance().resetTo(menu);
        Game::instance().push(city);
    }

    Storm storm_;
    GameState state_;
    int depth_ = 0;
    double gold_ = 0;
    double start_ = -1;
    std::vector<std::string> sprites_;
};

} // namespace

std::unique_ptr<Screen> makeRunResultScreen(const GameState& s) { return std::make_unique<RunResultScreen>(s); }

} // namespace ui
