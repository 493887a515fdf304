// Plays the whole show in the browser page at PAGE twice in Debian's
// headless Chromium, and prints what its frames cost in each scene: once
// with Chromium's GL drawing off, for the draws and WebGL calls a frame and
// the main thread's time a frame (what the page itself costs, whatever the
// GPU), and once drawn by SwiftShader, for the frames a second this
// machine's CPUs manage as the GPU.
// usage: node web_frames.mjs PAGE   (tools/bench/web-frames sets it up)
import puppeteer from 'puppeteer-core';
import { countWebGLFrames } from './webgl_frame_counter.mjs';

const [address] = process.argv.slice(2);
// The frames of each scene, by seconds since Up, a margin inside either end.
const scenes = [['opening', 0.5, 6.2], ['word slam', 6.8, 10.7], ['scroller', 11.5, 48.5]];
const showSeconds = 49.5;

function quantile(values, q) {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted[Math.min(sorted.length - 1, Math.floor(q * sorted.length))];
}

async function playShow(drawing) {
  const browser = await puppeteer.launch({
    executablePath: '/usr/bin/chromium',
    headless: true,
    defaultViewport: { width: 1280, height: 720 },
    args: ['--no-sandbox', '--use-angle=swiftshader', '--enable-unsafe-swiftshader', '--no-first-run',
      '--disable-background-networking', '--disable-component-update', '--disable-sync', '--disable-quic',
      '--autoplay-policy=no-user-gesture-required', ...(drawing ? [] : ['--disable-gl-drawing-for-tests'])],
  });
  try {
    const page = await browser.newPage();
    await page.evaluateOnNewDocument(countWebGLFrames);
    await page.goto(address);
    await page.waitForFunction(() => !document.getElementById('hint').hidden, { timeout: 60000 });
    await page.keyboard.down('ArrowUp');
    await page.keyboard.up('ArrowUp');
    const upAt = await page.evaluate(() => performance.now());
    process.stderr.write(`playing the show ${drawing ? 'drawn by SwiftShader' : 'with GL drawing off'}...\n`);
    await new Promise((resolve) => setTimeout(resolve, showSeconds * 1000));
    const frames = await page.evaluate(() => window.webglFrames);
    return { version: await browser.version(), scenes: scenes.map(([name, from, to]) => {
      const drawn = frames.filter((frame) => frame.at - upAt > from * 1000 && frame.at - upAt < to * 1000);
      return { name, drawn, seconds: to - from };
    }) };
  } finally {
    await browser.close();
  }
}

const counted = await playShow(false);
const drawn = await playShow(true);
console.log(`${counted.version}, ${address}`);
console.log('scene      | draws | WebGL calls | main thread, median / p90 | frames a second, SwiftShader');
counted.scenes.forEach(({ name, drawn: frames }, i) => {
  const median = (key) => quantile(frames.map((frame) => frame[key]), 0.5);
  const p90 = quantile(frames.map((frame) => frame.milliseconds), 0.9);
  const rate = drawn.scenes[i].drawn.length / drawn.scenes[i].seconds;
  console.log(`${name.padEnd(10)} | ${String(median('draws')).padStart(5)} | ${String(median('calls')).padStart(11)} | ` +
    `${`${median('milliseconds').toFixed(1)} / ${p90.toFixed(1)} ms`.padEnd(25)} | ${rate.toFixed(1)}`);
});
