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
import { PACKAGE, VERSION, loadSet, clean, icon, person, rim, splash } from './emoji-art.mjs';

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
