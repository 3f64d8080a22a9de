#!/usr/bin/env node
// Plays the game the tutorial makes in the studio: the arrow keys move the player, a
// wall stops it with its sound. Run by the tutorial's window test once the studio has
// exported the game (scripts/engine-test.sh --tutorial ...).
//
//   node tests/engine/tutorial.mjs --game FOLDER --player OBJECT --wall OBJECT --sound SOUND
//                                  [--screenshot FILE] [--chromium /usr/bin/chromium]
import { launch, playGame } from './browser.mjs';

function option(name, fallback) {
  const i = process.argv.indexOf(name);
  return i >= 0 && i + 1 < process.argv.length ? process.argv[i + 1] : fallback;
}
const game = option('--game', null), player = option('--player', null), wall = option('--wall', null);
const sound = option('--sound', null), screenshot = option('--screenshot', null);
if (!game || !player || !wall || !sound) {
  console.error('usage: tutorial.mjs --game FOLDER --player OBJECT --wall OBJECT --sound SOUND [--screenshot FILE]');
  process.exit(2);
}

const failures = [];
const expect = (condition, what) => { if (!condition) failures.push(what); };
// A canvas that drew pictures from file:// can be read back only with this flag: the
// tile layer is looked for in the pixels the game drew.
const browser = await launch(option('--chromium', '/usr/bin/chromium'), ['--allow-file-access-from-files']);
try {
  const g = await playGame(browser, game, { viewport: { width: 640, height: 480 } });
  // The player, whether it touches a wall where it stands, and the sounds playing.
  const look = () => g.run(([p, w]) => {
    const o = instance_find(window[p], 0);
    return o && { x: o.x, y: o.y, touching: place_meeting(o.x, o.y, window[w]) };
  }, [player, wall]);
  const sounds = async () => (await g.state()).sounds.map((s) => s.sound);

  const start = await look();
  expect(start, `the scene holds an instance of ${player}`);
  expect(!start?.touching, `${player} starts clear of the walls`);
  expect(await g.run((w) => instance_number(window[w]) > 0, wall), `the scene holds instances of ${wall}`);
  await g.step(2);
  expect(JSON.stringify(await look()) === JSON.stringify(start), 'without a key the player stands still');

  // The tile layer is drawn: the player stands on the path of earth, between rows of grass.
  const ground = await g.run(([x, y]) => {
    const c = document.querySelector('#pondarogame canvas');
    const at = (sy) => Array.from(c.getContext('2d').getImageData(
      Math.floor(((x - view_x) * c.width) / view_width), Math.floor(((sy - view_y) * c.height) / view_height), 1, 1).data);
    return { path: at(y), above: at(y - 32), below: at(y + 32) };
  }, [8, start.y + 16]);
  const earth = ([r, g, b, a]) => a === 255 && r > g && g > b;
  const grass = ([r, g, b, a]) => a === 255 && g > r && g > b;
  expect(earth(ground.path), `the player's row is earth at its left end: ${ground.path}`);
  expect(grass(ground.above) && grass(ground.below), `with grass above and below: ${ground.above} / ${ground.below}`);

  await g.page.keyboard.down('ArrowRight');
  await g.step(3);
  const moved = await look();
  expect(moved && moved.x > start.x && moved.y === start.y, `Right moves the player right (${start?.x} -> ${moved?.x})`);
  expect(!(await sounds()).includes(sound), 'no bump before the wall');
  if (screenshot) await g.page.screenshot({ path: screenshot });

  // Held on, the player walks into the wall, which stops it with a bump.
  let bumped = false, last = moved;
  for (let i = 0; i < 200 && !bumped; i++) {
    await g.step();
    last = await look();
    bumped = (await sounds()).includes(sound);
  }
  await g.page.keyboard.up('ArrowRight');
  expect(bumped, `walking right, the player reaches a wall and ${sound} plays`);
  expect(last && !last.touching, 'the wall keeps the player out');
  await g.step(5);
  const after = await look();
  expect(after && after.x === last.x, 'and once the key is let go it stands where the wall stopped it');

  const state = await g.state();
  expect(state.errors.length === 0, `no game errors: ${JSON.stringify(state.errors)}`);
  expect(g.pageErrors.length === 0, `no page errors: ${JSON.stringify(g.pageErrors)}`);
  console.log(`player: start ${JSON.stringify(start)}, after three steps ${JSON.stringify(moved)}, stopped ${JSON.stringify(last)}`);
  await g.close();
} catch (e) {
  failures.push(`threw ${e && e.stack ? e.stack : e}`);
} finally {
  await browser.close();
}
for (const f of failures) console.log(`FAIL ${f}`);
process.exit(failures.length ? 1 : 0);
