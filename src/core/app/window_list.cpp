#include "app/window_list.h"

#include <cstdio>

namespace brindle {

std::vector<WindowListEntry> BuildWindowList(const Panel* panel, bool fileOpen, int lastWindow) {
    std::vector<WindowListEntry> list;
    if (!panel || !fileOpen) return list;
    char buf[160];
    int titled = std::min<int>(panel->windowCount, static_cast<int>(panel->windows.size()));
    for (int i = 0; i < titled && list.size() < 32; ++i) {
        const PanelWindow& w = panel->windows[static_cast<size_t>(i)];
        if (w.fixed)
            std::snprintf(buf, sizeof buf, "Fixed Window%02d  %s", w.fixedNumber, w.title.c_str());
        else
            std::snprintf(buf, sizeof buf, "Window%02d   %s", i, w.title.c_str());
        list.push_back({buf, kWindowListFirstId + i, i == lastWindow});
    }
    int added = static_cast<int>(list.size());
    for (int j = 1; j <= panel->vcockpitCount; ++j) {
        int index = added + j - 1;
        int id = kWindowListFirstId + index;
        if (id > kWindowListLastId) break;
        std::snprintf(buf, sizeof buf, "VCockpit%02d", j);
        list.push_back({buf, id, index == lastWindow});
    }
    return list;
}

}  // namespace brindle
