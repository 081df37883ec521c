#include <gtest/gtest.h>

#include <memory>

#include "platform/messages.h"
#include "view/editing.h"

namespace brindle {
namespace {

using Entry = RecordingMessageUi::Entry;

// A loaded gauge with a 20 x 20 element 0, drawn `width` wide (and `height` high when given).
ViewGauge Gauge(double x, double y, double width, double height = 0, const std::string& name = "Mod!G") {
    ViewGauge g;
    g.name = name;
    g.x = x;
    g.y = y;
    g.slots[0].bitmap = std::make_shared<const Image>(20, 20, kWhite);
    g.slots[0].bitmapWidth = 20;
    g.slots[0].bitmapHeight = 20;
    g.slots[0].typeFlag = 1;
    g.designWidth = 20;
    g.version = 700;
    g.loaded = true;
    g.widthPresent = true;
    g.heightPresent = height != 0;
    g.SetWidth(width, kModeFS2000);
    g.SetHeight(height, kModeFS2000);
    return g;
}

ViewGauge Selected(ViewGauge g) {
    g.selected = true;
    return g;
}

class EditingTest : public ::testing::Test {
  protected:
    EditingTest() : view(settings), ctl(view) {
        settings.SetMode(kModeFS2000);
        settings.SetDrawAllBitmaps(0);
        // Inserted gauges get a 20 x 20 element drawn 40 wide, as a module's gauge would.
        ctl.SetGaugeLoader([this](ViewGauge& g) {
            loads.push_back(g.name);
            g.slots[0].bitmapWidth = g.slots[0].bitmapHeight = 20;
            g.loaded = true;
            g.widthPresent = true;
            g.SetWidth(40, settings.Mode());
        });
    }

    void Show(std::vector<ViewGauge> gauges, double zoom = 1.0, int windowIndex = 0) {
        ViewWindow w;
        w.gauges = std::move(gauges);
        Renumber(w.gauges);
        ShownWindow info;
        info.index = windowIndex;
        info.sizeMmX = 400;
        info.sizeMmY = 300;
        info.sizeMmPresent = info.sizeMmYPresent = true;
        view.ShowRecords(std::move(w), info);
        view.Geometry().SetClientSize({400, 300});
        view.SetZoom(zoom);
        ctl.WindowChanged();
    }

    ViewGauge& G(int i) { return view.Gauges()[static_cast<size_t>(i)]; }
    std::vector<int> Sel() const { return SelectedIndexes(view.Gauges()); }

    // Button down at `from`, the first movement there, a move to `to`, button up.
    void Drag(ViewPoint from, ViewPoint to, Modifiers m = {}) {
        ctl.LeftDown(from, m);
        ctl.MouseMove(from, m);
        ctl.MouseMove(to, m);
        ctl.LeftUp(to, m);
    }

