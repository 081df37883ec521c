#include "view/geometry.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <limits>

#include "platform/printf.h"

namespace brindle {

namespace {

// Truncation towards zero that cannot overflow: results beyond int are held at its limits and NaN
// gives 0 (only damaged settings or files can get there).
int TruncToInt(double d) {
    if (std::isnan(d)) return 0;
    if (d >= static_cast<double>(std::numeric_limits<int>::max())) return std::numeric_limits<int>::max();
    if (d <= static_cast<double>(std::numeric_limits<int>::min())) return std::numeric_limits<int>::min();
    return static_cast<int>(d);
}

}  // namespace

int RoundHalfDown(double d) {
    if (std::isnan(d)) return 0;
    double f = std::floor(d);
    if (d - f > 0.5) f += 1.0;
    return TruncToInt(f);
}

ViewPoint UnitsToView(ViewPoint units, double zoom, double scale) {
    return {RoundHalfDown(units.x * zoom * scale), RoundHalfDown(units.y * zoom * scale)};
}

ViewPoint ViewToUnits(ViewPoint client, double zoom, double scale, ViewPoint scroll) {
    if (zoom == 0.0 || scale == 0.0) return client;
    double dx = ((static_cast<double>(client.x) + scroll.x) / zoom) / scale;
    double dy = ((static_cast<double>(client.y) + scroll.y) / zoom) / scale;
    return {RoundHalfDown(dx), RoundHalfDown(dy)};
}

ViewSize ScrollSizesForZoom(double zoom, int w, int h) {
    return {TruncToInt(zoom * w), TruncToInt(zoom * h)};
}

bool ZoomInWithinLimits(const Settings& s) {
    return s.Zoom() * s.ZoomStep() <= s.ZoomMax();
}

bool ZoomOutWithinLimits(const Settings& s) {
    return s.Zoom() / s.ZoomStep() >= s.ZoomMin();
}

std::optional<double> FitZoom(const Settings& settings, ViewSize client, int bitmapWidth, int bitmapHeight) {
    if (bitmapWidth <= 0 || bitmapHeight <= 0 || client.width <= 0 || client.height <= 0) return std::nullopt;
    double rx = static_cast<double>(client.width) / bitmapWidth;
    double ry = static_cast<double>(client.height) / bitmapHeight;
    double z = rx < ry ? rx : ry;
    return std::clamp(z, settings.ZoomMin(), std::max(settings.ZoomMin(), settings.ZoomMax()));
}

void ViewGeometry::SetWindowMetrics(int bitmapWidth, int bitmapHeight, double scale) {
    bitmapWidth_ = bitmapWidth;
    bitmapHeight_ = bitmapHeight;
    scale_ = scale;
}

void ViewGeometry::SetClientSize(ViewSize client) {
    client_ = client;
    SetScrollPosition(scroll_);
}

ViewPoint ViewGeometry::MaxScrollPosition() const {
    return {std::max(0, scrollSize_.width - client_.width), std::max(0, scrollSize_.height - client_.height)};
}

void ViewGeometry::SetScrollPosition(ViewPoint p) {
    ViewPoint m = MaxScrollPosition();
    scroll_ = {std::clamp(p.x, 0, m.x), std::clamp(p.y, 0, m.y)};
}

void ViewGeometry::SetScrollSizesForZoom(int w, int h) {
    scrollSize_ = ScrollSizesForZoom(Zoom(), w, h);
    SetScrollPosition(scroll_);
}

bool ViewGeometry::ZoomIn() {
    Settings& s = *settings_;
    double z = s.Zoom();
    if (z == s.ZoomMax() || z * s.ZoomStep() > s.ZoomMax()) return false;
    s.SetZoom(z * s.ZoomStep());
    // The position moves by half of what the content grows, measured on the old content size.
    ViewSize t = scrollSize_;
    double step = s.ZoomStep();
    SetScrollPosition({TruncToInt(scroll_.x + (t.width - t.width / step) * 0.5),
                       TruncToInt(scroll_.y + (t.height - t.height / step) * 0.5)});
    ApplyScrollSizes();
    return true;
}

void ViewGeometry::ZoomOut() {
    Settings& s = *settings_;
    s.SetZoom(s.Zoom() / s.ZoomStep());
    ApplyScrollSizes();
    ViewSize t = scrollSize_;
    double step = s.ZoomStep();
    SetScrollPosition({TruncToInt(scroll_.x - (step * t.width - t.width) * 0.5),
                       TruncToInt(scroll_.y - (step * t.height - t.height) * 0.5)});
}

void ViewGeometry::Fit() {
    ApplyScrollSizes();
    if (auto z = FitZoom(*settings_, client_, bitmapWidth_, bitmapHeight_)) settings_->SetZoom(*z);
    ApplyScrollSizes();
    scroll_ = {0, 0};
}

void ViewGeometry::OnSize(ViewSize client) {
    client_ = client;
    ApplyScrollSizes();
    if (client.width > bitmapWidth_ && client.height > bitmapHeight_) scroll_ = {0, 0};
}

ViewSize GridExtent(int bitmapWidth, int bitmapHeight, double scale) {
    if (scale == 0.0 || std::isnan(scale)) return {bitmapWidth, bitmapHeight};
    return {TruncToInt(bitmapWidth / scale), TruncToInt(bitmapHeight / scale)};
}

GridDotShape GridDotShapeFor(int windowUnitsWidth, int gridSize, double zoom) {
    if (gridSize <= 0 || zoom <= 0.0) return GridDotShape::kPixel;
    int n = TruncToInt((windowUnitsWidth / gridSize) / zoom);
    if (n > 20) return GridDotShape::kPixel;
    if (n >= 11) return GridDotShape::kCross;
    return GridDotShape::kSquare;
}

void DrawGridDot(Image& dst, int x, int y, GridDotShape shape, const PixelRect& clip) {
    auto put = [&](int px, int py) {
        if (clip.Contains(px, py)) dst.Set(px, py, kGridColour);
    };
    switch (shape) {
        case GridDotShape::kPixel:
            put(x, y);
            break;
        case GridDotShape::kCross:
            put(x, y);
            put(x - 1, y - 1);
            put(x + 1, y - 1);
            put(x - 1, y + 1);
            put(x + 1, y + 1);
            break;
        case GridDotShape::kSquare:
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) put(x + dx, y + dy);
            }
            break;
    }
}

