#include "view/bitmap.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "dib_builder.h"
#include "platform/messages.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;
using test::BmpFile;
using test::DibLayout;
using test::PackedDib;

constexpr Pixel R = 0xFF0000, G = 0x00FF00, B = 0x0000FF, W = 0xFFFFFF, K = 0x000000;

Image DecodeOk(const DibLayout& layout) {
    std::string error;
    auto dib = Dib::FromPacked(PackedDib(layout), &error);
    EXPECT_TRUE(dib) << error;
    return dib ? dib->Decode() : Image();
}

std::vector<Pixel> Row(const Image& img, int y) {
    std::vector<Pixel> out;
    for (int x = 0; x < img.Width(); ++x) out.push_back(img.At(x, y));
    return out;
}

struct DecodeCase {
    const char* name;
    DibLayout layout;
    std::vector<std::vector<Pixel>> rows;  // top row first
};

TEST(DibDecode, EveryPixelFormat) {
    const std::vector<DecodeCase> cases = {
        // 1 bit, 2 x 2 bottom-up: the bottom row is stored first; rows padded to 4 bytes.
        {"1bpp", {2, 2, 1, 0, 0, {K, W}, {}, {0x80, 0, 0, 0, 0x40, 0, 0, 0}}, {{K, W}, {W, K}}},
        // 4 bits with a table of 3 entries: index 3 is past the table and reads black.
        {"4bpp short table", {4, 1, 4, 0, 3, {R, G, B}, {}, {0x01, 0x23, 0, 0}}, {{R, G, B, K}}},
        // 8 bits, top-down (negative height): the first stored row is the top.
        {"8bpp top-down", {2, -2, 8, 0, 2, {R, G}, {}, {0, 1, 0, 0, 1, 0, 0, 0}}, {{R, G}, {G, R}}},
        // 16 bits without masks: 5-5-5.
        {"16bpp 555", {2, 1, 16, 0, 0, {}, {}, {0x00, 0x7C, 0x1F, 0x00}}, {{R, B}}},
        // 16 bits with 5-6-5 masks.
        {"16bpp 565", {2, 1, 16, 3, 0, {}, {0xF800, 0x07E0, 0x001F}, {0x00, 0xF8, 0xE0, 0x07}}, {{R, G}}},
        {"24bpp", {2, 1, 24, 0, 0, {}, {}, {0xFF, 0, 0, 0x01, 0x01, 0x01, 0, 0}}, {{B, 0x010101}}},
        {"32bpp", {1, 1, 32, 0, 0, {}, {}, {0x03, 0x02, 0x01, 0xAA}}, {{0x010203}}},
        {"32bpp bitfields",
         {1, 1, 32, 3, 0, {}, {0x000000FF, 0x0000FF00, 0x00FF0000}, {0x10, 0x20, 0x30, 0}},
         {{0x102030}}},
        // RLE8: a run of 3, end of line, an absolute run of 3 (padded), end of bitmap.
        {"rle8",
         {4, 2, 8, 1, 3, {R, G, B}, {}, {3, 1, 0, 0, 0, 3, 2, 0, 2, 0, 0, 1}},
         {{B, R, B, K}, {G, G, G, K}}},
        // RLE8 with a delta that skips one pixel right and one row up.
        {"rle8 delta", {3, 2, 8, 1, 2, {R, G}, {}, {1, 1, 0, 2, 1, 1, 1, 0, 0, 1}}, {{K, K, R}, {G, K, K}}},
        // RLE4: a run of 3 alternating nibbles, then an absolute run of 3 nibbles (2 bytes, padded).
        {"rle4", {6, 1, 4, 2, 3, {R, G, B}, {}, {3, 0x12, 0, 3, 0x01, 0x20, 0, 1}}, {{G, B, G, R, G, B}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Image img = DecodeOk(c.layout);
        ASSERT_EQ(img.Height(), static_cast<int>(c.rows.size()));
        for (int y = 0; y < img.Height(); ++y)
            EXPECT_EQ(Row(img, y), c.rows[static_cast<size_t>(y)]) << "row " << y;
    }
}

TEST(DibDecode, KeepsColourTableAndCounts) {
    DibLayout layout{1, 1, 8, 0, 0, std::vector<Pixel>(256, 0x123456), {}, {0, 0, 0, 0}};
    auto dib = Dib::FromPacked(PackedDib(layout));
    ASSERT_TRUE(dib);
    EXPECT_EQ(dib->Colours(), 256);
    EXPECT_EQ(dib->BitsOffset(), 40u + 1024u);
    EXPECT_EQ(dib->FirstColor(), 0x123456u);
    // Changing entry 0 changes the packed data, so a new decode shows it.
    ASSERT_TRUE(dib->SetColorTableEntry(0, 0x0A0B0C));
    EXPECT_EQ(dib->Data()[40], 0x0C);
    EXPECT_EQ(dib->Decode().At(0, 0), 0x0A0B0Cu);
    EXPECT_FALSE(dib->SetColorTableEntry(256, 0));

    DibLayout rgb{1, 1, 24, 0, 0, {}, {}, {1, 2, 3, 0}};
    auto d24 = Dib::FromPacked(PackedDib(rgb));
    ASSERT_TRUE(d24);
    EXPECT_EQ(d24->BitsOffset(), 40u);
    EXPECT_EQ(d24->Colours(), 1 << 24);
}

TEST(DibDecode, RefusesDamagedHeaders) {
    struct Bad {
        const char* name;
        std::vector<std::uint8_t> bytes;
        const char* message;
    };
    auto with = [](DibLayout s) { return PackedDib(s); };
    std::vector<std::uint8_t> huge = with({20000, 1, 24, 0, 0, {}, {}, {}});
    std::vector<std::uint8_t> bigTotal = with({16000, 16000, 24, 0, 0, {}, {}, {}});
    std::vector<std::uint8_t> table = with({1, 1, 8, 0, 200, {R}, {}, {}});
    std::vector<std::uint8_t> jpeg = with({1, 1, 24, 4, 0, {}, {}, {}});
    std::vector<std::uint8_t> topDownRle = with({1, -1, 8, 1, 1, {R}, {}, {}});
    std::vector<std::uint8_t> zeroWidth = with({0, 1, 24, 0, 0, {}, {}, {}});
    std::vector<std::uint8_t> bits7 = with({1, 1, 7, 0, 0, {}, {}, {}});
    std::vector<std::uint8_t> cut = with({1, 1, 24, 0, 0, {}, {}, {}});
    cut.resize(20);
    std::vector<std::uint8_t> oddHeader = with({1, 1, 24, 0, 0, {}, {}, {}});
    oddHeader[0] = 20;
    const std::vector<Bad> cases = {
        {"too wide", huge, "too large"},
        {"too many pixels", bigTotal, "too large"},
        {"table cut short", table, "colour table"},
        {"jpeg", jpeg, "compression 4"},
        {"top-down rle", topDownRle, "top-down"},
        {"zero width", zeroWidth, "bad bitmap size"},
        {"7 bits", bits7, "bit count 7"},
        {"header cut", cut, "cut short"},
        {"header size 20", oddHeader, "header size 20"},
    };
    for (const auto& c : cases) {
        std::string error;
        EXPECT_FALSE(Dib::FromPacked(c.bytes, &error)) << c.name;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
    }
}

TEST(DibDecode, ShortPixelDataDecodesBlackWithoutReadingPast) {
    // Two rows declared, only the bottom one stored: the top row stays black.
    DibLayout layout{1, 2, 24, 0, 0, {}, {}, {0xFF, 0xFF, 0xFF, 0}};
    Image img = DecodeOk(layout);
    EXPECT_EQ(img.At(0, 1), W);
    EXPECT_EQ(img.At(0, 0), K);
}

class BitmapFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("brindle-bitmap-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        std::string path = (dir_ / name).string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    fs::path dir_;
    RecordingMessageUi ui_;
    ScopedMessageUi scoped_{ui_};
};

TEST_F(BitmapFileTest, FailuresGiveTheirWarning) {
    std::vector<std::uint8_t> mz = BmpFile(PackedDib({1, 1, 24, 0, 0, {}, {}, {0, 0, 0, 0}}), 54);
    mz[0] = 'M';
    mz[1] = 'Z';
    std::vector<std::uint8_t> damaged = BmpFile(PackedDib({1, 1, 24, 0, 0, {}, {}, {0, 0, 0, 0}}), 54);
    damaged[14] = 99;  // header size
    struct Case {
        std::string path;
        std::string message;
    };
    const std::vector<Case> cases = {
        {(dir_ / "missing.bmp").string(), "Can't open Bitmap file: " + (dir_ / "missing.bmp").string()},
        {dir_.string(), "Can't open Bitmap file: " + dir_.string()},
        {Write("short.bmp", {'B', 'M', 1, 2, 3}), "Can't read Bitmap file header"},
        {Write("mz.bmp", mz), "Bad Bitmap file type"},
        {Write("damaged.bmp", damaged),
         "Can't use Bitmap file: " + (dir_ / "damaged.bmp").string() + "\n\nthe bitmap header is cut short"},
    };
    for (const auto& c : cases) {
        ui_.entries.clear();
        BitmapFileRequest req{c.path};
        EXPECT_EQ(ReadBitmapFile(req, true), 0) << c.path;
        EXPECT_FALSE(req.data);
        ASSERT_EQ(ui_.entries.size(), 1u) << c.path;
        EXPECT_EQ(ui_.entries[0].kind, RecordingMessageUi::Kind::Warning);
        EXPECT_EQ(ui_.entries[0].text, c.message);
    }
}

TEST_F(BitmapFileTest, ReadsSizesWithAndWithoutKeepingData) {
    DibLayout layout{3, 2, 8, 0, 0, std::vector<Pixel>(256, 0x445566), {}, std::vector<std::uint8_t>(8, 0)};
    std::string path = Write("Pal256.bmp", BmpFile(PackedDib(layout), 14 + 40 + 1024));
    BitmapFileRequest req{path};
    ASSERT_EQ(ReadBitmapFile(req, false), 1);
    EXPECT_FALSE(req.data);
    EXPECT_EQ(req.width, 3);
    EXPECT_EQ(req.height, 2);
    EXPECT_EQ(req.colours, 256);
    EXPECT_EQ(req.palette, 0x445566u);
    EXPECT_EQ(req.bitsOffset, 40u + 1024u);
    EXPECT_EQ(req.length, 14 + 40 + 1024 + 8);

    // The name is found whatever its letter case.
    BitmapFileRequest kept{(dir_ / "PAL256.BMP").string()};
    ASSERT_EQ(ReadBitmapFile(kept, true), 1);
    ASSERT_TRUE(kept.data);
    EXPECT_EQ(kept.data->Decode().At(2, 1), 0x445566u);
    EXPECT_TRUE(ui_.entries.empty());
}

TEST_F(BitmapFileTest, FileHeaderOffsetPlacesTheBits) {
    // Two spare bytes between the header and the bits, which the file header's offset skips.
    DibLayout layout{1, 1, 24, 0, 0, {}, {}, {0xAA, 0xBB, 0x01, 0x02, 0x03, 0x00}};
    std::string path = Write("gap.bmp", BmpFile(PackedDib(layout), 14 + 40 + 2));
    auto img = LoadBmpImage(path);
    ASSERT_TRUE(img);
    EXPECT_EQ(img->At(0, 0), 0x030201u);
}

TEST_F(BitmapFileTest, Bmp24RoundTrip) {
    Image img(3, 2);
    img.At(0, 0) = R;
    img.At(2, 1) = 0x010203;
    std::string path = (dir_ / "out.bmp").string();
    ASSERT_TRUE(WriteBmp24(path, img));
    auto back = LoadBmpImage(path);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, img);
    EXPECT_EQ(fs::file_size(path), 54u + 2 * 12);
}

TEST(BitmapCorpus, EveryCorpusBitmapReadsOrIsRefusedCleanly) {
    RecordingMessageUi ui;
    ScopedMessageUi scoped(ui);
    fs::path dir = fs::path(BRINDLE_CORPUS_DIR) / "bitmaps";
    if (!fs::exists(dir)) GTEST_SKIP() << "no corpus";
    int read = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        BitmapFileRequest req{e.path().string()};
        if (ReadBitmapFile(req, true) == 1) {
            ++read;
            Image img = req.data->Decode();
            EXPECT_EQ(img.Width(), req.width);
        }
    }
    EXPECT_GE(read, 10);
    // The DXT-compressed texture is not a drawable bitmap and says so.
    for (const auto& t : ui.texts()) EXPECT_EQ(t.rfind("Can't use Bitmap file: ", 0), 0u) << t;
}

}  // namespace
}  // namespace brindle
