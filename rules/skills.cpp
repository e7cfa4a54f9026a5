#include "rules/skills.h"

#include "rules/catalog.h"
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

} // namespace

const std::vector<SkillDef>& skills() { return catalogOf<data::kSkills>().rows(); }

const std::vector<SpellFx>& spellFx() { return catalogOf<data::kSpellFx>().rows(); }

std::int32_t skillIndex(std::string_view id) { return catalogOf<data::kSkills>().indexOf(id); }

const SkillDef* findSkill(std::string_view id) { return catalogOf<data::kSkills>().find(id); }

const StatusDef& statusDesc(StatusKind kind) { return kStatuses[static_cast<int>(kind)]; }

} // namespace rpg
