#include <iostream>

#include "cli/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace brindle::cli {
std::vector<Registrar>& Registrars() {
    static std::vector<Registrar> registrars;
    return registrars;
}
}  // namespace brindle::cli

int main(int argc, char** argv) {
    using namespace brindle::cli;
#ifdef _WIN32
    // What the commands print (JSON, reports, pictures, messages) is the same bytes on every system:
    // no CR is put before each LF.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    CLI::App app{"brindle-cli: headless panel.cfg tools of the Brindle panel editor"};
    // Options are --long and -s everywhere; on Windows a path such as /fs2000/panel.cfg stays a path.
    app.allow_windows_style_options(false);
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
