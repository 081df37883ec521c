// brindle-cli render: one panel window drawn as the editor's view draws it, written as PNG or BMP.
// The command works on a Settings record of its own with the program's defaults, so the user's
// stored preferences are never read or changed.
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

#include "app/settings.h"
#include "cli/commands.h"
#include "cli/sim_mode.h"
#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "view/bitmap.h"
#include "view/panel_view.h"
#include "view/render_png.h"

namespace brindle::cli {
namespace {

struct RenderArgs {
    std::string panel;
    int window = 0;
    double zoom = 1.0;
    std::string fit;
    std::string simDir;
    std::string mode = "FS2000";
    bool highRes = true;
    bool opaque = false;
    bool allElements = true;
    int types = 1;
    int outlineMode = 0;
    int grid = 0;
    bool halftone = false;
    std::string output;
};

bool ParseSize(const std::string& text, ViewSize* size) {
    int w = 0, h = 0;
    char x = 0, extra = 0;
    if (std::sscanf(text.c_str(), "%d%c%d%c", &w, &x, &h, &extra) != 3 || (x != 'x' && x != 'X'))
        return false;
    if (w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide) return false;
    *size = {w, h};
    return true;
}

bool EndsWithNoCase(const std::string& s, const std::string& suffix) {
    return s.size() >= suffix.size() && EqualsNoCase(s.substr(s.size() - suffix.size()), suffix);
}

int RunRender(const RenderArgs& a, bool zoomGiven) {
    const char* kName = "brindle-cli render: ";
    SimMode mode = kModeFS2000;
    if (auto parsed = ParseSimMode(a.mode)) {
        mode = *parsed;
    } else {
        std::cerr << kName << "unknown mode \"" << a.mode << "\" (FS2000, FS98, CFS, CFS2)\n";
        return kExitUsage;
    }
    ViewSize fitClient;
    if (!a.fit.empty() && !ParseSize(a.fit, &fitClient)) {
        std::cerr << kName << "--fit wants WIDTHxHEIGHT, e.g. 1600x1200\n";
        return kExitUsage;
    }
    if (!a.fit.empty() && zoomGiven) {
        std::cerr << kName << "give either --zoom or --fit\n";
        return kExitUsage;
    }
    const bool png = EndsWithNoCase(a.output, ".png");
    if (!png && !EndsWithNoCase(a.output, ".bmp")) {
        std::cerr << kName << "the output must end in .png or .bmp\n";
        return kExitUsage;
    }

    // Without --sim-dir the panel is taken to sit in <sim>/Aircraft/<aircraft>/Panel/.
    std::string simDir = a.simDir;
    if (simDir.empty()) {
        std::filesystem::path p = std::filesystem::absolute(ResolvePath(a.panel));
        simDir = p.parent_path().parent_path().parent_path().parent_path().string();
    }

    Settings settings;
    settings.SetMode(mode);
    settings.SetSimDir(simDir);
    settings.SetHighRes(a.highRes ? 1 : 0);
    settings.SetTransparentGauges(a.opaque ? 0 : 1);
    settings.SetDrawAllBitmaps(a.allElements ? 1 : 0);
    settings.SetGaugeDrawTypes(a.types | 1);
    settings.SetUseHalftoneBLT(a.halftone ? 1 : 0);
    if (a.grid > 0) {
        settings.SetGridSize(a.grid);
        settings.SetGridVisible(1);
    }

    // Problems the editor would show in message boxes go to stderr; questions are answered No.
    StderrMessageUi ui;
    ScopedMessageUi scope(ui);
    PanelReadOptions readOptions;
    readOptions.mode = mode;
    readOptions.simDir = simDir;
    Panel panel;
    if (!ReadPanelFile(a.panel, readOptions, panel)) {
        std::cerr << kName << "can't read the panel " << a.panel << "\n";
        return kExitFailed;
    }
    if (a.window < 0 || a.window >= static_cast<int>(panel.windows.size())) {
        std::cerr << kName << "the panel has no window " << a.window << " (it has " << panel.windows.size()
                  << ")\n";
        return kExitFailed;
    }
    settings.SetCurrentFile(a.panel);

    PanelView view(settings);
    view.Geometry().SetClientSize(a.fit.empty() ? ViewSize{800, 600} : fitClient);
    view.ShowPanelWindow(panel, a.window);
    if (a.fit.empty()) view.SetZoom(a.zoom);
    view.SetOutlineMode(a.outlineMode);

    Image image = view.PaintWholeWindow();
    if (image.Empty()) {
        std::cerr << kName << "window " << a.window << " has no size to draw (no bitmap and no size_mm)\n";
        return kExitFailed;
    }
    int error = 0;
    bool ok = png ? WritePng(a.output, image, &error) : WriteBmp24(a.output, image, &error);
    if (!ok) {
        std::cerr << kName << "can't write " << a.output << (error ? ": " : "")
                  << (error ? std::error_code(error, std::generic_category()).message() : "") << "\n";
        return kExitFailed;
    }
    std::cout << image.Width() << "x" << image.Height() << " zoom " << settings.Zoom() << " -> " << a.output
              << "\n";
    return kExitOk;
}

const CommandRegistration kRender([](CLI::App& app, int* result) {
    auto* cmd =
        app.add_subcommand("render", "Draw one panel window as the editor shows it, to a PNG or BMP file");
    auto args = std::make_shared<RenderArgs>();
    cmd->add_option("PANEL", args->panel, "The panel.cfg")->required();
    cmd->add_option("--window", args->window,
                    "Window number (its place in the panel's window list; default 0)");
    auto* zoom = cmd->add_option("--zoom", args->zoom, "Zoom factor, clamped to 0.2..12 (default 1.0)");
    cmd->add_option("--fit", args->fit,
                    "Fit the window into a view of WIDTHxHEIGHT pixels instead of --zoom");
    cmd->add_option(
        "--sim-dir", args->simDir,
        "Simulator folder; its gauges folder holds the modules (default: four levels above PANEL)");
    cmd->add_option("--mode", args->mode, "Simulator mode: FS2000, FS98, CFS or CFS2 (default FS2000)");
    cmd->add_flag("--high-res,!--no-high-res", args->highRes,
                  "Use file_1024 and the +500 gauge bitmaps (default on)");
    cmd->add_flag("--opaque", args->opaque,
                  "Draw transparent elements opaquely (Draw Gauges Transparently off)");
    cmd->add_flag("--all-elements,!--no-all-elements", args->allElements,
                  "Draw all gauge elements, filtered by --types (default on); off: static images only");
    cmd->add_option(
           "--types", args->types,
           "Element types drawn with --all-elements: sum of 2 needles, 8 sliders, 16 icons, 32 moving "
           "images, 64 sprites (static images always; default 1)")
        ->check(CLI::Range(0, 127));
    cmd->add_option("--outline-mode", args->outlineMode,
                    "Outline Gauges steps: 0 bitmaps, 1 bitmaps and outlines, 2 outlines, 3 bitmaps only")
        ->check(CLI::Range(0, 3));
    cmd->add_option("--grid", args->grid, "Show the grid with this spacing in panel units (5 to 100)")
        ->check(CLI::Range(kGridSizeMin, kGridSizeMax));
    cmd->add_flag("--halftone", args->halftone, "Average pixels when scaling (UseHalftoneBLT)");
    cmd->add_option("-o,--output", args->output, "The picture to write: OUT.png or OUT.bmp")->required();
    cmd->callback([=] { *result = RunRender(*args, zoom->count() > 0); });
});

}  // namespace
}  // namespace brindle::cli
