#include "play/party.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "play/detail.h"
#include "platform/storage.h"
#include "rules/runes.h"

namespace play {
namespace {

using Items = std::vector<rpg::ItemInstance>;

double meanLevel(std::span<const rpg::Hero> heroes) {
    double sum = 0;
    for (const rpg::Hero& hero : heroes) sum += hero.level;
    return heroes.empty() ? 0 : sum / static_cast<double>(heroes.size());
}

// Appends the item to the stash and leaves an empty slot behind.
void stashWorn(rpg::ItemInstance& worn, Items& stash) {
    stash.push_back(worn);
    worn = rpg::ItemInstance{};
}

bool applyStat(std::optional<rpg::StatId> pick, rpg::Hero& hero) {
    if (!pick || *pick < 0 || *pick >= rpg::kStatCount) return false;
    return spendPointOn(hero, *pick);
}

bool applyRow(std::optional<std::uint8_t> pick, rpg::Hero& hero) {
    if (!pick) return false;
    hero.row = *pick == 1 ? 1 : 0;
    return true;
}

bool applyUnequip(std::optional<rpg::EquipSlot> pick, rpg::Hero& hero, Items& stash) {
    if (!pick || static_cast<int>(*pick) >= rpg::kEquipSlotCount) return false;
    rpg::ItemInstance& worn = hero.equipment[*pick];
    if (worn.defId.empty()) return false;
    stashWorn(worn, stash);
    return true;
}

bool canWear(const rpg::Hero& hero, const rpg::ItemDef* def, rpg::EquipSlot slot) {
    const unsigned classBit = 1u << static_cast<unsigned>(hero.cls);
    return def && fitsSlot(*def, slot) && (def->classMask & classBit) != 0 && !isSlotLocked(hero, slot);
}

// The worn item goes to the stash first; a two-handed main hand then sends
// the off hand after it.
void applyEquip(const std::string& uid, rpg::EquipSlot slot, rpg::Hero& hero, Items& stash) {
    if (static_cast<int>(slot) >= rpg::kEquipSlotCount) return;
    auto it = std::find_if(stash.begin(), stash.end(), [&](const rpg::ItemInstance& i) { return i.uid == uid; });
    if (it == stash.end()) return;
    const rpg::ItemDef* def = rpg::findItem(it->defId);
    if (!canWear(hero, def, slot)) return;
    const rpg::ItemInstance incoming = *it;
    stash.erase(it);
    rpg::ItemInstance& worn = hero.equipment[slot];
    if (!worn.defId.empty()) stashWorn(worn, stash);
    rpg::ItemInstance& offHand = hero.equipment[rpg::EquipSlot::OffHand];
    if (slot == rpg::EquipSlot::MainHand && def->twoHanded && !offHand.defId.empty()) stashWorn(offHand, stash);
    worn = incoming;
}

// The first item of that definition moves; one potion of a pile, not all.
void applyMove(const std::string& defId, bool toBag, rpg::Hero& hero, Items& stash) {
    Items& from = toBag ? stash : hero.bag;
    Items& to = toBag ? hero.bag : stash;
    auto it = std::find_if(from.begin(), from.end(), [&](const rpg::ItemInstance& i) { return i.defId == defId; });
    if (it == from.end()) return;
    to.push_back(*it);
    from.erase(it);
}

// A change of the party that the run had to follow is one step with it.
void saveParty(bool runChanged) {
    if (runChanged) store::saveMetaAndRun();
    else store::saveMeta();
}

} // namespace

namespace detail {

bool enlistParty() {
    if (!store::hasRun()) return false;
    std::vector<rpg::PartyMember>& members = store::run().party;
    bool joined = false;
    for (const rpg::Hero* hero : store::partyHeroes()) {
        const bool listed = std::any_of(members.begin(), members.end(),
                                        [&](const rpg::PartyMember& m) { return m.heroId == hero->id; });
        if (listed) continue;
        const rpg::Stats max = maxima(*hero);
        members.push_back({hero->id, max.maxHp, max.maxMp});
        joined = true;
    }
    return joined;
}

} // namespace detail

rpg::Stats maxima(const rpg::Hero& hero) {
    return rpg::deriveStats(hero, rpg::equipBonus(hero.equipment), rpg::runeBonus(store::meta().runeCircle));
}

Vitals vitals(const rpg::Hero& hero) {
    const rpg::Stats max = maxima(hero);
    Vitals v{max.maxHp, max.maxMp, max.maxHp, max.maxMp};
    if (!store::hasRun()) return v;
    for (const rpg::PartyMember& m : store::run().party) {
        if (m.heroId != hero.id) continue;
        v.hp = m.hp;
        v.mp = m.mp;
    }
    return v;
}

std::vector<rpg::Hero> partyCopies() {
    std::vector<rpg::Hero> party;
    for (const rpg::Hero* hero : store::partyHeroes()) party.push_back(*hero);
    return party;
}

Result toggleParty(const std::string& heroId) {
    store::Meta& meta = store::meta();
    std::vector<std::string>& ids = meta.partyIds;
    const auto it = std::find(ids.begin(), ids.end(), heroId);
    const int cap = rpg::partyCap(static_cast<double>(meta.ascension));
    const bool allowed = it != ids.end() ? ids.size() > 1
                                         : static_cast<int>(ids.size()) < cap && store::heroById(heroId) != nullptr;
    if (!allowed) return refused();
    if (it != ids.end()) ids.erase(it);
    else ids.push_back(heroId);
    // A hero who leaves keeps his place in the run, so he returns as he left.
    saveParty(detail::enlistParty());
    return done(Sound::Click);
}

double recruitPrice(std::span<const rpg::Hero> roster) {
    const double n = static_cast<double>(roster.size());
    double price = 40 * (1 + std::max(0.0, n - 3));
    const double level = std::round(meanLevel(roster));
    if (n > 0 && level - 1 > 0) price *= 1 + 0.08 * (level - 1);
    return std::round(price);
}

Result recruit(rpg::ClassId cls) {
    store::Meta& meta = store::meta();
    const double price = recruitPrice(meta.roster);
    if (cls == rpg::ClassId::None || price > meta.gold) return refused();
    meta.gold -= price;
    meta.roster.push_back(rpg::makeHero(cls, "", 1));
    store::saveMeta();
    return done(Sound::Success);
}

Result dismissHero(const std::string& heroId) {
    store::Meta& meta = store::meta();
    const auto it =
        std::find_if(meta.roster.begin(), meta.roster.end(), [&](const rpg::Hero& h) { return h.id == heroId; });
    if (meta.roster.size() < 2 || it == meta.roster.end()) return refused(Sound::None);
    for (const rpg::ItemInstance& worn : it->equipment.slots) {
        if (!worn.defId.empty()) meta.stash.push_back(worn);
    }
    meta.stash.insert(meta.stash.end(), it->bag.begin(), it->bag.end());
    // The id may live in the erased hero: the rest of the way works on a copy.
    const std::string id = heroId;
    meta.roster.erase(it);
    std::erase(meta.partyIds, id);
    if (meta.partyIds.empty() && !meta.roster.empty()) meta.partyIds.push_back(meta.roster.front().id);
    bool runChanged = store::hasRun() && std::erase_if(store::run().party, [&](const rpg::PartyMember& m) {
                                              return m.heroId == id;
                                          }) > 0;
    runChanged = detail::enlistParty() || runChanged;
    saveParty(runChanged);
    return done(Sound::Place);
}

Result formFirstParty(const std::vector<rpg::ClassId>& classes) {
    if (classes.empty()) return refused(Sound::None);
    store::Meta& meta = store::meta();
    meta.roster.clear();
    meta.partyIds.clear();
    for (const rpg::ClassId cls : classes) {
        rpg::Hero hero = rpg::makeHero(cls, "", 1);
        meta.partyIds.push_back(hero.id);
        meta.roster.push_back(std::move(hero));
    }
    meta.initialized = true;
    store::saveMeta();
    return done(Sound::Success);
}

bool spendPointOn(rpg::Hero& hero, rpg::StatId stat) {
    if (hero.points <= 0) return false;
    rpg::addStat(&hero.alloc, stat, rpg::allocStep(stat));
    --hero.points;
    return true;
}

bool assignPoints(rpg::Hero& hero) {
    const rpg::ClassDef& cls = rpg::classDef(hero.cls);
    const std::size_t n = cls.keyStats.size();
    if (n == 0) return false;
    for (std::size_t k = 0; spendPointOn(hero, cls.keyStats[k % n]); ++k) {
    }
    return true;
}

Result spendPoint(const std::string& heroId, rpg::StatId stat) {
    rpg::Hero* hero = store::heroById(heroId);
    if (!hero || !spendPointOn(*hero, stat)) return refused();
    store::saveMeta();
    return done(Sound::Place);
}

Result autoAssign(const std::string& heroId) {
    rpg::Hero* hero = store::heroById(heroId);
    if (!hero || hero->points <= 0 || !assignPoints(*hero)) return refused();
    store::saveMeta();
    return done(Sound::Place);
}

bool fitsSlot(const rpg::ItemDef& def, rpg::EquipSlot slot) {
    using rpg::EquipSlot;
    using rpg::ItemSlot;
    switch (slot) {
    case EquipSlot::MainHand: return def.slot == ItemSlot::Weapon;
    case EquipSlot::OffHand: return def.slot == ItemSlot::Shield || (def.slot == ItemSlot::Weapon && !def.twoHanded);
    case EquipSlot::Helm: return def.slot == ItemSlot::Helm;
    case EquipSlot::Armor: return def.slot == ItemSlot::Armor;
    case EquipSlot::Belt: return def.slot == ItemSlot::Belt;
    case EquipSlot::Boots: return def.slot == ItemSlot::Boots;
    case EquipSlot::Ring1:
    case EquipSlot::Ring2: return def.slot == ItemSlot::Ring;
    case EquipSlot::Amulet: return def.slot == ItemSlot::Amulet;
    }
    return false;
}

bool isSlotLocked(const rpg::Hero& hero, rpg::EquipSlot slot) {
    if (slot != rpg::EquipSlot::OffHand) return false;
    const rpg::ItemInstance& main = hero.equipment[rpg::EquipSlot::MainHand];
    const rpg::ItemDef* def = main.defId.empty() ? nullptr : rpg::findItem(main.defId);
    return def && def->twoHanded;
}

bool applyPartyActions(PartyActions* actions, rpg::Hero* hero, std::vector<rpg::ItemInstance>* stash) {
    PartyActions a = std::exchange(*actions, PartyActions{});
    bool save = applyStat(a.stat, *hero);
    save = (a.autoAssign && hero->points > 0 && assignPoints(*hero)) || save;
    save = applyRow(a.row, *hero) || save;
    save = applyUnequip(a.unequip, *hero, *stash) || save;
    if (!a.equipId.empty()) {
        applyEquip(a.equipId, a.equipSlot, *hero, *stash);
        save = true;
    }
    if (!a.moveId.empty()) {
        applyMove(a.moveId, a.moveToBag, *hero, *stash);
        save = true;
    }
    return save;
}

Result applySheet(const std::string& heroId, PartyActions* actions) {
    rpg::Hero* hero = store::heroById(heroId);
    if (!hero) {
        *actions = PartyActions{};
        return refused(Sound::None);
    }
    if (!applyPartyActions(actions, hero, &store::meta().stash)) return refused(Sound::None);
    store::saveMeta();
    return done(Sound::None);
}

} // namespace play
