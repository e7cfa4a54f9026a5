#include "tools/screenshots/contrast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <utility>

#include "ui/draw.h"
#include "ui/legible.h"

namespace contrast {

// --- Colour ------------------------------------------------------------------

namespace {

// Relative luminance from sRGB bytes through a table: the check weighs
// millions of pixels.
double luminanceOf(std::uint32_t rgb) {
    static const auto table = [] {
        std::array<double, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double c = i / 255.0;
            t[static_cast<std::size_t>(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        }
        return t;
    }();
    return 0.2126 * table[(rgb >> 16) & 0xFF] + 0.7152 * table[(rgb >> 8) & 0xFF] + 0.0722 * table[rgb & 0xFF];
}

double ratioOf(double la, double lb) { return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05); }

} // namespace

double ratio(std::uint32_t a, std::uint32_t b) { return ratioOf(luminanceOf(a), luminanceOf(b)); }

std::uint32_t over(std::uint32_t a, double alpha, std::uint32_t b) {
    alpha = std::clamp(alpha, 0.0, 1.0);
    std::uint32_t out = 0;
    for (int shift : {16, 8, 0}) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= static_cast<std::uint32_t>(std::lround(alpha * ca + (1 - alpha) * cb)) << shift;
    }
    return out;
}

// --- Recording -----------------------------------------------------------------

struct Recorder::State {
    cairo_surface_t* screen = nullptr;
    Pass pass = Pass::Record;
    const std::vector<SeenText>* recorded = nullptr;
    std::vector<SeenText> seen;
};

namespace {

Recorder::State* active = nullptr;

// The device pixels of a user-space box under cr's transform.
Box deviceBox(cairo_t* cr, const ui::Rect& r, int screenW, int screenH) {
    double xs[4] = {r.x, r.x + r.w, r.x, r.x + r.w};
    double ys[4] = {r.y, r.y, r.y + r.h, r.y + r.h};
    double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
    for (int i = 0; i < 4; ++i) {
        cairo_user_to_device(cr, &xs[i], &ys[i]);
        x0 = std::min(x0, xs[i]);
        y0 = std::min(y0, ys[i]);
        x1 = std::max(x1, xs[i]);
        y1 = std::max(y1, ys[i]);
    }
    const int bx0 = std::max(0, static_cast<int>(std::floor(x0)));
    const int by0 = std::max(0, static_cast<int>(std::floor(y0)));
    const int bx1 = std::min(screenW, static_cast<int>(std::ceil(x1)));
    const int by1 = std::min(screenH, static_cast<int>(std::ceil(y1)));
    return {bx0, by0, std::max(0, bx1 - bx0), std::max(0, by1 - by0)};
}

// cr's clip, laid on mc (whose user space is cr's).
void copyClip(cairo_t* cr, cairo_t* mc) {
    cairo_rectangle_list_t* list = cairo_copy_clip_rectangle_list(cr);
    if (list->status == CAIRO_STATUS_SUCCESS) {
        for (int i = 0; i < list->num_rectangles; ++i) {
            const cairo_rectangle_t& r = list->rectangles[i];
            cairo_rectangle(mc, r.x, r.y, r.width, r.height);
        }
    } else {
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        cairo_clip_extents(cr, &x0, &y0, &x1, &y1);
        cairo_rectangle(mc, x0, y0, x1 - x0, y1 - y0);
    }
    cairo_rectangle_list_destroy(list);
    cairo_clip(mc);
}

// The ink as it lands on the screen: coverage per device pixel, trimmed to
// the pixels it touches.
void inkOnScreen(cairo_t* cr, cairo_pattern_t* ink, const ui::Rect& box, SeenText* t) {
    cairo_surface_t* screen = cairo_get_target(cr);
    const Box b = deviceBox(cr, box, cairo_image_surface_get_width(screen), cairo_image_surface_get_height(screen));
    if (b.w <= 0 || b.h <= 0) return;
    cairo_surface_t* scratch = cairo_image_surface_create(CAIRO_FORMAT_A8, b.w, b.h);
    cairo_surface_set_device_offset(scratch, -b.x, -b.y);
    cairo_t* mc = cairo_create(scratch);
    cairo_matrix_t m;
    cairo_get_matrix(cr, &m);
    cairo_set_matrix(mc, &m);
    copyClip(cr, mc);
    cairo_set_source_rgba(mc, 0, 0, 0, 1);
    cairo_mask(mc, ink);
    cairo_destroy(mc);
    cairo_surface_flush(scratch);
    const unsigned char* data = cairo_image_surface_get_data(scratch);
    const int stride = cairo_image_surface_get_stride(scratch);
    int x0 = b.w, y0 = b.h, x1 = -1, y1 = -1;
    for (int y = 0; y < b.h; ++y) {
        for (int x = 0; x < b.w; ++x) {
            if (!data[y * stride + x]) continue;
            x0 = std::min(x0, x);
            x1 = std::max(x1, x);
            y0 = std::min(y0, y);
            y1 = std::max(y1, y);
        }
    }
    if (x1 >= 0) {
        t->box = {b.x + x0, b.y + y0, x1 - x0 + 1, y1 - y0 + 1};
        t->cover.resize(static_cast<std::size_t>(t->box.w) * t->box.h);
        for (int y = 0; y < t->box.h; ++y) {
            std::copy_n(data + (y0 + y) * stride + x0, t->box.w, t->cover.begin() + y * t->box.w);
        }
    }
    cairo_surface_destroy(scratch);
}

// A font size in cr's user units, in device pixels (along the text's height).
double devicePixels(cairo_t* cr, double size) {
    double dx = 0, dy = size;
    cairo_user_to_device_distance(cr, &dx, &dy);
    return std::hypot(dx, dy);
}

bool probe(cairo_t* cr, cairo_pattern_t* ink, const ui::Rect& box, std::string_view text, std::uint32_t color,
           double alpha, double size) {
    Recorder::State* s = active;
    if (!s || cairo_get_target(cr) != s->screen) return true;
    SeenText t;
    t.text = text;
    t.color = color & 0xFFFFFF;
    t.alpha = alpha;
    t.pixels = devicePixels(cr, size);
    inkOnScreen(cr, ink, box, &t);
    bool draw = s->pass == Pass::Record;
    const std::size_t n = s->seen.size();
    if (!draw && s->recorded && n < s->recorded->size()) {
        const SeenText& r = (*s->recorded)[n];
        draw = t.shadow = r.shadow && r.text == t.text;
    }
    s->seen.push_back(std::move(t));
    return draw;
}

} // namespace

