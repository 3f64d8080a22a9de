// "Your first game" of the manual, done step by step in the real windows: each step of
// the table below is the text the reader sees and what the test does for it, and
// scripts/make-first-game.py writes docs/manual/first-game.html from the texts, so the
// page and the test cannot drift apart. The game made here is then played in headless
// Chromium (scripts/engine-test.sh --tutorial): the arrow keys move the player, the
// wall stops it with its sound.
//
// A step's text is the raw string (delimited by "step") that opens its entry in the
// table, which the script reads in order; code the reader types is given in <pre> blocks
// of the text and typed by the test from there.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include <wx/bmpcbox.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/listctrl.h>
#include <wx/notebook.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

#include "app/ui/editor_hooks.h"
#include "code/ui/code_editor.h"
#include "code/ui/code_windows.h"
#include "code_screens.h"
#include "image/codecs.h"
#include "resources/ui/object_window.h"
#include "scene/ui/scene_window.h"
#include "sprites/ui/frames_editor.h"
#include "sprites/ui/image_editor_window.h"
#include "sprites/ui/sprite_window.h"
#include "sprites/ui/strip_import_window.h"
#include "support/fake_ports.h"
#include "ui/studio_window.h"

using namespace pondaro;
using namespace pondaro::gui;
namespace fs = std::filesystem;

namespace {

const fs::path kSource = PONDARO_SOURCE_DIR;
const fs::path kPictures = kSource / "docs" / "manual" / "tutorial";
constexpr Rgba kWhite{255, 255, 255, 255};
// The scene's grid, one tile of the ground and one wall each.
constexpr int kCell = 32;

// The code of the k-th <pre> block of a step's text, as the reader types it.
std::string codeIn(const std::string& text, int k) {
    size_t at = 0;
    for (int i = 0; i <= k; ++i) {
        at = text.find("<pre>", at);
        if (at == std::string::npos) return {};
        at += 5;
    }
    std::string code = text.substr(at, text.find("</pre>", at) - at);
    const std::pair<std::string, std::string> entities[] = {{"&lt;", "<"}, {"&gt;", ">"}, {"&amp;", "&"}};
    for (const auto& [entity, character] : entities) {
        for (size_t p = code.find(entity); p != std::string::npos; p = code.find(entity, p + 1))
            code.replace(p, entity.size(), character);
    }
    return code;
}

void send(wxWindow* view, wxEventType type, wxPoint at, bool left, bool shift = false) {
    wxMouseEvent e(type);
    e.SetPosition(at);
    e.SetLeftDown(left);
    e.SetShiftDown(shift);
    e.SetEventObject(view);
    view->GetEventHandler()->ProcessEvent(e);
}

// The left button pressed at the first point of a view, moved through the others,
// released at the last.
void drag(wxWindow* view, const std::vector<wxPoint>& path, bool shift = false) {
    for (size_t k = 0; k < path.size(); ++k) send(view, k ? wxEVT_MOTION : wxEVT_LEFT_DOWN, path[k], true, shift);
    send(view, wxEVT_LEFT_UP, path.back(), false, shift);
}

struct Tutorial : testing::Test {
    void SetUp() override {
        // The studio reads the real engine template at start-up, as it does beside the program.
        fs::copy_file(kSource / "data" / "export.js", s.folder.path() / "export.js");
        main = startWithEveryWindow(s.studio);
        ASSERT_NE(main, nullptr);
    }
    void TearDown() override { closeStudio(s.studio, main); }

    Project& p() { return s.studio.project; }
    // The record last added to a table, whose window "Add new ..." opened.
    template <class Record>
    static std::string newest(const Table<Record>& table) {
        return table.empty() ? std::string() : table[table.size() - 1].name;
    }
    void add(const char* entry) {
        menu(main, "Resources", entry);
        pump();
    }

