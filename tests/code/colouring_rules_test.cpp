// The colouring rules on the editor's own examples and the cases next to them.
#include <gtest/gtest.h>

#include "code/colouring.h"

using namespace pondaro;

namespace {

std::string code(std::string_view line, const ColourWords& w) {
    std::string out;
    for (Colour c : colourLine(line, false, w).colours) out += ".kcsnfrFVC"[int(c)];
    return out;
}

ColourWords studio() {
    return studioColourWords({{"draw_text", "Fn", "draw_text(x, y, text)", ""}, {"score", "Var", "n/a", ""}}, nullptr);
}

} // namespace

TEST(ColouringRules, AWordBeforeAParenthesisAndItsNeighbours) {
    const ColourWords w = studio();
    EXPECT_EQ(code("x = foo (1);", w), "....fffffnf.");
    EXPECT_EQ(code("x = foo;", w), "........");                 // no parenthesis: plain
    EXPECT_EQ(code("if (x) while(y)", w), "kk.f.f.kkkkkf.f");     // listed words keep their list
    EXPECT_EQ(code("draw_text (1)", w), "FFFFFFFFF.fnf");        // an engine word too, blank stays plain
    EXPECT_EQ(code("a.b(2)", w), "..ffnf");                      // the member before "("
}

TEST(ColouringRules, ABackslashDoesNotEscapeAQuote) {
    const ColourWords w = studio();
    EXPECT_EQ(code("s = \"a\\\" + score", w), "....ssss...VVVVV");
    EXPECT_EQ(code("'it\\'s'", w), "sssss.s");  // the string ends at the quote after the backslash
    EXPECT_EQ(code("\"a\\\\\" x", w), "sssss..");
}

TEST(ColouringRules, NumbersAndTokensThatAreNot) {
    const ColourWords w = studio();
    EXPECT_EQ(code("1.2.3", w), ".....");
    EXPECT_EQ(code("1.2;", w), "nnn.");
    EXPECT_EQ(code("12px", w), "....");
    EXPECT_EQ(code("12 px", w), "nn...");
    EXPECT_EQ(code("px12", w), "....");
    EXPECT_EQ(code("a[12]", w), "..nn.");
    EXPECT_EQ(code("-5*.25", w), ".n.nnn");
    EXPECT_EQ(code("0x1F", w), "....");
    // The extension maker has no ";" separator: "1;" is one token and not a number.
    EXPECT_EQ(code("x = 1;", makerColourWords()), "......");
    EXPECT_EQ(code("x = 1,", makerColourWords()), "....n.");
}
