#include "dialogs/capture.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "../panel/panel_test_util.h"
#include "platform/messages.h"
#include "view/bitmap.h"

namespace brindle {
namespace {

using testing::TempDir;

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint16_t U16(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

Image Gradient(int w, int h) {
    Image img(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.At(x, y) = MakePixel(x * 2, y * 3, (x + y) & 0xFF);
    return img;
}

TEST(Capture, FileLayoutByDisplayDepth) {
    struct Case {
        int displayBits, bitCount, width;
        std::uint32_t tableBytes, stride;
    };
    const Case cases[] = {
        {32, 24, 101, 0, 304}, {16, 24, 3, 0, 12}, {24, 24, 4, 0, 12},
        {8, 8, 5, 1024, 8},    {4, 4, 9, 64, 8},   {1, 1, 33, 8, 8},
    };
    const Image src = Gradient(120, 7);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.displayBits);
        CaptureBitmap cap;
        cap.Capture(src, PixelRect::FromSize(2, 1, c.width, 5), c.displayBits);
        EXPECT_EQ(cap.BitCount(), c.bitCount);
        auto f = cap.FileBytes();
        ASSERT_EQ(f.size(), 14 + 40 + c.tableBytes + c.stride * 5);
        EXPECT_EQ(f[0], 'B');
        EXPECT_EQ(f[1], 'M');
        EXPECT_EQ(U32(f, 2), f.size());
        EXPECT_EQ(U32(f, 6), 0u);
        EXPECT_EQ(U32(f, 10), 54 + c.tableBytes);
        EXPECT_EQ(U32(f, 14), 40u);
        EXPECT_EQ(static_cast<int>(U32(f, 18)), c.width);
        EXPECT_EQ(U32(f, 22), 5u);
        EXPECT_EQ(U16(f, 26), 1);
        EXPECT_EQ(U16(f, 28), c.bitCount);
        EXPECT_EQ(U32(f, 30), 0u);
        EXPECT_EQ(U32(f, 34), c.stride * 5);
        for (std::size_t at = 38; at < 54; at += 4) EXPECT_EQ(U32(f, at), 0u);
    }
}

TEST(Capture, PixelsReadBackThroughTheBitmapReader) {
    TempDir dir;
    const Image src = Gradient(40, 30);
    CaptureBitmap cap;
    cap.Capture(src, PixelRect::FromSize(5, 6, 21, 9));
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    std::string path = dir.file("shot.bmp");
    ASSERT_TRUE(cap.WriteToFile(path));
    std::optional<Image> back = LoadBmpImage(path);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->Width(), 21);
    ASSERT_EQ(back->Height(), 9);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 21; ++x) ASSERT_EQ(back->At(x, y), src.At(x + 5, y + 6)) << x << "," << y;

    // 8 bits: every pixel becomes the nearest palette colour; a palette colour stays exact.
    Image two(6, 2, MakePixel(255, 0, 0));
    two.At(1, 1) = MakePixel(0, 0, 255);
    two.At(2, 0) = MakePixel(250, 3, 2);
    cap.Capture(two, two.Bounds(), 8, {kBlack, MakePixel(255, 0, 0), MakePixel(0, 0, 255)});
    ASSERT_TRUE(cap.WriteToFile(path));
    back = LoadBmpImage(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->At(0, 0), MakePixel(255, 0, 0));
    EXPECT_EQ(back->At(2, 0), MakePixel(255, 0, 0));
    EXPECT_EQ(back->At(1, 1), MakePixel(0, 0, 255));
    EXPECT_TRUE(ui.entries.empty());

    // Outside the source is black.
    cap.Capture(src, {38, 28, 42, 30});
    auto f = cap.FileBytes();
    EXPECT_EQ(f[54 + 3 * 3], 0);  // bottom row, fourth pixel, outside
}

TEST(Capture, WriteFailures) {
    TempDir dir;
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    CaptureBitmap cap;
    cap.Capture(Gradient(4, 4), {0, 0, 4, 4});
    std::string missing = dir.file("no-such-folder/shot.bmp");
    EXPECT_FALSE(cap.WriteToFile(missing));
    ASSERT_EQ(ui.entries.size(), 1u);
    EXPECT_EQ(ui.entries[0].text.rfind("Can't open selected file: ", 0), 0u);
    EXPECT_GT(ui.entries[0].text.size(), std::string("Can't open selected file: ").size());
    EXPECT_FALSE(std::filesystem::exists(missing));

    // A folder where the file should go cannot be replaced by it.
    std::filesystem::create_directories(dir.path() / "taken.bmp");
    EXPECT_FALSE(cap.WriteToFile(dir.file("taken.bmp")));
    ASSERT_EQ(ui.entries.size(), 2u);
    EXPECT_TRUE(std::filesystem::is_directory(dir.path() / "taken.bmp"));

    // An existing file is replaced whole.
    std::string old = dir.write("old.bmp", std::string(5000, 'x'));
    ASSERT_TRUE(cap.WriteToFile(old));
    EXPECT_EQ(std::filesystem::file_size(old), cap.FileBytes().size());

    CaptureBitmap none;
    EXPECT_FALSE(none.WriteToFile(dir.file("empty.bmp")));
    EXPECT_EQ(ui.entries.size(), 3u);
}

}  // namespace
}  // namespace brindle
