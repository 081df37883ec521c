// The Window Properties dialog of the shown window over its engine state.
#pragma once

#include <wx/dialog.h>

#include "dialogs/window_properties.h"

class wxCheckBox;
class wxTextCtrl;
class wxButton;
class wxStaticBox;
class wxStaticText;

class CWindowPropertiesDlg : public wxDialog {
  public:
    // `state` belongs to the caller, who hands its result to the document after OK.
    CWindowPropertiesDlg(wxWindow* parent, brindle::WindowPropertiesDialogState& state,
                         std::string panelFolder);

    void ReadFields();
    void ShowFields();
    // "Change..." with the chooser's answer, "Change Color..." with the colour chooser's, OK, Cancel.
    void ChangeBitmap(bool highRes, const std::string& path);
    void PickColour(brindle::ColorEntry colour);
    bool Accept();
    void Cancel();

    wxTextCtrl* NameEdit() const { return name_; }
    wxTextCtrl* IdentEdit() const { return ident_; }
    wxTextCtrl* CommentsEdit() const { return comments_; }
    wxTextCtrl* FileEdit(bool highRes) const { return highRes ? file1024_ : file_; }
    wxTextCtrl* ColourEdit(int i) const { return rgb_[i]; }
    wxTextCtrl* SizeMmEdit(int i) const { return sizeMm_[i]; }
    wxCheckBox* VisibleBox() const { return visible_; }

  private:
    void OnChange(bool highRes);
    void OnColour(wxCommandEvent& event);

    brindle::WindowPropertiesDialogState& state_;
    std::string panelFolder_;
    wxTextCtrl *aircraft_ = nullptr, *config_ = nullptr, *comments_ = nullptr, *name_ = nullptr,
               *ident_ = nullptr, *gauges_ = nullptr;
    wxCheckBox* visible_ = nullptr;
    wxTextCtrl *file_ = nullptr, *file1024_ = nullptr;
    wxStaticText *fileSize_ = nullptr, *fileColors_ = nullptr, *file1024Size_ = nullptr,
                 *file1024Colors_ = nullptr;
    wxButton *change_ = nullptr, *change1024_ = nullptr;
    wxStaticBox *bitmapBox_ = nullptr, *colourBox_ = nullptr;
    wxWindow* file1024Row_[5] = {};
    wxTextCtrl* rgb_[3] = {};
    wxTextCtrl* sizeMm_[2] = {};
    wxStaticText* sizeMmYLabel_ = nullptr;
    wxStaticText *nameLabel_ = nullptr, *identLabel_ = nullptr;
};
