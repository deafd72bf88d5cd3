// A headless chromium driven over its DevTools pipe (fd 3 in, fd 4 out, NUL-separated JSON), so the
// browser tests need nothing beyond node and the browser itself. Every wait is for an event or an
// answer; the time limit only names what never came, and is long enough for a fully loaded machine.

import { spawn } from 'node:child_process';
import { existsSync, mkdtempSync, rmSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { join } from 'node:path';

export const kEventLimitMs = 60000;

const kChromiumFlags = [
  '--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
  '--disable-background-networking', '--disable-component-update', '--disable-sync',
  '--disable-default-apps', '--disable-extensions', '--mute-audio', '--remote-debugging-pipe',
];

export class ChromiumPipe {
  static async launch(executable) {
    if (!existsSync(executable))
      throw new Error(`chromium was not found at ${executable}`);
    const profile = mkdtempSync(join(tmpdir(), 'brindlecove-chromium-'));
    const child = spawn(executable, [...kChromiumFlags, `--user-data-dir=${profile}`, 'about:blank'], {
      stdio: ['ignore', 'ignore', 'pipe', 'pipe', 'pipe'],
    });
    const browser = new ChromiumPipe(child, profile);
    await browser.send('Browser.getVersion');
    return browser;
  }

  constructor(child, profile) {
    this.child = child;
    this.profile = profile;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = [];
    this.stderr = '';
    this.buffer = '';
    child.stderr.on('data', (chunk) => { this.stderr = (this.stderr + chunk).slice(-4000); });
    child.stdio[4].on('data', (chunk) => this.receive(chunk));
    child.on('exit', (code) => {
      for (const { reject } of this.pending.values())
        reject(new Error(`chromium ended (code ${code}): ${this.stderr}`));
      this.pending.clear();
    });
  }

  receive(chunk) {
    this.buffer += chunk.toString('utf8');
    let end;
    while ((end = this.buffer.indexOf('\0')) >= 0) {
      const message = JSON.parse(this.buffer.slice(0, end));
      this.buffer = this.buffer.slice(end + 1);
      if (message.id !== undefined && this.pending.has(message.id)) {
        const { resolve, reject, method } = this.pending.get(message.id);
        this.pending.delete(message.id);
        if (message.error)
          reject(new Error(`${method}: ${message.error.message}`));
        else
          resolve(message.result);
      } else if (message.method) {
        for (const listener of [...this.listeners])
          listener(message);
      }
    }
  }

  send(method, params = {}, sessionId = undefined, timeoutMs = kEventLimitMs) {
    const id = this.nextId++;
    const message = { id, method, params };
    if (sessionId)
      message.sessionId = sessionId;
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => {
        this.pending.delete(id);
        reject(new Error(`${method}: no answer within ${timeoutMs} ms`));
      }, timeoutMs);
      this.pending.set(id, {
        method,
        resolve: (value) => { clearTimeout(timer); resolve(value); },
        reject: (error) => { clearTimeout(timer); reject(error); },
      });
      this.child.stdio[3].write(JSON.stringify(message) + '\0');
    });
  }

  on(listener) {
    this.listeners.push(listener);
    return () => { this.listeners = this.listeners.filter((l) => l !== listener); };
  }

  // Resolves with the first event that matches, or rejects after timeoutMs.
  waitFor(predicate, what, timeoutMs = kEventLimitMs) {
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => { off(); reject(new Error(`timed out waiting for ${what}`)); }, timeoutMs);
      const off = this.on((message) => {
        if (predicate(message)) {
          clearTimeout(timer);
          off();
          resolve(message);
        }
      });
    });
  }

  async close() {
    try {
      await this.send('Browser.close', {}, undefined, 5000);
    } catch {
      this.child.kill('SIGKILL');
    }
    await new Promise((resolve) => {
      if (this.child.exitCode !== null || this.child.signalCode !== null)
        resolve();
      else
        this.child.once('exit', resolve);
    });
    rmSync(this.profile, { recursive: true, force: true });
  }
}

// One tab with its page, script and console events and its dialogs collected.
export class Tab {
  static async open(browser) {
    const { targetId } = await browser.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await browser.send('Target.attachToTarget', { targetId, flatten: true });
    const tab = new Tab(browser, targetId, sessionId);
    await tab.send('Page.enable');
    await tab.send('Runtime.enable');
    await tab.send('Log.enable');
    return tab;
  }

