// What the engine needs from the operating system beyond files: the machine-wide registry values
// the simulators' installers leave, the mapping of Windows drive paths to real folders, the process
// environment and the system's kind. On Windows these are the real registry and environment; on
// other systems a Wine prefix stands in for the registry and the drives.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>

namespace brindle {

class SystemAccess {
  public:
    virtual ~SystemAccess() = default;
    // A string value under HKEY_LOCAL_MACHINE (key path with backslashes), or nullopt.
    virtual std::optional<std::string> readMachineString(const std::string& key,
                                                         const std::string& value) = 0;
    // Turns "C:\Program Files\..." into a path that can be opened here; other texts are returned
    // unchanged.
    virtual std::string mapWindowsPath(const std::string& path) = 0;
    // 0 other, 1 Windows NT, 2 Windows 2000, 3 Windows 95, 4 Windows 98, 5 Windows ME.
    virtual int osKind() = 0;
    // The Windows directory (for Notepad), or empty when the system has none.
    virtual std::string windowsDirectory() = 0;
    virtual std::optional<std::string> getEnv(const std::string& name) = 0;
    virtual void setEnv(const std::string& name, const std::string& value) = 0;
};

#ifndef _WIN32
// Reads HKLM values from a Wine prefix's system.reg and maps drives through its dosdevices links.
// A prefix that does not exist reads as an empty registry with no drives. Windows has the real ones.
class WineSystemAccess : public SystemAccess {
  public:
    explicit WineSystemAccess(std::string prefix);
    // WINEPREFIX, else ~/.wine.
    static std::string defaultPrefix();

    std::optional<std::string> readMachineString(const std::string& key, const std::string& value) override;
    std::string mapWindowsPath(const std::string& path) override;
    int osKind() override { return 0; }
    std::string windowsDirectory() override;
    std::optional<std::string> getEnv(const std::string& name) override;
    void setEnv(const std::string& name, const std::string& value) override;

    const std::string& prefix() const { return prefix_; }

  private:
    void loadRegistry();
    std::string prefix_;
    bool loaded_ = false;
    // Upper-cased key path -> (upper-cased value name -> value)
    std::map<std::string, std::map<std::string, std::string>> keys_;
};
#endif

// Parses the text of a Wine registry file into key -> value name -> string value. Key paths are
// returned with single backslashes and upper-cased, value names upper-cased. Only string values
// (plain and str(2)/str(7)) are kept.
std::map<std::string, std::map<std::string, std::string>> ParseWineRegistry(const std::string& text);

// The system access of the running program: the real registry on Windows, a Wine prefix elsewhere.
std::unique_ptr<SystemAccess> MakeDefaultSystemAccess();

// One argument of a Windows command line, as the started program's C runtime splits it again: in
// quotes when it has blanks or quotes (or is empty), the backslashes before a quote doubled; plain
// words stay bare, so that programs reading their own command line (cmd's switches) find them.
std::string QuoteCommandLineArgument(const std::string& arg);

#ifdef _WIN32
// The system's words for a Win32 error code (GetLastError, a registry call's result), in the engine's
// 8-bit text and without the line end Windows puts after them.
std::string WindowsErrorText(unsigned long code);
#endif

}  // namespace brindle
