#pragma once
// The coin toss: call heads or tails, then the coin flies, spins and lands.
// Defined in minigames_coin.cpp, its geometry in minigames_layout.cpp.
#include <cstdint>
#include <optional>

#include "screens/minigames.h"
#include "screens/minigames_layout.h"
#include "ui/app.h"

namespace ui {

enum class CoinSide : std::uint8_t { Heads, Tails };

class CoinGameScreen final : public Screen {
public:
    explicit CoinGameScreen(const GameState& entry);
    void update(Ctx& ctx) override;
    const MiniTable& table() const;

private:
    Celebration celebration(const Ctx& ctx) const;
    void play(Ctx& ctx, const Rect& area);
    bool tossed() const;
    bool inAir(double t) const;
    void settle(const Ctx& ctx, double t);

    // 0 to 1: a quick rise, then a slower fall back to the rest place.
    static double lift(double t);

    // Degrees turned: seven turns, slowing down towards the landing.
    static double spin(double t);
    void drawSparks(Ctx& ctx, double t, double cy, double D) const;
    void drawCoin(Ctx& ctx, double cy, double D, double t) const;

    // On a plate: the celebration's rays turn behind it.
    void resultLine(Ctx& ctx, const CoinLayout& L) const;
    void callCards(Ctx& ctx, const CoinLayout& L);
    void tossButton(Ctx& ctx, const Rect& r);

    MiniTable table_;
    bool heads_;            // the coin's side, fixed before the call
    bool landed_ = false;   // the landing sound has played
    double coinY_ = 0;      // rest centre of the last frame
    std::optional<CoinSide> choice_;  // the call; none yet
    double flipStart_ = -1; // frame time of the toss; < 0 not tossed
};

} // namespace ui
