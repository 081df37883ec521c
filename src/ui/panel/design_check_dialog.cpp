#include "ui/panel/design_check_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/app/command_handlers.h"
#include "ui/app/dialog_support.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

CDesignCheckDlg::CDesignCheckDlg(wxWindow* parent, const brindle::Panel& panel,
                                 brindle::DesignCheckOptions options)
    : wxDialog(parent, wxID_ANY, brindle::kDesignCheckCaption, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      panel_(panel),
      options_(std::move(options)) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, brindle::kDesignCheckResultsLabel), 0, wxLEFT | wxRIGHT | wxTOP,
             10);
    box_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(560, 380)),
                          wxTE_MULTILINE | wxTE_READONLY | wxTE_DONTWRAP | wxHSCROLL);
    box_->SetFont(wxFont(wxFontInfo(box_->GetFont().GetPointSize()).Family(wxFONTFAMILY_TELETYPE)));
    box_->SetToolTip("Errors the simulator will not accept and values that look wrong, window by window");
    top->Add(box_, 1, wxEXPAND | wxALL, 10);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    SetSizerAndFit(top);
    SetMinSize(FromDIP(wxSize(320, 220)));
    PrepareDialog(this, brindle::kDesignCheckHelpTopic);
    // The scan starts once the box is on screen, so the report is seen growing.
    Bind(wxEVT_INIT_DIALOG, [this](wxInitDialogEvent& e) {
        e.Skip();
        CallAfter(&CDesignCheckDlg::Run);
    });
}

void CDesignCheckDlg::Run() {
    if (ran_) return;
    ran_ = true;
    wxBusyCursor busy;
    report_ = logic_.Run(panel_, options_, [this](const std::string& piece) {
        std::string text = piece;
        std::erase(text, '\r');
        box_->AppendText(FromPanelText(text));
        if (IsShown()) box_->Update();
    });
}

namespace {

BRINDLE_COMMAND_HANDLER(brindle::Cmd::DesignCheck, [](CBrindleView& view) {
    CBrindleDoc* doc = view.Doc();
    // The check looks at the gauges as they are now, moves not yet saved included.
    doc->Doc().StoreShownWindowIfModified();
    const brindle::Panel* panel = doc->GetPanel();
    if (!panel) return;
    brindle::DesignCheckOptions options;
    options.mode = doc->settings().Mode();
    options.panelFolder = doc->settings().CurrentFileDir();
    CDesignCheckDlg dlg(view.GetFrame(), *panel, options);
    RunModal(dlg);
});

}  // namespace
