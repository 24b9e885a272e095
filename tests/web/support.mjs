// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the browser checks share: the form as window/main_window.ui gives it,
// a server for build-web/, Debian's Chromium, a watch on the browser's console,
// and the game as a player meets it in a page, read from outside the program:
// from the elements Qt makes for screen readers and from the page's pixels.

import { chromium } from 'playwright-core';
import assert from 'node:assert/strict';
import fs from 'node:fs';
import http from 'node:http';
import path from 'node:path';
import { after, before } from 'node:test';
import { fileURLToPath } from 'node:url';
import zlib from 'node:zlib';

const top = path.resolve(path.dirname(fileURLToPath(import.meta.url)), '../..');
export const webDir = path.resolve(process.env.WUSELWORT_WEB || path.join(top, 'build-web'));
export const outDir = path.join(top, 'build-web-tests');
fs.mkdirSync(outDir, { recursive: true });

// Bounds for what may take long on a loaded machine of two cores; nothing
// waits for them unless what it waits for does not come.
export const LOAD_MS = 180_000;
export const STEP_MS = 30_000;
// The bound of one whole check, so that a page that stops answering fails it
// instead of holding the run.
export const TEST_MS = 600_000;

export function sleep(ms) {
  return new Promise((resolve) => setTimeout(resolve, ms));
}

// Polls until check() gives something truthy and returns it; fails with what
// it waited for, and what it saw last, once the bound has passed.
export async function until(what, check, timeout = STEP_MS) {
  const end = Date.now() + timeout;
  let last;
  for (;;) {
    last = await check();
    if (last && last.ok !== false) return last;
    if (Date.now() > end) {
      const seen = last && last.seen !== undefined ? last.seen : last;
      throw new assert.AssertionError({ message: `waited ${timeout / 1000} s for ${what}; last seen: ${JSON.stringify(seen)}` });
    }
    await sleep(50);
  }
}

// ---------------------------------------------------------------------------
// The form

