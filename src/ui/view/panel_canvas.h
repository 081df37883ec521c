// The scrolling window the panel is drawn in. It paints by asking the engine for the pixels of the
// invalid rectangles (never erasing first, so nothing flickers), keeps the engine's scroll state and
// its own scroll bars in step, and feeds mouse and keys to the editing controller.
#pragma once

#include <wx/window.h>

#include <vector>

#include "view/editing.h"
#include "view/panel_view.h"

class CBrindleDoc;
class CBrindleView;

class CPanelCanvas : public wxWindow, public brindle::ViewInvalidator {
  public:
    CPanelCanvas(wxWindow* parent, CBrindleView* owner);
    ~CPanelCanvas() override;

    // ViewInvalidator
    void Invalidate(const brindle::PixelRect& clientRect) override;
    void InvalidateAll() override;
    void UpdateNow() override;

    // Scroll bars from the engine's scroll sizes and position (after zoom, fit, another window).
    void SyncScrollbars();
    // While a window's gauges load, the view's records are half built: the canvas paints plain
    // background instead of asking the engine.
    void SetLoading(bool loading) { loading_ = loading; }

    // Acts on what the editing controller answered.
    void Apply(const brindle::EditOutput& out);
    // The rubber band rectangles currently drawn (client pixels).
    const std::vector<brindle::PixelRect>& Bands() const { return bands_; }

    // Paint events handled and the pixels they painted since the start.
    long PaintCount() const { return paintCount_; }
    long long PaintedPixels() const { return paintedPixels_; }

  private:
    brindle::PanelView& View();
    brindle::EditingController& Editing();

    void OnPaint(wxPaintEvent& event);
    void OnSize(wxSizeEvent& event);
    void OnScroll(wxScrollWinEvent& event);
    void OnWheel(wxMouseEvent& event);
    void OnMouse(wxMouseEvent& event);
    void OnContextMenu(wxContextMenuEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnKeyUp(wxKeyEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnSetCursor(wxSetCursorEvent& event);

    void ScrollTo(brindle::ViewPoint p);
    void ToggleBand(const brindle::PixelRect& r);

    CBrindleView* owner_;
    std::vector<brindle::PixelRect> bands_;
    wxCursor cursor_;
    bool loading_ = false;
    long paintCount_ = 0;
    long long paintedPixels_ = 0;
};
