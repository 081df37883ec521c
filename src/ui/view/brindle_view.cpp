#include "ui/view/brindle_view.h"

#include <wx/app.h>
#include <wx/clipbrd.h>
#include <wx/colordlg.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "app/window_commands.h"
#include "app/window_list.h"
#include "platform/paths.h"
#include "ui/app/actions.h"
#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/main_frame.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/grid_dialog.h"
#include "ui/view/image_convert.h"
#include "ui/view/panel_canvas.h"
#include "ui/view/panel_printout.h"

using brindle::Cmd;

wxIMPLEMENT_DYNAMIC_CLASS(CBrindleView, wxView);

namespace {

bool IsWindowListId(int id) {
    return id >= brindle::kWindowListFirstId && id <= brindle::kWindowListLastId;
}

}  // namespace

CBrindleView::CBrindleView() = default;

CBrindleDoc* CBrindleView::Doc() const {
    return static_cast<CBrindleDoc*>(GetDocument());
}
CMainFrame* CBrindleView::Frame() const {
    return dynamic_cast<CMainFrame*>(GetFrame());
}

bool CBrindleView::OnCreate(wxDocument* doc, long flags) {
    if (!wxView::OnCreate(doc, flags)) return false;
    wxWindow* frame = wxTheApp->GetTopWindow();
    SetFrame(frame);
    canvas_ = new CPanelCanvas(frame, this);
    if (auto* f = Frame()) {
        f->SetView(this);
        f->SendSizeEvent();
    }
    Doc()->SetProgressSink([this](int done, int total, const std::string& ref) {
        if (CMainFrame* f = Frame())
            f->ShowLoadProgress(done, total, FromPanelText(brindle::ReadingGaugeText(ref)));
    });
    // The engine opens Gauge Properties per gauge (each selected one, or the one double-clicked);
    // the dialog is whatever the table registers for the command.
    Doc()->Editing().SetPropertiesHandler([this](int gauge) {
        if (const GaugeCommandHandler* h = FindGaugeCommandHandler(Cmd::GaugeProperties)) (*h)(*this, gauge);
    });
    Bind(wxEVT_MENU, &CBrindleView::OnMenu, this);
    Bind(wxEVT_UPDATE_UI, &CBrindleView::OnUpdateUI, this);
    // Initial scroll sizes until a window is shown.
    brindle::ViewGeometry& g = Doc()->View().Geometry();
    if (!Doc()->View().Shown()) g.SetScrollSizesForZoom(800, 600);
    canvas_->SyncScrollbars();
    // Keys go to the panel from the start, without a click first.
    canvas_->SetFocus();
    Activate(true);
    return true;
}

bool CBrindleView::OnClose(bool deleteWindow) {
    if (!wxView::OnClose(deleteWindow)) return false;
    Activate(false);
    if (auto* f = Frame()) f->SetView(nullptr);
    if (deleteWindow && canvas_) {
        canvas_->Destroy();
        canvas_ = nullptr;
    }
    return true;
}

void CBrindleView::OnDraw(wxDC* dc) {
    brindle::Image img = Doc()->View().PaintWholeWindow();
    if (!img.Empty()) dc->DrawBitmap(ToWxBitmap(img), 0, 0);
}

void CBrindleView::OnUpdate(wxView*, wxObject*) {
    // The document changed (another panel or window, a window added or deleted).
    RefreshFrame();
    if (CMainFrame* f = Frame()) f->RebuildWindowList();
}

void CBrindleView::OnChangeFilename() {
    RefreshFrame();
}

wxPrintout* CBrindleView::OnCreatePrintout() {
    return new CPanelPrintout(Doc());
}

void CBrindleView::RefreshFrame() {
    CMainFrame* f = Frame();
    if (!f || !canvas_) return;
    brindle::Settings& s = Doc()->settings();
    f->SetTitle(FromPath(brindle::MainFrameTitle(Doc()->PanelLoaded(), s.CurrentFile(), s.LastTitle(),
                                                 Doc()->View().Shown())));
    canvas_->SyncScrollbars();
    canvas_->Refresh(false);
    UpdatePanes();
}

