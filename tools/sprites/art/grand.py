"""Magic creatures, great beasts and the named bosses."""
from registry import sprite
from art.kit import leg, eye, tri, hind_leg, wing, figure
from art.scaled import dragon_body, phoenix_body, snake, TONGUE
from art.folk import crown, horns, axe, club, bull_head
from art.beasts import big_cat
from art.bugs import ant, six_legs, wings as bug_wings


@sprite("slime", body=(0x1A5A20, 0x38A040, 0x78D870), eye=0x102010, mats={'core': 0xC0F8B0})
def slime(c, f):
    s = f * 1.2
    c.poly([(4, 28), (6, 20 + s), (10, 14 + s), (16, 11 + s * 1.5), (22, 14 + s), (26, 20 + s), (28, 28)], light=0.5)
    c.ell(16, 21 + s * 0.6, 10 + s * 0.5, 7.5 - s * 0.6)
    c.ell(12, 16 + s, 2.5, 2, m='core')
    c.px(11, 15 + s, 'w')
    c.rect(12, 20 + s, 1.5, 2.5, m='o')
    c.rect(18, 20 + s, 1.5, 2.5, m='o')
    c.px(12.5, 20.5 + s, 'e')
    c.px(18.5, 20.5 + s, 'e')
    c.line(14, 25 + s * 0.5, 17, 25 + s * 0.5, 'o')


@sprite("mushroom", body=(0x7A1010, 0xC02820, 0xF05A40), eye=0x201010, mats={'stem': 0xF0E4C8, 'spot': (0xFFF8F0, 'flat')})
def mushroom(c, f):
    b = -0.8 * f
    c.cap(16, 18, 16, 27, 4.5, 5, m='stem')
    c.path([(12, 22), (9, 26), (8, 28)], 1.0, m='stem', shift=-1)
    c.path([(20, 22), (23, 25 + f), (24, 27)], 1.0, m='stem')
    c.ell(16, 14 + b, 12, 7)
    c.erase('rect', 0, 17 + b, 32, 4)
    c.rect(6, 16 + b, 20, 1.5, m='stem', light=-0.2)
    for (x, y, r) in [(10, 12, 1.8), (16, 9.5, 1.5), (21, 12.5, 1.8), (14, 14, 1), (25, 15, 1)]:
        c.circ(x, y + b, r, m='spot')
    c.dots([(14, 21), (18, 21)], 'e')
    c.line(15, 24, 17, 24, 'o')


@sprite("wisp", body=(0x1A4A8A, 0x3A88D8, 0x88D0FF), eye=0xFFFFFF, mats={'core': (0xF0FCFF, 'flat')}, lift=6)
def wisp(c, f):
    s = f
    c.poly([(10, 18), (12, 8 - s), (14, 11), (16, 4 + s), (18, 10), (21, 6 - s), (22, 18)], light=0.7)
    c.circ(16, 18, 7)
    c.circ(16, 18, 3.5, m='core')
    c.dots([(14.5, 17), (17.5, 17)], 'e')
    c.dots([(14.5, 17), (17.5, 17)], 'o')
    c.path([(14, 24), (12 - s, 27), (10, 26)], 0.8, 0.3)


@sprite("fairy", body=(0x5A2A7A, 0x9A50C0, 0xD090F0), eye=0x102040, mats={'skin': 0xF8D8C0, 'wing': 0xC8F0FF, 'hair': 0xF8E070, 'glow': (0xFFFFD0, 'flat')}, lift=5)
def fairy(c, f):
    b = -0.8 * f
    bug_wings(c, f, (14, 12 + b), (6, 3), (4, 9), n=2)
    c.poly([(13, 13 + b), (10, 22 + b), (20, 22 + b), (17, 13 + b)])
    c.cap(14, 21 + b, 13, 26 + b, 0.8, m='skin', shift=-1)
    c.cap(16.5, 21 + b, 17.5, 26 + b, 0.8, m='skin')
    c.circ(15.5, 9 + b, 3.2, m='skin', sep=True)
    c.ell(14.5, 7.5 + b, 3.4, 2.4, m='hair')
    c.path([(12.5, 8 + b), (11, 12 + b)], 1.0, m='hair')
    c.px(17.3, 9 + b, 'e')
    c.cap(17, 14 + b, 21, 11 + b, 0.7, m='skin', sep=True)
    c.path([(21, 11 + b), (23, 7 + b)], 0.35, m='hair')
    c.circ(23, 6.5 + b, 1.2 + f * 0.4, m='glow')


@sprite("golem", body=(0x4A4440, 0x7A726A, 0xA8A094), eye=0x40E0FF, mats={'rune': (0x60F0FF, 'flat'), 'moss': 0x5A8A2A})
def golem(c, f):
    b = -0.6 * f
    c.rect(10.5, 20, 4.5, 8.5, shift=-1)
    c.rect(16.5, 20, 4.5, 8.5)
    c.poly([(7, 10 + b), (25, 9 + b), (23, 21 + b), (9, 21 + b)])
    c.rect(4, 11 + b, 4.5, 11, shift=-1, sep=True)
    c.rect(13, 3 + b, 7.5, 6.5, sep=True)
    c.rect(22.5, 10 + b, 5, 12, sep=True)
    c.line(16, 12 + b, 14, 16 + b, 'rune')
    c.line(14, 16 + b, 17, 18 + b, 'rune')
    c.dots([(17, 5.5 + b), (19, 5.5 + b)], 'e')
    c.ell(11, 9.5 + b, 3.5, 1.2, m='moss')
    c.ell(18, 3 + b, 2.5, 0.9, m='moss')


