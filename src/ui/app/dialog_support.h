// What every dialog of the editor does the same way: the program's icon, quick tool tips, centred
// in front of the main window, Enter on the default button and Escape on Cancel, "Help..." and F1
// opening the dialog's help topic; and one place where a modal dialog is run, so that tests can
// answer a dialog a command opens.
#pragma once

#include <wx/bitmap.h>
#include <wx/dialog.h>

#include <functional>

#include "app/settings.h"

// Call at the end of a dialog's constructor, after its sizer is set.
void PrepareDialog(wxDialog* dialog, int helpTopic);

// Ends `dialog` with `code`: EndModal when it runs modally, else (a test's dialog) it is hidden with
// that result.
void FinishDialog(wxDialog* dialog, int code);

// Runs `dialog` modally and returns its result; a test can answer in its place.
int RunModal(wxDialog& dialog);
using ModalHook = std::function<int(wxDialog&)>;
// Returns the previous hook; an empty hook runs dialogs for real.
ModalHook SetModalHook(ModalHook hook);

// The running program's system access, or null (in a test's application).
brindle::SystemAccess* AppSystem();
// Writes the settings to the store now, so that a choice made in a settings dialog is kept even if
// the run does not end normally.
void SaveSettingsNow();

// The pictures of the dialogs, drawn here rather than shipped as files.
wxBitmap SimModePicture(brindle::SimMode mode, const wxSize& size);
wxBitmap PreferencesPicture(int size);

#include <wx/toplevel.h>

// The program's icon on a dialog, taken from the main window.
void UseProgramIcon(wxTopLevelWindow* dialog, wxWindow* parent);
// Tool tips appear after 100 ms and stay 5000 ms.
void UseDialogToolTipTimes();
