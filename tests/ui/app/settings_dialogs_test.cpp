// The dialogs of the mode, the preferences, Open Aircraft, the export and the design check, driven
// through their controls.
#include <gtest/gtest.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/gauge.h>
#include <wx/listbox.h>
#include <wx/radiobut.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <filesystem>

#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/app/dialog_support.h"
#include "ui/app/mode_dir_dialog.h"
#include "ui/app/preferences_dialogs.h"
#include "ui/dialogs/folder_dialog.h"
#include "ui/document/open_aircraft_dialog.h"
#include "ui/gauges/panel_export_dialog.h"
#include "ui/panel/design_check_dialog.h"

namespace fs = std::filesystem;
using brindle::SimMode;

namespace {

class Dialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("brindle_dialogs_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", dir_ / "FS2000", fs::copy_options::recursive);
        s_.SetFS2000Dir(Sim());
        s_.SetFS98Dir((dir_ / "fs98").string());
        s_.SetMode(brindle::kModeFS2000);
    }
    void TearDown() override {
        SetModalHook({});
        SetFolderChooser({});
        fs::remove_all(dir_);
    }
    std::string Sim() const { return (dir_ / "FS2000").string(); }
    std::string DemoPanel() const {
        return (dir_ / "FS2000" / "Aircraft" / "Demo" / "Panel" / "panel.cfg").string();
    }
    static void Click(wxWindow* w) {
        wxCommandEvent e(wxEVT_BUTTON, w->GetId());
        e.SetEventObject(w);
        w->GetEventHandler()->ProcessEvent(e);
    }
    static void Tick(wxCheckBox* box, bool on) {
        box->SetValue(on);
        wxCommandEvent e(wxEVT_CHECKBOX, box->GetId());
        e.SetInt(on);
        e.SetEventObject(box);
        box->GetEventHandler()->ProcessEvent(e);
    }

    fs::path dir_;
    brindle::Settings s_;
    brindle::RecordingMessageUi ui_;
    brindle::ScopedMessageUi scope_{ui_};
};

TEST_F(Dialogs, ModeDialogRadiosBrowseOkAndCancel) {
    {
        CModeDirDlg dlg(nullptr, s_);
        EXPECT_EQ(dlg.GetTitle(), "Brindle - Mode and Flight Simulator Directory");
        EXPECT_TRUE(dlg.Radio(brindle::kModeFS2000)->GetValue());
        EXPECT_TRUE(dlg.Edit(brindle::kModeFS2000)->IsEnabled());
        EXPECT_FALSE(dlg.Browse(brindle::kModeCFS)->IsEnabled());
        dlg.ClickRadio(brindle::kModeCFS);
        EXPECT_EQ(s_.Mode(), brindle::kModeCFS);
        EXPECT_TRUE(dlg.Radio(brindle::kModeCFS)->GetValue());
        EXPECT_TRUE(dlg.Edit(brindle::kModeCFS)->IsEnabled());
        EXPECT_FALSE(dlg.Edit(brindle::kModeFS2000)->IsEnabled());
        // Browse answers with a folder; the edit shows it.
        SetFolderChooser([&](wxWindow*, const std::string& start, const wxString& title) {
            EXPECT_EQ(title, "Choose the CFS Folder");
            EXPECT_EQ(start, brindle::Settings().CFSDir());
            return std::optional<std::string>(Sim());
        });
        Click(dlg.Browse(brindle::kModeCFS));
        EXPECT_EQ(dlg.Edit(brindle::kModeCFS)->GetValue(), wxString(Sim()));
        // Cancel: mode and folders as before.
        Click(dlg.FindWindow(wxID_CANCEL));
        EXPECT_EQ(s_.Mode(), brindle::kModeFS2000);
        EXPECT_EQ(s_.CFSDir(), brindle::Settings().CFSDir());
    }
    CModeDirDlg dlg(nullptr, s_);
    dlg.ClickRadio(brindle::kModeFS98);
    dlg.Edit(brindle::kModeFS98)->SetValue(wxString(Sim()));
    ASSERT_TRUE(dlg.TransferDataFromWindow());
    EXPECT_EQ(s_.FS98Dir(), Sim());
    EXPECT_EQ(s_.Mode(), brindle::kModeFS98);
    EXPECT_TRUE(dlg.Logic().ModeChanged());
    EXPECT_TRUE(ui_.entries.empty());
}

