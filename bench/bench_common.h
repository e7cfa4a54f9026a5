#pragma once
// Pieces the bench programs share: playing a battle to its end turn by turn
// as the battle screen steps the engine, and reading counts from the
// command line.
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

#include "rules/combat.h"
#include "rules/rng.h"

namespace bench {

// A battle that has not ended after this many turns counts as not won.
inline constexpr int kMaxTurns = 5000;

struct Played {
    std::uint8_t outcome = rpg::OutcomeRunning;
    long events = 0;
    int rounds = 0;
};

// One combatant's turn: performs its action and returns the events; the
// engine step that follows is playOut's.
using Turn = std::function<rpg::ActionOutcome(rpg::BattleState&, const std::string& actorId, rpg::Rng&)>;

// The monster decision procedure, for either side.
inline rpg::ActionOutcome aiTurn(rpg::BattleState& s, const std::string& actorId, rpg::Rng& rng) {
    const rpg::AiAction a = rpg::aiChooseAction(s, actorId, rng);
    return rpg::performAction(s, actorId, a.skill, a.targets, rng);
}

inline const Turn kAiTurn = aiTurn;

// Plays the battle to its end: the heroes by `heroTurn`, the monsters by
// the monster AI, each action followed by an engine step.
inline Played playOut(rpg::BattleState& s, rpg::Rng& rng, const Turn& heroTurn = kAiTurn) {
    Played p;
    for (int turn = 0; turn < kMaxTurns && s.outcome == rpg::OutcomeRunning; ++turn) {
        const rpg::Combatant* actor = rpg::currentActor(s);
        if (actor) {
            const std::string id = actor->id;
            const Turn& act = actor->side == rpg::Side::Heroes ? heroTurn : kAiTurn;
            p.events += static_cast<long>(act(s, id, rng).events.size());
        }
        p.events += static_cast<long>(rpg::advance(s, rng).events.size());
    }
    p.outcome = s.outcome;
    p.rounds = s.round;
    return p;
}

// The number after option argv[i] (i moves onto it); -1 when there is none.
inline int numberAfter(int& i, int argc, char** argv) {
    if (i + 1 >= argc) return -1;
    return std::atoi(argv[++i]);
}

} // namespace bench
