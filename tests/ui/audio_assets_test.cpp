// The shipped sounds: every file present, Ogg Vorbis at 44.1 kHz, decodable by
// the mixer, neither silent nor clipped, at a shared loudness, with quiet ends;
// the music long enough and without a seam at its loop point.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ui/audio.h"

namespace {

constexpr int kRate = 44100;
const double kCeiling = std::pow(10.0, -0.5 / 20);  // -0.5 dBFS: above it a sound counts as clipped
const std::string kAudioDir = std::string(VEL_SOURCE_DIR) + "/assets/audio/";

struct OggInfo {
    bool vorbis = false;
    int channels = 0;
    std::uint32_t rate = 0;
};

// Reads the identification header from the first Ogg page.
OggInfo oggInfo(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<unsigned char> b((std::istreambuf_iterator<char>(in)), {});
    OggInfo info;
    if (b.size() < 28 || std::memcmp(b.data(), "OggS", 4) != 0) return info;
    const size_t packet = 27 + b[26];
    if (b.size() < packet + 16 || b[packet] != 1 || std::memcmp(&b[packet + 1], "vorbis", 6) != 0) return info;
    info.vorbis = true;
    info.channels = b[packet + 11];
    info.rate = b[packet + 12] | b[packet + 13] << 8 | b[packet + 14] << 16 | std::uint32_t(b[packet + 15]) << 24;
    return info;
}

double db(double amplitude) { return 20.0 * std::log10(std::max(amplitude, 1e-9)); }

// A decoded sound as the mixer holds it: interleaved stereo 16-bit frames.
struct Pcm {
    std::vector<std::int16_t> s;

    size_t frames() const { return s.size() / 2; }
    double seconds() const { return double(frames()) / kRate; }
    double peak() const {
        int p = 0;
        for (std::int16_t v : s) p = std::max(p, std::abs(int(v)));
        return p / 32768.0;
    }
    double rms(size_t from, size_t count) const {
        double sum = 0;
        for (size_t i = 2 * from; i < 2 * (from + count); ++i) sum += double(s[i]) * s[i];
        return std::sqrt(sum / (2.0 * count)) / 32768.0;
    }
    // The RMS of the loudest 50 ms stretch (the whole sound when shorter).
    double loudness() const {
        const size_t win = std::min<size_t>(frames(), kRate / 20);
        double best = 0;
        for (size_t at = 0; at + win <= frames(); at += kRate / 200) best = std::max(best, rms(at, win));
        return best;
    }
    double edge(size_t frame) const {
        return std::max(std::abs(int(s[2 * frame])), std::abs(int(s[2 * frame + 1]))) / 32768.0;
    }
};

class AudioAssets : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_AUDIO), 0) << SDL_GetError();
        ASSERT_EQ(Mix_OpenAudio(kRate, AUDIO_S16SYS, 2, 1024), 0) << Mix_GetError();
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

    static bool decode(const std::string& path, Pcm* out) {
        Mix_Chunk* c = Mix_LoadWAV(path.c_str());
        if (!c) return false;
        const auto* p = reinterpret_cast<const std::int16_t*>(c->abuf);
        out->s.assign(p, p + c->alen / 2);
        Mix_FreeChunk(c);
        return out->frames() > 0;
    }
};

} // namespace

TEST_F(AudioAssets, EveryEffectIsPresentDecodableAndLevelled) {
    for (int i = 0; i < audio::kSfxCount; ++i) {
        const std::string stem = audio::sfxStem(static_cast<audio::Sfx>(i));
        const std::string path = kAudioDir + "sfx_" + stem + ".ogg";
        SCOPED_TRACE(stem);

        const OggInfo info = oggInfo(path);
        ASSERT_TRUE(info.vorbis) << path << " is missing or no Ogg Vorbis";
        EXPECT_EQ(info.rate, 44100u);
        Pcm pcm;
        ASSERT_TRUE(decode(path, &pcm)) << Mix_GetError();

        EXPECT_GT(pcm.seconds(), 0.03);
        EXPECT_LT(pcm.seconds(), 4.0) << "effects are short";
        EXPECT_LT(pcm.peak(), kCeiling) << "clipped";
        EXPECT_GT(db(pcm.peak()), -16.0) << "too quiet";
        // One loudness for all, give or take the quiet click and the punchy hits.
        EXPECT_GT(db(pcm.loudness()), -26.0);
        EXPECT_LT(db(pcm.loudness()), -7.0);
        // Faded ends: no click when a sound starts or stops. The codec smears
        // a sharp attack a little ahead of itself, hence the looser start.
        EXPECT_LT(pcm.edge(0), 0.05);
        EXPECT_LT(pcm.edge(pcm.frames() - 1), 0.01);
    }
}

TEST_F(AudioAssets, MusicLoopsWithoutASeam) {
    const std::string path = kAudioDir + "bgm_calm.ogg";
    const OggInfo info = oggInfo(path);
    ASSERT_TRUE(info.vorbis);
    EXPECT_EQ(info.rate, 44100u);
    EXPECT_EQ(info.channels, 2);
    Pcm pcm;
    ASSERT_TRUE(decode(path, &pcm));

    EXPECT_GT(pcm.seconds(), 45.0);
    EXPECT_LT(pcm.seconds(), 90.0);
    EXPECT_LT(pcm.peak(), kCeiling) << "clipped";
    const double level = pcm.rms(0, pcm.frames());
    EXPECT_GT(db(level), -28.0);
    EXPECT_LT(db(level), -12.0);

    // No fade at either end: the loop runs on at full level.
    const size_t tenth = kRate / 10;
    EXPECT_GT(pcm.rms(0, tenth), 0.3 * level);
    EXPECT_GT(pcm.rms(pcm.frames() - tenth, tenth), 0.3 * level);

    // The step from the last frame to the first is an ordinary one.
    for (int ch = 0; ch < 2; ++ch) {
        std::vector<int> steps;
        for (size_t f = 1; f < pcm.frames(); ++f) steps.push_back(std::abs(pcm.s[2 * f + ch] - pcm.s[2 * f - 2 + ch]));
        std::nth_element(steps.begin(), steps.begin() + steps.size() * 99 / 100, steps.end());
        const int p99 = steps[steps.size() * 99 / 100];
        const int seam = std::abs(pcm.s[ch] - pcm.s[2 * (pcm.frames() - 1) + ch]);
        EXPECT_LE(seam, 2 * p99) << "channel " << ch;
    }
}
