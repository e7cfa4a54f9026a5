"""Reptiles, amphibians, birds, sea creatures and winged beasts."""
from registry import sprite
from art.kit import leg, eye, tri, hoof_leg, hind_leg, wing, feather_wing


def lizard_body(c, f, long=1.0, crest=False, legs=4, snout=1.0, spots=None, tail_curl=0.0):
    b = -0.4 * f
    t = f * 1.0
    c.path([(9, 23 + b), (4, 24), (1.5, 21 - t - tail_curl), (1, 18 - t - tail_curl * 1.5)], 2.0, 0.5)
    for x in (10, 20)[:2]:
        c.path([(x, 24 + b), (x - 1.5, 26.5), (x - 3, 28)], 0.9, shift=-1)
    c.ell(15, 23 + b, 8 * long, 3.2)
    if legs > 4:
        c.path([(15, 24 + b), (14, 27), (13, 28.5)], 0.9, shift=-1)
    c.ell(25, 21.5 + b, 4.2 * snout, 2.6)
    c.px(29.5 * (1 if snout == 1 else 1), 21 + b, 'o')
    c.line(24, 23.3 + b, 28.5 * snout if snout > 1 else 28.5, 23 + b, 'o')
    for x in (11, 21):
        c.path([(x, 24.5 + b), (x + 1.5, 27), (x + 0.5, 28.5)], 1.0, sep=True)
    if crest:
        for i in range(6):
            tri(c, (8 + i * 2.5, 20.5 + b), (9 + i * 2.5, 18 + b - (i % 2)), (10.5 + i * 2.5, 20.5 + b), m='crest')
    if spots:
        for (x, y) in spots:
            c.px(x, y + b, 'spot')
    eye(c, 25.5, 20.5 + b)


@sprite("lizard", body=(0x2A4A14, 0x4A7A22, 0x88B040), eye=0xF0C020, mats={'spot': (0xE0D040, 'flat')})
def lizard(c, f):
    lizard_body(c, f, spots=[(10, 22), (14, 21), (18, 22), (7, 23)])


@sprite("salamander", body=(0x7A1408, 0xC8340C, 0xF07A20), eye=0x101010, mats={'spot': (0x202020, 'flat'), 'crest': 0xF8D040})
def salamander(c, f):
    lizard_body(c, f, crest=True, spots=[(10, 22), (14, 21.5), (18, 22), (6, 23)], tail_curl=2)
    for (x, y) in [(2, 14), (4, 11)]:
        c.circ(x, y - f, 1.2, m='crest')


@sprite("crocodile", scale=0.93, body=(0x1E3A14, 0x3A6020, 0x6A8A38), eye=0xF0D020, mats={'belly': 0xC8C090})
def crocodile(c, f):
    b = -0.4 * f
    c.path([(8, 23 + b), (3, 24), (0.5, 22 - f)], 2.2, 0.6)
    c.path([(10, 24), (8, 27), (7, 28)], 1.0, shift=-1)
    c.ell(13, 23 + b, 8.5, 3.5)
    c.path([(18, 22 + b), (30, 22.5 + b)], 1.8, 1.2)
    c.path([(20, 24.5 + b), (30, 24 + b - f * 0.8)], 1.1, 0.8, shift=-1)
    for x in range(21, 30, 2):
        c.px(x, 23.6 + b, 'w')
    for i in range(6):
        c.px(5 + i * 2.5, 19.5 + b, '1')
    c.circ(20.5, 20 + b, 1.2)
    c.px(20.8, 19.6 + b, 'e')
    c.path([(11, 25 + b), (12.5, 27), (11.5, 28.5)], 1.0, sep=True)
    c.path([(18, 25 + b), (19.5, 27), (18.5, 28.5)], 1.0, sep=True)


@sprite("basilisk", scale=0.88, body=(0x1A3A2A, 0x2E6A48, 0x5AA070), eye=0xF8E020, mats={'crest': 0xC02020, 'gold': 0xE0B030})
def basilisk(c, f):
    b = -0.5 * f
    c.path([(8, 22 + b), (3, 24), (1, 20 - f), (2, 16 - f)], 2.2, 0.5)
    for x in (8, 12, 16, 20):
        c.path([(x, 23 + b), (x - 1.5, 26.5), (x - 2, 28)], 0.9, shift=-1)
    c.ell(14, 21 + b, 9, 4)
    c.cap(20, 20 + b, 24, 14 + b, 2.8, 2.2)
    c.ell(26, 13 + b, 4.2, 3)
    for i in range(4):
        tri(c, (20 + i * 1.6, 11.5 + b - i * 0.4), (19.5 + i * 1.8, 6 + b - i * 0.6), (22 + i * 1.5, 11 + b - i * 0.6), m='crest')
    for x in (10, 14, 18, 22):
        c.path([(x, 24 + b), (x + 1, 26.5), (x, 28.5)], 0.95, sep=True)
    c.px(30, 13.5 + b, 'o')
    c.line(26, 15 + b, 29.5, 15 + b, 'o')
    eye(c, 26.5, 12 + b, big=True)


