// brindle-cli fixed-window: the Fixed Windows dialog on one view: choose the view, type its Ident,
// give it a bitmap ("Change ..."), then OK. Prints what the dialog shows as JSON.
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/panel_edit.h"
#include "panel/panel_json.h"
#include "panel/views.h"
#include "platform/paths.h"

namespace brindle::cli {
namespace {

struct FixedWindowArgs : PanelEditArgs {
    std::string view;
    std::optional<std::string> ident;
    std::string bitmap;
};

int FindView(const std::string& name) {
    for (int v = 0; v < kViewCount; ++v)
        if (EqualsNoCase(name, kViewInfo[v].displayName) || EqualsNoCase(name, kViewInfo[v].button)) return v;
    return -1;
}

int RunFixedWindow(const FixedWindowArgs& a) {
    const int view = FindView(a.view);
    if (view < 0) {
        std::cerr << "brindle-cli fixed-window: no view \"" << a.view
                  << "\" (give a display name such as \"Rear View\" or a button such as \"Rr\")\n";
        return kExitUsage;
    }
    if (!ViewButtonEnabled(view)) {
        std::cerr << "brindle-cli fixed-window: the Forward View can't be chosen in this dialog\n";
        return kExitUsage;
    }
    PanelEditSession session(a);
    if (!session.Open()) return kExitFailed;
    FixedWindowsEditor ed(session.panel, session.panelFolder);
    ed.SelectView(view);
    bool refused = false;
    if (a.ident && !ed.SetIdentText(*a.ident)) {
        std::cerr << "The Ident field takes a Fixed Window number from 0 to 99, not \"" << *a.ident << "\"\n";
        refused = true;
    }
    if (!refused && !a.bitmap.empty() &&
        !ed.ChangeBitmap(std::filesystem::absolute(ResolvePath(a.bitmap)).string()))
        refused = true;
    const auto& d = ed.Shown();
    nlohmann::json out = {
        {"caption", Cp1252ToUtf8(d.caption)},
        {"view", d.viewName},
        {"file", Cp1252ToUtf8(d.bitmapPath)},
        {"ident", d.ident},
        {"identEnabled", d.identEnabled},
        {"zoom", d.zoom},
        {"eye", d.eye},
        {"pitch", d.pitch},
        {"bank", d.bank},
        {"head", d.head},
        {"preview", ed.PreviewBitmap() ? nlohmann::json{{"width", ed.PreviewBitmap()->Width()},
                                                        {"height", ed.PreviewBitmap()->Height()}}
                                       : nlohmann::json(nullptr)},
        {"changed", ed.Changed() && !refused}};
    std::cout << out.dump(2) << '\n';
    if (refused) {
        ed.Cancel();
        return kExitFailed;
    }
    if (!ed.Changed()) return kExitOk;
    return session.Save() ? kExitOk : kExitFailed;
}

const CommandRegistration kFixedWindow([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand("fixed-window",
                                   "The Fixed Windows dialog: a view's Fixed Window number and bitmap");
    auto args = std::make_shared<FixedWindowArgs>();
    AddPanelEditOptions(cmd, *args, true);
    cmd->add_option("--view", args->view, "The view: its name (\"Rear View\") or its button (\"Rr\")")
        ->required();
    cmd->add_option("--ident", args->ident, "Type this into the Ident field (the Fixed Window number)");
    cmd->add_option(
        "--bitmap", args->bitmap,
        "\"Change ...\" with this bitmap (one outside the panel folder is copied there with --yes)");
    cmd->callback([=] { *result = RunFixedWindow(*args); });
});

}  // namespace
}  // namespace brindle::cli
