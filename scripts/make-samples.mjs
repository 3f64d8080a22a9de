#!/usr/bin/env node
// Writes the sample games under samples/Projects: a paddle-and-bricks game, a
// platformer and a top-down shooter, with their pictures and sounds drawn here in
// code, and each one's preview picture (Projects/NAME.png, the picture the open dialog
// shows), drawn from its first scene by pondaro-cli. The manual's examples quote these
// games; run this again after changing them (pondaro-cli must be built first):
//   node scripts/make-samples.mjs [output folder, samples/ by default] [--cli PATH]
// PATH is build/pondaro-cli by default.
import { spawnSync } from 'node:child_process';
import { existsSync, rmSync } from 'node:fs';
import { dirname, join, resolve } from 'node:path';
import { fileURLToPath } from 'node:url';
import { Picture, Project, tones, wav } from './project-writer.mjs';

const here = dirname(fileURLToPath(import.meta.url));
const args = process.argv.slice(2);
const cliAt = args.indexOf('--cli');
const cli = resolve(cliAt >= 0 ? args.splice(cliAt, 2)[1] : join(here, '..', 'build', 'pondaro-cli'));
const out = resolve(args[0] ?? join(here, '..', 'samples'));
if (!existsSync(cli)) {
  console.error(`make-samples: ${cli} is missing; build it first (make build), or name it with --cli PATH`);
  process.exit(1);
}

const WHITE = [255, 255, 255, 255];
const BLACK = [0, 0, 0, 255];

function clean(name) {
  rmSync(join(out, 'Projects', name), { recursive: true, force: true });
  for (const file of [`${name}.xml`, `${name}.png`]) rmSync(join(out, 'Projects', file), { force: true });
}

// ---- Bricks: keyboard, bouncing, destroying, score text ----------------------------

