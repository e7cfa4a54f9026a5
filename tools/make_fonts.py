#!/usr/bin/python3
"""Builds the game's nine font files under assets/fonts from Debian's fonts.

    /usr/bin/python3 tools/make_fonts.py [--extra FILE ...]

Needs the Debian packages fonts-dejavu-core, fonts-noto-core, fonts-noto-cjk
and python3-fonttools (Debian's fontTools imports under /usr/bin/python3 only).
The output is committed, so building and running the game needs none of them.

DejaVu Sans and DejaVu Sans Mono are copied unchanged. The five script faces
are Noto Sans faces cut down to their own script and renamed "Velmorandine
<Script>", so that each one only ever draws the script it is meant for: the
interface puts the Arabic face first for Arabic text and the CJK face first
for Korean text, where they would otherwise draw Latin letters and digits;
they keep only the punctuation those sentences share with Latin. The CJK face keeps a broad common set of
characters (see cjk_characters) plus every CJK character of the translation
catalogues (platform/lang) and of the files given with --extra, which keeps
the file at a few megabytes instead of twenty. Rerun it whenever a catalogue
gains a character: the font coverage test names any that is missing.
"""

import argparse
import os
import shutil
import sys

try:
    from fontTools import subset
    from fontTools.ttLib import TTCollection, TTFont
except ImportError:
    sys.exit("fontTools is missing: apt-get install python3-fonttools, then run with /usr/bin/python3")

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "assets", "fonts")

DEJAVU = "/usr/share/fonts/truetype/dejavu"
NOTO = "/usr/share/fonts/truetype/noto"
NOTO_CJK = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
LANG_DIR = os.path.join(ROOT, "platform", "lang")
CJK_FACE = "Noto Sans CJK SC"  # its 'locl' feature still gives JP/KR/TC forms by language

# Script faces keep every feature, so Indic and Arabic shaping stays intact.
# The CJK face keeps what horizontal text uses; 'aalt', 'fwid', 'vert' and the
# like would pull in thousands of alternate glyphs that nothing here draws.
CJK_FEATURES = ("ccmp", "locl", "calt", "liga", "clig", "rlig", "kern", "mark", "mkmk")

DOCS = {
    "LICENSE-DejaVu.txt": "/usr/share/doc/fonts-dejavu-core/copyright",
    "LICENSE-Noto.txt": "/usr/share/doc/fonts-noto-core/copyright",
    "LICENSE-Noto-CJK.txt": "/usr/share/doc/fonts-noto-cjk/copyright",
}

COPIED = ["DejaVuSans.ttf", "DejaVuSans-Bold.ttf", "DejaVuSansMono.ttf", "DejaVuSansMono-Bold.ttf"]

# Characters every face keeps although they belong to no script: spaces stay
# in the font of the run around them, so a face without them would draw a
# missing glyph; the joiners and marks steer shaping; the dotted circle is
# what the shaper shows under a stray combining mark.
SHARED = [0x20, 0xA0, 0x200B, 0x200C, 0x200D, 0x200E, 0x200F, 0x25CC]

ARABIC = [(0x0600, 0x06FF), (0x0750, 0x077F), (0x0870, 0x089F), (0x08A0, 0x08FF),
          (0xFB50, 0xFDFF), (0xFE70, 0xFEFF)]
# The Latin punctuation that Arabic, Persian and Urdu sentences use, in the
# Arabic face's own design: the interface puts this face first only for texts
# that hold Arabic letters, so it never draws the punctuation of Latin text.
ARABIC_PUNCTUATION = [ord(c) for c in "!,-.:\u00ab\u00bb"]
# Korean writes Latin punctuation between its words; the CJK face draws it
# for texts that hold Hangul (and only for those, as above), so that a full
# stop or comma is not a monospaced cell with holes on both sides.
HANGUL_PUNCTUATION = [ord(c) for c in "!(),.:;?"]
DEVANAGARI = [(0x0900, 0x097F), (0x1CD0, 0x1CFF), (0xA8E0, 0xA8FF)]
BENGALI = [(0x0980, 0x09FF), (0x0964, 0x0965)]
THAI = [(0x0E00, 0x0E7F)]

