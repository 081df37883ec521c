#include "document/document.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "../platform/fault_walk.h"
#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "sim_tree.h"
#include "view/panel_view.h"

namespace brindle {
namespace {

using testing::kCorpusAircraft;
using testing::kSimplePanel;
using testing::SimTree;

const char* kThreeWindows =
    "[Window Titles]\r\nWindow00=Main\r\nWindow01=Radio\r\nFixed Window30=Right View\r\n\r\n"
    "[VIEWS]\r\nVIEW_RIGHT_WINDOWS=30\r\n\r\n"
    "[Window00]\r\nfile=main.bmp\r\nsize_mm=1024\r\nident=MAIN\r\n\r\ngauge00=Cessna!Airspeed, "
    "10,20,100,100\r\n\r\n"
    "[Window01]\r\nfile=radio.bmp\r\nsize_mm=400\r\nident=RADIO\r\n\r\n"
    "[Fixed Window30]\r\nfile=right.bmp\r\nident=30\r\n\r\n";

struct FakeView : ViewSync {
    std::vector<std::string> calls;
    // What StorePanelWindow writes into the window: the gauges as the view holds them.
    std::function<void(PanelWindow&)> store = [](PanelWindow&) {};
    bool undoAvailable = true;

    void StorePanelWindow(PanelWindow& w) override {
        calls.push_back("store");
        store(w);
    }
    void ShowPanelWindow(Panel&, int index) override { calls.push_back("show " + std::to_string(index)); }
    void ClearView() override { calls.push_back("clear"); }
    void Redraw() override { calls.push_back("redraw"); }
    void Fit() override { calls.push_back("fit"); }
    void ClearSelection() override { calls.push_back("deselect"); }
    bool Called(const std::string& c) const {
        return std::find(calls.begin(), calls.end(), c) != calls.end();
    }
};

struct FakeUi : DocumentUi {
    std::optional<int> window;
    int windowAsked = 0;
    std::optional<std::string> newFile, openFile, bitmap;
    std::string newFolder, openFolder, bitmapFolder;
    std::function<bool(OpenAircraftChooser&)> aircraft = [](OpenAircraftChooser&) { return false; };
    std::vector<std::string> recent;
    std::vector<std::string> progress;

    std::optional<int> ChooseWindow(const Panel&, const std::string&) override {
        ++windowAsked;
        return window;
    }
    std::optional<std::string> ChooseNewPanelFile(const std::string& folder) override {
        newFolder = folder;
        return newFile;
    }
    std::optional<std::string> ChooseFileToOpen(const std::string& folder) override {
        openFolder = folder;
        return openFile;
    }
    std::optional<std::string> ChooseBitmap(const std::string& folder) override {
        bitmapFolder = folder;
        return bitmap;
    }
    bool RunOpenAircraft(OpenAircraftChooser& c) override { return aircraft(c); }
    void AddToRecentFiles(const std::string& p) override { recent.push_back(p); }
    void CopyProgress(int done, int total, const std::string& file) override {
        progress.push_back(std::to_string(done) + "/" + std::to_string(total) + " " + file);
    }
};

struct FakeEditor : TextEditorLauncher {
    bool found = true;
    bool starts = true;
    std::function<void(const std::string&)> edit = [](const std::string&) {};
    std::string editedPath;
    bool Found() override { return found; }
    std::string MissingMessage() const override { return "Can't find Notepad.exe!"; }
    std::string Name() const override { return "Notepad"; }
    bool EditAndWait(const std::string& path, std::string& error) override {
        editedPath = path;
        if (!starts) {
            error = "No such file or directory";
            return false;
        }
        edit(path);
        return true;
    }
};

class Document : public ::testing::Test {
  protected:
    void SetUp() override {
        settings_.SetFS2000Dir(sim_.root());
        settings_.SetMode(kModeFS2000);
        settings_.SetCreateBackup(0);
        panelPath_ = sim_.write("Aircraft/C182/Panel/Panel.cfg", kThreeWindows);
        sim_.write("Aircraft/C182/Panel/main.bmp", "BM-main");
        doc_.SetTextEditor(&editor_);
        doc_.SetTemporaryFolder(sim_.path("temp"));
        std::filesystem::create_directories(sim_.path("temp"));
    }
    std::vector<std::string> Texts() const { return ui_.texts(); }

