#include "ui/gauges/gauge_properties_dialog.h"

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/tooltip.h>

#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/help.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"
#include "ui/view/image_convert.h"
#include "ui/view/panel_canvas.h"
#include "view/panel_view.h"

namespace {

using Logic = brindle::GaugePropertiesDialogLogic;
const wxColour kWarningRed(255, 0, 0);
constexpr int kIdHide = wxID_HIGHEST + 41;
constexpr int kIdDelete = wxID_HIGHEST + 42;

void SetText(wxStaticText* t, const std::string& text) {
    const wxString s = FromPanelText(text);
    if (t->GetLabel() != s) t->SetLabel(s);
}

void SetField(wxTextCtrl* t, const std::string& text) {
    const wxString s = FromPanelText(text);
    if (t->GetValue() != s) t->ChangeValue(s);
}

void Colour(wxTextCtrl* t, bool red) {
    const wxColour c = red ? kWarningRed : wxSystemSettings::GetColour(wxSYS_COLOUR_WINDOWTEXT);
    if (t->GetForegroundColour() != c) {
        t->SetForegroundColour(c);
        t->Refresh();
    }
}

}  // namespace

CGaugePropertiesDlg::CGaugePropertiesDlg(wxWindow* parent, brindle::PanelView& view,
                                         brindle::EditingController* editing,
                                         std::function<void()> markModified, int index)
    : wxDialog(parent, wxID_ANY, Logic::kTitle, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      logic_(view, editing, std::move(markModified), index) {
    wxToolTip::SetDelay(100);
    wxToolTip::SetAutoPop(5000);
    auto* top = new wxBoxSizer(wxVERTICAL);

    // The group with the list and the preview takes the extra space; the list grows downward.
    auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, "Installed Gauges");
    list_ = new wxListBox(group->GetStaticBox(), wxID_ANY, wxDefaultPosition, wxSize(240, 200));
    list_->SetToolTip("List of Gauges in current Window");
    group->Add(list_, 1, wxEXPAND | wxALL, 4);
    preview_ =
        new wxPanel(group->GetStaticBox(), wxID_ANY, wxDefaultPosition, wxSize(200, 200), wxBORDER_SUNKEN);
    preview_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    preview_->SetToolTip("Preview of the Selected Gauge");
    preview_->Bind(wxEVT_PAINT, &CGaugePropertiesDlg::OnPaintPreview, this);
    group->Add(preview_, 1, wxEXPAND | wxALL, 4);
    top->Add(group, 1, wxEXPAND | wxALL, 10);

    auto* info = new wxFlexGridSizer(4, 6, 8);
    info->AddGrowableCol(1, 1);
    info->AddGrowableCol(3, 1);
    auto label = [&](wxSizer* s, const char* text) {
        auto* l = new wxStaticText(this, wxID_ANY, text);
        s->Add(l, 0, wxALIGN_CENTER_VERTICAL);
        return l;
    };
    auto value = [&](wxSizer* s) {
        auto* v = new wxStaticText(this, wxID_ANY, "", wxDefaultPosition, wxSize(120, -1));
        s->Add(v, 0, wxALIGN_CENTER_VERTICAL | wxEXPAND);
        return v;
    };
    label(info, "File Name:");
    fileName_ = value(info);
    label(info, "Index:");
    index_ = value(info);
    label(info, "Gauge Name:");
    gaugeName_ = value(info);
    label(info, "Gauge Version:");
    version_ = value(info);
    label(info, "Bitmap Width:");
    bitmapWidth_ = value(info);
    label(info, "Bitmap Height:");
    bitmapHeight_ = value(info);
    top->Add(info, 0, wxEXPAND | wxLEFT | wxRIGHT, 10);
    warning_ = new wxStaticText(this, wxID_ANY, "");
    warning_->SetForegroundColour(kWarningRed);
    top->Add(warning_, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);

    auto* edits = new wxFlexGridSizer(4, 6, 8);
    edits->AddGrowableCol(1, 1);
    edits->AddGrowableCol(3, 1);
    auto edit = [&](wxSizer* s) {
        auto* e = new wxTextCtrl(this, wxID_ANY, "", wxDefaultPosition, wxSize(80, -1));
        e->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { Edited(); });
        s->Add(e, 1, wxEXPAND);
        return e;
    };
    label(edits, "X pos");
    x_ = edit(edits);
    label(edits, "Y pos");
    y_ = edit(edits);
    label(edits, "Size X");
    sizeX_ = edit(edits);
    sizeYLabel_ = label(edits, "Size Y");
    sizeY_ = edit(edits);
    top->Add(edits, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);
    auto* paramRow = new wxBoxSizer(wxHORIZONTAL);
    paramLabel_ = new wxStaticText(this, wxID_ANY, "Param", wxDefaultPosition, wxSize(50, -1));
    paramRow->Add(paramLabel_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    param_ = new wxTextCtrl(this, wxID_ANY, "");
    param_->SetMaxLength(Logic::kMaxParameter);
    param_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) { Edited(); });
    paramRow->Add(param_, 1, wxEXPAND);
    top->Add(paramRow, 0, wxEXPAND | wxLEFT | wxRIGHT | wxTOP, 10);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    apply_ = new wxButton(this, wxID_APPLY, "Apply");
    apply_->SetToolTip("Apply the changes made to X, Y, or SizeMM");
    hide_ = new wxButton(this, kIdHide, "Hide");
    hide_->SetToolTip("Hide this Gauge while using Brindle");
    delete_ = new wxButton(this, kIdDelete, "Delete Gauge");
    delete_->SetToolTip("Delete the currently selected Gauge from the Panel");
    buttons->Add(apply_, 0, wxALL, 5);
    buttons->Add(hide_, 0, wxALL, 5);
    buttons->Add(delete_, 0, wxALL, 5);
    buttons->AddStretchSpacer();
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    auto* cancel = new wxButton(this, wxID_CANCEL, "Cancel");
    cancel->SetToolTip("Cancel all changes and exit this dialog");
    buttons->Add(ok, 0, wxALL, 5);
    buttons->Add(cancel, 0, wxALL, 5);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 5);
    top->Add(buttons, 0, wxEXPAND | wxALL, 6);
    SetSizerAndFit(top);
    SetMinSize(GetSize());

    list_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent& e) {
        if (!syncing_) ChooseGauge(e.GetSelection());
    });
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { ClickApply(); }, wxID_APPLY);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { ClickHide(); }, kIdHide);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { ClickDelete(); }, kIdDelete);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { ClickOk(); }, wxID_OK);
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { ClickCancel(); }, wxID_CANCEL);
    BindHelpTopic(this, Logic::kHelpTopic);

    Sync();
    list_->SetFocus();
    CentreOnParent();
}

