#include "ui/gauges/add_gauge_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/dcbuffer.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/spinbutt.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/time.h>
#include <wx/tooltip.h>

#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/help.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"
#include "ui/view/image_convert.h"

namespace {

const wxColour kRed(255, 55, 55);

wxColour TextColour(bool red) {
    return red ? kRed : wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT);
}

void SetLabelIfChanged(wxStaticText* t, const wxString& text, bool red = false) {
    if (t->GetLabel() != text) t->SetLabel(text);
    t->SetForegroundColour(TextColour(red));
}

// The list box's lines become `lines` (left alone when they already are).
void SetLines(wxListBox* list, const std::vector<std::string>& lines) {
    bool same = list->GetCount() == lines.size();
    for (unsigned i = 0; same && i < lines.size(); ++i) same = list->GetString(i) == FromPath(lines[i]);
    if (same) return;
    wxArrayString items;
    for (const std::string& l : lines) items.Add(FromPath(l));
    list->Set(items);
}

void SetSelectionOf(wxListBox* list, int index) {
    if (index >= 0 && index < static_cast<int>(list->GetCount())) {
        if (list->GetSelection() != index) list->SetSelection(index);
    } else if (list->GetSelection() != wxNOT_FOUND) {
        list->SetSelection(wxNOT_FOUND);
    }
}

brindle::Pixel FacePixel() {
    wxColour c = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    return brindle::MakePixel(c.Red(), c.Green(), c.Blue());
}

}  // namespace

