#include "large_project.h"

#include <algorithm>
#include <ctime>
#include <vector>

#include "base/files.h"
#include "image/codecs.h"
#include "project/model.h"
#include "project/naming.h"
#include "project/project_file.h"
#include "project/working_folder.h"
#include "timing.h"

namespace pondaro::bench {

namespace fs = std::filesystem;

namespace {

// A small generator of our own rather than <random>'s distributions, whose results
// differ between standard libraries: the project must be the same file everywhere.
class Random {
public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // A value in [0, n).
    int below(int n) { return n <= 0 ? 0 : int(next() % uint64_t(n)); }
    uint8_t byte() { return uint8_t(next() & 0xFF); }

private:
    uint64_t state_;
};

int scaled(int n, int scale) { return std::max(1, n / std::max(1, scale)); }

// A sprite frame: a coloured blob on a transparent ground with a band that moves from
// frame to frame and some speckle, so the PNGs compress like drawn pictures rather
// than like flat colour.
Image frameImage(Random& rng, int side, int frame) {
    Image img(side, side);
    const uint8_t r = rng.byte(), g = rng.byte(), b = rng.byte();
    const int cx = side / 2 + rng.below(5) - 2, cy = side / 2 + rng.below(5) - 2;
    const int radius = side / 3 + rng.below(side / 6 + 1);
    const int band = (frame * side / 4) % side;
    for (int y = 0; y < side; ++y) {
        for (int x = 0; x < side; ++x) {
            int dx = x - cx, dy = y - cy;
            if (dx * dx + dy * dy > radius * radius) continue;
            Rgba c{r, g, b, 255};
            if (y >= band && y < band + side / 8) c = {uint8_t(255 - r), uint8_t(255 - g), uint8_t(255 - b), 255};
            if (rng.below(8) == 0) c.r = uint8_t(c.r ^ (rng.byte() & 0x3F));
            int shade = (dx + dy) * 2;
            c.g = uint8_t(std::clamp(int(c.g) - shade, 0, 255));
            img.setPixel(x, y, c);
        }
    }
    return img;
}

// A tile set: a grid of cells, each with its own colour, a border and a diagonal, so
// that the cells the tiles are cut from really differ.
Image tileSetImage(Random& rng, int side, int cell) {
    Image img(side, side);
    for (int top = 0; top < side; top += cell) {
        for (int left = 0; left < side; left += cell) {
            const uint8_t r = rng.byte(), g = rng.byte(), b = rng.byte();
            for (int y = top; y < std::min(side, top + cell); ++y) {
                for (int x = left; x < std::min(side, left + cell); ++x) {
                    int u = x - left, v = y - top;
                    bool edge = u == 0 || v == 0 || u == cell - 1 || v == cell - 1;
                    bool diagonal = u == v || u + v == cell - 1;
                    Rgba c{r, g, b, 255};
                    if (edge) c = {uint8_t(r / 2), uint8_t(g / 2), uint8_t(b / 2), 255};
                    else if (diagonal) c = {uint8_t(255 - r), g, uint8_t(255 - b), 255};
                    else if (rng.below(16) == 0) c.b = uint8_t(c.b ^ 0x20);
                    img.setPixel(x, y, c);
                }
            }
        }
    }
    return img;
}

// A plain background: a gradient with a few dots.
Image backgroundImage(Random& rng, int side) {
    Image img(side, side);
    const int r0 = rng.below(256), g0 = rng.below(256);
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x)
            img.setPixel(x, y, {uint8_t((r0 + x * 2) & 0xFF), uint8_t((g0 + y * 2) & 0xFF), uint8_t((x * y) & 0xFF), 255});
    for (int k = 0; k < side; ++k) img.setPixel(rng.below(side), rng.below(side), {255, 255, 255, 255});
    return img;
}

void putLe(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
}

// A short mono 8-bit PCM sound (about a twentieth of a second of a square wave).
std::string waveFile(Random& rng) {
    const uint32_t rate = 22050, samples = 1024 + uint32_t(rng.below(1024));
    const int period = 20 + rng.below(60);
    std::string wav = "RIFF";
    putLe(wav, 36 + samples, 4);
    wav += "WAVEfmt ";
    putLe(wav, 16, 4);
    putLe(wav, 1, 2);     // PCM
    putLe(wav, 1, 2);     // mono
    putLe(wav, rate, 4);
    putLe(wav, rate, 4);  // bytes per second
    putLe(wav, 1, 2);     // block align
    putLe(wav, 8, 2);     // bits per sample
    wav += "data";
    putLe(wav, samples, 4);
    for (uint32_t i = 0; i < samples; ++i) wav += char((i / uint32_t(period)) % 2 ? 0xC0 : 0x40);
    return wav;
}

const char* const kEvents[] = {"Creation", "Step", "Collision", "Draw", "Destroy"};

// A few lines of event code in the studio's CR LF line ends, with the characters
// (<, &, ") the file has to escape.
std::string scriptCode(Random& rng, const std::string& object, const std::string& event) {
    std::string code = "// " + event + " of " + object + "\r\n";
    code += "this.speed = " + std::to_string(1 + rng.below(8)) + ";\r\n";
    code += "if (this.x < 0 && this.hspeed < 0) {\r\n";
    code += "    this.x = room_width;\r\n";
    code += "}\r\n";
    code += "show_debug_message(\"" + object + " at \" + this.x + \", \" + this.y);\r\n";
    if (rng.below(3) == 0) code += "score += " + std::to_string(rng.below(100)) + ";\r\n";
    return code;
}

std::string functionCode(Random& rng, int n) {
    std::string code = "var total = 0;\r\n";
    code += "for (var i = 0; i < count; i++) {\r\n";
    code += "    total += i * " + std::to_string(n % 17 + 1) + ";\r\n";
    code += "}\r\n";
    if (rng.below(2)) code += "if (total > limit) total = limit;\r\n";
    code += "return total;\r\n";
    return code;
}

} // namespace

