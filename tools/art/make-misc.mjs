#!/usr/bin/env node
// Writes the measuring figure "maal" and the seventeen statistics icons statvalg01..17 with
// their greyed twins statvalg01g..17g into art/misc/ (check, leaves and photo frame there are
// drawn by hand). Statistics 1 to 3 use Fluent Emoji Flat icons (Microsoft Corporation, MIT):
//   node tools/art/make-misc.mjs /work/npm-art-other/node_modules art/misc
// SPDX-License-Identifier: MIT
//
// The measuring page lays fourteen 45 x 24 edit boxes over "maal" at fixed places of its
// 456 x 460 frame; each box sits at the end of a red leader to what it measures. The program
// fixes six meanings (box 3 foot length, 7 hand length, 8 finger length, 12 weight in kg,
// 13 hand span, 14 instep circumference); this figure gives the others:
//   1 height, 2 head circumference, 4 wrist circumference, 5 thumb length,
//   6 chest circumference, 9 leg length, 10 ankle circumference, 11 waist.

import fs from 'node:fs';
import path from 'node:path';
import { loadSet, clean, icon } from './emoji-art.mjs';

const [nodeModules = '/work/npm-art-other/node_modules', outDir = 'art/misc'] = process.argv.slice(2);
loadSet(nodeModules);

const SKIN = '#ffcc99', LINE = '#996633', RED = '#cc0000', SHIRT = '#3399ff', SHORTS = '#333399',
  HAIR = '#996633', SHOE = '#cc3300';
const sk = `fill="${SKIN}" stroke="${LINE}" stroke-width="2"`;

// ---- the parts of the figure, in the 456 x 460 frame ------------------------------------
const child = () => [
  // arms behind the shirt
  `<path ${sk} d="M54 142 42 142 36 270 48 270Z"/>`, `<path ${sk} d="M126 142 138 142 142 270 130 270Z"/>`,
  `<circle ${sk} cx="42" cy="276" r="9"/>`, `<circle ${sk} cx="136" cy="276" r="9"/>`,
  // legs and shoes
  `<path ${sk} d="M64 282H86V440H64Z"/>`, `<path ${sk} d="M94 282H116V440H94Z"/>`,
  `<path fill="${SHOE}" stroke="#663300" stroke-width="2" d="M88 456H50Q48 440 64 436H86Z"/>`,
  `<path fill="${SHOE}" stroke="#663300" stroke-width="2" d="M92 456H130Q132 440 116 436H94Z"/>`,
  // shorts and shirt
  `<path fill="${SHORTS}" stroke="#000066" stroke-width="2" d="M60 240H120L122 292H92L90 270L88 292H58Z"/>`,
  `<path fill="${SHIRT}" stroke="#0033cc" stroke-width="2" d="M76 134H104L126 140Q138 146 140 176L124 180L120 250H60L56 180L40 176Q42 146 54 140Z"/>`,
  // neck and head
  `<path ${sk} d="M82 112H98V136H82Z"/>`,
  `<ellipse ${sk} cx="90" cy="80" rx="34" ry="40"/>`,
  `<path fill="${HAIR}" stroke="#663300" stroke-width="2" d="M56 78Q54 38 90 38Q126 38 124 78Q112 56 90 54Q70 56 56 78Z"/>`,
  `<circle fill="#333333" cx="77" cy="82" r="4"/>`, `<circle fill="#333333" cx="103" cy="82" r="4"/>`,
  `<path fill="#cc3333" d="M76 100Q90 114 104 100Q90 106 76 100Z"/>`,
].join('');

// the hand seen from the back, fingers down, wrist at the top
const FINGERS = [[292, 46], [311, 58], [330, 64], [349, 52]]; // left edge, length below the palm
const hand = () => [
  `<path fill="${SHIRT}" stroke="#0033cc" stroke-width="2" d="M298 0H362V22H298Z"/>`,
  `<path ${sk} d="M302 22H358V40H302Z"/>`,
  // thumb out to the left, fingertip at about (266, 96)
  `<path ${sk} d="M296 44Q276 56 262 88Q262 100 272 100Q282 82 300 70Z"/>`,
  ...FINGERS.map(([x, l]) => `<rect ${sk} x="${x}" y="96" width="17" height="${l + 14}" rx="8"/>`),
  `<rect ${sk} x="290" y="36" width="78" height="74" rx="18"/>`,
].join('');

