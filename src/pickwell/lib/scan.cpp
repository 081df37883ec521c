#include "lib/scan.h"

#include <cstring>

#include "lib/bytes.h"

namespace pickwell {

namespace {

// Progress is reported once per this many bytes: often enough for a status line, rare enough to cost nothing.
constexpr std::size_t kProgressStep = std::size_t{1} << 20;

// Planes = 1 and bit count = 8, as they sit at header offset 12.
constexpr std::uint8_t kPlanesAndBits[4] = {0x01, 0x00, 0x08, 0x00};

inline bool HeaderMatches(const std::uint8_t* h) {
    // h[0] == 40 was established by the caller's search.
    return h[1] == 0 && h[2] == 0 && h[3] == 0 && std::memcmp(h + 12, kPlanesAndBits, 4) == 0 &&
           ReadU32(h + 32) < 257;
}

}  // namespace

bool IsBitmapHeaderAt(std::span<const std::uint8_t> data, std::size_t offset) {
    if (offset > data.size() || data.size() - offset < kInfoHeaderSize) return false;
    const std::uint8_t* h = data.data() + offset;
    return h[0] == 40 && HeaderMatches(h);
}

ScanResult ScanBytes(std::span<const std::uint8_t> data, const ScanProgress& progress) {
    ScanResult result;
    if (progress) progress(0);
    if (data.size() < kInfoHeaderSize) {
        if (progress) progress(100);
        return result;
    }
    const std::uint8_t* const begin = data.data();
    // The last offset at which a whole header still fits.
    const std::uint8_t* const lastStart = begin + (data.size() - kInfoHeaderSize);
    const std::uint8_t* p = begin;
    std::size_t nextReport = kProgressStep;
    while (p <= lastStart) {
        // Search in slices so that progress can be reported on large files.
        const std::uint8_t* sliceEnd = lastStart + 1;
        if (progress && static_cast<std::size_t>(sliceEnd - begin) > nextReport) sliceEnd = begin + nextReport;
        const void* hit = std::memchr(p, 40, static_cast<std::size_t>(sliceEnd - p));
        if (hit == nullptr) {
            p = sliceEnd;
            if (progress && p <= lastStart) {
                progress(static_cast<int>(static_cast<std::uint64_t>(p - begin) * 100 / data.size()));
                nextReport += kProgressStep;
            }
            continue;
        }
        const std::uint8_t* h = static_cast<const std::uint8_t*>(hit);
        if (HeaderMatches(h)) {
            if (result.bitmaps.size() < kMaxBitmaps) {
                BitmapEntry e;
                e.headerPos = static_cast<std::uint64_t>(h - begin) + 1;
                e.width = ReadI32(h + 4);
                e.height = ReadI32(h + 8);
                e.paletteCount = ReadU32(h + 32);
                result.bitmaps.push_back(e);
            } else {
                ++result.leftOut;
            }
        }
        p = h + 1;
    }
    if (progress) progress(100);
    return result;
}

}  // namespace pickwell
