#include "app/settings.h"

#include <cstdio>
#include <sstream>

#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {

std::optional<std::string> MemorySettingsStore::readString(const std::string& section,
                                                           const std::string& name) {
    auto s = strings.find(section);
    if (s == strings.end()) return std::nullopt;
    auto v = s->second.find(name);
    if (v == s->second.end()) return std::nullopt;
    return v->second;
}

std::optional<long> MemorySettingsStore::readInt(const std::string& section, const std::string& name) {
    auto s = ints.find(section);
    if (s == ints.end()) return std::nullopt;
    auto v = s->second.find(name);
    if (v == s->second.end()) return std::nullopt;
    return v->second;
}

void MemorySettingsStore::writeString(const std::string& section, const std::string& name,
                                      const std::string& value) {
    strings[section][name] = value;
    writeOrder.push_back(name);
}

void MemorySettingsStore::writeInt(const std::string& section, const std::string& name, long value) {
    ints[section][name] = value;
    writeOrder.push_back(name);
}

Settings::Settings() {
    fs98Dir_ = fs2000Dir_ = cfsDir_ = cfs2Dir_ = "C:\\";
    recomputeGaugesDir();
    ResetDocumentFields();
}

Settings& GlobalSettings() {
    static Settings settings;
    return settings;
}

void Settings::ResetDocumentFields() {
    zoom_ = 1.0;
    zoomStep_ = 1.2;
    zoomMax_ = 12.0;
    zoomMin_ = 0.2;
    gridSize_ = 10;
    gridVisible_ = 0;
    snapToGrid_ = 0;
}

void Settings::setDir(std::string& field, const char* dir, const char* setterName) {
    if (!dir) {
        ShowWarning(std::string(setterName) + ", string is NULL");
        field = "C:\\";
    } else {
        field = dir;
    }
    recomputeGaugesDir();
}

void Settings::SetFS98Dir(const char* dir) {
    setDir(fs98Dir_, dir, "SetFS98Dir");
}
void Settings::SetFS2000Dir(const char* dir) {
    setDir(fs2000Dir_, dir, "SetFS2000Dir");
}
void Settings::SetCFSDir(const char* dir) {
    setDir(cfsDir_, dir, "SetCFSDir");
}
void Settings::SetCFS2Dir(const char* dir) {
    setDir(cfs2Dir_, dir, "SetCFS2Dir");
}

void Settings::SetMode(int mode) {
    mode_ = mode;
    recomputeGaugesDir();
}

void Settings::SetSimDir(const std::string& dir) {
    switch (mode_) {
        case kModeFS2000:
            SetFS2000Dir(dir);
            break;
        case kModeCFS:
            SetCFSDir(dir);
            break;
        case kModeCFS2:
            SetCFS2Dir(dir);
            break;
        default:
            SetFS98Dir(dir);
            break;
    }
}

const std::string& Settings::SimDir() const {
    switch (mode_) {
        case kModeFS2000:
            return fs2000Dir_;
        case kModeCFS:
            return cfsDir_;
        case kModeCFS2:
            return cfs2Dir_;
        default:
            return fs98Dir_;
    }
}

void Settings::recomputeGaugesDir() {
    gaugesDir_ = SimDir() + kPathSep + "gauges";
}

std::string Settings::AircraftDir() const {
    return SimDir() + kPathSep + "Aircraft";
}

static std::string upperFirst(std::string s) {
    if (!s.empty() && s[0] >= 'a' && s[0] <= 'z') s[0] = static_cast<char>(s[0] - 32);
    return s;
}

std::string Settings::GaugesDirForDisplay() const {
    return upperFirst(gaugesDir_);
}
std::string Settings::CurrentFileForDisplay() const {
    return upperFirst(currentFile_);
}
std::string Settings::CurrentFileDir() const {
    return DirectoryPart(CurrentFileForDisplay()).value_or("");
}

void Settings::SetZoom(double z) {
    if (z > zoomMax_) z = zoomMax_;
    if (z < zoomMin_) z = zoomMin_;
    zoom_ = z;
}

void Settings::ParseWindowPosition(const std::string& text) {
    int v[6];
    int n = std::sscanf(text.c_str(), "%d %d %d %d %d %d", &v[0], &v[1], &v[2], &v[3], &v[4], &v[5]);
    for (int i = 0; i < n && i < 6; ++i) windowPosition_[static_cast<size_t>(i)] = v[i];
}

