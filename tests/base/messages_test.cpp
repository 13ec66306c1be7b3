#include "base/messages.h"
#include "testsupport.h"

#include <gtest/gtest.h>

TEST(ShowMessageBox, SetsTheShowingFlagOnlyWhileTheBoxIsOpen) {
    bool seenWhileOpen = false;
    SetMessageBoxHandler([&](const QString&, TMsgKind, int) {
        seenWhileOpen = MessageBoxShowing;
        return mrYes;
    });
    MessageBoxShowing = false;
    EXPECT_EQ(ShowMessageBox(QStringLiteral("Sure?"), TMsgKind::Confirmation, mbYesNo), mrYes);
    EXPECT_TRUE(seenWhileOpen);
    EXPECT_FALSE(MessageBoxShowing);

    // A box opened while the main window shows another window keeps the flag set afterwards.
    MessageBoxShowing = true;
    ShowMessageBox(QStringLiteral("x"), TMsgKind::Information, mbOK);
    EXPECT_TRUE(MessageBoxShowing);
    MessageBoxShowing = false;
    SetMessageBoxHandler({});
}

TEST(ShowMessageBox, FlagIsRestoredWhenTheHandlerThrows) {
    SetMessageBoxHandler(
        [](const QString&, TMsgKind, int) -> int { throw std::runtime_error("x"); });
    MessageBoxShowing = false;
    EXPECT_THROW(ShowMessageBox(QStringLiteral("x"), TMsgKind::Error, mbOK), std::runtime_error);
    EXPECT_FALSE(MessageBoxShowing);
    SetMessageBoxHandler({});
}

TEST(ShowMessageBox, ConsoleAnswersWithTheSafeChoice) {
    EXPECT_EQ(ConsoleMessageBox(QStringLiteral("a"), TMsgKind::Warning, mbOK), mrOk);
    EXPECT_EQ(ConsoleMessageBox(QStringLiteral("a"), TMsgKind::Confirmation, mbYesNo), mrNo);
    EXPECT_EQ(ConsoleMessageBox(QStringLiteral("a"), TMsgKind::Confirmation, mbOKCancel), mrCancel);
}

TEST(ShowMessageBox, RecorderKeepsTextKindAndButtons) {
    TMessageRecorder recorder;
    recorder.Answer = mrNo;
    EXPECT_EQ(ShowMessageBox(QStringLiteral("Delete?"), TMsgKind::Confirmation, mbYesNo), mrNo);
    ASSERT_EQ(recorder.Shown.size(), 1u);
    EXPECT_EQ(recorder.Shown[0].Text, QStringLiteral("Delete?"));
    EXPECT_EQ(recorder.Shown[0].Kind, TMsgKind::Confirmation);
    EXPECT_EQ(recorder.Shown[0].Buttons, mbYes | mbNo);
}
