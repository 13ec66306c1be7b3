#include "timelineaccessible.h"

#include "dayview/timelinepainter.h"
#include "dayview/timelineview.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/values/timetexts.h"

#include <QLabel>
#include <QPointer>
#include <QWindow>

namespace {
QString BlockName(const TBlock& block) {
    QStringList names;
    for (const QString& name : {block.Client, block.Project, block.Activity})
        if (!name.isEmpty())
            names.append(name);
    return TimeText(block.StartTime) + QStringLiteral(" to ") + TimeText(block.EndTime) +
           (names.isEmpty() ? QString() : QStringLiteral(", ") + names.join(QStringLiteral(", ")));
}

// One block of the day, found by its place in the day's list whenever it is asked.
class TBlockAccessible : public QAccessibleInterface {
public:
    TBlockAccessible(TTimelineDay* day, TTimelineView& view, int index)
        : FDay(day), FView(view), FIndex(index) {}

    bool isValid() const override { return !FDay.isNull() && Block(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return FDay ? FDay->window()->windowHandle() : nullptr; }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(FDay.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QString text(QAccessible::Text type) const override {
        const TBlock* block = Block();
        if (!block)
            return {};
        if (type == QAccessible::Name)
            return BlockName(*block);
        if (type == QAccessible::Description && !block->Remarks.isEmpty())
            return block->Remarks;
        return {};
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.selected = Block() && Block() == FView.SelectedBlock();
        return state;
    }
    QRect rect() const override {
        const TBlock* block = Block();
        if (!block || !FView.Day())
            return {};
        const TDayView& view = FView.View();
        const QRect local(QPoint(BlockLeft(view, *block), 0),
                          QPoint(BlockRight(view, *block) - 1, FDay->height() - 1));
        return QRect(FDay->mapToGlobal(local.topLeft()), local.size());
    }

private:
    const TBlock* Block() const {
        const TDay* day = FView.Day();
        if (!day || FIndex < 0 || FIndex >= int(day->Blocks.size()))
            return nullptr;
        return day->Blocks[std::size_t(FIndex)].get();
    }

    QPointer<TTimelineDay> FDay;
    TTimelineView& FView;
    int FIndex;
};

QAccessibleInterface* TimelineFactory(const QString& className, QObject* object) {
    if (className != QLatin1String("TTimelineDay") || !object)
        return nullptr;
    auto* day = static_cast<TTimelineDay*>(object);
    for (QObject* up = day->parent(); up; up = up->parent())
        if (auto* view = qobject_cast<TTimelineView*>(up))
            return new TTimelineAccessible(day, *view);
    return nullptr;
}
} // namespace

TTimelineAccessible::TTimelineAccessible(TTimelineDay* day, TTimelineView& view)
    : QAccessibleWidget(day, QAccessible::List), FView(view) {}

TTimelineAccessible::~TTimelineAccessible() {
    for (const QAccessible::Id id : FChildren)
        QAccessible::deleteAccessibleInterface(id);
}

int TTimelineAccessible::childCount() const {
    return FView.Day() ? int(FView.Day()->Blocks.size()) : 0;
}

QAccessibleInterface* TTimelineAccessible::child(int index) const {
    if (index < 0 || index >= childCount())
        return nullptr;
    while (int(FChildren.size()) <= index)
        FChildren.push_back(QAccessible::registerAccessibleInterface(new TBlockAccessible(
            static_cast<TTimelineDay*>(widget()), FView, int(FChildren.size()))));
    return QAccessible::accessibleInterface(FChildren[std::size_t(index)]);
}

int TTimelineAccessible::indexOfChild(const QAccessibleInterface* part) const {
    for (std::size_t index = 0; index < FChildren.size(); ++index)
        if (QAccessible::accessibleInterface(FChildren[index]) == part)
            return int(index) < childCount() ? int(index) : -1;
    return -1;
}

QAccessibleInterface* TTimelineAccessible::childAt(int x, int y) const {
    for (int index = 0; index < childCount(); ++index)
        if (QAccessibleInterface* part = child(index); part->rect().contains(x, y))
            return part;
    return nullptr;
}

QString TTimelineAccessible::text(QAccessible::Text type) const {
    if (type == QAccessible::Name)
        return QStringLiteral("Day timeline");
    if (type == QAccessible::Description) {
        const QString hours = FView.lblDayHours->text();
        return QStringLiteral("Reportable hours: ") +
               (hours.isEmpty() ? QStringLiteral("none") : hours);
    }
    return QAccessibleWidget::text(type);
}

void InstallTimelineAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(TimelineFactory);
        return true;
    }();
    static_cast<void>(installed);
}
