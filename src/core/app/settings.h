// The user's preferences, the simulators' folders and what is remembered between runs. One record
// for the whole process (GlobalSettings), loaded once at start-up and saved once at exit; tests make
// their own.
#pragma once

#include <array>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/paths.h"
#include "platform/system.h"

namespace brindle {

// The simulator family being edited.
enum SimMode : int { kModeFS2000 = 0, kModeFS98 = 1, kModeCFS = 2, kModeCFS2 = 3 };

// A key-value store with string and integer values grouped in sections; the names are those of the
// registry form ("Brindle" section, "Magic", "FS98Dir", ...).
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> readString(const std::string& section, const std::string& name) = 0;
    virtual std::optional<long> readInt(const std::string& section, const std::string& name) = 0;
    virtual void writeString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
    virtual void writeInt(const std::string& section, const std::string& name, long value) = 0;
};

// In-memory store for tests and the command line (which never touches the user's settings).
class MemorySettingsStore : public SettingsStore {
  public:
    std::optional<std::string> readString(const std::string& section, const std::string& name) override;
    std::optional<long> readInt(const std::string& section, const std::string& name) override;
    void writeString(const std::string& section, const std::string& name, const std::string& value) override;
    void writeInt(const std::string& section, const std::string& name, long value) override;

    std::map<std::string, std::map<std::string, std::string>> strings;
    std::map<std::string, std::map<std::string, long>> ints;
    // Names in the order they were written, for checking the save order.
    std::vector<std::string> writeOrder;
};

inline constexpr const char* kSettingsSection = "Brindle";
inline constexpr long kMagicWritten = 7700057;
inline constexpr long kMagicDefault = 98789;

class Settings {
  public:
    Settings();

    void Load(SettingsStore& store, SystemAccess& system);
    void Save(SettingsStore& store) const;
    // The repair of an invalid stored record; shows its warning.
    void ResetToDefaults(SystemAccess& system);
    // Fields that belong to one document: zoom, zoom limits, grid.
    void ResetDocumentFields();
    // Start-up additions after Load: remember PATH, make sure the current directory is usable,
    // extend PATH with the modules folder.
    void StartUp(SystemAccess& system);

    // Simulator folders. The null forms warn "SetXDir, string is NULL" and store "C:\".
    void SetFS98Dir(const char* dir);
    void SetFS2000Dir(const char* dir);
    void SetCFSDir(const char* dir);
    void SetCFS2Dir(const char* dir);
    void SetFS98Dir(const std::string& dir) { SetFS98Dir(dir.c_str()); }
    void SetFS2000Dir(const std::string& dir) { SetFS2000Dir(dir.c_str()); }
    void SetCFSDir(const std::string& dir) { SetCFSDir(dir.c_str()); }
    void SetCFS2Dir(const std::string& dir) { SetCFS2Dir(dir.c_str()); }
    const std::string& FS98Dir() const { return fs98Dir_; }
    const std::string& FS2000Dir() const { return fs2000Dir_; }
    const std::string& CFSDir() const { return cfsDir_; }
    const std::string& CFS2Dir() const { return cfs2Dir_; }

    // Any stored mode outside 0..3 reads as FS98.
    SimMode Mode() const { return (mode_ >= 0 && mode_ <= 3) ? static_cast<SimMode>(mode_) : kModeFS98; }
    int RawMode() const { return mode_; }
    void SetMode(int mode);
    // The folder of the current mode; GaugesDir is that folder plus "gauges".
    const std::string& SimDir() const;
    // Sets the folder of the current mode (as the mode's own setter does).
    void SetSimDir(const std::string& dir);
    const std::string& GaugesDir() const { return gaugesDir_; }
    std::string GaugesDirForDisplay() const;
    std::string AircraftDir() const;

    const std::string& CurrentFile() const { return currentFile_; }
    void SetCurrentFile(const std::string& f) { currentFile_ = f; }
    std::string CurrentFileForDisplay() const;
    // Directory of the current file (display form), or empty when there is none.
    std::string CurrentFileDir() const;

    const std::string& LastFileRead() const { return lastFileRead_; }
    void SetLastFileRead(const std::string& f) { lastFileRead_ = f; }
    const std::string& LastTitle() const { return lastTitle_; }
    void SetLastTitle(const std::string& t) { lastTitle_ = t; }
    const std::string& SavedPath() const { return savedPath_; }
    void SetSavedPath(const std::string& p) { savedPath_ = p; }
    const std::string& CopyrightFile() const { return copyrightFile_; }
    void SetCopyrightFile(const std::string& f) { copyrightFile_ = f; }
    const std::string& PaintProgram() const { return paintProgram_; }
    void SetPaintProgram(const std::string& p) { paintProgram_ = p; }

