#include "ui/app/preferences_dialogs.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/filedlg.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>

#include <memory>

#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/app/command_handlers.h"
#include "ui/app/dialog_support.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

namespace {

using Logic = brindle::PreferencesDialogLogic;

wxCheckBox* Check(wxWindow* parent, const char* label, bool value, const char* tip) {
    auto* box = new wxCheckBox(parent, wxID_ANY, label);
    box->SetValue(value);
    box->SetToolTip(tip);
    return box;
}

wxSizer* OkCancelHelp(wxWindow* parent) {
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(parent, wxID_OK, "OK"), 0, wxALL, 5);
    buttons->Add(new wxButton(parent, wxID_CANCEL, "Cancel"), 0, wxALL, 5);
    buttons->Add(new wxButton(parent, wxID_HELP, "Help..."), 0, wxALL, 5);
    return buttons;
}

// The wx form of a filter: "|" between pairs, without the closing "||".
wxString WxFilter(const char* filter) {
    wxString f(filter);
    while (f.EndsWith("|")) f.RemoveLast();
#ifndef _WIN32
    f.Replace("(*.*)|*.*", "(*.*)|*");
#endif
    return f;
}

}  // namespace

CPreferencesDlg::CPreferencesDlg(wxWindow* parent, brindle::Settings& settings,
                                 brindle::DesktopIntegration& desktop, std::string programPath)
    : wxDialog(parent, wxID_ANY, Logic::kCaption),
      settings_(settings),
      desktop_(desktop),
      programPath_(std::move(programPath)),
      logic_(settings) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* upper = new wxBoxSizer(wxHORIZONTAL);

    auto* general = new wxStaticBoxSizer(wxVERTICAL, this, "General Preferences");
    wxWindow* g = general->GetStaticBox();
    reload_ = Check(g, "Load Last edited Panel at Startup", logic_.reload,
                    "Open the panel you edited last, at its window, when Brindle starts");
    backup_ = Check(g, "Create Automatic Backups of edited config files", logic_.createBackup,
                    "Keep the old file as panel_backup001.cfg, 002, ... before each save");
    remember_ = Check(g, "Remember Brindle's  Window Position", logic_.rememberWindowPosition,
                      "Open the main window where it was when Brindle ended");
    for (wxCheckBox* box : {reload_, backup_, remember_}) general->Add(box, 0, wxALL, 4);
    auto* more = new wxBoxSizer(wxHORIZONTAL);
    drawing_ = new wxButton(g, wxID_ANY, "Gauge Drawing Options...");
    drawing_->SetToolTip("Choose which gauge elements are drawn");
    advanced_ = new wxButton(g, wxID_ANY, "Advanced...");
    advanced_->SetToolTip("Drawing modes and the file association");
    more->Add(drawing_, 0, wxRIGHT, 8);
    more->Add(advanced_, 0);
    general->Add(more, 0, wxALL, 4);
    upper->Add(general, 1, wxEXPAND | wxRIGHT, 10);
    upper->Add(new wxStaticBitmap(this, wxID_ANY, PreferencesPicture(FromDIP(96))), 0, wxALIGN_TOP);
    top->Add(upper, 0, wxEXPAND | wxALL, 10);

    auto* fs = new wxStaticBoxSizer(wxVERTICAL, this, "FS2000 and CFS Options");
    highRes_ = Check(fs->GetStaticBox(), "Load High Res Bitmaps and Gauges", logic_.highRes,
                     "Draw the windows with the 1024-pixel bitmaps and the gauges' high-resolution pictures");
    fs->Add(highRes_, 0, wxALL, 4);
    top->Add(fs, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);

    auto pathGroup = [&](const char* title, const std::string& value, const char* tip, bool copyright) {
        auto* group = new wxStaticBoxSizer(wxHORIZONTAL, this, title);
        auto* edit = new wxTextCtrl(group->GetStaticBox(), wxID_ANY, FromPath(value), wxDefaultPosition,
                                    FromDIP(wxSize(360, -1)));
        edit->SetToolTip(tip);
        auto* browse = new wxButton(group->GetStaticBox(), wxID_ANY, "Browse...");
        browse->SetToolTip(copyright ? Logic::kCopyrightBrowseTitle : Logic::kPaintBrowseTitle);
        browse->Bind(wxEVT_BUTTON, [this, copyright](wxCommandEvent&) { OnBrowse(copyright); });
        group->Add(edit, 1, wxALL | wxALIGN_CENTER_VERTICAL, 4);
        group->Add(browse, 0, wxALL | wxALIGN_CENTER_VERTICAL, 4);
        top->Add(group, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 10);
        return edit;
    };
    copyright_ =
        pathGroup("Copyright File", logic_.copyrightFile, "A text file with your copyright notice", true);
    paint_ = pathGroup("Paint Program", logic_.paintProgram,
                       "The program Edit Window Bitmap opens a window's background bitmap in", false);
    top->Add(OkCancelHelp(this), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    SetSizerAndFit(top);

    drawing_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CGaugeDrawPrefsDlg dlg(this, settings_);
        RunModal(dlg);
    });
    advanced_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) {
        CAdvancedPrefsDlg dlg(this, settings_, desktop_, programPath_);
        RunModal(dlg);
    });
    PrepareDialog(this, Logic::kHelpTopic);
}

