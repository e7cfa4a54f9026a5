#include "screens/licenses.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "platform/i18n.h"
#include "screens/common.h"
#include "ui/draw.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

namespace {

constexpr double kEntryHeight = 92;  // scaled

std::string licenceLine(const LicenseEntry& e) {
    if (!*e.version) return e.licence;
    return std::string("v") + e.version + "  \u00B7  " + e.licence;
}

} // namespace

void LicensesScreen::update(Ctx& ctx) {
    bool leave = false;
    const double top = pageHeader(ctx, i18n::tr("licenses.title"), &leave);
    if (leave) {
        Game::instance().pop();
        return;
    }
    const double s = ctx.uiScale;
    const Rect view{0, top, ctx.width, ctx.height - top};
    const double content = kLicenseCount * kEntryHeight * s + 50 * s + 64 * s + 20 * s;
    scroll_ = beginScroll(ctx, "licenses.list", view, content, scroll_);
    std::optional<int> clicked;
    for (int i = 0; i < kLicenseCount; ++i) {
        const double y = licenseEntryTop(top, i, scroll_, s);
        if (top > y + kEntryHeight * s || y > top + view.h) continue;
        if (drawEntry(ctx, view, i, y)) clicked = i;
    }
    drawNote(ctx, licenseEntryTop(top, kLicenseCount, scroll_, s) + 32 * s);
    endScroll(ctx);
    if (clicked) openLink(licenseEntry(*clicked).address);
}

bool LicensesScreen::drawEntry(Ctx& ctx, const Rect& view, int i, double y) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const double cx = ctx.width / 2;
    const LicenseEntry& e = licenseEntry(i);
    drawTextTop(
        cr, cx, y + 14 * s, e.component,
        TextStyle{.family = kFontSans, .size = 16 * s, .bold = true, .color = kCreamText, .align = Align::Centre});
    drawTextTop(cr, cx, y + 36 * s, licenceLine(e),
                TextStyle{.family = kFontSans, .size = 12 * s, .color = kGold, .align = Align::Centre});
    drawTextTop(
        cr, cx, y + 55 * s, e.holders,
        TextStyle{.family = kFontSans, .size = 12 * s, .italic = true, .color = kMutedText, .align = Align::Centre});
    bool clicked = false;
    if (*e.address) {
        const TextStyle st{.family = kFontSans, .size = 11 * s, .color = kGold, .align = Align::Centre};
        drawTextTop(cr, cx, y + 72 * s, e.address, st);
        double w = 0;
        double h = 0;
        measureText(cr, e.address, st, &w, &h);
        // The pointer must be on the visible list too: an address can lie
        // under the header while its entry still shows.
        clicked = ctx.hover(view) && ctx.takeClick({cx - w / 2, y + 66 * s, w, h});
    }
    if (i + 1 < kLicenseCount) {
        // Clear of the address's descenders, so it never reads as an underline.
        drawLine(cr, cx - 120 * s, y + 90 * s, cx + 120 * s, y + 90 * s, s, kBrownBorder, 0.8);
    }
    return clicked;
}

void LicensesScreen::drawNote(Ctx& ctx, double y) {
    const double s = ctx.uiScale;
    const double wrap = std::min(560 * s, ctx.width - 64 * s);
    TextStyle st{.family = kFontSans, .size = std::round(12 * s), .color = kMutedText, .align = Align::Centre};
    st.wrapWidth = wrap;
    drawTextTop(ctx.cr, ctx.width / 2 - wrap / 2, y, i18n::tr("licenses.noteSystem"), st);
}

std::unique_ptr<Screen> makeLicensesScreen() { return std::make_unique<LicensesScreen>(); }

} // namespace ui
