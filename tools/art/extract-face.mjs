#!/usr/bin/env node
// Takes the hairstyles of the portrait out of the "Adventurer" avatar design
// (Lisa Wischofsky, CC BY 4.0, shipped in the npm package @dicebear/adventurer)
// and fits each one to its hair rectangle: art/face/haar01.svg .. haar24.svg
// (1-10 and 12; tools/art/draw-hair.py draws the others) and the empty haar00.svg.
// The other face parts are our own drawings, made by tools/art/draw-face.py;
// run that first, as the fitting reads the head outlines it draws.
// SPDX-License-Identifier: GPL-3.0-or-later
//
// Repeat the extraction with exactly these package versions:
//   npm install --prefix /work/npm-art --save-exact \
//       @dicebear/adventurer@9.4.3 @dicebear/core@9.4.3 svgpath@2.6.0 svg-path-bbox@2.1.0
//   node tools/art/extract-face.mjs /work/npm-art [OUTDIR]
// Never install them into the repository: the committed SVGs are the sources
// the build uses, and the build needs neither Node nor the network.
//
// How a hairstyle is fitted.  The Adventurer face is a circle (x 143..591,
// y 163..611 in its own units, the hair drawn translated by (-161, -83)); our
// heads are eggs about 214 wide running from y 28 to 310 in design pixels, and
// the portrait stretches and shifts the hair differently over each of them.
// Each hairstyle is mapped with the circle onto the heads, so the hair keeps
// hugging the face, covers the crown of every head and leaves no gap beside
// any (makeWarp tells how), and hair that would reach out of the style's
// rectangle is thinned and squeezed into it.  The recolourable hair (the
// package's hair colour placeholder) becomes the key colour #FF00FF; the ink
// outlines stay black.

import fs from 'node:fs';
import path from 'node:path';
import { pathToFileURL } from 'node:url';

const VERSIONS = { '@dicebear/adventurer': '9.4.3', '@dicebear/core': '9.4.3', svgpath: '2.6.0', 'svg-path-bbox': '2.1.0' };

const npmDir = process.argv[2] ?? '/work/npm-art';
const here = path.dirname(new URL(import.meta.url).pathname);
const outDir = process.argv[3] ?? path.join(here, '..', '..', 'art', 'face');

function pkgFile(name, file) {
  return path.join(npmDir, 'node_modules', name, file);
}
for (const [name, want] of Object.entries(VERSIONS)) {
  const got = JSON.parse(fs.readFileSync(pkgFile(name, 'package.json'), 'utf8')).version;
  if (got !== want) {
    console.error(`${name} is ${got}, this extraction was made with ${want}`);
    process.exit(1);
  }
}
const load = async (name, file) => import(pathToFileURL(pkgFile(name, file)).href);
const { hair } = await load('@dicebear/adventurer', 'lib/components/hair.js');
const svgpath = (await load('svgpath', 'index.js')).default;
const { svgPathBbox } = await load('svg-path-bbox', 'dist/es2015/index.mjs');

// Hair rectangles (width, top, bottom) in design pixels, by hairstyle number.
const RECT = [[298, 10, 332], [254, 10, 206], [254, 10, 219], [261, 10, 207], [255, 10, 219],
  [262, 10, 227], [248, 10, 232], [248, 10, 232], [248, 10, 232], [248, 10, 232],
  [248, 10, 232], [259, 10, 295], [225, 10, 285], [293, 10, 318], [294, 10, 235],
  [276, 10, 230], [278, 10, 312], [275, 10, 283], [261, 10, 332], [215, 10, 268],
  [231, 10, 299], [298, 10, 279], [261, 10, 207], [262, 10, 227], [248, 10, 232]];

// Which Adventurer hairstyle becomes which of ours.  flip: drawn mirrored.
// Boys' styles 1-10 are short; of the girls' styles 11-24 only the bob (12)
// comes from here.  The others are our own drawings, made by
// tools/art/draw-hair.py to fit their frames.
const STYLES = {
  1: { variant: 'short10' },
  2: { variant: 'short01' },
  3: { variant: 'short07' },
  4: { variant: 'short02' },
  5: { variant: 'short03' },
  6: { variant: 'short09' },
  7: { variant: 'short08' },
  8: { variant: 'short17' },
  9: { variant: 'short18' },
  10: { variant: 'short04', grow: 5 },
  12: { variant: 'long21', dropLow: 480 },
};

