// "Brindle - Add a new Gauge": the shell of AddGaugeDialogLogic. It shows the engine's state and
// turns the controls' events into its steps; the preview is the engine's picture.
#pragma once

#include <wx/dialog.h>

#include "gauges/add_gauge_dialog.h"

class wxListBox;
class wxStaticText;
class wxTextCtrl;
class wxChoice;
class wxGauge;
class wxCheckBox;
class wxSpinButton;
class wxPanel;
class wxSpinEvent;

class CAddGaugeDlg : public wxDialog {
  public:
    CAddGaugeDlg(wxWindow* parent, const brindle::Settings& settings);

    brindle::AddGaugeDialogLogic& Logic() { return logic_; }
    // The reference OK handed back; empty after Cancel or when no usable gauge was chosen.
    const std::string& Reference() const { return reference_; }

    // The controls, for the GUI tests.
    wxListBox* FileList() const { return files_; }
    wxListBox* GaugeList() const { return gauges_; }
    wxTextCtrl* Edit() const { return edit_; }
    wxChoice* Family() const { return family_; }
    wxStaticText* ErrorLine() const { return error_; }
    wxSpinButton* UpDown() const { return upDown_; }

    // Every control shows the engine's state again.
    void Sync();
    // The steps as the controls' events run them (also used by the tests).
    void ChooseFile(int index);
    void ChooseGauge(int line);
    void ChooseFamily(int index);
    void PressEnter();
    void StepSlot(int direction);
    void Accept();

  private:
    // Set while Sync changes the controls: the toolkit may report those changes as the user's.
    bool syncing_ = false;
    // A folder is entered by a click or by activating it (Enter, double click), never by the list
    // taking the focus or the arrow keys passing over it.
    bool clicked_ = false;
    // When a folder was last entered: the rest of a double click on it must not act on the new list.
    long long enteredAt_ = 0;
    bool IsFolder(int index) const;
    void FileSelected(int index);
    void FileActivated(int index);
    void OnPaintPreview(wxPaintEvent& event);
    brindle::ListingProgress Progress();

    brindle::AddGaugeDialogLogic logic_;
    std::string reference_;
    wxStaticText* browseDir_ = nullptr;
    wxListBox* files_ = nullptr;
    wxStaticText* fileCount_ = nullptr;
    wxListBox* gauges_ = nullptr;
    wxStaticText* gaugeCount_ = nullptr;
    wxTextCtrl* edit_ = nullptr;
    wxChoice* family_ = nullptr;
    wxGauge* progress_ = nullptr;
    wxPanel* preview_ = nullptr;
    wxCheckBox* transparent_ = nullptr;
    wxSpinButton* upDown_ = nullptr;
    wxStaticText* familyLabel_ = nullptr;
    wxStaticText* width_ = nullptr;
    wxStaticText* height_ = nullptr;
    wxStaticText* bytes_ = nullptr;
    wxStaticText* resource_ = nullptr;
    wxStaticText* slot_ = nullptr;
    wxStaticText* type_ = nullptr;
    wxStaticText* error_ = nullptr;
};
