// Whole-run balance: first runs played from the start node to the boss or
// to the party's end, at every difficulty.
//
//   run_bench [--runs N] [--party a,b,c]
//
// N runs per difficulty (1000 by default) at ascension 0, with a fresh party
// of three level-1 heroes (warrior, cleric and mage by default). Every node
// is played through the run's transactions, the very calls the screens
// make, on stores saved to a scratch folder: battles built and settled as
// the battle screen has them, rests, chests, the wandering merchant and the
// minigames. The player is a simple policy:
//
// - in battle, a hero revives a fallen ally (skill, else an elixir from its
//   own bag), heals an ally below 35 % (skill, else a potion), drinks a mana
//   potion when no skill is affordable, and otherwise acts by the monster
//   decision procedure;
// - after a victory every point is spent by the party screen's auto-assign;
// - a fighting row is fought battles first, elites last, without replays;
// - on a reward row: a rest when anyone has fallen or the party is below
//   70 % of its hit points, else a chest, the merchant, dice, coin, a rest,
//   the shell game, the scroll shop, whack and memory, in that order;
// - the merchant sells health potions until every hero could carry two,
//   then a mana potion for each hero with mana to spare the gold; bought gear
//   would only reach the stash, so none is bought;
// - minigames are played by chance: the dice roll, the coin is called heads,
//   a cup or a hole is picked at random, memory cards are turned at random.
//
// The same runs (seeds, heroes) are played at every difficulty.
#include <unistd.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_common.h"
#include "play/battle.h"
#include "play/chest.h"
#include "play/minigames.h"
#include "play/party.h"
#include "play/run.h"
#include "play/trade.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/combat.h"
#include "rules/difficulty.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/map.h"
#include "rules/rng.h"
#include "rules/run.h"
#include "rules/skills.h"

