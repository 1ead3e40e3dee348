#!/usr/bin/env node
// Takes the hobby pictures (hobby01..hobby50) out of the Fluent Emoji Flat icon set
// and writes them as plain SVG files into art/hobby/, together with their manifest.
// SPDX-License-Identifier: MIT
//
// The icon set is an npm package and is installed outside the repository:
//   mkdir -p /work/npm-art-other && cd /work/npm-art-other
//   npm install @iconify-json/fluent-emoji-flat@1.2.6
//   node /work/main/tools/art/extract-hobby.mjs /work/npm-art-other/node_modules /work/main/art/hobby
// The written SVGs are committed, so the normal build needs neither Node nor the network.
//
// What the script changes in the icons, and why:
// - people use the "-light" skin-tone variant and its skin is mapped to one tone, so every
//   person in the catalogue looks alike (the default emoji yellow reads as a costume);
// - every colour is moved to the nearest colour of the archive's 6x6x6 colour cube, so the
//   pictures stay crisp instead of turning into dithered in-between colours;
// - opacity is flattened against white (the archive has no transparency);
// - a few hobbies have no single icon that a young child recognises, so they are composed
//   from several icons and a few simple shapes drawn here.

import fs from 'node:fs';
import path from 'node:path';

const PACKAGE = '@iconify-json/fluent-emoji-flat';
const VERSION = '1.2.6';

const [nodeModules = '/work/npm-art-other/node_modules', outDir = 'art/hobby'] = process.argv.slice(2);
const pkgDir = path.join(nodeModules, PACKAGE);
const pkg = JSON.parse(fs.readFileSync(path.join(pkgDir, 'package.json'), 'utf8'));
if (pkg.version !== VERSION) {
  console.error(`${PACKAGE} is ${pkg.version}; this script is written for ${VERSION}`);
  process.exit(1);
}
const set = JSON.parse(fs.readFileSync(path.join(pkgDir, 'icons.json'), 'utf8'));

function body(name) {
  let icon = set.icons[name];
  if (!icon && set.aliases?.[name]) icon = set.icons[set.aliases[name].parent];
  if (!icon) throw new Error(`icon ${name} not in ${PACKAGE}@${VERSION}`);
  const w = icon.width ?? set.width ?? 16, h = icon.height ?? set.height ?? 16;
  if (w !== 32 || h !== 32) throw new Error(`icon ${name} is ${w}x${h}, expected 32x32`);
  return icon.body;
}

// One skin tone for every person: the light variant's two skin shades, made crisp.
const SKIN = {
  '#ffd7c2': '#ffcc99', '#f4c6ad': '#ffcc99', '#e5af93': '#ff9966', '#f1b99b': '#ff9966',
};

function hex6(c) {
  c = c.toLowerCase();
  return c.length === 4 ? '#' + [...c.slice(1)].map((d) => d + d).join('') : c;
}
function snap(c) {
  const v = [1, 3, 5].map((i) => parseInt(c.slice(i, i + 2), 16));
  return '#' + v.map((x) => (Math.round(x / 51) * 51).toString(16).padStart(2, '0')).join('');
}
function flatten(c, a) {
  const v = [1, 3, 5].map((i) => parseInt(c.slice(i, i + 2), 16));
  return '#' + v.map((x) => Math.round(x * a + 255 * (1 - a)).toString(16).padStart(2, '0')).join('');
}

// Colour clean-up of one icon body (see the header).
function clean(svg) {
  // opacity on a single element: blend its fill with white and drop the attribute
  svg = svg.replace(/<path([^>]*?)\sopacity="([\d.]+)"([^>]*)>/g, (m, a, op, b) => {
    const all = a + b;
    return '<path' + all.replace(/fill="(#[0-9a-fA-F]{3,6})"/, (f, c) => `fill="${flatten(hex6(c), +op)}"`) + '>';
  });
  if (/opacity|Gradient|clipPath|<mask|<image|filter=/.test(svg)) throw new Error('unhandled SVG feature: ' + svg.slice(0, 80));
  return svg.replace(/(fill|stroke)="(#[0-9a-fA-F]{3,6})"/g, (m, attr, c) => {
    c = hex6(c);
    return `${attr}="${snap(SKIN[c] ?? c)}"`;
  });
}

const icon = (name, x = 0, y = 0, s = 1, extra = '') =>
  `<g transform="translate(${x} ${y}) scale(${s})${extra}">${body(name)}</g>`;