struct RecordingDesktop : brindle::DesktopIntegration {
    std::vector<std::string> programs;
    brindle::AssociationResult RegisterPanelFileType(const std::string& p) override {
        programs.push_back(p);
        return {false, "no desktop here"};
    }
};

TEST_F(Dialogs, PreferencesWithItsTwoInnerDialogs) {
    s_.SetHighRes(1);
    s_.SetGaugeDrawTypes(1 | 2);
    RecordingDesktop desktop;
    brindle::AdvancedPrefsDialogLogic::ResetAssociatedThisRun();
    CPreferencesDlg dlg(nullptr, s_, desktop, "/opt/brindle");
    EXPECT_EQ(dlg.GetTitle(), "Brindle Preferences");
    EXPECT_TRUE(dlg.HighRes()->GetValue());

    // Gauge Drawing Options...: Defaults then OK, as the user answers it.
    SetModalHook([&](wxDialog& d) {
        auto* drawing = dynamic_cast<CGaugeDrawPrefsDlg*>(&d);
        EXPECT_NE(drawing, nullptr);
        if (!drawing) return wxID_CANCEL;
        EXPECT_TRUE(drawing->StaticImages()->GetValue());
        EXPECT_FALSE(drawing->Icons()->GetValue());
        drawing->Defaults();
        EXPECT_TRUE(drawing->Sliders()->GetValue());
        drawing->TransferDataFromWindow();
        return wxID_OK;
    });
    Click(dlg.GaugeDrawingButton());
    EXPECT_EQ(s_.GaugeDrawTypes(), 25);

    // Advanced...: the association button twice (once per run), software blits on, OK.
    SetModalHook([&](wxDialog& d) {
        auto* advanced = dynamic_cast<CAdvancedPrefsDlg*>(&d);
        EXPECT_NE(advanced, nullptr);
        if (!advanced) return wxID_CANCEL;
        EXPECT_EQ(advanced->AssociateButton()->GetLabel(), "Associate Brindle with .cfg file extension");
        Click(advanced->AssociateButton());
        Click(advanced->AssociateButton());
        advanced->SoftwareBlit()->SetValue(true);
        advanced->TransferDataFromWindow();
        return wxID_OK;
    });
    Click(dlg.AdvancedButton());
    EXPECT_EQ(desktop.programs, std::vector<std::string>{"/opt/brindle"});
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"no desktop here"});
    EXPECT_EQ(s_.UseSWTransparentBLT(), 1);

    dlg.HighRes()->SetValue(false);
    dlg.PaintProgram()->SetValue("/usr/bin/gimp");
    ASSERT_TRUE(dlg.TransferDataFromWindow());
    EXPECT_TRUE(dlg.Logic().HighResChanged());
    EXPECT_EQ(s_.HighRes(), 0);
    EXPECT_EQ(s_.PaintProgram(), "/usr/bin/gimp");
    brindle::AdvancedPrefsDialogLogic::ResetAssociatedThisRun();
}

