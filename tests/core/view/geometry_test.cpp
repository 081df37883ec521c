#include "view/geometry.h"

#include <gtest/gtest.h>

namespace brindle {
namespace {

TEST(ViewConversions, UnitsToViewRoundsAnExactHalfDown) {
    struct Case {
        int units;
        double zoom, scale;
        int view;
    } cases[] = {
        {10, 1.25, 1.0, 12},   // 12.5 stays 12
        {10, 1.26, 1.0, 13},   // 12.6 goes up
        {10, 1.0, 0.5, 5},     //
        {3, 1.0, 0.5, 1},      // 1.5 stays 1
        {-5, 1.0, 2.5, -13},   // -12.5: floor -13, the half does not go up
        {-5, 1.0, 2.46, -12},  // -12.3: floor -13, fraction 0.7 goes up
        {0, 12.0, 3.0, 0},
    };
    for (const Case& c : cases) {
        ViewPoint v = UnitsToView({c.units, c.units}, c.zoom, c.scale);
        EXPECT_EQ(v, (ViewPoint{c.view, c.view})) << c.units << " x " << c.zoom << " x " << c.scale;
    }
}

TEST(ViewConversions, ViewToUnitsAddsTheScrollAndUndoesZoomAndScale) {
    // (25 + 100) / 2.5 / 0.5 = 100; (10 + 0) / 2.5 / 0.5 = 8.
    EXPECT_EQ(ViewToUnits({25, 10}, 2.5, 0.5, {100, 0}), (ViewPoint{100, 8}));
    // 15 / 2 = 7.5 rounds down; 17 / 2 = 8.5 rounds down.
    EXPECT_EQ(ViewToUnits({15, 17}, 2.0, 1.0, {0, 0}), (ViewPoint{7, 8}));
    EXPECT_EQ(ViewToUnits({15, 17}, 0.0, 1.0, {40, 40}), (ViewPoint{15, 17}));
    EXPECT_EQ(ViewToUnits({15, 17}, 1.0, 0.0, {40, 40}), (ViewPoint{15, 17}));
    EXPECT_EQ(ScrollSizesForZoom(1.5, 801, 3), (ViewSize{1201, 4}));
}

class GeometryTest : public ::testing::Test {
  protected:
    Settings settings;
    ViewGeometry geo{settings};
};

TEST_F(GeometryTest, ZoomInStopsAtTheLimitWithoutRoundingUpToIt) {
    settings.SetZoom(10.0);
    EXPECT_TRUE(geo.ZoomIn());
    EXPECT_DOUBLE_EQ(settings.Zoom(), 12.0);
    EXPECT_FALSE(geo.ZoomIn());
    EXPECT_DOUBLE_EQ(settings.Zoom(), 12.0);

    settings.SetZoom(10.5);
    EXPECT_FALSE(ZoomInWithinLimits(settings));
    EXPECT_FALSE(geo.ZoomIn());
    EXPECT_DOUBLE_EQ(settings.Zoom(), 10.5);
}

TEST_F(GeometryTest, ZoomOutClampsToTheMinimumAndIsThenUnavailable) {
    settings.SetZoom(0.23);
    geo.ZoomOut();  // the mouse form (Space + Alt + click) does not look at the availability
    EXPECT_DOUBLE_EQ(settings.Zoom(), 0.2);
    EXPECT_FALSE(ZoomOutWithinLimits(settings));
    EXPECT_TRUE(ZoomInWithinLimits(settings));
}

TEST_F(GeometryTest, ZoomInMovesTheScrollByHalfTheGrowthOfTheOldContent) {
    geo.SetWindowMetrics(1000, 800, 1.0);
    geo.SetClientSize({500, 400});
    geo.ApplyScrollSizes();
    geo.SetScrollPosition({100, 50});
    ASSERT_TRUE(geo.ZoomIn());
    // trunc(100 + (1000 - 1000 / 1.2) / 2) = 183; trunc(50 + (800 - 800 / 1.2) / 2) = 116.
    EXPECT_EQ(geo.ScrollPosition(), (ViewPoint{183, 116}));
    EXPECT_EQ(geo.ScrollSize(), (ViewSize{1200, 960}));

    // Zoom Out measures on the new content: 183 - (1.2 x 1000 - 1000) / 2 = 83.
    geo.ZoomOut();
    EXPECT_DOUBLE_EQ(settings.Zoom(), 1.0);
    EXPECT_EQ(geo.ScrollSize(), (ViewSize{1000, 800}));
    EXPECT_EQ(geo.ScrollPosition(), (ViewPoint{83, 36}));

    // The position never leaves the scroll range.
    geo.ZoomOut();
    EXPECT_EQ(geo.ScrollPosition(), (ViewPoint{0, 0}));
    geo.SetScrollPosition({5000, -3});
    EXPECT_EQ(geo.ScrollPosition(), (ViewPoint{geo.MaxScrollPosition().x, 0}));
}

TEST_F(GeometryTest, FitTakesTheSmallerRatioClampedToTheLimits) {
    struct Case {
        int bw, bh;
        double zoom;
    } cases[] = {{2000, 500, 0.5}, {100, 50, 10.0}, {10, 10, 12.0}, {20000, 20000, 0.2}};
    for (const Case& c : cases) {
        settings.SetZoom(1.0);
        geo.SetWindowMetrics(c.bw, c.bh, 1.0);
        geo.SetClientSize({1000, 500});
        geo.ApplyScrollSizes();
        geo.SetScrollPosition({30, 30});
        geo.Fit();
        EXPECT_DOUBLE_EQ(settings.Zoom(), c.zoom) << c.bw << "x" << c.bh;
        EXPECT_EQ(geo.ScrollPosition(), (ViewPoint{0, 0}));
        EXPECT_EQ(geo.ScrollSize(), ScrollSizesForZoom(c.zoom, c.bw, c.bh));
    }
    // A window without any size leaves the zoom alone.
    settings.SetZoom(3.0);
    geo.SetWindowMetrics(0, 0, 1.0);
    geo.Fit();
    EXPECT_DOUBLE_EQ(settings.Zoom(), 3.0);
}

TEST_F(GeometryTest, ASizeChangeScrollsHomeOnlyWhenTheUnzoomedBitmapFits) {
    settings.SetZoom(4.0);
    geo.SetWindowMetrics(300, 200, 1.0);
    geo.OnSize({400, 300});
    geo.SetScrollPosition({100, 100});
    EXPECT_EQ(geo.ScrollPosition(), (ViewPoint{100, 100}));
    geo.OnSize({400, 150});  // not taller than the bitmap: stays
    EXPECT_EQ(geo.ScrollPosition(), (ViewPoint{100, 100}));
    geo.OnSize({301, 201});
    EXPECT_EQ(geo.ScrollPosition(), (ViewPoint{0, 0}));
}

TEST(ViewGrid, DotShapeFollowsTheDensity) {
    EXPECT_EQ(GridDotShapeFor(1024, 10, 1.0), GridDotShape::kPixel);    // n = 102
    EXPECT_EQ(GridDotShapeFor(1024, 10, 10.0), GridDotShape::kSquare);  // n = 10
    EXPECT_EQ(GridDotShapeFor(1024, 10, 5.0), GridDotShape::kCross);    // n = 20
    EXPECT_EQ(GridDotShapeFor(1024, 10, 4.8), GridDotShape::kPixel);    // n = 21
    EXPECT_EQ(GridDotShapeFor(1024, 10, 9.0), GridDotShape::kCross);    // n = 11
    EXPECT_EQ(GridDotShapeFor(1024, 0, 1.0), GridDotShape::kPixel);     // no division by zero
    EXPECT_EQ(GridExtent(1024, 768, 0.5), (ViewSize{2048, 1536}));

    Image img(5, 5, kWhite);
    DrawGridDot(img, 2, 2, GridDotShape::kCross, img.Bounds());
    int set = 0;
    for (Pixel p : img.Pixels()) set += p == kGridColour;
    EXPECT_EQ(set, 5);
    EXPECT_EQ(img.At(1, 1), kGridColour);
    EXPECT_EQ(img.At(2, 1), kWhite);
    // A square at the corner stays inside the clip and the image.
    Image small(3, 3, kWhite);
    DrawGridDot(small, 0, 0, GridDotShape::kSquare, {0, 0, 1, 3});
    EXPECT_EQ(small.At(0, 0), kGridColour);
    EXPECT_EQ(small.At(0, 1), kGridColour);
    EXPECT_EQ(small.At(1, 0), kWhite);
}

TEST(ViewGrid, GridPropertiesAcceptFiveToHundred) {
    EXPECT_EQ(FormatGridSizeField(10), "  10");
    EXPECT_EQ(ParseGridSize("5"), 5);
    EXPECT_EQ(ParseGridSize("  100 "), 100);
    EXPECT_EQ(ParseGridSize("4"), std::nullopt);
    EXPECT_EQ(ParseGridSize("101"), std::nullopt);
    EXPECT_EQ(GridSizeError("4"), "Please enter an integer between 5 and 100.");
    EXPECT_EQ(GridSizeError("99999999999999"), "Please enter an integer between 5 and 100.");
    EXPECT_EQ(GridSizeError("1x"), "Please enter an integer.");
    EXPECT_EQ(GridSizeError(""), "Please enter an integer.");
    EXPECT_EQ(GridSizeError("  10"), std::nullopt);
}

TEST(ViewStatusBar, PaneTexts) {
    EXPECT_EQ(CursorXPaneText(-3), "X=-3");
    EXPECT_EQ(CursorYPaneText(768), "Y=768");
    EXPECT_EQ(ZoomPaneText(1.0), "  1.00");
    EXPECT_EQ(ZoomPaneText(12.0), " 12.00");
    EXPECT_EQ(WindowPaneText(true, true, 7, 3), "Fixed Window07");
    EXPECT_EQ(WindowPaneText(true, false, 7, 3), "Window03");
    EXPECT_EQ(WindowPaneText(false, false, 0, 0), "");
    EXPECT_EQ(ModifiedPaneText(true), " * ");
    EXPECT_EQ(ModifiedPaneText(false), "   ");
    EXPECT_EQ(ModePaneText(kModeFS2000), "FS2K");
    EXPECT_EQ(ModePaneText(kModeCFS2), "CFS2");

    GaugePaneState s{.selectedCount = 1, .selectedIndex = 4, .selectedName = "Cessna!Airspeed"};
    EXPECT_EQ(GaugePaneText(s), "(4) Cessna!Airspeed");
    s.selectedCount = 2;
    EXPECT_EQ(GaugePaneText(s), "");
    s.resizing = true;
    s.sizeWidth = 99.9;
    s.sizeHeight = 20.2;
    EXPECT_EQ(GaugePaneText(s), "Gauge Size, Width=99, Height=20");
    s.moving = true;
    s.originX = 12.7;
    s.originY = -0.5;
    EXPECT_EQ(GaugePaneText(s), "Gauge Origin, X=12, Y=0");
}

}  // namespace
}  // namespace brindle
