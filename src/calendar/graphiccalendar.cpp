#include "graphiccalendar.h"

#include "base/applocale.h"
#include "base/rounding.h"
#include "calendar/calendaraccessible.h"
#include "calendar/colornumber.h"
#include "storage/settings/calendarsetup.h"

#include <algorithm>
#include <cmath>

#include <QAccessible>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QPolygon>

namespace {
// The exclusive right and bottom edges of a cell, as the painting rules count them.
int RightOf(const QRect& cell) {
    return cell.x() + cell.width();
}
int BottomOf(const QRect& cell) {
    return cell.y() + cell.height();
}

const QString Sample = QStringLiteral("My");
} // namespace

TGraphicCalendar::TGraphicCalendar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("GraphicCalendar"));
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(105, 105);
    FDate = QDate::currentDate();
    FColors[ciColor] = NumberOfColor(palette().color(QPalette::Button));
    FColors[ciLineColor] = 0x808080;
    FColors[ciSelectionBackground] = 0xC0C0C0;
    FColors[ciTitleBackground] = 0xC0C0C0;
    FColors[ciDayMarkerLine] = 0x808080;
    FColors[ciDayMarkerFill] = 0xFFFFFF;
    FColors[ciDayMarkerText] = 0x008000;
    FSelectionStyle = ssLine | ssFill;
}

bool TGraphicCalendar::ChangeAllowed() {
    bool allow = true;
    if (OnChangeQuery)
        OnChangeQuery(this, allow);
    return allow;
}

void TGraphicCalendar::DateChanged(QDate date) {
    FDate = date;
    update();
    if (QAccessible::isActive()) {
        QAccessibleEvent selection(this, QAccessible::Selection);
        selection.setChild(TCalendarAccessible::CellChildOf(Layout(), Day()));
        QAccessible::updateAccessibility(&selection);
        QAccessibleEvent title(this, QAccessible::NameChanged);
        title.setChild(TCalendarAccessible::TitleChild);
        QAccessible::updateAccessibility(&title);
    }
    if (OnChange)
        OnChange(this);
}

void TGraphicCalendar::SetDate(QDate date) {
    if (date.isValid() && ChangeAllowed())
        DateChanged(date);
}

// Each setter keeps the day within the length of the month it lands in, so that a date that
// does not exist (31 February) is never made.
void TGraphicCalendar::SetYear(int year) {
    if (!ChangeAllowed() || year <= 0 || year == Year())
        return;
    const int days = QDate(year, Month(), 1).daysInMonth();
    DateChanged(QDate(year, Month(), std::min(Day(), days)));
}

void TGraphicCalendar::SetMonth(int month) {
    if (!ChangeAllowed() || month <= 0 || month > 12 || month == Month())
        return;
    const int days = QDate(Year(), month, 1).daysInMonth();
    DateChanged(QDate(Year(), month, std::min(Day(), days)));
}

void TGraphicCalendar::SetDay(int day) {
    if (!ChangeAllowed() || day <= 0 || day > FDate.daysInMonth() || day == Day())
        return;
    DateChanged(QDate(Year(), Month(), day));
}

void TGraphicCalendar::PageMonth(int step) {
    SetDate(PagedMonth(FDate, step));
}

int TGraphicCalendar::ColorProperty(int index) const {
    return index >= ciColor && index <= ciDayMarkerText ? FColors[std::size_t(index)] : 0;
}

void TGraphicCalendar::SetColorProperty(int index, int number) {
    if (index < ciColor || index > ciDayMarkerText)
        return;
    FColors[std::size_t(index)] = number;
    update();
}

void TGraphicCalendar::SetCalendarTextEffect(TTextEffect effect) {
    FCalendarTextEffect = effect;
    update();
}

void TGraphicCalendar::SetTitleTextEffect(TTextEffect effect) {
    FTitleTextEffect = effect;
    update();
}

void TGraphicCalendar::SetSelectionStyle(int style) {
    const bool drawsSomething = (style & (ssFill | ssDot | ssLine)) != 0;
    const bool squareAndCircle = (style & ssSquare) != 0 && (style & ssCircle) != 0;
    if (style == FSelectionStyle || style == 0 || !drawsSomething || squareAndCircle)
        return;
    FSelectionStyle = style;
    update();
}

void TGraphicCalendar::SetAllowNavigation(bool allow) {
    FAllowNavigation = allow;
    update();
}

void TGraphicCalendar::SetDayLines(bool lines) {
    FDayLines = lines;
    update();
}

