// brindle-cli settings on a settings file as the editor keeps it with --settings FILE.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>

#include "cli_run.h"
#include "platform/paths.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;
using testing::Cli;
using testing::Quote;

class SettingsCli : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("brindle-settings-cli-" + std::to_string(::getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "cfs");
        // Written by the editor: other groups, escaped keys and backslashes, what the last run left.
        std::ofstream(File())
            << "[Brindle]\nFS98Dir=C:\\\\fs98\nGauge\\ Draw\\ Types=3\nLastFileRead=/p/panel.cfg\n"
               "LastZoom=250\nMode=0\n[RecentFiles]\nfile1=/p/panel.cfg\n";
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string File() const { return (dir_ / "settings.ini").string(); }
    testing::CliRun Run(const std::string& args) {
        return Cli("settings --settings " + Quote(File()) + " " + args,
                   "WINEPREFIX=" + Quote((dir_ / "np").string()));
    }
    fs::path dir_;
};

TEST_F(SettingsCli, ModeAndPreferencesGoIntoTheFileAndTheRestStays) {
    testing::CliRun r =
        Run("--mode cfs --cfs-dir " + Quote((dir_ / "cfs").string()) +
            " --high-res 0 --gauge-elements icons,sliders --paint-program '/usr/bin/my paint'");
    ASSERT_EQ(r.status, 0) << r.out;
    nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["mode"], "CFS");
    EXPECT_EQ(j["CFSDir"], (dir_ / "cfs").string());
    EXPECT_EQ(j["FS98Dir"], "C:\\fs98");
    EXPECT_EQ(j["HighRes"], 0);
    EXPECT_EQ(j["GaugeDrawTypes"], 24);
    const std::string text = *ReadFileText(File());
    for (const char* line : {"Mode=2\n", "HighRes=0\n", "Gauge\\ Draw\\ Types=24\n", "FS98Dir=C:\\\\fs98\n",
                             "PaintProgram=/usr/bin/my paint\n", "LastFileRead=/p/panel.cfg\n",
                             "LastZoom=250\n", "[RecentFiles]\nfile1=/p/panel.cfg\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;

    // Defaults puts the three element types back.
    ASSERT_EQ(Run("--gauge-elements defaults").status, 0);
    EXPECT_NE(ReadFileText(File())->find("Gauge\\ Draw\\ Types=25\n"), std::string::npos);
}

TEST_F(SettingsCli, AFolderThatIsNotThereIsRefusedUnlessKept) {
    const std::string before = *ReadFileText(File());
    const std::string missing = Quote((dir_ / "missing").string());
    EXPECT_EQ(Run("--mode fs98 --fs98-dir " + missing).status, 1);
    EXPECT_EQ(ReadFileText(File()), before);
    EXPECT_EQ(Run("--mode fs98 --fs98-dir " + missing + " --yes").status, 0);
    // The file keeps backslashes escaped, as FS98Dir of the fixture shows.
    std::string stored = (dir_ / "missing").string();
    for (std::size_t at = 0; (at = stored.find('\\', at)) != std::string::npos; at += 2)
        stored.insert(at, 1, '\\');
    EXPECT_NE(ReadFileText(File())->find("FS98Dir=" + stored + "\n"), std::string::npos);
    EXPECT_EQ(Run("--mode fs3000").status, 2);
    EXPECT_EQ(Run("--gauge-elements needles").status, 2);
}

}  // namespace
}  // namespace brindle
