#include "platform/file_association.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>

#ifdef _WIN32
#include <windows.h>
#endif

#include "platform/paths.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;

TEST(FileAssociation, ExecArgumentEscapes) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (const Case& c : {
             Case{"/usr/bin/brindle", "\"/usr/bin/brindle\""},
             Case{"/opt/my tools/brindle", "\"/opt/my tools/brindle\""},
             Case{"/a\"b", "\"/a\\\\\"b\""},
             Case{"/a$b`c", "\"/a\\\\$b\\\\`c\""},
             Case{"/a\\b", "\"/a\\\\\\\\b\""},
             Case{"/100%/brindle", "\"/100%%/brindle\""},
         })
        EXPECT_EQ(DesktopExecArgument(c.in), c.out) << c.in;
}

class Association : public ::testing::Test {
  protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "the freedesktop.org file type registration is the Linux desktop's";
#endif
        home_ = fs::temp_directory_path() / ("brindle-assoc-" + std::to_string(::getpid()));
        fs::remove_all(home_);
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(home_, fs::perms::owner_all, ec);
        fs::remove_all(home_, ec);
    }
    fs::path home_;
    std::vector<std::vector<std::string>> runs_;
};

TEST_F(Association, WritesTheTypeAndTheEntryThenRefreshesTheDesktop) {
    const std::string data = (home_ / ".local" / "share").string();
    FreedesktopIntegration desktop(data, (home_ / ".config").string(),
                                   [&](const std::vector<std::string>& argv) {
                                       runs_.push_back(argv);
                                       return argv[0] != "update-desktop-database";  // not installed here
                                   });
    AssociationResult r = desktop.RegisterPanelFileType("/opt/brindle/brindle");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(ReadFileText(data + "/mime/packages/brindle-panel.xml"), PanelMimePackage());
    std::optional<std::string> entry = ReadFileText(data + "/applications/brindle.desktop");
    ASSERT_TRUE(entry);
    EXPECT_NE(entry->find("\nExec=\"/opt/brindle/brindle\" %f\n"), std::string::npos);
    EXPECT_NE(entry->find("\nMimeType=application/x-brindle-panel;\n"), std::string::npos);
    EXPECT_NE(PanelMimePackage().find("<glob pattern=\"panel.cfg\""), std::string::npos);
    EXPECT_EQ(runs_, (std::vector<std::vector<std::string>>{
                         {"update-mime-database", data + "/mime"},
                         {"update-desktop-database", data + "/applications"},
                         {"xdg-mime", "default", "brindle.desktop", "application/x-brindle-panel"}}));
    EXPECT_NE(r.message.find("could not be run"), std::string::npos);
    EXPECT_NE(r.message.find("update-desktop-database"), std::string::npos);
    // xdg-mime set the default: the user's mimeapps.list is left alone.
    EXPECT_FALSE(fs::exists(home_ / ".config" / "mimeapps.list"));

    // Registering again replaces the files.
    runs_.clear();
    ASSERT_TRUE(desktop.RegisterPanelFileType("/usr/local/bin/brindle").ok);
    EXPECT_NE(ReadFileText(data + "/applications/brindle.desktop")->find("Exec=\"/usr/local/bin/brindle\""),
              std::string::npos);
}

TEST_F(Association, FailuresWriteNothingAndRunNothing) {
    fs::create_directories(home_);
    fs::permissions(home_, fs::perms::owner_read | fs::perms::owner_exec);
    auto run = [&](const std::vector<std::string>& argv) {
        runs_.push_back(argv);
        return true;
    };
#ifndef _WIN32
    if (::geteuid() != 0) {  // root writes anywhere
        AssociationResult r =
            FreedesktopIntegration((home_ / "share").string(), "", run).RegisterPanelFileType("/b");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message.rfind("Can't write \"", 0), 0u) << r.message;
    }
