#include "app/commands.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

using namespace brindle;

TEST(CommandRules, EnableAndCheckFollowTheState) {
    CommandContext none;
    // With no panel loaded the window and gauge commands are off.
    for (Cmd c : {Cmd::WindowProperties, Cmd::AddNewWindow, Cmd::DeleteCurrentWindow, Cmd::AddGauge,
                  Cmd::Save, Cmd::ZoomIn, Cmd::Undo, Cmd::Paste, Cmd::GaugeProperties, Cmd::TestSkyColor})
        EXPECT_FALSE(EvaluateCommand(c, none).enabled) << static_cast<int>(c);
    // Commands without a handler stay disabled whatever the state.
    CommandContext all;
    all.panelLoaded = all.hasCurrentFile = all.backgroundLoaded = all.undoAvailable = all.redoAvailable =
        true;
    all.selectedCount = 3;
    all.clipboardCount = 1;
    for (Cmd c : {Cmd::ViewGaugeOutlines, Cmd::ViewGauges, Cmd::ViewTransparentGauges, Cmd::Logging})
        EXPECT_FALSE(EvaluateCommand(c, all).enabled);

    struct Case {
        Cmd cmd;
        int selected;
        bool enabled;
    };
    const Case bySelection[] = {{Cmd::Delete, 0, false},           {Cmd::Delete, 1, true},
                                {Cmd::GaugeProperties, 1, true},   {Cmd::GaugeProperties, 2, false},
                                {Cmd::LineUpVertically, 1, false}, {Cmd::LineUpVertically, 2, true},
                                {Cmd::SameSizeSmallest, 2, true},  {Cmd::CopyGaugeBitmap, 1, true}};
    for (const auto& c : bySelection) {
        CommandContext ctx;
        ctx.panelLoaded = true;
        ctx.selectedCount = c.selected;
        EXPECT_EQ(EvaluateCommand(c.cmd, ctx).enabled, c.enabled)
            << static_cast<int>(c.cmd) << " " << c.selected;
    }

    CommandContext ctx;
    ctx.panelLoaded = true;
    ctx.gaugeCount = 2;
    for (int mode : {0, 1, 2, 3})
        EXPECT_EQ(*EvaluateCommand(Cmd::OutlineGauges, (ctx.outlineMode = mode, ctx)).checked,
                  mode == 1 || mode == 2);
    ctx.paintProgramLength = 3;
    ctx.backgroundLoaded = true;
    EXPECT_FALSE(EvaluateCommand(Cmd::EditWindowBitmap, ctx).enabled);
    ctx.paintProgramLength = 4;
    EXPECT_TRUE(EvaluateCommand(Cmd::EditWindowBitmap, ctx).enabled);
    ctx.currentIsVcockpit = true;
    EXPECT_FALSE(EvaluateCommand(Cmd::SetDefaultPosition, ctx).enabled);
    ctx.gaugeDrawTypes = 1 | 16;
    EXPECT_TRUE(*EvaluateCommand(Cmd::ElementsIcons, ctx).checked);
    EXPECT_FALSE(EvaluateCommand(Cmd::ElementsIcons, ctx).enabled);  // only while all elements are drawn
    ctx.drawAllBitmaps = true;
    EXPECT_TRUE(EvaluateCommand(Cmd::ElementsIcons, ctx).enabled);
    EXPECT_TRUE(EvaluateCommand(Cmd::DrawAllElements, ctx).enabled);
    EXPECT_FALSE(EvaluateCommand(Cmd::DrawAllElements, none).enabled);
    EXPECT_FALSE(EvaluateCommand(Cmd::TestSkyColor, ctx).enabled);  // no colour table to try
    ctx.skyColorTestable = true;
    EXPECT_TRUE(EvaluateCommand(Cmd::TestSkyColor, ctx).enabled);
    EXPECT_FALSE(*EvaluateCommand(Cmd::ElementsSliders, ctx).checked);
    EXPECT_EQ(ElementToggleBit(Cmd::ElementsMovingImages), 32);
}

