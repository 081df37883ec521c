// The help file's topics: each dialog's "Help..." button and F1 open its topic.
#pragma once

class wxWindow;

// Opens help topic `topic` (a dialog's context number).
void ShowHelpTopic(wxWindow* parent, int topic);
