// A push button drawn from one strip of three pictures: normal, pressed, and highlighted while the
// mouse is over it. Clicking it (or Space/Enter while it has the focus) sends wxEVT_BUTTON.
#pragma once

#include <wx/bitmap.h>
#include <wx/control.h>

#include <string>

#include "dialogs/hover_button.h"

class CHoverButton : public wxControl {
  public:
    CHoverButton(wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition);

    // Takes the strip (its grey shades become the system's button colours) and makes the button
    // exactly one picture in size, keeping its position. False when the strip is empty.
    bool LoadBitmap(const wxImage& strip);
    // The same from a .bmp file.
    bool LoadBitmapFile(const std::string& path);
    // An empty text does nothing; `activate` false keeps the text but shows no tip.
    void SetToolTipText(const wxString& text, bool activate = true);

    bool Hover() const { return hover_; }
    bool Pressed() const { return pressed_; }
    // Where the shown picture starts in the strip.
    int ShownPictureX() const { return strip_.SourceX(pressed_, hover_); }
    const brindle::HoverStrip& Strip() const { return strip_; }

  protected:
    wxSize DoGetBestSize() const override;

  private:
    void OnPaint(wxPaintEvent& event);
    void OnEnter(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnDown(wxMouseEvent& event);
    void OnUp(wxMouseEvent& event);
    void OnKey(wxKeyEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void Click();

    wxBitmap bitmap_;
    brindle::HoverStrip strip_;
    bool hover_ = false;
    bool pressed_ = false;
    wxString tip_;
};
