// Making the editor the program that opens panel.cfg files from the desktop, for the current user
// only. On freedesktop systems (Linux) that is a MIME type for files named panel.cfg and a desktop
// entry that opens them, written into the user's own data folder, then the desktop's caches
// refreshed and the entry made the type's default with the freedesktop tools; on Windows, the
// registry's file classes (WindowsShellIntegration).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/system.h"

namespace brindle {

struct AssociationResult {
    bool ok = false;
    std::string message;  // what happened, in words for the user
};

class DesktopIntegration {
  public:
    virtual ~DesktopIntegration() = default;
    // Registers `programPath` as the opener of panel.cfg files.
    virtual AssociationResult RegisterPanelFileType(const std::string& programPath) = 0;
};

inline constexpr const char* kPanelMimeType = "application/x-brindle-panel";
inline constexpr const char* kDesktopEntryName = "brindle.desktop";

// Runs a tool with its arguments and waits; false when it could not be started or did not succeed.
using ToolRunner = std::function<bool(const std::vector<std::string>& argv)>;

class FreedesktopIntegration : public DesktopIntegration {
  public:
    // `dataHome` is the user's data folder (XDG_DATA_HOME, normally ~/.local/share), `configHome`
    // the user's configuration folder (XDG_CONFIG_HOME, normally ~/.config) whose mimeapps.list
    // gets the default when xdg-mime can't set it.
    FreedesktopIntegration(std::string dataHome, std::string configHome, ToolRunner runTool)
        : dataHome_(std::move(dataHome)), configHome_(std::move(configHome)), runTool_(std::move(runTool)) {}
    AssociationResult RegisterPanelFileType(const std::string& programPath) override;

    // XDG_DATA_HOME when it is an absolute path, else HOME + "/.local/share"; empty without either.
    static std::string DefaultDataHome(SystemAccess& system);
    // XDG_CONFIG_HOME when it is an absolute path, else HOME + "/.config"; empty without either.
    static std::string DefaultConfigHome(SystemAccess& system);

  private:
    std::string dataHome_, configHome_;
    ToolRunner runTool_;
};

#ifdef _WIN32
inline constexpr const char* kWindowsPanelProgId = "Brindle.PanelConfig";

// On Windows: the ".cfg" extension's class for the current user (HKEY_CURRENT_USER\Software\Classes),
// a document type whose open command starts the editor with the file, then Explorer told to read the
// associations again. A test gives another key and no notice.
class WindowsShellIntegration : public DesktopIntegration {
  public:
    explicit WindowsShellIntegration(std::string classesKey = "Software\\Classes", bool notifyShell = true)
        : classesKey_(std::move(classesKey)), notifyShell_(notifyShell) {}
    AssociationResult RegisterPanelFileType(const std::string& programPath) override;

  private:
    std::string classesKey_;
    bool notifyShell_;
};
#endif

// The MIME package and the desktop entry, as written.
std::string PanelMimePackage();
std::string PanelDesktopEntry(const std::string& programPath);
// A mimeapps.list text with `desktopEntry` as the default of `mimeType` in [Default Applications];
// every other line is kept as it was.
std::string WithDefaultApplication(const std::string& mimeappsText, const std::string& mimeType,
                                   const std::string& desktopEntry);
// One argument of a desktop entry's Exec line: quoted, with the characters the quoting and the
// string escapes reserve escaped.
std::string DesktopExecArgument(const std::string& argument);

// The integration of the running system: the freedesktop one with the real tools, or one that says
// the system has none.
std::unique_ptr<DesktopIntegration> MakeDefaultDesktopIntegration(SystemAccess& system);

}  // namespace brindle
