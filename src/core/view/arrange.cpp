#include "view/arrange.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace brindle {

namespace {

double YScaleOf(const ViewGauge& g) {
    return g.YScale() != 0.0 ? g.YScale() : g.XScale();
}

// The explicit height an implicit one stands for: the width at element 0's aspect.
double ImplicitHeight(const ViewGauge& g) {
    const ElementSlot& s0 = g.slots[0];
    if (s0.bitmapWidth != 0 && s0.bitmapHeight != s0.bitmapWidth)
        return g.Width() * s0.bitmapHeight / s0.bitmapWidth;
    return g.Width();
}

void MakeHeightExplicit(ViewGauge& g, SimMode mode) {
    if (g.Height() != 0.0) return;
    g.SetHeight(ImplicitHeight(g), mode);
    g.heightPresent = true;
}

// Shift on a corner: a given height is dropped and the gauge takes its bitmap's aspect again.
void BackToBitmapAspect(ViewGauge& g, SimMode mode) {
    if (g.Height() == 0.0) return;
    g.SetWidth(std::max(g.Width(), g.Height()), mode);
    g.SetHeight(0.0, mode);
    g.heightPresent = false;
}

double Ratio(double num, double den) {
    return den != 0.0 ? num / den : 1.0;
}

}  // namespace

int TruncUnits(double d) {
    if (std::isnan(d)) return 0;
    return static_cast<int>(std::clamp(d, -double(1 << 28), double(1 << 28)));
}

UnitExtent HitExtent(const ViewGauge& g) {
    const ElementSlot& s0 = g.slots[0];
    if (g.loaded || g.widthPresent)
        return {TruncUnits(s0.bitmapWidth * g.XScale()), TruncUnits(s0.bitmapHeight * YScaleOf(g))};
    const int side = TruncUnits(g.XScale() * 20);
    return {side, side};
}

bool HitTest(const ViewGauge& g, ViewPoint u) {
    if (g.deleted) return false;
    const UnitExtent e = HitExtent(g);
    const int l = TruncUnits(g.x), t = TruncUnits(g.y);
    return l < u.x && u.x < l + e.w && t < u.y && u.y < t + e.h;
}

int TopmostGaugeAt(const std::vector<ViewGauge>& gauges, ViewPoint units) {
    for (int i = static_cast<int>(gauges.size()) - 1; i >= 0; --i) {
        if (HitTest(gauges[static_cast<size_t>(i)], units)) return i;
    }
    return -1;
}

bool CaughtByBand(const ViewGauge& g, ViewPoint a, ViewPoint b) {
    if (g.deleted) return false;
    const int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
    const int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
    const UnitExtent e = HitExtent(g);
    const int l = TruncUnits(g.x), t = TruncUnits(g.y);
    return left < l && right > l + e.w && top < t && bottom > t + e.h;
}

int HandleAt(const ViewGauge& g, ViewPoint u, SimMode mode) {
    if (g.Width() == 0.0 || g.deleted) return kHandleInterior;
    const ElementSlot& s0 = g.slots[0];
    const int l = TruncUnits(g.x), t = TruncUnits(g.y);
    const int w = TruncUnits(s0.bitmapWidth * g.XScale()), h = TruncUnits(s0.bitmapHeight * YScaleOf(g));
    const int r = l + w, b = t + h;
    const int s = std::clamp(TruncUnits(std::min(w, h) * 0.25), 1, 10);
    auto in = [](int v, int lo, int hi) { return lo <= v && v <= hi; };

    if (in(u.x, l, l + s) && in(u.y, t, t + s)) return kHandleTopLeft;
    if (in(u.x, r - s, r) && in(u.y, t, t + s)) return kHandleTopRight;
    if (in(u.x, l, l + s) && in(u.y, b - s, b)) return kHandleBottomLeft;
    if (in(u.x, r - s, r) && in(u.y, b - s, b)) return kHandleBottomRight;
    if (mode != kModeFS98) {
        if (in(u.x, r - s, r + s) && in(u.y, t + s, b - s)) return kHandleRight;
        if (in(u.x, l - s, l + s) && in(u.y, t + s, b - s)) return kHandleLeft;
        if (in(u.x, l + s, r - s) && in(u.y, t - s, t + s)) return kHandleTop;
        if (in(u.x, l + s, r - s) && in(u.y, b - s, b + s)) return kHandleBottom;
    }
    const bool inside = in(u.x, l, r) && in(u.y, t, b);
    if (inside && (u.x <= l + s || u.x >= r - s || u.y <= t + s || u.y >= b - s)) return kHandleBorder;
    return kHandleInterior;
}