# Jōyō kanji that JIS X 0208 level 1 lacks (mostly the 2010 additions); most
# are in the Chinese sets already, the rest would otherwise be missing.
JOYO_EXTRA = (
    "挨曖宛嵐畏萎椅彙茨咽淫唄鬱怨媛艶旺岡臆俺苛牙瓦楷潰諧崖蓋骸柿顎葛釜鎌韓玩伎亀毀畿臼嗅巾僅錦惧串窟熊"
    "詣憬稽隙桁拳鍵舷股虎錮勾梗喉乞傲駒頃痕沙挫采塞埼柵刹拶斬恣摯餌鹿𠮟嫉腫呪袖羞蹴憧拭尻芯腎須裾凄醒"
    "脊戚煎羨腺詮箋膳狙遡曽爽痩踪捉遜汰唾堆戴誰旦綻緻酎貼嘲捗椎爪鶴諦溺塡妬賭藤瞳栃頓貪丼那奈梨謎鍋匂"
    "虹捻罵剝箸氾汎阪斑眉膝肘訃阜蔽餅璧蔑哺蜂貌頰睦勃昧枕蜜冥麺冶弥闇喩湧妖瘍沃拉辣藍璃慄侶瞭瑠呂賂弄"
    "籠麓脇"
)


def decode_block(codec, leads, trails):
    """Every single character that two-byte codes of a legacy charset decode to."""
    out = set()
    for a in leads:
        for b in trails:
            try:
                s = bytes([a, b]).decode(codec)
            except UnicodeDecodeError:
                continue
            if len(s) == 1:
                out.add(ord(s))
    return out


def is_han(cp):
    return 0x3400 <= cp <= 0x4DBF or 0x4E00 <= cp <= 0x9FFF or 0xF900 <= cp <= 0xFAFF or 0x20000 <= cp <= 0x3FFFF


def is_cjk(cp):
    return (is_han(cp) or 0x1100 <= cp <= 0x11FF or 0x2E80 <= cp <= 0x2FDF or 0x3000 <= cp <= 0x31FF
            or 0x3200 <= cp <= 0x33FF or 0xA960 <= cp <= 0xA97F or 0xAC00 <= cp <= 0xD7FF
            or 0xFE30 <= cp <= 0xFE4F or 0xFF00 <= cp <= 0xFFEF)


def cjk_characters(extra_files):
    """The CJK face's characters: what Chinese, Japanese and Korean game texts need."""
    chars = set()
    chars |= decode_block("gb2312", range(0xB0, 0xD8), range(0xA1, 0xFF))        # GB2312 level 1: 3755 hanzi
    big5 = decode_block("big5", range(0xA4, 0xC7), list(range(0x40, 0x7F)) + list(range(0xA1, 0xFF)))
    chars |= {c for c in big5 if is_han(c)}                                         # Big5 level 1: 5401 common traditional
    chars |= decode_block("euc_jp", range(0xB0, 0xD0), range(0xA1, 0xFF))         # JIS X 0208 level 1: 2965 kanji
    chars |= {ord(c) for c in JOYO_EXTRA}
    chars |= decode_block("euc_kr", range(0xB0, 0xC9), range(0xA1, 0xFF))         # KS X 1001: 2350 Hangul syllables
    ranges = [(0x3000, 0x303F),   # CJK symbols and punctuation
              (0x3040, 0x30FF),   # hiragana, katakana
              (0x3130, 0x318F),   # Hangul compatibility jamo
              (0x31F0, 0x31FF),   # katakana phonetic extensions
              (0xFE30, 0xFE4F),   # CJK compatibility forms
              (0xFF00, 0xFFEF)]   # half- and full-width forms
    for lo, hi in ranges:
        chars |= set(range(lo, hi + 1))
    for path in extra_files:
        with open(path, encoding="utf-8", errors="replace") as f:
            chars |= {ord(c) for c in f.read() if is_cjk(ord(c))}
    return chars | set(SHARED)


