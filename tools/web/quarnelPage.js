// The page around the WebAssembly program: reads the address, checks it, starts a run (a
// fresh module every time), shows its frames on the canvas, passes the mouse and keys on and
// paces the frames with the browser's animation frames. Escape belongs to the browser (it
// leaves pointer lock), so here it pauses; Q ends the run in the program itself.
'use strict';

(function () {
  const limits = { smallest: 16, widest: 4096, tallest: 4096, defaultWidth: 1920,
                   defaultHeight: 1080 };
  const canvas = document.getElementById('screen');
  const context = canvas.getContext('2d', { alpha: false });
  const panels = {
    controls: document.getElementById('controls'),
    paused: document.getElementById('paused'),
    ended: document.getElementById('ended'),
    message: document.getElementById('message'),
  };
  const input = { mouseMoveBy: 1, buttonDown: 2, buttonUp: 3, keyDown: 4, keyUp: 5 };

  const page = {
    status: 'loading', // running, paused, ended, error
    settings: null,
    module: null,
    pendingWake: null,
    heldButtons: new Set(),
    framesPresented: 0,
    keptFrames: [], // RGB of every frame, when the address asks to keep them
    frameMilliseconds: [], // from the animation frame to the present: the program's own time
    showMilliseconds: [], // of which putting the picture on the canvas
    frameStart: 0,
    presentTimes: [],
    endedAt: 0,
    runs: 0,
  };

  function show(panel, visible) {
    panel.classList.toggle('hidden', !visible);
  }

  function fail(text) {
    page.status = 'error';
    panels.message.textContent = text;
    show(panels.message, true);
    show(panels.controls, false);
    show(panels.paused, false);
    console.error(text);
    if (document.pointerLockElement) {
      document.exitPointerLock();
    }
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
                       frames: null, keep: query.get('keep') === '1' };
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

  function showFrame(rgba, width, height) {
    if (canvas.width !== width || canvas.height !== height) {
      canvas.width = width;
      canvas.height = height;
      layout();
    }
    const before = performance.now();
    // A view of the program's memory, used at once: the memory moves only while the program
    // runs.
    const pixels = new Uint8ClampedArray(rgba.buffer, rgba.byteOffset, rgba.length);
    context.putImageData(new ImageData(pixels, width, height), 0, 0);
    const now = performance.now();
    page.showMilliseconds.push(now - before);
    if (page.frameStart > 0) {
      page.frameMilliseconds.push(now - page.frameStart);
    }
    page.presentTimes.push(now);
    page.framesPresented++;
    if (page.settings.keep) {
      page.keptFrames.push(rgbOf(pixels));
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

  function waitForFrame(wakeUp) {
    if (page.status === 'paused') {
      page.pendingWake = wakeUp;
    } else {
      window.requestAnimationFrame(() => resume(wakeUp));
    }
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
    page.heldButtons.clear();
    show(panels.controls, false);
    show(panels.paused, false);
    show(panels.ended, true);
    if (document.pointerLockElement) {
      document.exitPointerLock();
    }
    if (status !== 0) {
      fail(`The program ended with status ${status}.`);
    }
  }

  function send(kind, x, y, buttons, key) {
    if (page.module && (page.status === 'running' || page.status === 'paused') &&
        page.settings.ticks === null) {
      page.module._webHostInput(kind, x, y, buttons, key);
    }
  }

  async function fetchFlight(name) {
    const response = await fetch(`flights/${name}.txt`);
    if (!response.ok) {
      throw new Error(`There is no flight called "${name}".`);
    }
    return response.text();
  }

  async function startRun() {
    const settings = page.settings;
    show(panels.ended, false);
    show(panels.paused, false);
    show(panels.controls, true);
    panels.controls.classList.remove('faded');
    window.setTimeout(() => panels.controls.classList.add('faded'), 6000);
    Object.assign(page, { status: 'loading', pendingWake: null, framesPresented: 0,
                          keptFrames: [], frameMilliseconds: [],
                          showMilliseconds: [], frameStart: 0, presentTimes: [] });
    page.heldButtons.clear();
    page.runs++;
    const args = ['--size', `${settings.width}x${settings.height}`, '--speed', settings.speed];
    let flightText = null;
    try {
      if (settings.flight) {
        flightText = await fetchFlight(settings.flight);
      }
      page.module = await createQuarnel({
        canvas,
        print: (text) => console.log(text),
        printErr: (text) => console.error(text),
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
    if (settings.ticks !== null) {
      args.push('--ticks', String(settings.ticks));
      if (flightText !== null) {
        page.module.FS.writeFile('/flight.txt', flightText);
        args.push('--flight', '/flight.txt');
      }
      if (settings.frames) {
        args.push('--frames', String(settings.frames));
      }
    } else if (settings.seed !== null) {
      args.push('--seed', String(settings.seed));
    }
    page.status = 'running';
    page.module.callMain(args);
  }

  function pause() {
    if (page.status !== 'running') {
      return;
    }
    page.status = 'paused';
    show(panels.paused, true);
    for (const button of page.heldButtons) {
      page.module._webHostInput(input.buttonUp, 0, 0, button, 0);
    }
    page.heldButtons.clear();
  }

  function flyOn() {
    if (page.status !== 'paused') {
      return;
    }
    page.status = 'running';
    show(panels.paused, false);
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

  canvas.addEventListener('mousedown', (event) => {
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
    const button = event.button === 0 ? 1 : event.button === 2 ? 2 : 0;
    if (button && page.status === 'running') {
      page.heldButtons.add(button);
      send(input.buttonDown, 0, 0, button, 0);
    }
  });
  document.addEventListener('mouseup', (event) => {
    const button = event.button === 0 ? 1 : event.button === 2 ? 2 : 0;
    if (button && page.heldButtons.delete(button)) {
      send(input.buttonUp, 0, 0, button, 0);
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

  // For tests and for anyone curious, in the browser's console.
  window.quarnel = {
    status: () => page.status,
    runs: () => page.runs,
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
    frameMilliseconds: () => page.frameMilliseconds.slice(),
    showMilliseconds: () => page.showMilliseconds.slice(),
    presentTimes: () => page.presentTimes.slice(),
    message: () => (panels.message.classList.contains('hidden') ? '' : panels.message.textContent),
  };

  const address = readAddress();
  if (address.error) {
    fail(address.error);
    return;
  }
  page.settings = address.settings;
  canvas.width = page.settings.width;
  canvas.height = page.settings.height;
  layout();
  startRun();
}());
