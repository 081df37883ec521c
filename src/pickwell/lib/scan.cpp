#include "lib/scan.h"

#include <cstring>

#include "lib/bytes.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace pickwell {

namespace {

// Progress is reported once per this many bytes: often enough for a status line, rare enough to cost nothing.
constexpr std::size_t kProgressStep = std::size_t{1} << 20;

// Planes = 1 and bit count = 8, as they sit at header offset 12.
constexpr std::uint8_t kPlanesAndBits[4] = {0x01, 0x00, 0x08, 0x00};

// The full test; the caller guarantees that 40 bytes are readable at h.
inline bool HeaderMatches(const std::uint8_t* h) {
    return ReadU32(h) == 40 && std::memcmp(h + 12, kPlanesAndBits, 4) == 0 && ReadU32(h + 32) < 257;
}

// Each finder calls found(h) for every h in [from, to) that may start a header, in increasing order, and
// for at least every h that does. Bytes up to to + 39 are readable.
template <typename Found>
void FindWithMemchr(const std::uint8_t* from, const std::uint8_t* to, Found&& found) {
    while (from < to) {
        const void* hit = std::memchr(from, 40, static_cast<std::size_t>(to - from));
        if (hit == nullptr) return;
        const auto* h = static_cast<const std::uint8_t*>(hit);
        found(h);
        from = h + 1;
    }
}

#if defined(__SSE2__)
// Sixteen positions at a time: a 40 at the start and an 8 (the bit count) 14 bytes on. Together they are
// rare even in data where 40 alone is common, so few candidates reach the full test.
template <typename Found>
void FindWithSse2(const std::uint8_t* from, const std::uint8_t* to, Found&& found) {
    const __m128i forty = _mm_set1_epi8(40);
    const __m128i eight = _mm_set1_epi8(8);
    const std::uint8_t* p = from;
    for (; to - p >= 16; p += 16) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 14));
        auto mask = static_cast<unsigned>(
            _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, forty), _mm_cmpeq_epi8(b, eight))));
        while (mask != 0) {
            found(p + __builtin_ctz(mask));
            mask &= mask - 1;
        }
    }
    for (; p < to; ++p) {
        if (p[0] == 40 && p[14] == 8) found(p);
    }
}
#endif

template <typename Finder>
ScanResult ScanWith(std::span<const std::uint8_t> data, const ScanProgress& progress, Finder finder) {
    ScanResult result;
    if (progress) progress(0);
    if (data.size() >= kInfoHeaderSize) {
        const std::uint8_t* const begin = data.data();
        // One past the last offset at which a whole header still fits.
        const std::uint8_t* const end = begin + (data.size() - kInfoHeaderSize) + 1;
        auto found = [&](const std::uint8_t* h) {
            if (!HeaderMatches(h)) return;
            if (result.bitmaps.size() == kMaxBitmaps) {
                ++result.leftOut;
                return;
            }
            BitmapEntry e;
            e.headerPos = static_cast<std::uint64_t>(h - begin) + 1;
            e.width = ReadI32(h + 4);
            e.height = ReadI32(h + 8);
            e.paletteCount = ReadU32(h + 32);
            e.compression = ReadU32(h + 16);
            e.imageSize = ReadU32(h + 20);
            result.bitmaps.push_back(e);
        };
        // In slices, so that large files can report progress.
        for (const std::uint8_t* from = begin; from < end;) {
            const std::uint8_t* to =
                static_cast<std::size_t>(end - from) > kProgressStep ? from + kProgressStep : end;
            finder(from, to, found);
            from = to;
            if (progress && from < end) {
                progress(static_cast<int>(static_cast<std::uint64_t>(from - begin) * 100 / data.size()));
            }
        }
    }
    if (progress) progress(100);
    return result;
}

}  // namespace

bool IsBitmapHeaderAt(std::span<const std::uint8_t> data, std::size_t offset) {
    if (offset > data.size() || data.size() - offset < kInfoHeaderSize) return false;
    return HeaderMatches(data.data() + offset);
}

namespace detail {

ScanResult ScanBytesWithMemchr(std::span<const std::uint8_t> data, const ScanProgress& progress) {
    return ScanWith(data, progress, [](const std::uint8_t* from, const std::uint8_t* to, auto& found) {
        FindWithMemchr(from, to, found);
    });
}

}  // namespace detail

ScanResult ScanBytes(std::span<const std::uint8_t> data, const ScanProgress& progress) {
#if defined(__SSE2__)
    return ScanWith(data, progress, [](const std::uint8_t* from, const std::uint8_t* to, auto& found) {
        FindWithSse2(from, to, found);
    });
#else
    return detail::ScanBytesWithMemchr(data, progress);
#endif
}

}  // namespace pickwell
