// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Puzzles played in the page as a player plays them: by mouse, by keyboard
// and by touch on a tablet, with pictures at device pixel ratios 1 and 2.

import assert from 'node:assert/strict';
import path from 'node:path';
import { test } from 'node:test';
import {
  Game, TEST_MS, colourCount, form, outDir, sameLetters, servedInABrowser, shuffled, until, waitForState,
} from './support.mjs';

const web = servedInABrowser();

// What the hints append once all are bought: a gap of five blanks, the first
// two letters, a dot and a blank for each letter between the second and the
// last, and the last letter.
function hintTail(name) {
  return `     ${name.slice(0, 2)}${'. '.repeat(Math.min(27, Math.max(0, name.length - 3)))}${name.at(-1)}`;
}

function startingScore(letters) {
  return letters.length < 11 ? '5' : '7';
}

// The rooster's place in the picture, where the help line says "Hahn".
const ROOSTER = [96, 252];

test('a puzzle by mouse: "Tier", a hint, the letters shuffled each second, half time costs 2, the end shows "0" and the solution', { timeout: TEST_MS }, async () => {
  const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 } });
  try {
    const game = await Game.open(context, web.server.url);
    await game.enableScreenReader();
    assert.equal((await game.read()).HScroll1.value, '5', 'the longest thinking time at the start');

    // The help line follows the pointer, over controls and over the picture.
    const [tx, ty] = await game.at('Command2');
    await game.page.mouse.move(tx, ty);
    await game.waitFor('the help line to explain "Tier"', (f) => f.txtHilfe.text === 'Zufallstier');
    const [rx, ry] = await game.at('Image1', 0, 0, ROOSTER);
    await game.page.mouse.move(rx, ry);
    await game.waitFor('the help line to name the rooster', (f) => f.txtHilfe.text === 'Hahn');
    const [gx, gy] = await game.at('Image1', 0, 0, [60, 100]);
    await game.page.mouse.move(gx, gy);
    await game.waitFor('the help line over no animal', (f) => f.txtHilfe.text === 'Diese und weitere Tiere kommen vor!');

    // The shortest thinking time: the scroll bar's left arrow, step by step.
    for (const speed of ['4', '3', '2', '1']) {
      await game.click('HScroll1', 0.15, 0.5);
      await game.waitFor(`the thinking time ${speed}`, (f) => f.HScroll1.value === speed);
    }
    // The snake held from the start, so that the hint is bought before the half time.
    await game.click('chkStop');
    await game.waitFor('"Stop" ticked', (f) => f.chkStop.checked);

    let from = (await game.heard()).length;
    await game.click('Command2');
    const [, sorted, points] = await game.hear(/^Sortierte Buchstaben: (.+), Punkte: ([57])$/, from);
    const score = Number(points);
    const fields = await game.read();
    // The options at the start offer the second letter alone.
    assert.deepEqual([fields.cmdErster.hidden, fields.cmdZweiter.hidden, fields.cmdLetzter.hidden], [true, false, true]);
    assert.ok(fields.txtSuchwort.hidden, 'the solution is hidden during the puzzle');

    from = (await game.heard()).length;
    await game.click('cmdZweiter');
    const [, withHint] = await game.hear(new RegExp(`^Sortierte Buchstaben: (.+), Punkte: ${score - 1}$`), from);
    await game.waitFor('the hint button gone', (f) => f.cmdZweiter.hidden);

    // Held, the letters are still shuffled every second, and no half time comes.
    await shuffled(game, 3);
    from = (await game.heard()).length;
    await game.click('chkStop');
    await game.hear(new RegExp(`^Punkte: ${score - 3}$`), from);
    const [, name] = await game.hear(/^Punkte: 0, Lösungswort: (.+)$/, from);
    assert.ok(sameLetters(name, sorted), `the solution "${name}" has the puzzle's letters "${sorted}"`);
    assert.equal(points, startingScore(name), `the score for ${name}`);
    assert.equal(withHint, sorted + hintTail(name));
    await game.waitFor('the solution and "Sortieren" shown', (f) => !f.txtSuchwort.hidden && !f.cmdSortieren.hidden);

    from = (await game.heard()).length;
    await game.click('Command1');
    await game.hear(new RegExp(`^Lösungswort: ${name}$`), from);
    await game.page.screenshot({ path: path.join(outDir, 'web-mouse-end.png') });
    assert.deepEqual(game.console.problems(), []);
  } finally {
    await context.close();
  }
});

