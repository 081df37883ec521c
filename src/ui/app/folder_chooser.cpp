#include "ui/app/folder_chooser.h"

#include <wx/dirdlg.h>

#include "platform/paths.h"
#include "ui/app/text.h"

namespace {
FolderChooserHook& Hook() {
    static FolderChooserHook hook;
    return hook;
}
}  // namespace

std::optional<std::string> ChooseFolder(wxWindow* parent, const std::string& title,
                                        const std::string& start) {
    if (Hook()) return Hook()(title, start);
    // A start folder that is not there opens the chooser where it would anyway.
    wxDirDialog dlg(parent, FromMessageText(title), brindle::DirectoryExists(start) ? FromPath(start) : "",
                    wxDD_DEFAULT_STYLE);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    return ToPath(dlg.GetPath());
}

FolderChooserHook SetFolderChooserHook(FolderChooserHook hook) {
    FolderChooserHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}
