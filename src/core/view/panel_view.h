// The panel view's engine: the shown window's records (ViewWindow with its ViewGauge list), the
// view's drawing state and geometry, and painting into an Image. The wx view and the editing
// controller drive it: they change gauges through Gauges(), ask GaugeRect for the client rectangles
// to repaint, and call Paint for each update region.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "panel/panel.h"
#include "view/geometry.h"
#include "view/image.h"
#include "view/render.h"
#include "view/view_records.h"

namespace brindle {

// Where the view reports the client rectangles that need painting. The shell invalidates its window
// and, for UpdateNow, paints the invalid parts at once.
class ViewInvalidator {
  public:
    virtual ~ViewInvalidator() = default;
    virtual void Invalidate(const PixelRect& clientRect) = 0;
    virtual void InvalidateAll() = 0;
    virtual void UpdateNow() {}
};

// Progress of loading a window's gauges: called with (0, total, "") first, then before each gauge
// with its number and reference, and with (total, total, "") at the end.
using GaugeLoadProgress = std::function<void(int done, int total, const std::string& reference)>;
inline constexpr const char* kLoadingGaugesLabel = "Loading Gauges";
// The status text while one gauge is read: "Reading %s".
std::string ReadingGaugeText(const std::string& reference);

// What the view keeps of the shown PanelWindow for painting and titles.
struct ShownWindow {
    int index = -1;  // place in the panel's window list
    WindowKind kind = WindowKind::Window;
    int fixedNumber = 0;
    int vcockpitNumber = 0;
    std::string title;
    bool hasFile = false;      // file= given
    bool hasFile1024 = false;  // file_1024= given
    Pixel backgroundColour = kWhite;
    int sizeMmX = 0, sizeMmY = 0;
    bool sizeMmPresent = false, sizeMmYPresent = false;

    static ShownWindow From(const PanelWindow& window, int index);
};

// The background bitmap file the view loads for `window`: file_1024 with HighRes outside FS98, else
// file (file_1024 when only that is given outside FS98), in the folder of Settings CurrentFile.
// Empty when the window names no bitmap.
std::string BackgroundBitmapPath(const PanelWindow& window, const Settings& settings);

// The title of the main frame for the shown window.
std::string MainFrameTitle(bool panelLoaded, const std::string& currentFile, const std::string& lastTitle,
                           const ShownWindow* window);

class PanelView {
  public:
    explicit PanelView(Settings& settings);

    Settings& settings() const { return *settings_; }
    ViewGeometry& Geometry() { return geometry_; }
    const ViewGeometry& Geometry() const { return geometry_; }
    ViewWindow& Window() { return window_; }
    const ViewWindow& Window() const { return window_; }
    std::vector<ViewGauge>& Gauges() { return window_.gauges; }
    const std::vector<ViewGauge>& Gauges() const { return window_.gauges; }
    // The shown window, or null while none is shown.
    const ShownWindow* Shown() const { return shown_ ? &*shown_ : nullptr; }

    void SetInvalidator(ViewInvalidator* invalidator) { invalidator_ = invalidator; }

    // Builds the records of window `windowIndex` of `panel`: the gauge list, the background
    // (file_1024 with HighRes outside FS98, else file; beside Settings CurrentFile), the gauges'
    // bitmaps through LoadGaugeImages, then resets the outline cycle, fits and repaints. The window's
    // bitmap size and its gauges' loaded marks are written back into `panel`. False (and nothing
    // shown) for an index outside the panel.
    bool ShowPanelWindow(Panel& panel, int windowIndex, const GaugeLoadProgress& progress = {});
    // Shows records built elsewhere (tests, benchmarks, the undo step of a whole window): `window`
    // as it is, for the panel window `info`; geometry and outline cycle as ShowPanelWindow leaves them.
    void ShowRecords(ViewWindow window, const ShownWindow& info);
    // No window shown (the document was closed).
    void Clear();
    // Reads the shown window's background bitmap again (it was edited outside), keeping the gauges,
    // the selection and the zoom; the new bitmap size is written into `window`. False when no window
    // is shown or the bitmap could not be read (the window then falls back to its size_mm).
    bool ReloadBackground(PanelWindow& window);

    // Writes the gauge list back into `window` in drawing order, deleted gauges left out.
    void StorePanelWindow(PanelWindow& window) const;

