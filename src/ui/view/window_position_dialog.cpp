#include "ui/view/window_position_dialog.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/dcbuffer.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/slider.h>
#include <wx/spinbutt.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/dialog_support.h"
#include "ui/app/help.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"
#include "ui/view/image_convert.h"

using brindle::PlacementModel;
using E = brindle::WindowPositionEditor;

namespace {

constexpr int kHelpTopic = 165;
const char* const kPositionLabels[9] = {"\u2196", "\u2191", "\u2197", "\u2190", "\u00b7",
                                        "\u2192", "\u2199", "\u2193", "\u2198"};

void SetRed(wxWindow* w, bool red) {
    w->SetForegroundColour(red ? *wxRED : wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT));
    w->Refresh();
}

}  // namespace

CWindowPositionDlg::CWindowPositionDlg(wxWindow* parent, brindle::Panel& panel, int windowIndex,
                                       const brindle::Settings& settings)
    : wxDialog(parent, wxID_ANY, E::kCaption, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      editor_(panel, windowIndex, settings) {
    UseProgramIcon(this, parent);
    UseDialogToolTipTimes();
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(new wxStaticText(this, wxID_ANY, FromPanelText(editor_.WindowName())), 0, wxALL, 8);
    auto* body = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);

    auto* mode = new wxStaticBoxSizer(wxHORIZONTAL, this, "Mode");
    fs98_ = new wxRadioButton(this, wxID_ANY, "FS98", wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    fs2000_ = new wxRadioButton(this, wxID_ANY, "FS2000");
    fs98_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { ChooseModel(PlacementModel::kFs98); });
    fs2000_->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { ChooseModel(PlacementModel::kFs2000); });
    mode->Add(fs98_, 0, wxALL, 4);
    mode->Add(fs2000_, 0, wxALL, 4);
    left->Add(mode, 0, wxEXPAND | wxBOTTOM, 6);

    auto* fs98Row = new wxBoxSizer(wxHORIZONTAL);
    auto* posBox = new wxStaticBoxSizer(wxVERTICAL, this, "Position");
    auto* grid = new wxGridSizer(3, 3, 2, 2);
    for (int code = 0; code < 9; ++code) {
        positions_[code] = new wxToggleButton(this, wxID_ANY, wxString::FromUTF8(kPositionLabels[code]),
                                              wxDefaultPosition, wxSize(30, 26));
        positions_[code]->SetToolTip(wxString::Format("Position %d", code));
        positions_[code]->Bind(wxEVT_TOGGLEBUTTON, [this, code](wxCommandEvent&) { PressPosition(code); });
        grid->Add(positions_[code]);
    }
    posBox->Add(grid, 0, wxALL, 4);
    fs98Row->Add(posBox, 0, wxRIGHT, 6);
    auto* ratioBox = new wxStaticBoxSizer(wxVERTICAL, this, "Window Size Ratio");
    auto* ratioRow = new wxBoxSizer(wxHORIZONTAL);
    ratio_ = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(70, -1), wxTE_READONLY);
    ratioSpin_ = new wxSpinButton(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
    ratioSpin_->SetRange(-30000, 30000);
    ratioSpin_->Bind(wxEVT_SPIN_UP, [this](wxSpinEvent&) {
        editor_.SpinRatio(1);
        ShowValues();
    });
    ratioSpin_->Bind(wxEVT_SPIN_DOWN, [this](wxSpinEvent&) {
        editor_.SpinRatio(-1);
        ShowValues();
    });
    ratioRow->Add(ratio_, 1, wxALIGN_CENTER_VERTICAL);
    ratioRow->Add(ratioSpin_, 0, wxLEFT, 2);
    ratioBox->Add(ratioRow, 0, wxALL, 4);
    fs98Row->Add(ratioBox, 1, wxALIGN_TOP);
    left->Add(fs98Row, 0, wxEXPAND | wxBOTTOM, 6);

    static const char* const kTips[4] = {
        "The X Axis Start position of the Window, range is 0.0 (left edge) to 1.0 (right edge)",
        "The Y Axis Start position of the Window, range is 0.0 (top edge) to 1.0 (bottom edge)",
        "The Window Width, range is 0.0 to 1.0 (full width of screen)",
        "The Window Height, range is 0.0 to 1.0 (full height of screen)"};
    auto pair = [&](const char* title, E::Field a, const char* la, E::Field b, const char* lb) {
        auto* box = new wxStaticBoxSizer(wxHORIZONTAL, this, title);
        for (auto [f, label] : {std::pair{a, la}, std::pair{b, lb}}) {
            box->Add(new wxStaticText(this, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
            edits_[f] =
                new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(64, -1), wxTE_PROCESS_ENTER);
            edits_[f]->SetToolTip(kTips[f]);
            edits_[f]->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { EnterValues(); });
            spins_[f] = new wxSpinButton(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxSP_VERTICAL);
            spins_[f]->SetRange(-30000, 30000);
            const E::Field field = f;
            spins_[f]->Bind(wxEVT_SPIN_UP, [this, field](wxSpinEvent&) {
                editor_.SpinValue(field, 1);
                ShowValues();
            });
            spins_[f]->Bind(wxEVT_SPIN_DOWN, [this, field](wxSpinEvent&) {
                editor_.SpinValue(field, -1);
                ShowValues();
            });
            box->Add(edits_[f], 1, wxALIGN_CENTER_VERTICAL | wxLEFT, 4);
            box->Add(spins_[f], 0, wxRIGHT, 4);
        }
        left->Add(box, 0, wxEXPAND | wxBOTTOM, 6);
    };
    pair("Window Size", E::kSizeW, "W", E::kSizeH, "H");
    pair("Window Position", E::kPosX, "X", E::kPosY, "Y");

    visible_ = new wxCheckBox(this, wxID_ANY, "Visible at startup");
    visible_->SetToolTip("If checked, this Window is visible at FS startup");
    visible_->SetValue(editor_.Visible());
    visible_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) { editor_.SetVisible(visible_->GetValue()); });
    transparent_ = new wxCheckBox(this, wxID_ANY, "Transparent");
    transparent_->SetToolTip("Line up aid - draws the Window transparently");
    transparent_->SetValue(editor_.transparent);
    transparent_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        editor_.transparent = transparent_->GetValue();
        preview_->Refresh(false);
    });
    drawX_ = new wxCheckBox(this, wxID_ANY, "Draw X");
    drawX_->SetToolTip("Line up aid - Draws an X through the Window we're positioning");
    drawX_->SetValue(E::DrawX());
    drawX_->Enable(editor_.DrawXEnabled());
    drawX_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        E::DrawX() = drawX_->GetValue();
        preview_->Refresh(false);
    });
    horizon_ = new wxCheckBox(this, wxID_ANY, "Outline Horizon");
    horizon_->SetToolTip("Outline the Horizon to aid Window placement");
    horizon_->SetValue(E::OutlineHorizon());
    horizon_->Enable(editor_.OutlineHorizonEnabled());
    horizon_->Bind(wxEVT_CHECKBOX, [this](wxCommandEvent&) {
        E::OutlineHorizon() = horizon_->GetValue();
        preview_->Refresh(false);
    });
    for (wxCheckBox* c : {visible_, transparent_, drawX_, horizon_}) left->Add(c, 0, wxBOTTOM, 4);
    body->Add(left, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

    // The preview with the Default View sliders around it: X above, Size X below, Y left, Size Y right.
    auto* right = new wxBoxSizer(wxVERTICAL);
    auto slider = [&](E::Slider s, int max, long style) {
        sliders_[s] = new wxSlider(this, wxID_ANY, 0, 0, max, wxDefaultPosition, wxDefaultSize, style);
        sliders_[s]->Bind(wxEVT_SLIDER,
                          [this, s](wxCommandEvent&) { MoveSlider(s, sliders_[s]->GetValue()); });
        return sliders_[s];
    };
    right->Add(slider(E::kViewX, 8191, wxSL_HORIZONTAL), 0, wxEXPAND);
    auto* mid = new wxBoxSizer(wxHORIZONTAL);
    mid->Add(slider(E::kViewY, 6143, wxSL_VERTICAL), 0, wxEXPAND);
    preview_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxSize(400, 300), wxBORDER_SUNKEN);
    preview_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    preview_->Bind(wxEVT_PAINT, &CWindowPositionDlg::OnPaintPreview, this);
    preview_->Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        preview_->Refresh(false);
        e.Skip();
    });
    mid->Add(preview_, 1, wxEXPAND);
    mid->Add(slider(E::kViewSizeY, 6143, wxSL_VERTICAL), 0, wxEXPAND);
    right->Add(mid, 1, wxEXPAND);
    right->Add(slider(E::kViewSizeX, 8191, wxSL_HORIZONTAL), 0, wxEXPAND);
    auto* viewRow = new wxBoxSizer(wxHORIZONTAL);
    viewRow->Add(new wxStaticText(this, wxID_ANY, "Default View"), 0, wxRIGHT, 8);
    const char* const kViewLabels[4] = {"X:", "Size X:", "Y:", "Size Y:"};
    for (E::Slider s : {E::kViewX, E::kViewY, E::kViewSizeX, E::kViewSizeY}) {
        viewRow->Add(new wxStaticText(this, wxID_ANY, kViewLabels[s]), 0, wxLEFT, 8);
        viewTexts_[s] = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxSize(44, -1));
        viewRow->Add(viewTexts_[s], 0, wxLEFT, 4);
    }
    right->Add(viewRow, 0, wxTOP, 4);
    body->Add(right, 1, wxEXPAND | wxRIGHT, 8);
    top->Add(body, 1, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 6);
    Bind(wxEVT_BUTTON, &CWindowPositionDlg::OnOk, this, wxID_OK);
    Bind(wxEVT_BUTTON, &CWindowPositionDlg::OnCancel, this, wxID_CANCEL);
    BindHelpTopic(this, kHelpTopic);

    for (E::Slider s : {E::kViewX, E::kViewY, E::kViewSizeX, E::kViewSizeY}) {
        int v = s == E::kViewX       ? editor_.View().x
                : s == E::kViewY     ? editor_.View().y
                : s == E::kViewSizeX ? editor_.View().sizeX
                                     : editor_.View().sizeY;
        sliders_[s]->SetValue(v);
    }
    for (int f = 0; f < 4; ++f) edits_[f]->ChangeValue(editor_.Text(static_cast<E::Field>(f)));
    Refresh98And2000();
    ShowValues();
    SetSizerAndFit(top);
    SetMinSize(GetSize());
    CentreOnParent();
}

