// Where the main menu puts its column.
#include <algorithm>
#include <cmath>

#include "screens/menu_layout.h"
#include "ui/widgets.h"

namespace ui {

namespace {

constexpr double kButtonGap = 14;  // between the buttons, scaled

} // namespace

MenuLayout menuLayout(const Ctx& ctx, bool saved) {
    const double s = ctx.uiScale;
    const int count = saved ? 5 : 4;
    MenuLayout l;
    l.titleSize = std::min(std::floor((ctx.width - 40 * s) / 7), 60 * s);
    const double bw = std::min(360 * s, ctx.width - 32 * s);
    const double bh = woodButtonHeight(ctx);
    l.blockHeight = count * bh + (count - 1) * kButtonGap * s;
    l.top = std::max(20 * s, (ctx.height - (1.15 * l.titleSize + 110 * s + l.blockHeight)) / 2);
    l.accentY = l.top + 1.15 * l.titleSize + 14 * s;
    l.brandY = l.accentY + 18 * s;
    l.taglineY = l.brandY + 20 * s;
    l.blockTop = l.taglineY + 58 * s;
    for (int i = 0; i < count; ++i) {
        l.buttons.push_back({ctx.width / 2 - bw / 2, l.blockTop + i * (bh + kButtonGap * s), bw, bh});
    }
    return l;
}

} // namespace ui