LargeProjectSize largeProjectSize(int scale) {
    LargeProjectSize s;
    s.sprites = scaled(s.sprites, scale);
    s.templates = scaled(s.templates, scale);
    s.scenes = scaled(s.scenes, scale);
    s.functions = scaled(s.functions, scale);
    s.sounds = scaled(s.sounds, scale);
    s.backgrounds = scaled(s.backgrounds, scale);
    s.tileSets = std::min(s.tileSets, s.backgrounds);
    return s;
}

LargeProjectCounts expectedCounts(const LargeProjectSize& s) {
    LargeProjectCounts c;
    c.sprites = size_t(s.sprites);
    c.frames = size_t(s.sprites) * size_t(s.framesPerSprite);
    c.sounds = size_t(s.sounds);
    c.backgrounds = size_t(s.backgrounds);
    c.templates = size_t(s.templates);
    c.objects = size_t(s.templates) + size_t(s.scenes) * size_t(s.instancesPerScene);
    for (size_t t = 0; t < s.extraInstances.size() && t < size_t(s.templates) && s.scenes > 0; ++t)
        c.objects += size_t(s.extraInstances[t]);
    c.scripts = size_t(s.templates) * size_t(s.scriptsPerTemplate);
    c.scenes = size_t(s.scenes);
    c.layers = size_t(s.scenes) * 2;
    c.tiles = size_t(s.scenes) * size_t(s.tilesPerScene);
    c.fns = size_t(s.functions);
    return c;
}

