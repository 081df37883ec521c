#include "view/image.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

constexpr Pixel kGrey = 0x808080;
const PixelRect kAll{-100000, -100000, 100000, 100000};

Image Checker2x2() {
    Image img(2, 2);
    img.At(0, 0) = 0xFF0000;
    img.At(1, 0) = 0x00FF00;
    img.At(0, 1) = 0x0000FF;
    img.At(1, 1) = 0xFFFFFF;
    return img;
}

TEST(Image, RefusesAbsurdSizes) {
    EXPECT_TRUE(Image(0, 5).Empty());
    EXPECT_TRUE(Image(-1, 5).Empty());
    EXPECT_TRUE(Image(kMaxImageSide + 1, 1).Empty());
    EXPECT_TRUE(Image(kMaxImageSide, kMaxImageSide).Empty());  // over the pixel limit
    EXPECT_EQ(Image(3, 2, kGrey).Pixels().size(), 6u);
}

TEST(StretchCopy, NearestPixelEnlargesAndMirrors) {
    Image src = Checker2x2();
    Image dst(4, 4);
    StretchCopy(dst, {0, 0, 4, 4}, src, src.Bounds(), StretchQuality::kColorOnColor, kAll);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(dst.At(x, y), src.At(x / 2, y / 2)) << x << "," << y;

    // A negative destination width mirrors left and right.
    Image mirrored(2, 2);
    StretchCopy(mirrored, {2, 0, 0, 2}, src, src.Bounds(), StretchQuality::kColorOnColor, kAll);
    EXPECT_EQ(mirrored.At(0, 0), 0x00FF00u);
    EXPECT_EQ(mirrored.At(1, 0), 0xFF0000u);
}

TEST(StretchCopy, HalftoneAveragesTheCoveredArea) {
    Image src = Checker2x2();
    Image dst(1, 1);
    StretchCopy(dst, {0, 0, 1, 1}, src, src.Bounds(), StretchQuality::kHalftone, kAll);
    // (255 + 0 + 0 + 255) / 4 per channel, rounded.
    EXPECT_EQ(dst.At(0, 0), MakePixel(128, 128, 128));
    // At 1:1 the halftone copy is exact.
    Image same(2, 2);
    StretchCopy(same, {0, 0, 2, 2}, src, src.Bounds(), StretchQuality::kHalftone, kAll);
    EXPECT_EQ(same, src);
}

TEST(StretchCopy, StaysInsideClipAndImage) {
    Image src(4, 4, 0x112233);
    Image dst(6, 6, kGrey);
    // Destination partly outside the image, clipped to columns 2..3 and rows 0..5.
    StretchCopy(dst, {-2, -2, 10, 10}, src, src.Bounds(), StretchQuality::kHalftone, {2, 0, 4, 6});
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 6; ++x)
            EXPECT_EQ(dst.At(x, y), (x == 2 || x == 3) ? 0x112233u : kGrey) << x << "," << y;
    // A source rectangle reaching past the source draws nothing there.
    Image dst2(4, 1, kGrey);
    StretchCopy(dst2, {0, 0, 4, 1}, src, {2, 0, 6, 1}, StretchQuality::kColorOnColor, kAll);
    EXPECT_EQ(dst2.At(1, 0), 0x112233u);
    EXPECT_EQ(dst2.At(2, 0), kGrey);
}

TEST(TransparentStretch, OnlyExactBlackIsTransparent) {
    Image src(3, 1);
    src.At(0, 0) = 0x000000;
    src.At(1, 0) = 0x010101;
    src.At(2, 0) = 0xFF8000;
    Image dst(6, 2, kGrey);
    TransparentStretch(dst, {0, 0, 6, 2}, src, kAll);
    for (int y = 0; y < 2; ++y) {
        EXPECT_EQ(dst.At(0, y), kGrey);
        EXPECT_EQ(dst.At(1, y), kGrey);
        EXPECT_EQ(dst.At(2, y), 0x010101u);
        EXPECT_EQ(dst.At(3, y), 0x010101u);
        EXPECT_EQ(dst.At(5, y), 0xFF8000u);
    }
    // The source origin form and the clip.
    Image dst2(2, 1, kGrey);
    TransparentStretch(dst2, {0, 0, 2, 1}, src, {1, 0, 3, 1}, {1, 0, 2, 1});
    EXPECT_EQ(dst2.At(0, 0), kGrey);
    EXPECT_EQ(dst2.At(1, 0), 0xFF8000u);
}

TEST(Drawing, FillsFramesLinesAndXor) {
    Image img(5, 4);
    FillRect(img, {1, 1, 4, 3}, kGrey, kAll);
    EXPECT_EQ(img.At(1, 1), kGrey);
    EXPECT_EQ(img.At(3, 2), kGrey);
    EXPECT_EQ(img.At(4, 2), kBlack);

    Image frame(4, 4);
    FrameRect(frame, {0, 0, 4, 4}, kWhite, kAll);
    EXPECT_EQ(frame.At(0, 3), kWhite);
    EXPECT_EQ(frame.At(3, 0), kWhite);
    EXPECT_EQ(frame.At(1, 1), kBlack);

    // A line leaves out its end point unless asked, like a pen's LineTo.
    Image line(4, 4);
    DrawLine(line, 0, 0, 3, 3, kWhite, kAll);
    EXPECT_EQ(line.At(2, 2), kWhite);
    EXPECT_EQ(line.At(3, 3), kBlack);
    DrawLine(line, 0, 3, 3, 3, kWhite, kAll, true);
    EXPECT_EQ(line.At(3, 3), kWhite);
    // Far-away end points still draw the visible part.
    Image far(4, 4);
    DrawLine(far, -2000000000, 1, 2000000000, 1, kWhite, kAll);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(far.At(x, 1), kWhite);
    EXPECT_EQ(far.At(0, 0), kBlack);

    Image x = Checker2x2(), original = Checker2x2();
    XorFrameRect(x, {0, 0, 2, 2}, kAll);
    EXPECT_EQ(x.At(0, 0), 0x00FFFFu);
    XorFrameRect(x, {0, 0, 2, 2}, kAll);
    EXPECT_EQ(x, original);
    XorFillRect(x, {0, 0, 1, 1}, {1, 1, 2, 2});  // clipped away
    EXPECT_EQ(x, original);
    // A coloured pen flips only its own bits: a yellow band over black shows yellow, twice removes it.
    Image band(3, 3);
    XorFrameRect(band, {0, 0, 3, 3}, kAll, MakePixel(255, 255, 0));
    EXPECT_EQ(band.At(0, 0), MakePixel(255, 255, 0));
    EXPECT_EQ(band.At(1, 1), kBlack);
    XorFrameRect(band, {0, 0, 3, 3}, kAll, MakePixel(255, 255, 0));
    EXPECT_EQ(band, Image(3, 3));
}

}  // namespace
}  // namespace brindle
