#pragma once

#include <wx/dialog.h>

class wxTextCtrl;
class wxSpinButton;

// "Brindle - Grid Properties": the grid spacing, 5 to 100.
class CGridDlg : public wxDialog {
  public:
    CGridDlg(wxWindow* parent, int gridSize);

    int GridSize() const { return gridSize_; }
    wxTextCtrl* Edit() const { return edit_; }
    // Checks the field as OK does; on success stores the value and returns true, else shows the
    // range message and keeps the dialog open.
    bool Validate() override;

  private:
    void OnSpin(wxSpinEvent& event);

    int gridSize_;
    wxTextCtrl* edit_ = nullptr;
    wxSpinButton* spin_ = nullptr;
};
