// brindle-cli capture: one whole panel window as the view draws it at a zoom, written in the
// Screen Capture file format.
#include <iostream>

#include "cli/commands.h"
#include "cli/panel_edit.h"
#include "dialogs/capture.h"
#include "view/panel_view.h"

namespace brindle::cli {
namespace {

struct CaptureArgs : PanelEditArgs {
    int window = 0;
    double zoom = 1.0;
};

int RunCapture(const CaptureArgs& a) {
    PanelEditSession session(a);
    if (!session.Open()) return kExitFailed;
    if (a.window < 0 || a.window >= static_cast<int>(session.panel.windows.size())) {
        std::cerr << "brindle-cli capture: the panel has no window " << a.window << "\n";
        return kExitFailed;
    }
    PanelView view(session.settings);
    view.Geometry().SetClientSize({800, 600});
    view.ShowPanelWindow(session.panel, a.window);
    view.SetZoom(a.zoom);
    Image image = view.PaintWholeWindow();
    if (image.Empty()) {
        std::cerr << "brindle-cli capture: window " << a.window << " has no size to draw\n";
        return kExitFailed;
    }
    CaptureBitmap capture;
    capture.Capture(image, image.Bounds());
    if (!capture.WriteToFile(a.output)) return kExitFailed;
    std::cout << capture.Width() << "x" << capture.Height() << " -> " << a.output << "\n";
    return kExitOk;
}

const CommandRegistration kCapture([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand("capture", "Screen Capture of one whole window, as a .bmp file");
    auto args = std::make_shared<CaptureArgs>();
    AddPanelEditOptions(cmd, *args, false);
    cmd->get_option("-o")->required()->description("The .bmp file to write");
    cmd->add_option("--window", args->window, "Window number (its place in the panel's window list)")
        ->required();
    cmd->add_option("--zoom", args->zoom, "Zoom factor (default 1: one pixel per background pixel)");
    cmd->callback([=] { *result = RunCapture(*args); });
});

}  // namespace
}  // namespace brindle::cli
