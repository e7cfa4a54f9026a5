"""Four-legged beasts: wolves, cats, bears, boars, hoofed animals."""
from registry import sprite
from art.kit import leg, eye, tri, hoof_leg, hind_leg, stripes


def canine(c, f, head=True, ruff=False):
    """A wolf's body, with its head unless the caller draws its own."""
    b = -0.6 * f
    c.path([(7, 16 + b), (4, 13), (2, 16 - f)], 2.0, 1.0)
    hind_leg(c, 9.5, 15 + b, 27, 1.3, far=True)
    leg(c, 20, 18, 27, 1.2, far=True)
    c.ell(13, 17 + b, 7.5, 4.6)
    c.ell(19, 16 + b, 4.8, 5.2)
    c.ell(16, 20 + b, 5.5, 1.7, m='belly')
    hind_leg(c, 11, 16 + b, 27.5, 1.4)
    leg(c, 21.5, 19, 27.5, 1.3, foot='body')
    if ruff:
        for i in range(5):
            tri(c, (18 + i, 12 + b), (16.5 + i * 1.2, 7.5 + b + (i % 2)), (20 + i, 11 + b), shift=-1)
    if head:
        x, y = 24, 11.5 + b
        c.ell(x, y, 4.0, 3.5, sep=True)
        c.ell(x + 4, y + 1.5, 3.0, 1.7)
        c.px(x + 6.5, y + 1, 'o')
        tri(c, (x - 3, y - 2.5), (x - 1.5, y - 7), (x + 0.5, y - 3), shift=-1)
        tri(c, (x - 0.5, y - 3), (x + 1.5, y - 6.5), (x + 2.5, y - 2.5))
        c.line(x + 2, y + 3, x + 5.5, y + 3, 'o')
        c.px(x + 4, y + 3.5, 'w')
        eye(c, x + 1.5, y - 1)


@sprite("wolf", body=(0x3A3A48, 0x6A6A7A, 0x9A9AAA), eye=0xF0C020, mats={'belly': 0xC8C8D0})
def wolf(c, f):
    canine(c, f, ruff=True)


@sprite("jackal", body=(0x7A4A1A, 0xB8782E, 0xE0AA5A), eye=0xF0E040,
        mats={'belly': 0xF0E0B8, 'saddle': 0x4A4038})
def jackal(c, f):
    """Slight and leggy: tall ears, a needle snout, a dark saddle and a bushy
    tail hung low with a black tip."""
    b = -0.6 * f
    c.path([(7, 15.5 + b), (4.5, 19), (3.5 + f, 23)], 1.6, 1.4)
    c.circ(3.5 + f, 23.5, 1.3, m='saddle')
    hind_leg(c, 9.5, 14.5 + b, 27, 1.0, far=True)
    leg(c, 19.5, 17, 27, 0.9, far=True)
    c.ell(13.5, 16 + b, 7, 3.6)
    c.ell(19, 15 + b, 3.8, 4.2)
    c.ell(15, 19 + b, 4.5, 1.2, m='belly')
    c.ell(13, 13.5 + b, 5.5, 1.8, m='saddle')
    hind_leg(c, 11, 15 + b, 27.5, 1.1)
    leg(c, 21, 18, 27.5, 1.0, foot='body')
    # the head held high on a slim neck
    c.cap(20, 14 + b, 22, 10 + b, 2.0, 1.6)
    c.ell(23, 9 + b, 3.2, 2.7, sep=True)
    c.cap(24.5, 10 + b, 29, 11 + b, 1.4, 0.7)
    c.px(29.5, 10.6 + b, 'o')
    c.line(25, 11.8 + b, 28.5, 11.9 + b, 'o')
    tri(c, (20.5, 7.5 + b), (20.5, 1 + b), (22.5, 7 + b), shift=-1)
    tri(c, (22, 7 + b), (23.5, 0.5 + b), (24.5, 7.5 + b))
    c.line(23.2, 2.5 + b, 23.5, 6 + b, 'belly')
    eye(c, 24, 8.2 + b)


@sprite("hyena", body=(0x5A4E34, 0x8C7E58, 0xBCAC80), eye=0xF0D020,
        mats={'belly': 0xD8CCA0, 'spot': (0x3E2C1C, 'flat'), 'muzzle': 0x4A3A2A})
