"""Insects, spiders and other crawlers."""
from registry import sprite


@sprite("ant", body=(0x4A2A14, 0x7A4A22, 0xA86A34), eye=0xE8C83A, mats={'4': (0xD8B070, 'flat')},
        outline=0x100805, white=0xFFE8C0)
def ant(c, f):
    a = 1 if f else 0
    # far legs, in shadow
    c.path([(15, 19), (11, 23), (9, 27)], 0.75, m='body', shift=-1)
    c.path([(16, 19), (18, 23), (17, 27)], 0.75, m='body', shift=-1)
    c.path([(17, 19), (22, 22), (25, 27)], 0.75, m='body', shift=-1)
    c.ell(8, 18.5, 6.5, 5.0, rot=-12)
    c.ell(15.5, 18, 3.2, 2.6)
    c.ell(22.5, 15 + a * 0.5, 4.3, 3.8)
    # near legs
    c.path([(14, 20), (10, 24), (7, 27.5)], 0.8, sep=True)
    c.path([(16, 20), (15, 24), (14, 27.5)], 0.8, sep=True)
    c.path([(17.5, 20), (21, 23), (22, 27.5)], 0.8, sep=True)
    c.path([(24, 12 + a * 0.5), (25 + a, 8), (28 + a, 6 + a)], 0.5)
    c.path([(22, 11.5 + a * 0.5), (21.5, 7), (23, 4 + a)], 0.5, shift=-1)
    c.line(26, 18 + a * 0.5, 28, 19 + a * 0.5, '4')
    c.px(24.5, 14 + a * 0.5, 'e')
    c.px(25.5, 14 + a * 0.5, 'o')
    c.px(6, 16, 'w')
    c.dots([(5, 21), (8, 22.5)], '4')


def six_legs(c, xs, top, bot, r=0.6, spread=2.5, far=True, near=True):
    """Jointed insect legs under a body, the far three in shadow."""
    for i, x in enumerate(xs):
        d = (i - 1) * spread
        if far:
            c.path([(x + 0.5, top), (x + d * 0.6 + 1.5, top + (bot - top) * 0.4), (x + d + 1.5, bot)], r, shift=-1)
    for i, x in enumerate(xs):
        d = (i - 1) * spread
        if near:
            c.path([(x, top + 0.5), (x + d * 0.6 - 0.5, top + (bot - top) * 0.45), (x + d - 0.5, bot + 0.4)], r + 0.05)


def beetle(c, f, shell=(13, 18, 9, 6), head=(23, 19, 3.2), horn=None, snout=None, shine=True, stripe=True):
    b = -0.4 * f
    sx, sy, rx, ry = shell
    six_legs(c, [sx - rx * 0.4, sx + rx * 0.2, sx + rx * 0.7], sy + 2, 27)
    c.circ(head[0], head[1] + b, head[2])
    c.ell(sx, sy + b, rx, ry, sep=True)
    if stripe:
        c.path([(sx + rx * 0.8, sy - ry * 0.6 + b), (sx - rx * 0.2, sy - ry * 0.2 + b), (sx - rx * 0.95, sy + ry * 0.1 + b)], 0.4, m='body', shift=-2)
    if shine:
        c.tone(sx - rx * 0.35, sy - ry * 0.55 + b, 'body', 9)
        c.tone(sx - rx * 0.2, sy - ry * 0.6 + b, 'body', 9)
    six_legs(c, [sx - rx * 0.4, sx + rx * 0.2, sx + rx * 0.7], sy + 2, 27, far=False)
    if horn:
        horn(c, b)
    if snout:
        snout(c, b)
    c.path([(head[0] + 1, head[1] - 2 + b), (head[0] + 3, head[1] - 5 + b - f * 0.5), (head[0] + 5.5, head[1] - 5.5 + b - f)], 0.4)
    c.px(head[0] + 1.2, head[1] - 0.8 + b, 'e')


