// The browser build played in Debian's headless Chromium: the first frame has the desktop's
// colours at the window tests' points (tests/e2e, whose palette this reads from lib.sh), the
// keys drive the game, the document title is the status line, ESC ends the loop and the page
// says how to start again, and nothing reaches the console as an error; and a busy frame drawn
// by the same program on both sides is the desktop's, pixel for pixel. Recordings go both
// ways: a game played and saved in the page replays in the Linux tool to the page's last
// title, and a desktop recording watched in the page ends on the Linux tool's last title. The
// picture keeps its shape in any window. On a phone, in portrait and in landscape, the keys on the
// screen play the game by touch, the page starts again with the network off, and a new release's
// files replace the old ones in the cache. Positions are logical points of the 900 x 700 picture.
// Screenshots stay in build/web-check/ for a person to see.
import { test, before, after } from 'node:test';
import assert from 'node:assert/strict';
import { execFileSync } from 'node:child_process';
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
// The busy frame's two builds (tests/frame/), as scripts/build-web --check makes them.
// The Linux replay tool, built by scripts/build-web --check beside the busy frame.
const linuxReplay = path.join(root, 'build/test/pexilon-replay');
// Served beside the page for ?watch=URL: a game recorded by the desktop game.
const desktopRecording = path.join(root, 'tests/e2e/recorded-on-linux.txt');
const busyFrame = {
  desktop: path.join(root, 'build/test/tests/frame/busy_frame'),
  'busy_frame.html': path.join(root, 'tests/frame/busy_frame.html'),
  'busy_frame.js': path.join(root, 'build/emscripten/tests/frame/busy_frame.js'),
  'busy_frame.wasm': path.join(root, 'build/emscripten/tests/frame/busy_frame.wasm'),
};

const colour = {};
for (const [, name, value] of fs.readFileSync(path.join(root, 'tests/e2e/lib.sh'), 'utf8').matchAll(/^COLOUR_(\w+)=([0-9.,]+)$/gm))
  colour[name] = value.split(',').map(Number);

// Pixels of the colour (within 3 of 255 per channel, as the window tests allow) in the
// logical box [x0, x1) x [y0, y1); a box of no size is its one pixel.
function count(picture, rgb, x0, y0, x1 = x0, y1 = y0) {
  const px = (x) => Math.floor((x * picture.width) / 900);
  const py = (y) => Math.floor((y * picture.height) / 700);
  let n = 0;
  for (let y = py(y0); y < Math.max(py(y0) + 1, py(y1)); y++)
    for (let x = px(x0); x < Math.max(px(x0) + 1, px(x1)); x++)
      n += rgb.every((c, i) => Math.abs(picture.data[(y * picture.width + x) * 4 + i] - Math.round(c * 255)) <= 3);
  return n;
}
const misses = (picture, rgb, points) =>
  points.filter(([x, y]) => !count(picture, rgb, x, y)).map(([x, y]) => `${x},${y}`);

// The middle of the ship's hull in the row below its barrel, or NaN.
function hullCentre(picture) {
  const row = Array.from({ length: 900 }, (_, x) => count(picture, colour.HULL, x, 656));
  const first = row.indexOf(1);
  return first < 0 ? NaN : (first + row.lastIndexOf(1) + 1) / 2;
}

let server, context, page, profile, origin, phoneBrowser;
let networkOff = false;  // the host answers nothing, as with no network
let nextRelease = false;  // the host serves the service worker of a newer release: another cache name
const consoleErrors = [];
// Chromium as the web check runs it; a picture of 900 x 700 below the strip of "Watch a recording".
const chromiumOptions = {
  executablePath: '/usr/bin/chromium',
  args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run'],
};
const kStripHeight = 24;

