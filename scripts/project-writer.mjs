// Writes Pondaro projects (Projects/NAME.xml with its img/ and aud/ folders) from
// JavaScript, with pictures and sounds made in code. Used by the sample generator,
// the engine's browser tests and the engine benchmark, so none of them needs the
// studio's windows. The XML is the project file the studio itself writes; opening
// and saving it with pondaro-cli gives the same records back.
import { mkdirSync, writeFileSync } from 'node:fs';
import { join } from 'node:path';
import { deflateSync } from 'node:zlib';

// ---- Pictures ----------------------------------------------------------------------

const CRC_TABLE = (() => {
  const t = new Uint32Array(256);
  for (let n = 0; n < 256; n++) {
    let c = n;
    for (let k = 0; k < 8; k++) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
    t[n] = c >>> 0;
  }
  return t;
})();

function crc32(buf) {
  let c = 0xffffffff;
  for (const b of buf) c = CRC_TABLE[(c ^ b) & 0xff] ^ (c >>> 8);
  return (c ^ 0xffffffff) >>> 0;
}

function chunk(type, data) {
  const out = Buffer.alloc(12 + data.length);
  out.writeUInt32BE(data.length, 0);
  out.write(type, 4, 'ascii');
  data.copy(out, 8);
  out.writeUInt32BE(crc32(out.subarray(4, 8 + data.length)), 8 + data.length);
  return out;
}

// An RGBA picture with straight alpha, drawn with a few primitives.
export class Picture {
  constructor(width, height, fill = [0, 0, 0, 0]) {
    this.width = width;
    this.height = height;
    this.data = Buffer.alloc(width * height * 4);
    this.rect(0, 0, width, height, fill);
  }

  set(x, y, [r, g, b, a = 255]) {
    x = Math.floor(x);
    y = Math.floor(y);
    if (x < 0 || y < 0 || x >= this.width || y >= this.height) return this;
    const i = (y * this.width + x) * 4;
    this.data[i] = r;
    this.data[i + 1] = g;
    this.data[i + 2] = b;
    this.data[i + 3] = a;
    return this;
  }

  get(x, y) {
    const i = (y * this.width + x) * 4;
    return [this.data[i], this.data[i + 1], this.data[i + 2], this.data[i + 3]];
  }

  rect(x, y, w, h, color) {
    for (let j = y; j < y + h; j++) for (let i = x; i < x + w; i++) this.set(i, j, color);
    return this;
  }

  frame(x, y, w, h, color) {
    for (let i = x; i < x + w; i++) this.set(i, y, color).set(i, y + h - 1, color);
    for (let j = y; j < y + h; j++) this.set(x, j, color).set(x + w - 1, j, color);
    return this;
  }

  // A filled disc centred on (cx, cy), pixel centres inside radius r.
  disc(cx, cy, r, color) {
    for (let j = Math.floor(cy - r); j <= Math.ceil(cy + r); j++)
      for (let i = Math.floor(cx - r); i <= Math.ceil(cx + r); i++)
        if ((i + 0.5 - cx) ** 2 + (j + 0.5 - cy) ** 2 <= r * r) this.set(i, j, color);
    return this;
  }

  line(x0, y0, x1, y1, color) {
    const n = Math.max(Math.abs(x1 - x0), Math.abs(y1 - y0), 1);
    for (let k = 0; k <= n; k++) this.set(x0 + ((x1 - x0) * k) / n, y0 + ((y1 - y0) * k) / n, color);
    return this;
  }

  // Top-to-bottom blend of two colours.
  gradient(x, y, w, h, top, bottom) {
    for (let j = 0; j < h; j++) {
      const t = h > 1 ? j / (h - 1) : 0;
      const c = top.map((v, k) => Math.round(v + ((bottom[k] ?? 255) - v) * t));
      for (let i = 0; i < w; i++) this.set(x + i, y + j, c);
    }
    return this;
  }

