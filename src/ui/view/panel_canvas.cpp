#include "ui/view/panel_canvas.h"

#include <wx/dcclient.h>
#include <wx/menu.h>
#include <wx/utils.h>

#include <algorithm>

#include "ui/app/main_frame.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"
#include "ui/view/image_convert.h"

using brindle::EditKey;
using brindle::PixelRect;
using brindle::ViewPoint;

namespace {

constexpr int kLineStep = 16;

PixelRect ToPixelRect(const wxRect& r) {
    return {r.x, r.y, r.x + r.width, r.y + r.height};
}
wxRect ToWxRect(const PixelRect& r) {
    return wxRect(r.left, r.top, r.Width(), r.Height());
}

wxStockCursor StockCursor(brindle::CursorKind kind) {
    switch (kind) {
        case brindle::CursorKind::kMove:
            return wxCURSOR_SIZING;
        case brindle::CursorKind::kSizeNWSE:
            return wxCURSOR_SIZENWSE;
        case brindle::CursorKind::kSizeNESW:
            return wxCURSOR_SIZENESW;
        case brindle::CursorKind::kSizeWE:
            return wxCURSOR_SIZEWE;
        case brindle::CursorKind::kSizeNS:
            return wxCURSOR_SIZENS;
        default:
            return wxCURSOR_ARROW;
    }
}

EditKey ToEditKey(const wxKeyEvent& e) {
    switch (e.GetKeyCode()) {
        case WXK_SHIFT:
            return EditKey::kShift;
        case WXK_DELETE:
        case WXK_NUMPAD_DELETE:
            return EditKey::kDelete;
        case WXK_LEFT:
        case WXK_NUMPAD_LEFT:
            return EditKey::kLeft;
        case WXK_RIGHT:
        case WXK_NUMPAD_RIGHT:
            return EditKey::kRight;
        case WXK_UP:
        case WXK_NUMPAD_UP:
            return EditKey::kUp;
        case WXK_DOWN:
        case WXK_NUMPAD_DOWN:
            return EditKey::kDown;
        case WXK_TAB:
            return EditKey::kTab;
        case WXK_ESCAPE:
            return EditKey::kEscape;
        case WXK_NUMPAD_ADD:
            return EditKey::kKeypadPlus;
        case WXK_NUMPAD_SUBTRACT:
            return EditKey::kKeypadMinus;
        case '=':
        case '+':
            return EditKey::kEquals;
        case '-':
            return EditKey::kMinus;
        default:
            return EditKey::kOther;
    }
}

brindle::Modifiers ModifiersOf(const wxMouseEvent& e) {
    return {e.ControlDown(), e.ShiftDown(), e.AltDown(), wxGetKeyState(WXK_SPACE)};
}

}  // namespace

CPanelCanvas::CPanelCanvas(wxWindow* parent, CBrindleView* owner)
    : wxWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxHSCROLL | wxVSCROLL | wxWANTS_CHARS),
      owner_(owner),
      cursor_(wxCURSOR_ARROW) {
    SetName("panelView");
    // The engine paints every pixel of the invalid area: no background erase, no flicker.
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    View().SetInvalidator(this);
    Bind(wxEVT_PAINT, &CPanelCanvas::OnPaint, this);
    Bind(wxEVT_SIZE, &CPanelCanvas::OnSize, this);
    for (auto type : {wxEVT_SCROLLWIN_TOP, wxEVT_SCROLLWIN_BOTTOM, wxEVT_SCROLLWIN_LINEUP,
                      wxEVT_SCROLLWIN_LINEDOWN, wxEVT_SCROLLWIN_PAGEUP, wxEVT_SCROLLWIN_PAGEDOWN,
                      wxEVT_SCROLLWIN_THUMBTRACK, wxEVT_SCROLLWIN_THUMBRELEASE})
        Bind(type, &CPanelCanvas::OnScroll, this);
    Bind(wxEVT_MOUSEWHEEL, &CPanelCanvas::OnWheel, this);
    for (auto type :
         {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_MOTION, wxEVT_RIGHT_DOWN, wxEVT_RIGHT_UP})
        Bind(type, &CPanelCanvas::OnMouse, this);
    Bind(wxEVT_CONTEXT_MENU, &CPanelCanvas::OnContextMenu, this);
    Bind(wxEVT_KEY_DOWN, &CPanelCanvas::OnKeyDown, this);
    Bind(wxEVT_KEY_UP, &CPanelCanvas::OnKeyUp, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CPanelCanvas::OnCaptureLost, this);
    Bind(wxEVT_SET_CURSOR, &CPanelCanvas::OnSetCursor, this);
}

