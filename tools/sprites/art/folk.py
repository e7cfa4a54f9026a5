"""Humanoid monsters: goblins, orcs, giants, undead, demons."""
from registry import sprite
from art.kit import figure, tri, wing, hind_leg


def club(c, hand, m='wood'):
    x, y = hand
    c.cap(x, y + 1, x + 2, y - 9, 0.8, 2.0, m=m)


def axe(c, hand, m='wood', blade='steel', double=False, lean=0.0):
    """An axe in the hand; lean tilts the haft forward so the head clears
    the wielder's face."""
    x, y = hand

    def at(dx, dy):
        return (x + dx - lean * dy, y + dy)

    c.cap(*at(0, 3), *at(0, -11), 0.6, m=m)
    c.poly([at(0, -10), at(4.5, -12.5), at(4.5, -5.5), at(0, -7.5)], m=blade)
    if double:
        c.poly([at(0, -10), at(-4.5, -12.5), at(-4.5, -5.5), at(0, -7.5)], m=blade, shift=-1)


def horns(c, x, y, m='horn', span=3.0, up=4.0):
    c.path([(x - 1, y), (x - span, y - 1), (x - span - 1, y - up)], 0.9, 0.4, m=m)
    c.path([(x + 1, y), (x + span, y - 1), (x + span + 1, y - up)], 0.9, 0.4, m=m)


def crown(c, x, y, w=3.0, m='gold'):
    # deep notches between the points, so they stay apart when scaled down
    c.poly([(x - w, y), (x - w, y - 3.2), (x - w / 2, y - 1.2), (x, y - 3.8), (x + w / 2, y - 1.2), (x + w, y - 3.2), (x + w, y)], m=m)
    c.px(x, y - 1, 'e')


def bull_head(c, x, y, k=1.0):
    """A bull's head turned to the right: a pale muzzle with nostrils and a
    ring, a brow over a red eye, a flapping ear and wide horns."""
    tri(c, (x - 2 * k, y - 1.5 * k), (x - 5.5 * k, y - 0.8 * k), (x - 2 * k, y + 0.8 * k), shift=-1)
    horns(c, x - 0.3 * k, y - 2.6 * k, span=4.2 * k, up=4.5 * k)
    c.circ(x, y, 3.6 * k, shift=1, sep=True)
    c.ell(x + 2.8 * k, y + 1.9 * k, 2.5 * k, 1.9 * k, m='snout', sep=True)
    c.px(x + 4.4 * k, y + 1.3 * k, 'o')
    c.px(x + 2.8 * k, y + 1.3 * k, 'o')
    c.line(x + 3.4 * k, y + 3.6 * k, x + 4.6 * k, y + 3.3 * k, 'gold')
    c.line(x + 0.2 * k, y - 1.4 * k, x + 2.6 * k, y - 0.9 * k, 'o')
    c.px(x + 1.6 * k, y - 0.3 * k, 'e')


@sprite("goblin", body=(0x2A4A14, 0x4A7A22, 0x7AAA3A), eye=0xF0E020, mats={'rag': 0x7A5A30, 'steel': 0xC8D0D8})
def goblin(c, f):
    hand = figure(c, f, skin='body', legs='rag', torso='rag', arms='body', head_r=4.6, wide=0.9, tall=0.8, arm_pose=0.4,
                  hair=lambda c, x, y, b: (tri(c, (x - 3, y - 1), (x - 9, y - 3 + b), (x - 3, y + 1.5)),
                                           tri(c, (x + 2, y - 2), (x + 5, y - 5), (x + 3.5, y))))
    x, y = hand
    c.poly([(x, y - 1), (x + 5, y - 3), (x, y + 0.5)], m='steel')
    c.line(19.5, 13.5 - 0.6 * f, 21, 13.5 - 0.6 * f, 'o')


