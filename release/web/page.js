// The page around the show. The page is one file: the show's files and its
// compiled program follow this script inside it, each in a script of its
// own that hands its bytes to showFile as it arrives. This script counts
// them in on the progress bar, starts the program once the page is whole,
// starts the show on the release of Up or on a click or tap, and when the
// show ends shows the one line the desktop program would print, with a way
// to watch again.
'use strict';

const stage = document.getElementById('stage');
const canvas = document.getElementById('canvas');
const hint = document.getElementById('hint');
const warning = document.getElementById('warning');
const message = document.getElementById('message');
const progress = document.getElementById('progress');

let ready = false;  // the show is loaded and drawing its black frames
let started = false;
let ended = false;
let lastLine = '';

// The show's files as the page delivers them, by the paths the program opens.
const showFiles = new Map();
let expectedLength = 0;
let receivedLength = 0;

// Shows `line` (none after Escape) and, unless the browser cannot show it
// at all, a way to watch again; the show is over.
function end(line, again = true) {
  if (ended) return;
  ended = true;
  if (typeof Module.pauseMainLoop === 'function') Module.pauseMainLoop();
  stage.classList.remove('playing');
  hint.hidden = warning.hidden = progress.hidden = true;
  message.textContent = line ? line + (again ? ' ' : '') : '';
  if (again) {
    const link = document.createElement('a');
    link.href = location.href;
    link.textContent = 'Watch again';
    message.append(link);
  }
  message.hidden = false;
  if (document.fullscreenElement) document.exitFullscreen().catch(() => {});
}

// The show ends the process with exit(), which unwinds the program by
// throwing ExitStatus: caught where the page made the call, and kept from
// being reported as an error where the program was called by its key handler.
function isExit(error) {
  return error && error.name === 'ExitStatus';
}
addEventListener('error', (event) => {
  if (isExit(event.error)) event.preventDefault();
});
function callShow(name) {
  try {
    Module.ccall(name, null, [], []);
  } catch (error) {
    if (!isExit(error)) throw error;
  }
}

function showStarted() {
  started = true;
  hint.hidden = warning.hidden = true;
  stage.classList.add('playing');
}

// Fullscreen needs the user's gesture: the press of Up, or the click or tap.
function enterFullscreen() {
  if (stage.requestFullscreen) stage.requestFullscreen().catch(() => {});
}

addEventListener('keydown', (event) => {
  if (event.key === 'ArrowUp' && ready && !started && !ended) enterFullscreen();
});
// The program's own key handler starts the show on this release.
addEventListener('keyup', (event) => {
  if (event.key === 'ArrowUp' && ready && !started && !ended) showStarted();
});
// A tap on a phone arrives as a click too.
canvas.addEventListener('click', () => {
  if (!ready || started || ended) return;
  enterFullscreen();
  showStarted();
  callShow('vorlaneStart');
});
// The browser takes Escape to leave fullscreen, and the page never sees the
// key: leaving fullscreen ends the show as Escape does.
document.addEventListener('fullscreenchange', () => {
  if (!document.fullscreenElement && started && !ended) callShow('vorlaneEnd');
});

// The page's length in base64 characters of the show's files and program,
// written in before them.
function expectShow(length) {
  expectedLength = length;
}

function advanceProgress(length) {
  receivedLength += length;
  const bar = progress.firstElementChild;
  bar.style.width = Math.min(100, (100 * receivedLength) / Math.max(1, expectedLength)) + '%';
}

// One of the show's files, as base64, from the script that follows this one.
function showFile(path, base64) {
  const text = atob(base64);
  const bytes = new Uint8Array(text.length);
  for (let i = 0; i < text.length; i += 1) bytes[i] = text.charCodeAt(i);
  showFiles.set(path, bytes);
  advanceProgress(base64.length);
  document.currentScript.remove();
}

var Module = {
  canvas,
  print(line) {
    lastLine = line;
    console.log(line);
  },
  printErr(line) {
    console.warn(line);
  },
  // The program's files, at the paths it opens. A file the page does not
  // hold is left out, and the program reports it as missing, as on the desktop.
  preRun: [() => {
    for (const [path, bytes] of showFiles) {
      if (path === 'vorlane.wasm') continue;
      const folders = path.split('/').slice(0, -1);
      folders.forEach((_, i) => {
        const folder = folders.slice(0, i + 1).join('/');
        if (!Module.FS.analyzePath(folder).exists) Module.FS.mkdir(folder);
      });
      Module.FS.writeFile(path, bytes);
    }
    showFiles.clear();
  }],
  postRun: [() => {
    progress.hidden = true;
    if (ended) return;
    ready = true;
    hint.hidden = false;
  }],
  quit(status, toThrow) {
    end(lastLine);
    throw toThrow;
  },
  onAbort(what) {
    end('The show stopped: ' + what);
  },
};

// Why this browser cannot show the show, or nothing. Every scene draws
// into a half-float picture; without it (a pure 8-bit picture loses the
// negative red the scenes blend over, and looks another) the show does not
// start.
function missingWebGL() {
  const gl = document.createElement('canvas').getContext('webgl2');
  if (!gl) return 'This browser cannot show vorlane: it has no WebGL 2.';
  if (!gl.getExtension('EXT_color_buffer_float') && !gl.getExtension('EXT_color_buffer_half_float'))
    return 'This browser cannot show vorlane: its WebGL 2 cannot draw into half-float textures.';
  return '';
}

// The program comes last in the page, as text: it runs once the whole page
// is here, and only where WebGL 2 can draw the show.
document.addEventListener('DOMContentLoaded', () => {
  const program = document.getElementById('program');
  const missing = missingWebGL();
  if (missing) {
    end(missing, false);
  } else if (!program || !showFiles.has('vorlane.wasm')) {
    end('This page is incomplete: download it again.', false);
  } else {
    Module.wasmBinary = showFiles.get('vorlane.wasm');
    advanceProgress(program.textContent.length);
    const script = document.createElement('script');
    script.textContent = program.textContent;
    program.remove();
    document.body.append(script);
  }
});
