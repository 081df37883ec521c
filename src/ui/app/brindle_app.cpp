#include "ui/app/brindle_app.h"

#include <wx/config.h>
#include <wx/docview.h>

#include "app/settings.h"
#include "ui/app/config_store.h"
#include "ui/app/main_frame.h"

bool CBrindleApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    SetVendorName("Brindle");
    SetAppName("Brindle");
    brindle::SetMessageUi(&messages_);
    system_ = brindle::MakeDefaultSystemAccess();

    docManager_ = new wxDocManager;
    docManager_->SetMaxDocsOpen(1);
    docManager_->FileHistoryLoad(*wxConfigBase::Get());

    auto* frame = new CMainFrame(docManager_, "Brindle", wxDefaultPosition, wxSize(1000, 720));
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
        docManager_->FileHistorySave(*wxConfigBase::Get());
        wxConfigBase::Get()->Flush();
    }
    delete docManager_;
    docManager_ = nullptr;
    brindle::SetMessageUi(nullptr);
    return wxApp::OnExit();
}
