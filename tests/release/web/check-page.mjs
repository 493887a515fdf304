// Checks the browser release as a visitor meets it: the one-file page
// opened from the disk, with a double click's file:// address, in Debian's
// headless Chromium, Firefox ESR and WebKitGTK (Safari's engine), and served
// over plain HTTP on 127.0.0.1 by scripts/serve-web, in a subfolder. The
// page is driven with real key presses, clicks and taps; every page of
// Chromium and Firefox must run without a page error. Prints PASS or FAIL
// for each check and exits with the number of failures.
// usage: node check-page.mjs WORK_DIR FRAME_DIFFERENCE DESKTOP_CAPTURE [chromium]
//   WORK_DIR holds full/, short/ and no-sun/, each with vorlane/index.html
//   in it; the desktop capture tool draws its frames in its own folder,
//   under $DISPLAY. With "chromium", only Chromium's checks of the page
//   opened from the disk run (the party's copy of the page).
import { spawn, execFileSync } from 'node:child_process';
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { dirname, join } from 'node:path';
import { pathToFileURL } from 'node:url';
import puppeteer from 'puppeteer-core';
import { countWebGLFrames } from './webgl_frame_counter.mjs';
import { webkitSession } from './webkit_session.mjs';

const [work, frameDifference, desktopCapture, only] = process.argv.slice(2);
// Run from the repository's root, as tests/release/web/run does.
const repository = process.cwd();
const endLine = 'FMOD Error! (1) An invalid object handle was used.';
// One moment in each scene, and how far away the neighbouring moments are.
const captureMoments = [0.6, 8.2, 30];
const neighbourOffset = 0.25;
const minimumPsnr = 30;
// The warning a show that fails the flash check gives; none when it passes.
const flashWarning = execFileSync(join(repository, 'scripts/flash-warning'), { encoding: 'utf8' }).trim();
// What a phone can draw in a frame.
const mostDraws = 64;
const mostWebGLCalls = 1500;

let failures = 0;
function check(ok, what, detail = '') {
  console.log(`${ok ? 'PASS' : 'FAIL'} ${what}${detail ? ': ' + detail : ''}`);
  if (!ok) failures += 1;
}

const pageOnDisk = (variant) => pathToFileURL(join(work, variant, 'vorlane/index.html')).href;

// Starts scripts/serve-web on `folder` and resolves with the show's address.
function serve(folder) {
  return new Promise((resolve, reject) => {
    const server = spawn(join(repository, 'scripts/serve-web'), [folder], { stdio: ['ignore', 'pipe', 'inherit'] });
    servers.push(server);
    server.stdout.on('data', (data) => {
      const found = String(data).match(/http:\/\/127\.0\.0\.1:\d+\/vorlane\//);
      if (found) resolve(found[0]);
    });
    server.on('exit', () => reject(new Error(`serve-web stopped serving ${folder}`)));
  });
}
const servers = [];

function launchChromium(extraArgs = []) {
  return puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    defaultViewport: { width: 1280, height: 720 },
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', '--disable-quic',
      ...extraArgs],
  });
}

// Firefox ESR through WebDriver BiDi. Its sound needs a sound server:
// PULSE_SERVER names the one tests/release/web/run starts.
function launchFirefox() {
  return puppeteer.launch({
    browser: 'firefox',
    executablePath: '/usr/bin/firefox-esr',
    headless: true,
    defaultViewport: { width: 1280, height: 720 },
  });
}

const pageIsReady = () => !document.getElementById('hint').hidden || !document.getElementById('message').hidden;

// Opens the page at `address`, collecting its page errors, and waits until
// the program draws its black frames (or the page has ended early).
// `prepare` runs on the new page before it loads.
async function open(browser, address, prepare = async () => {}) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error.message));
  await prepare(page);
  await page.goto(address);
  await page.waitForFunction(pageIsReady, { timeout: 60000 });
  return page;
}

