#include <gtest/gtest.h>

#include "code/editor_scheme.h"
#include "code/line_styler.h"

using namespace pondaro;

namespace {

// A document as the editing component holds it: lines with their line ends, a line
// state and a fold level per line, and the styles it was given.
class FakeDocument : public StyleTarget {
public:
    explicit FakeDocument(std::vector<std::string> lines) : lines_(std::move(lines)) { resize(); }

    size_t lineCount() const override { return lines_.size(); }
    std::string lineBytes(size_t line) const override { return lines_[line]; }
    int lineState(size_t line) const override { return states_[line]; }
    void setLineState(size_t line, int state) override { states_[line] = state; }
    void setLineColours(size_t line, const std::vector<Colour>& colours) override {
        EXPECT_EQ(colours.size(), lines_[line].size()) << "line " << line;
        colours_[line] = colours;
        styled.push_back(line);
    }
    void setFoldLevel(size_t line, int depth, bool header) override { folds_[line] = {depth, header}; }

    void replaceLine(size_t line, std::string text) { lines_[line] = std::move(text); }
    void insertLine(size_t at, std::string text) {
        lines_.insert(lines_.begin() + long(at), std::move(text));
        // A new line copies the state of the line it was split from, as Scintilla does.
        states_.insert(states_.begin() + long(at), states_[at]);
        colours_.insert(colours_.begin() + long(at), std::vector<Colour>{});
        folds_.insert(folds_.begin() + long(at), std::pair<int, bool>{});
    }

    // One letter per byte: . plain, k keyword, c comment, s string, n number, f function,
    // r resource, F/V/C engine words.
    std::string code(size_t line) const {
        std::string out;
        for (Colour c : colours_[line]) out += ".kcsnfrFVC"[int(c)];
        return out;
    }
    std::pair<int, bool> fold(size_t line) const { return folds_[line]; }

    std::vector<size_t> styled;

private:
    void resize() {
        states_.assign(lines_.size(), 0);
        colours_.assign(lines_.size(), {});
        folds_.assign(lines_.size(), {});
    }
    std::vector<std::string> lines_;
    std::vector<int> states_;
    std::vector<std::vector<Colour>> colours_;
    std::vector<std::pair<int, bool>> folds_;
};

std::vector<std::string> numbered(size_t n) {
    std::vector<std::string> lines;
    for (size_t i = 0; i < n; ++i) lines.push_back("x = " + std::to_string(i) + ";\r\n");
    lines.back() = "end";
    return lines;
}

} // namespace

TEST(LineStyler, ACommentOpenedOnOneLineAndClosedThreeLinesLater) {
    ColourWords w = studioColourWords({}, nullptr);
    FakeDocument doc({"a = 1; /* note {\r\n", "if (x) 2\r\n", "\"q\"\r\n", "end */ b = 3;\r\n", "c"});
    StyleRun run = styleLines(doc, w, 0, 4);
    EXPECT_EQ(run.count, 5u);
    EXPECT_EQ(doc.code(0), "....n..ccccccccccc");  // the line end inside the comment too
    EXPECT_EQ(doc.code(1), "cccccccccc");
    EXPECT_EQ(doc.code(2), "ccccc");
    EXPECT_EQ(doc.code(3), "cccccc.....n...");
    EXPECT_EQ(doc.code(4), ".");
    // The brace inside the comment opens no fold.
    for (size_t i = 0; i < 5; ++i) EXPECT_EQ(doc.fold(i), (std::pair<int, bool>{0, false})) << i;
}

TEST(LineStyler, AnUnclosedCommentRunsToTheEnd) {
    ColourWords w = studioColourWords({}, nullptr);
    FakeDocument doc({"x = 1;\n", "/* open\n", "y = 2;\n", "z(3);"});
    styleLines(doc, w, 0, 3);
    EXPECT_EQ(doc.code(0), "....n..");
    EXPECT_EQ(doc.code(1), "cccccccc");
    EXPECT_EQ(doc.code(2), "ccccccc");
    EXPECT_EQ(doc.code(3), "ccccc");
    EXPECT_TRUE(unpackLineState(doc.lineState(3))->commentOpen);
}

