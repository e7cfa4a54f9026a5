#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/test_env.h"
#include "ui/audio.h"

namespace fs = std::filesystem;

namespace {

std::uint32_t g_now = 0;
std::uint32_t fakeClock() { return g_now; }

const std::string kSource = VEL_SOURCE_DIR;

std::string effectFile(const std::string& root, audio::Sfx fx) {
    return root + "/assets/audio/sfx_" + audio::sfxStem(fx) + ".ogg";
}

// Runs fn with standard error sent to a file and returns what was written.
std::string captureStderr(const std::function<void()>& fn) {
    const std::string path = testenv::root() + "/stderr.txt";
    std::fflush(stderr);
    FILE* f = std::fopen(path.c_str(), "w");
    const int saved = dup(2);
    dup2(fileno(f), 2);
    fn();
    std::fflush(stderr);
    dup2(saved, 2);
    close(saved);
    std::fclose(f);
    std::ifstream in(path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// An environment variable as it was, put back when the guard goes: a driver
// chosen here must not reach the later tests of the same process (a disk
// driver without its file records into the working directory).
class EnvRestore {
public:
    explicit EnvRestore(const char* name) : name_(name) {
        if (const char* v = std::getenv(name)) old_ = v;
    }
    ~EnvRestore() {
        if (old_) setenv(name_, old_->c_str(), 1);
        else unsetenv(name_);
    }
    EnvRestore(const EnvRestore&) = delete;
    EnvRestore& operator=(const EnvRestore&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

class Audio : public ::testing::Test {
protected:
    void SetUp() override {
        // Earlier tests in this process (screen harnesses) may have left the
        // device open with effects still playing.
        audio::shutdown();
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        audio::setAssetRoot(kSource);
        audio::setClock(nullptr);
        audio::setEnabled(true);
        audio::setMusicVolume(0.1);
        audio::setSfxVolume(0.5);
    }
    void TearDown() override {
        audio::shutdown();
        audio::setAssetRoot("");
        audio::setClock(nullptr);
    }

    EnvRestore driver_{"SDL_AUDIODRIVER"};
    EnvRestore diskFile_{"SDL_DISKAUDIOFILE"};

    // Whether channel ch plays the given effect, judged by the decoded sound
    // itself, so the test does not trust the module's own bookkeeping.
    static bool channelPlays(int ch, audio::Sfx fx) {
        Mix_Chunk* playing = Mix_Playing(ch) ? Mix_GetChunk(ch) : nullptr;
        Mix_Chunk* ref = Mix_LoadWAV(effectFile(kSource, fx).c_str());
        const bool same = playing && ref && playing->alen == ref->alen &&
                          std::memcmp(playing->abuf, ref->abuf, ref->alen) == 0;
        if (ref) Mix_FreeChunk(ref);
        return same;
    }
};

} // namespace

TEST(AudioTables, StemsAndNotes) {
    // Callers pass the numbers, which are the byte order of the file stems.
    for (int i = 1; i < audio::kSfxCount; ++i) {
        EXPECT_LT(std::strcmp(audio::sfxStem(static_cast<audio::Sfx>(i - 1)),
                              audio::sfxStem(static_cast<audio::Sfx>(i))), 0) << i;
    }
    EXPECT_STREQ(audio::sfxStem(audio::Sfx::Click), "click");
    EXPECT_STREQ(audio::sfxStem(audio::Sfx::WinGlare), "win_glare");
    EXPECT_EQ(audio::sfxStem(static_cast<audio::Sfx>(audio::kSfxCount)), nullptr);
    EXPECT_EQ(audio::sfxStem(static_cast<audio::Sfx>(-1)), nullptr);

    for (int i = 0; i < 12; ++i) {
        EXPECT_EQ(audio::sfxStem(audio::note(i)), "note" + std::to_string(i));
    }
    EXPECT_EQ(audio::note(-3), audio::Sfx::Note0);
    EXPECT_EQ(static_cast<int>(audio::note(20)), 35);
}

TEST_F(Audio, OpensOnceOnTheDummyDriver) {
    ASSERT_TRUE(audio::init());
    ASSERT_TRUE(audio::init());
    int freq = 0, channels = 0;
    Uint16 format = 0;
    EXPECT_EQ(Mix_QuerySpec(&freq, &format, &channels), 1) << "the device is opened once";
    EXPECT_EQ(freq, 44100);
    EXPECT_EQ(channels, 2);
    EXPECT_EQ(Mix_AllocateChannels(-1), 24);
    EXPECT_EQ(Mix_VolumeMusic(-1), 12) << "the default music volume 0.1";

    audio::shutdown();
    EXPECT_EQ(Mix_QuerySpec(&freq, &format, &channels), 0);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    ASSERT_TRUE(audio::init()) << "opens again after a shutdown";
}

TEST_F(Audio, NoDeviceLeavesTheGameSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    bool opened = true;
    const std::string err = captureStderr([&] { opened = audio::init(); });
    EXPECT_FALSE(opened);
    EXPECT_EQ(err.rfind("[audio] kein Klang-Subsystem: ", 0), 0u) << err;
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;

    audio::startMusic();
    audio::play(audio::Sfx::Coin);
    audio::playWinFanfare();
    audio::tick();
    int freq = 0, channels = 0;
    Uint16 format = 0;
    EXPECT_EQ(Mix_QuerySpec(&freq, &format, &channels), 0);
}

TEST_F(Audio, MusicVolumeIsHeldAndApplied) {
    struct Case {
        double set;
        int mixer;
    };
    // Set before opening: applied when the device opens.
    audio::setMusicVolume(0.5);
    ASSERT_TRUE(audio::init());
    EXPECT_EQ(Mix_VolumeMusic(-1), 64);
    for (Case c : {Case{1.7, 128}, Case{-0.2, 0}, Case{0.1, 12}, Case{1.0, 128}}) {
        audio::setMusicVolume(c.set);
        EXPECT_EQ(Mix_VolumeMusic(-1), c.mixer) << c.set;
    }
}

TEST_F(Audio, PlayUsesTheEffectVolumeOnTheFirstFreeChannel) {
    ASSERT_TRUE(audio::init());
    audio::setSfxVolume(0.5);
    audio::play(audio::Sfx::Coin);
    audio::setSfxVolume(2.0);
    audio::play(audio::Sfx::Crit);
    audio::playLoseSound();

    EXPECT_TRUE(channelPlays(0, audio::Sfx::Coin));
    EXPECT_TRUE(channelPlays(1, audio::Sfx::Crit));
    EXPECT_TRUE(channelPlays(2, audio::Sfx::Defeat));
    EXPECT_EQ(Mix_VolumeChunk(Mix_GetChunk(0), -1), 64);
    EXPECT_EQ(Mix_VolumeChunk(Mix_GetChunk(1), -1), 128) << "held to 1";
}

// Opening decodes no effect, so the first frame waits for none; the frame
// loop decodes them after its frames, and one played before its turn is
// decoded on the spot.
TEST_F(Audio, EffectsAreDecodedAfterOpeningAndWhenFirstPlayed) {
    ASSERT_TRUE(audio::init());
    audio::play(audio::Sfx::Xp);  // the last in order, asked for first
    EXPECT_TRUE(channelPlays(0, audio::Sfx::Xp));
    int calls = 1;
    while (!audio::decodeEffects(0) && calls <= audio::kSfxCount) ++calls;
    EXPECT_EQ(calls, audio::kSfxCount) << "without a budget, one effect a call";
    EXPECT_TRUE(audio::decodeEffects(0)) << "nothing left";
    Mix_HaltChannel(-1);  // the first may have ended or not, by how long decoding took
    audio::play(audio::Sfx::Arrow);
    EXPECT_TRUE(channelPlays(0, audio::Sfx::Arrow));

    audio::shutdown();
    EXPECT_TRUE(audio::decodeEffects(0)) << "closed: nothing to decode";
    ASSERT_TRUE(audio::init());
    EXPECT_FALSE(audio::decodeEffects(0)) << "opened again: decoded afresh";
}

// The effects are mono files on a stereo device: each is kept as one
// channel, half of what the mixer decodes, and widened into a copy while it
// plays, one copy however many channels play it, which goes once the last
// of them has finished.
TEST_F(Audio, MonoEffectsAreHeldAsOneChannelAndCopiedOnlyWhilePlaying) {
    ASSERT_TRUE(audio::init());
    while (!audio::decodeEffects(1)) {
    }
    std::size_t decoded = 0;
    std::size_t coin = 0;
    std::size_t click = 0;
    for (int i = 0; i < audio::kSfxCount; ++i) {
        Mix_Chunk* ref = Mix_LoadWAV(effectFile(kSource, static_cast<audio::Sfx>(i)).c_str());
        ASSERT_NE(ref, nullptr) << i;
        decoded += ref->alen;
        if (static_cast<audio::Sfx>(i) == audio::Sfx::Coin) coin = ref->alen;
        if (static_cast<audio::Sfx>(i) == audio::Sfx::Click) click = ref->alen;
        Mix_FreeChunk(ref);
    }
    const std::size_t held = audio::effectBytes();
    EXPECT_EQ(2 * held, decoded) << "one channel of every effect";

    audio::play(audio::Sfx::Coin);
    audio::play(audio::Sfx::Coin);
    audio::play(audio::Sfx::Click);
    EXPECT_TRUE(channelPlays(0, audio::Sfx::Coin));
    EXPECT_TRUE(channelPlays(1, audio::Sfx::Coin)) << "the same effect twice, each whole";
    EXPECT_TRUE(channelPlays(2, audio::Sfx::Click));
    EXPECT_EQ(audio::effectBytes(), held + coin + click) << "one copy of the coin for both channels";
    audio::tick();
    EXPECT_EQ(audio::effectBytes(), held + coin + click) << "still playing: kept";
    Mix_HaltChannel(0);
    Mix_HaltChannel(2);
    audio::tick();
    EXPECT_EQ(audio::effectBytes(), held + coin) << "the click's copy goes, the coin still plays on channel 1";
    EXPECT_TRUE(channelPlays(1, audio::Sfx::Coin));
    Mix_HaltChannel(1);
    audio::play(audio::Sfx::Coin);
    EXPECT_TRUE(channelPlays(0, audio::Sfx::Coin)) << "played again after its copy was last heard";
    EXPECT_EQ(audio::effectBytes(), held + coin);
    audio::shutdown();
    EXPECT_EQ(audio::effectBytes(), 0u);
}

TEST_F(Audio, EffectsNeedSoundOnAndAVolume) {
    ASSERT_TRUE(audio::init());
    audio::setEnabled(false);
    audio::play(audio::Sfx::Coin);
    audio::playWinFanfare();
    EXPECT_EQ(Mix_Playing(-1), 0);

    audio::setEnabled(true);
    audio::setSfxVolume(-1.0);
    audio::play(audio::Sfx::Coin);
    audio::playLoseSound();
    audio::playWinFanfare();
    EXPECT_EQ(Mix_Playing(-1), 0);

    // Nothing was queued while silent: later ticks play nothing either.
    audio::setSfxVolume(0.5);
    SDL_Delay(500);
    audio::tick();
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(Audio, FanfareNotesFollowInOrderAcrossTheTickWrap) {
    g_now = 0xFFFFFF00u;  // 256 ms before the counter wraps: note11 falls due after it
    audio::setClock(fakeClock);
    ASSERT_TRUE(audio::init());
    audio::playWinFanfare();
    EXPECT_TRUE(channelPlays(0, audio::Sfx::WinGlare));
    EXPECT_EQ(Mix_Playing(-1), 1);

    g_now += 219;
    audio::tick();
    EXPECT_EQ(Mix_Playing(-1), 1) << "nothing is due yet";

    g_now += 1;
    audio::tick();
    EXPECT_EQ(Mix_Playing(-1), 3) << "note11 must wait for its own time";
    EXPECT_TRUE(channelPlays(1, audio::Sfx::Note7)) << "queue order within one tick";
    EXPECT_TRUE(channelPlays(2, audio::Sfx::Note9));

    g_now += 219;  // past the wrap now
    audio::tick();
    EXPECT_EQ(Mix_Playing(-1), 3);

    g_now += 1;
    audio::tick();
    EXPECT_EQ(Mix_Playing(-1), 4);
    EXPECT_TRUE(channelPlays(3, audio::Sfx::Note11));

    g_now += 1000;
    audio::tick();
    EXPECT_EQ(Mix_Playing(-1), 4) << "each note plays once";
}

TEST_F(Audio, QueuedNotesFallSilentWhenSoundGoesOff) {
    g_now = 1000;
    audio::setClock(fakeClock);
    ASSERT_TRUE(audio::init());
    audio::playWinFanfare();
    audio::setEnabled(false);
    g_now += 500;
    audio::tick();
    audio::setEnabled(true);
    audio::tick();
    EXPECT_EQ(Mix_Playing(-1), 1) << "only win_glare; the notes came due while sound was off";
}

TEST_F(Audio, MusicFollowsTheSoundSwitch) {
    ASSERT_TRUE(audio::init());
    audio::startMusic();
    EXPECT_TRUE(Mix_PlayingMusic());

    audio::setEnabled(false);
    EXPECT_FALSE(Mix_PlayingMusic());
    audio::startMusic();
    EXPECT_FALSE(Mix_PlayingMusic()) << "asked for, but sound is off";
    audio::setEnabled(true);
    EXPECT_TRUE(Mix_PlayingMusic()) << "resumes when sound comes back";

    audio::stopMusic();
    EXPECT_FALSE(Mix_PlayingMusic());
    audio::setEnabled(false);
    audio::setEnabled(true);
    EXPECT_FALSE(Mix_PlayingMusic()) << "a stopped music stays stopped";
}

TEST_F(Audio, SoundOffFromTheStartGivesEffectsButNoMusicWhenSwitchedOn) {
    audio::setEnabled(false);
    ASSERT_TRUE(audio::init());
    audio::setEnabled(true);
    EXPECT_FALSE(Mix_PlayingMusic());
    audio::play(audio::Sfx::Click);
    EXPECT_EQ(Mix_Playing(-1), 1);
    audio::startMusic();
    EXPECT_TRUE(Mix_PlayingMusic());
}

TEST_F(Audio, MissingFilesAreReportedAndTheRestLoads) {
    // A tree holding every effect but one, and no music.
    const std::string root = testenv::root() + "/partial-assets";
    fs::remove_all(root);
    fs::create_directories(root + "/assets/audio");
    for (int i = 0; i < audio::kSfxCount; ++i) {
        const auto fx = static_cast<audio::Sfx>(i);
        if (fx != audio::Sfx::Hint) fs::create_symlink(effectFile(kSource, fx), effectFile(root, fx));
    }
    audio::setAssetRoot(root);

    bool opened = false;
    bool decoded = false;
    const std::string err = captureStderr([&] {
        opened = audio::init();
        decoded = audio::decodeEffects(60);
    });
    ASSERT_TRUE(opened);
    ASSERT_TRUE(decoded);

    // The music is opened at once, the effects after it.
    const std::string effectLine = "[audio] Effekt fehlt: " + effectFile(root, audio::Sfx::Hint) + " (";
    const std::string musicLine = "[audio] Musik fehlt: " + root + "/assets/audio/bgm_calm.ogg (";
    ASSERT_EQ(std::count(err.begin(), err.end(), '\n'), 2) << err;
    const std::string first = err.substr(0, err.find('\n') + 1);
    const std::string second = err.substr(first.size());
    EXPECT_EQ(first.rfind(musicLine, 0), 0u) << err;
    EXPECT_EQ(first.substr(first.size() - 2), ")\n");
    EXPECT_EQ(second.rfind(effectLine, 0), 0u) << err;
    EXPECT_EQ(second.substr(second.size() - 2), ")\n");

    audio::play(audio::Sfx::Hint);
    EXPECT_EQ(Mix_Playing(-1), 0);
    audio::play(audio::Sfx::Match);
    EXPECT_TRUE(channelPlays(0, audio::Sfx::Match));
    audio::startMusic();
    EXPECT_FALSE(Mix_PlayingMusic());
}

TEST_F(Audio, DiskDriverRecordsWhatPlays) {
    struct Case {
        const char* name;
        std::function<void()> start;
        bool sound;
    };
    const std::vector<Case> cases = {
        {"idle", [] {}, false},
        {"effect", [] { audio::play(audio::Sfx::Crit); }, true},
        {"music", [] { audio::startMusic(); }, true},
    };
    audio::setSfxVolume(1.0);
    audio::setMusicVolume(1.0);
    for (const Case& c : cases) {
        const std::string file = testenv::root() + "/mix-" + c.name + ".raw";
        setenv("SDL_AUDIODRIVER", "disk", 1);
        setenv("SDL_DISKAUDIOFILE", file.c_str(), 1);
        ASSERT_TRUE(audio::init()) << c.name;
        c.start();
        SDL_Delay(300);
        audio::shutdown();

        std::ifstream in(file, std::ios::binary);
        std::vector<char> bytes((std::istreambuf_iterator<char>(in)), {});
        ASSERT_GT(bytes.size(), 4096u) << c.name << ": the recording is missing";
        int peak = 0;
        for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
            std::int16_t v;
            std::memcpy(&v, &bytes[i], 2);
            peak = std::max(peak, std::abs(static_cast<int>(v)));
        }
        if (c.sound) {
            EXPECT_GT(peak, 1000) << c.name;
        } else {
            EXPECT_EQ(peak, 0) << c.name;
        }
    }
}
