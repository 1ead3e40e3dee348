// The parts of the hobby pictures that are drawn here rather than taken from an icon:
// whole scenes (a go-kart, a slot-car track, a den of planks, folk dancers) and the
// pieces that make an icon read as its hobby (a hurdle, a neckerchief, a tow rope).
// Everything is in the icons' 32 x 32 units and uses colours of the archive's colour
// cube, so it stays crisp.  extract-hobby.mjs puts the pictures together.
// SPDX-License-Identifier: MIT

import { icon, iconWithout, person } from './emoji-art.mjs';

const f = (v) => String(Math.round(v * 100) / 100);
const pts = (list) => list.map(([x, y]) => `${f(x)} ${f(y)}`).join(' ');
export const poly = (list, fill) => `<path fill="${fill}" d="M${pts(list)}Z"/>`;
const line = (list, colour, width) =>
  `<path fill="none" stroke="${colour}" stroke-width="${f(width)}" stroke-linecap="round" stroke-linejoin="round" d="M${pts(list)}"/>`;
const circle = (x, y, r, fill) => `<circle cx="${f(x)}" cy="${f(y)}" r="${f(r)}" fill="${fill}"/>`;
const ellipse = (x, y, rx, ry, fill, turn = 0) =>
  `<ellipse cx="${f(x)}" cy="${f(y)}" rx="${f(rx)}" ry="${f(ry)}" fill="${fill}"` +
  (turn ? ` transform="rotate(${f(turn)} ${f(x)} ${f(y)})"` : '') + '/>';
const rect = (x, y, w, h, fill, r = 0) =>
  `<rect x="${f(x)}" y="${f(y)}" width="${f(w)}" height="${f(h)}"${r ? ` rx="${f(r)}"` : ''} fill="${fill}"/>`;
const group = (transform, inner) => `<g transform="${transform}">${inner}</g>`;

// points of a quadratic curve
function quad(p0, p1, p2, n = 16) {
  const out = [];
  for (let i = 0; i <= n; i++) {
    const t = i / n, u = 1 - t;
    out.push([u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0], u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1]]);
  }
  return out;
}

// a band along a polyline, `w0` wide at its start and `w1` at its end
function band(path, w0, w1) {
  const left = [], right = [];
  path.forEach(([x, y], i) => {
    const [ax, ay] = path[Math.max(0, i - 1)], [bx, by] = path[Math.min(path.length - 1, i + 1)];
    const len = Math.hypot(bx - ax, by - ay) || 1;
    const nx = -(by - ay) / len, ny = (bx - ax) / len;
    const w = (w0 + (w1 - w0) * (i / (path.length - 1))) / 2;
    left.push([x + nx * w, y + ny * w]);
    right.push([x - nx * w, y - ny * w]);
  });
  return left.concat(right.reverse());
}

// a blob with a bumpy edge: paint splashes, a messy bun
function blob(x, y, r, bumps, depth, turn = 0, n = 48) {
  const out = [];
  for (let i = 0; i < n; i++) {
    const a = (2 * Math.PI * i) / n;
    const rr = r * (1 + depth * Math.sin(bumps * a + turn) + depth * 0.5 * Math.sin((bumps * 2 + 1) * a));
    out.push([x + rr * Math.cos(a), y + rr * Math.sin(a)]);
  }
  return out;
}

// a water surface with gentle waves from y down to the bottom
function water(y, colour = '#3399ff', crest = '#66ccff') {
  const top = [];
  for (let i = 0; i <= 32; i++) top.push([i, y + 0.7 * Math.sin(i * 0.9)]);
  const light = [];
  for (let i = 0; i <= 32; i++) light.push([i, y + 0.7 * Math.sin(i * 0.9)]);
  for (let i = 32; i >= 0; i--) light.push([i, y + 1.4 + 0.7 * Math.sin(i * 0.9 + 0.6)]);
  return poly(top.concat([[32, 31], [0, 31]]), colour) + poly(light, crest);
}

