#include "panel/views.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "panel_test_util.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "view/bitmap.h"

namespace brindle {
namespace {

using testing::ReadAll;
using testing::TempDir;

constexpr int kRight = 2, kRear = 4, kLeft = 6;

Panel PanelWithWindows(int windows, std::vector<int> fixedNumbers = {}, int vcockpits = 0) {
    Panel p = EmptyPanel();
    for (int i = 0; i < windows; ++i) {
        PanelWindow w;
        w.title = "Window " + std::to_string(i);
        InsertWindow(p, w);
    }
    for (int n : fixedNumbers) {
        PanelWindow w;
        w.setKind(WindowKind::FixedWindow);
        w.fixedNumber = n;
        w.title = "Fixed " + std::to_string(n);
        w.file = "fixed" + std::to_string(n) + ".bmp";
        InsertWindow(p, w);
    }
    for (int i = 0; i < vcockpits; ++i) {
        PanelWindow w;
        w.setKind(WindowKind::Vcockpit);
        w.vcockpitNumber = i + 1;
        InsertWindow(p, w);
    }
    return p;
}

TEST(Views, NamesAndButtons) {
    EXPECT_STREQ(kViewInfo[0].displayName, "Forward View");
    EXPECT_STREQ(kViewInfo[0].button, "Fw");
    EXPECT_STREQ(kViewInfo[12].displayName, "Rear Right Up View");
    EXPECT_STREQ(kViewInfo[12].button, "RrRU");
    EXPECT_STREQ(kViewInfo[14].button, "RLU");
    EXPECT_STREQ(kViewInfo[17].displayName, "Down View");
    EXPECT_STREQ(kViewInfo[23].displayName, "Aux 05 View");
    EXPECT_STREQ(kViewInfo[23].button, "05");
    EXPECT_FALSE(ViewButtonEnabled(0));
    EXPECT_TRUE(ViewButtonEnabled(1));
    EXPECT_TRUE(ViewButtonEnabled(23));
}

TEST(Views, FixedWindowNumbers) {
    EXPECT_EQ(NextFixedWindowNumber(PanelWithWindows(2)), 0);
    EXPECT_EQ(NextFixedWindowNumber(PanelWithWindows(2, {0})), 30);
    EXPECT_EQ(NextFixedWindowNumber(PanelWithWindows(2, {0, 30})), 31);
    EXPECT_EQ(NextFixedWindowNumber(PanelWithWindows(0, {5})), 6);
    EXPECT_EQ(NextFixedWindowNumber(PanelWithWindows(0, {1, 99})), 2);

    Panel p = PanelWithWindows(1, {12, 40});
    EXPECT_EQ(FindFixedWindow(p, 40), 2);
    EXPECT_EQ(FindFixedWindow(p, 12), 1);
    EXPECT_EQ(FindFixedWindow(p, 0), -1);
}

TEST(Views, CreatingFixedWindowsForViews) {
    Panel p = PanelWithWindows(2, {}, 2);
    int at = CreateFixedWindowForView(p, kRear, "rear.bmp");
    ASSERT_EQ(at, 2);
    const PanelWindow& w = p.windows[2];
    EXPECT_EQ(w.kind(), WindowKind::FixedWindow);
    EXPECT_EQ(w.fixedNumber, 0);
    EXPECT_EQ(w.title, "Rear View");
    EXPECT_EQ(w.ident, "0");
    EXPECT_EQ(w.file, "rear.bmp");
    EXPECT_EQ(w.position, 7);
    EXPECT_TRUE(w.render3dWindowPresent);
    EXPECT_EQ(w.render3dWindow, 1);
    EXPECT_TRUE(w.windowPosPresent);
    EXPECT_EQ(w.windowPos, (RealPair{0.0, 0.0}));
    EXPECT_TRUE(w.windowSizePresent);
    EXPECT_EQ(w.windowSize, (RealPair{1.0, 1.0}));
    EXPECT_FALSE(w.sizeMmPresent);
    EXPECT_EQ(w.gaugeCount, 0);
    EXPECT_EQ(p.views[kRear].index, 0);

    ASSERT_EQ(CreateFixedWindowForView(p, kLeft, "left.bmp"), 3);
    EXPECT_EQ(p.windows[3].fixedNumber, 30);
    EXPECT_EQ(p.windows[3].ident, "30");
    EXPECT_EQ(p.views[kLeft].index, 30);
    // The Vcockpits moved up and stay last.
    EXPECT_EQ(p.windowCount, 4);
    EXPECT_TRUE(p.windows[4].vcockpit);
    EXPECT_TRUE(PanelIsConsistent(p));

    Panel full = PanelWithWindows(kMaxTitledWindows);
    EXPECT_EQ(CreateFixedWindowForView(full, kRear, "rear.bmp"), -1);
    EXPECT_EQ(full.views[kRear].index, -1);
}

class FixedWindowsDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        std::filesystem::create_directories(dir_.path() / "panel");
        std::filesystem::create_directories(dir_.path() / "elsewhere");
        folder_ = (dir_.path() / "panel").string();
        outsideBytes_ = Bmp(Image(4, 3, MakePixel(1, 2, 3)));
        other_ = dir_.write("elsewhere/outside.bmp", outsideBytes_);
        dir_.write("panel/inside.bmp", Bmp(Image(8, 6, MakePixel(9, 8, 7))));
        dir_.write("panel/fixed30.bmp", Bmp(Image(16, 12, MakePixel(30, 30, 30))));
    }
    static std::string Bmp(const Image& img) {
        auto bytes = EncodeBmp24(img);
        return std::string(bytes.begin(), bytes.end());
    }
    std::string outsideBytes_;
    TempDir dir_;
    std::string folder_, other_;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST_F(FixedWindowsDialog, SelectingViews) {
    Panel p = PanelWithWindows(1, {30});
    p.views[kRight].index = 30;
    p.views[kRight].zoom = 1.5;
    p.views[kRight].eye = 12.25;
    p.views[kRight].dir = {-2.0, 0.5, 90.0};
    p.views[kRight].dirPresent = true;
    p.views[kLeft].index = 31;
    p.views[kRear].index = 0;
    FixedWindowsEditor ed(p, folder_);
    EXPECT_EQ(ed.Selected(), kNoView);
    EXPECT_EQ(ed.Shown().caption, "Brindle - Fixed Windows");

    ASSERT_TRUE(ed.SelectView(kRight));
    const auto& d = ed.Shown();
    EXPECT_EQ(d.caption, "Brindle - Fixed Windows - Fixed 30");
    EXPECT_EQ(d.bitmapPath, JoinPath(folder_, "fixed30.bmp"));
    EXPECT_EQ(d.viewName, "Right View");
    EXPECT_EQ(d.ident, "30");
    EXPECT_TRUE(d.identEnabled);
    EXPECT_EQ(d.zoom, "  1.50");
    EXPECT_EQ(d.eye, " 12.25");
    EXPECT_EQ(d.pitch, "  -2.0");
    EXPECT_EQ(d.bank, "   0.5");
    EXPECT_EQ(d.head, "    90");
    EXPECT_TRUE(ui_.entries.empty());

    // No Fixed Window 31: a warning, the display stays.
    EXPECT_FALSE(ed.SelectView(kLeft));
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"Warning: There is no Fixed Window defined in the "
                                                    "\"[WINDOW TITLES]\" section that matches this Window."});
    EXPECT_EQ(ed.Shown().viewName, "Right View");

    // Index 0 with no Fixed Window 0 warns too; a view without index shows no window and empty values.
    EXPECT_FALSE(ed.SelectView(kRear));
    ASSERT_TRUE(ed.SelectView(1));
    EXPECT_EQ(ed.Shown().caption, "Brindle - Fixed Windows");
    EXPECT_FALSE(ed.Shown().identEnabled);
    EXPECT_EQ(ed.Shown().bitmapPath, "");
    EXPECT_EQ(ed.Shown().zoom, "");
    EXPECT_EQ(ed.Shown().head, "");
    EXPECT_FALSE(ed.Changed());
}