void TGraphicCalendar::SetShortDays(bool shortDays) {
    FShortDays = shortDays;
    update();
}

void TGraphicCalendar::SetStartOfWeek(int day) {
    if (day == FStartOfWeek || day < 0 || day > 6 || !ChangeAllowed())
        return;
    FStartOfWeek = day;
    DateChanged(FDate);
}

void TGraphicCalendar::SetFontScale(double scale) {
    if (scale == FFontScale)
        return;
    FFontScale = std::clamp(scale, 1.0, 3.0);
    update();
}

void TGraphicCalendar::SetShowPicture(bool show) {
    if (show == FShowPicture)
        return;
    FShowPicture = show;
    update();
}

void TGraphicCalendar::SetPictureFitType(TPictureFitType fit) {
    if (fit == FPictureFitType)
        return;
    FPictureFitType = fit;
    update();
}

void TGraphicCalendar::LoadPicture(const QString& fileName) {
    QImage picture;
    if (!picture.load(fileName) || picture.width() <= 0 || picture.height() <= 0)
        return;
    FPicture = std::move(picture);
    FScaled = QImage();
    FShowPicture = true;
    update();
}

void TGraphicCalendar::SetMarkedDays(const std::array<bool, 32>& flags) {
    FMarkedDays.fill(false);
    for (int day = 1; day <= 31; ++day)
        FMarkedDays[std::size_t(day)] = flags[std::size_t(day)];
    update();
}

int TGraphicCalendar::FittedPointSize() const {
    const double cellWidth = width() / double(CalendarColumns);
    const double cellHeight = height() / double(CalendarRows);
    const bool byWidth = cellHeight > cellWidth;
    const int target = RoundToNearest((byWidth ? cellWidth : cellHeight) / FFontScale);
    QFont probe = font();
    int points = std::max(1, probe.pointSize());
    const auto measure = [&](int size) {
        probe.setPointSize(size);
        const QFontMetrics metrics(probe);
        return byWidth ? metrics.horizontalAdvance(Sample) : metrics.height();
    };
    constexpr int LargestPoints = 400;
    if (measure(points) < target) {
        while (points < LargestPoints && measure(points) < target)
            ++points;
    } else {
        while (points > 1 && measure(points) > target)
            --points;
    }
    return points;
}

void TGraphicCalendar::paintEvent(QPaintEvent*) {
    // Drawn off screen first, so that the control never shows half a picture.
    const qreal ratio = devicePixelRatioF();
    QImage buffer((QSizeF(size()) * ratio).toSize(), QImage::Format_ARGB32_Premultiplied);
    buffer.setDevicePixelRatio(ratio);
    {
        QPainter painter(&buffer);
        Render(painter);
    }
    QPainter(this).drawImage(0, 0, buffer);
    if (OnPaint)
        OnPaint(this);
}

void TGraphicCalendar::Render(QPainter& painter) {
    QFont calendarFont = font();
    calendarFont.setPointSize(FittedPointSize());
    painter.setFont(calendarFont);
    PaintBackground(painter);
    for (int week = 0; week <= CalendarWeeks; ++week)
        for (int column = 0; column < CalendarColumns; ++column)
            PaintCell(painter, calendarFont, column, week);
    PaintTitle(painter, calendarFont);
}

const QImage& TGraphicCalendar::ScaledPicture() {
    const QRect target = PictureTarget(FPicture.size(), size(), FPictureFitType);
    if (FScaled.isNull() || target != FScaledTarget || FScaledFit != FPictureFitType) {
        const qreal ratio = devicePixelRatioF();
        FScaled = FPicture.scaled((QSizeF(target.size()) * ratio).toSize(), Qt::IgnoreAspectRatio,
                                  Qt::SmoothTransformation);
        FScaled.setDevicePixelRatio(ratio);
        FScaledTarget = target;
        FScaledFit = FPictureFitType;
    }
    return FScaled;
}

void TGraphicCalendar::PaintBackground(QPainter& painter) {
    const QColor background = ColorOfNumber(Color());
    if (!HasPicture() || FPictureFitType == ftFitAspect)
        painter.fillRect(rect(), background);
    if (!HasPicture())
        return;
    const int top = CalendarTitleHeight(size());
    painter.save();
    painter.setClipRect(QRect(0, top, width(), height() - top));
    const QImage& scaled = ScaledPicture();
    painter.drawImage(FScaledTarget.topLeft(), scaled);
    painter.restore();
}

