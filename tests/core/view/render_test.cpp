#include "view/render.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dib_builder.h"
#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "view/bitmap.h"
#include "view/panel_view.h"
#include "view/render_png.h"

namespace brindle {
namespace {

constexpr Pixel kRed = MakePixel(255, 0, 0);
constexpr Pixel kBlue = MakePixel(0, 0, 255);
constexpr Pixel kPanelBg = MakePixel(20, 40, 60);

ImagePtr Solid(int w, int h, Pixel p) {
    return std::make_shared<const Image>(w, h, p);
}

// A w x h image of colour `p` with a black pixel at (bx, by).
ImagePtr WithBlack(int w, int h, Pixel p, int bx, int by) {
    auto img = std::make_shared<Image>(w, h, p);
    img->At(bx, by) = kBlack;
    return img;
}

// Every pixel different, so a shifted or rescaled copy shows.
ImagePtr Pattern(int w, int h, int seed) {
    auto img = std::make_shared<Image>(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x)
            img->At(x, y) = MakePixel(x * 37 + seed, y * 53 + seed, (x ^ y) * 29 + seed);
    }
    img->At(w / 2, h / 2) = kBlack;
    return img;
}

ElementSlot Slot(ImagePtr img, unsigned type, int x = 0, int y = 0, bool transparent = false, int ox = 0,
                 int oy = 0) {
    ElementSlot s;
    s.bitmapWidth = img ? img->Width() : 0;
    s.bitmapHeight = img ? img->Height() : 0;
    s.bitmap = std::move(img);
    s.typeFlag = type;
    s.resourceId = 1;
    s.x = x;
    s.y = y;
    s.offsetX = ox;
    s.offsetY = oy;
    s.transparent = transparent;
    return s;
}

ViewGauge Gauge(double x, double y, std::vector<ElementSlot> slots, double width, double height = 0,
                int version = 700, double design = 0) {
    ViewGauge g;
    g.name = "Test!Gauge";
    g.x = x;
    g.y = y;
    for (size_t i = 0; i < slots.size(); ++i) g.slots[i] = slots[i];
    g.designWidth = design > 0 ? design : g.slots[0].bitmapWidth;
    g.version = version;
    g.loaded = true;
    g.SetWidth(width, kModeFS2000);
    g.SetHeight(height, kModeFS2000);
    return g;
}

ShownWindow Info(int w, int h, Pixel background = kPanelBg) {
    ShownWindow s;
    s.index = 0;
    s.sizeMmX = w;
    s.sizeMmY = h;
    s.sizeMmPresent = s.sizeMmYPresent = true;
    s.backgroundColour = background;
    return s;
}

ViewWindow Records(std::vector<ViewGauge> gauges) {
    ViewWindow w;
    for (size_t i = 0; i < gauges.size(); ++i) gauges[i].index = static_cast<int>(i);
    w.gauges = std::move(gauges);
    return w;
}

// A packed 8-bit bitmap whose pixel (x, y) has colour index f(x, y).
Dib Dib8(int w, int h, std::vector<std::uint32_t> table, auto f) {
    test::DibLayout layout;
    layout.width = w;
    layout.height = h;
    layout.bits = 8;
    layout.clrUsed = static_cast<std::uint32_t>(table.size());
    layout.table = std::move(table);
    const int stride = (w + 3) & ~3;
    layout.pixels.assign(static_cast<size_t>(stride * h), 0);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) layout.pixels[static_cast<size_t>((h - 1 - y) * stride + x)] = f(x, y);
    }
    auto dib = Dib::FromPacked(test::PackedDib(layout));
    EXPECT_TRUE(dib.has_value());
    return *dib;
}

class RenderTest : public ::testing::Test {
  protected:
    RenderTest() {
        settings.SetMode(kModeFS2000);
        settings.SetGaugeDrawTypes(1);
        settings.SetDrawAllBitmaps(1);
        settings.SetTransparentGauges(1);
    }
    void Show(std::vector<ViewGauge> gauges, int w = 40, int h = 30, double zoom = 1.0) {
        view.ShowRecords(Records(std::move(gauges)), Info(w, h));
        view.SetZoom(zoom);
    }
    Settings settings;
    PanelView view{settings};
};

