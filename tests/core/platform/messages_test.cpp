#include "platform/messages.h"

#include <gtest/gtest.h>

using namespace brindle;

TEST(MessageBoxes, OptOutReturnsFlagAfterBoxAndOthersNeverOfferIt) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    SetShowAgainFlag(1);
    EXPECT_EQ(ShowWarningWithOptOut("first"), 1);
    ui.tickOptOut = true;
    EXPECT_EQ(ShowWarningWithOptOut("second"), 0);
    // The error box with a result never shows the check box but reports the current flag.
    EXPECT_EQ(ShowErrorWithResult("third"), 0);
    SetShowAgainFlag(1);
    EXPECT_EQ(ShowErrorWithResult("fourth"), 1);
    ShowWarning("a\n\nb");
    ShowError("c");
    ASSERT_EQ(ui.entries.size(), 6u);
    using K = RecordingMessageUi::Kind;
    EXPECT_EQ(ui.entries[0].kind, K::OptOut);
    EXPECT_EQ(ui.entries[0].title, "Brindle - Warning");
    EXPECT_EQ(ui.entries[2].kind, K::Error);
    EXPECT_EQ(ui.entries[2].title, "Brindle - Error");
    EXPECT_EQ(ui.entries[4].kind, K::Warning);
    EXPECT_EQ(ui.entries[4].text, "a\n\nb");
    EXPECT_EQ(ui.entries[5].kind, K::Error);
}

TEST(MessageBoxes, QuestionsAnswerFromScriptThenDefault) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    ui.answers = {Answer::Yes, Answer::Cancel};
    EXPECT_EQ(AskQuestion(QuestionKind::YesNo, "q1"), Answer::Yes);
    EXPECT_EQ(AskQuestion(QuestionKind::YesNoCancel, "q2"), Answer::Cancel);
    EXPECT_EQ(AskQuestion(QuestionKind::YesNo, "q3"), Answer::No);
    EXPECT_EQ(ui.entries.size(), 3u);
    EXPECT_EQ(ui.entries[2].kind, RecordingMessageUi::Kind::Question);
}

TEST(MessageBoxes, SystemErrorAlwaysShowsPrefix) {
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    ReportSystemError("Can't open", ENOENT);
    ReportSystemError("Plain", 0);
    ASSERT_EQ(ui.entries.size(), 2u);
    EXPECT_EQ(ui.entries[0].text.rfind("Can't open: ", 0), 0u);
    EXPECT_GT(ui.entries[0].text.size(), std::string("Can't open: ").size());
    EXPECT_EQ(ui.entries[1].text, "Plain: ");
    EXPECT_EQ(ui.entries[1].kind, RecordingMessageUi::Kind::Warning);
}