def catalog_files():
    """The translation catalogues, in a fixed order (the set does not depend on it)."""
    return sorted(os.path.join(LANG_DIR, name) for name in os.listdir(LANG_DIR) if name.endswith(".txt"))


def expand(ranges):
    out = set(SHARED)
    for lo, hi in ranges:
        out |= set(range(lo, hi + 1))
    return out


def rename(font, family):
    """Gives a face a family of its own, so it never stands in for the original."""
    ps = family.replace(" ", "") + "-Regular"
    names = {1: family, 2: "Regular", 3: ps + ";velmorandine", 4: family + " Regular", 6: ps}
    table = font["name"]
    table.names = [n for n in table.names if n.nameID not in (1, 2, 3, 4, 6, 16, 17, 18, 21, 22)]
    for name_id, text in names.items():
        table.setName(text, name_id, 3, 1, 0x409)
        table.setName(text, name_id, 1, 0, 0)
    if "CFF " in font:
        cff = font["CFF "].cff
        cff.fontNames = [ps]
        top = cff.topDictIndex[0]
        top.FullName = family + " Regular"
        top.FamilyName = family
        if hasattr(top, "CIDFontName"):
            top.CIDFontName = ps


def cut(font, codepoints, features):
    options = subset.Options()
    options.layout_features = features
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.glyph_names = False
    options.hinting = True
    sub = subset.Subsetter(options)
    sub.populate(unicodes=sorted(codepoints))
    sub.subset(font)


def build(src, family, codepoints, dest, collection_face=None, features=("*",)):
    if collection_face:
        coll = TTCollection(src, recalcTimestamp=False)
        font = next(f for f in coll.fonts if f["name"].getDebugName(1) == collection_face)
    else:
        font = TTFont(src, recalcTimestamp=False)  # same input, same bytes
    cut(font, codepoints, list(features))
    rename(font, family)
    font.save(dest)
    kept = len(font.getBestCmap())
    print(f"{os.path.basename(dest)}: {family}, {kept} characters, {os.path.getsize(dest)} bytes")


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--extra", nargs="*", default=[], help="more text files whose CJK characters the CJK face must hold "
                    "(the catalogues in platform/lang are always read)")
    args = ap.parse_args()
    os.makedirs(OUT, exist_ok=True)
    for name in COPIED:
        shutil.copyfile(os.path.join(DEJAVU, name), os.path.join(OUT, name))
        print(f"{name}: copied")
    build(os.path.join(NOTO, "NotoSansArabic-Regular.ttf"), "Velmorandine Arab", expand(ARABIC) | set(ARABIC_PUNCTUATION),
          os.path.join(OUT, "VelmorandineArab.ttf"))
    build(os.path.join(NOTO, "NotoSansDevanagari-Regular.ttf"), "Velmorandine Deva", expand(DEVANAGARI),
          os.path.join(OUT, "VelmorandineDeva.ttf"))
    build(os.path.join(NOTO, "NotoSansBengali-Regular.ttf"), "Velmorandine Beng", expand(BENGALI),
          os.path.join(OUT, "VelmorandineBeng.ttf"))
    build(os.path.join(NOTO, "NotoSansThai-Regular.ttf"), "Velmorandine Thai", expand(THAI),
          os.path.join(OUT, "VelmorandineThai.ttf"))
    build(NOTO_CJK, "Velmorandine CJK", cjk_characters(catalog_files() + args.extra) | set(HANGUL_PUNCTUATION),
          os.path.join(OUT, "VelmorandineCJK.ttf"),
          collection_face=CJK_FACE, features=CJK_FEATURES)
    for name, src in DOCS.items():
        shutil.copyfile(src, os.path.join(OUT, name))


if __name__ == "__main__":
    main()
