#include "fx/storm.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "fx/shapes.h"
#include "rules/rng.h"
#include "ui/draw.h"
#include "ui/beneath.h"

namespace ui {
namespace {


constexpr uint32_t kRain = 0xBCD0F0;
constexpr uint32_t kBoltGlow = 0x9AB8FF;
constexpr uint32_t kBranchCore = 0xEAF2FF;
constexpr uint32_t kSkyFlash = 0xC8D8FF;
constexpr uint32_t kTitleBar = 0xCFE2FF;
constexpr uint32_t kStreakGlow = 0xA8CCFF;
constexpr uint32_t kStreakCore = 0xF6FBFF;

// The storm's own generator: apart from the game's, so that weather never
// moves a seeded roll.
struct WeatherRng {
    rpg::Rng r{rpg::seedHash(std::to_string(rpg::randomSeed()))};
};

WeatherRng& weatherRng() {
    static WeatherRng w;
    return w;
}

double rnd() { return weatherRng().r.uniform(); }

struct Key {
    double at;     // ms
    double value;
};

// Piecewise linear through the keys; 0 outside them.
template <size_t N>
double keyed(const Key (&keys)[N], double at) {
    if (at < keys[0].at || at > keys[N - 1].at) return 0;
    for (size_t i = 1; i < N; ++i) {
        if (at <= keys[i].at) {
            double span = keys[i].at - keys[i - 1].at;
            double f = span > 0 ? (at - keys[i - 1].at) / span : 1;
            return keys[i - 1].value + (keys[i].value - keys[i - 1].value) * f;
        }
    }
    return 0;
}

struct Drop {
    double w, len, s;
};

void paintDrop(cairo_t* cr, void* user) {
    const Drop& d = *static_cast<const Drop*>(user);
    fillRoundedRect(cr, {0, 0, d.w, d.len}, d.s, kRain, 1.0);
}

// Each drop a cached streak turned 16 degrees about its top end.
void drawRain(const Ctx& ctx, double W, double H, double s, double now) {
    const double g = gpuScale();
    for (int i = 0; i < 22; ++i) {
        double e = std::max(0.0, now - (137 * i % 1400) / 1000.0);
        double period = (620 + 130 * (i % 6)) / 1000.0;
        double q = std::fmod(e, period) / period;
        const double x = 26 * s * q + ((53 * i % 100) / 100.0) * W;
        const double y = (60 * s + H) * q - 30 * s;
        Drop d{2 * s, (16 + 6 * (i % 4)) * s, s};
        const std::string key = "raindrop|" + std::to_string(i % 4) + "|" + std::to_string(s);
        const beneath::Picture drop(key, static_cast<int>(std::lround(d.w * g)),
                                    static_cast<int>(std::lround(d.len * g)), paintDrop, &d);
        beneath::drawPivoted(ctx, drop, {x - s, y, d.w, d.len}, s, 0, 16, 0.18 + 0.06 * (i % 3));
    }
}

std::vector<Storm::Point> mainBolt(double x, double endY, double s) {
    std::vector<Storm::Point> pts;
    double x0 = x + (2 * rnd() - 1) * 60 * s;
    pts.push_back({x0, 0});
    for (int k = 1; k <= 9; ++k) {
        double f = k / 9.0;
        double o = 0;
        if (k < 9) o = (k % 2 == 1 ? -1 : 1) * (24 + 20 * rnd()) * s;
        pts.push_back({x0 + f * (x - x0) + o, f * endY});
    }
    return pts;
}

// A branch forks off an inner point of the main bolt; half of them grow a
// twig the other way from their second point.
void addBranch(std::vector<std::vector<Storm::Point>>& bolts, double s) {
    const std::vector<Storm::Point>& main = bolts[0];
    int from = static_cast<int>((main.size() - 2) * rnd()) + 1;
    double dir = rnd() < 0.5 ? -1 : 1;
    int segments = static_cast<int>(3 * rnd()) + 2;
    std::vector<Storm::Point> branch{main[from]};
    for (int k = 0; k < segments; ++k) {
        Storm::Point p = branch.back();
        double across = (12 + 22 * rnd()) * s * dir;
        double jitter = (2 * rnd() - 1) * 8 * s;
        double down = (14 + 28 * rnd()) * s;
        branch.push_back({p.x + across + jitter, p.y + down});
    }
    bolts.push_back(branch);
    if (rnd() < 0.5 && branch.size() >= 2) {
        std::vector<Storm::Point> twig{branch[1]};
        for (int k = 0; k < 2; ++k) {
            Storm::Point p = twig.back();
            double across = (8 + 16 * rnd()) * s * -dir;
            double down = (12 + 18 * rnd()) * s;
            twig.push_back({p.x + across, p.y + down});
        }
        bolts.push_back(twig);
    }
}

int& strikesSoFar() {
    static int n = 0;
    return n;
}

void strike(Storm& st, double W, double H, double s, double now, double bigDepth) {
    bool big = rnd() < 0.4;
    double x = 0.5 * W, endY = bigDepth;
    if (!big) {
        x = (0.18 + 0.64 * rnd()) * W;
        endY = (0.5 + 0.2 * rnd()) * H;
    }
    st.bolts.clear();
    st.bolts.push_back(mainBolt(x, endY, s));
    int branches = static_cast<int>(4 * rnd()) + 4;
    for (int b = 0; b < branches; ++b) addBranch(st.bolts, s);
    st.big = big;
    st.strikeId = ++strikesSoFar();
    gpuDropPrefix("stormbolt|");  // the last strike's pictures
    st.lastStrike = now;
    st.flash = big ? 0.42 : 0.3;
    if (big) ++st.bigCount;
    st.nextStrike = now + 2.2 + 4 * rnd();
}

void strokeBolt(cairo_t* cr, const std::vector<Storm::Point>& pts, uint32_t color, double alpha, double width) {
    if (pts.empty()) return;
    cairo_new_path(cr);
    cairo_move_to(cr, pts[0].x, pts[0].y);
    for (size_t i = 1; i < pts.size(); ++i) cairo_line_to(cr, pts[i].x, pts[i].y);
    setColor(cr, color, alpha);
    cairo_set_line_width(cr, width);
    cairo_stroke(cr);
}

struct BoltPass {
    const Storm* st;
    double s;
    double x0, y0;  // the picture's top-left corner
    bool core;
};

// The glows of every bolt, or their bright cores, at full strength: the
// flicker fades each pass as a whole.
void paintBolts(cairo_t* cr, void* user) {
    const BoltPass& p = *static_cast<const BoltPass*>(user);
    const Storm& st = *p.st;
    cairo_translate(cr, -p.x0, -p.y0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    const auto& main = st.bolts[0];
    if (!p.core) {
        strokeBolt(cr, main, kBoltGlow, 0.45, 7 * p.s);
        for (size_t i = 1; i < st.bolts.size(); ++i) strokeBolt(cr, st.bolts[i], kBoltGlow, 0.4, 4 * p.s);
        return;
    }
    for (size_t i = 1; i < st.bolts.size(); ++i) strokeBolt(cr, st.bolts[i], kBranchCore, 1.0, 1.4 * p.s);
    strokeBolt(cr, main, 0xFFFFFF, 1.0, 2.6 * p.s);
}

void drawBolts(const Ctx& ctx, const Storm& st, double s, double f) {
    double x0 = 1e18, y0 = 1e18, x1 = -1e18, y1 = -1e18;
    for (const auto& bolt : st.bolts) {
        for (const Storm::Point& pt : bolt) {
            x0 = std::min(x0, pt.x);
            y0 = std::min(y0, pt.y);
            x1 = std::max(x1, pt.x);
            y1 = std::max(y1, pt.y);
        }
    }
    if (x1 < x0) return;
    const double m = 4 * s + 1;  // half the widest stroke, and a pixel
    x0 -= m;
    y0 -= m;
    x1 += m;
    y1 += m;
    const std::string id = std::to_string(st.strikeId) + "|" + std::to_string(s);
    BoltPass glowPass{&st, s, x0, y0, false};
    beneath::still(ctx, "stormbolt|glow|" + id, {x0, y0, x1 - x0, y1 - y0}, paintBolts, &glowPass, f);
    BoltPass corePass{&st, s, x0, y0, true};
    beneath::still(ctx, "stormbolt|core|" + id, {x0, y0, x1 - x0, y1 - y0}, paintBolts, &corePass, f);
}

void drawStrike(Ctx& ctx, const Storm& st) {
    double e = (ctx.now - st.lastStrike) * 1000;
    if (e < 0 || e >= 220) return;
    static const Key kFlicker[] = {{0, 0}, {18, 1}, {50, 0.15}, {72, 1}, {100, 0.35}, {118, 1}, {173, 0}};
    double f = keyed(kFlicker, e);
    if (!st.bolts.empty() && f > 0) drawBolts(ctx, st, ctx.uiScale, f);
    double F = st.flash;
    const Key sky[] = {{0, 0}, {30, F}, {66, 0.06}, {90, 0.6 * F}, {220, 0}};
    double a = keyed(sky, e);
    if (a > 0) beneath::fill(ctx, {0, 0, ctx.width, ctx.height}, kSkyFlash, a);
}

void drawStreak(cairo_t* cr, const Rect& r, double s, double m, double lineY, bool right, double delay) {
    double p = (m - delay) / 440;
    if (p <= 0 || p >= 1) return;
    double e = p * p;
    double travel = r.w + 80 * s;
    double a = e < 0.12 ? e / 0.12 : e < 0.82 ? 1 : (1 - e) / 0.18;
    if (right) {
        double x = r.x + travel * e - 50 * s;
        fillRoundedRect(cr, {x, lineY - 5 * s, 64 * s, 10 * s}, 5 * s, kStreakGlow, 0.4 * a);
        fillRoundedRect(cr, {x + 38 * s, lineY - 3 * s, 26 * s, 6 * s}, 3 * s, kStreakCore, a);
    } else {
        double x = r.x + travel * (1 - e) - 30 * s;
        fillRoundedRect(cr, {x - 64 * s, lineY - 5 * s, 64 * s, 10 * s}, 5 * s, kStreakGlow, 0.4 * a);
        fillRoundedRect(cr, {x - 64 * s, lineY - 3 * s, 26 * s, 6 * s}, 3 * s, kStreakCore, a);
    }
}

} // namespace

void stormBackdrop(Ctx& ctx, Storm* storm, double bigDepth) {
    if (!storm) return;
    double s = ctx.uiScale;
    drawRain(ctx, ctx.width, ctx.height, s, ctx.now);
    if (ctx.now >= storm->nextStrike) strike(*storm, ctx.width, ctx.height, s, ctx.now, bigDepth);
    drawStrike(ctx, *storm);
}

void electricTitle(Ctx& ctx, const Rect& title, double t) {
    if (t < 0 || t > 0.62 || !(title.w > 0)) return;
    cairo_t* cr = ctx.cr;
    double s = ctx.uiScale;
    double m = 1000 * t;
    double y20 = title.y + 0.2 * title.h, y52 = title.y + 0.52 * title.h, y82 = title.y + 0.82 * title.h;
    cairo_save(cr);
    static const Key kBars[] = {{0, 0}, {70, 0.55}, {190, 0.12}, {280, 0.4}, {600, 0}};
    double a = keyed(kBars, m);
    if (a > 0) {
        fillRoundedRect(cr, {title.x, y20, title.w, 2 * s}, s, kTitleBar, a);
        fillRoundedRect(cr, {title.x, y82, title.w, 2 * s}, s, kTitleBar, a);
    }
    drawStreak(cr, title, s, m, y20, true, 0);
    drawStreak(cr, title, s, m, y52, false, 90);
    drawStreak(cr, title, s, m, y82, true, 40);
    drawStreak(cr, title, s, m, y20, true, 220);
    drawStreak(cr, title, s, m, y82, false, 180);
    cairo_restore(cr);
}

void seedStormForTests(uint32_t state) { weatherRng().r.state = state; }

} // namespace ui
