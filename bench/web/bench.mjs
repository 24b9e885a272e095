// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Measures the game in headless Chromium against the bare window built for
// the browser with the same Qt and flags: the download, the time to the first
// full frame over fresh loads, and the CPU while the clock runs, from the
// browser's own figures. Prints a table of medians with their ranges and the
// ratios game/bare. Usage: node bench/web/bench.mjs SITE, where SITE holds
// the game's folder (build-web) with bare.js, bare.wasm and page.html beside
// it. BENCH_WEB_LOADS (9) loads of each program, BENCH_WEB_RUNS (5) clock
// runs of each, alternating.

import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import zlib from 'node:zlib';
import { form, launch, serve, sleep, until } from '../../tests/web/support.mjs';

const site = path.resolve(process.argv[2] ?? 'build-web-bench/site');
const loads = Number(process.env.BENCH_WEB_LOADS ?? 9);
const runs = Number(process.env.BENCH_WEB_RUNS ?? 5);
const CLOCK_SECONDS = 10;

// The programs, each on a page: the game and the bare window on the same
// plain page, and the game on its own page with its download line.
const programs = {
  game: { page: 'page.html?program=wuselwort', files: ['wuselwort.wasm', 'wuselwort.js'] },
  bare: { page: 'page.html?program=bare', files: ['bare.wasm', 'bare.js'] },
  'game page': { page: 'index.html', files: [] },
};

// Before anything of the page runs: notes when the canvas that Qt draws the
// window into has been covered whole by what Qt put into it, and the next
// frame the browser shows after that, in ms since the navigation began.
function watchFirstFrame() {
  const cells = 24;
  const seen = new WeakMap();
  const put = CanvasRenderingContext2D.prototype.putImageData;
  window.wuselwortFirstFrame = null;
  CanvasRenderingContext2D.prototype.putImageData = function (image, dx, dy, ...dirty) {
    const result = put.call(this, image, dx, dy, ...dirty);
    const canvas = this.canvas;
    if (window.wuselwortDrawn === undefined && canvas.width >= 500) {
      const [x, y, w, h] = dirty.length === 4 ? [dx + dirty[0], dy + dirty[1], dirty[2], dirty[3]]
        : [dx, dy, image.width, image.height];
      const grid = seen.get(canvas) ?? new Uint8Array(cells * cells);
      seen.set(canvas, grid);
      for (let j = 0; j < cells; ++j) {
        for (let i = 0; i < cells; ++i) {
          const cx = ((i + 0.5) * canvas.width) / cells;
          const cy = ((j + 0.5) * canvas.height) / cells;
          if (cx >= x && cx < x + w && cy >= y && cy < y + h) grid[j * cells + i] = 1;
        }
      }
      if (grid.every(Boolean)) {
        window.wuselwortDrawn = performance.now();
        requestAnimationFrame(() => { window.wuselwortFirstFrame = performance.now(); });
      }
    }
    return result;
  };
}

function median(values) {
  const v = [...values].sort((a, b) => a - b);
  const m = v.length >> 1;
  return v.length % 2 ? v[m] : (v[m - 1] + v[m]) / 2;
}

function cell(values, digits = 1) {
  if (!values.length) return '-';
  const f = (x) => x.toFixed(digits);
  return `${f(median(values))} (${f(Math.min(...values))}..${f(Math.max(...values))})`;
}

async function firstFrame(browser, url) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  try {
    await context.addInitScript(watchFirstFrame);
    const page = await context.newPage();
    await page.goto(url);
    await page.waitForFunction(() => window.wuselwortFirstFrame !== null, null, { timeout: 120_000, polling: 50 });
    return await page.evaluate(() => ({ drawn: window.wuselwortDrawn, frame: window.wuselwortFirstFrame }));
  } finally {
    await context.close();
  }
}

// The CPU over 10 s of the clock: started by "Tier" (the bare window's
// restarts its timer), measured from a second after the click.
async function clockRun(browser, url) {
  const context = await browser.newContext({ viewport: { width: 1280, height: 800 } });
  try {
    await context.addInitScript(watchFirstFrame);
    const page = await context.newPage();
    const cdp = await context.newCDPSession(page);
    const system = await browser.newBrowserCDPSession();
    await cdp.send('Performance.enable', { timeDomain: 'threadTicks' });
    await page.goto(url);
    await page.waitForFunction(() => window.wuselwortFirstFrame !== null, null, { timeout: 120_000, polling: 50 });
    const box = await until('the window', () => page.evaluate(() => {
      const host = document.getElementById('spiel');
      const r = host.getBoundingClientRect();
      return r.width > 0 && { x: r.x, y: r.y, scale: r.width / 1005 };
    }));
    const tier = form.controls.Command2;
    await page.mouse.click(box.x + (tier.x + tier.width / 2) * box.scale, box.y + (tier.y + tier.height / 2) * box.scale);
    await sleep(1000);
    const figures = async () => {
      const { metrics } = await cdp.send('Performance.getMetrics');
      const m = Object.fromEntries(metrics.map((x) => [x.name, x.value]));
      const { processInfo } = await system.send('SystemInfo.getProcessInfo');
      const gpu = processInfo.filter((p) => p.type === 'GPU').reduce((sum, p) => sum + p.cpuTime, 0);
      return { thread: m.ThreadTime, task: m.TaskDuration, script: m.ScriptDuration, process: m.ProcessTime, gpu };
    };
    const before = await figures();
    // The measurement is the 10 s themselves.
    await sleep(CLOCK_SECONDS * 1000);
    const after = await figures();
    await system.detach();
    return Object.fromEntries(Object.keys(after).map((k) => [k, (after[k] - before[k]) * 1000]));
  } finally {
    await context.close();
  }
}

