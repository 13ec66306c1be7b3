#include "overtimereport.h"

#include "base/applocale.h"
#include "reporting/valuetexts.h"
#include "storage/settings/adminsettings.h"

#include <algorithm>

namespace {
constexpr int TextTop = 2;
// The configured positions are measured on the daily report, whose client column stands at 8;
// here it stands at 168.
constexpr int ClientShift = 168 - 8;

// Positions that differ between A4 and Letter.
struct TOvertimeColumns {
    int Remarks, BillingRemarks, ChargeHeader, Charge, OvertimeHeader, Overtime, OvertimeTotalRight;
};
constexpr TOvertimeColumns A4Columns{707, 680, 935, 938, 985, 987, 1039};
constexpr TOvertimeColumns LetterColumns{657, 630, 868, 861, 918, 920, 972};
constexpr TBillingColumns A4Billing{845, 846, 912, 933, 956, 984,
                                                 1020, 1039, 933, 1039, 845, 913};
constexpr TBillingColumns LetterBilling{780, 780, 845, 866, 889, 917,
                                                     953, 972, 866, 972, 780, 848};
} // namespace

TBaseOvertimeReport::TBaseOvertimeReport(bool billing, bool letter)
    : TBaseReport(QStringLiteral("Overtime"), billing, letter) {
    const TOvertimeColumns& at = letter ? LetterColumns : A4Columns;
    FRemarksLeft = billing ? at.BillingRemarks : at.Remarks;
    CreateBands();
}

void TBaseOvertimeReport::CreateBands() {
    FColumnHeader = &AddColumnHeaderBand(32, 30);
    FDetail = &FModel.AddBand(TBandKind::Detail, 18);
    FTotal = FModel.Band(TBandKind::Summary);
    FTotal->BeforePrint = [this](TReportBand&) {
        FillGrandTotals();
        return true;
    };
    const auto text = [this](const char* header, const char* data, const char* caption, int left) {
        return &AddTextColumn(*FColumnHeader, *FDetail, header, data, caption, left);
    };
    text("QRLabel3", "lblDate", "Date", 8)->Width = 58; // clipped before the time
    text("lblTimeHeader", "lblStartTime", "Time", 69)->Width = 99;
    text("lblClientHeader", "lblClient", "Client", 168);
    text("lblProjectHeader", "lblProject", "Project", FProjectLeft);
    text("lblCategoryActivityHeader", "lblCategoryActivity", "Category : Activity", FCategoryLeft);
    text("lblRemarksHeader", "lblRemarks", "Remarks", FRemarksLeft);
    FDetail->AddLabel(QStringLiteral("lblSubTotal"), 0, TextTop, 8).Italic = true;
    if (IsBilling())
        CreateBillingColumns();
    else
        CreatePlainColumns();
    FModel.NextRecord = [this] { return NextLine(); };
}

void TBaseOvertimeReport::CreatePlainColumns() {
    const TOvertimeColumns& at = IsLetter() ? LetterColumns : A4Columns;
    AddHeader(*FColumnHeader, "lblChargeHeader", "Charge", at.ChargeHeader, 42,
              TTextAlignment::Centre);
    AddHeader(*FColumnHeader, "lblOvertimeHeader", "Overtime", at.OvertimeHeader, 54,
              TTextAlignment::Right);
    TReportLabel& charge = FDetail->AddLabel(QStringLiteral("lblCharge"), at.Charge, TextTop, 8);
    charge.Width = 38;
    charge.Alignment = TTextAlignment::Centre;
    AddRightField(*FDetail, "lblOvertime", at.Overtime + 52, false);
    AddRightField(*FTotal, "lblOverTimeTotal", at.OvertimeTotalRight, true, 4);
}

void TBaseOvertimeReport::CreateBillingColumns() {
    AddBillingColumns(*FColumnHeader, *FDetail, IsLetter() ? LetterBilling : A4Billing);
}

void TBaseOvertimeReport::LimitParameters(TReportParameters& parameters) {
    parameters.ShowOvertime = true;
}

