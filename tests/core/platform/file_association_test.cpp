#include "platform/file_association.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

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
    FreedesktopIntegration desktop(data, [&](const std::vector<std::string>& argv) {
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
    if (::geteuid() != 0) {  // root writes anywhere
        AssociationResult r =
            FreedesktopIntegration((home_ / "share").string(), run).RegisterPanelFileType("/b");
        EXPECT_FALSE(r.ok);
        EXPECT_EQ(r.message.rfind("Can't write \"", 0), 0u) << r.message;
    }
    AssociationResult noHome = FreedesktopIntegration("", run).RegisterPanelFileType("/b");
    EXPECT_FALSE(noHome.ok);
    EXPECT_NE(noHome.message.find("HOME"), std::string::npos);
    fs::permissions(home_, fs::perms::owner_all);
    AssociationResult newline = FreedesktopIntegration(home_.string(), run).RegisterPanelFileType("/a\nb");
    EXPECT_FALSE(newline.ok);
    EXPECT_FALSE(fs::exists(home_ / "applications"));
    EXPECT_TRUE(runs_.empty());
}

}  // namespace
}  // namespace brindle