namespace {

using rpg::NodeType;

constexpr double kHealBelow = 0.35;  // an ally below this share of its hit points gets healed
constexpr double kRestBelow = 0.70;  // the party rests below this share of its hit points
constexpr int kPotionsPerHero = 2;

struct Tally {
    int runs = 0;
    int won = 0;
    long depth = 0;   // summed deepest rows entered
    double level = 0;  // summed mean party levels at the end
    long battles = 0;
    std::array<int, 9> lostAt{};  // defeats by map row
};

// --- Battle ---

// The first item in the hero's bag with this effect.
int bagItem(const rpg::Hero& hero, rpg::ConsumableEffect effect) {
    for (std::size_t i = 0; i < hero.bag.size(); ++i) {
        const rpg::ItemDef* def = rpg::findItem(hero.bag[i].defId);
        if (def && def->effect == effect) return static_cast<int>(i);
    }
    return -1;
}

// Uses bag item `index` of the actor's hero on the target, as the battle
// screen does: the amount worked out, the item spent, the effect applied.
rpg::ActionOutcome useItem(rpg::BattleState& s, rpg::Hero& owner, int index, const std::string& targetId) {
    const rpg::ItemInstance item = owner.bag[static_cast<std::size_t>(index)];
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    const rpg::Combatant* target = rpg::combatant(s, targetId);
    const double amount = play::itemAmount(item, *def, *target, owner);
    play::spendBagItem(owner.id, static_cast<std::size_t>(index));
    return rpg::performItemUse(s, def->effect, amount, targetId);
}

// The actor's most powerful affordable skill of the target kind and school.
const rpg::SkillDef* affordable(const rpg::Combatant& actor, rpg::SkillTarget target, rpg::SkillSchool school) {
    const rpg::SkillDef* best = nullptr;
    for (const std::string& id : actor.skills) {
        const rpg::SkillDef* skill = rpg::findSkill(id);
        if (!skill || skill->target != target || skill->school != school || skill->manaCost > actor.mp) continue;
        if (!best || skill->power > best->power) best = skill;
    }
    return best;
}

bool canCastAnything(const rpg::Combatant& actor) {
    for (const std::string& id : actor.skills) {
        const rpg::SkillDef* skill = rpg::findSkill(id);
        if (skill && skill->manaCost > 0 && skill->manaCost <= actor.mp) return true;
    }
    return false;
}

rpg::ActionOutcome heroTurn(rpg::BattleState& s, const std::string& actorId, rpg::Rng& rng) {
    const rpg::Combatant actor = *rpg::combatant(s, actorId);
    rpg::Hero* owner = store::heroById(actor.heroId);
    const rpg::Combatant* fallen = nullptr;
    const rpg::Combatant* hurt = nullptr;
    for (const rpg::Combatant& c : s.combatants) {
        if (c.side != rpg::Side::Heroes) continue;
        if (c.hp <= 0) {
            if (!fallen) fallen = &c;
        } else if (c.hp < kHealBelow * c.stats.maxHp && (!hurt || c.hp / c.stats.maxHp < hurt->hp / hurt->stats.maxHp)) {
            hurt = &c;
        }
    }
    if (fallen) {
        if (const rpg::SkillDef* revive = affordable(actor, rpg::TargetFallenAlly, rpg::SchoolRevive))
            return rpg::performAction(s, actorId, revive->id, {fallen->id}, rng);
        if (const int i = owner ? bagItem(*owner, rpg::ConsumableEffect::Revive) : -1; i >= 0)
            return useItem(s, *owner, i, std::string(fallen->id));
    }
    if (hurt) {
        if (const rpg::SkillDef* heal = affordable(actor, rpg::TargetAlly, rpg::SchoolHealing))
            return rpg::performAction(s, actorId, heal->id, {hurt->id}, rng);
        if (const int i = owner ? bagItem(*owner, rpg::ConsumableEffect::HealHp) : -1; i >= 0)
            return useItem(s, *owner, i, std::string(hurt->id));
    }
    if (actor.stats.maxMp > 0 && !canCastAnything(actor) && owner) {
        if (const int i = bagItem(*owner, rpg::ConsumableEffect::RestoreMp); i >= 0) return useItem(s, *owner, i, actorId);
    }
    return bench::aiTurn(s, actorId, rng);
}

// The battle of the node built as the battle screen builds it, played out,
// and settled as the screen settles it; true when won. A defeat ends the run
// there, at the depth it reached.
bool fight(const rpg::MapNode& node, Tally& tally, int* endDepth) {
    play::Battle b = play::buildBattle(node.id, node.type);
    bench::playOut(b.state, b.rng, heroTurn);
    ++tally.battles;
    const play::BattleEnd end = play::settleBattle(b.state, node.id, node.type);
    if (!end.won) {
        *endDepth = end.run.depth;
        return false;
    }
    // The reward screen's points, spent as the party screen's auto-assign would.
    for (const play::XpGain& row : end.rows) play::autoAssign(row.heroId);
    return true;
}

// --- Reward rows ---

double hitPointShare(bool* anyFallen) {
    double hp = 0, max = 0;
    *anyFallen = false;
    for (const rpg::PartyMember& m : store::run().party) {
        const rpg::Hero* hero = store::heroById(m.heroId);
        if (!hero) continue;
        hp += std::max(0.0, m.hp);
        max += play::maxima(*hero).maxHp;
        if (m.hp <= 0) *anyFallen = true;
    }
    return max > 0 ? hp / max : 1;
}

// Higher is better; see the policy at the top.
int preference(const rpg::MapNode& node) {
    bool fallen = false;
    const double share = hitPointShare(&fallen);
    switch (node.type) {
    case NodeType::Rest: return fallen || share < kRestBelow ? 100 : 30;
    case NodeType::Treasure: return 80;
    case NodeType::Shop: return play::shopNodeOpensScrollShop(node.id) ? 10 : 70;
    case NodeType::Dice: return 60;
    case NodeType::Coin: return 50;
    case NodeType::Shell: return 20;
    case NodeType::Whack: return 5;
    case NodeType::Memory: return 4;
    default: return 0;
    }
}

play::ChestTake takeChest(play::ChestKind kind, const std::string& nodeId, int bossDepth = 0) {
    return play::takeChest(kind, nodeId, bossDepth, play::rollChest(kind, nodeId, bossDepth));
}

int heroesCarrying(rpg::ConsumableEffect effect) {
    int n = 0;
    for (const rpg::Hero* h : store::partyHeroes()) {
        for (const rpg::ItemInstance& item : h->bag) {
            const rpg::ItemDef* def = rpg::findItem(item.defId);
            n += def && def->effect == effect;
        }
    }
    return n;
}

void shop(const std::string& nodeId) {
    const std::vector<rpg::ItemInstance> offers = play::shopStock(play::kShopWanderer, nodeId);
    const auto offerWith = [&](rpg::ConsumableEffect effect) -> const rpg::ItemInstance* {
        for (const rpg::ItemInstance& o : offers) {
            const rpg::ItemDef* def = rpg::findItem(o.defId);
            if (def && def->effect == effect) return &o;
        }
        return nullptr;
    };
    const std::vector<rpg::Hero*> party = store::partyHeroes();
    const int wanted = kPotionsPerHero * static_cast<int>(party.size());
    if (const rpg::ItemInstance* potion = offerWith(rpg::ConsumableEffect::HealHp)) {
        while (heroesCarrying(rpg::ConsumableEffect::HealHp) < wanted && play::buyOffer(*potion, true).done) {
        }
    }
    if (const rpg::ItemInstance* potion = offerWith(rpg::ConsumableEffect::RestoreMp)) {
        int casters = 0;
        for (const rpg::Hero* h : party) casters += play::maxima(*h).maxMp >= 20;
        while (heroesCarrying(rpg::ConsumableEffect::RestoreMp) < casters && play::buyOffer(*potion, true).done) {
        }
    }
}

// A minigame played by chance from the bench's generator, through the
// games' own deals; true when won.
bool playMinigame(NodeType type, rpg::Rng& rng) {
    switch (type) {
    case NodeType::Dice: return play::diceWon(play::rollDice(rng));
    case NodeType::Coin: return play::tossHeads(rng);  // the call is heads
    case NodeType::Shell: {
        const play::ShellDeal deal = play::dealShell(rng, store::run().depth);
        const bool won = play::cupsAfter(deal, deal.swapCount)[static_cast<std::size_t>(rng.index(3))] == deal.prizeCup;
        if (!won) play::payShellStake();
        return won;
    }
    case NodeType::Whack: return play::hideMonster(rng) == rng.index(9);
    case NodeType::Memory: {
        // Every pair must be found without a miss; turned at random, two
        // face-down cards at a time.
        const play::MemoryDeal deal = play::dealMemory(rng);
        std::vector<int> down(play::kMemoryCards);
        for (int i = 0; i < play::kMemoryCards; ++i) down[static_cast<std::size_t>(i)] = i;
        while (!down.empty()) {
            const int a = down[static_cast<std::size_t>(rng.index(static_cast<int>(down.size())))];
            std::erase(down, a);
            const int b = down[static_cast<std::size_t>(rng.index(static_cast<int>(down.size())))];
            std::erase(down, b);
            if (deal.cards[static_cast<std::size_t>(a)] != deal.cards[static_cast<std::size_t>(b)]) return false;
        }
        return true;
    }
    default: return false;
    }
}

// --- The run ---

// The node the policy enters next: the first battle of a fighting row
// before its elites and the boss; the preferred node of a reward row.
const rpg::MapNode* nextNode(const rpg::RunState& run) {
    const rpg::MapNode* best = nullptr;
    int bestScore = -1;
    for (const std::string& id : rpg::reachableFrom(run)) {
        const rpg::MapNode* node = rpg::nodeById(run.map, id);
        if (!node) continue;
        int score = 0;
        if (node->type == NodeType::Battle) score = 3;
        else if (node->type == NodeType::Elite) score = 2;
        else if (node->type == NodeType::Boss) score = 1;
        else score = preference(*node);
        if (score > bestScore) {
            best = node;
            bestScore = score;
        }
    }
    return best;
}

// A new game's party (as hero selection makes it) on a new run (as the city
// starts it), both from the run's number.
void startRun(int index, const std::vector<rpg::ClassId>& classes) {
    rpg::looseRng() = rpg::rngFromText("run-bench-heroes-" + std::to_string(index));
    store::meta() = store::Meta{};
    store::clearRun();
    play::formFirstParty(classes);
    play::startRun(rpg::seedHash("run-bench-" + std::to_string(index)));
}

// Plays one run to its end; true when the boss fell. *endDepth: the deepest
// row the run entered.
bool playRun(int index, Tally& tally, int* endDepth) {
    rpg::RunState& run = store::run();
    rpg::Rng minigames = rpg::rngFromText("run-bench-games-" + std::to_string(index));
    while (const rpg::MapNode* next = nextNode(run)) {
        const rpg::MapNode node = *next;  // the run changes under the pointer
        play::enterNode(node.id);
        *endDepth = run.depth;
        switch (node.type) {
        case NodeType::Battle:
        case NodeType::Elite:
        case NodeType::Boss:
            if (!fight(node, tally, endDepth)) {
                ++tally.lostAt[static_cast<std::size_t>(std::clamp(*endDepth, 0, 8))];
                return false;
            }
            if (node.type == NodeType::Boss) {
                // What the reward screen opens after a boss; taking it ends the run.
                *endDepth = takeChest(play::ChestKind::Boss, node.id, run.depth).run.depth;
                return true;
            }
            break;
        case NodeType::Rest:
            play::restParty();
            play::leaveNode(node.id);
            break;
        case NodeType::Treasure: takeChest(play::ChestKind::Treasure, node.id); break;
        case NodeType::Shop:
            if (!play::shopNodeOpensScrollShop(node.id)) shop(node.id);
            play::leaveNode(node.id);
            break;
        default: {
            const bool won = playMinigame(node.type, minigames);
            play::leaveNode(node.id);
            if (won) takeChest(play::ChestKind::Lucky, node.id);  // what a won game opens
            break;
        }
        }
    }
    return false;
}

double meanLevel() {
    double sum = 0;
    const std::vector<rpg::Hero*> party = store::partyHeroes();
    for (const rpg::Hero* h : party) sum += h->level;
    return party.empty() ? 0 : sum / static_cast<double>(party.size());
}

bool parseParty(const char* text, std::vector<rpg::ClassId>* out) {
    out->clear();
    std::string rest = text;
    while (!rest.empty()) {
        const std::size_t comma = rest.find(',');
        const rpg::ClassId cls = rpg::classFromId(rest.substr(0, comma));
        if (cls == rpg::ClassId::None) return false;
        out->push_back(cls);
        rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
    }
    return !out->empty() && static_cast<int>(out->size()) <= rpg::partyCap(0);
}

// The stores point at an empty folder of our own, so nothing a transaction
// saves can reach the player's files; it is removed at the end. A memory
// file system, where there is one, keeps the many small saves cheap.
class ScratchStore {
public:
    ScratchStore() {
        std::error_code ec;
        const std::filesystem::path base =
            std::filesystem::is_directory("/dev/shm", ec) ? "/dev/shm" : std::filesystem::temp_directory_path();
        std::string pattern = (base / "run_bench.XXXXXX").string();
        if (::mkdtemp(pattern.data())) dir_ = pattern;
        store::reloadForTests(dir_);
    }
    ~ScratchStore() {
        std::error_code ec;
        if (!dir_.empty()) std::filesystem::remove_all(dir_, ec);
    }
    bool ok() const { return !dir_.empty(); }

private:
    std::string dir_;
};

} // namespace

