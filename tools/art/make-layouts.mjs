#!/usr/bin/env node
// Writes the page backgrounds (layouts) into art/layouts/, with their manifest.
// SPDX-License-Identifier: MIT
//
// Design size 551 x 450. The decorations of the poetry-book backgrounds and a few others are
// Fluent Emoji Flat icons (Microsoft Corporation, MIT), taken from the npm package that
// emoji-art.mjs names; run like extract-hobby.mjs:
//   node tools/art/make-layouts.mjs /work/npm-art-other/node_modules art/layouts
//
// Rules the drawings keep:
// - skies and grounds are two-colour linear gradients (vertical or horizontal, or mirrored
//   with the second colour in the middle); the archive turns them into its gradient fills;
// - all other colours are colours of the archive's colour cube, so large areas stay crisp;
// - "elev" and "ansigt": only x 0..462 shows, and y 376..450 lies behind the name or colour
//   box; the face is centred on x = 231;
// - "stam": bands at d..2d, 3d..4d, 5d..6d, 7d..8d and the bottom strip 9d..10d (d = 45),
//   a tree whose branches run through the middle of the bands;
// - poetry backgrounds: the questionnaire covers their left part, so pictures keep to the
//   right-hand columns and the very edges, and the ground under it is one calm gradient on
//   which the poetry page's fixed caption and field colours stand out (see poetry() below).

import fs from 'node:fs';
import path from 'node:path';
import { loadSet, clean, icon, iconFlip, snap } from './emoji-art.mjs';

const [nodeModules = '/work/npm-art-other/node_modules', outDir = 'art/layouts'] = process.argv.slice(2);
loadSet(nodeModules);

const W = 551, H = 450;

function page(defs, content) {
  return `<svg xmlns="http://www.w3.org/2000/svg" width="${W}" height="${H}" viewBox="0 0 ${W} ${H}">\n` +
    (defs ? `<defs>${defs}</defs>\n` : '') + content + '\n</svg>\n';
}
// two-colour gradients; "mirror" puts the second colour in the middle
let gid = 0;
function grad(kind, a, b, mirror = false) {
  const id = 'g' + (++gid);
  const [x2, y2] = kind === 'v' ? [0, 1] : [1, 0];
  const stops = mirror
    ? `<stop offset="0" stop-color="${a}"/><stop offset="0.5" stop-color="${b}"/><stop offset="1" stop-color="${a}"/>`
    : `<stop offset="0" stop-color="${a}"/><stop offset="1" stop-color="${b}"/>`;
  return { id, def: `<linearGradient id="${id}" x1="0" y1="0" x2="${x2}" y2="${y2}">${stops}</linearGradient>` };
}
function gradRect(defs, kind, a, b, x, y, w, h, mirror = false) {
  const g = grad(kind, a, b, mirror);
  defs.push(g.def);
  return `<rect x="${x}" y="${y}" width="${w}" height="${h}" fill="url(#${g.id})"/>`;
}
function gradPath(defs, kind, a, b, d, mirror = false) {
  const g = grad(kind, a, b, mirror);
  defs.push(g.def);
  return `<path fill="url(#${g.id})" d="${d}"/>`;
}
const cloud = (x, y, s, c = '#ffffff') =>
  `<g fill="${c}" transform="translate(${x} ${y}) scale(${s})">` +
  '<ellipse cx="0" cy="10" rx="30" ry="12"/><ellipse cx="-12" cy="2" rx="14" ry="12"/><ellipse cx="8" cy="-2" rx="17" ry="15"/></g>';
// the balloon icon in other colours: [main, shade, highlight] replace its red ones
const balloon = (x, y, size, [main, shade, light], flip = false) =>
  (flip ? iconFlip : icon)('balloon', x, y, size / 32).replace(/fill="#f8312f"/gi, `fill="${main}"`)
    .replace(/fill="#ca0b4a"/gi, `fill="${shade}"`).replace(/fill="#ff8687"/gi, `fill="${light}"`);
const RED = ['#f8312f', '#ca0b4a', '#ff8687'], YELLOW = ['#ffcc00', '#cc9900', '#ffff99'],
  GREEN = ['#33cc33', '#009900', '#99ff99'], PURPLE = ['#9933cc', '#660099', '#cc99ff'];
// an icon of the given pixel size with its top-left corner at (x, y)
const ic = (name, x, y, size) => icon(name, x, y, size / 32);
const icf = (name, x, y, size) => iconFlip(name, x, y, size / 32);

const layouts = {};

