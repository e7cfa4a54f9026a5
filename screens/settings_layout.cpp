// Where the settings page puts its sections.
#include <algorithm>
#include <string>

#include "platform/i18n.h"
#include "screens/settings_layout.h"
#include "ui/draw.h"

namespace ui {

namespace {

constexpr double kCellW = 112;  // language cell, scaled
constexpr double kCellH = 30;
constexpr double kCellGap = 6;

// The narrowest cell that holds every language's name: a button shrinks
// its label to 0.6 of its 15 units (never below a readable size) inside
// 8 units of margin on each side.
double cellWidth(cairo_t* cr, double s) {
    double widest = 0;
    auto take = [&](const std::string& label) {
        double w = 0;
        measureText(cr, label, TextStyle{.size = 0.6 * 15 * s, .bold = true}, &w, nullptr);
        widest = std::max(widest, w);
    };
    take(i18n::tr("settings.languageSystem"));
    for (const i18n::Language& l : i18n::languages()) take(l.nativeName);
    return std::max(kCellW * s, widest + 18 * s);
}

} // namespace

Rect SettingsLayout::languageCell(int i) const {
    const double step = cellW + kCellGap * scale;
    return {page.x + (i % columns) * step, gridTop + (i / columns) * (kCellH + kCellGap) * scale, cellW,
            kCellH * scale};
}

SettingsLayout settingsLayout(const Ctx& ctx, double top, double scroll) {
    const double s = ctx.uiScale;
    const double m = std::max((ctx.width - 620 * s) / 2, 24 * s);
    SettingsLayout l;
    l.scale = s;
    l.page = {m, top + 6 * s, ctx.width - 2 * m, ctx.height - top - 46 * s};
    const double pw = l.page.w;
    l.cells = 1 + static_cast<int>(i18n::languages().size());
    l.cellW = cellWidth(ctx.cr, s);
    l.columns = std::max(2, static_cast<int>((pw + kCellGap * s) / (l.cellW + kCellGap * s)));
    l.rows = (l.cells + l.columns - 1) / l.columns;
    l.contentHeight = 408 * s + l.rows * (kCellH + kCellGap) * s;

    const double y = l.page.y - scroll;
    l.difficultyTitle = y;
    const double bw = (pw - 9 * s) / 4;
    for (int d = 0; d < 4; ++d) l.difficulty[d] = {l.page.x + d * (bw + 3 * s), y + 30 * s, bw, 38 * s};
    l.hintTop = y + 74 * s;
    l.soundTitle = l.hintTop + 40 * s;
    l.soundSwitch = {l.page.x, l.soundTitle + 30 * s, pw, 38 * s};
    l.musicLabel = l.soundSwitch.y + l.soundSwitch.h + 8 * s;
    l.musicSlider = {l.page.x, l.musicLabel + 18 * s, pw, 22 * s};
    l.sfxLabel = l.musicLabel + 52 * s;
    l.sfxSlider = {l.page.x, l.sfxLabel + 18 * s, pw, 22 * s};
    l.languageTitle = l.sfxLabel + 56 * s;
    l.gridTop = l.languageTitle + 30 * s;
    l.resetTitle = l.gridTop + l.rows * (kCellH + kCellGap) * s + 16 * s;
    l.resetButton = {l.page.x, l.resetTitle + 30 * s, std::min(280 * s, pw), 34 * s};
    return l;
}

} // namespace ui
