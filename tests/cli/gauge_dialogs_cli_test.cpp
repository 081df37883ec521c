// brindle-cli gauge-files, add-gauge and gauge-props: the Add Gauge and Gauge Properties dialogs
// driven from the command line on a copy of the sample simulator folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "cli_run.h"

namespace {

namespace fs = std::filesystem;
using brindle::testing::Cli;
using brindle::testing::CliWithStderr;
using brindle::testing::Quote;
using nlohmann::json;

class GaugeDialogsCli : public ::testing::Test {
  protected:
    void SetUp() override {
        sim_ = fs::path(::testing::TempDir()) /
               ("gauge_dialogs_cli_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(sim_);
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", sim_, fs::copy_options::recursive);
        panelDir_ = sim_ / "Aircraft" / "Demo" / "Panel";
        panel_ = (panelDir_ / "panel.cfg").string();
        err_ = (sim_ / "stderr.txt").string();
    }
    void TearDown() override { fs::remove_all(sim_); }

    std::string Text(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    int Backups() {
        int n = 0;
        for (const auto& e : fs::directory_iterator(panelDir_))
            n += e.path().filename().string().find("_backup") != std::string::npos;
        return n;
    }

    fs::path sim_, panelDir_;
    std::string panel_, err_;
};

TEST_F(GaugeDialogsCli, GaugeFilesShowsTheDialogAfterEachStep) {
    struct Case {
        std::string args;
        int status;
        json expect;  // fields of the output that must match
    };
    const Case cases[] = {
        {"--family fs98",
         0,
         {{"entries", {"[Broken]", "[Combat]", "FS98_Clock.gau", "FS98_Compass.gau"}},
          {"filter", "FS98 Gauge Files (.gau)"},
          {"fileCountText", "Gauge Files   (4 Files)"}}},
        {"--pattern 'demo*' --file Demo_Cessna.gau",
         0,
         {{"entries", {"Demo_Cessna.gau"}},
          {"gaugeListEnabled", true},
          {"gaugeCountText", "Gauges in File   (7 Gauges)"},
          {"family", "FS2000"},
          {"reference", ""},
          {"preview", nullptr}}},
        {"--dir Combat --file cfs_gunsight.gau --gauge Ammo --slot 2",
         0,
         {{"entries", {"..", "CFS_Gunsight.gau"}},
          {"reference", "Combat\\CFS_Gunsight!Ammo"},
          {"preview",
           {{"slot", 1},
            {"resourceId", 15},
            {"width", 16},
            {"height", 120},
            {"bytes", 1920},
            {"type", "TYPE_MOVING_IMAGE"}}}}},
        {"--file FS98_Compass.gau",
         0,
         {{"gauges", {"Compass"}},
          {"gaugeListEnabled", false},
          {"reference", "FS98_Compass"},
          {"family", "FS98"}}},
        {"--dir 'Broken\\..\\Broken' --file NotADll.gau",
         0,
         {{"error", "Can't load Gauge file"}, {"reference", ""}, {"preview", nullptr}}},
        {"--mode fs98 --file Demo_Cessna.gau --gauge 'NOT FS98 COMPATIBLE!'",
         0,
         {{"gauges", {"NOT FS98 COMPATIBLE!"}}, {"reference", ""}}},
        {"--dir Nowhere", 1, nullptr},
        {"--file Missing.gau", 1, nullptr},
        {"--file Demo_Cessna.gau --gauge Nothing", 1, nullptr},
        {"--family fs3000", 2, nullptr},
        {"--mode fs3000", 2, nullptr},
    };
    for (const Case& c : cases) {
        auto r = Cli("gauge-files --sim-dir " + Quote(sim_.string()) + " " + c.args);
        ASSERT_EQ(r.status, c.status) << c.args;
        if (c.status != 0) continue;
        json j = json::parse(r.out);
        for (const auto& [key, value] : c.expect.items()) EXPECT_EQ(j[key], value) << c.args << " " << key;
    }
    EXPECT_EQ(Cli("gauge-files").status, 2);  // --sim-dir is required
}

TEST_F(GaugeDialogsCli, AddGaugeSavesInPlaceWithABackupOrRefusesWithTheEditorsMessage) {
    const std::string before = Text(panel_);
    auto r =
        Cli("add-gauge " + Quote(panel_) + " --window 1 --gauge 'Combat\\CFS_Gunsight!Gunsight' --at 10,20");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "gauge05=Combat\\CFS_Gunsight!Gunsight, 10, 20\n");
    EXPECT_NE(Text(panel_).find("gauge05=Combat\\CFS_Gunsight!Gunsight,  10,20,80"), std::string::npos);
    EXPECT_EQ(Text(panelDir_ / "panel_backup001.cfg"), before);

    // Without --at: the window's centre. With -o: the panel is left alone.
    const std::string out = (sim_ / "out.cfg").string();
    ASSERT_EQ(
        Cli("add-gauge " + Quote(panel_) + " --window 1 --gauge CFS2_Radar!Radar -o " + Quote(out)).status,
        0);
    EXPECT_NE(Text(out).find("gauge06=CFS2_Radar!Radar,  160,60,100"), std::string::npos);
    EXPECT_EQ(Backups(), 1);

    // FS98 allows one instance of a gauge: the message, exit 1, nothing written.
    const std::string saved = Text(panel_);
    auto dup =
        CliWithStderr("add-gauge " + Quote(panel_) + " --mode fs98 --window 0 --gauge fs98_compass", err_);
    EXPECT_EQ(dup.status, 1);
    EXPECT_NE(dup.err.find("You cannot have more than one instance of any gauge on a panel in FS98.\nGauge "
                           "'fs98_compass' already exists on this panel.\n"),
              std::string::npos);
    EXPECT_EQ(Text(panel_), saved);
    EXPECT_EQ(Backups(), 1);
    EXPECT_EQ(Cli("add-gauge " + Quote(panel_) + " --window 7 --gauge X").status, 1);
    EXPECT_EQ(Cli("add-gauge " + Quote(panel_) + " --window 0 --gauge X --at 10").status, 2);
}

TEST_F(GaugeDialogsCli, GaugePropsAppliesTheFieldsAsTypedThenSaves) {
    const std::string before = Text(panel_);
    const std::string props = "gauge-props " + Quote(panel_) + " --window 1 ";
    auto bad = CliWithStderr(props + "--gauge 0 --size-x 0 --x 5", err_);
    EXPECT_EQ(bad.status, 1);
    EXPECT_TRUE(bad.err.ends_with("\nThe \"Size X\" field is invalid\n")) << bad.err;
    EXPECT_EQ(Text(panel_), before);
    EXPECT_EQ(Backups(), 0);

    auto ok = Cli(props + "--gauge 0 --size-x 70 --size-y 35 --x -20 --param p1");
    ASSERT_EQ(ok.status, 0);
    json j = json::parse(ok.out);
    EXPECT_EQ(j["fileName"], "CFS2_Radar.GAU");
    EXPECT_EQ(j["x"], "-20");
    EXPECT_EQ(j["sizeY"], "35");
    EXPECT_NE(Text(panel_).find("gauge00=CFS2_Radar!Fuel,  -20,70,70,35,p1"), std::string::npos);
    EXPECT_EQ(Backups(), 1);

    // An empty Size Y gives the gauge its bitmap's aspect again (60 x 20 at 70 wide); Delete Gauge on
    // the last one shows the one before it.
    auto aspect = Cli(props + "--gauge 0 --size-y '' --no-backup");
    ASSERT_EQ(aspect.status, 0);
    EXPECT_EQ(json::parse(aspect.out)["sizeY"], "");
    EXPECT_NE(Text(panel_).find("gauge00=CFS2_Radar!Fuel,  -20,70,70,23,p1\r\n"), std::string::npos);
    auto del = Cli(props + "--gauge 4 --delete --no-backup");
    ASSERT_EQ(del.status, 0);
    EXPECT_EQ(json::parse(del.out)["fileName"], "Missing_Module.GAU");
    EXPECT_EQ(Text(panel_).find("Broken\\Strings"), std::string::npos);
    EXPECT_EQ(Backups(), 1);
    EXPECT_EQ(Cli(props + "--gauge 9").status, 1);
}

}  // namespace
