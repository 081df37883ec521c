#pragma once

#include <wx/dialog.h>

#include "panel/design_check.h"

class wxTextCtrl;

// "Brindle - Design Check": the scan's report, growing in a read-only box while the scan runs.
class CDesignCheckDlg : public wxDialog {
  public:
    CDesignCheckDlg(wxWindow* parent, const brindle::Panel& panel, brindle::DesignCheckOptions options);

    // Runs the scan (once; the dialog starts it when it opens).
    void Run();
    wxTextCtrl* ResultBox() const { return box_; }
    const brindle::DesignCheckReport& Report() const { return report_; }

  private:
    const brindle::Panel& panel_;
    brindle::DesignCheckOptions options_;
    brindle::DesignCheckDialogLogic logic_;
    brindle::DesignCheckReport report_;
    wxTextCtrl* box_;
    bool ran_ = false;
};
