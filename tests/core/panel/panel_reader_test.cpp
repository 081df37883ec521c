#include "panel/panel_reader.h"

#include <gtest/gtest.h>

#include "panel_test_util.h"

namespace brindle {
namespace {

using testing::Read;
using testing::ReadResult;
using testing::ReadText;
using testing::TempDir;
using Kind = RecordingMessageUi::Kind;

const char* kOneWindow =
    "[Window Titles]\r\n"
    "Window00=Main Panel\r\n"
    "\r\n"
    "[Window00]\r\n";

std::string OneWindow(const std::string& body) {
    return std::string(kOneWindow) + body;
}

// ---------------------------------------------------------------------------------------------
// Reading the file itself

TEST(PanelReaderFile, FailuresLeaveAnEmptyFailedPanelAndClearTheCurrentFile) {
    TempDir dir;
    std::string empty = dir.write("empty.cfg", "");
    std::string big = dir.write("big.cfg", std::string(50001, 'a'));
    std::string missing = dir.file("missing.cfg");
    struct Case {
        std::string path;
        std::vector<std::string> messages;
    } cases[] = {
        {"", {}},
        {missing, {"Can't access file: " + missing}},
        {empty, {"File: \"" + empty + "\" is 0 bytes long!"}},
        {big, {"The file \"" + big + "\" does not appear to be a valid Panel.cfg file!"}},
        {dir.path().string(), {"Can't open file " + dir.path().string()}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        RecordingMessageUi ui;
        ScopedMessageUi scope(ui);
        Settings settings;
        settings.SetCurrentFile("previous.cfg");
        Panel panel;
        panel.windowCount = 3;
        EXPECT_FALSE(ReadPanelFile(c.path, settings, panel));
        EXPECT_TRUE(panel.loadFailed);
        EXPECT_EQ(panel.windowCount, 0);
        EXPECT_TRUE(panel.windows.empty());
        EXPECT_EQ(settings.CurrentFile(), "");
        EXPECT_EQ(ui.texts(), c.messages);
        for (const auto& e : ui.entries) EXPECT_EQ(e.kind, Kind::Error);
    }
}

TEST(PanelReaderFile, AFileOfExactly50000BytesIsReadAndBecomesTheCurrentFile) {
    TempDir dir;
    std::string text = OneWindow("size_mm=640\r\n");
    text += std::string(kMaxPanelFileSize - text.size(), ' ');
    text.back() = '\n';
    ASSERT_EQ(text.size(), 50000u);
    std::string path = dir.write("panel.cfg", text);
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    Settings settings;
    Panel panel;
    EXPECT_TRUE(ReadPanelFile(path, settings, panel));
    EXPECT_FALSE(panel.loadFailed);
    EXPECT_EQ(panel.windowCount, 1);
    EXPECT_EQ(settings.CurrentFile(), path);
}

TEST(PanelReaderFile, FileNamesAreFoundWithoutRegardToCase) {
    TempDir dir;
    dir.write("PANEL.CFG", OneWindow(""));
    ReadResult r;
    ScopedMessageUi scope(r.ui);
    EXPECT_TRUE(ReadPanelFile(dir.file("panel.cfg"), PanelReadOptions{}, r.panel));
    EXPECT_EQ(r.panel.windowCount, 1);
}

TEST(PanelReaderText, TheTextCheckAsksWhetherToGoOn) {
    std::string binary = std::string("\x01\x02") + OneWindow("");
    const std::string question =
        "File: \"panel.cfg\" does not appear to be a valid config file! It may be a binary file or contain "
        "non "
        "English characters.\n\nShould I try to continue?";
    {
        ReadResult r = ReadText(binary);  // the recorder answers No
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.panel.loadFailed);
        ASSERT_EQ(r.ui.entries.size(), 1u);
        EXPECT_EQ(r.ui.entries[0].kind, Kind::Question);
        EXPECT_EQ(r.ui.entries[0].text, question);
    }
    {
        ReadResult r;
        r.ui.answers = {Answer::Yes};
        Read(r, binary);
        EXPECT_TRUE(r.ok);
        EXPECT_EQ(r.panel.windowCount, 1);
    }
    // Bytes above 200 count as binary only within the first 100 bytes.
    std::string late = OneWindow(std::string(120, ' ') + "ident=\xE9t\xE9\r\n");
    ReadResult r = ReadText(late);
    EXPECT_TRUE(r.ok);
    EXPECT_EQ(r.count(Kind::Question), 0);
    EXPECT_EQ(r.panel.windows[0].ident, "\xE9t\xE9");
    EXPECT_EQ(ReadText("\xC9" + OneWindow("")).count(Kind::Question), 1);
}

TEST(PanelReaderText, TextAfterANulByteIsIgnored) {
    std::string text = OneWindow("ident=A\r\n") + std::string(1, '\0') + "[Window01]\r\ngauge00=x!y,1,2\r\n";
    ReadResult r = ReadText(text);
    EXPECT_TRUE(r.ok);
    ASSERT_EQ(r.panel.windowCount, 1);
    EXPECT_EQ(r.panel.windows[0].gaugeCount, 0);
}

TEST(PanelReaderText, AnAliasedFileIsRefused) {
    ReadResult r = ReadText("[fltsim]\nAlias=Aircraft/C172/panel\n" + OneWindow(""));
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.panel.loadFailed);
    EXPECT_EQ(r.panel.windowCount, 0);
    EXPECT_EQ(r.texts(),
              std::vector<std::string>{"This config file is aliased to another file. It has the form "
                                       "\"alias=\"\n\nPlease open the original file: "
                                       "\"C:\\FS2000\\Aircraft/C172\\panel\\panel.cfg\" for editing."});
    EXPECT_EQ(r.ui.entries[0].kind, Kind::Error);
}

// ---------------------------------------------------------------------------------------------
// Comments, titles and sections

TEST(PanelReaderText, CommentsAreKeptOnlyWithATabAndNeverHideKeys) {
    std::string text =
        "//\tFirst kept line\r\n"
        "// not kept\n"
        "//\tSecond kept line\n" +
        OneWindow(
            "// gauge00=hidden!gauge,1,2\r\n"
            "gauge00=seen!gauge,3,4 // size_mm=5\r\n");
    ReadResult r = ReadText(text);
    EXPECT_EQ(r.panel.headerComments, "First kept line\r\nSecond kept line\r\n");
    ASSERT_EQ(r.panel.windows[0].gaugeCount, 1);
    EXPECT_EQ(r.panel.windows[0].gauges[0].name, "seen!gauge");
    EXPECT_FALSE(r.panel.windows[0].sizeMmPresent);

    std::string many;
    for (int i = 0; i < 20; ++i) many += "//\tline " + std::to_string(i) + "\r\n";
    r = ReadText(many + OneWindow(""));
    EXPECT_EQ(std::count(r.panel.headerComments.str().begin(), r.panel.headerComments.str().end(), '\n'), 13);
}

TEST(PanelReaderText, TitlesGiveWindowsThenFixedWindows) {
    std::string text =
        "[Window Titles]\n"
        "Fixed Window05=Compass\n"
        "Window00=Main\n"
        "Window01=  Radio , stack\n"
        "Window03=Not reached\n"
        "Fixed Window12=\n"
        "[Window00]\nident=0\n[Window01]\n[Window03]\n[Fixed Window12]\n[Fixed Window05]\nident=5\n"
        "Fixed Window20=after the titles\n";
    ReadResult r = ReadText(text);
    ASSERT_EQ(r.panel.windowCount, 4);
    const auto& w = r.panel.windows;
    EXPECT_EQ(w[0].title, "Main");
    EXPECT_EQ(w[1].title, "  Radio");
    EXPECT_TRUE(w[2].fixed);
    EXPECT_EQ(w[2].fixedNumber, 5);
    EXPECT_EQ(w[2].title, "Compass");
    EXPECT_EQ(w[2].ident, "5");
    EXPECT_TRUE(w[3].fixed);
    EXPECT_EQ(w[3].fixedNumber, 12);
    EXPECT_EQ(w[3].title, "");
    EXPECT_EQ(r.panel.vcockpitCount, 0);
}

TEST(PanelReaderText, AtMost32TitledWindowsAreTaken) {
    std::string titles = "[Window Titles]\n";
    std::string sections;
    for (int i = 0; i < 40; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "Window%02d=W%d\n", i, i);
        titles += line;
        std::snprintf(line, sizeof line, "[Window%02d]\nident=%d\n", i, i);
        sections += line;
    }
    titles += "Fixed Window01=F\n";
    sections += "[Fixed Window01]\n";
    ReadResult r = ReadText(titles + sections);
    EXPECT_EQ(r.panel.windowCount, 32);
    EXPECT_FALSE(r.panel.windows.back().fixed);
    EXPECT_TRUE(PanelIsConsistent(r.panel));
}

