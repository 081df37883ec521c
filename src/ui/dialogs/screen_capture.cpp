#include "ui/dialogs/screen_capture.h"

#include <wx/filedlg.h>
#include <wx/utils.h>

#include "dialogs/capture.h"
#include "ui/app/text.h"

std::optional<std::string> ChooseCaptureFile(wxWindow* parent) {
    // The filter's trailing "||" ends the list in the system's form; wx wants it without.
    wxString filter = brindle::kCaptureFilter;
    while (filter.EndsWith("|")) filter.RemoveLast();
    wxFileDialog dlg(parent, brindle::kCaptureDialogTitle, "", "", filter, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (dlg.ShowModal() != wxID_OK) return std::nullopt;
    wxString path = dlg.GetPath();
    if (!path.Lower().EndsWith(brindle::kCaptureExtension) && dlg.GetFilterIndex() == 0 &&
        path.AfterLast(wxFILE_SEP_PATH).Find('.') == wxNOT_FOUND)
        path += brindle::kCaptureExtension;
    return ToPath(path);
}

bool WriteScreenCapture(const brindle::Image& picture, const std::string& path) {
    wxBusyCursor wait;
    brindle::CaptureBitmap capture;
    capture.Capture(picture, picture.Bounds(), wxDisplayDepth());
    const bool ok = capture.WriteToFile(path);
    capture.Release();
    return ok;
}
