#include "activityreport.h"

#include "base/applocale.h"
#include "base/parallelfor.h"
#include "reporting/taskranks.h"
#include "reporting/valuetexts.h"
#include "storage/months/day.h"
#include "storage/settings/adminsettings.h"

#include <algorithm>
#include <iterator>
#include <numeric>

namespace {
constexpr int TextTop = 2;

// Positions that differ between A4 and Letter.
struct TActivityColumns {
    int Charge, Normal, OvertimeHeader, Overtime, NormalTotal, OvertimeTotal, SubTotalRight;
};
constexpr TActivityColumns A4Columns{872, 917, 985, 987, 917, 987, 864};
constexpr TActivityColumns LetterColumns{804, 849, 917, 919, 849, 920, 796};
constexpr TBillingColumns A4Billing{845, 845, 912, 933, 956, 984,
                                                 1020, 1039, 932, 1039, 845, 913};
constexpr TBillingColumns LetterBilling{780, 780, 845, 866, 889, 917,
                                                     953, 971, 865, 972, 780, 848};
} // namespace

TBaseActivityReport::TBaseActivityReport(bool billing, bool letter)
    : TBaseReport(QStringLiteral("Activity Summary"), billing, letter) {
    CreateBands();
}

void TBaseActivityReport::CreateBands() {
    FColumnHeader = &AddColumnHeaderBand(32, 30);
    FDetail = &FModel.AddBand(TBandKind::Detail, 18);
    FTotal = FModel.Band(TBandKind::Summary);
    FTotal->BeforePrint = [this](TReportBand&) {
        FillGrandTotals();
        return true;
    };
    const auto text = [this](const char* header, const char* data, const char* caption, int left) {
        AddTextColumn(*FColumnHeader, *FDetail, header, data, caption, left);
    };
    text("lblClientHeader", "lblClient", "Client", 8);
    text("lblProjectHeader", "lblProject", "Project", FProjectLeft);
    text("lblCategoryActivityHeader", "lblCategoryActivity", "Category : Activity", FCategoryLeft);
    text("lblRemarksHeader", "lblRemarks", "Remarks", FRemarksLeft);
    const TActivityColumns& at = IsLetter() ? LetterColumns : A4Columns;
    TReportLabel& subTotal = FDetail->AddLabel(QStringLiteral("lblSubTotal"), 0, TextTop, 8);
    subTotal.Italic = true;
    subTotal.Alignment = TTextAlignment::Right;
    subTotal.Width = at.SubTotalRight;
    if (IsBilling())
        CreateBillingColumns();
    else
        CreatePlainColumns();
    FModel.NextRecord = [this] { return NextRecord(); };
}

void TBaseActivityReport::CreatePlainColumns() {
    const TActivityColumns& at = IsLetter() ? LetterColumns : A4Columns;
    AddHeader(*FColumnHeader, "lblChargeHeader", "Charge", at.Charge, 42, TTextAlignment::Centre);
    AddHeader(*FColumnHeader, "lblNormalHeader", "Normal", at.Normal, 52, TTextAlignment::Right);
    AddHeader(*FColumnHeader, "lblOvertimeHeader", "Overtime", at.OvertimeHeader, 54,
              TTextAlignment::Right);
    TReportLabel& charge = FDetail->AddLabel(QStringLiteral("lblCharge"), at.Charge, TextTop, 8);
    charge.Width = 38;
    charge.Alignment = TTextAlignment::Centre;
    AddRightField(*FDetail, "lblNormal", at.Normal + 52, false);
    AddRightField(*FDetail, "lblOvertime", at.Overtime + 52, false);
    AddRightField(*FTotal, "lblNormalTotal", at.NormalTotal + 52, true, 4);
    AddRightField(*FTotal, "lblOverTimeTotal", at.OvertimeTotal + 52, true, 4);
}

void TBaseActivityReport::CreateBillingColumns() {
    AddBillingColumns(*FColumnHeader, *FDetail, IsLetter() ? LetterBilling : A4Billing);
}

