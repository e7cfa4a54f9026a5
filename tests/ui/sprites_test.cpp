#include <gtest/gtest.h>

#include <cairo.h>

#include <algorithm>
#include <cstring>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/cairo_check.h"
#include "ui/sprite.h"
#include "ui/sprites.h"

namespace {

const char* const kNames =
    "ant antqueen archdemon archer banshee basilisk bat bear beetle behemoth boar caterpillar centaur centipede "
    "cerberus chimera cicada cleric cobra cockatrice condor crab crocodile cyclops demonlord dieb djinn dragon "
    "dragonfly dragonking druide eagle earwig ent fairy fenrir firefly frog frostgiant gargoyle gnoll goblin golem "
    "gorilla griffin grub harpy hornet hornetqueen hydra hydraking hyena imp jackal kelpie kobold kraken lich lion "
    "lizard locust mage mammoth manticore mantis mantislord medusa mermaid minotaur minotaurking mole mosquito moth "
    "mushroom ogre orc owl panther pegasus phoenix phoenixlord python ram rat rhino roach rogue salamander satyr "
    "scarab scorpion serpent shadowking shark skeleton slime snail sphinx spider stag stagbeetle tarantula termite "
    "tick tiger titan toad troll turtle unicorn vampire viper vulture warrior warthog weevil wendigo werewolf wisp "
    "wolf worldserpent wraith wyvern";

// The creatures that monster prefixes recolour.
const char* const kRecolouredBases =
    "wolf spider mushroom wisp imp wraith dragon golem bear serpent boar crocodile rhino panther eagle scorpion toad "
    "rat crab vulture ram stag hyena shark gorilla cobra lion tiger owl turtle frog lizard viper jackal mammoth python "
    "condor warthog beetle hornet mantis ant moth centipede dragonfly locust tick firefly roach grub scarab stagbeetle "
    "caterpillar mosquito termite weevil cicada snail earwig antqueen mantislord hornetqueen tarantula griffin unicorn "
    "phoenix hydra chimera pegasus basilisk minotaur centaur harpy sphinx manticore wyvern cerberus gargoyle troll "
    "fairy djinn kelpie fenrir satyr ent salamander kobold gnoll werewolf banshee mermaid cockatrice wendigo";

const std::set<std::string> k48 = {"archer", "cleric", "dieb", "druide", "mage",
                                   "ogre", "orc", "rogue", "vampire", "warrior"};
const std::set<std::string> k64 = {"archdemon", "behemoth", "cyclops", "demonlord", "dragonking",
                                   "frostgiant", "hydraking", "kraken", "lich", "medusa",
                                   "minotaurking", "phoenixlord", "shadowking", "titan", "worldserpent"};

std::vector<std::string> words(const char* text) {
    std::istringstream in(text);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

// Palette colour of a key, or -1 when the palette lacks it.
long long colourOf(const pixel::Sprite& s, char key) {
    for (int i = 0; i < s.paletteCount; ++i)
        if (s.paletteKeys[i] == key) return s.paletteColours[i];
    return -1;
}

// Index of the first pixel drawn with key, or -1.
int firstPixelOf(const pixel::Sprite& s, char key) {
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            if (s.rows[y][x] == key) return y * s.width + x;
    return -1;
}

void checkRows(const pixel::Sprite& s, const char* const* rows) {
    for (int y = 0; y < s.height; ++y) ASSERT_EQ(std::strlen(rows[y]), size_t(s.width)) << s.name << " row " << y;
}

} // namespace

TEST(SpriteTable, NamesSizesFramesAndRows) {
    int count = 0;
    const pixel::Sprite* t = pixel::spriteTable(&count);
    const auto names = words(kNames);
    ASSERT_EQ(count, 123);
    ASSERT_EQ(names.size(), 123u);
    for (int i = 0; i < count; ++i) {
        const pixel::Sprite& s = t[i];
        SCOPED_TRACE(s.name);
        EXPECT_EQ(names[i], s.name);
        const int size = k48.count(s.name) ? 48 : k64.count(s.name) ? 64 : 32;
        EXPECT_EQ(s.width, size);
        EXPECT_EQ(s.height, size);
        EXPECT_EQ(s.pivotX, size / 2);
        EXPECT_EQ(s.pivotY, size / 2);
        checkRows(s, s.rows);
        // Every sprite stands in battle beside idling ones, so every one idles too.
        ASSERT_NE(s.rows2, nullptr) << "no idle frame";
        checkRows(s, s.rows2);
        bool moves = false;
        for (int y = 0; y < s.height && !moves; ++y) moves = std::strcmp(s.rows[y], s.rows2[y]) != 0;
        EXPECT_TRUE(moves) << "the second frame must differ";
        EXPECT_EQ(pixel::find(s.name), &s);
    }
}

TEST(SpriteTable, PaletteKeysAndShadeRules) {
    int count = 0;
    const pixel::Sprite* t = pixel::spriteTable(&count);
    std::set<std::string> recoloured;
    for (const auto& w : words(kRecolouredBases)) recoloured.insert(w);
    EXPECT_EQ(recoloured.size(), 93u);
    for (int i = 0; i < count; ++i) {
        const pixel::Sprite& s = t[i];
        SCOPED_TRACE(s.name);
        EXPECT_EQ(colourOf(s, '.'), 0);
        for (char k : {'o', 'A', 'B'}) EXPECT_GT(colourOf(s, k), 0) << k;
        for (int i = 0; i < s.paletteCount; ++i)
            EXPECT_NE(s.paletteColours[i], 0xFF000000u) << "pure black fills in as a hole on dark scenes: "
                                                        << s.paletteKeys[i];
        if (recoloured.count(s.name)) {
            for (char k : {'1', '2', '3', 'e'}) EXPECT_GT(colourOf(s, k), 0) << k;
        }
        for (int r = 0; r < s.shadeCount; ++r) {
            const char* rule = s.shadeRules + 3 * r;
            const long long src = colourOf(s, rule[1]);
            ASSERT_GT(src, 0) << "rule " << r;
            EXPECT_EQ(colourOf(s, rule[0]), pixel::deriveShade(std::uint32_t(src), rule[2] == 1))
                << rule[0] << " from " << rule[1];
        }
    }
}

// The darkest scene grounds are near-black browns and blues (luma about 20 to 35). The top and side
// edges of a silhouette must stand clear of them, or a dark creature vanishes there; such creatures
// carry a lit rim.
TEST(SpriteTable, SilhouettesShowOnDarkGrounds) {
    int count = 0;
    const pixel::Sprite* t = pixel::spriteTable(&count);
    for (int i = 0; i < count; ++i) {
        const pixel::Sprite& s = t[i];
        auto at = [&](int x, int y) { return x < 0 || y < 0 || x >= s.width ? '.' : s.rows[y][x]; };
        std::vector<double> edge;
        for (int y = 0; y < s.height; ++y)
            for (int x = 0; x < s.width; ++x) {
                const char k = at(x, y);
                if (k == '.' || k == 'o') continue;
                if (at(x, y - 1) != 'o' && at(x - 1, y) != 'o' && at(x + 1, y) != 'o') continue;
                const auto c = std::uint32_t(colourOf(s, k));
                edge.push_back(0.2126 * (c >> 16 & 0xFF) + 0.7152 * (c >> 8 & 0xFF) + 0.0722 * (c & 0xFF));
            }
        ASSERT_FALSE(edge.empty()) << s.name;
        std::nth_element(edge.begin(), edge.begin() + edge.size() / 2, edge.end());
        EXPECT_GE(edge[edge.size() / 2], 45.0) << s.name << ": its edge is too dark to show on a dark scene";
    }
}

TEST(SpriteTable, AntPaletteIsTheReferenceRow) {
    const pixel::Sprite* ant = pixel::find("ant");
    ASSERT_NE(ant, nullptr);
    ASSERT_EQ(ant->paletteCount, 10);
    EXPECT_EQ(std::string(ant->paletteKeys, 10), "1234eow.AB");
    const std::uint32_t want[] = {0xFF4A2A14, 0xFF7A4A22, 0xFFA86A34, 0xFFD8B070, 0xFFE8C83A,
                                  0xFF100805, 0xFFFFE8C0, 0,          0xFFCA9B66, 0xFF6E241B};
    for (int i = 0; i < 10; ++i) EXPECT_EQ(ant->paletteColours[i], want[i]) << i;
    ASSERT_EQ(ant->shadeCount, 2);
    EXPECT_EQ(std::string(ant->shadeRules, 6), std::string("A3\1B3\0", 6));
}

TEST(SpriteLookup, NamesAreExactAndCaseSensitive) {
    EXPECT_NE(pixel::find("ant"), nullptr);
    EXPECT_EQ(pixel::find("Ant"), nullptr);
    EXPECT_EQ(pixel::find(""), nullptr);
    EXPECT_EQ(pixel::find("ant "), nullptr);
}

TEST(DeriveShade, HslSteps) {
    struct Case {
        std::uint32_t in;
        bool lighter;
        std::uint32_t out;
    };
    const Case cases[] = {
        {0xFFA86A34, true, 0xFFCA9B66},  // hue drifts towards yellow
        {0xFFA86A34, false, 0xFF6E241B}, // and towards blue the short way round
        {0xFFFFFFFF, true, 0xFFFFFFFF},
        {0xFFFFFFFF, false, 0xFFCCC7C7}, // grey gains saturation 0.04 at hue 0
        {0x80000000, false, 0x80000000}, // clamped at black, alpha kept
        {0x00A86A34, true, 0x00CA9B66},
    };
    for (const Case& c : cases) EXPECT_EQ(pixel::deriveShade(c.in, c.lighter), c.out) << std::hex << c.in;
}

TEST(BuildArgb, PlainRecolouredAndSilhouette) {
    const pixel::Sprite& ant = *pixel::find("ant");
    const int p3 = firstPixelOf(ant, '3'), pA = firstPixelOf(ant, 'A'), p4 = firstPixelOf(ant, '4');
    const int pe = firstPixelOf(ant, 'e'), pDot = firstPixelOf(ant, '.');
    ASSERT_GE(p3, 0);
    ASSERT_GE(pA, 0);
    ASSERT_GE(p4, 0);
    ASSERT_GE(pe, 0);
    ASSERT_GE(pDot, 0);

    const auto plain = pixel::buildArgb(ant, 0, nullptr, false);
    ASSERT_EQ(plain.size(), 32u * 32u);
    EXPECT_EQ(plain[p3], 0xFFA86A34u);
    EXPECT_EQ(plain[pA], 0xFFCA9B66u);
    EXPECT_EQ(plain[pDot], 0u);

    const pixel::Recolor rc = ui::recolorOf(0x102030, 0x405060, 0x2080C0, 0x00FF00);
    const auto re = pixel::buildArgb(ant, 0, &rc, false);
    EXPECT_EQ(re[p3], 0xFF2080C0u);
    EXPECT_EQ(re[pA], pixel::deriveShade(0xFF2080C0u, true));
    EXPECT_EQ(re[pe], 0xFF00FF00u);
    EXPECT_EQ(re[p4], plain[p4]) << "keys outside the recolouring stay";

    const pixel::Recolor off = ui::recolorOf(0x102030, 0x405060, 0x2080C0, 0x00FF00, false);
    EXPECT_EQ(pixel::buildArgb(ant, 0, &off, false), plain);

    const auto sil = pixel::buildArgb(ant, 0, &rc, true);
    for (size_t i = 0; i < sil.size(); ++i)
        ASSERT_EQ(sil[i], plain[i] ? 0xFFFFFFFFu : 0u) << i;
}

TEST(BuildArgb, FramesFallBackToTheFirst) {
    const pixel::Sprite& ant = *pixel::find("ant");
    ASSERT_NE(ant.rows2, nullptr);
    const auto ant0 = pixel::buildArgb(ant, 0, nullptr, false);
    EXPECT_NE(pixel::buildArgb(ant, 1, nullptr, false), ant0);
    EXPECT_EQ(pixel::buildArgb(ant, 2, nullptr, false), ant0);
    EXPECT_EQ(pixel::buildArgb(ant, -1, nullptr, false), ant0);

    const char keys[] = {'x'};
    const std::uint32_t colours[] = {0xFF336699};
    const char* const rows[] = {"x."};
    const pixel::Sprite still{"fixture", 2, 1, 1, 0, 1, keys, colours, 0, nullptr, rows, nullptr};
    EXPECT_EQ(pixel::buildArgb(still, 1, nullptr, false), pixel::buildArgb(still, 0, nullptr, false))
        << "a sprite without a second frame draws its first";
}

TEST(BuildArgb, PremultipliesAndSkipsUnknownKeys) {
    // One row: half-transparent key, opaque key, unknown key, non-ASCII byte, a key of colour 0.
    const char keys[] = {'h', 'k', 'z'};
    const std::uint32_t colours[] = {0x80FF8040, 0xFF112233, 0};
    const char rules[] = {'k', 'h', 1};
    const char* const rows[] = {"hkq\xC3z"};
    const pixel::Sprite s{"fixture", 5, 1, 2, 0, 3, keys, colours, 1, rules, rows, nullptr};
    const auto px = pixel::buildArgb(s, 0, nullptr, false);
    EXPECT_EQ(px, (std::vector<std::uint32_t>{0x80804020, 0xFF112233, 0, 0, 0}))
        << "rules of keys that are not recoloured are never applied";
}

TEST(BuildArgb, RecolourWithoutBodyKeysChangesOnlyTheEyes) {
    const char keys[] = {'e', 'E', 'x', '.'};
    const std::uint32_t colours[] = {0xFF203040, 0xFF000001, 0xFF777777, 0};
    const char rules[] = {'E', 'e', 1};
    const char* const rows[] = {"eEx."};
    const pixel::Sprite s{"fixture", 4, 1, 2, 0, 4, keys, colours, 1, rules, rows, nullptr};
    const pixel::Recolor rc = ui::recolorOf(0x111111, 0x222222, 0x333333, 0xC04080);
    const auto px = pixel::buildArgb(s, 0, &rc, false);
    EXPECT_EQ(px[0], 0xFFC04080u);
    EXPECT_EQ(px[1], pixel::deriveShade(0xFFC04080u, true));
    EXPECT_EQ(px[2], 0xFF777777u);
    EXPECT_EQ(px[3], 0u);
}

TEST(RecolorOf, ColoursBecomeOpaque) {
    const pixel::Recolor rc = ui::recolorOf(0x0A0B0C, 0x123456, 0x00000000, 0xFFFFFF, true);
    EXPECT_TRUE(rc.active);
    EXPECT_EQ(rc.c1, 0xFF0A0B0Cu);
    EXPECT_EQ(rc.c2, 0xFF123456u);
    EXPECT_EQ(rc.c3, 0xFF000000u);
    EXPECT_EQ(rc.ce, 0xFFFFFFFFu);
    EXPECT_FALSE(ui::recolorOf(1, 2, 3, 4, false).active);
}

namespace {

// Paints a sprite 1:1 onto a fresh transparent surface and returns its pixels.
std::vector<std::uint32_t> paint(const std::string& name, int size, bool mirror, double alpha = 1.0,
                                 const pixel::Recolor* rc = nullptr) {
    cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
    cairo_t* cr = cairo_create(surf);
    const auto before = cairocheck::snapshot(cr);
    ui::drawSpriteCairo(cr, name, 0, 0, size, size, rc, 0, mirror, alpha);
    EXPECT_TRUE(cairocheck::unchanged(cr, before)) << "drawing leaves the context as it found it";
    cairo_destroy(cr);
    cairo_surface_flush(surf);
    std::vector<std::uint32_t> out(size_t(size) * size);
    const unsigned char* data = cairo_image_surface_get_data(surf);
    const int stride = cairo_image_surface_get_stride(surf);
    for (int y = 0; y < size; ++y) std::memcpy(&out[size_t(y) * size], data + y * stride, size_t(size) * 4);
    cairo_surface_destroy(surf);
    return out;
}

} // namespace

TEST(DrawSpriteCairo, PaintsPixelsMirrorsAndFallsBack) {
    const pixel::Sprite& ant = *pixel::find("ant");
    const auto want = pixel::buildArgb(ant, 0, nullptr, false);
    EXPECT_EQ(paint("ant", 32, false), want);

    const auto mirrored = paint("ant", 32, true);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(mirrored[y * 32 + x], want[y * 32 + 31 - x]) << x << "," << y;

    EXPECT_EQ(paint("Ant", 32, false), paint("slime", 32, false));
    EXPECT_NE(paint("slime", 32, false), want);

    // Twice the size: every sprite pixel becomes a crisp 2x2 block.
    const auto big = paint("ant", 64, false);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) ASSERT_EQ(big[y * 64 + x], want[(y / 2) * 32 + x / 2]) << x << "," << y;
}

TEST(DrawSpriteCairo, AlphaAndEmptyRectangles) {
    const auto half = paint("ant", 32, false, 0.5);
    const auto full = paint("ant", 32, false);
    const int p = firstPixelOf(*pixel::find("ant"), '3');
    EXPECT_NEAR(double(half[p] >> 24), 128.0, 1.0);
    EXPECT_EQ(full[p] >> 24, 0xFFu);

    cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, 8, 8);
    cairo_t* cr = cairo_create(surf);
    ui::drawSpriteCairo(cr, "ant", 0, 0, 0, 8, nullptr, 0, false, 1);
    ui::drawSpriteCairo(cr, "ant", 0, 0, 8, -1, nullptr, 0, false, 1);
    cairo_destroy(cr);
    cairo_surface_flush(surf);
    const unsigned char* data = cairo_image_surface_get_data(surf);
    bool blank = true;
    for (int i = 0; i < cairo_image_surface_get_stride(surf) * 8; ++i) blank = blank && data[i] == 0;
    EXPECT_TRUE(blank);
    cairo_surface_destroy(surf);
}