    // A button pressed as the reader presses it: by the caption the page gives, which is
    // the one on the screen (or the tool tip of a picture button).
    void press(wxWindow* w, const char* name, const std::string& caption) {
        wxWindow* button = child(w, name);
        ASSERT_NE(button, nullptr) << name;
        wxString shown = button->GetLabel().Strip(wxString::both);
        if (shown.empty() && button->GetToolTip()) shown = button->GetToolTip()->GetTip();
        EXPECT_EQ(shown.utf8_string(), caption) << name;
        EXPECT_NE(page.find("<em>" + escaped(caption) + "</em>"), std::string::npos)
            << "no <em>" << caption << "</em> on the page";
        click(button);
    }
    void menu(wxFrame* w, const std::string& menu, const std::string& entry) {
        EXPECT_NE(page.find("<em>" + menu + " &rsaquo; " + entry + "</em>"), std::string::npos)
            << "no <em>" << menu << " &rsaquo; " << entry << "</em> on the page";
        chooseMenu(w, menu.c_str(), entry.c_str());
    }
    static std::string escaped(const std::string& text) {
        std::string out;
        for (char c : text) out += c == '<' ? "&lt;" : c == '>' ? "&gt;" : c == '&' ? "&amp;" : std::string(1, c);
        return out;
    }

    // A sprite made in its window from a picture of the manual cut into columns.
    void spriteFromStrip(const std::string& name, const char* picture, int columns) {
        add("Add new sprite");
        sprite = newest(p().sprites);
        wxFrame* w = ui::findSpriteWindow(sprite);
        ASSERT_NE(w, nullptr);
        child<wxTextCtrl>(w, "name")->SetValue(name);
        s.dialogs.files = {(kPictures / picture).string()};
        press(w, "load", "Load...");
        wxFrame* import = ui::findStripImportWindow(sprite);
        ASSERT_NE(import, nullptr);
        child<wxTextCtrl>(import, "columns")->SetValue(std::to_string(columns));
        child<wxTextCtrl>(import, "rows")->SetValue("1");
        press(import, "import", "Import!");
        ASSERT_EQ(ui::findStripImportWindow(sprite), nullptr);
        spriteWindow = w;
    }

    // An object with its sprite, its window left open for its events.
    wxFrame* objectWith(const std::string& name, const std::string& sprite) {
        add("Add new object");
        wxFrame* w = ui::findObjectWindow(newest(p().objects));
        if (!w) return nullptr;
        child<wxTextCtrl>(w, "name")->SetValue(name);
        choose(child<wxBitmapComboBox>(w, "sprite"), sprite, wxEVT_COMBOBOX);
        return w;
    }

    // "Add event >>>" with the type chosen; the code typed in the event code editor, OK.
    void addEvent(wxWindow* w, const char* type, const std::string& code, const char* other = nullptr) {
        choose(child<wxBitmapComboBox>(w, "event-type"), type, wxEVT_COMBOBOX);
        press(w, "add-event", "Add event >>>");
        wxWindow* editor = ui::findCodeWindow("event-editor:" + newest(p().objects));
        ASSERT_NE(editor, nullptr);
        if (other) child<wxBitmapComboBox>(editor, "with")->SetStringSelection(other);
        auto* text = child<ui::CodeEditor>(editor, "editor");
        text->SelectAll();
        text->ReplaceSelection(code);
        press(editor, "ok", "OK");
        pump();
    }

    // Clicks the scene's canvas in the middle of grid cell (column, row).
    void clickCell(wxWindow* canvas, int column, int row) {
        const wxPoint at(column * kCell + kCell / 2, row * kCell + kCell / 2);
        drag(canvas, {at});
    }
    // A Shift-drag along one row of grid cells, from the first column to the last.
    void paintRow(wxWindow* canvas, int row, int first, int last) {
        std::vector<wxPoint> path;
        for (int c = first; c <= last; ++c) path.emplace_back(c * kCell + kCell / 2, row * kCell + kCell / 2);
        drag(canvas, path, true);
    }

