// Any bytes as the one gauge module of a panel window: the window is shown as the editor shows it (its
// gauges' references built from the gauge names the module holds, each loaded through the module cache
// with its bitmaps), painted whole, and written back into the panel.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "fuzz_scratch.h"
#include "gauges/gauge_module.h"
#include "panel/panel.h"
#include "platform/messages.h"
#include "view/panel_view.h"

using namespace brindle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    const auto sim = fuzzing::ScratchDir() / "sim";
    fuzzing::PutFile(sim / "Gauges" / "fuzz.gau",
                     std::string_view(reinterpret_cast<const char*>(data), size));

    // The references a panel would use: the module's first gauge and each gauge it names.
    std::vector<std::string> refs{"fuzz", "fuzz!", "FUZZ!missing"};
    if (auto pe = PeImage::Parse(std::vector<std::uint8_t>(data, data + size))) {
        GaugeModule module("fuzz.gau", std::move(*pe));
        for (std::uint32_t h : module.GaugeHeaders(8))
            refs.push_back("fuzz!" + module.HeaderName(h).value_or(""));
    }
    Panel panel;
    ResetViews(panel);
    PanelWindow window;
    window.sizeMmX = 320;
    window.sizeMmY = 240;
    window.sizeMmPresent = window.sizeMmYPresent = true;
    int i = 0;
    for (const std::string& ref : refs) {
        GaugeEntry g;
        g.name = ref;
        g.x = 10 * i;
        g.y = 5 * i;
        if (i % 2 == 1) {
            g.width = 40 + i;
            g.widthPresent = true;
        }
        window.gauges.push_back(g);
        ++i;
    }
    if (InsertWindow(panel, window) < 0) __builtin_trap();

    Settings settings;
    settings.SetMode(static_cast<SimMode>(size % 4));
    settings.SetFS2000Dir(sim.string());
    settings.SetFS98Dir(sim.string());
    settings.SetCFSDir(sim.string());
    settings.SetCFS2Dir(sim.string());
    settings.SetHighRes(size % 3 == 0);
    settings.SetCurrentFile((sim / "panel.cfg").string());
    PanelView view(settings);
    view.Geometry().SetClientSize({320, 240});
    if (!view.ShowPanelWindow(panel, 0)) __builtin_trap();
    view.SetZoom(0.5);
    view.PaintWholeWindow();
    view.StorePanelWindow(panel.windows[0]);
    if (!PanelIsConsistent(panel)) __builtin_trap();
    return 0;
}
