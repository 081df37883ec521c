// brindle-cli gauges and load on the committed sample modules and the demo panel.
#include <gtest/gtest.h>

#include <filesystem>
#include <nlohmann/json.hpp>
#include <string>

#include "cli_run.h"
#include "view/bitmap.h"

namespace {

namespace fs = std::filesystem;
using nlohmann::json;

using brindle::testing::Cli;
using brindle::testing::CliRun;

const std::string kSim = std::string(BRINDLE_SAMPLES_DIR) + "/FS2000";
const std::string kGauges = kSim + "/gauges";
const std::string kPanel = kSim + "/Aircraft/Demo/Panel/panel.cfg";

TEST(GaugesCli, PrintsHeadersAndChainsAndExtracts) {
    fs::path dir = fs::temp_directory_path() / "brindle-gauges-cli-extract";
    fs::remove_all(dir);
    CliRun r = Cli("gauges '" + kGauges + "/Demo_Cessna.gau' --high-res --extract '" + dir.string() + "'");
    ASSERT_EQ(r.status, 0) << r.out;
    json j = json::parse(r.out);
    EXPECT_EQ(j["firstVersion"], 700);
    ASSERT_EQ(j["gauges"].size(), 7u);
    const json& airspeed = j["gauges"][0];
    EXPECT_EQ(airspeed["name"], "Airspeed");
    EXPECT_EQ(airspeed["designWidth"], 96);
    ASSERT_EQ(airspeed["elements"].size(), 3u);  // as stored: the string too
    EXPECT_EQ(airspeed["elements"][1]["type"], 2);
    EXPECT_EQ(airspeed["elements"][2], json({{"type", 1},
                                             {"resourceId", 2},
                                             {"x", 48},
                                             {"y", 48},
                                             {"offsetX", 4},
                                             {"offsetY", 40},
                                             {"transparent", true}}));
    EXPECT_EQ(j["gauges"][6]["elements"].size(), 31u);
    // Every bitmap the chains name, plus the high-resolution ones, as 24-bit files.
    EXPECT_EQ(j["extracted"].size(), 16u);
    auto img = brindle::LoadBmpImage((dir / "501.bmp").string());
    ASSERT_TRUE(img);
    EXPECT_EQ(img->Width(), 192);
    EXPECT_EQ(fs::file_size(dir / "501.bmp"), 54u + 192u * 192u * 3u);
    fs::remove_all(dir);

    CliRun loop = Cli("gauges '" + kGauges + "/Broken/Strings.gau'");
    ASSERT_EQ(loop.status, 0);
    EXPECT_EQ(json::parse(loop.out)["gauges"][1]["elements"].size(), 256u);  // the looping chain is cut off

    EXPECT_EQ(Cli("gauges '" + kGauges + "/Broken/NotADll.gau'").status, 1);
    EXPECT_EQ(Cli("gauges '" + kGauges + "/Demo_Cessna.gau' --mode FS3000").status, 2);
    json fs98 = json::parse(Cli("gauges '" + kGauges + "/Demo_Cessna.gau' --mode FS98").out);
    EXPECT_EQ(fs98["list"]["names"], json::array({"NOT FS98 COMPATIBLE!"}));
}

TEST(GaugesCli, LoadsTheDemoPanelWindows) {
    CliRun r = Cli("load '" + kPanel + "' --window 0 --high-res");
    ASSERT_EQ(r.status, 0) << r.out;
    json j = json::parse(r.out);
    EXPECT_TRUE(j["messages"].empty()) << j["messages"];
    ASSERT_EQ(j["gauges"].size(), 9u);
    for (const auto& g : j["gauges"]) {
        EXPECT_TRUE(g["loaded"]) << g["name"];
        EXPECT_EQ(g["loadStatus"], 0) << g["name"];
    }
    const json& radar = j["gauges"][4];
    EXPECT_EQ(radar["name"], "CFS2_Radar!Radar");
    EXPECT_EQ(radar["width"], 100.0);  // the design width: the line gives none
    EXPECT_EQ(radar["xScale"], 0.5);   // 100 units over the 200-pixel high-resolution face
    EXPECT_EQ(radar["version"], 750);
    EXPECT_EQ(radar["slots"][0]["resourceId"], 517);
    EXPECT_EQ(radar["slots"][0]["bitmapWidth"], 200);

    json second = json::parse(Cli("load '" + kPanel + "' --window 1 --sim-dir '" + kSim + "'").out);
    ASSERT_EQ(second["gauges"].size(), 5u);
    EXPECT_EQ(second["gauges"][3]["loadStatus"], 1);
    EXPECT_EQ(second["gauges"][4]["loadStatus"], 5);
    ASSERT_EQ(second["messages"].size(), 2u);
    EXPECT_EQ(second["messages"][0]["kind"], "optout");

    EXPECT_EQ(Cli("load '" + kPanel + "' --window 7").status, 1);
}

}  // namespace
