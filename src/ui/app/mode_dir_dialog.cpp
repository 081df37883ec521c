#include "ui/app/mode_dir_dialog.h"

#include <wx/button.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/textctrl.h>

#include "ui/app/command_handlers.h"
#include "ui/app/dialog_support.h"
#include "ui/app/text.h"
#include "ui/dialogs/folder_dialog.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

using brindle::SimMode;

CModeDirDlg::CModeDirDlg(wxWindow* parent, brindle::Settings& settings)
    : wxDialog(parent, wxID_ANY, brindle::ModeDirDialogLogic::kCaption), logic_(settings) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* body = new wxBoxSizer(wxHORIZONTAL);

    auto* modeBox = new wxStaticBoxSizer(wxVERTICAL, this, brindle::ModeDirDialogLogic::kModeGroup);
    auto* dirs = new wxBoxSizer(wxVERTICAL);
    bool first = true;
    for (const brindle::SimModeInfo& m : brindle::SimModes()) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        auto* picture = new wxStaticBitmap(modeBox->GetStaticBox(), wxID_ANY,
                                           SimModePicture(m.mode, FromDIP(wxSize(64, 40))));
        auto* radio = new wxRadioButton(modeBox->GetStaticBox(), wxID_ANY, m.radio, wxDefaultPosition,
                                        wxDefaultSize, first ? wxRB_GROUP : 0);
        first = false;
        wxString simulator(m.group);
        simulator.Replace(" Install Directory", "");
        radio->SetToolTip("Edit the panels of " + simulator);
        radio->Bind(wxEVT_RADIOBUTTON, [this, mode = m.mode](wxCommandEvent&) { ClickRadio(mode); });
        picture->Bind(wxEVT_LEFT_DOWN, [this, mode = m.mode](wxMouseEvent&) { ClickRadio(mode); });
        row->Add(picture, 0, wxRIGHT | wxALIGN_CENTER_VERTICAL, 8);
        row->Add(radio, 1, wxALIGN_CENTER_VERTICAL);
        modeBox->Add(row, 0, wxALL | wxEXPAND, 4);
        radios_[m.mode] = radio;

        auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, m.group);
        auto* edit = new wxTextCtrl(group->GetStaticBox(), wxID_ANY, FromPath(logic_.Dir(m.mode)),
                                    wxDefaultPosition, FromDIP(wxSize(340, -1)));
        edit->SetToolTip(wxString::Format("The folder %s is installed in", m.radio));
        auto* browse = new wxButton(group->GetStaticBox(), wxID_ANY, "Browse...");
        browse->SetToolTip(FromMessageText(m.browseTitle));
        browse->Bind(wxEVT_BUTTON, [this, mode = m.mode](wxCommandEvent&) { OnBrowse(mode); });
        group->Add(edit, 1, wxALL | wxALIGN_CENTER_VERTICAL, 4);
        group->Add(browse, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
        dirs->Add(group, 0, wxEXPAND | wxBOTTOM, 6);
        edits_[m.mode] = edit;
        browse_[m.mode] = browse;
    }
    body->Add(modeBox, 0, wxEXPAND | wxALL, 10);
    body->Add(dirs, 1, wxEXPAND | wxTOP | wxRIGHT | wxBOTTOM, 10);
    top->Add(body, 1, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    SetSizerAndFit(top);

    Bind(wxEVT_BUTTON, &CModeDirDlg::OnCancel, this, wxID_CANCEL);
    Bind(wxEVT_CLOSE_WINDOW, &CModeDirDlg::OnClose, this);
    ApplyModeState();
    PrepareDialog(this, brindle::ModeDirDialogLogic::kHelpTopic);
}

void CModeDirDlg::ClickRadio(SimMode mode) {
    logic_.SelectMode(mode);
    ApplyModeState();
}

void CModeDirDlg::ApplyModeState() {
    for (const brindle::SimModeInfo& m : brindle::SimModes()) {
        radios_[m.mode]->SetValue(m.mode == logic_.Mode());
        edits_[m.mode]->Enable(logic_.DirEnabled(m.mode));
        browse_[m.mode]->Enable(logic_.DirEnabled(m.mode));
    }
    if (edits_[logic_.Mode()]->IsShownOnScreen()) edits_[logic_.Mode()]->SetFocus();
}

void CModeDirDlg::OnBrowse(SimMode mode) {
    logic_.Dir(mode) = ToPath(edits_[mode]->GetValue());
    logic_.Browsed(mode, ChooseFolder(this, logic_.Dir(mode), brindle::SimModeInfoOf(mode).browseTitle));
    edits_[mode]->ChangeValue(FromPath(logic_.Dir(mode)));
}

bool CModeDirDlg::TransferDataFromWindow() {
    for (const brindle::SimModeInfo& m : brindle::SimModes())
        logic_.Dir(m.mode) = ToPath(edits_[m.mode]->GetValue());
    return logic_.Ok();
}

void CModeDirDlg::OnCancel(wxCommandEvent&) {
    logic_.Cancel();
    FinishDialog(this, wxID_CANCEL);
}

void CModeDirDlg::OnClose(wxCloseEvent&) {
    logic_.Cancel();
    FinishDialog(this, wxID_CANCEL);
}

void RunModeDialog(CBrindleView& view) {
    CBrindleDoc* doc = view.Doc();
    CModeDirDlg dlg(view.GetFrame(), doc->settings());
    RunModal(dlg);
    // Whatever the answer: a panel of the other simulator goes, the PATH follows the folder.
    doc->Doc().AfterModeDialog(dlg.Logic().ModeChanged(), AppSystem());
    SaveSettingsNow();
    doc->Changed();
}

BRINDLE_COMMAND_HANDLER(brindle::Cmd::ModeAndDirectory, RunModeDialog);