const server = await serve(site);
const browser = await launch();
const results = Object.fromEntries(Object.keys(programs).map((name) => [name, { drawn: [], frame: [], clock: [] }]));
try {
  const load = fs.readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ');
  // One load of each first, not counted.
  for (const { page } of Object.values(programs)) await firstFrame(browser, server.url + page);
  let order = Object.keys(programs);
  for (let i = 0; i < loads; ++i) {
    for (const name of order) {
      const { drawn, frame } = await firstFrame(browser, server.url + programs[name].page);
      results[name].drawn.push(drawn);
      results[name].frame.push(frame);
    }
    order = [...order.slice(1), order[0]];
  }
  process.stderr.write(`${loads} loads of each done\n`);
  let pair = ['game', 'bare'];
  for (let i = 0; i < runs; ++i) {
    for (const name of pair) results[name].clock.push(await clockRun(browser, server.url + programs[name].page));
    pair = pair.reverse();
  }
  const loadAfter = fs.readFileSync('/proc/loadavg', 'utf8').split(' ').slice(0, 3).join(' ');

  const bytes = (files, pack) => files.reduce((sum, f) => {
    const data = fs.readFileSync(path.join(site, f));
    return sum + (pack ? zlib.gzipSync(data, { level: 9 }).length : data.length);
  }, 0);
  const MB = 1e6;
  const size = {};
  for (const name of ['game', 'bare']) {
    const files = programs[name].files;
    size[name] = { raw: bytes(files, false) / MB, gzip: bytes(files, true) / MB, wasm: bytes([files[0]], true) / MB, js: bytes([files[1]], true) / MB };
  }

  const ratio = (a, b) => (b > 0 ? `${(a / b).toFixed(2)}x` : '-');
  const verdict = (ok, goal) => `${ok ? 'met' : 'MISSED'} (${goal})`;
  const chromium = (await browser.version());
  console.log();
  console.log(`Wuselwort in the browser: ${loads} loads and ${runs} clock runs of each program, alternating`);
  console.log(`Machine: ${os.cpus().length} x ${os.cpus()[0]?.model ?? '?'}; load average ${load} before, ${loadAfter} after; headless Chromium ${chromium}`);
  console.log();
  const row = (label, game, bare, extra, r, goal) => console.log(
    `${label.padEnd(40)}${game.padEnd(26)}${bare.padEnd(26)}${extra.padEnd(26)}${r.padEnd(10)}${goal}`);
  row('median (min..max)', 'game', 'bare window', 'game on its page', 'game/bare', 'goal');
  row('Download, .wasm + .js (MB)', size.game.raw.toFixed(2), size.bare.raw.toFixed(2), '', ratio(size.game.raw, size.bare.raw), '');
  const gzipOk = size.game.gzip <= 6 && size.game.gzip <= 1.5 * size.bare.gzip;
  row('Download gzipped, .wasm + .js (MB)', size.game.gzip.toFixed(2), size.bare.gzip.toFixed(2), '', ratio(size.game.gzip, size.bare.gzip), verdict(gzipOk, '<= 6 MB and <= 1.5x'));
  row('  of it .wasm (MB)', size.game.wasm.toFixed(2), size.bare.wasm.toFixed(2), '', ratio(size.game.wasm, size.bare.wasm), '');
  row('  of it .js (MB)', size.game.js.toFixed(3), size.bare.js.toFixed(3), '', ratio(size.game.js, size.bare.js), '');
  const frame = (name) => results[name].frame;
  row('First full frame (ms)', cell(frame('game')), cell(frame('bare')), cell(frame('game page')),
    ratio(median(frame('game')), median(frame('bare'))), verdict(median(frame('game')) <= 1.5 * median(frame('bare')), '<= 1.5x'));
  row('  window drawn whole (ms)', cell(results.game.drawn), cell(results.bare.drawn), cell(results['game page'].drawn),
    ratio(median(results.game.drawn), median(results.bare.drawn)), '');
  const clock = (name, key) => results[name].clock.map((c) => c[key]);
  const cpuOk = median(clock('game', 'thread')) <= 1.2 * median(clock('bare', 'thread'));
  row(`CPU in ${CLOCK_SECONDS} s of clock, page thread (ms)`, cell(clock('game', 'thread')), cell(clock('bare', 'thread')), '',
    ratio(median(clock('game', 'thread')), median(clock('bare', 'thread'))), verdict(cpuOk, '<= 1.2x'));
  for (const [key, label] of [['task', '  busy in tasks (ms)'], ['script', '  of it in script (ms)'],
    ['process', '  page process (ms, 10 ms steps)'], ['gpu', '  GPU process (ms, 10 ms steps)']]) {
    row(label, cell(clock('game', key)), cell(clock('bare', key)), '', ratio(median(clock('game', key)), median(clock('bare', key))), '');
  }
} finally {
  await browser.close();
  await server.close();
}