    SimTree sim_;
    Settings settings_;
    FakeView view_;
    FakeUi dui_;
    FakeEditor editor_;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
    PanelDocument doc_{settings_, view_, dui_};
    std::string panelPath_;
};

TEST_F(Document, OpenAtAGivenWindow) {
    settings_.SetZoom(3.0);
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 1));
    EXPECT_TRUE(doc_.IsOpen());
    EXPECT_EQ(doc_.CurrentWindow(), 1);
    EXPECT_EQ(settings_.CurrentFile(), panelPath_);
    EXPECT_EQ(doc_.Path(), panelPath_);
    EXPECT_FALSE(doc_.Modified());
    EXPECT_EQ(dui_.windowAsked, 0);
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"clear", "show 1", "fit"}));
    EXPECT_EQ(doc_.GetPanel()->windowCount, 3);
    EXPECT_TRUE(ui_.entries.empty());
}

TEST_F(Document, OpenWindowFallback) {
    struct Case {
        int index;
        std::optional<int> chosen;
        int current;
        int asked;
    };
    for (const Case& c : std::vector<Case>{{2, {}, 2, 0},
                                           {3, 1, 1, 1},
                                           {-1, 2, 2, 1},
                                           {7, 99, 0, 1},
                                           {-1, -4, 0, 1},
                                           {-1, std::nullopt, 0, 1}}) {
        dui_.windowAsked = 0;
        dui_.window = c.chosen;
        settings_.SetZoom(4.0);
        ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, c.index));
        EXPECT_EQ(doc_.CurrentWindow(), c.current) << c.index;
        EXPECT_EQ(dui_.windowAsked, c.asked) << c.index;
        if (c.asked) {
            EXPECT_EQ(settings_.Zoom(), 1.0);
        }
    }
}

TEST_F(Document, FailedOpenLeavesNothingOpen) {
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    std::string aliased = sim_.write("Aircraft/Other/Panel/Panel.cfg", "[fltsim]\r\nalias=C182/Panel\r\n");
    for (const std::string& path : {sim_.path("missing.cfg"), aliased}) {
        ui_.entries.clear();
        EXPECT_FALSE(doc_.OpenAtWindow(path, 0));
        EXPECT_FALSE(doc_.IsOpen());
        EXPECT_EQ(doc_.Path(), "");
        EXPECT_EQ(settings_.CurrentFile(), "");
        EXPECT_EQ(doc_.CurrentWindow(), -1);
        EXPECT_EQ(ui_.entries.size(), 1u) << path;
    }
    EXPECT_EQ(ui_.entries[0].text.rfind("This config file is aliased to another file.", 0), 0u);
}

TEST_F(Document, UnsavedChangesQuestion) {
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    doc_.SetModified();
    std::string other = sim_.write("Aircraft/C182/panel.ifr/Panel.cfg", kSimplePanel);
    // Cancel keeps everything.
    ui_.answers = {Answer::Cancel};
    EXPECT_FALSE(doc_.OpenAtWindow(other, 0));
    EXPECT_EQ(doc_.Path(), panelPath_);
    EXPECT_TRUE(doc_.Modified());
    EXPECT_EQ(Texts(), std::vector<std::string>{"Save changes to " + panelPath_ + "?"});
    // Yes saves first (the view's gauges written back).
    view_.store = [](PanelWindow& w) { w.gauges[0].x = 77; };
    ui_.answers = {Answer::Yes};
    EXPECT_TRUE(doc_.OpenAtWindow(other, 0));
    EXPECT_NE(SimTree::ReadFile(panelPath_).find("gauge00=Cessna!Airspeed,  77,20,100,100"),
              std::string::npos);
    EXPECT_EQ(doc_.Path(), other);
    // No gives the changes up.
    doc_.SetModified();
    ui_.answers = {Answer::No};
    std::string before = SimTree::ReadFile(other);
    EXPECT_TRUE(doc_.Close());
    EXPECT_EQ(SimTree::ReadFile(other), before);
    EXPECT_FALSE(doc_.IsOpen());
    EXPECT_FALSE(doc_.Modified());
}

