#include "reportlayouter.h"

#include "reporting/engine/reportrowfitter.h"

#include <algorithm>

namespace {
constexpr double UnitsPerInch = 96;
constexpr double MmPerInch = 25.4;
} // namespace

TReportLayouter::TReportLayouter(TReportModel& model) : FModel(model) {}

double TReportLayouter::PrintableWidth(const TReportPaper& paper) {
    return (paper.WidthMm - 2 * paper.MarginMm) / MmPerInch * UnitsPerInch;
}

double TReportLayouter::PrintableHeight(const TReportPaper& paper) {
    return (paper.HeightMm - 2 * paper.MarginMm) / MmPerInch * UnitsPerInch;
}

double TReportLayouter::LabelHeight(const TReportLabel& label) {
    return TReportRowFitter::FromLabel(label, 1e6).Height;
}

TReportLayouter::TMeasured TReportLayouter::Measure(TReportBand& band) const {
    TMeasured measured;
    measured.Kind = band.Kind;
    measured.Height = band.Height;
    if (band.Background != Qt::white) {
        TPageItem fill;
        fill.Kind = TPageItem::ikFill;
        fill.Rect = QRectF(0, 0, 0, band.Height);
        fill.Colour = band.Background;
        measured.Items.push_back(fill);
    }
    std::vector<TFittedText> texts;
    const double width = PrintableWidth(FModel.Paper);
    for (const TReportLabel& label : band.Labels)
        if (label.Visible && !label.Text.isEmpty())
            texts.push_back(TReportRowFitter::FromLabel(label, width));
    TReportRowFitter::Fit(texts);
    for (const TFittedText& text : texts) {
        if (text.Stretch)
            measured.Height = std::max(measured.Height, text.Top + text.Height);
        if (text.Width <= 0)
            continue; // no room left for even an ellipsis
        TPageItem item;
        item.Rect = text.Box();
        item.Text = text.Shown.join(QLatin1Char('\n'));
        item.PointSize = text.Style.PointSize;
        item.Bold = text.Style.Bold;
        item.Italic = text.Style.Italic;
        item.Alignment = text.Alignment;
        item.TextWidth = text.Width;
        item.Name = text.Name;
        measured.Items.push_back(item);
    }
    for (const TReportRule& line : band.Rules) {
        TPageItem rule;
        rule.Kind = TPageItem::ikLine;
        rule.Rect = QRectF(QPointF(line.Left, line.Top), QPointF(line.Right, line.Bottom));
        measured.Items.push_back(rule);
    }
    return measured;
}

std::shared_ptr<const TReportLayouter::TMeasured>
TReportLayouter::MeasureContinued(const TReportBand& band) const {
    TReportBand copy = band;
    band.Continued(copy);
    auto heading = std::make_shared<TMeasured>(Measure(copy));
    heading->KeepWithNext = true;
    return heading;
}

bool TReportLayouter::Offer(TReportBand* band, std::deque<TMeasured>& out,
                            const std::shared_ptr<const TMeasured>& heading) {
    if (!band || (band->BeforePrint && !band->BeforePrint(*band)))
        return false;
    if (band->Height > 0 || !band->Labels.empty()) {
        if (band->KeepWithPrevious && !out.empty())
            out.back().KeepWithNext = true;
        out.push_back(Measure(*band));
        out.back().KeepWithNext = band->KeepWithNext;
        out.back().Heading = heading;
    }
    if (band->AfterPrint)
        band->AfterPrint(*band);
    Offer(band->Child, out, heading);
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
            ++FRecords;
            std::shared_ptr<const TMeasured> heading;
            for (TReportBand* band : FModel.Bands(TBandKind::Detail))
                if (Offer(band, FPending) && band->Continued)
                    heading = MeasureContinued(*band);
            for (TReportBand* band : FModel.Bands(TBandKind::SubDetail)) {
                while (!FCancelled && band->NextRecord && band->NextRecord())
                    Offer(band, FPending, heading);
                Offer(band->Footer, FPending, heading);
            }
            return true;
        }
        FDataEnded = true;
        // A report without any record is empty: it has no summary and makes no page.
        FSummaryOffered = FSummaryOffered || FRecords == 0;
    }
    if (FSummaryOffered || FCancelled)
        return false;
    FSummaryOffered = true;
    Offer(FModel.Band(TBandKind::Summary), FPending);
    return true;
}

double TReportLayouter::HeightKeptTogether() const {
    double height = 0;
    for (const TMeasured& band : FPending) {
        height += band.Height;
        if (!band.KeepWithNext)
            break;
    }
    return height;
}

bool TReportLayouter::NextPage(TReportPage& page) {
    if (FFinished)
        return false;
    if (FPending.empty() && !FetchMore()) {
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
        // A page that goes on with a record's lines is headed by the record's heading.
        if (!placedAny && next.Heading)
            Place(*next.Heading, page, y);
        // A band (with those kept with it) that would not fit waits for the next page, unless
        // the page holds nothing of the data yet (a band taller than a page is then placed and
        // cut by the page's foot).
        if (y + HeightKeptTogether() > bottom && placedAny)
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
