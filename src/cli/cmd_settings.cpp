// brindle-cli settings: the mode dialog and the three preference dialogs on a settings file, the same
// file the editor keeps with --settings FILE. Only the file named is read and written; the user's
// own settings are never touched.
#include <cstring>
#include <iostream>
#include <map>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <vector>

#include "app/preferences.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "platform/paths.h"
#include "platform/system.h"

namespace brindle::cli {
namespace {

// The editor's settings file: "[group]" lines, "key=value" lines; in keys a backslash escapes the
// next character, in values \\ \n \r \t \" are escapes and a value may be quoted.
class SettingsFile : public SettingsStore {
  public:
    explicit SettingsFile(const std::string& text) {
        std::string group;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            if (!line.empty() && line[0] == '[' && line.back() == ']') {
                group = line.substr(1, line.size() - 2);
                Group(group);
                continue;
            }
            size_t eq = FindEquals(line);
            if (eq == std::string::npos) continue;
            std::string key = Unescape(Trim(line.substr(0, eq)), false);
            Group(group).emplace_back(key, ValueIn(Trim(line.substr(eq + 1))));
        }
    }

    std::optional<std::string> readString(const std::string& section, const std::string& name) override {
        for (const auto& [k, v] : Group(section))
            if (k == name) return v;
        return std::nullopt;
    }
    std::optional<long> readInt(const std::string& section, const std::string& name) override {
        std::optional<std::string> v = readString(section, name);
        if (!v) return std::nullopt;
        try {
            size_t used = 0;
            long n = std::stol(*v, &used);
            if (used == v->size()) return n;
        } catch (const std::exception&) {
        }
        return std::nullopt;
    }
    void writeString(const std::string& section, const std::string& name, const std::string& value) override {
        for (auto& [k, v] : Group(section))
            if (k == name) {
                v = value;
                return;
            }
        Group(section).emplace_back(name, value);
    }
    void writeInt(const std::string& section, const std::string& name, long value) override {
        writeString(section, name, std::to_string(value));
    }

    std::string Text() const {
        std::string out;
        for (const auto& [group, entries] : groups_) {
            if (!group.empty()) out += "[" + group + "]\n";
            for (const auto& [k, v] : entries) out += KeyOut(k) + "=" + ValueOut(v) + "\n";
        }
        return out;
    }

  private:
    using Entries = std::vector<std::pair<std::string, std::string>>;
    Entries& Group(const std::string& name) {
        for (auto& g : groups_)
            if (g.first == name) return g.second;
        groups_.emplace_back(name, Entries{});
        return groups_.back().second;
    }
    static std::string Trim(const std::string& s) {
        size_t a = s.find_first_not_of(" \t"), b = s.find_last_not_of(" \t");
        return a == std::string::npos ? "" : s.substr(a, b - a + 1);
    }
    static size_t FindEquals(const std::string& line) {
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '\\')
                ++i;
            else if (line[i] == '=')
                return i;
        }
        return std::string::npos;
    }
    static std::string Unescape(const std::string& s, bool value) {
        std::string out;
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] != '\\' || i + 1 == s.size()) {
                out += s[i];
                continue;
            }
            char c = s[++i];
            out += !value ? c : c == 'n' ? '\n' : c == 'r' ? '\r' : c == 't' ? '\t' : c;
        }
        return out;
    }
    static std::string ValueIn(const std::string& s) {
        if (s.size() >= 2 && s.front() == '"' && s.back() == '"')
            return Unescape(s.substr(1, s.size() - 2), true);
        return Unescape(s, true);
    }
    static std::string KeyOut(const std::string& k) {
        std::string out;
        for (char c : k) {
            if (c == ' ' || c == '\\' || c == '=' || c == '[' || c == ']') out += '\\';
            out += c;
        }
        return out;
    }
    static std::string ValueOut(const std::string& v) {
        const bool quote = !v.empty() && (v.front() == ' ' || v.front() == '"' || v.back() == ' ');
        std::string out = quote ? "\"" : "";
        for (char c : v) {
            if (c == '\n')
                out += "\\n";
            else if (c == '\r')
                out += "\\r";
            else if (c == '\t')
                out += "\\t";
            else if (c == '\\')
                out += "\\\\";
            else if (c == '"' && quote)
                out += "\\\"";
            else
                out += c;
        }
        return quote ? out + "\"" : out;
    }

    std::vector<std::pair<std::string, Entries>> groups_;
};

std::optional<SimMode> ModeNamed(const std::string& text) {
    for (const SimModeInfo& m : SimModes())
        if (EqualsNoCase(m.radio, text)) return m.mode;
    return std::nullopt;
}

struct SettingsArgs {
    std::string file;
    std::string mode;
    std::map<SimMode, std::string> dirs;
    std::optional<bool> reload, backups, rememberPosition, highRes, softwareBlit, halftone;
    std::optional<std::string> copyright, paint, elements;
    bool yes = false, no = false;
};

