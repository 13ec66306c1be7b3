#include "calendaraccessible.h"

#include "base/applocale.h"
#include "calendar/graphiccalendar.h"

#include <QWidget>
#include <QWindow>

namespace {
QString TitleText(const TGraphicCalendar& calendar) {
    return AppLocale().monthName(calendar.Month(), QLocale::LongFormat) + QLatin1Char(' ') +
           QString::number(calendar.Year());
}

// One part of the calendar: its title, an arrow button or a day cell. The parts are no
// objects of their own; they look at the calendar whenever they are asked.
class TCalendarPartAccessible : public QAccessibleInterface,
                                public QAccessibleActionInterface,
                                public QAccessibleTableCellInterface {
public:
    TCalendarPartAccessible(TGraphicCalendar* calendar, int index)
        : FCalendar(calendar), FIndex(index) {}

    bool isValid() const override { return !FCalendar.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override {
        return FCalendar ? FCalendar->window()->windowHandle() : nullptr;
    }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(FCalendar.data());
    }
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}

    QAccessible::Role role() const override {
        switch (FIndex) {
        case TCalendarAccessible::TitleChild:
            return QAccessible::StaticText;
        case TCalendarAccessible::PreviousChild:
        case TCalendarAccessible::NextChild:
            return QAccessible::Button;
        default:
            return QAccessible::Cell;
        }
    }

    QString text(QAccessible::Text type) const override {
        if (!FCalendar)
            return {};
        if (type == QAccessible::Name)
            return Name();
        if (type == QAccessible::Description && IsCell() && FCalendar->IsMarked(DayOf()))
            return QStringLiteral("time recorded");
        return {};
    }

    QAccessible::State state() const override {
        QAccessible::State state;
        if (!FCalendar)
            return state;
        state.invisible = !FCalendar->isVisible();
        if (IsButton())
            state.disabled = !FCalendar->AllowNavigation();
        if (IsCell() && DayOf() != 0) {
            state.selectable = true;
            state.selected = DayOf() == FCalendar->Day();
        }
        return state;
    }

    QRect rect() const override {
        if (!FCalendar)
            return {};
        const QFontMetrics metrics(FCalendar->font());
        const QSize size = FCalendar->size();
        QRect local;
        if (FIndex == TCalendarAccessible::TitleChild)
            local = QRect(0, 0, size.width(), CalendarTitleHeight(size));
        else if (FIndex == TCalendarAccessible::PreviousChild)
            local = PreviousArrowBox(size, metrics.height());
        else if (FIndex == TCalendarAccessible::NextChild)
            local = NextArrowBox(size, metrics.height());
        else
            local = CalendarCell(CellIndex() % 7, CellIndex() / 7 + 1, size);
        return QRect(FCalendar->mapToGlobal(local.topLeft()), local.size());
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::ActionInterface && (IsButton() || IsCell()))
            return static_cast<QAccessibleActionInterface*>(this);
        if (type == QAccessible::TableCellInterface && IsCell())
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override {
        return IsCell() && DayOf() != 0 && DayOf() == FCalendar->Day();
    }
    QList<QAccessibleInterface*> columnHeaderCells() const override { return {}; }
    QList<QAccessibleInterface*> rowHeaderCells() const override { return {}; }
    int columnIndex() const override { return CellIndex() % 7; }
    int rowIndex() const override { return CellIndex() / 7; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

    QStringList actionNames() const override { return {pressAction()}; }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }
    void doAction(const QString& name) override {
        if (!FCalendar || name != pressAction())
            return;
        if (FIndex == TCalendarAccessible::PreviousChild && FCalendar->AllowNavigation())
            FCalendar->PageMonth(-1);
        else if (FIndex == TCalendarAccessible::NextChild && FCalendar->AllowNavigation())
            FCalendar->PageMonth(1);
        else if (IsCell() && DayOf() != 0 && FCalendar->AllowSelectNavigation())
            FCalendar->SetDay(DayOf());
    }

private:
    bool IsButton() const {
        return FIndex == TCalendarAccessible::PreviousChild ||
               FIndex == TCalendarAccessible::NextChild;
    }
    bool IsCell() const { return FIndex >= TCalendarAccessible::FirstCellChild; }
    int CellIndex() const { return FIndex - TCalendarAccessible::FirstCellChild; }
    int DayOf() const { return FCalendar->Layout().DayAt(CellIndex() % 7, CellIndex() / 7 + 1); }
    QString Name() const {
        switch (FIndex) {
        case TCalendarAccessible::TitleChild:
            return TitleText(*FCalendar);
        case TCalendarAccessible::PreviousChild:
            return QStringLiteral("Previous month");
        case TCalendarAccessible::NextChild:
            return QStringLiteral("Next month");
        default:
            break;
        }
        const int day = DayOf();
        if (day == 0)
            return {};
        return AppLocale().toString(QDate(FCalendar->Year(), FCalendar->Month(), day),
                                    QLocale::LongFormat);
    }

