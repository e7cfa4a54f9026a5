#pragma once
// Trade in the city and on the map: the merchants' stock, buying and
// selling, the spell shops' lessons and the rune tower's stones. Each deal is
// checked, paid and saved at once.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "play/outcome.h"
#include "rules/items.h"

namespace play {

// A shop node opens the scroll shop or the wandering merchant by a hash of
// its id, so the same node always opens the same shop.
bool shopNodeOpensScrollShop(std::string_view nodeId);

// The merchants, numbered as the merchant screen's kinds.
enum ShopKind : int {
    kShopWeaponsmith = 0,
    kShopArmorer = 1,
    kShopApothecary = 2,
    kShopTavern = 3,
    kShopWanderer = 4,
};

// The stock a shop of `kind` rolls: for a run node (non-empty id) from the
// run seed and the node, in the city from the kind, the best depth and the
// party's mean level, so the same place offers the same goods again. Empty
// for the tavern, for a kind outside 0-4 and without a party hero.
std::vector<rpg::ItemInstance> shopStock(int kind, const std::string& nodeId);

// Pays the offer's price from the lasting gold and stows a copy under a
// fresh uid (the offer stays on the shelf): a consumable in the bag of the
// party hero who carries least, anything else in the run's inventory inside
// a run or the stash in the city. Success; Error when the gold is short.
Result buyOffer(const rpg::ItemInstance& offer, bool inRun);
// Stash entry `index`, which must still be the item `uid`, is sold for its
// sell price: Place. Refused (no sound) when the entry is gone.
Result sellFromStash(std::size_t index, const std::string& uid);

// A skill the spell shop offers a hero at a price: to learn (from level 0)
// or to raise from `level`.
struct SkillOffer {
    std::string skillId;
    bool learn = false;
    int level = 0;
    double price = 0;
};
// The lesson, paid from the lasting gold: Success. Refused (no sound) when
// the hero or skill is unknown, the hero's level of the skill is not the
// offer's (or already the highest), or the gold is short.
Result trainSkill(const std::string& heroId, const SkillOffer& offer);

// The rune tower. A stone of the inventory goes into the socket of its
// stat, sending a stone already there back to the inventory (Star2); a
// socketed stone goes back to the inventory (Click); a stone of the
// inventory is sold for its value (Coin). Refused (no sound) for an index
// or socket that holds nothing.
Result socketRune(std::size_t index);
Result unsocketRune(int socket);
Result sellRune(std::size_t index);

} // namespace play
