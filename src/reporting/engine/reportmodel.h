#pragma once

#include <functional>
#include <memory>
#include <vector>

#include <QColor>
#include <QString>

// The band model of the report engine. A report is a set of bands, each a horizontal strip of
// positioned labels, lines and fills in layout units of 1/96 inch, printed at a defined moment;
// the layout fills the labels in the bands' before-print hooks. The model knows nothing of
// pages: TReportLayouter turns it into pages, the painters draw those.

enum class TBandKind { PageHeader, Title, ColumnHeader, Detail, SubDetail, GroupFooter, Summary,
                       PageFooter };

enum class TTextAlignment { Left, Centre, Right };

// A label: text at (Left, Top), Width wide (0: as wide as its text); with Stretch it grows
// downwards with its lines, making its band taller.
struct TReportLabel {
    QString Name;
    int Left = 0;
    int Top = 0;
    int Width = 0;
    QString Text;
    double PointSize = 10;
    bool Bold = false;
    bool Italic = false;
    TTextAlignment Alignment = TTextAlignment::Left;
    bool Stretch = false;
    bool Visible = true;
};

// A straight line, from (Left, Top) to (Right, Bottom), one unit thick.
struct TReportRule {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
};

class TReportBand {
public:
    TReportBand(TBandKind kind, int height, QColor background = Qt::white);

    TReportLabel& AddLabel(const QString& name, int left, int top, double pointSize = 10);
    TReportLabel* Label(const QString& name);
    const TReportLabel* Label(const QString& name) const;
    void AddRule(int left, int top, int right, int bottom);

    TBandKind Kind;
    int Height; // layout units; a band of height 0 prints nothing
    QColor Background;
    std::vector<TReportLabel> Labels;
    std::vector<TReportRule> Rules;
    // Printed right after this band, on the same conditions.
    TReportBand* Child = nullptr;
    // A sub-detail band is printed once for each of its own records, as long as this answers
    // true, for every record of the report; its footer follows the last of them.
    std::function<bool()> NextRecord;
    TReportBand* Footer = nullptr;
    // The band stands on the same page as the band printed after it (a heading with its first
    // line); a band kept with the previous one makes that one kept with it (a total with the
    // last line it adds up).
    bool KeepWithNext = false;
    bool KeepWithPrevious = false;
    // A detail band with this heads every page that goes on with its record's sub-detail
    // bands: a copy of the band, as it was printed, changed by this (a date marked continued).
    std::function<void(TReportBand& copy)> Continued;
    // Before the band is placed; false leaves it out this time.
    std::function<bool(TReportBand& band)> BeforePrint;
    // After the band was placed.
    std::function<void(TReportBand& band)> AfterPrint;
};

// Paper in landscape, with 10 mm margins all round.
struct TReportPaper {
    double WidthMm = 297;
    double HeightMm = 210;
    double MarginMm = 10;
    static TReportPaper A4() { return {297, 210, 10}; }
    static TReportPaper Letter() { return {279.4, 215.9, 10}; }
};

// The bands of a report and where its records come from.
class TReportModel {
public:
    TReportBand& AddBand(TBandKind kind, int height, QColor background = Qt::white);
    // The first band of kind (none when there is none).
    TReportBand* Band(TBandKind kind) const;
    // Bands of kind, in the order they were added.
    std::vector<TReportBand*> Bands(TBandKind kind) const;

    TReportPaper Paper;
    QString Title;
    // Asked before each record: true when there is one more (the detail bands are printed for
    // it), false at the end of the data.
    std::function<bool()> NextRecord;

private:
    std::vector<std::unique_ptr<TReportBand>> FBands;
};
