// Writing a Panel as a panel.cfg: a fixed order of sections, one fixed form of every key, only the
// optional keys that are present, CR LF line ends. The old file can first be kept as a numbered
// backup beside it.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "panel/panel.h"

namespace brindle {

inline constexpr int kBrindleBuildNumber = 16518;

struct PanelWriteOptions {
    SimMode mode = kModeFS2000;
    bool createBackup = false;
    // The file whose text goes below the header; a name of 3 characters or fewer means none.
    std::string copyrightFile;
    // The time written in the header. Unset: SOURCE_DATE_EPOCH when it is set (as UTC), else now
    // (local time).
    std::optional<std::time_t> time;
    // Show `time` as UTC instead of local time.
    bool utc = false;
};

PanelWriteOptions WriteOptionsFrom(const Settings& settings);

// The whole file text, with CR LF line ends. Reads the copyright file (and warns when it can't be
// opened); changes nothing.
std::string FormatPanel(const Panel& panel, const PanelWriteOptions& options);

// One gauge line without its line end; `number` is the gauge's place in its window.
std::string FormatGaugeLine(const GaugeEntry& gauge, int number, SimMode mode);

// The keys (KeyOfLine) of the lines the writer gives from the model for a window, for "[VIEWS]" and
// for "[8 Bit Colors]". A line of the file with one of these keys is the model's; the others are
// kept with their section.
std::vector<std::string> WrittenWindowKeys(const PanelWindow& window, SimMode mode);
// Whether the next read of the panel as written would take a title from `line`, had it stood among the
// titles: the key of the Window after the last one written, or of a Fixed Window not written.
bool NextReadTakesAsTitle(const Panel& panel, std::string_view line);
std::vector<std::string> WrittenViewKeys(const Panel& panel);
std::vector<std::string> WrittenColorKeys(const Panel& panel);

// The header's "// Built ..." line (without line end) for a time.
std::string FormatBuiltLine(std::time_t time, bool utc);

// Writes `panel` to `path`. With createBackup the existing file is first copied to the next free
// BackupFileName; a failed copy stops the save. The file is replaced only after the new text was
// written completely, so a failure never leaves a damaged or truncated file. Returns false (after
// showing the message) when anything failed.
bool WritePanelFile(const Panel& panel, const std::string& path, const PanelWriteOptions& options);
bool WritePanelFile(const Panel& panel, const std::string& path, const Settings& settings);

}  // namespace brindle
