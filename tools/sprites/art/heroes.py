"""The eight hero classes: told apart by outfit, headgear and weapon."""
from registry import sprite
from art.kit import figure, tri

HERO = dict(size=48, scale=1.5, eye=0x1A1010)
# Flat: the shade rules darken a skin tone to red, which reads as a wound.
SKIN = (0xF0C09A, 'flat')


def sword(c, hand, b, blade='steel', hilt='gold', up=True):
    x, y = hand
    if up:
        c.cap(x, y + 1, x, y - 13, 0.8, 0.5, m=blade)
        c.rect(x - 2, y - 1.2, 4, 1.2, m=hilt)
    else:
        c.cap(x, y, x + 8, y + 3, 0.7, 0.4, m=blade)


@sprite("warrior", body=(0x3A3A48, 0x6A6A80, 0xA0A0B8), mats={'skin': SKIN, 'steel': 0xD8E0E8, 'gold': 0xD8A23A, 'cloth': 0xA02020, 'hair': 0x6A3A1A}, **HERO)
def warrior(c, f):
    b = -0.6 * f
    c.poly([(12, 11 + b), (8, 26), (13, 27), (15, 13 + b)], m='cloth', shift=-1)
    hand = figure(c, f, legs='body', torso='body', boots='body', arm_pose=0.6,
                  hair=lambda c, x, y, b: (c.ell(x - 0.5, y - 1.6, 4.5, 3.2, m='body', sep=True),
                                           c.rect(x - 4.8, y - 0.8, 9.6, 1.2, m='gold'),
                                           c.cap(x - 0.5, y - 4.5, x - 0.5, y - 7, 0.7, 0.4, m='cloth')))
    c.rect(12, 19.5 + b, 8, 1.3, m='gold')
    c.circ(19, 12 + b, 2, m='body', sep=True)
    sword(c, hand, b)
    c.ell(10.5, 17 + b, 3.2, 4.5, m='cloth', sep=True)
    c.circ(10.5, 17 + b, 1.2, m='gold')


@sprite("mage", body=(0x1A1A5A, 0x2E34A0, 0x5A68D8), mats={'skin': SKIN, 'wood': 0x8A5A2A, 'orb': 0x80F0FF, 'beard': 0xE8E8F0, 'trim': 0xE0C050}, **HERO)
def mage(c, f):
    b = -0.6 * f
    c.poly([(12, 12 + b), (9, 29), (23, 29), (20, 12 + b)], m='body')
    hand = figure(c, f, legs='body', torso='body', arm_pose=0.7,
                  hair=lambda c, x, y, b: (c.poly([(x - 7, y - 1.5), (x + 7, y - 1.5), (x + 2, y - 4), (x - 4.5, y - 9.5), (x - 2, y - 4)], m='body', sep=True),
                                           c.rect(x - 3, y - 3.5, 6, 1.2, m='trim')))
    c.poly([(18, 10 + b), (21.5, 11 + b), (19, 17 + b), (17, 12 + b)], m='beard')
    c.rect(10, 28, 12, 1, m='trim')
    x, y = hand
    c.cap(x + 0.5, y + 10, x + 0.5, y - 11, 0.8, m='wood')
    c.circ(x + 0.5, y - 12, 2 + 0.3 * f, m='orb')
    c.px(x, y - 13, 'w')


@sprite("cleric", body=(0x8A8070, 0xD8D0C0, 0xF8F4EA),
        mats={'skin': (0xF0C8A0, 'flat'), 'gold': (0xE8B840, 'flat'), 'steel': 0xB8C0C8, 'trim': 0x3A64B0}, **HERO)
