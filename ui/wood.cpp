// The wooden plank button of the main menu.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "ui/beneath.h"
#include "ui/theme.h"
#include "ui/widget_base.h"
#include "ui/widgets.h"

namespace ui {
namespace {

struct Grain {
    double x;  // fraction of the plank width
    double w;  // fraction of the plank width
    int band;  // 0 top, 1 middle, 2 bottom
};
constexpr Grain kGrain[] = {
    {0.16, 0.13, 0}, {0.58, 0.09, 0}, {0.32, 0.16, 1}, {0.74, 0.10, 1}, {0.22, 0.10, 2}, {0.62, 0.14, 2},
};

struct Nail {
    double dx, dy;     // inset from the corner, scaled
    int sideX, sideY;  // -1 left/top, +1 right/bottom
};
constexpr Nail kNails[] = {{6, 5, -1, -1}, {6, 5, 1, -1}, {6, 5, -1, 1}, {6, 5, 1, 1}};

struct Wood {
    uint32_t base, dark, light;
};

double borderOf(double s) { return std::max(3 * s, 2.0); }
constexpr Wood kSelectedWood{0x8C5A1E, 0x7D4F1A, 0xA1691F};
constexpr Wood kPlainWood{0x6A451D, 0x5D3C19, 0x7A5222};

constexpr double kShineStart = 0.8;    // s after the clock's zero
constexpr double kShinePeriod = 4.8;   // s between sweeps
constexpr double kShineLength = 1.4;   // s a sweep takes

double easeInOut(double u) { return u < 0.5 ? 2 * u * u : 1 - 2 * (1 - u) * (1 - u); }

// The plank's picture and its glow do not change from frame to frame: they
// are painted once and drawn beneath the overlay (the menu draws nothing on
// the overlay beneath its buttons); the sheen, outline and label stay on the
// overlay above them.
struct Plank {
    double w, h, s;
    const Wood* wood;
    bool pressed;
};

constexpr double kGlowGrow = 6;  // scaled

void paintGlow(cairo_t* cr, void* user) {
    const Plank& p = *static_cast<const Plank*>(user);
    const double g = kGlowGrow * p.s;
    fillRoundedRect(cr, {0, 0, p.w + 2 * g, p.h + 2 * g}, 12 * p.s, 0xFFB13A, 1.0);
}

void drawGlow(const Ctx& ctx, const Rect& plank, double now, double s) {
    const double pulse = 0.16 + 0.2 * (0.5 - 0.5 * std::cos(kPi * now / 1.5));
    Plank p{plank.w, plank.h, s, nullptr, false};
    char key[96];
    std::snprintf(key, sizeof key, "plankglow|%.3f|%.3f|%.4f", plank.w, plank.h, s);
    const Rect r = kit::grown(plank, kGlowGrow * s);
    beneath::still(ctx, key, r, paintGlow, &p, 0.55 * pulse);
}

void drawBoards(cairo_t* cr, const Rect& p, const Wood& wood, bool pressed, double s) {
    fillRect(cr, p, pressed ? wood.dark : wood.base, 1.0);
    fillRect(cr, {p.x, p.y, p.w, 0.34 * p.h}, wood.light, 0.5);
    fillRect(cr, {p.x, p.y + p.h - 0.3 * p.h, p.w, 0.3 * p.h}, wood.dark, 0.55);
    const double line = std::max(2 * s, 1.0);
    fillRect(cr, {p.x, p.y + 0.33 * p.h, p.w, line}, 0x2E1C0A, 0.65);
    fillRect(cr, {p.x, p.y + 0.66 * p.h, p.w, line}, 0x2E1C0A, 0.65);
    for (const Grain& g : kGrain) {
        fillRect(cr, {p.x + g.x * p.w, p.y + (0.12 + 0.3 * g.band) * p.h, g.w * p.w, line}, 0x3A2410, 0.55);
    }
    const double b = std::max(3 * s, 2.0);
    fillRect(cr, {p.x, p.y, p.w, b}, 0xC89A52, 0.45);
    fillRect(cr, {p.x, p.y + p.h - b, p.w, b}, 0x1A0E04, 0.6);
}

void drawShine(cairo_t* cr, const Rect& p, double now, double delayMs, double s) {
    const double phase = now - kShineStart - delayMs / 1000;
    if (phase <= 0) return;
    const double t = std::fmod(phase, kShinePeriod);
    if (t >= kShineLength) return;
    const double e = easeInOut(t / kShineLength);
    const double cx = p.x + 0.5 * p.w + (2.4 * e - 1) * 0.62 * p.w;
    cairo_save(cr);
    cairo_translate(cr, cx, p.y + 0.5 * p.h);
    cairo_rotate(cr, 0.3141593);
    fillRoundedRect(cr, {-15 * s, -p.h, 30 * s, 3 * p.h}, 15 * s, 0xFFF2CC, 0.16);
    cairo_restore(cr);
}

void drawNails(cairo_t* cr, const Rect& p, double s) {
    for (const Nail& n : kNails) {
        const double cx = n.sideX < 0 ? p.x + n.dx * s + 3 * s : p.x + p.w - n.dx * s - 3 * s;
        const double cy = n.sideY < 0 ? p.y + n.dy * s + 3 * s : p.y + p.h - n.dy * s - 3 * s;
        fillCircle(cr, cx, cy, 3 * s, 0x2A2A30, 1.0);
        fillCircle(cr, cx + 0.5 * s, cy + 0.5 * s, s, 0xC8CCD4, 0.9);
    }
}

// Boards, nails and the dark rim, in a margin that holds the rim's outer half.
void paintPlank(cairo_t* cr, void* user) {
    const Plank& p = *static_cast<const Plank*>(user);
    const double b = borderOf(p.s);
    const Rect plank{b, b, p.w, p.h};
    cairo_save(cr);
    roundedRectPath(cr, plank, 7 * p.s);
    cairo_clip(cr);
    drawBoards(cr, plank, *p.wood, p.pressed, p.s);
    drawNails(cr, plank, p.s);
    cairo_restore(cr);
    strokeRoundedRect(cr, plank, 7 * p.s, b, 0x221407, 1.0);
}

void drawPlank(const Ctx& ctx, const Rect& plank, const Wood& wood, bool selected, bool pressed, double s) {
    Plank p{plank.w, plank.h, s, &wood, pressed};
    char key[96];
    std::snprintf(key, sizeof key, "plank|%d%d|%.3f|%.3f|%.4f", selected, pressed, plank.w, plank.h, s);
    const double b = borderOf(s);
    beneath::still(ctx, key, {plank.x - b, plank.y - b, plank.w + 2 * b, plank.h + 2 * b}, paintPlank, &p);
}

void drawWoodLabel(cairo_t* cr, const Rect& p, const Rect& r, const std::string& text, bool selected, double s) {
    TextStyle st{.size = std::round(std::min(0.34 * r.h, 17 * s)),
                 .bold = true,
                 .color = 0x1A0E04,
                 .alpha = 0.85,
                 .align = Align::Centre,
                 .fitWidth = p.w - 36 * s};
    st.upperCase = true;
    st.letterSpacing = 2 * s;
    st.minFit = 0.55;
    const double cx = p.x + p.w / 2;
    const double cy = p.y + p.h / 2;
    drawTextCentered(cr, cx, cy + 2 * s, text, st);
    st.color = selected ? theme::kLightGold : 0xE8D5AE;
    st.alpha = 1.0;
    drawTextCentered(cr, cx, cy, text, st);
}

} // namespace

double woodButtonHeight(const Ctx& ctx) { return 56 * ctx.uiScale; }

bool woodButton(Ctx& ctx, const Rect& r, const std::string& text, bool selected, double shineDelayMs) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const kit::Press press = kit::pressOf(ctx, r);
    const Rect plank{r.x, r.y + (press.pressed ? 2 * s : 0), r.w, r.h};
    const Wood& wood = selected ? kSelectedWood : kPlainWood;
    if (selected) drawGlow(ctx, plank, ctx.now, s);
    drawPlank(ctx, plank, wood, selected, press.pressed, s);
    {
        SavedState keep(cr);
        cairo_save(cr);
        roundedRectPath(cr, plank, 7 * s);
        cairo_clip(cr);
        drawShine(cr, plank, ctx.now, shineDelayMs, s);
        cairo_restore(cr);
        if (press.outlined()) strokeRoundedRect(cr, plank, 7 * s, 1.5 * s, theme::kLightGold, 0.5);
        drawWoodLabel(cr, plank, r, text, selected, s);
    }
    return kit::takeButtonClick(ctx, plank);
}

} // namespace ui
