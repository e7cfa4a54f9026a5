#include "ui/audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <cstdio>
#include <map>
#include <vector>

#include "platform/paths.h"

namespace audio {
namespace {

constexpr std::array<const char*, kSfxCount> kStems = {
    "arrow",     "bomb",      "buff",      "card_flip",   "cast_arcane", "cast_fire",      "cast_holy",
    "cast_ice",  "cast_lightning",         "cast_nature", "chest_open",  "chest_pop",      "click",
    "coin",      "coin_flip", "coin_land", "crit",        "death",       "defeat",         "dice_land",
    "dice_roll", "error",     "gate_bad",  "gate_good",   "heal",        "hint",           "hit_phys",
    "item",      "levelup",   "lifesteal", "match",       "node_select", "note0",          "note1",
    "note10",    "note11",    "note2",     "note3",       "note4",       "note5",          "note6",
    "note7",     "note8",     "note9",     "place",       "pop",         "remove",         "rest",
    "revive",    "shuffle",   "slash",     "star1",       "star2",       "star3",          "success",
    "whack",     "win_glare", "xp",
};

constexpr std::array<Sfx, kSfxCount> kAllSfx = [] {
    std::array<Sfx, kSfxCount> all{};
    for (int i = 0; i < kSfxCount; ++i) all[i] = static_cast<Sfx>(i);
    return all;
}();

constexpr std::array<Sfx, 12> kNotes = {Sfx::Note0, Sfx::Note1, Sfx::Note2, Sfx::Note3, Sfx::Note4,  Sfx::Note5,
                                        Sfx::Note6, Sfx::Note7, Sfx::Note8, Sfx::Note9, Sfx::Note10, Sfx::Note11};

constexpr const char* kMusicFile = "assets/audio/bgm_calm.ogg";
constexpr int kChannels = 24;

struct Pending {
    int sfx = 0;
    std::uint32_t due = 0;
};

std::uint32_t sdlTicks() { return SDL_GetTicks(); }

// An effect played from its mono samples: the stereo copy the mixer reads,
// shared by every channel that plays the effect and kept until the last of
// them has finished with it. The copy is freed by hand only: at exit the
// mixer's thread may still be reading it.
struct Voice {
    Mix_Chunk* chunk = nullptr;
    Sint16* frames = nullptr;  // left and right alike
    std::size_t samples = 0;
};

void release(Voice& v) {
    if (v.chunk) Mix_FreeChunk(v.chunk);  // quick-loaded: the samples are the voice's own
    delete[] v.frames;
    v = Voice{};
}

// Destroyed at exit without touching the mixer: by then SDL may be gone.
struct State {
    bool opened = false;
    bool enabled = true;
    double musicVolume = 0.1;
    double sfxVolume = 0.2;
    bool musicWanted = false;
    Mix_Music* music = nullptr;
    std::map<Sfx, Mix_Chunk*> chunks;
    // The effects are mono and the device stereo: decoded, each is kept as
    // one channel (half the memory) and widened when played.
    std::map<Sfx, std::vector<Sint16>> monos;
    std::map<Sfx, Voice> voices;  // the stereo copies of the effects playing
    std::array<bool, kSfxCount> decoded{};  // tried, whether or not the file was there
    int nextToDecode = kSfxCount;           // in kAllSfx order
    std::vector<Pending> pending;
    std::string root;  // empty: the asset directory
    std::uint32_t (*clock)() = &sdlTicks;
    void (*observer)(Sfx) = nullptr;
};

State& st() {
    static State s;
    return s;
}

std::string resolve(const std::string& rel) {
    const State& s = st();
    return s.root.empty() ? paths::asset(rel) : s.root + "/" + rel;
}

// The one channel of a decoded sound whose two channels are alike, as the
// mixer widens a mono file for a stereo 16-bit device; false for any other.
bool asMono(const Mix_Chunk& chunk, std::vector<Sint16>* mono) {
    int freq = 0, channels = 0;
    Uint16 format = 0;
    if (Mix_QuerySpec(&freq, &format, &channels) == 0 || format != AUDIO_S16SYS || channels != 2) return false;
    if (chunk.alen % 4 != 0) return false;
    const std::size_t frames = chunk.alen / 4;
    std::vector<Sint16> both(2 * frames);
    std::memcpy(both.data(), chunk.abuf, chunk.alen);
    mono->resize(frames);
    for (std::size_t i = 0; i < frames; ++i) {
        if (both[2 * i] != both[2 * i + 1]) return false;
        (*mono)[i] = both[2 * i];
    }
    return true;
}

bool chunkPlaying(const Mix_Chunk* chunk) {
    for (int ch = 0; ch < kChannels; ++ch) {
        if (Mix_Playing(ch) && Mix_GetChunk(ch) == chunk) return true;
    }
    return false;
}

// Lets go of the stereo copies no channel plays any more.
void reclaimVoices() {
    auto& voices = st().voices;
    for (auto it = voices.begin(); it != voices.end();) {
        if (chunkPlaying(it->second.chunk)) {
            ++it;
            continue;
        }
        release(it->second);
        it = voices.erase(it);
    }
}

void freeVoices() {
    for (auto& [fx, v] : st().voices) release(v);
    st().voices.clear();
}

// Starts a mono effect on the first free channel, from the stereo copy of it
// that is playing already or from a new one.
void playMono(Sfx fx, const std::vector<Sint16>& mono, int volume) {
    State& s = st();
    reclaimVoices();
    auto it = s.voices.find(fx);
    if (it == s.voices.end()) {
        Voice v;
        v.samples = 2 * mono.size();
        v.frames = new Sint16[v.samples];
        for (std::size_t i = 0; i < mono.size(); ++i) v.frames[2 * i] = v.frames[2 * i + 1] = mono[i];
        v.chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(v.frames), static_cast<Uint32>(v.samples * sizeof(Sint16)));
        if (!v.chunk) {
            release(v);
            return;
        }
        it = s.voices.emplace(fx, v).first;
    }
    Mix_VolumeChunk(it->second.chunk, volume);
    // All channels busy: this one is dropped, and with it a copy no one plays.
    if (Mix_PlayChannelTimed(-1, it->second.chunk, 0, -1) < 0 && !chunkPlaying(it->second.chunk)) {
        release(it->second);
        s.voices.erase(it);
    }
}

void decode(Sfx fx) {
    State& s = st();
    const int i = static_cast<int>(fx);
    if (s.decoded[i]) return;
    s.decoded[i] = true;
    const std::string file = resolve(std::string("assets/audio/sfx_") + sfxStem(fx) + ".ogg");
    if (Mix_Chunk* chunk = Mix_LoadWAV_RW(SDL_RWFromFile(file.c_str(), "rb"), 1)) {
        std::vector<Sint16> mono;
        if (asMono(*chunk, &mono)) {
            s.monos[fx] = std::move(mono);
            Mix_FreeChunk(chunk);
        } else {
            s.chunks[fx] = chunk;
        }
    } else {
        std::fprintf(stderr, "[audio] Effekt fehlt: %s (%s)\n", file.c_str(), SDL_GetError());
    }
}

double secondsNow() { return static_cast<double>(SDL_GetPerformanceCounter()) / SDL_GetPerformanceFrequency(); }

void loadMusic() {
    const std::string file = resolve(kMusicFile);
    st().music = Mix_LoadMUS(file.c_str());
    if (!st().music) std::fprintf(stderr, "[audio] Musik fehlt: %s (%s)\n", file.c_str(), SDL_GetError());
}

bool soundAllowed() {
    const State& s = st();
    return s.opened && s.enabled && s.sfxVolume > 0;
}

void resumeMusicIfWanted() {
    const State& s = st();
    if (s.opened && s.enabled && s.musicWanted && s.music && !Mix_PlayingMusic()) Mix_PlayMusic(s.music, -1);
}

void queue(Sfx fx, std::uint32_t now, std::uint32_t delayMs) {
    st().pending.push_back({static_cast<int>(fx), now + delayMs});
}

} // namespace

