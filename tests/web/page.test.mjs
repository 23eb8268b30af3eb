// The browser build played in Debian's headless Chromium: the first frame has the desktop's
// colours at the desktop tests' points, the keys drive the game, the document title is the
// status line, ESC ends the loop and the page says how to start again, and nothing goes to
// the console as an error. Screenshots are kept in build/web-check/ for a person to look at.
//
// Positions are logical points of the game's 900 x 700 space, mapped to the picture's size,
// as in the desktop's window tests (tests/e2e), whose colours this test reads from lib.sh.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import { chromium } from 'playwright-core';
import { PNG } from 'pngjs';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
const site = path.join(root, 'build/web');
const artifacts = path.join(root, 'build/web-check');
const chromiumPath = process.env.PEXILON_CHROMIUM || '/usr/bin/chromium';

// --------------------------------------------------------------------------- the picture

// COLOUR_NAME=r,g,b lines of the window tests' library: one palette for both.
function readColours() {
  const colours = {};
  const text = fs.readFileSync(path.join(root, 'tests/e2e/lib.sh'), 'utf8');
  for (const [, name, value] of text.matchAll(/^COLOUR_([A-Z_]+)=([0-9.,]+)$/gm))
    colours[name] = value.split(',').map(Number);
  return colours;
}
const colour = readColours();
const kTolerance = 3;  // 8-bit steps per channel, as the window tests allow

function pixelAt(picture, lx, ly) {
  const px = Math.min(picture.width - 1, Math.floor((lx * picture.width) / 900));
  const py = Math.min(picture.height - 1, Math.floor((ly * picture.height) / 700));
  const i = (py * picture.width + px) * 4;
  return [picture.data[i], picture.data[i + 1], picture.data[i + 2]];
}

function matches(pixel, rgb) {
  return rgb.every((c, i) => Math.abs(pixel[i] - Math.round(c * 255)) <= kTolerance);
}

// The points (x, y pairs) that do not have the colour, as "x,y is r g b".
function misses(picture, rgb, points) {
  const wrong = [];
  for (let i = 0; i < points.length; i += 2) {
    const pixel = pixelAt(picture, points[i], points[i + 1]);
    if (!matches(pixel, rgb)) wrong.push(`${points[i]},${points[i + 1]} is ${pixel.join(' ')}`);
  }
  return wrong;
}

// Pixels of the colour in the logical box [x0, x1) x [y0, y1).
function count(picture, rgb, x0, y0, x1, y1) {
  let n = 0;
  const column = (lx) => Math.floor((lx * picture.width) / 900);
  const row = (ly) => Math.floor((ly * picture.height) / 700);
  for (let py = row(y0); py < Math.max(row(y0) + 1, row(y1)); py++) {
    for (let px = column(x0); px < Math.max(column(x0) + 1, column(x1)); px++) {
      const i = (py * picture.width + px) * 4;
      if (matches([picture.data[i], picture.data[i + 1], picture.data[i + 2]], rgb)) n++;
    }
  }
  return n;
}

// A row through the ship's hull below its barrel; the hull's logical x range there, or null.
const kHullRow = 656;
function hullSpan(picture) {
  let first = -1;
  let last = -1;
  const py = Math.floor((kHullRow * picture.height) / 700);
  for (let px = 0; px < picture.width; px++) {
    const i = (py * picture.width + px) * 4;
    if (matches([picture.data[i], picture.data[i + 1], picture.data[i + 2]], colour.HULL)) {
      if (first < 0) first = px;
      last = px;
    }
  }
  if (first < 0) return null;
  return [(first * 900) / picture.width, ((last + 1) * 900) / picture.width];
}
const hullCentre = (picture) => {
  const span = hullSpan(picture);
  return span && (span[0] + span[1]) / 2;
};

// --------------------------------------------------------------------------- the browser

let server;
let context;
let page;
let profile;
const consoleErrors = [];