// ---- portrait pages --------------------------------------------------------------------
layouts.elev = () => {
  const d = [];
  let c = gradRect(d, 'v', '#3399ff', '#ccffff', 0, 0, W, H);
  c += '<circle cx="44" cy="44" r="36" fill="#ffcc00"/><circle cx="44" cy="44" r="28" fill="#ffff66"/>';
  c += cloud(420, 60, 1.2) + cloud(34, 190, 0.9) + cloud(430, 200, 0.8);
  c += gradPath(d, 'v', '#66cc33', '#336600', 'M0 330Q80 300 180 350T462 320L551 330V450H0Z');
  c += '<path fill="#339933" d="M0 380Q120 350 240 385T551 370V450H0Z"/>';
  c += ic('blossom', 8, 318, 40) + ic('tulip', 52, 334, 34) + ic('blossom', 404, 318, 40) + ic('tulip', 376, 340, 30);
  return page(d.join(''), c);
};

layouts.ansigt = () => {
  const d = [];
  // the visible part is x 0..462: the light middle sits behind the face.
  // Nothing is painted twice (the editor pages redraw this on every change).
  let c = '<rect x="462" y="0" width="89" height="372" fill="#6699ff"/>' + gradRect(d, 'h', '#6699ff', '#ffffff', 0, 0, 462, 372, true);
  // a soft floor under the colour box, and a few quiet dots at the side edges
  c += gradRect(d, 'v', '#99ccff', '#6699cc', 0, 372, W, 78);
  for (const [x, y, r] of [[18, 40, 6], [34, 90, 4], [14, 150, 5], [30, 230, 6], [16, 300, 4],
    [444, 40, 6], [428, 96, 4], [448, 160, 5], [432, 236, 6], [446, 304, 4]])
    c += `<circle cx="${x}" cy="${y}" r="${r}" fill="#ccccff"/>`;
  return page(d.join(''), c);
};

// ---- class pages and the hobby pages (their panels cover almost everything) ---------------
layouts.klasse = () => {
  const d = [];
  let c = '<rect x="0" y="0" width="551" height="450" fill="#663300"/>';
  c += gradRect(d, 'v', '#cc9966', '#996633', 4, 4, W - 8, H - 8);
  return page(d.join(''), c);
};
layouts.setup = () => {
  const d = [];
  const c = gradRect(d, 'v', '#3366cc', '#000099', 0, 0, W, H);
  return page(d.join(''), c);
};
layouts.hobby = () => {
  const d = [];
  const c = gradRect(d, 'v', '#ffcc00', '#ff6600', 0, 0, W, H);
  return page(d.join(''), c);
};

// ---- family tree -------------------------------------------------------------------------
layouts.stam = () => {
  const d = [], dd = 45;
  let c = gradRect(d, 'v', '#3399ff', '#ccffff', 0, 0, W, 9 * dd);
  c += cloud(60, 100, 0.8) + cloud(480, 20, 0.9) + cloud(500, 190, 0.7) + cloud(40, 290, 0.7);
  // bottom strip: the grass where the fresh leaf waits
  c += gradRect(d, 'v', '#66cc33', '#336600', 0, 9 * dd, W, dd);
  const cx = 275;
  // branches: from the trunk out to both sides, rising towards the tips, through each band
  let br = '';
  const tufts = [];
  for (let row = 0; row < 4; row++) {
    const y = row * 2 * dd + dd + dd / 2;      // middle of the band
    const t = 10 - row * 1.5;                   // the lower the thicker
    for (const s of [-1, 1]) {
      const xe = cx + s * 262, xm = cx + s * 140;
      br += `<path d="M${cx} ${y + 16 + t}Q${xm} ${y + 14 + t} ${xe} ${y - 14}L${xe - s * 2} ${y - 18}Q${xm} ${y + 2} ${cx} ${y + 2}Z"/>`;
      tufts.push([xe - s * 4, y - 20], [xe - s * 18, y - 22]);
      // a short twig up and one down near the middle of each branch
      const xt = cx + s * 180;
      br += `<path d="M${xt} ${y + 4}L${xt + s * 30} ${y - 14}L${xt + s * 33} ${y - 11}L${xt + s * 10} ${y + 7}Z"/>`;
    }
  }
  c += `<g fill="#663300">${br}</g>`;
  // trunk with roots in the grass, slim at the top band
  c += '<path fill="#996633" d="M228 450Q252 420 254 380L262 50Q266 30 275 24Q284 30 288 50L296 380Q298 420 322 450Z"/>';
  c += '<path fill="#663300" d="M275 24Q284 30 288 50L296 380Q298 420 322 450H290Q284 420 282 380L278 60Z"/>';
  // a little foliage at the crown and at the branch tips (kept small: the leaves are the point)
  for (const [x, y, r] of [[275, 20, 16], [258, 28, 11], [292, 28, 11]])
    c += `<circle cx="${x}" cy="${y}" r="${r}" fill="#339933"/>`;
  for (const [x, y] of tufts)
    c += `<ellipse cx="${x}" cy="${y}" rx="9" ry="5" fill="#339933"/>`;
  return page(d.join(''), c);
};

