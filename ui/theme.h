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
// What full-window screens without scenery clear the window to.
inline constexpr uint32_t kScreenFill = 0x1B1410;
// The dark plate under lines that stand on scenery, boxes and panels.
inline constexpr uint32_t kPlateDark = 0x140D09;
// Black of shadows and dimming; white of shines and highlights.
inline constexpr uint32_t kShadowBlack = 0x000000;
inline constexpr uint32_t kShineWhite = 0xFFFFFF;

// --- Texts ---
inline constexpr uint32_t kDimText = 0x917E5E;          // a word that is not available, on a dark ground
inline constexpr uint32_t kFaintLabel = 0x6E5D44;       // a price that cannot be paid, on a dimmed box
inline constexpr uint32_t kBadgeInk = 0x120D09;         // letters on a gold badge
inline constexpr uint32_t kChipInk = 0x140F0A;          // ink on light chips and dice faces
inline constexpr uint32_t kPaleGold = 0xFFE08A;         // gold that reads on the deep gold of a chosen card
inline constexpr uint32_t kPlateRed = 0xFF7A68;         // a red that reads on the dark plate
inline constexpr uint32_t kBrightPlateText = 0xEAF6C8;  // a win or a countdown on the dark plate
inline constexpr uint32_t kLossPlateText = 0xFF9A8A;    // a loss on the dark plate

// --- Status, stats and affinity ---
inline constexpr uint32_t kHpRed = 0xC2382F;         // health bars and damage
inline constexpr uint32_t kHpRedDark = 0x7C2019;     // the track of a health bar
inline constexpr uint32_t kDangerRed = kHpRed;       // foes, failures and what cannot be done
inline constexpr uint32_t kRedText = 0xE0564A;       // kHpRed lightened to read as a word: losses, the fallen
inline constexpr uint32_t kSetRed = 0xE2453A;        // a complete gear set
inline constexpr uint32_t kManaBlue = 0x3A72B2;      // mana bars and mana gains
inline constexpr uint32_t kManaBlueDark = 0x244A78;  // the track of a mana bar
inline constexpr uint32_t kManaText = 0x5590D6;      // kManaBlue lightened to read as a word: costs, affixes
inline constexpr uint32_t kGainGreen = 0x5A9C3A;     // gains, heals, the party's own, a match
inline constexpr uint32_t kPoisonGreen = 0x7BBF3A;
inline constexpr uint32_t kBurnOrange = 0xE3692A;
inline constexpr uint32_t kCurseViolet = 0xA85AD8;  // weakening effects
inline constexpr uint32_t kCurseGlow = 0xE6B8FF;
inline constexpr uint32_t kSparkYellow = 0xFFE27A;  // blessings and the stars of a stunned unit
inline constexpr uint32_t kSparkGlow = 0xFFF8D0;
inline constexpr uint32_t kReviveYellow = 0xF4E25A;
inline constexpr uint32_t kRuneBlue = 0x5FB6D8;  // runes and their stones

// --- Battle ---
// The consumables' bursts: a core and its glow per effect.
inline constexpr uint32_t kHealCore = 0xD8443A;
inline constexpr uint32_t kHealGlow = 0xFF9AA0;
inline constexpr uint32_t kManaCore = kManaBlue;
inline constexpr uint32_t kManaGlow = 0x9FD0FF;
inline constexpr uint32_t kReviveCore = kReviveYellow;
inline constexpr uint32_t kReviveGlow = 0xFFFBE0;
inline constexpr uint32_t kPurifyCore = 0x4AC8A8;
inline constexpr uint32_t kPurifyGlow = 0xC8FFE8;
inline constexpr uint32_t kAttackUpCore = kBurnOrange;
inline constexpr uint32_t kAttackUpGlow = 0xFFD08A;
inline constexpr uint32_t kItemCore = 0x9AA3B2;
inline constexpr uint32_t kItemGlow = kShineWhite;
// The fire shot of the effects.
inline constexpr uint32_t kEmberCore = 0xFF7A2A;
inline constexpr uint32_t kEmberGlow = 0xFFE08A;
// The trees at the field's edge and the field's shade.
inline constexpr uint32_t kTreeCrown = 0x3C6F28;
inline constexpr uint32_t kTreeCrownEdge = 0x244A18;
inline constexpr uint32_t kTreeCrownLight = 0x4F8A3A;
inline constexpr uint32_t kTreeTrunk = 0x5A341A;
inline constexpr uint32_t kFieldShade = 0x0C1808;
// A fallen unit's soul.
inline constexpr uint32_t kSoulFill = 0xCFD6E4;
inline constexpr uint32_t kSoulEdge = 0x7F8798;
// The edges of the status chips.
inline constexpr uint32_t kBuffChipEdge = 0x15300F;
inline constexpr uint32_t kDebuffChipEdge = 0x3A0F0F;

