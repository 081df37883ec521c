#include "ui/dialogs/bmp_dialog.h"

#include <wx/dcbuffer.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>

#include "ui/app/text.h"
#include "ui/view/image_convert.h"

namespace {

BitmapChooser& ChooserOverride() {
    static BitmapChooser chooser;
    return chooser;
}

wxWindow* CreatePreviewPanel(wxWindow* parent) {
    return new CBmpPreviewPanel(parent);
}

}  // namespace

CBmpPreviewPanel::CBmpPreviewPanel(wxWindow* parent) : wxPanel(parent, wxID_ANY) {
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);
    left->Add(new wxStaticText(this, wxID_ANY, "Preview"), 0, wxBOTTOM, 3);
    picture_ = new wxPanel(this, wxID_ANY, wxDefaultPosition, FromDIP(wxSize(160, 120)), wxBORDER_SUNKEN);
    picture_->SetBackgroundStyle(wxBG_STYLE_PAINT);
    picture_->Bind(wxEVT_PAINT, &CBmpPreviewPanel::OnPaintPicture, this);
    left->Add(picture_, 0);
    row->Add(left, 0, wxALL, 4);
    auto* props = new wxStaticBoxSizer(wxVERTICAL, this, "Properties");
    for (wxStaticText*& line : lines_) {
        line = new wxStaticText(props->GetStaticBox(), wxID_ANY, "", wxDefaultPosition,
                                FromDIP(wxSize(140, -1)));
        props->Add(line, 0, wxALL, 3);
    }
    row->Add(props, 0, wxALL | wxALIGN_BOTTOM, 4);
    SetSizerAndFit(row);
    Bind(wxEVT_UPDATE_UI, &CBmpPreviewPanel::OnUpdateUi, this);
}

void CBmpPreviewPanel::ShowFile(const std::string& path) {
    if (!preview_.Select(path)) return;
    const brindle::PreviewLines& l = preview_.Lines();
    const std::string* texts[4] = {&l.width, &l.height, &l.depth, &l.size};
    for (int i = 0; i < 4; ++i) lines_[i]->SetLabel(FromPanelText(*texts[i]));
    picture_->Refresh();
}

wxString CBmpPreviewPanel::LineText(int i) const {
    return i >= 0 && i < 4 ? lines_[i]->GetLabel() : wxString();
}

void CBmpPreviewPanel::OnUpdateUi(wxUpdateUIEvent& event) {
    // The file dialog tells its extra control about a new highlight through an update event.
    for (wxWindow* w = GetParent(); w; w = w->GetParent()) {
        if (auto* dlg = wxDynamicCast(w, wxFileDialog)) {
            ShowFile(ToPath(dlg->GetCurrentlySelectedFilename()));
            break;
        }
    }
    event.Skip();
}

void CBmpPreviewPanel::OnPaintPicture(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(picture_);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.Clear();
    const std::optional<brindle::Image>& img = preview_.Picture();
    if (!img || img->Empty()) return;
    const wxSize area = picture_->GetClientSize();
    const brindle::PreviewRect r = brindle::FitPreview(img->Width(), img->Height(), area.x, area.y);
    if (r.width <= 0 || r.height <= 0) return;
    brindle::Image scaled(r.width, r.height);
    brindle::StretchCopy(scaled, scaled.Bounds(), *img, img->Bounds(), brindle::StretchQuality::kColorOnColor,
                         scaled.Bounds());
    dc.DrawBitmap(ToWxBitmap(scaled), r.x, r.y);
}

CBmpDialog::CBmpDialog(wxWindow* parent, const std::string& folder, long style)
    : wxFileDialog(parent, brindle::kBmpDialogTitle, FromPath(folder), "", brindle::kBmpDialogFilter,
                   wxFD_OPEN | style) {
    if (SupportsExtraControl()) SetExtraControlCreator(&CreatePreviewPanel);
    CentreOnParent();
}

std::string CBmpDialog::Path() const {
    return ToPath(GetPath());
}

std::optional<std::string> ChooseBitmapFile(wxWindow* parent, const std::string& folder) {
    if (ChooserOverride()) return ChooserOverride()(parent, folder);
    CBmpDialog dlg(parent, folder);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    std::string path = dlg.Path();
    if (path.empty()) return std::nullopt;
    return path;
}

void SetBitmapChooser(BitmapChooser chooser) {
    ChooserOverride() = std::move(chooser);
}
