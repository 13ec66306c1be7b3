#include "weeklyactivityreport.h"

#include "reporting/valuetexts.h"
#include "storage/settings/adminsettings.h"

#include <algorithm>
#include <numeric>

namespace {
constexpr int TextTop = 2;
constexpr int DayWidth = 46;
// The design's day labels span 21 units up to their right edge; the dates are centred there,
// in a label wide enough for "30th" in any font.
constexpr int DayLabelWidth = 21;
constexpr int DateSlack = 12;
// The right edges of the seven day columns and of the total column, on A4.
constexpr std::array<int, 7> DayRightEdges{654, 705, 755, 806, 857, 907, 958};
constexpr int TotalRightEdge = 1039;
constexpr int LetterShift = 67;        // Letter's number columns lie this much further left
constexpr int LetterSummaryShift = 66; // and those of its totals row this much

const std::array<const char*, 7> DayNames{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};

QString ColumnName(const char* prefix, int column, const char* suffix) {
    return QString::fromLatin1(prefix) + QString::fromLatin1(DayNames[std::size_t(column)]) +
           QString::fromLatin1(suffix);
}
} // namespace

TBaseWeeklyActivityReport::TBaseWeeklyActivityReport(bool letter)
    : TBaseReport(QStringLiteral("Weekly Activity"), false, letter) {
    CreateBands();
}

QString TBaseWeeklyActivityReport::DayOrdinal(int day) {
    const char* suffix = "th";
    if (day / 10 != 1) {
        switch (day % 10) {
        case 1: suffix = "st"; break;
        case 2: suffix = "nd"; break;
        case 3: suffix = "rd"; break;
        default: break;
        }
    }
    return QString::number(day) + QString::fromLatin1(suffix);
}

int TBaseWeeklyActivityReport::FirstColumnOffset() const {
    return FParameters.PeriodFrom.isValid() ? FParameters.PeriodFrom.dayOfWeek() - 1 : 0;
}

int TBaseWeeklyActivityReport::ColumnWeekday(int column) const {
    const int weekday = column + 1 + FirstColumnOffset();
    return weekday > 7 ? weekday - 7 : weekday;
}

void TBaseWeeklyActivityReport::CreateBands() {
    const int shift = IsLetter() ? LetterShift : 0;
    const int summaryShift = IsLetter() ? LetterSummaryShift : 0;
    FColumnHeader = &AddColumnHeaderBand(48, 43);
    FDetail = &FModel.AddBand(TBandKind::Detail, 18);
    FTotal = FModel.Band(TBandKind::Summary);
    FTotal->BeforePrint = [this](TReportBand&) {
        FillTotals();
        return true;
    };
    const auto text = [this](const char* header, const char* data, const char* caption, int left) {
        AddTextColumn(*FColumnHeader, *FDetail, header, data, caption, left);
    };
    text("lblClientHeader", "lblClient", "Client", 8);
    text("lblProjectHeader", "lblProject", "Project", FProjectLeft);
    text("lblCategoryActivityHeader", "lblCategoryActivity", "Category : Activity", FCategoryLeft);
    for (int column = 0; column < 7; ++column) {
        const int right = DayRightEdges[std::size_t(column)] - shift;
        const QByteArray header = ColumnName("lbl", column, "DateHdr").toLatin1();
        AddHeader(*FColumnHeader, header.constData(), "", right - DayWidth, DayWidth,
                  TTextAlignment::Right);
        TReportLabel& date = FColumnHeader->AddLabel(
            ColumnName("lbl", column, "Date"), right - DayLabelWidth - DateSlack, 25, 8);
        date.Width = DayLabelWidth + 2 * DateSlack;
        date.Alignment = TTextAlignment::Centre;
        AddRightField(*FDetail, ColumnName("lbl", column, "").toLatin1().constData(), right, false);
        AddRightField(*FTotal, ColumnName("lbl", column, "Total").toLatin1().constData(),
                      DayRightEdges[std::size_t(column)] - summaryShift, true, 4);
    }
    AddHeader(*FColumnHeader, "QRLabel6", "Total", TotalRightEdge - shift - 52, 52,
              TTextAlignment::Right);
    AddRightField(*FDetail, "lblLineTotal", TotalRightEdge - shift, false);
    AddRightField(*FTotal, "lblTotalTotal", TotalRightEdge - summaryShift, true, 4);
    FModel.NextRecord = [this] { return NextLine(); };
}

