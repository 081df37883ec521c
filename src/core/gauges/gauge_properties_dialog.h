// The engine of "Brindle - Gauge Properties": one gauge of the shown window with what the gauge
// module reader found for it, its position, size and parameter typed as text and applied with the
// checks in their order, Hide/UnHide, Delete Gauge, choosing another gauge of the window, and OK and
// Cancel. Changes go straight into the view's gauges (so the view shows them while the dialog is
// open); the first change of a run records the undo step. The wx dialog and `brindle-cli
// gauge-props` only show this state and call its steps.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "view/image.h"
#include "view/view_records.h"

namespace brindle {

class PanelView;
class EditingController;

// The picture of a gauge as the view draws it at its own size: every element bitmap at its place,
// at the size of its first element bitmap. Empty when the gauge has no first bitmap.
Image GaugePicture(const ViewGauge& gauge, bool transparentGauges);

// The family of a header version as the dialog shows it: "FS98", "FS2000", "CFS", "CFS2", "Unknown".
const char* GaugeVersionFamily(int version);

class GaugePropertiesDialogLogic {
  public:
    static constexpr const char* kTitle = "Brindle - Gauge Properties";
    static constexpr const char* kSizeXInvalid = "The \"Size X\" field is invalid";
    static constexpr const char* kSizeYInvalid = "The \"Size Y\" field is invalid";
    static constexpr const char* kXInvalid = "The \"X\" field is invalid";
    static constexpr const char* kYInvalid = "The \"Y\" field is invalid";
    static constexpr const char* kNotValidInFs98 = "Not Valid in FS98";
    static constexpr int kHelpTopic = 170;
    static constexpr std::size_t kMaxParameter = 259;

    // Opens for gauge `index` of `view`'s shown window. `editing` records the undo step (may be
    // null); `markModified` marks the document modified.
    GaugePropertiesDialogLogic(PanelView& view, EditingController* editing,
                               std::function<void()> markModified, int index);

    // The gauge list: the references in gauge-number order, and the line shown.
    std::vector<std::string> ListLines() const;
    int CurrentIndex() const { return current_; }
    bool HasGauge() const;

    // What the dialog shows of the current gauge.
    std::string FileNameText() const;
    std::string IndexText() const;
    std::string GaugeNameText() const;
    std::string WarningText() const;
    std::string BitmapWidthText() const;
    std::string BitmapHeightText() const;
    std::string VersionText() const;
    std::string HideButtonLabel() const;

    // The edits: their texts as typed; setting one marks it edited.
    struct Fields {
        std::string x, y, sizeX, sizeY, parameter;
    };
    const Fields& Texts() const { return fields_; }
    void SetX(std::string t);
    void SetY(std::string t);
    void SetSizeX(std::string t);
    void SetSizeY(std::string t);
    void SetParameter(std::string t);
    bool ApplyEnabled() const;
    // Size Y and its label are shown (not in FS98 mode); the parameter edit is shown (not for an
    // FS98 gauge) and enabled (not in FS98 mode); its label ("Param" or empty).
    bool SizeYShown() const;
    bool ParameterShown() const;
    bool ParameterEnabled() const;
    std::string ParameterLabel() const;
    // The red warning colours of the edits (they only warn).
    bool XRed() const;
    bool YRed() const;
    bool SizeXRed() const;
    bool SizeYRed() const;

    // Apply: false when a field was refused (its warning shown, the field reset to the saved value).
    bool Apply();
    void ToggleHidden();
    void DeleteGauge();
    void ChooseGauge(int line);
    // OK: Apply, then the document marked modified when anything changed. False (the dialog stays
    // open) when Apply refused a field.
    bool Ok();
    // Cancel: the shown gauge's five values as they were when it was shown.
    void Cancel();
    bool Modified() const { return modified_; }

    // The preview: the gauge's picture scaled into w x h with its aspect kept, centred, on `face`.
    Image PreviewImage(int w, int h, Pixel face) const;

  private:
    ViewGauge* Current();
    const ViewGauge* Current() const;
    void Show();
    void RedrawGauge(int index);
    void RecordUndoOnce();
    void ClearFocusOfAll();

    PanelView* view_;
    EditingController* editing_;
    std::function<void()> markModified_;
    int current_ = 0;
    double savedWidth_ = 0, savedHeight_ = 0, savedX_ = 0, savedY_ = 0;
    std::string savedParameter_;
    bool savedHidden_ = false;
    bool savedWidthPresent_ = false, savedHeightPresent_ = false;
    bool xEdited_ = false, yEdited_ = false, widthEdited_ = false, heightEdited_ = false,
         parameterEdited_ = false, hiddenToggled_ = false;
    bool modified_ = false;
    bool undoRecorded_ = false;
    Fields fields_;
};

}  // namespace brindle