@sprite("kobold", body=(0x6A2A14, 0xA84A20, 0xD87A3A), eye=0xF0F040, mats={'rag': 0x5A4A3A, 'wood': 0x8A5A2A, 'steel': 0xC8D0D8})
def kobold(c, f):
    c.path([(13, 21), (8, 25), (4, 27)], 1.4, 0.5)
    hand = figure(c, f, skin='body', legs='body', torso='rag', arms='body', head_r=3.8, wide=0.85, tall=0.85, arm_pose=0.6,
                  hair=lambda c, x, y, b: (c.ell(x + 3, y + 1, 3, 1.8), tri(c, (x - 3, y - 1), (x - 6, y - 5), (x - 1, y - 2))))
    x, y = hand
    c.cap(x, y + 6, x + 1, y - 11, 0.5, m='wood')
    c.poly([(x, y - 11), (x + 1, y - 15), (x + 2, y - 11)], m='steel')


@sprite("gnoll", body=(0x5A4020, 0x8A6A38, 0xB89A60), eye=0xF04020, mats={'rag': 0x6A2A2A, 'wood': 0x8A5A2A, 'steel': 0xC8D0D8})
def gnoll(c, f):
    hand = figure(c, f, skin='body', legs='body', torso='rag', arms='body', head_r=3.8, arm_pose=0.7,
                  hair=lambda c, x, y, b: (c.ell(x + 3, y + 1, 3.2, 2), tri(c, (x - 2, y - 2), (x - 3, y - 7), (x + 1, y - 3)),
                                           c.px(x + 6, y + 0.5, 'o'), c.line(x + 2, y + 2.5, x + 5, y + 2.5, 'o')))
    for (x, y) in [(14, 14), (17, 17), (15, 19)]:
        c.px(x, y - 0.6 * f, '1')
    x, y = hand
    c.cap(x, y + 7, x + 0.5, y - 12, 0.5, m='wood')
    c.poly([(x - 1, y - 11), (x + 0.5, y - 16), (x + 2, y - 11)], m='steel')


@sprite("orc", size=48, scale=1.5, body=(0x2A3A1A, 0x4A6A2E, 0x78984A), eye=0xF03020,
        mats={'armor': 0x4A4A52, 'wood': 0x6A4020, 'steel': 0xC8CCD0, 'tusk': 0xF0E8D0, 'leather': 0x6A3A1A})
def orc(c, f):
    hand = figure(c, f, skin='body', legs='leather', torso='armor', arms='body', boots='armor', wide=1.15, arm_pose=0.6,
                  hair=lambda c, x, y, b: (c.poly([(x - 4, y - 2), (x - 2, y - 5), (x + 2, y - 4.5), (x - 2, y - 2.5)], m='o'),
                                           c.px(x + 3, y + 2, 'tusk'), c.px(x + 3, y + 1, 'tusk')))
    c.poly([(10, 10), (13, 8.5), (14, 12)], m='armor')
    axe(c, hand, lean=0.6)


@sprite("ogre", size=48, scale=1.5, body=(0x463C46, 0x7C6E7A, 0xA69AA2), eye=0xF0D040,
        mats={'rag': 0x6A4A2A, 'wood': 0x7A5028, 'tusk': 0xF0E8D0, 'hair': 0x3A2A22})
