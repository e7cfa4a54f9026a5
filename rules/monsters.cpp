#include "rules/monsters.h"

#include <unordered_map>

#include "rules/data_gen.h"

namespace rpg {
namespace {

std::vector<std::uint16_t> indicesOfTier(std::uint8_t tier) {
    std::vector<std::uint16_t> out;
    const auto& all = monsters();
    for (std::size_t i = 0; i < all.size(); ++i)
        if (all[i].tier == tier) out.push_back(static_cast<std::uint16_t>(i));
    return out;
}

} // namespace

const std::vector<MonsterDef>& monsters() {
    static const std::vector<MonsterDef> rows(std::begin(data::kMonsters), std::end(data::kMonsters));
    return rows;
}

const std::vector<std::uint16_t>& normalMonsters() {
    static const std::vector<std::uint16_t> list = indicesOfTier(TierNormal);
    return list;
}

const std::vector<std::uint16_t>& eliteMonsters() {
    static const std::vector<std::uint16_t> list = indicesOfTier(TierElite);
    return list;
}

const std::vector<std::uint16_t>& bossMonsters() {
    static const std::vector<std::uint16_t> list = indicesOfTier(TierBoss);
    return list;
}

const MonsterDef* findMonster(std::string_view id) {
    static const auto ids = [] {
        std::unordered_map<std::string_view, std::size_t> m;
        const auto& all = monsters();
        for (std::size_t i = 0; i < all.size(); ++i) m.emplace(all[i].id, i);
        return m;
    }();
    auto it = ids.find(id);
    return it == ids.end() ? nullptr : &monsters()[it->second];
}

} // namespace rpg
