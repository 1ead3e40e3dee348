#!/usr/bin/env python3
# Draws our own face parts (heads, eyes, brows, mouths, noses, glasses and the
# empty "not chosen yet" pictures) as SVG sources under art/face/.
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Every picture's viewBox has the width:height of the rectangle the portrait
# stretches it into, in design pixels of a portrait whose face height is 332,
# so one unit here is one pixel on a full-size portrait.  Outlines are filled
# shapes, not strokes, so they shrink with small portraits.  #FF00FF marks the
# area the program recolours (skin, iris, brows, lips, frames).
#
# Usage: python3 tools/art/draw-face.py [OUTDIR]   (default: art/face next to tools/)

import math
import os
import re
import sys

KEY = "#ff00ff"
INK = "#000000"      # outlines, as in the hairstyles
WHITE = "#ffffff"
MOUTH_DARK = "#660000"
TONGUE = "#ff6666"


def fmt(v):
    s = f"{v:.1f}"
    return s[:-2] if s.endswith(".0") else s


def poly(points):
    return "M" + " L".join(f"{fmt(x)} {fmt(y)}" for x, y in points) + " Z"


def svg(w, h, body, comment):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 {fmt(w)} {fmt(h)}" '
            f'width="{fmt(w)}" height="{fmt(h)}">\n<!-- {comment} -->\n{body}</svg>\n')


def path(d, fill, evenodd=False):
    rule = ' fill-rule="evenodd"' if evenodd else ""
    return f'<path d="{d}" fill="{fill}"{rule}/>\n'


def ellipse(cx, cy, rx, ry, fill):
    return (f'<ellipse cx="{fmt(cx)}" cy="{fmt(cy)}" rx="{fmt(rx)}" ry="{fmt(ry)}" '
            f'fill="{fill}"/>\n')


def offset(points, d):
    """Moves each point of a closed outline by d along its normal, towards the
    inside for positive d.  The inside is taken from the outline's turning
    direction, so crescents (brows, smiles) work as well as round shapes."""
    n = len(points)
    area = sum(points[i - 1][0] * points[i][1] - points[i][0] * points[i - 1][1] for i in range(n))
    side = 1.0 if area > 0 else -1.0
    out = []
    for i in range(n):
        x0, y0 = points[i - 1]
        x1, y1 = points[i]
        x2, y2 = points[(i + 1) % n]
        tx, ty = x2 - x0, y2 - y0
        ln = math.hypot(tx, ty) or 1.0
        nx, ny = -ty / ln * side, tx / ln * side
        out.append((x1 + nx * d, y1 + ny * d))
    return out


def fit_body(body, w, h):
    """Stretches a picture made of straight-edged paths so its points fill the
    frame exactly: a turned eye or brow is fitted by the box of its points, so
    the shapes must touch all four sides for turned and unturned to match."""
    nums = [(float(a), float(b)) for a, b in re.findall(r"([-\d.]+) ([-\d.]+)", " ".join(re.findall(r'd="([^"]+)"', body)))]
    x0 = min(p[0] for p in nums)
    x1 = max(p[0] for p in nums)
    y0 = min(p[1] for p in nums)
    y1 = max(p[1] for p in nums)

    def fix(m):
        pts = re.sub(r"([-\d.]+) ([-\d.]+)",
                     lambda q: f"{fmt((float(q.group(1)) - x0) * w / (x1 - x0))} "
                               f"{fmt((float(q.group(2)) - y0) * h / (y1 - y0))}", m.group(1))
        return f'd="{pts}"'
    return re.sub(r'd="([^"]+)"', fix, body)


def outlined(points, ink_width, fill, ink=INK):
    """A filled shape with an ink rim of ink_width inside its outline."""
    return path(poly(points), ink) + path(poly(offset(points, ink_width)), fill)


def band(curve_top, curve_bottom):
    """Closed shape between two open curves running the same way."""
    return curve_top + list(reversed(curve_bottom))