    Settings settings;
    PanelView view;
    EditingController ctl;
    RecordingMessageUi ui;
    ScopedMessageUi scoped{ui};
    std::vector<std::string> loads;
};

TEST_F(EditingTest, ClickSelectsTheTopmostGaugeAndCtrlToggles) {
    Show({Gauge(0, 0, 40), Gauge(20, 20, 40), Gauge(200, 200, 40)});
    EditOutput out = ctl.LeftDown({30, 30}, {});
    EXPECT_EQ(Sel(), std::vector<int>{1});
    EXPECT_EQ(out.capture, MouseCapture::kCapture);
    EXPECT_FALSE(out.repaints.empty());
    ctl.LeftUp({30, 30}, {});

    ctl.LeftDown({210, 210}, {.ctrl = true});
    ctl.LeftUp({210, 210}, {});
    EXPECT_EQ(Sel(), (std::vector<int>{1, 2}));
    // A plain click on a selected gauge keeps the selection (ready to drag them all).
    ctl.LeftDown({210, 210}, {});
    ctl.LeftUp({210, 210}, {});
    EXPECT_EQ(Sel(), (std::vector<int>{1, 2}));
    ctl.LeftDown({210, 210}, {.ctrl = true});
    ctl.LeftUp({210, 210}, {});
    EXPECT_EQ(Sel(), std::vector<int>{1});
    // A click beside every gauge deselects all.
    ctl.LeftDown({390, 10}, {});
    EXPECT_TRUE(Sel().empty());
}

TEST_F(EditingTest, FirstPressSelectsWithoutMovingASecondPressDrags) {
    Show({Gauge(100, 100, 40)});
    Drag({120, 120}, {140, 135});
    EXPECT_EQ(G(0).x, 100);
    EXPECT_TRUE(G(0).selected);
    EXPECT_FALSE(ctl.UndoState().UndoAvailable());

    ctl.LeftDown({120, 120}, {});
    ctl.MouseMove({120, 120}, {});
    EXPECT_EQ(ctl.DragMode(), 2);
    EditOutput out = ctl.MouseMove({140, 135}, {});
    EXPECT_EQ(G(0).x, 120);
    EXPECT_EQ(G(0).y, 115);
    EXPECT_TRUE(out.modified);
    EXPECT_EQ(out.status, kMoveStatusText);
    EXPECT_EQ(out.cursor, CursorKind::kMove);
    EXPECT_TRUE(ctl.PaneState().moving);
    EXPECT_EQ(ctl.PaneState().originX, 120);
    EXPECT_TRUE(view.MovingGauges());
    // Ctrl held stops the move.
    ctl.MouseMove({150, 135}, {.ctrl = true});
    EXPECT_EQ(G(0).x, 120);
    out = ctl.LeftUp({150, 135}, {});
    EXPECT_EQ(out.status, kReadyStatusText);
    EXPECT_EQ(out.capture, MouseCapture::kRelease);
    EXPECT_FALSE(view.MovingGauges());
    EXPECT_TRUE(ctl.UndoState().UndoAvailable());

    // Far off to the left the gauge stops at -500.
    Drag({135, 130}, {-5000, 130});
    EXPECT_EQ(G(0).x, -500);
}

TEST_F(EditingTest, OnePixelDragFollowsTheZoom) {
    struct Case {
        double zoom;
        double expectedX;
    } cases[] = {{0.5, 102}, {4.0, 101}, {1.0, 101}};
    for (const Case& c : cases) {
        Show({Selected(Gauge(100, 100, 40))}, c.zoom);
        const ViewPoint inside{static_cast<int>(120 * c.zoom), static_cast<int>(120 * c.zoom)};
        Drag(inside, {inside.x + 1, inside.y});
        EXPECT_EQ(G(0).x, c.expectedX) << c.zoom;
        EXPECT_EQ(G(0).y, 100) << c.zoom;
    }
}

TEST_F(EditingTest, ResizeWithTheHandlesByMode) {
    // Bottom-right handle dragged left of the gauge: 10 wide; the implicit height becomes explicit.
    Show({Selected(Gauge(100, 100, 40))});
    ctl.LeftDown({139, 139}, {});
    EditOutput out = ctl.MouseMove({139, 139}, {});
    EXPECT_EQ(ctl.DragMode(), 1);
    EXPECT_EQ(out.cursor, CursorKind::kSizeNWSE);
    out = ctl.MouseMove({105, 150}, {});
    EXPECT_EQ(G(0).Width(), 10);
    EXPECT_EQ(G(0).Height(), 50);
    EXPECT_EQ(out.status, kResizeStatusText);
    EXPECT_TRUE(out.modified);
    GaugePaneState pane = ctl.PaneState();
    EXPECT_TRUE(pane.resizing);
    EXPECT_EQ(pane.sizeWidth, 10);
    EXPECT_EQ(pane.sizeHeight, 50);
    ctl.LeftUp({105, 150}, {});

    // Shift on a corner gives the bitmap's aspect back.
    ctl.LeftDown({109, 149}, {});
    ctl.MouseMove({109, 149}, {});
    ctl.MouseMove({120, 149}, {.shift = true});
    ctl.LeftUp({120, 149}, {});
    EXPECT_EQ(G(0).Height(), 0);
    EXPECT_EQ(G(0).Width(), 50);

    // FS98: no edge handles; a corner drag changes the width only.
    settings.SetMode(kModeFS98);
    Show({Selected(Gauge(100, 100, 40))});
    EXPECT_EQ(ctl.MouseMove({138, 120}, {}).cursor, CursorKind::kArrow);
    settings.SetMode(kModeFS2000);
    EXPECT_EQ(ctl.MouseMove({138, 120}, {}).cursor, CursorKind::kSizeWE);
    EXPECT_EQ(ctl.MouseMove({120, 120}, {}).cursor, CursorKind::kMove);
    settings.SetMode(kModeFS98);
    Drag({139, 139}, {160, 200});
    EXPECT_EQ(G(0).Width(), 60);
    EXPECT_EQ(G(0).Height(), 0);
    EXPECT_EQ(G(0).YScale(), G(0).XScale());
}

TEST_F(EditingTest, RubberBandSelectsWhatLiesEntirelyInside) {
    Show({Gauge(50, 50, 20), Gauge(100, 100, 40), Gauge(120, 20, 40), Gauge(300, 200, 20)});
    ctl.LeftDown({40, 40}, {});
    EXPECT_TRUE(ctl.MouseMove({40, 40}, {}).bandXor.empty());
    EXPECT_EQ(ctl.DragMode(), 3);
    EditOutput out = ctl.MouseMove({130, 130}, {});
    EXPECT_EQ(out.bandXor, (std::vector<PixelRect>{{40, 40, 130, 130}}));
    out = ctl.MouseMove({145, 145}, {});
    EXPECT_EQ(out.bandXor, (std::vector<PixelRect>{{40, 40, 130, 130}, {40, 40, 145, 145}}));
    ctl.LeftUp({145, 145}, {});
    EXPECT_TRUE(ctl.BandDrawn());
    EXPECT_TRUE(Sel().empty());
    // The next move erases the band and selects what it holds.
    out = ctl.MouseMove({146, 146}, {});
    EXPECT_EQ(out.bandXor, (std::vector<PixelRect>{{40, 40, 145, 145}}));
    EXPECT_FALSE(ctl.BandDrawn());
    EXPECT_EQ(Sel(), (std::vector<int>{0, 1}));

    // Dragged up and left the band works the same.
    Show({Gauge(50, 50, 20), Gauge(100, 100, 40)});
    Drag({80, 80}, {45, 45});
    ctl.MouseMove({0, 0}, {});
    EXPECT_EQ(Sel(), std::vector<int>{0});
}

TEST_F(EditingTest, ArrowsAndSizeKeysRecordOneStepPerKeyDown) {
    Show({Selected(Gauge(100, 100, 40)), Gauge(200, 200, 40)});
    EditOutput out = ctl.KeyDown(EditKey::kRight, 3);
    EXPECT_EQ(G(0).x, 103);
    EXPECT_TRUE(out.modified);
    EXPECT_TRUE(ctl.PaneState().moving);
    ctl.KeyDown(EditKey::kRight, 1, true);
    ctl.KeyDown(EditKey::kUp, 1, true);
    EXPECT_EQ(G(0).x, 104);
    EXPECT_EQ(G(0).y, 99);
    EXPECT_EQ(G(1).x, 200);
    ctl.Undo();
    EXPECT_EQ(G(0).x, 104);
    EXPECT_EQ(G(0).y, 100);

    // The main keyboard's '=' grows only with Shift (the '+'), its '-' shrinks only without.
    ctl.KeyDown(EditKey::kKeypadPlus);
    EXPECT_EQ(G(0).Width(), 41);
    ctl.KeyDown(EditKey::kEquals);
    EXPECT_EQ(G(0).Width(), 41);
    ctl.KeyDown(EditKey::kShift);
    ctl.KeyDown(EditKey::kEquals);
    EXPECT_EQ(G(0).Width(), 42);
    ctl.KeyDown(EditKey::kMinus);
    EXPECT_EQ(G(0).Width(), 42);
    ctl.KeyUp(EditKey::kShift);
    out = ctl.KeyDown(EditKey::kMinus);
    EXPECT_EQ(G(0).Width(), 41);
    EXPECT_TRUE(out.modified);
    EXPECT_TRUE(ctl.UndoState().UndoAvailable());

    // The keyboard goes below the mouse's limit of 10: at width 0 the gauge has no handles.
    G(0).SetWidth(1, kModeFS2000);
    ctl.KeyDown(EditKey::kKeypadMinus);
    EXPECT_EQ(G(0).Width(), 0);
    EXPECT_EQ(HandleAt(G(0), {100, 100}, kModeFS2000), kHandleInterior);

    // Escape deselects; then the keys change nothing and keep the undo step.
    ctl.Undo();
    ctl.KeyDown(EditKey::kEscape);
    EXPECT_TRUE(Sel().empty());
    out = ctl.KeyDown(EditKey::kLeft);
    EXPECT_FALSE(out.modified);
    EXPECT_TRUE(ctl.UndoState().RedoAvailable());
}

TEST_F(EditingTest, TabStepsOverDeletedGaugesAndWraps) {
    Show({Selected(Gauge(0, 0, 10)), Gauge(20, 0, 10), Gauge(40, 0, 10)});
    G(1).deleted = true;
    ctl.KeyDown(EditKey::kTab);
    EXPECT_EQ(Sel(), std::vector<int>{2});
    ctl.KeyDown(EditKey::kTab);
    EXPECT_EQ(Sel(), std::vector<int>{0});
    ctl.KeyDown(EditKey::kShift);
    ctl.KeyDown(EditKey::kTab);
    EXPECT_EQ(Sel(), std::vector<int>{2});
    ctl.KeyUp(EditKey::kShift);
    // With two selected, Tab does nothing.
    G(0).selected = true;
    ctl.KeyDown(EditKey::kTab);
    EXPECT_EQ(Sel(), (std::vector<int>{0, 2}));
}

TEST_F(EditingTest, DeleteKeyAndCommandCompactTheList) {
    Show({Selected(Gauge(0, 0, 10, 0, "A")), Gauge(20, 0, 10, 0, "B"), Selected(Gauge(40, 0, 10, 0, "C"))});
    EditOutput out = ctl.KeyDown(EditKey::kDelete);
    ASSERT_EQ(view.Gauges().size(), 1u);
    EXPECT_EQ(G(0).name, "B");
    EXPECT_EQ(G(0).index, 0);
    EXPECT_TRUE(out.modified);
    ctl.Undo();
    EXPECT_EQ(view.Gauges().size(), 3u);
    EXPECT_EQ(Sel(), (std::vector<int>{0, 2}));
    ctl.Execute(static_cast<int>(Cmd::Delete));
    EXPECT_EQ(view.Gauges().size(), 1u);
}

TEST_F(EditingTest, DrawingOrderCommandsWarnAndRecordNoUndo) {
    Show({Gauge(0, 0, 10, 0, "A"), Gauge(20, 0, 10, 0, "B"), Selected(Gauge(40, 0, 10, 0, "C"))});
    EditOutput out = ctl.Execute(static_cast<int>(Cmd::MoveUp));
    EXPECT_FALSE(out.modified);
    out = ctl.Execute(static_cast<int>(Cmd::MoveToBack));
    EXPECT_TRUE(out.modified);
    EXPECT_EQ(G(0).name, "C");
    ctl.Execute(static_cast<int>(Cmd::MoveDown));
    G(1).selected = true;
    ctl.Execute(static_cast<int>(Cmd::MoveToFront));
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"This Gauge is already on the top\nand the last drawn!",
                                        "This Gauge is already Gauge 00\nand the first drawn!",
                                        "Multiple Gauges are selected, I can only move one at a time!"}));
    EXPECT_FALSE(ctl.UndoState().UndoAvailable());
}

