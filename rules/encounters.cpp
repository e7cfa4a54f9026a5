#include "rules/encounters.h"

#include <algorithm>
#include <cmath>

#include "rules/classes.h"
#include "rules/difficulty.h"
#include "rules/items.h"
#include "rules/skills.h"

namespace rpg {

namespace {

constexpr int kMaxNormals = 4;
constexpr int kMaxCompanions = 2;
constexpr double kEscortAscension = 6;
constexpr double kExtraMonsterChance = 0.35;

// One draw, always; an empty list yields nothing.
void pick(const std::vector<std::uint16_t>& list, Rng& rng, std::vector<const MonsterDef*>& out) {
    const int i = rng.index(static_cast<int>(list.size()));
    if (list.empty()) return;
    out.push_back(&monsters()[list[std::size_t(i)]]);
}

double nodeBonus(std::uint8_t tier) {
    switch (tier) {
    case TierBoss: return 5;
    case TierElite: return 2;
    default: return 0;
    }
}

// A monster can always cast its cheapest spell several times.
double manaFloor(const MonsterDef& m) {
    double cheapest = 0;
    for (std::uint16_t i : m.skills) {
        if (i >= skills().size()) continue;
        const double cost = skills()[i].manaCost;
        if (cost > 0 && (cheapest == 0 || cost < cheapest)) cheapest = cost;
    }
    return cheapest > 0 ? 5 * cheapest + 6 : 0;
}

Combatant monsterCombatant(const MonsterDef& m, std::size_t index, const Stats& stats, std::int32_t level) {
    Combatant c;
    c.id = "e" + std::to_string(index);
    c.side = Side::Enemies;
    c.nameKey = m.nameKey;
    c.prefixKey = m.prefixKey ? m.prefixKey : "";
    c.level = level;
    c.sprite = m.sprite;
    c.recolour = m.recolour ? 1 : 0;
    c.colours = m.colours;
    c.stats = stats;
    c.hp = stats.maxHp;
    c.mp = stats.maxMp;
    c.skills.reserve(m.skills.size());
    for (std::uint16_t i : m.skills)
        if (i < skills().size()) c.skills.emplace_back(skills()[i].id);
    return c;
}

Combatant heroCombatant(const Hero& hero, const std::vector<PartyMember>& party, const Stats& runeBonus) {
    const ClassDef& def = classDef(hero.cls);
    Combatant c;
    c.id = hero.id;
    c.heroId = hero.id;
    c.side = Side::Heroes;
    c.nameKey = def.nameKey;
    c.name = hero.name;
    c.level = hero.level;
    c.sprite = def.id;
    c.stats = deriveStats(hero, equipBonus(hero.equipment), runeBonus);
    c.hp = c.stats.maxHp;
    c.mp = c.stats.maxMp;
    auto member = std::find_if(party.begin(), party.end(), [&](const PartyMember& p) { return p.heroId == hero.id; });
    if (member != party.end()) {
        c.hp = std::min(c.stats.maxHp, member->hp);
        c.mp = std::min(c.stats.maxMp, member->mp);
    }
    c.skills = unlockedSkills(hero);
    for (const std::string& id : c.skills) c.skillLevels.emplace(id, skillLevel(hero, id));
    c.backRow = hero.row == 1;
    const AffixTotals affixes = equipAffixTotals(hero.equipment);
    c.mpRegen = affixes.manaRegen;
    c.hpRegen = affixes.hpRegen;
    c.resist = affixes.resist;
    return c;
}

} // namespace

std::vector<const MonsterDef*> encounterFor(NodeType type, double depth, Rng& rng, double ascension) {
    std::vector<const MonsterDef*> out;
    if (type == NodeType::Boss) {
        pick(bossMonsters(), rng, out);
        if (ascension >= kEscortAscension) {
            const int escort = static_cast<int>(2 * rng.uniform());
            for (int i = 0; i < escort; ++i) pick(eliteMonsters(), rng, out);
        }
        return out;
    }
    if (type == NodeType::Elite) {
        pick(eliteMonsters(), rng, out);
        const double c = std::floor(ascension / 3) + (depth >= 5 ? 1 : 0) + 1;
        const int companions = c > kMaxCompanions ? kMaxCompanions : c < 1 ? 0 : static_cast<int>(c);
        for (int i = 0; i < companions; ++i) pick(normalMonsters(), rng, out);
        return out;
    }
    const double u = rng.uniform();
    const double n = (u < kExtraMonsterChance ? 1 : 0) + std::floor(ascension / 3) + std::floor(depth / 3) + 1;
    const int count = n <= 0 ? 1 : n > kMaxNormals ? kMaxNormals : static_cast<int>(n);
    for (int i = 0; i < count; ++i) pick(normalMonsters(), rng, out);
    return out;
}

MonsterGroup buildMonsterCombatants(const std::vector<const MonsterDef*>& encounter, double depth, Rng& rng,
                                    double ascension, double partyLevel) {
    MonsterGroup group;
    double goldRoll = 0;
    group.combatants.reserve(encounter.size());
    for (std::size_t i = 0; i < encounter.size(); ++i) {
        if (!encounter[i]) continue;
        const MonsterDef& m = *encounter[i];
        ScaledMonster s = scaleMonster(m, depth, ascension, partyLevel);
        if (const double floor = manaFloor(m); floor > 0) s.stats.maxMp = std::max(s.stats.maxMp, floor);
        group.rewardXp += s.reward;
        goldRoll += rng.range(m.goldMin, m.goldMax);
        const std::int32_t level = encounterLevel(depth, ascension, partyLevel, nodeBonus(m.tier));
        group.combatants.push_back(monsterCombatant(m, i, s.stats, level));
    }
    const double f = partyLevel > 1 ? 1 + 0.08 * (partyLevel - 1) : 1.0;
    group.rewardGold = std::round((10 + std::round(2.5 * goldRoll) + 8 * depth) * f);
    return group;
}

std::vector<Combatant> buildHeroCombatants(const std::vector<Hero>& heroes, const std::vector<PartyMember>& party,
                                           const Stats& runeBonus) {
    std::vector<Combatant> out;
    out.reserve(heroes.size());
    for (const Hero& hero : heroes) {
        // A hero of no known class has no stats to fight with.
        if (static_cast<int>(hero.cls) >= kClassCount) continue;
        out.push_back(heroCombatant(hero, party, runeBonus));
    }
    return out;
}

BattleState buildBattle(const std::vector<Hero>& heroes, const std::vector<PartyMember>& party, NodeType type,
                        double depth, Rng& rng, double ascension, const Stats& runeBonus) {
    std::vector<Combatant> heroSide = buildHeroCombatants(heroes, party, runeBonus);
    const std::vector<const MonsterDef*> encounter = encounterFor(type, depth, rng, ascension);
    double levels = 0;
    for (const Hero& h : heroes) levels += h.level;
    const double partyLevel = heroes.empty() ? 1 : std::round(levels / static_cast<double>(heroes.size()));
    MonsterGroup group = buildMonsterCombatants(encounter, depth, rng, ascension, partyLevel);
    return createBattle(std::move(heroSide), std::move(group.combatants), group.rewardXp, group.rewardGold);
}

} // namespace rpg
