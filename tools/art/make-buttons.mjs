#!/usr/bin/env node
// Writes the button glyphs (art/buttons/), the program icon (art/icon/tinkeli.svg) and the
// splash picture (art/splash/splash.svg). These are shown through Qt SVG as they are, not
// put into the drawing archive, so they keep the icons' own colours.
// Made of Fluent Emoji Flat icons (Microsoft Corporation, MIT), see emoji-art.mjs:
//   node tools/art/make-buttons.mjs /work/npm-art-other/node_modules art
// SPDX-License-Identifier: MIT

import fs from 'node:fs';
import path from 'node:path';
import { loadSet, icon, iconFlip } from './emoji-art.mjs';

const [nodeModules = '/work/npm-art-other/node_modules', artDir = 'art'] = process.argv.slice(2);
loadSet(nodeModules);

const svg32 = (content, comment) =>
  `<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">\n<!-- ${comment} -->\n${content}\n</svg>\n`;
const RED = '#e0201b';
// a small round badge in a corner, with a sign on it
const badge = (kind, colour = '#00a030') => {
  const sign = {
    plus: '<path fill="#fff" d="M24.8 20h2.4v3.8H31v2.4h-3.8V30h-2.4v-3.8H21v-2.4h3.8z"/>',
    pen: '<path fill="#fff" d="M22 29.5l.6-2.8 5.6-5.6 2.2 2.2-5.6 5.6z"/>',
    back: '<path fill="#fff" d="M21 25l4.5-4v2.5H30v3h-4.5V29z"/>',
    cross: '<path fill="#fff" d="M22.9 23.1l1.3-1.3 1.8 1.8 1.8-1.8 1.3 1.3-1.8 1.8 1.8 1.8-1.3 1.3-1.8-1.8-1.8 1.8-1.3-1.3 1.8-1.8z"/>',
  }[kind];
  return `<circle cx="26" cy="25" r="6" fill="${colour}" stroke="#fff" stroke-width="1"/>${sign}`;
};
const ring = (cx, cy, rx, ry, rot = 0) =>
  `<ellipse cx="${cx}" cy="${cy}" rx="${rx}" ry="${ry}" fill="none" stroke="${RED}" stroke-width="1.6" transform="rotate(${rot} ${cx} ${cy})"/>`;
const arrow = (x1, y1, x2, y2) => {
  const a = Math.atan2(y2 - y1, x2 - x1), h = 2.6;
  const tipAt = (x, y, ang) => `<path fill="${RED}" d="M${x} ${y}L${(x - h * Math.cos(ang - 0.5)).toFixed(2)} ${(y - h * Math.sin(ang - 0.5)).toFixed(2)}L${(x - h * Math.cos(ang + 0.5)).toFixed(2)} ${(y - h * Math.sin(ang + 0.5)).toFixed(2)}Z"/>`;
  return `<line x1="${x1}" y1="${y1}" x2="${x2}" y2="${y2}" stroke="${RED}" stroke-width="1.4"/>` + tipAt(x2, y2, a) + tipAt(x1, y1, a + Math.PI);
};
// chart squares for the diagram-type buttons: columns of squares as the statistics page draws
function squares(cols) {
  let s = '';
  cols.forEach((col, i) => col.forEach((c, j) => {
    s += `<rect x="${3 + i * 9}" y="${26 - j * 7}" width="7" height="6" fill="${c}" stroke="#000" stroke-width="0.6"/>`;
  }));
  return s;
}
const G = '#008000', B = '#0000ff', R = '#ff0000';
// the faces toggle of the statistics page: chart squares with a portrait in each
function faceSquares(cols) {
  let s = '';
  cols.forEach(([x, colours]) => colours.forEach((c, j) => {
    const y = 22 - j * 10;
    s += `<rect x="${x}" y="${y}" width="9" height="9" fill="${c}" stroke="#000" stroke-width="0.6"/>`;
    s += icon('slightly-smiling-face', x + 1, y + 1, 0.22);
  }));
  return s;
}

