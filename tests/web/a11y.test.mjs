// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// What a screen reader gets in the browser: Chromium's own accessibility
// tree, read through its DevTools protocol after the screen-reader button is
// pressed, lists every control with the name and role the desktop game gives
// it (the accessibleName of window/main_window.ui), and only what the form
// shows: the hidden solution field not before "Zeigen".

import assert from 'node:assert/strict';
import { test } from 'node:test';
import { Game, ROLES, TEST_MS, form, servedInABrowser, until } from './support.mjs';

const web = servedInABrowser();

// The tree's nodes that stand for controls of the form, by object name: the
// role and name Chromium gives them. Qt's elements carry the object's path
// as their id.
async function controlsInTree(game) {
  const cdp = await game.session();
  const { root } = await cdp.send('DOM.getDocument', { depth: -1, pierce: true });
  const ids = new Map();
  const walk = (node) => {
    const attributes = node.attributes ?? [];
    const id = attributes[attributes.indexOf('id') + 1];
    if (attributes.includes('id') && id.startsWith('QApplication.')) ids.set(node.backendNodeId, id.split('.').pop());
    for (const c of [...(node.children ?? []), ...(node.shadowRoots ?? []), ...(node.contentDocument ? [node.contentDocument] : [])]) walk(c);
  };
  walk(root);
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  const controls = {};
  for (const node of nodes) {
    const name = ids.get(node.backendDOMNodeId);
    if (name && !node.ignored) controls[name] = { role: node.role?.value, name: node.name?.value ?? '' };
  }
  return controls;
}

// The controls of the form that a screen reader names, with the role and name
// the desktop gives them.
const named = Object.values(form.controls).filter((c) => ROLES[c.class] && c.accessibleName);

function expected(hidden) {
  return Object.fromEntries(named.filter((c) => !hidden.includes(c.name))
    .map((c) => [c.name, { role: ROLES[c.class], name: c.accessibleName }]));
}

function described(controls, names) {
  return Object.fromEntries(names.map((n) => [n, controls[n] ?? 'missing']));
}

test('every control in the accessibility tree with its name and role, at the start, in a puzzle and with the solution shown', { timeout: TEST_MS }, async (t) => {
  const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 } });
  try {
    const game = await Game.open(context, web.server.url);
    await game.enableScreenReader();

    const stages = [
      ['at the start', ['cmdZweiter', 'cmdSortieren', 'txtSuchwort'], null],
      ['after "Tier"', ['cmdErster', 'cmdLetzter', 'cmdSortieren', 'txtSuchwort'], 'Command2'],
      ['after "Zeigen"', ['cmdErster', 'cmdLetzter'], 'Command1'],
    ];
    for (const [stage, hidden, press] of stages) {
      if (press) {
        const from = (await game.heard()).length;
        await game.click(press);
        await game.hear(/Punkte|Lösungswort/, from);
      }
      const want = expected(hidden);
      const controls = await controlsInTree(game);
      const got = described(controls, Object.keys(want));
      t.diagnostic(`${stage}: ${Object.entries(got).map(([n, c]) => `${n} ${c.role} "${c.name}"`).join('; ')}`);
      assert.deepEqual(got, want, `the controls ${stage}`);
      for (const name of hidden) assert.equal(controls[name], undefined, `${name}, hidden ${stage}, is not in the tree`);
      assert.equal(controls.txtTiere, undefined, 'the hidden list of animals is never in the tree');
    }

    assert.deepEqual(game.console.problems(), []);
  } finally {
    await context.close();
  }
});

// The page's live regions in the tree: their role, politeness and the text
// that a screen reader speaks when it changes (what their nodes hold), and
// how many nodes of the tree hold that text.
async function liveRegions(game) {
  const cdp = await game.session();
  const { nodes } = await cdp.send('Accessibility.getFullAXTree');
  const byId = new Map(nodes.map((n) => [n.nodeId, n]));
  const property = (node, name) => node.properties?.find((p) => p.name === name)?.value.value;
  const live = (node) => ['polite', 'assertive'].includes(property(node, 'live'));
  const text = (node) => (node.role?.value === 'StaticText' ? node.name?.value ?? '' : (node.childIds ?? []).map((id) => text(byId.get(id) ?? {})).join(''));
  const held = (words) => nodes.filter((n) => !n.ignored && n.role?.value === 'StaticText' && n.name?.value === words).length;
  return nodes.filter((n) => !n.ignored && live(n) && !live(byId.get(n.parentId) ?? {}))
    .map((n) => ({ role: n.role?.value, live: property(n, 'live'), text: text(n), held: text(n) ? held(text(n)) : 0 }));
}

test('what the game announces is in a live region of the tree, which follows it, and nowhere else', { timeout: TEST_MS }, async () => {
  const context = await web.browser.newContext({ viewport: { width: 1280, height: 800 } });
  try {
    const game = await Game.open(context, web.server.url);
    await game.enableScreenReader();
    assert.deepEqual(await liveRegions(game), [{ role: 'status', live: 'polite', text: '', held: 0 }], 'one live region, quiet at the start');
    for (const [press, pattern] of [['Command2', /^Sortierte Buchstaben: .+, Punkte: [57]$/], ['cmdZweiter', /^Sortierte Buchstaben: .+, Punkte: [46]$/],
      ['Command1', /^Lösungswort: .+$/]]) {
      const from = (await game.heard()).length;
      await game.click(press);
      await game.hear(pattern, from);
      // What was said last (the clock may have said more since), with its
      // blanks as the tree gives a text; held by the live region alone.
      const last = async () => (await game.heard()).at(-1).replace(/\s+/g, ' ');
      await until(`the live region to say what the game said last after ${press}`, async () => {
        const [now, wanted] = [await liveRegions(game), await last()];
        const same = JSON.stringify(now) === JSON.stringify([{ role: 'status', live: 'polite', text: wanted, held: 1 }]);
        return same || { ok: false, seen: { now, wanted } };
      });
    }
    assert.deepEqual(game.console.problems(), []);
  } finally {
    await context.close();
  }
});
