"""Four-legged beasts: wolves, cats, bears, boars, hoofed animals."""
from registry import sprite
from art.kit import leg, eye, tri


@sprite("wolf", body=(0x3A3A48, 0x6A6A7A, 0x9A9AAA), eye=0xF0C020, mats={'belly': 0xC8C8D0})
def wolf(c, f):
    b = -0.6 * f
    # tail, raised and bushy
    c.path([(7, 16 + b), (4, 14), (2.5, 18 - f)], 2.2, 1.2)
    leg(c, 9, 18, 27, 1.3, far=True)
    leg(c, 20, 18, 27, 1.2, far=True)
    c.ell(13, 17 + b, 8, 4.8)
    c.ell(19, 16 + b, 4.5, 5)
    c.ell(16, 20 + b, 6, 2, m='belly')
    leg(c, 11, 19, 27.5, 1.4, bend=-0.5)
    leg(c, 21.5, 19, 27.5, 1.3)
    # head and muzzle
    c.ell(24, 11.5 + b, 4.2, 3.6)
    c.ell(28, 13 + b, 3.2, 1.8)
    c.px(30.5, 12.5 + b, 'o')
    tri(c, (21, 9 + b), (22.5, 4 + b), (24.5, 8.5 + b))
    tri(c, (23.5, 8.5 + b), (25.5, 4.5 + b), (26.5, 9 + b), shift=1)
    c.line(26, 14.5 + b, 29.5, 14.5 + b, 'o')
    c.px(28, 15 + b, 'w')
    eye(c, 25.5, 10.5 + b)
    c.ell(20, 14 + b, 2, 4, m='belly')


@sprite("bear", body=(0x3A2414, 0x6A4428, 0x9A6A40), eye=0x201008, mats={'snout': 0xC8A070})
def bear(c, f):
    b = -0.7 * f
    leg(c, 9, 18, 27, 2.2, far=True)
    leg(c, 20, 18, 27, 2.2, far=True)
    c.ell(13, 16 + b, 10, 7.5)
    c.ell(20, 15 + b, 6, 7)
    leg(c, 7, 19, 27.5, 2.6)
    leg(c, 20.5, 19, 27.5, 2.5)
    c.circ(24.5, 12 + b, 4.8)
    c.ell(28.5, 14 + b, 2.4, 2, m='snout')
    c.px(30.5, 13 + b, 'o')
    c.circ(22, 8 + b, 1.8)
    eye(c, 26, 11 + b)