TEST(ElementPlacement, PositionsFollowDesignPixelsOffsetsAndVersion) {
    // Element 0 is 50 x 40 pixels, the gauge 100 design pixels and 200 units wide: 4 units per
    // element pixel and 2 units per design pixel.
    auto face = Solid(50, 40, kRed);
    auto needle = Solid(8, 40, kBlue);
    PlacementParams p;
    struct Case {
        const char* what;
        unsigned type;
        double height;
        int version;
        PixelRect rect;
    } cases[] = {
        {"needle: offset subtracted", kElementNeedle, 0, 700, {92, 20, 124, 180}},
        {"sprite: offset subtracted", kElementSprite, 0, 700, {92, 20, 124, 180}},
        {"icon: offset kept", kElementIcon, 0, 700, {100, 100, 132, 260}},
        {"own height halves the y scale", kElementNeedle, 80, 700, {92, 10, 124, 90}},
        {"FS98: element pixels, not design pixels", kElementNeedle, 0, 610, {184, 40, 216, 200}},
    };
    for (const Case& c : cases) {
        ViewGauge g = Gauge(0, 0, {Slot(face, kElementStatic), Slot(needle, c.type, 50, 50, true, 4, 40)},
                            200, c.height, c.version, 100);
        auto r = ElementRect(g, 1, p);
        ASSERT_TRUE(r) << c.what;
        EXPECT_EQ(*r, c.rect) << c.what;
        EXPECT_EQ(*ElementRect(g, 0, p),
                  (PixelRect{0, 0, 200, c.height != 0 ? static_cast<int>(c.height) : 160}))
            << c.what;
    }

    // Zoom, scale and scroll: left = trunc(zoom x scale x x) - scroll.
    ViewGauge g = Gauge(10.5, 5, {Slot(face, kElementStatic)}, 50);
    PlacementParams z{.zoom = 1.5, .scale = 2.0, .scroll = {3, 4}};
    EXPECT_EQ(*ElementRect(g, 0, z), (PixelRect{28, 11, 28 + 150, 11 + 120}));

    // A drawn size of w x 0 becomes square; 0 x 0 has no rectangle; width 0 has none.
    ViewGauge thin = Gauge(0, 0, {Slot(Solid(10, 1, kRed), kElementStatic)}, 5);
    EXPECT_EQ(*ElementRect(thin, 0, p), (PixelRect{0, 0, 5, 5}));
    ViewGauge tiny = Gauge(0, 0, {Slot(Solid(1, 1, kRed), kElementStatic)}, 0.5);
    EXPECT_FALSE(ElementRect(tiny, 0, p));
    ViewGauge none = Gauge(0, 0, {Slot(face, kElementStatic)}, 0);
    EXPECT_FALSE(ElementRect(none, 0, p));
    EXPECT_TRUE(GaugeRect(none, p).Empty());
    // No usable design width: positions count in element-0 pixels.
    ViewGauge noDesign = Gauge(0, 0, {Slot(face, kElementStatic), Slot(needle, kElementIcon, 5, 5)}, 100);
    noDesign.designWidth = 0;
    EXPECT_EQ(ElementRect(noDesign, 1, p)->left, 10);
}

TEST(ElementPlacement, GaugeRectFollowsTheElementFilter) {
    auto face = Solid(20, 20, kRed);
    ViewGauge g = Gauge(0, 0,
                        {Slot(face, kElementStatic), Slot(Solid(4, 30, kBlue), kElementNeedle, 8, 10),
                         Slot(Solid(4, 4, kBlue), kElementIcon, 30, 0)},
                        20);
    PlacementParams p{.drawAll = true, .drawTypes = 1};
    EXPECT_EQ(GaugeRect(g, p), (PixelRect{0, 0, 20, 20}));  // the needle stops the walk
    p.drawTypes = kElementNeedle;
    EXPECT_EQ(GaugeRect(g, p), (PixelRect{0, 0, 20, 40}));  // static is always in; icon not
    p.drawTypes = kElementNeedle | kElementIcon;
    EXPECT_EQ(GaugeRect(g, p), (PixelRect{0, 0, 34, 40}));
    p.drawAll = false;
    EXPECT_EQ(GaugeRect(g, p), (PixelRect{0, 0, 20, 20}));
}

TEST_F(RenderTest, BackgroundFillAtSizeMmWhiteInFs98AndViewColourAround) {
    Show({}, 6, 4, 2.0);
    Image img = view.PaintRect({0, 0, 16, 10});
    EXPECT_EQ(img.At(0, 0), kPanelBg);
    EXPECT_EQ(img.At(11, 7), kPanelBg);
    EXPECT_EQ(img.At(12, 7), kViewBackground);  // beyond trunc(2 x 6)
    EXPECT_EQ(img.At(11, 8), kViewBackground);
    settings.SetMode(kModeFS98);
    img = view.PaintRect({0, 0, 16, 10});
    EXPECT_EQ(img.At(0, 0), kWhite);
}

