#!/usr/bin/env python3
# Contact sheets of every hairstyle on every head shape, drawn by the program
# itself from a built archive: the student page at 1920 x 1080 (page size) and
# the class overview (about 190 px a portrait), on the lightest and darkest
# skin and the lightest and darkest hair colours the colour buttons offer,
# plain and mirrored.  Needs ImageMagick (convert, montage).
# SPDX-License-Identifier: GPL-3.0-or-later
#
#   tools/art/hair-sheets.py [--tool build/bin/tinkeli-tool] [--styles 1-24] [--quick] OUTDIR
#
# --quick draws only the light skin with dark hair and the dark skin with light
# hair, not mirrored: a quarter of the work, for trying a change.  The tool
# draws with the archive that lies beside it.
#
# Writes into OUTDIR:
#   style-NN.png        hairstyle NN on heads 0..7 (columns) at page size, half
#                       scale; rows: the four colour pairs, then the same mirrored
#   overview-PAIR.png   the class overview of all 24 styles, one grid per head
#   pages/              the student pages (1920 x 1080) the style sheets are cut from
#
# The pupils are made through `tinkeli-tool import`, so the sheets show the
# real renderer, fill table and portrait geometry.

import argparse
import concurrent.futures
import json
import os
import subprocess
import sys
import tempfile


def mul_div(a, b, c):
    # MulDiv with halves going up, as the colour sliders use it
    return (a * b * 2 + c) // (2 * c)


def skin(button, p):
    m = lambda k: mul_div(k, p, 38)
    rgb = [(4 * (p + 14), 4 * (p + 4), 4 * m(34)),
           (4 * (m(37) + 26), 4 * (p + 10), 4 * (p + 6)),
           (4 * (m(22) + 41), 4 * (p + 21), 4 * (p + 12)),
           (4 * (m(21) + 42), 4 * (p + 22), 4 * (p + 18))][button]
    return rgb


def hair(button, p):
    m = lambda k: mul_div(k, p, 38)
    return [(4 * (m(19) + 44), 4 * (p + 23), 4 * p),
            (4 * (m(22) + 41), 4 * (p + 21), 4 * (p + 12)),
            (4 * (m(37) + 26), 4 * (p + 10), 4 * (p + 6)),
            (4 * (p + 1), 4 * m(32), 4 * m(24))][button]


def luma(rgb):
    return 0.2126 * rgb[0] + 0.7152 * rgb[1] + 0.0722 * rgb[2]


def extremes(table):
    every = [(b, p) for b in range(4) for p in range(38)]
    light = max(every, key=lambda bp: luma(table(*bp)))
    dark = min(every, key=lambda bp: luma(table(*bp)))
    return light, dark


SKIN_LIGHT, SKIN_DARK = extremes(skin)
HAIR_LIGHT, HAIR_DARK = extremes(hair)
PAIRS = [("lightskin-lighthair", SKIN_LIGHT, HAIR_LIGHT), ("lightskin-darkhair", SKIN_LIGHT, HAIR_DARK),
         ("darkskin-lighthair", SKIN_DARK, HAIR_LIGHT), ("darkskin-darkhair", SKIN_DARK, HAIR_DARK)]


def colour_value(rgb):
    return rgb[0] | rgb[1] << 8 | rgb[2] << 16


def part(button_slide, table, **extra):
    b, p = button_slide
    d = {"Farve": colour_value(table(b, p)), "FarveGruppe": b, "FarveSlide": p}
    d.update(extra)
    return d


def pupil(name, head, style, skin_bs, hair_bs, mirror):
    feature = {"Lodret": 0, "Vandret": 0, "Vinkel": 0}
    return {
        "Kaldenavn": name, "FuldeNavn": name, "Foedselsdag": "01-01-2016",
        "Koen": "pige" if style > 10 else "dreng", "Elevkode": "", "Hobbyer": " " * 50, "LaesFejl": False,
        "BagsideValg": 0, "BogTekst": [""] * 18, "Tom": False, "DatoOk": True, "LaesFejl": False, "Maal": [0] * 14, "Stamtrae": [], "FilNavn": "",
        "Ansigt": part(skin_bs, skin, Type=head),
        "Haar": part(hair_bs, hair, Type=style, Spejl=mirror),
        "Oejne": {"Farve": colour_value((51, 102, 204)), "FarveGruppe": 0, "FarveSlide": 18, "Type": 1, **feature},
        "Bryn": {"Farve": colour_value((92, 51, 23)), "FarveGruppe": 0, "FarveSlide": 18, "Type": 1, **feature},
        "Mund": {"Farve": colour_value((208, 64, 80)), "FarveGruppe": 0, "FarveSlide": 18, "Type": 1,
                 "Lodret": 0, "Zoom": 0},
        "Naese": {"Type": 1, "Lodret": 0, "Zoom": 0},
        "Briller": {"Farve": 0, "FarveGruppe": 0, "FarveSlide": 18, "Type": 0, "Lodret": 0, "Zoom": 0},
    }


