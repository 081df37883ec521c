#include "ui/app/help.h"

#include <wx/string.h>

#include "platform/messages.h"

void ShowHelpTopic(wxWindow*, int topic) {
    brindle::ShowWarning(wxString::Format("Help topic %d is not written yet.", topic).ToStdString());
}
