#include "lib/scan.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "../support.h"

namespace pickwell {
namespace {

using testing::ModuleBuilder;

// The plain definition: test every offset where a whole header fits.
std::vector<BitmapEntry> ReferenceScan(const std::vector<std::uint8_t>& d) {
    std::vector<BitmapEntry> found;
    auto u32 = [&](std::size_t i) {
        return static_cast<std::uint32_t>(d[i] | d[i + 1] << 8 | d[i + 2] << 16) | std::uint32_t{d[i + 3]}
                                                                                       << 24;
    };
    for (std::size_t p = 0; p + 40 <= d.size(); ++p) {
        if (u32(p) == 40 && d[p + 12] == 1 && d[p + 13] == 0 && d[p + 14] == 8 && d[p + 15] == 0 &&
            u32(p + 32) < 257) {
            found.push_back({p + 1, static_cast<std::int32_t>(u32(p + 4)),
                             static_cast<std::int32_t>(u32(p + 8)), u32(p + 32)});
        }
    }
    return found;
}

void ExpectSameEntries(const std::vector<BitmapEntry>& got, const std::vector<BitmapEntry>& want) {
    ASSERT_EQ(got.size(), want.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].headerPos, want[i].headerPos) << "entry " << i + 1;
        EXPECT_EQ(got[i].width, want[i].width) << "entry " << i + 1;
        EXPECT_EQ(got[i].height, want[i].height) << "entry " << i + 1;
        EXPECT_EQ(got[i].paletteCount, want[i].paletteCount) << "entry " << i + 1;
    }
}

TEST(Scan, FindsBothBitmapsOfATwoBitmapModuleWithOneBasedPositions) {
    ModuleBuilder m;
    m.Filler(1000);
    const std::size_t first = m.Bitmap(32, 32, 0);
    m.Filler(77);
    const std::size_t second = m.Bitmap(17, 10, 16);
    m.Filler(300);
    const ScanResult r = ScanBytes(m.bytes);
    ASSERT_EQ(r.bitmaps.size(), 2u);
    EXPECT_EQ(r.leftOut, 0u);
    EXPECT_EQ(r.bitmaps[0].headerPos, first + 1);
    EXPECT_EQ(r.bitmaps[0].width, 32);
    EXPECT_EQ(r.bitmaps[0].height, 32);
    EXPECT_EQ(r.bitmaps[0].paletteCount, 0u);
    EXPECT_EQ(r.bitmaps[1].headerPos, second + 1);
    EXPECT_EQ(r.bitmaps[1].width, 17);
    EXPECT_EQ(r.bitmaps[1].height, 10);
    EXPECT_EQ(r.bitmaps[1].paletteCount, 16u);
}

TEST(Scan, OnlyEightBitOnePlaneHeadersWithAtMost256ColoursMatch) {
    struct Case {
        const char* what;
        std::uint16_t bits;
        std::uint32_t colours;
        bool found;
    };
    const Case cases[] = {
        {"4-bit", 4, 16, false},
        {"24-bit", 24, 0, false},
        {"1-bit", 1, 2, false},
        {"8-bit, 257 colours", 8, 257, false},
        {"8-bit, 0xFFFFFFFF colours", 8, 0xFFFFFFFFu, false},
        {"8-bit, 256 colours", 8, 256, true},
        {"8-bit, 0 colours", 8, 0, true},
    };
    for (const Case& c : cases) {
        ModuleBuilder m;
        m.Filler(50);
        m.Bitmap(8, 8, c.colours, c.bits);
        m.Filler(50);
        EXPECT_EQ(ScanBytes(m.bytes).bitmaps.size(), c.found ? 1u : 0u) << c.what;
    }
    // Two planes, and a first field of 40 + 256: both only look like a header.
    ModuleBuilder planes;
    const std::size_t at = planes.Bitmap(8, 8, 0);
    planes.bytes[at + 12] = 2;
    EXPECT_TRUE(ScanBytes(planes.bytes).bitmaps.empty());
    ModuleBuilder size;
    const std::size_t at2 = size.Bitmap(8, 8, 0);
    size.bytes[at2 + 1] = 1;
    EXPECT_TRUE(ScanBytes(size.bytes).bitmaps.empty());
}

