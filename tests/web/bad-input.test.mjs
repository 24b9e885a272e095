// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What the page does with what it cannot count on: a browser without
// WebAssembly or WebGL, a download that fails, breaks off or arrives damaged,
// a window resized or turned, a page left in the background for minutes, keys
// and clicks before the game is there, typing where the game allows none,
// right clicks, and pointers that the browser cancels. Each gets a clear
// German message or the game as it should be, never a blank page, and nothing
// in the console but what the check itself caused.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import {
  Game, STEP_MS, TEST_MS, colourCount, decodePng, form, outDir, pageState, servedInABrowser, shuffled, until, waitForState, watchConsole, webDir, within,
} from './support.mjs';

const web = servedInABrowser();

// A page whose message stands where the game would: visible, worded, and a
// picture of it that is more than a blank.
async function assertMessage(page, file, pattern) {
  const { message } = await pageState(page);
  assert.match(message, pattern);
  const box = await page.locator('#meldung').boundingBox();
  assert.ok(box && box.width > 100 && box.height > 20, 'the message is shown');
  const picture = decodePng(await page.screenshot({ path: path.join(outDir, file) }));
  assert.ok(colourCount(picture) > 8, 'the page is not blank');
}

// A fresh page of its own context with the console watched; `prepare` may
// route its requests or add scripts before it loads.
async function openPage(prepare = async () => {}, options = {}) {
  const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 }, ...options });
  const page = await context.newPage();
  const watch = watchConsole(page);
  await prepare(page, context);
  return { context, page, watch };
}

test('a browser without WebAssembly says so in German', { timeout: TEST_MS }, async () => {
  const { context, page, watch } = await openPage((p) => p.addInitScript(() => delete window.WebAssembly));
  try {
    await page.goto(web.server.url);
    await waitForState(page, ['unsupported']);
    await assertMessage(page, 'web-ohne-webassembly.png', /kann Wuselwort nicht spielen.*WebAssembly/s);
    assert.deepEqual(watch.problems(), []);
  } finally {
    await context.close();
  }
});

test('a browser without WebGL gets the game or a German message about it', { timeout: TEST_MS }, async () => {
  const { context, page, watch } = await openPage((p) => p.addInitScript(() => {
    for (const type of [HTMLCanvasElement, window.OffscreenCanvas].filter(Boolean)) {
      const getContext = type.prototype.getContext;
      type.prototype.getContext = function (kind, ...rest) {
        return /webgl/i.test(kind) ? null : getContext.call(this, kind, ...rest);
      };
    }
    delete window.WebGLRenderingContext;
    delete window.WebGL2RenderingContext;
  }));
  try {
    await page.goto(web.server.url);
    const { state } = await waitForState(page, ['running', 'unsupported', 'failed', 'crashed']);
    if (state === 'running') {
      const game = new Game(page, watch);
      await game.waitRunning();
      await game.enableScreenReader();
      await game.click('Command2');
      await game.hear(/Punkte: [57]$/);
      await page.screenshot({ path: path.join(outDir, 'web-ohne-webgl.png') });
    } else {
      assert.equal(state, 'unsupported');
      await assertMessage(page, 'web-ohne-webgl.png', /WebGL/);
    }
    assert.deepEqual(watch.problems(), []);
  } finally {
    await context.close();
  }
});

// The download's failures, each with what the page must say and what Chromium
// itself logs about the failed request.
const WASM = '**/wuselwort.wasm*';
const wasmBytes = () => fs.readFileSync(path.join(webDir, 'wuselwort.wasm'));
const failures = [
  ['a program the server does not have', (p) => p.route(WASM, (r) => r.fulfill({ status: 404, body: 'not found' })),
    /404/, [/Failed to load resource: the server responded with a status of 404/]],
  ['a server out of reach', (p) => p.route(WASM, (r) => r.abort('connectionrefused')),
    /nicht zu erreichen/, [/Failed to load resource: net::ERR_CONNECTION_REFUSED/]],
  ['half the program, as a whole answer', (p) => p.route(WASM, (r) => r.fulfill({
    status: 200, contentType: 'application/wasm', body: wasmBytes().subarray(0, wasmBytes().length >> 1),
  })), /brach nach .* ab/, []],
  ['a connection that breaks off halfway', () => { web.server.state.cutOff = 'wuselwort.wasm'; },
    /brach nach .* ab/, [/Failed to load resource: net::ERR_/]],
  ['a damaged program', (p) => p.route(WASM, (r) => r.fulfill({
    status: 200, contentType: 'application/wasm', body: Buffer.alloc(wasmBytes().length, 0x5a),
  })), /beschädigt/, []],
  ['a missing loader', (p) => p.route('**/qtloader.js*', (r) => r.fulfill({ status: 404, body: 'not found' })),
    /qtloader\.js/, [/Failed to load resource: the server responded with a status of 404/]],
];