void CPreferencesDlg::OnBrowse(bool copyright) {
    wxTextCtrl* edit = copyright ? copyright_ : paint_;
    const std::string current = ToPath(edit->GetValue());
    wxFileDialog dlg(this, copyright ? Logic::kCopyrightBrowseTitle : Logic::kPaintBrowseTitle,
                     FromPath(brindle::DirectoryPart(current).value_or("")),
                     FromPath(brindle::FileNamePart(current).value_or("")),
                     WxFilter(copyright ? Logic::kCopyrightFilter : Logic::kPaintFilter),
                     wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (RunModal(dlg) != wxID_OK) return;
    std::string path = ToPath(dlg.GetPath());
    // The default extension goes on a name typed without one.
    const char* extension = copyright ? Logic::kCopyrightExtension : Logic::kPaintExtension;
    if (brindle::FileNamePart(path).value_or(path).find('.') == std::string::npos &&
        !brindle::FileExists(path))
        path += extension;
    if (copyright)
        logic_.BrowsedCopyright(path);
    else
        logic_.BrowsedPaintProgram(path);
    edit->ChangeValue(FromPath(copyright ? logic_.copyrightFile : logic_.paintProgram));
}

bool CPreferencesDlg::TransferDataFromWindow() {
    logic_.reload = reload_->GetValue();
    logic_.createBackup = backup_->GetValue();
    logic_.rememberWindowPosition = remember_->GetValue();
    logic_.highRes = highRes_->GetValue();
    logic_.copyrightFile = ToPath(copyright_->GetValue());
    logic_.paintProgram = ToPath(paint_->GetValue());
    logic_.Ok();
    return true;
}

CAdvancedPrefsDlg::CAdvancedPrefsDlg(wxWindow* parent, brindle::Settings& settings,
                                     brindle::DesktopIntegration& desktop, std::string programPath)
    : wxDialog(parent, wxID_ANY, brindle::AdvancedPrefsDialogLogic::kCaption),
      logic_(settings, desktop, std::move(programPath)) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* col = new wxBoxSizer(wxVERTICAL);
    software_ = Check(this, "Use software for transparent BLTs", logic_.useSWTransparentBLT,
                      "Draw transparent gauges with Brindle's own routine instead of the system's");
    software_->Enable(logic_.SWTransparentEnabled());
    halftone_ = Check(this, "Use higher quality BLT Drawing Mode", logic_.useHalftoneBLT,
                      "Smooth the bitmaps when they are drawn larger or smaller (slower)");
    associate_ = new wxButton(this, wxID_ANY, brindle::AdvancedPrefsDialogLogic::kAssociateLabel);
    associate_->SetToolTip("Open panel.cfg files from the desktop with Brindle (for you only)");
    associate_->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Associate(); });
    col->Add(software_, 0, wxALL, 4);
    col->Add(halftone_, 0, wxALL, 4);
    col->Add(associate_, 0, wxALL, 8);
    row->Add(col, 1, wxEXPAND);
    row->Add(new wxStaticBitmap(this, wxID_ANY, PreferencesPicture(FromDIP(64))), 0, wxLEFT, 10);
    top->Add(row, 0, wxEXPAND | wxALL, 10);
    top->Add(OkCancelHelp(this), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    SetSizerAndFit(top);
    PrepareDialog(this, brindle::AdvancedPrefsDialogLogic::kHelpTopic);
}

