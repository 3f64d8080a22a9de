#!/usr/bin/env node
// The game engine's tests: exports the sample games and purpose-built projects with
// pondaro-cli, checks each game.js with node --check, and plays the games from
// file:// in headless Chromium to watch what the engine really does.
//
//   node tests/engine/run.mjs --cli build/pondaro-cli [--chromium /usr/bin/chromium]
//                             [--only WORD] [--keep]
//
// Games are played in a browser started without any special flag. Only the pixel
// test uses a second browser with --allow-file-access-from-files, because a canvas
// that drew pictures from file:// cannot be read back otherwise.
import { spawnSync } from 'node:child_process';
import { cpSync, existsSync, mkdtempSync, readFileSync, readdirSync, rmSync, writeFileSync } from 'node:fs';
import { tmpdir } from 'node:os';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath, pathToFileURL } from 'node:url';
import { launch as launchBrowser, playGame } from './browser.mjs';
import { testProjects } from './projects.mjs';
import { KEY_CONSTANTS, REQUIRED_WORDS, readWordList } from './words.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const source = resolve(here, '..', '..');

// ---- Command line ------------------------------------------------------------------

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i >= 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}
const cli = option('--cli', null);
const chromiumPath = option('--chromium', '/usr/bin/chromium');
const only = option('--only', null);
const keep = process.argv.includes('--keep');
if (!cli || !existsSync(cli)) {
  console.error('usage: run.mjs --cli PATH_TO_PONDARO_CLI [--chromium PATH] [--only WORD] [--keep]');
  process.exit(2);
}

// ---- A small harness ---------------------------------------------------------------

class Checks {
  constructor() { this.failures = []; }
  ok(condition, what) { if (!condition) this.failures.push(what); }
  eq(actual, expected, what) {
    const a = JSON.stringify(actual), e = JSON.stringify(expected);
    if (a !== e) this.failures.push(`${what}: got ${a}, expected ${e}`);
  }
  near(actual, expected, tolerance, what) {
    if (!(Math.abs(actual - expected) <= tolerance)) this.failures.push(`${what}: got ${actual}, expected ${expected} +- ${tolerance}`);
  }
  fail(what) { this.failures.push(what); }
}

let passed = 0, failed = 0;
async function test(name, body) {
  if (only && !name.includes(only)) return;
  const t = new Checks();
  const started = Date.now();
  try {
    await body(t);
  } catch (e) {
    t.fail(`threw ${e && e.stack ? e.stack : e}`);
  }
  const ms = Date.now() - started;
  if (t.failures.length) {
    failed++;
    console.log(`FAIL ${name} (${ms} ms)`);
    for (const f of t.failures) console.log(`     - ${f}`);
  } else {
    passed++;
    console.log(`ok   ${name} (${ms} ms)`);
  }
}

// ---- The run folder: engine, word list, samples and test projects, all exported ------

const runDir = mkdtempSync(join(tmpdir(), 'pondaro-engine-'));
cpSync(join(source, 'data', 'export.js'), join(runDir, 'export.js'));
cpSync(join(source, 'data', 'keywords.dat'), join(runDir, 'keywords.dat'));
cpSync(join(source, 'samples', 'Projects'), join(runDir, 'Projects'), { recursive: true });
const samples = readdirSync(join(source, 'samples', 'Projects')).filter((f) => f.endsWith('.xml')).map((f) => f.slice(0, -4));
for (const [name, make] of Object.entries(testProjects)) make().write(runDir, name);
const allProjects = [...samples, ...Object.keys(testProjects)];

const exported = {};
for (const name of allProjects) {
  const r = spawnSync(resolve(cli), ['export', name], { cwd: runDir, encoding: 'utf8' });
  exported[name] = { status: r.status, stderr: r.stderr };
}

function pageUrl(project, query) {
  return pathToFileURL(join(runDir, 'Projects', project, 'index.html')).href + (query ? `?${query}` : '');
}

function launch(extra = []) {
  return launchBrowser(chromiumPath, extra);
}
function play(browser, project, options) {
  return playGame(browser, join(runDir, 'Projects', project), options);
}

let browser, pixelBrowser;
try {
  browser = await launch();
  await runTests();
} finally {
  if (browser) await browser.close();
  if (pixelBrowser) await pixelBrowser.close();
  if (keep) console.log(`run folder kept: ${runDir}`);
  else rmSync(runDir, { recursive: true, force: true });
}
console.log(`${passed} passed, ${failed} failed`);
process.exit(failed ? 1 : 0);

// ---- The tests -----------------------------------------------------------------------

