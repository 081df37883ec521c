#include "panel/panel_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iterator>

#include "panel_test_util.h"

namespace brindle {
namespace {

using testing::ReadAll;
using testing::ReadText;
using testing::TempDir;
using Kind = RecordingMessageUi::Kind;

// 2001-09-09 01:46:40 UTC, a Sunday.
constexpr std::time_t kTime = 1000000000;

PanelWriteOptions Options(SimMode mode = kModeFS2000) {
    PanelWriteOptions o;
    o.mode = mode;
    o.time = kTime;
    o.utc = true;
    return o;
}

// The text as the tests write it: LF line ends.
std::string Lf(const std::string& crlf) {
    std::string out;
    for (std::size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') continue;
        out.push_back(crlf[i]);
    }
    return out;
}

GaugeEntry Gauge(const char* name, int x, int y) {
    GaugeEntry g;
    g.name = name;
    g.x = x;
    g.y = y;
    return g;
}

TEST(PanelWriterGauges, GaugeLineForms) {
    struct Case {
        const char* what;
        GaugeEntry gauge;
        int number;
        SimMode mode;
        const char* expected;
    };
    GaugeEntry plain = Gauge("Cessna!Airspeed", 10, 20);
    GaugeEntry width = plain;
    width.width = 64;
    width.widthPresent = true;
    GaugeEntry both = width;
    both.height = 32;
    both.heightPresent = true;
    GaugeEntry heightOnly = plain;
    heightOnly.height = 32;
    heightOnly.heightPresent = true;
    GaugeEntry param = width;
    param.parameter = "sound.ini";
    GaugeEntry paramNoWidth = plain;
    paramNoWidth.parameter = "p";
    GaugeEntry all = both;
    all.parameter = "p";
    all.comment = ";note";
    GaugeEntry sameHeight = width;
    sameHeight.height = 64;  // equal to the width and not marked present
    GaugeEntry otherHeight = width;
    otherHeight.height = 50;  // differs from the width: written although not marked present
    Case cases[] = {
        {"x and y only", plain, 0, kModeFS2000, "gauge00=Cessna!Airspeed,  10,20"},
        {"with width", width, 3, kModeFS2000, "gauge03=Cessna!Airspeed,  10,20,64"},
        {"width and height", both, 3, kModeFS2000, "gauge03=Cessna!Airspeed,  10,20,64,32"},
        {"height without width", heightOnly, 3, kModeFS2000, "gauge03=Cessna!Airspeed,  10,20 , ,32"},
        {"parameter", param, 3, kModeFS2000, "gauge03=Cessna!Airspeed,  10,20,64, ,sound.ini"},
        {"parameter without width", paramNoWidth, 3, kModeFS2000, "gauge03=Cessna!Airspeed,  10,20 , , ,p"},
        {"everything", all, 3, kModeCFS2, "gauge03=Cessna!Airspeed,  10,20,64,32,p\t;note"},
        {"height equal to width", sameHeight, 3, kModeFS2000, "gauge03=Cessna!Airspeed,  10,20,64"},
        {"height differing from width", otherHeight, 3, kModeFS2000, "gauge03=Cessna!Airspeed,  10,20,64,50"},
        {"number 14", both, 14, kModeFS2000, "gauge14=Cessna!Airspeed,  10, 20 ,64,32"},
        {"number 14 alone", plain, 14, kModeFS2000, "gauge14=Cessna!Airspeed,  10, 20 "},
        {"FS98 drops height and parameter", all, 3, kModeFS98, "gauge03=Cessna!Airspeed,  10,20,64\t;note"},
        {"not given x", Gauge("a!b", kNotGivenInt, 0), 100, kModeFS2000, "gauge100=a!b,  -99999,0"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FormatGaugeLine(c.gauge, c.number, c.mode), c.expected) << c.what;
    }
}

TEST(PanelWriterGauges, EveryGaugeLineFormReadsBackAsWritten) {
    for (SimMode mode : {kModeFS2000, kModeCFS, kModeCFS2}) {
        Panel p = EmptyPanel();
        PanelWindow w;
        w.title = "T";
        w.ident = "1";
        for (int i = 0; i < 20; ++i) {
            GaugeEntry g = Gauge(("m" + std::to_string(i) + "!g").c_str(), i, -i);
            g.widthPresent = i % 2 == 0;
            g.width = g.widthPresent ? 10 + i : 0;
            g.heightPresent = i % 3 == 0;
            g.height = g.heightPresent ? 5 + i : 0;
            if (i % 4 == 0) g.parameter = "p" + std::to_string(i);
            if (i % 5 == 0) g.comment = "; c" + std::to_string(i);
            AddGauge(w, g);
        }
        InsertWindow(p, w);
        PanelWriteOptions o = Options(mode);
        auto r = ReadText(FormatPanel(p, o), mode);
        ASSERT_TRUE(r.ok);
        EXPECT_EQ(r.panel.windows[0].gauges, p.windows[0].gauges) << mode;
    }
}

Panel SamplePanel() {
    Panel p = EmptyPanel();
    p.headerComments = "kept one\r\nkept two\r\n";
    PanelWindow main;
    main.title = "Main Panel";
    main.file = "main.bmp";
    main.file1024 = "main_1024.bmp";
    main.backgroundColor = ColorEntry::FromRgb(1, 2, 3);
    main.backgroundColorPresent = true;
    main.sizeMmX = 1024;
    main.sizeMmY = 768;
    main.sizeMmPresent = main.sizeMmYPresent = true;
    main.windowSizeRatio = 1.6;
    main.windowSizeRatioPresent = true;
    main.position = 6;
    main.ident = "MAIN_PANEL";
    main.sizeable = 1;
    main.sizeablePresent = true;
    main.render3dWindow = 0;
    main.render3dWindowPresent = true;
    main.nomenu = 1;
    main.nomenuPresent = true;
    main.imageBlend = 0.5;
    main.imageBlendPresent = true;
    main.windowSize = {1.0, 0.375};
    main.windowSizePresent = true;
    main.pixelSize = {1024, 384};
    main.pixelSizePresent = true;
    main.texture = "$tex";
    main.texturePresent = true;
    main.windowPos = {0.0, 0.625};
    main.windowPosPresent = true;
    GaugeEntry g = Gauge("Cessna!Airspeed", 10, 20);
    g.width = 64;
    g.widthPresent = true;
    AddGauge(main, g);
    InsertWindow(p, main);
    PanelWindow fixed;
    fixed.setKind(WindowKind::FixedWindow);
    fixed.fixedNumber = 7;
    fixed.title = "Compass";
    fixed.ident = "7";
    InsertWindow(p, fixed);
    PanelWindow vc;
    vc.setKind(WindowKind::Vcockpit);
    vc.vcockpitNumber = 2;
    vc.sizeMmX = 512;
    vc.sizeMmPresent = true;
    InsertWindow(p, vc);
    p.views[0].index = 7;
    p.views[0].zoom = 1.0;
    p.views[0].dir = {0.0, 0.0, 0.0};
    p.views[0].dirPresent = true;
    p.views[3].dir = {2.0, 0.0, 135.0};
    p.views[3].dirPresent = true;
    p.colorCount = 2;
    p.colors[0] = ColorEntry::FromRgb(255, 0, 0);
    p.colors[1] = ColorEntry::FromRgb(0, 0, 255);
    p.defaultView = {0, 100, 8191, 3000};
    p.strings[0] = {"one", "1"};
    p.strings[1] = {"two", "2"};
    p.epicInfoText = "[EpicInfo]\nkey=1\n\n";
    p.esoundText = "[Esound]\nsound=a.wav\n";
    return p;
}

TEST(PanelWriterFile, SectionsInTheirFixedOrderAndForm) {
    std::string text = FormatPanel(SamplePanel(), Options());
    // Every line ends with CR LF, and there is no lone LF.
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ASSERT_TRUE(i > 0 && text[i - 1] == '\r') << i;
        }
    }
    EXPECT_EQ(Lf(text),
              "// This Panel.cfg file created by Brindle\n"
              "// Built Sunday, September 09, 2001 at 01:46 Build:16518\n"
              "\n"
              "//\tkept one\n"
              "//\tkept two\n"
              "\n\n"
              "[Window Titles]\n"
              "Window00=Main Panel\n"
              "Fixed Window07=Compass\n"
              "\n"
              "[VIEWS]\n"
              "VIEW_FORWARD_WINDOWS=7\n"
              "VIEW_FORWARD_ZOOM=1.0\n"
              "VIEW_FORWARD_DIR=0.0, 0.0, 0.0\n"
              "\n"
              "VIEW_REAR_RIGHT_DIR=2.0, 0.0, 135.0\n"
              "\n\n"
              "[Window00]\n"
              "file=main.bmp \n"
              "file_1024=main_1024.bmp \n"
              "Background_color=1,2,3 \n"
              "size_mm=1024,768\n"
              "window_size_ratio=1.60   \n"
              "position=6\n"
              "visible=1\n"
              "ident=MAIN_PANEL\n"
              "sizeable=1\n"
              "render_3d_window=0\n"
              "nomenu=1\n"
              "image_blend= 0.500\n"
              "window_size= 1.000, 0.375\n"
              "pixel_size=1024,384\n"
              "texture=$tex\n"
              "window_pos= 0.000, 0.625\n"
              "\n"
              "gauge00=Cessna!Airspeed,  10,20,64\n"
              "\n"
              "[Fixed Window07]\n"
              "position=7\n"
              "visible=1\n"
              "ident=7\n"
              "\n"
              "\n"
              "[Vcockpit02]\n"
              "size_mm=512\n"
              "position=7\n"
              "visible=1\n"
              "ident=\n"
              "\n"
              "\n"
              "\n"
              "[8 Bit Colors]\n"
              "color00=255,0,0\n"
              "color01=0,0,255\n"
              "\n"
              "[Default View]\n"
              "X=0\n"
              "Y=100\n"
              "SIZE_X=8191\n"
              "SIZE_Y=3000\n"
              "\n"
              "[Strings]\n"
              "\"one\"=1\n"
              "\"two\"=2\n"
              "[EpicInfo]\n"
              "key=1\n"
              "\n"
              "[Esound]\n"
              "sound=a.wav\n");
}

