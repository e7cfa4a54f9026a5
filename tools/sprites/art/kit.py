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
