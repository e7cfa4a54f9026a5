#include "screens/party_rules.h"

#include <algorithm>
#include <string>
#include <utility>

namespace ui {

std::vector<const rpg::ItemInstance*> candidates(const rpg::Hero& hero, rpg::EquipSlot slot,
                                                 const std::vector<rpg::ItemInstance>& stash) {
    const unsigned classBit = 1u << static_cast<unsigned>(hero.cls);
    std::vector<std::pair<double, const rpg::ItemInstance*>> scored;
    for (const rpg::ItemInstance& item : stash) {
        const rpg::ItemDef* def = rpg::findItem(item.defId);
        if (!def || !play::fitsSlot(*def, slot) || (def->classMask & classBit) == 0) continue;
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

} // namespace ui