@sprite("gargoyle", body=(0x3A3A40, 0x62626C, 0x9090A0), eye=0xF04020, mats={'horn': 0xC8C0B0})
def gargoyle(c, f):
    b = -0.5 * f
    wing(c, (13, 12 + b), (3, 2 - f * 2), (-1, 9), ribs=2, shift=-1)
    c.path([(11, 24), (6, 27), (3, 25)], 0.9, 0.4)
    c.ell(15, 19 + b, 6, 6)
    hind_leg(c, 13, 20, 28.5, 1.6)
    c.circ(19, 11 + b, 4, sep=True)
    horns(c, 19, 8 + b, span=2.5, up=3)
    tri(c, (22, 11 + b), (25, 12.5 + b), (22, 14 + b))
    eye(c, 20.5, 10.5 + b)
    c.path([(18, 16 + b), (21, 22), (20, 28)], 1.2, 1.0, sep=True)
    wing(c, (16, 12 + b), (8, 0 - f * 2), (5, 7), ribs=2, sep=True)


@sprite("ent", body=(0x3A2410, 0x6A4420, 0x9A6A38), eye=0xF0F060, mats={'leaf': 0x4A8A2A, 'moss': 0x6AAA3A}, scale=0.94)
def ent(c, f):
    b = -0.6 * f
    w = 0.8 * f
    c.path([(13, 28), (12, 22)], 2.0, shift=-1)
    c.path([(19, 28), (18, 22)], 2.0)
    c.cap(15.5, 24, 16, 9 + b, 5, 4)
    c.path([(12, 14 + b), (7, 12 + b), (4 - w, 7 - f)], 1.4, 0.7, shift=-1)
    c.path([(20, 13 + b), (25, 12 + b), (27 + w, 7 - f)], 1.4, 0.7, sep=True)
    for (x, y, r) in [(16, 5, 6), (10, 6, 4), (22, 6, 4), (4, 6, 2.5), (27, 6, 2.5), (16, 1, 3)]:
        c.circ(x + w * (x - 16) / 12, y + b - (f if abs(x - 16) > 8 else 0), r, m='leaf')
    for (x, y) in [(14, 3), (19, 6), (9, 5), (23, 4)]:
        c.px(x, y + b, 'moss')
    c.dots([(14, 13 + b), (18, 13 + b)], 'e')
    c.line(14, 17 + b, 18, 17 + b, 'o')
    c.line(13, 20, 13.5, 26, '1')


@sprite("harpy", body=(0x3A2A4A, 0x6A4A7A, 0x9A78A8), eye=0xF0D020, mats={'skin': 0xE8C0A0, 'hair': 0x3A1A10, 'talon': 0xE0C040})
def harpy(c, f):
    u = 3 * f
    c.poly([(13, 12), (3, 2 + u), (1, 8 + u), (4, 11 + u * 0.5), (2, 14 + u * 0.5), (10, 18)], shift=-1)
    c.path([(13, 21), (12, 26), (11, 28)], 0.7, m='talon', shift=-1)
    c.path([(16, 21), (17, 26), (18, 28)], 0.7, m='talon')
    c.ell(14.5, 19, 4.5, 4)
    c.ell(16, 13, 3.5, 4, m='skin')
    c.circ(17, 7, 3, m='skin', sep=True)
    c.ell(15.5, 6, 3.5, 2.5, m='hair')
    c.path([(14, 6), (11, 11), (10, 15)], 1.2, 0.6, m='hair')
    c.px(18.5, 7, 'e')
    c.poly([(17, 12), (27, 4 + u), (29, 9 + u), (25, 11 + u * 0.5), (27, 14 + u * 0.5), (20, 17)], sep=True)
    for (x, y) in [(27, 4 + u), (29, 9 + u), (27, 14 + u * 0.5)]:
        c.line(18, 13, x, y, '1')


@sprite("mermaid", body=(0x0A4A5A, 0x1A8A8A, 0x4AC8B0), eye=0x104060, mats={'skin': 0xF0C8A8, 'hair': 0xE04A30, 'shell': 0xF0A0C0})
def mermaid(c, f):
    t = 1.5 * f
    c.path([(14, 17), (12, 23), (15, 27), (22, 28 - t * 0.3)], 3.0, 1.2)
    c.poly([(22, 28 - t * 0.3), (27, 24 - t), (26, 29 - t * 0.5), (28, 31 - t * 0.3), (21, 29)])
    c.ell(14, 13, 3.5, 4.5, m='skin')
    c.path([(12, 4), (9 - f, 10), (9 - f, 17)], 2.0, 1.0, m='hair')
    c.circ(15, 6.5, 3.2, m='skin', sep=True)
    c.ell(13.5, 5, 3.5, 2.5, m='hair')
    c.px(16.8, 6.5, 'e')
    c.dots([(14, 12), (16, 12)], 'shell')
    c.cap(16, 10, 20, 8 - f, 0.8, m='skin', sep=True)