TEST(PanelReaderText, WithoutTitlesThereAreNoWindowsButVcockpitsAreStillRead) {
    ReadResult r = ReadText("[Vcockpit01]\nsize_mm=512,512\ntexture=$VC\ngauge00=a!b,1,2,3,4\n");
    EXPECT_EQ(r.texts(), std::vector<std::string>{"Warning: No Windows found in the config file!!"});
    EXPECT_EQ(r.ui.entries[0].kind, Kind::Error);
    EXPECT_EQ(r.panel.windowCount, 0);
    ASSERT_EQ(r.panel.vcockpitCount, 1);
    const PanelWindow& vc = r.panel.windows[0];
    EXPECT_TRUE(vc.vcockpit);
    EXPECT_EQ(vc.vcockpitNumber, 1);
    EXPECT_EQ(vc.sizeMmX, 512);
    EXPECT_EQ(vc.texture, "$VC");
    EXPECT_EQ(vc.gaugeCount, 1);
}

TEST(PanelReaderText, MissingSectionsAreSkippedAndLaterWindowsKeepTheirOrder) {
    std::string text =
        "[Window Titles]\nWindow00=A\nWindow01=B\nWindow02=C\n"
        "[Window00]\nident=a\n[Window02]\nident=c\n"
        "[VCockpit01]\n[Vcockpit03]\nsize_mm=30\n";
    ReadResult r = ReadText(text);
    EXPECT_EQ(r.texts(),
              (std::vector<std::string>{"Warning: Missing Window01 data in config file -- skipping...",
                                        "Warning: Missing Window02 data in config file -- skipping..."}));
    EXPECT_EQ(r.ui.entries[0].kind, Kind::OptOut);
    ASSERT_EQ(r.panel.windowCount, 2);
    EXPECT_EQ(r.panel.windows[1].title, "C");
    EXPECT_EQ(r.panel.windows[1].ident, "c");
    // Two "[vcockpit" headers: number 2 is missing, number 3 is still taken with its own number.
    ASSERT_EQ(r.panel.vcockpitCount, 2);
    EXPECT_EQ(r.panel.windows[2].vcockpitNumber, 1);
    EXPECT_EQ(r.panel.windows[3].vcockpitNumber, 3);
    EXPECT_EQ(r.panel.windows[3].sizeMmX, 30);
}

