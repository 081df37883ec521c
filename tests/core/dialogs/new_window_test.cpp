#include "dialogs/new_window.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bmp_fixture.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace fs = std::filesystem;
using namespace brindle;

namespace {

class NewWindowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("brindle_newwin_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "Panel");
        fs::create_directories(dir_ / "Other");
        settings_.SetMode(kModeFS2000);
        settings_.SetCurrentFile((dir_ / "Panel" / "panel.cfg").string());
        panel_ = EmptyPanel();
        PanelWindow main;
        main.title = "Main";
        main.ident = "MAIN_PANEL";
        main.sizeMmX = 1024;
        main.sizeMmPresent = true;
        InsertWindow(panel_, main);
        SetShowAgainFlag(1);
    }
    void TearDown() override {
        SetShowAgainFlag(1);
        fs::remove_all(dir_);
    }
    std::string Bmp(const std::string& folder, const std::string& name, int w, int h, int bits = 8) {
        fs::path p = dir_ / folder / name;
        test::WriteBytes(p, test::MakeBmp(w, h, bits));
        return p.string();
    }
    NewWindowDialogState Dialog(SimMode mode) {
        settings_.SetMode(mode);
        return NewWindowDialogState(panel_, settings_);
    }

    fs::path dir_;
    Settings settings_;
    Panel panel_;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST_F(NewWindowTest, InitialContentsAndWhatEachModeEnables) {
    for (SimMode mode : {kModeFS2000, kModeFS98, kModeCFS, kModeCFS2}) {
        SCOPED_TRACE(mode);
        NewWindowDialogState d = Dialog(mode);
        EXPECT_EQ(d.title, "New Window Title Here");
        EXPECT_FALSE(d.visible);
        EXPECT_TRUE(d.UseBitmap());
        EXPECT_EQ(d.bitmapFile, "");
        EXPECT_EQ(d.red + d.green + d.blue, "000");
        EXPECT_EQ(d.sizeX + d.sizeY + d.posX + d.posY, "0.50.50.00.0");
        EXPECT_EQ(d.sizeMm, "640");
        EXPECT_EQ(d.ratio, "1.0");
        EXPECT_EQ(d.positionCode, 0);
        const bool fs98 = mode == kModeFS98;
        EXPECT_EQ(d.BitmapRadiosEnabled(), !fs98);
        EXPECT_EQ(d.ScreenFieldsEnabled(), !fs98);
        EXPECT_EQ(d.Fs98FieldsEnabled(), fs98);
        EXPECT_TRUE(d.BitmapGroupEnabled());
        EXPECT_FALSE(d.ColourGroupEnabled());
        d.SetUseBitmap(false);
        // FS98 needs a bitmap: "Yes" stays selected.
        EXPECT_EQ(d.UseBitmap(), fs98);
        EXPECT_EQ(d.ColourGroupEnabled(), !fs98);
    }
}

TEST_F(NewWindowTest, BrowseFillsTheSizesFromTheBitmapAndTheMainWindow) {
    struct Case {
        int w, h;
        const char *mm, *x, *y;
    };
    const Case cases[] = {
        {512, 256, "512", "  0.50", "  0.25"},
        {2048, 4096, "2048", "  1.00", "  1.00"},  // capped
        {1024, 100, "1024", "  1.00", "  0.10"},
    };
    for (const Case& c : cases) {
        NewWindowDialogState d = Dialog(kModeFS2000);
        EXPECT_TRUE(d.Browse(Bmp("Other", "b.bmp", c.w, c.h)));
        EXPECT_EQ(d.bitmapFile, (dir_ / "Other" / "b.bmp").string());
        EXPECT_EQ(d.sizeMm, c.mm);
        EXPECT_EQ(d.sizeX, c.x);
        EXPECT_EQ(d.sizeY, c.y);
    }
    // A file that is not a bitmap: the reader's warning, the sizes stay.
    fs::path junk = dir_ / "Other" / "junk.bmp";
    test::WriteBytes(junk, {'X', 'Y', 'Z'});
    NewWindowDialogState d = Dialog(kModeFS2000);
    EXPECT_FALSE(d.Browse(junk.string()));
    EXPECT_EQ(d.sizeMm, "640");
    EXPECT_EQ(d.sizeX, "0.5");
    EXPECT_EQ(ui_.entries.size(), 1u);
}

TEST_F(NewWindowTest, EachCheckInItsOrderWithItsMessage) {
    const std::string inPanel = Bmp("Panel", "win.bmp", 64, 32);
    struct Case {
        const char* name;
        SimMode mode;
        void (*edit)(NewWindowDialogState&);
        const char* message;  // nullptr: passes
    };
    const Case cases[] = {
        {"no bitmap name", kModeFS2000, [](NewWindowDialogState& d) { d.bitmapFile = ""; },
         "The Bitmap Filename \"\" is not valid.\nPlease re-enter a valid filename"},
        {"missing bitmap", kModeFS2000, [](NewWindowDialogState& d) { d.bitmapFile = "nothere.bmp"; },
         "The Bitmap Filename \"nothere.bmp\" does not exist.\nPlease re-enter a valid filename"},
        {"bitmap first", kModeFS2000,
         [](NewWindowDialogState& d) {
             d.bitmapFile = "";
             d.sizeX = "5";
         },
         "The Bitmap Filename \"\" is not valid.\nPlease re-enter a valid filename"},
        {"red 256", kModeFS2000,
         [](NewWindowDialogState& d) {
             d.SetUseBitmap(false);
             d.red = "256";
             d.green = "x";
         },
         "The value of Window Background Color Red is invalid.\nEnter a number from 0 to 255"},
        {"green with a letter", kModeFS2000,
         [](NewWindowDialogState& d) {
             d.SetUseBitmap(false);
             d.green = "12a";
         },
         "The value of Window Background Color Green is invalid.\nEnter a number from 0 to 255"},
        {"blue negative", kModeCFS2,
         [](NewWindowDialogState& d) {
             d.SetUseBitmap(false);
             d.blue = "-1";
         },
         "The value of Window Background Color Blue is invalid.\nEnter a number from 0 to 255"},
        {"colour 255s", kModeFS2000,
         [](NewWindowDialogState& d) {
             d.SetUseBitmap(false);
             d.red = d.green = d.blue = "255";
         },
         nullptr},
        {"size x 1.01", kModeFS2000, [](NewWindowDialogState& d) { d.sizeX = "1.01"; },
         "The value of Window Size X is invalid.\nEnter a number between 0.01 and 1.0"},
        {"size y 0", kModeFS2000, [](NewWindowDialogState& d) { d.sizeY = "0"; },
         "The value of Window Size Y is invalid.\nEnter a number between 0.01 and 1.0"},
        {"size x 1.0", kModeFS2000, [](NewWindowDialogState& d) { d.sizeX = "1.0"; }, nullptr},
        {"pos x 0.5a", kModeFS2000, [](NewWindowDialogState& d) { d.posX = "0.5a"; },
         "The value of Window Pos X is invalid.\nEnter a number between 0.0 and 1.0"},
        {"pos y 1.5", kModeFS2000, [](NewWindowDialogState& d) { d.posY = "1.5"; },
         "The value of Window Pos Y is invalid.\nEnter a number between 0.0 and 1.0"},
        {"pos .25", kModeFS2000, [](NewWindowDialogState& d) { d.posX = d.posY = ".25"; }, nullptr},
        {"size checked before pos", kModeFS2000,
         [](NewWindowDialogState& d) {
             d.posX = "x";
             d.sizeY = "2";
         },
         "The value of Window Size Y is invalid.\nEnter a number between 0.01 and 1.0"},
        {"screen fields ignored in FS98", kModeFS98, [](NewWindowDialogState& d) { d.sizeX = "7"; }, nullptr},
        {"ratio 0", kModeFS98, [](NewWindowDialogState& d) { d.ratio = "0"; },
         "The value of Window Size Ratio is invalid.\nEnter a number between 0.01 and 100.0"},
        {"ratio 100", kModeFS98, [](NewWindowDialogState& d) { d.ratio = "100"; }, nullptr},
        {"size mm 8193", kModeFS98, [](NewWindowDialogState& d) { d.sizeMm = "8193"; },
         "The Value of Size MM is invalid.\nPlease enter a value between 1 and 8192"},
        {"size mm 0", kModeFS98, [](NewWindowDialogState& d) { d.sizeMm = "0"; },
         "The Value of Size MM is invalid.\nPlease enter a value between 1 and 8192"},
        {"ratio before size mm", kModeFS98,
         [](NewWindowDialogState& d) {
             d.sizeMm = "0";
             d.ratio = "abc";
         },
         "The value of Window Size Ratio is invalid.\nEnter a number between 0.01 and 100.0"},
        {"fs98 fields ignored elsewhere", kModeCFS, [](NewWindowDialogState& d) { d.sizeMm = "0"; }, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ui_.entries.clear();
        NewWindowDialogState d = Dialog(c.mode);
        d.bitmapFile = inPanel;
        c.edit(d);
        EXPECT_EQ(d.Ok(), c.message == nullptr);
        if (c.message)
            EXPECT_EQ(ui_.texts(), std::vector<std::string>{c.message});
        else
            EXPECT_TRUE(ui_.entries.empty()) << ui_.texts().front();
    }
}

TEST_F(NewWindowTest, ResultHoldsWhatIsInserted) {
    {
        NewWindowDialogState d = Dialog(kModeFS2000);
        d.title = std::string(100, 'T');
        d.visible = true;
        d.SetUseBitmap(false);
        d.red = "0";
        d.green = "128";
        d.blue = "255";
        d.sizeX = "0.25";
        d.sizeY = "0.75";
        d.posX = ".25";
        d.posY = "1";
        ASSERT_TRUE(d.Ok());
        const NewWindowFields& r = d.Result();
        EXPECT_EQ(r.title, std::string(80, 'T'));
        EXPECT_TRUE(r.visible);
        EXPECT_FALSE(r.useBitmap);
        EXPECT_EQ(r.colour, 0xFF8000u);
        EXPECT_EQ(r.sizeMm, 256);  // the main window's 1024 x 0.25
        EXPECT_DOUBLE_EQ(r.sizeY, 0.75);
        EXPECT_DOUBLE_EQ(r.posX, 0.25);
        EXPECT_DOUBLE_EQ(r.posY, 1.0);
    }
    {
        // FS98: an empty Size MM keeps the browsed bitmap's width.
        NewWindowDialogState d = Dialog(kModeFS98);
        ASSERT_TRUE(d.Browse(Bmp("Panel", "Wide.BMP", 1024, 16)));
        d.sizeMm = "";
        d.ratio = "2.5";
        d.positionCode = 4;
        ASSERT_TRUE(d.Ok());
        EXPECT_TRUE(d.Result().useBitmap);
        EXPECT_EQ(d.Result().bitmapFile, "Wide.BMP");
        EXPECT_EQ(d.Result().sizeMm, 1024);
        EXPECT_DOUBLE_EQ(d.Result().ratio, 2.5);
        EXPECT_EQ(d.Result().position, 4);
        PanelWindow w = MakeNewWindow(d.Result(), kModeFS98, panel_.windowCount);
        EXPECT_EQ(w.file, "Wide.BMP");
        EXPECT_EQ(w.file1024, "Wide.BMP");
        EXPECT_TRUE(w.sizeMmYPresent);
        EXPECT_FALSE(w.windowPosPresent);
        EXPECT_EQ(w.ident, "20");
    }
}

TEST_F(NewWindowTest, BitmapFromAnotherFolderIsCopiedOnlyOnYesAndNeverOverAFile) {
    const std::string other = Bmp("Other", "new.bmp", 32, 32);
    const std::string question =
        "The Bitmap file:\"" + other +
        "\" must be in the current Aircraft's Panel directory. Should I copy it there now?";
    {
        NewWindowDialogState d = Dialog(kModeFS2000);
        d.bitmapFile = other;
        ui_.answers = {Answer::No};
        EXPECT_FALSE(d.Ok());
        EXPECT_EQ(ui_.texts(), std::vector<std::string>{question});
        EXPECT_FALSE(fs::exists(dir_ / "Panel" / "new.bmp"));
    }
    {
        ui_.entries.clear();
        NewWindowDialogState d = Dialog(kModeFS2000);
        d.bitmapFile = other;
        d.sizeX = "9";  // a later check fails after the copy
        ui_.answers = {Answer::Yes};
        EXPECT_FALSE(d.Ok());
        EXPECT_TRUE(fs::exists(dir_ / "Panel" / "new.bmp"));
        // OK again: the field names the copy now, nothing is asked or copied a second time.
        ui_.entries.clear();
        d.sizeX = "0.5";
        EXPECT_TRUE(d.Ok());
        EXPECT_TRUE(ui_.entries.empty());
        EXPECT_EQ(d.Result().bitmapFile, "new.bmp");
    }
    {
        // A file of that name (in any letter case) is already in the panel folder: refused.
        const std::string clash = Bmp("Other", "WIN.bmp", 8, 8);
        Bmp("Panel", "win.BMP", 16, 16);
        const auto before = ReadFileBytes((dir_ / "Panel" / "win.BMP").string());
        ui_.entries.clear();
        NewWindowDialogState d = Dialog(kModeFS2000);
        d.bitmapFile = clash;
        ui_.answers = {Answer::Yes};
        EXPECT_FALSE(d.Ok());
        ASSERT_EQ(ui_.entries.size(), 2u);
        EXPECT_EQ(ui_.entries[1].text, "File copy of " + clash + " failed!\n\nFile exists");
        EXPECT_EQ(ReadFileBytes((dir_ / "Panel" / "win.BMP").string()), before);
    }
    {
        // The panel folder is gone: the copy fails and leaves nothing behind.
        fs::remove_all(dir_ / "Panel");
        ui_.entries.clear();
        NewWindowDialogState d = Dialog(kModeFS2000);
        d.bitmapFile = other;
        ui_.answers = {Answer::Yes};
        EXPECT_FALSE(d.Ok());
        ASSERT_EQ(ui_.entries.size(), 2u);
        EXPECT_EQ(ui_.entries[1].text.rfind("File copy of " + other + " failed!\n\n", 0), 0u);
        EXPECT_FALSE(fs::exists(dir_ / "Panel"));
    }
}

TEST_F(NewWindowTest, NotEightBitWarningInFs98AndCfsWithItsOptOut) {
    const std::string deep = Bmp("Panel", "deep.bmp", 8, 8, 24);
    const std::string flat = Bmp("Panel", "flat.bmp", 8, 8, 8);
    struct Case {
        SimMode mode;
        const std::string* file;
        NewWindowDialogState::Trigger trigger;
        const char* warning;
    };
    using T = NewWindowDialogState::Trigger;
    const Case cases[] = {
        {kModeFS98, &deep, T::Button, kNewWindowNotEightBitOk},
        {kModeCFS, &deep, T::EnterKey, kNewWindowNotEightBitEnter},
        {kModeFS2000, &deep, T::Button, nullptr},
        {kModeCFS2, &deep, T::EnterKey, nullptr},
        {kModeFS98, &flat, T::Button, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << *c.file);
        ui_.entries.clear();
        NewWindowDialogState d = Dialog(c.mode);
        d.bitmapFile = *c.file;  // typed, not browsed: the colours are still read
        EXPECT_TRUE(d.Ok(c.trigger));
        if (c.warning) {
            ASSERT_EQ(ui_.entries.size(), 1u);
            EXPECT_EQ(ui_.entries[0].kind, RecordingMessageUi::Kind::OptOut);
            EXPECT_EQ(ui_.entries[0].text, c.warning);
        } else {
            EXPECT_TRUE(ui_.entries.empty());
        }
    }
    // Ticked once, not shown again; the warning never stops OK.
    ui_.entries.clear();
    ui_.tickOptOut = true;
    NewWindowDialogState d = Dialog(kModeFS98);
    ASSERT_TRUE(d.Browse(deep));
    EXPECT_TRUE(d.Ok());
    EXPECT_TRUE(d.Ok());
    EXPECT_EQ(ui_.entries.size(), 1u);
}

}  // namespace