before(async () => {
  fs.rmSync(artifacts, { recursive: true, force: true });
  fs.mkdirSync(artifacts, { recursive: true });
  const types = { '.txt': 'text/plain', '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
    '.png': 'image/png', '.webmanifest': 'application/manifest+json' };
  // build/web as any static host serves it, on the loopback address only.
  server = http.createServer((request, response) => {
    if (networkOff) return request.socket.destroy();
    const { pathname } = new URL(request.url, 'http://127.0.0.1');
    const name = pathname === '/' ? 'index.html' : path.basename(pathname);
    const file = busyFrame[name] ?? (name === path.basename(desktopRecording) ? desktopRecording : path.join(site, name));
    if (!fs.existsSync(file)) return response.writeHead(404).end();
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] });
    if (nextRelease && name === 'service-worker.js')
      return response.end(fs.readFileSync(file, 'utf8').replace(/'pexilon-[^']*'/, "'pexilon-next'"));
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  origin = `http://127.0.0.1:${server.address().port}`;
  profile = fs.mkdtempSync(path.join(os.tmpdir(), 'pexilon-chromium-'));
  context = await chromium.launchPersistentContext(profile, { ...chromiumOptions, viewport: { width: 900, height: 700 + kStripHeight } });
  page = context.pages()[0];
  listenForErrors(page);
  await page.goto(`${origin}/`);
});

function listenForErrors(shown) {
  shown.on('console', (message) => message.type() === 'error' && consoleErrors.push(message.text()));
  shown.on('pageerror', (error) => consoleErrors.push(error.message));
}

after(async () => {
  await context?.close();
  await phoneBrowser?.close();
  server?.close();
  if (profile) fs.rmSync(profile, { recursive: true, force: true });
});

// Screenshots of the canvas until the picture passes the check, for at most ten seconds; the last one.
async function pictureUntil(name, check = () => true, shown = page) {
  for (const end = Date.now() + 10000; ;) {
    const picture = PNG.sync.read(await shown.locator('canvas').screenshot({ path: path.join(artifacts, `${name}.png`) }));
    if (check(picture) || Date.now() > end) return picture;
  }
}

// The browser folds runs of spaces in document.title into one.
const waitForTitle = (pattern, seconds, shown = page) =>
  shown.waitForFunction((source) => new RegExp(source).test(document.title), pattern.source, { timeout: seconds * 1000, polling: 'raf' });

// As a person presses a key: the browser grants fullscreen only inside an input event, so
// the game's request waits for the release.
async function tap(key) {
  await page.keyboard.down(key);
  await page.waitForTimeout(200);
  await page.keyboard.up(key);
}

test('the game starts with the status line as the title and the keys going to the canvas', async () => {
  await waitForTitle(/^Pexilon \| Score: 0 Health: 100 Level: 1 Wave: 1 .* \| ESC Exit$/, 60);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas');
  await page.evaluate(() => document.activeElement.blur());
  await page.mouse.click(450, 350);
  assert.equal(await page.evaluate(() => document.activeElement.id), 'canvas', 'after a click');
  assert.equal(await page.getByRole('button', { name: 'Fire' }).isVisible(), false, 'keys on the screen with a mouse');
});

test("the page's icon is the game's icon, served beside it", async () => {
  const href = await page.evaluate(() => document.querySelector('link[rel="icon"]').href);
  const icon = await context.request.get(href);
  assert.equal(icon.status(), 200, href);
  assert.deepEqual(await icon.body(), fs.readFileSync(path.join(root, 'share/icons/pexilon-64.png')));
});

test("the first frame has the desktop's colours at the window tests' points", async () => {
  const picture = await pictureUntil('first-frame', (p) => count(p, colour.HUD_BACKDROP, 450, 40));
  const expected = {
    HUD_BACKDROP: [[450, 40], [600, 8], [850, 50], [100, 78]],
    HEALTH_BAR: [[130, 27], [255, 27], [385, 27]],
    HEALTH_BODY: [[60, 400], [95, 180], [95, 520], [130, 620]],
    WEAPON_BODY: [[770, 400], [805, 180], [805, 370], [840, 620]],
    FLOOR: [[300, 663], [700, 663], [160, 663]],
    BLACK: [[450, 690], [30, 690], [880, 690], [145, 400], [755, 400]],
    HULL: [[440, 656], [442, 646], [460, 662]],
  };
  for (const [name, points] of Object.entries(expected)) assert.deepEqual(misses(picture, colour[name], points), [], name);
  assert.deepEqual(misses(picture, [0.126, 0.28, 0.126], [[800, 545], [795, 580]]), [], 'the locked Power crate');
  // WebGL draws lines one pixel wide; the locked crate's grey frame is two, as on the desktop.
  assert.equal(count(picture, [0.35, 0.35, 0.35], 775, 560, 788, 561), 2, 'across its left edge');
  assert.equal(count(picture, [0.35, 0.35, 0.35], 805, 532, 806, 545), 2, 'across its top edge');
});

