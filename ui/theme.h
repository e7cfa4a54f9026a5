#pragma once
// Colours of the interface: 0xRRGGBB values (the top byte is ignored) with a
// separate opacity, the helpers that blend them per channel, and the palette
// that widgets, cards and screens share.
#include <cstdint>
#include <vector>

namespace theme {

// Each helper holds t in 0..1 and rounds every channel to the nearest byte,
// halves away from zero.
uint32_t mix(uint32_t a, uint32_t b, double t);   // a + (b - a) t
uint32_t lighten(uint32_t c, double t);           // towards white: c + (1 - c) t
uint32_t darken(uint32_t c, double t);            // towards black: c (1 - t)
// Relative luminance 0.2126 R + 0.7152 G + 0.0722 B, channels in 0..1.
double luminance(uint32_t c);
// How well one colour reads on the other: (L1 + 0.05) / (L2 + 0.05) of the
// lighter and darker colour's luminance over linear light, 1 (same) to 21
// (black on white). Body text wants 4.5 or more.
double contrastRatio(uint32_t a, uint32_t b);
// c, or c moved towards white (on a dark ground) or black (on a light one)
// in small steps until it reads at `ratio` on the ground: a bar or frame
// colour used for a word or a sign.
uint32_t readableOn(uint32_t c, uint32_t ground, double ratio = 3.2);
// The seven colours of the title letters, in order.
const std::vector<uint32_t>& titleColors();

// The shared interface palette.
inline constexpr uint32_t kDarkPanel = 0x3A2A1C;
inline constexpr uint32_t kDarkerPanel = 0x241A11;
inline constexpr uint32_t kHeaderBrown = 0x2E2117;
inline constexpr uint32_t kParchment = 0xE9D8B0;
inline constexpr uint32_t kGold = 0xD8A23A;
inline constexpr uint32_t kLightGold = 0xF4C95A;
inline constexpr uint32_t kDeepGold = 0x9C6B1E;
inline constexpr uint32_t kCreamText = 0xF0E2C0;
inline constexpr uint32_t kDarkText = 0x2A2018;      // body text on parchment
inline constexpr uint32_t kParchmentTitle = 0x6C511D;  // gold titles on parchment: kGold at half light
inline constexpr uint32_t kMutedText = 0xA8987A;
inline constexpr uint32_t kBevelLight = 0x7A5F40;
inline constexpr uint32_t kBevelDark = 0x0F0A06;
inline constexpr uint32_t kBrownBorder = 0x5A4631;
inline constexpr uint32_t kBarTrack = 0x120D09;

} // namespace theme
