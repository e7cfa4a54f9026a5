#include "rules/combat.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "rules/hero.h"
#include "rules/leveling.h"

namespace rpg {

namespace {

// A round end that finds nobody able to act would loop for ever otherwise.
constexpr int kAdvanceGuard = 200;

constexpr double kCritFactor = 1.7;
constexpr double kBaseMpRegen = 0.12;
constexpr std::int32_t kDrainRegenRounds = 3;
constexpr std::int32_t kTonicRounds = 3;

// Steal odds and loot.
constexpr double kStealBase = 0.35;
constexpr double kStealCap = 0.9;
constexpr double kStealItemChance = 0.32;
constexpr double kStealPotionShare = 0.58;
constexpr double kStealGearShare = 0.88;
constexpr double kStealBonusPotion = 0.45;
constexpr const char* kStealGear[] = {"woodenRing", "leatherBelt", "leatherBoots", "woodenShield", "leatherCap"};
constexpr const char* kStealRarity = "trompetchen";
// Gold: a whole part of kStealGoldSpread * U, plus the base, plus a share
// of the target's maximum hit points.
constexpr double kStealGoldSpread = 11;
constexpr double kStealGoldBase = 6;
constexpr double kStealGoldShare = 0.04;

Side otherSide(Side s) { return s == Side::Heroes ? Side::Enemies : Side::Heroes; }

int indexOf(const BattleState& state, std::string_view id) {
    for (std::size_t i = 0; i < state.combatants.size(); ++i)
        if (state.combatants[i].id == id) return static_cast<int>(i);
    return -1;
}

bool anyAlive(const BattleState& state, Side side) {
    for (const Combatant& c : state.combatants)
        if (c.side == side && c.hp > 0) return true;
    return false;
}

CombatEvent event(CombatEvent::Kind kind, std::string_view actor, std::string_view target, double amount = 0) {
    CombatEvent e;
    e.kind = kind;
    e.actor = actor;
    e.target = target;
    e.amount = amount;
    return e;
}

CombatEvent statusEvent(CombatEvent::Kind kind, std::string_view actor, std::string_view target, StatusKind s,
                        double amount = 0) {
    CombatEvent e = event(kind, actor, target, amount);
    e.hasStatus = true;
    e.status = s;
    return e;
}

StatusInstance* findStatus(Combatant& c, StatusKind kind) {
    for (StatusInstance& s : c.statuses)
        if (s.kind == kind) return &s;
    return nullptr;
}

// A kind already held is refreshed (the larger rounds and magnitude), so a
// combatant holds one instance per kind.
void applyStatus(Combatant& c, StatusKind kind, std::int32_t rounds, double magnitude) {
    if (StatusInstance* s = findStatus(c, kind)) {
        s->rounds = std::max(s->rounds, rounds);
        s->magnitude = std::max(s->magnitude, magnitude);
        return;
    }
    c.statuses.push_back(StatusInstance{kind, rounds, magnitude});
}

bool isCleansed(StatusKind k) {
    return k == StatusKind::Poison || k == StatusKind::Burn || k == StatusKind::Stun || k == StatusKind::Slow;
}

int cleanse(Combatant& c) {
    const auto before = c.statuses.size();
    std::erase_if(c.statuses, [](const StatusInstance& s) { return isCleansed(s.kind); });
    return static_cast<int>(before - c.statuses.size());
}

void updatePhase(BattleState& state) {
    if (!anyAlive(state, Side::Enemies)) state.outcome = OutcomeWon;
    else if (!anyAlive(state, Side::Heroes)) state.outcome = OutcomeLost;
}

// Binary insertion by effective speed: faster first; at equal speed a hero
// goes before whatever stands there, a monster after, so heroes lead ties
// and the later hero in the list leads among heroes.
void buildOrder(BattleState& state) {
    struct Entry {
        double speed;
        bool hero;
        int index;
    };
    std::vector<Entry> sorted;
    sorted.reserve(state.combatants.size());
    for (std::size_t i = 0; i < state.combatants.size(); ++i) {
        const Combatant& c = state.combatants[i];
        if (c.hp <= 0) continue;
        const Entry x{effectiveStats(c).spd, c.side == Side::Heroes, static_cast<int>(i)};
        auto at = std::partition_point(sorted.begin(), sorted.end(), [&](const Entry& y) {
            return !(x.speed > y.speed || (x.speed == y.speed && x.hero));
        });
        sorted.insert(at, x);
    }
    state.order.clear();
    for (const Entry& e : sorted) state.order.push_back(state.combatants[std::size_t(e.index)].id);
}

// --- round end -----------------------------------------------------------------

void tickStatuses(Combatant& c, std::vector<CombatEvent>& out) {
    for (const StatusInstance& s : c.statuses) {
        if (s.kind == StatusKind::Poison || s.kind == StatusKind::Burn) {
            c.hp = std::max(0.0, c.hp - s.magnitude);
            out.push_back(statusEvent(CombatEvent::Tick, "", c.id, s.kind, s.magnitude));
            if (c.hp <= 0) {
                out.push_back(event(CombatEvent::Death, "", c.id));
                return;
            }
        } else if (s.kind == StatusKind::Regen) {
            const double before = c.hp;
            c.hp = std::min(c.hp + s.magnitude, c.stats.maxHp);
            out.push_back(statusEvent(CombatEvent::Tick, "", c.id, StatusKind::Regen, c.hp - before));
        }
    }
}

void regenerate(Combatant& c, std::vector<CombatEvent>& out) {
    const double r = std::max(1.0, std::round(kBaseMpRegen * c.stats.maxMp)) + c.mpRegen;
    if (r != 0) {
        const double before = c.mp;
        c.mp = std::min(c.mp + r, c.stats.maxMp);
        if (c.mp > before) {
            CombatEvent e = statusEvent(CombatEvent::Tick, "", c.id, StatusKind::Regen, c.mp - before);
            e.mana = true;
            out.push_back(std::move(e));
        }
    }
    if (c.hpRegen != 0) {
        const double before = c.hp;
        c.hp = std::min(c.hp + c.hpRegen, c.stats.maxHp);
        if (c.hp > before) out.push_back(statusEvent(CombatEvent::Tick, "", c.id, StatusKind::Regen, c.hp - before));
    }
}

// Stuns count down only when they cost a turn.
void expireStatuses(Combatant& c) {
    for (StatusInstance& s : c.statuses)
        if (s.kind != StatusKind::Stun) --s.rounds;
    std::erase_if(c.statuses, [](const StatusInstance& s) { return s.rounds <= 0; });
}

void roundEnd(BattleState& state, std::vector<CombatEvent>& out) {
    ++state.round;
    for (Combatant& c : state.combatants)
        if (c.hp > 0) tickStatuses(c, out);
    for (Combatant& c : state.combatants)
        if (c.hp > 0) regenerate(c, out);
    for (Combatant& c : state.combatants) expireStatuses(c);
    buildOrder(state);
    state.cursor = 0;
    updatePhase(state);
}

// --- skills --------------------------------------------------------------------

struct Action {
    BattleState& state;
    int actor;
    const SkillDef& skill;
    Stats e;       // the actor's effective stats
    std::int32_t level = 1;
    double power = 0;
    double total = 0;  // damage dealt, for drain
    Rng& rng;
    std::vector<CombatEvent>& out;