const messageOf = (page) => page.$eval('#message', (m) => (m.hidden ? null : m.textContent));
const waitForMessage = (page, timeout) =>
  page.waitForFunction(() => !document.getElementById('message').hidden, { timeout });

// Waits up to `timeout` ms for the page's message, and checks that it is
// `expected`.
async function checkMessage(page, say, expected, what, timeout = 5000) {
  await waitForMessage(page, timeout).catch(() => {});
  const shown = await messageOf(page);
  say(shown === expected, what, JSON.stringify(shown));
}

async function pressUp(page) {
  await page.keyboard.down('ArrowUp');
  await page.keyboard.up('ArrowUp');
}

const soundRuns = () => typeof AL !== 'undefined' && AL.currentCtx && AL.currentCtx.audioCtx.state === 'running';

// The brightest colour channel of a PNG (base64), decoded by `page`, in the
// rows from `from` to `to` of its height.
function brightestOf(page, png, from = 0, to = 1) {
  return page.evaluate(async (png, from, to) => {
    const image = await createImageBitmap(await (await fetch('data:image/png;base64,' + png)).blob());
    const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
    context.drawImage(image, 0, 0);
    const top = Math.floor(image.height * from);
    const pixels = context.getImageData(0, top, image.width, Math.floor(image.height * to) - top).data;
    let brightest = 0;
    for (let i = 0; i < pixels.length; i += 4) brightest = Math.max(brightest, pixels[i], pixels[i + 1], pixels[i + 2]);
    return brightest;
  }, png, from, to);
}

// The brightest colour channel of the page as shown in `clip` (CSS pixels;
// by default the canvas above the hint's line).
async function brightestShown(page, clip = { x: 0, y: 0, width: 1280, height: 600 }) {
  return brightestOf(page, await page.screenshot({ clip, encoding: 'base64' }));
}

// A PNG (base64) reduced to 16 x 9 pixels, as RGBA, decoded by `page`.
function thumbnail(page, png) {
  return page.evaluate(async (png) => {
    const image = await createImageBitmap(await (await fetch('data:image/png;base64,' + png)).blob(),
      { resizeWidth: 16, resizeHeight: 9, resizeQuality: 'high' });
    const context = new OffscreenCanvas(16, 9).getContext('2d');
    context.drawImage(image, 0, 0);
    return Array.from(context.getImageData(0, 0, 16, 9).data);
  }, png);
}

// The root mean square difference of two thumbnails' colour channels.
function colourDistance(a, b) {
  let sum = 0;
  for (let i = 0; i < a.length; i += 4) {
    for (let c = 0; c < 3; c += 1) sum += (a[i + c] - b[i + c]) ** 2;
  }
  return Math.sqrt(sum / ((a.length / 4) * 3));
}

// The frame the capture entry draws for music time `t`, as a PNG in base64;
// `evaluate` runs a function in the page and gives back its result.
function frameAt(evaluate, t) {
  return evaluate(async (t) => {
    const at = Module.ccall('vorlaneFrameAt', 'number', ['number'], [t]);
    const pixels = new Uint8ClampedArray(HEAPU8.subarray(at, at + 1280 * 720 * 4));
    const canvas = document.createElement('canvas');
    canvas.width = 1280;
    canvas.height = 720;
    canvas.getContext('2d').putImageData(new ImageData(pixels, 1280, 720), 0, 0);
    return canvas.toDataURL('image/png').split(',')[1];
  }, t);
}

// The desktop capture tool's frame for `t`, made once.
function desktopFrame(t) {
  const path = join(work, `desktop-${t.toFixed(2)}.png`);
  if (!existsSync(path)) {
    execFileSync(desktopCapture, ['--at', String(t), '--out', path], { cwd: dirname(desktopCapture), stdio: 'ignore' });
  }
  return path;
}

function psnr(a, b) {
  let output;
  try {
    output = execFileSync(frameDifference, [a, b, '255'], { encoding: 'utf8' });
  } catch (error) {
    output = String(error.stdout);
  }
  const found = output.match(/PSNR (inf|[\d.]+) dB/);
  return found ? Number(found[1] === 'inf' ? Infinity : found[1]) : NaN;
}

