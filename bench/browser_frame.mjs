// The browser build's frame: frames a second of a played game against an empty canvas page in
// the same headless Chromium (Debian's, driven by the playwright-core pinned in tests/web/),
// the main thread's work a frame, and the bytes the game's page downloads; and, for the worst
// case, the same figures for the busy frame of the web check (tests/frame/: 12 monsters, 40
// shots, four messages, every frame). Then a phone: the game and the empty page at the phone's
// viewport and device pixel ratio (915 x 412, 2.625, touch), with Chromium's CPU throttling off,
// at 4x (a mid-range phone's processor) and at 6x (a low-end one), beside a canvas of the game's
// size that is only cleared every frame (what the browser spends on any new WebGL frame of that
// size), and where the game's main thread spends its time at 6x (the functions of most self
// time in a sampled profile); last, the game and the cleared canvas at 6x once more with the
// page's main thread on a core of its own (giveMainThreadACore).
//
//   node bench/browser_frame.mjs [SECONDS [ROUNDS [OTHER_SITE]]]     (default 10 s a page, 3 rounds)
//
// OTHER_SITE, a folder holding another build of the page, puts a fourth page in the phone's
// rounds: that build's game, played alike, to weigh a change against the page as built.
//
// It needs build/web (scripts/build-web) and the busy frame's web build (scripts/bench makes
// both).
//
// Both pages are measured alike: requestAnimationFrame callbacks counted by a script added to
// the page (a frame the browser could not fit in, because the main thread was busy, is never
// called back), and Chromium's own tally of main-thread task time (Performance.getMetrics,
// TaskDuration) over the same seconds. The game is played all along: fire held, the ship sent
// left and right in turn. The empty page and the game take turns, round after round, so that
// the load of a shared machine weighs on both alike; the figures are over all rounds.
import { execFileSync } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { createRequire } from 'node:module';
import { fileURLToPath } from 'node:url';

const root = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '..');
const { chromium } = createRequire(path.join(root, 'tests/web/package.json'))('playwright-core');
const site = path.join(root, 'build/web');
const busyFrame = {
  'busy_frame.html': path.join(root, 'tests/frame/busy_frame.html'),
  'busy_frame.js': path.join(root, 'build/emscripten/tests/frame/busy_frame.js'),
  'busy_frame.wasm': path.join(root, 'build/emscripten/tests/frame/busy_frame.wasm'),
};
const seconds = Number(process.argv[2] ?? 10);
const rounds = Number(process.argv[3] ?? 3);
const otherSite = process.argv[4];

const kGoalShareOfEmptyRate = 0.9;
const kGoalMainThreadMsPerFrame = 4;
const kGoalPageKiB = 900;
const kPhone = { viewport: { width: 915, height: 412 }, deviceScaleFactor: 2.625, isMobile: true, hasTouch: true };
const kPhoneThrottling = [1, 4, 6];
const kGoalPhoneShareAt4x = 0.9;
const kGoalPhoneMainThreadMsAt6x = 8;
const kProfileSeconds = 5;
const kProfileLines = 12;

const emptyPage = `<!doctype html><html><head><meta charset="utf-8"><title>empty</title>
<style>html, body { margin: 0; height: 100%; overflow: hidden; background: #000; }
canvas { display: block; width: 100vw; height: 100vh; }</style></head>
<body><canvas id="canvas"></canvas></body></html>`;

// A WebGL 2 canvas of the CSS size given in the query, at the device's pixel ratio, with the
// game's context attributes, cleared to a new colour every frame and drawn with nothing else.
const clearedPage = `<!doctype html><html><head><meta charset="utf-8"><title>cleared</title>
<style>html, body { margin: 0; height: 100%; overflow: hidden; background: #000; }
canvas { display: block; margin: auto; }</style></head>
<body><canvas id="canvas"></canvas><script>
const canvas = document.getElementById('canvas');
const size = new URLSearchParams(location.search);
canvas.style.width = size.get('width') + 'px';
canvas.style.height = size.get('height') + 'px';
canvas.width = Math.round(size.get('width') * devicePixelRatio);
canvas.height = Math.round(size.get('height') * devicePixelRatio);
const gl = canvas.getContext('webgl2', { alpha: false, depth: false, antialias: false });
let frame = 0;
const draw = () => {
  frame += 1;
  gl.clearColor((frame % 60) / 60, 0, 0, 1);
  gl.clear(gl.COLOR_BUFFER_BIT);
  requestAnimationFrame(draw);
};
requestAnimationFrame(draw);
</script></body></html>`;

