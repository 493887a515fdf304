// Counts what each animation frame of a page asks of WebGL 2: its calls,
// its draws, and how long the frame's callbacks kept the main thread. Put
// into the page before its own scripts run (puppeteer's
// evaluateOnNewDocument); the page's frames then collect in
// window.webglFrames, one record each: { at, milliseconds, calls, draws }.
export function countWebGLFrames() {
  const drawNames = new Set(['drawArrays', 'drawElements', 'drawArraysInstanced', 'drawElementsInstanced',
    'drawRangeElements']);
  const frames = [];
  let calls = 0;
  let draws = 0;
  const prototype = WebGL2RenderingContext.prototype;
  for (const name of Object.getOwnPropertyNames(prototype)) {
    const descriptor = Object.getOwnPropertyDescriptor(prototype, name);
    if (typeof descriptor.value !== 'function' || name === 'constructor') continue;
    const original = descriptor.value;
    const isDraw = drawNames.has(name);
    prototype[name] = function counted(...args) {
      calls += 1;
      if (isDraw) draws += 1;
      return original.apply(this, args);
    };
  }
  // Every callback of one animation frame runs in one task, one after
  // another: a frame is the callbacks given the same timestamp.
  const requestFrame = window.requestAnimationFrame.bind(window);
  window.requestAnimationFrame = (callback) => requestFrame((timestamp) => {
    let frame = frames[frames.length - 1];
    if (!frame || frame.timestamp !== timestamp) {
      frame = { timestamp, at: performance.now(), milliseconds: 0, calls: 0, draws: 0 };
      frames.push(frame);
    }
    const callsBefore = calls;
    const drawsBefore = draws;
    const started = performance.now();
    try {
      callback(timestamp);
    } finally {
      frame.milliseconds += performance.now() - started;
      frame.calls += calls - callsBefore;
      frame.draws += draws - drawsBefore;
    }
  });
  window.webglFrames = frames;
}
