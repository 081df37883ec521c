// Loading a panel gauge's element bitmaps from its gauge module into the view's record.
#pragma once

#include <string>

#include "app/settings.h"
#include "gauges/gauge_module.h"
#include "view/view_records.h"

namespace brindle {

struct GaugeEntry;

struct GaugeLoadOptions {
    std::string gaugesDir;       // the gauges folder of the current mode
    bool highRes = false;        // use the +500 bitmaps of non-FS98 gauges where a module has them
    SimMode mode = kModeFS2000;  // for the size setters
    // Modules already opened during this load of a window's gauges; null = open each time.
    ModuleCache* cache = nullptr;
};

// The options of the process-wide settings (gauges folder, HighRes, mode), without a cache.
GaugeLoadOptions GaugeLoadOptionsFrom(const Settings& settings);

// Loads the bitmaps of one gauge (its reference in gauge.name, its number in gauge.index). Returns
// true ("loaded") when the module's gauge was read, even if its bitmaps were not usable; false
// ("not loaded") when the file is missing, can't be loaded, or the gauge can't be read. Failures
// are shown in the opt-out warning box while the show-again flag is on, and set the load status, the
// fallback size and the marks the same way whether shown or not. `entry`, when given, is the
// gauge's panel line, whose run-time loaded mark and width-present flag follow the gauge.
bool LoadGaugeImages(ViewGauge& gauge, const GaugeLoadOptions& options, GaugeEntry* entry = nullptr);

}  // namespace brindle