void CBrindleView::UpdatePanes() {
    CMainFrame* f = Frame();
    if (!f) return;
    CBrindleDoc* doc = Doc();
    brindle::Settings& s = doc->settings();
    const brindle::ShownWindow* shown = doc->View().Shown();
    bool loaded = doc->PanelLoaded();
    f->SetPaneText(
        CMainFrame::PaneWindow,
        brindle::WindowPaneText(loaded && shown, shown && shown->kind == brindle::WindowKind::FixedWindow,
                                shown ? shown->fixedNumber : 0, shown ? shown->index : 0));
    f->SetPaneText(CMainFrame::PaneName, FromPanelText(brindle::GaugePaneText(doc->Editing().PaneState())));
    f->SetPaneText(CMainFrame::PaneMode, brindle::ModePaneText(s.Mode()));
    f->SetPaneText(CMainFrame::PaneModified, brindle::ModifiedPaneText(doc->IsModified()));
    f->SetPaneText(CMainFrame::PaneZoom, brindle::ZoomPaneText(s.Zoom()));
    f->SetPaneText(CMainFrame::PaneX, brindle::CursorXPaneText(doc->Editing().CursorX()));
    f->SetPaneText(CMainFrame::PaneY, brindle::CursorYPaneText(doc->Editing().CursorY()));
}

void CBrindleView::Apply(const brindle::EditOutput& out) {
    if (canvas_) canvas_->Apply(out);
    CMainFrame* f = Frame();
    if (out.status && f) f->SetPaneText(CMainFrame::PaneMessage, FromPanelText(*out.status));
    if (out.modified) Doc()->Modify(true);
    for (const brindle::EditRequest& r : out.requests) {
        switch (r.kind) {
            case brindle::EditRequestKind::kZoomIn:
                ZoomIn();
                break;
            case brindle::EditRequestKind::kZoomOut:
                ZoomOut();
                break;
            case brindle::EditRequestKind::kContextMenu:
                if (canvas_) {
                    std::unique_ptr<wxMenu> menu(BuildContextMenu(r.menu));
                    canvas_->PopupMenu(menu.get(), r.at.x, r.at.y);
                }
                break;
        }
    }
    UpdatePanes();
}

brindle::CommandContext CBrindleView::GatherContext() const {
    CBrindleDoc* doc = Doc();
    const brindle::Settings& s = doc->settings();
    brindle::CommandContext c;
    c.panelLoaded = doc->PanelLoaded();
    c.hasCurrentFile = !s.CurrentFile().empty();
    c.backgroundLoaded = doc->View().BackgroundLoaded();
    c.skyColorTestable = doc->View().CanTestSkyColor();
    const brindle::ShownWindow* shown = doc->View().Shown();
    c.currentIsVcockpit = shown && shown->kind == brindle::WindowKind::Vcockpit;
    c.canZoomIn = brindle::ZoomInWithinLimits(s);
    c.canZoomOut = brindle::ZoomOutWithinLimits(s);
    c.clipboardCount = s.GaugeClipboardCount();
    c.paintProgramLength = static_cast<int>(s.PaintProgram().size());
    c.gridVisible = s.GridVisible() != 0;
    c.snapToGrid = s.SnapToGrid() != 0;
    c.transparentGauges = s.TransparentGauges() != 0;
    c.drawAllBitmaps = s.DrawAllBitmaps() != 0;
    c.gaugeDrawTypes = s.GaugeDrawTypes();
    if (CMainFrame* f = Frame()) {
        c.toolBarShown = f->GetToolBar() && f->GetToolBar()->IsShown();
        c.statusBarShown = f->GetStatusBar() && f->GetStatusBar()->IsShown();
    }
    doc->Editing().FillCommandContext(c);
    return c;
}