def sample(f, n, t0=0.0, t1=1.0):
    return [f(t0 + (t1 - t0) * i / n) for i in range(n + 1)]


def spow(v, p):
    return math.copysign(abs(v) ** p, v)


# ---------------------------------------------------------------- heads

# (width, top, bottom) of the head table, and our shape for each:
# ym = where the face is widest (fraction of the height), nu/nl = superellipse
# exponents of the skull and of the jaw (2 = ellipse, more = squarer, less = pointier).
HEADS = [
    # w,   top, bottom, ym,   nu,  nl
    (232, 28, 310, 0.54, 2.35, 2.45),   # 0 round, the default
    (232, 28, 310, 0.58, 2.4, 3.0),     # 1 chubby cheeks
    (233, 28, 315, 0.50, 2.3, 2.0),     # 2 longer face, soft chin
    (227, 28, 312, 0.54, 2.5, 3.8),     # 3 square jaw
    (212, 28, 306, 0.52, 2.25, 2.3),    # 4 narrow oval
    (234, 28, 306, 0.56, 2.4, 2.7),     # 5 wide and round
    (218, 28, 308, 0.47, 2.45, 1.8),    # 6 heart shape, pointed chin
    (229, 28, 312, 0.62, 2.2, 3.2),     # 7 pear: full low cheeks
]
EAR_OUT = 8      # how far an ear sticks out past the face
RIM = 4          # outline width


def head_outline(w, h, ym, nu, nl, n=90):
    a = w / 2 - EAR_OUT
    cx = w / 2
    yw = ym * h
    pts = []
    # skull: from the right widest point over the top to the left
    for i in range(n + 1):
        t = math.pi * i / n                       # 0 .. pi
        c, s = math.cos(t), math.sin(t)
        x = cx + a * spow(c, 2 / nu)
        y = yw - yw * spow(s, 2 / nu)
        pts.append((x, y))
    # jaw: from the left widest point under the chin to the right
    for i in range(1, n):
        t = math.pi + math.pi * i / n             # pi .. 2pi
        c, s = math.cos(t), math.sin(t)
        x = cx + a * spow(c, 2 / nl)
        y = yw - (h - yw) * spow(s, 2 / nl)
        pts.append((x, y))
    return pts


def ear(cx, cy, side):
    """side -1 = left ear (viewer's left), +1 = right."""
    rx, ry = 14, 25
    body = ellipse(cx, cy, rx, ry, INK) + ellipse(cx, cy, rx - RIM, ry - RIM, KEY)
    # the fold inside the ear: a thin crescent opening towards the face
    fold = sample(lambda t: (cx + side * 5 * math.sin(t * math.pi), cy - 12 + 24 * t), 12)
    inner = [(x - side * 2.6, y) for x, y in reversed(fold)]
    body += path(poly(fold + inner[1:-1]), INK)
    return body


def draw_head(i):
    w, top, bottom, ym, nu, nl = HEADS[i]
    h = bottom - top
    ear_y = 154          # the eyes sit at 144..167 of the head, the ears beside them
    body = ear(14, ear_y, -1) + ear(w - 14, ear_y, +1)
    body += outlined(head_outline(w, h, ym, nu, nl), RIM, KEY)
    return svg(w, h, body, f"head shape {i}: own drawing, skin in key colour")


# ---------------------------------------------------------------- eyes
# One eye: the one on the viewer's left.  Its outer corner is at x = 0 and the
# side towards the nose at x = w.  The shapes touch all four sides of the frame,
# because a turned eye is fitted by the box of its points.

EYES = {1: (43, 22), 2: (45, 22), 3: (51, 25), 4: (43, 23), 5: (45, 22)}


