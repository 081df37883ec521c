// The engine of "Brindle - Add a new Gauge": browsing the gauges folder (and its sub-folders) for
// modules, filtering them by simulator family or by a file-name wildcard, listing the gauges of the
// chosen module, previewing each element bitmap of the chosen gauge, and the gauge reference that
// OK hands back. The wx dialog and `brindle-cli gauge-files` only show this state and call its steps.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "gauges/gauge_module.h"
#include "view/image.h"

namespace brindle {

// What the dialog keeps from one opening to the next for the whole run (never stored).
struct AddGaugeMemory {
    std::string lastAddedReference;  // handed back by the last OK; empty after Cancel
    std::string lastFile;            // the file chosen last at the top level
    int lastFileIndex = -1;          // its place in the file list; -1 = none
    std::string lastPattern;         // the name filter to restore at the next opening
    int lastHeaderVersion = -1;      // the header version of lastFile
    bool transparentPreview = false;
};
// The process-wide record.
AddGaugeMemory& GlobalAddGaugeMemory();

// The file-name wildcard match of a folder listing: "*" any run, "?" one character, letters
// compared without regard to case; a pattern ending in ".*" also matches names without a dot.
bool WildcardMatch(std::string_view pattern, std::string_view name);

// `src` scaled into a w x h picture on `face`: the larger of the two ratios source / frame divides
// both sides (a small picture is enlarged too) and it is centred along the axis with room left;
// with `transparent` its black pixels are left out.
Image FitPicture(const Image& src, int w, int h, Pixel face, bool transparent);

// Progress of a family-filtered listing: (files examined, fileCount).
using ListingProgress = std::function<void(int done, int total)>;

class AddGaugeDialogLogic {
  public:
    static constexpr const char* kTitle = "Brindle - Add a new Gauge";
    static constexpr const char* kCantLoad = "Can't load Gauge file";
    static constexpr const char* kNotFs98Compatible = "NOT FS98 COMPATIBLE!";
    static constexpr int kHelpTopic = 200;
    static constexpr int kFamilyCount = 5;
    // The family combo's texts, index 0 (all) to 4 (CFS2).
    static const char* FamilyText(int index);
    // The header version a family index keeps (0 for "all").
    static unsigned FamilyVersion(int index);

    // Works in the gauges folder and mode of `settings`; `memory` is the remembered state.
    explicit AddGaugeDialogLogic(const Settings& settings, AddGaugeMemory& memory = GlobalAddGaugeMemory());

    // The dialog's initialisation: the remembered pattern and file restored, the folder listed, the
    // remembered file re-selected with its gauges, the preview shown.
    void Open(const ListingProgress& progress = {});

    // The file list.
    const std::string& BrowseDir() const { return browseDir_; }
    const std::string& SubDir() const { return subDir_; }
    int SubDirDepth() const { return depth_; }
    const std::vector<std::string>& Entries() const { return entries_; }
    int SelectedEntry() const { return selectedEntry_; }
    // "Gauge Files   (%d Files)".
    std::string FileCountText() const;
    int FileCount() const { return fileCount_; }
    int FamilyFilter() const { return family_; }
    const std::string& Pattern() const { return pattern_; }
    const std::string& FileName() const { return fileName_; }

    // The gauge list.
    const std::vector<std::string>& GaugeNames() const { return gaugeNames_; }
    bool GaugeListEnabled() const { return gaugeListEnabled_; }
    int SelectedGaugeLine() const { return selectedGaugeLine_; }
    // "Gauges in File   (%d Gauges)" or empty.
    std::string GaugeCountText() const;
    unsigned HeaderVersion() const { return headerVersion_; }

    // Edit "Gauge to Install": the wildcard while browsing, the reference once a gauge is chosen.
    const std::string& EditText() const { return edit_; }
    // Typing alone changes nothing else.
    void SetEditText(std::string text) { edit_ = std::move(text); }
    // The reference OK would hand back (empty while no usable gauge is chosen).
    const std::string& Reference() const { return reference_; }
    // The red error line: "Can't load Gauge file" or empty.
    const std::string& ErrorText() const { return error_; }
    // "FS98", "FS2000", "CFS", "CFS2", "Unknown", or empty while no module is shown.
    const std::string& FamilyLabel() const { return familyLabel_; }

    // The preview of the shown element slot.
    struct Preview {
        bool shown = false;  // a gauge is read: the property texts show its slot
        int slot = 0;
        int resourceId = -1;
        int width = 0, height = 0, bytes = 0;
        std::string typeText;
        ImagePtr bitmap;
    };
    const Preview& ShownPreview() const { return preview_; }
    bool Transparent() const { return memory_->transparentPreview; }
    // The preview bitmap scaled into a frame of w x h with its aspect kept and centred, on `face`;
    // black pixels are left out when drawing transparently.
    Image PreviewImage(int w, int h, Pixel face) const;

    // Steps of the dialog.
    void ChooseEntry(int index, const ListingProgress& progress = {});
    void ChooseGauge(int line);
    void ChooseFamily(int index, const ListingProgress& progress = {});
    // Enter in the dialog: true when it accepts (the edit shows the chosen reference); otherwise
    // the edit's text is applied as the name filter.
    bool Enter(const ListingProgress& progress = {});
    void ApplyPattern(const ListingProgress& progress = {});
    // The up-down control: towards lower (-1) or higher (+1) slots.
    void Step(int direction);
    void ToggleTransparent();
    // OK: the reference handed back (also in the memory's lastAddedReference).
    std::string Ok();
    void Cancel();

  private:
    void ListFiles(const ListingProgress& progress);
    void ListGaugesOfFile();
    void ReadFile();
    void ShowPreview();
    void ClearPreview();
    void DrawSlot();
    void UpdateTexts();
    void ClearSelections();
    std::string FilePath(const std::string& name) const;

    const Settings* settings_;
    AddGaugeMemory* memory_;
    std::string gaugesDir_;
    std::string browseDir_, subDir_, fileName_, pattern_ = "*", selectedGauge_;
    int depth_ = 0;
    std::vector<std::string> entries_;
    std::vector<bool> entryIsDir_;
    int selectedEntry_ = -1;
    int fileCount_ = 0;
    int family_ = 0;

    GaugeFile gaugeFile_;
    std::vector<std::string> gaugeNames_;
    bool listed_ = false;  // ListGauges read the chosen file
    bool gaugeListEnabled_ = false;
    int selectedGaugeLine_ = -1;
    unsigned headerVersion_ = kVersionFS98;

    std::string edit_, reference_, error_, familyLabel_;
    ModuleHandle module_;
    GaugeInfo info_;
    bool infoRead_ = false;
    Preview preview_;
};

}  // namespace brindle
