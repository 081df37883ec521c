#pragma once

#include <wx/dialog.h>

#include "document/aircraft.h"

class wxListBox;
class wxStaticText;
class wxTextCtrl;

// "Brindle - Open Aircraft": choose an aircraft's panel to open, or the aircraft that receives a
// copy of the current panel (with the new panel's name and title).
class COpenAircraftDlg : public wxDialog {
  public:
    COpenAircraftDlg(wxWindow* parent, brindle::OpenAircraftChooser& chooser);

    wxListBox* AircraftList() const { return aircraft_; }
    wxListBox* PanelList() const { return panels_; }
    wxStaticText* TitleText() const { return title_; }
    wxTextCtrl* NewName() const { return name_; }
    wxTextCtrl* NewTitle() const { return newTitle_; }
    // A click in either list as the user makes it.
    void SelectAircraft(int index);
    void SelectPanel(int index);

    bool TransferDataFromWindow() override;

  private:
    void ShowChooser();

    brindle::OpenAircraftChooser& chooser_;
    wxListBox *aircraft_, *panels_;
    wxStaticText* title_;
    wxTextCtrl *name_ = nullptr, *newTitle_ = nullptr;
};
