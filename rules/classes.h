#pragma once
// The eight hero classes: their starting stats and growth, the skills they
// use and can buy, and the gear they start with.
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "rules/stats.h"

namespace rpg {

enum class ClassId : std::uint8_t {
    Warrior = 0,
    Mage = 1,
    Cleric = 2,
    Rogue = 3,
    Vampire = 4,
    Dieb = 5,
    Druide = 6,
    Archer = 7,
    None = 8,  // what a text that names no class parses to
};
inline constexpr int kClassCount = 8;

enum class ClassRole : std::uint8_t {
    Tank = 0,     // "role.tank"
    Damage = 1,   // "role.dps"
    Support = 2,  // "role.support"
};

struct ClassDef {
    ClassId cls = ClassId::Warrior;
    const char* nameKey = "";   // "class." + id
    const char* blurbKey = "";  // nameKey + ".blurb"
    ClassRole role = ClassRole::Tank;
    const char* id = "";  // also the save id and the sprite name
    Stats base{};         // at level 1
    Stats growth{};       // added per level above 1
    std::span<const std::uint16_t> skills{};  // skill indices usable without buying
    std::span<const StatId> keyStats{};
    const char* startWeapon = nullptr;   // item id
    const char* startOffhand = nullptr;  // item id worn in the off hand, or none
    std::span<const std::uint16_t> premium{};  // skill indices bought in the shops
};

const std::vector<ClassDef>& classes();

// These take 0-7 only.
const ClassDef& classDef(ClassId cls);
const char* classIdString(ClassId cls);
// ClassId::None for a text that is no class id.
ClassId classFromId(std::string_view id);

} // namespace rpg
