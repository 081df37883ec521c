// Device-independent bitmaps: the packed form (header, colour table, pixel bits) that .bmp files
// and the bitmap resources of gauge modules hold, its decoding into an Image, the .bmp file reader
// with its warnings, and a writer of 24-bit .bmp files.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "app/settings.h"
#include "view/image.h"

namespace brindle {

// Compression codes of the header.
inline constexpr std::uint32_t kBiRgb = 0, kBiRle8 = 1, kBiRle4 = 2, kBiBitfields = 3, kBiAlphaBitfields = 6;

// A packed device-independent bitmap. Only a header that passed every check is ever held, so the
// accessors need no further checks; the pixel bits may still be short (missing pixels decode black).
class Dib {
  public:
    // Checks the header and the colour table of `packed` (header first). `bitsOffset`, when given,
    // is where the pixel bits start in `packed` (a file header's offset); it is used when it lies
    // after the colour table and inside the data, else the bits follow the colour table.
    static std::optional<Dib> FromPacked(std::vector<std::uint8_t> packed, std::string* error = nullptr,
                                         std::optional<std::uint64_t> bitsOffset = std::nullopt);

    int Width() const { return width_; }
    // Always positive; TopDown() tells the row order.
    int Height() const { return height_ < 0 ? -height_ : height_; }
    // The header's biHeight (positive for the usual bottom-up bitmap).
    int RawHeight() const { return height_; }
    bool TopDown() const { return height_ < 0; }
    int BitCount() const { return bitCount_; }
    std::uint32_t Compression() const { return compression_; }
    std::uint32_t HeaderSize() const { return headerSize_; }
    // biClrUsed, or 1 << biBitCount when that is 0 (1 << 24 for 32 bits per pixel).
    int Colours() const { return colours_; }
    // The colour table as stored (0x00RRGGBB), possibly shorter than 2^bits.
    const std::vector<Pixel>& ColorTable() const { return table_; }
    // Colour-table entry 0, or black when there is no table.
    Pixel FirstColor() const { return table_.empty() ? kBlack : table_[0]; }
    // Changes one colour-table entry in the packed data; false when the entry does not exist.
    bool SetColorTableEntry(int index, Pixel colour);

    const std::vector<std::uint8_t>& Data() const { return data_; }
    std::size_t BitsOffset() const { return bitsOffset_; }
    std::size_t ColorTableOffset() const { return tableOffset_; }

    // The pixels as a 32-bit image (top row first).
    Image Decode() const;

  private:
    std::vector<std::uint8_t> data_;
    std::uint32_t headerSize_ = 0;
    int width_ = 0, height_ = 0, bitCount_ = 0, colours_ = 0;
    std::uint32_t compression_ = 0;
    std::array<std::uint32_t, 3> masks_{};
    std::size_t tableOffset_ = 0, bitsOffset_ = 0;
    int tableEntrySize_ = 4;
    std::vector<Pixel> table_;
};

// One read of a .bmp file.
struct BitmapFileRequest {
    std::string path;            // the file to read (input)
    std::optional<Dib> data;     // the file from byte 14 on, kept only when asked for
    int width = 0;               // biWidth
    int height = 0;              // biHeight (positive for the usual bottom-up file)
    int colours = 0;             // biClrUsed, or 1 << biBitCount when biClrUsed is 0
    Pixel palette = kBlack;      // the first colour-table entry
    std::int64_t length = 0;     // the whole file length in bytes
    std::size_t bitsOffset = 0;  // where the pixel bits start inside `data`
};

// Larger files are refused with "Can't allocate memory for Bitmap file".
inline constexpr std::int64_t kMaxBitmapFileBytes = std::int64_t{512} * 1024 * 1024;

// Reads a .bmp file: 1 on success, 0 on failure after a warning box. Besides the five failures of
// the file itself (can't open, header short, not "BM", too large, can't read), a file whose bitmap
// header is damaged or uses a form that can't be drawn is refused with "Can't use Bitmap file: ".
int ReadBitmapFile(BitmapFileRequest& request, bool keepData);

// Reads and decodes a .bmp file without any message; nullopt (with `error`) on failure.
std::optional<Image> LoadBmpImage(const std::string& path, std::string* error = nullptr);

// The stretch quality every scaled drawing of the view uses: area averaging (HALFTONE) when
// UseHalftoneBLT is on, else the nearest pixel (COLORONCOLOR).
inline StretchQuality StretchQualityFrom(const Settings& settings) {
    return settings.UseHalftoneBLT() ? StretchQuality::kHalftone : StretchQuality::kColorOnColor;
}

// A 24-bit bottom-up .bmp file of the image.
std::vector<std::uint8_t> EncodeBmp24(const Image& image);
bool WriteBmp24(const std::string& path, const Image& image, int* error = nullptr);

}  // namespace brindle
