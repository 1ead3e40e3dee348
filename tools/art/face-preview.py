#!/usr/bin/env python3
# Composes portraits from the face-part SVGs the way the program places them,
# so the art can be checked before any archive exists.  Needs ImageMagick.
# SPDX-License-Identifier: GPL-3.0-or-later
#
#   face-preview.py portrait OUT.png [head=0 hair=1 eye=1 brow=1 mouth=1 nose=1 glass=0
#                                     mirror=0 skin=#f0c8a0 haircol=#8b4513 ...]
#   face-preview.py heads OUT.png      every head with default features
#   face-preview.py hair N OUT.png     hairstyle N on all 8 heads, plain and mirrored
#   face-preview.py hairs OUT.png      every hairstyle on head 0 (a contact sheet)
#   face-preview.py grid A B OUT.png [M]  hairstyles A..B on every head (M=1: mirrored)
#   face-preview.py features OUT.png   each eye/brow/mouth/nose/glasses on a head
#   face-preview.py parts OUT.png      every picture alone in its own frame
#
# The geometry below repeats the portrait tables in design pixels; a portrait
# area of 462 x 348 gives scale 1, so each part lands on its table rectangle.

import math
import os
import re
import subprocess
import sys
import tempfile

ART = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "art", "face")

HEAD = [(232, 28, 310), (232, 28, 310), (233, 28, 315), (227, 28, 312),
        (212, 28, 306), (234, 28, 306), (218, 28, 308), (229, 28, 312)]
HAIR = [(298, 10, 332), (254, 10, 206), (254, 10, 219), (261, 10, 207), (255, 10, 219),
        (262, 10, 227), (248, 10, 232), (248, 10, 232), (248, 10, 232), (248, 10, 232),
        (248, 10, 232), (259, 10, 295), (225, 10, 285), (293, 10, 318), (294, 10, 235),
        (276, 10, 230), (278, 10, 312), (275, 10, 283), (261, 10, 332), (215, 10, 268),
        (231, 10, 299), (298, 10, 279), (261, 10, 207), (262, 10, 227), (248, 10, 232)]
EYE = [(45, 172, 195, 36), (43, 172, 194, 38), (45, 172, 194, 36), (51, 171, 196, 30),
       (43, 172, 195, 38), (45, 174, 196, 34)]
BROW = [(60, 10, 155, 165, 30), (60, 10, 155, 165, 28), (58, 11, 154, 166, 30),
        (58, 15, 150, 165, 30), (49, 14, 150, 164, 30)]
MOUTH = [(75, 16, 255, 271), (77, 25, 251, 276), (82, 12, 257, 269), (75, 16, 255, 271),
         (65, 13, 256, 269), (84, 17, 255, 272), (76, 19, 254, 273), (63, 16, 255, 271),
         (64, 16, 255, 271)]
NOSE = [(55, 14, 222, 236), (55, 14, 222, 236), (44, 14, 222, 236), (40, 13, 223, 236),
        (42, 15, 221, 236)]
GLASS = [(196, 75, 150, 225), (196, 75, 150, 225), (196, 65, 160, 225), (195, 64, 160, 224),
         (195, 51, 160, 211)]
BROW_F = {  # angle -> factor per brow shape
    -10: (1, 1, 1.6, 2.1, 1.45), -9: (1, 0.975, 1.55, 2.025, 1.425),
    -8: (1, 0.963, 1.475, 1.95, 1.413), -7: (1, 0.938, 1.425, 1.888, 1.388),
    -6: (1, 0.925, 1.363, 1.825, 1.375), -5: (1, 0.9, 1.3, 1.75, 1.35),
    -4: (1, 0.925, 1.263, 1.7, 1.363), -3: (1, 0.938, 1.213, 1.65, 1.375),
    -2: (1, 0.963, 1.175, 1.6, 1.383), -1: (1, 0.975, 1.138, 1.55, 1.388),
    0: (1, 1, 1.1, 1.5, 1.4), 1: (1, 1.063, 1.138, 1.575, 1.438),
    2: (1, 1.125, 1.175, 1.65, 1.475), 3: (1, 1.188, 1.225, 1.7, 1.517),
    4: (1, 1.25, 1.263, 1.775, 1.56), 5: (1, 1.3, 1.3, 1.85, 1.6),
    6: (1, 1.35, 1.275, 1.913, 1.65), 7: (1, 1.4, 1.288, 1.988, 1.7),
    8: (1, 1.45, 1.363, 2.05, 1.75), 9: (1, 1.5, 1.388, 2.125, 1.8),
    10: (1, 1.55, 1.4, 2.2, 1.85)}