int main(int argc, char** argv) {
    int runs = 1000;
    std::vector<rpg::ClassId> classes = {rpg::ClassId::Warrior, rpg::ClassId::Cleric, rpg::ClassId::Mage};
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--runs")) {
            runs = bench::numberAfter(i, argc, argv);
        } else if (!std::strcmp(argv[i], "--party") && i + 1 < argc) {
            if (!parseParty(argv[++i], &classes)) {
                std::fprintf(stderr, "run_bench: --party takes one to three class ids, such as warrior,cleric,mage\n");
                return 2;
            }
        } else {
            std::fprintf(stderr, "usage: run_bench [--runs N] [--party a,b,c]\n");
            return 2;
        }
    }
    if (runs <= 0) {
        std::fprintf(stderr, "run_bench: the run count must be positive\n");
        return 2;
    }
    ScratchStore scratch;
    if (!scratch.ok()) {
        std::fprintf(stderr, "run_bench: no scratch folder for the stores\n");
        return 1;
    }

    std::string names;
    for (rpg::ClassId cls : classes) names += std::string(names.empty() ? "" : ", ") + rpg::classIdString(cls);
    std::printf("First runs (ascension 0) of a new party: %s; %d runs per difficulty.\n\n", names.c_str(), runs);
    std::printf("%-8s %7s %7s %11s %10s %9s   defeats by row: 0 2 4 6 8 (%%)\n", "", "runs", "won %",
                "mean depth", "end level", "battles");
    const auto start = std::chrono::steady_clock::now();
    for (int di = 0; di < rpg::kDifficultyCount; ++di) {
        const auto diff = static_cast<rpg::Difficulty>(di);
        rpg::setActiveDifficulty(diff);
        Tally t;
        for (int k = 0; k < runs; ++k) {
            startRun(k, classes);
            int depth = 0;
            t.won += playRun(k, t, &depth);
            ++t.runs;
            t.depth += depth;
            t.level += meanLevel();
        }
        const double n = t.runs;
        std::printf("%-8s %7d %7.1f %11.2f %10.2f %9.1f  ", rpg::difficultyId(diff), t.runs, 100.0 * t.won / n,
                    static_cast<double>(t.depth) / n, t.level / n,
                    static_cast<double>(t.battles) / n);
        for (int row = 0; row <= 8; row += 2) std::printf(" %4.1f", 100.0 * t.lostAt[static_cast<std::size_t>(row)] / n);
        std::printf("\n");
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("\n%d runs in %.1f s; depth is the deepest map row entered (the boss row is 8).\n",
                runs * rpg::kDifficultyCount, seconds);
    store::clearRun();
    return 0;
}
