#include "ui/dialogs/folder_dialog.h"

#include <wx/button.h>
#include <wx/dirctrl.h>
#include <wx/sizer.h>

#include "dialogs/choosers.h"
#include "platform/paths.h"
#include "ui/app/text.h"

namespace {
FolderChooser& ChooserOverride() {
    static FolderChooser chooser;
    return chooser;
}
}  // namespace

CFolderDialog::CFolderDialog(wxWindow* parent, const std::string& initialFolder, const wxString& title)
    : wxDialog(parent, wxID_ANY, title, wxDefaultPosition, wxDefaultSize,
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER),
      initial_(initialFolder) {
    auto* top = new wxBoxSizer(wxVERTICAL);
    tree_ = new wxGenericDirCtrl(this, wxID_ANY, wxDirDialogDefaultFolderStr, wxDefaultPosition,
                                 FromDIP(wxSize(460, 400)), wxDIRCTRL_DIR_ONLY | wxDIRCTRL_3D_INTERNAL);
    top->Add(tree_, 1, wxEXPAND | wxALL, 8);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    auto* select = new wxButton(this, wxID_OK, brindle::kFolderSelectButton);
    select->SetDefault();
    select->Bind(wxEVT_BUTTON, &CFolderDialog::OnSelect, this);
    buttons->Add(select, 0, wxRIGHT, 6);
    buttons->Add(new wxButton(this, wxID_CANCEL, "Cancel"), 0);
    top->Add(buttons, 0, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 8);
    SetSizerAndFit(top);
    SetEscapeId(wxID_CANCEL);
    GoTo(initialFolder);
    CentreOnParent();
}

void CFolderDialog::GoTo(const std::string& folder) {
    // A folder named with another letter case or with backslashes is still found.
    const std::string real = brindle::ResolvePath(folder);
    if (!folder.empty() && brindle::DirectoryExists(real)) tree_->SetPath(FromPath(real));
}

void CFolderDialog::OnSelect(wxCommandEvent&) {
    const wxString path = tree_->GetPath();
    std::optional<std::string> current;
    if (!path.empty() && brindle::DirectoryExists(ToPath(path))) current = ToPath(path);
    // Nothing in the tree picked (or it went away): the folder the chooser opened in.
    if (!current && brindle::DirectoryExists(initial_)) current = brindle::ResolvePath(initial_);
    folder_ = brindle::FolderChooserResult(current, initial_);
    if (IsModal())
        EndModal(wxID_OK);
    else
        SetReturnCode(wxID_OK);
}

std::optional<std::string> ChooseFolder(wxWindow* parent, const std::string& initialFolder,
                                        const wxString& title) {
    if (ChooserOverride()) return ChooserOverride()(parent, initialFolder, title);
    CFolderDialog dlg(parent, initialFolder, title);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    return dlg.Folder();
}

void SetFolderChooser(FolderChooser chooser) {
    ChooserOverride() = std::move(chooser);
}
