#!/usr/bin/env node
// Takes the hairstyles of the portrait out of the "Adventurer" avatar design
// (Lisa Wischofsky, CC BY 4.0, shipped in the npm package @dicebear/adventurer)
// and fits each one to its hair rectangle: art/face/haar01.svg .. haar24.svg and
// the empty haar00.svg.  The other face parts are our own drawings, made by
// tools/art/draw-face.py.
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
// default head is an egg whose face, without the ears, is 214 wide and runs
// from y 28 to 310 in design pixels.  Each hairstyle is mapped with the circle
// onto the egg, so the hair keeps hugging the face.  Hair that would reach out
// of the style's rectangle is squeezed into it by a smooth, monotone warp that
// leaves the face region alone.  The recolourable hair (the package's hair
// colour placeholder) becomes the key colour #FF00FF; the ink outlines stay black.

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
// Boys' styles 1-10 are short, girls' styles 11-24 longer.
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
  10: { variant: 'short04' },
  11: { variant: 'long02' },
  12: { variant: 'long21' },
  13: { variant: 'long03', earPatch: true },
  14: { variant: 'long15' },
  15: { variant: 'long13' },
  16: { variant: 'long14' },
  17: { variant: 'long19' },
  18: { variant: 'long17', earPatch: true, sxL: 0.9, sxR: 1.16 },
  19: { variant: 'long25' },
  20: { variant: 'long12', earPatch: true },
  21: { variant: 'long24' },
  22: { variant: 'long23' },
  23: { variant: 'short05' },
  24: { variant: 'long10', dropBig: true },
};

// Adventurer face circle and our face, see the comment at the top.
const FACE = { left: 143, right: 591, top: 163, bottom: 611 };
const EAR = { cx: 612, cy: 418, rx: 40, ry: 56 };   // the gap around the Adventurer ear
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

// The box of every point of the paths, control points included: the warp is
// applied to the points, so a curve stays inside its frame only if all of its
// control points do.
function bbox(svg, flip) {
  let b = [Infinity, Infinity, -Infinity, -Infinity];
  for (const d of paths(svg)) {
    svgpath(d).abs().unarc().unshort().iterate((seg, i, x, y) => {
      const coords = seg[0] === 'H' ? [[seg[1], y]] : seg[0] === 'V' ? [[x, seg[1]]] : [];
      for (let k = 1; k + 1 < seg.length && coords.length === 0; k += 2) coords.push([seg[k], seg[k + 1]]);
      if (seg[0] !== 'H' && seg[0] !== 'V') for (let k = 3; k + 1 < seg.length; k += 2) coords.push([seg[k], seg[k + 1]]);
      for (const [px, py] of coords) {
        b = [Math.min(b[0], px), Math.min(b[1], py), Math.max(b[2], px), Math.max(b[3], py)];
      }
    });
  }
  // into the face's coordinates (the hair group's translate applied)
  let [x0, y0, x1, y1] = [b[0] - 161, b[1] - 83, b[2] - 161, b[3] - 83];
  if (flip) [x0, x1] = [FACE.left + FACE.right - x1, FACE.left + FACE.right - x0];
  return [x0, y0, x1, y1];
}

// The warp of one style: face coordinates -> design pixels relative to the
// rectangle's top-left corner.
function makeWarp(n, style, svg) {
  const [w, top, bottom] = RECT[n];
  const [x0, y0, x1, y1] = bbox(svg, style.flip);
  const sx = style.sx ?? 1, sy = style.sy ?? 1;   // extra size, about the face
  // x: the face outline keeps its place.  The Adventurer face looks a little
  // to the viewer's left, so its middle (between the eyes) lies left of the
  // circle's centre; that middle goes onto our centre line.  The parts beyond
  // the face are squeezed if they would leave the frame.
  // sxL/sxR widen one side of the opening for the face, for styles that the
  // portrait shifts sideways on most heads.
  const mid = style.mid ?? 340;
  const hl = HALF * sx * (style.sxL ?? 1), hr = HALF * sx * (style.sxR ?? 1);
  const xs = [FACE.left, mid, FACE.right], xv = [-hl, 0, hr];
  const kL = hl / (mid - FACE.left), kR = hr / (FACE.right - mid);
  const natL = -hl - (FACE.left - x0) * kL, natR = hr + (x1 - FACE.right) * kR;
  xs.unshift(Math.min(x0, FACE.left - 1)); xv.unshift(Math.max(natL, -w / 2));
  xs.push(Math.max(x1, FACE.right + 1)); xv.push(Math.min(natR, w / 2));
  const fx = monotone(xs, xv);
  // y: the same with the skull top and the chin; the top of the hair may rise
  // at most to the frame's top, the ends at most to its bottom
  const Y = (y) => TOP + (y - FACE.top) * KY * sy + (style.dy ?? 0);
  const Yinv = (v) => FACE.top + (v - TOP - (style.dy ?? 0)) / (KY * sy);
  // the face keeps its scale between these two heights; a short style whose
  // frame ends above them keeps its scale only down to 20 pixels above its end
  const yKeepTop = style.keepTop ?? 320;
  const yKeepBottom = Math.min(style.keepBottom ?? 470, Yinv(bottom - 20));
  const ys = [yKeepTop, yKeepBottom], yv = [Y(yKeepTop), Y(yKeepBottom)];
  ys.unshift(Math.min(y0, yKeepTop - 1)); yv.unshift(Math.max(Y(y0), top));
  ys.push(Math.max(y1, yKeepBottom + 1)); yv.push(Math.min(Y(y1), bottom));
  const fy = monotone(ys, yv);
  const dx = style.dx ?? 0;
  return (x, y) => {
    let fxIn = x - 161;
    if (style.flip) fxIn = FACE.left + FACE.right - fxIn;
    return [fx(fxIn) + w / 2 + dx, fy(y - 83) - top];
  };
}