TEST_F(RenderTest, TransparencyOfElements) {
    settings.SetGaugeDrawTypes(kElementSprite);
    // Gauge 0: opaque face; gauge 1: transparent face; gauge 2: opaque-flagged sprite over a face.
    Show({Gauge(0, 0, {Slot(WithBlack(4, 4, kRed, 1, 1), kElementStatic)}, 4),
          Gauge(10, 0, {Slot(WithBlack(4, 4, kRed, 1, 1), kElementStatic, 0, 0, true)}, 4),
          Gauge(20, 0,
                {Slot(Solid(4, 4, kBlue), kElementStatic),
                 Slot(WithBlack(2, 2, kRed, 0, 0), kElementSprite, 1, 1, false)},
                4)});
    Image img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(1, 1), kBlack);
    EXPECT_EQ(img.At(0, 0), kRed);
    EXPECT_EQ(img.At(11, 1), kPanelBg);  // black is see-through
    EXPECT_EQ(img.At(10, 0), kRed);
    EXPECT_EQ(img.At(21, 1), kBlue);  // the sprite's black shows the face
    EXPECT_EQ(img.At(22, 1), kRed);

    view.ToggleTransparentGauges();  // off: only sprites stay transparent
    img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(11, 1), kBlack);
    EXPECT_EQ(img.At(21, 1), kBlue);

    // RGB(1, 1, 1) is a colour, not the key.
    view.ToggleTransparentGauges();
    auto nearBlack = std::make_shared<Image>(2, 2, MakePixel(1, 1, 1));
    view.Gauges()[1].slots[0] = Slot(nearBlack, kElementStatic, 0, 0, true);
    view.Gauges()[1].SetWidth(2, kModeFS2000);
    view.DropCaches();
    img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(10, 0), MakePixel(1, 1, 1));
}

TEST_F(RenderTest, ElementFilterAndWidthZero) {
    auto g = Gauge(
        0, 0, {Slot(Solid(10, 10, kRed), kElementStatic), Slot(Solid(2, 2, kBlue), kElementNeedle, 4, 4)},
        10);
    auto flat = Gauge(20, 0, {Slot(Solid(4, 4, kRed), kElementStatic)}, 4);
    flat.SetWidth(0, kModeFS2000);
    Show({g, flat});
    Image img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(4, 4), kRed);  // GaugeDrawTypes 1: the needle is not drawn
    EXPECT_EQ(img.At(20, 0), kPanelBg);
    EXPECT_EQ(view.GaugeRect(0), (PixelRect{0, 0, 10, 10}));
    EXPECT_TRUE(view.ToggleElementType(kElementNeedle));
    img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(4, 4), kBlue);
    // Off, the element filter is unavailable and only element 0 is drawn.
    view.ToggleDrawAllBitmaps();
    EXPECT_FALSE(view.ToggleElementType(kElementNeedle));
    img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(4, 4), kRed);
    view.ToggleDrawAllBitmaps();
    EXPECT_FALSE(view.ToggleElementType(kElementStatic));
    EXPECT_FALSE(view.ToggleElementType(kElementNeedle | kElementIcon));
}

TEST_F(RenderTest, OutlinesHandlesHiddenPlaceholderAndFocus) {
    ViewGauge selected = Gauge(0, 0, {Slot(Solid(20, 20, kRed), kElementStatic)}, 20);
    selected.selected = true;
    ViewGauge hidden = Gauge(25, 0, {Slot(Solid(10, 10, kRed), kElementStatic)}, 10);
    hidden.hidden = true;
    ViewGauge missing;  // what the loader leaves for a missing module: no bitmaps, 20 x 20
    missing.x = 0;
    missing.y = 22;
    missing.slots[0].bitmapWidth = missing.slots[0].bitmapHeight = 20;
    missing.SetWidth(20, kModeFS2000);
    ViewGauge focused = Gauge(25, 15, {Slot(Solid(10, 10, kRed), kElementStatic)}, 10);
    focused.focus = true;
    Show({selected, hidden, missing, focused}, 50, 50);
    Image img = view.PaintWholeWindow();
    // Selected: frame one pixel in, handles 8 x 8 in the corners, bitmap elsewhere.
    EXPECT_EQ(img.At(0, 0), kOutlineYellow);
    EXPECT_EQ(img.At(7, 7), kOutlineYellow);
    EXPECT_EQ(img.At(19, 19), kOutlineYellow);
    EXPECT_EQ(img.At(10, 1), kOutlineYellow);
    EXPECT_EQ(img.At(10, 0), kRed);
    EXPECT_EQ(img.At(10, 18), kOutlineYellow);
    EXPECT_EQ(img.At(10, 19), kRed);
    EXPECT_EQ(img.At(10, 10), kRed);
    // Hidden: a grey frame and no bitmap.
    EXPECT_EQ(img.At(26, 1), kHiddenGrey);
    EXPECT_EQ(img.At(30, 5), kPanelBg);
    // Missing module: a magenta frame of its fallback size; it becomes outlined.
    EXPECT_EQ(img.At(1, 23), kPlaceholderMagenta);
    EXPECT_EQ(img.At(18, 40), kPlaceholderMagenta);
    EXPECT_TRUE(view.Gauges()[2].outlined);
    // Focus, not selected, not outlined: no frame but a gauge with focus draws one with a cross.
    EXPECT_EQ(img.At(30, 20), kRed);
    view.Gauges()[3].outlined = true;
    img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(26, 16), kFocusGreen);
    EXPECT_EQ(img.At(30, 20), kFocusGreen);  // on the diagonal
    EXPECT_EQ(img.At(30, 17), kRed);
}

