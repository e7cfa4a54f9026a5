#pragma once
// The treasure chest of a treasure node, of a boss and of a won minigame. The
// loot is rolled once when the screen is built; opening only reveals it, and
// only taking it (play::takeChest) changes what is stored. Its files:
// treasure.cpp (the frame, the opening's timeline and the take),
// treasure_layout.cpp (where everything stands), treasure_loot.cpp (the
// chest, the outcome's title and the loot lines).
#include <optional>
#include <string>

#include "screens/treasure_layout.h"
#include "screens/treasure_roll.h"
#include "ui/app.h"
#include "ui/draw.h"

namespace ui {

class TreasureScreen final : public Screen {
public:
    explicit TreasureScreen(const GameState& s);
    void update(Ctx& ctx) override;

private:
    // What the player's click or key asked for this frame.
    enum class Choice { None, Open, Take };

    // --- Frame (treasure.cpp) ---
    bool trap() const;
    bool jackpot() const;
    bool hasRune() const;
    int lineCount() const;
    void open(double now);
    void leave();
    void stepTimeline(double now, double t);
    void take();

    // --- Drawing (treasure_loot.cpp) ---
    void drawChest(Ctx& ctx, double header, double y, double size, double t, const Rect& clear = {}) const;
    Choice drawClosedOrOpening(Ctx& ctx, double header, double t);
    Choice drawRevealed(Ctx& ctx, double header, double t);
    void drawOutcomeTitle(Ctx& ctx, double y, double blockH, double panelW);
    TextStyle outcomeStyle(const Ctx& ctx, double k) const;
    Rect titleBox(Ctx& ctx, double y, double blockH) const;
    void drawLootPanel(Ctx& ctx, const Rect& r, double content);
    void drawLootLines(Ctx& ctx, const Rect& r, double d);
    void drawGoldLine(Ctx& ctx, double x, double y, double alpha);
    void drawRuneBlock(Ctx& ctx, double x, double y, double alpha);
    void tickLines(double d);
    double itemLine(Ctx& ctx, double x, double y, double width, const rpg::ItemInstance& item, double alpha);
    double linesWidth(Ctx& ctx);

    GameState state_;
    play::ChestLoot loot_;
    std::optional<double> openedAt_;  // frame time the opening began; none while closed
    double scroll_ = 0;
    double revealedAt_ = 0;
    double widthScale_ = -1;  // the UI scale widthCache_ was measured at
    double widthCache_ = 0;
    int linesTicked_ = 0;
    bool chimePlayed_ = false;
    bool revealed_ = false;
};

} // namespace ui
