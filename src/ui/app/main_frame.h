#pragma once

#include <wx/docview.h>

#include "app/commands.h"

class CBrindleView;

// The single top-level window: menus, tool bar, status bar, and the window-level commands.
class CMainFrame : public wxDocParentFrame {
public:
    CMainFrame(wxDocManager* manager, const wxString& title, const wxPoint& pos, const wxSize& size);

    // Status bar panes.
    enum Pane { PaneMessage, PaneWindow, PaneName, PaneMode, PaneModified, PaneZoom, PaneX, PaneY, PaneCount };
    void SetPaneText(Pane pane, const wxString& text);

    // Gathers what the command rules look at from the document, the view and the settings.
    brindle::CommandContext GatherContext() const;

private:
    void OnUpdateCommand(wxUpdateUIEvent& event);
    void OnCommand(wxCommandEvent& event);
    void OnElementsDropDown(wxCommandEvent& event);

    CBrindleView* CurrentView() const;
};