function parseXml(text) {
  const decode = (s) => s.replace(/&(#x?[0-9a-fA-F]+|amp|lt|gt|quot|apos);/g, (_, e) =>
    ({ amp: '&', lt: '<', gt: '>', quot: '"', apos: "'" })[e] ??
    String.fromCodePoint(e[1] === 'x' ? parseInt(e.slice(2), 16) : parseInt(e.slice(1), 10)));
  const root = { tag: '', attrs: {}, children: [], text: '' };
  const stack = [root];
  const body = text.replace(/<\?[\s\S]*?\?>/g, '').replace(/<!--[\s\S]*?-->/g, '');
  for (const m of body.matchAll(/<(\/?)([\w:.-]+)((?:\s+[\w:.-]+="[^"]*")*)\s*(\/?)>|([^<]+)/g)) {
    const parent = stack.at(-1);
    if (m[5] !== undefined) {
      parent.text += decode(m[5]);
    } else if (m[1]) {
      stack.pop();
    } else {
      const attrs = Object.fromEntries([...m[3].matchAll(/([\w:.-]+)="([^"]*)"/g)].map((a) => [a[1], decode(a[2])]));
      const node = { tag: m[2], attrs, children: [], text: '' };
      parent.children.push(node);
      if (!m[4]) stack.push(node);
    }
  }
  return root;
}

const child = (node, tag) => node.children.find((c) => c.tag === tag);

// The controls of window/main_window.ui by object name: class, place in the
// window (x, y, width, height in pixels of the form), accessibleName, text,
// help sentence and whether the form shows it; and the tab order.
function readForm() {
  const ui = parseXml(fs.readFileSync(path.join(top, 'window/main_window.ui'), 'utf8'));
  const form = child(ui, 'ui');
  const controls = {};
  const walk = (widget, ox, oy, parents) => {
    const props = {};
    let rect = { x: 0, y: 0, width: 0, height: 0 };
    for (const p of widget.children.filter((c) => c.tag === 'property')) {
      const value = p.children[0];
      if (!value) continue;
      if (value.tag === 'rect') {
        rect = Object.fromEntries(value.children.map((c) => [c.tag, Number(c.text)]));
      } else {
        props[p.attrs.name] = value.tag === 'bool' ? value.text.trim() === 'true' : value.text;
      }
    }
    const x = ox + rect.x;
    const y = oy + rect.y;
    controls[widget.attrs.name] = {
      name: widget.attrs.name, class: widget.attrs.class, x, y, width: rect.width, height: rect.height,
      accessibleName: props.accessibleName, text: props.text, hilfe: props.hilfe,
      shown: props.visible !== false, parents,
    };
    for (const c of widget.children.filter((c) => c.tag === 'widget')) walk(c, x, y, [...parents, widget.attrs.name]);
  };
  walk(child(form, 'widget'), 0, 0, []);
  const window = controls[child(form, 'widget').attrs.name];
  const tabOrder = (child(form, 'tabstops')?.children ?? []).map((t) => t.text.trim());
  return { controls, tabOrder, width: window.width, height: window.height };
}

export const form = readForm();

// What Chromium's accessibility tree calls each kind of control of the form.
export const ROLES = { QPushButton: 'button', QCheckBox: 'checkbox', QLineEdit: 'textbox', QScrollBar: 'scrollbar' };

// ---------------------------------------------------------------------------
// Pixels

// A PNG as Chromium writes screenshots (8 bits per channel, RGB or RGBA, not
// interlaced), as RGBA.
export function decodePng(buffer) {
  let offset = 8;
  let width = 0;
  let height = 0;
  let channels = 0;
  const data = [];
  while (offset < buffer.length) {
    const length = buffer.readUInt32BE(offset);
    const type = buffer.toString('latin1', offset + 4, offset + 8);
    const chunk = buffer.subarray(offset + 8, offset + 8 + length);
    if (type === 'IHDR') {
      width = chunk.readUInt32BE(0);
      height = chunk.readUInt32BE(4);
      assert.equal(chunk[8], 8, 'PNG bit depth');
      channels = { 2: 3, 6: 4 }[chunk[9]];
      assert.ok(channels && chunk[12] === 0, 'PNG colour type or interlacing');
    } else if (type === 'IDAT') {
      data.push(chunk);
    }
    offset += 12 + length;
  }
  const raw = zlib.inflateSync(Buffer.concat(data));
  const stride = width * channels;
  const pixels = Buffer.alloc(width * height * 4);
  let previous = Buffer.alloc(stride);
  for (let y = 0; y < height; ++y) {
    const filter = raw[y * (stride + 1)];
    const line = Buffer.from(raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1)));
    for (let i = 0; i < stride; ++i) {
      const a = i >= channels ? line[i - channels] : 0;
      const b = previous[i];
      const c = i >= channels ? previous[i - channels] : 0;
      let add = 0;
      if (filter === 1) add = a;
      else if (filter === 2) add = b;
      else if (filter === 3) add = (a + b) >> 1;
      else if (filter === 4) {
        const p = a + b - c;
        const pa = Math.abs(p - a);
        const pb = Math.abs(p - b);
        const pc = Math.abs(p - c);
        add = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
      }
      line[i] = (line[i] + add) & 255;
    }
    for (let x = 0; x < width; ++x) {
      const from = x * channels;
      const to = (y * width + x) * 4;
      pixels[to] = line[from];
      pixels[to + 1] = line[from + 1];
      pixels[to + 2] = line[from + 2];
      pixels[to + 3] = channels === 4 ? line[from + 3] : 255;
    }
    previous = line;
  }
  return { width, height, data: pixels };
}

export function pixel(image, x, y) {
  const i = (y * image.width + x) * 4;
  return [image.data[i], image.data[i + 1], image.data[i + 2]];
}

// How many distinct colours a picture has, up to a limit: a blank page has one
// or two.
export function colourCount(image, limit = 64) {
  const seen = new Set();
  for (let i = 0; i < image.data.length && seen.size < limit; i += 4) {
    seen.add((image.data[i] << 16) | (image.data[i + 1] << 8) | image.data[i + 2]);
  }
  return seen.size;
}

// ---------------------------------------------------------------------------
// Serving build-web/

const TYPES = {
  '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css', '.wasm': 'application/wasm',
  '.png': 'image/png', '.ico': 'image/vnd.microsoft.icon', '.txt': 'text/plain; charset=utf-8',
  '.gz': 'application/gzip', '.zip': 'application/zip',
};

// Serves the folder on a free port of localhost, compressed where the browser
// accepts it, as a static host does. server.cutOff names a file of which it
// announces the whole length, sends half and then drops the connection.
export async function serve(folder = webDir) {
  assert.ok(fs.existsSync(path.join(folder, 'index.html')), `${folder} has no index.html: build it with tools/web/build.sh`);
  const compressed = new Map();
  const state = { cutOff: null };
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://localhost').pathname).replace(/^\/+/, '') || 'index.html';
    const file = path.join(folder, name);
    if (!file.startsWith(folder + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404, { 'Content-Type': 'text/plain' });
      response.end('not found');
      return;
    }
    const type = TYPES[path.extname(file)] ?? 'application/octet-stream';
    let body = fs.readFileSync(file);
    if (state.cutOff === name) {
      response.writeHead(200, { 'Content-Type': type, 'Content-Length': body.length, 'Cache-Control': 'no-store' });
      response.write(body.subarray(0, body.length >> 1), () => setTimeout(() => request.socket.destroy(), 100));
      return;
    }
    const headers = { 'Content-Type': type, 'Cache-Control': 'no-store' };
    if (/\.(html|js|css|wasm|txt)$/.test(file) && /\bgzip\b/.test(request.headers['accept-encoding'] ?? '')) {
      if (!compressed.has(file)) compressed.set(file, zlib.gzipSync(body, { level: 6 }));
      body = compressed.get(file);
      headers['Content-Encoding'] = 'gzip';
    }
    headers['Content-Length'] = body.length;
    response.writeHead(200, headers);
    response.end(request.method === 'HEAD' ? undefined : body);
  });
  server.keepAliveTimeout = 1000;
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return {
    url: `http://localhost:${server.address().port}/`,
    state,
    close: () => new Promise((resolve) => {
      server.closeAllConnections();
      server.close(resolve);
    }),
  };
}

