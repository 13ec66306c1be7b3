#include "basereport.h"

#include "base/applocale.h"
#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/messages.h"
#include "base/textfile.h"
#include "reporting/engine/reportpainter.h"
#include "reporting/isoweeks.h"
#include "reporting/valuetexts.h"
#include "storage/settings/adminsettings.h"
#include "storage/values/timetexts.h"

#include <algorithm>
#include <cmath>

#include <QPrinter>
#include <QPrinterInfo>

namespace {
const QColor Silver(192, 192, 192);

const std::vector<std::pair<QString, QString>>& BillingCodeLegend() {
    static const std::vector<std::pair<QString, QString>> legend{
        {QStringLiteral("Y"), QStringLiteral("Chargeable")},
        {QStringLiteral("N"), QStringLiteral("Not Chargeable")},
        {QStringLiteral("HRA"), QStringLiteral("Hourly Rate")},
        {QStringLiteral("FPR"), QStringLiteral("Fixed Price")},
        {QStringLiteral("CON"), QStringLiteral("Contract")},
        {QStringLiteral("FOC"), QStringLiteral("Free of Charge")}};
    return legend;
}

QString ShortDate(QDate date) {
    return LocaleShortDateText(date);
}
} // namespace

TBaseReport::TBaseReport(QString title, bool billing, bool letter)
    : FBilling(billing), FLetter(letter) {
    FModel.Title = std::move(title);
    FModel.Paper = letter ? TReportPaper::Letter() : TReportPaper::A4();
    CreateCommonBands();
}

TBaseReport::~TBaseReport() = default;

void TBaseReport::CreateCommonBands() {
    const int width = BandWidth();
    TReportBand& header = FModel.AddBand(TBandKind::PageHeader, 24, Silver);
    header.AddLabel(QStringLiteral("lblHeaderUser"), 8, 4);
    TReportLabel& headerTitle = header.AddLabel(QStringLiteral("lblHeaderTitle"), 0, 4);
    headerTitle.Width = width;
    headerTitle.Alignment = TTextAlignment::Centre;
    TReportLabel& headerPeriod =
        header.AddLabel(QStringLiteral("lblHeaderPeriod"), FLetter ? 742 : 809, 4);
    headerPeriod.Width = 230;
    headerPeriod.Alignment = TTextAlignment::Right;

    TReportBand& title = FModel.AddBand(TBandKind::Title, 56, Silver);
    TReportLabel& titleText = title.AddLabel(QStringLiteral("lblTitle"), 0, 2, 16);
    titleText.Width = width;
    titleText.Alignment = TTextAlignment::Centre;
    title.AddLabel(QStringLiteral("lblTitleUser"), 8, 4);
    TReportLabel& period = title.AddLabel(QStringLiteral("lblTitlePeriod"), 0, 4);
    period.Width = (FLetter ? 972 : 1039);
    period.Alignment = TTextAlignment::Right;
    title.AddLabel(QStringLiteral("lblFilter"), 8, 24, 8);
    title.AddLabel(QStringLiteral("lblTitleFilter"), 8, 37, 8).Width = 900;

    TReportBand& total = FModel.AddBand(TBandKind::Summary, 24, Silver);
    TReportLabel& totalText = total.AddLabel(QStringLiteral("lblTotal"), 8, 4, 9);
    totalText.Text = QStringLiteral("Total");
    totalText.Bold = true;
    TReportBand& users = FModel.AddBand(TBandKind::Summary, 0);
    users.AddLabel(QStringLiteral("lblHeaderUserList"), 8, 7, 8).Bold = true;
    users.AddLabel(QStringLiteral("lblUserList"), 8, 22, 8).Stretch = true;
    if (FBilling) {
        TReportLabel& warning = users.AddLabel(QStringLiteral("lblWarning"), 0, 7, 8);
        warning.Bold = true;
        warning.Width = width;
        warning.Alignment = TTextAlignment::Centre;
        warning.Stretch = true;
        const int codes = FLetter ? 772 : 838;
        users.AddLabel(QStringLiteral("lblHeaderBillingCodes"), codes, 7, 8).Bold = true;
        users.AddLabel(QStringLiteral("lblBillingCodes"), codes, 22, 8).Stretch = true;
        users.AddLabel(QStringLiteral("lblBillingDescriptions"), FLetter ? 840 : 906, 22, 8)
            .Stretch = true;
    }
    total.Child = &users;
    total.AfterPrint = [this](TReportBand&) { FillUserList(); };

    TReportBand& footer = FModel.AddBand(TBandKind::PageFooter, 32);
    footer.AddLabel(QStringLiteral("lblPage"), 8, 12).Text = QStringLiteral("Page");
    footer.AddLabel(QStringLiteral("lblPageNumber"), 44, 12);
    footer.BeforePrint = [this](TReportBand& band) {
        band.Label(QStringLiteral("lblPageNumber"))->Text =
            QString::number(FLayouter ? FLayouter->PageNumber() : 1);
        return true;
    };
}

