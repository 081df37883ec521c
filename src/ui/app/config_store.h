// The settings store of the editor: wxConfig, which is the registry on Windows
// (HKCU\Software\Brindle\Brindle) and the user's config file elsewhere.
#pragma once

#include <memory>

#include "app/settings.h"

class wxConfigBase;

class WxConfigSettingsStore : public brindle::SettingsStore {
  public:
    // Takes the application's config (vendor "Brindle", application "Brindle").
    explicit WxConfigSettingsStore(wxConfigBase& config) : config_(config) {}

    std::optional<std::string> readString(const std::string& section, const std::string& name) override;
    std::optional<long> readInt(const std::string& section, const std::string& name) override;
    void writeString(const std::string& section, const std::string& name, const std::string& value) override;
    void writeInt(const std::string& section, const std::string& name, long value) override;

  private:
    wxConfigBase& config_;
};
