#include "document/text_editor.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <map>

#include "sim_tree.h"

namespace brindle {
namespace {

using testing::SimTree;

struct FakeSystem : SystemAccess {
    std::map<std::string, std::string> env;
    std::optional<std::string> readMachineString(const std::string&, const std::string&) override {
        return {};
    }
    std::string mapWindowsPath(const std::string& p) override { return p; }
    int osKind() override { return 0; }
    std::string windowsDirectory() override { return {}; }
    std::optional<std::string> getEnv(const std::string& name) override {
        auto it = env.find(name);
        return it == env.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    void setEnv(const std::string& name, const std::string& value) override { env[name] = value; }
};

#ifndef _WIN32
// Shell scripts stand in for the editors of the Linux desktop.
std::string Executable(const SimTree& dir, const std::string& name, const std::string& script) {
    std::string p = dir.write("bin/" + name, "#!/bin/sh\n" + script);
    ::chmod(p.c_str(), 0755);
    return p;
}

TEST(TextEditor, ChoiceOfEditor) {
    SimTree dir;
    Executable(dir, "gedit", "");
    Executable(dir, "kate", "");
    dir.write("bin/geany", "not executable");
    FakeSystem sys;
    sys.env["PATH"] = dir.path("bin");

    // VISUAL first, through the shell so its options work; a console editor needs a terminal.
    sys.env["VISUAL"] = "vim";
    sys.env["EDITOR"] = "/opt/bin/myedit --wait";
    auto c = FindTextEditor(sys, false);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->name, "myedit");
    EXPECT_EQ(c->argv, (std::vector<std::string>{"/bin/sh", "-c", "/opt/bin/myedit --wait \"$1\"", "sh"}));
    c = FindTextEditor(sys, true);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->name, "vim");

    // Without them, a desktop editor on the PATH, the desktop's own first.
    sys.env.erase("VISUAL");
    sys.env["EDITOR"] = "nano";
    c = FindTextEditor(sys, false);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->argv, (std::vector<std::string>{dir.path("bin/gedit"), "--wait"}));
    sys.env["XDG_CURRENT_DESKTOP"] = "KDE";
    c = FindTextEditor(sys, false);
    ASSERT_TRUE(c);
    EXPECT_EQ(c->argv, (std::vector<std::string>{dir.path("bin/kate"), "--block"}));

    sys.env["PATH"] = dir.path("nothing");
    EXPECT_FALSE(FindTextEditor(sys, false));
}

TEST(TextEditor, RunsAndWaits) {
    SimTree dir;
    std::string file = dir.write("panel.txt", "before");
    std::string editor = Executable(dir, "append", "sleep 0.2\necho edited >> \"$1\"\nexit 3\n");
    std::string error;
    int code = 0;
    ASSERT_TRUE(RunAndWait({editor, file}, error, &code));
    EXPECT_EQ(code, 3);
    EXPECT_EQ(SimTree::ReadFile(file), "beforeedited\n");

    EXPECT_FALSE(RunAndWait({dir.path("bin/none"), file}, error));
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_FALSE(RunAndWait({}, error));

    // The launcher of the system with the editor taken from EDITOR.
    FakeSystem sys;
    sys.env["EDITOR"] = editor;
    SystemTextEditor launcher(sys);
    ASSERT_TRUE(launcher.Found());
    EXPECT_EQ(launcher.Name(), "append");
    ASSERT_TRUE(launcher.EditAndWait(file, error));
    EXPECT_EQ(SimTree::ReadFile(file), "beforeedited\nedited\n");
    sys.env["EDITOR"] = "";
    sys.env["PATH"] = dir.path("nothing");
    SystemTextEditor none(sys);
    EXPECT_FALSE(none.Found());
    EXPECT_FALSE(none.EditAndWait(file, error));
}
#else
// cmd's own commands stand in for the editor: the file's path reaches it through the command line,
// the exit code comes back and the call returns only when the program has ended.
TEST(TextEditor, RunsAndWaits) {
    SimTree dir;
    std::string file = dir.write("panel.txt", "before");
    std::string error;
    int code = 0;
    ASSERT_TRUE(RunAndWait({"cmd.exe", "/c", "ping -n 2 127.0.0.1 >NUL & echo edited>>" + file + "& exit 3"},
                           error, &code))
        << error;
    EXPECT_EQ(code, 3);
    EXPECT_EQ(SimTree::ReadFile(file), "beforeedited\r\n");

    EXPECT_FALSE(RunAndWait({dir.path("bin/none.exe"), file}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(RunAndWait({}, error));
}
#endif

}  // namespace
}  // namespace brindle
