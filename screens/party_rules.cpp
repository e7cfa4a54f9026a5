#include "screens/party_rules.h"

#include <algorithm>
#include <string>
#include <utility>

namespace ui {

namespace {

using Items = std::vector<rpg::ItemInstance>;

// Appends the item to the stash and leaves an empty slot behind.
void stashWorn(rpg::ItemInstance& worn, Items& stash) {
    stash.push_back(worn);
    worn = rpg::ItemInstance{};
}

bool applyStat(int pick, rpg::Hero& hero) {
    if (pick <= 0 || pick > rpg::kStatCount || hero.points <= 0) return false;
    const auto stat = static_cast<rpg::StatId>(pick - 1);
    rpg::addStat(&hero.alloc, stat, rpg::allocStep(stat));
    --hero.points;
    return true;
}

bool applyRow(int pick, rpg::Hero& hero) {
    if (pick <= 0) return false;
    hero.row = pick == 2 ? 1 : 0;
    return true;
}

bool applyUnequip(int pick, rpg::Hero& hero, Items& stash) {
    if (pick <= 0 || pick > rpg::kEquipSlotCount) return false;
    rpg::ItemInstance& worn = hero.equipment[static_cast<rpg::EquipSlot>(pick - 1)];
    if (worn.defId.empty()) return false;
    stashWorn(worn, stash);
    return true;
}

// The worn item goes to the stash first; a two-handed main hand then sends
// the off hand after it.
void applyEquip(const std::string& uid, int slotNo, rpg::Hero& hero, Items& stash) {
    if (slotNo < 0 || slotNo >= rpg::kEquipSlotCount) return;
    auto it = std::find_if(stash.begin(), stash.end(), [&](const rpg::ItemInstance& i) { return i.uid == uid; });
    if (it == stash.end()) return;
    const rpg::ItemInstance incoming = *it;
    stash.erase(it);
    const auto slot = static_cast<rpg::EquipSlot>(slotNo);
    rpg::ItemInstance& worn = hero.equipment[slot];
    if (!worn.defId.empty()) stashWorn(worn, stash);
    const rpg::ItemDef* def = rpg::findItem(incoming.defId);
    rpg::ItemInstance& offHand = hero.equipment[rpg::EquipSlot::OffHand];
    if (slot == rpg::EquipSlot::MainHand && def && def->twoHanded && !offHand.defId.empty()) {
        stashWorn(offHand, stash);
    }
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

} // namespace

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

std::vector<const rpg::ItemInstance*> candidates(const rpg::Hero& hero, rpg::EquipSlot slot,
                                                 const std::vector<rpg::ItemInstance>& stash) {
    const unsigned classBit = 1u << static_cast<unsigned>(hero.cls);
    std::vector<std::pair<double, const rpg::ItemInstance*>> scored;
    for (const rpg::ItemInstance& item : stash) {
        const rpg::ItemDef* def = rpg::findItem(item.defId);
        if (!def || !fitsSlot(*def, slot) || (def->classMask & classBit) == 0) continue;
        scored.emplace_back(rpg::gearScore(item), &item);
    }
    // Stable, so equal scores keep their stash order from frame to frame.
    std::stable_sort(scored.begin(), scored.end(), [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<const rpg::ItemInstance*> out;
    out.reserve(scored.size());
    for (const auto& entry : scored) out.push_back(entry.second);
    return out;
}

std::vector<ItemGroup> groupByDefinition(const std::vector<rpg::ItemInstance>& items, bool consumablesOnly) {
    std::vector<ItemGroup> groups;
    for (const rpg::ItemInstance& item : items) {
        if (consumablesOnly) {
            const rpg::ItemDef* def = rpg::findItem(item.defId);
            if (!def || def->slot != rpg::ItemSlot::Consumable) continue;
        }
        auto it = std::find_if(groups.begin(), groups.end(), [&](const ItemGroup& g) { return g.defId == item.defId; });
        if (it == groups.end()) groups.push_back({item.defId, 1});
        else ++it->count;
    }
    return groups;
}

bool applyPartyActions(PartyActions* actions, rpg::Hero* hero, std::vector<rpg::ItemInstance>* stash) {
    PartyActions a = std::exchange(*actions, PartyActions{});
    bool save = applyStat(a.stat, *hero);
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

bool autoAssign(rpg::Hero& hero, const rpg::ClassDef& cls) {
    const std::size_t n = cls.keyStats.size();
    if (n == 0) return false;
    for (std::size_t k = 0; hero.points > 0; ++k) {
        const rpg::StatId stat = cls.keyStats[k % n];
        rpg::addStat(&hero.alloc, stat, rpg::allocStep(stat));
        --hero.points;
    }
    return true;
}

} // namespace ui
