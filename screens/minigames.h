#pragma once
// The minigame screen: one base for the five games of chance on the map.
// The base draws the backdrop, the header, the rule box, the result banner
// and its button, and settles the node (a won game opens the node's lucky
// chest, a lost one returns to the map). A game only draws its play area
// and decides the outcome, once.
#include <cstdint>
#include <memory>
#include <string>

#include "rules/rng.h"
#include "ui/app.h"
#include "ui/draw.h"

namespace ui {

class MiniBase : public Screen {
public:
    void update(Ctx& ctx) final;

    // 0 while playing, 1 lost, 2 won.
    int outcome() const { return outcome_; }
    // The play area of the last frame.
    const Rect& playArea() const { return playRect_; }

    // The generator every game draws from: one for the whole process, seeded
    // once from the clocks, so a node entered again plays afresh.
    static rpg::Rng& loose();
    // Makes the next draws come from this state (tests replay a deal so).
    static void seedLoose(std::uint32_t state);

protected:
    MiniBase(const GameState& entry, const char* titleKey, const char* infoKey);

    // Draws the game into the area and handles its input; ends the game
    // through finish().
    virtual void play(Ctx& ctx, const Rect& area) = 0;
    // Where the win celebration stands.
    virtual double fxY(Ctx& ctx) const;
    virtual double fxX(Ctx& ctx) const;
    // Whether the celebration goes over the play area rather than under it:
    // a game that fills its area with cards or holes would hide it.
    virtual bool celebratesOverPlay() const { return false; }
    virtual std::string infoText() const;
    virtual const char* winKey() const = 0;
    virtual const char* loseKey() const = 0;
    virtual std::string loseText() const;

    // Decides the game: the outcome, the moment and the result sound.
    void finish(const Ctx& ctx, bool won);
    bool running() const { return outcome_ == 0; }
    // Seconds since the screen's first frame.
    double elapsed(const Ctx& ctx) const { return ctx.now - startTime_; }

    const GameState state_;
    double finishTime_ = 0;  // frame time of the outcome
    double bannerY_ = -1;    // top of the result banner; <= 0: the default place

private:
    void drawRuleBox(Ctx& ctx, double top);
    void drawResult(Ctx& ctx);
    void consume(bool won);

    int outcome_ = 0;
    double startTime_ = -1;
    const char* titleKey_;
    const char* infoKey_;
    Rect playRect_;
};

// The games, one per screen number.
std::unique_ptr<MiniBase> makeDiceGame(const GameState& entry);
std::unique_ptr<MiniBase> makeCoinGame(const GameState& entry);
std::unique_ptr<MiniBase> makeShellGame(const GameState& entry);
std::unique_ptr<MiniBase> makeMemoryGame(const GameState& entry);
std::unique_ptr<MiniBase> makeWhackGame(const GameState& entry);

// Pieces the games share.
//
// The look of a main button that cannot be pressed yet (or any more): a dim
// plate with a dim label.
void drawDisabledButton(Ctx& ctx, const Rect& r, const std::string& label, double textSize, double radius);

} // namespace ui