// --- Map and run ---
inline constexpr uint32_t kRoad = 0x5E4324;
inline constexpr uint32_t kRoadTaken = kDeepGold;
inline constexpr uint32_t kRowMark = 0x4A3518;
inline constexpr uint32_t kRowMarkEdge = 0x6E5024;
inline constexpr uint32_t kNodeFill = kDarkerPanel;
// The node types' colours.
inline constexpr uint32_t kNodeBattle = kDangerRed;
inline constexpr uint32_t kNodeElite = kBurnOrange;
inline constexpr uint32_t kNodeRest = kGainGreen;
inline constexpr uint32_t kNodeTreasure = kGold;
inline constexpr uint32_t kNodeShop = kManaBlue;
inline constexpr uint32_t kNodeBoss = 0xE3C23A;  // the epic rarity's colour
inline constexpr uint32_t kNodeStart = kMutedText;
inline constexpr uint32_t kNodeDice = kLightGold;
inline constexpr uint32_t kNodeShell = kGainGreen;
inline constexpr uint32_t kNodeMemory = 0xB06AC8;
inline constexpr uint32_t kNodeWhack = 0xD08A3A;
inline constexpr uint32_t kNodeCoin = kGold;
// The city's places.
inline constexpr uint32_t kPlaceParty = kManaBlue;
inline constexpr uint32_t kPlaceTrainer = kCurseViolet;
inline constexpr uint32_t kPlaceScrolls = 0x7FB0E8;
inline constexpr uint32_t kPlaceKaserne = kDangerRed;
inline constexpr uint32_t kPlaceRuneTower = 0x7FE8E8;
inline constexpr uint32_t kPlaceWeaponsmith = 0xB5703A;
inline constexpr uint32_t kPlaceArmourer = kRuneBlue;
inline constexpr uint32_t kPlaceApothecary = kGainGreen;
inline constexpr uint32_t kPlaceTavern = kGold;
// The rest site's night.
inline constexpr uint32_t kNightPlate = 0x080A16;
inline constexpr uint32_t kNightPanel = 0x0C1020;
// The run's end: the sky of a defeat, the falling confetti, the grave.
inline constexpr uint32_t kDefeatSky = 0x2A0606;
inline constexpr uint32_t kDefeatShadow = 0x7A0A0A;
inline constexpr uint32_t kConfettiOrange = 0xC86A3A;
inline constexpr uint32_t kConfettiGrey = 0x8A8A92;
inline constexpr uint32_t kGraveStone = 0x9098A0;
inline constexpr uint32_t kGraveStoneEdge = 0x262A31;
inline constexpr uint32_t kGraveCross = 0x5A616B;
inline constexpr uint32_t kGraveMound = 0x3A2A1A;
inline constexpr uint32_t kGraveMoundEdge = 0x23190F;
inline constexpr uint32_t kSoulHead = 0xDCE4F2;
inline constexpr uint32_t kSoulBody = 0xB8C4DC;

// --- Minigames ---
inline constexpr uint32_t kCoinRainbow[7] = {0xFF5A5A, 0xFFB13A, 0xFFE24A, 0x7EE787, 0x5AD7FF, 0x9A7BFF, 0xFF7BD5};
inline constexpr uint32_t kCoinMarkInk = 0x3A2410;
inline constexpr uint32_t kPlayerPip = 0x1C2A4A;
inline constexpr uint32_t kRoguePip = 0x7A2030;
inline constexpr uint32_t kDieFace = 0xF0EAD8;
inline constexpr uint32_t kDieHidden = 0x2A2218;
inline constexpr uint32_t kDieHiddenEdge = 0x4A3A24;
inline constexpr uint32_t kDieHiddenMark = 0x948262;
inline constexpr uint32_t kCardFace = 0xF0EAD8;
inline constexpr uint32_t kCardBack = 0x2A1F3A;
inline constexpr uint32_t kCardBackLine = kNodeMemory;
inline constexpr uint32_t kCupWood = 0x9A5A2A;
inline constexpr uint32_t kCupBand = 0xC2823A;
inline constexpr uint32_t kNut = 0xE6DCC2;
inline constexpr uint32_t kNutRing = 0x8A7A3A;
inline constexpr uint32_t kMoleHole = 0x241A10;
inline constexpr uint32_t kMoleHoleLine = 0x3A2A18;
inline constexpr uint32_t kMoleMouth = 0x5A341A;
inline constexpr uint32_t kHammerHead = 0x33333B;
inline constexpr uint32_t kHammerHandle = 0xB07A3A;
inline constexpr uint32_t kHitFlash = 0xFFF7CC;
inline constexpr uint32_t kHitSpark = 0xFFF2B0;

} // namespace theme