@sprite("turtle", body=(0x2A4A1A, 0x4A7A2A, 0x7AAA48), eye=0x101010, mats={'shell': 0x8A5A28, 'rim': 0xD0B070})
def turtle(c, f):
    b = -0.3 * f
    leg(c, 9, 23, 27.5, 1.6, far=True)
    leg(c, 19, 23, 27.5, 1.6, far=True)
    c.ell(14, 20 + b, 10, 7, m='shell')
    c.erase('rect', 0, 21 + b, 32, 10)
    c.rect(4, 20 + b, 20, 2, m='rim')
    for (x, y) in [(10, 15), (15, 14), (19, 16.5), (7, 18)]:
        c.circ(x, y + b, 1.6, m='shell', shift=1)
    c.path([(4, 21 + b), (1.5, 22)], 0.8)
    leg(c, 7, 22, 28, 1.7)
    leg(c, 20, 22, 28, 1.7)
    c.path([(23, 20 + b), (26, 18 + b)], 1.6)
    c.ell(27.5, 17.5 + b - f * 0.5, 3, 2.4)
    eye(c, 28, 16.5 + b - f * 0.5)
    c.line(28, 18.6 + b - f * 0.5, 30, 18.6 + b - f * 0.5, 'o')


@sprite("frog", body=(0x1E4A14, 0x3A8020, 0x78C040), eye=0xF0C020, mats={'belly': 0xE0E0A0})
def frog(c, f):
    c.ell(9, 25, 4, 3.5)
    c.ell(14, 22, 7.5, 5.5)
    c.ell(16, 25, 5, 2.6, m='belly')
    if f:
        c.circ(19.5, 25, 2.6, m='belly')
    c.ell(19, 18.5, 4.5, 3.5)
    c.circ(17.5, 14.8, 2.2, sep=True)
    c.circ(17.8, 14.8, 1.1, m='e')
    c.px(18.3, 14.8, 'o')
    c.line(17, 20.5, 23, 20.5, 'o')
    c.path([(12, 24), (8, 28), (4, 28.5)], 1.0, sep=True)
    c.path([(19, 24), (21, 28.5)], 0.9, sep=True)
    c.px(10, 20, 'A')


@sprite("toad", body=(0x3A2A14, 0x6A5428, 0x9A8044), eye=0xF08020, mats={'belly': 0xD8C898, 'wart': 0x4A3A18})
def toad(c, f):
    b = -0.4 * f
    c.ell(14, 22 + b, 9, 6.5)
    c.ell(16, 26, 6, 2.4, m='belly')
    c.ell(21, 18 + b, 5, 3.8, sep=True)
    if f:
        c.ell(21, 22, 3, 2, m='belly')
    c.circ(19.5, 14.5 + b, 2, sep=True)
    c.circ(19.8, 14.8 + b, 1, m='e')
    c.line(18, 20 + b, 25, 19.5 + b, 'o')
    for (x, y) in [(8, 19), (11, 17), (14, 18), (12, 21), (7, 23), (16, 16)]:
        c.circ(x, y + b, 0.9, m='wart')
    c.path([(9, 25), (6, 28.5), (3, 28.5)], 1.1, sep=True)
    c.path([(21, 23), (23, 28.5)], 1.0, sep=True)


def snake(c, f, pts, r0, r1, head, head_r=(3.2, 2.4), hood=None, fangs=False, pattern=None):
    for i, p in enumerate(pts):
        pass
    c.path(pts, r0, r1)
    if pattern:
        for (x, y) in pattern:
            c.px(x, y, 'spot')
    hx, hy = head
    if hood:
        c.ell(hx - 2, hy + 3, hood[0], hood[1], shift=-1, sep=True)
        c.ell(hx - 2, hy + 3.5, hood[0] * 0.5, hood[1] * 0.7, m='spot')
    c.ell(hx, hy, head_r[0], head_r[1], sep=True)
    c.px(hx + head_r[0] - 0.5, hy - 0.5, 'o')
    eye(c, hx + 0.5, hy - 1)
    c.path([(hx + head_r[0], hy + 1), (hx + head_r[0] + 2, hy + 1.5 - f), (hx + head_r[0] + 3, hy + 0.5 - f)], 0.3, m='tongue')
    if fangs:
        c.px(hx + 1.5, hy + head_r[1], 'w')