// build/web as a static host serves it, with the empty page and the cleared canvas beside it.
const server = http.createServer((request, response) => {
  const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm', '.png': 'image/png',
    '.webmanifest': 'application/manifest+json' };
  if (request.url === '/empty.html') return response.writeHead(200, { 'Content-Type': 'text/html' }).end(emptyPage);
  if (request.url.startsWith('/cleared.html')) return response.writeHead(200, { 'Content-Type': 'text/html' }).end(clearedPage);
  const name = request.url.endsWith('/') ? 'index.html' : path.basename(request.url);
  const file = busyFrame[name] ?? path.join(request.url.startsWith('/other/') ? otherSite : site, name);
  if (!fs.existsSync(file)) return response.writeHead(404).end();
  response.writeHead(200, { 'Content-Type': types[path.extname(file)] }).end(fs.readFileSync(file));
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const origin = `http://127.0.0.1:${server.address().port}`;

const browserOptions = {
  executablePath: '/usr/bin/chromium',
  args: ['--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-sandbox', '--disable-background-networking',
    '--disable-component-update', '--disable-sync', '--no-first-run'],
};
const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'pexilon-bench-chromium-'));
const context = await chromium.launchPersistentContext(profile, { ...browserOptions, viewport: { width: 900, height: 700 } });
// Counts the frames the page is called back for, from before the page's own scripts run.
const countFrames = () => {
  window.benchFrames = 0;
  const tick = () => {
    window.benchFrames += 1;
    requestAnimationFrame(tick);
  };
  requestAnimationFrame(tick);
};
await context.addInitScript(countFrames);

async function taskSeconds(session) {
  const { metrics } = await session.send('Performance.getMetrics');
  return metrics.find((metric) => metric.name === 'TaskDuration').value;
}

// Adds the frames, seconds and main-thread seconds of the measured seconds to tally, while act
// runs; the processor slowed down the given number of times.
async function measure(page, tally, act, throttling = 1) {
  const session = await page.context().newCDPSession(page);
  await session.send('Performance.enable');
  await session.send('Emulation.setCPUThrottlingRate', { rate: throttling });
  const framesBefore = await page.evaluate(() => window.benchFrames);
  const tasksBefore = await taskSeconds(session);
  const start = Date.now();
  await act(start + seconds * 1000);
  tally.seconds += (Date.now() - start) / 1000;
  tally.frames += (await page.evaluate(() => window.benchFrames)) - framesBefore;
  tally.tasks += (await taskSeconds(session)) - tasksBefore;
  await session.send('Emulation.setCPUThrottlingRate', { rate: 1 });
  await session.detach();
}

// The functions of most self time in the game's main thread over a few seconds of play, the
// processor slowed down the given number of times: "share% name (script)".
async function hotFunctions(page, throttling) {
  const session = await page.context().newCDPSession(page);
  await session.send('Emulation.setCPUThrottlingRate', { rate: throttling });
  await session.send('Profiler.enable');
  await session.send('Profiler.start');
  await play(page, Date.now() + kProfileSeconds * 1000);
  const { profile: sampled } = await session.send('Profiler.stop');
  await session.send('Emulation.setCPUThrottlingRate', { rate: 1 });
  await session.detach();
  const microseconds = new Map();
  sampled.timeDeltas.forEach((delta, i) => microseconds.set(sampled.samples[i], (microseconds.get(sampled.samples[i]) ?? 0) + delta));
  const selfTime = new Map();
  for (const node of sampled.nodes) {
    const { functionName, url } = node.callFrame;
    const name = `${functionName || '(anonymous)'} (${path.basename(url) || 'native'})`;
    selfTime.set(name, (selfTime.get(name) ?? 0) + (microseconds.get(node.id) ?? 0));
  }
  const total = [...selfTime.values()].reduce((sum, time) => sum + time, 0);
  return [...selfTime].sort((a, b) => b[1] - a[1]).slice(0, kProfileLines)
    .map(([name, time]) => `${((time * 100) / total).toFixed(1)}% ${name}`);
}