TEST_F(FixedWindowsDialog, PreviewBitmapAndUnreadableBitmaps) {
    Panel p = PanelWithWindows(1, {30, 31});
    p.views[kRight].index = 30;
    p.views[kLeft].index = 31;
    FixedWindowsEditor ed(p, folder_);
    ASSERT_TRUE(ed.SelectView(kRight));
    ASSERT_NE(ed.PreviewBitmap(), nullptr);
    EXPECT_EQ(ed.PreviewBitmap()->Width(), 16);
    EXPECT_TRUE(ui_.entries.empty());
    // fixed31.bmp is missing: the reader's warning, no preview, the rest shown.
    ASSERT_TRUE(ed.SelectView(kLeft));
    EXPECT_EQ(ed.PreviewBitmap(), nullptr);
    ASSERT_EQ(ui_.entries.size(), 1u);
    EXPECT_EQ(ui_.entries[0].text.rfind("Can't open Bitmap file", 0), 0u);
    EXPECT_EQ(ed.Shown().caption, "Brindle - Fixed Windows - Fixed 31");
    EXPECT_EQ(ed.Shown().viewName, "Left View");
    // A damaged file in the panel folder: its warning, and the window still gets the name.
    dir_.write("panel/broken.bmp", "BM-broken");
    ASSERT_TRUE(ed.ChangeBitmap(folder_ + "/broken.bmp"));
    EXPECT_EQ(p.windows[2].file, "broken.bmp");
    EXPECT_EQ(ed.PreviewBitmap(), nullptr);
    EXPECT_EQ(ui_.entries.size(), 2u);
}

