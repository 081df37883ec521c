#include "gauges/gauge_loader.h"

#include <gtest/gtest.h>

#include "panel/panel.h"
#include "platform/messages.h"

namespace brindle {
namespace {

std::string GaugesDir() {
    return std::string(BRINDLE_SAMPLES_DIR) + "/FS2000/gauges";
}

struct Loaded {
    ViewGauge gauge;
    GaugeEntry entry;
    bool result = false;
    std::vector<std::string> messages;
};

Loaded Load(const std::string& reference, int width, bool highRes = false, SimMode mode = kModeFS2000,
            int nn = 3) {
    RecordingMessageUi ui;
    ScopedMessageUi scoped(ui);
    SetShowAgainFlag(1);
    Loaded l;
    l.entry.name = reference;
    l.entry.x = 10;
    l.entry.y = 20;
    if (width >= 0) {
        l.entry.width = width;
        l.entry.widthPresent = true;
    }
    l.gauge = ViewGauge::FromEntry(l.entry, nn, mode);
    GaugeLoadOptions options{GaugesDir(), highRes, mode};
    l.result = LoadGaugeImages(l.gauge, options, &l.entry);
    l.messages = ui.texts();
    return l;
}

std::string PathOf(const std::string& module) {
    return GaugeModulePath(GaugesDir(), module);
}

TEST(LoadGaugeImages, FailuresGiveStatusFallbackAndMessage) {
    struct Case {
        std::string reference;
        int width;  // -1 = not given
        int status;
        std::string message;
        double expectWidth;
        int slotSize;  // element-0 bitmap width and height afterwards
        bool focus;
    };
    const std::string missing = PathOf("Missing_Module");
    const std::string notDll = PathOf("Broken\\NotADll");
    const std::string strings = PathOf("Broken\\Strings");
    const std::string noBitmap = PathOf("Broken\\NoBitmap");
    const std::string demo = PathOf("Demo_Cessna");
    const std::vector<Case> cases = {
        {"Missing_Module!Gauge", -1, 1,
         "Can't Load a bitmap for Gauge 3.\n\n File \"" + missing + "\" does not exist", 20.0, 20, true},
        {"Missing_Module!Gauge", 50, 1,
         "Can't Load a bitmap for Gauge 3.\n\n File \"" + missing + "\" does not exist", 50.0, 50, true},
        {"Broken\\NotADll!X", -1, 3,
         "Can't Load a bitmap for Gauge 3.\n\nFile \"" + notDll + "\"\nCan't load Gauge DLL", 20.0, 20, true},
        {"Broken\\Truncated!Airspeed", 40, 3,
         "Can't Load a bitmap for Gauge 3.\n\nFile \"" + PathOf("Broken\\Truncated") +
             "\"\nCan't load Gauge DLL",
         40.0, 40, true},
        {"Broken\\Strings", -1, 5,
         "No Bitmap found for Gauge03, 'Broken\\Strings'.\n\nFile \"" + strings +
             "\" does not contain a static Bitmap Resource",
         20.0, 20, false},
        {"Demo_Cessna!Speedo", -1, 4,
         "Can't find Gauge03, 'Speedo'.\n\nFile \"" + demo + "\" does not contain a Gauge named \"Speedo\"",
         20.0, 20, false},
        {"Broken\\NoBitmap!Bare", 30, 2,
         "Can't Load a bitmap for Gauge03, 'Bare'.\n\nFile \"" + noBitmap +
             "\" does not contain a valid Bitmap Resource",
         30.0, 30, false},
        {"Broken\\NoLinkage!Plate", -1, 2,
         "Can't Load a bitmap for Gauge03, 'Plate'.\n\nFile \"" + PathOf("Broken\\NoLinkage") +
             "\" does not contain a valid Bitmap Resource",
         20.0, 20, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.reference);
        Loaded l = Load(c.reference, c.width);
        EXPECT_FALSE(l.result);
        EXPECT_EQ(l.gauge.loadStatus, c.status);
        ASSERT_EQ(l.messages.size(), 1u);
        EXPECT_EQ(l.messages[0], c.message);
        EXPECT_EQ(l.gauge.Width(), c.expectWidth);
        EXPECT_EQ(l.gauge.slots[0].bitmapWidth, c.slotSize);
        EXPECT_EQ(l.gauge.slots[0].bitmapHeight, c.slotSize);
        EXPECT_EQ(l.gauge.focus, c.focus);
        EXPECT_FALSE(l.gauge.loaded);
        EXPECT_FALSE(l.entry.bitmapLoaded);
        EXPECT_FALSE(l.gauge.HasAnyBitmap());
    }
}

TEST(LoadGaugeImages, NoUsableBitmapStillCountsAsLoaded) {
    // First element without a bitmap number, though the needle after it has one.
    Loaded zero = Load("Broken\\NoBitmap!Zero", -1);
    EXPECT_TRUE(zero.result);
    EXPECT_EQ(zero.gauge.loadStatus, 2);
    ASSERT_EQ(zero.messages.size(), 1u);
    EXPECT_EQ(zero.messages[0], "Can't Load a bitmap for Gauge03, 'Zero'.\n\nFile \"" +
                                    PathOf("Broken\\NoBitmap") +
                                    "\" does not contain a valid bitmap in resource 0");
    EXPECT_FALSE(zero.gauge.HasAnyBitmap());
    EXPECT_EQ(zero.gauge.Width(), 20.0);  // set directly: the design width (40) is not taken after this
    EXPECT_EQ(zero.gauge.slots[0].bitmapWidth, 20);
    EXPECT_FALSE(zero.gauge.loaded);
    EXPECT_EQ(zero.gauge.internalName, "Zero");
    EXPECT_TRUE(zero.gauge.widthPresent);

    // Resources the module does not have.
    Loaded missing = Load("Broken\\NoBitmap!Missing", 33);
    EXPECT_TRUE(missing.result);
    EXPECT_EQ(missing.gauge.loadStatus, 2);
    EXPECT_EQ(missing.gauge.Width(), 33.0);
    EXPECT_EQ(missing.gauge.slots[0].bitmapWidth, 33);
}

TEST(LoadGaugeImages, LoadsSlotsSizesAndIdentity) {
    Loaded l = Load("Demo_Cessna!ALTIMETER", -1, true);
    ASSERT_TRUE(l.result);
    EXPECT_TRUE(l.messages.empty());
    EXPECT_EQ(l.gauge.loadStatus, 0);
    EXPECT_TRUE(l.gauge.loaded);
    EXPECT_TRUE(l.entry.bitmapLoaded);
    EXPECT_TRUE(l.gauge.widthPresent);
    EXPECT_EQ(l.gauge.internalName, "Altimeter");
    EXPECT_EQ(l.gauge.version, 700);
    EXPECT_EQ(l.gauge.designWidth, 96.0);
    EXPECT_EQ(l.gauge.Width(), 96.0);  // the design width, as the line gave none
    const auto& s = l.gauge.slots;
    EXPECT_EQ(s[0].resourceId, 503u);
    EXPECT_EQ(s[0].bitmapWidth, 192);
    EXPECT_EQ(l.gauge.XScale(), 0.5);
    EXPECT_EQ(s[1].typeFlag, 2u);
    EXPECT_EQ(s[1].bitmapHeight, 42);
    EXPECT_TRUE(s[1].transparent);
    EXPECT_EQ(s[2].offsetY, 23);
    EXPECT_FALSE(s[3].bitmap);

    // An explicit width is kept; a design width of 0 or of 2000 and more is never taken.
    Loaded explicitWidth = Load("Demo_Cessna!Airspeed", 48, true);
    EXPECT_EQ(explicitWidth.gauge.Width(), 48.0);
    // The scales follow the loaded element 0 (192 pixels at high resolution), not the 1.0 the
    // gauge was built with.
    EXPECT_EQ(explicitWidth.gauge.XScale(), 0.25);
    EXPECT_EQ(explicitWidth.gauge.YScale(), 0.25);
    EXPECT_EQ(Load("Demo_Cessna!Clock", -1).gauge.Width(), 0.0);
    EXPECT_EQ(Load("Demo_Cessna!Wide", -1).gauge.Width(), 0.0);

    // An FS98 reference reads the first gauge: the string keeps slot 1 empty, so loading stops
    // there and the needle in slot 2 gets no bitmap.
    Loaded fs98 = Load("fs98_compass", -1, true, kModeFS98);
    ASSERT_TRUE(fs98.result);
    EXPECT_EQ(fs98.gauge.slots[0].resourceId, 17u);
    EXPECT_TRUE(fs98.gauge.slots[0].bitmap);
    EXPECT_EQ(fs98.gauge.slots[2].typeFlag, 2u);
    EXPECT_FALSE(fs98.gauge.slots[2].bitmap);
    EXPECT_EQ(fs98.gauge.version, 610);
    EXPECT_EQ(fs98.gauge.Width(), 100.0);

    // A module in a sub-folder, named in another letter case.
    Loaded cfs = Load("combat\\cfs_gunsight!GUNSIGHT", 80);
    EXPECT_TRUE(cfs.result);
    EXPECT_EQ(cfs.gauge.slots[1].typeFlag, 64u);
    EXPECT_TRUE(cfs.gauge.slots[1].bitmap);
}

TEST(LoadGaugeImages, OptOutSilencesTheRestOfTheRead) {
    RecordingMessageUi ui;
    ui.tickOptOut = true;
    ScopedMessageUi scoped(ui);
    SetShowAgainFlag(1);
    GaugeLoadOptions options{GaugesDir(), false, kModeFS2000};
    ViewGauge a, b;
    a.name = "Nope!A";
    b.name = "Nope!B";
    EXPECT_FALSE(LoadGaugeImages(a, options));
    EXPECT_FALSE(LoadGaugeImages(b, options));
    ASSERT_EQ(ui.entries.size(), 1u);
    EXPECT_EQ(ui.entries[0].kind, RecordingMessageUi::Kind::OptOut);
    // Silenced or not, the outcome is the same.
    EXPECT_EQ(b.loadStatus, 1);
    EXPECT_EQ(b.Width(), 20.0);
    SetShowAgainFlag(1);
}

TEST(LoadGaugeImages, CacheSharesModulesAndBitmapsWithinOneLoad) {
    ModuleCache cache;
    GaugeLoadOptions options{GaugesDir(), false, kModeFS2000, &cache};
    ViewGauge a, b;
    a.name = "Demo_Cessna!Airspeed";
    b.name = "DEMO_CESSNA!Airspeed";
    ASSERT_TRUE(LoadGaugeImages(a, options));
    ASSERT_TRUE(LoadGaugeImages(b, options));
    EXPECT_EQ(a.slots[0].bitmap, b.slots[0].bitmap);
    // Copies (the undo record) share the immutable images.
    std::vector<ViewGauge> undo{a};
    EXPECT_EQ(undo[0], a);
}

}  // namespace
}  // namespace brindle