void TBaseActivityReport::ArrangeColumns() {
    const TReportLabel* firstNumber = FDetail->Label(QStringLiteral("lblBillCode"));
    if (!IsBilling()) {
        const TActivityColumns& at = IsLetter() ? LetterColumns : A4Columns;
        const bool overtime = FParameters.ShowOvertime;
        TReportLabel* charge = FDetail->Label(QStringLiteral("lblCharge"));
        FColumnHeader->Label(QStringLiteral("lblChargeHeader"))->Left = charge->Left =
            overtime ? at.Charge : at.Normal;
        FColumnHeader->Label(QStringLiteral("lblNormalHeader"))->Left =
            overtime ? at.Normal : at.OvertimeHeader;
        FDetail->Label(QStringLiteral("lblNormal"))->Left =
            (overtime ? at.Normal : at.Overtime) + 52 - RightFieldWidth;
        FTotal->Label(QStringLiteral("lblNormalTotal"))->Left =
            (overtime ? at.NormalTotal : at.OvertimeTotal) + 52 - RightFieldWidth;
        FColumnHeader->Label(QStringLiteral("lblOvertimeHeader"))->Visible = overtime;
        FDetail->Label(QStringLiteral("lblOvertime"))->Visible = overtime;
        FTotal->Label(QStringLiteral("lblOverTimeTotal"))->Visible = overtime;
        firstNumber = charge;
    }
    const TTextColumns columns = TextColumns(*FColumnHeader, *FDetail);
    PlaceTextColumns(columns, FProjectLeft, FCategoryLeft, FRemarksLeft);
    FitTextColumns(columns, *firstNumber);
}

bool TBaseActivityReport::PrepareLines() {
    return PreparePeriodLines(LineOptions(false, !FParameters.BreakDownToRemarks), CompareByTask);
}

void TBaseActivityReport::StartLayoutRun() {
    FLineIndex = 0;
    FProjectNormal = FProjectOvertime = FGrandNormal = FGrandOvertime = 0;
    FProjectHours = FGrandHours = 0;
    FProjectAmount = FGrandAmount = TMoney();
    FFinalSubTotalDone = false;
    FLastClient = CurrentLines.Count() > 0 ? CurrentLines[0].Client : QString();
    FLastProject = CurrentLines.Count() > 0 ? CurrentLines[0].Project : QString();
    // The sub-total label ends where the first number field ends.
    TReportLabel* subTotal = FDetail->Label(QStringLiteral("lblSubTotal"));
    const TReportLabel* end = FDetail->Label(IsBilling() ? QStringLiteral("lblBillCode")
                                                         : QStringLiteral("lblCharge"));
    subTotal->Left = 0;
    subTotal->Width = end->Left + end->Width;
    CodesMet.clear();
}

bool TBaseActivityReport::NextRecord() {
    const bool linesLeft = FLineIndex < CurrentLines.Count();
    if (!linesLeft && (FFinalSubTotalDone || !ProjectSubTotals))
        return false;
    bool subTotal = false;
    if (!linesLeft) {
        subTotal = true;
        FFinalSubTotalDone = true;
    } else {
        const TReportLine& next = CurrentLines[FLineIndex];
        subTotal = ProjectSubTotals && (next.Client != FLastClient || next.Project != FLastProject);
    }
    if (!subTotal) {
        FillLine(CurrentLines[FLineIndex++]);
        return true;
    }
    FillSubTotal();
    if (linesLeft) {
        FLastClient = CurrentLines[FLineIndex].Client;
        FLastProject = CurrentLines[FLineIndex].Project;
    }
    return true;
}

void TBaseActivityReport::FillSubTotal() {
    for (const char* name : {"lblClient", "lblProject", "lblCategoryActivity", "lblRemarks"})
        SetText(*FDetail, name, QString());
    SetText(*FDetail, "lblSubTotal", QStringLiteral("Project Sub-total"));
    if (IsBilling()) {
        SetText(*FDetail, "lblBillCode", QString());
        SetText(*FDetail, "lblRate", QString());
        FDetail->Label(QStringLiteral("lblHours"))->Bold = true;
        FDetail->Label(QStringLiteral("lblExtended"))->Bold = true;
        SetText(*FDetail, "lblHours", FixedText(FProjectHours));
        SetText(*FDetail, "lblExtended", MoneyText(AdminSettings().CurrencySymbol, FProjectAmount));
        FProjectHours = 0;
        FProjectAmount = TMoney();
        return;
    }
    SetText(*FDetail, "lblCharge", QString());
    FDetail->Label(QStringLiteral("lblNormal"))->Bold = true;
    FDetail->Label(QStringLiteral("lblOvertime"))->Bold = true;
    SetText(*FDetail, "lblNormal", FixedText(FProjectNormal));
    SetText(*FDetail, "lblOvertime",
            FParameters.ShowOvertime ? FixedText(FProjectOvertime) : QString());
    FProjectNormal = FProjectOvertime = 0;
}