def clip_convex(subject, clipper):
    """Sutherland-Hodgman: the part of polygon `subject` inside the convex
    polygon `clipper`, so an iris never spills over the eye's rim."""
    def inside(p, a, b, sign):
        return sign * ((b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0])) >= 0

    def cross(p1, p2, a, b):
        x1, y1 = p1
        x2, y2 = p2
        x3, y3 = a
        x4, y4 = b
        den = (x1 - x2) * (y3 - y4) - (y1 - y2) * (x3 - x4)
        t = ((x1 - x3) * (y3 - y4) - (y1 - y3) * (x3 - x4)) / den
        return (x1 + t * (x2 - x1), y1 + t * (y2 - y1))
    area = sum(clipper[i - 1][0] * clipper[i][1] - clipper[i][0] * clipper[i - 1][1]
               for i in range(len(clipper)))
    sign = 1 if area > 0 else -1
    out = subject
    for i in range(len(clipper)):
        a, b = clipper[i - 1], clipper[i]
        pts, out = out, []
        for j in range(len(pts)):
            cur, prev = pts[j], pts[j - 1]
            if inside(cur, a, b, sign):
                if not inside(prev, a, b, sign):
                    out.append(cross(prev, cur, a, b))
                out.append(cur)
            elif inside(prev, a, b, sign):
                out.append(cross(prev, cur, a, b))
        if not out:
            break
    return out


def hull(points):
    """Convex hull (monotone chain); nearly convex lids become a clean clipper."""
    pts = sorted(set(points))

    def half(seq):
        out = []
        for p in seq:
            while len(out) >= 2 and ((out[-1][0] - out[-2][0]) * (p[1] - out[-2][1]) -
                                     (out[-1][1] - out[-2][1]) * (p[0] - out[-2][0])) <= 0:
                out.pop()
            out.append(p)
        return out
    lower, upper = half(pts), half(reversed(pts))
    return lower[:-1] + upper[:-1]


def circle(cx, cy, r, n=40):
    return [(cx + r * math.cos(2 * math.pi * k / n), cy + r * math.sin(2 * math.pi * k / n)) for k in range(n)]


def eyeball(outer, rim, ix, iy, r, pupil, shines):
    """White eye inside an ink rim, with a key-coloured iris cut off by the lids."""
    inner = offset(outer, rim)
    b = path(poly(outer), INK) + path(poly(inner), WHITE)
    inner = hull(inner)
    for rr, fill in ((r, INK), (r - 1.5, KEY), (pupil, INK)):
        part = clip_convex(circle(ix, iy, rr), inner)
        if len(part) > 2:
            b += path(poly(part), fill)
    for sx, sy, sr in shines:
        part = clip_convex(circle(ix + sx, iy + sy, sr, 16), inner)
        if len(part) > 2:
            b += path(poly(part), WHITE)
    return b


def lid_shape(w, h, top_at, top_h, bot_h, x0=0.0, x1=None, pt=0.85, pb=1.0, n=36):
    """Closed eye outline: upper lid arching top_h above the corner line at
    y = top_at, lower lid bot_h below it."""
    x1 = w if x1 is None else x1
    up = [(x0 + (x1 - x0) * t, top_at - top_h * math.sin(math.pi * t) ** pt) for t in (k / n for k in range(n + 1))]
    lo = [(x0 + (x1 - x0) * t, top_at + bot_h * math.sin(math.pi * t) ** pb) for t in (k / n for k in range(n - 1, 0, -1))]
    return up + lo


