// What each screen is pictured with: a party of four with worn gear, a
// stash and runestones; a run on its map; fights, chests and games played
// to the moment a player would look at them.
#include <SDL.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <vector>

#include "fx/fx.h"
#include "play/party.h"
#include "platform/storage.h"
#include "rules/classes.h"
#include "rules/combat.h"
#include "rules/encounters.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/map.h"
#include "rules/monsters.h"
#include "rules/run.h"
#include "rules/runes.h"
#include "screens/battle.h"
#include "screens/herosel_layout.h"
#include "screens/minigames.h"
#include "screens/minigames_layout.h"
#include "screens/rest_layout.h"
#include "screens/shop_layout.h"
#include "tools/screenshots/stage.h"
#include "ui/game_ui.h"
#include "ui/screens.h"
#include "ui/widgets.h"

namespace stage {
namespace {

using rpg::ClassId;
using rpg::EquipSlot;

// --- Heroes and their gear ---------------------------------------------------

bool fitsClass(const rpg::ItemDef& def, ClassId cls) { return (def.classMask >> static_cast<int>(cls)) & 1; }

// The rarest catalogue piece of the slot that the hero's class may wear and
// its level has reached; set pieces are left to heroes who are given them.
const rpg::ItemDef* bestFor(const rpg::Hero& h, EquipSlot want) {
    const rpg::ItemDef* best = nullptr;
    for (const rpg::ItemDef& def : rpg::items()) {
        EquipSlot slot{};
        if (def.setId || !rpg::slotFor(def, &slot) || !fitsClass(def, h.cls)) continue;
        if (slot == EquipSlot::Ring1 && want == EquipSlot::Ring2) slot = EquipSlot::Ring2;
        if (slot != want || rpg::rarityBaseLevel(def.rarity) > h.level) continue;
        if (!best || def.rarity > best->rarity) best = &def;
    }
    return best;
}

// Fills every empty slot the hero can fill; a two-handed weapon keeps the
// off hand empty.
void gearUp(rpg::Hero& h) {
    for (int i = 0; i < rpg::kEquipSlotCount; ++i) {
        const auto slot = static_cast<EquipSlot>(i);
        if (!h.equipment[slot].uid.empty()) continue;
        if (slot == EquipSlot::OffHand) {
            const rpg::ItemDef* main = rpg::findItem(h.equipment[EquipSlot::MainHand].defId);
            if (main && main->twoHanded) continue;
        }
        if (const rpg::ItemDef* def = bestFor(h, slot)) h.equipment[slot] = rpg::makeItem(def->id);
    }
}

rpg::Hero hero(ClassId cls, int level) {
    rpg::Hero h = rpg::makeHero(cls, "", level);
    h.equipment = rpg::Equipment{};
    gearUp(h);
    return h;
}

// A warrior in a set with a reached and a next tier, with an affixed amulet,
// points to spend and potions in the bag.
rpg::Hero setWarrior() {
    rpg::Hero h = rpg::makeHero(ClassId::Warrior, "", 14);
    h.equipment = rpg::Equipment{};
    for (const char* id : {"primAxe", "primHelmHeavy", "primArmorHeavy", "primBeltHeavy", "primBootsHeavy",
                           "primRingHeavy"}) {
        EquipSlot slot{};
        if (const rpg::ItemDef* def = rpg::findItem(id); def && rpg::slotFor(*def, &slot)) {
            h.equipment[slot] = rpg::makeItem(id);
        }
    }
    rpg::ItemInstance amulet = rpg::makeItem("primAmuletLight");
    amulet.affixes.push_back({1, 4, rpg::StatusKind::Poison});
    amulet.affixes.push_back({2, 25, rpg::StatusKind::Burn});
    h.equipment[EquipSlot::Amulet] = amulet;
    h.xp = 180;
    h.points = 5;
    h.bag = {rpg::makeItem("potionHp"), rpg::makeItem("potionHp"), rpg::makeItem("potionMp")};
    return h;
}

void formParty(std::vector<rpg::Hero> heroes, int members) {
    store::Meta& meta = store::meta();
    meta.initialized = true;
    meta.roster = std::move(heroes);
    meta.partyIds.clear();
    for (int i = 0; i < members && i < static_cast<int>(meta.roster.size()); ++i) {
        meta.partyIds.push_back(meta.roster[static_cast<std::size_t>(i)].id);
    }
    store::saveMeta();
}

// The party most pictures show: four heroes after two won runs, with gold,
// a stash and two socketed runestones.
void standardParty() {
    formParty({setWarrior(), hero(ClassId::Mage, 13), hero(ClassId::Cleric, 12), hero(ClassId::Archer, 13)}, 4);
    store::Meta& meta = store::meta();
    meta.ascension = 2;
    meta.gold = 12345;
    meta.bestDepth = 6;
    meta.stash = {rpg::makeItem("ironSword"), rpg::makeItem("etRingHeavy"), rpg::makeItem("ironShield"),
                  rpg::makeItem("greataxe"),  rpg::makeItem("potionHp"),    rpg::makeItem("superPotionHp"),
                  rpg::makeItem("arcaneStaff")};
    meta.stash[1].affixes.push_back({0, 3, rpg::StatusKind::Poison});
    meta.runeCircle.filled[rpg::Atk] = true;
    meta.runeCircle.stones[rpg::Atk] = {"rune-atk-1-000001", rpg::Atk, 6};
    meta.runeCircle.filled[rpg::MaxHp] = true;
    meta.runeCircle.stones[rpg::MaxHp] = {"rune-maxHp-1-000002", rpg::MaxHp, 40};
    rpg::Rng rng{99};
    for (int i = 0; i < 6; ++i) meta.runeInventory.push_back(rpg::rollRunestone(3 + i, rng));
    store::saveMeta();
}

// --- Runs --------------------------------------------------------------------

void beginRun(std::uint32_t seed) {
    store::run() = rpg::createRun(play::partyCopies(), seed, rpg::runeBonus(store::meta().runeCircle),
                                  store::meta().ascension);
    store::run().gold = 340;
    store::saveRun();
}

// Plays rows 0 to last as the screens settle nodes: a fight row is cleared
// whole, a reward row by its first node; the party stands on the last node
// taken, a little worn.
void walkThrough(int last) {
    rpg::RunState& run = store::run();
    for (int r = 0; r <= last; ++r) {
        for (const rpg::MapNode* n : rpg::nodesInRow(run.map, r)) {
            run.cleared.push_back(n->id);
            run.pos = n->id;
            if (rpg::isRewardRow(run.map, r)) break;
        }
        run.depth = r;
    }
    run.party[0].hp *= 0.55;
    run.party[1].hp *= 0.3;
    run.party[1].mp *= 0.4;
    store::saveRun();
}

rpg::MapNode* firstInRow(int row) {
    for (rpg::MapNode& n : store::run().map.nodes) {
        if (n.row == row) return &n;
    }
    return &store::run().map.nodes.front();
}

const rpg::MapNode* firstOfType(rpg::NodeType type) {
    for (const rpg::MapNode& n : store::run().map.nodes) {
        if (n.type == type) return &n;
    }
    return nullptr;
}

ui::GameState nodeEntry(int screen, const std::string& nodeId, rpg::NodeType type) {
    ui::GameState s = entry(screen);
    s.nodeId = nodeId;
    s.nodeType = static_cast<std::uint8_t>(type);
    return s;
}

// --- Hub screens -------------------------------------------------------------

void splash(Window& win) {
    openStack({entry(ui::kSplash)});
    win.runFor(1.2);
}

void menu(Window& win) {
    standardParty();
    openStack({entry(ui::kMenu)});
    win.setStep(1.0 / 30);
    win.runFor(1.5);
}

void heroSelect(Window& win) {
    openStack({entry(ui::kMenu), entry(ui::kHeroSelect)});
    win.frame();
    const ui::HeroSelectLayout l = ui::heroSelectLayout(win.ctx(), ui::kHeaderHeight * win.scale());
    win.click(l.cards[0]);
    win.click(l.cards[4]);
    win.moveTo(-1, -1);
    win.runFor(0.3);
}

void city(Window& win) {
    standardParty();
    openStack({entry(ui::kMenu), entry(ui::kCity)});
    win.runFor(0.6);
}

void overCity(int screen, Window& win) {
    standardParty();
    openStack({entry(ui::kMenu), entry(ui::kCity), entry(screen)});
    win.runFor(0.5);
}

void party(Window& win) { overCity(ui::kParty, win); }

void partyBottom(Window& win) {
    overCity(ui::kParty, win);
    win.moveTo(win.width() / 2, win.height() * 0.7);
    for (int i = 0; i < 12; ++i) win.wheel(-5);
    win.runFor(1.5);
}

void barracks(Window& win) {
    standardParty();
    store::Meta& meta = store::meta();
    for (ClassId cls : {ClassId::Rogue, ClassId::Vampire, ClassId::Dieb, ClassId::Druide}) {
        meta.roster.push_back(hero(cls, 6));
    }
    store::saveMeta();
    openStack({entry(ui::kMenu), entry(ui::kCity), entry(ui::kKaserne)});
    win.runFor(0.5);
}

void scrollShop(Window& win) { overCity(ui::kScrollShop, win); }
void trainer(Window& win) { overCity(ui::kTrainer, win); }
void runeTower(Window& win) { overCity(ui::kRuneTower, win); }
void settings(Window& win) { overCity(ui::kSettings, win); }
void about(Window& win) { overCity(ui::kAbout, win); }
void licences(Window& win) { overCity(ui::kLicenses, win); }

void showMap(Window& win, int lastRow) {
    standardParty();
    beginRun(20240611);
    walkThrough(lastRow);
    openStack({entry(ui::kMenu), entry(ui::kCity), entry(ui::kMap)});
    win.runFor(1.6);
}

void mapMidway(Window& win) { showMap(win, 3); }

// --- Shops -------------------------------------------------------------------

ui::GameState shopEntry(int kind) {
    ui::GameState s = entry(ui::kShop);
    s.subMode = kind;
    return s;
}

void cityShop(Window& win, int kind) {
    standardParty();
    openStack({entry(ui::kCity), shopEntry(kind)});
    win.runFor(0.5);
}

void weaponsmith(Window& win) { cityShop(win, play::kShopWeaponsmith); }
void apothecary(Window& win) { cityShop(win, play::kShopApothecary); }

void armorerSelling(Window& win) {
    cityShop(win, play::kShopArmorer);
    const double s = win.scale();
    win.click(win.width() / 2 + 60 * s, ui::kHeaderHeight * s + 32 * s + 19 * s);  // the sell tab
    win.moveTo(-1, -1);
    win.runFor(0.4);
}

// A run with one hero wounded and one fallen, at the tavern.
void woundedAtTavern(Window& win) {
    beginRun(5);
    store::run().party[1].hp *= 0.2;
    store::run().party[2].hp = 0;
    store::saveRun();
    openStack({entry(ui::kCity), shopEntry(play::kShopTavern)});
    win.runFor(0.5);
}

void tavern(Window& win) {
    standardParty();
    store::meta().roster.push_back(hero(ClassId::Rogue, 5));
    store::saveMeta();
    woundedAtTavern(win);
}

// The same with too little gold for any service: the greyed plates.
void tavernPoor(Window& win) {
    standardParty();
    store::meta().gold = 5;
    store::saveMeta();
    woundedAtTavern(win);
}

// The merchant of a shop node in a run, four rows in.
void wanderer(Window& win) {
    standardParty();
    beginRun(77);
    walkThrough(3);
    rpg::MapNode& node = *firstInRow(4);
    node.type = rpg::NodeType::Shop;
    store::saveRun();
    ui::GameState shop = nodeEntry(ui::kShop, node.id, rpg::NodeType::Shop);
    shop.subMode = play::kShopWanderer;
    openStack({entry(ui::kCity), entry(ui::kMap), shop});
    win.runFor(0.5);
}

// --- Battle ------------------------------------------------------------------

ui::BattleScreen* liveBattle() { return dynamic_cast<ui::BattleScreen*>(ui::Game::instance().current()); }

bool heroToAct(const ui::battle::Scene& sc) {
    const rpg::Combatant* actor = rpg::currentActor(sc.state);
    return sc.state.outcome == rpg::OutcomeRunning && actor && actor->side == rpg::Side::Heroes &&
           !sc.pending.armed;
}

// Six heroes of six classes, armed and geared; the party of a long career.
void sixHeroes() {
    formParty({setWarrior(), hero(ClassId::Rogue, 13), hero(ClassId::Vampire, 12), hero(ClassId::Mage, 14),
               hero(ClassId::Cleric, 12), hero(ClassId::Archer, 13)},
              6);
    store::meta().ascension = 6;
    store::saveMeta();
}

void startBattle(Window& win, int row, rpg::NodeType type) {
    beginRun(2024);
    store::run().depth = row;
    store::saveRun();
    const std::string node = rpg::nodesInRow(store::run().map, row).front()->id;
    openStack({entry(ui::kCity), entry(ui::kMap), nodeEntry(ui::kBattle, node, type)});
    win.frame();
}

// The box of command button i of the acting hero: 1 skills, 2 items.
void openBox(Window& win, int i) {
    const double s = win.scale();
    const ui::Rect r = ui::battle::commandButton(win.width(), win.height(), s, i);
    win.click(r.x + r.w / 2, r.y + r.h / 2);
    win.moveTo(win.width() / 2, win.height() - ui::battle::kPanelH * s - 20 * s);
}

// A few exchanges of blows, then the mage's turn, the last numbers still
// rising and a bolt on its way.
void reachMageTurn(Window& win) {
    sixHeroes();
    win.setStep(0.05);
    startBattle(win, 5, rpg::NodeType::Elite);
    // The chips stand from the start, so the words of the exchanges rise
    // clear of them as they would of chips a fight gave.
    const auto chips = [](int rounds) {
        ui::battle::Scene& sc = liveBattle()->scene();
        sc.state.combatants[1].statuses = {{rpg::StatusKind::Poison, rounds, 3}, {rpg::StatusKind::AtkUp, rounds + 1, 4}};
        sc.state.combatants[4].statuses = {{rpg::StatusKind::Shield, rounds, 10}, {rpg::StatusKind::Regen, rounds - 1, 5}};
    };
    if (liveBattle()) chips(9);
    int turns = 0;
    for (int i = 0; i < 2000; ++i) {
        ui::BattleScreen* b = liveBattle();
        if (!b) return;
        ui::battle::Scene& sc = b->scene();
        const bool mage = heroToAct(sc) && rpg::currentActor(sc.state)->sprite == "mage";
        if (mage && turns > 4 && !sc.floats.empty()) break;
        if (heroToAct(sc)) {
            ui::battle::act(sc, win.ctx(), "attack", {ui::battle::preferredEnemy(sc)});
            ++turns;
        }
        win.frame();
    }
    if (liveBattle()) chips(2);
}

// The mage's turn with its skills box open.
void battleMidFight(Window& win) {
    reachMageTurn(win);
    openBox(win, 1);
}

// The mage's bag open: more items than the box holds, so it turns pages,
// and a sword among them that is no use in a battle.
void battleBag(Window& win) {
    reachMageTurn(win);
    ui::BattleScreen* b = liveBattle();
    if (!b) return;
    if (rpg::Hero* mage = store::heroById(rpg::currentActor(b->scene().state)->heroId)) {
        mage->bag.clear();
        for (const char* id : {"potionHp", "rustySword", "greaterPotionMp", "elixir", "antidote", "tonicAtk",
                               "tonicDef", "superPotionHp", "trompetchen", "potionMp"})
            mage->bag.push_back(rpg::makeItem(id));
    }
    openBox(win, 2);
}

// The boss of the run's last row, the party of four facing it.
void battleBoss(Window& win) {
    standardParty();
    win.setStep(0.05);
    beginRun(2024);
    const rpg::MapNode* boss = firstOfType(rpg::NodeType::Boss);
    if (!boss) return;
    store::run().depth = boss->row;
    store::saveRun();
    openStack({entry(ui::kCity), entry(ui::kMap), nodeEntry(ui::kBattle, boss->id, rpg::NodeType::Boss)});
    win.runFor(1.0);
}

// --- After a fight -------------------------------------------------------------

ui::GameState rewardEntry() {
    standardParty();
    std::vector<rpg::Hero*> heroes = store::partyHeroes();
    ui::GameState s = entry(ui::kReward);
    s.nodeId = "n3_1";
    s.gold = 1240;
    s.depth = 3;
    const int gains[] = {260, 95, 310, 120};
    for (std::size_t i = 0; i < heroes.size(); ++i) {
        const int before = heroes[i]->level;
        const int after = before + (i % 2 == 0 ? 1 : 0);
        heroes[i]->level = after;
        s.xpRows.push_back({heroes[i]->id, static_cast<double>(gains[i % 4]), before, after});
    }
    store::saveMeta();
    return s;
}

void rewardAt(Window& win, double seconds) {
    const ui::GameState s = rewardEntry();
    beginRun(31);
    openStack({entry(ui::kCity), entry(ui::kMap), s});
    win.setStep(0.05);
    win.runFor(seconds);
}

void rewardLevelUp(Window& win) { rewardAt(win, 1.3); }
void reward(Window& win) { rewardAt(win, 3.0); }

void rest(Window& win) {
    standardParty();
    beginRun(21);
    walkThrough(1);
    store::run().party[2].hp = 0;  // one fallen, whom the rest brings back
    store::saveRun();
    const rpg::MapNode* node = firstOfType(rpg::NodeType::Rest);
    openStack({entry(ui::kCity), entry(ui::kMap),
               nodeEntry(ui::kRest, node ? node->id : "n2_0", rpg::NodeType::Rest)});
    win.runFor(0.6);
}

void openChest(Window& win, ui::GameState chest) {
    openStack({entry(ui::kCity), entry(ui::kMap), chest});
    win.setStep(0.05);
    win.runFor(0.3);
    win.click(win.width() / 2, win.height() - 80 * win.scale());
    win.moveTo(-1, -1);
    win.runFor(3.5);
}

void treasure(Window& win) {
    standardParty();
    beginRun(4);
    const rpg::MapNode* node = firstOfType(rpg::NodeType::Treasure);
    openChest(win, nodeEntry(ui::kTreasure, node ? node->id : "n2_0", rpg::NodeType::Treasure));
}

void bossChest(Window& win) {
    standardParty();
    beginRun(4);
    walkThrough(7);
    ui::GameState chest = nodeEntry(ui::kTreasure, "n8_0", rpg::NodeType::Boss);
    chest.boss = true;
    chest.depth = 8;
    openChest(win, chest);
}

void runResult(Window& win, bool lost) {
    standardParty();
    beginRun(33);
    store::run().depth = lost ? 5 : 8;
    store::run().gold = 2345;
    store::saveRun();
    ui::GameState s = entry(ui::kRunResult);
    s.lost = lost;
    s.depth = lost ? 0 : 8;
    for (const rpg::PartyMember& m : store::run().party) s.runHeroIds.push_back(m.heroId);
    openStack({entry(ui::kCity), s});
    win.setStep(0.05);
    win.runFor(lost ? 4.0 : 1.6);
}

void victory(Window& win) { runResult(win, false); }
void defeat(Window& win) { runResult(win, true); }

// --- Minigames -----------------------------------------------------------------

// A run whose first row holds the game, the party on it, the game over the
// map; its loose draws come from `seed`.
void openGame(Window& win, int screen, rpg::NodeType type, std::uint32_t seed) {
    standardParty();
    beginRun(4242);
    rpg::MapNode* node = firstInRow(0);
    node->type = type;
    store::run().pos = node->id;
    store::saveRun();
    openStack({entry(ui::kCity), entry(ui::kMap), nodeEntry(screen, node->id, type)});
    ui::MiniTable::seedLoose(seed);
    win.setStep(0.05);
    win.frame();
}

const ui::MiniTable& game() { return *ui::minigameTable(ui::Game::instance().current()); }

template <typename Pred>
std::uint32_t findSeed(Pred pred) {
    for (std::uint32_t seed = 1;; ++seed) {
        rpg::Rng rng{seed};
        if (pred(rng)) return seed;
    }
}

void diceRolling(Window& win, bool toTheEnd) {
    openGame(win, ui::kDice, rpg::NodeType::Dice,
             findSeed([](rpg::Rng& r) { return play::diceWon(play::rollDice(r)); }));
    win.click(ui::diceLayout(win.width(), win.scale(), game().playArea()).button);
    win.moveTo(-1, -1);
    win.runFor(toTheEnd ? 5.5 : 2.5);
}
void dice(Window& win) { diceRolling(win, false); }
void diceWon(Window& win) { diceRolling(win, true); }

void coin(Window& win, bool toTheEnd) {
    openGame(win, ui::kCoin, rpg::NodeType::Coin, findSeed([](rpg::Rng& r) { return play::tossHeads(r); }));
    const ui::CoinLayout l = ui::coinLayout(win.width(), win.height(), win.scale(), game().playArea(), false);
    win.click(l.cards[0]);
    win.click(l.button);
    win.moveTo(-1, -1);
    win.runFor(toTheEnd ? 3.2 : 0.75);
}
void coinTossing(Window& win) { coin(win, false); }
void coinWon(Window& win) { coin(win, true); }

void shell(Window& win, bool pick) {
    const std::uint32_t seed = 5;
    openGame(win, ui::kShell, rpg::NodeType::Shell, seed);
    if (!pick) {
        win.runFor(1.7);
        return;
    }
    rpg::Rng rng{seed};
    const play::ShellDeal deal = play::dealShell(rng, 0);
    win.runFor(6.5);
    const std::array<int, 3> order = play::cupsAfter(deal, deal.swapCount);
    const auto prize = std::find(order.begin(), order.end(), deal.prizeCup) - order.begin();
    const ui::ShellLayout l = ui::shellLayout(win.width(), win.scale(), game().playArea());
    win.click(l.cup(l.x[static_cast<std::size_t>(prize)], 0));
    win.moveTo(-1, -1);
    win.runFor(1.0);
}
void shellShuffling(Window& win) { shell(win, false); }
void shellWon(Window& win) { shell(win, true); }

// Which card of the deal shows the nth (0 or 1) of the pair.
int cardOf(const play::MemoryDeal& d, int pair, int nth) {
    for (int i = 0; i < play::kMemoryCards; ++i)
        if (d.cards[static_cast<std::size_t>(i)] == pair && nth-- == 0) return i;
    return 0;
}

// pairs: how many pairs are found; a mistake then ends the game.
void memory(Window& win, int pairs, bool mistake) {
    const std::uint32_t seed = 11;
    openGame(win, ui::kMemory, rpg::NodeType::Memory, seed);
    rpg::Rng rng{seed};
    const play::MemoryDeal d = play::dealMemory(rng);
    win.runFor(4.2);
    const ui::MemoryLayout l = ui::memoryLayout(win.width(), win.scale(), game().playArea());
    for (int pair = 0; pair < pairs; ++pair) {
        win.click(l.cardRect(cardOf(d, pair, 0)));
        win.click(l.cardRect(cardOf(d, pair, 1)));
    }
    if (mistake) {
        win.click(l.cardRect(cardOf(d, pairs, 0)));
        win.click(l.cardRect(cardOf(d, pairs + 1, 0)));
    }
    win.moveTo(-1, -1);
    win.runFor(mistake ? 1.5 : 1.0);
}
void memoryPlaying(Window& win) { memory(win, 2, false); }
void memoryLost(Window& win) { memory(win, 2, true); }
void memoryWon(Window& win) { memory(win, 6, false); }

void whack(Window& win, double after) {
    const std::uint32_t seed = 77;
    openGame(win, ui::kWhack, rpg::NodeType::Whack, seed);
    rpg::Rng rng{seed};
    const int monster = play::hideMonster(rng);
    auto layout = [&] {
        return ui::whackLayout(win.width(), win.scale(), game().playArea(), game().outcome() == ui::MiniOutcome::Playing);
    };
    win.click(layout().holeRect(monster));
    win.click(layout().button);
    win.moveTo(-1, -1);
    win.runFor(after);
}
void whackPeek(Window& win) { whack(win, 1.0); }
void whackWon(Window& win) { whack(win, 2.8); }

// clang-format off
constexpr Shot kShots[] = {
    {ui::kSplash, "splash", &splash},
    {ui::kMenu, "menu", &menu},
    {ui::kHeroSelect, "herosel", &heroSelect},
    {ui::kCity, "city", &city},
    {ui::kParty, "party", &party},
    {ui::kParty, "party-bottom", &partyBottom},
    {ui::kKaserne, "barracks", &barracks},
    {ui::kShop, "shop-weaponsmith", &weaponsmith},
    {ui::kShop, "shop-armorer-sell", &armorerSelling},
    {ui::kShop, "shop-apothecary", &apothecary},
    {ui::kShop, "shop-tavern", &tavern},
    {ui::kShop, "shop-tavern-poor", &tavernPoor},
    {ui::kShop, "shop-wanderer", &wanderer},
    {ui::kScrollShop, "scrollshop", &scrollShop},
    {ui::kTrainer, "trainer", &trainer},
    {ui::kRuneTower, "runetower", &runeTower},
    {ui::kMap, "map", &mapMidway},
    {ui::kMap, "map-deep", &mapAtDepth8},
    {ui::kBattle, "battle", &battleMidFight},
    {ui::kBattle, "battle-bag", &battleBag},
    {ui::kBattle, "battle-six", &busyBattle},
    {ui::kBattle, "battle-boss", &battleBoss},
    {ui::kReward, "reward-levelup", &rewardLevelUp},
    {ui::kReward, "reward", &reward},
    {ui::kRest, "rest", &rest},
    {ui::kTreasure, "treasure", &treasure},
    {ui::kTreasure, "treasure-boss", &bossChest},
    {ui::kRunResult, "runresult-victory", &victory},
    {ui::kRunResult, "runresult-defeat", &defeat},
    {ui::kDice, "dice", &dice},
    {ui::kDice, "dice-won", &diceWon},
    {ui::kShell, "shell", &shellShuffling},
    {ui::kShell, "shell-won", &shellWon},
    {ui::kMemory, "memory", &memoryPlaying},
    {ui::kMemory, "memory-lost", &memoryLost},
    {ui::kMemory, "memory-won", &memoryWon},
    {ui::kWhack, "whack", &whackPeek},
    {ui::kWhack, "whack-won", &whackWon},
    {ui::kCoin, "coin", &coinTossing},
    {ui::kCoin, "coin-won", &coinWon},
    {ui::kSettings, "settings", &settings},
    {ui::kAbout, "about", &about},
    {ui::kLicenses, "licenses", &licences},
};
// clang-format on

} // namespace

std::span<const Shot> shots() { return kShots; }

// --- The frame bench's busy screens --------------------------------------------

namespace {
int busyTurns = 0;  // the busy battle's turns so far: each picks the actor's next skill
} // namespace

void mapAtDepth8(Window& win) { showMap(win, 7); }

void partySheet(Window& win) { party(win); }

// Six heroes against six monsters of the deep rows, some of them under
// statuses, a few exchanges in.
void busyBattle(Window& win) {
    busyTurns = 0;
    sixHeroes();
    win.setStep(1.0 / 60);
    startBattle(win, 8, rpg::NodeType::Battle);
    ui::battle::Scene& sc = liveBattle()->scene();
    std::vector<const rpg::MonsterDef*> six;
    for (const char* id : {"frost_wolf", "hell_spider", "venom_serpent", "storm_eagle", "iron_golem", "orc"}) {
        if (const rpg::MonsterDef* m = rpg::findMonster(id)) six.push_back(m);
    }
    rpg::MonsterGroup group = rpg::buildMonsterCombatants(six, 8, sc.rng, 6, 13);
    sc.state = rpg::createBattle(rpg::buildHeroCombatants(sc.heroes, store::run().party, {}),
                                 std::move(group.combatants), group.rewardXp, group.rewardGold);
    win.frame();
    const rpg::StatusKind kinds[] = {rpg::StatusKind::Poison, rpg::StatusKind::Burn, rpg::StatusKind::Regen,
                                     rpg::StatusKind::Shield, rpg::StatusKind::Slow, rpg::StatusKind::AtkUp};
    for (std::size_t i = 0; i < sc.state.combatants.size(); ++i) {
        sc.state.combatants[i].statuses = {{kinds[i % 6], 3, 5}};
    }
    for (int i = 0; i < 30; ++i) {
        keepBattleBusy(win);
        win.frame();
    }
}

std::string battleInFlight() {
    ui::BattleScreen* b = liveBattle();
    if (!b) return {};
    const ui::battle::Scene& sc = b->scene();
    int heroes = 0, monsters = 0;
    for (const rpg::Combatant& c : sc.state.combatants) (c.side == rpg::Side::Heroes ? heroes : monsters)++;
    char line[256];
    std::snprintf(line, sizeof line,
                  "battle: %d heroes, %d monsters; in flight: %zu bursts, %zu bolts, %zu area, %zu auras, "
                  "%zu slashes, %zu floats",
                  heroes, monsters, sc.fx.burst.size(), sc.fx.proj.size(), sc.fx.aoe.size(), sc.fx.aura.size(),
                  sc.fx.slash.size(), sc.floats.size());
    return line;
}

// Heroes act at once, each time with the next of their skills; nobody falls
// or runs dry, so the fight never ends; and whatever the turns bring, a few
// bursts, a bolt, an area effect, an aura and rising numbers are in the air.
void keepBattleBusy(Window& win) {
    ui::BattleScreen* b = liveBattle();
    if (!b) return;
    ui::battle::Scene& sc = b->scene();
    ui::Ctx& ctx = win.ctx();
    for (rpg::Combatant& c : sc.state.combatants) {
        c.hp = std::max(c.hp, 0.6 * c.stats.maxHp);
        c.mp = c.stats.maxMp;
    }
    int& turn = busyTurns;
    if (heroToAct(sc)) {
        const rpg::Combatant& actor = *rpg::currentActor(sc.state);
        const std::string skill = actor.skills[static_cast<std::size_t>(turn++) % actor.skills.size()];
        std::vector<std::string> targets = rpg::legalTargets(sc.state, actor.id, skill);
        if (targets.size() > 1) targets.resize(1);
        ui::battle::act(sc, ctx, skill, targets);
    }
    const double now = ctx.now;
    const std::size_t n = sc.state.combatants.size();
    auto aim = [&](std::size_t i, double* x, double* y) {
        return ui::battle::posOf(sc, ctx, sc.state.combatants[i % n].id, x, y);
    };
    double x = 0, y = 0, tx = 0, ty = 0;
    for (std::size_t i = sc.fx.burst.size(); i < 4; ++i) {
        if (aim(static_cast<std::size_t>(turn) + i * 3, &x, &y))
            sc.fx.burst.push_back({now, x, y, 0xC2382F, 18, 40, true, i % 2 == 0});
    }
    if (sc.fx.proj.empty() && aim(static_cast<std::size_t>(turn), &x, &y) && aim(n - 1 - turn % n, &tx, &ty)) {
        sc.fx.proj.push_back({now, 0.5, x, y, tx, ty, 0xFF6A1A, 0xFFE08A, rpg::FormOrb, rpg::TrailEmber, 3, false});
    }
    if (sc.fx.aoe.empty() && aim(n - 1, &x, &y)) {
        sc.fx.aoe.push_back({now, ui::aoeDuration(rpg::AoERings), rpg::AoERings, rpg::VariantDefault, x, y,
                             300 * ctx.uiScale, 0x7FD4FF, 0xE8F8FF, 3});
    }
    if (sc.fx.aura.empty() && aim(static_cast<std::size_t>(turn) + 1, &x, &y)) {
        sc.fx.aura.push_back({now, x, y, rpg::AuraOrbit, 0xFFD24A, 0xFFF6D8, 3});
    }
    for (std::size_t i = sc.floats.size(); i < 6; ++i) {
        if (aim(i * 2 + 1, &x, &y)) ui::battle::addFloat(sc, ctx, ui::num(40 + 7.0 * i), x, y - 30, 0xFFFFFF);
    }
}

} // namespace stage
