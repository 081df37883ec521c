// The Fixed Windows, window position and colour palette dialogs and the capture writer, driven
// through their controls on a copy of the demo panel.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/settings.h>
#include <wx/slider.h>
#include <wx/textctrl.h>
#include <wx/tglbtn.h>

#include <chrono>
#include <filesystem>

#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "ui/dialogs/color_palette_dialog.h"
#include "ui/dialogs/screen_capture.h"
#include "ui/panel/fixed_windows_dialog.h"
#include "ui/view/window_position_dialog.h"
#include "view/bitmap.h"

namespace fs = std::filesystem;
using E = brindle::WindowPositionEditor;

namespace {

class ViewAndPaletteDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::path(::testing::TempDir()) /
            ("brindle_wdlg_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(dir_);
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", dir_ / "FS2000", fs::copy_options::recursive);
        folder_ = (dir_ / "FS2000/Aircraft/Demo/Panel").string();
        path_ = folder_ + "/panel.cfg";
        ASSERT_TRUE(brindle::ReadPanelFile(path_, brindle::PanelReadOptions{}, panel_));
        settings_.SetCurrentFile(path_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    fs::path dir_;
    std::string folder_, path_;
    brindle::Panel panel_;
    brindle::Settings settings_;
    brindle::RecordingMessageUi ui_;
    brindle::ScopedMessageUi scope_{ui_};
};

TEST_F(ViewAndPaletteDialogs, FixedWindowsGivesTheRearViewABitmapAndCancelTakesItBack) {
    const brindle::Panel before = panel_;
    std::string chosen = folder_ + "/panel_radio.bmp";
    CFixedWindowsDlg dlg(nullptr, panel_, folder_,
                         [&](wxWindow*, const std::string&) { return std::optional<std::string>(chosen); });
    EXPECT_EQ(dlg.GetTitle(), "Brindle - Fixed Windows");
    EXPECT_FALSE(dlg.ViewButton(0)->IsEnabled());
    EXPECT_EQ(dlg.ViewButton(4)->GetLabel(), "Rr");

    dlg.PressChange();
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"Please Select a View"});
    // Typing into Ident with no view selected clears the field.
    dlg.IdentField()->SetValue("5");
    EXPECT_EQ(dlg.IdentField()->GetValue(), "");

    dlg.PressView(4);
    EXPECT_FALSE(dlg.IdentField()->IsEnabled());
    dlg.PressChange();
    EXPECT_EQ(dlg.GetTitle(), "Brindle - Fixed Windows - Rear View");
    EXPECT_TRUE(dlg.IdentField()->IsEnabled());
    EXPECT_TRUE(dlg.FileLine().EndsWith("panel_radio.bmp"));
    ASSERT_EQ(panel_.windowCount, 3);
    EXPECT_EQ(panel_.windows[2].title, "Rear View");
    EXPECT_TRUE(dlg.Changed());
    dlg.PreviewArea()->Update();

    wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
    dlg.ProcessWindowEvent(cancel);
    EXPECT_EQ(panel_, before);
}