TONGUE = (0xE02030, 'flat')


@sprite("serpent", body=(0x1A3A4A, 0x2A6A7A, 0x4AA0A8), eye=0xF0E040, mats={'tongue': TONGUE, 'spot': (0xD0E8C0, 'flat')})
def serpent(c, f):
    s = f
    snake(c, f, [(2, 26), (7, 28), (13, 26), (15, 21), (12, 16 - s * 0.5), (14, 11 - s), (19, 9 - s)], 2.3, 1.6, (21, 9.5 - s),
          pattern=[(5, 27), (10, 27.5), (14, 24), (13, 18), (13, 13)])
    c.path([(16, 28), (24, 28), (27, 26)], 1.8, 1.0, shift=-1)


@sprite("cobra", body=(0x4A3A10, 0x8A6A20, 0xC8A040), eye=0xF04020, mats={'tongue': TONGUE, 'spot': (0xF0E0A0, 'flat')})
def cobra(c, f):
    c.ell(14, 26, 8, 2.8, shift=-1)
    c.path([(6, 26), (12, 28), (19, 27), (20, 22), (18, 16)], 2.3, 2.0)
    snake(c, f, [(18, 16), (18.5, 10 - f)], 2.0, 1.8, (20, 7 - f), hood=(4.5, 6), fangs=True)


@sprite("python", body=(0x3A3010, 0x6A5A20, 0x9A8A40), eye=0xF0A020, mats={'tongue': TONGUE, 'spot': (0x2A2008, 'flat')})
def python(c, f):
    c.ell(14, 24, 11, 4.2, shift=-1)
    c.path([(4, 25), (12, 28), (22, 26.5), (25, 22), (20, 19), (10, 20), (8, 16), (14, 12 - f), (20, 11 - f)], 3.0, 2.2)
    snake(c, f, [(20, 11 - f), (22, 10.5 - f)], 2.2, 2.0, (24, 10 - f), head_r=(3.6, 2.6),
          pattern=[(6, 26), (10, 27.5), (16, 27.5), (22, 25), (20, 19), (15, 20), (10, 19), (9, 15), (14, 11.5 - f)])


@sprite("viper", body=(0x23461A, 0x467A2A, 0x86B04A), eye=0xF8E020,
        mats={'tongue': TONGUE, 'spot': (0x1E3414, 'flat'), 'belly': 0xD8D890})
def viper(c, f):
    """Coiled and ready to strike: a heaped coil, an S-bent neck and a broad
    arrow-shaped head, a zigzag down the back."""
    b = -0.5 * f
    coil = [(3, 26.5), (8, 28.5), (15, 28.5), (20.5, 26.5), (19, 23.5), (12, 23.5), (7.5, 25), (9.5, 21.5),
            (15, 20.5 + b * 0.5)]
    c.path(coil, 1.2, 2.3)
    c.path([(15, 20.5 + b * 0.5), (19, 18 + b), (17.5, 14.5 + b), (19, 11.5 + b)], 2.2, 1.7, sep=True)
    c.line(16, 21.5 + b * 0.5, 19.5, 18.5 + b, 'belly')
    zig = [(5, 27), (7, 28), (9, 27.3), (11, 28.1), (13, 27.3), (15, 28), (17, 27.3), (11, 23), (13, 24), (15, 23.2),
           (17, 24), (10, 22), (12.5, 21.1), (18, 17.5 + b), (17.2, 15.5 + b), (18.5, 13.5 + b)]
    for (x, y) in zig:
        c.px(x, y, 'spot')
    # the head: wide at the jaws, narrow at the snout, a ridge over the eye
    c.poly([(17.5, 9.5 + b), (20, 7 + b), (24, 7.3 + b), (27.5, 9 + b), (27, 10.6 + b), (21, 12.2 + b),
            (17.8, 11.5 + b)], sep=True)
    c.line(19.5, 8.2 + b, 24, 8 + b, '1')
    c.px(22.5, 9 + b, 'e')
    c.px(23, 9 + b, 'o')
    c.px(26, 9.3 + b, 'o')
    c.line(21, 11.3 + b, 26.5, 10.5 + b, 'o')
    c.path([(27.5, 10 + b), (29.5, 10.5 + b - f), (30.5, 9.5 + b - f)], 0.3, m='tongue')
    c.px(30.5, 11 + b - f, 'tongue')