TEST(PanelReaderText, KeysMatchInAnyCaseButOnlyInsideTheirOwnSection) {
    for (const char* key : {"size_mm", "SIZE_MM", "Size_MM"}) {
        ReadResult r = ReadText(OneWindow(std::string(key) + "=640,480\n"));
        EXPECT_TRUE(r.panel.windows[0].sizeMmPresent) << key;
        EXPECT_EQ(r.panel.windows[0].sizeMmY, 480) << key;
    }
    std::string text =
        "[Window Titles]\nWindow00=A\nWindow01=B\n"
        "[Window00]\nvisible=0\n"
        "[Window01]\nsize_mm=100\nposition=3\nfile=b.bmp\n";
    ReadResult r = ReadText(text);
    const PanelWindow& a = r.panel.windows[0];
    EXPECT_FALSE(a.sizeMmPresent);
    EXPECT_EQ(a.position, 7);
    EXPECT_EQ(a.visible, 0);
    EXPECT_FALSE(a.file.has_value());
    EXPECT_EQ(r.panel.windows[1].position, 3);
    EXPECT_EQ(r.panel.windows[1].file, "b.bmp");
}

TEST(PanelReaderText, WindowPropertiesAreReadWithTheirValueRules) {
    ReadResult r =
        ReadText(OneWindow("file=  panel 172main.bmp \t\r\n"
                           "file_1024=,\r\n"
                           "Background_color=255,16,300\r\n"
                           "windowsize_ratio=1.6\r\n"
                           "position=-4\r\n"
                           "ident=MAIN_PANEL\r\n"
                           "texture=$tex\r\n"
                           "sizeable=1\r\n"
                           "nomenu=0\r\n"
                           "render_3d_window=1\r\n"
                           "image_blend= 0.5\r\n"
                           "window_pos= 0.25, 0.5\r\n"
                           "pixel_size=880 480\r\n"
                           "window_size=0.45\r\n"));
    EXPECT_TRUE(r.texts().empty()) << r.texts()[0];
    const PanelWindow& w = r.panel.windows[0];
    EXPECT_EQ(w.file, "  panel 172main.bmp");
    EXPECT_FALSE(w.file1024.has_value());
    EXPECT_TRUE(w.backgroundColorPresent);
    EXPECT_EQ(w.backgroundColor, ColorEntry::FromRgb(255, 16, 300 & 0xFF));
    EXPECT_TRUE(w.windowSizeRatioPresent);
    EXPECT_DOUBLE_EQ(w.windowSizeRatio, 1.6);
    EXPECT_EQ(w.position, 0);  // a "-" ends the number
    EXPECT_EQ(w.visible, 1);
    EXPECT_EQ(w.ident, "MAIN_PANEL");
    EXPECT_TRUE(w.texturePresent);
    EXPECT_EQ(w.texture, "$tex");
    EXPECT_TRUE(w.sizeablePresent && w.nomenuPresent && w.render3dWindowPresent && w.imageBlendPresent);
    EXPECT_EQ(w.sizeable, 1);
    EXPECT_EQ(w.render3dWindow, 1);
    EXPECT_DOUBLE_EQ(w.imageBlend, 0.5);
    EXPECT_EQ(w.windowPos, (RealPair{0.25, 0.5}));
    EXPECT_EQ(w.pixelSize, (IntPair{880, 480}));
    EXPECT_TRUE(w.windowSizePresent);
    EXPECT_EQ(w.windowSize, (RealPair{0.45, 1.0}));
    EXPECT_FALSE(w.sizeMmPresent);
}

