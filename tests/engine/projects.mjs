// Projects built for the engine's browser tests: each one exercises a part of the
// engine so that the test can watch it from the page.
import { Picture, Project, tones, wav } from '../../scripts/project-writer.mjs';

const WHITE = [255, 255, 255, 255];

function square(size, color = WHITE) {
  return new Picture(size, size, color);
}

const lines = (...l) => l.join('\n');

// Every event of the logger writes to the global log, so the test can read the order.
function events() {
  const p = new Project({ variables: 'var log = [];\nvar go_next = false;' });
  p.sprite('spr_one', [square(8)]);
  p.sprite('spr_three', [square(8), square(8, [255, 0, 0, 255]), square(8, [0, 0, 255, 255])]);
  const logged = (title) => `log.push("${title} " + id);`;
  p.object('obj_logger', {
    sprite: 'spr_one',
    events: {
      Creation: lines(logged('Creation'), 'if (x > 300) depth = 5;'),
      Destroy: logged('Destroy'),
      Step: lines(logged('Step'), 'if (this.doomed) instance_destroy();'),
      'End step': logged('End step'),
      Collision: [['obj_target', 'log.push("Collision " + id + " with " + other.id);']],
      'Room start': logged('Room start'),
      'Room end': logged('Room end'),
      'Animation end': logged('Animation end'),
      Draw: logged('Draw'),
    },
  });
  p.object('obj_target', { sprite: 'spr_one' });
  p.object('obj_switch', { events: { Step: 'if (go_next) { go_next = false; room_goto(scene2); }' } });
  p.object('obj_anim', {
    sprite: 'spr_three',
    events: { 'Animation end': 'log.push("Animation end at " + image_index);' },
  });
  p.scene('scene1');
  p.instance('scene1', 'obj_logger', 100, 100);   // 100001
  p.instance('scene1', 'obj_logger', 400, 100);   // 100002, depth 5: drawn first
  p.instance('scene1', 'obj_target', 104, 104);   // 100003, touches the first logger only
  p.instance('scene1', 'obj_switch', 0, 0);       // 100004
  p.scene('scene2', { code: 'log.push("scene2 code " + instance_number(obj_logger));' });
  p.instance('scene2', 'obj_logger', 50, 50);
  p.scene('scene3');
  p.instance('scene3', 'obj_anim', 50, 50);
  return p;
}

// A parent's handlers for children without their own; event_inherited; descendants
// matched by the collision and instance functions.
function inherit() {
  const p = new Project({ variables: 'var log = [];' });
  p.sprite('spr_sq', [square(16)]);
  const who = '" + object_get_name(object_index)';
  p.object('obj_wall', { sprite: 'spr_sq' });
  p.object('obj_parent', {
    sprite: 'spr_sq',
    events: {
      Creation: `log.push("parent creation ${who});`,
      Step: `log.push("parent step ${who});`,
      Collision: [['obj_wall', `log.push("parent hits wall ${who});`]],
      Draw: `log.push("parent draw ${who});`,
    },
  });
  p.object('obj_child', { sprite: 'spr_sq', parent: 'obj_parent' });
  p.object('obj_child2', {
    sprite: 'spr_sq',
    parent: 'obj_parent',
    events: { Step: 'log.push("child2 before");\nevent_inherited();\nlog.push("child2 after");' },
  });
  p.object('obj_grandchild', { sprite: 'spr_sq', parent: 'obj_child' });
  p.object('obj_other', { sprite: 'spr_sq' });
  p.scene('room1');
  p.instance('room1', 'obj_child', 100, 100);
  p.instance('room1', 'obj_child2', 200, 200);
  p.instance('room1', 'obj_grandchild', 300, 300);
  p.instance('room1', 'obj_wall', 104, 104);
  p.instance('room1', 'obj_wall', 306, 306);
  p.instance('room1', 'obj_other', 500, 400);
  return p;
}