@sprite("shark", body=(0x2A3A4A, 0x4A6A80, 0x7A9AB0), eye=0x101010, mats={'belly': 0xE8EEF0}, lift=3)
def shark(c, f):
    t = f * 1.5
    c.poly([(5, 16), (1, 9 + t), (3, 16), (1, 23 - t)], shift=-1)
    c.ell(16, 16, 12, 5)
    c.ell(18, 18.5, 9, 2.5, m='belly')
    tri(c, (13, 12), (16, 4), (19, 12))
    c.poly([(16, 19), (13, 25), (19, 20)], shift=-1, sep=True)
    for x in (20, 21.5, 23):
        c.line(x, 15, x - 0.5, 18, '1')
    c.line(23, 19.3, 27, 18.5, 'o')
    c.dots([(24, 19.6), (25.5, 19.4)], 'w')
    eye(c, 24.5, 15)


@sprite("crab", body=(0x6A1408, 0xB02A14, 0xE85A30), eye=0x101010, mats={'claw': 0xF07A40})
def crab(c, f):
    b = -0.5 * f
    for i in range(3):
        c.path([(11 + i * 2, 22 + b), (7 + i * 2, 25), (6 + i * 2.5, 28)], 0.6, shift=-1)
        c.path([(19 - i * 2, 22 + b), (23 - i * 2, 25), (24 - i * 2.5, 28)], 0.6, shift=-1)
    c.ell(15, 20 + b, 8, 5)
    c.path([(13, 16 + b), (12.5, 12 + b)], 0.45)
    c.path([(17, 16 + b), (17.5, 12 + b)], 0.45)
    c.circ(12.5, 11.5 + b, 1.0, m='e')
    c.circ(17.5, 11.5 + b, 1.0, m='e')
    c.dots([(12.5, 11.5 + b), (17.5, 11.5 + b)], 'o')
    for sx, side in ((8, -1), (22, 1)):
        c.path([(sx, 20 + b), (sx + side * 3, 16 + b)], 0.9)
        c.ell(sx + side * 4, 13.5 + b - f * 0.5, 2.8, 3.2, m='claw', sep=True)
        c.erase('poly', [(sx + side * 4, 13.5 + b - f * 0.5), (sx + side * 5.5, 10 + b), (sx + side * 3, 10 + b)])
    c.line(12, 22 + b, 18, 22 + b, '1')


def bird(c, f, head=(23, 10), beak='beak', hooked=True, neck=None, tail=2, wings_up=True):
    b = -0.6 * f
    c.poly([(8, 18 + b), (1, 20 + tail), (2, 23 + tail), (9, 21 + b)], shift=-1)
    c.path([(13, 21), (12, 26), (11, 28)], 0.6, m=beak, shift=-1)
    c.path([(16, 21), (17, 26), (18, 28)], 0.65, m=beak)
    c.ell(14, 16 + b, 8, 5.5, rot=-15)
    if neck:
        neck(c, b)
    c.circ(head[0], head[1] + b, 3.5, m='head', sep=True)
    hx, hy = head[0], head[1] + b
    if hooked:
        c.poly([(hx + 2.5, hy - 1), (hx + 6.5, hy), (hx + 5.5, hy + 3), (hx + 2.5, hy + 1.5)], m=beak)
    else:
        c.poly([(hx + 2.5, hy - 0.5), (hx + 7, hy + 0.5), (hx + 2.5, hy + 1.5)], m=beak)
    eye(c, hx + 1.3, hy - 1)
    c.px(hx + 2.3, hy - 1, 'o')
    # near wing, lifted in the second frame
    if wings_up:
        if f:
            c.poly([(10, 14 + b), (4, 3), (12, 6), (19, 14 + b)], sep=True)
        else:
            c.poly([(10, 14 + b), (2, 10), (6, 14), (1, 16), (8, 19 + b), (19, 16 + b)], sep=True)
        c.line(11, 15 + b, 5 if not f else 8, 12 if not f else 7, '1')


@sprite("eagle", body=(0x3A2010, 0x6A3E1E, 0x9A6434), eye=0xF0C020, mats={'head': 0xF0F0E8, 'beak': 0xF0C030})
def eagle(c, f):
    bird(c, f)