  png() {
    const { width, height, data } = this;
    const raw = Buffer.alloc((width * 4 + 1) * height);
    for (let y = 0; y < height; y++) {
      raw[y * (width * 4 + 1)] = 0;
      data.copy(raw, y * (width * 4 + 1) + 1, y * width * 4, (y + 1) * width * 4);
    }
    const header = Buffer.alloc(13);
    header.writeUInt32BE(width, 0);
    header.writeUInt32BE(height, 4);
    header[8] = 8;  // bits per channel
    header[9] = 6;  // RGBA
    return Buffer.concat([
      Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
      chunk('IHDR', header),
      chunk('IDAT', deflateSync(raw, { level: 9 })),
      chunk('IEND', Buffer.alloc(0)),
    ]);
  }
}

// ---- Sounds ------------------------------------------------------------------------

// Mono 8-bit PCM WAV from samples in -1..1.
export function wav(samples, rate = 22050) {
  const n = samples.length;
  const out = Buffer.alloc(44 + n);
  out.write('RIFF', 0, 'ascii');
  out.writeUInt32LE(36 + n, 4);
  out.write('WAVEfmt ', 8, 'ascii');
  out.writeUInt32LE(16, 16);
  out.writeUInt16LE(1, 20);      // PCM
  out.writeUInt16LE(1, 22);      // mono
  out.writeUInt32LE(rate, 24);
  out.writeUInt32LE(rate, 28);   // bytes per second
  out.writeUInt16LE(1, 32);      // block align
  out.writeUInt16LE(8, 34);      // bits per sample
  out.write('data', 36, 'ascii');
  out.writeUInt32LE(n, 40);
  for (let i = 0; i < n; i++) out[44 + i] = Math.max(0, Math.min(255, Math.round(128 + 127 * samples[i])));
  return out;
}

// Notes of `seconds` each: frequency in Hz (0 = rest), square or sine, fading out.
export function tones(notes, { seconds = 0.1, rate = 22050, wave = 'square', volume = 0.4, slide = 0 } = {}) {
  const per = Math.round(seconds * rate);
  const out = new Float32Array(per * notes.length);
  let phase = 0;
  let seed = 12345;  // noise from a fixed sequence, so the files come out the same each time
  const noise = () => ((seed = (seed * 1103515245 + 12345) >>> 0) / 0x80000000) - 1;
  notes.forEach((f, k) => {
    for (let i = 0; i < per; i++) {
      const t = i / per;
      const freq = f * (1 + slide * t);
      phase += (2 * Math.PI * freq) / rate;
      const v = wave === 'sine' ? Math.sin(phase) : wave === 'noise' ? noise() : Math.sign(Math.sin(phase));
      out[k * per + i] = f > 0 || wave === 'noise' ? v * volume * (1 - t * 0.8) : 0;
    }
  });
  return out;
}

// ---- The project file ----------------------------------------------------------------

function escape(text, attribute) {
  let out = '';
  for (const ch of String(text)) {
    const c = ch.codePointAt(0);
    if (ch === '&') out += '&amp;';
    else if (ch === '<') out += '&lt;';
    else if (ch === '>') out += '&gt;';
    else if (ch === '"') out += attribute ? '&quot;' : '"';
    else if (ch === '\r') out += '&#13;';
    else if (ch === '\n') out += attribute ? '&#10;' : '\n';
    else if (ch === '\t') out += attribute ? '&#9;' : '\t';
    else if (c < 0x20) continue;
    else out += ch;
  }
  return out;
}

