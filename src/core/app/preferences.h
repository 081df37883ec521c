// The four small dialogs that edit Settings: the simulator mode with the four simulators' folders,
// the general preferences, the advanced preferences (blitting options, file association) and the
// gauge drawing preferences. Each class holds its dialog's state, its checks, its messages and its
// result; the editor's dialogs and brindle-cli only show and feed them.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/settings.h"
#include "platform/file_association.h"

namespace brindle {

// The simulator mode and its folder, as the mode dialog shows them (in the dialog's order).
struct SimModeInfo {
    SimMode mode;
    const char* radio;        // "FS2000"
    const char* group;        // "Flight Simulator 2000 Install Directory"
    const char* browseTitle;  // "Choose the FS2000 Folder"
};
const std::array<SimModeInfo, 4>& SimModes();
const SimModeInfo& SimModeInfoOf(SimMode mode);

// Whether `dir` can serve as a simulator folder: a folder whose entries can be listed.
bool SimFolderUsable(const std::string& dir);

// "Brindle - Mode and Flight Simulator Directory". A radio click changes the mode in the settings at
// once; Cancel puts the mode and the four folders back as they were when the dialog opened.
class ModeDirDialogLogic {
  public:
    static constexpr const char* kCaption = "Brindle - Mode and Flight Simulator Directory";
    static constexpr const char* kModeGroup = "Mode";
    static constexpr int kHelpTopic = 230;

    explicit ModeDirDialogLogic(Settings& settings);

    SimMode Mode() const { return settings_.Mode(); }
    // Radio click.
    void SelectMode(SimMode mode);
    // Only the current mode's edit and "Browse..." button are enabled.
    bool DirEnabled(SimMode mode) const { return mode == settings_.Mode(); }

    // The four edits' texts, by SimMode.
    std::array<std::string, 4> dirs;
    std::string& Dir(SimMode mode) { return dirs[mode]; }

    // "Browse...": the folder chooser starts at the edit's text; a chosen folder goes into the edit.
    void Browsed(SimMode mode, const std::optional<std::string>& chosen);

    // OK: a folder for the current mode that can't be used is asked about ("Keep it anyway?"); No
    // keeps the dialog open. Otherwise the four folders are stored. True when the dialog closes.
    bool Ok();
    void Cancel();

    // After the dialog, whatever its result: whether the simulator mode differs from the one at opening.
    bool ModeChanged() const;

  private:
    Settings& settings_;
    int initialMode_;
    std::array<std::string, 4> initialDirs_;
};

// "Brindle Preferences".
class PreferencesDialogLogic {
  public:
    static constexpr const char* kCaption = "Brindle Preferences";
    static constexpr int kHelpTopic = 130;
    static constexpr const char* kCopyrightBrowseTitle = "Select the Copyright File";
    static constexpr const char* kCopyrightFilter = "Text Files (*.txt)|*.txt|All Files (*.*)|*.*||";
    static constexpr const char* kCopyrightExtension = ".txt";
    static constexpr const char* kPaintBrowseTitle = "Select the Paint Program";
    static constexpr const char* kPaintFilter = "EXE Files (*.exe)|*.exe|All Files (*.*)|*.*||";
    static constexpr const char* kPaintExtension = ".exe";
    static constexpr const char* kRereadWarning =
        "Brindle will now reread the config file\nso your changes can take effect";

    explicit PreferencesDialogLogic(Settings& settings);

    bool reload, createBackup, rememberWindowPosition, highRes;
    std::string copyrightFile, paintProgram;

    // A file chosen with one of the two "Browse..." buttons goes into its edit.
    void BrowsedCopyright(const std::optional<std::string>& chosen);
    void BrowsedPaintProgram(const std::optional<std::string>& chosen);

    // OK: stores everything. Afterwards HighResChanged tells whether the panel must be read again.
    void Ok();
    bool HighResChanged() const { return highResChanged_; }
    // Something stored differs from what the dialog opened with.
    bool Changed() const { return changed_; }

  private:
    Settings& settings_;
    bool highResAtOpening_;
    bool highResChanged_ = false;
    bool changed_ = false;
};

// "Brindle - Advanced Preferences".
class AdvancedPrefsDialogLogic {
  public:
    static constexpr const char* kCaption = "Brindle - Advanced Preferences";
    static constexpr int kHelpTopic = 220;
    static constexpr const char* kAssociateLabel = "Associate Brindle with .cfg file extension";

    // `programPath` is the editor's own program, started for a panel.cfg opened from the desktop.
    AdvancedPrefsDialogLogic(Settings& settings, DesktopIntegration& desktop, std::string programPath);

    bool useSWTransparentBLT, useHalftoneBLT;
    // On Windows 95 and 98 the software routine is the only one: ticked and disabled.
    bool SWTransparentEnabled() const { return swEnabled_; }

    // The association button: registers once per run (later clicks do nothing and return nullopt).
    // The result says what happened, for a message.
    std::optional<AssociationResult> Associate();
    // Lets a test start a fresh "run".
    static void ResetAssociatedThisRun();

    void Ok();

  private:
    Settings& settings_;
    DesktopIntegration& desktop_;
    std::string programPath_;
    bool swEnabled_;
};

// "Brindle - Gauge Drawing Preferences": which gauge element types are drawn.
class GaugeDrawPrefsDialogLogic {
  public:
    static constexpr const char* kCaption = "Brindle - Gauge Drawing Preferences";
    static constexpr const char* kGroup = "Gauge ELEMENTS to Display";
    static constexpr int kHelpTopic = 260;
    static constexpr int kDefaultMask = 25;  // static images, sliders, icons

    explicit GaugeDrawPrefsDialogLogic(Settings& settings);

    bool staticImages, icons, sliders;
    // Sprites, needles and moving images can't be chosen here.
    static constexpr bool kOthersEnabled = false;

    void Defaults();
    int Mask() const;
    // Stores the mask: the bits of the other element types are cleared.
    void Ok();

  private:
    Settings& settings_;
};

// The start of a run on a computer where no simulator folder was found for any mode: the text that
// says so before the mode dialog opens, or nullopt when some mode's folder is there.
std::optional<std::string> FirstStartMessage(const Settings& settings);

}  // namespace brindle
