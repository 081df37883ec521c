// "Brindle - Create Color Palette": a thin shell over ColorPaletteEditor.
#pragma once

#include <wx/dialog.h>

#include <array>
#include <functional>
#include <optional>
#include <string>

#include "dialogs/color_palette.h"

class wxButton;
class wxListBox;
class wxPanel;
class wxTextCtrl;

class CColorPaletteDlg : public wxDialog {
  public:
    // Asks for a colour starting from one; nullopt when cancelled.
    using ColourChooser = std::function<std::optional<brindle::ColorEntry>(wxWindow*, brindle::ColorEntry)>;

    // `bitmapPath` is the current window's background bitmap (empty when it names none).
    CColorPaletteDlg(wxWindow* parent, const brindle::Panel& panel, std::string bitmapPath,
                     ColourChooser chooseColour = {});

    brindle::ColorPaletteEditor& Editor() { return editor_; }
    // OK ended the dialog: the working copy goes into `panel` (only when it was modified).
    void WriteBack(brindle::Panel& panel) const { editor_.Ok(panel); }

    // What the controls do, for the tests.
    void SelectLine(int line);
    void PressApply();
    void PressDelete();
    void PressNewColor();
    void PressReCalculate();
    wxListBox* List() const { return list_; }
    wxTextCtrl* Component(int k) const { return edits_[k]; }
    wxButton* ApplyButton() const { return apply_; }
    wxButton* DeleteButton() const { return delete_; }

  private:
    void Fill();
    void UpdateButtons();
    void OnPaintSample(wxPaintEvent& event);

    brindle::ColorPaletteEditor editor_;
    std::string bitmapPath_;
    ColourChooser chooseColour_;
    wxListBox* list_ = nullptr;
    std::array<wxTextCtrl*, 3> edits_{};
    wxPanel* sample_ = nullptr;
    wxButton *apply_ = nullptr, *delete_ = nullptr;
};