HAIR_D = [
    [0] * 25,
    [0, 0, 0, -2, 0, 0, -1, -1, -1, -1, -1, -5, 0, 0, -10, 0, -5, -10, -9, 2, -1, -8, -2, 0, -1],
    [0, 0, 1, 1, 0, -1, 0, -1, -1, -2, -1, -2, 0, 0, -10, 0, -5, -10, -15, 2, -1, -8, 1, -1, 0],
    [0, 0, -1, 0, 0, -1, 0, 0, -1, -2, -1, -4, 0, 0, -10, -2, -4, -10, -17, 1, 0, -7, 0, -1, 0],
    [0, 1, 1, 0, 1, 0, 1, 1, 1, 1, 1, -3, 3, 1, -7, 2, -3, -11, -14, 1, 0, -7, 0, 0, 1],
    [0, 0, 0, 0, 0, -1, 1, 1, 1, 0, 1, -4, 3, 0, -7, 1, -4, -11, -14, 2, 0, -8, 0, -1, 1],
    [0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, -4, 5, -1, -7, 0, -2, -9, -14, 2, 0, -4, 0, 0, 0],
    [0, 0, 0, 0, 0, -1, 0, 0, -1, -1, -1, -4, 4, 0, -9, 0, -4, -11, -18, 1, 3, -6, 0, -1, 0]]
HAIR_DM = [
    [0] * 25,
    [0, 1, 0, 2, -2, -2, 1, 1, 1, 1, 1, 5, -1, 0, 10, 0, 6, 10, 9, -2, -3, 3, 2, -2, 1],
    [0, 1, 0, 5, -3, 0, 1, -1, -1, -1, 0, 3, -4, -1, 10, 0, 6, 5, 14, -2, -2, 3, 5, 0, 1],
    [0, 2, -1, 5, -3, 5, -1, -1, -1, -1, -1, 2, -2, 0, 10, 2, 6, 9, 17, -3, -2, 3, 5, 5, -1],
    [0, 1, 2, 1, -1, 0, -1, 0, 1, 1, 1, 5, -1, 3, 8, 2, 7, 14, 16, 0, 0, 7, 1, 0, -1],
    [0, 0, -1, 3, -2, -1, -2, 0, 1, 0, -1, 2, -3, 1, 10, 0, 7, 9, 17, -3, -2, 7, 3, -1, -2],
    [0, 1, -1, 0, -2, -1, 0, 0, 0, 1, 0, 4, 2, 8, 9, 0, 4, 10, 15, 3, -5, 6, 0, -1, 0],
    [0, -1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 4, -3, 0, 9, 0, 6, 8, 17, -2, -1, 6, 0, 1, 0]]
HAIR_F = [
    [1] * 25,
    [1, 1, 1, 1, 1, 0.95, 1, 0.97, 0.97, 0.95, 0.95, 1, 1, 1, 1, 1, 0.97, 1, 0.92, 1.01, 1.03, 1, 1, 0.95, 1],
    [1, 1, 1.01, 1, 1.02, 1, 1.02, 1.02, 1.02, 1.02, 1.02, 1.06, 1.02, 1.04, 1, 1.05, 0.97, 1.05, 1, 1.04, 1.05, 1.05, 1, 1, 1.02],
    [1, 1, 1.01, 0.99, 1, 0.98, 1.02, 1.02, 1.02, 1, 1, 1.03, 1.02, 1.04, 1, 1.02, 0.95, 1.04, 1, 1.03, 1.04, 1, 0.99, 0.98, 1.02],
    [1, 0.93, 0.94, 0.9, 0.91, 0.88, 0.94, 0.88, 0.9, 0.88, 0.87, 0.93, 0.94, 0.96, 0.9, 0.96, 0.87, 0.94, 0.89, 1.03, 1, 0.96, 0.9, 0.88, 0.94],
    [1, 1, 1.01, 1, 1.01, 1, 1.04, 0.99, 0.99, 0.95, 0.95, 1.02, 1.02, 1.04, 0.99, 1.06, 0.96, 1.06, 1, 1.04, 1.08, 1.06, 1, 1, 1.04],
    [1, 0.96, 0.96, 0.96, 0.97, 0.88, 0.95, 0.88, 0.88, 0.88, 0.86, 0.93, 0.94, 0.9, 0.9, 0.94, 0.88, 1, 0.9, 0.99, 1, 0.94, 0.96, 0.88, 0.95],
    [1, 1.02, 1.02, 1.02, 1.02, 0.98, 1.02, 0.98, 0.95, 0.95, 0.94, 1.03, 1.01, 1.04, 0.97, 1.08, 0.96, 1.03, 1, 1.04, 1.12, 1.04, 1.02, 0.98, 1.02]]


