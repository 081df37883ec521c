#include "ui/dialogs/screen_capture.h"

#include <wx/filedlg.h>
#include <wx/utils.h>

#include "dialogs/capture.h"
#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"
#include "ui/view/panel_canvas.h"

namespace {

CaptureFileChooser& Chooser() {
    static CaptureFileChooser chooser;
    return chooser;
}

}  // namespace

void SetCaptureFileChooser(CaptureFileChooser chooser) {
    Chooser() = std::move(chooser);
}

std::optional<std::string> ChooseCaptureFile(wxWindow* parent) {
    if (Chooser()) return Chooser()(parent);
    // The filter's trailing "||" ends the list in the system's form; wx wants it without.
    wxString filter = brindle::kCaptureFilter;
    while (filter.EndsWith("|")) filter.RemoveLast();
    wxFileDialog dlg(parent, brindle::kCaptureDialogTitle, "", "", filter, wxFD_SAVE | wxFD_OVERWRITE_PROMPT);
    if (ShowDialog(dlg) != wxID_OK) return std::nullopt;
    wxString path = dlg.GetPath();
    // The default extension, when the user typed a name without one.
    if (dlg.GetFilterIndex() == 0 && path.AfterLast(wxFILE_SEP_PATH).Find('.') == wxNOT_FOUND)
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

namespace {

BRINDLE_COMMAND_HANDLER(brindle::Cmd::ScreenCapture, [](CBrindleView& v) {
    std::optional<std::string> path = ChooseCaptureFile(v.GetFrame());
    if (!path) return;
    // The view's own picture of its visible area: what covers the window on screen does not matter.
    v.Canvas()->Update();
    const wxSize client = v.Canvas()->GetClientSize();
    WriteScreenCapture(v.Doc()->View().PaintRect({0, 0, client.x, client.y}), *path);
});

}  // namespace
