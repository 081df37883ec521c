// The bitmap chooser's preview, the folder chooser and the hover button as the window shows them.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/dirctrl.h>
#include <wx/frame.h>
#include <wx/tooltip.h>

#include <filesystem>

#include "../../core/dialogs/bmp_fixture.h"
#include "ui/app/text.h"
#include "ui/dialogs/bmp_dialog.h"
#include "ui/dialogs/folder_dialog.h"
#include "ui/dialogs/hover_button.h"

namespace fs = std::filesystem;

namespace {

fs::path TempFolder(const char* name) {
    fs::path dir = fs::path(::testing::TempDir()) / name;
    fs::remove_all(dir);
    fs::create_directories(dir / "Sub Folder");
    return dir;
}

TEST(BmpPreviewPanel, ShowsTheLinesOfTheHighlightedBitmap) {
    fs::path dir = TempFolder("brindle_ui_preview");
    std::vector<std::uint8_t> bytes = brindle::test::MakeBmp(64, 32, 4);
    bytes.resize(1500);
    brindle::test::WriteBytes(dir / "a.bmp", bytes);
    wxFrame frame(nullptr, wxID_ANY, "preview");
    auto* panel = new CBmpPreviewPanel(&frame);
    panel->ShowFile((dir / "a.bmp").string());
    EXPECT_EQ(panel->LineText(0), "Width: 64 pixels");
    EXPECT_EQ(panel->LineText(1), "Height: 32 pixels");
    EXPECT_EQ(panel->LineText(2), "4 Bit Color");
    EXPECT_EQ(panel->LineText(3), "Size: 1 Kb");
    panel->ShowFile((dir / "Sub Folder").string());  // a folder highlighted: nothing to show
    EXPECT_EQ(panel->LineText(0), "");
    EXPECT_FALSE(panel->Preview().Picture().has_value());
    fs::remove_all(dir);
}

TEST(BmpDialog, OpensInTheFolderWithTitleAndFilter) {
    fs::path dir = TempFolder("brindle_ui_bmpdialog");
    CBmpDialog dlg(nullptr, dir.string());
    EXPECT_EQ(dlg.GetMessage(), "Select a Background Bitmap");
    EXPECT_EQ(ToPath(dlg.GetDirectory()), dir.string());
    EXPECT_TRUE(dlg.GetWildcard().StartsWith("Bitmaps (*.bmp)|"));
    fs::remove_all(dir);
}

TEST(FolderDialog, SelectGivesTheFolderNavigatedIntoOrTheInitialOne) {
    fs::path dir = TempFolder("brindle_ui_folder");
    {
        CFolderDialog dlg(nullptr, dir.string(), "Choose the FS98 Folder");
        EXPECT_EQ(dlg.GetTitle(), "Choose the FS98 Folder");
        auto* select = wxDynamicCast(dlg.FindWindow(wxID_OK), wxButton);
        ASSERT_NE(select, nullptr);
        EXPECT_EQ(select->GetLabel(), "Select");
        EXPECT_EQ(dlg.GetDefaultItem(), select);
        wxCommandEvent press(wxEVT_BUTTON, wxID_OK);
        press.SetEventObject(select);
        select->ProcessWindowEvent(press);
        EXPECT_EQ(dlg.Folder(), dir.string());
    }
    {
        CFolderDialog dlg(nullptr, dir.string(), "Choose");
        // Another letter case and a backslash still find the folder.
        std::string typed = dir.string() + "\\sub folder";
        dlg.GoTo(typed);
        wxCommandEvent press(wxEVT_BUTTON, wxID_OK);
        dlg.FindWindow(wxID_OK)->ProcessWindowEvent(press);
        EXPECT_EQ(dlg.Folder(), (dir / "Sub Folder").string());
    }
    fs::remove_all(dir);
}

TEST(HoverButton, PicturesFollowTheMouseAndAClickSendsTheEvent) {
    wxFrame frame(nullptr, wxID_ANY, "hover");
    auto* b = new CHoverButton(&frame, 1234, wxPoint(7, 9));
    wxImage strip(92, 20);
    ASSERT_TRUE(b->LoadBitmap(strip));
    EXPECT_EQ(b->GetSize(), wxSize(30, 20));
    EXPECT_EQ(b->GetPosition(), wxPoint(7, 9));
    int clicks = 0;
    frame.Bind(wxEVT_BUTTON, [&](wxCommandEvent& e) { clicks += e.GetId() == 1234; });
    auto mouse = [&](wxEventType type, int x) {
        wxMouseEvent e(type);
        e.SetPosition(wxPoint(x, 5));
        e.SetEventObject(b);
        b->ProcessWindowEvent(e);
    };
    EXPECT_EQ(b->ShownPictureX(), 0);
    mouse(wxEVT_ENTER_WINDOW, 5);
    EXPECT_EQ(b->ShownPictureX(), 60);
    mouse(wxEVT_LEFT_DOWN, 5);
    EXPECT_EQ(b->ShownPictureX(), 30);  // pressed while hovering shows the pressed picture
    mouse(wxEVT_LEFT_UP, 5);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(b->ShownPictureX(), 60);
    mouse(wxEVT_LEFT_DOWN, 5);
    mouse(wxEVT_LEFT_UP, 50);  // released off the button: no click
    EXPECT_EQ(clicks, 1);
    mouse(wxEVT_LEAVE_WINDOW, 50);
    EXPECT_EQ(b->ShownPictureX(), 0);
    EXPECT_FALSE(b->LoadBitmap(wxImage()));
    b->SetToolTipText("Tip");
    ASSERT_NE(b->GetToolTip(), nullptr);
    EXPECT_EQ(b->GetToolTip()->GetTip(), "Tip");
    b->SetToolTipText("");  // does nothing
    EXPECT_EQ(b->GetToolTip()->GetTip(), "Tip");
}

}  // namespace