// the spread hand, fingers up: palm around (372, 292)
const PALM = [384, 292];
const SPREAD = [[-155, 40], [-115, 50], [-90, 54], [-65, 50], [-35, 40]]; // angle (deg), finger length
const tip = ([a, l]) => {
  const r = (a * Math.PI) / 180;
  return [PALM[0] + Math.cos(r) * (l + 16), PALM[1] + Math.sin(r) * (l + 16)];
};
const spreadHand = () => [
  ...SPREAD.map(([a, l]) =>
    `<rect ${sk} x="${PALM[0]}" y="${PALM[1] - 8}" width="${l + 24}" height="16" rx="8" transform="rotate(${a} ${PALM[0]} ${PALM[1]})"/>`),
  `<ellipse ${sk} cx="${PALM[0]}" cy="${PALM[1]}" rx="30" ry="27"/>`,
  `<path fill="${SHIRT}" stroke="#0033cc" stroke-width="2" d="M362 312H406V322H362Z"/>`,
].join('');

// the foot seen from the side: heel at x 198, toes at x 318, sole at y 238
const foot = () => [
  `<path ${sk} d="M202 184H234V206Q252 214 286 222Q318 226 318 232Q318 238 310 238H204Q196 238 196 228Q196 214 202 204Z"/>`,
  `<path fill="#ffffff" stroke="${LINE}" stroke-width="1" d="M306 226h8v5h-8z"/>`,
  `<path fill="${SHIRT}" stroke="#0033cc" stroke-width="2" d="M200 176H236V188H200Z"/>`,
].join('');

const scale = () => [
  `<rect fill="#cccccc" stroke="#666666" stroke-width="2" x="252" y="414" width="92" height="42" rx="10"/>`,
  `<rect fill="#ffffff" stroke="#666666" stroke-width="1" x="270" y="420" width="56" height="16" rx="3"/>`,
  `<path fill="${RED}" d="M297 436 301 422 303 436Z"/>`,
  `<rect fill="#999999" x="262" y="442" width="30" height="8" rx="3"/><rect fill="#999999" x="304" y="442" width="30" height="8" rx="3"/>`,
].join('');

// ---- the red measuring marks ---------------------------------------------------------------
const line = (x1, y1, x2, y2, w = 2) =>
  `<line x1="${x1}" y1="${y1}" x2="${x2}" y2="${y2}" stroke="${RED}" stroke-width="${w}"/>`;
const dot = (x, y) => `<circle cx="${x}" cy="${y}" r="3.5" fill="${RED}"/>`;
// arrowhead at (x, y) pointing along (dx, dy)
function head(x, y, dx, dy, s = 9) {
  const l = Math.hypot(dx, dy), ux = dx / l, uy = dy / l;
  const bx = x - ux * s, by = y - uy * s;
  return `<path fill="${RED}" d="M${x} ${y}L${(bx - uy * s * 0.5).toFixed(1)} ${(by + ux * s * 0.5).toFixed(1)}L${(bx + uy * s * 0.5).toFixed(1)} ${(by - ux * s * 0.5).toFixed(1)}Z"/>`;
}
const arrow = (x1, y1, x2, y2, s = 9, w = 2) => line(x1, y1, x2, y2, w) + head(x1, y1, x1 - x2, y1 - y2, s) + head(x2, y2, x2 - x1, y2 - y1, s);
const ring = (cx, cy, rx, ry, rot = 0) =>
  `<ellipse cx="${cx}" cy="${cy}" rx="${rx}" ry="${ry}" fill="none" stroke="${RED}" stroke-width="3"${rot ? ` transform="rotate(${rot} ${cx} ${cy})"` : ''}/>`;

