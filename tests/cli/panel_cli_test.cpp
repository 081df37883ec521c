// brindle-cli dump and rewrite, run as a program.
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

const std::string kSample = std::string(BRINDLE_TEST_DATA_DIR) + "/panel/sample.cfg";

class PanelCli : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("brindle-panel-cli-" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string file(const std::string& name) const { return (dir_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::ofstream(file(name), std::ios::binary) << bytes;
        return file(name);
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    fs::path dir_;
};

TEST_F(PanelCli, DumpPrintsThePanelAndTheMessagesInOrder) {
    CliRun r = Cli("dump " + Quote(kSample));
    ASSERT_EQ(r.status, 0) << r.out;
    json j = json::parse(r.out);
    EXPECT_EQ(j["loadFailed"], false);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["kind"], "error");
    EXPECT_EQ(j["messages"][0]["text"],
              "An error in the gauge numbering sequence was found with Gauge02 in Window 0.\n\nI'll try to "
              "fix this");
    const json& p = j["panel"];
    EXPECT_EQ(p["windowCount"], 3);
    EXPECT_EQ(p["vcockpitCount"], 1);
    EXPECT_EQ(p["headerComments"], "Kept comment line\r\n");
    const json& main = p["windows"][0];
    EXPECT_EQ(main["kind"], "window");
    EXPECT_EQ(main["title"], "Main Panel");
    EXPECT_EQ(main["file"], "main.bmp");
    EXPECT_EQ(main["file1024"], nullptr);
    EXPECT_EQ(main["sizeMmPresent"], true);
    EXPECT_EQ(main["sizeMmYPresent"], true);
    EXPECT_EQ(main["gaugeCount"], 3);
    EXPECT_EQ(main["gauges"][0]["height"], 0);
    EXPECT_EQ(main["gauges"][0]["heightPresent"], false);
    EXPECT_EQ(main["gauges"][2]["name"], "Cessna!Clock");
    EXPECT_EQ(main["gauges"][2]["comment"], ";the clock");
    EXPECT_EQ(main["backgroundColor"], json({{"r", 255}, {"g", 255}, {"b", 255}}));
    // Windows-1252 text arrives as UTF-8.
    EXPECT_EQ(p["windows"][1]["title"], "Caf\xC3\xA9 Radio");
    EXPECT_EQ(p["windows"][1]["sizeMmYPresent"], false);
    EXPECT_EQ(p["windows"][2]["kind"], "fixed");
    EXPECT_EQ(p["windows"][2]["fixedNumber"], 3);
    EXPECT_EQ(p["windows"][3]["kind"], "vcockpit");
    EXPECT_EQ(p["windows"][3]["texture"], "$VC01");
    EXPECT_EQ(p["windows"][3]["windowPosPresent"], false);
    EXPECT_EQ(p["colorCount"], 2);
    EXPECT_EQ(p["colors"][1], json({{"r", 0}, {"g", 255}, {"b", 0}}));
    EXPECT_EQ(p["forwardWindowsList"], "3,MAIN_PANEL");
    EXPECT_EQ(p["views"][0]["index"], 3);
    EXPECT_EQ(p["views"][1]["zoom"], 99999.0);
    EXPECT_EQ(p["views"][1]["dirPresent"], false);
    EXPECT_EQ(p["defaultView"], json({{"x", 0}, {"y", 0}, {"sizeX", 8191}, {"sizeY", 3000}}));
    EXPECT_EQ(p["strings"][0], json({{"name", "Title"}, {"value", "Sample"}}));
    EXPECT_EQ(p["strings"][1], json({{"name", nullptr}, {"value", nullptr}}));
    EXPECT_EQ(p["epicInfoText"], "[EpicInfo]\nkey=1\n");
    EXPECT_EQ(p["paletteFile"], nullptr);
}

TEST_F(PanelCli, DumpModesAndTheTextCheckAnswer) {
    std::string binary = write("binary.cfg", std::string("\x01\x02\xFF") + read(kSample));
    CliRun no = Cli("dump " + Quote(binary));
    EXPECT_EQ(no.status, 1);
    json j = json::parse(no.out);
    EXPECT_EQ(j["loadFailed"], true);
    ASSERT_EQ(j["messages"].size(), 1u);
    EXPECT_EQ(j["messages"][0]["kind"], "question");
    EXPECT_EQ(j["panel"]["windows"].size(), 0u);

    CliRun yes = Cli("dump --answer yes --mode cfs2 " + Quote(binary));
    EXPECT_EQ(yes.status, 0);
    j = json::parse(yes.out);
    EXPECT_EQ(j["loadFailed"], false);
    EXPECT_EQ(j["panel"]["windowCount"], 3);
    EXPECT_EQ(j["panel"]["colorCount"], 0);  // CFS2 reads a palette name, not colour entries

    CliRun missing = Cli("dump " + Quote(file("missing.cfg")));
    EXPECT_EQ(missing.status, 1);
    j = json::parse(missing.out);
    EXPECT_EQ(j["messages"][0]["text"], "Can't access file: " + file("missing.cfg"));
}

TEST_F(PanelCli, RewriteWritesTheEditorsFormAndKeepsBackups) {
    std::string out = write("panel.cfg", "old");
    CliRun r = Cli("rewrite --backup " + Quote(kSample) + " " + Quote(out), "SOURCE_DATE_EPOCH=0");
    ASSERT_EQ(r.status, 0);
    EXPECT_EQ(read(file("panel_backup001.cfg")), "old");
    std::string text = read(out);
    EXPECT_EQ(text.substr(0, 103),
              "// This Panel.cfg file created by Brindle\r\n"
              "// Built Thursday, January 01, 1970 at 00:00 Build:16518\r\n\r\n");
    EXPECT_NE(text.find("gauge02=Cessna!Clock,  230,20,64\t;the clock\r\n"), std::string::npos);

    // Reading the output again gives the same panel and the same bytes.
    std::string again = file("again.cfg");
    ASSERT_EQ(Cli("rewrite " + Quote(out) + " " + Quote(again), "SOURCE_DATE_EPOCH=0").status, 0);
    EXPECT_EQ(read(again), text);
    json a = json::parse(Cli("dump " + Quote(out)).out)["panel"];
    json b = json::parse(Cli("dump " + Quote(again)).out)["panel"];
    EXPECT_EQ(a, b);

    // FS98 writes short gauge lines and one size_mm number.
    std::string fs98 = file("fs98.cfg");
    ASSERT_EQ(Cli("rewrite --mode fs98 " + Quote(kSample) + " " + Quote(fs98)).status, 0);
    EXPECT_NE(read(fs98).find("size_mm=1024\r\n"), std::string::npos);
}

TEST_F(PanelCli, FailuresAndBadUsage) {
    EXPECT_EQ(Cli("rewrite " + Quote(file("missing.cfg")) + " " + Quote(file("out.cfg"))).status, 1);
    EXPECT_FALSE(fs::exists(file("out.cfg")));
    EXPECT_EQ(Cli("rewrite " + Quote(kSample) + " " + Quote(file("no/such/folder/out.cfg"))).status, 1);
    EXPECT_EQ(Cli("dump").status, 2);
    EXPECT_EQ(Cli("dump --mode fs2002 " + Quote(kSample)).status, 2);
    EXPECT_EQ(Cli("dump --answer maybe " + Quote(kSample)).status, 2);
    EXPECT_EQ(Cli("rewrite " + Quote(kSample)).status, 2);
}

}  // namespace