// ---------------------------------------------------------------------------
// The browser

const CHROMIUM_ARGS = ['--no-sandbox', '--disable-quic', '--no-first-run', '--disable-background-networking',
  '--disable-component-update', '--disable-sync', '--enable-unsafe-swiftshader'];

export function launch(options = {}) {
  return chromium.launch({
    executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
    headless: true,
    ...options,
    args: [...CHROMIUM_ARGS, ...(options.args ?? [])],
  });
}

// The promise's value, or a failure where it takes longer than ms: a page
// that no longer answers.
export function within(ms, what, promise) {
  return Promise.race([promise, new Promise((_, reject) => setTimeout(
    () => reject(new assert.AssertionError({ message: `no answer for ${ms / 1000} s after ${what}` })), ms).unref())]);
}

// The web build served and a browser, for the tests of one file: web.server
// and web.browser once its tests run.
export function servedInABrowser() {
  const web = {};
  before(async () => {
    web.server = await serve();
    web.browser = await launch();
  });
  after(async () => {
    await web.browser?.close();
    await web.server?.close();
  });
  return web;
}

// Everything a page says in the console, its uncaught errors and crashes.
// problems() lists what counts as a fault, each once with how often: every
// error and warning, save those that match one of the patterns a check expects.
export function watchConsole(page) {
  const entries = [];
  page.on('console', (message) => {
    const where = message.location();
    entries.push({ type: message.type(), text: message.text(), url: where?.url ?? '' });
  });
  page.on('pageerror', (error) => entries.push({ type: 'pageerror', text: String(error?.stack ?? error), url: '' }));
  page.on('crash', () => entries.push({ type: 'crash', text: 'the page crashed', url: '' }));
  return {
    entries,
    problems(expected = []) {
      const counts = new Map();
      for (const e of entries) {
        if (!['error', 'warning', 'assert', 'pageerror', 'crash'].includes(e.type)) continue;
        if (expected.some((pattern) => pattern.test(`${e.text} ${e.url}`))) continue;
        const line = `[${e.type}] ${e.text}${e.url ? ` (${e.url})` : ''}`;
        counts.set(line, (counts.get(line) ?? 0) + 1);
      }
      return [...counts].map(([line, n]) => (n > 1 ? `${line} (${n} times)` : line));
    },
  };
}

// ---------------------------------------------------------------------------
// The game in a page

