#pragma once
// The run map's pieces that need no drawing: what each node type looks like
// and opens, the shop a shop node opens, the geometry of rows and tiles, and
// the traveller's timing.
#include <cstdint>
#include <map>
#include <optional>
#include <vector>
#include <string_view>

#include "play/trade.h"
#include "rules/map.h"
#include "ui/app.h"

namespace ui {

// How a node type shows on the map and which screen entering it opens.
struct MapNodeLook {
    std::uint32_t colour;  // 0xRRGGBB
    const char* glyph;
    int screen;            // -1: entering opens nothing (the start)
};
// Types outside the table look like the start and open nothing.
const MapNodeLook& mapNodeLook(rpg::NodeType type);

// The stack entry that entering the node pushes; none for the start node.
std::optional<GameState> mapNodeEntry(const rpg::MapNode& node);

// Row and tile positions for one frame, in logical units.
struct MapLayout {
    double s = 1;       // UI scale
    double cx = 0;      // centre line of the row band
    double hw = 0;      // half-width of the row band
    double oy = 0;      // origin of the scrolled content
    std::int32_t rows = 0;
    Rect view;          // the clipped, scrolled map area

    // Centre line of row r (-1 is the start row).
    double rowY(std::int32_t r) const;
    // Tile i of a row of m tiles, sorted by column.
    Rect tile(std::int32_t r, int i, int m) const;
    // What the view scrolls over.
    double contentHeight() const;
};
MapLayout mapLayout(double width, double height, double s, std::int32_t rows, double scroll);
// The first frame's scroll: the active row's centre 166 units below the view
// top, unless the map is too short.
double mapInitialScroll(std::int32_t rows, std::int32_t activeRow, double s);

// The map's nodes row by row (the start row -1 first), each row by column.
using SortedRows = std::map<std::int32_t, std::vector<const rpg::MapNode*>>;
SortedRows sortedRows(const rpg::GameMap& map);

// Seconds the traveller takes for a walk of `distance` logical units.
double travelDuration(double distance, double s);

} // namespace ui