test("a busy frame is the desktop's, pixel for pixel", async () => {
  execFileSync('bash', [path.join(root, 'tests/frame/desktop_picture.sh'), busyFrame.desktop, artifacts]);
  const desktop = PNG.sync.read(fs.readFileSync(path.join(artifacts, 'busy-frame/desktop.png')));
  const shown = await context.newPage();
  shown.on('pageerror', (error) => consoleErrors.push(error.message));
  await shown.goto(`${origin}/busy_frame.html`);
  const browser = await pictureUntil('busy-frame/browser', (p) => count(p, colour.HUD_BACKDROP, 450, 40), shown);
  await shown.close();
  assert.deepEqual([browser.width, browser.height], [desktop.width, desktop.height]);
  const differing = [];
  for (let i = 0; i < desktop.data.length; i += 4)
    if ([0, 1, 2].some((c) => browser.data[i + c] !== desktop.data[i + c]))
      differing.push(`${(i / 4) % desktop.width},${Math.floor(i / 4 / desktop.width)}`);
  assert.equal(differing.length, 0, `pixels that differ (x,y), the first ones: ${differing.slice(0, 10).join(' ')}`);
});

test('D moves the ship, SPACE puts shots above it, R restarts with the ship centred', async () => {
  const start = hullCentre(await pictureUntil('ship-at-start'));
  await page.keyboard.down('d');
  await pictureUntil('ship-after-d', (p) => hullCentre(p) > start + 60);
  await page.keyboard.up('d');
  const moved = hullCentre(await pictureUntil('ship-stopped'));
  assert.ok(moved > start + 60, `the hull went from x ${start} to ${moved}`);

  const shots = (p) => count(p, colour.SHOT_BALL, moved - 8, 95, moved + 8, 615);
  await page.keyboard.down(' ');
  const firing = await pictureUntil('shots', (p) => shots(p) >= 20);
  await page.keyboard.up(' ');
  assert.ok(shots(firing) >= 20, 'no shots above the ship');

  await waitForTitle(/Monsters: [1-9]/, 20);
  await page.keyboard.press('r');
  await waitForTitle(/^Pexilon \| Score: 0 Health: 100 Level: 1 Wave: 1 Monsters: 0 /, 5);
  const centred = hullCentre(await pictureUntil('after-r', (p) => Math.abs(hullCentre(p) - 450) <= 2));
  assert.ok(Math.abs(centred - 450) <= 2, `the hull is centred on x ${centred}`);
});

test('the picture keeps its shape in a resized page, with black bars beside it; F11 asks for fullscreen and leaves it', async () => {
  await page.setViewportSize({ width: 1350, height: 700 + kStripHeight });
  await page.waitForFunction(() => document.getElementById('canvas').width === 900);
  assert.deepEqual(await page.locator('canvas').boundingBox(), { x: 225, y: kStripHeight, width: 900, height: 700 });
  const wide = await pictureUntil('resized-1350x724', (p) => count(p, colour.WEAPON_BODY, 805, 180));
  assert.deepEqual(misses(wide, colour.WEAPON_BODY, [[770, 400], [805, 180], [840, 620]]), []);
  assert.deepEqual(misses(wide, colour.BLACK, [[450, 690], [870, 400]]), []);
  const bars = PNG.sync.read(await page.screenshot({ path: path.join(artifacts, 'bars-1350x724.png') }));
  const black = (x, y) => [0, 1, 2].every((c) => bars.data[(y * bars.width + x) * 4 + c] <= 3);
  assert.ok(black(100, 400) && black(1250, 400), 'the bars are black');
  await page.setViewportSize({ width: 900, height: 700 + kStripHeight });
  await tap('F11');
  await page.waitForFunction(() => document.fullscreenElement?.id === 'canvas', null, { timeout: 5000 });
  await tap('F11');
  await page.waitForFunction(() => document.fullscreenElement === null, null, { timeout: 5000 });
});