// build/web served as any static host would, on the loopback address only.
function serve() {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm' };
  const files = new Map(fs.readdirSync(site).map((name) => [`/${name}`, path.join(site, name)]));
  files.set('/', path.join(site, 'index.html'));
  const httpServer = http.createServer((request, response) => {
    const file = files.get(new URL(request.url, 'http://host').pathname);
    if (!file) {
      response.writeHead(404);
      response.end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] ?? 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  return new Promise((resolve) => httpServer.listen(0, '127.0.0.1', () => resolve(httpServer)));
}

async function screenshot(name) {
  const png = await page.screenshot({ path: path.join(artifacts, `${name}.png`) });
  return PNG.sync.read(png);
}

// Screenshots until the picture passes the check; the last picture either way.
async function pictureUntil(name, seconds, check) {
  const end = Date.now() + seconds * 1000;
  for (;;) {
    const picture = await screenshot(name);
    if (check(picture) || Date.now() > end) return picture;
    await page.waitForTimeout(100);
  }
}

// The document title as the browser gives it back: runs of spaces fold into one.
const statusLine = () => page.title();
const waitForTitle = (pattern, seconds) =>
  page.waitForFunction((source) => new RegExp(source).test(document.title), pattern.source, {
    timeout: seconds * 1000,
    polling: 'raf',
  });

before(async () => {
  fs.rmSync(artifacts, { recursive: true, force: true });
  fs.mkdirSync(artifacts, { recursive: true });
  server = await serve();
  profile = fs.mkdtempSync(path.join(os.tmpdir(), 'pexilon-chromium-'));
  context = await chromium.launchPersistentContext(profile, {
    executablePath: chromiumPath,
    headless: true,
    viewport: { width: 900, height: 700 },
    args: [
      '--use-angle=swiftshader',
      '--enable-unsafe-swiftshader',
      '--no-sandbox',
      '--disable-background-networking',
      '--disable-component-update',
      '--disable-sync',
      '--no-first-run',
    ],
  });
  page = context.pages()[0] ?? (await context.newPage());
  page.on('console', (message) => {
    if (message.type() === 'error') consoleErrors.push(message.text());
  });
  page.on('pageerror', (error) => consoleErrors.push(error.message));
  await page.goto(`http://127.0.0.1:${server.address().port}/`);
});

after(async () => {
  await context?.close();
  server?.close();
  if (profile) fs.rmSync(profile, { recursive: true, force: true });
});

// --------------------------------------------------------------------------- the checks

test('the page starts the game: the title becomes the status line', async () => {
  await waitForTitle(/^Pexilon \| Score: 0 Health: 100 Level: 1 Wave: 1 /, 60);
  assert.match(await statusLine(), /\| A\/D Move \| SPACE Shoot \| R Restart \| F11 Fullscreen \| ESC Exit$/);
});

test("the first frame has the desktop's colours at the window tests' points", async () => {
  const picture = await pictureUntil('first-frame', 10, (p) => misses(p, colour.HUD_BACKDROP, [450, 40]).length === 0);
  const expectations = [
    ['HUD backdrop', colour.HUD_BACKDROP, [450, 40, 600, 8, 850, 50, 100, 78]],
    ['health bar at full health', colour.HEALTH_BAR, [130, 27, 255, 27, 385, 27]],
    ['health column body', colour.HEALTH_BODY, [60, 400, 95, 180, 95, 520, 130, 620]],
    ['weapon column body', colour.WEAPON_BODY, [770, 400, 805, 180, 805, 370, 840, 620]],
    ['floor strip', colour.FLOOR, [300, 663, 700, 663, 160, 663]],
    ['black below the floor and in the gaps', colour.BLACK, [450, 690, 30, 690, 880, 690, 145, 400, 755, 400]],
    ["the ship's hull at its start", colour.HULL, [440, 656, 442, 646, 460, 662]],
    ["the locked Power crate's body", [0.126, 0.28, 0.126], [800, 545, 795, 580, 790, 548]],
  ];
  for (const [what, rgb, points] of expectations) assert.deepEqual(misses(picture, rgb, points), [], what);
});

test('outlines are two pixels wide, as on the desktop (WebGL draws lines one pixel wide)', async () => {
  // The locked weapon crate's grey frame: its left edge at x 781 crossed by a row, and its top
  // edge at y 538 crossed by a column, at 900 x 700 one logical unit a pixel.
  const picture = await screenshot('outlines');
  const frame = [0.35, 0.35, 0.35];
  assert.equal(count(picture, frame, 775, 560, 788, 561), 2, 'across the left edge');
  assert.equal(count(picture, frame, 805, 532, 806, 545), 2, 'across the top edge');
});

test('the keys go to the game: the canvas has the focus on load and after a click', async () => {
  assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
  await page.evaluate(() => document.activeElement.blur());
  await page.mouse.click(450, 350);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
});

test('holding D moves the ship to the right', async () => {
  const start = hullCentre(await screenshot('ship-before-d'));
  assert.ok(start !== null, 'no hull in the picture');
  await page.keyboard.down('d');
  const moved = await pictureUntil('ship-after-d', 10, (p) => hullCentre(p) > start + 60);
  await page.keyboard.up('d');
  assert.ok(hullCentre(moved) > start + 60, `the hull stayed near x ${hullCentre(moved)}, from ${start}`);
});

test('holding SPACE puts shots on the screen above the ship', async () => {
  const centre = hullCentre(await screenshot('before-space'));
  await page.keyboard.down(' ');
  const firing = await pictureUntil('shots', 10, (p) => count(p, colour.SHOT_BALL, centre - 8, 95, centre + 8, 615) >= 20);
  await page.keyboard.up(' ');
  assert.ok(count(firing, colour.SHOT_BALL, centre - 8, 95, centre + 8, 615) >= 20, 'no shot above the ship');
  assert.match(await statusLine(), /Shots: [1-9]/);
});

test('R restarts: the status line starts again and the ship is back at the centre', async () => {
  await waitForTitle(/Monsters: [1-9]/, 20);
  await page.keyboard.press('r');
  await waitForTitle(/^Pexilon \| Score: 0 Health: 100 Level: 1 Wave: 1 Monsters: 0 /, 5);
  const picture = await pictureUntil('after-r', 5, (p) => Math.abs(hullCentre(p) - 450) <= 2);
  assert.ok(Math.abs(hullCentre(picture) - 450) <= 2, `the hull is centred on x ${hullCentre(picture)}`);
});

test('the picture is stretched over the whole page when the window changes size', async () => {
  await page.setViewportSize({ width: 1350, height: 700 });
  const picture = await pictureUntil('stretched-1350x700', 10, (p) => misses(p, colour.WEAPON_BODY, [805, 180]).length === 0);
  assert.deepEqual(misses(picture, colour.WEAPON_BODY, [770, 400, 805, 180, 840, 620]), [], 'weapon column body');
  assert.deepEqual(misses(picture, colour.HEALTH_BODY, [60, 400, 95, 180]), [], 'health column body');
  assert.deepEqual(misses(picture, colour.BLACK, [450, 690, 870, 400]), [], 'black');
  await page.setViewportSize({ width: 900, height: 700 });
});

// Held for a moment, as a person presses it: the browser grants fullscreen only inside an
// input event, so the game's request waits for the key's release.
async function tap(key) {
  await page.keyboard.down(key);
  await page.waitForTimeout(200);
  await page.keyboard.up(key);
}

test('F11 asks the browser for fullscreen, and a second F11 leaves it', async () => {
  await tap('F11');
  await page.waitForFunction(() => document.fullscreenElement?.id === 'canvas', null, { timeout: 5000 });
  await tap('F11');
  await page.waitForFunction(() => document.fullscreenElement === null, null, { timeout: 5000 });
});

test('ESC ends the loop, and the page says how to start again', async () => {
  await page.keyboard.press('Escape');
  const notice = page.locator('#notice');
  await notice.waitFor({ state: 'visible', timeout: 5000 });
  assert.match(await notice.innerText(), /The game has ended\. Press F5 or Play again/);
  const title = await statusLine();
  await page.waitForTimeout(300);
  assert.equal(await statusLine(), title, 'the status line still changes after ESC');
  await screenshot('ended');
});

test('nothing went to the console as an error', () => {
  assert.deepEqual(consoleErrors, []);
});