    Combatant& user() { return state.combatants[std::size_t(actor)]; }
};

std::int32_t skillLevelOf(const Combatant& c, std::string_view skillId) {
    auto it = c.skillLevels.find(skillId);
    return it == c.skillLevels.end() ? 1 : std::max(1, it->second);
}

std::vector<int> resolveTargets(const BattleState& state, int actor, const SkillDef& skill,
                                const std::vector<std::string>& ids) {
    const Combatant& a = state.combatants[std::size_t(actor)];
    std::vector<int> out;
    auto side = [&](Side s) {
        for (std::size_t i = 0; i < state.combatants.size(); ++i)
            if (state.combatants[i].side == s && state.combatants[i].hp > 0) out.push_back(static_cast<int>(i));
    };
    switch (skill.target) {
    case TargetAllAllies: side(a.side); break;
    case TargetSelf: out.push_back(actor); break;
    case TargetAllFoes: side(otherSide(a.side)); break;
    default:
        for (const std::string& id : ids)
            if (const int i = indexOf(state, id); i >= 0) out.push_back(i);
        break;
    }
    return out;
}

double rollDamage(Action& act, const Combatant& target, bool* crit) {
    const Stats t = effectiveStats(target);
    const bool physical = act.skill.school == SchoolPhysical;
    const double s = physical ? act.e.atk : act.e.mag;
    const double sd = physical ? t.def : t.res;
    *crit = act.e.crit + act.skill.critBonus > 100 * act.rng.uniform();
    const double u = act.rng.uniform();
    const double s1 = std::max(1.0, s);
    return std::max(1.0, std::round((0.9 + 0.2 * u) * (s1 / (1.5 * sd + s1)) * act.power * s *
                                    (*crit ? kCritFactor : 1.0)));
}

double absorbByShield(Combatant& target, double damage) {
    auto it = std::find_if(target.statuses.begin(), target.statuses.end(),
                           [](const StatusInstance& s) { return s.kind == StatusKind::Shield; });
    if (it == target.statuses.end()) return damage;
    const double a = std::min(damage, it->magnitude);
    it->magnitude -= a;
    if (it->magnitude <= 0) target.statuses.erase(it);
    return damage - a;
}

void tryDamageStatus(Action& act, Combatant& target) {
    const auto& st = act.skill.status;
    if (!st.applies || target.hp <= 0) return;
    double chance = act.skill.statusChance;
    const auto k = static_cast<std::size_t>(st.kind);
    const double r = k < target.resist.size() ? target.resist[k] : 0;
    if (r > 0) chance *= 1 - std::min(r, 100.0) / 100;
    if (!(chance > act.rng.uniform())) return;
    applyStatus(target, st.kind, st.rounds, statusMagAt(st.magnitude, act.level));
    act.out.push_back(statusEvent(CombatEvent::StatusApplied, "", target.id, st.kind));
}

void hitTarget(Action& act, Combatant& target) {
    bool crit = false;
    const double damage = absorbByShield(target, rollDamage(act, target, &crit));
    act.total += damage;
    target.hp = std::max(0.0, target.hp - damage);
    CombatEvent hit = event(CombatEvent::Damage, act.user().id, target.id, damage);
    hit.crit = crit;
    hit.skill = act.skill.id;
    act.out.push_back(std::move(hit));
    tryDamageStatus(act, target);
    const double x = act.skill.executeThreshold;
    if (x > 0 && target.hp > 0 && target.hp <= x * target.stats.maxHp) {
        target.hp = 0;
        act.out.push_back(event(CombatEvent::Executed, act.user().id, target.id));
    }
    if (target.hp <= 0) act.out.push_back(event(CombatEvent::Death, "", target.id));
}

void healTarget(Action& act, Combatant& target) {
    if (act.skill.cleanse) act.out.push_back(event(CombatEvent::Purified, act.user().id, target.id, cleanse(target)));
    const double heal = std::max(1.0, std::round((0.9 + 0.2 * act.rng.uniform()) * act.power * act.e.mag));
    const double before = target.hp;
    target.hp = std::min(target.hp + heal, target.stats.maxHp);
    CombatEvent e = event(CombatEvent::Heal, act.user().id, target.id, target.hp - before);
    e.skill = act.skill.id;
    act.out.push_back(std::move(e));
}

void buffTarget(Action& act, Combatant& target) {
    const auto& st = act.skill.status;
    if (!st.applies) return;
    applyStatus(target, st.kind, st.rounds, statusMagAt(st.magnitude, act.level));
    act.out.push_back(statusEvent(CombatEvent::StatusApplied, act.user().id, target.id, st.kind));
}

void reviveTarget(Action& act, Combatant& target) {
    target.hp = std::max(1.0, std::round(target.stats.maxHp * act.skill.power));
    act.out.push_back(event(CombatEvent::Revive, act.user().id, target.id, target.hp));
}

std::vector<const char*> potionList(std::int32_t tier) {
    if (tier > 10) return {"potionHp", "potionMp"};
    return {"potionHp", "potionMp", "antidote"};
}

// Draws: success, then on success gold, item chance, [category, entry],
// bonus chance, [bonus potion].
void stealFrom(Action& act, Combatant& target) {
    Combatant& user = act.user();
    CombatEvent e = event(CombatEvent::Steal, user.id, target.id);
    if (target.robbed) {
        e.looted = true;
        act.out.push_back(std::move(e));
        return;
    }
    target.robbed = true;
    if (!(act.rng.uniform() < std::min(kStealCap, (act.e.crit + act.e.spd) / 300 + kStealBase))) {
        act.out.push_back(std::move(e));
        return;
    }
    const std::int32_t tier = potionTierFor(user.level);
    e.amount = std::floor(kStealGoldSpread * act.rng.uniform()) + kStealGoldBase +
               std::round(kStealGoldShare * target.stats.maxHp);
    if (act.rng.uniform() < kStealItemChance) {
        const double category = act.rng.uniform();
        if (category < kStealPotionShare) {
            const auto list = potionList(tier);
            e.item = list[std::size_t(act.rng.index(static_cast<int>(list.size())))];
            e.itemLevel = tier;
        } else if (category < kStealGearShare) {
            e.item = kStealGear[act.rng.index(static_cast<int>(std::size(kStealGear)))];
        } else {
            e.item = kStealRarity;
        }
    }
    act.out.push_back(std::move(e));
    if (act.rng.uniform() < kStealBonusPotion) {
        CombatEvent bonus = event(CombatEvent::Steal, user.id, target.id);
        const double u = act.rng.uniform();
        bonus.item = tier <= 10 && u > 0.92 ? "antidote" : u < 0.5 ? "potionHp" : "potionMp";
        bonus.itemLevel = tier;
        act.out.push_back(std::move(bonus));
    }
}

void drain(Action& act) {
    const SkillDef& s = act.skill;
    if ((s.school != SchoolPhysical && s.school != SchoolMagic) || !(s.drain > 0) || !(act.total > 0)) return;
    const double d = std::round(s.drain * act.total);
    if (!(d > 0)) return;
    Combatant& user = act.user();
    if (s.drainShared) {
        const double g = std::max(1.0, std::round(d / 3));
        const Side side = user.side;
        for (Combatant& c : act.state.combatants) {
            if (c.side != side || c.hp <= 0) continue;
            applyStatus(c, StatusKind::Regen, kDrainRegenRounds, g);
            act.out.push_back(statusEvent(CombatEvent::StatusApplied, user.id, c.id, StatusKind::Regen));
        }
        return;
    }
    const double before = user.hp;
    user.hp = std::min(user.hp + d, user.stats.maxHp);
    if (user.hp > before) act.out.push_back(event(CombatEvent::Heal, user.id, user.id, user.hp - before));
}

void applyToTarget(Action& act, Combatant& target) {
    if (act.skill.steal) {
        stealFrom(act, target);
        return;
    }
    switch (act.skill.school) {
    case SchoolPhysical:
    case SchoolMagic: hitTarget(act, target); break;
    case SchoolHealing: healTarget(act, target); break;
    case SchoolStatus: buffTarget(act, target); break;
    case SchoolRevive: reviveTarget(act, target); break;
    default: break;
    }
}

// --- monster decisions -----------------------------------------------------------

// The weakest living foe in the front row, or among all living foes when
// the front row has fallen; the earlier one on a tie.
const Combatant* defaultTarget(const std::vector<const Combatant*>& foes) {
    const Combatant* best = nullptr;
    bool anyFront = false;
    for (const Combatant* f : foes) anyFront = anyFront || !f->backRow;
    for (const Combatant* f : foes) {
        if (anyFront && f->backRow) continue;
        if (!best || f->hp < best->hp) best = f;
    }
    return best;
}

const Combatant* mostHurt(const std::vector<const Combatant*>& allies) {
    const Combatant* best = nullptr;
    double bestRatio = 0;
    for (const Combatant* a : allies) {
        const double ratio = a->hp / a->stats.maxHp;
        if (!best || ratio < bestRatio) {
            best = a;
            bestRatio = ratio;
        }
    }
    return best;
}

bool hurtEnough(const Combatant& c) { return c.hp < 0.85 * c.stats.maxHp; }

std::vector<std::string> idsOf(const std::vector<const Combatant*>& list) {
    std::vector<std::string> out;
    out.reserve(list.size());
    for (const Combatant* c : list) out.push_back(c->id);
    return out;
}

} // namespace

// --- lookups ---------------------------------------------------------------------

BattleState createBattle(std::vector<Combatant> heroes, std::vector<Combatant> enemies, double rewardXp,
                         double rewardGold) {
    BattleState state;
    state.combatants = std::move(heroes);
    state.combatants.reserve(state.combatants.size() + enemies.size());
    for (Combatant& e : enemies) state.combatants.push_back(std::move(e));
    buildOrder(state);
    state.rewardXp = rewardXp;
    state.rewardGold = rewardGold;
    return state;
}

const Combatant* currentActor(const BattleState& state) {
    if (state.cursor < 0 || static_cast<std::size_t>(state.cursor) >= state.order.size()) return nullptr;
    return combatant(state, state.order[std::size_t(state.cursor)]);
}

Combatant* combatant(BattleState& state, std::string_view id) {
    const int i = indexOf(state, id);
    return i < 0 ? nullptr : &state.combatants[std::size_t(i)];
}

const Combatant* combatant(const BattleState& state, std::string_view id) {
    const int i = indexOf(state, id);
    return i < 0 ? nullptr : &state.combatants[std::size_t(i)];
}

std::vector<const Combatant*> aliveOnSide(const BattleState& state, Side side) {
    std::vector<const Combatant*> out;
    for (const Combatant& c : state.combatants)
        if (c.side == side && c.hp > 0) out.push_back(&c);
    return out;
}

std::vector<std::string> aliveIdsOnSide(const BattleState& state, Side side) {
    return idsOf(aliveOnSide(state, side));
}

Stats effectiveStats(const Combatant& c) {
    double atk = 0, def = 0, slow = 0;
    for (const StatusInstance& s : c.statuses) {
        switch (s.kind) {
        case StatusKind::AtkUp: atk += s.magnitude; break;
        case StatusKind::AtkDown: atk -= s.magnitude; break;
        case StatusKind::DefUp: def += s.magnitude; break;
        case StatusKind::DefDown: def -= s.magnitude; break;
        case StatusKind::Slow: slow += s.magnitude; break;
        default: break;
        }
    }
    Stats e = c.stats;
    e.atk = std::max(1.0, e.atk + atk);
    e.def = std::max(0.0, e.def + def);
    e.spd = std::max(1.0, e.spd - slow);
    return e;
}

std::vector<std::string> legalTargets(const BattleState& state, std::string_view actorId, std::string_view skillId) {
    const Combatant* actor = combatant(state, actorId);
    const SkillDef* skill = findSkill(skillId);
    if (!actor || !skill) return {};
    std::vector<std::string> out;
    switch (skill->target) {
    case TargetFoe:
    case TargetAllFoes: return aliveIdsOnSide(state, otherSide(actor->side));
    case TargetAlly:
    case TargetAllAllies: return aliveIdsOnSide(state, actor->side);
    case TargetSelf: out.push_back(actor->id); break;
    case TargetFallenAlly:
        for (const Combatant& c : state.combatants)
            if (c.side == actor->side && c.hp <= 0) out.push_back(c.id);
        break;
    default: break;
    }
    return out;
}

// --- actions -----------------------------------------------------------------------

ActionOutcome performAction(BattleState& state, std::string_view actorId, std::string_view skillId,
                            const std::vector<std::string>& targetIds, Rng& rng) {
    ActionOutcome result;
    const int actor = indexOf(state, actorId);
    if (actor < 0 || state.combatants[std::size_t(actor)].hp <= 0) return result;
    const SkillDef* skill = findSkill(skillId);
    if (!skill) return result;

    Combatant& user = state.combatants[std::size_t(actor)];
    user.mp = std::max(0.0, user.mp - skill->manaCost);
    const std::vector<int> targets = resolveTargets(state, actor, *skill, targetIds);
    Action act{state, actor, *skill, effectiveStats(user), skillLevelOf(user, skill->id), 0, 0, rng, result.events};
    act.power = skillPowerAt(*skill, act.level);
    for (int t : targets) applyToTarget(act, state.combatants[std::size_t(t)]);
    drain(act);
    updatePhase(state);
    return result;
}

ActionOutcome performItemUse(BattleState& state, ConsumableEffect effect, double amount, std::string_view targetId) {
    ActionOutcome result;
    Combatant* t = combatant(state, targetId);
    if (!t) return result;
    auto& out = result.events;
    switch (effect) {
    case ConsumableEffect::HealHp: {
        const double before = t->hp;
        t->hp = std::min(t->hp + amount, t->stats.maxHp);
        out.push_back(event(CombatEvent::Heal, "", t->id, t->hp - before));
        break;
    }
    case ConsumableEffect::RestoreMp: {
        const double before = t->mp;
        t->mp = std::min(t->mp + amount, t->stats.maxMp);
        CombatEvent e = event(CombatEvent::Heal, "", t->id, t->mp - before);
        e.mana = true;
        out.push_back(std::move(e));
        break;
    }
    case ConsumableEffect::Revive:
        if (t->hp <= 0) {
            t->hp = std::max(1.0, std::round(amount / 100 * t->stats.maxHp));
            out.push_back(event(CombatEvent::Revive, "", t->id, t->hp));
        }
        break;
    case ConsumableEffect::Purify: out.push_back(event(CombatEvent::Purified, "", t->id, cleanse(*t))); break;
    case ConsumableEffect::AttackUp:
    case ConsumableEffect::DefenceUp: {
        const StatusKind kind = effect == ConsumableEffect::AttackUp ? StatusKind::AtkUp : StatusKind::DefUp;
        applyStatus(*t, kind, kTonicRounds, amount);
        out.push_back(statusEvent(CombatEvent::StatusApplied, "", t->id, kind));
        break;
    }
    default: break;
    }
    updatePhase(state);
    return result;
}

ActionOutcome advance(BattleState& state, Rng& /*rng*/) {
    ActionOutcome result;
    if (state.outcome != OutcomeRunning) return result;
    auto& out = result.events;
    auto inOrder = [&] { return state.cursor >= 0 && static_cast<std::size_t>(state.cursor) < state.order.size(); };
    for (int step = 0; step < kAdvanceGuard; ++step) {
        // A cursor set far out of range from outside must not overflow.
        if (state.cursor < std::numeric_limits<std::int32_t>::max()) ++state.cursor;
        if (state.cursor >= 0 && !inOrder()) {
            roundEnd(state, out);
            if (state.outcome != OutcomeRunning) return result;
        }
        if (!inOrder()) continue;
        Combatant* c = combatant(state, state.order[std::size_t(state.cursor)]);
        if (!c || c->hp <= 0) continue;
        auto stun = std::find_if(c->statuses.begin(), c->statuses.end(),
                                 [](const StatusInstance& s) { return s.kind == StatusKind::Stun; });
        if (stun == c->statuses.end()) return result;
        out.push_back(event(CombatEvent::StunnedSkip, "", c->id));
        if (--stun->rounds <= 0) c->statuses.erase(stun);
    }
    return result;
}

// --- steals ------------------------------------------------------------------------

// U stays below 1, so the spread adds at most one less than itself.
double maxStolenGold(double targetMaxHp) {
    return kStealGoldSpread - 1 + kStealGoldBase + std::round(kStealGoldShare * targetMaxHp);
}

bool isStealableItem(std::string_view itemId, std::int32_t itemLevel, std::int32_t thiefLevel) {
    const std::int32_t tier = potionTierFor(thiefLevel);
    for (const char* potion : potionList(tier))
        if (itemId == potion) return itemLevel == tier;
    if (itemLevel != 0) return false;
    const auto gear = std::find(std::begin(kStealGear), std::end(kStealGear), itemId);
    return itemId == kStealRarity || gear != std::end(kStealGear);
}

// --- monster decisions ---------------------------------------------------------------

AiAction aiChooseAction(const BattleState& state, std::string_view actorId, Rng& rng) {
    AiAction attack{"attack", {}};
    const Combatant* actor = combatant(state, actorId);
    if (!actor) return attack;

    const auto foes = aliveOnSide(state, otherSide(actor->side));
    if (const Combatant* t = defaultTarget(foes)) attack.targets.push_back(t->id);

    std::vector<const SkillDef*> usable;
    for (const std::string& id : actor->skills) {
        const SkillDef* s = findSkill(id);
        if (s && s->manaCost <= actor->mp && id != "attack" && id != "defend") usable.push_back(s);
    }
    if (usable.empty() || rng.uniform() >= 0.6) return attack;
    const SkillDef& skill = *usable[std::size_t(rng.index(static_cast<int>(usable.size())))];

    switch (skill.target) {
    case TargetFoe: return AiAction{skill.id, attack.targets};
    case TargetAllFoes: return AiAction{skill.id, idsOf(foes)};
    case TargetAlly: {
        const Combatant* ally = mostHurt(aliveOnSide(state, actor->side));
        if (!ally || (skill.school == SchoolHealing && !hurtEnough(*ally))) return attack;
        return AiAction{skill.id, {ally->id}};
    }
    case TargetAllAllies: return AiAction{skill.id, aliveIdsOnSide(state, actor->side)};
    case TargetSelf: {
        const bool holds = skill.status.applies && std::any_of(actor->statuses.begin(), actor->statuses.end(),
                                                               [&](const StatusInstance& s) {
                                                                   return s.kind == skill.status.kind;
                                                               });
        if (holds || (skill.school == SchoolHealing && !hurtEnough(*actor))) return attack;
        return AiAction{skill.id, {actor->id}};
    }
    default: return attack;
    }
}

} // namespace rpg