def draw_eye(i):
    w, h = EYES[i]
    if i == 1:
        # round, wide-open eye with a big iris
        outer = superellipse(w / 2, h / 2, w / 2, h / 2, 2.2, 60)
        b = eyeball(outer, 2.2, w / 2 + 1.5, h / 2, 9.6, 4.4, [(3.0, -3.4, 2.8), (-3.4, 3.6, 1.2)])
    elif i == 2:
        # almond eye, lashes at the outer corner
        outer = lid_shape(w, h, 13.5, 11.0, 8.5, x0=6.0, pt=0.75, pb=1.15)
        b = eyeball(outer, 2.0, 6 + (w - 6) * 0.54, 12.0, 9.4, 4.3, [(2.8, -3.2, 2.6), (-3.2, 3.4, 1.1)])
        # heavier upper lid and three lashes reaching the frame's corner
        up = outer[:37]
        b += path(poly(band(up, [(x, y + 2.4) for x, y in up])), INK)
        for (x0, y0), (dx, dy) in zip([up[1], up[4], up[8]], [(-6, -1.5), (-5.5, -6), (-2.6, -10.2)]):
            b += path(poly([(x0 - 1.0, y0 + 1.2), (x0 + dx, y0 + dy), (x0 + 1.6, y0 + 0.2)]), INK)
        return svg(w, h, fit_body(b, w, h), f"eye {i}: own drawing, iris in key colour")
    elif i == 3:
        # big shiny eye
        outer = superellipse(w / 2, h / 2, w / 2, h / 2, 2.3, 60)
        b = eyeball(outer, 2.4, w / 2 + 1.5, h / 2 + 0.5, 11.6, 5.4,
                    [(3.6, -4.0, 3.3), (-4.2, 4.2, 1.6), (5.6, 2.2, 0.9)])
    elif i == 4:
        # happy eye: a round top and a lower lid pushed up by the smile
        outer = lid_shape(w, h, h - 4.5, h - 4.5, 4.5, pt=0.75, pb=1.4)
        b = eyeball(outer, 2.2, w / 2 + 1.2, h / 2 + 1.5, 10.0, 4.6, [(3.0, -3.6, 2.7)])
        lo = outer[37:]
        b += path(poly(band([(x, y - 1.8) for x, y in lo], lo)), INK)
    else:
        # sleepy-cute eye: a heavy upper lid over the top of the iris, one lash
        outer = lid_shape(w, h, 8.0, 7.5, 13.5, x0=3.0, pt=0.9, pb=1.1)
        b = eyeball(outer, 2.0, 3 + (w - 3) * 0.53, 12.0, 9.6, 4.4, [(3.0, -1.6, 2.4)])
        up = outer[:37]
        b += path(poly(band(up, [(x, y + 3.8) for x, y in up])), INK)
        x0, y0 = up[1]
        b += path(poly([(x0 + 1.5, y0 + 1.0), (0, 0.5), (x0 + 0.5, y0 - 1.5)]), INK)
    return svg(w, h, fit_body(b, w, h), f"eye {i}: own drawing, iris in key colour")


# ---------------------------------------------------------------- brows
# The brow on the viewer's left: outer end at x = 0, inner end (towards the
# nose) at x = w.  Frame = the rectangle the portrait uses when the brow is not
# turned (table height times the height factor for angle 0).

BROWS = {1: (60, 10), 2: (58, 12), 3: (58, 22), 4: (49, 20)}


def brow_shape(w, h, arch, thick_in, thick_out, lift_in=0.0, lift_out=0.0, n=30):
    """Tapered brush stroke.  Centre line rises by `arch` in the middle; the
    inner end is `thick_in` thick, the outer `thick_out`."""
    def centre(t):
        x = t * w
        y = -arch * math.sin(math.pi * t) - lift_out * (1 - t) - lift_in * t
        return x, y

    def thick(t):
        return thick_out + (thick_in - thick_out) * t ** 0.7
    top, bot = [], []
    for k in range(n + 1):
        t = k / n
        x, y = centre(t)
        th = thick(t) * math.sin(math.pi * (0.03 + 0.94 * t)) ** 0.35
        top.append((x, y - th / 2))
        bot.append((x, y + th / 2))
    pts = band(top, bot)
    # fit the shape into the frame exactly
    xs = [p[0] for p in pts]
    ys = [p[1] for p in pts]
    x0, x1, y0, y1 = min(xs), max(xs), min(ys), max(ys)
    return [((x - x0) * w / (x1 - x0), (y - y0) * h / (y1 - y0)) for x, y in pts]