// Adventurer face circle and our face, see the comment at the top.
const FACE = { left: 143, right: 591, top: 163, bottom: 611 };
const HALF = 107;                 // half width of our face without the ears
const TOP = 28, CHIN = 310;
const KX = (2 * HALF) / (FACE.right - FACE.left);
const KY = (CHIN - TOP) / (FACE.bottom - FACE.top);

// Monotone cubic interpolation (Fritsch-Carlson) through anchor points, linear
// beyond the ends, so squeezing never folds a curve back on itself.
function monotone(xs, ys) {
  const n = xs.length;
  const d = [], m = new Array(n);
  for (let i = 0; i < n - 1; i++) d.push((ys[i + 1] - ys[i]) / (xs[i + 1] - xs[i]));
  m[0] = d[0];
  m[n - 1] = d[n - 2];
  for (let i = 1; i < n - 1; i++) m[i] = d[i - 1] * d[i] <= 0 ? 0 : (d[i - 1] + d[i]) / 2;
  for (let i = 0; i < n - 1; i++) {
    if (d[i] === 0) { m[i] = m[i + 1] = 0; continue; }
    const a = m[i] / d[i], b = m[i + 1] / d[i], s = a * a + b * b;
    if (s > 9) { const t = 3 / Math.sqrt(s); m[i] = t * a * d[i]; m[i + 1] = t * b * d[i]; }
  }
  return (x) => {
    if (x <= xs[0]) return ys[0] + (x - xs[0]) * m[0];
    if (x >= xs[n - 1]) return ys[n - 1] + (x - xs[n - 1]) * m[n - 1];
    let i = 0;
    while (x > xs[i + 1]) i++;
    const h = xs[i + 1] - xs[i], t = (x - xs[i]) / h;
    const t2 = t * t, t3 = t2 * t;
    return (2 * t3 - 3 * t2 + 1) * ys[i] + (t3 - 2 * t2 + t) * h * m[i] +
      (-2 * t3 + 3 * t2) * ys[i + 1] + (t3 - t2) * h * m[i + 1];
  };
}

function paths(svg) {
  return [...svg.matchAll(/ d="([^"]+)"/g)].map((m) => m[1]);
}

// Where the portrait puts the hair over each head: the hair offset (plain and
// mirrored) and width factor tables, by head shape and hairstyle.
const HAIR_D = [
  Array(25).fill(0),
  [0, 0, 0, -2, 0, 0, -1, -1, -1, -1, -1, -5, 0, 0, -10, 0, -5, -10, -9, 2, -1, -8, -2, 0, -1],
  [0, 0, 1, 1, 0, -1, 0, -1, -1, -2, -1, -2, 0, 0, -10, 0, -5, -10, -15, 2, -1, -8, 1, -1, 0],
  [0, 0, -1, 0, 0, -1, 0, 0, -1, -2, -1, -4, 0, 0, -10, -2, -4, -10, -17, 1, 0, -7, 0, -1, 0],
  [0, 1, 1, 0, 1, 0, 1, 1, 1, 1, 1, -3, 3, 1, -7, 2, -3, -11, -14, 1, 0, -7, 0, 0, 1],
  [0, 0, 0, 0, 0, -1, 1, 1, 1, 0, 1, -4, 3, 0, -7, 1, -4, -11, -14, 2, 0, -8, 0, -1, 1],
  [0, 1, 1, 0, 1, 0, 0, 0, 0, 0, 0, -4, 5, -1, -7, 0, -2, -9, -14, 2, 0, -4, 0, 0, 0],
  [0, 0, 0, 0, 0, -1, 0, 0, -1, -1, -1, -4, 4, 0, -9, 0, -4, -11, -18, 1, 3, -6, 0, -1, 0]];
const HAIR_DM = [
  Array(25).fill(0),
  [0, 1, 0, 2, -2, -2, 1, 1, 1, 1, 1, 5, -1, 0, 10, 0, 6, 10, 9, -2, -3, 3, 2, -2, 1],
  [0, 1, 0, 5, -3, 0, 1, -1, -1, -1, 0, 3, -4, -1, 10, 0, 6, 5, 14, -2, -2, 3, 5, 0, 1],
  [0, 2, -1, 5, -3, 5, -1, -1, -1, -1, -1, 2, -2, 0, 10, 2, 6, 9, 17, -3, -2, 3, 5, 5, -1],
  [0, 1, 2, 1, -1, 0, -1, 0, 1, 1, 1, 5, -1, 3, 8, 2, 7, 14, 16, 0, 0, 7, 1, 0, -1],
  [0, 0, -1, 3, -2, -1, -2, 0, 1, 0, -1, 2, -3, 1, 10, 0, 7, 9, 17, -3, -2, 7, 3, -1, -2],
  [0, 1, -1, 0, -2, -1, 0, 0, 0, 1, 0, 4, 2, 8, 9, 0, 4, 10, 15, 3, -5, 6, 0, -1, 0],
  [0, -1, 0, 0, 0, 1, 0, 0, 0, 0, 0, 4, -3, 0, 9, 0, 6, 8, 17, -2, -1, 6, 0, 1, 0]];
