// Painting pieces of the panel view that need no view object: where a gauge's element bitmaps land
// on the client area, the gauge's rectangle used for invalidation and outlines, the outline and
// handle drawing, and a cache of element bitmaps already scaled to their drawn size.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <tuple>
#include <utility>
#include <vector>

#include "view/geometry.h"
#include "view/image.h"
#include "view/view_records.h"

namespace brindle {

inline constexpr Pixel kHiddenGrey = MakePixel(168, 168, 168);
inline constexpr Pixel kFocusRed = MakePixel(255, 0, 0);
inline constexpr Pixel kFocusGreen = MakePixel(0, 255, 0);
inline constexpr Pixel kOriginMarkerColour = MakePixel(255, 128, 128);
// What the client area shows outside the panel window.
inline constexpr Pixel kViewBackground = kWhite;

// Element type flags.
inline constexpr unsigned kElementStatic = 1, kElementNeedle = 2, kElementString = 4, kElementSlider = 8,
                          kElementIcon = 16, kElementMovingImage = 32, kElementSprite = 64;

// Side of the selection handles and of the origin marker, in view pixels.
inline constexpr int kHandleSize = 8;

// What element placement depends on besides the gauge.
struct PlacementParams {
    double zoom = 1.0;
    double scale = 1.0;              // bitmap pixels per panel unit
    ViewPoint scroll;                // subtracted: the rectangles are in client pixels
    bool drawAll = true;             // DrawAllBitmaps
    int drawTypes = kElementStatic;  // GaugeDrawTypes (static images always count)
};

// The rectangle of element `slot` in client pixels, or nullopt when it has none (width <= 0, or a
// drawn size of 0 x 0). Scales of 0 are recomputed as the size setters would and stored.
std::optional<PixelRect> ElementRect(ViewGauge& gauge, int slot, const PlacementParams& p);

// The gauge's rectangle in client pixels: element 0, and with drawAll the union with the following
// slots while each has a bitmap and a type in drawTypes. Empty when element 0 has no rectangle.
PixelRect GaugeRect(ViewGauge& gauge, const PlacementParams& p);

// A gauge's outline: the 1-pixel frame one pixel inside `rect` (with both diagonals when `cross`),
// and with `handles` the four 8 x 8 corner squares. `clip` and `rect` are in `dst`'s pixels.
void DrawGaugeOutline(Image& dst, const PixelRect& rect, Pixel colour, bool cross, bool handles,
                      const PixelRect& clip);

// An element bitmap scaled to its drawn size; for transparent drawing also the runs of each row
// that are not the key colour, so that drawing copies runs instead of testing every pixel.
struct ScaledBitmap {
    Image image;
    std::vector<int> rowStart;              // height + 1 offsets into runs; empty until made
    std::vector<std::pair<int, int>> runs;  // [first, last + 1) columns of non-key pixels
    bool HasRuns() const { return !rowStart.empty(); }
    void MakeRuns(Pixel key = kBlack);
    std::size_t Bytes() const;
};

// Element bitmaps scaled to the size they are drawn at, so that a repaint only copies pixels. The
// scaled copy is the same, pixel for pixel, as scaling the bitmap straight into the view, so partial
// repaints join seamlessly. Entries beyond the byte budget are not kept.
class ScaledBitmapCache {
  public:
    explicit ScaledBitmapCache(std::size_t byteBudget = std::size_t{128} << 20) : budget_(byteBudget) {}

    // `src` scaled to w x h with `quality` (with its runs when `runs`); null when w or h is not
    // positive or the image would be too large. Valid until the cache is cleared or the next Get.
    const ScaledBitmap* Get(const ImagePtr& src, int w, int h, StretchQuality quality, bool runs = false);
    void Clear();
    std::size_t Bytes() const { return bytes_; }
    std::size_t Entries() const { return entries_.size(); }

  private:
    using Key = std::tuple<const Image*, int, int, int>;
    struct Entry {
        ImagePtr source;  // keeps the key's pointer from being reused
        ScaledBitmap scaled;
    };
    std::map<Key, Entry> entries_;
    std::size_t bytes_ = 0;
    std::size_t budget_;
    ScaledBitmap scratch_;  // the last bitmap that did not fit the budget
};

// Draws an already scaled image at (x, y) of `dst` inside `clip`: every pixel, or with `transparent`
// every pixel that is not `key`.
void BlitScaled(Image& dst, int x, int y, const Image& scaled, bool transparent, const PixelRect& clip,
                Pixel key = kBlack);
// The same for a cached bitmap; transparent drawing uses its runs (made with black as the key) when
// it has them.
void BlitScaled(Image& dst, int x, int y, const ScaledBitmap& scaled, bool transparent,
                const PixelRect& clip);

}  // namespace brindle
