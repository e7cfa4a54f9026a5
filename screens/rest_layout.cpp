#include "screens/rest_layout.h"

#include <algorithm>
#include <string>

#include "platform/i18n.h"
#include "ui/draw.h"
#include "ui/theme.h"

namespace ui {

using theme::kMutedText;

RestLayout restLayout(Ctx& ctx, double header, int heroes) {
    const double s = ctx.uiScale;
    const double w = ctx.width;
    const double h = ctx.height;
    RestLayout lay;
    const double cw = std::min(w - 40 * s, 470 * s);
    const double margin = (w - cw) / 2;
    const double d = std::min(0.34 * h, 112 * s);
    lay.decorated = margin > 0.9 * d;
    lay.fire = {margin / 2 - d / 2, h / 2 - d / 2, d, d};
    lay.fountain = {w - margin / 2 - d / 2, h / 2 - d / 2, d, d};

    // The block sits on the bottom edge unless the header pushes it down.
    const double y0 = std::max(h - 340 * s, header + 20 * s);
    // A text longer than the window (some languages) wraps instead of running off it.
    const std::string body = i18n::tr("rest.body");
    TextStyle st{.family = kFontSans, .size = 13 * s, .color = kMutedText, .align = Align::Centre};
    double tw = 0;
    double th = 0;
    measureText(ctx.cr, body, st, &tw, &th);
    if (tw > w - 48 * s) {
        lay.bodyWrap = w - 48 * s;
        st.wrapWidth = lay.bodyWrap;
        measureText(ctx.cr, body, st, &tw, &th);
    }
    lay.plate = {w / 2 - tw / 2 - 12 * s, y0, tw + 24 * s, th + 10 * s};

    const double y1 = y0 + th + 22 * s;
    const double pw = heroes > 0 ? heroes * kRestColumn * s + (heroes - 1) * kRestColumnGap * s + 20 * s : 124 * s;
    lay.panel = {(w - pw) / 2, y1, pw, kRestPanelHeight * s};
    lay.heal = {margin, y1 + kRestPanelHeight * s + 12 * s, cw, 46 * s};
    lay.leave = {margin, lay.heal.y + 46 * s + 12 * s, cw, 46 * s};
    return lay;
}

} // namespace ui