// How the browser composites and draws (chrome://gpu's feature status). With GPU compositing a
// new WebGL frame is handed to the display compositor in the GPU process, as on a phone; with
// software compositing the page's main thread reads every frame back into a bitmap first.
async function gpuStatus(browser) {
  const session = await browser.newBrowserCDPSession();
  const { gpu } = await session.send('SystemInfo.getInfo');
  await session.detach();
  const features = ['gpu_compositing', 'webgl', 'rasterization'].map((name) => `${name} ${gpu.featureStatus[name]}`);
  return `${features.join(', ')}, ${gpu.auxAttributes.glImplementationParts}`;
}

// On a phone the GPU is hardware of its own and the page's main thread has a core to itself;
// here SwiftShader rasterises every frame on the same cores, and the throttled main thread
// waits for a core while it does. So the main thread's own work is also measured with the
// renderer's main thread alone on the first core and every other thread of the browser (the
// GPU process's included) on the second. Each thread a process starts takes its starter's
// cores, so this is done again before every measurement.
function giveMainThreadACore() {
  const children = new Map();
  const args = new Map();
  for (const line of execFileSync('ps', ['-e', '-o', 'pid=,ppid=,args=']).toString().trim().split('\n')) {
    const [, pid, ppid, command] = line.match(/^\s*(\d+)\s+(\d+)\s+(.*)$/);
    children.set(ppid, [...(children.get(ppid) ?? []), pid]);
    args.set(pid, command);
  }
  const processes = [];
  // The browser's processes: this script's descendants (the desktop's browser is closed by then).
  for (let next = children.get(String(process.pid)) ?? []; next.length; next = next.flatMap((pid) => children.get(pid) ?? []))
    processes.push(...next);
  for (const pid of processes) execFileSync('taskset', ['--all-tasks', '--cpu-list', '-p', '1', pid], { stdio: 'ignore' });
  for (const pid of processes.filter((pid) => args.get(pid).includes('--type=renderer')))
    execFileSync('taskset', ['--cpu-list', '-p', '0', pid], { stdio: 'ignore' });  // the main thread's id is the process's
}

const newTally = () => ({ frames: 0, seconds: 0, tasks: 0 });
const fps = (tally) => tally.frames / tally.seconds;
const msPerFrame = (tally) => (tally.tasks * 1000) / tally.frames;

async function waitSeconds(end) {
  await new Promise((resolve) => setTimeout(resolve, Math.max(0, end - Date.now())));
}

// The game's page, or OTHER_SITE's with folder 'other/', once the game runs (its status line is the title).
async function openGame(page, folder = '') {
  await page.goto(`${origin}/${folder}`);
  await page.waitForFunction(() => /^Pexilon \| Score/.test(document.title), null, { timeout: 60000 });
}

// Fire held, and the ship sent across the lane and back, a second each way.
async function play(page, end) {
  await page.keyboard.down(' ');
  for (let key = 'd'; Date.now() < end; key = key === 'd' ? 'a' : 'd') {
    await page.keyboard.down(key);
    await page.waitForTimeout(Math.min(1000, Math.max(0, end - Date.now())));
    await page.keyboard.up(key);
  }
  await page.keyboard.up(' ');
}