// The record layouts, attribute order as the studio writes them.
const LAYOUTS = {
  sprites: ['sprite', ['name', 'centerx', 'centery', 'collisionshape', 'collisionradius', 'collisionleft',
    'collisionright', 'collisiontop', 'collisionbottom', 'keywords', 'uid']],
  frames: ['frame', ['file', 'sprite']],
  sounds: ['sound', ['name', 'wav', 'mp3', 'ogg', 'keywords', 'uid']],
  musics: ['music', ['name', 'wav', 'mp3', 'ogg', 'keywords', 'uid']],
  backgrounds: ['background', ['name', 'file', 'tile', 'tileheight', 'tilewidth', 'tilexoffset', 'tileyoffset',
    'tilexspace', 'tileyspace', 'keywords', 'uid']],
  fonts: ['font', ['name', 'family', 'size', 'bold', 'italic', 'keywords', 'uid']],
  objects: ['object', ['name', 'template', 'prototype', 'scene', 'sprite', 'x', 'y', 'visible', 'depth', 'collision',
    'parent', 'direction', 'image_angle', 'keywords', 'uid']],
  scripts: ['script', ['name', 'object', 'event', 'parameter'], 'code'],
  scenes: ['scene', ['name', 'width', 'height', 'speed', 'red', 'green', 'blue', 'background', 'backgroundstretch',
    'backgroundtilex', 'backgroundtiley', 'viewportwidth', 'viewportheight', 'viewportxborder', 'viewportyborder',
    'viewportobject', 'keywords', 'uid'], 'code'],
  layers: ['layer', ['name', 'scene', 'value']],
  tiles: ['tile', ['name', 'background', 'width', 'height', 'x', 'y', 'top', 'left', 'depth', 'scene']],
  fns: ['fn', ['name', 'params', 'description', 'keywords', 'uid'], 'code'],
  points: ['point', ['sprite', 'x', 'y']],
};

export class Project {
  constructor({ title = '', advancedscriptmode = 0, functions = '', variables = '', comments = '' } = {}) {
    Object.assign(this, { title, advancedscriptmode, functions, variables, comments });
    for (const list of Object.keys(LAYOUTS)) this[list] = [];
    this.files = [];  // [folder, name, bytes]
    this.counter = 1;
    this.instanceCount = 0;
  }

  uid() { return ++this.counter; }

  // frames: Pictures, in animation order. The collision box defaults to the frame.
  sprite(name, frames, opts = {}) {
    const w = frames[0]?.width ?? 0, h = frames[0]?.height ?? 0;
    this.sprites.push({
      name, centerx: 0, centery: 0, collisionshape: 'Box', collisionradius: Math.floor(w / 2),
      collisionleft: 0, collisionright: w, collisiontop: 0, collisionbottom: h, keywords: '', ...opts, uid: this.uid(),
    });
    frames.forEach((pic, i) => {
      this.frames.push({ file: String(i + 1), sprite: name });
      this.files.push(['img', `${name}_${i + 1}.png`, pic.png()]);
    });
    return name;
  }

  // One sound file; `kind` is 'wav', 'mp3' or 'ogg'.
  sound(name, bytes, { music = false, kind = 'wav', keywords = '' } = {}) {
    const file = `${name}.${kind}`;
    const rec = { name, wav: '', mp3: '', ogg: '', keywords, uid: this.uid() };
    rec[kind] = file;
    (music ? this.musics : this.sounds).push(rec);
    this.files.push(['aud', file, bytes]);
    return name;
  }

  // picture: a Picture, or null for a background without an image.
  background(name, picture, opts = {}) {
    const file = picture ? `${name}.png` : '';
    this.backgrounds.push({
      name, file, tile: 0, tileheight: 32, tilewidth: 32, tilexoffset: 0, tileyoffset: 0, tilexspace: 0,
      tileyspace: 0, keywords: '', ...opts, uid: this.uid(),
    });
    if (picture) this.files.push(['img', file, picture.png()]);
    return name;
  }

  font(name, family = 'Arial', size = 12, bold = 0, italic = 0, keywords = '') {
    this.fonts.push({ name, family, size, bold, italic, keywords, uid: this.uid() });
    return name;
  }

