// "Brindle - Fixed Windows": the 24 views, the Fixed Window each one shows, its bitmap and number.
// A thin shell over FixedWindowsEditor, which works on the panel itself and puts it back on Cancel.
#pragma once

#include <wx/dialog.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "panel/views.h"

class wxButton;
class wxCheckBox;
class wxPanel;
class wxStaticText;
class wxTextCtrl;

class CFixedWindowsDlg : public wxDialog {
  public:
    // Asks for a bitmap starting in a folder; the full path, or nullopt when cancelled.
    using BitmapChooser =
        std::function<std::optional<std::string>(wxWindow* parent, const std::string& folder)>;

    CFixedWindowsDlg(wxWindow* parent, brindle::Panel& panel, const std::string& panelFolder,
                     BitmapChooser chooseBitmap);

    brindle::FixedWindowsEditor& Editor() { return editor_; }
    // Whether the document must be marked modified after the dialog closed.
    bool Changed() const { return editor_.Changed(); }

    // What the buttons do, for the tests.
    void PressView(int view);
    void PressChange();
    wxButton* ViewButton(int view) const { return viewButtons_[view]; }
    wxTextCtrl* IdentField() const { return ident_; }
    wxCheckBox* TransparentBox() const { return transparent_; }
    wxPanel* PreviewArea() const { return preview_; }
    const wxString& FileLine() const;

  private:
    void ShowDisplay();
    void OnPaintPreview(wxPaintEvent& event);
    void OnIdent(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);

    brindle::FixedWindowsEditor editor_;
    std::string folder_;
    BitmapChooser chooseBitmap_;
    std::array<wxButton*, brindle::kViewCount> viewButtons_{};
    wxTextCtrl* view_ = nullptr;
    wxTextCtrl* ident_ = nullptr;
    wxTextCtrl *zoom_ = nullptr, *eye_ = nullptr, *pitch_ = nullptr, *bank_ = nullptr, *head_ = nullptr;
    wxStaticText* file_ = nullptr;
    wxCheckBox* transparent_ = nullptr;
    wxPanel* preview_ = nullptr;
    wxString fileLine_;
};