def draw_brow(i):
    w, h = BROWS[i]
    if i == 1:
        pts = brow_shape(w, h, 3.0, 8.0, 3.5)
    elif i == 2:
        pts = brow_shape(w, h, 1.5, 10.0, 7.0, lift_in=-1.0)
    elif i == 3:
        pts = brow_shape(w, h, 14.0, 8.5, 4.0, lift_in=-2.0)
    else:
        pts = brow_shape(w, h, 5.0, 11.0, 6.0, lift_in=5.0)
    b = outlined(pts, 1.6, KEY)
    return svg(w, h, fit_body(b, w, h), f"eyebrow {i}: own drawing, brow in key colour")


# ---------------------------------------------------------------- mouths
MOUTHS = {1: (77, 25), 2: (82, 12), 3: (75, 16), 4: (65, 13),
          5: (84, 17), 6: (76, 19), 7: (63, 16), 8: (64, 16)}


def smile_curve(w, y_end, y_mid, x0=0.0, x1=None, n=32, p=1.0):
    x1 = w if x1 is None else x1
    return sample(lambda t: (x0 + (x1 - x0) * t, y_end + (y_mid - y_end) * math.sin(math.pi * t) ** p), n)


def draw_mouth(i):
    w, h = MOUTHS[i]
    b = ""
    if i == 1:
        # big laugh: open D mouth, lips in key colour around it, teeth and tongue
        top = smile_curve(w, 2, 4.5, p=1.2)
        bot = smile_curve(w, 2, h, p=0.9)
        b += outlined(band(top, bot), 2.0, KEY)
        itop = smile_curve(w, 4.5, 8, 7, w - 7, p=1.2)
        ibot = smile_curve(w, 4.5, h - 5, 7, w - 7, p=0.9)
        b += outlined(band(itop, ibot), 1.6, MOUTH_DARK)
        teeth = band(smile_curve(w, 6, 9.5, 12, w - 12, p=1.2), smile_curve(w, 7, 13, 12, w - 12, p=1.2))
        b += path(poly(teeth), WHITE)
        b += ellipse(w / 2 + 3, h - 9.5, 14, 5, TONGUE)
    elif i == 2:
        # wide closed smile with dimples
        top = smile_curve(w, 1.5, 4.5, 5, w - 5, p=1.2)
        bot = smile_curve(w, 1.5, h, 5, w - 5, p=0.95)
        b += outlined(band(top, bot), 1.8, KEY)
        for sgn in (-1, 1):
            x0 = w / 2 + sgn * (w / 2 - 5)
            dimple = sample(lambda t: (x0 + sgn * 4.5 * math.sin(math.pi * 0.5 * t), 4.5 - 4.5 * t + 2.5 * t * t), 8)
            b += stroke(dimple, 1.8)
    elif i == 3:
        # grin with a row of teeth
        top = smile_curve(w, 0, 3, p=1.3)
        bot = smile_curve(w, 1, h, p=1.0)
        b += outlined(band(top, bot), 2.0, KEY)
        b += outlined(band(smile_curve(w, 2.5, 5.5, 6, w - 6, p=1.2),
                           smile_curve(w, 2.5, 11.5, 6, w - 6, p=1.0)), 1.4, WHITE)
        for k in range(1, 6):
            x = 6 + (w - 12) * k / 6
            yb = 2.5 + 9 * math.sin(math.pi * k / 6)
            yt = 2.5 + 3 * math.sin(math.pi * k / 6) ** 1.2
            b += path(poly([(x - 0.5, yt + 0.5), (x + 0.5, yt + 0.5), (x + 0.5, yb - 0.5), (x - 0.5, yb - 0.5)]), INK)
    elif i == 4:
        # small smile with full lips: upper lip with a bow, lower lip
        up = sample(lambda t: (w * t, 6 - 5.5 * math.sin(math.pi * t) ** 0.7 + 2.0 * math.exp(-((t - 0.5) / 0.07) ** 2)), 40)
        mid = smile_curve(w, 6, 8.5, p=1.2)
        low = smile_curve(w, 6, h, p=0.9)
        b += outlined(band(up, low), 1.6, KEY)
        b += path(poly(band([(x, y - 0.8) for x, y in mid], [(x, y + 0.8) for x, y in mid])), INK)
    elif i == 5:
        # very wide open grin, upper teeth
        top = smile_curve(w, 0, 2.5, p=1.5)
        bot = smile_curve(w, 0.5, h, p=0.85)
        b += outlined(band(top, bot), 2.0, KEY)
        b += outlined(band(smile_curve(w, 2.5, 4.5, 5, w - 5, p=1.5),
                           smile_curve(w, 2.5, h - 3.5, 5, w - 5, p=0.85)), 1.4, MOUTH_DARK)
        b += path(poly(band(smile_curve(w, 3.0, 4.8, 9, w - 9, p=1.5),
                            smile_curve(w, 3.4, 8.5, 9, w - 9, p=1.2))), WHITE)
    elif i == 6:
        # happy open mouth with tongue
        top = smile_curve(w, 1, 5, p=1.0)
        bot = smile_curve(w, 1, h, p=0.75)
        b += outlined(band(top, bot), 2.0, KEY)
        b += outlined(band(smile_curve(w, 3.5, 7, 8, w - 8, p=1.0),
                           smile_curve(w, 3.5, h - 3.5, 8, w - 8, p=0.75)), 1.4, MOUTH_DARK)
        b += ellipse(w / 2, h - 6.5, 12, 4.2, TONGUE)
    elif i == 7:
        # small closed lips, a calm little smile
        up = sample(lambda t: (w * t, 7 - 6.5 * math.sin(math.pi * t) ** 0.6 + 2.5 * math.exp(-((t - 0.5) / 0.08) ** 2)), 40)
        low = smile_curve(w, 7, h, p=0.8)
        mid = smile_curve(w, 7, 9.5, 1, w - 1, p=1.0)
        b += outlined(band(up, low), 1.6, KEY)
        b += path(poly(band([(x, y - 0.8) for x, y in mid], [(x, y + 0.8) for x, y in mid])), INK)
    else:
        # cheeky smile with the tongue out
        tx, ty = w / 2 + 6, h - 6.5
        b += ellipse(tx, ty, 9.5, 6.5, INK) + ellipse(tx, ty, 8, 5, TONGUE)
        b += path(poly([(tx - 0.4, ty - 3), (tx + 0.4, ty - 3), (tx + 0.4, ty + 2), (tx - 0.4, ty + 2)]), "#cc3333")
        top = smile_curve(w, 0.5, 2.5, p=1.2)
        bot = smile_curve(w, 0.5, 11.5, p=0.9)
        b += outlined(band(top, bot), 1.6, KEY)
        b += stroke(smile_curve(w, 1.2, 6.8, 3, w - 3, p=1.0), 1.5)
    return svg(w, h, b, f"mouth {i}: own drawing, lips in key colour")