Recorder::Recorder() : state_(new State) {}

Recorder::~Recorder() {
    if (active == state_) {
        active = nullptr;
        ui::textProbe = nullptr;
    }
    delete state_;
}

void Recorder::begin(cairo_surface_t* screen, Pass pass, const std::vector<SeenText>* recorded) {
    state_->screen = screen;
    state_->pass = pass;
    state_->recorded = recorded;
    state_->seen.clear();
    active = state_;
    ui::textProbe = &probe;
}

std::vector<SeenText> Recorder::end() {
    ui::textProbe = nullptr;
    active = nullptr;
    return std::move(state_->seen);
}

// --- Shadows ---------------------------------------------------------------------

void markShadows(std::vector<SeenText>& texts) {
    constexpr std::size_t kLookAhead = 9;  // a text outlined by eight offset copies
    for (std::size_t i = 0; i < texts.size(); ++i) {
        const SeenText& a = texts[i];
        if (a.box.w == 0) continue;
        for (std::size_t j = i + 1; j < texts.size() && j <= i + kLookAhead; ++j) {
            const SeenText& b = texts[j];
            const int reach = std::max(3, b.box.h / 4);
            if (b.text == a.text && b.color != a.color && std::abs(b.box.w - a.box.w) <= 2 &&
                std::abs(b.box.h - a.box.h) <= 2 && std::abs(b.box.x - a.box.x) <= reach &&
                std::abs(b.box.y - a.box.y) <= reach) {
                texts[i].shadow = true;
                break;
            }
        }
    }
}

void markFading(std::vector<SeenText>& texts, const std::vector<SeenText>& before) {
    constexpr int kReach = 8;  // pixels a rising or bobbing text moves in a frame, at most
    for (SeenText& t : texts) {
        for (const SeenText& b : before) {
            if (b.text == t.text && b.box.w > 0 && std::abs(b.box.x - t.box.x) <= kReach &&
                std::abs(b.box.y - t.box.y) <= kReach && std::abs(b.alpha - t.alpha) > 0.005) {
                t.fading = true;
                break;
            }
        }
    }
}

// --- Judging ---------------------------------------------------------------------

