#include "reportpainter.h"

#include <QFile>
#include <QFont>
#include <QPageLayout>
#include <QPaintDevice>
#include <QPainter>
#include <QPdfWriter>

namespace {
constexpr double UnitsPerInch = 96;

Qt::Alignment AlignmentOf(TTextAlignment alignment) {
    switch (alignment) {
    case TTextAlignment::Centre:
        return Qt::AlignHCenter;
    case TTextAlignment::Right:
        return Qt::AlignRight;
    case TTextAlignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QPageLayout LayoutOf(const TReportPaper& paper) {
    const QPageSize size(QSizeF(paper.HeightMm, paper.WidthMm), QPageSize::Millimeter);
    return QPageLayout(size, QPageLayout::Landscape,
                       QMarginsF(paper.MarginMm, paper.MarginMm, paper.MarginMm, paper.MarginMm),
                       QPageLayout::Millimeter);
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
        case TPageItem::ikText: {
            // The painter already maps layout units to the device; the font must not be scaled
            // by the device's resolution a second time.
            QFont font(QStringLiteral("Tahoma"));
            font.setPointSizeF(item.PointSize * UnitsPerInch / painter.device()->logicalDpiY());
            font.setBold(item.Bold);
            font.setItalic(item.Italic);
            painter.setFont(font);
            painter.setPen(item.Colour);
            if (item.Wrap) {
                painter.drawText(item.Rect,
                                 int(AlignmentOf(item.Alignment) | Qt::AlignTop | Qt::TextWordWrap),
                                 item.Text);
                break;
            }
            painter.save();
            painter.setClipRect(item.Rect.adjusted(0, 0, 0, item.Rect.height()));
            painter.drawText(item.Rect, int(AlignmentOf(item.Alignment) | Qt::AlignTop |
                                            Qt::TextSingleLine | Qt::TextDontClip),
                             item.Text);
            painter.restore();
            break;
        }
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
                    const QString& title, int* pages) {
    QPdfWriter writer(fileName);
    writer.setTitle(title);
    writer.setCreator(QStringLiteral("Quillhour"));
    writer.setResolution(300);
    const int printed = PrintReportPages(layouter, paper, writer);
    if (pages)
        *pages = printed;
    return printed > 0 && QFile::exists(fileName);
}