@sprite("beetle", body=(0x1A3A2A, 0x2E6A48, 0x58A070), eye=0xF0E040)
def beetle_(c, f):
    beetle(c, f, horn=lambda c, b: c.path([(25.5, 18 + b), (28, 15 + b), (28.5, 12 + b)], 0.9, 0.5))


@sprite("scarab", body=(0x1A2050, 0x2A40A0, 0x5A80E0), eye=0xF0C020, mats={'gold': 0xE0B030})
def scarab(c, f):
    beetle(c, f, shell=(13, 18, 9.5, 6.5), head=(23.5, 18.5, 3.2), stripe=False)
    b = -0.4 * f
    c.circ(13, 17 + b, 2.2, m='gold')
    for (x, y) in [(13, 13), (9, 16), (17, 16), (10, 20), (16, 20)]:
        c.px(x, y + b, 'gold')
    c.poly([(24, 16 + b), (26, 14 + b), (28, 15 + b), (26.5, 17 + b)], m='gold')


@sprite("weevil", body=(0x4A2A18, 0x7A4A2A, 0xA87A50), eye=0x101010)
def weevil(c, f):
    def snout(c, b):
        c.path([(25, 18 + b), (28.5, 21 + b), (30, 24.5 + b)], 0.9, 0.6)
        c.path([(27.5, 20 + b), (29, 16.5 + b)], 0.35)
    beetle(c, f, shell=(12, 17, 8, 6.5), head=(22.5, 17.5, 2.8), snout=snout)
    for (x, y) in [(9, 14), (12, 16), (15, 14), (10, 19), (14, 20)]:
        c.px(x, y - 0.4 * f, '3')


@sprite("roach", body=(0x2A1408, 0x5A2C10, 0x8E5026), eye=0xF0D080, rim='A')
def roach(c, f):
    b = -0.3 * f
    six_legs(c, [9, 14, 19], 20, 26, spread=4)
    c.ell(14, 20 + b, 11, 4)
    c.line(5, 20 + b, 21, 20 + b, '1')
    c.ell(25, 19.5 + b, 3.5, 2.8, shift=1, sep=True)
    c.px(25, 19 + b, 'e')
    c.path([(27, 18 + b), (29, 12 + b), (30.5, 7 + f)], 0.4, 0.35)
    c.path([(26, 18 + b), (26, 11 + b), (25 + f, 5 + f)], 0.35, shift=-1)
    c.path([(4, 19 + b), (1.5, 16 + b)], 0.4)
    c.tone(10, 17.5 + b, 'body', 9)
    six_legs(c, [9, 14, 19], 20, 26, spread=4, far=False)


@sprite("termite", body=(0xA08060, 0xD8C0A0, 0xF4EADA), eye=0x202020, mats={'head': 0xC06A28})
def termite(c, f):
    b = -0.4 * f
    six_legs(c, [12, 15, 18], 21, 27, spread=2.5)
    c.ell(9, 20 + b, 6, 4)
    for x in (6, 9, 12):
        c.line(x, 17 + b, x, 23 + b, '2')
    c.ell(16, 20 + b, 3, 2.6)
    c.ell(22, 18 + b, 4.2, 3.4, m='head', sep=True)
    c.path([(25, 20 + b), (28.5, 21.5 + b), (29, 19 + b - f * 0.5)], 0.5, m='head')
    c.path([(24, 15.5 + b), (26, 12 + b), (28, 11 + f)], 0.35, m='head')
    six_legs(c, [12, 15, 18], 21, 27, spread=2.5, far=False)