# ---------------------------------------------------------------- noses
NOSES = {1: (55, 14), 2: (44, 14), 3: (40, 13), 4: (42, 15)}


def stroke(points, width):
    """An ink line of the given width along an open curve, as a filled band."""
    pts = points
    n = len(pts)
    left, right = [], []
    for k in range(n):
        x0, y0 = pts[max(k - 1, 0)]
        x1, y1 = pts[min(k + 1, n - 1)]
        ln = math.hypot(x1 - x0, y1 - y0) or 1.0
        nx, ny = -(y1 - y0) / ln, (x1 - x0) / ln
        # taper the ends a little, like a brush line
        t = k / (n - 1)
        hw = width / 2 * (0.55 + 0.45 * math.sin(math.pi * t) ** 0.5)
        x, y = pts[k]
        left.append((x + nx * hw, y + ny * hw))
        right.append((x - nx * hw, y - ny * hw))
    return path(poly(left + list(reversed(right))), INK)


FRECKLE = "#996633"
# A nose is ink on the skin, and black ink vanishes on the darkest skin
# colours; every ink mark of a nose therefore lies on a light rim that shows
# on dark skin and barely at all on light skin.
NOSE_LIGHT = "#ffcc99"
NOSE_RIM = 2.0


def rimmed_stroke(points, width):
    """An ink line on a light rim: the rim is the same line, wider."""
    return (stroke(points, width + 2 * NOSE_RIM).replace(INK, NOSE_LIGHT), stroke(points, width))


