#pragma once
// The skill row of the content catalogue.
#include <cstdint>

namespace rpg {

enum class StatusKind : std::uint8_t {
    Poison = 0,
    Burn = 1,
    Regen = 2,
    Stun = 3,
    Slow = 4,
    AtkUp = 5,
    DefUp = 6,
    AtkDown = 7,
    DefDown = 8,
    Shield = 9,
};

struct SkillDef {
    const char* id = "";
    const char* nameKey = "";   // "skill." + id
    const char* descKey = "";   // nameKey + ".desc"
    double manaCost = 0;
    std::uint32_t reqLevel = 1;
    // 0 one living foe, 1 all living foes, 2 one living ally, 3 all living
    // allies, 4 the user, 5 one fallen ally
    std::uint8_t target = 0;
    // 0 physical, 1 magic, 2 healing, 3 status only, 4 revive
    std::uint8_t school = 0;
    double power = 0;       // damage, heal or revive factor
    double critBonus = 0;   // percent points added to the user's crit chance
    struct Status {
        std::uint8_t applies = 0;
        StatusKind kind = StatusKind::Poison;
        std::int32_t rounds = 0;
        double magnitude = 0;
    } status;
    double statusChance = 0;       // 0..1
    double drain = 0;              // share of damage dealt that heals the user
    std::uint8_t drainShared = 0;  // drained amount goes to allies as regeneration
    double executeThreshold = 0;   // fraction of the target's max hit points
    std::uint8_t steal = 0;
    std::uint8_t cleanse = 0;
    std::uint8_t purchaseOnly = 0;  // never unlocked by level alone
    double baseCost = 0;            // 0: the cost formula applies
    std::int32_t maxLevel = 0;      // 0: unlimited (9999)
};

} // namespace rpg