@sprite("tick", body=(0x3A1410, 0x6A2A20, 0x9A4A38), eye=0xF05030, mats={'legs': 0x402A20})
def tick(c, f):
    b = -0.6 * f
    for i in range(4):
        c.path([(12 + i * 2, 22), (10 + i * 4 - 2, 25), (9 + i * 4 - 3, 27.5)], 0.5, m='legs', shift=-1)
    c.ell(13, 19 + b * 1.5, 9, 7 + 0.5 * f)
    c.ell(13, 16 + b * 1.5, 6, 3, shift=1)
    c.ell(22.5, 20 + b, 3, 2.5, m='legs', sep=True)
    c.path([(24.5, 21 + b), (27, 22 + b)], 0.6, m='legs')
    for i in range(4):
        c.path([(13 + i * 2, 24), (12 + i * 4, 26), (11.5 + i * 4, 28)], 0.55, m='legs')
    c.px(22, 19 + b, 'e')


@sprite("earwig", body=(0x2A1408, 0x6A3418, 0xA0602C), eye=0x101010, mats={'pincer': 0xC08040})
def earwig(c, f):
    b = -0.3 * f
    six_legs(c, [15, 18, 21], 21, 27, spread=2)
    c.path([(6, 20 + b), (2.5, 18 + b - f), (2, 14 + b - f)], 0.8, 0.4, m='pincer')
    c.path([(6, 21 + b), (2, 22 + b + f * 0.5), (1.5, 19 + b)], 0.8, 0.4, m='pincer', shift=-1)
    for i in range(5):
        c.ell(6 + i * 2.6, 20.5 + b, 2.2, 2.6 - i * 0.1)
    c.ell(20.5, 20 + b, 3, 2.6, shift=1)
    c.ell(25, 20 + b, 2.8, 2.3, sep=True)
    c.px(26, 19.5 + b, 'e')
    c.path([(27, 19 + b), (29, 15 + b), (30, 13 + f)], 0.35)
    six_legs(c, [15, 18, 21], 21, 27, spread=2, far=False)


def wings(c, f, root, up, down, m='wing', n=1, shift=0):
    """Insect wings: one pose per frame, a veined ellipse from the root."""
    tip = up if f else down
    for i in range(n):
        dx, dy = tip[0] - root[0], tip[1] - root[1]
        import math
        ang = math.degrees(math.atan2(dy, dx)) + i * 14
        ln = math.hypot(dx, dy) * (1 - 0.15 * i)
        cx = root[0] + math.cos(math.radians(ang)) * ln / 2
        cy = root[1] + math.sin(math.radians(ang)) * ln / 2
        c.ell(cx, cy, ln / 2, ln / 5.5, m=m, rot=ang, shift=shift - i, sep=True)


WING = 0xC8E0F0


@sprite("hornet", body=(0x8A5008, 0xE09818, 0xF8CC48), eye=0xE02020, mats={'stripe': 0x3A2C14, 'wing': WING})
def hornet(c, f):
    b = -0.8 * f
    wings(c, f, (16, 15 + b), (9, 5), (8, 10), n=1, shift=-1)
    c.path([(15, 18 + b), (13, 24), (14, 27)], 0.5, m='stripe', shift=-1)
    c.path([(18, 18 + b), (19, 24), (18, 27)], 0.5, m='stripe', shift=-1)
    c.ell(9, 20 + b, 6.5, 4.5, rot=20)
    for x in (6, 9.5):
        c.cap(x, 16.5 + b, x - 1.8, 23 + b, 0.8, m='stripe')
    c.poly([(3.5, 21.5 + b), (0.5, 25 + b), (3.5, 23.5 + b)], m='body')
    c.ell(16.5, 17 + b, 3.5, 3.2, m='stripe', sep=True)
    c.circ(21.5, 16 + b, 3, sep=True)
    c.ell(22.5, 15.5 + b, 1.4, 1.8, m='stripe')
    c.px(23, 15 + b, 'e')
    c.path([(22, 13 + b), (23, 10 + b), (25, 9 + b)], 0.35)
    c.path([(16, 19 + b), (16, 24), (17, 27.5)], 0.55, m='stripe')
    c.path([(18.5, 19 + b), (21, 23), (21.5, 27.5)], 0.55, m='stripe')
    wings(c, f, (17, 14 + b), (11, 3), (10, 8), n=1)