  // events: { 'Step': code, 'Collision': [[otherObject, code], ...], ... }
  object(name, { sprite = '', parent = '', visible = 1, depth = 0, collision = 1, keywords = '', events = {} } = {}) {
    this.objects.push({
      name, template: '', prototype: 1, scene: '', sprite, x: 0, y: 0, visible, depth, collision, parent,
      direction: 0, image_angle: 0, keywords, uid: this.uid(),
    });
    for (const [event, code] of Object.entries(events)) {
      if (event === 'Collision') for (const [other, c] of code) this.script(name, event, c, other);
      else this.script(name, event, code);
    }
    return name;
  }

  script(object, event, code, parameter = '') {
    this.scripts.push({ name: `scr_${this.scripts.length + 1}`, object, event, parameter, code });
  }

  scene(name, opts = {}) {
    this.scenes.push({
      name, width: 640, height: 480, speed: 30, red: 0, green: 0, blue: 0, background: '', backgroundstretch: 0,
      backgroundtilex: 0, backgroundtiley: 0, viewportwidth: 640, viewportheight: 480, viewportxborder: 50,
      viewportyborder: 50, viewportobject: '', keywords: '', uid: this.uid(), code: '', ...opts,
    });
    return name;
  }

  // An instance keeps its template's depth and sprite, as the studio's scene window
  // places it (the scene canvas draws it with that sprite).
  instance(scene, object, x, y, { direction = 0, image_angle = 0 } = {}) {
    const template = this.objects.find((o) => o.name === object && o.prototype === 1);
    const depth = template?.depth ?? 0, sprite = template?.sprite ?? '';
    const name = `SceneObject${++this.instanceCount}`;
    this.objects.push({
      name, template: object, prototype: 0, scene, sprite, x, y, visible: 1, depth, collision: 1, parent: '',
      direction, image_angle, keywords: '', uid: this.uid(),
    });
    return name;
  }

  layer(scene, depth) {
    const name = `layer_${this.layers.length + 1}`;
    this.layers.push({ name, scene, value: depth });
    return name;
  }

  // A tile cut at (left, top) of the background, placed at (x, y).
  tile(scene, background, depth, left, top, width, height, x, y) {
    this.tiles.push({ name: `tile_${this.tiles.length + 1}`, background, width, height, x, y, top, left, depth, scene });
  }

  fn(name, params, code, description = '', keywords = '') {
    this.fns.push({ name, params, description, keywords, uid: this.uid(), code });
  }

  // The identity counter as the studio holds it once it has read the file: reading
  // restarts it from the number of records, so saving the project writes that back.
  counterAfterReading() {
    return ['sprites', 'sounds', 'musics', 'fonts', 'backgrounds', 'objects', 'scenes', 'fns', 'frames', 'scripts',
      'tiles', 'layers'].reduce((sum, list) => sum + this[list].length, 0);
  }

  xml() {
    let out = '<?xml version="1.0" encoding="UTF-8"?>\r\n';
    out += `<pondaro version="200" uid="${this.counterAfterReading()}" title="${escape(this.title, true)}" ` +
      `advancedscriptmode="${this.advancedscriptmode}" imgfolder="img" audfolder="aud">`;
    for (const el of ['functions', 'variables', 'comments']) out += `<${el}>${escape(this[el], false)}</${el}>`;
    for (const [list, [item, attrs, body]] of Object.entries(LAYOUTS)) {
      out += `<${list} count="${this[list].length}">`;
      for (const r of this[list]) {
        out += `<${item}`;
        for (const a of attrs) out += ` ${a}="${escape(r[a] ?? '', true)}"`;
        out += body ? `>${escape(r[body] ?? '', false)}</${item}>` : '/>';
      }
      out += `</${list}>`;
    }
    return out + '</pondaro>\r\n';
  }

  // Writes root/Projects/NAME.xml and the project folder with its media.
  write(root, name) {
    const projects = join(root, 'Projects');
    const folder = join(projects, name);
    for (const sub of ['img', 'aud']) mkdirSync(join(folder, sub), { recursive: true });
    for (const [sub, file, bytes] of this.files) writeFileSync(join(folder, sub, file), bytes);
    writeFileSync(join(projects, `${name}.xml`), this.xml());
    return folder;
  }
}
