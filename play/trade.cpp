#include "play/trade.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <span>

#include "play/detail.h"
#include "play/party.h"
#include "platform/storage.h"
#include "rules/leveling.h"
#include "rules/loot.h"
#include "rules/rng.h"
#include "rules/runes.h"
#include "rules/skills.h"

namespace play {
namespace {

struct KindRow {
    const char* seedWord;  // null: no stock
    rpg::Merchant merchant;
};
constexpr KindRow kKinds[] = {
    {"weapon", rpg::Merchant::Weaponsmith},
    {"armor", rpg::Merchant::Armorer},
    {"apothecary", rpg::Merchant::Apothecary},
    {nullptr, rpg::Merchant::Wanderer},  // the tavern rolls nothing
    {"wander", rpg::Merchant::Wanderer},
};

double meanLevel(std::span<const rpg::Hero> heroes) {
    double sum = 0;
    for (const rpg::Hero& hero : heroes) sum += hero.level;
    return heroes.empty() ? 0 : sum / static_cast<double>(heroes.size());
}

// A whole number as the seed texts write it: no fraction, no grouping.
std::string wholeText(double v) { return std::to_string(static_cast<long long>(std::llround(v))); }

// The deepest of the node's row (the last node of that id counts) and the
// run's depth.
std::int32_t runShopDepth(const rpg::RunState& run, const std::string& nodeId) {
    std::int32_t row = 0;
    for (const rpg::MapNode& node : run.map.nodes) {
        if (node.id == nodeId) row = node.row;
    }
    return std::max(row, run.depth);
}

// Consumables go to the bag of the party hero who carries least; the rest to
// the run's inventory, or the stash in the city.
void stowItem(rpg::ItemInstance item, bool inRun) {
    const rpg::ItemDef* def = rpg::findItem(item.defId);
    if (def && def->slot == rpg::ItemSlot::Consumable) {
        if (rpg::Hero* hero = detail::bagRecipient()) {
            hero->bag.push_back(std::move(item));
            return;
        }
    }
    (inRun ? store::run().inventory : store::meta().stash).push_back(std::move(item));
}

} // namespace

bool shopNodeOpensScrollShop(std::string_view nodeId) {
    std::uint32_t h = 0;
    for (const char c : nodeId) h = h * 31 + static_cast<unsigned char>(c);
    return (h % 1000) / 1000.0 < 0.4;
}

std::vector<rpg::ItemInstance> shopStock(int kind, const std::string& nodeId) {
    if (kind < 0 || kind > kShopWanderer) return {};
    const KindRow& row = kKinds[kind];
    if (!row.seedWord) return {};
    const std::vector<rpg::Hero> party = partyCopies();
    if (party.empty()) return {};
    const store::Meta& meta = store::meta();
    std::int32_t depth = meta.bestDepth;
    std::string seedText;
    if (!nodeId.empty()) {
        depth = runShopDepth(store::run(), nodeId);
        seedText = std::to_string(store::run().seed) + "-" + nodeId;
    } else {
        seedText = std::string("shop-") + row.seedWord + "-" + wholeText(meta.bestDepth) + "-" +
                   wholeText(std::round(meanLevel(party)));
    }
    const rpg::LootCtx ctx = rpg::partyLootCtx(party, depth, static_cast<double>(meta.ascension));
    rpg::Rng rng = rpg::rngFromText(seedText);
    return rpg::rollShopOffers(row.merchant, ctx, rng);
}

Result buyOffer(const rpg::ItemInstance& offer, bool inRun) {
    store::Meta& meta = store::meta();
    const double price = rpg::buyPrice(offer);
    if (price > meta.gold) return refused();
    const bool run = inRun && store::hasRun();
    meta.gold -= price;
    stowItem(rpg::cloneItem(offer), run);  // the offer stays on the shelf
    if (run) store::saveMetaAndRun();
    else store::saveMeta();
    return done(Sound::Success);
}

Result sellFromStash(std::size_t index, const std::string& uid) {
    store::Meta& meta = store::meta();
    if (index >= meta.stash.size() || meta.stash[index].uid != uid) return refused(Sound::None);
    meta.gold = addedGold(meta.gold, rpg::sellPrice(meta.stash[index]));
    meta.stash.erase(meta.stash.begin() + static_cast<std::ptrdiff_t>(index));
    store::saveMeta();
    return done(Sound::Place);
}

Result trainSkill(const std::string& heroId, const SkillOffer& offer) {
    store::Meta& meta = store::meta();
    rpg::Hero* hero = store::heroById(heroId);
    const rpg::SkillDef* skill = rpg::findSkill(offer.skillId);
    if (!hero || !skill || offer.price < 0 || meta.gold < offer.price) return refused(Sound::None);
    const int level = offer.learn ? 0 : rpg::skillLevel(*hero, offer.skillId);
    if (level != offer.level || (!offer.learn && (level < 1 || level >= rpg::maxSkillLevel(*skill))))
        return refused(Sound::None);
    if (offer.learn && rpg::skillLevel(*hero, offer.skillId) >= 1) return refused(Sound::None);
    meta.gold -= offer.price;
    hero->skillLevels[offer.skillId] = level + 1;
    store::saveMeta();
    return done(Sound::Success);
}

Result socketRune(std::size_t index) {
    store::Meta& meta = store::meta();
    if (index >= meta.runeInventory.size()) return refused(Sound::None);
    const rpg::Runestone stone = meta.runeInventory[index];
    meta.runeInventory.erase(meta.runeInventory.begin() + static_cast<std::ptrdiff_t>(index));
    const int slot = rpg::runeSlot(stone.stat);
    if (meta.runeCircle.filled[slot]) meta.runeInventory.push_back(meta.runeCircle.stones[slot]);
    meta.runeCircle.filled[slot] = true;
    meta.runeCircle.stones[slot] = stone;
    store::saveMeta();
    return done(Sound::Star2);
}

Result unsocketRune(int socket) {
    store::Meta& meta = store::meta();
    if (socket < 0 || socket >= rpg::kStatCount || !meta.runeCircle.filled[socket]) return refused(Sound::None);
    meta.runeInventory.push_back(meta.runeCircle.stones[socket]);
    meta.runeCircle.filled[socket] = false;
    meta.runeCircle.stones[socket] = rpg::Runestone{};
    store::saveMeta();
    return done(Sound::Click);
}

Result sellRune(std::size_t index) {
    store::Meta& meta = store::meta();
    if (index >= meta.runeInventory.size()) return refused(Sound::None);
    meta.gold = addedGold(meta.gold, rpg::runeSellValue(meta.runeInventory[index]));
    meta.runeInventory.erase(meta.runeInventory.begin() + static_cast<std::ptrdiff_t>(index));
    store::saveMeta();
    return done(Sound::Coin);
}

} // namespace play
