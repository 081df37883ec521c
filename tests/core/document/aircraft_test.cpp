#include "document/aircraft.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "../platform/fault_walk.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "sim_tree.h"

namespace brindle {
namespace {

using testing::kCorpusAircraft;
using testing::kSimplePanel;
using testing::SimTree;

const char* kTwoEntries =
    "[fltsim.0]\r\ntitle=Cessna Default\r\nsim=c182\r\npanel=\r\ntexture=\r\n\r\n"
    "[fltsim.1]\r\ntitle=Cessna IFR\r\nsim=c182\r\npanel=IFR\r\n\r\n"
    "[General]\r\natc_type=CESSNA\r\n\r\n[lights]\r\nlight.0=1\r\n";

TEST(AircraftFiles, FolderNames) {
    EXPECT_EQ(PanelFolderName(""), "Panel");
    EXPECT_EQ(PanelFolderName("IFR"), "Panel.IFR");
    EXPECT_EQ(PanelNameOfFolder("PANEL"), "");
    EXPECT_EQ(PanelNameOfFolder("panel.wide"), "wide");
    EXPECT_EQ(PanelNameOfFolder("Panel.v1.2"), "v1.2");
    EXPECT_EQ(PanelNameOfFolder("gauges"), std::nullopt);
    EXPECT_TRUE(IsValidNewPanelName("IFR 2"));
    for (const char* bad : {"", ".", "..", "a\\b", "a/b", "a:b", "a*", "a?", "a\"b", "a<b", "a|b", "a\nb"})
        EXPECT_FALSE(IsValidNewPanelName(bad)) << bad;
}

TEST(AircraftFiles, ListingLeavesOutAliasedAndUnusablePanels) {
    SimTree sim;
    sim.write("Aircraft/Cessna/Panel/Panel.cfg", kSimplePanel);
    sim.write("Aircraft/beech/panel/panel.cfg", kSimplePanel);  // any letter case
    sim.write("Aircraft/Alias/Panel/Panel.cfg", "// shared\r\n[fltsim]\r\nAlias = Cessna/Panel\r\n");
    sim.write("Aircraft/Empty/Panel/Panel.cfg", "");
    sim.write("Aircraft/NoPanel/Aircraft.cfg", kTwoEntries);
    sim.write("Aircraft/stray.txt", "not a folder");
    EXPECT_EQ(ListAircraft(sim.root()), (std::vector<std::string>{"beech", "Cessna"}));
    EXPECT_TRUE(ListAircraft(sim.path("nowhere")).empty());
}

TEST(AircraftFiles, EntriesOfRealFiles) {
    // Tabs before "=", [Fltsim.N] headers, the whole file read.
    std::string jodel = *ReadFileText(kCorpusAircraft + "01-jodel-dr1050/aircraft.cfg");
    auto entries = ParseFltsimEntries(jodel);
    ASSERT_EQ(entries.size(), 7u);
    EXPECT_EQ(entries[0].title, "Jodel DR-1050");
    EXPECT_EQ(entries[6].title, "Jodel DR-1050 G-ARXT");
    EXPECT_EQ(entries[6].number, 6);
    EXPECT_EQ(entries[6].panel, "");

    std::string c172 = kCorpusAircraft + "02-c172ii-p3d/aircraft.cfg";
    EXPECT_EQ(InstalledPanelNames(c172), (std::vector<std::string>{"", "1"}));
    EXPECT_EQ(LookUpAircraftTitle(c172, ""), "C172N Skyhawk II");
    EXPECT_EQ(LookUpAircraftTitle(c172, "1"), "C172N Skyhawk II ORANGE");
    EXPECT_EQ(LookUpAircraftTitle(c172, "wide"), std::nullopt);
    EXPECT_EQ(LookUpAircraftTitle(kCorpusAircraft + "04-a330neo-fsx/aircraft.cfg", "WIDE"),
              "Airbus A330-900neo White F-WTTE");
    // "key = value" spacing of the later files.
    EXPECT_EQ(LookUpAircraftTitle(kCorpusAircraft + "11-c337-msfs/aircraft.cfg", ""),
              "Carenado C337H Skymaster II D-IKSWG");
    // 115 entries, far past the first 16000 bytes.
    auto many = ParseFltsimEntries(*ReadFileText(kCorpusAircraft + "10-ai-a320-many-liveries/aircraft.cfg"));
    ASSERT_EQ(many.size(), 115u);
    EXPECT_EQ(many[114].title, "UTLive_320.VRD.VRD");
    EXPECT_EQ(LookUpAircraftTitle("/no/such/aircraft.cfg", ""), std::nullopt);
}

TEST(AircraftFiles, ValuesQuotedOrWithComments) {
    auto e = ParseFltsimEntries(
        "[FLTSIM.0]\ntitle = \"Goose; amphibian\" ; the title\npanel = \"\"\n[fltsim.1]\nTitle=Two ; note\n"
        "panel=two  ; second\n[fltsim.x]\npanel=odd\n");
    ASSERT_EQ(e.size(), 3u);
    EXPECT_EQ(e[0].title, "Goose; amphibian");
    EXPECT_EQ(e[0].panel, "");
    EXPECT_EQ(e[1].title, "Two");
    EXPECT_EQ(e[1].panel, "two");
    EXPECT_EQ(e[2].number, -1);
    EXPECT_EQ(e[2].title, std::nullopt);
}

TEST(AircraftFiles, TitleOfThePanelsAircraft) {
    SimTree sim;
    sim.copy(kCorpusAircraft + "02-c172ii-p3d/aircraft.cfg", "Aircraft/C172/aircraft.cfg");
    EXPECT_EQ(AircraftTitleForPanel(sim.path("Aircraft/C172/PANEL/panel.cfg")), "C172N Skyhawk II");
    EXPECT_EQ(AircraftTitleForPanel(sim.path("Aircraft/C172/panel.1/panel.cfg")), "C172N Skyhawk II ORANGE");
    EXPECT_EQ(AircraftTitleForPanel(sim.path("Aircraft/C172/Gauges/panel.cfg")), std::nullopt);
    EXPECT_EQ(AircraftTitleForPanel("panel.cfg"), std::nullopt);
}

TEST(AircraftFiles, NewEntryPlacedAfterTheLastFltsim) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    std::optional<std::string> out = AircraftCfgWithNewEntry(kTwoEntries, "Mine", "My Cessna");
    ASSERT_TRUE(out);
    EXPECT_EQ(*out,
              "[fltsim.0]\r\ntitle=Cessna Default\r\nsim=c182\r\npanel=\r\ntexture=\r\n\r\n"
              "[fltsim.1]\r\ntitle=Cessna IFR\r\nsim=c182\r\npanel=IFR\r\n\r\n"
              "[fltsim.2]\r\ntitle=My Cessna\r\nsim=c182\r\npanel=Mine\r\ntexture=\r\n\r\n"
              "[General]\r\natc_type=CESSNA\r\n\r\n[lights]\r\nlight.0=1\r\n");
    EXPECT_TRUE(ui.entries.empty());
}

TEST(AircraftFiles, NewEntryKeepsTheLayoutOfItsTemplate) {
    // [Fltsim.N] spelling, TABs before "=", the entry's old values dropped; the last entry runs to
    // the end of a file without a final line end.
    std::optional<std::string> out = AircraftCfgWithNewEntry(
        "[Fltsim.0]\ntitle\t\t= Jodel\npanel\t\t= old\n[Fltsim.1]\ntitle\t= Jodel 2\npanel\t= ", "New",
        "Jodel New");
    ASSERT_TRUE(out);
    EXPECT_EQ(*out,
              "[Fltsim.0]\ntitle\t\t= Jodel\npanel\t\t= old\n[Fltsim.1]\ntitle\t= Jodel 2\npanel\t= \n"
              "[fltsim.2]\ntitle\t\t= Jodel New\npanel\t\t= New\n");
    // An entry without a panel line gets one.
    out = AircraftCfgWithNewEntry("[fltsim.0]\ntitle=A\nsim=a\n\n[general]\n", "B", "Bee");
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, "[fltsim.0]\ntitle=A\nsim=a\n\n[fltsim.1]\npanel=B\ntitle=Bee\nsim=a\n\n[general]\n");
    // Entries out of order: the new one follows the entry with the number before its own.
    out = AircraftCfgWithNewEntry("[fltsim.0]\ntitle=A\n[fltsim.2]\ntitle=C\n[fltsim.1]\ntitle=B\n[x]\n", "n",
                                  "N");
    ASSERT_TRUE(out);
    EXPECT_EQ(
        *out,
        "[fltsim.0]\ntitle=A\n[fltsim.2]\ntitle=C\n[fltsim.3]\npanel=n\ntitle=N\n[fltsim.1]\ntitle=B\n[x]\n");
    // A gap: the first free number.
    out = AircraftCfgWithNewEntry("[fltsim.0]\ntitle=A\n[fltsim.2]\ntitle=C\n", "n", "N");
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, "[fltsim.0]\ntitle=A\n[fltsim.1]\npanel=n\ntitle=N\n[fltsim.2]\ntitle=C\n");
    // Mixed line ends (found by fuzzing: the panel line was once put inside the header, and the missing
    // header ended the run): the panel line follows the header, ended like it.
    out = AircraftCfgWithNewEntry("[general]\r\n\r\n[FLTSIM.0]\ntitle=A\nsim=a\n", "n", "N");
    ASSERT_TRUE(out);
    EXPECT_EQ(*out, "[general]\r\n\r\n[FLTSIM.0]\ntitle=A\nsim=a\n[fltsim.1]\npanel=n\ntitle=N\nsim=a\n");
}

