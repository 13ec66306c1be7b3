#include "app/aboutform.h"
#include "app/splashform.h"
#include "app/tipsform.h"
#include "base/datalocations.h"
#include "base/version.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

class TipsForm : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().ProgramFolder = MakeFolder(QStringLiteral("program"));
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
    }
    void WriteTips(const QByteArray& bytes) {
        WriteFile(Locations().ProgramFolder + QStringLiteral("QHRtips.txt"), bytes);
    }
    std::unique_ptr<TTipsForm> Open() {
        auto form = std::make_unique<TTipsForm>();
        form->FormShow();
        return form;
    }
};

TEST_F(TipsForm, ContinuesAfterTheLastTipAndWrapsRound) {
    WriteTips("First tip\r\nSecond tip\r\nThird tip\r\n");
    PersonalSettings().LastTip = 2;
    auto form = Open();
    EXPECT_EQ(form->windowTitle(), QStringLiteral("Quillhour Tips"));
    EXPECT_EQ(form->lblTipNum->text(), QStringLiteral("Tip No. 1"));
    EXPECT_EQ(form->txtTips->text(), QStringLiteral("First tip"));
    EXPECT_EQ(PersonalSettings().LastTip, 0);
    EXPECT_TRUE(form->btnNext->isEnabled());
    QTest::mouseClick(form->btnNext, Qt::LeftButton);
    EXPECT_EQ(form->lblTipNum->text(), QStringLiteral("Tip No. 2"));
    EXPECT_EQ(form->txtTips->text(), QStringLiteral("Second tip"));
    EXPECT_EQ(PersonalSettings().LastTip, 1);
}

TEST_F(TipsForm, ALastTipBeyondTheFileStartsAgainAtTheFirst) {
    WriteTips("One\nTwo\n");
    PersonalSettings().LastTip = 40;
    auto form = Open();
    EXPECT_EQ(form->lblTipNum->text(), QStringLiteral("Tip No. 1"));
    PersonalSettings().LastTip = -7;
    form->btnNextClick();
    EXPECT_EQ(form->lblTipNum->text(), QStringLiteral("Tip No. 1"));
}

TEST_F(TipsForm, BlankLinesAreNoTipsAndLineBreaksAreDecoded) {
    WriteTips("\r\n   \r\nFirst line%%second line\r\n\r\nA%%~tab\r\n");
    const QStringList tips = ReadTipsFile(TipsFileName());
    EXPECT_EQ(tips,
              QStringList({QStringLiteral("First line\nsecond line"), QStringLiteral("A\ttab")}));
}

TEST_F(TipsForm, OneTipCannotBeFollowedByAnother) {
    WriteTips("\r\nOnly tip\r\n\r\n");
    auto form = Open();
    EXPECT_EQ(form->lblTipNum->text(), QStringLiteral("Tip No. 1"));
    EXPECT_EQ(form->txtTips->text(), QStringLiteral("Only tip"));
    EXPECT_FALSE(form->btnNext->isEnabled());
}

TEST_F(TipsForm, AnEmptyOrMissingFileSaysSo) {
    WriteTips("");
    auto form = Open();
    EXPECT_EQ(form->lblTipNum->text(), QStringLiteral("Tips"));
    EXPECT_EQ(form->txtTips->text(), QStringLiteral("Sorry, the tips file is not available"));
    EXPECT_FALSE(form->btnNext->isEnabled());
    EXPECT_EQ(PersonalSettings().LastTip, -1);
    form.reset();
    QFile::remove(TipsFileName());
    form = Open();
    EXPECT_EQ(form->lblTipNum->text(), QStringLiteral("Tips"));
    EXPECT_FALSE(form->btnNext->isEnabled());
}

TEST_F(TipsForm, UntickingShowTipsSurvivesARestartWithTheLastTip) {
    WriteTips("One\r\nTwo\r\nThree\r\n");
    PersonalSettings().LastTip = 0;
    {
        auto form = Open();
        EXPECT_TRUE(form->chkShowTips->isChecked());
        QTest::mouseClick(form->chkShowTips, Qt::LeftButton);
        QTest::mouseClick(form->btnClose, Qt::LeftButton);
        EXPECT_EQ(form->result(), QDialog::Rejected);
        EXPECT_TRUE(PersonalSettings().Setup.ShowTips); // stored when the window goes
    }
    EXPECT_FALSE(PersonalSettings().Setup.ShowTips);
    SavePersonalSettings();
    PersonalSettings() = TPersonalSettings{};
    LoadPersonalSettings();
    EXPECT_FALSE(PersonalSettings().Setup.ShowTips);
    EXPECT_EQ(PersonalSettings().LastTip, 1);
    auto again = Open();
    EXPECT_FALSE(again->chkShowTips->isChecked());
    EXPECT_EQ(again->lblTipNum->text(), QStringLiteral("Tip No. 3"));
}

