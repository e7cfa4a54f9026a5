#pragma once
// The skill catalogue with one visual-effect row per skill, and the table of
// status effects that skills apply.
#include <cstdint>
#include <string_view>
#include <vector>

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

inline constexpr int kStatusCount = 10;

struct StatusDef {
    StatusKind kind = StatusKind::Poison;
    const char* nameKey = "";
    bool ticks = false;     // acts at every round end
    bool positive = false;
    std::uint32_t colour = 0;  // 0xRRGGBB
};

// Whom a skill reaches (the byte `SkillDef::target`).
enum SkillTarget : std::uint8_t {
    TargetFoe = 0,        // one living foe
    TargetAllFoes = 1,    // all living foes
    TargetAlly = 2,       // one living ally
    TargetAllAllies = 3,  // all living allies
    TargetSelf = 4,       // the user itself
    TargetFallenAlly = 5, // one fallen ally
};

// What a skill does (the byte `SkillDef::school`).
enum SkillSchool : std::uint8_t {
    SchoolPhysical = 0,
    SchoolMagic = 1,
    SchoolHealing = 2,
    SchoolStatus = 3,  // applies its status only
    SchoolRevive = 4,
};

struct SkillDef {
    const char* id = "";
    const char* nameKey = "";   // "skill." + id
    const char* descKey = "";   // nameKey + ".desc"
    double manaCost = 0;
    std::uint32_t reqLevel = 1;
    std::uint8_t target = TargetFoe;
    std::uint8_t school = SchoolPhysical;
    double power = 0;       // damage, heal or revive factor
    double critBonus = 0;   // percent points added to the user's crit chance
    struct Status {
        std::uint8_t applies = 0;
        StatusKind kind = StatusKind::Poison;
        std::int32_t rounds = 0;
        double magnitude = 0;
    } status{};
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

// The effect enumerations of a skill's look; 0 is "none" (or the battle
// screen's default) in each. The named values say what the drawing shows.
enum FxForm : std::uint8_t {
    FormNone = 0,
    FormOrb = 1,
    FormArrow = 2,
    FormBolt = 3,
    FormTwoHeads = 4,
    FormUpright = 5,
    FormCross = 6,
    FormHammer = 7,
    FormGlowBall = 8,
    FormStar = 9,
    FormFlask = 10,  // the heavy form: slower flight, heavier impact
    FormDart = 11,
    FormBottle = 12,
};

enum FxTrail : std::uint8_t {
    TrailNone = 0,
    TrailEmber = 1,
    TrailWhite = 2,
    TrailSmoke = 3,
    TrailIce = 4,
    TrailVenom = 5,
    TrailBlood = 6,
};

enum AoEKind : std::uint8_t {
    AoENone = 0,
    AoEFunnel = 1,
    AoEBolts = 2,
    AoEImpact = 3,
    AoERings = 4,
    AoERain = 5,
    AoEFlock = 6,
    AoEBubbles = 7,
    AoEWhirl = 8,
    AoESwing = 9,
};

enum FxVariant : std::uint8_t {
    VariantDefault = 0,
    VariantArrows = 2,  // falling pieces as arrows
    VariantStones = 3,  // falling pieces as stones
    VariantBlades = 5,  // a flock of thin bars
    VariantPillsA = 6,  // a flock of pills in colour A
    VariantPillsB = 7,  // a flock of pills in colour B
};

enum SlashKind : std::uint8_t {
    SlashNone = 0,
    SlashSweep = 1,
    SlashCross = 2,
    SlashThrust = 3,
    SlashClaws = 4,
    SlashStar = 5,
    SlashJaws = 6,
};

enum AuraKind : std::uint8_t {
    AuraNone = 0,
    AuraStreaks = 1,
    AuraPills = 2,
    AuraShield = 3,
    AuraArrows = 4,
    AuraNotes = 5,
    AuraDots = 6,
    AuraOrbit = 7,
    AuraPlus = 8,
};

struct SpellFx {
    std::uint32_t colourA = 0;  // 0xRRGGBB
    std::uint32_t colourB = 0;
    FxForm form = FormNone;
    FxTrail trail = TrailNone;
    std::uint8_t lob = 0;  // the projectile comes down on its target from above
    AoEKind aoe = AoENone;
    FxVariant variant = VariantDefault;
    SlashKind slash = SlashNone;
    AuraKind aura = AuraNone;
};

const std::vector<SkillDef>& skills();
// One row per skill, in the order of skills().
const std::vector<SpellFx>& spellFx();

std::int32_t skillIndex(std::string_view id);
const SkillDef* findSkill(std::string_view id);

// Callers pass 0-9 only.
const StatusDef& statusDesc(StatusKind kind);

} // namespace rpg