def hyena(c, f):
    """Heavy in front and low behind: the back slopes down to short hind legs,
    round ears, a blunt dark muzzle, a bristling mane and spots."""
    b = -0.6 * f
    c.path([(6, 19 + b), (4, 21), (3.5, 23.5 - f)], 0.8, 0.6)
    c.circ(3.5, 24 - f, 1.1, m='muzzle')
    hind_leg(c, 8.5, 18 + b, 27, 1.1, far=True)
    leg(c, 20, 17, 27, 1.3, far=True)
    c.ell(11.5, 19.5 + b, 5.5, 4)
    c.ell(18, 15.5 + b, 5.5, 5.8)
    c.ell(15, 21.5 + b, 5, 1.4, m='belly')
    hind_leg(c, 10, 19 + b, 27.5, 1.2)
    leg(c, 21.5, 18, 27.5, 1.5, foot='body')
    for (x, y) in [(9, 18), (12, 17.5), (14, 20), (11, 21), (16, 16), (19, 19), (17, 13.5), (20, 15.5), (7.5, 20.5)]:
        c.px(x, y + b, 'spot')
    for i in range(6):
        tri(c, (13 + i * 1.6, 13 + b - i * 0.7), (13.5 + i * 1.6, 9.5 + b - i * 0.7), (15 + i * 1.6, 12.5 + b - i * 0.7),
            m='muzzle')
    # a big round-eared head carried low and forward
    c.ell(23.5, 12 + b, 3.8, 3.4, sep=True)
    c.ell(27, 13.5 + b, 2.6, 2.0, m='muzzle')
    c.px(29, 12.8 + b, 'o')
    c.line(25.5, 15.2 + b, 28.5, 15.2 + b, 'o')
    c.circ(21.5, 8.6 + b, 1.5, shift=-1, sep=True)
    c.circ(23.6, 8.2 + b, 1.5, sep=True)
    c.px(23.6, 8.2 + b, 'muzzle')
    eye(c, 24.5, 11 + b)


@sprite("fenrir", body=(0x1E1E2E, 0x3C3C58, 0x6A6A90), eye=0x40E0FF, mats={'belly': 0x8A8AA8, 'chain': 0xB0A890}, rim='A')
def fenrir(c, f):
    canine(c, f, ruff=True)
    b = -0.6 * f
    for i in range(4):
        tri(c, (9 + i * 3, 13 + b), (10 + i * 3, 9.5 + b), (11.5 + i * 3, 13 + b), shift=-1)
    c.rect(21, 21, 1.6, 2.2, m='chain')
    c.rect(20, 22.6, 3.6, 1.2, m='chain')
    c.px(25.5, 10.5 + b, 'w')


@sprite("cerberus", body=(0x3A1A16, 0x68302A, 0x9A5040), eye=0xFF9020,
        mats={'belly': 0x7A463A, 'collar': 0xC8A040, 'maw': (0xD83020, 'flat')})
def cerberus(c, f):
    """Three heads on three necks, each in its own spiked collar: one reared
    high behind, one snarling forward, one low at the chest."""
    b = -0.6 * f
    canine(c, f, head=False)
    c.circ(2, 16.5 - f, 1.2, m='maw')
    heads = [(15, 5, -1, -0.4 * f), (24, 9.5, 0, 0.6 * f), (23.5, 17, -1, 0)]
    for (x, y, s, nod) in heads:
        y += b + nod
        c.cap(17.5, 14 + b, x - 2, y + 1, 2.2, 1.7, shift=s, sep=True)
        c.cap(x - 3.6, y - 1.2, x - 2.4, y + 2.8, 0.6, m='collar')
        c.px(x - 4.6, y - 0.2, 'collar')
        # a dark ring round each head keeps the three apart where they overlap
        c.ell(x + 0.4, y + 0.2, 3.8, 3.3, m='o')
        c.ell(x + 3.2, y + 0.9, 2.9, 2.0, m='o')
        c.ell(x, y, 3.1, 2.7, shift=s)
        c.ell(x + 3, y + 0.8, 2.3, 1.4, shift=s)
        c.line(x + 1.5, y + 2.3, x + 5, y + 2.0, 'maw')
        c.px(x + 5.3, y + 0.3, 'o')
        tri(c, (x - 2.2, y - 1.5), (x - 1.6, y - 5), (x + 0.2, y - 2.2), shift=s - 1)
        eye(c, x + 1, y - 0.8)


