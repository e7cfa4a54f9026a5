// The merchant screen: the three city merchants and the wandering merchant
// of a map shop node (a buy shelf, and in the city a sell shelf), and the
// frame that the tavern shares with them.
#include <algorithm>
#include <cmath>
#include <optional>

#include "fx/scene.h"
#include "play/run.h"
#include "play/trade.h"
#include "platform/i18n.h"
#include "platform/storage.h"
#include "screens/common.h"
#include "screens/shop_layout.h"
#include "screens/shop.h"
#include "ui/audio.h"
#include "ui/draw.h"
#include "ui/game_ui.h"
#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {
namespace {

using namespace theme;

void drawCardTexts(Ctx& ctx, const Rect& r, const rpg::ItemDef& def, const rpg::ItemInstance& item) {
    cairo_t* cr = ctx.cr;
    const ShopCardText t = shopCardText(cr, def, item, r.w, ctx.uiScale);
    const double x = r.x + t.left;
    drawText(cr, x, r.y + t.nameTop, t.name, t.nameStyle);
    drawText(cr, x, r.y + t.bonusTop, t.bonus, t.bonusStyle);
    drawText(cr, x, r.y + t.infoTop, t.info, t.infoStyle);
    if (!t.affixes.empty()) drawMarkedText(cr, x, r.y + t.affixTop, t.affixes, t.affixStyle);
}

// A worn item on the sell shelf: a sunken plate with a ring and who wears it.
void drawLockedPlate(Ctx& ctx, const Rect& r, const std::string& caption) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    fillRoundedRect(cr, r, 4 * s, kDarkerPanel);
    const double ringX = r.x + 16 * s;
    const double cy = r.y + r.h / 2;
    strokeCircle(cr, ringX, cy, 5 * s, 1.5 * s, kMutedText);
    fillCircle(cr, ringX, cy - 5 * s, 1.6 * s, kMutedText);
    drawTextIn(cr, {r.x + 28 * s, r.y, r.w - 36 * s, r.h}, caption,
               TextStyle{.size = 12 * s, .color = kMutedText, .fitWidth = r.w - 36 * s});
}

// "Nothing here" on a dark plate: muted text alone is lost on a bright sky.
void drawEmptyNote(Ctx& ctx, double top) {
    const double s = ctx.uiScale;
    const std::string text = i18n::tr("shop.empty");
    const TextStyle st{.size = 14 * s, .color = kMutedText};
    double w = 0;
    double h = 0;
    measureText(ctx.cr, text, st, &w, &h);
    fillRoundedRect(ctx.cr, {0.5 * ctx.width - w / 2 - 16 * s, top - 8 * s, w + 32 * s, h + 16 * s}, 6 * s,
                    kDarkerPanel, 0.85);
    drawTextTop(ctx.cr, 0.5 * ctx.width, top, text, st);
}

} // namespace

void drawPricePlate(Ctx& ctx, const Rect& r, const std::string& label, double size, bool outlined) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    // Nearly opaque: the greyed label must read over a bright sky too.
    fillRect(cr, r, kDarkerPanel, 0.88);
    if (outlined) strokeRoundedRect(cr, r, 0, 2 * s, kBevelDark);
    drawTextIn(cr, r, label, TextStyle{.size = size, .color = theme::kDimText, .fitWidth = r.w - 16 * s});
}

ShopScreen::ShopScreen(const GameState& s) : state(s), kind(shopKindFor(s.subMode)) { restock(); }

void ShopScreen::restock() { offers = play::shopStock(kind, state.nodeId); }

// Every way out of a run shop settles its node.
void ShopScreen::leave() {
    if (inRun()) play::leaveNode(state.nodeId);
    Game::instance().pop();
}

void ShopScreen::update(Ctx& ctx) {
    const double s = ctx.uiScale;
    sceneBackdrop(ctx, {kSceneVillage, 8, 0.62, false, kWeatherClear, kDay, 1.0});
    bool back = false;
    const double headerH = gameHeader(ctx, i18n::tr(shopTitleKey(kind)), &back, false);
    if (ctx.backAsked(back)) {
        leave();
        return;
    }
    drawGoldLine(ctx, headerH + 4 * s, 16 * s, goldPulse.factor(store::meta().gold, ctx.now));
    if (kind == play::kShopTavern) {
        apply(drawTavern(ctx, shopBodyTop(headerH, s)));
        return;
    }
    // Draw: the clicks on the shelf and the leave button are only recorded.
    if (!inRun()) drawTabs(ctx, headerH);
    const std::optional<Deal> deal = drawShelf(ctx, headerH);
    const bool leaving = inRun() && runLeaveButton(ctx);
    // Apply: one click takes the frame, so at most one of these was chosen.
    if (deal) settle(*deal);
    else if (leaving) leave();
}