double DrawnWidthUnits(const ViewGauge& g) {
    const ElementSlot& s0 = g.slots[0];
    return s0.bitmapWidth > 0 ? s0.bitmapWidth * g.XScale() : g.Width();
}

double DrawnHeightUnits(const ViewGauge& g) {
    const ElementSlot& s0 = g.slots[0];
    if (s0.bitmapHeight > 0) return s0.bitmapHeight * YScaleOf(g);
    return g.Height() != 0.0 ? g.Height() : DrawnWidthUnits(g);
}

double LimitCoord(double v) {
    if (std::isnan(v)) return 0.0;
    return std::clamp(v, kGaugeCoordMin, kGaugeCoordMax);
}

void MoveByPixels(ViewGauge& g, int dx, int dy, double zoom, double scale) {
    if (dx == 0 && dy == 0) return;
    const double zs = (zoom != 0.0 && scale != 0.0) ? zoom * scale : 1.0;
    auto step = [zs](int d) {
        const int i = TruncUnits(d / zs);
        // Zoomed in, a pixel is less than a unit: still move by one so the drag is not lost.
        if (i == 0 && d != 0) return d < 0 ? -1 : 1;
        return i;
    };
    g.x = LimitCoord(g.x + step(dx));
    g.y = LimitCoord(g.y + step(dy));
}

void MoveByUnits(ViewGauge& g, double dx, double dy) {
    g.x = LimitCoord(g.x + dx);
    g.y = LimitCoord(g.y + dy);
}

void LimitSize(ViewGauge& g, SimMode mode) {
    auto limit = [](double v) {
        return std::isnan(v) ? kGaugeSizeMin : std::clamp(v, kGaugeSizeMin, kGaugeSizeMax);
    };
    g.SetWidth(limit(g.Width()), mode);
    if (g.Height() != 0.0) g.SetHeight(limit(g.Height()), mode);
}

void ResizeByHandle(ViewGauge& g, int handle, double cx, double cy, bool shift, SimMode mode) {
    const bool fs98 = mode == kModeFS98;
    const double l = g.x, t = g.y;
    const double w = DrawnWidthUnits(g), h = DrawnHeightUnits(g);
    const double r = l + w, b = t + h;
    bool keepRight = false, keepBottom = false;

    // Outside FS98 a corner without Shift and an edge change the height itself: an implicit height
    // is made explicit first (the drawn one), so that grabbing a corner does not collapse it.
    const bool corner = handle >= kHandleTopLeft && handle <= kHandleBottomRight;
    const bool edge = handle >= kHandleTop && handle <= kHandleRight;
    if (!fs98 && ((corner && !shift) || edge)) MakeHeightExplicit(g, mode);
    // A corner outside FS98: Shift drops a given height; otherwise the height follows the cursor.
    auto cornerHeight = [&](auto change) {
        if (fs98) return;
        if (shift)
            BackToBitmapAspect(g, mode);
        else
            g.SetHeight(change(g.Height()), mode);
    };

    switch (handle) {
        case kHandleBottomRight:
            g.SetWidth(g.Width() + (cx - r), mode);
            cornerHeight([&](double ht) { return ht + (cy - b); });
            break;
        case kHandleTopLeft:
            g.SetWidth(g.Width() * Ratio(r - cx, w), mode);
            cornerHeight([&](double ht) { return ht * Ratio(b - cy, h); });
            keepRight = keepBottom = true;
            break;
        case kHandleTopRight:
            g.SetWidth(g.Width() + (cx - r), mode);
            cornerHeight([&](double ht) { return ht - (cy - t); });
            keepBottom = true;
            break;
        case kHandleBottomLeft:
            g.SetWidth(g.Width() * Ratio(r - cx, w), mode);
            cornerHeight([&](double ht) { return ht * Ratio(cy - t, h); });
            keepRight = true;
            break;
        case kHandleTop:
        case kHandleBottom:
        case kHandleLeft:
        case kHandleRight:
            if (fs98) return;
            if (handle == kHandleBottom) g.SetHeight(g.Height() + (cy - b), mode);
            if (handle == kHandleTop) {
                g.SetHeight(g.Height() - (cy - t), mode);
                keepBottom = true;
            }
            if (handle == kHandleRight) g.SetWidth(g.Width() + (cx - r), mode);
            if (handle == kHandleLeft) {
                g.SetWidth(g.Width() - (cx - l), mode);
                keepRight = true;
            }
            break;
        default:
            return;
    }
    LimitSize(g, mode);
    // The opposite side stays put, also when the limits stopped the size.
    if (keepRight) g.x = LimitCoord(r - DrawnWidthUnits(g));
    if (keepBottom) g.y = LimitCoord(b - DrawnHeightUnits(g));
}

