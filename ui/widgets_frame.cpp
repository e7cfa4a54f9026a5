// Framing widgets: footer, panels, value bars, the pill and the wavy title.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

#include "platform/storage.h"
#include "platform/version.h"
#include "ui/game_ui.h"
#include "ui/theme.h"
#include "ui/widget_base.h"
#include "ui/widgets.h"

namespace ui {
namespace {

using namespace theme;

constexpr const char* kMakerLine = "\u00A9 2025 Harlowen Software";

// --- Animated bars ---

constexpr double kRiseTime = 0.32;   // s
constexpr double kFallTime = 0.26;   // s
constexpr double kTrailHold = 0.24;  // s before the trail starts to follow
constexpr double kTrailEnd = 0.8;    // s when the trail reaches the target
constexpr double kFlashTime = 0.42;  // s
constexpr double kSameTarget = 1e-9;

struct BarState {
    double shown = -1;   // fraction drawn now; -1 until first seen
    double trail = -1;   // pale trail left by a fall
    double from = 0;     // fraction the running animation started at
    double start = -100; // frame time the running animation started
    double lastTarget = 0;
    bool rising = false;
};

// One entry per key for the life of the program; a key names one bar.
std::map<std::string, BarState>& barStates() {
    static std::map<std::string, BarState> states;
    return states;
}

double easeOut(double u) { return 1 - (1 - u) * (1 - u); }

void retarget(BarState& b, double target, double now) {
    if (b.shown < 0) {
        b.trail = b.from = target;
    } else if (std::fabs(target - b.lastTarget) > kSameTarget) {
        b.from = b.shown;
        b.trail = b.rising ? target : std::max(target, b.shown);
        b.start = now;
        b.rising = target > b.shown;
    }
    b.lastTarget = target;
}

void advanceBar(BarState& b, double target, double e) {
    if (b.rising) {
        b.shown = e >= kRiseTime ? target : b.from + (target - b.from) * easeOut(e / kRiseTime);
        b.trail = target;
        return;
    }
    b.shown = e >= kFallTime ? target : b.from + (target - b.from) * easeOut(e / kFallTime);
    // The trail creeps by a share of the gap each frame, so its pace follows
    // the frame rate; it always lands on the target at the end.
    if (e >= kTrailEnd) b.trail = target;
    else if (e >= kTrailHold)
        b.trail += 0.35 * (target - b.trail) * easeOut((e - kTrailHold) / (kTrailEnd - kTrailHold));
}

BarLook lookOf(const BarState& b, double e) {
    BarLook look;
    look.shown = b.shown;
    look.trail = b.trail;
    if (b.rising && e < kFlashTime) {
        const double k = 1 - e / kFlashTime;
        look.flash = 0.7 * k * k;
    }
    return look;
}

// --- Pill ---

void fillVertical(cairo_t* cr, double y0, double y1, uint32_t top, double topAlpha, uint32_t bottom,
                  double bottomAlpha) {
    cairo_pattern_t* g = cairo_pattern_create_linear(0, y0, 0, y1);
    addColorStop(g, 0, top, topAlpha);
    addColorStop(g, 1, bottom, bottomAlpha);
    cairo_set_source(cr, g);
    cairo_fill(cr);
    cairo_pattern_destroy(g);
}

// --- Wavy title ---

// The text cut into UTF-8 characters by their lead bytes; a character that
// runs past the end is cut there.
std::vector<std::string> splitCharacters(const std::string& text) {
    std::vector<std::string> out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

// The coin stays put whatever the amount's width.
void drawLastingGold(Ctx& ctx, double bar) {
    const double s = ctx.uiScale;
    drawCoinIcon(ctx.cr, ctx.width - 112 * s, bar / 2, 15 * s, 1.0);
    drawText(ctx.cr, ctx.width - 16 * s, bar / 2 - 10 * s, num(store::meta().gold),
             TextStyle{.size = 18 * s, .bold = true, .color = kLightGold, .align = Align::Right});
}

} // namespace

double gameHeader(Ctx& ctx, const std::string& title, bool* backClicked, bool showGold) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double bar = kHeaderHeight * s;
    bool back = false;
    {
        SavedState keep(cr);
        fillRect(cr, {0, 0, ctx.width, bar}, kHeaderBrown, 0.92);
        fillRect(cr, {0, bar - 2 * s, ctx.width, 2 * s}, kBrownBorder, 1.0);
    }
    if (backClicked) back = backButton(ctx, bar);
    {
        SavedState keep(cr);
        drawTextCentered(
            cr, ctx.width / 2, bar / 2, title,
            TextStyle{
                .size = 22 * s, .bold = true, .color = kLightGold, .align = Align::Centre, .fitWidth = ctx.width / 2});
        if (showGold) drawLastingGold(ctx, bar);
    }
    if (backClicked) *backClicked = back;
    return bar;
}

double screenHeader(Ctx& ctx, const std::string& title, bool* backClicked) {
    const double s = ctx.uiScale;
    const bool compact = kit::isCompact(ctx);
    const double bar = (compact ? 52 : 60) * s;
    const bool back = backButton(ctx, bar);
    if (backClicked) *backClicked = back;
    SavedState keep(ctx.cr);
    drawTextCentered(
        ctx.cr, ctx.width / 2, bar / 2, title,
        TextStyle{.size = (compact ? 20 : 24) * s, .bold = true, .color = kCreamText, .align = Align::Centre});
    return bar;
}

void footer(Ctx& ctx, double y) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    char version[64];
    std::snprintf(version, sizeof version, "v%s Build %d", platform::kVersion, platform::kBuild);
    const TextStyle st{.size = 12 * s, .color = kMutedText, .align = Align::Centre};
    SavedState keep(cr);
    double vh = 0;
    double mh = 0;
    measureText(cr, version, st, nullptr, &vh);
    measureText(cr, kMakerLine, st, nullptr, &mh);
    const double versionTop = y - 6 * s - vh;
    drawTextTop(cr, ctx.width / 2, versionTop, version, st);
    drawTextTop(cr, ctx.width / 2, versionTop - 2 * s - mh, kMakerLine, st);
}

