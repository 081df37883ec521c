#include <wx/app.h>

#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

#include "app/forms.h"
#include "lib/command_line.h"

namespace {

class CPickwellApp : public wxApp {
  public:
    bool OnInit() override {
        std::error_code ec;
        std::filesystem::path here = std::filesystem::current_path(ec);
        if (ec) here = std::filesystem::path(".");
        pickwell_ = std::make_unique<CPickwell>(here.string());
        pickwell_->Start();
        return true;
    }

  private:
    std::unique_ptr<CPickwell> pickwell_;
};

}  // namespace

wxIMPLEMENT_APP_NO_MAIN(CPickwellApp);

int main(int argc, char** argv) {
    // The command line is handled before any window code runs, so scripts need no display.
    std::vector<std::string> args(argv + 1, argv + argc);
    if (pickwell::WantsCommandLine(args)) return pickwell::RunCommandLine(args, std::cout, std::cerr);
    return wxEntry(argc, argv);
}
