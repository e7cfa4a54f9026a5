#pragma once
// The battle effects: short, stateless animations drawn with cairo over the
// combatants. The caller keeps each effect's start time and length and
// passes the progress t = elapsed / length; a frame is a pure function of
// the arguments (particles are placed by formulas of their index, never by
// a random generator). Lengths are logical units times the context's UI
// scale; most effects also grow with the caster's tier `level` by
// 1 + 0.18 × (level − 1). Colours are 0xRRGGBB; colour A and colour B are a
// skill's two effect colours. Every function leaves the cairo context as it
// found it. Some pieces lie beneath the overlay instead (ui/beneath.h): the
// bursts, status auras and area rings, which cover nothing but scenery and
// sprites, are said to be so below.
#include <cstdint>

#include "rules/skills.h"
#include "ui/app.h"
#include "ui/rect.h"

namespace ui {

// A melee slash centred on (x, y). Kinds 1 sweep, 2 cross, 3 thrust,
// 4 claws, 5 star, 6 jaws; any other kind draws nothing. Nothing unless
// 0 < t < 1.
void drawSlash(Ctx& ctx, rpg::SlashKind kind, double x, double y, uint32_t colorA, uint32_t colorB, int level,
               double t);

// A self-buff aura around (x, y). Kind 3 is a shield; the others are rising
// particles (1 streaks, 2 swaying pills, 4 up-arrows, 5 notes, 6 low dots,
// 7 an orbit, 8 plus signs, any other value colour-B squares) whose number
// grows with the level up to 9. Nothing unless 0 < t < 1.
void drawAura(Ctx& ctx, rpg::AuraKind kind, double x, double y, uint32_t colorA, uint32_t colorB, int level, double t);

// A projectile of a form (1 orb, 2 arrow, 3 bolt, 4 two heads, 5 upright
// body, 6 cross, 7 hammer, 8 glowing ball, 9 star, 10 flask, 11 dart,
// 12 bottle; 0 and unknown forms the orb) flying from (x0, y0) to (x1, y1),
// led out of a muzzle flash and followed by a trail (1 to 6; 0 none). A lob
// flies in an arc 90 units (times the UI scale) high at its middle. Draws
// for 0 <= t <= 1.
void drawProjectile(Ctx& ctx, rpg::FxForm form, rpg::FxTrail trail, double x0, double y0, double x1, double y1,
                    uint32_t colorA, uint32_t colorB, int level, double t, bool lob);

// An impact burst at (x, y): a white flash (when `flash`), an expanding ring
// in the colour (when `ring`) and `count` particles (at least one) flying out
// to `radius` times the UI scale, all beneath the overlay (see
// ui/beneath.h). Nothing unless 0 < t < 1.
void drawBurst(Ctx& ctx, double x, double y, uint32_t color, int count, double radius, bool flash, bool ring, double t);

// The green light column of a heal standing on (x, y), with rising plus
// signs. Nothing unless 0 < t < 1.
void drawHealColumn(Ctx& ctx, double x, double y, double t);

// A beam from a buffing caster at (x0, y0) to its target at (x1, y1) with
// three orbs travelling along it. Nothing unless 0 < t < 1.
void drawBuffLink(Ctx& ctx, double x0, double y0, double x1, double y1, uint32_t colorA, uint32_t colorB, double t);

// What a combatant's status aura shows: the first good status and the first
// bad status other than a stun, in the order they are added.
class StatusAuraPick {
public:
    void add(rpg::StatusKind kind);
    bool hasGood() const { return hasGood_; }
    bool hasBad() const { return hasBad_; }
    rpg::StatusKind good() const { return good_; }

private:
    bool hasGood_ = false;
    bool hasBad_ = false;
    rpg::StatusKind good_ = rpg::StatusKind::Poison;
};

// Looping auras around (x, y) for a combatant `size` units wide, timed by
// the context's clock: a ring and rising motes in the good status's colour,
// a wider purple ring and sinking motes for a bad one. Nothing when neither
// is there (a stun alone shows none). Rings and motes lie beneath the
// overlay; a unit asks for the rings before its sprite and the motes after
// it, so that they rise over the sprite.
enum class AuraPart : std::uint8_t { Both, Rings, Motes };
void drawStatusAura(Ctx& ctx, const StatusAuraPick& pick, double x, double y, double size,
                    AuraPart part = AuraPart::Both);

// The same for a combatant's list of active statuses (anything whose
// elements carry a `kind`).
template <class Statuses>
    requires requires(const Statuses& list) { rpg::StatusKind{list.begin()->kind}; }
void drawStatusAura(Ctx& ctx, const Statuses& statuses, double x, double y, double size,
                    AuraPart part = AuraPart::Both) {
    StatusAuraPick pick;
    for (const auto& status : statuses) pick.add(status.kind);
    drawStatusAura(ctx, pick, x, y, size, part);
}

// A flask that tips over (x, y) and pours colour-A liquid with a colour-B
// stream, drops and a splash. Nothing unless 0 < t < 1.
void drawFlaskPour(Ctx& ctx, double x, double y, uint32_t colorA, uint32_t colorB, double t);

// Area effects over the rectangle that holds a whole side's targets. Kinds
// 1 funnel, 2 bolts, 3 falling block, 4 rings, 5 falling pieces, 6 drifting
// flock, 7 bubbles, 8 whirl, 9 swung tool; the variant picks the piece of
// kinds 5 (2 arrows, 3 stones, else shards) and 6 (5 blades, 6 and 7 pills,
// else wings). The shock rings of kinds 3 and 4 lie beneath the overlay.
//
// Length in seconds; 0 for kind 0 and unknown kinds.
double aoeDuration(rpg::AoEKind kind);
// The fraction of the length at which the hit lands; 0.52 for unknown kinds.
double aoeImpactDelay(rpg::AoEKind kind);
// Nothing unless 0 < t < 1 and 1 <= kind <= 9.
void drawAoE(Ctx& ctx, rpg::AoEKind kind, rpg::FxVariant variant, const Rect& area, uint32_t colorA, uint32_t colorB,
             int level, double t);

} // namespace ui
