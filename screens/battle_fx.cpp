// Effect records: the drawing and expiry of every record of the battle, the
// sound a cast makes and the small rules that pick an effect's look.
#include "screens/battle_fx.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "fx/fx.h"
#include "rules/items.h"
#include "ui/theme.h"

namespace ui::battle {
namespace {

using audio::Sfx;

bool applies(const rpg::SkillDef& skill, rpg::StatusKind kind) {
    return skill.status.applies && skill.status.kind == kind;
}

Sfx magicSfx(const rpg::SkillDef& skill, std::string_view id) {
    if (applies(skill, rpg::StatusKind::Burn) ||
        has(id, {"fire", "flame", "ember", "inferno", "meteor", "pyro", "blaze", "scorch"}))
        return Sfx::CastFire;
    if (applies(skill, rpg::StatusKind::Slow) ||
        has(id, {"frost", "ice", "blizzard", "freeze", "glaci", "chill", "cryo", "lance"}))
        return Sfx::CastIce;
    if (has(id, {"lightning", "thunder", "storm", "chain", "cyclone", "hurricane", "tempest", "shock", "spark",
                 "gale"}))
        return Sfx::CastLightning;
    if (has(id, {"holy", "smite", "judg", "divine", "sanct", "bless", "radiant", "consecr", "nova", "mend"}))
        return Sfx::CastHoly;
    if (applies(skill, rpg::StatusKind::Poison) ||
        has(id, {"poison", "thorn", "nature", "moon", "wrath", "entangle", "venom", "spore", "barb", "grove", "bloom",
                 "root", "bark", "swarm"}))
        return Sfx::CastNature;
    return Sfx::CastArcane;
}

// --- Drawing ---

template <class T, class Life, class Draw>
void drawAll(std::vector<T>& list, double now, Life life, Draw draw) {
    for (const T& r : list) draw(r, (now - r.start) / life(r));
    std::erase_if(list, [&](const T& r) { return now - r.start >= life(r); });
}

template <class T>
auto fixedLife(double seconds) {
    return [seconds](const T&) { return seconds; };
}

void drawProjectiles(Ctx& ctx, FxLists* fx) {
    for (const ProjFx& p : fx->proj) {
        // The last flag would loft the shot into an arc; no battle shot flies so.
        drawProjectile(ctx, p.form, p.trail, p.fromX, p.fromY, p.toX, p.toY, p.colorA, p.colorB, p.tier,
                       (ctx.now - p.start) / p.duration, false);
    }
    std::erase_if(fx->proj, [&](const ProjFx& p) {
        if (ctx.now - p.start < p.duration) return false;
        fx->burst.push_back({ctx.now, p.toX, p.toY, p.colorA, 10, 30, true, false});
        return true;
    });
}

} // namespace

bool has(std::string_view text, std::initializer_list<std::string_view> needles) {
    return std::any_of(needles.begin(), needles.end(),
                       [&](std::string_view n) { return text.find(n) != std::string_view::npos; });
}

audio::Sfx castSfx(const rpg::SkillDef& skill) {
    std::string id = skill.id ? skill.id : "";
    std::transform(id.begin(), id.end(), id.begin(), [](unsigned char ch) { return std::tolower(ch); });
    if (skill.school == rpg::SchoolRevive) return Sfx::Revive;
    if (skill.school == rpg::SchoolHealing) return Sfx::Heal;
    if (skill.school == rpg::SchoolStatus) return Sfx::Buff;
    if (skill.drain > 0) return Sfx::Lifesteal;
    if (has(id, {"arrow", "volley", "snipe", "multishot", "pierc", "rainofarrows", "shot", "bow"})) return Sfx::Arrow;
    if (skill.school == rpg::SchoolMagic) return magicSfx(skill, id);
    if (has(id, {"slash", "cleave", "whirl", "blade", "flurry", "fan", "sweep", "eviscer", "stab", "backstab", "shiv",
                 "garrote", "assassin", "meuchel", "coup", "deathmark", "rend", "gore", "maul"}))
        return Sfx::Slash;
    return Sfx::HitPhys;
}

int tierFor(int skillLevel) {
    if (skillLevel <= 1) return 1;
    if (skillLevel <= 4) return 2;
    if (skillLevel <= 9) return 3;
    if (skillLevel <= 24) return 4;
    return 5;
}

rpg::SpellFx spellFxOf(std::string_view skillId) {
    const int index = rpg::skillIndex(skillId);
    const auto& rows = rpg::spellFx();
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) return {};
    return rows[static_cast<std::size_t>(index)];
}

void drawFx(Ctx& ctx, FxLists* fx) {
    const double now = ctx.now;
    const double s = ctx.uiScale;
    drawProjectiles(ctx, fx);
    drawAll(fx->aoe, now, [](const AoeFx& a) { return a.duration; }, [&](const AoeFx& a, double t) {
        drawAoE(ctx, a.kind, a.variant, {a.cx - a.width / 2, a.cy - 60 * s, a.width, 120 * s}, a.colorA, a.colorB,
                a.tier, t);
    });
    drawAll(fx->column, now, fixedLife<ColumnFx>(kColumnLife),
            [&](const ColumnFx& c, double t) { drawHealColumn(ctx, c.x, c.y, t); });
    drawAll(fx->burst, now, fixedLife<BurstFx>(kBurstLife), [&](const BurstFx& b, double t) {
        drawBurst(ctx, b.x, b.y, b.color, b.count, b.radius, b.flash, b.ring, t);
    });
    drawAll(fx->slash, now, fixedLife<SlashFx>(kSlashLife), [&](const SlashFx& a, double t) {
        drawSlash(ctx, a.kind, a.x, a.y, a.colorA, a.colorB, a.tier, t);
    });
    drawAll(fx->link, now, fixedLife<LinkFx>(kLinkLife), [&](const LinkFx& l, double t) {
        drawBuffLink(ctx, l.fromX, l.fromY, l.toX, l.toY, l.colorA, l.colorB, t);
    });
    drawAll(fx->aura, now, fixedLife<AuraFx>(kAuraLife), [&](const AuraFx& a, double t) {
        drawAura(ctx, a.kind, a.x, a.y, a.colorA, a.colorB, a.tier, t);
    });
    drawAll(fx->flask, now, fixedLife<FlaskFx>(kFlaskLife),
            [&](const FlaskFx& f, double t) { drawFlaskPour(ctx, f.x, f.y, f.colorA, f.colorB, t); });
}

} // namespace ui::battle
