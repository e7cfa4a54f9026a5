#include "screens/shop_layout.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "platform/i18n.h"
#include "ui/draw.h"
#include "ui/game_ui.h"

namespace ui {
namespace {

constexpr const char* kInfoSep = "  \u00B7  ";

constexpr const char* kTitleKeys[] = {"city.weaponsmith", "city.armorer", "city.apothecary", "city.tavern",
                                      "map.node.shop"};

// Wrapped text heights are measured once per text, size and width: the
// shelf asks for every card's height on every frame.
double wrappedHeight(cairo_t* cr, const std::string& text, double size, double width) {
    static std::unordered_map<std::string, double> cache;
    std::string key = text;
    key += '\x1f' + std::to_string(size) + '\x1f' + std::to_string(width);
    if (const auto it = cache.find(key); it != cache.end()) return it->second;
    if (cache.size() > 1024) cache.clear();
    TextStyle st;
    st.size = size;
    st.wrapWidth = width;
    double height = 0;
    measureText(cr, text, st, nullptr, &height);
    cache.emplace(std::move(key), height);
    return height;
}

double cardContentHeight(cairo_t* cr, const rpg::ItemInstance& item, double cardW, double s) {
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    if (!def) return 134 * s;
    double h = 10 * s + 44 * s;
    const std::string info = equipInfo(*def, item);
    if (!info.empty()) h += 4 * s + equipInfoHeight(cr, info, cardW, s);
    if (!item.affixes.empty()) h += 14 * s;
    return h + 34 * s + 10 * s;
}

} // namespace

play::ShopKind shopKindFor(int subMode) {
    return subMode >= 0 && subMode < play::kShopWanderer ? static_cast<play::ShopKind>(subMode) : play::kShopWanderer;
}

const char* shopTitleKey(play::ShopKind kind) { return kTitleKeys[shopKindFor(kind)]; }

double shopBodyTop(double headerH, double s) { return headerH + 32 * s; }

Rect shopTabRect(double w, double s, double headerH, ShopTab tab) {
    const double tabW = std::min(0.5 * (w - 34 * s), 220 * s);
    const double i = tab == ShopTab::Buy ? 0 : 1;
    return {0.5 * w - tabW - 5 * s + i * (tabW + 10 * s), shopBodyTop(headerH, s), tabW, 38 * s};
}

Rect shopLeaveRect(double w, double h, double s) {
    const double bw = std::min(420 * s, w - 24 * s);
    return {(w - bw) / 2, h - 58 * s, bw, 46 * s};
}

int shopColumns(double gridWidth, double s) { return std::clamp(static_cast<int>(gridWidth / (250 * s)), 1, 3); }

ShopGrid shopGrid(double w, double h, double s, double headerH, bool inRun) {
    double top = shopBodyTop(headerH, s);
    if (!inRun) top += 44 * s;  // the buy and sell tabs
    const double panel = std::min(std::round(0.66 * w), w);
    ShopGrid g;
    g.area = {(w - panel) / 2 + 12 * s, top, panel - 24 * s, std::max(0.0, h - top - (inRun ? 66 : 10) * s)};
    g.columns = shopColumns(g.area.w, s);
    g.cardW = std::floor((g.area.w - (g.columns - 1) * 10 * s) / g.columns);
    return g;
}

Rect shopCardRect(const ShopGrid& grid, int index, double cardH, double s, double scroll) {
    const int column = index % grid.columns;
    const int line = index / grid.columns;
    return {grid.area.x + column * (grid.cardW + 10 * s), grid.area.y - scroll + line * (cardH + 10 * s), grid.cardW,
            cardH};
}

Rect shopActionRect(const Rect& card, double s) {
    return {card.x + 10 * s, card.y + card.h - 44 * s, card.w - 20 * s, 34 * s};
}

double shopCardHeight(cairo_t* cr, std::span<const rpg::ItemInstance* const> items, double cardW, double s) {
    double height = 134 * s;
    for (const rpg::ItemInstance* item : items) height = std::max(height, cardContentHeight(cr, *item, cardW, s));
    return height;
}

std::string equipInfo(const rpg::ItemDef& def, const rpg::ItemInstance& item) {
    if (def.slot == rpg::ItemSlot::Consumable || def.slot == rpg::ItemSlot::Valuable) return {};
    std::string info = i18n::tr("party.reqLevel", {{"n", num(rpg::itemLevel(item))}}) + kInfoSep +
                       gearScoreLabel(rpg::gearScore(item));
    if (def.slot == rpg::ItemSlot::Weapon) {
        info += kInfoSep + i18n::tr(def.twoHanded ? "equip.twoHand" : "equip.oneHand");
    }
    info += kInfoSep;
    const std::vector<rpg::ClassId> classes = rpg::equipClasses(def);
    if (classes.size() == static_cast<std::size_t>(rpg::kClassCount)) return info + i18n::tr("equip.allClasses");
    std::vector<std::string> names;
    for (rpg::ClassId cls : classes) names.push_back(className(cls));
    return info + i18n::joinList(names);
}

double equipInfoHeight(cairo_t* cr, const std::string& info, double cardW, double s) {
    return wrappedHeight(cr, info, 9 * s, cardW - 20 * s);
}

} // namespace ui
