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

// Commands whose dialogs the shell does not have yet: they stay disabled rather than do nothing.
bool NotYetAvailable(Cmd c) {
    switch (c) {
        case Cmd::OpenByAircraft:
        case Cmd::CopyPanelToAircraft:
        case Cmd::ModeAndDirectory:
        case Cmd::Preferences:
        case Cmd::AddGauge:
        case Cmd::InsertGaugeTool:
        case Cmd::GaugeProperties:
        case Cmd::ExportPanel:
        case Cmd::CreateColorPalette:
        case Cmd::ScreenCapture:
        case Cmd::DesignCheck:
        case Cmd::SetDefaultPosition:
        case Cmd::WindowProperties:
        case Cmd::FixedWindows:
        case Cmd::HelpContents:
        case Cmd::SnapToDisplayedGrid:
        case Cmd::Website:  // there is no project website to open yet
            return true;
        default:
            return false;
    }
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
    f->SetTitle(FromPath(
        brindle::MainFrameTitle(Doc()->PanelLoaded(), s.CurrentFile(), "Brindle", Doc()->View().Shown())));
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
    doc->Editing().FillCommandContext(c);
    return c;
}

brindle::CommandStatus CBrindleView::StatusOf(int id) const {
    if (IsWindowListId(id)) {
        const brindle::Settings& s = Doc()->settings();
        return {Doc()->PanelLoaded(), id - brindle::kWindowListFirstId == s.LastWindow()};
    }
    Cmd cmd = static_cast<Cmd>(id);
    if (NotYetAvailable(cmd)) return {false, std::nullopt};
    // The editing controller knows its own commands (the context menus' too); the rest follow the
    // command rules with what the document, the view and the settings say.
    if (auto st = Doc()->Editing().Status(id)) return *st;
    return brindle::EvaluateCommand(cmd, GatherContext());
}

