#include "ui/app/message_box.h"

#include <gtest/gtest.h>
#include <wx/checkbox.h>

#include "ui/app/text.h"

using brindle::BoxKind;

TEST(MessageBox, TitlesAndOptOutCheckBoxOnlyForTheOptOutWarning) {
    struct Case {
        BoxKind kind;
        bool optOut;
        const char* title;
        bool checkBox;
    };
    const Case cases[] = {{BoxKind::Warning, false, "Brindle - Warning", false},
                          {BoxKind::Error, false, "Brindle - Error", false},
                          {BoxKind::Warning, true, "Brindle - Warning", true},
                          {BoxKind::Error, true, "Brindle - Error", false}};
    for (const auto& c : cases) {
        brindle::SetShowAgainFlag(1);
        CMessageBox box(nullptr, "Line one\n\nLine three", c.kind, c.optOut);
        EXPECT_EQ(box.GetTitle(), c.title);
        EXPECT_EQ(box.OptOutShown(), c.checkBox);
        if (c.checkBox) {
            EXPECT_EQ(box.OptOutBox()->GetLabel(), "Don't show these kinds of errors again");
            EXPECT_FALSE(box.OptOutBox()->GetValue());
            // Ticking it clears the show-again flag; unticking sets it again.
            box.OptOutBox()->SetValue(true);
            wxCommandEvent tick(wxEVT_CHECKBOX, box.OptOutBox()->GetId());
            tick.SetInt(1);
            tick.SetEventObject(box.OptOutBox());
            box.OptOutBox()->GetEventHandler()->ProcessEvent(tick);
            EXPECT_EQ(brindle::ShowAgainFlag(), 0);
            wxCommandEvent untick(wxEVT_CHECKBOX, box.OptOutBox()->GetId());
            untick.SetInt(0);
            untick.SetEventObject(box.OptOutBox());
            box.OptOutBox()->GetEventHandler()->ProcessEvent(untick);
            EXPECT_EQ(brindle::ShowAgainFlag(), 1);
        }
    }
    // With the flag already cleared, the box opens ticked.
    brindle::SetShowAgainFlag(0);
    CMessageBox box(nullptr, "again", BoxKind::Warning, true);
    EXPECT_TRUE(box.OptOutBox()->GetValue());
    brindle::SetShowAgainFlag(1);
}

TEST(MessageText, EightBitPanelTextIsNeverLost) {
    // A gauge name in the simulator's 8-bit text inside a message: shown, not dropped.
    EXPECT_EQ(FromMessageText("Can't Load Caf\xe9!Gauge"),
              wxString::FromUTF8("Can't Load Caf\xc3\xa9!Gauge"));
    EXPECT_EQ(FromMessageText("/home/j\xc3\xbcrgen"), wxString::FromUTF8("/home/j\xc3\xbcrgen"));
}
