#include "platform/file_association.h"

#include <cerrno>
#include <cstring>

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
    for (const auto& argv : tools)
        if (!runTool_ || !runTool_(argv)) missed.push_back(argv[0]);
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
class NoDesktopIntegration : public DesktopIntegration {
  public:
    AssociationResult RegisterPanelFileType(const std::string&) override {
        return {false, "This system has no file associations that Brindle can set."};
    }
};
}  // namespace
#endif

std::unique_ptr<DesktopIntegration> MakeDefaultDesktopIntegration(SystemAccess& system) {
#ifdef _WIN32
    (void)system;
    return std::make_unique<NoDesktopIntegration>();
#else
    return std::make_unique<FreedesktopIntegration>(FreedesktopIntegration::DefaultDataHome(system),
                                                    [](const std::vector<std::string>& argv) {
                                                        std::string error;
                                                        int code = -1;
                                                        return RunAndWait(argv, error, &code) && code == 0;
                                                    });
#endif
}

}  // namespace brindle
