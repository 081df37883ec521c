#include "app/settings.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>

#include "platform/messages.h"
#include "platform/paths.h"

using namespace brindle;
namespace fs = std::filesystem;

namespace {

// A system with no registry and no drives: discovery gives the default texts unchanged.
class BareSystem : public SystemAccess {
  public:
    std::map<std::string, std::string> env;
    std::optional<std::string> readMachineString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::string mapWindowsPath(const std::string& p) override { return p; }
    int osKind() override { return 0; }
    std::string windowsDirectory() override { return ""; }
    std::optional<std::string> getEnv(const std::string& n) override {
        auto it = env.find(n);
        if (it == env.end()) return std::nullopt;
        return it->second;
    }
    void setEnv(const std::string& n, const std::string& v) override { env[n] = v; }
};

fs::path freshDir(const std::string& name) {
    fs::path p = fs::temp_directory_path() / ("brindle-settings-" + name);
    fs::remove_all(p);
    fs::create_directories(p);
    return p;
}

void touch(const fs::path& p) {
    std::ofstream(p) << "x";
}

}  // namespace

TEST(Settings, FirstRunPassesValidationAndTakesDefaults) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    MemorySettingsStore store;
    BareSystem sys;
    Settings s;
    s.Load(store, sys);
    EXPECT_TRUE(ui.entries.empty());
    EXPECT_EQ(s.Reload(), 1);
    EXPECT_EQ(s.CreateBackup(), 1);
    EXPECT_EQ(s.TransparentGauges(), 1);
    EXPECT_EQ(s.DrawAllBitmaps(), 1);
    EXPECT_EQ(s.HighRes(), 1);
    EXPECT_EQ(s.RememberWindowPosition(), 0);
    EXPECT_EQ(s.GaugeDrawTypes(), 1);
    EXPECT_EQ(s.Mode(), kModeFS2000);
    EXPECT_DOUBLE_EQ(s.StartZoom(), 1.0);
    // Discovery ran for all four folders (nothing exists, so the default texts).
    EXPECT_EQ(s.FS98Dir(), "C:\\Program Files\\Microsoft Games\\Flight Simulator");
    EXPECT_EQ(s.FS2000Dir(), "C:\\Program Files\\Microsoft Games\\Flight Simulator 2000");
    EXPECT_EQ(s.CFSDir(), "C:\\Program Files\\Microsoft Games\\Combat Flight Simulator");
    EXPECT_EQ(s.CFS2Dir(), "C:\\Program Files\\Microsoft Games\\Combat Flight Simulator 2");
    EXPECT_EQ(s.GaugesDir(), s.FS2000Dir() + kPathSep + "gauges");
}

