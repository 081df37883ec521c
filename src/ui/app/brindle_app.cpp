#include "ui/app/brindle_app.h"

#include <wx/cmdline.h>
#include <wx/config.h>
#include <wx/docview.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/msgdlg.h>

#include "app/preferences.h"
#include "app/settings.h"
#include "ui/app/config_store.h"
#include "ui/app/dialog_show.h"
#include "ui/app/main_frame.h"
#include "ui/app/mode_dir_dialog.h"
#include "ui/app/startup.h"
#include "ui/app/text.h"

void CBrindleApp::OnInitCmdLine(wxCmdLineParser& parser) {
    wxApp::OnInitCmdLine(parser);
    // Options start with "-" only, also on Windows: a path that starts with "/" (the current drive's
    // root there, a whole path under Wine) is a file to open, not an option.
    parser.SetSwitchChars("-");
    parser.AddOption("", "sim-dir",
                     "the simulator folder to use for the current mode (kept in the settings)");
    parser.AddOption("", "settings", "a settings file to use instead of the user's");
    parser.AddParam("panel.cfg", wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
}

bool CBrindleApp::OnCmdLineParsed(wxCmdLineParser& parser) {
    if (parser.GetParamCount() > 0) startFile_ = wxFileName(parser.GetParam(0)).GetAbsolutePath();
    wxString value;
    if (parser.Found("sim-dir", &value)) {
        wxFileName dir = wxFileName::DirName(value);
        dir.MakeAbsolute();
        simDir_ = dir.GetPath();
    }
    if (parser.Found("settings", &value)) settingsFile_ = wxFileName(value).GetAbsolutePath();
    return wxApp::OnCmdLineParsed(parser);
}

bool CBrindleApp::OnInit() {
    SetVendorName("Brindle");
    SetAppName("Brindle");
    if (!wxApp::OnInit()) return false;
    if (!settingsFile_.empty())
        delete wxConfigBase::Set(
            new wxFileConfig("Brindle", "Brindle", settingsFile_, "", wxCONFIG_USE_LOCAL_FILE));
    brindle::SetMessageUi(&messages_);
    system_ = brindle::MakeDefaultSystemAccess();

    // Settings are loaded once, before the first document decides what to reopen.
    WxConfigSettingsStore store(*wxConfigBase::Get());
    brindle::GlobalSettings().Load(store, *system_);
    brindle::GlobalSettings().StartUp(*system_);
    if (!simDir_.empty()) brindle::GlobalSettings().SetSimDir(ToPath(simDir_));

    EditorWindows w = StartEditor(startFile_);
    docManager_ = w.manager;
    frame_ = w.frame;
    if (!w.doc) return false;
    // A computer without any of the simulators (no installer's registry entry, no folder in the Wine
    // prefix): say so and let the user point at a folder, once the main window is on screen.
    if (simDir_.empty())
        if (std::optional<std::string> text = brindle::FirstStartMessage(brindle::GlobalSettings()))
            CallAfter([this, text = *text] {
                wxMessageDialog box(frame_, FromMessageText(text), "Brindle", wxOK | wxICON_INFORMATION);
                ShowDialog(box);
                if (frame_ && frame_->View()) RunModeDialog(*frame_->View());
            });
    return true;
}

int CBrindleApp::OnExit() {
    if (system_) {
        WxConfigSettingsStore store(*wxConfigBase::Get());
        brindle::GlobalSettings().Save(store);
        if (docManager_) docManager_->FileHistorySave(*wxConfigBase::Get());
        wxConfigBase::Get()->Flush();
    }
    delete docManager_;
    docManager_ = nullptr;
    brindle::SetMessageUi(nullptr);
    return wxApp::OnExit();
}
