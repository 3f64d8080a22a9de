/*
 * Pondaro Game Maker - game engine
//PONDARO_VERSION
 *
 * This file is the template of every exported game: the studio writes the game's
 * resources, objects and scenes at the marker lines below and saves the result as
 * game.js beside index.html. The page works when opened straight from disk.
 *
 * Names that start with __pd are the engine's own; everything else defined here is
 * offered to the game's code and listed in keywords.dat.
 */

var pd_scenes = [];
var pd_room_to_go = null;

(function () {
  'use strict';

  var win = window;
  var doc = document;

  // ---------------------------------------------------------------------------
  // Errors: a game's code may be faulty; the game keeps running and says so.
  // ---------------------------------------------------------------------------

  var errors = [];      // distinct messages, in order of first appearance
  var warnings = [];
  var errorBox = null;
  var booted = false;

  function showErrors() {
    if (!doc.body) return;
    if (!errorBox) {
      errorBox = doc.createElement('div');
      errorBox.style.cssText = 'position:fixed;left:0;top:0;right:0;z-index:10;padding:4px 8px;' +
        'background:rgba(120,0,0,0.85);color:#fff;font:12px monospace;white-space:pre-wrap;pointer-events:none;';
      doc.body.appendChild(errorBox);
    }
    var shown = errors.slice(0, 5).join('\n');
    if (errors.length > 5) shown += '\n(' + (errors.length - 5) + ' more in the browser console)';
    errorBox.textContent = shown;
  }

  function reportError(text) {
    if (errors.indexOf(text) >= 0) return;
    if (errors.length < 50) errors.push(text);
    if (win.console) console.error(text);
    showErrors();
  }

  function warn(text) {
    if (warnings.indexOf(text) >= 0) return;
    if (warnings.length < 50) warnings.push(text);
    if (win.console) console.warn(text);
  }

  function describe(e) {
    if (e && e.name && e.message) return e.name + ': ' + e.message;
    return String(e);
  }

  // A script that fails while the game is being set up (a faulty global function,
  // a resource the game refers to but that was not exported) stops the game before
  // it starts; the player sees why instead of a black page.
  // A page opened from disk is not told the error's text (the browser's console is):
  // the player still learns that the game stopped and where to look.
  win.addEventListener('error', function (ev) {
    if (booted) return;
    var text = ev && ev.error ? describe(ev.error) : '';
    reportError('The game could not start: ' + (text || 'its script stopped with an error; the browser\'s console tells which.'));
  });

  // ---------------------------------------------------------------------------
  // Small helpers
  // ---------------------------------------------------------------------------

  var DEG = Math.PI / 180;

  function num(v, fallback) {
    v = +v;
    return isFinite(v) ? v : fallback;
  }

  // Trigonometry leaves values like 6e-17 for 0 and 3.0000000000000004 for 3; motion
  // would drift and a speed shown on screen would look broken.
  function tidy(v) {
    return Math.round(v * 1e9) / 1e9;
  }

  function normDir(d) {
    d = num(d, 0) % 360;
    return d < 0 ? d + 360 : d;
  }

  // The resource's name: each resource is built by a constructor called __NAME.
  function nameOf(self) {
    var c = self && self.constructor;
    var n = c && typeof c.name === 'string' ? c.name : '';
    return n.indexOf('__') === 0 ? n.slice(2) : n;
  }

  // ---------------------------------------------------------------------------
  // Images: every picture is loaded before the first scene starts.
  // ---------------------------------------------------------------------------

  var images = [];      // {img, ok, done, path}
  var imagesDone = 0;
  var onImagesDone = null;

  function loadImage(path) {
    var rec = { img: new Image(), ok: false, done: false, path: String(path) };
    images.push(rec);
    rec.img.onload = function () { finishImage(rec, true); };
    rec.img.onerror = function () { finishImage(rec, false); };
    rec.img.src = rec.path;
    return rec;
  }

  function finishImage(rec, ok) {
    if (rec.done) return;
    rec.done = true;
    rec.ok = ok && rec.img.naturalWidth > 0;
    if (!rec.ok) warn('The picture ' + rec.path + ' could not be loaded.');
    imagesDone++;
    if (!booted) drawLoading();
    if (imagesDone === images.length && onImagesDone) {
      var f = onImagesDone;
      onImagesDone = null;
      f();
    }
  }

  // An image element that finished loading and can be drawn (a broken one would throw).
  function drawable(img) {
    return !!img && img.complete !== false && img.naturalWidth > 0;
  }

  // ---------------------------------------------------------------------------
  // Resources
  // ---------------------------------------------------------------------------

  function sprite_init(self, name, w, h, cx, cy, shape, radius, left, right, top, bottom, frames) {
    self.__pd_kind = 'sprite';
    self.__pd_name = nameOf(self);
    self.__pd_w = num(w, 0);
    self.__pd_h = num(h, 0);
    self.__pd_ox = num(cx, 0);
    self.__pd_oy = num(cy, 0);
    // Shape carries no points in the game: it collides as its box.
    self.__pd_shape = shape === 'Circle' ? 2 : 1;
    self.__pd_rad = num(radius, 0);
    var l = num(left, 0), r = num(right, 0), t = num(top, 0), b = num(bottom, 0);
    // A box never set (no width or no height) would make the sprite collide with
    // nothing; the whole frame is what the user sees, so it collides as that.
    if (r <= l || b <= t) { l = 0; t = 0; r = self.__pd_w; b = self.__pd_h; }
    self.__pd_bl = l; self.__pd_br = r; self.__pd_bt = t; self.__pd_bb = b;
    self.__pd_frames = [];
    if (frames && frames.length) {
      for (var i = 0; i < frames.length; i++) self.__pd_frames.push(loadImage(frames[i]));
    }
  }

  var sounds = [];
  var audioFormats = null;
  function pickAudio(wav, mp3, ogg) {
    if (!audioFormats) {
      var probe = null;
      try { probe = new Audio(); } catch (e) { probe = null; }
      var can = function (type) { return !!(probe && probe.canPlayType && probe.canPlayType(type)); };
      audioFormats = { ogg: can('audio/ogg; codecs="vorbis"'), mp3: can('audio/mpeg'), wav: can('audio/wav') };
    }
    if (ogg && audioFormats.ogg) return ogg;
    if (mp3 && audioFormats.mp3) return mp3;
    if (wav && audioFormats.wav) return wav;
    return wav || ogg || mp3 || '';
  }

  function audio_init(self, name, wav, mp3, ogg) {
    self.__pd_kind = 'sound';
    self.__pd_name = nameOf(self);
    self.__pd_src = pickAudio(wav ? String(wav) : '', mp3 ? String(mp3) : '', ogg ? String(ogg) : '');
    self.__pd_playing = [];
    self.__pd_base = null;
    sounds.push(self);
    if (self.__pd_src && typeof Audio !== 'undefined') {
      try {
        self.__pd_base = new Audio();
        self.__pd_base.preload = 'auto';
        self.__pd_base.src = self.__pd_src;
      } catch (e) {
        self.__pd_base = null;
      }
    }
  }

  function background_init(self, name, path) {
    self.__pd_kind = 'background';
    self.__pd_name = nameOf(self);
    var rec = loadImage(path);
    self.image = rec.img;
  }

  function font_init(self, name, family, size, bold, italic) {
    self.__pd_kind = 'font';
    self.__pd_name = nameOf(self);
    var fam = String(family == null ? '' : family).replace(/["\\;{}]/g, '').trim() || 'Arial';
    var pt = num(size, 12);
    if (pt <= 0) pt = 12;
    self.__pd_css = (num(italic, 0) ? 'italic ' : '') + (num(bold, 0) ? 'bold ' : '') + pt + 'pt "' + fam + '", sans-serif';
    self.__pd_px = pt * 4 / 3;
  }

  // ---------------------------------------------------------------------------
  // Objects and instances
  // ---------------------------------------------------------------------------

  var EVENTS = ['on_creation', 'on_destroy', 'on_step', 'on_end_step', 'on_collision',
    'on_roomstart', 'on_roomend', 'on_animationend', 'on_draw'];
  var EVENT_TITLES = {
    on_creation: 'Creation', on_destroy: 'Destroy', on_step: 'Step', on_end_step: 'End step',
    on_collision: 'Collision', on_roomstart: 'Room start', on_roomend: 'Room end',
    on_animationend: 'Animation end', on_draw: 'Draw'
  };

  var templates = [];
  var instances = [];      // in creation order; dead ones are removed after each step
  var nextId = 100000;
  var nextSeq = 0;
  var someoneDied = false;

  // The event now running: the instance, the event and the object whose handler runs
  // (a parent's handler runs with the child as `this`).
  var cur = null, curEv = null, curObj = null;

  var DEFAULTS = {};

  function isTemplate(o) { return !!o && o.__pd_kind === 'object'; }
  function isInstance(o) { return !!o && o.__pd_seq > 0; }

  // Every instance gets these through its object: the values an instance starts with
  // are set on the instance itself when it is made; this holds the behaviour.
  var Base = {};

  function markDirty(o) {
    if (o.__pd_seq > 0 && !o.__pd_dirty && o.__pd_alive) {
      o.__pd_dirty = true;
      dirtyList.push(o);
    }
  }

  function setVelocity(o, hs, vs) {
    o.__pd_hs = tidy(hs);
    o.__pd_vs = tidy(vs);
    var sp = tidy(Math.sqrt(hs * hs + vs * vs));
    o.__pd_sp = sp;
    if (sp > 0) o.__pd_dir = normDir(Math.atan2(-vs, hs) / DEG);
  }

  function setPolar(o, sp, dir) {
    o.__pd_sp = sp;
    o.__pd_dir = normDir(dir);
    o.__pd_hs = tidy(sp * Math.cos(o.__pd_dir * DEG));
    o.__pd_vs = tidy(-sp * Math.sin(o.__pd_dir * DEG));
  }

  function accessor(name, get, set) {
    Object.defineProperty(Base, name, { get: get, set: set, enumerable: true, configurable: false });
  }

  accessor('x', function () { return this.__pd_x; }, function (v) { this.__pd_x = +v; markDirty(this); });
  accessor('y', function () { return this.__pd_y; }, function (v) { this.__pd_y = +v; markDirty(this); });
  accessor('hspeed', function () { return this.__pd_hs; }, function (v) { setVelocity(this, num(v, 0), this.__pd_vs); });
  accessor('vspeed', function () { return this.__pd_vs; }, function (v) { setVelocity(this, this.__pd_hs, num(v, 0)); });
  accessor('speed', function () { return this.__pd_sp; }, function (v) { setPolar(this, num(v, 0), this.__pd_dir); });
  accessor('direction', function () { return this.__pd_dir; }, function (v) { setPolar(this, this.__pd_sp, num(v, 0)); });
  accessor('sprite_index', function () { return this.__pd_spr; }, function (v) {
    this.__pd_spr = (v && v.__pd_kind === 'sprite') ? v : null;
    this.image_number = this.__pd_spr ? this.__pd_spr.__pd_frames.length : 0;
    markDirty(this);
  });
  accessor('image_xscale', function () { return this.__pd_xs; }, function (v) { this.__pd_xs = num(v, 1); markDirty(this); });
  accessor('image_yscale', function () { return this.__pd_ys; }, function (v) { this.__pd_ys = num(v, 1); markDirty(this); });

  function instance_init(self, name, parent, visible, depth, spr, collision, id) {
    var n = nameOf(self);
    Object.setPrototypeOf(self, Base);
    self.__pd_kind = 'object';
    self.__pd_name = n;
    self.__pd_parent = isTemplate(parent) ? parent : null;
    self.__pd_visible = num(visible, 1) ? 1 : 0;
    self.__pd_depth = num(depth, 0);
    self.__pd_sprite = (spr && spr.__pd_kind === 'sprite') ? spr : null;
    self.__pd_coll = num(collision, 1) ? 1 : 0;
    self.__pd_id = num(id, templates.length);
    self.__pd_count = 0;
    self.__pd_custom = null;
    self.__pd_line = null;
    templates.push(self);
  }

  // The object and its ancestors, nearest first; a parent loop is cut where it closes.
  function lineage(t) {
    if (t.__pd_line) return t.__pd_line;
    var line = [];
    for (var o = t; o && line.indexOf(o) < 0; o = o.__pd_parent) line.push(o);
    t.__pd_line = line;
    return line;
  }

  // For each event, whether the object or an ancestor has a handler of its own;
  // objects without one skip the event entirely.
  function customEvents(t) {
    if (t.__pd_custom) return t.__pd_custom;
    var line = lineage(t), c = {};
    for (var e = 0; e < EVENTS.length; e++) {
      var ev = EVENTS[e];
      c[ev] = false;
      for (var i = 0; i < line.length; i++) {
        var h = line[i][ev];
        if (typeof h === 'function' && h !== DEFAULTS[ev]) { c[ev] = true; break; }
      }
    }
    t.__pd_custom = c;
    return c;
  }

  // Whether `inst` counts as `what`: an object matches its own instances and those of
  // its descendants; an instance matches itself.
  function matches(inst, what) {
    if (what === inst) return true;
    if (!isTemplate(what)) return false;
    var t = inst.object_index;
    if (t === what) return true;
    var line = lineage(t);
    for (var i = 1; i < line.length; i++) if (line[i] === what) return true;
    return false;
  }

  function makeInstance(t, x, y) {
    var o = Object.create(t);
    o.__pd_seq = ++nextSeq;
    o.id = ++nextId;
    o.object_index = t;
    o.__pd_x = num(x, 0);
    o.__pd_y = num(y, 0);
    o.xprevious = o.__pd_x;
    o.yprevious = o.__pd_y;
    o.xstart = o.__pd_x;
    o.ystart = o.__pd_y;
    o.__pd_hs = 0;
    o.__pd_vs = 0;
    o.__pd_sp = 0;
    o.__pd_dir = 0;
    o.gravity = 0;
    o.gravity_direction = 270;
    o.friction = 0;
    o.image_index = 0;
    o.image_speed = 1;
    o.__pd_spr = t.__pd_sprite;
    o.image_number = t.__pd_sprite ? t.__pd_sprite.__pd_frames.length : 0;
    o.image_angle = 0;
    o.__pd_xs = 1;
    o.__pd_ys = 1;
    o.image_alpha = 1;
    o.visible = t.__pd_visible;
    o.depth = t.__pd_depth;
    o.solid = false;
    o.other = null;
    o.__pd_alive = true;
    o.__pd_dying = false;
    o.__pd_coll = t.__pd_coll;
    o.__pd_dirty = false;
    o.__pd_mk = 0;
    o.__pd_l = 0; o.__pd_t = 0; o.__pd_r = 0; o.__pd_b = 0;
    o.__pd_cx = 0; o.__pd_cy = 0; o.__pd_cr = 0;
    o.__pd_ing = false;
    o.__pd_big = false;
    o.__pd_g0 = 0; o.__pd_g1 = 0; o.__pd_g2 = 0; o.__pd_g3 = 0;
    o.__pd_qs = 0;
    o.__pd_drawn = -1;
    instances.push(o);
    t.__pd_count++;
    markDirty(o);
    return o;
  }

  // Runs one event of one instance. A fault in the game's code is reported once and
  // the game goes on.
  function fire(inst, ev) {
    if (!inst.__pd_alive) return;
    var h = inst[ev];
    if (typeof h !== 'function') return;
    var t = inst.object_index;
    if (h === DEFAULTS[ev] && !customEvents(t)[ev]) {
      if (ev === 'on_draw') handle_sprite(inst);
      return;
    }
    var ps = cur, pe = curEv, po = curObj;
    cur = inst; curEv = ev; curObj = t;
    try {
      h.call(inst);
    } catch (e) {
      reportError('Error in the ' + EVENT_TITLES[ev] + ' event of object ' + t.__pd_name + ': ' + describe(e));
    }
    cur = ps; curEv = pe; curObj = po;
  }

  // The handler of the parent of the object whose handler is running. An object
  // without a handler of its own runs its parent's this way; at the top of the line
  // the Draw event draws the sprite.
  function runParent(self, ev) {
    if (!self || !self.__pd_alive) return;
    var base = (cur === self && curEv === ev && curObj) ? curObj : self.object_index;
    var p = base ? base.__pd_parent : null;
    if (!p) {
      if (ev === 'on_draw' && self.visible) handle_sprite(self);
      return;
    }
    var h = p[ev];
    if (typeof h !== 'function') return;
    var ps = cur, pe = curEv, po = curObj;
    cur = self; curEv = ev; curObj = p;
    try {
      h.call(self);
    } finally {
      cur = ps; curEv = pe; curObj = po;
    }
  }

  function makeDefault(ev) {
    return function () { runParent(this, ev); };
  }
  for (var ei = 0; ei < EVENTS.length; ei++) DEFAULTS[EVENTS[ei]] = makeDefault(EVENTS[ei]);

  function event_inherited() {
    var self = (this && this.__pd_seq > 0) ? this : cur;
    if (self && curEv && cur === self) runParent(self, curEv);
  }

  function createInstance(t, x, y) {
    if (!isTemplate(t)) {
      warn('instance_create was given something that is not an object.');
      return null;
    }
    var o = makeInstance(t, x, y);
    fire(o, 'on_creation');
    return o;
  }

  function destroy(o) {
    if (!o || !o.__pd_alive || o.__pd_dying) return;
    o.__pd_dying = true;
    fire(o, 'on_destroy');
    o.__pd_alive = false;
    o.object_index.__pd_count--;
    gridRemove(o);
    someoneDied = true;
    if (follow.inst === o) follow.inst = null;
  }

  function compact() {
    if (!someoneDied) return;
    someoneDied = false;
    var j = 0;
    for (var i = 0; i < instances.length; i++) if (instances[i].__pd_alive) instances[j++] = instances[i];
    instances.length = j;
  }

  // ---------------------------------------------------------------------------
  // Collision masks and the spatial grid
  // ---------------------------------------------------------------------------

  // The grid files each instance that takes part in collisions under the cells its
  // mask covers, so a query looks at the few instances near it instead of all.
  // Instances whose position or mask changed wait in dirtyList and are refiled
  // before the next query.
  var CELL = 64;
  var CELL_LIMIT = 16383;  // cells beyond a million pixels share the outermost ones
  var BIG_CELLS = 256;      // masks covering more cells than this are kept in one list
  var cells = new Map();
  var bigList = [];
  var dirtyList = [];
  var qstamp = 0;
  var broadphase = 'grid';

  function updateMask(o) {
    var s = o.__pd_spr, k = 0, l = 0, t = 0, r = 0, b = 0, cx = 0, cy = 0, cr = 0;
    if (s) {
      var x = o.__pd_x, y = o.__pd_y, xs = o.__pd_xs, ys = o.__pd_ys;
      if (s.__pd_shape === 2) {
        // Around the centre of the frame, as the sprite window shows the circle.
        cx = x + (Math.floor(s.__pd_w / 2) - s.__pd_ox) * xs;
        cy = y + (Math.floor(s.__pd_h / 2) - s.__pd_oy) * ys;
        cr = s.__pd_rad * Math.max(Math.abs(xs), Math.abs(ys));
        l = cx - cr; r = cx + cr; t = cy - cr; b = cy + cr;
        k = cr > 0 ? 2 : 0;
      } else {
        var a1 = x + (s.__pd_bl - s.__pd_ox) * xs, a2 = x + (s.__pd_br - s.__pd_ox) * xs;
        var b1 = y + (s.__pd_bt - s.__pd_oy) * ys, b2 = y + (s.__pd_bb - s.__pd_oy) * ys;
        l = Math.min(a1, a2); r = Math.max(a1, a2); t = Math.min(b1, b2); b = Math.max(b1, b2);
        k = (r > l && b > t) ? 1 : 0;
      }
      if (!(isFinite(l) && isFinite(r) && isFinite(t) && isFinite(b))) k = 0;
    }
    o.__pd_mk = k;
    o.__pd_l = l; o.__pd_t = t; o.__pd_r = r; o.__pd_b = b;
    o.__pd_cx = cx; o.__pd_cy = cy; o.__pd_cr = cr;
  }

  function cellOf(v) {
    var c = Math.floor(v / CELL);
    return c < -CELL_LIMIT ? -CELL_LIMIT : (c > CELL_LIMIT ? CELL_LIMIT : c);
  }

  // Small integers make the quickest keys.
  function cellKey(cx, cy) { return (cx + 16384) * 32768 + (cy + 16384); }

  function gridRemove(o) {
    if (!o.__pd_ing) return;
    o.__pd_ing = false;
    if (o.__pd_big) {
      var bi = bigList.indexOf(o);
      if (bi >= 0) { bigList[bi] = bigList[bigList.length - 1]; bigList.pop(); }
      o.__pd_big = false;
      return;
    }
    for (var gx = o.__pd_g0; gx <= o.__pd_g2; gx++) {
      for (var gy = o.__pd_g1; gy <= o.__pd_g3; gy++) {
        var key = cellKey(gx, gy), arr = cells.get(key);
        if (!arr) continue;
        var i = arr.indexOf(o);
        if (i >= 0) { arr[i] = arr[arr.length - 1]; arr.pop(); }
        if (!arr.length) cells.delete(key);
      }
    }
  }

  function gridFile(o) {
    updateMask(o);
    if (!o.__pd_alive || !o.__pd_mk || !o.__pd_coll) { gridRemove(o); return; }
    var g0 = cellOf(o.__pd_l), g1 = cellOf(o.__pd_t), g2 = cellOf(o.__pd_r), g3 = cellOf(o.__pd_b);
    if (o.__pd_ing && g0 === o.__pd_g0 && g1 === o.__pd_g1 && g2 === o.__pd_g2 && g3 === o.__pd_g3) return;
    gridRemove(o);
    o.__pd_g0 = g0; o.__pd_g1 = g1; o.__pd_g2 = g2; o.__pd_g3 = g3;
    o.__pd_ing = true;
    if ((g2 - g0 + 1) * (g3 - g1 + 1) > BIG_CELLS) {
      o.__pd_big = true;
      bigList.push(o);
      return;
    }
    for (var gx = g0; gx <= g2; gx++) {
      for (var gy = g1; gy <= g3; gy++) {
        var key = cellKey(gx, gy), arr = cells.get(key);
        if (arr) arr.push(o); else cells.set(key, [o]);
      }
    }
  }

  function flush() {
    if (!dirtyList.length) return;
    for (var i = 0; i < dirtyList.length; i++) {
      var o = dirtyList[i];
      o.__pd_dirty = false;
      if (o.__pd_alive) gridFile(o);
    }
    dirtyList.length = 0;
  }

  function gridClear() {
    cells = new Map();
    bigList = [];
    dirtyList = [];
  }

  // The shape being looked for: kind 1 a box with open right and bottom edges (a
  // mask), 2 a circle, 3 a closed box (a point or a rectangle given by the game).
  var qk = 0, ql = 0, qt = 0, qr = 0, qb = 0, qcx = 0, qcy = 0, qcr = 0;

  function hits(c) {
    var k = c.__pd_mk;
    if (qk === 3) {
      if (c.__pd_l > qr || c.__pd_r <= ql || c.__pd_t > qb || c.__pd_b <= qt) return false;
    } else {
      if (c.__pd_l >= qr || c.__pd_r <= ql || c.__pd_t >= qb || c.__pd_b <= qt) return false;
    }
    var dx, dy;
    if (k === 1) {
      if (qk !== 2) return true;
      dx = qcx - (qcx < c.__pd_l ? c.__pd_l : (qcx > c.__pd_r ? c.__pd_r : qcx));
      dy = qcy - (qcy < c.__pd_t ? c.__pd_t : (qcy > c.__pd_b ? c.__pd_b : qcy));
      return dx * dx + dy * dy < qcr * qcr;
    }
    // c is a circle
    if (qk === 2) {
      dx = qcx - c.__pd_cx; dy = qcy - c.__pd_cy;
      var rr = qcr + c.__pd_cr;
      return dx * dx + dy * dy < rr * rr;
    }
    var px = c.__pd_cx < ql ? ql : (c.__pd_cx > qr ? qr : c.__pd_cx);
    var py = c.__pd_cy < qt ? qt : (c.__pd_cy > qb ? qb : c.__pd_cy);
    dx = c.__pd_cx - px; dy = c.__pd_cy - py;
    return dx * dx + dy * dy < c.__pd_cr * c.__pd_cr;
  }

  function consider(c, what, skip, needSolid) {
    if (c === skip || !c.__pd_alive) return false;
    if (needSolid ? !c.solid : !matches(c, what)) return false;
    return hits(c);
  }

  // The first instance (of `what`, or any solid one) whose mask meets the shape set in
  // qk..qcr, leaving out `skip`; null when there is none.
  function query(what, skip, needSolid) {
    if (!needSolid && !isTemplate(what) && !isInstance(what)) return null;
    flush();
    var i, c;
    if (broadphase === 'naive') {
      for (i = 0; i < instances.length; i++) {
        c = instances[i];
        if (c.__pd_ing && consider(c, what, skip, needSolid)) return c;
      }
      return null;
    }
    if (!needSolid && isInstance(what)) {
      return (what.__pd_ing && consider(what, what, skip, false)) ? what : null;
    }
    var stamp = ++qstamp;
    var g0 = cellOf(ql), g1 = cellOf(qt), g2 = cellOf(qr), g3 = cellOf(qb);
    if ((g2 - g0 + 1) * (g3 - g1 + 1) > cells.size + BIG_CELLS) {
      for (i = 0; i < instances.length; i++) {
        c = instances[i];
        if (c.__pd_ing && consider(c, what, skip, needSolid)) return c;
      }
      return null;
    }
    for (var gx = g0; gx <= g2; gx++) {
      for (var gy = g1; gy <= g3; gy++) {
        var arr = cells.get(cellKey(gx, gy));
        if (!arr) continue;
        for (i = 0; i < arr.length; i++) {
          c = arr[i];
          if (c.__pd_qs === stamp) continue;
          c.__pd_qs = stamp;
          if (consider(c, what, skip, needSolid)) return c;
        }
      }
    }
    for (i = 0; i < bigList.length; i++) {
      c = bigList[i];
      if (consider(c, what, skip, needSolid)) return c;
    }
    return null;
  }

  // Sets the query shape to the mask of `self` moved to (x, y). False when it has none.
  function maskAt(self, x, y) {
    flush();
    if (!self.__pd_alive) return false;
    if (self.__pd_dirty || !self.__pd_mk) updateMask(self);
    if (!self.__pd_mk) return false;
    var dx = num(x, NaN) - self.__pd_x, dy = num(y, NaN) - self.__pd_y;
    if (!isFinite(dx) || !isFinite(dy)) return false;
    qk = self.__pd_mk;
    ql = self.__pd_l + dx; qt = self.__pd_t + dy; qr = self.__pd_r + dx; qb = self.__pd_b + dy;
    qcx = self.__pd_cx + dx; qcy = self.__pd_cy + dy; qcr = self.__pd_cr;
    return true;
  }

  function selfOf(obj) { return (obj && obj.__pd_seq > 0) ? obj : cur; }

  function place_meeting(x, y, obj) {
    var self = selfOf(this);
    if (!self || !maskAt(self, x, y)) return null;
    return query(obj, self, false);
  }

  function place_free(x, y) {
    var self = selfOf(this);
    if (!self || !maskAt(self, x, y)) return true;
    return query(null, self, true) === null;
  }

  function collision_point(x, y, obj) {
    x = num(x, NaN); y = num(y, NaN);
    if (!isFinite(x) || !isFinite(y)) return null;
    qk = 3; ql = qr = x; qt = qb = y;
    return query(obj, cur, false);
  }

  function collision_rectangle(x1, y1, x2, y2, obj) {
    x1 = num(x1, NaN); y1 = num(y1, NaN); x2 = num(x2, NaN); y2 = num(y2, NaN);
    if (!isFinite(x1) || !isFinite(y1) || !isFinite(x2) || !isFinite(y2)) return null;
    qk = 3;
    ql = Math.min(x1, x2); qr = Math.max(x1, x2); qt = Math.min(y1, y2); qb = Math.max(y1, y2);
    return query(obj, cur, false);
  }

  // ---------------------------------------------------------------------------
  // Instance functions
  // ---------------------------------------------------------------------------

  function eachOf(obj, f) {
    var n = instances.length;
    for (var i = 0; i < n; i++) {
      var o = instances[i];
      if (o.__pd_alive && matches(o, obj) && f(o) === false) return;
    }
  }

  function instance_create(x, y, obj) { return createInstance(obj, x, y); }

  function instance_destroy(which) {
    if (which === undefined) {
      var self = selfOf(this);
      if (self) destroy(self);
      return;
    }
    if (isInstance(which)) { destroy(which); return; }
    if (isTemplate(which)) {
      var list = [];
      eachOf(which, function (o) { list.push(o); });
      for (var i = 0; i < list.length; i++) destroy(list[i]);
    }
  }

  function instance_exists(obj) {
    if (isInstance(obj)) return obj.__pd_alive;
    return instance_number(obj) > 0;
  }

  function instance_number(obj) {
    if (isInstance(obj)) return obj.__pd_alive ? 1 : 0;
    if (!isTemplate(obj)) return 0;
    var n = 0;
    for (var i = 0; i < templates.length; i++) {
      var t = templates[i];
      if (t.__pd_count && (t === obj || matchesTemplate(t, obj))) n += t.__pd_count;
    }
    return n;
  }

  function matchesTemplate(t, obj) {
    var line = lineage(t);
    for (var i = 1; i < line.length; i++) if (line[i] === obj) return true;
    return false;
  }

  function instance_find(obj, n) {
    n = Math.floor(num(n, -1));
    if (n < 0) return null;
    var found = null;
    eachOf(obj, function (o) {
      if (n-- === 0) { found = o; return false; }
    });
    return found;
  }

  function instance_nearest(x, y, obj) {
    x = num(x, 0); y = num(y, 0);
    var best = null, bd = Infinity;
    eachOf(obj, function (o) {
      var dx = o.__pd_x - x, dy = o.__pd_y - y, d = dx * dx + dy * dy;
      if (d < bd) { bd = d; best = o; }
    });
    return best;
  }

  function instance_place(x, y, obj) { return place_meeting.call(this, x, y, obj); }

  function motion_set(dir, sp) {
    var self = selfOf(this);
    if (self) setPolar(self, num(sp, 0), num(dir, 0));
  }

  function move_towards_point(x, y, sp) {
    var self = selfOf(this);
    if (!self) return;
    var dx = num(x, self.__pd_x) - self.__pd_x, dy = num(y, self.__pd_y) - self.__pd_y;
    var dir = (dx === 0 && dy === 0) ? self.__pd_dir : Math.atan2(-dy, dx) / DEG;
    setPolar(self, num(sp, 0), dir);
  }

  function move_wrap(hor, vert, margin) {
    var self = selfOf(this);
    if (!self) return;
    var m = num(margin, 0);
    var w = win.room_width, h = win.room_height;
    if (hor) {
      if (self.__pd_x < -m) self.x = self.__pd_x + w + 2 * m;
      else if (self.__pd_x > w + m) self.x = self.__pd_x - w - 2 * m;
    }
    if (vert) {
      if (self.__pd_y < -m) self.y = self.__pd_y + h + 2 * m;
      else if (self.__pd_y > h + m) self.y = self.__pd_y - h - 2 * m;
    }
  }

  function distance_to_point(x, y) {
    var self = selfOf(this);
    if (!self) return 0;
    return point_distance(self.__pd_x, self.__pd_y, x, y);
  }

  function distance_to_object(obj) {
    var self = selfOf(this);
    if (!self) return Infinity;
    var best = Infinity;
    eachOf(obj, function (o) {
      if (o === self) return;
      var d = point_distance(self.__pd_x, self.__pd_y, o.__pd_x, o.__pd_y);
      if (d < best) best = d;
    });
    return best;
  }

  // ---------------------------------------------------------------------------
  // Maths
  // ---------------------------------------------------------------------------

  function point_distance(x1, y1, x2, y2) {
    var dx = num(x2, 0) - num(x1, 0), dy = num(y2, 0) - num(y1, 0);
    return Math.sqrt(dx * dx + dy * dy);
  }

  function point_direction(x1, y1, x2, y2) {
    var dx = num(x2, 0) - num(x1, 0), dy = num(y2, 0) - num(y1, 0);
    if (dx === 0 && dy === 0) return 0;
    return normDir(Math.atan2(-dy, dx) / DEG);
  }

  function lengthdir_x(len, dir) { return tidy(num(len, 0) * Math.cos(num(dir, 0) * DEG)); }
  function lengthdir_y(len, dir) { return tidy(-num(len, 0) * Math.sin(num(dir, 0) * DEG)); }

  function random(n) { return Math.random() * num(n, 0); }
  function random_range(a, b) { a = num(a, 0); b = num(b, 0); return a + Math.random() * (b - a); }
  function irandom(n) { return Math.floor(Math.random() * (Math.floor(num(n, 0)) + 1)); }
  function irandom_range(a, b) {
    a = Math.ceil(Math.min(num(a, 0), num(b, 0)));
    b = Math.floor(Math.max(num(a, 0), num(b, 0)));
    return a + Math.floor(Math.random() * (b - a + 1));
  }
  function choose() {
    if (!arguments.length) return undefined;
    return arguments[Math.floor(Math.random() * arguments.length)];
  }
  function clamp(v, lo, hi) { v = +v; return v < lo ? lo : (v > hi ? hi : v); }
  function sign(v) { v = +v; return v > 0 ? 1 : (v < 0 ? -1 : 0); }
  function degtorad(d) { return num(d, 0) * DEG; }
  function radtodeg(r) { return num(r, 0) / DEG; }

  // ---------------------------------------------------------------------------
  // Input
  // ---------------------------------------------------------------------------

  var KEYS = 256;
  var keyDown = new Uint8Array(KEYS), keyPressedQ = new Uint8Array(KEYS), keyReleasedQ = new Uint8Array(KEYS);
  var keyPressed = new Uint8Array(KEYS), keyReleased = new Uint8Array(KEYS);
  var btnDown = [0, 0, 0, 0], btnPressedQ = [0, 0, 0, 0], btnReleasedQ = [0, 0, 0, 0];
  var btnPressed = [0, 0, 0, 0], btnReleased = [0, 0, 0, 0];
  var canvasMouseX = 0, canvasMouseY = 0;

  var CODE_KEYS = {
    ArrowLeft: 37, ArrowUp: 38, ArrowRight: 39, ArrowDown: 40, Space: 32, Enter: 13, NumpadEnter: 13,
    Escape: 27, Tab: 9, Backspace: 8, Delete: 46, Insert: 45, Home: 36, End: 35, PageUp: 33, PageDown: 34,
    ShiftLeft: 16, ShiftRight: 16, ControlLeft: 17, ControlRight: 17, AltLeft: 18, AltRight: 18, Pause: 19,
    NumpadAdd: 107, NumpadSubtract: 109, NumpadMultiply: 106, NumpadDivide: 111, NumpadDecimal: 110
  };

  function keyCodeOf(e) {
    var k = e.keyCode | 0;
    if (k > 0 && k < KEYS) return k;
    var c = e.code || '';
    if (CODE_KEYS[c]) return CODE_KEYS[c];
    var m = /^Key([A-Z])$/.exec(c) || /^Digit([0-9])$/.exec(c);
    if (m) return m[1].charCodeAt(0);
    m = /^Numpad([0-9])$/.exec(c);
    if (m) return 96 + (+m[1]);
    m = /^F([0-9]{1,2})$/.exec(c);
    if (m && +m[1] >= 1 && +m[1] <= 12) return 111 + (+m[1]);
    return 0;
  }

  // Keys the browser would otherwise use to scroll the page.
  var SCROLL_KEYS = { 32: 1, 33: 1, 34: 1, 35: 1, 36: 1, 37: 1, 38: 1, 39: 1, 40: 1 };

  function onKeyDown(e) {
    var k = keyCodeOf(e);
    if (!k) return;
    if (!keyDown[k]) keyPressedQ[k] = 1;
    keyDown[k] = 1;
    if (SCROLL_KEYS[k]) e.preventDefault();
    resumeMusic();
  }

  function onKeyUp(e) {
    var k = keyCodeOf(e);
    if (!k) return;
    if (keyDown[k]) keyReleasedQ[k] = 1;
    keyDown[k] = 0;
  }

  // Keys held while the window lost the focus would otherwise stay down for ever.
  function releaseAll() {
    for (var k = 0; k < KEYS; k++) { if (keyDown[k]) keyReleasedQ[k] = 1; keyDown[k] = 0; }
    for (var b = 1; b <= 3; b++) { if (btnDown[b]) btnReleasedQ[b] = 1; btnDown[b] = 0; }
  }

  function buttonOf(e) { return e.button === 0 ? 1 : (e.button === 2 ? 2 : (e.button === 1 ? 3 : 0)); }

  function trackMouse(e) {
    if (!canvas) return;
    var r = canvas.getBoundingClientRect();
    if (r.width > 0 && r.height > 0) {
      canvasMouseX = (e.clientX - r.left) * canvas.width / r.width;
      canvasMouseY = (e.clientY - r.top) * canvas.height / r.height;
      updateMouse();
    }
  }

  function updateMouse() {
    win.mouse_x = canvasMouseX + (num(win.view_x, 0) | 0);
    win.mouse_y = canvasMouseY + (num(win.view_y, 0) | 0);
  }

  function onPointerDown(e) {
    trackMouse(e);
    var b = buttonOf(e);
    if (b) { if (!btnDown[b]) btnPressedQ[b] = 1; btnDown[b] = 1; }
    resumeMusic();
  }

  function onPointerUp(e) {
    trackMouse(e);
    var b = buttonOf(e);
    if (b) { if (btnDown[b]) btnReleasedQ[b] = 1; btnDown[b] = 0; }
  }

  // What was pressed and released since the last step is what this step sees.
  function latchInput() {
    var k;
    for (k = 0; k < KEYS; k++) {
      keyPressed[k] = keyPressedQ[k]; keyPressedQ[k] = 0;
      keyReleased[k] = keyReleasedQ[k]; keyReleasedQ[k] = 0;
    }
    for (k = 1; k <= 3; k++) {
      btnPressed[k] = btnPressedQ[k]; btnPressedQ[k] = 0;
      btnReleased[k] = btnReleasedQ[k]; btnReleasedQ[k] = 0;
    }
  }

  function anyOf(a, from, to) {
    for (var i = from; i < to; i++) if (a[i]) return true;
    return false;
  }

  function keyState(a, key) {
    key = num(key, -1) | 0;
    if (key === 1) return anyOf(a, 2, KEYS);     // vk_anykey
    if (key === 0) return !anyOf(a, 2, KEYS);    // vk_nokey
    return key > 1 && key < KEYS ? !!a[key] : false;
  }

  function buttonState(a, b) {
    b = num(b, 0) | 0;
    if (b === -1) return !!(a[1] || a[2] || a[3]);
    if (b === 0) return !(a[1] || a[2] || a[3]);
    return b >= 1 && b <= 3 ? !!a[b] : false;
  }

  function keyboard_check(key) { return keyState(keyDown, key); }
  function keyboard_check_pressed(key) { return keyState(keyPressed, key); }
  function keyboard_check_released(key) { return keyState(keyReleased, key); }
  function mouse_check_button(b) { return buttonState(btnDown, b); }
  function mouse_check_button_pressed(b) { return buttonState(btnPressed, b); }
  function mouse_check_button_released(b) { return buttonState(btnReleased, b); }

  function ord(ch) {
    var s = String(ch == null ? '' : ch);
    return s.length ? s.toUpperCase().charCodeAt(0) : 0;
  }

  // ---------------------------------------------------------------------------
  // Sound
  // ---------------------------------------------------------------------------

  var MAX_COPIES = 8;      // of one sound at once; more would only add noise
  var music = null;        // {snd, el, waiting}: waiting for the first key or click

  function isSound(s) { return !!s && s.__pd_kind === 'sound'; }

  function startAudio(snd, loop) {
    if (!isSound(snd) || !snd.__pd_base) return null;
    var list = snd.__pd_playing;
    for (var i = list.length - 1; i >= 0; i--) if (list[i].ended || list[i].__pd_stopped) list.splice(i, 1);
    if (list.length >= MAX_COPIES) stopElement(list.shift());
    var el;
    try {
      el = snd.__pd_base.cloneNode(true);
    } catch (e) {
      return null;
    }
    el.loop = !!loop;
    list.push(el);
    playElement(el, null);
    return el;
  }

  // Browsers refuse to play before the player has touched the page; such a sound is
  // dropped, and the music starts at the first key or click.
  function playElement(el, onRefused) {
    var p;
    try { p = el.play(); } catch (e) { if (onRefused) onRefused(); return; }
    if (p && typeof p.then === 'function') {
      p.then(null, function () { if (onRefused) onRefused(); });
    }
  }

  function stopElement(el) {
    if (!el) return;
    el.__pd_stopped = true;
    try { el.pause(); el.currentTime = 0; } catch (e) { /* nothing to stop */ }
  }

  function sound_play(snd) { startAudio(snd, false); }
  function sound_loop(snd) { startAudio(snd, true); }

  function sound_stop(snd) {
    if (!isSound(snd)) return;
    var list = snd.__pd_playing;
    for (var i = 0; i < list.length; i++) stopElement(list[i]);
    list.length = 0;
    if (music && music.snd === snd) music_stop();
  }

  function sound_stop_all() {
    for (var i = 0; i < sounds.length; i++) sound_stop(sounds[i]);
    music_stop();
  }

  function music_play(mus) {
    music_stop();
    if (!isSound(mus) || !mus.__pd_base) return;
    var el;
    try { el = mus.__pd_base.cloneNode(true); } catch (e) { return; }
    el.loop = true;
    music = { snd: mus, el: el, waiting: false };
    var m = music;
    playElement(el, function () { if (music === m) m.waiting = true; });
  }

  function resumeMusic() {
    if (music && music.waiting) {
      music.waiting = false;
      var m = music;
      playElement(m.el, function () { if (music === m) m.waiting = true; });
    }
  }

  function music_stop() {
    if (!music) return;
    stopElement(music.el);
    music = null;
  }

  // ---------------------------------------------------------------------------
  // Drawing
  // ---------------------------------------------------------------------------

  var canvas = null, ctx = null, gameHost = null;
  var drawColor = 0, drawColorCss = '#000000', drawAlpha = 1, drawFont = null;
  var halign = 0, valign = 0;
  var drawStamp = 0;
  var viewOffX = 0, viewOffY = 0;     // the view's corner, in whole pixels, while drawing
  var DEFAULT_FONT = '12pt Arial, sans-serif', DEFAULT_FONT_PX = 16;

  function colorCss(c) {
    c = num(c, 0) & 0xFFFFFF;
    var r = c & 255, g = (c >> 8) & 255, b = (c >> 16) & 255;
    return 'rgb(' + r + ',' + g + ',' + b + ')';
  }

  function resetTransform() { ctx.setTransform(1, 0, 0, 1, -viewOffX, -viewOffY); }

  function drawFrame(spr, sub, x, y, xs, ys, angle, alpha) {
    if (!ctx || !spr || spr.__pd_kind !== 'sprite') return;
    var frames = spr.__pd_frames, n = frames.length;
    if (!n) return;
    var i = Math.floor(num(sub, 0)) % n;
    if (i < 0) i += n;
    var f = frames[i];
    if (!f.ok) return;
    x = num(x, 0); y = num(y, 0); xs = num(xs, 1); ys = num(ys, 1); angle = num(angle, 0);
    alpha = num(alpha, 1);
    if (alpha <= 0) return;
    // Sprites wholly outside the view cost nothing to skip.
    var reach = Math.max(Math.abs(xs), Math.abs(ys)) * (spr.__pd_w + spr.__pd_h + Math.abs(spr.__pd_ox) + Math.abs(spr.__pd_oy));
    if (x + reach < viewOffX || y + reach < viewOffY || x - reach > viewOffX + canvas.width ||
        y - reach > viewOffY + canvas.height) return;
    var saved = ctx.globalAlpha;
    ctx.globalAlpha = alpha > 1 ? 1 : alpha;
    if (angle === 0 && xs === 1 && ys === 1) {
      ctx.drawImage(f.img, Math.round(x - spr.__pd_ox), Math.round(y - spr.__pd_oy));
    } else {
      // Angles count anticlockwise on screen, as in the scene editor.
      var a = -angle * DEG, cs = Math.cos(a), sn = Math.sin(a);
      ctx.setTransform(cs * xs, sn * xs, -sn * ys, cs * ys, x - viewOffX, y - viewOffY);
      ctx.drawImage(f.img, -spr.__pd_ox, -spr.__pd_oy);
      resetTransform();
    }
    ctx.globalAlpha = saved;
  }

  function handle_sprite(inst) {
    if (!inst || inst.__pd_drawn === drawStamp) return;
    inst.__pd_drawn = drawStamp;
    drawInstance(inst);
  }

  function drawInstance(o) {
    var s = o.__pd_spr;
    if (!s) return;
    drawFrame(s, o.image_index, o.__pd_x, o.__pd_y, o.__pd_xs, o.__pd_ys, o.image_angle, o.image_alpha);
  }

  function draw_self() {
    var self = selfOf(this);
    if (self) drawInstance(self);
  }

  function draw_sprite(spr, sub, x, y) {
    if (num(sub, 0) < 0 && cur) sub = cur.image_index;
    drawFrame(spr, sub, x, y, 1, 1, 0, drawAlpha);
  }

  function draw_sprite_ext(spr, sub, x, y, xs, ys, angle, alpha) {
    if (num(sub, 0) < 0 && cur) sub = cur.image_index;
    drawFrame(spr, sub, x, y, xs, ys, angle, alpha);
  }

  function draw_background(bg, x, y) {
    if (!ctx || !bg || !drawable(bg.image)) return;
    var saved = ctx.globalAlpha;
    ctx.globalAlpha = drawAlpha;
    ctx.drawImage(bg.image, Math.round(num(x, 0)), Math.round(num(y, 0)));
    ctx.globalAlpha = saved;
  }

  function draw_set_color(c) { drawColor = num(c, 0) & 0xFFFFFF; drawColorCss = colorCss(drawColor); }
  function draw_get_color() { return drawColor; }
  function draw_set_alpha(a) { a = num(a, 1); drawAlpha = a < 0 ? 0 : (a > 1 ? 1 : a); }
  function draw_get_alpha() { return drawAlpha; }
  function draw_set_font(f) { drawFont = (f && f.__pd_kind === 'font') ? f : null; }
  function draw_set_halign(h) { h = num(h, 0) | 0; halign = h === 1 || h === 2 ? h : 0; }
  function draw_set_valign(v) { v = num(v, 0) | 0; valign = v === 1 || v === 2 ? v : 0; }

  function setPaint() {
    ctx.globalAlpha = drawAlpha;
    ctx.fillStyle = drawColorCss;
    ctx.strokeStyle = drawColorCss;
  }

  function draw_text(x, y, text) {
    if (!ctx) return;
    x = num(x, 0); y = num(y, 0);
    var lines = String(text === undefined ? '' : text).split('\n');
    var px = drawFont ? drawFont.__pd_px : DEFAULT_FONT_PX;
    var lh = Math.round(px * 1.25);
    setPaint();
    ctx.font = drawFont ? drawFont.__pd_css : DEFAULT_FONT;
    ctx.textAlign = halign === 1 ? 'center' : (halign === 2 ? 'right' : 'left');
    ctx.textBaseline = 'top';
    var total = lh * lines.length;
    var top = valign === 1 ? y - total / 2 : (valign === 2 ? y - total : y);
    for (var i = 0; i < lines.length; i++) ctx.fillText(lines[i], x, top + i * lh);
    ctx.globalAlpha = 1;
  }

  function draw_rectangle(x1, y1, x2, y2, outline) {
    if (!ctx) return;
    x1 = num(x1, 0); y1 = num(y1, 0); x2 = num(x2, 0); y2 = num(y2, 0);
    var l = Math.min(x1, x2), t = Math.min(y1, y2), w = Math.abs(x2 - x1), h = Math.abs(y2 - y1);
    setPaint();
    if (outline) { ctx.lineWidth = 1; ctx.strokeRect(l + 0.5, t + 0.5, w, h); }
    else ctx.fillRect(l, t, w + 1, h + 1);
    ctx.globalAlpha = 1;
  }

  function draw_circle(x, y, r, outline) {
    if (!ctx) return;
    r = Math.abs(num(r, 0));
    setPaint();
    ctx.beginPath();
    ctx.arc(num(x, 0), num(y, 0), r, 0, Math.PI * 2);
    if (outline) { ctx.lineWidth = 1; ctx.stroke(); } else ctx.fill();
    ctx.globalAlpha = 1;
  }

  function draw_line(x1, y1, x2, y2) {
    if (!ctx) return;
    setPaint();
    ctx.lineWidth = 1;
    ctx.beginPath();
    ctx.moveTo(num(x1, 0) + 0.5, num(y1, 0) + 0.5);
    ctx.lineTo(num(x2, 0) + 0.5, num(y2, 0) + 0.5);
    ctx.stroke();
    ctx.globalAlpha = 1;
  }

  function make_color_rgb(r, g, b) {
    var c = function (v) { v = Math.round(num(v, 0)); return v < 0 ? 0 : (v > 255 ? 255 : v); };
    return c(r) + c(g) * 256 + c(b) * 65536;
  }

  function sprite_get_width(spr) { return spr && spr.__pd_kind === 'sprite' ? spr.__pd_w : 0; }
  function sprite_get_height(spr) { return spr && spr.__pd_kind === 'sprite' ? spr.__pd_h : 0; }
  function object_get_name(obj) {
    if (isInstance(obj)) obj = obj.object_index;
    return isTemplate(obj) ? obj.__pd_name : '';
  }

  function show_message(text) {
    try { win.alert(String(text)); } catch (e) { /* no dialogs here */ }
    // Time spent in the box is not game time, and keys let go meanwhile were missed.
    releaseAll();
    lastTime = null;
  }

  function show_debug_message(text) { if (win.console) console.log(String(text)); }

  // ---------------------------------------------------------------------------
  // Scenes
  // ---------------------------------------------------------------------------

  var scene = {
    color: '#000', image: null, tilex: 0, tiley: 0, stretch: 0, pattern: null, layers: [], xb: 0, yb: 0
  };
  var follow = { obj: null, inst: null };
  var pendingScene = null;
  var firstScene = null;

  function room_start(self, name, w, h, speed, red, green, blue, bgImage, tilex, tiley, stretch, vw, vh, vobj, xb, yb) {
    w = num(w, 0); h = num(h, 0); vw = num(vw, 0); vh = num(vh, 0);
    if (vw <= 0) vw = w > 0 ? w : 640;
    if (vh <= 0) vh = h > 0 ? h : 480;
    if (w <= 0) w = vw;
    if (h <= 0) h = vh;
    speed = num(speed, 30);
    win.room = self;
    win.room_width = w;
    win.room_height = h;
    win.room_speed = speed > 0 ? speed : 30;
    win.view_width = Math.round(vw);
    win.view_height = Math.round(vh);
    win.view_x = 0;
    win.view_y = 0;
    scene.color = colorCss(make_color_rgb(red, green, blue));
    scene.image = (bgImage && typeof bgImage === 'object' && 'naturalWidth' in bgImage) ? bgImage : null;
    scene.tilex = num(tilex, 0);
    scene.tiley = num(tiley, 0);
    scene.stretch = num(stretch, 0);
    scene.pattern = null;
    follow.obj = isTemplate(vobj) ? vobj : null;
    follow.inst = null;
    scene.xb = Math.max(0, num(xb, 0));
    scene.yb = Math.max(0, num(yb, 0));
    scene.layers = readTiles(self && self.tiles);
    sizeCanvas(win.view_width, win.view_height);
  }

  // The scene's tiles, grouped by layer depth, deepest first.
  function readTiles(tree) {
    var layers = [];
    if (!tree || !tree.length) return layers;
    for (var d = 0; d < tree.length; d++) {
      var group = tree[d];
      if (!group || !group.length) continue;
      var layer = { depth: num(group[0], 0), tiles: [] };
      for (var b = 1; b < group.length; b++) {
        var bgGroup = group[b];
        if (!bgGroup || !bgGroup.length) continue;
        var bg = bgGroup[0];
        if (!bg || !bg.image) { warn('A tile of scene ' + nameOf(win.room) + ' uses a background without a picture.'); continue; }
        for (var i = 1; i < bgGroup.length; i++) {
          var t = bgGroup[i];
          if (!t || t.length < 6) continue;
          layer.tiles.push({ img: bg.image, l: num(t[0], 0), t: num(t[1], 0), w: num(t[2], 0), h: num(t[3], 0),
            x: num(t[4], 0), y: num(t[5], 0) });
        }
      }
      layers.push(layer);
    }
    layers.sort(function (a, b) { return b.depth - a.depth; });
    return layers;
  }

  function isScene(s) { return !!s && typeof s.start === 'function'; }

  function room_goto(s) {
    if (!isScene(s)) { warn('room_goto was given something that is not a scene.'); return; }
    pendingScene = s;
  }

  function sceneIndex() { return pd_scenes.indexOf(win.room); }

  function room_goto_next() {
    var i = sceneIndex();
    if (i >= 0 && i + 1 < pd_scenes.length) room_goto(pd_scenes[i + 1]);
  }

  function room_goto_previous() {
    var i = sceneIndex();
    if (i > 0) room_goto(pd_scenes[i - 1]);
  }

  function room_restart() { if (isScene(win.room)) room_goto(win.room); }

  function game_restart() {
    win.score = 0;
    win.lives = 3;
    win.health = 100;
    sound_stop_all();
    if (isScene(firstScene)) pendingScene = firstScene;
  }

  function enterScene(s) {
    for (var i = 0; i < instances.length; i++) fire(instances[i], 'on_roomend');
    for (i = 0; i < instances.length; i++) {
      var o = instances[i];
      if (o.__pd_alive) { o.__pd_alive = false; o.object_index.__pd_count--; }
    }
    instances = [];
    someoneDied = false;
    gridClear();
    cur = null; curEv = null; curObj = null;
    try {
      s.start();
    } catch (e) {
      reportError('Error in the code of scene ' + nameOf(s) + ': ' + describe(e));
    }
    if (win.room !== s) {
      // The scene's start did not describe the scene; keep the game coherent.
      room_start(s, '', win.room_width, win.room_height, win.room_speed, 0, 0, 0, null, 0, 0, 0, 0, 0, null, 0, 0);
    }
    var made = [], list = s.objects;
    if (list && list.length) {
      for (var k = 0; k < list.length; k++) {
        var entry = list[k];
        var e = (entry && entry.length !== undefined) ? entry[0] : entry;
        if (!e || !isTemplate(e.o)) { warn('Scene ' + nameOf(s) + ' holds an instance of a missing object.'); continue; }
        var inst = makeInstance(e.o, e.x, e.y);
        if (e.d !== undefined) inst.direction = e.d;
        if (e.a !== undefined) inst.image_angle = num(e.a, 0);
        made.push(inst);
      }
    }
    for (k = 0; k < made.length; k++) fire(made[k], 'on_creation');
    for (k = 0; k < instances.length; k++) fire(instances[k], 'on_roomstart');
    compact();
    updateView();
  }

  function switchScenes() {
    // A scene that sends the game on at once may do so a few times; a loop of scenes
    // that never settles is cut off.
    for (var n = 0; pendingScene && n < 16; n++) {
      var s = pendingScene;
      pendingScene = null;
      enterScene(s);
    }
    pendingScene = null;
  }

  // ---------------------------------------------------------------------------
  // The view and the canvas
  // ---------------------------------------------------------------------------

  function followed() {
    var i = follow.inst;
    if (i && i.__pd_alive && matches(i, follow.obj)) return i;
    follow.inst = null;
    for (var k = 0; k < instances.length; k++) {
      if (instances[k].__pd_alive && matches(instances[k], follow.obj)) { follow.inst = instances[k]; break; }
    }
    return follow.inst;
  }

  function updateView() {
    var vw = win.view_width, vh = win.view_height;
    var vx = num(win.view_x, 0), vy = num(win.view_y, 0);
    if (follow.obj) {
      var o = followed();
      if (o) {
        var bx = Math.min(scene.xb, vw / 2), by = Math.min(scene.yb, vh / 2);
        if (o.__pd_x - vx < bx) vx = o.__pd_x - bx;
        else if (vx + vw - o.__pd_x < bx) vx = o.__pd_x + bx - vw;
        if (o.__pd_y - vy < by) vy = o.__pd_y - by;
        else if (vy + vh - o.__pd_y < by) vy = o.__pd_y + by - vh;
      }
    }
    var mx = win.room_width - vw, my = win.room_height - vh;
    vx = vx > mx ? mx : vx;
    vy = vy > my ? my : vy;
    win.view_x = vx < 0 ? 0 : vx;
    win.view_y = vy < 0 ? 0 : vy;
    updateMouse();
  }

  function sizeCanvas(w, h) {
    if (!canvas) return;
    w = Math.max(1, Math.min(8192, Math.round(w)));
    h = Math.max(1, Math.min(8192, Math.round(h)));
    if (canvas.width !== w) canvas.width = w;
    if (canvas.height !== h) canvas.height = h;
    // Pixel art stays sharp when scaled, as on the scaled canvas itself (resizing
    // the canvas forgets this setting).
    ctx.imageSmoothingEnabled = false;
    fitCanvas();
  }

  // Where the page's own content ends, measured from the top of the window: the game's
  // element holds only the canvas, which takes no room in the page, so whatever else the
  // page shows (the "Made with" line of the studio's page) stands at the top.
  function pageContentBottom() {
    var nodes = doc.body ? doc.body.childNodes : [], bottom = 0;
    for (var i = 0; i < nodes.length; i++) {
      var n = nodes[i], r = null;
      if (n === gameHost || n === errorBox) continue;
      if (n.nodeType === 1) {
        var position = win.getComputedStyle(n).position;
        if (position === 'fixed' || position === 'absolute') continue;
        r = n.getBoundingClientRect();
      } else if (n.nodeType === 3 && /\S/.test(n.nodeValue)) {
        var range = doc.createRange();
        range.selectNodeContents(n);
        r = range.getBoundingClientRect();
      }
      if (r && r.height > 0 && r.bottom > bottom) bottom = r.bottom;
    }
    return Math.ceil(bottom);
  }

  // Scaled to fill as much of the window as it can, keeping its proportions, centred,
  // and below the page's own line of content so that the line stays readable and
  // clickable. A page whose own content takes more than a quarter of the window is
  // laid out by its author; the canvas fills the window over it as it always did.
  function fitCanvas() {
    if (!canvas) return;
    var ww = win.innerWidth || canvas.width, wh = win.innerHeight || canvas.height;
    var above = pageContentBottom();
    if (above > wh / 4) above = 0;
    var s = Math.min(ww / canvas.width, (wh - above) / canvas.height);
    if (!(s > 0)) s = 1;
    var cw = Math.floor(canvas.width * s), ch = Math.floor(canvas.height * s);
    var st = canvas.style;
    st.width = cw + 'px';
    st.height = ch + 'px';
    st.left = Math.floor((ww - cw) / 2) + 'px';
    st.top = Math.max(above, Math.floor((wh - ch) / 2)) + 'px';
  }

  function setupPage() {
    var host = doc.getElementById('pondarogame');
    if (!host) {
      // A page of the user's own without the game's element still gets the game.
      host = doc.createElement('div');
      host.id = 'pondarogame';
      doc.body.appendChild(host);
    }
    gameHost = host;
    canvas = doc.createElement('canvas');
    canvas.width = 640;
    canvas.height = 480;
    canvas.style.cssText = 'position:fixed;left:0;top:0;display:block;z-index:1;' +
      'image-rendering:pixelated;image-rendering:crisp-edges;touch-action:none;outline:none;';
    canvas.tabIndex = 0;
    host.appendChild(canvas);
    ctx = canvas.getContext('2d');
    fitCanvas();
    win.addEventListener('resize', fitCanvas);
    win.addEventListener('keydown', onKeyDown);
    win.addEventListener('keyup', onKeyUp);
    win.addEventListener('blur', releaseAll);
    win.addEventListener('pointermove', trackMouse);
    win.addEventListener('pointerdown', onPointerDown);
    win.addEventListener('pointerup', onPointerUp);
    canvas.addEventListener('contextmenu', function (e) { e.preventDefault(); });
    try { canvas.focus(); } catch (e) { /* focus is a nicety */ }
  }

  function drawLoading() {
    if (!ctx) return;
    var w = canvas.width, h = canvas.height;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.globalAlpha = 1;
    ctx.fillStyle = '#000';
    ctx.fillRect(0, 0, w, h);
    var bw = Math.floor(w * 0.6), bh = 12, bx = Math.floor((w - bw) / 2), by = Math.floor(h / 2 - bh / 2);
    ctx.strokeStyle = '#fff';
    ctx.lineWidth = 1;
    ctx.strokeRect(bx + 0.5, by + 0.5, bw, bh);
    ctx.fillStyle = '#fff';
    var part = images.length ? imagesDone / images.length : 1;
    ctx.fillRect(bx + 2, by + 2, Math.floor((bw - 3) * part), bh - 3);
  }

  function drawMessage(text) {
    if (!ctx) return;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = '#000';
    ctx.fillRect(0, 0, canvas.width, canvas.height);
    ctx.fillStyle = '#fff';
    ctx.font = DEFAULT_FONT;
    ctx.textAlign = 'center';
    ctx.textBaseline = 'middle';
    ctx.fillText(text, canvas.width / 2, canvas.height / 2);
  }

  // ---------------------------------------------------------------------------
  // One step of the game
  // ---------------------------------------------------------------------------

  var stepCount = 0;
  var drawList = [];

  function byDepth(a, b) { return num(b.depth, 0) - num(a.depth, 0); }

  function drawBackground() {
    var img = scene.image;
    if (!drawable(img)) return;
    var rw = win.room_width, rh = win.room_height;
    if (scene.stretch) { ctx.drawImage(img, 0, 0, rw, rh); return; }
    if (!scene.tilex && !scene.tiley) { ctx.drawImage(img, 0, 0); return; }
    // A pattern fills the view in one go, however small the picture.
    if (!scene.pattern) {
      scene.pattern = ctx.createPattern(img, scene.tilex && scene.tiley ? 'repeat' : (scene.tilex ? 'repeat-x' : 'repeat-y'));
    }
    if (!scene.pattern) return;
    ctx.fillStyle = scene.pattern;
    ctx.fillRect(scene.tilex ? viewOffX : 0, scene.tiley ? viewOffY : 0,
      scene.tilex ? canvas.width : img.naturalWidth, scene.tiley ? canvas.height : img.naturalHeight);
  }

  function drawLayer(layer) {
    var vl = viewOffX, vt = viewOffY, vr = vl + canvas.width, vb = vt + canvas.height;
    var ts = layer.tiles;
    for (var i = 0; i < ts.length; i++) {
      var t = ts[i];
      if (t.x >= vr || t.y >= vb || t.x + t.w <= vl || t.y + t.h <= vt || t.w <= 0 || t.h <= 0) continue;
      if (!drawable(t.img)) continue;
      ctx.drawImage(t.img, t.l, t.t, t.w, t.h, t.x, t.y, t.w, t.h);
    }
  }

  function drawPhase() {
    if (!ctx) return;
    drawStamp++;
    viewOffX = Math.floor(num(win.view_x, 0));
    viewOffY = Math.floor(num(win.view_y, 0));
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.globalAlpha = 1;
    ctx.fillStyle = scene.color;
    ctx.fillRect(0, 0, canvas.width, canvas.height);
    resetTransform();
    drawBackground();

    drawList.length = 0;
    var sorted = true, prev = Infinity;
    for (var i = 0; i < instances.length; i++) {
      var o = instances[i];
      if (!o.__pd_alive || !o.visible) continue;
      var d = num(o.depth, 0);
      if (d > prev) sorted = false;
      prev = d;
      drawList.push(o);
    }
    if (!sorted) drawList.sort(byDepth);   // stable: equal depths keep creation order

    var layers = scene.layers, li = 0;
    for (i = 0; i < drawList.length; i++) {
      var inst = drawList[i];
      var depth = num(inst.depth, 0);
      while (li < layers.length && layers[li].depth >= depth) drawLayer(layers[li++]);
      if (inst.__pd_alive && inst.visible) fire(inst, 'on_draw');
    }
    while (li < layers.length) drawLayer(layers[li++]);
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.globalAlpha = 1;
  }

  function move(o) {
    var sp = o.__pd_sp;
    var fr = num(o.friction, 0);
    if (fr !== 0 && sp !== 0) {
      var s2 = Math.abs(sp) - fr;
      setPolar(o, s2 > 0 ? (sp > 0 ? s2 : -s2) : 0, o.__pd_dir);
    }
    var g = num(o.gravity, 0);
    if (g !== 0) {
      var gd = num(o.gravity_direction, 270) * DEG;
      setVelocity(o, o.__pd_hs + tidy(g * Math.cos(gd)), o.__pd_vs - tidy(g * Math.sin(gd)));
    }
    if (o.__pd_hs !== 0 || o.__pd_vs !== 0) {
      o.__pd_x += o.__pd_hs;
      o.__pd_y += o.__pd_vs;
      markDirty(o);
    }
  }

  function animate(o) {
    var s = o.__pd_spr;
    var n = s ? s.__pd_frames.length : 0;
    o.image_number = n;
    var spd = num(o.image_speed, 0);
    if (!n || spd === 0) return;
    var next = num(o.image_index, 0) + spd;
    if (next < n && next >= 0) { o.image_index = next; return; }
    // The animation ran past its end: the event sees the last frame; unless it changes
    // the frame or stops the animation, the animation then starts over.
    var wrapped = ((next % n) + n) % n;
    o.image_index = n - 1;
    fire(o, 'on_animationend');
    if (o.image_index === n - 1 && num(o.image_speed, 0) !== 0) o.image_index = wrapped;
  }

  function runPhase(ev) {
    var n = instances.length;
    for (var i = 0; i < n; i++) fire(instances[i], ev);
  }

  function runStep() {
    stepCount++;
    latchInput();
    updateMouse();
    var n = instances.length, i, o;
    for (i = 0; i < n; i++) {
      o = instances[i];
      o.xprevious = o.__pd_x;
      o.yprevious = o.__pd_y;
    }
    runPhase('on_step');
    n = instances.length;
    for (i = 0; i < n; i++) { o = instances[i]; if (o.__pd_alive) move(o); }
    n = instances.length;
    for (i = 0; i < n; i++) {
      o = instances[i];
      if (o.__pd_coll) fire(o, 'on_collision');
    }
    runPhase('on_end_step');
    n = instances.length;
    for (i = 0; i < n; i++) { o = instances[i]; if (o.__pd_alive) animate(o); }
    compact();
    updateView();
    drawPhase();
    compact();
    countFps();
    if (pendingScene) switchScenes();
  }

  var fpsCount = 0, fpsSince = 0;
  function countFps() {
    var now = (win.performance && performance.now) ? performance.now() : Date.now();
    fpsCount++;
    if (!fpsSince) fpsSince = now;
    if (now - fpsSince >= 1000) {
      win.fps = Math.round(fpsCount * 1000 / (now - fpsSince));
      fpsCount = 0;
      fpsSince = now;
    }
  }

  // ---------------------------------------------------------------------------
  // The loop: fixed steps at the scene's speed, whatever the screen's refresh rate.
  // ---------------------------------------------------------------------------

  var running = false, paused = false, lastTime = null, owed = 0;
  var MAX_STEPS_PER_FRAME = 20;

  function frame(now) {
    win.requestAnimationFrame(frame);
    if (!running || paused) { lastTime = null; return; }
    var speed = num(win.room_speed, 30);
    if (speed <= 0) speed = 30;
    if (speed > 1000) speed = 1000;
    var stepMs = 1000 / speed;
    if (lastTime === null) { lastTime = now; owed = stepMs; }
    owed += now - lastTime;
    lastTime = now;
    // After a pause of the page (another tab, a dialog) the game goes on where it was
    // instead of running the missed time at full speed; a busy moment of the computer
    // is made up for.
    if (owed > 1000 && owed > stepMs * 3) owed = stepMs;
    var steps = 0;
    while (owed >= stepMs && steps < MAX_STEPS_PER_FRAME && running && !paused) {
      owed -= stepMs;
      runStep();
      steps++;
    }
    if (steps === MAX_STEPS_PER_FRAME) owed = 0;
  }

  function finishTemplates() {
    for (var i = 0; i < templates.length; i++) {
      templates[i].__pd_custom = null;
      customEvents(templates[i]);
    }
  }

  function startGame() {
    booted = true;
    finishTemplates();
    firstScene = pd_room_to_go;
    if (!isScene(firstScene)) {
      if (pd_scenes.length && isScene(pd_scenes[0])) firstScene = pd_scenes[0];
      else { drawMessage('This game has no scene.'); markReady(); return; }
    }
    enterScene(firstScene);
    switchScenes();
    running = true;
    markReady();
  }

  function boot() {
    setupPage();
    drawLoading();
    if (testMode) installTestHook();
    if (imagesDone === images.length) startGame();
    else onImagesDone = startGame;
    win.requestAnimationFrame(frame);
  }

  // ---------------------------------------------------------------------------
  // Test hook: only with ?test in the page address (the engine's own browser tests
  // step the game by hand and read its state). Games never see it otherwise.
  // ---------------------------------------------------------------------------

  var testMode = /[?&]test(=|&|$)/.test(win.location && win.location.search || '');
  var hook = null;

  function markReady() { if (hook) hook.ready = true; }

  function installTestHook() {
    paused = /[?&]test=paused(&|$)/.test(win.location.search);
    hook = {
      ready: false,
      pause: function () { paused = true; },
      resume: function () { paused = false; lastTime = null; },
      step: function (n) {
        if (!running) return stepCount;
        n = Math.max(1, num(n, 1) | 0);
        for (var i = 0; i < n; i++) runStep();
        return stepCount;
      },
      steps: function () { return stepCount; },
      errors: errors,
      warnings: warnings,
      setBroadphase: function (mode) { broadphase = mode === 'naive' ? 'naive' : 'grid'; },
      state: function () {
        var list = [];
        for (var i = 0; i < instances.length; i++) {
          var o = instances[i];
          if (!o.__pd_alive) continue;
          list.push({ object: o.object_index.__pd_name, id: o.id, x: o.__pd_x, y: o.__pd_y, depth: o.depth,
            visible: o.visible, image_index: o.image_index, image_number: o.image_number, speed: o.__pd_sp,
            direction: o.__pd_dir, hspeed: o.__pd_hs, vspeed: o.__pd_vs });
        }
        var playing = [];
        for (i = 0; i < sounds.length; i++) {
          var ps = sounds[i].__pd_playing;
          for (var k = 0; k < ps.length; k++) playing.push({ sound: sounds[i].__pd_name, paused: ps[k].paused, loop: ps[k].loop });
        }
        return {
          room: win.room ? nameOf(win.room) : null,
          steps: stepCount,
          speed: win.room_speed,
          fps: win.fps,
          view: { x: win.view_x, y: win.view_y, w: win.view_width, h: win.view_height },
          canvas: canvas ? { w: canvas.width, h: canvas.height } : null,
          instances: list,
          sounds: playing,
          music: music ? { sound: music.snd.__pd_name, waiting: music.waiting, paused: music.el.paused } : null,
          errors: errors.slice(),
          warnings: warnings.slice()
        };
      }
    };
    win.__pondaro_test = hook;
  }

  // ---------------------------------------------------------------------------
  // What the game's code can use
  // ---------------------------------------------------------------------------

  var KEY_CODES = {
    vk_nokey: 0, vk_anykey: 1,
    vk_backspace: 8, vk_tab: 9, vk_enter: 13, vk_shift: 16, vk_ctrl: 17, vk_alt: 18, vk_pause: 19,
    vk_escape: 27, vk_space: 32, vk_pageup: 33, vk_pagedown: 34, vk_end: 35, vk_home: 36,
    vk_left: 37, vk_up: 38, vk_right: 39, vk_down: 40, vk_insert: 45, vk_delete: 46,
    vk_multiply: 106, vk_add: 107, vk_subtract: 109, vk_decimal: 110, vk_divide: 111
  };
  var c;
  for (c = 0; c <= 9; c++) { KEY_CODES['vk_' + c] = 48 + c; KEY_CODES['vk_num' + c] = 96 + c; }
  for (c = 0; c < 26; c++) KEY_CODES['vk_' + String.fromCharCode(97 + c)] = 65 + c;
  for (c = 1; c <= 12; c++) KEY_CODES['vk_f' + c] = 111 + c;

  var CONSTANTS = {
    mb_any: -1, mb_none: 0, mb_left: 1, mb_right: 2, mb_middle: 3,
    fa_left: 0, fa_center: 1, fa_right: 2, fa_top: 0, fa_middle: 1, fa_bottom: 2,
    c_black: 0, c_white: 16777215, c_gray: 8421504, c_red: 255, c_green: 32768, c_blue: 16711680,
    c_yellow: 65535, c_orange: 4235519, c_purple: 8388736, c_aqua: 16776960, c_fuchsia: 16711935,
    c_lime: 65280, c_silver: 12632256, c_ltgray: 12632256, c_dkgray: 4210752, c_maroon: 128,
    c_navy: 8388608, c_olive: 32896, c_teal: 8421376
  };

  var API = {
    __sprite_init__: sprite_init,
    __audio_init__: audio_init,
    __background_init__: background_init,
    __font_init__: font_init,
    __instance_init__: instance_init,
    __room_start__: room_start,
    __handle_sprite__: handle_sprite,
    on_creation_i: DEFAULTS.on_creation,
    on_destroy_i: DEFAULTS.on_destroy,
    on_step_i: DEFAULTS.on_step,
    on_end_step_i: DEFAULTS.on_end_step,
    on_collision_i: DEFAULTS.on_collision,
    on_roomstart_i: DEFAULTS.on_roomstart,
    on_roomend_i: DEFAULTS.on_roomend,
    on_animationend_i: DEFAULTS.on_animationend,
    on_draw_i: DEFAULTS.on_draw,

    instance_create: instance_create, instance_destroy: instance_destroy, instance_exists: instance_exists,
    instance_number: instance_number, instance_find: instance_find, instance_nearest: instance_nearest,
    instance_place: instance_place, place_meeting: place_meeting, place_free: place_free,
    collision_point: collision_point, collision_rectangle: collision_rectangle,
    motion_set: motion_set, move_towards_point: move_towards_point, move_wrap: move_wrap,
    distance_to_point: distance_to_point, distance_to_object: distance_to_object, event_inherited: event_inherited,
    point_distance: point_distance, point_direction: point_direction, lengthdir_x: lengthdir_x, lengthdir_y: lengthdir_y,
    keyboard_check: keyboard_check, keyboard_check_pressed: keyboard_check_pressed,
    keyboard_check_released: keyboard_check_released, mouse_check_button: mouse_check_button,
    mouse_check_button_pressed: mouse_check_button_pressed, mouse_check_button_released: mouse_check_button_released,
    ord: ord,
    draw_self: draw_self, draw_sprite: draw_sprite, draw_sprite_ext: draw_sprite_ext, draw_background: draw_background,
    draw_text: draw_text, draw_set_font: draw_set_font, draw_set_color: draw_set_color, draw_get_color: draw_get_color,
    draw_set_alpha: draw_set_alpha, draw_get_alpha: draw_get_alpha, draw_set_halign: draw_set_halign,
    draw_set_valign: draw_set_valign, draw_rectangle: draw_rectangle, draw_circle: draw_circle, draw_line: draw_line,
    make_color_rgb: make_color_rgb, sprite_get_width: sprite_get_width, sprite_get_height: sprite_get_height,
    object_get_name: object_get_name,
    sound_play: sound_play, sound_loop: sound_loop, sound_stop: sound_stop, sound_stop_all: sound_stop_all,
    music_play: music_play, music_stop: music_stop,
    room_goto: room_goto, room_goto_next: room_goto_next, room_goto_previous: room_goto_previous,
    room_restart: room_restart, game_restart: game_restart,
    random: random, random_range: random_range, irandom: irandom, irandom_range: irandom_range, choose: choose,
    clamp: clamp, sign: sign, degtorad: degtorad, radtodeg: radtodeg,
    show_message: show_message, show_debug_message: show_debug_message
  };

  // Functions that act on an instance are its methods too: inside an object's code
  // they apply to that instance, and with(other) { ... } applies them to the other.
  var METHODS = ['place_meeting', 'place_free', 'instance_place', 'instance_destroy', 'motion_set',
    'move_towards_point', 'move_wrap', 'draw_self', 'event_inherited', 'distance_to_point', 'distance_to_object'];

  // The game's own functions are defined before this runs (function declarations come
  // first); one that has an engine function's name is what the game's author wrote,
  // and it stays.
  var name;
  for (name in API) {
    if (typeof win[name] === 'function' && Object.prototype.hasOwnProperty.call(win, name)) continue;
    win[name] = API[name];
  }
  for (name in KEY_CODES) win[name] = KEY_CODES[name];
  for (name in CONSTANTS) win[name] = CONSTANTS[name];
  for (var mi = 0; mi < METHODS.length; mi++) {
    Object.defineProperty(Base, METHODS[mi], { value: API[METHODS[mi]], writable: true, enumerable: false, configurable: true });
  }

  win.room = null;
  win.room_width = 640;
  win.room_height = 480;
  win.room_speed = 30;
  win.view_x = 0;
  win.view_y = 0;
  win.view_width = 640;
  win.view_height = 480;
  win.mouse_x = 0;
  win.mouse_y = 0;
  win.score = 0;
  win.lives = 3;
  win.health = 100;
  win.fps = 0;

  // Called by the last line of the game, once its resources, objects and scenes are
  // defined; a game whose script failed on the way never starts. Kept on the scene
  // list so the engine adds no global name a resource of the game could take.
  Object.defineProperty(pd_scenes, '__pd_start', {
    value: function () {
      if (doc.readyState === 'loading' || !doc.body) doc.addEventListener('DOMContentLoaded', boot);
      else boot();
    }
  });
})();

// ---------------------------------------------------------------------------
// The game
// ---------------------------------------------------------------------------

//PONDARO_EXTENSIONS

//PONDARO_GLOBAL_VARIABLES

//PONDARO_GLOBAL_FUNCTIONS

//PONDARO_SPRITES

//PONDARO_SOUNDS

//PONDARO_MUSICS

//PONDARO_BACKGROUNDS

//PONDARO_FONTS

//PONDARO_OBJECTS

//PONDARO_SCENES

pd_scenes.__pd_start();
