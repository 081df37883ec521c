// Small things every dialog of the editor does the same way.
#pragma once

#include <wx/toplevel.h>

class wxWindow;

// The program's icon on a dialog, taken from the main window.
void UseProgramIcon(wxTopLevelWindow* dialog, wxWindow* parent);
// Tool tips appear after 100 ms and stay 5000 ms.
void UseDialogToolTipTimes();

class wxDialog;
// Ends a modal dialog with `code`; a dialog shown without ShowModal (the tests) just keeps the code.
void FinishDialog(wxDialog* dialog, int code);
