// The Add Gauge and Gauge Properties dialogs in the running editor: opened through their commands
// and a double click, driven through their controls while they are modal, and the result saved.
#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/listbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/timer.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>

#include "../app/dialog_keys.h"
#include "app/commands.h"
#include "platform/messages.h"
#include "ui/app/dialog_show.h"
#include "ui/app/main_frame.h"
#include "ui/app/startup.h"
#include "ui/document/brindle_doc.h"
#include "ui/gauges/add_gauge_dialog.h"
#include "ui/gauges/gauge_properties_dialog.h"
#include "ui/view/brindle_view.h"
#include "ui/view/panel_canvas.h"

namespace fs = std::filesystem;
using brindle::Cmd;

namespace {

// Runs `drive` on the modal dialog of type Dlg once it is on screen (polled, so that it runs in
// whichever loop the dialog runs). A dialog the test left open is cancelled, and one that never
// appears fails the test, so that a failed step never hangs it.
template <class Dlg>
class WhenShown {
  public:
    explicit WhenShown(std::function<void(Dlg&)> drive) : drive_(std::move(drive)) {
        poll_.Bind(wxEVT_TIMER, [this](wxTimerEvent&) { Poll(); });
        poll_.Start(50);
    }
    ~WhenShown() {
        poll_.Stop();
        EXPECT_TRUE(done_) << "no dialog shown";
    }

  private:
    void Poll() {
        if (done_) return;
        for (wxWindow* w : wxTopLevelWindows) {
            auto* d = dynamic_cast<Dlg*>(w);
            if (!d || !d->IsModal()) continue;
            done_ = true;
            poll_.Stop();
            drive_(*d);
            // A dialog that was ended is hidden at once; on Windows it counts as modal until its
            // loop has returned.
            if (d->IsModal() && d->IsShown()) {
                ADD_FAILURE() << "the dialog was left open";
                d->EndModal(wxID_CANCEL);
            }
            return;
        }
    }