TEST_F(Document, SaveWritesBackTheViewsGaugesOnlyWhenModified) {
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    view_.store = [](PanelWindow& w) { w.gauges[0].y = 55; };
    view_.calls.clear();
    ASSERT_TRUE(doc_.Save());
    EXPECT_FALSE(view_.Called("store"));
    doc_.SetModified();
    std::string copy = sim_.path("Aircraft/C182/Panel/copy.cfg");
    ASSERT_TRUE(doc_.SaveTo(copy));
    EXPECT_TRUE(view_.Called("store"));
    EXPECT_FALSE(doc_.Modified());
    EXPECT_EQ(doc_.Path(), copy);
    EXPECT_EQ(settings_.CurrentFile(), copy);
    EXPECT_EQ(dui_.recent.back(), copy);
    EXPECT_NE(SimTree::ReadFile(copy).find("gauge00=Cessna!Airspeed,  10,55,100,100"), std::string::npos);
}

TEST_F(Document, FailedSaveKeepsTheDocumentModified) {
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    doc_.SetModified();
    std::string bad = sim_.path("no/such/folder/panel.cfg");
    EXPECT_FALSE(doc_.SaveTo(bad));
    EXPECT_TRUE(doc_.Modified());
    EXPECT_EQ(doc_.Path(), panelPath_);
    EXPECT_EQ(settings_.CurrentFile(), panelPath_);
    ASSERT_EQ(ui_.entries.size(), 1u);
    EXPECT_NE(ui_.entries[0].text.find(bad), std::string::npos);
    // Nothing open: nothing to save.
    doc_.SetModified(false);
    doc_.Close();
    EXPECT_FALSE(doc_.Save());
}

TEST_F(Document, NewPanelOnAnExistingFileAnsweredNo) {
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    dui_.newFile = panelPath_;
    ui_.answers = {Answer::No};
    doc_.NewPanel();
    EXPECT_EQ(dui_.newFolder, JoinPath(sim_.root(), "Aircraft"));
    EXPECT_EQ(Texts(), std::vector<std::string>{"Overwrite Existing File " + panelPath_ + "?"});
    EXPECT_EQ(SimTree::ReadFile(panelPath_), kThreeWindows);
    // The panel that was open is gone.
    EXPECT_FALSE(doc_.IsOpen());
}

TEST_F(Document, NewPanelWithABitmapFromAnotherFolder) {
    std::string bitmap = sim_.write("art/cockpit.bmp", "BM-cockpit");
    std::string path = sim_.path("Aircraft/New/Panel/panel.cfg");
    std::filesystem::create_directories(sim_.path("Aircraft/New/Panel"));
    dui_.newFile = path;
    dui_.bitmap = bitmap;
    ui_.answers = {Answer::Yes};
    doc_.NewPanel();
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"The new bitmap must be in your panel directory to continue.\n"
                                       "Copy it there now?"});
    EXPECT_EQ(dui_.bitmapFolder, sim_.path("Aircraft/New/Panel"));
    EXPECT_EQ(sim_.read("Aircraft/New/Panel/cockpit.bmp"), "BM-cockpit");
    ASSERT_TRUE(doc_.IsOpen());
    EXPECT_EQ(doc_.Path(), path);
    EXPECT_EQ(doc_.CurrentWindow(), 0);
    const Panel& p = *doc_.GetPanel();
    ASSERT_EQ(p.windowCount, 1);
    EXPECT_EQ(p.windows[0].file, "cockpit.bmp");
    EXPECT_EQ(p.windows[0].title, "New Window");
    EXPECT_EQ(p.windows[0].sizeMmX, 1024);
    EXPECT_FALSE(p.windows[0].sizeMmYPresent);
    EXPECT_EQ(p.windows[0].ident, "0");
    EXPECT_EQ(p.defaultView, (DefaultView{0, 0, 8191, 4000}));
    std::string text = SimTree::ReadFile(path);
    EXPECT_NE(text.find("size_mm=1024\r\n"), std::string::npos);
    EXPECT_NE(text.find("file=cockpit.bmp \r\n"), std::string::npos);
}

