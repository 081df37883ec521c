#pragma once

#include <wx/frame.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "lib/module.h"

class wxButton;
class wxListBox;
class wxScrolledWindow;
class wxStaticBitmap;
class wxStaticText;
class wxTextCtrl;

class CPickwell;

// The start form: the current folder's gauge modules; a double-click or Enter scans one.
class CStartForm : public wxFrame {
  public:
    explicit CStartForm(CPickwell& pickwell);
    void FillList();
    void ShowProgress(int percent);
    void HideProgress();
    wxListBox* Files() const { return files_; }
    wxStaticText* Status() const { return status_; }

  private:
    void OnChoose();

    CPickwell& pickwell_;
    wxListBox* files_;
    wxStaticText* status_;
    wxStaticText* percent_;
};

// The menu between the start form and the two bitmap forms.
class CMenuForm : public wxFrame {
  public:
    explicit CMenuForm(CPickwell& pickwell);
};

// Controls both bitmap forms share: the total, the blue number box and the numbered bitmap's size.
class CNumberedForm : public wxFrame {
  public:
    CNumberedForm(CPickwell& pickwell, const wxString& title);
    // Shows the table's total and sets the number box without raising its change handler.
    void ShowNumber(int number);
    wxTextCtrl* TotalBox() const { return total_; }
    wxTextCtrl* NumberBox() const { return number_; }
    wxStaticText* WidthText() const { return width_; }
    wxStaticText* HeightText() const { return height_; }
    wxStaticText* Note() const { return note_; }
    wxStaticBitmap* Picture() const { return picture_; }

  protected:
    // The rows both forms share, made on the form's panel.
    wxSizer* MakeNumberRow(wxWindow* panel);
    wxSizer* MakeBottomRow(wxWindow* panel);
    void ShowSize();
    void SetNote(const wxString& text);
    void ShowPicture(const wxString& path);
    void ClearPicture();

    CPickwell& pickwell_;
    wxTextCtrl* total_ = nullptr;
    wxTextCtrl* number_ = nullptr;
    wxStaticText* width_ = nullptr;
    wxStaticText* height_ = nullptr;
    wxStaticText* module_ = nullptr;
    wxStaticText* note_ = nullptr;
    wxScrolledWindow* pictureBox_ = nullptr;
    wxStaticBitmap* picture_ = nullptr;
};

// GAU to BMP: view a numbered bitmap and write it out as a .bmp file.
class CGauToBmpForm : public CNumberedForm {
  public:
    explicit CGauToBmpForm(CPickwell& pickwell);
    void Open();
    // Writes bitmap `number` to the scratch file and shows it.
    void View(int number);
    wxButton* ViewButton() const { return view_; }
    wxButton* NextButton() const { return next_; }
    wxButton* PreviousButton() const { return previous_; }
    wxButton* MakeButton() const { return make_; }
    wxTextCtrl* NameBox() const { return name_; }

  private:
    void MakeBmp();

    wxTextCtrl* name_;
    wxButton* view_;
    wxButton* next_;
    wxButton* previous_;
    wxButton* make_;
    std::vector<std::uint8_t> shown_;  // the .bmp in the scratch file, empty when none is shown
};

// BMP to GAU: write a .bmp from the current folder over a numbered bitmap in the module.
class CBmpToGauForm : public CNumberedForm {
  public:
    explicit CBmpToGauForm(CPickwell& pickwell);
    void Open();
    wxListBox* Files() const { return files_; }
    wxStaticText* FileWidth() const { return fileWidth_; }
    wxStaticText* FileHeight() const { return fileHeight_; }

  private:
    void FillList();
    void OnHighlight();
    void OnChoose();

    wxListBox* files_;
    wxStaticText* fileWidth_;
    wxStaticText* fileHeight_;
};

// The small "PLEASE WAIT" and "DONE" forms.
class CWaitForm : public wxFrame {
  public:
    CWaitForm();
};

class CDoneForm : public wxFrame {
  public:
    CDoneForm();
};

// The whole program's state: the scanned module, the current bitmap number and the forms.
class CPickwell {
  public:
    // Works on the files of `folder` (the current folder for the program); the scratch file lives there too.
    explicit CPickwell(const std::string& folder);
    void Start();
    void Scan(const std::string& fileName);
    void ShowMenu();
    void ShowGauToBmp();
    void ShowBmpToGau();
    void BackToStart();
    void Exit();

    pickwell::Module& Module() { return module_; }
    int Number() const { return number_; }
    void SetNumber(int number) { number_ = number; }
    const std::string& ScratchPath() const { return scratch_; }
    const std::string& Folder() const { return folder_; }

    void ShowWait(wxWindow* over);
    void HideWait();
    void ShowDone(wxWindow* over);
    // Failures of the user's actions (and the left-out warning) are shown in a message box unless a test
    // listens instead.
    void ReportError(wxWindow* over, const std::string& text, bool warning = false);
    void SetErrorListener(std::function<void(const std::string&)> listener) {
        errorListener_ = std::move(listener);
    }

    CStartForm* StartForm() const { return start_; }
    CMenuForm* MenuForm() const { return menu_; }
    CGauToBmpForm* GauToBmpForm() const { return gauToBmp_; }
    CBmpToGauForm* BmpToGauForm() const { return bmpToGau_; }
    CWaitForm* WaitForm() const { return wait_; }
    CDoneForm* DoneForm() const { return done_; }

  private:
    void ShowOnly(wxFrame* form);

    pickwell::Module module_;
    int number_ = 1;
    std::string folder_;
    std::string scratch_;
    bool exiting_ = false;
    std::function<void(const std::string&)> errorListener_;
    CStartForm* start_;
    CMenuForm* menu_;
    CGauToBmpForm* gauToBmp_;
    CBmpToGauForm* bmpToGau_;
    CWaitForm* wait_;
    CDoneForm* done_;
};
