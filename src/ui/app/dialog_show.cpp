#include "ui/app/dialog_show.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/toplevel.h>
#include <wx/utils.h>

#include <chrono>

namespace {

// How long a dialog waits for the window manager to place and activate a main window that was
// just shown (at start-up, when a panel given on the command line asks which window to show).
constexpr auto kPlacementWait = std::chrono::milliseconds(500);
// The window manager's last word on the main window's place may come just after its activation.
constexpr auto kSettleTime = std::chrono::milliseconds(60);

void YieldFor(std::chrono::milliseconds time, wxTopLevelWindow* untilActive) {
    const auto until = std::chrono::steady_clock::now() + time;
    while (std::chrono::steady_clock::now() < until) {
        if (untilActive && untilActive->IsActive()) return;
        wxTheApp->Yield(true);
        wxMilliSleep(10);
    }
}

}  // namespace

int ShowDialog(wxDialog& dlg) {
    auto* parent = dynamic_cast<wxTopLevelWindow*>(wxGetTopLevelParent(dlg.GetParent()));
    if (parent && parent->IsShown() && !parent->IsActive()) {
        YieldFor(kPlacementWait, parent);
        YieldFor(kSettleTime, nullptr);
    }
    dlg.CentreOnParent();
    // Once the dialog is up the main window's place is surely known: centre again and raise.
    dlg.CallAfter([&dlg] {
        dlg.CentreOnParent();
        dlg.Raise();
    });
    return dlg.ShowModal();
}
