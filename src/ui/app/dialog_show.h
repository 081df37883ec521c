// How every dialog of the editor is shown: centred on, and in front of, the main window.
#pragma once

class wxDialog;

// Shows `dlg` modally, centred on its parent and raised above it, and returns its result. A main
// window shown a moment before may still be being placed by the window manager; the dialog is
// centred and raised again once the window manager has answered.
int ShowDialog(wxDialog& dlg);
