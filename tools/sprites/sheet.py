"""Contact sheet: every sprite with both frames, recoloured variants the way
the monster prefixes use them, and every sprite standing on the ground of each
scene theme at battle size, written as a PNG (zlib only)."""
import json
import os
import re
import struct
import zlib

BG = (0x3A, 0x2A, 0x1C)
CELL = (0x4A, 0x38, 0x28)
CELL2 = (0x56, 0x44, 0x30)
INK = (0xF0, 0xE2, 0xC0)
SHEET_W = 1560

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")
MONSTERS = os.path.join(ROOT, "rules", "data", "monsters.json")
RECOLOURED = ["wolf", "spider", "dragon", "golem", "bear", "hornet", "griffin", "troll", "scorpion",
              "mushroom", "wisp", "cobra"]

# The scene themes in the order the scene code lists them; their ground
# colours are read from that code so that the strip never drifts from it.
SCENE_SOURCE = os.path.join(ROOT, "fx", "scene.cpp")
THEMES = ["meadow", "forest", "cave", "lava", "village", "dark gold", "night blue"]


def scene_grounds(path=SCENE_SOURCE):
    """(top, middle, low) ground colours of each theme, from the palette table
    of the scene code: the eighth to tenth fields of every row."""
    with open(path) as f:
        text = f.read()
    m = re.search(r"kPals\[\]\s*=\s*\{(.*?)\n\};", text, re.S)
    if not m:
        raise ValueError("no theme palette table in %s" % path)
    rows = re.findall(r"\{([^{}]*)\}", m.group(1))
    grounds = []
    for row in rows:
        fields = [t.strip() for t in row.split(",")]
        grounds.append(tuple(int(fields[i], 16) for i in (7, 8, 9)))
    if len(grounds) != len(THEMES):
        raise ValueError("%d theme rows in %s, expected %d" % (len(grounds), path, len(THEMES)))
    return grounds


def prefixes(path=MONSTERS):
    """Each monster prefix with its four recolour colours (keys 1, 2, 3, e)."""
    with open(path) as f:
        data = json.load(f)
    return [(p["id"], tuple(int(c[1:], 16) for c in p["colours"])) for p in data["prefixes"]]


_FONT = {
    'a': "010101111101101", 'b': "110101110101110", 'c': "011100100100011", 'd': "110101101101110",
    'e': "111100110100111", 'f': "111100110100100", 'g': "011100101101011", 'h': "101101111101101",
    'i': "111010010010111", 'j': "001001001101010", 'k': "101101110101101", 'l': "100100100100111",
    'm': "101111111101101", 'n': "110101101101101", 'o': "010101101101010", 'p': "110101110100100",
    'q': "010101101110011", 'r': "110101110101101", 's': "011100010001110", 't': "111010010010010",
    'u': "101101101101111", 'v': "101101101101010", 'w': "101101111111101", 'x': "101101010101101",
    'y': "101101010010010", 'z': "111001010100111", ' ': "000000000000000", '0': "111101101101111",
    '1': "010110010010111", '2': "110001010100111", '3': "110001010001110", '4': "101101111001001",
    '5': "111100110001110", '6': "011100111101111", '7': "111001010010010", '8': "111101111101111",
    '9': "111101111001110", 'x2': "", '-': "000000111000000", '_': "000000000000111",
}


class Image:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [list(bg) * w for _ in range(h)]

    def put(self, x, y, rgb):
        if 0 <= x < self.w and 0 <= y < self.h:
            row = self.px[y]
            row[3 * x:3 * x + 3] = rgb

    def rect(self, x, y, w, h, rgb):
        for yy in range(max(0, y), min(self.h, y + h)):
            row = self.px[yy]
            for xx in range(max(0, x), min(self.w, x + w)):
                row[3 * xx:3 * xx + 3] = rgb

    def ground(self, x, y, w, h, cols):
        """A tile shaded from the ground's top colour through its middle (at
        45 %) to its low colour, as the scene paints the ground."""
        stops = ((0.0, cols[0]), (0.45, cols[1]), (1.0, cols[2]))
        for yy in range(h):
            t = yy / max(1, h - 1)
            (t0, c0), (t1, c1) = next((a, b) for a, b in zip(stops, stops[1:]) if t <= b[0])
            u = (t - t0) / (t1 - t0)
            rgb = tuple(int(round((c0 >> sh & 0xFF) * (1 - u) + (c1 >> sh & 0xFF) * u)) for sh in (16, 8, 0))
            self.rect(x, y + yy, w, 1, rgb)

    def text(self, x, y, s, rgb, k=2):
        for ch in s.lower():
            g = _FONT.get(ch, _FONT[' '])
            for i, bit in enumerate(g):
                if bit == '1':
                    self.rect(x + (i % 3) * k, y + (i // 3) * k, k, k, rgb)
            x += 4 * k

    def save(self, path):
        raw = b"".join(b"\x00" + bytes(row) for row in self.px)

        def chunk(tag, data):
            c = struct.pack(">I", len(data)) + tag + data
            return c + struct.pack(">I", zlib.crc32(tag + data) & 0xFFFFFFFF)

        png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0))
        png += chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")
        with open(path, "wb") as f:
            f.write(png)


