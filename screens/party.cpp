// The party screen: a tab per hero, the hero's sheet in a scrolled area, and
// the actions the sheet recorded, applied once drawing is done.
#include "screens/party.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <utility>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "play/trade.h"
#include "screens/common.h"
#include "ui/gpu.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

std::unique_ptr<Screen> makePartyScreen(const GameState& s) {
    std::string heroId = s.heroId;
    if (heroId.empty()) {
        const std::vector<rpg::Hero*> party = store::partyHeroes();
        if (!party.empty()) heroId = party.front()->id;
    }
    return std::make_unique<PartyScreen>(std::move(heroId));
}

void PartyScreen::update(Ctx& ctx) {
    // Input: back, or nobody left to show.
    gpuFillRect(0, 0, ctx.width, ctx.height, theme::kScreenFill, 1.0);
    const std::vector<rpg::Hero*> heroes = listedHeroes();
    rpg::Hero* hero = shownHero(heroes);
    bool back = false;
    gameHeader(ctx, i18n::tr("party.title"), &back, false);
    if (ctx.backAsked(back) || !hero) {
        Game::instance().pop();
        return;
    }
    // Layout.
    const Rect area = sheetArea(ctx);
    // Draw: the tabs and the sheet; the sheet's clicks fill pending_.
    drawTabs(ctx, heroes, area.y - 64 * ctx.uiScale);
    drawSheet(ctx, *hero, area);
    // Apply: the recorded actions in one save, then a door the sheet opened.
    applyPending(*hero);
    openDoor();
}

// The selected hero, else the first listed one (which becomes selected); a
// roster hero outside the party may be shown. Null when nobody is listed.
rpg::Hero* PartyScreen::shownHero(const std::vector<rpg::Hero*>& heroes) {
    if (heroes.empty()) return nullptr;
    if (rpg::Hero* hero = store::heroById(selectedHero_)) return hero;
    selectedHero_ = heroes.front()->id;
    return heroes.front();
}

// Below the header bar and the tab row, 0.66 of the window wide.
Rect PartyScreen::sheetArea(const Ctx& ctx) {
    const double s = ctx.uiScale;
    const double K = std::min(std::round(0.66 * ctx.width), ctx.width);
    const double top = kHeaderHeight * s + 6 * s + 64 * s;
    return {(ctx.width - K) / 2, top, K, std::max(0.0, ctx.height - top - 8 * s)};
}

// The party; a roster without a party shows every roster hero instead.
std::vector<rpg::Hero*> PartyScreen::listedHeroes() const {
    std::vector<rpg::Hero*> heroes = store::partyHeroes();
    if (heroes.empty()) {
        for (rpg::Hero& h : store::meta().roster) heroes.push_back(&h);
    }
    return heroes;
}

void PartyScreen::drawTabs(Ctx& ctx, const std::vector<rpg::Hero*>& heroes, double top) {
    const std::string clicked = heroTabs(ctx, heroes, top, selectedHero_);
    if (clicked.empty()) return;
    selectedHero_ = clicked;
    selectedSlot_.reset();
}

void PartyScreen::drawSheet(Ctx& ctx, rpg::Hero& hero, const Rect& area) {
    const double s = ctx.uiScale;
    const double contentH = layout(ctx, hero, 0, 0, area.w - 24 * s, false) + 24 * s;
    if (revealTo_ >= 0) {
        const double gap = revealTo_ - scroll_;
        scroll_ = std::abs(gap) < 0.5 * s ? revealTo_ : scroll_ + gap * std::min(1.0, 14 * ctx.dt);
    }
    const double asked = scroll_;
    scroll_ = beginScroll(ctx, "party.sheet", area, contentH, scroll_);
    // Reached, or the player scrolled (or the sheet's end held it back).
    if (revealTo_ >= 0 && (scroll_ == revealTo_ || std::abs(scroll_ - asked) > 0.01)) revealTo_ = -1;
    visible_ = area;
    layout(ctx, hero, area.x + 12 * s, area.y + 12 * s - scroll_, area.w - 24 * s, true);
    endScroll(ctx);
    if (revealBy_ > 0) revealTo_ = scroll_ + std::exchange(revealBy_, 0.0);
}

double PartyScreen::layout(Ctx& ctx, rpg::Hero& hero, double x, double y, double w, bool draw) {
    Sheet sh{ctx, hero, rpg::classDef(hero.cls), {}, x, w, ctx.uiScale, draw, visible_.y, visible_.y + visible_.h};
    if (draw) sh.finalStats = play::maxima(hero);
    double cursor = recruitButton(sh, y);
    cursor = heroBlock(sh, cursor);
    cursor = pointsPanel(sh, cursor);
    cursor = setBlocks(sh, cursor);
    cursor = summaryStrip(sh, cursor);
    cursor = rowChoice(sh, cursor);
    cursor = statsGrid(sh, cursor);
    cursor = equipment(sh, cursor);
    cursor = bag(sh, cursor);
    return skills(sh, cursor) - y;
}

bool PartyScreen::Sheet::shows(double top, double height) const {
    return draw && top < visibleBottom && top + height > visibleTop;
}

bool PartyScreen::Sheet::isKey(rpg::StatId stat) const {
    return std::find(cls.keyStats.begin(), cls.keyStats.end(), stat) != cls.keyStats.end();
}

// Everything the sheet recorded, with one save for all of it.
void PartyScreen::applyPending(rpg::Hero& hero) {
    if (!pending_.equipId.empty()) selectedSlot_.reset();
    play::applySheet(hero.id, &pending_);
}

// The tavern wins when both were asked for in one frame.
void PartyScreen::openDoor() {
    GameState next;
    if (std::exchange(openRecruit_, false)) {
        next.screen = kShop;
        next.subMode = play::kShopTavern;
    } else if (std::exchange(openTrainer_, false)) {
        next.screen = kTrainer;
    } else {
        return;
    }
    Game::instance().push(next);
}

} // namespace ui