def ogre(c, f):
    """Hulking and stooped, unlike the upright one-eyed giant: a small head
    thrust forward under a heavy brow, an underbite with tusks, a belly, and a
    club dragged at its side."""
    b = -0.6 * f
    c.cap(12.5, 21, 12, 28, 2.3, 2.0, shift=-1)
    c.ell(12.5, 28.3, 2.6, 1.1, shift=-1)
    c.cap(10, 12 + b, 8, 19 + b, 2.1, 1.8, shift=-1)
    c.circ(8.3, 20.5 + b, 2.0, shift=-1)
    c.ell(15, 15 + b, 7.5, 7)
    c.ell(17, 18.5 + b, 5.5, 4.2, shift=1)
    c.cap(19, 21, 19.5, 28, 2.4, 2.1, sep=True)
    c.ell(20.3, 28.3, 2.7, 1.1)
    c.poly([(9.5, 19.5), (21.5, 19.5), (21, 24), (10, 24)], m='rag', sep=True)
    c.line(10, 19.7, 21.5, 19.7, 'hair')
    # the head, low and forward
    c.circ(22, 10 + b, 3.8, sep=True)
    c.poly([(18.8, 9.5 + b), (16.8, 7.2 + b), (19.6, 8.2 + b)], shift=-1)
    c.ell(20.5, 6.2 + b, 1.6, 1.1, m='hair')
    c.cap(20, 8.4 + b, 25.2, 8.6 + b, 1.0, shift=-1)
    c.ell(23.5, 12.8 + b, 3.3, 2.1, shift=1, sep=True)
    c.dots([(22.6, 9.6 + b), (24.8, 9.7 + b)], 'e')
    c.px(25.8, 10.6 + b, 'o')
    c.line(21.5, 13.1 + b, 26, 12.7 + b, 'o')
    c.dots([(22.3, 12.2 + b), (25.2, 11.9 + b)], 'tusk')
    # the near arm hangs heavy, the club's head resting on the ground
    c.cap(19, 12 + b, 23, 17.5 + b, 2.2, 2.0, sep=True)
    c.cap(23, 17.5 + b, 24.5, 21 + b, 2.0, 1.8)
    c.cap(25, 21.5 + b, 28.5, 27, 0.8, 2.0, m='wood')
    c.circ(24.6, 21.5 + b, 1.8)


@sprite("troll", body=(0x2A4A3A, 0x4A7A5E, 0x7AA88A), eye=0xF0E040, mats={'rag': 0x5A4A30, 'wood': 0x6A4A28, 'moss': 0x5A7A1A})
def troll(c, f):
    b = -0.6 * f
    hand = figure(c, f, skin='body', legs='body', torso='body', head_r=3.4, wide=1.1, tall=1.05, arm_pose=-0.3,
                  hair=lambda c, x, y, b: (c.cap(x + 2, y, x + 5, y + 2.5, 1.3, 0.8), c.ell(x - 1, y - 3, 3, 1.5, m='moss')))
    c.poly([(11, 19), (21, 19), (20, 23), (12, 23)], m='rag', sep=True)
    x, y = hand
    c.cap(x, y, x + 1, y + 5, 1.6, m='body')
    club(c, (x + 1, y + 6))
    c.ell(14, 10 + b, 3, 1.2, m='moss')


@sprite("skeleton", body=(0x8A8270, 0xC8C0A8, 0xF0ECE0), eye=0xFF4020, mats={'steel': 0xA8B0B8, 'gold': 0xB08030})
def skeleton(c, f):
    b = -0.5 * f
    c.cap(14.5, 19, 13.5, 28, 0.7, shift=-1)
    c.cap(17.5, 19, 18, 28, 0.7)
    c.ell(16, 19.5, 3, 1.5)
    c.cap(16, 12 + b, 16, 19, 0.6)
    for y in (13, 15, 17):
        c.cap(13, y + b, 19, y + b, 0.6)
    c.cap(13, 12 + b, 12, 19 + b, 0.6, shift=-1)
    c.circ(16.8, 7.5 + b, 4)
    c.rect(15.5, 10 + b, 4, 2.2)
    c.circ(18, 7.5 + b, 1.1, m='o')
    c.px(18, 7.5 + b, 'e')
    c.line(15.5, 11 + b, 19.5, 11 + b, 'o')
    c.cap(18.5, 12 + b, 21, 17 + b, 0.6)
    c.cap(21, 17 + b, 21, 4 + b, 0.7, 0.4, m='steel')
    c.rect(19, 15.5 + b, 4, 1, m='gold')


