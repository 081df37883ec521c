// Loading every gauge of a window: 128 gauges from 16 modules, each module parsed once per load
// (the cache lives for one load only), and for comparison with every gauge opening its module.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "gauges/gauge_loader.h"
#include "platform/messages.h"

namespace {

namespace fs = std::filesystem;
using namespace brindle;

struct Window {
    std::string gaugesDir;
    std::vector<ViewGauge> gauges;
};

// 16 modules (copies of the samples under other names) in a scratch gauges folder.
const Window& TestWindow() {
    static Window w = [] {
        Window out;
        fs::path dir = fs::temp_directory_path() / "brindle-bench-gauges";
        fs::create_directories(dir);
        const fs::path samples = fs::path(BRINDLE_SAMPLES_DIR) / "FS2000" / "gauges";
        struct Source {
            const char* file;
            std::vector<const char*> gauges;
        };
        const std::vector<Source> sources = {
            {"Demo_Cessna.gau", {"Airspeed", "Altimeter", "Attitude", "Switches", "Clock", "Annunciator"}},
            {"CFS2_Radar.gau", {"Radar", "Fuel"}},
            {"Combat/CFS_Gunsight.gau", {"Gunsight", "Ammo"}},
        };
        for (int m = 0; m < 16; ++m) {
            const Source& s = sources[static_cast<size_t>(m) % sources.size()];
            std::string name = "Module" + std::to_string(m);
            fs::copy_file(samples / s.file, dir / (name + ".gau"), fs::copy_options::overwrite_existing);
            for (int g = 0; g < 8; ++g) {
                ViewGauge v;
                v.index = static_cast<int>(out.gauges.size());
                v.name = name + "!" + s.gauges[static_cast<size_t>(g) % s.gauges.size()];
                out.gauges.push_back(v);
            }
        }
        out.gaugesDir = dir.string();
        return out;
    }();
    return w;
}

void LoadWindow(benchmark::State& state, bool cached) {
    const Window& w = TestWindow();
    RecordingMessageUi ui;
    ScopedMessageUi scoped(ui);
    for (auto _ : state) {
        ModuleCache cache;
        GaugeLoadOptions options{w.gaugesDir, true, kModeFS2000, cached ? &cache : nullptr};
        std::vector<ViewGauge> gauges = w.gauges;
        int loaded = 0;
        for (auto& g : gauges) loaded += LoadGaugeImages(g, options) ? 1 : 0;
        if (loaded != 128) state.SkipWithError("a gauge did not load");
        benchmark::DoNotOptimize(gauges.data());
    }
    state.SetItemsProcessed(state.iterations() * 128);
}

void BM_LoadWindowModulesOncePerLoad(benchmark::State& state) {
    LoadWindow(state, true);
}
void BM_LoadWindowModulePerGauge(benchmark::State& state) {
    LoadWindow(state, false);
}

BENCHMARK(BM_LoadWindowModulesOncePerLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadWindowModulePerGauge)->Unit(benchmark::kMillisecond);

}  // namespace
