// "Brindle - Add a New Window": the New Window dialog's fields over its engine state.
#pragma once

#include <wx/dialog.h>

#include "dialogs/new_window.h"

class wxCheckBox;
class wxRadioButton;
class wxTextCtrl;
class wxButton;
class wxStaticBox;

class CNewWindowDlg : public wxDialog {
  public:
    CNewWindowDlg(wxWindow* parent, const brindle::Panel& panel, const brindle::Settings& settings);

    brindle::NewWindowDialogState& State() { return state_; }
    // The fields into the state and back (the tests type through the controls).
    void ReadFields();
    void ShowFields();
    // "Browse..." with the chooser's answer, "Color..." with the colour chooser's, and OK.
    void Browse(const std::string& path);
    void PickColour(brindle::ColorEntry colour);
    bool Accept(brindle::NewWindowDialogState::Trigger trigger);

    wxTextCtrl* TitleEdit() const { return title_; }
    wxTextCtrl* BitmapEdit() const { return bitmap_; }
    wxTextCtrl* ColourEdit(int i) const { return rgb_[i]; }
    wxTextCtrl* SizeEdit(int i) const { return size_[i]; }
    wxTextCtrl* PosEdit(int i) const { return pos_[i]; }
    wxTextCtrl* SizeMmEdit() const { return sizeMm_; }
    wxRadioButton* UseBitmapRadio(bool yes) const { return yes ? yes_ : no_; }

  private:
    void UpdateEnabled();
    void OnBrowse(wxCommandEvent& event);
    void OnColour(wxCommandEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);

    brindle::NewWindowDialogState state_;
    std::string panelFolder_;
    wxTextCtrl* title_ = nullptr;
    wxCheckBox* visible_ = nullptr;
    wxRadioButton *yes_ = nullptr, *no_ = nullptr;
    wxTextCtrl* bitmap_ = nullptr;
    wxButton* browse_ = nullptr;
    wxStaticBox *bitmapBox_ = nullptr, *colourBox_ = nullptr;
    wxTextCtrl* rgb_[3] = {};
    wxButton* colour_ = nullptr;
    wxTextCtrl* size_[2] = {};
    wxTextCtrl* pos_[2] = {};
    wxTextCtrl* sizeMm_ = nullptr;
    wxTextCtrl* ratio_ = nullptr;
    wxRadioButton* position_[9] = {};
};