  constructor(browser, targetId, sessionId) {
    this.browser = browser;
    this.targetId = targetId;
    this.sessionId = sessionId;
    this.errors = [];
    this.navigationRequests = 0;
    browser.on((message) => {
      if (message.sessionId !== sessionId)
        return;
      if (message.method === 'Page.frameRequestedNavigation' || message.method === 'Page.frameStartedLoading') {
        this.navigationRequests++;
      } else if (message.method === 'Runtime.exceptionThrown') {
        const details = message.params.exceptionDetails;
        this.errors.push(`script error: ${details.exception?.description ?? details.text}`);
      } else if (message.method === 'Runtime.consoleAPICalled' && message.params.type === 'error') {
        this.errors.push(`console.error: ${message.params.args.map((a) => a.value ?? a.description).join(' ')}`);
      } else if (message.method === 'Log.entryAdded' && message.params.entry.level === 'error') {
        this.errors.push(`console: ${message.params.entry.text} ${message.params.entry.url ?? ''}`);
      } else if (message.method === 'Page.javascriptDialogOpening') {
        // A page of ours never opens a dialog: one is a script that data smuggled in. Dismiss it so
        // that the page goes on.
        this.errors.push(`dialog: ${message.params.type} ${JSON.stringify(message.params.message)}`);
        this.send('Page.handleJavaScriptDialog', { accept: false }).catch(() => {});
      }
    });
  }

  send(method, params = {}) {
    return this.browser.send(method, params, this.sessionId);
  }

  loadEvent() {
    return this.browser.waitFor(
      (m) => m.sessionId === this.sessionId && m.method === 'Page.loadEventFired', 'the page to load');
  }

  async navigate(url) {
    const loaded = this.loadEvent();
    const { errorText } = await this.send('Page.navigate', { url });
    if (errorText)
      throw new Error(`cannot open ${url}: ${errorText}`);
    await loaded;
  }

  async evaluate(expression) {
    const { result, exceptionDetails } = await this.send('Runtime.evaluate', {
      expression, returnByValue: true, awaitPromise: true, userGesture: true,
    });
    if (exceptionDetails)
      throw new Error(`${expression}: ${exceptionDetails.exception?.description ?? exceptionDetails.text}`);
    return result.value;
  }

  // A real mouse click in the middle of the index-th element the selector names.
  async mouseClick(selector, index = 0) {
    const { x, y } = await this.evaluate(`(() => {
      const element = document.querySelectorAll(${JSON.stringify(selector)})[${index}];
      element.scrollIntoView({ block: 'center' });
      const box = element.getBoundingClientRect();
      return { x: box.left + box.width / 2, y: box.top + box.height / 2 };
    })()`);
    await this.send('Page.bringToFront');
    for (const type of ['mouseMoved', 'mousePressed', 'mouseReleased'])
      await this.send('Input.dispatchMouseEvent', { type, x, y, button: 'left', clickCount: 1 });
  }

  // Clicks the element the selector names, as the user would, and waits for the page it loads.
  async clickAndLoad(selector) {
    const loaded = this.loadEvent();
    await this.evaluate(`document.querySelector(${JSON.stringify(selector)}).click()`);
    await loaded;
  }

  // Clicks a javascript: link that must leave the page as it is. The link runs a signal after its own
  // script, so the wait ends when the script has run; a navigation it asked for is reported by then.
  async clickAndStay(selector) {
    const before = await this.evaluate(`window.stillHere = true;
      window.linkRan = new Promise((resolve) => { window.signalLinkRan = resolve; });
      location.href`);
    const requests = this.navigationRequests;
    await this.evaluate(`(() => {
      const link = document.querySelector(${JSON.stringify(selector)});
      link.setAttribute('href', link.getAttribute('href') + ';void(signalLinkRan())');
      link.click();
    })()`);
    await this.evaluate('window.linkRan');
    if (this.navigationRequests !== requests)
      throw new Error(`${selector} asked for another page`);
    const after = await this.evaluate('window.stillHere === true && location.href');
    if (after !== before)
      throw new Error(`address after the click: got ${JSON.stringify(after)}, expected ${JSON.stringify(before)}`);
  }

  // Clicks, as the user would, the index-th element the selector names, which must open a window
  // whose address the predicate accepts; closes that window again before it returns.
  async clickForWindow(selector, index, isWanted, what) {
    const opened = this.browser.waitFor(
      (m) => (m.method === 'Target.targetCreated' || m.method === 'Target.targetInfoChanged') &&
             m.params.targetInfo.type === 'page' && isWanted(m.params.targetInfo.url),
      `a window with ${what}`);
    await this.mouseClick(selector, index);
    const { targetId } = (await opened).params.targetInfo;
    const destroyed = this.browser.waitFor(
      (m) => m.method === 'Target.targetDestroyed' && m.params.targetId === targetId, 'the window to close');
    await this.browser.send('Target.closeTarget', { targetId });
    await destroyed;
  }

  async close() {
    await this.browser.send('Target.closeTarget', { targetId: this.targetId });
  }
}