TEST(PanelReaderText, WindowValueRepairsAndWarnings) {
    struct Case {
        const char* body;
        std::vector<std::string> messages;
        Kind kind;
    } cases[] = {
        {"size_mm=0\n", {"Warning - Size MM for Window00 is 0.0\n\nI'll adjust it to 100"}, Kind::OptOut},
        {"size_mm=9000\n",
         {"Size_MM for Window00 is out of Range!\nThe maximum size for a panel is 8192 x 6144\n\nI'll try to "
          "continue..."},
         Kind::Error},
        {"size_mm=800,7000\n",
         {"Size_MM for Window00 is out of Range!\nThe maximum size for a panel is 8192 x 6144\n\nI'll try to "
          "continue..."},
         Kind::Error},
        {"window_size_ratio=0.0\n",
         {"Warning: Window00 Windowsize_Ratio = 0.0 !\n\nI'll set it to 1.0"},
         Kind::OptOut},
        {"window_pos=1.5,0.2\n",
         {"Warning: In Window \"Main Panel\", the value of:\n\n     \"Window_pos=  1.50,  0.20\"\n\n looks "
          "unusual.   "
          "Normal values range from 0.0 to 1.0"},
         Kind::OptOut},
        {"window_size=0.0,0.5\n",
         {"Warning: In Window \"Main Panel\", the value of:\n\n     \"Window_size=  0.00,  0.50\"\n\n looks "
          "unusual.   "
          "Normal values range from 0.0 to 1.0"},
         Kind::OptOut},
        {"window_size=1.5,1.5\n", {}, Kind::OptOut},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.body);
        ReadResult r = ReadText(OneWindow(c.body));
        EXPECT_EQ(r.texts(), c.messages);
        for (const auto& e : r.ui.entries) EXPECT_EQ(e.kind, c.kind);
    }
    const PanelWindow zero = ReadText(OneWindow("size_mm=0\n")).panel.windows[0];
    EXPECT_EQ(zero.sizeMmX, 100);
    EXPECT_FALSE(zero.sizeMmYPresent);
    const PanelWindow big = ReadText(OneWindow("size_mm=9000\n")).panel.windows[0];
    EXPECT_EQ(big.sizeMmX, 9000);
    const PanelWindow one = ReadText(OneWindow("size_mm=1024\n")).panel.windows[0];
    EXPECT_TRUE(one.sizeMmPresent);
    EXPECT_FALSE(one.sizeMmYPresent);
    EXPECT_DOUBLE_EQ(ReadText(OneWindow("window_size_ratio=0\n")).panel.windows[0].windowSizeRatio, 1.0);
}