TEST_F(EditingTest, ArrangementCommandsMeasureImplicitHeightsOnTheView) {
    // Implicit heights: 40 drawn at zoom 2 is still 40 units.
    Show({Selected(Gauge(10, 10, 40)), Selected(Gauge(60, 90, 40)), Selected(Gauge(30, 40, 40))}, 2.0);
    EditOutput out = ctl.StackVertically();
    EXPECT_EQ(G(2).y, 50);
    EXPECT_EQ(G(1).y, 90);
    EXPECT_EQ(G(1).x, 10);
    EXPECT_TRUE(out.modified);
    EXPECT_EQ(out.repaints.back(), (Repaint{{}, true, true}));

    ctl.Undo();
    out = ctl.LineUpVertically();
    EXPECT_EQ(G(1).x, 10);
    EXPECT_EQ(G(2).x, 10);
    EXPECT_EQ(out.repaints.back(), (Repaint{{}, true, false}));

    settings.SetGridSize(25);
    G(0).x = 13;
    G(0).y = -13;
    ctl.SnapSelectedToGrid();
    EXPECT_EQ(G(0).x, 25);
    EXPECT_EQ(G(0).y, 0);
}

TEST_F(EditingTest, SameSizeWithOneSelectedWithdrawsTheUndoStep) {
    Show({Selected(Gauge(0, 0, 40)), Gauge(100, 0, 60)});
    ctl.KeyDown(EditKey::kRight);
    ASSERT_TRUE(ctl.UndoState().UndoAvailable());
    EditOutput out = ctl.Execute(static_cast<int>(Cmd::SameSizeLargest));
    EXPECT_FALSE(out.modified);
    EXPECT_FALSE(ctl.UndoState().UndoAvailable());
    CommandContext ctx;
    ctx.panelLoaded = true;
    ctl.FillCommandContext(ctx);
    EXPECT_FALSE(EvaluateCommand(Cmd::Undo, ctx).enabled);

    G(1).selected = true;
    out = ctl.Execute(static_cast<int>(Cmd::SameSizeLargestContext));
    EXPECT_TRUE(out.modified);
    EXPECT_EQ(G(0).Width(), 60);
    EXPECT_TRUE(ctl.UndoState().UndoAvailable());
    ctl.Undo();
    EXPECT_EQ(G(0).Width(), 40);
}

