#include "app/preferences.h"

#include <filesystem>

#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {
namespace {

bool g_associatedThisRun = false;

const std::string& DirOf(const Settings& s, SimMode mode) {
    switch (mode) {
        case kModeFS2000:
            return s.FS2000Dir();
        case kModeCFS:
            return s.CFSDir();
        case kModeCFS2:
            return s.CFS2Dir();
        default:
            return s.FS98Dir();
    }
}

}  // namespace

const std::array<SimModeInfo, 4>& SimModes() {
    static const std::array<SimModeInfo, 4> kModes = {{
        {kModeFS2000, "FS2000", "Flight Simulator 2000 Install Directory", "Choose the FS2000 Folder"},
        {kModeFS98, "FS98", "Flight Simulator 98 Install Directory", "Choose the FS98 Folder"},
        {kModeCFS, "CFS", "Combat Flight Simulator Install Directory", "Choose the CFS Folder"},
        {kModeCFS2, "CFS2", "Combat Flight Simulator 2 Install Directory", "Choose the CFS2 Folder"},
    }};
    return kModes;
}

const SimModeInfo& SimModeInfoOf(SimMode mode) {
    for (const SimModeInfo& m : SimModes())
        if (m.mode == mode) return m;
    return SimModes()[1];
}

bool SimFolderUsable(const std::string& dir) {
    if (dir.empty() || !DirectoryExists(dir)) return false;
    std::error_code ec;
    std::filesystem::directory_iterator it(std::filesystem::path(ResolvePath(dir)), ec);
    return !ec;
}

ModeDirDialogLogic::ModeDirDialogLogic(Settings& settings)
    : settings_(settings), initialMode_(settings.RawMode()) {
    for (const SimModeInfo& m : SimModes()) dirs[m.mode] = initialDirs_[m.mode] = DirOf(settings, m.mode);
}

void ModeDirDialogLogic::SelectMode(SimMode mode) {
    settings_.SetMode(mode);
}

void ModeDirDialogLogic::Browsed(SimMode mode, const std::optional<std::string>& chosen) {
    if (chosen) dirs[mode] = *chosen;
}

bool ModeDirDialogLogic::Ok() {
    const SimModeInfo& current = SimModeInfoOf(settings_.Mode());
    const std::string& dir = dirs[current.mode];
    if (!SimFolderUsable(dir)) {
        std::string text = "The " + std::string(current.radio) + " folder \"" + dir +
                           "\" does not exist or can't be read.\nBrindle won't find the aircraft and "
                           "gauges of " +
                           current.radio + " there.\n\nKeep it anyway?";
        if (AskQuestion(QuestionKind::YesNo, text, kCaption) != Answer::Yes) return false;
    }
    settings_.SetFS2000Dir(dirs[kModeFS2000]);
    settings_.SetFS98Dir(dirs[kModeFS98]);
    settings_.SetCFSDir(dirs[kModeCFS]);
    settings_.SetCFS2Dir(dirs[kModeCFS2]);
    return true;
}

void ModeDirDialogLogic::Cancel() {
    settings_.SetFS2000Dir(initialDirs_[kModeFS2000]);
    settings_.SetFS98Dir(initialDirs_[kModeFS98]);
    settings_.SetCFSDir(initialDirs_[kModeCFS]);
    settings_.SetCFS2Dir(initialDirs_[kModeCFS2]);
    settings_.SetMode(initialMode_);
}

bool ModeDirDialogLogic::ModeChanged() const {
    // A stored mode outside 0..3 reads as FS98.
    const int before = initialMode_ >= 0 && initialMode_ <= 3 ? initialMode_ : kModeFS98;
    return settings_.Mode() != before;
}