    TestStudio s;
    ui::MainFrame* main = nullptr;
    // Every step's text, as the page shows them.
    std::string page;
    // The sprite being made (its window's name field is applied at Done) and its window.
    std::string sprite;
    wxFrame* spriteWindow = nullptr;
    wxFrame* sceneWindow = nullptr;
};

// The names the reader gives, as the game's code and the browser test use them.
const char* const kPlayer = "obj_player";
const char* const kWall = "obj_wall";
const char* const kBump = "snd_bump";
const char* const kProject = "walker";
// The grid cells of the scene: the player's, the wall's column and rows, the ground's rows.
constexpr int kPlayerColumn = 3, kPlayerRow = 7;
constexpr int kWallColumn = 13, kWallTop = 5, kWallBottom = 9;

struct TutorialStep {
    const char* text;
    std::function<void(Tutorial&, const std::string& text)> act;
};

const std::vector<TutorialStep>& tutorialSteps() {
    static const std::vector<TutorialStep> steps = {
        {R"step(<p><strong>A new project.</strong> Start the studio: it opens with an empty project.
Whenever you want to start afresh, choose <em>File &rsaquo; New</em> (<kbd>Ctrl+N</kbd>).</p>)step",
         [](Tutorial& t, const std::string&) {
             t.menu(t.main, "File", "New");
             EXPECT_TRUE(t.p().sprites.empty());
             EXPECT_TRUE(t.p().objects.empty());
             EXPECT_TRUE(t.p().scenes.empty());
             EXPECT_TRUE(t.s.dialogs.shown.empty()) << "an untouched project is replaced without a question";
         }},

        {R"step(<p><strong>The player's sprite.</strong> Choose <em>Resources &rsaquo; Add new sprite</em>
(<kbd>Ctrl+1</kbd>). In the sprite's window type the name <code>spr_player</code> and press <em>Load...</em>.
Pick <a href="tutorial/player.png"><code>player.png</code></a> from the manual's <code>tutorial</code>
folder, a strip of four frames of a walk:</p>
<p class="picture"><img src="tutorial/player.png" width="256" height="64" alt="four frames of a walking player"></p>
<p>In <em>Importing image strips</em> set <em>Columns</em> to <code>4</code> and <em>Rows</em> to <code>1</code>,
then press <em>Import!</em>. The sprite now has four frames of 32 &times; 32 pixels.</p>)step",
         [](Tutorial& t, const std::string&) {
             t.spriteFromStrip("spr_player", "player.png", 4);
             ASSERT_EQ(t.p().frames.size(), 4u);
             for (const Frame& f : t.p().frames) EXPECT_EQ(f.image.width(), 32);
         }},

        {R"step(<p><strong>One pixel of your own.</strong> Press <em>Edit</em> to open the sprite's frames, then
<em>Edit &rsaquo; Edit current frame</em>: the image editor opens on the first frame. Press <em>Zoom in</em>,
the last of the three magnifiers, until the zoom reads 800%; with the pencil, <em>Draw on the image</em>,
chosen, click the player's left eye with the left mouse button to give it a white gleam. Press <em>Done</em> in the image
editor, <em>Done</em> in the frames editor, and <em>Done</em> in the sprite's window.</p>)step",
         [](Tutorial& t, const std::string&) {
             ASSERT_NE(t.spriteWindow, nullptr);
             t.press(t.spriteWindow, "edit", "Edit");
             wxFrame* frames = ui::findFramesEditor(t.sprite);
             ASSERT_NE(frames, nullptr);
             t.menu(frames, "Edit", "Edit current frame");
             wxFrame* editor = ui::findImageEditorWindow(t.sprite);
             ASSERT_NE(editor, nullptr);
             for (int k = 0; k < 7; ++k) t.press(editor, "zoom-in", "Zoom in");
             EXPECT_EQ(child<wxStaticText>(editor, "status-2")->GetLabel(), "Zoom: 800%");
             t.press(editor, "draw", "Draw on the image");
             const Rgba before = t.p().frames[0].image.pixel(12, 10);
             drag(child(editor, "canvas"), {{12 * 8 + 4, 10 * 8 + 4}});
             EXPECT_NE(before, kWhite);
             EXPECT_EQ(t.p().frames[0].image.pixel(12, 10), kWhite);
             screenshot("tutorial-image-editor");
             t.press(editor, "done", "Done");
             EXPECT_TRUE(pumpUntil([&] { return ui::findImageEditorWindow(t.sprite) == nullptr; }));
             t.press(frames, "done", "Done");
             EXPECT_EQ(ui::findFramesEditor(t.sprite), nullptr);
             t.press(t.spriteWindow, "done", "Done");
             EXPECT_EQ(ui::findSpriteWindow(t.sprite), nullptr);
             ASSERT_TRUE(t.p().sprites.contains("spr_player"));
             EXPECT_EQ(t.p().frames[0].sprite, "spr_player");
             EXPECT_EQ(t.p().frames[0].image.pixel(12, 10), kWhite);
         }},

