// Each command file registers its sub-commands with one static BRINDLE_CLI_COMMAND object, so that
// adding a command touches only its own file.
#pragma once

#include <CLI/CLI.hpp>
#include <functional>
#include <string>
#include <vector>

namespace brindle::cli {

// Exit statuses shared by all commands.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;
inline constexpr int kExitUsage = 2;

// A registrar adds its sub-command to the app and sets `*result` from its callback.
using Registrar = std::function<void(CLI::App& app, int* result)>;

std::vector<Registrar>& Registrars();

struct CommandRegistration {
    explicit CommandRegistration(Registrar r) { Registrars().push_back(std::move(r)); }
};

}  // namespace brindle::cli
