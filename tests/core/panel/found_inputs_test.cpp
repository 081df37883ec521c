// Inputs the fuzzers found that lost or broke something, each cut down to what shows the fault.
#include <gtest/gtest.h>

#include "panel/panel_reader.h"
#include "panel/panel_writer.h"
#include "panel/views.h"
#include "platform/messages.h"

namespace brindle {
namespace {

Panel Read(const std::string& text) {
    RecordingMessageUi ui;
    ui.defaultAnswer = Answer::Yes;
    ScopedMessageUi scope(ui);
    PanelReadOptions options;
    Panel panel;
    EXPECT_TRUE(ParsePanelText(text, "found.cfg", options, panel));
    return panel;
}

// A title line that runs into the next section's header ("MINI[Config]") ends the titles section there.
// The title kept only what lies before the "[", so that the saved file does not end its own titles
// section early and lose the Fixed Windows written after it.
TEST(FoundInputs, ATitleHoldingASectionHeaderDoesNotCostTheWindowsAfterItOnTheNextRead) {
    const std::string text =
        "[Window Titles]\nWindow00=MAIN\nWindow01=MINI [Config]\nMaxSounds=10\nWindow02=LOST\n\n"
        "[Window00]\nsize_mm=100\n\n[Window01]\nsize_mm=100\n\n";
    Panel panel = Read(text);
    ASSERT_EQ(panel.windowCount, 2);
    EXPECT_EQ(panel.windows[1].title.str(), "MINI");
    ASSERT_GE(CreateFixedWindowForView(panel, 2, "right.bmp"), 0);
    PanelWriteOptions options;
    options.time = 0;
    Panel again = Read(FormatPanel(panel, options));
    ASSERT_EQ(again.windowCount, 3);
    EXPECT_EQ(again.windows[1].title.str(), "MINI");
    EXPECT_GE(FindFixedWindow(again, again.views[2].index), 0);
}

}  // namespace
}  // namespace brindle
