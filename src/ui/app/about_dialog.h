#pragma once

#include <wx/dialog.h>

// "About Brindle": version, build, operating system, memory, and the website button.
class CAboutDlg : public wxDialog {
  public:
    explicit CAboutDlg(wxWindow* parent);
    wxString MemoryText() const { return memory_; }

  private:
    wxString memory_;
};

// The program's picture, drawn rather than shipped as a file: a panel with two gauges.
wxBitmap BrindleLogo(int size);