# The portrait on the student page at 1920 x 1080, and the class overview's grid.
FACE = "[840x902+540+0]"
GRID = "[1178x785+468+105]"


def run(cmd):
    r = subprocess.run(cmd, capture_output=True, text=True)
    if r.returncode != 0:
        sys.exit(f"{' '.join(cmd)} failed:\n{r.stderr}")


def make_class(tool, work, name, pupils):
    path = os.path.join(work, name + ".json")
    with open(path, "w") as f:
        json.dump({"Skole": "Arkivprøve", "Klasse": name, "Laerer": "", "Kode": "", "Hobbyer": " " * 50, "LaesFejl": False,
                   "Elever": pupils}, f, ensure_ascii=False)
    kla = os.path.join(work, name, name + ".kla")
    os.makedirs(os.path.dirname(kla), exist_ok=True)
    run([tool, "import", path, "-o", kla])
    return kla


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("--tool", default=os.path.join(os.path.dirname(__file__), "..", "..", "build", "bin", "tinkeli-tool"))
    ap.add_argument("--styles", default="1-24")
    ap.add_argument("--quick", action="store_true")
    args = ap.parse_args()
    pairs = [PAIRS[1], PAIRS[2]] if args.quick else PAIRS
    mirrors = (False,) if args.quick else (False, True)
    a, b = (int(v) for v in args.styles.split("-")) if "-" in args.styles else (int(args.styles),) * 2
    styles = list(range(a, b + 1))
    tool = os.path.abspath(args.tool)
    out = os.path.abspath(args.out)
    pages = os.path.join(out, "pages")
    os.makedirs(pages, exist_ok=True)
    work = tempfile.mkdtemp(prefix="hair-sheets-")

    print(f"skin light {SKIN_LIGHT} {skin(*SKIN_LIGHT)}, dark {SKIN_DARK} {skin(*SKIN_DARK)}; "
          f"hair light {HAIR_LIGHT} {hair(*HAIR_LIGHT)}, dark {HAIR_DARK} {hair(*HAIR_DARK)}")
    overview = {}
    jobs = []
    for mirror in mirrors:
        for pair, skin_bs, hair_bs in pairs:
            for head in range(8):
                name = f"h{head}{'m' if mirror else ''}{pair[:1]}{pair.split('-')[1][:1]}"
                kla = make_class(tool, work, name, [pupil(f"{head}-{s:02d}", head, s, skin_bs, hair_bs, mirror)
                                                    for s in styles])
                # the class overview: 6 columns of about 196 px at 1920 x 1080
                full = os.path.join(work, name + "-overview.png")
                jobs.append([tool, "render", "page", "1", "--class", kla, "--size", "1920x1080", "-o", full])
                overview.setdefault((pair, mirror), []).append((f"head {head}", full + GRID))
                # the student page of each pupil
                for i, s in enumerate(styles):
                    page = os.path.join(pages, f"haar{s:02d}-head{head}-{pair}{'-mirrored' if mirror else ''}.png")
                    jobs.append([tool, "render", "page", "3", "--class", kla, "--pupil", str(i), "--size",
                                 "1920x1080", "-o", page])
    with concurrent.futures.ThreadPoolExecutor(2) as pool:
        list(pool.map(run, jobs))

    for s in styles:
        tiles = []
        for mirror in mirrors:
            for pair, _, _ in pairs:
                for head in range(8):
                    p = os.path.join(pages, f"haar{s:02d}-head{head}-{pair}{'-mirrored' if mirror else ''}.png")
                    tiles += ["-label", f"head {head} {pair}{' M' if mirror else ''}", p + FACE]
        run(["montage"] + tiles + ["-tile", "8x", "-geometry", "420x451+2+2", "-pointsize", "14",
                                   os.path.join(out, f"style-{s:02d}.png")])
    for (pair, mirror), grids in overview.items():
        tiles = []
        for label, p in grids:
            tiles += ["-label", label, p]
        run(["montage"] + tiles + ["-tile", "2x", "-geometry", "+4+4", "-pointsize", "18",
                                   os.path.join(out, f"overview-{pair}{'-mirrored' if mirror else ''}.png")])
    print(f"sheets in {out}")


if __name__ == "__main__":
    main()