TEST(AircraftFiles, NewEntryErrors) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    EXPECT_FALSE(AircraftCfgWithNewEntry("[general]\ntitle=A\n[fltsim.1]\ntitle=B\n", "n", "N"));
    EXPECT_FALSE(AircraftCfgWithNewEntry("[fltsim.0]\nsim=A\npanel=\n", "n", "N"));
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Can't find a [fltsim.0] section in the Aircraft.cfg file",
                                        "Can't find the \"title=\" entry in the Aircraft.cfg file"}));
    EXPECT_EQ(ui.entries[0].kind, RecordingMessageUi::Kind::Error);
}

class AddPanel : public ::testing::Test {
  protected:
    void SetUp() override {
        source_ = sim_.path("Aircraft/Source/Panel");
        sim_.write("Aircraft/Source/Panel/Panel.cfg", kSimplePanel);
        sim_.write("Aircraft/Source/Panel/main.bmp", "BM-main");
        sim_.write("Aircraft/Source/Panel/sub/ignored.txt", "sub-folders are not copied");
    }
    SimTree sim_;
    std::string source_;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST_F(AddPanel, LongRealFileGetsItsEntryAndNothingIsCut) {
    std::string original = *ReadFileText(kCorpusAircraft + "10-ai-a320-many-liveries/aircraft.cfg");
    ASSERT_GT(original.size(), 32000u);
    sim_.write("Aircraft/A320/Aircraft.cfg", original);
    std::vector<std::string> progress;
    ASSERT_TRUE(AddPanelToAircraft(sim_.path("Aircraft/A320/Panel/Panel.cfg"), "Copy", "A320 copy", source_,
                                   [&](int done, int total, const std::string& file) {
                                       progress.push_back(std::to_string(done) + "/" + std::to_string(total) +
                                                          " " + file);
                                   }));
    EXPECT_TRUE(ui_.entries.empty());
    std::string updated = sim_.read("Aircraft/A320/Aircraft.cfg");
    size_t at = updated.find("[fltsim.115]\ntitle=A320 copy\n");
    ASSERT_NE(at, std::string::npos);
    // Inserted right before the section that followed [fltsim.114], with the rest unchanged.
    size_t before = original.find("[fltsim.114]");
    size_t next = original.find("\n[", before) + 1;
    EXPECT_EQ(updated.substr(0, at), original.substr(0, next));
    EXPECT_EQ(updated.substr(updated.size() - (original.size() - next)), original.substr(next));
    EXPECT_NE(updated.find("\npanel=Copy\n", at), std::string::npos);
    EXPECT_EQ(sim_.read("Aircraft/A320/Aircraft.cfg.backup"), original);
    EXPECT_EQ(sim_.read("Aircraft/A320/PANEL.Copy/Panel.cfg"), kSimplePanel);
    EXPECT_EQ(sim_.read("Aircraft/A320/PANEL.Copy/main.bmp"), "BM-main");
    EXPECT_FALSE(sim_.exists("Aircraft/A320/PANEL.Copy/sub"));
    EXPECT_EQ(progress, (std::vector<std::string>{"0/2 Panel.cfg", "1/2 main.bmp", "2/2 "}));
    // The new entry is found again.
    EXPECT_EQ(LookUpAircraftTitle(sim_.path("Aircraft/A320/Aircraft.cfg"), "copy"), "A320 copy");
}

TEST_F(AddPanel, IntoAnExistingFolder) {
    sim_.write("Aircraft/C172/Aircraft.cfg", kTwoEntries);
    sim_.write("Aircraft/C172/panel.mine/main.bmp", "old");
    sim_.write("Aircraft/C172/panel.mine/keep.txt", "kept");
    ASSERT_TRUE(AddPanelToAircraft(sim_.path("Aircraft/C172/Panel/Panel.cfg"), "mine", "Mine", source_));
    EXPECT_TRUE(ui_.entries.empty());
    EXPECT_EQ(sim_.read("Aircraft/C172/panel.mine/main.bmp"), "BM-main");
    EXPECT_EQ(sim_.read("Aircraft/C172/panel.mine/keep.txt"), "kept");
    EXPECT_EQ(sim_.read("Aircraft/C172/panel.mine/Panel.cfg"), kSimplePanel);
    // The folder that was there is used: no second one in another letter case.
    const std::vector<std::string> folders = ListDirectory(sim_.path("Aircraft/C172"), true);
    EXPECT_EQ(std::count_if(folders.begin(), folders.end(),
                            [](const std::string& f) { return EqualsNoCase(f, "panel.mine"); }),
              1);
}

TEST_F(AddPanel, Failures) {
    EXPECT_FALSE(AddPanelToAircraft(sim_.path("Aircraft/None/Panel/Panel.cfg"), "n", "N", source_));
    sim_.write("Aircraft/Empty/Aircraft.cfg", "");
    EXPECT_FALSE(AddPanelToAircraft(sim_.path("Aircraft/Empty/Panel/Panel.cfg"), "n", "N", source_));
    // The aircraft.cfg keeps its new entry when the folder can't be made.
    sim_.write("Aircraft/Blocked/Aircraft.cfg", kTwoEntries);
    sim_.write("Aircraft/Blocked/PANEL.n", "a file in the way");
    EXPECT_FALSE(AddPanelToAircraft(sim_.path("Aircraft/Blocked/Panel/Panel.cfg"), "n", "N", source_));
    EXPECT_NE(sim_.read("Aircraft/Blocked/Aircraft.cfg").find("[fltsim.2]"), std::string::npos);
    EXPECT_EQ(
        ui_.texts(),
        (std::vector<std::string>{
            "The Aircraft config file: \"" + sim_.path("Aircraft/None/Aircraft.cfg") + "\", does not exist!",
            "Error reading Aircraft.cfg file", "Couldn't create directory for new Panel"}));
}

// A simulator folder with the C172 of the corpus and its panel.
class OpenAircraft : public ::testing::Test {
  protected:
    void SetUp() override {
        sim_.copy(kCorpusAircraft + "02-c172ii-p3d/aircraft.cfg", "Aircraft/C172/Aircraft.cfg");
        sim_.write("Aircraft/C172/Panel/Panel.cfg", kSimplePanel);
    }
    SimTree sim_;
    Settings settings_;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST_F(OpenAircraft, OpenMode) {
    sim_.write("Aircraft/Bare/Panel/Panel.cfg", kSimplePanel);
    settings_.SetFS98Dir(sim_.root());
    settings_.SetMode(kModeFS98);
    OpenAircraftChooser c(settings_, OpenAircraftChooser::Mode::Open);
    EXPECT_EQ(c.Caption(), "Select an Aircraft's Panel to Open");
    EXPECT_EQ(c.TopLine(), "FS98 mode, Directory is \"" + JoinPath(sim_.root(), "Aircraft") + "\"");
    EXPECT_FALSE(c.NewPanelFieldsShown());
    EXPECT_TRUE(c.InstalledPanelsEnabled());
    ASSERT_EQ(c.AircraftList(), (std::vector<std::string>{"Bare", "C172"}));

    EXPECT_FALSE(c.Ok());
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"Please select an Aircraft"});