const BUTTONS = {
  // back arrows and leaving
  back: ['every BackSpeed ("Tilbage til ...")', () => icon('left-arrow')],
  stop: ['StopSpeed: close the program / the pupil', () => icon('stop-sign')],
  // the seven portrait-part buttons of the student page
  face: ['FaceSpeed "Vælg form og farve på hovedet"', () => icon('slightly-smiling-face')],
  hair: ['HairSpeed "Vælg hår og hårfarve"', () => icon('person-getting-haircut-light')],
  brow: ['BrowSpeed "Vælg form og farve på øjenbryn"', () => icon('face-with-raised-eyebrow')],
  eye: ['EyeSpeed "Vælg øjne og øjenfarve"', () => icon('eyes')],
  nose: ['NoseSpeed "Vælg næse"', () => icon('nose-light')],
  mouth: ['MouthSpeed "Vælg form og farve på munden"', () => icon('mouth')],
  glasses: ['GlassSpeed "Vælg briller"', () => icon('glasses')],
  // book pages
  book: ['WriteSpeed "Skriv i poesi-bogen"', () => icon('notebook-with-decorative-cover')],
  tree: ['TreeSpeed "Lav et stamtræ"', () => icon('deciduous-tree')],
  hobby: ['HobbySpeed "Sæt kryds ved hobbyer" / "Planlæg elevernes hobby-valg"', () =>
    icon('soccer-ball', 0, 0, 0.8) + icon('musical-notes', 14, 12, 0.55)],
  ruler: ['DataSpeed "Skriv højde, vægt osv."', () => icon('straight-ruler')],
  background: ['RedigerSpeed of the poetry book "Vælg en anden baggrund"', () => icon('framed-picture')],
  // measuring page modes
  keyboard: ['TastSpeed "Indtast mål og vægt"', () => icon('keyboard')],
  hand: ['HandSpeed "Mål med hånd-længder"', () => icon('raised-back-of-hand-light') + arrow(29, 3, 29, 29)],
  finger: ['FingerSpeed "Mål med finger-længder"', () => icon('index-pointing-up-light') + arrow(26, 2, 26, 14)],
  handspan: ['HandspanSpeed "Mål med håndens spændvidde"', () => icon('hand-with-fingers-splayed-light') + arrow(3, 12, 29, 8)],
  instep: ['WristSpeed "Mål med vristens omkreds"', () => icon('foot-light') + ring(15, 15, 3.5, 8, -35)],
  foot: ['FootSpeed "Mål med fodens længde"', () => icon('foot-light') + arrow(3, 30, 29, 30)],
  // files and editing
  print: ['print (menu and pages)', () => icon('printer')],
  help: ['HelpSpeed "Hjælp"', () => icon('red-question-mark')],
  open: ['OpenSpeed, open a class or a picture', () => icon('open-file-folder')],
  new: ['NySpeed "Opret en ny klasse"', () => icon('page-facing-up') + badge('plus')],
  // The basket alone is grey already, so a greyed (disabled) one looked the
  // same; the red badge shows which state the button is in.
  delete: ['SletSpeed "Slet de markerede elever" / "Fjern billedet"', () => icon('wastebasket') + badge('cross', RED)],
  edit: ['RedigerSpeed: edit the selected person / the class', () => icon('pencil')],
  pupil: ['ElevSpeed "Redigér den valgte elev" / "Åbn en elev"', () => icon('child-light')],
  class: ['KlasseSpeed "Åbn hele klassen"', () => icon('school')],
  'class-edit': ['RedigerSpeed of the start dialog "Ret og tilføj i en klasse"', () => icon('school') + badge('pen', '#0060d0')],
  teacher: ['ToolSpeed "Til lærer-delen"', () => icon('woman-teacher-light')],
  chart: ['StatSpeed "Til statistik-delen", RedigerSpeed "Vælg statistik emne"', () => icon('bar-chart')],
  crop: ['KlipBitBtn of the photo crop dialog', () => icon('scissors')],
  zoom: ['ZoomSlide knob of the photo crop dialog', () => icon('magnifying-glass-tilted-left')],
  // diagram types of the statistics page
  'diagram-same': ['PD_ens_Speed "Piger og drenge med samme farve"', () => squares([[G, G, G], [G, G], [G, G, G, G]])],
  'diagram-both': ['PD_forsk_Speed "Piger og drenge med forskellig farve"', () => squares([[B, R, B], [R, B], [B, R, R, B]])],
  'diagram-boys': ['D_kun_Speed "Vis kun drengene"', () => squares([[B, B], [B], [B, B]]) + icon('boy-light', 18, 0, 0.45)],
  'diagram-girls': ['P_kun_Speed "Vis kun pigerne"', () => squares([[R], [R], [R, R]]) + icon('girl-light', 18, 0, 0.45)],
  faces: ['AnsigtSpeed "Vis ansigter"', () => faceSquares([[1, [B, R]], [11.5, [R, B, B]], [22, [R]]])],
  // the code dialog
  ok: ['OkSpeed of the code dialog, YesSpeed', () => icon('check-mark-button')],
  cancel: ['CancelSpeed of the code dialog, CancelBitBtn, NoSpeed', () => icon('cross-mark')],
  'smiley-glad': ['GladSmiley: the right code', () => icon('grinning-face-with-big-eyes')],
  'smiley-neutral': ['NeutralSmiley: still typing', () => icon('neutral-face')],
  'smiley-sour': ['SurSmiley: a wrong code', () => icon('frowning-face')],
};

