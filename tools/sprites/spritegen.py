#!/usr/bin/env python3
"""Builds the sprite table of the game from the shape descriptions in art/.

  spritegen.py --cpp OUT.cpp          writes the C++ sprite table
  spritegen.py --sheet OUT.png [-k N] writes a contact sheet (scale N, default 2)
  spritegen.py --rows NAME            prints one sprite's rows (both frames)

Each sprite is a function that draws one frame on a Canvas from shapes and a
material per shape; this tool turns the materials into palette keys and tone
ramps, lines up the figure on the ground, adds the outline and checks the
table's rules. Python 3 standard library only: the build runs it.
"""
import argparse
import math
import os
import struct
import sys
import zlib

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from canvas import Canvas  # noqa: E402
import registry  # noqa: E402
from registry import ORDER  # noqa: E402

# ---------------------------------------------------------------------------
# Colour: the game's shade rule, exactly as the program derives it.


def _hue_channel(p, q, t):
    if t < 0:
        t += 1
    if t > 1:
        t -= 1
    if t < 1.0 / 6:
        return p + (q - p) * 6 * t
    if t < 1.0 / 2:
        return q
    if t < 2.0 / 3:
        return p + (q - p) * (2.0 / 3 - t) * 6
    return p


def _round(v):
    return int(math.floor(v * 255 + 0.5))


def derive_shade(colour, lighter):
    r = (colour >> 16 & 0xFF) / 255.0
    g = (colour >> 8 & 0xFF) / 255.0
    b = (colour & 0xFF) / 255.0
    mx, mn = max(r, g, b), min(r, g, b)
    h, s, l = 0.0, 0.0, (mx + mn) / 2
    if mx != mn:
        d = mx - mn
        s = d / (2 - mx - mn) if l > 0.5 else d / (mx + mn)
        if mx == r:
            h = 60 * ((g - b) / d + (6 if b > g else 0))
        elif mx == g:
            h = 60 * ((b - r) / d + 2)
        else:
            h = 60 * ((r - g) / d + 4)
    if lighter:
        l2 = l + 0.13 + (1 - l) * 0.06
        s2 = 0.92 * s
        h2 = h + 0.14 * (math.fmod(55 - h + 540, 360) - 180) if s > 0.05 else h
    else:
        l2 = l - 0.13 - 0.08 * l
        s2 = 0.04 + 1.08 * s
        h2 = h + 0.16 * (math.fmod(255 - h + 540, 360) - 180) if s > 0.05 else h
    s2 = min(1.0, max(0.0, s2))
    l2 = min(1.0, max(0.0, l2))
    h2 = math.fmod(h2, 360)
    if h2 < 0:
        h2 += 360
    if s2 == 0:
        rr = gg = bb = l2
    else:
        q = l2 * (1 + s2) if l2 < 0.5 else l2 + s2 - l2 * s2
        p = 2 * l2 - q
        hh = h2 / 360
        rr = _hue_channel(p, q, hh + 1.0 / 3)
        gg = _hue_channel(p, q, hh)
        bb = _hue_channel(p, q, hh - 1.0 / 3)
    return (colour & 0xFF000000) | _round(rr) << 16 | _round(gg) << 8 | _round(bb)


# ---------------------------------------------------------------------------
# Palette: materials to keys.

MID_KEYS = "456789abcdfghijklmnpqrstuvxyz"
SHADE_KEYS = "CDEFGHIJKLMNOPQRSTUVWXYZ"
BODY_RAMP = "123A"