TEST_F(FixedWindowsDialog, IndexZeroShowsEmptyIdent) {
    Panel p = PanelWithWindows(1, {0});
    p.views[kRear].index = 0;
    FixedWindowsEditor ed(p, folder_);
    ASSERT_TRUE(ed.SelectView(kRear));
    EXPECT_EQ(ed.Shown().ident, "");
    EXPECT_EQ(ed.Shown().caption, "Brindle - Fixed Windows - Fixed 0");
}

TEST_F(FixedWindowsDialog, GivingBitmapsCreatesFixedWindowsAndCancelTakesThemBack) {
    Panel p = PanelWithWindows(2, {}, 1);
    p.views[kRight].dir = {1, 2, 3};
    p.views[kRight].dirPresent = true;
    Panel before = p;
    FixedWindowsEditor ed(p, folder_);

    EXPECT_FALSE(ed.ChangeBitmap(folder_ + "/inside.bmp"));
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"Please Select a View"});

    ASSERT_TRUE(ed.SelectView(kRear));
    ASSERT_TRUE(ed.ChangeBitmap(folder_ + "/INSIDE.bmp"));
    EXPECT_EQ(ui_.entries.size(), 1u);  // a bitmap in the panel folder needs no question
    ASSERT_EQ(p.windowCount, 3);
    EXPECT_EQ(p.windows[2].title, "Rear View");
    EXPECT_EQ(p.windows[2].fixedNumber, 0);
    EXPECT_EQ(p.windows[2].file, "INSIDE.bmp");
    EXPECT_EQ(p.views[kRear].index, 0);
    EXPECT_EQ(ed.Shown().caption, "Brindle - Fixed Windows - Rear View");
    EXPECT_TRUE(ed.Changed());

    // From another folder: Yes copies it into the panel folder.
    ui_.answers = {Answer::Yes};
    ASSERT_TRUE(ed.SelectView(kRight));
    ASSERT_TRUE(ed.ChangeBitmap(other_));
    EXPECT_EQ(ui_.entries.back().text,
              "The Bitmap file:\"" + other_ +
                  "\" must be in the current Aircraft's Panel directory.\n\nShould I copy it there now?");
    EXPECT_EQ(ReadAll(folder_ + "/outside.bmp"), outsideBytes_);
    EXPECT_EQ(p.windows[3].fixedNumber, 30);
    EXPECT_EQ(p.windows[3].file, "outside.bmp");
    EXPECT_EQ(p.views[kRight].index, 30);

    // A second bitmap for the same view replaces the window's file.
    ASSERT_TRUE(ed.ChangeBitmap(folder_ + "/inside.bmp"));
    EXPECT_EQ(p.windowCount, 4);
    EXPECT_EQ(p.windows[3].file, "inside.bmp");

    // No leaves everything as it is.
    ui_.answers = {Answer::No};
    ASSERT_TRUE(ed.SelectView(kLeft));
    EXPECT_FALSE(ed.ChangeBitmap(other_));
    EXPECT_EQ(p.windowCount, 4);
    EXPECT_EQ(p.views[kLeft].index, -1);

    ed.Cancel();
    EXPECT_EQ(p, before);
    EXPECT_FALSE(ed.Changed());
}

TEST_F(FixedWindowsDialog, CancelRestoresBitmapOfExistingWindow) {
    Panel p = PanelWithWindows(1, {30});
    p.views[kRight].index = 30;
    Panel before = p;
    FixedWindowsEditor ed(p, folder_);
    ASSERT_TRUE(ed.SelectView(kRight));
    ASSERT_TRUE(ed.ChangeBitmap(folder_ + "/inside.bmp"));
    EXPECT_EQ(p.windows[1].file, "inside.bmp");
    ed.Cancel();
    EXPECT_EQ(p, before);
}

