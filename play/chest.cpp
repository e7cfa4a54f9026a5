#include "play/chest.h"

#include <algorithm>
#include <span>

#include "play/detail.h"
#include "play/party.h"
#include "platform/storage.h"
#include "rules/rng.h"

namespace play {
namespace {

// The row of the node (the last node of that id), at least 0.
int nodeDepth(const std::string& nodeId) {
    int row = 0;
    for (const rpg::MapNode& n : store::run().map.nodes) {
        if (n.id == nodeId) row = std::max(0, n.row);
    }
    return row;
}

bool canTake(ChestKind kind, const std::string& nodeId) {
    const rpg::RunState& run = store::run();
    if (!run.active || !rpg::nodeById(run.map, nodeId)) return false;
    switch (kind) {
    case ChestKind::Treasure: return !rpg::isCleared(run, nodeId);
    case ChestKind::Lucky: return true;  // its game cleared the node as it was won
    case ChestKind::Boss: return rpg::isCleared(run, nodeId);
    }
    return false;
}

} // namespace

ChestLoot rollChest(ChestKind kind, const std::string& nodeId, int bossDepth) {
    const std::vector<rpg::Hero> party = partyCopies();
    const bool boss = kind == ChestKind::Boss;
    const int depth = boss ? bossDepth : nodeDepth(nodeId);
    rpg::LootCtx ctx = rpg::partyLootCtx(party, depth, store::meta().ascension);
    const std::string seed = std::to_string(store::run().seed);
    ChestLoot loot;
    rpg::LootResult chest;
    if (boss) {
        ctx.depth = depth + 4;
        rpg::Rng rng = rpg::rngFromText(seed + "-boss-" + std::to_string(depth));
        chest = rpg::rollTreasure(ctx, rng, rpg::LootQuality::Jackpot);
        rpg::Rng runeRng = rpg::rngFromText(seed + "-bossrune-" + std::to_string(depth));
        loot.rune = rpg::rollRunestone(depth, runeRng);
    } else if (kind == ChestKind::Lucky) {
        ctx.depth = depth + 2;
        rpg::Rng rng = rpg::rngFromText(seed + "-luck-" + nodeId);
        chest = rpg::rollTreasure(ctx, rng, rpg::LootQuality::Jackpot);
    } else {
        rpg::Rng rng = rpg::rngFromText(seed + "-tr-" + nodeId);
        chest = rpg::rollTreasure(ctx, rng);
    }
    loot.items = std::move(chest.items);
    loot.gold = chest.gold;
    loot.outcome = chest.quality;
    return loot;
}

ChestTake takeChest(ChestKind kind, const std::string& nodeId, int bossDepth, const ChestLoot& loot) {
    ChestTake take;
    if (!canTake(kind, nodeId)) {
        take.result = refused(Sound::None);
        return take;
    }
    store::Meta& meta = store::meta();
    rpg::RunState& run = store::run();
    rpg::Hero* bagOwner = detail::bagRecipient();
    for (const rpg::ItemInstance& item : loot.items) {
        const rpg::ItemDef* def = rpg::findItem(item.defId);
        if (def && def->slot == rpg::ItemSlot::Consumable && bagOwner) bagOwner->bag.push_back(item);
        else run.inventory.push_back(item);
    }
    meta.gold = addedGold(meta.gold, loot.gold);
    run.gold = addedGold(run.gold, loot.gold);
    if (kind == ChestKind::Boss) {
        if (loot.rune.value > 0) meta.runeInventory.push_back(loot.rune);
        take.run = detail::endRun(true, bossDepth);
    } else {
        detail::markNodeDone(nodeId);
    }
    store::saveMetaAndRun();
    take.result = done(Sound::Coin, kind == ChestKind::Boss ? Next::RunResult : Next::Back);
    return take;
}

} // namespace play
