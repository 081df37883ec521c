#include "ui/panel/fixed_windows_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcbuffer.h>
#include <wx/gbsizer.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/dialog_support.h"
#include "ui/app/help.h"
#include "ui/app/text.h"
#include "ui/dialogs/bmp_dialog.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"
#include "ui/view/image_convert.h"

namespace {

constexpr int kHelpTopic = 280;

// The buttons laid out as the directions they look in: forward at the top, rear at the bottom, up
// views in the middle block, then down and the six auxiliary views.
struct Cell {
    int view, row, col;
};
constexpr Cell kLayout[] = {
    {7, 0, 0},  {0, 0, 1},  {1, 0, 2},  {16, 0, 4}, {9, 0, 5},  {10, 0, 6}, {6, 1, 0},  {2, 1, 2},
    {15, 1, 4}, {8, 1, 5},  {11, 1, 6}, {5, 2, 0},  {4, 2, 1},  {3, 2, 2},  {14, 2, 4}, {13, 2, 5},
    {12, 2, 6}, {17, 3, 1}, {18, 3, 3}, {19, 3, 4}, {20, 3, 5}, {21, 3, 6}, {22, 3, 7}, {23, 3, 8},
};

}  // namespace

CFixedWindowsDlg::CFixedWindowsDlg(wxWindow* parent, brindle::Panel& panel, const std::string& panelFolder,
                                   BitmapChooser chooseBitmap)
    : wxDialog(parent, wxID_ANY, brindle::FixedWindowsEditor::kCaption, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      editor_(panel, panelFolder),
      folder_(panelFolder),
      chooseBitmap_(std::move(chooseBitmap)) {
    UseProgramIcon(this, parent);
    UseDialogToolTipTimes();
    auto* top = new wxBoxSizer(wxVERTICAL);

    preview_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(320, 240), wxBORDER_SUNKEN);
    preview_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    preview_->Bind(wxEVT_PAINT, &CFixedWindowsDlg::OnPaintPreview, this);
    preview_->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        preview_->Refresh(false);
        e.Skip();
    });
    top->Add(preview_, 1, wxEXPAND | wxALL, 8);

    file_ = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxDefaultSize, wxST_ELLIPSIZE_MIDDLE);
    auto* fileRow = new wxBoxSizer(wxHORIZONTAL);
    fileRow->Add(new wxStaticText(this, wxID_ANY, "File:"), 0, wxRIGHT, 6);
    fileRow->Add(file_, 1);
    top->Add(fileRow, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

    auto* middle = new wxBoxSizer(wxHORIZONTAL);
    auto* views = new wxGridBagSizer(2, 2);
    for (const Cell& c : kLayout) {
        auto* b = new wxButton(this, wxID_ANY, brindle::kViewInfo[c.view].button, wxDefaultPosition,
                               wxSize(44, -1), wxBU_EXACTFIT);
        b->SetToolTip(brindle::kViewInfo[c.view].displayName);
        b->Enable(brindle::ViewButtonEnabled(c.view));
        const int view = c.view;
        b->Bind(wxEVT_BUTTON, [this, view](wxCommandEvent&) { PressView(view); });
        viewButtons_[c.view] = b;
        views->Add(b, wxGBPosition(c.row, c.col), wxDefaultSpan, wxEXPAND);
    }
    auto* viewBox = new wxStaticBoxSizer(wxVERTICAL, this, "Views");
    viewBox->Add(views, 0, wxALL, 4);
    middle->Add(viewBox, 0, wxEXPAND | wxRIGHT, 8);

    auto* fields = new wxFlexGridSizer(2, 4, 8);
    auto field = [&](const char* label, bool editable) {
        fields->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL);
        auto* t = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(editable ? 60 : 140, -1),
                                 editable ? 0 : wxTE_READONLY);
        fields->Add(t, 0, wxEXPAND);
        return t;
    };
    view_ = field("View", false);
    ident_ = field("Ident", true);
    zoom_ = field("Zoom", false);
    eye_ = field("Eye", false);
    pitch_ = field("Pitch", false);
    bank_ = field("Bank", false);
    head_ = field("Head", false);
    ident_->Bind(wxEVT_TEXT, &CFixedWindowsDlg::OnIdent, this);
    fields->AddGrowableCol(1);
    middle->Add(fields, 1, wxEXPAND | wxRIGHT, 8);

    auto* side = new wxBoxSizer(wxVERTICAL);
    transparent_ = new wxCheckBox(this, wxID_ANY, "Transparent");
    transparent_->SetValue(brindle::FixedWindowsEditor::Transparent());
    transparent_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        brindle::FixedWindowsEditor::Transparent() = transparent_->GetValue();
        preview_->Refresh(false);
    });
    side->Add(transparent_, 0, wxBOTTOM, 8);
    auto* change = new wxButton(this, wxID_ANY, "Change ...");
    change->SetToolTip("Give the selected view's Fixed Window a bitmap");
    change->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { PressChange(); });
    side->Add(change, 0, wxEXPAND);
    middle->Add(side, 0, wxALIGN_BOTTOM);
    top->Add(middle, 0, wxEXPAND | wxALL, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxRIGHT | wxBOTTOM, 6);
    Bind(wxEVT_BUTTON, &CFixedWindowsDlg::OnCancel, this, wxID_CANCEL);
    BindHelpTopic(this, kHelpTopic);

    SetSizerAndFit(top);
    SetMinSize(GetSize());
    ShowDisplay();
    CentreOnParent();
}

