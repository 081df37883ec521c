// brindle-cli render on the demo panel of the samples.
#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <string>

#include "cli_run.h"
#include "platform/paths.h"
#include "view/bitmap.h"
#include "view/render_png.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;

int RunRender(const std::string& args) {
    std::string cmd = std::string(BRINDLE_CLI) + " render " + args + " >/dev/null 2>&1";
    return testing::RunShell(cmd, nullptr);
}

const std::string kPanelDir = std::string(BRINDLE_SAMPLES_DIR) + "/FS2000/Aircraft/Demo/Panel";
const std::string kPanel = "'" + kPanelDir + "/panel.cfg'";

class RenderCli : public ::testing::Test {
  protected:
    void SetUp() override {
        dir = fs::temp_directory_path() / ("brindle-render-cli-" + std::to_string(::getpid()));
        fs::create_directories(dir);
    }
    void TearDown() override { fs::remove_all(dir); }
    std::string Out(const std::string& name) { return (dir / name).string(); }
    std::optional<Image> Png(const std::string& name) {
        auto bytes = ReadFileBytes(Out(name));
        if (!bytes) return std::nullopt;
        return DecodePng(*bytes);
    }
    fs::path dir;
};

TEST_F(RenderCli, DrawsTheDemoWindowAsTheViewDoes) {
    ASSERT_EQ(RunRender(kPanel + " -o " + Out("w0.png")), 0);
    auto img = Png("w0.png");
    ASSERT_TRUE(img);
    ASSERT_EQ(img->Width(), 640);
    ASSERT_EQ(img->Height(), 240);
    auto bg = LoadBmpImage(kPanelDir + "/panel_main.bmp");
    ASSERT_TRUE(bg);
    EXPECT_EQ(img->At(5, 5), bg->At(5, 5));
    // The airspeed gauge (20, 40, 96 wide) covers the background.
    EXPECT_NE(img->At(25, 88), bg->At(25, 88));

    // The same picture as a 24-bit BMP.
    ASSERT_EQ(RunRender(kPanel + " -o " + Out("w0.bmp")), 0);
    auto bmp = LoadBmpImage(Out("w0.bmp"));
    ASSERT_TRUE(bmp);
    EXPECT_EQ(*bmp, *img);

    // Outlines only: the face is gone, a yellow frame one pixel inside its rectangle.
    ASSERT_EQ(RunRender(kPanel + " --outline-mode 2 -o " + Out("outline.png")), 0);
    auto outline = Png("outline.png");
    ASSERT_TRUE(outline);
    EXPECT_EQ(outline->At(25, 88), bg->At(25, 88));
    EXPECT_EQ(outline->At(21, 88), MakePixel(255, 255, 0));

    ASSERT_EQ(RunRender(kPanel + " --zoom 2 --window 1 --grid 20 --halftone --types 127 -o " + Out("z2.png")),
              0);
    auto z2 = Png("z2.png");
    ASSERT_TRUE(z2);
    EXPECT_EQ(z2->Width(), 640);  // the radio window is 320 x 120
    EXPECT_EQ(z2->At(0, 0), MakePixel(175, 175, 127));

    ASSERT_EQ(RunRender(kPanel + " --fit 320x400 -o " + Out("fit.png")), 0);
    auto fit = Png("fit.png");
    ASSERT_TRUE(fit);
    EXPECT_EQ(fit->Width(), 320);
    EXPECT_EQ(fit->Height(), 120);
}

TEST_F(RenderCli, RefusesBadArguments) {
    EXPECT_EQ(RunRender(kPanel), 2);                          // no output
    EXPECT_EQ(RunRender(kPanel + " -o " + Out("x.jpg")), 2);  // unknown format
    EXPECT_EQ(RunRender(kPanel + " --zoom 2 --fit 10x10 -o " + Out("x.png")), 2);
    EXPECT_EQ(RunRender(kPanel + " --fit 10 -o " + Out("x.png")), 2);
    EXPECT_EQ(RunRender(kPanel + " --mode FS3 -o " + Out("x.png")), 2);
    EXPECT_EQ(RunRender(kPanel + " --outline-mode 4 -o " + Out("x.png")), 2);
    EXPECT_EQ(RunRender(kPanel + " --window 7 -o " + Out("x.png")), 1);
    EXPECT_EQ(RunRender("'" + Out("none.cfg") + "' -o " + Out("x.png")), 1);
    EXPECT_EQ(RunRender(kPanel + " -o " + Out("missing/dir/x.png")), 1);
    EXPECT_FALSE(fs::exists(Out("x.png")));
}

}  // namespace
}  // namespace brindle
