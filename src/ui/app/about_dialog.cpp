#include "ui/app/about_dialog.h"

#include <wx/button.h>
#include <wx/dcmemory.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

#include <cmath>

#include "app/about.h"
#include "app/help_topics.h"
#include "app/settings.h"
#include "ui/app/command_handlers.h"
#include "ui/app/dialog_show.h"
#include "ui/app/help.h"
#include "ui/view/brindle_view.h"

wxBitmap BrindleLogo(int size) {
    wxBitmap bmp(size, size);
    wxMemoryDC dc(bmp);
    dc.SetBackground(wxBrush(wxColour(40, 44, 52)));
    dc.Clear();
    auto dial = [&](int cx, int cy, int r, const wxColour& needle, double angle) {
        dc.SetPen(wxPen(wxColour(200, 200, 200), 2));
        dc.SetBrush(wxBrush(wxColour(10, 10, 10)));
        dc.DrawCircle(cx, cy, r);
        dc.SetPen(wxPen(wxColour(230, 230, 230), 1));
        for (int i = 0; i < 12; ++i) {
            double a = i * 3.14159265 / 6;
            dc.DrawLine(
                cx + static_cast<int>((r - 5) * std::cos(a)), cy + static_cast<int>((r - 5) * std::sin(a)),
                cx + static_cast<int>((r - 1) * std::cos(a)), cy + static_cast<int>((r - 1) * std::sin(a)));
        }
        dc.SetPen(wxPen(needle, 3));
        dc.DrawLine(cx, cy, cx + static_cast<int>((r - 6) * std::cos(angle)),
                    cy + static_cast<int>((r - 6) * std::sin(angle)));
    };
    dial(size * 3 / 10, size / 2, size / 4, wxColour(255, 200, 0), -0.8);
    dial(size * 7 / 10, size / 2, size / 4, wxColour(255, 90, 60), 2.2);
    dc.SelectObject(wxNullBitmap);
    return bmp;
}

CAboutDlg::CAboutDlg(wxWindow* parent)
    : wxDialog(parent, wxID_ANY, "Brindle: " + wxString(brindle::AboutBuildText())) {
    auto [total, avail] = brindle::PhysicalMemory();
    memory_ = brindle::AboutMemoryText(total, avail);

    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticBitmap(this, wxID_ANY, BrindleLogo(FromDIP(128))), 0, wxALL, 12);
    auto* col = new wxBoxSizer(wxVERTICAL);
    auto* version = new wxStaticText(this, wxID_ANY, brindle::kVersionLabel);
    version->SetFont(version->GetFont().Bold().Larger());
    col->Add(version, 0, wxBOTTOM, 6);
    col->Add(new wxStaticText(this, wxID_ANY, brindle::AboutBuildText()), 0, wxBOTTOM, 4);
    col->Add(new wxStaticText(this, wxID_ANY, brindle::AboutOsText(brindle::GlobalSettings().OsKind())), 0,
             wxBOTTOM, 4);
    col->Add(new wxStaticText(this, wxID_ANY, memory_), 0, wxBOTTOM, 10);
    // OK is made first so that it holds the focus as the box opens: Enter closes the box rather than
    // opening the guide.
    auto* ok = new wxButton(this, wxID_OK, "OK");
    ok->SetDefault();
    // The project has no website of its own: the button opens the guide's start page, as the Help
    // menu's website command does.
    auto* website = new wxButton(this, wxID_ANY, "Brindle Website");
    website->Bind(wxEVT_BUTTON,
                  [this](wxCommandEvent&) { ShowHelpTopic(this, brindle::kHelpContentsTopic); });
    col->Add(website, 0, wxBOTTOM, 10);
    col->AddStretchSpacer();
    col->Add(ok, 0, wxALIGN_RIGHT);
    row->Add(col, 1, wxEXPAND | wxALL, 12);
    SetSizerAndFit(row);
    CentreOnParent();
}

BRINDLE_COMMAND_HANDLER(brindle::Cmd::About, [](CBrindleView& v) {
    CAboutDlg dlg(v.GetFrame());
    ShowDialog(dlg);
});
