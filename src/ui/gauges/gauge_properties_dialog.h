// "Brindle - Gauge Properties": the shell of GaugePropertiesDialogLogic, over the view's gauges.
#pragma once

#include <wx/dialog.h>

#include <functional>

#include "gauges/gauge_properties_dialog.h"

class wxListBox;
class wxStaticText;
class wxTextCtrl;
class wxButton;
class wxPanel;

class CGaugePropertiesDlg : public wxDialog {
  public:
    CGaugePropertiesDlg(wxWindow* parent, brindle::PanelView& view, brindle::EditingController* editing,
                        std::function<void()> markModified, int index);

    brindle::GaugePropertiesDialogLogic& Logic() { return logic_; }

    // The controls, for the GUI tests.
    wxListBox* List() const { return list_; }
    wxTextCtrl* XEdit() const { return x_; }
    wxTextCtrl* YEdit() const { return y_; }
    wxTextCtrl* SizeXEdit() const { return sizeX_; }
    wxTextCtrl* SizeYEdit() const { return sizeY_; }
    wxTextCtrl* ParamEdit() const { return param_; }
    wxButton* ApplyButton() const { return apply_; }
    wxButton* HideButton() const { return hide_; }
    wxStaticText* Warning() const { return warning_; }

    // Every control shows the engine's state again (the edits' texts only with `fields`).
    void Sync(bool fields = true);
    // The buttons as a click runs them.
    void ClickApply();
    void ClickHide();
    void ClickDelete();
    void ClickOk();
    void ClickCancel();
    void ChooseGauge(int line);

  private:
    // Set while Sync changes the controls: the toolkit may report those changes as the user's.
    bool syncing_ = false;
    void OnPaintPreview(wxPaintEvent& event);
    void Edited();

    brindle::GaugePropertiesDialogLogic logic_;
    wxListBox* list_ = nullptr;
    wxPanel* preview_ = nullptr;
    wxStaticText* fileName_ = nullptr;
    wxStaticText* index_ = nullptr;
    wxStaticText* gaugeName_ = nullptr;
    wxStaticText* warning_ = nullptr;
    wxTextCtrl* x_ = nullptr;
    wxTextCtrl* y_ = nullptr;
    wxTextCtrl* sizeX_ = nullptr;
    wxTextCtrl* sizeY_ = nullptr;
    wxStaticText* sizeYLabel_ = nullptr;
    wxTextCtrl* param_ = nullptr;
    wxStaticText* paramLabel_ = nullptr;
    wxStaticText* bitmapWidth_ = nullptr;
    wxStaticText* bitmapHeight_ = nullptr;
    wxStaticText* version_ = nullptr;
    wxButton* apply_ = nullptr;
    wxButton* hide_ = nullptr;
    wxButton* delete_ = nullptr;
};