@sprite("condor", body=(0x141418, 0x2A2A30, 0x4A4A58), eye=0xE02020, mats={'head': 0xC87070, 'beak': 0xD8D0B8, 'ruff': 0xF0F0F0}, rim='A')
def condor(c, f):
    bird(c, f, head=(23, 8), neck=lambda c, b: (c.cap(20, 13 + b, 22, 9 + b, 1.3, m='head'), c.ell(19.5, 13 + b, 3, 1.8, m='ruff')))


@sprite("vulture", body=(0x3A2A1A, 0x5E4630, 0x8A6E50), eye=0x101010, mats={'head': 0xE0A0A0, 'beak': 0xE0D8C0, 'ruff': 0xD8C8A8})
def vulture(c, f):
    bird(c, f, head=(24, 13), wings_up=False, neck=lambda c, b: (c.cap(19, 11 + b, 23, 13 + b, 1.2, m='head'), c.ell(18.5, 11.5 + b, 3, 2.2, m='ruff')))
    b = -0.6 * f
    c.poly([(8, 10 + b), (3, 16), (2, 22), (10, 21 + b), (19, 14 + b)], sep=True)
    c.line(11, 12 + b, 4, 19, '1')


@sprite("owl", body=(0x4A3018, 0x7A5430, 0xA88050), eye=0xF8C020, mats={'face': 0xE8D8B8, 'beak': 0xD0A040})
def owl(c, f):
    b = -0.5 * f
    c.ell(16, 19 + b, 8, 9)
    c.ell(16, 21 + b, 5, 6, m='face', shift=-1)
    for (x, y) in [(14, 19), (17, 21), (15, 23), (18, 18)]:
        c.px(x, y + b, '1')
    c.ell(16, 10.5 + b, 7, 5.5, sep=True)
    tri(c, (9.5, 8 + b), (9, 3 + b), (12.5, 6.5 + b))
    tri(c, (22.5, 8 + b), (23, 3 + b), (19.5, 6.5 + b))
    c.circ(13.5, 10.5 + b, 2.6, m='face')
    c.circ(18.5, 10.5 + b, 2.6, m='face')
    for x in (13.5, 18.5):
        c.circ(x, 10.5 + b, 1.3, m='e')
        c.px(x, 10.5 + b, 'o')
    if f:
        c.rect(12, 9.5 + b, 3, 1.6, m='body')
    tri(c, (15, 12.5 + b), (17, 12.5 + b), (16, 15 + b), m='beak')
    c.ell(9, 19 + b, 2.5, 6, shift=-1, sep=True)
    c.ell(23, 19 + b, 2.5, 6, sep=True)
    c.dots([(14, 28.5), (15, 28.5), (17, 28.5), (18, 28.5)], 'beak')


@sprite("bat", body=(0x1E141E, 0x3E2A40, 0x6A4A6E), eye=0xFF3030, mats={"wing": 0x4A3050}, lift=4, rim="A")
def bat(c, f):
    u = 4 if f else 0
    for s in (-1, 1):
        x0 = 16
        c.poly([(x0 + s * 2, 13), (x0 + s * 13, 7 + u), (x0 + s * 12, 15 + u * 0.5), (x0 + s * 9, 14 + u * 0.5), (x0 + s * 7, 18), (x0 + s * 4, 16)], m='wing')
        c.line(x0 + s * 2, 13, x0 + s * 13, 7 + u, '1')
    c.ell(16, 15, 3.5, 4.5)
    c.circ(16, 10, 3.2, sep=True)
    tri(c, (13.5, 8.5), (13, 4.5), (15, 7.5))
    tri(c, (18.5, 8.5), (19, 4.5), (17, 7.5))
    c.dots([(15, 10), (17, 10)], 'e')
    c.dots([(15.5, 12), (16.5, 12)], 'w')


@sprite("cockatrice", body=(0x4A3A10, 0x8A7020, 0xC8A840), eye=0xF02020, mats={'head': 0xE8D8A0, 'beak': 0xF0C030, 'comb': 0xD02020, 'scale': 0x3A6A2A})
def cockatrice(c, f):
    b = -0.6 * f
    c.path([(8, 19 + b), (3, 20), (2, 15), (5, 12 - f)], 1.8, 0.6, m='scale')
    c.path([(13, 21), (12, 28)], 0.6, m='beak', shift=-1)
    c.path([(16, 21), (17, 28)], 0.65, m='beak')
    c.ell(14, 17 + b, 7, 5)
    c.cap(18, 15 + b, 21, 10 + b, 2, 1.6)
    c.circ(22, 9 + b, 3, m='head', sep=True)
    c.poly([(20, 6.5 + b), (20.5, 3.5 + b), (22, 5 + b), (23, 3 + b), (24, 6 + b)], m='comb')
    c.circ(23.5, 12.5 + b, 1, m='comb')
    c.poly([(24.5, 8 + b), (28, 9.5 + b), (24.5, 10.5 + b)], m='beak')
    eye(c, 23, 8.5 + b)
    c.poly([(10, 15 + b), (4, 7 + f * 2), (9, 9 + f), (18, 15 + b)], sep=True)


