#pragma once
// The battle screen's state and the steps it is made of. The screen class
// (screens/battle.h) only runs the frame; every part is a free function over
// the scene, so a test can build a scene and call one part alone:
//   battle_layout.cpp   rows, sprite sizes, animation tracks, floor, trees
//   battle_units.cpp    slots of the frame, aim points, drawing units, unit clicks
//   battle_fx.cpp       effect records and their drawing, cast sounds
//   battle_spawn.cpp    spawning a skill's effects and its pending act
//   battle_playback.cpp engine events as floats, bursts, sounds and loot
//   battle_commands.cpp command panel, submenus, targeting, item use, banner
//   battle_settle.cpp   the end of a battle: settlement and hand-over
#include <string>
#include <unordered_map>
#include <vector>

#include "play/battle.h"
#include "rules/combat.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/map.h"
#include "rules/rng.h"
#include "screens/battle_fx.h"
#include "screens/battle_layout.h"
#include "screens/battle_text.h"
#include "ui/app.h"

namespace ui::battle {

// A number or word rising above a unit for 1.1 s.
struct Float {
    std::string text;
    double x = 0, y = 0;  // the text's centre at creation
    double start = 0;
    std::uint32_t color = 0;
    bool boxed = false;   // on a dark plate, for a word over the command box
    bool placed = false;  // moved clear of the others, at its first drawing
    double rise = 1e9;    // how far it may rise: it stops under a status chip or a float above
};
inline constexpr double kFloatLife = 1.1;

// The one action waiting for its effect to land.
struct PendingAct {
    bool armed = false;
    double due = 0;
    std::string actor;
    std::string skill;  // empty for an item use
    std::vector<std::string> targets;
    bool itemUse = false;
    rpg::ConsumableEffect effect = rpg::ConsumableEffect::None;
    double amount = 0;
};

// A bag item chosen from the item box, waiting for its target.
struct PendingItem {
    bool active = false;
    std::string owner;  // hero id
    std::string name;   // display name
    std::size_t index = 0;  // into the owner's bag
    rpg::ConsumableEffect effect = rpg::ConsumableEffect::None;
};

// The box open above the command panel.
enum class Submenu : std::uint8_t { None, Skills, Items };

struct Scene {
    GameState entry;
    std::vector<rpg::Hero> heroes;  // copies of the party, only to build the battle and read weapons
    rpg::Rng rng;                   // every engine call of this battle draws from it
    rpg::BattleState state;
    std::vector<Slot> slots;
    std::vector<Float> floats;
    std::unordered_map<std::string, UnitAnim> anims;
    FxLists fx;
    PendingAct pending;
    PendingItem item;
    bool overPanel = false;       // the pointer is over the panel or its box: units take no click
    std::string rememberedEnemy;  // what a plain attack strikes
    std::string pendingSkill;     // a skill waiting for its target
    std::string banner;
    double bannerTime = -10;
    double lastStep = 0;
    Floor floor;
    int floorPx[2] = {0, 0};  // pixel size of the cached floor texture
    Submenu submenu = Submenu::None;
    int page = 0;             // of the open box, from 0
    bool endSeen = false;
    double endTime = 0;
    std::vector<XpRow> rewardRows;
    play::RunEnd runEnd;  // what a lost battle's settlement left for the result
    TextCache texts;
};

// The action banner stands under the turn line (times s), clear of the
// units: the rows start below kUnitsTop.
inline constexpr double kBannerTop = 70;
inline constexpr double kUnitsTop = 112;

inline constexpr double kMonsterPause = 0.55;
inline constexpr double kHandOver = 1.2;

// --- Construction and engine steps (battle.cpp) ---

// The battle of the entry's node for the party and the run in the stores.
void buildScene(Scene* sc, const GameState& entry);
// Advances the engine to the next actor and plays what that brought.
void step(Scene& sc, Ctx& ctx);
// Starts the current actor's skill: banner, effects, the pending act.
void act(Scene& sc, Ctx& ctx, const std::string& skillId, const std::vector<std::string>& targets);
// Performs the pending act once it is due (if its actor is still the one
// whose turn it is), then steps.
void performDueAct(Scene& sc, Ctx& ctx);
// A monster's turn, 0.55 s after the last step.
void monsterTurn(Scene& sc, Ctx& ctx);

// --- Units (battle_units.cpp) ---

// The slots of the frame with every unit's parts: rows moved apart, names
// stacked or cut and units shrunk until no unit's parts reach another's.
void layout(Scene& sc, Ctx& ctx);
// The unit drawn on top at the point (the last laid out whose hit area holds
// it); empty for none.
std::string unitAt(const Scene& sc, double x, double y);
// The point effects aim at: the slot's x and the middle of the sprite.
bool posOf(const Scene& sc, Ctx& ctx, const std::string& id, double* x, double* y);
void startActorAnim(Scene& sc, Ctx& ctx, const std::string& id, bool lunge, const std::string& target);
void drawCombatants(Scene& sc, Ctx& ctx);

// --- Effects (battle_spawn.cpp) ---

// Cast sound, effects and actor animation of a skill, and the pending act.
void spawnFx(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const rpg::SkillDef& skill,
             const std::vector<std::string>& chosen);
// The same with the look given rather than the skill's own row.
void spawnFx(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const rpg::SkillDef& skill, const rpg::SpellFx& look,
             const std::vector<std::string>& chosen);
// 0-5 by the actor's main-hand weapon, 6 without one.
int weaponClassOf(const Scene& sc, const rpg::Combatant& actor);

// --- Playback (battle_playback.cpp) ---

void consume(Scene& sc, Ctx& ctx, const rpg::ActionOutcome& out);
// A float centred at (x, y). At its first drawing it moves inside the window
// and a line or two down (or else up) from every float and status chip it
// would run into, and learns how far it may rise before it would reach a
// chip or a float that stands still above it.
void addFloat(Scene& sc, Ctx& ctx, std::string text, double x, double y, std::uint32_t color, bool boxed = false);
void placeFloats(Scene& sc, Ctx& ctx);
// Where the float stands at the time (its plate included).
Rect floatRect(Scene& sc, Ctx& ctx, const Float& f, double now);
// Places new floats and draws all; the frame draws them last of all, over
// the panel, the box and the banner.
void drawFloats(Scene& sc, Ctx& ctx);

// --- Commands (battle_commands.cpp) ---

void drawPanel(Scene& sc, Ctx& ctx, double panelH, const rpg::Combatant* actor);

// One entry of the open box: its index (into the listed skills or the bag)
// and its row.
struct BoxEntry {
    std::size_t index = 0;
    Rect row;
};
// The skills or items box above the panel. A list longer than the box holds
// is shown in pages: the last row then turns them.
struct SubmenuBox {
    Rect box;  // 0 high: no box
    std::vector<BoxEntry> rows;
    int page = 0, pages = 1;
    Rect prev, next;  // the pager's buttons, when there are pages
};
SubmenuBox submenuBox(const Scene& sc, Submenu submenu, Ctx& ctx, const rpg::Combatant* actor);
double submenuH(const Scene& sc, Submenu submenu, Ctx& ctx, const rpg::Combatant* actor);
void useSkill(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const std::string& skillId);
void useItem(Scene& sc, Ctx& ctx, rpg::Hero* owner, std::size_t index, const std::string& targetId);
// Why an entry of the box cannot be chosen now (a translation key), or null:
// an item without a use in battle, a revive with nobody fallen. A skill
// short of mana is not blocked: its click says so.
const char* skillBlock(const Scene& sc, const rpg::Combatant& actor, const rpg::SkillDef& skill);
const char* itemBlock(const Scene& sc, const rpg::ItemInstance& item);
// Whether the waiting item or skill may take the unit.
bool targetable(const Scene& sc, const rpg::Combatant& unit);
// A click on a unit: the waiting item or skill takes it, or a living
// monster becomes the remembered enemy.
void clickUnit(Scene& sc, Ctx& ctx, const std::string& id);
void announce(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const rpg::SkillDef& skill,
              const std::vector<std::string>& targets);
// The panel of a turn that is not the player's: also ends any choosing.
void drawEmptyPanel(Scene& sc, Ctx& ctx);
// The monster a plain attack would strike: the remembered one while it
// lives, else the first living monster; empty when none lives.
std::string preferredEnemy(const Scene& sc);

// --- End of battle (battle_settle.cpp) ---

// The battle settled through the run's transactions (a victory paid, a
// defeat ending the run), the reward rows or the ended run kept for the
// hand-over.
void settle(Scene& sc);
GameState rewardEntry(const Scene& sc);
GameState defeatEntry(const Scene& sc);
// The end panel every frame; the settlement once, in the frame the outcome
// is seen; the hand-over after 1.2 s.
void endOfBattle(Scene& sc, Ctx& ctx);

} // namespace ui::battle