TEST_F(Document, NewPanelStopsWithTheTemplateWritten) {
    std::string path = sim_.path("Aircraft/C182/Panel/new.cfg");
    dui_.newFile = path;
    // The bitmap chooser cancelled.
    doc_.NewPanel();
    EXPECT_EQ(SimTree::ReadFile(path), kNewPanelTemplate);
    EXPECT_FALSE(doc_.IsOpen());
    // A bitmap from elsewhere, not copied.
    dui_.bitmap = sim_.write("art/x.bmp", "BM");
    ui_.answers = {Answer::Yes, Answer::No};  // overwrite, then no copy
    doc_.NewPanel();
    EXPECT_EQ(SimTree::ReadFile(path), kNewPanelTemplate);
    EXPECT_FALSE(sim_.exists("Aircraft/C182/Panel/x.bmp"));
    EXPECT_FALSE(doc_.IsOpen());
    // A bitmap already in the panel folder needs no question.
    ui_.entries.clear();
    ui_.answers = {Answer::Yes};
    dui_.bitmap = sim_.path("Aircraft/C182/Panel/MAIN.BMP");
    doc_.NewPanel();
    EXPECT_EQ(ui_.entries.size(), 1u);
    ASSERT_TRUE(doc_.IsOpen());
    EXPECT_EQ(doc_.GetPanel()->windows[0].file, "MAIN.BMP");
}

TEST_F(Document, NewPanelThatCantBeCreated) {
    dui_.newFile = sim_.path("nowhere/panel.cfg");
    doc_.NewPanel();
    EXPECT_EQ(Texts(), std::vector<std::string>{"Can't open file " + *dui_.newFile +
                                                "\nThe file could not be located"});
    EXPECT_EQ(FileErrorText(13), std::string("The disk is full"));
    EXPECT_EQ(FileErrorText(99), std::string("An unspecified error occurred"));
}

TEST_F(Document, EditorRoundTripUnchanged) {
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    std::string seen;
    editor_.edit = [&](const std::string& p) { seen = SimTree::ReadFile(p); };
    doc_.EditInTextEditor();
    EXPECT_NE(seen.find("[Window00]"), std::string::npos);
    EXPECT_EQ(editor_.editedPath.rfind(JoinPath(sim_.path("temp"), "brindle"), 0), 0u);
    EXPECT_EQ(editor_.editedPath.substr(editor_.editedPath.size() - 4), ".txt");
    EXPECT_TRUE(ui_.entries.empty());
    EXPECT_FALSE(std::filesystem::exists(editor_.editedPath));
    EXPECT_EQ(SimTree::ReadFile(panelPath_), kThreeWindows);
}

TEST_F(Document, EditorRoundTripChanged) {
    settings_.SetCreateBackup(1);
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    editor_.edit = [](const std::string& p) {
        std::string text = SimTree::ReadFile(p);
        text.replace(text.find("Window01=Radio"), 14, "Window01=Stack");
        std::ofstream(p, std::ios::binary) << text;
    };
    // No: the original stays.
    ui_.answers = {Answer::No};
    doc_.EditInTextEditor();
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"The config file was modified in Notepad.\nRead in the changes, "
                                       "overwrite the original config file, and reopen this panel?"});
    EXPECT_EQ(SimTree::ReadFile(panelPath_), kThreeWindows);
    EXPECT_FALSE(std::filesystem::exists(editor_.editedPath));
    // Yes: copied over the original (after its backup) and reopened, the window asked for.
    ui_.answers = {Answer::Yes};
    dui_.window = 1;
    doc_.EditInTextEditor();
    EXPECT_NE(SimTree::ReadFile(panelPath_).find("Window01=Stack"), std::string::npos);
    EXPECT_EQ(sim_.read("Aircraft/C182/Panel/Panel_backup001.cfg"), kThreeWindows);
    ASSERT_TRUE(doc_.IsOpen());
    EXPECT_EQ(doc_.GetPanel()->windows[1].title, "Stack");
    EXPECT_EQ(doc_.CurrentWindow(), 1);
    EXPECT_EQ(dui_.windowAsked, 1);
    EXPECT_FALSE(std::filesystem::exists(editor_.editedPath));
}

