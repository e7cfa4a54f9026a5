#include "rules/monsters.h"

#include "rules/catalog.h"
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

const std::vector<MonsterDef>& monsters() { return catalogOf<data::kMonsters>().rows(); }

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

const MonsterDef* findMonster(std::string_view id) { return catalogOf<data::kMonsters>().find(id); }

} // namespace rpg