@sprite("sphinx", body=(0x7A5A20, 0xC09A48, 0xE8C878), eye=0x1A1008, mats={'skin': 0xC88A50, 'cloth': 0x2A50A0, 'gold': 0xE8C040, 'wing': 0xF0E0B0})
def sphinx(c, f):
    u = 1.5 * f
    c.poly([(13, 15), (5, 3 - u), (2, 7 - u), (4, 10), (3, 13), (9, 17)], m='wing', shift=-1)
    c.path([(4, 25), (1.5, 22), (2.5 + f, 18)], 0.9, 0.6)
    c.ell(13, 23, 10, 5)
    c.cap(18, 27.5, 29, 27.5, 1.8, 1.5, sep=True)
    c.ell(21, 16, 5, 6)
    c.poly([(17, 8), (26, 8), (27, 18), (23, 15), (20, 15), (16, 18)], m='cloth')
    for y in (10, 12, 14):
        c.line(16.5, y + 1.5, 18.5, y, 'gold')
        c.line(25, y, 27, y + 1.5, 'gold')
    c.circ(21.5, 11, 3, m='skin', sep=True)
    c.rect(18, 6.5, 8, 2.5, m='gold')
    c.px(23, 10.5, 'e')
    c.rect(20.5, 14, 2, 3, m='cloth')
    c.poly([(14, 15), (10, 1 - u), (6, 3 - u), (8, 8), (7, 11), (12, 18)], m='wing', sep=True)


@sprite("manticore", body=(0x6A3A14, 0xA86224, 0xD8904A), eye=0xF02020, mats={'mane': 0x5A1A0A, 'wing': 0x5A2A2A, 'sting': 0x3E2A1A})
def manticore(c, f):
    b = -0.6 * f
    pts = [(6, 17 + b), (3, 13), (4, 8), (8, 5 - f), (11, 6 - f)]
    for i, (x, y) in enumerate(pts):
        c.circ(x, y, 1.8 - i * 0.15, m='sting', sep=i > 0)
    tri(c, (11, 5 - f), (14, 8 - f), (11, 8 - f), m='sting')
    wing(c, (13, 13 + b), (6, 1 - f * 2), (1, 7), ribs=2, shift=-2)
    big_cat_body(c, f)


def big_cat_body(c, f):
    b = -0.6 * f
    hind_leg(c, 8.5, 14 + b, 27, 1.6, far=True)
    leg(c, 20.5, 18, 27, 1.5, far=True)
    c.ell(13.5, 17 + b, 9, 5)
    c.ell(20, 16.5 + b, 4.8, 5.5)
    hind_leg(c, 10, 15 + b, 27.5, 1.7)
    leg(c, 22, 19, 27.5, 1.6, foot='body')
    c.ell(23, 12.5 + b, 6, 6.5, m='mane')
    c.circ(25, 12.5 + b, 3.8, sep=True)
    c.ell(28, 14 + b, 2.3, 1.9, shift=1)
    c.px(30, 13.3 + b, 'o')
    c.line(27.5, 16.3 + b, 29.5, 16.3 + b, 'w')
    eye(c, 26.5, 11.5 + b)


@sprite("chimera", body=(0x6A4A18, 0xA87A30, 0xD8A858), eye=0xF02020, mats={'mane': 0x7A3010, 'goat': 0xE0DCD0, 'snake': 0x3A7A2A, 'horn': 0x5A4A3A, 'tongue': TONGUE})
def chimera(c, f):
    b = -0.6 * f
    c.path([(6, 17), (3, 14), (2 + f, 9), (4 + f, 6 - f)], 1.3, 1.0, m='snake')
    c.ell(5 + f, 5 - f, 2, 1.5, m='snake')
    c.px(5.5 + f, 4.5 - f, 'e')
    big_cat_body(c, f)
    c.cap(13, 13 + b, 14, 8 + b, 1.8, m='goat')
    c.ell(15.5, 6 + b, 2.8, 2, m='goat', sep=True)
    c.path([(14, 4.5 + b), (11, 2 + b), (10, 5 + b)], 0.8, 0.4, m='horn')
    c.px(16, 5.5 + b, 'e')


def hydra_heads(c, f, heads, k=1.0):
    """Serpent necks that curve out of the body, each ending in a wedge head
    with a frill behind it: (base x, y, head x, y, facing, shade shift)."""
    for (bx, by, hx, hy, d, s) in heads:
        dx, dy = hx - bx, hy - by
        c.path([(bx, by), (bx + dx * 0.15 - d * 1.6 * k, by + dy * 0.4), (bx + dx * 0.55 + d * 0.6 * k, by + dy * 0.75),
                (hx - d * 1.8 * k, hy + 1.4 * k)], 1.6 * k, 1.1 * k, shift=s)
        tri(c, (hx - d * 1.2 * k, hy - 1.6 * k), (hx - d * 3.8 * k, hy - 3.0 * k), (hx - d * 2.4 * k, hy + 0.8 * k),
            m='belly', shift=s - 1)
        c.ell(hx, hy, 2.7 * k, 2.1 * k, shift=s, sep=True)
        c.ell(hx + d * 2.9 * k, hy + 0.9 * k, 2.3 * k, 1.2 * k, shift=s)
        c.line(hx + d * 0.8 * k, hy + 1.8 * k, hx + d * 4.6 * k, hy + 1.5 * k, 'o')
        c.px(hx + d * 0.7 * k, hy - 0.6 * k, 'e')


