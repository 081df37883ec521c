#pragma once

#include <wx/dialog.h>

#include <optional>
#include <string>

#include "panel/panel.h"
#include "view/image.h"

class wxListBox;
class wxStaticText;
class wxPanel;

// "Brindle - Open Window": pick the panel window to show after a panel is opened.
class COpenWindowDlg : public wxDialog {
  public:
    // `panelDir` is where the panel's bitmaps are looked up.
    COpenWindowDlg(wxWindow* parent, const brindle::Panel& panel, const std::string& panelPath);

    // The chosen window index, or -1.
    int Choice() const { return choice_; }
    wxListBox* List() const { return list_; }
    void Select(int index);

  private:
    void OnSelect(wxCommandEvent& event);
    void OnPaintPreview(wxPaintEvent& event);
    void OnOk(wxCommandEvent& event);

    const brindle::Panel& panel_;
    std::string panelDir_;
    int choice_ = -1;
    wxListBox* list_ = nullptr;
    wxStaticText *file_ = nullptr, *width_ = nullptr, *height_ = nullptr, *size_ = nullptr;
    wxPanel* preview_ = nullptr;
    std::optional<brindle::Image> image_;
    bool noBitmap_ = false;
};
