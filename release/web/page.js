// The page around the show: it downloads the show's files, starts the show
// on the release of Up or on a click or tap, and when the show ends shows
// the one line the desktop program would print, with a way to watch again.
'use strict';

const stage = document.getElementById('stage');
const canvas = document.getElementById('canvas');
const hint = document.getElementById('hint');
const message = document.getElementById('message');
const progress = document.getElementById('progress');

let ready = false;  // the show is loaded and drawing its black frames
let started = false;
let ended = false;
let lastLine = '';

// Shows `line` (none after Escape) and, unless the browser cannot show it
// at all, a way to watch again; the show is over.
function end(line, again = true) {
  if (ended) return;
  ended = true;
  if (Module.pauseMainLoop) Module.pauseMainLoop();
  stage.classList.remove('playing');
  hint.hidden = progress.hidden = true;
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
  hint.hidden = true;
  stage.classList.add('playing');
}

// Fullscreen needs the user's gesture: the press of Up, or the click.
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

// Downloads the files that files.json lists into the program's file system,
// at the paths the program opens. A file the server does not have is left
// out, and the program reports it as missing, as on the desktop.
async function loadFiles() {
  const list = await (await fetch('files.json')).json();
  const total = list.reduce((sum, file) => sum + file.size, 0);
  let received = 0;
  const bar = progress.firstElementChild;
  const download = async (file) => {
    const response = await fetch(file.path);
    if (!response.ok) return;
    const reader = response.body.getReader();
    const chunks = [];
    for (;;) {
      const { done, value } = await reader.read();
      if (done) break;
      chunks.push(value);
      received += value.length;
      bar.style.width = Math.min(100, (100 * received) / total) + '%';
    }
    const folders = file.path.split('/').slice(0, -1);
    folders.forEach((_, i) => {
      const folder = folders.slice(0, i + 1).join('/');
      if (!Module.FS.analyzePath(folder).exists) Module.FS.mkdir(folder);
    });
    Module.FS.writeFile(file.path, new Uint8Array(await new Blob(chunks).arrayBuffer()));
  };
  await Promise.all(list.map(download));
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
  preRun: [() => {
    Module.addRunDependency('show files');
    loadFiles().then(
      () => Module.removeRunDependency('show files'),
      (error) => end('The show\'s files could not be downloaded: ' + error.message));
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

// The show draws into WebGL 2; without it there is nothing to start.
if (document.createElement('canvas').getContext('webgl2')) {
  const program = document.createElement('script');
  program.src = 'vorlane.js';
  program.onerror = () => end('The show\'s program could not be downloaded.');
  document.body.append(program);
} else {
  end('This browser cannot show vorlane: it has no WebGL 2.', false);
}