// A simple flat figure: head with hair, and limbs as round-capped strokes.
// joints: { head: [x, y], neck, hip, hands: [[x, y], ...], knees, feet }
function figure(j, c) {
  let s = '';
  for (const [k, foot] of j.feet.entries())
    s += line([j.hip, j.knees[k], foot], c.legs ?? '#333366', 2.3);
  s += line([j.neck, j.hip], c.body, 4.2);
  for (const hand of j.hands) s += line([j.shoulder ?? j.neck, j.elbow?.(hand) ?? hand, hand], c.arms ?? c.body, 1.7);
  for (const hand of j.hands) s += circle(hand[0], hand[1], 0.95, '#ffcc99');
  s += circle(j.head[0], j.head[1], 2.6, '#ffcc99');
  // hair: a cap over the back and top of the head
  const [hx, hy] = j.head, back = j.facing < 0 ? 1 : -1;
  s += poly([[hx - 2.7, hy], [hx - 2.4, hy - 1.6], [hx - 1.2, hy - 2.7], [hx + 0.6, hy - 2.9], [hx + 2.1, hy - 2.1],
    [hx + 2.75, hy - 0.6], [hx + 2.2 * back, hy - 0.4], [hx + 2.6 * back, hy + 1.2]].map(([x, y]) => [x, y]), c.hair ?? '#663300');
  return s;
}

// ---------------------------------------------------------------- the pictures

// Atletik: a runner leaping a hurdle on a red running track.
export function athletics() {
  let s = rect(0, 26, 32, 5, '#cc3300') + rect(0, 28.2, 32, 0.5, '#ffffff');
  // the hurdle: feet, posts and a striped bar
  s += rect(3, 25.2, 5, 1.3, '#333333') + rect(24, 25.2, 5, 1.3, '#333333');
  s += rect(6.4, 17, 1.4, 9, '#333333') + rect(24.2, 17, 1.4, 9, '#333333');
  s += rect(5, 16, 22, 3.2, '#ffffff');
  for (let x = 5; x < 27; x += 4.4) s += rect(x, 16, 2.2, 3.2, '#cc0000');
  // the runner, stretched out over the bar
  s += group('translate(16 8.5) rotate(-12) translate(-16 -8.5)', person('person-running', 4.5, -5, 0.78));
  return s;
}

// Badminton: a racket and a big shuttlecock flying at it.
export function badminton() {
  const cx = 20, cy = 11, rx = 6.8, ry = 8.6, turn = 35;
  let strings = '';
  for (let k = -5; k <= 5; k += 2) {
    const x = (k / 6) * rx;
    const h = ry * Math.sqrt(1 - (x / rx) ** 2);
    strings += line([[x, -h], [x, h]], '#999999', 0.35);
  }
  for (let k = -7; k <= 7; k += 2) {
    const y = (k / 8) * ry;
    const w = rx * Math.sqrt(1 - (y / ry) ** 2);
    strings += line([[-w, y], [w, y]], '#999999', 0.35);
  }
  let s = group(`translate(${cx} ${cy}) rotate(${turn})`,
    rect(-0.45, ry, 0.9, 6.5, '#666666') + rect(-1.1, ry + 6, 2.2, 6.5, '#333366', 0.8) +
    strings + `<ellipse cx="0" cy="0" rx="${rx}" ry="${ry}" fill="none" stroke="#0066cc" stroke-width="1.5"/>`);
  // the shuttlecock, cork first, flying at the racket
  s += group('translate(10.6 8.6) rotate(-66)',
    poly([[-1.6, 0], [1.6, 0], [4.2, -9], [-4.2, -9]], '#ffffff') +
    line([[0, -0.5], [0, -8.6]], '#cccccc', 0.4) + line([[-0.9, -0.5], [-2.4, -8.6]], '#cccccc', 0.4) +
    line([[0.9, -0.5], [2.4, -8.6]], '#cccccc', 0.4) + rect(-4.3, -9.4, 8.6, 1.1, '#cccccc') +
    `<path fill="#ffffff" d="M-2 0H2V0.8A2 2 0 0 1 -2 0.8Z"/>` + rect(-2, -0.4, 4, 1.2, '#cc0000'));
  return s;
}

