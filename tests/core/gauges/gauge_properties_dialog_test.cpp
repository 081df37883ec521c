#include "gauges/gauge_properties_dialog.h"

#include <gtest/gtest.h>

#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "view/editing.h"
#include "view/panel_view.h"

namespace brindle {
namespace {

using Logic = GaugePropertiesDialogLogic;

// The demo panel's windows shown in a view: window 1 holds CFS2_Radar!Fuel, Combat\CFS_Gunsight!Ammo,
// Demo_Cessna!Clock, a gauge of a missing module and one without a static bitmap.
class GaugeProperties : public ::testing::Test {
  protected:
    void SetUp() override { Show(1); }

    void Show(int window, SimMode mode = kModeFS2000) {
        settings_.SetMode(mode);
        settings_.SetSimDir(std::string(BRINDLE_SAMPLES_DIR) + "/FS2000");
        const std::string file = std::string(BRINDLE_SAMPLES_DIR) + "/FS2000/Aircraft/Demo/Panel/panel.cfg";
        settings_.SetCurrentFile(file);
        PanelReadOptions options;
        options.mode = mode;
        options.simDir = settings_.SimDir();
        RecordingMessageUi quiet;
        ScopedMessageUi scope(quiet);
        SetShowAgainFlag(0);
        ASSERT_TRUE(ReadPanelFile(file, options, panel_));
        view_.Geometry().SetClientSize({800, 600});
        ASSERT_TRUE(view_.ShowPanelWindow(panel_, window));
        SetShowAgainFlag(1);
        editing_.WindowChanged();
    }
    Logic Open(int index) {
        view_.Gauges()[static_cast<std::size_t>(index)].selected = true;
        return Logic(
            view_, &editing_, [this] { ++modifiedMarks_; }, index);
    }
    ViewGauge& G(int i) { return view_.Gauges().at(static_cast<std::size_t>(i)); }