TEST(CommandTable, EachCommandOnceAndEveryLaidOutCommandDeclared) {
    std::set<int> numbers;
    std::map<std::string, int> keys;
    for (const CommandSpec& c : AllCommands()) {
        EXPECT_TRUE(numbers.insert(static_cast<int>(c.cmd)).second) << "twice: " << static_cast<int>(c.cmd);
        EXPECT_NE(c.rule, nullptr) << static_cast<int>(c.cmd);
        EXPECT_NE(std::string(c.text), "") << static_cast<int>(c.cmd);
        for (const std::string& k : AcceleratorsOf(c))
            EXPECT_EQ(keys.emplace(k, static_cast<int>(c.cmd)).first->second, static_cast<int>(c.cmd))
                << k << " is on two commands";
    }
    std::vector<Cmd> laidOut;
    for (const MenuLayout& m : MenuBarLayout()) laidOut.insert(laidOut.end(), m.items.begin(), m.items.end());
    for (const ToolLayout& t : ToolBarLayout()) {
        laidOut.push_back(t.cmd);
        if (t.cmd != kSeparator) {
            EXPECT_NE(FindCommand(t.cmd)->icon, nullptr) << static_cast<int>(t.cmd);
        }
    }
    for (int menu : {kMenuNoGauge, kMenuOneGauge, kMenuSeveralGauges})
        for (Cmd c : ContextMenuLayout(menu)) laidOut.push_back(c);
    for (Cmd c : GaugeElementsLayout().items) laidOut.push_back(c);
    for (Cmd c : laidOut)
        if (c != kSeparator) {
            EXPECT_NE(FindCommand(c), nullptr) << static_cast<int>(c);
        }
    EXPECT_EQ(std::string(MenuBarLayout()[kWindowMenuIndex].title), "&Window");
    EXPECT_EQ(AcceleratorsOf(*FindCommand(Cmd::Cut)), (std::vector<std::string>{"Ctrl+X", "Shift+Delete"}));
    EXPECT_TRUE(AcceleratorsOf(*FindCommand(Cmd::Close)).empty());
    EXPECT_FALSE(EvaluateCommand(static_cast<Cmd>(12345), CommandContext{}).enabled);
}

TEST(CommandTable, ContextMenusReadAsTheUserKnowsThem) {
    struct Case {
        int menu;
        std::vector<std::string> texts;  // "-" a separator
    };
    const Case cases[] = {
        {kMenuNoGauge, {"Cut", "Copy", "Paste", "Delete", "-", "Fit", "Zoom In", "Zoom Out", "Redraw"}},
        {kMenuOneGauge,
         {"Cut", "Copy", "Paste", "Delete", "-", "Set Gauge Aspect Ratio to 1.0", "Snap To Grid", "-",
          "Move Up", "Move to Front", "Move Down", "Move to Back", "-", "Hide this Gauge's Bitmaps",
          "UnHide this Gauge", "-", "Properties..."}},
        {kMenuSeveralGauges,
         {"Cut", "Copy", "Paste", "Delete", "-", "Set Gauge Aspect Ratio to 1.0", "Snap To Grid", "-",
          "Line Up Horizontally", "Line Up Vertically", "Stack Vertically", "Stack Horizontally", "-",
          "Hide Gauge Bitmaps", "UnHide Gauge Bitmaps", "-", "Set to Same Size (largest)",
          "Set to Same Size (smallest)"}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> texts;
        for (Cmd cmd : ContextMenuLayout(c.menu))
            texts.push_back(cmd == kSeparator ? "-" : ContextTextOf(*FindCommand(cmd), c.menu));
        EXPECT_EQ(texts, c.texts) << c.menu;
    }
    // The menu bar keeps its own wording and mnemonics.
    EXPECT_STREQ(FindCommand(Cmd::AspectRatio)->text, "Set Aspect Ratio to 1.0");
    EXPECT_STREQ(FindCommand(Cmd::Copy)->text, "&Copy");
}

TEST(CommandRules, ContextMenuEntriesAndBarsFollowTheirState) {
    struct Case {
        Cmd cmd;
        int selected;
        bool canHide, canUnhide;
        bool enabled;
    };
    const Case cases[] = {
        {Cmd::MoveUp, 0, true, false, false},
        {Cmd::MoveToBack, 1, true, false, true},
        {Cmd::SnapToGridContext, 1, true, false, true},
        {Cmd::SameSizeLargestContext, 1, true, false, false},
        {Cmd::SameSizeLargestContext, 2, true, false, true},
        {Cmd::HideGaugeBitmaps, 0, true, false, false},
        {Cmd::HideGaugeBitmaps, 1, true, false, true},
        {Cmd::HideGaugeBitmaps, 1, false, true, false},
        {Cmd::UnhideGaugeBitmaps, 1, false, true, true},
        {Cmd::UnhideGaugeBitmaps, 1, true, false, false},
    };
    for (const Case& c : cases) {
        CommandContext ctx;
        ctx.panelLoaded = true;
        ctx.selectedCount = c.selected;
        ctx.canHide = c.canHide;
        ctx.canUnhide = c.canUnhide;
        EXPECT_EQ(EvaluateCommand(c.cmd, ctx).enabled, c.enabled)
            << static_cast<int>(c.cmd) << " " << c.selected;
    }
    CommandContext ctx;
    ctx.toolBarShown = true;
    EXPECT_EQ(EvaluateCommand(Cmd::ViewToolbar, ctx).checked, std::optional<bool>(true));
    EXPECT_EQ(EvaluateCommand(Cmd::ViewStatusBar, ctx).checked, std::optional<bool>(false));
    // A check item reports its mark; a plain one none.
    EXPECT_FALSE(EvaluateCommand(Cmd::Fit, ctx).checked.has_value());
}