void pixelPanel(Ctx& ctx, const Rect& r, bool sunken) {
    SavedState keep(ctx.cr);
    fillRect(ctx.cr, r, sunken ? kDarkerPanel : kDarkPanel, 1.0);
    const double b = std::max(3 * ctx.uiScale, 2.0);
    if (sunken) drawBevel(ctx.cr, r, b, kBevelDark, kBevelLight, 1.0);
    else drawBevel(ctx.cr, r, b, kBevelLight, kBevelDark, 1.0);
}

void parchmentCard(Ctx& ctx, const Rect& r) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    SavedState keep(cr);
    fillRect(cr, r, kParchment, 1.0);
    const double b = std::max(2 * s, 2.0);
    fillRect(cr, {r.x, r.y + r.h - b, r.w, b}, 0xC9B487, 1.0);
    fillRect(cr, {r.x + r.w - b, r.y, b, r.h}, 0xC9B487, 1.0);
    strokeRoundedRect(cr, r, 0, std::max(1.5 * s, 1.0), kBrownBorder, 1.0);
}

void statBar(Ctx& ctx, const Rect& r, double value, double max, uint32_t topColor, uint32_t baseColor,
             const std::string& text) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    SavedState keep(cr);
    fillRect(cr, r, kBarTrack, 1.0);
    if (max > 0) {
        const double f = std::min(value / max, 1.0);
        if (f > 0) {
            fillRect(cr, {r.x, r.y, f * r.w, r.h}, baseColor, 1.0);
            fillRect(cr, {r.x, r.y, f * r.w, 0.55 * r.h}, topColor, 1.0);
        }
    }
    strokeRoundedRect(cr, r, 0, std::max(s, 1.0), kBevelDark, 1.0);
    if (!text.empty() && r.h >= 12 * s) {
        drawTextIn(cr, r, text,
                   TextStyle{.size = std::round(0.68 * r.h),
                             .bold = true,
                             .color = kCreamText,
                             .align = Align::Centre,
                             .fitWidth = r.w - 4 * s});
    }
}

void forgetAnimBars() { barStates().clear(); }

void drawBarLook(cairo_t* cr, const Rect& r, const BarLook& look, uint32_t color, double s) {
    fillRect(cr, r, kBarTrack, 1.0);
    auto inner = [&](double f) { return Rect{r.x + 2 * s, r.y + 2 * s, (r.w - 4 * s) * f, r.h - 4 * s}; };
    if (look.trail > look.shown) fillRect(cr, inner(look.trail), 0xFFF0D6, 0.55);
    if (look.shown > 0) fillRect(cr, inner(look.shown), color, 1.0);
    if (look.flash > 0) fillRect(cr, inner(look.shown), kGainGreen, look.flash);
    drawBevel(cr, r, std::max(2 * s, 1.0), kBevelDark, kBevelLight, 1.0);
}

BarLook animBarStep(Ctx& ctx, const std::string& key, double value, double max) {
    const double target = max > 0 ? std::clamp(value / max, 0.0, 1.0) : 0.0;
    BarState& b = barStates()[key];
    retarget(b, target, ctx.now);
    const double e = ctx.now - b.start;
    advanceBar(b, target, e);
    return lookOf(b, e);
}

void animBar(Ctx& ctx, const std::string& key, const Rect& r, double value, double max, uint32_t color,
             bool showNumbers) {
    const double s = ctx.uiScale;
    const BarLook look = animBarStep(ctx, key, value, max);
    SavedState keep(ctx.cr);
    drawBarLook(ctx.cr, r, look, color, s);
    if (!showNumbers || r.h < 10 * s) return;
    const std::string text = num(std::ceil(value)) + "/" + num(max);
    TextStyle st{.size = std::round(0.62 * r.h), .color = 0x000000, .align = Align::Centre};
    const double cx = r.x + r.w / 2;
    const double cy = r.y + r.h / 2;
    drawTextCentered(ctx.cr, cx + 1, cy + 1, text, st);  // the shadow's offset is one pixel at any scale
    st.color = kCreamText;
    drawTextCentered(ctx.cr, cx, cy, text, st);
}