function bricks() {
  const p = new Project({
    title: 'Bricks',
    comments: 'Move the paddle with the arrow keys, launch the ball with Space and clear every brick.',
    variables: '// The speed of the ball when it is launched and after each bounce off the paddle.\nvar launch_speed = 6;',
  });

  const paddle = new Picture(80, 14);
  paddle.rect(2, 0, 76, 14, [90, 170, 255, 255]).rect(0, 2, 80, 10, [90, 170, 255, 255]);
  paddle.rect(4, 2, 72, 3, [190, 225, 255, 255]);
  p.sprite('spr_paddle', [paddle], { centerx: 40, centery: 7, keywords: 'player, paddle' });

  const ball = new Picture(12, 12).disc(6, 6, 6, WHITE);
  p.sprite('spr_ball', [ball], { centerx: 6, centery: 6, collisionshape: 'Circle', collisionradius: 6, keywords: 'ball' });

  const brickColours = [[230, 70, 70, 255], [240, 180, 60, 255], [80, 200, 110, 255]];
  const brickFrames = brickColours.map((c) => {
    const pic = new Picture(48, 20, c);
    pic.rect(0, 0, 48, 3, c.map((v, i) => (i < 3 ? Math.min(255, v + 50) : v)));
    pic.rect(0, 17, 48, 3, c.map((v, i) => (i < 3 ? Math.floor(v * 0.6) : v)));
    return pic;
  });
  p.sprite('spr_brick', brickFrames, { keywords: 'level, brick' });

  p.sound('snd_paddle', wav(tones([440], { seconds: 0.06 })), { keywords: 'ball, paddle' });
  p.sound('snd_wall', wav(tones([330], { seconds: 0.04, volume: 0.25 })), { keywords: 'ball' });
  p.sound('snd_brick', wav(tones([880, 1320], { seconds: 0.05 })), { keywords: 'level, brick' });
  p.sound('snd_lose', wav(tones([392, 330, 262, 196], { seconds: 0.12 })), { keywords: 'player' });
  p.font('fnt_hud', 'Arial', 14, 1, 0, 'hud');

  p.fn('bounce_speed', 'offset', [
    '// Where the ball meets the paddle decides where it goes: the further from the',
    '// middle, the faster it runs sideways, up to four pixels a step.',
    'return clamp(offset / 8, -4, 4);',
  ].join('\n'), 'The sideways speed of a ball that meets the paddle offset pixels from its middle.', 'ball, paddle');

  p.object('obj_paddle', {
    sprite: 'spr_paddle',
    keywords: 'player, paddle',
    events: {
      Step: [
        'if (keyboard_check(vk_left)) x -= 8;',
        'if (keyboard_check(vk_right)) x += 8;',
        'x = clamp(x, 40, room_width - 40);',
      ].join('\n'),
    },
  });

  p.object('obj_ball', {
    sprite: 'spr_ball',
    keywords: 'ball',
    events: {
      // Instance variables are made with this.name = value; after that the name alone works.
      Creation: 'this.launched = false;',
      Step: [
        'if (!launched) {',
        '  // Sit on the paddle until Space is pressed.',
        '  var p = instance_find(obj_paddle, 0);',
        '  if (p != null) { x = p.x; y = p.y - 13; }',
        '  if (keyboard_check_pressed(vk_space)) {',
        '    launched = true;',
        '    motion_set(60 + random(60), launch_speed);',
        '  }',
        '} else {',
        '  if (x < 6) { x = 6; hspeed = Math.abs(hspeed); sound_play(snd_wall); }',
        '  if (x > room_width - 6) { x = room_width - 6; hspeed = -Math.abs(hspeed); sound_play(snd_wall); }',
        '  if (y < 6) { y = 6; vspeed = Math.abs(vspeed); sound_play(snd_wall); }',
        '  if (y > room_height + 12) {',
        '    lives -= 1;',
        '    sound_play(snd_lose);',
        '    if (lives <= 0) game_restart();',
        '    else { launched = false; speed = 0; }',
        '  }',
        '}',
      ].join('\n'),
      Collision: [
        ['obj_paddle', [
          'if (vspeed > 0) {',
          '  vspeed = -Math.abs(vspeed);',
          '  hspeed = bounce_speed(x - other.x);',
          '  speed = launch_speed;',
          '  sound_play(snd_paddle);',
          '}',
        ].join('\n')],
        ['obj_brick', [
          '// Bounce off the side of the brick the ball came from.',
          'if (yprevious + 6 <= other.y || yprevious - 6 >= other.y + 20) vspeed = -vspeed;',
          'else hspeed = -hspeed;',
          'x = xprevious;',
          'y = yprevious;',
          'with (other) instance_destroy();',
          'score += 10;',
          'sound_play(snd_brick);',
        ].join('\n')],
      ],
    },
  });

  p.object('obj_brick', {
    sprite: 'spr_brick',
    keywords: 'level, brick',
    events: { Creation: 'image_speed = 0;\nimage_index = Math.floor((y - 48) / 24) % 3;' },
  });

  p.object('obj_game', {
    depth: -10,
    keywords: 'hud, rules',
    events: {
      Step: 'if (instance_number(obj_brick) == 0) room_restart();',
      Draw: [
        'draw_set_font(fnt_hud);',
        'draw_set_color(c_white);',
        'draw_set_halign(fa_left);',
        'draw_text(12, 10, "Score: " + score);',
        'draw_set_halign(fa_right);',
        'draw_text(room_width - 12, 10, "Lives: " + lives);',
        'var b = instance_find(obj_ball, 0);',
        'if (b != null && !b.launched) {',
        '  draw_set_halign(fa_center);',
        '  draw_text(room_width / 2, 300, "Arrow keys move, Space launches");',
        '}',
        'draw_set_halign(fa_left);',
      ].join('\n'),
    },
  });

  p.scene('court', { speed: 60, red: 16, green: 24, blue: 48, viewportobject: '', keywords: 'level' });
  p.instance('court', 'obj_game', 0, 0);
  p.instance('court', 'obj_paddle', 320, 440);
  p.instance('court', 'obj_ball', 320, 427);
  for (let row = 0; row < 5; row++)
    for (let col = 0; col < 11; col++) p.instance('court', 'obj_brick', 20 + col * 55, 48 + row * 24);
  return p;
}