    int OsKind() const { return osKind_; }
    int LastWindow() const { return lastWindow_; }
    void SetLastWindow(int w) { lastWindow_ = w; }
    int Reload() const { return reload_; }
    void SetReload(int v) { reload_ = v; }
    int RememberWindowPosition() const { return rememberWindowPosition_; }
    void SetRememberWindowPosition(int v) { rememberWindowPosition_ = v; }
    int CreateBackup() const { return createBackup_; }
    void SetCreateBackup(int v) { createBackup_ = v; }
    int HighRes() const { return highRes_; }
    void SetHighRes(int v) { highRes_ = v; }
    int DrawAllBitmaps() const { return drawAllBitmaps_; }
    void SetDrawAllBitmaps(int v) { drawAllBitmaps_ = v; }
    int UseSWTransparentBLT() const { return useSWTransparentBLT_; }
    void SetUseSWTransparentBLT(int v) { useSWTransparentBLT_ = v; }
    int UseHalftoneBLT() const { return useHalftoneBLT_; }
    void SetUseHalftoneBLT(int v) { useHalftoneBLT_ = v; }
    int GaugeDrawTypes() const { return gaugeDrawTypes_; }
    void SetGaugeDrawTypes(int v) { gaugeDrawTypes_ = v; }
    int TransparentGauges() const { return transparentGauges_; }
    void SetTransparentGauges(int v) { transparentGauges_ = v; }

    double Zoom() const { return zoom_; }
    // Clamped to ZoomMin..ZoomMax.
    void SetZoom(double z);
    double ZoomStep() const { return zoomStep_; }
    void SetZoomStep(double v) { zoomStep_ = v; }
    double ZoomMax() const { return zoomMax_; }
    void SetZoomMax(double v) { zoomMax_ = v; }
    double ZoomMin() const { return zoomMin_; }
    void SetZoomMin(double v) { zoomMin_ = v; }
    // The zoom the view starts with: "LastZoom" / 100 as loaded.
    double StartZoom() const { return startZoom_; }
    void SetStartZoom(double z) { startZoom_ = z; }

    int GridSize() const { return gridSize_; }
    void SetGridSize(int v) { gridSize_ = v; }
    int GridVisible() const { return gridVisible_; }
    void SetGridVisible(int v) { gridVisible_ = v; }
    int SnapToGrid() const { return snapToGrid_; }
    void SetSnapToGrid(int v) { snapToGrid_ = v; }

    // The program's own clipboard of copied gauge entries.
    std::vector<std::string>& GaugeClipboard() { return gaugeClipboard_; }
    const std::vector<std::string>& GaugeClipboard() const { return gaugeClipboard_; }
    int GaugeClipboardCount() const { return static_cast<int>(gaugeClipboard_.size()); }

    // left, top, right, bottom, show command, flags.
    const std::array<int, 6>& WindowPosition() const { return windowPosition_; }
    void SetWindowPosition(const std::array<int, 6>& p) { windowPosition_ = p; }
    // Scans "%d %d %d %d %d %d"; fields the text does not supply keep their values.
    void ParseWindowPosition(const std::string& text);
    std::string FormatWindowPosition() const;

    // PATH = SavedPath + ";" + SimDir + "\modules" (the system's list separator and folder
    // separator here); an empty SavedPath leaves PATH alone.
    void ExtendPathWithModules(SystemAccess& system) const;

  private:
    void recomputeGaugesDir();
    void setDir(std::string& field, const char* dir, const char* setterName);

    int osKind_ = 0;
    std::string fs98Dir_, fs2000Dir_, cfsDir_, cfs2Dir_;
    std::string currentFile_, gaugesDir_, lastFileRead_, lastTitle_, savedPath_;
    int lastWindow_ = 0;
    int reload_ = 1, rememberWindowPosition_ = 0, createBackup_ = 1, highRes_ = 1, drawAllBitmaps_ = 1;
    double zoom_ = 1.0;
    int mode_ = 0;
    int useSWTransparentBLT_ = 0, useHalftoneBLT_ = 0;
    std::string copyrightFile_, paintProgram_;
    int gaugeDrawTypes_ = 1;
    double zoomStep_ = 1.2, zoomMax_ = 12.0, zoomMin_ = 0.2;
    int gridSize_ = 10, gridVisible_ = 0, snapToGrid_ = 0;
    int transparentGauges_ = 1;
    std::vector<std::string> gaugeClipboard_;
    std::array<int, 6> windowPosition_{};
    double startZoom_ = 1.0;
};

// The process-wide record.
Settings& GlobalSettings();

// Simulator folder discovery: the DirectPlay "Path" value, else the first candidate folder that
// exists, else the default text (mapped to a real folder where the drive exists).
std::string DiscoverFS98Dir(SystemAccess& system);
std::string DiscoverFS2000Dir(SystemAccess& system);
std::string DiscoverCFSDir(SystemAccess& system);
std::string DiscoverCFS2Dir(SystemAccess& system);

// The next free "<name>_backupNNN.cfg" beside `path` (001 to 998), or nullopt when the path has no
// dot or every number is taken.
std::optional<std::string> BackupFileName(const std::string& path);

// The system's notepad, or nullopt when it does not exist or its path is too long.
std::optional<std::string> NotepadPath(SystemAccess& system);

}  // namespace brindle