TEST(PanelReaderText, IdenticalIdentsAreReportedForEveryPair) {
    std::string text =
        "[Window Titles]\nWindow00=A\nWindow01=B\nWindow02=C\n"
        "[Window00]\nident=Radio\n[Window01]\nident=RADIO\n[Window02]\nident=radio\n";
    ReadResult r = ReadText(text);
    auto msg = [](int i, int j) {
        return "Window " + std::to_string(i) + " and Window " + std::to_string(j) +
               " have identical \"IDENT=\" entries!\n\nWindow " + std::to_string(j) +
               " may not display correctly.";
    };
    EXPECT_EQ(r.texts(), (std::vector<std::string>{msg(0, 1), msg(0, 2), msg(1, 2)}));
    EXPECT_EQ(r.ui.entries[0].kind, Kind::Error);
}

// ---------------------------------------------------------------------------------------------
// Gauges

TEST(PanelReaderGauges, FieldsOfAGaugeLine) {
    struct Case {
        const char* line;
        GaugeEntry expected;
    };
    auto g = [](const char* name, int x, int y, int w, bool wp, int h, bool hp, const char* param = "",
                std::optional<std::string> comment = std::nullopt) {
        GaugeEntry e;
        e.name = name;
        e.x = x;
        e.y = y;
        e.width = w;
        e.widthPresent = wp;
        e.height = h;
        e.heightPresent = hp;
        e.parameter = param;
        e.comment = comment;
        return e;
    };
    // What the line holds beyond the fields stays with the gauge.
    auto kept = [](GaugeEntry e, std::optional<std::string> fullParameter, std::string tail) {
        e.kept.fullParameter = std::move(fullParameter);
        e.kept.tail = std::move(tail);
        return e;
    };
    Case cases[] = {
        {"gauge00=Cessna!Airspeed", g("Cessna!Airspeed", 0, 0, 0, false, 0, false)},
        {"gauge00=  Cessna!Airspeed  ,10", g("Cessna!Airspeed", 10, 0, 0, false, 0, false)},
        {"gauge00=a!b,\t\t2, -3 ,40,50,sound.ini", g("a!b", 2, -3, 40, true, 50, true, "sound.ini")},
        {"gauge00=a!b,x,y", g("a!b", kNotGivenInt, kNotGivenInt, 0, false, 0, false)},
        {"gauge00=a!b,1,2,,60", g("a!b", 1, 2, 0, false, 60, true)},
        {"gauge00=a!b,1,2,30, ,  param more;note",
         kept(g("a!b", 1, 2, 30, true, 0, false, "param", ";note"), std::nullopt, " more")},
        {"gauge00=a!b,1,2,30\t;first;second", g("a!b", 1, 2, 30, true, 0, false, "", ";second")},
        {"gauge00=snd!snd,0,0,,,\t./Gauges/Cockpit_Sounds/CockpitSounds.ini",
         kept(g("snd!snd", 0, 0, 0, false, 0, false, "./Gauges/Cockpit_Sounds/Cockpit"),
              "./Gauges/Cockpit_Sounds/CockpitSounds.ini", "")},
        {"gauge00=a!b,99999999999,2", g("a!b", 2147483647, 2, 0, false, 0, false)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ReadResult r = ReadText(OneWindow(std::string(c.line) + "\r\n"));
        ASSERT_EQ(r.panel.windows[0].gaugeCount, 1);
        EXPECT_EQ(r.panel.windows[0].gauges[0], c.expected);
    }
    // A name of more than 95 characters is cut in its field, the whole reference is kept beside it,
    // and the fields after it are read however long the line is.
    std::string longName(120, 'n');
    ReadResult r = ReadText(OneWindow("gauge00=" + longName + ",1,2\n"));
    EXPECT_EQ(r.panel.windows[0].gauges[0].name.size(), kMaxGaugeNameLength);
    EXPECT_EQ(r.panel.windows[0].gauges[0].FullName(), longName);
    EXPECT_EQ(r.panel.windows[0].gauges[0].x, 1);
    EXPECT_EQ(r.panel.windows[0].gauges[0].y, 2);
}

TEST(PanelReaderGauges, NumberingGapsAreClosedAndTwoMissingNumbersEndTheList) {
    ReadResult r =
        ReadText(OneWindow("gauge00=a!a,1,1\n"
                           "gauge01=b!b,2,2\n"
                           "gauge03=c!c,3,3\n"
                           "gauge06=d!d,4,4\n"));
    EXPECT_EQ(r.texts(),
              std::vector<std::string>{"An error in the gauge numbering sequence was found with Gauge02 in "
                                       "Window 0.\n\nI'll try to fix this"});
    EXPECT_EQ(r.ui.entries[0].kind, Kind::Error);
    const PanelWindow& w = r.panel.windows[0];
    ASSERT_EQ(w.gaugeCount, 3);
    EXPECT_EQ(w.gauges[2].name, "c!c");
}

TEST(PanelReaderGauges, GaugeLinesMustStartTheirLine) {
    // The first "GAUGE00" lies inside another key, so number 00 counts as missing and 01 bridges it.
    ReadResult r =
        ReadText(OneWindow("htmlgauge00=page.html,0,0,10,10\n"
                           "gauge01=b!b,2,2\n"));
    ASSERT_EQ(r.panel.windows[0].gaugeCount, 1);
    EXPECT_EQ(r.panel.windows[0].gauges[0].name, "b!b");
    EXPECT_EQ(r.count(Kind::Error), 1);
    // Gauge lines of the next section don't belong to this window.
    r = ReadText(
        "[Window Titles]\nWindow00=A\nWindow01=B\n[Window00]\nsize_mm=5\n[Window01]\ngauge00=x!x,1,1\n");
    EXPECT_EQ(r.panel.windows[0].gaugeCount, 0);
    EXPECT_EQ(r.panel.windows[1].gaugeCount, 1);
}

TEST(PanelReaderGauges, ChecksRepairsAndTheirMessages) {
    auto head = [](const char* kind, const char* name) {
        return std::string(kind) + ": In Window00, Gauge00: \n\n    \"" + name + "\"    \n\n has ";
    };
    struct Case {
        const char* line;
        std::string message;
        Kind kind;
        int width;
        bool widthPresent;
        int height;
        bool heightPresent;
    } cases[] = {
        {"gauge00=g!z,1,2,0", head("Error", "g!z") + "a zero width!!", Kind::OptOut, 0, true, 0, false},
        {"gauge00=g!n,1,2,-5", head("Error", "g!n") + "a negative width (-5)!!  I'll set it to 50.",
         Kind::OptOut, 50, true, 0, false},
        {"gauge00=g!w,1,2,1281", head("Warning", "g!w") + "a very large Width (1281)!!", Kind::OptOut, 1281,
         true, 0, false},
        {"gauge00=g!h,1,2,10,0", head("Error", "g!h") + "a zero height!! I'll set it to default.",
         Kind::OptOut, 10, true, 0, false},
        {"gauge00=g!h,1,2,10,-5", head("Error", "g!h") + "a negative height (-5)!! I'll set it to default.",
         Kind::Error, 10, true, 0, false},
        {"gauge00=g!h,1,2,10,1300", head("Warning", "g!h") + "a very large Height (1300)!!", Kind::OptOut, 10,
         true, 1300, true},
        {"gauge00=g!x,-50,2,10",
         head("Warning", "g!x") + "a large offscreen X position (-50)!!  It won't be visible.", Kind::OptOut,
         10, true, 0, false},
        {"gauge00=g!y,0,-50,10,20",
         head("Warning", "g!y") + "a large offscreen Y position (-50)!!  It won't be visible.", Kind::OptOut,
         10, true, 20, true},
        {"gauge00=,1,2", "Warning: In Window00, Gauge00 has a missing Name!!", Kind::OptOut, 0, false, 0,
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        ReadResult r = ReadText(OneWindow(std::string(c.line) + "\n"));
        ASSERT_EQ(r.ui.entries.size(), 1u);
        EXPECT_EQ(r.ui.entries[0].text, c.message);
        EXPECT_EQ(r.ui.entries[0].kind, c.kind);
        ASSERT_EQ(r.panel.windows[0].gaugeCount, 1);
        const GaugeEntry& g = r.panel.windows[0].gauges[0];
        EXPECT_EQ(g.width, c.width);
        EXPECT_EQ(g.widthPresent, c.widthPresent);
        EXPECT_EQ(g.height, c.height);
        EXPECT_EQ(g.heightPresent, c.heightPresent);
    }
}

TEST(PanelReaderGauges, TheOptOutSilencesUntilTheNextWindowsGaugeList) {
    std::string text =
        "[Window Titles]\nWindow00=A\nWindow01=B\n"
        "[Window00]\nident=a\nsize_mm=0\nwindow_size_ratio=0\n"
        "gauge00=a!a,1,1,0\ngauge01=b!b,1,1,0\ngauge02=c!c,1,1,10,-1\n"
        "[Window01]\nident=b\nsize_mm=0\ngauge00=d!d,1,1,0\ngauge01=e!e,1,1,0\n";
    ReadResult r;
    r.ui.tickOptOut = true;
    Read(r, text);
    // Window properties come first: the first box is ticked and silences the second window's
    // size warning and the ratio warning; each gauge list starts with the messages on again.
    std::vector<std::string> texts = r.texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0], "Warning - Size MM for Window00 is 0.0\n\nI'll adjust it to 100");
    EXPECT_NE(texts[1].find("Window00, Gauge00"), std::string::npos);
    EXPECT_NE(texts[2].find("Window01, Gauge00"), std::string::npos);
    // The repairs are made all the same.
    EXPECT_EQ(r.panel.windows[1].sizeMmX, 100);
    EXPECT_DOUBLE_EQ(r.panel.windows[0].windowSizeRatio, 1.0);
    EXPECT_FALSE(r.panel.windows[0].gauges[2].heightPresent);
    EXPECT_EQ(ShowAgainFlag(), 0);
    SetShowAgainFlag(1);

    // Without the tick every message is shown.
    ReadResult all = ReadText(text);
    EXPECT_EQ(all.texts().size(), 8u);
}

