#include "rules/skills.h"

#include <unordered_map>

#include "rules/data_gen.h"

namespace rpg {
namespace {

constexpr StatusDef kStatuses[kStatusCount] = {
    {StatusKind::Poison, "status.poison", true, false, 0x7bbf3a},
    {StatusKind::Burn, "status.burn", true, false, 0xe3692a},
    {StatusKind::Regen, "status.regen", true, true, 0x5a9c3a},
    {StatusKind::Stun, "status.stun", false, false, 0xf4c95a},
    {StatusKind::Slow, "status.slow", false, false, 0x5fb6d8},
    {StatusKind::AtkUp, "status.atkUp", false, true, 0xd8443a},
    {StatusKind::DefUp, "status.defUp", false, true, 0x9aa3b2},
    {StatusKind::AtkDown, "status.atkDown", false, false, 0xb25a3a},
    {StatusKind::DefDown, "status.defDown", false, false, 0x6a7080},
    {StatusKind::Shield, "status.shield", false, true, 0x5fb6d8},
};

const std::unordered_map<std::string_view, std::int32_t>& skillIds() {
    static const auto ids = [] {
        std::unordered_map<std::string_view, std::int32_t> m;
        const auto& all = skills();
        for (std::size_t i = 0; i < all.size(); ++i) m.emplace(all[i].id, static_cast<std::int32_t>(i));
        return m;
    }();
    return ids;
}

} // namespace

const std::vector<SkillDef>& skills() {
    static const std::vector<SkillDef> rows(std::begin(data::kSkills), std::end(data::kSkills));
    return rows;
}

const std::vector<SpellFx>& spellFx() {
    static const std::vector<SpellFx> rows(std::begin(data::kSpellFx), std::end(data::kSpellFx));
    return rows;
}

std::int32_t skillIndex(std::string_view id) {
    const auto& ids = skillIds();
    auto it = ids.find(id);
    return it == ids.end() ? -1 : it->second;
}

const SkillDef* findSkill(std::string_view id) {
    std::int32_t i = skillIndex(id);
    return i < 0 ? nullptr : &skills()[static_cast<std::size_t>(i)];
}

const StatusDef& statusDesc(StatusKind kind) { return kStatuses[static_cast<int>(kind)]; }

} // namespace rpg
