#include "view/view_records.h"

#include <gtest/gtest.h>

#include "panel/panel.h"

namespace brindle {
namespace {

ViewGauge WithElement0(int w, int h) {
    ViewGauge g;
    g.slots[0].bitmapWidth = w;
    g.slots[0].bitmapHeight = h;
    return g;
}

TEST(ViewGauge, SettersKeepScalesInStep) {
    ViewGauge g = WithElement0(100, 50);
    g.SetWidth(200, kModeFS2000);
    EXPECT_EQ(g.XScale(), 2.0);
    EXPECT_EQ(g.YScale(), 2.0);  // no height yet: the y scale follows x
    g.SetHeight(25, kModeFS2000);
    EXPECT_EQ(g.YScale(), 0.5);

    // FS98: the y scale is always the x scale.
    ViewGauge f = WithElement0(100, 50);
    f.SetWidth(50, kModeFS98);
    f.SetHeight(400, kModeFS98);
    EXPECT_EQ(f.XScale(), 0.5);
    EXPECT_EQ(f.YScale(), 0.5);

    // An element 0 of width 0 keeps the previous x scale.
    ViewGauge z = WithElement0(0, 0);
    z.SetScales(3.0, 4.0);
    z.SetWidth(77, kModeFS2000);
    EXPECT_EQ(z.XScale(), 3.0);
    EXPECT_EQ(z.YScale(), 4.0);

    // Negative sizes give non-negative scales.
    ViewGauge n = WithElement0(10, 10);
    n.SetWidth(-20, kModeFS2000);
    n.SetHeight(-30, kModeFS2000);
    EXPECT_EQ(n.XScale(), 2.0);
    EXPECT_EQ(n.YScale(), 3.0);
}

TEST(ViewGauge, BuiltFromAPanelLine) {
    GaugeEntry e;
    e.name = "Demo_Cessna!Airspeed";
    e.parameter = "p";
    e.x = 5;
    e.y = 6;
    e.width = 96;
    e.widthPresent = true;
    e.bitmapLoaded = true;
    ViewGauge g = ViewGauge::FromEntry(e, 7, kModeFS2000);
    EXPECT_EQ(g.index, 7);
    EXPECT_EQ(g.name, "Demo_Cessna!Airspeed");
    EXPECT_EQ(g.x, 5.0);
    EXPECT_EQ(g.Width(), 96.0);
    EXPECT_EQ(g.Height(), 0.0);  // not given
    EXPECT_TRUE(g.widthPresent);
    EXPECT_FALSE(g.heightPresent);
    EXPECT_TRUE(g.loaded);
    EXPECT_EQ(g.XScale(), 1.0);
    EXPECT_EQ(g.outlineColour, MakePixel(255, 255, 0));
    EXPECT_EQ(g.placeholderColour, MakePixel(255, 0, 255));
}

}  // namespace
}  // namespace brindle