void ShopScreen::drawTabs(Ctx& ctx, double headerH) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    for (const ShopTab shown : {ShopTab::Buy, ShopTab::Sell}) {
        const Rect r = shopTabRect(ctx.width, s, headerH, shown);
        const bool current = tab == shown;
        fillRect(cr, r, current ? kDeepGold : kDarkPanel);
        drawBevel(cr, r, std::max(2 * s, 2.0), current ? kLightGold : kBevelLight, kBevelDark);
        const std::string label = i18n::tr(shown == ShopTab::Buy ? "shop.buy" : "shop.sell");
        drawTextIn(cr, r, label,
                   TextStyle{.size = 14 * s, .bold = true, .color = kCreamText, .fitWidth = r.w - 12 * s});
        if (ctx.takeClick(r)) {
            audio::play(audio::Sfx::Click);
            tab = shown;
        }
    }
}

std::vector<ShopScreen::Row> ShopScreen::shelfRows() const {
    std::vector<Row> rows;
    if (!selling()) {
        for (const rpg::ItemInstance& offer : offers) rows.push_back({&offer, rpg::buyPrice(offer), false, {}, -1});
        return rows;
    }
    const store::Meta& meta = store::meta();
    for (std::size_t i = 0; i < meta.stash.size(); ++i) {
        rows.push_back({&meta.stash[i], rpg::sellPrice(meta.stash[i]), false, {}, static_cast<int>(i)});
    }
    for (const rpg::Hero& hero : meta.roster) {
        const std::string caption = i18n::tr("shop.wornBy", {{"name", className(hero.cls)}});
        for (const rpg::ItemInstance& worn : hero.equipment.slots) {
            if (!worn.defId.empty()) rows.push_back({&worn, 0, true, caption, -1});
        }
    }
    return rows;
}

std::optional<ShopScreen::Deal> ShopScreen::drawShelf(Ctx& ctx, double headerH) {
    cairo_t* cr = ctx.cr;
    const double s = ctx.uiScale;
    const ShopGrid grid = shopGrid(ctx.width, ctx.height, s, headerH, inRun());
    const std::vector<Row> rows = shelfRows();
    if (rows.empty()) {
        drawEmptyNote(ctx, grid.area.y + 40 * s);
        return std::nullopt;
    }
    std::vector<const rpg::ItemInstance*> items;
    for (const Row& row : rows) items.push_back(row.item);
    const double cardH = shopCardHeight(cr, items, grid.cardW, s);
    const int lines = (static_cast<int>(rows.size()) + grid.columns - 1) / grid.columns;
    const double content = lines * (cardH + 10 * s) + 8 * s;
    // The cards reach the area's right edge; the bar stands just beside it.
    scroll = beginScroll(ctx, "shop.shelf", grid.area, content, scroll, 10 * s);
    const bool sale = selling();
    const double gold = store::meta().gold;
    std::optional<Deal> deal;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Rect r = shopCardRect(grid, static_cast<int>(i), cardH, s, scroll);
        if (r.y + r.h <= grid.area.y || r.y >= grid.area.y + grid.area.h) continue;
        const Row& row = rows[i];
        const bool affordable = sale || row.price <= gold;
        if (card(ctx, r, *row.item, row.price, affordable, row.locked, row.caption) && !row.locked) {
            deal = Deal{sale, row.item->uid, row.stashIndex};
        }
    }
    endScroll(ctx);
    // A sale closes the shelf up under the pointer, a purchase fills the
    // bags: a double click acts once.
    if (deal) ctx.changedUnderPointer();
    return deal;
}

bool ShopScreen::card(Ctx& ctx, const Rect& r, const rpg::ItemInstance& item, double price, bool affordable,
                      bool locked, const std::string& caption) {
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    if (!def) return false;
    const double s = ctx.uiScale;
    pixelPanel(ctx, r, false);
    drawCardTexts(ctx, r, *def, item);
    const Rect action = shopActionRect(r, s);
    if (locked) {
        drawLockedPlate(ctx, action, caption);
        return false;
    }
    const std::string label = i18n::tr(selling() ? "shop.sell" : "shop.buy") + kPriceMark + num(price);
    if (!affordable) {
        drawPricePlate(ctx, action, label, 12 * s, true);
        return false;
    }
    return menuButton(ctx, action, label, false);
}

// A purchase takes the offer the card showed; a sale the stash entry the
// card showed, as two items may share a uid and the one clicked is the one
// sold.
void ShopScreen::settle(const Deal& deal) {
    if (deal.sale) {
        if (deal.stashIndex >= 0) answer(play::sellFromStash(static_cast<std::size_t>(deal.stashIndex), deal.uid));
        return;
    }
    const auto offer = std::find_if(offers.begin(), offers.end(),
                                    [&](const rpg::ItemInstance& o) { return o.uid == deal.uid; });
    if (offer != offers.end()) answer(play::buyOffer(*offer, inRun()));
}

bool ShopScreen::runLeaveButton(Ctx& ctx) {
    return menuButton(ctx, shopLeaveRect(ctx.width, ctx.height, ctx.uiScale), i18n::tr("common.leave"), true);
}

std::unique_ptr<Screen> makeShopScreen(const GameState& s) { return std::make_unique<ShopScreen>(s); }

} // namespace ui
