// Battle throughput and balance.
//
//   battle_bench [--battles N]            complete battles per second on one core
//   battle_bench --balance [--samples N]  win rates by difficulty, node type and depth
//
// Every battle is built from a seed text like the battle screen's and played
// to its end with the monster decision procedure choosing for both sides.
#include <array>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/bench_common.h"
#include "rules/classes.h"
#include "rules/combat.h"
#include "rules/difficulty.h"
#include "rules/encounters.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/leveling.h"
#include "rules/loot.h"
#include "rules/rng.h"

namespace {

using namespace rpg;

using bench::Played;
using bench::playOut;

// Won battles on every combat row before the depth: the row's nodes and replays.
constexpr int kFightsPerRow = 3;

// A hero of the class with its starting gear, as hero selection makes it
// (without the random stat modifier).
Hero startingHero(ClassId cls, int index) {
    const ClassDef& def = classDef(cls);
    Hero h;
    h.id = std::string(def.id) + "-" + std::to_string(index);
    h.cls = cls;
    MakeItemOpts opts;
    opts.uid = h.id + "-w";
    h.equipment[EquipSlot::MainHand] = makeItem(def.startWeapon, opts, nullptr);
    if (def.startOffhand) {
        opts.uid = h.id + "-o";
        h.equipment[EquipSlot::OffHand] = makeItem(def.startOffhand, opts, nullptr);
    }
    h.row = defaultRow(cls) ? 1 : 0;
    return h;
}

double scoreOf(const ItemInstance& item) { return item.empty() ? 0 : gearScore(item); }

double gearOf(const Hero& h) {
    double sum = 0;
    for (const ItemInstance& item : h.equipment.slots) sum += scoreOf(item);
    return sum;
}

// What the hero's gear score gains by wearing the item (0 when nothing).
double gainFor(const Hero& h, const ItemDef& def, const ItemInstance& item, EquipSlot* slot) {
    if (!((def.classMask >> static_cast<int>(h.cls)) & 1) || !slotFor(def, slot)) return 0;
    const Equipment& eq = h.equipment;
    const ItemDef* main = findItem(eq[EquipSlot::MainHand].defId);
    if (*slot == EquipSlot::Ring1 && scoreOf(eq[EquipSlot::Ring2]) < scoreOf(eq[EquipSlot::Ring1]))
        *slot = EquipSlot::Ring2;
    if (*slot == EquipSlot::OffHand && main && main->twoHanded) return 0;
    double current = scoreOf(eq[*slot]);
    if (def.twoHanded) current += scoreOf(eq[EquipSlot::OffHand]);
    return std::max(0.0, scoreOf(item) - current);
}

// A find goes to the least geared hero it improves, so the party shares.
void equipIfBetter(std::vector<Hero>& heroes, const ItemInstance& item) {
    const ItemDef* def = findItem(item.defId);
    if (!def) return;
    Hero* best = nullptr;
    EquipSlot bestSlot{};
    for (Hero& h : heroes) {
        EquipSlot slot{};
        if (gainFor(h, *def, item, &slot) <= 0) continue;
        if (!best || gearOf(h) < gearOf(*best)) {
            best = &h;
            bestSlot = slot;
        }
    }
    if (!best) return;
    best->equipment[bestSlot] = item;
    if (def->twoHanded) best->equipment[EquipSlot::OffHand] = ItemInstance{};
}

double partyLevel(const std::vector<Hero>& heroes) {
    double sum = 0;
    for (const Hero& h : heroes) sum += h.level;
    return std::round(sum / static_cast<double>(heroes.size()));
}

// Party number k: the k-th of the 56 trios of distinct classes, in turn, as
// it comes out of the rows before `depth` of a first run (ascension 0): won
// battles on every combat row with their experience and drops, one chest on
// every reward row, the better finds worn, every point spent on the key
// stats. Health is full; potions are not used.
std::vector<Hero> party(int k, int depth) {
    static const std::vector<std::array<int, 3>> trios = [] {
        std::vector<std::array<int, 3>> t;
        for (int a = 0; a < kClassCount; ++a)
            for (int b = a + 1; b < kClassCount; ++b)
                for (int c = b + 1; c < kClassCount; ++c) t.push_back({a, b, c});
        return t;
    }();
    const auto& trio = trios[static_cast<std::size_t>(k) % trios.size()];
    std::vector<Hero> heroes;
    for (int i = 0; i < 3; ++i) heroes.push_back(startingHero(static_cast<ClassId>(trio[std::size_t(i)]), i));

    Rng rng = rngFromText("progress-" + std::to_string(k));
    for (int row = 0; row < depth; ++row) {
        const LootCtx ctx = partyLootCtx(heroes, row, 0);
        if (row % 2 == 1) {
            for (const ItemInstance& item : rollTreasure(ctx, rng).items) equipIfBetter(heroes, item);
            continue;
        }
        for (int fight = 0; fight < kFightsPerRow; ++fight) {
            const double level = partyLevel(heroes);
            const BattleState s = buildBattle(heroes, {}, NodeType::Battle, row, rng, 0, Stats{});
            const std::int32_t enemyLevel = encounterXpLevel(row, level, 0);
            for (Hero& h : heroes)
                gainXp(&h, std::max(std::round(xpFactorFor(h.level, enemyLevel) * s.rewardXp), 1.0));
            for (const ItemInstance& item : rollBattleLoot(ctx, rng).items) equipIfBetter(heroes, item);
        }
    }
    for (Hero& h : heroes) {
        const ClassDef& def = classDef(h.cls);
        for (std::int32_t p = 0; p < h.points; ++p) {
            const StatId s = def.keyStats[static_cast<std::size_t>(p) % def.keyStats.size()];
            addStat(&h.alloc, s, allocStep(s));
        }
        h.points = 0;
    }
    return heroes;
}

std::string seedText(const char* place, int a, int b) {
    return std::string(place) + "-n" + std::to_string(a) + "_" + std::to_string(b);
}

int benchmark(int battles) {
    setActiveDifficulty(Difficulty::Easy);
    const int depth = 4;
    std::vector<std::vector<Hero>> parties;
    for (int k = 0; k < 56; ++k) parties.push_back(party(k, depth));

    long events = 0;
    int won = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < battles; ++i) {
        Rng rng = rngFromText(seedText("bench", depth, i));
        BattleState s = buildBattle(parties[std::size_t(i) % parties.size()], {}, NodeType::Battle, depth, rng, 0,
                                    Stats{});
        const Played p = playOut(s, rng);
        events += p.events;
        won += p.outcome == OutcomeWon;
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("battles: %d (3 heroes against a depth-%d battle node, monster AI on both sides)\n", battles, depth);
    std::printf("time: %.3f s, won %.1f %%\n", seconds, 100.0 * won / battles);
    std::printf("battles per second: %.0f\n", battles / seconds);
    std::printf("events per second: %.0f (%.1f events per battle)\n", events / seconds,
                static_cast<double>(events) / battles);
    return 0;
}

int balance(int samples) {
    const NodeType types[] = {NodeType::Battle, NodeType::Elite, NodeType::Boss};
    const char* typeNames[] = {"battle", "elite", "boss"};
    std::vector<std::vector<std::vector<Hero>>> parties(9);
    std::printf("Win rates in %% of a first-run party (ascension 0, three heroes levelled and geared by the rows\n"
                "before the depth, full health), %d battles per cell, monster AI on both sides.\n"
                "Mean party level by depth:",
                samples);
    for (int d = 0; d <= 8; ++d) {
        double sum = 0;
        for (int k = 0; k < samples; ++k) {
            parties[std::size_t(d)].push_back(party(k, d));
            sum += partyLevel(parties[std::size_t(d)].back());
        }
        std::printf(" %.1f", sum / samples);
    }
    std::printf("\n");
    for (int di = 0; di < kDifficultyCount; ++di) {
        const auto diff = static_cast<Difficulty>(di);
        setActiveDifficulty(diff);
        std::printf("\n%-8s depth:", difficultyId(diff));
        for (int d = 0; d <= 8; ++d) std::printf("%6d", d);
        std::printf("   mean rounds\n");
        for (int t = 0; t < 3; ++t) {
            std::printf("  %-13s", typeNames[t]);
            long rounds = 0, fights = 0;
            for (int d = 0; d <= 8; ++d) {
                int won = 0;
                for (int k = 0; k < samples; ++k) {
                    Rng rng = rngFromText(seedText(typeNames[t], d, k));
                    const std::vector<Hero>& heroes = parties[std::size_t(d)][std::size_t(k)];
                    BattleState s = buildBattle(heroes, {}, types[t], d, rng, 0, Stats{});
                    const Played p = playOut(s, rng);
                    won += p.outcome == OutcomeWon;
                    rounds += p.rounds;
                    ++fights;
                }
                std::printf("%6.0f", 100.0 * won / samples);
            }
            std::printf("   %11.1f\n", static_cast<double>(rounds) / static_cast<double>(fights));
        }
    }
    setActiveDifficulty(Difficulty::Easy);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    bool showBalance = false;
    int battles = 100000, samples = 400;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--balance")) {
            showBalance = true;
        } else if (!std::strcmp(argv[i], "--battles")) {
            battles = bench::numberAfter(i, argc, argv);
        } else if (!std::strcmp(argv[i], "--samples")) {
            samples = bench::numberAfter(i, argc, argv);
        } else {
            std::fprintf(stderr, "usage: battle_bench [--battles N] | --balance [--samples N]\n");
            return 2;
        }
    }
    if (battles <= 0 || samples <= 0) {
        std::fprintf(stderr, "battle_bench: counts must be positive\n");
        return 2;
    }
    return showBalance ? balance(samples) : benchmark(battles);
}
