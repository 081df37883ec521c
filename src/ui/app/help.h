// The user's guide: each dialog's "Help..." button and F1 open its topic, the Help menu its contents.
#pragma once

#include <wx/string.h>

class wxDialog;
class wxWindow;

// Opens help topic `topic` (a dialog's context number) in the guide. From a modal dialog the guide
// opens as a modal window over it (the dialog would otherwise keep every click from reaching it);
// elsewhere it opens beside the editor and stays open.
void ShowHelpTopic(wxWindow* parent, int topic);

// "Help..." (wxID_HELP) and F1 in `dialog` open `topic`.
void BindHelpTopic(wxDialog* dialog, int topic);

// The folder the guide is read from, or empty when it is nowhere to be found.
wxString GuideFolder();

// The page the guide window shows now (its file name), or empty when the guide is not open.
wxString ShownHelpPage();