const HAIR_F = [
  Array(25).fill(1),
  [1, 1, 1, 1, 1, 0.95, 1, 0.97, 0.97, 0.95, 0.95, 1, 1, 1, 1, 1, 0.97, 1, 0.92, 1.01, 1.03, 1, 1, 0.95, 1],
  [1, 1, 1.01, 1, 1.02, 1, 1.02, 1.02, 1.02, 1.02, 1.02, 1.06, 1.02, 1.04, 1, 1.05, 0.97, 1.05, 1, 1.04, 1.05, 1.05, 1, 1, 1.02],
  [1, 1, 1.01, 0.99, 1, 0.98, 1.02, 1.02, 1.02, 1, 1, 1.03, 1.02, 1.04, 1, 1.02, 0.95, 1.04, 1, 1.03, 1.04, 1, 0.99, 0.98, 1.02],
  [1, 0.93, 0.94, 0.9, 0.91, 0.88, 0.94, 0.88, 0.9, 0.88, 0.87, 0.93, 0.94, 0.96, 0.9, 0.96, 0.87, 0.94, 0.89, 1.03, 1, 0.96, 0.9, 0.88, 0.94],
  [1, 1, 1.01, 1, 1.01, 1, 1.04, 0.99, 0.99, 0.95, 0.95, 1.02, 1.02, 1.04, 0.99, 1.06, 0.96, 1.06, 1, 1.04, 1.08, 1.06, 1, 1, 1.04],
  [1, 0.96, 0.96, 0.96, 0.97, 0.88, 0.95, 0.88, 0.88, 0.88, 0.86, 0.93, 0.94, 0.9, 0.9, 0.94, 0.88, 1, 0.9, 0.99, 1, 0.94, 0.96, 0.88, 0.95],
  [1, 1.02, 1.02, 1.02, 1.02, 0.98, 1.02, 0.98, 0.95, 0.95, 0.94, 1.03, 1.01, 1.04, 0.97, 1.08, 0.96, 1.03, 1, 1.04, 1.12, 1.04, 1.02, 0.98, 1.02]];

