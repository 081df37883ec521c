// Dragging a gauge in the editor window: one simulated mouse move with the button down, through the
// editing controller, to the end of the repaint of the invalidated rectangles. Needs a display
// (run under Xvfb). Arguments after the benchmark's own: none.
#include <benchmark/benchmark.h>
#include <wx/app.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/init.h>

#include <filesystem>

#include "platform/messages.h"
#include "ui/app/main_frame.h"
#include "ui/app/startup.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"
#include "ui/view/panel_canvas.h"

namespace fs = std::filesystem;

namespace {

struct Editor {
    EditorWindows w;
    brindle::RecordingMessageUi messages;
    brindle::ScopedMessageUi scoped{messages};
    fs::path dir;

    Editor() {
        static int argc = 1;
        static char name[] = "bench_ui_drag";
        static char* argv[] = {name, nullptr};
        wxApp::SetInstance(new wxApp);
        wxEntryStart(argc, argv);
        wxTheApp->CallOnInit();
        dir = fs::temp_directory_path() / "brindle_bench_ui_drag";
        fs::remove_all(dir);
        fs::create_directories(dir);
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", dir / "FS2000", fs::copy_options::recursive);
        wxConfigBase::Set(new wxFileConfig("Brindle", "Brindle", (dir / "settings.ini").string(), "",
                                           wxCONFIG_USE_LOCAL_FILE));
        brindle::Settings& s = brindle::GlobalSettings();
        s.SetMode(brindle::kModeFS2000);
        s.SetFS2000Dir((dir / "FS2000").string());
        s.SetReload(0);
        w = StartEditor("");
        w.frame->SetSize(1000, 760);
        w.doc->Doc().OpenAtWindow((dir / "FS2000/Aircraft/Demo/Panel/panel.cfg").string(), 0);
        w.doc->Changed();
        wxTheApp->ProcessPendingEvents();
    }

    void Mouse(wxEventType type, wxPoint at, bool down) {
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.m_leftDown = down;
        CPanelCanvas* c = w.view->Canvas();
        e.SetEventObject(c);
        c->GetEventHandler()->ProcessEvent(e);
    }
};

Editor& TheEditor() {
    static Editor editor;
    return editor;
}

void BM_DragMoveAndRepaint(benchmark::State& state) {
    Editor& ed = TheEditor();
    brindle::PanelView& view = ed.w.doc->View();
    view.SetZoom(static_cast<double>(state.range(0)));
    view.Geometry().SetScrollPosition({0, 0});
    ed.w.view->RefreshFrame();
    ed.w.view->Canvas()->Update();
    const brindle::ViewGauge& g = view.Gauges().at(0);
    brindle::ViewPoint v = view.Geometry().ToView({static_cast<int>(g.x) + 40, static_cast<int>(g.y) + 40});
    brindle::ViewPoint s = view.Geometry().ScrollPosition();
    wxPoint at(v.x - s.x, v.y - s.y);
    ed.Mouse(wxEVT_LEFT_DOWN, at, true);
    ed.Mouse(wxEVT_LEFT_UP, at, false);
    ed.Mouse(wxEVT_LEFT_DOWN, at, true);
    ed.Mouse(wxEVT_MOTION, at, true);
    int step = 0;
    const long paints = ed.w.view->Canvas()->PaintCount();
    const long long pixels = ed.w.view->Canvas()->PaintedPixels();
    for (auto _ : state) {
        // Back and forth by 3 pixels so the gauge stays where it is on the whole.
        step ^= 1;
        const long before = ed.w.view->Canvas()->PaintCount();
        ed.Mouse(wxEVT_MOTION, at + wxPoint(step * 3, step * 3), true);
        // The toolkit paints from its event loop: run it until the repaint is done.
        for (int spin = 0; spin < 1000 && ed.w.view->Canvas()->PaintCount() == before; ++spin)
            wxTheApp->Yield(true);
    }
    ed.Mouse(wxEVT_LEFT_UP, at, false);
    const double moves = static_cast<double>(state.iterations());
    state.counters["paints_per_move"] = (ed.w.view->Canvas()->PaintCount() - paints) / moves;
    state.counters["pixels_per_move"] =
        static_cast<double>(ed.w.view->Canvas()->PaintedPixels() - pixels) / moves;
}
BENCHMARK(BM_DragMoveAndRepaint)->Arg(1)->Arg(4)->Unit(benchmark::kMicrosecond);

}  // namespace
