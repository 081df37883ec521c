// The editor's view: the panel window on screen. Every command of the menus, the tool bar, the
// accelerators and the context menus arrives here and runs the handler registered for it
// (ui/app/command_handlers.h) while the engine's rule enables it; it also fills the status bar.
#pragma once

#include <wx/docview.h>

#include "app/commands.h"
#include "view/editing.h"

class CBrindleDoc;
class CMainFrame;
class CPanelCanvas;
class wxMenu;

class CBrindleView : public wxView {
    wxDECLARE_DYNAMIC_CLASS(CBrindleView);

  public:
    CBrindleView();

    bool OnCreate(wxDocument* doc, long flags) override;
    bool OnClose(bool deleteWindow) override;
    void OnDraw(wxDC* dc) override;
    void OnUpdate(wxView* sender, wxObject* hint) override;
    void OnChangeFilename() override;
    wxPrintout* OnCreatePrintout() override;

    CBrindleDoc* Doc() const;
    CMainFrame* Frame() const;
    CPanelCanvas* Canvas() const { return canvas_; }

    // Runs a command by its number (not its wx id), as a menu or tool would. False when it is not
    // one of ours.
    bool RunCommand(int id);
    // The enabled and checked state of a command by its number.
    brindle::CommandStatus StatusOf(int id) const;
    brindle::CommandContext GatherContext() const;

    // Shows panel window `index` (the Window menu, the drop-down), committing the shown one first.
    void SwitchToWindow(int index, bool commit);
    // Builds a context menu (236, 176 or 133).
    wxMenu* BuildContextMenu(int menu) const;
    // The window list pop-up ("Select a Window").
    wxMenu* BuildWindowMenu() const;
    // The window list's entries at the end of `menu` (the pop-up and the Window menu).
    void AppendWindowList(wxMenu* menu) const;

    // Refreshes the title, the status panes and the scroll bars after the shown content changed.
    void RefreshFrame();
    void UpdatePanes();
    // Acts on an editing answer (used by the canvas and the commands), the status panes included.
    void Apply(const brindle::EditOutput& out);

    // What the commands' handlers run.
    void ZoomIn();
    void ZoomOut();
    void Fit();
    void EditWindowBitmap();
    void CopyGaugeBitmap();
    void GridSize();
    void SelectWindowDropDown();

  private:
    void OnMenu(wxCommandEvent& event);
    void OnUpdateUI(wxUpdateUIEvent& event);
    void OpenRecentFile(size_t n);

    CPanelCanvas* canvas_ = nullptr;
};