TEST_F(EditingTest, CopyCutAndPasteThroughTheGaugeClipboard) {
    Show({Selected(Gauge(0, 0, 40, 0, "Mod!A")), Gauge(50, 0, 40, 0, "Mod!B"),
          Selected(Gauge(0, 50, 40, 0, "Mod!C"))});
    ctl.Copy();
    EXPECT_EQ(settings.GaugeClipboard(), (std::vector<std::string>{"Mod!A", "Mod!C"}));
    ctl.Cut();
    ASSERT_EQ(view.Gauges().size(), 1u);
    ctl.Copy();  // nothing selected: the clipboard stays
    EXPECT_EQ(settings.GaugeClipboardCount(), 2);

    // Into an empty window: centre (200, 150) + 10, + 20, + 30.
    Show({});
    settings.GaugeClipboard().push_back("Other!X");
    EditOutput out = ctl.Paste();
    ASSERT_EQ(view.Gauges().size(), 3u);
    EXPECT_EQ(loads, (std::vector<std::string>{"Mod!A", "Mod!C", "Other!X"}));
    const double expected[][2] = {{210, 160}, {220, 170}, {230, 180}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(G(i).x, expected[i][0]);
        EXPECT_EQ(G(i).y, expected[i][1]);
        EXPECT_EQ(G(i).index, i);
        EXPECT_TRUE(G(i).selected);
        EXPECT_EQ(G(i).Width(), 40);
    }
    EXPECT_TRUE(out.modified);
    // Undo takes the pasted gauges away and Redo brings every one of them back.
    ctl.Undo();
    EXPECT_TRUE(view.Gauges().empty());
    ctl.Redo();
    ASSERT_EQ(view.Gauges().size(), 3u);
    EXPECT_EQ(G(2).name, "Other!X");
    // A second paste deselects the first.
    ctl.Paste();
    EXPECT_EQ(Sel(), (std::vector<int>{3, 4, 5}));
}

