// The view's own records of the panel window being shown: one ViewWindow and one ViewGauge per
// gauge. The view edits these, the gauge loader fills their bitmaps, and they are written back into
// the window's gauge list before a save. A ViewGauge is a value: copying the list (the undo record)
// copies every gauge with its element bitmaps (shared, immutable images).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "panel/panel.h"
#include "view/bitmap.h"
#include "view/image.h"

namespace brindle {

inline constexpr int kElementSlotCount = 28;
inline constexpr int kMaxViewGauges = 128;
inline constexpr std::size_t kMaxViewGaugeNameLength = 95;

inline constexpr Pixel kOutlineYellow = MakePixel(255, 255, 0);
inline constexpr Pixel kPlaceholderMagenta = MakePixel(255, 0, 255);

// What LoadGaugeImages found for a gauge.
enum GaugeLoadStatus : int {
    kLoadOk = 0,
    kLoadFileNotFound = 1,
    kLoadNoUsableBitmap = 2,
    kLoadModuleNotLoadable = 3,
    kLoadGaugeNotInModule = 4,
    kLoadNoStaticBitmap = 5,
};

// One element slot of a gauge: its bitmap and the element's data from the module.
struct ElementSlot {
    ImagePtr bitmap;      // absent when the slot has no bitmap
    int bitmapWidth = 0;  // pixel size of the bitmap (or the fallback size)
    int bitmapHeight = 0;
    unsigned typeFlag = 0;    // 1 static, 2 needle, 8 slider, 16 icon, 32 moving image, 64 sprite
    unsigned resourceId = 0;  // bitmap resource number; 0 = empty slot
    int x = 0, y = 0;         // element position in design pixels
    int offsetX = 0, offsetY = 0;
    bool transparent = false;

    friend bool operator==(const ElementSlot&, const ElementSlot&) = default;
};

class ViewGauge {
  public:
    ViewGauge() = default;
    // A gauge of the shown window built from its panel line: width and height through the setters
    // (0 when the line gives none), the present flags and the loaded mark copied.
    static ViewGauge FromEntry(const GaugeEntry& entry, int index, SimMode mode);

    int index = -1;         // the gauge's number in the window; -1 = empty slot
    std::string name;       // the gauge reference (at most 95 characters)
    std::string parameter;  // the sixth field of the gauge line
    double x = 0.0, y = 0.0;

    double Width() const { return width_; }
    double Height() const { return height_; }
    // Store the size and keep the scales in step: x scale = width / element-0 pixel width (kept
    // when that is 0); y scale = height / element-0 pixel height outside FS98 (kept when that is 0),
    // in FS98 the x scale; a y scale of 0 becomes the x scale; both made non-negative.
    void SetWidth(double width, SimMode mode);
    void SetHeight(double height, SimMode mode);
    // The same in the mode of the process-wide settings.
    void SetWidth(double width) { SetWidth(width, GlobalSettings().Mode()); }
    void SetHeight(double height) { SetHeight(height, GlobalSettings().Mode()); }
    // Stores the width alone, leaving the scales as they are (the loader's fallback does this).
    void SetWidthOnly(double width) { width_ = width; }

    double XScale() const { return xScale_; }
    double YScale() const { return yScale_; }
    // For the painter, which recomputes scales that are 0.
    void SetScales(double xScale, double yScale) {
        xScale_ = xScale;
        yScale_ = yScale;
    }

    double designWidth = 0.0;
    int version = 0;
    std::string internalName;
    std::array<ElementSlot, kElementSlotCount> slots{};

    int loadStatus = kLoadOk;
    bool loaded = false;
    bool selected = false;
    bool outlined = false;
    bool hidden = false;
    bool deleted = false;
    bool focus = false;
    Pixel outlineColour = kOutlineYellow;
    Pixel placeholderColour = kPlaceholderMagenta;
    bool widthPresent = false;
    bool heightPresent = false;
    // The comment of the gauge's panel line, carried so that writing the list back keeps it.
    std::optional<std::string> comment;
    // What else the gauge's line holds (the whole reference, further fields, comments); it stays
    // with the gauge through moves, re-ordering and undo.
    GaugeLineKept kept;

    // The reference as the file gets it: the whole one while `name` is still its beginning.
    const std::string& FullName() const;

    // Whether any of the 28 slots holds a bitmap.
    bool HasAnyBitmap() const;
    // Drops the 28 bitmaps (and their sizes) and transparency flags.
    void ClearBitmaps();

    friend bool operator==(const ViewGauge&, const ViewGauge&) = default;

  private:
    void UpdateScales(SimMode mode);

    double width_ = 0.0, height_ = 0.0;
    double xScale_ = 1.0, yScale_ = 1.0;
};

// The shown panel window.
struct ViewWindow {
    int bitmapWidth = 0, bitmapHeight = 0;  // background pixel size (or the size_mm fallback)
    int colourCount = 0;                    // colours of the loaded background
    double Scale = 1.0;                     // bitmap pixels per panel unit
    int ScrollX = 0, ScrollY = 0;
    std::vector<ViewGauge> gauges;  // at most kMaxViewGauges, index = NN, drawing order
    std::optional<Dib> data;        // the loaded background (header, colour table, bits)
    std::string bitmapPath;

    int GaugeCount() const { return static_cast<int>(gauges.size()); }
    // Offset of the pixel bits inside `data`, or 0 without a background.
    std::size_t BitsOffset() const { return data ? data->BitsOffset() : 0; }
};

}  // namespace brindle