def rimmed_ellipse(cx, cy, rx, ry):
    return (ellipse(cx, cy, rx + NOSE_RIM, ry + NOSE_RIM, NOSE_LIGHT), ellipse(cx, cy, rx, ry, INK))


def draw_nose(i):
    w, h = NOSES[i]
    c = w / 2
    marks = []       # (light rim, ink), the rims all drawn first
    extra = ""
    if i == 1:
        # soft nose: a smiling base line whose ends curl up into the nostril wings
        base = sample(lambda t: (c - 11 + 22 * t, h - 3.5 + 1.8 * math.sin(math.pi * t)), 20)
        marks.append(rimmed_stroke(base, 2.4))
        for sgn in (-1, 1):
            curl = sample(lambda t: (c + sgn * (11 + 3.2 * math.sin(math.pi * 0.9 * t)), h - 3.5 - 7.5 * t), 10)
            marks.append(rimmed_stroke(curl, 2.2))
    elif i == 2:
        # button nose: a round tip and two nostrils
        u = sample(lambda t: (c - 9 + 18 * t, h - 9 + 7.5 * math.sin(math.pi * t) ** 0.8), 20)
        marks.append(rimmed_stroke(u, 2.4))
        marks.append(rimmed_ellipse(c - 5, h - 5.5, 2.2, 1.7))
        marks.append(rimmed_ellipse(c + 5, h - 5.5, 2.2, 1.7))
    elif i == 3:
        # tiny nose: just two nostrils
        marks.append(rimmed_ellipse(c - 5.5, h - 5, 3.4, 2.6))
        marks.append(rimmed_ellipse(c + 5.5, h - 5, 3.4, 2.6))
    else:
        # small nose with freckles on both cheeks
        u = sample(lambda t: (c - 7 + 14 * t, h - 7 + 4.5 * math.sin(math.pi * t)), 16)
        marks.append(rimmed_stroke(u, 2.2))
        for sgn in (-1, 1):
            for fx, fy in ((1.5, 4), (5.5, 2), (4.5, 8.5), (8.5, 6)):
                x = c + sgn * (c - fx)
                extra += ellipse(x, fy + 1, 1.5, 1.3, FRECKLE)
    b = "".join(m[0] for m in marks) + "".join(m[1] for m in marks) + extra
    if i != 3:
        # the rim must not reach out of the frame, where it would be cut off
        b = f'<g transform="translate(0 -2)">\n{b}</g>\n'
    return svg(w, h, b, f"nose {i}: own drawing, ink on a light rim")


# ---------------------------------------------------------------- glasses
GLASSES = {1: (196, 75), 2: (196, 65), 3: (195, 64), 4: (195, 51)}


def ring(outer, inner):
    return poly(outer) + " " + poly(list(reversed(inner)))


def superellipse(cx, cy, rx, ry, n, k=72):
    return [(cx + rx * spow(math.cos(2 * math.pi * i / k), 2 / n),
             cy + ry * spow(math.sin(2 * math.pi * i / k), 2 / n)) for i in range(k)]


