#pragma once

#include <array>

#include <QAccessibleWidget>
#include <QPointer>

class TGraphicCalendar;

// What assistive technology sees of a month calendar: a table whose children are the title
// (month and year), the buttons "Previous month" and "Next month", and the 42 cells of the six
// week rows, each named by the locale's long date of its day (blank cells have no name). The
// selected day's cell is selected; a day with time recorded says so in its description.
class TCalendarAccessible : public QAccessibleWidget {
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

    TGraphicCalendar* Calendar() const;
    // The child of the cell of the selected day.
    int SelectedChild() const;

private:
    mutable std::array<QAccessible::Id, ChildCount> FChildren{};
};

// Makes assistive technology use TCalendarAccessible for every TGraphicCalendar; the program
// calls it at start. Calling it again does nothing.
void InstallCalendarAccessibility();
