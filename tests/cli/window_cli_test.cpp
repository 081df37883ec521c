// brindle-cli add-window and window-props on a copy of the demo panel of the samples.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "../core/dialogs/bmp_fixture.h"
#include "cli_run.h"

namespace fs = std::filesystem;
using brindle::testing::CliWithStderr;
using brindle::testing::Quote;

namespace {

class WindowCli : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() / ("brindle-wincli-" + std::to_string(::getpid()) + "-" +
                                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root_);
        fs::create_directories(root_ / "elsewhere");
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", root_ / "FS2000", fs::copy_options::recursive);
        panelDir_ = root_ / "FS2000/Aircraft/Demo/Panel";
        panel_ = (panelDir_ / "panel.cfg").string();
        original_ = Read(panel_);
        brindle::test::WriteBytes(root_ / "elsewhere" / "stack.bmp", brindle::test::MakeBmp(320, 160, 8));
        brindle::test::WriteBytes(root_ / "elsewhere" / "panel_main.bmp", brindle::test::MakeBmp(8, 8, 8));
    }
    void TearDown() override { fs::remove_all(root_); }

    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    brindle::testing::CliRunWithStderr Run(const std::string& args) {
        return CliWithStderr(args, (root_ / "stderr.txt").string());
    }
    // The lines of one section of the saved panel, up to the next section.
    std::string Section(const std::string& name) {
        std::string text = Read(panel_);
        std::size_t at = text.find("[" + name + "]");
        if (at == std::string::npos) return {};
        std::size_t end = text.find("\n[", at + 1);
        return text.substr(at, end == std::string::npos ? std::string::npos : end - at);
    }

    fs::path root_, panelDir_;
    std::string panel_, original_;
};

TEST_F(WindowCli, AddWindowWithAColourOrACopiedBitmap) {
    auto r = Run("add-window " + Quote(panel_) +
                 " --title 'Radio Stack' --color 0,128,255 --size 0.3,0.2 "
                 "--pos .25,0.5 --visible");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"index\": 2"), std::string::npos) << r.out;
    std::string w = Section("Window02");
    EXPECT_NE(w.find("Background_color=0,128,255"), std::string::npos) << w;
    EXPECT_NE(w.find("size_mm=192"), std::string::npos) << w;  // the main window's 640 x 0.3
    EXPECT_NE(w.find("ident=30"), std::string::npos) << w;
    EXPECT_NE(w.find("visible=1"), std::string::npos) << w;
    EXPECT_NE(Read(panel_).find("Window02=Radio Stack"), std::string::npos);
    EXPECT_TRUE(fs::exists(panelDir_ / "panel_backup001.cfg"));

    const std::string other = (root_ / "elsewhere" / "stack.bmp").string();
    r = Run("add-window " + Quote(panel_) + " --bitmap " + Quote(other) + " --yes");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.err.find("must be in the current Aircraft's Panel directory"), std::string::npos) << r.err;
    EXPECT_TRUE(fs::exists(panelDir_ / "stack.bmp"));
    w = Section("Window03");
    EXPECT_NE(w.find("file=stack.bmp"), std::string::npos) << w;
    EXPECT_NE(w.find("size_mm=320"), std::string::npos) << w;  // the bitmap's size on the 640 main window
    EXPECT_NE(w.find("window_size= 0.500, 0.250"), std::string::npos) << w;
}