def rnd(v):
    return int(round(v))  # Python rounds halves to even, as the program does


class Geo:
    def __init__(self, w, h):
        self.s = (h - 16) / 332
        self.cx = w // 2
        self.w = w

    def head(self, n):
        wd, t, b = HEAD[n]
        half = rnd(wd * self.s / 2)
        return (self.cx - half, rnd(t * self.s) + 8, self.cx + half, rnd(b * self.s) + 8)

    def hair(self, n, head, mirror):
        wd, t, b = HAIR[n]
        half = rnd(HAIR_F[head][n] * self.s * wd / 2)
        d = (HAIR_DM if mirror else HAIR_D)[head][n]
        dx = rnd(d * self.s)
        return (self.cx - half + dx, rnd(t * self.s) + 8, self.cx + half + dx, rnd(b * self.s) + 8)

    def eye(self, n, vandret=0.0, lodret=0.0):
        wd, t, b, inset = EYE[n]
        half = rnd(wd * self.s / 2)
        dx = rnd(vandret * 332) - half - rnd(inset * self.s / 2)
        dy = rnd(lodret * 332) + 8
        return (self.cx - half + dx, rnd(t * self.s) + dy, self.cx + half + dx, rnd(b * self.s) + dy)

    def brow(self, n, angle=0, vandret=0.0, lodret=0.0):
        wd, hgt, t, b, inset = BROW[n]
        half = rnd(wd * self.s / 2)
        tt, bb = rnd(t * self.s), rnd(b * self.s)
        cy = (tt + bb) // 2
        hh = rnd(hgt * self.s / 2 * BROW_F[angle][n])
        dx = rnd(vandret * 332) - half - rnd(inset * self.s / 2)
        dy = rnd(lodret * 332) + 8
        return (self.cx - half + dx, cy - hh + dy, self.cx + half + dx, cy + hh + dy)

    def _zoomed(self, row, zoom, lodret, glasses=False):
        wd, hgt, t, b = row
        z = zoom / 4 if glasses else zoom
        k = 0.0025 * z * z - 0.075 * z + 1
        half = rnd(k * self.s * wd / 2)
        hh = rnd(k * self.s * hgt / 2)
        cy = (rnd(t * self.s) + rnd(b * self.s)) // 2
        dy = rnd(lodret * 332) + 8
        return (self.cx - half, cy - hh + dy, self.cx + half, cy + hh + dy)

    def mouth(self, n, zoom=0, lodret=0.0):
        return self._zoomed(MOUTH[n], zoom, lodret)

    def nose(self, n, zoom=0, lodret=0.0):
        return self._zoomed(NOSE[n], zoom, lodret)

    def glasses(self, n, zoom=0, lodret=0.0):
        return self._zoomed(GLASS[n], zoom, lodret, glasses=True)

    def mirror(self, r):
        return (2 * self.cx - r[2], r[1], 2 * self.cx - r[0], r[3])


_cache = {}


def load(name):
    if name not in _cache:
        with open(os.path.join(ART, name + ".svg")) as f:
            text = f.read()
        m = re.search(r'<svg[^>]*viewBox="([^"]+)"[^>]*>(.*)</svg>', text, re.S)
        vb = [float(v) for v in m.group(1).replace(",", " ").split()]
        _cache[name] = (vb, re.sub(r"<!--.*?-->", "", m.group(2), flags=re.S))
    return _cache[name]