TEST_F(RenderTest, OutlineCycleReturnsAfterFourSteps) {
    ViewGauge a = Gauge(0, 0, {Slot(Solid(10, 10, kRed), kElementStatic)}, 10);
    ViewGauge b = Gauge(15, 0, {Slot(Solid(20, 20, kRed), kElementStatic)}, 20);
    b.selected = true;  // between its handles
    Show({a, b});
    auto look = [&] {
        Image img = view.PaintWholeWindow();
        // a: frame pixel, a: inside; b: inside
        return std::tuple{img.At(1, 5), img.At(5, 5), img.At(25, 10)};
    };
    using T = std::tuple<Pixel, Pixel, Pixel>;
    EXPECT_EQ(look(), (T{kRed, kRed, kRed}));
    view.CycleOutlineMode();
    EXPECT_EQ(look(), (T{kOutlineYellow, kRed, kRed}));
    view.CycleOutlineMode();
    EXPECT_EQ(look(), (T{kOutlineYellow, kPanelBg, kPanelBg}));
    view.CycleOutlineMode();
    EXPECT_EQ(look(), (T{kPanelBg, kPanelBg, kPanelBg}));
    EXPECT_EQ(view.OutlineMode(), 3);
    EXPECT_FALSE(view.DrawGaugeBitmaps());
    view.CycleOutlineMode();
    EXPECT_EQ(view.OutlineMode(), 0);
    EXPECT_EQ(look(), (T{kRed, kRed, kRed}));

    // Showing another window resets the step but not the bitmap switch.
    view.SetOutlineMode(2);
    view.ShowRecords(Records({a}), Info(40, 30));
    EXPECT_EQ(view.OutlineMode(), 0);
    EXPECT_FALSE(view.DrawGaugeBitmaps());
}

TEST_F(RenderTest, PartialRepaintsMatchTheFullPicture) {
    ViewWindow w = Records({Gauge(3, 2, {Slot(Pattern(9, 7, 1), kElementStatic)}, 13),
                            Gauge(11, 6,
                                  {Slot(Pattern(8, 8, 2), kElementStatic, 0, 0, true),
                                   Slot(Pattern(3, 5, 3), kElementSprite, 2, 2)},
                                  10, 7)});
    w.data = Dib8(31, 19, {0x000000, 0x102030, 0x405060, 0x708090, 0xA0B0C0},
                  [](int x, int y) { return (x + 2 * y) % 5; });
    w.bitmapWidth = 31;
    w.bitmapHeight = 19;
    w.Scale = 31.0 / 25.0;
    settings.SetGaugeDrawTypes(127);
    settings.SetGridVisible(1);
    settings.SetGridSize(5);
    for (int halftone : {0, 1}) {
        settings.SetUseHalftoneBLT(halftone);
        view.ShowRecords(w, Info(25, 15));
        view.Gauges()[1].selected = true;
        view.SetZoom(2.37);
        Image full = view.PaintWholeWindow();
        ASSERT_EQ(full.Width(), 73);
        for (PixelRect clip : {PixelRect{0, 0, 5, 5}, PixelRect{7, 3, 40, 21}, PixelRect{30, 20, 73, 45},
                               PixelRect{0, 0, 90, 60}, PixelRect{50, 1, 51, 44}}) {
            Image part = view.PaintRect(clip);
            for (int y = clip.top; y < clip.bottom; ++y) {
                for (int x = clip.left; x < clip.right; ++x) {
                    Pixel expect = full.Bounds().Contains(x, y) ? full.At(x, y) : kViewBackground;
                    ASSERT_EQ(part.At(x - clip.left, y - clip.top), expect)
                        << "halftone " << halftone << " at " << x << "," << y;
                }
            }
        }
        // The scroll position moves the picture, nothing else.
        view.Geometry().SetClientSize({20, 20});
        view.Geometry().SetScrollPosition({9, 4});
        Image scrolled = view.PaintRect({0, 0, 20, 20});
        for (int y = 0; y < 20; ++y) {
            for (int x = 0; x < 20; ++x) ASSERT_EQ(scrolled.At(x, y), full.At(x + 9, y + 4));
        }
        EXPECT_EQ(view.Window().ScrollX, 9);
        view.Geometry().SetScrollPosition({0, 0});
    }
}