@sprite("bear", body=(0x3A2414, 0x6A4428, 0x9A6A40), eye=0x201008, mats={'snout': 0xC8A070})
def bear(c, f):
    b = -0.7 * f
    leg(c, 9, 18, 27, 2.2, far=True)
    leg(c, 20, 18, 27, 2.2, far=True)
    c.ell(13, 16 + b, 10, 7.5)
    c.ell(20, 15 + b, 6, 7)
    leg(c, 7, 19, 27.5, 2.6)
    leg(c, 20.5, 19, 27.5, 2.5)
    c.dots([(20, 27), (21, 27), (22, 27), (8, 27), (7, 27), (6, 27)], 'w')
    c.circ(24.5, 12 + b, 4.8)
    c.ell(28.5, 14 + b, 2.4, 2, m='snout')
    c.px(30.5, 13 + b, 'o')
    c.circ(22, 8 + b, 1.8)
    c.circ(22.3, 8.3 + b, 0.8, m='snout')
    eye(c, 26, 11 + b)


@sprite("panther", body=(0x141420, 0x2A2A40, 0x4A4A6E), eye=0x80F040, rim="A")
def panther(c, f):
    b = -0.5 * f
    c.path([(5, 17 + b), (2.5, 20), (2.5, 14 - f), (5, 11 - f)], 1.1, 0.9)
    hind_leg(c, 8.5, 15 + b, 27, 1.3, far=True)
    leg(c, 21, 19, 27, 1.1, far=True)
    c.ell(14, 18 + b, 9, 4)
    c.ell(21, 17 + b, 4, 4.2)
    hind_leg(c, 10, 16 + b, 27.5, 1.4)
    leg(c, 22.5, 19, 27.5, 1.2, foot='body')
    c.circ(25.5, 14 + b, 3.6)
    c.ell(28.3, 15.5 + b, 1.8, 1.5)
    tri(c, (23, 11.5 + b), (23.5, 8.5 + b), (25.5, 11 + b))
    c.px(29.8, 14.8 + b, 'o')
    c.line(27, 17.3 + b, 29.5, 17.3 + b, 'o')
    eye(c, 26.5, 13 + b)


def big_cat(c, f, mane=False, stripes_on=False, tuft=False):
    b = -0.6 * f
    c.path([(5, 16 + b), (2.5, 19), (2, 23 - f), (3.5, 25 - f)], 1.1, 0.8)
    if tuft:
        c.circ(3.5, 25 - f, 1.6, m='mane')
    hind_leg(c, 8.5, 14 + b, 27, 1.6, far=True)
    leg(c, 20.5, 18, 27, 1.5, far=True)
    c.ell(13.5, 17 + b, 9, 5)
    c.ell(20, 16.5 + b, 4.8, 5.5)
    c.ell(15, 21 + b, 6, 1.4, m='belly')
    hind_leg(c, 10, 15 + b, 27.5, 1.7)
    leg(c, 22, 19, 27.5, 1.6, foot='body')
    if mane:
        c.ell(23, 12.5 + b, 6, 6.5, m='mane')
        for (x, y) in [(18.5, 9), (19, 14), (20, 17), (22, 18.5), (20.5, 6.5), (23.5, 6)]:
            c.circ(x, y + b, 1.8, m='mane', shift=-1)
    c.circ(25, 12.5 + b, 3.8, sep=mane)
    c.ell(28, 14 + b, 2.3, 1.9, shift=1)
    c.px(30, 13.3 + b, 'o')
    c.line(27.5, 16.3 + b, 29.5, 16.3 + b, 'o')
    if not mane:
        c.circ(22.5, 9.5 + b, 1.3)
    eye(c, 26.5, 11.5 + b)
    if stripes_on:
        stripes(c, [(8, 13 + b, 9, 17 + b), (11, 12 + b, 12, 16 + b), (14, 12 + b, 14.5, 16.5 + b),
                    (17, 12 + b, 17, 16 + b), (6, 15 + b, 7, 18 + b), (23, 9.5 + b, 23.5, 11 + b),
                    (3, 21, 3, 21), (2.5, 23 - f, 2.5, 23 - f)])


