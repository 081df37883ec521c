// Making the editor the program that opens panel.cfg files from the desktop, for the current user
// only. On freedesktop systems (Linux) that is a MIME type for files named panel.cfg and a desktop
// entry that opens them, written into the user's own data folder, then the desktop's caches
// refreshed and the entry made the type's default with the freedesktop tools.
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
    // `dataHome` is the user's data folder (XDG_DATA_HOME, normally ~/.local/share).
    FreedesktopIntegration(std::string dataHome, ToolRunner runTool)
        : dataHome_(std::move(dataHome)), runTool_(std::move(runTool)) {}
    AssociationResult RegisterPanelFileType(const std::string& programPath) override;

    // XDG_DATA_HOME when it is an absolute path, else HOME + "/.local/share"; empty without either.
    static std::string DefaultDataHome(SystemAccess& system);

  private:
    std::string dataHome_;
    ToolRunner runTool_;
};

// The MIME package and the desktop entry, as written.
std::string PanelMimePackage();
std::string PanelDesktopEntry(const std::string& programPath);
// One argument of a desktop entry's Exec line: quoted, with the characters the quoting and the
// string escapes reserve escaped.
std::string DesktopExecArgument(const std::string& argument);

// The integration of the running system: the freedesktop one with the real tools, or one that says
// the system has none.
std::unique_ptr<DesktopIntegration> MakeDefaultDesktopIntegration(SystemAccess& system);

}  // namespace brindle