// The page's state (data-state of its body): loading, running, ended,
// crashed, failed or unsupported, and the message it shows.
export async function pageState(page) {
  return page.evaluate(() => ({
    state: document.body.getAttribute('data-state'),
    message: document.getElementById('meldung')?.innerText.trim() ?? '',
  }));
}

export async function waitForState(page, states, timeout = LOAD_MS) {
  await page.waitForFunction((wanted) => wanted.includes(document.body.getAttribute('data-state')), states,
    { timeout, polling: 100 });
  return pageState(page);
}

const SCREEN_READER_BUTTON = /^(Enable Screen Reader|Bildschirmleser einschalten)$/;

export class Game {
  constructor(page, watch) {
    this.page = page;
    this.console = watch;
    this.cdp = null;
  }

  // A new page of the context, at the game's address, running.
  static async open(context, url) {
    const page = await context.newPage();
    const game = new Game(page, watchConsole(page));
    await page.goto(url);
    await game.waitRunning();
    return game;
  }

  async waitRunning() {
    const { state, message } = await waitForState(this.page, ['running', 'ended', 'crashed', 'failed', 'unsupported']);
    assert.equal(state, 'running', `the game did not start: ${message}`);
    await until('the game on the page', () => this.canvasBox());
  }

  async session() {
    this.cdp ??= await this.page.context().newCDPSession(this.page);
    return this.cdp;
  }

  // Where the game's window is drawn, in CSS pixels of the page, and its
  // scale: one pixel of the form is `scale` CSS pixels.
  async canvasBox() {
    const box = await this.page.evaluate(() => {
      const find = (root) => {
        for (const element of root.querySelectorAll('*')) {
          if (element.tagName === 'CANVAS') return element;
          if (element.shadowRoot) {
            const found = find(element.shadowRoot);
            if (found) return found;
          }
        }
        return null;
      };
      const canvas = find(document.getElementById('spiel') ?? document.body);
      if (!canvas) return null;
      const r = canvas.getBoundingClientRect();
      return { x: r.x, y: r.y, width: r.width, height: r.height, pixels: canvas.width };
    });
    if (!box || box.width < 10) return null;
    return { ...box, scale: box.width / form.width };
  }

  // The page coordinates of a point of a control, given as a fraction of its
  // size (the middle by default) or in pixels of the form with `px`.
  async at(name, fx = 0.5, fy = 0.5, px = null) {
    const c = form.controls[name];
    assert.ok(c, `no control ${name} in the form`);
    const box = await this.canvasBox();
    if (!box) {
      const { state, message } = await pageState(this.page);
      assert.fail(`no game on the page to find ${name} on: the page is ${state}: ${message}`);
    }
    const x = c.x + (px ? px[0] : c.width * fx);
    const y = c.y + (px ? px[1] : c.height * fy);
    return [box.x + x * box.scale, box.y + y * box.scale];
  }

  async click(name, fx, fy) {
    const [x, y] = await this.at(name, fx, fy);
    await this.page.mouse.click(x, y);
  }

  async tap(name, fx, fy) {
    const [x, y] = await this.at(name, fx, fy);
    await this.page.touchscreen.tap(x, y);
  }

  // Presses the hidden button that Qt puts on the page for screen-reader
  // users ("Enable Screen Reader", which the page names in German), found and
  // pressed as a screen reader does: in the browser's accessibility tree, by
  // its default action. Then Qt mirrors the form as elements that the
  // browser's accessibility tree shows.
  async enableScreenReader() {
    const cdp = await this.session();
    const button = await until('the screen-reader button in the accessibility tree', async () => {
      const { nodes } = await cdp.send('Accessibility.getFullAXTree');
      return nodes.find((n) => !n.ignored && n.role?.value === 'button' && SCREEN_READER_BUTTON.test(n.name?.value));
    });
    const { object } = await cdp.send('DOM.resolveNode', { backendNodeId: button.backendDOMNodeId });
    await cdp.send('Runtime.callFunctionOn', { objectId: object.objectId, functionDeclaration: 'function () { this.click(); }' });
    await cdp.send('Runtime.releaseObject', { objectId: object.objectId });
    await until('the form mirrored for screen readers', async () => {
      const fields = await this.read();
      return fields && fields.Command2 && fields.txtHilfe;
    });
    await this.listen();
  }

