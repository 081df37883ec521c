#include "dialogs/color_palette.h"

#include <gtest/gtest.h>

#include "../panel/panel_test_util.h"
#include "../view/dib_builder.h"
#include "platform/messages.h"

namespace brindle {
namespace {

using testing::TempDir;

ColorEntry C(int r, int g, int b) {
    return ColorEntry::FromRgb(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                               static_cast<std::uint8_t>(b));
}

Panel PanelWithColours(std::vector<ColorEntry> colours) {
    Panel p = EmptyPanel();
    for (std::size_t i = 0; i < colours.size(); ++i) p.colors[i] = colours[i];
    p.colorCount = static_cast<int>(colours.size());
    return p;
}

std::vector<std::string> LineTexts(const ColorPaletteEditor& ed) {
    std::vector<std::string> out;
    for (const auto& l : ed.Lines()) out.push_back(l.text);
    return out;
}

// An 8-bit bottom-up .bmp with the given colour table and one byte per pixel (width a multiple of 4).
std::string Write8BitBmp(const TempDir& dir, const std::string& name, std::vector<std::uint32_t> table,
                         int width, int height, const std::vector<std::uint8_t>& pixels) {
    test::DibLayout l;
    l.width = width;
    l.height = height;
    l.bits = 8;
    l.clrUsed = static_cast<std::uint32_t>(table.size());
    l.table = std::move(table);
    l.pixels = pixels;
    auto packed = test::PackedDib(l);
    auto file = test::BmpFile(packed, static_cast<std::uint32_t>(14 + 40 + 4 * l.table.size()));
    return dir.write(name, std::string(file.begin(), file.end()));
}

class ColorPalette : public ::testing::Test {
  protected:
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST_F(ColorPalette, ListHidesBlackAndSelectionFollowsEntries) {
    Panel p = PanelWithColours({C(10, 20, 30), C(0, 0, 0), C(200, 100, 5)});
    ColorPaletteEditor ed(p);
    EXPECT_EQ(LineTexts(ed), (std::vector<std::string>{"Color00=10,20,30", "Color02=200,100,5"}));
    EXPECT_EQ(ed.SelectedEntry(), -1);
    EXPECT_FALSE(ed.DeleteEnabled());
    // The second line shows entry 2, past the hidden black one.
    ed.SelectLine(1);
    EXPECT_EQ(ed.SelectedEntry(), 2);
    EXPECT_EQ(ed.ComponentTexts(), (std::array<std::string, 3>{"200", "100", "5"}));
    EXPECT_FALSE(ed.ApplyEnabled());
    ed.MarkEdited(1);
    EXPECT_TRUE(ed.ApplyEnabled());
    EXPECT_TRUE(ed.DeleteEnabled());
}

TEST_F(ColorPalette, ApplyChecksEachComponentInOrder) {
    struct Case {
        std::array<std::string, 3> texts;
        const char* message;  // nullptr = taken
    };
    const Case cases[] = {
        {{"300", "0", "0"}, "Red value must be between 0 and 255"},
        {{"abc", "0", "0"}, "The value for RED is not valid!"},
        {{"1", "2x", "300"}, "The value for GREEN is not valid!"},
        {{"1", "256", "x"}, "Green value must be between 0 and 255"},
        {{"1", "2", "-1"}, "Blue value must be between 0 and 255"},
        {{"1", "2", ""}, "The value for BLUE is not valid!"},
        {{" 7", "8 ", "255"}, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts[0] + "," + c.texts[1] + "," + c.texts[2]);
        Panel p = PanelWithColours({C(10, 20, 30), C(40, 50, 60)});
        ColorPaletteEditor ed(p);
        ed.SelectLine(1);
        ui_.entries.clear();
        bool taken = ed.Apply(c.texts);
        EXPECT_EQ(taken, c.message == nullptr);
        if (c.message) {
            EXPECT_EQ(ui_.texts(), std::vector<std::string>{c.message});
            EXPECT_EQ(ed.Entries()[1], C(40, 50, 60));
            EXPECT_FALSE(ed.Modified());
        } else {
            EXPECT_TRUE(ui_.entries.empty());
            EXPECT_EQ(ed.Entries()[1], C(7, 8, 255));
            EXPECT_EQ(ed.Lines()[1].text, "Color01=7,8,255");
            EXPECT_EQ(ed.SelectedLine(), 1);
            EXPECT_TRUE(ed.Modified());
        }
    }
}

TEST_F(ColorPalette, DeleteAndNewColor) {
    Panel p = PanelWithColours({C(1, 1, 1), C(2, 2, 2), C(3, 3, 3)});
    ColorPaletteEditor ed(p);
    ed.SelectLine(0);
    ASSERT_TRUE(ed.Delete());
    EXPECT_EQ(ed.Count(), 2);
    EXPECT_EQ(LineTexts(ed), (std::vector<std::string>{"Color00=2,2,2", "Color01=3,3,3"}));
    EXPECT_EQ(ed.Entries()[2], C(0, 0, 0));
    EXPECT_EQ(ed.SelectedLine(), 0);

    ASSERT_TRUE(ed.AddColor(C(9, 8, 7)));
    EXPECT_EQ(ed.Count(), 3);
    EXPECT_EQ(ed.SelectedEntry(), 2);
    EXPECT_EQ(ed.Lines().back().text, "Color02=9,8,7");

    Panel full = PanelWithColours(std::vector<ColorEntry>(kMaxColors, C(5, 5, 5)));
    ColorPaletteEditor fullEd(full);
    EXPECT_FALSE(fullEd.CanAddColor());
    EXPECT_FALSE(fullEd.AddColor(C(1, 2, 3)));
    EXPECT_EQ(fullEd.Count(), kMaxColors);
    EXPECT_EQ(ui_.texts(),
              (std::vector<std::string>(2, "You already have the maximum number of Color entries.")));
}

TEST_F(ColorPalette, OkWritesOnlyAModifiedTableAndKeepsAPaletteFileOtherwise) {
    Panel p = EmptyPanel();
    p.colorCount = -1;
    p.paletteFile = "custom.pal";
    Panel before = p;
    {
        ColorPaletteEditor ed(p);
        EXPECT_TRUE(ed.UsesPaletteFile());
        EXPECT_NE(ed.PaletteFileNote().find("custom.pal"), std::string::npos);
        EXPECT_TRUE(ed.Lines().empty());
        ed.Ok(p);
        EXPECT_EQ(p, before);
    }
    ColorPaletteEditor ed(p);
    ASSERT_TRUE(ed.AddColor(C(10, 20, 30)));
    ed.Ok(p);
    EXPECT_EQ(p.colorCount, 1);
    EXPECT_EQ(p.colors[0].value, 10u | (20u << 8) | (30u << 16));
    EXPECT_FALSE(p.paletteFile.has_value());
}

TEST(ColorPaletteProposal, OrderMergeAndFilters) {
    // Entry 0 is a standard colour, 3 repeats 1, 4 has no green, 5 is used once.
    std::vector<ColorEntry> palette = {C(0, 0, 0),   C(10, 20, 30),     C(11, 21, 31), C(10, 20, 30),
                                       C(50, 0, 50), C(60, 60, 60 + 1), C(70, 71, 72)};
    std::vector<long long> counts = {100, 3, 4, 3, 50, 1, 4};
    EXPECT_EQ(ProposePalette(palette, counts),
              (std::vector<ColorEntry>{C(10, 20, 30), C(11, 21, 31), C(70, 71, 72)}));
    EXPECT_EQ(kStandardPalette.size(), 203u);
    EXPECT_TRUE(IsStandardColour(C(0x4A, 0x73, 0x84)));
    EXPECT_TRUE(IsStandardColour(C(0xFF, 0xFF, 0xFF)));

    // Only the first 32 by count are looked at.
    std::vector<ColorEntry> many;
    std::vector<long long> manyCounts;
    for (int i = 0; i < 40; ++i) {
        many.push_back(C(1, 100 + i, 3));
        manyCounts.push_back(i < 32 ? 10 : 5);
    }
    many[0] = C(1, 0, 3);  // dropped for its zero green, and not replaced by number 33
    EXPECT_EQ(ProposePalette(many, manyCounts).size(), 31u);
}

TEST_F(ColorPalette, ReCalculateFromBitmaps) {
    TempDir dir;
    // 4 x 2 pixels: entry 1 three times, entry 2 twice, entry 3 (standard white) three times.
    std::string eight = Write8BitBmp(dir, "eight.bmp", {0x000000, 0x102030, 0x405060, 0xFFFFFF}, 4, 2,
                                     {1, 1, 2, 3, 1, 2, 3, 3});
    Panel p = PanelWithColours({C(9, 9, 9)});
    ColorPaletteEditor ed(p);
    ASSERT_TRUE(ed.ReCalculate(eight));
    EXPECT_EQ(LineTexts(ed), (std::vector<std::string>{"Color00=16,32,48", "Color01=64,80,96"}));
    EXPECT_TRUE(ed.Modified());
    EXPECT_TRUE(ui_.entries.empty());

    // Only standard colours: an empty table.
    std::string standard = Write8BitBmp(dir, "standard.bmp", {0x000000, 0xFFFFFF}, 4, 1, {0, 1, 1, 1});
    ASSERT_TRUE(ed.ReCalculate(standard));
    EXPECT_EQ(ed.Count(), 0);

    // A 24-bit bitmap, a missing one and a window without a bitmap leave the table as it is.
    test::DibLayout l;
    l.width = 1;
    l.height = 1;
    l.bits = 24;
    l.pixels = {1, 2, 3, 0};
    auto file24 = test::BmpFile(test::PackedDib(l), 54);
    std::string truecolour = dir.write("true.bmp", std::string(file24.begin(), file24.end()));
    ColorPaletteEditor keep(p);
    ui_.entries.clear();
    EXPECT_FALSE(keep.ReCalculate(truecolour));
    EXPECT_FALSE(keep.ReCalculate(dir.file("missing.bmp")));
    EXPECT_FALSE(keep.ReCalculate(""));
    ASSERT_EQ(ui_.entries.size(), 3u);
    EXPECT_EQ(ui_.entries[0].text, "Color Palettes are only needed for 8bit bitmaps");
    EXPECT_EQ(ui_.entries[1].text.rfind("Can't open Bitmap file", 0), 0u);
    EXPECT_EQ(keep.Count(), 1);
    EXPECT_FALSE(keep.Modified());
}

}  // namespace
}  // namespace brindle