        {R"step(<p><strong>A wall.</strong> Add another sprite the same way, named <code>spr_wall</code>, from
<a href="tutorial/wall.png"><code>wall.png</code></a>, one column and one row, and press <em>Done</em>.</p>
<p class="picture"><img src="tutorial/wall.png" width="64" height="64" alt="a square of bricks"></p>)step",
         [](Tutorial& t, const std::string&) {
             t.spriteFromStrip("spr_wall", "wall.png", 1);
             t.press(t.spriteWindow, "done", "Done");
             ASSERT_TRUE(t.p().sprites.contains("spr_wall"));
             ASSERT_EQ(t.p().frames.size(), 5u);
             EXPECT_EQ(t.p().frames[4].sprite, "spr_wall");
         }},

        {R"step(<p><strong>A sound.</strong> Choose <em>Resources &rsaquo; Add new sound</em>
(<kbd>Ctrl+2</kbd>), name it <code>snd_bump</code>, press <em>Set WAV file...</em> and pick
<a href="tutorial/bump.wav"><code>bump.wav</code></a>. Press <em>Done</em>.</p>)step",
         [](Tutorial& t, const std::string&) {
             t.add("Add new sound");
             wxFrame* w = ui::findStudioWindow("Sound properties - " + Tutorial::newest(t.p().sounds));
             ASSERT_NE(w, nullptr);
             child<wxTextCtrl>(w, "name")->SetValue(kBump);
             t.s.dialogs.files = {(kPictures / "bump.wav").string()};
             t.press(w, "set-wav", "Set WAV file...");
             t.press(w, "done", "Done");
             ASSERT_TRUE(t.p().sounds.contains(kBump));
             EXPECT_EQ(t.p().sounds[0].wav, "bump.wav");
         }},

        {R"step(<p><strong>Ground to walk on.</strong> Choose <em>Resources &rsaquo; Add new background</em>
(<kbd>Ctrl+4</kbd>), name it <code>bg_ground</code>, press <em>Select image...</em> and pick
<a href="tutorial/ground.png"><code>ground.png</code></a>: grass, earth and water side by side. Tick
<em>Use as tile set</em>; the tiles are 32 &times; 32 pixels, as the fields already say. Press <em>Done</em>.</p>
<p class="picture"><img src="tutorial/ground.png" width="192" height="64" alt="three tiles: grass, earth and water"></p>)step",
         [](Tutorial& t, const std::string&) {
             t.add("Add new background");
             wxFrame* w = ui::findStudioWindow("Background properties - " + Tutorial::newest(t.p().backgrounds));
             ASSERT_NE(w, nullptr);
             child<wxTextCtrl>(w, "name")->SetValue("bg_ground");
             t.s.dialogs.files = {(kPictures / "ground.png").string()};
             t.press(w, "select-image", "Select image...");
             tick(child<wxCheckBox>(w, "tile"));
             EXPECT_EQ(child<wxTextCtrl>(w, "tile-width")->GetValue(), "32");
             EXPECT_EQ(child<wxTextCtrl>(w, "tile-height")->GetValue(), "32");
             t.press(w, "done", "Done");
             ASSERT_TRUE(t.p().backgrounds.contains("bg_ground"));
             EXPECT_EQ(t.p().backgrounds[0].tile, 1);
             ASSERT_TRUE(t.p().backgrounds[0].picture);
             EXPECT_EQ(t.p().backgrounds[0].picture->width(), 96);
         }},

        {R"step(<p><strong>The wall's object.</strong> Choose <em>Resources &rsaquo; Add new object</em>
(<kbd>Ctrl+6</kbd>), name it <code>obj_wall</code>, choose <code>spr_wall</code> as its <em>Sprite</em> and
press <em>Done</em>.</p>)step",
         [](Tutorial& t, const std::string&) {
             wxFrame* w = t.objectWith(kWall, "spr_wall");
             ASSERT_NE(w, nullptr);
             t.press(w, "done", "Done");
             ASSERT_TRUE(t.p().objects.contains(kWall));
             EXPECT_EQ(t.p().objects[t.p().objects.find(kWall)].sprite, "spr_wall");
         }},

        {R"step(<p><strong>The player's object.</strong> Add another object, <code>obj_player</code> with the sprite
<code>spr_player</code>. Choose <em>Step</em> beside <em>Add event &gt;&gt;&gt;</em> and press the button: the
code you type in the window that opens runs at every step of the game. Type this and press <em>OK</em>:</p>
<pre>if (keyboard_check(vk_left))  { x -= 4; }
if (keyboard_check(vk_right)) { x += 4; }
if (keyboard_check(vk_up))    { y -= 4; }
if (keyboard_check(vk_down))  { y += 4; }</pre>
<p>Then choose <em>Collision</em>, press <em>Add event &gt;&gt;&gt;</em>, choose <code>obj_wall</code> after
<em>with</em>, and type what happens when the player touches a wall: it goes back to where it stood
before the step, and the bump sounds. Press <em>OK</em>, then <em>Done</em>.</p>
<pre>x = xprevious;
y = yprevious;
sound_play(snd_bump);</pre>)step",
         [](Tutorial& t, const std::string& text) {
             wxFrame* w = t.objectWith(kPlayer, "spr_player");
             ASSERT_NE(w, nullptr);
             t.addEvent(w, "Step", codeIn(text, 0));
             t.addEvent(w, "Collision", codeIn(text, 1), kWall);
             auto* events = child<wxListCtrl>(w, "events");
             ASSERT_EQ(events->GetItemCount(), 2);
             EXPECT_EQ(events->GetItemText(1, 1), kWall);
             screenshot("tutorial-object-window");
             t.press(w, "done", "Done");
             ASSERT_EQ(t.p().scripts.size(), 2u);
             for (const Script& handler : t.p().scripts) EXPECT_EQ(handler.object, kPlayer);
             EXPECT_EQ(t.p().scripts[1].code, codeIn(text, 1));
         }},

        {R"step(<p><strong>The scene.</strong> Choose <em>Resources &rsaquo; Add new scene</em> (<kbd>Ctrl+7</kbd>)
and name it <code>level</code>. Type <code>32</code> in the <em>Size</em> field of the grid above the scene,
so that everything falls on the tiles' grid. On the <em>Objects</em> page choose <code>obj_wall</code> under
<em>Object to place</em> and click five cells one above the other on the right of the scene; then choose
<code>obj_player</code> and click once on the left, level with the middle of the wall.</p>)step",
         [](Tutorial& t, const std::string&) {
             t.add("Add new scene");
             wxFrame* w = ui::findSceneWindow(Tutorial::newest(t.p().scenes));
             ASSERT_NE(w, nullptr);
             t.sceneWindow = w;
             child<wxTextCtrl>(w, "name")->ChangeValue("level");
             child<wxTextCtrl>(w, "grid-size")->SetValue(std::to_string(kCell));
             child<wxNotebook>(w, "tabs")->SetSelection(1);
             pump();
             auto* toPlace = child<wxBitmapComboBox>(w, "object-to-place");
             wxWindow* canvas = child(w, "canvas");
             choose(toPlace, kWall, wxEVT_COMBOBOX);
             for (int row = kWallTop; row <= kWallBottom; ++row) t.clickCell(canvas, kWallColumn, row);
             choose(toPlace, kPlayer, wxEVT_COMBOBOX);
             t.clickCell(canvas, kPlayerColumn, kPlayerRow);
             ASSERT_EQ(child<wxListCtrl>(w, "instances")->GetItemCount(), 6);
             const GameObject& player = t.p().objects[t.p().objects.size() - 1];
             EXPECT_EQ(player.templ, kPlayer);
             EXPECT_EQ(player.x, kPlayerColumn * kCell);
             EXPECT_EQ(player.y, kPlayerRow * kCell);
         }},

        {R"step(<p><strong>A tile layer.</strong> On the <em>Tiles</em> page the scene's first tile layer is already
chosen and <code>bg_ground</code> shows as its tile set. Click the grass in the tile set, then hold
<kbd>Shift</kbd> and drag across the scene to paint rows of grass around the player and the wall. Click the
earth and paint the row the player stands on: a path. Press <em>Done</em>.</p>)step",
         [](Tutorial& t, const std::string&) {
             wxFrame* w = t.sceneWindow;
             ASSERT_NE(w, nullptr);
             child<wxNotebook>(w, "tabs")->SetSelection(3);
             pump();
             EXPECT_EQ(child<wxChoice>(w, "tile-image")->GetStringSelection(), "bg_ground");
             wxWindow* picker = child(w, "picker");
             wxWindow* canvas = child(w, "canvas");
             drag(picker, {{kCell / 2, kCell / 2}});  // grass
             for (int row = kWallTop; row <= kWallBottom; ++row)
                 if (row != kPlayerRow) t.paintRow(canvas, row, 0, 19);
             drag(picker, {{kCell + kCell / 2, kCell / 2}});  // earth
             t.paintRow(canvas, kPlayerRow, 0, 19);
             ASSERT_EQ(t.p().tiles.size(), 100u);
             const Tile& path = t.p().tiles[t.p().tiles.size() - 1];
             EXPECT_EQ(path.background, "bg_ground");
             EXPECT_EQ(path.left, kCell);
             EXPECT_EQ(path.y, kPlayerRow * kCell);
             screenshot("tutorial-scene");
             t.press(w, "done", "Done");
             pump();
             EXPECT_EQ(ui::findSceneWindow("level"), nullptr);
             ASSERT_TRUE(t.p().scenes.contains("level"));
             for (const Tile& tile : t.p().tiles) EXPECT_EQ(tile.scene, "level");
         }},

        {R"step(<p><strong>Save.</strong> Press <kbd>Ctrl+S</kbd> (<em>File &rsaquo; Save</em>) and give the project the
name <code>walker</code> (a name without <code>/</code>, <code>\</code> or <code>:</code>, since it becomes a
file name). It is kept as <code>Projects/walker.xml</code> with its pictures and sounds in the
folder <code>Projects/walker</code>.</p>)step",
         [](Tutorial& t, const std::string&) {
             t.s.dialogs.names = {std::optional<std::string>(kProject)};
             t.menu(t.main, "File", "Save");
             EXPECT_FALSE(t.p().modified());
             const fs::path projects = t.s.folder.path() / "Projects";
             EXPECT_TRUE(fs::exists(projects / "walker.xml"));
             EXPECT_TRUE(fs::exists(projects / kProject / "aud" / "bump.wav"));
             EXPECT_TRUE(fs::exists(projects / kProject / "img" / "ground.png"));
         }},

        {R"step(<p><strong>Play.</strong> Press <kbd>F5</kbd> (<em>File &rsaquo; Run game</em>). The studio writes the
game, <code>Projects/walker/index.html</code> with <code>game.js</code>, and opens it in your web browser.
Walk with the arrow keys: the wall stops the player with a bump.</p>)step",
         [](Tutorial& t, const std::string&) {
             t.menu(t.main, "File", "Run game");
             const fs::path game = t.s.folder.path() / "Projects" / kProject;
             ASSERT_EQ(t.s.shell.pages.size(), 1u);
             EXPECT_NE(t.s.shell.pages[0].find((game / "index.html").string()), std::string::npos) << t.s.shell.pages[0];
             ASSERT_TRUE(fs::exists(game / "game.js"));

             const char* shots = std::getenv("PONDARO_SCREENSHOTS");
             const fs::path picture =
                 shots && *shots ? fs::path(shots) / "tutorial-game.png" : t.s.folder.path() / "game.png";
             const fs::path log = t.s.folder.path() / "browser.log";
             const std::string command = "'" + (kSource / "scripts" / "engine-test.sh").string() + "' --tutorial --game '" +
                                         game.string() + "' --player " + kPlayer + " --wall " + kWall + " --sound " +
                                         kBump + " --screenshot '" + picture.string() + "' >'" + log.string() + "' 2>&1";
             EXPECT_EQ(std::system(command.c_str()), 0) << readTestFile(log);
             EXPECT_TRUE(fs::exists(picture));
         }},
    };
    return steps;
}

} // namespace

TEST_F(Tutorial, YourFirstGameIsMadeInTheWindowsAndPlaysInTheBrowser) {
    const auto& steps = tutorialSteps();
    for (const TutorialStep& step : steps) page += step.text;
    for (size_t k = 0; k < steps.size(); ++k) {
        const std::string text = steps[k].text;
        SCOPED_TRACE("step " + std::to_string(k + 1) + ": " + text.substr(0, text.find("</strong>")));
        steps[k].act(*this, text);
        if (HasFatalFailure()) return;
        EXPECT_TRUE(s.dialogs.anyShown("Error") == false) << s.dialogs.shown.back().text;
        if (HasFailure()) return;
    }
}