  // What Qt has told the page about each control, by object name: its text
  // (a field's text, null until Qt has told it; a button's caption), whether
  // it is hidden, ticked, and a scroll bar's value. Null before the
  // screen-reader button is pressed. Qt passes a field's text on when the
  // field takes the focus or its caret moves, so a field may show an older
  // text than the screen; what the game announces is heard().
  async read() {
    return inPage(this.page, mirrorFields);
  }

  // Waits until the fields satisfy check(fields), which returns something
  // truthy; returns that.
  async waitFor(what, check, timeout = STEP_MS) {
    return until(what, async () => {
      const fields = await this.read();
      const result = fields && check(fields);
      return result || { ok: false, seen: fields && summary(fields) };
    }, timeout);
  }

  // Keeps every announcement the game makes for screen readers from now on:
  // the texts of Qt's elements that stand for no control of the form, such
  // as "Sortierte Buchstaben: Fchus, Punkte: 5".
  async listen() {
    const controls = Object.keys(form.controls);
    await until('the elements for screen readers', () =>
      inPage(this.page, recordAnnouncements, controls));
  }

  // The announcements heard since the listening began, or since `from`.
  async heard(from = 0) {
    return this.page.evaluate(`(window.wuselwortHeard || []).slice(${Number(from)})`);
  }

  // Waits for an announcement since `from` that matches the pattern and
  // returns its match.
  async hear(pattern, from = 0, timeout = STEP_MS) {
    return until(`to hear ${pattern}`, async () => {
      const said = await this.heard(from);
      for (const text of said) {
        const match = text.match(pattern);
        if (match) return match;
      }
      return { ok: false, seen: said };
    }, timeout);
  }

  // A picture of the game's window alone, one pixel per pixel of the form.
  async shot(file) {
    const box = await this.canvasBox();
    const buffer = await this.page.screenshot({ clip: { x: box.x, y: box.y, width: box.width, height: box.height }, scale: 'css', ...(file ? { path: file } : {}) });
    return decodePng(buffer);
  }

  // The control with the keyboard focus, found by the ring the game draws
  // round it: the visible focus stop whose edge is (nearly) all black. Null
  // where no control shows the ring.
  async focused(fields) {
    fields ??= await this.read();
    const image = await this.shot();
    const box = await this.canvasBox();
    let best = null;
    for (const name of form.tabOrder) {
      const c = form.controls[name];
      if (!c || (fields && fields[name]?.hidden) || (!fields && !c.shown)) continue;
      // The score rides on the snake: anywhere up and down the snake's frame.
      const frame = name === 'txtPunkte' && form.controls[c.parents.at(-1)];
      const tops = frame ? Array.from({ length: frame.height - c.height + 1 }, (_, i) => frame.y + i) : [c.y];
      for (const y of tops) {
        const share = ringShare(image, { ...c, y }, box.width / form.width);
        if (share > 0.9 && (!best || share > best.share)) best = { name, share };
      }
    }
    return best?.name ?? null;
  }

  // The window as Qt's canvas holds it, one pixel per device pixel and with
  // its transparency, and the device pixels to a pixel of the form (the scale
  // the page gave Qt, times the page's pixel ratio).
  async canvas() {
    const { png, scale, ratio } = await this.page.evaluate(() => {
      const find = (root) => {
        for (const element of root.querySelectorAll('*')) {
          if (element.tagName === 'CANVAS') return element;
          const found = element.shadowRoot && find(element.shadowRoot);
          if (found) return found;
        }
        return null;
      };
      const canvas = find(document.getElementById('spiel') ?? document.body);
      return { png: canvas?.toDataURL('image/png'), scale: Number(document.body.dataset.scale), ratio: devicePixelRatio };
    });
    assert.ok(png && scale > 0, 'the game\'s canvas and its scale');
    return { ...decodePng(Buffer.from(png.slice(png.indexOf(',') + 1), 'base64')), scale: scale * ratio, ratio };
  }

