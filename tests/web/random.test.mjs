// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Random play for RANDOM_PLAY_SECONDS (60): clicks, double and right clicks,
// taps, hovers, drags and the wheel anywhere on the game but on "Ende"; keys
// (Tab, Space, Return, the arrows, editing keys and shortcuts) and typed
// words; resizes and turns of the window. The page must never crash or fail;
// should the game end (Space on "Ende" when Tab has brought the focus there),
// it starts again from the page. Afterwards the game must still answer:
// "Tier" draws a new puzzle. It prints its seed; RANDOM_PLAY_SEED replays the
// same input (the game's own draws differ). Each action goes to
// build-web-tests/random-play.log, the page as the play left it to
// random-play.png there.

import assert from 'node:assert/strict';
import fs from 'node:fs';
import path from 'node:path';
import { test } from 'node:test';
import { Game, LOAD_MS, form, outDir, pageState, servedInABrowser, until, within } from './support.mjs';

const seconds = Number(process.env.RANDOM_PLAY_SECONDS ?? 60);
const seed = Number(process.env.RANDOM_PLAY_SEED ?? Math.floor(Math.random() * 2 ** 31));
const STUCK_MS = 60_000;

const web = servedInABrowser();

// The game's window is not on the page (any more).
class Gone extends Error {}

// "Spiel neu einpassen" reloads the page; what is asked of the page while it
// reloads is asked again once it has.
async function reloading(page, ask) {
  for (;;) {
    try {
      return await ask();
    } catch (error) {
      if (!/Execution context was destroyed|navigat/i.test(error?.message ?? '')) throw error;
      await page.waitForLoadState('domcontentloaded');
    }
  }
}

// A small generator with a seed of its own (mulberry32), so that a seed replays.
function generator(state) {
  const next = () => {
    state = (state + 0x6d2b79f5) | 0;
    let t = Math.imul(state ^ (state >>> 15), 1 | state);
    t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
    return ((t ^ (t >>> 14)) >>> 0) / 2 ** 32;
  };
  return {
    next,
    int: (n) => Math.floor(next() * n),
    pick: (list) => list[Math.floor(next() * list.length)],
  };
}

const KEYS = ['Tab', 'Tab', 'Tab', 'Shift+Tab', 'Space', 'Space', 'Enter', 'ArrowLeft', 'ArrowRight', 'ArrowUp',
  'ArrowDown', 'Backspace', 'Delete', 'Home', 'End', 'Escape', 'PageUp', 'PageDown', 'Control+a', 'Control+c',
  'Control+v', 'Control+x', 'Control+z', 'Shift+ArrowLeft', 'F1'];
const WORDS = ['Fuchs', 'Löwe', 'Strauß', 'Känguru', 'ÄÖÜäöüß', 'é€', '12345', ' ', 'x'.repeat(300), 'Tier'];
const SIZES = [[1280, 800], [1005, 700], [800, 600], [768, 1024], [1024, 768], [1600, 1000], [360, 640], [640, 360]];