std::string Settings::FormatWindowPosition() const {
    char buf[96];
    std::snprintf(buf, sizeof buf, "%5d %5d %5d %5d %5d %5d", windowPosition_[0], windowPosition_[1],
                  windowPosition_[2], windowPosition_[3], windowPosition_[4], windowPosition_[5]);
    return buf;
}

void Settings::ResetToDefaults(SystemAccess& system) {
    ShowWarning("Registry Entries for Brindle are invalid!\n\nDefault values will be set");
    SetFS98Dir(DiscoverFS98Dir(system));
    SetFS2000Dir(DiscoverFS2000Dir(system));
    SetCFSDir(DiscoverCFSDir(system));
    SetCFS2Dir(DiscoverCFS2Dir(system));
    SetMode(0);
    lastFileRead_.clear();
    lastTitle_.clear();
    lastWindow_ = 0;
    startZoom_ = 1.0;
    reload_ = createBackup_ = transparentGauges_ = rememberWindowPosition_ = drawAllBitmaps_ = highRes_ = 0;
    copyrightFile_.clear();
    paintProgram_.clear();
    useSWTransparentBLT_ = useHalftoneBLT_ = 0;
    gaugeDrawTypes_ = 1;
}

void Settings::Load(SettingsStore& store, SystemAccess& system) {
    const std::string sec = kSettingsSection;
    auto str = [&](const char* name, const char* def) { return store.readString(sec, name).value_or(def); };
    auto num = [&](const char* name, long def) { return store.readInt(sec, name).value_or(def); };

    std::string fs98 = str("FS98Dir", "C:\\");
    long mode = num("Mode", 0);
    long magic = num("Magic", kMagicDefault);
    bool valid = (magic == kMagicWritten || magic == kMagicDefault) && fs98.size() <= 260 &&
                 fs98.find("     ") == std::string::npos && mode >= 0 && mode <= 3;
    if (!valid) {
        ResetToDefaults(system);
    } else {
        struct DirValue {
            const char* name;
            void (Settings::*set)(const std::string&);
            std::string (*discover)(SystemAccess&);
        };
        const DirValue dirs[] = {{"FS98Dir", &Settings::SetFS98Dir, &DiscoverFS98Dir},
                                 {"FS2000Dir", &Settings::SetFS2000Dir, &DiscoverFS2000Dir},
                                 {"CFSDir", &Settings::SetCFSDir, &DiscoverCFSDir},
                                 {"CFS2Dir", &Settings::SetCFS2Dir, &DiscoverCFS2Dir}};
        for (const auto& d : dirs) {
            std::string value = str(d.name, "C:\\");
            (this->*d.set)(value == "C:\\" ? d.discover(system) : value);
        }
        copyrightFile_ = str("CopyrightFile", "");
        paintProgram_ = str("PaintProgram", "");
        SetMode(static_cast<int>(num("Mode", 0)));
        lastFileRead_ = str("LastFileRead", "");
        lastTitle_ = str("LastTitle", "");
        lastWindow_ = static_cast<int>(num("LastWindow", 0));
        long zoom = num("LastZoom", 100);
        if (zoom == 0) zoom = 100;
        startZoom_ = static_cast<double>(zoom) * 0.01;
        reload_ = static_cast<int>(num("Reload", 1));
        createBackup_ = static_cast<int>(num("CreateBackup", 1));
        transparentGauges_ = static_cast<int>(num("TransparentGauges", 1));
        rememberWindowPosition_ = static_cast<int>(num("RememberWindowPosition", 0));
        drawAllBitmaps_ = static_cast<int>(num("DrawAllBitmaps", 1));
        highRes_ = static_cast<int>(num("HighRes", 1));
        useSWTransparentBLT_ = static_cast<int>(num("UseSWTransparentBLT", 0));
        useHalftoneBLT_ = static_cast<int>(num("UseHalftoneBLT", 0));
        gaugeDrawTypes_ = static_cast<int>(num("Gauge Draw Types", 1));
    }
    osKind_ = system.osKind();
    ParseWindowPosition(str("WindowPosition", ""));
}

