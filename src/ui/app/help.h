// The help topics of the dialogs' "Help..." buttons and F1.
#pragma once

class wxWindow;

void ShowHelpTopic(wxWindow* parent, int topic);
