#include "ui/dialogs/color_palette_dialog.h"

#include <wx/button.h>
#include <wx/colordlg.h>
#include <wx/dcclient.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "platform/paths.h"
#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/dialog_support.h"
#include "ui/app/help.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

namespace {

constexpr int kHelpTopic = 140;

std::optional<brindle::ColorEntry> SystemColourChooser(wxWindow* parent, brindle::ColorEntry start) {
    wxColourData data;
    data.SetColour(wxColour(start.red(), start.green(), start.blue()));
    wxColourDialog dlg(parent, &data);
    dlg.SetTitle("Brindle - New Color");
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    const wxColour c = dlg.GetColourData().GetColour();
    return brindle::ColorEntry::FromRgb(c.Red(), c.Green(), c.Blue());
}

}  // namespace

CColorPaletteDlg::CColorPaletteDlg(wxWindow* parent, const brindle::Panel& panel, std::string bitmapPath,
                                   ColourChooser chooseColour)
    : wxDialog(parent, wxID_ANY, brindle::ColorPaletteEditor::kCaption, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      editor_(panel),
      bitmapPath_(std::move(bitmapPath)),
      chooseColour_(chooseColour ? std::move(chooseColour) : ColourChooser(SystemColourChooser)) {
    UseProgramIcon(this, parent);
    UseDialogToolTipTimes();
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* body = new wxBoxSizer(wxHORIZONTAL);

    auto* listBox = new wxStaticBoxSizer(wxVERTICAL, this, "Color Table");
    list_ = new wxListBox(this, wxID_ANY, wxDefaultPosition, wxSize(190, 260));
    list_->SetToolTip("List of Color entries in the Panel.Cfg file");
    list_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { SelectLine(list_->GetSelection()); });
    listBox->Add(list_, 1, wxEXPAND | wxALL, 4);
    if (editor_.UsesPaletteFile()) {
        auto* note = new wxStaticText(this, wxID_ANY, FromPanelText(editor_.PaletteFileNote()));
        note->Wrap(190);
        listBox->Add(note, 0, wxALL, 4);
    }
    body->Add(listBox, 1, wxEXPAND | wxALL, 8);

    auto* right = new wxBoxSizer(wxVERTICAL);
    auto* recalcBox = new wxStaticBoxSizer(wxVERTICAL, this, "Create Palette for Current Window");
    auto* recalc = new wxButton(this, wxID_ANY, "ReCalculate");
    recalc->SetToolTip("Create new Color Map from the Window's 8-bit bitmap");
    recalc->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressReCalculate(); });
    recalcBox->Add(recalc, 0, wxALL, 4);
    right->Add(recalcBox, 0, wxEXPAND | wxBOTTOM, 8);

    auto* editBox = new wxStaticBoxSizer(wxVERTICAL, this, "Edit Color");
    auto* sampleRow = new wxBoxSizer(wxHORIZONTAL);
    sampleRow->Add(new wxStaticText(this, wxID_ANY, "Color"), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    sample_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(60, 30), wxBORDER_SUNKEN);
    sample_->SetToolTip("Sample of the selected color entry");
    sample_->Bind(wxEVT_PAINT, &CColorPaletteDlg::OnPaintSample, this);
    sampleRow->Add(sample_, 1, wxEXPAND);
    editBox->Add(sampleRow, 0, wxEXPAND | wxALL, 4);
    auto* rgb = new wxFlexGridSizer(2, 4, 6);
    const char* const kLabels[3] = {"R", "G", "B"};
    for (int k = 0; k < 3; ++k) {
        rgb->Add(new wxStaticText(this, wxID_ANY, kLabels[k]), 0, wxALIGN_CENTER_VERTICAL);
        edits_[k] = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(60, -1));
        edits_[k]->SetMaxLength(10);
        edits_[k]->Bind(wxEVT_TEXT, [this, k](wxCommandEvent&) {
            editor_.MarkEdited(k);
            UpdateButtons();
        });
        rgb->Add(edits_[k]);
    }
    editBox->Add(rgb, 0, wxALL, 4);
    auto* editButtons = new wxBoxSizer(wxHORIZONTAL);
    delete_ = new wxButton(this, wxID_ANY, "Delete");
    delete_->SetToolTip("Remove this color entry from the Panel.Cfg file");
    delete_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressDelete(); });
    apply_ = new wxButton(this, wxID_ANY, "Apply");
    apply_->SetToolTip("Apply the changes to the selected entry");
    apply_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressApply(); });
    auto* add = new wxButton(this, wxID_ANY, "New Color ...");
    add->SetToolTip("Add a new color to the list");
    add->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressNewColor(); });
    for (wxButton* b : {delete_, apply_, add}) editButtons->Add(b, 0, wxRIGHT, 4);
    editBox->Add(editButtons, 0, wxALL, 4);
    right->Add(editBox, 0, wxEXPAND);
    body->Add(right, 0, wxEXPAND | wxTOP | wxRIGHT | wxBOTTOM, 8);
    top->Add(body, 1, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 6);
    BindHelpTopic(this, kHelpTopic);

    Fill();
    SetSizerAndFit(top);
    SetMinSize(GetSize());
    CentreOnParent();
}

