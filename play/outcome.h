#pragma once
// What a transaction of the run or of the lasting progress tells the screen
// that asked for it: whether it happened, the one sound that answers the
// player, and where the game goes next. The screens turn these into audio
// and stack entries; nothing here knows either.
#include <cstdint>

namespace play {

enum class Sound : std::uint8_t {
    None,
    Click,       // a choice taken (a party change, a stone out of its socket)
    Coin,        // loot or gold taken
    Error,       // refused
    NodeSelect,  // a map node entered
    Place,       // something put in its place (a point, a sold item)
    Star2,       // a stone socketed
    Success,     // bought, hired, healed, begun
};

enum class Next : std::uint8_t {
    Stay,       // the screen goes on
    Back,       // the screen is done and returns to the one below
    Node,       // the entered node's own screen
    BossChest,  // the chest of a beaten boss
    Reward,     // the reward of a won battle
    RunResult,  // the end of the run
};

struct Result {
    bool done = false;  // the change was made and saved (or its save tried)
    Sound sound = Sound::None;
    Next next = Next::Stay;
};

inline Result refused(Sound sound = Sound::Error) { return {false, sound, Next::Stay}; }
inline Result done(Sound sound, Next next = Next::Stay) { return {true, sound, next}; }

} // namespace play
