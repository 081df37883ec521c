// The design check: scans a panel for values the simulator will not accept or that look wrong and
// builds a plain-text report with counts of errors and warnings. It changes nothing.
#pragma once

#include <functional>
#include <string>

#include "app/settings.h"
#include "panel/panel.h"

namespace brindle {

inline constexpr const char* kDesignCheckCaption = "Brindle - Design Check";
inline constexpr const char* kDesignCheckResultsLabel = "Results of config file scan:";
inline constexpr int kDesignCheckHelpTopic = 270;

struct DesignCheckReport {
    std::string text;  // every line, "\r\n" line breaks
    int errors = 0;
    int warnings = 0;
};

struct DesignCheckOptions {
    SimMode mode = kModeFS2000;
    // The folder of the panel file: window bitmaps are looked for there (FS98 and CFS only).
    std::string panelFolder;
    // Called with each piece of report text as it is produced, so a dialog can show it at once.
    std::function<void(const std::string&)> onText;
};

// Runs the scan. In FS98 and CFS mode each window's background bitmap is read (a bitmap that can't be
// read is reported by the bitmap reader's own warning and otherwise skipped).
DesignCheckReport RunDesignCheck(const Panel& panel, const DesignCheckOptions& options);

}  // namespace brindle
