// "Select a Background Bitmap": the system's file dialog with a preview of the highlighted bitmap
// (scaled with its aspect) and its four property lines beside the file list.
#pragma once

#include <wx/filedlg.h>
#include <wx/panel.h>

#include <functional>
#include <optional>
#include <string>

#include "dialogs/choosers.h"

class wxStaticText;

// The preview and its lines; the file dialog's extra control, also usable on its own.
class CBmpPreviewPanel : public wxPanel {
  public:
    explicit CBmpPreviewPanel(wxWindow* parent);

    // The highlighted file changed (a full path; empty when a folder or nothing is highlighted).
    void ShowFile(const std::string& path);
    const brindle::BitmapPreview& Preview() const { return preview_; }
    // The four lines: 0 width, 1 height, 2 depth, 3 file size.
    wxString LineText(int i) const;

  private:
    void OnPaintPicture(wxPaintEvent& event);
    void OnUpdateUi(wxUpdateUIEvent& event);

    brindle::BitmapPreview preview_;
    wxPanel* picture_ = nullptr;
    wxStaticText* lines_[4] = {};
};

class CBmpDialog : public wxFileDialog {
  public:
    // Opens in `folder` (the panel's folder); `style` adds to wxFD_OPEN.
    CBmpDialog(wxWindow* parent, const std::string& folder, long style = wxFD_FILE_MUST_EXIST);

    // The chosen file's full path, after OK.
    std::string Path() const;
};

// The bitmap chooser as the dialogs run it: the chosen file's full path, or nullopt on Cancel.
// Tests put their own chooser in place with SetBitmapChooser (an empty function restores CBmpDialog).
using BitmapChooser = std::function<std::optional<std::string>(wxWindow* parent, const std::string& folder)>;
std::optional<std::string> ChooseBitmapFile(wxWindow* parent, const std::string& folder);
void SetBitmapChooser(BitmapChooser chooser);
