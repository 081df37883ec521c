#include "app/window_list.h"

#include <gtest/gtest.h>

using namespace brindle;

namespace {
Panel panelWith(int windows, int fixed, int vcockpits) {
    Panel p = EmptyPanel();
    for (int i = 0; i < windows; ++i) {
        PanelWindow w;
        w.title = "Main";
        InsertWindow(p, w);
    }
    for (int i = 0; i < fixed; ++i) {
        PanelWindow w;
        w.fixed = true;
        w.fixedNumber = 30 + i;
        w.title = "View";
        InsertWindow(p, w);
    }
    for (int i = 0; i < vcockpits; ++i) {
        PanelWindow w;
        w.vcockpit = true;
        w.vcockpitNumber = i + 1;
        InsertWindow(p, w);
    }
    return p;
}
}  // namespace

TEST(WindowList, TextsIdsAndTheCheckedWindow) {
    EXPECT_TRUE(BuildWindowList(nullptr, true, 0).empty());
    Panel p = panelWith(2, 1, 1);
    EXPECT_TRUE(BuildWindowList(&p, false, 0).empty());
    auto list = BuildWindowList(&p, true, 2);
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list[0].text, "Window00   Main");
    EXPECT_EQ(list[2].text, "Fixed Window30  View");
    EXPECT_EQ(list[3].text, "VCockpit01");
    EXPECT_EQ(list[3].id, 60003);
    EXPECT_TRUE(list[2].checked);
    EXPECT_FALSE(list[0].checked);
}

TEST(WindowList, AtMostThirtyTwoEntries) {
    Panel full = panelWith(32, 0, 3);
    auto list = BuildWindowList(&full, true, 0);
    EXPECT_EQ(list.size(), 32u);
    EXPECT_EQ(list.back().text, "Window31   Main");

    Panel mixed = panelWith(30, 0, 5);
    list = BuildWindowList(&mixed, true, 31);
    ASSERT_EQ(list.size(), 32u);
    EXPECT_EQ(list[30].text, "VCockpit01");
    EXPECT_EQ(list[30].id, 60030);
    EXPECT_EQ(list[31].text, "VCockpit02");
    EXPECT_EQ(list[31].id, 60031);
    EXPECT_TRUE(list[31].checked);
}
