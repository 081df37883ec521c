#include "ui/app/config_store.h"

#include <gtest/gtest.h>
#include <wx/fileconf.h>

#include "app/settings.h"

TEST(ConfigStore, KeepsSectionAndValueNames) {
    wxFileConfig config("BrindleTest", "Brindle", wxEmptyString, wxEmptyString, wxCONFIG_USE_LOCAL_FILE);
    config.DeleteAll();
    WxConfigSettingsStore store(config);
    brindle::Settings s;
    s.SetWindowPosition({1, 2, 3, 4, 5, 6});
    s.Save(store);
    EXPECT_TRUE(config.HasEntry("/Brindle/Magic"));
    EXPECT_TRUE(config.HasEntry("/Brindle/Gauge Draw Types"));
    EXPECT_EQ(store.readInt("Brindle", "Magic"), brindle::kMagicWritten);
    EXPECT_EQ(store.readString("Brindle", "WindowPosition"), s.FormatWindowPosition());
    EXPECT_EQ(store.readString("Brindle", "Missing"), std::nullopt);
    // A folder name with accents comes back byte for byte, whatever the locale.
    const std::string folder = "/home/j\xc3\xbcrgen/Flight Simulator";
    store.writeString("Brindle", "FS2000Dir", folder);
    EXPECT_EQ(store.readString("Brindle", "FS2000Dir"), folder);
    config.DeleteAll();
}