test('ESC ends the loop and the page says how to start again, with no console error all along', async () => {
  await page.keyboard.press('Escape');
  await page.locator('#notice').waitFor({ state: 'visible', timeout: 5000 });
  assert.match(await page.locator('#notice').innerText(), /The game has ended\. Press F5 or Play again/);
  const title = await page.title();
  await pictureUntil('ended');
  await page.waitForTimeout(300);
  assert.equal(await page.title(), title, 'the status line still changes');
  assert.deepEqual(consoleErrors, []);
});

// The last pass's title as the Linux tool prints it, with the runs of spaces the browser folds.
const lastTitleOf = (script) =>
  JSON.parse(execFileSync(linuxReplay, ['--every', '1000000000', script], { encoding: 'utf8' })).title.replace(/ +/g, ' ');

test("the ended game saves as a recording that the Linux tool replays to the page's last title", async () => {
  const title = await page.title();
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#save-recording')]);
  assert.match(download.suggestedFilename(), /^pexilon-\d{8}-\d{6}\.txt$/);
  const saved = path.join(artifacts, download.suggestedFilename());
  await download.saveAs(saved);
  const recording = fs.readFileSync(saved, 'utf8');
  assert.match(recording, /^# recorded by pexilon [0-9.]+\n/);
  for (const word of ['right', 'fire', 'restart']) assert.match(recording, new RegExp(` ${word}\\b`), word);
  assert.equal(lastTitleOf(saved), title);
});

test("a desktop recording watched through ?watch=URL ends on the Linux tool's last title and stays", async () => {
  const seconds = fs.readFileSync(desktopRecording, 'utf8').split('\n')
    .filter((line) => /^[0-9]/.test(line)).reduce((sum, line) => sum + Number(line.split(' ')[0]), 0);
  const last = lastTitleOf(desktopRecording);
  await page.goto(`${origin}/?watch=${path.basename(desktopRecording)}`);
  await page.waitForTimeout(seconds * 1000);
  await page.waitForFunction((t) => document.title === t, last, { timeout: 60000, polling: 'raf' });
  await page.keyboard.press('r');  // the recording holds the keys: R starts no new game
  await page.waitForTimeout(500);
  assert.equal(await page.title(), last, 'the last title stays');
  await page.keyboard.press('Escape');
  await page.locator('#notice').waitFor({ state: 'visible', timeout: 5000 });
  assert.match(await page.locator('#notice').innerText(), /The recording has ended/);
  assert.equal(await page.locator('#save-recording').isVisible(), false);
});

test("a recording chosen during a game is watched once the game's own is saved; one of 20 MB plays", async () => {
  // Seven hours of a ship swaying under fire, a second each way.
  const sway = '0.016667 left fire\n'.repeat(60) + '0.016667 right fire\n'.repeat(60);
  const long = path.join(artifacts, 'long.txt');
  fs.writeFileSync(long, sway.repeat(Math.ceil(20e6 / sway.length)));
  await page.goto(`${origin}/`);
  await waitForTitle(/^Pexilon \| Score: 0 /, 60);
  await page.setInputFiles('#watch-file', long);
  await page.locator('#watch-chosen').waitFor({ state: 'visible', timeout: 5000 });
  assert.equal(await page.locator('#notice-text').innerText(), "Watching 'long.txt' ends this game. Save its recording first?");
  const [download] = await Promise.all([page.waitForEvent('download'), page.click('#save-recording')]);
  assert.match(fs.readFileSync(await download.path(), 'utf8'), /^# recorded by pexilon /);
  await Promise.all([page.waitForEvent('load'), page.click('#watch-chosen')]);
  const swaying = await pictureUntil('long-recording', (p) => Math.abs(hullCentre(p) - 450) > 30);
  assert.ok(Math.abs(hullCentre(swaying) - 450) > 30, 'the ship does not move');
  assert.equal(await page.locator('#notice').isVisible(), false);
});

test("a bad recording chosen to watch shows the desktop's message and plays nothing", async () => {
  const bad = path.join(artifacts, 'bad.txt');
  fs.writeFileSync(bad, '0.02\n# aim\n0.02 jump fire\n0.02\n');
  await Promise.all([page.waitForEvent('load'), page.setInputFiles('#watch-file', bad)]);
  await page.locator('#notice').waitFor({ state: 'visible', timeout: 20000 });
  assert.equal(await page.locator('#notice-text').innerText(), "'bad.txt': line 3: unknown word 'jump'");
  assert.equal(await page.title(), 'Pexilon');
});

// The middle of a box, for a finger.
const middle = (box) => ({ x: box.x + box.width / 2, y: box.y + box.height / 2 });
const overlaps = (a, b) => a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height;
const kPhonePixelRatio = 2.625;

for (const { shape, width, height } of [
  { shape: 'portrait', width: 412, height: 915 },
  { shape: 'landscape', width: 915, height: 412 },
]) {
  test(`on a phone in ${shape}: the picture keeps its shape, sharp; the keys play by touch; it starts offline; a new release replaces its files`, async () => {
    phoneBrowser ??= await chromium.launch(chromiumOptions);
    const phone = await phoneBrowser.newContext({ viewport: { width, height }, deviceScaleFactor: kPhonePixelRatio, isMobile: true, hasTouch: true });
    const shown = await phone.newPage();
    listenForErrors(shown);
    await shown.goto(`${origin}/`);
    await waitForTitle(/^Pexilon \| Score: 0 /, 60, shown);
    const touch = await phone.newCDPSession(shown);
    const fingers = (type, ...touchPoints) => touch.send('Input.dispatchTouchEvent', { type, touchPoints });
    await fingers('touchStart', { x: 5, y: 5, id: 0 });  // the first touch brings the keys
    await fingers('touchEnd');

    const canvas = await shown.locator('canvas').boundingBox();
    const key = {};
    for (const name of ['Left', 'Right', 'Fire', 'Restart', 'End', 'Full screen'])
      key[name] = await shown.getByRole('button', { name }).boundingBox();
    const sides = [canvas.x, width - canvas.x - canvas.width];
    assert.ok(Math.abs(canvas.width * 700 - canvas.height * 900) <= 900 && Math.abs(sides[0] - sides[1]) <= 1, JSON.stringify(canvas));
    assert.deepEqual(await shown.evaluate(() => [canvas.width, canvas.height]),
      [Math.round(canvas.width * kPhonePixelRatio), Math.round(canvas.height * kPhonePixelRatio)], 'the drawing buffer');
    for (const [name, box] of Object.entries({ ...key, 'Watch a recording': await shown.locator('#watch').boundingBox() }))
      assert.ok(!overlaps(box, canvas) && (name === 'Watch a recording' || Math.min(box.width, box.height) >= 48), `${name}: ${JSON.stringify(box)}`);
    if (shape === 'portrait') assert.ok(key.Left.y >= canvas.y + canvas.height && key.Fire.y >= canvas.y + canvas.height);
    else assert.ok(key.Right.x + key.Right.width <= canvas.x && key.Fire.x >= canvas.x + canvas.width);
    const first = await pictureUntil(`phone-${shape}`, (p) => count(p, colour.HUD_BACKDROP, 450, 40), shown);
    assert.deepEqual(misses(first, colour.HEALTH_BODY, [[95, 180], [95, 520]]), []);
    assert.deepEqual(misses(first, colour.WEAPON_BODY, [[805, 180], [805, 370]]), []);

    // Fire held by one finger while another holds Left, then slides onto Right.
    const start = hullCentre(first);
    const fire = { ...middle(key.Fire), id: 1 };
    await fingers('touchStart', fire);
    await fingers('touchStart', fire, { ...middle(key.Left), id: 2 });
    const left = await pictureUntil(`phone-${shape}-left`, (p) => hullCentre(p) < start - 60, shown);
    assert.ok(hullCentre(left) < start - 60, `the hull went from x ${start} to ${hullCentre(left)}`);
    assert.ok(count(left, colour.SHOT_BALL, 150, 95, 750, 615) >= 10, 'no shots');
    assert.deepEqual(await shown.locator('#keys .pressed').evaluateAll((keys) => keys.map((k) => k.ariaLabel)), ['Left', 'Fire']);
    await fingers('touchMove', fire, { ...middle(key.Right), id: 2 });
    const right = await pictureUntil(`phone-${shape}-right`, (p) => hullCentre(p) > hullCentre(left) + 60, shown);
    assert.ok(hullCentre(right) > hullCentre(left) + 60, 'Right after sliding onto it');
    await fingers('touchCancel');  // as when a call comes in
    await shown.waitForTimeout(200);
    const stopped = hullCentre(await pictureUntil(`phone-${shape}-stopped`, () => true, shown));
    await shown.waitForTimeout(300);
    assert.equal(hullCentre(await pictureUntil(`phone-${shape}-still`, () => true, shown)), stopped, 'a key stayed held');
    assert.equal(await shown.locator('#keys .pressed').count(), 0);

    const tapKey = async (name) => {
      await fingers('touchStart', { ...middle(key[name]), id: 3 });
      await fingers('touchEnd');
    };
    await tapKey('Full screen');
    await shown.waitForFunction(() => document.fullscreenElement === document.documentElement, null, { timeout: 5000 });
    await shown.waitForFunction((ratio) => canvas.width === Math.round(canvas.getBoundingClientRect().width * ratio), kPhonePixelRatio);
    await tapKey('Full screen');
    await shown.waitForFunction(() => document.fullscreenElement === null, null, { timeout: 5000 });

    // End ends the game, and its recording replays in the Linux tool to the page's last title.
    await tapKey('End');
    await shown.locator('#notice').waitFor({ state: 'visible', timeout: 5000 });
    const title = await shown.title();
    const [download] = await Promise.all([shown.waitForEvent('download'), shown.click('#save-recording')]);
    const saved = path.join(artifacts, `phone-${shape}.txt`);
    await download.saveAs(saved);
    for (const word of ['left', 'right', 'fire']) assert.match(fs.readFileSync(saved, 'utf8'), new RegExp(` ${word}\\b`), word);
    assert.equal(lastTitleOf(saved), title);

    await shown.evaluate(() => navigator.serviceWorker.ready);
    const version = fs.readFileSync(path.join(root, 'CMakeLists.txt'), 'utf8').match(/^project\(Pexilon VERSION ([0-9.]+)/m)[1];
    const cacheNames = () => shown.evaluate(() => caches.keys());
    assert.deepEqual(await cacheNames(), [`pexilon-${version}`], 'the cache of the page files');
    networkOff = true;
    try {
      await shown.reload();
      await waitForTitle(/^Pexilon \| Score: 0 /, 60, shown);
    } finally {
      networkOff = false;
    }

    // The next release's worker, on the next visit, keeps the same files under its own name and drops the old cache.
    const kept = (name) => shown.evaluate(async (cacheName) =>
      (await (await caches.open(cacheName)).keys()).map((request) => request.url).sort(), name);
    const files = await kept(`pexilon-${version}`);
    nextRelease = true;
    try {
      await shown.reload();
      for (const end = Date.now() + 20000; Date.now() < end && String(await cacheNames()) !== 'pexilon-next';)
        await shown.waitForTimeout(100);
    } finally {
      nextRelease = false;
    }
    assert.deepEqual(await cacheNames(), ['pexilon-next'], 'the caches after the next release');
    assert.deepEqual(await kept('pexilon-next'), files);
    await phone.close();
    assert.deepEqual(consoleErrors, []);
  });
}