@sprite("satyr", body=(0x4A2A14, 0x7A4A28, 0xA87A48), eye=0x201008, mats={'skin': 0xE8B890, 'horn': 0xE0D0A8, 'reed': 0xC8A040})
def satyr(c, f):
    b = -0.6 * f
    c.path([(14.5, 19), (12.5, 23), (14, 26), (13.5, 28.5)], 1.6, 1.0, shift=-1)
    c.path([(17.5, 19), (16, 23), (18, 26), (18, 28.5)], 1.6, 1.0)
    c.ell(16, 20, 3.8, 2.5)
    hand = figure(c, f, skin='skin', legs='body', torso='skin', arms='skin', arm_pose=0.9, head_r=3.8,
                  hair=lambda c, x, y, b: (c.ell(x - 1, y - 2, 3.8, 2.4, m='body', sep=True), horns(c, x, y - 3.5, span=2.2, up=3.5),
                                           c.poly([(x + 1, y + 3), (x + 3, y + 3), (x + 2, y + 6)], m='body')))
    c.ell(15, 28.5, 1.3, 0.9, m='o')
    c.ell(18.5, 28.5, 1.3, 0.9, m='o')
    x, y = hand
    for i in range(4):
        c.rect(x + 0.5 + i * 1.1, y - 4 + i * 0.5, 0.9, 4 - i * 0.5, m='reed')


@sprite("imp", body=(0x5A0A0A, 0x9A1A14, 0xD8402A), eye=0xF8F040, mats={'wing': 0x4A1018, 'horn': 0x3E2018, 'steel': 0xE0C050})
def imp(c, f):
    b = -1.0 * f
    wing(c, (15, 13 + b), (5, 5 + b + f * 3), (2, 6), m='wing', ribs=2)
    c.path([(13, 21 + b), (8, 24 + b), (6, 20 + b)], 0.6)
    tri(c, (6, 20 + b), (4.5, 17.5 + b), (7.5, 18.5 + b))
    hand = figure(c, f * 2, skin='body', legs='body', torso='body', head_r=4.2, wide=0.8, tall=0.75, arm_pose=0.7,
                  hair=lambda c, x, y, b: (c.path([(x - 1, y - 3), (x - 2, y - 6), (x - 4, y - 7)], 0.8, 0.3, m='horn'),
                                           c.path([(x + 2, y - 3), (x + 3, y - 6), (x + 5, y - 6.5)], 0.8, 0.3, m='horn')))
    x, y = hand
    c.cap(x, y + 4, x, y - 8, 0.45, m='steel')
    for dx in (-1.5, 0, 1.5):
        c.line(x + dx, y - 8, x + dx, y - 10, 'steel')
    c.line(x - 1.5, y - 8, x + 1.5, y - 8, 'steel')


@sprite("djinn", body=(0x1A3A7A, 0x2A60B8, 0x5A98E8), eye=0xF8F8A0, mats={'smoke': 0x90B8F0, 'gold': 0xE0B040, 'turban': 0xE8E0F0}, lift=1)
def djinn(c, f):
    b = -0.6 * f
    s = f * 1.5
    c.path([(16, 20 + b), (14, 24), (17 + s, 27), (22 + s, 28), (25, 26 - s * 0.5)], 3.5, 0.6, m='smoke')
    c.ell(16, 15 + b, 5.5, 5.5)
    c.cap(12, 12 + b, 10, 18 + b, 1.6, shift=-1)
    c.circ(17, 7.5 + b, 3.6, sep=True)
    c.ell(16.2, 4.8 + b, 4.5, 2.6, m='turban', sep=True)
    c.circ(18.5, 4 + b, 0.9, m='gold')
    c.cap(18, 10 + b, 19, 12.5 + b, 1.0, m='o')
    c.px(19, 7 + b, 'e')
    c.cap(20, 12 + b, 23, 15 + b, 1.6, sep=True)
    c.circ(23.2, 15.5 + b, 1.2, m='gold')
    c.cap(15, 19 + b, 17, 19 + b, 1.3, m='gold')


