#include "dailyreport.h"

#include "base/applocale.h"
#include "reporting/valuetexts.h"
#include "storage/months/day.h"
#include "storage/settings/adminsettings.h"
#include "storage/values/timetexts.h"

#include <algorithm>

namespace {
constexpr int TextTop = 2;

QString ShortDate(QDate date) {
    return LocaleShortDateText(date);
}
} // namespace

TBaseDailyReport::TBaseDailyReport(bool billing, bool letter)
    : TBaseReport(QStringLiteral("Daily Summary"), billing, letter) {
    FRemarksLeft = letter ? 580 : 600;
    CreateBands();
}

void TBaseDailyReport::CreateBands() {
    FColumnHeader = &AddColumnHeaderBand(32, 30);
    FDay = &FModel.AddBand(TBandKind::Detail, 18);
    TReportLabel& day = FDay->AddLabel(QStringLiteral("lblDay"), 8, 3, 8);
    day.Bold = true;
    FDay->BeforePrint = [this](TReportBand&) { return CurrentLines.Count() > 0; };
    FDay->AfterPrint = [this](TReportBand&) { AddToGrandTotals(); };
    // A day's date heads every page its lines go on to; it never stands alone at a page's
    // foot, nor its sub-total alone at a page's top.
    FDay->KeepWithNext = true;
    FDay->Continued = [](TReportBand& copy) {
        TReportLabel* date = copy.Label(QStringLiteral("lblDay"));
        date->Text += QStringLiteral(" (continued)");
    };
    FDetail = &FModel.AddBand(TBandKind::SubDetail, 18);
    FDetail->NextRecord = [this] { return NextLine(); };
    FDayTotal = &FModel.AddBand(TBandKind::GroupFooter, 18);
    FDetail->Footer = FDayTotal;
    FDayTotal->KeepWithPrevious = true;
    FDayTotal->BeforePrint = [this](TReportBand&) {
        if (CurrentLines.Count() == 0)
            return false;
        FillDayTotals();
        return true;
    };
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
    text("lblCategoryActivityHeader", "lblCategoryActivity", "Category : Activity",
         FCategoryLeft);
    text("lblRemarksHeader", "lblRemarks", "Remarks", FRemarksLeft);
    TReportLabel& subTotal = FDayTotal->AddLabel(QStringLiteral("lblDailySubTotal"), 0, TextTop, 8);
    subTotal.Text = QStringLiteral("Daily Sub-total");
    subTotal.Alignment = TTextAlignment::Right;
    subTotal.Italic = true;
    if (IsBilling())
        CreateBillingColumns();
    else
        CreatePlainColumns();
    FModel.NextRecord = [this] { return NextDay(); };
}

void TBaseDailyReport::CreatePlainColumns() {
    const bool letter = IsLetter();
    const auto header = [this](const char* name, const char* caption, int left, int width,
                               TTextAlignment alignment) {
        TReportLabel& label = FColumnHeader->AddLabel(QString::fromLatin1(name), left, 8, 8);
        label.Text = QString::fromLatin1(caption);
        label.Bold = true;
        label.Width = width;
        label.Alignment = alignment;
    };
    header("lblChargeHeader", "Charge", letter ? 805 : 872, 42, TTextAlignment::Centre);
    header("lblNormalHeader", "Normal", letter ? 850 : 917, 52, TTextAlignment::Right);
    header("lblOvertimeHeader", "Overtime", letter ? 918 : 985, 54, TTextAlignment::Right);
    TReportLabel& charge =
        FDetail->AddLabel(QStringLiteral("lblCharge"), letter ? 805 : 872, TextTop, 8);
    charge.Width = 38;
    charge.Alignment = TTextAlignment::Centre;
    const int normal = (letter ? 850 : 917) + 52;
    const int overtime = (letter ? 920 : 987) + 52;
    AddRightField(*FDetail, "lblNormal", normal, false);
    AddRightField(*FDetail, "lblOvertime", overtime, false);
    FDayTotal->Label(QStringLiteral("lblDailySubTotal"))->Width = letter ? 848 : 913;
    AddRightField(*FDayTotal, "lblNormalSubTotal", normal, true);
    AddRightField(*FDayTotal, "lblOvertimeSubTotal", overtime, true);
    AddRightField(*FTotal, "lblNormalTotal", normal, true).Top = 4;
    AddRightField(*FTotal, "lblOverTimeTotal", overtime, true).Top = 4;
}

