// The guide as a user reaches it: "Help..." and F1 in a dialog show the page that explains that
// dialog, over the dialog when it runs modally and beside the editor otherwise.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/frame.h>
#include <wx/html/helpdlg.h>
#include <wx/html/helpfrm.h>
#include <wx/log.h>
#include <wx/textctrl.h>
#include <wx/timer.h>
#include <wx/uiaction.h>
#include <wx/utils.h>

#include <chrono>
#include <functional>

#include "platform/messages.h"
#include "ui/app/dialog_show.h"
#include "ui/app/help.h"
#include "ui/app/message_box.h"
#include "ui/view/grid_dialog.h"

namespace {

wxHtmlHelpDialog* OpenHelpDialog() {
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* d = dynamic_cast<wxHtmlHelpDialog*>(w); d && d->IsShown()) return d;
    return nullptr;
}

// Runs `dialog` modally; once it is on screen `act` runs (the user's key or click, which must reach the
// dialog through the event loop); the page the modal guide then shows is returned, and both windows
// are closed again.
wxString PageShownFrom(wxDialog& dialog, const std::function<void(wxDialog&)>& act) {
    wxString page = "(no guide opened)";
    bool acted = false;
    const auto started = std::chrono::steady_clock::now();
    wxTimer poll;
    poll.Bind(wxEVT_TIMER, [&](wxTimerEvent&) {
        const auto waited = std::chrono::steady_clock::now() - started;
        if (!dialog.IsModal()) return;
        if (!acted) {
            if (waited < std::chrono::milliseconds(300)) return;
            acted = true;
            act(dialog);
            return;
        }
        if (wxHtmlHelpDialog* help = OpenHelpDialog(); help && help->IsModal()) {
            if (waited < std::chrono::milliseconds(800)) return;  // let it load its page
            page = ShownHelpPage();
            help->EndModal(wxID_OK);
            return;
        }
        if (waited > std::chrono::seconds(8) || page != "(no guide opened)") dialog.EndModal(wxID_CANCEL);
    });
    poll.Start(50);
    ShowDialog(dialog);
    poll.Stop();
    return page;
}

// What the toolkit logs as warnings or errors while the guide is shown: each would be a box the reader
// has to close (a picture the help window can't decode, a page it can't open).
class LogComplaints : public wxLog {
  public:
    LogComplaints() : previous_(wxLog::SetActiveTarget(this)) {}
    ~LogComplaints() override { wxLog::SetActiveTarget(previous_); }
    wxString text;

  protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&) override {
        if (level <= wxLOG_Warning) text += msg + "\n";
    }

  private:
    wxLog* previous_;
};

}  // namespace

TEST(Guide, HelpAndF1OpenTheTopicOfTheDialogTheyArePressedIn) {
    ASSERT_FALSE(GuideFolder().empty()) << "the build copies the guide beside the programs";
    brindle::RecordingMessageUi messages;
    brindle::ScopedMessageUi scope(messages);
    LogComplaints complaints;
    wxFrame main(nullptr, wxID_ANY, "Brindle", wxPoint(40, 30), wxSize(900, 700));
    main.Show();

    // A real F1 in the Grid dialog's field.
    CGridDlg grid(&main, 10);
    EXPECT_EQ(PageShownFrom(grid,
                            [](wxDialog& d) {
                                static_cast<CGridDlg&>(d).Edit()->SetFocus();
                                wxUIActionSimulator sim;
                                const wxRect r = d.GetScreenRect();
                                sim.MouseMove(r.x + r.width / 2, r.y + r.height / 2);
                                wxTheApp->Yield(true);
                                sim.Char(WXK_F1);
                            }),
              "grid.html");

    // A warning box's "Help..." explains the warnings.
    CMessageBox box(&main, "Careful", brindle::BoxKind::Warning, false);
    EXPECT_EQ(PageShownFrom(box,
                            [](wxDialog& d) {
                                // Queued, as a click is: the guide runs its own loop, which must not
                                // run inside this timer's handler.
                                auto* click = new wxCommandEvent(wxEVT_BUTTON, wxID_HELP);
                                click->SetEventObject(d.FindWindow(wxID_HELP));
                                wxQueueEvent(d.FindWindow(wxID_HELP)->GetEventHandler(), click);
                            }),
              "warnings.html");

    // Outside a modal dialog the guide opens in a window of its own and stays open.
    ShowHelpTopic(&main, 100);
    wxTheApp->Yield(true);
    EXPECT_EQ(ShownHelpPage(), "index.html");
    ShowHelpTopic(&main, 200);
    wxTheApp->Yield(true);
    EXPECT_EQ(ShownHelpPage(), "add_gauge.html");
    for (wxWindow* w : wxTopLevelWindows)
        if (auto* f = dynamic_cast<wxHtmlHelpFrame*>(w)) f->Close(true);
    wxTheApp->Yield(true);
    EXPECT_EQ(ShownHelpPage(), "");
    EXPECT_EQ(complaints.text, "") << "the pages and their pictures show without a complaint";
}
