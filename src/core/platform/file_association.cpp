#include "platform/file_association.h"

#include <cerrno>
#include <cstring>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#endif

#include "document/text_editor.h"
#include "platform/paths.h"

namespace brindle {
namespace {

std::optional<std::string> DirectoryPartOf(const std::string& path) {
    size_t cut = path.find_last_of("/\\");
    if (cut == std::string::npos) return std::nullopt;
    if (cut == 0) return path.substr(0, 1);
    return path.substr(0, cut);
}

// Makes `path` and the folders above it; true when it is a folder afterwards.
bool MakeDirectories(const std::string& path) {
    if (path.empty() || DirectoryExists(path)) return !path.empty();
    if (std::optional<std::string> parent = DirectoryPartOf(path); parent && *parent != path)
        if (!MakeDirectories(*parent)) return false;
    int error = 0;
    return MakeDirectory(path, &error) || DirectoryExists(path);
}

}  // namespace

std::string PanelMimePackage() {
    return std::string(
               "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
               "  <mime-type type=\"") +
           kPanelMimeType +
           "\">\n"
           "    <comment>Flight simulator panel configuration</comment>\n"
           "    <sub-class-of type=\"text/plain\"/>\n"
           "    <glob pattern=\"panel.cfg\" weight=\"80\"/>\n"
           "  </mime-type>\n"
           "</mime-info>\n";
}

std::string DesktopExecArgument(const std::string& argument) {
    // Inside a quoted argument ", `, $ and \ take a backslash; the value is a string, whose own
    // escape doubles every backslash; a literal % is written %%.
    std::string quoted = "\"";
    for (char c : argument) {
        if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
        quoted += c;
    }
    quoted += '"';
    std::string out;
    for (char c : quoted) {
        if (c == '\\')
            out += "\\\\";
        else if (c == '%')
            out += "%%";
        else
            out += c;
    }
    return out;
}

std::string PanelDesktopEntry(const std::string& programPath) {
    return std::string(
               "[Desktop Entry]\n"
               "Type=Application\n"
               "Name=Brindle\n"
               "GenericName=Panel Editor\n"
               "Comment=Edit the panel.cfg files of FS98, FS2000, CFS and CFS2\n"
               "Exec=") +
           DesktopExecArgument(programPath) +
           " %f\n"
           "Terminal=false\n"
           "Categories=Development;\n"
           "MimeType=" +
           kPanelMimeType + ";\n";
}

AssociationResult FreedesktopIntegration::RegisterPanelFileType(const std::string& programPath) {
    AssociationResult r;
    if (dataHome_.empty()) {
        r.message = "Can't associate Brindle with panel.cfg files: neither XDG_DATA_HOME nor HOME is set.";
        return r;
    }
    for (char c : programPath) {
        if (static_cast<unsigned char>(c) < 32) {
            r.message = "Can't associate Brindle with panel.cfg files: the program's path holds a line end.";
            return r;
        }
    }
    const std::string mimeDir = JoinPath(dataHome_, "mime");
    const std::string packages = JoinPath(mimeDir, "packages");
    const std::string apps = JoinPath(dataHome_, "applications");
    const std::string mimeFile = JoinPath(packages, "brindle-panel.xml");
    const std::string entryFile = JoinPath(apps, kDesktopEntryName);
    auto write = [&](const std::string& folder, const std::string& file, const std::string& text) {
        int error = 0;
        if (MakeDirectories(folder) && WriteFileAtomically(file, text, &error)) return true;
        r.message = "Can't write \"" + file + "\": " + std::strerror(error ? error : errno ? errno : EACCES);
        return false;
    };
    if (!write(packages, mimeFile, PanelMimePackage())) return r;
    if (!write(apps, entryFile, PanelDesktopEntry(programPath))) return r;

    // The files are in place; the tools only refresh the desktop's caches and pick the default.
    std::vector<std::string> missed;
    std::vector<std::vector<std::string>> tools = {
        {"update-mime-database", mimeDir},
        {"update-desktop-database", apps},
        {"xdg-mime", "default", kDesktopEntryName, kPanelMimeType},
    };
    bool defaultSet = false;
    for (const auto& argv : tools) {
        const bool ran = runTool_ && runTool_(argv);
        if (argv[0] == "xdg-mime") defaultSet = ran;
        if (!ran) missed.push_back(argv[0]);
    }
    // Without xdg-mime the default goes straight into the user's mimeapps.list.
    if (!defaultSet && !configHome_.empty()) {
        const std::string list = JoinPath(configHome_, "mimeapps.list");
        std::string text = ReadFileText(list).value_or("");
        if (!write(configHome_, list, WithDefaultApplication(text, kPanelMimeType, kDesktopEntryName)))
            return r;
        std::erase(missed, std::string("xdg-mime"));
    }
    r.ok = true;
    r.message = "Brindle now opens panel.cfg files from the desktop.\n\nThe file type " +
                std::string(kPanelMimeType) + " is in \"" + mimeFile + "\",\nthe program entry in \"" +
                entryFile + "\".";
    if (!missed.empty()) {
        r.message +=
            "\n\nThese tools could not be run, so the desktop may notice the change only after the "
            "next login:";
        for (const std::string& m : missed) r.message += " " + m;
    }
    return r;
}

std::string WithDefaultApplication(const std::string& text, const std::string& mimeType,
                                   const std::string& desktopEntry) {
    const std::string line = mimeType + "=" + desktopEntry;
    std::vector<std::string> lines;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(pos, end - pos));
        pos = end + 1;
    }
    auto trimmed = [](std::string s) {
        while (!s.empty() && (s.back() == '\r' || s.back() == ' ' || s.back() == '\t')) s.pop_back();
        return s;
    };
    size_t header = lines.size();
    for (size_t i = 0; i < lines.size() && header == lines.size(); ++i)
        if (trimmed(lines[i]) == "[Default Applications]") header = i;
    if (header == lines.size()) {
        if (!lines.empty() && !trimmed(lines.back()).empty()) lines.push_back("");
        lines.push_back("[Default Applications]");
        lines.push_back(line);
    } else {
        size_t end = header + 1;
        while (end < lines.size() && trimmed(lines[end]).rfind('[', 0) != 0) ++end;
        bool replaced = false;
        for (size_t i = header + 1; i < end && !replaced; ++i) {
            const std::string t = trimmed(lines[i]);
            const size_t eq = t.find('=');
            if (eq != std::string::npos && trimmed(t.substr(0, eq)) == mimeType) {
                lines[i] = line;
                replaced = true;
            }
        }
        if (!replaced) {
            // After the section's last line that holds something.
            size_t at = end;
            while (at > header + 1 && trimmed(lines[at - 1]).empty()) --at;
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(at), line);
        }
    }
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

