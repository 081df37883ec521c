// The mode, preferences, aircraft, export and design check commands run from the editor's command
// table, with their dialogs answered as a user would.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/textctrl.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/commands.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/app/dialog_support.h"
#include "ui/app/main_frame.h"
#include "ui/app/mode_dir_dialog.h"
#include "ui/app/preferences_dialogs.h"
#include "ui/app/startup.h"
#include "ui/document/brindle_doc.h"
#include "ui/document/open_aircraft_dialog.h"
#include "ui/document/open_window_dialog.h"
#include "ui/gauges/panel_export_dialog.h"
#include "ui/panel/design_check_dialog.h"
#include "ui/view/brindle_view.h"

namespace fs = std::filesystem;
using brindle::Cmd;

namespace {

std::string ReadAll(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class SettingsCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("brindle_commands_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::create_directories(dir_);
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", Sim(), fs::copy_options::recursive);
        oldConfig_ = wxConfigBase::Set(new wxFileConfig(
            "Brindle", "Brindle", (dir_ / "settings.ini").string(), "", wxCONFIG_USE_LOCAL_FILE));
        brindle::Settings& s = brindle::GlobalSettings();
        s.SetMode(brindle::kModeFS2000);
        s.SetFS2000Dir(Sim().string());
        s.SetCFSDir((dir_ / "cfs").string());
        s.SetHighRes(1);
        s.SetReload(0);
        s.SetCurrentFile("");
        w_ = StartEditor("");
        ASSERT_NE(w_.doc, nullptr);
        w_.frame->SetSize(900, 700);
    }
    void TearDown() override {
        SetModalHook({});
        if (w_.manager) {
            w_.manager->Clear(true);
            w_.frame->Destroy();
            wxTheApp->ProcessIdle();
            delete w_.manager;
        }
        delete wxConfigBase::Set(oldConfig_);
        fs::remove_all(dir_);
    }

    fs::path Sim() const { return dir_ / "FS2000"; }
    fs::path Demo() const { return Sim() / "Aircraft" / "Demo"; }
    std::string DemoPanel() const { return (Demo() / "Panel" / "panel.cfg").string(); }
    void OpenDemo(int window = 0) {
        ASSERT_TRUE(w_.doc->Doc().OpenAtWindow(DemoPanel(), window));
        w_.doc->Changed();
    }
    // Runs the command, answering each dialog it opens with the next answer.
    void Run(Cmd cmd, std::vector<std::function<int(wxDialog&)>> answers) {
        size_t next = 0;
        SetModalHook([&](wxDialog& d) {
            EXPECT_LT(next, answers.size()) << "unexpected dialog " << d.GetTitle();
            return next < answers.size() ? answers[next++](d) : wxID_CANCEL;
        });
        ASSERT_TRUE(w_.view->StatusOf(int(cmd)).enabled);
        EXPECT_TRUE(w_.view->RunCommand(int(cmd)));
        SetModalHook({});
        EXPECT_EQ(next, answers.size()) << "dialogs not opened";
    }
    template <class D>
    static D& As(wxDialog& d) {
        D* p = dynamic_cast<D*>(&d);
        EXPECT_NE(p, nullptr) << d.GetTitle();
        return *p;
    }

    fs::path dir_;
    wxConfigBase* oldConfig_ = nullptr;
    EditorWindows w_;
    brindle::RecordingMessageUi messages_;
    brindle::ScopedMessageUi scoped_{messages_};
};

TEST_F(SettingsCommands, ModeChangeClosesThePanelAndCancelChangesNothing) {
    OpenDemo();
    // Another mode chosen, then Cancel: the panel, the mode and the folders stay.
    Run(Cmd::ModeAndDirectory, {[](wxDialog& d) {
            auto& dlg = As<CModeDirDlg>(d);
            dlg.ClickRadio(brindle::kModeCFS);
            EXPECT_EQ(brindle::GlobalSettings().Mode(), brindle::kModeCFS);
            dlg.Logic().Cancel();
            return wxID_CANCEL;
        }});
    EXPECT_TRUE(w_.doc->PanelLoaded());
    EXPECT_EQ(brindle::GlobalSettings().Mode(), brindle::kModeFS2000);
    EXPECT_EQ(brindle::GlobalSettings().GaugesDir(), brindle::JoinPath(Sim().string(), "gauges"));

    // OK with the same mode keeps the panel open.
    Run(Cmd::ModeAndDirectory,
        {[](wxDialog& d) { return As<CModeDirDlg>(d).TransferDataFromWindow() ? wxID_OK : 0; }});
    EXPECT_TRUE(w_.doc->PanelLoaded());

    // CFS with a folder that is there: the FS2000 panel is closed, the choice is in the settings file.
    fs::create_directories(dir_ / "cfs");
    Run(Cmd::ModeAndDirectory, {[](wxDialog& d) {
            auto& dlg = As<CModeDirDlg>(d);
            dlg.ClickRadio(brindle::kModeCFS);
            return dlg.TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
        }});
    EXPECT_FALSE(w_.doc->PanelLoaded());
    EXPECT_EQ(brindle::GlobalSettings().Mode(), brindle::kModeCFS);
    EXPECT_NE(ReadAll(dir_ / "settings.ini").find("Mode=2"), std::string::npos);
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(SettingsCommands, HighResChangeRereadsThePanelAtItsWindow) {
    OpenDemo(1);
    const std::vector<std::string> loading = messages_.texts();  // the window's gauges that can't be drawn
    ASSERT_FALSE(loading.empty());
    messages_.entries.clear();
    Run(Cmd::Preferences, {[](wxDialog& d) {
            auto& dlg = As<CPreferencesDlg>(d);
            dlg.HighRes()->SetValue(false);
            return dlg.TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
        }});
    // The warning, then the window read and loaded again.
    std::vector<std::string> expected{brindle::PreferencesDialogLogic::kRereadWarning};
    expected.insert(expected.end(), loading.begin(), loading.end());
    EXPECT_EQ(messages_.texts(), expected);
    ASSERT_TRUE(w_.doc->PanelLoaded());
    EXPECT_EQ(w_.doc->Doc().CurrentWindow(), 1);
    EXPECT_EQ(brindle::GlobalSettings().HighRes(), 0);

    // Another change without HighRes: no reread.
    messages_.entries.clear();
    Run(Cmd::Preferences, {[](wxDialog& d) {
            auto& dlg = As<CPreferencesDlg>(d);
            dlg.CreateBackup()->SetValue(!dlg.CreateBackup()->GetValue());
            return dlg.TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
        }});
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(SettingsCommands, OpenTheDemoByAircraftThenItsWindow) {
    Run(Cmd::OpenByAircraft, {[](wxDialog& d) {
                                  auto& dlg = As<COpenAircraftDlg>(d);
                                  dlg.SelectAircraft(0);
                                  return dlg.TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
                              },
                              [](wxDialog& d) {
                                  As<COpenWindowDlg>(d).Select(1);
                                  return wxID_OK;
                              }});
    ASSERT_TRUE(w_.doc->PanelLoaded());
    EXPECT_EQ(w_.doc->Doc().CurrentWindow(), 1);
    EXPECT_TRUE(brindle::EqualsNoCase(brindle::GlobalSettings().CurrentFile(),
                                      (Demo() / "Panel" / "Panel.cfg").string()));
    EXPECT_EQ(brindle::GlobalSettings().LastTitle(), "Brindle Demo");
}

TEST_F(SettingsCommands, CopyTheDemoPanelToTheDemoAircraft) {
    OpenDemo();
    const std::string before = ReadAll(Demo() / "aircraft.cfg");
    Run(Cmd::CopyPanelToAircraft, {[](wxDialog& d) {
            auto& dlg = As<COpenAircraftDlg>(d);
            dlg.SelectAircraft(0);
            dlg.NewName()->SetValue("Wide");
            dlg.NewTitle()->SetValue("Brindle Demo Wide");
            return dlg.TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
        }});
    EXPECT_TRUE(messages_.entries.empty()) << ::testing::PrintToString(messages_.texts());
    const std::string after = ReadAll(Demo() / "aircraft.cfg");
    EXPECT_NE(after.find("[fltsim.1]\r\ntitle=Brindle Demo Wide\r\n"), std::string::npos) << after;
    EXPECT_NE(after.find("panel=Wide\r\n"), std::string::npos);
    EXPECT_LT(after.find("[fltsim.1]"), after.find("[General]"));
    EXPECT_EQ(ReadAll(Demo() / "Aircraft.cfg.backup"), before);
    for (const char* f : {"panel.cfg", "panel_main.bmp", "panel_radio.bmp"})
        EXPECT_EQ(ReadAll(Demo() / "PANEL.Wide" / f), ReadAll(Demo() / "Panel" / f)) << f;
}

TEST_F(SettingsCommands, ExportWithAndWithoutTheStockGauges) {
    OpenDemo();
    // A stock module beside the demo's own: Cessna.gau.
    fs::copy_file(Sim() / "gauges" / "Demo_Cessna.gau", Sim() / "gauges" / "Cessna.gau");
    brindle::GaugeEntry stock;
    stock.name = "Cessna!Airspeed";
    w_.doc->GetPanel()->windows[0].gauges.push_back(stock);

    for (bool exclude : {true, false}) {
        const fs::path dest = dir_ / (exclude ? "without-stock" : "with-stock");
        messages_.entries.clear();
        Run(Cmd::ExportPanel, {[&](wxDialog& d) {
                auto& dlg = As<CPanelExportDlg>(d);
                dlg.Destination()->SetValue(dest.string());
                dlg.ExcludeStandard()->SetValue(exclude);
                dlg.Logic().excludeStandard = exclude;
                wxCommandEvent ok(wxEVT_BUTTON, wxID_OK);
                dlg.FindWindow(wxID_OK)->GetEventHandler()->ProcessEvent(ok);
                return dlg.GetReturnCode();
            }});
        EXPECT_TRUE(fs::exists(dest / "Panel" / "Panel.cfg"));
        EXPECT_TRUE(fs::exists(dest / "Panel" / "panel_main.bmp"));
        EXPECT_TRUE(fs::exists(dest / "Gauges" / "Demo_Cessna.gau"));
        EXPECT_EQ(fs::exists(dest / "Gauges" / "Cessna.gau"), !exclude);
        // The demo names one module that is not there.
        EXPECT_EQ(messages_.texts(),
                  std::vector<std::string>{"Copy of Gauge \"Missing_Module.gau\" Failed!"});
    }
}

TEST_F(SettingsCommands, DesignCheckShowsTheReport) {
    OpenDemo();
    Run(Cmd::DesignCheck, {[](wxDialog& d) {
            auto& dlg = As<CDesignCheckDlg>(d);
            dlg.Run();
            const wxString text = dlg.ResultBox()->GetValue();
            EXPECT_TRUE(text.StartsWith("Scanning config file\n"));
            EXPECT_TRUE(text.Contains("Scanning Window 00, \"Main Panel\""));
            EXPECT_TRUE(text.Contains("Scan Complete, "));
            return wxID_OK;
        }});
}

}  // namespace
