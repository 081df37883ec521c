// The gauge edits that need no window: hit, band and handle tests in panel units, moving and
// resizing one gauge, the arrangement commands over the shown window's gauge list (line up, stack,
// same size, aspect ratio, snap, drawing order, select all, delete) and the one-level undo record.
// The editing controller (editing.h) feeds them the cursor in panel units and repaints around them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "view/geometry.h"
#include "view/view_records.h"

namespace brindle {

// Where a moved gauge may go, and how small or large the mouse may make it.
inline constexpr double kGaugeCoordMin = -500.0;
inline constexpr double kGaugeCoordMax = 30000.0;
inline constexpr double kGaugeSizeMin = 10.0;
inline constexpr double kGaugeSizeMax = 30000.0;

// trunc() of panel units into an int; values out of range are held at a bound well inside int so
// that sums of two of them cannot overflow, and NaN gives 0.
int TruncUnits(double d);

// A gauge's extent in whole panel units as the hit and band tests see it: element 0's pixel size at
// the gauge's scales when it is loaded or has a width; otherwise (a placeholder) 20 pixels at the x
// scale on both sides.
struct UnitExtent {
    int w = 0;
    int h = 0;
};
UnitExtent HitExtent(const ViewGauge& g);

// The point lies strictly inside the gauge. A deleted gauge is never hit.
bool HitTest(const ViewGauge& g, ViewPoint units);
// The last drawn (highest index) gauge under the point, or -1.
int TopmostGaugeAt(const std::vector<ViewGauge>& gauges, ViewPoint units);
// The gauge lies entirely inside the band whose corners are a and b (any order, panel units).
bool CaughtByBand(const ViewGauge& g, ViewPoint a, ViewPoint b);

// What part of a gauge a point is over.
enum GaugeHandle : int {
    kHandleInterior = 0,
    kHandleTopLeft = 1,
    kHandleTopRight = 2,
    kHandleBottomLeft = 3,
    kHandleBottomRight = 4,
    kHandleTop = 5,
    kHandleBottom = 6,
    kHandleLeft = 7,
    kHandleRight = 8,
    kHandleBorder = 9,  // near a side but on no handle: no action
};
// The handle under `units`: corners first, then (outside FS98, where a gauge has its own height)
// the right, left, top and bottom edges, then the border zone. The handle side is a quarter of the
// smaller side, 1 to 10 units. 0 for a gauge of width 0 or a deleted one.
int HandleAt(const ViewGauge& g, ViewPoint units, SimMode mode);

// The size a gauge is drawn at, in panel units (real): element 0's pixel size at its scales, or its
// width (and height, or width again) when element 0 has no pixel size.
double DrawnWidthUnits(const ViewGauge& g);
double DrawnHeightUnits(const ViewGauge& g);

// Keeps a coordinate inside kGaugeCoordMin..kGaugeCoordMax.
double LimitCoord(double v);
// A mouse move of (dx, dy) client pixels: trunc(d / zoom / scale) units, at least one unit in the
// direction of a non-zero d; the result kept inside the coordinate limits.
void MoveByPixels(ViewGauge& g, int dx, int dy, double zoom, double scale);
// A move by whole units (the arrow keys), kept inside the coordinate limits.
void MoveByUnits(ViewGauge& g, double dx, double dy);
// Width, and a height that is given, kept inside kGaugeSizeMin..kGaugeSizeMax (through the setters).
void LimitSize(ViewGauge& g, SimMode mode);

// One step of a resize with handle `handle`: the cursor at (cx, cy) in panel units (not rounded).
// Corners scale or extend the width and, outside FS98, the height; with Shift a corner drops a
// given height so that the gauge takes its bitmap's aspect again. Edges (outside FS98) first make
// an implicit height explicit. The size is then limited and the opposite corner or edge stays where
// it was.
void ResizeByHandle(ViewGauge& g, int handle, double cx, double cy, bool shift, SimMode mode);

// How tall and wide a gauge is drawn, in panel units, for the rules that fall back on the drawn size
// when a height (or width) is not given. The controller measures the gauge's rectangle on the view.
struct DrawnSize {
    std::function<double(int index)> width;
    std::function<double(int index)> height;
};
// The height the status bar shows: the given height, or the drawn height when it is 0.
double EffectiveHeight(const std::vector<ViewGauge>& gauges, int index, const DrawnSize& drawn);
double EffectiveWidth(const std::vector<ViewGauge>& gauges, int index, const DrawnSize& drawn);

int SelectedCount(const std::vector<ViewGauge>& gauges);
// Indexes of the selected gauges, in index order.
std::vector<int> SelectedIndexes(const std::vector<ViewGauge>& gauges);

// Line Up Vertically: with two or more selected, every selected gauge takes the x of the topmost one
// (the first in index order on ties). Line Up Horizontally: the y of the leftmost one. False when
// nothing was lined up.
bool LineUpVertically(std::vector<ViewGauge>& gauges);
bool LineUpHorizontally(std::vector<ViewGauge>& gauges);

// Stack Vertically: the selected gauges sorted by their distance from the window origin (ties keep
// index order); the first stays, the others follow it below without gaps at its x. Horizontally
// the same to the right at its y. False with fewer than two or a first gauge of no size.
bool StackVertically(std::vector<ViewGauge>& gauges, const DrawnSize& drawn);
bool StackHorizontally(std::vector<ViewGauge>& gauges, const DrawnSize& drawn);

// Set Same Size: with two or more selected and a largest (smallest) width above 0, every selected
// gauge gets the largest (smallest) width and height; the present flags stay. False otherwise.
bool SameSize(std::vector<ViewGauge>& gauges, bool largest, const DrawnSize& drawn, SimMode mode);

// Set Aspect Ratio to 1.0 on gauge `index`: the width becomes at least the height, and the height
// becomes not given (the bitmap's aspect).
void AspectRatioOne(std::vector<ViewGauge>& gauges, int index, const DrawnSize& drawn, SimMode mode);

// Snap To Grid on one gauge: x and y to the nearest multiple of `gridSize` (a remainder of half a
// grid or more goes up; a negative coordinate's remainder is negative). Nothing when gridSize is 0.
void SnapToGrid(ViewGauge& g, int gridSize);

// Drawing order of the one selected gauge.
enum class OrderMove { kUp, kToFront, kDown, kToBack };
inline constexpr const char* kMultipleSelectedMessage =
    "Multiple Gauges are selected, I can only move one at a time!";
inline constexpr const char* kAlreadyOnTopMessage = "This Gauge is already on the top\nand the last drawn!";
inline constexpr const char* kAlreadyFirstMessage = "This Gauge is already Gauge 00\nand the first drawn!";
struct OrderResult {
    bool changed = false;
    std::string message;  // the warning to show, or empty
};
OrderResult MoveInDrawingOrder(std::vector<ViewGauge>& gauges, OrderMove move);

// Gives every gauge its place in the list as its number.
void Renumber(std::vector<ViewGauge>& gauges);
// Drops the gauges marked deleted and renumbers the rest. Returns how many were dropped.
int CompactDeleted(std::vector<ViewGauge>& gauges);
// Marks the selected gauges deleted and compacts the list. Returns how many were removed.
int DeleteSelected(std::vector<ViewGauge>& gauges);

// The one-level undo record: a full copy of the gauge list, and whether Undo or Redo is offered.
// Undo and Redo exchange the live list with the record, so they alternate between two states.
class UndoRecord {
  public:
    // Takes a snapshot of `gauges` (of the window `window`): undo available, redo not.
    void Record(const std::vector<ViewGauge>& gauges, int window);
    // Withdraws the step just recorded (the command changed nothing).
    void Withdraw() { undo_ = false; }
    // Forgets everything: nothing to undo or redo.
    void Clear();
    bool UndoAvailable() const { return undo_; }
    bool RedoAvailable() const { return redo_; }
    // The window the snapshot belongs to.
    int Window() const { return window_; }
    // Exchange with the live list; false (nothing done) when not available.
    bool Undo(std::vector<ViewGauge>& gauges);
    bool Redo(std::vector<ViewGauge>& gauges);
    const std::vector<ViewGauge>& Snapshot() const { return snapshot_; }

  private:
    std::vector<ViewGauge> snapshot_;
    int window_ = -1;
    bool undo_ = false;
    bool redo_ = false;
};

}  // namespace brindle
