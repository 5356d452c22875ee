// The page around the WebAssembly program: reads the address, checks it, starts a run (a
// fresh module every time), shows its frames on the canvas, passes the mouse, touch, pen and
// keys on and paces the frames with the browser's animation frames. Escape belongs to the
// browser (it leaves pointer lock), so here it pauses; Q ends the run in the program itself.
'use strict';

(function () {
  const limits = { smallest: 16, widest: 4096, tallest: 4096, defaultWidth: 1920,
                   defaultHeight: 1080 };
  // Touch: a finger held this long without moving flies faster; a second finger down this soon
  // after the first means both came down together, which backs up.
  const touchTimes = { longPress: 500, together: 250, stillDistance: 10 };
  const canvas = document.getElementById('screen');
  // Made once the address is read: a test that reads every frame back asks for a canvas
  // kept in memory.
  let context = null;
  const element = (id) => document.getElementById(id);
  const panels = {
    controls: element('controls'),
    paused: element('paused'),
    play: element('play'),
    ended: element('ended'),
    note: element('note'),
    message: element('message'),
  };
  const buttons = {
    pause: element('pauseButton'),
    fullscreen: element('fullscreenButton'),
    video: element('videoButton'),
    link: element('linkButton'),
    play: element('playButton'),
  };
  const recordingPath = '/flown.txt';
  const input = { mouseMoveBy: 1, buttonDown: 2, buttonUp: 3, keyDown: 4, keyUp: 5 };

  const page = {
    status: 'loading', // running, paused, ended, error
    settings: null,
    program: null, // the factory's promise, loaded once
    programName: '',
    threads: 1, // that the program grows the scene on
    image: null, // the frame outside the program's memory, when that memory is shared
    module: null,
    seed: 0,
    pendingWake: null,
    taskChannel: null, // unpaced frames: each called in a task of its own
    taskCall: null,
    stillAfter: 0, // frames to show before pausing, when the device asks for less motion
    heldButtons: new Set(),
    framesPresented: 0,
    keptFrames: [], // RGB of every frame, when the address asks to keep them
    canvasMismatches: 0, // kept frames only: frames whose canvas pixels are not the frame's
    partialFrames: 0, // put on the canvas as the rectangles that changed
    frameMilliseconds: [], // from the animation frame to the present: the program's own time
    showMilliseconds: [], // of which putting the picture on the canvas
    frameStart: 0,
    presentTimes: [],
    firstFrameAt: 0, // since the page's navigation began
    endedAt: 0,
    runs: 0,
    recorder: null,
    videosSaved: 0,
    lastLink: '',
    flown: null, // the last run's recorded flight, once it is over
    flightsSaved: 0,
    noteTimer: 0,
  };

  function show(panel, visible) {
    panel.classList.toggle('hidden', !visible);
  }

  function note(text) {
    panels.note.textContent = text;
    show(panels.note, true);
    window.clearTimeout(page.noteTimer);
    page.noteTimer = window.setTimeout(() => show(panels.note, false), 5000);
  }

  function fail(text) {
    page.status = 'error';
    panels.message.textContent = text;
    show(panels.message, true);
    show(panels.controls, false);
    show(panels.paused, false);
    show(panels.play, false);
    console.error(text);
    if (document.pointerLockElement) {
      document.exitPointerLock();
    }
    stopRecording();
  }

  function whole(text, largest) {
    if (!/^\d{1,10}$/.test(text) || Number(text) > largest) {
      return null;
    }
    return Number(text);
  }

  // Everything the address may ask for, or a message saying what cannot be used.
  function readAddress() {
    const query = new URLSearchParams(window.location.search);
    const settings = { width: 0, height: 0, speed: '20', seed: null, ticks: null, flight: null,
                       recorded: null, frames: null, keep: query.get('keep') === '1',
                       threads: null, // as the device suits, unless the address says
                       // For tests: each frame's first box of changed rectangles is left off
                       // the canvas, which the check of kept frames must see.
                       drop: query.get('drop') === '1',
                       // For measurements: each frame as soon as the one before has ended, as
                       // quarnel-render --benchmark flies them, rather than on the next
                       // animation frame; the canvas shows whichever is last when the browser
                       // next draws.
                       unpaced: query.get('unpaced') === '1' };
    if (query.has('size')) {
      const text = query.get('size');
      const match = /^(\d{1,9})x(\d{1,9})$/.exec(text);
      if (!match) {
        return { error: `The size "${text}" cannot be used: give it as WIDTHxHEIGHT in pixels, ` +
                        'for example size=1024x768.' };
      }
      settings.width = Number(match[1]);
      settings.height = Number(match[2]);
      if (settings.width < limits.smallest || settings.height < limits.smallest ||
          settings.width > limits.widest || settings.height > limits.tallest) {
        return { error: `The size ${settings.width}x${settings.height} cannot be used: the ` +
                        `width must be ${limits.smallest} to ${limits.widest} pixels and the ` +
                        `height ${limits.smallest} to ${limits.tallest}.` };
      }
    } else {
      settings.width = Math.max(limits.smallest,
                                Math.min(limits.defaultWidth, Math.floor(window.innerWidth)));
      settings.height = Math.max(limits.smallest,
                                 Math.min(limits.defaultHeight, Math.floor(window.innerHeight)));
    }
    if (query.has('speed')) {
      const text = query.get('speed');
      if (!/^-?(\d{1,9}(\.\d{0,9})?|\.\d{1,9})$/.test(text)) {
        return { error: `The speed "${text}" cannot be used: give a number, for example ` +
                        'speed=20.' };
      }
      settings.speed = text;
    }
    for (const name of ['seed', 'ticks']) {
      if (query.has(name)) {
        settings[name] = whole(query.get(name), 4294967295);
        if (settings[name] === null) {
          return { error: `The ${name} "${query.get(name)}" cannot be used: give a whole ` +
                          'number from 0 to 4294967295.' };
        }
      }
    }
    if (query.has('flight')) {
      settings.flight = query.get('flight');
      if (!/^[a-z0-9-]{1,64}$/.test(settings.flight)) {
        return { error: `There is no flight called "${settings.flight}".` };
      }
      if (settings.ticks === null) {
        settings.ticks = 0;
      }
    }
    // A flight flown on a page and carried by its link (see recordedFlightAddress).
    if (query.has('recorded')) {
      settings.recorded = query.get('recorded');
      if (!/^[A-Za-z0-9_-]{1,1000000}$/.test(settings.recorded)) {
        return { error: 'The recorded flight in the address cannot be read.' };
      }
      if (settings.ticks === null) {
        settings.ticks = 0;
      }
    }
    if (query.has('threads')) {
      settings.threads = whole(query.get('threads'), 256);
      if (!settings.threads) {
        return { error: `The threads "${query.get('threads')}" cannot be used: give a whole ` +
                        'number from 1 to 256.' };
      }
    }
    if (query.has('frames')) {
      settings.frames = whole(query.get('frames'), 1000000);
      if (!settings.frames) {
        return { error: `The frames "${query.get('frames')}" cannot be used: give a whole ` +
                        'number from 1 to 1000000.' };
      }
    }
    return { settings };
  }

  // The canvas fills the window with the picture's proportions kept; a whole-number scale
  // keeps its pixels sharp.
  function layout() {
    const scale = Math.min(window.innerWidth / canvas.width, window.innerHeight / canvas.height);
    canvas.style.width = `${Math.floor(canvas.width * scale)}px`;
    canvas.style.height = `${Math.floor(canvas.height * scale)}px`;
    canvas.classList.toggle('pixelated', scale >= 1 && Number.isInteger(scale));
  }

  // rgba: the whole frame in the program's memory; rects: x, y, width, height of each part
  // that changed since the frame before, or none when all of it may have.
  function showFrame(rgba, width, height, rects) {
    let whole = !rects || canvas.width !== width || canvas.height !== height;
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      layout();
    }
    const before = performance.now();
    let image;
    if (rgba.buffer instanceof ArrayBuffer) {
      // A view of the program's memory, used at once: the memory moves only while the program
      // runs.
      image = new ImageData(new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, rgba.length),
                            width, height);
    } else {
      // Memory shared between threads cannot back an image: what changed is copied out.
      if (!page.image || page.image.width !== width || page.image.height !== height) {
        page.image = new ImageData(width, height);
        whole = true;
      }
      image = page.image;
      if (whole) {
        image.data.set(rgba);
      } else {
        copyChanged(rgba, image.data, width, height, rects);
      }
    }
    const pixels = image.data;
    if (whole) {
      context.putImageData(image, 0, 0);
    } else {
      page.partialFrames++;
      putRectangles(image, rects);
    }
    const now = performance.now();
    page.showMilliseconds.push(now - before);
    if (page.frameStart > 0) {
      page.frameMilliseconds.push(now - page.frameStart);
    }
    page.presentTimes.push(now);
    if (page.firstFrameAt === 0) {
      page.firstFrameAt = now;
    }
    page.framesPresented++;
    if (page.settings.keep) {
      page.keptFrames.push(rgbOf(pixels));
      const shown = context.getImageData(0, 0, width, height).data;
      for (let at = 0; at < shown.length; at++) {
        if (shown[at] !== pixels[at]) {
          page.canvasMismatches++;
          break;
        }
      }
    }
  }

  // A TypedArray set() call costs about what copying this many more bytes does (Chromium).
  const copyCallInBytes = 768;

  // What changed, from the program's frame `from` to the page's `to` (both RGBA): each
  // rectangle row by row, or where a band of rows holds many rectangles (the layer gives them
  // band by band), the band's rows whole in one call. The frame holds every pixel, and those
  // beside the rectangles are what the page's copy holds already.
  function copyChanged(from, to, width, height, rects) {
    if (!page.rowCalls || page.rowCalls.length !== height) {
      page.rowCalls = new Uint32Array(height);
      page.rowPixels = new Uint32Array(height);
    }
    const calls = page.rowCalls, pixels = page.rowPixels;
    calls.fill(0);
    pixels.fill(0);
    for (let at = 0; at + 3 < rects.length; at += 4) {
      for (let y = rects[at + 1]; y < rects[at + 1] + rects[at + 3]; y++) {
        calls[y]++;
        pixels[y] += rects[at + 2];
      }
    }
    const row = width * 4;
    for (let y = 0; y < height;) {
      let end = y, bandCalls = 0, bandPixels = 0;
      for (; end < height && calls[end] > 0; end++) {
        bandCalls += calls[end];
        bandPixels += pixels[end];
      }
      if (end > y && (end - y) * row <= bandCalls * copyCallInBytes + bandPixels * 4) {
        to.set(from.subarray(y * row, end * row), y * row);
        calls.fill(0, y, end); // copied
      }
      y = Math.max(end, y + 1);
    }
    for (let at = 0; at + 3 < rects.length; at += 4) {
      for (let y = rects[at + 1]; y < rects[at + 1] + rects[at + 3]; y++) {
        if (calls[y] > 0) {
          const start = (y * width + rects[at]) * 4;
          to.set(from.subarray(start, start + rects[at + 2] * 4), start);
        }
      }
    }
  }

  // A putImageData call costs about what putting a thousand more pixels does (headless
  // Chromium, some 350 rectangles a frame), so a rectangle joins the box before it (the layer
  // gives them band by band) while that adds fewer pixels than that beyond its own: half the
  // calls for a seventh more pixels. What a box takes beside the rectangles is what the canvas
  // shows already.
  const putCostInPixels = 1024;

  function putRectangles(image, rects) {
    let dropping = page.settings.drop;
    const put = (x, y, width, height) => {
      if (dropping) {
        dropping = false;
      } else {
        context.putImageData(image, 0, 0, x, y, width, height);
      }
    };
    let left = 0, top = 0, right = 0, bottom = 0;
    for (let at = 0; at + 3 < rects.length; at += 4) {
      const x = rects[at], y = rects[at + 1], x1 = x + rects[at + 2], y1 = y + rects[at + 3];
      if (right > left) {
        const joinedLeft = Math.min(left, x), joinedTop = Math.min(top, y);
        const joinedRight = Math.max(right, x1), joinedBottom = Math.max(bottom, y1);
        const added = (joinedRight - joinedLeft) * (joinedBottom - joinedTop) -
                      (right - left) * (bottom - top);
        if (added <= (x1 - x) * (y1 - y) + putCostInPixels) {
          left = joinedLeft;
          top = joinedTop;
          right = joinedRight;
          bottom = joinedBottom;
          continue;
        }
        put(left, top, right - left, bottom - top);
      }
      left = x;
      top = y;
      right = x1;
      bottom = y1;
    }
    if (right > left) {
      put(left, top, right - left, bottom - top);
    }
  }

  function rgbOf(rgba) {
    const rgb = new Uint8Array(rgba.length / 4 * 3);
    for (let from = 0, to = 0; from < rgba.length; from += 4, to += 3) {
      rgb[to] = rgba[from];
      rgb[to + 1] = rgba[from + 1];
      rgb[to + 2] = rgba[from + 2];
    }
    return rgb;
  }

  function hex(buffer) {
    return Array.from(new Uint8Array(buffer), (byte) => byte.toString(16).padStart(2, '0'))
      .join('');
  }

  function resume(wakeUp) {
    page.frameStart = performance.now();
    try {
      wakeUp();
    } catch (error) {
      // A fatal error has shown its message already and ends the run with exit().
      if (!(error && error.name === 'ExitStatus')) {
        fail(`The program stopped: ${error}`);
      }
    }
  }

  // wakeUp: the program's next frame, called on the next animation frame unless paused.
  function waitForFrame(wakeUp) {
    if (page.stillAfter > 0 && page.framesPresented >= page.stillAfter &&
        page.status === 'running') {
      page.stillAfter = 0;
      pause(panels.play);
    }
    if (page.status === 'paused') {
      page.pendingWake = wakeUp;
    } else if (page.settings.unpaced) {
      nextTask(() => resume(wakeUp));
    } else {
      window.requestAnimationFrame(() => resume(wakeUp));
    }
  }

  // A task of its own for the call, without a timer's clamping to whole milliseconds.
  function nextTask(call) {
    if (!page.taskChannel) {
      page.taskChannel = new MessageChannel();
      page.taskChannel.port1.onmessage = () => page.taskCall();
    }
    page.taskCall = call;
    page.taskChannel.port2.postMessage(0);
  }

  function showMessage(text, caption) {
    fail(caption ? `${caption}: ${text}` : text);
  }

  function runEnded(status) {
    if (page.status === 'error') {
      return;
    }
    page.status = 'ended';
    page.endedAt = performance.now();
    if (status === 0 && page.settings.ticks === null && page.module) {
      try {
        page.flown = page.module.FS.readFile(recordingPath, { encoding: 'utf8' });
      } catch {
        page.flown = null;
      }
    }
    page.heldButtons.clear();
    show(panels.controls, false);
    show(panels.paused, false);
    show(panels.play, false);
    show(panels.ended, true);
    if (document.pointerLockElement) {
      document.exitPointerLock();
    }
    stopRecording();
    if (status !== 0) {
      fail(`The program ended with status ${status}.`);
    }
  }

  function send(kind, x, y, button, key) {
    if (page.module && (page.status === 'running' || page.status === 'paused') &&
        page.settings.ticks === null) {
      page.module._webHostInput(kind, x, y, button, key);
    }
  }

  function press(button) {
    if (button && page.status === 'running' && !page.heldButtons.has(button)) {
      page.heldButtons.add(button);
      send(input.buttonDown, 0, 0, button, 0);
    }
  }

  function release(button) {
    if (button && page.heldButtons.delete(button)) {
      send(input.buttonUp, 0, 0, button, 0);
    }
  }

  // Flights travel in addresses deflated, in base64url.
  async function deflatedText(text, compress) {
    const bytes = compress ? new TextEncoder().encode(text) : text;
    const stream = new Blob([bytes]).stream()
      .pipeThrough(compress ? new CompressionStream('deflate-raw')
                            : new DecompressionStream('deflate-raw'));
    return new Uint8Array(await new Response(stream).arrayBuffer());
  }

  async function flightToAddressText(text) {
    const bytes = await deflatedText(text, true);
    let binary = '';
    for (let at = 0; at < bytes.length; at += 0x8000) {
      binary += String.fromCharCode(...bytes.subarray(at, at + 0x8000));
    }
    return btoa(binary).replace(/\+/g, '-').replace(/\//g, '_').replace(/=+$/, '');
  }

  async function flightFromAddressText(encoded) {
    try {
      const binary = atob(encoded.replace(/-/g, '+').replace(/_/g, '/'));
      const bytes = Uint8Array.from(binary, (character) => character.charCodeAt(0));
      return new TextDecoder().decode(await deflatedText(bytes, false));
    } catch {
      throw new Error('The recorded flight in the address cannot be read.');
    }
  }

  async function fetchFlight(name) {
    const response = await fetch(`flights/${name}.txt`);
    if (!response.ok) {
      throw new Error(`There is no flight called "${name}".`);
    }
    return response.text();
  }

  function loadScript(name) {
    return new Promise((resolve, reject) => {
      const script = document.createElement('script');
      script.src = name;
      script.onload = () => resolve(window.createQuarnel);
      script.onerror = () => {
        script.remove();
        reject(new Error(`The program ${name} did not load.`));
      };
      document.head.appendChild(script);
    });
  }

  // The threads to grow the scene on: those the address asks for, up to the workers the
  // threaded program starts with (one a processor), or else one processor fewer than the
  // device has, since the browser's own work (its compositor, the canvas) needs one: on two
  // processors the threaded page measured slower than one thread.
  function threadCount() {
    const processors = Math.max(1, Math.min(256, navigator.hardwareConcurrency || 1));
    const asked = page.settings.threads;
    return asked ? Math.min(asked, Math.max(processors, 2)) : Math.max(1, processors - 1);
  }

  // The program's script, loaded once; every run makes a fresh module from it. A page that is
  // cross-origin isolated may share memory between threads, and takes the threaded program
  // when it is to fly on more than one; any other takes the one with a single thread, which
  // flies the same frames.
  function loadProgram() {
    if (!page.program) {
      const count = threadCount();
      const threaded = window.crossOriginIsolated && typeof SharedArrayBuffer === 'function' &&
                       count > 1;
      page.threads = threaded ? count : 1;
      page.programName = threaded ? 'quarnel-threads.js' : 'quarnel.js';
      page.program = loadScript(page.programName).catch((error) => {
        if (!threaded) {
          throw error;
        }
        console.warn(`${error.message} Flying on one thread.`);
        page.programName = 'quarnel.js';
        page.threads = 1;
        return loadScript(page.programName);
      });
    }
    return page.program;
  }

  async function startRun() {
    const settings = page.settings;
    show(panels.ended, false);
    show(panels.paused, false);
    show(panels.play, false);
    show(panels.controls, true);
    panels.controls.classList.remove('faded');
    window.setTimeout(() => panels.controls.classList.add('faded'), 6000);
    Object.assign(page, { status: 'loading', pendingWake: null, framesPresented: 0,
                          keptFrames: [], canvasMismatches: 0, partialFrames: 0,
                          frameMilliseconds: [],
                          showMilliseconds: [], frameStart: 0, presentTimes: [] });
    page.heldButtons.clear();
    page.runs++;
    // GetTickCount counts from boot, and the scene is seeded with it: milliseconds of the
    // wall clock give every run its own scene, and the link can name it.
    page.seed = settings.seed !== null ? settings.seed : Date.now() % 4294967296;
    // The first run on a device that asks for less motion shows its first scene and waits.
    page.stillAfter = page.runs === 1 && settings.ticks === null &&
                      window.matchMedia('(prefers-reduced-motion: reduce)').matches ? 2 : 0;
    const args = ['--size', `${settings.width}x${settings.height}`, '--speed', settings.speed];
    let flightText = null;
    try {
      const [createQuarnel, text] = await Promise.all([
        loadProgram(),
        settings.recorded ? flightFromAddressText(settings.recorded)
        : settings.flight ? fetchFlight(settings.flight)
                          : null]);
      flightText = text;
      page.module = await createQuarnel({
        canvas,
        print: (line) => console.log(line),
        printErr: (line) => console.error(line),
        onAbort: (what) => fail(`The program stopped: ${what}`),
        quarnelShowFrame: showFrame,
        quarnelWaitForFrame: waitForFrame,
        quarnelShowMessage: showMessage,
        quarnelShowCursor: () => {},
        quarnelRunEnded: runEnded,
      });
    } catch (error) {
      fail(error.message || String(error));
      return;
    }
    if (page.programName === 'quarnel-threads.js') {
      args.push('--threads', String(page.threads));
    }
    if (settings.ticks !== null) {
      args.push('--ticks', String(settings.ticks));
      if (flightText !== null) {
        page.module.FS.writeFile('/flight.txt', flightText);
        args.push('--flight', '/flight.txt');
      }
      if (settings.frames) {
        args.push('--frames', String(settings.frames));
      }
    } else {
      // Kept as quarnel --record keeps it, for the link once the run is over.
      args.push('--seed', String(page.seed), '--record', recordingPath);
    }
    page.flown = null;
    page.status = 'running';
    const module = page.module;
    module.callMain(args);
    // A program that flies one frame per call (rather than waiting for the animation frame
    // inside its present) is called once per animation frame until it says the run is over.
    if (module._webFlyFrame) {
      const flyFrame = () => {
        if (module !== page.module || (page.status !== 'running' && page.status !== 'paused')) {
          return;
        }
        const more = module._webFlyFrame();
        // The frame's work goes on after its present (the message pump): counted to the end,
        // as the frame before's end is counted in a run that waits inside its present.
        const times = page.frameMilliseconds;
        if (times.length > 0) {
          times[times.length - 1] = performance.now() - page.frameStart;
        }
        if (more) {
          waitForFrame(flyFrame);
        }
      };
      if (page.status === 'running') {
        waitForFrame(flyFrame);
      }
    }
  }

  function pause(panel = panels.paused) {
    if (page.status !== 'running') {
      return;
    }
    page.status = 'paused';
    show(panel, true);
    for (const button of [...page.heldButtons]) {
      release(button);
    }
    touch.pointers.clear();
    touch.button = 0;
    touch.pair = false;
  }

  function flyOn() {
    if (page.status !== 'paused') {
      return;
    }
    page.status = 'running';
    show(panels.paused, false);
    show(panels.play, false);
    const wakeUp = page.pendingWake;
    page.pendingWake = null;
    if (wakeUp) {
      window.requestAnimationFrame(() => resume(wakeUp));
    }
  }

  function lockPointer() {
    const request = canvas.requestPointerLock();
    if (request && request.catch) {
      request.catch((error) => console.warn(`The pointer was not locked: ${error.message}`));
    }
  }

  function startAgainSoon() {
    return page.status === 'ended' && performance.now() - page.endedAt > 250;
  }

  function toggleFullscreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    } else if (document.documentElement.requestFullscreen) {
      document.documentElement.requestFullscreen({ navigationUI: 'hide' })
        .catch((error) => console.warn(`Full screen was refused: ${error.message}`));
    }
  }

  // The canvas as a WebM video, from the press of the button to the next press (or the end of
  // the run), saved as a download.
  function startRecording() {
    if (!window.MediaRecorder || !canvas.captureStream) {
      note('This browser cannot record the picture.');
      return;
    }
    const type = ['video/webm;codecs=vp9', 'video/webm;codecs=vp8', 'video/webm']
      .find((candidate) => MediaRecorder.isTypeSupported(candidate));
    const stream = canvas.captureStream(60);
    const recorder = new MediaRecorder(stream, type ? { mimeType: type,
                                                        videoBitsPerSecond: 12000000 } : {});
    const chunks = [];
    recorder.ondataavailable = (event) => {
      if (event.data.size > 0) {
        chunks.push(event.data);
      }
    };
    recorder.onstop = () => {
      stream.getTracks().forEach((track) => track.stop());
      const video = new Blob(chunks, { type: 'video/webm' });
      const link = document.createElement('a');
      link.href = URL.createObjectURL(video);
      link.download = `quarnel-${page.seed}.webm`;
      document.body.appendChild(link);
      link.click();
      link.remove();
      window.setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      page.videosSaved++;
      note(`The video is saved as ${link.download}.`);
    };
    recorder.start(1000);
    page.recorder = recorder;
    buttons.video.classList.add('on');
    buttons.video.setAttribute('aria-label', 'Stop recording');
  }

  function stopRecording() {
    if (page.recorder) {
      const recorder = page.recorder;
      page.recorder = null;
      buttons.video.classList.remove('on');
      buttons.video.setAttribute('aria-label', 'Record a video');
      recorder.stop();
    }
  }

  // An address that shows this scene again: the seed, size and speed, or the flight.
  function linkAddress() {
    const settings = page.settings;
    const address = new URL(window.location.href);
    address.search = '';
    address.hash = '';
    const query = address.searchParams;
    if (settings.ticks !== null) {
      query.set('ticks', String(settings.ticks));
      if (settings.flight) {
        query.set('flight', settings.flight);
      }
      if (settings.recorded) {
        query.set('recorded', settings.recorded);
      }
      if (settings.frames) {
        query.set('frames', String(settings.frames));
      }
    } else {
      query.set('seed', String(page.seed));
    }
    query.set('size', `${settings.width}x${settings.height}`);
    query.set('speed', settings.speed);
    return address.href;
  }

  // After a flight flown here the link carries the flight too, where the address stays short
  // enough for any server and chat; a longer flight is saved as a file that
  // quarnel-render --flight replays frame for frame, and the link names its scene.
  let longestAddress = 8000;

  async function recordedFlightAddress() {
    const settings = page.settings;
    const address = new URL(window.location.href);
    address.search = '';
    address.hash = '';
    const query = address.searchParams;
    query.set('ticks', String(page.seed));
    query.set('size', `${settings.width}x${settings.height}`);
    query.set('speed', settings.speed);
    query.set('recorded', await flightToAddressText(page.flown));
    return address.href;
  }

  function saveFlight() {
    const file = document.createElement('a');
    file.href = URL.createObjectURL(new Blob([page.flown], { type: 'text/plain' }));
    file.download = `quarnel-${page.seed}-flight.txt`;
    document.body.appendChild(file);
    file.click();
    file.remove();
    window.setTimeout(() => URL.revokeObjectURL(file.href), 60000);
    page.flightsSaved++;
    return file.download;
  }

  async function copyLink() {
    let saved = '';
    let address = linkAddress();
    if (page.status === 'ended' && page.flown) {
      const withFlight = await recordedFlightAddress();
      if (withFlight.length <= longestAddress) {
        address = withFlight;
      } else {
        saved = saveFlight();
      }
    }
    page.lastLink = address;
    try {
      await navigator.clipboard.writeText(page.lastLink);
      note(`Copied: ${page.lastLink}`);
    } catch {
      note(`This scene's address: ${page.lastLink}`);
    }
    if (saved) {
      note(`The flight is too long for an address: it is saved as ${saved}, which ` +
           `quarnel-render --flight ${saved} replays. Copied the scene: ${page.lastLink}`);
    }
  }

  // Mouse: pointer lock, relative motion, the two buttons.
  let lastTouchAt = -1e9;
  const touchLately = () => performance.now() - lastTouchAt < 1000;
  canvas.addEventListener('mousedown', (event) => {
    if (touchLately()) {
      return; // the browser's mouse copy of a touch
    }
    if (startAgainSoon()) {
      startRun();
      return;
    }
    if (document.pointerLockElement !== canvas) {
      // This click only takes the pointer; it is not the program's.
      if (page.status === 'running' || page.status === 'paused') {
        lockPointer();
      }
      return;
    }
    press(event.button === 0 ? 1 : event.button === 2 ? 2 : 0);
  });
  document.addEventListener('mouseup', (event) => {
    if (!touchLately()) {
      release(event.button === 0 ? 1 : event.button === 2 ? 2 : 0);
    }
  });
  document.addEventListener('mousemove', (event) => {
    if (document.pointerLockElement === canvas && page.status === 'running' &&
        (event.movementX || event.movementY)) {
      send(input.mouseMoveBy, event.movementX, event.movementY, 0, 0);
    }
  });
  document.addEventListener('pointerlockerror', () => {
    console.warn('The browser did not lock the pointer: click again in a moment.');
  });
  canvas.addEventListener('contextmenu', (event) => event.preventDefault());
  document.addEventListener('pointerlockchange', () => {
    const locked = document.pointerLockElement === canvas;
    canvas.classList.toggle('locked', locked);
    if (locked) {
      flyOn();
    } else {
      pause();
    }
  });

  // Touch and pen: the first finger down steers as it moves; held still it flies faster, and
  // so does a second finger; two fingers put down together back up, as the buttons do.
  const touch = { pointers: new Map(), firstDownAt: 0, moved: false, button: 0, pair: false,
                  timer: 0, restX: 0, restY: 0 };

  function touchButton(button) {
    if (touch.button !== button) {
      release(touch.button);
      touch.button = button;
      press(button);
    }
  }

  canvas.addEventListener('pointerdown', (event) => {
    if (event.pointerType === 'mouse') {
      return;
    }
    event.preventDefault();
    lastTouchAt = performance.now();
    if (startAgainSoon()) {
      startRun();
      return;
    }
    if (page.status === 'paused') {
      flyOn();
    }
    if (canvas.setPointerCapture) {
      canvas.setPointerCapture(event.pointerId);
    }
    touch.pointers.set(event.pointerId, { x: event.clientX, y: event.clientY,
                                          startX: event.clientX, startY: event.clientY });
    window.clearTimeout(touch.timer);
    if (touch.pointers.size === 1) {
      touch.firstDownAt = lastTouchAt;
      touch.moved = false;
      touch.timer = window.setTimeout(() => {
        if (touch.pointers.size === 1 && !touch.moved) {
          touchButton(1);
        }
      }, touchTimes.longPress);
    } else if (touch.pointers.size === 2 && touch.button === 0) {
      const together = lastTouchAt - touch.firstDownAt < touchTimes.together && !touch.moved;
      touch.pair = true;
      touchButton(together ? 2 : 1);
    }
  });
  canvas.addEventListener('pointermove', (event) => {
    const pointer = touch.pointers.get(event.pointerId);
    if (!pointer) {
      return;
    }
    event.preventDefault();
    lastTouchAt = performance.now();
    const dx = event.clientX - pointer.x;
    const dy = event.clientY - pointer.y;
    pointer.x = event.clientX;
    pointer.y = event.clientY;
    if (Math.hypot(pointer.x - pointer.startX, pointer.y - pointer.startY) >
        touchTimes.stillDistance) {
      touch.moved = true;
    }
    // Only the first finger steers; motion in CSS pixels, the fractions carried on.
    if (touch.pointers.keys().next().value !== event.pointerId || page.status !== 'running') {
      return;
    }
    touch.restX += dx;
    touch.restY += dy;
    const x = Math.trunc(touch.restX);
    const y = Math.trunc(touch.restY);
    if (x || y) {
      touch.restX -= x;
      touch.restY -= y;
      send(input.mouseMoveBy, x, y, 0, 0);
    }
  });
  function touchEnded(event) {
    if (!touch.pointers.delete(event.pointerId)) {
      return;
    }
    lastTouchAt = performance.now();
    window.clearTimeout(touch.timer);
    // The press lasts while the fingers that made it stay: two for a pair, one for a long press.
    if (touch.pointers.size === 0 || (touch.pointers.size === 1 && touch.pair)) {
      release(touch.button);
      touch.button = 0;
      touch.pair = false;
    }
    if (touch.pointers.size === 0) {
      touch.restX = 0;
      touch.restY = 0;
    }
  }
  canvas.addEventListener('pointerup', touchEnded);
  canvas.addEventListener('pointercancel', touchEnded);

  document.addEventListener('keydown', (event) => {
    if (startAgainSoon() && !event.repeat) {
      startRun();
      return;
    }
    if (event.key === 'Escape' || event.keyCode === 27) {
      event.preventDefault();
      if (document.pointerLockElement) {
        document.exitPointerLock();
      } else {
        pause();
      }
      return;
    }
    if ((event.key === 'f' || event.key === 'F') && !event.ctrlKey && !event.metaKey &&
        !event.altKey) {
      event.preventDefault();
      if (!event.repeat) {
        toggleFullscreen();
      }
      return;
    }
    if (page.status === 'paused' && event.key !== 'F5') {
      return;
    }
    if (event.keyCode > 0 && event.keyCode < 255 && !event.ctrlKey && !event.metaKey) {
      if (!event.repeat) {
        send(input.keyDown, 0, 0, 0, event.keyCode);
      }
      if (event.key.length === 1 || event.key === ' ') {
        event.preventDefault();
      }
    }
  });
  document.addEventListener('keyup', (event) => {
    if (event.keyCode > 0 && event.keyCode < 255 && event.keyCode !== 27) {
      send(input.keyUp, 0, 0, 0, event.keyCode);
    }
  });
  window.addEventListener('resize', layout);

  // The page's own buttons; a press on them is never the program's.
  for (const button of Object.values(buttons)) {
    button.addEventListener('mousedown', (event) => event.stopPropagation());
    // The keys stay the program's (and F the page's) after a button is pressed.
    button.addEventListener('click', () => button.blur());
  }
  buttons.pause.addEventListener('click', () => {
    if (page.status === 'paused') {
      flyOn();
    } else if (document.pointerLockElement) {
      document.exitPointerLock();
    } else {
      pause();
    }
  });
  buttons.play.addEventListener('click', flyOn);
  buttons.fullscreen.addEventListener('click', toggleFullscreen);
  buttons.video.addEventListener('click', () => {
    if (page.recorder) {
      stopRecording();
    } else if (page.status === 'running' || page.status === 'paused') {
      startRecording();
    }
  });
  buttons.link.addEventListener('click', copyLink);

  // For tests and for anyone curious, in the browser's console.
  window.quarnel = {
    status: () => page.status,
    runs: () => page.runs,
    seed: () => page.seed,
    framesPresented: () => page.framesPresented,
    // RGB bytes of frame n (0 is the start-up's black frame), base64; kept frames only, or
    // the latest frame when frames are not kept.
    framePixels: (n) => {
      let rgb = page.keptFrames[n];
      if (!rgb && !page.settings.keep && n === page.framesPresented - 1) {
        rgb = rgbOf(context.getImageData(0, 0, canvas.width, canvas.height).data);
      }
      if (!rgb) {
        return null;
      }
      let text = '';
      for (let at = 0; at < rgb.length; at += 0x8000) {
        text += String.fromCharCode.apply(null, rgb.subarray(at, at + 0x8000));
      }
      return btoa(text);
    },
    // SHA-256 of those bytes, in hex.
    frameDigest: async (n) => {
      const rgb = page.keptFrames[n];
      return rgb ? hex(await crypto.subtle.digest('SHA-256', rgb)) : null;
    },
    // SHA-256 of the RGB bytes that the canvas holds now.
    canvasDigest: async () => {
      const image = context.getImageData(0, 0, canvas.width, canvas.height);
      return hex(await crypto.subtle.digest('SHA-256', rgbOf(image.data)));
    },
    canvasMismatches: () => page.canvasMismatches,
    partialFrames: () => page.partialFrames,
    frameMilliseconds: () => page.frameMilliseconds.slice(),
    showMilliseconds: () => page.showMilliseconds.slice(),
    presentTimes: () => page.presentTimes.slice(),
    firstFrameMilliseconds: () => page.firstFrameAt,
    heldButtons: () => [...page.heldButtons],
    program: () => page.programName,
    threads: () => page.threads,
    recording: () => page.recorder !== null,
    videosSaved: () => page.videosSaved,
    lastLink: () => page.lastLink,
    flightsSaved: () => page.flightsSaved,
    flown: () => page.flown,
    // The test sets a shorter limit to see a flight saved.
    setLongestAddress: (characters) => {
      longestAddress = characters;
    },
    message: () => (panels.message.classList.contains('hidden') ? '' : panels.message.textContent),
  };

  // Installed or offline, the page's files come from the service worker's cache.
  if ('serviceWorker' in navigator && window.isSecureContext) {
    window.addEventListener('load', () => {
      navigator.serviceWorker.register('serviceWorker.js')
        .catch((error) => console.warn(`No offline copy: ${error.message}`));
    });
  }

  const address = readAddress();
  if (address.error) {
    fail(address.error);
    return;
  }
  page.settings = address.settings;
  context = canvas.getContext('2d', { alpha: false, willReadFrequently: page.settings.keep });
  canvas.width = page.settings.width;
  canvas.height = page.settings.height;
  layout();
  startRun();
}());