// ---- branch page -------------------------------------------------------------------------
layouts.gren = () => {
  const d = [];
  let c = gradRect(d, 'v', '#339966', '#003300', 0, 0, W, H);
  // one big branch across the middle, between the photo and the text fields
  c += '<path fill="#663300" d="M0 268Q150 250 300 210T551 140V158Q420 190 300 232T0 290Z"/>';
  c += '<path fill="#996633" d="M0 268Q150 250 300 210T551 140V146Q420 178 300 220T0 276Z"/>';
  c += '<path fill="#663300" d="M230 236L200 196L206 192L240 230Z"/><path fill="#663300" d="M420 180L470 210L466 216L412 190Z"/>';
  for (const [x, y, a, col] of [[200, 190, -30, '#66cc33'], [168, 252, 20, '#339933'], [330, 206, -50, '#66cc33'],
    [470, 214, 30, '#339933'], [520, 136, -20, '#66cc33'], [250, 238, 40, '#66cc33'], [395, 172, -35, '#339933']])
    c += `<ellipse cx="${x}" cy="${y}" rx="22" ry="9" fill="${col}" transform="rotate(${a} ${x} ${y})"/>`;
  return page(d.join(''), c);
};

// ---- poetry-book backgrounds --------------------------------------------------------------
// The questionnaire lies over the left part: eighteen right-aligned captions and their answer
// fields, rows every 24 units from y = 12 to 439. How far right it reaches in background units
// depends on the screen's shape: where the page keeps the design's proportions the fields end
// at x = 288, those of rows 16 and 17 (y 372 to 415) at 340; scaled by the height of a 5:4
// screen at 335 and 396; on a 16:9 screen by 263. So the pictures keep to
// - the big column, centred on x = 492 (436 to 548), from top to bottom;
// - the small column, x 360 to 436, above y = 362 (clear of rows 16 and 17);
// - the bottom edge below y = 442 (under row 18) and the top edge above y = 8.
// The ground left of them is one calm gradient on which the poetry page's fixed caption colours
// reach a contrast of at least 5:1 and its field colours are plainly another colour
// (tests/tools/poetry_backgrounds_test.cpp checks both).
const BIG_X = 492;
function poetry(top, bottom, big, small, under = '') {
  const d = [];
  let c = gradRect(d, 'v', top, bottom, 0, 0, W, H);
  c += under;
  for (const [name, y, size, flip] of big) c += (flip ? icf : ic)(name, BIG_X - size / 2, y, size);
  for (const [name, x, y, size, flip] of small) c += (flip ? icf : ic)(name, x, y, size);
  return page(d.join(''), c);
}
// small white dots for stars; only where the questionnaire does not reach
const dots = (pts, r = 2, fill = '#ffffff') => pts.map(([x, y]) => `<circle cx="${x}" cy="${y}" r="${r}" fill="${fill}"/>`).join('');

layouts.blomst = () => poetry('#330033', '#003300',
  [['tulip', 4, 100], ['sunflower', 112, 100], ['hibiscus', 220, 100], ['blossom', 330, 96]],
  [['cherry-blossom', 376, 58, 48], ['butterfly', 374, 164, 52], ['rose', 378, 270, 48]],
  '<path fill="#336633" d="M0 445Q200 441 340 444T551 424V450H0Z"/>' +
  '<path fill="#339933" d="M380 450Q460 420 551 432V450Z"/>');
layouts.savanne = () => poetry('#cc3300', '#666600',
  [['giraffe', 104, 118], ['elephant', 226, 104], ['zebra', 328, 104]],
  [['lion', 368, 22, 60], ['rhinoceros', 370, 240, 58, true]],
  '<circle cx="498" cy="52" r="40" fill="#ffcc33"/><circle cx="498" cy="52" r="30" fill="#ffff66"/>' +
  '<path fill="#663300" d="M0 445Q160 441 300 444T551 426V450H0Z"/>');
layouts.frugt = () => poetry('#663300', '#330000',
  [['red-apple', 4, 100], ['banana', 114, 100], ['grapes', 224, 100], ['strawberry', 334, 100]],
  [['pear', 378, 44, 48], ['cherries', 378, 130, 48], ['watermelon', 376, 216, 50], ['lemon', 380, 302, 44]]);
