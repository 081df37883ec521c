#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>

#include "lib/bitmap_file.h"
#include "lib/file_io.h"
#include "lib/module.h"
#include "../support.h"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace pickwell {
namespace {

using testing::Field32;
using testing::ModuleBuilder;
using testing::Slurp;
using testing::Spill;
using testing::TempDir;

// A module with a 32 x 32 and a 17 x 10 bitmap, written to a temp folder and scanned.
struct TwoBitmapModule {
    TwoBitmapModule() {
        m.Filler(333);
        first = m.Bitmap(32, 32, 0, 8, 3);
        m.Filler(21);
        second = m.Bitmap(17, 10, 16, 8, 9);
        m.Filler(500);
        path = dir.File("gauge.gau");
        Spill(path, m.bytes);
        std::string why;
        EXPECT_TRUE(module.Load(path, {}, &why)) << why;
    }
    TempDir dir;
    ModuleBuilder m;
    std::size_t first = 0, second = 0;
    std::string path;
    Module module;
};

// An edited copy of bitmap `number`: every pixel and palette byte changed.
std::vector<std::uint8_t> EditedBmp(const Module& module, int number) {
    auto bmp = module.MakeBmp(number, nullptr);
    EXPECT_TRUE(bmp);
    for (std::size_t i = 54; i < bmp->size(); ++i) (*bmp)[i] = static_cast<std::uint8_t>(0xA0 ^ i);
    return *bmp;
}

TEST(Replace, WritesPaletteAndPixelsOverTheBitmapAndNothingElse) {
    TwoBitmapModule t;
    const auto bmp = EditedBmp(t.module, 2);
    std::string why;
    ASSERT_TRUE(t.module.Replace(2, bmp, &why)) << why;
    const auto after = Slurp(t.path);
    ASSERT_EQ(after.size(), t.m.bytes.size());
    const std::size_t palette = t.second + 40, pixels = palette + 16 * 4, end = pixels + 200;
    for (std::size_t i = 0; i < after.size(); ++i) {
        if (i >= palette && i < pixels) {
            ASSERT_EQ(after[i], bmp[54 + i - palette]) << "palette byte " << i;
        } else if (i >= pixels && i < end) {
            ASSERT_EQ(after[i], bmp[1078 + i - pixels]) << "pixel byte " << i;
        } else {
            ASSERT_EQ(after[i], t.m.bytes[i]) << "byte " << i << " outside the bitmap changed";
        }
    }
    // The module in memory follows the file, and extracting again gives the same .bmp back.
    const auto again = t.module.MakeBmp(2, nullptr);
    ASSERT_TRUE(again);
    EXPECT_EQ(std::vector<std::uint8_t>(again->begin() + 1078, again->end()),
              std::vector<std::uint8_t>(bmp.begin() + 1078, bmp.end()));
    // No temporary file is left behind.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.dir.Path()), {}), 1);
}

TEST(Replace, ABmpWithAShortPaletteKeepsTheModulesOtherColours) {
    TwoBitmapModule t;
    // A 32 x 32 8-bit bitmap as a paint program might save it: 4 palette entries, pixels right after.
    std::vector<std::uint8_t> bmp(54 + 16 + 32 * 32, 0x11);
    std::memset(bmp.data(), 0, 54);
    bmp[0] = 'B', bmp[1] = 'M';
    auto put = [&](std::size_t o, std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp[o + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    put(10, 54 + 16), put(14, 40), put(18, 32), put(22, 32), put(26, 1 | 8 << 16), put(46, 4);
    std::string why;
    ASSERT_TRUE(t.module.Replace(1, bmp, &why)) << why;
    const auto after = Slurp(t.path);
    const std::size_t palette = t.first + 40;
    EXPECT_TRUE(std::all_of(&after[palette], &after[palette + 16], [](std::uint8_t v) { return v == 0x11; }));
    EXPECT_EQ(0, std::memcmp(&after[palette + 16], &t.m.bytes[palette + 16], 1024 - 16));
    EXPECT_TRUE(std::all_of(&after[palette + 1024], &after[palette + 1024 + 1024],
                            [](std::uint8_t v) { return v == 0x11; }));
}

TEST(Replace, RefusesABmpThatDoesNotFitExactlyAndLeavesTheModuleAlone) {
    TwoBitmapModule t;
    const auto good = EditedBmp(t.module, 2);
    struct Case {
        const char* what;
        std::vector<std::uint8_t> bmp;
        const char* says;
    };
    auto with = [&](std::size_t offset, std::uint32_t value) {
        auto b = good;
        for (int i = 0; i < 4; ++i) b.at(offset + i) = static_cast<std::uint8_t>(value >> (8 * i));
        return b;
    };
    auto longer = good;
    longer.push_back(0);
    longer.push_back(0);
    const Case cases[] = {
        {"wider", with(18, 18), "sizes must be the same"},
        {"taller", with(22, 11), "sizes must be the same"},
        {"upside down", with(22, static_cast<std::uint32_t>(-10)), "sizes must be the same"},
        {"24-bit", with(26, 1 | 24 << 16), "24 bits per pixel"},
        {"RLE8", with(30, 1), "compressed"},
        {"trailing bytes", longer, "run 2 bytes past"},
        {"cut short", std::vector<std::uint8_t>(good.begin(), good.end() - 1), "only 199 bytes"},
        {"pixel offset past the end", with(10, 5000), "outside the file"},
        {"not a bmp", with(0, 0x4D42 ^ 0x0101), "not a .bmp"},
        {"too short", std::vector<std::uint8_t>(good.begin(), good.begin() + 30), "too short"},
        {"empty", {}, "too short"},
    };
    for (const Case& c : cases) {
        std::string why;
        EXPECT_FALSE(t.module.Replace(2, c.bmp, &why)) << c.what;
        EXPECT_NE(why.find(c.says), std::string::npos) << c.what << ": " << why;
        EXPECT_EQ(Slurp(t.path), t.m.bytes) << c.what;
    }
    std::string why;
    EXPECT_FALSE(t.module.Replace(3, good, &why));
    EXPECT_NE(why.find("no bitmap number 3"), std::string::npos) << why;
    EXPECT_EQ(Slurp(t.path), t.m.bytes);
}

TEST(Replace, RefusesWhenTheBitmapInTheModuleRunsPastTheEnd) {
    TempDir dir;
    ModuleBuilder m;
    m.Filler(10);
    m.Bitmap(16, 16, 0);
    m.bytes.resize(m.bytes.size() - 1);  // the last pixel byte is missing
    const std::string path = dir.File("cut.gau");
    Spill(path, m.bytes);
    Module module;
    ASSERT_TRUE(module.Load(path, {}, nullptr));
    ASSERT_EQ(module.Count(), 1);
    std::string why;
    EXPECT_FALSE(module.MakeBmp(1, &why));
    EXPECT_NE(why.find("past the end"), std::string::npos) << why;
    std::vector<std::uint8_t> bmp(1078 + 256, 0);
    bmp[0] = 'B', bmp[1] = 'M', bmp[10] = 0x36, bmp[11] = 4, bmp[14] = 40, bmp[18] = 16, bmp[22] = 16,
    bmp[26] = 1;
    bmp[28] = 8;
    EXPECT_FALSE(module.Replace(1, bmp, &why));
    EXPECT_NE(why.find("past the end"), std::string::npos) << why;
    EXPECT_EQ(Slurp(path), m.bytes);
}

TEST(Replace, AModuleThatIsReadOnlyChangedOrGoneIsLeftAlone) {
    TwoBitmapModule t;
    const auto bmp = EditedBmp(t.module, 1);
#ifdef _WIN32
    // The read-only attribute stops every Windows user; Wine run by root does not hold it.
    std::filesystem::permissions(t.path, std::filesystem::perms::owner_read);
    std::FILE* probe = std::fopen(t.path.c_str(), "r+b");
    const bool readOnlyHolds = probe == nullptr;
    if (probe) std::fclose(probe);
    std::filesystem::permissions(t.path, std::filesystem::perms::owner_all);
#else
    const bool readOnlyHolds = geteuid() != 0;  // root writes anywhere
#endif
    if (readOnlyHolds) {
        std::filesystem::permissions(t.path, std::filesystem::perms::owner_read);
        std::string why;
        EXPECT_FALSE(t.module.Replace(1, bmp, &why));
        EXPECT_NE(why.find("cannot be opened for writing"), std::string::npos) << why;
        EXPECT_EQ(Slurp(t.path), t.m.bytes);
        std::filesystem::permissions(t.path, std::filesystem::perms::owner_all);
    }
    // Changed by someone else since the scan: writing the scanned bytes back would undo that change.
    auto changed = t.m.bytes;
    changed.back() ^= 1;
    Spill(t.path, changed);
    std::string why;
    EXPECT_FALSE(t.module.Replace(1, bmp, &why));
    EXPECT_NE(why.find("changed after it was scanned"), std::string::npos) << why;
    EXPECT_EQ(Slurp(t.path), changed);
    std::filesystem::remove(t.path);
    EXPECT_FALSE(t.module.Replace(1, bmp, &why));
    EXPECT_FALSE(std::filesystem::exists(t.path));
}

// A replacement with each step of its write failing in turn: the module on disk is whole, the failure says
// why, no temporary is left, and the module in memory still matches the file (the next replacement works).
TEST(Replace, EveryFailingWriteStepLeavesTheModuleAsItWas) {
    TwoBitmapModule t;
    const auto bmp = EditedBmp(t.module, 2);
    const auto before = t.module.MakeBmp(2, nullptr);
    WriteFaults::Arm(0, 0);
    std::string why;
    ASSERT_TRUE(t.module.Replace(2, bmp, &why)) << why;
    const int steps = WriteFaults::Steps();
    WriteFaults::Reset();
    const auto replaced = Slurp(t.path);
    EXPECT_EQ(steps, 4);  // open, write, flush, rename
    for (int n = 1; n <= steps; ++n) {
        Spill(t.path, t.m.bytes);
        ASSERT_TRUE(t.module.Load(t.path, {}, nullptr));
        WriteFaults::Arm(n, ENOSPC);
        why.clear();
        const bool ok = t.module.Replace(2, bmp, &why);
        EXPECT_TRUE(WriteFaults::Struck()) << "step " << n;
        WriteFaults::Reset();
        EXPECT_FALSE(ok) << "step " << n;
        EXPECT_NE(why.find(std::strerror(ENOSPC)), std::string::npos) << "step " << n << ": " << why;
        EXPECT_EQ(Slurp(t.path), t.m.bytes) << "step " << n;
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.dir.Path()), {}), 1) << "step " << n;
        EXPECT_EQ(t.module.MakeBmp(2, nullptr), before) << "step " << n;
        ASSERT_TRUE(t.module.Replace(2, bmp, &why)) << "step " << n << ": " << why;
        EXPECT_EQ(Slurp(t.path), replaced);
    }
}