brindle::CommandStatus CBrindleView::StatusOf(int id) const {
    if (IsWindowListId(id)) {
        const brindle::Settings& s = Doc()->settings();
        return {Doc()->PanelLoaded(), id - brindle::kWindowListFirstId == s.LastWindow()};
    }
    const Cmd cmd = static_cast<Cmd>(id);
    brindle::CommandStatus st = brindle::EvaluateCommand(cmd, GatherContext());
    // Nothing to run yet (a dialog still to be written): shown, but disabled.
    if (!HasHandler(cmd)) st.enabled = false;
    return st;
}

void CBrindleView::OnUpdateUI(wxUpdateUIEvent& event) {
    const int id = FromWxId(event.GetId());
    if (id < 0) {
        event.Skip();
        return;
    }
    const brindle::CommandStatus st = StatusOf(id);
    event.Enable(st.enabled);
    if (st.checked) event.Check(*st.checked);
}

void CBrindleView::OnMenu(wxCommandEvent& event) {
    int id = event.GetId();
    if (id >= wxID_FILE1 && id <= wxID_FILE9) {
        OpenRecentFile(static_cast<size_t>(id - wxID_FILE1));
        return;
    }
    int command = FromWxId(id);
    if (command < 0 || !RunCommand(command)) event.Skip();
}

void CBrindleView::OpenRecentFile(size_t n) {
    CBrindleDoc* doc = Doc();
    wxFileHistory* history = doc->GetDocumentManager()->GetFileHistory();
    if (!history || n >= history->GetCount()) return;
    const std::string path = ToPath(history->GetHistoryFile(n));
    if (!doc->OpenFile(path) && !brindle::FileExists(path)) history->RemoveFileFromHistory(n);
}

bool CBrindleView::RunCommand(int id) {
    if (IsWindowListId(id)) {
        SwitchToWindow(id - brindle::kWindowListFirstId, true);
        return true;
    }
    const Cmd cmd = static_cast<Cmd>(id);
    if (!brindle::FindCommand(cmd)) return false;
    const CommandHandler* handler = FindCommandHandler(cmd);
    // Without a handler of ours the framework's own (printing, quitting) runs, if there is one.
    if (!handler && !FindGaugeCommandHandler(cmd)) return false;
    if (!StatusOf(id).enabled) return true;
    if (handler)
        (*handler)(*this);
    else
        Apply(Doc()->Editing().Execute(id));  // the engine calls the gauge handler per gauge
    return true;
}