TEST(Settings, InvalidRecordsAreRepairedWithWarningAndFlagsOff) {
    struct Case {
        const char* what;
        std::function<void(MemorySettingsStore&)> spoil;
    };
    const Case cases[] = {
        {"bad magic", [](MemorySettingsStore& m) { m.ints["Brindle"]["Magic"] = 12345; }},
        {"mode 4", [](MemorySettingsStore& m) { m.ints["Brindle"]["Mode"] = 4; }},
        {"261-char dir",
         [](MemorySettingsStore& m) { m.strings["Brindle"]["FS98Dir"] = std::string(261, 'a'); }},
        {"five spaces", [](MemorySettingsStore& m) { m.strings["Brindle"]["FS98Dir"] = "C:\\a     b"; }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        RecordingMessageUi ui;
        ScopedMessageUi scope(ui);
        MemorySettingsStore store;
        store.ints["Brindle"]["Reload"] = 1;
        store.ints["Brindle"]["LastZoom"] = 300;
        store.strings["Brindle"]["LastFileRead"] = "C:\\x\\panel.cfg";
        c.spoil(store);
        BareSystem sys;
        Settings s;
        s.Load(store, sys);
        ASSERT_EQ(ui.entries.size(), 1u);
        EXPECT_EQ(ui.entries[0].kind, RecordingMessageUi::Kind::Warning);
        EXPECT_EQ(ui.entries[0].text,
                  "Registry Entries for Brindle are invalid!\n\nDefault values will be set");
        EXPECT_EQ(s.Reload() + s.CreateBackup() + s.TransparentGauges() + s.RememberWindowPosition() +
                      s.DrawAllBitmaps() + s.HighRes(),
                  0);
        EXPECT_EQ(s.Mode(), kModeFS2000);
        EXPECT_EQ(s.LastFileRead(), "");
        EXPECT_DOUBLE_EQ(s.StartZoom(), 1.0);
        EXPECT_EQ(s.FS98Dir(), "C:\\Program Files\\Microsoft Games\\Flight Simulator");
    }
    // 260 characters is still valid.
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    MemorySettingsStore store;
    store.strings["Brindle"]["FS98Dir"] = std::string(260, 'a');
    BareSystem sys;
    Settings s;
    s.Load(store, sys);
    EXPECT_TRUE(ui.entries.empty());
    EXPECT_EQ(s.FS98Dir(), std::string(260, 'a'));
}

TEST(Settings, LastZoomAndWindowPositionRoundTrip) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    BareSystem sys;
    for (auto [stored, zoom] : {std::pair{0L, 1.0}, {250L, 2.5}, {100L, 1.0}}) {
        MemorySettingsStore store;
        store.ints["Brindle"]["LastZoom"] = stored;
        Settings s;
        s.Load(store, sys);
        EXPECT_DOUBLE_EQ(s.StartZoom(), zoom) << stored;
    }

    Settings s;
    s.SetWindowPosition({-4, 22, 1290, 1010, 3, 2});
    s.SetZoom(2.349);
    s.SetCurrentFile("c:\\fs\\panel.cfg");
    MemorySettingsStore store;
    s.Save(store);
    EXPECT_EQ(store.strings["Brindle"]["WindowPosition"], "   -4    22  1290  1010     3     2");
    EXPECT_EQ(store.ints["Brindle"]["LastZoom"], 234);
    EXPECT_EQ(store.ints["Brindle"]["Magic"], kMagicWritten);
    EXPECT_EQ(store.strings["Brindle"]["LastFileRead"], "C:\\fs\\panel.cfg");
    EXPECT_EQ(store.writeOrder.front(), "UseSWTransparentBLT");
    EXPECT_EQ(store.writeOrder.back(), "WindowPosition");

    Settings back;
    back.Load(store, sys);
    EXPECT_EQ(back.WindowPosition(), (std::array<int, 6>{-4, 22, 1290, 1010, 3, 2}));
    EXPECT_DOUBLE_EQ(back.StartZoom(), 2.34);
    EXPECT_EQ(back.LastFileRead(), "C:\\fs\\panel.cfg");

    // Fields the text does not supply keep their values.
    back.ParseWindowPosition("  7  8");
    EXPECT_EQ(back.WindowPosition(), (std::array<int, 6>{7, 8, 1290, 1010, 3, 2}));
}

TEST(Settings, OutOfRangeModeReadsAsFS98AndIsSavedSo) {
    Settings s;
    s.SetFS98Dir("/sims/fs98");
    s.SetMode(7);
    EXPECT_EQ(s.Mode(), kModeFS98);
    EXPECT_EQ(s.SimDir(), "/sims/fs98");
    EXPECT_EQ(s.GaugesDir(), std::string("/sims/fs98") + kPathSep + "gauges");
    MemorySettingsStore store;
    s.Save(store);
    EXPECT_EQ(store.ints["Brindle"]["Mode"], 1);
}

TEST(Settings, SetSimDirSetsTheCurrentModesFolderOnly) {
    for (int mode : {kModeFS2000, kModeFS98, kModeCFS, kModeCFS2}) {
        Settings s;
        s.SetMode(mode);
        s.SetSimDir("/sims/current");
        EXPECT_EQ(s.SimDir(), "/sims/current") << mode;
        EXPECT_EQ(s.GaugesDir(), std::string("/sims/current") + kPathSep + "gauges") << mode;
        s.SetMode(mode == kModeFS98 ? kModeFS2000 : kModeFS98);
        EXPECT_NE(s.SimDir(), "/sims/current") << mode;
    }
}