CPanelCanvas::~CPanelCanvas() {
    if (HasCapture()) ReleaseMouse();
    if (owner_ && owner_->Doc()) View().SetInvalidator(nullptr);
}

brindle::PanelView& CPanelCanvas::View() {
    return owner_->Doc()->View();
}
brindle::EditingController& CPanelCanvas::Editing() {
    return owner_->Doc()->Editing();
}

void CPanelCanvas::Invalidate(const PixelRect& r) {
    if (!r.Empty()) RefreshRect(ToWxRect(r), false);
}
void CPanelCanvas::InvalidateAll() {
    Refresh(false);
}
void CPanelCanvas::UpdateNow() {
    Update();
}

void CPanelCanvas::SyncScrollbars() {
    brindle::ViewGeometry& g = View().Geometry();
    // A second pass when scroll bars that came or went changed the client area.
    for (int pass = 0; pass < 2; ++pass) {
        const wxSize client = GetClientSize();
        g.SetClientSize({client.x, client.y});
        g.SetScrollPosition(g.ScrollPosition());
        SetScrollbar(wxHORIZONTAL, g.ScrollPosition().x, client.x, g.ScrollSize().width);
        SetScrollbar(wxVERTICAL, g.ScrollPosition().y, client.y, g.ScrollSize().height);
        if (GetClientSize() == client) break;
    }
}

void CPanelCanvas::OnPaint(wxPaintEvent&) {
    wxPaintDC dc(this);
    if (loading_) {
        dc.SetBackground(wxBrush(GetBackgroundColour()));
        dc.Clear();
        return;
    }
    ++paintCount_;
    for (wxRegionIterator it(GetUpdateRegion()); it; ++it) {
        wxRect r = it.GetRect();
        paintedPixels_ += static_cast<long long>(r.width) * r.height;
        PixelRect clip = ToPixelRect(r);
        brindle::Image img = View().PaintRect(clip);
        // The band's pen is drawn in XOR, in the image's own coordinates.
        for (const PixelRect& band : bands_)
            brindle::XorFrameRect(
                img,
                {band.left - clip.left, band.top - clip.top, band.right - clip.left, band.bottom - clip.top},
                img.Bounds(), brindle::kRubberBandColour);
        dc.DrawBitmap(ToWxBitmap(img), r.x, r.y);
    }
}

void CPanelCanvas::OnSize(wxSizeEvent& event) {
    wxSize s = GetClientSize();
    View().Geometry().OnSize({s.x, s.y});
    SyncScrollbars();
    Refresh(false);
    event.Skip();
}

void CPanelCanvas::ScrollTo(ViewPoint p) {
    brindle::ViewGeometry& g = View().Geometry();
    ViewPoint before = g.ScrollPosition();
    g.SetScrollPosition(p);
    if (g.ScrollPosition() == before) return;
    SetScrollPos(wxHORIZONTAL, g.ScrollPosition().x);
    SetScrollPos(wxVERTICAL, g.ScrollPosition().y);
    // Bands are in client pixels of the old position: they would be left behind.
    bands_.clear();
    Refresh(false);
}

void CPanelCanvas::OnScroll(wxScrollWinEvent& event) {
    brindle::ViewGeometry& g = View().Geometry();
    bool horizontal = event.GetOrientation() == wxHORIZONTAL;
    ViewPoint p = g.ScrollPosition();
    int& pos = horizontal ? p.x : p.y;
    int page = horizontal ? g.ClientSize().width : g.ClientSize().height;
    int max = horizontal ? g.MaxScrollPosition().x : g.MaxScrollPosition().y;
    wxEventType t = event.GetEventType();
    if (t == wxEVT_SCROLLWIN_TOP)
        pos = 0;
    else if (t == wxEVT_SCROLLWIN_BOTTOM)
        pos = max;
    else if (t == wxEVT_SCROLLWIN_LINEUP)
        pos -= kLineStep;
    else if (t == wxEVT_SCROLLWIN_LINEDOWN)
        pos += kLineStep;
    else if (t == wxEVT_SCROLLWIN_PAGEUP)
        pos -= page;
    else if (t == wxEVT_SCROLLWIN_PAGEDOWN)
        pos += page;
    else
        pos = event.GetPosition();
    ScrollTo(p);
}

