#include "view/window_position.h"

#include <gtest/gtest.h>

#include "../panel/panel_test_util.h"
#include "panel/views.h"
#include "platform/messages.h"
#include "view/bitmap.h"

namespace brindle {
namespace {

using testing::TempDir;

PanelWindow Win(const char* title, int sizeMmX, int visible = 1) {
    PanelWindow w;
    w.title = title;
    w.sizeMmX = sizeMmX;
    w.sizeMmPresent = sizeMmX != 0;
    w.visible = visible;
    return w;
}

class WindowPosition : public ::testing::Test {
  protected:
    void SetUp() override {
        // A main panel of 1024 x 768 units over a 256 x 192 bitmap, and a 512-unit window over 64 x 32.
        ASSERT_TRUE(WriteBmp24(dir_.file("main.bmp"), Image(256, 192, MakePixel(10, 200, 10))));
        Image small(64, 32, MakePixel(200, 10, 10));
        small.At(0, 0) = kBlack;
        ASSERT_TRUE(WriteBmp24(dir_.file("small.bmp"), small));
        settings_.SetCurrentFile(dir_.file("panel.cfg"));
        settings_.SetMode(kModeFS2000);
        panel_ = EmptyPanel();
        PanelWindow main = Win("Main", 1024);
        main.file = "main.bmp";
        InsertWindow(panel_, main);
        PanelWindow gps = Win("GPS", 512);
        gps.file = "small.bmp";
        InsertWindow(panel_, gps);
        panel_.defaultView = {0, 0, 8191, 4000};
    }
    TempDir dir_;
    Settings settings_;
    Panel panel_;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST(WindowPositionMain, WidestVisibleWindow) {
    Panel p = EmptyPanel();
    InsertWindow(p, Win("a", 800));
    InsertWindow(p, Win("b", 1200, 0));
    InsertWindow(p, Win("c", 900));
    EXPECT_EQ(FindMainWindow(p).index, 2);
    EXPECT_EQ(FindMainWindow(p).width, 900);
    for (auto& w : p.windows) w.visible = 0;
    EXPECT_EQ(FindMainWindow(p).index, 1);
    EXPECT_EQ(FindMainWindow(p).width, 1200);
    for (auto& w : p.windows) w.sizeMmX = 0;
    EXPECT_EQ(FindMainWindow(p).width, 1024);
}

TEST_F(WindowPosition, OpeningDerivesTheScreenFractions) {
    panel_.windows[1].position = 7;
    WindowPositionEditor ed(panel_, 1, settings_);
    EXPECT_EQ(ed.WindowName(), "Window01 - GPS");
    EXPECT_EQ(ed.Model(), PlacementModel::kFs98);  // a bitmap and no window_pos
    EXPECT_TRUE(ed.ModelRadiosEnabled());
    // 512 / 1024 of the width; 512 x 32 / 64 = 256 units high over 1024 x 0.75.
    EXPECT_DOUBLE_EQ(ed.Value(WindowPositionEditor::kSizeW), 0.5);
    EXPECT_DOUBLE_EQ(ed.Value(WindowPositionEditor::kSizeH), 256.0 / 768.0);
    EXPECT_DOUBLE_EQ(ed.Value(WindowPositionEditor::kPosX), 0.25);
    EXPECT_DOUBLE_EQ(ed.Value(WindowPositionEditor::kPosY), 1.0 - 256.0 / 768.0);
    EXPECT_EQ(ed.Text(WindowPositionEditor::kSizeH), "0.333");

    // Given fractions are kept; a size of 0, 0 is derived.
    panel_.windows[1].windowPos = {0.1, 0.2};
    panel_.windows[1].windowPosPresent = true;
    panel_.windows[1].windowSize = {0, 0};
    panel_.windows[1].windowSizePresent = true;
    WindowPositionEditor given(panel_, 1, settings_);
    EXPECT_EQ(given.Model(), PlacementModel::kFs2000);
    EXPECT_DOUBLE_EQ(given.Value(WindowPositionEditor::kPosX), 0.1);
    EXPECT_DOUBLE_EQ(given.Value(WindowPositionEditor::kSizeW), 0.5);
}

TEST_F(WindowPosition, ZeroWidthTakesTheMainWidthAtOnce) {
    panel_.windows[1].sizeMmX = 0;
    WindowPositionEditor ed(panel_, 1, settings_);
    ed.Cancel();
    EXPECT_EQ(panel_.windows[1].sizeMmX, 1024);
}

TEST_F(WindowPosition, ModelsOffered) {
    struct Case {
        SimMode mode;
        bool hasFile, posPresent;
        PlacementModel model;
        bool fs98, fs2000;
    };
    const Case cases[] = {
        {kModeFS98, true, true, PlacementModel::kFs98, true, false},
        {kModeFS98, false, false, PlacementModel::kFs98, true, false},
        {kModeFS2000, false, false, PlacementModel::kFs2000, false, true},
        {kModeFS2000, true, true, PlacementModel::kFs2000, true, true},
        {kModeCFS2, true, false, PlacementModel::kFs98, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(static_cast<int>(&c - cases));
        settings_.SetMode(c.mode);
        Panel p = panel_;
        if (!c.hasFile) p.windows[1].file.reset();
        p.windows[1].windowPosPresent = c.posPresent;
        WindowPositionEditor ed(p, 1, settings_);
        EXPECT_EQ(ed.Model(), c.model);
        EXPECT_EQ(ed.Fs98Offered(), c.fs98);
        EXPECT_EQ(ed.Fs2000Offered(), c.fs2000);
        EXPECT_EQ(ed.ModelRadiosEnabled(), c.fs98 && c.fs2000);
    }
}

TEST_F(WindowPosition, SwitchingModelsAndCancel) {
    panel_.windows[1].windowPosPresent = true;
    WindowPositionEditor ed(panel_, 1, settings_);
    ed.SetModel(PlacementModel::kFs98);
    EXPECT_FALSE(panel_.windows[1].windowPosPresent);
    ed.SetModel(PlacementModel::kFs2000);
    EXPECT_TRUE(panel_.windows[1].windowPosPresent);
    EXPECT_TRUE(panel_.windows[1].windowSizePresent);
    EXPECT_TRUE(ed.PositionEdited());
    EXPECT_TRUE(ed.SizeEdited());
    ed.Cancel();
    EXPECT_TRUE(panel_.windows[1].windowPosPresent);
    EXPECT_FALSE(panel_.windows[1].windowSizePresent);
}

TEST_F(WindowPosition, TypedValues) {
    using E = WindowPositionEditor;
    struct Case {
        std::array<std::string, 4> typed;
        std::vector<std::string> messages;
        std::array<double, 4> values;
        std::array<const char*, 4> texts;
    };
    const char* kX =
        "The data entered in the \"Window Position X\" field is not valid\nEnter a number between 0.0 and "
        "1.0";
    const char* kY =
        "The data entered in the \"Window Position Y\" field is not valid\nEnter a number between 0.0 and "
        "1.0";
    const char* kW =
        "The data entered in the \"Window Size Width\" field is not valid\nEnter a number between 0.01 and "
        "1.0";
    const char* kH =
        "The data entered in the \"Window Size Height\" field is not valid\nEnter a number between 0.01 and "
        "1.0";
    const Case cases[] = {
        {{"0.25", " .5 ", "1.5", "0"}, {}, {0.25, 0.5, 1.5, 0.01}, {"0.25", " .5 ", "1.5", "0"}},
        {{"-0.1", "1.01", "2.5", "abc"}, {kX, kY, kW, kH}, {0, 0, 0.5, 0.5}, {"0.0", "0.0", "0.5", "0.5"}},
        {{"1e2", "0.1.2", "", "+1"}, {kX, kY, kW, kH}, {0, 0, 0.5, 0.5}, {"0.0", "0.0", "0.5", "0.5"}},
        {{"1", "0", "2", "0.5"}, {}, {1, 0, 2, 0.5}, {"1", "0", "2", "0.5"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed[0]);
        ui_.entries.clear();
        Panel p = panel_;
        WindowPositionEditor ed(p, 1, settings_);
        EXPECT_EQ(ed.EnterValues(c.typed), c.messages.empty());
        EXPECT_EQ(ui_.texts(), c.messages);
        for (int f = 0; f < 4; ++f) {
            EXPECT_DOUBLE_EQ(ed.Value(static_cast<E::Field>(f)), c.values[f]) << f;
            EXPECT_EQ(ed.Text(static_cast<E::Field>(f)), c.texts[f]) << f;
        }
        EXPECT_TRUE(ed.PositionEdited());
        EXPECT_EQ(ed.SizeEdited(), c.messages.empty());
    }
    // Red: a size above 1.0 (still taken), a size of 0.01 is fine.
    Panel p = panel_;
    WindowPositionEditor ed(p, 1, settings_);
    ed.EnterValues({"0", "0", "1.5", "0"});
    EXPECT_TRUE(ed.ValueRed(E::kSizeW));
    EXPECT_FALSE(ed.ValueRed(E::kSizeH));
    EXPECT_FALSE(ed.ValueRed(E::kPosX));
}

TEST_F(WindowPosition, SpinsAndSliders) {
    using E = WindowPositionEditor;
    WindowPositionEditor ed(panel_, 1, settings_);
    ed.SpinRatio(1);
    EXPECT_DOUBLE_EQ(ed.Ratio(), 1.01);
    ed.SpinRatio(-5);
    EXPECT_DOUBLE_EQ(ed.Ratio(), 0.96);
    for (int i = 0; i < 300; ++i) ed.SpinRatio(5);
    EXPECT_DOUBLE_EQ(ed.Ratio(), 10.0);
    ed.SpinValue(E::kPosX, -1);
    EXPECT_EQ(ed.Text(E::kPosX), " 0.24");
    EXPECT_TRUE(ed.PositionEdited());
    for (int i = 0; i < 100; ++i) ed.SpinValue(E::kSizeW, -5);
    EXPECT_DOUBLE_EQ(ed.Value(E::kSizeW), 0.01);

    // Partners hold each other.
    EXPECT_EQ(ed.SetSlider(E::kViewSizeX, 3000), 3000);
    EXPECT_EQ(ed.SetSlider(E::kViewX, 5000), 3000);
    EXPECT_EQ(ed.SetSlider(E::kViewSizeX, 100), 3000);
    EXPECT_EQ(ed.SetSlider(E::kViewSizeX, 9000), 8191);
    EXPECT_EQ(ed.SetSlider(E::kViewY, 7000), 4000);
    EXPECT_EQ(ed.SetSlider(E::kViewSizeY, 99999), 6143);
    EXPECT_EQ(ed.SetSlider(E::kViewY, -5), 0);
    EXPECT_EQ(ed.ViewText(E::kViewX), "3000");
    EXPECT_FALSE(ed.ViewSizeXRed());
    EXPECT_EQ(ed.SetSlider(E::kViewSizeY, 0), 0);
    EXPECT_TRUE(ed.ViewSizeYRed());
}

TEST_F(WindowPosition, OkWritesTheValues) {
    WindowPositionEditor ed(panel_, 1, settings_);
    ed.SetPositionCode(2);
    ed.SetVisible(false);
    ed.SpinRatio(1);
    ed.SetSlider(WindowPositionEditor::kViewY, 100);
    ed.Ok();
    const PanelWindow& w = panel_.windows[1];
    EXPECT_EQ(w.position, 2);
    EXPECT_EQ(w.visible, 0);
    EXPECT_TRUE(w.windowSizeRatioPresent);
    EXPECT_DOUBLE_EQ(w.windowSizeRatio, 1.01);
    EXPECT_FALSE(w.windowPosPresent);  // not edited
    EXPECT_FALSE(w.windowSizePresent);
    EXPECT_EQ(panel_.defaultView, (DefaultView{0, 100, 8191, 4000}));

    WindowPositionEditor again(panel_, 1, settings_);
    again.SetModel(PlacementModel::kFs2000);
    again.EnterValues({"0.1", "0.2", "0.3", "0.4"});
    again.Ok();
    EXPECT_TRUE(w.windowPosPresent);
    EXPECT_EQ(w.windowPos, (RealPair{0.1, 0.2}));
    EXPECT_EQ(w.windowSize, (RealPair{0.3, 0.4}));
}

TEST_F(WindowPosition, PreviewFollowsThePlacement) {
    WindowPositionEditor::DrawX() = false;
    WindowPositionEditor::OutlineHorizon() = false;
    WindowPositionEditor ed(panel_, 1, settings_);
    // A 400 x 400 frame holds a 400 x 300 screen 50 pixels down.
    const int oy = 50;
    struct Case {
        int code;
        PixelRect rect;  // on the screen: 200 x 100 (half the width; 32/64 of it high)
    };
    const Case cases[] = {{0, {0, 0, 200, 100}}, {4, {100, 100, 300, 200}}, {8, {200, 200, 400, 300}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        ed.SetPositionCode(c.code);
        EXPECT_EQ(ed.PlacedRect(400, 300), c.rect);
        ed.transparent = false;
        Image img = ed.RenderPreview(400, 400);
        EXPECT_EQ(img.At(c.rect.left, c.rect.top + oy), kPlacementOutline);
        EXPECT_EQ(img.At(c.rect.right - 1, c.rect.bottom - 1 + oy), kPlacementOutline);
        EXPECT_EQ(img.At(c.rect.left + 5, c.rect.top + 5 + oy), MakePixel(200, 10, 10));
        EXPECT_EQ(img.At(c.rect.left + 1, c.rect.top + 1 + oy), kBlack);  // the bitmap's black pixel
        ed.transparent = true;
        img = ed.RenderPreview(400, 400);
        EXPECT_NE(img.At(c.rect.left + 1, c.rect.top + 1 + oy), kBlack);  // black left out
    }
    EXPECT_EQ(ed.RenderPreview(400, 400).At(0, 10), kPreviewFrameColour);

    // FS2000: the fractions place it.
    ed.SetModel(PlacementModel::kFs2000);
    ed.EnterValues({"0.5", "0.5", "0.25", "0.1"});
    EXPECT_EQ(ed.PlacedRect(400, 300), (PixelRect{200, 150, 300, 180}));
    // A size beyond the screen is drawn at the size the FS98 values give.
    ed.EnterValues({"0", "0", "1.5", "0.5"});
    EXPECT_EQ(ed.PlacedRect(400, 300), (PixelRect{0, 0, 200, 100}));

    // The aids: X through the window, the red horizon across the Default View.
    WindowPositionEditor::DrawX() = true;
    WindowPositionEditor::OutlineHorizon() = true;
    ed.EnterValues({"0", "0", "0.5", "0.5"});
    Image img = ed.RenderPreview(400, 400);
    // The window is 200 x 150: the diagonal passes x = 100 at y = 75 (within a pixel).
    bool onDiagonal = false;
    for (int y = 74; y <= 76; ++y) onDiagonal = onDiagonal || img.At(100, y + oy) == kPlacementOutline;
    EXPECT_TRUE(onDiagonal);
    int horizon = oy + static_cast<int>(static_cast<int>(4000 * 400 / 8192.0) * kHorizonFraction);
    EXPECT_EQ(img.At(300, horizon), kHorizonRed);
    WindowPositionEditor::DrawX() = false;
    WindowPositionEditor::OutlineHorizon() = false;
}

TEST_F(WindowPosition, FixedWindowPreviewAndAids) {
    PanelWindow fixed;
    fixed.setKind(WindowKind::FixedWindow);
    fixed.fixedNumber = 30;
    fixed.title = "Rear View";
    fixed.file = "small.bmp";
    fixed.windowPos = {0, 0};
    fixed.windowPosPresent = true;
    fixed.windowSize = {1, 1};
    fixed.windowSizePresent = true;
    int at = InsertWindow(panel_, fixed);
    WindowPositionEditor ed(panel_, at, settings_);
    EXPECT_EQ(ed.WindowName(), "Fixed Window30 - Rear View");
    EXPECT_FALSE(ed.OutlineHorizonEnabled());
    EXPECT_TRUE(ed.DrawXEnabled());
    Image img = ed.RenderPreview(400, 300);
    // The whole screen is the window; its black pixel shows the light blue fill behind it.
    EXPECT_EQ(img.At(2, 2), kFixedWindowFill);
    EXPECT_EQ(img.At(200, 150), MakePixel(200, 10, 10));

    WindowPositionEditor main(panel_, 0, settings_);
    EXPECT_TRUE(main.IsMainWindow());
    EXPECT_FALSE(main.DrawXEnabled());
}

TEST(FixedWindowPreviewImage, FrameFillAndTransparency) {
    Image bmp(40, 30, MakePixel(9, 9, 9));
    bmp.At(0, 0) = kBlack;
    Image opaque = RenderFixedWindowPreview(200, 100, &bmp, false);
    // A wide area: a 133 x 100 frame; the bitmap fills it from the top left.
    EXPECT_EQ(opaque.At(0, 0), kBlack);
    EXPECT_EQ(opaque.At(132, 98), MakePixel(9, 9, 9));
    EXPECT_EQ(opaque.At(150, 50), kWhite);
    Image clear = RenderFixedWindowPreview(200, 100, &bmp, true);
    EXPECT_EQ(clear.At(0, 0), MakePixel(175, 215, 220));
    EXPECT_EQ(clear.At(150, 50), kWhite);
    EXPECT_EQ(RenderFixedWindowPreview(50, 50, nullptr, true), Image(50, 50, kWhite));
}

}  // namespace
}  // namespace brindle
