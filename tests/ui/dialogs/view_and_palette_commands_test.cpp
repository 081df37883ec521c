// Fixed Windows, Set Default Position, Create Color Palette and Screen Capture run from the editor's
// command table on the demo panel, each dialog answered with real keys.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/listbox.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/textctrl.h>

#include <chrono>
#include <filesystem>

#include "../app/dialog_keys.h"
#include "platform/messages.h"
#include "ui/app/main_frame.h"
#include "ui/app/startup.h"
#include "ui/dialogs/bmp_dialog.h"
#include "ui/dialogs/color_palette_dialog.h"
#include "ui/dialogs/screen_capture.h"
#include "ui/document/brindle_doc.h"
#include "ui/panel/fixed_windows_dialog.h"
#include "ui/view/brindle_view.h"
#include "ui/view/panel_canvas.h"
#include "ui/view/window_position_dialog.h"
#include "view/bitmap.h"

namespace fs = std::filesystem;
using brindle::Cmd;
using E = brindle::WindowPositionEditor;

namespace {

class WindowCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ =
            fs::path(::testing::TempDir()) /
            ("brindle_wcmd_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) +
             "_" + std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(dir_);
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", dir_ / "FS2000", fs::copy_options::recursive);
        folder_ = (dir_ / "FS2000/Aircraft/Demo/Panel").string();
        oldConfig_ = wxConfigBase::Set(new wxFileConfig(
            "Brindle", "Brindle", (dir_ / "settings.ini").string(), "", wxCONFIG_USE_LOCAL_FILE));
        brindle::Settings& s = brindle::GlobalSettings();
        s.SetMode(brindle::kModeFS2000);
        s.SetFS2000Dir((dir_ / "FS2000").string());
        s.SetReload(0);
        s.SetCurrentFile("");
        s.SetZoom(1.0);
        w_ = StartEditor("");
        ASSERT_NE(w_.view, nullptr);
        w_.frame->SetSize(900, 700);
        ASSERT_TRUE(w_.doc->Doc().OpenAtWindow(folder_ + "/panel.cfg", 0));
        w_.doc->Changed();
    }
    void TearDown() override {
        SetBitmapChooser({});
        SetCaptureFileChooser({});
        if (w_.manager) {
            w_.manager->Clear(true);
            w_.frame->Destroy();
            wxTheApp->ProcessIdle();
            delete w_.manager;
        }
        delete wxConfigBase::Set(oldConfig_);
        fs::remove_all(dir_);
    }
    brindle::Panel& Panel() { return *w_.doc->GetPanel(); }
    std::vector<wxString> WindowList() {
        std::unique_ptr<wxMenu> list(w_.view->BuildWindowMenu());
        std::vector<wxString> out;
        for (size_t i = 0; i < list->GetMenuItemCount(); ++i)
            out.push_back(list->FindItemByPosition(i)->GetItemLabelText());
        return out;
    }

    fs::path dir_;
    std::string folder_;
    wxConfigBase* oldConfig_ = nullptr;
    EditorWindows w_;
    brindle::RecordingMessageUi messages_;
    brindle::ScopedMessageUi scoped_{messages_};
};

TEST_F(WindowCommands, FixedWindowForTheRearViewAndCancel) {
    ASSERT_TRUE(w_.view->StatusOf(static_cast<int>(Cmd::FixedWindows)).enabled);
    SetBitmapChooser([&](wxWindow*, const std::string&) {
        return std::optional<std::string>(folder_ + "/panel_radio.bmp");
    });
    auto giveRearViewABitmap = [](wxDialog& d) {
        auto& dlg = dynamic_cast<CFixedWindowsDlg&>(d);
        dlg.PressView(4);
        dlg.PressChange();
        EXPECT_EQ(dlg.GetTitle(), "Brindle - Fixed Windows - Rear View");
    };
    {
        NextDialogKey escape(WXK_ESCAPE, giveRearViewABitmap);
        EXPECT_TRUE(w_.view->RunCommand(static_cast<int>(Cmd::FixedWindows)));
    }
    EXPECT_EQ(Panel().windowCount, 2);
    EXPECT_EQ(Panel().views[4].index, -1);
    EXPECT_FALSE(w_.doc->IsModified());
    EXPECT_EQ(WindowList().size(), 2u);
    {
        NextDialogKey enter(WXK_RETURN, giveRearViewABitmap);
        EXPECT_TRUE(w_.view->RunCommand(static_cast<int>(Cmd::FixedWindows)));
    }
    ASSERT_EQ(Panel().windowCount, 3);
    EXPECT_EQ(Panel().windows[2].title, "Rear View");
    EXPECT_TRUE(w_.doc->IsModified());
    ASSERT_EQ(WindowList().size(), 3u);
    EXPECT_TRUE(WindowList()[2].Contains("Rear View")) << WindowList()[2];
}

