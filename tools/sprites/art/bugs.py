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
