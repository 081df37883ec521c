#include "ui/view/grid_dialog.h"

#include <wx/button.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/messages.h"
#include "ui/app/help.h"
#include "view/geometry.h"

namespace {
constexpr int kHelpTopic = 160;
}  // namespace

CGridDlg::CGridDlg(wxWindow* parent, int gridSize)
    : wxDialog(parent, wxID_ANY, "Brindle - Grid Properties"), gridSize_(gridSize) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, "Set the Grid Spacing in MM"), 0, wxALL, 10);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    edit_ = new wxTextCtrl(this, wxID_ANY, brindle::FormatGridSizeField(gridSize));
    spin_ =
        new wxSpinButton(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL | wxSP_ARROW_KEYS);
    spin_->SetRange(brindle::kGridSizeMin, brindle::kGridSizeMax);
    spin_->SetValue(gridSize);
    spin_->Bind(wxEVT_SPIN, &CGridDlg::OnSpin, this);
    row->Add(edit_, 1, wxALIGN_CENTER_VERTICAL);
    row->Add(spin_, 0, wxLEFT, 4);
    top->Add(row, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 6);
    SetSizerAndFit(top);
    BindHelpTopic(this, kHelpTopic);
    CentreOnParent();
}

void CGridDlg::OnSpin(wxSpinEvent& event) {
    edit_->ChangeValue(brindle::FormatGridSizeField(event.GetPosition()));
}

bool CGridDlg::Validate() {
    std::string text(edit_->GetValue().mb_str());
    if (auto error = brindle::GridSizeError(text)) {
        brindle::ShowWarning(*error);
        edit_->SetFocus();
        edit_->SelectAll();
        return false;
    }
    gridSize_ = *brindle::ParseGridSize(text);
    return true;
}