TEST_F(RenderTest, PaintStaysInsideTheClip) {
    Show({Gauge(0, 0, {Slot(Solid(30, 30, kRed), kElementStatic)}, 30)});
    view.Gauges()[0].selected = true;
    settings.SetGridVisible(1);
    Image out(40, 30, kBlue);
    view.Paint(out, {0, 0}, {5, 5, 12, 9});
    int changed = 0;
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool inside = x >= 5 && x < 12 && y >= 5 && y < 9;
            if (out.At(x, y) != kBlue) ++changed;
            if (!inside) {
                ASSERT_EQ(out.At(x, y), kBlue) << x << "," << y;
            }
        }
    }
    EXPECT_EQ(changed, 7 * 4);
}

TEST_F(RenderTest, GridDotsAndOriginMarker) {
    settings.SetGridVisible(1);
    settings.SetGridSize(10);
    ViewGauge g = Gauge(14, 12, {Slot(Solid(6, 6, kRed), kElementStatic)}, 6);
    g.selected = true;
    ViewGauge far = Gauge(30, 20, {Slot(Solid(6, 6, kRed), kElementStatic)}, 6);
    far.selected = true;
    Show({g, far}, 40, 30);
    Image img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(0, 0), kGridColour);
    EXPECT_EQ(img.At(10, 20), kGridColour);
    // n = 40 / 10 / 1.0 = 4: every dot is a 3 x 3 square centred on its point.
    EXPECT_EQ(img.At(11, 11), kGridColour);
    EXPECT_EQ(img.At(5, 5), kPanelBg);
    EXPECT_EQ(img.At(39, 0), kPanelBg);  // x = 40 is not < W
    EXPECT_EQ(view.OriginMarkerGauges(), std::vector<int>{0});
    view.SetMovingGauges(true);
    img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(15, 13), kOriginMarkerColour);
    EXPECT_EQ(img.At(21, 18), kOriginMarkerColour);  // 8 x 8, beyond the 6-unit gauge
    EXPECT_EQ(img.At(33, 21), kOutlineYellow);       // the farther gauge has none
    PixelRect dirty = view.GaugeDirtyRect(0);
    EXPECT_EQ(dirty, (PixelRect{12, 10, 22, 20}));  // handles and marker reach out
}

TEST_F(RenderTest, RemoveGaugeFlashesRedThenCompacts) {
    struct Recorder : ViewInvalidator {
        std::vector<PixelRect> rects;
        std::vector<Pixel> seen;
        PanelView* view = nullptr;
        void Invalidate(const PixelRect& r) override { rects.push_back(r); }
        void InvalidateAll() override {}
        void UpdateNow() override { seen.push_back(view->PaintWholeWindow().At(11, 11)); }
    } rec;
    rec.view = &view;
    view.SetInvalidator(&rec);
    auto face = Solid(10, 10, kBlue);
    Show({Gauge(0, 0, {Slot(face, kElementStatic)}, 10), Gauge(10, 10, {Slot(face, kElementStatic)}, 10),
          Gauge(20, 0, {Slot(face, kElementStatic)}, 10)});
    view.Gauges()[1].outlined = true;
    rec.rects.clear();
    view.RemoveGauge(1);
    ASSERT_EQ(rec.rects.size(), 2u);
    EXPECT_EQ(rec.rects[0], (PixelRect{10, 10, 60, 60}));
    EXPECT_EQ(rec.rects[1], rec.rects[0]);
    EXPECT_EQ(rec.seen, (std::vector<Pixel>{kFocusRed, kPanelBg}));
    ASSERT_EQ(view.Gauges().size(), 2u);
    EXPECT_EQ(view.Gauges()[1].index, 1);
    EXPECT_EQ(view.Gauges()[1].x, 20);
    view.SetInvalidator(nullptr);
}