TEST(Scan, AHeaderMustFitBeforeTheEndOfTheFile) {
    ModuleBuilder m;
    m.Filler(10);
    m.Bitmap(8, 8, 0);
    std::vector<std::uint8_t> exact(m.bytes.begin(), m.bytes.begin() + 10 + 40);
    EXPECT_EQ(ScanBytes(exact).bitmaps.size(), 1u);
    for (std::size_t cut = 1; cut <= 4; ++cut) {
        // The fields tested end at header byte 36; a header cut anywhere inside is still not a match.
        std::vector<std::uint8_t> shorter(exact.begin(), exact.end() - static_cast<std::ptrdiff_t>(cut));
        EXPECT_TRUE(ScanBytes(shorter).bitmaps.empty()) << "cut " << cut;
    }
    EXPECT_TRUE(ScanBytes({}).bitmaps.empty());
    EXPECT_FALSE(IsBitmapHeaderAt(exact, 11));
    EXPECT_FALSE(IsBitmapHeaderAt(exact, 1000));
    EXPECT_TRUE(IsBitmapHeaderAt(exact, 10));
}

TEST(Scan, OverlappingMatchesAreAllRecorded) {
    // A header whose width field is itself the start of a second header four bytes later.
    std::vector<std::uint8_t> d(44, 0);
    d[0] = 40;
    d[4] = 40;
    d[12] = 1, d[14] = 8;
    d[16] = 1, d[18] = 8;
    const ScanResult r = ScanBytes(d);
    ASSERT_EQ(r.bitmaps.size(), 2u);
    EXPECT_EQ(r.bitmaps[0].headerPos, 1u);
    EXPECT_EQ(r.bitmaps[0].width, 40);
    EXPECT_EQ(r.bitmaps[1].headerPos, 5u);
}

TEST(Scan, AgreesWithTestingEveryPosition) {
    // Bytes from a tiny alphabet make accidental and overlapping headers common.
    std::mt19937 rng(1234);
    const std::uint8_t alphabet[] = {0, 0, 0, 0, 1, 8, 40, 40, 0xFF};
    for (std::size_t size : {0u, 1u, 39u, 40u, 41u, 1000u, 50000u, (3u << 20) + 17u}) {
        std::vector<std::uint8_t> d(size);
        for (auto& b : d) b = alphabet[rng() % sizeof alphabet];
        // Plant headers, some at the very end.
        for (std::size_t k = 0; size >= 40 && k < size / 500 + 2; ++k) {
            const std::size_t at = k == 0 ? size - 40 : rng() % (size - 39);
            std::memset(&d[at], 0, 40);
            d[at] = 40, d[at + 12] = 1, d[at + 14] = 8, d[at + 4] = static_cast<std::uint8_t>(k);
        }
        const auto want = ReferenceScan(d);
        ASSERT_LE(want.size(), kMaxBitmaps);
        for (auto scan : {&ScanBytes, &detail::ScanBytesWithMemchr}) {
            int lastPercent = -1;
            bool monotonic = true;
            const ScanResult r = scan(d, [&](int percent) {
                monotonic = monotonic && percent >= lastPercent && percent <= 100;
                lastPercent = percent;
            });
            ExpectSameEntries(r.bitmaps, want);
            EXPECT_TRUE(monotonic) << "size " << size;
            EXPECT_EQ(lastPercent, 100) << "size " << size;
        }
    }
}

TEST(Scan, KeepsTheFirst10000MatchesAndCountsTheRest) {
    std::vector<std::uint8_t> d((kMaxBitmaps + 5) * 40, 0);
    for (std::size_t i = 0; i < kMaxBitmaps + 5; ++i) {
        d[i * 40] = 40, d[i * 40 + 12] = 1, d[i * 40 + 14] = 8;
    }
    const ScanResult r = ScanBytes(d);
    ASSERT_EQ(r.bitmaps.size(), kMaxBitmaps);
    EXPECT_EQ(r.leftOut, 5u);
    EXPECT_EQ(r.bitmaps.back().headerPos, (kMaxBitmaps - 1) * 40 + 1);
}

}  // namespace
}  // namespace pickwell
