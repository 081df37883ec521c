// brindle-cli check, export and aircraft, run as a program on a small simulator folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_run.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using brindle::testing::Cli;
using brindle::testing::CliRun;
using brindle::testing::Quote;

const char* kPanel =
    "[Window Titles]\r\nWindow00=Main\r\nWindow01=Radio\r\n\r\n"
    "[Window00]\r\nfile=main.bmp\r\nsize_mm=1024\r\nident=MAIN\r\n\r\n"
    "gauge00=Cessna!Airspeed, 10,20,5,100\r\ngauge01=Custom!Clock, 10,20,0\r\n\r\n"
    "[Window01]\r\nsize_mm=400\r\nident=main\r\n\r\ngauge00=Custom!Radio, 10,20,100\r\n\r\n";

class DocumentCli : public ::testing::Test {
  protected:
    void SetUp() override {
        sim_ = fs::temp_directory_path() /
               ("brindle-doc-cli-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(sim_);
        write("Aircraft/C172/Panel/Panel.cfg", kPanel);
        write("Aircraft/C172/Panel/main.bmp", "BM-main");
        std::ifstream in(std::string(BRINDLE_CORPUS_DIR) + "/aircraft/02-c172ii-p3d/aircraft.cfg",
                         std::ios::binary);
        write("Aircraft/C172/Aircraft.cfg",
              std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
        write("Aircraft/Shared/Panel/Panel.cfg", "[fltsim]\r\nalias=C172/panel\r\n");
        write("gauges/Cessna.gau", "cessna");
        write("gauges/Custom.gau", "custom");
        panel_ = sim_ / "Aircraft/C172/Panel/Panel.cfg";
    }
    void TearDown() override { fs::remove_all(sim_); }
    void write(const std::string& rel, const std::string& bytes) const {
        fs::create_directories((sim_ / rel).parent_path());
        std::ofstream(sim_ / rel, std::ios::binary) << bytes;
    }
    std::string read(const std::string& rel) const {
        std::ifstream in(sim_ / rel, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    fs::path sim_, panel_;
};

TEST_F(DocumentCli, CheckPrintsTheReport) {
    CliRun r = Cli("check " + Quote(panel_.string()));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out.find('\r'), std::string::npos);
    EXPECT_EQ(r.out.rfind("Scanning config file\n\n****    Error: Window 0 and Window 1 have identical", 0),
              0u);
    EXPECT_NE(r.out.find("\n\nScan Complete, 2 Errors, 1 Warnings\n"), std::string::npos);
    EXPECT_NE(r.out.find("    Scanning Gauge 01, \"Custom!Clock\"\n"), std::string::npos);

    EXPECT_EQ(Cli("check " + Quote((sim_ / "none.cfg").string())).status, 1);
    EXPECT_EQ(Cli("check " + Quote(panel_.string()) + " --mode fs2004").status, 2);
}

TEST_F(DocumentCli, ExportWithAndWithoutStockGauges) {
    CliRun r = Cli("export " + Quote(panel_.string()) + " " + Quote((sim_ / "out").string()));
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_EQ(read("out/Panel/Panel.cfg"), kPanel);
    EXPECT_EQ(read("out/Panel/main.bmp"), "BM-main");
    EXPECT_EQ(read("out/Gauges/Custom.gau"), "custom");
    EXPECT_FALSE(fs::exists(sim_ / "out/Gauges/Cessna.gau"));
    EXPECT_NE(r.out.find("3 files copied, 0 failed"), std::string::npos);

    r = Cli("export " + Quote(panel_.string()) + " " + Quote((sim_ / "out").string()) +
            " --include-stock --sim-dir " + Quote(sim_.string()));
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(read("out/Gauges/Cessna.gau"), "cessna");

    EXPECT_EQ(Cli("export " + Quote(panel_.string()) + " " + Quote((sim_ / "a/b/c").string())).status, 1);
    fs::remove(sim_ / "gauges/Custom.gau");
    EXPECT_EQ(Cli("export " + Quote(panel_.string()) + " " + Quote((sim_ / "out").string())).status, 1);
}

TEST_F(DocumentCli, AircraftListAndAddPanel) {
    CliRun r = Cli("aircraft list --sim-dir " + Quote(sim_.string()));
    ASSERT_EQ(r.status, 0);
    json j = json::parse(r.out);
    ASSERT_EQ(j["aircraft"].size(), 1u);  // the aliased one is left out
    EXPECT_EQ(j["aircraft"][0]["folder"], "C172");
    EXPECT_EQ(j["aircraft"][0]["title"], "C172N Skyhawk II");
    EXPECT_EQ(j["aircraft"][0]["panels"][1]["folder"], "Panel.1");
    EXPECT_EQ(j["aircraft"][0]["panels"][1]["title"], "C172N Skyhawk II ORANGE");

    std::string add = "aircraft add-panel " + Quote(panel_.string()) + " --sim-dir " + Quote(sim_.string()) +
                      " --aircraft c172";
    EXPECT_EQ(Cli(add + " --name 1 --title T").status, 1);      // already installed
    EXPECT_EQ(Cli(add + " --name 'a/b' --title T").status, 1);  // not a folder name
    EXPECT_EQ(Cli("aircraft add-panel " + Quote(panel_.string()) + " --sim-dir " + Quote(sim_.string()) +
                  " --aircraft Shared --name x --title T")
                  .status,
              1);
    r = Cli(add + " --name IFR --title 'C172 IFR'");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(read("Aircraft/C172/PANEL.IFR/main.bmp"), "BM-main");
    EXPECT_NE(read("Aircraft/C172/Aircraft.cfg").find("[fltsim.7]\ntitle=C172 IFR\n"), std::string::npos);

    j = json::parse(Cli("aircraft list --sim-dir " + Quote(sim_.string())).out);
    EXPECT_EQ(j["aircraft"][0]["panels"].size(), 3u);
    EXPECT_EQ(j["aircraft"][0]["panels"][2]["title"], "C172 IFR");
}

}  // namespace