def place(name, r, mirror=False, colour=None, angle=0):
    """The part stretched into r as the renderer does it: one pixel of margin,
    frame centre onto rectangle centre, scale (dst+1)/(src+1)."""
    vb, body = load(name)
    if not body.strip():
        return ""
    x, y, w, h = vb
    left, top, right, bottom = r[0] + 1, r[1] + 1, r[2] - 1, r[3] - 1
    sx = (right - left + 1) / (round(w) + 1)
    sy = (bottom - top + 1) / (round(h) + 1)
    if mirror:
        sx = -sx
    if colour:
        body = re.sub(r"#ff00ff", colour, body, flags=re.I)
    mx, my = (left + right) / 2, (top + bottom) / 2
    rot = f" rotate({angle})" if angle else ""
    return (f'<g transform="translate({mx} {my}){rot} scale({sx} {sy}) '
            f'translate({-(x + w / 2)} {-(y + h / 2)})">{body}</g>\n')


DEFAULTS = dict(head=0, hair=1, eye=1, brow=1, mouth=1, nose=1, glass=0, mirror=0,
                skin="#f0c8a0", haircol="#8b4513", eyecol="#3a7ecf", browcol="#5c3317",
                lipcol="#d04050", glasscol="#3060c0", angle=0, browangle=0, vandret=0.0,
                lodret=0.0, zoom=0)


def portrait(w=462, h=348, bg="#cfe8ff", **kw):
    p = dict(DEFAULTS)
    p.update(kw)
    g = Geo(w, h)
    out = [f'<rect x="0" y="0" width="{w}" height="{h}" fill="{bg}"/>']
    out.append(place(f"head0{p['head']}", g.head(p["head"]), colour=p["skin"]))
    out.append(place(f"nose0{p['nose']}", g.nose(p["nose"])))
    r = g.brow(p["brow"], p["browangle"])
    out.append(place(f"brow0{p['brow']}", r, colour=p["browcol"], angle=p["browangle"]))
    out.append(place(f"brow0{p['brow']}", g.mirror(r), True, p["browcol"], -p["browangle"]))
    out.append(place(f"lip0{p['mouth']}", g.mouth(p["mouth"], p["zoom"]), colour=p["lipcol"]))
    r = g.eye(p["eye"], p["vandret"], p["lodret"])
    out.append(place(f"eye0{p['eye']}", r, colour=p["eyecol"], angle=p["angle"]))
    out.append(place(f"eye0{p['eye']}", g.mirror(r), True, p["eyecol"], -p["angle"]))
    m = bool(int(p["mirror"]))
    out.append(place(f"haar{p['hair']:02d}", g.hair(p["hair"], p["head"], m), m, p["haircol"]))
    out.append(place(f"glass0{p['glass']}", g.glasses(p["glass"]), colour=p["glasscol"]))
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="0 0 {w} {h}">\n' + "".join(out) + "</svg>\n")


def render(svg_text, png, size=None):
    with tempfile.NamedTemporaryFile("w", suffix=".svg", delete=False) as f:
        f.write(svg_text)
    cmd = ["convert", "-background", "white", f.name]
    if size:
        cmd += ["-resize", size]
    subprocess.run(cmd + [png], check=True)
    os.unlink(f.name)


def sheet(items, out, tile, geometry="231x174+2+2"):
    """items: list of (label, svg text)."""
    tmp = tempfile.mkdtemp()
    files = []
    for i, (label, text) in enumerate(items):
        png = os.path.join(tmp, f"{i:03d}.png")
        render(text, png)
        files += ["-label", label, png]
    subprocess.run(["montage"] + files + ["-tile", tile, "-geometry", geometry, out], check=True)
    for f in os.listdir(tmp):
        os.unlink(os.path.join(tmp, f))
    os.rmdir(tmp)


SKINS = ["#f8ecdc", "#f0c8a0", "#c89064", "#804020", "#e8b890", "#ffd8c0", "#a06840", "#f0d0b0"]
HAIRCOLS = ["#8b4513", "#f0d060", "#302010", "#c04010", "#e8c080", "#603018", "#202020", "#a05020"]


