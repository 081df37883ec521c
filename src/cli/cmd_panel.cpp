// brindle-cli dump and rewrite: read a panel.cfg with the editor's reader, print it as JSON or write
// it back with the editor's writer. Never touches the user's stored settings.
#include <iostream>
#include <map>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/sim_mode.h"
#include "panel/panel_json.h"
#include "panel/panel_reader.h"
#include "panel/panel_writer.h"
#include "platform/messages.h"

namespace brindle::cli {
namespace {

struct DumpArgs {
    std::string panel;
    std::string mode = "fs2000";
    std::string answer = "no";
};

struct RewriteArgs {
    std::string in, out;
    std::string mode = "fs2000";
    bool backup = false;
    std::string copyright;
};

nlohmann::json MessagesToJson(const RecordingMessageUi& ui) {
    nlohmann::json out = nlohmann::json::array();
    for (const auto& e : ui.entries) {
        out.push_back({{"kind", RecordingMessageUi::kindName(e.kind)}, {"text", Cp1252ToUtf8(e.text)}});
    }
    return out;
}

int RunDump(const DumpArgs& a) {
    RecordingMessageUi ui;
    ui.defaultAnswer = a.answer == "yes" ? Answer::Yes : Answer::No;
    ScopedMessageUi scope(ui);
    PanelReadOptions options;
    options.mode = ParseSimMode(a.mode).value_or(kModeFS2000);
    Panel panel;
    bool ok = ReadPanelFile(a.panel, options, panel);
    nlohmann::json out = {
        {"loadFailed", panel.loadFailed}, {"messages", MessagesToJson(ui)}, {"panel", PanelToJson(panel)}};
    std::cout << out.dump(2) << '\n';
    return ok ? kExitOk : kExitFailed;
}

int RunRewrite(const RewriteArgs& a) {
    // Messages go to stderr; the text check's question is answered No.
    StderrMessageUi ui(Answer::No);
    ScopedMessageUi scope(ui);
    PanelReadOptions readOptions;
    readOptions.mode = ParseSimMode(a.mode).value_or(kModeFS2000);
    Panel panel;
    if (!ReadPanelFile(a.in, readOptions, panel)) return kExitFailed;
    PanelWriteOptions writeOptions;
    writeOptions.mode = readOptions.mode;
    writeOptions.createBackup = a.backup;
    writeOptions.copyrightFile = a.copyright;
    return WritePanelFile(panel, a.out, writeOptions) ? kExitOk : kExitFailed;
}

const CommandRegistration kPanelCommands([](CLI::App& app, int* result) {
    auto dumpArgs = std::make_shared<DumpArgs>();
    CLI::App* dump =
        app.add_subcommand("dump", "Read a panel.cfg and print the panel and the reader's messages as JSON");
    dump->add_option("PANEL", dumpArgs->panel, "panel.cfg to read")->required();
    dump->add_option("--mode", dumpArgs->mode, "simulator: fs2000, fs98, cfs or cfs2")
        ->check(CLI::IsMember(SimModeNames()));
    dump->add_option("--answer", dumpArgs->answer, "answer to the reader's question: yes or no")
        ->check(CLI::IsMember({"yes", "no"}));
    dump->callback([dumpArgs, result] { *result = RunDump(*dumpArgs); });

    auto rewriteArgs = std::make_shared<RewriteArgs>();
    CLI::App* rewrite =
        app.add_subcommand("rewrite", "Read a panel.cfg and write it again with the editor's writer");
    rewrite->add_option("IN", rewriteArgs->in, "panel.cfg to read")->required();
    rewrite->add_option("OUT", rewriteArgs->out, "file to write")->required();
    rewrite->add_option("--mode", rewriteArgs->mode, "simulator: fs2000, fs98, cfs or cfs2")
        ->check(CLI::IsMember(SimModeNames()));
    rewrite->add_flag("--backup", rewriteArgs->backup,
                      "first copy an existing OUT to its next free backup name");
    rewrite->add_option("--copyright", rewriteArgs->copyright, "file whose text goes below the header");
    rewrite->callback([rewriteArgs, result] { *result = RunRewrite(*rewriteArgs); });
});

}  // namespace
}  // namespace brindle::cli