layouts.slik = () => poetry('#ffccff', '#ffffff',
  [['lollipop', 4, 100], ['candy', 114, 100], ['doughnut', 224, 100], ['cupcake', 334, 100]],
  [['candy', 378, 44, 48], ['soft-ice-cream', 376, 128, 52], ['chocolate-bar', 378, 216, 48], ['lollipop', 380, 302, 44]]);
layouts.hest = () => poetry('#006666', '#003300',
  [['horse-face', 4, 100], ['horse', 112, 106], ['unicorn', 226, 100, true], ['carrot', 336, 98]],
  [['horse-face', 378, 22, 48, true], ['carousel-horse', 374, 106, 54], ['four-leaf-clover', 380, 200, 44], ['horse', 376, 278, 52]],
  '<path fill="#336633" d="M0 445Q200 441 340 444T551 428V450H0Z"/>');
layouts.teddy = () => poetry('#663300', '#000000',
  [['teddy-bear', 6, 108], ['red-heart', 124, 90], ['teddy-bear', 222, 108, true], ['wrapped-gift', 342, 92]],
  [['teddy-bear', 374, 40, 54], ['sparkling-heart', 380, 132, 44], ['teddy-bear', 374, 212, 54, true],
    ['pink-heart', 382, 304, 40]]);
layouts.ballon = () => poetry('#003399', '#0066cc',
  [['party-popper', 226, 96]],
  [['wrapped-gift', 378, 182, 48]],
  cloud(398, 120, 0.7) + cloud(400, 300, 0.6) +
  balloon(436, 4, 112, RED) + balloon(446, 110, 100, YELLOW, true) + balloon(436, 330, 112, GREEN) +
  balloon(372, 10, 56, PURPLE) + balloon(378, 234, 50, YELLOW, true));
layouts.space = () => {
  const stars = dots([[440, 8], [548, 118], [452, 228], [540, 300], [470, 444], [245, 446], [150, 3], [330, 4],
    [364, 170], [410, 352], [60, 446], [520, 436], [368, 30], [396, 254]]);
  return poetry('#000000', '#330033',
    [['rocket', 6, 104], ['ringed-planet', 118, 104], ['crescent-moon', 230, 96], ['flying-saucer', 336, 100]],
    [['star', 380, 24, 40], ['comet', 372, 100, 52], ['glowing-star', 380, 196, 42], ['astronaut', 372, 274, 56]], stars);
};
layouts['bølge'] = () => poetry('#006699', '#003366',
  [['dolphin', 6, 104], ['tropical-fish', 118, 96], ['spouting-whale', 222, 104], ['water-wave', 334, 104]],
  [['spiral-shell', 380, 58, 44], ['crab', 376, 160, 50], ['octopus', 374, 262, 54]],
  '<path fill="#cc9966" d="M0 446Q200 442 340 445T551 430V450H0Z"/>');
layouts['ørken'] = () => poetry('#993300', '#cc3300',
  [['camel', 100, 112], ['cactus', 216, 104], ['palm-tree', 320, 112]],
  [['scorpion', 374, 120, 50], ['lizard', 374, 250, 50]],
  '<circle cx="496" cy="52" r="38" fill="#ffcc33"/><circle cx="496" cy="52" r="29" fill="#ffff66"/>' +
  '<path fill="#cc9933" d="M0 446Q200 442 340 445T551 420V450H0Z"/>');

// file names stay ASCII; the manifest carries the real names
const FILES = { 'bølge': 'boelge', 'ørken': 'oerken' };
const ORDER = ['elev', 'ansigt', 'klasse', 'setup', 'hobby', 'stam', 'gren',
  'blomst', 'savanne', 'frugt', 'slik', 'hest', 'teddy', 'ballon', 'space', 'bølge', 'ørken'];

fs.mkdirSync(outDir, { recursive: true });
const manifest = ['# Page backgrounds at design size 551 x 450. Written by tools/art/make-layouts.mjs.'];
for (const name of ORDER) {
  const file = (FILES[name] ?? name) + '.svg';
  let svg = layouts[name]();
  svg = clean(svg.replace(/stop-color="(#[0-9a-fA-F]{3,6})"/g, (m, c) => `stop-color="${snap(c)}"`), { gradients: true });
  fs.writeFileSync(path.join(outDir, file), svg);
  manifest.push(`layout ${name} ${file}`);
}
fs.writeFileSync(path.join(outDir, 'manifest.txt'), manifest.join('\n') + '\n');
console.log(`wrote ${ORDER.length} layouts to ${outDir}`);
