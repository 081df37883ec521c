// The wx side of the command table: ids, menus, tool bar and handlers built from the rows.
#include "ui/app/actions.h"

#include <gtest/gtest.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include <memory>
#include <set>

#include "app/window_list.h"
#include "ui/app/command_handlers.h"

using brindle::Cmd;

TEST(CommandTableShell, WxIdsAreDenseDistinctAndRoundTrip) {
    std::set<int> ids;
    for (const brindle::CommandSpec& c : brindle::AllCommands()) {
        const int id = WxId(c.cmd);
        EXPECT_LT(id, 32767) << static_cast<int>(c.cmd);  // what a menu id may be
        EXPECT_TRUE(ids.insert(id).second) << static_cast<int>(c.cmd);
        EXPECT_EQ(FromWxId(id), static_cast<int>(c.cmd));
    }
    for (int n = brindle::kWindowListFirstId; n <= brindle::kWindowListLastId; ++n) {
        EXPECT_TRUE(ids.insert(ToWxId(n)).second) << n;
        EXPECT_EQ(FromWxId(ToWxId(n)), n);
    }
    // The framework's own commands keep the stock ids; what is no command maps to none.
    EXPECT_EQ(WxId(Cmd::Exit), wxID_EXIT);
    EXPECT_EQ(WxId(Cmd::Print), wxID_PRINT);
    EXPECT_EQ(FromWxId(wxID_FILE1), -1);
    EXPECT_EQ(ToWxId(12345), wxID_NONE);
}

TEST(CommandTableShell, MenusCarryTheRowsTextsKeysAndKinds) {
    std::unique_ptr<wxMenuBar> bar(BuildMenuBar());
    ASSERT_EQ(bar->GetMenuCount(), brindle::MenuBarLayout().size());
    EXPECT_EQ(bar->GetMenuLabel(brindle::kWindowMenuIndex), "&Window");
    struct Case {
        Cmd cmd;
        const char* label;
        wxItemKind kind;
    };
    const Case cases[] = {{Cmd::NewPanel, "&New Panel.cfg...\tCtrl+N", wxITEM_NORMAL},
                          {Cmd::Cut, "Cut\tCtrl+X", wxITEM_NORMAL},
                          {Cmd::Paste, "&Paste\tCtrl+V", wxITEM_NORMAL},
                          {Cmd::Delete, "Delete ", wxITEM_NORMAL},
                          {Cmd::GridVisible, "Grid Visible", wxITEM_CHECK},
                          {Cmd::DeleteCurrentWindow, "Delete Current WIndow", wxITEM_NORMAL}};
    for (const Case& c : cases) {
        wxMenuItem* item = bar->FindItem(WxId(c.cmd));
        ASSERT_NE(item, nullptr) << c.label;
        EXPECT_EQ(item->GetItemLabel(), c.label);
        EXPECT_EQ(item->GetKind(), c.kind) << c.label;
    }
    ASSERT_NE(RecentFileMenu(bar.get()), nullptr);
    EXPECT_EQ(bar->FindItem(WxId(Cmd::PasteTool)), nullptr);  // the tool bar's paste only
    EXPECT_TRUE(BuildAcceleratorTable().IsOk());

    std::unique_ptr<wxMenu> elements(BuildGaugeElementsMenu());
    EXPECT_EQ(elements->FindItemByPosition(0)->GetItemLabel(), "Gauge Elements To Draw");
    EXPECT_FALSE(elements->FindItemByPosition(0)->IsEnabled());
    EXPECT_TRUE(elements->FindItem(WxId(Cmd::ElementsIcons))->IsCheckable());
}

// The commands that nothing carries out yet. They are shown disabled; when a command's dialog
// lands, its handler is registered and its line goes from here.
TEST(CommandTableShell, EveryCommandHasAHandlerButThoseStillToCome) {
    const std::set<Cmd> withoutHandler = {
        // Declared without any effect.
        Cmd::ViewGaugeOutlines, Cmd::ViewGauges, Cmd::ViewTransparentGauges, Cmd::Logging,
        Cmd::ElementsStatic, Cmd::SnapToDisplayedGrid};
    for (const brindle::CommandSpec& c : brindle::AllCommands())
        EXPECT_EQ(HasHandler(c.cmd), withoutHandler.count(c.cmd) == 0)
            << static_cast<int>(c.cmd) << " " << c.text;
}