def draw_glasses(i):
    w, h = GLASSES[i]
    arm = 9            # the temple arms reach out to the frame edges
    gap = 16           # bridge
    lw = (w - 2 * arm - gap) / 2
    shape = {1: 2.0, 2: 3.6, 3: 2.6, 4: 2.3}[i]
    thick = {1: 5.0, 2: 5.5, 3: 5.0, 4: 4.5}[i]
    b = ""
    for sgn in (-1, 1):
        cx0 = w / 2 + sgn * (gap / 2 + lw / 2)
        cy0 = h / 2
        outer = superellipse(cx0, cy0, lw / 2, h / 2, shape)
        if i == 3:
            # cat-eye: lift the outer top corner
            outer = [(x, y - max(0.0, (y < cy0) * (sgn * (x - cx0) / (lw / 2)) * 5.0 * (cy0 - y) / (h / 2)))
                     for x, y in outer]
            ys = [p[1] for p in outer]
            lo = min(ys)
            outer = [(x, (y - lo) * h / (h - lo + (h - max(ys)))) for x, y in outer] if lo < 0 else outer
        inner_ink = offset(outer, 1.3)
        frame_in = offset(outer, thick - 1.3)
        lens = offset(outer, thick)
        b += path(ring(outer, lens), INK, evenodd=True)
        b += path(ring(inner_ink, frame_in), KEY, evenodd=True)
        # a glint in the upper corner of each lens
        gx = cx0 - lw * 0.28
        gy = cy0 - h * 0.28
        b += path(poly([(gx - 5, gy + 4), (gx + 3, gy - 5), (gx + 6, gy - 3), (gx - 2, gy + 6)]), WHITE)
        # temple arm
        ax = cx0 + sgn * lw / 2
        x_edge = 0 if sgn < 0 else w
        ay = cy0 - h * 0.22 if i != 4 else cy0 - h * 0.15
        b += outlined([(ax - sgn * 2, ay - 3), (x_edge, ay - 2.5), (x_edge, ay + 2.5), (ax - sgn * 2, ay + 3)], 1.2, KEY)
    # bridge
    bl = w / 2 - gap / 2 - 3
    br = w / 2 + gap / 2 + 3
    yb = h / 2 - h * 0.12
    bridge = sample(lambda t: (bl + (br - bl) * t, yb - 4 * math.sin(math.pi * t)), 12)
    b += outlined(band([(x, y - 3) for x, y in bridge], [(x, y + 3) for x, y in bridge]), 1.2, KEY)
    return svg(w, h, b, f"glasses {i}: own drawing, frames in key colour")


# ---------------------------------------------------------------- empty

EMPTY = {"eye00": (45, 23), "brow00": (60, 10), "lip00": (75, 16), "nose00": (55, 14),
         "glass00": (196, 75)}  # haar00 comes with the hairstyles


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, "..", "..", "art", "face")
    os.makedirs(out, exist_ok=True)
    files = {}
    for i in range(len(HEADS)):
        files[f"head0{i}"] = draw_head(i)
    for name, (w, h) in EMPTY.items():
        files[name] = svg(w, h, "", f"{name}: not chosen yet, draws nothing")
    for i in EYES:
        files[f"eye0{i}"] = draw_eye(i)
    for i in BROWS:
        files[f"brow0{i}"] = draw_brow(i)
    for i in MOUTHS:
        files[f"lip0{i}"] = draw_mouth(i)
    for i in NOSES:
        files[f"nose0{i}"] = draw_nose(i)
    for i in GLASSES:
        files[f"glass0{i}"] = draw_glasses(i)
    for name, text in files.items():
        with open(os.path.join(out, name + ".svg"), "w") as f:
            f.write(text)
    print(f"wrote {len(files)} pictures to {out}")


if __name__ == "__main__":
    main()