const person = (name, ...rest) => icon(set.icons[name + '-light'] ? name + '-light' : name, ...rest);
// A dark rim behind an icon whose colours melt into the grid's yellow or red cells: the
// icon's silhouette in one colour, shifted a little in eight directions under the icon.
const rim = (name, colour, d = 0.7, x = 0, y = 0, s = 1) => {
  const silhouette = body(name).replace(/fill="#[0-9a-fA-F]{3,6}"/g, `fill="${colour}"`);
  let out = '';
  for (const [dx, dy] of [[1, 0], [-1, 0], [0, 1], [0, -1], [0.7, 0.7], [-0.7, 0.7], [0.7, -0.7], [-0.7, -0.7]])
    out += `<g transform="translate(${x + dx * d} ${y + dy * d}) scale(${s})">${silhouette}</g>`;
  return out;
};
// paint splashes: a blob with a few drops
const splash = (x, y, r, c) =>
  `<circle cx="${x}" cy="${y}" r="${r}" fill="${c}"/><circle cx="${x + r * 1.3}" cy="${y - r * 0.9}" r="${r * 0.35}" fill="${c}"/>` +
  `<circle cx="${x - r * 1.2}" cy="${y + r * 0.8}" r="${r * 0.28}" fill="${c}"/><circle cx="${x + r * 0.4}" cy="${y + r * 1.35}" r="${r * 0.3}" fill="${c}"/>`;

// Simple shapes drawn here for the composed pictures (32 x 32 icon units).
const shapes = {
  // a postage stamp: a white perforated sheet with a coloured picture field
  stamp(x, y, w, h, field, inner) {
    const r = 0.8, step = 2.4;
    const nx = Math.floor(w / step), ny = Math.floor(h / step);
    const sx = w / nx, sy = h / ny;
    let d = `M${x} ${y}`;
    for (let i = 0; i < nx; i++) d += `h${(sx - 2 * r) / 2}a${r} ${r} 0 0 0 ${2 * r} 0h${(sx - 2 * r) / 2}`;
    for (let i = 0; i < ny; i++) d += `v${(sy - 2 * r) / 2}a${r} ${r} 0 0 0 0 ${2 * r}v${(sy - 2 * r) / 2}`;
    for (let i = 0; i < nx; i++) d += `h${-(sx - 2 * r) / 2}a${r} ${r} 0 0 0 ${-2 * r} 0h${-(sx - 2 * r) / 2}`;
    for (let i = 0; i < ny; i++) d += `v${-(sy - 2 * r) / 2}a${r} ${r} 0 0 0 0 ${-2 * r}v${-(sy - 2 * r) / 2}`;
    d += 'z';
    return `<path fill="#999999" d="${d}" transform="translate(0.5 0.5)"/><path fill="#ffffff" d="${d}"/>` +
      `<rect x="${x + 2.2}" y="${y + 2.2}" width="${w - 4.4}" height="${h - 4.4}" fill="${field}"/>` + inner;
  },
};

