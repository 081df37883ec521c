#include "app/commands.h"

#include <gtest/gtest.h>

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
