// "Brindle - Adjust Default Window Position": a thin shell over WindowPositionEditor with its live
// preview of the simulator's screen.
#pragma once

#include <wx/dialog.h>

#include <array>

#include "view/window_position.h"

class wxCheckBox;
class wxPanel;
class wxRadioButton;
class wxSlider;
class wxSpinButton;
class wxStaticText;
class wxTextCtrl;
class wxToggleButton;

class CWindowPositionDlg : public wxDialog {
  public:
    CWindowPositionDlg(wxWindow* parent, brindle::Panel& panel, int windowIndex,
                       const brindle::Settings& settings);

    brindle::WindowPositionEditor& Editor() { return editor_; }

    // What the controls do, for the tests.
    void ChooseModel(brindle::PlacementModel model);
    void PressPosition(int code);
    // The Enter key in one of the four edits.
    bool EnterValues();
    void MoveSlider(brindle::WindowPositionEditor::Slider s, int value);
    wxTextCtrl* Edit(brindle::WindowPositionEditor::Field f) const { return edits_[f]; }
    wxRadioButton* ModelRadio(brindle::PlacementModel m) const {
        return m == brindle::PlacementModel::kFs98 ? fs98_ : fs2000_;
    }
    wxPanel* PreviewArea() const { return preview_; }
    wxToggleButton* PositionButton(int code) const { return positions_[code]; }
    wxSlider* ViewSlider(brindle::WindowPositionEditor::Slider s) const { return sliders_[s]; }
    wxCheckBox* DrawXBox() const { return drawX_; }
    wxCheckBox* HorizonBox() const { return horizon_; }

  private:
    void Refresh98And2000();
    void ShowValues();
    void OnPaintPreview(wxPaintEvent& event);
    void OnOk(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);

    brindle::WindowPositionEditor editor_;
    wxRadioButton *fs98_ = nullptr, *fs2000_ = nullptr;
    std::array<wxToggleButton*, 9> positions_{};
    wxTextCtrl* ratio_ = nullptr;
    wxSpinButton* ratioSpin_ = nullptr;
    std::array<wxTextCtrl*, 4> edits_{};
    std::array<wxSpinButton*, 4> spins_{};
    std::array<wxSlider*, 4> sliders_{};
    std::array<wxStaticText*, 4> viewTexts_{};
    wxCheckBox *visible_ = nullptr, *transparent_ = nullptr, *drawX_ = nullptr, *horizon_ = nullptr;
    wxPanel* preview_ = nullptr;
};