def main():
    if len(sys.argv) < 3:
        print(__doc__ or "see the comment at the top", file=sys.stderr)
        sys.exit(2)
    mode = sys.argv[1]
    if mode == "portrait":
        out = sys.argv[2]
        kw = {}
        for a in sys.argv[3:]:
            k, v = a.split("=", 1)
            kw[k] = v if v.startswith("#") else (float(v) if "." in v else int(v))
        render(portrait(**kw), out)
    elif mode == "heads":
        items = []
        for hd in range(8):
            items.append((f"head{hd}", portrait(head=hd, hair=0, skin=SKINS[hd])))
        for hd in range(8):
            items.append((f"head{hd} + hair{hd + 1}", portrait(head=hd, hair=hd + 1, skin=SKINS[hd],
                                                        haircol=HAIRCOLS[hd], eye=hd % 5 + 1,
                                                        brow=hd % 4 + 1, mouth=hd % 8 + 1,
                                                        nose=hd % 4 + 1)))
        sheet(items, sys.argv[2], "4x")
    elif mode == "hair":
        n = int(sys.argv[2])
        items = []
        for m in (0, 1):
            for hd in range(8):
                items.append((f"haar{n:02d} head{hd}{' mirrored' if m else ''}",
                              portrait(head=hd, hair=n, mirror=m, skin=SKINS[hd],
                                       haircol=HAIRCOLS[(n + hd) % 8])))
        sheet(items, sys.argv[3], "4x")
    elif mode == "grid":
        # hairstyles FIRST..LAST (rows) on every head (columns)
        first, last = int(sys.argv[2]), int(sys.argv[3])
        mirror = int(sys.argv[5]) if len(sys.argv) > 5 else 0
        items = [(f"haar{n:02d} head{hd}", portrait(head=hd, hair=n, mirror=mirror, skin=SKINS[hd],
                                                   haircol=HAIRCOLS[(n + hd) % 8]))
                 for n in range(first, last + 1) for hd in range(8)]
        sheet(items, sys.argv[4], "8x", "154x116+1+1")
    elif mode == "hairs":
        items = [(f"haar{n:02d}", portrait(head=0, hair=n, haircol=HAIRCOLS[n % 8],
                                           eye=n % 5 + 1, mouth=n % 8 + 1))
                 for n in range(25)]
        sheet(items, sys.argv[2], "5x", "185x139+2+2")
    elif mode == "features":
        items = []
        for e in range(6):
            items.append((f"eye0{e}", portrait(hair=0, eye=e, brow=0, mouth=0, nose=0)))
        for b in range(5):
            items.append((f"brow0{b}", portrait(hair=0, brow=b, mouth=0, nose=0)))
        for m in range(9):
            items.append((f"lip0{m}", portrait(hair=0, mouth=m)))
        for n in range(5):
            items.append((f"nose0{n}", portrait(hair=0, nose=n)))
        for g in range(5):
            items.append((f"glass0{g}", portrait(hair=0, glass=g)))
        sheet(items, sys.argv[2], "6x", "231x174+2+2")
    elif mode == "parts":
        names = ([f"head0{i}" for i in range(8)] + [f"haar{i:02d}" for i in range(25)] +
                 [f"eye0{i}" for i in range(6)] + [f"brow0{i}" for i in range(5)] +
                 [f"lip0{i}" for i in range(9)] + [f"nose0{i}" for i in range(5)] +
                 [f"glass0{i}" for i in range(5)])
        items = []
        for nm in names:
            vb, body = load(nm)
            w, h = vb[2], vb[3]
            scale = min(140 / w, 100 / h)
            body = re.sub(r"#ff00ff", "#ffffff", body, flags=re.I)
            text = (f'<svg xmlns="http://www.w3.org/2000/svg" width="150" height="110">'
                    f'<rect width="150" height="110" fill="#a6caf0"/>'
                    f'<rect x="{75 - w * scale / 2}" y="{55 - h * scale / 2}" width="{w * scale}" '
                    f'height="{h * scale}" fill="none" stroke="#7090c0" stroke-width="0.5"/>'
                    f'<g transform="translate({75 - w * scale / 2} {55 - h * scale / 2}) '
                    f'scale({scale})">{body}</g></svg>')
            items.append((nm, text))
        sheet(items, sys.argv[2], "10x", "150x110+2+2")
    else:
        sys.exit(f"unknown mode {mode}")


if __name__ == "__main__":
    main()
