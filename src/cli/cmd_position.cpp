// brindle-cli position: the window position dialog on one window: the model, the FS98 anchor and
// ratio, the FS2000 fractions typed as the Enter key checks them, the Default View, the visibility,
// then OK. --preview writes the dialog's preview picture; the dialog's state goes to stdout as JSON.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/panel_edit.h"
#include "panel/panel_json.h"
#include "view/render_png.h"
#include "view/window_position.h"

namespace brindle::cli {
namespace {

struct PositionArgs : PanelEditArgs {
    int window = 0;
    std::string model, ratio, pos, size, defaultView, preview;
    std::optional<int> position, visible;
};

nlohmann::json State(const WindowPositionEditor& ed) {
    using E = WindowPositionEditor;
    return {{"window", Cp1252ToUtf8(ed.WindowName())},
            {"model", ed.Model() == PlacementModel::kFs98 ? "fs98" : "fs2000"},
            {"fs98Offered", ed.Fs98Offered()},
            {"fs2000Offered", ed.Fs2000Offered()},
            {"position", ed.PositionCode()},
            {"ratio", ed.RatioText()},
            {"windowPos", {ed.Text(E::kPosX), ed.Text(E::kPosY)}},
            {"windowSize", {ed.Text(E::kSizeW), ed.Text(E::kSizeH)}},
            {"defaultView",
             {ed.ViewText(E::kViewX), ed.ViewText(E::kViewY), ed.ViewText(E::kViewSizeX),
              ed.ViewText(E::kViewSizeY)}},
            {"visible", ed.Visible() ? 1 : 0},
            {"red",
             {{"ratio", ed.RatioRed()},
              {"posX", ed.ValueRed(E::kPosX)},
              {"posY", ed.ValueRed(E::kPosY)},
              {"width", ed.ValueRed(E::kSizeW)},
              {"height", ed.ValueRed(E::kSizeH)},
              {"sizeX", ed.ViewSizeXRed()},
              {"sizeY", ed.ViewSizeYRed()}}}};
}

// The dialog's checks; a message on stderr and false when one refuses.
bool Apply(WindowPositionEditor& ed, const PositionArgs& a, bool* changed) {
    using E = WindowPositionEditor;
    auto refuse = [](const std::string& text) {
        std::cerr << text << "\n";
        return false;
    };
    if (!a.model.empty()) {
        PlacementModel m = a.model == "fs98" ? PlacementModel::kFs98 : PlacementModel::kFs2000;
        if (!(m == PlacementModel::kFs98 ? ed.Fs98Offered() : ed.Fs2000Offered()))
            return refuse(m == PlacementModel::kFs98 ? "The FS98 model needs a window with a bitmap (file=)"
                                                     : "The FS2000 model is not offered in FS98 mode");
        if (m != ed.Model()) ed.SetModel(m);
        *changed = true;
    }
    const bool fs98 = ed.Model() == PlacementModel::kFs98;
    if (a.position) {
        if (!fs98) return refuse("The position buttons are used in the FS98 model only");
        ed.SetPositionCode(*a.position);
        *changed = true;
    }
    if (!a.ratio.empty()) {
        if (!fs98) return refuse("The Window Size Ratio is used in the FS98 model only");
        if (!ed.SetRatioText(a.ratio))
            return refuse("The Window Size Ratio must be a number between 0.01 and 10.0");
        *changed = true;
    }
    if (!a.pos.empty() || !a.size.empty()) {
        if (fs98) return refuse("Window Position and Window Size are used in the FS2000 model only");
        std::array<std::string, 4> texts = {ed.Text(E::kPosX), ed.Text(E::kPosY), ed.Text(E::kSizeW),
                                            ed.Text(E::kSizeH)};
        if (!a.pos.empty()) {
            auto f = SplitFields(a.pos, 2);
            if (!f) return refuse("--pos wants X,Y");
            texts[0] = (*f)[0];
            texts[1] = (*f)[1];
        }
        if (!a.size.empty()) {
            auto f = SplitFields(a.size, 2);
            if (!f) return refuse("--size wants W,H");
            texts[2] = (*f)[0];
            texts[3] = (*f)[1];
        }
        if (!ed.EnterValues(texts)) return false;
        *changed = true;
    }
    if (!a.defaultView.empty()) {
        auto f = SplitFields(a.defaultView, 4);
        std::array<int, 4> v{};
        bool numbers = f.has_value();
        for (int i = 0; numbers && i < 4; ++i) {
            try {
                std::size_t used = 0;
                v[i] = std::stoi((*f)[i], &used);
                numbers = used == (*f)[i].size();
            } catch (const std::exception&) {
                numbers = false;
            }
        }
        if (!numbers) return refuse("--default-view wants four whole numbers X,Y,SIZEX,SIZEY");
        if (v[0] < 0 || v[2] > 8191 || v[0] > v[2] || v[1] < 0 || v[3] > 6143 || v[1] > v[3])
            return refuse("The Default View needs 0 <= X <= Size X <= 8191 and 0 <= Y <= Size Y <= 6143");
        // Sizes first, so that the sliders' partner rule sees the new values.
        ed.SetSlider(E::kViewSizeX, 8191);
        ed.SetSlider(E::kViewSizeY, 6143);
        ed.SetSlider(E::kViewX, v[0]);
        ed.SetSlider(E::kViewY, v[1]);
        ed.SetSlider(E::kViewSizeX, v[2]);
        ed.SetSlider(E::kViewSizeY, v[3]);
        *changed = true;
    }
    if (a.visible) {
        ed.SetVisible(*a.visible != 0);
        *changed = true;
    }
    return true;
}

int RunPosition(const PositionArgs& a) {
    PanelEditSession session(a);
    if (!session.Open()) return kExitFailed;
    if (a.window < 0 || a.window >= static_cast<int>(session.panel.windows.size())) {
        std::cerr << "brindle-cli position: the panel has no window " << a.window << "\n";
        return kExitFailed;
    }
    if (session.panel.windows[a.window].vcockpit) {
        std::cerr << "brindle-cli position: a Vcockpit window has no place on the screen\n";
        return kExitFailed;
    }
    WindowPositionEditor ed(session.panel, a.window, session.settings);
    bool changed = false;
    if (!Apply(ed, a, &changed)) {
        ed.Cancel();
        std::cout << State(ed).dump(2) << '\n';
        return kExitFailed;
    }
    std::cout << State(ed).dump(2) << '\n';
    if (!a.preview.empty()) {
        int error = 0;
        if (!WritePng(a.preview, ed.RenderPreview(480, 360), &error)) {
            std::cerr << "brindle-cli position: can't write " << a.preview << "\n";
            return kExitFailed;
        }
    }
    if (!changed) {
        ed.Cancel();
        return kExitOk;
    }
    ed.Ok();
    return session.Save() ? kExitOk : kExitFailed;
}

const CommandRegistration kPosition([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand("position",
                                   "The window position dialog: place a window on the simulator's screen");
    auto args = std::make_shared<PositionArgs>();
    AddPanelEditOptions(cmd, *args, false);
    cmd->add_option("--window", args->window, "Window number (its place in the panel's window list)")
        ->required();
    cmd->add_option("--model", args->model, "Placement model: fs98 or fs2000")
        ->check(CLI::IsMember({"fs98", "fs2000"}));
    cmd->add_option("--position", args->position, "FS98 anchor: 0 top left ... 8 bottom right")
        ->check(CLI::Range(0, 8));
    cmd->add_option("--ratio", args->ratio, "FS98 Window Size Ratio, 0.01 to 10.0");
    cmd->add_option("--pos", args->pos, "FS2000 Window Position X,Y as typed");
    cmd->add_option("--size", args->size, "FS2000 Window Size W,H as typed");
    cmd->add_option("--default-view", args->defaultView, "The Default View X,Y,SIZEX,SIZEY");
    cmd->add_option("--visible", args->visible, "Visible at startup: 0 or 1")->check(CLI::Range(0, 1));
    cmd->add_option("--preview", args->preview, "Write the dialog's preview picture to this PNG");
    cmd->callback([=] { *result = RunPosition(*args); });
});

}  // namespace
}  // namespace brindle::cli
