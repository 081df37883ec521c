#include <gtest/gtest.h>

#include "panel/panel.h"

namespace brindle {
namespace {

PanelWindow MakeWindow(WindowKind kind, const char* title) {
    PanelWindow w;
    w.setKind(kind);
    w.title = title;
    return w;
}

TEST(PanelModel, TextFieldsAreCutToTheirCapacity) {
    PanelWindow w;
    w.title = std::string(200, 'T');
    w.ident = std::string(100, 'I');
    EXPECT_EQ(w.title.size(), kMaxTitleLength);
    EXPECT_EQ(w.ident.size(), kMaxIdentLength);
    GaugeEntry g;
    g.name = std::string(120, 'n');
    g.parameter = std::string("abc\0def", 7);
    EXPECT_EQ(g.name.size(), kMaxGaugeNameLength);
    EXPECT_EQ(g.parameter, "abc");
    Panel p = EmptyPanel();
    p.forwardWindowsList = std::string(300, 'f');
    EXPECT_EQ(p.forwardWindowsList.size(), 127u);
    EXPECT_FALSE(p.headerComments.append(std::string(1000, 'c')));
    EXPECT_EQ(p.headerComments.size(), kMaxHeaderCommentsLength);
}

TEST(PanelModel, WindowCapacitiesAndKindOrder) {
    Panel p = EmptyPanel();
    EXPECT_EQ(InsertWindow(p, MakeWindow(WindowKind::Vcockpit, "")), 0);
    EXPECT_EQ(InsertWindow(p, MakeWindow(WindowKind::FixedWindow, "F")), 0);
    EXPECT_EQ(InsertWindow(p, MakeWindow(WindowKind::Window, "W0")), 0);
    EXPECT_EQ(InsertWindow(p, MakeWindow(WindowKind::Window, "W1")), 1);
    EXPECT_EQ(p.windows[2].title, "F");
    EXPECT_TRUE(p.windows[3].vcockpit);
    for (int i = 0; i < 29; ++i) ASSERT_GE(InsertWindow(p, MakeWindow(WindowKind::Window, "x")), 0);
    EXPECT_EQ(p.windowCount, 32);
    EXPECT_FALSE(CanAddTitledWindow(p));
    EXPECT_EQ(InsertWindow(p, MakeWindow(WindowKind::FixedWindow, "no")), -1);
    for (int i = 0; i < 31; ++i) ASSERT_GE(InsertWindow(p, MakeWindow(WindowKind::Vcockpit, "")), 0);
    EXPECT_EQ(p.windowCount + p.vcockpitCount, 64);
    EXPECT_EQ(InsertWindow(p, MakeWindow(WindowKind::Vcockpit, "")), -1);
    std::string why;
    EXPECT_TRUE(PanelIsConsistent(p, &why)) << why;
    RemoveWindow(p, 0);
    EXPECT_EQ(p.windowCount, 31);
    EXPECT_TRUE(PanelIsConsistent(p, &why)) << why;
}

TEST(PanelModel, GaugeCapacityAndCopyWindow) {
    Panel p = EmptyPanel();
    InsertWindow(p, MakeWindow(WindowKind::Window, "A"));
    InsertWindow(p, MakeWindow(WindowKind::Window, "B"));
    for (int i = 0; i < kMaxGauges; ++i) ASSERT_TRUE(AddGauge(p.windows[0], GaugeEntry{}));
    EXPECT_FALSE(AddGauge(p.windows[0], GaugeEntry{}));
    EXPECT_EQ(p.windows[0].gaugeCount, 128);
    CopyWindow(p, 0, 1);
    EXPECT_EQ(p.windows[1].title, "A");
    EXPECT_EQ(p.windows[1].gaugeCount, 128);
    EXPECT_TRUE(RemoveGauge(p.windows[1], 5));
    EXPECT_EQ(p.windows[1].gaugeCount, 127);
}

TEST(PanelModel, EmptyPanelHasViewPrefixesAndNothingGiven) {
    Panel p = EmptyPanel();
    EXPECT_EQ(p.views[0].name, "view_forward_");
    EXPECT_EQ(p.views[23].name, "view_aux_05_");
    EXPECT_EQ(p.views[10].index, -1);
    EXPECT_EQ(p.views[10].zoom, kNotGivenReal);
    EXPECT_EQ(StringPairCount(p), 0);
    EXPECT_EQ(p.colorCount, 0);
    ColorEntry c = ColorEntry::FromRgb(1, 2, 3);
    EXPECT_EQ(c.value, 0x030201u);
}

}  // namespace
}  // namespace brindle
