#pragma once
// A large progress record for round trips and timing: 40 heroes of every
// class, every slot worn, full bags, a full stash, runestones and a filled
// rune circle, with rolled items, affixes and fractional stats. Header-only
// and free of the test framework: the storage tests and the storage
// benchmark both use it.
#include <array>
#include <cstdint>
#include <vector>

#include "platform/storage.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/rng.h"
#include "rules/runes.h"

namespace sample {

inline rpg::ItemInstance rolledItem(const rpg::ItemDef& def, std::int32_t level, rpg::Rng& rng) {
    rpg::MakeItemOpts opts;
    opts.level = level;
    opts.levelGiven = true;
    return rpg::makeItem(def.id, opts, &rng);
}

inline store::Meta largeProgress(std::uint32_t seed = 7) {
    rpg::Rng rng{seed};
    std::array<std::vector<const rpg::ItemDef*>, rpg::kEquipSlotCount> bySlot;
    std::vector<const rpg::ItemDef*> all;
    for (const rpg::ItemDef& def : rpg::items()) {
        all.push_back(&def);
        rpg::EquipSlot slot;
        if (rpg::slotFor(def, &slot)) bySlot[static_cast<std::size_t>(slot)].push_back(&def);
    }
    bySlot[static_cast<std::size_t>(rpg::EquipSlot::Ring2)] = bySlot[static_cast<std::size_t>(rpg::EquipSlot::Ring1)];
    auto pick = [&rng](const std::vector<const rpg::ItemDef*>& pool) { return pool[rng.index(static_cast<int>(pool.size()))]; };

    store::Meta m;
    m.initialized = true;
    m.gold = 123456.75;
    m.bestDepth = 8;
    m.ascension = 4;
    for (int i = 0; i < 40; ++i) {
        rpg::Hero h = rpg::makeHero(static_cast<rpg::ClassId>(i % rpg::kClassCount), "", 1 + i * 7);
        for (std::size_t s = 0; s < bySlot.size(); ++s) h.equipment.slots[s] = rolledItem(*pick(bySlot[s]), h.level, rng);
        h.bag.clear();
        for (int k = 0; k < 12; ++k) h.bag.push_back(rolledItem(*pick(all), h.level, rng));
        h.xp = 17.25 * i;
        h.alloc.atk = 1.5 * i;
        h.alloc.crit = 0.1 * i;
        for (const std::string& skill : rpg::unlockedSkills(h)) h.skillLevels[skill] = 1 + i % 5;
        h.row = static_cast<std::uint8_t>(i % 2);
        m.roster.push_back(std::move(h));
    }
    for (int i = 0; i < 5; ++i) m.partyIds.push_back(m.roster[static_cast<std::size_t>(i * 3)].id);
    for (int k = 0; k < 200; ++k) m.stash.push_back(rolledItem(*pick(all), 1 + k, rng));
    for (int k = 0; k < 24; ++k) m.runeInventory.push_back(rpg::rollRunestone(k, rng));
    for (int s = 0; s < rpg::kStatCount; ++s) {
        rpg::Runestone stone = rpg::rollRunestone(s * 2, rng);
        stone.stat = static_cast<rpg::StatId>(s);
        m.runeCircle.filled[static_cast<std::size_t>(s)] = true;
        m.runeCircle.stones[static_cast<std::size_t>(s)] = stone;
    }
    return m;
}

} // namespace sample