@sprite("kelpie", body=(0x10384A, 0x1E6478, 0x3A98A8), eye=0xA0FFF0, mats={'kelp': 0x3A8A3A, 'hoof': 0x243C3C})
def kelpie(c, f):
    b = -0.5 * f
    c.path([(6, 16 + b), (3, 19), (3, 24 - f), (5, 27 - f)], 1.5, 0.7, m='kelp')
    hoof_leg(c, 8.5, 19, 28, 1.1, far=True, hoof='hoof')
    hoof_leg(c, 20, 19, 28, 1.1, far=True, hoof='hoof')
    c.ell(14, 17 + b, 8.5, 4.8)
    hoof_leg(c, 10, 20, 28.5, 1.2, hoof='hoof')
    hoof_leg(c, 21, 20, 28.5, 1.2, hoof='hoof', bend=0.5)
    c.cap(19, 15 + b, 23, 8 + b, 2.6, 2.0)
    c.cap(23, 7 + b, 28, 10 + b, 2.2, 1.5)
    for i in range(5):
        c.path([(22 - i * 1.2, 5 + b + i * 2), (19 - i * 1.2 - f * 0.5, 7 + b + i * 2.5)], 0.8, 0.4, m='kelp')
    tri(c, (22, 6 + b), (22, 3 + b), (24, 5.5 + b))
    eye(c, 24.5, 7.5 + b)
    c.px(28.5, 10 + b, 'o')


def horse(c, f, mane='mane', tail_m='mane', hoof='hoof'):
    b = -0.5 * f
    c.path([(6, 16 + b), (3, 19), (3.5, 24 - f)], 1.5, 0.9, m=tail_m)
    hoof_leg(c, 8.5, 19, 28, 1.1, far=True, hoof=hoof)
    hoof_leg(c, 20, 19, 28, 1.1, far=True, hoof=hoof)
    c.ell(14, 17 + b, 8.5, 4.8)
    hoof_leg(c, 10, 20, 28.5, 1.2, hoof=hoof, bend=-0.5)
    hoof_leg(c, 21, 20, 28.5, 1.2, hoof=hoof, bend=0.5)
    c.cap(19, 15 + b, 23, 8 + b, 2.6, 2.0)
    c.cap(23, 7 + b, 28, 10 + b, 2.2, 1.5)
    c.path([(22, 5 + b), (19.5, 9 + b), (18, 13 + b)], 1.3, 0.8, m=mane)
    tri(c, (22, 6 + b), (22, 3 + b), (24, 5.5 + b))
    eye(c, 24.5, 7.5 + b)
    c.px(28.5, 10 + b, 'o')


@sprite("unicorn", body=(0xA8A0B8, 0xE0DCE8, 0xFFFFFF), eye=0x4040C0, mats={'mane': 0xE070C0, 'hoof': 0xD0B060, 'horn': 0xF0D060})
def unicorn(c, f):
    horse(c, f)
    b = -0.5 * f
    c.poly([(24, 5 + b), (28, -1 + b), (25.5, 6 + b)], m='horn')


@sprite("pegasus", body=(0x7A8AA8, 0xC8D4E4, 0xF4F8FF), eye=0x2040A0,
        mats={'mane': 0xE0B850, 'hoof': 0xB89040, 'wing': 0xDCE6F8, 'tip': (0x9AB4E0, 'flat')}, scale=0.98)
def pegasus(c, f):
    # the far wing shows above the back, the near wing spreads high over it
    feather_wing(c, (14, 13), k=0.9, beat=-14 + 12 * f, line='tip', shift=-1)
    horse(c, f)
    feather_wing(c, (17, 14 - 0.5 * f), beat=12 * f, line='tip')


