#!/usr/bin/env python3
# Draws the hairstyles that are our own: the pulled-back girls' styles with
# buns, a top-knot or a ponytail (haar15, haar17, haar20, haar22, haar23,
# haar24).  The other hairstyles come from tools/art/extract-face.mjs.
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Usage: python3 tools/art/draw-hair.py [OUTDIR]   (default: art/face next to tools/)
#
# A hairstyle is one picture drawn over the head, stretched into its hair
# rectangle, which the portrait stretches and shifts differently on each of
# the eight head shapes (the hair offset and width tables, plain and
# mirrored).  So each style is drawn around two outlines: the outermost of
# the sixteen head outlines as they land under the picture, which the hair
# must cover at the crown and temples, and the innermost, on which hair that
# frames the face may lie without leaving a gap.  Buns, knots and ponytails
# go where the frame has room.
#
# The look follows the other hairstyles: flat hair in the key colour #FF00FF
# (the pupil's hair colour) with a black ink rim of one width all round and a
# few ink strands.  One unit is one design pixel (a portrait 332 high).

import importlib.util
import math
import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))


def _load(name, file):
    found = importlib.util.spec_from_file_location(name, os.path.join(HERE, file))
    mod = importlib.util.module_from_spec(found)
    found.loader.exec_module(mod)
    return mod


face = _load("draw_face", "draw-face.py")
geo = _load("face_preview", "face-preview.py")   # the portrait's hair tables

KEY = "#ff00ff"
INK = "#000000"
TIE = "#cc3333"          # hair ties and scrunchies
RIM = 4.5                # ink rim all round: a stroke this wide under the hair
STRAND = 1.9             # ink strands on the hair
HEAD_TOP = 28
HAIR_TOP = 10


def fmt(v):
    return face.fmt(v)


class Frame:
    """The picture of hairstyle n: its size, and the heads under it."""

    def __init__(self, n):
        self.n = n
        self.w, top, bottom = geo.HAIR[n]
        self.h = bottom - top
        heads = []
        for k, (w, t, b, ym, nu, nl) in enumerate(face.HEADS):
            outline = [(x - w / 2, y + t) for x, y in face.head_outline(w, b - t, ym, nu, nl)]
            f = geo.HAIR_F[k][n]
            for shift in (-geo.HAIR_D[k][n], geo.HAIR_DM[k][n]):
                heads.append([((x + shift) / f + self.w / 2, y - HAIR_TOP) for x, y in outline])
        self.heads = heads
        # the middle between the most shifted heads, half-way down the face
        mids = [(min(p[0] for p in hd) + max(p[0] for p in hd)) / 2 for hd in heads]
        self.c = ((min(mids) + max(mids)) / 2, (HEAD_TOP + 310) / 2 - HAIR_TOP)
        self.left = min(p[0] for hd in heads for p in hd)
        self.right = max(p[0] for hd in heads for p in hd)
        self.box = [(0, 0), (self.w, 0), (self.w, self.h), (0, self.h)]

    def reach(self, poly, a):
        cx, cy = self.c
        dx, dy = math.cos(a), math.sin(a)
        best = 0.0
        for i in range(len(poly)):
            x1, y1 = poly[i]
            x2, y2 = poly[(i + 1) % len(poly)]
            ex, ey = x2 - x1, y2 - y1
            den = dx * ey - dy * ex
            if abs(den) < 1e-12:
                continue
            t = ((x1 - cx) * ey - (y1 - cy) * ex) / den
            u = ((x1 - cx) * dy - (y1 - cy) * dx) / den
            if t > 0 and 0 <= u <= 1:
                best = max(best, t)
        return best

    def outer(self, a):
        return max(self.reach(hd, a) for hd in self.heads)

    def inner(self, a):
        return min(self.reach(hd, a) for hd in self.heads)

    def room(self, a):
        return self.reach(self.box, a)

    def at(self, a, r):
        return (self.c[0] + r * math.cos(a), self.c[1] + r * math.sin(a))

    def angle_of(self, p):
        return math.atan2(p[1] - self.c[1], p[0] - self.c[0])

    def crown(self, a0, a1, thick, steps=80):
        """The hair's outer edge from angle a0 to a1 (through the top, y
        down: -pi/2 is straight up): `thick` beyond the outermost head, or
        as much as the frame allows."""
        pts = []
        for i in range(steps + 1):
            a = a0 + (a1 - a0) * i / steps
            o = self.outer(a)
            r = min(o + thick(a) if callable(thick) else o + thick, self.room(a) - RIM / 2 - 0.5)
            pts.append(self.at(a, max(r, o + 1.5)))
        return pts

    def svg(self, body, comment):
        return (f'<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 {fmt(self.w)} {fmt(self.h)}" '
                f'width="{fmt(self.w)}" height="{fmt(self.h)}">\n<!-- {comment} -->\n{body}</svg>\n')


