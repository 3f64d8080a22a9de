#include <gtest/gtest.h>

#include "code/completion.h"

using namespace pondaro;

namespace {

// A record with only its name set.
template <class Record>
Record named(const char* name) {
    Record r;
    r.name = name;
    return r;
}

std::vector<KeywordEntry> engine() {
    return {{"instance_create", "Fn", "instance_create(x, y, obj)", "Creates an instance."},
            {"instance_destroy", "Fn", "instance_destroy()", "Destroys."},
            {"draw_text", "Fn", "draw_text(x, y, text)", "Draws text."},
            {"image_index", "Var", "n/a", "The frame."},
            {"lengthdir_x", "Fn", "n/a", "n/a"},
            {"vk_left", "Cons", "", ""}};
}

} // namespace

TEST(Completion, OffersEngineWordsAndResourceNamesByPrefixIgnoringCase) {
    Project p;
    p.sprites.add(named<Sprite>("Instructions"));
    p.sprites.add(named<Sprite>("bad name"));  // cannot be typed as a word
    GameObject t;
    t.name = "INSECT";
    t.prototype = 1;
    p.objects.add(t);
    GameObject inst;
    inst.name = "insect_copy";  // an instance, not a resource
    p.objects.add(inst);
    CompletionWords words(engine(), &p);

    EXPECT_EQ(words.candidates("ins"),
              (std::vector<std::string>{"INSECT", "instance_create", "instance_destroy", "Instructions"}));
    EXPECT_EQ(words.candidates("INSTANCE_"), (std::vector<std::string>{"instance_create", "instance_destroy"}));
    EXPECT_TRUE(words.candidates("zzz").empty());
    // A word typed out in full is not offered again.
    EXPECT_TRUE(words.candidates("Vk_Left").empty());
    for (const auto& w : words.words()) EXPECT_NE(w, "bad name");
    // Sorted by upper case, as the completion list searches it.
    auto all = words.words();
    for (size_t i = 1; i < all.size(); ++i) {
        std::string a = all[i - 1], b = all[i];
        for (auto& c : a) c = char(toupper(c));
        for (auto& c : b) c = char(toupper(c));
        EXPECT_LE(a, b);
    }
}

TEST(Completion, TheWordBeforeTheCaret) {
    EXPECT_EQ(wordBeforeCaret("x = instance_cr", 15), "instance_cr");
    EXPECT_EQ(wordBeforeCaret("x = instance_cr", 8), "inst");
    EXPECT_EQ(wordBeforeCaret("a = 12ab", 8), "ab");  // a word does not start with a digit
    EXPECT_EQ(wordBeforeCaret("f(", 2), "");
    EXPECT_EQ(wordBeforeCaret("abc", 99), "abc");
}

TEST(CallTip, ShowsTheSyntaxOfTheFunctionWhoseArgumentsAreTyped) {
    auto e = engine();
    auto tip = callTipAt("draw_text(", 10, e);
    ASSERT_TRUE(tip);
    EXPECT_EQ(tip->entry, 2);
    EXPECT_EQ(tip->text, "draw_text(x, y, text)");
    EXPECT_EQ(tip->text.substr(tip->highlightStart, tip->highlightEnd - tip->highlightStart), "x");

    tip = callTipAt("if (a) draw_text (10, f(1, 2), ", 31, e);
    ASSERT_TRUE(tip);  // the inner call is closed: the third argument of draw_text
    EXPECT_EQ(tip->text.substr(tip->highlightStart, tip->highlightEnd - tip->highlightStart), "text");

    tip = callTipAt("instance_create(1, \"a,b\", ", 26, e);
    ASSERT_TRUE(tip);  // commas in strings do not count
    EXPECT_EQ(tip->text.substr(tip->highlightStart, tip->highlightEnd - tip->highlightStart), "obj");

    tip = callTipAt("draw_text(1, 2, 3, 4", 20, e);
    ASSERT_TRUE(tip);  // more arguments than the syntax names: no highlight
    EXPECT_EQ(tip->highlightStart, tip->highlightEnd);
}

TEST(CallTip, NothingOutsideACallOrForWordsWithoutSyntax) {
    auto e = engine();
    EXPECT_FALSE(callTipAt("draw_text(1, 2, 3)", 18, e));    // after the closing parenthesis
    EXPECT_FALSE(callTipAt("draw_text(\"a", 12, e));           // inside a string
    EXPECT_FALSE(callTipAt("// draw_text(", 13, e));           // inside a comment
    EXPECT_FALSE(callTipAt("lengthdir_x(", 12, e));            // syntax "n/a"
    EXPECT_FALSE(callTipAt("image_index(", 12, e));            // a variable
    EXPECT_FALSE(callTipAt("my_own(", 7, e));                  // not an engine word
    EXPECT_FALSE(callTipAt("(", 1, e));
    EXPECT_TRUE(callTipAt("/* x */ draw_text(", 18, e));
}