@sprite("centaur", body=(0x4A2A14, 0x7A4A24, 0xA87040), eye=0x201008, mats={'skin': 0xE8B890, 'hair': 0x3A2010, 'wood': 0x8A5A2A, 'hoof': 0x3C2C1E, 'string': (0xE8E0D0, 'flat')})
def centaur(c, f):
    b = -0.6 * f
    c.path([(6, 17), (3, 20), (3.5 + f, 25)], 1.5, 0.9, m='hair')
    hoof_leg(c, 8.5, 20, 29, 1.1, far=True)
    hoof_leg(c, 19, 20, 29, 1.1, far=True)
    c.ell(13, 18.5, 8, 4.3)
    hoof_leg(c, 10, 21, 29.5, 1.2, bend=-0.5)
    hoof_leg(c, 20, 21, 29.5, 1.2, bend=0.5)
    c.cap(18.5, 16, 20, 9 + b, 2.8, 2.4, m='skin')
    c.cap(18, 10 + b, 16, 15 + b, 1.1, m='skin', shift=-1)
    c.circ(20.5, 5 + b, 2.8, m='skin', sep=True)
    c.ell(19.5, 3.5 + b, 3, 2, m='hair')
    c.path([(18, 4 + b), (16.5 - 0.5 * f, 8 + b)], 1.0, m='hair')
    c.px(22, 5 + b, 'e')
    c.cap(20, 10 + b, 25, 10 + b, 1.0, m='skin', sep=True)
    c.path([(25, 2 + b), (26.5, 6 + b), (26.5, 14 + b), (25, 18 + b)], 0.55, m='wood')
    c.line(25, 2 + b, 25, 18 + b, 'string')


def dragon_body(c, f, wings=True, horns=True, wm='body'):
    b = -0.6 * f
    c.path([(8, 22 + b), (4, 25), (1.5, 22 - f), (1.5, 18 - f)], 2.0, 0.6)
    tri(c, (0.5, 18 - f), (1.5, 14 - f), (3, 18 - f))
    if wings:
        c.poly([(13, 14 + b), (6, 3 + f * 2), (3, 8), (5, 10), (4, 14), (10, 17 + b)], m=wm, shift=-2)
    hind_leg(c, 9, 18 + b, 28, 1.4, far=True)
    leg(c, 19, 21, 28, 1.1, far=True)
    c.ell(13, 20 + b, 7.5, 4.8)
    c.ell(14, 23 + b, 5, 1.6, m='belly')
    hind_leg(c, 10.5, 19 + b, 28.5, 1.6)
    leg(c, 20, 22, 28.5, 1.2)
    c.path([(18, 18 + b), (21, 13 + b), (22, 9 + b)], 2.4, 1.8)
    c.ell(25, 8 + b, 3.8, 2.5)
    c.ell(28, 9.5 + b, 2.5, 1.5)
    if horns:
        c.path([(23, 6 + b), (20.5, 3.5 + b), (19, 3 + b)], 0.7, 0.3, m='horn')
    c.line(25, 10.3 + b, 29.5, 10.3 + b, 'o')
    eye(c, 25.5, 7 + b)
    for i in range(5):
        tri(c, (8 + i * 2.5, 15.5 + b - i * 0.4), (9 + i * 2.5, 13 + b - i * 0.5), (10.5 + i * 2.5, 15.5 + b - i * 0.4), m='horn', shift=-1)
    if wings:
        c.poly([(15, 15 + b), (11, 1 + f * 2), (7, 3 + f * 2), (8, 7), (6, 9), (9, 11), (8, 14), (13, 18 + b)], m=wm, shift=-1, sep=True)
        c.line(15, 15 + b, 11, 1 + f * 2, 'body')
        c.line(14, 16 + b, 7, 7, 'body')


@sprite("dragon", scale=0.95, body=(0x4A0E0A, 0x8A2014, 0xC84A24), eye=0xF8E020, mats={'belly': 0xE8B860, 'wing': 0x6A1A2A, 'horn': 0xE8DCC0})
def dragon(c, f):
    dragon_body(c, f)


