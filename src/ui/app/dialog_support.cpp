#include "ui/app/dialog_support.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/tooltip.h>

void UseProgramIcon(wxTopLevelWindow* dialog, wxWindow* parent) {
    wxWindow* top = parent ? wxGetTopLevelParent(parent) : wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if (auto* tlw = dynamic_cast<wxTopLevelWindow*>(top);
        tlw && tlw != dialog && tlw->GetIcons().GetIconCount() > 0)
        dialog->SetIcons(tlw->GetIcons());
}

void UseDialogToolTipTimes() {
    wxToolTip::SetDelay(100);
    wxToolTip::SetAutoPop(5000);
}

void FinishDialog(wxDialog* dialog, int code) {
    if (dialog->IsModal())
        dialog->EndModal(code);
    else
        dialog->SetReturnCode(code);
}
