#include <gtest/gtest.h>

#include "code/colouring.h"

using namespace pondaro;

namespace {

// A record with only its name set.
template <class Record>
Record named(const char* name) {
    Record r;
    r.name = name;
    return r;
}

ColourWords words() {
    std::vector<KeywordEntry> engine = {{"instance_create", "Fn", "instance_create(x, y, obj)", "Creates."},
                                        {"score", "Var", "n/a", "The score."},
                                        {"c_red", "Cons", "n/a", "Red."}};
    Project p;
    p.sprites.add(named<Sprite>("Hero"));
    GameObject t;
    t.name = "player";
    t.prototype = 1;
    p.objects.add(t);
    GameObject inst;
    inst.name = "SceneObject5";
    p.objects.add(inst);
    return studioColourWords(engine, &p);
}

// One letter per byte: . plain, k keyword, c comment, s string, n number, f function,
// r resource, F engine function, V engine variable, C engine constant.
std::string code(std::string_view line, bool open = false, const ColourWords& w = words()) {
    std::string out;
    for (Colour c : colourLine(line, open, w).colours) out += ".kcsnfrFVC"[int(c)];
    return out;
}

} // namespace

TEST(Colouring, WordsByListIgnoringLetterCase) {
    EXPECT_EQ(code("if (Score > 1) score = C_RED;"), "kk.fVVVVV...nf.VVVVV...CCCCC.");
    EXPECT_EQ(code("hero.x = PLAYER;"), "rrrr.....rrrrrr.");
    EXPECT_EQ(code("SceneObject5"), "............");  // instances are not resources
    EXPECT_EQ(code("instance_create(1, 2, player)"), "FFFFFFFFFFFFFFFfn..n..rrrrrrf");
}

TEST(Colouring, AWordBeforeAParenthesisIsAFunctionWithTheBlanksBetween) {
    EXPECT_EQ(code("x = foo (1);"), "....fffffnf.");
    EXPECT_EQ(code("foo\t\t(x)"), "ffffff.f");
    EXPECT_EQ(code("foo bar"), ".......");
}

TEST(Colouring, NumbersHoldOneDotAndEndAtASeparator) {
    EXPECT_EQ(code("1.25+3"), "nnnn.n");
    EXPECT_EQ(code("x=.5;"), "..nn.");
    EXPECT_EQ(code("1.2.3"), ".....");
    EXPECT_EQ(code("12px"), "....");
    EXPECT_EQ(code("a1 = 7"), ".....n");
}

TEST(Colouring, StringsEndAtTheSameQuoteOrTheLineWithoutEscapes) {
    EXPECT_EQ(code("s = \"a'b\" + 'c\"d'"), "....sssss...sssss");
    EXPECT_EQ(code("\"ab\\\" + score"), "sssss...VVVVV");
    EXPECT_EQ(code("'open to the end"), "ssssssssssssssss");
}

TEST(Colouring, CommentsOverrideEverythingAndCarryToLaterLines) {
    EXPECT_EQ(code("x = 1; // score \"q\""), "....n..cccccccccccc");
    LineColours a = colourLine("score /* one", false, words());
    EXPECT_TRUE(a.commentOpen);
    LineColours b = colourLine("still score {", true, words());
    EXPECT_TRUE(b.commentOpen);
    EXPECT_EQ(b.opens, 0);  // a brace inside a comment does not fold
    EXPECT_EQ(code("end */ score", true), "cccccc.VVVVV");
    EXPECT_FALSE(colourLine("end */ score", true, words()).commentOpen);
    EXPECT_EQ(code("a /* b */ c"), "..ccccccc..");
}

TEST(Colouring, BracesAreKeywordsAndFold) {
    LineColours l = colourLine("if (a) { b(); } }", false, words());
    EXPECT_EQ(l.opens, 1);
    EXPECT_EQ(l.closes, 2);
    EXPECT_EQ(code("{ \"}\" }"), "k.sss.k");
}

TEST(Colouring, TheExtensionMakerUsesFewerSeparators) {
    ColourWords maker = makerColourWords();
    EXPECT_EQ(code("a|b;if", false, maker), "......");  // "|" and ";" do not split there
    EXPECT_EQ(code("a=if", false, maker), "..kk");
}

TEST(ColouredTextEdits, OnlyTheLinesWhoseStateChangesAreColouredAgain) {
    ColourWords w = words();
    ColouredText text(&w);
    text.setText("a\r\nb /*\nc\rd */ e\n{\nf\n}\ng");
    ASSERT_EQ(text.lineCount(), 8u);
    EXPECT_TRUE(text.line(2).colours[0] == Colour::Comment);
    EXPECT_EQ(text.foldLevel(5), 1);
    EXPECT_EQ(text.foldLevel(7), 0);
    // An edit that keeps the carried state touches one line only.
    EXPECT_EQ(text.editLine(0, "score"), 1u);
    // Opening a comment early recolours until the state matches again.
    size_t n = text.editLine(0, "/* x");
    EXPECT_GE(n, 2u);
    EXPECT_EQ(text.line(1).colours[0], Colour::Comment);
    EXPECT_EQ(text.editLine(0, "x"), 2u);
    EXPECT_EQ(text.line(1).colours[0], Colour::Plain);
    // Removing a brace changes the fold levels below it.
    text.editLine(4, "");
    EXPECT_EQ(text.foldLevel(5), 0);
    EXPECT_EQ(text.foldLevel(7), -1);
}

TEST(HelpEntry, FindsTheEngineWordAroundTheCaret) {
    std::vector<KeywordEntry> e = {{"score", "Var", "n/a", "The score."},
                                   {"draw_text", "Fn", "draw_text(x, y, text)", "Draws."},
                                   {"vk_a", "Cons", "", ""}};
    const std::string line = "draw_text(10, 20, score);";
    EXPECT_EQ(currentHelpEntry(line, 0, e), 1);
    EXPECT_EQ(currentHelpEntry(line, 4, e), 1);
    EXPECT_EQ(currentHelpEntry(line, 9, e), 1);   // right after the word
    EXPECT_EQ(currentHelpEntry(line, 10, e), -1);  // right after "("
    EXPECT_EQ(currentHelpEntry(line, 20, e), 0);
    EXPECT_EQ(currentHelpEntry("vk_a", 2, e), -1);  // no syntax: no help
    EXPECT_EQ(currentHelpEntry("", 5, e), -1);
}