TEST_F(Document, EditorMissingOrNotStarting) {
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    editor_.found = false;
    doc_.EditInTextEditor();
    editor_.found = true;
    editor_.starts = false;
    doc_.EditInTextEditor();
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Can't find Notepad.exe!",
                                                 "Can't launch Notepad: No such file or directory"}));
    EXPECT_FALSE(std::filesystem::exists(editor_.editedPath));
    doc_.SetTemporaryFolder(sim_.path("no-temp-here"));
    editor_.starts = true;
    ui_.entries.clear();
    doc_.EditInTextEditor();
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"Can't create a temporary file name to view panel.cfg file!"});
}

TEST_F(Document, IdentRules) {
    const std::string kInteger =
        "Can't change the Window IDENT.\n\nThe Ident for a Fixed Window must be an integer";
    const std::string kInUse = "Can't change the Window IDENT.\n\nThe new Window Ident is already in use";
    struct Case {
        int window;
        std::string ident;
        std::string message;  // empty = taken
    };
    const std::vector<Case> cases = {
        {2, "12", ""},    {2, "12a", kInteger}, {2, "", kInteger}, {0, "radio", kInUse}, {0, "30", kInUse},
        {0, "PILOT", ""}, {1, "main", kInUse},  {1, "Radio", ""},  {0, "MAIN", ""},  // unchanged
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, c.window));
        ui_.entries.clear();
        bool taken = doc_.ChangeIdent(c.ident);
        EXPECT_EQ(taken, c.message.empty()) << c.ident;
        EXPECT_EQ(Texts(),
                  c.message.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.message})
            << c.ident;
        const PanelWindow& w = doc_.GetPanel()->windows[c.window];
        if (taken) {
            EXPECT_EQ(w.ident, c.ident);
        }
        EXPECT_EQ(doc_.Modified(), taken && c.ident != "MAIN") << c.ident;
    }
    // A Fixed Window renumbered by its ident takes its views along.
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 2));
    ASSERT_TRUE(doc_.ChangeIdent("12"));
    EXPECT_EQ(doc_.GetPanel()->windows[2].fixedNumber, 12);
    EXPECT_EQ(doc_.GetPanel()->views[2].index, 12);
}

TEST_F(Document, WindowPropertiesOutcome) {
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    view_.calls.clear();
    doc_.AfterWindowProperties({"MAIN", false, false});
    EXPECT_FALSE(doc_.Modified());
    EXPECT_TRUE(view_.calls.empty());
    doc_.AfterWindowProperties({"MAIN", true, true});
    EXPECT_TRUE(doc_.Modified());
    EXPECT_EQ(view_.calls, (std::vector<std::string>{"store", "show 0", "redraw"}));
}

TEST_F(Document, RereadAfterPreferencesAndCloseAfterModeChange) {
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 1));
    view_.calls.clear();
    doc_.AfterPreferences(false, true);
    EXPECT_EQ(view_.calls, std::vector<std::string>{"redraw"});
    doc_.AfterPreferences(true, true);
    EXPECT_EQ(Texts(),
              std::vector<std::string>{"Brindle will now reread the config file\nso your changes can take "
                                       "effect"});
    EXPECT_TRUE(doc_.IsOpen());
    EXPECT_EQ(doc_.CurrentWindow(), 1);
    EXPECT_TRUE(view_.Called("show 1"));
    doc_.AfterModeDialog(false);
    EXPECT_TRUE(doc_.IsOpen());
    doc_.AfterModeDialog(true);
    EXPECT_FALSE(doc_.IsOpen());
    EXPECT_EQ(doc_.CurrentWindow(), -1);

    // The PATH extension follows the mode's folder after the dialog, whether the mode changed or not.
    struct PathOnly : SystemAccess {
        std::map<std::string, std::string> env;
        std::optional<std::string> readMachineString(const std::string&, const std::string&) override {
            return std::nullopt;
        }
        std::string mapWindowsPath(const std::string& p) override { return p; }
        int osKind() override { return 0; }
        std::string windowsDirectory() override { return ""; }
        std::optional<std::string> getEnv(const std::string& n) override { return env[n]; }
        void setEnv(const std::string& n, const std::string& v) override { env[n] = v; }
    } system;
    settings_.SetSavedPath("/usr/bin");
    for (bool changed : {false, true}) {
        ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
        settings_.SetCFSDir("/sims/cfs" + std::to_string(changed));
        settings_.SetMode(kModeCFS);
        doc_.AfterModeDialog(changed, &system);
        EXPECT_EQ(doc_.IsOpen(), !changed);
#ifdef _WIN32
        const std::string listSep = ";";
#else
        const std::string listSep = ":";
#endif
        EXPECT_EQ(system.env["PATH"],
                  "/usr/bin" + listSep + JoinPath("/sims/cfs" + std::to_string(changed), "modules"));
    }
}

