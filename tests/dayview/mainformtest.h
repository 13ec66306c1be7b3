#pragma once

#include "base/datalocations.h"
#include "calendar/graphiccalendar.h"
#include "dayview/blockdetailspanel.h"
#include "dayview/searchpanel.h"
#include "dayview/mainform.h"
#include "dayview/timelineview.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/values/timevalues.h"
#include "testsupport.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

// The day the tests work on.
inline const QDate Day(2024, 3, 6);

inline QStringList Items(const QComboBox* box) {
    QStringList items;
    for (int index = 0; index < box->count(); ++index)
        items.append(box->itemText(index));
    return items;
}

// The main window over a local data folder with lists and a month of blocks for 6 March 2024.
class TMainFormTest : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Env.Args = {Env.Program, QStringLiteral("/datadir"), MakeFolder(QStringLiteral("local"))};
        ApplyEnvironment();
        ResolveDataLocations();
        ASSERT_TRUE(CheckDataFolders());
        AdminSettings() = TAdminSettings{};
        SetTimeStep(25);
        TClients clients;
        clients.AddEntry(QStringLiteral("Acme"), QStringLiteral("Website"), true, {});
        clients.AddEntry(QStringLiteral("Acme"), QStringLiteral("Support"), true, {});
        clients.AddEntry(QStringLiteral("Globex"), QStringLiteral("Migration"), true, {});
        clients.AddEntry(QStringLiteral("Old Co"), QStringLiteral("Archive"), false, {});
        clients.AddEntry(QStringLiteral("Idle Ltd"), QStringLiteral("Dormant"), false, {});
        clients.AddEntry(QStringLiteral("Idle Ltd"), QStringLiteral("Spare"), false, {});
        clients.SaveTo(LocalDataPath() + QStringLiteral("ClientProject.txt"));
        TCategories categories;
        categories.AddEntry(QStringLiteral("Development"), QStringLiteral("Coding"), true);
        categories.AddEntry(QStringLiteral("Development"), QStringLiteral("Testing"), true);
        categories.AddEntry(QStringLiteral("Meetings"), QStringLiteral("Planning"), true);
        categories.SaveTo(LocalDataPath() + QStringLiteral("CategoryActivity.txt"));
    }
    void TearDown() override {
        Form.reset();
        AdminSettings() = TAdminSettings{};
        TTempFolderTest::TearDown();
    }

    TBlock& Add(TMonth& month, int start, int end, const char* client, const char* project) {
        TBlock& block = month.DayByDate(Day)->AddBlock(start, end);
        block.Client = QString::fromUtf8(client);
        block.Project = QString::fromUtf8(project);
        block.Category = QStringLiteral("Development");
        block.Activity = QStringLiteral("Coding");
        block.Reportable = true;
        block.Chargeable = true;
        return block;
    }
    // Writes the month with a block at 9:00-10:00 (Acme) and one at 10:00-12:00 (client
    // given), then opens the window on the day.
    void Open(const char* secondClient = "Globex", const char* secondProject = "Migration",
              bool billing = false) {
        QFile::remove(MonthFile());
        {
            TMonth month(2024, 3);
            TBlock& first = Add(month, 900, 1000, "Acme", "Website");
            TBlock& second = Add(month, 1000, 1200, secondClient, secondProject);
            if (billing) {
                first.BillingInfo = std::make_unique<TBillingInfo>(bcFixedPrice, rsUser,
                                                                   TMoney::FromUnits(1200000));
                second.BillingInfo.reset();
                second.Chargeable = true;
            }
            month.Save();
        }
        AdminSettings().BillingInfoActive = billing;
        AdminSettings().CurrencySymbol = QStringLiteral("$");
        PersonalSettings().Setup.UserHourlyRate = TMoney::FromUnits(500000); // 50.00
        Form = std::make_unique<TMainForm>();
        Form->Calendar->SetDate(Day);
        Form->LoadData();
        Form->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(Form.get()));
        QApplication::processEvents(); // the first showing's questions (a new user here)
        Messages->Shown.clear();
        Details = Form->gpbxDetails;
    }
    TDay* CurrentDay() const { return Form->CurrentDay(); }
    TBlock* BlockAt(int index) const { return CurrentDay()->Blocks[index].get(); }
    // Presses the timeline in the middle of a block, as the user does.
    void Press(const TBlock* block) {
        const int x = Form->Timeline->View().TimeToX((block->StartTime + block->EndTime) / 2);
        Form->Timeline->ScrollToBlock(block);
        const QPoint at(x, Form->Timeline->pbxDay->height() / 2);
        QTest::mousePress(Form->Timeline->pbxDay, Qt::LeftButton, {}, at);
        QTest::mouseRelease(Form->Timeline->pbxDay, Qt::LeftButton, {}, at);
    }
    void Pick(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index); // as a choice from the list does
    }
    // Where the keyboard's keys go: the focused control, or the window.
    QWidget* Focus() const {
        QWidget* focus = QApplication::focusWidget();
        return focus ? focus : Form.get();
    }
    // A key typed as the user types it, at whatever has the focus. Ctrl goes down first, on its
    // own, as it does under the fingers (a drop-down box hands the focus on when it sees it).
    void Key(int key, Qt::KeyboardModifiers modifiers = {}) {
        if (modifiers.testFlag(Qt::ControlModifier))
            QTest::keyPress(Focus(), Qt::Key_Control);
        QTest::keyClick(Focus(), Qt::Key(key), modifiers);
    }
    QString MonthFile() const { return LocalDataPath() + QStringLiteral("2024-03.txt"); }
    QByteArray FileBytes() const { return ReadFile(MonthFile()); }

    std::unique_ptr<TMainForm> Form;
    TBlockDetailsPanel* Details = nullptr;
};

