#pragma once
// The run map: the rows of the run's map as a ladder from the start at the
// bottom to the boss at the top, the party's hit points, and a small
// traveller walking to the node the party stands on. A click on an enterable
// node moves the run there, saves it and opens the node's screen. Its files:
// map.cpp (the frame, the traveller and entering a node), map_layout.cpp
// (node looks, rows and tiles), map_draw.cpp (scenery, party strip, road and
// tiles).
#include <cstdint>
#include <string>

#include "play/run.h"
#include "rules/run.h"
#include "screens/map_layout.h"
#include "ui/app.h"

namespace ui {

class MapScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

private:
    // --- Frame (map.cpp) ---
    void drawTraveler(Ctx& ctx, const MapLayout& l, const SortedRows& rows, const rpg::RunState& run);
    void startMove(double tx, double ty, const std::string& pos, double now, double s);
    static void enter(const rpg::MapNode& node);

    // --- Drawing (map_draw.cpp) ---
    static void drawScenery(const Ctx& ctx, int world, std::int32_t activeRow, std::int32_t rows);
    static void drawPartyStrip(Ctx& ctx, double y);
    static void drawTrail(cairo_t* cr, const MapLayout& l, std::int32_t activeRow);
    // The node the frame's click entered, if any.
    static const rpg::MapNode* drawRows(Ctx& ctx, const MapLayout& l, const SortedRows& rows,
                                        const rpg::RunState& run);
    // One node's tile; true when it is enterable and took the frame's click.
    static bool field(Ctx& ctx, const Rect& tile, const rpg::MapNode& node, const play::NodeState& f);

    double scroll_ = 0;
    bool scrollReady_ = false;
    std::string movedFor_;  // the position the traveller's move was started for
    double drawnX_ = 0, drawnY_ = 0;
    double fromX_ = 0, fromY_ = 0;
    double toX_ = 0, toY_ = 0;
    double moveStart_ = 0;  // seconds of the frame clock
    double moveTime_ = 0;   // seconds
    bool mirrored_ = false;
};

} // namespace ui
