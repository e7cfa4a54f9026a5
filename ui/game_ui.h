#pragma once
// Game-specific pieces of the interface shared by widgets and screens: the
// small vector icons and the texts that turn game values into strings.
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "rules/classes.h"
#include "rules/combat.h"
#include "rules/hero.h"
#include "rules/items.h"
#include "rules/skills.h"
#include "rules/stats.h"
#include "ui/draw.h"

namespace ui {

// Vector icons, drawn at a centre (cx, cy) with `size` the full extent in
// logical units, in one 0xRRGGBB colour at an opacity. Strokes have a
// minimum width so that tiny icons stay visible. Each leaves the context
// as it found it.

// A gold coin; its colours are fixed.
void drawCoinIcon(cairo_t* cr, double cx, double cy, double size, double alpha = 1.0);
// Filled triangle pointing 0 up, 1 right, 2 down, any other value left.
void drawTriangleIcon(cairo_t* cr, double cx, double cy, double size, int direction, uint32_t color,
                      double alpha = 1.0);
// Stroked chevron: 1 points right, any other value left.
void drawChevronIcon(cairo_t* cr, double cx, double cy, double size, int direction, uint32_t color,
                     double alpha = 1.0);
void drawPauseIcon(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha = 1.0);
void drawShuffleIcon(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha = 1.0);
// Five-pointed star: filled with a light rim, or a faint outline.
void drawStarIcon(cairo_t* cr, double cx, double cy, double size, bool filled, uint32_t color, double alpha = 1.0);
void drawLockIcon(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha = 1.0);
// The four-pointed rune mark of runestone values and affix lines: drawn, as
// the small glyph of the monospaced font would read as a plus sign.
void drawRuneMark(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha = 1.0);
// A line led by the rune mark, its top at y: the mark, then the text from
// x on (the mark after the text's right end in a right-to-left language).
// The style's fit width holds both. Returns the width drawn.
double drawMarkedText(cairo_t* cr, double x, double y, const std::string& text, const TextStyle& st);
void drawClockIcon(cairo_t* cr, double cx, double cy, double size, uint32_t color, double alpha = 1.0);
// The glyph of one status effect; nothing for a kind the game does not know.
void drawStatusIcon(cairo_t* cr, rpg::StatusKind kind, double cx, double cy, double size, uint32_t color,
                    double alpha = 1.0);
// A row of `count` stars of size starSize centred on (cx, cy), the first
// `filled` of them gold. Progress 0..1 lets the stars appear one after
// another, each growing in and fading up as the progress reaches it.
void starRating(cairo_t* cr, double cx, double cy, double starSize, int filled, int count, double progress);

// The rarity's colour for a name on the dark panels: rare's blue is lifted,
// it reads too faintly there.
uint32_t rarityTextColor(rpg::Rarity r);

// Display texts.

// The value rounded half away from zero, written as the active language
// writes numbers (i18n::formatWhole): 1234.5 gives "1,235" in English and
// "1.235" in German. Every number the player reads goes through it.
std::string num(double value);
// The same rounding with '.' between groups of three digits in every
// language ("1.235", "-1.000"): for texts that seed a generator, which must
// come out the same whatever the player reads.
std::string seedNum(double value);
// The translated class name ("Warrior", "Mage", ...).
std::string className(rpg::ClassId cls);
// The hero's name and class: "Brunhild · Warrior".
std::string heroTitle(const rpg::Hero& hero);
// A hero's own name; a monster's translated name and prefix in the order of
// the active language, a space apart where the script spaces its words
// ("Frost Wolf", "Loup glaciaire", "氷結フェンリル"), or as one word where the
// prefix is a compound stem ("Frostwolf").
std::string combatantName(const rpg::Combatant& c);
// The short level label and the number: "Lv. 7", "St. 7".
std::string levelLabel(double level);
// The gear-score label and the grouped number: "GS 1,119".
std::string gearScoreLabel(double score);
// An arrow that points along the reading direction: "→", or "←" in a
// right-to-left language. Arrows that Unicode mirrors (">") would follow
// the direction of whatever text stands next to them instead.
const char* forwardArrow();
// The mark between an action and its target: ">" read left to right, "→"
// in Chinese, Japanese and Korean; in a right-to-left language a
// left-pointing arrow that no bidi level mirrors.
const char* targetArrow();
// The mark after a label whose button opens more choices: ">", or in a
// right-to-left language "<" that points the way the line reads, on screen as
// in the text.
const char* moreMark();
// The translated name of the item's definition; the raw id when unknown.
std::string itemName(const rpg::ItemInstance& item);
// The listed stats that are not zero, as label and signed whole value joined
// by " · ": "ATK +12 · CRIT +3".
std::string bonusLine(const rpg::Stats& stats, const std::vector<rpg::StatId>& ids);
// The bonus line of the item's roll, else of its definition's fixed bonus.
std::string itemBonusLine(const rpg::ItemInstance& item);
// The item's affixes: regeneration per turn, resistances and immunities;
// affixes of one kind are summed into one item.
std::string affixLine(const rpg::ItemInstance& item);
// The text of `key` with the count put in for {{name}}; a count of exactly
// one takes the key's ".one" text, which reads as a singular where the
// language has one ("1 point to spend").
std::string countText(const std::string& key, const char* name, double count);
// An item's name with its weapon class and hands, in the active language's
// brackets: "Duelist's Sword  (Dagger, 1H)", "決闘者の剣（短剣・片手）".
std::string withWeaponKind(const std::string& name, const rpg::ItemDef& def);
// A skill's description behind its mana cost: "(12 MP) One enemy: ...".
std::string withManaCost(const std::string& desc, double cost);
// "mm:ss" below one hour, else "h:mm:ss".
std::string formatTime(long long ms);
// The local time of milliseconds since the epoch as "dd.mm.yyyy hh:mm".
std::string formatDateTime(long long ms);

} // namespace ui
