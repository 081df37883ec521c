// What each command does in the shell. A command's number, texts, keys, icon, kind and enable rule
// are its row in app/commands.cpp; its handler is registered here, from the file that carries it
// out, with one line beside the code:
//
//     BRINDLE_COMMAND_HANDLER(Cmd::GridSize, [](CBrindleView& view) { ... });
//
// A command runs only while its rule enables it. A command without a handler is shown disabled
// (its check mark still follows its rule), so a command whose dialog has not been written yet
// needs nothing but its row.
#pragma once

#include <functional>

#include "app/commands.h"

class CBrindleView;

using CommandHandler = std::function<void(CBrindleView& view)>;
// A command carried out once per gauge (Gauge Properties): the engine picks the gauges, every
// selected one for the command and the one under the cursor for a double click.
using GaugeCommandHandler = std::function<void(CBrindleView& view, int gauge)>;

// Both return true so that a registration can initialise a static; a second handler for the same
// command replaces the first, an empty one removes it.
bool RegisterCommandHandler(brindle::Cmd cmd, CommandHandler handler);
bool RegisterGaugeCommandHandler(brindle::Cmd cmd, GaugeCommandHandler handler);
const CommandHandler* FindCommandHandler(brindle::Cmd cmd);
const GaugeCommandHandler* FindGaugeCommandHandler(brindle::Cmd cmd);

// Commands the framework carries out itself (printing, quitting, the recent-file list) when no
// handler is registered.
bool RunByFramework(brindle::Cmd cmd);
// Whether anything carries the command out: a handler, a gauge handler or the framework.
bool HasHandler(brindle::Cmd cmd);

#define BRINDLE_HANDLER_CONCAT_(a, b) a##b
#define BRINDLE_HANDLER_CONCAT(a, b) BRINDLE_HANDLER_CONCAT_(a, b)
#define BRINDLE_COMMAND_HANDLER(cmd, ...)                                                         \
    [[maybe_unused]] static const bool BRINDLE_HANDLER_CONCAT(brindleCommandHandler_, __LINE__) = \
        RegisterCommandHandler(cmd, __VA_ARGS__)
#define BRINDLE_GAUGE_COMMAND_HANDLER(cmd, ...)                                                        \
    [[maybe_unused]] static const bool BRINDLE_HANDLER_CONCAT(brindleGaugeCommandHandler_, __LINE__) = \
        RegisterGaugeCommandHandler(cmd, __VA_ARGS__)