TEST_F(RenderTest, HideAndUnhideAvailability) {
    auto face = Solid(4, 4, kRed);
    Show({Gauge(0, 0, {Slot(face, kElementStatic)}, 4), Gauge(5, 0, {Slot(face, kElementStatic)}, 4)});
    auto& g = view.Gauges();
    EXPECT_TRUE(view.CanHide());
    EXPECT_FALSE(view.CanUnhide());
    g[0].selected = true;
    view.HideSelected();
    EXPECT_TRUE(g[0].hidden);
    EXPECT_FALSE(view.CanHide());
    EXPECT_TRUE(view.CanUnhide());
    g[1].selected = true;  // a visible gauge in the selection
    EXPECT_FALSE(view.CanHide());
    EXPECT_FALSE(view.CanUnhide());
    view.UnhideSelected();
    EXPECT_FALSE(g[0].hidden);
}

TEST_F(RenderTest, SkyColourChangesEntryZeroOfEightBitBackgrounds) {
    ViewWindow w = Records({});
    w.data = Dib8(4, 2, {0x112233, 0x445566}, [](int x, int) { return x < 2 ? 0 : 1; });
    w.bitmapWidth = 4;
    w.bitmapHeight = 2;
    ShownWindow info = Info(4, 2);
    view.ShowRecords(w, info);
    view.SetZoom(1.0);
    EXPECT_FALSE(view.CanTestSkyColor());  // the window has no bitmap name
    info.hasFile = true;
    view.ShowRecords(w, info);
    view.SetZoom(1.0);
    ASSERT_TRUE(view.CanTestSkyColor());
    EXPECT_EQ(view.SkyColor(), 0x112233u);
    EXPECT_EQ(view.PaintWholeWindow().At(0, 0), 0x112233u);
    EXPECT_TRUE(view.SetSkyColor(kRed));
    Image img = view.PaintWholeWindow();
    EXPECT_EQ(img.At(1, 1), kRed);
    EXPECT_EQ(img.At(2, 0), 0x445566u);

    // A 24-bit background has no colour table.
    test::DibLayout layout{.width = 1, .height = 1, .bits = 24, .pixels = {1, 2, 3, 0}};
    w.data = Dib::FromPacked(test::PackedDib(layout));
    ASSERT_TRUE(w.data);
    view.ShowRecords(w, info);
    EXPECT_FALSE(view.CanTestSkyColor());
    EXPECT_FALSE(view.SetSkyColor(kRed));
}

TEST_F(RenderTest, StoreWritesTheListBackInDrawingOrder) {
    ViewGauge a =
        Gauge(3.7, 4.2, {Slot(Solid(10, 5, kRed), kElementStatic)}, 20.9);  // height from the aspect
    a.name = "A!One";
    a.parameter = "p1";
    a.comment = "; keep me";
    a.heightPresent = false;
    ViewGauge b = Gauge(1, 1, {Slot(Solid(4, 4, kRed), kElementStatic)}, 4);
    b.deleted = true;
    ViewGauge c = Gauge(-2.5, 9, {Slot(Solid(4, 4, kRed), kElementStatic)}, 8, 6.8);
    c.name = "C!Three";
    c.loaded = false;
    c.widthPresent = c.heightPresent = true;
    Show({a, b, c});
    PanelWindow pw;
    pw.gauges.resize(5);
    pw.gaugeCount = 5;
    view.StorePanelWindow(pw);
    ASSERT_EQ(pw.gaugeCount, 2);
    ASSERT_EQ(pw.gauges.size(), 2u);
    const GaugeEntry& e0 = pw.gauges[0];
    EXPECT_EQ(e0.name, "A!One");
    EXPECT_EQ(e0.x, 3);
    EXPECT_EQ(e0.y, 4);
    EXPECT_EQ(e0.width, 20);
    EXPECT_EQ(e0.height, 10);  // 5 pixels at 20.9 / 10 units per pixel
    EXPECT_EQ(e0.parameter, "p1");
    EXPECT_EQ(e0.comment, "; keep me");
    EXPECT_TRUE(e0.bitmapLoaded);
    const GaugeEntry& e1 = pw.gauges[1];
    EXPECT_EQ(e1.name, "C!Three");
    EXPECT_EQ(e1.x, -2);
    EXPECT_EQ(e1.height, 6);
    EXPECT_FALSE(e1.bitmapLoaded);
    EXPECT_TRUE(e1.widthPresent && e1.heightPresent);
}

