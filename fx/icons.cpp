#include "fx/icons.h"

#include <algorithm>
#include <initializer_list>

#include "ui/draw.h"
#include "ui/theme.h"

namespace ui {
namespace {

constexpr uint32_t kIron = 0x4A505C;
constexpr uint32_t kSteel = 0x9AA3B2;
constexpr uint32_t kDarkWood = 0x3A2410;
constexpr uint32_t kWood = 0x6A451D;
constexpr uint32_t kGlass = 0xBCD0F0;
constexpr uint32_t kFoam = 0xF4EFD0;
constexpr uint32_t kInk = 0x8A7456;
constexpr uint32_t kSoot = 0x140F0A;
constexpr uint32_t kWhite = 0xFFFFFF;

struct P {
    double dx, dy;
};

// Icon geometry is written in fractions of the icon's size around its centre.
struct Frame {
    cairo_t* cr;
    double x, y, s;

    void poly(std::initializer_list<P> pts, uint32_t color, double alpha = 1.0) const {
        cairo_new_path(cr);
        for (const P& p : pts) cairo_line_to(cr, x + p.dx * s, y + p.dy * s);
        cairo_close_path(cr);
        setColor(cr, color, alpha);
        cairo_fill(cr);
    }
    void rect(double l, double t, double w, double h, uint32_t color, double alpha = 1.0) const {
        fillRect(cr, {x + l * s, y + t * s, w * s, h * s}, color, alpha);
    }
    void circle(double dx, double dy, double r, uint32_t color, double alpha = 1.0) const {
        fillCircle(cr, x + dx * s, y + dy * s, r * s, color, alpha);
    }
};

void weaponsmith(const Frame& f, uint32_t accent, double w) {
    f.poly({{-0.42, 0.16}, {0.42, 0.16}, {0.3, 0.28}, {-0.3, 0.28}}, kIron);
    f.poly({{-0.46, 0.02}, {0.3, 0.02}, {0.46, 0.1}, {-0.38, 0.1}}, kSteel);
    f.rect(-0.16, 0.28, 0.32, 0.1, kDarkWood);
    cairo_t* cr = f.cr;
    double s = f.s;
    cairo_save(cr);
    cairo_translate(cr, f.x, f.y - 0.16 * s);
    cairo_rotate(cr, -0.7);
    fillRect(cr, {-0.9 * w, -0.44 * s, 1.8 * w, 0.62 * s}, kSteel);
    fillRect(cr, {-0.11 * s, 0.16 * s, 0.22 * s, 1.1 * w}, accent);
    fillRect(cr, {-0.7 * w, 0.2 * s, 1.4 * w, 0.16 * s}, kWood);
    cairo_restore(cr);
    cairo_save(cr);
    cairo_translate(cr, f.x, f.y - 0.16 * s);
    cairo_rotate(cr, 0.7);
    fillRect(cr, {-0.6 * w, -0.3 * s, 1.2 * w, 0.62 * s}, kWood);
    fillRect(cr, {-0.15 * s, -0.44 * s, 0.3 * s, 0.18 * s}, kSteel);
    cairo_restore(cr);
}

void armourer(const Frame& f, uint32_t accent) {
    f.poly({{0, -0.46}, {0.4, -0.28}, {0.36, 0.16}, {0, 0.46}, {-0.36, 0.16}, {-0.4, -0.28}}, kSteel);
    f.poly({{0, -0.34}, {0.28, -0.2}, {0.25, 0.12}, {0, 0.33}, {-0.25, 0.12}, {-0.28, -0.2}}, accent);
    f.circle(0, -0.02, 0.11, kSteel);
    f.circle(0, -0.02, 0.06, kIron);
    f.circle(-0.3, -0.22, 0.035, kIron);
    f.circle(0.3, -0.22, 0.035, kIron);
}

void apothecary(const Frame& f, uint32_t accent) {
    f.rect(-0.1, -0.44, 0.2, 0.18, kGlass, 0.85);
    f.rect(-0.13, -0.48, 0.26, 0.08, kWood);
    f.circle(0, 0.14, 0.34, kGlass, 0.35);
    // The liquid fills the bulb's lower part only; the clip ends with it.
    cairo_save(f.cr);
    cairo_rectangle(f.cr, f.x - 0.4 * f.s, f.y + 0.02 * f.s, 0.8 * f.s, 0.5 * f.s);
    cairo_clip(f.cr);
    f.circle(0, 0.14, 0.32, accent, 0.95);
    cairo_restore(f.cr);
    f.circle(-0.08, 0.06, 0.045, kWhite, 0.7);
    f.circle(0.07, -0.02, 0.03, kWhite, 0.55);
}

void tavern(const Frame& f, uint32_t accent, double w) {
    f.rect(-0.3, -0.24, 0.46, 0.62, kWood);
    f.rect(-0.26, -0.2, 0.38, 0.54, accent);
    cairo_save(f.cr);
    cairo_new_path(f.cr);
    cairo_arc(f.cr, f.x + 0.22 * f.s, f.y + 0.06 * f.s, 0.16 * f.s, -1.2, 1.2);
    setColor(f.cr, kWood);
    cairo_set_line_width(f.cr, 1.6 * w);
    cairo_stroke(f.cr);
    cairo_restore(f.cr);
    for (double dx : {-0.22, -0.08, 0.06}) f.circle(dx, -0.26, 0.1, kFoam);
    f.rect(-0.3, -0.3, 0.46, 0.1, kFoam);
}

void party(const Frame& f, uint32_t accent) {
    const double dxs[3] = {-0.28, 0, 0.28};
    const double dys[3] = {0.04, -0.04, 0.04};
    for (int i = 0; i < 3; ++i) {
        double dx = dxs[i], dy = dys[i];
        bool middle = i == 1;
        f.circle(dx, dy - 0.14, 0.115, middle ? accent : kSteel);
        f.poly({{dx - 0.15, dy + 0.3}, {dx - 0.11, dy - 0.02}, {dx + 0.11, dy - 0.02}, {dx + 0.15, dy + 0.3}},
               middle ? theme::kDeepGold : kIron);
    }
}

void barracks(const Frame& f, uint32_t accent) {
    f.poly({{0, -0.3}, {0.44, 0.34}, {-0.44, 0.34}}, kWood);
    f.poly({{0, -0.3}, {0.1, 0.34}, {-0.1, 0.34}}, kDarkWood);
    f.rect(-0.44, 0.34, 0.88, 0.08, kDarkWood);
    f.rect(-0.015, -0.48, 0.03, 0.2, kIron);
    f.poly({{0.015, -0.48}, {0.3, -0.42}, {0.015, -0.36}}, accent);
}

void trainer(const Frame& f, uint32_t accent) {
    f.rect(-0.34, -0.18, 0.68, 0.46, theme::kParchment);
    f.rect(-0.4, -0.24, 0.12, 0.58, kWood);
    f.rect(0.28, -0.24, 0.12, 0.58, kWood);
    for (int k = 0; k < 3; ++k) f.rect(-0.24, 0.12 * k - 0.06, 0.48 - 0.1 * k, 0.035, kInk, 0.8);
    f.poly({{0, -0.5}, {0.09, -0.34}, {0.25, -0.3}, {0.09, -0.26}, {0, -0.12}, {-0.09, -0.26}, {-0.25, -0.3},
            {-0.09, -0.34}},
           accent);
}

void runeTower(const Frame& f, uint32_t accent) {
    f.rect(-0.26, -0.16, 0.52, 0.58, kIron);
    f.rect(-0.22, -0.16, 0.44, 0.58, kSteel);
    for (double dx : {-0.26, -0.06, 0.14}) f.rect(dx, -0.26, 0.12, 0.12, kIron);
    f.rect(-0.06, 0, 0.12, 0.12, kSoot);
    f.rect(-0.06, 0.2, 0.12, 0.12, kSoot);
    f.poly({{0, -0.5}, {0.16, -0.38}, {0.1, -0.3}, {-0.1, -0.3}, {-0.16, -0.38}}, accent);
    f.circle(0, -0.4, 0.04, kWhite, 0.8);
}

} // namespace

void drawCityIcon(cairo_t* cr, CityIcon icon, double x, double y, double size, uint32_t accent) {
    if (static_cast<uint32_t>(icon) > 7) return;
    const Frame f{cr, x, y, size};
    const double w = std::max(1.5, 0.06 * size);
    cairo_save(cr);
    switch (icon) {
    case CityIcon::Weaponsmith: weaponsmith(f, accent, w); break;
    case CityIcon::Armourer: armourer(f, accent); break;
    case CityIcon::Apothecary: apothecary(f, accent); break;
    case CityIcon::Tavern: tavern(f, accent, w); break;
    case CityIcon::Party: party(f, accent); break;
    case CityIcon::Barracks: barracks(f, accent); break;
    case CityIcon::Trainer: trainer(f, accent); break;
    case CityIcon::RuneTower: runeTower(f, accent); break;
    default: break;
    }
    cairo_restore(cr);
}

} // namespace ui
