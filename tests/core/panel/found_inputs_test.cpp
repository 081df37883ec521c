// Inputs the fuzzers found that lost or broke something, each cut down to what shows the fault.
#include <gtest/gtest.h>

#include "panel/panel_reader.h"
#include "panel/panel_writer.h"
#include "panel/views.h"
#include "platform/messages.h"

namespace brindle {
namespace {

Panel Read(const std::string& text) {
    RecordingMessageUi ui;
    ui.defaultAnswer = Answer::Yes;
    ScopedMessageUi scope(ui);
    PanelReadOptions options;
    Panel panel;
    EXPECT_TRUE(ParsePanelText(text, "found.cfg", options, panel));
    return panel;
}

// The panel as a save writes it, dated so that two saves can be compared.
std::string Save(const Panel& panel) {
    PanelWriteOptions options;
    options.time = 0;
    return FormatPanel(panel, options);
}

// A title line that runs into the next section's header ("MINI[Config]") ends the titles section there.
// The title kept only what lies before the "[", so that the saved file does not end its own titles
// section early and lose the Fixed Windows written after it.
TEST(FoundInputs, ATitleHoldingASectionHeaderDoesNotCostTheWindowsAfterItOnTheNextRead) {
    const std::string text =
        "[Window Titles]\nWindow00=MAIN\nWindow01=MINI [Config]\nMaxSounds=10\nWindow02=LOST\n\n"
        "[Window00]\nsize_mm=100\n\n[Window01]\nsize_mm=100\n\n";
    Panel panel = Read(text);
    ASSERT_EQ(panel.windowCount, 2);
    EXPECT_EQ(panel.windows[1].title.str(), "MINI");
    ASSERT_GE(CreateFixedWindowForView(panel, 2, "right.bmp"), 0);
    Panel again = Read(Save(panel));
    ASSERT_EQ(again.windowCount, 3);
    EXPECT_EQ(again.windows[1].title.str(), "MINI");
    EXPECT_GE(FindFixedWindow(again, again.views[2].index), 0);
}

// A garbled titles header ("{Window Titles]") is still where the titles are found. The saved file puts the
// writer's header in its place and keeps the garbled line as a comment: written after it instead, the
// next read would find the garbled line first and lose every window added since.
TEST(FoundInputs, AGarbledTitlesHeaderIsReplacedSoAddedWindowsComeBack) {
    const std::string text =
        "// top\n{Window Titles]\nWindow00=MAIN\n\n[Window00]\nsize_mm=100\n\n[Views]\nVIEW_FORWARD_WINDOWS=0\n";
    Panel panel = Read(text);
    ASSERT_EQ(panel.windowCount, 1);
    ASSERT_GE(CreateFixedWindowForView(panel, 2, "right.bmp"), 0);
    const std::string saved = Save(panel);
    EXPECT_NE(saved.find("// {Window Titles]"), std::string::npos) << saved;
    EXPECT_NE(saved.find("// top"), std::string::npos) << saved;
    Panel again = Read(saved);
    ASSERT_EQ(again.windowCount, 2) << saved;
    EXPECT_EQ(again.windows[0].title.str(), "MAIN");
    EXPECT_GE(FindFixedWindow(again, again.views[2].index), 0);
    EXPECT_EQ(Save(again), saved);
}

// A panel of virtual cockpits alone: its first Fixed Window is number 00, and "Fixed Window00" holds
// "Window00". That title is not a Window's, even where a stray [Window00] section is in the file.
TEST(FoundInputs, AFixedWindowNumberedLikeTheNextWindowIsNotReadAsAWindow) {
    const std::string text =
        "[VCockpit01]\nsize_mm=320,240\npixel_size=320,240\ntexture=SCREEN\n\n[Window00]\nsize_mm=100\n\n"
        "[Views]\nVIEW_FORWARD_WINDOWS=0\n";
    Panel panel = Read(text);
    ASSERT_EQ(panel.windowCount, 0);
    ASSERT_EQ(panel.vcockpitCount, 1);
    ASSERT_GE(CreateFixedWindowForView(panel, 1, "right.bmp"), 0);
    ASSERT_GE(FindFixedWindow(panel, 0), 0);
    const std::string saved = Save(panel);
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    PanelReadOptions readOptions;
    Panel again;
    ASSERT_TRUE(ParsePanelText(saved, "found.cfg", readOptions, again));
    EXPECT_TRUE(ui.entries.empty()) << saved;
    ASSERT_EQ(again.windowCount, 1) << saved;
    EXPECT_EQ(again.vcockpitCount, 1);
    for (int k = 0; k < again.windowCount; ++k) EXPECT_NE(again.windows[k].kind(), WindowKind::Window);
    EXPECT_GE(FindFixedWindow(again, again.views[1].index), 0);
}

// A view's key inside another line ("Luminouview_aux_04_windowss=200") is where the reader takes that
// view's window from. Kept as it was, that line would be found again before the [VIEWS] line the
// writer gives for the view, and a Fixed Window made for it would be lost: it is kept as a comment.
TEST(FoundInputs, ALineAViewWasReadFromIsKeptAsACommentSoTheWrittenViewCounts) {
    const std::string text =
        "[Window Titles]\nWindow00=MAIN\n\n[Window00]\nsize_mm=100\n\n[Color]\nDay=255,255,255\n"
        "Luminouview_aux_04_windowss=200,2'0,101\n";
    Panel panel = Read(text);
    const int aux04 = 22;
    ASSERT_EQ(panel.views[aux04].index, 200);
    ASSERT_GE(CreateFixedWindowForView(panel, aux04, "aux.bmp"), 0);
    const std::string saved = Save(panel);
    EXPECT_NE(saved.find("// Luminouview_aux_04_windowss=200,2'0,101"), std::string::npos) << saved;
    Panel again = Read(saved);
    EXPECT_EQ(again.views[aux04].index, panel.views[aux04].index) << saved;
    EXPECT_GE(FindFixedWindow(again, again.views[aux04].index), 0);
}

// A forward list holding another view's key ("view_left_windows=270") is where that view's window is
// read from, and the list is written back as it was read. Written before the view's own line, it would
// hide it on the next read and a Fixed Window made for the view would be lost; the forward view's
// lines go last instead.
TEST(FoundInputs, AForwardListHoldingAnotherViewsKeyDoesNotHideThatViewsLine) {
    const std::string text =
        "[Window Titles]\nWindow00=MAIN\n\n[Window00]\nsize_mm=100\n\n"
        "[Views]\nVIEW_FORWARD_WINDOWS=0, view_left_windows=270, 5\n";
    Panel panel = Read(text);
    const int left = 6;
    ASSERT_EQ(panel.views[left].index, 270);
    ASSERT_GE(CreateFixedWindowForView(panel, left, "left.bmp"), 0);
    const std::string saved = Save(panel);
    Panel again = Read(saved);
    EXPECT_EQ(again.views[left].index, panel.views[left].index) << saved;
    EXPECT_GE(FindFixedWindow(again, again.views[left].index), 0);
    EXPECT_EQ(again.forwardWindowsList, panel.forwardWindowsList);
    EXPECT_EQ(Save(again), saved);
}

// Titles read from a line that is not a header ("\x0e[Window Titles]" starts with a control byte)
// while a real "[Window Titles]" follows: the line stays before the writer's titles, and the next read
// would take the titles from it again and miss a Fixed Window added since. It is kept as a comment.
TEST(FoundInputs, ATitlesLineBeforeTheTitlesHeaderIsKeptAsAComment) {
    const std::string text =
        "\x0e[Window Titles]\nWindow00=MAIN\n\n[Window00]\nsize_mm=100\n\n[Window Titles]\nWindow00=MAIN\n";
    Panel panel = Read(text);
    ASSERT_EQ(panel.windowCount, 1);
    ASSERT_GE(CreateFixedWindowForView(panel, 2, "right.bmp"), 0);
    const std::string saved = Save(panel);
    EXPECT_NE(saved.find("// \x0e[Window Titles]"), std::string::npos) << saved;
    Panel again = Read(saved);
    EXPECT_EQ(again.windowCount, 2) << saved;
    EXPECT_GE(FindFixedWindow(again, again.views[2].index), 0);
}

// A view's key at the start of damaged lines above the titles ("view_rear_up_windowsx a=512", twice): the
// first is where the view was read from and is kept as a comment, but the second would then come
// first on the next read. The view's own line, the key with its "=", is taken before any such line.
TEST(FoundInputs, AViewsOwnLineIsReadBeforeDamagedLinesHoldingItsKey) {
    const std::string text =
        "view_rear_up_windowsx a=512\nview_rear_up_windowsy b=512\n[Window Titles]\nWindow00=MAIN\n\n[Window00]\n"
        "size_mm=100\n\n[Views]\nVIEW_FORWARD_WINDOWS=0\n";
    Panel panel = Read(text);
    const int rearUp = 13;
    ASSERT_EQ(panel.views[rearUp].index, 512);
    ASSERT_GE(CreateFixedWindowForView(panel, rearUp, "up.bmp"), 0);
    const std::string saved = Save(panel);
    Panel again = Read(saved);
    EXPECT_EQ(again.views[rearUp].index, panel.views[rearUp].index) << saved;
    EXPECT_GE(FindFixedWindow(again, again.views[rearUp].index), 0);
}

// The titles are found where "Titles]" first stands, here inside a window's section; the later
// "[Window Titles]" section is only kept. The writer writes its titles into that section, so its other
// title lines ("Window01=GHOST") would be read as windows next time, taking the kept [Window01] for
// theirs. They are kept as comments.
TEST(FoundInputs, TitleLinesTheReadDidNotTakeDoNotBecomeWindowsWhenSaved) {
    const std::string text =
        "[Window00]\nsize_mm=100\nnote=see Titles]\nWindow00=MAIN\n\n"
        "[Window Titles]\nWindow00=MAIN\nWindow01=GHOST\nWindow02=GHOST2\n\n[Window01]\nsize_mm=50\n";
    Panel panel = Read(text);
    ASSERT_EQ(panel.windowCount, 1);
    const std::string saved = Save(panel);
    EXPECT_NE(saved.find("// Window01=GHOST"), std::string::npos) << saved;
    EXPECT_NE(saved.find("[Window01]"), std::string::npos) << saved;
    Panel again = Read(saved);
    EXPECT_EQ(again.windowCount, 1) << saved;
    EXPECT_EQ(again.windows[0].title.str(), "MAIN");
    EXPECT_EQ(Save(again), saved);
}

// A view's line before the first section ("VIEW_REAR_WINDOWS=3" above the titles) is where the reader
// takes the view from. The writer gives the view in its own section, after the titles; kept as it was,
// the old line would be found first on the next read and undo the change, so it is kept as a comment.
TEST(FoundInputs, AViewLineAboveTheSectionsDoesNotUndoAnEditOfTheView) {
    const std::string text = "VIEW_REAR_WINDOWS=3\nVIEW_REAR_ZOOM=2\n[Window Titles]\nWindow00=MAIN\n\n"
                             "[Window00]\nsize_mm=100\n";
    Panel panel = Read(text);
    const int rear = 4;
    ASSERT_EQ(panel.views[rear].index, 3);
    ASSERT_GE(CreateFixedWindowForView(panel, rear, "rear.bmp"), 0);
    panel.views[rear].zoom = 1.5;
    const std::string saved = Save(panel);
    EXPECT_NE(saved.find("// VIEW_REAR_WINDOWS=3"), std::string::npos) << saved;
    Panel again = Read(saved);
    EXPECT_EQ(again.views[rear].index, panel.views[rear].index) << saved;
    EXPECT_DOUBLE_EQ(again.views[rear].zoom, 1.5);
    EXPECT_GE(FindFixedWindow(again, again.views[rear].index), 0);
    EXPECT_EQ(Save(again), saved);
}

// A title whose text holds another window's key ("Window01=Radio Window02=spare") gives a Window02 that
// has no section: it is left out with a warning and takes none of the panel's 32 places, so the last
// Fixed Window of a full panel is still read (and not lost on the next save).
TEST(FoundInputs, ATitleLeftOutForWantOfASectionDoesNotCostAFixedWindow) {
    std::string titles = "[Window Titles]\nWindow00=MAIN\nWindow01=Radio Window02=spare\n";
    std::string sections = "[Window00]\nsize_mm=100\n\n[Window01]\nsize_mm=100\n\n";
    for (int f = 0; f < 30; ++f) {
        titles += "Fixed Window" + std::to_string(10 + f) + "=View " + std::to_string(f) + "\n";
        sections += "[Fixed Window" + std::to_string(10 + f) + "]\nfile=v.bmp\n\n";
    }
    Panel panel = Read(titles + "\n" + sections);
    ASSERT_EQ(panel.windowCount, 32);
    EXPECT_GE(FindFixedWindow(panel, 39), 0);
    Panel again = Read(Save(panel));
    EXPECT_EQ(again.windowCount, 32);
    EXPECT_GE(FindFixedWindow(again, 39), 0);
}

// A Fixed Window's section kept without its title ("[Fixed Window20]") holds that window's key past the
// titles. The Fixed Windows with higher numbers still have their titles and are read, on the first
// read and after a save that added some.
TEST(FoundInputs, ASectionKeptWithoutItsTitleDoesNotCostTheFixedWindowsAfterIt) {
    const std::string text = "[Window Titles]\nWindow00=MAIN\nFixed Window30=Right\n\n[Window00]\nsize_mm=100\n\n"
                             "[Fixed Window20]\nfile=old.bmp\n\n[Fixed Window30]\nfile=right.bmp\n";
    Panel panel = Read(text);
    ASSERT_EQ(panel.windowCount, 2);
    EXPECT_GE(FindFixedWindow(panel, 30), 0);
    ASSERT_GE(CreateFixedWindowForView(panel, 6, "left.bmp"), 0);
    const std::string saved = Save(panel);
    EXPECT_NE(saved.find("[Fixed Window20]\r\nfile=old.bmp"), std::string::npos) << saved;
    Panel again = Read(saved);
    EXPECT_EQ(again.windowCount, 3) << saved;
    EXPECT_GE(FindFixedWindow(again, again.views[6].index), 0);
}

// Damaged files the views fuzzer cut down: header keys inside other lines, a second line or section for
// the same key, a title holding the key of a window the save does not write and a kept line holding
// that window's header. Every view given a Fixed Window, the saved panel reads back with the same windows and
// views.
TEST(FoundInputs, DamagedHeadersAndRepeatedSectionsSaveToAPanelThatReadsBackAlike) {
    const char* const texts[] = {
        "Titles]\nTitles]\n[Titles]",
        "Titles]Window00eWindow01=Window02Window03Window04Window05[Window04[Window05\n[Window05\n[Window00]",
        "Titles]Window00Window01Window02=Window04Window03\n[Window04\n[Window01[Window02\n[Window04",
        " Titles]Window00Window01Window02=Window04Window03[Window01[Window02[Window04\ne[Window04t",
        "**Titles]Window00=Window02Window03Window01i[W\nWindow04=--\n[Window00\n[Window04",
    };
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        Panel panel = Read(text);
        for (int v = 1; v < kViewCount; ++v) {
            if (FindFixedWindow(panel, panel.views[v].index) < 0) CreateFixedWindowForView(panel, v, "view.bmp");
        }
        const std::string saved = Save(panel);
        Panel again = Read(saved);
        EXPECT_EQ(again.windowCount, panel.windowCount) << saved;
        for (int v = 0; v < kViewCount; ++v) {
            EXPECT_EQ(again.views[v].index, panel.views[v].index) << v;
            EXPECT_EQ(FindFixedWindow(again, again.views[v].index) < 0, FindFixedWindow(panel, panel.views[v].index) < 0)
                << v;
        }
    }
}

}  // namespace

}  // namespace brindle