void CAdvancedPrefsDlg::Associate() {
    std::optional<brindle::AssociationResult> r = logic_.Associate();
    if (!r) return;  // done already in this run
    if (r->ok) {
        wxMessageDialog box(this, FromMessageText(r->message), "Brindle", wxOK | wxICON_INFORMATION);
        RunModal(box);
    } else {
        brindle::ShowWarning(r->message);
    }
}

bool CAdvancedPrefsDlg::TransferDataFromWindow() {
    logic_.useSWTransparentBLT = software_->GetValue();
    logic_.useHalftoneBLT = halftone_->GetValue();
    logic_.Ok();
    return true;
}

CGaugeDrawPrefsDlg::CGaugeDrawPrefsDlg(wxWindow* parent, brindle::Settings& settings)
    : wxDialog(parent, wxID_ANY, brindle::GaugeDrawPrefsDialogLogic::kCaption), logic_(settings) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* group = new wxStaticBoxSizer(wxVERTICAL, this, brindle::GaugeDrawPrefsDialogLogic::kGroup);
    wxWindow* g = group->GetStaticBox();
    static_ = Check(g, "Static Bitmap Images", logic_.staticImages, "The gauges' fixed pictures");
    icons_ = Check(g, "Icons", logic_.icons, "Pictures that a gauge shows or hides");
    sliders_ = Check(g, "Sliders", logic_.sliders, "Pictures that move along a line");
    auto* grid = new wxFlexGridSizer(2, wxSize(16, 4));
    grid->Add(static_);
    grid->Add(Check(g, "Sprites", false, "Not drawn: they are turned by the simulator"));
    grid->Add(icons_);
    grid->Add(Check(g, "Needles", false, "Not drawn: they are turned by the simulator"));
    grid->Add(sliders_);
    grid->Add(Check(g, "Moving Images", false, "Not drawn: they are moved by the simulator"));
    for (wxWindow* child : g->GetChildren())
        if (child != static_ && child != icons_ && child != sliders_)
            child->Enable(brindle::GaugeDrawPrefsDialogLogic::kOthersEnabled);
    group->Add(grid, 0, wxALL, 6);
    auto* defaults = new wxButton(g, wxID_ANY, "Defaults");
    defaults->SetToolTip("Static images, icons and sliders");
    defaults->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Defaults(); });
    group->Add(defaults, 0, wxALL, 6);
    row->Add(group, 1, wxEXPAND);
    row->Add(new wxStaticBitmap(this, wxID_ANY, PreferencesPicture(FromDIP(64))), 0, wxLEFT, 10);
    top->Add(row, 0, wxEXPAND | wxALL, 10);
    top->Add(OkCancelHelp(this), 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 6);
    SetSizerAndFit(top);
    PrepareDialog(this, brindle::GaugeDrawPrefsDialogLogic::kHelpTopic);
}

void CGaugeDrawPrefsDlg::Defaults() {
    logic_.Defaults();
    static_->SetValue(logic_.staticImages);
    icons_->SetValue(logic_.icons);
    sliders_->SetValue(logic_.sliders);
}

bool CGaugeDrawPrefsDlg::TransferDataFromWindow() {
    logic_.staticImages = static_->GetValue();
    logic_.icons = icons_->GetValue();
    logic_.sliders = sliders_->GetValue();
    logic_.Ok();
    return true;
}

namespace {

class NoDesktop : public brindle::DesktopIntegration {
  public:
    brindle::AssociationResult RegisterPanelFileType(const std::string&) override {
        return {false, "Brindle can't set file associations on this system."};
    }
};

brindle::DesktopIntegration& Desktop() {
    static std::unique_ptr<brindle::DesktopIntegration> desktop;
    if (!desktop) {
        if (brindle::SystemAccess* system = AppSystem())
            desktop = brindle::MakeDefaultDesktopIntegration(*system);
        else
            desktop = std::make_unique<NoDesktop>();
    }
    return *desktop;
}

BRINDLE_COMMAND_HANDLER(brindle::Cmd::Preferences, [](CBrindleView& view) {
    CBrindleDoc* doc = view.Doc();
    CPreferencesDlg dlg(view.GetFrame(), doc->settings(), Desktop(),
                        ToPath(wxStandardPaths::Get().GetExecutablePath()));
    const bool ok = RunModal(dlg) == wxID_OK;
    // The gauge drawing options are stored by their own OK, even when these preferences are cancelled.
    doc->Doc().AfterPreferences(ok && dlg.Logic().HighResChanged(), true);
    if (ok) SaveSettingsNow();
    doc->Changed();
});

}  // namespace