double EffectiveHeight(const std::vector<ViewGauge>& gauges, int index, const DrawnSize& drawn) {
    const ViewGauge& g = gauges[static_cast<size_t>(index)];
    if (g.Height() != 0.0) return g.Height();
    return drawn.height ? drawn.height(index) : DrawnHeightUnits(g);
}

double EffectiveWidth(const std::vector<ViewGauge>& gauges, int index, const DrawnSize& drawn) {
    const ViewGauge& g = gauges[static_cast<size_t>(index)];
    if (g.Width() != 0.0) return g.Width();
    return drawn.width ? drawn.width(index) : DrawnWidthUnits(g);
}

int SelectedCount(const std::vector<ViewGauge>& gauges) {
    return static_cast<int>(std::count_if(gauges.begin(), gauges.end(),
                                          [](const ViewGauge& g) { return g.selected && !g.deleted; }));
}

std::vector<int> SelectedIndexes(const std::vector<ViewGauge>& gauges) {
    std::vector<int> out;
    for (size_t i = 0; i < gauges.size(); ++i) {
        if (gauges[i].selected && !gauges[i].deleted) out.push_back(static_cast<int>(i));
    }
    return out;
}

namespace {

// Line up: the selected gauges take `copied` of the one with the smallest `key`.
bool LineUp(std::vector<ViewGauge>& gauges, double ViewGauge::*key, double ViewGauge::*copied) {
    const std::vector<int> sel = SelectedIndexes(gauges);
    if (sel.size() < 2) return false;
    double best = 1.0e8;
    int ref = -1;
    for (int i : sel) {
        const ViewGauge& g = gauges[static_cast<size_t>(i)];
        if (ref < 0 || g.*key < best) {
            best = g.*key;
            ref = i;
        }
    }
    const double value = gauges[static_cast<size_t>(ref)].*copied;
    for (int i : sel) gauges[static_cast<size_t>(i)].*copied = value;
    return true;
}

bool Stack(std::vector<ViewGauge>& gauges, const DrawnSize& drawn, bool vertical) {
    std::vector<int> sel = SelectedIndexes(gauges);
    if (sel.size() > static_cast<size_t>(kMaxViewGauges)) sel.resize(static_cast<size_t>(kMaxViewGauges));
    if (sel.size() < 2) return false;
    auto key = [&](int i) {
        const ViewGauge& g = gauges[static_cast<size_t>(i)];
        return std::sqrt(g.x * g.x + g.y * g.y);
    };
    std::stable_sort(sel.begin(), sel.end(), [&](int a, int b) { return key(a) < key(b); });
    auto extent = [&](int i) {
        return vertical ? EffectiveHeight(gauges, i, drawn) : EffectiveWidth(gauges, i, drawn);
    };
    const ViewGauge& first = gauges[static_cast<size_t>(sel[0])];
    const double fx = first.x, fy = first.y;
    const double firstExtent = extent(sel[0]);
    if (firstExtent == 0.0) return false;
    double pos = (vertical ? fy : fx) + firstExtent;
    for (size_t k = 1; k < sel.size(); ++k) {
        ViewGauge& g = gauges[static_cast<size_t>(sel[k])];
        if (vertical) {
            g.x = fx;
            g.y = LimitCoord(pos);
        } else {
            g.y = fy;
            g.x = LimitCoord(pos);
        }
        pos += extent(sel[k]);
    }
    return true;
}

}  // namespace

bool LineUpVertically(std::vector<ViewGauge>& gauges) {
    return LineUp(gauges, &ViewGauge::y, &ViewGauge::x);
}

bool LineUpHorizontally(std::vector<ViewGauge>& gauges) {
    return LineUp(gauges, &ViewGauge::x, &ViewGauge::y);
}

bool StackVertically(std::vector<ViewGauge>& gauges, const DrawnSize& drawn) {
    return Stack(gauges, drawn, true);
}

bool StackHorizontally(std::vector<ViewGauge>& gauges, const DrawnSize& drawn) {
    return Stack(gauges, drawn, false);
}