double statusChips(Ctx& ctx, double x, double y, double size, const std::vector<rpg::StatusInstance>& statuses) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    double cx = x + size / 2;
    SavedState keep(cr);
    for (const rpg::StatusInstance& st : statuses) {
        fillRect(cr, {cx - size / 2 - 2 * s, y - 2 * s, size + 4 * s, size + 4 * s}, kBarTrack, 0.7);
        // A kind outside the table has no row to take a colour from (and no glyph).
        const bool known = static_cast<int>(st.kind) < rpg::kStatusCount;
        const uint32_t colour = known ? rpg::statusDesc(st.kind).colour : 0;
        drawStatusIcon(cr, st.kind, cx, y + size / 2, 0.8 * size, colour, 1.0);
        if (st.rounds > 0 && st.kind != rpg::StatusKind::Shield) {
            drawText(cr, cx + size / 2, y + 0.45 * size, num(st.rounds),
                     TextStyle{.size = std::round(0.55 * size), .bold = true, .color = kCreamText});
        }
        cx += size + 10 * s;
    }
    return cx;
}

void hudPill(Ctx& ctx, const Rect& r, const std::string& text, const std::string& value, uint32_t fill,
             uint32_t border, uint32_t valueColor, uint32_t labelColor, double iconWidth) {
    cairo_t* cr = ctx.cr;
    const double rad = 0.42 * r.h;
    SavedState keep(cr);
    roundedRectPath(cr, r, rad);
    fillVertical(cr, r.y, r.y + r.h, lighten(fill, 0.22), 0.92, darken(fill, 0.18), 0.92);
    const Rect gloss{r.x + 0.35 * rad, r.y + 0.1 * r.h, r.w - 0.7 * rad, 0.4 * r.h};
    roundedRectPath(cr, gloss, 0.2 * r.h);
    fillVertical(cr, gloss.y, gloss.y + gloss.h, 0xFFFFFF, 0.3, 0xFFFFFF, 0.0);
    strokeRoundedRect(cr, r, rad, std::max(0.045 * r.h, 1.0), border, 0.85);

    const double cx = r.x + iconWidth + (r.w - iconWidth) / 2;
    const double fit = (r.w - iconWidth) - 12;
    if (text.empty()) {
        drawTextCentered(cr, cx, r.y + r.h / 2, value,
                         TextStyle{.size = std::min(0.52 * r.h, 18.0),
                                   .bold = true,
                                   .color = valueColor,
                                   .align = Align::Centre,
                                   .fitWidth = fit});
        return;
    }
    drawTextCentered(
        cr, cx, r.y + 0.3 * r.h, text,
        TextStyle{.size = std::min(0.28 * r.h, 11.0), .color = labelColor, .align = Align::Centre, .fitWidth = fit});
    drawTextCentered(cr, cx, r.y + 0.68 * r.h, value,
                     TextStyle{.size = std::min(0.42 * r.h, 17.0),
                               .bold = true,
                               .color = valueColor,
                               .align = Align::Centre,
                               .fitWidth = fit});
}

void wavyTitle(Ctx& ctx, double cx, double y, const std::string& text, double size,
               const std::vector<uint32_t>* palette) {
    cairo_t* cr = ctx.cr;
    TextStyle st{.size = size, .bold = true, .color = kGold, .align = Align::Centre};
    const std::vector<std::string> chars = splitCharacters(text);
    std::vector<double> widths(chars.size());
    double total = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        // A plain space measures as nothing; the no-break space keeps its room.
        measureText(cr, chars[i] == " " ? "\u00A0" : chars[i], st, &widths[i], nullptr);
        total += widths[i] + 2;
    }
    SavedState keep(cr);
    double x = cx - total / 2;
    size_t drawn = 0;
    for (size_t i = 0; i < chars.size(); ++i) {
        if (chars[i] != " ") {
            if (palette && !palette->empty()) st.color = (*palette)[drawn % palette->size()];
            ++drawn;
            const double dy = 0.2 * size * std::sin(2 * kPi * ctx.now / 2.8 + 0.45 * i);
            const double angle = 6 * kDegree * std::sin(2 * kPi * ctx.now * 0.25 + 0.45 * i);
            cairo_save(cr);
            cairo_translate(cr, x + widths[i] / 2, y + dy);
            cairo_rotate(cr, angle);
            drawTextCentered(cr, 0, 0, chars[i], st);
            cairo_restore(cr);
        }
        x += widths[i] + 2;
    }
}

} // namespace ui
