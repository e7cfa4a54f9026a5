#pragma once
// Pieces the layer's own sources share; nothing outside play/ includes this.
#include <string>
#include <vector>

#include "play/run.h"
#include "rules/hero.h"
#include "rules/items.h"

namespace play::detail {

// While a run goes on, every party hero it does not list yet joins its
// party at his maxima; one listed already keeps what he has, whether he
// fought since or waited in reserve. True when anyone joined. Saves nothing.
bool enlistParty();

// The roster hero who carries least among the party, by the bags as they are
// now; null for an empty party.
rpg::Hero* bagRecipient();

// The run stands on the node and the node is cleared once; true when that
// changed anything. Saves nothing.
bool markNodeDone(const std::string& nodeId);

// The settlement of settleRun in memory, the run left inactive so that the
// next save removes its file.
RunEnd endRun(bool won, int depth);

} // namespace play::detail
