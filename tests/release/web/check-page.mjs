// Checks the browser release in Debian's headless Chromium, as a visitor
// meets it: each folder (an unpacked copy of the zip, some with a file
// changed) is served over plain HTTP on 127.0.0.1 by scripts/serve-web, in
// a subfolder, and the page is driven with real key presses. Every page must
// run without a page error. Prints PASS or FAIL for each check and exits
// with the number of failures.
// usage: node check-page.mjs WORK_DIR FRAME_DIFFERENCE DESKTOP_CAPTURE
//   WORK_DIR holds full/, short/ and no-sun/, each with vorlane/ in it; the
//   desktop capture tool draws its frames in full/vorlane/, under $DISPLAY.
import { spawn, execFileSync } from 'node:child_process';
import { existsSync, readFileSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import puppeteer from 'puppeteer-core';

const [work, frameDifference, desktopCapture] = process.argv.slice(2);
// Run from the repository's root, as tests/release/web/run does.
const repository = process.cwd();
const endLine = 'FMOD Error! (1) An invalid object handle was used.';
// One moment in each scene, and how far away the neighbouring moments are.
const captureMoments = [0.6, 8.2, 30];
const neighbourOffset = 0.25;
const minimumPsnr = 30;

let failures = 0;
function check(ok, what, detail = '') {
  console.log(`${ok ? 'PASS' : 'FAIL'} ${what}${detail ? ': ' + detail : ''}`);
  if (!ok) failures += 1;
}

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

// Opens the page at `address`, collecting its page errors, and waits until
// the program draws its black frames (or the page has ended early).
async function open(browser, address) {
  const page = await browser.newPage();
  page.errors = [];
  page.on('pageerror', (error) => page.errors.push(error.message));
  await page.goto(address);
  await page.waitForFunction(() => !document.getElementById('hint').hidden ||
    !document.getElementById('message').hidden, { timeout: 60000 });
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

// The brightest colour channel of the canvas as the page shows it, above
// the hint's line.
async function brightestShown(page) {
  const png = await page.screenshot({ clip: { x: 0, y: 0, width: 1280, height: 600 }, encoding: 'base64' });
  return page.evaluate(async (png) => {
    const image = await createImageBitmap(await (await fetch('data:image/png;base64,' + png)).blob());
    const context = new OffscreenCanvas(image.width, image.height).getContext('2d');
    context.drawImage(image, 0, 0);
    const pixels = context.getImageData(0, 0, image.width, image.height).data;
    let brightest = 0;
    for (let i = 0; i < pixels.length; i += 4) brightest = Math.max(brightest, pixels[i], pixels[i + 1], pixels[i + 2]);
    return brightest;
  }, png);
}

// A PNG (base64) reduced to 16 x 9 pixels, as RGBA.
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

// The frame the capture entry draws for music time `t`, written as a PNG.
async function captureFrame(page, t, path) {
  const png = await page.evaluate(async (t) => {
    const at = Module.ccall('vorlaneFrameAt', 'number', ['number'], [t]);
    const pixels = new Uint8ClampedArray(HEAPU8.subarray(at, at + 1280 * 720 * 4));
    const canvas = new OffscreenCanvas(1280, 720);
    canvas.getContext('2d').putImageData(new ImageData(pixels, 1280, 720), 0, 0);
    const bytes = new Uint8Array(await (await canvas.convertToBlob({ type: 'image/png' })).arrayBuffer());
    let text = '';
    for (const byte of bytes) text += String.fromCharCode(byte);
    return btoa(text);
  }, t);
  writeFileSync(path, Buffer.from(png, 'base64'));
}

// The desktop capture tool's frame for `t`, made once.
function desktopFrame(t) {
  const path = join(work, `desktop-${t.toFixed(2)}.png`);
  if (!existsSync(path)) {
    execFileSync(desktopCapture, ['--at', String(t), '--out', path], { cwd: join(work, 'full/vorlane'), stdio: 'ignore' });
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

function noPageErrors(page, say, what) {
  say(page.errors.length === 0, `${what}: no page error`, page.errors.join(' | '));
}

// Every check of the show in one browser, each named after it. The Up
// press, the click and the keys are real input events.
async function checkShow(browser, name, { full, short, noSun }) {
  const say = (ok, what, detail) => check(ok, `${name}: ${what}`, detail);
  // Before Up: black, and the hint; after it the show runs on the music.
  let page = await open(browser, full);
  const brightest = await brightestShown(page);
  say(brightest <= 1, 'the canvas is black before Up', `brightest channel ${brightest}`);
  await pressUp(page);
  const started = Date.now();
  say(await page.evaluate(() => document.getElementById('hint').hidden), 'the hint goes when the show starts');
  await page.waitForFunction(() => AL.currentCtx && AL.currentCtx.audioCtx.state === 'running', { timeout: 5000 })
    .then(() => say(true, 'the sound runs after Up'), () => say(false, 'the sound runs after Up'));
  // The picture shown a few seconds into each scene looks like the
  // desktop's frame for that moment of the music more than like another
  // scene's: compared as thumbnails, since at a few frames a second the
  // page shows a frame drawn up to a quarter second earlier.
  const scenes = [3, 8.7, 14];
  const shown = [];
  for (const t of scenes) {
    await new Promise((resolve) => setTimeout(resolve, Math.max(0, t * 1000 - (Date.now() - started))));
    shown.push(await thumbnail(page, await page.screenshot({ encoding: 'base64' })));
  }
  const desktop = [];
  for (const t of scenes) desktop.push(await thumbnail(page, readFileSync(desktopFrame(t)).toString('base64')));
  scenes.forEach((t, i) => {
    const distances = desktop.map((frame) => colourDistance(shown[i], frame));
    say(distances.indexOf(Math.min(...distances)) === i, `${t} s after Up the page shows the music's moment`,
      `colour distances to the desktop's frames at ${scenes.join(', ')} s: ${distances.map((d) => d.toFixed(1)).join(', ')}`);
  });
  await page.keyboard.press('Escape');
  await checkMessage(page, say, 'Watch again', 'Escape ends the show with no line');
  noPageErrors(page, say, 'the full show');
  await page.close();

  // A click starts the show in fullscreen; leaving fullscreen (the
  // browser's own Escape) ends it.
  page = await open(browser, full);
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
  page = await open(browser, short);
  const consoleLines = [];
  page.on('console', (message) => consoleLines.push(message.text()));
  await pressUp(page);
  await checkMessage(page, say, `${endLine} Watch again`, 'the end of the track shows the end line', 30000);
  say(consoleLines.includes(endLine), 'the end line goes to the console too');
  noPageErrors(page, say, 'the short track');
  await page.close();

  // A picture missing from the folder: its line, before any Up.
  page = await open(browser, noSun);
  await checkMessage(page, say, '[! data/textures/sun.png] file not found. Watch again',
    'a missing picture shows its line');
  noPageErrors(page, say, 'the missing picture');
  await page.close();

  // The capture entry's frames against the desktop capture tool's.
  page = await open(browser, full);
  for (const t of captureMoments) {
    const web = join(work, `${name}-${t}.png`);
    await captureFrame(page, t, web);
    const same = psnr(web, desktopFrame(t));
    const earlier = psnr(web, desktopFrame(t - neighbourOffset));
    const later = psnr(web, desktopFrame(t + neighbourOffset));
    say(same >= minimumPsnr && same > earlier + 3 && same > later + 3,
      `the frame at ${t} s matches the desktop's`,
      `PSNR ${same.toFixed(2)} dB; against ${neighbourOffset} s before ${earlier.toFixed(2)}, after ${later.toFixed(2)}`);
  }
  noPageErrors(page, say, 'the captures');
  await page.close();
}

async function main() {
  const sites = {
    full: await serve(join(work, 'full')),
    short: await serve(join(work, 'short')),
    noSun: await serve(join(work, 'no-sun')),
  };
  for (const [name, launchIt] of [['Chromium', launchChromium], ['Firefox', launchFirefox]]) {
    const browser = await launchIt();
    try {
      await checkShow(browser, name, sites);
    } finally {
      await browser.close();
    }
  }

  // A browser without WebGL: a message instead of a blank page.
  const plain = await launchChromium(['--disable-3d-apis']);
  try {
    const page = await open(plain, sites.full);
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
