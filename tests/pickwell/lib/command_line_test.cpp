#include "lib/command_line.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>

#include "lib/module.h"
#include "../support.h"

namespace pickwell {
namespace {

using testing::ModuleBuilder;
using testing::Slurp;
using testing::Spill;
using testing::TempDir;

using testing::Outcome;
using testing::Pickwell;

struct Fixture {
    Fixture() {
        m.Filler(5);
        first = m.Bitmap(32, 32, 0);
        second = m.Bitmap(17, 10, 16);
        m.Bitmap(8, 8, 0, 24);  // not listed
        path = dir.File("two.gau");
        Spill(path, m.bytes);
    }
    TempDir dir;
    ModuleBuilder m;
    std::size_t first, second;
    std::string path;
};

TEST(CommandLine, ScanListsNumberPositionSizeAndColours) {
    Fixture f;
    const Outcome r = Pickwell({"--scan", f.path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1 6 32 32 0\n2 " + std::to_string(f.second + 1) + " 17 10 16\n");
    EXPECT_EQ(r.err, "");
}

TEST(CommandLine, ScanSaysWhenMatchesWereLeftOut) {
    TempDir dir;
    std::vector<std::uint8_t> d(10002 * 40, 0);
    for (std::size_t i = 0; i < 10002; ++i) d[i * 40] = 40, d[i * 40 + 12] = 1, d[i * 40 + 14] = 8;
    Spill(dir.File("many.gau"), d);
    const Outcome r = Pickwell({"--scan", dir.File("many.gau")});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(std::count(r.out.begin(), r.out.end(), '\n'), 10000);
    EXPECT_NE(r.err.find("2 more matches"), std::string::npos) << r.err;
}

TEST(CommandLine, ExtractThenReplaceRoundTripsAndChangesOnlyTheBitmap) {
    Fixture f;
    const std::string out = f.dir.File("b2.bmp");
    Outcome r = Pickwell({"--extract", f.path, "2", out});
    ASSERT_EQ(r.status, 0) << r.err;
    auto bmp = Slurp(out);
    ASSERT_EQ(bmp.size(), 1278u);
    // Replacing with the unchanged file leaves the module byte for byte as it was.
    r = Pickwell({"--replace", f.path, "2", out});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(Slurp(f.path), f.m.bytes);
    bmp[1078] ^= 0xFF;
    Spill(out, bmp);
    r = Pickwell({"--replace", f.path, "2", out});
    ASSERT_EQ(r.status, 0) << r.err;
    auto want = f.m.bytes;
    want[f.second + 40 + 64] ^= 0xFF;
    EXPECT_EQ(Slurp(f.path), want);
}

TEST(CommandLine, FailuresExitWithOneAndAMessage) {
    Fixture f;
    const std::string bmp = f.dir.File("one.bmp");
    ASSERT_EQ(Pickwell({"--extract", f.path, "1", bmp}).status, 0);
    struct Case {
        std::vector<std::string> args;
        const char* says;
    };
    const Case cases[] = {
        {{}, "usage"},
        {{"--scan"}, "wrong number of arguments"},
        {{"--bogus", "x"}, "unknown option"},
        {{"--scan", f.dir.File("missing.gau")}, "cannot open"},
        {{"--scan", f.dir.Path().string()}, "is a folder"},
        {{"--extract", f.path, "3", f.dir.File("x.bmp")}, "no bitmap number 3"},
        {{"--extract", f.path, "0", f.dir.File("x.bmp")}, "no bitmap number 0"},
        {{"--extract", f.path, "2x", f.dir.File("x.bmp")}, "not a bitmap number"},
        {{"--extract", f.path, "1", f.dir.File("no/such/dir/x.bmp")}, "cannot create"},
        {{"--replace", f.path, "2", bmp}, "sizes must be the same"},
        {{"--replace", f.path, "1", f.dir.File("missing.bmp")}, "cannot open"},
    };
    for (const Case& c : cases) {
        const Outcome r = Pickwell(c.args);
        EXPECT_EQ(r.status, 1) << c.says;
        EXPECT_NE(r.err.find(c.says), std::string::npos) << r.err;
    }
    EXPECT_EQ(Slurp(f.path), f.m.bytes);
    EXPECT_FALSE(std::filesystem::exists(f.dir.File("x.bmp")));
}

TEST(CommandLine, OptionsChooseTheCommandLineAndNothingElseDoes) {
    EXPECT_TRUE(WantsCommandLine({"--scan", "a.gau"}));
    EXPECT_TRUE(WantsCommandLine({"--help"}));
    EXPECT_FALSE(WantsCommandLine({}));
    EXPECT_FALSE(WantsCommandLine({"-"}));
}

// The program itself answers without a display (it is only built with the windows).
TEST(CommandLine, TheProgramRunsWithoutADisplay) {
    const std::filesystem::path program = std::filesystem::path(BRINDLE_BINARY_DIR) / "src/pickwell/pickwell";
    if (!std::filesystem::exists(program)) GTEST_SKIP() << "pickwell was not built";
    Fixture f;
    const std::string command =
        "env -u DISPLAY -u WAYLAND_DISPLAY '" + program.string() + "' --scan '" + f.path + "' 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string output;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr) output += buffer;
    const int status = pclose(pipe);
    EXPECT_EQ(status, 0) << output;
    EXPECT_EQ(output.substr(0, 12), "1 6 32 32 0\n");
    EXPECT_EQ(
        std::system(("env -u DISPLAY '" + program.string() + "' --scan /nonexistent 2>/dev/null").c_str()) >>
            8,
        1);
#ifdef __linux__
    // A scan from a script is as quick as reading the file only when no window library is loaded with it.
    FILE* libs = popen(("ldd '" + program.string() + "' 2>&1").c_str(), "r");
    ASSERT_NE(libs, nullptr);
    std::string linked;
    while (std::fgets(buffer, sizeof buffer, libs) != nullptr) linked += buffer;
    pclose(libs);
    EXPECT_EQ(linked.find("libwx"), std::string::npos) << linked;
    EXPECT_EQ(linked.find("libgtk"), std::string::npos) << linked;
#endif
}

}  // namespace
}  // namespace pickwell
