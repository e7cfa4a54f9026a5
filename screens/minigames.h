#pragma once
// The five games of chance on the map, each its own screen
// (minigames_<game>.h/.cpp), all standing at one table: the backdrop, the
// header, the rule box, the result banner and its button, and the node's
// settlement (a won game opens the node's lucky chest, a lost one returns to
// the map). A game owns a MiniTable and calls it in its update's phases; it
// draws only its play area and decides the outcome, once.
// minigames_layout.h/.cpp hold the geometry.
#include <cstdint>
#include <optional>
#include <string>

#include "rules/rng.h"
#include "ui/app.h"
#include "ui/draw.h"

namespace ui {

enum class MiniOutcome : std::uint8_t { Playing, Lost, Won };

// Where the win celebration stands. overPlay: drawn over the play area
// rather than under it (a game that fills its area with cards or holes
// would hide it).
struct Celebration {
    double x = 0, y = 0;
    bool overPlay = false;
};

// The translation keys of a game's title and its banner's win and loss.
struct MiniTexts {
    const char* title;
    const char* win;
    const char* lose;
};

class MiniTable {
public:
    MiniTable(const GameState& entry, MiniTexts texts);

    // Input and layout: starts the clock, draws the backdrop (with the
    // celebration when it stands under the play), the header and the rule
    // box showing `info`, and returns the play area. Nothing when back or
    // Escape was asked: the screen has left (an unfinished game keeps the
    // node open; a finished one counts as lost, so walking away from a win
    // gives no chest).
    std::optional<Rect> open(Ctx& ctx, const Celebration& fx, const std::string& info);
    // Draw, once the game is decided: the celebration when it stands over
    // the play, the banner (its top at bannerY; <= 0 the default place) and
    // its button; loseText, when not empty, in place of the loss key's
    // text. True when the player asked to go on (the button or
    // Return); settle() then applies it.
    bool result(Ctx& ctx, const Celebration& fx, double bannerY = -1, const std::string& loseText = {});
    // Apply: the node settled by the outcome, then the chest or the map.
    void settle();

    // Decides the game: the outcome, the moment and the result sound.
    void finish(const Ctx& ctx, bool won);

    MiniOutcome outcome() const;
    bool running() const;  // not decided yet
    // Seconds since the screen's first frame.
    double elapsed(const Ctx& ctx) const;
    double finishTime() const;  // frame time of the outcome
    // The play area of the last frame.
    const Rect& playArea() const;

    // The celebration's default place: centred, a little above the middle.
    static Celebration centred(const Ctx& ctx);

    // The generator every game draws from: one for the whole process, seeded
    // once from the clocks, so a node entered again plays afresh.
    static rpg::Rng& loose();
    // Makes the next draws come from this state (tests replay a deal so).
    static void seedLoose(std::uint32_t state);

private:
    void drawRuleBox(Ctx& ctx, double top, const std::string& info) const;

    const GameState entry_;
    const MiniTexts texts_;
    MiniOutcome outcome_ = MiniOutcome::Playing;
    double startTime_ = -1;
    double finishTime_ = 0;
    Rect playRect_;
};

// The table of the minigame shown by the screen; null for any other screen.
const MiniTable* minigameTable(const Screen* screen);

// The look of a main button that cannot be pressed yet (or any more): a dim
// plate with a dim label.
void drawDisabledButton(Ctx& ctx, const Rect& r, const std::string& label, double textSize, double radius);

} // namespace ui