const bdir = path.join(artDir, 'buttons');
fs.mkdirSync(bdir, { recursive: true });
const list = ['# Button glyphs', '',
  'Shown through Qt SVG as button icons (not in the drawing archive). Written by',
  '`tools/art/make-buttons.mjs` from Fluent Emoji Flat icons (Microsoft Corporation, MIT);',
  'the red measuring marks, badges and chart squares are drawn there.', '',
  '| file | used for |', '|---|---|'];
for (const [name, [use, make]] of Object.entries(BUTTONS)) {
  fs.writeFileSync(path.join(bdir, `${name}.svg`), svg32(make(), `${name}: ${use}`));
  list.push(`| ${name}.svg | ${use} |`);
}
fs.writeFileSync(path.join(bdir, 'README.md'), list.join('\n') + '\n');

// program icon: the pupil's book with a face on its cover
const iconSvg = `<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" viewBox="0 0 64 64">
<!-- Tinkeli program icon: a book with a child's face and a leaf -->
<defs><linearGradient id="bg" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#66ccff"/><stop offset="1" stop-color="#0033cc"/></linearGradient></defs>
<rect x="2" y="2" width="60" height="60" rx="14" fill="url(#bg)"/>
<path fill="#cc3300" d="M14 10h34a4 4 0 0 1 4 4v38a4 4 0 0 1-4 4H14z"/>
<path fill="#ffffff" d="M14 50h36v6H14z"/><path fill="#ff6633" d="M12 10h6v46h-6z"/>
${icon('child-light', 19, 13, 1.0)}
${icon('leaf-fluttering-in-wind', 41, 38, 0.42)}
</svg>\n`;
fs.mkdirSync(path.join(artDir, 'icon'), { recursive: true });
fs.writeFileSync(path.join(artDir, 'icon', 'tinkeli.svg'), iconSvg);

// splash picture, 450 x 300: the program writes "Tinkeli" in yellow over the top left
// (from 41, 47, 96 pixels high) and a small line at (202, 255), so both places stay calm
const splash = `<svg xmlns="http://www.w3.org/2000/svg" width="450" height="300" viewBox="0 0 450 300">
<!-- splash picture; the title labels are drawn over it by the program -->
<defs>
<linearGradient id="sky" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#000066"/><stop offset="1" stop-color="#3366cc"/></linearGradient>
<linearGradient id="hill" x1="0" y1="0" x2="0" y2="1"><stop offset="0" stop-color="#339933"/><stop offset="1" stop-color="#003300"/></linearGradient>
</defs>
<rect width="450" height="300" fill="url(#sky)"/>
${[[20, 20], [180, 14], [300, 30], [420, 16], [380, 80], [16, 170], [250, 160], [140, 190], [430, 150]]
    .map(([x, y]) => `<circle cx="${x}" cy="${y}" r="2" fill="#ffffcc"/>`).join('')}
${icon('crescent-moon', 390, 24, 1.4)}
<path fill="url(#hill)" d="M0 230Q120 196 240 226T450 214V300H0Z"/>
${icon('deciduous-tree', 318, 118, 4)}
${icon('girl-light', 14, 196, 2)}
${icon('boy-light', 78, 200, 2)}
${icon('notebook-with-decorative-cover', 140, 226, 1.6)}
${iconFlip('child-light', 282, 214, 1.7)}
</svg>\n`;
fs.mkdirSync(path.join(artDir, 'splash'), { recursive: true });
fs.writeFileSync(path.join(artDir, 'splash', 'splash.svg'), splash);
console.log(`wrote ${Object.keys(BUTTONS).length} button glyphs, the program icon and the splash picture`);
