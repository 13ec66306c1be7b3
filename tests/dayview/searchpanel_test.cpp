#include "mainformtest.h"

#include "dayview/searchpanel.h"

#include <QDateEdit>
#include <QPushButton>
#include <QListWidget>
#include <QRadioButton>

class SearchPanel : public TMainFormTest {
protected:
    void SetUp() override {
        TMainFormTest::SetUp();
        PersonalSettings().Setup.SaveOnChange = false;
        Open();
        Panel = Form->pnlSearch;
        Panel->Today = [] { return QDate(2024, 3, 6); }; // a Wednesday
        QTest::mouseClick(Form->btnSearch, Qt::LeftButton);
    }
    void Choose(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
    }
    QStringList Lines() const {
        QStringList lines;
        for (int row = 0; row < Panel->lstSearchResults->count(); ++row)
            lines.append(Panel->lstSearchResults->item(row)->text());
        return lines;
    }
    TSearchPanel* Panel = nullptr;
};

TEST_F(SearchPanel, ControlsAndDateRanges) {
    for (const char* name : {"cmbDateFilter", "sbWeek", "sbMonth", "dateFrom", "dateTo",
                             "cmbFilter1", "cmbFilter2", "cmbLogic1", "cmbLogic2",
                             "edtFilterValue1", "edtFilterValue2", "cmbChoose1", "cmbChoose2",
                             "btnOnly", "btnAnd", "btnOr", "btnFind", "btnClearFilter",
                             "lstSearchResults", "lblCount"})
        EXPECT_NE(Panel->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
    EXPECT_EQ(Panel->cmbFilter1->count(), 10);
    EXPECT_FALSE(Panel->btnAnd->isEnabled());
    EXPECT_FALSE(Panel->cmbFilter2->isEnabled());
    EXPECT_FALSE(Panel->btnClearFilter->isEnabled());
    Panel->cmbDateFilter->setCurrentIndex(1); // this week, from Monday
    EXPECT_EQ(Panel->dateFrom->date(), QDate(2024, 3, 4));
    EXPECT_EQ(Panel->dateTo->date(), QDate(2024, 3, 10));
    EXPECT_FALSE(Panel->dateFrom->isEnabled());
    Panel->SetFirstDayOfWeek(7); // weeks from Sunday
    Panel->cmbDateFilter->setCurrentIndex(2); // last week
    EXPECT_EQ(Panel->dateFrom->date(), QDate(2024, 2, 25));
    Panel->cmbDateFilter->setCurrentIndex(4); // last month
    EXPECT_EQ(Panel->dateFrom->date(), QDate(2024, 2, 1));
    EXPECT_EQ(Panel->dateTo->date(), QDate(2024, 2, 29));
    Panel->cmbDateFilter->setCurrentIndex(9); // between: both pickers enabled
    EXPECT_TRUE(Panel->dateFrom->isEnabled());
    EXPECT_TRUE(Panel->dateTo->isEnabled());
    Form->Calendar->SetDate(QDate(2024, 3, 20));
    QTest::mouseClick(Panel->sbMonth, Qt::LeftButton);
    EXPECT_EQ(Panel->dateFrom->date(), QDate(2024, 3, 1));
    EXPECT_EQ(Panel->dateTo->date(), QDate(2024, 3, 31));
    EXPECT_TRUE(Panel->btnClearFilter->isEnabled());

    // Types bring their operators and value controls; the second filter follows the logic.
    Choose(Panel->cmbFilter1, QStringLiteral("Report"));
    EXPECT_TRUE(Panel->cmbChoose1->isVisible());
    EXPECT_FALSE(Panel->edtFilterValue1->isVisible());
    EXPECT_EQ(Panel->cmbLogic1->currentText(), QStringLiteral("="));
    Choose(Panel->cmbFilter1, QStringLiteral("Duration"));
    EXPECT_EQ(Panel->cmbLogic1->count(), 5);
    EXPECT_TRUE(Panel->btnAnd->isEnabled());
    QTest::mouseClick(Panel->btnAnd, Qt::LeftButton);
    EXPECT_TRUE(Panel->cmbFilter2->isEnabled());
    Choose(Panel->cmbFilter2, QStringLiteral("Client"));
    // Clearing takes the last criterion away first.
    QTest::mouseClick(Panel->btnClearFilter, Qt::LeftButton);
    EXPECT_EQ(Panel->cmbFilter2->currentIndex(), 0);
    QTest::mouseClick(Panel->btnClearFilter, Qt::LeftButton);
    EXPECT_EQ(Panel->cmbFilter1->currentIndex(), 0);
    EXPECT_TRUE(Panel->btnOnly->isChecked());
    QTest::mouseClick(Panel->btnClearFilter, Qt::LeftButton);
    EXPECT_EQ(Panel->cmbDateFilter->currentIndex(), 0);
}

TEST_F(SearchPanel, FindChecksItsValuesInOrder) {
    Choose(Panel->cmbFilter1, QStringLiteral("Client"));
    QTest::mouseClick(Panel->btnFind, Qt::LeftButton);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text, QStringLiteral("Please enter a value for the Client"));
    EXPECT_TRUE(Panel->edtFilterValue1->hasFocus());
    Choose(Panel->cmbFilter1, QStringLiteral("Duration"));
    QTest::keyClicks(Panel->edtFilterValue1, QStringLiteral("-1"));
    QTest::mouseClick(Panel->btnFind, Qt::LeftButton);
    EXPECT_EQ(Messages->Shown.back().Text,
              QStringLiteral("Duration requires a positive number for the filter"));
    Panel->edtFilterValue1->setText(QStringLiteral("0"));
    QTest::mouseClick(Panel->btnAnd, Qt::LeftButton);
    QTest::mouseClick(Panel->btnFind, Qt::LeftButton);
    EXPECT_EQ(Messages->Shown.back().Text, QStringLiteral("Please select a second filter type"));
    EXPECT_TRUE(Panel->cmbFilter2->hasFocus());
    EXPECT_EQ(Messages->Shown.size(), 3u);
}