def smooth(points, passes=2):
    """Chaikin corner cutting on a closed ring."""
    for _ in range(passes):
        out = []
        n = len(points)
        for i in range(n):
            (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
            out += [(0.75 * x0 + 0.25 * x1, 0.75 * y0 + 0.25 * y1), (0.25 * x0 + 0.75 * x1, 0.25 * y0 + 0.75 * y1)]
        points = out
    return points


def curve(p0, p1, p2, n=24):
    """Quadratic curve p0 -> p2 pulled towards p1."""
    return [((1 - t) ** 2 * p0[0] + 2 * (1 - t) * t * p1[0] + t * t * p2[0],
             (1 - t) ** 2 * p0[1] + 2 * (1 - t) * t * p1[1] + t * t * p2[1]) for t in (i / n for i in range(n + 1))]


def circle(cx, cy, rx, ry=None, n=48):
    ry = rx if ry is None else ry
    return [(cx + rx * math.cos(2 * math.pi * k / n), cy + ry * math.sin(2 * math.pi * k / n)) for k in range(n)]


class Hair:
    """Shapes in layers.  The shapes of one layer are filled over an ink
    silhouette of all of them, so overlapping shapes join into one outline;
    a later layer (a knot on top of the hair) keeps its own rim."""

    def __init__(self, frame):
        self.f = frame
        self.layer = 0
        self.items = []      # (layer, order, kind, points, extra)

    def on_top(self):
        """What follows is drawn over everything before, with its own rim."""
        self.layer += 1

    def add(self, pts, fill=KEY):
        self.items.append((self.layer, 1, "shape", pts, fill))

    def strand(self, pts, width=STRAND):
        self.items.append((self.layer, 2, "strand", pts, width))

    def tie(self, pts, fill=TIE):
        self.items.append((self.layer, 3, "tie", pts, fill))

    @staticmethod
    def _inside(pts, shapes, margin=3.0):
        """The runs of a strand that lie well inside the hair, so no ink line
        ever crosses its rim or runs out over the face."""
        def contains(poly, x, y):
            inside = False
            for i in range(len(poly)):
                (x1, y1), (x2, y2) = poly[i - 1], poly[i]
                if (y1 > y) != (y2 > y) and x < x1 + (y - y1) * (x2 - x1) / (y2 - y1):
                    inside = not inside
            return inside

        def deep(x, y):
            return all(any(contains(sh, x + dx, y + dy) for sh in shapes)
                       for dx, dy in ((0, 0), (margin, 0), (-margin, 0), (0, margin), (0, -margin)))
        runs, run = [], []
        for p in pts:
            if deep(*p):
                run.append(p)
            else:
                if len(run) > 3:
                    runs.append(run)
                run = []
        if len(run) > 3:
            runs.append(run)
        return runs

    def render(self, comment):
        body = ""
        for layer in range(self.layer + 1):
            mine = [it for it in self.items if it[0] == layer]
            # every shape stroked wide in ink first, so the rim is as wide
            # everywhere and the edges between the layer's shapes vanish
            for _, _, kind, pts, _ in mine:
                if kind == "shape":
                    body += (f'<path d="{face.poly(pts)}" fill="{INK}" stroke="{INK}" stroke-width="{fmt(RIM)}" '
                             f'stroke-linejoin="round"/>\n')
            for _, _, kind, pts, extra in sorted(mine, key=lambda it: it[1]):
                if kind == "shape":
                    body += face.path(face.poly(pts), extra)
                elif kind == "strand":
                    for run in self._inside(pts, [it[3] for it in mine if it[2] == "shape"]):
                        body += face.stroke(run, extra)
                else:
                    body += (f'<path d="{face.poly(pts)}" fill="{extra}" stroke="{INK}" stroke-width="1.6" '
                             f'stroke-linejoin="round"/>\n')
        return self.f.svg(body, comment)


# ---------------------------------------------------------------- parts

def cap(fr, hairline, thick, a_left=None, a_right=None):
    """Hair over the skull: from the outer edge (through the top) down to the
    hairline, an open curve from the right temple to the left one."""
    a0 = fr.angle_of(hairline[-1]) if a_left is None else a_left
    a1 = fr.angle_of(hairline[0]) if a_right is None else a_right
    if a0 > 0:
        a0 -= 2 * math.pi
    return fr.crown(a0, a1, thick) + hairline


def temple(fr, side, y, outline=None):
    """The angle at which a head outline (by default the innermost) is at
    height y (picture units) on the left (side -1) or right (side 1)."""
    # left: from straight down through the left to straight up; right: from
    # straight up through the right to straight down.  y falls, then rises.
    outline = outline or fr.inner
    lo, hi = (math.pi / 2, 3 * math.pi / 2) if side < 0 else (-math.pi / 2, math.pi / 2)
    at = lambda a: fr.at(a, outline(a))[1]
    for _ in range(40):
        mid = (lo + hi) / 2
        if side < 0:
            lo, hi = (mid, hi) if at(mid) > y else (lo, mid)
        else:
            lo, hi = (lo, mid) if at(mid) > y else (mid, hi)
    a = (lo + hi) / 2
    return math.atan2(math.sin(a), math.cos(a))


def point_on(fr, a, inset):
    """The point `inset` inside the innermost outline along angle a."""
    return fr.at(a, fr.inner(a) - inset)


def arch(p_right, p_left, y_mid, power=0.55, n=40, peak=0.0):
    """A hairline across the forehead from the right temple to the left,
    rising to y_mid in the middle, with an optional widow's peak."""
    pts = []
    for i in range(n + 1):
        t = i / n
        x = p_right[0] + (p_left[0] - p_right[0]) * t
        yb = p_right[1] + (p_left[1] - p_right[1]) * t
        s = math.sin(math.pi * t) ** power
        y = yb + (y_mid - yb) * s + peak * math.exp(-((t - 0.5) / 0.06) ** 2)
        pts.append((x, y))
    return pts


def bangs(p_right, p_left, y_top, y_tip, locks, n=12):
    """A fringe from the right temple to the left: `locks` rounded locks
    hanging from y_top (at the temples) down to y_tip."""
    pts = [p_right]
    x0, x1 = p_right[0], p_left[0]
    for k in range(locks):
        xa = x0 + (x1 - x0) * k / locks
        xb = x0 + (x1 - x0) * (k + 1) / locks
        for i in range(1, n + 1):
            t = i / n
            x = xa + (xb - xa) * t
            # each lock ends in a soft point a little off its middle
            dip = math.sin(math.pi * t) ** 0.8
            edge = min(abs(k + t - 0.0), abs(locks - k - t)) / locks   # 0 at the temples
            y = y_top + (y_tip - y_top) * dip * min(1.0, 0.45 + 2.2 * edge)
            pts.append((x, y))
    pts.append(p_left)
    return pts


def bun(cx, cy, r, squash=1.0):
    return circle(cx, cy, r, r * squash)


def swirl(cx, cy, r, turns=1.2, start=0.0, n=30):
    return [(cx + r * (0.25 + 0.65 * t) * math.cos(start + 2 * math.pi * turns * t),
             cy + r * (0.25 + 0.65 * t) * math.sin(start + 2 * math.pi * turns * t)) for t in (i / n for i in range(n + 1))]


def lock(top, bottom, w_top, w_bottom, bend, n=30, tip=0.0):
    """A hanging lock of hair from `top` to `bottom` (centre line bent
    sideways by `bend`), `w_top` wide at the top narrowing to `w_bottom`."""
    left, right = [], []
    for i in range(n + 1):
        t = i / n
        x = top[0] + (bottom[0] - top[0]) * t + bend * math.sin(math.pi * t)
        y = top[1] + (bottom[1] - top[1]) * t
        w = w_top + (w_bottom - w_top) * t ** 1.3
        # the direction of the centre line
        dx = (bottom[0] - top[0]) + bend * math.pi * math.cos(math.pi * t)
        dy = bottom[1] - top[1]
        ln = math.hypot(dx, dy) or 1
        nx, ny = -dy / ln, dx / ln
        left.append((x + nx * w / 2, y + ny * w / 2))
        right.append((x - nx * w / 2, y - ny * w / 2))
    end = [(bottom[0] + bend * 0 + tip, bottom[1] + 4)] if tip else []
    return left + end + list(reversed(right))


def pulled_back_strands(hr, fr, hairline, target, count, reach=0.75, skip=0.0):
    """Ink strands from the hairline up towards `target` (a bun or the crown)."""
    n = len(hairline)
    for k in range(count):
        t = skip + (1 - 2 * skip) * (k + 0.5) / count
        x, y = hairline[int(t * (n - 1))]
        start = (x + (target[0] - x) * 0.08, y + (target[1] - y) * 0.08 - 2)
        end = (x + (target[0] - x) * reach, y + (target[1] - y) * reach)
        mid = ((start[0] + end[0]) / 2 + (x - fr.c[0]) * 0.12, (start[1] + end[1]) / 2)
        hr.strand(curve(start, mid, end, 16))


# ---------------------------------------------------------------- styles

def corner_bun(fr, side, r, a_from_top, lift):
    """Where a bun sits on the head's upper corner: on the hair's outer edge
    at a_from_top radians from straight up, pushed out by `lift` of its
    radius, and kept inside the frame."""
    a = -math.pi / 2 + side * a_from_top
    x, y = fr.at(a, fr.outer(a) + lift * r)
    return (min(max(x, r + 3), fr.w - r - 3), max(y, r + 2))


def style15(fr):
    """Two small buns high on the head, a short fringe."""
    hr = Hair(fr)
    r = 25
    centres = [corner_bun(fr, side, r, 0.66, 0.45) for side in (-1, 1)]
    for cx, cy in centres:
        hr.add(bun(cx, cy, r, 0.95))
    pr = point_on(fr, temple(fr, 1, 140), 3)
    pl = point_on(fr, temple(fr, -1, 140), 3)
    line = bangs(pr, pl, 90, 132, 5)
    hr.add(cap(fr, line, 4))
    for (cx, cy), st in zip(centres, (-0.5, 2.6)):
        hr.strand(swirl(cx, cy, r * 0.8, 1.1, start=st))
    # a few strands in the fringe
    for x in (0.3, 0.5, 0.7):
        px = pl[0] + (pr[0] - pl[0]) * x
        hr.strand(curve((px - 4, 62), (px - 10, 95), (px - 6, 122), 12))
    return hr.render("haar15: two buns and a fringe; own drawing, hair in key colour")


def style22(fr):
    """Two big round buns, hair pulled back from a high hairline."""
    hr = Hair(fr)
    w = fr.w
    r = 27
    centres = [(r + 3, r + 3), (w - r - 3, r + 3)]
    for cx, cy in centres:
        hr.add(bun(cx, cy, r))
    ar = temple(fr, 1, 165)
    al = temple(fr, -1, 165)
    pr = point_on(fr, ar, 4)
    pl = point_on(fr, al, 4)
    line = arch(pr, pl, 58, 0.5, peak=4)
    hr.add(cap(fr, line, 6))
    for (cx, cy), s in zip(centres, (-0.4, 2.7)):
        hr.strand(swirl(cx, cy, r * 0.85, 1.15, start=s))
    half = len(line) // 2
    pulled_back_strands(hr, fr, line[:half], centres[1], 3, 0.55, 0.15)
    pulled_back_strands(hr, fr, line[half:], centres[0], 3, 0.55, 0.15)
    # a curl in front of each ear
    for p, side in ((pl, -1), (pr, 1)):
        hr.add(lock((p[0] - side * 4, p[1] - 10), (p[0] - side * 1, p[1] + 26), 9, 3, side * 5))
    return hr.render("haar22: two big buns, hair pulled back; own drawing, hair in key colour")


def style23(fr):
    """Short hair swept to one side with a small top-knot."""
    hr = Hair(fr)
    cx = fr.c[0] + 10
    r = 19
    ar = temple(fr, 1, 160)
    al = temple(fr, -1, 150)
    pr = point_on(fr, ar, 3)
    pl = point_on(fr, al, 3)
    # a side-swept fringe: low on the right, high on the left
    line = []
    n = 40
    for i in range(n + 1):
        t = i / n
        x = pr[0] + (pl[0] - pr[0]) * t
        y = pr[1] + (90 - pr[1]) * math.sin(math.pi * min(1, t * 1.25) / 2) ** 0.7
        y += 8 * math.sin(math.pi * t * 3) * (1 - t) * (t > 0.1)
        y = min(y, pl[1] + (1 - t) * 200)
        line.append((x, y if t < 0.8 else y + (pl[1] - y) * ((t - 0.8) / 0.2) ** 1.5))
    hr.add(cap(fr, line, 5))
    pulled_back_strands(hr, fr, line, (cx, r + 6), 4, 0.6, 0.1)
    hr.on_top()
    hr.add(bun(cx, r + 1, r, 0.9))
    hr.strand(swirl(cx, r + 1, r * 0.8, 1.0, start=3.0))
    hr.tie(circle(cx, 2 * r - 1, 8, 3.2, 24))
    return hr.render("haar23: short hair with a top-knot; own drawing, hair in key colour")


def style24(fr):
    """A messy bun on top, loose strands by the ears."""
    hr = Hair(fr)
    cx = fr.c[0] + 4
    ar = temple(fr, 1, 170)
    al = temple(fr, -1, 170)
    pr = point_on(fr, ar, 3)
    pl = point_on(fr, al, 3)
    line = arch(pr, pl, 70, 0.55)
    # a few short wisps over the forehead
    wisp = []
    for i, (x, y) in enumerate(line):
        t = i / (len(line) - 1)
        wisp.append((x, y + 10 * max(0, math.sin(math.pi * t * 4)) ** 3 * (0.2 < t < 0.8)))
    hr.add(cap(fr, wisp, 5))
    for p, side in ((pl, -1), (pr, 1)):
        hr.add(lock((p[0] - side * 3, p[1] - 20), (p[0] + side * 3, p[1] + 40), 10, 2, -side * 6))
    pulled_back_strands(hr, fr, wisp, (cx, 24), 5, 0.55, 0.1)
    hr.on_top()
    # the bun: a lumpy round with two loose ends
    for dx in (-30, 28):
        hr.add(lock((cx + dx * 0.6, 24), (cx + dx, 6), 7, 1.5, 3 if dx > 0 else -3))
    blob = []
    n = 60
    for i in range(n):
        a = 2 * math.pi * i / n
        rr = 20 + 2.6 * math.sin(5 * a + 0.7) + 1.2 * math.sin(9 * a)
        blob.append((cx + rr * math.cos(a) * 1.2, 23 + rr * math.sin(a) * 0.9))
    hr.add(blob)
    hr.strand(swirl(cx, 23, 19, 1.0, start=1.0))
    return hr.render("haar24: a messy bun with loose strands; own drawing, hair in key colour")


def style20(fr):
    """Long hair down the sides and a top-knot."""
    hr = Hair(fr)
    cx = fr.c[0] + 6
    r = 20
    ar = temple(fr, 1, 140)
    al = temple(fr, -1, 140)
    pr = point_on(fr, ar, 14)
    pl = point_on(fr, al, 14)
    line = arch(pr, pl, 62, 0.45)
    hr.add(cap(fr, line, 5))
    bottom = fr.h - 3
    for p, side in ((pl, -1), (pr, 1)):
        # a curtain of hair from the temple down past the cheek, lying over
        # the side of the face and out to the frame
        x_in = p[0] + side * 2
        outer_x = 3 if side < 0 else fr.w - 3
        pts = [(x_in - side * 6, p[1] - 30), (x_in, p[1])]
        for i in range(1, 13):
            t = i / 12
            pts.append((x_in + side * (10 * math.sin(math.pi * t * 0.9)) - side * 4 * t, p[1] + (bottom - p[1]) * t))
        pts += [(outer_x - side * 4, bottom), (outer_x, bottom - 30), (outer_x, p[1] - 40)]
        hr.add(smooth(pts, 3))
        hr.strand(curve((x_in + side * 10, p[1]), (x_in + side * 14, (p[1] + bottom) / 2), (x_in + side * 8, bottom - 12), 16))
    pulled_back_strands(hr, fr, line, (cx, r + 8), 5, 0.55, 0.12)
    hr.on_top()
    hr.add(bun(cx, r + 1, r * 1.1, 0.85))
    hr.strand(swirl(cx, r + 1, r * 0.85, 1.0, start=2.0))
    hr.tie(circle(cx, 2 * r - 2, 9, 3.4, 24))
    return hr.render("haar20: long hair with a top-knot; own drawing, hair in key colour")


def edge_x(fr, side, y, outline):
    """x of a head outline at height y on one side."""
    a = temple(fr, side, y, outline)
    return fr.at(a, outline(a))[0]


def curtain(fr, side, y_from, inset, wide, bottom, thick=12, wave=0.0, flick=0.0, wall=None):
    """Long hair hanging from the temple down over the side of the face
    (side -1 left), `thick` beyond the outermost head where the frame has
    room, ending at `bottom`; `wave` ripples its outer edge and `flick`
    turns its end outwards."""
    p = point_on(fr, temple(fr, side, y_from), inset)
    x_in = p[0]
    lo, hi = 3, fr.w - 3
    if wall is not None:
        lo, hi = (wall, hi) if side < 0 else (lo, wall)
    chin = max(q[1] for hd in fr.heads for q in hd) - 30
    inner = [(x_in - side * 6, p[1] - 30), (x_in, p[1])]
    for i in range(1, 13):
        t = i / 12
        inner.append((x_in + side * (wide * math.sin(math.pi * t * 0.9)) - side * 4 * t, p[1] + (bottom - p[1]) * t))
    outer = []
    for i in range(17):
        t = i / 16
        y = p[1] - 40 + (bottom - 6 - (p[1] - 40)) * t
        # as thick as the hair over the crown at the top, growing to `thick`
        th = 5 + (thick - 5) * (0.5 - 0.5 * math.cos(math.pi * min(1.0, t / 0.45)))
        x = edge_x(fr, side, min(y, chin), fr.outer) + side * (th + wave * math.sin(math.pi * 3 * t) * min(1.0, t / 0.3))
        outer.append((min(max(x, lo), hi), y))
    end = outer[-1]
    tip = (end[0] + side * flick, bottom + 2 - flick * 0.6)
    pts = inner + [tip] + list(reversed(outer))
    return smooth(pts, 3), p


def flower(hr, cx, cy, r, petals, heart="#ffcc00", turn=0.0):
    """A five-petalled flower with its own rim, drawn over the hair."""
    for k in range(5):
        a = turn + 2 * math.pi * k / 5
        hr.add(circle(cx + 0.55 * r * math.cos(a), cy + 0.55 * r * math.sin(a), 0.5 * r, n=24), petals)
    hr.tie(circle(cx, cy, 0.32 * r, n=20), heart)


def leaf(cx, cy, length, width, a):
    pts = []
    for i in range(25):
        t = i / 24
        x = (t - 0.5) * length
        y = width / 2 * math.sin(math.pi * t) ** 0.8
        pts.append((x, y))
    pts += [(x, -y) for x, y in reversed(pts[1:-1])]
    ca, sa = math.cos(a), math.sin(a)
    return [(cx + x * ca - y * sa, cy + x * sa + y * ca) for x, y in pts]


def style13(fr):
    """Long hair with a fringe and a crown of flowers."""
    hr = Hair(fr)
    left, pl = curtain(fr, -1, 130, 18, 12, fr.h - 24, thick=16)
    right, pr = curtain(fr, 1, 130, 18, 12, fr.h - 24, thick=16)
    hr.add(left)
    hr.add(right)
    pr = point_on(fr, temple(fr, 1, 135), 4)
    pl = point_on(fr, temple(fr, -1, 135), 4)
    line = bangs(pr, pl, 100, 138, 6)
    hr.add(cap(fr, line, 5))
    for x in (0.25, 0.45, 0.62, 0.8):
        px = pl[0] + (pr[0] - pl[0]) * x
        hr.strand(curve((px - 3, 72), (px - 8, 102), (px - 5, 128), 12))
    for side, p in ((-1, pl), (1, pr)):
        for k in range(2):
            x0 = p[0] + side * (12 + 8 * k)
            hr.strand(curve((x0, p[1] + 20), (x0 + side * 6, (p[1] + fr.h) / 2), (x0 + side * 2, fr.h - 40), 16))
    # the crown of flowers along the top of the hair, with leaves between
    hr.on_top()
    colours = ["#ffffff", "#ff99cc", "#cc99ff", "#ffffff", "#ff6666", "#ffff66", "#ffffff"]
    angles = [-math.pi + 0.55 + (math.pi - 1.1) * k / (len(colours) - 1) for k in range(len(colours))]
    r = 13
    spots = []
    for a in angles:
        x, y = fr.at(a, fr.outer(a) + 2)
        spots.append((min(max(x, r + 3), fr.w - r - 3), max(y, r + 2)))
    for (x0, y0), (x1, y1) in zip(spots, spots[1:]):
        a = math.atan2(y1 - y0, x1 - x0)
        hr.add(leaf((x0 + x1) / 2, (y0 + y1) / 2 + 2, 20, 9, a + 0.5), "#66cc33")
    for (x, y), colour, k in zip(spots, colours, range(len(colours))):
        flower(hr, x, y, r, colour, turn=0.4 * k)
    return hr.render("haar13: long hair with a fringe and a crown of flowers; own drawing, hair in key colour")


def style18(fr):
    """Long hair from a side parting, swept over to the left."""
    hr = Hair(fr)
    left, pl = curtain(fr, -1, 110, 26, 14, fr.h - 4, thick=40)
    right, pr = curtain(fr, 1, 150, 6, 4, fr.h - 60, thick=8)
    hr.add(left)
    hr.add(right)
    # the hairline: from the right temple up to a parting right of the
    # middle, then a sweep down over the left of the forehead
    line = []
    n = 40
    part = fr.c[0] + 22
    for i in range(n + 1):
        t = i / n
        x = pr[0] + (pl[0] - pr[0]) * t
        if x > part:
            u = (pr[0] - x) / (pr[0] - part)
            y = pr[1] + (48 - pr[1]) * math.sin(math.pi / 2 * u) ** 0.7
        else:
            u = (part - x) / (part - pl[0])
            y = 48 + (pl[1] - 48) * u ** 0.8
        line.append((x, y))
    hr.add(cap(fr, line, 6))
    for k in range(5):
        t = 0.5 + 0.1 * k
        x, y = line[int(t * n)]
        hr.strand(curve((part - 4, 30), ((part + x) / 2, y - 30), (x + 4, y - 6), 16))
    for k in range(3):
        hr.strand(curve((pl[0] - 10 - 6 * k, pl[1] + 10), (pl[0] - 18 - 6 * k, (pl[1] + fr.h) / 2),
                        (pl[0] - 14 - 6 * k, fr.h - 20), 18))
    return hr.render("haar18: long hair swept to one side; own drawing, hair in key colour")


def fringe_strands(hr, pl, pr, y0, y1, where=(0.25, 0.45, 0.62, 0.8)):
    for x in where:
        px = pl[0] + (pr[0] - pl[0]) * x
        hr.strand(curve((px - 3, y0), (px - 8, (y0 + y1) / 2), (px - 5, y1), 12))


def curtain_strands(hr, fr, p, side, bottom, count=2, gap=8):
    for k in range(count):
        x0 = p[0] + side * (12 + gap * k)
        hr.strand(curve((x0, p[1] + 20), (x0 + side * 6, (p[1] + bottom) / 2), (x0 + side * 2, bottom - 24), 16))


def style11(fr):
    """Shoulder-length hair with a fringe, the ends flicked out."""
    hr = Hair(fr)
    bottom = fr.h - 12
    for side in (-1, 1):
        shape, p = curtain(fr, side, 135, 16, 10, bottom, thick=12, flick=10)
        hr.add(shape)
        curtain_strands(hr, fr, p, side, bottom)
    pr = point_on(fr, temple(fr, 1, 140), 4)
    pl = point_on(fr, temple(fr, -1, 140), 4)
    hr.add(cap(fr, bangs(pr, pl, 104, 140, 5), 5))
    fringe_strands(hr, pl, pr, 74, 130)
    return hr.render("haar11: shoulder-length hair with a fringe; own drawing, hair in key colour")


def flare(base, tip, w_base, w_tip, bend, n=30, tips=3):
    """A tail of hair from a tied base fanning out into `tips` points."""
    shape = lock(base, tip, w_base, w_tip, bend, n)
    left, right = shape[:n + 1], shape[n + 1:]
    (x0, y0), (x1, y1) = left[-1], right[0]
    out = math.atan2(tip[1] - base[1], tip[0] - base[0])
    reach = w_tip * 0.45
    fan = []
    for k in range(1, 2 * tips):
        t = k / (2 * tips)
        x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
        push = reach * (1.0 if k % 2 else 0.25) * math.sin(math.pi * t) ** 0.3
        fan.append((x + push * math.cos(out), y + push * math.sin(out)))
    return left + fan + right


def style14(fr):
    """Two pigtails sticking up and out from high on the head, a fringe."""
    hr = Hair(fr)
    tails = []
    for side in (-1, 1):
        a = -math.pi / 2 + side * 0.8
        bx, by = fr.at(a, fr.outer(a) - 2)
        wall = 18 if side < 0 else fr.w - 18
        tip = (wall, 44)
        tails.append(((bx, by), tip, side))
        hr.add(flare((bx, by), tip, 18, 38, side * 8))
    pr = point_on(fr, temple(fr, 1, 145), 4)
    pl = point_on(fr, temple(fr, -1, 145), 4)
    hr.add(cap(fr, bangs(pr, pl, 100, 138, 6), 5))
    fringe_strands(hr, pl, pr, 68, 128, (0.2, 0.38, 0.56, 0.74))
    for (bx, by), tip, side in tails:
        for k in (-1, 1):
            hr.strand(curve((bx + (tip[0] - bx) * 0.3 + k * 3, by + (tip[1] - by) * 0.3),
                            ((bx + tip[0]) / 2 + k * 5, (by + tip[1]) / 2 + k * 2),
                            (tip[0] + k * 8, tip[1] + k * 5), 14))
        hr.tie(circle(bx + (tip[0] - bx) * 0.18, by + (tip[1] - by) * 0.18, 9, 6, 24))
    return hr.render("haar14: two pigtails sticking up and out, and a fringe; own drawing, hair in key colour")


def style19(fr):
    """A long fringe swept over one eye, hair to the jaw."""
    hr = Hair(fr)
    bottom = fr.h - 6
    for side in (-1, 1):
        shape, p = curtain(fr, side, 120, 14, 6, bottom, thick=8, flick=4)
        hr.add(shape)
        curtain_strands(hr, fr, p, side, bottom, 1)
    pr = point_on(fr, temple(fr, 1, 120), 14)
    pl = point_on(fr, temple(fr, -1, 175), 10)
    # the parting is on the right; the fringe sweeps down across the left
    part = fr.c[0] + 28
    line = []
    n = 40
    for i in range(n + 1):
        t = i / n
        x = pr[0] + (pl[0] - pr[0]) * t
        if x > part:
            u = (pr[0] - x) / (pr[0] - part)
            y = pr[1] + (50 - pr[1]) * math.sin(math.pi / 2 * u) ** 0.7
        else:
            u = (part - x) / (part - pl[0])
            y = 50 + (pl[1] - 50) * math.sin(math.pi / 2 * u) ** 1.3
        line.append((x, y))
    hr.add(cap(fr, line, 4))
    for k in range(4):
        x, y = line[int((0.45 + 0.12 * k) * n)]
        hr.strand(curve((part - 2, 34), ((part + x) / 2 - 6, (34 + y) / 2 - 8), (x + 6, y - 8), 16))
    return hr.render("haar19: a long fringe swept over one eye; own drawing, hair in key colour")


def style21(fr):
    """Big wavy hair with a middle parting, curling out at the jaw."""
    hr = Hair(fr)
    bottom = fr.h - 4
    for side in (-1, 1):
        shape, p = curtain(fr, side, 100, 20, 14, bottom, thick=34, wave=7, flick=8)
        hr.add(shape)
        curtain_strands(hr, fr, p, side, bottom, 3, 9)
    pr = point_on(fr, temple(fr, 1, 110), 20)
    pl = point_on(fr, temple(fr, -1, 110), 20)
    part = fr.c[0]
    line = []
    n = 40
    for i in range(n + 1):
        t = i / n
        x = pr[0] + (pl[0] - pr[0]) * t
        u = abs(x - part) / (abs(pr[0] - part) if x > part else abs(part - pl[0]))
        y = 44 + ((pr[1] if x > part else pl[1]) - 44) * math.sin(math.pi / 2 * u) ** 0.8
        line.append((x, y))
    hr.add(cap(fr, line, 7))
    for side in (-1, 1):
        for k in range(2):
            x, y = line[int((0.5 - side * (0.16 + 0.12 * k)) * n)]
            hr.strand(curve((part + side * 6, 38), (x - side * 6, (38 + y) / 2 - 4), (x + side * 2, y - 10), 14))
    return hr.render("haar21: big wavy hair with a middle parting; own drawing, hair in key colour")


def side_tail(fr, side, y_top, y_low, tip_y=None):
    """A tail of hair hanging down beside the heads on one side (-1 left):
    its inner edge follows the outermost head from y_top to y_low, its outer
    edge bulges out to the frame and narrows to the tip.  Returns the shape
    and its top point (where a tie goes)."""
    a_top = temple(fr, side, y_top, fr.outer)
    a_low = temple(fr, side, y_low, fr.outer)
    if side < 0:
        a_top, a_low = a_top % (2 * math.pi), a_low % (2 * math.pi)
    inner_edge = [fr.at(a, fr.outer(a) + 1) for a in (a_top + (a_low - a_top) * i / 30 for i in range(31))]
    base = (inner_edge[0][0] + side * 2, inner_edge[0][1] - 6)
    tip = (inner_edge[-1][0] + side * 10, fr.h - 4 if tip_y is None else tip_y)
    wall = 3 if side < 0 else fr.w - 3
    outer_edge = []
    for i in range(31):
        t = i / 30
        y = base[1] + (tip[1] - base[1]) * t
        x = base[0] + (tip[0] - base[0]) * t
        bulge = math.sin(math.pi * min(1.0, t * 1.15)) ** 0.6
        x = x + (wall - x) * bulge
        outer_edge.append((x, y))
    shape = smooth(inner_edge + [tip] + list(reversed(outer_edge[1:-1])) + [base], 2)
    return shape, base, tip, outer_edge


def tail_strands(hr, base, tip, outer_edge, side):
    mid = outer_edge[len(outer_edge) // 2]
    for k in range(3):
        f = 0.3 + 0.2 * k
        x_mid = base[0] + (mid[0] - base[0]) * f
        hr.strand(curve((base[0] + side * (2 - 3 * k), base[1] + 22), (x_mid, mid[1]),
                        (tip[0] - side * (4 + 3 * k), tip[1] - 24), 20))


def style17(fr):
    """A ponytail from the top of the head, hanging down on the left, where
    every head leaves the frame room for it."""
    hr = Hair(fr)
    pony, base, tip, edge = side_tail(fr, -1, 40, fr.h - 40)
    hr.add(pony)
    pr = point_on(fr, temple(fr, 1, 150), 3)
    pl = point_on(fr, temple(fr, -1, 130), 3)
    line = arch(pr, pl, 55, 0.5, peak=4)
    hr.add(cap(fr, line, 5))
    hr.tie(circle(base[0] + 4, base[1] + 8, 8, 6, 24))
    pulled_back_strands(hr, fr, line, base, 6, 0.6, 0.08)
    tail_strands(hr, base, tip, edge, -1)
    return hr.render("haar17: a ponytail; own drawing, hair in key colour")


def style16(fr):
    """Two low pigtails below the ears and a fringe swept to one side."""
    hr = Hair(fr)
    tails = [side_tail(fr, side, 150, fr.h - 50) for side in (-1, 1)]
    for shape, *_ in tails:
        hr.add(shape)
    pr = point_on(fr, temple(fr, 1, 150), 4)
    pl = point_on(fr, temple(fr, -1, 150), 4)
    # a fringe swept from a parting on the left over to the right
    line = []
    n = 40
    for i in range(n + 1):
        t = i / n
        x = pr[0] + (pl[0] - pr[0]) * t
        y = pr[1] + (58 - pr[1]) * math.sin(math.pi * t / 2 * 1.6) ** 0.8 if t < 0.62 else None
        if y is None:
            y0 = pr[1] + (58 - pr[1]) * math.sin(math.pi * 0.62 / 2 * 1.6) ** 0.8
            u = (t - 0.62) / 0.38
            y = y0 + (pl[1] - y0) * u ** 1.4
        line.append((x, y))
    hr.add(cap(fr, line, 5))
    for k in range(4):
        t = 0.15 + 0.15 * k
        x, y = line[int(t * n)]
        hr.strand(curve((x - 20, y - 48), (x - 10, y - 25), (x + 2, y - 6), 14))
    for (shape, base, tip, edge), side in zip(tails, (-1, 1)):
        hr.tie(circle(base[0] - side * 2, base[1] + 10, 7, 9, 24))
        tail_strands(hr, base, tip, edge, side)
    return hr.render("haar16: two low pigtails and a swept fringe; own drawing, hair in key colour")


STYLES = {11: style11, 13: style13, 14: style14, 15: style15, 16: style16, 17: style17, 18: style18, 19: style19, 20: style20, 21: style21, 22: style22, 23: style23, 24: style24}


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "art", "face")
    os.makedirs(out, exist_ok=True)
    for n, draw in STYLES.items():
        with open(os.path.join(out, f"haar{n}.svg"), "w") as f:
            f.write(draw(Frame(n)))
    print(f"wrote {len(STYLES)} hairstyles to {out}")


if __name__ == "__main__":
    main()
