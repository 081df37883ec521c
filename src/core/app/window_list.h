// The list of panel windows shown in the Window menu and the "Select a Window" drop-down.
#pragma once

#include <string>
#include <vector>

#include "panel/panel.h"

namespace brindle {

struct WindowListEntry {
    std::string text;  // "Window%02d   %s", "Fixed Window%02d  %s" or "VCockpit%02d"
    int id;            // 60000 + the window's index in the panel
    bool checked;      // the window being shown
};

inline constexpr int kWindowListFirstId = 60000;
inline constexpr int kWindowListLastId = 60031;

// Empty when no file is open. At most 32 entries: titled windows first, then Vcockpits while ids last.
std::vector<WindowListEntry> BuildWindowList(const Panel* panel, bool fileOpen, int lastWindow);

}  // namespace brindle