// The capture entry's frame for each of `moments`, against the desktop
// capture tool's: closer to the desktop's frame of the same moment than to
// those a quarter second either side. Gives back their PSNRs.
async function checkFrames(evaluate, say, name, moments = captureMoments) {
  const found = [];
  for (const t of moments) {
    const web = join(work, `${name}-${t}.png`);
    writeFileSync(web, Buffer.from(await frameAt(evaluate, t), 'base64'));
    const same = psnr(web, desktopFrame(t));
    const earlier = psnr(web, desktopFrame(t - neighbourOffset));
    const later = psnr(web, desktopFrame(t + neighbourOffset));
    say(same >= minimumPsnr && same > earlier + 3 && same > later + 3,
      `the frame at ${t} s matches the desktop's`,
      `PSNR ${same.toFixed(2)} dB; against ${neighbourOffset} s before ${earlier.toFixed(2)}, after ${later.toFixed(2)}`);
    found.push(same);
  }
  return found;
}

function noPageErrors(page, say, what) {
  say(page.errors.length === 0, `${what}: no page error`, page.errors.join(' | '));
}

// The moments after Up, in seconds, at which the picture shown a few
// seconds into each scene is compared with the desktop's frames.
const sceneMoments = [3, 8.7, 14];

// Whether the pictures shown (thumbnails) at sceneMoments look like the
// desktop's frames for those moments of the music more than like another
// scene's: compared as thumbnails, since at a few frames a second the page
// shows a frame drawn up to a quarter second earlier.
async function checkScenesFollowMusic(decoder, say, shown) {
  const desktop = [];
  for (const t of sceneMoments) desktop.push(await thumbnail(decoder, readFileSync(desktopFrame(t)).toString('base64')));
  sceneMoments.forEach((t, i) => {
    const distances = desktop.map((frame) => colourDistance(shown[i], frame));
    say(distances.indexOf(Math.min(...distances)) === i, `${t} s after Up the page shows the music's moment`,
      `colour distances to the desktop's frames at ${sceneMoments.join(', ')} s: ${distances.map((d) => d.toFixed(1)).join(', ')}`);
  });
}

// The largest numbers of draws and WebGL calls of the frames each scene
// drew, from the page's frame counts: every frame draws one scene, the
// one of the music's moment, told here by the time since Up with a margin
// either side of the scene changes.
function checkFrameCosts(frames, upAt, say) {
  const scenes = [['the opening', 0.3, 6.3], ['the word slam', 6.8, 10.8], ['the scroller', 11.3, Infinity]];
  for (const [scene, from, to] of scenes) {
    const drawn = frames.filter((frame) => frame.at - upAt > from * 1000 && frame.at - upAt < to * 1000);
    const draws = Math.max(...drawn.map((frame) => frame.draws));
    const calls = Math.max(...drawn.map((frame) => frame.calls));
    say(drawn.length >= 5 && draws <= mostDraws && calls <= mostWebGLCalls,
      `each frame of ${scene} makes at most ${mostDraws} draws and ${mostWebGLCalls} WebGL calls`,
      `${drawn.length} frames, at most ${draws} draws and ${calls} calls`);
  }
}