TEST_F(WindowCommands, PlaceAWindowInBothModels) {
    const size_t before = messages_.entries.size();
    auto place = [&](wxDialog& d) {
        auto& dlg = dynamic_cast<CWindowPositionDlg&>(d);
        EXPECT_TRUE(dlg.Editor().IsMainWindow());
        dlg.PressPosition(0);
        EXPECT_EQ(dlg.Editor().PlacedRect(400, 300), (brindle::PixelRect{0, 0, 400, 150}));
        dlg.ChooseModel(brindle::PlacementModel::kFs2000);
        dlg.Edit(E::kPosX)->SetValue("0.5");
        dlg.Edit(E::kSizeW)->SetValue("0.5");
        dlg.Edit(E::kSizeH)->SetValue("0.25");
        EXPECT_TRUE(dlg.EnterValues());
        EXPECT_EQ(dlg.Editor().PlacedRect(400, 300).left, 200);
        EXPECT_EQ(dlg.Editor().PlacedRect(400, 300).Width(), 200);
        dlg.PreviewArea()->Update();
    };
    {
        NextDialogKey enter(WXK_RETURN, place);
        EXPECT_TRUE(w_.view->RunCommand(static_cast<int>(Cmd::SetDefaultPosition)));
    }
    EXPECT_EQ(messages_.entries.size(), before);
    const brindle::PanelWindow& w = Panel().windows[0];
    EXPECT_TRUE(w.windowPosPresent);
    EXPECT_DOUBLE_EQ(w.windowPos.x, 0.5);
    EXPECT_EQ(w.windowSize, (brindle::RealPair{0.5, 0.25}));
    EXPECT_TRUE(w_.doc->IsModified());
    // The view's own command opens it too while the bitmap is loaded; Escape keeps the panel.
    ASSERT_TRUE(w_.view->StatusOf(static_cast<int>(Cmd::AdjustWindowPosition)).enabled);
    {
        NextDialogKey escape(WXK_ESCAPE, [](wxDialog& d) {
            dynamic_cast<CWindowPositionDlg&>(d).ChooseModel(brindle::PlacementModel::kFs98);
        });
        EXPECT_TRUE(w_.view->RunCommand(static_cast<int>(Cmd::AdjustWindowPosition)));
    }
    EXPECT_TRUE(Panel().windows[0].windowPosPresent);
}

TEST_F(WindowCommands, PaletteFromTheDemoBitmap) {
    ASSERT_EQ(Panel().colorCount, 0);
    {
        NextDialogKey enter(WXK_RETURN, [](wxDialog& d) {
            auto& dlg = dynamic_cast<CColorPaletteDlg&>(d);
            dlg.PressReCalculate();
            EXPECT_GT(dlg.List()->GetCount(), 0u);
        });
        EXPECT_TRUE(w_.view->RunCommand(static_cast<int>(Cmd::CreateColorPalette)));
    }
    EXPECT_GT(Panel().colorCount, 0);
    EXPECT_TRUE(w_.doc->IsModified());
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(WindowCommands, CaptureTheDemoWindowAndReadItBack) {
    const std::string shot = (dir_ / "capture.bmp").string();
    SetCaptureFileChooser([&](wxWindow*) { return std::optional<std::string>(shot); });
    EXPECT_TRUE(w_.view->RunCommand(static_cast<int>(Cmd::ScreenCapture)));
    std::optional<brindle::Image> back = brindle::LoadBmpImage(shot);
    ASSERT_TRUE(back);
    const wxSize client = w_.view->Canvas()->GetClientSize();
    ASSERT_EQ(back->Width(), client.x);
    ASSERT_EQ(back->Height(), client.y);
    EXPECT_EQ(*back, w_.doc->View().PaintRect({0, 0, client.x, client.y}));

    SetCaptureFileChooser(
        [&](wxWindow*) { return std::optional<std::string>((dir_ / "no" / "c.bmp").string()); });
    EXPECT_TRUE(w_.view->RunCommand(static_cast<int>(Cmd::ScreenCapture)));
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_EQ(messages_.entries[0].text.rfind("Can't open selected file: ", 0), 0u);
}

}  // namespace
