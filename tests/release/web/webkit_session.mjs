// A WebKitGTK browser (its MiniBrowser in automation mode) driven through
// WebKitWebDriver, the WebDriver of Safari's engine on Linux, over the W3C
// WebDriver protocol: what the browser checks need of it, and no more.
import { spawn } from 'node:child_process';
import { createServer } from 'node:net';

const miniBrowser = '/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser';
const keys = { ArrowUp: '\uE013', Escape: '\uE00C' };

function freePort() {
  return new Promise((resolve, reject) => {
    const server = createServer();
    server.on('error', reject);
    server.listen(0, '127.0.0.1', () => {
      const { port } = server.address();
      server.close(() => resolve(port));
    });
  });
}

export class webkitSession {
  // Starts WebKitWebDriver on a free port of 127.0.0.1 and a browser session.
  static async start() {
    const port = await freePort();
    const driver = spawn('/usr/bin/WebKitWebDriver', [`--host=127.0.0.1`, `--port=${port}`], { stdio: 'ignore' });
    const session = new webkitSession(driver, `http://127.0.0.1:${port}`);
    const deadline = Date.now() + 15000;
    for (;;) {
      try {
        const created = await session.command('POST', '/session', { capabilities: { alwaysMatch: {
          browserName: 'MiniBrowser', 'webkitgtk:browserOptions': { binary: miniBrowser, args: ['--automation'] } } } });
        session.id = created.sessionId;
        session.version = created.capabilities.browserVersion;
        // The canvas fills a window of the show's size.
        await session.command('POST', `/session/${session.id}/window/rect`, { width: 1280, height: 720 });
        return session;
      } catch (error) {
        if (Date.now() > deadline) {
          driver.kill();
          throw error;
        }
        await new Promise((resolve) => setTimeout(resolve, 250));
      }
    }
  }

  constructor(driver, address) {
    this.driver = driver;
    this.address = address;
    this.id = '';
  }

  async command(method, path, body) {
    const response = await fetch(this.address + path, { method, headers: { 'content-type': 'application/json' },
      body: body === undefined ? undefined : JSON.stringify(body) });
    const { value } = await response.json();
    if (!response.ok) throw new Error(`WebDriver ${method} ${path}: ${value.error}: ${value.message}`);
    return value;
  }

  goto(url) {
    return this.command('POST', `/session/${this.id}/url`, { url });
  }

  // Runs `script`, a function's source, in the page with `args` and gives
  // back what it returns, awaited.
  evaluate(script, ...args) {
    return this.command('POST', `/session/${this.id}/execute/async`, {
      script: `const done = arguments[arguments.length - 1];
        Promise.resolve((${script})(...Array.from(arguments).slice(0, -1))).then(done, (error) => done({ error: String(error) }));`,
      args });
  }

  // Waits up to `timeout` ms for `script` to return something true.
  async waitFor(script, timeout) {
    const deadline = Date.now() + timeout;
    while (Date.now() < deadline) {
      if (await this.evaluate(script)) return true;
      await new Promise((resolve) => setTimeout(resolve, 100));
    }
    return false;
  }

  // A real press and release of `key`, as the page's listeners get it.
  press(key) {
    return this.command('POST', `/session/${this.id}/actions`, { actions: [{ type: 'key', id: 'keyboard',
      actions: [{ type: 'keyDown', value: keys[key] }, { type: 'keyUp', value: keys[key] }] }] });
  }

  // The page as shown, a PNG in base64. (A screenshot of the canvas alone
  // comes out black: only the window's holds what WebGL drew.)
  screenshot() {
    return this.command('GET', `/session/${this.id}/screenshot`);
  }

  async close() {
    try {
      await this.command('DELETE', `/session/${this.id}`);
    } finally {
      this.driver.kill();
    }
  }
}