QString TGraphicCalendar::DayName(int column) const {
    // The grid counts Sunday 0 ... Saturday 6; Qt counts Monday 1 ... Sunday 7.
    const int weekDay = (column + FStartOfWeek) % 7;
    const QString name = AppLocale().dayName(weekDay == 0 ? 7 : weekDay, QLocale::ShortFormat);
    return FShortDays ? name.left(1) : name;
}

void TGraphicCalendar::PaintCell(QPainter& painter, QFont cellFont, int column, int week) {
    const QRect cell = CalendarCell(column, week, size());
    const TMonthLayout layout = Layout();
    const int day = week >= 1 ? layout.DayAt(column, week) : 0;
    if (!HasPicture())
        painter.fillRect(cell, ColorOfNumber(Color()));
    const bool selected = day != 0 && day == Day();
    if (selected && FSelectionStyle != 0)
        PaintSelection(painter, cell);
    if (week >= 1 && day == 0)
        return;
    const bool marked = FMarkDays != mdNone && day != 0 && IsMarked(day);
    const QString text = week == 0 ? DayName(column) : QString::number(day);
    const QFont drawingFont = cellFont;
    if (week >= 1 && OnDateText) {
        OnDateText(this, cellFont, day);
        painter.setFont(cellFont);
    }
    const QFontMetrics metrics(painter.font());
    const int textHeight = metrics.height();
    const int top = (cell.y() + BottomOf(cell) - textHeight) / 2;
    const bool fillsSelection = selected && (FSelectionStyle & ssFill) != 0;
    const QColor shadow = Darkened(ColorOfNumber(fillsSelection ? SelectionBackground() : Color()));
    const QColor textColor =
        marked && FMarkDays == mdText ? ColorOfNumber(DayMarkerText()) : QColor(Qt::black);
    PaintText(painter, cell, top, text, textColor, FCalendarTextEffect, shadow);
    if (week == 0 && FDayLines) {
        const int bottom = BottomOf(cell);
        painter.setPen(ColorOfNumber(TitleBackground()));
        painter.drawLine(cell.x(), bottom - 1, RightOf(cell) - 1, bottom - 1);
        painter.setPen(FCalendarTextEffect == etShadow ? Darkened(ColorOfNumber(Color()))
                                                       : ColorOfNumber(0xC0C0C0));
        painter.drawLine(cell.x(), bottom, RightOf(cell) - 1, bottom);
    }
    if (marked && FMarkDays == mdGraphic)
        PaintClock(painter, cell, metrics.horizontalAdvance(text), textHeight);
    painter.setFont(drawingFont);
}

void TGraphicCalendar::PaintSelection(QPainter& painter, const QRect& cell) {
    QRect shape = cell.adjusted(1, 1, -1, -1);
    if ((FSelectionStyle & (ssSquare | ssCircle)) != 0) {
        const int side = std::min(shape.width(), shape.height());
        shape = QRect(shape.center().x() - side / 2, shape.center().y() - side / 2, side, side);
    }
    painter.save();
    if ((FSelectionStyle & ssDot) != 0)
        painter.setPen(QPen(ColorOfNumber(LineColor()), 1, Qt::DotLine));
    else if ((FSelectionStyle & ssLine) != 0)
        painter.setPen(QPen(ColorOfNumber(LineColor()), 1, Qt::SolidLine));
    else
        painter.setPen(Qt::NoPen);
    if ((FSelectionStyle & ssFill) != 0)
        painter.setBrush(ColorOfNumber(SelectionBackground()));
    else
        painter.setBrush(Qt::NoBrush);
    // The outline is drawn on the shape's last pixels, not beyond them.
    const QRect outline = shape.adjusted(0, 0, -1, -1);
    if ((FSelectionStyle & ssCircle) != 0) {
        painter.setRenderHint(QPainter::Antialiasing);
        painter.drawEllipse(outline);
    } else {
        painter.drawRect(outline);
    }
    painter.restore();
}

void TGraphicCalendar::PaintText(QPainter& painter, const QRect& cell, int top, const QString& text,
                                 const QColor& color, TTextEffect effect, const QColor& shadow) {
    const QFontMetrics metrics(painter.font());
    const int centre = (cell.x() + RightOf(cell)) / 2;
    const QPoint at(centre - metrics.horizontalAdvance(text) / 2, top + metrics.ascent());
    if (effect == etShadow) {
        painter.setPen(shadow);
        painter.drawText(at + QPoint(1, 1), text);
    } else if (effect == etCutout) {
        painter.setPen(Qt::white);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                if (dx != 0 || dy != 0)
                    painter.drawText(at + QPoint(dx, dy), text);
    }
    painter.setPen(color);
    painter.drawText(at, text);
}

