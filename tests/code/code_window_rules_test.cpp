#include <gtest/gtest.h>

#include "code/code_window_rules.h"

using namespace pondaro;

namespace {

// A record with only its name set.
template <class Record>
Record named(const char* name) {
    Record r;
    r.name = name;
    return r;
}

Project withScripts() {
    Project p;
    GameObject t;
    t.name = "player";
    t.prototype = 1;
    p.objects.add(t);
    t.name = "wall";
    p.objects.add(t);
    GameObject inst;
    inst.name = "SceneObject7";
    p.objects.add(inst);
    p.scripts.add({"scr_1", "player", "Step", "", "x += 1;"});
    p.scripts.add({"scr_2", "player", "Collision", "wall", "hit();"});
    p.scripts.add({"scr_3", "wall", "Draw", "", ""});
    return p;
}

} // namespace

TEST(EventEditorRules, TitleTypesAndCollisionChoices) {
    EXPECT_EQ(eventTypes(), (std::vector<std::string>{"Creation", "Destroy", "Step", "End step", "Collision",
                                                      "Room start", "Room end", "Animation end", "Draw"}));
    EXPECT_EQ(eventEditorTitle("Step", "player"), "Code editor - Step event of player");
    EXPECT_EQ(collisionChoices(withScripts()), (std::vector<std::string>{"", "player", "wall"}));
}

TEST(EventEditorRules, CommitWritesTheScriptItOpenedOnEvenWhenTheListChanged) {
    Project p = withScripts();
    const ScriptRef ref = scriptRefAt(p, 1);
    ASSERT_TRUE(commitEventScript(p, ref, "Collision", "player", "bounce();"));
    EXPECT_EQ(p.scripts[1].parameter, "player");
    EXPECT_EQ(p.scripts[1].code, "bounce();");
    EXPECT_TRUE(p.modified());

    // Storing the same fields again changes nothing.
    p.clearModified();
    ASSERT_TRUE(commitEventScript(p, ref, "Collision", "player", "bounce();"));
    EXPECT_FALSE(p.modified());

    // The first script is deleted while the editor is open: the script moved up.
    p.scripts.removeByName("scr_1");
    ASSERT_TRUE(commitEventScript(p, ref, "Step", "", "moved();"));
    EXPECT_EQ(p.scripts[0].name, "scr_2");
    EXPECT_EQ(p.scripts[0].code, "moved();");
    EXPECT_EQ(p.scripts[1].code, "");  // scr_3, now at the old position, is untouched

    // The edited script itself is deleted: nothing is written anywhere.
    p.scripts.removeByName("scr_2");
    p.clearModified();
    Status s = commitEventScript(p, ref, "Step", "", "lost();");
    EXPECT_FALSE(s);
    EXPECT_NE(s.message().find("no longer exists"), std::string::npos);
    EXPECT_EQ(p.scripts[0].code, "");
    EXPECT_FALSE(p.modified());
}

TEST(GameTextRules, OkMarksModifiedThePreSaveCommitOnlyWhenChanged) {
    Project p;
    commitGameText(p, GameText::Variables, "var score = 0;");
    EXPECT_EQ(p.game.variables, "var score = 0;");
    EXPECT_TRUE(p.modified());
    p.clearModified();
    commitGameText(p, GameText::Functions, "");
    EXPECT_TRUE(p.modified());  // OK marks the project even for unchanged text
    p.clearModified();
    commitGameTextIfChanged(p, GameText::Variables, "var score = 0;");
    EXPECT_FALSE(p.modified());
    commitGameTextIfChanged(p, GameText::Comments, "notes");
    EXPECT_EQ(p.game.comments, "notes");
    EXPECT_TRUE(p.modified());
    EXPECT_STREQ(gameTextTitle(GameText::Functions), "Not listed custom functions");
    EXPECT_STREQ(gameTextTitle(GameText::Variables), "Global variables");
}

