// Where things are on the panel view: the conversions between panel units, bitmap pixels and view
// pixels, the zoom commands with their limits and scroll rules, fit-to-window, the grid and the
// texts of the status-bar panes. Everything here is free of any window: the shell feeds the client
// size and scroll position in, applies the scroll sizes and positions that come out, and repaints.
//
// Coordinate spaces:
//   panel units  - a window's size_mm space; gauge positions and sizes
//   bitmap pixels - the background bitmap's pixels (units x Scale)
//   view pixels  - bitmap pixels x Zoom; the scrolled content. Client pixels = view pixels - scroll.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "view/image.h"

namespace brindle {

struct ViewPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const ViewPoint&, const ViewPoint&) = default;
};

struct ViewSize {
    int width = 0;
    int height = 0;
    friend bool operator==(const ViewSize&, const ViewSize&) = default;
};

// floor(d), or ceil(d) when the fraction is above one half: an exact half rounds down.
int RoundHalfDown(double d);

// Panel units to view pixels: v x zoom x scale, rounded with RoundHalfDown.
ViewPoint UnitsToView(ViewPoint units, double zoom, double scale);
// Client pixels to panel units: ((c + scroll) / zoom) / scale, rounded with RoundHalfDown. A zoom
// or scale of 0 gives the point back unchanged.
ViewPoint ViewToUnits(ViewPoint client, double zoom, double scale, ViewPoint scroll);
// The scrolled content size for a w x h bitmap: (trunc(zoom x w), trunc(zoom x h)).
ViewSize ScrollSizesForZoom(double zoom, int w, int h);

// The zoom limits of the settings: one more step in (Zoom x ZoomStep <= ZoomMax) or out
// (Zoom / ZoomStep >= ZoomMin) stays inside them.
bool ZoomInWithinLimits(const Settings& settings);
bool ZoomOutWithinLimits(const Settings& settings);

// The zoom that fits a bitmap into a client area: the smaller of the two ratios, clamped to the
// settings' limits. nullopt when the bitmap or the client area has no size.
std::optional<double> FitZoom(const Settings& settings, ViewSize client, int bitmapWidth, int bitmapHeight);

// The view's scroll state and the zoom commands. Zoom itself lives in the settings; the view state
// holds the shown window's size and scale, the client size, the scroll sizes last applied and the
// scroll position. Positions are kept inside the scroll range as a scroll bar keeps them.
class ViewGeometry {
  public:
    explicit ViewGeometry(Settings& settings) : settings_(&settings) {}

    Settings& settings() const { return *settings_; }
    double Zoom() const { return settings_->Zoom(); }

    // The shown window: background size in bitmap pixels and bitmap pixels per panel unit.
    void SetWindowMetrics(int bitmapWidth, int bitmapHeight, double scale);
    int BitmapWidth() const { return bitmapWidth_; }
    int BitmapHeight() const { return bitmapHeight_; }
    double Scale() const { return scale_; }

    // The client area as the shell last measured it.
    void SetClientSize(ViewSize client);
    ViewSize ClientSize() const { return client_; }

    // The content size last applied, and the scroll position inside it.
    ViewSize ScrollSize() const { return scrollSize_; }
    ViewPoint ScrollPosition() const { return scroll_; }
    // Sets the position, kept inside 0..(content - client) on each axis.
    void SetScrollPosition(ViewPoint p);
    // The largest scroll position on each axis (0 where the content fits).
    ViewPoint MaxScrollPosition() const;

    // Scroll sizes = ScrollSizesForZoom(Zoom, w, h); the position is kept inside the new range.
    void SetScrollSizesForZoom(int w, int h);
    // The same with the shown window's bitmap size.
    void ApplyScrollSizes() { SetScrollSizesForZoom(bitmapWidth_, bitmapHeight_); }

    // Zoom In: false (nothing changed) at the limit; otherwise multiplies the zoom, moves the
    // scroll position towards the middle of the old content and applies the new scroll sizes.
    bool ZoomIn();
    // Zoom Out: divides the zoom (clamped), applies the new scroll sizes and moves the position back.
    void ZoomOut();
    // Fit: applies the scroll sizes for the current zoom, then (the shell having measured the
    // client area again if scroll bars came or went) sets the zoom that fits the client area,
    // applies its scroll sizes and scrolls to the origin.
    void Fit();
    // A size change of the client area: scroll sizes again; when the client is wider and taller
    // than the unzoomed bitmap, back to the origin.
    void OnSize(ViewSize client);

    // Conversions with the current zoom, scale and scroll position.
    ViewPoint ToView(ViewPoint units) const { return UnitsToView(units, Zoom(), scale_); }
    ViewPoint ToUnits(ViewPoint client) const { return ViewToUnits(client, Zoom(), scale_, scroll_); }

  private:
    Settings* settings_;
    int bitmapWidth_ = 0, bitmapHeight_ = 0;
    double scale_ = 1.0;
    ViewSize client_;
    ViewSize scrollSize_;
    ViewPoint scroll_;
};

// The grid: colour, dot shapes and the window size it covers.
inline constexpr Pixel kGridColour = MakePixel(175, 175, 127);
enum class GridDotShape { kPixel, kCross, kSquare };
// The window's size in panel units: trunc(bitmap size / scale).
ViewSize GridExtent(int bitmapWidth, int bitmapHeight, double scale);
// By density n = trunc((W / g) / zoom): above 20 one pixel, 11 to 20 an X of five pixels, up to 10
// a 3 x 3 square.
GridDotShape GridDotShapeFor(int windowUnitsWidth, int gridSize, double zoom);
// One dot centred on (x, y), set pixel by pixel inside `clip`.
void DrawGridDot(Image& dst, int x, int y, GridDotShape shape, const PixelRect& clip);

// Grid Properties: spacing 5 to 100.
inline constexpr int kGridSizeMin = 5;
inline constexpr int kGridSizeMax = 100;
// The edit field's text on opening ("%4d").
std::string FormatGridSizeField(int gridSize);
// A whole number between 5 and 100 (surrounding blanks allowed), or nullopt.
std::optional<int> ParseGridSize(std::string_view text);
// The validation message for the field's text, or nullopt when it is accepted: "Please enter an
// integer." for text that is not a whole number, "Please enter an integer between 5 and 100." for
// one outside the range.
std::optional<std::string> GridSizeError(std::string_view text);

// Texts of the status-bar panes.
std::string CursorXPaneText(int cursorX);  // "X=%d"
std::string CursorYPaneText(int cursorY);  // "Y=%d"
std::string ZoomPaneText(double zoom);     // "%6.2f"
// "Fixed Window%02d" for a Fixed Window, else "Window%02d" with the window index; empty without a
// panel (call with panelLoaded false).
std::string WindowPaneText(bool panelLoaded, bool fixedWindow, int fixedNumber, int windowIndex);
std::string ModifiedPaneText(bool modified);  // " * " or three blanks
std::string ModePaneText(SimMode mode);       // "FS2K", "FS98", "CFS", "CFS2"

// The third pane: what a drag is doing, or the one selected gauge.
struct GaugePaneState {
    bool moving = false;    // gauges are being moved: the origin of the moved gauge
    bool resizing = false;  // a gauge is being resized: its size
    double originX = 0, originY = 0;
    double sizeWidth = 0, sizeHeight = 0;
    int selectedCount = 0;  // exactly one: "(index) reference"
    int selectedIndex = 0;
    std::string selectedName;
};
std::string GaugePaneText(const GaugePaneState& state);

}  // namespace brindle
