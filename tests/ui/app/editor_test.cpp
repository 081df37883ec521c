// The whole editor window driven as a user would: open the demo panel, switch windows, drag and
// nudge a gauge, undo, save, and read the saved file back.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/menu.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <set>

#include "app/commands.h"
#include "app/window_list.h"
#include "dialog_keys.h"
#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "ui/app/actions.h"
#include "ui/app/command_handlers.h"
#include "ui/app/main_frame.h"
#include "ui/app/startup.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"
#include "ui/view/panel_canvas.h"

namespace fs = std::filesystem;
using brindle::Cmd;

namespace {

class EditorWindow : public ::testing::Test {
  protected:
    void SetUp() override {
        // Tests may run in parallel processes: each gets its own copy of the sample folder.
        dir_ = fs::path(::testing::TempDir()) /
               ("brindle_editor_" +
                std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" +
                std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        fs::copy(fs::path(BRINDLE_SAMPLES_DIR) / "FS2000", dir_ / "FS2000", fs::copy_options::recursive);
        panel_ = (dir_ / "FS2000" / "Aircraft" / "Demo" / "Panel" / "panel.cfg").string();

        oldConfig_ = wxConfigBase::Set(new wxFileConfig(
            "Brindle", "Brindle", (dir_ / "settings.ini").string(), "", wxCONFIG_USE_LOCAL_FILE));
        brindle::Settings& s = brindle::GlobalSettings();
        s.SetMode(brindle::kModeFS2000);
        s.SetFS2000Dir((dir_ / "FS2000").string());
        s.SetReload(0);
        s.SetCurrentFile("");
        s.SetZoom(1.0);

        w_ = StartEditor("");
        ASSERT_NE(w_.doc, nullptr);
        ASSERT_NE(w_.view, nullptr);
        w_.frame->SetSize(900, 700);
    }

    void TearDown() override {
        if (w_.manager) {
            w_.manager->Clear(true);
            w_.frame->Destroy();
            wxTheApp->ProcessIdle();
            delete w_.manager;
        }
        delete wxConfigBase::Set(oldConfig_);
        fs::remove_all(dir_);
    }

    CPanelCanvas* Canvas() { return w_.view->Canvas(); }

    void Mouse(wxEventType type, wxPoint at, bool leftDown) {
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.m_leftDown = leftDown;
        e.SetEventObject(Canvas());
        Canvas()->GetEventHandler()->ProcessEvent(e);
    }
    void Key(int code) {
        for (wxEventType type : {wxEVT_KEY_DOWN, wxEVT_KEY_UP}) {
            wxKeyEvent e(type);
            e.m_keyCode = code;
            e.m_isRepeat = false;  // the toolkit sets it on real events; the constructor leaves it unset
            e.SetEventObject(Canvas());
            Canvas()->GetEventHandler()->ProcessEvent(e);
        }
    }
    // The client point of panel units (x, y) in the shown window.
    wxPoint ClientOf(int x, int y) {
        brindle::ViewPoint v = w_.doc->View().Geometry().ToView({x, y});
        brindle::ViewPoint s = w_.doc->View().Geometry().ScrollPosition();
        return wxPoint(v.x - s.x, v.y - s.y);
    }
    const brindle::ViewGauge& Gauge(int i) { return w_.doc->View().Gauges().at(i); }

    fs::path dir_;
    std::string panel_;
    wxConfigBase* oldConfig_ = nullptr;
    EditorWindows w_;
    brindle::RecordingMessageUi messages_;
    brindle::ScopedMessageUi scoped_{messages_};
};

TEST_F(EditorWindow, OpenSwitchDragNudgeUndoSaveRoundTrip) {
    CBrindleDoc* doc = w_.doc;
    CBrindleView* view = w_.view;
    ASSERT_TRUE(doc->Doc().OpenAtWindow(panel_, 0));
    doc->Changed();
    ASSERT_NE(doc->View().Shown(), nullptr);
    EXPECT_EQ(doc->View().Shown()->index, 0);
    EXPECT_EQ(doc->View().Gauges().size(), 9u);
    EXPECT_TRUE(w_.frame->GetTitle().Contains("panel.cfg"));

    // The window list and switching through it.
    std::unique_ptr<wxMenu> list(view->BuildWindowMenu());
    ASSERT_EQ(list->GetMenuItemCount(), 2u);
    EXPECT_TRUE(list->FindItemByPosition(0)->IsChecked());
    EXPECT_TRUE(view->RunCommand(brindle::kWindowListFirstId + 1));
    EXPECT_EQ(doc->View().Shown()->index, 1);
    EXPECT_EQ(doc->settings().LastWindow(), 1);
    EXPECT_EQ(doc->View().Gauges().size(), 5u);
    EXPECT_TRUE(view->RunCommand(brindle::kWindowListFirstId));
    EXPECT_EQ(doc->View().Shown()->index, 0);
    EXPECT_FALSE(doc->IsModified());

    // At zoom 1 one pixel is one unit of this window (640 pixels for 640 units).
    doc->View().SetZoom(1.0);
    view->RefreshFrame();
    const int x0 = Gauge(0).x, y0 = Gauge(0).y;
    // Press inside the gauge, away from its handles.
    wxPoint at = ClientOf(x0 + 40, y0 + 40);

    // A click selects; a second press drags.
    Mouse(wxEVT_LEFT_DOWN, at, true);
    Mouse(wxEVT_LEFT_UP, at, false);
    EXPECT_TRUE(Gauge(0).selected);
    Mouse(wxEVT_LEFT_DOWN, at, true);
    Mouse(wxEVT_MOTION, at, true);
    for (int step = 1; step <= 6; ++step) Mouse(wxEVT_MOTION, at + wxPoint(5 * step, 2 * step), true);
    // One more step, painted by the toolkit's loop: only the gauge's old and new places.
    for (int i = 0; i < 50; ++i) wxTheApp->Yield(true);
    const long paints = Canvas()->PaintCount();
    const long long pixels = Canvas()->PaintedPixels();
    Mouse(wxEVT_MOTION, at + wxPoint(31, 12), true);
    for (int i = 0; i < 200 && Canvas()->PaintCount() == paints; ++i) wxTheApp->Yield(true);
    EXPECT_GT(Canvas()->PaintCount(), paints);
    const wxSize client = Canvas()->GetClientSize();
    EXPECT_LT(Canvas()->PaintedPixels() - pixels, static_cast<long long>(client.x) * client.y / 4);
    Mouse(wxEVT_MOTION, at + wxPoint(30, 12), true);
    Mouse(wxEVT_LEFT_UP, at + wxPoint(30, 12), false);
    EXPECT_EQ(Gauge(0).x, x0 + 30);
    EXPECT_EQ(Gauge(0).y, y0 + 12);
    EXPECT_TRUE(doc->IsModified());

    // Arrow keys nudge by one unit; Undo takes back the last step only.
    Key(WXK_RIGHT);
    Key(WXK_RIGHT);
    Key(WXK_DOWN);
    EXPECT_EQ(Gauge(0).x, x0 + 32);
    EXPECT_EQ(Gauge(0).y, y0 + 13);
    EXPECT_TRUE(view->StatusOf(int(Cmd::Undo)).enabled);
    EXPECT_TRUE(view->RunCommand(int(Cmd::Undo)));
    EXPECT_EQ(Gauge(0).y, y0 + 12);
    EXPECT_EQ(Gauge(0).x, x0 + 32);

    // Save writes the moved gauge; the other window is untouched.
    EXPECT_TRUE(view->RunCommand(int(Cmd::Save)));
    EXPECT_FALSE(doc->IsModified());
    brindle::Panel saved;
    ASSERT_TRUE(brindle::ReadPanelFile(panel_, doc->settings(), saved));
    ASSERT_EQ(saved.windows.size(), 2u);
    ASSERT_GE(saved.windows[0].gauges.size(), 1u);
    EXPECT_EQ(saved.windows[0].gauges[0].x, x0 + 32);
    EXPECT_EQ(saved.windows[0].gauges[0].y, y0 + 12);
    EXPECT_EQ(saved.windows[1].gauges.size(), 5u);
}

TEST_F(EditorWindow, CommandStatesFollowThePanelAndTheSelection) {
    CBrindleView* view = w_.view;
    // Nothing open: the panel commands are off, the window list is empty.
    EXPECT_FALSE(view->StatusOf(int(Cmd::Save)).enabled);
    EXPECT_FALSE(view->StatusOf(int(Cmd::SelectWindow)).enabled);
    EXPECT_FALSE(view->StatusOf(int(Cmd::Undo)).enabled);
    std::unique_ptr<wxMenu> empty(view->BuildWindowMenu());
    EXPECT_EQ(empty->GetMenuItemCount(), 0u);

    ASSERT_TRUE(w_.doc->Doc().OpenAtWindow(panel_, 0));
    w_.doc->Changed();
    EXPECT_TRUE(view->StatusOf(int(Cmd::Save)).enabled);
    EXPECT_TRUE(view->StatusOf(int(Cmd::SelectWindow)).enabled);
    EXPECT_FALSE(view->StatusOf(int(Cmd::Delete)).enabled);
    EXPECT_TRUE(view->RunCommand(int(Cmd::SelectAll)));
    EXPECT_TRUE(view->StatusOf(int(Cmd::Delete)).enabled);
    EXPECT_TRUE(view->StatusOf(int(Cmd::LineUpVertically)).enabled);
    // Dialogs still to come stay disabled rather than doing nothing.
    EXPECT_FALSE(view->StatusOf(int(Cmd::GaugeProperties)).enabled);

    // Adding a window shows it and lists it; deleting it (after the question) goes back to window 0.
    EXPECT_TRUE(view->RunCommand(int(Cmd::AddNewWindow)));
    EXPECT_EQ(w_.doc->View().Shown()->index, 2);
    EXPECT_TRUE(w_.doc->IsModified());
    std::unique_ptr<wxMenu> three(view->BuildWindowMenu());
    EXPECT_EQ(three->GetMenuItemCount(), 3u);
    messages_.answers = {brindle::Answer::Ok};
    EXPECT_TRUE(view->RunCommand(int(Cmd::DeleteCurrentWindow)));
    EXPECT_EQ(w_.doc->View().Shown()->index, 0);
    std::unique_ptr<wxMenu> two(view->BuildWindowMenu());
    EXPECT_EQ(two->GetMenuItemCount(), 2u);

    // The recent-file list keeps the last four.
    wxFileHistory* history = w_.manager->GetFileHistory();
    for (int i = 0; i < 6; ++i)
        w_.doc->AddToRecentFiles((dir_ / ("p" + std::to_string(i) + ".cfg")).string());
    ASSERT_EQ(history->GetCount(), 4u);
    EXPECT_TRUE(history->GetHistoryFile(0).EndsWith("p5.cfg"));

    // The context menus by selection.
    struct Case {
        int menu;
        int id;
        bool present;
    };
    const Case cases[] = {{brindle::kMenuNoGauge, int(Cmd::Fit), true},
                          {brindle::kMenuOneGauge, int(Cmd::MoveToFront), true},
                          {brindle::kMenuSeveralGauges, int(Cmd::StackVertically), true},
                          {brindle::kMenuSeveralGauges, int(Cmd::MoveToFront), false}};
    for (const Case& c : cases) {
        std::unique_ptr<wxMenu> m(view->BuildContextMenu(c.menu));
        EXPECT_EQ(m->FindItem(ToWxId(c.id)) != nullptr, c.present) << c.menu << " " << c.id;
    }
}

// A panel named on the command line (or dropped, or from the recent files) asks for its window in
// the Open Window dialog, which takes Enter; the title then names the aircraft and the window.
TEST_F(EditorWindow, OpenWindowTakesEnterAndTheTitleNamesTheAircraftAndTheWindow) {
    EXPECT_EQ(w_.frame->GetTitle(), "Brindle");
    NextDialogKey enter(WXK_RETURN);
    ASSERT_TRUE(w_.doc->OpenFile(panel_));
    ASSERT_NE(w_.doc->View().Shown(), nullptr);
    EXPECT_EQ(w_.doc->View().Shown()->index, 0);
    EXPECT_EQ(w_.frame->GetTitle().utf8_string(),
              "Brindle - Brindle Demo - \"Main Panel\" - Window00, " + panel_);
    ASSERT_TRUE(w_.view->RunCommand(brindle::kWindowListFirstId + 1));
    EXPECT_EQ(w_.frame->GetTitle().utf8_string(),
              "Brindle - Brindle Demo - \"Radio Stack\" - Window01, " + panel_);
}

// A double click on a gauge runs the Gauge Properties command's handler for that gauge, as the
// command does for the selected one; without a handler both do nothing.
TEST_F(EditorWindow, DoubleClickRunsGaugePropertiesThroughTheCommandTable) {
    ASSERT_TRUE(w_.doc->Doc().OpenAtWindow(panel_, 0));
    w_.doc->Changed();
    w_.doc->View().SetZoom(1.0);
    w_.view->RefreshFrame();
    const wxPoint at = ClientOf(Gauge(1).x + 20, Gauge(1).y + 20);
    auto doubleClick = [&] {
        Mouse(wxEVT_LEFT_DOWN, at, true);
        Mouse(wxEVT_LEFT_UP, at, false);
        Mouse(wxEVT_LEFT_DCLICK, at, true);
        Mouse(wxEVT_LEFT_UP, at, false);
    };
    doubleClick();
    EXPECT_TRUE(Gauge(1).selected);
    EXPECT_FALSE(w_.view->StatusOf(int(Cmd::GaugeProperties)).enabled);

    std::vector<int> opened;
    RegisterGaugeCommandHandler(Cmd::GaugeProperties, [&](CBrindleView&, int gauge) {
        EXPECT_TRUE(Gauge(gauge).focus);  // the cross marks it while its dialog is open
        opened.push_back(gauge);
    });
    doubleClick();
    EXPECT_EQ(opened, std::vector<int>{1});
    EXPECT_TRUE(w_.view->StatusOf(int(Cmd::GaugeProperties)).enabled);
    EXPECT_TRUE(w_.view->RunCommand(int(Cmd::GaugeProperties)));
    EXPECT_EQ(opened, (std::vector<int>{1, 1}));
    RegisterGaugeCommandHandler(Cmd::GaugeProperties, nullptr);
    doubleClick();
    EXPECT_EQ(opened.size(), 2u);
}

// Every real panel of the corpus through the whole window: open it, show each window in the
// list, let the toolkit paint, save a copy and read it back. Missing gauge modules and bitmaps are
// reported through the message boxes (recorded here), never by a crash.
TEST_F(EditorWindow, EveryCorpusPanelOpensShowsEachWindowAndSaves) {
    const fs::path corpus = fs::path(BRINDLE_CORPUS_DIR) / "panels";
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
    messages_.tickOptOut = true;
    int panels = 0, opened = 0, shown = 0;
    for (const fs::directory_entry& dir : fs::directory_iterator(corpus)) {
        fs::path file;
        for (const fs::directory_entry& f : fs::directory_iterator(dir.path()))
            if (brindle::EqualsNoCase(f.path().filename().string(), "panel.cfg")) file = f.path();
        if (file.empty()) continue;
        SCOPED_TRACE(file.string());
        ++panels;
        if (!w_.doc->Doc().OpenAtWindow(file.string(), 0)) continue;
        ++opened;
        w_.doc->Changed();
        std::unique_ptr<wxMenu> list(w_.view->BuildWindowMenu());
        for (size_t i = 0; i < list->GetMenuItemCount(); ++i) {
            const int command = FromWxId(list->FindItemByPosition(i)->GetId());
            ASSERT_TRUE(w_.view->RunCommand(command));
            ASSERT_NE(w_.doc->View().Shown(), nullptr);
            EXPECT_EQ(w_.doc->View().Shown()->index, command - brindle::kWindowListFirstId);
            ++shown;
            for (int spin = 0; spin < 5; ++spin) wxTheApp->Yield(true);
        }
        const std::string copy = (dir_ / "saved.cfg").string();
        ASSERT_TRUE(w_.doc->Doc().SaveTo(copy));
        brindle::Panel reread;
        EXPECT_TRUE(brindle::ReadPanelFile(copy, w_.doc->settings(), reread));
        EXPECT_EQ(reread.windows.size(), w_.doc->GetPanel()->windows.size());
    }
    EXPECT_GT(panels, 0);
    // Most of them are real, readable panels with several windows each.
    EXPECT_GT(opened, panels / 2);
    EXPECT_GT(shown, opened);
}

// Every command that is enabled runs without harm in each state the editor can be in: nothing
// open, a panel without windows, the demo panel with no gauge, one gauge and all gauges selected.
// (Commands that open a modal dialog or pop-up are left out: they wait for a person.)
TEST_F(EditorWindow, EveryEnabledCommandRunsInEveryState) {
    const std::set<Cmd> modal = {Cmd::NewPanel,     Cmd::OpenDirect,    Cmd::SaveAs,       Cmd::GridSize,
                                 Cmd::TestSkyColor, Cmd::EditInNotepad, Cmd::SelectWindow, Cmd::Print,
                                 Cmd::PrintPreview, Cmd::PrintSetup,    Cmd::Exit,         Cmd::About};
    const std::string empty = (dir_ / "empty.cfg").string();
    {
        std::ofstream out(empty, std::ios::binary);
        out << "[Window Titles]\r\n";
    }
    auto runAll = [&](const char* state) {
        SCOPED_TRACE(state);
        for (const brindle::CommandSpec& a : brindle::AllCommands()) {
            if (modal.count(a.cmd)) continue;
            const int id = static_cast<int>(a.cmd);
            if (!w_.view->StatusOf(id).enabled) continue;
            w_.view->RunCommand(id);
            wxTheApp->Yield(true);
        }
    };
    runAll("nothing open");
    if (w_.doc->Doc().OpenAtWindow(empty, -1)) runAll("a panel without windows");
    for (int selection : {0, 1, 2}) {
        ASSERT_TRUE(w_.doc->Doc().OpenAtWindow(panel_, 0));
        w_.doc->Changed();
        if (selection == 1) w_.doc->View().Gauges().at(0).selected = true;
        if (selection == 2) w_.view->RunCommand(int(Cmd::SelectAll));
        runAll(selection == 0 ? "no gauge selected" : selection == 1 ? "one gauge selected" : "all selected");
        w_.doc->Doc().SetModified(false);
    }
}

}  // namespace
