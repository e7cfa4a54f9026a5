"""Small drawing helpers shared by the sprite descriptions."""


def leg(c, x, top, bot, r, far=False, m='body', foot=None, bend=0.0, r2=None):
    """A leg from the body down to the ground; far legs sit in shadow."""
    c.cap(x, top, x + bend, bot, r, r if r2 is None else r2, m=m, shift=-1 if far else 0, sep=not far)
    if foot:
        c.ell(x + bend + 0.4, bot + 0.2, r * 1.15, r * 0.6, m=foot, shift=-1 if far else 0)


def eye(c, x, y, big=False, glint=False):
    """An eye: one lit pixel, or a two-pixel eye with a dark pupil."""
    c.px(x, y, 'e')
    if big:
        c.px(x + 1, y, 'o')
        c.px(x, y + 1, 'e')
        c.px(x + 1, y + 1, 'o')
    if glint:
        c.px(x, y, 'w')


def tri(c, a, b, d, m='body', shift=0, sep=False):
    c.poly([a, b, d], m=m, shift=shift, sep=sep)


def wing(c, root, tip, spread, m='body', shift=0, ribs=0, sep=False):
    """A membrane wing: a fan from root to tip, scalloped along its trailing edge."""
    rx, ry = root
    tx, ty = tip
    pts = [(rx, ry), (tx, ty)]
    for i in range(1, ribs + 1):
        t = i / (ribs + 1)
        pts.append((tx + (rx + spread[0] - tx) * t, ty + (ry + spread[1] - ty) * t + 1.2))
    pts.append((rx + spread[0], ry + spread[1]))
    c.poly(pts, m=m, shift=shift, sep=sep)
    for i in range(1, ribs + 1):
        t = i / (ribs + 1)
        c.line(rx, ry, tx + (rx + spread[0] - tx) * t, ty + (ry + spread[1] - ty) * t, 'B')


def hoof_leg(c, x, top, bot, r, far=False, hoof='hoof', bend=0.0):
    """A slim hoofed leg with a dark hoof."""
    c.cap(x, top, x + bend, bot - 1, r, r * 0.75, shift=-1 if far else 0)
    c.rect(x + bend - r * 0.8, bot - 1.4, r * 1.7, 1.6, m=hoof, shift=-1 if far else 0)


def hind_leg(c, x, top, bot, r, far=False, m='body', foot=None):
    """A hind leg with a thigh and a hock bent backwards."""
    s = -1 if far else 0
    c.ell(x, top + 1.5, r * 1.9, r * 2.6, m=m, shift=s)
    c.cap(x + 0.5, top + 3, x - 1.2, bot - 3.5, r * 0.95, r * 0.8, m=m, shift=s)
    c.cap(x - 1.2, bot - 3.5, x - 0.4, bot, r * 0.8, r * 0.7, m=m, shift=s)
    if foot:
        c.ell(x, bot + 0.2, r * 1.1, r * 0.55, m=foot, shift=s)


def stripes(c, pts, key='o'):
    for (x0, y0, x1, y1) in pts:
        c.line(x0, y0, x1, y1, key)


def figure(c, f, skin='skin', legs='body', torso='body', arms=None, boots=None, head_r=4.2,
           wide=1.0, tall=1.0, hair=None, eyes=True, arm_pose=0.0, far_arm=True):
    """A standing person facing right, feet on y 29; returns the near hand.

    wide and tall scale the body around the feet; arm_pose raises the near
    hand (0 hangs, 1 holds forward at chest height).
    """
    b = -0.6 * f
    arms = arms or torso
    W, T = wide, tall

    def P(x, y):
        return (16 + (x - 16) * W, 29 - (29 - y) * T)

    hip_y = 19.5
    if far_arm:
        c.cap(*P(14, 12.5 + b), *P(12.5, 19 + b), 1.4 * W, 1.2 * W, m=arms, shift=-1)
        c.circ(*P(12.5, 19.5 + b), 1.2 * W, m=skin, shift=-1)
    c.cap(*P(14.5, hip_y), *P(13.5, 28), 1.6 * W, 1.4 * W, m=legs, shift=-1)
    c.cap(*P(17.5, hip_y), *P(18, 28), 1.6 * W, 1.4 * W, m=legs)
    if boots:
        c.ell(*P(14, 28.3), 2.0 * W, 1.1, m=boots, shift=-1)
        c.ell(*P(18.8, 28.3), 2.0 * W, 1.1, m=boots)
    c.ell(*P(16, 15.5 + b), 4.6 * W, 5.4 * T, m=torso)
    hx, hy = P(16.8, 8 + b)
    c.circ(hx, hy, head_r * min(W, T) ** 0.5, m=skin, sep=True)
    if hair:
        hair(c, hx, hy, b)
    if eyes:
        c.px(hx + 2, hy - 0.3, 'e')
    hand = P(20 + arm_pose * 2, 19 - arm_pose * 4 + b)
    c.cap(*P(17.8, 12.5 + b), *hand, 1.4 * W, 1.2 * W, m=arms, sep=True)
    c.circ(*hand, 1.25 * W, m=skin)
    return hand



def turned(pts, about, deg):
    """The points turned by deg degrees about a pivot (for a wing's beat)."""
    import math
    a = math.radians(deg)
    ca, sa = math.cos(a), math.sin(a)
    px, py = about
    return [(px + (x - px) * ca - (y - py) * sa, py + (x - px) * sa + (y - py) * ca) for (x, y) in pts]


# A raised bird's wing with its root at (0, 0): the leading edge climbs to the
# tip and the trailing edge comes back in scallops, one per flight feather.
FEATHER_WING = [(0, 0), (-2, -7), (-6, -12), (-13, -14), (-14, -11), (-11, -10), (-13, -8), (-9, -7),
                (-11, -5), (-7, -4), (-8, -2), (-4, -1), (-3, 1)]
FEATHER_LINES = [((-1, -4), (-11, -11)), ((-1, -2), (-9, -6))]


def feather_wing(c, root, k=1.0, beat=0.0, m='wing', line='1', shift=0, sep=True):
    """FEATHER_WING at the root, scaled by k and turned down by beat degrees,
    with the rows of feathers drawn in the line key."""
    rx, ry = root
    pts = turned([(rx + x * k, ry + y * k) for (x, y) in FEATHER_WING], root, -beat)
    c.poly(pts, m=m, shift=shift, sep=sep)
    for (a, b) in FEATHER_LINES:
        (ax, ay), (bx, by) = turned([(rx + a[0] * k, ry + a[1] * k), (rx + b[0] * k, ry + b[1] * k)], root, -beat)
        c.line(ax, ay, bx, by, line)