@sprite("lion", body=(0x7A5020, 0xC08A40, 0xE8B868), eye=0x402008, mats={'belly': 0xF0D8A0, 'mane': 0x8A4010})
def lion(c, f):
    big_cat(c, f, mane=True, tuft=True)


@sprite("tiger", body=(0x8A3A08, 0xD06A18, 0xF09840), eye=0xF0E040, mats={'belly': 0xF4EEDC})
def tiger(c, f):
    big_cat(c, f, stripes_on=True)


@sprite("rat", body=(0x3A3034, 0x6A5A5E, 0x9A8A8C), eye=0xE03030, mats={'pink': 0xE09A9A})
def rat(c, f):
    b = -0.5 * f
    c.path([(9, 21), (5, 23), (3, 20 - f), (2, 16 - f)], 0.6, 0.5, m='pink')
    leg(c, 12, 21, 27, 1.0, far=True, m='pink')
    c.ell(15, 21 + b, 7, 5)
    c.ell(21, 21 + b, 4, 3.6)
    c.ell(24.5, 22.5 + b, 3, 1.9, shift=1)
    leg(c, 13, 23, 27.5, 1.0, m='pink')
    leg(c, 20, 23, 27.5, 0.9, m='pink')
    c.circ(19.5, 17.5 + b, 2.2, m='pink')
    c.circ(19.5, 17.5 + b, 2.2, sep=True, shift=0)
    c.circ(19.7, 17.8 + b, 1.2, m='pink')
    c.px(27, 22 + b, 'pink')
    c.line(25, 23 + b, 28, 25 + b, 'w')
    eye(c, 22, 20 + b)


@sprite("boar", body=(0x3A2818, 0x6A4A30, 0x8E6C4C), eye=0xE04020, mats={'snout': 0xC89080, 'hoof': 0x3C3026})
def boar(c, f):
    b = -0.5 * f
    c.path([(5, 16 + b), (3, 15), (2.5, 17 + f)], 0.5)
    hoof_leg(c, 8, 19, 27, 1.4, far=True)
    hoof_leg(c, 19, 19, 27, 1.4, far=True)
    c.ell(13, 17 + b, 9, 6.5)
    for i in range(6):
        tri(c, (7 + i * 2.5, 12 + b), (8 + i * 2.5, 8.5 + b + (i % 2)), (10 + i * 2.5, 12 + b), shift=-1)
    hoof_leg(c, 10, 20, 27.5, 1.5)
    hoof_leg(c, 20, 20, 27.5, 1.5)
    c.ell(22.5, 17 + b, 5, 4.5)
    c.ell(27, 19 + b, 2.5, 2.2, m='snout')
    c.px(28.5, 18.5 + b, 'o')
    tri(c, (19, 13.5 + b), (19.5, 10 + b), (21.5, 13 + b), shift=-1)
    c.path([(25, 21 + b), (26.5, 19.5 + b), (27, 17 + b)], 0.6, 0.4, m='w')
    eye(c, 23.5, 15.5 + b)


@sprite("warthog", body=(0x4A3028, 0x7A5A48, 0xA08070), eye=0x100808, mats={'mane': 0x3A2418, 'hoof': 0x3C3026, 'tusk': 0xF0E8D0})
def warthog(c, f):
    b = -0.5 * f
    c.path([(5, 15 + b), (3, 11 + f), (2.5, 9 + f)], 0.5)
    c.circ(2.5, 8.5 + f, 1.0, m='mane')
    hoof_leg(c, 8, 19, 27, 1.2, far=True)
    hoof_leg(c, 19, 19, 27, 1.2, far=True)
    c.ell(13, 17 + b, 8.5, 5.5)
    hoof_leg(c, 10, 20, 27.5, 1.3)
    hoof_leg(c, 20, 20, 27.5, 1.3)
    c.path([(7, 11.5 + b), (14, 11 + b), (21, 12 + b)], 1.4, 1.1, m='mane')
    c.ell(23, 17.5 + b, 5, 5)
    c.ell(27.5, 19.5 + b, 2.6, 2.4, shift=1)
    c.circ(24.5, 20.5 + b, 0.9, shift=1)
    c.path([(26, 20.5 + b), (28, 19 + b), (28.5, 15.5 + b), (27.5, 14 + b)], 0.8, 0.4, m='tusk')
    tri(c, (20, 13 + b), (20.5, 10 + b), (22.5, 13 + b), shift=-1)
    eye(c, 24, 15.5 + b)


