#include "ui/gauges/panel_export_dialog.h"

#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/gauge.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/app/command_handlers.h"
#include "ui/app/dialog_support.h"
#include "ui/app/text.h"
#include "ui/dialogs/folder_dialog.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

using Logic = brindle::PanelExportDialogLogic;

CPanelExportDlg::CPanelExportDlg(wxWindow* parent, const brindle::Panel& panel,
                                 brindle::PanelExportOptions options)
    : wxDialog(parent, wxID_ANY, Logic::kCaption), panel_(panel), options_(std::move(options)) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, Logic::kPrompt), 0, wxALL, 10);
    auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, Logic::kGroup);
    edit_ = new wxTextCtrl(group->GetStaticBox(), wxID_ANY, FromPath(logic_.destinationDir),
                           wxDefaultPosition, FromDIP(wxSize(380, -1)));
    edit_->SetMaxLength(Logic::kMaxDestinationLength);
    edit_->SetToolTip("The folder gets \"Panel\" with the panel.cfg and its bitmaps, and \"Gauges\"");
    auto* browse = new wxButton(group->GetStaticBox(), wxID_ANY, "Browse...");
    browse->SetToolTip(Logic::kBrowseTitle);
    browse->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Browse(); });
    group->Add(edit_, 1, wxALL | wxALIGN_CENTER_VERTICAL, 4);
    group->Add(browse, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
    top->Add(group, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);

    exclude_ = new wxCheckBox(this, wxID_ANY, Logic::kExcludeLabel);
    exclude_->SetValue(logic_.excludeStandard);
    exclude_->SetToolTip("Leave out the gauges that come with the simulators");
    exclude_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { logic_.excludeStandard = e.IsChecked(); });
    top->Add(exclude_, 0, wxALL, 10);

    progress_ = new wxGauge(this, wxID_ANY, 1, wxDefaultPosition, FromDIP(wxSize(-1, 14)));
    progress_->SetToolTip("One step for each panel window");
    top->Add(progress_, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    writing_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(420, -1)),
                                wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_START);
    top->Add(writing_, 0, wxEXPAND | wxALL, 10);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->Bind(wxEVT_BUTTON, &CPanelExportDlg::OnOk, this);
    buttons->Add(ok, 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxEXPAND | wxALL, 6);
    SetSizerAndFit(top);
    PrepareDialog(this, Logic::kHelpTopic);
}

void CPanelExportDlg::Browse() {
    // The chooser starts where the edit points, so a second export goes next to the first.
    std::string start = ToPath(edit_->GetValue());
    if (start.empty()) start = brindle::DefaultExportDestination();
    if (std::optional<std::string> shown = logic_.Browsed(ChooseFolder(this, start, Logic::kBrowseTitle)))
        edit_->ChangeValue(FromPath(*shown));
}

void CPanelExportDlg::ShowProgress() {
    // Only painting: no click reaches the dialog while the files are copied.
    if (IsShown()) wxTheApp->SafeYieldFor(this, wxEVT_CATEGORY_UI);
}

void CPanelExportDlg::OnOk(wxCommandEvent&) {
    brindle::PanelExportOptions options = options_;
    options.onWindow = [this](int step, int total) {
        progress_->SetRange(std::max(1, total));
        progress_->SetValue(step);
        ShowProgress();
    };
    options.onFile = [this](const std::string& path) {
        writing_->SetLabel(FromPath(path));
        ShowProgress();
    };
    FindWindow(wxID_OK)->Disable();
    FindWindow(wxID_CANCEL)->Disable();
    result_ = logic_.Ok(ToPath(edit_->GetValue()), panel_, options);
    FinishDialog(this, wxID_OK);
}

namespace {

BRINDLE_COMMAND_HANDLER(brindle::Cmd::ExportPanel, [](CBrindleView& view) {
    CBrindleDoc* doc = view.Doc();
    doc->Doc().StoreShownWindowIfModified();
    const brindle::Panel* panel = doc->GetPanel();
    if (!panel) return;
    brindle::PanelExportOptions options;
    options.panelFolder = doc->settings().CurrentFileDir();
    options.gaugesDir = doc->settings().GaugesDirForDisplay();
    CPanelExportDlg dlg(view.GetFrame(), *panel, options);
    RunModal(dlg);
});

}  // namespace
