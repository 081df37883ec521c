#include "ui/dialogs/window_properties_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/colordlg.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/help.h"
#include "ui/app/text.h"
#include "ui/dialogs/bmp_dialog.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

namespace {

constexpr int kHelpTopic = 120;

wxTextCtrl* Edit(wxWindow* parent, int width, long style = 0, const char* tip = nullptr) {
    auto* e =
        new wxTextCtrl(parent, wxID_ANY, "", wxDefaultPosition, parent->FromDIP(wxSize(width, -1)), style);
    if (tip) e->SetToolTip(tip);
    return e;
}

// The comments edit shows plain line ends.
wxString ShownComments(const std::string& text) {
    std::string s;
    for (char c : text)
        if (c != '\r') s += c;
    return FromPanelText(s);
}

}  // namespace

CWindowPropertiesDlg::CWindowPropertiesDlg(wxWindow* parent, brindle::WindowPropertiesDialogState& state,
                                           std::string panelFolder)
    : wxDialog(parent, wxID_ANY, FromMessageText(state.dialogTitle)),
      state_(state),
      panelFolder_(std::move(panelFolder)) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* head = new wxFlexGridSizer(2, 4, 6);
    head->AddGrowableCol(1, 1);
    auto label = [&](wxWindow* parent, const char* text) {
        auto* l = new wxStaticText(parent, wxID_ANY, text);
        return l;
    };
    head->Add(label(this, "Title"), 0, wxALIGN_CENTER_VERTICAL);
    aircraft_ = Edit(this, 380, wxTE_READONLY);
    head->Add(aircraft_, 1, wxEXPAND);
    head->Add(label(this, "Config file"), 0, wxALIGN_CENTER_VERTICAL);
    config_ = Edit(this, 380, wxTE_READONLY);
    head->Add(config_, 1, wxEXPAND);
    head->Add(label(this, "Config File Comments"), 0, wxALIGN_TOP);
    comments_ =
        new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(380, 70)), wxTE_MULTILINE);
    comments_->SetToolTip("Anything typed here will appear as comments in the Panel.Cfg file");
    head->Add(comments_, 1, wxEXPAND);
    top->Add(head, 0, wxEXPAND | wxALL, 8);

    auto* windowRow = new wxBoxSizer(wxHORIZONTAL);
    nameLabel_ = label(this, "Window Name");
    windowRow->Add(nameLabel_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    name_ = Edit(this, 200, 0, "Text Name of the Window");
    windowRow->Add(name_, 1, wxRIGHT, 8);
    identLabel_ = label(this, "Ident");
    windowRow->Add(identLabel_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    ident_ = Edit(this, 110, 0, "Numeric for FS98, can be Text for FS2000");
    windowRow->Add(ident_, 0, wxRIGHT, 8);
    windowRow->Add(label(this, "Gauges"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 4);
    gauges_ = Edit(this, 40, wxTE_READONLY, "Number of Gauges in this Window");
    windowRow->Add(gauges_, 0);
    top->Add(windowRow, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);
    visible_ = new wxCheckBox(this, wxID_ANY, "Visible at FS Startup");
    visible_->SetToolTip("If checked, this Window will be visible at FS Startup");
    visible_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent& e) { state_.ClickVisible(e.IsChecked()); });
    top->Add(visible_, 0, wxALL, 8);

    auto* bitmapBox = new wxStaticBoxSizer(wxVERTICAL, this, "Background Bitmaps");
    bitmapBox_ = bitmapBox->GetStaticBox();
    auto* rows = new wxFlexGridSizer(6, 4, 6);
    rows->AddGrowableCol(1, 1);
    auto row = [&](const char* name, wxTextCtrl*& edit, wxButton*& change, wxStaticText*& size,
                   wxStaticText*& colours, const char* tip, bool highRes) {
        auto* l = label(bitmapBox_, name);
        rows->Add(l, 0, wxALIGN_CENTER_VERTICAL);
        edit = Edit(bitmapBox_, 200, wxTE_READONLY);
        rows->Add(edit, 1, wxEXPAND);
        change = new wxButton(bitmapBox_, wxID_ANY, "Change...");
        change->SetToolTip(tip);
        change->Bind(wxEVT_BUTTON, [this, highRes](wxCommandEvent&) { OnChange(highRes); });
        rows->Add(change);
        auto* sl = label(bitmapBox_, "Size");
        rows->Add(sl, 0, wxALIGN_CENTER_VERTICAL);
        size = new wxStaticText(bitmapBox_, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(90, -1)));
        rows->Add(size, 0, wxALIGN_CENTER_VERTICAL);
        colours = new wxStaticText(bitmapBox_, wxID_ANY, "", wxDefaultPosition, FromDIP(wxSize(90, -1)));
        rows->Add(colours, 0, wxALIGN_CENTER_VERTICAL);
        if (highRes) {
            wxWindow* all[] = {l, edit, change, sl, size};
            std::copy(std::begin(all), std::end(all), file1024Row_);
        }
        return colours;
    };
    row("FILE", file_, change_, fileSize_, fileColors_,
        "Change the low resolution background bitmap for this window", false);
    wxStaticText* c1024 = row("FILE_1024", file1024_, change1024_, file1024Size_, file1024Colors_,
                              "Change the high resolution background bitmap for this window", true);
    bitmapBox->Add(rows, 0, wxEXPAND | wxALL, 4);
    top->Add(bitmapBox, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

    auto* lower = new wxBoxSizer(wxHORIZONTAL);
    auto* colourBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Background Color");
    colourBox_ = colourBox->GetStaticBox();
    const char* rgbLabels[] = {"R", "G", "B"};
    for (int i = 0; i < 3; ++i) {
        colourBox->Add(label(colourBox_, rgbLabels[i]), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
        rgb_[i] = Edit(colourBox_, 50);
        colourBox->Add(rgb_[i], 0, wxALL, 3);
    }
    auto* pick = new wxButton(colourBox_, wxID_ANY, "Change Color...");
    pick->Bind(wxEVT_BUTTON, &CWindowPropertiesDlg::OnColour, this);
    colourBox->Add(pick, 0, wxALL, 3);
    lower->Add(colourBox, 0, wxRIGHT, 8);
    auto* mmBox = new wxStaticBoxSizer(wxHORIZONTAL, this, "Size MM");
    mmBox->Add(label(mmBox->GetStaticBox(), "X"), 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    sizeMm_[0] = Edit(mmBox->GetStaticBox(), 60);
    mmBox->Add(sizeMm_[0], 0, wxALL, 3);
    sizeMmYLabel_ = label(mmBox->GetStaticBox(), "Y");
    mmBox->Add(sizeMmYLabel_, 0, wxALIGN_CENTER_VERTICAL | wxALL, 3);
    sizeMm_[1] = Edit(mmBox->GetStaticBox(), 60);
    mmBox->Add(sizeMm_[1], 0, wxALL, 3);
    lower->Add(mmBox, 0);
    top->Add(lower, 0, wxEXPAND | wxALL, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); });
    buttons->Add(ok, 0, wxRIGHT, 6);
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    cancel->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Cancel(); });
    buttons->Add(cancel, 0, wxRIGHT, 6);
    auto* help = new wxButton(this, wxID_HELP, "Help...");
    BindHelpTopic(this, kHelpTopic);
    buttons->Add(help, 0);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    // Closing the window is Cancel too.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Cancel(); });

    // What the simulator and the window kind allow.
    if (!state_.File1024RowShown()) {
        for (wxWindow* w : file1024Row_) w->Hide();
        c1024->Hide();
        sizeMm_[1]->Disable();
        sizeMmYLabel_->Disable();
    }
    colourBox_->Enable(state_.ColourGroupEnabled());
    for (wxWindow* w : {static_cast<wxWindow*>(change_), static_cast<wxWindow*>(change1024_),
                        static_cast<wxWindow*>(file_), static_cast<wxWindow*>(file1024_)})
        w->Enable(state_.BitmapGroupEnabled());
    if (!state_.NameAndIdentEnabled()) {
        for (wxWindow* w : {static_cast<wxWindow*>(name_), static_cast<wxWindow*>(ident_),
                            static_cast<wxWindow*>(nameLabel_), static_cast<wxWindow*>(identLabel_)})
            w->Disable();
    }
    ShowFields();
    SetSizerAndFit(top);
    (state_.NameAndIdentEnabled() ? static_cast<wxWindow*>(name_) : static_cast<wxWindow*>(comments_))
        ->SetFocus();
}