    QPointer<TGraphicCalendar> FCalendar;
    int FIndex;
};

QAccessibleInterface* CalendarFactory(const QString& className, QObject* object) {
    if (className == QLatin1String("TGraphicCalendar") && object && object->isWidgetType())
        return new TCalendarAccessible(static_cast<TGraphicCalendar*>(object));
    return nullptr;
}
} // namespace

TCalendarAccessible::TCalendarAccessible(TGraphicCalendar* calendar)
    : QAccessibleWidget(calendar, QAccessible::Table) {}

TCalendarAccessible::~TCalendarAccessible() {
    for (const QAccessible::Id id : FChildren)
        if (id != 0)
            QAccessible::deleteAccessibleInterface(id);
}

TGraphicCalendar* TCalendarAccessible::Calendar() const {
    return static_cast<TGraphicCalendar*>(widget());
}

QAccessibleInterface* TCalendarAccessible::child(int index) const {
    if (index < 0 || index >= ChildCount)
        return nullptr;
    QAccessible::Id& id = FChildren[std::size_t(index)];
    if (id == 0)
        id = QAccessible::registerAccessibleInterface(
            new TCalendarPartAccessible(Calendar(), index));
    return QAccessible::accessibleInterface(id);
}

int TCalendarAccessible::indexOfChild(const QAccessibleInterface* part) const {
    for (int index = 0; index < ChildCount; ++index)
        if (FChildren[std::size_t(index)] != 0 &&
            QAccessible::accessibleInterface(FChildren[std::size_t(index)]) == part)
            return index;
    return -1;
}

QAccessibleInterface* TCalendarAccessible::childAt(int x, int y) const {
    for (int index = 0; index < ChildCount; ++index)
        if (QAccessibleInterface* part = child(index);
            part && part->rect().contains(x, y) && index != TitleChild)
            return part;
    const QAccessibleInterface* title = child(TitleChild);
    return title && title->rect().contains(x, y) ? child(TitleChild) : nullptr;
}

QString TCalendarAccessible::text(QAccessible::Text type) const {
    if (type == QAccessible::Name) {
        const QString own = QAccessibleWidget::text(type);
        return own.isEmpty() ? QStringLiteral("Calendar, ") + TitleText(*Calendar()) : own;
    }
    return QAccessibleWidget::text(type);
}

void* TCalendarAccessible::interface_cast(QAccessible::InterfaceType type) {
    if (type == QAccessible::TableInterface)
        return static_cast<QAccessibleTableInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessibleInterface* TCalendarAccessible::cellAt(int row, int column) const {
    if (row < 0 || row >= rowCount() || column < 0 || column >= columnCount())
        return nullptr;
    return child(FirstCellChild + row * columnCount() + column);
}

QList<QAccessibleInterface*> TCalendarAccessible::selectedCells() const {
    return {child(SelectedChild())};
}

QString TCalendarAccessible::columnDescription(int column) const {
    // The grid counts Sunday 0 ... Saturday 6; Qt counts Monday 1 ... Sunday 7.
    const int weekDay = (column + Calendar()->StartOfWeek()) % 7;
    return AppLocale().dayName(weekDay == 0 ? 7 : weekDay, QLocale::LongFormat);
}

int TCalendarAccessible::CellChildOf(const TMonthLayout& layout, int day) {
    return FirstCellChild + (layout.WeekOf(day) - 1) * CalendarColumns + layout.ColumnOf(day);
}

int TCalendarAccessible::SelectedChild() const {
    return CellChildOf(Calendar()->Layout(), Calendar()->Day());
}

void InstallCalendarAccessibility() {
    static const bool installed = [] {
        QAccessible::installFactory(CalendarFactory);
        return true;
    }();
    static_cast<void>(installed);
}
