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

// The report as "Brindle - Design Check" shows it: the box grows piece by piece while the scan runs
// and holds at most kMaxText characters. A longer report stops at the last piece that fits and
// still ends with the closing line and its counts, after a note that the rest was left out.
class DesignCheckDialogLogic {
  public:
    static constexpr std::size_t kMaxText = 10240;
    static constexpr const char* kCutNote = "\r\n\r\n(The rest of the report does not fit in this box.)\r\n";

    // Runs the scan on `panel`; `show` receives each piece the box gets, as it gets it.
    DesignCheckReport Run(const Panel& panel, DesignCheckOptions options,
                          const std::function<void(const std::string&)>& show = {});
    // What the box holds.
    const std::string& Text() const { return text_; }
    bool Cut() const { return cut_; }

  private:
    std::string text_;
    bool cut_ = false;
};

}  // namespace brindle