namespace {

// The gauge commands the editing controller carries out. Gauge Properties runs through the
// controller too, but only once a dialog is registered for it.
[[maybe_unused]] const bool kEditingHandlers = [] {
    for (Cmd c : brindle::EditingController::Commands())
        if (c != Cmd::GaugeProperties)
            RegisterCommandHandler(c, [c](CBrindleView& v) { v.Apply(v.Doc()->Editing().Execute(int(c))); });
    return true;
}();

// The document's file commands.
BRINDLE_COMMAND_HANDLER(Cmd::NewPanel, [](CBrindleView& v) {
    v.Doc()->Doc().NewPanel();
    v.Doc()->Changed();
});
BRINDLE_COMMAND_HANDLER(Cmd::OpenDirect, [](CBrindleView& v) {
    v.Doc()->Doc().OpenDirect();
    v.Doc()->Changed();
});
BRINDLE_COMMAND_HANDLER(Cmd::Close, [](CBrindleView& v) {
    v.Doc()->Doc().Close();
    v.Doc()->Changed();
});
BRINDLE_COMMAND_HANDLER(Cmd::Save, [](CBrindleView& v) {
    v.Doc()->Doc().Save();
    v.UpdatePanes();
});
BRINDLE_COMMAND_HANDLER(Cmd::SaveAs, [](CBrindleView& v) {
    CBrindleDoc* doc = v.Doc();
    auto path = doc->ChooseNewPanelFile(brindle::DirectoryPart(doc->Doc().Path()).value_or(""));
    if (path) doc->Doc().SaveTo(*path);
    doc->Changed();
});
BRINDLE_COMMAND_HANDLER(Cmd::EditInNotepad, [](CBrindleView& v) {
    v.Doc()->Doc().EditInTextEditor();
    v.Doc()->Changed();
});

// Zoom and drawing.
BRINDLE_COMMAND_HANDLER(Cmd::Redraw, [](CBrindleView& v) {
    v.Doc()->View().DropCaches();
    v.Doc()->View().InvalidateAll();
});
BRINDLE_COMMAND_HANDLER(Cmd::ZoomIn, [](CBrindleView& v) { v.ZoomIn(); });
BRINDLE_COMMAND_HANDLER(Cmd::ZoomOut, [](CBrindleView& v) { v.ZoomOut(); });
BRINDLE_COMMAND_HANDLER(Cmd::Fit, [](CBrindleView& v) { v.Fit(); });
BRINDLE_COMMAND_HANDLER(Cmd::DrawTransparently,
                        [](CBrindleView& v) { v.Doc()->View().ToggleTransparentGauges(); });
BRINDLE_COMMAND_HANDLER(Cmd::OutlineGauges, [](CBrindleView& v) { v.Doc()->View().CycleOutlineMode(); });
BRINDLE_COMMAND_HANDLER(Cmd::DrawAllElements,
                        [](CBrindleView& v) { v.Doc()->View().ToggleDrawAllBitmaps(); });
[[maybe_unused]] const bool kElementHandlers = [] {
    for (Cmd c : {Cmd::ElementsIcons, Cmd::ElementsSliders, Cmd::ElementsNeedles, Cmd::ElementsSprites,
                  Cmd::ElementsMovingImages})
        RegisterCommandHandler(
            c, [c](CBrindleView& v) { v.Doc()->View().ToggleElementType(brindle::ElementToggleBit(c)); });
    return true;
}();
BRINDLE_COMMAND_HANDLER(Cmd::GridOnOff, [](CBrindleView& v) { v.Doc()->View().ToggleGrid(); });
BRINDLE_COMMAND_HANDLER(Cmd::GridVisible, [](CBrindleView& v) { v.Doc()->View().ToggleGrid(); });
BRINDLE_COMMAND_HANDLER(Cmd::GridSize, [](CBrindleView& v) { v.GridSize(); });
BRINDLE_COMMAND_HANDLER(Cmd::TestSkyColor, [](CBrindleView& v) {
    brindle::PanelView& view = v.Doc()->View();
    wxColourData data;
    brindle::Pixel p = view.SkyColor();
    data.SetColour(wxColour(brindle::RedOf(p), brindle::GreenOf(p), brindle::BlueOf(p)));
    wxColourDialog dlg(v.GetFrame(), &data);
    if (ShowDialog(dlg) == wxID_OK) {
        wxColour c = dlg.GetColourData().GetColour();
        view.SetSkyColor(brindle::MakePixel(c.Red(), c.Green(), c.Blue()));
    }
});

// The panel's windows.
BRINDLE_COMMAND_HANDLER(Cmd::SelectWindow, [](CBrindleView& v) { v.SelectWindowDropDown(); });
BRINDLE_COMMAND_HANDLER(Cmd::AddNewWindow, [](CBrindleView& v) {
    CBrindleDoc* doc = v.Doc();
    brindle::Panel* panel = doc->GetPanel();
    brindle::Settings& s = doc->settings();
    int index = brindle::AddNewWindow(*panel, s, doc->Sync(), [&]() {
        return std::optional<brindle::NewWindowFields>(brindle::DefaultNewWindowFields(*panel, s.Mode()));
    });
    if (index >= 0) doc->Modify(true);
    doc->Changed();
});
BRINDLE_COMMAND_HANDLER(Cmd::DeleteCurrentWindow, [](CBrindleView& v) {
    CBrindleDoc* doc = v.Doc();
    if (brindle::DeleteCurrentWindow(*doc->GetPanel(), doc->settings(), doc->Sync())) doc->Modify(true);
    doc->Changed();
});
BRINDLE_COMMAND_HANDLER(Cmd::EditWindowBitmap, [](CBrindleView& v) { v.EditWindowBitmap(); });
BRINDLE_COMMAND_HANDLER(Cmd::CopyGaugeBitmap, [](CBrindleView& v) { v.CopyGaugeBitmap(); });

}  // namespace

