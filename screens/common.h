#pragma once
// Small pieces that several screens share. A helper belongs here only when
// two or more screens use it; a screen's own helpers live beside it.
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

#include "play/outcome.h"
#include "rules/classes.h"
#include "rules/hero.h"
#include "ui/app.h"
#include "ui/draw.h"

namespace ui {

// The answer of a transaction the player asked for: its sound is played;
// true when it was done.
bool answer(const play::Result& result);

// The chest that follows a beaten boss: the treasure screen for the boss
// node with the boss flag and the run's depth, which leads to the run's end.
GameState bossChestEntry(const std::string& nodeId, int depth);

// The run-result entry of an ended run: won or lost, how deep it went, the
// gold it earned and the heroes who ran it (the run is gone when it shows).
GameState runResultEntry(bool lost, int depth, double gold, std::vector<std::string> heroIds);

// The translation key of a class's battle role ("role.tank" …).
const char* roleKey(rpg::ClassRole role);

// A dark rounded plate under a line that stands on the open sky, so that
// the clouds drifting behind it do not wash it out.
void skyPlate(Ctx& ctx, const Rect& r);
// The lasting gold as a coin and "1.234 gold" on a sky plate, centred on the
// window, the line's top at y. fontSize is scaled; a font above 15 units moves coin and
// text down by the difference. `swell` (a GoldPulse factor) grows the whole
// line from its top, so a purchase can be seen in it.
void drawGoldLine(Ctx& ctx, double y, double fontSize, double swell = 1);

// The plain gold coin beside gold amounts: a disc of radius r with a darker
// ring just inside its edge (s is the UI scale).
void drawRimmedCoin(cairo_t* cr, double cx, double cy, double r, double s, double alpha = 1.0);

// Opens a web or mail link through the desktop. An address without a scheme
// ("example.org") is opened as "https://example.org". What the desktop does
// with it is not reported: a link that fails to open simply does nothing.
void openLink(const std::string& address);
// The address openLink hands on: unchanged when it names a scheme.
std::string linkUrl(const std::string& address);

// Tests record links instead of opening them; null restores SDL_OpenURL.
using LinkOpener = int (*)(const char* url);
void setLinkOpener(LinkOpener opener);

// The top of such a screen: the window cleared, the header with its title
// and back button. Returns where content starts; *leave tells whether Back
// or Escape asked to go back.
double pageHeader(Ctx& ctx, const std::string& title, bool* leave);

// Screens that announce an outcome (the reward after a won battle, the end
// of a run) open alike: a clock from their first frame, a still scene with
// its horizon low, and a large title in capitals across the top.
class OutcomeOpening {
public:
    // Seconds since the first frame that asked.
    double elapsed(double now);
    // The scene `theme` (a SceneTheme) with `motes` motes, under everything.
    static void backdrop(const Ctx& ctx, std::int32_t theme, std::int32_t motes);
    // Centred, its top at y, fitted into the window less 20 units a side.
    static void title(Ctx& ctx, double y, const std::string& text, double size, std::uint32_t color,
                      const TextShadow& shadow = {});

private:
    double start_ = -1;
};

// The gold line of the shops swells after the lasting gold changes: to 1.18
// times its size at 0.12 s, back by 0.34 s. The first value seen is no change.
class GoldPulse {
public:
    // The size factor for this frame, the gold being `gold` at time `now`.
    double factor(double gold, double now);

private:
    double shown_ = -1;
    double changedAt_ = 0;
    bool changed_ = false;
};

// One 56-unit tab per hero, 8 apart, the row centred on the window with its
// top at `top`; the selected hero's tab is outlined in gold. Returns the id
// of the hero whose tab took the frame's click (the click sound played), or
// the empty text.
std::string heroTabs(Ctx& ctx, const std::vector<rpg::Hero*>& heroes, double top, const std::string& selected);

} // namespace ui