#endif
    AssociationResult noHome = FreedesktopIntegration("", "", run).RegisterPanelFileType("/b");
    EXPECT_FALSE(noHome.ok);
    EXPECT_NE(noHome.message.find("HOME"), std::string::npos);
    fs::permissions(home_, fs::perms::owner_all);
    AssociationResult newline =
        FreedesktopIntegration(home_.string(), "", run).RegisterPanelFileType("/a\nb");
    EXPECT_FALSE(newline.ok);
    EXPECT_FALSE(fs::exists(home_ / "applications"));
    EXPECT_TRUE(runs_.empty());
}

TEST_F(Association, WithoutXdgMimeTheDefaultGoesIntoMimeappsList) {
    const fs::path config = home_ / ".config";
    fs::create_directories(config);
    std::ofstream(config / "mimeapps.list") << "[Added Associations]\ntext/plain=gedit.desktop;\n";
    FreedesktopIntegration desktop(
        (home_ / "share").string(), config.string(),
        [](const std::vector<std::string>& argv) { return argv[0] != "xdg-mime"; });
    AssociationResult r = desktop.RegisterPanelFileType("/opt/brindle/brindle");
    ASSERT_TRUE(r.ok) << r.message;
    EXPECT_EQ(ReadFileText((config / "mimeapps.list").string()),
              "[Added Associations]\ntext/plain=gedit.desktop;\n\n[Default Applications]\n"
              "application/x-brindle-panel=brindle.desktop\n");
    EXPECT_EQ(r.message.find("could not be run"), std::string::npos);
}

TEST(FileAssociation, DefaultApplicationLineReplacedOrAdded) {
    struct Case {
        const char* in;
        const char* out;
    };
    for (const Case& c : {
             Case{"", "[Default Applications]\napplication/x-brindle-panel=brindle.desktop\n"},
             Case{"[Default Applications]\ntext/html=firefox.desktop\n\n[Added Associations]\nx=y\n",
                  "[Default "
                  "Applications]\ntext/html=firefox.desktop\napplication/x-brindle-panel=brindle.desktop\n\n"
                  "[Added Associations]\nx=y\n"},
             Case{"[Default Applications]\napplication/x-brindle-panel = old.desktop\nz=1",
                  "[Default Applications]\napplication/x-brindle-panel=brindle.desktop\nz=1\n"},
         })
        EXPECT_EQ(WithDefaultApplication(c.in, kPanelMimeType, kDesktopEntryName), c.out) << c.in;
}

}  // namespace
}  // namespace brindle

#ifdef _WIN32
namespace brindle {
namespace {
std::optional<std::wstring> ReadUserString(const std::wstring& key, const wchar_t* name) {
    wchar_t buffer[1024];
    DWORD size = sizeof buffer;
    if (RegGetValueW(HKEY_CURRENT_USER, key.c_str(), name, RRF_RT_REG_SZ, nullptr, buffer, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return std::wstring(buffer);
}
}  // namespace

// Under Wine this writes a real (throw-away) registry; a key of the test's own keeps the user's
// classes untouched when run on a real Windows.
TEST(WindowsAssociation, WritesTheExtensionAndTheOpenCommandThatStartsTheEditor) {
    const std::string root = "Software\\BrindleTest\\Classes";
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\BrindleTest");
    AssociationResult r = WindowsShellIntegration(root, false).RegisterPanelFileType("C:\\Tools\\Brindle\\brindle.exe");
    EXPECT_TRUE(r.ok) << r.message;
    const std::wstring classes = L"Software\\BrindleTest\\Classes\\";
    EXPECT_EQ(ReadUserString(classes + L".cfg", nullptr), L"Brindle.PanelConfig");
    EXPECT_EQ(ReadUserString(classes + L".cfg\\OpenWithProgids", L"Brindle.PanelConfig"), L"");
    EXPECT_EQ(ReadUserString(classes + L"Brindle.PanelConfig\\shell\\open\\command", nullptr),
              L"\"C:\\Tools\\Brindle\\brindle.exe\" \"%1\"");
    EXPECT_EQ(ReadUserString(classes + L"Brindle.PanelConfig\\DefaultIcon", nullptr),
              L"\"C:\\Tools\\Brindle\\brindle.exe\",0");
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\BrindleTest");
}
}  // namespace brindle
#endif