const [th0, th1] = [[268, 96], [294, 50]]; // thumb tip and root
const mid = FINGERS[2];
const [spanA, spanB] = [tip(SPREAD[0]), tip(SPREAD[4])];

const footLength = (s = 9, w = 2) => arrow(198, 248, 318, 248, s, w) + line(198, 240, 198, 254) + line(318, 240, 318, 254);
const instep = () => ring(258, 224, 7, 20, -22);
const marks = {
  1: () => arrow(22, 40, 22, 455) + line(12, 40, 60, 40) + line(12, 456, 48, 456),           // height
  2: () => ring(90, 62, 38, 8) + line(128, 64, 140, 110) + dot(128, 63),                      // head
  3: () => footLength() + line(188, 233, 197, 248),                                                                  // foot length
  4: () => ring(330, 30, 33, 6) + line(268, 22, 297, 30) + dot(297, 30),                      // wrist
  5: () => arrow(th1[0] - 8, th1[1] + 2, th0[0] - 6, th0[1] - 4, 7) + line(268, 66, 284, 62), // thumb
  6: () => ring(90, 164, 46, 7) + line(136, 164, 223, 161) + dot(136, 164),                   // chest
  7: () => arrow(390, 36, 390, 172) + line(368, 36, 396, 36) + line(340, 172, 396, 172),     // hand length
  8: () => arrow(mid[0] + 8.5, 112, mid[0] + 8.5, 96 + mid[1] + 12, 7) + line(348, 176, 362, 190), // finger
  9: () => arrow(127, 262, 127, 455) + line(117, 262, 131, 262) + line(127, 371, 135, 371),  // leg length
  10: () => ring(105, 428, 15, 4) + line(120, 429, 135, 436) + dot(120, 429),                 // ankle
  11: () => ring(90, 238, 34, 6) + line(124, 240, 215, 331) + dot(124, 240),                  // waist
  12: () => line(244, 441, 252, 437),                                                         // weight
  13: () => arrow(spanA[0], spanA[1], spanB[0], spanB[1]) + line(spanB[0], spanB[1], 413, 329), // span
  14: () => instep() + line(266, 242, 396, 429) + dot(266, 242),            // instep
};

function svg(w, h, content, comment, vb = `0 0 ${w} ${h}`) {
  return `<svg xmlns="http://www.w3.org/2000/svg" width="${w}" height="${h}" viewBox="${vb}">\n<!-- ${comment} -->\n${content}\n</svg>\n`;
}

fs.mkdirSync(outDir, { recursive: true });
const allMarks = Object.keys(marks).map((k) => marks[k]()).join('\n');
fs.writeFileSync(path.join(outDir, 'maal.svg'), svg(456, 460,
  [child(), hand(), spreadHand(), foot(), scale(), allMarks].join('\n'),
  'maal: the measuring figure. Boxes: 1 height, 2 head circumference, 3 foot length, 4 wrist circumference, ' +
  '5 thumb length, 6 chest circumference, 7 hand length, 8 finger length, 9 leg length, 10 ankle circumference, ' +
  '11 waist, 12 weight (kg), 13 hand span, 14 instep circumference'));

// ---- statistics icons (64 x 64): the same parts, cut out around each measurement ------------
const BG = '#ffffcc';
const framed = (x, y, s, content) =>
  `<rect x="0" y="0" width="64" height="64" fill="${BG}"/>` +
  `<g transform="translate(${x} ${y}) scale(${s})">${content}</g>`;
// a crop of the figure: a square of side `side` with its top-left corner at (x, y)
const crop = (x, y, side, content) => framed(-x * 64 / side, -y * 64 / side, 64 / side, content);
// thicker marks for the small icons
const bold = (s) => s.replace(/stroke-width="[\d.]+"/g, (m) => m.replace(/[\d.]+/, (v) => String(Math.max(+v, 2) * 2)));