@sprite("wyvern", body=(0x2A3A14, 0x4A6A20, 0x7A9A3A), eye=0xF04020, mats={'belly': 0xC8C080, 'wing': 0x3A4A2A, 'horn': 0xD8D0B0}, rim='A')
def wyvern(c, f):
    b = -0.6 * f
    c.path([(9, 21 + b), (4, 24), (2, 20 - f), (1.5, 16 - f)], 1.8, 0.5)
    tri(c, (0.5, 16 - f), (2, 12 - f), (3, 16.5 - f), m='horn')
    c.poly([(14, 13 + b), (8, 1 + 2 * f), (2, 5 + f), (5, 9), (3, 12), (8, 14), (10, 18 + b)], shift=-2)
    hind_leg(c, 11, 18 + b, 28, 1.5, far=True)
    c.ell(14, 19 + b, 6.5, 4.5)
    hind_leg(c, 13, 19 + b, 28.5, 1.7)
    c.path([(18, 17 + b), (21, 12 + b), (22, 8 + b)], 2.0, 1.6)
    c.ell(25, 7.5 + b, 3.6, 2.4)
    c.ell(28, 8.8 + b, 2.2, 1.4)
    c.path([(23, 5.5 + b), (21, 3 + b)], 0.6, 0.3, m='horn')
    eye(c, 25.5, 6.5 + b)
    c.poly([(16, 14 + b), (14, 0 + 2 * f), (8, 2 + f), (10, 6), (7, 9), (12, 12), (14, 18 + b)], shift=-1, sep=True)
    c.line(16, 14 + b, 14, 0 + 2 * f, 'body')


@sprite("griffin", body=(0x6A4A18, 0xA87A30, 0xD8A850), eye=0xF0C020, mats={'head': 0xF0ECE0, 'beak': 0xF0B020, 'wing': 0x8A5A28}, scale=0.98)
def griffin(c, f):
    b = -0.6 * f
    c.path([(6, 17 + b), (3, 21), (2.5, 25 - f)], 0.9, 0.6)
    c.circ(2.5, 25.5 - f, 1.4, shift=-1)
    c.poly([(15, 13 + b), (8, 1 + 2 * f), (3, 4 + f), (6, 9), (8, 14)], shift=-2)
    hind_leg(c, 8, 16 + b, 28, 1.5, far=True)
    leg(c, 20, 20, 28, 1.0, far=True, m='beak')
    c.ell(13, 18 + b, 8, 5)
    c.ell(20, 15 + b, 4.5, 5, m='head')
    hind_leg(c, 9.5, 17 + b, 28.5, 1.6)
    leg(c, 21.5, 20, 28.5, 1.0, m='beak')
    c.circ(23.5, 9 + b, 3.6, m='head', sep=True)
    c.poly([(26, 7.5 + b), (30, 8.5 + b), (29, 12 + b), (26, 10.5 + b)], m='beak')
    eye(c, 24.5, 8 + b)
    c.poly([(17, 13 + b), (12, -1 + 2 * f), (7, 2 + f), (9, 6), (8, 10), (12, 12), (14, 17 + b)], shift=-1, sep=True)
    c.line(17, 14 + b, 8, 9, 'head')
    c.line(16, 13 + b, 12, 0 + 2 * f, 'body')


@sprite("phoenix", body=(0x8A1A08, 0xE04A10, 0xF89A28), eye=0xFFFFC0, mats={'flame': 0xF8D040, 'beak': 0xF8E080}, lift=1, scale=0.9)
def phoenix(c, f):
    phoenix_body(c, f)


def phoenix_body(c, f, plumes=3):
    """A firebird in flight, not a barnyard bird: both wings swept high with
    flaming tips, a slim body leaning forward, a streaming crest and long tail
    plumes that trail and fan out below it."""
    b = -0.5 * f
    for i in range(plumes):
        d = i - (plumes - 1) / 2
        pts = [(12, 18 + b), (9 - d * 0.5, 21 + d), (5.5 - d * 1.5, 23 + d * 2 - f * (i % 2)), (2.5 - d * 2, 23 + d * 3.2 - f)]
        c.path(pts, 1.2, 0.3, m='body' if i % 2 else 'flame', shift=-1 if i % 2 else 0)
    feather_wing(c, (14, 12 + b), k=0.95, beat=-48 + 14 * f, line='flame', m='body', shift=-1)
    c.ell(15.5, 15 + b, 3.4, 5.5, rot=40)
    c.cap(17.5, 12.5 + b, 21, 8.5 + b, 1.9, 1.4)
    for i in range(3):
        c.path([(21, 5.5 + b), (19 - i * 0.6, 3.5 + b - i * 1.0 + f * 0.5), (17.5 - i * 1.0, 3 + b - i * 1.1 + f * 0.5)],
               0.6, 0.25, m='flame')
    feather_wing(c, (16, 13 + b), k=1.05, beat=-8 + 14 * f, line='flame', m='body')
    c.circ(22, 7.5 + b, 2.5, sep=True)
    c.poly([(23.8, 6.5 + b), (27.5, 7.8 + b), (24.5, 9.2 + b)], m='beak')
    eye(c, 22.8, 7 + b)
