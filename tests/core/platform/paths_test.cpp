#include "platform/paths.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

using namespace brindle;
namespace fs = std::filesystem;

namespace {
fs::path freshDir(const std::string& name) {
    fs::path p = fs::temp_directory_path() / ("brindle-paths-" + name);
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}
}  // namespace

TEST(ResolvePath, MatchesEachComponentWithoutRegardToCase) {
    fs::path root = freshDir("resolve");
    fs::create_directories(root / "Gauges" / "Mine");
    std::ofstream(root / "Gauges" / "Mine" / "cessna.gau") << "x";
    std::ofstream(root / "panel.bmp") << "x";
    std::ofstream(root / "Panel.cfg") << "y";
    std::ofstream(root / "panel.cfg") << "z";

#ifndef _WIN32
    // On Windows the file system itself ignores case and paths are left as they are.
    EXPECT_EQ(ResolvePath((root / "PANEL.BMP").string()), (root / "panel.bmp").string());
    // Backslashes inside names from files are folder separators.
    EXPECT_EQ(ResolvePath(root.string() + "/gauges\\MINE\\Cessna.GAU"),
              (root / "Gauges/Mine/cessna.gau").string());
    // An exact match wins over a case-insensitive one.
    EXPECT_EQ(ResolvePath((root / "Panel.cfg").string()), (root / "Panel.cfg").string());
    // Nothing matches: the rest is kept as given.
    EXPECT_EQ(ResolvePath((root / "gauges/none/x.gau").string()), (root / "Gauges/none/x.gau").string());
#endif
    EXPECT_TRUE(FileExists(root.string() + "/GAUGES/mine/CESSNA.gau"));
    EXPECT_TRUE(DirectoryExists(root.string() + "/gauges/mine"));
    EXPECT_FALSE(FileExists(root.string() + "/gauges/mine"));
    fs::remove_all(root);
}

TEST(WriteFileAtomically, ReplacesWholeFileOrLeavesOldOne) {
    fs::path root = freshDir("atomic");
    std::string target = (root / "panel.cfg").string();
    ASSERT_TRUE(WriteFileAtomically(target, "old"));
    ASSERT_TRUE(WriteFileAtomically(target, "new contents"));
    EXPECT_EQ(ReadFileText(target), "new contents");
    // A folder that does not exist: the write fails and reports it.
    int err = 0;
    EXPECT_FALSE(WriteFileAtomically((root / "missing" / "panel.cfg").string(), "x", &err));
    EXPECT_NE(err, 0);
    // No temporary files are left behind.
    int count = 0;
    for (auto& e : fs::directory_iterator(root)) (void)e, ++count;
    EXPECT_EQ(count, 1);
    fs::remove_all(root);
}

TEST(PathUtilities, FileNameAndDirectoryParts) {
    struct Case {
        std::string path;
        std::optional<std::string> file, dir;
    };
    const Case cases[] = {
        {"", std::nullopt, std::nullopt},
        {"panel.cfg", std::nullopt, std::nullopt},
        {"C:\\fs\\panel\\panel.cfg", "panel.cfg", "C:\\fs\\panel"},
        {"C:\\fs\\panel\\", "", "C:\\fs"},
        {"/home/u/panel.cfg", "panel.cfg", "/home/u"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FileNamePart(c.path), c.file) << c.path;
        EXPECT_EQ(DirectoryPart(c.path), c.dir) << c.path;
    }
}
