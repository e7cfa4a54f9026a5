#include "screens/shop_layout.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "platform/i18n.h"
#include "platform/storage.h"
#include "rules/loot.h"
#include "rules/rng.h"
#include "ui/draw.h"
#include "ui/game_ui.h"

namespace ui {
namespace {

constexpr const char* kInfoSep = "  \u00B7  ";

struct KindRow {
    const char* titleKey;
    const char* seedWord;  // null: no stock
    rpg::Merchant merchant;
};
constexpr KindRow kKinds[] = {
    {"city.weaponsmith", "weapon", rpg::Merchant::Weaponsmith},
    {"city.armorer", "armor", rpg::Merchant::Armorer},
    {"city.apothecary", "apothecary", rpg::Merchant::Apothecary},
    {"city.tavern", nullptr, rpg::Merchant::Wanderer},  // rolls nothing
    {"map.node.shop", "wander", rpg::Merchant::Wanderer},
};

double meanLevel(std::span<const rpg::Hero> heroes) {
    double sum = 0;
    for (const rpg::Hero& hero : heroes) sum += hero.level;
    return heroes.empty() ? 0 : sum / static_cast<double>(heroes.size());
}

// The deepest of the node's row (the last node of that id counts) and the
// run's depth.
std::int32_t runShopDepth(const rpg::RunState& run, const std::string& nodeId) {
    std::int32_t row = 0;
    for (const rpg::MapNode& node : run.map.nodes) {
        if (node.id == nodeId) row = node.row;
    }
    return std::max(row, run.depth);
}

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

int shopKindFor(int subMode) { return subMode >= 0 && subMode < kShopWanderer ? subMode : kShopWanderer; }

const char* shopTitleKey(int kind) { return kKinds[shopKindFor(kind)].titleKey; }

int shopColumns(double gridWidth, double s) { return std::clamp(static_cast<int>(gridWidth / (250 * s)), 1, 3); }

ShopGrid shopGrid(double w, double h, double s, double headerH, bool inRun) {
    double top = headerH + 32 * s;  // the gold line
    if (!inRun) top += 44 * s;      // the buy and sell tabs
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

std::vector<rpg::Hero> partyCopies() {
    std::vector<rpg::Hero> party;
    for (const rpg::Hero* hero : store::partyHeroes()) party.push_back(*hero);
    return party;
}

namespace {

// Consumables go to the bag of the party hero who carries least; the rest to
// the run's inventory, or the stash in the city.
void stowItem(rpg::ItemInstance item, bool inRun) {
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    if (def && def->slot == rpg::ItemSlot::Consumable) {
        std::vector<rpg::Hero> party = partyCopies();
        if (const rpg::Hero* pick = rpg::pickBagRecipient(std::span<rpg::Hero>(party))) {
            if (rpg::Hero* hero = store::heroById(pick->id)) {
                hero->bag.push_back(std::move(item));
                return;
            }
        }
    }
    (inRun ? store::run().inventory : store::meta().stash).push_back(std::move(item));
}

} // namespace

bool buyOffer(const rpg::ItemInstance& offer, bool inRun) {
    store::Meta& meta = store::meta();
    const double price = rpg::buyPrice(offer);
    if (price > meta.gold) return false;
    meta.gold -= price;
    stowItem(rpg::cloneItem(offer), inRun);  // the offer stays on the shelf
    return true;
}

std::vector<rpg::ItemInstance> shopStock(int kind, const std::string& nodeId) {
    const KindRow& row = kKinds[shopKindFor(kind)];
    if (!row.seedWord) return {};
    const std::vector<rpg::Hero> party = partyCopies();
    if (party.empty()) return {};
    const store::Meta& meta = store::meta();
    std::int32_t depth = meta.bestDepth;
    std::string seedText;
    if (!nodeId.empty()) {
        depth = runShopDepth(store::run(), nodeId);
        seedText = std::to_string(store::run().seed) + "-" + nodeId;
    } else {
        seedText = std::string("shop-") + row.seedWord + "-" + num(meta.bestDepth) + "-" +
                   num(std::round(meanLevel(party)));
    }
    const rpg::LootCtx ctx = rpg::partyLootCtx(party, depth, static_cast<double>(meta.ascension));
    rpg::Rng rng = rpg::rngFromText(seedText);
    return rpg::rollShopOffers(row.merchant, ctx, rng);
}

double recruitPrice(std::span<const rpg::Hero> roster) {
    const double n = static_cast<double>(roster.size());
    double price = 40 * (1 + std::max(0.0, n - 3));
    const double level = std::round(meanLevel(roster));
    if (n > 0 && level - 1 > 0) price *= 1 + 0.08 * (level - 1);
    return std::round(price);
}

int woundedCount(const rpg::RunState& run) {
    int count = 0;
    for (const rpg::PartyMember& m : run.party) {
        const rpg::Hero* hero = store::heroById(m.heroId);
        if (!hero || m.hp <= 0) continue;
        const rpg::Stats max = rpg::deriveStats(*hero);
        if (m.hp < rpg::statValue(max, rpg::StatId::MaxHp) || m.mp < rpg::statValue(max, rpg::StatId::MaxMp)) ++count;
    }
    return count;
}

int fallenCount(const rpg::RunState& run) {
    return static_cast<int>(std::count_if(run.party.begin(), run.party.end(),
                                          [](const rpg::PartyMember& m) { return m.hp <= 0; }));
}

int revivableCount(const rpg::RunState& run) {
    return static_cast<int>(std::count_if(run.party.begin(), run.party.end(), [](const rpg::PartyMember& m) {
        return m.hp <= 0 && store::heroById(m.heroId) != nullptr;
    }));
}

namespace {

void refill(rpg::RunState& run, bool fallen) {
    for (rpg::PartyMember& m : run.party) {
        const rpg::Hero* hero = store::heroById(m.heroId);
        if (!hero || (m.hp <= 0) != fallen) continue;
        const rpg::Stats max = rpg::deriveStats(*hero);
        m.hp = std::max(m.hp, rpg::statValue(max, rpg::StatId::MaxHp));
        m.mp = std::max(m.mp, rpg::statValue(max, rpg::StatId::MaxMp));
    }
}

} // namespace

void healWounded(rpg::RunState& run) { refill(run, false); }
void reviveFallen(rpg::RunState& run) { refill(run, true); }

} // namespace ui