TEST(Load, ReportsOnePercentageForReadingAndSearchingThatEndsAt100) {
    TempDir dir;
    std::vector<std::uint8_t> bytes((5u << 20) + 3, 0);
    Spill(dir.File("big.gau"), bytes);
    std::vector<int> seen;
    Module module;
    ASSERT_TRUE(module.Load(
        dir.File("big.gau"), [&](int p) { seen.push_back(p); }, nullptr));
    ASSERT_GE(seen.size(), 3u);
    EXPECT_TRUE(std::is_sorted(seen.begin(), seen.end()));
    EXPECT_EQ(seen.back(), 100);
    EXPECT_GE(seen.front(), 0);
    std::string why;
    EXPECT_FALSE(module.Load(
        dir.File("none.gau"), [&](int p) { seen.push_back(p); }, &why));
    EXPECT_NE(why.find("cannot open"), std::string::npos);
    EXPECT_EQ(module.Count(), 0);
}

TEST(NumberBox, ClampsToTheFoundBitmaps) {
    struct Case {
        const char* text;
        int count, number;
    };
    for (const Case c : {Case{"", 7, 1}, Case{"0", 7, 1}, Case{"-3", 7, 1}, Case{"5", 7, 5}, Case{"7", 7, 7},
                         Case{"8", 7, 7}, Case{"99999999999999999999", 7, 7}, Case{" 3x", 7, 3},
                         Case{"abc", 7, 1}, Case{"4", 0, 1}}) {
        EXPECT_EQ(ClampNumber(c.text, c.count), c.number) << '"' << c.text << "\" of " << c.count;
    }
    EXPECT_EQ(NextNumber(7, 7), 7);
    EXPECT_EQ(NextNumber(6, 7), 7);
    EXPECT_EQ(PreviousNumber(1, 7), 1);
    EXPECT_EQ(PreviousNumber(2, 7), 1);
    EXPECT_EQ(NextNumber(1, 0), 1);
}

}  // namespace
}  // namespace pickwell
