// brindle-cli add-window: the New Window dialog filled in as typed (--bitmap as "Browse..." chose
// it), OK with its checks, then Add New Window inserts the window and the panel is saved.
#include <iostream>
#include <nlohmann/json.hpp>

#include "app/window_commands.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "cli/panel_edit.h"
#include "dialogs/new_window.h"
#include "panel/panel_json.h"

namespace brindle::cli {
namespace {

struct AddWindowArgs {
    std::string panel, out;
    std::string title, bitmap, color, size, pos, sizeMm, ratio;
    bool visible = false;
    int position = 0;
    SessionOptions session;
};

// Each field option, so they can be applied in the order they were given.
struct FieldOptions {
    CLI::Option *title, *visible, *bitmap, *color, *size, *pos, *sizeMm, *ratio, *position;
};

bool Pair(const std::string& text, const char* what, std::string& a, std::string& b) {
    std::optional<std::vector<std::string>> parts = SplitFields(text, 2);
    if (!parts) {
        std::cerr << what << " takes two values separated by a comma: " << text << "\n";
        return false;
    }
    a = (*parts)[0];
    b = (*parts)[1];
    return true;
}

int RunAddWindow(const AddWindowArgs& a, const FieldOptions& o, CLI::App* cmd) {
    DialogMessageUi ui(AnswerOf(a.session));
    ScopedMessageUi scope(ui);
    EditorSession session;
    if (!session.Configure(a.session, a.panel)) return kExitUsage;
    if (!session.Open(a.panel, 0)) return kExitFailed;
    Panel& panel = *session.Document().GetPanel();
    NewWindowDialogState d(panel, session.settings());
    for (CLI::Option* opt : cmd->parse_order()) {
        if (opt == o.title) {
            d.title = a.title;
        } else if (opt == o.visible) {
            d.visible = a.visible;
        } else if (opt == o.bitmap) {
            d.SetUseBitmap(true);
            d.Browse(a.bitmap);
        } else if (opt == o.color) {
            std::optional<std::vector<std::string>> rgb = SplitFields(a.color, 3);
            if (!rgb) {
                std::cerr << "--color takes R,G,B: " << a.color << "\n";
                return kExitUsage;
            }
            d.SetUseBitmap(false);
            if (d.UseBitmap()) std::cerr << "--color: this simulator's windows need a bitmap\n";
            d.red = (*rgb)[0];
            d.green = (*rgb)[1];
            d.blue = (*rgb)[2];
        } else if (opt == o.size) {
            if (!Pair(a.size, "--size", d.sizeX, d.sizeY)) return kExitUsage;
        } else if (opt == o.pos) {
            if (!Pair(a.pos, "--pos", d.posX, d.posY)) return kExitUsage;
        } else if (opt == o.sizeMm) {
            d.sizeMm = a.sizeMm;
        } else if (opt == o.ratio) {
            d.ratio = a.ratio;
        } else if (opt == o.position) {
            d.positionCode = a.position;
        }
    }
    if (!d.Ok()) return kExitFailed;
    const int at = AddNewWindow(panel, session.settings(), session.Sync(),
                                [&] { return std::optional<NewWindowFields>(d.Result()); });
    if (at < 0) return kExitFailed;
    session.Document().SetModified();
    if (!session.Save(a.out)) return kExitFailed;
    const PanelWindow& w = panel.windows[static_cast<std::size_t>(at)];
    std::cout << nlohmann::json{{"index", at},
                                {"ident", w.ident.str()},
                                {"title", Cp1252ToUtf8(w.title.str())}}
                     .dump(2)
              << "\n";
    return kExitOk;
}

const CommandRegistration kAddWindow([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand("add-window", "Add a window as the New Window dialog does, then save");
    auto a = std::make_shared<AddWindowArgs>();
    auto o = std::make_shared<FieldOptions>();
    cmd->add_option("PANEL", a->panel, "The panel.cfg")->required();
    o->title = cmd->add_option("--title", a->title, "Window Title, as typed");
    o->visible = cmd->add_flag("--visible", a->visible, "Visible on Startup");
    o->bitmap =
        cmd->add_option("--bitmap", a->bitmap, "A bitmap chosen with Browse... (fills the sizes from it)");
    o->color = cmd->add_option("--color", a->color, "No bitmap: the background colour's R,G,B, as typed");
    o->size = cmd->add_option("--size", a->size, "Window Size X,Y (0.0 - 1.0), as typed");
    o->pos = cmd->add_option("--pos", a->pos, "Window Pos X,Y (0.0 - 1.0), as typed");
    o->sizeMm = cmd->add_option("--size-mm", a->sizeMm, "Size MM (FS98), as typed");
    o->ratio = cmd->add_option("--ratio", a->ratio, "Window Size Ratio (FS98), as typed");
    o->position =
        cmd->add_option("--position", a->position, "Position 0 to 8 (FS98)")->check(CLI::Range(0, 8));
    cmd->add_option("-o,--output", a->out, "Write the panel here instead of saving it in place");
    AddSessionOptions(cmd, a->session, true);
    cmd->callback([=] { *result = RunAddWindow(*a, *o, cmd); });
});

}  // namespace
}  // namespace brindle::cli
