#pragma once

#include <wx/app.h>

#include <memory>

#include "platform/system.h"
#include "ui/app/message_box.h"

class wxDocManager;
class CMainFrame;

class CBrindleApp : public wxApp {
  public:
    bool OnInit() override;
    int OnExit() override;
    void OnInitCmdLine(wxCmdLineParser& parser) override;
    bool OnCmdLineParsed(wxCmdLineParser& parser) override;

    brindle::SystemAccess* System() const { return system_.get(); }
    CMainFrame* Frame() const { return frame_; }

  private:
    WxMessageUi messages_;
    std::unique_ptr<brindle::SystemAccess> system_;
    wxDocManager* docManager_ = nullptr;
    CMainFrame* frame_ = nullptr;
    wxString startFile_;
    wxString simDir_;
    wxString settingsFile_;
};
