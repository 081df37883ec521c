#pragma once

class wxWindow;

// Opens the help at `topic` (each dialog's "Help..." button and F1).
void ShowHelpTopic(wxWindow* parent, int topic);
