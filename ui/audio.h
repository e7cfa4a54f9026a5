#pragma once
// Sound effects and music through SDL_mixer. Every call is a no-op while
// audio is not open, so the game runs silent when there is no device.
#include <cstddef>
#include <cstdint>
#include <string>

namespace audio {

// One value per file "assets/audio/sfx_<stem>.ogg", numbered in the byte
// order of the stems (so note10 and note11 sit between note1 and note2).
enum class Sfx : std::int32_t {
    Arrow = 0,
    Bomb = 1,
    Buff = 2,
    CardFlip = 3,
    CastArcane = 4,
    CastFire = 5,
    CastHoly = 6,
    CastIce = 7,
    CastLightning = 8,
    CastNature = 9,
    ChestOpen = 10,
    ChestPop = 11,
    Click = 12,
    Coin = 13,
    CoinFlip = 14,
    CoinLand = 15,
    Crit = 16,
    Death = 17,
    Defeat = 18,
    DiceLand = 19,
    DiceRoll = 20,
    Error = 21,
    GateBad = 22,
    GateGood = 23,
    Heal = 24,
    Hint = 25,
    HitPhys = 26,
    Item = 27,
    Levelup = 28,
    Lifesteal = 29,
    Match = 30,
    NodeSelect = 31,
    Note0 = 32,
    Note1 = 33,
    Note10 = 34,
    Note11 = 35,
    Note2 = 36,
    Note3 = 37,
    Note4 = 38,
    Note5 = 39,
    Note6 = 40,
    Note7 = 41,
    Note8 = 42,
    Note9 = 43,
    Place = 44,
    Pop = 45,
    Remove = 46,
    Rest = 47,
    Revive = 48,
    Shuffle = 49,
    Slash = 50,
    Star1 = 51,
    Star2 = 52,
    Star3 = 53,
    Success = 54,
    Whack = 55,
    WinGlare = 56,
    Xp = 57,
};

inline constexpr int kSfxCount = 58;

// The file stem of an effect ("card_flip"); null outside 0..57.
const char* sfxStem(Sfx s);

// Opens the device and loads the music; true when audio is open (also when
// it already was). A missing file costs only that sound.
bool init();
// Decodes the effects that are not yet decoded, in their order, until
// budgetSeconds have passed (at least one a call; 0 decodes one); true when
// all are done (or audio is closed). The frame loop calls it after each
// frame it has shown, so the first frame does not wait for the sounds; an
// effect played before its turn is decoded when it is played.
bool decodeEffects(double budgetSeconds);
void shutdown();

// Off halts the music; on resumes it when it had been started.
void setEnabled(bool on);
void setMusicVolume(double v);  // held to 0..1
void setSfxVolume(double v);    // held to 0..1; 0 silences every effect
void startMusic();
void stopMusic();

void play(Sfx s);
void playLoseSound();
// win_glare at once, then note7 and note9 after 220 ms and note11 after 440 ms.
void playWinFanfare();
// Once a frame: plays the delayed effects that have come due and lets go of
// the copies of effects that have finished playing.
void tick();
// Bytes of decoded sound held for effects: each decoded effect (one channel
// when its file is mono) and one stereo copy of each of those still playing.
std::size_t effectBytes();

// The effect of step i (held to 0..11) of the rising scale note0..note11.
Sfx note(int i);

// Seams for tests. A tree whose "assets/audio" replaces the asset directory's
// (empty restores it); a millisecond clock that replaces SDL's tick counter
// (null restores it).
void setAssetRoot(const std::string& root);
void setClock(std::uint32_t (*clock)());
// Test-only: called with every effect that is about to be started on a
// mixer channel, so a test can list what was played (null removes it).
void setPlayObserver(void (*observer)(Sfx));

} // namespace audio
