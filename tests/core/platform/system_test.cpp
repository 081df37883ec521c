#include "platform/system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "app/settings.h"
#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

using namespace brindle;
namespace fs = std::filesystem;

namespace {

#ifndef _WIN32
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
#endif

}  // namespace

// A program started on Windows gets one command line, which its C runtime splits into words again.
TEST(CommandLine, ArgumentsAreQuotedSoTheyAreSplitBackAsGiven) {
    const std::pair<std::string, std::string> cases[] = {
        {"plain", "plain"},
        {"/c", "/c"},
        {"", "\"\""},
        {"two words", "\"two words\""},
        {"C:\\My Panels\\", "\"C:\\My Panels\\\\\""},
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"a\\\"b", "\"a\\\\\\\"b\""},
    };
    for (const auto& [arg, quoted] : cases) EXPECT_EQ(QuoteCommandLineArgument(arg), quoted) << arg;
}

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

#ifndef _WIN32
// Off Windows a Wine prefix stands in for the registry and the drives.
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
#else
namespace {

// A DirectPlay "Path" value written for the test and removed again. HKEY_LOCAL_MACHINE takes writes
// from administrators only: `made` is false where the test may not write it.
struct MachineValue {
    std::wstring key;
    REGSAM view;
    bool made = false;
    MachineValue(const std::wstring& k, REGSAM v, const std::wstring& value) : key(k), view(v) {
        HKEY h;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr, &h,
                            nullptr) != ERROR_SUCCESS)
            return;
        made = RegSetValueExW(h, L"Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                              static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
        RegCloseKey(h);
    }
    ~MachineValue() {
        if (made) RegDeleteKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), view, 0);
    }
};

}  // namespace

// The simulators are 32-bit programs: their installers wrote into the 32-bit view, which a 64-bit
// program only sees when it asks for it; the registry's path is used as it is, with no drive mapping.
TEST(Discovery, TheRegistryValueOfThe32BitViewWins) {
    const fs::path folder = fs::temp_directory_path() / "brindle-registry-fs2000";
    fs::create_directories(folder);
    MachineValue value(L"SOFTWARE\\Microsoft\\DirectPlay\\Applications\\FS2000", KEY_WOW64_32KEY,
                       folder.wstring());
    if (!value.made) GTEST_SKIP() << "HKEY_LOCAL_MACHINE can't be written by this user";
    std::unique_ptr<SystemAccess> sys = MakeDefaultSystemAccess();
    EXPECT_EQ(sys->readMachineString("SOFTWARE\\Microsoft\\DirectPlay\\Applications\\FS2000", "path"),
              folder.string());
    EXPECT_EQ(DiscoverFS2000Dir(*sys), folder.string());
    EXPECT_EQ(sys->readMachineString("SOFTWARE\\Microsoft\\DirectPlay\\Applications\\FS2000", "Missing"),
              std::nullopt);
    EXPECT_EQ(sys->mapWindowsPath("C:\\fs98"), "C:\\fs98");
    fs::remove_all(folder);
}
#endif