TEST_F(Document, StartUpReload) {
    settings_.SetReload(1);
    settings_.SetLastFileRead(panelPath_);
    settings_.SetLastWindow(2);
    settings_.SetStartZoom(2.5);
    doc_.StartUp();
    EXPECT_TRUE(doc_.IsOpen());
    EXPECT_EQ(doc_.CurrentWindow(), 2);
    EXPECT_EQ(settings_.Zoom(), 2.5);

    PanelDocument other(settings_, view_, dui_);
    settings_.SetLastFileRead("ab");
    settings_.SetStartZoom(3.0);
    other.StartUp();
    EXPECT_FALSE(other.IsOpen());
    EXPECT_EQ(settings_.Zoom(), 3.0);
    settings_.SetReload(0);
    other.StartUp();
    EXPECT_EQ(settings_.Zoom(), 1.0);
}

TEST_F(Document, OpenDirectFindsTheAircraftTitle) {
    sim_.copy(kCorpusAircraft + "02-c172ii-p3d/aircraft.cfg", "Aircraft/C182/aircraft.cfg");
    dui_.openFile = panelPath_;
    settings_.SetLastTitle("old");
    ASSERT_TRUE(doc_.OpenDirect());
    EXPECT_EQ(dui_.openFolder, JoinPath(sim_.root(), "Aircraft"));
    EXPECT_EQ(settings_.LastTitle(), "C172N Skyhawk II");
    EXPECT_EQ(dui_.recent, std::vector<std::string>{panelPath_});
    // The folder is remembered; a failed open leaves no title.
    dui_.openFile = sim_.path("Aircraft/C182/Panel/none.cfg");
    EXPECT_FALSE(doc_.OpenDirect());
    EXPECT_EQ(dui_.openFolder, sim_.path("Aircraft/C182/Panel"));
    EXPECT_EQ(settings_.LastTitle(), "");
    // A file named on the command line, dropped or from the recent files finds its title too.
    ASSERT_TRUE(doc_.OpenNamed(panelPath_));
    EXPECT_EQ(settings_.LastTitle(), "C172N Skyhawk II");
}

TEST_F(Document, OpenByAircraft) {
    sim_.copy(kCorpusAircraft + "02-c172ii-p3d/aircraft.cfg", "Aircraft/C182/aircraft.cfg");
    sim_.write("Aircraft/C182/Panel.1/Panel.cfg", kSimplePanel);
    dui_.aircraft = [](OpenAircraftChooser& c) {
        c.SelectAircraft(0);
        c.SelectPanel(1);
        return c.Ok();
    };
    ASSERT_TRUE(doc_.OpenByAircraft());
    EXPECT_EQ(doc_.GetPanel()->windows[0].title, "Main Panel");
    EXPECT_EQ(settings_.LastTitle(), "C172N Skyhawk II ORANGE");
}