Status fillLargeProject(Project& p, const LargeProjectSize& size, const fs::path& work, uint64_t seed) {
    Random rng(seed);
    const bool withMedia = !work.empty();
    const LargeProjectCounts expected = expectedCounts(size);
    p.sprites.reserve(expected.sprites);
    p.frames.reserve(expected.frames);
    p.objects.reserve(expected.objects);
    p.scripts.reserve(expected.scripts);
    p.tiles.reserve(expected.tiles);

    p.game.title = "Large benchmark game";
    p.game.variables = "var score = 0;\r\nvar lives = 3;\r\n";
    p.game.functions = "function clamp(v, lo, hi) {\r\n    return v < lo ? lo : v > hi ? hi : v;\r\n}\r\n";
    p.game.comments = "Generated for the project file benchmarks.\r\n";

    // Sprites and their frames.
    std::vector<std::string> spriteNames;
    for (int i = 0; i < size.sprites; ++i) {
        std::string sprite = createSprite(p);
        p.sprites.edit(p.sprites.size() - 1, [&](Sprite& s) {
            s.centerx = size.frameSide / 2;
            s.centery = size.frameSide / 2;
            s.collisionright = size.frameSide - 1;
            s.collisionbottom = size.frameSide - 1;
            if (i % 7 == 0) {
                s.collisionshape = "Circle";
                s.collisionradius = size.frameSide / 2;
            }
        });
        for (int f = 0; f < size.framesPerSprite; ++f) {
            Frame frame;
            frame.file = std::to_string(p.nextIdentity());
            frame.sprite = sprite;
            frame.image = frameImage(rng, size.frameSide, f);
            p.frames.push_back(std::move(frame));
        }
        spriteNames.push_back(std::move(sprite));
    }

    // Sounds, each with its wave file in the working folder.
    for (int i = 0; i < size.sounds; ++i) {
        std::string sound = createSound(p);
        p.sounds.edit(p.sounds.size() - 1, [&](Sound& s) { s.wav = sound + ".wav"; });
        const std::string wave = waveFile(rng);  // made either way, so the records stay the same
        if (!withMedia) continue;
        if (Status st = writeFileAtomic(work / (sound + ".wav"), wave, WriteMode::Fast); !st) return st;
    }

    // Backgrounds: the first ones are tile sets, the rest plain pictures.
    std::vector<std::string> tileSets, plainBackgrounds;
    for (int i = 0; i < size.backgrounds; ++i) {
        std::string background = createBackground(p);
        const std::string file = background + ".png";
        Image picture;
        p.backgrounds.edit(p.backgrounds.size() - 1, [&](Background& b) {
            b.file = file;
            if (i < size.tileSets) {
                b.tile = 1;
                b.tilewidth = size.tileSide;
                b.tileheight = size.tileSide;
            }
        });
        if (i < size.tileSets) {
            picture = tileSetImage(rng, size.tileSetSide, size.tileSide);
            tileSets.push_back(background);
        } else {
            picture = backgroundImage(rng, size.plainBackgroundSide);
            plainBackgrounds.push_back(background);
        }
        if (!withMedia) continue;
        if (Status st = savePng(picture, work / file, WriteMode::Fast); !st) return st;
    }

    // Object templates with their scripts.
    std::vector<size_t> templateIndex;
    for (int i = 0; i < size.templates; ++i) {
        std::string object = createObject(p);
        size_t index = p.objects.size() - 1;
        p.objects.edit(index, [&](GameObject& o) {
            o.sprite = spriteNames[size_t(rng.below(int(spriteNames.size())))];
            o.depth = rng.below(200) - 100;
            if (i > 0 && rng.below(4) == 0) o.parent = p.objects[templateIndex[size_t(rng.below(i))]].name;
        });
        templateIndex.push_back(index);
        for (int k = 0; k < size.scriptsPerTemplate; ++k) {
            Script script;
            script.name = freshName(p, ResourceKind::Script, "script_");
            script.object = object;
            script.event = kEvents[k % std::size(kEvents)];
            if (script.event == "Collision")
                script.parameter = p.objects[templateIndex[size_t(rng.below(int(templateIndex.size())))]].name;
            script.code = scriptCode(rng, object, script.event);
            p.scripts.add(std::move(script));
        }
    }

    // Scenes: instances of the templates, and tiles on two layers.
    for (int i = 0; i < size.scenes; ++i) {
        std::string scene = createScene(p);
        p.scenes.edit(p.scenes.size() - 1, [&](Scene& s) {
            s.width = 2048;
            s.height = 2048;
            s.red = rng.below(256);
            s.green = rng.below(256);
            s.blue = rng.below(256);
            if (!plainBackgrounds.empty())
                s.background = plainBackgrounds[size_t(rng.below(int(plainBackgrounds.size())))];
            s.backgroundtilex = 1;
            s.backgroundtiley = 1;
            s.code = "// start of " + scene + "\r\nscore = 0;\r\n";
        });
        for (int k = 0; k < size.instancesPerScene; ++k) {
            const GameObject& t = p.objects[templateIndex[size_t(rng.below(int(templateIndex.size())))]];
            GameObject o;
            o.prototype = 0;
            o.templ = t.name;
            o.sprite = t.sprite;
            o.scene = scene;
            o.x = rng.below(2048);
            o.y = rng.below(2048);
            o.visible = t.visible;
            o.depth = t.depth;
            o.collision = t.collision;
            o.name = freshName(p, ResourceKind::Object, "instance_");
            o.uid = p.nextIdentity();
            p.objects.add(std::move(o));
        }
        int depth[2];
        for (int l = 0; l < 2; ++l) {
            createLayer(p, scene);
            depth[l] = 1000000 - l;
            p.layers.edit(p.layers.size() - 1, [&](Layer& rec) { rec.value = depth[l]; });
        }
        if (tileSets.empty()) continue;
        const int cells = std::max(1, size.tileSetSide / size.tileSide);
        for (int k = 0; k < size.tilesPerScene; ++k) {
            Tile tile;
            tile.name = freshName(p, ResourceKind::Tile, "tile_");
            tile.background = tileSets[size_t(rng.below(int(tileSets.size())))];
            tile.left = rng.below(cells) * size.tileSide;
            tile.top = rng.below(cells) * size.tileSide;
            tile.width = size.tileSide;
            tile.height = size.tileSide;
            // A grid position per tile, so each layer is a filled-in map.
            const int perLayer = (size.tilesPerScene + 1) / 2, column = (k % perLayer) % 64, row = (k % perLayer) / 64;
            tile.x = column * size.tileSide;
            tile.y = row * size.tileSide;
            tile.depth = depth[k / perLayer];
            tile.scene = scene;
            p.tiles.add(std::move(tile));
        }
    }

    for (int i = 0; i < size.functions; ++i) {
        std::string fn = createFunction(p);
        p.fns.edit(p.fns.size() - 1, [&](GameFunction& f) {
            f.params = "count, limit";
            f.description = "Sums the first count multiples, at most limit (" + fn + ").";
            f.code = functionCode(rng, i);
        });
    }

    // The crowded templates: more instances of the first templates, spread over the scenes.
    for (size_t t = 0; t < size.extraInstances.size() && t < templateIndex.size() && !p.scenes.empty(); ++t) {
        const GameObject& crowded = p.objects[templateIndex[t]];
        const std::string templ = crowded.name, sprite = crowded.sprite;
        const int depth = crowded.depth;
        for (int k = 0; k < size.extraInstances[t]; ++k) {
            GameObject o;
            o.templ = templ;
            o.sprite = sprite;
            o.depth = depth;
            o.scene = p.scenes[size_t(k) % p.scenes.size()].name;
            o.x = rng.below(2048);
            o.y = rng.below(2048);
            o.image_angle = k % 4 == 0 ? 90 : 0;
            o.name = freshName(p, ResourceKind::Object, "instance_");
            o.uid = p.nextIdentity();
            p.objects.add(std::move(o));
        }
    }
    return Status::success();
}

Status writeLargeProject(const fs::path& root, const std::string& name, const LargeProjectSize& size, uint64_t seed) {
    Project p;
    p.name = name;
    p.workingFolder = createWorkingFolder(root, timeOfDayNow());
    if (p.workingFolder.empty()) return Status::failure("cannot create a working folder under " + root.string());
    const fs::path work = root / p.workingFolder;
    // The working folder is only a staging place for the media; Save copies it out.
    struct RemoveOnExit {
        fs::path path;
        ~RemoveOnExit() { removeAll(path); }
    } removeWork{work};
    if (Status st = fillLargeProject(p, size, work, seed); !st) return st;
    return writeProject(p, root);
}

} // namespace pondaro::bench