  // Marks on the window that no control accounts for, each as "x,y: what"
  // in pixels of the form: a pixel of the form that nothing painted (Qt's
  // canvas is clear there, and the page shows through), and, outside every
  // control, the frames of the panels and the focus ring, a pixel of another
  // colour than the ground around it.
  // Beyond the form's last pixel, where the canvas is clear, the page must
  // show the form's ground, not what lies under the canvas.
  async marks() {
    const image = await this.canvas();
    const { marks, width, height, ground } = marksOn(image);
    // The browser puts the canvas on whole device pixels; a picture of the page
    // can match it pixel for pixel only at a whole pixel ratio.
    if (!Number.isInteger(image.ratio)) return marks;
    const box = await this.canvasBox();
    const snap = (v) => Math.round(v * image.ratio) / image.ratio;
    const page = decodePng(await this.page.screenshot({
      clip: { x: snap(box.x), y: snap(box.y), width: image.width / image.ratio, height: image.height / image.ratio }, scale: 'device',
    }));
    assert.deepEqual([page.width, page.height], [image.width, image.height], 'a picture of the page, pixel for pixel of the canvas');
    // Its corners are left out, where the browser blends the frame's own
    // edges, at a fraction of a pixel, with the page around it.
    for (let y = 1; y < image.height - 1; ++y) {
      for (let x = y < height ? width : 1; x < image.width - (y < height ? 0 : 1); ++x) {
        const [r, g, b] = pixel(page, x, y);
        const shown = (r << 16 | g << 8 | b) >>> 0;
        if (image.data[(y * image.width + x) * 4 + 3] === 0 && shown !== ground) {
          marks.push(`${((x + 0.5) / image.scale).toFixed(1)},${((y + 0.5) / image.scale).toFixed(1)}: #${shown.toString(16).padStart(6, '0')} beyond the form's edge`);
        }
      }
    }
    return marks;
  }

  // The control that the focus ring is round, found on the canvas at any
  // scale; null where there is none.
  async ring() {
    return marksOn(await this.canvas()).ring;
  }

  // Presses a key (Tab or Shift+Tab) until the focus ring is on the control,
  // at most once round the tab order; returns the stops passed.
  async tabTo(name, key = 'Tab') {
    const passed = [];
    for (let i = 0; i <= form.tabOrder.length; ++i) {
      const now = await until('a focus ring', () => this.focused());
      if (now === name) return passed;
      passed.push(now);
      await this.page.keyboard.press(key);
      await until(`the focus to move on from ${now}`, async () => (await this.focused()) !== now);
    }
    throw new assert.AssertionError({ message: `${key} never brought the focus to ${name}; passed ${passed.join(', ')}` });
  }
}

