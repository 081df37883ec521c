#include "app/preferences.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;

class Folders : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ =
            fs::temp_directory_path() /
            ("brindle-prefs-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        for (const char* d : {"fs2000", "fs98", "cfs", "cfs2"}) fs::create_directories(root_ / d);
        s_.SetFS2000Dir(Path("fs2000"));
        s_.SetFS98Dir(Path("fs98"));
        s_.SetCFSDir(Path("cfs"));
        s_.SetCFS2Dir(Path("cfs2"));
        s_.SetMode(kModeFS2000);
    }
    void TearDown() override { fs::remove_all(root_); }
    std::string Path(const std::string& name) const { return (root_ / name).string(); }

    fs::path root_;
    Settings s_;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST_F(Folders, ModeDialogRadioAppliesAtOnceAndCancelPutsEverythingBack) {
    const std::string gaugesBefore = s_.GaugesDir();
    ModeDirDialogLogic dlg(s_);
    EXPECT_EQ(dlg.Dir(kModeCFS), Path("cfs"));
    dlg.SelectMode(kModeCFS);
    EXPECT_EQ(s_.Mode(), kModeCFS);
    EXPECT_EQ(s_.GaugesDir(), JoinPath(Path("cfs"), "gauges"));
    for (const SimModeInfo& m : SimModes()) EXPECT_EQ(dlg.DirEnabled(m.mode), m.mode == kModeCFS) << m.radio;
    dlg.Browsed(kModeCFS, Path("cfs2"));
    dlg.Browsed(kModeFS98, std::nullopt);  // the chooser was cancelled
    EXPECT_EQ(dlg.Dir(kModeCFS), Path("cfs2"));
    EXPECT_EQ(dlg.Dir(kModeFS98), Path("fs98"));
    EXPECT_TRUE(dlg.ModeChanged());

    dlg.Cancel();
    EXPECT_EQ(s_.Mode(), kModeFS2000);
    EXPECT_EQ(s_.GaugesDir(), gaugesBefore);
    EXPECT_EQ(s_.CFSDir(), Path("cfs"));
    EXPECT_FALSE(dlg.ModeChanged());
    EXPECT_TRUE(ui_.entries.empty());
}

TEST_F(Folders, ModeDialogOkStoresTheFoldersAndAsksAboutAnUnusableOne) {
    ModeDirDialogLogic dlg(s_);
    dlg.SelectMode(kModeFS98);
    dlg.Dir(kModeFS98) = Path("missing");
    dlg.Dir(kModeCFS2) = Path("cfs");

    ui_.answers = {Answer::No};
    EXPECT_FALSE(dlg.Ok());
    ASSERT_EQ(ui_.entries.size(), 1u);
    EXPECT_EQ(ui_.entries[0].kind, RecordingMessageUi::Kind::Question);
    EXPECT_EQ(ui_.entries[0].text, "The FS98 folder \"" + Path("missing") +
                                       "\" does not exist or can't be read.\nBrindle won't find the aircraft "
                                       "and gauges of FS98 there.\n\nKeep it anyway?");
    EXPECT_EQ(s_.FS98Dir(), Path("fs98"));  // nothing stored while the dialog stays

    // Only the current mode's folder is looked at.
    dlg.Dir(kModeFS98) = Path("fs98");
    dlg.Dir(kModeFS2000) = Path("also-missing");
    ui_.entries.clear();
    ASSERT_TRUE(dlg.Ok());
    EXPECT_TRUE(ui_.entries.empty());
    EXPECT_EQ(s_.FS2000Dir(), Path("also-missing"));
    EXPECT_EQ(s_.CFS2Dir(), Path("cfs"));
    EXPECT_EQ(s_.GaugesDir(), JoinPath(Path("fs98"), "gauges"));
    EXPECT_TRUE(dlg.ModeChanged());

    // Yes keeps a folder that is not there (a drive not mounted yet, say).
    ModeDirDialogLogic again(s_);
    again.Dir(kModeFS98) = Path("later");
    ui_.answers = {Answer::Yes};
    ASSERT_TRUE(again.Ok());
    EXPECT_EQ(s_.FS98Dir(), Path("later"));
    EXPECT_FALSE(again.ModeChanged());
}

TEST_F(Folders, FirstStartMessageOnlyWhenNoModeHasAFolder) {
    EXPECT_EQ(FirstStartMessage(s_), std::nullopt);
    for (const char* d : {"fs2000", "fs98", "cfs"}) fs::remove_all(root_ / d);
    EXPECT_EQ(FirstStartMessage(s_), std::nullopt);  // CFS2 is still there
    fs::remove_all(root_ / "cfs2");
    std::optional<std::string> text = FirstStartMessage(s_);
    ASSERT_TRUE(text);
    EXPECT_NE(text->find("did not find"), std::string::npos);
    EXPECT_NE(text->find("FS Mode and Root Directory"), std::string::npos);
}

