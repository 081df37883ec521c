#include "app/window_commands.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <filesystem>

#include "platform/messages.h"
#include "view/bitmap.h"
#include "view/panel_view.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;

// Records what the commands ask of the view, in order.
struct FakeView : ViewSync {
    std::vector<std::string> calls;
    void StorePanelWindow(PanelWindow& w) override { calls.push_back("store " + w.title.str()); }
    void ShowPanelWindow(Panel& p, int index) override {
        calls.push_back("show " + std::to_string(index) + " " + p.windows[index].title.str());
    }
    void ClearView() override { calls.push_back("clear"); }
};

PanelWindow Win(const std::string& title, WindowKind kind = WindowKind::Window, const std::string& ident = "",
                int sizeMm = 0, int visible = 1) {
    PanelWindow w;
    w.setKind(kind);
    w.title = title;
    w.ident = ident;
    w.sizeMmX = sizeMm;
    w.sizeMmPresent = sizeMm > 0;
    w.visible = visible;
    return w;
}

Panel PanelOf(std::vector<PanelWindow> windows) {
    Panel p = EmptyPanel();
    for (PanelWindow& w : windows) EXPECT_GE(InsertWindow(p, std::move(w)), 0);
    return p;
}

std::vector<std::string> Titles(const Panel& p) {
    std::vector<std::string> t;
    for (const PanelWindow& w : p.windows) t.push_back(w.title.str());
    return t;
}

// Windows 00 to 02, one Fixed Window and a Vcockpit.
Panel FourTitled() {
    return PanelOf({Win("A"), Win("B"), Win("C"), Win("Right", WindowKind::FixedWindow, "30"),
                    Win("VC", WindowKind::Vcockpit)});
}

// Two titled windows: the idents 30 (as text) and 40 (as a Fixed Window's number) are in use.
Panel TakenIdents() {
    PanelWindow f = Win("F", WindowKind::FixedWindow, "FORTY");
    f.fixedNumber = 40;
    return PanelOf({Win("A", WindowKind::Window, "30"), f});
}

