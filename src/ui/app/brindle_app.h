#pragma once

#include <memory>

#include <wx/app.h>

#include "platform/system.h"
#include "ui/app/message_box.h"

class wxDocManager;

class CBrindleApp : public wxApp {
public:
    bool OnInit() override;
    int OnExit() override;

private:
    WxMessageUi messages_;
    std::unique_ptr<brindle::SystemAccess> system_;
    wxDocManager* docManager_ = nullptr;
};
