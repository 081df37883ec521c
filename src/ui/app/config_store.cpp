#include "ui/app/config_store.h"

#include <wx/config.h>

#include "ui/app/text.h"

// Values are kept as UTF-8 whatever the locale, so a folder name with accents survives a run in
// the C locale; bytes that are not UTF-8 (an 8-bit name) are taken as Latin-1.
namespace {
wxString key(const std::string& section, const std::string& name) {
    return "/" + FromMessageText(section) + "/" + FromMessageText(name);
}
}  // namespace

std::optional<std::string> WxConfigSettingsStore::readString(const std::string& section,
                                                             const std::string& name) {
    wxString value;
    if (!config_.Read(key(section, name), &value)) return std::nullopt;
    wxScopedCharBuffer utf8 = value.utf8_str();
    return std::string(utf8.data(), utf8.length());
}

std::optional<long> WxConfigSettingsStore::readInt(const std::string& section, const std::string& name) {
    long value = 0;
    if (!config_.Read(key(section, name), &value)) return std::nullopt;
    return value;
}

void WxConfigSettingsStore::writeString(const std::string& section, const std::string& name,
                                        const std::string& value) {
    config_.Write(key(section, name), FromMessageText(value));
}

void WxConfigSettingsStore::writeInt(const std::string& section, const std::string& name, long value) {
    config_.Write(key(section, name), value);
}
