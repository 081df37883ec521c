// brindle-cli fixed-window, position, palette and capture, run as a program on a copy of the demo
// panel of the samples.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_run.h"
#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "view/bitmap.h"
#include "view/render_png.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;
using nlohmann::json;

struct CliResult {
    int status = -1;
    std::string out, err;
};

class WindowDialogsCli : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("brindle-wdlg-cli-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_);
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", root_ / "FS2000", fs::copy_options::recursive);
        panelDir_ = root_ / "FS2000/Aircraft/Demo/Panel";
        panel_ = (panelDir_ / "panel.cfg").string();
        original_ = Read(panel_);
    }
    void TearDown() override { fs::remove_all(root_); }

    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    static std::string Q(const std::string& s) { return "'" + s + "'"; }

    CliResult Cli(const std::string& args) {
        CliResult r;
        std::string errFile = (root_ / "stderr.txt").string();
        std::string cmd = std::string(BRINDLE_CLI) + " " + args + " 2>" + Q(errFile);
        r.status = testing::RunShell(cmd, &r.out);
        r.err = Read(errFile);
        return r;
    }
    Panel ReadBack(const std::string& path) {
        RecordingMessageUi ui;
        ScopedMessageUi scope(ui);
        Panel p;
        EXPECT_TRUE(ReadPanelFile(path, PanelReadOptions{}, p));
        return p;
    }
    std::string Out(const std::string& name) { return (root_ / name).string(); }

    fs::path root_, panelDir_;
    std::string panel_, original_;
};

TEST_F(WindowDialogsCli, FixedWindowForTheRearViewSavedInPlaceWithABackup) {
    CliResult r = Cli("fixed-window " + Q(panel_) + " --view 'Rear View' --bitmap " +
                      Q((panelDir_ / "panel_radio.bmp").string()));
    ASSERT_EQ(r.status, 0) << r.err;
    json shown = json::parse(r.out);
    EXPECT_EQ(shown["caption"], "Brindle - Fixed Windows - Rear View");
    EXPECT_EQ(shown["preview"]["width"], 320);
    EXPECT_EQ(Read(panelDir_ / "panel_backup001.cfg"), original_);
    Panel p = ReadBack(panel_);
    ASSERT_EQ(p.windowCount, 3);
    EXPECT_TRUE(p.windows[2].fixed);
    EXPECT_EQ(p.windows[2].fixedNumber, 0);
    EXPECT_EQ(p.windows[2].title, "Rear View");
    EXPECT_EQ(p.views[4].index, 0);

    // The button text names the view too; a second view gets number 30.
    ASSERT_EQ(Cli("fixed-window " + Q(panel_) + " --view rrl --bitmap " +
                  Q((panelDir_ / "panel_main.bmp").string()) + " -o " + Q(Out("two.cfg")))
                  .status,
              0);
    EXPECT_EQ(ReadBack(Out("two.cfg")).views[5].index, 30);
}

TEST_F(WindowDialogsCli, FixedWindowRefusals) {
    fs::path elsewhere = root_ / "elsewhere.bmp";
    fs::copy_file(panelDir_ / "panel_radio.bmp", elsewhere);
    struct Case {
        std::string args;
        int status;
        std::string message;  // part of stderr
    };
    const Case cases[] = {
        {"--view Nowhere", 2, "no view"},
        {"--view Fw --ident 3", 2, "Forward View"},
        {"--view Rr --ident 3x", 1, "Ident"},
        {"--view Rr --bitmap " + Q(elsewhere.string()), 1, "Should I copy it there now?"},
        {"--view Rr --bitmap " + Q(elsewhere.string()) + " --no", 1, "must be in the current Aircraft's"},
        {"--view Rr --bitmap " + Q((root_ / "missing.bmp").string()) + " --yes", 1, "File copy of"},
        {"--view Rr --yes --no", 2, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        CliResult r = Cli("fixed-window " + Q(panel_) + " " + c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(Read(panel_), original_);
        EXPECT_FALSE(fs::exists(panelDir_ / "panel_backup001.cfg"));
    }
    // --yes copies the bitmap into the panel folder.
    CliResult r = Cli("fixed-window " + Q(panel_) + " --view Rr --yes --bitmap " + Q(elsewhere.string()));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::exists(panelDir_ / "elsewhere.bmp"));
    EXPECT_EQ(ReadBack(panel_).windows[2].file, "elsewhere.bmp");
}

TEST_F(WindowDialogsCli, FixedWindowOnAFullPanel) {
    std::string text = "[Window Titles]\r\n";
    for (int i = 0; i < 32; ++i)
        text += "Window" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=W\r\n";
    for (int i = 0; i < 32; ++i)
        text += "\r\n[Window" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "]\r\nsize_mm=100\r\n";
    std::string full = (panelDir_ / "full.cfg").string();
    std::ofstream(full, std::ios::binary) << text;
    CliResult r =
        Cli("fixed-window " + Q(full) + " --view Rr --bitmap " + Q((panelDir_ / "panel_radio.bmp").string()));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("There is no room for another Fixed Window."), std::string::npos) << r.err;
    EXPECT_EQ(Read(full), text);
}

