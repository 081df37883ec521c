#include "lib/bitmap_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "../support.h"

namespace pickwell {
namespace {

using testing::Field32;
using testing::ModuleBuilder;

BitmapEntry EntryAt(const std::vector<std::uint8_t>& file, std::size_t at) {
    return BitmapEntry{at + 1, static_cast<std::int32_t>(Field32(file, at + 4)),
                       static_cast<std::int32_t>(Field32(file, at + 8)), Field32(file, at + 32)};
}

TEST(BuildBmp, SeventeenByTenBitmapGetsThreePadBytesPerRowAndA1278ByteFile) {
    ModuleBuilder m;
    m.Filler(100);
    m.Bitmap(32, 32, 0);
    const std::size_t at = m.Bitmap(17, 10, 16);
    m.Filler(10);
    std::string why;
    const auto bmp = BuildBmp(m.bytes, EntryAt(m.bytes, at), &why);
    ASSERT_TRUE(bmp) << why;
    ASSERT_EQ(bmp->size(), 1278u);
    const std::vector<std::uint8_t>& b = *bmp;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    // Every field of the 54 header bytes, zeros included.
    std::vector<std::uint8_t> want(54, 0);
    want[0] = 'B', want[1] = 'M';
    auto put = [&](std::size_t o, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) want[o + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(2, 1278), put(10, 1078), put(14, 40), put(18, 17), put(22, 10), put(26, 1 | 8 << 16), put(34, 200);
    put(46, 256);
    EXPECT_EQ(std::vector<std::uint8_t>(b.begin(), b.begin() + 54), want);
    // 16 palette entries copied, the other 240 left zero.
    EXPECT_EQ(0, std::memcmp(&b[54], &m.bytes[at + 40], 64));
    EXPECT_TRUE(std::all_of(b.begin() + 54 + 64, b.begin() + 1078, [](std::uint8_t v) { return v == 0; }));
    // 200 pixel bytes (10 rows of 17 + 3), taken right after the 16-entry palette.
    EXPECT_EQ(0, std::memcmp(&b[1078], &m.bytes[at + 40 + 64], 200));
}

TEST(BuildBmp, ZeroColoursUsedMeansAFullPaletteAndTheFileAlwaysDeclares256) {
    for (std::uint32_t colours : {0u, 1u, 200u, 256u}) {
        ModuleBuilder m;
        const std::size_t at = m.Bitmap(4, 2, colours);
        const auto bmp = BuildBmp(m.bytes, EntryAt(m.bytes, at), nullptr);
        ASSERT_TRUE(bmp) << colours;
        const std::size_t entries = colours == 0 ? 256 : colours;
        EXPECT_EQ(Field32(*bmp, 46), 256u) << colours;
        EXPECT_EQ(0, std::memcmp(&(*bmp)[54], &m.bytes[at + 40], 4 * entries)) << colours;
        EXPECT_EQ(0, std::memcmp(&(*bmp)[1078], &m.bytes[at + 40 + 4 * entries], 8)) << colours;
    }
}

TEST(BuildBmp, RowsArePaddedToAMultipleOfFour) {
    struct Case {
        std::int32_t width, height;
        std::uint32_t pixels;
    };
    for (const Case c :
         {Case{4, 3, 12}, Case{5, 3, 24}, Case{6, 3, 24}, Case{7, 3, 24}, Case{1, 1, 4}, Case{5, -3, 24}}) {
        ModuleBuilder m;
        const std::size_t at = m.Bitmap(c.width, c.height, 0);
        std::string why;
        const auto bmp = BuildBmp(m.bytes, EntryAt(m.bytes, at), &why);
        ASSERT_TRUE(bmp) << c.width << "x" << c.height << ": " << why;
        EXPECT_EQ(Field32(*bmp, 34), c.pixels) << c.width;
        EXPECT_EQ(Field32(*bmp, 2), c.pixels + 1078) << c.width;
        EXPECT_EQ(bmp->size(), c.pixels + 1078) << c.width;
        EXPECT_EQ(static_cast<std::int32_t>(Field32(*bmp, 22)), c.height);
    }
}

TEST(BuildBmp, SizesThatCannotDescribeABitmapInTheFileAreRefusedWithAReason) {
    struct Case {
        std::int32_t width, height;
        std::uint32_t colours;
        const char* says;
    };
    const Case cases[] = {
        {0, 10, 0, "width"},
        {-5, 10, 0, "width"},
        {10, 0, 0, "height is 0"},
        {0x7FFFFFFF, 0x7FFFFFFF, 0, "too large"},
        {65536, 65536, 0, "too large"},
        {1000, 1000, 0, "past the end"},
        {10, -2147483647 - 1, 0, "too large"},
    };
    for (const Case& c : cases) {
        ModuleBuilder m;
        m.Filler(64);
        const std::size_t at = m.bytes.size();
        m.Bitmap(4, 4, 0);  // real data of a small bitmap; the header numbers below lie about it
        m.Filler(64);
        const BitmapEntry e{at + 1, c.width, c.height, c.colours};
        std::string why;
        EXPECT_FALSE(BuildBmp(m.bytes, e, &why)) << c.width << "x" << c.height;
        EXPECT_NE(why.find(c.says), std::string::npos) << why;
    }
    // A palette that runs past the end is caught as well.
    ModuleBuilder tail;
    const std::size_t at = tail.bytes.size();
    tail.Put32(40);
    tail.bytes.resize(at + 40 + 100, 0);
    std::string why;
    EXPECT_FALSE(BuildBmp(tail.bytes, BitmapEntry{at + 1, 1, 1, 0}, &why));
    EXPECT_NE(why.find("past the end"), std::string::npos) << why;
}

}  // namespace
}  // namespace pickwell