test('the keyboard focus starts on the help line, as on the desktop', { timeout: TEST_MS }, async () => {
  const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 } });
  try {
    const game = await Game.open(context, web.server.url);
    assert.equal(await until('a focus ring', () => game.focused()), 'txtHilfe');
    assert.deepEqual(game.console.problems(), []);
  } finally {
    await context.close();
  }
});

test('a puzzle by keyboard: Tab round the form, Space, the arrows, a hint and "Zeigen"', { timeout: TEST_MS }, async () => {
  const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 } });
  try {
    const game = await Game.open(context, web.server.url);
    await game.enableScreenReader();
    const keys = game.page.keyboard;

    // Once round: every shown stop in the form's tab order, each with its ring.
    const start = await until('a focus ring', () => game.focused());
    const shown = form.tabOrder.filter((n) => form.controls[n].shown && !['cmdSortieren', 'txtSuchwort'].includes(n));
    const round = [];
    for (let i = 0; i < shown.length; ++i) {
      const now = await until('a focus ring', () => game.focused());
      round.push(now);
      await keys.press('Tab');
      await until(`Tab to move the focus on from ${now}`, async () => (await game.focused()) !== now);
    }
    assert.equal(await game.focused(), start, 'once round the stops, the focus is back');
    const first = shown.indexOf(start);
    assert.deepEqual(round, [...shown.slice(first), ...shown.slice(0, first)]);

    await game.tabTo('chkMax');
    await keys.press('Space');
    await game.waitFor('"max 10 Buchstaben" ticked', (f) => f.chkMax.checked);

    await game.tabTo('HScroll1');
    await keys.press('ArrowLeft');
    await game.waitFor('the thinking time 4', (f) => f.HScroll1.value === '4');
    await keys.press('ArrowRight');
    await game.waitFor('the thinking time 5', (f) => f.HScroll1.value === '5');

    await game.tabTo('Command2', 'Shift+Tab');
    let from = (await game.heard()).length;
    await keys.press('Space');
    const [, sorted] = await game.hear(/^Sortierte Buchstaben: (.+), Punkte: 5$/, from);

    await game.tabTo('cmdZweiter', 'Shift+Tab');
    from = (await game.heard()).length;
    await keys.press('Space');
    const [, withHint] = await game.hear(/^Sortierte Buchstaben: (.+), Punkte: 4$/, from);

    await game.tabTo('Command1', 'Shift+Tab');
    from = (await game.heard()).length;
    await keys.press('Space');
    const [, name] = await game.hear(/^Lösungswort: (.+)$/, from);
    assert.ok(name.length <= 9, `"${name}" has at most 9 letters, as "max 10 Buchstaben" asks`);
    assert.ok(sameLetters(name, sorted), `the solution "${name}" has the puzzle's letters "${sorted}"`);
    assert.equal(withHint, sorted + hintTail(name));
    await game.waitFor('the solution shown', (f) => !f.txtSuchwort.hidden);
    assert.deepEqual(game.console.problems(), []);
  } finally {
    await context.close();
  }
});

