#include "platform/system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/settings.h"
#include "platform/paths.h"

using namespace brindle;
namespace fs = std::filesystem;

namespace {

// A Wine prefix in a temporary folder: drive_c, dosdevices/c: -> ../drive_c, and a system.reg.
struct FakePrefix {
    fs::path root;
    explicit FakePrefix(const std::string& name) {
        root = fs::temp_directory_path() / ("brindle-wine-" + name);
        fs::remove_all(root);
        fs::create_directories(root / "drive_c");
        fs::create_directories(root / "dosdevices");
        fs::create_directory_symlink("../drive_c", root / "dosdevices" / "c:");
    }
    ~FakePrefix() { fs::remove_all(root); }
    void registry(const std::string& text) { std::ofstream(root / "system.reg") << text; }
    fs::path c(const std::string& rel) const { return root / "drive_c" / rel; }
};

}  // namespace

TEST(WineRegistry, ParsesKeysValuesAndEscapes) {
    auto keys = ParseWineRegistry(
        "WINE REGISTRY Version 2\n;; All keys relative to \\\\Machine\n\n"
        "[Software\\\\Microsoft\\\\DirectPlay\\\\Applications\\\\FS2000] 1600000000\n#time=1d\n"
        "\"Path\"=\"D:\\\\Games\\\\FS2000\"\n\"Other\"=dword:00000001\n\n"
        "[Software\\\\Other] 1\n\"Name\"=str(2):\"C:\\\\x \\\"q\\\"\"\n");
    EXPECT_EQ(keys["SOFTWARE\\MICROSOFT\\DIRECTPLAY\\APPLICATIONS\\FS2000"]["PATH"], "D:\\Games\\FS2000");
    EXPECT_EQ(keys["SOFTWARE\\MICROSOFT\\DIRECTPLAY\\APPLICATIONS\\FS2000"].count("OTHER"), 0u);
    EXPECT_EQ(keys["SOFTWARE\\OTHER"]["NAME"], "C:\\x \"q\"");
}

TEST(Discovery, RegistryValueWinsAndIsMappedThroughTheDrive) {
    FakePrefix wine("regvalue");
    fs::create_directories(wine.c("Games/FS2000"));
    wine.registry(
        "WINE REGISTRY Version 2\n[Software\\\\Microsoft\\\\DirectPlay\\\\Applications\\\\FS2000] 1\n"
        "\"Path\"=\"C:\\\\games\\\\fs2000\"\n");
    WineSystemAccess sys(wine.root.string());
    std::string dir = DiscoverFS2000Dir(sys);
    EXPECT_EQ(fs::canonical(dir), fs::canonical(wine.c("Games/FS2000")));
}

TEST(Discovery, CandidateFoldersInOrderWhenNoValue) {
    FakePrefix wine("candidates");
    wine.registry("WINE REGISTRY Version 2\n");
    // The FS98 default folder exists: FS2000 discovery returns it too.
    fs::create_directories(wine.c("Program Files/Microsoft Games/Flight Simulator"));
    fs::create_directories(wine.c("cfs2"));
    WineSystemAccess sys(wine.root.string());
    auto same = [](const std::string& a, const fs::path& b) { return fs::equivalent(fs::path(a), b); };
    EXPECT_TRUE(same(DiscoverFS98Dir(sys), wine.c("Program Files/Microsoft Games/Flight Simulator")));
    EXPECT_TRUE(same(DiscoverFS2000Dir(sys), wine.c("Program Files/Microsoft Games/Flight Simulator")));
    EXPECT_TRUE(same(DiscoverCFS2Dir(sys), wine.c("cfs2")));
    // Nothing for CFS: the default text, mapped onto the existing drive.
    std::string cfs = DiscoverCFSDir(sys);
    EXPECT_EQ(
        cfs,
        (wine.root / "dosdevices" / "c:" / "Program Files/Microsoft Games/Combat Flight Simulator").string());
}

TEST(Discovery, NoPrefixGivesTheDefaultTexts) {
    WineSystemAccess sys((fs::temp_directory_path() / "brindle-no-such-prefix").string());
    EXPECT_EQ(DiscoverFS98Dir(sys), "C:\\Program Files\\Microsoft Games\\Flight Simulator");
    EXPECT_EQ(DiscoverCFS2Dir(sys), "C:\\Program Files\\Microsoft Games\\Combat Flight Simulator 2");
    EXPECT_EQ(sys.osKind(), 0);
    EXPECT_EQ(NotepadPath(sys), std::nullopt);
}
