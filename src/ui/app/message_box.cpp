#include "ui/app/message_box.h"

#include <wx/app.h>
#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statline.h>
#include <wx/stattext.h>

#include "app/help_topics.h"
#include "ui/app/dialog_show.h"
#include "ui/app/help.h"
#include "ui/app/text.h"

using brindle::Answer;
using brindle::BoxKind;
using brindle::QuestionKind;

CMessageBox::CMessageBox(wxWindow* parent, const wxString& text, BoxKind kind, bool withOptOut)
    : wxDialog(parent, wxID_ANY, kind == BoxKind::Warning ? brindle::kWarningTitle : brindle::kErrorTitle) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    wxBitmap icon =
        wxArtProvider::GetBitmap(kind == BoxKind::Warning ? wxART_WARNING : wxART_ERROR, wxART_MESSAGE_BOX);
    row->Add(new wxStaticBitmap(this, wxID_ANY, icon), 0, wxALL, 12);
    auto* message = new wxStaticText(this, wxID_ANY, text);
    message->Wrap(FromDIP(420));
    row->Add(message, 1, wxALL | wxALIGN_CENTER_VERTICAL, 12);
    top->Add(row, 1, wxEXPAND);
    top->Add(new wxStaticLine(this), 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

    // Only the warnings that repeat many times offer the opt-out; the tick mirrors the flag.
    if (kind == BoxKind::Warning && withOptOut) {
        optOut_ = new wxCheckBox(this, wxID_ANY, brindle::kOptOutText);
        optOut_->SetValue(brindle::ShowAgainFlag() == 0);
        optOut_->Bind(wxEVT_CHECKBOX, &CMessageBox::OnOptOut, this);
        top->Add(optOut_, 0, wxALL, 10);
    }

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 6);
    auto* help = new wxButton(this, wxID_HELP, "Help...");
    help->Bind(wxEVT_BUTTON, &CMessageBox::OnHelp, this);
    buttons->Add(help, 0, wxALL, 6);
    top->Add(buttons, 0, wxEXPAND | wxALL, 4);
    SetSizerAndFit(top);
    SetEscapeId(wxID_OK);
    CentreOnParent();
}

bool CMessageBox::OptOutShown() const {
    return optOut_ != nullptr;
}

void CMessageBox::OnOptOut(wxCommandEvent& event) {
    brindle::SetShowAgainFlag(event.IsChecked() ? 0 : 1);
}

void CMessageBox::OnHelp(wxCommandEvent&) {
    ShowHelpTopic(this, brindle::kHelpWarningTopic);
}

void WxMessageUi::showBox(BoxKind kind, const std::string& text, bool withOptOut) {
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    CMessageBox box(parent, FromMessageText(text), kind, withOptOut);
    ShowDialog(box);
}

Answer WxMessageUi::ask(QuestionKind kind, const std::string& text, const std::string& title) {
    wxWindow* parent = wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    long style = kind == QuestionKind::YesNo         ? wxYES_NO
                 : kind == QuestionKind::YesNoCancel ? wxYES_NO | wxCANCEL
                                                     : wxOK | wxCANCEL;
    int r = wxMessageBox(FromMessageText(text), title, style | wxICON_QUESTION, parent);
    switch (r) {
        case wxYES:
            return Answer::Yes;
        case wxNO:
            return Answer::No;
        case wxOK:
            return Answer::Ok;
        default:
            return Answer::Cancel;
    }
}
