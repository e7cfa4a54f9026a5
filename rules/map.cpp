#include "rules/map.h"

#include "rules/rng.h"

namespace rpg {

namespace {

constexpr std::array<const char*, kNodeTypeCount> kNodeIds = {
    "battle", "elite", "rest", "treasure", "shop", "boss",
    "start",  "dice",  "shell", "memory",  "whack", "coin",
};

std::string nodeId(std::int32_t row, std::int32_t col) {
    return "n" + std::to_string(row) + "_" + std::to_string(col);
}

void addNode(GameMap& map, std::int32_t row, std::int32_t col, NodeType type) {
    map.nodes.push_back(MapNode{nodeId(row, col), type, row, col});
}

// Seven shuffle draws, then the count: the row's types are distinct.
void addRewardRow(GameMap& map, std::int32_t row, Rng& rng) {
    auto pool = kRewardPool;
    rng.shuffle(pool);
    const int count = 2 + rng.index(2);
    for (int c = 0; c < count; ++c) addNode(map, row, c, pool[c]);
}

// Every node draws whatever the elite chance, so only the elite flags
// depend on the ascension count.
void addCombatRow(GameMap& map, std::int32_t row, double elite, Rng& rng) {
    const int count = 1 + rng.index(3);
    for (int c = 0; c < count; ++c) {
        const double u = rng.uniform();
        addNode(map, row, c, elite > u ? NodeType::Elite : NodeType::Battle);
    }
}

} // namespace

const char* nodeTypeId(NodeType t) {
    const auto i = static_cast<std::size_t>(t);
    return i < kNodeIds.size() ? kNodeIds[i] : "";
}

bool nodeTypeFromId(std::string_view id, NodeType* out) {
    for (int i = 0; i < kNodeTypeCount; ++i) {
        if (id == kNodeIds[i]) {
            *out = static_cast<NodeType>(i);
            return true;
        }
    }
    return false;
}

bool isCombatNode(NodeType t) {
    return t == NodeType::Battle || t == NodeType::Elite || t == NodeType::Boss;
}

const MapNode* nodeById(const GameMap& map, std::string_view id) {
    for (const MapNode& n : map.nodes) {
        if (n.id == id) return &n;
    }
    return nullptr;
}

std::vector<const MapNode*> nodesInRow(const GameMap& map, std::int32_t row) {
    std::vector<const MapNode*> out;
    for (const MapNode& n : map.nodes) {
        if (n.row == row) out.push_back(&n);
    }
    return out;
}

bool isRewardRow(const GameMap& map, std::int32_t row) {
    bool any = false;
    for (const MapNode& n : map.nodes) {
        if (n.row != row) continue;
        if (isCombatNode(n.type)) return false;
        any = true;
    }
    return any;
}

double eliteChance(double ascension) {
    if (ascension <= 0) return 0.07;
    if (ascension / 5 < 1) return 0.07 + 0.15 * (ascension / 5);
    return 0.22;
}

GameMap generateMap(std::uint32_t seed, std::int32_t rows, double ascension) {
    Rng rng = rngFromText("map-" + std::to_string(seed));
    const double elite = eliteChance(ascension);
    GameMap map;
    map.rows = rows;
    map.startId = "start";
    map.nodes.push_back(MapNode{"start", NodeType::Start, -1, 1});
    for (std::int32_t r = 0; r < rows; ++r) {
        if (r == rows - 1) {
            addNode(map, r, 0, NodeType::Boss);
        } else if (r % 2 != 0) {
            addRewardRow(map, r, rng);
        } else {
            addCombatRow(map, r, elite, rng);
        }
    }
    return map;
}

} // namespace rpg
