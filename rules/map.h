#pragma once
// The map of a run: rows of typed nodes without links, its queries, and the
// seeded generator that builds it.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace rpg {

enum class NodeType : std::uint8_t {
    Battle = 0,
    Elite = 1,
    Rest = 2,
    Treasure = 3,
    Shop = 4,
    Boss = 5,
    Start = 6,
    Dice = 7,
    Shell = 8,
    Memory = 9,
    Whack = 10,
    Coin = 11,
};
inline constexpr int kNodeTypeCount = 12;

// The non-combat types a reward row offers, in the order the generator
// shuffles them from.
inline constexpr std::array<NodeType, 8> kRewardPool = {
    NodeType::Treasure, NodeType::Rest,   NodeType::Shop,  NodeType::Dice,
    NodeType::Shell,    NodeType::Memory, NodeType::Whack, NodeType::Coin,
};

struct MapNode {
    std::string id;  // "start", or "n<row>_<col>"
    NodeType type = NodeType::Battle;
    std::int32_t row = 0;  // -1 for the start node
    std::int32_t col = 0;  // the start node sits in column 1

    friend bool operator==(const MapNode&, const MapNode&) = default;
};

struct GameMap {
    std::int32_t rows = 0;
    // The start node first, then row by row in column order.
    std::vector<MapNode> nodes;
    std::string startId;

    friend bool operator==(const GameMap&, const GameMap&) = default;
};

// The stored id text of a type ("battle" .. "coin").
const char* nodeTypeId(NodeType t);
// Exact, case-sensitive; leaves *out untouched when the id is unknown.
bool nodeTypeFromId(std::string_view id, NodeType* out);
bool isCombatNode(NodeType t);

const MapNode* nodeById(const GameMap& map, std::string_view id);
// Pointers into map.nodes, valid while the map is unchanged.
std::vector<const MapNode*> nodesInRow(const GameMap& map, std::int32_t row);
// A row with nodes, none of them a fight.
bool isRewardRow(const GameMap& map, std::int32_t row);

// The chance that a combat-row node is an elite battle.
double eliteChance(double ascension);
// The same seed, row count and ascension always give the same map.
GameMap generateMap(std::uint32_t seed, std::int32_t rows, double ascension);

} // namespace rpg
