#pragma once

#include <wx/dialog.h>

#include <string>

#include "app/preferences.h"

class wxCheckBox;
class wxTextCtrl;
class wxButton;

// "Brindle Preferences": the general flags, the copyright file and the paint program; opens the
// advanced and the gauge drawing preferences.
class CPreferencesDlg : public wxDialog {
  public:
    // `desktop` and `programPath` are for the advanced preferences' file association.
    CPreferencesDlg(wxWindow* parent, brindle::Settings& settings, brindle::DesktopIntegration& desktop,
                    std::string programPath);

    brindle::PreferencesDialogLogic& Logic() { return logic_; }
    wxCheckBox* Reload() const { return reload_; }
    wxCheckBox* CreateBackup() const { return backup_; }
    wxCheckBox* RememberPosition() const { return remember_; }
    wxCheckBox* HighRes() const { return highRes_; }
    wxTextCtrl* CopyrightFile() const { return copyright_; }
    wxTextCtrl* PaintProgram() const { return paint_; }
    wxButton* AdvancedButton() const { return advanced_; }
    wxButton* GaugeDrawingButton() const { return drawing_; }

    bool TransferDataFromWindow() override;

  private:
    void OnBrowse(bool copyright);

    brindle::Settings& settings_;
    brindle::DesktopIntegration& desktop_;
    std::string programPath_;
    brindle::PreferencesDialogLogic logic_;
    wxCheckBox *reload_, *backup_, *remember_, *highRes_;
    wxTextCtrl *copyright_, *paint_;
    wxButton *advanced_, *drawing_;
};

// "Brindle - Advanced Preferences".
class CAdvancedPrefsDlg : public wxDialog {
  public:
    CAdvancedPrefsDlg(wxWindow* parent, brindle::Settings& settings, brindle::DesktopIntegration& desktop,
                      std::string programPath);

    brindle::AdvancedPrefsDialogLogic& Logic() { return logic_; }
    wxCheckBox* SoftwareBlit() const { return software_; }
    wxCheckBox* Halftone() const { return halftone_; }
    wxButton* AssociateButton() const { return associate_; }
    // The association button's click.
    void Associate();

    bool TransferDataFromWindow() override;

  private:
    brindle::AdvancedPrefsDialogLogic logic_;
    wxCheckBox *software_, *halftone_;
    wxButton* associate_;
};

// "Brindle - Gauge Drawing Preferences".
class CGaugeDrawPrefsDlg : public wxDialog {
  public:
    CGaugeDrawPrefsDlg(wxWindow* parent, brindle::Settings& settings);

    brindle::GaugeDrawPrefsDialogLogic& Logic() { return logic_; }
    wxCheckBox* StaticImages() const { return static_; }
    wxCheckBox* Icons() const { return icons_; }
    wxCheckBox* Sliders() const { return sliders_; }
    void Defaults();

    bool TransferDataFromWindow() override;

  private:
    brindle::GaugeDrawPrefsDialogLogic logic_;
    wxCheckBox *static_, *icons_, *sliders_;
};
