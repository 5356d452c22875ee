// Program work per frame, the web page in headless Chromium against the native headless build,
// in one run: the cruise flight on the virtual clock (ticks 20020, 120 frames), the native
// program and each page taken in turn at each size, the pages in another order every run, so
// that the machine's load falls on all alike. Not a test: figures for the README. Native:
// quarnel-render --benchmark, the median from one presentation to the next, frames one after
// another and (--paced) started sixty a second as the page's animation frames start its own;
// a page's ratio is to the native figure flown as it flies. Web: the page's median from the
// animation frame to the end of its present, and the time from navigation to the first frame;
// then, from frame 10 to the end, the processor time of all of Chromium's processes per frame,
// which takes in what the page's thread hands on (the compositor's work, and a GPU process's),
// the processor time of the page's own thread per frame and the time it waited, ready, for a
// processor (the kernel's schedstat of the renderer's main thread), and the frames shown per
// second.
// usage: node frameTimes.mjs NATIVE_RENDER WEB_FOLDER[?query]... [--runs N]
//        [--sizes 800x600,...] [--threads N] [--query more=of&the=address]
//        [--viewport WxH (the browser's window, 1000x800 unless given)]
//        [--node RENDER_JS (the WebAssembly quarnel-render.js, flown back to back under
//        Node in each run: the compiled program's own work, with no page and no canvas)]
// Several web folders (say a build from before a change and one after) become columns; a
// folder's own ?query is added to its page's address. With ?unpaced=1 the page flies its
// frames one after another, as the native --benchmark does, rather than one an animation frame.
import { spawnSync } from 'node:child_process';
import { mkdtempSync, readdirSync, readFileSync, rmSync, statSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { basename, join } from 'node:path';
import puppeteer from 'puppeteer-core';

import { serveFolder } from './serveFolder.mjs';

const options = { runs: '5', sizes: '800x600,1920x1080', threads: '1', query: '',
                  viewport: '1000x800' };
const positional = [];
const args = process.argv.slice(2);
for (let at = 0; at < args.length; at++) {
  if (args[at].startsWith('--')) {
    options[args[at].slice(2)] = args[++at];
  } else {
    positional.push(args[at]);
  }
}
const [nativeRender, ...columns] = positional;
const webFolders = columns.map((column) => column.split('?')[0]);
const webQueries = columns.map((column) => column.split('?')[1] || '');
if (!nativeRender || webFolders.length === 0) {
  console.error('usage: node frameTimes.mjs NATIVE_RENDER WEB_FOLDER[?query]... [--runs N] ' +
                '[--sizes 800x600,...] [--threads N] [--query QUERY]');
  process.exit(2);
}
const runs = Number(options.runs);
const frames = 120;
const ticks = 20020;

const median = (list) => list.slice().sort((a, b) => a - b)[Math.floor(list.length / 2)];

// paced: each frame started on the next sixtieth of a second, as the page's animation frames
// start its frames.
// program: a native quarnel-render, or a quarnel-render.js that Node runs.
function nativeRun(size, paced, program = nativeRender) {
  const underNode = program.endsWith('.js');
  const result = spawnSync(underNode ? process.execPath : program,
                           [...(underNode ? [program] : []), '--size', size, '--ticks',
                            String(ticks), '--flight', 'flights/cruise.txt', '--frames',
                            String(frames), '--benchmark', '--threads', options.threads,
                            ...(paced ? ['--paced'] : [])],
                           { encoding: 'utf8' });
  const match = /median frame time ([\d.]+) ms/.exec(result.stdout);
  if (!match) {
    throw new Error(`${program}: ${result.stdout}${result.stderr}`);
  }
  return Number(match[1]);
}

const servers = [];
for (const folder of webFolders) {
  servers.push(await serveFolder(folder, { isolated: true }));
}
const profile = mkdtempSync(join(tmpdir(), 'quarnel-chromium-'));
const browser = await puppeteer.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  headless: true,
  userDataDir: profile,
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync',
         `--window-size=${options.viewport.replace('x', ',')}`],
});

const clockTick = 1000 / Number(spawnSync('getconf', ['CLK_TCK'], { encoding: 'utf8' }).stdout ||
                                100);

// The browser and every process under it, in milliseconds: `cpu`, the processor time (user
// and system) of them all; `renderers`, by process id, the processor time and the time waiting
// to run of each renderer's main thread, where the kernel keeps schedstat.
function browserProcesses() {
  const parents = new Map();
  const times = new Map();
  for (const name of readdirSync('/proc')) {
    if (!/^\d+$/.test(name)) {
      continue;
    }
    try {
      const stat = readFileSync(`/proc/${name}/stat`, 'utf8');
      const fields = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
      parents.set(Number(name), Number(fields[1]));
      times.set(Number(name), (Number(fields[11]) + Number(fields[12])) * clockTick);
    } catch {
      // gone meanwhile
    }
  }
  const root = browser.process().pid;
  const result = { cpu: 0, renderers: new Map() };
  for (const [pid, time] of times) {
    for (let at = pid; at > 1; at = parents.get(at)) {
      if (at === root) {
        result.cpu += time;
        try {
          if (readFileSync(`/proc/${pid}/cmdline`, 'utf8').includes('--type=renderer')) {
            const [run, wait] = readFileSync(`/proc/${pid}/schedstat`, 'utf8').split(' ');
            result.renderers.set(pid, { run: Number(run) / 1e6, wait: Number(wait) / 1e6 });
          }
        } catch {
          // gone meanwhile, or no schedstat
        }
        break;
      }
    }
  }
  return result;
}