TEST(PanelReaderGauges, AWindowTakesAtMost128Gauges) {
    std::string body;
    for (int i = 0; i < 140; ++i)
        body += "gauge" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=g!g,1,1\n";
    ReadResult r = ReadText(OneWindow(body));
    EXPECT_EQ(r.panel.windows[0].gaugeCount, 128);
    EXPECT_EQ(r.panel.windows[0].gauges[127].name, "g!g");
}

// ---------------------------------------------------------------------------------------------
// Colours, default view, strings, views and the verbatim sections

TEST(PanelReaderTables, ColourTableInFs2000AndPaletteInCfs) {
    std::string text = OneWindow(
        "[8 Bit Colors]\n"
        "color00=255,0,16\n"
        "COLOR01= r 1 , g 2 , b 3\n"
        "color02=7\n"
        "color03=7,8\n"
        "color05=9,9,9\n"
        "PALETTE=cfs.pal\n");
    ReadResult r = ReadText(text);
    EXPECT_EQ(
        r.texts(),
        (std::vector<std::string>{
            "Error in Color Table syntax for entry 2, \"color02=7\"   \n\nI'll reset the entry to 0,0,0",
            "Error in Color Table entry 3, \"color03=7,8\"   \n\nI'll reset the entry to 0,0,0"}));
    EXPECT_EQ(r.ui.entries[0].kind, Kind::Warning);
    EXPECT_EQ(r.panel.colorCount, 4);
    EXPECT_EQ(r.panel.colors[0], ColorEntry::FromRgb(255, 0, 16));
    EXPECT_EQ(r.panel.colors[1], ColorEntry::FromRgb(1, 2, 3));
    EXPECT_EQ(r.panel.colors[2], ColorEntry{});
    EXPECT_EQ(r.panel.colors[3], ColorEntry{});
    EXPECT_FALSE(r.panel.paletteFile.has_value());

    for (SimMode mode : {kModeCFS, kModeCFS2}) {
        ReadResult c = ReadText(text, mode);
        EXPECT_EQ(c.panel.colorCount, -1);
        EXPECT_EQ(c.panel.paletteFile, "cfs.pal");
        EXPECT_TRUE(c.texts().empty());
    }
    EXPECT_EQ(ReadText(OneWindow("color00=1,2,3\n")).panel.colorCount, 0);
    // Overlong numbers saturate instead of overflowing.
    ReadResult huge = ReadText(OneWindow("[8 Bit Colors]\ncolor00=99999999999999999999999,2,3\n"));
    EXPECT_EQ(huge.panel.colorCount, 1);
    EXPECT_EQ(huge.panel.colors[0].green(), 2);
}