@sprite("hydra", body=(0x1A3A3A, 0x2E6A60, 0x5AA090), eye=0xF0E020, mats={'belly': 0xC8D8A0})
def hydra(c, f):
    c.path([(8, 24), (3, 26), (1, 22)], 2.0, 0.6)
    leg(c, 10, 24, 28, 1.4, far=True)
    leg(c, 19, 24, 28, 1.4, far=True)
    c.ell(14, 22, 8, 5)
    c.ell(15, 25, 5, 1.5, m='belly')
    hydra_heads(c, f, [(15, 18, 17 - 0.5 * f, 5 + f, 1, -1), (12, 18, 7 - f, 8 + 0.5 * f, -1, -1),
                       (18, 19, 25 + 0.5 * f, 10 - f, 1, 0)])
    leg(c, 11, 24, 28.5, 1.6)
    leg(c, 20, 24, 28.5, 1.6)


@sprite("antqueen", body=(0x3A1A0A, 0x6A3214, 0x9A5A2A), eye=0xF0D020, mats={'egg': 0xF0E8C8, 'wing': 0xD8E8F0, 'gold': 0xE8C040})
def antqueen(c, f):
    b = -0.5 * f
    bug_wings(c, f, (16, 15 + b), (8, 6), (6, 11), n=1, shift=-1)
    six_legs(c, [15, 17, 19], 20, 28, r=0.65)
    c.ell(8, 19 + b, 7.5 + f * 0.4, 6, rot=-10)
    for x in (5, 8, 11):
        c.line(x, 14 + b, x - 1, 24 + b, '1')
    c.ell(16, 18 + b, 3.2, 2.8)
    c.ell(22.5, 15 + b, 4.3, 3.8, sep=True)
    crown(c, 22, 11.5 + b, w=2.6)
    c.path([(25, 12.5 + b), (27 + f, 9), (29, 8 + f)], 0.45)
    c.px(24.5, 14.5 + b, 'e')
    c.line(26.5, 17.5 + b, 28, 18.5 + b, '1')
    six_legs(c, [15, 17, 19], 20, 28, r=0.65, far=False)
    c.circ(2, 27, 1.3, m='egg')


@sprite("stagbeetle", body=(0x1A0E08, 0x3A2214, 0x6A4428), eye=0xF04020, mats={'jaw': 0x8A4A20}, rim='A')
def stagbeetle(c, f):
    b = -0.4 * f
    j = 1.2 * f
    six_legs(c, [10, 14, 18], 20, 28)
    c.ell(11, 19 + b, 8.5, 6)
    c.line(3, 19 + b, 19, 17.5 + b, '1')
    c.ell(20.5, 18 + b, 3.5, 3.2, sep=True)
    c.path([(22.5, 16 + b), (26, 12 - j), (29.5, 11 - j), (30, 14 - j)], 1.0, 0.5, m='jaw')
    c.path([(22.5, 18.5 + b), (26, 17 + j * 0.5), (29, 18.5 + j)], 0.9, 0.4, m='jaw', shift=-1)
    c.px(27, 13 - j, 'jaw')
    c.px(21, 16.5 + b, 'e')
    c.tone(7, 15 + b, 'body', 9)
    c.tone(8, 14.5 + b, 'body', 9)
    six_legs(c, [10, 14, 18], 20, 28, far=False)


# -- the great named bosses, drawn at twice the size --------------------------

BIG = dict(size=64, scale=2.0)


@sprite("dragonking", body=(0x3A0A30, 0x6A1A58, 0xA03A88), eye=0xF8E020,
        mats={'belly': 0xE8C070, 'wing': 0x8C3C7C, 'horn': 0xF0E8D0, 'gold': 0xF0C030, 'fire': (0xFFB040, 'flat')},
        rim='A', **BIG)
def dragonking(c, f):
    b = -0.5 * f
    u = -2.0 * f  # the wings come down in the idle frame
    # a heavy tail ending in a spade
    c.path([(9, 22 + b), (4, 25), (1.5, 22.5), (2, 18.5 - f)], 2.3, 0.7)
    tri(c, (0.5, 19 - f), (2, 15 - f), (3.8, 19 - f))
    # the far wing, spread up and back behind the body
    wing(c, (13, 14 + b), (2, 0 - u), (-5, 8), m='wing', ribs=3, shift=-1)
    hind_leg(c, 9, 18 + b, 28, 1.5, far=True)
    leg(c, 20, 21, 28, 1.3, far=True)
    c.ell(13, 20 + b, 8, 5)
    c.ell(14, 23.3 + b, 5.5, 1.6, m='belly')
    for i in range(5):
        tri(c, (6.5 + i * 2.4, 15.8 + b - i * 0.2), (7.5 + i * 2.4, 13 + b - i * 0.3), (9 + i * 2.4, 15.6 + b - i * 0.2),
            m='horn', shift=-1)
    hind_leg(c, 10.5, 19 + b, 28.5, 1.7)
    leg(c, 20.5, 22, 28.5, 1.4, foot='body')
    # a short thick neck and a big horned head, jaws open on a glow of fire
    c.path([(17, 18 + b), (20, 14 + b), (22.5, 11 + b)], 3.0, 2.2)
    c.path([(18.5, 17 + b), (21.5, 12.5 + b)], 1.1, 0.8, m='belly')
    c.ell(25, 9 + b, 4.2, 3.0, sep=True)
    c.ell(28.8, 10 + b, 2.6, 1.6)
    c.path([(24, 12 + b), (27, 13.5 + b + 0.5 * f), (30, 13.8 + b + 0.5 * f)], 1.0, 0.7, shift=-1, sep=True)
    c.line(26, 12 + b, 29.5, 12.3 + b, 'fire')
    c.dots([(27, 11.4 + b), (29, 11.6 + b)], 'w')
    c.px(30.5, 9.5 + b, 'o')
    c.path([(23, 7 + b), (20.5, 4.5 + b), (18.5, 4.5 + b)], 1.0, 0.35, m='horn')
    c.path([(24.5, 6.8 + b), (23.5, 3 + b), (21.5, 1.5 + b)], 0.9, 0.3, m='horn', shift=-1)
    crown(c, 26, 6.6 + b, w=2.2)
    eye(c, 26.5, 8.5 + b)
    # the near wing rises high over the back
    wing(c, (16, 15 + b), (9, -1 - u), (-7, 8), m='wing', ribs=3, sep=True)
    c.line(16, 15 + b, 9, -1 - u, 'horn')