TEST(PanelWriterFile, ModeDependentForms) {
    Panel p = SamplePanel();
    p.colorCount = -1;
    p.paletteFile = "panel.pal";
    std::string fs98 = Lf(FormatPanel(p, Options(kModeFS98)));
    EXPECT_NE(fs98.find("size_mm=1024\nwindowsize_ratio=1.60   \n"), std::string::npos);
    EXPECT_NE(fs98.find("[8 Bit Colors]\nPALETTE=panel.pal\n\n[Default View]"), std::string::npos);
    std::string cfs = Lf(FormatPanel(p, Options(kModeCFS)));
    EXPECT_NE(cfs.find("size_mm=1024,768\nwindow_size_ratio=1.60   \n"), std::string::npos);
}

TEST(PanelWriterFile, OptionalPartsAreLeftOutWhenNotGiven) {
    Panel p = EmptyPanel();
    PanelWindow w;
    w.windowSize = {0.0, 0.5};  // present but not above 0: not written
    w.windowSizePresent = true;
    InsertWindow(p, w);
    p.defaultView = {0, 0, 8191, 3276};
    std::string text = Lf(FormatPanel(p, Options()));
    EXPECT_EQ(text,
              "// This Panel.cfg file created by Brindle\n"
              "// Built Sunday, September 09, 2001 at 01:46 Build:16518\n"
              "\n"
              "[Window Titles]\n"
              "Window00=\n"
              "\n"
              "\n\n"
              "[Window00]\n"
              "position=7\n"
              "visible=1\n"
              "ident=\n"
              "\n\n\n"
              "[Default View]\nX=0\nY=0\nSIZE_X=8191\nSIZE_Y=3276\n\n");
}

