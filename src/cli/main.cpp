#include <iostream>

#include "cli/commands.h"

namespace brindle::cli {
std::vector<Registrar>& Registrars() {
    static std::vector<Registrar> registrars;
    return registrars;
}
}  // namespace brindle::cli

int main(int argc, char** argv) {
    using namespace brindle::cli;
    CLI::App app{"brindle-cli: headless panel.cfg tools of the Brindle panel editor"};
    app.set_version_flag("--version", std::string("brindle-cli ") + BRINDLE_VERSION);
    app.require_subcommand(0, 1);
    int result = kExitOk;
    for (auto& r : Registrars()) r(app, &result);
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp& e) {
        return app.exit(e);
    } catch (const CLI::CallForVersion& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return kExitUsage;
    }
    if (app.get_subcommands().empty()) {
        std::cout << app.help();
        return kExitOk;
    }
    return result;
}
