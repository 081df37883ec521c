#include "dialogs/window_properties.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bmp_fixture.h"
#include "dialogs/field_text.h"
#include "platform/messages.h"

namespace fs = std::filesystem;
using namespace brindle;

namespace {

class WindowPropertiesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("brindle_winprops_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "panel");
        fs::create_directories(dir_ / "other");
        test::WriteBytes(dir_ / "panel" / "main.bmp", test::MakeBmp(640, 480, 8));
        test::WriteBytes(dir_ / "panel" / "main_hi.bmp", test::MakeBmp(1280, 960, 24));
        settings_.SetMode(kModeFS2000);
        settings_.SetHighRes(1);
        settings_.SetCurrentFile((dir_ / "panel" / "panel.cfg").string());
        settings_.SetLastTitle("Cessna");
        panel_ = EmptyPanel();
        panel_.headerComments = "first\r\n";
        PanelWindow main;
        main.title = "Main Panel";
        main.ident = "MAIN_PANEL";
        main.file = "main.bmp";
        main.file1024 = "main_hi.bmp";
        main.sizeMmX = 640;
        main.sizeMmPresent = true;
        AddGauge(main, GaugeEntry{});
        InsertWindow(panel_, main);
        PanelWindow gps;
        gps.title = "GPS";
        gps.ident = "gps";
        gps.backgroundColor = ColorEntry::FromRgb(10, 20, 30);
        gps.backgroundColorPresent = true;
        InsertWindow(panel_, gps);
        PanelWindow fixed;
        fixed.setKind(WindowKind::FixedWindow);
        fixed.fixedNumber = 3;
        fixed.title = "Rear";
        fixed.ident = "3";
        InsertWindow(panel_, fixed);
        PanelWindow vc;
        vc.setKind(WindowKind::Vcockpit);
        vc.vcockpitNumber = 1;
        InsertWindow(panel_, vc);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    Settings settings_;
    Panel panel_;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST_F(WindowPropertiesTest, OpeningTextsPerWindowKind) {
    struct Case {
        int index;
        SimMode mode;
        const char* title;
        bool colourGroup, nameEnabled;
        const char* file1024;
    };
    const Case cases[] = {
        {0, kModeFS2000, "Brindle - Cessna - Window00 \"Main Panel\" Properties", false, true, "main_hi.bmp"},
        {1, kModeFS2000, "Brindle - Cessna - Window01 \"GPS\" Properties", true, true, "None"},
        {1, kModeFS98, "Brindle - Cessna - Window01 \"GPS\" Properties", false, true, ""},
        {2, kModeCFS, "Brindle - Cessna - FixedWindow03 \"Rear\" Properties", false, true, "None"},
        {3, kModeCFS2, "Brindle - Cessna - VCockpit01 Properties", false, false, "None"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        settings_.SetMode(c.mode);
        WindowPropertiesDialogState d(panel_, c.index, settings_);
        ASSERT_TRUE(d.Valid());
        EXPECT_EQ(d.dialogTitle, c.title);
        EXPECT_EQ(d.ColourGroupEnabled(), c.colourGroup);
        EXPECT_EQ(d.BitmapGroupEnabled(), !c.colourGroup);
        EXPECT_EQ(d.NameAndIdentEnabled(), c.nameEnabled);
        EXPECT_EQ(d.File1024RowShown(), c.mode != kModeFS98);
        EXPECT_EQ(d.SizeMmYEnabled(), c.mode != kModeFS98);
        EXPECT_EQ(d.file1024, c.file1024);
        EXPECT_EQ(d.red, c.colourGroup ? "10" : "");
    }
    WindowPropertiesDialogState d(panel_, 0, settings_);
    EXPECT_EQ(d.file, "main.bmp");
    EXPECT_EQ(d.gauges, "1");
    EXPECT_EQ(d.sizeMmX, "640");
    EXPECT_EQ(d.sizeMmY, "");
    EXPECT_EQ(d.comments, "first\r\n");
    // HighRes shows the high-resolution bitmap's size and depth in its own row.
    EXPECT_EQ(d.file1024Size, "1280 X 960");
    EXPECT_EQ(d.file1024Colors, "24 Bit Color");
    EXPECT_EQ(d.fileSize, "");
    settings_.SetHighRes(0);
    WindowPropertiesDialogState low(panel_, 0, settings_);
    EXPECT_EQ(low.fileSize, "640 X 480");
    EXPECT_EQ(low.fileColors, "8 Bit Color");
    EXPECT_FALSE(WindowPropertiesDialogState(panel_, 9, settings_).Valid());
}

TEST_F(WindowPropertiesTest, OkStepsAndTheirMessages) {
    struct Case {
        const char* name;
        int index;
        void (*edit)(WindowPropertiesDialogState&);
        bool closes;
        std::vector<std::string> messages;
        void (*check)(const Panel&);
    };
    const Case cases[] = {
        {"size x 8192",
         0,
         [](WindowPropertiesDialogState& d) { d.sizeMmX = "8192"; },
         true,
         {},
         [](const Panel& p) { EXPECT_EQ(p.windows[0].sizeMmX, 8192); }},
        {"size x 8193 and y 9999: both refused, the dialog still closes",
         0,
         [](WindowPropertiesDialogState& d) {
             d.sizeMmX = "8193";
             d.sizeMmY = "9999";
         },
         true,
         {kSizeMmXInvalid, kSizeMmYInvalid},
         [](const Panel& p) {
             EXPECT_EQ(p.windows[0].sizeMmX, 640);
             EXPECT_FALSE(p.windows[0].sizeMmYPresent);
         }},
        {"size x 0, y with letters",
         0,
         [](WindowPropertiesDialogState& d) {
             d.sizeMmX = "0";
             d.sizeMmY = "12a";
         },
         true,
         {kSizeMmXInvalid, kSizeMmYInvalid},
         [](const Panel& p) { EXPECT_EQ(p.windows[0].sizeMmX, 640); }},
        {"size y 9998",
         0,
         [](WindowPropertiesDialogState& d) { d.sizeMmY = "9998"; },
         true,
         {},
         [](const Panel& p) {
             EXPECT_EQ(p.windows[0].sizeMmY, 9998);
             EXPECT_TRUE(p.windows[0].sizeMmYPresent);
         }},
        {"empty size keeps the stored one",
         0,
         [](WindowPropertiesDialogState& d) { d.sizeMmX = ""; },
         true,
         {},
         [](const Panel& p) { EXPECT_EQ(p.windows[0].sizeMmX, 640); }},
        {"name of 100 characters",
         0,
         [](WindowPropertiesDialogState& d) { d.windowName = std::string(100, 'n'); },
         true,
         {},
         [](const Panel& p) { EXPECT_EQ(p.windows[0].title.str(), std::string(80, 'n')); }},
        {"red 256 keeps the dialog open",
         1,
         [](WindowPropertiesDialogState& d) { d.red = "256"; },
         false,
         {kRgbOutOfRange},
         [](const Panel& p) { EXPECT_EQ(p.windows[1].backgroundColor.red(), 10); }},
        {"blue with a letter",
         1,
         [](WindowPropertiesDialogState& d) { d.blue = "1x"; },
         false,
         {kRgbOutOfRange},
         nullptr},
        {"255s",
         1,
         [](WindowPropertiesDialogState& d) { d.red = d.green = d.blue = "255"; },
         true,
         {},
         [](const Panel& p) { EXPECT_EQ(p.windows[1].backgroundColor.value, 0xFFFFFFu); }},
        {"colour fields of a bitmap window are not read",
         0,
         [](WindowPropertiesDialogState& d) { d.red = "999"; },
         true,
         {},
         [](const Panel& p) { EXPECT_FALSE(p.windows[0].backgroundColorPresent); }},
        {"comments and visible",
         1,
         [](WindowPropertiesDialogState& d) {
             d.comments = "a\nb";
             d.ClickVisible(false);
         },
         true,
         {},
         [](const Panel& p) {
             EXPECT_EQ(p.headerComments.str(), "a\r\nb");
             EXPECT_EQ(p.windows[1].visible, 0);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        ui_.entries.clear();
        WindowPropertiesDialogState d(panel_, c.index, settings_);
        c.edit(d);
        EXPECT_EQ(d.Ok(), c.closes);
        EXPECT_EQ(ui_.texts(), c.messages);
        if (c.check) c.check(panel_);
    }
}

TEST_F(WindowPropertiesTest, ResultFlagsAndTheNewCaption) {
    WindowPropertiesDialogState untouched(panel_, 0, settings_);
    ASSERT_TRUE(untouched.Ok());
    EXPECT_FALSE(untouched.Result().modified);
    EXPECT_FALSE(untouched.Result().bitmapChanged);
    EXPECT_FALSE(untouched.NewCaption().has_value());

    WindowPropertiesDialogState d(panel_, 1, settings_);
    d.windowName = "Radio";
    d.ident = "radio";
    d.sizeMmX = "300";
    ASSERT_TRUE(d.Ok());
    EXPECT_EQ(d.Result().ident, "radio");
    EXPECT_TRUE(d.Result().modified);
    EXPECT_TRUE(d.Result().bitmapChanged);  // a new size redraws the background
    EXPECT_EQ(d.NewCaption(), settings_.CurrentFileForDisplay() + " - Window01 \"Radio\"");
    EXPECT_EQ(panel_.windows[1].ident, "gps");  // the ident is the document's to change
}

TEST_F(WindowPropertiesTest, ChangeBitmapWithThePanelFolderRuleAndCancelPutsItBack) {
    test::WriteBytes(dir_ / "panel" / "Other.BMP", test::MakeBmp(20, 10, 8));
    test::WriteBytes(dir_ / "other" / "far.bmp", test::MakeBmp(30, 10, 8));
    const Panel before = panel_;
    WindowPropertiesDialogState d(panel_, 0, settings_);
    // In the panel folder (named in another letter case): just its name, nothing asked.
    std::string upper = dir_.string() + "/PANEL/Other.BMP";
    ASSERT_TRUE(d.ChangeBitmap(false, upper));
    EXPECT_EQ(panel_.windows[0].file, "Other.BMP");
    EXPECT_EQ(d.file, "Other.BMP");
    EXPECT_TRUE(ui_.entries.empty());
    // Elsewhere: No leaves it; Yes copies and takes it.
    ui_.answers = {Answer::No, Answer::Yes};
    EXPECT_FALSE(d.ChangeBitmap(true, (dir_ / "other" / "far.bmp").string()));
    EXPECT_EQ(panel_.windows[0].file1024, "main_hi.bmp");
    EXPECT_TRUE(d.ChangeBitmap(true, (dir_ / "other" / "far.bmp").string()));
    EXPECT_EQ(panel_.windows[0].file1024, "far.bmp");
    EXPECT_EQ(d.file1024Size, "30 X 10");
    EXPECT_TRUE(fs::exists(dir_ / "panel" / "far.bmp"));
    EXPECT_EQ(ui_.texts(), (std::vector<std::string>{kAskCopyIntoPanelFolder, kAskCopyIntoPanelFolder}));
    EXPECT_FALSE(d.ChangeBitmap(false, "nofolder.bmp"));
    // An OK the colour check refused has stored the earlier steps; Cancel takes them back too.
    d.sizeMmX = "1000";
    d.windowName = "Changed";
    d.comments = "";
    d.Cancel();
    EXPECT_EQ(panel_, before);
    EXPECT_FALSE(d.Result().modified);
    EXPECT_FALSE(d.Result().bitmapChanged);

    WindowPropertiesDialogState colour(panel_, 1, settings_);
    colour.windowName = "Changed";
    colour.red = "256";
    EXPECT_FALSE(colour.Ok());
    colour.Cancel();
    EXPECT_EQ(panel_, before);
}

TEST_F(WindowPropertiesTest, FailedCopyIsReportedAndKeepsTheOldBitmap) {
    test::WriteBytes(dir_ / "other" / "far.bmp", test::MakeBmp(30, 10, 8));
    settings_.SetCurrentFile((dir_ / "gone" / "panel.cfg").string());
    WindowPropertiesDialogState d(panel_, 0, settings_);
    ui_.answers = {Answer::Yes};
    EXPECT_FALSE(d.ChangeBitmap(false, (dir_ / "other" / "far.bmp").string()));
    EXPECT_EQ(ui_.texts(), (std::vector<std::string>{kAskCopyIntoPanelFolder, kCopyBitmapError}));
    EXPECT_EQ(panel_.windows[0].file, "main.bmp");
    EXPECT_FALSE(fs::exists(dir_ / "gone"));
}

}  // namespace
