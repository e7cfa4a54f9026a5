#include "screens/about_layout.h"

#include <algorithm>
#include <cstdio>

#include "platform/i18n.h"
#include "platform/version.h"
#include "ui/theme.h"

namespace ui {

namespace {

using namespace theme;

constexpr double kLinkGap = 0.35;  // of the link's size

enum class Source { Fixed, Key, Version };

// One line of the page. Sizes and gaps are units before the factor and the
// UI scale; a divider follows the gap, then dividerGap more.
struct Row {
    Source source;
    const char* text;     // the fixed text or the translation key
    double size;
    bool bold;
    uint32_t color;
    double gap;
    bool divider = false;
    double dividerGap = 0;
    const char* address = "";
};

constexpr Row kRows[] = {
    {Source::Fixed, platform::kTitle, 44, true, kGold, 6},
    {Source::Version, "", 16, false, kMutedText, 18, true, 20},
    {Source::Key, "about.developedBy", 13, false, kMutedText, 6},
    {Source::Key, "about.team", 22, true, kCreamText, 4},
    {Source::Fixed, "Harlowen Software", 17, true, kCreamText, 4},
    {Source::Fixed, "\u00A9 2025", 14, false, kMutedText, 18, true, 20},
    {Source::Fixed, "hello@harlowen-software.example", 17, false, kGold, kLinkGap * 17, false, 0,
     "mailto:hello@harlowen-software.example"},
    {Source::Fixed, "harlowen-software.example", 17, false, kGold, kLinkGap * 17 + 10, true, 20,
     "https://harlowen-software.example"},
    {Source::Key, "about.musicSound", 13, false, kMutedText, 6},
    {Source::Key, "about.musicCredit", 15, false, kCreamText, 4},
    {Source::Fixed, "harlowen-software.example/velmorandine", 15, false, kGold, kLinkGap * 15, false, 0,
     "https://harlowen-software.example/velmorandine"},
    {Source::Key, "about.sfxCredit", 15, false, kCreamText, 4},
    {Source::Fixed, "sox.sourceforge.io", 15, false, kGold, kLinkGap * 15, false, 0, "https://sox.sourceforge.io"},
};

std::string rowText(const Row& r) {
    switch (r.source) {
    case Source::Key: return i18n::tr(r.text);
    case Source::Version: {
        char line[64];
        std::snprintf(line, sizeof line, "v%s Build %d", platform::kVersion, platform::kBuild);
        return line;
    }
    case Source::Fixed: break;
    }
    return r.text;
}

// Small windows draw the whole page smaller; a low window always does,
// whatever its scale.
double sizeFactor(const Ctx& ctx) {
    const double s = ctx.uiScale;
    if (ctx.height < 620) return 0.62;
    if (ctx.width < 1100 * s || ctx.height < 640 * s) return 0.78;
    return 1.0;
}

AboutPage layoutAt(Ctx& ctx, double top, double factor) {
    AboutPage page;
    page.factor = factor;
    const double k = page.factor * ctx.uiScale;
    double y = top + 26 * k;
    for (const Row& r : kRows) {
        AboutLine line;
        line.text = rowText(r);
        line.style = {
            .family = kFontSans, .size = r.size * k, .bold = r.bold, .color = r.color, .align = Align::Centre};
        double w = 0;
        double h = 0;
        measureText(ctx.cr, line.text, line.style, &w, &h);
        line.box = {ctx.width / 2 - w / 2, y, w, h};
        line.address = r.address;
        page.lines.push_back(line);
        y += h + r.gap * k;
        if (r.divider) {
            page.dividers.push_back(y);
            y += r.dividerGap * k;
        }
    }
    const double bw = std::min(ctx.width - 64 * ctx.uiScale, 280 * ctx.uiScale);
    const double bh = 50 * k;
    page.licensesButton = {ctx.width / 2 - bw / 2, std::min(ctx.height - 78 * k, y + 14 * k), bw, bh};
    return page;
}

} // namespace

// The smallest window's UI scale already shrinks the page: shrinking it once
// more where it fits anyway left six-pixel text, so the small-window factor
// applies only to a page that would otherwise run under its button.
AboutPage aboutLayout(Ctx& ctx, double top) {
    AboutPage full = layoutAt(ctx, top, 1.0);
    const double factor = sizeFactor(ctx);
    // The button is held above the window's foot only when the page is too long.
    const bool fits = full.licensesButton.y < ctx.height - 78 * ctx.uiScale;
    return factor == 1.0 || fits ? full : layoutAt(ctx, top, factor);
}

} // namespace ui