TEST_F(FixedWindowsDialog, FailedCopy) {
    Panel p = PanelWithWindows(1);
    FixedWindowsEditor ed(p, folder_);
    ui_.answers = {Answer::Yes};
    ASSERT_TRUE(ed.SelectView(kRear));
    std::string missing = (dir_.path() / "elsewhere" / "gone.bmp").string();
    EXPECT_FALSE(ed.ChangeBitmap(missing));
    ASSERT_EQ(ui_.entries.size(), 2u);
    EXPECT_EQ(ui_.entries[1].text.rfind("File copy of " + missing + " failed!\n\nError: ", 0), 0u);
    EXPECT_GT(ui_.entries[1].text.size(), ("File copy of " + missing + " failed!\n\nError: ").size());
    EXPECT_EQ(p.windowCount, 1);
    EXPECT_FALSE(ed.Changed());
}

TEST_F(FixedWindowsDialog, NoRoomForAnotherFixedWindow) {
    Panel p = PanelWithWindows(kMaxTitledWindows);
    FixedWindowsEditor ed(p, folder_);
    ASSERT_TRUE(ed.SelectView(kRear));
    EXPECT_FALSE(ed.ChangeBitmap(folder_ + "/inside.bmp"));
    ASSERT_EQ(ui_.entries.size(), 1u);
    EXPECT_EQ(ui_.entries[0].text.rfind("There is no room for another Fixed Window.", 0), 0u);
    EXPECT_EQ(p.windowCount, kMaxTitledWindows);
}

TEST_F(FixedWindowsDialog, TypingIdent) {
    Panel p = PanelWithWindows(1, {30});
    FixedWindowsEditor ed(p, folder_);
    EXPECT_FALSE(ed.SetIdentText("30"));  // no view selected
    ASSERT_TRUE(ed.SelectView(kRight));
    EXPECT_TRUE(ed.SetIdentText("30"));
    EXPECT_EQ(p.views[kRight].index, 30);
    EXPECT_TRUE(ed.Changed());
    EXPECT_FALSE(ed.SetIdentText("3x"));
    EXPECT_EQ(p.views[kRight].index, 30);
    EXPECT_TRUE(ed.SetIdentText(""));
    EXPECT_EQ(p.views[kRight].index, -1);
}

TEST(Views, PreviewLayout) {
    // A wide area: full height, 4:3 frame.
    FixedWindowPreview p = LayoutFixedWindowPreview(800, 300, 640, 480);
    EXPECT_EQ(p.frameWidth, 400);
    EXPECT_EQ(p.frameHeight, 300);
    EXPECT_EQ(p.drawWidth, 400);
    EXPECT_EQ(p.drawHeight, 300);
    // A tall area: full width; a wide bitmap limited by the frame's width.
    p = LayoutFixedWindowPreview(400, 900, 1000, 100);
    EXPECT_EQ(p.frameWidth, 400);
    EXPECT_EQ(p.frameHeight, 300);
    EXPECT_EQ(p.drawWidth, 400);
    EXPECT_EQ(p.drawHeight, 40);
    // A side that scales to nothing draws nothing.
    p = LayoutFixedWindowPreview(40, 30, 10000, 1);
    EXPECT_EQ(p.drawWidth, 0);
    EXPECT_EQ(p.drawHeight, 0);
}

TEST(Views, AFixedWindowMadeForAViewTakesTheSectionTheFileHadForItsNumber) {
    // The file had "[Fixed Window00]" without a title for it: the reader kept it as it stood.
    Panel p = PanelWithWindows(2);
    p.keptSections = {{"// outside", "[Fixed Window00]", "zoom_extra=2", ""}, {"[Color]", "day=1"}};
    ASSERT_EQ(CreateFixedWindowForView(p, kRear, "rear.bmp"), 2);
    const PanelWindow& w = p.windows[2];
    EXPECT_EQ(w.kept.above, std::vector<std::string>{"// outside"});
    EXPECT_EQ(w.kept.lines, std::vector<std::string>{"zoom_extra=2"});
    ASSERT_EQ(p.keptSections.size(), 1u);
    EXPECT_EQ(p.keptSections[0][0], "[Color]");
}

TEST_F(FixedWindowsDialog, CancelGivesBackTheSectionANewFixedWindowTook) {
    Panel p = PanelWithWindows(2);
    p.keptSections = {{"[Fixed Window00]", "zoom_extra=2"}};
    FixedWindowsEditor ed(p, folder_);
    ASSERT_TRUE(ed.SelectView(kRear));
    ASSERT_TRUE(ed.ChangeBitmap(folder_ + "/inside.bmp"));
    ASSERT_EQ(p.windowCount, 3);
    EXPECT_TRUE(p.keptSections.empty());
    ed.Cancel();
    EXPECT_EQ(p.windowCount, 2);
    EXPECT_EQ(p.keptSections, (std::vector<std::vector<std::string>>{{"[Fixed Window00]", "zoom_extra=2"}}));
}

}  // namespace
}  // namespace brindle