def cleric(c, f):
    b = -0.6 * f

    def hood(c, x, y, b):
        # a white hood drawn round a plain face
        c.ell(x - 0.8, y - 0.4, 4.6, 4.6, m='body', sep=True)
        c.poly([(x - 4.5, y + 1), (x - 3.5, y + 5.5), (x + 1.5, y + 5), (x + 1, y + 2)], m='body')
        c.ell(x + 1.4, y + 0.8, 2.6, 3.0, m='skin')
        c.line(x - 0.5, y - 2.6, x + 3.2, y - 2.6, 'trim')
        c.px(x + 2.2, y + 0.2, 'e')

    c.poly([(12, 12 + b), (10, 29), (22, 29), (20, 12 + b)], m='body')
    hand = figure(c, f, legs='body', torso='body', arm_pose=0.3, eyes=False, hair=hood)
    # a blue stole with a gold sun across the chest
    c.poly([(14.5, 12 + b), (17.5, 12 + b), (18, 29), (14, 29)], m='trim')
    c.circ(16, 16 + b, 1.7, m='gold')
    c.dots([(16, 13.4 + b), (16, 18.7 + b), (13.4, 16 + b), (18.6, 16 + b)], 'gold')
    x, y = hand
    # a mace crowned with a golden sun
    c.cap(x, y + 1, x + 3.5, y - 5.5, 0.6, m='steel')
    c.circ(x + 3.8, y - 6.2, 1.9, m='gold')
    c.dots([(x + 1.4, y - 6.2), (x + 6.2, y - 6.2), (x + 3.8, y - 8.6), (x + 3.8, y - 3.8)], 'gold')


@sprite("rogue", body=(0x1A1A14, 0x34342A, 0x5A5A48), rim='A', mats={'skin': SKIN, 'steel': 0xD0D8E0, 'leather': 0x6A4020, 'scarf': 0x8A2030}, **HERO)
def rogue(c, f):
    b = -0.6 * f
    hand = figure(c, f, legs='body', torso='leather', arms='body', boots='leather', arm_pose=0.2,
                  hair=lambda c, x, y, b: (c.poly([(x - 5, y + 3), (x - 4.5, y - 3), (x - 1, y - 5), (x + 3.5, y - 4), (x + 4, y - 1), (x - 1, y - 1.5), (x - 1, y + 4)], m='body', sep=True),))
    c.poly([(17, 9.5 + b), (21.5, 10 + b), (21, 12 + b), (16.5, 12 + b)], m='scarf')
    c.line(12, 13 + b, 20, 20 + b, 'leather')
    x, y = hand
    c.poly([(x, y - 1), (x + 6, y + 1), (x, y + 1)], m='steel')
    c.poly([(11, 20 + b), (5, 16 + b), (11.5, 18.5 + b)], m='steel', sep=True)


@sprite("vampire", body=(0x2A0A14, 0x5A1428, 0x9A2840), eye=0xFF2020,
        mats={'skin': 0xE8E0E8, 'cape': 0x3A2438, 'hair': 0x2A2238, 'gold': 0xD8B040}, rim='A', size=48, scale=1.5)
def vampire(c, f):
    b = -0.6 * f
    c.poly([(11, 10 + b), (6, 29), (14, 27 + f * 0.5), (16, 29), (21, 12 + b)], m='cape')
    c.poly([(12, 10 + b), (10, 5 + b), (14, 9 + b)], m='body')
    c.poly([(20, 10 + b), (23, 5 + b), (19.5, 9.5 + b)], m='body', shift=-1)
    hand = figure(c, f, legs='cape', torso='cape', arms='cape', arm_pose=0.9,
                  hair=lambda c, x, y, b: (
                      # slick hair to a widow's peak, a pointed ear, a thin cruel mouth with a fang
                      c.poly([(x - 4.5, y), (x - 4, y - 3.5), (x, y - 5), (x + 4, y - 3), (x + 1.5, y - 2.2), (x + 0.5, y - 3.8),
                              (x - 1.5, y - 1), (x - 3, y + 2)], m='hair', sep=True),
                      tri(c, (x - 1.5, y - 0.5), (x - 3.2, y - 2.8), (x - 0.8, y + 1.2), m='skin'),
                      c.line(x + 1.2, y - 1.3, x + 3, y - 1.0, 'hair'),
                      c.line(x + 1.8, y + 2.2, x + 3.4, y + 2.0, 'body'),
                      c.px(x + 2.6, y + 2.9, 'w')))
    c.poly([(14, 11 + b), (17, 17 + b), (20, 11 + b)], m='body')
    c.circ(17, 12 + b, 0.9, m='gold')
    c.px(19.5, 10 + b, 'w')
    x, y = hand
    c.cap(x - 2, y - 2, x + 1.5, y - 4.5, 1.1, m='cape', sep=True)


