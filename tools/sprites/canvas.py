"""Raster canvas for the sprite art: shapes are filled with a material and a
light value, and the shading, inner lines and outline are derived from them.

Coordinates are author units; `scale` turns them into pixels, so a creature
drawn once can be reused at a larger size. Light comes from the upper left.
"""
import math

# Light direction (x right, y down, z towards the viewer).
_L = (-0.48, -0.62, 0.62)
_LN = math.sqrt(sum(v * v for v in _L))
LIGHT = tuple(v / _LN for v in _L)


def _shade_normal(nx, ny):
    """Light value of a surface whose normal has screen part (nx, ny)."""
    d = nx * nx + ny * ny
    nz = math.sqrt(1.0 - d) if d < 1.0 else 0.0
    return nx * LIGHT[0] + ny * LIGHT[1] + nz * LIGHT[2]


class Canvas:
    """One frame under construction.

    Each pixel holds (material, light, tone shift) or a fixed key. Materials
    are names the sprite's palette resolves into tone ramps.
    """

    def __init__(self, size, scale=1.0, ox=0.0, oy=0.0):
        self.n = size
        self.s = scale
        self.ox = ox
        self.oy = oy
        self.cell = {}      # (x, y) -> [material, light, shift]
        self.fixed = {}     # (x, y) -> key character
        self.lines = set()  # pixels drawn as an inner crease

    # -- coordinate helpers -------------------------------------------------
    def _p(self, x, y):
        # Edges that meet a pixel centre exactly would fall either way by float
        # noise (3.6 - 0.5 is not exact), so a shape could gain or lose a pixel
        # between frames; the bias makes every such tie fall the same way.
        return (x * self.s + self.ox + 1e-6, y * self.s + self.oy + 1e-6)

    def _bbox(self, x0, y0, x1, y1):
        n = self.n
        return (max(0, int(math.floor(x0)) - 1), max(0, int(math.floor(y0)) - 1),
                min(n - 1, int(math.ceil(x1)) + 1), min(n - 1, int(math.ceil(y1)) + 1))

    def _fill(self, pixels, m, shift, sep):
        """Writes a shape's pixels. With sep, its rim over older paint becomes
        a crease so that overlapping parts stay apart."""
        if m is None:
            for p in pixels:
                self.cell.pop(p, None)
                self.fixed.pop(p, None)
                self.lines.discard(p)
            return
        under = set(self.cell) | set(self.fixed) if sep else None
        for p, light in pixels.items():
            self.cell[p] = [m, light, shift]
            self.fixed.pop(p, None)
            self.lines.discard(p)
        if sep:
            for (x, y) in pixels:
                if (x, y) not in under:
                    continue
                for q in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    if q not in pixels and q in under:
                        self.lines.add((x, y))
                        break

    # -- shapes -------------------------------------------------------------
    def ell(self, cx, cy, rx, ry, m='body', shift=0, sep=False, rot=0.0, flat=False):
        """A shaded ellipse, optionally turned by rot degrees."""
        cx, cy = self._p(cx, cy)
        rx, ry = rx * self.s, ry * self.s
        r = max(rx, ry)
        ca, sa = math.cos(math.radians(rot)), math.sin(math.radians(rot))
        x0, y0, x1, y1 = self._bbox(cx - r, cy - r, cx + r, cy + r)
        px = {}
        for y in range(y0, y1 + 1):
            for x in range(x0, x1 + 1):
                dx, dy = x + 0.5 - cx, y + 0.5 - cy
                u = (dx * ca + dy * sa) / rx
                v = (-dx * sa + dy * ca) / ry
                if u * u + v * v <= 1.0:
                    nx, ny = u * ca - v * sa, u * sa + v * ca
                    px[(x, y)] = 0.45 if flat else _shade_normal(nx * 0.9, ny * 0.9)
        self._fill(px, m, shift, sep)

    def circ(self, cx, cy, r, m='body', shift=0, sep=False, flat=False):
        self.ell(cx, cy, r, r, m, shift, sep, flat=flat)

    def cap(self, x0, y0, x1, y1, r0, r1=None, m='body', shift=0, sep=False, flat=False):
        """A capsule from (x0, y0) to (x1, y1), its radius tapering r0 to r1;
        shaded like a cylinder along its axis."""
        if r1 is None:
            r1 = r0
        ax, ay = self._p(x0, y0)
        bx, by = self._p(x1, y1)
        r0, r1 = r0 * self.s, r1 * self.s
        rm = max(r0, r1)
        bx0, by0, bx1, by1 = self._bbox(min(ax, bx) - rm, min(ay, by) - rm,
                                        max(ax, bx) + rm, max(ay, by) + rm)
        vx, vy = bx - ax, by - ay
        ll = vx * vx + vy * vy
        px = {}
        for y in range(by0, by1 + 1):
            for x in range(bx0, bx1 + 1):
                qx, qy = x + 0.5 - ax, y + 0.5 - ay
                t = 0.0 if ll == 0 else max(0.0, min(1.0, (qx * vx + qy * vy) / ll))
                r = r0 + (r1 - r0) * t
                dx, dy = qx - vx * t, qy - vy * t
                d2 = dx * dx + dy * dy
                if d2 <= r * r + 1e-9 and r > 0:
                    px[(x, y)] = 0.45 if flat else _shade_normal(dx / r * 0.85, dy / r * 0.85)
        self._fill(px, m, shift, sep)

    def path(self, pts, r0, r1=None, m='body', shift=0, sep=False):
        """Capsules along a polyline, tapering over its whole length."""
        if r1 is None:
            r1 = r0
        k = len(pts) - 1
        for i in range(k):
            ra = r0 + (r1 - r0) * i / k
            rb = r0 + (r1 - r0) * (i + 1) / k
            self.cap(pts[i][0], pts[i][1], pts[i + 1][0], pts[i + 1][1], ra, rb, m, shift,
                     sep and i == 0)

    def poly(self, pts, m='body', shift=0, sep=False, light=None):
        """A filled polygon, lit from the top of its box unless light is given."""
        q = [self._p(x, y) for (x, y) in pts]
        xs = [p[0] for p in q]
        ys = [p[1] for p in q]
        x0, y0, x1, y1 = self._bbox(min(xs), min(ys), max(xs), max(ys))
        top, h = min(ys), max(1e-6, max(ys) - min(ys))
        px = {}
        nq = len(q)
        for y in range(y0, y1 + 1):
            cy = y + 0.5
            for x in range(x0, x1 + 1):
                cx = x + 0.5
                inside = False
                j = nq - 1
                for i in range(nq):
                    xi, yi = q[i]
                    xj, yj = q[j]
                    if (yi > cy) != (yj > cy):
                        xc = xi + (cy - yi) * (xj - xi) / (yj - yi)
                        if cx < xc:
                            inside = not inside
                    j = i
                if inside:
                    px[(x, y)] = light if light is not None else 0.75 - 0.7 * (cy - top) / h
        self._fill(px, m, shift, sep)

    def rect(self, x, y, w, h, m='body', shift=0, sep=False, light=None):
        self.poly([(x, y), (x + w, y), (x + w, y + h), (x, y + h)], m, shift, sep, light)

    def erase(self, kind, *args, **kw):
        """Cuts a shape out of what is drawn."""
        kw['m'] = None
        getattr(self, kind)(*args, **kw)

    # -- single pixels ------------------------------------------------------
    def px(self, x, y, key):
        """A fixed key at author position (x, y), unshaded."""
        X, Y = self._p(x, y)
        p = (int(math.floor(X)), int(math.floor(Y)))
        if 0 <= p[0] < self.n and 0 <= p[1] < self.n:
            self.fixed[p] = key
            self.lines.discard(p)

    def dots(self, pts, key):
        for (x, y) in pts:
            self.px(x, y, key)

    def line(self, x0, y0, x1, y1, key):
        """A one-pixel line of a fixed key."""
        X0, Y0 = self._p(x0, y0)
        X1, Y1 = self._p(x1, y1)
        steps = int(max(abs(X1 - X0), abs(Y1 - Y0))) + 1
        for i in range(steps + 1):
            t = i / steps
            p = (int(math.floor(X0 + (X1 - X0) * t)), int(math.floor(Y0 + (Y1 - Y0) * t)))
            if 0 <= p[0] < self.n and 0 <= p[1] < self.n:
                self.fixed[p] = key
                self.lines.discard(p)

    def tone(self, x, y, m, shift):
        """Pins one pixel to a material tone (for glints and spots)."""
        X, Y = self._p(x, y)
        p = (int(math.floor(X)), int(math.floor(Y)))
        if 0 <= p[0] < self.n and 0 <= p[1] < self.n:
            self.cell[p] = [m, 0.3, shift]
            self.fixed.pop(p, None)
            self.lines.discard(p)

    def occupied(self):
        return set(self.cell) | set(self.fixed)