TEST(MainFrameTitles, ByWindowKind) {
    ShownWindow w;
    w.index = 3;
    w.title = "Radio";
    w.fixedNumber = 12;
    w.vcockpitNumber = 2;
    EXPECT_EQ(MainFrameTitle(false, "x", "y", &w), "Brindle");
    EXPECT_EQ(MainFrameTitle(true, "", "y", &w), "Brindle - Untitled");
    EXPECT_EQ(MainFrameTitle(true, "C:\\p.cfg", "Cessna", &w),
              "Brindle - Cessna - \"Radio\" - Window03, C:\\p.cfg");
    w.kind = WindowKind::FixedWindow;
    EXPECT_EQ(MainFrameTitle(true, "C:\\p.cfg", "Cessna", &w),
              "Brindle - Cessna - \"Radio\" - Fixed Window12, C:\\p.cfg");
    w.kind = WindowKind::Vcockpit;
    EXPECT_EQ(MainFrameTitle(true, "C:\\p.cfg", "Cessna", &w), "Brindle - Cessna - VCockpit02, C:\\p.cfg");
}

TEST(ScaledBitmapCache, KeepsWithinItsBudgetAndMatchesADirectStretch) {
    ScaledBitmapCache cache(200 * sizeof(Pixel));
    ImagePtr src = Pattern(7, 5, 9);
    const ScaledBitmap* a = cache.Get(src, 10, 10, StretchQuality::kColorOnColor);
    ASSERT_TRUE(a);
    Image direct(10, 10);
    StretchCopy(direct, direct.Bounds(), *src, src->Bounds(), StretchQuality::kColorOnColor, direct.Bounds());
    EXPECT_EQ(a->image, direct);
    EXPECT_EQ(cache.Get(src, 10, 10, StretchQuality::kColorOnColor), a);
    cache.Get(src, 10, 11, StretchQuality::kColorOnColor);  // over budget: starts again
    EXPECT_EQ(cache.Entries(), 1u);
    EXPECT_LE(cache.Bytes(), 200 * sizeof(Pixel));
    EXPECT_TRUE(cache.Get(src, 30, 30, StretchQuality::kHalftone));  // larger than the budget: not kept
    EXPECT_EQ(cache.Entries(), 0u);
    EXPECT_FALSE(cache.Get(src, 0, 3, StretchQuality::kHalftone));

    // Drawing by runs leaves the same pixels as testing each one, also when cut by the clip.
    ScaledBitmapCache big;
    auto holes = std::make_shared<Image>(*Pattern(9, 6, 0));
    for (int i = 0; i < 54; i += 4) holes->Pixels()[static_cast<size_t>(i)] = kBlack;
    const ScaledBitmap* r = big.Get(holes, 13, 8, StretchQuality::kColorOnColor, true);
    ASSERT_TRUE(r && r->HasRuns());
    for (PixelRect clip : {PixelRect{0, 0, 20, 20}, PixelRect{5, 3, 9, 7}, PixelRect{0, 0, 4, 20}}) {
        Image byRuns(20, 20, kBlue), byPixels(20, 20, kBlue);
        BlitScaled(byRuns, -2, 3, *r, true, clip);
        BlitScaled(byPixels, -2, 3, r->image, true, clip);
        EXPECT_EQ(byRuns, byPixels);
    }
}

TEST(RenderPng, RoundTrip) {
    ImagePtr img = Pattern(5, 3, 4);
    auto bytes = EncodePng(*img);
    ASSERT_FALSE(bytes.empty());
    auto back = DecodePng(bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, *img);
    bytes.resize(bytes.size() / 2);
    EXPECT_FALSE(DecodePng(bytes));
    EXPECT_TRUE(EncodePng(Image()).empty());
}

// ShowPanelWindow on real files.
class ShowWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() /
              ("brindle_render_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        settings.SetCurrentFile((dir / "panel.cfg").string());
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    void WriteBmp(const std::string& name, int w, int h) {
        ASSERT_TRUE(WriteBmp24((dir / name).string(), Image(w, h, kRed)));
    }
    std::filesystem::path dir;
    Settings settings;
    RecordingMessageUi ui;
    ScopedMessageUi scope{ui};
};

