#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lib/scan.h"

namespace pickwell {

// The written .bmp always has this much before its pixels: file header, info header and a 256-entry palette.
inline constexpr std::uint32_t kBmpHeaderArea = 1078;
inline constexpr std::uint32_t kBmpPaletteOffset = 54;

// Where a found bitmap's palette and pixels sit in the scanned file, and the sizes of the .bmp made from it.
struct BitmapLayout {
    std::uint32_t colours = 0;        // palette entries in the file: colours used, with 0 meaning 256
    std::uint64_t paletteOffset = 0;  // 0-based
    std::uint64_t pixelOffset = 0;    // 0-based, right after the palette
    std::uint64_t rowBytes = 0;       // width rounded up to a multiple of 4
    std::uint64_t rows = 0;
    std::uint64_t pixelBytes = 0;   // rowBytes * rows: the pixels once decoded
    std::uint64_t bmpFileSize = 0;  // pixelBytes + kBmpHeaderArea
    bool rle8 = false;              // the pixels are stored RLE8-compressed
    // Bytes the module holds from pixelOffset on for this bitmap: pixelBytes for plain pixels; for RLE8 the
    // header's image size, or everything to the end of the file when the header gives none.
    std::uint64_t storedBytes = 0;
};

// A compressed bitmap may not decode to more than this (8192 x 8192 pixels); a few bytes of codes can
// claim any size, and nothing larger is a gauge's picture.
inline constexpr std::uint64_t kMaxDecodedPixelBytes = std::uint64_t{8192} * 8192;

// Works out the layout, or says why the entry's numbers cannot describe a bitmap inside a file of
// `fileSize` bytes (sizes of zero, sizes too large for a .bmp, pixels running past the end of the file).
std::optional<BitmapLayout> LayoutOf(const BitmapEntry& entry, std::uint64_t fileSize, std::string* why);

// Builds the complete .bmp for one found bitmap, or returns nothing and says why.
std::optional<std::vector<std::uint8_t>> BuildBmp(std::span<const std::uint8_t> file,
                                                  const BitmapEntry& entry, std::string* why);

// What the replacement code needs from a .bmp file's headers.
struct BmpInfo {
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint16_t bitCount = 0;
    std::uint32_t compression = 0;
    std::uint64_t paletteOffset = 0;
    std::uint32_t paletteEntries = 0;  // entries actually present before the pixels
    std::uint64_t pixelOffset = 0;
    std::uint64_t pixelBytes = 0;  // bytes from pixelOffset to the end of the file
};

std::optional<BmpInfo> ParseBmp(std::span<const std::uint8_t> bmp, std::string* why);

// Writes the palette and pixels of `bmp` over the found bitmap in `file` (in memory). Refuses, leaving
// `file` untouched, when the .bmp is not an uncompressed 8-bit bitmap of exactly the entry's width and
// height or when its pixel data does not have exactly the size of the bitmap it replaces. Into an RLE8
// bitmap the pixels go RLE8-encoded, and only when the encoding fits in the space the original's codes
// take; the rest of that space is filled with end-of-bitmap codes.
bool ReplaceBitmap(std::span<std::uint8_t> file, const BitmapEntry& entry, std::span<const std::uint8_t> bmp,
                   std::string* why);

}  // namespace pickwell