TEST_F(EditingTest, AGaugeKeepsWhatItsLineHeldThroughEditsAndAPastedCopyTakesItsWholeReference) {
    const std::string longRef = "Mod!" + std::string(120, 'g');
    ViewGauge clock = Gauge(0, 0, 40, 0, longRef.substr(0, kMaxViewGaugeNameLength));
    clock.kept.fullName = longRef;
    clock.kept.tail = ",7";
    clock.kept.commentsAbove = {"// the clock"};
    Show({Selected(clock), Gauge(50, 0, 40, 0, "Mod!B")});
    ctl.MoveInDrawingOrder(OrderMove::kToFront);
    ASSERT_EQ(G(1).kept.tail, ",7");
    ctl.Copy();
    EXPECT_EQ(settings.GaugeClipboard(), std::vector<std::string>{longRef});
    ctl.Paste();
    ASSERT_EQ(view.Gauges().size(), 3u);
    // The copy is a new line of the same gauge: the whole reference, not the old line's extras.
    EXPECT_EQ(G(2).FullName(), longRef);
    EXPECT_TRUE(G(2).kept.tail.empty());
    EXPECT_TRUE(G(2).kept.commentsAbove.empty());
    ctl.Undo();
    PanelWindow pw;
    view.StorePanelWindow(pw);
    ASSERT_EQ(pw.gaugeCount, 2);
    EXPECT_EQ(pw.gauges[1].kept, clock.kept);
    EXPECT_EQ(pw.gauges[1].FullName(), longRef);
    EXPECT_TRUE(pw.gauges[0].kept.empty());
}