test(`random play for ${seconds} s, and the game still answers`, { timeout: (seconds + 600) * 1000 }, async (t) => {
  t.diagnostic(`seed ${seed} (replay: RANDOM_PLAY_SEED=${seed} RANDOM_PLAY_SECONDS=${seconds})`);
  console.log(`random play for ${seconds} s, seed ${seed}`);
  const random = generator(seed);
  const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 }, hasTouch: true });
  const log = fs.createWriteStream(path.join(outDir, 'random-play.log'));
  log.write(`seed ${seed}, ${seconds} s\n`);
  try {
    const game = await Game.open(context, web.server.url);
    await game.enableScreenReader();
    const page = game.page;
    const ende = form.controls.cmdEnde;
    let viewport = { width: 1280, height: 800 };
    let restarts = 0;
    let refits = 0;
    let actions = 0;

    // A random point on the game where the page shows it, never on "Ende".
    // Where the page has scrolled the game out of sight, it scrolls back first.
    // What the last action was at, for a page that stops answering.
    let looking = null;
    const point = async () => {
      for (let attempt = 0; ; ++attempt) {
        const box = await reloading(page, () => game.canvasBox());
        looking = { attempt, box, viewport };
        if (!box) throw new Gone();
        const fx = random.next() * form.width;
        const fy = random.next() * form.height;
        const onEnde = fx >= ende.x - 3 && fx <= ende.x + ende.width + 3 && fy >= ende.y - 3 && fy <= ende.y + ende.height + 3;
        const x = Math.round(box.x + fx * box.scale);
        const y = Math.round(box.y + fy * box.scale);
        if (!onEnde && x >= 0 && y >= 0 && x < viewport.width && y < viewport.height) return [x, y];
        if (attempt % 50 === 49) await reloading(page, () => page.evaluate(() => window.scrollTo(0, 0)));
      }
    };
    // Each does something and says what, for the log.
    const doings = [
      [6, 'click', async () => {
        const at = await point();
        await page.mouse.click(...at);
        return at;
      }],
      [1, 'double click', async () => {
        const at = await point();
        await page.mouse.dblclick(...at);
        return at;
      }],
      [1, 'right click', async () => {
        const at = await point();
        await page.mouse.click(...at, { button: 'right' });
        return at;
      }],
      [3, 'tap', async () => {
        const at = await point();
        await page.touchscreen.tap(...at);
        return at;
      }],
      [3, 'hover', async () => {
        const at = await point();
        await page.mouse.move(...at, { steps: 1 + random.int(5) });
        return at;
      }],
      [2, 'drag', async () => {
        const [from, to] = [await point(), await point()];
        await page.mouse.move(...from);
        await page.mouse.down();
        await page.mouse.move(...to, { steps: 2 + random.int(8) });
        await page.mouse.up();
        return [from, to];
      }],
      [1, 'wheel', async () => {
        const [at, dx, dy] = [await point(), random.int(400) - 200, random.int(400) - 200];
        await page.mouse.move(...at);
        await page.mouse.wheel(dx, dy);
        return [at, dx, dy];
      }],
      [8, 'key', async () => {
        const key = random.pick(KEYS);
        await page.keyboard.press(key);
        return key;
      }],
      [2, 'type', async () => {
        const word = random.pick(WORDS);
        await page.keyboard.type(word);
        return word.length > 20 ? `${word.slice(0, 20)}... (${word.length})` : word;
      }],
      [1, 'resize', async () => {
        const [width, height] = random.pick(SIZES);
        viewport = { width, height };
        await page.setViewportSize(viewport);
        return `${width}x${height}`;
      }],
    ];
    // An action or a look at the page that takes this long means a page that
    // no longer answers.
    const answered = (promise, what) => within(STUCK_MS, `${what}; the last look for a point: ${JSON.stringify(looking)}`, promise);
    const total = doings.reduce((sum, [weight]) => sum + weight, 0);

    const end = Date.now() + seconds * 1000;
    while (Date.now() < end) {
      let r = random.int(total);
      const [, kind, act] = doings.find(([weight]) => (r -= weight) < 0);
      ++actions;
      looking = null;
      let detail;
      try {
        detail = await answered(act(), `${kind} (action ${actions})`);
      } catch (error) {
        if (!(error instanceof Gone)) throw error;
        // What an earlier action did, "Ende" or a fit anew, has taken the game
        // away: the page says why, or the game comes back.
        detail = 'no game on the page';
        await until('the page to say why the game has gone, or the game back', async () =>
          reloading(page, async () => (await pageState(page)).state !== 'running' || (await game.canvasBox())), LOAD_MS);
      }
      log.write(`${actions} ${kind} ${JSON.stringify(detail)}\n`);
      const { state, message } = await answered(reloading(page, () => pageState(page)), `${kind} ${JSON.stringify(detail)} (action ${actions})`);
      if (state === 'running') continue;
      assert.ok(['ended', 'loading'].includes(state), `after ${kind}: the page is ${state}: ${message}`);
      if (state === 'ended') {
        ++restarts;
        log.write(`the game ended; started again\n`);
        await page.getByRole('button', { name: 'Noch einmal spielen' }).click();
      } else {
        ++refits;
        log.write(`the game was fitted anew\n`);
      }
      await game.waitRunning();
      await game.enableScreenReader();
    }
    t.diagnostic(`${actions} actions, ${restarts} restarts by "Ende", ${refits} fits anew`);

    // Still answering: "Tier" draws a puzzle, with new letters.
    await page.setViewportSize({ width: 1280, height: 800 });
    await page.mouse.up();
    // The last actions may have fitted the game anew, which starts it again:
    // it is waited for and listened to anew, with the page at its top, where
    // the offer to fit the game stands above it, not over it.
    const listening = async () => {
      await reloading(page, () => game.waitRunning());
      if (!(await reloading(page, () => page.evaluate(() => Boolean(window.wuselwortHeard))))) await game.enableScreenReader();
      await reloading(page, () => page.evaluate(() => window.scrollTo(0, 0)));
    };
    await listening();
    await page.screenshot({ path: path.join(outDir, 'random-play.png') });
    const state = await pageState(page);
    assert.equal(state.state, 'running', state.message);
    // A menu that the play left open (a right click on a field) closes, as
    // it does on a click elsewhere, which it would take instead of "Tier".
    await page.keyboard.press('Escape');
    const said = [];
    await until('"Tier" to draw new letters', async () => {
      await listening();
      const from = (await reloading(page, () => game.heard())).length;
      await reloading(page, () => game.click('Command2'));
      const heard = await game.hear(/^Sortierte Buchstaben: (.+), Punkte: [57]$/, from).catch(() => null);
      if (heard) said.push(heard[1]);
      return new Set(said).size > 1 || { ok: false, seen: said };
    }, LOAD_MS);
    assert.deepEqual(game.console.problems(), []);
  } finally {
    log.end();
    await context.close();
  }
});