@sprite("minotaur", body=(0x3A2010, 0x6A3A1E, 0x9A6038), eye=0xF04020,
        mats={'horn': 0xE8E0C8, 'wood': 0x6A4020, 'steel': 0xC8CCD0, 'leather': 0x4A3422, 'snout': 0xC09470, 'gold': 0xD8B040})
def minotaur(c, f):
    hand = figure(c, f, skin='body', legs='body', torso='body', head_r=3.8, wide=1.15, arm_pose=0.6, eyes=False,
                  hair=lambda c, x, y, b: bull_head(c, x + 0.3, y - 0.2, k=0.9))
    c.poly([(11, 19.5), (21, 19.5), (20, 23), (12, 23)], m='leather', sep=True)
    axe(c, hand, double=True, lean=0.6)


@sprite("werewolf", body=(0x2A2420, 0x504840, 0x807468), eye=0xF0E020, mats={'rag': 0x4A3A5A, 'claw': 0xF0E8D8}, rim='A')
def werewolf(c, f):
    b = -0.6 * f
    c.path([(13, 20), (9, 23), (7, 21 - f)], 1.4, 0.7)
    hand = figure(c, f, skin='body', legs='body', torso='body', head_r=3.6, wide=1.15, arm_pose=0.2,
                  hair=lambda c, x, y, b: (c.ell(x + 3, y + 1.2, 3.2, 1.8), tri(c, (x - 2.5, y - 2), (x - 2, y - 7), (x + 0.5, y - 3)),
                                           tri(c, (x, y - 2.5), (x + 1.5, y - 6.5), (x + 2.5, y - 2.5), shift=1),
                                           c.px(x + 6, y + 0.5, 'o'), c.line(x + 2, y + 2.7, x + 5.5, y + 2.7, 'claw')))
    c.poly([(12, 19), (21, 19), (19, 23), (13, 23)], m='rag', sep=True)
    for i in range(4):
        tri(c, (13 + i * 1.5, 10.5 + b), (12 + i * 1.5, 7.5 + b), (14.5 + i * 1.5, 10 + b), shift=-1)
    x, y = hand
    for dx in (0, 1):
        c.line(x + dx, y + 1, x + dx + 1, y + 3, 'claw')


@sprite("wendigo", body=(0x3A3028, 0x665A4A, 0x948670), eye=0x60F0FF,
        mats={'bone': 0xF0ECE0, 'antler': 0x9A8466, 'claw': 0xD8D0C0})
def wendigo(c, f):
    b = -0.5 * f
    s = 0.6 * f
    # long digitigrade legs under a gaunt body that stoops forward
    hind_leg(c, 12, 16, 28.5, 1.1, far=True)
    c.cap(17, 10 + b, 19.5 + s, 18 + b, 0.9, 0.8, shift=-1)
    c.cap(19.5 + s, 18 + b, 20.5 + s, 25, 0.8, 0.6, shift=-1)
    c.ell(14.5, 14 + b, 3.6, 6.5, rot=28)
    for y in (11.5, 13.5, 15.5):
        c.line(14.5, y + b, 17.5, y - 1.5 + b, '1')
    hind_leg(c, 14.5, 17, 28.5, 1.2)
    # a bare deer skull on a thin neck, antlers spread wide above it
    c.cap(18, 8.5 + b, 21, 8 + b, 1.1)
    c.path([(21, 5.5 + b), (19, 2.5 + b), (15.5, 1 + b)], 0.55, 0.4, m='antler', shift=-1)
    c.path([(19, 2.5 + b), (18.5, 0 + b)], 0.4, m='antler', shift=-1)
    c.path([(17, 1.6 + b), (15.5, 3.2 + b)], 0.35, m='antler', shift=-1)
    c.path([(23, 5.5 + b), (25, 2 + b), (28.5, 1 + b)], 0.55, 0.4, m='antler')
    c.path([(25, 2 + b), (24.5, -0.3 + b)], 0.4, m='antler')
    c.path([(27, 1.3 + b), (28.5, 3.2 + b)], 0.35, m='antler')
    c.ell(22.5, 7.5 + b, 3.1, 2.6, m='bone', sep=True)
    c.cap(24, 8.8 + b, 27.8, 11 + b, 1.6, 1.0, m='bone')
    c.rect(21.8, 6.4 + b, 2, 2, m='o')
    c.px(22.4, 7 + b, 'e')
    c.px(27.6, 10.2 + b, 'o')
    c.line(24.5, 11 + b, 27.5, 11.8 + b, 'o')
    # the near arm hangs to the knee, ending in long claws
    c.cap(18.5, 10 + b, 21.5 + s, 17 + b, 1.0, 0.85, sep=True)
    c.cap(21.5 + s, 17 + b, 22.5 + s, 23.5, 0.85, 0.7)
    for dx in (-0.8, 0.4, 1.6):
        c.line(22 + s + dx * 0.5, 24, 22.5 + s + dx, 26.5, 'claw')