// What Game.marks() finds on the canvas, up to the form's edge (where the
// edge cuts a device pixel, the form has less than half of it), and the size
// checked and the window's ground.
const MOVING = ['imgSchlange', 'txtPunkte'];
const RING = 2;
function marksOn(image) {
  const s = image.scale;
  const controls = Object.values(form.controls);
  const containers = controls.filter((c) => controls.some((d) => d.parents.at(-1) === c.name));
  const leaves = controls.filter((c) => !containers.includes(c));
  const width = Math.min(image.width, Math.ceil(form.width * s - 0.5));
  const height = Math.min(image.height, Math.ceil(form.height * s - 0.5));
  // The device pixels whose middles lie within a rectangle of the form,
  // widened by `spare` device pixels.
  const each = (x0, y0, x1, y1, spare, action) => {
    for (let y = Math.max(0, Math.ceil(y0 * s - spare - 0.5)); y < Math.min(height, Math.ceil(y1 * s + spare - 0.5)); ++y) {
      for (let x = Math.max(0, Math.ceil(x0 * s - spare - 0.5)); x < Math.min(width, Math.ceil(x1 * s + spare - 0.5)); ++x) action(x, y);
    }
  };
  const placed = new Uint8Array(width * height);
  const place = (x0, y0, x1, y1) => each(x0, y0, x1, y1, 1, (x, y) => { placed[y * width + x] = 1; });
  for (const c of leaves) {
    // The score rides on the snake, anywhere up and down the snake's frame.
    const frame = MOVING.includes(c.name) ? form.controls[c.parents.at(-1)] : c;
    place(c.x, frame.y, c.x + c.width, frame.y + frame.height);
  }
  for (const c of containers.filter((c) => c.parents.length)) {
    place(c.x, c.y, c.x + c.width, c.y + RING);
    place(c.x, c.y + c.height - RING, c.x + c.width, c.y + c.height);
    place(c.x, c.y, c.x + RING, c.y + c.height);
    place(c.x + c.width - RING, c.y, c.x + c.width, c.y + c.height);
  }
  const colour = (x, y) => {
    const i = (y * image.width + x) * 4;
    return (image.data[i] << 16 | image.data[i + 1] << 8 | image.data[i + 2]) >>> 0;
  };
  // Each pixel outside the places belongs to the innermost container round it.
  const owner = new Int16Array(width * height).fill(-1);
  containers.forEach((c, index) => {
    each(c.x, c.y, c.x + c.width, c.y + c.height, 0, (x, y) => {
      const now = owner[y * width + x];
      if (now < 0 || containers[now].parents.length < c.parents.length) owner[y * width + x] = index;
    });
  });
  const grounds = containers.map(() => new Map());
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const o = owner[y * width + x];
      if (placed[y * width + x] || o < 0) continue;
      const key = colour(x, y);
      grounds[o].set(key, (grounds[o].get(key) ?? 0) + 1);
    }
  }
  const ground = grounds.map((counts) => [...counts].sort((a, b) => b[1] - a[1])[0]?.[0]);
  // The focus ring: the one band round a stop that is all one colour that is
  // not the ground's. The score rides on the snake, anywhere up and down.
  let ring = null;
  for (const name of form.tabOrder) {
    const stop = form.controls[name];
    const g = ground[containers.findIndex((d) => d.name === stop.parents.at(-1))];
    const frame = MOVING.includes(name) ? form.controls[stop.parents.at(-1)] : stop;
    for (let top = frame.y; top <= frame.y + frame.height - stop.height; ++top) {
      const c = { ...stop, y: top };
      const counts = new Map();
      let all = 0;
      // Pixels that lie across the band's edges are left out.
      const half = 0.5 / s;
      each(c.x - RING, c.y - RING, c.x + c.width + RING, c.y + c.height + RING, -0.5, (x, y) => {
        const fx = (x + 0.5) / s;
        const fy = (y + 0.5) / s;
        if (fx > c.x - half && fx < c.x + c.width + half && fy > c.y - half && fy < c.y + c.height + half) return;
        ++all;
        counts.set(colour(x, y), (counts.get(colour(x, y)) ?? 0) + 1);
      });
      const [key, n] = [...counts].sort((a, b) => b[1] - a[1])[0] ?? [];
      if (all && key !== g && n / all > 0.95 && (!ring || n / all > ring.share)) ring = { c, share: n / all };
    }
  }
  if (ring) place(ring.c.x - RING, ring.c.y - RING, ring.c.x + ring.c.width + RING, ring.c.y + ring.c.height + RING);
  const marks = [];
  const where = (x, y) => `${((x + 0.5) / s).toFixed(1)},${((y + 0.5) / s).toFixed(1)}`;
  for (let y = 0; y < height; ++y) {
    for (let x = 0; x < width; ++x) {
      const alpha = image.data[(y * image.width + x) * 4 + 3];
      const o = owner[y * width + x];
      if (alpha !== 255) marks.push(`${where(x, y)}: not painted`);
      else if (!placed[y * width + x] && o >= 0 && colour(x, y) !== ground[o]) {
        marks.push(`${where(x, y)}: #${colour(x, y).toString(16).padStart(6, '0')} on the ground of ${containers[o].name}`);
      }
    }
  }
  return { marks, width, height, ground: ground[containers.findIndex((c) => !c.parents.length)], ring: ring?.c.name ?? null };
}

// The share of the pixels of a band two pixels wide round a control's edge,
// outside it, that are black: the ring on the form's light ground.
function ringShare(image, control, scale) {
  const x0 = Math.round(control.x * scale) - 2;
  const y0 = Math.round(control.y * scale) - 2;
  const x1 = Math.round((control.x + control.width) * scale) + 1;
  const y1 = Math.round((control.y + control.height) * scale) + 1;
  let dark = 0;
  let all = 0;
  const count = (x, y) => {
    if (x < 0 || y < 0 || x >= image.width || y >= image.height) return;
    const [r, g, b] = pixel(image, x, y);
    ++all;
    if (r < 64 && g < 64 && b < 64) ++dark;
  };
  for (let d = 0; d < 2; ++d) {
    for (let x = x0; x <= x1; ++x) {
      count(x, y0 + d);
      count(x, y1 - d);
    }
    for (let y = y0 + 2; y <= y1 - 2; ++y) {
      count(x0 + d, y);
      count(x1 - d, y);
    }
  }
  return all ? dark / all : 0;
}