void TBaseDailyReport::CreateBillingColumns() {
    const bool letter = IsLetter();
    const auto header = [this](const char* name, const char* caption, int left, int width) {
        TReportLabel& label = FColumnHeader->AddLabel(QString::fromLatin1(name), left, 8, 8);
        label.Text = QString::fromLatin1(caption);
        label.Bold = true;
        label.Width = width;
        label.Alignment = width > 0 ? TTextAlignment::Centre : TTextAlignment::Left;
    };
    header("lblBillCodeHeader", "Code", letter ? 772 : 838, 0);
    header("lblHoursHeader", "Hrs", letter ? 838 : 905, 20);
    header("lblRateHeader", "Rate", letter ? 882 : 949, 28);
    header("lblExtendedHeader", "Ext", letter ? 953 : 1020, 19);
    FDetail->AddLabel(QStringLiteral("lblBillCode"), letter ? 772 : 839, TextTop, 8);
    const int hours = letter ? 859 : 926;
    const int rate = letter ? 910 : 977;
    const int extended = letter ? 972 : 1039;
    AddRightField(*FDetail, "lblHours", hours, false);
    AddRightField(*FDetail, "lblRate", rate, false);
    AddRightField(*FDetail, "lblExtended", extended, false);
    FDayTotal->Label(QStringLiteral("lblDailySubTotal"))->Width = letter ? 809 : 865;
    AddRightField(*FDayTotal, "lblHoursSubTotal", hours, true);
    AddRightField(*FDayTotal, "lblExtendedSubTotal", extended, true);
    AddRightField(*FTotal, "lblHoursTotal", hours, true).Top = 4;
    AddRightField(*FTotal, "lblExtendedTotal", extended, true).Top = 4;
}

void TBaseDailyReport::ArrangeColumns() {
    const TReportLabel* firstNumber = FDetail->Label(QStringLiteral("lblBillCode"));
    if (!IsBilling()) {
        const bool letter = IsLetter();
        const int chargeLeft = letter ? 805 : 872;
        const int normalLeft = letter ? 850 : 917;
        const int overtimeHeaderLeft = letter ? 918 : 985;
        const int overtimeLeft = letter ? 920 : 987;
        const bool overtime = FParameters.ShowOvertime;
        TReportLabel* chargeHeader = FColumnHeader->Label(QStringLiteral("lblChargeHeader"));
        TReportLabel* charge = FDetail->Label(QStringLiteral("lblCharge"));
        chargeHeader->Left = charge->Left = overtime ? chargeLeft : normalLeft;
        FColumnHeader->Label(QStringLiteral("lblNormalHeader"))->Left =
            overtime ? normalLeft : overtimeHeaderLeft;
        const int normalRight = (overtime ? normalLeft : overtimeLeft) + 52;
        FDetail->Label(QStringLiteral("lblNormal"))->Left = normalRight - RightFieldWidth;
        FDayTotal->Label(QStringLiteral("lblNormalSubTotal"))->Left = normalRight - RightFieldWidth;
        FTotal->Label(QStringLiteral("lblNormalTotal"))->Left = normalRight - RightFieldWidth;
        FColumnHeader->Label(QStringLiteral("lblOvertimeHeader"))->Visible = overtime;
        FDetail->Label(QStringLiteral("lblOvertime"))->Visible = overtime;
        FDayTotal->Label(QStringLiteral("lblOvertimeSubTotal"))->Visible = overtime;
        FTotal->Label(QStringLiteral("lblOverTimeTotal"))->Visible = overtime;
        firstNumber = charge;
    }
    const TTextColumns columns = TextColumns(*FColumnHeader, *FDetail);
    PlaceTextColumns(columns, FProjectLeft, FCategoryLeft, FRemarksLeft);
    FitTextColumns(columns, *firstNumber);
}

bool TBaseDailyReport::PrepareLines() {
    CurrentLines.Clear();
    return true;
}

void TBaseDailyReport::StartLayoutRun() {
    FDayIndex = 0;
    FLineIndex = 0;
    FGrandNormal = FGrandOvertime = FGrandHours = 0;
    FGrandAmount = TMoney();
    CodesMet.clear();
}

bool TBaseDailyReport::NextDay() {
    if (!FParameters.Days || FDayIndex >= FParameters.Days->size())
        return false;
    const TDay& day = *(*FParameters.Days)[FDayIndex++];
    FDay->Label(QStringLiteral("lblDay"))->Text = ShortDate(day.Date);
    CurrentLines = TReportLines();
    BuildReportLines(day, LineOptions(false, !FParameters.BreakDownToRemarks), CurrentLines);
    CurrentLines.Sort(CompareByTask);
    FLineIndex = 0;
    return true;
}

bool TBaseDailyReport::NextLine() {
    if (FLineIndex >= CurrentLines.Count()) {
        FLineIndex = 0;
        return false;
    }
    const TReportLine& line = CurrentLines[FLineIndex++];
    const auto set = [this](const char* name, const QString& text) {
        FDetail->Label(QString::fromLatin1(name))->Text = text;
    };
    set("lblClient", line.Client);
    set("lblProject", line.Project);
    set("lblCategoryActivity", CategoryActivityText(line.Category, line.Activity));
    set("lblRemarks", OneLine(line.Remarks));
    if (IsBilling()) {
        FillBillingFields(*FDetail, line, false);
    } else {
        set("lblCharge", FlagLetter(line.Chargeable));
        set("lblNormal", HoursText(line.NormalHours));
        set("lblOvertime", FParameters.ShowOvertime ? HoursText(line.OvertimeHours) : QString());
    }
    return true;
}

