// Where the settings page puts its sections.
#include <algorithm>

#include "platform/i18n.h"
#include "screens/settings_layout.h"

namespace ui {

namespace {

constexpr double kCellW = 112;  // language cell, scaled
constexpr double kCellH = 30;
constexpr double kCellGap = 6;

} // namespace

Rect SettingsLayout::languageCell(int i) const {
    const double step = (kCellW + kCellGap) * scale;
    return {page.x + (i % columns) * step, gridTop + (i / columns) * (kCellH + kCellGap) * scale, kCellW * scale,
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
    l.columns = std::max(2, static_cast<int>((pw + kCellGap * s) / ((kCellW + kCellGap) * s)));
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
