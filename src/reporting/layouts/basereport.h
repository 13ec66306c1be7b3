#pragma once

#include "reporting/engine/reportlayouter.h"
#include "reporting/engine/reportmodel.h"
#include "reporting/lineoptions.h"
#include "reporting/reportdata.h"
#include "reporting/reportlines.h"

#include <functional>
#include <memory>
#include <set>

#include <QDate>
#include <QHash>
#include <QStringList>

// What the report window hands a layout.
struct TReportParameters {
    const TReportDays* Days = nullptr;
    QDate PeriodFrom;
    QDate PeriodTo;
    QString ClientFilter;
    QString ProjectFilter;
    const QStringList* Users = nullptr; // user folders; none for the current user
    TCharging Charging = TCharging::IncludeAll;
    bool ShowOvertime = true;
    bool BreakDownToRemarks = false;
};

// Where the billing columns of a layout stand: code, hours, rate and charge in the column header
// and detail bands, their totals, and the legend after the totals.
struct TBillingColumns {
    int CodeHeader, Code, HoursHeader, HoursRight, RateHeader, RateRight, ExtendedHeader,
        ExtendedRight, HoursTotalRight, ExtendedTotalRight, LegendCodes, LegendDescriptions;
};

// The common ancestor of the report layouts: the page, the bands every layout shares (page
// header, title, summary with the user list and billing legend, page footer), the captions of
// the title, the column rules and the report text. The layouts add their column header, detail
// and total bands.
class TBaseReport {
public:
    TBaseReport(QString title, bool billing, bool letter);
    virtual ~TBaseReport();
    TBaseReport(const TBaseReport&) = delete;
    TBaseReport& operator=(const TBaseReport&) = delete;

    // Stores the parameters and arranges the columns.
    void Initialise(const TReportParameters& parameters);
    // Prints the report on the chosen printer, or previews it; false (with "There are no hours
    // to report" shown) when there is nothing to print.
    bool Produce(bool print);
    // What shows a preview: it starts a run, shows the pages as they come and returns when
    // the preview was closed. Set by the program; a report without one cannot be previewed.
    using TPreviewHandler = std::function<void(TBaseReport& report)>;
    static void SetPreviewHandler(TPreviewHandler handler);
    // Ends a run still being produced at its next record (a preview closed early).
    void Cancel();
    // Prints the prepared report on the chosen printer (the preview's Print); false when no
    // page could be printed.
    bool PrintPrepared();
    // Writes the prepared report as a PDF file (the preview's Print without a printer); pages,
    // when given, learns how many pages were written.
    bool WritePreparedPdf(const QString& fileName, int* pages = nullptr,
                          QString* failure = nullptr);
    // The printer chosen in the report window; none, or one not installed, is the default.
    QString PrinterName;
    // Runs the report into a PDF file; false (with "There are no hours to report" shown) when
    // there is nothing to print, or when the file cannot be written.
    bool ProducePdf(const QString& fileName, int* pages = nullptr);
    // Prints the report on a given printer (a PDF printer in the tests).
    bool ProducePrint(class QPrinter& printer);
    // Builds the report's lines from the days (what Produce does first); false when there is
    // nothing to print.
    bool Prepare() { return PrepareLines(); }
    // Starts a run and hands out its pages one at a time (the preview and the tests).
    TReportLayouter& StartRun();
    // Whether a run of the prepared report makes any page: a report without records (a
    // weekly report of a week without hours) is not printed at all.
    bool MakesPages();

    // The report text: the title line of the last run, then, once written, the header and the
    // data lines.
    const QStringList& ReportText() const { return FReportText; }
    // Rebuilds the text from its title line and writes it to fileName, CR LF after each line,
    // in Windows-1252 (UTF-8 when a character does not fit). Raises EInOutError when the file
    // cannot be written; an existing file is replaced only by the whole new text.
    void SaveReportTextTo(const QString& fileName);
    // The text as SaveReportTextTo writes it, without writing it.
    QStringList BuildReportText();

    // A configured column position on this paper: itself on A4; on Letter x − round(x × 67 ÷
    // 1047), halves to even.
    int AdjustLeft(int x) const;

    QString Title() const { return FModel.Title; }
    bool IsBilling() const { return FBilling; }
    bool IsLetter() const { return FLetter; }
    const TReportParameters& Parameters() const { return FParameters; }
    int UserCount() const { return FParameters.Users ? int(FParameters.Users->size()) : 0; }
    TReportModel& Model() { return FModel; }

    // The captions SetupTitles gives.
    QString UserCaption() const;
    QString PeriodCaption() const;
    bool Filtered() const;
    QString FilterText() const;

    static QString CategoryActivityText(const QString& category, const QString& activity);
    static QString CodeText(bool overtime, const QString& code);
    static double Round2(double x);
    // The warning of the billing layouts for the codes met; empty when every line was billed.
    static QString BillingWarningText(const std::set<QString>& codes);

protected:
    // Sets the parameters a layout does not offer to what it always uses.
    virtual void LimitParameters(TReportParameters&) {}
    virtual void ArrangeColumns() = 0;
    // False when there is nothing to print.
    virtual bool PrepareLines() = 0;
    virtual void WriteReportText() = 0;
    // The layout's own start of a run: its totals and counters.
    virtual void StartLayoutRun() = 0;