TEST(Settings, NullDirectorySettersWarnAndStoreDefault) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    Settings s;
    s.SetMode(kModeCFS2);
    s.SetFS98Dir(static_cast<const char*>(nullptr));
    s.SetFS2000Dir(static_cast<const char*>(nullptr));
    s.SetCFSDir(static_cast<const char*>(nullptr));
    s.SetCFS2Dir(static_cast<const char*>(nullptr));
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"SetFS98Dir, string is NULL", "SetFS2000Dir, string is NULL",
                                        "SetCFSDir, string is NULL", "SetCFS2Dir, string is NULL"}));
    EXPECT_EQ(s.CFS2Dir(), "C:\\");
    EXPECT_EQ(s.GaugesDir(), std::string("C:\\") + kPathSep + "gauges");
}

TEST(Settings, ZoomClampsAndDocumentResetRestoresFields) {
    Settings s;
    s.SetZoom(50);
    EXPECT_DOUBLE_EQ(s.Zoom(), 12.0);
    s.SetZoom(0.01);
    EXPECT_DOUBLE_EQ(s.Zoom(), 0.2);
    s.SetGridSize(40);
    s.SetGridVisible(1);
    s.SetSnapToGrid(1);
    s.ResetDocumentFields();
    EXPECT_DOUBLE_EQ(s.Zoom(), 1.0);
    EXPECT_EQ(s.GridSize(), 10);
    EXPECT_EQ(s.GridVisible(), 0);
    EXPECT_EQ(s.SnapToGrid(), 0);
}

TEST(Settings, PathExtensionReplacesPreviousOne) {
    BareSystem sys;
    Settings s;
    s.SetFS2000Dir("/sims/fs2000");
    s.SetMode(kModeFS2000);
    s.ExtendPathWithModules(sys);
    EXPECT_TRUE(sys.env.empty());  // nothing saved yet: PATH untouched
    sys.env["PATH"] = "/usr/bin";
    s.StartUp(sys);
    EXPECT_NE(sys.env["PATH"].find("fs2000"), std::string::npos);
    s.SetCFSDir("/sims/cfs");
    s.SetMode(kModeCFS);
    s.ExtendPathWithModules(sys);
    EXPECT_EQ(sys.env["PATH"].find("fs2000"), std::string::npos);
    EXPECT_NE(sys.env["PATH"].find("cfs"), std::string::npos);
    EXPECT_EQ(sys.env["PATH"].rfind("/usr/bin", 0), 0u);
}

TEST(PathUtilities, CurrentFileForDisplayAndItsFolder) {
    Settings s;
    s.SetCurrentFile("c:\\fs\\panel.cfg");
    EXPECT_EQ(s.CurrentFileForDisplay(), "C:\\fs\\panel.cfg");
    EXPECT_EQ(s.CurrentFileDir(), "C:\\fs");
    s.SetCurrentFile("");
    EXPECT_EQ(s.CurrentFileDir(), "");
}

TEST(PathUtilities, BackupNamesSkipTakenNumbersAndGiveUpWhenFull) {
    fs::path dir = freshDir("backup");
    std::string panel = (dir / "panel.cfg").string();
    touch(panel);
    EXPECT_EQ(BackupFileName(panel), (dir / "panel_backup001.cfg").string());
    touch(dir / "panel_backup001.cfg");
    touch(dir / "panel_backup002.cfg");
    EXPECT_EQ(BackupFileName(panel), (dir / "panel_backup003.cfg").string());
    EXPECT_EQ(BackupFileName((dir / "noext").string()), std::nullopt);
    for (int n = 3; n <= 998; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "panel_backup%03d.cfg", n);
        touch(dir / name);
    }
    EXPECT_EQ(BackupFileName(panel), std::nullopt);
    fs::remove_all(dir);
}
