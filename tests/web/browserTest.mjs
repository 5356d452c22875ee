// The web page in a real headless Chromium (Debian's, driven by puppeteer-core), served from
// build/web on 127.0.0.1:
// - a flight on the virtual clock gives the native quarnel-render frames, byte for byte;
// - a click takes pointer lock, a mouse move steers, the left button accelerates, Escape
//   pauses, Q ends the run and a click flies again;
// - a size that cannot be used gives a message and no run.
// usage: node browserTest.mjs WEB_FOLDER NATIVE_FRAMES_FOLDER TICKS
// The native folder holds f000.ppm ... of quarnel-render --size 800x600 --ticks TICKS
// --flight cruise.txt --frames 60.
import { createHash } from 'node:crypto';
import { mkdtempSync, readFileSync, rmSync } from 'node:fs';
import { createServer } from 'node:http';
import { tmpdir } from 'node:os';
import { extname, join, normalize } from 'node:path';
import puppeteer from 'puppeteer-core';

const [webFolder, nativeFolder, ticks] = process.argv.slice(2);
if (!webFolder || !nativeFolder || !ticks) {
  console.error('usage: node browserTest.mjs WEB_FOLDER NATIVE_FRAMES_FOLDER TICKS');
  process.exit(2);
}

let failures = 0;
function check(condition, text) {
  console.log(`${condition ? 'ok  ' : 'FAIL'} ${text}`);
  if (!condition) {
    failures++;
  }
}

const types = { '.html': 'text/html', '.js': 'text/javascript', '.wasm': 'application/wasm',
                '.txt': 'text/plain' };
const server = createServer((request, response) => {
  const path = normalize(decodeURIComponent(new URL(request.url, 'http://x').pathname));
  const file = join(webFolder, path.endsWith('/') ? `${path}index.html` : path);
  try {
    const body = readFileSync(file);
    response.writeHead(200, { 'Content-Type': types[extname(file)] || 'application/octet-stream' });
    response.end(body);
  } catch {
    response.writeHead(404);
    response.end();
  }
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const origin = `http://127.0.0.1:${server.address().port}`;

const profile = mkdtempSync(join(tmpdir(), 'quarnel-chromium-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--window-size=1000,800'],
});

function readPpm(file) {
  const data = readFileSync(file);
  const header = data.subarray(0, 64).toString('latin1').match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  if (!header) {
    throw new Error(`${file} is no PPM`);
  }
  return data.subarray(header[0].length);
}

const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');

async function openPage(query, width = 1000, height = 800) {
  const page = await browser.newPage();
  await page.setViewport({ width, height });
  page.on('pageerror', (error) => console.log(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn') {
      console.log(`page console: ${message.text()}`);
    }
  });
  await page.goto(`${origin}/${query}`);
  return page;
}

async function waitFor(page, condition, argument, timeout = 60000) {
  try {
    await page.waitForFunction(condition, { timeout, polling: 20 }, argument);
  } catch (error) {
    const state = await page.evaluate(() => `status ${window.quarnel.status()}, ` +
      `${window.quarnel.framesPresented()} frames, pointer lock ${!!document.pointerLockElement}`);
    throw new Error(`${error.message} waiting for ${condition} (${state})`);
  }
}

const frames = (page) => page.evaluate(() => window.quarnel.framesPresented());
const digests = (page, count) => page.evaluate(async (n) => {
  const list = [];
  for (let i = 0; i < n; i++) {
    list.push(await window.quarnel.frameDigest(i));
  }
  return list;
}, count);

async function flightEqualsNative() {
  const page = await openPage(`?size=800x600&ticks=${ticks}&flight=cruise&frames=60&keep=1`);
  await waitFor(page, () => window.quarnel.status() === 'ended');
  const count = await frames(page);
  check(count === 61, `deterministic flight presented ${count} frames (start-up + 60)`);
  const pageDigests = await digests(page, count);
  let equal = 0;
  let firstDifference = -1;
  for (let n = 0; n < count; n++) {
    const name = join(nativeFolder, `f${String(n).padStart(3, '0')}.ppm`);
    if (sha256(readPpm(name)) === pageDigests[n]) {
      equal++;
    } else if (firstDifference < 0) {
      firstDifference = n;
    }
  }
  check(equal === 61, `${equal} of 61 frames equal the native quarnel-render frames byte for ` +
                      'byte (RGB, 800x600, cruise)');
  if (firstDifference >= 0) {
    const native = readPpm(join(nativeFolder, `f${String(firstDifference).padStart(3, '0')}.ppm`));
    const ours = Buffer.from(await page.evaluate((n) => window.quarnel.framePixels(n),
                                                 firstDifference), 'base64');
    let at = 0;
    while (at < native.length && native[at] === ours[at]) {
      at++;
    }
    console.log(`     frame ${firstDifference}: first different byte ${at} (pixel ` +
                `${Math.floor(at / 3) % 800}, ${Math.floor(at / 3 / 800)})`);
  }
  // What the canvas holds is the last frame itself.
  const canvas = await page.evaluate(() => window.quarnel.canvasDigest());
  check(canvas === pageDigests[count - 1], 'the canvas shows the last frame unchanged');
  const frame30 = Buffer.from(await page.evaluate(() => window.quarnel.framePixels(30)), 'base64');
  check(frame30.some((byte) => byte !== 0), 'frame 30 is not black');
  await page.close();
}