@sprite("ram", body=(0x6A6050, 0xB8B098, 0xE8E2D0), eye=0xF0C040, mats={'face': 0x3A3028, 'horn': 0xB89868, 'hoof': 0x3C3026})
def ram(c, f):
    b = -0.5 * f
    hoof_leg(c, 9, 19, 27, 1.1, far=True, hoof='face')
    hoof_leg(c, 19, 19, 27, 1.1, far=True, hoof='face')
    c.ell(14, 17 + b, 9, 5.5)
    for (x, y) in [(7, 14), (11, 12.5), (15, 12.3), (19, 13), (8, 19), (13, 20), (18, 19.5), (21, 16)]:
        c.circ(x, y + b, 2.4)
    hoof_leg(c, 11, 20, 27.5, 1.2, hoof='face')
    hoof_leg(c, 20, 20, 27.5, 1.2, hoof='face')
    c.ell(25, 15 + b, 3, 3.5, m='face')
    c.ell(27.3, 17 + b, 2.0, 1.8, m='face')
    c.path([(24, 12 + b), (21.5, 10 + b), (20, 13 + b), (21.5, 16 + b), (23.5, 15 + b)], 1.4, 0.7, m='horn', sep=True)
    eye(c, 25.5, 14 + b)


@sprite("stag", body=(0x5A3418, 0x8A5428, 0xB8804A), eye=0x100804, mats={'belly': 0xE8D8B8, 'antler': 0xE0D0A8, 'hoof': 0x3C3026}, scale=0.92)
def stag(c, f):
    b = -0.6 * f
    c.path([(6, 16), (4.5, 15.5 - f)], 1.0, m='belly')
    hoof_leg(c, 8.5, 19, 29, 0.9, far=True)
    hoof_leg(c, 19, 19, 29, 0.9, far=True)
    c.ell(13, 17, 8, 4.3)
    c.ell(14, 20, 5, 1.3, m='belly')
    hoof_leg(c, 10, 19, 29.5, 1.0, bend=-0.5)
    hoof_leg(c, 20, 19, 29.5, 1.0, bend=0.5)
    c.cap(19, 15, 23, 9 + b, 2.4, 1.8)
    c.ell(24.5, 8.5 + b, 2.6, 2.2)
    c.ell(27.3, 9.8 + b, 2.0, 1.3)
    tri(c, (22, 8 + b), (20 - 0.5 * f, 6 + b - 0.5 * f), (22.5, 6.7 + b), shift=-1)
    a = 'antler'
    c.path([(23.5, 6.5 + b), (22, 2 + b), (19, 0 + b), (16, -0.5 + b)], 0.6, m=a)
    c.path([(22, 2.5 + b), (23.5, -1 + b)], 0.5, m=a)
    c.path([(20, 0.5 + b), (20, -2.5 + b)], 0.5, m=a)
    c.path([(24.5, 6.5 + b), (26, 3 + b), (28, 1 + b), (30, 0 + b)], 0.6, m=a)
    c.path([(26, 3 + b), (25.5, -0.5 + b)], 0.5, m=a)
    c.path([(28, 1 + b), (28.5, -2 + b)], 0.5, m=a)
    c.px(29.2, 9.3 + b, 'o')
    eye(c, 25, 8 + b)


