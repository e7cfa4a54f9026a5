#include "screens/splash.h"

#include <algorithm>
#include <cmath>

#include "platform/i18n.h"
#include "screens/common.h"
#include "ui/draw.h"
#include "ui/gpu.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

constexpr double kSplashSeconds = 2.2;

} // namespace

void SplashScreen::update(Ctx& ctx) {
    if (start_ < 0) start_ = ctx.now;
    const bool asked = ctx.input.leftReleased || !ctx.input.keys.empty();
    draw(ctx);
    if (asked || ctx.now - start_ > kSplashSeconds) {
        GameState menu;
        menu.screen = kMenu;
        Game::instance().resetTo(menu);
    }
}

void SplashScreen::draw(Ctx& ctx) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double w = ctx.width;
    const double h = ctx.height;
    gpuFillRect(0, 0, w, h, theme::kScreenFill, 1.0);

    // Narrow or low windows get a smaller title cap.
    const double cap = std::min(w, h) / s < 600 ? 34 : 48;
    const double u = std::min(std::floor((w / s - 48) / 7), cap);
    const double mid = (h - 36 * s) / 2;
    const TextStyle title{.family = kFontMono,
                          .size = std::round(u * s),
                          .bold = true,
                          .color = theme::kGold,
                          .align = Align::Centre,
                          .fitWidth = w - 48 * s,
                          .letterSpacing = 4 * s,
                          .upperCase = true};
    drawTextTop(cr, w / 2, mid - 0.7 * u * s - 29 * s, i18n::tr("app.title"), title);

    fillRect(cr, {w / 2 - 60 * s, mid - 2 * s, 120 * s, 4 * s}, theme::kDeepGold);

    const TextStyle tagline{.family = kFontMono,
                            .size = 14 * s,
                            .color = theme::kMutedText,
                            .align = Align::Centre,
                            .letterSpacing = s,
                            .wrapWidth = w - 48 * s};
    drawTextTop(cr, 24 * s, mid + 20 * s, i18n::tr("app.tagline"), tagline);

    footer(ctx, h - 14 * s);
}

std::unique_ptr<Screen> makeSplashScreen() { return std::make_unique<SplashScreen>(); }

} // namespace ui
