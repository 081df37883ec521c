#include "gauges/export.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <set>

#include "../platform/fault_walk.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;

TEST(StockGauges, TableAndNames) {
    std::set<std::string> upper;
    for (const char* n : kStockGaugeNames) upper.insert(ToUpperAscii(n));
    EXPECT_EQ(upper.size(), 212u);
    EXPECT_TRUE(IsStockGauge("Cessna.gau"));
    EXPECT_TRUE(IsStockGauge("CESSNA.GAU"));
    EXPECT_TRUE(IsStockGauge("hud.GAU"));
    EXPECT_TRUE(IsStockGauge("P38F_LIGHTNING.gau"));
    EXPECT_TRUE(IsStockGauge("737-400.WARNING_ENUNCIATORS.34.GAU"));
    EXPECT_FALSE(IsStockGauge("Mine\\Cessna.gau"));
    EXPECT_FALSE(IsStockGauge("Cessna"));
    EXPECT_FALSE(IsStockGauge(""));

    EXPECT_EQ(GaugeModuleFileName("Cessna!Airspeed"), "Cessna.gau");
    EXPECT_EQ(GaugeModuleFileName("Mine\\Cessna!Airspeed"), "Mine\\Cessna.gau");
    EXPECT_EQ(GaugeModuleFileName("a!b!c"), "a!b.gau");
    EXPECT_EQ(GaugeModuleFileName("fs98gauge"), "fs98gauge.gau");
}

