// Panels belong to aircraft: the simulator's aircraft folders, the fltsim entries of an aircraft's
// aircraft.cfg (their titles and the panel folders they name), the Open Aircraft dialog's logic, and
// adding a copy of a panel to an aircraft as a new fltsim entry with its own panel folder.
//
// Layout: <sim>\Aircraft\<aircraft>\Aircraft.cfg; the default panel lives in "Panel", further
// panels in "Panel.<name>", named by the panel= line of a fltsim entry (empty for "Panel").
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"

namespace brindle {

std::string AircraftRoot(const std::string& simDir);  // <sim>\Aircraft
std::string AircraftFolderPath(const std::string& simDir, const std::string& aircraft);
std::string AircraftCfgPath(const std::string& aircraftFolder);  // <folder>\Aircraft.cfg
// "Panel" for the empty name, else "Panel." + name.
std::string PanelFolderName(const std::string& panelName);
// The panel name a panel folder name stands for: "" for "Panel", the text after "Panel." (or after
// the first dot) otherwise; nullopt for a folder name that names no panel.
std::optional<std::string> PanelNameOfFolder(const std::string& folderName);

// The aircraft folders under <sim>\Aircraft whose Panel\Panel.cfg can be read, is not empty and is
// not aliased to another aircraft's panel; sorted without regard to case.
std::vector<std::string> ListAircraft(const std::string& simDir);

// The fltsim entries of an aircraft.cfg text: each entry's section number, title and panel name.
// Keys match without regard to case, with blanks or TABs around "=" allowed; a value may be quoted
// and an unquoted one ends at a ";" comment. An entry without a panel= line uses the default panel.
struct FltsimEntry {
    std::string section;  // the header as written, e.g. "fltsim.0"
    int number = -1;      // -1 when the header's number can't be read
    std::optional<std::string> title;
    std::string panel;
};
std::vector<FltsimEntry> ParseFltsimEntries(const std::string& aircraftCfgText);

// The distinct panel names of an aircraft.cfg's entries (compared without regard to case), in file
// order. The whole file is read, however long.
std::vector<std::string> InstalledPanelNames(const std::string& aircraftCfgPath);
// The title of the first entry that uses `panelName` (compared without regard to case); nullopt when
// there is no file, no such entry or the entry has no title.
std::optional<std::string> LookUpAircraftTitle(const std::string& aircraftCfgPath,
                                               const std::string& panelName);
// The title of the aircraft entry that uses the panel.cfg at `panelCfgPath`: the panel name comes
// from the panel's folder, the aircraft.cfg from the folder above it.
std::optional<std::string> AircraftTitleForPanel(const std::string& panelCfgPath);

// A new panel name must make a folder name of its own: no separators, no characters a Windows file
// name can't hold, no line ends, not "." or "..".
bool IsValidNewPanelName(const std::string& name);

// The Open Aircraft dialog's logic: open mode (choose an aircraft's panel to open) or add mode
// (choose the aircraft that receives a copy of the current panel, with the new panel's name and
// title).
class OpenAircraftChooser {
  public:
    enum class Mode { Open, AddPanel };
    static constexpr const char* kTitle = "Brindle - Open Aircraft";
    static constexpr int kHelpTopic = 290;

    // Lists the aircraft of the current simulator folder of `settings`.
    OpenAircraftChooser(Settings& settings, Mode mode);

    Mode GetMode() const { return mode_; }
    std::string Caption() const;
    // "FS2000 mode, Directory is "<sim>\Aircraft"" and the like.
    std::string TopLine() const;
    bool NewPanelFieldsShown() const { return mode_ == Mode::AddPanel; }
    bool InstalledPanelsEnabled() const { return mode_ == Mode::Open; }

    const std::vector<std::string>& AircraftList() const { return aircraft_; }
    // Why the list is empty (the aircraft folder is missing or can't be read, or holds no aircraft
    // with a panel), for a message when the dialog opens; nullopt when there are aircraft.
    std::optional<std::string> ListingProblem() const;
    // Selects an aircraft of the list: its default panel's title (also stored as the last aircraft
    // title of the settings) and its installed panels; in open mode the first panel is selected.
    void SelectAircraft(int index);
    int SelectedAircraft() const { return selectedAircraft_; }
    bool AircraftSelected() const { return selectedAircraft_ >= 0; }
    const std::string& AircraftFolder() const { return aircraftFolder_; }

    // The Installed Panels list: "Panel" or "Panel.<name>".
    const std::vector<std::string>& InstalledPanels() const { return installed_; }
    void SelectPanel(int index);  // -1 = none
    int SelectedPanel() const { return selectedPanel_; }
    // What "Title" shows.
    const std::string& Title() const { return title_; }

    // The New Panel Name (without the fixed "Panel." prefix) and New Panel Title fields.
    std::string newPanelName;
    std::string newPanelTitle;

    // OK: checks the fields (each refusal is shown as a warning and keeps the dialog open; a name
    // that is already installed also clears the name field). True when the dialog closes.
    bool Ok();
    // After OK: <aircraft folder>\<panel folder>\Panel.cfg.
    const std::string& ChosenPath() const { return chosenPath_; }
    // After OK in add mode: the name and title for the copy.
    const std::string& PanelName() const { return acceptedName_; }
    const std::string& PanelTitle() const { return acceptedTitle_; }

  private:
    Settings& settings_;
    Mode mode_;
    std::vector<std::string> aircraft_;
    int selectedAircraft_ = -1;
    std::string aircraftFolder_;
    std::vector<std::string> installed_;
    int selectedPanel_ = -1;
    std::string title_;
    std::string chosenPath_;
    std::string acceptedName_, acceptedTitle_;
};

// Progress of copying a folder: (files done, total files, file being copied).
using CopyProgress = std::function<void(int done, int total, const std::string& file)>;
inline constexpr const char* kCopyingPanelTitle = "Copying Panel";

// Adds a panel to the aircraft of `chosenPanelPath` (<aircraft>\<panel folder>\Panel.cfg): a new
// fltsim entry made from [fltsim.0] with `name` as its panel and `title` as its title, placed after
// the entry before it; the old aircraft.cfg kept as Aircraft.cfg.backup; then the folder
// "PANEL.<name>" (an existing one is used as it is) receives every file of `sourcePanelFolder`.
// Every failure is shown as its message and ends the operation; what was done before stays.
bool AddPanelToAircraft(const std::string& chosenPanelPath, const std::string& name, const std::string& title,
                        const std::string& sourcePanelFolder, const CopyProgress& progress = {});

// The new aircraft.cfg text with the entry added, or nullopt after showing why it can't be made.
std::optional<std::string> AircraftCfgWithNewEntry(const std::string& text, const std::string& name,
                                                   const std::string& title);

// Copies every file (not sub-folder) of `from` into `to`, replacing files there. Failures are shown
// ("Copy of file "..." Failed!") and skipped; returns the number of files that failed.
int CopyFolderFiles(const std::string& from, const std::string& to, const CopyProgress& progress = {});

}  // namespace brindle
