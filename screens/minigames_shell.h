#pragma once
// The shell game: watch the nut's cup through the shuffle, then pick it.
// A wrong pick costs a stake of lasting gold.
// Defined in minigames_shell.cpp, its geometry in minigames_layout.cpp.
#include <array>
#include <optional>
#include <utility>

#include "screens/minigames.h"
#include "screens/minigames_layout.h"
#include "ui/app.h"

namespace ui {

class ShellGameScreen final : public Screen {
public:
    explicit ShellGameScreen(const GameState& entry);
    void update(Ctx& ctx) override;
    const MiniTable& table() const;

private:
    Celebration celebration(const Ctx& ctx) const;
    void play(Ctx& ctx, const Rect& area);
    double swapEnd(int k) const;

    // Up over 0.28 s, held, down from 1.18 s to 1.42 s.
    static double watchLift(double t);

    // The current swap runs from the end of the one before (the first from
    // the end of watching) to its own end; its sound plays as it begins.
    void shuffling(const ShellLayout& L, double t, std::array<double, 3>* cupX);

    // On a sky plate: the clouds drift behind it.
    void phaseText(Ctx& ctx, const Rect& area, const char* key) const;
    void drawNut(Ctx& ctx, double x, double baseY) const;
    void takePick(Ctx& ctx, const ShellLayout& L, const std::array<double, 3>& cupX);

    MiniTable table_;
    const play::ShellDeal deal_;
    const double stake_;
    std::array<double, play::kShellSwapsMax> swapStart_{};
    int lastSwap_ = -1;
    bool swapsDone_ = false;
    std::pair<double, double> prizePoint_{-1, -1};  // where the nut's cup was last drawn
};

} // namespace ui
