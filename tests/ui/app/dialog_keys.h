// Answers the next modal dialog with a real key press, as a user at the keyboard would.
#pragma once

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <functional>
#include <optional>

// What ShowModal returns when the key did not close the dialog.
inline constexpr int kNoAnswer = -2;

// The modal dialog on screen, if any.
inline wxDialog* OpenModalDialog() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal()) return d;
    return nullptr;
}

// Arranges for `key` to be pressed on the next modal dialog once it is on screen; `onScreen` runs
// first with the dialog (to look at it as shown). A dialog the key does not close is ended with
// kNoAnswer after a few seconds, so a test never waits for a person.
class NextDialogKey {
  public:
    explicit NextDialogKey(int key, std::function<void(wxDialog&)> onScreen = {})
        : key_(key), onScreen_(std::move(onScreen)), started_(std::chrono::steady_clock::now()) {
        // Polled, so that it fires in whichever loop the dialog runs.
        poll_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Poll(); });
        poll_.Start(50);
    }
    ~NextDialogKey() { poll_.Stop(); }

  private:
    void Poll() {
        wxDialog* dlg = OpenModalDialog();
        const auto waited = std::chrono::steady_clock::now() - started_;
        if (!dlg) return;
        if (pressed_) {
            // The key did not close it: end it, so that a test never waits for a person.
            if (waited > std::chrono::seconds(pressedAt_ + 3)) dlg->EndModal(kNoAnswer);
            return;
        }
        // Let it be drawn and placed first.
        if (!seenAt_) seenAt_ = waited;
        if (waited - *seenAt_ < std::chrono::milliseconds(300)) return;
        pressed_ = true;
        pressedAt_ = std::chrono::duration_cast<std::chrono::seconds>(waited).count();
        if (onScreen_) onScreen_(*dlg);
        // The keys go where an activated dialog puts them: its first control that takes focus.
        for (wxWindow* child : dlg->GetChildren())
            if (child->IsShown() && child->IsEnabled() && child->AcceptsFocus()) {
                child->SetFocus();
                break;
            }
        // A display without a window manager gives the keys to the window under the pointer.
        wxUIActionSimulator sim;
        const wxRect r = dlg->GetScreenRect();
        sim.MouseMove(r.x + r.width / 2, r.y + r.height - 4);
        wxTheApp->Yield(true);
        wxMilliSleep(50);
        sim.Char(key_);
    }

    int key_;
    std::function<void(wxDialog&)> onScreen_;
    std::chrono::steady_clock::time_point started_;
    std::optional<std::chrono::steady_clock::duration> seenAt_;
    bool pressed_ = false;
    long long pressedAt_ = 0;
    wxTimer poll_;
};