// The catalogue, in the fixed hobby numbering.
const HOBBIES = [
  ['Atletik', () => icon('sports-medal')],
  ['Badminton', () => icon('badminton')],
  ['Basketball', () => icon('basketball')],
  ['Boksning', () => rim('boxing-glove', '#330000') + icon('boxing-glove')],
  ['Bordtennis', () => rim('ping-pong', '#330000') + icon('ping-pong')],
  ['Bowling', () => icon('bowling')],
  ['Byggelegeplads', () => icon('hut', 0, 2, 0.9) + icon('hammer-and-wrench', 15, 15, 0.55)],
  ['Computerspil', () => icon('video-game')],
  ['Cykling', () => person('person-biking')],
  ['Dans', () => person('woman-dancing')],
  ['Fitness', () => rim('flexed-biceps-light', '#993300', 0.6) + person('flexed-biceps')],
  ['Fodbold', () => icon('soccer-ball')],
  ['Folkedans', () => icon('accordion')],
  ['Frimærker', () =>
    shapes.stamp(2, 3, 17, 21, '#66ccff', icon('bird', 3.5, 6, 0.45)) +
    shapes.stamp(12, 9, 18, 21, '#ffcc33', icon('red-heart', 14.5, 12.5, 0.42))],
  ['Fægtning', () => icon('person-fencing')],
  ['Go-cart', () => rim('racing-car', '#330000', 0.6) + icon('racing-car')],
  ['Gymnastik', () => person('person-cartwheeling')],
  ['Håndbold', () => person('person-playing-handball')],
  ['Klatring', () => person('person-climbing')],
  ['Ishockey', () => icon('ice-hockey')],
  ['Læsning', () => icon('open-book')],
  ['Lystfiskeri', () => icon('fishing-pole')],
  ['Løbe', () => person('person-running')],
  ['Modelbygning', () => icon('small-airplane')],
  ['Modelracerbane', () => '<rect x="0.5" y="19" width="31" height="9" rx="4.5" fill="#666666"/>' +
    '<rect x="3" y="23" width="4" height="1" fill="#ffffff"/><rect x="11" y="23" width="4" height="1" fill="#ffffff"/>' +
    '<rect x="19" y="23" width="4" height="1" fill="#ffffff"/><rect x="27" y="23" width="3" height="1" fill="#ffffff"/>' +
    icon('chequered-flag', 12, -1, 0.62) + rim('racing-car', '#330000', 0.5, 2, 10, 0.8) + icon('racing-car', 2, 10, 0.8)],
  ['Modeltog', () => icon('locomotive')],
  ['Musik', () => icon('musical-notes')],
  ['Paintball', () => splash(7, 7, 3.2, '#ff3300') + splash(26, 6, 2.6, '#00cc00') + splash(25, 26, 3, '#3366ff') + icon('goggles', 2, 3, 0.88)],
  ['Ridning', () => person('horse-racing')],
  ['Rollespil', () => icon('crossed-swords')],
  ['Roning', () => person('person-rowing-boat')],
  ['Sang/kor', () => icon('microphone')],
  ['Sejlsport', () => icon('sailboat')],
  ['Selvforsvar', () => icon('martial-arts-uniform')],
  ['Skak', () => icon('chess-pawn')],
  ['Skateboard', () => icon('skateboard')],
  ['Skiløb', () => person('skier')],
  ['Spejder/FDF', () => icon('camping')],
  ['Styrketræning', () => person('person-lifting-weights')],
  ['Svømning', () => person('person-swimming')],
  ['Teater', () => icon('performing-arts')],
  ['Tennis', () => rim('tennis', '#330000', 0.6) + icon('tennis')],
  ['Trampolin', () => person('person-cartwheeling', 6, 0, 0.62) +
    '<path fill="#333333" d="M5 24h2.2l-1 6H4.2zM24.8 24H27l.8 6h-2z"/>' +
    '<ellipse cx="16" cy="24" rx="13" ry="3.2" fill="#0066cc"/><ellipse cx="16" cy="23.6" rx="10.5" ry="2" fill="#333333"/>'],
  ['Windsurfing', () => '<path fill="#ff3333" d="M18 1l11 19H18z"/><path fill="#ffcc00" d="M18 1L10 20h8z"/><path fill="#663300" d="M17.4 0.5h1.2v22h-1.2z"/>' +
    person('person-surfing', -2, 7, 0.78)],
  ['Vandski', () => icon('water-wave', 0, 10, 0.7) + person('skier', 8, 0, 0.7)],
  ['Volleyball', () => icon('volleyball')],
  ['Ekstra 1', () => rim('star', '#993300') + icon('star')],
  ['Ekstra 2', () => rim('glowing-star', '#993300') + icon('glowing-star')],
  ['Ekstra 3', () => rim('sparkles', '#993300') + icon('sparkles')],
  ['Ekstra 4', () => rim('red-question-mark', '#330000', 0.8) + icon('red-question-mark')],
];

fs.mkdirSync(outDir, { recursive: true });
const manifest = [
  `# Hobby pictures, in the catalogue's fixed numbering. Written by tools/art/extract-hobby.mjs`,
  `# from ${PACKAGE}@${VERSION} (Fluent Emoji Flat, Microsoft Corporation, MIT).`,
];
HOBBIES.forEach(([label, make], i) => {
  const name = `hobby${String(i + 1).padStart(2, '0')}`;
  const svg = `<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">` +
    `<!-- ${name}: ${label} -->${clean(make())}</svg>\n`;
  fs.writeFileSync(path.join(outDir, `${name}.svg`), svg);
  manifest.push(`picture ${name} ${name}.svg`);
});
fs.writeFileSync(path.join(outDir, 'manifest.txt'), manifest.join('\n') + '\n');
console.log(`wrote ${HOBBIES.length} pictures to ${outDir}`);
