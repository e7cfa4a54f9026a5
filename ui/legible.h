#pragma once
// The smallest size a text may be drawn at and still be read: a property of
// the script it is written in, not of the screen. Latin, Greek and Cyrillic
// letters stay readable down to 9 device pixels; Hebrew, whose letters
// differ by a short stroke, needs 10; Arabic (its dots and joins), Thai and
// the Indic scripts (marks above and below the letters) and the CJK scripts
// (many strokes in one square) need 11.
//
// Text drawing (ui/draw.h) never lays a text out smaller, whatever its style
// asks for; layouts that plan rows before they have the text use the
// language's figure.
#include <string_view>

namespace ui {

// In device pixels of the font size: the largest figure among the scripts
// the text holds (a Japanese label with Latin digits needs the kanji's).
double legiblePixels(std::string_view text);

// The figure of the active language's own script.
double legiblePixelsOfLanguage();

// The same in logical units, at the text pixel ratio (ui/draw.h): what a
// layout plans with.
double legibleUnits(std::string_view text);
double legibleUnitsOfLanguage();
// The height of a line at a style's font size once raised to the legible
// size of the active language's script, or of Latin letters and digits.
double lineHeightOfLanguage(double size);
double lineHeightOfLatin(double size);

} // namespace ui