class Export : public ::testing::Test {
  protected:
    void SetUp() override {
        static std::atomic<int> counter{0};
        root_ = fs::temp_directory_path() /
                ("brindle-export-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        fs::create_directories(root_);
        write("sim/Aircraft/C182/Panel/Panel.cfg", "panel text");
        write("sim/Aircraft/C182/Panel/main.bmp", "BM-main");
        write("sim/Aircraft/C182/Panel/main_1024.bmp", "BM-main-hi");
        write("sim/Aircraft/C182/Panel/bitmaps/radio.bmp", "BM-radio");
        write("sim/gauges/Cessna.gau", "cessna");
        write("sim/gauges/Mine/Cessna.gau", "mine-cessna");
        write("sim/gauges/custom.gau", "custom");
        write("sim/gauges/other.gau", "other");
        options_.panelFolder = path("sim/Aircraft/C182/Panel");
        options_.gaugesDir = path("sim/gauges");
        options_.onFile = [this](const std::string& p) {
            files_.push_back(fs::path(p.substr(root_.string().size() + 1)).generic_string());
        };
        options_.onWindow = [this](int step, int total) {
            steps_.push_back(std::to_string(step) + "/" + std::to_string(total));
        };
    }
    void TearDown() override { fs::remove_all(root_); }

    std::string path(const std::string& rel) const { return (root_ / rel).string(); }
    void write(const std::string& rel, const std::string& bytes) const {
        fs::create_directories((root_ / rel).parent_path());
        std::ofstream(root_ / rel, std::ios::binary) << bytes;
    }
    std::string read(const std::string& rel) const {
        std::ifstream in(root_ / rel, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool exists(const std::string& rel) const { return fs::exists(root_ / rel); }

    static GaugeEntry Gauge(const std::string& name) {
        GaugeEntry g;
        g.name = name;
        return g;
    }
    static Panel MakePanel() {
        Panel p = EmptyPanel();
        PanelWindow main;
        main.title = "Main";
        main.file = "main.bmp";
        main.file1024 = "main_1024.bmp";
        for (const char* g : {"custom!a", "custom!b", "custom!c", "Cessna!Airspeed", "Mine\\Cessna!Airspeed",
                              "other!x", "custom!d"})
            AddGauge(main, Gauge(g));
        InsertWindow(p, main);
        PanelWindow radio;
        radio.title = "Radio";
        radio.file = "bitmaps\\radio.bmp";
        AddGauge(radio, Gauge("missing!x"));
        InsertWindow(p, radio);
        PanelWindow plain;  // no bitmap
        plain.title = "Plain";
        InsertWindow(p, plain);
        PanelWindow vc;  // Vcockpits are not walked
        vc.setKind(WindowKind::Vcockpit);
        vc.vcockpitNumber = 1;
        vc.file = "vc.bmp";
        AddGauge(vc, Gauge("vconly!x"));
        InsertWindow(p, vc);
        return p;
    }

    fs::path root_;
    PanelExportOptions options_;
    std::vector<std::string> files_, steps_;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST_F(Export, NewFolderWithStockGaugesLeftOut) {
    options_.destination = path("out");  // its parent exists
    PanelExportResult r = ExportPanel(MakePanel(), options_);
    EXPECT_TRUE(r.exported);
    EXPECT_EQ(read("out/Panel/Panel.cfg"), "panel text");
    EXPECT_EQ(read("out/Panel/main.bmp"), "BM-main");
    EXPECT_EQ(read("out/Panel/main_1024.bmp"), "BM-main-hi");
    EXPECT_EQ(read("out/Panel/bitmaps/radio.bmp"), "BM-radio");
    EXPECT_EQ(read("out/Gauges/custom.gau"), "custom");
    EXPECT_EQ(read("out/Gauges/other.gau"), "other");
    // The sub-folder keeps Mine\Cessna from matching the stock table; it lands directly in Gauges.
    EXPECT_EQ(read("out/Gauges/Cessna.gau"), "mine-cessna");
    EXPECT_FALSE(exists("out/Gauges/vconly.gau"));
    EXPECT_EQ(files_, (std::vector<std::string>{"out/Panel/Panel.cfg", "out/Panel/main.bmp",
                                                "out/Panel/main_1024.bmp",
                                                "out/Gauges/custom.gau",  // one copy for the run of three
                                                "out/Gauges/Cessna.gau", "out/Gauges/other.gau",
                                                "out/Gauges/custom.gau",  // met again later: copied again
                                                "out/Panel/bitmaps/radio.bmp", "out/Gauges/missing.gau"}));
    EXPECT_EQ(steps_, (std::vector<std::string>{"1/3", "2/3", "3/3"}));
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"Copy of Gauge \"missing.gau\" Failed!"});
    EXPECT_EQ(r.failed, 1);
}

TEST_F(Export, StockGaugesIncludedAndExportingTwice) {
    options_.destination = path("out");
    options_.excludeStandard = false;
    ExportPanel(MakePanel(), options_);
    EXPECT_EQ(ui_.entries.size(), 1u);
    files_.clear();
    write("sim/gauges/custom.gau", "custom v2");
    PanelExportResult r = ExportPanel(MakePanel(), options_);
    EXPECT_TRUE(r.exported);
    EXPECT_EQ(read("out/Gauges/custom.gau"), "custom v2");
    // Cessna.gau from the gauges folder; Mine\Cessna.gau right after it has the same target and is
    // taken as the same module.
    EXPECT_EQ(std::count(files_.begin(), files_.end(), "out/Gauges/Cessna.gau"), 1);
    EXPECT_EQ(read("out/Gauges/Cessna.gau"), "cessna");
    EXPECT_EQ(ui_.entries.size(), 2u);
}

TEST_F(Export, DestinationProblems) {
    options_.destination = path("deep/er");
    EXPECT_FALSE(ExportPanel(MakePanel(), options_).exported);
    write("blocked/Gauges", "a file where the folder should be");
    options_.destination = path("blocked");
    PanelExportResult r = ExportPanel(MakePanel(), options_);
    // A file of that name counts as there; the gauge copies then fail one by one.
    EXPECT_TRUE(r.exported);
    write("blocked2", "");
    options_.destination = path("blocked2/sub");
    EXPECT_FALSE(ExportPanel(MakePanel(), options_).exported);
    ASSERT_GE(ui_.entries.size(), 2u);
    EXPECT_EQ(ui_.entries.front().text, "Can't access the destination directory!");
    EXPECT_EQ(ui_.entries.back().text, "Can't access the destination directory!");
    EXPECT_FALSE(exists("deep"));
}

TEST_F(Export, MissingPanelCfgStillExportsTheRest) {
    fs::remove(path("sim/Aircraft/C182/Panel/Panel.cfg"));
    options_.destination = path("out");
    ExportPanel(MakePanel(), options_);
    EXPECT_EQ(ui_.texts().front(), "Copy of \"Panel.cfg\" Failed!");
    EXPECT_EQ(read("out/Panel/main.bmp"), "BM-main");
    EXPECT_EQ(read("out/Gauges/custom.gau"), "custom");
}

TEST_F(Export, BitmapNamesCannotLeaveTheExportFolder) {
    write("sim/Aircraft/C182/secret.bmp", "BM-secret");
    Panel p = EmptyPanel();
    PanelWindow w;
    w.file = "..\\secret.bmp";
    InsertWindow(p, w);
    options_.destination = path("out");
    ExportPanel(p, options_);
    EXPECT_EQ(read("out/Panel/secret.bmp"), "BM-secret");
    EXPECT_FALSE(exists("out/secret.bmp"));
}

TEST_F(Export, DialogLogic) {
    PanelExportDialogLogic d("C:\\");
    EXPECT_EQ(d.destinationDir, "C:\\");
    EXPECT_TRUE(d.excludeStandard);
    EXPECT_EQ(d.Browsed(std::string("/somewhere")), "/somewhere");
    EXPECT_EQ(d.destinationDir, "/somewhere");
    EXPECT_EQ(d.Browsed(std::nullopt), std::nullopt);
    EXPECT_EQ(d.destinationDir, "");

    // An empty edit closes without exporting.
    EXPECT_FALSE(d.Ok("", MakePanel(), options_).exported);
    EXPECT_TRUE(files_.empty());
    d.excludeStandard = false;
    PanelExportResult r = d.Ok(path("out"), MakePanel(), options_);
    EXPECT_TRUE(r.exported);
    EXPECT_EQ(d.destinationDir, path("out"));
    EXPECT_TRUE(exists("out/Gauges/Cessna.gau"));
    EXPECT_FALSE(PanelExportDialogLogic().destinationDir.empty());
}

// An export with each file step failing in turn: a failure to make a folder stops it with its warning,
// a failed copy is shown and the export goes on; every exported file is a whole copy or not there and
// no temporary is left.
TEST_F(Export, EveryFailingStepIsShownAndLeavesNoPartialFile) {
    options_.destination = path("out");
    const Panel panel = MakePanel();
    int baseFailed = -1;
    auto prepare = [&] {
        fs::remove_all(root_ / "out");
        ui_.entries.clear();
    };
    PanelExportResult r;
    auto attempt = [&] {
        r = ExportPanel(panel, options_);
        if (baseFailed < 0) baseFailed = r.failed;
        return r.exported;
    };
    const auto steps = testing::WalkFileFaults(prepare, attempt, [&](int, FileStep step, bool exported) {
        // Each failure one message: a folder that can't be made stops the export, a copy goes on.
        EXPECT_EQ(ui_.entries.size(), static_cast<std::size_t>(r.failed + (exported ? 0 : 1)));
        if (exported && step != FileStep::MakeDir) {
            EXPECT_GE(r.failed, baseFailed);
        }
        const std::pair<const char*, const char*> copies[] = {
            {"out/Panel/Panel.cfg", "sim/Aircraft/C182/Panel/Panel.cfg"},
            {"out/Panel/main.bmp", "sim/Aircraft/C182/Panel/main.bmp"},
            {"out/Panel/bitmaps/radio.bmp", "sim/Aircraft/C182/Panel/bitmaps/radio.bmp"},
            {"out/Gauges/custom.gau", "sim/gauges/custom.gau"},
            {"out/Gauges/Cessna.gau", "sim/gauges/Mine/Cessna.gau"}};
        for (const auto& [to, from] : copies)
            if (exists(to)) {
                EXPECT_EQ(read(to), read(from)) << to;
            }
        EXPECT_TRUE(testing::LeftoverTemporaries(root_).empty());
    });
    EXPECT_GE(steps.size(), 40u);
    EXPECT_EQ(std::count(steps.begin(), steps.end(), "mkdir"), 4);  // out, Panel, Gauges, bitmaps
}

}  // namespace
}  // namespace brindle
