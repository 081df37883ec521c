// Numbers as a user types them into a dialog's fields, and the bitmap-into-the-panel-folder rules
// the window dialogs share.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace brindle {

// A whole number of digits only (spaces around it allowed); nullopt for anything else, a sign
// included, or a value beyond 999,999,999.
std::optional<long> ParseFieldUnsigned(std::string_view text);
// A decimal real ("0.5", ".25", "1", "1e-2"; spaces around it allowed); nullopt for anything else.
std::optional<double> ParseFieldReal(std::string_view text);

// True when the two folders are the same folder, letter case and separators aside.
bool SameFolder(const std::string& a, const std::string& b);

// The folder of `path` (before its last separator, either kind); empty when there is none.
std::string FolderOf(const std::string& path);
// The text after the last separator (either kind).
std::string NameOf(const std::string& path);

inline constexpr const char* kAskCopyIntoPanelFolder =
    "The new bitmap must be in your panel directory to continue.\nCopy it there now?";
inline constexpr const char* kCopyBitmapError = "Error copying bitmap file";

// A bitmap chosen for a window, as its full path: the name alone when it already lies in
// `panelFolder`; else, after a Yes to the copy question, copied there (replacing a file of that
// name) and its name. nullopt for No, a failed copy (with the error box) or a path without a folder.
std::optional<std::string> BitmapIntoPanelFolder(const std::string& chosen, const std::string& panelFolder);

}  // namespace brindle