TEST_F(WindowCli, AddWindowRefusedWritesNothing) {
    struct Case {
        std::string args;
        std::string message;
    };
    const std::string other = (root_ / "elsewhere" / "stack.bmp").string();
    const std::string clash = (root_ / "elsewhere" / "panel_main.bmp").string();
    const Case cases[] = {
        {"--color 1,2,3 --size 1.01,0.5", "The value of Window Size X is invalid."},
        {"--color 0,256,0", "The value of Window Background Color Green is invalid."},
        {"--color 1,2,3 --pos 0.5a,0", "The value of Window Pos X is invalid."},
        {"--bitmap " + Quote(other), "Should I copy it there now?"},  // no answer is No
        {"--bitmap " + Quote(clash) + " --yes", "failed!\n\nFile exists"},
        {"--mode FS98 --bitmap " + Quote((panelDir_ / "panel_main.bmp").string()) + " --size-mm 8193",
         "The Value of Size MM is invalid."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        auto r = Run("add-window " + Quote(panel_) + " " + c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(Read(panel_), original_);
        EXPECT_FALSE(fs::exists(panelDir_ / "stack.bmp"));
    }
    EXPECT_EQ(Run("add-window " + Quote(panel_) + " --size 0.5").status, 2);
}

TEST_F(WindowCli, AddWindowFieldsApplyInTheOrderGiven) {
    const std::string bmp = Quote((panelDir_ / "panel_main.bmp").string());  // 640 wide
    struct Case {
        std::string args, sizeMm;
    };
    const Case cases[] = {
        {"--bitmap " + bmp + " --size-mm 300", "size_mm=300\r"},
        {"--size-mm 300 --bitmap " + bmp, "size_mm=640\r"},
        {"--bitmap " + bmp + " --size-mm ''", "size_mm=640\r"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.args);
        auto r = Run("add-window " + Quote(panel_) + " --mode FS98 --position 4 --ratio 2 " + c.args +
                     " -o " + Quote((root_ / "out.cfg").string()));
        ASSERT_EQ(r.status, 0) << r.err;
        std::string text = Read(root_ / "out.cfg");
        std::size_t at = text.find("[Window02]");
        ASSERT_NE(at, std::string::npos);
        std::string w = text.substr(at);
        EXPECT_NE(w.find(c.sizeMm), std::string::npos) << w;
        EXPECT_NE(w.find("position=4"), std::string::npos) << w;
        EXPECT_EQ(w.find("window_pos"), std::string::npos) << w;
        EXPECT_EQ(Read(panel_), original_);
    }
}

TEST_F(WindowCli, WindowPropsChangesAndRefusals) {
    struct Refused {
        std::string args, message;
    };
    const Refused refused[] = {
        {"--window 0 --ident RADIO_STACK", "The new Window Ident is already in use"},
        {"--window 0 --ident radio_stack", "The new Window Ident is already in use"},
        {"--window 0 --size-mm 8193,", "The value of \"Size MM X\" is not valid"},
        {"--window 0 --size-mm ,9999", "The value of \"Size MM Y\" is not valid"},
        {"--window 0 --file " + Quote((root_ / "elsewhere" / "stack.bmp").string()),
         "The new bitmap must be in your panel directory to continue."},
        {"--window 7 --title x", "has no window 7"},
    };
    for (const Refused& c : refused) {
        SCOPED_TRACE(c.args);
        auto r = Run("window-props " + Quote(panel_) + " " + c.args);
        EXPECT_EQ(r.status, 1);
        EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
        EXPECT_EQ(Read(panel_), original_);
    }
    auto r = Run("window-props " + Quote(panel_) +
                 " --window 1 --title Radios --ident NAV --size-mm 700,300 "
                 "--visible 1 --comments 'Made for tests' --yes --file " +
                 Quote((root_ / "elsewhere" / "stack.bmp").string()));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"fileSize\": \"320 X 160\""), std::string::npos) << r.out;
    std::string w = Section("Window01");
    for (const char* line : {"file=stack.bmp", "size_mm=700,300", "visible=1", "ident=NAV"})
        EXPECT_NE(w.find(line), std::string::npos) << line << "\n" << w;
    const std::string text = Read(panel_);
    EXPECT_NE(text.find("Window01=Radios"), std::string::npos);
    EXPECT_NE(text.find("//\tMade for tests"), std::string::npos);
    EXPECT_TRUE(fs::exists(panelDir_ / "stack.bmp"));
}

}  // namespace