std::string FormatGridSizeField(int gridSize) {
    return Printf("%4d", gridSize);
}

namespace {

// The whole number in `text` (blanks around it allowed), or nullopt when it is not one.
std::optional<long> ParseWholeNumber(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    text = text.substr(b, e - b);
    if (text.empty()) return std::nullopt;
    size_t i = 0;
    bool negative = false;
    if (text[0] == '-' || text[0] == '+') {
        negative = text[0] == '-';
        i = 1;
    }
    if (i == text.size()) return std::nullopt;
    long v = 0;
    for (; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return std::nullopt;
        if (v < 1000000) v = v * 10 + (text[i] - '0');  // far outside the range either way
    }
    return negative ? -v : v;
}

}  // namespace

std::optional<int> ParseGridSize(std::string_view text) {
    auto v = ParseWholeNumber(text);
    if (!v || *v < kGridSizeMin || *v > kGridSizeMax) return std::nullopt;
    return static_cast<int>(*v);
}

std::optional<std::string> GridSizeError(std::string_view text) {
    auto v = ParseWholeNumber(text);
    if (!v) return std::string("Please enter an integer.");
    if (*v < kGridSizeMin || *v > kGridSizeMax)
        return Printf("Please enter an integer between %d and %d.", kGridSizeMin, kGridSizeMax);
    return std::nullopt;
}

std::string CursorXPaneText(int cursorX) {
    return Printf("X=%d", cursorX);
}

std::string CursorYPaneText(int cursorY) {
    return Printf("Y=%d", cursorY);
}

std::string ZoomPaneText(double zoom) {
    return Printf("%6.2f", zoom);
}

std::string WindowPaneText(bool panelLoaded, bool fixedWindow, int fixedNumber, int windowIndex) {
    if (!panelLoaded) return {};
    return fixedWindow ? Printf("Fixed Window%02d", fixedNumber) : Printf("Window%02d", windowIndex);
}

std::string ModifiedPaneText(bool modified) {
    return modified ? " * " : "   ";
}

std::string ModePaneText(SimMode mode) {
    switch (mode) {
        case kModeFS2000:
            return "FS2K";
        case kModeFS98:
            return "FS98";
        case kModeCFS:
            return "CFS";
        case kModeCFS2:
            return "CFS2";
    }
    return "FS98";
}

std::string GaugePaneText(const GaugePaneState& s) {
    if (s.moving) return Printf("Gauge Origin, X=%d, Y=%d", TruncToInt(s.originX), TruncToInt(s.originY));
    if (s.resizing)
        return Printf("Gauge Size, Width=%d, Height=%d", TruncToInt(s.sizeWidth), TruncToInt(s.sizeHeight));
    if (s.selectedCount == 1) return Printf("(%d) ", s.selectedIndex) + s.selectedName;
    return {};
}

}  // namespace brindle
