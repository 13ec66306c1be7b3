#include "reportlayouter.h"

#include <cmath>

#include <QFont>
#include <QFontMetricsF>
#include <QImage>

namespace {
constexpr double UnitsPerInch = 96;
constexpr double MmPerInch = 25.4;

QFont FontOf(double pointSize, bool bold, bool italic) {
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

// Fonts are measured as they print: at 96 dots per inch, one dot a layout unit.
const QImage& MeasuringDevice() {
    static const QImage device = [] {
        QImage image(1, 1, QImage::Format_RGB32);
        const int dotsPerMetre = int(std::lround(UnitsPerInch / MmPerInch * 1000));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        return image;
    }();
    return device;
}

QFontMetricsF MetricsOf(const TReportLabel& label) {
    return QFontMetricsF(FontOf(label.PointSize, label.Bold, label.Italic), &MeasuringDevice());
}
} // namespace

TReportLayouter::TReportLayouter(TReportModel& model) : FModel(model) {}

double TReportLayouter::PrintableWidth(const TReportPaper& paper) {
    return (paper.WidthMm - 2 * paper.MarginMm) / MmPerInch * UnitsPerInch;
}

double TReportLayouter::PrintableHeight(const TReportPaper& paper) {
    return (paper.HeightMm - 2 * paper.MarginMm) / MmPerInch * UnitsPerInch;
}

double TReportLayouter::LabelHeight(const TReportLabel& label) {
    const QFontMetricsF metrics = MetricsOf(label);
    const QStringList lines = label.Text.split(QLatin1Char('\n'));
    if (!label.Stretch || label.Width <= 0)
        return metrics.height() * double(std::max<qsizetype>(lines.size(), 1));
    const QRectF bounds = metrics.boundingRect(QRectF(0, 0, label.Width, 1e6),
                                               Qt::TextWordWrap, label.Text);
    return std::max(bounds.height(), metrics.height());
}

TReportLayouter::TMeasured TReportLayouter::Measure(TReportBand& band) {
    TMeasured measured{band.Kind, double(band.Height), {}};
    if (band.Background != Qt::white)
        measured.Items.push_back({TPageItem::ikFill, QRectF(0, 0, 0, band.Height), {}, 0, false,
                                  TTextAlignment::Left, band.Background});
    for (const TReportLabel& label : band.Labels) {
        if (!label.Visible || label.Text.isEmpty())
            continue;
        const double height = LabelHeight(label);
        const double width =
            label.Width > 0 ? label.Width : MetricsOf(label).horizontalAdvance(label.Text);
        measured.Items.push_back({TPageItem::ikText, QRectF(label.Left, label.Top, width, height),
                                  label.Text, label.PointSize, label.Bold, label.Alignment,
                                  Qt::black, label.Stretch, label.Italic});
        if (label.Stretch)
            measured.Height = std::max(measured.Height, label.Top + height);
    }
    for (const TReportRule& line : band.Rules)
        measured.Items.push_back({TPageItem::ikLine,
                                  QRectF(QPointF(line.Left, line.Top),
                                         QPointF(line.Right, line.Bottom)),
                                  {}, 0, false, TTextAlignment::Left, Qt::black});
    return measured;
}

bool TReportLayouter::Offer(TReportBand* band, std::deque<TMeasured>& out) {
    if (!band || (band->BeforePrint && !band->BeforePrint(*band)))
        return false;
    if (band->Height > 0 || !band->Labels.empty())
        out.push_back(Measure(*band));
    if (band->AfterPrint)
        band->AfterPrint(*band);
    Offer(band->Child, out);
    return true;
}

void TReportLayouter::Place(const TMeasured& band, TReportPage& page, double& y) {
    const double width = PrintableWidth(FModel.Paper);
    for (TPageItem item : band.Items) {
        if (item.Kind == TPageItem::ikFill)
            item.Rect = QRectF(0, 0, width, band.Height);
        item.Rect.translate(0, y);
        page.Items.push_back(item);
    }
    page.Bands.push_back(band.Kind);
    y += band.Height;
}

void TReportLayouter::StartPage(TReportPage& page, double& y) {
    page = TReportPage();
    page.Number = ++FPageNumber;
    y = 0;
    std::deque<TMeasured> top;
    Offer(FModel.Band(FPageNumber == 1 ? TBandKind::Title : TBandKind::PageHeader), top);
    Offer(FModel.Band(TBandKind::ColumnHeader), top);
    for (const TMeasured& band : top)
        Place(band, page, y);
}

void TReportLayouter::FinishPage(TReportPage& page) {
    std::deque<TMeasured> foot;
    Offer(FModel.Band(TBandKind::PageFooter), foot);
    double footerHeight = 0;
    for (const TMeasured& band : foot)
        footerHeight += band.Height;
    double y = PrintableHeight(FModel.Paper) - footerHeight;
    for (const TMeasured& band : foot)
        Place(band, page, y);
}

bool TReportLayouter::FetchMore() {
    if (!FDataEnded) {
        if (!FCancelled && FModel.NextRecord && FModel.NextRecord()) {
            for (TReportBand* band : FModel.Bands(TBandKind::Detail))
                Offer(band, FPending);
            for (TReportBand* band : FModel.Bands(TBandKind::SubDetail)) {
                while (!FCancelled && band->NextRecord && band->NextRecord())
                    Offer(band, FPending);
                Offer(band->Footer, FPending);
            }
            return true;
        }
        FDataEnded = true;
    }
    if (FSummaryOffered || FCancelled)
        return false;
    FSummaryOffered = true;
    Offer(FModel.Band(TBandKind::Summary), FPending);
    return true;
}

bool TReportLayouter::NextPage(TReportPage& page) {
    if (FFinished)
        return false;
    if (FPending.empty() && !FetchMore() && FPageNumber > 0) {
        FFinished = true;
        return false;
    }
    double y = 0;
    StartPage(page, y);
    double footer = 0;
    if (const TReportBand* band = FModel.Band(TBandKind::PageFooter))
        footer = band->Height;
    const double bottom = PrintableHeight(FModel.Paper) - footer;
    bool placedAny = false;
    while (true) {
        if (FPending.empty() && !FetchMore())
            break;
        if (FPending.empty())
            continue;
        const TMeasured& next = FPending.front();
        // A band that would not fit waits for the next page, unless the page holds nothing of
        // the data yet (a band taller than a page is then placed and cut by the page's foot).
        if (y + next.Height > bottom && placedAny)
            break;
        Place(next, page, y);
        FPending.pop_front();
        placedAny = true;
    }
    FinishPage(page);
    if (FPending.empty() && FDataEnded && FSummaryOffered)
        FFinished = true;
    return true;
}