void CBrindleView::OnUpdateUI(wxUpdateUIEvent& event) {
    int id = FromWxId(event.GetId());
    // The framework keeps the bars, Exit, About and the printer set-up.
    if (id < 0 || id == int(Cmd::Exit) || id == int(Cmd::About) || id == int(Cmd::ViewToolbar) ||
        id == int(Cmd::ViewStatusBar) || id == int(Cmd::PrintSetup)) {
        event.Skip();
        return;
    }
    brindle::CommandStatus st = StatusOf(id);
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
    CBrindleDoc* doc = Doc();
    brindle::PanelView& view = doc->View();
    brindle::PanelDocument& pd = doc->Doc();
    if (IsWindowListId(id)) {
        SwitchToWindow(id - brindle::kWindowListFirstId, true);
        return true;
    }
    // The framework prints, quits and shows About.
    if (id == int(Cmd::Print) || id == int(Cmd::PrintPreview) || id == int(Cmd::PrintSetup) ||
        id == int(Cmd::Exit) || id == int(Cmd::About))
        return false;
    Cmd cmd = static_cast<Cmd>(id);
    if (!StatusOf(id).enabled) return true;
    switch (cmd) {
        case Cmd::NewPanel:
            pd.NewPanel();
            doc->Changed();
            return true;
        case Cmd::OpenDirect:
            pd.OpenDirect();
            doc->Changed();
            return true;
        case Cmd::Close:
            pd.Close();
            doc->Changed();
            return true;
        case Cmd::Save:
            pd.Save();
            UpdatePanes();
            return true;
        case Cmd::SaveAs: {
            auto path = doc->ChooseNewPanelFile(brindle::DirectoryPart(pd.Path()).value_or(""));
            if (path) pd.SaveTo(*path);
            doc->Changed();
            return true;
        }
        case Cmd::Redraw:
            view.DropCaches();
            view.InvalidateAll();
            return true;
        case Cmd::ZoomIn:
            ZoomIn();
            return true;
        case Cmd::ZoomOut:
            ZoomOut();
            return true;
        case Cmd::Fit:
            Fit();
            return true;
        case Cmd::DrawTransparently:
            view.ToggleTransparentGauges();
            return true;
        case Cmd::OutlineGauges:
            view.CycleOutlineMode();
            return true;
        case Cmd::DrawAllElements:
            view.ToggleDrawAllBitmaps();
            return true;
        case Cmd::ElementsIcons:
        case Cmd::ElementsSliders:
        case Cmd::ElementsNeedles:
        case Cmd::ElementsSprites:
        case Cmd::ElementsMovingImages:
            view.ToggleElementType(brindle::ElementToggleBit(cmd));
            return true;
        case Cmd::ElementsStatic:
            return true;
        case Cmd::GridOnOff:
        case Cmd::GridVisible:
            view.ToggleGrid();
            return true;
        case Cmd::GridSize:
            GridSize();
            return true;
        case Cmd::TestSkyColor: {
            wxColourData data;
            brindle::Pixel p = view.SkyColor();
            data.SetColour(wxColour(brindle::RedOf(p), brindle::GreenOf(p), brindle::BlueOf(p)));
            wxColourDialog dlg(GetFrame(), &data);
            if (dlg.ShowModal() == wxID_OK) {
                wxColour c = dlg.GetColourData().GetColour();
                view.SetSkyColor(brindle::MakePixel(c.Red(), c.Green(), c.Blue()));
            }
            return true;
        }
        case Cmd::SelectWindow:
            SelectWindowDropDown();
            return true;
        case Cmd::AddNewWindow: {
            brindle::Panel* panel = doc->GetPanel();
            brindle::Settings& s = doc->settings();
            int index = brindle::AddNewWindow(*panel, s, doc->Sync(), [&]() {
                return std::optional<brindle::NewWindowFields>(
                    brindle::DefaultNewWindowFields(*panel, s.Mode()));
            });
            if (index >= 0) doc->Modify(true);
            doc->Changed();
            return true;
        }
        case Cmd::DeleteCurrentWindow:
            if (brindle::DeleteCurrentWindow(*doc->GetPanel(), doc->settings(), doc->Sync()))
                doc->Modify(true);
            doc->Changed();
            return true;
        case Cmd::EditWindowBitmap:
            EditWindowBitmap();
            return true;
        case Cmd::CopyGaugeBitmap:
            CopyGaugeBitmap();
            return true;
        case Cmd::EditInNotepad:
            pd.EditInTextEditor();
            doc->Changed();
            return true;
        default:
            break;
    }
    brindle::EditOutput out = doc->Editing().Execute(id);
    if (!out.handled) return false;
    Apply(out);
    return true;
}

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
    if (dlg.ShowModal() == wxID_OK) Doc()->View().SetGridSize(dlg.GridSize());
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
    auto* menu = new wxMenu;
    auto add = [menu](int cmd, const char* text) { menu->Append(ToWxId(cmd), text); };
    add(int(Cmd::Cut), "Cut");
    add(int(Cmd::Copy), "Copy");
    add(int(Cmd::Paste), "Paste");
    add(int(Cmd::Delete), "Delete");
    menu->AppendSeparator();
    if (id == brindle::kMenuNoGauge) {
        add(int(Cmd::Fit), "Fit");
        add(int(Cmd::ZoomIn), "Zoom In");
        add(int(Cmd::ZoomOut), "Zoom Out");
        add(int(Cmd::Redraw), "Redraw");
    } else if (id == brindle::kMenuOneGauge) {
        add(int(Cmd::AspectRatio), "Set Gauge Aspect Ratio to 1.0");
        add(brindle::kCmdSnapToGridContext, "Snap To Grid");
        menu->AppendSeparator();
        add(brindle::kCmdMoveUp, "Move Up");
        add(brindle::kCmdMoveToFront, "Move to Front");
        add(brindle::kCmdMoveDown, "Move Down");
        add(brindle::kCmdMoveToBack, "Move to Back");
        menu->AppendSeparator();
        add(brindle::kCmdHideGaugeBitmaps, "Hide this Gauge's Bitmaps");
        add(brindle::kCmdUnhideGaugeBitmaps, "UnHide this Gauge");
        menu->AppendSeparator();
        add(int(Cmd::GaugeProperties), "Properties...");
    } else {
        add(int(Cmd::AspectRatio), "Set Gauge Aspect Ratio to 1.0");
        add(brindle::kCmdSnapToGridContext, "Snap To Grid");
        menu->AppendSeparator();
        add(int(Cmd::ContextLineUpHorizontally), "Line Up Horizontally");
        add(int(Cmd::ContextLineUpVertically), "Line Up Vertically");
        add(int(Cmd::StackVertically), "Stack Vertically");
        add(int(Cmd::StackHorizontally), "Stack Horizontally");
        menu->AppendSeparator();
        add(brindle::kCmdHideGaugeBitmaps, "Hide Gauge Bitmaps");
        add(brindle::kCmdUnhideGaugeBitmaps, "UnHide Gauge Bitmaps");
        menu->AppendSeparator();
        add(brindle::kCmdSameSizeLargestContext, "Set to Same Size (largest)");
        add(int(Cmd::SameSizeSmallest), "Set to Same Size (smallest)");
    }
    return menu;
}
