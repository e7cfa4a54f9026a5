#pragma once
// Monster memory: six pairs, shown for a second after a countdown, then
// found two cards at a time. The first wrong pair loses.
// Defined in minigames_memory.cpp, its geometry in minigames_layout.cpp.
#include <optional>
#include <vector>

#include "screens/minigames.h"
#include "screens/minigames_layout.h"
#include "ui/sprite.h"
#include "ui/app.h"

namespace ui {

class MemoryGameScreen final : public Screen {
public:
    explicit MemoryGameScreen(const GameState& entry);
    void update(Ctx& ctx) override;
    const MiniTable& table() const;

private:
    struct Face {
        const char* sprite;
        pixel::Recolor recolor;
    };

    Celebration celebration(const Ctx& ctx) const;
    void play(Ctx& ctx, const Rect& area);
    // The x of a celebration beside the board.
    double boardSide(const Ctx& ctx, bool right) const;
    void turn(const Ctx& ctx, int i);
    void countdownDisc(Ctx& ctx, const MemoryLayout& L, double t);

    // On a dark plate like the countdown's: the sky behind it is too light
    // for a small red line.
    void mistakesLine(Ctx& ctx, const MemoryLayout& L) const;
    void drawFace(Ctx& ctx, const Rect& r, int i) const;
    void drawBack(Ctx& ctx, const Rect& r) const;

    MiniTable table_;
    std::vector<int> cards_;    // pair number of each card, as dealt
    std::vector<Face> faces_;   // the monster of each pair
    std::vector<bool> shown_;   // face up, not yet matched
    std::vector<bool> matched_;
    int firstPick_ = -1;
    int mistakes_ = 0;
    int countdown_ = -1;        // the number last shown
    double mismatchAt_ = 0;     // frame time of the wrong pair; 0 none
    bool goPlayed_ = false;
};

} // namespace ui