for (const [what, prepare, pattern, expected] of failures) {
  test(`a failed download (${what}) gets a German message and a way to try again`, { timeout: TEST_MS }, async () => {
    const { context, page, watch } = await openPage(prepare);
    try {
      await page.goto(web.server.url);
      await waitForState(page, ['failed']);
      const file = `web-download-${what.replace(/\W+/g, '-')}.png`;
      await assertMessage(page, file, /^Wuselwort konnte nicht geladen werden/);
      await assertMessage(page, file, pattern);
      // Once the server is mended, trying again starts the game.
      web.server.state.cutOff = null;
      await page.unrouteAll();
      await page.getByRole('button', { name: 'Noch einmal versuchen' }).click();
      const game = new Game(page, watch);
      await game.waitRunning();
      assert.deepEqual(watch.problems(expected), []);
    } finally {
      web.server.state.cutOff = null;
      await context.close();
    }
  });
}

test('keys and clicks while the game loads do nothing to it, and the page says it is loading', { timeout: TEST_MS }, async () => {
  let release;
  const held = new Promise((resolve) => { release = resolve; });
  const { context, page, watch } = await openPage((p) => p.route(WASM, async (route) => {
    await held;
    await route.continue();
  }));
  try {
    await page.goto(web.server.url);
    const { state } = await pageState(page);
    assert.equal(state, 'loading');
    await assertMessage(page, 'web-laden.png', /Wuselwort wird geladen/);
    const box = await page.locator('#spiel').boundingBox();
    const scale = box.width / form.width;
    for (const name of ['Command2', 'cmdEnde', 'chkMax', 'HScroll1', 'Image1']) {
      const c = form.controls[name];
      await page.mouse.click(box.x + (c.x + c.width / 2) * scale, box.y + (c.y + c.height / 2) * scale);
    }
    for (const key of ['Tab', 'Tab', 'Space', 'Enter', 'ArrowLeft', 'Escape']) await page.keyboard.press(key);
    await page.keyboard.type('Fuchs');
    assert.equal((await pageState(page)).state, 'loading');
    release();

    const game = new Game(page, watch);
    await game.waitRunning();
    await game.enableScreenReader();
    const fields = await game.read();
    assert.equal(fields.HScroll1.value, '5', 'the thinking time as at the start');
    assert.ok(!fields.chkMax.checked && fields.chkLetzter.checked, 'the options as at the start');
    assert.deepEqual(await game.heard(), [], 'no puzzle started');
    await game.click('Command2');
    await game.hear(/Punkte: [57]$/);
    assert.equal((await pageState(page)).state, 'running', '"Ende" clicked while loading did not end the game');
    assert.deepEqual(watch.problems(), []);
  } finally {
    release();
    await context.close();
  }
});

test('a resized window keeps the game running; the page offers to fit it anew, which starts it at the new size', { timeout: TEST_MS }, async () => {
  const { context, page, watch } = await openPage();
  try {
    await page.goto(web.server.url);
    const game = new Game(page, watch);
    await game.waitRunning();
    await game.enableScreenReader();
    await page.setViewportSize({ width: 800, height: 600 });
    await until('the offer to fit the game', () => page.locator('#einpassen').isVisible());
    assert.equal((await pageState(page)).state, 'running');
    // The offer whole and on top, also where the page has scrolled the game under it.
    for (const corner of [0, 10_000, 0]) {
      await page.evaluate((xy) => window.scrollTo(xy, xy), corner);
      const seen = await page.evaluate(() => {
        const offer = document.getElementById('einpassen');
        const r = offer.getBoundingClientRect();
        const hidden = [];
        for (const fx of [0.01, 0.5, 0.99]) {
          for (const fy of [0.05, 0.5, 0.95]) {
            const [x, y] = [r.left + r.width * fx, r.top + r.height * fy];
            if (!offer.contains(document.elementFromPoint(x, y))) hidden.push([Math.round(x), Math.round(y)]);
          }
        }
        return { inside: r.left >= 0 && r.top >= 0 && r.right <= innerWidth && r.bottom <= innerHeight, hidden, below: r.bottom };
      });
      assert.deepEqual([seen.inside, seen.hidden], [true, []], 'the offer to fit the game is all in sight and on top');
      // Where the page is not scrolled, it covers nothing of the game.
      if (!corner) assert.ok((await game.canvasBox()).y >= seen.below, 'the game below the offer');
    }
    await game.click('Command2');
    await game.hear(/Punkte: [57]$/);

    await page.getByRole('button', { name: 'Spiel neu einpassen' }).click();
    await game.waitRunning();
    const box = await game.canvasBox();
    assert.ok(box.x >= 0 && box.x + box.width <= 800 && box.y + box.height <= 600, `the whole form in 800 x 600: ${JSON.stringify(box)}`);
    assert.ok(Math.abs(box.pixels - box.width) <= 1, 'drawn at the page\'s resolution');
    await game.enableScreenReader();
    await game.click('Command2');
    await game.hear(/Punkte: [57]$/);
    await page.screenshot({ path: path.join(outDir, 'web-eingepasst.png') });
    assert.deepEqual(watch.problems(), []);
  } finally {
    await context.close();
  }
});

