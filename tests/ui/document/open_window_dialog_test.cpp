#include "ui/document/open_window_dialog.h"

#include <gtest/gtest.h>
#include <wx/listbox.h>

#include <filesystem>

#include "view/bitmap.h"

namespace fs = std::filesystem;

TEST(OpenWindowDialog, ListsWindowsAndReadsTheChosenBitmap) {
    fs::path dir = fs::temp_directory_path() / "brindle-openwindow";
    fs::create_directories(dir);
    brindle::Image img(40, 20, brindle::MakePixel(10, 200, 30));
    ASSERT_TRUE(brindle::WriteBmp24((dir / "main.bmp").string(), img));

    brindle::Panel panel = brindle::EmptyPanel();
    brindle::PanelWindow a, b;
    a.title = "Main Panel";
    a.file = "MAIN.BMP";  // the disk has main.bmp
    b.title = "GPS";
    brindle::InsertWindow(panel, a);
    brindle::InsertWindow(panel, b);

    COpenWindowDlg dlg(nullptr, panel, (dir / "panel.cfg").string());
    ASSERT_EQ(dlg.List()->GetCount(), 2u);
    EXPECT_EQ(dlg.List()->GetString(0), "Window00    Main Panel");
    EXPECT_EQ(dlg.List()->GetString(1), "Window01    GPS");
    EXPECT_EQ(dlg.Choice(), -1);
    dlg.Select(0);
    EXPECT_EQ(dlg.Choice(), 0);
    dlg.Select(1);
    EXPECT_EQ(dlg.Choice(), 1);
    fs::remove_all(dir);
}
