#include "timelinepainter.h"

#include "base/rounding.h"
#include "dayview/dayviewgeometry.h"
#include "base/textutils.h"
#include "calendar/colornumber.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/values/timetexts.h"
#include "storage/values/timevalues.h"

#include <cmath>

#include <QFontMetrics>
#include <QPainter>
#include <QPolygon>

namespace {
// More of the remarks than this never fits on a block's line; a very long remark is not made
// into one line on every paint.
constexpr qsizetype ShownRemarks = 400;

// The client, project and activity lines of a block; none without client and project.
QStringList BlockLines(const TBlock& block) {
    if (block.Client.isEmpty() && block.Project.isEmpty())
        return {};
    QString activity = block.Activity;
    if (!block.Remarks.isEmpty())
        activity += QStringLiteral(" - ") + SingleLine(NormaliseLineBreaks(block.Remarks.left(ShownRemarks)));
    return {block.Client, block.Project, activity};
}
} // namespace

QFont TimelineFont() {
    QFont font(QStringLiteral("Tahoma"), 8);
    font.setStyleHint(QFont::SansSerif);
    return font;
}

int BlockLeft(const TDayView& view, const TBlock& block) {
    return view.EdgeX(block.StartTime);
}

int BlockRight(const TDayView& view, const TBlock& block) {
    return view.EdgeX(block.EndTime) + 1;
}

double PaintDay(QPainter& painter, const TDay& day, const TDayView& view, const TBlock* selected,
                const TBlockColours& colours) {
    painter.fillRect(QRect(0, 0, view.Width, view.Height), ColorOfNumber(0x808080));
    double total = 0;
    for (const auto& block : day.Blocks) {
        if (block->Reportable)
            total += block->Hours();
        PaintBlock(painter, view, *block, colours, block.get() == selected);
    }
    return total;
}

void PaintBlock(QPainter& painter, const TDayView& view, const TBlock& block,
                const TBlockColours& colours, bool selected) {
    const int left = BlockLeft(view, block);
    const int right = BlockRight(view, block);
    const int height = view.Height;
    painter.save();
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(ColorOfNumber(BlockColour(block, colours)));
    // A pen draws a rectangle one pixel wider and taller than its size: the outline then
    // lies on the first and the last pixels of (left, 0) to (right, height).
    painter.drawRect(QRect(left, 0, right - left - 1, height - 1));
    const QRect textArea(QPoint(left + 2, 2), QPoint(right - 3, height - 3));
    const QStringList lines = BlockLines(block);
    if (!lines.isEmpty() && textArea.isValid()) {
        painter.setFont(TimelineFont());
        const QFontMetrics metrics(painter.font());
        painter.setClipRect(textArea);
        int top = textArea.top();
        for (const QString& line : lines) {
            painter.drawText(QPoint(textArea.left() + 2, top + metrics.ascent()), line);
            top += metrics.height();
        }
        painter.setClipping(false);
    }
    if (selected && textArea.isValid()) {
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(textArea.adjusted(0, 0, -1, -1));
    }
    painter.restore();
}

QRect DragOutlineRect(const TDayView& view, const TBlock& block) {
    const int left = view.EdgeX(block.StartTime);
    const int right = view.EdgeX(block.EndTime);
    return QRect(QPoint(left + 1, 1), QPoint(right - 2, view.Height - 2));
}

TDayHoursLabel DayHoursLabel(double hours, int weekDay, double targetHours, bool decimal) {
    const bool weekend = weekDay == 6 || weekDay == 7;
    const bool enough = hours >= targetHours || weekend;
    return {hours == 0 ? QString() : DurationText(decimal, hours),
            enough ? QColor(Qt::black) : ColorOfNumber(0x0000FF)};
}

int HeaderLabelWidth(const QFont& font) {
    return QFontMetrics(font).horizontalAdvance(ClockText(2000) + QStringLiteral("XX"));
}

void PaintHeader(QPainter& painter, QSize size, const THeaderView& view) {
    const int w = size.width();
    const int h = size.height();
    const double pph = w / double(view.ViewHours);
    painter.save();
    if (view.ShowsToday) {
        const int c = RoundToNearest((view.Now.hour() + view.Now.minute() / 60.0) * pph);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ColorOfNumber(view.MarkerColour));
        painter.drawPolygon(QPolygon({QPoint(c - 8, 5), QPoint(c + 8, 5), QPoint(c, h - 5)}));
    }
    painter.setPen(Qt::black);
    painter.drawLine(0, 0, w, 0);
    painter.setFont(TimelineFont());
    const QFontMetrics metrics(painter.font());
    const THeaderSteps steps =
        HeaderSteps(view.ZoomWidth, view.TimeStep, pph, HeaderLabelWidth(painter.font()));
    for (int f = 0; f < view.ViewHours; f += steps.StepHours) {
        if (f > 0) {
            const int x = RoundToNearest(f * pph);
            painter.drawLine(x, 0, x, 5);
            const QString label = ClockText(f * 100 + view.ViewStart);
            painter.drawText(QPoint(x - metrics.horizontalAdvance(label) / 2, 5 + metrics.ascent()),
                             label);
        }
        if (steps.MinorMinutes == 0)
            continue;
        for (int m = steps.MinorMinutes; m < steps.StepHours * 60; m += steps.MinorMinutes) {
            const int x = RoundToNearest((f + m / 60.0) * pph);
            painter.drawLine(x, 0, x, 3);
        }
    }
    painter.restore();
}
