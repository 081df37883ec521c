// The Add Gauge dialog on a gauges folder of 1,000 modules (copies of the sample modules, broken
// ones included): the family-filtered listing opens every module once; choosing a file lists its
// gauges and shows the preview of its first gauge.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "gauges/add_gauge_dialog.h"

namespace {

namespace fs = std::filesystem;
using namespace brindle;

constexpr int kModules = 1000;

const Settings& Folder() {
    static Settings s = [] {
        fs::path sim = fs::temp_directory_path() / "brindle-bench-add-gauge";
        fs::path dir = sim / "gauges";
        fs::create_directories(dir);
        const fs::path samples = fs::path(BRINDLE_SAMPLES_DIR) / "FS2000" / "gauges";
        const char* const sources[] = {"Demo_Cessna.gau",    "CFS2_Radar.gau",          "FS98_Compass.gau",
                                       "FS98_Clock.gau",     "Combat/CFS_Gunsight.gau", "Broken/NoBitmap.gau",
                                       "Broken/NotADll.gau", "Broken/Strings.gau"};
        for (int m = 0; m < kModules; ++m) {
            const char* src = sources[m % 8];
            fs::copy_file(samples / src, dir / ("Module" + std::to_string(m) + ".gau"),
                          fs::copy_options::overwrite_existing);
        }
        Settings out;
        out.SetMode(kModeFS2000);
        out.SetSimDir(sim.string());
        return out;
    }();
    return s;
}

void BM_FamilyFilteredListing(benchmark::State& state) {
    const Settings& s = Folder();
    AddGaugeMemory memory;
    AddGaugeDialogLogic d(s, memory);
    d.Open();
    for (auto _ : state) {
        d.ChooseFamily(1);  // FS2000: every module is probed
        benchmark::DoNotOptimize(d.Entries().size());
        state.PauseTiming();
        d.ChooseFamily(0);
        state.ResumeTiming();
    }
    d.ChooseFamily(1);
    state.counters["listed"] = static_cast<double>(d.Entries().size());
}
BENCHMARK(BM_FamilyFilteredListing)->Unit(benchmark::kMillisecond);

void BM_ChooseFileWithPreview(benchmark::State& state) {
    const Settings& s = Folder();
    AddGaugeMemory memory;
    AddGaugeDialogLogic d(s, memory);
    d.Open();
    int demo = -1, compass = -1;
    for (int i = 0; i < static_cast<int>(d.Entries().size()); ++i) {
        if (d.Entries()[static_cast<std::size_t>(i)] == "Module0.gau") demo = i;
        if (d.Entries()[static_cast<std::size_t>(i)] == "Module10.gau") compass = i;  // an FS98 module
    }
    for (auto _ : state) {
        d.ChooseEntry(demo);
        d.ChooseGauge(0);
        d.ChooseEntry(compass);  // the FS98 module previews at once
        benchmark::DoNotOptimize(d.ShownPreview().width);
    }
    state.SetItemsProcessed(state.iterations() * 2);
}
BENCHMARK(BM_ChooseFileWithPreview)->Unit(benchmark::kMicrosecond);

}  // namespace