@sprite("wraith", body=(0x1A1A2E, 0x34345A, 0x5A5A8E), eye=0x80F0FF, mats={"steel": 0xC0C8D8, "wood": 0x4A3A2A}, lift=1, rim="A")
def wraith(c, f):
    b = -0.8 * f
    s = f
    c.poly([(10, 10 + b), (22, 10 + b), (24, 22), (23 - s, 28), (20, 25), (18 + s, 29), (15, 25), (12 - s, 29), (10, 24), (7 + s, 27)])
    c.ell(16, 8 + b, 5, 5.5, sep=True)
    c.ell(18, 9 + b, 2.8, 3.5, m='o')
    c.dots([(17.5, 8.5 + b), (19.5, 8.5 + b)], 'e')
    c.cap(20, 12 + b, 24, 16 + b, 1.5)
    c.cap(25, 26, 25, 3 + b, 0.5, m='wood')
    # the scythe blade sweeps back over the hood, thick at the haft
    c.path([(25.5, 3.5 + b), (22, 1.5 + b), (18, 1.8 + b), (14.5, 4.5 + b)], 1.3, 0.3, m='steel', sep=True)


@sprite("banshee", body=(0x34446A, 0x6A84AA, 0xA8C4E0), eye=0x90F0FF,
        mats={'hair': 0xB4B8D4, 'skin': 0xEAF2F8}, lift=1)
def banshee(c, f):
    b = -0.6 * f
    w = 1.2 * f
    # a ragged robe that thins to a wisp trailing behind
    c.poly([(12, 13 + b), (21, 13 + b), (23, 19), (21, 23), (17, 26), (12, 28), (6 + w, 29), (9, 26), (8, 22)])
    c.line(16, 16 + b, 13, 24, '1')
    # long hair streaming back from the head in the wind of her wail
    c.path([(15, 5 + b), (10, 5 + b), (5, 8 - w), (1, 7 + w)], 2.2, 1.0, m='hair', shift=-1)
    c.path([(15, 8 + b), (10, 11 + b), (6, 15 - w), (2, 16 + w)], 2.0, 0.8, m='hair')
    # the near arm reaches out, the hand spread
    c.cap(13, 15 + b, 9, 19 + b, 1.1, m='skin', shift=-1)
    c.cap(19, 15 + b, 24, 16 + b - w * 0.5, 1.1, m='skin', sep=True)
    c.circ(25, 15.5 + b - w * 0.5, 1.3, m='skin')
    # the face: dark hollow eyes and a mouth wide open
    c.circ(19, 8.5 + b, 4.3, m='skin', sep=True)
    c.ell(16.5, 5 + b, 4, 2.2, m='hair', sep=True)
    c.rect(19, 7.5 + b, 2, 2, m='o')
    c.rect(22, 7.5 + b, 1.4, 2, m='o')
    c.px(19.5, 8 + b, 'e')
    c.px(22.2, 8 + b, 'e')
    c.rect(20.5, 10.5 + b, 1.5, 2 + 0.6 * f, m='o')
