#include "ui/document/open_window_dialog.h"

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "app/settings.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/app/help.h"
#include "ui/view/image_convert.h"
#include "view/bitmap.h"

namespace {
constexpr int kHelpTopic = 150;
wxString fromLocal(const std::string& s) {
    return wxString(s.c_str(), wxConvISO8859_1);
}
}  // namespace

COpenWindowDlg::COpenWindowDlg(wxWindow* parent, const brindle::Panel& panel, const std::string& panelPath)
    : wxDialog(parent, wxID_ANY, "Brindle - Open Window", wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      panel_(panel),
      panelDir_(brindle::DirectoryPart(panelPath).value_or("")) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(
        new wxStaticText(this, wxID_ANY, fromLocal(brindle::FileNamePart(panelPath).value_or(panelPath))), 0,
        wxLEFT | wxRIGHT | wxTOP | wxEXPAND, 10);
    top->Add(new wxStaticText(this, wxID_ANY, fromLocal(panelPath)), 0, wxLEFT | wxRIGHT | wxEXPAND, 10);

    auto* middle = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(new wxStaticText(this, wxID_ANY, "Windows"), 0, wxBOTTOM, 4);
    list_ = new wxListBox(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(230, 260)));
    for (size_t i = 0; i < panel.windows.size(); ++i) {
        list_->Append(wxString::Format("Window%02d    %s", static_cast<int>(i),
                                       fromLocal(panel.windows[i].title.str())));
    }
    list_->Bind(wxEVT_LISTBOX, &COpenWindowDlg::OnSelect, this);
    list_->Bind(wxEVT_LISTBOX_DCLICK, &COpenWindowDlg::OnOk, this);
    left->Add(list_, 1, wxEXPAND);
    middle->Add(left, 0, wxEXPAND | wxALL, 10);

    preview_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(260, 200)));
    preview_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    preview_->Bind(wxEVT_PAINT, &COpenWindowDlg::OnPaintPreview, this);
    middle->Add(preview_, 1, wxEXPAND | wxTOP | wxBOTTOM, 10);

    auto* props = new wxStaticBoxSizer(wxVERTICAL, this, "Bitmap Properties");
    auto field = [&](const char* label, wxStaticText** out) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        row->Add(new wxStaticText(props->GetStaticBox(), wxID_ANY, label), 0, wxRIGHT, 6);
        *out = new wxStaticText(props->GetStaticBox(), wxID_ANY, "", wxDefaultPosition,
                                FromDIP(wxSize(120, -1)));
        row->Add(*out, 1);
        props->Add(row, 0, wxEXPAND | wxALL, 3);
    };
    field("File", &file_);
    field("Width", &width_);
    field("Height", &height_);
    field("Size", &size_);
    middle->Add(props, 0, wxALL, 10);
    top->Add(middle, 1, wxEXPAND);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    ok->Bind(wxEVT_BUTTON, &COpenWindowDlg::OnOk, this);
    buttons->Add(ok, 0, wxALL, 6);
    buttons->Add(new wxButton(this, wxID_HELP, "Help..."), 0, wxALL, 6);
    top->Add(buttons, 0, wxEXPAND | wxALL, 4);
    SetSizerAndFit(top);
    // The list would take Enter for itself (and do nothing with it): Enter accepts the dialog
    // wherever the focus is.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_RETURN || e.GetKeyCode() == WXK_NUMPAD_ENTER) {
            wxCommandEvent ok;
            OnOk(ok);
            return;
        }
        e.Skip();
    });
    BindHelpTopic(this, kHelpTopic);
    CentreOnParent();
}

void COpenWindowDlg::Select(int index) {
    list_->SetSelection(index);
    wxCommandEvent e(wxEVT_LISTBOX, list_->GetId());
    e.SetInt(index);
    OnSelect(e);
}

void COpenWindowDlg::OnSelect(wxCommandEvent&) {
    int i = list_->GetSelection();
    choice_ = i;
    image_.reset();
    noBitmap_ = false;
    file_->SetLabel("");
    width_->SetLabel("");
    height_->SetLabel("");
    size_->SetLabel("");
    if (i >= 0 && i < static_cast<int>(panel_.windows.size())) {
        const brindle::PanelWindow& w = panel_.windows[static_cast<size_t>(i)];
        const brindle::OwnedText& name = w.file1024 ? w.file1024 : w.file;
        if (!name) {
            noBitmap_ = true;
        } else {
            brindle::BitmapFileRequest req;
            req.path = brindle::JoinPath(panelDir_, *name);
            if (brindle::ReadBitmapFile(req, true) && req.data) {
                file_->SetLabel(fromLocal(*name));
                width_->SetLabel(wxString::Format("%d Pixels", req.width));
                height_->SetLabel(wxString::Format("%d Pixels", req.height));
                size_->SetLabel(wxString::Format("%lld Bytes", static_cast<long long>(req.length)));
                image_ = req.data->Decode();
            }
        }
    }
    preview_->Refresh();
}

void COpenWindowDlg::OnPaintPreview(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(preview_);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_MENU)));
    dc.Clear();
    wxSize area = preview_->GetClientSize();
    if (noBitmap_) {
        dc.DrawLabel("No background Bitmap", wxRect(area), wxALIGN_CENTER);
        return;
    }
    if (!image_ || image_->Empty() || area.x <= 0 || area.y <= 0) return;
    // Fit with the aspect kept, centred along the shorter side.
    double scale = std::min(double(area.x) / image_->Width(), double(area.y) / image_->Height());
    int w = std::max(1, int(image_->Width() * scale)), h = std::max(1, int(image_->Height() * scale));
    brindle::Image scaled(w, h);
    brindle::StretchCopy(scaled, scaled.Bounds(), *image_, image_->Bounds(),
                         brindle::StretchQuality::kColorOnColor, scaled.Bounds());
    dc.DrawBitmap(ToWxBitmap(scaled), (area.x - w) / 2, (area.y - h) / 2);
}

void COpenWindowDlg::OnOk(wxCommandEvent&) {
    choice_ = list_->GetSelection();
    EndModal(wxID_OK);
}
