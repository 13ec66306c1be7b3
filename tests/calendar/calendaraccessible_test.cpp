#include "base/applocale.h"
#include "calendar/calendaraccessible.h"
#include "calendar/graphiccalendar.h"
#include "localepin.h"

#include <QAccessible>
#include <QTest>

#include <gtest/gtest.h>

class CalendarAccessibleTest : public ::testing::Test {
protected:
    void SetUp() override {
        InstallCalendarAccessibility();
        Calendar.resize(210, 160);
        Calendar.SetDate(QDate(2024, 3, 15));
        Calendar.SetStartOfWeek(1);
        Calendar.OnChangeQuery = [this](TGraphicCalendar*, bool& allow) { allow = Allow; };
        Calendar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&Calendar));
        Interface = QAccessible::queryAccessibleInterface(&Calendar);
        ASSERT_NE(Interface, nullptr);
    }

    QAccessibleInterface* Child(int index) const { return Interface->child(index); }
    // The child of the cell of column c in week row w.
    QAccessibleInterface* Cell(int column, int week) const {
        return Child(TCalendarAccessible::FirstCellChild + (week - 1) * 7 + column);
    }

    TLocalePin Pin{QStringLiteral("C")};
    TGraphicCalendar Calendar;
    QAccessibleInterface* Interface = nullptr;
    bool Allow = true;
};

TEST_F(CalendarAccessibleTest, TitleButtonsAndCellsAreNamed) {
    EXPECT_EQ(Interface->role(), QAccessible::Table);
    EXPECT_EQ(Interface->childCount(), 45);
    EXPECT_TRUE(Interface->text(QAccessible::Name).contains(QStringLiteral("March 2024")));
    EXPECT_EQ(Child(TCalendarAccessible::TitleChild)->text(QAccessible::Name),
              QStringLiteral("March 2024"));
    QAccessibleInterface* previous = Child(TCalendarAccessible::PreviousChild);
    EXPECT_EQ(previous->role(), QAccessible::Button);
    EXPECT_EQ(previous->text(QAccessible::Name), QStringLiteral("Previous month"));
    EXPECT_EQ(Child(TCalendarAccessible::NextChild)->text(QAccessible::Name),
              QStringLiteral("Next month"));
    EXPECT_EQ(previous->parent(), Interface);
    EXPECT_EQ(Interface->indexOfChild(previous), TCalendarAccessible::PreviousChild);
    // With Monday first, 1 March 2024 (a Friday) is the fifth cell; the four before are blank.
    QAccessibleInterface* first = Cell(4, 1);
    EXPECT_EQ(first->role(), QAccessible::Cell);
    EXPECT_EQ(first->text(QAccessible::Name),
              AppLocale().toString(QDate(2024, 3, 1), QLocale::LongFormat));
    EXPECT_TRUE(first->text(QAccessible::Name).contains(QStringLiteral("Friday")));
    EXPECT_TRUE(Cell(3, 1)->text(QAccessible::Name).isEmpty());
    EXPECT_TRUE(Cell(6, 5)->text(QAccessible::Name).contains(QStringLiteral("31")));
    // Cells lie where they are drawn.
    const QRect cell = Cell(4, 1)->rect();
    EXPECT_EQ(Interface->childAt(cell.center().x(), cell.center().y()), Cell(4, 1));
}

TEST_F(CalendarAccessibleTest, TheSelectedDayAndDaysWithTimeAreTold) {
    auto* calendar = static_cast<TCalendarAccessible*>(Interface);
    QAccessibleInterface* selected = Child(calendar->SelectedChild());
    EXPECT_TRUE(selected->state().selected);
    EXPECT_TRUE(selected->text(QAccessible::Name).contains(QStringLiteral("15")));
    EXPECT_FALSE(Cell(4, 1)->state().selected);
    EXPECT_TRUE(Cell(4, 1)->state().selectable);
    EXPECT_FALSE(Cell(0, 1)->state().selectable);
    std::array<bool, 32> marks{};
    marks[1] = true;
    Calendar.SetMarkedDays(marks);
    EXPECT_EQ(Cell(4, 1)->text(QAccessible::Description), QStringLiteral("time recorded"));
    EXPECT_TRUE(Cell(5, 1)->text(QAccessible::Description).isEmpty());
}

TEST_F(CalendarAccessibleTest, TheDayGridIsATable) {
    QAccessibleTableInterface* table = Interface->tableInterface();
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->rowCount(), 6);
    EXPECT_EQ(table->columnCount(), 7);
    EXPECT_EQ(table->columnDescription(0), QStringLiteral("Monday"));
    EXPECT_EQ(table->columnDescription(6), QStringLiteral("Sunday"));
    EXPECT_EQ(table->caption()->text(QAccessible::Name), QStringLiteral("March 2024"));
    QAccessibleInterface* first = table->cellAt(0, 4);
    ASSERT_EQ(first, Cell(4, 1));
    QAccessibleTableCellInterface* cell = first->tableCellInterface();
    ASSERT_NE(cell, nullptr);
    EXPECT_EQ(cell->rowIndex(), 0);
    EXPECT_EQ(cell->columnIndex(), 4);
    EXPECT_EQ(cell->table(), Interface);
    EXPECT_FALSE(cell->isSelected());
    ASSERT_EQ(table->selectedCells().size(), 1);
    // 15 March 2024 is the Friday of the third week.
    EXPECT_EQ(table->selectedCells().front(), table->cellAt(2, 4));
    EXPECT_TRUE(table->cellAt(2, 4)->tableCellInterface()->isSelected());
    EXPECT_EQ(table->cellAt(6, 0), nullptr);
}

TEST_F(CalendarAccessibleTest, PressingTheButtonsAndCells) {
    QAccessibleInterface* next = Child(TCalendarAccessible::NextChild);
    ASSERT_NE(next->actionInterface(), nullptr);
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Calendar.Date(), QDate(2024, 4, 15));
    EXPECT_EQ(Child(TCalendarAccessible::TitleChild)->text(QAccessible::Name),
              QStringLiteral("April 2024"));
    Child(TCalendarAccessible::PreviousChild)
        ->actionInterface()
        ->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 15));
    Cell(4, 1)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 1));
    EXPECT_TRUE(Cell(4, 1)->state().selected);
    // A refusing owner keeps the date; without navigation the buttons are disabled.
    Allow = false;
    next->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    EXPECT_EQ(Calendar.Date(), QDate(2024, 3, 1));
    Calendar.SetAllowNavigation(false);
    EXPECT_TRUE(next->state().disabled);
}
