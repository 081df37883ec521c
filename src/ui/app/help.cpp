#include "ui/app/help.h"

#include <wx/msgdlg.h>
#include <wx/string.h>

void ShowHelpTopic(wxWindow* parent, int topic) {
    // The help file is not written yet.
    wxMessageBox(wxString::Format("Help topic %d is not written yet.", topic), "Brindle",
                 wxOK | wxICON_INFORMATION, parent);
}