void CPanelCanvas::OnWheel(wxMouseEvent& event) {
    int delta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    int lines = event.GetLinesPerAction() > 0 ? event.GetLinesPerAction() : 3;
    int step = -event.GetWheelRotation() * lines * kLineStep / delta;
    ViewPoint p = View().Geometry().ScrollPosition();
    if (event.GetWheelAxis() == wxMOUSE_WHEEL_HORIZONTAL)
        p.x -= step;  // a tilt to the right has a positive rotation
    else if (event.ShiftDown())
        p.x += step;  // Shift turns the wheel sideways, as in most editors: down goes right
    else
        p.y += step;
    ScrollTo(p);
}

void CPanelCanvas::OnMouse(wxMouseEvent& event) {
    ViewPoint p{event.GetX(), event.GetY()};
    brindle::Modifiers m = ModifiersOf(event);
    brindle::EditingController& ed = Editing();
    wxEventType t = event.GetEventType();
    brindle::EditOutput out;
    if (t == wxEVT_LEFT_DOWN) {
        SetFocus();
        out = ed.LeftDown(p, m);
    } else if (t == wxEVT_LEFT_UP) {
        out = ed.LeftUp(p, m);
    } else if (t == wxEVT_LEFT_DCLICK) {
        out = ed.LeftDoubleClick(p, m);
    } else if (t == wxEVT_MOTION) {
        out = ed.MouseMove(p, m);
    } else if (t == wxEVT_RIGHT_DOWN) {
        SetFocus();
        out = ed.RightDown(p, m);
        if (!out.consumed) event.Skip();
    } else if (t == wxEVT_RIGHT_UP) {
        out = ed.ContextMenu(p, m);
    }
    owner_->Apply(out);
    // A drag paints at once where the toolkit allows it, so the gauge follows the mouse.
    if (t == wxEVT_MOTION && event.LeftIsDown()) Update();
}

void CPanelCanvas::OnContextMenu(wxContextMenuEvent& event) {
    // The mouse's context menu comes from the right button's release; only the menu key counts here.
    if (event.GetPosition() != wxDefaultPosition) return;
    owner_->Apply(Editing().ContextMenu(std::nullopt, {false, wxGetKeyState(WXK_SHIFT), false, false}));
}

void CPanelCanvas::OnKeyDown(wxKeyEvent& event) {
    EditKey key = ToEditKey(event);
    if (key == EditKey::kOther || event.ControlDown() || event.AltDown()) {
        event.Skip();
        return;
    }
    if (key == EditKey::kMinus && event.ShiftDown()) {
        event.Skip();
        return;
    }
    owner_->Apply(Editing().KeyDown(key, 1, event.IsAutoRepeat()));
}

void CPanelCanvas::OnKeyUp(wxKeyEvent& event) {
    EditKey key = ToEditKey(event);
    if (key == EditKey::kOther) {
        event.Skip();
        return;
    }
    owner_->Apply(Editing().KeyUp(key));
}

void CPanelCanvas::OnCaptureLost(wxMouseCaptureLostEvent&) {
    // The drag ends where the mouse was last seen.
    wxPoint p = ScreenToClient(wxGetMousePosition());
    owner_->Apply(Editing().LeftUp({p.x, p.y}, {}));
}

void CPanelCanvas::OnSetCursor(wxSetCursorEvent& event) {
    event.SetCursor(cursor_);
}

void CPanelCanvas::ToggleBand(const PixelRect& r) {
    auto it = std::find(bands_.begin(), bands_.end(), r);
    if (it != bands_.end())
        bands_.erase(it);
    else
        bands_.push_back(r);
    // Only the frame's four edges change.
    Invalidate({r.left, r.top, r.right, r.top + 1});
    Invalidate({r.left, r.bottom - 1, r.right, r.bottom});
    Invalidate({r.left, r.top, r.left + 1, r.bottom});
    Invalidate({r.right - 1, r.top, r.right, r.bottom});
}

void CPanelCanvas::Apply(const brindle::EditOutput& out) {
    for (const brindle::Repaint& r : out.repaints) {
        if (r.all)
            InvalidateAll();
        else
            Invalidate(r.rect);
    }
    for (const PixelRect& r : out.bandXor) ToggleBand(r);
    if (out.cursor != brindle::CursorKind::kUnchanged) {
        cursor_ = wxCursor(StockCursor(out.cursor));
        SetCursor(cursor_);
    }
    if (out.capture == brindle::MouseCapture::kCapture && !HasCapture()) CaptureMouse();
    if (out.capture == brindle::MouseCapture::kRelease && HasCapture()) ReleaseMouse();
}
