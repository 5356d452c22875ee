// Program work per frame, the web page in headless Chromium against the native headless build,
// in one run: the cruise flight on the virtual clock (ticks 20020, 120 frames), the two taken in
// turn at each size so that the machine's load falls on both alike. Not a test: figures for the
// README. Native: quarnel-render --benchmark, the median from one presentation to the next.
// Web: the page's median from the animation frame to the end of its present.
// usage: node frameTimes.mjs WEB_FOLDER NATIVE_RENDER [RUNS] [SIZES] [THREADS] [QUERY]
//   SIZES: comma-separated, default 800x600,1920x1080; THREADS: default 1; QUERY: more of the
//   page's address (say "threads=2"), added to every page run.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

import { serveFolder } from './serveFolder.mjs';

const [webFolder, nativeRender, runsText, sizesText, threadsText, query] = process.argv.slice(2);
if (!webFolder || !nativeRender) {
  console.error('usage: node frameTimes.mjs WEB_FOLDER NATIVE_RENDER [RUNS] [SIZES] [THREADS] ' +
                '[QUERY]');
  process.exit(2);
}
const runs = Number(runsText || 5);
const sizes = (sizesText || '800x600,1920x1080').split(',');
const threads = Number(threadsText || 1);
const frames = 120;
const ticks = 20020;

const median = (list) => list.slice().sort((a, b) => a - b)[Math.floor(list.length / 2)];

function nativeRun(size) {
  const result = spawnSync(nativeRender, ['--size', size, '--ticks', String(ticks), '--flight',
                                          'flights/cruise.txt', '--frames', String(frames),
                                          '--benchmark', '--threads', String(threads)],
                           { encoding: 'utf8' });
  const match = /median frame time ([\d.]+) ms/.exec(result.stdout);
  if (!match) {
    throw new Error(`${nativeRender}: ${result.stdout}${result.stderr}`);
  }
  return Number(match[1]);
}

const { origin, close } = await serveFolder(webFolder, { isolated: true });
const profile = mkdtempSync(join(tmpdir(), 'quarnel-chromium-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         '--window-size=1000,800'],
});

async function webRun(size) {
  const page = await browser.newPage();
  await page.setViewport({ width: 1000, height: 800 });
  const extra = query ? `&${query}` : '';
  await page.goto(`${origin}/?size=${size}&ticks=${ticks}&flight=cruise&frames=${frames}${extra}`);
  await page.waitForFunction(() => window.quarnel.status() === 'ended', { timeout: 120000,
                                                                          polling: 50 });
  const { work, show, loaded } = await page.evaluate(() => ({
    work: window.quarnel.frameMilliseconds(), show: window.quarnel.showMilliseconds(),
    loaded: window.quarnel.firstFrameMilliseconds() }));
  await page.close();
  return { work: median(work.slice(5)), show: median(show.slice(5)), loaded };
}

try {
  const wasmBytes = spawnSync('stat', ['-c', '%s', join(webFolder, 'quarnel.wasm')],
                              { encoding: 'utf8' }).stdout.trim();
  console.log(`${runs} runs a size, ${frames} frames of the cruise flight, ${threads} thread(s); ` +
              `quarnel.wasm ${wasmBytes} bytes${query ? `; page query ${query}` : ''}`);
  console.log('| size | native | web | web / native | of which canvas | first frame |');
  console.log('|---|---|---|---|---|---|');
  for (const size of sizes) {
    const native = [];
    const web = [];
    const show = [];
    const loaded = [];
    for (let run = 0; run < runs; run++) {
      native.push(nativeRun(size));
      const result = await webRun(size);
      web.push(result.work);
      show.push(result.show);
      loaded.push(result.loaded);
    }
    const n = median(native);
    const w = median(web);
    console.log(`| ${size} | ${n.toFixed(2)} ms | ${w.toFixed(2)} ms | ${(w / n).toFixed(2)} | ` +
                `${median(show).toFixed(2)} ms | ${median(loaded).toFixed(0)} ms |`);
  }
} finally {
  await browser.close();
  close();
  rmSync(profile, { recursive: true, force: true });
}