TEST_F(TipsForm, ShowingTheWindowReadsTheTipsOnceWithHintsAsSet) {
    WriteTips("One\r\nTwo\r\n");
    PersonalSettings().Setup.ShowHints = false;
    TTipsForm form;
    form.show();
    form.show();
    EXPECT_EQ(form.lblTipNum->text(), QStringLiteral("Tip No. 1"));
    EXPECT_TRUE(form.btnNext->toolTip().isEmpty());
    EXPECT_TRUE(form.btnClose->isDefault());
    PersonalSettings().Setup.ShowHints = true;
    form.FormShow();
    EXPECT_EQ(form.btnNext->toolTip(), QStringLiteral("Show the next tip"));
    EXPECT_EQ(form.chkShowTips->toolTip(),
              QStringLiteral("Show the tips form every time the application starts"));
}

TEST_F(TipsForm, TheShippedTipsFileIsBesideTheProgramAndReadsWell) {
    const QString built =
        QFileInfo(QStringLiteral(QH_PROGRAM)).absolutePath() + QStringLiteral("/QHRtips.txt");
    ASSERT_TRUE(QFileInfo::exists(built)) << built.toStdString();
    const QStringList tips = ReadTipsFile(built);
    EXPECT_GE(tips.size(), 20);
    for (const QString& tip : tips) {
        EXPECT_FALSE(tip.contains(QLatin1Char('%'))) << tip.toStdString();
        EXPECT_GT(tip.size(), 30) << tip.toStdString();
    }
    EXPECT_EQ(tips, ReadTipsFile(QStringLiteral(QH_SOURCE_DIR) +
                                 QStringLiteral("/resources/programfolder/QHRtips.txt")));
}

TEST_F(TipsForm, AboutShowsTheVersionAndTheProgramFilesDate) {
    QFile program(Env.Program);
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    program.write("x");
    program.flush(); // written before the time is set, so closing changes it no more
    ASSERT_TRUE(program.setFileTime(QDateTime(QDate(2024, 3, 5), QTime(12, 0)),
                                    QFileDevice::FileModificationTime));
    program.close();
    TAboutForm about;
    EXPECT_EQ(about.windowTitle(), QStringLiteral("About Quillhour"));
    EXPECT_EQ(about.lblVersion->text(),
              QStringLiteral("Quillhour ") + QString::fromLatin1(QuillhourVersion));
    EXPECT_EQ(about.lblDate->text(), QStringLiteral("5 March 2024"));
    bool showingWhileOpen = false;
    QTimer::singleShot(0, &about, [&] {
        showingWhileOpen = MessageBoxShowing;
        QTest::keyClick(&about, Qt::Key_Escape);
    });
    about.Execute();
    EXPECT_TRUE(showingWhileOpen);
    EXPECT_FALSE(MessageBoxShowing);
    EXPECT_EQ(about.result(), QDialog::Rejected);
}

TEST_F(TipsForm, AboutWithoutAProgramFileShowsNoDate) {
    EXPECT_TRUE(ReleaseDateText().isEmpty());
}

TEST_F(TipsForm, SplashShowsThePictureInAPurpleFrameWithTheVersion) {
    TSplashForm splash;
    EXPECT_EQ(splash.size(), QSize(297, 157));
    EXPECT_EQ(splash.lblVersion->text(), QString::fromLatin1(QuillhourVersion));
    EXPECT_TRUE(splash.windowFlags() & Qt::WindowStaysOnTopHint);
    const QImage image = splash.grab().toImage();
    const qreal ratio = image.devicePixelRatio();
    const auto at = [&](int x, int y) { return image.pixelColor(int(x * ratio), int(y * ratio)); };
    EXPECT_EQ(at(1, 1), QColor(0x80, 0x00, 0x80));
    EXPECT_EQ(at(295, 155), QColor(0x80, 0x00, 0x80));
    EXPECT_EQ(at(8, 8), QColor(Qt::white));
    // The picture is drawn: some of the panel is neither white nor the frame.
    int drawn = 0;
    for (int y = 10; y < 147; y += 3)
        for (int x = 10; x < 287; x += 3)
            drawn += at(x, y) != QColor(Qt::white) ? 1 : 0;
    EXPECT_GT(drawn, 100);
}
