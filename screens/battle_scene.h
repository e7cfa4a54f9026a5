#pragma once
// The battle screen's state and the steps it is made of. The screen class
// (screens/battle.h) only runs the frame; every part is a free function over
// the scene, so a test can build a scene and call one part alone:
//   battle_layout.cpp   rows, sprite sizes, animation tracks, floor, trees
//   battle_units.cpp    slots of the frame, aim points, drawing units, unit clicks
//   battle_fx.cpp       effect records, cast sounds, spawning a skill's effects
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
    double x = 0, y = 0;  // anchor at creation
    double start = 0;
    std::uint32_t color = 0;
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
    int submenu = 0;          // 0 none, 1 skills, 2 items
    bool endSeen = false;
    double endTime = 0;
    std::vector<XpRow> rewardRows;
    play::RunEnd runEnd;  // what a lost battle's settlement left for the result
    TextCache texts;
};

inline constexpr double kMonsterPause = 0.55;
inline constexpr double kHandOver = 1.2;

// --- Construction and engine steps (battle.cpp) ---

using play::battleSeedText;
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

void layout(Scene& sc, Ctx& ctx);
// The point effects aim at: the slot's x and the middle of the sprite.
bool posOf(const Scene& sc, Ctx& ctx, const std::string& id, double* x, double* y);
void startActorAnim(Scene& sc, Ctx& ctx, const std::string& id, bool lunge, const std::string& target);
void drawCombatants(Scene& sc, Ctx& ctx);

// --- Effects (battle_fx.cpp) ---

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
void addFloat(Scene& sc, Ctx& ctx, std::string text, double x, double y, std::uint32_t color);
void drawFloats(Scene& sc, Ctx& ctx);

// --- Commands (battle_commands.cpp) ---

void drawPanel(Scene& sc, Ctx& ctx, double panelH, const rpg::Combatant* actor);
double submenuH(const Scene& sc, int submenu, Ctx& ctx, const rpg::Combatant* actor);
void useSkill(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const std::string& skillId);
void useItem(Scene& sc, Ctx& ctx, rpg::Hero* owner, std::size_t index, const std::string& targetId);
// Whether the waiting item or skill may take the unit.
bool targetable(const Scene& sc, const rpg::Combatant& unit);
// A click on a unit: the waiting item or skill takes it, or a living
// monster becomes the remembered enemy.
void clickUnit(Scene& sc, Ctx& ctx, const std::string& id);
void announce(Scene& sc, Ctx& ctx, const rpg::Combatant& actor, const rpg::SkillDef& skill,
              const std::vector<std::string>& targets);
// The panel of a turn that is not the player's: also ends any choosing.
void drawEmptyPanel(Scene& sc, Ctx& ctx);
using play::itemAmount;
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
