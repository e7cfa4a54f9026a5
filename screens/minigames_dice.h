#pragma once
// The dice duel: three dice against the rogue's three, revealed one by one.
// Defined in minigames_dice.cpp, its geometry in minigames_layout.cpp.
#include <optional>

#include "screens/minigames.h"
#include "screens/minigames_layout.h"
#include "ui/app.h"

namespace ui {

// How one die shows this frame.
struct DieLook {
    int face = 1;
    bool hidden = true;
    bool rogue = false;
    double scale = 1;
    double lift = 0;   // upwards, logical units
    double angle = 0;  // degrees
};

class DiceGameScreen final : public Screen {
public:
    explicit DiceGameScreen(const GameState& entry);
    void update(Ctx& ctx) override;
    const MiniTable& table() const;

private:
    // Where the reveal stands: slot F, the time e into it, and how many
    // dice have landed.
    struct Reveal {
        int slot = -1;
        double inSlot = 0;
        int revealed = 0;
        bool spinning(int n) const;
        bool landing(int n) const;
    };

    Celebration celebration(const Ctx& ctx) const;
    void play(Ctx& ctx, const Rect& area);
    Reveal reveal(const Ctx& ctx) const;

    // Each slot rolls once and lands once. The sounds start in the frame
    // that first sees the phase, so a slow frame delays them instead of
    // swallowing them.
    void playSounds(const Reveal& rv);
    void drawRow(Ctx& ctx, const DiceLayout& L, double y, bool rogue, bool highlighted, const Reveal& rv);
    DieLook look(const Ctx& ctx, int slot, int value, bool rogue, const Reveal& rv) const;
    void rollButton(Ctx& ctx, const Rect& r);

    MiniTable table_;
    play::DiceRoll dice_{};
    bool rolled_ = false;
    double rollStart_ = 0;
    int lastSpinSound_ = -1;
    int lastLandSound_ = -1;
    double bannerY_ = -1;  // the banner stands where the roll button was; <= 0 not laid out yet
};

} // namespace ui