class Palette:
    """Keys, colours and shade rules of one sprite, and the tone ramp of each
    material."""

    def __init__(self, spec):
        self.keys = []      # (key, colour) in table order
        self.rules = []     # (target, source, lighter)
        self.ramps = {}     # material -> (ramp keys, crease key)
        c1, c2, c3 = spec.body
        for k, c in (('1', c1), ('2', c2), ('3', c3)):
            self.keys.append((k, c))
        self.ramps['body'] = (BODY_RAMP, '1')
        mids = iter(k for k in MID_KEYS if k not in spec.mats)
        shades = iter(SHADE_KEYS)
        extra = []
        for name, val in spec.mats.items():
            colour, flat = (val[0], val[1] == 'flat') if isinstance(val, tuple) else (val, False)
            key = name if len(name) == 1 else next(mids)
            self.keys.append((key, colour))
            if flat:
                self.ramps[name] = (key, key)
            else:
                dk, lt = next(shades), next(shades)
                extra.append((dk, derive_shade(colour, False)))
                extra.append((lt, derive_shade(colour, True)))
                self.rules.append((dk, key, 0))
                self.rules.append((lt, key, 1))
                self.ramps[name] = (dk + key + lt, dk)
        self.keys.append(('e', spec.eye))
        self.keys.append(('o', spec.outline))
        self.keys.append(('w', spec.white))
        self.keys.append(('.', 0))
        self.keys.append(('A', derive_shade(c3, True)))
        self.keys.append(('B', derive_shade(c3, False)))
        self.rules[:0] = [('A', '3', 1), ('B', '3', 0)]
        self.keys.extend(extra)
        for k in 'eow':
            self.ramps[k] = (k, k)
        self.colours = {k: (0xFF000000 | c) if k != '.' else 0 for k, c in self.keys}

    def key_of(self, mat, light, shift):
        ramp, _ = self.ramps[mat]
        n = len(ramp)
        if n == 1:
            return ramp
        if n == 4:
            idx = 0 if light < 0.33 else 1 if light < 0.7 else 2 if light < 0.93 else 3
        else:
            idx = 0 if light < 0.2 else 1 if light < 0.7 else 2
        return ramp[max(0, min(n - 1, idx + shift))]

    def crease_of(self, mat):
        return self.ramps[mat][1]


# ---------------------------------------------------------------------------
# Rendering.


def _draw(spec, frame):
    # A margin round the frame, so a shape that pokes past the edge before
    # the figure is stood on the ground is kept and not cut off.
    m = spec.size // 4
    c = Canvas(spec.size + 2 * m, spec.scale, m, m)
    spec.fn(c, frame)
    return c


