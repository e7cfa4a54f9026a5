#pragma once
// The heroes between and within runs: the maxima they fight with, what the
// run leaves them of it, and the changes to the roster, the party, a hero's
// points, row and gear. Each change is checked, made and saved at once.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "play/outcome.h"
#include "rules/classes.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/stats.h"

namespace play {

// The maxima a hero fights with: class, growth, points, worn items and the
// lasting rune circle's bonus. Battles, rests, the tavern and level-ups fill
// up to these, and every bar of hit points or mana measures against them.
rpg::Stats maxima(const rpg::Hero& hero);

// A hero's hit points and mana as the run has them (the last member with
// its id), full without a run or for a hero the run does not list; with the
// maxima they are measured against.
struct Vitals {
    double hp = 0, mp = 0, maxHp = 0, maxMp = 0;
};
Vitals vitals(const rpg::Hero& hero);

// --- Roster and party ---

// Copies of the party's heroes, in party order: rules that take spans of
// heroes get these, as roster pointers do not outlive a change of the roster.
std::vector<rpg::Hero> partyCopies();

// A roster hero joins the party, or leaves it when already in it. The party
// never becomes empty nor grows past the cap of the ascension (Error).
// During a run a hero who joins for the first time enters the run's party at
// his maxima; one who leaves keeps his entry there and returns as he left.
Result toggleParty(const std::string& heroId);

// 40 gold, 40 more for each hero beyond three, then 8 % more per level of
// the roster's rounded mean level above 1; rounded.
double recruitPrice(std::span<const rpg::Hero> roster);
// A new level-1 hero of the class joins the roster, not the party, for the
// recruit price (Error when the gold is short).
Result recruit(rpg::ClassId cls);

// The hero leaves the roster and the run; what it wore (in slot order) and
// carried goes to the stash, and a party left empty takes the first hero.
// Refused for the last hero and for an id the roster lacks.
Result dismissHero(const std::string& heroId);

// A new game's roster and party: one level-1 hero per class, in order; gold,
// stash and runes stay. Refused for an empty list.
Result formFirstParty(const std::vector<rpg::ClassId>& classes);

// --- Points ---

// One point of the hero on the stat, raised by its step; false without a
// point to spend. Saves nothing.
bool spendPointOn(rpg::Hero& hero, rpg::StatId stat);
// Every point on the class's key stats in turn, from the first; false when
// the class names none. Saves nothing.
bool assignPoints(rpg::Hero& hero);

// The same, saved: Place when spent, Error when nothing was left to spend.
Result spendPoint(const std::string& heroId, rpg::StatId stat);
Result autoAssign(const std::string& heroId);

// --- The party sheet ---

// Whether an item of this row can go into the slot: weapons of either kind in
// the main hand, shields and one-handed weapons in the off hand, rings in
// either ring slot, every other slot its own kind.
bool fitsSlot(const rpg::ItemDef& def, rpg::EquipSlot slot);
// The off hand while the main hand holds a two-handed weapon.
bool isSlotLocked(const rpg::Hero& hero, rpg::EquipSlot slot);

// The actions one frame of the party sheet recorded; unset and empty mean none.
struct PartyActions {
    std::optional<rpg::StatId> stat;          // one point on this stat
    bool autoAssign = false;                  // every point on the key stats
    std::optional<std::uint8_t> row;          // the hero's row: 0 front, 1 back
    std::optional<rpg::EquipSlot> unequip;    // the slot to empty into the stash
    rpg::EquipSlot equipSlot{};               // read while equipId is set
    std::string equipId;      // uid of the stash item to put on
    std::string moveId;       // definition id moved between bag and stash
    bool moveToBag = false;
};

// Applies the recorded actions in the order stat, auto-assign, row, unequip,
// equip, move, and clears them. Items are copied whole and erased where they
// came from; an item that does not fit the slot or the hero's class, or a
// locked off hand, is not put on. True when the progress must be saved:
// something changed, or an equip or move was asked for (found or not).
// Saves nothing.
bool applyPartyActions(PartyActions* actions, rpg::Hero* hero, std::vector<rpg::ItemInstance>* stash);

// applyPartyActions on the roster hero and the lasting stash, saved; done
// when something was saved. No sound: the sheet answers each click as it
// records it.
Result applySheet(const std::string& heroId, PartyActions* actions);

} // namespace play