void TBaseReport::Initialise(const TReportParameters& parameters) {
    FParameters = parameters;
    LimitParameters(FParameters);
    ArrangeColumns();
}

int TBaseReport::AdjustLeft(int x) const {
    if (!FLetter)
        return x;
    return x - int(std::nearbyint(double(x) * 67.0 / 1047.0));
}

QString TBaseReport::UserCaption() const {
    if (UserCount() > 1)
        return QStringLiteral("Consolidated report for: ") + QString::number(UserCount()) +
               QStringLiteral(" users (listed below report)");
    const QString name = UserCount() == 1 ? LastPathPart(FParameters.Users->front())
                                          : CurrentUserName();
    return QStringLiteral("Report for: ") + name;
}

QString TBaseReport::PeriodCaption() const {
    QString caption = QStringLiteral("Period: ") + ShortDate(FParameters.PeriodFrom) +
                      QStringLiteral(" to ") + ShortDate(FParameters.PeriodTo);
    if (IsWholeWeek(FParameters.PeriodFrom, FParameters.PeriodTo)) {
        const TIsoWeek week = IsoWeek(FParameters.PeriodFrom);
        caption += QStringLiteral("  (") + WeekNumberText(week.Week, week.Year) +
                   QLatin1Char(')');
    }
    return caption;
}

bool TBaseReport::Filtered() const {
    return !FParameters.ClientFilter.isEmpty() || FParameters.Charging != TCharging::IncludeAll ||
           !FParameters.ShowOvertime;
}

QString TBaseReport::FilterText() const {
    QStringList parts;
    if (!FParameters.ClientFilter.isEmpty()) {
        QString client = QStringLiteral("Client = ") + FParameters.ClientFilter;
        if (!FParameters.ProjectFilter.isEmpty())
            client += QStringLiteral(", Project = ") + FParameters.ProjectFilter;
        parts.append(client);
    }
    if (FParameters.Charging != TCharging::IncludeAll)
        parts.append(QStringLiteral("Chargeable = ") +
                     (FParameters.Charging == TCharging::ChargeableOnly ? QStringLiteral("Yes")
                                                                        : QStringLiteral("No")));
    if (!FParameters.ShowOvertime)
        parts.append(QStringLiteral("No Overtime"));
    return parts.join(QStringLiteral(", "));
}

void TBaseReport::SetupTitles() {
    TotalsPrinted = false;
    const QString user = UserCaption();
    const QString period = PeriodCaption();
    TReportBand* header = FModel.Band(TBandKind::PageHeader);
    TReportBand* title = FModel.Band(TBandKind::Title);
    header->Label(QStringLiteral("lblHeaderUser"))->Text = user;
    header->Label(QStringLiteral("lblHeaderTitle"))->Text = FModel.Title;
    header->Label(QStringLiteral("lblHeaderPeriod"))->Text = period;
    title->Label(QStringLiteral("lblTitle"))->Text = FModel.Title;
    title->Label(QStringLiteral("lblTitleUser"))->Text = user;
    title->Label(QStringLiteral("lblTitlePeriod"))->Text = period;
    title->Label(QStringLiteral("lblFilter"))->Text =
        Filtered() ? QStringLiteral("Filtered for:") : QStringLiteral("Not filtered");
    title->Label(QStringLiteral("lblTitleFilter"))->Text = Filtered() ? FilterText() : QString();
    if (TReportBand* list = FModel.Band(TBandKind::Summary); list && list->Child) {
        list->Child->Height = 0;
        for (TReportLabel& label : list->Child->Labels)
            label.Text.clear();
    }
    QString line = FModel.Title + QLatin1Char(' ') + user + QStringLiteral("   ") + period;
    if (Filtered())
        line += QStringLiteral("   Filtered for:") + FilterText();
    FReportText = {line};
}