bool SameSize(std::vector<ViewGauge>& gauges, bool largest, const DrawnSize& drawn, SimMode mode) {
    const std::vector<int> sel = SelectedIndexes(gauges);
    double w = largest ? 0.0 : 99999.0, h = w;
    for (int i : sel) {
        const double gw = gauges[static_cast<size_t>(i)].Width(), gh = EffectiveHeight(gauges, i, drawn);
        w = largest ? std::max(w, gw) : std::min(w, gw);
        h = largest ? std::max(h, gh) : std::min(h, gh);
    }
    if (sel.size() < 2 || !(w > 0.0)) return false;
    for (int i : sel) {
        ViewGauge& g = gauges[static_cast<size_t>(i)];
        g.SetWidth(w, mode);
        g.SetHeight(h, mode);
    }
    return true;
}

void AspectRatioOne(std::vector<ViewGauge>& gauges, int index, const DrawnSize& drawn, SimMode mode) {
    const double h = EffectiveHeight(gauges, index, drawn);
    ViewGauge& g = gauges[static_cast<size_t>(index)];
    if (g.Width() < h) g.SetWidth(h, mode);
    g.SetHeight(0.0, mode);
    g.heightPresent = false;
}

void SnapToGrid(ViewGauge& g, int gridSize) {
    if (gridSize == 0) return;
    const double grid = gridSize;
    auto snap = [grid](double v) {
        const double r = std::fmod(v, grid);
        return r >= grid / 2.0 ? v + grid - r : v - r;
    };
    g.x = snap(g.x);
    g.y = snap(g.y);
}

OrderResult MoveInDrawingOrder(std::vector<ViewGauge>& gauges, OrderMove move) {
    const std::vector<int> sel = SelectedIndexes(gauges);
    if (sel.size() > 1) return {false, kMultipleSelectedMessage};
    if (sel.empty()) return {};
    const auto i = static_cast<size_t>(sel[0]);
    const size_t last = gauges.size() - 1;
    switch (move) {
        case OrderMove::kUp:
        case OrderMove::kToFront:
            if (i == last) return {false, kAlreadyOnTopMessage};
            if (move == OrderMove::kUp)
                std::swap(gauges[i], gauges[i + 1]);
            else
                std::rotate(gauges.begin() + static_cast<std::ptrdiff_t>(i),
                            gauges.begin() + static_cast<std::ptrdiff_t>(i) + 1, gauges.end());
            break;
        case OrderMove::kDown:
        case OrderMove::kToBack:
            if (i == 0) return {false, kAlreadyFirstMessage};
            if (move == OrderMove::kDown)
                std::swap(gauges[i], gauges[i - 1]);
            else
                std::rotate(gauges.begin(), gauges.begin() + static_cast<std::ptrdiff_t>(i),
                            gauges.begin() + static_cast<std::ptrdiff_t>(i) + 1);
            break;
    }
    Renumber(gauges);
    return {true, {}};
}

void Renumber(std::vector<ViewGauge>& gauges) {
    for (size_t i = 0; i < gauges.size(); ++i) gauges[i].index = static_cast<int>(i);
}

int CompactDeleted(std::vector<ViewGauge>& gauges) {
    const auto removed = std::erase_if(gauges, [](const ViewGauge& g) { return g.deleted; });
    Renumber(gauges);
    return static_cast<int>(removed);
}

int DeleteSelected(std::vector<ViewGauge>& gauges) {
    for (ViewGauge& g : gauges) {
        if (g.selected) g.deleted = true;
    }
    return CompactDeleted(gauges);
}

void UndoRecord::Record(const std::vector<ViewGauge>& gauges, int window) {
    snapshot_ = gauges;
    window_ = window;
    undo_ = true;
    redo_ = false;
}

void UndoRecord::Clear() {
    snapshot_.clear();
    window_ = -1;
    undo_ = redo_ = false;
}

bool UndoRecord::Undo(std::vector<ViewGauge>& gauges) {
    if (!undo_) return false;
    // The whole lists change places, so Redo gets back every gauge of the undone state, also
    // those beyond the snapshot's count (gauges pasted after it).
    std::swap(snapshot_, gauges);
    undo_ = false;
    redo_ = true;
    return true;
}

bool UndoRecord::Redo(std::vector<ViewGauge>& gauges) {
    if (!redo_) return false;
    std::swap(snapshot_, gauges);
    undo_ = true;
    redo_ = false;
    return true;
}

}  // namespace brindle
