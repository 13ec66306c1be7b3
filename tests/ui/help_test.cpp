#include "app/helpform.h"
#include "base/datalocations.h"
#include "base/help.h"
#include "testsupport.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

class Help : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().ProgramFolder = QStringLiteral(QH_SOURCE_DIR "/resources/programfolder/");
    }
};

TEST_F(Help, EveryTopicHasARealPage) {
    for (const QString& topic : HelpTopics()) {
        const QString file = HelpTopicFile(topic);
        ASSERT_TRUE(QFileInfo::exists(file)) << file.toStdString();
        THelpForm form;
        form.ShowTopic(topic);
        const QString text = form.txtHelp->toPlainText();
        EXPECT_GT(text.size(), 200) << topic.toStdString();
        EXPECT_FALSE(text.contains(QStringLiteral("not available"))) << topic.toStdString();
    }
}

TEST_F(Help, ShowHelpTopicOpensTheWindowAndCloseHelpWindowsClosesIt) {
    InstallHelpWindow();
    EXPECT_FALSE(HelpOpened);
    ShowHelpTopic(QStringLiteral("Support.htm"));
    EXPECT_TRUE(HelpOpened);
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_TRUE(HelpWindow()->isVisible());
    EXPECT_EQ(HelpWindow()->CurrentTopic(), QStringLiteral("Support.htm"));
    EXPECT_TRUE(
        HelpWindow()->txtHelp->toPlainText().contains(QStringLiteral("quillhour-cli config")));
    ShowHelpTopic(QStringLiteral("Search.htm")); // the same window shows the next topic
    EXPECT_EQ(HelpWindow()->CurrentTopic(), QStringLiteral("Search.htm"));
    CloseHelpWindows();
    EXPECT_TRUE(HelpWindow() == nullptr || !HelpWindow()->isVisible());
}

TEST_F(Help, MissingPageSaysSoInsteadOfShowingNothing) {
    THelpForm form;
    form.ShowTopic(QStringLiteral("No Such Page.htm"));
    EXPECT_TRUE(form.txtHelp->toPlainText().contains(QStringLiteral("No Such Page.htm")));
}

TEST(HelpFlags, CloseHelpWindowsDoesNothingWhenNoTopicWasOpened) {
    bool closed = false;
    SetHelpHandlers({[](const QString&) {}, [&] { closed = true; }});
    HelpOpened = false;
    CloseHelpWindows();
    EXPECT_FALSE(closed);
    HelpOpened = true;
    CloseHelpWindows();
    EXPECT_TRUE(closed);
    HelpOpened = false;
    SetHelpHandlers({});
}

// A modal dialog blocks every window that is not its own, so help asked for from a dialog
// belongs to the dialog while it is open, where a click reaches it.
TEST_F(Help, HelpFromAModalDialogCanBeUsedWhileTheDialogIsOpen) {
    InstallHelpWindow();
    QDialog dialog;
    dialog.setModal(true);
    bool checked = false;
    QTimer::singleShot(0, &dialog, [&] {
        ASSERT_EQ(QApplication::activeModalWidget(), &dialog);
        ShowHelpTopic(QStringLiteral("Support.htm"));
        ASSERT_NE(HelpWindow(), nullptr);
        EXPECT_TRUE(HelpWindow()->isVisible());
        EXPECT_TRUE(HelpWindow()->isWindow());
        EXPECT_EQ(HelpWindow()->parentWidget(), &dialog);
        // Input reaches it: the browser takes the keyboard and scrolls.
        HelpWindow()->txtHelp->setFocus();
        QTest::keyClick(HelpWindow()->txtHelp, Qt::Key_End);
        checked = true;
        dialog.reject();
    });
    dialog.exec();
    EXPECT_TRUE(checked);
    // Without a dialog, the next topic opens it as a window of its own again.
    ShowHelpTopic(QStringLiteral("Search.htm"));
    ASSERT_NE(HelpWindow(), nullptr);
    EXPECT_EQ(HelpWindow()->parentWidget(), nullptr);
    CloseHelpWindows();
}
