#pragma once

#include <wx/dialog.h>

#include <array>

#include "app/preferences.h"

class wxRadioButton;
class wxTextCtrl;
class wxButton;

// "Brindle - Mode and Flight Simulator Directory": the simulator family and the four simulators'
// folders. A radio click changes the mode at once; Cancel puts everything back.
class CModeDirDlg : public wxDialog {
  public:
    CModeDirDlg(wxWindow* parent, brindle::Settings& settings);

    brindle::ModeDirDialogLogic& Logic() { return logic_; }
    wxRadioButton* Radio(brindle::SimMode mode) const { return radios_[mode]; }
    wxTextCtrl* Edit(brindle::SimMode mode) const { return edits_[mode]; }
    wxButton* Browse(brindle::SimMode mode) const { return browse_[mode]; }
    // A radio click as the user makes it.
    void ClickRadio(brindle::SimMode mode);

    bool TransferDataFromWindow() override;

  private:
    void ApplyModeState();
    void OnBrowse(brindle::SimMode mode);
    void OnCancel(wxCommandEvent& event);
    void OnClose(wxCloseEvent& event);

    brindle::ModeDirDialogLogic logic_;
    std::array<wxRadioButton*, 4> radios_{};
    std::array<wxTextCtrl*, 4> edits_{};
    std::array<wxButton*, 4> browse_{};
};

class CBrindleView;
// "FS Mode and Root Directory...": the dialog, then the document follows the mode (also at the
// first start).
void RunModeDialog(CBrindleView& view);
