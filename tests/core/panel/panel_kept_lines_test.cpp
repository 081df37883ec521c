// What a panel.cfg holds beyond the panel model comes back on a save, with what it belongs to.
#include <gtest/gtest.h>

#include "panel/panel_writer.h"
#include "panel_test_util.h"

namespace brindle {
namespace {

using testing::ReadResult;

PanelWriteOptions At0(SimMode mode = kModeFS2000) {
    PanelWriteOptions o;
    o.mode = mode;
    o.time = 0;
    o.utc = true;
    return o;
}

std::string Lf(const std::string& crlf) {
    std::string out;
    for (std::size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') continue;
        out.push_back(crlf[i]);
    }
    return out;
}

ReadResult Read(const std::string& text, SimMode mode = kModeFS2000) {
    ReadResult r;
    r.ui.defaultAnswer = Answer::Yes;
    testing::Read(r, text, mode);
    return r;
}

const char* const kHeader =
    "// This Panel.cfg file created by Brindle\n"
    "// Built Thursday, January 01, 1970 at 00:00 Build:16518\n"
    "\n";

const char* const kFile =
    "// Panel for the test aircraft\n"
    "[Window Titles]\n"
    "// the main one\n"
    "Window00=Main\n"
    "Window01=Radio\n"
    "Window03=Later\n"
    "\n"
    "[Window00]\n"
    "// the bitmap\n"
    "file=main.bmp\n"
    "size_mm=640,480\n"
    "zorder=3\n"
    "alpha_blend=0.5\n"
    "ident=MAIN\n"
    "visible=1\n"
    "visible=0\n"
    "gauge00=a!b,1,2,3,4\n"
    "// the clock\n"
    "gauge01=c!d,5,6,7,8,p,extra,7 // note\n"
    "htmlgauge00=x.html,0,0,10,10\n"
    "\n"
    "[Window01]\n"
    ";pixel_size=1,1\n"
    "pixel_size=2,2\n"
    "ident=RADIO\n"
    "\n"
    "[Window03]\n"
    "file=later.bmp\n"
    "\n"
    "[Color]\n"
    "day=1,2,3\n"
    "\n"
    "night=4,5,6\n"
    "\n"
    "[Default View]\n"
    "X=0\n"
    "Y=0\n"
    "SIZE_X=8191\n"
    "SIZE_Y=6143\n"
    "extra=1\n"
    "// the end\n";

TEST(PanelKeptLines, EveryLineComesBackInItsPlace) {
    ReadResult r = Read(kFile);
    ASSERT_TRUE(r.ok);
    EXPECT_TRUE(r.texts().empty());
    ASSERT_EQ(r.panel.windowCount, 2);
    EXPECT_EQ(r.panel.windows[1].pixelSize, (IntPair{2, 2}));  // not the line commented out before it
    std::string saved = FormatPanel(r.panel, At0());
    EXPECT_EQ(Lf(saved), std::string(kHeader) +
                             "// Panel for the test aircraft\n"
                             "\n"
                             "[Window Titles]\n"
                             "// the main one\n"
                             "Window00=Main\n"
                             "Window01=Radio\n"
                             "Window03=Later\n"
                             "\n"
                             "\n"
                             "\n"
                             "[Window00]\n"
                             "// the bitmap\n"
                             "file=main.bmp \n"
                             "size_mm=640,480\n"
                             "position=7\n"
                             "visible=1\n"
                             "ident=MAIN\n"
                             "\n"
                             "gauge00=a!b,  1,2,3,4\n"
                             "// the clock\n"
                             "gauge01=c!d,  5,6,7,8,p,extra,7 // note\n"
                             "zorder=3\n"
                             "alpha_blend=0.5\n"
                             "htmlgauge00=x.html,0,0,10,10\n"
                             "\n"
                             "[Window01]\n"
                             "position=7\n"
                             "visible=1\n"
                             "ident=RADIO\n"
                             "pixel_size=2,2\n"
                             "\n"
                             ";pixel_size=1,1\n"
                             "\n"
                             "\n"
                             "[Default View]\n"
                             "X=0\n"
                             "Y=0\n"
                             "SIZE_X=8191\n"
                             "SIZE_Y=6143\n"
                             "extra=1\n"
                             "\n"
                             "[Window03]\n"
                             "file=later.bmp\n"
                             "\n"
                             "[Color]\n"
                             "day=1,2,3\n"
                             "\n"
                             "night=4,5,6\n"
                             "// the end\n");
    // Saving what was saved changes nothing.
    ReadResult again = Read(saved);
    EXPECT_TRUE(again.panel == r.panel);
    EXPECT_EQ(FormatPanel(again.panel, At0()), saved);
}

TEST(PanelKeptLines, WhatAGaugeLineHoldsBeyondItsFieldsStaysOnIt) {
    const std::string longRef = "Aircraft\\F-35A\\" + std::string(100, 'r') + "!Gauge";
    const std::string longParam(40, 'p');
    struct Case {
        std::string line;
        std::string written;
    } cases[] = {
        {"gauge00=a!b,1,2,3,4,p,extra,7", "gauge00=a!b,  1,2,3,4,p,extra,7"},
        {"gauge00=a!b,1,2,,,,7", "gauge00=a!b,  1,2,,,,7"},
        {"gauge00=a!b,1,2,3,4,p more;note", "gauge00=a!b,  1,2,3,4,p more\t;note"},
        {"gauge00=a!b,1,2 // a comment", "gauge00=a!b,  1,2 // a comment"},
        {"gauge00=" + longRef + ",10,20,30,40", "gauge00=" + longRef + ",  10,20,30,40"},
        {"gauge00=a!b,1,2,3,4," + longParam, "gauge00=a!b,  1,2,3,4," + longParam},
        {"gauge00=a!b,1,2,3,4", "gauge00=a!b,  1,2,3,4"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ReadResult r = Read("[Window Titles]\nWindow00=M\n[Window00]\n" + c.line + "\n");
        ASSERT_EQ(r.panel.windows.at(0).gaugeCount, 1);
        const GaugeEntry& g = r.panel.windows[0].gauges[0];
        EXPECT_EQ(FormatGaugeLine(g, 0, kModeFS2000), c.written);
        // The line stays with the gauge when it is moved and renumbered.
        PanelWindow w = r.panel.windows[0];
        GaugeEntry moved = g;
        moved.x += 5;
        ASSERT_TRUE(InsertGauge(w, 0, GaugeEntry{}));
        w.gauges[1] = moved;
        ReadResult back = Read(FormatPanel(
            [&] {
                Panel p = r.panel;
                p.windows[0] = w;
                return p;
            }(),
            At0()));
        ASSERT_EQ(back.panel.windows.at(0).gaugeCount, 2);
        EXPECT_EQ(back.panel.windows[0].gauges[1], moved);
    }
    // A new name is the user's: the whole old reference is no longer written for it.
    ReadResult r = Read("[Window Titles]\nWindow00=M\n[Window00]\ngauge00=" + longRef + ",1,2\n");
    GaugeEntry g = r.panel.windows.at(0).gauges.at(0);
    EXPECT_EQ(g.FullName(), longRef);
    g.name = "other!gauge";
    EXPECT_EQ(FormatGaugeLine(g, 0, kModeFS2000), "gauge00=other!gauge,  1,2");
}

TEST(PanelKeptLines, DeletedWindowsAndGaugesTakeTheirLinesAlong) {
    ReadResult r = Read(kFile);
    ASSERT_TRUE(r.ok);
    Panel p = r.panel;
    RemoveGauge(p.windows[0], 1);  // the clock, with its comment and extra fields
    RemoveWindow(p, 1);            // Radio, with its commented-out line
    std::string saved = Lf(FormatPanel(p, At0()));
    for (const char* gone : {"// the clock", "extra,7", ";pixel_size", "Window01=Radio"})
        EXPECT_EQ(saved.find(gone), std::string::npos) << gone;
    for (const char* kept : {"// the main one", "zorder=3", "htmlgauge00=", "Window03=Later", "[Window03]",
                             "[Color]", "// the end"})
        EXPECT_NE(saved.find(kept), std::string::npos) << kept;
}

TEST(PanelKeptLines, AKeyTheModelWritesIsNeverWrittenTwice) {
    // The file's window_size is not one the writer gives; once the model has one, the old line goes.
    ReadResult r = Read("[Window Titles]\nWindow00=M\n[Window00]\nwindow_size=0,0\nWINDOW_SIZE_RATIO=2\n");
    std::string before = Lf(FormatPanel(r.panel, At0()));
    EXPECT_NE(before.find("window_size=0,0\n"), std::string::npos);
    r.panel.windows[0].windowSize = {0.5, 0.5};
    std::string after = Lf(FormatPanel(r.panel, At0()));
    EXPECT_EQ(after.find("window_size=0,0"), std::string::npos);
    EXPECT_NE(after.find("window_size= 0.500, 0.500\n"), std::string::npos);
    EXPECT_EQ(after.find("WINDOW_SIZE_RATIO"), std::string::npos);
    EXPECT_NE(after.find("window_size_ratio=2.00   \n"), std::string::npos);
}

TEST(PanelKeptLines, HeaderCommentsAreNotKeptTwice) {
    std::string text = "//\tfirst\n[Window Titles]\nWindow00=M\n//\tsecond\n[Window00]\nzorder=1 //\tthird\n";
    ReadResult r = Read(text);
    std::string saved = FormatPanel(r.panel, At0());
    ReadResult again = Read(saved);
    EXPECT_EQ(again.panel.headerComments, "first\r\nsecond\r\nthird\r\n");
    EXPECT_TRUE(again.panel == r.panel);
    EXPECT_NE(Lf(saved).find("zorder=1\n"), std::string::npos);
}

TEST(PanelKeptLines, SectionsTheWriterLeavesOutOtherwiseAreWrittenWhenTheFileHadThem) {
    // An empty colour table and views section, and a palette line in a mode that reads colours.
    ReadResult r = Read("[Window Titles]\nWindow00=M\n[Window00]\n[VIEWS]\n[8 Bit Colors]\nPALETTE=x.pal\n");
    std::string saved = Lf(FormatPanel(r.panel, At0()));
    EXPECT_NE(saved.find("[VIEWS]\n"), std::string::npos);
    EXPECT_NE(saved.find("[8 Bit Colors]\nPALETTE=x.pal\n"), std::string::npos);
}

}  // namespace
}  // namespace brindle