TEST_F(Dialogs, OpenAircraftInAddMode) {
    brindle::OpenAircraftChooser chooser(s_, brindle::OpenAircraftChooser::Mode::AddPanel);
    COpenAircraftDlg dlg(nullptr, chooser);
    EXPECT_EQ(dlg.GetTitle(), "Brindle - Open Aircraft");
    ASSERT_EQ(dlg.AircraftList()->GetCount(), 1u);
    EXPECT_EQ(dlg.AircraftList()->GetString(0), "Demo");
    EXPECT_FALSE(dlg.PanelList()->IsEnabled());
    ASSERT_NE(dlg.NewName(), nullptr);

    EXPECT_FALSE(dlg.TransferDataFromWindow());
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"Please select an Aircraft"});
    dlg.SelectAircraft(0);
    EXPECT_EQ(dlg.TitleText()->GetLabel(), "Brindle Demo");
    ASSERT_EQ(dlg.PanelList()->GetCount(), 1u);
    EXPECT_EQ(dlg.PanelList()->GetString(0), "Panel");
    EXPECT_EQ(dlg.PanelList()->GetSelection(), wxNOT_FOUND);

    // A name already installed is refused and cleared.
    ui_.entries.clear();
    dlg.NewTitle()->SetValue("Demo Wide");
    dlg.NewName()->SetValue("");
    EXPECT_FALSE(dlg.TransferDataFromWindow());
    dlg.NewName()->SetValue("Wide");
    ASSERT_TRUE(dlg.TransferDataFromWindow());
    EXPECT_EQ(chooser.PanelName(), "Wide");
    EXPECT_EQ(chooser.PanelTitle(), "Demo Wide");
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"Please enter a name for the new panel"});

    // Open mode: no new-panel fields, the first panel selected.
    brindle::OpenAircraftChooser open(s_, brindle::OpenAircraftChooser::Mode::Open);
    COpenAircraftDlg openDlg(nullptr, open);
    EXPECT_EQ(openDlg.NewName(), nullptr);
    openDlg.SelectAircraft(0);
    EXPECT_EQ(openDlg.PanelList()->GetSelection(), 0);
}

TEST_F(Dialogs, ExportShowsProgressAndThePathBeingWritten) {
    brindle::Panel panel;
    ASSERT_TRUE(brindle::ReadPanelFile(DemoPanel(), brindle::ReadOptionsFrom(s_), panel));
    brindle::PanelExportOptions options;
    options.panelFolder = brindle::DirectoryPart(DemoPanel()).value();
    options.gaugesDir = s_.GaugesDirForDisplay();
    CPanelExportDlg dlg(nullptr, panel, options);
    EXPECT_EQ(dlg.GetTitle(), "Brindle - Panel Export Tool");
    EXPECT_TRUE(dlg.ExcludeStandard()->GetValue());
    Tick(dlg.ExcludeStandard(), false);
    EXPECT_FALSE(dlg.Logic().excludeStandard);

    const std::string dest = (dir_ / "handed-on").string();
    SetFolderChooser([&](wxWindow*, const std::string&, const wxString& title) {
        EXPECT_EQ(title, "Choose the Destination Directory for the Panel Files");
        return std::optional<std::string>(dest);
    });
    dlg.Browse();
    EXPECT_EQ(dlg.Destination()->GetValue(), wxString(dest));
    // The folder does not exist yet: OK makes it (its parent is there).
    Click(dlg.FindWindow(wxID_OK));
    EXPECT_TRUE(dlg.Result().exported);
    // The demo names one module that is not there.
    EXPECT_EQ(ui_.texts(), std::vector<std::string>{"Copy of Gauge \"Missing_Module.gau\" Failed!"});
    EXPECT_TRUE(fs::exists(fs::path(dest) / "Panel" / "Panel.cfg"));
    EXPECT_FALSE(fs::is_empty(fs::path(dest) / "Gauges"));
    EXPECT_EQ(dlg.Progress()->GetValue(), dlg.Progress()->GetRange());
    EXPECT_EQ(dlg.Progress()->GetRange(), panel.windowCount);
    EXPECT_TRUE(dlg.Writing()->GetLabel().StartsWith(wxString(dest)));
}

TEST_F(Dialogs, DesignCheckReportInTheBox) {
    brindle::Panel panel;
    ASSERT_TRUE(brindle::ReadPanelFile(DemoPanel(), brindle::ReadOptionsFrom(s_), panel));
    panel.windows[0].gauges[0].width = 5;
    panel.windows[0].gauges[0].widthPresent = true;
    CDesignCheckDlg dlg(nullptr, panel, {});
    EXPECT_EQ(dlg.GetTitle(), "Brindle - Design Check");
    dlg.Run();
    dlg.Run();  // once only
    std::string expected = dlg.Report().text;
    std::erase(expected, '\r');
    EXPECT_EQ(dlg.ResultBox()->GetValue(), wxString(expected));
    EXPECT_TRUE(dlg.ResultBox()->GetValue().EndsWith("Scan Complete, 0 Errors, 1 Warnings"));
    EXPECT_FALSE(dlg.ResultBox()->IsEditable());
}

}  // namespace