void TGraphicCalendar::PaintClock(QPainter& painter, const QRect& cell, int textWidth,
                                  int textHeight) {
    const int centre = (cell.x() + RightOf(cell)) / 2;
    int h = std::min(RoundToNearest(0.75 * textHeight),
                     RoundToNearest((cell.width() - textWidth / 2.0) / 3.0));
    if (h % 2 == 0)
        ++h;
    const int x = RoundToNearest(textWidth / 2.0 + centre + h / 3.0);
    const int y = RoundToNearest((cell.y() + BottomOf(cell) - h) / 2.0);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(ColorOfNumber(DayMarkerLine()));
    painter.setBrush(ColorOfNumber(DayMarkerFill()));
    painter.drawEllipse(QRect(x, y, h, h));
    const QPoint middle(x + h / 2, y + h / 2);
    painter.drawLine(middle, QPoint(middle.x(), y + 1));
    painter.drawLine(middle, QPoint(x + h - 3, middle.y()));
    painter.restore();
}

void TGraphicCalendar::PaintTitle(QPainter& painter, const QFont& titleFont) {
    painter.setFont(titleFont);
    const int title = CalendarTitleHeight(size());
    const QColor background = ColorOfNumber(TitleBackground());
    painter.fillRect(QRect(0, 0, width(), title), background);
    const QFontMetrics metrics(titleFont);
    const QString text = AppLocale().monthName(Month(), QLocale::LongFormat) + QLatin1Char(' ') +
                         QString::number(Year());
    const QRect row(0, 0, width(), title);
    PaintText(painter, row, (title - metrics.height()) / 2, text, Qt::black, FTitleTextEffect,
              Darkened(background));
    if (!FAllowNavigation)
        return;
    PaintArrow(painter, PreviousArrowBox(size(), metrics.height()), true, FHeldArrow < 0);
    PaintArrow(painter, NextArrowBox(size(), metrics.height()), false, FHeldArrow > 0);
}

void TGraphicCalendar::PaintArrow(QPainter& painter, const QRect& box, bool left, bool sunken) {
    const QPoint tip =
        left ? QPoint(box.left(), box.center().y()) : QPoint(box.right(), box.center().y());
    const QPoint upper = left ? box.topRight() : box.topLeft();
    const QPoint lower = left ? box.bottomRight() : box.bottomLeft();
    painter.save();
    painter.setPen(Qt::gray);
    painter.setBrush(palette().color(QPalette::Button));
    painter.drawPolygon(QPolygon({tip, upper, lower}));
    const QColor light = sunken ? palette().color(QPalette::Dark) : QColor(Qt::white);
    const QColor dark = sunken ? QColor(Qt::white) : palette().color(QPalette::Dark);
    // Light falls from the upper left: the upper edge is lit, the lower one in shade.
    painter.setPen(light);
    painter.drawLine(tip + QPoint(1, 0), upper + QPoint(0, 1));
    painter.setPen(dark);
    painter.drawLine(tip + QPoint(1, 0), lower - QPoint(0, 1));
    if (!left) {
        painter.setPen(light);
        painter.drawLine(upper + QPoint(1, 1), lower + QPoint(1, -1));
    }
    painter.restore();
}

void TGraphicCalendar::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    const QPoint at = event->position().toPoint();
    const TCalendarHit hit = CalendarHitTest(at.x(), at.y(), size());
    TArrow arrow = 0;
    int day = 0;
    if (hit.Row == 0) {
        if (!FAllowNavigation || (hit.Column != 0 && hit.Column != CalendarColumns - 1))
            return;
        arrow = hit.Column == 0 ? -1 : 1;
    } else if (hit.Row == 1) {
        return;
    } else {
        day = Layout().DayAt(hit.Column, hit.Row - 1);
    }
    if (!ChangeAllowed())
        return;
    if (arrow != 0) {
        FHeldArrow = arrow;
        PageMonth(arrow);
        update();
    } else if (FAllowSelectNavigation && day != 0) {
        SetDay(day);
    }
    if (OnChange)
        OnChange(this);
    if (day != 0 && OnClick)
        OnClick(this);
}

void TGraphicCalendar::mouseReleaseEvent(QMouseEvent*) {
    if (FHeldArrow == 0)
        return;
    FHeldArrow = 0;
    update(QRect(0, 0, width(), CalendarTitleHeight(size())));
}
