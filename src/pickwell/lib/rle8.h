#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace pickwell {

// The compression field value of a bitmap whose 8-bit pixels are run-length encoded.
inline constexpr std::uint32_t kCompressionRle8 = 1;

struct Rle8Picture {
    std::vector<std::uint8_t> pixels;  // rows x rowBytes, in the order the rows are stored
    std::size_t consumed = 0;          // bytes of the data read, through the end-of-bitmap code
    bool ended = false;                // an end-of-bitmap code was found
};

// Decodes RLE8 data into rows of `rowBytes` bytes of which the first `width` are pixels. Pixels the data
// skips (end of line, delta, an early end) stay colour 0; runs that go past the end of a row are cut
// there, and the walk stops at the end-of-bitmap code, at the end of the data or below the last row.
Rle8Picture DecodeRle8(std::span<const std::uint8_t> data, std::uint32_t width, std::uint64_t rows,
                       std::uint64_t rowBytes);

// Encodes rows of `rowBytes` bytes (the first `width` of each are pixels) with every pixel spelt out, each
// row in the fewest bytes that repeat codes and literal blocks allow, an end of line after every row but
// the last and an end-of-bitmap code after the last. The result always has an even length.
std::vector<std::uint8_t> EncodeRle8(std::span<const std::uint8_t> pixels, std::uint32_t width,
                                     std::uint64_t rows, std::uint64_t rowBytes);

}  // namespace pickwell
