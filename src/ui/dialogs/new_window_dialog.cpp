#include "ui/dialogs/new_window_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/colordlg.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "app/window_commands.h"
#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/help.h"
#include "ui/app/text.h"
#include "ui/dialogs/bmp_dialog.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

namespace {

constexpr int kHelpTopic = 190;

wxTextCtrl* Edit(wxWindow* parent, const char* tip, int width = 60) {
    auto* e = new wxTextCtrl(parent, wxID_ANY, "", wxDefaultPosition, parent->FromDIP(wxSize(width, -1)));
    if (tip) e->SetToolTip(tip);
    return e;
}

// "X" and "Y" edits side by side.
wxBoxSizer* XYRow(wxWindow* parent, wxTextCtrl* (&edits)[2], const char* tipX, const char* tipY) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    const char* labels[] = {"X", "Y"};
    const char* tips[] = {tipX, tipY};
    for (int i = 0; i < 2; ++i) {
        row->Add(new wxStaticText(parent, wxID_ANY, labels[i]), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
        edits[i] = Edit(parent, tips[i]);
        row->Add(edits[i], 0, wxRIGHT, 8);
    }
    return row;
}

}  // namespace

CNewWindowDlg::CNewWindowDlg(wxWindow* parent, const brindle::Panel& panel, const brindle::Settings& settings)
    : wxDialog(parent, wxID_ANY, brindle::kNewWindowDialogTitle),
      state_(panel, settings),
      panelFolder_(brindle::DirectoryPart(settings.CurrentFile()).value_or("")) {
    auto* top = new wxBoxSizer(wxVERTICAL);

    auto* titleRow = new wxBoxSizer(wxHORIZONTAL);
    titleRow->Add(new wxStaticText(this, wxID_ANY, "Window Title"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    title_ = Edit(this, "Title of new window goes here", 260);
    titleRow->Add(title_, 1);
    visible_ = new wxCheckBox(this, wxID_ANY, "Visible on Startup");
    visible_->SetToolTip("Make this window visible when the panel first loads");
    titleRow->Add(visible_, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 12);
    top->Add(titleRow, 0, wxEXPAND | wxALL, 8);

    // The background: a bitmap or a colour.
    auto* background = new wxBoxSizer(wxVERTICAL);
    auto* useBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Use a Background Bitmap?");
    yes_ = new wxRadioButton(useBox->GetStaticBox(), wxID_ANY, "Yes", wxDefaultPosition, wxDefaultSize,
                             wxRB_GROUP);
    no_ = new wxRadioButton(useBox->GetStaticBox(), wxID_ANY, "No");
    useBox->Add(yes_, 0, wxALL, 3);
    useBox->Add(no_, 0, wxLEFT | wxTOP | wxBOTTOM, 3);
    useBox->AddSpacer(FromDIP(120));
    auto onRadio = [this](wxCommandEvent&) {
        ReadFields();
        state_.SetUseBitmap(yes_->GetValue());
        ShowFields();
    };
    yes_->Bind(wxEVT_RADIOBUTTON, onRadio);
    no_->Bind(wxEVT_RADIOBUTTON, onRadio);
    background->Add(useBox, 0, wxEXPAND | wxBOTTOM, 6);

    auto* right = new wxBoxSizer(wxVERTICAL);
    auto* bitmapBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Bitmap Filename");
    bitmapBox_ = bitmapBox->GetStaticBox();
    bitmap_ = Edit(bitmapBox_, "Filename of new background bitmap", 300);
    browse_ = new wxButton(bitmapBox_, wxID_ANY, "Browse...");
    browse_->Bind(wxEVT_BUTTON, &CNewWindowDlg::OnBrowse, this);
    bitmapBox->Add(bitmap_, 1, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    bitmapBox->Add(browse_, 0, wxALL, 3);
    right->Add(bitmapBox, 0, wxEXPAND | wxBOTTOM, 6);

    auto* colourBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Window Background Color");
    colourBox_ = colourBox->GetStaticBox();
    const char* rgbLabels[] = {"R", "G", "B"};
    const char* rgbTips[] = {"Value of Red component of Color, range = 0..255",
                             "Value of Green component of Color, range = 0..255",
                             "Value of Blue component of Color, range = 0..255"};
    for (int i = 0; i < 3; ++i) {
        colourBox->Add(new wxStaticText(colourBox_, wxID_ANY, rgbLabels[i]), 0,
                       wxALIGN_CENTER_VERTICAL | wxALL, 3);
        rgb_[i] = Edit(colourBox_, rgbTips[i], 50);
        colourBox->Add(rgb_[i], 0, wxALL, 3);
    }
    colour_ = new wxButton(colourBox_, wxID_ANY, "Color...");
    colour_->Bind(wxEVT_BUTTON, &CNewWindowDlg::OnColour, this);
    colourBox->Add(colour_, 0, wxALL, 3);
    right->Add(colourBox, 0, wxEXPAND);
    background->Add(right, 1, wxEXPAND);
    top->Add(background, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

    // Where the window goes: fractions of the screen, or the FS98 size, ratio and position.
    auto* place = new wxBoxSizer(wxHORIZONTAL);
    auto* screen = new wxBoxSizer(wxVERTICAL);
    auto* sizeBox = new wxStaticBoxSizer(wxVERTICAL, this, "Window Size (0.0 - 1.0)");
    sizeBox->Add(XYRow(sizeBox->GetStaticBox(), size_,
                       "Width of new window as a percentage of total window width, 1.0 = 100%",
                       "Height of new window as a percentage of total window height, 1.0 = 100%"),
                 0, wxALL, 3);
    screen->Add(sizeBox, 0, wxEXPAND | wxBOTTOM, 6);
    auto* posBox = new wxStaticBoxSizer(wxVERTICAL, this, "Window Pos (0.0 - 1.0)");
    posBox->Add(XYRow(posBox->GetStaticBox(), pos_,
                      "Start Position of new window relative to total width, 0 = left edge",
                      "Start Position of new window relative to total height, 0 = top edge"),
                0, wxALL, 3);
    screen->Add(posBox, 0, wxEXPAND);
    place->Add(screen, 0, wxEXPAND | wxRIGHT, 8);

    auto* fs98 = new wxStaticBoxSizer(wxVERTICAL, this, "FS98");
    auto* fs98Grid = new wxFlexGridSizer(2, 4, 6);
    fs98Grid->Add(new wxStaticText(fs98->GetStaticBox(), wxID_ANY, "Size MM"), 0, wxALIGN_CENTER_VERTICAL);
    sizeMm_ = Edit(fs98->GetStaticBox(), "Size of new window in MM", 70);
    fs98Grid->Add(sizeMm_);
    fs98Grid->Add(new wxStaticText(fs98->GetStaticBox(), wxID_ANY, "Window Size Ratio"), 0,
                  wxALIGN_CENTER_VERTICAL);
    ratio_ = Edit(fs98->GetStaticBox(), "Scale factor of new bitmap, 1.0 = 100%", 70);
    fs98Grid->Add(ratio_);
    fs98->Add(fs98Grid, 0, wxALL, 3);
    place->Add(fs98, 0, wxEXPAND | wxRIGHT, 8);

    auto* positionBox = new wxStaticBoxSizer(wxVERTICAL, this, "Position");
    auto* grid = new wxGridSizer(3, 3, 2, 6);
    for (int i = 0; i < 9; ++i) {
        position_[i] = new wxRadioButton(positionBox->GetStaticBox(), wxID_ANY, wxString::Format("%d", i),
                                         wxDefaultPosition, wxDefaultSize, i == 0 ? wxRB_GROUP : 0);
        grid->Add(position_[i]);
    }
    positionBox->Add(grid, 0, wxALL, 3);
    place->Add(positionBox, 0, wxEXPAND);
    top->Add(place, 0, wxEXPAND | wxALL, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    ok->Bind(wxEVT_BUTTON, &CNewWindowDlg::OnOk, this);
    buttons->Add(ok, 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxRIGHT, 6);
    auto* help = new wxButton(this, wxID_HELP, "Help...");
    BindHelpTopic(this, kHelpTopic);
    buttons->Add(help, 0);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);

    Bind(wxEVT_CHAR_HOOK, &CNewWindowDlg::OnCharHook, this);
    ShowFields();
    SetSizerAndFit(top);
    title_->SetFocus();
    title_->SelectAll();
}

void CNewWindowDlg::ReadFields() {
    state_.title = ToPanelText(title_->GetValue());
    state_.visible = visible_->GetValue();
    state_.bitmapFile = ToPath(bitmap_->GetValue());
    state_.red = ToPanelText(rgb_[0]->GetValue());
    state_.green = ToPanelText(rgb_[1]->GetValue());
    state_.blue = ToPanelText(rgb_[2]->GetValue());
    state_.sizeX = ToPanelText(size_[0]->GetValue());
    state_.sizeY = ToPanelText(size_[1]->GetValue());
    state_.posX = ToPanelText(pos_[0]->GetValue());
    state_.posY = ToPanelText(pos_[1]->GetValue());
    state_.sizeMm = ToPanelText(sizeMm_->GetValue());
    state_.ratio = ToPanelText(ratio_->GetValue());
    for (int i = 0; i < 9; ++i)
        if (position_[i]->GetValue()) state_.positionCode = i;
}

void CNewWindowDlg::ShowFields() {
    // ChangeValue: filling a field is not the user typing in it.
    title_->ChangeValue(FromPanelText(state_.title));
    visible_->SetValue(state_.visible);
    (state_.UseBitmap() ? yes_ : no_)->SetValue(true);
    bitmap_->ChangeValue(FromPath(state_.bitmapFile));
    rgb_[0]->ChangeValue(FromPanelText(state_.red));
    rgb_[1]->ChangeValue(FromPanelText(state_.green));
    rgb_[2]->ChangeValue(FromPanelText(state_.blue));
    size_[0]->ChangeValue(FromPanelText(state_.sizeX));
    size_[1]->ChangeValue(FromPanelText(state_.sizeY));
    pos_[0]->ChangeValue(FromPanelText(state_.posX));
    pos_[1]->ChangeValue(FromPanelText(state_.posY));
    sizeMm_->ChangeValue(FromPanelText(state_.sizeMm));
    ratio_->ChangeValue(FromPanelText(state_.ratio));
    position_[std::clamp(state_.positionCode, 0, 8)]->SetValue(true);
    UpdateEnabled();
}

void CNewWindowDlg::UpdateEnabled() {
    yes_->Enable(state_.BitmapRadiosEnabled());
    no_->Enable(state_.BitmapRadiosEnabled());
    bitmapBox_->Enable(state_.BitmapGroupEnabled());
    colourBox_->Enable(state_.ColourGroupEnabled());
    for (wxTextCtrl* e : size_) e->Enable(state_.ScreenFieldsEnabled());
    for (wxTextCtrl* e : pos_) e->Enable(state_.ScreenFieldsEnabled());
    sizeMm_->Enable(state_.Fs98FieldsEnabled());
    ratio_->Enable(state_.Fs98FieldsEnabled());
    for (wxRadioButton* r : position_) r->Enable(state_.Fs98FieldsEnabled());
}

void CNewWindowDlg::Browse(const std::string& path) {
    ReadFields();
    state_.Browse(path);
    ShowFields();
}

void CNewWindowDlg::PickColour(brindle::ColorEntry colour) {
    ReadFields();
    state_.ChooseColour(colour);
    ShowFields();
}

bool CNewWindowDlg::Accept(brindle::NewWindowDialogState::Trigger trigger) {
    ReadFields();
    const bool ok = state_.Ok(trigger);
    // A copy into the panel folder renamed the bitmap field.
    ShowFields();
    if (ok) {
        if (IsModal())
            EndModal(wxID_OK);
        else
            SetReturnCode(wxID_OK);
    }
    return ok;
}

void CNewWindowDlg::OnBrowse(wxCommandEvent&) {
    std::optional<std::string> path = ChooseBitmapFile(this, panelFolder_);
    if (path) Browse(*path);
}

void CNewWindowDlg::OnColour(wxCommandEvent&) {
    ReadFields();
    wxColourData data;
    const brindle::ColorEntry c = state_.ChosenColour();
    data.SetColour(wxColour(c.red(), c.green(), c.blue()));
    wxColourDialog dlg(this, &data);
    if (dlg.ShowModal() != wxID_OK) return;
    const wxColour chosen = dlg.GetColourData().GetColour();
    PickColour(brindle::ColorEntry::FromRgb(chosen.Red(), chosen.Green(), chosen.Blue()));
}

void CNewWindowDlg::OnOk(wxCommandEvent&) {
    Accept(brindle::NewWindowDialogState::Trigger::Button);
}

void CNewWindowDlg::OnCharHook(wxKeyEvent& event) {
    // Enter is the dialog's default action, which words the 8-bit warning its own way.
    const int k = event.GetKeyCode();
    wxWindow* focus = FindFocus();
    const bool onButton = focus && dynamic_cast<wxButton*>(focus) && focus->GetId() != wxID_OK;
    if ((k == WXK_RETURN || k == WXK_NUMPAD_ENTER) && !onButton) {
        Accept(brindle::NewWindowDialogState::Trigger::EnterKey);
        return;
    }
    event.Skip();
}

namespace {

// Add New Window: the dialog's window goes in after the last plain Window and is shown.
BRINDLE_COMMAND_HANDLER(brindle::Cmd::AddNewWindow, [](CBrindleView& v) {
    CBrindleDoc* doc = v.Doc();
    brindle::Panel* panel = doc->GetPanel();
    brindle::Settings& s = doc->settings();
    const int index =
        brindle::AddNewWindow(*panel, s, doc->Sync(), [&]() -> std::optional<brindle::NewWindowFields> {
            CNewWindowDlg dlg(v.GetFrame(), *panel, s);
            if (ShowDialog(dlg) != wxID_OK) return std::nullopt;
            return dlg.State().Result();
        });
    if (index >= 0) doc->Modify(true);
    doc->Changed();
});

}  // namespace