// Runs one of the functions below in the page, with mirrorElements beside it.
function inPage(page, fn, ...args) {
  return page.evaluate(`(() => { const mirrorElements = ${mirrorElements}; return (${fn})(...${JSON.stringify(args)}); })()`);
}

// In the page: the elements Qt makes for screen readers, in the shadow roots
// under the game's place.
function mirrorElements() {
  const elements = [];
  const collect = (root) => {
    for (const element of root.querySelectorAll('*')) {
      if (element.id.startsWith('QApplication.')) elements.push(element);
      if (element.shadowRoot) collect(element.shadowRoot);
    }
  };
  collect(document.getElementById('spiel') ?? document.body);
  return elements;
}

// In the page: each element for screen readers by the last part of its id,
// the object name. Qt names a text field by its content until it first tells
// its text; then the name moves to an attribute.
function mirrorFields() {
  const fields = {};
  for (const element of mirrorElements()) {
    const field = element.tagName === 'INPUT' && element.type === 'text';
    fields[element.id.split('.').pop()] = {
      text: field && !element.hasAttribute('name') ? null : element.textContent,
      hidden: element.getAttribute('aria-hidden') === 'true',
      checked: element.checked === true,
      value: element.getAttribute('aria-valuenow'),
    };
  }
  return Object.keys(fields).length ? fields : null;
}

// In the page: records each text that the elements standing for no control
// of the form are given, into window.wuselwortHeard; the same text given
// twice is heard twice.
function recordAnnouncements(controls) {
  if (window.wuselwortHeard) return true;
  const elements = mirrorElements();
  if (!elements.length) return false;
  const root = elements[0].getRootNode();
  const heard = [];
  const announcer = (node) => {
    for (let n = node; n && n !== root; n = n.parentNode) {
      if (n.id?.startsWith('QApplication.')) return controls.includes(n.id.split('.').pop()) ? null : n;
    }
    return null;
  };
  new MutationObserver((records) => {
    const told = new Set();
    for (const record of records) {
      const element = announcer(record.target);
      if (element) told.add(element);
    }
    for (const element of told) if (element.textContent) heard.push(element.textContent);
  }).observe(root, { subtree: true, childList: true, characterData: true });
  window.wuselwortHeard = heard;
  return true;
}

function summary(fields) {
  return Object.fromEntries(['txtSortiert', 'txtAusgabe', 'txtPunkte', 'txtHilfe', 'Text1', 'txtSuchwort']
    .filter((n) => fields[n]).map((n) => [n, fields[n].text + (fields[n].hidden ? ' (hidden)' : '')]));
}

// The sorted letters and the scrambled ones hold the same letters.
export function sameLetters(a, b) {
  const norm = (s) => [...s.replace(/\s/g, '')].sort().join('');
  return norm(a) === norm(b);
}

// Waits until the screen has shown `count` new lines of scrambled letters,
// one after another, and returns the seconds between them. Qt tells screen
// readers the line once per puzzle, as the desktop game announces it, so the
// screen is what shows each shuffle.
export async function shuffled(game, count) {
  let last = await game.shot();
  let when = Date.now();
  const intervals = [];
  await until(`${count} new lines of scrambled letters on the screen`, async () => {
    const now = await game.shot();
    if (differsIn(last, now, 'txtAusgabe', now.width / form.width)) {
      intervals.push((Date.now() - when) / 1000);
      last = now;
      when = Date.now();
    }
    return intervals.length >= count || { ok: false, seen: intervals };
  });
  return intervals;
}

// Whether two pictures of the window differ inside a control.
function differsIn(a, b, name, scale = 1) {
  const c = form.controls[name];
  for (let y = Math.round(c.y * scale); y < Math.round((c.y + c.height) * scale); ++y) {
    for (let x = Math.round(c.x * scale); x < Math.round((c.x + c.width) * scale); ++x) {
      if (pixel(a, x, y).join() !== pixel(b, x, y).join()) return true;
    }
  }
  return false;
}
