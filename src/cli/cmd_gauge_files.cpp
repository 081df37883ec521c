// brindle-cli gauge-files: what the Add Gauge dialog shows after the steps the options name, as JSON.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/editor_session.h"
#include "gauges/add_gauge_dialog.h"
#include "panel/panel_json.h"
#include "platform/paths.h"

namespace brindle::cli {
namespace {

using nlohmann::json;

struct GaugeFilesArgs {
    SessionOptions session;
    std::string dir, family = "all", pattern, file, gauge;
    int slot = 0;
};

int FamilyIndex(const std::string& name) {
    static const char* const kNames[] = {"all", "fs2000", "fs98", "cfs", "cfs2"};
    for (int i = 0; i < 5; ++i) {
        if (EqualsNoCase(name, kNames[i])) return i;
    }
    return -1;
}

int IndexOf(const std::vector<std::string>& list, const std::string& text) {
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (list[i] == text) return static_cast<int>(i);
    }
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (EqualsNoCase(list[i], text)) return static_cast<int>(i);
    }
    return -1;
}

json Texts(const std::vector<std::string>& list) {
    json out = json::array();
    for (const std::string& s : list) out.push_back(Cp1252ToUtf8(s));
    return out;
}

int RunGaugeFiles(const GaugeFilesArgs& a) {
    const int family = FamilyIndex(a.family);
    if (family < 0) {
        std::cerr << "--family wants all, fs2000, fs98, cfs or cfs2\n";
        return kExitUsage;
    }
    DialogMessageUi ui(Answer::No);
    ScopedMessageUi scope(ui);
    EditorSession session;
    if (!session.Configure(a.session, "")) return kExitUsage;

    AddGaugeMemory memory;
    AddGaugeDialogLogic d(session.settings(), memory);
    d.Open();
    if (!a.dir.empty()) {
        std::string rest = a.dir;
        while (!rest.empty()) {
            const auto cut = rest.find('\\');
            const std::string name = rest.substr(0, cut);
            rest = cut == std::string::npos ? "" : rest.substr(cut + 1);
            if (name.empty()) continue;
            const int entry = IndexOf(d.Entries(), name == ".." ? name : "[" + name + "]");
            if (entry < 0) {
                std::cerr << "no folder " << name << " in " << d.BrowseDir() << "\n";
                return kExitFailed;
            }
            d.ChooseEntry(entry);
        }
    }
    d.ChooseFamily(family);
    if (!a.pattern.empty()) {
        d.SetEditText(a.pattern);
        d.ApplyPattern();
    }
    if (!a.file.empty()) {
        const int entry = IndexOf(d.Entries(), a.file);
        if (entry < 0) {
            std::cerr << "no file " << a.file << " in the list\n";
            return kExitFailed;
        }
        d.ChooseEntry(entry);
    }
    if (!a.gauge.empty()) {
        const int line = IndexOf(d.GaugeNames(), a.gauge);
        if (line < 0) {
            std::cerr << "no gauge " << a.gauge << " in " << d.FileName() << "\n";
            return kExitFailed;
        }
        d.ChooseGauge(line);
    }
    for (int i = 0; i < a.slot; ++i) d.Step(+1);

    const auto& p = d.ShownPreview();
    json preview = nullptr;
    if (p.shown) {
        preview = {{"slot", p.slot},     {"resourceId", p.resourceId}, {"width", p.width},
                   {"height", p.height}, {"bytes", p.bytes},           {"type", p.typeText}};
    }
    json out = {{"browseDir", Cp1252ToUtf8(d.BrowseDir())},
                {"entries", Texts(d.Entries())},
                {"fileCountText", d.FileCountText()},
                {"gauges", Texts(d.GaugeNames())},
                {"gaugeCountText", d.GaugeCountText()},
                {"gaugeListEnabled", d.GaugeListEnabled()},
                {"filter", AddGaugeDialogLogic::FamilyText(d.FamilyFilter())},
                {"family", d.FamilyLabel()},
                {"edit", Cp1252ToUtf8(d.EditText())},
                {"reference", Cp1252ToUtf8(d.Ok())},
                {"error", d.ErrorText()},
                {"preview", preview}};
    std::cout << out.dump(2) << "\n";
    return kExitOk;
}

const CommandRegistration kGaugeFiles([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand("gauge-files", "Print what the Add Gauge dialog shows, as JSON");
    auto a = std::make_shared<GaugeFilesArgs>();
    AddSessionOptions(cmd, a->session, false);
    cmd->get_option("--sim-dir")->required();
    cmd->add_option("--dir", a->dir, "Sub-folders of the gauges folder to enter, backslash-separated");
    cmd->add_option("--family", a->family, "Gauges of type: all, fs2000, fs98, cfs or cfs2");
    cmd->add_option("--pattern", a->pattern, "File-name wildcard applied with Enter, e.g. Cessna*");
    cmd->add_option("--file", a->file, "The file-list entry to choose");
    cmd->add_option("--gauge", a->gauge, "The gauge of the file to choose");
    cmd->add_option("--slot", a->slot, "Steps of the up-down through the element slots")
        ->check(CLI::Range(0, 27));
    cmd->callback([=] { *result = RunGaugeFiles(*a); });
});

}  // namespace
}  // namespace brindle::cli