TEST(Preferences, OkStoresAndTellsWhetherHighResChanged) {
    Settings s;
    s.SetHighRes(1);
    s.SetReload(1);
    s.SetCreateBackup(0);
    s.SetPaintProgram("/usr/bin/gimp");

    PreferencesDialogLogic unchanged(s);
    unchanged.highRes = false;  // unticked and ticked again before OK
    unchanged.highRes = true;
    unchanged.BrowsedPaintProgram(std::nullopt);
    unchanged.Ok();
    EXPECT_FALSE(unchanged.HighResChanged());
    EXPECT_FALSE(unchanged.Changed());
    EXPECT_EQ(s.PaintProgram(), "/usr/bin/gimp");

    PreferencesDialogLogic dlg(s);
    EXPECT_TRUE(dlg.reload);
    EXPECT_FALSE(dlg.createBackup);
    dlg.highRes = false;
    dlg.createBackup = true;
    dlg.rememberWindowPosition = true;
    dlg.BrowsedCopyright(std::string("/home/me/copyright.txt"));
    dlg.Ok();
    EXPECT_TRUE(dlg.HighResChanged());
    EXPECT_TRUE(dlg.Changed());
    EXPECT_EQ(s.HighRes(), 0);
    EXPECT_EQ(s.CreateBackup(), 1);
    EXPECT_EQ(s.RememberWindowPosition(), 1);
    EXPECT_EQ(s.CopyrightFile(), "/home/me/copyright.txt");

    // A path change alone needs no reread.
    PreferencesDialogLogic paths(s);
    paths.paintProgram = "/usr/bin/mtpaint";
    paths.Ok();
    EXPECT_TRUE(paths.Changed());
    EXPECT_FALSE(paths.HighResChanged());
}

struct OsOnly : SystemAccess {
    explicit OsOnly(int kind) : kind(kind) {}
    int kind;
    std::optional<std::string> readMachineString(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    std::string mapWindowsPath(const std::string& p) override { return p; }
    int osKind() override { return kind; }
    std::string windowsDirectory() override { return ""; }
    std::optional<std::string> getEnv(const std::string&) override { return std::nullopt; }
    void setEnv(const std::string&, const std::string&) override {}
};

struct CountingDesktop : DesktopIntegration {
    std::vector<std::string> registered;
    AssociationResult RegisterPanelFileType(const std::string& program) override {
        registered.push_back(program);
        return {true, "done"};
    }
};

TEST(AdvancedPreferences, SoftwareBlitForcedOnOldSystemsAndAssociationOncePerRun) {
    struct Case {
        int osKind;
        bool enabled;
    };
    for (const Case c : {Case{0, true}, Case{2, true}, Case{3, false}, Case{4, false}, Case{5, true}}) {
        RecordingMessageUi ui;
        ScopedMessageUi scope(ui);
        MemorySettingsStore store;
        store.ints["Brindle"]["UseHalftoneBLT"] = 1;
        Settings s;
        OsOnly system(c.osKind);
        s.Load(store, system);
        CountingDesktop desktop;
        AdvancedPrefsDialogLogic dlg(s, desktop, "/opt/brindle/brindle");
        EXPECT_EQ(dlg.SWTransparentEnabled(), c.enabled) << c.osKind;
        EXPECT_EQ(dlg.useSWTransparentBLT, !c.enabled) << c.osKind;
        EXPECT_TRUE(dlg.useHalftoneBLT);
        dlg.useHalftoneBLT = false;
        dlg.Ok();
        EXPECT_EQ(s.UseSWTransparentBLT(), c.enabled ? 0 : 1);
        EXPECT_EQ(s.UseHalftoneBLT(), 0);
    }

    AdvancedPrefsDialogLogic::ResetAssociatedThisRun();
    Settings s;
    CountingDesktop desktop;
    AdvancedPrefsDialogLogic first(s, desktop, "/opt/brindle/brindle");
    std::optional<AssociationResult> r = first.Associate();
    ASSERT_TRUE(r);
    EXPECT_TRUE(r->ok);
    EXPECT_FALSE(first.Associate());
    // A later opening of the dialog in the same run does nothing either.
    EXPECT_FALSE(AdvancedPrefsDialogLogic(s, desktop, "/opt/brindle/brindle").Associate());
    EXPECT_EQ(desktop.registered, std::vector<std::string>{"/opt/brindle/brindle"});
    AdvancedPrefsDialogLogic::ResetAssociatedThisRun();
}

TEST(GaugeDrawPreferences, MaskFromTheThreeBoxesOnly) {
    Settings s;
    s.SetGaugeDrawTypes(1 | 2 | 16 | 64);  // needles and sprites from the Gauge Elements menu
    GaugeDrawPrefsDialogLogic dlg(s);
    EXPECT_TRUE(dlg.staticImages);
    EXPECT_TRUE(dlg.icons);
    EXPECT_FALSE(dlg.sliders);
    dlg.Ok();
    EXPECT_EQ(s.GaugeDrawTypes(), 17);

    dlg.staticImages = false;
    dlg.icons = false;
    EXPECT_EQ(dlg.Mask(), 0);
    dlg.Defaults();
    EXPECT_EQ(dlg.Mask(), GaugeDrawPrefsDialogLogic::kDefaultMask);
    dlg.Ok();
    EXPECT_EQ(s.GaugeDrawTypes(), 25);
}

}  // namespace
}  // namespace brindle