TEST(LineStyler, BracesSetFoldDepthsAndHeaders) {
    ColourWords w = studioColourWords({}, nullptr);
    FakeDocument doc({"function f() {\n", "  if (a) { b(); }\n", "  while (c) {\n", "  }\n", "}\n", "}"});
    styleLines(doc, w, 0, 5);
    EXPECT_EQ(doc.fold(0), (std::pair<int, bool>{0, true}));
    EXPECT_EQ(doc.fold(1), (std::pair<int, bool>{1, false}));  // opened and closed on the line
    EXPECT_EQ(doc.fold(2), (std::pair<int, bool>{1, true}));
    EXPECT_EQ(doc.fold(3), (std::pair<int, bool>{2, false}));
    EXPECT_EQ(doc.fold(4), (std::pair<int, bool>{1, false}));
    EXPECT_EQ(doc.fold(5), (std::pair<int, bool>{0, false}));
    EXPECT_EQ(unpackLineState(doc.lineState(5))->depth, -1);  // a stray "}" is kept, the editor clamps it
}

TEST(LineStyler, AnEditRecoloursOnlyUntilTheCarriedStateIsTheSameAgain) {
    ColourWords w = studioColourWords({}, nullptr);
    FakeDocument doc(numbered(1000));
    EXPECT_EQ(styleLines(doc, w, 0, 999).count, 1000u);

    // A one-character edit that changes nothing carried: that line only.
    doc.styled.clear();
    doc.replaceLine(3, "x = 30;\r\n");
    StyleRun run = styleLines(doc, w, 3, 3);
    EXPECT_EQ(run.first, 3u);
    EXPECT_EQ(run.count, 1u);
    EXPECT_EQ(doc.code(3), "....nn...");

    // Opening a comment recolours until it is closed again, and no further.
    doc.replaceLine(5, "/* x = 5;\r\n");
    doc.replaceLine(9, "*/ x = 9;\r\n");
    doc.styled.clear();
    run = styleLines(doc, w, 5, 9);
    EXPECT_EQ(run.count, 5u);
    EXPECT_EQ(doc.code(7), std::string(8, 'c'));
    doc.replaceLine(9, "x = 9;\r\n");  // now the comment runs to the end
    run = styleLines(doc, w, 9, 9);
    EXPECT_EQ(run.count, 991u);
    EXPECT_EQ(doc.code(999), "ccc");
    doc.replaceLine(5, "x = 5;\r\n");  // closing it again colours everything back
    run = styleLines(doc, w, 5, 5);
    EXPECT_EQ(run.count, 995u);
    EXPECT_EQ(doc.code(999), "...");

    // A new brace changes every fold depth below it.
    doc.replaceLine(10, "{\r\n");
    run = styleLines(doc, w, 10, 10);
    EXPECT_EQ(run.count, 990u);
    EXPECT_EQ(doc.fold(500).first, 1);
}

TEST(LineStyler, ChangedLinesAreColouredEvenWhenTheirStateLooksTheSame) {
    ColourWords w = studioColourWords({}, nullptr);
    FakeDocument doc(numbered(20));
    styleLines(doc, w, 0, 19);
    // Two pasted lines take over the state of the line they were split from.
    doc.insertLine(4, "var a = 1;\r\n");
    doc.insertLine(5, "var b = 'q';\r\n");
    StyleRun run = styleLines(doc, w, 4, 5);
    EXPECT_EQ(run.count, 2u);
    EXPECT_EQ(doc.code(5), "kkk.....sss...");
}

TEST(LineStyler, StartsAfterTheLastLineThatKnowsWhatItCarries) {
    ColourWords w = studioColourWords({}, nullptr);
    FakeDocument doc({"/* a\n", "b\n", "c */ d"});
    // Asked to start at line 2 when nothing was coloured yet: starts at the top, so the
    // comment opened on line 0 is seen.
    StyleRun run = styleLines(doc, w, 2, 2);
    EXPECT_EQ(run.first, 0u);
    EXPECT_EQ(doc.code(2), "cccc..");
    FakeDocument empty({});
    EXPECT_EQ(styleLines(empty, w, 0, 0).count, 0u);
}

