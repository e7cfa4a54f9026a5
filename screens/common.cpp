#include "screens/common.h"

#include <algorithm>

#include "platform/storage.h"
#include "rules/items.h"
#include "rules/runes.h"

namespace ui {

void settleNode(const std::string& nodeId) {
    rpg::RunState& run = store::run();
    run.pos = nodeId;
    if (std::find(run.cleared.begin(), run.cleared.end(), nodeId) == run.cleared.end()) {
        run.cleared.push_back(nodeId);
    }
    store::saveRun();
}

rpg::Stats battleMaxima(const rpg::Hero& hero) {
    return rpg::deriveStats(hero, rpg::equipBonus(hero.equipment), rpg::runeBonus(store::meta().runeCircle));
}

} // namespace ui
