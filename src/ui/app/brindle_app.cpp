#include "ui/app/brindle_app.h"

#include <wx/frame.h>

bool CBrindleApp::OnInit() {
    if (!wxApp::OnInit()) return false;
    SetVendorName("Brindle");
    SetAppName("Brindle");
    brindle::SetMessageUi(&messages_);
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Brindle", wxDefaultPosition, wxSize(900, 650));
    frame->Show();
    SetTopWindow(frame);
    return true;
}

int CBrindleApp::OnExit() {
    brindle::SetMessageUi(nullptr);
    return wxApp::OnExit();
}