def _colours(r, recolour, derive_shade):
    col = dict(r.pal.colours)
    if recolour:
        for key, c in zip("123e", recolour):
            if col.get(key):
                col[key] = 0xFF000000 | c
        for tgt, src, lighter in r.pal.rules:
            if src in "123e" and col.get(src):
                col[tgt] = derive_shade(col[src], lighter == 1)
    return col


def _blit(img, rows, col, x0, y0, k):
    for y, row in enumerate(rows):
        for x, ch in enumerate(row):
            c = col.get(ch, 0)
            if c >> 24:
                img.rect(x0 + x * k, y0 + y * k, k, k, (c >> 16 & 0xFF, c >> 8 & 0xFF, c & 0xFF))


def _layout(items, k):
    """Places (w, h) cells in rows; returns positions and the sheet height."""
    x, y, line, pos = 8, 8, 0, []
    for w, h in items:
        if x + w > SHEET_W - 8:
            x, y, line = 8, y + line + 8, 0
        pos.append((x, y))
        x += w + 8
        line = max(line, h)
    return pos, y + line + 8


def write_sheet(rendered, path, k, derive_shade):
    grounds = scene_grounds()
    tints = prefixes()
    label = 14
    cells = [(max(2 * r.spec.size * k + 3 * 4, len(r.spec.name) * 8 + 8), r.spec.size * k + 8 + label)
             for r in rendered]
    by_name = {r.spec.name: r for r in rendered}
    extra = [by_name[n] for n in RECOLOURED if n in by_name]
    rc_cells = [(len(tints) * (r.spec.size * k + 4) + 4, r.spec.size * k + 8 + label) for r in extra]
    gr_cells = [(len(grounds) * (r.spec.size * k + 2) + 6, r.spec.size * k + 8 + label) for r in rendered]
    pos, h1 = _layout(cells, k)
    pos2, h2 = _layout(rc_cells, k)
    pos3, h3 = _layout(gr_cells, k)
    img = Image(SHEET_W, h1 + h2 + h3 + 48, BG)
    for r, (x, y), (w, h) in zip(rendered, pos, cells):
        img.rect(x, y, w, h, CELL)
        col = _colours(r, None, derive_shade)
        s = r.spec.size * k
        for fi, rows in enumerate(r.frames):
            fx = x + 4 + fi * (s + 4)
            img.rect(fx, y + 4, s, s, CELL2)
            _blit(img, rows, col, fx, y + 4, k)
        img.text(x + 4, y + s + 8, r.spec.name, INK)
    base = h1 + 16
    img.text(8, base - 12, "recoloured: " + " ".join(p for p, _ in tints), INK)
    for r, (x, y), (w, h) in zip(extra, pos2, rc_cells):
        y += base
        img.rect(x, y, w, h, CELL)
        s = r.spec.size * k
        for i, (_, cols) in enumerate(tints):
            fx = x + 4 + i * (s + 4)
            img.rect(fx, y + 4, s, s, CELL2)
            _blit(img, r.frames[0], _colours(r, cols, derive_shade), fx, y + 4, k)
        img.text(x + 4, y + s + 8, r.spec.name, INK)
    base += h2 + 24
    img.text(8, base - 12, "on the grounds: " + " ".join(t.replace(" ", "_") for t in THEMES), INK)
    for r, (x, y), (w, h) in zip(rendered, pos3, gr_cells):
        y += base
        img.rect(x, y, w, h, CELL)
        col = _colours(r, None, derive_shade)
        s = r.spec.size * k
        for i, g in enumerate(grounds):
            fx = x + 4 + i * (s + 2)
            img.ground(fx, y + 4, s, s, g)
            _blit(img, r.frames[0], col, fx, y + 4, k)
        img.text(x + 4, y + s + 8, r.spec.name, INK)
    img.save(path)
