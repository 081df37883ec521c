#include "ui/app/config_store.h"

#include <wx/config.h>

namespace {
wxString key(const std::string& section, const std::string& name) {
    return "/" + wxString(section.c_str(), wxConvLibc) + "/" + wxString(name.c_str(), wxConvLibc);
}
}  // namespace

std::optional<std::string> WxConfigSettingsStore::readString(const std::string& section, const std::string& name) {
    wxString value;
    if (!config_.Read(key(section, name), &value)) return std::nullopt;
    return std::string(value.mb_str(wxConvLibc));
}

std::optional<long> WxConfigSettingsStore::readInt(const std::string& section, const std::string& name) {
    long value = 0;
    if (!config_.Read(key(section, name), &value)) return std::nullopt;
    return value;
}

void WxConfigSettingsStore::writeString(const std::string& section, const std::string& name,
                                        const std::string& value) {
    config_.Write(key(section, name), wxString(value.c_str(), wxConvLibc));
}

void WxConfigSettingsStore::writeInt(const std::string& section, const std::string& name, long value) {
    config_.Write(key(section, name), value);
}
