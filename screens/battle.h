#pragma once
// The battle screen (screen 11): fights one battle, elite or boss node of the
// run and hands over to the reward or run-result screen.
#include <vector>

#include "fx/scene.h"
#include "screens/battle_scene.h"
#include "ui/app.h"

namespace ui {

class BattleScreen final : public Screen {
public:
    explicit BattleScreen(const GameState& entry);
    ~BattleScreen() override;
    void update(Ctx& ctx) override;

    // The live battle, for tests that drive or inspect it.
    battle::Scene& scene();

private:
    void drawScenery(Ctx& ctx);
    void drawTrees(Ctx& ctx);
    void drawFloor(Ctx& ctx);
    void updateOverPanel(Ctx& ctx);
    void drawCommandPanel(Ctx& ctx);

    battle::Scene scene_;
    SceneOpts backdrop_;
    battle::TreeScene trees_;                // what the cached trees were painted for
    std::vector<battle::TreeSpot> treeSpots_;  // and where they stand
};

} // namespace ui