void CColorPaletteDlg::Fill() {
    list_->Clear();
    for (const auto& line : editor_.Lines()) list_->Append(line.text);
    const int selected = editor_.SelectedLine();
    if (selected >= 0) list_->SetSelection(selected);
    const auto texts = editor_.ComponentTexts();
    for (int k = 0; k < 3; ++k) edits_[k]->ChangeValue(texts[k]);
    sample_->Refresh();
    UpdateButtons();
}

void CColorPaletteDlg::UpdateButtons() {
    apply_->Enable(editor_.ApplyEnabled() && editor_.SelectedEntry() >= 0);
    delete_->Enable(editor_.DeleteEnabled());
}

void CColorPaletteDlg::SelectLine(int line) {
    editor_.SelectLine(line);
    const auto texts = editor_.ComponentTexts();
    for (int k = 0; k < 3; ++k) edits_[k]->ChangeValue(texts[k]);
    sample_->Refresh();
    UpdateButtons();
}

void CColorPaletteDlg::PressApply() {
    std::array<std::string, 3> texts;
    for (int k = 0; k < 3; ++k) texts[k] = ToPanelText(edits_[k]->GetValue());
    if (editor_.Apply(texts)) Fill();
}

void CColorPaletteDlg::PressDelete() {
    if (editor_.Delete()) Fill();
}

void CColorPaletteDlg::PressNewColor() {
    if (!editor_.CanAddColor()) return;
    const int at = editor_.SelectedEntry();
    const brindle::ColorEntry start = at >= 0 ? editor_.Entries()[at] : brindle::ColorEntry{};
    if (std::optional<brindle::ColorEntry> c = chooseColour_(this, start); c && editor_.AddColor(*c)) Fill();
}

void CColorPaletteDlg::PressReCalculate() {
    if (editor_.ReCalculate(bitmapPath_)) Fill();
}

void CColorPaletteDlg::OnPaintSample(wxPaintEvent&) {
    wxPaintDC dc(sample_);
    const int at = editor_.SelectedEntry();
    wxColour colour = GetBackgroundColour();
    if (at >= 0 && at < editor_.Count()) {
        const auto c = editor_.Entries()[at];
        colour = wxColour(c.red(), c.green(), c.blue());
    }
    dc.SetBrush(wxBrush(colour));
    dc.SetPen(*wxTRANSPARENT_PEN);
    const wxSize s = sample_->GetClientSize();
    dc.DrawRectangle(0, 0, s.x, s.y);
}

namespace {

BRINDLE_COMMAND_HANDLER(brindle::Cmd::CreateColorPalette, [](CBrindleView& v) {
    CBrindleDoc* doc = v.Doc();
    brindle::Panel* panel = doc->GetPanel();
    if (!panel) return;
    const int current = doc->Doc().CurrentWindow();
    std::string bitmap;
    if (current >= 0 && current < static_cast<int>(panel->windows.size()) && panel->windows[current].file)
        bitmap = brindle::JoinPath(doc->Doc().PanelFolder(), *panel->windows[current].file);
    CColorPaletteDlg dlg(v.GetFrame(), *panel, bitmap);
    if (ShowDialog(dlg) != wxID_OK || !dlg.Editor().Modified()) return;
    dlg.WriteBack(*panel);
    doc->Modify(true);
    doc->Changed();
});

}  // namespace