void CWindowPropertiesDlg::ReadFields() {
    state_.comments = ToPanelText(comments_->GetValue());
    state_.windowName = ToPanelText(name_->GetValue());
    state_.ident = ToPanelText(ident_->GetValue());
    state_.visible = visible_->GetValue();
    state_.red = ToPanelText(rgb_[0]->GetValue());
    state_.green = ToPanelText(rgb_[1]->GetValue());
    state_.blue = ToPanelText(rgb_[2]->GetValue());
    state_.sizeMmX = ToPanelText(sizeMm_[0]->GetValue());
    state_.sizeMmY = ToPanelText(sizeMm_[1]->GetValue());
}

void CWindowPropertiesDlg::ShowFields() {
    aircraft_->ChangeValue(FromPanelText(state_.aircraftTitle));
    config_->ChangeValue(FromPath(state_.configFile));
    comments_->ChangeValue(ShownComments(state_.comments));
    name_->ChangeValue(FromPanelText(state_.windowName));
    ident_->ChangeValue(FromPanelText(state_.ident));
    gauges_->ChangeValue(state_.gauges);
    visible_->SetValue(state_.visible);
    file_->ChangeValue(FromPath(state_.file));
    file1024_->ChangeValue(FromPath(state_.file1024));
    fileSize_->SetLabel(state_.fileSize);
    fileColors_->SetLabel(state_.fileColors);
    file1024Size_->SetLabel(state_.file1024Size);
    file1024Colors_->SetLabel(state_.file1024Colors);
    rgb_[0]->ChangeValue(state_.red);
    rgb_[1]->ChangeValue(state_.green);
    rgb_[2]->ChangeValue(state_.blue);
    sizeMm_[0]->ChangeValue(state_.sizeMmX);
    sizeMm_[1]->ChangeValue(state_.sizeMmY);
}

