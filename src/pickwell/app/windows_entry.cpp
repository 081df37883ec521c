// The windows' way in: the program calls PickwellRunWindows only when it was started without options,
// so a command-line run never loads the window libraries.
#include "app/windows_entry.h"

#include <wx/app.h>

#include <filesystem>
#include <memory>
#include <system_error>

#include "app/forms.h"

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

extern "C" PICKWELL_WINDOWS_EXPORT int PickwellRunWindows(int argc, char** argv) {
    return wxEntry(argc, argv);
}