void CGaugePropertiesDlg::Sync(bool fields) {
    syncing_ = true;
    const std::vector<std::string> lines = logic_.ListLines();
    bool same = list_->GetCount() == lines.size();
    for (unsigned i = 0; same && i < lines.size(); ++i) same = list_->GetString(i) == FromPanelText(lines[i]);
    if (!same) {
        wxArrayString items;
        for (const std::string& l : lines) items.Add(FromPanelText(l));
        list_->Set(items);
    }
    if (logic_.HasGauge() && list_->GetSelection() != logic_.CurrentIndex())
        list_->SetSelection(logic_.CurrentIndex());

    SetText(fileName_, logic_.FileNameText());
    SetText(index_, logic_.IndexText());
    SetText(gaugeName_, logic_.GaugeNameText());
    SetText(warning_, logic_.WarningText());
    SetText(bitmapWidth_, logic_.BitmapWidthText());
    SetText(bitmapHeight_, logic_.BitmapHeightText());
    SetText(version_, logic_.VersionText());
    if (fields) {
        const Logic::Fields& f = logic_.Texts();
        SetField(x_, f.x);
        SetField(y_, f.y);
        SetField(sizeX_, f.sizeX);
        SetField(sizeY_, f.sizeY);
        SetField(param_, f.parameter);
    }
    const bool sizeY = logic_.SizeYShown();
    sizeY_->Show(sizeY);
    sizeY_->Enable(sizeY);
    sizeYLabel_->Show(sizeY);
    param_->Show(logic_.ParameterShown());
    param_->Enable(logic_.ParameterEnabled());
    SetText(paramLabel_, logic_.ParameterLabel());
    Colour(x_, logic_.XRed());
    Colour(y_, logic_.YRed());
    Colour(sizeX_, logic_.SizeXRed());
    Colour(sizeY_, logic_.SizeYRed());
    apply_->Enable(logic_.ApplyEnabled());
    hide_->SetLabel(logic_.HideButtonLabel());
    const bool any = logic_.HasGauge();
    hide_->Enable(any);
    delete_->Enable(any);
    for (wxTextCtrl* e : {x_, y_, sizeX_}) e->Enable(any);
    preview_->Refresh();
    Layout();
    syncing_ = false;
}