TEST(PanelReaderTables, DefaultView) {
    EXPECT_EQ(ReadText(OneWindow("")).panel.defaultView, (DefaultView{0, 0, 8191, 3276}));
    EXPECT_EQ(ReadText(OneWindow("[Default View]\nX=10\nY=20\nSIZE_X=9000\nSIZE_Y=7000\n")).panel.defaultView,
              (DefaultView{10, 20, 8191, 6143}));
    EXPECT_EQ(ReadText(OneWindow("[Default View]\nY=5\n")).panel.defaultView, (DefaultView{0, 5, 0, 0}));
}

TEST(PanelReaderTables, StringPairs) {
    std::string text = OneWindow("[Strings]\n\"name one\"=value one\r\n\"two\"=\n");
    ReadResult r = ReadText(text);
    EXPECT_EQ(StringPairCount(r.panel), 2);
    EXPECT_EQ(r.panel.strings[0].name, "name one");
    EXPECT_EQ(r.panel.strings[0].value, "value one");
    EXPECT_EQ(r.panel.strings[1].name, "two");
    EXPECT_EQ(r.panel.strings[1].value, "");

    // A pair is one line of its own section: a lone quote is skipped, later sections are not read.
    r = ReadText(OneWindow("[Strings]\n\"broken\n\"ok\"=1\n[Esound]\n\"not\"=a pair\n"));
    EXPECT_EQ(StringPairCount(r.panel), 1);
    EXPECT_EQ(r.panel.strings[0].name, "ok");

    std::string many = "[strings]\n";
    for (int i = 0; i < 20; ++i) many += "\"k" + std::to_string(i) + "\"=v" + std::to_string(i) + "\n";
    r = ReadText(OneWindow(many));
    EXPECT_EQ(StringPairCount(r.panel), 16);
    EXPECT_EQ(r.panel.strings[15].value, "v15");
}

