#pragma once
// Where the units of a battle stand and how they move: the rows and columns
// on the floor, the size a unit's sprite is drawn at, the short action, hit
// and death animations, and the painted floor and trees. Pure geometry; the
// drawing of the units is in battle_units.cpp.
#include <cairo.h>

#include <array>
#include <string>
#include <vector>

#include "rules/combat.h"
#include "ui/rect.h"

namespace ui::battle {

// One text of a unit's name block, placed: top-left corner, font size.
struct Label {
    std::string text;
    double x = 0, y = 0, w = 0, h = 0;
    double size = 0;
    bool level = false;  // the level, in bold gold
};

// Where the parts of one unit stand at rest (animations move only the
// sprite). The parts of one unit never overlap another unit's hit area.
struct UnitParts {
    Rect marker;  // room of the bobbing turn marker
    Rect chips;   // the status chip lines (room for one line is always kept)
    Rect sprite;
    Rect name;    // the name block, as wide as its widest label
    Rect bars;
    Rect card;    // highlight frame: chips down to the bars
    Rect hit;     // click area: the card with the marker's room and the sprite
    std::vector<Label> labels;
    // The chips: how many are shown, per line, and the size factor.
    int chipCount = 0, chipsPerLine = 1;
    double chipScale = 1;
};

// The on-screen place of one combatant, rebuilt every frame.
struct Slot {
    std::string id;
    double x = 0, y = 0;  // x: the sprite's horizontal centre; y: the row's line
    double scale = 1;     // 0.82 monsters; 1.05 front, 0.92 back, 1.0 one row of heroes; less where room lacks
    double size = 0;      // card width: never wider than the gap to the row's next unit allows
    int row = 0;          // 0 monsters, then the hero rows from the top
    UnitParts parts;      // empty until the frame's layout
};

// The floor the units stand on, in logical units (its top is the window's).
struct Floor {
    double x = 0;
    double w = 0;
    double h = 0;
    friend bool operator==(const Floor&, const Floor&) = default;
};

// The command panel along the bottom of the window, kPanelH·s high.
inline constexpr double kPanelH = 96;  // times s
// Width of the panel's buttons in a window w wide.
double commandButtonWidth(double w, double s);
// Command button i (0 attack, 1 skills, 2 item, 3 defend) of a w × h
// window: one row centred in the panel.
Rect commandButton(double w, double h, double s, int i);

// The column (0-5) of unit i in a row of n: one unit stands in column 3,
// seven share columns 0,1,2,3,3,4,5.
int rowColumn(int i, int n);
// Slot width of a row of n units with spread k: clamped to 54s..118s.
double rowSlotSize(double k, double floorW, int n, double s);
// Monsters above, heroes below: in one row unless there are four or more
// heroes with someone in the front and someone in the back. These are the
// rows' preferred lines; the frame's layout moves them apart where the
// units' parts need it. A card is at most as wide as the distance to its
// nearest neighbour in the row less 6s, so neighbours' cards never touch.
void layoutSlots(std::vector<Slot>* slots, const std::vector<rpg::Combatant>& units, const Floor& floor, double s);

// The size a unit's sprite is drawn at: px logical units per sprite pixel
// (3·s·scale below 24 pixels of width, else 2·s·scale); w × h the whole.
struct SpriteSize {
    double px = 0;
    double w = 0;
    double h = 0;
};
SpriteSize spriteSize(const std::string& sprite, double s, double scale);
// The unit's top edge: the sprite stands from here down to top + h.
inline double unitTop(const Slot& slot, double s) { return slot.y - 21 * s * slot.scale; }

// The animation record of one combatant.
struct UnitAnim {
    double start = -100;        // last action's start, seconds
    double aimX = 0, aimY = 0;  // from the unit's slot to its target's, for a lunge
    bool cast = false;          // a casting bounce rather than a lunge
    double hit = -100;          // last damage taken
    double fade = -100;         // first drawn dead; below -50: not dying
};

// A unit's pose at one moment: offsets in logical units, the body factor c
// (height c·h, width (1 + 0.55·(1 − c))·w), the white flash and the
// lunge's after-image opacity.
struct Pose {
    double dx = 0;
    double dy = 0;
    double body = 1;
    double flash = 0;
    double afterImage = 0;
    double shake = 0;
};
Pose unitPose(const UnitAnim& anim, double now, double s);

// The fall of a dead unit: p = u² of the 0.62 s since it was first drawn dead.
double deathProgress(double fade, double now);

// Spots of the trees beside the floor: x fraction, y fraction, scale.
inline constexpr std::array<std::array<double, 3>, 4> kTreeSpots = {{
    {0.35, 0.52, 0.9},
    {0.68, 0.68, 1.25},
    {0.18, 0.84, 1.05},
    {0.82, 0.9, 0.8},
}};
// One tree beside the floor: the foot of its trunk at (cx, cy), scaled by z.
struct TreeSpot {
    double cx = 0, cy = 0, z = 1;
};
// The trees on each side strip of the window that is at least 60s wide.
std::vector<TreeSpot> sideTreeSpots(const Floor& floor, double width, double height, double s);
void drawTree(cairo_t* cr, const TreeSpot& t);
// Everything a tree paints, its outline's antialiasing included.
Rect treeBounds(const TreeSpot& t);
// What the cached tree textures were painted for.
struct TreeScene {
    Floor floor;
    double width = 0, height = 0, s = 1;
    friend bool operator==(const TreeScene&, const TreeScene&) = default;
};

// The floor's picture, w by h pixels, of which a texture holds the rows from
// top on: the band the floor covers, the empty rows above and below left out.
struct FloorPicture {
    int w = 0, h = 0;
    int top = 0;
};
// The rows [top, bottom) of an h-pixel-high floor picture that hold all of the
// floor, its lines' antialiasing included, at pixelRatio pixels a unit.
struct RowBand {
    int top = 0, bottom = 0;
};
RowBand floorBand(int h, double pixelRatio);
// The painter of the texture "isofloor": user points to a FloorPicture. The
// surface carries the GPU scale, so it paints in logical units.
void paintFloor(cairo_t* cr, void* user);

} // namespace ui::battle
