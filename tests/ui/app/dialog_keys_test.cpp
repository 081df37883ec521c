// Every dialog as the user meets it: opened centred on the main window, Enter presses the default
// button, Escape cancels where there is a Cancel (and otherwise takes the only answer).
#include "dialog_keys.h"

#include <gtest/gtest.h>
#include <wx/frame.h>

#include <filesystem>
#include <functional>
#include <memory>

#include "panel/panel.h"
#include "platform/messages.h"
#include "ui/app/about_dialog.h"
#include "ui/app/dialog_show.h"
#include "ui/app/message_box.h"
#include "ui/document/open_window_dialog.h"
#include "ui/view/grid_dialog.h"

TEST(DialogKeys, EnterAcceptsEscapeCancelsAndEachOpensCentredOnTheMainWindow) {
    brindle::RecordingMessageUi messages;
    brindle::ScopedMessageUi scope(messages);
    wxFrame main(nullptr, wxID_ANY, "Brindle", wxPoint(40, 30), wxSize(900, 700));
    main.Show();
    brindle::Panel panel = brindle::EmptyPanel();
    brindle::PanelWindow w;
    w.title = "Main Panel";
    brindle::InsertWindow(panel, w);
    const std::string panelPath = (std::filesystem::temp_directory_path() / "panel.cfg").string();

    struct Case {
        const char* dialog;
        std::function<wxDialog*(wxWindow*)> make;
        int key;
        int result;
    };
    auto openWindow = [&](wxWindow* p) { return new COpenWindowDlg(p, panel, panelPath); };
    auto grid = [](wxWindow* p) { return new CGridDlg(p, 10); };
    auto about = [](wxWindow* p) { return new CAboutDlg(p); };
    auto box = [](wxWindow* p) { return new CMessageBox(p, "Careful", brindle::BoxKind::Warning, false); };
    const Case cases[] = {
        {"Open Window", openWindow, WXK_RETURN, wxID_OK},
        {"Open Window", openWindow, WXK_ESCAPE, wxID_OK},
        {"Grid", grid, WXK_RETURN, wxID_OK},
        {"Grid", grid, WXK_ESCAPE, wxID_CANCEL},
        {"About", about, WXK_RETURN, wxID_OK},
        {"About", about, WXK_ESCAPE, wxID_OK},
        {"Message box", box, WXK_RETURN, wxID_OK},
        {"Message box", box, WXK_ESCAPE, wxID_OK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.dialog) + (c.key == WXK_RETURN ? " Enter" : " Escape"));
        std::unique_ptr<wxDialog> dlg(c.make(&main));
        wxPoint offCentre(9999, 9999);
        NextDialogKey key(c.key, [&](wxDialog& shown) {
            offCentre = shown.GetScreenRect().GetPosition() + shown.GetSize() / 2 -
                        (main.GetScreenRect().GetPosition() + main.GetSize() / 2);
        });
        EXPECT_EQ(ShowDialog(*dlg), c.result);
        EXPECT_LE(std::abs(offCentre.x), 2);
        EXPECT_LE(std::abs(offCentre.y), 2);
    }
}