TEST(LineStyler, LineStatesPackBothCarriedValues) {
    for (CarriedState s : {CarriedState{false, 0}, CarriedState{true, 0}, CarriedState{true, -3}, CarriedState{false, 4000}}) {
        EXPECT_NE(packLineState(s), 0);
        EXPECT_EQ(unpackLineState(packLineState(s)), s);
    }
    EXPECT_FALSE(unpackLineState(0));
}

TEST(ChangedText, FollowsInsertionsAndDeletions) {
    ChangedText c;
    EXPECT_FALSE(c.end());
    c.inserted(100, 5);
    EXPECT_EQ(c.end(), 105u);
    c.inserted(10, 3);  // before the changed span: moves its end
    EXPECT_EQ(c.end(), 108u);
    c.inserted(200, 1);  // after it: widens it
    EXPECT_EQ(c.end(), 201u);
    c.deleted(0, 50);  // before
    EXPECT_EQ(c.end(), 151u);
    c.deleted(140, 100);  // across the end
    EXPECT_EQ(c.end(), 140u);
    c.clear();
    c.deleted(30, 10);
    EXPECT_EQ(c.end(), 30u);
    c.changedUpTo(500);
    EXPECT_EQ(c.end(), 500u);
}

TEST(EditorScheme, EachProgramNumbersItsStyles) {
    Preferences prefs;
    prefs.sci_color_comment = colourValue(1, 2, 3);
    prefs.sci_color_fore = colourValue(9, 9, 9);
    EditorScheme studio = studioScheme(prefs);
    EXPECT_EQ(studio.styleFor(Colour::Keyword), 0);
    EXPECT_EQ(studio.styleFor(Colour::Comment), 1);
    EXPECT_EQ(studio.styleFor(Colour::EngineConst), 8);
    EXPECT_EQ(studio.style(1)->colour, colourValue(1, 2, 3));
    EXPECT_TRUE(studio.style(1)->italic);
    EXPECT_EQ(studio.style(9)->colour, 0xFF0000);  // the reserved style: blue, bold
    EXPECT_TRUE(studio.style(9)->bold);
    // Plain text has a style of its own in the text colour, apart from the keywords'.
    const int plain = studio.styleFor(Colour::Plain);
    EXPECT_NE(plain, studio.styleFor(Colour::Keyword));
    EXPECT_EQ(studio.style(plain)->colour, colourValue(9, 9, 9));

    EditorScheme maker = makerScheme();
    EXPECT_EQ(maker.styleFor(Colour::Keyword), 2);
    EXPECT_EQ(maker.styleFor(Colour::Comment), 3);
    EXPECT_EQ(maker.styleFor(Colour::String), 4);
    EXPECT_EQ(maker.styleFor(Colour::Number), 5);
    EXPECT_EQ(maker.styleFor(Colour::Function), 6);
    EXPECT_EQ(maker.style(2)->colour, colourValue(54, 45, 227));
    EXPECT_EQ(maker.style(11)->colour, colourValue(255, 0, 0));
    EXPECT_TRUE(maker.style(11)->bold);
    EXPECT_EQ(maker.style(maker.styleFor(Colour::Plain))->colour, 0);
    // Every kind maps to a style the scheme sets.
    for (const EditorScheme* s : {&studio, &maker})
        for (size_t k = 0; k < kColourKinds; ++k) EXPECT_NE(s->style(s->styleOf[k]), nullptr) << k;
}

TEST(EditorScheme, UnusableFontSizesAndTheLineNumberSample) {
    Preferences prefs;
    prefs.sci_font_size = 0;  // what a size text of "abc" leaves
    EXPECT_EQ(studioScheme(prefs).fontSize, 11);
    prefs.sci_font_size = 5000;
    EXPECT_EQ(studioScheme(prefs).fontSize, 72);
    prefs.sci_font_size = 14;
    EXPECT_EQ(studioScheme(prefs).fontSize, 14);
    EXPECT_EQ(lineNumberSample(0), "9");
    EXPECT_EQ(lineNumberSample(9), "9");
    EXPECT_EQ(lineNumberSample(10), "99");
    EXPECT_EQ(lineNumberSample(999), "999");
    EXPECT_EQ(lineNumberSample(1000), "9999");
}