const STATS = [
  ['hobbies chosen', () => framed(0, 0, 1, icon('soccer-ball', 2, 2, 0.9) + icon('musical-notes', 34, 2, 0.9) +
    icon('skateboard', 2, 34, 0.9) + icon('open-book', 34, 34, 0.9))],
  ['number of hobbies', () => framed(0, 0, 1, icon('input-numbers', 0, 0, 2))],
  ['birth month', () => framed(0, 0, 1, icon('birthday-cake', 0, 0, 2))],
  ['Maal[1] height', () => crop(-14, 30, 160, child() + bold(arrow(22, 40, 22, 455, 20, 4) + line(12, 40, 60, 40) + line(12, 456, 48, 456)))],
  ['Maal[2] head circumference', () => crop(40, 24, 100, child() + bold(marks[2]().replace(/<line[^>]*\/>/g, '')))],
  ['Maal[3] foot length', () => crop(186, 140, 140, foot() + bold(footLength(14, 3)))],
  ['Maal[4] wrist circumference', () => crop(250, 0, 130, hand() + bold(ring(330, 30, 33, 6)))],
  ['Maal[5] thumb length', () => crop(250, 0, 130, hand() + bold(arrow(th1[0] - 8, th1[1] + 2, th0[0] - 6, th0[1] - 4, 12, 3)))],
  ['Maal[6] chest circumference', () => crop(20, 100, 140, child() + bold(ring(90, 164, 46, 7)))],
  ['Maal[10] ankle circumference', () => crop(50, 360, 100, child() + bold(ring(105, 428, 15, 4)))],
  ['Maal[9] leg length', () => crop(10, 250, 206, child() + bold(arrow(127, 262, 127, 455, 22, 4) + line(117, 262, 131, 262)))],
  ['Maal[12] weight', () => crop(242, 380, 110, scale())],
  ['Maal[11] waist', () => crop(30, 180, 120, child() + bold(ring(90, 238, 34, 6)))],
  ['Maal[7] hand length', () => crop(250, 0, 180, hand() + bold(arrow(390, 36, 390, 172, 16, 4) + line(368, 36, 396, 36) + line(340, 172, 396, 172)))],
  ['Maal[8] finger length', () => crop(270, 40, 150, hand() + bold(arrow(mid[0] + 8.5, 112, mid[0] + 8.5, 96 + mid[1] + 12, 12, 3)))],
  ['Maal[13] hand span', () => crop(300, 190, 160, spreadHand() + bold(arrow(spanA[0], spanA[1], spanB[0], spanB[1], 16, 3)))],
  ['Maal[14] instep circumference', () => crop(186, 140, 140, foot() + bold(instep()))],
];

// greyed twin: every colour to a light grey of the colour cube, by its brightness
function grey(s) {
  return s.replace(/#([0-9a-fA-F]{6})/g, (m, h) => {
    const [r, g, b] = [0, 2, 4].map((i) => parseInt(h.slice(i, i + 2), 16));
    const y = 0.3 * r + 0.59 * g + 0.11 * b;
    const level = y > 200 ? 'ffffff' : y > 120 ? 'cccccc' : '999999';
    return '#' + level;
  });
}

const manifest = [
  '# Pictures other than face parts and hobbies (see art/CREDITS.md).',
  'picture check check.svg',
  'picture blad01 blad01.svg', 'picture blad02 blad02.svg', 'picture blad03 blad03.svg', 'picture blad04 blad04.svg',
  'picture foto foto.svg',
  '# written by tools/art/make-misc.mjs:',
  'picture maal maal.svg',
];
STATS.forEach(([what, make], i) => {
  const n = String(i + 1).padStart(2, '0');
  const content = clean(make());
  fs.writeFileSync(path.join(outDir, `statvalg${n}.svg`), svg(64, 64, content, `statvalg${n}: ${what}`));
  fs.writeFileSync(path.join(outDir, `statvalg${n}g.svg`), svg(64, 64, grey(content), `statvalg${n}g: ${what}, not available`));
  manifest.push(`picture statvalg${n} statvalg${n}.svg`, `picture statvalg${n}g statvalg${n}g.svg`);
});
fs.writeFileSync(path.join(outDir, 'manifest.txt'), manifest.join('\n') + '\n');
console.log('wrote maal and 34 statistics icons to ' + outDir);
