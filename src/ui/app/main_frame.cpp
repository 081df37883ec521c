#include "ui/app/main_frame.h"

#include <wx/accel.h>
#include <wx/config.h>
#include <wx/evtloop.h>
#include <wx/gauge.h>
#include <wx/iconbndl.h>
#include <wx/menu.h>
#include <wx/statusbr.h>
#include <wx/toolbar.h>
#include <wx/utils.h>

#include <algorithm>

#include "app/settings.h"
#include "app/window_list.h"
#include "ui/app/actions.h"
#include "ui/app/command_handlers.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"
#include "ui/view/panel_canvas.h"
#include "view/panel_view.h"

using brindle::Cmd;

namespace {
// Every id the list may have used, and two more, are cleared before it is built again.
constexpr int kWindowListClearCount = 34;
}  // namespace

CMainFrame::CMainFrame(wxDocManager* manager, const wxString& title, const wxPoint& pos, const wxSize& size)
    : wxDocParentFrame(manager, nullptr, wxID_ANY, title, pos, size) {
#ifdef __WXMSW__
    // The program's own icon, for the title bar, the task bar and Alt+Tab.
    SetIcons(wxIconBundle("wxICON_AAA", nullptr));
#endif
    SetMenuBar(BuildMenuBar());
    // The recent files go in their own menu before Exit (wx appends them at a menu's end).
    if (wxMenu* recent = RecentFileMenu(GetMenuBar())) {
        manager->FileHistoryUseMenu(recent);
        manager->FileHistoryAddFilesToMenu(recent);
    }

    wxToolBar* bar = CreateToolBar(wxTB_HORIZONTAL | wxTB_FLAT | wxTB_DOCKABLE);
    PopulateToolBar(bar);

    CreateStatusBar(PaneCount);
    const int widths[PaneCount] = {-1, 120, 280, 50, 30, 60, 80, 80};
    GetStatusBar()->SetStatusWidths(PaneCount, widths);
    SetPaneText(PaneMessage, "Ready");
    SetPaneText(PaneModified, "   ");

    SetAcceleratorTable(BuildAcceleratorTable());

    LoadBarState();
    DragAcceptFiles(true);
    Bind(wxEVT_DROP_FILES, &CMainFrame::OnDropFiles, this);
    Bind(wxEVT_CLOSE_WINDOW, &CMainFrame::OnClose, this);
    Bind(wxEVT_TOOL_DROPDOWN, &CMainFrame::OnElementsDropDown, this, WxId(Cmd::DrawAllElements));
}

namespace {
// View > Toolbar and Status Bar show and hide the bars.
void ToggleBar(wxWindow* bar, wxFrame* frame) {
    if (!bar) return;
    bar->Show(!bar->IsShown());
    frame->SendSizeEvent();
}
BRINDLE_COMMAND_HANDLER(Cmd::ViewToolbar, [](CBrindleView& v) {
    if (CMainFrame* f = v.Frame()) ToggleBar(f->GetToolBar(), f);
});
BRINDLE_COMMAND_HANDLER(Cmd::ViewStatusBar, [](CBrindleView& v) {
    if (CMainFrame* f = v.Frame()) ToggleBar(f->GetStatusBar(), f);
});
}  // namespace

void CMainFrame::SetPaneText(Pane pane, const wxString& text) {
    if (wxStatusBar* bar = GetStatusBar(); bar && bar->GetStatusText(pane) != text)
        bar->SetStatusText(text, pane);
}

wxPoint CMainFrame::ToolPosition(int toolId) const {
    wxToolBar* bar = GetToolBar();
    if (!bar || !bar->FindById(toolId)) return wxPoint(0, 0);
    // The tool was just clicked, so it is under the mouse: its left edge is found by stepping back
    // from the pointer by the tool's width, its bottom is the bar's.
    wxPoint mouse = bar->ScreenToClient(wxGetMousePosition());
    const int width = std::max(bar->GetToolSize().x, 16);
    const int x = std::clamp(mouse.x - width / 2, 0, std::max(0, bar->GetClientSize().x - width));
    return ScreenToClient(bar->ClientToScreen(wxPoint(x, bar->GetClientSize().y)));
}

