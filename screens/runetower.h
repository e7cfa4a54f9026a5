#pragma once
// The rune tower: the rune circle with a socket per stat, the bonus it gives
// every hero, and the runestones kept, each of which can be socketed or
// sold. runetower.cpp draws it and applies its clicks, runetower_layout.cpp
// places its pieces.
#include <cstddef>

#include "screens/runetower_layout.h"
#include "ui/app.h"

namespace ui {

class RuneTowerScreen final : public Screen {
public:
    void update(Ctx& ctx) override;

private:
    // What the frame's click chose; applied once the frame is drawn, so the
    // lists never change while they are drawn.
    struct Choice {
        enum class What { None, Unsocket, Socket, Sell } what = What::None;
        std::size_t index = 0;  // the socket, or the stone of the inventory
    };

    void drawTexts(Ctx& ctx, const RuneTowerLayout& lay);
    void socket(Ctx& ctx, const Rect& cell, int i, Choice* choice);
    void drawBonus(Ctx& ctx, const Rect& panel);
    void drawInventory(Ctx& ctx, const RuneTowerLayout& lay, Choice* choice);
    static void stoneRow(Ctx& ctx, const Rect& r, std::size_t i, Choice* choice);
    static void apply(const Choice& c);

    double scroll_ = 0;
};

} // namespace ui
