#include "screens/battle_layout.h"

#include <algorithm>
#include <cmath>
#include <span>

#include "ui/draw.h"
#include "ui/sprites.h"
#include "ui/theme.h"

namespace ui::battle {
namespace {

// --- Rows ---

struct RowSpec {
    double yFrac;   // of the floor height
    double spread;  // half the row's width, as a fraction of the floor's
    double scale;
};
constexpr RowSpec kMonsterRow{0.328, 0.391, 0.82};
constexpr RowSpec kSingleHeroRow{0.616, 0.457, 1.0};
constexpr RowSpec kFrontRow{0.52, 0.435, 1.05};
// Low enough that the front row's names and bars end above the back row's
// heads (the bars lie on the overlay, over every sprite).
constexpr RowSpec kBackRow{0.70, 0.457, 0.92};
constexpr int kColumns = 6;

void placeRow(std::vector<Slot>* slots, const std::vector<const rpg::Combatant*>& row, const RowSpec& spec,
              const Floor& floor, double s, int rowIndex) {
    const int n = static_cast<int>(row.size());
    const double left = floor.x + floor.w / 2 - spec.spread * floor.w;
    const double column = 2 * spec.spread * floor.w / kColumns;
    // Columns of neighbours may touch (four units stand in 0, 2, 3, 5): the
    // nearest distinct column bounds the width. Units sharing a column (seven
    // or more) cannot help overlapping.
    int nearest = kColumns;
    for (int i = 1; i < n; ++i) {
        const int gap = rowColumn(i, n) - rowColumn(i - 1, n);
        if (gap > 0) nearest = std::min(nearest, gap);
    }
    const double size = std::min(rowSlotSize(spec.spread, floor.w, n, s), nearest * column - 6 * s);
    for (int i = 0; i < n; ++i) {
        Slot slot;
        slot.id = row[static_cast<std::size_t>(i)]->id;
        slot.x = left + (rowColumn(i, n) + 0.5) / kColumns * 2 * spec.spread * floor.w;
        slot.y = spec.yFrac * floor.h;
        slot.scale = spec.scale;
        slot.size = size;
        slot.row = rowIndex;
        slots->push_back(std::move(slot));
    }
}

// --- Animation tracks ---

enum class Ease { Linear, Out, In };

// One piece of a track: from v0 to v1 between t0 and t1 milliseconds.
struct Seg {
    double t0, t1, v0, v1;
    Ease ease = Ease::Linear;
};

double eased(double u, Ease e) {
    switch (e) {
    case Ease::Out: return 1 - (1 - u) * (1 - u);
    case Ease::In: return u * u;
    case Ease::Linear: break;
    }
    return u;
}

// The track's value at t ms; after its last piece it holds the last value.
double track(std::span<const Seg> segs, double t) {
    for (const Seg& g : segs) {
        if (t >= g.t1) continue;
        const double u = std::clamp((t - g.t0) / (g.t1 - g.t0), 0.0, 1.0);
        return g.v0 + (g.v1 - g.v0) * eased(u, g.ease);
    }
    return segs.back().v1;
}

constexpr Seg kCastBody[] = {{0, 90, 1, 0.90}, {90, 210, 0.90, 1.05}, {210, 380, 1.05, 1.00}};
constexpr Seg kCastRise[] = {{0, 90, 0, 3}, {90, 210, 3, -14}, {210, 380, -14, 0}};  // units of s
constexpr Seg kLungeReach[] = {{0, 100, 0, -0.16, Ease::Out},
                               {100, 215, -0.16, 0.88, Ease::In},
                               {215, 300, 0.88, 0.68, Ease::Out},
                               {300, 560, 0.68, 0, Ease::Out}};  // fractions of the aim
constexpr Seg kLungeBody[] = {{0, 100, 1, 0.86, Ease::Out}, {100, 215, 0.86, 1.07, Ease::In},
                              {215, 435, 1.07, 1.00, Ease::Out}};
constexpr Seg kLungeFlash[] = {{0, 95, 0, 0.65}, {95, 245, 0.65, 0}};
constexpr Seg kHitShake[] = {{0, 45, 0, 8}, {45, 90, 8, -8}, {90, 130, -8, 5}, {130, 170, 5, 0}};  // units of s
constexpr Seg kHitFlash[] = {{0, 60, 0, 1}, {60, 230, 1, 0}};
constexpr double kActionMs = 600;
constexpr double kHitMs = 260;

double afterImage(double t) {
    if (t < 105) return 0.55;
    const double k = 1 - (t - 105) / 520;
    return 0.55 * k * k;
}

// --- Trees ---

void drawTree(cairo_t* cr, double cx, double cy, double z) {
    const Rect crown{cx - 15 * z, cy - 32 * z, 30 * z, 20 * z};
    fillRoundedRect(cr, crown, 12 * z, theme::kTreeCrown);
    strokeRoundedRect(cr, crown, 12 * z, 2, theme::kTreeCrownEdge);
    fillRoundedRect(cr, {cx - 11 * z, cy - 20 * z, 22 * z, 15 * z}, 10 * z, theme::kTreeCrownLight);
    fillRect(cr, {cx - 3 * z, cy - 7 * z, 6 * z, 14 * z}, theme::kTreeTrunk);
}

// --- Floor ---

constexpr double kFloorBottom = 0.76;
constexpr double kFloorTop = 0.28;
constexpr int kFloorRows = 5;

// Height and half width of row edge i (0 at the bottom) of the chequer.
double edgeY(int i, double h) { return (kFloorBottom - (kFloorBottom - kFloorTop) * i / kFloorRows) * h; }
double edgeHalf(int i, double w) { return (0.49 - 0.11 * i / kFloorRows) * w; }

void paintChequer(cairo_t* cr, double w, double h) {
    const double cx = w / 2;
    setColor(cr, theme::kShineWhite, 0.05);
    for (int i = 0; i < kFloorRows; ++i) {
        const double y0 = edgeY(i, h), y1 = edgeY(i + 1, h);
        const double h0 = edgeHalf(i, w), h1 = edgeHalf(i + 1, w);
        for (int j = 0; j < kColumns; ++j) {
            if ((i + j) % 2 == 0) continue;
            cairo_move_to(cr, cx - h0 + 2 * h0 * j / kColumns, y0);
            cairo_line_to(cr, cx - h0 + 2 * h0 * (j + 1) / kColumns, y0);
            cairo_line_to(cr, cx - h1 + 2 * h1 * (j + 1) / kColumns, y1);
            cairo_line_to(cr, cx - h1 + 2 * h1 * j / kColumns, y1);
            cairo_close_path(cr);
        }
    }
    cairo_fill(cr);
}

void paintGrid(cairo_t* cr, double w, double h, double width, uint32_t colour, double alpha) {
    for (int i = 0; i <= kFloorRows; ++i) {
        const double y = edgeY(i, h), half = edgeHalf(i, w);
        cairo_move_to(cr, w / 2 - half, y);
        cairo_line_to(cr, w / 2 + half, y);
    }
    for (int j = 0; j <= kColumns; ++j) {
        cairo_move_to(cr, 0.01 * w + j * 0.98 * w / kColumns, kFloorBottom * h);
        cairo_line_to(cr, 0.12 * w + j * 0.76 * w / kColumns, kFloorTop * h);
    }
    setColor(cr, colour, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

} // namespace

double commandButtonWidth(double w, double s) { return std::min((w - 60 * s) / 4, 200 * s); }

Rect commandButton(double w, double h, double s, int i) {
    const double bw = commandButtonWidth(w, s);
    const double x0 = w / 2 - (4 * bw + 30 * s) / 2;
    return {x0 + i * (bw + 10 * s), h - kPanelH * s / 2 - 23 * s, bw, 46 * s};
}

int rowColumn(int i, int n) {
    if (n < 1) return 0;
    return std::clamp(static_cast<int>(std::floor((i + 0.5) * kColumns / n)), 0, kColumns - 1);
}

double rowSlotSize(double k, double floorW, int n, double s) {
    return std::clamp(2 * k * floorW / std::max(n, 1) - 6 * s, 54 * s, 118 * s);
}

void layoutSlots(std::vector<Slot>* slots, const std::vector<rpg::Combatant>& units, const Floor& floor, double s) {
    slots->clear();
    std::vector<const rpg::Combatant*> monsters, front, back;
    for (const rpg::Combatant& c : units) {
        if (c.side == rpg::Side::Enemies) monsters.push_back(&c);
        else (c.backRow ? back : front).push_back(&c);
    }
    placeRow(slots, monsters, kMonsterRow, floor, s, 0);
    if (front.size() + back.size() < 4 || front.empty() || back.empty()) {
        front.insert(front.end(), back.begin(), back.end());
        placeRow(slots, front, kSingleHeroRow, floor, s, 1);
        return;
    }
    placeRow(slots, front, kFrontRow, floor, s, 1);
    placeRow(slots, back, kBackRow, floor, s, 2);
}

SpriteSize spriteSize(const std::string& sprite, double s, double scale) {
    const pixel::Sprite* sp = pixel::find(sprite);
    if (!sp) sp = pixel::find("slime");
    if (!sp) return {3 * s * scale, 16 * 3 * s * scale, 16 * 3 * s * scale};
    const double px = (sp->width < 24 ? 3 : 2) * s * scale;
    return {px, sp->width * px, sp->height * px};
}

Pose unitPose(const UnitAnim& anim, double now, double s) {
    Pose p;
    const double t = (now - anim.start) * 1000;
    if (t >= 0 && t < kActionMs) {
        if (anim.cast) {
            p.body = track(kCastBody, t);
            p.dy = track(kCastRise, t) * s;
        } else {
            const double reach = track(kLungeReach, t);
            p.dx = reach * anim.aimX;
            p.dy = reach * anim.aimY;
            p.body = track(kLungeBody, t);
            p.flash = track(kLungeFlash, t);
            p.afterImage = afterImage(t);
        }
    }
    const double th = (now - anim.hit) * 1000;
    if (th >= 0 && th < kHitMs) {
        p.shake = track(kHitShake, th) * s;
        p.flash = std::max(p.flash, track(kHitFlash, th));
    }
    return p;
}

double deathProgress(double fade, double now) {
    if (fade < -50) return 0;
    const double u = std::clamp((now - fade) / 0.62, 0.0, 1.0);
    return u * u;
}

std::vector<TreeSpot> sideTreeSpots(const Floor& floor, double width, double height, double s) {
    const double left = floor.x + 0.06 * floor.w - 8 * s;
    const double right = floor.x + 0.94 * floor.w;
    const double rightW = width - 8 * s - right;
    std::vector<TreeSpot> spots;
    for (const auto& [fx, fy, scale] : kTreeSpots) {
        const double z = floor.w / 259 * scale;
        if (left >= 60 * s) spots.push_back({8 * s + left * fx, height * fy, z});
        if (rightW >= 60 * s) spots.push_back({right + rightW * fx, height * fy, z});
    }
    return spots;
}

void drawTree(cairo_t* cr, const TreeSpot& t) { drawTree(cr, t.cx, t.cy, t.z); }

Rect treeBounds(const TreeSpot& t) {
    // The crown's outline is 2 units wide, half of it outside the crown, and
    // antialiasing reaches a pixel further.
    constexpr double kMargin = 2;
    return {t.cx - 15 * t.z - kMargin, t.cy - 32 * t.z - kMargin, 30 * t.z + 2 * kMargin, 39 * t.z + 2 * kMargin};
}

RowBand floorBand(int h, double pixelRatio) {
    // The widest grid line reaches 1.25 units past its edge, antialiasing a
    // pixel further.
    const double margin = 2 * pixelRatio + 1;
    return {std::max(0, static_cast<int>(std::floor(kFloorTop * h - margin))),
            std::min(h, static_cast<int>(std::ceil(kFloorBottom * h + margin)))};
}

void paintFloor(cairo_t* cr, void* user) {
    const FloorPicture& p = *static_cast<const FloorPicture*>(user);
    double sx = 1, sy = 1;
    cairo_surface_get_device_scale(cairo_get_target(cr), &sx, &sy);
    const double w = p.w / sx;
    const double h = p.h / sy;
    cairo_translate(cr, 0, -p.top / sy);
    cairo_move_to(cr, 0.01 * w, kFloorBottom * h);
    cairo_line_to(cr, 0.99 * w, kFloorBottom * h);
    cairo_line_to(cr, 0.88 * w, kFloorTop * h);
    cairo_line_to(cr, 0.12 * w, kFloorTop * h);
    cairo_close_path(cr);
    setColor(cr, theme::kFieldShade, 0.22);
    cairo_fill(cr);
    paintChequer(cr, w, h);
    paintGrid(cr, w, h, 2.5, theme::kShadowBlack, 0.13);
    paintGrid(cr, w, h, 1.2, theme::kShineWhite, 0.16);
}

} // namespace ui::battle