// Masks of every shape, moved around by the test.
function shapes() {
  const p = new Project({ variables: 'var log = [];' });
  p.sprite('spr_box', [square(20)], { centerx: 10, centery: 10 });
  // The circle lies around the frame's centre, not around the origin (0, 0).
  p.sprite('spr_ball', [square(20)], { collisionshape: 'Circle', collisionradius: 10 });
  p.sprite('spr_shape', [square(20)], { collisionshape: 'Shape' });
  p.sprite('spr_small', [square(20)], { collisionleft: 5, collisionright: 15, collisiontop: 5, collisionbottom: 15 });
  p.sprite('spr_unset', [square(12)], { collisionleft: 0, collisionright: 0, collisiontop: 0, collisionbottom: 0 });
  p.object('obj_box', { sprite: 'spr_box' });
  p.object('obj_ball', {
    sprite: 'spr_ball',
    events: { Collision: [['obj_box', 'log.push("ball " + id + " hits box " + other.id);']] },
  });
  p.object('obj_shape', { sprite: 'spr_shape' });
  p.object('obj_small', { sprite: 'spr_small' });
  p.object('obj_unset', { sprite: 'spr_unset' });
  p.object('obj_ghost', { sprite: 'spr_box', collision: 0 });
  p.object('obj_probe', { sprite: 'spr_box' });
  p.scene('field', { width: 2000, height: 2000 });
  p.instance('field', 'obj_box', 1000, 1000);
  p.instance('field', 'obj_ball', 1200, 1000);
  p.instance('field', 'obj_ball', 1400, 1000);
  p.instance('field', 'obj_shape', 1000, 1200);
  p.instance('field', 'obj_small', 1200, 1200);
  p.instance('field', 'obj_unset', 1400, 1200);
  p.instance('field', 'obj_ghost', 1000, 1400);
  p.instance('field', 'obj_probe', 1600, 1600);
  return p;
}

// A plain object to try the instance, motion and maths functions on.
function sandbox() {
  const p = new Project({ variables: 'var log = [];' });
  p.sprite('spr_sq', [square(16)], { centerx: 8, centery: 8 });
  p.sprite('spr_anim', [square(4), square(4), square(4)]);
  p.background('bg_pic', square(8, [0, 128, 0, 255]));
  p.font('fnt_big', 'Arial', 20, 1, 0);
  p.sound('snd_blip', wav(tones([440], { seconds: 0.05 })));
  p.object('obj_thing', { sprite: 'spr_sq', events: { Creation: 'log.push("made " + id);' } });
  p.object('obj_anim', { sprite: 'spr_anim' });
  p.object('obj_spriteless');
  p.scene('playground', { width: 640, height: 480 });
  p.instance('playground', 'obj_thing', 100, 100);
  p.instance('playground', 'obj_spriteless', 10, 10, { direction: 90, image_angle: 45 });
  p.scene('second');
  return p;
}

// The view follows a runner through a scene larger than the view.
function view() {
  const p = new Project();
  p.sprite('spr_sq', [square(16)], { centerx: 8, centery: 8 });
  p.object('obj_runner', { sprite: 'spr_sq', events: { Creation: 'hspeed = 10;' } });
  p.scene('wide', {
    width: 2000, height: 1000, viewportwidth: 400, viewportheight: 300, viewportobject: 'obj_runner',
    viewportxborder: 100, viewportyborder: 80,
  });
  p.instance('wide', 'obj_runner', 50, 500);
  return p;
}

function speed() {
  const p = new Project();
  p.object('obj_idle');
  p.scene('steady', { speed: 40 });
  p.instance('steady', 'obj_idle', 0, 0);
  return p;
}

function keys() {
  const p = new Project({ variables: 'var presses = 0;\nvar releases = 0;\nvar clicks = 0;' });
  p.sprite('spr_sq', [square(16)]);
  p.object('obj_player', {
    sprite: 'spr_sq',
    events: {
      Step: lines(
        'if (keyboard_check(vk_right)) x += 4;',
        'if (keyboard_check(vk_left)) x -= 4;',
        'if (keyboard_check(ord("W"))) y -= 4;',
        'if (keyboard_check_pressed(vk_space)) presses += 1;',
        'if (keyboard_check_released(vk_space)) releases += 1;',
        'if (mouse_check_button_pressed(mb_left)) clicks += 1;',
      ),
    },
  });
  p.scene('arena', { width: 640, height: 480 });
  p.instance('arena', 'obj_player', 100, 100);
  return p;
}

