// brindle-cli gauge-props: the Gauge Properties dialog on one gauge: the fields typed, Apply, Hide,
// Delete Gauge, then OK and Save. Prints what the dialog shows afterwards as JSON.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/editor_session.h"
#include "gauges/gauge_properties_dialog.h"
#include "panel/panel_json.h"

namespace brindle::cli {
namespace {

struct GaugePropsArgs {
    std::string panel, out;
    int window = 0, gauge = 0;
    std::optional<std::string> x, y, sizeX, sizeY, parameter;
    bool hide = false, remove = false;
    SessionOptions session;
};

nlohmann::json Shown(const GaugePropertiesDialogLogic& d) {
    nlohmann::json lines = nlohmann::json::array();
    for (const std::string& l : d.ListLines()) lines.push_back(Cp1252ToUtf8(l));
    if (!d.HasGauge()) return {{"gauges", lines}, {"index", nullptr}};
    const auto& f = d.Texts();
    return {{"gauges", lines},
            {"index", d.CurrentIndex()},
            {"fileName", Cp1252ToUtf8(d.FileNameText())},
            {"gaugeName", Cp1252ToUtf8(d.GaugeNameText())},
            {"warning", d.WarningText()},
            {"bitmapWidth", d.BitmapWidthText()},
            {"bitmapHeight", d.BitmapHeightText()},
            {"version", d.VersionText()},
            {"x", f.x},
            {"y", f.y},
            {"sizeX", f.sizeX},
            {"sizeY", d.SizeYShown() ? nlohmann::json(f.sizeY) : nlohmann::json(nullptr)},
            {"parameter", Cp1252ToUtf8(f.parameter)},
            {"hideButton", d.HideButtonLabel()}};
}

int RunGaugeProps(const GaugePropsArgs& a) {
    DialogMessageUi ui(AnswerOf(a.session));
    ScopedMessageUi scope(ui);
    EditorSession session;
    if (!session.Configure(a.session, a.panel)) return kExitUsage;
    if (!session.Open(a.panel, a.window)) return kExitFailed;
    auto& gauges = session.View().Gauges();
    if (a.gauge < 0 || a.gauge >= static_cast<int>(gauges.size())) {
        std::cerr << "window " << a.window << " has no gauge " << a.gauge << " (it has " << gauges.size()
                  << ")\n";
        return kExitFailed;
    }
    // As a double click on it: the gauge alone selected, with the focus mark while the dialog is open.
    for (ViewGauge& g : gauges) g.selected = false;
    gauges[static_cast<std::size_t>(a.gauge)].selected = true;
    gauges[static_cast<std::size_t>(a.gauge)].focus = true;
    GaugePropertiesDialogLogic d(
        session.View(), &session.Editing(), [&] { session.Document().SetModified(); }, a.gauge);
    if (a.x) d.SetX(*a.x);
    if (a.y) d.SetY(*a.y);
    if (a.sizeX) d.SetSizeX(*a.sizeX);
    if (a.sizeY) d.SetSizeY(*a.sizeY);
    if (a.parameter) d.SetParameter(*a.parameter);
    if (!d.Apply()) return kExitFailed;
    if (a.hide && d.HideButtonLabel() == "Hide") d.ToggleHidden();
    if (a.remove) d.DeleteGauge();
    nlohmann::json shown = Shown(d);
    if (!d.Ok()) return kExitFailed;
    std::cout << shown.dump(2) << "\n";
    return session.Save(a.out) ? kExitOk : kExitFailed;
}

const CommandRegistration kGaugeProps([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand(
        "gauge-props", "Change a gauge as the Gauge Properties dialog does (Apply, then OK), then save");
    auto a = std::make_shared<GaugePropsArgs>();
    cmd->add_option("PANEL", a->panel, "The panel.cfg")->required();
    cmd->add_option("--window", a->window, "Window number (its place in the panel's window list)")
        ->required();
    cmd->add_option("--gauge", a->gauge, "Gauge number NN in the window")->required();
    cmd->add_option("--x", a->x, "X pos, as typed");
    cmd->add_option("--y", a->y, "Y pos, as typed");
    cmd->add_option("--size-x", a->sizeX, "Size X, as typed");
    cmd->add_option("--size-y", a->sizeY, "Size Y, as typed (empty: the gauge keeps its bitmap's aspect)");
    cmd->add_option("--param", a->parameter, "Param, as typed");
    cmd->add_flag("--hide", a->hide, "Hide (the gauge is drawn as an outline while editing; not saved)");
    cmd->add_flag("--delete", a->remove, "Delete Gauge");
    cmd->add_option("-o,--output", a->out, "Write the panel here instead of saving it in place");
    AddSessionOptions(cmd, a->session, true);
    cmd->callback([=] { *result = RunGaugeProps(*a); });
});

}  // namespace
}  // namespace brindle::cli