// Byggelegeplads: a den of odd planks, nailed together, with a hammer.
export function den() {
  let s = rect(0, 27.5, 32, 4, '#66cc33');
  const planks = [[4.5, 13.5, '#cc9966'], [7.6, 12.8, '#996633'], [10.7, 13.2, '#cc9966'], [17.8, 12.4, '#996633'],
    [20.9, 13.0, '#cc9966'], [24, 12.6, '#996633']];
  for (const [x, top, c] of planks) {
    s += poly([[x, top], [x + 3, top + 0.3], [x + 3.1, 28.2], [x - 0.1, 28.4]], c);
    s += circle(x + 1.5, top + 1.6, 0.4, '#333333') + circle(x + 1.5, 26.6, 0.4, '#333333');
  }
  // the doorway, and a plank nailed across the wall, crooked
  s += poly([[13.8, 15], [17.8, 14.6], [17.9, 28.3], [13.8, 28.4]], '#663300');
  s += poly([[4, 20.5], [13.6, 19.4], [13.7, 21.4], [4.1, 22.5]], '#996633');
  s += circle(5.5, 21.4, 0.4, '#333333') + circle(12.3, 20.5, 0.4, '#333333');
  // the roof: two planks meeting at the ridge, and a flag on top
  s += poly([[1.5, 14.6], [15.8, 4.2], [17, 6.2], [2.8, 16.6]], '#996633');
  s += poly([[29.6, 14.2], [15.2, 4.2], [14.2, 6.3], [28.4, 16.3]], '#cc9966');
  s += rect(15.6, 0.6, 0.7, 4.6, '#333333') + poly([[16.3, 0.7], [20.8, 1.9], [16.3, 3.3]], '#ff3333');
  // the hammer, leaning on the wall
  s += group('translate(25.5 27) rotate(28)', rect(-0.7, -8.6, 1.4, 9.6, '#996633', 0.5) +
    poly([[-2.9, -10.6], [2.6, -10.6], [3.2, -8.2], [-2.9, -8.2]], '#666666'));
  return s;
}

// Fodbold: a plain black-and-white ball.
export function football() {
  const cx = 16, cy = 16, R = 14.2;
  const pentagon = (x, y, r, turn) =>
    [0, 1, 2, 3, 4].map((k) => [x + r * Math.cos(turn + (2 * Math.PI * k) / 5), y + r * Math.sin(turn + (2 * Math.PI * k) / 5)]);
  // the ball's own edge cuts the outer patches: points beyond it move onto it
  const inside = (list) => {
    const dense = [];
    list.forEach((p, i) => {
      const q = list[(i + 1) % list.length];
      for (let t = 0; t < 1; t += 0.05) dense.push([p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t]);
    });
    return dense.map(([x, y]) => {
      const d = Math.hypot(x - cx, y - cy);
      return d > R ? [cx + ((x - cx) * R) / d, cy + ((y - cy) * R) / d] : [x, y];
    });
  };
  let s = circle(cx, cy, R + 0.9, '#000000') + circle(cx, cy, R, '#ffffff');
  const mid = pentagon(cx, cy, 4.6, -Math.PI / 2);
  const seams = [];
  for (let k = 0; k < 5; k++) {
    const a = -Math.PI / 2 + (2 * Math.PI * k) / 5;
    const [vx, vy] = mid[k];
    const far = [cx + 9.6 * Math.cos(a), cy + 9.6 * Math.sin(a)];
    seams.push(line([[vx, vy], far], '#000000', 0.8));
    const b = a + Math.PI / 5;
    s += poly(inside(pentagon(cx + 13.6 * Math.cos(b), cy + 13.6 * Math.sin(b), 4.4, b)), '#000000');
    seams.push(line([far, [cx + 10.9 * Math.cos(b - 0.28), cy + 10.9 * Math.sin(b - 0.28)]], '#000000', 0.8));
    seams.push(line([far, [cx + 10.9 * Math.cos(a - Math.PI / 5 + 0.28), cy + 10.9 * Math.sin(a - Math.PI / 5 + 0.28)]], '#000000', 0.8));
  }
  return s + seams.join('') + poly(mid, '#000000');
}