PreferencesDialogLogic::PreferencesDialogLogic(Settings& settings)
    : reload(settings.Reload() != 0),
      createBackup(settings.CreateBackup() != 0),
      rememberWindowPosition(settings.RememberWindowPosition() != 0),
      highRes(settings.HighRes() != 0),
      copyrightFile(settings.CopyrightFile()),
      paintProgram(settings.PaintProgram()),
      settings_(settings),
      highResAtOpening_(highRes) {}

void PreferencesDialogLogic::BrowsedCopyright(const std::optional<std::string>& chosen) {
    if (chosen) copyrightFile = *chosen;
}

void PreferencesDialogLogic::BrowsedPaintProgram(const std::optional<std::string>& chosen) {
    if (chosen) paintProgram = *chosen;
}

void PreferencesDialogLogic::Ok() {
    Settings& s = settings_;
    changed_ = (s.Reload() != 0) != reload || (s.CreateBackup() != 0) != createBackup ||
               (s.RememberWindowPosition() != 0) != rememberWindowPosition || (s.HighRes() != 0) != highRes ||
               s.CopyrightFile() != copyrightFile || s.PaintProgram() != paintProgram;
    s.SetReload(reload ? 1 : 0);
    s.SetCreateBackup(createBackup ? 1 : 0);
    s.SetRememberWindowPosition(rememberWindowPosition ? 1 : 0);
    s.SetHighRes(highRes ? 1 : 0);
    highResChanged_ = highRes != highResAtOpening_;
    s.SetCopyrightFile(copyrightFile);
    s.SetPaintProgram(paintProgram);
}

AdvancedPrefsDialogLogic::AdvancedPrefsDialogLogic(Settings& settings, DesktopIntegration& desktop,
                                                   std::string programPath)
    : useSWTransparentBLT(settings.UseSWTransparentBLT() != 0),
      useHalftoneBLT(settings.UseHalftoneBLT() != 0),
      settings_(settings),
      desktop_(desktop),
      programPath_(std::move(programPath)),
      swEnabled_(settings.OsKind() != 3 && settings.OsKind() != 4) {
    if (!swEnabled_) useSWTransparentBLT = true;
}

std::optional<AssociationResult> AdvancedPrefsDialogLogic::Associate() {
    if (g_associatedThisRun) return std::nullopt;
    g_associatedThisRun = true;
    return desktop_.RegisterPanelFileType(programPath_);
}

void AdvancedPrefsDialogLogic::ResetAssociatedThisRun() {
    g_associatedThisRun = false;
}

void AdvancedPrefsDialogLogic::Ok() {
    settings_.SetUseSWTransparentBLT(useSWTransparentBLT ? 1 : 0);
    settings_.SetUseHalftoneBLT(useHalftoneBLT ? 1 : 0);
}

GaugeDrawPrefsDialogLogic::GaugeDrawPrefsDialogLogic(Settings& settings)
    : staticImages((settings.GaugeDrawTypes() & 1) != 0),
      icons((settings.GaugeDrawTypes() & 16) != 0),
      sliders((settings.GaugeDrawTypes() & 8) != 0),
      settings_(settings) {}

void GaugeDrawPrefsDialogLogic::Defaults() {
    staticImages = icons = sliders = true;
}

int GaugeDrawPrefsDialogLogic::Mask() const {
    return (staticImages ? 1 : 0) + (icons ? 16 : 0) + (sliders ? 8 : 0);
}

void GaugeDrawPrefsDialogLogic::Ok() {
    settings_.SetGaugeDrawTypes(Mask());
}

std::optional<std::string> FirstStartMessage(const Settings& settings) {
    for (const SimModeInfo& m : SimModes())
        if (SimFolderUsable(DirOf(settings, m.mode))) return std::nullopt;
    return "Brindle did not find Flight Simulator 98, Flight Simulator 2000, Combat Flight Simulator or "
           "Combat Flight Simulator 2 on this computer.\n\nIn the next window, choose the simulator "
           "whose panels you edit and the folder it is installed in. You can change both later with "
           "Options > FS Mode and Root Directory.";
}

}  // namespace brindle
