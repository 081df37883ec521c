// A folder chooser: the folders of the disk as a tree, titled as the caller says, "Select" takes the
// folder the user is in.
#pragma once

#include <wx/dialog.h>

#include <functional>
#include <optional>
#include <string>

class wxGenericDirCtrl;

class CFolderDialog : public wxDialog {
  public:
    CFolderDialog(wxWindow* parent, const std::string& initialFolder, const wxString& title);

    // The chosen folder, after OK.
    const std::string& Folder() const { return folder_; }
    // Goes to `folder` as if the user had clicked through the tree.
    void GoTo(const std::string& folder);
    wxGenericDirCtrl* Tree() const { return tree_; }

  private:
    void OnSelect(wxCommandEvent& event);

    std::string initial_;
    std::string folder_;
    wxGenericDirCtrl* tree_ = nullptr;
};

// The folder chooser as the dialogs run it: the chosen folder, or nullopt on Cancel. Tests put
// their own chooser in place with SetFolderChooser (an empty function restores CFolderDialog).
using FolderChooser = std::function<std::optional<std::string>(
    wxWindow* parent, const std::string& initialFolder, const wxString& title)>;
std::optional<std::string> ChooseFolder(wxWindow* parent, const std::string& initialFolder,
                                        const wxString& title);
void SetFolderChooser(FolderChooser chooser);
