#include "ui/app/main_frame.h"

#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>

#include "app/settings.h"
#include "ui/app/about_dialog.h"
#include "ui/app/actions.h"

using brindle::Cmd;

CMainFrame::CMainFrame(wxDocManager* manager, const wxString& title, const wxPoint& pos, const wxSize& size)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, title, pos, size) {
    SetMenuBar(BuildMenuBar());
    wxMenu* file = GetMenuBar()->GetMenu(0);
    manager->FileHistoryUseMenu(file);
    manager->FileHistoryAddFilesToMenu(file);

    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT);
    PopulateToolBar(bar);

    CreateStatusBar(PaneCount);
    const int widths[PaneCount] = {-1, 110, 200, 50, 30, 60, 70, 70};
    GetStatusBar()->SetStatusWidths(PaneCount, widths);
    SetPaneText(PaneMessage, "Ready");
    SetPaneText(PaneModified, " ");

    Bind(wxEVT_UPDATE_UI, &CMainFrame::OnUpdateCommand, this);
    Bind(
        wxEVT_MENU, [this](wxCommandEvent&) { CAboutDlg(this).ShowModal(); }, wxID_ABOUT);
}

void CMainFrame::SetPaneText(Pane pane, const wxString& text) {
    if (GetStatusBar()) GetStatusBar()->SetStatusText(text, pane);
}

CBrindleView* CMainFrame::CurrentView() const { return nullptr; }

brindle::CommandContext CMainFrame::GatherContext() const {
    const brindle::Settings& s = brindle::GlobalSettings();
    brindle::CommandContext c;
    c.hasCurrentFile = !s.CurrentFile().empty();
    c.clipboardCount = s.GaugeClipboardCount();
    c.gridVisible = s.GridVisible() != 0;
    c.snapToGrid = s.SnapToGrid() != 0;
    c.transparentGauges = s.TransparentGauges() != 0;
    c.drawAllBitmaps = s.DrawAllBitmaps() != 0;
    c.gaugeDrawTypes = s.GaugeDrawTypes();
    c.paintProgramLength = static_cast<int>(s.PaintProgram().size());
    c.canZoomIn = s.Zoom() * s.ZoomStep() <= s.ZoomMax();
    c.canZoomOut = s.Zoom() / s.ZoomStep() >= s.ZoomMin();
    return c;
}

void CMainFrame::OnUpdateCommand(wxUpdateUIEvent& event) {
    bool known = false;
    Cmd cmd = CmdFromWxId(event.GetId(), &known);
    if (!known) {
        event.Skip();
        return;
    }
    if (cmd == Cmd::ViewToolbar || cmd == Cmd::ViewStatusBar || cmd == Cmd::Exit || cmd == Cmd::OpenDirect ||
        cmd == Cmd::NewPanel || cmd == Cmd::PrintSetup || cmd == Cmd::About) {
        event.Skip();
        return;
    }
    brindle::CommandStatus st = brindle::EvaluateCommand(cmd, GatherContext());
    event.Enable(st.enabled);
    if (st.checked) event.Check(*st.checked);
}

void CMainFrame::OnCommand(wxCommandEvent& event) { event.Skip(); }

void CMainFrame::OnElementsDropDown(wxCommandEvent&) {}