@sprite("rhino", body=(0x3A3A40, 0x66666E, 0x94949C), eye=0x100808, mats={'horn': 0xE0D8C0})
def rhino(c, f):
    b = -0.5 * f
    c.path([(4, 15 + b), (2.5, 18)], 0.5)
    leg(c, 8, 20, 27, 2.1, far=True)
    leg(c, 19, 20, 27, 2.0, far=True)
    c.ell(13, 17 + b, 10, 7)
    c.path([(9, 11 + b), (10, 23 + b)], 0.4, m='body', shift=-1)
    c.path([(17, 11 + b), (17.5, 23 + b)], 0.4, m='body', shift=-1)
    leg(c, 10, 21, 27.5, 2.3)
    leg(c, 20, 21, 27.5, 2.2)
    c.ell(24, 16 + b, 5.5, 4.8, sep=True)
    c.ell(28, 18.5 + b, 3, 2.4)
    c.poly([(27.5, 16 + b), (30.5, 9 + b), (30, 16.5 + b)], m='horn')
    c.poly([(25, 13.5 + b), (26, 10.5 + b), (27, 13.5 + b)], m='horn')
    tri(c, (20, 12 + b), (20, 9 + b), (22.5, 12 + b), shift=-1)
    eye(c, 25, 15 + b)


@sprite("mammoth", body=(0x3A2010, 0x6A3C20, 0x9A6234), eye=0x100804, mats={'tusk': 0xF0E8D0})
def mammoth(c, f):
    b = -0.6 * f
    leg(c, 8, 19, 28, 2.3, far=True)
    leg(c, 18, 19, 28, 2.3, far=True)
    c.ell(13, 14 + b, 10.5, 9)
    c.circ(20, 10 + b, 5.5)
    for x in range(5, 23, 3):
        c.path([(x, 19 + b), (x - 0.5, 23.5 + b)], 0.9, m='body', shift=-1)
    leg(c, 10, 20, 28.5, 2.6)
    leg(c, 20, 20, 28.5, 2.5)
    c.ell(22.5, 13 + b, 4.5, 5)
    c.ell(19.5, 13 + b, 3, 4, shift=-1, sep=True)
    c.path([(25.5, 14 + b), (27, 19 + b), (27.5, 24 + b), (29 + f * 0.5, 26 + b)], 1.7, 1.0)
    c.path([(23.5, 17 + b), (26, 21 + b), (29.5, 20 + b), (30.5, 17 + b)], 1.1, 0.5, m='tusk', )
    eye(c, 24, 11.5 + b)


@sprite("gorilla", body=(0x18141A, 0x302A34, 0x54485C), eye=0xE05020, mats={'face': 0x4A3C40, 'silver': 0x9A9AA8}, rim='A')
def gorilla(c, f):
    b = -0.7 * f
    leg(c, 9, 19, 27.5, 2.2, far=True)
    c.path([(20, 13 + b), (23, 20), (23.5, 27)], 2.2, 1.8, shift=-1)
    c.ell(13, 16 + b, 8, 7)
    c.ell(13, 16 + b, 5, 3.5, m='silver')
    c.ell(19, 12 + b, 6.5, 6)
    leg(c, 11, 20, 27.5, 2.4)
    c.circ(23, 9 + b, 4)
    c.ell(24.5, 11 + b, 3, 2.5, m='face')
    c.path([(18, 13 + b), (21, 19), (21.5, 27.5)], 2.6, 2.2, sep=True)
    c.ell(22, 27.5, 2.2, 1.0)
    c.line(23, 7.8 + b, 26, 7.8 + b, '1')
    eye(c, 25, 9 + b)
    c.px(26.5, 11 + b, 'o')


@sprite("mole", body=(0x201820, 0x3E3440, 0x5E5262), eye=0x100810, mats={'pink': 0xF0A0B0}, rim='A')
def mole(c, f):
    b = -0.5 * f
    c.ell(15, 21 + b, 10, 6.5)
    c.ell(22, 20 + b, 5, 5)
    c.ell(27, 21 + b, 3, 2.2, shift=1)
    c.circ(29.5, 21 + b, 1.2, m='pink')
    c.ell(8, 27, 2.5, 1, m='pink', shift=-1)
    c.ell(21, 26 + f * 0.3, 4, 2, m='pink', sep=True)
    c.dots([(23.5, 27 + f * 0.3), (24.5, 26.5 + f * 0.3), (25, 25.5 + f * 0.3)], 'w')
    c.line(26, 19 + b, 27, 19 + b, '1')
    c.px(24, 19 + b, 'o')