@sprite("dieb", body=(0x3A2818, 0x6A4A2C, 0x9A7048), mats={'skin': SKIN, 'steel': 0xD0D8E0, 'band': 0x2A6A8A, 'sack': 0xC8A870}, **HERO)
def dieb(c, f):
    b = -0.6 * f
    c.ell(9.5, 15 + b, 4, 5, m='sack')
    c.cap(9.5, 10 + b, 9.5, 9 + b, 1, m='sack')
    hand = figure(c, f, legs='band', torso='body', boots='body', arm_pose=0.5,
                  hair=lambda c, x, y, b: (c.ell(x - 0.5, y - 2.2, 4.4, 2.6, m='band', sep=True),
                                           c.path([(x - 4, y - 1.5), (x - 7, y + 0.5 + f * 0.5)], 0.7, m='band')))
    c.rect(18.5, 7 + b, 4, 1.4, m='o')
    c.px(20.5, 7.3 + b, 'e')
    c.line(11, 12 + b, 18, 17 + b, 'sack')
    x, y = hand
    c.poly([(x - 0.5, y), (x + 1, y - 6), (x + 1.5, y)], m='steel')


@sprite("druide", body=(0x1E4018, 0x3A6A2A, 0x6A9A48), mats={'skin': SKIN, 'wood': 0x7A4A20, 'antler': 0xE0D0A8, 'leaf': 0x88C040, 'beard': 0xD8D8C8}, **HERO)
def druide(c, f):
    b = -0.6 * f
    c.poly([(12, 12 + b), (10, 29), (22, 29), (20, 12 + b)], m='body')
    hand = figure(c, f, legs='body', torso='body', arm_pose=0.6,
                  hair=lambda c, x, y, b: (c.poly([(x - 5, y + 3), (x - 4.5, y - 3), (x - 0.5, y - 5), (x + 3.5, y - 4), (x + 4, y - 2.5), (x, y - 2.5), (x - 1.5, y - 0.5), (x - 2, y + 3.5)], m='body', sep=True),
                                           c.path([(x - 2, y - 4), (x - 4, y - 7), (x - 6.5, y - 8)], 0.5, m='antler'),
                                           c.path([(x - 4, y - 7), (x - 3.8, y - 8.6)], 0.45, m='antler'),
                                           c.path([(x + 1, y - 4), (x + 2.5, y - 7), (x + 5, y - 8)], 0.5, m='antler'),
                                           c.path([(x + 2.5, y - 7), (x + 2.3, y - 8.6)], 0.45, m='antler')))
    c.poly([(18, 10 + b), (21.5, 10.5 + b), (19.5, 16 + b), (17, 12 + b)], m='beard')
    x, y = hand
    c.path([(x, y + 10), (x + 0.5, y), (x - 0.5, y - 8), (x + 1.5, y - 11)], 0.8, 0.6, m='wood')
    c.circ(x + 2, y - 11, 1.6 + 0.3 * f, m='leaf')
    c.circ(x - 1, y - 9, 1.2, m='leaf')


@sprite("archer", body=(0x2A4A1A, 0x4A7A2A, 0x78A848), mats={'skin': SKIN, 'wood': 0x9A6A30, 'leather': 0x7A4A20, 'feather': 0xE04040, 'string': (0xE8E0D0, 'flat')}, **HERO)
def archer(c, f):
    b = -0.6 * f
    c.rect(10, 10 + b, 3, 9, m='leather')
    c.dots([(10.5, 9 + b), (12, 8.5 + b)], 'feather')
    hand = figure(c, f, legs='leather', torso='body', boots='leather', arm_pose=0.7,
                  hair=lambda c, x, y, b: (c.poly([(x - 5, y + 2), (x - 4.5, y - 3), (x - 0.5, y - 5), (x + 3.5, y - 4), (x + 4, y - 2.5), (x, y - 2.5), (x - 1.5, y - 0.5), (x - 2, y + 3)], m='body', sep=True),
                                           c.px(x - 5, y - 3, 'feather')))
    c.line(12, 12 + b, 19, 19 + b, 'leather')
    x, y = hand
    c.path([(x - 1, y - 9), (x + 1.5, y - 5), (x + 2, y), (x + 1.5, y + 5), (x - 1, y + 9)], 0.6, m='wood')
    c.line(x - 1, y - 9, x - 1, y + 9, 'string')