@sprite("hornetqueen", body=(0x8A4808, 0xE08A18, 0xF8C040), eye=0xFF3020, mats={'stripe': 0x3A2812, 'wing': WING, 'crown': 0xF0D050})
def hornetqueen(c, f):
    b = -0.8 * f
    wings(c, f, (15, 13 + b), (6, 1), (5, 7), n=2, shift=-1)
    c.ell(8, 20 + b, 8, 5.5, rot=20)
    for x in (4.5, 8, 11.5):
        c.cap(x, 15 + b, x - 2, 24.5 + b, 0.9, m='stripe')
    c.poly([(1.5, 22 + b), (-1, 27 + b), (2.5, 24.5 + b)], m='body')
    c.path([(15, 19), (13, 24), (14, 28)], 0.6, shift=-1)
    c.ell(16, 17 + b, 4, 3.6, m='stripe', sep=True)
    c.circ(22, 15.5 + b, 3.4, sep=True)
    c.ell(23.2, 15 + b, 1.6, 2, m='stripe')
    c.px(23.5, 14.5 + b, 'e')
    c.poly([(19.5, 12.5 + b), (19.5, 9 + b), (21, 11 + b), (22, 8.5 + b), (23, 11 + b), (24.5, 9 + b), (24.5, 12.5 + b)], m='crown')
    c.path([(16, 19 + b), (16.5, 24), (17, 28.5)], 0.6)
    c.path([(18.5, 19 + b), (21, 24), (21.5, 28.5)], 0.6)
    wings(c, f, (16, 12 + b), (9, -1), (8, 5), n=2)


@sprite("mosquito", body=(0x2A2420, 0x5A4C40, 0x8A7A68), eye=0xE02020, mats={'wing': WING, 'blood': 0xC02020})
def mosquito(c, f):
    b = -0.8 * f
    for (x0, x1) in ((14, 7), (16, 15), (18, 24)):
        c.path([(x0, 17 + b), (x0 + (x1 - x0) * 0.5, 21), (x1, 28)], 0.4, shift=-1)
    c.cap(7, 19 + b, 14, 16 + b, 2.2, 1.5, m='blood')
    for x in (8.5, 11):
        c.line(x, 17 + b, x, 20.5 + b, '1')
    c.ell(16, 15 + b, 2.6, 2.2)
    c.circ(19.5, 14 + b, 1.8, sep=True)
    c.line(21, 14.5 + b, 27, 18 + b, '1')
    c.px(20, 13.5 + b, 'e')
    for (x0, x1) in ((15, 10), (17, 19), (18, 26)):
        c.path([(x0, 17 + b), (x0 + (x1 - x0) * 0.5, 21.5), (x1, 28.5)], 0.4)
    wings(c, f, (16, 13 + b), (10, 4), (7, 9))


@sprite("moth", body=(0x5A4430, 0x9A7A58, 0xC8A880), eye=0x202020, mats={'spot': 0x3A4AA0, 'fur': 0xF0E4CC}, lift=3)
def moth(c, f):
    u = 2.5 * f
    for s in (-1, 1):
        c.poly([(16 + s, 13), (16 + s * 6, 3 + u), (16 + s * 13, 4 + u), (16 + s * 13, 11), (16 + s * 3, 17)], sep=True)
        c.poly([(16 + s, 16), (16 + s * 9, 15), (16 + s * 10, 21 - u * 0.4), (16 + s * 5, 24 - u * 0.4), (16 + s * 1.5, 21)], sep=True)
        c.circ(16 + s * 8.5, 8 + u * 0.5, 2.0, m='spot')
        c.px(16 + s * 8.5 - 0.5, 7.5 + u * 0.5, 'w')
        c.line(16 + s * 2, 14, 16 + s * 12, 6 + u, '1')
        c.path([(16 + s * 0.8, 9), (16 + s * 3, 5), (16 + s * 5, 4)], 0.35, m='fur')
    c.ell(16, 16, 2.4, 7, m='fur')
    for y in (14, 17, 20):
        c.line(15, y, 17, y, '2')
    c.circ(16, 9.5, 2.2, m='fur', sep=True)
    c.dots([(15, 9.5), (17, 9.5)], 'e')


