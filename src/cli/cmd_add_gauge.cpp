// brindle-cli add-gauge: the editor's Add Gauge command as it runs after the dialog's OK, then Save.
#include <cstdio>
#include <iostream>

#include "cli/commands.h"
#include "cli/editor_session.h"

namespace brindle::cli {
namespace {

struct AddGaugeArgs {
    std::string panel, reference, at, out;
    int window = 0;
    SessionOptions session;
};

int RunAddGauge(const AddGaugeArgs& a) {
    std::optional<ViewPoint> at;
    if (!a.at.empty()) {
        int x = 0, y = 0;
        char extra = 0;
        if (std::sscanf(a.at.c_str(), "%d,%d%c", &x, &y, &extra) != 2) {
            std::cerr << "--at wants X,Y in panel units, e.g. 120,40\n";
            return kExitUsage;
        }
        at = ViewPoint{x, y};
    }
    DialogMessageUi ui(AnswerOf(a.session));
    ScopedMessageUi scope(ui);
    EditorSession session;
    if (!session.Configure(a.session, a.panel)) return kExitUsage;
    if (!session.Open(a.panel, a.window)) return kExitFailed;
    const int before = session.View().Window().GaugeCount();
    EditOutput out = session.Editing().AddGauge([&] { return std::optional<std::string>(a.reference); }, at);
    if (session.View().Window().GaugeCount() == before) return kExitFailed;
    if (out.modified) session.Document().SetModified();
    const ViewGauge& added = session.View().Gauges().back();
    std::cout << "gauge" << (added.index < 10 ? "0" : "") << added.index << "=" << added.name << ", "
              << static_cast<int>(added.x) << ", " << static_cast<int>(added.y) << "\n";
    return session.Save(a.out) ? kExitOk : kExitFailed;
}

const CommandRegistration kAddGauge([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand("add-gauge", "Add a gauge to a panel window as Add Gauge does, then save");
    auto a = std::make_shared<AddGaugeArgs>();
    cmd->add_option("PANEL", a->panel, "The panel.cfg")->required();
    cmd->add_option("--window", a->window, "Window number (its place in the panel's window list)")
        ->required();
    cmd->add_option("--gauge", a->reference, "The gauge reference, e.g. Demo_Cessna!Airspeed")->required();
    cmd->add_option("--at", a->at, "X,Y in panel units (default: the window's centre)");
    cmd->add_option("-o,--output", a->out, "Write the panel here instead of saving it in place");
    AddSessionOptions(cmd, a->session, true);
    cmd->callback([=] { *result = RunAddGauge(*a); });
});

}  // namespace
}  // namespace brindle::cli
