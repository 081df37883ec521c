// A 32-bit image in memory and the drawing operations the view needs on it: the two stretch
// qualities, the transparent stretch with a key colour, fills, 1-pixel rectangles and lines and XOR
// rectangles. Every operation takes a destination clip rectangle and never writes outside it or the
// image.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace brindle {

// A pixel is 0x00RRGGBB; the top byte is always zero.
using Pixel = std::uint32_t;

constexpr Pixel MakePixel(int r, int g, int b) {
    return (static_cast<Pixel>(r & 0xFF) << 16) | (static_cast<Pixel>(g & 0xFF) << 8) |
           static_cast<Pixel>(b & 0xFF);
}
constexpr int RedOf(Pixel p) {
    return static_cast<int>((p >> 16) & 0xFF);
}
constexpr int GreenOf(Pixel p) {
    return static_cast<int>((p >> 8) & 0xFF);
}
constexpr int BlueOf(Pixel p) {
    return static_cast<int>(p & 0xFF);
}

inline constexpr Pixel kBlack = 0x000000;
inline constexpr Pixel kWhite = 0xFFFFFF;

// Half-open pixel rectangle: left and top inside, right and bottom outside.
struct PixelRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool Empty() const { return right <= left || bottom <= top; }
    bool Contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    PixelRect Intersect(const PixelRect& o) const;
    static PixelRect FromSize(int x, int y, int w, int h) { return {x, y, x + w, y + h}; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// How a scaled copy picks its pixels: nearest source pixel, or the average over the source area
// each destination pixel covers.
enum class StretchQuality { kColorOnColor = 3, kHalftone = 4 };

// The largest images the engine creates; bigger headers are refused before anything is allocated.
inline constexpr int kMaxImageSide = 16384;
inline constexpr std::int64_t kMaxImagePixels = std::int64_t{64} * 1024 * 1024;

class Image {
  public:
    Image() = default;
    // A black image; sizes outside 0..kMaxImageSide or above kMaxImagePixels give an empty image.
    Image(int width, int height, Pixel fill = kBlack);

    int Width() const { return width_; }
    int Height() const { return height_; }
    bool Empty() const { return width_ == 0 || height_ == 0; }
    PixelRect Bounds() const { return {0, 0, width_, height_}; }

    // Unchecked access; (x, y) must be inside.
    Pixel At(int x, int y) const { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    Pixel& At(int x, int y) { return pixels_[static_cast<size_t>(y) * width_ + x]; }
    // Checked access: outside the image, Get gives black and Set does nothing.
    Pixel Get(int x, int y) const { return Bounds().Contains(x, y) ? At(x, y) : kBlack; }
    void Set(int x, int y, Pixel p) {
        if (Bounds().Contains(x, y)) At(x, y) = p;
    }

    const std::vector<Pixel>& Pixels() const { return pixels_; }
    std::vector<Pixel>& Pixels() { return pixels_; }

    friend bool operator==(const Image&, const Image&) = default;

  private:
    int width_ = 0, height_ = 0;
    std::vector<Pixel> pixels_;
};

using ImagePtr = std::shared_ptr<const Image>;

// Copies `src` (source rectangle, clipped to the source image) scaled onto `dst` (destination
// rectangle), drawing only inside `clip` and the destination image. A destination rectangle with a
// negative width or height mirrors the copy, as a stretch blit does.
void StretchCopy(Image& dst, const PixelRect& dstRect, const Image& src, const PixelRect& srcRect,
                 StretchQuality quality, const PixelRect& clip);

// Transparent stretch: as StretchCopy with the nearest source pixel, but destination pixels stay
// where the scaled source pixel equals `key` exactly (RGB(1, 1, 1) is not black).
void TransparentStretch(Image& dst, const PixelRect& dstRect, const Image& src, const PixelRect& srcRect,
                        const PixelRect& clip, Pixel key = kBlack);
// The second form: the whole source from its (0, 0).
void TransparentStretch(Image& dst, const PixelRect& dstRect, const Image& src, const PixelRect& clip,
                        Pixel key = kBlack);

void FillRect(Image& dst, const PixelRect& rect, Pixel colour, const PixelRect& clip);
// A 1-pixel frame along the inside edges of `rect`.
void FrameRect(Image& dst, const PixelRect& rect, Pixel colour, const PixelRect& clip);
// A 1-pixel line from (x0, y0) to (x1, y1); the end point is drawn only when `includeEnd` (a pen's
// LineTo leaves it out).
void DrawLine(Image& dst, int x0, int y0, int x1, int y1, Pixel colour, const PixelRect& clip,
              bool includeEnd = false);
// XORs every pixel of the 1-pixel frame with `pen` (white inverts); drawing it twice restores the
// image.
void XorFrameRect(Image& dst, const PixelRect& rect, const PixelRect& clip, Pixel pen = kWhite);
// XORs every pixel inside `rect` with `pen`.
void XorFillRect(Image& dst, const PixelRect& rect, const PixelRect& clip, Pixel pen = kWhite);

}  // namespace brindle
