#pragma once

#include <wx/dialog.h>

#include "gauges/export.h"

class wxCheckBox;
class wxGauge;
class wxStaticText;
class wxTextCtrl;
class wxButton;

// "Brindle - Panel Export Tool": copies the panel's file, bitmaps and gauge modules into a folder.
class CPanelExportDlg : public wxDialog {
  public:
    // `options` carries the panel's folder and the gauges folder.
    CPanelExportDlg(wxWindow* parent, const brindle::Panel& panel, brindle::PanelExportOptions options);

    brindle::PanelExportDialogLogic& Logic() { return logic_; }
    wxTextCtrl* Destination() const { return edit_; }
    wxCheckBox* ExcludeStandard() const { return exclude_; }
    wxGauge* Progress() const { return progress_; }
    wxStaticText* Writing() const { return writing_; }
    void Browse();
    // What the last OK exported.
    const brindle::PanelExportResult& Result() const { return result_; }

  private:
    void OnOk(wxCommandEvent& event);
    void ShowProgress();

    const brindle::Panel& panel_;
    brindle::PanelExportOptions options_;
    brindle::PanelExportDialogLogic logic_;
    brindle::PanelExportResult result_;
    wxTextCtrl* edit_;
    wxCheckBox* exclude_;
    wxGauge* progress_;
    wxStaticText* writing_;
};
