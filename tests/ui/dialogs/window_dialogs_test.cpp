// New Window and Window Properties in the editor on a copy of the demo panel: the commands open
// the dialogs, the fields are filled as a user fills them, Enter accepts, and the saved file shows it.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/radiobut.h>
#include <wx/textctrl.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "../../core/dialogs/bmp_fixture.h"
#include "app/commands.h"
#include "../app/dialog_keys.h"
#include "dialogs/field_text.h"
#include "dialogs/window_properties.h"
#include "platform/messages.h"
#include "ui/app/main_frame.h"
#include "ui/app/startup.h"
#include "ui/dialogs/bmp_dialog.h"
#include "ui/dialogs/new_window_dialog.h"
#include "ui/dialogs/window_properties_dialog.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

namespace fs = std::filesystem;
using brindle::Answer;
using brindle::Cmd;

namespace {

class WindowDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("brindle_windlg_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "elsewhere");
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", dir_ / "FS2000", fs::copy_options::recursive);
        panelDir_ = dir_ / "FS2000" / "Aircraft" / "Demo" / "Panel";
        panel_ = (panelDir_ / "panel.cfg").string();
        brindle::test::WriteBytes(dir_ / "elsewhere" / "stack.bmp", brindle::test::MakeBmp(320, 160, 8));
        oldConfig_ = wxConfigBase::Set(new wxFileConfig(
            "Brindle", "Brindle", (dir_ / "settings.ini").string(), "", wxCONFIG_USE_LOCAL_FILE));
        brindle::Settings& s = brindle::GlobalSettings();
        s.SetMode(brindle::kModeFS2000);
        s.SetFS2000Dir((dir_ / "FS2000").string());
        s.SetReload(0);
        s.SetCurrentFile("");
        s.SetCreateBackup(0);
        w_ = StartEditor("");
        ASSERT_NE(w_.doc, nullptr);
        w_.frame->SetSize(900, 700);
        ASSERT_TRUE(w_.doc->Doc().OpenAtWindow(panel_, 0));
        w_.doc->Changed();
    }
    void TearDown() override {
        SetBitmapChooser({});
        brindle::GlobalSettings().SetMode(brindle::kModeFS2000);
        brindle::GlobalSettings().SetCreateBackup(1);
        if (w_.manager) {
            w_.manager->Clear(true);
            w_.frame->Destroy();
            wxTheApp->ProcessIdle();
            delete w_.manager;
        }
        delete wxConfigBase::Set(oldConfig_);
        fs::remove_all(dir_);
    }
    static std::string Read(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    std::string SavedSection(const std::string& name) {
        EXPECT_TRUE(w_.doc->Doc().Save());
        const std::string text = Read(panel_);
        std::size_t at = text.find("[" + name + "]");
        if (at == std::string::npos) return {};
        return text.substr(at, text.find("\n[", at + 1) - at);
    }
    // Runs `cmd`; `fill` types into its dialog once it is on screen, then Enter is pressed.
    template <class Dlg>
    void RunWithDialog(Cmd cmd, std::function<void(Dlg&)> fill) {
        bool seen = false;
        NextDialogKey key(WXK_RETURN, [&](wxDialog& d) {
            auto* dlg = dynamic_cast<Dlg*>(&d);
            ASSERT_NE(dlg, nullptr);
            seen = true;
            fill(*dlg);
        });
        EXPECT_TRUE(w_.view->RunCommand(static_cast<int>(cmd)));
        EXPECT_TRUE(seen);
    }
    static void Type(wxTextCtrl* edit, const wxString& text) {
        edit->SetFocus();
        edit->SelectAll();
        edit->WriteText(text);
    }
    static wxWindow* Labelled(wxWindow& dlg, const char* label) {
        wxWindow* w = wxWindow::FindWindowByLabel(label, &dlg);
        EXPECT_NE(w, nullptr) << label;
        return w;
    }
    static void Click(wxWindow* button) {
        if (!button) return;
        wxCommandEvent e(wxEVT_BUTTON, button->GetId());
        e.SetEventObject(button);
        button->ProcessWindowEvent(e);
    }

    fs::path dir_, panelDir_;
    std::string panel_;
    wxConfigBase* oldConfig_ = nullptr;
    EditorWindows w_;
    brindle::RecordingMessageUi messages_;
    brindle::ScopedMessageUi scoped_{messages_};
};

TEST_F(WindowDialogs, AddWindowsWithACopiedBitmapWithAColourAndInFs98) {
    const std::string other = (dir_ / "elsewhere" / "stack.bmp").string();
    SetBitmapChooser([&](wxWindow*, const std::string& folder) {
        EXPECT_EQ(folder, panelDir_.string());  // the chooser opens in the panel's folder
        return std::optional<std::string>(other);
    });
    messages_.answers = {Answer::Yes};
    RunWithDialog<CNewWindowDlg>(Cmd::AddNewWindow, [&](CNewWindowDlg& d) {
        EXPECT_EQ(d.GetTitle(), "Brindle - Add a New Window");
        Type(d.TitleEdit(), "Stack");
        Click(Labelled(d, "Browse..."));
        EXPECT_EQ(d.BitmapEdit()->GetValue(), other);
        EXPECT_EQ(d.SizeEdit(1)->GetValue(), "  0.25");  // 160 / 320 of half the 640 main window
    });
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_NE(messages_.entries[0].text.find("Should I copy it there now?"), std::string::npos);
    EXPECT_TRUE(fs::exists(panelDir_ / "stack.bmp"));
    EXPECT_EQ(w_.doc->settings().LastWindow(), 2);  // the new window is shown
    EXPECT_TRUE(w_.doc->IsModified());

    RunWithDialog<CNewWindowDlg>(Cmd::AddNewWindow, [&](CNewWindowDlg& d) {
        wxRadioButton* no = d.UseBitmapRadio(false);
        no->SetValue(true);
        wxCommandEvent pick(wxEVT_RADIOBUTTON, no->GetId());
        pick.SetEventObject(no);
        no->ProcessWindowEvent(pick);
        d.PickColour(brindle::ColorEntry::FromRgb(0, 128, 255));
        Type(d.SizeEdit(0), "0.25");
    });
    std::string w = SavedSection("Window02");
    EXPECT_NE(w.find("file=stack.bmp"), std::string::npos) << w;
    w = SavedSection("Window03");
    EXPECT_NE(w.find("Background_color=0,128,255"), std::string::npos) << w;
    EXPECT_NE(w.find("size_mm=160"), std::string::npos) << w;
    EXPECT_NE(w.find("ident=40"), std::string::npos) << w;

    brindle::GlobalSettings().SetMode(brindle::kModeFS98);
    SetBitmapChooser([&](wxWindow*, const std::string&) {
        return std::optional<std::string>((panelDir_ / "panel_radio.bmp").string());
    });
    RunWithDialog<CNewWindowDlg>(Cmd::AddNewWindow, [&](CNewWindowDlg& d) {
        EXPECT_FALSE(d.UseBitmapRadio(false)->IsEnabled());
        EXPECT_FALSE(d.SizeEdit(0)->IsEnabled());
        Click(Labelled(d, "Browse..."));
        Type(d.SizeMmEdit(), "500");
    });
    w = SavedSection("Window04");
    EXPECT_NE(w.find("file=panel_radio.bmp"), std::string::npos) << w;
    EXPECT_NE(w.find("size_mm=500"), std::string::npos) << w;
    EXPECT_EQ(w.find("window_pos"), std::string::npos) << w;
}

TEST_F(WindowDialogs, WindowPropertiesChangesTitleRefusesUsedIdentAndBadSizeTakesABitmap) {
    const std::string other = (dir_ / "elsewhere" / "stack.bmp").string();
    SetBitmapChooser([&](wxWindow*, const std::string&) { return std::optional<std::string>(other); });
    messages_.answers = {Answer::Yes};
    RunWithDialog<CWindowPropertiesDlg>(Cmd::WindowProperties, [&](CWindowPropertiesDlg& d) {
        EXPECT_TRUE(d.GetTitle().Contains("Window00 \"Main Panel\" Properties")) << d.GetTitle();
        Type(d.NameEdit(), "Main Board");
        Type(d.IdentEdit(), "radio_stack");  // another window's, in another letter case
        Type(d.SizeMmEdit(0), "8193");
        Click(Labelled(d, "Change..."));
        EXPECT_EQ(d.FileEdit(false)->GetValue(), "stack.bmp");
    });
    EXPECT_EQ(messages_.texts(),
              (std::vector<std::string>{
                  brindle::kAskCopyIntoPanelFolder, brindle::kSizeMmXInvalid,
                  "Can't change the Window IDENT.\n\nThe new Window Ident is already in use"}));
    // The new background is shown at once.
    EXPECT_EQ(w_.doc->View().Window().bitmapWidth, 320);
    const std::string w = SavedSection("Window00");
    for (const char* line : {"file=stack.bmp", "size_mm=640", "ident=MAIN_PANEL"})
        EXPECT_NE(w.find(line), std::string::npos) << line << "\n" << w;
    EXPECT_NE(Read(panel_).find("Window00=Main Board"), std::string::npos);
}

TEST_F(WindowDialogs, ColourOutOfRangeKeepsTheDialogOpenAndCancelPutsEverythingBack) {
    brindle::Panel& panel = *w_.doc->GetPanel();
    brindle::PanelWindow& radio = panel.windows[1];
    radio.backgroundColor = brindle::ColorEntry::FromRgb(1, 2, 3);
    radio.backgroundColorPresent = true;
    const brindle::PanelWindow before = radio;
    brindle::WindowPropertiesDialogState state(panel, 1, w_.doc->settings());
    CWindowPropertiesDlg dlg(w_.frame, state, panelDir_.string());
    Type(dlg.ColourEdit(0), "256");
    Type(dlg.SizeMmEdit(0), "700");
    Type(dlg.NameEdit(), "Changed");
    EXPECT_FALSE(dlg.Accept());
    EXPECT_EQ(messages_.texts(), std::vector<std::string>{brindle::kRgbOutOfRange});
    SetBitmapChooser([&](wxWindow*, const std::string&) {
        return std::optional<std::string>((panelDir_ / "panel_main.bmp").string());
    });
    EXPECT_FALSE(Labelled(dlg, "Change...")->IsEnabled());  // a colour window has no bitmap to change
    dlg.ChangeBitmap(true, (panelDir_ / "panel_main.bmp").string());
    Click(dlg.FindWindow(wxID_CANCEL));
    EXPECT_EQ(dlg.GetReturnCode(), wxID_CANCEL);
    EXPECT_EQ(radio, before);
}

}  // namespace