// Folkedans: a girl and a boy in folk costume, hand in hand, dancing.
export function folkDance() {
  let s = '';
  // the girl (left): red skirt with a white apron, black bodice, white blouse, white bonnet
  s += line([[9, 24], [7.6, 29.6]], '#ffffff', 1.6) + line([[11.4, 24], [13.8, 27.8]], '#ffffff', 1.6);
  s += ellipse(7.4, 30.1, 1.3, 0.7, '#000000') + ellipse(14.3, 28.3, 1.3, 0.7, '#000000', -30);
  s += poly([[6.8, 17.5], [13.8, 17.5], [17.6, 25.8], [2.4, 26.6]], '#cc0000');
  s += poly([[2.6, 25.4], [17.3, 24.6], [17.6, 25.8], [2.4, 26.6]], '#006600');
  s += poly([[8.4, 17.6], [12.4, 17.6], [13.6, 24.3], [7.4, 24.3]], '#ffffff');
  s += line([[8.2, 12.6], [4.6, 16.2], [6.8, 18.6]], '#ffffff', 1.7) + circle(6.9, 18.6, 0.9, '#ffcc99');
  s += line([[12.6, 12.6], [15.2, 9.8], [16.3, 7.4]], '#ffffff', 1.7);
  s += poly([[7.6, 12], [13.2, 12], [13.4, 17.9], [7.4, 17.9]], '#000000');
  s += rect(9.2, 11.6, 2.4, 2, '#ffffff');
  s += icon('girl-light', 5.8, 2.8, 0.29);
  s += `<path fill="#ffffff" d="M5.8 7.6C5.8 3.2 8.4 1.9 10.4 1.9S15 3.2 15 7.6C13.6 5.6 12 5 10.4 5S7.2 5.6 5.8 7.6Z"/>`;
  // the boy (right): red vest, white shirt, black knee breeches, white stockings, red cap
  s += line([[21, 23.6], [19.8, 26.4], [17.9, 28.6]], '#ffffff', 1.7) + line([[23.6, 23.6], [24.6, 29.6]], '#ffffff', 1.7);
  s += ellipse(17.6, 29.1, 1.3, 0.7, '#000000', 30) + ellipse(25.2, 30.1, 1.3, 0.7, '#000000');
  s += poly([[19.6, 19.6], [25.2, 19.6], [24.8, 24.4], [20, 24.4]], '#000000');
  s += line([[20.2, 12.6], [17.6, 9.8], [16.6, 7.4]], '#ffffff', 1.7);
  s += line([[24.6, 12.6], [28, 15.8], [25.8, 18.4]], '#ffffff', 1.7) + circle(25.7, 18.5, 0.9, '#ffcc99');
  s += poly([[19.4, 12], [25.4, 12], [25.6, 20], [19.2, 20]], '#cc0000');
  s += rect(21.9, 12, 0.8, 8, '#ffffff') + circle(21.2, 14.4, 0.4, '#ffcc00') + circle(21.2, 16.6, 0.4, '#ffcc00');
  s += icon('boy-light', 17.9, 2.7, 0.29);
  s += `<path fill="#cc0000" d="M17.9 6.4C17.9 3 20 1.6 22.4 1.6S26.6 3 26.6 6.4C25 5.1 23.7 4.8 22.3 4.8S19.4 5.1 17.9 6.4Z"/>`;
  s += poly([[25.2, 3.6], [28.6, 5.4], [27.6, 7.4], [24.8, 5.4]], '#cc0000');
  // the joined hands, raised between them
  s += circle(16.4, 7, 1.1, '#ffcc99');
  return s;
}

// Fægtning: the fencer's blade, wide enough to see and held in the guard.
export function fencing() {
  // the icon's own blade is a hairline that does not reach the hand
  return iconWithout('person-fencing', [0], 1, 1.5, 0.95) +
    line([[1.2, 8.6], [10, 13.1]], '#666666', 1.1) + circle(1.2, 8.6, 0.8, '#333333') +
    iconWithout('person-fencing', [0, 1, 3, 4, 5, 6, 7, 8], 1, 1.5, 0.95);
}

// Go-cart: a low, open kart with a child in a helmet at the wheel.
export function goKart() {
  let s = '';
  // the driver behind the wheel
  s += poly([[9.2, 11], [12.6, 11], [12.8, 21], [9, 21]], '#333333');          // the seat's back
  s += poly([[11.6, 12], [16.4, 12.6], [17.6, 21], [11.4, 21]], '#0066cc');     // racing suit
  s += line([[15, 14], [18.6, 16.6], [21.4, 15.4]], '#0066cc', 1.9) + circle(21.4, 15.4, 1, '#ffcc99');
  s += line([[21.6, 12.2], [22.8, 19.2]], '#333333', 1.4);                        // the steering wheel
  s += circle(14.2, 7.4, 4.6, '#ffcc00') + poly([[9.7, 6.3], [18.8, 6.3], [18.7, 7.8], [9.7, 7.8]], '#cc0000');
  s += `<path fill="#333366" d="M14.6 7.6H18.9A4.6 4.6 0 0 1 17.6 11.1H14.6Z"/>` + rect(15.4, 8.2, 2.2, 0.7, '#ffffff');
  // the kart: a low frame, side pods and a pointed nose
  s += poly([[2.6, 20], [9, 19.2], [24, 19.2], [30.2, 21.6], [30.2, 23.4], [2.6, 23.4]], '#ff3300');
  s += rect(2.2, 23, 28.4, 1.6, '#333333');
  s += poly([[20.5, 19.3], [26.6, 19.4], [25.6, 21], [20.5, 21]], '#ffcc00');
  // the wheels: big behind, smaller in front
  s += circle(7.4, 25.4, 4.4, '#333333') + circle(7.4, 25.4, 1.7, '#cccccc');
  s += circle(25.4, 26.2, 3.6, '#333333') + circle(25.4, 26.2, 1.4, '#cccccc');
  return s;
}