// ---- Platformer: gravity, tiles on two layers, a view that follows, two scenes -------

// Map legend, one character a 32-pixel cell: '#' ground and '=' brick platform (a tile
// and an invisible wall each), 'c' coin, 'P' player, 'F' flag (standing on the cell
// below), 'b' bush and 'o' cloud behind the player, 'g' grass in front of the player.
const LEVELS = {
  level1: [
    '............................................................',
    '.....o..................o....................o..............',
    '..............o.....................o.....................o.',
    '............................................................',
    '...........................ccc..............................',
    '..........................=====.........ccc.................',
    '..............ccc...................c..=====................',
    '.............=====.................===......................',
    '.......c.c...........c.c.c...................c.c.c..........',
    '......=====.........=======.................=======.........',
    '............................................................',
    '.g.P...b...g...b.g.........b.g...g..g.....g.....b......F.g..',
    '##############...############....##########...##############',
    '##############...############....##########...##############',
    '##############...############....##########...##############',
  ],
  level2: [
    '..................................................',
    '...o..................o....................o......',
    '..............o...................................',
    '..........................ccc.....................',
    '.........................=====....................',
    '..................ccc.................ccc.........',
    '.................=====...............=====........',
    '..........ccc.....................................',
    '.........=====..........c.c.c.....................',
    '.......................=======....................',
    '..................................................',
    '.g.P.g...g...b..g...g.......g...g...b...g...g.F.g.',
    '#########...#########...#########...#########.####',
    '#########...#########...#########...#########.####',
    '#########...#########...#########...#########.####',
  ],
};