void CBrindleView::ZoomIn() {
    if (Doc()->View().ZoomIn()) RefreshFrame();
}
void CBrindleView::ZoomOut() {
    Doc()->View().ZoomOut();
    RefreshFrame();
}
void CBrindleView::Fit() {
    if (canvas_) canvas_->SyncScrollbars();
    Doc()->View().Fit();
    RefreshFrame();
}

void CBrindleView::SwitchToWindow(int index, bool commit) {
    CBrindleDoc* doc = Doc();
    brindle::Panel* panel = doc->GetPanel();
    if (!panel) return;
    brindle::SwitchToWindow(*panel, doc->settings(), doc->Sync(), index, commit);
    // Showing the window fitted it to the client area as it was; scroll bars of the old window may
    // since have gone, so it is fitted again to the area measured now.
    Fit();
    doc->Changed();
}

void CBrindleView::EditWindowBitmap() {
    CBrindleDoc* doc = Doc();
    brindle::Panel* panel = doc->GetPanel();
    const brindle::ShownWindow* shown = doc->View().Shown();
    if (!panel || !shown) return;
    brindle::Settings& s = doc->settings();
    std::string path = brindle::ShownBackgroundPath(*panel, shown->index, s);
    if (brindle::EditWindowBitmap(path, s.PaintProgram())) {
        doc->View().ReloadBackground(panel->windows[shown->index]);
        RefreshFrame();
    }
}

void CBrindleView::CopyGaugeBitmap() {
    brindle::ImagePtr img = Doc()->Editing().GaugeBitmapForClipboard();
    if (!img || img->Empty()) return;
    if (wxTheClipboard->Open()) {
        wxTheClipboard->SetData(new wxBitmapDataObject(ToWxBitmap(*img)));
        wxTheClipboard->Flush();
        wxTheClipboard->Close();
    }
}

void CBrindleView::GridSize() {
    brindle::Settings& s = Doc()->settings();
    CGridDlg dlg(GetFrame(), s.GridSize());
    if (ShowDialog(dlg) == wxID_OK) Doc()->View().SetGridSize(dlg.GridSize());
}

void CBrindleView::AppendWindowList(wxMenu* menu) const {
    CBrindleDoc* doc = Doc();
    const brindle::Settings& s = doc->settings();
    for (const brindle::WindowListEntry& e :
         brindle::BuildWindowList(doc->GetPanel(), !s.CurrentFile().empty(), s.LastWindow()))
        menu->AppendCheckItem(ToWxId(e.id), FromPanelText(e.text))->Check(e.checked);
}

wxMenu* CBrindleView::BuildWindowMenu() const {
    auto* menu = new wxMenu;
    AppendWindowList(menu);
    return menu;
}

void CBrindleView::SelectWindowDropDown() {
    CMainFrame* f = Frame();
    if (!f) return;
    std::unique_ptr<wxMenu> menu(BuildWindowMenu());
    if (menu->GetMenuItemCount() == 0) return;
    wxPoint at = f->ToolPosition(WxId(Cmd::SelectWindow));
    f->PopupMenu(menu.get(), at);
}

wxMenu* CBrindleView::BuildContextMenu(int id) const {
    return ::BuildContextMenu(id);
}
