#include "ui/app/brindle_app.h"

#include <wx/config.h>
#include <wx/frame.h>

#include "app/settings.h"
#include "ui/app/config_store.h"

bool CBrindleApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    SetVendorName("Brindle");
    SetAppName("Brindle");
    brindle::SetMessageUi(&messages_);
    system_ = brindle::MakeDefaultSystemAccess();

    auto* frame = new wxFrame(nullptr, wxID_ANY, "Brindle", wxDefaultPosition, wxSize(900, 650));
    frame->Show();
    SetTopWindow(frame);

    // Settings are loaded once, after the main window exists so that a repair message has a parent.
    WxConfigSettingsStore store(*wxConfigBase::Get());
    brindle::GlobalSettings().Load(store, *system_);
    brindle::GlobalSettings().StartUp(*system_);
    return true;
}

int CBrindleApp::OnExit() {
    if (system_) {
        WxConfigSettingsStore store(*wxConfigBase::Get());
        brindle::GlobalSettings().Save(store);
        wxConfigBase::Get()->Flush();
    }
    brindle::SetMessageUi(nullptr);
    return wxApp::OnExit();
}
