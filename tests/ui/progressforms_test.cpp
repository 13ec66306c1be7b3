#include "base/datalocations.h"
#include "base/messages.h"
#include "sampledata/sampledata.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/server/serverdatascan.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"
#include "widgets/progressbarform.h"
#include "widgets/progresslabelform.h"
#include "widgets/scanprogresswindow.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace {
// Clicks Cancel as soon as the waiting messages are let through: a click that arrives while
// the work goes on.
void ClickCancelSoon(TBaseProgressForm& form) {
    QTimer::singleShot(0, &form, [&form] { QTest::mouseClick(form.btnCancel, Qt::LeftButton); });
}
} // namespace

class ProgressForms : public TTempFolderTest {
protected:
    QWidget Owner;
};

TEST_F(ProgressForms, TheOwnerIsDisabledWhileShownAndRestoredAfterwards) {
    {
        TProgressBarForm form(&Owner);
        form.Start(QStringLiteral("Printing ..."));
        EXPECT_FALSE(Owner.isEnabled());
        EXPECT_TRUE(form.isVisible());
        EXPECT_TRUE(form.btnCancel->isEnabled());
        EXPECT_EQ(form.windowTitle(), QStringLiteral("Progress"));
        EXPECT_EQ(form.size(), QSize(237, 126));
    }
    EXPECT_TRUE(Owner.isEnabled());
    Owner.setEnabled(false); // an owner that was disabled before stays so
    {
        TProgressLabelForm form(&Owner);
        form.Start(QStringLiteral("Scanning"));
        form.hide();
        EXPECT_FALSE(Owner.isEnabled());
    }
    EXPECT_FALSE(Owner.isEnabled());
    Owner.setEnabled(true);
    TProgressLabelForm orphan(nullptr); // without an owner nothing is disabled
    orphan.Start(QStringLiteral("Alone"));
    EXPECT_TRUE(Owner.isEnabled());
}

TEST_F(ProgressForms, TheMessageTakesOneLineOrTwoCentredInTheTop) {
    TProgressBarForm form(&Owner);
    form.Start(QStringLiteral("Printing ..."));
    EXPECT_EQ(form.ProgressLabel->geometry(), QRect(14, 15, 209, 16));
    form.Start(QStringLiteral("Printing report\nfor mary"));
    EXPECT_EQ(form.ProgressLabel->geometry(), QRect(14, 7, 209, 32));
    form.Start(QStringLiteral("A message much too long to fit on a single line of the window"));
    EXPECT_EQ(form.ProgressLabel->height(), 32);
    EXPECT_TRUE(form.ProgressLabel->wordWrap());
    form.Start(QStringLiteral("Short"));
    EXPECT_EQ(form.ProgressLabel->geometry(), QRect(14, 15, 209, 16));
}

TEST_F(ProgressForms, TheBarMovesByWholeStepsAndShowsItsText) {
    TProgressBarForm form(&Owner);
    form.Start(QStringLiteral("Printing ..."));
    EXPECT_EQ(form.ProgressGauge->value(), 0);
    EXPECT_TRUE(form.Update(0, QStringLiteral("not shown")));
    EXPECT_EQ(form.ProgressLabel->text(), QStringLiteral("Printing ..."));
    EXPECT_TRUE(form.Update(25, QStringLiteral("Printing report for ann")));
    EXPECT_EQ(form.ProgressGauge->value(), 25);
    EXPECT_EQ(form.ProgressLabel->text(), QStringLiteral("Printing report for ann"));
    form.Start(QStringLiteral("Again"));
    EXPECT_EQ(form.ProgressGauge->value(), 0);
}

TEST_F(ProgressForms, ACancelClickDuringALongRunIsSeenAtTheNextUnit) {
    TProgressBarForm form(&Owner);
    form.Start(QStringLiteral("Printing ..."));
    int units = 0;
    ClickCancelSoon(form);
    // The click is seen while the first unit lets messages through; that unit still counts,
    // the next one stops.
    for (int unit = 1; unit <= 1000 && form.Update(unit / 10, QStringLiteral("unit")); ++unit)
        ++units;
    EXPECT_EQ(units, 10); // the bar moves (and messages pass) first at unit 10
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Cancelling ..."));
    EXPECT_FALSE(form.btnCancel->isEnabled());
    EXPECT_TRUE(Messages->Shown.empty()); // no confirmation asked
    form.Start(QStringLiteral("A new run"));
    EXPECT_FALSE(form.Cancelled());
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Progress"));
}