// The Adventurer head is turned a little, with one ear; small bits of hair
// beside and under that ear would sit on our front-facing cheek as stray
// marks, so they are left out.
function isEarBit(sub, anySize) {
  const [x0, y0, x1, y1] = svgPathBbox(sub);
  return x0 - 161 > 520 && y0 - 83 > 380 && (anySize || (x1 - x0 < 70 && y1 - y0 < 80));
}

function dropEarBits(d, anySize) {
  const subs = svgpath(d).abs().toString().split(/(?=M)/);
  return subs.filter((sp) => !isEarBit(sp, anySize)).join('');
}

function warpPath(d, warp) {
  const p = svgpath(d).abs().unarc().unshort();
  // H and V become L so both coordinates go through the warp
  p.iterate((seg, i, x, y) => {
    if (seg[0] === 'H') return [['L', seg[1], y]];
    if (seg[0] === 'V') return [['L', x, seg[1]]];
    return undefined;
  });
  p.iterate((seg) => {
    for (let k = 1; k + 1 < seg.length; k += 2) {
      const [wx, wy] = warp(seg[k], seg[k + 1]);
      seg[k] = wx;
      seg[k + 1] = wy;
    }
  });
  return p.round(1).toString();
}

const FLOWER = { '#c0aceb': '#cc99ff', '#e67e5e': '#ff6666', '#fff': '#ffffff', '#a0cc59': '#99cc66',
  '#f0df83': '#ffff99' };

function hairSvg(n) {
  const [w, top, bottom] = RECT[n];
  const h = bottom - top;
  const head = `<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 ${w} ${h}" width="${w}" height="${h}">\n`;
  if (n === 0) return `${head}<!-- haar00: no hair chosen yet, draws nothing -->\n</svg>\n`;
  const style = STYLES[n];
  let svg = hair[style.variant]({}, { hair: '#ff00ff', skin: '#00ff00' });
  if (!style.keepAll) svg = svg.replace(/ d="([^"]+)"/g, (_, d) => ` d="${dropEarBits(d, style.dropBig)}"`);
  svg = svg.replace(/<path d=""[^>]*\/>/g, '');
  // Long hair drawn around the Adventurer ear leaves a gap there; behind the
  // hair it is filled with hair, as our ears sit under long hair anyway.
  if (style.earPatch) {
    const [x, y] = [EAR.cx + 161, EAR.cy + 83];
    svg = `<path d="M${x - EAR.rx} ${y}A${EAR.rx} ${EAR.ry} 0 1 0 ${x + EAR.rx} ${y}` +
      `A${EAR.rx} ${EAR.ry} 0 1 0 ${x - EAR.rx} ${y}Z" fill="#ff00ff"/>` + svg;
  }
  const warp = makeWarp(n, style, svg);
  svg = svg.replace(/ d="([^"]+)"/g, (_, d) => ` d="${warpPath(d, warp)}"`);
  svg = svg.replace(/ clip-rule="[^"]*"/g, '').replace(/#FF00FF/gi, '#ff00ff').replace(/"#000"/g, '"#000000"');
  // The flowers of the wreath keep their colours, moved onto the archive's
  // colour cube so they stay crisp instead of dithered.
  svg = svg.replace(/fill="(#[0-9a-fA-F]+)"/g, (_, c) => `fill="${FLOWER[c.toLowerCase()] ?? c}"`);
  const colours = new Set([...svg.matchAll(/fill="(#[0-9a-fA-F]+)"/g)].map((m) => m[1].toLowerCase()));
  for (const c of colours) {
    if (c !== '#ff00ff' && c !== '#000000' && !Object.values(FLOWER).includes(c)) {
      throw new Error(`haar${n}: unexpected colour ${c}`);
    }
  }
  return `${head}<!-- haar${String(n).padStart(2, '0')}: Adventurer hairstyle ${style.variant}` +
    `${style.flip ? ' (mirrored)' : ''} by Lisa Wischofsky, CC BY 4.0; fitted to this rectangle -->\n` +
    `${svg}\n</svg>\n`;
}

fs.mkdirSync(outDir, { recursive: true });
for (let n = 0; n <= 24; n++) {
  const name = `haar${String(n).padStart(2, '0')}`;
  fs.writeFileSync(path.join(outDir, `${name}.svg`), hairSvg(n));
}
console.log(`wrote haar00..haar24 to ${outDir}`);
