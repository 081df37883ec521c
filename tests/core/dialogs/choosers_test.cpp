#include "dialogs/choosers.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "bmp_fixture.h"
#include "platform/messages.h"

namespace fs = std::filesystem;
using namespace brindle;

namespace {

class BitmapPreviewTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("brindle_preview_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Write(const std::string& name, const std::vector<std::uint8_t>& bytes) {
        test::WriteBytes(dir_ / name, bytes);
        return (dir_ / name).string();
    }
    fs::path dir_;
};

TEST_F(BitmapPreviewTest, LinesByDepthAndLength) {
    struct Case {
        int w, h, bits;
        std::size_t length;  // the whole file
        const char* depth;
        const char* size;
    };
    const Case cases[] = {
        {8, 4, 1, 1500, "MONO)", "Size: 1 Kb"},         {16, 9, 4, 1023, "4 Bit Color", "Size: 0 Kb"},
        {30, 20, 8, 2048, "8 Bit Color", "Size: 2 Kb"}, {5, 3, 16, 0, "16 Bit Color", "Size: 0 Kb"},
        {64, 32, 24, 0, "24 Bit Color", "Size: 6 Kb"},  {2, 2, 32, 0, "", "Size: 0 Kb"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.bits);
        std::vector<std::uint8_t> bytes = test::MakeBmp(c.w, c.h, c.bits);
        if (c.length > bytes.size()) bytes.resize(c.length, 0);
        BitmapPreview p;
        EXPECT_TRUE(p.Select(Write("b" + std::to_string(c.bits) + ".bmp", bytes)));
        ASSERT_TRUE(p.Picture().has_value());
        EXPECT_EQ(p.Picture()->Width(), c.w);
        EXPECT_EQ(p.Lines().width, "Width: " + std::to_string(c.w) + " pixels");
        EXPECT_EQ(p.Lines().height, "Height: " + std::to_string(c.h) + " pixels");
        EXPECT_EQ(p.Lines().depth, c.depth);
        EXPECT_EQ(p.Lines().size, c.size);
    }
}

TEST_F(BitmapPreviewTest, SamePathIsNotReadAgainAndBadFilesClearThePreview) {
    const std::string a = Write("a.bmp", test::MakeBmp(10, 10, 8));
    const std::string b = Write("b.bmp", test::MakeBmp(20, 10, 24));
    const std::string junk = Write("junk.bmp", {'B', 'M', 1, 2, 3});
    BitmapPreview p;
    EXPECT_FALSE(p.Select(""));
    EXPECT_TRUE(p.Select(a));
    EXPECT_FALSE(p.Select(a));
    EXPECT_EQ(p.Reads(), 1);
    EXPECT_EQ(p.Lines().width, "Width: 10 pixels");  // still shown
    EXPECT_TRUE(p.Select(b));
    EXPECT_TRUE(p.Select(a));
    EXPECT_EQ(p.Reads(), 3);
    for (const std::string& bad : {junk, (dir_ / "missing.bmp").string(), dir_.string()}) {
        SCOPED_TRACE(bad);
        p.Select(b);
        EXPECT_TRUE(p.Select(bad));
        EXPECT_FALSE(p.Picture().has_value());
        EXPECT_TRUE(p.Lines().Empty());
    }
    p.Reset();
    EXPECT_TRUE(p.Select(b));  // read again after the dialog reopened
}

TEST(FitPreview, KeepsTheAspectAndCentres) {
    struct Case {
        int bw, bh, aw, ah;
        PreviewRect want;
    };
    const Case cases[] = {
        {100, 200, 120, 100, {35, 0, 50, 100}},  // tall: full height, centred across
        {200, 100, 100, 100, {0, 25, 100, 50}},  // wide: full width, centred down
        {50, 50, 100, 100, {0, 0, 100, 100}},    // square fills a square area
        {50, 50, 60, 100, {0, 20, 60, 60}},      // square in a narrow area is not cut off
        {1000, 1, 100, 100, {0, 49, 100, 1}},    // never thinner than a pixel
        {0, 10, 100, 100, {}},
        {10, 10, 0, 100, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.bw << "x" << c.bh << " in " << c.aw << "x" << c.ah);
        EXPECT_EQ(FitPreview(c.bw, c.bh, c.aw, c.ah), c.want);
    }
}

TEST(FolderChooserResult, TheFolderNavigatedIntoElseTheInitialWithAnError) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    EXPECT_EQ(FolderChooserResult(std::string("/sim/fs98"), "/sim"), "/sim/fs98");
    EXPECT_EQ(FolderChooserResult(std::string("/sim"), "/sim"), "/sim");
    EXPECT_TRUE(ui.entries.empty());
    EXPECT_EQ(FolderChooserResult(std::nullopt, "/sim"), "/sim");
    EXPECT_EQ(ui.texts(), std::vector<std::string>{kFolderReadError});
}

}  // namespace