    c.SelectAircraft(1);
    EXPECT_EQ(c.Title(), "C172N Skyhawk II");
    EXPECT_EQ(settings_.LastTitle(), "C172N Skyhawk II");
    EXPECT_EQ(c.InstalledPanels(), (std::vector<std::string>{"Panel", "Panel.1"}));
    EXPECT_EQ(c.SelectedPanel(), 0);
    c.SelectPanel(1);
    EXPECT_EQ(c.Title(), "C172N Skyhawk II ORANGE");
    ASSERT_TRUE(c.Ok());
    EXPECT_EQ(c.ChosenPath(),
              JoinPath(JoinPath(JoinPath(sim_.path("Aircraft"), "C172"), "Panel.1"), "Panel.cfg"));

    // An aircraft without an aircraft.cfg: no title, no panels, the default panel chosen.
    c.SelectAircraft(0);
    EXPECT_EQ(c.Title(), "");
    EXPECT_TRUE(c.InstalledPanels().empty());
    ASSERT_TRUE(c.Ok());
    EXPECT_EQ(c.ChosenPath(),
              JoinPath(JoinPath(JoinPath(sim_.path("Aircraft"), "Bare"), "Panel"), "Panel.cfg"));
}

TEST_F(OpenAircraft, AddModeChecks) {
    settings_.SetCFS2Dir(sim_.root());
    settings_.SetMode(kModeCFS2);
    OpenAircraftChooser c(settings_, OpenAircraftChooser::Mode::AddPanel);
    EXPECT_EQ(c.Caption(), "Select an Aircraft to add a Panel to");
    EXPECT_EQ(c.TopLine().rfind("CFS2 mode, Directory is \"", 0), 0u);
    EXPECT_TRUE(c.NewPanelFieldsShown());
    EXPECT_FALSE(c.InstalledPanelsEnabled());
    c.SelectAircraft(0);
    EXPECT_EQ(c.SelectedPanel(), -1);

    struct Step {
        std::string name, title, message, nameAfter;
    };
    const std::vector<Step> steps = {
        {"new", "", "Please enter a Title for the new panel", "new"},
        {"", "Title", "Please enter a name for the new panel", ""},
        {"1", "Title", "Please enter a unique name for the new panel", ""},
        {"a/b", "Title", "The name of the new panel becomes a folder name: it can't hold \\ / : * ? \" < > |",
         "a/b"},
    };
    for (const auto& s : steps) {
        ui_.entries.clear();
        c.newPanelName = s.name;
        c.newPanelTitle = s.title;
        EXPECT_FALSE(c.Ok()) << s.name;
        EXPECT_EQ(ui_.texts(), std::vector<std::string>{s.message});
        EXPECT_EQ(c.newPanelName, s.nameAfter);
    }
    c.newPanelName = "IFR";
    c.newPanelTitle = "C172 IFR";
    ASSERT_TRUE(c.Ok());
    EXPECT_EQ(c.PanelName(), "IFR");
    EXPECT_EQ(c.PanelTitle(), "C172 IFR");
}

