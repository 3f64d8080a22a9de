#include "project/record_fields.h"

namespace pondaro {

namespace {

template <class R>
constexpr FieldDef<R> txt(const char* attr, std::string R::*m) { return {attr, m, nullptr}; }
template <class R>
constexpr FieldDef<R> num(const char* attr, int R::*m) { return {attr, nullptr, m}; }

const FieldDef<Sprite> kSprite[] = {
    txt<Sprite>("name", &Sprite::name),
    num<Sprite>("centerx", &Sprite::centerx),
    num<Sprite>("centery", &Sprite::centery),
    txt<Sprite>("collisionshape", &Sprite::collisionshape),
    num<Sprite>("collisionradius", &Sprite::collisionradius),
    num<Sprite>("collisionleft", &Sprite::collisionleft),
    num<Sprite>("collisionright", &Sprite::collisionright),
    num<Sprite>("collisiontop", &Sprite::collisiontop),
    num<Sprite>("collisionbottom", &Sprite::collisionbottom),
    txt<Sprite>("keywords", &Sprite::keywords),
    num<Sprite>("uid", &Sprite::uid),
};

const FieldDef<Frame> kFrame[] = {
    txt<Frame>("file", &Frame::file),
    txt<Frame>("sprite", &Frame::sprite),
};

template <class Clip>
constexpr FieldDef<Clip> kClipFields[] = {
    txt<Clip>("name", &Clip::name), txt<Clip>("wav", &Clip::wav),           txt<Clip>("mp3", &Clip::mp3),
    txt<Clip>("ogg", &Clip::ogg),   txt<Clip>("keywords", &Clip::keywords), num<Clip>("uid", &Clip::uid),
};

const FieldDef<Background> kBackground[] = {
    txt<Background>("name", &Background::name),
    txt<Background>("file", &Background::file),
    num<Background>("tile", &Background::tile),
    num<Background>("tileheight", &Background::tileheight),
    num<Background>("tilewidth", &Background::tilewidth),
    num<Background>("tilexoffset", &Background::tilexoffset),
    num<Background>("tileyoffset", &Background::tileyoffset),
    num<Background>("tilexspace", &Background::tilexspace),
    num<Background>("tileyspace", &Background::tileyspace),
    txt<Background>("keywords", &Background::keywords),
    num<Background>("uid", &Background::uid),
};

const FieldDef<Font> kFont[] = {
    txt<Font>("name", &Font::name),      txt<Font>("family", &Font::family), num<Font>("size", &Font::size),
    num<Font>("bold", &Font::bold),      num<Font>("italic", &Font::italic), txt<Font>("keywords", &Font::keywords),
    num<Font>("uid", &Font::uid),
};

const FieldDef<GameObject> kObject[] = {
    txt<GameObject>("name", &GameObject::name),
    txt<GameObject>("template", &GameObject::templ),
    num<GameObject>("prototype", &GameObject::prototype),
    txt<GameObject>("scene", &GameObject::scene),
    txt<GameObject>("sprite", &GameObject::sprite),
    num<GameObject>("x", &GameObject::x),
    num<GameObject>("y", &GameObject::y),
    num<GameObject>("visible", &GameObject::visible),
    num<GameObject>("depth", &GameObject::depth),
    num<GameObject>("collision", &GameObject::collision),
    txt<GameObject>("parent", &GameObject::parent),
    num<GameObject>("direction", &GameObject::direction),
    num<GameObject>("image_angle", &GameObject::image_angle),
    txt<GameObject>("keywords", &GameObject::keywords),
    num<GameObject>("uid", &GameObject::uid),
};

const FieldDef<Script> kScript[] = {
    txt<Script>("name", &Script::name),
    txt<Script>("object", &Script::object),
    txt<Script>("event", &Script::event),
    txt<Script>("parameter", &Script::parameter),
};

const FieldDef<Scene> kScene[] = {
    txt<Scene>("name", &Scene::name),
    num<Scene>("width", &Scene::width),
    num<Scene>("height", &Scene::height),
    num<Scene>("speed", &Scene::speed),
    num<Scene>("red", &Scene::red),
    num<Scene>("green", &Scene::green),
    num<Scene>("blue", &Scene::blue),
    txt<Scene>("background", &Scene::background),
    num<Scene>("backgroundstretch", &Scene::backgroundstretch),
    num<Scene>("backgroundtilex", &Scene::backgroundtilex),
    num<Scene>("backgroundtiley", &Scene::backgroundtiley),
    num<Scene>("viewportwidth", &Scene::viewportwidth),
    num<Scene>("viewportheight", &Scene::viewportheight),
    num<Scene>("viewportxborder", &Scene::viewportxborder),
    num<Scene>("viewportyborder", &Scene::viewportyborder),
    txt<Scene>("viewportobject", &Scene::viewportobject),
    txt<Scene>("keywords", &Scene::keywords),
    num<Scene>("uid", &Scene::uid),
};

const FieldDef<Layer> kLayer[] = {
    txt<Layer>("name", &Layer::name),
    txt<Layer>("scene", &Layer::scene),
    num<Layer>("value", &Layer::value),
};

const FieldDef<Tile> kTile[] = {
    txt<Tile>("name", &Tile::name), txt<Tile>("background", &Tile::background), num<Tile>("width", &Tile::width),
    num<Tile>("height", &Tile::height), num<Tile>("x", &Tile::x),               num<Tile>("y", &Tile::y),
    num<Tile>("top", &Tile::top),   num<Tile>("left", &Tile::left),             num<Tile>("depth", &Tile::depth),
    txt<Tile>("scene", &Tile::scene),
};

const FieldDef<GameFunction> kFunction[] = {
    txt<GameFunction>("name", &GameFunction::name),
    txt<GameFunction>("params", &GameFunction::params),
    txt<GameFunction>("description", &GameFunction::description),
    txt<GameFunction>("keywords", &GameFunction::keywords),
    num<GameFunction>("uid", &GameFunction::uid),
};

const FieldDef<Point> kPoint[] = {
    txt<Point>("sprite", &Point::sprite),
    num<Point>("x", &Point::x),
    num<Point>("y", &Point::y),
};

} // namespace

const RecordLayout<Sprite>& spriteLayout() {
    static const RecordLayout<Sprite> l{"sprites", "sprite", kSprite};
    return l;
}
const RecordLayout<Frame>& frameLayout() {
    static const RecordLayout<Frame> l{"frames", "frame", kFrame};
    return l;
}
const RecordLayout<Sound>& soundLayout() {
    static const RecordLayout<Sound> l{"sounds", "sound", kClipFields<Sound>};
    return l;
}
const RecordLayout<Music>& musicLayout() {
    static const RecordLayout<Music> l{"musics", "music", kClipFields<Music>};
    return l;
}
const RecordLayout<Background>& backgroundLayout() {
    static const RecordLayout<Background> l{"backgrounds", "background", kBackground};
    return l;
}
const RecordLayout<Font>& fontLayout() {
    static const RecordLayout<Font> l{"fonts", "font", kFont};
    return l;
}
const RecordLayout<GameObject>& objectLayout() {
    static const RecordLayout<GameObject> l{"objects", "object", kObject};
    return l;
}
const RecordLayout<Script>& scriptLayout() {
    static const RecordLayout<Script> l{"scripts", "script", kScript, &Script::code};
    return l;
}
const RecordLayout<Scene>& sceneLayout() {
    static const RecordLayout<Scene> l{"scenes", "scene", kScene, &Scene::code};
    return l;
}
const RecordLayout<Layer>& layerLayout() {
    static const RecordLayout<Layer> l{"layers", "layer", kLayer};
    return l;
}
const RecordLayout<Tile>& tileLayout() {
    static const RecordLayout<Tile> l{"tiles", "tile", kTile};
    return l;
}
const RecordLayout<GameFunction>& functionLayout() {
    static const RecordLayout<GameFunction> l{"fns", "fn", kFunction, &GameFunction::code};
    return l;
}
const RecordLayout<Point>& pointLayout() {
    static const RecordLayout<Point> l{"points", "point", kPoint};
    return l;
}

} // namespace pondaro