class TempDir {
  public:
    TempDir() {
        static std::atomic<int> n{0};
        path_ = fs::temp_directory_path() /
                ("brindle-wincmd-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
        fs::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    fs::path path_;
};

TEST(WindowCommands, SwitchCommitsOnlyWhenAskedAndIgnoresIndicesOutsideThePanel) {
    Panel p = FourTitled();
    Settings s;
    s.SetLastWindow(1);
    FakeView v;
    EXPECT_TRUE(SwitchToWindow(p, s, v, 3, true));
    EXPECT_EQ(v.calls, (std::vector<std::string>{"store B", "show 3 Right"}));
    EXPECT_EQ(s.LastWindow(), 3);

    v.calls.clear();
    EXPECT_TRUE(SwitchToWindow(p, s, v, 4, false));
    EXPECT_EQ(v.calls, (std::vector<std::string>{"show 4 VC"}));

    v.calls.clear();
    for (int bad : {-1, 5}) EXPECT_FALSE(SwitchToWindow(p, s, v, bad, true));
    EXPECT_TRUE(v.calls.empty());
    EXPECT_EQ(s.LastWindow(), 4);
}

TEST(WindowCommands, AddNewWindowGoesAfterTheLastPlainWindowAndIsShown) {
    struct Case {
        const char* name;
        Panel panel;
        int lastWindow;
        int at;
        const char* ident;
        std::vector<std::string> titles;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {"before the Fixed Window",
         FourTitled(),
         1,
         3,
         "50",
         {"A", "B", "C", "New", "Right", "VC"},
         {"store B", "show 3 New"}},
        {"only a Fixed Window",
         PanelOf({Win("Right", WindowKind::FixedWindow, "30")}),
         0,
         0,
         "20",
         {"New", "Right"},
         {"store Right", "show 0 New"}},
        {"empty panel", EmptyPanel(), 0, 0, "10", {"New"}, {"show 0 New"}},
        {"idents taken as text or Fixed Window number",
         TakenIdents(),
         0,
         1,
         "50",
         {"A", "New", "F"},
         {"store A", "show 1 New"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Panel p = c.panel;
        Settings s;
        s.SetLastWindow(c.lastWindow);
        FakeView v;
        NewWindowFields f;
        f.title = "New";
        EXPECT_EQ(AddNewWindow(p, s, v, [&] { return f; }), c.at);
        EXPECT_EQ(Titles(p), c.titles);
        EXPECT_EQ(p.windows[c.at].ident, c.ident);
        EXPECT_EQ(v.calls, c.calls);
        EXPECT_EQ(s.LastWindow(), c.at);
        EXPECT_TRUE(PanelIsConsistent(p));
    }
}

TEST(WindowCommands, AddNewWindowCancelledOrFullLeavesThePanel) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    Settings s;
    FakeView v;

    Panel p = FourTitled();
    const Panel before = p;
    EXPECT_EQ(AddNewWindow(p, s, v, [] { return std::optional<NewWindowFields>(); }), -1);
    EXPECT_EQ(p, before);
    EXPECT_TRUE(ui.entries.empty());

    std::vector<PanelWindow> many;
    for (int i = 0; i < kMaxTitledWindows; ++i) many.push_back(Win("W" + std::to_string(i)));
    Panel full = PanelOf(many);
    int asked = 0;
    EXPECT_EQ(AddNewWindow(full, s, v,
                           [&] {
                               ++asked;
                               return std::optional<NewWindowFields>(NewWindowFields{});
                           }),
              -1);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(full.windowCount, kMaxTitledWindows);
    EXPECT_EQ(ui.texts(), (std::vector<std::string>{kNoRoomForWindow}));
}

TEST(WindowCommands, NewWindowRecordFollowsTheModeAndTheBitmapChoice) {
    NewWindowFields bitmap;
    bitmap.title = std::string(100, 't');
    bitmap.visible = true;
    bitmap.useBitmap = true;
    bitmap.bitmapFile = "radio.bmp";
    bitmap.position = 4;
    bitmap.ratio = 0.75;
    bitmap.sizeMm = 1024;
    bitmap.sizeX = 0.25;
    bitmap.sizeY = 0.4;
    bitmap.posX = 0.1;
    bitmap.posY = 0.2;
    NewWindowFields colour;
    colour.colour = ColorEntry::FromRgb(0, 128, 255).value;
    NewWindowFields noSize = colour;
    noSize.sizeY = 0.0;

    PanelWindow fs98 = MakeNewWindow(bitmap, kModeFS98, 2);
    EXPECT_EQ(fs98.title.size(), kMaxTitleLength);
    EXPECT_EQ(fs98.kind(), WindowKind::Window);
    EXPECT_EQ(fs98.ident, "30");
    EXPECT_EQ(fs98.visible, 1);
    EXPECT_EQ(fs98.position, 4);
    EXPECT_TRUE(fs98.windowSizeRatioPresent);
    EXPECT_EQ(fs98.windowSizeRatio, 0.75);
    EXPECT_TRUE(fs98.sizeMmPresent && fs98.sizeMmYPresent);
    EXPECT_EQ(fs98.sizeMmX, 1024);
    EXPECT_EQ(fs98.file, "radio.bmp");
    EXPECT_EQ(fs98.file1024, "radio.bmp");
    EXPECT_FALSE(fs98.backgroundColorPresent);
    EXPECT_FALSE(fs98.windowPosPresent || fs98.windowSizePresent || fs98.texturePresent);
    EXPECT_TRUE(fs98.gauges.empty());
    EXPECT_EQ(fs98.gaugeCount, 0);

    PanelWindow fs2k = MakeNewWindow(bitmap, kModeFS2000, 0);
    EXPECT_FALSE(fs2k.sizeMmYPresent);
    EXPECT_TRUE(fs2k.windowPosPresent && fs2k.windowSizePresent);
    EXPECT_EQ(fs2k.windowPos, (RealPair{0.1, 0.2}));
    EXPECT_EQ(fs2k.windowSize, (RealPair{0.25, 0.4}));

    PanelWindow plain = MakeNewWindow(colour, kModeCFS2, 0);
    EXPECT_FALSE(plain.file || plain.file1024);
    EXPECT_TRUE(plain.backgroundColorPresent);
    EXPECT_EQ(plain.backgroundColor.value, 0xFF8000u);
    EXPECT_EQ(plain.visible, 0);
    EXPECT_EQ(plain.title, "New Window Title Here");
    EXPECT_FALSE(MakeNewWindow(noSize, kModeCFS, 0).windowSizePresent);
}

TEST(WindowCommands, DefaultSizeIsHalfTheMainPanelWindow) {
    struct Case {
        const char* name;
        Panel panel;
        int main;
        int sizeMm;  // outside FS98
    };
    const Case cases[] = {
        {"MAIN_PANEL in any case",
         PanelOf({Win("a", WindowKind::Window, "5", 300), Win("b", WindowKind::Window, "main_panel", 1000)}),
         1, 500},
        {"ident 0 when visible",
         PanelOf({Win("a", WindowKind::Window, "0", 300, 0), Win("b", WindowKind::Window, "0", 801)}), 1,
         400},
        {"else the smallest number among the visible",
         PanelOf({Win("a", WindowKind::Window, "-3", 300, 0), Win("b", WindowKind::Window, "RADIO", 100),
                  Win("c", WindowKind::Window, "20", 900), Win("d", WindowKind::FixedWindow, "7", 600)}),
         3, 300},
        {"no main window", PanelOf({Win("a", WindowKind::Window, "RADIO", 900)}), -1, 640},
        {"main window without a width", PanelOf({Win("a", WindowKind::Window, "MAIN_PANEL", 0)}), 0, 640},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(MainPanelWindow(c.panel), c.main);
        NewWindowFields f = DefaultNewWindowFields(c.panel, kModeFS2000);
        EXPECT_EQ(f.sizeMm, c.sizeMm);
        EXPECT_EQ(f.colour, 0u);
        EXPECT_FALSE(f.useBitmap);
        EXPECT_EQ(DefaultNewWindowFields(c.panel, kModeFS98).sizeMm, 640);
    }
}

TEST(WindowCommands, DeleteAsksThenShowsWindowZero) {
    struct Case {
        const char* name;
        Panel panel;
        int current;
        Answer answer;
        bool deleted;
        std::vector<std::string> titles;
        std::vector<std::string> messages;
        std::vector<std::string> calls;
    };
    const Panel three = PanelOf({Win("A"), Win("B"), Win("C"), Win("VC", WindowKind::Vcockpit)});
    const Case cases[] = {
        {"window 1 of 3",
         three,
         1,
         Answer::Ok,
         true,
         {"A", "C", "VC"},
         {kAskDeleteWindow},
         {"clear", "show 0 A"}},
        {"a Vcockpit",
         three,
         3,
         Answer::Ok,
         true,
         {"A", "B", "C"},
         {kAskDeleteWindow},
         {"clear", "show 0 A"}},
        {"cancelled", three, 1, Answer::Cancel, false, {"A", "B", "C", "VC"}, {kAskDeleteWindow}, {}},
        {"the only titled window",
         PanelOf({Win("A"), Win("VC", WindowKind::Vcockpit)}),
         0,
         Answer::Ok,
         false,
         {"A", "VC"},
         {kCantDeleteOnlyWindow},
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RecordingMessageUi ui;
        ui.answers = {c.answer};
        ScopedMessageUi scope(ui);
        Panel p = c.panel;
        Settings s;
        s.SetLastWindow(c.current);
        FakeView v;
        EXPECT_EQ(DeleteCurrentWindow(p, s, v), c.deleted);
        EXPECT_EQ(Titles(p), c.titles);
        EXPECT_TRUE(PanelIsConsistent(p));
        EXPECT_EQ(ui.texts(), c.messages);
        EXPECT_EQ(v.calls, c.calls);
        EXPECT_EQ(s.LastWindow(), c.deleted ? 0 : c.current);
    }
}

TEST(WindowCommands, EditWindowBitmapRunsTheProgramAndReportsAChange) {
    enum class Does { Nothing, Touch, Remove, FailToStart };
    struct Case {
        const char* name;
        std::string program;
        bool fileThere;
        Does does;
        bool runs;
        bool changed;
        std::vector<std::string> messages;
    };
    const Case cases[] = {
        {"saved", "/usr/bin/gimp", true, Does::Touch, true, true, {}},
        {"closed without saving", "/usr/bin/gimp", true, Does::Nothing, true, false, {}},
        {"no program", "gmp", true, Does::Touch, false, false, {}},
        {"bitmap missing", "/usr/bin/gimp", false, Does::Touch, false, false, {kCantReadBitmapFile}},
        {"bitmap gone afterwards", "/usr/bin/gimp", true, Does::Remove, true, false, {kCantReadBitmapFile}},
        {"cannot start",
         "/usr/bin/gimp",
         true,
         Does::FailToStart,
         true,
         false,
         {"Can't launch Paint Program \"gimp\" : No such file or directory"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string real = dir.file("main.bmp");
        if (c.fileThere) {
            ASSERT_TRUE(WriteBmp24(real, Image(4, 4)));
        }
        RecordingMessageUi ui;
        ScopedMessageUi scope(ui);
        std::vector<std::string> argv;
        auto run = [&](const std::vector<std::string>& a, std::string& error) {
            argv = a;
            switch (c.does) {
                case Does::Touch:
                    fs::last_write_time(real, fs::last_write_time(real) + std::chrono::seconds(5));
                    break;
                case Does::Remove:
                    fs::remove(real);
                    break;
                case Does::FailToStart:
                    error = "No such file or directory";
                    return false;
                case Does::Nothing:
                    break;
            }
            return true;
        };
        // The panel names the file in another case and with backslashes; the program gets the real path.
        const std::string named = dir.file("") + "\\MAIN.BMP";
        EXPECT_EQ(EditWindowBitmap(named, c.program, run), c.changed);
        EXPECT_EQ(ui.texts(), c.messages);
        if (c.runs) {
#ifdef _WIN32
            // The file system finds the file in any case: the program gets it as the panel names it.
            ASSERT_EQ(argv.size(), 2u);
            EXPECT_EQ(argv[0], c.program);
            EXPECT_TRUE(EqualsNoCase(fs::path(argv[1]).lexically_normal().string(),
                                     fs::path(real).lexically_normal().string()))
                << argv[1];
#else
            EXPECT_EQ(argv, (std::vector<std::string>{c.program, real}));
#endif
        } else {
            EXPECT_TRUE(argv.empty());
        }
    }
}

// The shell's side of Edit Window Bitmap and the window commands on the real view.
TEST(WindowCommands, RealViewReloadsAnEditedBackgroundAndFollowsAddAndDelete) {
    TempDir dir;
    RecordingMessageUi ui;
    ui.defaultAnswer = Answer::Ok;
    ScopedMessageUi scope(ui);
    Settings s;
    s.SetMode(kModeFS2000);
    s.SetCurrentFile(dir.file("panel.cfg"));
    ASSERT_TRUE(WriteBmp24(dir.file("main.bmp"), Image(64, 48)));
    ASSERT_TRUE(WriteBmp24(dir.file("hi.bmp"), Image(128, 96)));

    PanelWindow main = Win("Main", WindowKind::Window, "MAIN_PANEL", 640);
    main.file = "main.bmp";
    main.file1024 = "hi.bmp";
    Panel p = PanelOf({main, Win("Radio", WindowKind::Window, "RADIO", 200)});

    // The path the command edits is the one the view loads, with and without HighRes.
    PanelView view(s);
    PanelViewSync sync(view);
    for (int highRes : {0, 1}) {
        s.SetHighRes(highRes);
        ASSERT_TRUE(SwitchToWindow(p, s, sync, 0, false));
        EXPECT_EQ(ShownBackgroundPath(p, 0, s), view.Window().bitmapPath);
    }
    EXPECT_EQ(ShownBackgroundPath(p, 1, s), "");
    s.SetHighRes(0);
    ASSERT_TRUE(SwitchToWindow(p, s, sync, 0, false));

    ViewGauge g;
    g.name = "Cessna!Clock";
    g.selected = true;
    view.Gauges().push_back(g);
    auto grow = [&](const std::vector<std::string>& argv, std::string&) {
        return WriteBmp24(argv[1], Image(256, 192));
    };
    ASSERT_TRUE(EditWindowBitmap(ShownBackgroundPath(p, 0, s), "paint", grow));
    EXPECT_TRUE(view.ReloadBackground(p.windows[0]));
    EXPECT_EQ(view.Geometry().BitmapWidth(), 256);
    EXPECT_EQ(p.windows[0].bitmapWidth, 256);
    ASSERT_EQ(view.Gauges().size(), 1u);
    EXPECT_TRUE(view.Gauges()[0].selected);

    NewWindowFields f = DefaultNewWindowFields(p, s.Mode());
    EXPECT_EQ(f.sizeMm, 320);
    ASSERT_EQ(AddNewWindow(p, s, sync, [&] { return f; }), 2);
    ASSERT_NE(view.Shown(), nullptr);
    EXPECT_EQ(view.Shown()->index, 2);
    EXPECT_EQ(view.Geometry().BitmapWidth(), 320);
    EXPECT_EQ(p.windows[0].gauges.size(), 1u) << "the shown window is stored before the dialog";

    EXPECT_TRUE(DeleteCurrentWindow(p, s, sync));
    EXPECT_EQ(p.windowCount, 2);
    EXPECT_EQ(view.Shown()->index, 0);
    EXPECT_EQ(view.Geometry().BitmapWidth(), 256);
    EXPECT_EQ(view.Gauges().size(), 1u);
}

}  // namespace
}  // namespace brindle
