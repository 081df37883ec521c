#include "panel/design_check.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "panel_test_util.h"
#include "platform/messages.h"
#include "view/bitmap.h"

namespace brindle {
namespace {

using testing::TempDir;

const std::string kUnderline = std::string(70, '_') + "\r\n";

Panel PanelWith(std::vector<PanelWindow> windows) {
    Panel p = EmptyPanel();
    p.defaultView = {0, 0, 8191, 3276};
    for (auto& w : windows) InsertWindow(p, std::move(w));
    return p;
}

PanelWindow Window(const std::string& title, const std::string& ident) {
    PanelWindow w;
    w.title = title;
    w.ident = ident;
    return w;
}

GaugeEntry Gauge(const std::string& name, int x, int y, std::optional<int> width = {},
                 std::optional<int> height = {}) {
    GaugeEntry g;
    g.name = name;
    g.x = x;
    g.y = y;
    if (width) g.width = *width, g.widthPresent = true;
    if (height) g.height = *height, g.heightPresent = true;
    return g;
}

DesignCheckReport Check(const Panel& p, SimMode mode = kModeFS2000, const std::string& folder = "") {
    DesignCheckOptions o;
    o.mode = mode;
    o.panelFolder = folder;
    return RunDesignCheck(p, o);
}

TEST(DesignCheck, EmptyPanelGivesOnlyTheFrame) {
    std::string streamed;
    DesignCheckOptions o;
    o.onText = [&](const std::string& t) { streamed += t; };
    DesignCheckReport r = RunDesignCheck(PanelWith({}), o);
    EXPECT_EQ(r.text,
              "Scanning config file\r\n" + kUnderline + "\r\n\r\nScan Complete, 0 Errors, 0 Warnings");
    EXPECT_EQ(streamed, r.text);
    EXPECT_EQ(r.errors, 0);
    EXPECT_EQ(r.warnings, 0);
}

TEST(DesignCheck, DefaultViewLimits) {
    struct Case {
        DefaultView view;
        std::vector<std::string> lines;
    };
    const std::string kXY = "****    Error: Default View X or Y are out of range ( > max)\r\n\r\n";
    const std::string kZero = "****    Error: Default View Size_X or Size_Y are <= 0\r\n\r\n";
    const std::string kBig = "****    Error: Default View Size_X or Size_Y are out of range ( > max)\r\n\r\n";
    const std::vector<Case> cases = {
        {{8191, 6143, 8192, 6144}, {}},
        {{8192, 0, 100, 100}, {kXY}},
        {{0, 6144, 100, 100}, {kXY}},
        {{-1, 0, 100, 100}, {kXY}},  // compared as unsigned
        {{0, 0, 0, 100}, {kZero}},
        {{0, 0, 100, 6145}, {kBig}},
        {{9000, 0, 0, 9000}, {kXY, kZero, kBig}},
        {{0, 0, -5, 100}, {kBig}},
    };
    for (const auto& c : cases) {
        Panel p = PanelWith({});
        p.defaultView = c.view;
        std::string expected = "Scanning config file\r\n";
        for (const auto& l : c.lines) expected += l;
        expected +=
            kUnderline + "\r\n\r\nScan Complete, " + std::to_string(c.lines.size()) + " Errors, 0 Warnings";
        EXPECT_EQ(Check(p).text, expected) << c.view.x << "," << c.view.y << "," << c.view.sizeX;
    }
}

TEST(DesignCheck, IdentsEqualWithoutRegardToCase) {
    Panel p = PanelWith({Window("Main", "Radio"), Window("Second", "RADIO"), Window("Third", "other"),
                         Window("Fourth", ""), Window("Fifth", "")});
    DesignCheckReport r = Check(p);
    EXPECT_EQ(r.errors, 2);
    std::string expected =
        "Scanning config file\r\n"
        "\r\n****    Error: Window 0 and Window 1 have identical \"IDENT=\" entries\r\n\r\n"
        "\r\n****    Error: Window 3 and Window 4 have identical \"IDENT=\" entries\r\n\r\n"
        "Scanning Window 00, \"Main\"\r\n\r\n\r\n";
    EXPECT_EQ(r.text.substr(0, expected.size()), expected);
}

TEST(DesignCheck, WindowValues) {
    PanelWindow w = Window("Main", "0");
    w.windowSizeRatioPresent = true;
    w.windowSizeRatio = 0.0;
    w.windowSizePresent = true;
    w.windowSize = {-0.5, 1.5};  // both the error and the warning
    w.windowPosPresent = true;
    w.windowPos = {0.5, 1.01};
    w.sizeMmPresent = w.sizeMmYPresent = true;
    w.sizeMmX = 9000;
    w.sizeMmY = 7000;
    PanelWindow v = Window("Second", "1");
    v.windowSizeRatioPresent = true;
    v.windowSizeRatio = 2.5;
    v.windowSizePresent = true;
    v.windowSize = {1.0, 1.0};
    v.windowPosPresent = true;
    v.windowPos = {0.0, 1.0};
    v.sizeMmPresent = true;
    v.sizeMmX = 8192;
    PanelWindow vc;
    vc.setKind(WindowKind::Vcockpit);
    vc.vcockpitNumber = 1;
    vc.windowSizeRatioPresent = true;  // Vcockpits are not scanned
    DesignCheckReport r = Check(PanelWith({w, v, vc}));
    EXPECT_EQ(r.text,
              "Scanning config file\r\n"
              "Scanning Window 00, \"Main\"\r\n\r\n"
              "\r\n****    Error: Invalid window_size_ratio, < 0.0\r\n\r\n"
              "\r\n****    Error: Invalid window_size, < 0.0\r\n\r\n"
              "\r\n****    Warning: Window_size > 1.0\r\n\r\n"
              "\r\n****    Error: Invalid window_pos\r\n\r\n"
              "\r\n****    Error: SizeMM X is > 8192\r\n\r\n"
              "\r\n****    Error: SizeMM Y is > 6144\r\n\r\n"
              "\r\n"
              "Scanning Window 01, \"Second\"\r\n\r\n"
              "\r\n****    Warning: Window_size_ratio is unusually large\r\n\r\n"
              "\r\n" +
                  kUnderline + "\r\n\r\nScan Complete, 5 Errors, 2 Warnings");
}

TEST(DesignCheck, GaugeValues) {
    struct Case {
        GaugeEntry gauge;
        std::vector<std::string> lines;
        int errors, warnings;
    };
    const std::string kNoName = "\r\n****    Error, This gauge has no name\r\n\r\n";
    const std::string kW0 = "\r\n****    Error, Gauge size_x is less than or equal to 0\r\n\r\n";
    const std::string kWSmall = "\r\n****    Warning, Gauge size_x is unusually small\r\n\r\n";
    const std::string kWLarge = "\r\n****    Warning, Gauge size_x is unusually large\r\n\r\n";
    const std::string kXOff = "\r\n****    Warning, Gauge position is offscreen (x > size_mm)\r\n\r\n";
    const std::string kH0 = "\r\n****    Error, Gauge size_y is less than or equal to 0\r\n\r\n";
    const std::string kHSmall = "\r\n****    Warning, Gauge size_y is unusually small\r\n\r\n";
    const std::string kHLarge = "\r\n****    Warning, Gauge size_y is unusually large\r\n\r\n";
    const std::string kYOff = "\r\n****    Warning, Gauge position is offscreen (y > size_mm)\r\n\r\n";
    const std::string kXNeg = "\r\n****    Warning, Gauge is positioned off screen (x <= 0)\r\n\r\n";
    const std::string kYNeg = "\r\n****    Warning, Gauge is positioned off screen (y <= 0)\r\n\r\n";
    // A reference or parameter longer than the simulators read is kept in the file and warned about.
    const std::string kLongRef =
        "\r\n****    Warning, Gauge reference is longer than 95 characters; the simulator may not read "
        "it\r\n\r\n";
    const std::string kLongParam =
        "\r\n****    Warning, Gauge parameter is longer than 31 characters; the simulator may not read "
        "it\r\n\r\n";
    auto kept = [](GaugeEntry g, std::string fullName, std::string fullParameter) {
        if (!fullName.empty()) g.kept.fullName = g.name.str() + fullName;
        if (!fullParameter.empty()) {
            g.parameter = fullParameter;
            g.kept.fullParameter = fullParameter + "more";
        }
        return g;
    };
    const std::vector<Case> cases = {
        {kept(Gauge("a!b", 10, 10), std::string(92, 'x'), ""), {}, 0, 0},  // 95 characters
        {kept(Gauge("a!b", 10, 10), std::string(93, 'x'), ""), {kLongRef}, 0, 1},
        {kept(Gauge("a!b", 10, 10), "", std::string(31, 'p')), {kLongParam}, 0, 1},
        {Gauge("a!b", 10, 10), {}, 0, 0},  // no width or height given: not tested
        {Gauge("a!b", 10, 10, 100, 100), {}, 0, 0},
        {Gauge("", 10, 10), {kNoName}, 1, 0},
        {Gauge("a!b", 10, 10, 5), {kWSmall}, 0, 1},
        {Gauge("a!b", 10, 10, 9), {kWSmall}, 0, 1},
        {Gauge("a!b", 10, 10, 10), {}, 0, 0},
        {Gauge("a!b", 10, 10, 0), {kW0}, 1, 0},
        {Gauge("a!b", 10, 10, 2001), {kWLarge}, 0, 1},
        {Gauge("a!b", 1025, 10, 100), {kXOff}, 0, 1},
        {Gauge("a!b", 1024, 10, 100), {}, 0, 0},
        {Gauge("a!b", 10, 10, {}, 0), {kH0}, 1, 0},
        {Gauge("a!b", 10, 10, {}, 3), {kHSmall}, 0, 1},
        {Gauge("a!b", 10, 10, {}, 2500), {kHLarge}, 0, 1},
        {Gauge("a!b", 10, 769, {}, 10), {kYOff}, 0, 1},
        {Gauge("a!b", -100, 10, 100), {kXNeg}, 0, 1},
        {Gauge("a!b", -99, 10, 100), {}, 0, 0},
        {Gauge("a!b", 10, -20, 100, 20), {kYNeg}, 0, 1},
        {Gauge("a!b", -20, -20, 0, 0), {kW0, kH0, kXNeg, kYNeg}, 2, 2},
    };
    for (const auto& c : cases) {
        PanelWindow w = Window("Main", "0");
        w.sizeMmPresent = w.sizeMmYPresent = true;
        w.sizeMmX = 1024;
        w.sizeMmY = 768;
        AddGauge(w, c.gauge);
        DesignCheckReport r = Check(PanelWith({w}));
        std::string expected =
            "Scanning config file\r\nScanning Window 00, \"Main\"\r\n\r\n    Scanning Gauge 00, \"" +
            c.gauge.name.str() + "\"\r\n";
        for (const auto& l : c.lines) expected += l;
        expected += "\r\n" + kUnderline + "\r\n\r\nScan Complete, " + std::to_string(c.errors) + " Errors, " +
                    std::to_string(c.warnings) + " Warnings";
        EXPECT_EQ(r.text, expected) << c.gauge.name.str() << " " << c.gauge.x << "," << c.gauge.y << " "
                                    << c.gauge.width << "x" << c.gauge.height;
        EXPECT_EQ(r.errors, c.errors);
        EXPECT_EQ(r.warnings, c.warnings);
    }
}

TEST(DesignCheck, OffscreenTestNeedsSizeMm) {
    PanelWindow w = Window("Main", "0");  // no size_mm
    AddGauge(w, Gauge("a!b", 5000, 5000, 100, 100));
    EXPECT_EQ(Check(PanelWith({w})).warnings, 0);
}

TEST(DesignCheck, Fs98GaugeLimit) {
    PanelWindow w = Window("Main", "0");
    for (int i = 0; i < 80; ++i) AddGauge(w, Gauge("a!b", 10, 10));
    Panel p = PanelWith({w});
    EXPECT_EQ(Check(p, kModeFS2000).warnings, 0);
    DesignCheckReport r = Check(p, kModeFS98);
    EXPECT_EQ(r.warnings, 1);
    EXPECT_NE(r.text.find("Scanning Window 00, \"Main\"\r\n\r\n"
                          "****    Warning: The FS98 limit of 64 Gauges per Window has been exceeded\r\n\r\n"
                          "    Scanning Gauge 00"),
              std::string::npos);
}

void WriteBitmap(const std::string& path, int bits) {
    if (bits == 24) {
        ASSERT_TRUE(WriteBmp24(path, Image(4, 4, kWhite)));
        return;
    }
    // An 8-bit bitmap with a full colour table.
    std::string b = "BM";
    auto put32 = [&](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    auto put16 = [&](std::uint32_t v) {
        for (int i = 0; i < 2; ++i) b += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put32(14 + 40 + 1024 + 16);
    put32(0);
    put32(14 + 40 + 1024);
    put32(40);
    put32(4);
    put32(4);
    put16(1);
    put16(8);
    put32(0);
    put32(16);
    put32(0);
    put32(0);
    put32(0);
    put32(0);
    b += std::string(1024 + 16, '\0');
    std::ofstream(path, std::ios::binary) << b;
}

TEST(DesignCheck, BitmapColoursInFs98AndCfs) {
    TempDir dir;
    WriteBitmap(dir.file("true.bmp"), 24);
    WriteBitmap(dir.file("eight.bmp"), 8);
    PanelWindow a = Window("True colour", "0");
    a.file = "TRUE.BMP";  // found without regard to case
    PanelWindow b = Window("Eight bit", "1");
    b.file = "eight.bmp";
    PanelWindow c = Window("No bitmap", "2");
    Panel p = PanelWith({a, b, c});
    const std::string kLine =
        "****    Error: The background bitmap has more than 256 colors. It will not display properly in FS98 "
        "or "
        "CFS1.\r\n\r\n";
    for (SimMode mode : {kModeFS98, kModeCFS, kModeFS2000, kModeCFS2}) {
        RecordingMessageUi ui;
        ScopedMessageUi scope(ui);
        DesignCheckReport r = Check(p, mode, dir.path().string());
        bool tested = mode == kModeFS98 || mode == kModeCFS;
        EXPECT_EQ(r.errors, tested ? 1 : 0) << mode;
        if (tested) {
            EXPECT_NE(r.text.find("Scanning Window 00, \"True colour\"\r\n\r\n" + kLine), std::string::npos);
        }
        EXPECT_TRUE(ui.entries.empty());
    }

    // A bitmap that can't be read is reported by the reader and not counted.
    PanelWindow d = Window("Missing", "3");
    d.file = "missing.bmp";
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    DesignCheckReport r = Check(PanelWith({d}), kModeFS98, dir.path().string());
    EXPECT_EQ(r.errors, 0);
    ASSERT_EQ(ui.entries.size(), 1u);
    EXPECT_NE(ui.entries[0].text.find("Can't open Bitmap file: "), std::string::npos);
}

TEST(DesignCheckDialog, BoxGrowsAndALongReportKeepsItsClosingLine) {
    // A short report: the box holds all of it, piece by piece as the scan produced it.
    Panel small = PanelWith({Window("Main", "A"), Window("Radio", "a")});
    DesignCheckDialogLogic dlg;
    std::vector<std::string> pieces;
    DesignCheckReport r = dlg.Run(small, {}, [&](const std::string& p) { pieces.push_back(p); });
    EXPECT_FALSE(dlg.Cut());
    EXPECT_EQ(dlg.Text(), r.text);
    EXPECT_GT(pieces.size(), 5u);
    EXPECT_EQ(pieces.front(), "Scanning config file\r\n");

    // 128 gauges of width 5 in each of 8 windows: far more than the box holds.
    std::vector<PanelWindow> windows;
    for (int w = 0; w < 8; ++w) {
        PanelWindow win = Window("W" + std::to_string(w), std::to_string(w));
        for (int g = 0; g < 128; ++g) win.gauges.push_back(Gauge("Mine!G", 10, 10, 5, 20));
        windows.push_back(std::move(win));
    }
    Panel big = PanelWith(std::move(windows));
    std::string shown;
    r = dlg.Run(big, {}, [&](const std::string& p) { shown += p; });
    ASSERT_TRUE(dlg.Cut());
    EXPECT_EQ(shown, dlg.Text());
    EXPECT_LE(dlg.Text().size(), DesignCheckDialogLogic::kMaxText);
    EXPECT_EQ(r.warnings, 8 * 128);
    const std::string tail = std::string(DesignCheckDialogLogic::kCutNote) + kUnderline +
                             "\r\n\r\nScan Complete, 0 Errors, 1024 Warnings";
    ASSERT_GE(dlg.Text().size(), tail.size());
    EXPECT_EQ(dlg.Text().substr(dlg.Text().size() - tail.size()), tail);
    // What comes before the note is the report's beginning, cut between two pieces.
    const std::string head = dlg.Text().substr(0, dlg.Text().size() - tail.size());
    EXPECT_EQ(r.text.compare(0, head.size(), head), 0);
    EXPECT_EQ(head.substr(head.size() - 2), "\r\n");
}

}  // namespace
}  // namespace brindle
