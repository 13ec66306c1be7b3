#include "base/messages.h"
#include "testsupport.h"

#include <gtest/gtest.h>

TEST(ShowMessageBox, SetsTheShowingFlagOnlyWhileTheBoxIsOpen) {
    bool seenWhileOpen = false;
    SetMessageBoxHandler([&](const QString&, int, int) {
        seenWhileOpen = MessageBoxShowing;
        return mrYes;
    });
    MessageBoxShowing = false;
    EXPECT_EQ(ShowMessageBox(QStringLiteral("Sure?"), mkConfirmation, mbYesNo), mrYes);
    EXPECT_TRUE(seenWhileOpen);
    EXPECT_FALSE(MessageBoxShowing);

    // A box opened while the main window shows another window keeps the flag set afterwards.
    MessageBoxShowing = true;
    ShowMessageBox(QStringLiteral("x"), mkInformation, mbOK);
    EXPECT_TRUE(MessageBoxShowing);
    MessageBoxShowing = false;
    SetMessageBoxHandler({});
}

TEST(ShowMessageBox, FlagIsRestoredWhenTheHandlerThrows) {
    SetMessageBoxHandler([](const QString&, int, int) -> int { throw std::runtime_error("x"); });
    MessageBoxShowing = false;
    EXPECT_THROW(ShowMessageBox(QStringLiteral("x"), mkError, mbOK), std::runtime_error);
    EXPECT_FALSE(MessageBoxShowing);
    SetMessageBoxHandler({});
}

TEST(ShowMessageBox, ConsoleAnswersWithTheSafeChoice) {
    EXPECT_EQ(ConsoleMessageBox(QStringLiteral("a"), mkWarning, mbOK), mrOk);
    EXPECT_EQ(ConsoleMessageBox(QStringLiteral("a"), mkConfirmation, mbYesNo), mrNo);
    EXPECT_EQ(ConsoleMessageBox(QStringLiteral("a"), mkConfirmation, mbOKCancel), mrCancel);
}

TEST(ShowMessageBox, RecorderKeepsTextKindAndButtons) {
    TMessageRecorder recorder;
    recorder.Answer = mrNo;
    EXPECT_EQ(ShowMessageBox(QStringLiteral("Delete?"), mkConfirmation, mbYesNo), mrNo);
    ASSERT_EQ(recorder.Shown.size(), 1u);
    EXPECT_EQ(recorder.Shown[0].Text, QStringLiteral("Delete?"));
    EXPECT_EQ(recorder.Shown[0].Kind, mkConfirmation);
    EXPECT_EQ(recorder.Shown[0].Buttons, mbYes | mbNo);
}
