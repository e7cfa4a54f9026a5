// Scrolling views: wheel flings with momentum, drags that move the content
// with the pointer, the clip that keeps what is scrolled away from taking
// clicks, and the thin thumb that shows where the content stands.
#include <algorithm>
#include <cmath>

#include "ui/widget_base.h"
#include "ui/widgets.h"

namespace ui {
namespace {

constexpr double kWheelStep = 360;  // units per second per wheel step, scaled
constexpr double kMaxFling = 2600;  // units per second, scaled
constexpr double kFriction = 6;     // per second
constexpr double kRestSpeed = 20;   // below this a fling stops

void wheelFling(Ctx& ctx, std::string_view id) {
    Ctx::Scrolling& sc = ctx.scrolling;
    if (sc.flingOwner != id) sc.velocity = 0;
    sc.flingOwner = id;
    const double s = ctx.uiScale;
    sc.velocity = std::clamp(sc.velocity - kWheelStep * s * ctx.input.wheel, -kMaxFling * s, kMaxFling * s);
}

// The press frame itself moves nothing: motion that came with the press is
// no drag.
double followDrag(Ctx& ctx, double offset) {
    Ctx::Scrolling& sc = ctx.scrolling;
    const double dy = ctx.input.dy;
    if (ctx.dt > 0) sc.velocity = 0.7 * sc.velocity + 0.3 * (-dy / ctx.dt);
    return offset - dy;
}

double coast(Ctx& ctx, double offset, double maxOffset) {
    Ctx::Scrolling& sc = ctx.scrolling;
    offset += sc.velocity * ctx.dt;
    sc.velocity *= std::exp(-kFriction * ctx.dt);
    if (std::fabs(sc.velocity) < kRestSpeed) sc.velocity = 0;
    if (offset <= 0 || offset >= maxOffset) sc.velocity = 0;
    return offset;
}

double scrollOffset(Ctx& ctx, std::string_view id, const Rect& view, double maxOffset, double offset) {
    const Input& in = ctx.input;
    Ctx::Scrolling& sc = ctx.scrolling;
    const bool over = ctx.hover(view);
    const bool scrollable = maxOffset > 0;
    if (over && scrollable && in.wheel != 0) wheelFling(ctx, id);
    if (over && scrollable && in.leftPressed && sc.dragOwner.empty()) {
        sc.dragOwner = id;  // the press catches a running fling
        sc.flingOwner = id;
        sc.velocity = 0;
    }
    if (sc.dragOwner == id) {
        if (!in.leftDown) sc.dragOwner.clear();
        else if (!in.leftPressed && scrollable) offset = followDrag(ctx, offset);
    }
    if (sc.dragOwner != id && sc.flingOwner == id) {
        if (in.leftDown) sc.velocity = 0;  // held elsewhere: the fling stops
        else if (std::fabs(sc.velocity) > 1) offset = coast(ctx, offset, maxOffset);
    }
    return std::clamp(offset, 0.0, maxOffset);
}

} // namespace

double beginScroll(Ctx& ctx, std::string_view id, const Rect& view, double contentHeight, double offset,
                   double barOutset) {
    const double maxOffset = std::max(0.0, contentHeight - view.h);
    offset = scrollOffset(ctx, id, view, maxOffset, offset);
    ctx.scrolling.open.push_back({{view.x, view.y, view.w + barOutset, view.h}, contentHeight, offset});
    cairo_save(ctx.cr);
    cairo_rectangle(ctx.cr, view.x, view.y, view.w, view.h);
    cairo_clip(ctx.cr);
    ctx.pushHitClip(view);
    return offset;
}

void endScroll(Ctx& ctx) {
    if (ctx.scrolling.open.empty()) return;
    const Ctx::Scrolling::OpenView v = ctx.scrolling.open.back();
    ctx.scrolling.open.pop_back();
    ctx.popHitClip();
    cairo_new_path(ctx.cr);
    cairo_restore(ctx.cr);
    scrollbar(ctx, v.bar, v.content, v.offset);
}

void scrollbar(Ctx& ctx, const Rect& r, double contentHeight, double offset) {
    if (contentHeight <= r.h) return;
    const double s = ctx.uiScale;
    const double len = std::max(r.h * (r.h - 8 * s) / contentHeight, 30 * s);
    const double y = r.y + 4 * s + (r.h - 8 * s - len) * offset / (contentHeight - r.h);
    SavedState keep(ctx.cr);
    fillRoundedRect(ctx.cr, {r.x + r.w - 8 * s, y, 4 * s, len}, 2 * s, 0xFFFFFF, 0.45);
}

} // namespace ui