    // A label's width up to the next one's left edge, less 10.
    static void FitWidth(TReportLabel& label, const TReportLabel& next);

    // The text columns of a layout, each a header in the column header band and a field in
    // the detail band: client, project, category : activity and (not in every layout) remarks.
    struct TTextColumn {
        TReportLabel* Header = nullptr;
        TReportLabel* Data = nullptr;
    };
    struct TTextColumns {
        TTextColumn Client, Project, Category, Remarks;
    };
    // The column header band: a rule two units thick at ruleTop, left out after the totals.
    TReportBand& AddColumnHeaderBand(int height, int ruleTop);
    // A text column's bold 8-point header and its 8-point field at left.
    static TReportLabel& AddTextColumn(TReportBand& header, TReportBand& detail,
                                       const char* headerName, const char* dataName,
                                       const char* caption, int left);
    // The four text columns by their usual names (remarks missing in the weekly grid).
    static TTextColumns TextColumns(TReportBand& header, TReportBand& detail);
    // Project, category : activity and remarks at the design positions, or with
    // ReportColumnDefault off at the configured ones converted to this paper.
    void PlaceTextColumns(const TTextColumns& columns, int projectLeft, int categoryLeft,
                          int remarksLeft) const;
    // Each text column's width up to the next one and the last up to end (the first number
    // column); the remarks show only when broken down.
    void FitTextColumns(const TTextColumns& columns, const TReportLabel& end) const;
    void AddBillingColumns(TReportBand& header, TReportBand& detail, const TBillingColumns& at);
    // The line options of the report's parameters, with or without users and consolidation.
    TLineOptions LineOptions(bool withUser, bool consolidate) const;
    // The lines of the whole period, sorted.
    TReportLines PeriodLines(const TLineOptions& options, TLineCompare compare) const;
    // CurrentLines := the period's lines; false (and none kept) when there is none.
    bool PreparePeriodLines(const TLineOptions& options, TLineCompare compare);
    // The billing fields of a line (code, hours, rate, charge) in band, the codes going into
    // CodesMet; overtimeOnly for a report of overtime alone (its hours, its code with "OT").
    void FillBillingFields(TReportBand& band, const TReportLine& line, bool overtimeOnly);
    // The same fields for the saved text, the codes going into codes.
    static QStringList BillingTextFields(const TReportLine& line, bool overtimeOnly,
                                         std::set<QString>& codes);
    // A right-aligned 8-point field of the usual width whose right edge is rightEdge.
    static TReportLabel& AddRightField(TReportBand& band, const char* name, int rightEdge,
                                       bool bold, int top = 2);
    // A bold 8-point column header at top 8.
    static TReportLabel& AddHeader(TReportBand& band, const char* name, const char* caption,
                                   int left, int width = 0,
                                   TTextAlignment alignment = TTextAlignment::Left);
    // Remarks on one line: line breaks and tabs become spaces.
    static QString OneLine(const QString& remarks);
    // The short time text of a time of day (0–2400). The texts of all times are made at once,
    // when a text is begun or a time is first asked for (a year of a work group has hundreds
    // of thousands of lines but few distinct times).
    const QString& CachedTimeText(int time);
    // The same without making any, safe to call side by side: the made text, or a new one
    // when none are made yet.
    QString TimeTextOf(int time) const;
    // The short date text of a date, made once per date and text.
    const QString& CachedDateText(QDate date);
    // The same without keeping it: the kept text when CachedDateText made one, safe to call
    // side by side once no more are made.
    QString DateTextOf(QDate date) const;
    // The saved text's leading fields of a line: user, date, start and end time, client,
    // project, category : activity and the one-line remarks.
    QStringList LeadingTextFields(const TReportLine& line, const QString& date) const;
    // The label called name of band.
    static void SetText(TReportBand& band, const char* name, const QString& text);
    static constexpr int RightFieldWidth = 60;
    // An amount rounded to whole cents, halves to even.
    static TMoney RoundToCents(TMoney amount);
    // Where the billing legend stands in the user-list band (the layouts differ).
    void PlaceBillingLegend(int codesLeft, int descriptionsLeft);
    // Fills the user list and, for billing layouts, the legend and warning.
    void FillUserList();
    void AddReportTextLine(const QString& line) { FReportText.append(line); }
    int BandWidth() const { return FLetter ? 980 : 1047; }

    TReportModel FModel;
    TReportParameters FParameters;
    TReportLines CurrentLines;
    std::set<QString> CodesMet; // billing layouts
    bool TotalsPrinted = false;

private:
    void CreateCommonBands();
    bool PrintOn(class QPrinter& printer);
    void SetupTitles();
    void MakeTimeTexts();

    bool FBilling;
    bool FLetter;
    QStringList FReportText;
    std::unique_ptr<TReportLayouter> FLayouter;

    std::vector<QString> FTimeTexts;
    QHash<qint64, QString> FDateTexts;
};