    // Removes gauge `index` with a red flash, then compacts the list.
    void RemoveGauge(int index);
    // Drops the gauges marked deleted and renumbers the rest by their place.
    void CompactGauges();

    // Placement of elements with the current zoom, scale, scroll position and element filter.
    PlacementParams Placement() const;
    // Gauge `index`'s rectangle in client pixels (empty for an index out of range).
    PixelRect GaugeRect(int index);
    // What must be repainted when gauge `index` changes: everything it draws (its elements, outline,
    // handles and origin marker). The editing controller invalidates this before and after a change.
    PixelRect GaugeDirtyRect(int index);
    std::optional<PixelRect> ElementRect(int gauge, int slot);

    // Paints the client rectangle `clip` into `out`, whose pixel (0, 0) is the client point
    // `origin`. Nothing outside `clip` and `out` is touched.
    void Paint(Image& out, ViewPoint origin, const PixelRect& clip);
    // The client rectangle `clip` as an image of its size.
    Image PaintRect(const PixelRect& clip);
    // The whole window at the current zoom, from the origin (what a capture or the command line
    // shows); the scroll position is left as it was.
    Image PaintWholeWindow();

    // The view's own drawing state.
    int OutlineMode() const { return outlineMode_; }
    bool DrawGaugeBitmaps() const { return drawGaugeBitmaps_; }
    void SetDrawGaugeBitmaps(bool on);
    // Outline Gauges: one step of the four-step cycle.
    void CycleOutlineMode();
    // Sets the outline mode directly (the command line's option), as that many steps from 0 would.
    void SetOutlineMode(int mode);

    // Gauges being moved with the mouse show the origin marker.
    void SetMovingGauges(bool moving);
    bool MovingGauges() const { return moving_; }
    // The selected, loaded gauges nearest the window origin (several when tied).
    std::vector<int> OriginMarkerGauges() const;

    // Toggles of the settings the picture depends on; each repaints.
    void ToggleTransparentGauges();
    void ToggleDrawAllBitmaps();
    // Toggles one element type of GaugeDrawTypes (not the static images); false when unavailable.
    bool ToggleElementType(int bit);
    static bool ElementTypeToggleEnabled(const Settings& s) { return s.DrawAllBitmaps() != 0; }
    void ToggleGrid();
    void SetGridSize(int size);
    // Stretch quality changes (UseHalftoneBLT) need the scaled bitmaps made again.
    void StretchQualityChanged();

    // Hide and UnHide Gauge Bitmaps on the selected gauges.
    bool CanHide() const;
    bool CanUnhide() const;
    void HideSelected();
    void UnhideSelected();

    // Test Sky Color: offered when the window has a bitmap name and the loaded background has a
    // colour table; entry 0 is set until the bitmap is loaded again.
    bool CanTestSkyColor() const;
    Pixel SkyColor() const;
    bool SetSkyColor(Pixel colour);

    bool BackgroundLoaded() const { return window_.data.has_value(); }

    // Zoom commands through the geometry, repainting everything.
    bool ZoomIn();
    void ZoomOut();
    void Fit();
    void SetZoom(double zoom);

    // Tells the view its cached scaled bitmaps may no longer match (gauges edited in bulk).
    void DropCaches();
    void InvalidateAll();
    void Invalidate(const PixelRect& r);

  private:
    // Reads the background and writes its size into `pw` when it could be read.
    void LoadBackground(PanelWindow& pw);
    void UseBackgroundMetrics();
    const Image* BackgroundImage();
    void PaintBackground(Image& out, ViewPoint origin, const PixelRect& clip);
    void PaintGauge(int index, Image& out, ViewPoint origin, const PixelRect& clip, const PlacementParams& p,
                    const std::vector<int>& markers);
    void PaintGrid(Image& out, ViewPoint origin, const PixelRect& clip);

    Settings* settings_;
    ViewGeometry geometry_;
    ViewWindow window_;
    std::optional<ShownWindow> shown_;
    ViewInvalidator* invalidator_ = nullptr;

    int outlineMode_ = 0;
    bool drawGaugeBitmaps_ = true;
    bool moving_ = false;

    // The decoded background and its copy at the current zoom.
    std::optional<Image> background_;
    Image scaledBackground_;
    double scaledZoom_ = 0;
    StretchQuality scaledQuality_ = StretchQuality::kColorOnColor;
    ScaledBitmapCache elements_;
};

}  // namespace brindle
