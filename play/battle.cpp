#include "play/battle.h"

#include <algorithm>
#include <cmath>

#include "play/detail.h"
#include "play/party.h"
#include "platform/storage.h"
#include "rules/difficulty.h"
#include "rules/encounters.h"
#include "rules/leveling.h"
#include "rules/runes.h"

namespace play {
namespace {

int partyLevel(const std::vector<rpg::Hero*>& heroes) {
    if (heroes.empty()) return 1;
    double sum = 0;
    for (const rpg::Hero* h : heroes) sum += h->level;
    return static_cast<int>(std::round(sum / static_cast<double>(heroes.size())));
}

double nodeBonus(rpg::NodeType type) {
    if (type == rpg::NodeType::Boss) return 5;
    if (type == rpg::NodeType::Elite) return 2;
    return 0;
}

// A hero who rose a level leaves with the maxima it fights with now.
void refill(const rpg::Hero& hero) {
    const rpg::Stats max = maxima(hero);
    for (rpg::PartyMember& m : store::run().party) {
        if (m.heroId != hero.id) continue;
        m.hp = max.maxHp;
        m.mp = max.maxMp;
    }
}

} // namespace

std::string battleSeedText(std::uint32_t runSeed, const std::string& nodeId) {
    return std::to_string(runSeed) + "-" + nodeId;
}

Battle buildBattle(const std::string& nodeId, rpg::NodeType type) {
    // A party hero the run does not list yet (a run saved before it tracked
    // every change of the party) fights from his maxima and is tracked from
    // this battle on.
    detail::enlistParty();
    Battle b;
    b.heroes = partyCopies();
    const rpg::RunState& run = store::run();
    const store::Meta& meta = store::meta();
    b.rng = rpg::rngFromText(battleSeedText(run.seed, nodeId));
    b.state = rpg::buildBattle(b.heroes, run.party, type, run.depth, b.rng, meta.ascension,
                               rpg::runeBonus(meta.runeCircle));
    return b;
}

double itemAmount(const rpg::ItemInstance& item, const rpg::ItemDef& def, const rpg::Combatant& target,
                  const rpg::Hero& owner) {
    if (def.effect == rpg::ConsumableEffect::HealHp) return rpg::consumableHeal(item, target.stats.maxHp, owner.level);
    if (def.effect == rpg::ConsumableEffect::RestoreMp)
        return rpg::consumableHeal(item, target.stats.maxMp, owner.level);
    return def.power;
}

std::optional<rpg::ItemInstance> spendBagItem(const std::string& heroId, std::size_t index) {
    rpg::Hero* hero = store::heroById(heroId);
    if (!hero || index >= hero->bag.size()) return std::nullopt;
    rpg::ItemInstance item = hero->bag[index];
    hero->bag.erase(hero->bag.begin() + static_cast<std::ptrdiff_t>(index));
    store::saveMeta();
    return item;
}

namespace {

bool stolenFairly(const rpg::BattleState& state, const rpg::CombatEvent& e) {
    const rpg::Combatant* thief = rpg::combatant(state, e.actor);
    const rpg::Combatant* victim = rpg::combatant(state, e.target);
    if (e.kind != rpg::CombatEvent::Steal || !thief || !victim || thief->side != rpg::Side::Heroes ||
        victim->side != rpg::Side::Enemies || !victim->robbed || e.looted)
        return false;
    const bool wholeGold = std::isfinite(e.amount) && e.amount >= 0 && e.amount == std::floor(e.amount);
    if (!wholeGold || e.amount > rpg::maxStolenGold(victim->stats.maxHp)) return false;
    return e.item.empty() || rpg::isStealableItem(e.item, e.itemLevel, thief->level);
}

} // namespace

Result takeStolen(const rpg::BattleState& state, const rpg::CombatEvent& steal) {
    if (!store::hasRun() || !stolenFairly(state, steal)) return refused(Sound::None);
    if (steal.amount == 0 && steal.item.empty()) return refused(Sound::None);
    rpg::RunState& run = store::run();
    run.gold = addedGold(run.gold, steal.amount);
    if (!steal.item.empty()) {
        rpg::ItemInstance item = rpg::makeItem(steal.item);
        if (steal.itemLevel > 0) item.ilvl = steal.itemLevel;
        run.inventory.push_back(std::move(item));
    }
    return done(Sound::Coin);
}

void copyBackParty(const rpg::BattleState& state) {
    for (rpg::PartyMember& m : store::run().party) {
        const rpg::Combatant* c = rpg::combatant(state, m.heroId);
        if (!c) continue;
        m.hp = c->hp;
        m.mp = c->mp;
    }
}

std::vector<XpGain> grantXp(double rewardXp, int depth, rpg::NodeType type) {
    const std::vector<rpg::Hero*> heroes = store::partyHeroes();
    const int enemyLevel = rpg::encounterXpLevel(depth, partyLevel(heroes), nodeBonus(type));
    std::vector<XpGain> rows;
    for (rpg::Hero* hero : heroes) {
        const int before = hero->level;
        const double factor = rpg::xpFactorFor(before, enemyLevel);
        const double xp = std::max(std::round(factor * rewardXp), 1.0);
        if (rpg::gainXp(hero, xp) > 0) refill(*hero);
        rows.push_back({hero->id, xp, before, hero->level});
    }
    return rows;
}

BattleEnd settleBattle(const rpg::BattleState& state, const std::string& nodeId, rpg::NodeType type) {
    BattleEnd end;
    end.won = state.outcome == rpg::OutcomeWon;
    if (!store::hasRun()) return end;
    copyBackParty(state);
    if (!end.won) {
        end.run = detail::endRun(false, 0);
        store::saveMetaAndRun();
        return end;
    }
    rpg::RunState& run = store::run();
    store::Meta& meta = store::meta();
    end.rows = grantXp(state.rewardXp, run.depth, type);
    meta.gold = addedGold(meta.gold, state.rewardGold);
    run.gold = addedGold(run.gold, state.rewardGold);
    if (!rpg::isCleared(run, nodeId)) {
        detail::markNodeDone(nodeId);
        meta.bestDepth = std::max(meta.bestDepth, run.depth);
    }
    store::saveMetaAndRun();
    return end;
}

} // namespace play