// Known colours at known places, read back from the canvas.
function pixels() {
  const p = new Project();
  const stripes = new Picture(10, 10, [255, 0, 0, 255]).rect(0, 5, 10, 5, [255, 255, 0, 255]);
  p.background('bg_stripes', stripes);
  const set = new Picture(32, 16, [0, 255, 0, 255]).rect(16, 0, 16, 16, [255, 0, 255, 255]);
  p.background('bg_set', set, { tile: 1, tilewidth: 16, tileheight: 16 });
  p.sprite('spr_white', [square(16)]);
  p.object('obj_block', { sprite: 'spr_white' });
  p.object('obj_painter', {
    depth: -1000,
    events: { Draw: 'draw_set_color(c_yellow);\ndraw_rectangle(150, 100, 159, 109, false);' },
  });
  p.scene('canvas', {
    width: 400, height: 150, viewportwidth: 200, viewportheight: 150, red: 0, green: 0, blue: 255,
    background: 'bg_stripes', backgroundtilex: 1, backgroundtiley: 0,
  });
  p.layer('canvas', 100);
  p.layer('canvas', -100);
  p.tile('canvas', 'bg_set', 100, 0, 0, 16, 16, 40, 40);    // green, behind the block
  p.tile('canvas', 'bg_set', -100, 16, 0, 16, 16, 100, 40); // magenta, in front of the block
  p.instance('canvas', 'obj_block', 48, 48);
  p.instance('canvas', 'obj_block', 108, 48);
  p.instance('canvas', 'obj_painter', 0, 0);
  p.scene('stretched', { width: 200, height: 150, viewportwidth: 200, viewportheight: 150, background: 'bg_stripes',
    backgroundstretch: 1 });
  return p;
}

// A black board on which the test paints with the drawing functions: the Draw event
// calls `paint`, which the test replaces before each step. The sprite is red on its
// left half and green on its right, so scaling and turning show.
function drawing() {
  const p = new Project({ variables: 'var paint = function () {};' });
  p.sprite('spr_bar', [new Picture(8, 4, [255, 0, 0, 255]).rect(4, 0, 4, 4, [0, 255, 0, 255])]);
  p.background('bg_blue', square(10, [0, 0, 255, 255]));
  p.sound('snd_hum', wav(tones([220], { seconds: 0.5 })));
  p.sound('mus_tune', wav(tones([330, 440], { seconds: 0.5 })), { music: true });
  p.object('obj_painter', { events: { Draw: 'paint();' } });
  p.scene('board', { width: 200, height: 150, viewportwidth: 200, viewportheight: 150, red: 0, green: 0, blue: 0 });
  p.instance('board', 'obj_painter', 0, 0);
  return p;
}

// Faults of every kind: the game must go on and say what went wrong.
function broken() {
  const p = new Project({ variables: 'var good_steps = 0;\nvar pings = 0;', functions: 'function irandom(n) { return -7; }' });
  p.sprite('spr_sq', [square(8)]);
  p.sprite('spr_gone', [square(8)]);   // its picture is deleted after the export
  p.object('obj_bad', { sprite: 'spr_gone', events: { Step: 'undefined_function_xyz();' } });
  p.object('obj_good', { sprite: 'spr_sq', events: { Step: 'good_steps += 1;' } });
  p.object('obj_pinger', { events: { 'Room start': 'pings += 1;\nroom_goto(room == ping ? pong : ping);' } });
  p.scene('start', { code: 'null.crash;' });
  p.instance('start', 'obj_bad', 10, 10);
  p.instance('start', 'obj_good', 30, 30);
  p.scene('ping');
  p.instance('ping', 'obj_pinger', 0, 0);
  p.scene('pong');
  p.instance('pong', 'obj_pinger', 0, 0);
  return p;
}

// A tile refers to a background that has no picture, so the game's script cannot
// even be set up; the page must say so.
function unstartable() {
  const p = new Project();
  p.background('bg_none', null);
  p.scene('only');
  p.tile('only', 'bg_none', 0, 0, 0, 16, 16, 0, 0);
  return p;
}

// No scene at all.
function empty() {
  return new Project();
}

export const testProjects = { events, inherit, shapes, sandbox, view, speed, keys, pixels, drawing, broken, unstartable, empty };