void TBaseActivityReport::FillLine(const TReportLine& line) {
    SetText(*FDetail, "lblClient", line.Client);
    SetText(*FDetail, "lblProject", line.Project);
    SetText(*FDetail, "lblCategoryActivity", CategoryActivityText(line.Category, line.Activity));
    SetText(*FDetail, "lblRemarks", OneLine(line.Remarks));
    SetText(*FDetail, "lblSubTotal", QString());
    if (IsBilling()) {
        const double hours = Round2(line.NormalHours + line.OvertimeHours);
        FGrandHours += hours;
        FProjectHours += hours;
        FGrandAmount += RoundToCents(line.Amount);
        FProjectAmount += RoundToCents(line.Amount);
        FillBillingFields(*FDetail, line, false);
        FDetail->Label(QStringLiteral("lblHours"))->Bold = false;
        FDetail->Label(QStringLiteral("lblExtended"))->Bold = false;
        return;
    }
    FGrandNormal += Round2(line.NormalHours);
    FProjectNormal += Round2(line.NormalHours);
    FGrandOvertime += Round2(line.OvertimeHours);
    FProjectOvertime += Round2(line.OvertimeHours);
    SetText(*FDetail, "lblCharge", FlagLetter(line.Chargeable));
    FDetail->Label(QStringLiteral("lblNormal"))->Bold = false;
    FDetail->Label(QStringLiteral("lblOvertime"))->Bold = false;
    SetText(*FDetail, "lblNormal", HoursText(line.NormalHours));
    SetText(*FDetail, "lblOvertime",
            FParameters.ShowOvertime ? HoursText(line.OvertimeHours) : QString());
}

void TBaseActivityReport::FillGrandTotals() {
    if (IsBilling()) {
        SetText(*FTotal, "lblHoursTotal", FixedText(FGrandHours));
        SetText(*FTotal, "lblExtendedTotal", MoneyText(AdminSettings().CurrencySymbol, FGrandAmount));
        return;
    }
    SetText(*FTotal, "lblNormalTotal", FixedText(FGrandNormal));
    SetText(*FTotal, "lblOverTimeTotal",
            FParameters.ShowOvertime ? FixedText(FGrandOvertime) : QString());
}

QString TBaseActivityReport::PlainOrBillingText(const TReportLine& line, bool overtime,
                                                std::set<QString>& codes) const {
    QStringList fields = LeadingTextFields(line, DateTextOf(line.Date));
    if (IsBilling()) {
        fields << BillingTextFields(line, false, codes);
    } else {
        fields << FlagLetter(line.Chargeable) << HoursText(line.NormalHours);
        if (overtime)
            fields << HoursText(line.OvertimeHours);
    }
    return fields.join(QLatin1Char('\t')).remove(QStringLiteral("--"));
}

void TBaseActivityReport::WriteReportText() {
    const bool overtime = FParameters.ShowOvertime;
    QString header = QStringLiteral("User\tDate\tStart Time\tEnd Time\tClient\tProject\t"
                                    "Category : Activity\tRemarks\t");
    if (IsBilling())
        header += QStringLiteral("Code\tHrs\tRate\tExt");
    else
        header += overtime ? QStringLiteral("Charge\tNormal\tOvertime") : QStringLiteral("Charge\tNormal");
    AddReportTextLine(header);
    // A line per block of a whole period in task order. The days are taken a batch at a time:
    // their lines and texts are made on every core, each day on its own, and only the texts
    // are kept, ranked in day order for the sort.
    static const TReportDays noDays;
    const TReportDays& days = FParameters.Days ? *FParameters.Days : noDays;
    MakeDateTexts(days);
    constexpr std::size_t BatchDays = 32;
    std::set<QString> codes;
    std::vector<QString> texts;
    TTaskRanker ranker;
    std::vector<TDayTexts> batch;
    for (std::size_t first = 0; first < days.size(); first += BatchDays) {
        batch.assign(std::min(BatchDays, days.size() - first), TDayTexts());
        ParallelFor(batch.size(), [&](std::size_t index) {
            MakeDayTexts(*days[first + index], overtime, batch[index]);
        });
        for (TDayTexts& day : batch) {
            for (const TReportLine& line : day.Lines.Lines())
                ranker.Add(line);
            std::move(day.Texts.begin(), day.Texts.end(), std::back_inserter(texts));
            codes.merge(day.Codes);
        }
    }
    const std::vector<TTaskKey> keys = ranker.Keys();
    std::vector<std::uint32_t> order(texts.size());
    std::iota(order.begin(), order.end(), 0U);
    std::stable_sort(order.begin(), order.end(),
                     [&keys](std::uint32_t a, std::uint32_t b) { return keys[a] < keys[b]; });
    for (const std::uint32_t index : order)
        AddReportTextLine(texts[index]);
    if (IsBilling())
        AddReportTextLine(BillingWarningText(codes));
}

void TBaseActivityReport::MakeDateTexts(const TReportDays& days) {
    for (const auto& day : days)
        CachedDateText(day->Date);
}

void TBaseActivityReport::MakeDayTexts(const TDay& day, bool overtime, TDayTexts& out) const {
    BuildReportLines(day, LineOptions(true, false), out.Lines);
    out.Texts.reserve(out.Lines.Lines().size());
    for (const TReportLine& line : out.Lines.Lines())
        out.Texts.push_back(PlainOrBillingText(line, overtime, out.Codes));
}
