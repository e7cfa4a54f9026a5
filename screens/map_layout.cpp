#include "screens/map_layout.h"

#include <algorithm>
#include <array>

#include "ui/screens.h"
#include "ui/theme.h"
#include "ui/widgets.h"

namespace ui {

namespace {

// In rpg::NodeType order. The boss wears the epic rarity's colour.
constexpr std::array<MapNodeLook, rpg::kNodeTypeCount> kNodeLooks = {{
    {theme::kNodeBattle, "⚔", kBattle},      // battle
    {theme::kNodeElite, "☠", kBattle},       // elite
    {theme::kNodeRest, "♨", kRest},          // rest
    {theme::kNodeTreasure, "▣", kTreasure},  // treasure
    {theme::kNodeShop, "⚖", kScrollShop},    // shop: the scroll shop or the merchant, by the shop rule
    {theme::kNodeBoss, "♛", kBattle},        // boss
    {theme::kNodeStart, "●", -1},            // start
    {theme::kNodeDice, "⚅", kDice},          // dice
    {theme::kNodeShell, "◉", kShell},        // shell
    {theme::kNodeMemory, "▦", kMemory},      // memory
    {theme::kNodeWhack, "⚒", kWhack},        // whack
    {theme::kNodeCoin, "◎", kCoin},          // coin
}};

// Row pitch, tile size and gap, in units of the UI scale.
constexpr double kRowPitch = 116;
constexpr double kTileW = 78;
constexpr double kTileH = 60;
constexpr double kTileGap = 12;
constexpr double kContentBelow = 108;  // the start row and the margins around the rows
constexpr double kScrollSlack = 32;

// Header, gold line and party strip above the map view.
constexpr double kGoldLine = 4 + 24;
constexpr double kStrip = 40 + 8;

} // namespace

const MapNodeLook& mapNodeLook(rpg::NodeType type) {
    const auto i = static_cast<std::size_t>(type);
    return i < kNodeLooks.size() ? kNodeLooks[i] : kNodeLooks[static_cast<std::size_t>(rpg::NodeType::Start)];
}

std::optional<GameState> mapNodeEntry(const rpg::MapNode& node) {
    const MapNodeLook& look = mapNodeLook(node.type);
    if (look.screen < 0) return std::nullopt;
    GameState s;
    s.screen = look.screen;
    s.nodeId = node.id;
    s.nodeType = static_cast<std::uint8_t>(node.type);
    if (node.type == rpg::NodeType::Shop && !play::shopNodeOpensScrollShop(node.id)) {
        s.screen = kShop;
        s.subMode = play::kShopWanderer;
    }
    return s;
}

double MapLayout::rowY(std::int32_t r) const { return oy + 54 * s + (rows - 1 - r) * kRowPitch * s; }

Rect MapLayout::tile(std::int32_t r, int i, int m) const {
    const double rowW = m * kTileW * s + (m - 1) * kTileGap * s;
    return {cx - rowW / 2 + i * (kTileW + kTileGap) * s, rowY(r) - kTileH / 2 * s, kTileW * s, kTileH * s};
}

double MapLayout::contentHeight() const { return (rows * kRowPitch + kContentBelow + kScrollSlack) * s; }

MapLayout mapLayout(double width, double height, double s, std::int32_t rows, double scroll) {
    MapLayout l;
    l.s = s;
    l.rows = rows;
    l.cx = width / 2;
    l.hw = std::min(width - 24 * s, 440 * s) / 2;
    const double top = (kHeaderHeight + kGoldLine + kStrip) * s;
    l.view = {0, top, width, height - top};
    l.oy = top + 16 * s - scroll;
    return l;
}

double mapInitialScroll(std::int32_t rows, std::int32_t activeRow, double s) {
    return std::max(0.0, ((rows - 1 - activeRow) * kRowPitch + 54 - 150) * s);
}

double travelDuration(double distance, double s) {
    return std::clamp(distance / s * 2.4 / 1000, 0.45, 1.5);
}

SortedRows sortedRows(const rpg::GameMap& map) {
    SortedRows rows;
    for (const rpg::MapNode& n : map.nodes) rows[n.row].push_back(&n);
    for (auto& [row, nodes] : rows) {
        std::stable_sort(nodes.begin(), nodes.end(),
                         [](const rpg::MapNode* a, const rpg::MapNode* b) { return a->col < b->col; });
    }
    return rows;
}

} // namespace ui