TEST_F(Document, CopyPanelToAircraft) {
    sim_.copy(kCorpusAircraft + "02-c172ii-p3d/aircraft.cfg", "Aircraft/Target/Aircraft.cfg");
    sim_.write("Aircraft/Target/Panel/Panel.cfg", kSimplePanel);
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    // Cancelled, then OK without the aircraft being the one wanted.
    EXPECT_FALSE(doc_.CopyPanelToAircraft());
    dui_.aircraft = [](OpenAircraftChooser& c) {
        c.SelectAircraft(static_cast<int>(c.AircraftList().size()) - 1);  // "Target"
        c.newPanelName = "copy";
        c.newPanelTitle = "C172 with the C182 panel";
        return c.Ok();
    };
    doc_.SetModified();
    ui_.answers = {Answer::No};
    ASSERT_TRUE(doc_.CopyPanelToAircraft());
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Save changes to " + panelPath_ + "?",
                                                 "Changes made will not be copied to the new Panel!  "}));
    EXPECT_EQ(sim_.read("Aircraft/Target/PANEL.copy/Panel.cfg"), kThreeWindows);
    EXPECT_EQ(sim_.read("Aircraft/Target/PANEL.copy/main.bmp"), "BM-main");
    EXPECT_EQ(LookUpAircraftTitle(sim_.path("Aircraft/Target/Aircraft.cfg"), "copy"),
              "C172 with the C182 panel");
    EXPECT_EQ(dui_.progress.back(), "2/2 ");
    EXPECT_TRUE(doc_.Modified());
}

}  // namespace
}  // namespace brindle

namespace brindle {
namespace {

TEST(PanelViewSyncTest, DrivesTheEngineView) {
    SimTree sim;
    std::string path = sim.write("Aircraft/C182/Panel/Panel.cfg", kThreeWindows);
    Settings settings;
    settings.SetFS2000Dir(sim.root());
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    Panel panel;
    ASSERT_TRUE(ReadPanelFile(path, settings, panel));
    PanelView view(settings);
    std::vector<int> steps;
    PanelViewSync sync(view, nullptr, [&](int done, int, const std::string&) { steps.push_back(done); });
    sync.ShowPanelWindow(panel, 0);
    ASSERT_NE(view.Shown(), nullptr);
    EXPECT_EQ(view.Shown()->index, 0);
    EXPECT_FALSE(steps.empty());
    ASSERT_EQ(view.Gauges().size(), 1u);
    view.Gauges()[0].selected = true;
    sync.ClearSelection();
    EXPECT_FALSE(view.Gauges()[0].selected);
    // The working list goes back into the window.
    PanelWindow target;
    sync.StorePanelWindow(target);
    ASSERT_EQ(target.gaugeCount, 1);
    EXPECT_EQ(target.gauges[0].name, "Cessna!Airspeed");
    sync.ClearView();
    EXPECT_EQ(view.Shown(), nullptr);
}

// A save with its backup, with each of its file steps failing in turn: the panel.cfg is the old one or
// the new one, never part of either; a backup is whole or not there; no temporary is left; the failure
// is shown once; and the document stays modified.
TEST_F(Document, ASaveThatFailsAtAnyStepLosesNothing) {
    settings_.SetCreateBackup(1);
    ASSERT_TRUE(doc_.OpenAtWindow(panelPath_, 0));
    const std::filesystem::path folder = std::filesystem::path(panelPath_).parent_path();
    auto backups = [&] {
        std::vector<std::string> found;
        for (const auto& e : std::filesystem::directory_iterator(folder))
            if (e.path().filename().string().find("_backup") != std::string::npos)
                found.push_back(e.path().string());
        return found;
    };
    std::string saved;
    auto prepare = [&] {
        sim_.write("Aircraft/C182/Panel/Panel.cfg", kThreeWindows);
        for (const std::string& b : backups()) std::filesystem::remove(b);
        doc_.SetModified();
        ui_.entries.clear();
    };
    auto attempt = [&] {
        const bool ok = doc_.Save();
        if (saved.empty()) saved = SimTree::ReadFile(panelPath_);
        return ok;
    };
    const auto steps = testing::WalkFileFaults(prepare, attempt, [&](int, FileStep, bool ok) {
        EXPECT_FALSE(ok);
        EXPECT_TRUE(doc_.Modified());
        EXPECT_EQ(SimTree::ReadFile(panelPath_), kThreeWindows);
        for (const std::string& b : backups()) EXPECT_EQ(SimTree::ReadFile(b), kThreeWindows);
        EXPECT_EQ(ui_.entries.size(), 1u);
        EXPECT_TRUE(testing::LeftoverTemporaries(sim_.root()).empty());
    });
    EXPECT_EQ(steps, (std::vector<std::string>{"copy", "open", "write", "flush", "rename", "open", "write",
                                               "flush", "rename"}));
    EXPECT_NE(saved, kThreeWindows);
}

}  // namespace
}  // namespace brindle