def _to_keys(c, pal):
    keys = {}
    for p, (m, light, shift) in c.cell.items():
        if m not in pal.ramps:
            raise ValueError("unknown material %r" % m)
        keys[p] = pal.crease_of(m) if p in c.lines else pal.key_of(m, light, shift)
    for p, k in c.fixed.items():
        if k in pal.ramps:
            k = pal.ramps[k][0][len(pal.ramps[k][0]) // 2 - (1 if k == 'body' else 0)]
        keys[p] = k
    return keys


def _alignment(spec, keys):
    """Shift that centres frame 0 and stands it on the bottom row."""
    if not spec.align:
        return -(spec.size // 4), -(spec.size // 4)
    xs = [p[0] for p in keys]
    ys = [p[1] for p in keys]
    n = spec.size
    dx = (n - 1 - max(xs) - min(xs)) // 2 + spec.nudge
    dy = (n - 2 - spec.lift) - max(ys)
    return dx, dy


def _luma(colour):
    return 0.2126 * (colour >> 16 & 0xFF) + 0.7152 * (colour >> 8 & 0xFF) + 0.0722 * (colour & 0xFF)


def _rim(keys, pal, rim):
    """Lights the edge pixels that face up or sideways with the rim key where
    the figure is darker than it; the edge facing the ground stays."""
    key = pal.ramps[rim][0][-1] if rim in pal.ramps else rim
    light = _luma(pal.colours[key])
    out = dict(keys)
    for (x, y), k in keys.items():
        if k in 'ew' or _luma(pal.colours[k]) >= light - 12:
            continue
        if any(q not in keys for q in ((x, y - 1), (x - 1, y), (x + 1, y))):
            out[(x, y)] = key
    return out


def _outline(n, keys):
    out = dict(keys)
    for (x, y) in keys:
        for q in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if q not in keys and 0 <= q[0] < n and 0 <= q[1] < n:
                out[q] = 'o'
    return out


class Rendered:
    def __init__(self, spec, pal, frames, clipped):
        self.spec = spec
        self.pal = pal
        self.frames = frames    # list of row lists
        self.clipped = clipped  # pixels lost at the border, per frame


def render(spec):
    pal = Palette(spec)
    raw = [_to_keys(_draw(spec, f), pal) for f in range(2)]
    dx, dy = _alignment(spec, raw[0])
    n = spec.size
    frames, clipped = [], []
    for keys in raw:
        moved, lost = {}, 0
        for (x, y), k in keys.items():
            X, Y = x + dx, y + dy
            if 0 < X < n - 1 and 0 < Y < n - 1:
                moved[(X, Y)] = k
            else:
                lost += 1
        if spec.rim:
            moved = _rim(moved, pal, spec.rim)
        full = _outline(n, moved)
        rows = [''.join(full.get((x, y), '.') for x in range(n)) for y in range(n)]
        frames.append(rows)
        clipped.append(lost)
    return Rendered(spec, pal, frames, clipped)


# ---------------------------------------------------------------------------
# Checks the table must pass before it is written.

SIZE_48 = {"archer", "cleric", "dieb", "druide", "mage", "ogre", "orc", "rogue", "vampire", "warrior"}
SIZE_64 = {"archdemon", "behemoth", "cyclops", "demonlord", "dragonking", "frostgiant", "hydraking",
           "kraken", "lich", "medusa", "minotaurking", "phoenixlord", "shadowking", "titan",
           "worldserpent"}


def expected_size(name):
    return 48 if name in SIZE_48 else 64 if name in SIZE_64 else 32


def check(rendered):
    problems = []
    for r in rendered:
        s, name = r.spec, r.spec.name
        if s.size != expected_size(name):
            problems.append("%s: size %d" % (name, s.size))
        if any(r.clipped):
            problems.append("%s: %s pixels cut at the border" % (name, r.clipped))
        used = set(''.join(''.join(rows) for rows in r.frames))
        unknown = used - set(r.pal.colours)
        if unknown:
            problems.append("%s: keys without colour %s" % (name, sorted(unknown)))
        if r.frames[0] == r.frames[1]:
            problems.append("%s: the idle frame does not move" % name)
        black = sorted(k for k, c in r.pal.colours.items() if c == 0xFF000000)
        if black:
            # A pure black shade means a material too dark to shade: it fills
            # in as a hole on the dark scenes.
            problems.append("%s: keys %s are pure black" % (name, black))
    names = [r.spec.name for r in rendered]
    if names != ORDER:
        missing = [n for n in ORDER if n not in names]
        problems.append("sprites missing or out of order: %s" % missing[:12])
    return problems


# ---------------------------------------------------------------------------
# C++ output.


def _cname(name):
    return name


def write_cpp(rendered, path):
    out = ["// Generated by tools/sprites/spritegen.py from tools/sprites/art; do not edit.",
           '#include "ui/sprites.h"', "", "namespace pixel {", "namespace {", ""]
    for r in rendered:
        n = _cname(r.spec.name)
        keys = ''.join(k for k, _ in r.pal.keys)
        out.append('const char kPalC_%s[] = "%s";' % (n, keys))
        out.append("const std::uint32_t kPalV_%s[] = {%s};" % (
            n, ", ".join("0x%08Xu" % r.pal.colours[k] for k, _ in r.pal.keys)))
        out.append("const char kShade_%s[] = {%s};" % (
            n, ", ".join("'%s', '%s', %d" % rule for rule in r.pal.rules)))
        for fi, rows in enumerate(r.frames):
            out.append("const char* const kRows%s_%s[] = {" % ("2" if fi else "", n))
            out.extend('    "%s",' % row for row in rows)
            out.append("};")
        out.append("")
    out.append("} // namespace")
    out.append("")
    out.append("const Sprite kSprites[kSpriteCount] = {")
    for r in rendered:
        n = _cname(r.spec.name)
        s = r.spec.size
        out.append('    {"%s", %d, %d, %d, %d, %d, kPalC_%s, kPalV_%s, %d, kShade_%s, kRows_%s, %s},' % (
            r.spec.name, s, s, s // 2, s // 2, len(r.pal.keys), n, n, len(r.pal.rules), n, n,
            "kRows2_" + n))
    out.append("};")
    out.append("")
    out.append("} // namespace pixel")
    text = "\n".join(out) + "\n"
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.write(text)
    os.replace(tmp, path)


# ---------------------------------------------------------------------------
# Contact sheet.

from sheet import write_sheet  # noqa: E402


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--cpp")
    ap.add_argument("--sheet")
    ap.add_argument("-k", type=int, default=2, help="sheet scale")
    ap.add_argument("--only", help="comma-separated names for a partial sheet")
    ap.add_argument("--rows")
    args = ap.parse_args(argv)
    specs = registry.load()
    if args.only or args.rows:
        wanted = set((args.only or args.rows).split(","))
        specs = [s for s in specs if s.name in wanted]
    rendered = [render(s) for s in specs]
    if args.rows:
        for r in rendered:
            for fi, rows in enumerate(r.frames):
                print("%s frame %d" % (r.spec.name, fi))
                print("\n".join(rows))
        return 0
    problems = check(rendered) if not args.only else [
        p for p in check(rendered) if not p.startswith("sprites missing")]
    for p in problems:
        print("spritegen: " + p, file=sys.stderr)
    if problems and args.cpp:
        return 1
    if args.cpp:
        write_cpp(rendered, args.cpp)
    if args.sheet:
        write_sheet(rendered, args.sheet, args.k, derive_shade)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