test('a tablet turned on its side and back keeps the game playable by touch', { timeout: TEST_MS }, async () => {
  const { context, page, watch } = await openPage(async () => {}, {
    viewport: { width: 768, height: 1024 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true,
  });
  try {
    await page.goto(web.server.url);
    const game = new Game(page, watch);
    await game.waitRunning();
    await game.enableScreenReader();
    for (const [width, height] of [[1024, 768], [768, 1024]]) {
      await page.setViewportSize({ width, height });
      await until(`the page at ${width} x ${height}`, () => page.evaluate(([w, h]) => innerWidth === w && innerHeight === h, [width, height]));
      // The page places the game anew (below the offer to fit it, or without
      // it) on the resize event, which comes with the next frame.
      await page.evaluate(() => new Promise((resolve) => requestAnimationFrame(() => requestAnimationFrame(resolve))));
      assert.equal((await pageState(page)).state, 'running');
      const from = (await game.heard()).length;
      await game.tap('Command2');
      await game.hear(/Punkte: [57]$/, from);
      await page.screenshot({ path: path.join(outDir, `web-tablet-${width}x${height}.png`) });
      assert.deepEqual(await game.marks(), [], `no marks on the form at ${width} x ${height}`);
    }
    assert.deepEqual(watch.problems(), []);
  } finally {
    await context.close();
  }
});

test('a page left in the background for minutes keeps time when it comes back', { timeout: TEST_MS }, async (t) => {
  const minutes = Number(process.env.BACKGROUND_MINUTES ?? 5);
  const { context, page, watch } = await openPage((p, c) => c.clock.install());
  try {
    await page.goto(web.server.url);
    const game = new Game(page, watch);
    await game.waitRunning();
    await game.enableScreenReader();
    for (let i = 0; i < 4; ++i) await game.click('HScroll1', 0.15, 0.5);
    await game.waitFor('the shortest thinking time', (f) => f.HScroll1.value === '1');
    await game.click('Command2');
    const [, points] = await game.hear(/^Sortierte Buchstaben: .+, Punkte: ([57])$/);
    await shuffled(game, 1);

    // Hidden, and its timers stopped while minutes pass, as a browser does
    // with a tab in the background; then shown again.
    const visibility = (hidden) => page.evaluate((h) => {
      Object.defineProperty(document, 'hidden', { value: h, configurable: true });
      Object.defineProperty(document, 'visibilityState', { value: h ? 'hidden' : 'visible', configurable: true });
      document.dispatchEvent(new Event('visibilitychange'));
    }, hidden);
    await visibility(true);
    await context.clock.pauseAt(await page.evaluate(() => Date.now() + 100));
    const from = (await game.heard()).length;
    await context.clock.fastForward(minutes * 60_000);
    await context.clock.resume();
    await visibility(false);

    t.diagnostic(`seconds between shuffles after ${minutes} minutes away: ${(await shuffled(game, 3)).join(', ')}`);
    await game.hear(new RegExp(`^Punkte: ${points - 2}$`), from);
    await game.hear(/^Punkte: 0, Lösungswort: .+$/, from);
    assert.equal((await pageState(page)).state, 'running');
    assert.deepEqual(watch.problems(), []);
  } finally {
    await context.close();
  }
});

test('typing into the thinking time, which only the scroll bar sets, changes nothing, by keys or as an on-screen keyboard types; a field that takes text takes it both ways', { timeout: TEST_MS }, async () => {
  const { context, page, watch } = await openPage(async () => {}, { hasTouch: true });
  try {
    await page.goto(web.server.url);
    const game = new Game(page, watch);
    await game.waitRunning();
    await game.enableScreenReader();
    await game.click('Text1');
    await game.waitFor('the thinking time told', (f) => f.Text1.text === '5');
    await page.keyboard.type('Löwe');
    await page.keyboard.press('Backspace');
    await page.keyboard.press('Delete');
    // An on-screen keyboard sends its text without keys.
    await page.keyboard.insertText('Fuchs');
    await game.tap('Text1');
    await page.keyboard.insertText('Hase');
    // Whatever the keys did is done once the pointer's help has come after them.
    await page.mouse.move(...(await game.at('Command2')));
    await game.waitFor('the help line to explain "Tier"', (f) => f.txtHilfe.text === 'Zufallstier');
    assert.equal((await game.read()).Text1.text, '5');

    // The sorted letters take what is typed where the click put the caret,
    // and Ctrl+Z takes it back.
    await game.click('txtSortiert');
    const before = (await game.waitFor('the sorted letters told', (f) => f.txtSortiert.text !== null && f)).txtSortiert.text;
    await page.keyboard.type('Löwe');
    const typed = (await game.waitFor('"Löwe" typed', (f) => f.txtSortiert.text.includes('Löwe') && f)).txtSortiert.text;
    assert.equal(typed.replace('Löwe', ''), before, 'only the word typed');
    await page.keyboard.press('Control+z');
    await game.waitFor('the typing undone', (f) => f.txtSortiert.text === before);
    // The scrambled letters, empty before a puzzle, by touch and an on-screen keyboard.
    await game.tap('txtAusgabe');
    await page.keyboard.insertText('Hase');
    await game.waitFor('"Hase" typed on the screen', (f) => f.txtAusgabe.text === 'Hase');
    assert.deepEqual(watch.problems(), []);
  } finally {
    await context.close();
  }
});

test('a right click on any control leaves the game answering', { timeout: TEST_MS }, async () => {
  const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 } });
  try {
    const game = await Game.open(context, web.server.url);
    await game.enableScreenReader();
    const page = game.page;
    for (const name of form.tabOrder) {
      await within(STEP_MS, `a right click on ${name}`, page.mouse.click(...(await game.at(name)), { button: 'right' }));
      await within(STEP_MS, `a look at the page after a right click on ${name}`, pageState(page));
      // A menu that opened closes.
      await page.keyboard.press('Escape');
    }
    const from = (await game.heard()).length;
    await game.click('Command2');
    await game.hear(/^Sortierte Buchstaben: .+, Punkte: [57]$/, from);
    assert.deepEqual(game.console.problems(), []);
  } finally {
    await context.close();
  }
});

