#pragma once
// The widget kit: buttons, switches, sliders, the yes/no dialog, the top
// bars and footer, panels, value bars, the pill, the wavy title and
// scrolling. Immediate mode: each call draws the widget for this frame onto
// ctx.cr and returns its result at once; the caller owns every value.
//
// Lengths are logical units multiplied by ctx.uiScale inside the widgets;
// rectangles are given as they are. A clickable widget takes the frame's
// click only through Ctx::takeClick, so at most one widget per frame gets
// it, and only where Ctx lets the pointer reach (inside the hit clip, not
// under a dialog); buttons that report a click play the click sound. Every
// widget leaves the cairo context as it found it.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "rules/combat.h"
#include "ui/app.h"

namespace ui {

// --- Buttons, switches, slider, dialog ---

// The panel button; gold is the highlighted look. True when clicked.
bool menuButton(Ctx& ctx, const Rect& r, const std::string& label, bool gold);
// A square option button; active marks the chosen option of a group (it
// still takes clicks).
bool plainButton(Ctx& ctx, const Rect& r, const std::string& label, bool active);
// The wooden plank of the main menu. Its shine sweeps every 4.8 s, starting
// 0.8 s plus shineDelayMs after the clock's zero.
bool woodButton(Ctx& ctx, const Rect& r, const std::string& label, bool selected, double shineDelayMs);
double woodButtonHeight(const Ctx& ctx);
// A pulsing gold start button; the subtitle may be empty.
bool arcadeStartButton(Ctx& ctx, const Rect& r, const std::string& title, const std::string& subtitle);
// A letter tile; a used tile never takes the click.
bool letterButton(Ctx& ctx, const Rect& r, const std::string& letter, bool used);
// A label with an on/off switch; returns the new value (flipped by a click
// anywhere on the row).
bool toggleRow(Ctx& ctx, const Rect& r, const std::string& label, bool value);
// A horizontal 0..1 slider; returns the new value. While the left button is
// held over the track (with some slack around it) the value follows the
// pointer and the frame's click is marked taken.
double slider(Ctx& ctx, const Rect& r, double value);
// The back button of the top bars; a bar height <= 0 stands for kHeaderHeight.
Rect backButtonRect(const Ctx& ctx, double barHeight);
bool backButton(Ctx& ctx, double barHeight);
// What the modal dialog answered this frame.
enum class DialogAnswer {
    Open,       // no answer yet: keep drawing it
    Confirmed,  // a click on confirm, or Return
    Cancelled,  // a click on cancel or outside the panel, or Escape, which wins
};
// The modal yes/no dialog: call it every frame while it is open, and close
// it on an answer. From the frame after it opens, nothing drawn before or after
// it sees the pointer, a button, the wheel or a key (Ctx::beginModal), so
// whatever lies under it never reacts.
DialogAnswer confirmDialog(Ctx& ctx, const std::string& title, const std::string& message, const std::string& confirmLabel,
                  const std::string& cancelLabel);
// Where the dialog's panel and buttons lie in this window.
struct DialogRects {
    Rect panel, cancel, confirm;
};
DialogRects confirmDialogRects(const Ctx& ctx);

// --- Headers, footer, panels ---

// The height of the game's top bar, in unscaled units.
inline constexpr double kHeaderHeight = 52;
// The game's top bar, kHeaderHeight high; a back button when backClicked is given (its
// click is stored there); the lasting gold (store::meta) at the right with
// showGold. Returns the bar height.
double gameHeader(Ctx& ctx, const std::string& title, bool* backClicked, bool showGold);
// Back button and title without a bar; returns the height where content
// starts (smaller in the compact layout).
double screenHeader(Ctx& ctx, const std::string& title, bool* backClicked);
// The maker and version lines, centred, their block ending at y.
void footer(Ctx& ctx, double y);
void pixelPanel(Ctx& ctx, const Rect& r, bool sunken);
void parchmentCard(Ctx& ctx, const Rect& r);

// --- Bars ---

// value of max in two tones (the top colour over the upper part); the label
// is drawn only on bars at least 12 high.
void statBar(Ctx& ctx, const Rect& r, double value, double max, uint32_t topColor, uint32_t baseColor,
             const std::string& label);
// A bar that eases towards value/max, keyed by a stable id (such as "hp-" and
// a combatant id): rises ease in over 0.32 s with a green flash, falls over
// 0.26 s leaving a pale trail. A key seen for the first time shows its value
// at once.
void animBar(Ctx& ctx, const std::string& key, const Rect& r, double value, double max, uint32_t color,
             bool showNumbers);
// animBar in two halves for a caller that keeps the drawn bar: the key's bar
// advanced to this frame, and the bar (without numbers) as it then looks.
struct BarLook {
    double shown = 0;  // fraction filled
    double trail = 0;  // pale trail's fraction; at most shown when there is none
    double flash = 0;  // opacity of the rising flash, 0 when none
    // Nothing moves or flashes: the bar looks the same next frame.
    bool atRest(double target) const { return flash <= 0 && trail <= shown && shown == target; }
};
BarLook animBarStep(Ctx& ctx, const std::string& key, double value, double max);
void drawBarLook(cairo_t* cr, const Rect& r, const BarLook& look, uint32_t color, double s);
// Forgets every key's bar, for tools that play the same screens again.
void forgetAnimBars();

// A row of status chips from (x, y), each size square with its glyph and,
// except for shields, the rounds left. Returns the x of the next chip's centre.
double statusChips(Ctx& ctx, double x, double y, double size, const std::vector<rpg::StatusInstance>& statuses);

// --- Pill and title ---

// A glossy rounded pill with a value (and a small label above it when the
// label is not empty), centred right of iconWidth. Its text sizes are fixed
// units, not scaled.
void hudPill(Ctx& ctx, const Rect& r, const std::string& label, const std::string& value, uint32_t fill,
             uint32_t border, uint32_t valueColor, uint32_t labelColor, double iconWidth);
// A title whose letters bob and sway; palette (may be null or empty) colours
// the letters in turn.
void wavyTitle(Ctx& ctx, double cx, double y, const std::string& text, double size,
               const std::vector<uint32_t>* palette);

// --- Scrolling ---

// A view of content taller than itself. Wheel steps fling it with momentum;
// a press inside starts a drag that moves it with the pointer from the next
// frame on (a drag of more than the click slop clicks nothing, whatever lies
// under its release). Returns the offset to draw the content at, clamped to
// 0..content - view height. Until endScroll, drawing and hit tests are
// clipped to the view, so what is scrolled out of it takes no hover and no
// click; endScroll draws the scrollbar barOutset units right of the view's
// edge. id names the view's drag and fling while its screen lives (a stable
// word, never a displayed text). A press claims the first view under it.
double beginScroll(Ctx& ctx, std::string_view id, const Rect& view, double contentHeight, double offset,
                   double barOutset = 0);
void endScroll(Ctx& ctx);
// The thin thumb at the area's right edge; nothing when the content fits.
void scrollbar(Ctx& ctx, const Rect& r, double contentHeight, double offset);

} // namespace ui