    Settings settings_;
    Panel panel_;
    PanelView view_{settings_};
    EditingController editing_{view_};
    int modifiedMarks_ = 0;
    RecordingMessageUi ui_;
    ScopedMessageUi scope_{ui_};
};

TEST_F(GaugeProperties, ShowsWhatTheModuleReaderFound) {
    struct Case {
        int index;
        const char *file, *nn, *warning, *bw, *bh, *version, *sizeX, *x;
    };
    const Case cases[] = {
        {0, "CFS2_Radar.GAU", "00", "", "60", "20", "CFS2", "60", "20"},
        {1, "Combat\\CFS_Gunsight.GAU", "01", "", "60", "20", "CFS", "60", "180"},
        {3, "Missing_Module.GAU", "03", "Error: File not found", "unknown", "unknown", "Unknown", "30",
         "100"},
        {4, "Broken\\Strings.GAU", "04", "Warning: Gauge does not have a static bitmap", "unknown", "unknown",
         "Unknown", "30", "150"},
    };
    for (const Case& c : cases) {
        Logic d = Open(c.index);
        EXPECT_EQ(d.CurrentIndex(), c.index);
        EXPECT_EQ(d.FileNameText(), c.file);
        EXPECT_EQ(d.IndexText(), c.nn);
        EXPECT_EQ(d.WarningText(), c.warning) << c.index;
        EXPECT_EQ(d.BitmapWidthText(), c.bw) << c.index;
        EXPECT_EQ(d.BitmapHeightText(), c.bh) << c.index;
        EXPECT_EQ(d.VersionText(), c.version) << c.index;
        EXPECT_EQ(d.Texts().sizeX, c.sizeX);
        EXPECT_EQ(d.Texts().sizeY, "");
        EXPECT_EQ(d.Texts().x, c.x);
        EXPECT_FALSE(d.ApplyEnabled());
    }
    Logic d = Open(0);
    EXPECT_EQ(d.ListLines(),
              (std::vector<std::string>{"CFS2_Radar!Fuel", "Combat\\CFS_Gunsight!Ammo", "Demo_Cessna!Clock",
                                        "Missing_Module!Gauge", "Broken\\Strings"}));
    EXPECT_EQ(d.GaugeNameText(), "Fuel");
    EXPECT_EQ(d.HideButtonLabel(), "Hide");
    EXPECT_TRUE(d.SizeYShown());
    EXPECT_TRUE(d.ParameterShown());
    EXPECT_TRUE(d.ParameterEnabled());
}

TEST_F(GaugeProperties, ApplyChecksTheFieldsInOrderAndStopsAtTheFirstBadOne) {
    struct Case {
        const char *sizeX, *sizeY, *x, *y;
        const char* message;  // "" = accepted
        double width, height, gx, gy;
        bool heightPresent;
        const char* resetField;  // the refused field's text afterwards
    };
    const Case cases[] = {
        {"0", "", "20", "70", Logic::kSizeXInvalid, 60, 0, 20, 70, false, "60"},
        {"abc", "", "20", "70", Logic::kSizeXInvalid, 60, 0, 20, 70, false, "60"},
        {"0", "", "x", "y", Logic::kSizeXInvalid, 60, 0, 20, 70, false, "60"},
        {"60", "0", "20", "70", Logic::kSizeYInvalid, 60, 0, 20, 70, false, ""},
        {"60", "", "1e3", "70", Logic::kXInvalid, 60, 0, 20, 70, false, "20"},
        {"60", "", "20", "", Logic::kYInvalid, 60, 0, 20, 70, false, "70"},
        {" 80 ", "30", "-20", "2000", "", 80, 30, -20, 2000, true, nullptr},
        {"+75", "", "0", "-0", "", 75, 0, 0, 0, false, nullptr},
    };
    for (const Case& c : cases) {
        Show(1);
        ui_.entries.clear();
        Logic d = Open(0);
        d.SetSizeX(c.sizeX);
        d.SetSizeY(c.sizeY);
        d.SetX(c.x);
        d.SetY(c.y);
        EXPECT_TRUE(d.ApplyEnabled());
        const bool accepted = *c.message == '\0';
        EXPECT_EQ(d.Apply(), accepted) << c.sizeX << " " << c.sizeY << " " << c.x << " " << c.y;
        EXPECT_EQ(ui_.texts(), accepted ? std::vector<std::string>{} : std::vector<std::string>{c.message});
        EXPECT_EQ(G(0).Width(), c.width);
        EXPECT_EQ(G(0).Height(), c.height);
        EXPECT_EQ(G(0).x, c.gx);
        EXPECT_EQ(G(0).y, c.gy);
        EXPECT_EQ(G(0).heightPresent, c.heightPresent);
        EXPECT_EQ(d.Modified(), accepted);
        EXPECT_EQ(editing_.UndoState().UndoAvailable(), accepted);
        if (!accepted) {
            const Logic::Fields& f = d.Texts();
            const std::string* reset = c.message == Logic::kSizeXInvalid   ? &f.sizeX
                                       : c.message == Logic::kSizeYInvalid ? &f.sizeY
                                       : c.message == Logic::kXInvalid     ? &f.x
                                                                           : &f.y;
            EXPECT_EQ(*reset, c.resetField);
        }
    }
    // The red warnings follow the typed values only.
    Logic d = Open(0);
    struct Red {
        const char* text;
        bool position, size;
    };
    for (const Red& r : {Red{"-20", true, true}, Red{"0", false, true}, Red{"5", false, false},
                         Red{"1280", false, false}, Red{"1281", true, true}, Red{"abc", false, false}}) {
        d.SetX(r.text);
        d.SetSizeY(r.text);
        EXPECT_EQ(d.XRed(), r.position) << r.text;
        EXPECT_EQ(d.SizeYRed(), r.size) << r.text;
    }
}

TEST_F(GaugeProperties, CancelRestoresTheFiveValuesButNotTheHiddenFlag) {
    Logic d = Open(1);
    d.SetSizeX("90");
    d.SetSizeY("45");
    d.SetX("5");
    d.SetParameter("abc");
    ASSERT_TRUE(d.Apply());
    EXPECT_EQ(G(1).Width(), 90);
    EXPECT_EQ(G(1).parameter, "abc");
    EXPECT_FALSE(d.ApplyEnabled());
    d.ToggleHidden();
    EXPECT_EQ(d.WarningText(), "Hidden");
    EXPECT_EQ(d.HideButtonLabel(), "UnHide");
    EXPECT_TRUE(d.ApplyEnabled());
    d.Cancel();
    EXPECT_EQ(G(1).Width(), 60);
    EXPECT_EQ(G(1).Height(), 0);
    EXPECT_FALSE(G(1).heightPresent);
    EXPECT_EQ(G(1).x, 180);
    EXPECT_EQ(G(1).parameter, "");
    EXPECT_TRUE(G(1).hidden);
    EXPECT_FALSE(G(1).focus);
    EXPECT_EQ(modifiedMarks_, 0);
    // The dialog's one undo step holds the gauge as it was when the dialog opened.
    ASSERT_TRUE(editing_.UndoState().UndoAvailable());
    EXPECT_EQ(editing_.UndoState().Snapshot()[1].x, 180);
}

TEST_F(GaugeProperties, OkAppliesAndMarksTheDocumentButStaysOpenOnABadField) {
    Logic d = Open(2);
    d.SetY("abc");
    EXPECT_FALSE(d.Ok());
    EXPECT_EQ(modifiedMarks_, 0);
    d.SetY("77");
    G(2).focus = true;
    EXPECT_TRUE(d.Ok());
    EXPECT_EQ(G(2).y, 77);
    EXPECT_EQ(modifiedMarks_, 1);
    EXPECT_FALSE(G(2).focus);
    Logic again = Open(2);
    EXPECT_TRUE(again.Ok());  // nothing changed: the document is left alone
    EXPECT_EQ(modifiedMarks_, 1);
}

TEST_F(GaugeProperties, ChoosingAndDeletingGauges) {
    Logic d = Open(0);
    d.ChooseGauge(2);
    EXPECT_EQ(d.CurrentIndex(), 2);
    EXPECT_FALSE(G(0).selected);
    EXPECT_TRUE(G(2).selected && G(2).focus);
    EXPECT_EQ(d.FileNameText(), "Demo_Cessna.GAU");
    d.ChooseGauge(9);  // no such line
    EXPECT_EQ(d.CurrentIndex(), 2);

    d.ChooseGauge(4);
    d.DeleteGauge();  // the last one: the one before it is shown
    EXPECT_EQ(view_.Window().GaugeCount(), 4);
    EXPECT_EQ(d.CurrentIndex(), 3);
    EXPECT_EQ(d.FileNameText(), "Missing_Module.GAU");
    EXPECT_EQ(d.ListLines().size(), 4u);
    d.ChooseGauge(0);
    d.DeleteGauge();  // the first one: the next one moves up
    EXPECT_EQ(d.ListLines().front(), "Combat\\CFS_Gunsight!Ammo");
    EXPECT_EQ(d.IndexText(), "00");
    while (d.HasGauge()) d.DeleteGauge();
    EXPECT_EQ(view_.Window().GaugeCount(), 0);
    EXPECT_EQ(d.FileNameText(), "");
    EXPECT_FALSE(d.ApplyEnabled());
    EXPECT_TRUE(d.Ok());
    EXPECT_GE(modifiedMarks_, 5);
    // One undo step for the whole run brings all five back.
    ASSERT_TRUE(editing_.Undo().modified);
    EXPECT_EQ(view_.Window().GaugeCount(), 5);
}

TEST_F(GaugeProperties, Fs98ModeHidesSizeYAndTheParameter) {
    Show(0, kModeFS98);
    Logic d = Open(5);  // FS98_Compass
    EXPECT_FALSE(d.SizeYShown());
    EXPECT_FALSE(d.ParameterEnabled());
    EXPECT_FALSE(d.ParameterShown());  // an FS98 gauge has no parameter
    EXPECT_EQ(d.ParameterLabel(), "");
    EXPECT_EQ(d.Texts().parameter, Logic::kNotValidInFs98);
    EXPECT_EQ(d.VersionText(), "FS98");
    d.ChooseGauge(0);
    EXPECT_TRUE(d.ParameterShown());
    EXPECT_EQ(d.Texts().parameter, Logic::kNotValidInFs98);
    d.SetX("33");
    ASSERT_TRUE(d.Apply());
    EXPECT_EQ(G(0).x, 33);
    EXPECT_EQ(G(0).parameter, "");  // the placeholder text is never stored
}

TEST_F(GaugeProperties, PreviewDrawsEveryElementOfTheGauge) {
    Show(0);
    const ViewGauge& airspeed = G(0);
    ASSERT_NE(airspeed.slots[1].bitmap, nullptr);
    Image picture = GaugePicture(airspeed, true);
    ASSERT_EQ(picture.Width(), airspeed.slots[0].bitmapWidth);
    ASSERT_EQ(picture.Height(), airspeed.slots[0].bitmapHeight);
    int needle = 0;
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            needle += picture.At(x, y) != airspeed.slots[0].bitmap->At(x, y);
    EXPECT_GT(needle, 0);

    Logic d = Open(0);
    Image frame = d.PreviewImage(192, 100, kWhite);
    EXPECT_EQ(frame.At(10, 50), kWhite);  // square picture in a wide frame: room at the sides
    EXPECT_NE(frame.At(96, 50), kWhite);
    Show(1);
    Logic missing = Open(3);
    EXPECT_EQ(missing.PreviewImage(50, 50, kWhite), Image(50, 50, kWhite));
}

}  // namespace
}  // namespace brindle