TEST_F(EditingTest, InsertionLimitsAndDuplicates) {
    settings.SetMode(kModeFS98);
    Show({Gauge(0, 0, 40, 0, "Mod!A")});
    settings.GaugeClipboard() = {"mod!a", "Mod!B"};
    ctl.Paste();
    ASSERT_EQ(view.Gauges().size(), 2u);
    EXPECT_EQ(G(1).name, "Mod!B");
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{"This Window already has a gauge named \"mod!a\"    \n\nYou can "
                                       "only have one instance of a Gauge in FS98"});

    // Add Gauge: its own duplicate message; the dialog's refusals add nothing.
    ui.entries.clear();
    ctl.AddGauge([] { return std::optional<std::string>("MOD!B"); });
    ctl.AddGauge([] { return std::optional<std::string>(kNotFs98Compatible); });
    ctl.AddGauge([] { return std::optional<std::string>("NOT FS98 COMPATIBLE!"); });
    ctl.AddGauge([] { return std::optional<std::string>(); });
    EXPECT_EQ(view.Gauges().size(), 2u);
    EXPECT_EQ(ui.texts(),
              std::vector<std::string>{"You cannot have more than one instance of any gauge on a panel "
                                       "in FS98.\nGauge 'MOD!B' already exists on this panel."});
    ctl.AddGauge([] { return std::optional<std::string>("Mod!C"); });
    ASSERT_EQ(view.Gauges().size(), 3u);
    EXPECT_EQ(G(2).x, 200);
    EXPECT_EQ(G(2).y, 150);
    EXPECT_EQ(Sel(), std::vector<int>{2});
    EXPECT_EQ(ctl.UndoState().Snapshot().size(), 1u);  // Add Gauge records no step: still the paste's

    // 64 gauges in FS98: the warning before the dialog, then the insertion refuses.
    std::vector<ViewGauge> many;
    for (int i = 0; i < 64; ++i) many.push_back(Gauge(i, 0, 10, 0, "M!" + std::to_string(i)));
    Show(many);
    ui.entries.clear();
    bool dialogRan = false;
    ctl.AddGauge([&] {
        dialogRan = true;
        return std::optional<std::string>("Mod!New");
    });
    EXPECT_TRUE(dialogRan);
    EXPECT_EQ(view.Gauges().size(), 64u);
    EXPECT_EQ(ui.texts(),
              (std::vector<std::string>{"Warning! FS98 has a limit of 64 gauges on a window.",
                                        "You have reached your FS98 limit of 64 gauges on this window."}));

    // Other modes take duplicates, but no window takes a 129th gauge.
    settings.SetMode(kModeFS2000);
    for (int i = 64; i < 127; ++i) many.push_back(Gauge(i, 0, 10, 0, "M!" + std::to_string(i)));
    Show(many);
    settings.GaugeClipboard() = {"M!1", "M!1"};
    ui.entries.clear();
    ctl.Paste();
    EXPECT_EQ(view.Gauges().size(), 128u);
    EXPECT_EQ(ui.texts(), std::vector<std::string>{WindowFullMessage("M!1")});
    EXPECT_EQ(G(127).name, "M!1");
}