// Every check of the show in one browser, each named after it, from the
// disk. The Up press, the click and the keys are real input events.
async function checkShow(browser, name) {
  const say = (ok, what, detail) => check(ok, `${name}: ${what}`, detail);
  // Before Up: black, and the hint; after it the show runs on the music.
  let page = await open(browser, pageOnDisk('full'), (page) => page.evaluateOnNewDocument(countWebGLFrames));
  const brightest = await brightestShown(page, { x: 0, y: 100, width: 1280, height: 500 });
  say(brightest <= 1, 'the canvas is black before Up', `brightest channel ${brightest}`);
  const warningShown = () => page.$eval('#warning', (w) => (w.hidden ? '' : w.textContent));
  const warned = await warningShown();
  say(warned === flashWarning, 'before Up the page gives the flash check\'s warning, if any', JSON.stringify(warned));
  // The show passes today: the page shows a warning as scripts/web-page
  // writes it for one that fails, so that its going at the start is seen.
  if (!flashWarning) {
    await page.evaluate(() => {
      const warning = document.getElementById('warning');
      warning.textContent = 'Photosensitivity warning: a show that fails the flash check.';
      warning.hidden = false;
    });
  }
  await pressUp(page);
  const started = Date.now();
  const upAt = await page.evaluate(() => performance.now());
  say(await page.evaluate(() => document.getElementById('hint').hidden) && await warningShown() === '',
    'the hint and the warning go when the show starts');
  await page.waitForFunction(soundRuns, { timeout: 5000 })
    .then(() => say(true, 'the sound runs after Up'), () => say(false, 'the sound runs after Up'));
  const shown = [];
  for (const t of sceneMoments) {
    await new Promise((resolve) => setTimeout(resolve, Math.max(0, t * 1000 - (Date.now() - started))));
    shown.push(await thumbnail(page, await page.screenshot({ encoding: 'base64' })));
  }
  await checkScenesFollowMusic(page, say, shown);
  checkFrameCosts(await page.evaluate(() => window.webglFrames), upAt, say);
  await page.keyboard.press('Escape');
  await checkMessage(page, say, 'Watch again', 'Escape ends the show with no line');
  noPageErrors(page, say, 'the full show');
  await page.close();

  // A click starts the show in fullscreen; leaving fullscreen (the
  // browser's own Escape) ends it.
  page = await open(browser, pageOnDisk('full'));
  await page.click('#canvas');
  const clicked = await page.waitForFunction(() => document.fullscreenElement &&
    AL.currentCtx.audioCtx.state === 'running', { timeout: 5000 }).then(() => true, () => false);
  say(clicked && await page.evaluate(() => document.getElementById('hint').hidden),
    'a click starts the show in fullscreen');
  await page.evaluate(() => document.exitFullscreen());
  await checkMessage(page, say, 'Watch again', 'leaving fullscreen ends the show');
  noPageErrors(page, say, 'the click and fullscreen');
  await page.close();

  // The short track: the end line on the page, and in the console.
  page = await open(browser, pageOnDisk('short'));
  const consoleLines = [];
  page.on('console', (message) => consoleLines.push(message.text()));
  await pressUp(page);
  await checkMessage(page, say, `${endLine} Watch again`, 'the end of the track shows the end line', 30000);
  say(consoleLines.includes(endLine), 'the end line goes to the console too');
  noPageErrors(page, say, 'the short track');
  await page.close();

  // A picture missing from the page: its line, before any Up.
  page = await open(browser, pageOnDisk('no-sun'));
  await checkMessage(page, say, '[! data/textures/sun.png] file not found. Watch again',
    'a missing picture shows its line');
  noPageErrors(page, say, 'the missing picture');
  await page.close();

  // The capture entry's frames against the desktop capture tool's.
  page = await open(browser, pageOnDisk('full'));
  const psnrs = await checkFrames((...args) => page.evaluate(...args), say, name);
  noPageErrors(page, say, 'the captures');
  await page.close();
  return psnrs;
}

// The same page from a web server, in a subfolder, plays as from the disk.
async function checkServed(browser, address) {
  const say = (ok, what, detail) => check(ok, `Chromium, served: ${what}`, detail);
  const page = await open(browser, address);
  say(await page.evaluate(() => !document.getElementById('hint').hidden), 'the page is ready to start');
  await pressUp(page);
  await page.waitForFunction(soundRuns, { timeout: 5000 })
    .then(() => say(true, 'the sound runs after Up'), () => say(false, 'the sound runs after Up'));
  await checkFrames((...args) => page.evaluate(...args), say, 'served', [8.2]);
  await page.keyboard.press('Escape');
  await checkMessage(page, say, 'Watch again', 'Escape ends the show with no line');
  noPageErrors(page, say, 'the served page');
  await page.close();
}