@sprite("firefly", body=(0x141A10, 0x2E3A20, 0x4E6038), eye=0xF04040, mats={'glow': (0xF8F080, 'flat'), 'wing': WING, 'halo': 0xC8E060}, rim='A')
def firefly(c, f):
    b = -0.8 * f
    c.ell(8, 20 + b, 5.5 + f * 0.5, 4.5 + f * 0.5, m='halo')
    c.ell(9, 20 + b, 4, 3, m='glow')
    c.ell(15, 18 + b, 4, 3)
    c.circ(20, 17 + b, 2.5, sep=True)
    c.px(21, 16.5 + b, 'e')
    c.path([(21, 15 + b), (23, 12 + b), (25, 11.5 + b)], 0.35)
    for (x0, x1) in ((14, 12), (16, 16), (18, 20)):
        c.path([(x0, 20 + b), (x1, 24 + b)], 0.4)
    wings(c, f, (15, 15 + b), (11, 6), (7, 11))
    c.px(7, 19 + b, 'w')


@sprite("cicada", body=(0x1A2A18, 0x3A5A2E, 0x6A8A48), eye=0xE04020, mats={'wing': 0xD8EAE0})
def cicada(c, f):
    b = -0.5 * f
    u = 1.5 * f
    six_legs(c, [16, 19, 22], 21, 27, spread=2)
    c.ell(13, 19 + b, 8, 4.5 + 0.4 * f)
    for x in (8, 11, 14):
        c.line(x, 16 + b, x - 1, 22.5 + b, '1')
    c.ell(22, 18 + b, 4.5, 4, sep=True)
    c.circ(25, 16 + b, 1.5, m='e')
    c.px(25.5, 15.5 + b, 'w')
    c.poly([(19, 14 + b), (2, 11 - u), (3, 16 - u), (18, 17.5 + b)], m='wing', sep=True)
    for (x, y) in ((5, 13 - u), (9, 13.3 - u * 0.7), (13, 14 - u * 0.4)):
        c.line(19, 15 + b, x, y, 'body')
    six_legs(c, [16, 19, 22], 21, 27, spread=2, far=False)


@sprite("locust", body=(0x3A4418, 0x6A7A2A, 0x9AAA48), eye=0x302010, mats={'wing': 0xC0B080})
def locust(c, f):
    b = -0.5 * f
    c.path([(10, 18), (6, 12 + f), (3, 24)], 0.9, 0.5, shift=-1)
    c.path([(20, 21), (21, 27)], 0.4, shift=-1)
    c.ell(14, 19 + b, 9, 3.3)
    c.poly([(21, 16 + b), (3, 15.5 + b), (5, 19 + b), (20, 19 + b)], m='wing', sep=True)
    c.ell(23, 18 + b, 3.6, 3.5, sep=True)
    c.px(24.5, 17 + b, 'e')
    c.path([(25, 16 + b), (28, 9 + b), (29.5, 6 + f)], 0.35)
    c.path([(17, 21 + b), (17, 27.5)], 0.5)
    c.path([(21, 21 + b), (22.5, 27.5)], 0.5)
    c.path([(12, 19 + b), (7, 12 + f * 0.5), (4, 25.5)], 1.2, 0.5, sep=True)