void CWindowPropertiesDlg::ChangeBitmap(bool highRes, const std::string& path) {
    ReadFields();
    state_.ChangeBitmap(highRes, path);
    ShowFields();
}

void CWindowPropertiesDlg::PickColour(brindle::ColorEntry colour) {
    ReadFields();
    state_.ChooseColour(colour);
    ShowFields();
}

bool CWindowPropertiesDlg::Accept() {
    ReadFields();
    if (!state_.Ok()) return false;
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK);
    return true;
}

void CWindowPropertiesDlg::Cancel() {
    state_.Cancel();
    if (IsModal())
        EndModal(wxID_CANCEL);
    else
        SetReturnCode(wxID_CANCEL);
}

void CWindowPropertiesDlg::OnChange(bool highRes) {
    std::optional<std::string> path = ChooseBitmapFile(this, panelFolder_);
    if (path) ChangeBitmap(highRes, *path);
}

void CWindowPropertiesDlg::OnColour(wxCommandEvent&) {
    ReadFields();
    wxColourData data;
    auto value = [](const std::string& t) { return std::clamp(std::atoi(t.c_str()), 0, 255); };
    data.SetColour(wxColour(value(state_.red), value(state_.green), value(state_.blue)));
    wxColourDialog dlg(this, &data);
    if (dlg.ShowModal() != wxID_OK) return;
    const wxColour c = dlg.GetColourData().GetColour();
    PickColour(brindle::ColorEntry::FromRgb(c.Red(), c.Green(), c.Blue()));
}

namespace {

// Window Properties of the shown window; the document finishes OK (ident, modified mark, background).
BRINDLE_COMMAND_HANDLER(brindle::Cmd::WindowProperties, [](CBrindleView& v) {
    CBrindleDoc* doc = v.Doc();
    brindle::Panel* panel = doc->GetPanel();
    brindle::Settings& s = doc->settings();
    const int index = s.LastWindow();
    if (!panel || index < 0 || index >= static_cast<int>(panel->windows.size())) return;
    // The gauge count shown is that of the view's working list.
    doc->Sync().StorePanelWindow(panel->windows[static_cast<std::size_t>(index)]);
    brindle::WindowPropertiesDialogState state(*panel, index, s);
    CWindowPropertiesDlg dlg(v.GetFrame(), state, brindle::DirectoryPart(s.CurrentFile()).value_or(""));
    if (ShowDialog(dlg) == wxID_OK) {
        doc->Doc().AfterWindowProperties(state.Result());
        if (doc->Doc().Modified()) doc->Modify(true);
    } else {
        // However the dialog went away without OK, the window is as it was.
        state.Cancel();
    }
    doc->Changed();
    v.RefreshFrame();
});

}  // namespace