TReportLayouter& TBaseReport::StartRun() {
    FLayouter = std::make_unique<TReportLayouter>(FModel);
    SetupTitles();
    StartLayoutRun();
    return *FLayouter;
}

namespace {
TBaseReport::TPreviewHandler& PreviewHandler() {
    static TBaseReport::TPreviewHandler handler;
    return handler;
}

void ShowNothingToReport() {
    ShowMessageBox(QStringLiteral("There are no hours to report"), TMsgKind::Warning, mbOK);
}
} // namespace

void TBaseReport::SetPreviewHandler(TPreviewHandler handler) {
    PreviewHandler() = std::move(handler);
}

bool TBaseReport::MakesPages() {
    TReportPage page;
    return StartRun().NextPage(page);
}

bool TBaseReport::Produce(bool print) {
    if (!PrepareLines() || !MakesPages()) {
        ShowNothingToReport();
        return false;
    }
    if (print)
        return PrintPrepared();
    if (PreviewHandler())
        PreviewHandler()(*this);
    return true;
}

void TBaseReport::Cancel() {
    if (FLayouter)
        FLayouter->Cancel();
}

bool TBaseReport::ProducePdf(const QString& fileName, int* pages) {
    if (!PrepareLines() || !MakesPages()) {
        ShowNothingToReport();
        return false;
    }
    TReportLayouter& layouter = StartRun();
    return WriteReportPdf(layouter, FModel.Paper, fileName, FModel.Title, pages);
}

bool TBaseReport::WritePreparedPdf(const QString& fileName, int* pages, QString* failure) {
    return WriteReportPdf(StartRun(), FModel.Paper, fileName, FModel.Title, pages, failure);
}

bool TBaseReport::ProducePrint(QPrinter& printer) {
    if (!PrepareLines() || !MakesPages()) {
        ShowNothingToReport();
        return false;
    }
    return PrintOn(printer);
}

bool TBaseReport::PrintOn(QPrinter& printer) {
    TReportLayouter& layouter = StartRun();
    printer.setDocName(FModel.Title);
    return PrintReportPages(layouter, FModel.Paper, printer) > 0;
}

bool TBaseReport::PrintPrepared() {
    QPrinterInfo chosen = QPrinterInfo::printerInfo(PrinterName);
    if (chosen.isNull())
        chosen = QPrinterInfo::defaultPrinter();
    QPrinter printer(chosen, QPrinter::HighResolution);
    return PrintOn(printer);
}

QStringList TBaseReport::BuildReportText() {
    if (FReportText.isEmpty())
        SetupTitles();
    FReportText = {FReportText.front()};
    MakeTimeTexts(); // the locale may have changed since the last text
    FDateTexts.clear();
    WriteReportText();
    return FReportText;
}