CAddGaugeDlg::CAddGaugeDlg(wxWindow* parent, const brindle::Settings& settings)
    : wxDialog(parent, wxID_ANY, brindle::AddGaugeDialogLogic::kTitle, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      logic_(settings) {
    wxToolTip::SetDelay(100);
    wxToolTip::SetAutoPop(5000);
    auto* top = new wxBoxSizer(wxVERTICAL);
    browseDir_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxST_ELLIPSIZE_START);
    top->Add(browseDir_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);

    // The two lists take the extra width and height.
    auto* lists = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);
    fileCount_ = new wxStaticText(this, wxID_ANY, "Gauge Files   (0 Files)");
    files_ = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(240, 220));
    files_->SetToolTip("List of available Gauges");
    left->Add(fileCount_, 0, wxBOTTOM, 3);
    left->Add(files_, 1, wxEXPAND);
    auto* right = new wxBoxSizer(wxVERTICAL);
    gaugeCount_ = new wxStaticText(this, wxID_ANY, "");
    gauges_ = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(240, 220));
    gauges_->SetToolTip("List of Gauges found in Selected Gauge file");
    right->Add(gaugeCount_, 0, wxBOTTOM, 3);
    right->Add(gauges_, 1, wxEXPAND);
    lists->Add(left, 1, wxEXPAND | wxRIGHT, 8);
    lists->Add(right, 1, wxEXPAND);
    top->Add(lists, 1, wxEXPAND | wxALL, 10);

    auto* fields = new wxFlexGridSizer(2, 4, 6, 8);
    fields->AddGrowableCol(1, 1);
    fields->Add(new wxStaticText(this, wxID_ANY, "Gauge to Install:"), 0, wxALIGN_CENTER_VERTICAL);
    edit_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxTE_PROCESS_ENTER);
    edit_->SetToolTip("Name of Gauge to add OR search string to filter Gauges -- eg Cessna*");
    fields->Add(edit_, 1, wxEXPAND);
    fields->Add(new wxStaticText(this, wxID_ANY, "Gauges of Type:"), 0, wxALIGN_CENTER_VERTICAL);
    family_ = new wxChoice(this, wxID_ANY);
    for (int i = 0; i < brindle::AddGaugeDialogLogic::kFamilyCount; ++i)
        family_->Append(brindle::AddGaugeDialogLogic::FamilyText(i));
    family_->SetSelection(0);
    family_->SetToolTip("Filter based on TYPE of Gauge");
    fields->Add(family_, 0, wxEXPAND);
    top->Add(fields, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    progress_ = new wxGauge(this, wxID_ANY, 100, wxDefaultPosition, wxSize(-1, 12));
    top->Add(progress_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP | wxRESERVE_SPACE_EVEN_IF_HIDDEN, 10);
    progress_->Hide();

    // The preview takes the extra space beside its properties.
    auto* lower = new wxBoxSizer(wxHORIZONTAL);
    auto* frame = new wxStaticBoxSizer(wxVERTICAL, this, "Preview");
    preview_ = new wxPanel(frame->GetStaticBox(), wxID_ANY, wxDefaultPosition, wxSize(220, 160));
    preview_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    preview_->Bind(wxEVT_PAINT, &CAddGaugeDlg::OnPaintPreview, this);
    frame->Add(preview_, 1, wxEXPAND | wxALL, 4);
    transparent_ = new wxCheckBox(frame->GetStaticBox(), wxID_ANY, "Transparent");
    transparent_->SetToolTip("Display Preview transparently");
    frame->Add(transparent_, 0, wxALL, 4);
    lower->Add(frame, 1, wxEXPAND | wxRIGHT, 8);

    auto* props = new wxFlexGridSizer(2, 4, 8);
    auto value = [&](const char* label) {
        props->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        auto* t = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxSize(190, -1));
        props->Add(t, 0, wxALIGN_CENTER_VERTICAL);
        return t;
    };
    familyLabel_ = value("Gauge Type:");
    width_ = value("Bitmap Width:");
    height_ = value("Bitmap Height:");
    bytes_ = value("Bitmap Size:");
    resource_ = value("Resource ID:");
    props->Add(new wxStaticText(this, wxID_ANY, "Element:"), 0, wxALIGN_CENTER_VERTICAL);
    auto* slotRow = new wxBoxSizer(wxHORIZONTAL);
    slot_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxSize(40, -1));
    upDown_ = new wxSpinButton(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    upDown_->SetRange(-1000000, 1000000);
    upDown_->SetValue(0);
    slotRow->Add(slot_, 0, wxALIGN_CENTER_VERTICAL);
    slotRow->Add(upDown_, 0, wxLEFT, 4);
    props->Add(slotRow);
    type_ = value("Element Type:");
    auto* side = new wxBoxSizer(wxVERTICAL);
    side->Add(props);
    error_ = new wxStaticText(this, wxID_ANY, "");
    side->Add(error_, 0, wxTOP, 10);
    lower->Add(side, 0, wxEXPAND);
    top->Add(lower, 1, wxEXPAND | wxALL, 10);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 6);
    SetSizerAndFit(top);
    SetMinSize(GetSize());
    SetSize(wxSize(std::max(GetSize().x, 720), std::max(GetSize().y, 640)));

    files_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& e) {
        if (!syncing_) FileSelected(e.GetSelection());
    });
    files_->Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& e) {
        clicked_ = true;
        e.Skip();
    });
    files_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent& e) {
        if (!syncing_) FileActivated(e.GetSelection());
    });
    gauges_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& e) {
        if (!syncing_) ChooseGauge(e.GetSelection());
    });
    gauges_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { Accept(); });
    edit_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        if (!syncing_) logic_.SetEditText(ToPath(edit_->GetValue()));
    });
    edit_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { PressEnter(); });
    family_->Bind(wxEVT_CHOICE, [this](wxCommandEvent& e) {
        if (!syncing_) ChooseFamily(e.GetSelection());
    });
    transparent_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        if (syncing_) return;
        logic_.ToggleTransparent();
        Sync();
    });
    upDown_->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent&) {
        if (!syncing_) StepSlot(+1);
    });
    upDown_->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent&) {
        if (!syncing_) StepSlot(-1);
    });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { Accept(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON,
        [this](wxCommandEvent&) {
            logic_.Cancel();
            reference_.clear();
            EndModal(wxID_CANCEL);
        },
        wxID_CANCEL);
    BindHelpTopic(this, brindle::AddGaugeDialogLogic::kHelpTopic);

    edit_->MoveBeforeInTabOrder(files_);
    logic_.Open();
    Sync();
    edit_->SetFocus();
    CentreOnParent();
}

brindle::ListingProgress CAddGaugeDlg::Progress() {
    return [this](int done, int total) {
        if (!progress_->IsShown()) progress_->Show();
        const int range = std::max(1, total);
        if (progress_->GetRange() != range) progress_->SetRange(range);
        progress_->SetValue(std::min(done, range));
        progress_->Update();
    };
}

