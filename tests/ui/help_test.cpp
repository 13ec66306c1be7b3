#include "app/helpform.h"
#include "base/datalocations.h"
#include "base/help.h"
#include "testsupport.h"

#include <QFileInfo>
#include <QTextBrowser>

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
