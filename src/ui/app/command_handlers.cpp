#include "ui/app/command_handlers.h"

#include <map>

using brindle::Cmd;

namespace {

// Function-local, so registrations from any file's static initialisers find them built.
std::map<Cmd, CommandHandler>& Handlers() {
    static std::map<Cmd, CommandHandler> handlers;
    return handlers;
}
std::map<Cmd, GaugeCommandHandler>& GaugeHandlers() {
    static std::map<Cmd, GaugeCommandHandler> handlers;
    return handlers;
}

}  // namespace

bool RegisterCommandHandler(Cmd cmd, CommandHandler handler) {
    if (handler)
        Handlers()[cmd] = std::move(handler);
    else
        Handlers().erase(cmd);
    return true;
}

bool RegisterGaugeCommandHandler(Cmd cmd, GaugeCommandHandler handler) {
    if (handler)
        GaugeHandlers()[cmd] = std::move(handler);
    else
        GaugeHandlers().erase(cmd);
    return true;
}

const CommandHandler* FindCommandHandler(Cmd cmd) {
    auto it = Handlers().find(cmd);
    return it == Handlers().end() ? nullptr : &it->second;
}

const GaugeCommandHandler* FindGaugeCommandHandler(Cmd cmd) {
    auto it = GaugeHandlers().find(cmd);
    return it == GaugeHandlers().end() ? nullptr : &it->second;
}

bool RunByFramework(Cmd cmd) {
    return cmd == Cmd::Print || cmd == Cmd::PrintPreview || cmd == Cmd::PrintSetup || cmd == Cmd::Exit ||
           cmd == Cmd::RecentFile;
}

bool HasHandler(Cmd cmd) {
    return FindCommandHandler(cmd) || FindGaugeCommandHandler(cmd) || RunByFramework(cmd);
}