const loadBefore = os.loadavg().map((load) => load.toFixed(2)).join(' ');
const page = context.pages()[0];
const empty = newTally();
const game = newTally();
const busy = newTally();
// Every file of the page: the page, its script and wasm, icons, manifest and service worker.
const pageKiB = fs.readdirSync(site).reduce((sum, name) => sum + fs.statSync(path.join(site, name)).size, 0) / 1024;
let title = '';
for (let round = 0; round < rounds; ++round) {
  await page.goto(`${origin}/empty.html`);
  await page.waitForTimeout(1000);
  await measure(page, empty, waitSeconds);

  await openGame(page);
  await page.waitForTimeout(1000);
  await measure(page, game, (end) => play(page, end));
  title = await page.title();

  await page.goto(`${origin}/busy_frame.html`);
  await page.waitForTimeout(2000);
  await measure(page, busy, waitSeconds);
}

// The desktop's browser closes first: its last page, the busy frame, would go on drawing every
// frame on the same two cores while the phone is measured.
const version = context.browser()?.version() ?? 'unknown';
await context.close();
fs.rmSync(profile, { recursive: true, force: true });

// The phone: its own browser, the same pages at its viewport and pixel ratio.
const phoneBrowser = await chromium.launch(browserOptions);
const gpu = await gpuStatus(phoneBrowser);
const phoneContext = await phoneBrowser.newContext(kPhone);
await phoneContext.addInitScript(countFrames);
const phonePage = await phoneContext.newPage();
const phoneEmpty = Object.fromEntries(kPhoneThrottling.map((rate) => [rate, newTally()]));
const phoneGame = Object.fromEntries(kPhoneThrottling.map((rate) => [rate, newTally()]));
const phoneCleared = Object.fromEntries(kPhoneThrottling.map((rate) => [rate, newTally()]));
const phoneOther = Object.fromEntries(kPhoneThrottling.map((rate) => [rate, newTally()]));
await openGame(phonePage);
const canvas = await phonePage.evaluate(() => {
  const { width, height, clientWidth, clientHeight } = document.querySelector('canvas');
  return { width, height, clientWidth, clientHeight };
});
const drawingBuffer = `${canvas.width} x ${canvas.height} pixels for ${canvas.clientWidth} x ${canvas.clientHeight} CSS pixels`;
for (let round = 0; round < rounds; ++round) {
  for (const rate of kPhoneThrottling) {
    await phonePage.goto(`${origin}/empty.html`);
    await phonePage.waitForTimeout(1000);
    await measure(phonePage, phoneEmpty[rate], waitSeconds, rate);
    await phonePage.goto(`${origin}/cleared.html?width=${canvas.clientWidth}&height=${canvas.clientHeight}`);
    await phonePage.waitForTimeout(1000);
    await measure(phonePage, phoneCleared[rate], waitSeconds, rate);
    await openGame(phonePage);
    await phonePage.waitForTimeout(1000);
    await measure(phonePage, phoneGame[rate], (end) => play(phonePage, end), rate);
    if (otherSite) {
      await openGame(phonePage, 'other/');
      await phonePage.waitForTimeout(1000);
      await measure(phonePage, phoneOther[rate], (end) => play(phonePage, end), rate);
    }
  }
}
const hot = await hotFunctions(phonePage, 6);
const ownCore = { cleared: newTally(), game: newTally() };
const measureOnOwnCore = os.cpus().length >= 2;
for (let round = 0; measureOnOwnCore && round < rounds; ++round) {
  await phonePage.goto(`${origin}/cleared.html?width=${canvas.clientWidth}&height=${canvas.clientHeight}`);
  await phonePage.waitForTimeout(1000);
  giveMainThreadACore();
  await measure(phonePage, ownCore.cleared, waitSeconds, 6);
  await openGame(phonePage);
  await phonePage.waitForTimeout(1000);
  giveMainThreadACore();
  await measure(phonePage, ownCore.game, (end) => play(phonePage, end), 6);
}
await phoneBrowser.close();

server.close();