TEST_F(EditingTest, UndoAndRedoAlternateAfterADrag) {
    Show({Selected(Gauge(100, 100, 40))});
    Drag({120, 120}, {140, 120});
    ASSERT_EQ(G(0).x, 120);
    EXPECT_TRUE(ctl.Undo().modified);
    EXPECT_EQ(G(0).x, 100);
    EXPECT_FALSE(ctl.UndoState().UndoAvailable());
    ctl.Redo();
    EXPECT_EQ(G(0).x, 120);
    ctl.Undo();
    EXPECT_EQ(G(0).x, 100);
    EXPECT_EQ(ctl.Redo().repaints.back(), (Repaint{{}, true, false}));
    EXPECT_EQ(G(0).x, 120);

    // The step belongs to its window: after another window is shown there is nothing to undo.
    Show({Selected(Gauge(5, 5, 40))}, 1.0, 1);
    EXPECT_FALSE(ctl.Undo().modified);
    EXPECT_EQ(G(0).x, 5);
    ctl.KeyDown(EditKey::kRight);
    view.ShowRecords(view.Window(), ShownWindow{});  // index -1, without telling the controller
    EXPECT_FALSE(ctl.Undo().modified);
    EXPECT_EQ(G(0).x, 6);
}

TEST_F(EditingTest, RightButtonAndContextMenus) {
    Show({Gauge(0, 0, 40), Gauge(100, 0, 40)});
    EXPECT_FALSE(ctl.RightDown({5, 5}, {}).consumed);
    EditOutput out = ctl.ContextMenu(ViewPoint{50, 60}, {});
    ASSERT_EQ(out.requests.size(), 1u);
    EXPECT_EQ(out.requests[0].kind, EditRequestKind::kContextMenu);
    EXPECT_EQ(out.requests[0].menu, kMenuNoGauge);
    EXPECT_EQ(out.requests[0].at, (ViewPoint{50, 60}));
    G(0).selected = true;
    EXPECT_TRUE(ctl.RightDown({5, 5}, {}).consumed);
    out = ctl.ContextMenu(std::nullopt, {});
    EXPECT_EQ(out.requests[0].menu, kMenuOneGauge);
    EXPECT_EQ(out.requests[0].at, (ViewPoint{10, 10}));
    G(1).selected = true;
    EXPECT_EQ(ctl.ContextMenu(ViewPoint{1, 1}, {}).requests[0].menu, kMenuSeveralGauges);
    EXPECT_TRUE(ctl.ContextMenu(ViewPoint{1, 1}, {.shift = true}).requests.empty());
    view.Clear();
    EXPECT_TRUE(ctl.ContextMenu(ViewPoint{1, 1}, {}).requests.empty());
}

TEST_F(EditingTest, SpaceClicksZoomWithoutTouchingTheSelection) {
    Show({Selected(Gauge(100, 100, 40))});
    EditOutput out = ctl.LeftDown({110, 110}, {.ctrl = true, .space = true});
    ASSERT_EQ(out.requests.size(), 1u);
    EXPECT_EQ(out.requests[0].kind, EditRequestKind::kZoomIn);
    ctl.MouseMove({110, 110}, {});
    ctl.MouseMove({150, 150}, {});
    ctl.LeftUp({150, 150}, {});
    EXPECT_EQ(G(0).x, 100);
    EXPECT_TRUE(G(0).selected);
    EXPECT_EQ(ctl.LeftDown({300, 300}, {.alt = true, .space = true}).requests[0].kind,
              EditRequestKind::kZoomOut);
    EXPECT_TRUE(G(0).selected);
}