void TBaseOvertimeReport::ArrangeColumns() {
    const TTextColumns columns = TextColumns(*FColumnHeader, *FDetail);
    // Where the text columns end: the charge field, or in the billing layouts the code header.
    const TReportLabel& end =
        IsBilling() ? *FColumnHeader->Label(QStringLiteral("lblBillCodeHeader"))
                    : *FDetail->Label(QStringLiteral("lblCharge"));
    const TAdminSettings& admin = AdminSettings();
    if (admin.ReportColumnDefault) {
        PlaceTextColumns(columns, FProjectLeft, FCategoryLeft, FRemarksLeft);
    } else {
        const TReportLabel& limit =
            IsBilling() ? end : *FColumnHeader->Label(QStringLiteral("lblChargeHeader"));
        const int remarksAt = std::min(admin.ReportRemarksColumn + ClientShift, limit.Left - 80);
        const int categoryAt =
            std::min(admin.ReportCategoryActivityColumn + ClientShift, remarksAt - 80);
        const int projectAt = std::min(admin.ReportProjectColumn + ClientShift, categoryAt - 80);
        for (const auto& [column, at] : {std::pair{columns.Project, projectAt},
                                         std::pair{columns.Category, categoryAt},
                                         std::pair{columns.Remarks, remarksAt}})
            column.Header->Left = column.Data->Left = AdjustLeft(at);
    }
    FitTextColumns(columns, end);
}

TLineOptions TBaseOvertimeReport::OvertimeOptions(bool withUser, bool consolidate) const {
    TLineOptions options = LineOptions(withUser, consolidate);
    options.OvertimeOnly = true;
    return options;
}

bool TBaseOvertimeReport::PrepareLines() {
    return PreparePeriodLines(OvertimeOptions(false, !FParameters.BreakDownToRemarks),
                              CompareByDate);
}

void TBaseOvertimeReport::StartLayoutRun() {
    FLineIndex = 0;
    FLastDate = QDate();
    FGrandOvertime = FGrandHours = 0;
    FGrandAmount = TMoney();
    CodesMet.clear();
}

bool TBaseOvertimeReport::NextLine() {
    if (FLineIndex >= CurrentLines.Count())
        return false;
    const TReportLine& line = CurrentLines[FLineIndex++];
    SetText(*FDetail, "lblDate", line.Date != FLastDate ? LocaleShortDateText(line.Date) : QString());
    FLastDate = line.Date;
    SetText(*FDetail, "lblStartTime",
            CachedTimeText(line.StartTime) + QLatin1Char('-') + CachedTimeText(line.EndTime));
    SetText(*FDetail, "lblClient", line.Client);
    SetText(*FDetail, "lblProject", line.Project);
    SetText(*FDetail, "lblCategoryActivity", CategoryActivityText(line.Category, line.Activity));
    SetText(*FDetail, "lblRemarks", OneLine(line.Remarks));
    SetText(*FDetail, "lblSubTotal", QString());
    if (IsBilling()) {
        FillBillingFields(*FDetail, line, true);
        FGrandHours += Round2(line.OvertimeHours);
        FGrandAmount += RoundToCents(line.Amount);
        return true;
    }
    SetText(*FDetail, "lblCharge", FlagLetter(line.Chargeable));
    SetText(*FDetail, "lblOvertime", HoursText(line.OvertimeHours));
    FGrandOvertime += Round2(line.OvertimeHours);
    return true;
}

void TBaseOvertimeReport::FillGrandTotals() {
    if (IsBilling()) {
        SetText(*FTotal, "lblHoursTotal", FixedText(FGrandHours));
        SetText(*FTotal, "lblExtendedTotal", MoneyText(AdminSettings().CurrencySymbol, FGrandAmount));
        return;
    }
    SetText(*FTotal, "lblOverTimeTotal", FixedText(FGrandOvertime));
}

void TBaseOvertimeReport::WriteReportText() {
    AddReportTextLine(QStringLiteral("User\tDate\tStart Time\tEnd Time\tClient\tProject\t"
                                     "Category : Activity\tRemarks\t") +
                      (IsBilling() ? QStringLiteral("Code\tHrs\tRate\tExt")
                                   : QStringLiteral("Charge\tOvertime")));
    const TReportLines lines = PeriodLines(OvertimeOptions(true, false), CompareByDate);
    std::set<QString> codes;
    for (int index = 0; index < lines.Count(); ++index) {
        const TReportLine& line = lines[index];
        QStringList fields = LeadingTextFields(line, CachedDateText(line.Date));
        if (IsBilling()) {
            fields << BillingTextFields(line, true, codes);
        } else {
            fields << FlagLetter(line.Chargeable) << HoursText(line.OvertimeHours);
        }
        AddReportTextLine(fields.join(QLatin1Char('\t')).remove(QStringLiteral("--")));
    }
    if (IsBilling())
        AddReportTextLine(BillingWarningText(codes));
}