TEST_F(ProgressForms, ACancelThatMustBeConfirmed) {
    TProgressLabelForm form(&Owner);
    form.ConfirmCancel = true;
    form.Start(QStringLiteral("Printing ..."));
    Messages->Answer = mrNo;
    ClickCancelSoon(form);
    EXPECT_TRUE(form.Update(QStringLiteral("ann")));
    EXPECT_FALSE(form.Cancelled()); // No goes on
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text, QStringLiteral("Cancel operation?"));
    EXPECT_TRUE(form.Update(QStringLiteral("bob")));
    EXPECT_EQ(form.lblUpdate->text(), QStringLiteral("bob"));
    Messages->Answer = mrYes;
    ClickCancelSoon(form);
    EXPECT_TRUE(form.Update(QStringLiteral("cy"))); // the unit under way is finished
    EXPECT_EQ(form.windowTitle(), QStringLiteral("Cancelling ..."));
    EXPECT_FALSE(form.Update(QStringLiteral("dee")));
    EXPECT_TRUE(form.Cancelled());
}

TEST_F(ProgressForms, EscapeAsksForACancelLikeTheButton) {
    TProgressLabelForm form(&Owner);
    form.Start(QStringLiteral("Scanning"));
    QTest::keyClick(&form, Qt::Key_Escape);
    EXPECT_TRUE(form.Cancelled());
    EXPECT_TRUE(form.isVisible()); // the operation closes it when it has stopped
}

// A work group whose server holds three users without in-use files: the scan rebuilds them
// under the label window.
class ScanProgressWindow : public ProgressForms {
protected:
    void SetUp() override {
        ProgressForms::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        PersonalSettings().UserName = QStringLiteral("mary");
        TSampleDataGenerator(5).WriteServerData(ServerDataPath(), 3, 2024, 1, 2, &Folders);
    }
    QStringList Folders;
    TClients OwnClients;
    TCategories OwnCategories;
};

TEST_F(ScanProgressWindow, ShowsTheFolderBeingReadAndGoesAwayAtTheEnd) {
    // Records what the window shows at each update.
    struct TWatched : TScanProgressWindow {
        using TScanProgressWindow::TScanProgressWindow;
        bool Update(const QString& text) override {
            const bool going = TScanProgressWindow::Update(text);
            Shown.append(Window()->ProgressLabel->text() + QLatin1Char('|') +
                         Window()->lblUpdate->text());
            OwnerEnabled = OwnerEnabled || Window()->parentWidget()->isEnabled();
            return going;
        }
        QStringList Shown;
        bool OwnerEnabled = false;
    } progress(&Owner);
    TServerUsers users;
    TClients clients;
    TCategories categories;
    ScanServerData(users, clients, categories, OwnClients, OwnCategories, &progress);
    EXPECT_EQ(users.size(), 3u);
    EXPECT_EQ(progress.Shown, QStringList({QStringLiteral("Scanning server data for...|user001"),
                                           QStringLiteral("Scanning server data for...|user002"),
                                           QStringLiteral("Scanning server data for...|user003")}));
    EXPECT_FALSE(progress.OwnerEnabled);
    EXPECT_EQ(progress.Window(), nullptr);
    EXPECT_TRUE(Owner.isEnabled());
}

TEST_F(ScanProgressWindow, ACancelClickSkipsTheUsersStillToBeRebuilt) {
    // Cancel is clicked while the first user is being rebuilt.
    struct TCancelling : TScanProgressWindow {
        using TScanProgressWindow::TScanProgressWindow;
        bool Update(const QString& text) override {
            if (!Clicked) {
                ClickCancelSoon(*Window());
                Clicked = true;
            }
            return TScanProgressWindow::Update(text);
        }
        bool Clicked = false;
    } progress(&Owner);
    TServerUsers users;
    TClients clients;
    TCategories categories;
    ScanServerData(users, clients, categories, OwnClients, OwnCategories, &progress);
    ASSERT_EQ(users.size(), 1u);
    EXPECT_EQ(users[0].Name(), QStringLiteral("user001"));
    EXPECT_TRUE(Messages->Shown.empty()); // the scan's Cancel asks nothing
}
