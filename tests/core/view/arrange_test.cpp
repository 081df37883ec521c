#include "view/arrange.h"

#include <gtest/gtest.h>

#include <memory>

namespace brindle {
namespace {

// A loaded gauge whose element 0 is elW x elH pixels, drawn `width` wide (and `height` high when
// given).
ViewGauge Gauge(double x, double y, double width, double height = 0, int elW = 20, int elH = 20,
                SimMode mode = kModeFS2000) {
    ViewGauge g;
    g.name = "Mod!G";
    g.x = x;
    g.y = y;
    g.slots[0].bitmap = std::make_shared<const Image>(elW, elH, kWhite);
    g.slots[0].bitmapWidth = elW;
    g.slots[0].bitmapHeight = elH;
    g.slots[0].typeFlag = 1;
    g.loaded = true;
    g.widthPresent = true;
    g.heightPresent = height != 0;
    g.SetWidth(width, mode);
    g.SetHeight(height, mode);
    return g;
}

std::vector<ViewGauge> List(std::vector<ViewGauge> gauges, std::vector<int> selected = {}) {
    for (int i : selected) gauges[static_cast<size_t>(i)].selected = true;
    Renumber(gauges);
    return gauges;
}

// The drawn size the view would measure: element 0 at the gauge's scales.
const DrawnSize kDrawn{[](int) { return 0.0; }, [](int) { return 0.0; }};

TEST(GaugeHitTest, StrictOnEverySideAndNeverForDeleted) {
    ViewGauge g = Gauge(10, 20, 40);  // 40 x 40 units
    EXPECT_TRUE(HitTest(g, {11, 21}));
    EXPECT_TRUE(HitTest(g, {49, 59}));
    EXPECT_FALSE(HitTest(g, {10, 30}));
    EXPECT_FALSE(HitTest(g, {50, 30}));
    EXPECT_FALSE(HitTest(g, {30, 20}));
    EXPECT_FALSE(HitTest(g, {30, 60}));
    g.deleted = true;
    EXPECT_FALSE(HitTest(g, {30, 30}));

    // A placeholder (not loaded, no width) is 20 units at its x scale.
    ViewGauge p;
    p.x = 0;
    p.y = 0;
    EXPECT_EQ(HitExtent(p).w, 20);
    EXPECT_TRUE(HitTest(p, {19, 19}));
    EXPECT_FALSE(HitTest(p, {20, 10}));
}

TEST(GaugeHitTest, TopmostIsTheHighestIndex) {
    auto gauges = List({Gauge(0, 0, 40), Gauge(20, 20, 40), Gauge(100, 100, 10)});
    EXPECT_EQ(TopmostGaugeAt(gauges, {30, 30}), 1);
    EXPECT_EQ(TopmostGaugeAt(gauges, {5, 5}), 0);
    EXPECT_EQ(TopmostGaugeAt(gauges, {90, 5}), -1);
}

TEST(GaugeHitTest, BandCatchesOnlyWhatLiesEntirelyInside) {
    ViewGauge g = Gauge(10, 10, 20);  // 10..30
    EXPECT_TRUE(CaughtByBand(g, {9, 9}, {31, 31}));
    EXPECT_TRUE(CaughtByBand(g, {31, 31}, {9, 9}));  // corners in any order
    EXPECT_FALSE(CaughtByBand(g, {10, 9}, {31, 31}));
    EXPECT_FALSE(CaughtByBand(g, {9, 9}, {30, 31}));
    EXPECT_FALSE(CaughtByBand(g, {15, 15}, {100, 100}));
}

TEST(GaugeHandles, CornersEdgesAndBorderByMode) {
    // 100 x 60 units at (100, 100): handle side trunc(60 x 0.25) = 15, held at 10.
    ViewGauge g = Gauge(100, 100, 100, 60, 50, 30);
    struct Case {
        ViewPoint p;
        int fs2000;
        int fs98;
    } cases[] = {
        {{100, 100}, kHandleTopLeft, kHandleTopLeft},
        {{110, 110}, kHandleTopLeft, kHandleTopLeft},
        {{195, 105}, kHandleTopRight, kHandleTopRight},
        {{105, 155}, kHandleBottomLeft, kHandleBottomLeft},
        {{200, 160}, kHandleBottomRight, kHandleBottomRight},
        {{205, 130}, kHandleRight, kHandleInterior},  // outside the gauge: no border zone either
        {{195, 130}, kHandleRight, kHandleBorder},
        {{103, 130}, kHandleLeft, kHandleBorder},
        {{150, 105}, kHandleTop, kHandleBorder},
        {{150, 158}, kHandleBottom, kHandleBorder},
        {{150, 130}, kHandleInterior, kHandleInterior},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HandleAt(g, c.p, kModeFS2000), c.fs2000) << c.p.x << "," << c.p.y;
        EXPECT_EQ(HandleAt(g, c.p, kModeFS98), c.fs98) << c.p.x << "," << c.p.y;
    }
    // The side is at least 1 unit; a gauge of width 0 has no handles at all.
    ViewGauge small = Gauge(0, 0, 2);
    EXPECT_EQ(HandleAt(small, {0, 0}, kModeFS2000), kHandleTopLeft);
    EXPECT_EQ(HandleAt(small, {2, 2}, kModeFS2000), kHandleBottomRight);
    small.SetWidth(0, kModeFS2000);
    EXPECT_EQ(HandleAt(small, {0, 0}, kModeFS2000), kHandleInterior);
}

TEST(GaugeMove, PixelStepsFollowZoomAndLimits) {
    struct Case {
        int dx;
        double zoom;
        double scale;
        double expected;
    } cases[] = {
        {1, 0.5, 1.0, 102},  // trunc(1 / 0.5) = 2
        {1, 4.0, 1.0, 101},  // less than a unit still moves one
        {-1, 4.0, 1.0, 99}, {8, 4.0, 1.0, 102},        {3, 1.0, 0.5, 106},  // scale counts like zoom
        {0, 1.0, 1.0, 100}, {-100000, 1.0, 1.0, -500}, {100000, 1.0, 1.0, 30000},
    };
    for (const Case& c : cases) {
        ViewGauge g = Gauge(100, 100, 40);
        MoveByPixels(g, c.dx, 0, c.zoom, c.scale);
        EXPECT_EQ(g.x, c.expected) << c.dx << " at " << c.zoom;
        EXPECT_EQ(g.y, 100);
    }
    ViewGauge g = Gauge(-499, 29999, 40);
    MoveByUnits(g, -5, 5);
    EXPECT_EQ(g.x, -500);
    EXPECT_EQ(g.y, 30000);
}

TEST(GaugeResize, CornerAndEdgeRulesKeepTheOppositeSide) {
    // 40 x 40 (element 20 x 20), implicit height, at (100, 100).
    struct Case {
        const char* what;
        int handle;
        double cx, cy;
        bool shift;
        SimMode mode;
        double x, y, w, h;  // h: the given height (0 = not given)
    } cases[] = {
        {"bottom-right grows", kHandleBottomRight, 150, 160, false, kModeFS2000, 100, 100, 50, 60},
        {"bottom-right below the limit", kHandleBottomRight, 102, 160, false, kModeFS2000, 100, 100, 10, 60},
        {"FS98 corner: width only", kHandleBottomRight, 150, 300, false, kModeFS98, 100, 100, 50, 0},
        {"top-left keeps bottom-right", kHandleTopLeft, 120, 110, false, kModeFS2000, 120, 110, 20, 30},
        {"top-right keeps the bottom", kHandleTopRight, 160, 90, false, kModeFS2000, 100, 90, 60, 50},
        {"bottom-left keeps the right", kHandleBottomLeft, 90, 130, false, kModeFS2000, 90, 100, 50, 30},
        {"FS98 top-left keeps the corner", kHandleTopLeft, 120, 0, false, kModeFS98, 120, 120, 20, 0},
        {"right edge", kHandleRight, 150, 0, false, kModeFS2000, 100, 100, 50, 40},
        {"left edge", kHandleLeft, 90, 0, false, kModeFS2000, 90, 100, 50, 40},
        {"top edge", kHandleTop, 0, 130, false, kModeFS2000, 100, 130, 40, 10},
        {"top edge past the limit", kHandleTop, 0, 200, false, kModeFS2000, 100, 130, 40, 10},
        {"bottom edge", kHandleBottom, 0, 150, false, kModeFS2000, 100, 100, 40, 50},
        {"FS98 has no edges", kHandleRight, 150, 0, false, kModeFS98, 100, 100, 40, 0},
        {"border does nothing", kHandleBorder, 300, 300, false, kModeFS2000, 100, 100, 40, 0},
    };
    for (const Case& c : cases) {
        ViewGauge g = Gauge(100, 100, 40, 0, 20, 20, c.mode);
        ResizeByHandle(g, c.handle, c.cx, c.cy, c.shift, c.mode);
        EXPECT_DOUBLE_EQ(g.x, c.x) << c.what;
        EXPECT_DOUBLE_EQ(g.y, c.y) << c.what;
        EXPECT_DOUBLE_EQ(g.Width(), c.w) << c.what;
        EXPECT_DOUBLE_EQ(g.Height(), c.h) << c.what;
        if (c.mode == kModeFS98) {
            EXPECT_EQ(g.YScale(), g.XScale()) << c.what;
        }
    }
}

TEST(GaugeResize, ShiftOnACornerReturnsToTheBitmapAspect) {
    // 60 wide with a given height of 80 (element 30 x 20).
    ViewGauge g = Gauge(0, 0, 60, 80, 30, 20);
    ResizeByHandle(g, kHandleBottomRight, 60, 500, true, kModeFS2000);
    EXPECT_EQ(g.Width(), 80);  // the larger of width and height
    EXPECT_EQ(g.Height(), 0);
    EXPECT_FALSE(g.heightPresent);
    EXPECT_EQ(g.YScale(), g.XScale());

    // The edge rule first makes an implicit height explicit at the bitmap's aspect.
    ViewGauge e = Gauge(0, 0, 60, 0, 30, 20);
    ResizeByHandle(e, kHandleBottom, 0, 40, false, kModeFS2000);
    EXPECT_EQ(e.Height(), 40);
    EXPECT_TRUE(e.heightPresent);
    ViewGauge f = Gauge(0, 0, 60, 0, 30, 20);
    ResizeByHandle(f, kHandleBottom, 0, 50, false, kModeFS2000);
    EXPECT_EQ(f.Height(), 50);  // 40 from the aspect, + 10
}

TEST(Arrange, LineUpTakesTheFirstOfTheTopmost) {
    auto v = List({Gauge(10, 50, 20), Gauge(40, 20, 20), Gauge(70, 20, 20), Gauge(5, 5, 20)}, {0, 1, 2});
    EXPECT_TRUE(LineUpVertically(v));
    EXPECT_EQ(v[0].x, 40);
    EXPECT_EQ(v[1].x, 40);
    EXPECT_EQ(v[2].x, 40);
    EXPECT_EQ(v[3].x, 5);  // not selected
    EXPECT_EQ(v[0].y, 50);

    auto h = List({Gauge(10, 50, 20), Gauge(40, 20, 20), Gauge(10, 90, 20)}, {0, 1, 2});
    EXPECT_TRUE(LineUpHorizontally(h));
    EXPECT_EQ(h[0].y, 50);
    EXPECT_EQ(h[1].y, 50);
    EXPECT_EQ(h[2].y, 50);

    auto one = List({Gauge(10, 50, 20), Gauge(40, 20, 20)}, {0});
    EXPECT_FALSE(LineUpVertically(one));
    EXPECT_EQ(one[0].x, 10);
}

TEST(Arrange, StackByDistanceFromTheOrigin) {
    // Heights 30 at distances 100, 5 and 50: the nearest stays, the others follow it.
    auto v = List({Gauge(60, 80, 30, 30), Gauge(3, 4, 30, 30), Gauge(30, 40, 30, 30)}, {0, 1, 2});
    EXPECT_TRUE(StackVertically(v, kDrawn));
    EXPECT_EQ(v[1].x, 3);
    EXPECT_EQ(v[1].y, 4);
    EXPECT_EQ(v[2].x, 3);
    EXPECT_EQ(v[2].y, 34);
    EXPECT_EQ(v[0].x, 3);
    EXPECT_EQ(v[0].y, 64);

    // Horizontally; equal distances keep index order.
    auto h = List({Gauge(30, 40, 20), Gauge(40, 30, 30), Gauge(0, 0, 10)}, {0, 1, 2});
    EXPECT_TRUE(StackHorizontally(h, kDrawn));
    EXPECT_EQ(h[2].x, 0);
    EXPECT_EQ(h[0].x, 10);
    EXPECT_EQ(h[0].y, 0);
    EXPECT_EQ(h[1].x, 30);

    // An implicit height is measured on the view.
    auto d = List({Gauge(0, 0, 20), Gauge(50, 50, 20)}, {0, 1});
    DrawnSize drawn{[](int) { return 0.0; }, [](int i) { return i == 0 ? 25.0 : 0.0; }};
    EXPECT_TRUE(StackVertically(d, drawn));
    EXPECT_EQ(d[1].y, 25);
    DrawnSize none{[](int) { return 0.0; }, [](int) { return 0.0; }};
    auto z = List({Gauge(0, 0, 20), Gauge(50, 50, 20)}, {0, 1});
    EXPECT_FALSE(StackVertically(z, none));
    EXPECT_EQ(z[1].y, 50);
}

TEST(Arrange, SameSizeAndAspectRatio) {
    DrawnSize drawn{[](int) { return 0.0; }, [](int i) { return i == 1 ? 45.0 : 0.0; }};
    auto v = List({Gauge(0, 0, 30, 20), Gauge(0, 0, 50), Gauge(0, 0, 99)}, {0, 1});
    EXPECT_TRUE(SameSize(v, true, drawn, kModeFS2000));
    EXPECT_EQ(v[0].Width(), 50);
    EXPECT_EQ(v[0].Height(), 45);
    EXPECT_EQ(v[1].Height(), 45);
    EXPECT_FALSE(v[1].heightPresent);  // present flags stay
    EXPECT_EQ(v[2].Width(), 99);

    auto s = List({Gauge(0, 0, 30, 20), Gauge(0, 0, 50, 60)}, {0, 1});
    EXPECT_TRUE(SameSize(s, false, drawn, kModeFS2000));
    EXPECT_EQ(s[1].Width(), 30);
    EXPECT_EQ(s[1].Height(), 20);

    auto one = List({Gauge(0, 0, 30, 20), Gauge(0, 0, 50)}, {1});
    EXPECT_FALSE(SameSize(one, true, drawn, kModeFS2000));
    EXPECT_EQ(one[1].Height(), 0);

    auto a = List({Gauge(0, 0, 30, 70)}, {0});
    AspectRatioOne(a, 0, drawn, kModeFS2000);
    EXPECT_EQ(a[0].Width(), 70);
    EXPECT_EQ(a[0].Height(), 0);
    EXPECT_FALSE(a[0].heightPresent);
    EXPECT_EQ(a[0].YScale(), a[0].XScale());
}

TEST(Arrange, SnapToTheGrid) {
    struct Case {
        double in, out;
    } cases[] = {{14, 10}, {15, 20}, {-14, -10}, {20, 20}, {0, 0}, {14.5, 10}, {17.25, 20}};
    for (const Case& c : cases) {
        ViewGauge g = Gauge(c.in, c.in, 20);
        SnapToGrid(g, 10);
        EXPECT_DOUBLE_EQ(g.x, c.out) << c.in;
        EXPECT_DOUBLE_EQ(g.y, c.out) << c.in;
    }
    ViewGauge g = Gauge(14, 14, 20);
    SnapToGrid(g, 0);
    EXPECT_EQ(g.x, 14);
}

TEST(Arrange, DrawingOrderAndItsMessages) {
    auto named = [](std::vector<int> selected) {
        std::vector<ViewGauge> v;
        for (const char* n : {"A", "B", "C", "D"}) {
            v.push_back(Gauge(0, 0, 10));
            v.back().name = n;
        }
        return List(v, selected);
    };
    auto order = [](const std::vector<ViewGauge>& v) {
        std::string s;
        for (const auto& g : v) s += g.name;
        return s;
    };
    struct Case {
        OrderMove move;
        int selected;
        const char* order;
        const char* message;
    } cases[] = {
        {OrderMove::kUp, 1, "ACBD", nullptr},
        {OrderMove::kToFront, 1, "ACDB", nullptr},
        {OrderMove::kDown, 2, "ACBD", nullptr},
        {OrderMove::kToBack, 2, "CABD", nullptr},
        {OrderMove::kUp, 3, "ABCD", kAlreadyOnTopMessage},
        {OrderMove::kToFront, 3, "ABCD", kAlreadyOnTopMessage},
        {OrderMove::kDown, 0, "ABCD", kAlreadyFirstMessage},
        {OrderMove::kToBack, 0, "ABCD", kAlreadyFirstMessage},
    };
    for (const Case& c : cases) {
        auto v = named({c.selected});
        OrderResult r = MoveInDrawingOrder(v, c.move);
        EXPECT_EQ(order(v), c.order);
        EXPECT_EQ(r.changed, c.message == nullptr);
        EXPECT_EQ(r.message, c.message ? c.message : "");
        for (size_t i = 0; i < v.size(); ++i) EXPECT_EQ(v[i].index, static_cast<int>(i));
    }
    auto two = named({0, 1});
    EXPECT_EQ(MoveInDrawingOrder(two, OrderMove::kUp).message, kMultipleSelectedMessage);
    EXPECT_EQ(order(two), "ABCD");
    auto none = named({});
    OrderResult r = MoveInDrawingOrder(none, OrderMove::kUp);
    EXPECT_FALSE(r.changed);
    EXPECT_EQ(r.message, "");
}

TEST(Arrange, DeleteCompactsAndRenumbers) {
    auto v = List({Gauge(0, 0, 10), Gauge(1, 0, 10), Gauge(2, 0, 10), Gauge(3, 0, 10)}, {0, 2});
    EXPECT_EQ(DeleteSelected(v), 2);
    ASSERT_EQ(v.size(), 2u);
    EXPECT_EQ(v[0].x, 1);
    EXPECT_EQ(v[1].x, 3);
    EXPECT_EQ(v[1].index, 1);
}

TEST(Arrange, UndoAndRedoExchangeWholeLists) {
    UndoRecord u;
    EXPECT_FALSE(u.UndoAvailable());
    std::vector<ViewGauge> live = List({Gauge(0, 0, 10)});
    EXPECT_FALSE(u.Undo(live));
    u.Record(live, 0);
    // Gauges added after the snapshot come back with Redo.
    live.push_back(Gauge(5, 5, 10));
    live.push_back(Gauge(6, 6, 10));
    EXPECT_TRUE(u.Undo(live));
    EXPECT_EQ(live.size(), 1u);
    EXPECT_FALSE(u.UndoAvailable());
    EXPECT_TRUE(u.RedoAvailable());
    EXPECT_TRUE(u.Redo(live));
    ASSERT_EQ(live.size(), 3u);
    EXPECT_EQ(live[2].x, 6);
    EXPECT_TRUE(u.Undo(live));
    EXPECT_EQ(live.size(), 1u);
    u.Record(live, 0);
    EXPECT_FALSE(u.RedoAvailable());
    u.Withdraw();
    EXPECT_FALSE(u.UndoAvailable());
}

}  // namespace
}  // namespace brindle