void CMainFrame::RebuildWindowList() {
    wxMenuBar* bar = GetMenuBar();
    if (!bar || bar->GetMenuCount() <= size_t(brindle::kWindowMenuIndex)) return;
    for (int id = brindle::kWindowListFirstId; id < brindle::kWindowListFirstId + kWindowListClearCount; ++id)
        if (wxMenuItem* item = bar->FindItem(ToWxId(id))) item->GetMenu()->Destroy(item);
    if (view_) view_->AppendWindowList(bar->GetMenu(brindle::kWindowMenuIndex));
}

void CMainFrame::OnDropFiles(wxDropFilesEvent& event) {
    if (event.GetNumberOfFiles() < 1 || !view_) return;
    view_->Doc()->OpenFile(ToPath(event.GetFiles()[0]));
}

void CMainFrame::OnElementsDropDown(wxCommandEvent&) {
    wxMenu* menu = BuildGaugeElementsMenu();
    PopupMenu(menu, ToolPosition(WxId(Cmd::DrawAllElements)));
    delete menu;
}

void CMainFrame::ShowLoadProgress(int done, int total, const wxString& reading) {
    wxStatusBar* bar = GetStatusBar();
    if (view_ && view_->Canvas()) view_->Canvas()->SetLoading(done < total);
    if (!bar || !bar->IsShown()) return;  // without a status bar the gauges load silently
    if (done >= total) {
        if (progress_) progress_->Destroy();
        progress_ = nullptr;
        SetPaneText(PaneMessage, brindle::kReadyStatusText);
        SetPaneText(PaneName, "");
        return;
    }
    if (!progress_) {
        wxRect field;
        bar->GetFieldRect(PaneMessage, field);
        SetPaneText(PaneMessage, brindle::kLoadingGaugesLabel);
        const int labelWidth = bar->GetTextExtent(brindle::kLoadingGaugesLabel).x + 12;
        progress_ =
            new wxGauge(bar, wxID_ANY, std::max(total, 1), wxPoint(field.x + labelWidth, field.y + 2),
                        wxSize(std::max(field.width - labelWidth - 4, 20), std::max(field.height - 4, 6)));
    }
    progress_->SetRange(std::max(total, 1));
    progress_->SetValue(std::clamp(done, 0, std::max(total, 1)));
    SetPaneText(PaneName, reading);
    // Only painting runs here: a click while the window loads must not start another command.
    if (wxEventLoopBase* loop = wxEventLoopBase::GetActive()) loop->YieldFor(wxEVT_CATEGORY_UI);
}

void CMainFrame::RestorePlacement() {
    brindle::Settings& s = brindle::GlobalSettings();
    if (!s.RememberWindowPosition()) return;
    const auto& p = s.WindowPosition();
    int w = p[2] - p[0], h = p[3] - p[1];
    if (w >= 200 && h >= 150) SetSize(p[0], p[1], w, h);
    if (p[4] == 3) Maximize();
}

void CMainFrame::StorePlacement() {
    brindle::Settings& s = brindle::GlobalSettings();
    std::array<int, 6> p = s.WindowPosition();
    if (IsMaximized()) {
        p[4] = 3;
    } else {
        wxRect r = GetRect();
        p = {r.x, r.y, r.x + r.width, r.y + r.height, IsIconized() ? 2 : 1, 0};
    }
    s.SetWindowPosition(p);
}

namespace {
// Whether the bars are shown is kept between runs, in the section the tool bar's state always had.
constexpr const char* kBarStateGroup = "/Control Bar State";
}  // namespace

void CMainFrame::LoadBarState() {
    wxConfigBase* config = wxConfigBase::Get();
    if (!config) return;
    bool toolBar = true, statusBar = true;
    config->Read(wxString(kBarStateGroup) + "/ToolBarVisible", &toolBar, true);
    config->Read(wxString(kBarStateGroup) + "/StatusBarVisible", &statusBar, true);
    if (GetToolBar()) GetToolBar()->Show(toolBar);
    if (GetStatusBar()) GetStatusBar()->Show(statusBar);
    SendSizeEvent();
}

void CMainFrame::SaveBarState() {
    wxConfigBase* config = wxConfigBase::Get();
    if (!config) return;
    config->Write(wxString(kBarStateGroup) + "/ToolBarVisible", GetToolBar() && GetToolBar()->IsShown());
    config->Write(wxString(kBarStateGroup) + "/StatusBarVisible",
                  GetStatusBar() && GetStatusBar()->IsShown());
}

void CMainFrame::OnClose(wxCloseEvent& event) {
    StorePlacement();
    SaveBarState();
    event.Skip();  // the document manager asks about unsaved changes and closes the frame
}