void TBaseDailyReport::FillDayTotals() {
    if (IsBilling()) {
        const TLineTotals totals = CurrentLines.Totals();
        FDayTotal->Label(QStringLiteral("lblHoursSubTotal"))->Text = FixedText(totals.Hours);
        FDayTotal->Label(QStringLiteral("lblExtendedSubTotal"))->Text =
            MoneyText(AdminSettings().CurrencySymbol, totals.Amount);
        return;
    }
    const THourTotals totals = CurrentLines.HourTotals();
    FDayTotal->Label(QStringLiteral("lblNormalSubTotal"))->Text = FixedText(totals.Normal);
    FDayTotal->Label(QStringLiteral("lblOvertimeSubTotal"))->Text =
        FParameters.ShowOvertime ? FixedText(totals.Overtime) : QString();
}

void TBaseDailyReport::AddToGrandTotals() {
    if (IsBilling()) {
        const TLineTotals totals = CurrentLines.Totals();
        FGrandHours += Round2(totals.Hours);
        FGrandAmount += RoundToCents(totals.Amount);
        return;
    }
    const THourTotals totals = CurrentLines.HourTotals();
    FGrandNormal += Round2(totals.Normal);
    FGrandOvertime += Round2(totals.Overtime);
}

void TBaseDailyReport::FillGrandTotals() {
    if (IsBilling()) {
        FTotal->Label(QStringLiteral("lblHoursTotal"))->Text = FixedText(FGrandHours);
        FTotal->Label(QStringLiteral("lblExtendedTotal"))->Text =
            MoneyText(AdminSettings().CurrencySymbol, FGrandAmount);
        return;
    }
    FTotal->Label(QStringLiteral("lblNormalTotal"))->Text = FixedText(FGrandNormal);
    FTotal->Label(QStringLiteral("lblOverTimeTotal"))->Text =
        FParameters.ShowOvertime ? FixedText(FGrandOvertime) : QString();
}

void TBaseDailyReport::WriteReportText() {
    const bool overtime = FParameters.ShowOvertime;
    QString header = QStringLiteral("User\tDate\tStart Time\tEnd Time\tClient\tProject\t"
                                    "Category : Activity\tRemarks\t");
    if (IsBilling())
        header += QStringLiteral("Code\tHrs\tRate\tExt\tDaily Sub-Total Hrs\tDaily Sub-Total Ext");
    else
        header += overtime ? QStringLiteral("Charge\tNormal\tOvertime\tDaily Normal\tDaily Overtime")
                           : QStringLiteral("Charge\tNormal\tDaily Normal");
    AddReportTextLine(header);
    std::set<QString> codes;
    const QString symbol = AdminSettings().CurrencySymbol;
    static const TReportDays noDays;
    for (const auto& day : FParameters.Days ? *FParameters.Days : noDays) {
        TReportLines lines;
        BuildReportLines(*day, LineOptions(true, false), lines);
        lines.Sort(CompareByTask);
        if (lines.Count() == 0)
            continue;
        // The day's totals as its printed sub-total adds them: over the lines it prints, each
        // rounded to hundredths. Lines broken down to remarks are the blocks themselves.
        TReportLines printed;
        if (!FParameters.BreakDownToRemarks)
            BuildReportLines(*day, LineOptions(false, true), printed);
        const TReportLines& totalled = FParameters.BreakDownToRemarks ? lines : printed;
        const QString date = ShortDate(day->Date);
        for (int index = 0; index < lines.Count(); ++index) {
            const TReportLine& line = lines[index];
            QStringList fields = LeadingTextFields(line, date);
            const bool last = index == lines.Count() - 1;
            if (IsBilling()) {
                fields << BillingTextFields(line, false, codes);
                if (last) {
                    const TLineTotals totals = totalled.Totals();
                    fields << HoursText(totals.Hours) << MoneyText(symbol, totals.Amount);
                }
            } else {
                fields << FlagLetter(line.Chargeable) << HoursText(line.NormalHours);
                if (overtime)
                    fields << HoursText(line.OvertimeHours);
                if (last) {
                    const THourTotals totals = totalled.HourTotals();
                    fields << HoursText(totals.Normal);
                    if (overtime)
                        fields << HoursText(totals.Overtime);
                }
            }
            AddReportTextLine(fields.join(QLatin1Char('\t')).remove(QStringLiteral("--")));
        }
    }
    if (IsBilling())
        AddReportTextLine(BillingWarningText(codes));
}
