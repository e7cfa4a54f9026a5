#include "screens/about.h"

#include <algorithm>
#include <string>

#include "platform/i18n.h"
#include "screens/common.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

using namespace theme;

void AboutScreen::update(Ctx& ctx) {
    bool leave = false;
    const double top = pageHeader(ctx, i18n::tr("about.headline"), &leave);
    if (leave) {
        Game::instance().pop();
        return;
    }
    const AboutPage page = aboutLayout(ctx, top);
    const double half = std::min(ctx.width - 80 * ctx.uiScale, 520 * ctx.uiScale) / 2;
    const double cx = ctx.width / 2;
    for (const double y : page.dividers) drawLine(ctx.cr, cx - half, y, cx + half, y, 1, kBrownBorder, 0.9);
    const AboutLine* clicked = nullptr;
    for (const AboutLine& line : page.lines) {
        if (line.address.empty()) drawTextTop(ctx.cr, ctx.width / 2, line.box.y, line.text, line.style);
        else if (drawLink(ctx, line)) clicked = &line;
    }
    const bool licenses = plainButton(ctx, page.licensesButton, i18n::tr("about.licenses"), false);
    if (clicked) openLink(clicked->address);
    if (licenses) {
        GameState entry;
        entry.screen = kLicenses;
        Game::instance().push(entry);
    }
}

bool AboutScreen::drawLink(Ctx& ctx, const AboutLine& line) {
    const double alpha = ctx.hover(line.box) ? 0.8 : 1.0;
    TextStyle st = line.style;
    st.alpha = alpha;
    drawTextTop(ctx.cr, ctx.width / 2, line.box.y, line.text, st);
    const double uy = line.box.y + line.box.h + 1;
    drawLine(ctx.cr, line.box.x, uy, line.box.x + line.box.w, uy, 1, kGold, alpha);
    return ctx.takeClick(line.box);
}

std::unique_ptr<Screen> makeAboutScreen() { return std::make_unique<AboutScreen>(); }

} // namespace ui
