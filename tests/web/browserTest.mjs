// The web page in a real headless Chromium (Debian's, driven by puppeteer-core), served from
// build/web on 127.0.0.1:
// - a flight on the virtual clock gives the native quarnel-render frames, byte for byte, and
//   the canvas holds each of them after its partial update (and a box left off is seen);
// - a click takes pointer lock, a mouse move steers, the left button accelerates, Escape
//   pauses, Q ends the run and a click flies again;
// - on a touch screen a drag steers, a long press or a second finger accelerates and two
//   fingers put down together back up; the page fits a phone held either way;
// - F and the button fill the screen, the video button saves a WebM that ffprobe reads, the
//   link button's address shows the same scene (and, once a flight flown on the page is over,
//   carries the flight, which it replays frame for frame, or saves it as a file that
//   quarnel-render replays frame for frame), the page flies offline after a first visit,
//   and a device that asks for less motion starts paused with a play button;
// - served cross-origin isolated it gives the same frames on two threads, and unless told
//   takes threads only where the device has processors to spare;
// - a size that cannot be used gives a message and no run.
// usage: node browserTest.mjs WEB_FOLDER NATIVE_FRAMES_FOLDER TICKS [NATIVE_RENDER]
// The native folder holds f000.ppm ... of quarnel-render --size 800x600 --ticks TICKS
// --flight cruise.txt --frames 60; NATIVE_RENDER, the native quarnel-render, replays the flight
// file the page saves.
import { spawnSync } from 'node:child_process';
import { createHash } from 'node:crypto';
import { mkdtempSync, readdirSync, readFileSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

import { serveFolder } from './serveFolder.mjs';

const [webFolder, nativeFolder, ticks, nativeRender] = process.argv.slice(2);
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

const plain = await serveFolder(webFolder);
const isolated = await serveFolder(webFolder, { isolated: true });
const origin = plain.origin;

const profile = mkdtempSync(join(tmpdir(), 'quarnel-chromium-'));
const downloads = mkdtempSync(join(tmpdir(), 'quarnel-downloads-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--window-size=1000,800'],
});
const browserSession = await browser.target().createCDPSession();
await browserSession.send('Browser.setDownloadBehavior', { behavior: 'allow',
                                                           downloadPath: downloads });
const sleep = (milliseconds) => new Promise((resolve) => setTimeout(resolve, milliseconds));

function readPpm(file) {
  const data = readFileSync(file);
  const header = data.subarray(0, 64).toString('latin1').match(/^P6\s+(\d+)\s+(\d+)\s+255\s/);
  if (!header) {
    throw new Error(`${file} is no PPM`);
  }
  return data.subarray(header[0].length);
}

const sha256 = (bytes) => createHash('sha256').update(bytes).digest('hex');