@sprite("hydraking", body=(0x0A2A3A, 0x1A5A6A, 0x3A9AA0), eye=0xFF3020, mats={'belly': 0xD8E0A8, 'gold': 0xF0C030}, size=64, scale=1.96)
def hydraking(c, f):
    b = -0.5 * f
    w = 0.8 * f
    c.path([(7, 24), (3, 26), (1, 22 - f)], 2.2, 0.6)
    leg(c, 9, 24, 28, 1.5, far=True)
    leg(c, 19, 24, 28, 1.5, far=True)
    c.ell(13.5, 22 + b, 9, 5.5)
    c.ell(14.5, 25.6 + b, 5.5, 1.5, m='belly')
    # five heads: two turned back to the left, three to the right, the crowned
    # one in the middle rising above them all
    hydra_heads(c, f, [(11, 19 + b, 6.5 - w, 6 + f, -1, -1), (16.5, 18 + b, 23.5 + w, 5 - 0.5 * f, 1, -1),
                       (14, 18 + b, 15, 5 + b, 1, 0), (9.5, 20 + b, 4.5 - w, 14 - 0.5 * f, -1, 0),
                       (18, 19.5 + b, 26 + w, 12 + 0.5 * f, 1, 0)], k=0.85)
    crown(c, 15, 2.9 + b, w=2.4)
    leg(c, 10, 24, 28.5, 1.7)
    leg(c, 20, 24, 28.5, 1.7)


@sprite("phoenixlord", body=(0x8A2A04, 0xE86A10, 0xF8B838), eye=0xFFFFFF, mats={'flame': 0xFFF070, 'beak': 0xF8E080, 'gold': 0xF0C030},
        lift=1, size=64, scale=1.84)
def phoenixlord(c, f):
    phoenix_body(c, f)
    crown(c, 21.8, 5.4 - 0.8 * f, w=2)


@sprite("minotaurking", body=(0x3A1C0E, 0x6A3820, 0x9A5E38), eye=0xFF3020,
        mats={'horn': 0xF0E8D0, 'wood': 0x6A4020, 'steel': 0xD0D8E0, 'leather': 0x4A3020, 'gold': 0xF0C030,
              'snout': 0xC8A07A}, rim='A', **BIG)
def minotaurking(c, f):
    hand = figure(c, f, skin='body', legs='body', torso='body', head_r=3.8, wide=1.2, arm_pose=0.6, eyes=False,
                  hair=lambda c, x, y, b: (bull_head(c, x + 0.4, y - 0.2), crown(c, x + 0.1, y - 3.4, w=2.2)))
    c.line(12, 10.5 - 0.6 * f, 19.5, 17.5 - 0.6 * f, 'leather')
    c.poly([(11, 19.5), (21, 19.5), (20, 23), (12, 23)], m='leather', sep=True)
    c.rect(11, 19, 10, 1, m='gold')
    axe(c, hand, double=True, lean=0.6)


@sprite("cyclops", body=(0x6A4A30, 0xA07850, 0xD0A878), eye=0xF0F0E0, mats={'rag': 0x5A6A3A, 'wood': 0x6A4A28, 'pupil': (0x3A80C0, 'flat')}, **BIG)
def cyclops(c, f):
    b = -0.6 * f
    hand = figure(c, f, skin='body', legs='body', torso='body', head_r=4.4, wide=1.2, arm_pose=0.3, eyes=False)
    c.poly([(10, 19), (22, 19), (21, 23.5), (11, 23.5)], m='rag', sep=True)
    c.circ(18.5, 7.3 + b, 1.7, m='e')
    c.circ(19, 7.3 + b, 0.8, m='pupil')
    c.line(17, 5.2 + b, 20.5, 5.2 + b, 'o')
    c.line(18, 10.5 + b, 21, 10.5 + b, 'o')
    club(c, hand)


@sprite("titan", body=(0x6A4A10, 0xB08A28, 0xE8C860), eye=0x60F0FF, mats={'skin': (0xD8A070, 'flat'), 'steel': 0xE0E8F0, 'cloth': 0xE8E0D0, 'beard': 0xF0F0F0}, **BIG)
def titan(c, f):
    b = -0.6 * f
    c.poly([(12, 11 + b), (8, 28), (14, 27), (15, 13 + b)], m='cloth', shift=-1)
    hand = figure(c, f, legs='body', torso='body', boots='body', wide=1.15, arm_pose=0.9,
                  hair=lambda c, x, y, b: (c.ell(x - 1.5, y - 2.2, 3.8, 2.4, m='body', sep=True),
                                           c.poly([(x - 1, y - 4), (x - 3, y - 8), (x, y - 5.5), (x + 1, y - 9), (x + 2, y - 5), (x + 4, y - 7.5), (x + 3, y - 3)], m='body'),
                                           c.poly([(x + 0.5, y + 2), (x + 4, y + 1.8), (x + 2.5, y + 5.5), (x, y + 3.5)], m='beard'),
                                           c.line(x + 1, y - 1.3, x + 3.4, y - 1.1, 'o'), c.px(x + 4.2, y + 0.6, 'o')))
    x, y = hand
    c.cap(x, y + 10, x, y - 12, 0.6, m='steel')
    for dx in (-2, 0, 2):
        c.poly([(x + dx - 0.7, y - 12), (x + dx, y - 15), (x + dx + 0.7, y - 12)], m='steel')
    c.line(x - 2, y - 12, x + 2, y - 12, 'steel')


