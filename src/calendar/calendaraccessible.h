#pragma once

#include <array>

#include <QAccessibleWidget>
#include <QPointer>

class TGraphicCalendar;

// What assistive technology sees of a month calendar: a table whose children are the title
// (month and year), the buttons "Previous month" and "Next month", and the 42 cells of the six
// week rows, each named by the locale's long date of its day (blank cells have no name). The
// selected day's cell is selected; a day with time recorded says so in its description.
class TCalendarAccessible : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    static constexpr int TitleChild = 0;
    static constexpr int PreviousChild = 1;
    static constexpr int NextChild = 2;
    static constexpr int FirstCellChild = 3;
    static constexpr int ChildCount = FirstCellChild + 42;

    explicit TCalendarAccessible(TGraphicCalendar* calendar);
    ~TCalendarAccessible() override;

    int childCount() const override { return ChildCount; }
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text type) const override;
    void* interface_cast(QAccessible::InterfaceType type) override;

    // The day grid as a table: six week rows of seven columns.
    QAccessibleInterface* caption() const override { return child(TitleChild); }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override;
    int selectedCellCount() const override { return 1; }
    QList<QAccessibleInterface*> selectedCells() const override;
    QString columnDescription(int column) const override;
    QString rowDescription(int) const override { return {}; }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return 7; }
    int rowCount() const override { return 6; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

    // The child of the cell that shows day in layout.
    static int CellChildOf(const struct TMonthLayout& layout, int day);

    TGraphicCalendar* Calendar() const;
    // The child of the cell of the selected day.
    int SelectedChild() const;

private:
    mutable std::array<QAccessible::Id, ChildCount> FChildren{};
};

// Makes assistive technology use TCalendarAccessible for every TGraphicCalendar; the program
// calls it at start. Calling it again does nothing.
void InstallCalendarAccessibility();