void CAddGaugeDlg::Sync() {
    using Logic = brindle::AddGaugeDialogLogic;
    syncing_ = true;
    SetLabelIfChanged(browseDir_, FromPath(logic_.BrowseDir()));
    SetLines(files_, logic_.Entries());
    SetSelectionOf(files_, logic_.SelectedEntry());
    SetLabelIfChanged(fileCount_, logic_.FileCountText());
    SetLines(gauges_, logic_.GaugeNames());
    gauges_->Enable(logic_.GaugeListEnabled());
    SetSelectionOf(gauges_, logic_.SelectedGaugeLine());
    SetLabelIfChanged(gaugeCount_, logic_.GaugeCountText());
    const wxString edit = FromPath(logic_.EditText());
    if (edit_->GetValue() != edit) edit_->ChangeValue(edit);
    if (family_->GetSelection() != logic_.FamilyFilter()) family_->SetSelection(logic_.FamilyFilter());
    transparent_->SetValue(logic_.Transparent());

    const Logic::Preview& p = logic_.ShownPreview();
    auto number = [&](wxStaticText* t, int v, bool red) {
        SetLabelIfChanged(t, p.shown ? wxString::Format("%d", v) : wxString(), p.shown && red);
    };
    number(width_, p.width, p.width == 0);
    number(height_, p.height, p.height == 0);
    number(bytes_, p.bytes, p.bytes == 0);
    number(resource_, p.resourceId, p.resourceId < 0);
    number(slot_, p.slot, false);
    SetLabelIfChanged(type_, p.shown ? wxString(p.typeText) : wxString());
    SetLabelIfChanged(familyLabel_, logic_.FamilyLabel());
    SetLabelIfChanged(error_, logic_.ErrorText(), true);
    upDown_->Enable(p.shown);
    preview_->Refresh();
    syncing_ = false;
}

bool CAddGaugeDlg::IsFolder(int index) const {
    const auto& entries = logic_.Entries();
    if (index < 0 || index >= static_cast<int>(entries.size())) return false;
    const std::string& e = entries[static_cast<std::size_t>(index)];
    return e == ".." || e.front() == '[';
}

namespace {
bool WithinDoubleClick(long long since) {
    return wxGetLocalTimeMillis().GetValue() - since < 500;
}
}  // namespace

void CAddGaugeDlg::FileSelected(int index) {
    const bool clicked = clicked_;
    clicked_ = false;
    if (IsFolder(index)) {
        if (!clicked || WithinDoubleClick(enteredAt_)) return;
        enteredAt_ = wxGetLocalTimeMillis().GetValue();
    }
    ChooseFile(index);
}

// Enter or a double click on an entry: a folder is entered, the chosen file's gauge accepted.
void CAddGaugeDlg::FileActivated(int index) {
    if (WithinDoubleClick(enteredAt_)) return;
    if (IsFolder(index)) {
        enteredAt_ = wxGetLocalTimeMillis().GetValue();
        ChooseFile(index);
    } else if (index == logic_.SelectedEntry() && !logic_.Reference().empty()) {
        Accept();
    } else {
        ChooseFile(index);
    }
}

void CAddGaugeDlg::ChooseFile(int index) {
    logic_.ChooseEntry(index, Progress());
    progress_->Hide();
    Sync();
}

void CAddGaugeDlg::ChooseGauge(int line) {
    logic_.ChooseGauge(line);
    Sync();
}

void CAddGaugeDlg::ChooseFamily(int index) {
    wxBusyCursor busy;
    logic_.ChooseFamily(index, Progress());
    progress_->Hide();
    Sync();
}

void CAddGaugeDlg::PressEnter() {
    logic_.SetEditText(ToPath(edit_->GetValue()));
    if (logic_.Enter(Progress())) {
        Accept();
        return;
    }
    progress_->Hide();
    Sync();
}

void CAddGaugeDlg::StepSlot(int direction) {
    logic_.Step(direction);
    Sync();
}

void CAddGaugeDlg::Accept() {
    reference_ = logic_.Ok();
    if (IsModal()) EndModal(wxID_OK);
}

void CAddGaugeDlg::OnPaintPreview(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(preview_);
    const wxSize size = preview_->GetClientSize();
    if (size.x <= 0 || size.y <= 0) return;
    dc.DrawBitmap(ToWxBitmap(logic_.PreviewImage(size.x, size.y, FacePixel())), 0, 0);
}

namespace {

// Add Gauge... and the tool bar's "Insert a new Gauge": the dialog, then the gauge at the centre of
// the view.
void RunAddGauge(CBrindleView& view) {
    CBrindleDoc* doc = view.Doc();
    view.Apply(doc->Editing().AddGauge([&]() -> std::optional<std::string> {
        CAddGaugeDlg dlg(view.GetFrame(), doc->settings());
        if (ShowDialog(dlg) != wxID_OK) return std::nullopt;
        return dlg.Reference();
    }));
    view.RefreshFrame();
}

BRINDLE_COMMAND_HANDLER(brindle::Cmd::AddGauge, RunAddGauge);
BRINDLE_COMMAND_HANDLER(brindle::Cmd::InsertGaugeTool, RunAddGauge);

}  // namespace