function platformer() {
  const p = new Project({
    title: 'Platformer',
    comments: 'Run with the arrow keys, jump with Up or Space, collect coins and reach the flag.',
  });
  const T = 32;

  // The tile set: four cells a row, two rows.
  const tiles = new Picture(4 * T, 2 * T);
  const grass = [70, 170, 60, 255], dirt = [140, 95, 55, 255], dark = [110, 70, 40, 255];
  tiles.rect(0, 0, T, T, dirt).rect(0, 0, T, 9, grass);                       // grass top
  for (let i = 0; i < T; i += 4) tiles.set(i + 1, 9, grass).set(i + 2, 10, grass);
  tiles.rect(T, 0, T, T, dirt);                                                // dirt
  for (let i = 0; i < 12; i++) tiles.set(T + ((i * 11) % T), (i * 7) % T, dark);
  tiles.rect(2 * T, 0, T, T, [170, 80, 50, 255]);                              // brick
  for (let y = 0; y < T; y += 8) {
    tiles.rect(2 * T, y, T, 1, [90, 40, 30, 255]);
    const off = (y / 8) % 2 ? 8 : 0;
    for (let x = off; x < T; x += 16) tiles.rect(2 * T + x, y, 1, 8, [90, 40, 30, 255]);
  }
  tiles.disc(3 * T + 16, 20, 5, [250, 220, 60, 255]).rect(3 * T + 15, 24, 2, 8, [60, 140, 50, 255]); // flower
  tiles.disc(10, T + 22, 10, [40, 130, 50, 255]).disc(22, T + 20, 11, [50, 150, 60, 255]);         // bush
  for (let x = 2; x < T; x += 5) tiles.line(T + x, 2 * T - 1, T + x + 2, 2 * T - 9, [60, 190, 60, 255]); // grass tuft
  tiles.disc(2 * T + 10, T + 18, 8, WHITE).disc(2 * T + 20, T + 15, 10, WHITE);                   // cloud
  p.background('bg_tiles', tiles, { tile: 1, tilewidth: T, tileheight: T, keywords: 'level, tiles' });

  const sky = new Picture(32, 480).gradient(0, 0, 32, 480, [110, 170, 240, 255], [200, 230, 255, 255]);
  p.background('bg_sky', sky, { keywords: 'level' });

  const wall = new Picture(T, T, [120, 120, 120, 255]);
  p.sprite('spr_wall', [wall], { keywords: 'level' });

  const body = (legShift) => {
    const pic = new Picture(24, 32);
    pic.rect(6, 2, 12, 10, [250, 210, 170, 255]).rect(8, 5, 2, 2, BLACK).rect(14, 5, 2, 2, BLACK);
    pic.rect(4, 12, 16, 12, [220, 60, 60, 255]);
    pic.rect(6 + legShift, 24, 4, 8, [50, 60, 160, 255]).rect(14 - legShift, 24, 4, 8, [50, 60, 160, 255]);
    return pic;
  };
  p.sprite('spr_player', [body(0), body(2)], { centerx: 12, centery: 16, collisionleft: 5, collisionright: 19, keywords: 'player' });

  const coin = (w) => new Picture(16, 16).disc(8, 8, 7, [250, 200, 40, 255]).rect(8 - w, 4, 2 * w, 8, [255, 240, 150, 255]);
  p.sprite('spr_coin', [coin(2), coin(1)], { centerx: 8, centery: 8, collisionshape: 'Circle', collisionradius: 7, keywords: 'pickup' });

  const flag = new Picture(24, 64);
  flag.rect(2, 0, 3, 64, [90, 90, 90, 255]).rect(5, 2, 18, 12, [240, 60, 200, 255]);
  p.sprite('spr_flag', [flag], { keywords: 'level, goal' });

  p.sound('snd_jump', wav(tones([300], { seconds: 0.12, slide: 1.5 })), { keywords: 'player' });
  p.sound('snd_coin', wav(tones([988, 1319], { seconds: 0.06 })), { keywords: 'pickup' });
  p.sound('snd_win', wav(tones([523, 659, 784, 1047], { seconds: 0.1 })), { keywords: 'goal' });
  p.sound('snd_fall', wav(tones([400], { seconds: 0.3, slide: -0.6 })), { keywords: 'player' });

  p.object('obj_wall', { sprite: 'spr_wall', visible: 0, keywords: 'level' });
  p.object('obj_coin', { sprite: 'spr_coin', keywords: 'pickup', events: { Creation: 'image_speed = 0.1;' } });
  p.object('obj_flag', { sprite: 'spr_flag', keywords: 'level, goal' });

  p.object('obj_player', {
    sprite: 'spr_player',
    keywords: 'player',
    events: {
      Step: [
        'var move = keyboard_check(vk_right) - keyboard_check(vk_left);',
        'hspeed = move * 4;',
        'if (move != 0) { image_xscale = move; image_speed = 0.25; } else { image_speed = 0; image_index = 0; }',
        '',
        '// Standing on a wall: no gravity, and the player may jump.',
        'var onGround = place_meeting(x, y + 1, obj_wall);',
        'gravity = onGround ? 0 : 0.5;',
        'if (onGround && (keyboard_check_pressed(vk_up) || keyboard_check_pressed(vk_space))) {',
        '  vspeed = -10;',
        '  sound_play(snd_jump);',
        '}',
        'if (vspeed > 12) vspeed = 12;',
        '',
        '// Stop at walls: move up to them pixel by pixel instead of into them.',
        'if (hspeed != 0 && place_meeting(x + hspeed, y, obj_wall)) {',
        '  while (!place_meeting(x + sign(hspeed), y, obj_wall)) x += sign(hspeed);',
        '  hspeed = 0;',
        '}',
        'var fall = vspeed + gravity;',
        'if (fall != 0 && place_meeting(x, y + fall, obj_wall)) {',
        '  while (!place_meeting(x, y + sign(fall), obj_wall)) y += sign(fall);',
        '  vspeed = 0;',
        '  gravity = 0;',
        '}',
        '',
        'if (y > room_height + 64) { sound_play(snd_fall); room_restart(); }',
      ].join('\n'),
      Collision: [
        ['obj_coin', 'score += 10;\nwith (other) instance_destroy();\nsound_play(snd_coin);'],
        ['obj_flag', 'sound_play(snd_win);\nif (room == level1) room_goto_next();\nelse room_goto(level1);'],
      ],
    },
  });

  p.object('obj_hud', {
    depth: -1000,
    keywords: 'hud',
    events: {
      Draw: [
        '// Drawing is in scene coordinates: the corner of the view is (view_x, view_y).',
        'draw_set_color(c_black);',
        'draw_text(view_x + 12, view_y + 10, "Coins: " + score);',
        'draw_text(view_x + 12, view_y + 30, room == level1 ? "Level 1" : "Level 2");',
      ].join('\n'),
    },
  });

  for (const [name, rows] of Object.entries(LEVELS)) {
    const cols = rows[0].length;
    for (const r of rows) if (r.length !== cols) throw new Error(`${name}: rows differ in length`);
    p.scene(name, {
      width: cols * T, height: rows.length * T, speed: 60, red: 110, green: 170, blue: 240, background: 'bg_sky',
      backgroundtilex: 1, viewportwidth: 640, viewportheight: 480, viewportobject: 'obj_player',
      viewportxborder: 240, viewportyborder: 160, keywords: 'level',
    });
    const BACK = 100, FRONT = -100;
    p.layer(name, BACK);
    p.layer(name, FRONT);
    p.instance(name, 'obj_hud', 0, 0);
    rows.forEach((row, ry) => {
      [...row].forEach((ch, rx) => {
        const x = rx * T, y = ry * T;
        const above = ry > 0 ? rows[ry - 1][rx] : '.';
        if (ch === '#') {
          p.tile(name, 'bg_tiles', BACK, above === '#' ? T : 0, 0, T, T, x, y);
          p.instance(name, 'obj_wall', x, y);
        } else if (ch === '=') {
          p.tile(name, 'bg_tiles', BACK, 2 * T, 0, T, T, x, y);
          p.instance(name, 'obj_wall', x, y);
        } else if (ch === 'b') p.tile(name, 'bg_tiles', BACK, 0, T, T, T, x, y);
        else if (ch === 'g') p.tile(name, 'bg_tiles', FRONT, T, T, T, T, x, y);
        else if (ch === 'o') p.tile(name, 'bg_tiles', BACK, 2 * T, T, T, T, x, y);
        else if (ch === 'c') p.instance(name, 'obj_coin', x + 16, y + 16);
        else if (ch === 'F') p.instance(name, 'obj_flag', x, y + T - 64);
        else if (ch === 'P') p.instance(name, 'obj_player', x + 16, y + 16);
      });
    });
  }
  return p;
}

