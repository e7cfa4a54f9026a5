#pragma once
// Shared by the widget files and nothing else: the one hover/press/click
// behaviour every button follows (so buttons differ only in how they draw).
#include <cairo.h>

#include <cstdint>

#include "ui/app.h"
#include "ui/audio.h"
#include "ui/draw.h"

namespace ui::kit {

struct Press {
    bool hovered = false;
    bool held = false;     // the left button is down, wherever it was pressed
    bool pressed = false;  // hovered and held: the button shows pushed in
    bool outlined() const { return hovered && !held; }
};

inline Press pressOf(const Ctx& ctx, const Rect& r) {
    Press p;
    p.hovered = ctx.hover(r);
    p.held = ctx.input.leftDown;
    p.pressed = p.hovered && p.held;
    return p;
}

// Takes the frame's click for r; a button that gets it answers with the
// click sound.
inline bool takeButtonClick(Ctx& ctx, const Rect& r) {
    if (!ctx.takeClick(r)) return false;
    audio::play(audio::Sfx::Click);
    return true;
}

// A rectangle grown by d on every side.
inline Rect grown(const Rect& r, double d) { return {r.x - d, r.y - d, r.w + 2 * d, r.h + 2 * d}; }

// The compact layout of small windows.
inline bool isCompact(const Ctx& ctx) {
    const double s = ctx.uiScale;
    return ctx.width < 1100 * s || ctx.height < 640 * s;
}

} // namespace ui::kit