TEST(SceneCodeRules, CommitGoesToTheNamedSceneOnly) {
    Project p;
    p.scenes.add(named<Scene>("level1"));
    ASSERT_TRUE(commitSceneCode(p, "level1", "start();"));
    EXPECT_EQ(p.scenes[0].code, "start();");
    EXPECT_TRUE(p.modified());
    p.clearModified();
    EXPECT_TRUE(commitSceneCode(p, "level1", "start();", false));
    EXPECT_FALSE(p.modified());
    EXPECT_FALSE(commitSceneCode(p, "gone", "x"));
}

TEST(HelpLine, NotApplicableTextsStayEmpty) {
    std::vector<KeywordEntry> e = {{"score", "Var", "n/a", "The score."}, {"f", "Fn", "f(a)", "n/a"}};
    EXPECT_EQ(helpFields(e, 0), (std::pair<std::string, std::string>{"", "The score."}));
    EXPECT_EQ(helpFields(e, 1), (std::pair<std::string, std::string>{"f(a)", ""}));
    EXPECT_EQ(helpFields(e, -1), (std::pair<std::string, std::string>{}));
    EXPECT_EQ(helpFields(e, 7), (std::pair<std::string, std::string>{}));
}

TEST(CodeWindowPlacement, RestoresTheSavedPlaceOnAScreen) {
    const std::vector<Rect> screen = {{0, 0, 1600, 1000}};
    const Rect def{400, 200, 800, 600};
    Preferences prefs;  // never placed
    Placement p = restoredPlacement(prefs, def, screen);
    EXPECT_FALSE(p.box);
    EXPECT_FALSE(p.maximize);

    // Placed and not maximized (maximized -1): the place is still used.
    rememberWindowSize(prefs, 700, 500, false);
    rememberWindowPosition(prefs, 30, 40);
    EXPECT_EQ(prefs.maximized, -1);
    p = restoredPlacement(prefs, def, screen);
    ASSERT_TRUE(p.box);
    EXPECT_EQ(*p.box, (Rect{30, 40, 700, 500}));
    EXPECT_FALSE(p.maximize);

    rememberWindowSize(prefs, 1600, 1000, true);
    EXPECT_EQ(prefs.maximized, 1);
    EXPECT_TRUE(restoredPlacement(prefs, def, screen).maximize);

    // A place no screen shows any more: the default place with the saved size.
    prefs = {};
    prefs.x = 5000;
    prefs.y = 40;
    prefs.width = 640;
    prefs.height = 480;
    p = restoredPlacement(prefs, def, screen);
    ASSERT_TRUE(p.box);
    EXPECT_EQ(*p.box, (Rect{400, 200, 640, 480}));
    // A saved position without a size keeps the default size.
    prefs.x = 10;
    prefs.width = -1;
    prefs.height = -1;
    EXPECT_EQ(*restoredPlacement(prefs, def, screen).box, (Rect{10, 40, 800, 600}));
}

TEST(CodeWindowLayout, FollowsTheWindowSize) {
    CodeWindowLayout l = codeWindowLayout(800, 600, true);
    EXPECT_EQ(l.editor, (Rect{10, 45, 780, 445}));
    EXPECT_EQ(l.cancel, (Rect{10, 565, 65, 25}));
    EXPECT_EQ(l.ok, (Rect{725, 565, 65, 25}));
    EXPECT_EQ(l.help1, (Rect{10, 505, 780, 21}));
    EXPECT_EQ(l.help2, (Rect{10, 535, 780, 21}));
    EXPECT_EQ(codeWindowLayout(800, 600, false).editor.height, 510);
    // A window laid out at a tiny size for a moment still gives its text areas room
    // for their scroll bars.
    CodeWindowLayout tiny = codeWindowLayout(5, 5, true);
    EXPECT_EQ(tiny.editor.width, kSmallestTextArea.width);
    EXPECT_EQ(tiny.editor.height, kSmallestTextArea.height);
    EXPECT_EQ(tiny.help1.width, kSmallestTextArea.width);
    EXPECT_EQ(commentsWindowLayout(800, 600).text, (Rect{10, 10, 780, 540}));
    EXPECT_EQ(commentsWindowLayout(800, 600).ok, (Rect{725, 565, 65, 25}));
    EXPECT_EQ(commentsWindowLayout(1, 1).text.height, kSmallestTextArea.height);
}