async function runTests() {
  const MARKERS = ['VERSION', 'EXTENSIONS', 'GLOBAL_VARIABLES', 'GLOBAL_FUNCTIONS', 'SPRITES', 'SOUNDS', 'MUSICS',
    'BACKGROUNDS', 'FONTS', 'OBJECTS', 'SCENES'].map((m) => `//PONDARO_${m}`);

  await test('engine template is plain ASCII with each marker once, on a line of its own, in a working order', (t) => {
    const bytes = readFileSync(join(source, 'data', 'export.js'));
    t.ok(bytes.every((b) => b < 128), 'every byte is 7-bit ASCII');
    const text = bytes.toString('latin1');
    const lines = text.split(/\r?\n/);
    const at = {};
    for (const m of MARKERS) {
      const found = lines.flatMap((l, i) => (l === m ? [i] : []));
      t.eq(found.length, 1, `${m} stands alone on exactly one line`);
      at[m] = found[0];
      t.eq(text.split(m).length - 1, 1, `${m} occurs nowhere else (it would be filled twice)`);
    }
    t.ok(at['//PONDARO_SPRITES'] < at['//PONDARO_OBJECTS'], 'sprites come before objects');
    t.ok(at['//PONDARO_BACKGROUNDS'] < at['//PONDARO_SCENES'], 'backgrounds come before scenes');
    t.ok(at['//PONDARO_OBJECTS'] < at['//PONDARO_SCENES'], 'objects come before scenes');
    const v = at['//PONDARO_VERSION'];
    const before = lines.slice(0, v).join('\n');
    t.ok(before.lastIndexOf('/*') > before.lastIndexOf('*/'), 'the version marker stands inside a block comment');
  });

  await test('word list: three-line records with syntax and description, every required word and key constant', (t) => {
    const bytes = readFileSync(join(source, 'data', 'keywords.dat'));
    t.ok(bytes.every((b) => b < 128), 'plain ASCII');
    const { entries, problems } = readWordList(bytes.toString('latin1'));
    for (const p of problems) t.fail(p);
    const byWord = new Map(entries.map((e) => [e.word, e]));
    t.eq(byWord.size, entries.length, 'no word is listed twice');
    for (const [word, kind] of REQUIRED_WORDS) {
      const e = byWord.get(word);
      if (!e) t.fail(`${word} is listed`);
      else t.eq(e.kind, kind, `kind of ${word}`);
    }
    t.eq(KEY_CONSTANTS.length, 82, 'the studio knows 82 key constants');
    for (const k of KEY_CONSTANTS) t.ok(byWord.get(k)?.kind === 'Cons', `${k} is listed as a constant`);
  });

  await test('every project exports, and every game.js passes node --check with its version inside a comment', (t) => {
    for (const name of allProjects) {
      const { status, stderr } = exported[name];
      t.eq(status, 0, `pondaro-cli export ${name} (stderr: ${stderr.trim().slice(0, 200)})`);
      if (samples.includes(name)) t.eq(stderr.trim(), '', `the sample ${name} exports without a warning`);
      const game = join(runDir, 'Projects', name, 'game.js');
      t.ok(existsSync(join(runDir, 'Projects', name, 'index.html')), `${name}/index.html is written`);
      if (!existsSync(game)) { t.fail(`${name}/game.js is written`); continue; }
      const check = spawnSync(process.execPath, ['--check', game], { encoding: 'utf8' });
      t.eq(check.status, 0, `node --check ${name}/game.js: ${check.stderr.trim().split('\n').slice(0, 4).join(' | ')}`);
      const text = readFileSync(game, 'latin1');
      const at = text.indexOf('\nv2.0.0');
      t.ok(at > 0 && text.lastIndexOf('/*', at) > text.lastIndexOf('*/', at), `${name}: the version text is in a comment`);
    }
    t.ok(samples.length >= 3, 'at least three sample games');
  });

  await test('every listed word exists in the engine, and every name the engine offers is listed', async (t) => {
    const { entries } = readWordList(readFileSync(join(source, 'data', 'keywords.dat'), 'latin1'));
    const listed = new Map(entries.map((e) => [e.word, e.kind]));
    const g = await play(browser, 'sandbox');
    const found = await g.run(() => {
      const frame = document.createElement('iframe');
      document.body.appendChild(frame);
      const browserNames = new Set(Object.getOwnPropertyNames(frame.contentWindow));
      frame.remove();
      // Each resource of the game is a global N made by a constructor __N.
      const isResource = (n) => !n.startsWith('__') && typeof window[`__${n}`] === 'function' &&
        !!window[n] && typeof window[n] === 'object';
      const globals = {};
      for (const n of Object.getOwnPropertyNames(window)) {
        if (browserNames.has(n) || n.startsWith('__pd') || n === '__pondaro_test' || n === 'log') continue;
        if (isResource(n) || (n.startsWith('__') && isResource(n.slice(2)))) continue;
        globals[n] = typeof window[n];
      }
      const inst = instance_find(obj_thing, 0);
      const instance = {};
      for (let o = inst; o && o !== Object.prototype; o = Object.getPrototypeOf(o)) {
        if (o === obj_thing) continue;   // the object itself holds the game's event handlers
        for (const n of Object.getOwnPropertyNames(o)) if (!n.startsWith('__pd')) instance[n] = typeof inst[n];
      }
      const background = Object.getOwnPropertyNames(bg_pic).filter((n) => !n.startsWith('__pd'));
      return { globals, instance, background, element: !!document.getElementById('pondarogame') && 'pondarogame' in window };
    });
    const kindOf = (type) => (type === 'function' ? 'Fn' : null);
    for (const [n, type] of Object.entries(found.globals)) {
      const kind = listed.get(n);
      if (!kind) { t.fail(`global ${n} (${type}) is offered by the engine but not listed`); continue; }
      if (type === 'function') t.eq(kind, 'Fn', `${n} is a function`);
      else if (kind === 'Fn') t.fail(`${n} is listed as a function but is a ${type}`);
      if (kind === 'Cons') t.eq(type, 'number', `constant ${n} is a number`);
    }
    for (const [n, type] of Object.entries(found.instance)) {
      const kind = listed.get(n);
      if (!kind) t.fail(`instance ${n} is offered by the engine but not listed`);
      else t.eq(kind, kindOf(type) ?? 'Var', `kind of instance ${n}`);
    }
    for (const n of found.background) t.eq(listed.get(n), 'Var', `background ${n} is listed as a variable`);
    for (const [word, kind] of listed) {
      const known = word in found.globals || word in found.instance || found.background.includes(word) ||
        (word === 'pondarogame' && found.element);
      t.ok(known, `listed ${kind} ${word} exists in the engine`);
    }
    t.eq(g.pageErrors, [], 'no page errors');
    await g.close();
  });

  await test('every picture is loaded before the first scene starts, behind a progress bar', async (t) => {
    // The same game in a page that holds back each picture for a while, as a slow disk would.
    writeFileSync(join(runDir, 'Projects', 'sandbox', 'slow.html'), [
      "<!DOCTYPE html><html><body style='margin:0'><div id='pondarogame'></div><script>",
      'window.pictures = [];',
      "const src = Object.getOwnPropertyDescriptor(HTMLImageElement.prototype, 'src');",
      "Object.defineProperty(HTMLImageElement.prototype, 'src', { configurable: true, get() { return src.get.call(this); },",
      '  set(v) { const img = this; pictures.push(img); setTimeout(() => src.set.call(img, v), 150 * pictures.length); } });',
      "</script><script src='game.js'></script></body></html>",
    ].join('\n'));
    const page = await browser.newPage({ viewport: { width: 640, height: 480 } });
    await page.goto(pathToFileURL(join(runDir, 'Projects', 'sandbox', 'slow.html')).href + '?test=paused');
    const seen = await page.evaluate(async () => {
      const frames = [];
      const loaded = () => pictures.filter((i) => i.complete && i.naturalWidth > 0).length;
      while (!(window.__pondaro_test && window.__pondaro_test.ready)) {
        await new Promise((r) => requestAnimationFrame(r));
        const c = document.querySelector('#pondarogame canvas');
        if (!c) continue;
        // Nothing but the bar is drawn yet, so the canvas can be read.
        const ctx = c.getContext('2d');
        const px = (x, y) => Array.from(ctx.getImageData(x, y, 1, 1).data.slice(0, 3)).join(',');
        const y = Math.floor(c.height / 2);
        frames.push({ loaded: loaded(), made: log.length, left: px(Math.floor(c.width * 0.2) + 4, y),
          right: px(Math.floor(c.width * 0.8) - 4, y) });
      }
      return { frames, total: pictures.length, loaded: loaded(), log: log.slice() };
    });
    t.eq(seen.total, 5, 'the game has five pictures');
    t.ok(seen.frames.some((f) => f.loaded > 0 && f.loaded < seen.total && f.left === '255,255,255' && f.right === '0,0,0'),
      'while they load, the bar is partly filled');
    t.ok(seen.frames.length > 0 && seen.frames.every((f) => f.made === 0 || f.loaded === seen.total),
      'no instance is made before the pictures are in');
    t.eq([seen.loaded, seen.log], [5, ['made 100001']], 'then the first scene starts');
    await page.close();
  });

  await test('the loop runs at the scene speed, and follows room_speed when the game changes it', async (t) => {
    const g = await play(browser, 'speed', { query: 'test', clock: true });
    const stepsIn = async (ms) => {
      const before = await g.run(() => window.__pondaro_test.steps());
      await g.page.clock.runFor(ms);
      return (await g.run(() => window.__pondaro_test.steps())) - before;
    };
    t.near(await stepsIn(2000), 80, 1, 'steps in two seconds at scene speed 40');
    await g.run(() => { room_speed = 20; });
    t.near(await stepsIn(2000), 40, 1, 'steps in two seconds after room_speed = 20');
    await g.page.clock.runFor(1000);
    t.eq(await g.run(() => fps), 20, 'fps reports the steps of the last whole second');
    await g.close();
  });

  await test('events run in order: Creation, Room start, Step, Collision, End step, Animation end, Draw by depth, Room end, Destroy', async (t) => {
    const g = await play(browser, 'events');
    const take = () => g.run(() => log.splice(0));
    t.eq(await take(), ['Creation 100001', 'Creation 100002', 'Room start 100001', 'Room start 100002'], 'scene start');
    await g.step();
    const oneStep = ['Step 100001', 'Step 100002', 'Collision 100001 with 100003', 'End step 100001', 'End step 100002',
      'Animation end 100001', 'Animation end 100002', 'Draw 100002', 'Draw 100001'];
    t.eq(await take(), oneStep, 'one step (the deeper instance is drawn first)');
    await g.run(() => { go_next = true; });
    await g.step();
    t.eq(await take(), [...oneStep, 'Room end 100001', 'Room end 100002', 'scene2 code 0', 'Creation 100005',
      'Room start 100005'], 'a step that goes to another scene: the scene code runs before its instances exist');
    t.eq((await g.state()).room, 'scene2', 'the scene changed');
    await g.run(() => { instance_find(obj_logger, 0).doomed = true; });
    await g.step();
    t.eq(await take(), ['Step 100005', 'Destroy 100005'], 'a destroyed instance runs Destroy and no later event');
    t.eq(await g.run(() => instance_number(obj_logger)), 0, 'and is gone');
    await g.run(() => room_goto(scene3));
    await g.step();
    await take();
    const frames = [];
    for (let i = 0; i < 6; i++) { await g.step(); frames.push(await g.run(() => instance_find(obj_anim, 0).image_index)); }
    t.eq(await take(), ['Animation end at 2', 'Animation end at 2'], 'a three-frame animation ends every third step, on its last frame');
    t.eq(frames, [1, 2, 0, 1, 2, 0], 'and starts over');
    t.eq(g.pageErrors, [], 'no page errors');
    t.eq((await g.state()).errors, [], 'no game errors');
    await g.close();
  });

  await test("a parent's handlers run for children without their own; event_inherited; descendants match", async (t) => {
    const g = await play(browser, 'inherit');
    const take = () => g.run(() => log.splice(0));
    t.eq(await take(), ['parent creation obj_child', 'parent creation obj_child2', 'parent creation obj_grandchild'], 'Creation');
    await g.step();
    t.eq(await take(), ['parent step obj_child', 'child2 before', 'parent step obj_child2', 'child2 after',
      'parent step obj_grandchild', 'parent hits wall obj_child', 'parent hits wall obj_grandchild',
      'parent draw obj_child', 'parent draw obj_child2', 'parent draw obj_grandchild'], 'Step, Collision and Draw');
    const r = await g.run(() => {
      const id = (i) => (i ? i.id : null);
      const wall = instance_find(obj_wall, 0), wall2 = instance_find(obj_wall, 1);
      const out = {
        number: [instance_number(obj_parent), instance_number(obj_child), instance_number(obj_wall), instance_number(obj_other)],
        exists: instance_exists(obj_child2),
        third: id(instance_find(obj_parent, 2)),
        fourth: id(instance_find(obj_parent, 3)),
        nearest: id(instance_nearest(290, 290, obj_parent)),
        meeting: id(wall.place_meeting(wall.x, wall.y, obj_parent)),
        grandchildAsChild: id(wall2.place_meeting(wall2.x, wall2.y, obj_child)),
        point: id(collision_point(105, 105, obj_parent)),
        pointOther: id(collision_point(105, 105, obj_other)),
      };
      instance_destroy(obj_child);
      out.afterDestroy = instance_number(obj_parent);
      return out;
    });
    t.eq(r.number, [3, 2, 2, 1], 'instance_number counts descendants');
    t.eq(r.exists, true, 'instance_exists');
    t.eq([r.third, r.fourth], [100003, null], 'instance_find counts descendants in creation order');
    t.eq(r.nearest, 100003, 'instance_nearest');
    t.eq(r.meeting, 100001, 'place_meeting with the parent finds the child');
    t.eq(r.grandchildAsChild, 100003, 'place_meeting with the child finds the grandchild');
    t.eq([r.point, r.pointOther], [100001, null], 'collision_point matches descendants only');
    t.eq(r.afterDestroy, 1, 'instance_destroy(obj) destroys the instances of the object and its descendants');
    t.eq((await g.state()).errors, [], 'no game errors');
    await g.close();
  });

  await test('place_meeting and the collision functions with box, circle and shape masks', async (t) => {
    const g = await play(browser, 'shapes');
    const queries = () => g.run(() => {
      const id = (i) => (i ? i.id : null);
      const box = instance_find(obj_box, 0), b1 = instance_find(obj_ball, 0), b2 = instance_find(obj_ball, 1);
      const probe = instance_find(obj_probe, 0), small = instance_find(obj_small, 0);
      const put = (o, x, y) => { o.x = x; o.y = y; };
      const r = {};
      // The box is [990, 1010) both ways (origin 10, 10); edges that only touch do not meet.
      r.boxTouch = id(probe.place_meeting(1020, 1000, obj_box));
      r.boxOverlap = id(probe.place_meeting(1019, 1000, obj_box));
      // A ball at (x, y) has its circle of radius 10 around (x + 10, y + 10), the frame's centre.
      put(b1, 1007, 990);  r.circleSide = [id(b1.place_meeting(b1.x, b1.y, obj_box)), id(box.place_meeting(box.x, box.y, obj_ball))];
      put(b1, 1011, 990);  r.circleSideMiss = [id(b1.place_meeting(b1.x, b1.y, obj_box)), id(box.place_meeting(box.x, box.y, obj_ball))];
      put(b1, 1007, 1007); r.circleCorner = id(b1.place_meeting(b1.x, b1.y, obj_box));
      put(b1, 1008, 1008); r.circleCornerMiss = id(b1.place_meeting(b1.x, b1.y, obj_box));
      put(b1, 1200, 1000);
      put(b2, 1219, 1000); r.circles = id(b1.place_meeting(b1.x, b1.y, obj_ball));
      put(b2, 1221, 1000); r.circlesMiss = id(b1.place_meeting(b1.x, b1.y, obj_ball));
      // Shape collides as its box, [1000, 1020).
      r.shape = [id(probe.place_meeting(1029, 1210, obj_shape)), id(probe.place_meeting(1030, 1210, obj_shape))];
      // A box set inside the frame: [1205, 1215).
      r.point = [collision_point(1205, 1205, obj_small), collision_point(1204, 1210, obj_small),
        collision_point(1214.5, 1210, obj_small), collision_point(1215, 1210, obj_small)].map(id);
      r.rect = [collision_rectangle(1190, 1190, 1204, 1204, obj_small), collision_rectangle(1204, 1204, 1190, 1190, obj_small),
        collision_rectangle(1190, 1190, 1205, 1205, obj_small)].map(id);
      // A box never set collides as the whole frame.
      r.unset = [collision_point(1411, 1205, obj_unset), collision_point(1412, 1205, obj_unset)].map(id);
      // An object without "collision check" is never found.
      r.ghost = [id(probe.place_meeting(1000, 1400, obj_ghost)), id(collision_point(1000, 1400, obj_ghost))];
      // Scaling scales the mask around the origin.
      small.image_xscale = 2; r.scaled = id(collision_point(1225, 1210, obj_small)); small.image_xscale = 1;
      // place_free looks for solid instances only.
      box.solid = true; r.free = [probe.place_free(1000, 1000), probe.place_free(1300, 1300)];
      box.solid = false; r.freeAgain = probe.place_free(1000, 1000);
      // Moving an instance far away refiles it.
      put(box, 1600, 1630); r.moved = [id(probe.place_meeting(1600, 1615, obj_box)), id(collision_point(1000, 1000, obj_box))];
      put(box, 1000, 1000);
      return r;
    });
    const grid = await queries();
    t.eq([grid.boxTouch, grid.boxOverlap], [null, 100001], 'box against box');
    t.eq(grid.circleSide, [100001, 100002], 'circle against the side of a box, both ways');
    t.eq(grid.circleSideMiss, [null, null], 'circle just off the side of a box, both ways');
    t.eq([grid.circleCorner, grid.circleCornerMiss], [100001, null], 'circle near the corner of a box (bounding boxes overlap in both)');
    t.eq([grid.circles, grid.circlesMiss], [100003, null], 'circle against circle');
    t.eq(grid.shape, [100004, null], 'a Shape sprite collides as its box');
    t.eq(grid.point, [100005, null, 100005, null], 'collision_point against a box inside the frame');
    t.eq(grid.rect, [null, null, 100005], 'collision_rectangle includes its edges');
    t.eq(grid.unset, [100006, null], 'a box never set is the whole frame');
    t.eq(grid.ghost, [null, null], 'an object without collision check is never found');
    t.eq(grid.scaled, 100005, 'image_xscale scales the mask');
    t.eq([...grid.free, grid.freeAgain], [false, true, true], 'place_free sees solid instances only');
    t.eq(grid.moved, [100001, null], 'a moved instance is found at its new place only');
    await g.run(() => window.__pondaro_test.setBroadphase('naive'));
    t.eq(await queries(), grid, 'checking every instance gives the same answers as the grid');
    await g.run(() => window.__pondaro_test.setBroadphase('grid'));
    await g.run(() => { const b = instance_find(obj_ball, 0); b.x = 1007; b.y = 990; log.length = 0; });
    await g.step();
    t.eq(await g.run(() => log.splice(0)), ['ball 100002 hits box 100001'], 'the Collision event of a circle');
    await g.run(() => { const b = instance_find(obj_ball, 0); b.x = 1008; b.y = 1008; });
    await g.step();
    t.eq(await g.run(() => log.splice(0)), [], 'no Collision event when only the bounding boxes overlap');
    t.eq((await g.state()).errors, [], 'no game errors');
    await g.close();
  });

  await test('motion, instance and maths functions', async (t) => {
    const g = await play(browser, 'sandbox');
    const r1 = await g.run(() => {
      const o = instance_find(obj_thing, 0);
      o.hspeed = 3; o.vspeed = -4;
      return { speed: o.speed, direction: Math.round(o.direction * 100) / 100 };
    });
    t.eq(r1, { speed: 5, direction: 53.13 }, 'hspeed and vspeed set speed and direction');
    await g.step();
    const at = () => g.run(() => { const o = instance_find(obj_thing, 0); return [o.x, o.y, o.xprevious, o.yprevious]; });
    t.eq(await at(), [103, 96, 100, 100], 'one step moves by hspeed and vspeed and remembers the previous place');
    t.eq(await g.run(() => { const o = instance_find(obj_thing, 0); o.speed = 0; o.speed = 5; return [o.hspeed, o.vspeed]; }),
      [3, -4], 'direction survives a stop');
    await g.run(() => { const o = instance_find(obj_thing, 0); o.x = 100; o.y = 100; o.motion_set(180, 2); o.friction = 0.5; });
    await g.step(5);
    t.eq(await g.run(() => { const o = instance_find(obj_thing, 0); return [o.x, o.speed]; }), [97, 0], 'friction slows to a stop');
    await g.run(() => { const o = instance_find(obj_thing, 0); o.friction = 0; o.gravity = 1; });
    await g.step(3);
    t.eq(await g.run(() => { const o = instance_find(obj_thing, 0); return [o.y, o.vspeed, o.hspeed]; }), [106, 3, 0], 'gravity pulls down');
    t.eq(await g.run(() => {
      const o = instance_find(obj_thing, 0);
      o.gravity = 0;
      o.move_towards_point(o.x + 30, o.y + 40, 5);
      const toward = [o.hspeed, o.vspeed];
      o.speed = 0;
      o.x = -20; o.move_wrap(true, false, 10);
      const wrapped = o.x;
      o.x = 700; o.move_wrap(true, false, 10);
      return [toward, wrapped, o.x];
    }), [[3, 4], 640, 40], 'move_towards_point and move_wrap');
    t.eq(await g.run(() => [point_direction(0, 0, 0, -10), point_direction(0, 0, -1, 0), point_direction(0, 0, 0, 10),
      lengthdir_x(10, 90), lengthdir_y(10, 90), point_distance(0, 0, 3, 4), make_color_rgb(255, 128, 0), c_orange,
      clamp(5, 0, 3), sign(-2), ord('a')]), [90, 180, 270, 0, -10, 5, 33023, 4235519, 3, -1, 65], 'maths');
    const rnd = await g.run(() => {
      const seen = new Set();
      let ok = true;
      for (let i = 0; i < 300; i++) {
        const v = irandom_range(3, 5); seen.add(v);
        const w = random_range(2, 4), z = irandom(2), c = choose('a', 'b');
        ok = ok && Number.isInteger(v) && w >= 2 && w < 4 && z >= 0 && z <= 2 && (c === 'a' || c === 'b');
      }
      return { ok, seen: [...seen].sort() };
    });
    t.eq(rnd, { ok: true, seen: [3, 4, 5] }, 'random functions stay in range and reach both ends');
    const made = await g.run(() => {
      log.length = 0;
      const n = instance_create(50, 60, obj_thing);
      const bad = instance_create(0, 0, undefined);
      const s = instance_find(obj_spriteless, 0);
      const a = instance_find(obj_thing, 0);
      a.sprite_index = spr_anim;
      return { log: log.slice(), id: n.id, at: [n.x, n.y, n.xstart], bad, placed: [s.direction, s.image_angle],
        frames: a.image_number, width: sprite_get_width(spr_sq), name: object_get_name(n) };
    });
    t.eq(made, { log: ['made 100003'], id: 100003, at: [50, 60, 50], bad: null, placed: [90, 45], frames: 3, width: 16,
      name: 'obj_thing' }, 'instance_create runs Creation and returns the instance; scenes set direction and angle');
    await g.run(() => room_goto_next());
    await g.step();
    t.eq((await g.state()).room, 'second', 'room_goto_next');
    await g.run(() => { score = 50; lives = 1; room_goto_previous(); });
    await g.step();
    t.eq((await g.state()).room, 'playground', 'room_goto_previous');
    await g.run(() => game_restart());
    await g.step();
    t.eq(await g.run(() => [score, lives, health, window.__pondaro_test.state().room]), [0, 3, 100, 'playground'], 'game_restart');
    t.eq((await g.state()).errors, [], 'no game errors');
    await g.close();
  });

  await test('the view follows its object within the borders and stays inside the scene', async (t) => {
    const g = await play(browser, 'view', { viewport: { width: 1000, height: 500 } });
    const view = async () => { const s = await g.state(); return [s.view.x, s.view.y, s.instances[0].x]; };
    t.eq(await view(), [0, 280, 50], 'at the start: the runner is kept 80 pixels above the bottom edge');
    await g.step(30);
    t.eq(await view(), [50, 280, 350], 'the runner keeps 100 pixels to the right edge');
    await g.step(100);
    t.eq(await view(), [1050, 280, 1350], 'and the view goes on following');
    await g.step(100);
    t.eq(await view(), [1600, 280, 2350], 'the view stops at the end of the scene');
    await g.close();
  });

  await test('the canvas fills the window below the "Made with" link, keeping its proportions; the link stays readable and clickable', async (t) => {
    const boxes = (page) => page.evaluate(async () => {
      // The window's new size reaches the page before its next frame is drawn.
      for (let i = 0; i < 2; i++) await new Promise((r) => requestAnimationFrame(r));
      const box = (e) => { const r = e.getBoundingClientRect(); return { left: r.left, top: r.top, right: r.right, bottom: r.bottom }; };
      const c = document.querySelector('#pondarogame canvas'), link = document.querySelector('a');
      const l = link && box(link);
      return { canvas: box(c), size: [c.width, c.height], link: l,
        onTop: !!l && document.elementFromPoint((l.left + l.right) / 2, (l.top + l.bottom) / 2) === link };
    });
    const meet = (a, b) => a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
    const shown = (b) => `[${[b.left, b.top, b.right, b.bottom].map((v) => Math.round(v)).join(', ')}]`;
    const g = await play(browser, 'view', { viewport: { width: 1000, height: 500 } });
    for (const [w, h] of [[1000, 500], [500, 1000], [400, 300]]) {
      await g.page.setViewportSize({ width: w, height: h });
      const { canvas: c, size, link, onTop } = await boxes(g.page);
      const at = `${w} x ${h}`;
      t.eq(size, [400, 300], `${at}: the canvas has the view's size`);
      t.ok(!meet(link, c), `${at}: the canvas ${shown(c)} leaves the link ${shown(link)} uncovered`);
      t.ok(onTop, `${at}: a click on the link reaches the link`);
      t.ok(link.left >= 0 && link.top >= 0 && link.right <= w && link.bottom <= h, `${at}: the link ${shown(link)} is inside the window`);
      t.ok(c.left >= 0 && c.top >= 0 && c.right <= w && c.bottom <= h, `${at}: the canvas ${shown(c)} is inside the window`);
      const cw = c.right - c.left, ch = c.bottom - c.top;
      t.near(cw, (ch * 4) / 3, 1, `${at}: the canvas keeps its proportions`);
      t.ok(cw >= w - 1 || ch >= h - Math.ceil(link.bottom) - 1, `${at}: the canvas ${shown(c)} is as large as the window lets it be`);
      t.near(c.left, w - c.right, 1, `${at}: the canvas is centred across`);
    }
    await g.close();

    // A page of the user's own whose content fills much of the window keeps the layout
    // games have always had there: the canvas fills the window over it.
    writeFileSync(join(runDir, 'Projects', 'view', 'own.html'), "<!DOCTYPE html><html><body style='margin:0'>" +
      "<h1 style='height:60vh;margin:0'>My game</h1><div id='pondarogame'></div><script src='game.js'></script></body></html>");
    const own = await browser.newPage({ viewport: { width: 1000, height: 500 } });
    await own.goto(pathToFileURL(join(runDir, 'Projects', 'view', 'own.html')).href + '?test=paused');
    await own.waitForFunction(() => window.__pondaro_test && window.__pondaro_test.ready, null, { timeout: 15000 });
    const { canvas } = await boxes(own);
    t.eq([canvas.left, canvas.top, canvas.right, canvas.bottom], [167, 0, 833, 500], "the user's own page: the canvas fills the window height");
    await own.close();
  });

  await test('keyboard and mouse move the player', async (t) => {
    const g = await play(browser, 'keys', { viewport: { width: 640, height: 480 } });
    const player = () => g.run(() => { const o = instance_find(obj_player, 0); return [o.x, o.y]; });
    await g.page.keyboard.down('ArrowRight');
    await g.step(5);
    t.eq(await player(), [120, 100], 'holding Right moves right every step');
    await g.page.keyboard.up('ArrowRight');
    await g.step(2);
    t.eq(await player(), [120, 100], 'letting go stops');
    await g.page.keyboard.down('w');
    await g.step(2);
    await g.page.keyboard.up('w');
    t.eq(await player(), [120, 92], 'letter keys through ord()');
    await g.page.keyboard.down(' ');
    await g.step(3);
    t.eq(await g.run(() => [presses, releases]), [1, 0], 'keyboard_check_pressed is true in one step only');
    await g.page.keyboard.up(' ');
    await g.step(2);
    t.eq(await g.run(() => [presses, releases]), [1, 1], 'keyboard_check_released likewise');
    await g.page.mouse.move(...(await g.onPage(123, 45)));
    await g.page.mouse.down();
    await g.step(2);
    await g.page.mouse.up();
    t.eq(await g.run(() => [mouse_x, mouse_y, clicks].map((v) => Math.round(v * 1000) / 1000)), [123, 45, 1],
      'mouse position in the scene and a click');
    await g.close();

    const live = await play(browser, 'bricks', { query: 'test', clock: true, viewport: { width: 640, height: 480 } });
    const paddle = () => live.run(() => [instance_find(obj_paddle, 0).x, window.__pondaro_test.steps()]);
    const [start, before] = await paddle();
    await live.page.keyboard.down('ArrowLeft');
    await live.page.clock.runFor(500);
    await live.page.keyboard.up('ArrowLeft');
    const [end, after] = await paddle();
    t.near(after - before, 30, 1, 'half a second of the scene at speed 60');
    t.eq(start - end, 8 * (after - before), 'in a running game the paddle moves left 8 pixels a step while the key is held');
    await live.close();
  });

  await test('the background, tiles by layer depth, sprites and shapes show on screen (pixels read back)', async (t) => {
    pixelBrowser ??= await launch(['--allow-file-access-from-files']);
    const g = await play(pixelBrowser, 'pixels', { viewport: { width: 200, height: 150 } });
    await g.step();
    const read = (points) => g.run((pts) => {
      const ctx = document.querySelector('#pondarogame canvas').getContext('2d');
      return pts.map(([x, y]) => Array.from(ctx.getImageData(x, y, 1, 1).data.slice(0, 3)).join(','));
    }, points);
    const RED = '255,0,0', YELLOW = '255,255,0', BLUE = '0,0,255', GREEN = '0,255,0', MAGENTA = '255,0,255', WHITE = '255,255,255';
    t.eq(await read([[55, 2], [55, 7], [195, 2], [55, 30]]), [RED, YELLOW, RED, BLUE],
      'background picture tiled across, the scene colour below it');
    t.eq(await read([[44, 44], [50, 50], [110, 50], [120, 50]]), [GREEN, WHITE, MAGENTA, WHITE],
      'a deeper tile layer behind the sprite, a shallower one in front of it');
    t.eq(await read([[155, 105]]), [YELLOW], 'draw_rectangle in a Draw event');
    await g.run(() => { view_x = 30; });
    await g.step();
    t.eq(await read([[14, 44], [20, 50], [25, 2]]), [GREEN, WHITE, RED], 'everything moves with the view');
    await g.run(() => { view_x = 500; });
    await g.step();
    t.eq(await g.run(() => view_x), 200, 'the view stays inside the scene');
    await g.run(() => room_goto(stretched));
    await g.step(2);
    t.eq(await read([[10, 30], [190, 70], [10, 80], [190, 145]]), [RED, RED, YELLOW, YELLOW],
      'a stretched background covers the scene');
    t.eq(g.pageErrors, [], 'no page errors');
    await g.close();
  });

  await test('each drawing function paints what it is given (pixels read back)', async (t) => {
    pixelBrowser ??= await launch(['--allow-file-access-from-files']);
    const g = await play(pixelBrowser, 'drawing', { viewport: { width: 200, height: 150 } });
    const RED = [255, 0, 0], GREEN = [0, 255, 0], BLUE = [0, 0, 255], WHITE = [255, 255, 255], BLACK = [0, 0, 0];
    const HALF_RED = [128, 0, 0], HALF_BLUE = [0, 0, 128], GREY = [128, 128, 128];
    // Each case paints one step's Draw event on the black board, then names pixels and
    // their colours (a channel may be off by 2 where a colour is blended), and boxes
    // [left, top, right, bottom] in which some pixel or no pixel is lit. Each case
    // leaves the colour, alpha and alignment as it found them.
    const cases = [
      ['draw_text', 'draw_set_color(c_white); draw_text(20, 20, "HELLO");',
        { lit: [[20, 20, 70, 45]], dark: [[0, 0, 19, 149], [0, 0, 199, 19]] }],
      ['draw_set_halign(fa_right) ends the text at x',
        'draw_set_color(c_white); draw_set_halign(fa_right); draw_text(100, 20, "HELLO"); draw_set_halign(fa_left);',
        { lit: [[50, 20, 99, 45]], dark: [[101, 0, 199, 149]] }],
      ['draw_set_halign(fa_center) centres the text on x',
        'draw_set_color(c_white); draw_set_halign(fa_center); draw_text(100, 20, "HELLO"); draw_set_halign(fa_left);',
        { lit: [[60, 20, 99, 45], [101, 20, 140, 45]], dark: [[0, 0, 50, 149], [150, 0, 199, 149]] }],
      ['draw_circle filled', 'draw_set_color(c_red); draw_circle(50, 50, 10, false); draw_set_color(c_black);',
        { px: [[50, 50, RED], [57, 50, RED], [50, 43, RED], [63, 50, BLACK], [57, 57, BLACK]] }],
      ['draw_circle outline', 'draw_set_color(c_red); draw_circle(50, 50, 10, true); draw_set_color(c_black);',
        { px: [[50, 50, BLACK], [45, 50, BLACK]], lit: [[59, 48, 61, 52], [39, 48, 41, 52], [48, 39, 52, 41]] }],
      ['draw_line', 'draw_set_color(c_lime); draw_line(10, 100, 90, 100); draw_line(120, 60, 120, 140); draw_set_color(c_black);',
        { px: [[11, 100, GREEN], [50, 100, GREEN], [89, 100, GREEN], [50, 101, BLACK], [50, 99, BLACK], [95, 100, BLACK],
          [120, 100, GREEN], [121, 100, BLACK]] }],
      ['draw_sprite_ext scaled twice', 'draw_sprite_ext(spr_bar, 0, 20, 60, 2, 2, 0, 1);',
        { px: [[21, 61, RED], [26, 66, RED], [29, 61, GREEN], [34, 66, GREEN], [36, 61, BLACK], [21, 68, BLACK]] }],
      ['draw_sprite_ext turned a quarter anticlockwise', 'draw_sprite_ext(spr_bar, 0, 120, 60, 1, 1, 90, 1);',
        { px: [[121, 58, RED], [123, 57, RED], [121, 54, GREEN], [123, 53, GREEN], [121, 61, BLACK], [125, 58, BLACK]] }],
      ['draw_sprite_ext with alpha', 'draw_sprite_ext(spr_bar, 0, 160, 100, 1, 1, 0, 0.5);',
        { px: [[161, 101, HALF_RED], [163, 102, HALF_RED], [169, 101, BLACK]] }],
      ['draw_background', 'draw_background(bg_blue, 150, 20);',
        { px: [[150, 20, BLUE], [159, 29, BLUE], [149, 25, BLACK], [160, 25, BLACK], [155, 30, BLACK]] }],
      ['draw_set_alpha blends shapes and backgrounds',
        'draw_set_alpha(0.5); draw_set_color(c_white); draw_rectangle(10, 130, 30, 140, false); draw_background(bg_blue, 150, 130);' +
        ' draw_set_alpha(1); draw_set_color(c_black);',
        { px: [[20, 135, GREY], [155, 135, HALF_BLUE]] }],
    ];
    for (const [name, code, expect] of cases) {
      await g.run((body) => { paint = new Function(body); }, code);
      await g.step();
      const seen = await g.run(({ px = [], lit = [], dark = [] }) => {
        const c = document.querySelector('#pondarogame canvas'), ctx = c.getContext('2d');
        const litIn = ([l, t, r, b]) => {
          const d = ctx.getImageData(l, t, r - l + 1, b - t + 1).data;
          let n = 0;
          for (let i = 0; i < d.length; i += 4) if (d[i] + d[i + 1] + d[i + 2] > 60) n++;
          return n;
        };
        return { px: px.map(([x, y]) => Array.from(ctx.getImageData(x, y, 1, 1).data.slice(0, 3))),
          lit: lit.map(litIn), dark: dark.map(litIn) };
      }, expect);
      (expect.px ?? []).forEach(([x, y, want], i) => {
        const got = seen.px[i];
        t.ok(got.every((v, k) => Math.abs(v - want[k]) <= 2), `${name}: pixel (${x}, ${y}) is ${got}, expected ${want}`);
      });
      (expect.lit ?? []).forEach((box, i) => t.ok(seen.lit[i] > 0, `${name}: something is painted in [${box}]`));
      (expect.dark ?? []).forEach((box, i) => t.eq(seen.dark[i], 0, `${name}: pixels painted in [${box}]`));
    }
    t.eq((await g.state()).errors, [], 'no game errors');
    t.eq(g.pageErrors, [], 'no page errors');
    await g.close();
  });

  await test('sound_loop repeats its sound; sound_stop and music_stop stop what they name', async (t) => {
    const g = await play(browser, 'drawing');
    // Every sound element the game starts is kept, so the test can see whether it still plays.
    await g.run(() => {
      window.started = [];
      const play = HTMLMediaElement.prototype.play;
      HTMLMediaElement.prototype.play = function () { started.push(this); return play.call(this); };
    });
    const playing = (file) => g.run((f) => started.filter((e) => e.src.endsWith(f)).map((e) => !e.paused), file);
    await g.run(() => { sound_loop(snd_hum); music_play(mus_tune); });
    t.eq((await g.state()).sounds, [{ sound: 'snd_hum', paused: false, loop: true }], 'sound_loop plays its sound over and over');
    t.eq(await playing('snd_hum.wav'), [true], 'the looped sound plays');
    await g.run(() => sound_stop(snd_hum));
    t.eq(await playing('snd_hum.wav'), [false], 'sound_stop stops it');
    t.eq((await g.state()).sounds, [], 'and it is no longer listed');
    t.eq([(await g.state()).music?.sound, await playing('mus_tune.wav')], ['mus_tune', [true]], 'the music plays on');
    await g.run(() => music_stop());
    t.eq([(await g.state()).music, await playing('mus_tune.wav')], [null, [false]], 'music_stop stops the music');
    await g.close();
  });

  await test('faults in a game are reported and the game goes on', async (t) => {
    rmSync(join(runDir, 'Projects', 'broken', 'img', 'spr_gone_1.png'));
    const g = await play(browser, 'broken');
    await g.step(3);
    let s = await g.state();
    t.ok(s.errors.some((e) => e.includes('code of scene start')), 'a failing scene code is reported');
    t.eq(s.errors.filter((e) => e.includes('Step event of object obj_bad') && e.includes('undefined_function_xyz')).length, 1,
      'a failing Step event is reported once');
    t.ok(s.warnings.some((w) => w.includes('spr_gone_1.png')), 'a missing picture is reported');
    t.eq(await g.run(() => good_steps), 3, 'the other instances go on');
    t.eq(await g.run(() => irandom(5)), -7, "a global function of the game keeps its name, even an engine function's");
    const junk = await g.run(() => {
      const threw = [];
      const tryIt = (name, f) => { try { f(); } catch (e) { threw.push(`${name}: ${e.message}`); } };
      const o = instance_find(obj_good, 0);
      tryIt('create', () => instance_create(0, 0, 5));
      tryIt('meeting', () => o.place_meeting(NaN, 'x', obj_bad));
      tryIt('nan', () => { o.x = NaN; o.place_meeting(0, 0, obj_bad); collision_point(NaN, 1, obj_good); });
      tryIt('huge', () => { o.x = 1e12; o.image_xscale = 1e9; collision_rectangle(-1e12, -1e12, 1e12, 1e12, obj_good); });
      tryIt('rect', () => collision_rectangle(undefined, null, {}, [], obj_good));
      tryIt('room', () => { room_goto('nowhere'); room_goto(undefined); });
      tryIt('keys', () => [keyboard_check('a'), keyboard_check(9999), mouse_check_button(-7)]);
      tryIt('draw', () => { draw_text(); draw_sprite(null, 0, 0, 0); draw_sprite_ext(spr_sq, NaN); draw_background({}, 1, 2);
        draw_set_font('big'); draw_set_color('red'); draw_rectangle(); draw_circle(); draw_line(); });
      tryIt('sound', () => { sound_play(null); sound_loop(12); sound_stop('x'); music_play({}); music_stop(); });
      tryIt('destroy', () => { instance_destroy(12); instance_destroy(null); });
      tryIt('find', () => [instance_find(null, 0), instance_nearest(0, 0, 'x'), instance_number({}), instance_exists()]);
      tryIt('depth', () => { o.depth = 'deep'; o.visible = 'yes'; o.image_index = NaN; o.image_speed = 'fast'; });
      return threw;
    });
    t.eq(junk, [], 'bad values given to engine functions never throw');
    await g.step(2);
    t.eq(await g.run(() => good_steps), 5, 'the game still steps after all that');
    await g.run(() => room_goto(ping));
    await g.step();
    s = await g.state();
    t.ok(['ping', 'pong'].includes(s.room), 'scenes that send the game on at once do not hang it');
    t.ok(await g.run(() => pings) <= 17, 'the chain of scene changes is cut off');
    t.eq(g.pageErrors, [], 'nothing escaped to the page');
    await g.close();

    const page = await browser.newPage();
    await page.goto(pageUrl('unstartable', 'test'));
    // A game whose script fails while it is set up tells the player.
    await page.waitForFunction(() => document.body.innerText.includes('could not start'), null, { timeout: 10000 });
    t.ok(!(await page.evaluate(() => !!window.__pondaro_test && window.__pondaro_test.ready)), 'and does not start');
    await page.close();

    const none = await play(browser, 'empty');
    t.eq((await none.state()).errors, [], 'a game without scenes starts without errors');
    await none.close();
  });

  await test('sample: bricks - the ball bounces off the paddle and walls, destroys bricks and scores', async (t) => {
    const g = await play(browser, 'bricks', { viewport: { width: 640, height: 480 } });
    await g.page.keyboard.down(' ');
    await g.step();
    await g.page.keyboard.up(' ');
    const r = await g.run(() => {
      let bounced = 0;
      for (let i = 0; i < 1200; i++) {
        const ball = instance_find(obj_ball, 0), paddle = instance_find(obj_paddle, 0);
        paddle.x = ball.x;   // a perfect player
        const before = ball.vspeed;
        window.__pondaro_test.step(1);
        if (before > 0 && ball.vspeed < 0 && ball.y > 400) bounced++;
      }
      return { score, lives, bricks: instance_number(obj_brick), bounced, launched: instance_find(obj_ball, 0).launched };
    });
    t.ok(r.launched, 'Space launches the ball');
    t.ok(r.bounced >= 2, `the ball bounced off the paddle (${r.bounced} times)`);
    t.ok(r.score >= 20, `bricks were destroyed (score ${r.score})`);
    t.eq(r.bricks, 55 - r.score / 10, 'one brick less for every 10 points');
    t.eq(r.lives, 3, 'no life lost');
    const s = await g.state();
    t.eq(s.errors, [], 'no game errors');
    t.eq(g.pageErrors, [], 'no page errors');
    await g.close();
  });

  await test('sample: platformer - gravity, walking, jumping, view, coins and the second scene', async (t) => {
    const g = await play(browser, 'platformer', { viewport: { width: 640, height: 480 } });
    const me = () => g.run(() => {
      const o = instance_find(obj_player, 0);
      return { x: o.x, y: o.y, vs: o.vspeed, view: view_x, room: window.__pondaro_test.state().room };
    });
    await g.step(10);
    t.eq(await me(), { x: 112, y: 368, vs: 0, view: 0, room: 'level1' }, 'the player stands on the ground');
    await g.page.keyboard.down('ArrowRight');
    await g.step(10);
    await g.page.keyboard.up('ArrowRight');
    await g.step();
    t.eq((await me()).x, 152, 'Right walks four pixels a step');
    await g.page.keyboard.down('ArrowUp');
    await g.step();
    await g.page.keyboard.up('ArrowUp');
    let top = 368;
    for (let i = 0; i < 60; i++) { await g.step(); top = Math.min(top, (await me()).y); }
    t.ok(top < 300 && top > 250, `a jump rises about three tiles (top at ${top})`);
    t.eq((await me()).y, 368, 'and gravity brings the player back to the ground');
    await g.run(() => { const o = instance_find(obj_player, 0); o.x = 800; });
    await g.step();
    t.eq((await me()).view, 400, 'the view keeps 240 pixels ahead of the player');
    const coin = await g.run(() => {
      const c = instance_find(obj_coin, 0), o = instance_find(obj_player, 0), n = instance_number(obj_coin);
      o.x = c.x; o.y = c.y;
      window.__pondaro_test.step(1);
      return { score, before: n, after: instance_number(obj_coin), sounds: window.__pondaro_test.state().sounds.map((s) => s.sound) };
    });
    t.eq([coin.score, coin.after], [10, coin.before - 1], 'touching a coin collects it');
    t.ok(coin.sounds.includes('snd_coin'), 'with its sound');
    await g.run(() => { const f = instance_find(obj_flag, 0), o = instance_find(obj_player, 0); o.x = f.x + 8; o.y = f.y + 40; });
    await g.step(2);
    const second = await me();
    t.eq([second.room, second.x, second.view], ['level2', 112, 0], 'the flag leads to the second scene');
    await g.run(() => { const o = instance_find(obj_player, 0); o.x = 330; o.y = 400; });
    await g.step(60);
    t.eq([(await me()).x, (await me()).room], [112, 'level2'], 'falling into a gap restarts the scene');
    t.eq((await g.state()).errors, [], 'no game errors');
    await g.close();
  });

  await test('sample: shooter - mouse aim, bullets from instance_create, collisions through the parent object, sounds', async (t) => {
    const g = await play(browser, 'shooter', { viewport: { width: 640, height: 480 } });
    await g.run(() => { instance_destroy(obj_enemy); instance_find(obj_spawner, 0).timer = 100000; });
    await g.page.mouse.move(...(await g.onPage(600, 240)));
    await g.page.mouse.down();
    await g.step();
    await g.page.mouse.up();
    const shot = await g.run(() => {
      const b = instance_find(obj_bullet, 0), ship = instance_find(obj_ship, 0);
      return { bullets: instance_number(obj_bullet), dir: b && b.direction, angle: ship.image_angle,
        sounds: window.__pondaro_test.state().sounds.map((s) => s.sound) };
    });
    t.eq([shot.bullets, shot.dir, shot.angle], [1, 0, 0], 'a click fires one bullet towards the mouse');
    t.ok(shot.sounds.includes('snd_shoot'), 'with a sound');
    await g.run(() => instance_create(420, 240, obj_chaser));
    await g.step(15);
    const hit = await g.run(() => ({ score, chasers: instance_number(obj_chaser), bullets: instance_number(obj_bullet),
      sounds: window.__pondaro_test.state().sounds.map((s) => s.sound) }));
    t.eq([hit.score, hit.chasers, hit.bullets], [10, 0, 0], "the bullet's collision with obj_enemy destroys a chaser");
    t.ok(hit.sounds.includes('snd_boom'), 'with a sound');
    const w = await g.run(() => {
      const e = instance_create(100, 240, obj_wanderer);
      const d0 = e.distance_to_object(obj_ship), a0 = e.image_angle;
      window.__pondaro_test.step(10);
      return { closer: d0 - e.distance_to_object(obj_ship), turned: e.image_angle - a0, chase: e.chase };
    });
    t.eq([Math.round(w.closer), w.turned, w.chase], [7, 50, 0.7], 'a wanderer chases through event_inherited and turns on its own');
    await g.run(() => { instance_destroy(obj_enemy); instance_create(320, 240, obj_chaser); });
    await g.step();
    t.eq(await g.run(() => [health, instance_number(obj_enemy)]), [80, 0], "the ship's collision with the parent object");
    t.eq((await g.state()).music?.sound, 'mus_theme', 'the scene code started the music');
    t.eq((await g.state()).errors, [], 'no game errors');
    await g.close();
  });
}