@sprite("dragonfly", body=(0x0A2A4A, 0x1A5A8A, 0x3A9ACA), eye=0x40E040, mats={'wing': 0xD0ECF8})
def dragonfly(c, f):
    b = -0.6 * f
    r = 14 * f
    c.ell(10, 10 + b + 1.5 * f, 8, 2, m='wing', rot=-15 + r, shift=-1)
    c.ell(11, 13 + b, 7, 1.8, m='wing', rot=10 - r * 0.5, shift=-1)
    c.cap(1.5, 18 + b, 17, 17 + b, 0.9, 1.4)
    for x in range(3, 16, 3):
        c.px(x, 17.3 + b, '1')
    c.ell(19, 16.5 + b, 2.5, 2.2)
    c.circ(22.5, 16 + b, 2, m='e', sep=True)
    c.px(22, 15 + b, 'w')
    c.ell(19, 8 + b + 1.5 * f, 8, 2, m='wing', rot=-40 + r, sep=True)
    c.ell(21, 11.5 + b, 7, 1.8, m='wing', rot=-5 - r * 0.5, sep=True)
    c.path([(19, 18.5 + b), (18, 22), (19, 25)], 0.35)
    c.path([(20, 18.5 + b), (21.5, 22), (23, 25)], 0.35)


@sprite("mantis", body=(0x2A5018, 0x4A8A28, 0x80C050), eye=0x802020, mats={'wing': 0xB0D890})
def mantis(c, f):
    b = -0.5 * f
    c.path([(11, 20), (8, 24), (6, 28)], 0.5, shift=-1)
    c.path([(13, 20), (14, 24), (12, 28)], 0.5, shift=-1)
    c.ell(9, 19 + b, 7, 2.8, rot=-10)
    c.ell(8, 18 + b, 6, 1.8, m='wing', rot=-10)
    c.cap(14, 18 + b, 20, 10 + b, 1.3, 1.1)
    c.poly([(19, 8 + b), (24, 6.5 + b), (22, 10 + b)], sep=True)
    c.px(22.5, 7.5 + b, 'e')
    c.path([(22, 6.5 + b), (24, 2 + b), (27, 1 + f)], 0.3)
    c.path([(19, 12 + b), (24, 12 + b), (25.5 + f * 0.5, 8 + b)], 0.8, 0.6, sep=True)
    c.path([(18.5, 13 + b), (23, 15 + b), (25, 12.5 + b)], 0.7, 0.5, shift=-1)
    c.path([(12, 20), (10.5, 24), (10, 28.5)], 0.55)
    c.path([(14, 20), (17, 24), (17, 28.5)], 0.55)


@sprite("mantislord", body=(0x1E4A2A, 0x3A8048, 0x70C078), eye=0xFF4040, mats={'wing': 0xA8E0B8, 'blade': 0xE0F0E0, 'crown': 0xE0C040})
def mantislord(c, f):
    b = -0.6 * f
    a = 1.0 * f
    c.ell(6, 13 + b, 7, 4, m='wing', rot=-30 - 8 * f, shift=-1)
    c.path([(11, 20), (7, 24), (5, 29)], 0.6, shift=-1)
    c.path([(13, 20), (14, 24), (12, 29)], 0.6, shift=-1)
    c.ell(9, 19 + b, 8, 3.5, rot=-15)
    c.ell(8, 17.5 + b, 7, 2.3, m='wing', rot=-15)
    c.cap(15, 18 + b, 20, 9 + b, 1.8, 1.5)
    c.poly([(18.5, 7 + b), (25, 5.5 + b), (22.5, 10 + b)], sep=True)
    c.poly([(18.5, 6 + b), (19, 3 + b), (20.5, 5 + b), (21.5, 2.5 + b), (22.5, 5 + b), (24, 3.5 + b), (24, 6.5 + b)], m='crown')
    c.px(22.5, 7 + b, 'e')
    c.path([(19, 12 + b), (25, 14 + b - a * 0.5), (30, 7 - a)], 1.0, 0.6, sep=True)
    c.poly([(25, 13.5 + b - a * 0.5), (30, 6 - a), (29, 12 - a)], m='blade')
    c.path([(18, 13.5 + b), (22, 18 + b), (27, 17 + b - a * 0.5)], 0.9, 0.6, shift=-1)
    c.path([(12, 20), (10.5, 24), (9.5, 29.5)], 0.65)
    c.path([(14, 20), (17, 24), (17.5, 29.5)], 0.65)