// ---- Shooter: mouse aim, instance_create, collisions with a parent object, sounds ----

function shooter() {
  const p = new Project({
    title: 'Shooter',
    comments: 'Move with the arrow keys or WASD, aim with the mouse and hold the left button to fire.',
    variables: '// Steps between two shots while the left mouse button is held.\nvar fire_delay = 8;',
  });

  const floor = new Picture(64, 64, [34, 38, 46, 255]);
  floor.rect(0, 0, 32, 32, [40, 45, 55, 255]).rect(32, 32, 32, 32, [40, 45, 55, 255]);
  p.background('bg_floor', floor, { keywords: 'level' });

  const ship = new Picture(32, 32);
  for (let x = 4; x < 30; x++) {
    const half = Math.floor((30 - x) * 0.45);
    for (let y = 16 - half; y <= 16 + half; y++) ship.set(x, y, [120, 220, 255, 255]);
  }
  ship.rect(8, 14, 8, 4, [30, 90, 160, 255]);
  p.sprite('spr_ship', [ship], { centerx: 16, centery: 16, collisionshape: 'Circle', collisionradius: 12, keywords: 'player' });

  const bullet = new Picture(8, 8).disc(4, 4, 4, [255, 240, 120, 255]);
  p.sprite('spr_bullet', [bullet], { centerx: 4, centery: 4, collisionshape: 'Circle', collisionradius: 4, keywords: 'player, weapon' });

  const chaser = new Picture(28, 28).disc(14, 14, 13, [230, 70, 70, 255]).disc(18, 12, 4, WHITE).disc(19, 12, 2, BLACK);
  p.sprite('spr_chaser', [chaser], { centerx: 14, centery: 14, collisionshape: 'Circle', collisionradius: 13, keywords: 'enemy' });

  const wanderer = new Picture(28, 28).rect(3, 3, 22, 22, [170, 90, 220, 255]).frame(3, 3, 22, 22, [90, 40, 130, 255]);
  wanderer.rect(11, 11, 6, 6, [250, 230, 90, 255]);
  p.sprite('spr_wanderer', [wanderer], { centerx: 14, centery: 14, collisionleft: 3, collisionright: 25, collisiontop: 3, collisionbottom: 25, keywords: 'enemy' });

  const cursor = new Picture(16, 16);
  cursor.rect(7, 0, 2, 6, WHITE).rect(7, 10, 2, 6, WHITE).rect(0, 7, 6, 2, WHITE).rect(10, 7, 6, 2, WHITE);
  p.sprite('spr_cursor', [cursor], { centerx: 8, centery: 8, keywords: 'hud' });

  p.sound('snd_shoot', wav(tones([1200], { seconds: 0.06, slide: -0.5, volume: 0.2 })), { keywords: 'player, weapon' });
  p.sound('snd_boom', wav(tones([0], { seconds: 0.2, wave: 'noise', volume: 0.5 })), { keywords: 'enemy' });
  p.sound('snd_hurt', wav(tones([200, 150], { seconds: 0.08 })), { keywords: 'player' });
  const theme = [];
  for (const root of [220, 220, 175, 196]) theme.push(root, root * 1.5, root * 2, root * 1.5);
  p.sound('mus_theme', wav(tones(theme, { seconds: 0.25, wave: 'sine', volume: 0.25 }), 11025), { music: true, keywords: 'music' });

  p.fn('edge_point', 'side', [
    '// Enemies come in from just outside an edge of the scene:',
    '// 0 the left, 1 the right, 2 the top, 3 the bottom.',
    'var ex = side == 0 ? -20 : (side == 1 ? room_width + 20 : random(room_width));',
    'var ey = side == 2 ? -20 : (side == 3 ? room_height + 20 : random(room_height));',
    'return { x: ex, y: ey };',
  ].join('\n'), 'A point just outside the given edge of the scene, as { x, y }.', 'enemy');

  p.object('obj_ship', {
    sprite: 'spr_ship',
    keywords: 'player',
    events: {
      Creation: 'this.cooldown = 0;',
      Step: [
        'var dx = (keyboard_check(vk_right) || keyboard_check(ord("D"))) - (keyboard_check(vk_left) || keyboard_check(ord("A")));',
        'var dy = (keyboard_check(vk_down) || keyboard_check(ord("S"))) - (keyboard_check(vk_up) || keyboard_check(ord("W")));',
        'x = clamp(x + dx * 4, 16, room_width - 16);',
        'y = clamp(y + dy * 4, 16, room_height - 16);',
        'image_angle = point_direction(x, y, mouse_x, mouse_y);',
        '',
        'if (cooldown > 0) cooldown -= 1;',
        'if (mouse_check_button(mb_left) && cooldown <= 0) {',
        '  var b = instance_create(x + lengthdir_x(18, image_angle), y + lengthdir_y(18, image_angle), obj_bullet);',
        '  b.direction = image_angle;',
        '  b.speed = 10;',
        '  b.image_angle = image_angle;',
        '  cooldown = fire_delay;',
        '  sound_play(snd_shoot);',
        '}',
      ].join('\n'),
      // obj_enemy is the parent of both kinds of enemy: one event covers them all.
      Collision: [['obj_enemy', [
        'with (other) instance_destroy();',
        'health -= 20;',
        'sound_play(snd_hurt);',
        'if (health <= 0) game_restart();',
      ].join('\n')]],
    },
  });

  p.object('obj_bullet', {
    sprite: 'spr_bullet',
    keywords: 'player, weapon',
    events: {
      Step: 'if (x < -16 || y < -16 || x > room_width + 16 || y > room_height + 16) instance_destroy();',
      Collision: [['obj_enemy', 'with (other) instance_destroy();\ninstance_destroy();\nscore += 10;\nsound_play(snd_boom);']],
    },
  });

  p.object('obj_enemy', {
    keywords: 'enemy',
    events: {
      Creation: 'this.chase = 1.5;',
      Step: 'var target = instance_nearest(x, y, obj_ship);\nif (target != null) move_towards_point(target.x, target.y, chase);',
    },
  });
  // No events of its own: it runs obj_enemy's.
  p.object('obj_chaser', { sprite: 'spr_chaser', parent: 'obj_enemy', keywords: 'enemy' });
  p.object('obj_wanderer', {
    sprite: 'spr_wanderer',
    parent: 'obj_enemy',
    keywords: 'enemy',
    events: {
      Creation: 'event_inherited();\nchase = 0.7;',
      Step: 'event_inherited();\nimage_angle += 5;',
    },
  });

  p.object('obj_spawner', {
    depth: -50,
    keywords: 'enemy, rules',
    events: {
      Creation: 'this.timer = 60;',
      Step: [
        'timer -= 1;',
        'if (timer <= 0) {',
        '  timer = Math.max(20, 70 - Math.floor(score / 20));',
        '  var at = edge_point(irandom(3));',
        '  instance_create(at.x, at.y, choose(obj_chaser, obj_wanderer));',
        '}',
      ].join('\n'),
      Draw: [
        'draw_set_color(c_white);',
        'draw_text(10, 8, "Score: " + score);',
        'var left = room_width - 160;',
        'draw_set_color(c_dkgray);',
        'draw_rectangle(left, 10, left + 150, 24, false);',
        'draw_set_color(health > 40 ? c_lime : c_red);',
        'draw_rectangle(left, 10, left + 150 * Math.max(0, health) / 100, 24, false);',
        'draw_set_color(c_white);',
        'draw_rectangle(left, 10, left + 150, 24, true);',
      ].join('\n'),
    },
  });

  p.object('obj_cursor', { sprite: 'spr_cursor', depth: -100, collision: 0, keywords: 'hud', events: { Step: 'x = mouse_x;\ny = mouse_y;' } });

  p.scene('arena', {
    speed: 60, background: 'bg_floor', backgroundtilex: 1, backgroundtiley: 1, keywords: 'level',
    code: '// Music starts with the scene (or at the first key or click, when the browser waits for one).\nmusic_play(mus_theme);',
  });
  p.instance('arena', 'obj_spawner', 0, 0);
  p.instance('arena', 'obj_ship', 320, 240);
  p.instance('arena', 'obj_chaser', 60, 60);
  p.instance('arena', 'obj_chaser', 580, 420);
  p.instance('arena', 'obj_wanderer', 580, 60, { direction: 225 });
  p.instance('arena', 'obj_cursor', 320, 160);
  return p;
}

// The preview picture: pondaro-cli works in the folder it is started in, where it also
// leaves the settings and extensions folder every session starts with; those go again.
function preview(name) {
  const leftovers = ['preferences.dat', 'Extensions'].filter((f) => !existsSync(join(out, f)));
  const run = spawnSync(cli, ['preview', name], { cwd: out, encoding: 'utf8' });
  for (const f of leftovers) rmSync(join(out, f), { recursive: true, force: true });
  if (run.status !== 0) {
    console.error(`make-samples: pondaro-cli preview ${name} failed: ${run.stderr || run.error}`);
    process.exit(1);
  }
}

const games = { bricks, platformer, shooter };
for (const [name, make] of Object.entries(games)) {
  clean(name);
  make().write(out, name);
  preview(name);
  console.log(`wrote ${join(out, 'Projects', name)}.xml and its preview ${name}.png`);
}
