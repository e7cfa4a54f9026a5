#pragma once
// The battle's effect records (drawn and expired every frame), the cast
// sound of a skill and the small rules that pick an effect's look.
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <vector>

#include "rules/skills.h"
#include "ui/app.h"
#include "ui/audio.h"

namespace ui::battle {

// Every record is drawn with progress (now − start) / lifetime and removed
// once that reaches 1. Times are frame times in seconds, colours 0xRRGGBB.
struct ProjFx {
    double start = 0, duration = 0;
    double fromX = 0, fromY = 0, toX = 0, toY = 0;
    std::uint32_t colorA = 0, colorB = 0;
    rpg::FxForm form = rpg::FormNone;
    rpg::FxTrail trail = rpg::TrailNone;
    int tier = 1;
    bool heavy = false;  // form 10: the slow, heavy flight
};
struct AoeFx {
    double start = 0, duration = 0;
    rpg::AoEKind kind = rpg::AoENone;
    rpg::FxVariant variant = rpg::VariantDefault;
    double cx = 0, cy = 0, width = 0;
    std::uint32_t colorA = 0, colorB = 0;
    int tier = 1;
};
struct SlashFx {
    double start = 0, x = 0, y = 0;
    rpg::SlashKind kind = rpg::SlashSweep;
    std::uint32_t colorA = 0, colorB = 0;
    int tier = 1;
};
struct AuraFx {
    double start = 0, x = 0, y = 0;
    rpg::AuraKind kind = rpg::AuraNone;
    std::uint32_t colorA = 0, colorB = 0;
    int tier = 1;
};
struct BurstFx {
    double start = 0, x = 0, y = 0;
    std::uint32_t color = 0;
    int count = 1;
    double radius = 0;  // units of s
    bool flash = false;
    bool ring = false;
};
struct ColumnFx {
    double start = 0, x = 0, y = 0;
};
struct FlaskFx {
    double start = 0, x = 0, y = 0;
    std::uint32_t colorA = 0, colorB = 0;
};
struct LinkFx {
    double start = 0, fromX = 0, fromY = 0, toX = 0, toY = 0;
    std::uint32_t colorA = 0, colorB = 0;
};

inline constexpr double kSlashLife = 0.38;
inline constexpr double kAuraLife = 0.76;
inline constexpr double kBurstLife = 0.52;
inline constexpr double kColumnLife = 0.9;
inline constexpr double kLinkLife = 0.52;
inline constexpr double kFlaskLife = 0.8;

struct FxLists {
    std::vector<ProjFx> proj;
    std::vector<AoeFx> aoe;
    std::vector<SlashFx> slash;
    std::vector<AuraFx> aura;
    std::vector<BurstFx> burst;
    std::vector<ColumnFx> column;
    std::vector<FlaskFx> flask;
    std::vector<LinkFx> link;
};

// Draws every record and removes the expired ones (keeping the others'
// order); a projectile that arrives leaves a burst at its target.
void drawFx(Ctx& ctx, FxLists* fx);

// True when any needle occurs in the text.
bool has(std::string_view text, std::initializer_list<std::string_view> needles);
// The sound a skill makes when it is cast; keywords are matched in the
// lower-cased id in table order.
audio::Sfx castSfx(const rpg::SkillDef& skill);
// The effect tier 1-5 of a skill level.
int tierFor(int skillLevel);
// The skill's look, or a row of zeros for an id without one.
rpg::SpellFx spellFxOf(std::string_view skillId);

} // namespace ui::battle