@sprite("frostgiant", body=(0x1A3A6A, 0x3A68A8, 0x78A8E0), eye=0xE0FFFF,
        mats={'fur': 0xE8E8E0, 'ice': 0xC8F0FF, 'beard': 0xF4F8FF, 'wood': 0x5A4A3A, 'helm': 0x7C8CA8, 'hide': 0x8A7A68},
        **BIG)
def frostgiant(c, f):
    b = -0.6 * f

    def head(c, x, y, b):
        # a fur mantle over the shoulders, then a blue face under a horned
        # iron helm and a white beard below it
        c.ell(15, 11.8 + b, 6.5, 2.3, m='fur', sep=True)
        c.circ(x, y, 4.0, sep=True)
        c.ell(x - 0.4, y - 2.4, 4.3, 2.3, m='helm', sep=True)
        c.rect(x - 4.5, y - 1.4, 9, 1.1, m='helm', light=0.2)
        horns(c, x - 0.4, y - 3.6, m='ice', span=3.6, up=4)
        c.poly([(x - 0.5, y + 1.4), (x + 4.2, y + 1.3), (x + 3.6, y + 6.5), (x + 1.6, y + 7.8), (x - 1.2, y + 4.5)],
               m='beard', sep=True)
        c.line(x + 0.8, y - 0.1, x + 3.6, y - 0.1, 'o')
        c.px(x + 2.0, y - 0.1, 'e')
        c.px(x + 3.4, y - 0.1, 'e')
        c.px(x + 4.0, y + 0.9, 'o')

    hand = figure(c, f, skin='body', legs='hide', torso='body', arms='body', boots='fur', wide=1.25, arm_pose=0.6,
                  eyes=False, hair=head)
    # a fur kilt under a leather belt, the chest bare
    c.poly([(10, 19), (22, 19), (22.5, 23.5), (9.5, 23.5)], m='fur', sep=True)
    c.line(10, 19.2, 22, 19.2, 'wood')
    axe(c, hand, m='wood', blade='ice', double=True, lean=0.6)


@sprite("lich", body=(0x241838, 0x46306E, 0x7458A4), eye=0x40FF80,
        mats={'bone': 0xE8E4D0, 'gold': 0xF0C030, 'orb': 0x60FF90, 'wood': 0x5A4636, 'trim': 0x9A7A30}, lift=1, rim='A', **BIG)
def lich(c, f):
    # whole-pixel bob at this size, so the crown's points keep their shape
    b = -0.5 * f
    c.poly([(11, 10 + b), (21, 10 + b), (24, 28), (21, 26), (19, 29), (16, 26.5), (13, 29), (11, 26), (8, 28)])
    c.line(13, 12 + b, 12, 27, 'trim')
    c.cap(12, 12 + b, 9, 19 + b, 1.4, shift=-1)
    c.circ(8.8, 19.6 + b, 1.0, m='bone', shift=-1)
    # a high collar behind a bare skull: deep sockets, a nose hole, teeth
    c.poly([(11.5, 11 + b), (12, 4 + b), (15, 8 + b)], shift=-1)
    c.circ(17, 7 + b, 3.9, m='bone', sep=True)
    c.rect(16, 9.5 + b, 4.6, 2.2, m='bone')
    c.rect(17.5, 5.6 + b, 1.6, 1.8, m='o')
    c.rect(20, 5.6 + b, 1.2, 1.8, m='o')
    c.px(18, 6.1 + b, 'e')
    c.px(20.2, 6.1 + b, 'e')
    c.px(19.6, 8.4 + b, 'o')
    c.line(16.5, 10.5 + b, 20.5, 10.5 + b, 'o')
    for x in (17.5, 19.5):
        c.px(x, 11 + b, 'o')
    crown(c, 16.8, 3.6 + b, w=3.2)
    c.cap(18, 12.5 + b, 21.5, 15 + b, 1.4, sep=True)
    c.circ(22, 15 + b, 1.1, m='bone')
    c.cap(22.5, 27, 22.5, 4 + b, 0.55, m='wood')
    c.circ(22.5, 3 + b, 2 + 0.3 * f, m='orb')
    c.px(22, 2.5 + b, 'w')


def demon_face(c, x, y, mouth='o'):
    """A scowl: a heavy brow over two burning eyes and a fanged mouth."""
    c.line(x - 0.2, y - 1.8, x + 3.8, y - 1.2, 'o')
    c.dots([(x + 0.9, y - 0.7), (x + 1.5, y - 0.7), (x + 3.1, y - 0.5)], 'e')
    c.line(x + 0.8, y + 2.4, x + 3.6, y + 2.2, mouth)
    c.dots([(x + 1.2, y + 1.6), (x + 3.0, y + 1.5)], 'w')