// Lystfiskeri: a bent rod with its reel, the line, and a perch on the hook.
export function fishing() {
  let s = water(26.5);
  const rod = quad([2.5, 30], [12, 8], [29, 3.2], 24);
  s += poly(band(rod, 1.5, 0.5), '#333333');
  s += poly(band(rod.slice(0, 5), 2.4, 2.2), '#996633');                          // the cork handle
  // the reel, on a foot under the rod
  s += line([[5.8, 22.2], [7.4, 23.4]], '#666666', 0.9) + circle(8.2, 24.4, 2.3, '#999999') + circle(8.2, 24.4, 0.9, '#333333');
  // the line, taut from the tip to the fish's mouth
  s += line([[29, 3.2], [23.6, 12.6]], '#333333', 0.35);
  // the perch, head up on the hook, curving as it fights
  s += group('translate(22.6 19.6) rotate(-70)',
    poly([[5.9, 0], [4.6, -2.6], [1, -3.4], [-3, -2.6], [-5.5, -0.6], [-5.5, 0.6], [-3, 2.6], [1, 3.4], [4.6, 2.6]], '#99cc33') +
    poly([[-5, 0], [-8.6, -3.4], [-7.6, 0], [-8.6, 3.4]], '#ff6600') +
    poly([[-1.6, -3.1], [0.4, -5.4], [2.8, -3.2]], '#ff6600') + poly([[-1, 3.2], [0.6, 4.8], [2.2, 3.2]], '#ff6600') +
    rect(-2.6, -3, 0.9, 6, '#336600') + rect(0, -3.3, 0.9, 6.6, '#336600') + rect(2.6, -3, 0.9, 6, '#336600') +
    circle(4, -1, 0.9, '#ffffff') + circle(4.2, -1, 0.45, '#000000'));
  s += circle(21, 26.4, 0.7, '#ffffff') + circle(25.2, 25.6, 0.5, '#ffffff');
  return s;
}

// Modelbygning: a model aeroplane being glued, its kit frame beside it.
export function modelKit() {
  let s = '';
  // the kit's plastic frame with parts still on it
  s += `<path fill="#999999" fill-rule="evenodd" d="M1.5 17.5H15.5V31H1.5ZM3 19V29.5H14V19Z"/>` + rect(8.1, 19, 0.8, 10.5, '#999999');
  s += rect(3.8, 21, 3.6, 7, '#cccccc', 1.2) + rect(9.6, 20.2, 3.4, 3, '#cccccc', 0.6) + circle(11.3, 26.6, 1.9, '#cccccc');
  // the aeroplane, nearly finished
  s += icon('small-airplane', 6, 0, 0.78);
  // the glue tube pressing a drop onto the wing
  s += group('translate(23.5 25.5) rotate(-40)',
    poly([[-2.2, 0], [2.2, 0], [2.6, 7.4], [-2.6, 7.4]], '#ffffff') + rect(-2.6, 6.6, 5.2, 1.4, '#999999') +
    rect(-2.2, 2, 4.4, 2.6, '#0066cc') + poly([[-1.2, 0], [1.2, 0], [0.4, -2.8], [-0.4, -2.8]], '#cc0000') +
    circle(0, -3.6, 0.9, '#ffff99'));
  return s;
}