// The outline of each head shape (without the ears), in design pixels with x
// measured from the portrait's centre line: the largest ink shape of the head
// pictures that tools/art/draw-face.py draws.
const HEAD_DIR = path.join(here, '..', '..', 'art', 'face');
const HEAD_TOP = 28;
const HEADS = [0, 1, 2, 3, 4, 5, 6, 7].map((h) => {
  const svg = fs.readFileSync(path.join(HEAD_DIR, `head0${h}.svg`), 'utf8');
  const w = Number(svg.match(/viewBox="0 0 ([\d.]+)/)[1]);
  let outline = '';
  for (const m of svg.matchAll(/<path d="([^"]+)" fill="#000000"/g)) if (m[1].length > outline.length) outline = m[1];
  return [...outline.matchAll(/(-?[\d.]+) (-?[\d.]+)/g)].map((m) => [Number(m[1]) - w / 2, Number(m[2]) + HEAD_TOP]);
});

// The distance from c to the far side of a polygon that is star-shaped
// around c, along the direction a.
function reach(poly, c, a) {
  const dx = Math.cos(a), dy = Math.sin(a);
  let best = 0;
  for (let i = 0; i < poly.length; i++) {
    const [x1, y1] = poly[i], [x2, y2] = poly[(i + 1) % poly.length];
    const ex = x2 - x1, ey = y2 - y1;
    const den = dx * ey - dy * ex;
    if (Math.abs(den) < 1e-12) continue;
    const t = ((x1 - c[0]) * ey - (y1 - c[1]) * ex) / den;
    const u = ((x1 - c[0]) * dy - (y1 - c[1]) * dx) / den;
    if (t > 0 && u >= 0 && u <= 1) best = Math.max(best, t);
  }
  return best;
}

// A function of the angle, tabulated every half degree.
function tabulate(f) {
  const N = 720, table = [];
  for (let i = 0; i <= N; i++) table.push(f(-Math.PI + (2 * Math.PI * i) / N));
  return (a) => {
    const t = ((a + Math.PI) / (2 * Math.PI)) * N;
    const i = Math.min(N - 1, Math.max(0, Math.floor(t)));
    return table[i] + (table[i + 1] - table[i]) * (t - i);
  };
}

// The warp of one style: face coordinates -> design pixels relative to the
// rectangle's top-left corner.  Three steps:
// 1. The Adventurer face circle is mapped linearly onto the box of our face.
//    The Adventurer face looks a little to the viewer's left, so its middle
//    (between the eyes) lies left of the circle's centre; that middle goes
//    onto our centre line.
// 2. The portrait stretches and shifts the hair differently over each head
//    shape (the offset and width tables), so one picture must fit all eight
//    heads, plain and mirrored.  Around the middle of the face, everything
//    inside the face circle is moved radially onto the innermost of the
//    sixteen head outlines, so hair that lies on the face never leaves a gap
//    on a narrower head; everything outside the circle is moved outwards
//    past the outermost outline, keeping its thickness, so the hair covers
//    the crown and the temples of the widest head.  A thin band just
//    outside the circle takes up the difference.
// 3. Hair that would reach out of the style's rectangle is squeezed into it by
//    a smooth, monotone warp that leaves the heads alone.
function makeWarp(n, style, svg) {
  const [w, top, bottom] = RECT[n];
  // 1. linear
  const sx = style.sx ?? 1, sy = style.sy ?? 1;
  const mid = style.mid ?? 340;
  const hl = HALF * sx, hr = HALF * sx;
  const kL = hl / (mid - FACE.left), kR = hr / (FACE.right - mid);
  const linX = (x) => (x < mid ? (x - mid) * kL : (x - mid) * kR);
  const linY = (y) => TOP + (y - FACE.top) * KY * sy + (style.dy ?? 0);
  // 2. the heads as the portrait places them under this picture, in the
  //    picture's units (x from its centre line, y in design pixels)
  const placed = [];
  for (let h = 0; h < 8; h++) {
    const f = HAIR_F[h][n];
    for (const shift of [-HAIR_D[h][n], HAIR_DM[h][n]]) placed.push(HEADS[h].map(([x, y]) => [(x + shift) / f, y]));
  }
  const xs = placed.map((p) => Math.max(...p.map((q) => q[0])) + Math.min(...p.map((q) => q[0])));
  const c = [(Math.max(...xs) + Math.min(...xs)) / 4, (HEAD_TOP + 310) / 2];
  const circle = [];
  for (let i = 0; i < 360; i++) {
    const a = (2 * Math.PI * i) / 360;
    const fxIn = FACE.left + (FACE.right - FACE.left) / 2 + ((FACE.right - FACE.left) / 2) * Math.cos(a);
    const fyIn = FACE.top + (FACE.bottom - FACE.top) / 2 + ((FACE.bottom - FACE.top) / 2) * Math.sin(a);
    circle.push([linX(fxIn), linY(fyIn)]);
  }
  const OVERLAP = 2;   // hair on the face reaches this far inside the outline
  const MARGIN = 1;    // and hair beyond it starts this far outside
  const BAND = 6;
  const GROW = style.grow ?? 0;   // hair on the face reaches further out
  const frame = [[-w / 2, top], [w / 2, top], [w / 2, bottom], [-w / 2, bottom]];
  const face = tabulate((a) => reach(circle, c, a));
  const inner = tabulate((a) => Math.min(...placed.map((p) => reach(p, c, a))) - OVERLAP);
  const outer = tabulate((a) => Math.max(...placed.map((p) => reach(p, c, a))) + MARGIN);
  const room = (a) => Math.max(4, reach(frame, c, a) - outer(a) - BAND);
  const flip = (x) => (style.flip ? FACE.left + FACE.right - x : x);
  const linear = (x, y) => [linX(flip(x - 161)), linY(y - 83)];
  // Hair beyond the heads keeps its thickness where the frame has room for
  // it; where it has not, it is thinned in proportion along the ray, so its
  // curls and tips keep their shape instead of being flattened against the
  // frame.  The thickest hair is looked up per degree and spread a little,
  // so neighbouring rays are thinned alike.
  const points = paths(svg).flatMap((d) => flatten(d).flat());
  const most = new Array(360).fill(0);
  for (const [x, y] of points) {
    const [X, Y] = linear(x, y);
    const a = Math.atan2(Y - c[1], X - c[0]);
    const t = Math.hypot(X - c[0], Y - c[1]) - face(a) - BAND;
    const k = (Math.round((a * 180) / Math.PI) + 360) % 360;
    most[k] = Math.max(most[k], t);
  }
  const around = (k, f) => [...Array(17).keys()].map((j) => f((k + j - 8 + 360) % 360));
  const spread = most.map((_, k) => Math.max(...around(k, (j) => most[j])));
  const needed = spread.map((_, k) => around(k, (j) => spread[j]).reduce((u, v) => u + v, 0) / 17);
  const scale = tabulate((a) => {
    const deg = (((a * 180) / Math.PI) + 360) % 360;
    const k = Math.floor(deg), t = deg - k;
    const want = needed[k] * (1 - t) + needed[(k + 1) % 360] * t;
    return want > room(a) ? room(a) / want : 1;
  });
  const radial = (X, Y) => {
    const dx = X - c[0], dy = Y - c[1];
    const r = Math.hypot(dx, dy);
    if (r < 1e-9) return [X, Y];
    const a = Math.atan2(dy, dx);
    const e = face(a), i = inner(a), o = outer(a);
    let r2;
    if (r <= e) r2 = (r * (i + GROW)) / e;
    else if (r < e + BAND) r2 = i + GROW + ((r - e) / BAND) * (o + BAND - i - GROW);
    else r2 = o + BAND + (r - e - BAND) * scale(a);
    return [c[0] + (dx / r) * r2, c[1] + (dy / r) * r2];
  };
  const bent = (x, y) => radial(...linear(x, y));
  // 3. squeeze into the frame what still reaches out of it
  let box = [Infinity, Infinity, -Infinity, -Infinity];
  for (const [x, y] of points) {
    const [bx, by] = bent(x, y);
    box = [Math.min(box[0], bx), Math.min(box[1], by), Math.max(box[2], bx), Math.max(box[3], by)];
  }
  const headL = Math.min(...placed.flat().map((q) => q[0])), headR = Math.max(...placed.flat().map((q) => q[0]));
  const keepL = Math.max(Math.min(headL - 2, 0), 1 - w / 2), keepR = Math.min(Math.max(headR + 2, 0), w / 2 - 1);
  const fx = monotone([Math.min(box[0], keepL - 1), keepL, keepR, Math.max(box[2], keepR + 1)],
    [Math.max(Math.min(box[0], keepL - 1), -w / 2), keepL, keepR, Math.min(Math.max(box[2], keepR + 1), w / 2)]);
  const keepTop = Math.max(top + 1, HEAD_TOP - 6);
  const keepBottom = Math.max(keepTop + 2, bottom - 20);
  const fy = monotone([Math.min(box[1], keepTop - 1), keepTop, keepBottom, Math.max(box[3], keepBottom + 1)],
    [Math.max(Math.min(box[1], keepTop - 1), top), keepTop, keepBottom, Math.min(Math.max(box[3], keepBottom + 1), bottom)]);
  const dx = style.dx ?? 0;
  return (x, y) => {
    const [bx, by] = bent(x, y);
    return [fx(bx) + w / 2 + dx, fy(by) - top];
  };
}

// The Adventurer head is turned a little, with one ear; small bits of hair
// beside and under that ear would sit on our front-facing cheek as stray
// marks, so they are left out.  Some long styles also end in loose tips
// behind the jaw that our taller heads leave floating beside the cheek
// (dropLow: every piece that starts below that height goes).
function isEarBit(sub, style) {
  const [x0, y0, x1, y1] = svgPathBbox(sub);
  if (style.dropLow && y0 - 83 > style.dropLow) return true;
  return x0 - 161 > 520 && y0 - 83 > 380 && (style.dropBig || (x1 - x0 < 70 && y1 - y0 < 80));
}

function dropEarBits(d, style) {
  const subs = svgpath(d).abs().toString().split(/(?=M)/);
  return subs.filter((sp) => !isEarBit(sp, style)).join('');
}

// The path as polygons, its curves cut into short straight pieces: the warp
// bends space strongly where it thins hair to fit the frame, and only points
// follow it faithfully (curves through warped control points would cross).
function flatten(d, step = 1.5) {
  const rings = [];
  let ring = null;
  const p = svgpath(d).abs().unarc().unshort();
  p.iterate((seg, i, x, y) => {
    const cmd = seg[0];
    if (cmd === 'M') {
      ring = [[seg[1], seg[2]]];
      rings.push(ring);
      return;
    }
    if (cmd === 'Z' || cmd === 'z') return;
    if (!ring) {
      ring = [[x, y]];
      rings.push(ring);
    }
    if (cmd === 'L') ring.push([seg[1], seg[2]]);
    else if (cmd === 'H') ring.push([seg[1], y]);
    else if (cmd === 'V') ring.push([x, seg[1]]);
    else if (cmd === 'C' || cmd === 'Q') {
      const pts = [[x, y]];
      for (let k = 1; k + 1 < seg.length; k += 2) pts.push([seg[k], seg[k + 1]]);
      let len = 0;
      for (let k = 1; k < pts.length; k++) len += Math.hypot(pts[k][0] - pts[k - 1][0], pts[k][1] - pts[k - 1][1]);
      const steps = Math.max(2, Math.ceil(len / step));
      for (let j = 1; j <= steps; j++) {
        const t = j / steps, u = 1 - t;
        if (cmd === 'C') {
          const [p0, p1, p2, p3] = pts;
          ring.push([u * u * u * p0[0] + 3 * u * u * t * p1[0] + 3 * u * t * t * p2[0] + t * t * t * p3[0],
            u * u * u * p0[1] + 3 * u * u * t * p1[1] + 3 * u * t * t * p2[1] + t * t * t * p3[1]]);
        } else {
          const [p0, p1, p2] = pts;
          ring.push([u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0], u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]]);
        }
      }
    } else {
      throw new Error(`path command ${cmd} not handled`);
    }
  });
  return rings.filter((r) => r.length > 2);
}