@sprite("grub", body=(0xA08868, 0xD8C4A0, 0xF6ECD8), eye=0x202020, mats={'head': 0xA05A28})
def grub(c, f):
    b = 0.4 * f
    pts = [(6, 20), (6, 24), (9, 27), (13, 28), (18, 27.5), (21, 25), (22, 21)]
    for i, (x, y) in enumerate(pts):
        c.circ(x + (f if i < 3 else 0) * 0.5, y - b * (i % 2), 3.2 - 0.1 * i, sep=i > 0)
    c.circ(22.5, 18.5, 3, m='head', sep=True)
    c.px(23.5, 17.5, 'e')
    c.line(24, 20.5, 25.5, 21.5, 'o')
    for (x, y) in [(10, 25), (14, 26), (18, 25)]:
        c.px(x, y, '1')


@sprite("caterpillar", scale=0.93, body=(0x2A5A14, 0x4A9A28, 0x88D050), eye=0x101010, mats={'spot': 0xF0D020, 'head': 0xE0A040})
def caterpillar(c, f):
    hump = [0, 0, 1, 2, 2, 1, 0, 0] if f else [0, 0, 0, 0, 0, 0, 0, 0]
    for i in range(8):
        x = 3 + i * 3.1
        y = 24 - hump[i] * 1.3
        c.circ(x, y, 2.8, sep=i > 0)
        c.px(x, y - 1.5, 'spot')
        c.px(x, y + 2.6, 'o')
    c.circ(28, 21, 3.2, m='head', sep=True)
    c.px(29, 20, 'e')
    c.path([(27, 18), (26, 15)], 0.35)
    c.path([(29, 18), (30, 15)], 0.35)


@sprite("centipede", scale=0.93, body=(0x4A1010, 0x8A2418, 0xC84A28), eye=0xF0E040, mats={'legs': 0xE09040})
def centipede(c, f):
    pts = [(3, 24), (6, 22.5), (9, 23.5), (12, 25), (15, 24), (18, 22), (21, 20), (24, 19)]
    for i, (x, y) in enumerate(pts):
        y += (0.8 if (i + f) % 2 else 0)
        c.path([(x, y), (x - 1, y + 4)], 0.4, m='legs', shift=-1)
        c.path([(x, y), (x + 1, y + 4.3)], 0.4, m='legs')
    for i, (x, y) in enumerate(pts):
        y += (0.8 if (i + f) % 2 else 0) * 0
        c.circ(x, y, 2.2, sep=i > 0)
    c.circ(27, 18, 2.6, sep=True)
    c.px(28, 17, 'e')
    c.path([(28, 16), (30, 12), (31, 11)], 0.3)
    c.path([(29, 19.5), (30.5, 21)], 0.5, m='legs')
    c.path([(1.5, 24), (0, 21)], 0.4, m='legs')


@sprite("spider", body=(0x14101A, 0x2E2638, 0x54466A), eye=0xFF2020, mats={"mark": 0xC02020}, rim="A")
def spider(c, f):
    b = -0.6 * f
    for i in range(4):
        x = 14 + i * 2
        c.path([(x, 19 + b), (x - 6 + i * 2, 13 + b), (x - 9 + i * 4, 27)], 0.55, shift=-1)
    c.ell(10, 18 + b, 7, 6)
    c.poly([(9, 16 + b), (10.5, 13.5 + b), (12, 16 + b), (10.5, 18.5 + b)], m='mark')
    c.ell(19, 20 + b, 4, 3.5, sep=True)
    c.dots([(21, 19 + b), (22, 19 + b), (21.5, 18 + b)], 'e')
    c.path([(22, 22 + b), (23, 24 + b)], 0.5)
    for i in range(4):
        x = 15 + i * 2
        c.path([(x, 21 + b), (x - 3 + i * 3, 15 + b), (x - 6 + i * 5, 27.5)], 0.6)