// A phone held upright: touch, a 390 x 844 screen at three device pixels
// to the CSS pixel.
async function checkPhone(browser) {
  const say = (ok, what, detail) => check(ok, `Chromium as a phone: ${what}`, detail);
  const viewport = { width: 390, height: 844, deviceScaleFactor: 3, isMobile: true, hasTouch: true };
  const page = await open(browser, pageOnDisk('full'), (page) => page.emulate({ viewport,
    userAgent: 'Mozilla/5.0 (Linux; Android 14; Pixel 8) AppleWebKit/537.36 (KHTML, like Gecko) Chrome/156.0 Mobile Safari/537.36' }));
  await page.tap('#canvas');
  const tapped = await page.waitForFunction(soundRuns, { timeout: 5000 }).then(() => true, () => false);
  say(tapped && await page.evaluate(() => document.getElementById('hint').hidden), 'a tap starts the show');
  // The whole 16:9 picture across the width, centred, black above and below.
  const pictureHeight = (viewport.width * 9) / 16;
  const barHeight = (viewport.height - pictureHeight) / 2;
  const box = await page.$eval('#canvas', (canvas) => {
    const { x, y, width, height } = canvas.getBoundingClientRect();
    return { x, y, width, height };
  });
  say(Math.abs(box.x) < 1 && Math.abs(box.width - viewport.width) < 1 && Math.abs(box.y - barHeight) < 1 &&
    Math.abs(box.height - pictureHeight) < 1, 'in portrait the picture is whole, across the width and centred',
  JSON.stringify(box));
  await new Promise((resolve) => setTimeout(resolve, 2000));
  const above = await brightestShown(page, { x: 0, y: 0, width: viewport.width, height: barHeight - 2 });
  const below = await brightestShown(page, { x: 0, y: barHeight + pictureHeight + 2, width: viewport.width,
    height: barHeight - 2 });
  const picture = await brightestShown(page, { x: 0, y: barHeight + 2, width: viewport.width, height: pictureHeight - 4 });
  say(above <= 1 && below <= 1 && picture > 100, 'the bars above and below the picture are black',
    `brightest channel above ${above}, in the picture ${picture}, below ${below}`);
  noPageErrors(page, say, 'the phone');
  await page.close();
}

// Hides WebGL extensions from the page, as a browser without them would.
function hideExtensions(page, hidden) {
  return page.evaluateOnNewDocument((hidden) => {
    const prototype = WebGL2RenderingContext.prototype;
    const getExtension = prototype.getExtension;
    const getSupportedExtensions = prototype.getSupportedExtensions;
    prototype.getExtension = function hiding(name) {
      return hidden.includes(name) ? null : getExtension.call(this, name);
    };
    prototype.getSupportedExtensions = function hiding() {
      return (getSupportedExtensions.call(this) || []).filter((name) => !hidden.includes(name));
    };
  }, hidden);
}

// Many phones' WebGL 2 cannot draw into float textures: with half floats it
// draws the show as it does with floats; with neither the page says why.
async function checkHalfFloats(browser, floatPsnrs) {
  let page = await open(browser, pageOnDisk('full'), (page) => hideExtensions(page, ['EXT_color_buffer_float']));
  const say = (ok, what, detail) => check(ok, `Chromium without float textures: ${what}`, detail);
  const psnrs = await checkFrames((...args) => page.evaluate(...args), say, 'half-float');
  say(psnrs.every((value, i) => value >= floatPsnrs[i]), 'its frames are as close to the desktop\'s as with them',
    `PSNR ${psnrs.map((value) => value.toFixed(2)).join(', ')} against ${floatPsnrs.map((value) => value.toFixed(2)).join(', ')} dB`);
  noPageErrors(page, say, 'the page');
  await page.close();

  page = await open(browser, pageOnDisk('full'), (page) =>
    hideExtensions(page, ['EXT_color_buffer_float', 'EXT_color_buffer_half_float']));
  await checkMessage(page, check, 'This browser cannot show vorlane: its WebGL 2 cannot draw into half-float textures.',
    'Chromium without float or half-float textures shows a message');
  noPageErrors(page, check, 'Chromium without float or half-float textures');
  await page.close();
}

