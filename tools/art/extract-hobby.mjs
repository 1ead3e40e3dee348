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
//   from several icons and a few simple shapes drawn here, or drawn whole in
//   hobby-drawings.mjs (athletics, badminton, the den, the football, folk dance, fencing,
//   go-kart, fishing, model building, slot cars, paintball, role play, scouts,
//   windsurfing, water skiing);
// - the volleyball gets its colours, and the four "Ekstra" pictures are plain symbols
//   (a star, a plus, sparkles, a question mark), so they read as "something else";
// - the manifest gives every picture the same dark rim and lets each fill its cell, so
//   the set has one look and stands out on the yellow and red cells alike.

import fs from 'node:fs';
import path from 'node:path';
import { PACKAGE, VERSION, loadSet, clean, icon, person, recoloured } from './emoji-art.mjs';
import * as draw from './hobby-drawings.mjs';

const [nodeModules = '/work/npm-art-other/node_modules', outDir = 'art/hobby'] = process.argv.slice(2);
loadSet(nodeModules);

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
  ['Atletik', draw.athletics],
  ['Badminton', draw.badminton],
  ['Basketball', () => icon('basketball')],
  ['Boksning', () => icon('boxing-glove')],
  ['Bordtennis', () => icon('ping-pong')],
  ['Bowling', () => icon('bowling')],
  ['Byggelegeplads', draw.den],
  ['Computerspil', () => icon('video-game')],
  ['Cykling', () => person('person-biking')],
  ['Dans', () => person('woman-dancing')],
  ['Fitness', () => person('flexed-biceps')],
  ['Fodbold', draw.football],
  ['Folkedans', draw.folkDance],
  ['Frimærker', () =>
    shapes.stamp(2, 3, 17, 21, '#66ccff', icon('bird', 3.5, 6, 0.45)) +
    shapes.stamp(12, 9, 18, 21, '#ffcc33', icon('red-heart', 14.5, 12.5, 0.42))],
  ['Fægtning', draw.fencing],
  ['Go-cart', draw.goKart],
  ['Gymnastik', () => person('person-cartwheeling')],
  ['Håndbold', () => person('person-playing-handball')],
  ['Klatring', () => person('person-climbing')],
  ['Ishockey', () => icon('ice-hockey')],
  ['Læsning', () => icon('open-book')],
  ['Lystfiskeri', draw.fishing],
  ['Løbe', () => person('person-running')],
  ['Modelbygning', draw.modelKit],
  ['Modelracerbane', draw.slotCars],
  ['Modeltog', () => icon('locomotive')],
  ['Musik', () => icon('musical-notes')],
  ['Paintball', draw.paintball],
  ['Ridning', () => person('horse-racing')],
  ['Rollespil', draw.rolePlay],
  ['Roning', () => person('person-rowing-boat')],
  ['Sang/kor', () => icon('microphone')],
  ['Sejlsport', () => icon('sailboat')],
  ['Selvforsvar', () => icon('martial-arts-uniform')],
  ['Skak', () => icon('chess-pawn')],
  ['Skateboard', () => icon('skateboard')],
  ['Skiløb', () => person('skier')],
  ['Spejder/FDF', draw.scout],
  ['Styrketræning', () => person('person-lifting-weights')],
  ['Svømning', () => person('person-swimming')],
  ['Teater', () => icon('performing-arts')],
  ['Tennis', () => icon('tennis')],
  ['Trampolin', () => person('person-cartwheeling', 6, 0, 0.62) +
    '<path fill="#333333" d="M5 24h2.2l-1 6H4.2zM24.8 24H27l.8 6h-2z"/>' +
    '<ellipse cx="16" cy="24" rx="13" ry="3.2" fill="#0066cc"/><ellipse cx="16" cy="23.6" rx="10.5" ry="2" fill="#333333"/>'],
  ['Windsurfing', draw.windsurf],
  ['Vandski', draw.waterSki],
  ['Volleyball', () => recoloured('volleyball', { '#9b9b9b': '#333333', '#f4f4f4': '#ffcc00', '#bebebe': '#0066cc' })],
  ['Ekstra 1', () => icon('star')],
  ['Ekstra 2', () => icon('plus')],
  ['Ekstra 3', () => recoloured('sparkles', { '#f9c23c': '#3399ff' })],
  ['Ekstra 4', () => icon('red-question-mark')],
];

// One look for the whole set: flat colours and the same dark rim round every picture
// (the archive builder draws it), each picture filling its square cell.
const OUTLINE = '#333333,0.6';

fs.mkdirSync(outDir, { recursive: true });
const manifest = [
  `# Hobby pictures, in the catalogue's fixed numbering. Written by tools/art/extract-hobby.mjs`,
  `# from ${PACKAGE}@${VERSION} (Fluent Emoji Flat, Microsoft Corporation, MIT) and the`,
  `# drawings of tools/art/hobby-drawings.mjs. Every picture wears the same rim and fills its cell.`,
];
HOBBIES.forEach(([label, make], i) => {
  const name = `hobby${String(i + 1).padStart(2, '0')}`;
  const svg = `<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">` +
    `<!-- ${name}: ${label} -->${clean(make())}</svg>\n`;
  fs.writeFileSync(path.join(outDir, `${name}.svg`), svg);
  manifest.push(`picture ${name} ${name}.svg outline=${OUTLINE} fit`);
});
fs.writeFileSync(path.join(outDir, 'manifest.txt'), manifest.join('\n') + '\n');
console.log(`wrote ${HOBBIES.length} pictures to ${outDir}`);