@sprite("tarantula", scale=0.87, body=(0x201410, 0x4A3024, 0x7A5440), eye=0xF04020, mats={'knee': 0xE08030}, rim='A')
def tarantula(c, f):
    b = -0.7 * f
    for i in range(4):
        x = 13 + i * 2.3
        c.path([(x, 18 + b), (x - 6 + i * 2.5, 10 + b), (x - 10 + i * 5, 27)], 1.1, 0.8, shift=-1)
    c.ell(9, 17 + b, 8, 7)
    c.ell(19, 19 + b, 5, 4.2, sep=True)
    for (x, y) in [(5, 12), (9, 11), (4, 17), (12, 13), (8, 22)]:
        c.px(x, y + b, '3')
    c.dots([(21.5, 17 + b), (22.5, 17 + b), (22, 16 + b), (23.3, 17.8 + b)], 'e')
    c.path([(23, 21 + b), (24.5, 24 + b)], 0.8)
    for i in range(4):
        x = 14 + i * 2.3
        kx, ky = x - 3 + i * 3.5, 13 + b
        c.path([(x, 20 + b), (kx, ky), (x - 6 + i * 5.5, 27.5)], 1.2, 0.9)
        c.circ(kx, ky, 1.1, m='knee')


@sprite("scorpion", body=(0x4A2808, 0x8A5414, 0xC88A30), eye=0x101010, mats={'sting': 0xE0E0C0})
def scorpion(c, f):
    b = -0.4 * f
    six_legs(c, [10, 13, 16], 23, 28, spread=2.5)
    c.ell(12, 23 + b, 7.5, 3.3)
    for x in (8, 11, 14):
        c.line(x, 20.5 + b, x, 25.5 + b, '1')
    pts = [(5, 21 + b), (2.5, 17), (2.5, 12), (5, 8.5 - f), (9, 7.5 - f)]
    for i, (x, y) in enumerate(pts):
        c.circ(x, y, 2.2 - i * 0.15, sep=i > 0)
    c.poly([(10.5, 7 - f), (13, 9 - f), (10, 9.5 - f)], m='sting')
    c.ell(20, 22.5 + b, 3, 2.5, sep=True)
    c.px(21, 21 + b, 'e')
    c.path([(21, 21 + b), (25, 18 + b)], 0.8, 0.7)
    c.ell(27, 16.5 + b, 3, 2)
    c.poly([(28, 15 + b), (31, 13 + b), (29.5, 16 + b)])
    c.poly([(28, 18 + b), (31, 18.5 + b), (29.5, 17 + b)])
    six_legs(c, [10, 13, 16], 23, 28, spread=2.5, far=False)


@sprite("snail", body=(0x6A4A20, 0xA8783A, 0xE0B060), eye=0x101010, mats={'foot': 0x9AA890})
def snail(c, f):
    s = 0.5 * f
    c.poly([(4, 27), (24 + s, 27), (28 + s, 24), (27 + s, 20), (24, 22), (6, 24)], m='foot')
    c.path([(25 + s, 21), (26 + s, 16), (26.5 + s, 13)], 0.6, m='foot', shift=-1)
    c.path([(26.5 + s, 21), (28.5 + s, 16.5), (29.5 + s, 14)], 0.6, m='foot')
    c.circ(26.5 + s, 12.5, 1.0, m='e')
    c.circ(29.8 + s, 13.5, 1.0, m='e')
    c.circ(13, 17, 8.5)
    c.path([(13, 17), (15, 15), (17, 18), (13, 21.5), (8.5, 17), (12, 11.5), (18.5, 13)], 0.45, m='body', shift=-2)
    c.px(10, 12.5, 'A')