TEST_F(EditingTest, DoubleClickAndPropertiesOpenTheDialogWithTheFocusCross) {
    Show({Gauge(0, 0, 40), Gauge(100, 0, 40), Gauge(200, 0, 40)});
    G(2).loaded = false;
    std::vector<int> opened;
    ctl.SetPropertiesHandler([&](int i) {
        EXPECT_TRUE(G(i).focus);
        opened.push_back(i);
    });
    ctl.LeftDoubleClick({110, 10}, {});  // nothing selected
    EXPECT_TRUE(opened.empty());
    ctl.LeftDown({110, 10}, {});
    ctl.LeftUp({110, 10}, {});
    ctl.LeftDoubleClick({110, 10}, {});
    EXPECT_EQ(opened, std::vector<int>{1});
    EXPECT_FALSE(G(1).focus);

    opened.clear();
    G(0).selected = G(2).selected = true;
    ctl.Execute(static_cast<int>(Cmd::GaugeProperties));
    EXPECT_EQ(opened, (std::vector<int>{0, 1, 2}));
    EXPECT_TRUE(G(2).focus);  // not loaded: it keeps the cross
}

TEST_F(EditingTest, CommandStatesFollowSelectionClipboardAndUndo) {
    Show({Gauge(0, 0, 40), Gauge(100, 0, 40)});
    // The command rules with what the controller knows, as the editor asks them.
    auto enabled = [&](int id) {
        CommandContext ctx;
        ctx.panelLoaded = true;
        ctl.FillCommandContext(ctx);
        return EvaluateCommand(static_cast<Cmd>(id), ctx).enabled;
    };
    EXPECT_FALSE(enabled(static_cast<int>(Cmd::Copy)));
    EXPECT_FALSE(enabled(static_cast<int>(Cmd::PasteTool)));
    EXPECT_FALSE(enabled(static_cast<int>(Cmd::Undo)));
    EXPECT_TRUE(enabled(static_cast<int>(Cmd::SelectAll)));
    // Zooming is the view's, not the controller's.
    EXPECT_FALSE(ctl.Execute(static_cast<int>(Cmd::ZoomIn)).handled);
    ctl.Execute(static_cast<int>(Cmd::SelectAll));
    EXPECT_EQ(Sel(), (std::vector<int>{0, 1}));
    EXPECT_TRUE(enabled(static_cast<int>(Cmd::StackHorizontally)));
    EXPECT_TRUE(enabled(static_cast<int>(Cmd::SameSizeLargestContext)));
    EXPECT_FALSE(enabled(static_cast<int>(Cmd::GaugeProperties)));
    ctl.Execute(static_cast<int>(Cmd::Copy));
    EXPECT_TRUE(enabled(static_cast<int>(Cmd::Paste)));
    ctl.Execute(static_cast<int>(Cmd::HideGaugeBitmaps));
    EXPECT_FALSE(enabled(static_cast<int>(Cmd::HideGaugeBitmaps)));
    EXPECT_TRUE(enabled(static_cast<int>(Cmd::UnhideGaugeBitmaps)));
    ctl.Execute(static_cast<int>(Cmd::AspectRatio));
    EXPECT_TRUE(enabled(static_cast<int>(Cmd::Undo)));
    EXPECT_FALSE(enabled(static_cast<int>(Cmd::Redo)));

    CommandContext ctx;
    ctl.FillCommandContext(ctx);
    EXPECT_EQ(ctx.selectedCount, 2);
    EXPECT_EQ(ctx.gaugeCount, 2);
    EXPECT_EQ(ctx.clipboardCount, 2);
    EXPECT_TRUE(ctx.undoAvailable);
    EXPECT_FALSE(ctl.Execute(12345).handled);

    // Copy Gauge Bitmap: the last selected gauge's element 0.
    EXPECT_EQ(ctl.GaugeBitmapForClipboard(), G(1).slots[0].bitmap);
    G(1).selected = false;
    EXPECT_EQ(ctl.GaugeBitmapForClipboard(), G(0).slots[0].bitmap);
}

}  // namespace
}  // namespace brindle