void Settings::Save(SettingsStore& store) const {
    const std::string sec = kSettingsSection;
    store.writeInt(sec, "UseSWTransparentBLT", useSWTransparentBLT_);
    store.writeInt(sec, "UseHalftoneBLT", useHalftoneBLT_);
    store.writeInt(sec, "Gauge Draw Types", gaugeDrawTypes_);
    store.writeString(sec, "FS98Dir", fs98Dir_);
    store.writeString(sec, "FS2000Dir", fs2000Dir_);
    store.writeString(sec, "CFSDir", cfsDir_);
    store.writeString(sec, "CFS2Dir", cfs2Dir_);
    store.writeString(sec, "CopyrightFile", copyrightFile_);
    store.writeString(sec, "PaintProgram", paintProgram_);
    store.writeInt(sec, "Magic", kMagicWritten);
    store.writeInt(sec, "Mode", Mode());
    store.writeString(sec, "LastFileRead", upperFirst(currentFile_));
    store.writeString(sec, "LastTitle", lastTitle_);
    store.writeInt(sec, "LastWindow", lastWindow_);
    store.writeInt(sec, "LastZoom", static_cast<long>(zoom_ * 100.0));
    store.writeInt(sec, "Reload", reload_);
    store.writeInt(sec, "CreateBackup", createBackup_);
    store.writeInt(sec, "TransparentGauges", transparentGauges_);
    store.writeInt(sec, "RememberWindowPosition", rememberWindowPosition_);
    store.writeInt(sec, "HighRes", highRes_);
    store.writeInt(sec, "DrawAllBitmaps", drawAllBitmaps_);
    store.writeString(sec, "WindowPosition", FormatWindowPosition());
}

void Settings::ExtendPathWithModules(SystemAccess& system) const {
    if (savedPath_.empty()) return;
#ifdef _WIN32
    const char* listSep = ";";
#else
    const char* listSep = ":";
#endif
    system.setEnv("PATH", savedPath_ + listSep + JoinPath(SimDir(), "modules"));
}

void Settings::StartUp(SystemAccess& system) {
    savedPath_ = system.getEnv("PATH").value_or("");
    if (savedPath_.size() > 2047) savedPath_.resize(2047);
    if (SimDir().size() < 2) SetFS98Dir(DiscoverFS98Dir(system));
    ExtendPathWithModules(system);
}

namespace {

std::string discover(SystemAccess& system, const char* key, std::initializer_list<const char*> candidates,
                     const char* fallback) {
    if (auto path = system.readMachineString(key, "Path")) return system.mapWindowsPath(*path);
    for (const char* c : candidates) {
        std::string mapped = system.mapWindowsPath(c);
        if (DirectoryExists(mapped)) return mapped;
    }
    return system.mapWindowsPath(fallback);
}

constexpr const char* kFS98Default = "C:\\Program Files\\Microsoft Games\\Flight Simulator";

}  // namespace

std::string DiscoverFS98Dir(SystemAccess& system) {
    return discover(system, "SOFTWARE\\Microsoft\\DirectPlay\\Applications\\FlightSimulator",
                    {kFS98Default, "D:\\fs98", "C:\\fs98"}, kFS98Default);
}

std::string DiscoverFS2000Dir(SystemAccess& system) {
    // The first candidate is the FS98 default folder: FS2000 installs there when it upgrades FS98.
    return discover(system, "SOFTWARE\\Microsoft\\DirectPlay\\Applications\\FS2000",
                    {kFS98Default, "D:\\fs2000", "C:\\fs2000"},
                    "C:\\Program Files\\Microsoft Games\\Flight Simulator 2000");
}

std::string DiscoverCFSDir(SystemAccess& system) {
    return discover(system, "SOFTWARE\\Microsoft\\DirectPlay\\Applications\\Combat Flight Simulator",
                    {"C:\\Program Files\\Microsoft Games\\Combat Flight Simulator", "D:\\cfs", "C:\\cfs"},
                    "C:\\Program Files\\Microsoft Games\\Combat Flight Simulator");
}

std::string DiscoverCFS2Dir(SystemAccess& system) {
    return discover(system, "SOFTWARE\\Microsoft\\DirectPlay\\Applications\\Combat Flight Simulator 2",
                    {"C:\\Program Files\\Microsoft Games\\Combat Flight Simulator 2", "D:\\cfs2", "C:\\cfs2"},
                    "C:\\Program Files\\Microsoft Games\\Combat Flight Simulator 2");
}

std::optional<std::string> BackupFileName(const std::string& path) {
    size_t dot = path.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    std::string base = path.substr(0, dot);
    for (int n = 1; n <= 998; ++n) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, "_backup%03d.cfg", n);
        std::string candidate = base + suffix;
        if (!PathExists(candidate)) return candidate;
    }
    return std::nullopt;
}

std::optional<std::string> NotepadPath(SystemAccess& system) {
    std::string dir = system.windowsDirectory();
    if (dir.empty()) return std::nullopt;
    std::string path = JoinPath(dir, "notepad.exe");
    if (path.size() > 260 || !FileExists(path)) return std::nullopt;
    return ResolvePath(path);
}

}  // namespace brindle
