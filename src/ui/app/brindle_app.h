#pragma once

#include <wx/app.h>

#include "ui/app/message_box.h"

class CBrindleApp : public wxApp {
public:
    bool OnInit() override;
    int OnExit() override;

private:
    WxMessageUi messages_;
};
