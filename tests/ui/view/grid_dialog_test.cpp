#include "ui/view/grid_dialog.h"

#include <gtest/gtest.h>
#include <wx/textctrl.h>

#include "platform/messages.h"

TEST(GridDialog, ShowsTheSizeAndRejectsOutOfRangeValues) {
    brindle::RecordingMessageUi ui;
    brindle::ScopedMessageUi scope(ui);
    CGridDlg dlg(nullptr, 10);
    EXPECT_EQ(dlg.GetTitle(), "Brindle - Grid Properties");
    EXPECT_EQ(dlg.Edit()->GetValue(), "  10");
    for (const char* bad : {"4", "101", "abc"}) {
        dlg.Edit()->SetValue(bad);
        EXPECT_FALSE(dlg.Validate()) << bad;
        EXPECT_EQ(dlg.GridSize(), 10);
    }
    EXPECT_EQ(ui.entries.size(), 3u);
    dlg.Edit()->SetValue(" 25");
    EXPECT_TRUE(dlg.Validate());
    EXPECT_EQ(dlg.GridSize(), 25);
}