TEST(PanelWriterFile, RealsKeepTheirValueThroughASave) {
    Panel p = EmptyPanel();
    PanelWindow w;
    w.ident = "x";
    w.windowPos = {0.1234, 0.5};
    w.windowPosPresent = true;
    w.windowSizeRatio = 1.125;
    w.windowSizeRatioPresent = true;
    InsertWindow(p, w);
    p.views[1].zoom = 0.98;  // a view without windows key keeps its zoom
    p.views[2].index = 1;
    p.views[2].eye = 1.25;
    std::string text = Lf(FormatPanel(p, Options()));
    EXPECT_NE(text.find("window_pos=0.1234, 0.500\n"), std::string::npos) << text;
    EXPECT_NE(text.find("window_size_ratio=1.125  \n"), std::string::npos) << text;
    EXPECT_NE(text.find("VIEW_FORWARD_RIGHT_ZOOM=0.98\n"), std::string::npos) << text;
    EXPECT_NE(text.find("VIEW_RIGHT_EYE=1.25\n"), std::string::npos) << text;
    auto r = ReadText(text);
    EXPECT_EQ(r.panel.windows[0].windowPos, w.windowPos);
    EXPECT_EQ(r.panel.windows[0].windowSizeRatio, 1.125);
    EXPECT_EQ(r.panel.views, p.views);
}

