#include <gtest/gtest.h>

#include "resources/font_window.h"
#include "support/fake_ports.h"

using namespace pondaro;

TEST(FontWindow, ASizeBelowOneIsRefusedQuotingTheTextAndThePreviewFallsBackToAUsualSize) {
    Project p;
    Font f;
    f.name = "title";
    f.family = "Arial";
    f.size = 12;
    p.fonts.add(f);
    FakeDialogs d;
    Font typed = f;
    typed.family = "No Such Family";
    for (const char* text : {"0", "", "big"}) EXPECT_FALSE(applyFontWindow(p, d, "title", typed, text));
    EXPECT_EQ(d.shown, (std::vector<Shown>{{"Error", "The font size '0' is invalid"},
                                           {"Error", "The font size '' is invalid"},
                                           {"Error", "The font size 'big' is invalid"}}));
    EXPECT_EQ(p.fonts[0].family, "Arial");
    EXPECT_FALSE(p.modified());

    typed.bold = 1;
    ASSERT_TRUE(applyFontWindow(p, d, "title", typed, "24"));
    EXPECT_EQ(p.fonts[0].size, 24);
    EXPECT_EQ(p.fonts[0].family, "No Such Family");
    EXPECT_EQ(p.fonts[0].bold, 1);
    EXPECT_TRUE(p.modified());

    EXPECT_EQ(previewFont("Arial", "0", false, true), (PreviewFont{"Arial", kDefaultPreviewSize, false, true}));
    EXPECT_EQ(previewFont("Arial", "18px", true, false), (PreviewFont{"Arial", 18, true, false}));
    EXPECT_EQ(previewFont("Arial", "99999", false, false).pointSize, kLargestPreviewSize);
}
