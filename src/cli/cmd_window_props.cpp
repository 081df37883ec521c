// brindle-cli window-props: the Window Properties dialog on one window: the fields typed, "Change..."
// with the chooser's path, OK, then the document's follow-up (the ident) and the save.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/editor_session.h"
#include "cli/panel_edit.h"
#include "dialogs/window_properties.h"
#include "panel/panel_json.h"

namespace brindle::cli {
namespace {

struct WindowPropsArgs {
    std::string panel, out;
    int window = 0;
    std::optional<std::string> title, ident, sizeMm, color, comments, file, file1024;
    std::optional<int> visible;
    SessionOptions session;
};

nlohmann::json Shown(const WindowPropertiesDialogState& d) {
    return {{"dialogTitle", Cp1252ToUtf8(d.dialogTitle)},
            {"windowName", Cp1252ToUtf8(d.windowName)},
            {"ident", Cp1252ToUtf8(d.ident)},
            {"visible", d.visible},
            {"gauges", d.gauges},
            {"file", Cp1252ToUtf8(d.file)},
            {"file1024",
             d.File1024RowShown() ? nlohmann::json(Cp1252ToUtf8(d.file1024)) : nlohmann::json(nullptr)},
            {"fileSize", d.fileSize},
            {"fileColors", d.fileColors},
            {"file1024Size", d.file1024Size},
            {"file1024Colors", d.file1024Colors},
            {"color",
             d.ColourGroupEnabled() ? nlohmann::json({d.red, d.green, d.blue}) : nlohmann::json(nullptr)},
            {"sizeMm", {d.sizeMmX, d.sizeMmY}}};
}

int RunWindowProps(const WindowPropsArgs& a) {
    DialogMessageUi ui(AnswerOf(a.session));
    ScopedMessageUi scope(ui);
    EditorSession session;
    if (!session.Configure(a.session, a.panel)) return kExitUsage;
    if (!session.Open(a.panel, a.window)) return kExitFailed;
    Panel& panel = *session.Document().GetPanel();
    WindowPropertiesDialogState d(panel, a.window, session.settings());
    if (a.file && !d.ChangeBitmap(false, *a.file)) return kExitFailed;
    if (a.file1024) {
        if (!d.File1024RowShown()) {
            std::cerr << "--file1024: FS98 windows have no FILE_1024\n";
            return kExitUsage;
        }
        if (!d.ChangeBitmap(true, *a.file1024)) return kExitFailed;
    }
    if (a.title) d.windowName = *a.title;
    if (a.ident) d.ident = *a.ident;
    if (a.visible) d.ClickVisible(*a.visible != 0);
    if (a.comments) d.comments = *a.comments;
    if (a.sizeMm) {
        std::optional<std::vector<std::string>> xy = SplitFields(*a.sizeMm, 2);
        if (!xy) {
            std::cerr << "--size-mm takes X,Y: " << *a.sizeMm << "\n";
            return kExitUsage;
        }
        d.sizeMmX = (*xy)[0];
        d.sizeMmY = (*xy)[1];
    }
    if (a.color) {
        std::optional<std::vector<std::string>> rgb = SplitFields(*a.color, 3);
        if (!rgb) {
            std::cerr << "--color takes R,G,B: " << *a.color << "\n";
            return kExitUsage;
        }
        d.red = (*rgb)[0];
        d.green = (*rgb)[1];
        d.blue = (*rgb)[2];
    }
    // A refused value leaves the file as it was: the dialog would have said so and kept it.
    if (!d.Ok() || d.SizeRefused()) return kExitFailed;
    const WindowPropertiesResult result = d.Result();
    session.Document().AfterWindowProperties(result);
    if (panel.windows[static_cast<std::size_t>(a.window)].ident.str() != result.ident) return kExitFailed;
    std::cout << Shown(WindowPropertiesDialogState(panel, a.window, session.settings())).dump(2) << "\n";
    return session.Save(a.out) ? kExitOk : kExitFailed;
}

const CommandRegistration kWindowProps([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand("window-props",
                                   "Change a window as the Window Properties dialog does (OK), then save");
    auto a = std::make_shared<WindowPropsArgs>();
    cmd->add_option("PANEL", a->panel, "The panel.cfg")->required();
    cmd->add_option("--window", a->window, "Window number (its place in the panel's window list)")
        ->required();
    cmd->add_option("--title", a->title, "Window Name, as typed");
    cmd->add_option("--ident", a->ident, "Ident, as typed");
    cmd->add_option("--visible", a->visible, "Visible at FS Startup: 0 or 1")->check(CLI::Range(0, 1));
    cmd->add_option("--size-mm", a->sizeMm, "Size MM X,Y, as typed (an empty one keeps the value)");
    cmd->add_option("--color", a->color, "R,G,B, as typed");
    cmd->add_option("--comments", a->comments, "Config File Comments");
    cmd->add_option("--file", a->file, "FILE: the bitmap the chooser returned (a full path)");
    cmd->add_option("--file1024", a->file1024, "FILE_1024: the bitmap the chooser returned (a full path)");
    cmd->add_option("-o,--output", a->out, "Write the panel here instead of saving it in place");
    AddSessionOptions(cmd, a->session, true);
    cmd->callback([=] { *result = RunWindowProps(*a); });
});

}  // namespace
}  // namespace brindle::cli