TEST_F(ViewAndPaletteDialogs, PositionFollowsTheControls) {
    CWindowPositionDlg dlg(nullptr, panel_, 1, settings_);
    EXPECT_EQ(dlg.GetTitle(), "Brindle - Adjust Default Window Position");
    EXPECT_TRUE(dlg.ModelRadio(brindle::PlacementModel::kFs98)->GetValue());
    EXPECT_FALSE(dlg.Edit(E::kPosX)->IsEnabled());
    dlg.PressPosition(0);
    EXPECT_TRUE(dlg.PositionButton(0)->GetValue());
    EXPECT_FALSE(dlg.PositionButton(8)->GetValue());
    EXPECT_EQ(dlg.Editor().PlacedRect(400, 300).left, 0);

    dlg.ChooseModel(brindle::PlacementModel::kFs2000);
    EXPECT_TRUE(dlg.Edit(E::kPosX)->IsEnabled());
    EXPECT_FALSE(dlg.PositionButton(0)->IsEnabled());
    dlg.Edit(E::kPosX)->SetValue("-0.5");
    dlg.Edit(E::kSizeW)->SetValue("1.5");
    EXPECT_FALSE(dlg.EnterValues());
    EXPECT_EQ(ui_.entries.size(), 1u);
    EXPECT_EQ(dlg.Edit(E::kPosX)->GetValue(), "0.0");
    EXPECT_EQ(dlg.Edit(E::kSizeW)->GetForegroundColour(), *wxRED);
    dlg.Edit(E::kPosX)->SetValue("0.25");
    EXPECT_TRUE(dlg.EnterValues());
    EXPECT_EQ(dlg.Editor().PlacedRect(400, 300).left, 100);

    dlg.MoveSlider(E::kViewSizeX, 2000);
    dlg.MoveSlider(E::kViewX, 3000);
    EXPECT_EQ(dlg.ViewSlider(E::kViewX)->GetValue(), 2000);
    dlg.PreviewArea()->Update();

    // OK checks a value typed without Enter and stays open when it is refused.
    dlg.Edit(E::kPosY)->SetValue("abc");
    wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
    dlg.ProcessWindowEvent(ok);
    EXPECT_EQ(ui_.entries.size(), 2u);
    EXPECT_FALSE(panel_.windows[1].windowPosPresent && panel_.windows[1].windowPos.x == 0.25);
    dlg.ProcessWindowEvent(ok);
    EXPECT_TRUE(panel_.windows[1].windowPosPresent);
    EXPECT_DOUBLE_EQ(panel_.windows[1].windowPos.x, 0.25);
    EXPECT_EQ(panel_.defaultView.sizeX, 2000);
}

TEST_F(ViewAndPaletteDialogs, PaletteReCalculatedFromTheDemoBitmap) {
    CColorPaletteDlg dlg(nullptr, panel_, folder_ + "/panel_main.bmp", [](wxWindow*, brindle::ColorEntry) {
        return brindle::ColorEntry::FromRgb(1, 2, 3);
    });
    EXPECT_EQ(dlg.GetTitle(), "Brindle - Create Color Palette");
    EXPECT_EQ(dlg.List()->GetCount(), 0u);
    EXPECT_FALSE(dlg.DeleteButton()->IsEnabled());
    dlg.PressReCalculate();
    ASSERT_GT(dlg.List()->GetCount(), 0u);
    EXPECT_TRUE(dlg.List()->GetString(0).StartsWith("Color00="));

    dlg.SelectLine(0);
    EXPECT_TRUE(dlg.DeleteButton()->IsEnabled());
    dlg.Component(0)->SetValue("abc");
    EXPECT_TRUE(dlg.ApplyButton()->IsEnabled());
    dlg.PressApply();
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"The value for RED is not valid!"});
    dlg.Component(0)->SetValue("7");
    dlg.PressApply();
    EXPECT_EQ(dlg.List()->GetString(0).BeforeFirst(','), "Color00=7");
    const unsigned count = dlg.List()->GetCount();
    dlg.PressNewColor();
    EXPECT_EQ(dlg.List()->GetCount(), count + 1);
    EXPECT_EQ(dlg.List()->GetSelection(), static_cast<int>(count));

    dlg.WriteBack(panel_);
    EXPECT_EQ(panel_.colorCount, static_cast<int>(count + 1));
    EXPECT_EQ(panel_.colors[0].red(), 7);
}

TEST_F(ViewAndPaletteDialogs, CaptureWritesAndReportsAMissingFolder) {
    brindle::Image picture(33, 17, brindle::MakePixel(1, 2, 3));
    std::string shot = (dir_ / "shot.bmp").string();
    ASSERT_TRUE(WriteScreenCapture(picture, shot));
    std::optional<brindle::Image> back = brindle::LoadBmpImage(shot);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, picture);
    EXPECT_FALSE(WriteScreenCapture(picture, (dir_ / "missing" / "shot.bmp").string()));
    ASSERT_EQ(ui_.entries.size(), 1u);
    EXPECT_EQ(ui_.entries[0].text.rfind("Can't open selected file: ", 0), 0u);
}

}  // namespace
