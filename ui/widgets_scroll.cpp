// Scrolling: wheel flings with momentum, drags that move the list at once,
// and the thin thumb that shows where the list stands.
#include <algorithm>
#include <cmath>

#include "ui/widget_base.h"
#include "ui/widgets.h"

namespace ui {
namespace {

constexpr double kClickSlop = 5;         // drag distance that still lets the release click
constexpr double kWheelStep = 360;       // units per second per wheel step, scaled
constexpr double kMaxFling = 2600;       // units per second, scaled
constexpr double kFriction = 6;          // per second
constexpr double kRestSpeed = 20;        // below this a fling stops

void startFling(Ctx& ctx, double* offset, double wheel) {
    const double s = ctx.uiScale;
    ctx.scrollTarget = offset;
    ctx.scrollVelocity = std::clamp(ctx.scrollVelocity - kWheelStep * s * wheel, -kMaxFling * s, kMaxFling * s);
}

void followDrag(Ctx& ctx, double* offset) {
    const double dy = ctx.input.dy;
    *offset -= dy;
    ctx.dragDistance += std::fabs(dy);
    if (ctx.dt > 0) ctx.scrollVelocity = 0.7 * ctx.scrollVelocity + 0.3 * (-dy / ctx.dt);
    ctx.scrollTarget = offset;
    if (ctx.dragDistance > kClickSlop) ctx.clickTaken = true;
}

void coast(Ctx& ctx, double* offset, double maxOffset) {
    *offset += ctx.scrollVelocity * ctx.dt;
    ctx.scrollVelocity *= std::exp(-kFriction * ctx.dt);
    if (std::fabs(ctx.scrollVelocity) < kRestSpeed) ctx.scrollVelocity = 0;
    if (*offset <= 0 || *offset >= maxOffset) ctx.scrollVelocity = 0;
}

} // namespace

void applyScroll(Ctx& ctx, const Rect& r, double contentHeight, double* offset) {
    if (!offset) return;
    const Input& in = ctx.input;
    const double maxOffset = std::max(0.0, contentHeight - r.h);
    const bool over = r.contains(in.x, in.y);
    const bool scrollable = maxOffset > 0;

    if (over && in.wheel != 0 && scrollable) startFling(ctx, offset, in.wheel);
    if (over && scrollable && in.leftPressed) {
        ctx.dragging = true;
        ctx.dragDistance = 0;
    }
    const bool dragged = ctx.dragging && scrollable && in.leftDown;
    if (dragged) followDrag(ctx, offset);
    if (ctx.dragging && !in.leftDown) {
        if (ctx.dragDistance > kClickSlop) ctx.clickTaken = true;
        ctx.dragging = false;
    }
    const bool mine = ctx.scrollTarget == offset;
    if (in.leftDown && !dragged && mine) ctx.scrollVelocity = 0;
    if (!ctx.dragging && !in.leftDown && mine && std::fabs(ctx.scrollVelocity) > 1) coast(ctx, offset, maxOffset);
    *offset = std::clamp(*offset, 0.0, maxOffset);
}

void scrollbar(Ctx& ctx, const Rect& r, double contentHeight, double offset) {
    if (contentHeight <= r.h) return;
    const double s = ctx.uiScale;
    const double len = std::max(r.h * (r.h - 8 * s) / contentHeight, 30 * s);
    const double y = r.y + 4 * s + (r.h - 8 * s - len) * offset / (contentHeight - r.h);
    kit::SavedCairo keep(ctx.cr);
    fillRoundedRect(ctx.cr, {r.x + r.w - 8 * s, y, 4 * s, len}, 2 * s, 0xFFFFFF, 0.45);
}

} // namespace ui