const share = fps(game) / fps(empty);
const verdict = (met) => (met ? 'met' : 'missed');
const figures = (tally) => `fps ${fps(tally).toFixed(1)}  main_thread_ms_per_frame ${msPerFrame(tally).toFixed(2)}`;
console.log(`browser_frame: chromium ${version}, SwiftShader, 900 x 700, ${rounds} rounds of ${seconds} s a page`);
console.log(`browser_frame: both browsers ${browserOptions.args.join(' ')}: ${gpu}`);
console.log(`browser_frame: load (1/5/15 min) before ${loadBefore}, after ${os.loadavg().map((load) => load.toFixed(2)).join(' ')}`);
console.log(`browser_frame: empty page  ${figures(empty)}`);
console.log(`browser_frame: played game ${figures(game)}`);
console.log(`browser_frame: busy frame  ${figures(busy)}`);
console.log(`browser_frame: game at ${(share * 100).toFixed(1)}% of the empty page's frame rate, goal >= ${kGoalShareOfEmptyRate * 100}%: ${verdict(share >= kGoalShareOfEmptyRate)}`);
console.log(`browser_frame: main thread ${msPerFrame(game).toFixed(2)} ms a frame, goal <= ${kGoalMainThreadMsPerFrame} ms: ${verdict(msPerFrame(game) <= kGoalMainThreadMsPerFrame)}`);
console.log(`browser_frame: page files ${pageKiB.toFixed(1)} KiB, goal <= ${kGoalPageKiB} KiB: ${verdict(pageKiB <= kGoalPageKiB)}`);
console.log(`browser_frame: the game's title at the end: ${title}`);
console.log(`browser_frame: phone ${kPhone.viewport.width} x ${kPhone.viewport.height}, device pixel ratio ${kPhone.deviceScaleFactor}, the game's canvas ${drawingBuffer}`);
for (const rate of kPhoneThrottling) {
  const phoneShare = fps(phoneGame[rate]) / fps(phoneEmpty[rate]);
  console.log(`browser_frame: phone, CPU ${rate}x: empty page ${figures(phoneEmpty[rate])}; cleared canvas ${figures(phoneCleared[rate])}; played game ${figures(phoneGame[rate])}; game / empty ${(phoneShare * 100).toFixed(1)}%`);
  if (otherSite)
    console.log(`browser_frame: phone, CPU ${rate}x: ${otherSite}'s game ${figures(phoneOther[rate])}; / empty ${((fps(phoneOther[rate]) / fps(phoneEmpty[rate])) * 100).toFixed(1)}%`);
}
const shareAt4x = fps(phoneGame[4]) / fps(phoneEmpty[4]);
console.log(`browser_frame: phone at 4x: game at ${(shareAt4x * 100).toFixed(1)}% of the empty page's frame rate, goal >= ${kGoalPhoneShareAt4x * 100}%: ${verdict(shareAt4x >= kGoalPhoneShareAt4x)}`);
console.log(`browser_frame: phone at 6x: main thread ${msPerFrame(phoneGame[6]).toFixed(2)} ms a frame, sharing the cores with SwiftShader, goal <= ${kGoalPhoneMainThreadMsAt6x} ms: ${verdict(msPerFrame(phoneGame[6]) <= kGoalPhoneMainThreadMsAt6x)}`);
if (measureOnOwnCore) {
  console.log(`browser_frame: phone, CPU 6x, the main thread on a core of its own: cleared canvas ${figures(ownCore.cleared)}; played game ${figures(ownCore.game)}`);
  console.log(`browser_frame: phone at 6x: main thread ${msPerFrame(ownCore.game).toFixed(2)} ms a frame on a core of its own, goal <= ${kGoalPhoneMainThreadMsAt6x} ms: ${verdict(msPerFrame(ownCore.game) <= kGoalPhoneMainThreadMsAt6x)}`);
} else {
  console.log('browser_frame: phone at 6x: the main thread on a core of its own not measured: one core only');
}
console.log(`browser_frame: phone at 6x, the game's main thread by function (self time, ${kProfileSeconds} s sampled):`);
for (const line of hot) console.log(`browser_frame:   ${line}`);