void CWindowPositionDlg::Refresh98And2000() {
    fs98_->Show(editor_.Fs98Offered());
    fs2000_->Show(editor_.Fs2000Offered());
    fs98_->Enable(editor_.ModelRadiosEnabled());
    fs2000_->Enable(editor_.ModelRadiosEnabled());
    const bool fs98 = editor_.Model() == PlacementModel::kFs98;
    (fs98 ? fs98_ : fs2000_)->SetValue(true);
    for (int code = 0; code < 9; ++code) {
        positions_[code]->SetValue(code == editor_.PositionCode());
        positions_[code]->Enable(fs98);
    }
    ratio_->Enable(fs98);
    ratioSpin_->Enable(fs98);
    for (int f = 0; f < 4; ++f) {
        edits_[f]->Enable(!fs98);
        spins_[f]->Enable(!fs98);
    }
    Layout();
}

void CWindowPositionDlg::ShowValues() {
    ratio_->ChangeValue(editor_.RatioText());
    SetRed(ratio_, editor_.RatioRed());
    for (int f = 0; f < 4; ++f) {
        const auto field = static_cast<E::Field>(f);
        if (edits_[f]->GetValue() != editor_.Text(field)) edits_[f]->ChangeValue(editor_.Text(field));
        SetRed(edits_[f], editor_.ValueRed(field));
    }
    for (E::Slider s : {E::kViewX, E::kViewY, E::kViewSizeX, E::kViewSizeY})
        viewTexts_[s]->SetLabel(editor_.ViewText(s));
    SetRed(viewTexts_[E::kViewSizeX], editor_.ViewSizeXRed());
    SetRed(viewTexts_[E::kViewSizeY], editor_.ViewSizeYRed());
    preview_->Refresh(false);
}