// Modelracerbane: a slot-car track seen from above, two cars in their lanes, and a
// hand controller on its cable.
export function slotCars() {
  let s = '';
  s += `<path fill="#333333" fill-rule="evenodd" d="M11 2H21A10 10 0 0 1 21 22H11A10 10 0 0 1 11 2ZM12 9.5H20A2.5 2.5 0 0 1 20 14.5H12A2.5 2.5 0 0 1 12 9.5Z"/>`;
  // white edges and the two slots
  s += `<path fill="none" stroke="#ffffff" stroke-width="0.5" d="M11 2.6H21A9.4 9.4 0 0 1 21 21.4H11A9.4 9.4 0 0 1 11 2.6Z"/>`;
  s += `<path fill="none" stroke="#999999" stroke-width="0.45" d="M11 4.9H21A7.1 7.1 0 0 1 21 19.1H11A7.1 7.1 0 0 1 11 4.9Z"/>`;
  s += `<path fill="none" stroke="#999999" stroke-width="0.45" d="M11.5 7.4H20.5A4.6 4.6 0 0 1 20.5 16.6H11.5A4.6 4.6 0 0 1 11.5 7.4Z"/>`;
  // a car seen from above, on a slot
  const car = (x, y, c, turn) => group(`translate(${x} ${y}) rotate(${turn})`,
    rect(-3.6, -2.2, 1.6, 0.9, '#000000') + rect(1.6, -2.2, 1.6, 0.9, '#000000') +
    rect(-3.6, 1.3, 1.6, 0.9, '#000000') + rect(1.6, 1.3, 1.6, 0.9, '#000000') +
    rect(-4.2, -1.6, 8.6, 3.2, c, 1.3) + rect(0.6, -1.1, 1.6, 2.2, '#66ccff', 0.5) + rect(-2.8, -0.5, 2.6, 1, '#ffffff'));
  s += car(13, 19.1, '#ff0000', 0) + car(20.4, 16.6, '#0066cc', 0);
  // the hand controller and its cable
  s += line([[4, 12], [3, 19], [7.5, 24]], '#333333', 0.6);
  s += group('translate(11 26.5) rotate(-20)',
    rect(-4, -2.2, 8, 4.4, '#666666', 1.8) + rect(-1.5, 1.6, 3, 5, '#333333', 1) + rect(2.6, -0.8, 1.8, 1.6, '#ff0000', 0.6));
  return s;
}

// Paintball: a mask with a straight strap, and big paint splats.
export function paintball() {
  let s = '';
  const splat = (x, y, r, c, turn) => {
    let out = poly(blob(x, y, r, 7, 0.16, turn), c);
    for (let k = 0; k < 4; k++) {
      const a = turn + k * 1.7;
      out += circle(x + r * 1.55 * Math.cos(a), y + r * 1.55 * Math.sin(a), r * (0.22 + 0.05 * k), c);
    }
    return out;
  };
  s += splat(6.5, 7, 4.6, '#ff0000', 0.3) + splat(25.5, 6.5, 4.2, '#00cc00', 1.2) +
    splat(25, 25.5, 4.4, '#0066ff', 2.1) + splat(6.5, 25.5, 3.8, '#ffcc00', 2.9);
  // the mask: strap, goggle and the face guard with its vents
  s += rect(1.5, 13, 29, 2.6, '#333333', 1.2);
  s += rect(7, 9.5, 18, 8.6, '#333333', 3.6) + rect(8.6, 11, 14.8, 5.6, '#3399ff', 2.6);
  s += poly([[10, 12.2], [14, 12.2], [11.8, 15.4], [9.8, 15.4]], '#99ccff');
  s += poly([[10, 18], [22, 18], [20.2, 24.6], [16, 26.4], [11.8, 24.6]], '#666666');
  for (const y of [19.8, 21.8]) s += rect(13, y, 6, 0.8, '#333333', 0.4);
  return s;
}

// Rollespil: an elf in a green cloak with a foam sword raised and a shield.
export function rolePlay() {
  let s = person('person-elf', 2.6, 3.4, 0.86);
  // the foam sword: a wide padded blade, a crossguard and a grip
  s += group('translate(25 17.5) rotate(18)',
    rect(-1.5, -15.5, 3, 14, '#cccccc', 1.4) + rect(-0.4, -14.5, 0.8, 12.5, '#999999') +
    rect(-3.6, -1.8, 7.2, 1.8, '#996633', 0.8) + rect(-0.9, 0, 1.8, 4.4, '#663300', 0.6) + circle(0, 4.8, 1.1, '#ffcc00'));
  s += icon('shield', -0.5, 13.5, 0.5);
  return s;
}

