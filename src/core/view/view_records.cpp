#include "view/view_records.h"

#include <cmath>

#include "panel/panel.h"

namespace brindle {

ViewGauge ViewGauge::FromEntry(const GaugeEntry& entry, int index, SimMode mode) {
    ViewGauge g;
    g.index = index;
    g.name = entry.name.str().substr(0, kMaxViewGaugeNameLength);
    g.parameter = entry.parameter.str();
    g.x = entry.x;
    g.y = entry.y;
    g.widthPresent = entry.widthPresent;
    g.heightPresent = entry.heightPresent;
    g.SetWidth(entry.widthPresent ? entry.width : 0.0, mode);
    g.SetHeight(entry.heightPresent ? entry.height : 0.0, mode);
    g.loaded = entry.bitmapLoaded;
    g.kept = entry.kept;
    return g;
}

const std::string& ViewGauge::FullName() const {
    const OwnedText& whole = kept.fullName;
    return whole && whole->size() > name.size() && whole->compare(0, name.size(), name) == 0 ? *whole : name;
}

void ViewGauge::SetWidth(double width, SimMode mode) {
    width_ = width;
    UpdateScales(mode);
}

void ViewGauge::SetHeight(double height, SimMode mode) {
    height_ = height;
    UpdateScales(mode);
}

void ViewGauge::UpdateScales(SimMode mode) {
    const ElementSlot& s0 = slots[0];
    if (s0.bitmapWidth != 0) xScale_ = width_ / s0.bitmapWidth;
    if (mode != kModeFS98) {
        if (s0.bitmapHeight != 0) yScale_ = height_ / s0.bitmapHeight;
    } else {
        yScale_ = xScale_;
    }
    if (yScale_ == 0.0) yScale_ = xScale_;
    xScale_ = std::fabs(xScale_);
    yScale_ = std::fabs(yScale_);
}

bool ViewGauge::HasAnyBitmap() const {
    for (const auto& s : slots) {
        if (s.bitmap) return true;
    }
    return false;
}

void ViewGauge::ClearBitmaps() {
    for (auto& s : slots) {
        s.bitmap.reset();
        s.bitmapWidth = s.bitmapHeight = 0;
        s.transparent = false;
    }
}

}  // namespace brindle
