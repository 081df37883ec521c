// brindle-cli check, export and aircraft: the design check report, the panel export, and the
// aircraft of a simulator folder with adding a copy of a panel to one. Never touches the user's
// stored settings: a local Settings record gets the mode and simulator folder from the options.
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>

#include "app/settings.h"
#include "cli/commands.h"
#include "cli/sim_mode.h"
#include "document/aircraft.h"
#include "gauges/export.h"
#include "panel/design_check.h"
#include "panel/panel_json.h"
#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle::cli {
namespace {

void AddModeOption(CLI::App* cmd, std::string& mode) {
    cmd->add_option("--mode", mode, "simulator: fs2000, fs98, cfs or cfs2")
        ->check(CLI::IsMember(SimModeNames()));
}

Settings LocalSettings(const std::string& mode, const std::string& simDir) {
    Settings s;
    s.SetMode(ParseSimMode(mode).value_or(kModeFS2000));
    if (!simDir.empty()) s.SetSimDir(simDir);
    return s;
}

// The simulator folder a panel in <sim>\Aircraft\<aircraft>\<panel folder> belongs to.
std::string SimDirOfPanel(const std::string& panelPath) {
    std::optional<std::string> dir = DirectoryPart(panelPath);
    for (int up = 0; up < 3 && dir; ++up) dir = DirectoryPart(*dir);
    return dir.value_or("");
}

struct CheckArgs {
    std::string panel, mode = "fs2000", simDir;
};

int RunCheck(const CheckArgs& a) {
    StderrMessageUi ui(Answer::No);
    ScopedMessageUi scope(ui);
    Settings settings = LocalSettings(a.mode, a.simDir);
    PanelReadOptions options = ReadOptionsFrom(settings);
    Panel panel;
    if (!ReadPanelFile(a.panel, options, panel)) return kExitFailed;
    DesignCheckOptions check;
    check.mode = settings.Mode();
    check.panelFolder = DirectoryPart(a.panel).value_or(".");
    std::string text = RunDesignCheck(panel, check).text;
    std::erase(text, '\r');
    std::cout << text << '\n';
    return kExitOk;
}

struct ExportArgs {
    std::string panel, dest, mode = "fs2000", simDir;
    bool includeStock = false;
};

int RunExport(const ExportArgs& a) {
    StderrMessageUi ui(Answer::No);
    ScopedMessageUi scope(ui);
    Settings settings = LocalSettings(a.mode, a.simDir.empty() ? SimDirOfPanel(a.panel) : a.simDir);
    PanelReadOptions readOptions = ReadOptionsFrom(settings);
    Panel panel;
    if (!ReadPanelFile(a.panel, readOptions, panel)) return kExitFailed;
    PanelExportOptions options;
    options.destination = a.dest;
    options.excludeStandard = !a.includeStock;
    options.panelFolder = DirectoryPart(a.panel).value_or(".");
    options.gaugesDir = settings.GaugesDirForDisplay();
    options.onFile = [](const std::string& path) { std::cout << path << '\n'; };
    PanelExportResult r = ExportPanel(panel, options);
    if (!r.exported) return kExitFailed;
    std::cout << r.copied << " files copied, " << r.failed << " failed\n";
    return r.failed == 0 ? kExitOk : kExitFailed;
}

struct AircraftArgs {
    std::string simDir, mode = "fs2000";
    std::string panel, aircraft, name, title;
};

int RunAircraftList(const AircraftArgs& a) {
    StderrMessageUi ui(Answer::No);
    ScopedMessageUi scope(ui);
    Settings settings = LocalSettings(a.mode, a.simDir);
    nlohmann::json list = nlohmann::json::array();
    for (const std::string& folder : ListAircraft(settings.SimDir())) {
        std::string cfg = AircraftCfgPath(AircraftFolderPath(settings.SimDir(), folder));
        auto text = [](const std::optional<std::string>& t) {
            return t ? nlohmann::json(Cp1252ToUtf8(*t)) : nlohmann::json(nullptr);
        };
        nlohmann::json panels = nlohmann::json::array();
        for (const std::string& name : InstalledPanelNames(cfg))
            panels.push_back({{"name", Cp1252ToUtf8(name)},
                              {"folder", Cp1252ToUtf8(PanelFolderName(name))},
                              {"title", text(LookUpAircraftTitle(cfg, name))}});
        list.push_back({{"folder", Cp1252ToUtf8(folder)},
                        {"title", text(LookUpAircraftTitle(cfg, ""))},
                        {"panels", panels}});
    }
    nlohmann::json out = {{"aircraftDir", Cp1252ToUtf8(AircraftRoot(settings.SimDir()))}, {"aircraft", list}};
    std::cout << out.dump(2) << '\n';
    return kExitOk;
}

int RunAddPanel(const AircraftArgs& a) {
    StderrMessageUi ui(Answer::No);
    ScopedMessageUi scope(ui);
    if (!FileExists(a.panel)) {
        ShowError("Can't access file: " + a.panel);
        return kExitFailed;
    }
    Settings settings = LocalSettings(a.mode, a.simDir);
    OpenAircraftChooser chooser(settings, OpenAircraftChooser::Mode::AddPanel);
    const auto& list = chooser.AircraftList();
    int index = -1;
    for (int i = 0; i < static_cast<int>(list.size()); ++i)
        if (EqualsNoCase(list[i], a.aircraft)) index = i;
    if (index < 0) {
        ShowWarning("No Aircraft Selected to add Panel to!");
        return kExitFailed;
    }
    chooser.SelectAircraft(index);
    chooser.newPanelName = a.name;
    chooser.newPanelTitle = a.title;
    if (!chooser.Ok()) return kExitFailed;
    bool ok = AddPanelToAircraft(chooser.ChosenPath(), chooser.PanelName(), chooser.PanelTitle(),
                                 DirectoryPart(a.panel).value_or("."), [](int, int, const std::string& file) {
                                     if (!file.empty()) std::cout << file << '\n';
                                 });
    return ok ? kExitOk : kExitFailed;
}

const CommandRegistration kDocumentCommands([](CLI::App& app, int* result) {
    auto checkArgs = std::make_shared<CheckArgs>();
    CLI::App* check = app.add_subcommand("check", "Run the design check on a panel.cfg and print its report");
    check->add_option("PANEL", checkArgs->panel, "panel.cfg to check")->required();
    AddModeOption(check, checkArgs->mode);
    check->add_option("--sim-dir", checkArgs->simDir, "the simulator's folder");
    check->callback([checkArgs, result] { *result = RunCheck(*checkArgs); });

    auto exportArgs = std::make_shared<ExportArgs>();
    CLI::App* exp = app.add_subcommand(
        "export", "Copy a panel.cfg with its bitmaps and gauge modules into DEST\\Panel and DEST\\Gauges");
    exp->add_option("PANEL", exportArgs->panel, "panel.cfg to export")->required();
    exp->add_option("DEST", exportArgs->dest, "destination folder")->required();
    exp->add_flag("--include-stock", exportArgs->includeStock, "also copy the simulators' own gauge modules");
    AddModeOption(exp, exportArgs->mode);
    exp->add_option(
        "--sim-dir", exportArgs->simDir,
        "the simulator's folder (its gauges folder is used); default: three folders above PANEL's");
    exp->callback([exportArgs, result] { *result = RunExport(*exportArgs); });

    CLI::App* aircraft = app.add_subcommand("aircraft", "The aircraft of a simulator folder");
    aircraft->require_subcommand(1);
    auto listArgs = std::make_shared<AircraftArgs>();
    CLI::App* list = aircraft->add_subcommand("list", "Print the aircraft, their titles and panels as JSON");
    list->add_option("--sim-dir", listArgs->simDir, "the simulator's folder")->required();
    AddModeOption(list, listArgs->mode);
    list->callback([listArgs, result] { *result = RunAircraftList(*listArgs); });

    auto addArgs = std::make_shared<AircraftArgs>();
    CLI::App* add =
        aircraft->add_subcommand("add-panel", "Add a copy of PANEL's folder to an aircraft as a new panel");
    add->add_option("PANEL", addArgs->panel, "panel.cfg whose folder is copied")->required();
    add->add_option("--sim-dir", addArgs->simDir, "the simulator's folder")->required();
    add->add_option("--aircraft", addArgs->aircraft, "the aircraft's folder name")->required();
    add->add_option("--name", addArgs->name, "the new panel's name (folder Panel.NAME)")->required();
    add->add_option("--title", addArgs->title, "the new panel's title")->required();
    AddModeOption(add, addArgs->mode);
    add->callback([addArgs, result] { *result = RunAddPanel(*addArgs); });
});

}  // namespace
}  // namespace brindle::cli
