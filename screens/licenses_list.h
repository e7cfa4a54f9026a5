#pragma once
// The components the game links or ships, with their licences, rights
// holders and web addresses, as the licences screen lists them: the common
// table first, then the libraries SDL2_mixer loads on Linux. The texts are
// English in every language, as the licences themselves are.
#include <iterator>

namespace ui {

struct LicenseEntry {
    const char* component;
    const char* version;  // empty for most rows
    const char* licence;
    const char* holders;
    const char* address;  // opened on click; a bare host is opened as https
};

// Libraries the program loads (as the linker resolves them on Debian, with
// the rights holders and licences of Debian's copyright files), the fonts
// and sounds it ships, and its own work.
inline constexpr LicenseEntry kLicensesCommon[] = {
    {"SDL2", "", "Zlib", "Sam Lantinga", "https://www.libsdl.org/"},
    {"SDL2_mixer", "", "Zlib", "Sam Lantinga", "https://www.libsdl.org/projects/SDL_mixer/"},
    {"cairo", "", "LGPL-2.1 / MPL-1.1", "University of Southern California, Red Hat", "https://cairographics.org/"},
    {"Pixman", "", "MIT", "Keith Packard, Red Hat and others", "http://pixman.org/"},
    {"Pango", "", "LGPL-2.1+", "Red Hat and others", "https://www.pango.org/"},
    {"GLib / GObject / GIO", "", "LGPL-2.1+", "Red Hat, Codethink, Collabora, Novell and others",
     "https://wiki.gnome.org/Projects/GLib"},
    {"HarfBuzz", "", "MIT", "Behdad Esfahbod and others", "https://www.freedesktop.org/wiki/Software/HarfBuzz"},
    {"FreeType", "", "FTL / GPL-2", "David Turner, Robert Wilhelm, Werner Lemberg", "https://freetype.org/"},
    {"fontconfig", "", "MIT", "Keith Packard", "https://www.freedesktop.org/wiki/Software/fontconfig/"},
    {"FriBidi", "", "LGPL-2.1+", "Behdad Esfahbod, Dov Grobgeld", "https://github.com/fribidi/fribidi"},
    {"libpng / zlib", "", "libpng / Zlib", "Cosmin Truta, Glenn Randers-Pehrson; Jean-loup Gailly, Mark Adler",
     "http://www.libpng.org/pub/png/libpng.html"},
    {"libogg / libvorbis", "", "BSD-3-Clause", "Xiph.Org Foundation", "https://xiph.org/"},
    {"Opus / opusfile / FLAC", "", "BSD-3-Clause", "Xiph.Org Foundation, Skype, Octasic, Josh Coalson and others",
     "https://www.opus-codec.org/"},
    {"mpg123", "", "LGPL-2.1", "The mpg123 project", "http://mpg123.org/"},
    {"libsodium", "", "ISC", "Frank Denis", "https://www.libsodium.org/"},
    {"DejaVu Sans / DejaVu Sans Mono", "", "Bitstream Vera",
     "Bitstream, Inc., Tavmjong Bah; DejaVu changes in the public domain", "https://dejavu-fonts.github.io/"},
    {"Velmorandine CJK (from Noto Sans CJK SC)", "", "SIL OFL 1.1", "Adobe / Google",
     "https://github.com/googlefonts/noto-cjk"},
    {"Velmorandine Arab / Deva / Beng / Thai (from Noto Sans)", "", "SIL OFL 1.1", "Google Inc. / Google LLC",
     "https://github.com/googlei18n/noto-fonts"},
    {"Music: \u201CCalm\u201D", "", "own work", "The Velmorandine team, Harlowen Software",
     "https://harlowen-software.example/velmorandine"},
    {"Sound effects (own synthesis, reverb and encoding with SoX)", "", "GPL-2+ / LGPL-2.1+",
     "Chris Bagwell and SoX contributors", "https://sox.sourceforge.io/"},
    {"Pixel art and game rules", "", "own work", "Harlowen Software", "harlowen-software.example"},
};

// Codec libraries SDL2_mixer brings along on Linux.
inline constexpr LicenseEntry kLicensesLinux[] = {
    {"LAME", "", "LGPL-2.0+", "The LAME Project", "https://lame.sourceforge.io/"},
    {"libsndfile / libsamplerate", "", "LGPL-2.1+ / BSD-2-Clause", "Erik de Castro Lopo",
     "https://github.com/libsndfile/libsndfile"},
    {"FluidSynth / libinstpatch", "", "LGPL-2.1", "The FluidSynth team, Joshua \"Element\" Green",
     "https://github.com/FluidSynth/fluidsynth"},
    {"libmodplug", "", "Public Domain", "Olivier Lapicque, Kenton Varda and others",
     "http://modplug-xmms.sourceforge.net/"},
};

inline constexpr int kLicenseCount = static_cast<int>(std::size(kLicensesCommon) + std::size(kLicensesLinux));

// Entry i of the list as shown (0 to kLicenseCount - 1).
inline const LicenseEntry& licenseEntry(int i) {
    constexpr int common = static_cast<int>(std::size(kLicensesCommon));
    return i < common ? kLicensesCommon[i] : kLicensesLinux[i - common];
}

// Where entry i starts in a list whose view begins at top and is scrolled by
// scroll, at UI scale s.
inline double licenseEntryTop(double top, int i, double scroll, double s) { return top + 50 * s + i * 92 * s - scroll; }

} // namespace ui