// The browser cancels a pointer that it takes over: a drag of text selected on
// the page that comes over the game, a touch that turns into a gesture of the
// browser's own.
const cancellations = [
  ['a drag of the page\'s own text over the game', async (game) => {
    const footer = await game.page.locator('footer').boundingBox();
    const text = [footer.x + 40, footer.y + footer.height / 2];
    await game.page.mouse.click(...text, { clickCount: 3 });
    assert.notEqual(await game.page.evaluate(() => String(document.getSelection()).trim()), '', 'text selected on the page');
    await game.page.mouse.move(...text);
    await game.page.mouse.down();
    await game.page.mouse.move(...(await game.at('Image1')), { steps: 2 });
    await game.page.mouse.up();
  }],
  ['a touch that the browser takes over', async (game) => {
    const cdp = await game.session();
    const [x, y] = await game.at('Command4');
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchStart', touchPoints: [{ x, y }] });
    await cdp.send('Input.dispatchTouchEvent', { type: 'touchCancel', touchPoints: [] });
  }],
];

for (const [what, cancel] of cancellations) {
  test(`${what} leaves the game playable by touch and mouse`, { timeout: TEST_MS }, async () => {
    const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 }, hasTouch: true });
    try {
      const game = await Game.open(context, web.server.url);
      await game.enableScreenReader();
      await cancel(game);
      let from = (await game.heard()).length;
      await game.tap('Command2');
      await game.hear(/^Sortierte Buchstaben: .+, Punkte: [57]$/, from);
      from = (await game.heard()).length;
      await game.click('cmdZweiter');
      await game.hear(/Punkte: [46]$/, from);
      assert.equal((await pageState(game.page)).state, 'running');
      assert.deepEqual(game.console.problems(), []);
    } finally {
      await context.close();
    }
  });
}