int RunSettings(const SettingsArgs& a) {
    DialogMessageUi ui(a.yes ? Answer::Yes : Answer::No);
    ScopedMessageUi scope(ui);
    SettingsFile store(ReadFileText(a.file).value_or(""));
    std::unique_ptr<SystemAccess> system = MakeDefaultSystemAccess();
    Settings s;
    s.Load(store, *system);

    if (!a.mode.empty() || !a.dirs.empty()) {
        ModeDirDialogLogic mode(s);
        if (!a.mode.empty()) {
            std::optional<SimMode> m = ModeNamed(a.mode);
            if (!m) {
                std::cerr << "unknown mode: " << a.mode << '\n';
                return kExitUsage;
            }
            mode.SelectMode(*m);
        }
        for (const auto& [m, dir] : a.dirs) mode.Dir(m) = dir;
        if (!mode.Ok()) return kExitFailed;  // the file is not written
    }
    PreferencesDialogLogic prefs(s);
    if (a.reload) prefs.reload = *a.reload;
    if (a.backups) prefs.createBackup = *a.backups;
    if (a.rememberPosition) prefs.rememberWindowPosition = *a.rememberPosition;
    if (a.highRes) prefs.highRes = *a.highRes;
    if (a.copyright) prefs.copyrightFile = *a.copyright;
    if (a.paint) prefs.paintProgram = *a.paint;
    prefs.Ok();
    struct NoDesktop : DesktopIntegration {
        AssociationResult RegisterPanelFileType(const std::string&) override { return {}; }
    } desktop;
    AdvancedPrefsDialogLogic advanced(s, desktop, "");
    if (a.softwareBlit && advanced.SWTransparentEnabled()) advanced.useSWTransparentBLT = *a.softwareBlit;
    if (a.halftone) advanced.useHalftoneBLT = *a.halftone;
    advanced.Ok();
    if (a.elements) {
        GaugeDrawPrefsDialogLogic drawing(s);
        if (*a.elements == "defaults") {
            drawing.Defaults();
        } else {
            drawing.staticImages = drawing.icons = drawing.sliders = false;
            std::istringstream in(*a.elements);
            for (std::string e; std::getline(in, e, ',');) {
                if (e == "static")
                    drawing.staticImages = true;
                else if (e == "icons")
                    drawing.icons = true;
                else if (e == "sliders")
                    drawing.sliders = true;
                else if (!e.empty()) {
                    std::cerr << "unknown gauge element: " << e << " (static, icons, sliders or defaults)\n";
                    return kExitUsage;
                }
            }
        }
        drawing.Ok();
    }
    // What the editor remembers of its last run goes back as it came.
    s.SetCurrentFile(s.LastFileRead());
    s.SetZoom(s.StartZoom());
    s.Save(store);
    int error = 0;
    if (!WriteFileAtomically(a.file, store.Text(), &error)) {
        std::cerr << "can't write " << a.file << ": " << std::strerror(error) << '\n';
        return kExitFailed;
    }
    nlohmann::json out = {{"mode", SimModeInfoOf(s.Mode()).radio},
                          {"FS2000Dir", s.FS2000Dir()},
                          {"FS98Dir", s.FS98Dir()},
                          {"CFSDir", s.CFSDir()},
                          {"CFS2Dir", s.CFS2Dir()},
                          {"Reload", s.Reload()},
                          {"CreateBackup", s.CreateBackup()},
                          {"RememberWindowPosition", s.RememberWindowPosition()},
                          {"HighRes", s.HighRes()},
                          {"CopyrightFile", s.CopyrightFile()},
                          {"PaintProgram", s.PaintProgram()},
                          {"UseSWTransparentBLT", s.UseSWTransparentBLT()},
                          {"UseHalftoneBLT", s.UseHalftoneBLT()},
                          {"GaugeDrawTypes", s.GaugeDrawTypes()}};
    std::cout << out.dump(2) << '\n';
    return kExitOk;
}

const CommandRegistration kSettingsCommand([](CLI::App& app, int* result) {
    auto a = std::make_shared<SettingsArgs>();
    CLI::App* cmd = app.add_subcommand(
        "settings",
        "Change the simulator mode, its folders and the preferences in a settings file (the "
        "editor's --settings FILE) and print them as JSON");
    cmd->add_option("--settings", a->file, "the settings file (made when missing)")->required();
    cmd->add_option("--mode", a->mode, "FS2000, FS98, CFS or CFS2");
    for (const SimModeInfo& m : SimModes()) {
        std::string name = "--" + ToLowerAscii(m.radio) + "-dir";
        cmd->add_option_function<std::string>(
            name, [a, mode = m.mode](const std::string& d) { a->dirs[mode] = d; },
            std::string("the folder ") + m.radio + " is installed in");
    }
    auto flag = [&](const char* name, std::optional<bool>& target, const char* what) {
        cmd->add_option_function<int>(
               name, [&target](int v) { target = v != 0; }, std::string(what) + " (0 or 1)")
            ->check(CLI::Range(0, 1));
    };
    flag("--reload", a->reload, "load the last edited panel at start-up");
    flag("--backups", a->backups, "numbered backups of edited files");
    flag("--remember-position", a->rememberPosition, "remember the main window's position");
    flag("--high-res", a->highRes, "high-resolution bitmaps and gauges");
    flag("--software-blit", a->softwareBlit, "software routine for transparent drawing");
    flag("--halftone", a->halftone, "higher quality drawing mode");
    cmd->add_option_function<std::string>(
        "--copyright-file", [a](const std::string& v) { a->copyright = v; }, "the copyright file");
    cmd->add_option_function<std::string>(
        "--paint-program", [a](const std::string& v) { a->paint = v; }, "the paint program");
    cmd->add_option_function<std::string>(
        "--gauge-elements", [a](const std::string& v) { a->elements = v; },
        "gauge elements drawn: a list of static, icons, sliders, or defaults");
    auto* yes = cmd->add_flag("--yes", a->yes, "keep a simulator folder that can't be read");
    cmd->add_flag("--no", a->no, "refuse a simulator folder that can't be read (the default)")->excludes(yes);
    cmd->callback([a, result] { *result = RunSettings(*a); });
});

}  // namespace
}  // namespace brindle::cli
