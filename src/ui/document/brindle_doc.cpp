#include "ui/document/brindle_doc.h"

#include <wx/app.h>
#include <wx/filedlg.h>
#include <wx/frame.h>

#include "platform/paths.h"
#include "platform/system.h"
#include "ui/app/brindle_app.h"
#include "ui/app/dialog_show.h"
#include "ui/app/text.h"
#include "ui/document/open_window_dialog.h"

wxIMPLEMENT_DYNAMIC_CLASS(CBrindleDoc, wxDocument);

wxString CBrindleDoc::startFile_;
bool CBrindleDoc::startedUp_ = false;

CBrindleDoc::CBrindleDoc()
    : view_(brindle::GlobalSettings()),
      editing_(view_),
      sync_(view_, &editing_, [this](int done, int total, const std::string& ref) {
          if (progress_) progress_(done, total, ref);
      }) {
    doc_ = std::make_unique<brindle::PanelDocument>(brindle::GlobalSettings(), sync_, *this);
    if (auto* app = dynamic_cast<CBrindleApp*>(wxTheApp); app && app->System()) {
        editor_ = std::make_unique<brindle::SystemTextEditor>(*app->System());
        doc_->SetTextEditor(editor_.get());
    }
}

CBrindleDoc::~CBrindleDoc() = default;

wxWindow* CBrindleDoc::DialogParent() const {
    return wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
}

bool CBrindleDoc::OnNewDocument() {
    // The first document of the run reopens the last panel (or the file the program was given);
    // there are no later "new" documents: File > New works inside this one.
    if (!startedUp_) {
        startedUp_ = true;
        if (!startFile_.empty()) {
            OpenFile(ToPath(startFile_));
        } else {
            doc_->StartUp();
            // The start zoom replaced the fitted one: the scrolled size follows it.
            view_.Geometry().ApplyScrollSizes();
        }
    }
    SetTitle("Brindle");
    Changed();
    return true;
}

bool CBrindleDoc::OnSaveModified() {
    return doc_->SaveModified();
}

bool CBrindleDoc::IsModified() const {
    return doc_->Modified();
}

void CBrindleDoc::Modify(bool modified) {
    doc_->SetModified(modified);
    wxDocument::Modify(modified);
}

bool CBrindleDoc::OnCloseDocument() {
    // The program ends: the view's records go before the panel they point into.
    sync_.ClearView();
    return true;
}

bool CBrindleDoc::OpenFile(const std::string& path) {
    const bool opened = doc_->OpenNamed(path);
    if (opened) AddToRecentFiles(path);
    Changed();
    return opened;
}

void CBrindleDoc::Changed() {
    UpdateAllViews();
}

std::optional<int> CBrindleDoc::ChooseWindow(const brindle::Panel& panel, const std::string& panelFolder) {
    std::string path = settings().CurrentFile();
    if (path.empty()) path = brindle::JoinPath(panelFolder, "panel.cfg");
    COpenWindowDlg dlg(DialogParent(), panel, path);
    if (ShowDialog(dlg) != wxID_OK || dlg.Choice() < 0) return std::nullopt;
    return dlg.Choice();
}

std::optional<std::string> CBrindleDoc::ChooseNewPanelFile(const std::string& folder) {
    wxFileDialog dlg(DialogParent(), brindle::kNewPanelDialogTitle, FromPath(folder),
                     brindle::kPanelDefaultName, "Config Files (*.cfg)|*.cfg|All Files (*.*)|*", wxFD_SAVE);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    std::string path = ToPath(dlg.GetPath());
    if (brindle::FileNamePart(path).value_or("").find('.') == std::string::npos)
        path += brindle::kPanelDefaultExtension;
    return path;
}

std::optional<std::string> CBrindleDoc::ChooseFileToOpen(const std::string& folder) {
    wxFileDialog dlg(DialogParent(), brindle::kOpenPanelDialogTitle, FromPath(folder), "",
                     "Config Files (*.cfg)|*.cfg;*.CFG|All Files (*.*)|*", wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    return ToPath(dlg.GetPath());
}

std::optional<std::string> CBrindleDoc::ChooseBitmap(const std::string& folder) {
    wxFileDialog dlg(DialogParent(), "Select a Bitmap", FromPath(folder), "",
                     "Bitmap Files (*.bmp)|*.bmp;*.BMP|All Files (*.*)|*", wxFD_OPEN | wxFD_FILE_MUST_EXIST);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    return ToPath(dlg.GetPath());
}

bool CBrindleDoc::RunOpenAircraft(brindle::OpenAircraftChooser&) {
    // The Open Aircraft dialog is not part of the shell yet; its command is disabled.
    return false;
}

void CBrindleDoc::AddToRecentFiles(const std::string& path) {
    if (wxDocManager* m = GetDocumentManager()) m->AddFileToHistory(FromPath(path));
}