TEST_F(SearchPanel, AFindSavesTheMonthListsAndOpensEntries) {
    Press(BlockAt(1));
    QTest::keyClicks(Details->edtRemarks, QStringLiteral("found"));
    ASSERT_TRUE(Form->MonthModified());
    Choose(Panel->cmbFilter1, QStringLiteral("Remarks"));
    QTest::keyClicks(Panel->edtFilterValue1, QStringLiteral("FOUND"));
    QTest::mouseClick(Panel->btnFind, Qt::LeftButton);
    EXPECT_FALSE(Form->MonthModified()); // saved before the search read the files
    ASSERT_EQ(Lines().size(), 1);
    EXPECT_EQ(Panel->lblCount->text(), QStringLiteral("1 entry"));

    Form->Calendar->SetDate(QDate(2024, 3, 20));
    QListWidgetItem* line = Panel->lstSearchResults->item(0);
    QTest::mouseClick(Panel->lstSearchResults->viewport(), Qt::LeftButton, {},
                      Panel->lstSearchResults->visualItemRect(line).center());
    EXPECT_EQ(Form->Calendar->Date(), Day);
    ASSERT_NE(Form->SelectedBlock(), nullptr);
    EXPECT_EQ(Form->SelectedBlock()->StartTime, 1000);
    EXPECT_TRUE(Panel->lstSearchResults->hasFocus());

    Choose(Panel->cmbFilter1, QStringLiteral("Client"));
    Panel->edtFilterValue1->setText(QStringLiteral("nobody"));
    QTest::mouseClick(Panel->btnFind, Qt::LeftButton);
    EXPECT_EQ(Lines(), QStringList{QStringLiteral("No entries found")});
    EXPECT_EQ(Panel->lblCount->text(), QStringLiteral("0 entries"));
    QTest::mouseClick(Panel->lstSearchResults->viewport(), Qt::LeftButton, {},
                      Panel->lstSearchResults->visualItemRect(Panel->lstSearchResults->item(0))
                          .center());
    EXPECT_EQ(Form->Calendar->Date(), Day); // nothing to open
}

TEST_F(SearchPanel, BillingAddsAndRemovesItsTwoFilterTypes) {
    Panel->SetBillingFilterTypes(true);
    EXPECT_EQ(Panel->cmbFilter1->count(), 12);
    EXPECT_EQ(Panel->cmbFilter2->count(), 12);
    Choose(Panel->cmbFilter1, QStringLiteral("Charge Type"));
    EXPECT_EQ(Panel->cmbChoose1->count(), 6);
    Choose(Panel->cmbFilter1, QStringLiteral("Rate Amount"));
    Panel->cmbDateFilter->setCurrentIndex(3);
    Panel->lstSearchResults->addItem(QStringLiteral("stale"));
    Panel->SetBillingFilterTypes(false);
    EXPECT_EQ(Panel->cmbFilter1->count(), 10);
    EXPECT_EQ(Panel->cmbFilter1->currentIndex(), 0);
    EXPECT_EQ(Panel->cmbDateFilter->currentIndex(), 0);
    EXPECT_EQ(Panel->lstSearchResults->count(), 0);
    Choose(Panel->cmbFilter1, QStringLiteral("Charge Type"));
    EXPECT_EQ(Panel->cmbChoose1->count(), 2);
}
