#include "dialogs/hover_button.h"

#include <gtest/gtest.h>

using namespace brindle;

TEST(HoverStrip, PictureSizeAndWhichPictureShows) {
    const HoverStrip s = HoverStrip::FromStripSize(92, 24);
    EXPECT_EQ(s.pictureWidth, 30);  // the two columns left over are never shown
    EXPECT_EQ(s.pictureHeight, 24);
    struct Case {
        bool pressed, hover;
        int x;
    };
    for (const Case& c :
         {Case{false, false, 0}, Case{true, false, 30}, Case{false, true, 60}, Case{true, true, 30}}) {
        EXPECT_EQ(s.SourceX(c.pressed, c.hover), c.x) << c.pressed << c.hover;
    }
    EXPECT_EQ(HoverStrip::FromStripSize(2, 5).pictureWidth, 0);
    EXPECT_EQ(HoverStrip::FromStripSize(-3, -1).pictureHeight, 0);
}

TEST(HoverStrip, GreyShadesBecomeTheButtonColours) {
    Image strip(5, 1);
    strip.At(0, 0) = kBlack;
    strip.At(1, 0) = MakePixel(128, 128, 128);
    strip.At(2, 0) = MakePixel(192, 192, 192);
    strip.At(3, 0) = kWhite;
    strip.At(4, 0) = MakePixel(200, 10, 10);
    const ButtonShades shades{MakePixel(1, 1, 1), MakePixel(2, 2, 2), MakePixel(3, 3, 3), MakePixel(4, 4, 4)};
    MapButtonShades(strip, shades);
    EXPECT_EQ(strip.At(0, 0), shades.text);
    EXPECT_EQ(strip.At(1, 0), shades.shadow);
    EXPECT_EQ(strip.At(2, 0), shades.face);
    EXPECT_EQ(strip.At(3, 0), shades.highlight);
    EXPECT_EQ(strip.At(4, 0), MakePixel(200, 10, 10));
}