const wxString& CFixedWindowsDlg::FileLine() const {
    return fileLine_;
}

void CFixedWindowsDlg::ShowDisplay() {
    const auto& d = editor_.Shown();
    SetTitle(FromPanelText(d.caption));
    fileLine_ = FromPath(d.bitmapPath);
    file_->SetLabel(fileLine_);
    view_->ChangeValue(d.viewName);
    ident_->ChangeValue(d.ident);
    ident_->Enable(d.identEnabled);
    zoom_->ChangeValue(d.zoom);
    eye_->ChangeValue(d.eye);
    pitch_->ChangeValue(d.pitch);
    bank_->ChangeValue(d.bank);
    head_->ChangeValue(d.head);
    preview_->Refresh(false);
}

void CFixedWindowsDlg::PressView(int view) {
    if (editor_.SelectView(view)) ShowDisplay();
}

void CFixedWindowsDlg::PressChange() {
    if (editor_.Selected() == brindle::kNoView) {
        editor_.ChangeBitmap("");  // says "Please Select a View"
        return;
    }
    std::optional<std::string> chosen = chooseBitmap_ ? chooseBitmap_(this, folder_) : std::nullopt;
    if (!chosen) return;
    if (editor_.ChangeBitmap(*chosen)) ShowDisplay();
}

void CFixedWindowsDlg::OnIdent(wxCommandEvent&) {
    if (editor_.Selected() == brindle::kNoView) {
        ident_->ChangeValue("");
        return;
    }
    editor_.SetIdentText(ToPanelText(ident_->GetValue()));
}

void CFixedWindowsDlg::OnCancel(wxCommandEvent&) {
    editor_.Cancel();
    FinishDialog(this, wxID_CANCEL);
}

void CFixedWindowsDlg::OnPaintPreview(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(preview_);
    const wxSize size = preview_->GetClientSize();
    const wxColour bg = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    const brindle::Image* bitmap = editor_.PreviewBitmap();
    brindle::Image img =
        brindle::RenderFixedWindowPreview(size.x, size.y, bitmap, transparent_->GetValue(),
                                          brindle::MakePixel(bg.Red(), bg.Green(), bg.Blue()));
    if (!img.Empty()) dc.DrawBitmap(ToWxBitmap(img), 0, 0);
    if (!bitmap) {
        const wxString text = brindle::kNoBitmapSpecified;
        const wxSize extent = dc.GetTextExtent(text);
        dc.SetTextForeground(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNTEXT));
        dc.DrawText(text, (size.x - extent.x) / 2, (size.y - extent.y) / 2);
    }
}

namespace {

BRINDLE_COMMAND_HANDLER(brindle::Cmd::FixedWindows, [](CBrindleView& v) {
    CBrindleDoc* doc = v.Doc();
    brindle::Panel* panel = doc->GetPanel();
    if (!panel) return;
    const int current = doc->Doc().CurrentWindow();
    const int titledBefore = panel->windowCount;
    // The shown gauges go into the panel first: new Fixed Windows move the Vcockpits up.
    if (current >= 0 && current < static_cast<int>(panel->windows.size()))
        doc->View().StorePanelWindow(panel->windows[current]);
    CFixedWindowsDlg dlg(v.GetFrame(), *panel, doc->Doc().PanelFolder(), ChooseBitmapFile);
    ShowDialog(dlg);
    if (!dlg.Changed()) return;
    doc->Modify(true);
    const int moved = current >= titledBefore ? current + panel->windowCount - titledBefore : current;
    if (moved != current || (current >= 0 && panel->windows[current].fixed))
        v.SwitchToWindow(moved, false);  // a moved Vcockpit, or a Fixed Window that may have a new bitmap
    else
        doc->Changed();
});

}  // namespace
