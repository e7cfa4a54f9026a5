#pragma once
// Small builders shared by the battle tests: hand-made combatants and
// generators whose next draws fall where a case needs them.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "rules/classes.h"
#include "rules/combat.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/rng.h"

namespace battletest {

inline rpg::Combatant fighter(std::string id, rpg::Side side, rpg::Stats stats) {
    rpg::Combatant c;
    c.id = std::move(id);
    c.side = side;
    c.stats = stats;
    c.hp = stats.maxHp;
    c.mp = stats.maxMp;
    c.skills = {"attack"};
    return c;
}

inline rpg::Combatant hero(std::string id, rpg::Stats stats) { return fighter(std::move(id), rpg::Side::Heroes, stats); }
inline rpg::Combatant foe(std::string id, rpg::Stats stats) { return fighter(std::move(id), rpg::Side::Enemies, stats); }

// hp 100, mp 30, the rest as given: attack, defence, magic, resistance,
// speed, critical chance.
inline rpg::Stats statsOf(double atk, double def, double mag, double res, double spd, double crit = 0) {
    return rpg::Stats{100, 30, atk, def, mag, res, spd, crit};
}

// The first generator, counting states up from 1, whose upcoming draws
// satisfy `want` (given the draws in order).
inline rpg::Rng rngWhere(int draws, const std::function<bool(const std::vector<double>&)>& want) {
    for (std::uint32_t s = 1;; ++s) {
        rpg::Rng probe{s};
        std::vector<double> u;
        for (int i = 0; i < draws; ++i) u.push_back(probe.uniform());
        if (want(u)) return rpg::Rng{s};
    }
}

// A generator whose draw number `at` (from 0) lies in [lo, hi).
inline rpg::Rng rngWithDraw(int at, double lo, double hi) {
    return rngWhere(at + 1, [&](const std::vector<double>& u) { return u[std::size_t(at)] >= lo && u[std::size_t(at)] < hi; });
}

// How many draws took `before` to `after` (up to `limit`); -1 when none fits.
inline int drawsBetween(rpg::Rng before, rpg::Rng after, int limit = 64) {
    for (int n = 0; n <= limit; ++n) {
        if (before.state == after.state) return n;
        before.next();
    }
    return -1;
}

inline std::vector<rpg::CombatEvent::Kind> kinds(const rpg::ActionOutcome& o) {
    std::vector<rpg::CombatEvent::Kind> out;
    for (const auto& e : o.events) out.push_back(e.kind);
    return out;
}

// A hero with its class's starting weapon, built by hand so that nothing is
// drawn from the loose generator.
inline rpg::Hero makeTestHero(const std::string& id, rpg::ClassId cls, std::int32_t level) {
    rpg::Hero h;
    h.id = id;
    h.cls = cls;
    h.name = "Test " + id;
    h.level = level;
    rpg::MakeItemOpts opts;
    opts.uid = id + "-weapon";
    h.equipment[rpg::EquipSlot::MainHand] = rpg::makeItem(rpg::classDef(cls).startWeapon, opts, nullptr);
    h.row = rpg::defaultRow(cls) ? 1 : 0;
    return h;
}

} // namespace battletest
