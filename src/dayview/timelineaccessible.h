#pragma once

#include <vector>

#include <QAccessibleWidget>

class TTimelineDay;
class TTimelineView;

// What assistive technology sees of the day's paint box: a list whose items are the day's
// blocks in list order, each named by its time range and its client, project and activity,
// the selected block selected; the list's description is the day's reportable hours.
class TTimelineAccessible : public QAccessibleWidget {
public:
    explicit TTimelineAccessible(TTimelineDay* day, TTimelineView& view);
    ~TTimelineAccessible() override;

    int childCount() const override;
    QAccessibleInterface* child(int index) const override;
    int indexOfChild(const QAccessibleInterface* child) const override;
    QAccessibleInterface* childAt(int x, int y) const override;
    QString text(QAccessible::Text type) const override;

private:
    TTimelineView& FView;
    mutable std::vector<QAccessible::Id> FChildren;
};

// Makes assistive technology use TTimelineAccessible for the day's paint box; the program
// calls it at start. Calling it again does nothing.
void InstallTimelineAccessibility();