TEST(PanelReaderTables, Views) {
    std::string list(150, 'x');
    list[0] = '3';
    ReadResult r =
        ReadText(OneWindow("[VIEWS]\n"
                           "VIEW_FORWARD_WINDOWS=" +
                           list +
                           ",MAIN_PANEL\n"
                           "view_forward_zoom=0.98\n"
                           "VIEW_FORWARD_RIGHT_DIR=0.750, -1.5, 53\n"
                           "VIEW_AUX_05_WINDOWS=7\n"
                           "VIEW_AUX_05_EYE=2.5\n"));
    const auto& v = r.panel.views;
    EXPECT_EQ(r.panel.forwardWindowsList.str(), list.substr(0, 127));
    EXPECT_EQ(v[0].name, "view_forward_");
    EXPECT_EQ(v[0].index, 3);
    EXPECT_DOUBLE_EQ(v[0].zoom, 0.98);
    EXPECT_EQ(v[0].eye, kNotGivenReal);
    EXPECT_FALSE(v[0].dirPresent);
    EXPECT_EQ(v[1].index, -1);
    EXPECT_TRUE(v[1].dirPresent);
    EXPECT_EQ(v[1].dir, (ViewDir{0.75, -1.5, 53.0}));
    EXPECT_EQ(v[23].index, 7);
    EXPECT_DOUBLE_EQ(v[23].eye, 2.5);
    for (int i = 2; i < 23; ++i) EXPECT_EQ(v[i], (ViewEntry{kViewPrefixes[i]})) << i;
}

TEST(PanelReaderTables, VerbatimSectionsKeepTheirTextWithoutCarriageReturns) {
    ReadResult r =
        ReadText(OneWindow("[EpicInfo]\r\nkey=1\r\n\r\n"
                           "[Esound]\r\nsound=a.wav\r\n"));
    EXPECT_EQ(r.panel.epicInfoText, "[EpicInfo]\nkey=1\n\n");
    EXPECT_EQ(r.panel.esoundText, "[Esound]\nsound=a.wav\n");
    EXPECT_TRUE(r.panel.advDisplayText.empty());
    std::string huge = "[AdvDisplay]\n" + std::string(6000, 'a');
    r = ReadText(OneWindow(huge));
    EXPECT_EQ(r.panel.advDisplayText.size(), kMaxVerbatimSectionLength);
}

TEST(PanelReaderTables, ModelLimitsHoldForAnyInput) {
    // 40 Vcockpits with 32 titled windows: the model stops at 64 windows.
    std::string text = "[Window Titles]\n";
    for (int i = 0; i < 32; ++i)
        text += "Window" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "=t\n";
    for (int i = 0; i < 32; ++i)
        text += "[Window" + std::string(i < 10 ? "0" : "") + std::to_string(i) +
                "]\nident=" + std::to_string(i) + "\n";
    for (int i = 1; i <= 40; ++i)
        text += "[Vcockpit" + std::string(i < 10 ? "0" : "") + std::to_string(i) + "]\n";
    ReadResult r = ReadText(text);
    EXPECT_EQ(r.panel.windowCount, 32);
    EXPECT_EQ(r.panel.vcockpitCount, 32);
    std::string why;
    EXPECT_TRUE(PanelIsConsistent(r.panel, &why)) << why;
}

}  // namespace
}  // namespace brindle
