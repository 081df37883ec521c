// A capture of part of an image written as a Windows .bmp file: the information header, the colour
// table the bit count needs, rows padded to 4 bytes. The editor captures the view's own picture of
// its visible area, so nothing depends on what covers the window on the screen.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "view/image.h"

namespace brindle {

// The bit count of a capture taken on a display of `displayBits` (planes x bits per pixel).
constexpr int CaptureBitCount(int displayBits) {
    return displayBits <= 1 ? 1 : displayBits <= 4 ? 4 : displayBits <= 8 ? 8 : 24;
}
// Bytes of one stored row.
constexpr std::int64_t CaptureRowStride(int width, int bitCount) {
    return (static_cast<std::int64_t>(width) * bitCount + 31) / 32 * 4;
}
// The colours a display of up to 8 bits offers: 2^(displayBits mod 32) entries (black and white; the
// 16 VGA colours; a 6 x 6 x 6 cube and a grey ramp).
std::vector<Pixel> DisplayPalette(int displayBits);

inline constexpr const char* kCaptureDialogTitle = "Brindle - Select Filename for Screen Capture";
inline constexpr const char* kCaptureFilter = "Bitmap Files (*.bmp)|*.bmp|All Files (*.*)|*.*||";
inline constexpr const char* kCaptureExtension = ".bmp";

class CaptureBitmap {
  public:
    // Takes `rect` of `source` (what lies outside the image is black) as seen on a display of
    // `displayBits`; `palette` (empty = DisplayPalette) is the display's palette for 8 bits or fewer.
    void Capture(const Image& source, const PixelRect& rect, int displayBits = 32,
                 std::vector<Pixel> palette = {});
    void Release();

    bool Empty() const { return width_ <= 0 || height_ <= 0; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    int BitCount() const { return bitCount_; }

    // Header (40 bytes), colour table (2^bits entries of 4 bytes; none for 24 bits), bottom-up rows.
    std::vector<std::uint8_t> BuildDib() const;
    // The 14-byte file header followed by BuildDib().
    std::vector<std::uint8_t> FileBytes() const;
    // Writes the file through the platform's file writing. "Can't open selected file" (with the
    // system's text) when the file can't be created there; "Error Writing to file, errno = %d" when
    // writing failed. False after the message.
    bool WriteToFile(const std::string& path) const;

  private:
    int width_ = 0, height_ = 0, bitCount_ = 24;
    std::vector<Pixel> palette_;
    Image pixels_;
};

}  // namespace brindle