void TBaseReport::SaveReportTextTo(const QString& fileName) {
    const QStringList lines = BuildReportText();
    WriteTextFile(fileName, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
}

QString TBaseReport::CategoryActivityText(const QString& category, const QString& activity) {
    if (!category.isEmpty() && !activity.isEmpty())
        return category + QStringLiteral(" : ") + activity;
    return category;
}

QString TBaseReport::CodeText(bool overtime, const QString& code) {
    if (!overtime)
        return code;
    return code.isEmpty() ? QStringLiteral("OT") : code + QStringLiteral(",OT");
}

double TBaseReport::Round2(double x) {
    return std::nearbyint(x * 100) / 100;
}

void TBaseReport::FitWidth(TReportLabel& label, const TReportLabel& next) {
    label.Width = next.Left - label.Left - 10;
}

TReportBand& TBaseReport::AddColumnHeaderBand(int height, int ruleTop) {
    TReportBand& band = FModel.AddBand(TBandKind::ColumnHeader, height);
    band.AddRule(0, ruleTop, BandWidth(), ruleTop);
    band.AddRule(0, ruleTop + 1, BandWidth(), ruleTop + 1);
    band.BeforePrint = [this](TReportBand&) { return !TotalsPrinted; };
    return band;
}

TReportLabel& TBaseReport::AddTextColumn(TReportBand& header, TReportBand& detail,
                                         const char* headerName, const char* dataName,
                                         const char* caption, int left) {
    AddHeader(header, headerName, caption, left);
    return detail.AddLabel(QString::fromLatin1(dataName), left, 2, 8);
}

TBaseReport::TTextColumns TBaseReport::TextColumns(TReportBand& header, TReportBand& detail) {
    const auto column = [&](const char* headerName, const char* dataName) {
        return TTextColumn{header.Label(QString::fromLatin1(headerName)),
                           detail.Label(QString::fromLatin1(dataName))};
    };
    return {column("lblClientHeader", "lblClient"), column("lblProjectHeader", "lblProject"),
            column("lblCategoryActivityHeader", "lblCategoryActivity"),
            column("lblRemarksHeader", "lblRemarks")};
}

void TBaseReport::PlaceTextColumns(const TTextColumns& columns, int projectLeft, int categoryLeft,
                                   int remarksLeft) const {
    const TAdminSettings& admin = AdminSettings();
    const bool design = admin.ReportColumnDefault;
    const auto place = [&](const TTextColumn& target, int designLeft, int configured) {
        if (target.Data)
            target.Header->Left = target.Data->Left = design ? designLeft : AdjustLeft(configured);
    };
    place(columns.Project, projectLeft, admin.ReportProjectColumn);
    place(columns.Category, categoryLeft, admin.ReportCategoryActivityColumn);
    place(columns.Remarks, remarksLeft, admin.ReportRemarksColumn);
}

void TBaseReport::FitTextColumns(const TTextColumns& columns, const TReportLabel& end) const {
    FitWidth(*columns.Client.Data, *columns.Project.Data);
    FitWidth(*columns.Project.Data, *columns.Category.Data);
    const bool broken = FParameters.BreakDownToRemarks && columns.Remarks.Data;
    if (broken) {
        FitWidth(*columns.Category.Data, *columns.Remarks.Data);
        FitWidth(*columns.Remarks.Data, end);
    } else {
        FitWidth(*columns.Category.Data, end);
    }
    if (columns.Remarks.Data) {
        columns.Remarks.Header->Text = broken ? QStringLiteral("Remarks") : QString();
        columns.Remarks.Data->Visible = broken;
    }
    for (const TTextColumn& text : {columns.Client, columns.Project, columns.Category, columns.Remarks})
        if (text.Data)
            text.Header->Width = text.Data->Width;
}

TLineOptions TBaseReport::LineOptions(bool withUser, bool consolidate) const {
    TLineOptions options;
    options.WithUser = withUser;
    options.ClientFilter = FParameters.ClientFilter;
    options.ProjectFilter = FParameters.ProjectFilter;
    options.Consolidate = consolidate;
    options.Charging = FParameters.Charging;
    options.ExcludeOvertime = !FParameters.ShowOvertime;
    options.WithBillingCode = IsBilling();
    return options;
}

void TBaseReport::AddBillingColumns(TReportBand& header, TReportBand& detail,
                                    const TBillingColumns& at) {
    constexpr int CodeWidth = 40; // "HRA,OT" and room to spare before the hours
    AddHeader(header, "lblBillCodeHeader", "Code", at.CodeHeader);
    AddHeader(header, "lblHoursHeader", "Hrs", at.HoursHeader, 20, TTextAlignment::Centre);
    AddHeader(header, "lblRateHeader", "Rate", at.RateHeader, 28, TTextAlignment::Centre);
    AddHeader(header, "lblExtendedHeader", "Ext", at.ExtendedHeader, 19, TTextAlignment::Centre);
    detail.AddLabel(QStringLiteral("lblBillCode"), at.Code, 2, 8).Width = CodeWidth;
    AddRightField(detail, "lblHours", at.HoursRight, false);
    AddRightField(detail, "lblRate", at.RateRight, false);
    AddRightField(detail, "lblExtended", at.ExtendedRight, false);
    TReportBand& total = *FModel.Band(TBandKind::Summary);
    AddRightField(total, "lblHoursTotal", at.HoursTotalRight, true, 4);
    AddRightField(total, "lblExtendedTotal", at.ExtendedTotalRight, true, 4);
    PlaceBillingLegend(at.LegendCodes, at.LegendDescriptions);
}

TReportLines TBaseReport::PeriodLines(const TLineOptions& options, TLineCompare compare) const {
    TReportLines lines;
    if (FParameters.Days)
        BuildReportLines(*FParameters.Days, options, lines);
    lines.Sort(compare);
    return lines;
}

bool TBaseReport::PreparePeriodLines(const TLineOptions& options, TLineCompare compare) {
    CurrentLines = PeriodLines(options, compare);
    if (CurrentLines.Count() > 0)
        return true;
    CurrentLines = TReportLines();
    return false;
}

namespace {
// The code and hours a line shows: in a report of overtime alone its overtime, marked "OT".
std::pair<QString, double> CodeAndHours(const TReportLine& line, bool overtimeOnly,
                                        std::set<QString>& codes) {
    const bool overtime = overtimeOnly || line.OvertimeHours > 0;
    codes.insert(line.BillingCode);
    if (overtime)
        codes.insert(QStringLiteral("OT"));
    return {TBaseReport::CodeText(overtime, line.BillingCode),
            overtimeOnly ? line.OvertimeHours : line.NormalHours + line.OvertimeHours};
}
} // namespace

void TBaseReport::FillBillingFields(TReportBand& band, const TReportLine& line, bool overtimeOnly) {
    const auto [code, hours] = CodeAndHours(line, overtimeOnly, CodesMet);
    SetText(band, "lblBillCode", code);
    SetText(band, "lblHours", HoursText(hours));
    SetText(band, "lblRate", line.RateWithSymbol());
    SetText(band, "lblExtended", line.AmountWithSymbol());
}

QStringList TBaseReport::BillingTextFields(const TReportLine& line, bool overtimeOnly,
                                           std::set<QString>& codes) {
    const auto [code, hours] = CodeAndHours(line, overtimeOnly, codes);
    return {code, HoursText(hours), line.RateWithSymbol(), line.AmountWithSymbol()};
}

TReportLabel& TBaseReport::AddRightField(TReportBand& band, const char* name, int rightEdge,
                                         bool bold, int top) {
    TReportLabel& label = band.AddLabel(QString::fromLatin1(name), rightEdge - RightFieldWidth, top, 8);
    label.Width = RightFieldWidth;
    label.Alignment = TTextAlignment::Right;
    label.Bold = bold;
    return label;
}

TReportLabel& TBaseReport::AddHeader(TReportBand& band, const char* name, const char* caption,
                                     int left, int width, TTextAlignment alignment) {
    TReportLabel& label = band.AddLabel(QString::fromLatin1(name), left, 8, 8);
    label.Text = QString::fromLatin1(caption);
    label.Bold = true;
    label.Width = width;
    label.Alignment = alignment;
    return label;
}

QString TBaseReport::OneLine(const QString& remarks) {
    const bool plain = std::none_of(remarks.begin(), remarks.end(), [](QChar c) {
        return c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t');
    });
    if (plain)
        return remarks;
    QString line = remarks;
    return line.replace(QLatin1String("\r\n"), QLatin1String(" "))
        .replace(QLatin1Char('\n'), QLatin1Char(' '))
        .replace(QLatin1Char('\r'), QLatin1Char(' '))
        .replace(QLatin1Char('\t'), QLatin1Char(' '));
}

void TBaseReport::MakeTimeTexts() {
    FTimeTexts.resize(2401);
    for (int time = 0; time <= 2400; ++time)
        FTimeTexts[std::size_t(time)] = TimeText(time);
}

const QString& TBaseReport::CachedTimeText(int time) {
    if (FTimeTexts.empty())
        MakeTimeTexts();
    return FTimeTexts[std::size_t(std::clamp(time, 0, 2400))];
}

QString TBaseReport::TimeTextOf(int time) const {
    const int clamped = std::clamp(time, 0, 2400);
    return FTimeTexts.empty() ? TimeText(clamped) : FTimeTexts[std::size_t(clamped)];
}

TMoney TBaseReport::RoundToCents(TMoney amount) {
    return TMoney::FromUnits(std::int64_t(std::nearbyint(double(amount.Units()) / 100.0)) * 100);
}

void TBaseReport::PlaceBillingLegend(int codesLeft, int descriptionsLeft) {
    TReportBand* list = FModel.Band(TBandKind::Summary)->Child;
    list->Label(QStringLiteral("lblHeaderBillingCodes"))->Left = codesLeft;
    list->Label(QStringLiteral("lblBillingCodes"))->Left = codesLeft;
    list->Label(QStringLiteral("lblBillingDescriptions"))->Left = descriptionsLeft;
}

QStringList TBaseReport::LeadingTextFields(const TReportLine& line, const QString& date) const {
    return {line.User,
            date,
            TimeTextOf(line.StartTime),
            TimeTextOf(line.EndTime),
            line.Client,
            line.Project,
            CategoryActivityText(line.Category, line.Activity),
            OneLine(line.Remarks)};
}

const QString& TBaseReport::CachedDateText(QDate date) {
    auto found = FDateTexts.find(date.toJulianDay());
    if (found == FDateTexts.end())
        found = FDateTexts.insert(date.toJulianDay(), ShortDate(date));
    return found.value();
}

QString TBaseReport::DateTextOf(QDate date) const {
    const auto found = FDateTexts.constFind(date.toJulianDay());
    return found != FDateTexts.cend() ? found.value() : ShortDate(date);
}

void TBaseReport::SetText(TReportBand& band, const char* name, const QString& text) {
    band.Label(QString::fromLatin1(name))->Text = text;
}

QString TBaseReport::BillingWarningText(const std::set<QString>& codes) {
    for (const char* unbilled : {"", "Y", "N", "CON"})
        if (codes.count(QString::fromLatin1(unbilled)))
            return QStringLiteral("WARNING\rReport totals include hours for which\rno billing "
                                  "information is available.\rFinancial data is not complete.");
    return {};
}

void TBaseReport::FillUserList() {
    TReportBand* list = FModel.Band(TBandKind::Summary)->Child;
    if (!list)
        return;
    if (UserCount() > 1) {
        list->Height = 38;
        list->Label(QStringLiteral("lblHeaderUserList"))->Text = QStringLiteral("Report for users:");
        QStringList names;
        for (const QString& folder : *FParameters.Users)
            names.append(LastPathPart(folder));
        list->Label(QStringLiteral("lblUserList"))->Text = names.join(QLatin1Char('\n'));
    }
    TotalsPrinted = true;
    if (!FBilling)
        return;
    QStringList codes;
    QStringList descriptions;
    for (const auto& [code, description] : BillingCodeLegend())
        if (CodesMet.count(code)) {
            codes.append(code);
            descriptions.append(description);
        }
    if (CodesMet.count(QStringLiteral("OT"))) {
        codes.append(QStringLiteral("OT"));
        descriptions.append(QStringLiteral("Overtime"));
    }
    if (!CodesMet.empty())
        list->Height = std::max(list->Height, 38);
    list->Label(QStringLiteral("lblHeaderBillingCodes"))->Text =
        CodesMet.empty() ? QString() : QStringLiteral("Billing Codes");
    list->Label(QStringLiteral("lblBillingCodes"))->Text = codes.join(QLatin1Char('\n'));
    list->Label(QStringLiteral("lblBillingDescriptions"))->Text =
        descriptions.join(QLatin1Char('\n'));
    list->Label(QStringLiteral("lblWarning"))->Text =
        BillingWarningText(CodesMet).replace(QLatin1Char('\r'), QLatin1Char('\n'));
}
