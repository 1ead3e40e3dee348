// Shared helpers for taking Fluent Emoji Flat icons out of their npm package and making
// them fit the drawing archive (see extract-hobby.mjs for the why of each step).
// SPDX-License-Identifier: MIT

import fs from 'node:fs';
import path from 'node:path';

export const PACKAGE = '@iconify-json/fluent-emoji-flat';
export const VERSION = '1.2.6';

let set = null;
export function loadSet(nodeModules) {
  const pkgDir = path.join(nodeModules, PACKAGE);
  const pkg = JSON.parse(fs.readFileSync(path.join(pkgDir, 'package.json'), 'utf8'));
  if (pkg.version !== VERSION) {
    console.error(`${PACKAGE} is ${pkg.version}; these scripts are written for ${VERSION}`);
    process.exit(1);
  }
  set = JSON.parse(fs.readFileSync(path.join(pkgDir, 'icons.json'), 'utf8'));
}

export function body(name) {
  let icon = set.icons[name];
  if (!icon && set.aliases?.[name]) icon = set.icons[set.aliases[name].parent];
  if (!icon) throw new Error(`icon ${name} not in ${PACKAGE}@${VERSION}`);
  const w = icon.width ?? set.width ?? 16, h = icon.height ?? set.height ?? 16;
  if (w !== 32 || h !== 32) throw new Error(`icon ${name} is ${w}x${h}, expected 32x32`);
  return icon.body;
}

// One skin tone for every person: the light variant's skin shades, made crisp.
const SKIN = {
  '#ffd7c2': '#ffcc99', '#f4c6ad': '#ffcc99', '#e5af93': '#ff9966', '#f1b99b': '#ff9966',
};

function hex6(c) {
  c = c.toLowerCase();
  return c.length === 4 ? '#' + [...c.slice(1)].map((d) => d + d).join('') : c;
}
// nearest colour of the archive's colour cube (levels 0, 51, ..., 255 per channel)
export function snap(c) {
  c = hex6(c);
  const v = [1, 3, 5].map((i) => parseInt(c.slice(i, i + 2), 16));
  return '#' + v.map((x) => (Math.round(x / 51) * 51).toString(16).padStart(2, '0')).join('');
}
function flatten(c, a) {
  const v = [1, 3, 5].map((i) => parseInt(c.slice(i, i + 2), 16));
  return '#' + v.map((x) => Math.round(x * a + 255 * (1 - a)).toString(16).padStart(2, '0')).join('');
}

// Colour clean-up of icon markup: flattened opacity, one skin tone, cube colours.
export function clean(svg, { gradients = false } = {}) {
  svg = svg.replace(/<path([^>]*?)\sopacity="([\d.]+)"([^>]*)>/g, (m, a, op, b) => {
    const all = a + b;
    return '<path' + all.replace(/fill="(#[0-9a-fA-F]{3,6})"/, (f, c) => `fill="${flatten(hex6(c), +op)}"`) + '>';
  });
  if ((gradients ? /opacity|clipPath|<mask|<image|filter=/ : /opacity|Gradient|clipPath|<mask|<image|filter=/).test(svg)) throw new Error('unhandled SVG feature: ' + svg.slice(0, 80));
  return svg.replace(/(fill|stroke)="(#[0-9a-fA-F]{3,6})"/g, (m, attr, c) => {
    c = hex6(c);
    return `${attr}="${snap(SKIN[c] ?? c)}"`;
  });
}

export const icon = (name, x = 0, y = 0, s = 1) =>
  `<g transform="translate(${x} ${y}) scale(${s})">${body(name)}</g>`;
// the icon with some of its shapes (counted from 0 in the order they are drawn) left out
export const iconWithout = (name, drop, x = 0, y = 0, s = 1) => {
  let k = 0;
  const kept = body(name).replace(/<(path|circle|ellipse|rect)\b[^>]*?\/>/g, (m) => (drop.includes(k++) ? '' : m));
  return `<g transform="translate(${x} ${y}) scale(${s})">${kept}</g>`;
};
// the icon with some of its colours changed ({ '#aabbcc': '#ddeeff' })
export const recoloured = (name, map, x = 0, y = 0, s = 1) => {
  const b = body(name).replace(/fill="(#[0-9a-fA-F]{3,6})"/g, (m, c) => `fill="${map[c.toLowerCase()] ?? c}"`);
  return `<g transform="translate(${x} ${y}) scale(${s})">${b}</g>`;
};
export const person = (name, ...rest) => icon(set.icons[name + '-light'] ? name + '-light' : name, ...rest);
// mirrored icon (facing the other way), placed with its left edge at x
export const iconFlip = (name, x = 0, y = 0, s = 1) =>
  `<g transform="translate(${x + 32 * s} ${y}) scale(${-s} ${s})">${body(name)}</g>`;