TEST(PanelWriterFile, TheHeaderTimeHonoursSourceDateEpoch) {
    EXPECT_EQ(FormatBuiltLine(0, true), "// Built Thursday, January 01, 1970 at 00:00");
#ifdef _WIN32
    ::_putenv_s("SOURCE_DATE_EPOCH", "1000000000");
#else
    ::setenv("SOURCE_DATE_EPOCH", "1000000000", 1);
#endif
    PanelWriteOptions o;
    std::string text = FormatPanel(EmptyPanel(), o);
#ifdef _WIN32
    ::_putenv_s("SOURCE_DATE_EPOCH", "");  // an empty value removes it
#else
    ::unsetenv("SOURCE_DATE_EPOCH");
#endif
    EXPECT_EQ(text.substr(0, 200).find("// Built Sunday, September 09, 2001 at 01:46 Build:16518\r\n"), 43u);
}

TEST(PanelWriterFile, CopyrightBlock) {
    TempDir dir;
    std::string notice = dir.write("notice.txt", "// (c) Someone\r\n// All rights\n");
    std::string empty = dir.write("empty.txt", "");
    std::string big = dir.write("big.txt", std::string(10000, 'c'));
    std::string missing = dir.file("missing.txt");
    struct Case {
        std::string file;
        std::string block;  // what follows the header lines
        std::vector<std::string> messages;
    } cases[] = {
        {"", "\n", {}},  {"a.t", "\n", {}}, {notice, "\n// (c) Someone\n// All rights\n\n\n", {}},
        {empty, "", {}}, {big, "", {}},     {missing, "", {"Can't open Copyright File \"" + missing + "\""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        RecordingMessageUi ui;
        ScopedMessageUi scope(ui);
        PanelWriteOptions o = Options();
        o.copyrightFile = c.file;
        std::string text = Lf(FormatPanel(EmptyPanel(), o));
        std::string header =
            "// This Panel.cfg file created by Brindle\n// Built Sunday, September 09, 2001 at 01:46 "
            "Build:16518\n";
        EXPECT_EQ(text.substr(0, header.size() + c.block.size() + 16),
                  header + c.block + "[Window Titles]\n");
        EXPECT_EQ(ui.texts(), c.messages);
        for (const auto& e : ui.entries) EXPECT_EQ(e.kind, Kind::Warning);
    }
}

TEST(PanelWriterFile, SaveWithBackupKeepsTheOldFile) {
    TempDir dir;
    std::string path = dir.write("panel.cfg", "old contents");
    dir.write("panel_backup001.cfg", "first backup");
    PanelWriteOptions o = Options();
    o.createBackup = true;
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    ASSERT_TRUE(WritePanelFile(SamplePanel(), path, o));
    EXPECT_EQ(ReadAll(dir.file("panel_backup002.cfg")), "old contents");
    EXPECT_EQ(ReadAll(dir.file("panel_backup001.cfg")), "first backup");
    EXPECT_EQ(ReadAll(path), FormatPanel(SamplePanel(), o));
    EXPECT_TRUE(ui.entries.empty());

    // The backup name is formed at the last dot of the whole path.
    std::filesystem::create_directories(dir.path() / "aircraft.v2");
    std::string noDot = dir.write("aircraft.v2/panel", "old");
    ASSERT_TRUE(WritePanelFile(SamplePanel(), noDot, o));
    EXPECT_EQ(ReadAll(dir.file("aircraft_backup001.cfg")), "old");

    // Without CreateBackup, or with no file yet, no backup is made.
    o.createBackup = false;
    ASSERT_TRUE(WritePanelFile(SamplePanel(), path, o));
    EXPECT_FALSE(std::filesystem::exists(dir.file("panel_backup003.cfg")));
    o.createBackup = true;
    ASSERT_TRUE(WritePanelFile(SamplePanel(), dir.file("new.cfg"), o));
    EXPECT_FALSE(std::filesystem::exists(dir.file("new_backup001.cfg")));
}

// The error a file name over the system's limit gives: Windows' C runtime tells it as a path not found.
#ifdef _WIN32
constexpr int kNameTooLong = ENOENT;
#else
constexpr int kNameTooLong = ENAMETOOLONG;
#endif

TEST(PanelWriterFile, AFailedBackupStopsTheSave) {
    TempDir dir;
    // The backup's temporary name is too long for the file system, the file's own is not.
    std::string name = std::string(238, 'p') + ".c";
    std::string path = dir.write(name, "old contents");
    ASSERT_EQ(ReadAll(path), "old contents");
    PanelWriteOptions o = Options();
    o.createBackup = true;
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    EXPECT_FALSE(WritePanelFile(SamplePanel(), path, o));
    ASSERT_EQ(ui.entries.size(), 1u);
    EXPECT_EQ(ui.entries[0].kind, Kind::Error);
    EXPECT_EQ(ui.entries[0].text, std::string("Error creating Panel.cfg backup file\n") +
                                      std::strerror(kNameTooLong) + "\nCan't save file!");
    EXPECT_EQ(ReadAll(path), "old contents");
    // Without a backup the same file can be saved.
    o.createBackup = false;
    EXPECT_TRUE(WritePanelFile(SamplePanel(), path, o));
}

TEST(PanelWriterFile, AFailedWriteNeverDamagesTheOldFile) {
    TempDir dir;
    std::string path = dir.write(std::string(250, 'q'), "old contents");
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    EXPECT_FALSE(WritePanelFile(SamplePanel(), path, Options()));
    EXPECT_EQ(ReadAll(path), "old contents");
    ASSERT_EQ(ui.entries.size(), 1u);
    EXPECT_EQ(ui.entries[0].text,
              "Can't open file \"" + path + "\" for writing.: " + std::string(std::strerror(kNameTooLong)));

    ui.entries.clear();
    EXPECT_FALSE(WritePanelFile(SamplePanel(), dir.file("no-such-folder/panel.cfg"), Options()));
    ASSERT_EQ(ui.entries.size(), 1u);
    EXPECT_EQ(ui.entries[0].kind, Kind::Warning);
}

// A panel read from a file with LF line ends, close to the size limit, grows past it when it is written
// with CR LF: the save is refused before anything (even the backup) is written, as that file could not
// be opened again.
TEST(PanelWriterFile, APanelTooLongToOpenAgainIsNotSaved) {
    TempDir dir;
    std::string text = "[Window Titles]\nWindow00=MAIN\n\n[Window00]\nsize_mm=100\n\n[Notes]\n";
    for (int n = 0; text.size() < kMaxPanelFileSize - 40; ++n) text += "note" + std::to_string(n) + "=kept\n";
    std::string path = dir.write("panel.cfg", text);
    Panel panel;
    {
        RecordingMessageUi quiet;
        ScopedMessageUi scope(quiet);
        ASSERT_TRUE(ReadPanelFile(path, PanelReadOptions{}, panel));
    }
    PanelWriteOptions o = Options();
    o.createBackup = true;
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    EXPECT_FALSE(WritePanelFile(panel, path, o));
    ASSERT_EQ(ui.entries.size(), 1u);
    EXPECT_EQ(ui.entries[0].kind, Kind::Error);
    EXPECT_NE(ui.entries[0].text.find("Can't save file!"), std::string::npos);
    EXPECT_EQ(ReadAll(path), text);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), std::filesystem::directory_iterator()),
              1);  // no backup either
}

}  // namespace
}  // namespace brindle