// Spejder/FDF: a scout with a neckerchief and a badge, before a tent.
export function scout() {
  let s = icon('tent', 13, 2.5, 0.58);
  // shoulders in a scout shirt
  s += `<path fill="#336699" d="M2.5 31C2.5 24 5.5 21.6 10 20.6H19C23.5 21.6 26.5 24 26.5 31Z"/>`;
  s += poly([[10, 20.6], [14.5, 23.4], [19, 20.6], [19.6, 22], [14.5, 25.2], [9.4, 22]], '#99ccff');
  // the neckerchief: rolled ends from both shoulders into a woggle, its point below
  s += poly([[8.6, 20.4], [20.4, 20.4], [16, 25.6], [14.5, 31], [13, 25.6]], '#ffcc00');
  s += poly([[12.6, 26.4], [16.4, 26.4], [14.5, 31]], '#cc0000');
  s += rect(13.1, 24.2, 2.8, 2.2, '#996633', 0.8);
  // a round badge with the lily
  s += circle(21.6, 26.6, 2.6, '#ffffff') + icon('fleur-de-lis', 19.6, 24.6, 0.125);
  s += icon('child-light', 6.2, 5.8, 0.52);
  return s;
}

// Windsurfing: a surfer on the board holding the boom, the sail on its mast.
export function windsurf() {
  let s = water(26.8);
  // the board, both ends inside the picture
  s += poly([[2.5, 25.6], [24, 24.2], [29.4, 24.8], [28.6, 26], [24, 26.6], [3, 26.9], [2, 26.3]], '#ffffff');
  s += poly([[6, 25.9], [24, 24.9], [24, 25.8], [6, 26.6]], '#ff6600');
  // the mast on the board, the sail along it, the boom across
  s += line([[15.5, 24.8], [16.4, 2.5]], '#333333', 0.8);
  s += poly([[16.4, 2.8], [27.6, 19.4], [15.7, 23.4]], '#ff3333');
  s += poly([[16.2, 9.5], [21.3, 12.3], [15.9, 16.6]], '#ffcc00');
  s += line([[16.1, 13.8], [26, 18]], '#333333', 0.7);
  // the surfer, leaning out against the pull of the sail
  s += figure({ head: [8.4, 9.6], neck: [9.2, 12.4], hip: [10.2, 18.4], facing: 1,
    hands: [[16.2, 14], [19.6, 15.3]], knees: [[12.6, 21.2], [9.4, 21.8]], feet: [[13, 24.6], [8.6, 25]] },
  { body: '#333333', arms: '#333333', legs: '#333333', hair: '#996633' });
  s += rect(8.1, 12.4, 2.6, 3.6, '#ffcc00', 0.8);
  return s;
}

// Vandski: a speedboat pulls a skier on a rope; the skier leans back on two skis.
export function waterSki() {
  let s = water(21.8);
  s += icon('speedboat', 15.5, -0.8, 0.52);
  // the tow rope from the stern to the handle
  s += line([[17, 11], [12.4, 14.6]], '#333333', 0.35);
  // spray behind the skis
  s += poly(blob(3.2, 23.6, 2.4, 5, 0.25, 0.4), '#ffffff') + poly(blob(6.2, 24.6, 1.7, 5, 0.25, 1.3), '#ffffff');
  // the skis, their tips turned up
  s += poly([[3, 26], [13.6, 25.4], [15, 24.2], [15.4, 24.7], [14.2, 26.4], [3.2, 27]], '#ff3300');
  s += poly([[4.6, 27.6], [15.2, 27], [16.6, 25.8], [17, 26.3], [15.8, 28], [4.8, 28.6]], '#ff3300');
  s += figure({ head: [6, 11], neck: [6.8, 13.6], hip: [6.4, 19.4], facing: 1,
    hands: [[12.2, 15.4], [12.6, 14.2]], knees: [[10.4, 21.6], [9.2, 22.6]], feet: [[9.8, 25.6], [10.6, 27.4]] },
  { body: '#333333', arms: '#333333', legs: '#333333', hair: '#663300' });
  s += rect(5.2, 13.4, 2.8, 4.2, '#ff9900', 0.9);
  // the handle
  s += line([[12.8, 12.6], [12.1, 16.8]], '#333333', 0.9);
  return s;
}
