#include "ui/document/open_aircraft_dialog.h"

#include <wx/button.h>
#include <wx/listbox.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/app/command_handlers.h"
#include "ui/app/dialog_support.h"
#include "ui/app/main_frame.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

using Chooser = brindle::OpenAircraftChooser;

COpenAircraftDlg::COpenAircraftDlg(wxWindow* parent, Chooser& chooser)
    : wxDialog(parent, wxID_ANY, Chooser::kTitle, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      chooser_(chooser) {
    const bool add = chooser.NewPanelFieldsShown();
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* caption = new wxStaticText(this, wxID_ANY, FromMessageText(chooser.Caption()));
    caption->SetFont(caption->GetFont().Bold());
    top->Add(caption, 0, wxLEFT | wxRIGHT | wxTOP, 10);
    top->Add(new wxStaticText(this, wxID_ANY, FromMessageText(chooser.TopLine())), 0, wxALL, 10);

    auto* body = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxStaticBoxSizer(wxVERTICAL, this, "Aircraft");
    aircraft_ = new wxListBox(left->GetStaticBox(), wxID_ANY, wxDefaultPosition, FromDIP(wxSize(220, 260)));
    for (const std::string& a : chooser.AircraftList()) aircraft_->Append(FromPath(a));
    aircraft_->SetToolTip(add ? "The aircraft that gets the new panel" : "The aircraft whose panel you open");
    aircraft_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& e) { SelectAircraft(e.GetSelection()); });
    if (!add)
        aircraft_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) {
            if (Validate() && TransferDataFromWindow()) FinishDialog(this, wxID_OK);
        });
    left->Add(aircraft_, 1, wxEXPAND | wxALL, 4);
    body->Add(left, 1, wxEXPAND | wxRIGHT, 10);

    auto* right = new wxBoxSizer(wxVERTICAL);
    auto* titleBox = new wxStaticBoxSizer(wxVERTICAL, this, "Title");
    title_ = new wxStaticText(titleBox->GetStaticBox(), wxID_ANY, "", wxDefaultPosition,
                              FromDIP(wxSize(260, -1)), wxST_NO_AUTORESIZE | wxST_ELLIPSIZE_END);
    titleBox->Add(title_, 0, wxEXPAND | wxALL, 4);
    right->Add(titleBox, 0, wxEXPAND | wxBOTTOM, 8);
    auto* panelBox = new wxStaticBoxSizer(wxVERTICAL, this, "Installed Panels");
    panels_ = new wxListBox(panelBox->GetStaticBox(), wxID_ANY, wxDefaultPosition, FromDIP(wxSize(260, 110)));
    panels_->SetToolTip("The panels of the aircraft's entries in its aircraft.cfg");
    panels_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& e) { SelectPanel(e.GetSelection()); });
    panels_->Enable(chooser.InstalledPanelsEnabled());
    panelBox->Add(panels_, 1, wxEXPAND | wxALL, 4);
    right->Add(panelBox, 1, wxEXPAND);
    if (add) {
        auto* nameBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "New Panel Name");
        nameBox->Add(new wxStaticText(nameBox->GetStaticBox(), wxID_ANY, "Panel."), 0,
                     wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
        name_ = new wxTextCtrl(nameBox->GetStaticBox(), wxID_ANY);
        name_->SetToolTip("The new panel's folder is Panel.<name>, beside the aircraft's other panels");
        nameBox->Add(name_, 1, wxALL, 4);
        right->Add(nameBox, 0, wxEXPAND | wxTOP, 8);
        auto* titleNew = new wxStaticBoxSizer(wxHORIZONTAL, this, "New Panel Title");
        newTitle_ = new wxTextCtrl(titleNew->GetStaticBox(), wxID_ANY);
        newTitle_->SetToolTip("The title of the new aircraft entry, as the simulator lists it");
        titleNew->Add(newTitle_, 1, wxALL, 4);
        right->Add(titleNew, 0, wxEXPAND | wxTOP, 8);
    }
    body->Add(right, 1, wxEXPAND);
    top->Add(body, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_OK, "OK"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxEXPAND | wxALL, 6);
    SetSizerAndFit(top);
    PrepareDialog(this, Chooser::kHelpTopic);
    aircraft_->SetFocus();
}

void COpenAircraftDlg::SelectAircraft(int index) {
    aircraft_->SetSelection(index);
    chooser_.SelectAircraft(index);
    ShowChooser();
}

void COpenAircraftDlg::SelectPanel(int index) {
    panels_->SetSelection(index);
    chooser_.SelectPanel(index);
    ShowChooser();
}

void COpenAircraftDlg::ShowChooser() {
    title_->SetLabel(FromPanelText(chooser_.Title()));
    title_->SetToolTip(FromPanelText(chooser_.Title()));
    wxArrayString names;
    for (const std::string& p : chooser_.InstalledPanels()) names.Add(FromPanelText(p));
    if (panels_->GetStrings() != names) panels_->Set(names);
    if (chooser_.SelectedPanel() >= 0)
        panels_->SetSelection(chooser_.SelectedPanel());
    else
        panels_->SetSelection(wxNOT_FOUND);
}

bool COpenAircraftDlg::TransferDataFromWindow() {
    if (name_) chooser_.newPanelName = ToPath(name_->GetValue());
    if (newTitle_) chooser_.newPanelTitle = ToPanelText(newTitle_->GetValue());
    const bool ok = chooser_.Ok();
    // A refused name is cleared by the check.
    if (name_ && name_->GetValue() != FromPath(chooser_.newPanelName))
        name_->ChangeValue(FromPath(chooser_.newPanelName));
    return ok;
}

namespace {

BRINDLE_COMMAND_HANDLER(brindle::Cmd::OpenByAircraft, [](CBrindleView& view) {
    view.Doc()->Doc().OpenByAircraft();
    view.Doc()->Changed();
});

BRINDLE_COMMAND_HANDLER(brindle::Cmd::CopyPanelToAircraft, [](CBrindleView& view) {
    CBrindleDoc* doc = view.Doc();
    if (doc->Doc().CopyPanelToAircraft()) {
        if (CMainFrame* frame = view.Frame())
            frame->SetPaneText(CMainFrame::PaneMessage, "The panel was copied to the aircraft");
    }
    doc->Changed();
});

}  // namespace