// Plays "Tier" and points at the rooster, then saves a picture of the page.
async function pictureOfAPuzzle(game, file, input = 'mouse') {
  await game.enableScreenReader();
  if (input === 'touch') await game.tap('Command2');
  else await game.click('Command2');
  await game.hear(/Punkte: [57]$/);
  const [x, y] = await game.at('Image1', 0, 0, ROOSTER);
  if (input === 'touch') await game.page.touchscreen.tap(x, y);
  else await game.page.mouse.move(x, y);
  await game.waitFor('the help line to name the rooster', (f) => f.txtHilfe.text === 'Hahn');
  await game.page.screenshot({ path: path.join(outDir, file) });
}

for (const ratio of [1, 2]) {
  test(`at device pixel ratio ${ratio} the window is drawn at full resolution (web-dpr${ratio}.png)`, { timeout: TEST_MS }, async () => {
    const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 }, deviceScaleFactor: ratio });
    try {
      const game = await Game.open(context, web.server.url);
      const box = await game.canvasBox();
      assert.equal(box.scale, 1, 'the form at its size where it fits');
      assert.equal(box.pixels, Math.round(box.width * ratio), 'a canvas pixel for every device pixel');
      await pictureOfAPuzzle(game, `web-dpr${ratio}.png`);
      assert.ok(colourCount(await game.shot()) >= 64, 'the window is drawn');
      assert.deepEqual(await game.marks(), [], 'no marks on the form');
      assert.deepEqual(game.console.problems(), []);
    } finally {
      await context.close();
    }
  });
}

test('on a tablet held upright the whole form is shown scaled and sharp, and plays by touch (web-tablet.png)', { timeout: TEST_MS }, async () => {
  const context = await web.browser.newContext({
    viewport: { width: 768, height: 1024 }, deviceScaleFactor: 2, isMobile: true, hasTouch: true,
  });
  try {
    const game = await Game.open(context, web.server.url);
    const box = await game.canvasBox();
    assert.ok(box.x >= 0 && box.x + box.width <= 768, `the form within the width: ${JSON.stringify(box)}`);
    assert.ok(box.scale < 1 && box.scale > 0.7, `scaled to fit: ${box.scale}`);
    assert.ok(Math.abs(box.pixels - box.width * 2) <= 2, `drawn at the device's resolution: ${box.pixels} pixels for ${box.width}`);
    await pictureOfAPuzzle(game, 'web-tablet.png', 'touch');
    const from = (await game.heard()).length;
    await game.tap('cmdZweiter');
    await game.hear(/Punkte: [46]$/, from);
    assert.deepEqual(await game.marks(), [], 'no marks on the form after the taps');
    // Once round the form with the focus ring, at a scale where the form's
    // pixels do not fall on the device's, and the letters changing meanwhile.
    const passed = [];
    for (let i = 0; i <= form.tabOrder.length; ++i) {
      const now = await until('a focus ring', () => game.ring());
      passed.push(now);
      await game.page.keyboard.press('Tab');
      await until(`Tab to move the focus ring on from ${now}`, async () => (await game.ring()) !== now);
    }
    assert.ok(new Set(passed).size >= 10, `the ring went round the form: ${passed.join(', ')}`);
    assert.deepEqual(await game.marks(), [], 'no marks on the form after the focus went round it');
    await game.page.screenshot({ path: path.join(outDir, 'web-tablet-ring.png') });
    assert.deepEqual(game.console.problems(), []);
  } finally {
    await context.close();
  }
});

test('"Ende" ends the game; the page says so and starts it again (web-ende.png)', { timeout: TEST_MS }, async () => {
  const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 } });
  try {
    const game = await Game.open(context, web.server.url);
    await game.click('cmdEnde');
    const { message } = await waitForState(game.page, ['ended']);
    assert.match(message, /beendet/);
    await game.page.screenshot({ path: path.join(outDir, 'web-ende.png') });
    const again = game.page.getByRole('button', { name: 'Noch einmal spielen' });
    await again.click();
    await game.waitRunning();
    await game.enableScreenReader();
    await game.click('Command2');
    await game.hear(/Punkte: [57]$/);
    assert.deepEqual(game.console.problems(), []);
  } finally {
    await context.close();
  }
});