@sprite("demonlord", body=(0x5A0A08, 0x9A1A10, 0xD84028), eye=0xFFE040,
        mats={'horn': 0x4A3428, 'wing': 0x7A2230, 'steel': 0xF8A030, 'armor': 0x463A4C, 'blade': 0xE8E0D8}, rim='A', **BIG)
def demonlord(c, f):
    b = -0.6 * f
    wing(c, (14, 11 + b), (2, 0 - 2 * f), (-2, 12), ribs=3, m='wing', shift=-1)
    wing(c, (18, 11 + b), (30, 1 - 2 * f), (10, 6), ribs=0, m='wing', shift=-1)
    c.path([(13, 22), (7, 26), (4, 23)], 0.8, 0.4)
    hand = figure(c, f, skin='body', legs='armor', torso='body', boots='armor', wide=1.2, arm_pose=0.8,
                  hair=lambda c, x, y, b: (horns(c, x, y - 3, span=3.5, up=5), demon_face(c, x, y)))
    c.rect(11, 19, 10, 1.5, m='armor')
    x, y = hand
    # a flame-edged greatsword held out and up before him
    c.poly([(x + 0.2, y - 1.2), (x + 8.5, y - 10.5), (x + 10, y - 11.5), (x + 9.2, y - 9.8), (x + 1.4, y + 0.2)], m='blade')
    c.line(x + 1.5, y - 1.2, x + 9, y - 10.6, 'steel')
    c.cap(x - 1.5, y - 1.8, x + 1.8, y + 1.6, 0.6, m='armor')
    c.cap(x - 0.3, y + 0.3, x - 1.6, y + 1.8, 0.5, m='horn')


@sprite("archdemon", body=(0x2A0A3A, 0x501A6A, 0x8A3AA8), eye=0xFF4020,
        mats={'horn': 0xE8D8C0, 'wing': 0x5C2458, 'fire': 0xF87020, 'armor': 0x3E3444}, rim='A', size=64, scale=1.75)
def archdemon(c, f):
    b = -0.6 * f
    wing(c, (14, 11 + b), (0, -1 - 2 * f), (-3, 14), ribs=3, m='wing', shift=-1)
    wing(c, (18, 11 + b), (32, -1 - 2 * f), (13, 4), ribs=2, m='wing', shift=-1)
    c.path([(13, 22), (6, 27), (2, 22), (3, 19)], 1.0, 0.4)
    hand = figure(c, f, skin='body', legs='body', torso='body', boots='armor', wide=1.35, tall=1.05, arm_pose=0.9,
                  hair=lambda c, x, y, b: (c.path([(x - 1, y - 3), (x - 5, y - 5), (x - 6, y - 10), (x - 4, y - 12)], 1.1, 0.3, m='horn'),
                                           c.path([(x + 2, y - 3), (x + 6, y - 5), (x + 7, y - 10), (x + 5, y - 12)], 1.1, 0.3, m='horn'),
                                           demon_face(c, x, y, mouth='fire')))
    c.rect(10, 19, 12, 1.6, m='armor')
    x, y = hand
    c.circ(x + 0.5, y - 2.5, 2.2 + 0.4 * f, m='fire')
    c.circ(x + 0.5, y - 3, 1, m='e')


@sprite("shadowking", body=(0x16162C, 0x2C2C4C, 0x4C4C7C), eye=0xD070FF,
        mats={'gold': 0xB890F0, 'steel': 0x9090C0, 'lining': 0x5A2A6A}, lift=1, rim='A', size=64, scale=1.94)
def shadowking(c, f):
    b = -0.5 * f
    s = f * 1.0
    # the cloak falls in a wide bell; its hem sways between the frames
    c.poly([(11, 10 + b), (21, 10 + b), (26, 22), (28 - s, 29), (24, 27), (21 + s, 30), (17, 27.5), (13 + s, 30),
            (9, 27), (5 - s, 29), (6, 22)])
    c.poly([(13, 12 + b), (17, 28), (11, 28)], m='lining', shift=-1)
    for (x0, x1) in ((9, 7.5), (19, 21)):
        c.line(x0, 15 + b, x1, 27, '3')
    # a mantle over the shoulders, trimmed in pale gold
    c.ell(16, 12 + b, 7.5, 3.2, sep=True)
    c.line(9, 13 + b, 23, 13 + b, 'gold')
    # the hood, open on a dark face with two burning eyes
    c.ell(16, 7 + b, 5, 5.5, sep=True)
    c.ell(17.5, 8 + b, 3, 3.6, m='o')
    c.dots([(16.5, 7.5 + b), (19, 7.5 + b)], 'e')
    crown(c, 16, 2.5 + b, w=3.5)
    # the near arm, a gauntlet on the staff
    c.cap(20, 12 + b, 23.5, 16 + b, 1.5, sep=True)
    c.circ(24.2, 16 + b, 1.2, m='steel')
    c.cap(24.5, 29, 24.5, 6 + b, 0.6, m='steel')
    c.poly([(22.5, 6 + b), (24.5, 1.5 + b - 0.5 * f), (26.5, 6 + b), (24.5, 8.5 + b)], m='gold')
    c.px(24.5, 5 + b, 'e')