Verdict judge(const SeenText& t, const Picture& backdrop) {
    int strongest = 0;
    for (std::uint8_t c : t.cover) strongest = std::max<int>(strongest, c);
    // Ink pixels: half covered or more; a text too small for any takes its
    // most covered pixels.
    const int least = std::max(1, std::min(128, strongest / 2 + 1));
    // The edge a letter is read by grows with it: a pixel for body text,
    // up to four for a large sign with its shadow a few pixels off.
    const int reach = std::clamp(t.box.h / 16, 1, 4);
    struct Seen {
        double ratio;
        std::uint32_t under;
    };
    std::vector<Seen> seen;
    for (int y = 0; y < t.box.h; ++y) {
        for (int x = 0; x < t.box.w; ++x) {
            if (t.cover[static_cast<std::size_t>(y * t.box.w + x)] < least) continue;
            const int px = t.box.x + x, py = t.box.y + y;
            if (px < 0 || py < 0 || px >= backdrop.width || py >= backdrop.height) continue;
            // The letter's pixel against the best of the backdrop it touches:
            // a letter reads by its edge, and a shadow one pixel off edges it.
            const double ink = luminanceOf(over(t.color, t.fading ? 1.0 : t.alpha, backdrop.at(px, py)));
            Seen best{0, 0};
            for (int qy = std::max(0, py - reach); qy <= std::min(backdrop.height - 1, py + reach); ++qy) {
                for (int qx = std::max(0, px - reach); qx <= std::min(backdrop.width - 1, px + reach); ++qx) {
                    const std::uint32_t under = backdrop.at(qx, qy);
                    const double r = ratioOf(ink, luminanceOf(under));
                    if (r > best.ratio) best = {r, under};
                }
            }
            seen.push_back(best);
        }
    }
    if (seen.empty()) return {};
    // The contrast four fifths of the ink reaches.
    const std::size_t k = seen.size() / 5;
    std::nth_element(seen.begin(), seen.begin() + static_cast<std::ptrdiff_t>(k), seen.end(),
                     [](const Seen& a, const Seen& b) { return a.ratio < b.ratio; });
    return {seen[k].ratio, seen[k].under};
}

bool hidden(const SeenText& t, const Picture& finished, const Picture& backdrop, const SeenText* besides,
            double share) {
    auto coveredBesides = [&](int px, int py) {
        if (!besides) return false;
        const Box& b = besides->box;
        if (px < b.x || py < b.y || px >= b.x + b.w || py >= b.y + b.h) return false;
        return besides->cover[static_cast<std::size_t>((py - b.y) * b.w + px - b.x)] > 0;
    };
    int ink = 0, same = 0;
    for (int y = 0; y < t.box.h; ++y) {
        for (int x = 0; x < t.box.w; ++x) {
            if (t.cover[static_cast<std::size_t>(y * t.box.w + x)] < 128) continue;
            const int px = t.box.x + x, py = t.box.y + y;
            if (px >= finished.width || py >= finished.height || px >= backdrop.width || py >= backdrop.height) continue;
            if (coveredBesides(px, py)) continue;
            ++ink;
            const std::uint32_t a = finished.at(px, py), b = backdrop.at(px, py);
            bool alike = true;
            for (int shift : {16, 8, 0}) alike = alike && std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) <= 2;
            same += alike;
        }
    }
    return ink > 0 && same >= share * ink;
}

double legiblePixels(const SeenText& t) { return ui::legiblePixels(t.text); }

// A hundredth of a pixel for the rounding of a size raised to exactly the figure.
bool tooSmall(double pixels, double legible) { return pixels < legible - 0.01; }

int inkOverlap(const SeenText& a, const SeenText& b) {
    const int x0 = std::max(a.box.x, b.box.x), x1 = std::min(a.box.x + a.box.w, b.box.x + b.box.w);
    const int y0 = std::max(a.box.y, b.box.y), y1 = std::min(a.box.y + a.box.h, b.box.y + b.box.h);
    int both = 0;
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            const int ca = a.cover[static_cast<std::size_t>((y - a.box.y) * a.box.w + x - a.box.x)];
            const int cb = b.cover[static_cast<std::size_t>((y - b.box.y) * b.box.w + x - b.box.x)];
            both += ca >= 128 && cb >= 128;
        }
    }
    return both;
}

bool touching(const SeenText& a, const SeenText& b) {
    const int overlapY = std::min(a.box.y + a.box.h, b.box.y + b.box.h) - std::max(a.box.y, b.box.y);
    if (overlapY * 2 < std::min(a.box.h, b.box.h)) return false;
    const int gap = std::max(a.box.x, b.box.x) - std::min(a.box.x + a.box.w, b.box.x + b.box.w);
    return gap >= -1 && gap <= 0 && inkOverlap(a, b) == 0;
}

bool sameTexts(const std::vector<SeenText>& a, const std::vector<SeenText>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].text != b[i].text || a[i].box.x != b[i].box.x || a[i].box.y != b[i].box.y) return false;
    }
    return true;
}

} // namespace contrast
