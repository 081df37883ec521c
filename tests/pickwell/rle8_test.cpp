#include "lib/rle8.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <random>
#include <set>

#include "lib/bitmap_file.h"
#include "lib/module.h"
#include "support.h"

namespace pickwell {
namespace {

using Bytes = std::vector<std::uint8_t>;
using testing::Field32;
using testing::ModuleBuilder;
using testing::Slurp;
using testing::Spill;
using testing::TempDir;

TEST(Rle8, DecodesEveryKindOfCode) {
    // A 5 x 3 picture in rows of 8 bytes; pixels nothing writes stay 0.
    struct Case {
        const char* what;
        Bytes codes;
        Bytes rows;  // 3 rows x 8 bytes
        std::size_t consumed;
        bool ended;
    };
    const Case cases[] = {
        {"repeat, end of line, literal with its pad byte, end of bitmap",
         {3, 7, 0, 0, 0, 3, 1, 2, 3, 0, 0, 1},
         {7, 7, 7, 0, 0, 0, 0, 0, 1, 2, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         12,
         true},
        {"delta two right and one on, then a literal of four",
         {0, 2, 2, 1, 0, 4, 9, 8, 7, 6, 0, 1},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 9, 8, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         12,
         true},
        {"a repeat longer than the row is cut at the row's end",
         {200, 5, 0, 0, 1, 6},
         {5, 5, 5, 5, 5, 0, 0, 0, 6, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         6,
         false},
        {"a literal cut off by the end of the data",
         {0, 0, 0, 0, 0, 5, 4, 4},
         {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 4, 4, 0, 0, 0, 0, 0, 0},
         8,
         false},
        {"a delta below the last row ends the walk",
         {1, 1, 0, 2, 0, 9, 3, 3},
         {1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         6,
         false},
        {"a delta cut off by the end of the data",
         {2, 2, 0, 2, 1},
         {2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         5,
         false},
        {"an odd last byte",
         {4, 3, 9},
         {3, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
         2,
         false},
        {"nothing", {}, Bytes(24, 0), 0, false},
    };
    for (const Case& c : cases) {
        const Rle8Picture p = DecodeRle8(c.codes, 5, 3, 8);
        EXPECT_EQ(p.pixels, c.rows) << c.what;
        EXPECT_EQ(p.consumed, c.consumed) << c.what;
        EXPECT_EQ(p.ended, c.ended) << c.what;
    }
}

TEST(Rle8, EncodingDecodesToTheSamePixelsInNoMoreBytesThanAPlainSpelling) {
    std::mt19937 random(7);
    struct Case {
        const char* what;
        std::uint32_t width;
        std::uint64_t rows;
        int kind;  // 0 random, 1 long runs, 2 one colour, 3 runs of two
    };
    for (const Case c : {Case{"noise", 17, 5, 0}, Case{"runs", 96, 96, 1},
                         Case{"one colour past 255", 600, 3, 2}, Case{"noise past 255", 601, 2, 0},
                         Case{"pairs", 10, 4, 3}, Case{"one pixel", 1, 1, 0}, Case{"two pixels", 2, 1, 0}}) {
        const std::uint64_t rowBytes = (c.width + 3) / 4 * 4;
        Bytes pixels(rowBytes * c.rows, 0);
        for (std::uint64_t y = 0; y < c.rows; ++y) {
            for (std::uint32_t x = 0; x < c.width; ++x) {
                std::uint8_t& v = pixels[y * rowBytes + x];
                v = c.kind == 0   ? static_cast<std::uint8_t>(random())
                    : c.kind == 1 ? static_cast<std::uint8_t>((x / 13 + y) % 5)
                    : c.kind == 2 ? 42
                                  : static_cast<std::uint8_t>(x / 2);
            }
        }
        const Bytes codes = EncodeRle8(pixels, c.width, c.rows, rowBytes);
        EXPECT_EQ(codes.size() % 2, 0u) << c.what;
        ASSERT_GE(codes.size(), 2u);
        EXPECT_EQ(codes[codes.size() - 2], 0) << c.what;
        EXPECT_EQ(codes.back(), 1) << c.what;
        const Rle8Picture back = DecodeRle8(codes, c.width, c.rows, rowBytes);
        EXPECT_EQ(back.pixels, pixels) << c.what;
        EXPECT_TRUE(back.ended) << c.what;
        EXPECT_EQ(back.consumed, codes.size()) << c.what;
        // Literal blocks of up to 255 pixels with their pad byte, and a code at every row's end.
        const std::uint64_t plain = c.rows * (2 + (c.width + 254) / 255 * 2 + c.width + c.width % 2);
        EXPECT_LE(codes.size(), std::max<std::uint64_t>(plain, c.rows * 2 * c.width + 2)) << c.what;
    }
    // Runs of one colour take two bytes per 255 pixels.
    EXPECT_EQ(EncodeRle8(Bytes(600, 42), 600, 1, 600), (Bytes{255, 42, 255, 42, 90, 42, 0, 1}));
}

// The fewest bytes a row can be spelt in with repeat codes and literal blocks, by trying every length of
// code at every position (slow, plainly right).
std::size_t ShortestRow(const std::uint8_t* row, std::size_t width) {
    std::vector<std::size_t> best(width + 1, 0);
    for (std::size_t i = width; i-- > 0;) {
        best[i] = SIZE_MAX;
        for (std::size_t k = 1; k <= 255 && i + k <= width && row[i + k - 1] == row[i]; ++k)
            best[i] = std::min(best[i], 2 + best[i + k]);
        for (std::size_t k = 3; k <= 255 && i + k <= width; ++k)
            best[i] = std::min(best[i], 2 + k + k % 2 + best[i + k]);
    }
    return best[0];
}

TEST(Rle8, EveryRowIsSpeltInTheFewestBytes) {
    std::mt19937 random(11);
    for (int trial = 0; trial < 300; ++trial) {
        const std::size_t width = 1 + random() % 700;
        const unsigned colours = 1 + random() % (trial % 3 == 0 ? 3 : 200);
        const unsigned stickiness = random() % 10;  // how often a pixel repeats the one before
        Bytes row(width);
        for (std::size_t x = 0; x < width; ++x)
            row[x] = x > 0 && random() % 10 < stickiness ? row[x - 1]
                                                         : static_cast<std::uint8_t>(random() % colours);
        const Bytes codes = EncodeRle8(row, static_cast<std::uint32_t>(width), 1, width);
        ASSERT_EQ(codes.size(), ShortestRow(row.data(), width) + 2)
            << "width " << width << ", trial " << trial;
        ASSERT_EQ(DecodeRle8(codes, static_cast<std::uint32_t>(width), 1, width).pixels, row);
    }
}

// A module holding a 6 x 2 RLE8 bitmap with 4 colours.
struct CompressedModule {
    explicit CompressedModule(std::uint32_t imageSize = 16) {
        m.Filler(50);
        // Bottom row 1 1 1 1 1 1, top row 2 3 4 5 6 7.
        const Bytes codes{6, 1, 0, 0, 0, 6, 2, 3, 4, 5, 6, 7, 0, 1, 0, 1};
        at = m.Rle8Bitmap(6, 2, 4, codes, imageSize);
        m.Filler(30);
        path = dir.File("rle.gau");
        Spill(path, m.bytes);
        std::string why;
        EXPECT_TRUE(module.Load(path, {}, &why)) << why;
    }
    Bytes Bmp(const Bytes& rows) const {
        auto bmp = module.MakeBmp(1, nullptr);
        EXPECT_TRUE(bmp);
        std::copy(rows.begin(), rows.end(), bmp->begin() + 1078);
        return *bmp;
    }
    TempDir dir;
    ModuleBuilder m;
    std::size_t at = 0;
    std::string path;
    Module module;
};

TEST(Rle8Bitmap, IsWrittenOutDecodedAsAnOrdinaryBmp) {
    for (std::uint32_t imageSize : {16u, 0u}) {
        CompressedModule t(imageSize);
        ASSERT_EQ(t.module.Count(), 1);
        EXPECT_EQ(t.module.Entry(1)->compression, kCompressionRle8);
        std::string why;
        const auto bmp = t.module.MakeBmp(1, &why);
        ASSERT_TRUE(bmp) << why;
        ASSERT_EQ(bmp->size(), 1078u + 16);
        EXPECT_EQ(Field32(*bmp, 30), 0u) << "compression";
        EXPECT_EQ(Field32(*bmp, 34), 16u) << "image size";
        EXPECT_EQ(Bytes(bmp->begin() + 1078, bmp->end()),
                  (Bytes{1, 1, 1, 1, 1, 1, 0, 0, 2, 3, 4, 5, 6, 7, 0, 0}));
        EXPECT_EQ(Bytes(bmp->begin() + 54, bmp->begin() + 70),
                  Bytes(t.m.bytes.begin() + t.at + 40, t.m.bytes.begin() + t.at + 56));
    }
}

TEST(Rle8Bitmap, ReplacementIsEncodedAndPaddedWithEndCodesOrRefusedWhenItDoesNotFit) {
    for (std::uint32_t imageSize : {16u, 0u}) {
        CompressedModule t(imageSize);
        const std::size_t codesAt = t.at + 40 + 16;
        // Fits: two rows of one colour each take 6 bytes of the 16.
        const Bytes plainRows{9, 9, 9, 9, 9, 9, 0, 0, 8, 8, 8, 8, 8, 8, 0, 0};
        std::string why;
        ASSERT_TRUE(t.module.Replace(1, t.Bmp(plainRows), &why)) << why;
        Bytes want = t.m.bytes;
        const Bytes codes{6, 9, 0, 0, 6, 8, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1};
        std::copy(codes.begin(), codes.end(), want.begin() + static_cast<std::ptrdiff_t>(codesAt));
        EXPECT_EQ(Slurp(t.path), want) << "image size " << imageSize;
        const auto again = t.module.MakeBmp(1, nullptr);
        ASSERT_TRUE(again);
        EXPECT_EQ(Bytes(again->begin() + 1078, again->end()), plainRows);

        // Does not fit: twelve different pixels need 20 bytes.
        const Bytes busyRows{1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0};
        EXPECT_FALSE(t.module.Replace(1, t.Bmp(busyRows), &why));
        EXPECT_NE(why.find("compresses to 20 bytes and does not fit"), std::string::npos) << why;
        EXPECT_NE(why.find("in 16 bytes"), std::string::npos) << why;
        EXPECT_EQ(Slurp(t.path), want);
    }
}

TEST(Rle8Bitmap, ScanListingMarksCompressedBitmaps) {
    CompressedModule t;
    ModuleBuilder plain;
    plain.Bitmap(4, 4, 2);
    auto bytes = plain.bytes;
    bytes.insert(bytes.end(), t.m.bytes.begin(), t.m.bytes.end());
    Spill(t.path, bytes);
    const testing::Outcome r = testing::Pickwell({"--scan", t.path});
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "1 1 4 4 2\n2 " + std::to_string(plain.bytes.size() + t.at + 1) + " 6 2 4 RLE8\n");
}

TEST(Rle8Bitmap, ClaimsThatCannotHoldAreRefused) {
    struct Case {
        const char* what;
        std::int32_t width, height;
        std::uint32_t imageSize;
        const char* says;
    };
    for (const Case c : {Case{"image size past the end", 6, 2, 5000, "run past the end"},
                         Case{"a picture too large to decode", 30000, 30000, 0, "too large"}}) {
        ModuleBuilder m;
        m.Rle8Bitmap(c.width, c.height, 4, {0, 1}, c.imageSize);
        TempDir dir;
        Spill(dir.File("x.gau"), m.bytes);
        Module module;
        ASSERT_TRUE(module.Load(dir.File("x.gau"), {}, nullptr));
        std::string why;
        EXPECT_FALSE(module.MakeBmp(1, &why)) << c.what;
        EXPECT_NE(why.find(c.says), std::string::npos) << c.what << ": " << why;
    }
}

// Every compressed bitmap of the sample modules comes out as a picture and goes back in unchanged.
TEST(Rle8Bitmap, SampleModulesRoundTrip) {
    const std::filesystem::path gauges = std::filesystem::path(BRINDLE_SAMPLES_DIR) / "FS2000" / "gauges";
    int compressed = 0;
    for (const char* name : {"Demo_Cessna.gau", "CFS2_Radar.gau", "FS98_Compass.gau", "FS98_Clock.gau"}) {
        TempDir dir;
        std::filesystem::copy_file(gauges / name, dir.File(name));
        Module module;
        ASSERT_TRUE(module.Load(dir.File(name), {}, nullptr)) << name;
        for (int n = 1; n <= module.Count(); ++n) {
            if (module.Entry(n)->compression != kCompressionRle8) continue;
            ++compressed;
            std::string why;
            const auto bmp = module.MakeBmp(n, &why);
            ASSERT_TRUE(bmp) << name << " " << n << ": " << why;
            // Not all one colour: the codes were read as a picture, not copied as pixels.
            EXPECT_GT(std::set<std::uint8_t>(bmp->begin() + 1078, bmp->end()).size(), 2u) << name << " " << n;
            ASSERT_TRUE(module.Replace(n, *bmp, &why)) << name << " " << n << ": " << why;
            EXPECT_EQ(module.MakeBmp(n, nullptr), bmp) << name << " " << n;
        }
    }
    EXPECT_GE(compressed, 10);
}

}  // namespace
}  // namespace pickwell
