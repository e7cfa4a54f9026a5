#pragma once
// Whack the monster: pick the hole it hides in, then strike.
// Defined in minigames_whack.cpp, its geometry in minigames_layout.cpp.
#include <optional>

#include "screens/minigames.h"
#include "screens/minigames_layout.h"
#include "ui/app.h"

namespace ui {

class WhackGameScreen final : public Screen {
public:
    explicit WhackGameScreen(const GameState& entry);
    void update(Ctx& ctx) override;
    const MiniTable& table() const;

private:
    Celebration celebration(const Ctx& ctx) const;
    void play(Ctx& ctx, const Rect& area);
    // The celebration bursts from the hole the hammer struck.
    Rect struckHole(const Ctx& ctx) const;

    // Judged by the time passed, so every frame rate hears the same moments.
    void timeline(const Ctx& ctx);
    void drawHole(Ctx& ctx, const Rect& hole, int i);

    // The monster rises out of its hole; a winning strike squashes it.
    void drawMonster(Ctx& ctx, const Rect& hole, bool picked) const;
    void strikeButton(Ctx& ctx, const Rect& r);

    MiniTable table_;
    const int monsterHole_;
    int pickedHole_ = -1;
    bool struck_ = false;
    bool peekPlayed_ = false;
    double strikeAt_ = 0;  // frame time of the strike
};

} // namespace ui
