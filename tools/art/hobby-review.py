#!/usr/bin/env python3
# Pictures for a blind review of the hobby pictures: the 50 pictures of a built
# archive, drawn by the program's own renderer, written as 01.png .. 50.png in a
# shuffled order, with the key to the shuffle in a separate file that the
# reviewer does not get.  The reviewer names each picture's hobby; the key then
# tells which were right.
# SPDX-License-Identifier: GPL-3.0-or-later
#
#   tools/art/hobby-review.py [--archive build/bin/tinkeli.BIN] [--tool build/bin/tinkeli-tool]
#                             [--size 96] [--seed N] OUTDIR KEYFILE
#
# KEYFILE is a CSV file: number, picture, hobby.  The hobby names are read from
# the comments of art/hobby/hobbyNN.svg.  Give the same --seed to get the same
# order again.

import argparse
import csv
import os
import random
import re
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.join(HERE, "..", "..")


def hobby_names():
    names = {}
    for n in range(1, 51):
        with open(os.path.join(ROOT, "art", "hobby", f"hobby{n:02d}.svg"), encoding="utf-8") as f:
            m = re.search(r"<!-- hobby\d\d: (.*?) -->", f.read())
        names[n] = m.group(1) if m else "?"
    return names


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("out")
    ap.add_argument("key")
    ap.add_argument("--archive", default=os.path.join(ROOT, "build", "bin", "tinkeli.BIN"))
    ap.add_argument("--tool", default=os.path.join(ROOT, "build", "bin", "tinkeli-tool"))
    ap.add_argument("--size", type=int, default=96)
    ap.add_argument("--seed", type=int, default=None)
    args = ap.parse_args()
    out, key = os.path.abspath(args.out), os.path.abspath(args.key)
    if os.path.dirname(key) == out:
        sys.exit("the key must not lie among the pictures")
    os.makedirs(out, exist_ok=True)
    seed = args.seed if args.seed is not None else random.SystemRandom().randrange(1 << 30)
    order = list(range(1, 51))
    random.Random(seed).shuffle(order)
    names = hobby_names()
    rows = []
    for number, n in enumerate(order, start=1):
        picture = f"hobby{n:02d}"
        png = os.path.join(out, f"{number:02d}.png")
        r = subprocess.run([args.tool, "render", "picture", args.archive, picture,
                            "--size", f"{args.size}x{args.size}", "-o", png], capture_output=True, text=True)
        if r.returncode != 0:
            sys.exit(f"{picture}: {r.stderr.strip()}")
        rows.append([f"{number:02d}", picture, names[n]])
    with open(key, "w", newline="", encoding="utf-8") as f:
        w = csv.writer(f)
        w.writerow(["number", "picture", "hobby"])
        w.writerows(rows)
    print(f"50 pictures in {out}, key in {key} (seed {seed})")


if __name__ == "__main__":
    main()
