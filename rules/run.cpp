#include "rules/run.h"

namespace rpg {

namespace {

PartyMember memberAtFullHealth(const Hero& hero, const Stats& bonus) {
    const Stats s = deriveStats(hero, equipBonus(hero.equipment), bonus);
    return PartyMember{hero.id, s.maxHp, s.maxMp};
}

// The ids a row still offers, or none when the row is done.
std::vector<std::string> openInRow(const RunState& run, const std::vector<const MapNode*>& row, bool reward) {
    std::vector<std::string> out;
    bool anyCleared = false;
    for (const MapNode* n : row) {
        if (isCleared(run, n->id)) {
            anyCleared = true;
        } else {
            out.push_back(n->id);
        }
    }
    // Taking one node of a reward row closes the others.
    if (reward && anyCleared) return {};
    return out;
}

} // namespace

RunState createRun(const std::vector<Hero>& heroes, std::uint32_t seed, const Stats& bonus, double ascension) {
    RunState run;
    run.active = true;
    run.seed = seed;
    run.map = generateMap(seed, kRunRows, ascension);
    for (const Hero& h : heroes) run.party.push_back(memberAtFullHealth(h, bonus));
    run.pos = run.map.startId;
    run.cleared.push_back(run.map.startId);
    return run;
}

bool isCleared(const RunState& run, std::string_view id) {
    for (const std::string& c : run.cleared) {
        if (c == id) return true;
    }
    return false;
}

std::vector<std::string> reachableFrom(const RunState& run) {
    for (std::int32_t r = 0; r < run.map.rows; ++r) {
        const auto row = nodesInRow(run.map, r);
        if (row.empty()) continue;
        auto open = openInRow(run, row, isRewardRow(run.map, r));
        if (!open.empty()) return open;
    }
    return {};
}

std::int32_t activeRow(const RunState& run) {
    const auto open = reachableFrom(run);
    if (open.empty()) return run.map.rows - 1;
    const MapNode* n = nodeById(run.map, open.front());
    return n ? n->row : 0;
}

} // namespace rpg