function warpPath(d, warp) {
  return flatten(d).map((ring) => 'M' + ring.map(([x, y]) => warp(x, y).map((v) => v.toFixed(1)).join(' ')).join('L') + 'Z').join('');
}

const RIM_WIDTH = 4.5;   // twice the ink rim around the hair, design pixels

function hairSvg(n) {
  const [w, top, bottom] = RECT[n];
  const h = bottom - top;
  const head = `<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 ${w} ${h}" width="${w}" height="${h}">\n`;
  if (n === 0) return `${head}<!-- haar00: no hair chosen yet, draws nothing -->\n</svg>\n`;
  const style = STYLES[n];
  let svg = hair[style.variant]({}, { hair: '#ff00ff', skin: '#00ff00' });
  if (!style.keepAll) svg = svg.replace(/ d="([^"]+)"/g, (_, d) => ` d="${dropEarBits(d, style)}"`);
  svg = svg.replace(/<path d=""[^>]*\/>/g, '');
  const warp = makeWarp(n, style, svg);
  svg = svg.replace(/ d="([^"]+)"/g, (_, d) => ` d="${warpPath(d, warp)}"`);
  // Where the hair had to be thinned to fit its frame, its ink rim thinned
  // with it; an ink silhouette of the hair under everything keeps a rim of
  // one width all round.
  const keyPaths = [...svg.matchAll(/<path d="([^"]+)" fill="#ff00ff"\/>/gi)].map((m) => m[1]);
  svg = `<path d="${keyPaths.join('')}" fill="#000000" stroke="#000000" stroke-width="${RIM_WIDTH}" ` +
    `stroke-linejoin="round"/>` + svg;
  svg = svg.replace(/ clip-rule="[^"]*"/g, '').replace(/#FF00FF/gi, '#ff00ff').replace(/"#000"/g, '"#000000"');
  const colours = new Set([...svg.matchAll(/fill="(#[0-9a-fA-F]+)"/g)].map((m) => m[1].toLowerCase()));
  for (const c of colours) {
    if (c !== '#ff00ff' && c !== '#000000') {
      throw new Error(`haar${n}: unexpected colour ${c}`);
    }
  }
  return `${head}<!-- haar${String(n).padStart(2, '0')}: Adventurer hairstyle ${style.variant}` +
    `${style.flip ? ' (mirrored)' : ''} by Lisa Wischofsky, CC BY 4.0; fitted to this rectangle -->\n` +
    `${svg}\n</svg>\n`;
}

fs.mkdirSync(outDir, { recursive: true });
const written = [];
for (let n = 0; n <= 24; n++) {
  if (n > 0 && !STYLES[n]) continue;
  const name = `haar${String(n).padStart(2, '0')}`;
  fs.writeFileSync(path.join(outDir, `${name}.svg`), hairSvg(n));
  written.push(name);
}
console.log(`wrote ${written.join(' ')} to ${outDir}`);