    std::function<void(Dlg&)> drive_;
    wxTimer poll_;
    bool done_ = false;
};

int IndexOf(wxListBox* list, const char* text) {
    const int i = list->FindString(text, true);
    EXPECT_NE(i, wxNOT_FOUND) << text;
    return i;
}

class GaugeDialogs : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::path(::testing::TempDir()) /
               ("brindle_gauge_dialogs_" +
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
        brindle::GlobalAddGaugeMemory() = {};
        w_ = StartEditor("");
        ASSERT_NE(w_.view, nullptr);
        w_.frame->SetSize(900, 700);
        ASSERT_TRUE(w_.doc->Doc().OpenAtWindow(panel_, 0));
        w_.doc->Changed();
        wxTheApp->Yield(true);
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

    std::vector<brindle::ViewGauge>& Gauges() { return w_.doc->View().Gauges(); }
    void Mouse(wxEventType type, wxPoint at, bool leftDown) {
        CPanelCanvas* c = w_.view->Canvas();
        wxMouseEvent e(type);
        e.SetPosition(at);
        e.m_leftDown = leftDown;
        e.SetEventObject(c);
        c->GetEventHandler()->ProcessEvent(e);
    }
    // The client point of panel units (x, y).
    wxPoint ClientOf(int x, int y) {
        brindle::ViewPoint v = w_.doc->View().Geometry().ToView({x, y});
        brindle::ViewPoint s = w_.doc->View().Geometry().ScrollPosition();
        return wxPoint(v.x - s.x, v.y - s.y);
    }
    std::string SavedText() {
        std::ifstream in(panel_, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    fs::path dir_;
    std::string panel_;
    wxConfigBase* oldConfig_ = nullptr;
    EditorWindows w_;
    brindle::RecordingMessageUi messages_;
    brindle::ScopedMessageUi scoped_{messages_};
};

TEST_F(GaugeDialogs, AddGaugeBrowsesFiltersPreviewsAndTheGaugeIsSaved) {
    ASSERT_EQ(Gauges().size(), 9u);
    bool driven = false;
    WhenShown<CAddGaugeDlg> add([&](CAddGaugeDlg& d) {
        driven = true;
        EXPECT_EQ(d.GetTitle(), "Brindle - Add a new Gauge");
        d.ChooseFamily(4);  // CFS2
        EXPECT_NE(d.FileList()->FindString("CFS2_Radar.gau"), wxNOT_FOUND);
        EXPECT_EQ(d.FileList()->FindString("Demo_Cessna.gau"), wxNOT_FOUND);
        d.ChooseFamily(0);
        EXPECT_EQ(d.FileList()->GetCount(), 6u);
        d.Edit()->SetValue("demo*");  // typed
        EXPECT_EQ(d.FileList()->GetCount(), 6u);
        d.PressEnter();
        EXPECT_EQ(d.FileList()->GetCount(), 1u);
        d.Edit()->SetValue("");
        d.PressEnter();
        d.ChooseFile(IndexOf(d.FileList(), "[Combat]"));
        EXPECT_EQ(d.FileList()->GetString(0), "..");
        d.ChooseFile(0);
        d.ChooseFile(IndexOf(d.FileList(), "Demo_Cessna.gau"));
        EXPECT_TRUE(d.GaugeList()->IsEnabled());
        d.ChooseGauge(IndexOf(d.GaugeList(), "Attitude"));
        EXPECT_EQ(d.Edit()->GetValue(), "Demo_Cessna!Attitude");
        for (int slot : {1, 2}) {
            d.StepSlot(+1);
            EXPECT_EQ(d.Logic().ShownPreview().slot, slot);
            EXPECT_NE(d.Logic().ShownPreview().bitmap, nullptr);
        }
        EXPECT_TRUE(d.ErrorLine()->GetLabel().empty());
        d.PressEnter();  // the edit shows the reference: Enter accepts
    });
    ASSERT_TRUE(w_.view->RunCommand(int(Cmd::AddGauge)));
    ASSERT_TRUE(driven);
    ASSERT_EQ(Gauges().size(), 10u);
    EXPECT_EQ(Gauges()[9].name, "Demo_Cessna!Attitude");
    EXPECT_TRUE(Gauges()[9].selected);
    EXPECT_TRUE(Gauges()[9].loaded);
    EXPECT_TRUE(w_.doc->IsModified());
    ASSERT_TRUE(w_.doc->Doc().Save());
    EXPECT_NE(SavedText().find("gauge09=Demo_Cessna!Attitude,"), std::string::npos);

    // Cancel (Escape) adds nothing; the tool bar's command opens the same dialog.
    WhenShown<CAddGaugeDlg> cancel([](CAddGaugeDlg& d) {
        wxCommandEvent cancel(wxEVT_BUTTON, wxID_CANCEL);
        d.ProcessWindowEvent(cancel);
    });
    ASSERT_TRUE(w_.view->RunCommand(int(Cmd::InsertGaugeTool)));
    EXPECT_EQ(Gauges().size(), 10u);
}

TEST_F(GaugeDialogs, GaugePropertiesByDoubleClickAppliesCancelsAndDeletes) {
    const brindle::ViewGauge& clock = Gauges()[8];  // Demo_Cessna!Clock at 240, 150, 64 wide
    const wxPoint at = ClientOf(240 + 20, 150 + 20);
    Mouse(wxEVT_LEFT_DOWN, at, true);
    Mouse(wxEVT_LEFT_UP, at, false);
    ASSERT_TRUE(clock.selected);
    bool driven = false;
    WhenShown<CGaugePropertiesDlg> props([&](CGaugePropertiesDlg& d) {
        driven = true;
        EXPECT_EQ(d.GetTitle(), "Brindle - Gauge Properties");
        EXPECT_EQ(d.Logic().CurrentIndex(), 8);
        EXPECT_TRUE(Gauges()[8].focus);
        EXPECT_EQ(d.SizeXEdit()->GetValue(), "64");
        EXPECT_FALSE(d.ApplyButton()->IsEnabled());
        d.SizeXEdit()->SetValue("0");
        EXPECT_TRUE(d.ApplyButton()->IsEnabled());
        d.ClickApply();
        EXPECT_EQ(messages_.texts(), std::vector<std::string>{"The \"Size X\" field is invalid"});
        EXPECT_EQ(d.SizeXEdit()->GetValue(), "64");
        EXPECT_EQ(Gauges()[8].Width(), 64);
        d.SizeXEdit()->SetValue("80");
        d.ClickApply();
        EXPECT_EQ(Gauges()[8].Width(), 80);
        d.ClickCancel();
    });
    Mouse(wxEVT_LEFT_DCLICK, at, true);
    Mouse(wxEVT_LEFT_UP, at, false);
    ASSERT_TRUE(driven);
    EXPECT_EQ(Gauges()[8].Width(), 64);
    EXPECT_FALSE(Gauges()[8].focus);

    driven = false;
    WhenShown<CGaugePropertiesDlg> remove([&](CGaugePropertiesDlg& d) {
        driven = true;
        d.ClickDelete();  // the last gauge: the one before it is shown
        EXPECT_EQ(d.List()->GetCount(), 8u);
        EXPECT_EQ(d.Logic().CurrentIndex(), 7);
        EXPECT_EQ(d.List()->GetSelection(), 7);
        EXPECT_EQ(d.Logic().IndexText(), "07");
        d.ClickOk();
    });
    ASSERT_TRUE(w_.view->RunCommand(int(Cmd::GaugeProperties)));
    ASSERT_TRUE(driven);
    EXPECT_EQ(Gauges().size(), 8u);
    EXPECT_TRUE(w_.doc->IsModified());
    ASSERT_TRUE(w_.view->RunCommand(int(Cmd::Undo)));
    EXPECT_EQ(Gauges().size(), 9u);
}

TEST_F(GaugeDialogs, EnterAcceptsEscapeCancelsAndBothOpenCentredOnTheMainWindow) {
    struct Case {
        bool addGauge;
        int key;
        int result;
    };
    const Case cases[] = {{true, WXK_ESCAPE, wxID_CANCEL},
                          {true, WXK_RETURN, wxID_OK},
                          {false, WXK_RETURN, wxID_OK},
                          {false, WXK_ESCAPE, wxID_CANCEL}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.addGauge ? "Add Gauge" : "Gauge Properties") +
                     (c.key == WXK_RETURN ? " Enter" : " Escape"));
        std::unique_ptr<wxDialog> dlg;
        if (c.addGauge)
            dlg = std::make_unique<CAddGaugeDlg>(w_.frame, w_.doc->settings());
        else
            dlg = std::make_unique<CGaugePropertiesDlg>(
                w_.frame, w_.doc->View(), &w_.doc->Editing(), [] {}, 0);
        wxPoint offCentre(9999, 9999);
        NextDialogKey key(c.key, [&](wxDialog& shown) {
            offCentre = shown.GetScreenRect().GetPosition() + shown.GetSize() / 2 -
                        (w_.frame->GetScreenRect().GetPosition() + w_.frame->GetSize() / 2);
            // Enter applies a typed name filter; once a gauge is chosen it accepts.
            if (auto* add = dynamic_cast<CAddGaugeDlg*>(&shown); add && c.key == WXK_RETURN)
                add->ChooseFile(IndexOf(add->FileList(), "FS98_Compass.gau"));
        });
        EXPECT_EQ(ShowDialog(*dlg), c.result);
        EXPECT_LE(std::abs(offCentre.x), 2);
        EXPECT_LE(std::abs(offCentre.y), 2);
    }
}

}  // namespace
