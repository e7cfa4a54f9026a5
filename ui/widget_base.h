#pragma once
// Shared by the widget files and nothing else: the one hover/press/click
// behaviour every button follows (so buttons differ only in how they draw),
// the label style of the kit, and a guard that hands the cairo context back
// as the widget found it.
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

// A label on the shared family list; sizes are already scaled.
inline TextStyle label(double size, bool bold, std::uint32_t color, int align = 1, double fit = 0,
                       double alpha = 1.0) {
    TextStyle st;
    st.family = kFontMono;
    st.size = size;
    st.bold = bold;
    st.color = color;
    st.alpha = alpha;
    st.align = align;
    st.fitWidth = fit;
    st.minFit = 0.6;
    return st;
}

// Widgets change source, line width, clip and transform freely; the caller
// gets its context back unchanged.
class SavedCairo {
public:
    explicit SavedCairo(cairo_t* cr) : cr_(cr) { cairo_save(cr_); }
    ~SavedCairo() {
        cairo_new_path(cr_);
        cairo_restore(cr_);
    }
    SavedCairo(const SavedCairo&) = delete;
    SavedCairo& operator=(const SavedCairo&) = delete;

private:
    cairo_t* cr_;
};

// A rectangle grown by d on every side.
inline Rect grown(const Rect& r, double d) { return {r.x - d, r.y - d, r.w + 2 * d, r.h + 2 * d}; }

// The bevel bands: top and left in one colour, bottom and right in the other.
inline void drawBevel(cairo_t* cr, const Rect& r, double b, std::uint32_t topLeft, std::uint32_t bottomRight,
                      double alpha) {
    fillRect(cr, {r.x, r.y, r.w, b}, topLeft, alpha);
    fillRect(cr, {r.x, r.y, b, r.h}, topLeft, alpha);
    fillRect(cr, {r.x, r.y + r.h - b, r.w, b}, bottomRight, alpha);
    fillRect(cr, {r.x + r.w - b, r.y, b, r.h}, bottomRight, alpha);
}

// The compact layout of small windows.
inline bool isCompact(const Ctx& ctx) {
    const double s = ctx.uiScale;
    return ctx.width < 1100 * s || ctx.height < 640 * s;
}

} // namespace ui::kit
