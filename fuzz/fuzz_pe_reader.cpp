// Any bytes as a gauge module: the PE reader, the Linkage walk, every chain read and the bitmap
// resources the chains name.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "gauges/gauge_module.h"

using namespace brindle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto pe = PeImage::Parse(std::vector<std::uint8_t>(data, data + size));
    if (!pe) return 0;
    auto module = std::make_shared<GaugeModule>("fuzz.gau", std::move(*pe));
    auto headers = module->GaugeHeaders(kMaxListedGauges);
    for (std::uint32_t h : headers) {
        GaugeInfo named{module, module->HeaderName(h).value_or("")};
        if (ReadNamedGauge(named, true) == 0) {
            for (unsigned id : named.resourceId) {
                if (id == 0) break;
                module->LoadBitmap(id);
            }
        }
        HeaderIdentity identity;
        ReadHeaderIdentity(*module, named.gaugeName, identity);
    }
    GaugeInfo first{module, std::nullopt};
    ReadFirstGauge(first);
    module->LoadBitmap(1);
    return 0;
}
