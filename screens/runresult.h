#pragma once
// The end of a run. The run was settled into lasting progress where it ended
// (the lost battle, the boss chest); this screen announces it, shows the
// victory or the grave with the depth and the gold the entry carries, and
// leads back to the city. Its files: runresult.cpp (the frame and the way
// back), runresult_scenes.cpp (the victory, the grave and the defeat's sky).
#include <string>
#include <vector>

#include "fx/storm.h"
#include "screens/common.h"
#include "ui/app.h"

namespace ui {

// The class sprites of the heroes who ran (the entry's, those still in the
// roster), in the run's order; a lone warrior when none is left.
std::vector<std::string> runResultSprites(const GameState& s);

class RunResultScreen final : public Screen {
public:
    explicit RunResultScreen(const GameState& s);
    void update(Ctx& ctx) override;

private:
    // --- Frame (runresult.cpp) ---
    bool won() const;
    void drawSummary(Ctx& ctx);
    static void backToCity();

    // --- Scenes (runresult_scenes.cpp) ---
    void drawDefeatSky(Ctx& ctx);
    static void drawAsh(Ctx& ctx);
    void drawVictory(Ctx& ctx, double e);
    void drawGrave(Ctx& ctx, double e);
    void drawFallen(Ctx& ctx, const Rect& stone);
    void drawSouls(Ctx& ctx, double stoneBottom, double e);

    Storm storm_;
    GameState state_;
    OutcomeOpening opening_;
    std::vector<std::string> sprites_;  // class ids of the party, in party order
};

} // namespace ui