void TBaseWeeklyActivityReport::LimitParameters(TReportParameters& parameters) {
    parameters.Charging = TCharging::IncludeAll;
    parameters.ShowOvertime = true;
    parameters.BreakDownToRemarks = false;
}

void TBaseWeeklyActivityReport::ArrangeColumns() {
    const TTextColumns columns = TextColumns(*FColumnHeader, *FDetail);
    const TAdminSettings& admin = AdminSettings();
    if (admin.ReportColumnDefault) {
        PlaceTextColumns(columns, FProjectLeft, FCategoryLeft, 0);
    } else {
        const int firstDayHeader =
            DayRightEdges[0] - (IsLetter() ? LetterShift : 0) - DayLabelWidth;
        const int categoryAt = std::min(admin.ReportCategoryActivityColumn, firstDayHeader - 80);
        const int projectAt = std::min(admin.ReportProjectColumn, categoryAt - 80);
        columns.Project.Header->Left = columns.Project.Data->Left = AdjustLeft(projectAt);
        columns.Category.Header->Left = columns.Category.Data->Left = AdjustLeft(categoryAt);
    }
    FitTextColumns(columns, *FDetail->Label(QStringLiteral("lblMon")));
}

bool TBaseWeeklyActivityReport::PrepareLines() {
    PreparePeriodLines(LineOptions(false, true), CompareByTask);
    return true; // an empty week still runs, and makes no page
}

void TBaseWeeklyActivityReport::StartLayoutRun() {
    FLineIndex = 0;
    FColumnTotals.fill(0);
    for (int column = 0; column < 7; ++column) {
        const QDate date = FParameters.PeriodFrom.addDays(column);
        SetText(*FColumnHeader, ColumnName("lbl", column, "Date").toLatin1().constData(),
                DayOrdinal(date.day()));
        SetText(*FColumnHeader, ColumnName("lbl", column, "DateHdr").toLatin1().constData(),
                QString::fromLatin1(DayNames[std::size_t(date.dayOfWeek() - 1)]));
    }
}

bool TBaseWeeklyActivityReport::NextLine() {
    if (FLineIndex >= CurrentLines.Count())
        return false;
    const TReportLine& line = CurrentLines[FLineIndex++];
    SetText(*FDetail, "lblClient", line.Client);
    SetText(*FDetail, "lblProject", line.Project);
    SetText(*FDetail, "lblCategoryActivity", CategoryActivityText(line.Category, line.Activity));
    double rowTotal = 0;
    for (int column = 0; column < 7; ++column) {
        const double value = line.DayHours[std::size_t(ColumnWeekday(column))];
        SetText(*FDetail, ColumnName("lbl", column, "").toLatin1().constData(), HoursText(value));
        FColumnTotals[std::size_t(column)] += value;
        rowTotal += value;
    }
    SetText(*FDetail, "lblLineTotal", HoursText(rowTotal));
    return true;
}

void TBaseWeeklyActivityReport::FillTotals() {
    for (int column = 0; column < 7; ++column)
        SetText(*FTotal, ColumnName("lbl", column, "Total").toLatin1().constData(),
                HoursText(FColumnTotals[std::size_t(column)]));
    SetText(*FTotal, "lblTotalTotal",
            HoursText(std::accumulate(FColumnTotals.begin(), FColumnTotals.end(), 0.0)));
}

void TBaseWeeklyActivityReport::WriteReportText() {
    QString header = QStringLiteral("User\tClient\tProject\tCategory : Activity");
    for (int column = 0; column < 7; ++column)
        header += QLatin1Char('\t') +
                  QString::fromLatin1(DayNames[std::size_t(ColumnWeekday(column) - 1)]);
    AddReportTextLine(header + QStringLiteral("\tTotal"));
    const TReportLines lines = PeriodLines(LineOptions(true, false), CompareByTask);
    for (int index = 0; index < lines.Count(); ++index) {
        const TReportLine& line = lines[index];
        QStringList fields{line.User, line.Client, line.Project,
                           CategoryActivityText(line.Category, line.Activity)};
        double total = 0;
        for (int column = 0; column < 7; ++column) {
            const double value = line.DayHours[std::size_t(ColumnWeekday(column))];
            fields << HoursText(value);
            total += value;
        }
        fields << HoursText(total);
        AddReportTextLine(fields.join(QLatin1Char('\t')).remove(QStringLiteral("--")));
    }
}
