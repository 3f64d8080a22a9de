#!/usr/bin/env node
// Step time of the game engine with many colliding instances, in headless Chromium:
// 5,000 moving instances, each asking place_meeting against the 5,000 instances of
// its own object every step. The same game is measured with the engine's spatial
// grid and with a check of every instance against every other (the naive way), in
// the same browser, one after the other.
//
//   node bench/engine/bench.mjs --cli build/pondaro-cli [--chromium /usr/bin/chromium]
//                               [--instances 5000] [--steps 200]
//
// playwright-core comes from tests/engine/node_modules (npm ci --prefix tests/engine).
import { spawnSync } from 'node:child_process';
import { cpSync, mkdtempSync, rmSync } from 'node:fs';
import { createRequire } from 'node:module';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { Picture, Project } from '../../scripts/project-writer.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const source = resolve(here, '..', '..');
const require = createRequire(join(source, 'tests', 'engine', 'package.json'));
const { chromium } = require('playwright-core');

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i >= 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}
const cli = option('--cli', join(source, 'build', 'pondaro-cli'));
const chromiumPath = option('--chromium', '/usr/bin/chromium');
const count = Number(option('--instances', 5000));
const steps = Number(option('--steps', 200));

// 16 x 16 pixel instances spread over a 2048 x 2048 scene: most touch another at any
// moment, so place_meeting finds something often enough to matter. The event code is
// the same in both script modes; only the advanced mode leaves out with(this), whose
// name lookups the browser cannot speed up.
function benchProject(advanced) {
  const p = new Project({ variables: 'var hits = 0;', advancedscriptmode: advanced ? 1 : 0 });
  p.sprite('spr_dot', [new Picture(16, 16, [255, 255, 255, 255])], { centerx: 8, centery: 8 });
  p.object('obj_dot', {
    sprite: 'spr_dot',
    events: {
      Step: advanced
        ? 'if (this.place_meeting(this.x, this.y, obj_dot) != null) hits += 1;\nthis.move_wrap(true, true, 0);'
        : 'if (place_meeting(x, y, obj_dot) != null) hits += 1;\nmove_wrap(true, true, 0);',
    },
  });
  p.object('obj_spawner', {
    events: {
      Creation: [
        `for (var i = 0; i < ${count}; i++) {`,
        '  var d = instance_create(random(room_width), random(room_height), obj_dot);',
        '  d.motion_set(random(360), 1 + random(2));',
        '}',
      ].join('\n'),
    },
  });
  p.scene('field', { width: 2048, height: 2048, speed: 60, viewportwidth: 640, viewportheight: 480 });
  p.instance('field', 'obj_spawner', 0, 0);
  return p;
}

const runDir = mkdtempSync(join(tmpdir(), 'pondaro-bench-'));
const browser = await chromium.launch({
  executablePath: chromiumPath,
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run',
    '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  cpSync(join(source, 'data', 'export.js'), join(runDir, 'export.js'));
  console.log(`Chromium ${browser.version()}, ${count} instances, each calling place_meeting every step;`);
  console.log('median (90th percentile) time of a whole step: events, motion, collisions and drawing');
  for (const [name, advanced] of [['bench', false], ['bench_advanced', true]]) {
    benchProject(advanced).write(runDir, name);
    const r = spawnSync(resolve(cli), ['export', name], { cwd: runDir, encoding: 'utf8' });
    if (r.status !== 0) throw new Error(`export failed: ${r.stderr}`);
    await run(name, advanced ? 'advanced script mode (no with(this))' : 'default script mode (event code in with(this))');
  }
} finally {
  await browser.close();
  rmSync(runDir, { recursive: true, force: true });
}

async function run(name, title) {
  const page = await browser.newPage({ viewport: { width: 640, height: 480 } });
  await page.goto(pathToFileURL(join(runDir, 'Projects', name, 'index.html')).href + '?test=paused');
  await page.waitForFunction(() => window.__pondaro_test && window.__pondaro_test.ready, null, { timeout: 60000 });

  // Median time of one step (every event, the collisions and the drawing), in ms.
  const measure = (mode, n) => page.evaluate(([m, k]) => {
    const h = window.__pondaro_test;
    h.setBroadphase(m);
    h.step(10);  // warm up after the switch
    const times = [];
    const hits0 = hits;
    for (let i = 0; i < k; i++) {
      const t0 = performance.now();
      h.step(1);
      times.push(performance.now() - t0);
    }
    times.sort((a, b) => a - b);
    return { median: times[Math.floor(times.length / 2)], p90: times[Math.floor(times.length * 0.9)],
      hitsPerStep: (hits - hits0) / k, instances: instance_number(obj_dot) };
  }, [mode, n]);

  const grid = await measure('grid', steps);
  const naive = await measure('naive', Math.max(10, Math.floor(steps / 10)));
  const fmt = (m) => `${m.median.toFixed(2)} ms (${m.p90.toFixed(2)} ms), ${Math.round(m.hitsPerStep)} hits a step`;
  console.log(`${title}, ${grid.instances} instances:`);
  console.log(`  spatial grid:        ${fmt(grid)}`);
  console.log(`  every pair (naive):  ${fmt(naive)}`);
  console.log(`  naive / grid:        ${(naive.median / grid.median).toFixed(1)} times`);
  await page.close();
}