// Safari's engine: the page starts from the disk, plays with its sound on
// the music's clock, draws the desktop's frames, and ends at the end of the
// track and on Escape. `decoder` is a Chromium page that reads its PNGs.
async function checkWebKit(decoder) {
  const webkit = await webkitSession.start();
  const say = (ok, what, detail) => check(ok, `WebKitGTK ${webkit.version}: ${what}`, detail);
  try {
    await webkit.goto(pageOnDisk('full'));
    const ready = await webkit.waitFor(pageIsReady, 60000);
    say(ready && await webkit.evaluate(() => document.getElementById('message').hidden), 'the page starts');
    // Between the warning's line and the hint's.
    const brightest = await brightestOf(decoder, await webkit.screenshot(), 0.15, 0.8);
    say(brightest <= 1, 'the canvas is black before Up', `brightest channel ${brightest}`);
    await webkit.press('ArrowUp');
    const started = Date.now();
    say(await webkit.waitFor(soundRuns, 5000), 'the sound runs after Up');
    const shown = [];
    for (const t of sceneMoments) {
      await new Promise((resolve) => setTimeout(resolve, Math.max(0, t * 1000 - (Date.now() - started))));
      shown.push(await thumbnail(decoder, await webkit.screenshot()));
    }
    await checkScenesFollowMusic(decoder, say, shown);
    await webkit.press('Escape');
    await webkit.waitFor(() => !document.getElementById('message').hidden, 5000);
    const afterEscape = await webkit.evaluate(() => document.getElementById('message').textContent);
    say(afterEscape === 'Watch again', 'Escape ends the show with no line', JSON.stringify(afterEscape));

    await webkit.goto(pageOnDisk('full'));
    await webkit.waitFor(pageIsReady, 60000);
    await checkFrames((script, ...args) => webkit.evaluate(String(script), ...args), say, 'webkit');

    await webkit.goto(pageOnDisk('short'));
    await webkit.waitFor(pageIsReady, 60000);
    await webkit.press('ArrowUp');
    await webkit.waitFor(() => !document.getElementById('message').hidden, 30000);
    const atEnd = await webkit.evaluate(() => document.getElementById('message').textContent);
    say(atEnd === `${endLine} Watch again`, 'the end of the track shows the end line', JSON.stringify(atEnd));
  } finally {
    await webkit.close();
  }
}

async function main() {
  if (only === 'chromium') {
    const chromium = await launchChromium();
    try {
      await checkShow(chromium, 'Chromium');
    } finally {
      await chromium.close();
    }
    return;
  }
  const served = await serve(join(work, 'full'));
  const chromium = await launchChromium();
  let floatPsnrs;
  try {
    floatPsnrs = await checkShow(chromium, 'Chromium');
    await checkServed(chromium, served);
    await checkPhone(chromium);
    await checkHalfFloats(chromium, floatPsnrs);
    const decoder = await chromium.newPage();
    await checkWebKit(decoder);
  } finally {
    await chromium.close();
  }

  const firefox = await launchFirefox();
  try {
    await checkShow(firefox, 'Firefox');
  } finally {
    await firefox.close();
  }

  // A browser without WebGL: a message instead of a blank page.
  const plain = await launchChromium(['--disable-3d-apis']);
  try {
    const page = await open(plain, pageOnDisk('full'));
    await checkMessage(page, check, 'This browser cannot show vorlane: it has no WebGL 2.',
      'Chromium without WebGL 2 shows a message');
    noPageErrors(page, check, 'Chromium without WebGL 2');
  } finally {
    await plain.close();
  }
}

main()
  .catch((error) => check(false, 'the browser checks ran to the end', error.stack))
  .finally(() => {
    for (const server of servers) server.kill();
    console.log(`${failures} of the browser checks failed`);
    process.exit(failures ? 1 : 0);
  });