TEST_F(OpenAircraft, EmptyListingSaysWhy) {
    settings_.SetFS2000Dir(sim_.root());
    EXPECT_EQ(OpenAircraftChooser(settings_, OpenAircraftChooser::Mode::Open).ListingProblem(), std::nullopt);

    const std::string missing = JoinPath(sim_.path("gone"), "Aircraft");
    settings_.SetFS2000Dir(sim_.path("gone"));
    EXPECT_EQ(
        OpenAircraftChooser(settings_, OpenAircraftChooser::Mode::Open).ListingProblem(),
        "The folder \"" + missing +
            "\" does not exist or can't be read.\n\nChoose the simulator and its folder with Options > FS "
            "Mode and Root Directory.");

    // Aircraft folders, but none with a panel of its own.
    SimTree bare;
    bare.write("Aircraft/NoPanel/Aircraft.cfg", kTwoEntries);
    settings_.SetFS2000Dir(bare.root());
    EXPECT_EQ(OpenAircraftChooser(settings_, OpenAircraftChooser::Mode::AddPanel).ListingProblem(),
              "There is no aircraft with a panel in \"" + bare.path("Aircraft") + "\".");
}

// Adding a panel with each file step failing in turn (the backup, the rewrite, the folder, each file
// copied into it): the aircraft.cfg is the old text or the whole new one, the backup is whole or not
// there, every copied file is whole or not there, no temporary is left and the failure is shown once.
TEST_F(AddPanel, EveryFailingStepIsShownAndLeavesNoPartialFile) {
    const std::string cfg = sim_.path("Aircraft/C172/Aircraft.cfg");
    const std::string folder = sim_.path("Aircraft/C172/PANEL.mine");
    std::string updated;
    auto prepare = [&] {
        std::filesystem::remove_all(folder);
        std::filesystem::remove(cfg + ".backup");
        sim_.write("Aircraft/C172/Aircraft.cfg", kTwoEntries);
        ui_.entries.clear();
    };
    auto attempt = [&] {
        const bool ok =
            AddPanelToAircraft(sim_.path("Aircraft/C172/Panel/Panel.cfg"), "mine", "Mine", source_);
        if (updated.empty()) updated = SimTree::ReadFile(cfg);
        return ok;
    };
    const auto steps = testing::WalkFileFaults(prepare, attempt, [&](int, FileStep, bool) {
        const std::string now = SimTree::ReadFile(cfg);
        EXPECT_TRUE(now == kTwoEntries || now == updated);
        if (std::filesystem::exists(cfg + ".backup")) {
            EXPECT_EQ(SimTree::ReadFile(cfg + ".backup"), kTwoEntries);
        }
        for (const char* f : {"Panel.cfg", "main.bmp"}) {
            const std::string copied = folder + "/" + f;
            if (std::filesystem::exists(copied)) {
                EXPECT_EQ(SimTree::ReadFile(copied), SimTree::ReadFile(source_ + "/" + f));
            }
        }
        EXPECT_EQ(ui_.entries.size(), 1u) << (ui_.entries.empty() ? "" : ui_.entries[0].text);
        EXPECT_TRUE(testing::LeftoverTemporaries(sim_.root()).empty());
    });
    EXPECT_EQ(steps.size(), 20u);
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "mkdir"), 1);
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "copy"), 3);
    EXPECT_NE(updated, kTwoEntries);
}

}  // namespace
}  // namespace brindle