const char* sfxStem(Sfx s) {
    const int i = static_cast<int>(s);
    return (i >= 0 && i < kSfxCount) ? kStems[i] : nullptr;
}

bool init() {
    State& s = st();
    if (s.opened) return true;
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        std::fprintf(stderr, "[audio] kein Klang-Subsystem: %s\n", SDL_GetError());
        return false;
    }
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
        std::fprintf(stderr, "[audio] Mix_OpenAudio: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    Mix_AllocateChannels(kChannels);
    // The effects are decoded later (decodeEffects), so that the window
    // shows its first frame without waiting for them.
    s.decoded.fill(false);
    s.nextToDecode = 0;
    loadMusic();
    s.opened = true;
    setMusicVolume(s.musicVolume);
    return true;
}

void shutdown() {
    State& s = st();
    if (!s.opened) return;
    s.opened = false;
    s.musicWanted = false;
    s.pending.clear();
    Mix_HaltMusic();
    Mix_HaltChannel(-1);
    if (s.music) Mix_FreeMusic(s.music);
    s.music = nullptr;
    freeVoices();
    for (auto& [fx, chunk] : s.chunks) Mix_FreeChunk(chunk);
    s.chunks.clear();
    s.monos.clear();
    s.nextToDecode = kSfxCount;
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void setEnabled(bool on) {
    State& s = st();
    s.enabled = on;
    if (on) {
        resumeMusicIfWanted();
    } else if (s.opened) {
        Mix_HaltMusic();
    }
}

void setMusicVolume(double v) {
    State& s = st();
    s.musicVolume = std::clamp(v, 0.0, 1.0);
    if (s.opened) Mix_VolumeMusic(static_cast<int>(s.musicVolume * MIX_MAX_VOLUME));
}

void setSfxVolume(double v) { st().sfxVolume = std::clamp(v, 0.0, 1.0); }

void startMusic() {
    st().musicWanted = true;
    resumeMusicIfWanted();
}

void stopMusic() {
    State& s = st();
    s.musicWanted = false;
    if (s.opened) Mix_HaltMusic();
}

bool decodeEffects(double budgetSeconds) {
    State& s = st();
    if (!s.opened) return true;
    const double start = secondsNow();
    while (s.nextToDecode < kSfxCount) {
        decode(kAllSfx[static_cast<std::size_t>(s.nextToDecode++)]);
        if (secondsNow() - start >= budgetSeconds) break;
    }
    return s.nextToDecode >= kSfxCount;
}

void play(Sfx fx) {
    if (!soundAllowed()) return;
    State& s = st();
    const int i = static_cast<int>(fx);
    if (i < 0 || i >= kSfxCount) return;
    decode(fx);  // asked for before its turn came
    const int volume = static_cast<int>(s.sfxVolume * MIX_MAX_VOLUME);
    if (auto mono = s.monos.find(fx); mono != s.monos.end()) {
        if (s.observer) s.observer(fx);
        playMono(fx, mono->second, volume);
        return;
    }
    auto it = s.chunks.find(fx);
    if (it == s.chunks.end()) return;
    if (s.observer) s.observer(fx);
    Mix_VolumeChunk(it->second, volume);
    Mix_PlayChannelTimed(-1, it->second, 0, -1);  // all channels busy: this one is dropped
}

void playLoseSound() { play(Sfx::Defeat); }

void playWinFanfare() {
    if (!soundAllowed()) return;
    play(Sfx::WinGlare);
    const std::uint32_t now = st().clock();
    queue(Sfx::Note7, now, 220);
    queue(Sfx::Note9, now, 220);
    queue(Sfx::Note11, now, 440);
}

void tick() {
    State& s = st();
    if (!s.voices.empty()) reclaimVoices();
    if (s.pending.empty()) return;
    const std::uint32_t now = s.clock();
    std::vector<Pending> waiting;
    std::vector<Pending> due;
    for (const Pending& p : s.pending) {
        // A signed difference keeps the order right across the counter's wrap.
        if (static_cast<std::int32_t>(now - p.due) < 0) {
            waiting.push_back(p);
        } else {
            due.push_back(p);
        }
    }
    s.pending = std::move(waiting);
    for (const Pending& p : due) play(static_cast<Sfx>(p.sfx));
}

std::size_t effectBytes() {
    const State& s = st();
    std::size_t bytes = 0;
    for (const auto& [fx, chunk] : s.chunks) bytes += chunk->alen;
    for (const auto& [fx, mono] : s.monos) bytes += mono.size() * sizeof(Sint16);
    for (const auto& [fx, v] : s.voices) bytes += v.samples * sizeof(Sint16);
    return bytes;
}

Sfx note(int i) { return kNotes[std::clamp(i, 0, 11)]; }

void setAssetRoot(const std::string& root) { st().root = root; }

void setClock(std::uint32_t (*clock)()) { st().clock = clock ? clock : &sdlTicks; }

void setPlayObserver(void (*observer)(Sfx)) { st().observer = observer; }

} // namespace audio