void CGaugePropertiesDlg::Edited() {
    if (syncing_) return;
    logic_.SetX(ToPanelText(x_->GetValue()));
    logic_.SetY(ToPanelText(y_->GetValue()));
    logic_.SetSizeX(ToPanelText(sizeX_->GetValue()));
    if (logic_.SizeYShown()) logic_.SetSizeY(ToPanelText(sizeY_->GetValue()));
    if (logic_.ParameterEnabled() && logic_.ParameterShown())
        logic_.SetParameter(ToPanelText(param_->GetValue()));
    Sync(false);
}

void CGaugePropertiesDlg::ClickApply() {
    const bool focused = wxWindow::FindFocus() == apply_;
    logic_.Apply();
    Sync();
    // A button that disables itself drops the focus, and with it Enter and Escape.
    if (focused && !apply_->IsEnabled()) list_->SetFocus();
}

void CGaugePropertiesDlg::ClickHide() {
    logic_.ToggleHidden();
    Sync(false);
}

void CGaugePropertiesDlg::ClickDelete() {
    const bool focused = wxWindow::FindFocus() == delete_;
    logic_.DeleteGauge();
    Sync();
    if (focused && !delete_->IsEnabled()) list_->SetFocus();
}

void CGaugePropertiesDlg::ChooseGauge(int line) {
    logic_.ChooseGauge(line);
    Sync();
}

void CGaugePropertiesDlg::ClickOk() {
    if (!logic_.Ok()) {
        Sync();
        return;
    }
    if (IsModal()) EndModal(wxID_OK);
}

void CGaugePropertiesDlg::ClickCancel() {
    logic_.Cancel();
    if (IsModal()) EndModal(wxID_CANCEL);
}

void CGaugePropertiesDlg::OnPaintPreview(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(preview_);
    const wxSize size = preview_->GetClientSize();
    if (size.x <= 0 || size.y <= 0) return;
    const wxColour face = wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE);
    dc.DrawBitmap(ToWxBitmap(logic_.PreviewImage(size.x, size.y,
                                                 brindle::MakePixel(face.Red(), face.Green(), face.Blue()))),
                  0, 0);
}

namespace {

BRINDLE_GAUGE_COMMAND_HANDLER(brindle::Cmd::GaugeProperties, [](CBrindleView& view, int gauge) {
    CBrindleDoc* doc = view.Doc();
    // The gauge's focus cross shows in the view while the dialog is open.
    doc->View().Invalidate(doc->View().GaugeDirtyRect(gauge));
    if (view.Canvas()) view.Canvas()->Update();
    CGaugePropertiesDlg dlg(
        view.GetFrame(), doc->View(), &doc->Editing(), [doc] { doc->Modify(true); }, gauge);
    ShowDialog(dlg);
    view.RefreshFrame();
});

}  // namespace
