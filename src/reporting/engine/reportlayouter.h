#pragma once

#include "reporting/engine/reportmodel.h"

#include <deque>
#include <memory>
#include <vector>

#include <QRectF>
#include <QString>

// What a page is drawn from: text runs, lines and fills in layout units (1/96 inch) from the
// top left corner of the printable area. A text's Rect is the box it stands in, grown to hold
// the whole text; its lines are drawn in the report font (TReportTextMetrics) at its point
// size, each placed in the box by the alignment and TextWidth is the widest of them.
struct TPageItem {
    enum TKind { ikText, ikLine, ikFill };
    TKind Kind = ikText;
    QRectF Rect; // a line runs from the top left to the bottom right corner
    QString Text; // lines separated by line feeds, as drawn (cut with an ellipsis where needed)
    double PointSize = 10;
    bool Bold = false;
    TTextAlignment Alignment = TTextAlignment::Left;
    QColor Colour = Qt::black;
    bool Italic = false;
    double TextWidth = 0;
    QString Name; // the label's, for tests and the outline
};

struct TReportPage {
    int Number = 0;
    std::vector<TPageItem> Items;
    // The bands placed on the page, by kind, in order (for tests and the preview's outline).
    std::vector<TBandKind> Bands;
};

// Lays a report model out into pages, one page at a time, so that a preview can show the first
// page while later ones are still to be made and a run can stop between records. Each band is
// measured before it is placed (growing labels included, its texts fitted to their row by
// TReportRowFitter) and never split: a band that does not fit on the page opens the next one,
// and so does a band kept with the next when the two do not fit together. A page that goes on
// with the sub-detail bands of a record starts with the record's continued heading. The title
// band stands on the first page, the page header on every other page, the column header under
// either, the page footer at the foot of every page; after the data come the summary and its
// child. A report without any record makes no page.
class TReportLayouter {
public:
    explicit TReportLayouter(TReportModel& model);

    // The next page; false when the report has ended (no page is made then).
    bool NextPage(TReportPage& page);
    // The number of the page being made (1 for the first); for the footer's page-number field.
    int PageNumber() const { return FPageNumber; }
    bool Finished() const { return FFinished; }
    // Ends the report at the next record (a preview closed before it was complete).
    void Cancel() { FCancelled = true; }

    // The printable area in layout units.
    static double PrintableWidth(const TReportPaper& paper);
    static double PrintableHeight(const TReportPaper& paper);
    // The height a label needs: its lines at its font (wrapped at its width when it stretches).
    static double LabelHeight(const TReportLabel& label);

private:
    // A band measured with its contents as they were when it was offered.
    struct TMeasured {
        TBandKind Kind = TBandKind::Detail;
        double Height = 0;
        std::vector<TPageItem> Items;
        bool KeepWithNext = false;
        // The continued heading of the record this band belongs to, if it has one.
        std::shared_ptr<const TMeasured> Heading;
    };
    // Runs the band's before-print hook; when it prints, measures it (and its child chain).
    bool Offer(TReportBand* band, std::deque<TMeasured>& out,
               const std::shared_ptr<const TMeasured>& heading = nullptr);
    TMeasured Measure(TReportBand& band) const;
    // The band as it heads a page that goes on with its record.
    std::shared_ptr<const TMeasured> MeasureContinued(const TReportBand& band) const;
    // The height the front pending band needs with the bands it is kept with.
    double HeightKeptTogether() const;
    void Place(const TMeasured& band, TReportPage& page, double& y);
    void StartPage(TReportPage& page, double& y);
    void FinishPage(TReportPage& page);
    // Offers the bands that follow: the next record's bands, or the summary at the end.
    bool FetchMore();

    TReportModel& FModel;
    std::deque<TMeasured> FPending;
    int FPageNumber = 0;
    bool FDataEnded = false;
    bool FSummaryOffered = false;
    bool FFinished = false;
    bool FCancelled = false;
    int FRecords = 0;
};
