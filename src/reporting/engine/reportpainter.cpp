#include "reportpainter.h"

#include "base/atomicfile.h"
#include "base/ioerror.h"
#include "reporting/engine/reportfont.h"
#include "reporting/engine/reporttextmetrics.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {
constexpr double UnitsPerInch = 96;

QPageLayout LayoutOf(const TReportPaper& paper) {
    const QPageSize size(QSizeF(paper.HeightMm, paper.WidthMm), QPageSize::Millimeter);
    return QPageLayout(size, QPageLayout::Landscape,
                       QMarginsF(paper.MarginMm, paper.MarginMm, paper.MarginMm, paper.MarginMm),
                       QPageLayout::Millimeter);
}

// Each line where the layouter measured it: at the box's left edge, against its right edge or
// centred in it, its baseline by the report font's ascent. Nothing is clipped: the layouter
// has fitted every text to its box.
void PaintText(QPainter& painter, const TPageItem& item) {
    const TTextStyle style{item.PointSize, item.Bold, item.Italic};
    // The painter already maps layout units to the device; the font must not be scaled by the
    // device's resolution a second time.
    painter.setFont(ReportFont(item.PointSize * UnitsPerInch / painter.device()->logicalDpiY(),
                               item.Bold, item.Italic));
    painter.setPen(item.Colour);
    const double spacing = TReportTextMetrics::LineSpacing(style);
    double baseline = item.Rect.top() + TReportTextMetrics::Ascent(style);
    for (const QString& line : item.Text.split(QLatin1Char('\n'))) {
        double left = item.Rect.left();
        if (item.Alignment != TTextAlignment::Left) {
            const double room = item.Rect.width() - TReportTextMetrics::Width(style, line);
            left += item.Alignment == TTextAlignment::Right ? room : room / 2;
        }
        painter.drawText(QPointF(left, baseline), line);
        baseline += spacing;
    }
}
} // namespace

void PaintReportPage(QPainter& painter, const TReportPage& page) {
    for (const TPageItem& item : page.Items) {
        switch (item.Kind) {
        case TPageItem::ikFill:
            painter.fillRect(item.Rect, item.Colour);
            break;
        case TPageItem::ikLine:
            painter.setPen(QPen(item.Colour, 1));
            painter.drawLine(item.Rect.topLeft(), item.Rect.bottomRight());
            break;
        case TPageItem::ikText:
            PaintText(painter, item);
            break;
        }
    }
}

int PrintReportPages(TReportLayouter& layouter, const TReportPaper& paper,
                     QPagedPaintDevice& device) {
    device.setPageLayout(LayoutOf(paper));
    QPainter painter;
    int pages = 0;
    TReportPage page;
    while (layouter.NextPage(page)) {
        if (pages == 0) {
            if (!painter.begin(&device))
                return 0;
        } else {
            device.newPage();
        }
        painter.resetTransform();
        // The painter's origin is the printable area's corner; one unit is 1/96 inch.
        const double scale = device.logicalDpiX() / UnitsPerInch;
        painter.scale(scale, scale);
        PaintReportPage(painter, page);
        ++pages;
    }
    if (painter.isActive())
        painter.end();
    return pages;
}

bool WriteReportPdf(TReportLayouter& layouter, const TReportPaper& paper, const QString& fileName,
                    const QString& title, int* pages, QString* failure) {
    // The PDF goes to a temporary file that replaces fileName only when every page is written.
    TAtomicFile file(fileName);
    int printed = 0;
    try {
        file.Open();
        {
            QPdfWriter writer(&file);
            writer.setTitle(title);
            writer.setCreator(QStringLiteral("Quillhour"));
            writer.setResolution(300);
            printed = PrintReportPages(layouter, paper, writer);
        }
        if (pages)
            *pages = printed;
        if (printed == 0)
            return false;
        file.Commit();
    } catch (const EInOutError& error) {
        if (failure)
            *failure = error.Text();
        return false;
    }
    return true;
}