@sprite("medusa", body=(0x1A4A2A, 0x3A7A40, 0x70B068), eye=0xF8F040, mats={'skin': 0xB8D8A0, 'gold': 0xE0B040, 'hair': 0x2A6A2A, 'wood': 0x7A4A20, 'string': (0xE8E0D0, 'flat')}, size=64, scale=1.78)
def medusa(c, f):
    b = -0.6 * f
    c.path([(16, 18), (12, 23), (5, 27), (10, 29), (22, 28.5), (28, 25), (27, 21 + f)], 3.0, 0.8)
    c.ell(16, 14 + b, 4.2, 5, m='skin')
    c.cap(14, 12 + b, 11, 17 + b, 1.1, m='skin', shift=-1)
    c.rect(12, 16 + b, 8, 1.2, m='gold')
    c.circ(17, 7 + b, 3.5, m='skin', sep=True)
    for i, (dx, dy) in enumerate([(-4, -3), (-3, -6), (0, -7), (3, -5.5), (-5, 1), (-4, 4)]):
        c.path([(17 + dx * 0.4, 6 + b + dy * 0.3), (17 + dx, 6 + b + dy), (17 + dx * 1.4 + (i % 2) - f, 6 + b + dy * 1.3)], 0.8, 0.5, m='hair')
        c.px(17 + dx * 1.4 + (i % 2) - f, 6 + b + dy * 1.3, 'e')
    c.px(18.8, 6.8 + b, 'e')
    c.cap(18, 12 + b, 22, 12 + b, 0.9, m='skin', sep=True)
    c.path([(23, 4 + b), (24.5, 8 + b), (24.5, 16 + b), (23, 20 + b)], 0.5, m='wood')
    c.line(23, 4 + b, 23, 20 + b, 'string')


@sprite("kraken", body=(0x4A0A2A, 0x8A1A48, 0xC84A78), eye=0xF8E040, mats={'sucker': 0xF0B0C8}, lift=1, size=64, scale=1.75)
def kraken(c, f):
    s = f * 1.0
    for i, (x0, x1, y1, cx) in enumerate([(10, 2, 20, -2), (13, 8, 29, 0), (16, 16, 30, 3), (19, 24, 29, 0), (22, 30, 20, 2)]):
        c.path([(x0, 16), (x1 - (1 if i % 2 else -1) * s, (16 + y1) / 2 + cx), (x1 + cx * 0.5, y1), (x1 + cx + 2 - s, y1 - 2)], 1.8, 0.5, shift=-1 if i % 2 else 0)
    c.ell(16, 10, 9, 8.5)
    c.ell(16, 3, 5, 3, shift=1)
    for x in (12, 20):
        c.ell(x, 12, 2, 1.6, m='e')
        c.rect(x - 0.6, 11, 1.2, 2, m='o')
    for (x, y) in [(7, 22), (11, 27), (16, 28), (21, 27), (26, 22)]:
        c.px(x, y, 'sucker')


@sprite("behemoth", body=(0x2A2A1A, 0x4E4E30, 0x7E7A50), eye=0xF04020, mats={'horn': 0xE8E0C8, 'plate': 0x5A4A3A}, **BIG)
def behemoth(c, f):
    b = -0.6 * f
    c.path([(5, 16 + b), (2, 20), (2, 24)], 1.5, 0.6)
    leg(c, 8, 19, 28, 2.6, far=True)
    leg(c, 19, 19, 28, 2.6, far=True)
    c.ell(13, 15 + b, 10.5, 8.5)
    for i in range(5):
        c.ell(6 + i * 4, 8.5 + b + abs(i - 2) * 0.6, 2.5, 2, m='plate', sep=True)
    leg(c, 10, 20, 28.5, 2.9)
    leg(c, 21, 20, 28.5, 2.8)
    c.ell(25, 15 + b, 5, 5, sep=True)
    c.path([(24, 11 + b), (21, 7 + b), (22, 3 + b)], 1.2, 0.4, m='horn')
    c.path([(27, 12 + b), (29, 8 + b), (28, 5 + b)], 1.0, 0.3, m='horn')
    c.path([(28, 18 + b), (30.5, 16 + b)], 0.8, 0.3, m='horn')
    c.line(25.5, 19 + b, 29.5, 18 + b, 'o')
    eye(c, 26, 13.5 + b, big=True)


@sprite("worldserpent", body=(0x0A2A2A, 0x145050, 0x2A8A80), eye=0xF8E040, mats={'tongue': TONGUE, 'spot': (0xB8E0A0, 'flat'), 'horn': 0xE0D8C0, 'fin': 0x6A2A50}, size=64, scale=1.9)
def worldserpent(c, f):
    c.path([(1, 24), (6, 28.5), (14, 27), (17, 22), (12, 18), (6, 17), (4, 12), (9, 8)], 2.0, 1.5, m='body', shift=-1)
    c.path([(13, 29), (22, 29), (27, 25), (24, 20)], 2.6, 2.2)
    for (x, y) in [(18, 28), (23, 28)]:
        c.px(x, y, 'spot')
    for i in range(5):
        tri(c, (5 + i * 2.5, 16.5 - i * 1.5), (4 + i * 2.5, 13 - i * 1.5), (7 + i * 2.5, 15.5 - i * 1.5), m='fin')
    snake(c, f, [(24, 20), (19, 15), (17, 10 - f), (21, 6 - f)], 2.6, 2.2, (24, 6 - f), head_r=(3.8, 2.8), fangs=True,
          pattern=[(20, 16), (18, 12)])
    c.path([(23, 4 - f), (21, 1 - f), (19, 0.5 - f)], 0.7, 0.3, m='horn')