std::string FreedesktopIntegration::DefaultConfigHome(SystemAccess& system) {
    if (std::optional<std::string> xdg = system.getEnv("XDG_CONFIG_HOME");
        xdg && !xdg->empty() && (*xdg)[0] == '/')
        return *xdg;
    if (std::optional<std::string> home = system.getEnv("HOME"); home && !home->empty())
        return JoinPath(*home, ".config");
    return "";
}

std::string FreedesktopIntegration::DefaultDataHome(SystemAccess& system) {
    if (std::optional<std::string> xdg = system.getEnv("XDG_DATA_HOME");
        xdg && !xdg->empty() && (*xdg)[0] == '/')
        return *xdg;
    if (std::optional<std::string> home = system.getEnv("HOME"); home && !home->empty())
        return JoinPath(*home, ".local/share");
    return "";
}

#ifdef _WIN32
namespace {

// Writes one string value, making the key; the error text when that fails.
std::optional<std::string> SetString(const std::string& key, const char* name, const std::string& value) {
    HKEY handle = nullptr;
    std::wstring wideKey = WideText(key);
    LONG rc = RegCreateKeyExW(HKEY_CURRENT_USER, wideKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                              KEY_SET_VALUE, nullptr, &handle, nullptr);
    if (rc == ERROR_SUCCESS) {
        std::wstring wideName = name != nullptr ? WideText(name) : std::wstring();
        std::wstring wideValue = WideText(value);
        rc = RegSetValueExW(handle, name != nullptr ? wideName.c_str() : nullptr, 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(wideValue.c_str()),
                            static_cast<DWORD>((wideValue.size() + 1) * sizeof(wchar_t)));
        RegCloseKey(handle);
    }
    if (rc == ERROR_SUCCESS) return std::nullopt;
    return "Can't write the registry key HKEY_CURRENT_USER\\" + key + ": " + WindowsErrorText(static_cast<unsigned long>(rc));
}

}  // namespace

AssociationResult WindowsShellIntegration::RegisterPanelFileType(const std::string& programPath) {
    const std::string type = classesKey_ + "\\" + kWindowsPanelProgId;
    const std::string extension = classesKey_ + "\\.cfg";
    const std::string quoted = "\"" + programPath + "\"";
    const struct {
        std::string key;
        const char* name;
        std::string value;
    } values[] = {
        {type, nullptr, "Panel configuration file"},
        {type + "\\DefaultIcon", nullptr, quoted + ",0"},
        {type + "\\shell\\open\\command", nullptr, quoted + " \"%1\""},
        {extension, nullptr, kWindowsPanelProgId},
        {extension + "\\OpenWithProgids", kWindowsPanelProgId, ""},
    };
    for (const auto& v : values)
        if (std::optional<std::string> error = SetString(v.key, v.name, v.value)) return {false, *error};
    // Explorer reads the classes again only when it is told they changed.
    if (notifyShell_) SHChangeNotify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    return {true, "Brindle now opens .cfg files from Explorer (for this user)."};
}
#endif

std::unique_ptr<DesktopIntegration> MakeDefaultDesktopIntegration(SystemAccess& system) {
#ifdef _WIN32
    (void)system;
    return std::make_unique<WindowsShellIntegration>();
#else
    return std::make_unique<FreedesktopIntegration>(FreedesktopIntegration::DefaultDataHome(system),
                                                    FreedesktopIntegration::DefaultConfigHome(system),
                                                    [](const std::vector<std::string>& argv) {
                                                        std::string error;
                                                        int code = -1;
                                                        return RunAndWait(argv, error, &code) && code == 0;
                                                    });
#endif
}

}  // namespace brindle
