#include "ui/dialogs/hover_button.h"

#include <wx/dcbuffer.h>
#include <wx/dcmemory.h>
#include <wx/settings.h>

#include "platform/paths.h"
#include "ui/app/text.h"
#include "ui/view/image_convert.h"
#include "view/bitmap.h"

namespace {
brindle::Pixel ToPixel(const wxColour& c) {
    return brindle::MakePixel(c.Red(), c.Green(), c.Blue());
}
}  // namespace

CHoverButton::CHoverButton(wxWindow* parent, wxWindowID id, const wxPoint& pos)
    : wxControl(parent, id, pos, wxSize(16, 16), wxBORDER_NONE | wxWANTS_CHARS) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CHoverButton::OnPaint, this);
    Bind(wxEVT_ENTER_WINDOW, &CHoverButton::OnEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &CHoverButton::OnLeave, this);
    Bind(wxEVT_LEFT_DOWN, &CHoverButton::OnDown, this);
    Bind(wxEVT_LEFT_DCLICK, &CHoverButton::OnDown, this);
    Bind(wxEVT_LEFT_UP, &CHoverButton::OnUp, this);
    Bind(wxEVT_KEY_DOWN, &CHoverButton::OnKey, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CHoverButton::OnCaptureLost, this);
}

bool CHoverButton::LoadBitmap(const wxImage& strip) {
    if (!strip.IsOk() || strip.GetWidth() < 3 || strip.GetHeight() < 1) return false;
    brindle::Image img(strip.GetWidth(), strip.GetHeight());
    const unsigned char* rgb = strip.GetData();
    for (int y = 0; y < img.Height(); ++y)
        for (int x = 0; x < img.Width(); ++x, rgb += 3)
            img.At(x, y) = brindle::MakePixel(rgb[0], rgb[1], rgb[2]);
    brindle::MapButtonShades(img, {ToPixel(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT)),
                                   ToPixel(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNSHADOW)),
                                   ToPixel(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)),
                                   ToPixel(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNHIGHLIGHT))});
    bitmap_ = ToWxBitmap(img);
    strip_ = brindle::HoverStrip::FromStripSize(img.Width(), img.Height());
    const wxSize size(strip_.pictureWidth, strip_.pictureHeight);
    SetMinSize(size);
    SetSize(size);
    InvalidateBestSize();
    Refresh();
    return true;
}

bool CHoverButton::LoadBitmapFile(const std::string& path) {
    std::optional<brindle::Image> img = brindle::LoadBmpImage(path);
    if (!img) return false;
    return LoadBitmap(ToWxImage(*img));
}

void CHoverButton::SetToolTipText(const wxString& text, bool activate) {
    if (text.empty()) return;
    tip_ = text;
    if (activate)
        SetToolTip(tip_);
    else
        UnsetToolTip();
}

wxSize CHoverButton::DoGetBestSize() const {
    if (strip_.pictureWidth > 0) return wxSize(strip_.pictureWidth, strip_.pictureHeight);
    return wxSize(16, 16);
}

void CHoverButton::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
    dc.Clear();
    if (!bitmap_.IsOk() || strip_.pictureWidth <= 0) return;
    wxMemoryDC mem;
    mem.SelectObjectAsSource(bitmap_);
    dc.Blit(0, 0, strip_.pictureWidth, strip_.pictureHeight, &mem, ShownPictureX(), 0);
    if (HasFocus()) {
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.SetPen(wxPen(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT), 1, wxPENSTYLE_DOT));
        dc.DrawRectangle(2, 2, strip_.pictureWidth - 4, strip_.pictureHeight - 4);
    }
}

void CHoverButton::OnEnter(wxMouseEvent& event) {
    hover_ = true;
    Refresh();
    event.Skip();
}

void CHoverButton::OnLeave(wxMouseEvent& event) {
    hover_ = false;
    Refresh();
    event.Skip();
}

void CHoverButton::OnDown(wxMouseEvent& event) {
    pressed_ = true;
    if (!HasCapture() && IsShownOnScreen()) CaptureMouse();
    SetFocus();
    Refresh();
    event.Skip();
}

void CHoverButton::OnUp(wxMouseEvent& event) {
    const bool wasPressed = pressed_;
    pressed_ = false;
    if (HasCapture()) ReleaseMouse();
    Refresh();
    // Released over the button: a click; dragged off first: nothing, as with any push button.
    if (wasPressed && wxRect(GetClientSize()).Contains(event.GetPosition())) Click();
}

void CHoverButton::OnCaptureLost(wxMouseCaptureLostEvent&) {
    pressed_ = false;
    Refresh();
}

void CHoverButton::OnKey(wxKeyEvent& event) {
    const int k = event.GetKeyCode();
    if (k == WXK_SPACE || k == WXK_RETURN || k == WXK_NUMPAD_ENTER)
        Click();
    else
        event.Skip();
}

void CHoverButton::Click() {
    wxCommandEvent e(wxEVT_BUTTON, GetId());
    e.SetEventObject(this);
    ProcessWindowEvent(e);
}