void CWindowPositionDlg::ChooseModel(PlacementModel model) {
    editor_.SetModel(model);
    Refresh98And2000();
    ShowValues();
}

void CWindowPositionDlg::PressPosition(int code) {
    editor_.SetPositionCode(code);
    Refresh98And2000();
    ShowValues();
}

bool CWindowPositionDlg::EnterValues() {
    std::array<std::string, 4> texts;
    for (int f = 0; f < 4; ++f) texts[f] = ToPanelText(edits_[f]->GetValue());
    bool ok = editor_.EnterValues(texts);
    for (int f = 0; f < 4; ++f) edits_[f]->ChangeValue(editor_.Text(static_cast<E::Field>(f)));
    ShowValues();
    return ok;
}

void CWindowPositionDlg::MoveSlider(E::Slider s, int value) {
    int taken = editor_.SetSlider(s, value);
    if (sliders_[s]->GetValue() != taken) sliders_[s]->SetValue(taken);
    ShowValues();
}

void CWindowPositionDlg::OnPaintPreview(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(preview_);
    const wxSize size = preview_->GetClientSize();
    const wxColour menu = wxSystemSettings::GetColour(wxSYS_COLOUR_MENU);
    brindle::Image img =
        editor_.RenderPreview(size.x, size.y, brindle::MakePixel(menu.Red(), menu.Green(), menu.Blue()));
    if (!img.Empty()) dc.DrawBitmap(ToWxBitmap(img), 0, 0);
}

void CWindowPositionDlg::OnOk(wxCommandEvent&) {
    // Values typed without Enter are checked as Enter would; a refused one keeps the dialog open.
    if (editor_.Model() == PlacementModel::kFs2000) {
        bool typed = false;
        for (int f = 0; f < 4; ++f)
            typed = typed || edits_[f]->GetValue() != editor_.Text(static_cast<E::Field>(f));
        if (typed && !EnterValues()) return;
    }
    editor_.Ok();
    FinishDialog(this, wxID_OK);
}

void CWindowPositionDlg::OnCancel(wxCommandEvent&) {
    editor_.Cancel();
    FinishDialog(this, wxID_CANCEL);
}

namespace {

void RunWindowPosition(CBrindleView& v) {
    CBrindleDoc* doc = v.Doc();
    brindle::Panel* panel = doc->GetPanel();
    const int current = doc->Doc().CurrentWindow();
    if (!panel || current < 0 || current >= static_cast<int>(panel->windows.size())) return;
    CWindowPositionDlg dlg(v.GetFrame(), *panel, current, doc->settings());
    if (ShowDialog(dlg) == wxID_OK) doc->Modify(true);
    doc->Changed();
}

BRINDLE_COMMAND_HANDLER(brindle::Cmd::SetDefaultPosition, RunWindowPosition);
BRINDLE_COMMAND_HANDLER(brindle::Cmd::AdjustWindowPosition, RunWindowPosition);

}  // namespace
