#pragma once

#include <wx/docview.h>

#include "app/commands.h"

class CBrindleView;

// The single top-level window: menus, tool bar, status bar, the window list and the placement of
// the main window. Commands go through the document manager to the view.
class CMainFrame : public wxDocParentFrame {
  public:
    CMainFrame(wxDocManager* manager, const wxString& title, const wxPoint& pos, const wxSize& size);

    // Status bar panes.
    enum Pane {
        PaneMessage,
        PaneWindow,
        PaneName,
        PaneMode,
        PaneModified,
        PaneZoom,
        PaneX,
        PaneY,
        PaneCount
    };
    void SetPaneText(Pane pane, const wxString& text);

    void SetView(CBrindleView* view) { view_ = view; }
    CBrindleView* View() const { return view_; }

    // The gauge-loading progress: a "Loading Gauges" bar in the status bar and `reading` (the gauge
    // being read) in the name pane while a window's gauges load; (total, total) ends it.
    void ShowLoadProgress(int done, int total, const wxString& reading);

    // Where a tool's pop-up goes: below the tool, in frame client coordinates.
    wxPoint ToolPosition(int toolId) const;

    // The saved placement (Settings WindowPosition) applied when RememberWindowPosition is on.
    void RestorePlacement();
    // The current placement into Settings WindowPosition.
    void StorePlacement();
    // The panel windows at the end of the Window menu; called whenever the panel or the shown window
    // changes (a menu must not grow while it opens).
    void RebuildWindowList();

  private:
    void OnDropFiles(wxDropFilesEvent& event);
    void LoadBarState();
    void SaveBarState();
    void OnClose(wxCloseEvent& event);
    void OnElementsDropDown(wxCommandEvent& event);

    CBrindleView* view_ = nullptr;
    class wxGauge* progress_ = nullptr;
};