TEST_F(WindowDialogsCli, PositionInBothModels) {
    // FS98: the anchor and ratio; the preview shows the window at the top left.
    CliResult r = Cli("position " + Q(panel_) + " --window 1 --position 0 --ratio 0.5 --preview " +
                      Q(Out("p.png")) + " -o " + Q(Out("fs98.cfg")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(r.out)["model"], "fs98");
    Panel p = ReadBack(Out("fs98.cfg"));
    EXPECT_EQ(p.windows[1].position, 0);
    EXPECT_DOUBLE_EQ(p.windows[1].windowSizeRatio, 0.5);
    EXPECT_FALSE(p.windows[1].windowPosPresent);
    auto bytes = ReadFileBytes(Out("p.png"));
    ASSERT_TRUE(bytes);
    std::optional<Image> preview = DecodePng(*bytes);
    ASSERT_TRUE(preview);
    EXPECT_EQ(preview->Width(), 480);
    EXPECT_EQ(preview->At(0, 0), MakePixel(255, 255, 0));  // the window's outline at the screen's corner

    // FS2000: the fractions as typed, and the Default View.
    r = Cli("position " + Q(panel_) + " --window 1 --model fs2000 --pos 0.1,0.2 --size ' 0.5',1.5 " +
            "--default-view 10,20,8000,4000 --visible 1 -o " + Q(Out("fs2000.cfg")));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(json::parse(r.out)["red"]["height"], true);
    p = ReadBack(Out("fs2000.cfg"));
    EXPECT_EQ(p.windows[1].windowPos, (RealPair{0.1, 0.2}));
    EXPECT_EQ(p.windows[1].windowSize, (RealPair{0.5, 1.5}));
    EXPECT_EQ(p.windows[1].visible, 1);
    EXPECT_EQ(p.defaultView, (DefaultView{10, 20, 8000, 4000}));
    EXPECT_EQ(Read(panel_), original_);
}

TEST_F(WindowDialogsCli, PositionRefusals) {
    struct Case {
        std::string args;
        int status;
        std::string message;
    };
    const Case cases[] = {
        {"--window 1 --model fs2000 --pos -0.5,0", 1, "\"Window Position X\" field is not valid"},
        {"--window 1 --model fs2000 --size 1,abc", 1, "\"Window Size Height\" field is not valid"},
        {"--window 1 --pos 0.5,0.5", 1, "FS2000 model only"},
        {"--window 1 --ratio 12", 1, "between 0.01 and 10.0"},
        {"--window 1 --default-view 5000,0,4000,100", 1, "Default View"},
        {"--window 1 --position 9", 2, ""},
        {"--window 7", 1, "no window 7"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        CliResult r = Cli("position " + Q(panel_) + " " + c.args);
        EXPECT_EQ(r.status, c.status);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(Read(panel_), original_);
    }
    // FS98 mode offers only the FS98 model.
    CliResult r = Cli("position " + Q(panel_) + " --window 1 --mode fs98 --model fs2000");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(Read(panel_), original_);
}

TEST_F(WindowDialogsCli, PaletteActionsInOrderThenOk) {
    CliResult r =
        Cli("palette " + Q(panel_) + " --window 0 --recalculate --set 0=1,2,3 --delete 1 --add 9,9,9 -o " +
            Q(Out("pal.cfg")));
    ASSERT_EQ(r.status, 0) << r.err;
    json shown = json::parse(r.out);
    ASSERT_GE(shown["lines"].size(), 2u);
    EXPECT_EQ(shown["lines"][0], "Color00=1,2,3");
    EXPECT_EQ(shown["lines"].back(), "Color" + std::string(shown["count"].get<int>() <= 10 ? "0" : "") +
                                         std::to_string(shown["count"].get<int>() - 1) + "=9,9,9");
    Panel p = ReadBack(Out("pal.cfg"));
    EXPECT_EQ(p.colorCount, shown["count"].get<int>());
    EXPECT_EQ(p.colors[0], ColorEntry::FromRgb(1, 2, 3));

    // The refusals leave the file alone.
    const std::pair<std::string, std::string> refusals[] = {
        {"--window 0 --recalculate --set 0=300,0,0", "Red value must be between 0 and 255"},
        // --set comes before --add, so the new colour is not there yet.
        {"--add 1,2,3 --set 0=1,1,1", "There is no Color00"},
        {"--set 5=1,1,1", "There is no Color05"},
        {"--window 0 --recalculate --set 0=1,x,1", "The value for GREEN is not valid!"},
    };
    for (const auto& [args, message] : refusals) {
        SCOPED_TRACE(args);
        r = Cli("palette " + Q(panel_) + " " + args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(message), std::string::npos) << r.err;
        EXPECT_EQ(Read(panel_), original_);
    }
    EXPECT_EQ(Cli("palette " + Q(panel_) + " --recalculate").status, 2);
    EXPECT_EQ(Cli("palette " + Q(panel_) + " --add 1,2").status, 2);
}

TEST_F(WindowDialogsCli, PaletteRecalculateOnA24BitBitmap) {
    ASSERT_TRUE(WriteBmp24((panelDir_ / "panel_main.bmp").string(), Image(8, 8, MakePixel(1, 2, 3))));
    CliResult r = Cli("palette " + Q(panel_) + " --window 0 --recalculate");
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Color Palettes are only needed for 8bit bitmaps"), std::string::npos) << r.err;
    EXPECT_EQ(Read(panel_), original_);
}

TEST_F(WindowDialogsCli, CaptureTheDemoWindow) {
    CliResult r = Cli("capture " + Q(panel_) + " --window 0 -o " + Q(Out("cap.bmp")));
    ASSERT_EQ(r.status, 0) << r.err;
    std::optional<Image> cap = LoadBmpImage(Out("cap.bmp"));
    ASSERT_TRUE(cap);
    EXPECT_EQ(cap->Width(), 640);
    EXPECT_EQ(cap->Height(), 240);
    auto bytes = ReadFileBytes(Out("cap.bmp"));
    ASSERT_TRUE(bytes);
    EXPECT_EQ((*bytes)[10], 54);  // 24 bits, no colour table
    std::optional<Image> bg = LoadBmpImage((panelDir_ / "panel_main.bmp").string());
    ASSERT_TRUE(bg);
    EXPECT_EQ(cap->At(5, 5), bg->At(5, 5));

    ASSERT_EQ(Cli("capture " + Q(panel_) + " --window 0 --zoom 0.5 -o " + Q(Out("half.bmp"))).status, 0);
    EXPECT_EQ(LoadBmpImage(Out("half.bmp"))->Width(), 320);

    r = Cli("capture " + Q(panel_) + " --window 0 -o " + Q(Out("missing/cap.bmp")));
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find("Can't open selected file: "), std::string::npos) << r.err;
    EXPECT_EQ(Cli("capture " + Q(panel_) + " --window 0").status, 2);
}

}  // namespace
}  // namespace brindle