// The page's thread is the main thread of the renderer that ran the most meanwhile (a
// threaded page's workers are not in it); null where the kernel keeps no schedstat.
function pageThread(before, after) {
  if (after.size === 0) {
    return null;
  }
  let busiest = { run: 0, wait: 0 };
  for (const [pid, end] of after) {
    const start = before.get(pid) || { run: 0, wait: 0 };
    if (end.run - start.run > busiest.run) {
      busiest = { run: end.run - start.run, wait: end.wait - start.wait };
    }
  }
  return busiest;
}

async function webRun(origin, query, size) {
  const page = await browser.newPage();
  const [viewWidth, viewHeight] = options.viewport.split('x').map(Number);
  await page.setViewport({ width: viewWidth, height: viewHeight });
  // Served cross-origin isolated, a page told more than one thread takes its threaded program;
  // a folder's own ?threads= stands.
  const extra = (new URLSearchParams(query).has('threads') ? '' : `&threads=${options.threads}`) +
                (options.query ? `&${options.query}` : '') + (query ? `&${query}` : '');
  await page.goto(`${origin}/?size=${size}&ticks=${ticks}&flight=cruise&frames=${frames}${extra}`);
  await page.waitForFunction(() => window.quarnel.framesPresented() >= 10, { timeout: 120000,
                                                                             polling: 10 });
  const cpuStart = performance.now();
  const from = browserProcesses();
  const framesFrom = await page.evaluate(() => window.quarnel.framesPresented());
  await page.waitForFunction(() => window.quarnel.status() === 'ended', { timeout: 120000,
                                                                          polling: 10 });
  const to = browserProcesses();
  const cpu = to.cpu - from.cpu;
  const thread = pageThread(from.renderers, to.renderers);
  const cpuEnd = performance.now();
  const result = await page.evaluate(() => ({
    work: window.quarnel.frameMilliseconds(), show: window.quarnel.showMilliseconds(),
    first: window.quarnel.presentTimes()[0], frames: window.quarnel.framesPresented() }));
  await page.close();
  return { work: median(result.work.slice(5)), show: median(result.show.slice(5)),
           first: result.first, cpu: cpu / (result.frames - framesFrom),
           threadRun: thread ? thread.run / (result.frames - framesFrom) : NaN,
           threadWait: thread ? thread.wait / (result.frames - framesFrom) : NaN,
           fps: (result.frames - framesFrom) * 1000 / (cpuEnd - cpuStart) };
}

function pageWeight(folder) {
  return ['index.html', 'quarnelPage.js', 'quarnel.js', 'quarnel.wasm']
    .reduce((sum, file) => sum + statSync(join(folder, file)).size, 0);
}

try {
  console.log(`${runs} runs a size, ${frames} frames of the cruise flight, ${options.threads} ` +
              `thread(s)${options.query ? `, page address plus ${options.query}` : ''}`);
  for (const folder of webFolders) {
    console.log(`${folder}: page weight (html + js + wasm) ${pageWeight(folder)} bytes`);
  }
  const names = webFolders.map((folder, which) =>
    basename(folder) + (webQueries[which] ? `?${webQueries[which]}` : ''));
  // A page's ratio is to the native frames flown as it flies its own: paced, unless unpaced=1.
  const unpaced = webQueries.map((query) => new URLSearchParams(query).get('unpaced') === '1');
  const nodeHeading = options.node ? ' Node (compiled alone), / native |' : '';
  const webHeadings = names.map((name) => `${name}: work (canvas), first frame, / native, ` +
                                          'Chromium CPU, page thread CPU (waiting), fps');
  console.log(`| size | native | native paced |${nodeHeading} ${webHeadings.join(' | ')} |`);
  console.log(`|---|---|---|${options.node ? '---|' : ''}${names.map(() => '---').join('|')}|`);
  for (const size of sizes()) {
    const native = [];
    const nativePaced = [];
    const underNode = [];
    const web = webFolders.map(() => ({ work: [], show: [], first: [], cpu: [], threadRun: [],
                                        threadWait: [], fps: [] }));
    for (let run = 0; run < runs; run++) {
      native.push(nativeRun(size, false));
      nativePaced.push(nativeRun(size, true));
      if (options.node) {
        underNode.push(nativeRun(size, false, options.node));
      }
      for (let turn = 0; turn < servers.length; turn++) {
        const which = (turn + run) % servers.length;
        const result = await webRun(servers[which].origin, webQueries[which], size);
        web[which].work.push(result.work);
        web[which].show.push(result.show);
        web[which].first.push(result.first);
        web[which].cpu.push(result.cpu);
        web[which].threadRun.push(result.threadRun);
        web[which].threadWait.push(result.threadWait);
        web[which].fps.push(result.fps);
      }
    }
    const n = median(native);
    const p = median(nativePaced);
    const cells = web.map((w, which) => `${median(w.work).toFixed(2)} ms ` +
                                 `(${median(w.show).toFixed(2)} ms), ` +
                                 `${median(w.first).toFixed(0)} ms, ` +
                                 `${(median(w.work) / (unpaced[which] ? n : p)).toFixed(2)}, ` +
                                 `${median(w.cpu).toFixed(1)} ms, ` +
                                 `${median(w.threadRun).toFixed(2)} ms ` +
                                 `(${median(w.threadWait).toFixed(2)} ms), ` +
                                 `${median(w.fps).toFixed(0)}`);
    const nodeCell = options.node ? ` ${median(underNode).toFixed(2)} ms, ` +
                                    `${(median(underNode) / n).toFixed(2)} |` : '';
    console.log(`| ${size} | ${n.toFixed(2)} ms | ${p.toFixed(2)} ms |${nodeCell} ` +
                `${cells.join(' | ')} |`);
  }
} finally {
  await browser.close();
  for (const server of servers) {
    await server.close();
  }
  rmSync(profile, { recursive: true, force: true });
}

function sizes() {
  return options.sizes.split(',');
}
