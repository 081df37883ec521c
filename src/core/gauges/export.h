// Panel export: copies everything a panel needs into one destination folder so it can be handed on:
// the panel.cfg and the windows' background bitmaps into "Panel", the gauge modules its gauges use
// into "Gauges". The modules that ship with the simulators can be left out.
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "panel/panel.h"

namespace brindle {

// The gauge modules of the simulators' own installations (compared without regard to case).
inline constexpr int kStockGaugeCount = 212;
extern const std::array<const char*, kStockGaugeCount> kStockGaugeNames;
bool IsStockGauge(const std::string& moduleFileName);

// The module file of a gauge reference: the text before the last "!" with ".gau" (the whole
// reference with ".gau" when it has no "!"); sub-folders of the reference are kept.
std::string GaugeModuleFileName(const std::string& gaugeName);

struct PanelExportOptions {
    std::string destination;
    bool excludeStandard = true;
    std::string panelFolder;  // the folder of the open panel file
    std::string gaugesDir;    // the simulator's gauges folder
    // One step per titled window: (window number from 1, number of titled windows).
    std::function<void(int step, int total)> onWindow;
    // The path being written.
    std::function<void(const std::string& path)> onFile;
};

struct PanelExportResult {
    bool exported = false;  // the destination and its two folders could be used
    int copied = 0;
    int failed = 0;
};

// Exports `panel` as it is described above; every failure is shown (a failed copy goes on with the
// next file). Reads the files on disk and changes neither them nor the panel.
PanelExportResult ExportPanel(const Panel& panel, const PanelExportOptions& options);

// Where the export dialog starts: "C:\" on Windows, the home folder elsewhere.
std::string DefaultExportDestination();

// The engine of "Brindle - Panel Export Tool".
class PanelExportDialogLogic {
  public:
    static constexpr const char* kCaption = "Brindle - Panel Export Tool";
    static constexpr const char* kBrowseTitle = "Choose the Destination Directory for the Panel Files";
    static constexpr const char* kPrompt = "Select the Directory where you want your files to be placed.";
    static constexpr const char* kGroup = "Destination Directory";
    static constexpr const char* kExcludeLabel = "Exclude standard Gauges";
    static constexpr int kHelpTopic = 180;
    static constexpr std::size_t kMaxDestinationLength = 259;

    explicit PanelExportDialogLogic(std::string destination = DefaultExportDestination())
        : destinationDir(std::move(destination)) {}

    std::string destinationDir;
    bool excludeStandard = true;

    // The folder chooser's answer: a confirmed folder becomes the destination (and the edit shows
    // it: returned); a cancel empties the destination and leaves the edit as it was.
    std::optional<std::string> Browsed(const std::optional<std::string>& chosen);
    // OK with the edit's text: exports unless it is empty. The dialog closes either way.
    PanelExportResult Ok(const std::string& editText, const Panel& panel, PanelExportOptions options);
};

}  // namespace brindle