async function openPage(query, width = 1000, height = 800, options = {}) {
  const page = await browser.newPage();
  await page.setViewport({ width, height, hasTouch: !!options.touch, isMobile: !!options.touch });
  if (options.media) {
    await page.emulateMediaFeatures(options.media);
  }
  if (options.processors) {
    const session = await page.createCDPSession();
    await session.send('Emulation.setHardwareConcurrencyOverride',
                       { hardwareConcurrency: options.processors });
  }
  page.on('pageerror', (error) => console.log(`page error: ${error.message}`));
  page.on('console', (message) => {
    if (message.type() === 'error' || message.type() === 'warn') {
      console.log(`page console: ${message.text()}`);
    }
  });
  await page.goto(`${options.origin || origin}/${query}`);
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

// Both pages ask for two threads, which only the isolated one can have.
async function flightEqualsNative(how, pageOrigin) {
  const page = await openPage(`?size=800x600&ticks=${ticks}&flight=cruise&frames=60&keep=1` +
                              '&threads=2', 1000, 800, { origin: pageOrigin });
  await waitFor(page, () => window.quarnel.status() === 'ended');
  const count = await frames(page);
  const program = await page.evaluate(() => window.quarnel.program());
  const threads = await page.evaluate(() => window.quarnel.threads());
  const isolatedPage = await page.evaluate(() => window.crossOriginIsolated);
  check(program === (isolatedPage ? 'quarnel-threads.js' : 'quarnel.js') &&
        threads === (isolatedPage ? 2 : 1) && isolatedPage === (how === 'isolated'),
        `${how}: cross-origin isolated ${isolatedPage}, the page flies ${program} on ` +
        `${threads} thread(s)`);
  check(count === 61, `${how}: the flight presented ${count} frames (start-up + 60)`);
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
  check(equal === 61, `${how}: ${equal} of 61 frames equal the native quarnel-render frames ` +
                      'byte for byte (RGB, 800x600, cruise)');
  const mismatches = await page.evaluate(() => window.quarnel.canvasMismatches());
  const partial = await page.evaluate(() => window.quarnel.partialFrames());
  check(mismatches === 0 && partial >= 40,
        `${how}: ${partial} frames put on the canvas as their changed rectangles, and after ` +
        `each present the canvas holds the whole frame (${mismatches} frames differ)`);
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
  check(canvas === pageDigests[count - 1], `${how}: the canvas shows the last frame unchanged`);
  const frame30 = Buffer.from(await page.evaluate(() => window.quarnel.framePixels(30)), 'base64');
  check(frame30.some((byte) => byte !== 0), `${how}: frame 30 is not black`);
  await page.close();
}

// The check that the canvas holds every frame sees a box of changed rectangles left off it.
async function droppedBoxIsSeen() {
  const page = await openPage(`?size=800x600&ticks=${ticks}&flight=cruise&frames=60&keep=1&drop=1`);
  await waitFor(page, () => window.quarnel.status() === 'ended');
  const mismatches = await page.evaluate(() => window.quarnel.canvasMismatches());
  const partial = await page.evaluate(() => window.quarnel.partialFrames());
  await page.close();
  check(partial >= 40 && mismatches > partial / 2,
        `each frame's first box left off the canvas: ${mismatches} of ${partial} partly put ` +
        'frames differ from the canvas');
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
  await waitFor(page, () => window.quarnel.framesPresented() >= 60);
  if (action === accelerate) {
    await page.mouse.up();
  }
  return { page, actedAt, list: await digests(page, 60) };
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
  check(steerParts >= 3 && steerParts < 60 && steered.list[59] !== still.list[59],
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
  check(speedParts >= 3 && speedParts < 60 && accelerated.list[59] !== still.list[59],
        `the left button held accelerates: frames part from the still run's at frame ` +
        `${speedParts} (pressed after frame ${accelerated.actedAt})`);
  await accelerated.page.close();
  return still.list;
}

// Touch runs of the same seed as the mouse runs: the hands-off frames are the still run's.
async function touchRun(action) {
  const page = await openPage('?size=320x240&seed=7&keep=1', 640, 480, { touch: true });
  await waitFor(page, () => window.quarnel.framesPresented() >= 10);
  const actedAt = await frames(page);
  const held = await action(page);
  await waitFor(page, () => window.quarnel.framesPresented() >= 60);
  const list = await digests(page, 60);
  await page.close();
  return { actedAt, list, held };
}

const heldButtons = (page) => page.evaluate(() => window.quarnel.heldButtons().join(','));

async function touchDrag(page) {
  const finger = await page.touchscreen.touchStart(320, 240);
  for (let step = 1; step <= 6; step++) {
    await finger.move(320 + 12 * step, 240 + 3 * step);
  }
  const held = await heldButtons(page);
  await waitFor(page, (n) => window.quarnel.framesPresented() > n + 25,
                await frames(page), 10000);
  await finger.end();
  return held;
}

async function touchLongPress(page) {
  const finger = await page.touchscreen.touchStart(320, 240);
  await sleep(700);
  const held = await heldButtons(page);
  await waitFor(page, () => window.quarnel.framesPresented() >= 60, null, 10000);
  await finger.end();
  return held;
}

async function touchSecondFinger(page) {
  const first = await page.touchscreen.touchStart(300, 240);
  await first.move(306, 240);
  await first.move(314, 240); // moving: not a long press
  await sleep(400);
  const second = await page.touchscreen.touchStart(380, 300);
  await sleep(100);
  const held = await heldButtons(page);
  await waitFor(page, () => window.quarnel.framesPresented() >= 60, null, 10000);
  await second.end();
  await first.end();
  return held;
}

async function touchTwoTogether(page) {
  const first = await page.touchscreen.touchStart(300, 240);
  const second = await page.touchscreen.touchStart(360, 240);
  await sleep(100);
  const held = await heldButtons(page);
  await waitFor(page, () => window.quarnel.framesPresented() >= 60, null, 10000);
  await second.end();
  await first.end();
  return held;
}

async function touchInput(still) {
  const runs = {};
  for (const [name, action] of [['a drag', touchDrag], ['a long press', touchLongPress],
                                ['a second finger', touchSecondFinger],
                                ['two fingers together', touchTwoTogether]]) {
    runs[name] = await touchRun(action);
    const parts = parting(still, runs[name].list);
    check(parts >= 3 && parts < 60 && runs[name].list[59] !== still[59],
          `touch, ${name}: the frames part from the hands-off run's at frame ${parts} ` +
          `(touched after frame ${runs[name].actedAt})`);
  }
  // The presses the program was given: none for a drag, the left button (faster) for a long
  // press or a second finger, the right one (back) for two fingers put down together.
  const held = Object.values(runs).map((run) => run.held).join(' ');
  check(held === ' 1 1 2', `touch: the buttons held were "${held}" (drag, long press, second ` +
                           'finger, two together)');
}

// A phone held upright and then turned: the picture fits the screen either way, and flies.
async function phone() {
  const page = await openPage('', 390, 844, { touch: true });
  await waitFor(page, () => window.quarnel.framesPresented() >= 5, null, 10000);
  const fits = () => page.evaluate(() => {
    const box = document.getElementById('screen').getBoundingClientRect();
    const tools = document.getElementById('tools').getBoundingClientRect();
    return box.left >= 0 && box.top >= 0 && box.right <= window.innerWidth + 0.5 &&
           box.bottom <= window.innerHeight + 0.5 && tools.right <= window.innerWidth &&
           (box.width >= window.innerWidth - 1 || box.height >= window.innerHeight - 1);
  });
  const shape = () => page.evaluate(() => {
    const box = document.getElementById('screen').getBoundingClientRect();
    return `picture ${box.width}x${box.height} at ${box.left},${box.top} in ` +
           `${window.innerWidth}x${window.innerHeight}`;
  });
  check(await fits(), `a phone upright (390x844): the picture fills the screen (${await shape()})`);
  await page.setViewport({ width: 844, height: 390, hasTouch: true, isMobile: true });
  const before = await frames(page);
  await waitFor(page, (n) => window.quarnel.framesPresented() > n + 5, before, 10000);
  check(await fits(),
        `the phone turned (844x390): the picture fits and flies on (${await shape()})`);
  await page.close();
}

async function fullscreen() {
  const page = await openPage('?size=320x240&seed=7', 640, 480);
  await waitFor(page, () => window.quarnel.framesPresented() >= 3);
  await page.click('#fullscreenButton');
  await waitFor(page, () => document.fullscreenElement !== null, null, 5000);
  check(true, 'the full screen button fills the screen');
  await page.keyboard.press('f');
  await waitFor(page, () => document.fullscreenElement === null, null, 5000);
  await page.keyboard.press('F');
  await waitFor(page, () => document.fullscreenElement !== null, null, 5000);
  check(await page.evaluate(() => window.quarnel.status()) === 'running',
        'F leaves full screen and enters it again, and the run flies on');
  await page.close();
}

async function video() {
  const page = await openPage('?size=320x240&seed=11', 640, 480);
  await waitFor(page, () => window.quarnel.framesPresented() >= 3);
  await page.click('#videoButton');
  await waitFor(page, () => window.quarnel.recording(), null, 5000);
  const startedAt = await frames(page);
  await waitFor(page, (n) => window.quarnel.framesPresented() > n + 60, startedAt, 20000);
  await page.click('#videoButton');
  await waitFor(page, () => window.quarnel.videosSaved() === 1, null, 10000);
  const seed = await page.evaluate(() => window.quarnel.seed());
  const name = `quarnel-${seed}.webm`;
  for (let wait = 0; wait < 100 && !readdirSync(downloads).includes(name); wait++) {
    await sleep(100);
  }
  await page.close();
  const probe = spawnSync('ffprobe',
                          ['-v', 'error', '-select_streams', 'v:0', '-count_frames',
                           '-show_entries', 'stream=codec_name,width,height,nb_read_frames',
                           '-of', 'csv=p=0', join(downloads, name)],
                          { encoding: 'utf8' });
  const [codec, width, height, count] = probe.stdout.trim().split(',');
  check(probe.status === 0 && /^vp[89]$/.test(codec) && width === '320' && height === '240' &&
        Number(count) > 10,
        `the video button saves ${name}: ffprobe reads ${probe.stdout.trim() || probe.stderr}`);
}

// The link names the scene the page chose itself; opened, it shows the same frames.
async function link() {
  await browser.defaultBrowserContext().overridePermissions(origin, ['clipboard-read',
                                                                     'clipboard-write',
                                                                     'clipboard-sanitized-write']);
  const first = await openPage('?size=320x240&speed=31&keep=1', 640, 480);
  await waitFor(first, () => window.quarnel.framesPresented() >= 20);
  await first.click('#linkButton');
  await waitFor(first, () => window.quarnel.lastLink() !== '', null, 5000);
  const address = await first.evaluate(() => window.quarnel.lastLink());
  const copied = await first.evaluate(() => navigator.clipboard.readText().catch((e) => `${e}`));
  const seed = await first.evaluate(() => window.quarnel.seed());
  check(copied === address && new URL(address).searchParams.get('seed') === String(seed) &&
        /size=320x240/.test(address) && /speed=31/.test(address),
        `the link button copies ${address}`);
  const own = await digests(first, 20);
  await first.close();
  const second = await openPage(`${new URL(address).search}&keep=1`, 640, 480);
  await waitFor(second, () => window.quarnel.framesPresented() >= 20);
  const again = await digests(second, 20);
  await second.close();
  check(parting(own, again) === 20, `the link shows the same scene: ${parting(own, again)} of ` +
                                    '20 frames equal');
}

// A flight flown on the page, steered and then ended with Q: its frames, kept.
async function flownFlight() {
  const page = await openPage('?size=320x240&speed=27&keep=1', 640, 480);
  await waitFor(page, () => window.quarnel.framesPresented() >= 3);
  await page.mouse.click(320, 240);
  await waitFor(page, () => document.pointerLockElement !== null, null, 5000);
  await page.mouse.move(360, 230, { steps: 4 });
  await page.mouse.down();
  await waitFor(page, () => window.quarnel.framesPresented() >= 30);
  await page.mouse.up();
  await page.mouse.move(300, 260, { steps: 4 });
  await waitFor(page, () => window.quarnel.framesPresented() >= 50);
  await page.keyboard.down('q');
  await waitFor(page, () => window.quarnel.status() === 'ended', null, 5000);
  await page.keyboard.up('q');
  const count = await frames(page);
  return { page, count, list: await digests(page, count) };
}

// After a flight flown here the link carries it, and opened shows every frame of it again; a
// flight too long for an address is saved as a file instead, which quarnel-render replays
// frame for frame.
async function recordedLink() {
  const flown = await flownFlight();
  const first = flown.page;
  const seed = await first.evaluate(() => window.quarnel.seed());
  const text = await first.evaluate(() => window.quarnel.flown());
  const steps = text ? text.split('\n').filter((line) => /^-?\d+ -?\d+ \d+$/.test(line)).length : 0;
  check(text && text.startsWith(`# quarnel flight: size 320x240 ticks ${seed} speed 27`) &&
        steps === flown.count - 1,
        `the page records the flight it flew: ${steps} steps for ${flown.count} frames`);
  await first.click('#linkButton');
  await waitFor(first, () => window.quarnel.lastLink() !== '', null, 5000);
  const address = new URL(await first.evaluate(() => window.quarnel.lastLink()));
  check(address.searchParams.get('ticks') === String(seed) && address.searchParams.has('recorded'),
        `after the flight the link carries it: ${address.href.length} characters`);
  const replay = await openPage(`${address.search}&keep=1`, 640, 480);
  await waitFor(replay, () => window.quarnel.status() === 'ended');
  const replayed = await digests(replay, flown.count);
  await replay.close();
  check(parting(flown.list, replayed) === flown.count,
        `the link replays the flight: ${parting(flown.list, replayed)} of ${flown.count} frames ` +
        'equal');

  // Too long for the address the page allows: saved as a file.
  await first.evaluate(() => window.quarnel.setLongestAddress(100));
  await first.click('#linkButton');
  await waitFor(first, () => window.quarnel.flightsSaved() === 1, null, 5000);
  const shortLink = new URL(await first.evaluate(() => window.quarnel.lastLink()));
  await first.close();
  const name = `quarnel-${seed}-flight.txt`;
  for (let wait = 0; wait < 100 && !readdirSync(downloads).includes(name); wait++) {
    await sleep(100);
  }
  const saved = readdirSync(downloads).includes(name) ?
    readFileSync(join(downloads, name), 'utf8') : '';
  check(saved === text && !shortLink.searchParams.has('recorded') &&
        shortLink.searchParams.get('seed') === String(seed),
        `a flight too long for the address is saved as ${name}, the link names its scene`);
  if (nativeRender && saved) {
    const out = mkdtempSync(join(tmpdir(), 'quarnel-replay-'));
    const render = spawnSync(nativeRender, ['--flight', join(downloads, name), '--out',
                                            join(out, 'f%03d.ppm')], { encoding: 'utf8' });
    let equal = 0;
    for (let n = 0; n < flown.count; n++) {
      const file = join(out, `f${String(n).padStart(3, '0')}.ppm`);
      if (readdirSync(out).includes(`f${String(n).padStart(3, '0')}.ppm`) &&
          sha256(readPpm(file)) === flown.list[n]) {
        equal++;
      }
    }
    rmSync(out, { recursive: true, force: true });
    check(render.status === 0 && equal === flown.count,
          `quarnel-render replays the saved flight: ${equal} of ${flown.count} frames equal the ` +
          `page's${render.status === 0 ? '' : ` (${render.stderr.trim()})`}`);
  }

  // An address whose flight is not one gives a message and no run.
  for (const data of ['AAAA', 'no+base64']) {
    const broken = await openPage(`?size=320x240&ticks=5&recorded=${data}`, 640, 480);
    await waitFor(broken, () => window.quarnel.message() !== '', null, 10000);
    const text = await broken.evaluate(() => window.quarnel.message());
    const shown = await frames(broken);
    await broken.close();
    check(/recorded flight in the address cannot be read/.test(text) && shown === 0,
          `recorded=${data}: "${text}" and ${shown} frames`);
  }
}

async function lessMotion() {
  const page = await openPage('?size=320x240&seed=7', 640, 480,
                              { media: [{ name: 'prefers-reduced-motion', value: 'reduce' }] });
  await waitFor(page, () => window.quarnel.status() === 'paused', null, 10000);
  await sleep(500);
  const still = await frames(page);
  const playShown = await page.$eval('#play', (panel) => !panel.classList.contains('hidden'));
  check(still <= 3 && playShown, `less motion asked: the page waits after ${still} frames with ` +
                                 'a play button');
  await page.click('#playButton');
  await waitFor(page, (n) => window.quarnel.framesPresented() > n + 10, still, 10000);
  check(true, 'the play button flies on');
  await page.close();
}

// A first visit leaves the page's files with the service worker; with the server gone the
// page still loads and flies.
async function offline() {
  const server = await serveFolder(webFolder);
  const page = await browser.newPage();
  await page.setViewport({ width: 640, height: 480 });
  await page.goto(`${server.origin}/?size=320x240&seed=5`);
  await waitFor(page, () => window.quarnel.framesPresented() >= 3);
  await page.evaluate(async () => {
    await navigator.serviceWorker.ready;
    for (let wait = 0; wait < 100; wait++) {
      const cache = await caches.open('quarnel');
      if (await cache.match('quarnel.wasm')) {
        return;
      }
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
  });
  const manifest = await page.evaluate(async () => {
    const link = document.querySelector('link[rel=manifest]');
    return (await (await fetch(link.href)).json()).display;
  });
  await server.close();
  await page.reload();
  await waitFor(page, () => window.quarnel.framesPresented() >= 5, null, 10000);
  check(await page.evaluate(() => window.quarnel.status()) === 'running',
        `offline after a first visit: the page loads and flies (manifest display ${manifest})`);
  await page.close();
}

// Unless the address says, an isolated page leaves one of the device's processors to the
// browser: on two it flies the program without threads, on four the threaded one on three; a
// page that is not isolated flies on one whatever the device has.
async function threadChoice() {
  const cases = [[isolated.origin, 2, 'quarnel.js', 1],
                 [isolated.origin, 4, 'quarnel-threads.js', 3],
                 [plain.origin, 8, 'quarnel.js', 1]];
  for (const [pageOrigin, processors, expected, expectedThreads] of cases) {
    const page = await openPage('?size=320x240&seed=7', 640, 480,
                                { origin: pageOrigin, processors });
    await waitFor(page, () => window.quarnel.framesPresented() >= 3, null, 20000);
    const program = await page.evaluate(() => window.quarnel.program());
    const threads = await page.evaluate(() => window.quarnel.threads());
    const seen = await page.evaluate(() => navigator.hardwareConcurrency);
    check(program === expected && threads === expectedThreads && seen === processors,
          `${pageOrigin === isolated.origin ? 'isolated' : 'plain'} page, ${seen} processors: ` +
          `it flies ${program} on ${threads} thread(s)`);
    await page.close();
  }
  const page = await openPage('?threads=0');
  await waitFor(page, () => window.quarnel.status() === 'error', null, 10000);
  const message = await page.evaluate(() => window.quarnel.message());
  check(/cannot be used/.test(message), `threads=0: "${message}"`);
  await page.close();
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
  await flightEqualsNative('plain', plain.origin);
  await flightEqualsNative('isolated', isolated.origin);
  await droppedBoxIsSeen();
  const still = await interaction();
  await touchInput(still);
  await phone();
  await fullscreen();
  await video();
  await link();
  await recordedLink();
  await lessMotion();
  await offline();
  await threadChoice();
  await unusableSizes();
  await frameRate('800x600');
  await frameRate('1920x1080');
} catch (error) {
  check(false, `the browser test ran to its end: ${error.message}`);
} finally {
  await browser.close();
  await plain.close();
  await isolated.close();
  rmSync(profile, { recursive: true, force: true });
  rmSync(downloads, { recursive: true, force: true });
}
console.log(failures === 0 ? 'browser test passed' : `browser test: ${failures} checks failed`);
process.exit(failures === 0 ? 0 : 1);
