// The folder chooser the dialogs' "Browse..." buttons open: the chosen folder, or nullopt when the
// user cancelled. A test can answer in the chooser's place.
#pragma once

#include <wx/window.h>

#include <functional>
#include <optional>
#include <string>

std::optional<std::string> ChooseFolder(wxWindow* parent, const std::string& title, const std::string& start);

using FolderChooserHook =
    std::function<std::optional<std::string>(const std::string& title, const std::string& start)>;
// Returns the previous hook; an empty hook shows the real chooser.
FolderChooserHook SetFolderChooserHook(FolderChooserHook hook);