// Interactive runs of one seed: with no input every run shows the same frames, so a run that
// steers or accelerates must part from the still one.
async function interactiveRun(action) {
  const page = await openPage('?size=320x240&seed=7&keep=1', 640, 480);
  await waitFor(page, () => window.quarnel.framesPresented() >= 3);
  await page.mouse.click(320, 240);
  await waitFor(page, () => document.pointerLockElement === document.getElementById('screen'),
                null, 5000);
  await waitFor(page, () => window.quarnel.framesPresented() >= 10);
  const actedAt = action ? await frames(page) : -1;
  if (action) {
    await action(page);
  }
  await waitFor(page, () => window.quarnel.framesPresented() >= 40);
  if (action === accelerate) {
    await page.mouse.up();
  }
  return { page, actedAt, list: await digests(page, 40) };
}

async function steer(page) {
  await page.mouse.move(380, 250, { steps: 3 });
}

async function accelerate(page) {
  await page.mouse.down();
}

function parting(still, other) {
  let first = 0;
  while (first < still.length && still[first] === other[first]) {
    first++;
  }
  return first;
}

async function interaction() {
  const still = await interactiveRun(null);
  check(await still.page.evaluate(() => window.quarnel.status()) === 'running',
        'a click takes pointer lock and the run flies on');
  await still.page.close();

  const steered = await interactiveRun(steer);
  const steerParts = parting(still.list, steered.list);
  check(steerParts >= 3 && steerParts < 40 && steered.list[39] !== still.list[39],
        `a mouse move steers: the picture parts from the still run's at frame ${steerParts} ` +
        `(moved after frame ${steered.actedAt})`);

  // Escape leaves pointer lock and pauses; a click flies on.
  await steered.page.keyboard.press('Escape');
  await waitFor(steered.page, () => window.quarnel.status() === 'paused', null, 5000);
  const pausedAt = await frames(steered.page);
  await new Promise((resolve) => setTimeout(resolve, 400));
  const stillPaused = await frames(steered.page);
  check(stillPaused <= pausedAt + 1,
        `Escape pauses: ${stillPaused - pausedAt} frames in 0.4 s`);
  const locked = await steered.page.evaluate(() => document.pointerLockElement !== null);
  check(!locked, 'Escape leaves pointer lock');
  // Chromium refuses pointer lock for a moment after the user has left it.
  await new Promise((resolve) => setTimeout(resolve, 1200));
  await steered.page.mouse.click(320, 240);
  await waitFor(steered.page, (n) => window.quarnel.framesPresented() > n + 5, stillPaused, 5000);
  check(true, 'a click after the pause flies on');

  // Q ends the run and offers another; a click starts it.
  // Held as a person holds it: the program reads the keyboard once a frame, so a press and
  // release between two frames is not seen, as on Windows.
  await steered.page.keyboard.down('q');
  await waitFor(steered.page, () => window.quarnel.status() === 'ended', null, 5000);
  await steered.page.keyboard.up('q');
  const endedText = await steered.page.$eval('#ended', (panel) =>
    (panel.classList.contains('hidden') ? '' : panel.textContent));
  check(/fly again/.test(endedText), `Q ends the run: "${endedText}"`);
  await new Promise((resolve) => setTimeout(resolve, 300));
  await steered.page.mouse.click(320, 240);
  await waitFor(steered.page, () => window.quarnel.runs() === 2 &&
                window.quarnel.framesPresented() >= 5, null, 10000);
  check(true, 'a click on the ended page starts a new run');
  await steered.page.close();

  const accelerated = await interactiveRun(accelerate);
  const speedParts = parting(still.list, accelerated.list);
  check(speedParts >= 3 && speedParts < 40 && accelerated.list[39] !== still.list[39],
        `the left button held accelerates: frames part from the still run's at frame ` +
        `${speedParts} (pressed after frame ${accelerated.actedAt})`);
  await accelerated.page.close();
}

async function unusableSizes() {
  for (const size of ['0x0', '100000x100000', 'garbage']) {
    const page = await openPage(`?size=${size}`);
    await waitFor(page, () => window.quarnel.status() === 'error', null, 10000);
    const message = await page.evaluate(() => window.quarnel.message());
    const count = await frames(page);
    check(/cannot be used/.test(message) && count === 0,
          `size=${size}: "${message}" and ${count} frames`);
    await page.close();
  }
}

// Not a check: how fast the page flies here, for the log. The flight on the virtual clock makes
// every run do the same work.
async function frameRate(size) {
  const page = await openPage(`?size=${size}&ticks=20020&flight=cruise&frames=120`, 1000, 800);
  await waitFor(page, () => window.quarnel.status() === 'ended', null, 120000);
  const { work, show, presents } = await page.evaluate(() => ({
    work: window.quarnel.frameMilliseconds(), show: window.quarnel.showMilliseconds(),
    presents: window.quarnel.presentTimes() }));
  await page.close();
  const median = (list) => list.slice().sort((a, b) => a - b)[Math.floor(list.length / 2)];
  const recent = presents.slice(5);
  const shown = (recent.length - 1) * 1000 / (recent[recent.length - 1] - recent[0]);
  console.log(`info ${size}: ${shown.toFixed(1)} frames per second shown (animation frames); ` +
              `median ${median(work.slice(5)).toFixed(2)} ms of work per frame, of which ` +
              `${median(show.slice(5)).toFixed(2)} ms putting it on the canvas`);
}

try {
  await flightEqualsNative();
  await interaction();
  await unusableSizes();
  await frameRate('800x600');
  await frameRate('1920x1080');
} catch (error) {
  check(false, `the browser test ran to its end: ${error.message}`);
} finally {
  await browser.close();
  server.close();
  rmSync(profile, { recursive: true, force: true });
}
console.log(failures === 0 ? 'browser test passed' : `browser test: ${failures} checks failed`);
process.exit(failures === 0 ? 0 : 1);
