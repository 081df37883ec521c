#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace pickwell {

// The table holds at most this many bitmaps; further matches are counted but not kept.
inline constexpr std::size_t kMaxBitmaps = 10000;

// Size of a bitmap info header, and the value its first field must hold.
inline constexpr std::size_t kInfoHeaderSize = 40;

// One 8-bit bitmap header found in a file. Numbers are taken from the header as stored.
struct BitmapEntry {
    std::uint64_t headerPos = 0;  // 1-based file position of the 40-byte info header
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint32_t paletteCount = 0;  // colours used as stored: 0 means a full palette of 256
    std::uint32_t compression = 0;   // 0 plain pixels, 1 RLE8; other values are read as plain pixels
    std::uint32_t imageSize = 0;     // the header's size of the stored pixels (may be 0 when plain)
};

struct ScanResult {
    std::vector<BitmapEntry> bitmaps;  // in file order, at most kMaxBitmaps
    std::uint64_t leftOut = 0;         // matches found after the table was full
};

// Called now and then with the whole percentage of the file tested so far (0..100).
using ScanProgress = std::function<void(int percent)>;

// Finds every position whose bytes look like an 8-bit bitmap info header: a 32-bit 40, one plane, 8 bits
// per pixel and fewer than 257 colours used. Nothing else is checked, so overlapping and accidental
// matches are all recorded. A header that would not fit in the data is not a match.
ScanResult ScanBytes(std::span<const std::uint8_t> data, const ScanProgress& progress = {});

namespace detail {
// The portable search, also used where no vector instructions are available; kept callable so that both
// searches can be checked against each other.
ScanResult ScanBytesWithMemchr(std::span<const std::uint8_t> data, const ScanProgress& progress = {});
}  // namespace detail

// The header test alone, for one 0-based offset.
bool IsBitmapHeaderAt(std::span<const std::uint8_t> data, std::size_t offset);

}  // namespace pickwell