TEST_F(ShowWindowTest, BackgroundChoiceAndFallbacks) {
    WriteBmp("low.bmp", 64, 48);
    WriteBmp("high.bmp", 128, 96);
    Panel panel = EmptyPanel();
    PanelWindow w;
    w.file = "low.bmp";
    w.file1024 = "high.bmp";
    w.sizeMmX = 320;
    w.sizeMmPresent = true;
    InsertWindow(panel, w);
    PanelWindow bare;  // no bitmap: drawn in its colour at size_mm
    bare.sizeMmX = 200;
    bare.sizeMmY = 50;
    bare.sizeMmPresent = bare.sizeMmYPresent = true;
    bare.backgroundColor = ColorEntry::FromRgb(1, 2, 3);
    InsertWindow(panel, bare);

    struct Case {
        SimMode mode;
        int highRes, window, width, height;
        double scale;
    } cases[] = {
        {kModeFS2000, 1, 0, 128, 96, 128.0 / 320},
        {kModeFS2000, 0, 0, 64, 48, 64.0 / 320},
        {kModeFS98, 1, 0, 64, 48, 64.0 / 320},
        {kModeCFS2, 1, 1, 200, 50, 1.0},
    };
    PanelView view(settings);
    for (const Case& c : cases) {
        settings.SetMode(c.mode);
        settings.SetHighRes(c.highRes);
        ASSERT_TRUE(view.ShowPanelWindow(panel, c.window));
        EXPECT_EQ(view.Window().bitmapWidth, c.width);
        EXPECT_EQ(view.Window().bitmapHeight, c.height);
        EXPECT_DOUBLE_EQ(view.Window().Scale, c.scale);
        EXPECT_EQ(view.BackgroundLoaded(), c.window == 0);
    }
    EXPECT_EQ(panel.windows[0].bitmapWidth, 64);
    view.SetZoom(1.0);
    EXPECT_EQ(view.PaintWholeWindow().At(199, 49), MakePixel(1, 2, 3));
    EXPECT_TRUE(ui.entries.empty());

    // A bitmap that can't be read was reported; the window falls back to its size_mm.
    std::filesystem::remove(dir / "low.bmp");
    settings.SetMode(kModeFS98);
    ASSERT_TRUE(view.ShowPanelWindow(panel, 0));
    EXPECT_FALSE(view.BackgroundLoaded());
    EXPECT_EQ(view.Window().bitmapWidth, 320);
    EXPECT_EQ(view.Window().bitmapHeight, 320);
    ASSERT_EQ(ui.entries.size(), 1u);
    EXPECT_NE(ui.entries[0].text.find("Can't open Bitmap file: "), std::string::npos);
    EXPECT_FALSE(view.ShowPanelWindow(panel, 2));
}

TEST_F(ShowWindowTest, DemoPanelLoadsItsGaugesWithProgress) {
    const std::string sim = std::string(BRINDLE_SAMPLES_DIR) + "/FS2000";
    const std::string path = sim + "/Aircraft/Demo/Panel/panel.cfg";
    settings.SetMode(kModeFS2000);
    settings.SetFS2000Dir(sim);
    Panel panel;
    ASSERT_TRUE(ReadPanelFile(path, settings, panel));
    PanelView view(settings);
    view.Geometry().SetClientSize({1280, 480});
    std::vector<std::string> steps;
    ASSERT_TRUE(view.ShowPanelWindow(panel, 1, [&](int done, int total, const std::string& ref) {
        steps.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + ref);
    }));
    ASSERT_EQ(steps.size(), 7u);
    EXPECT_EQ(steps.front(), "0/5 ");
    EXPECT_EQ(steps[4], "3/5 Missing_Module!Gauge");
    EXPECT_EQ(steps.back(), "5/5 ");
    EXPECT_EQ(ReadingGaugeText("Missing_Module!Gauge"), "Reading Missing_Module!Gauge");
    const auto& g = view.Gauges();
    ASSERT_EQ(g.size(), 5u);
    EXPECT_TRUE(g[0].loaded);
    EXPECT_FALSE(g[3].loaded);
    EXPECT_FALSE(panel.windows[1].gauges[3].bitmapLoaded);
    for (const ViewGauge& v : g) EXPECT_FALSE(v.focus || v.selected || v.outlined || v.deleted);
    EXPECT_DOUBLE_EQ(settings.Zoom(), 4.0);  // fitted: 1280 / 320 and 480 / 120
    EXPECT_EQ(view.Geometry().ScrollSize(), (ViewSize{1280, 480}));

    ASSERT_TRUE(view.ShowPanelWindow(panel, 0));
    ASSERT_EQ(view.Gauges().size(), 9u);
    for (const ViewGauge& v : view.Gauges()) EXPECT_TRUE(v.loaded) << v.name;
    EXPECT_EQ(view.Window().bitmapWidth, 640);
    EXPECT_DOUBLE_EQ(view.Window().Scale, 1.0);
    view.SetZoom(1.0);
    // The airspeed face is drawn at (20, 40), 96 units wide.
    EXPECT_EQ(view.GaugeRect(0), (PixelRect{20, 40, 116, 136}));
}

}  // namespace
}  // namespace brindle
