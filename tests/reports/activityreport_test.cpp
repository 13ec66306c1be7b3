#include "base/messages.h"
#include "reportfixture.h"
#include "reporting/layouts/activityreport.h"

#include <gtest/gtest.h>

namespace {
const QDate From(2024, 3, 4);
const QDate To(2024, 3, 10);

QString Total(TBaseReport& report, const char* name) {
    return report.Model().Band(TBandKind::Summary)->Label(QString::fromLatin1(name))->Text;
}
} // namespace

class ActivityReport : public TReportTest {};

TEST_F(ActivityReport, ASubTotalFollowsEveryClientOrProjectGroup) {
    TMonth month(2024, 3);
    Add(month, 4, 900, 1000, "A", "", "P1");
    Add(month, 5, 900, 950, "A", "", "P1").Activity = QStringLiteral("Test");
    Add(month, 5, 1000, 1100, "A", "", "P2").OverTime = true;
    Add(month, 6, 900, 1050, "B", "", "P1");
    month.Save();
    TActivityReportA4 report;
    Run(report, From, To);
    EXPECT_EQ(DetailRows(report),
              QStringList({"A|P1|Dev : Code|Y|1.00|--", "A|P1|Dev : Test|Y|0.50|--",
                           "Project Sub-total|1.50|0.00", "A|P2|Dev : Code|Y|--|1.00",
                           "Project Sub-total|0.00|1.00", "B|P1|Dev : Code|Y|1.50|--",
                           "Project Sub-total|1.50|0.00"}));
    EXPECT_EQ(Total(report, "lblNormalTotal"), QStringLiteral("3.00"));
    EXPECT_EQ(Total(report, "lblOverTimeTotal"), QStringLiteral("1.00"));
    // The sub-total rows print bold numbers, the line rows plain ones.
    const TReportBand* detail = report.Model().Band(TBandKind::Detail);
    EXPECT_EQ(detail->Label(QStringLiteral("lblSubTotal"))->Text, QStringLiteral("Project Sub-total"));
    EXPECT_TRUE(detail->Label(QStringLiteral("lblNormal"))->Bold);
    EXPECT_TRUE(detail->Label(QStringLiteral("lblSubTotal"))->Italic);
}

TEST_F(ActivityReport, TotalsAddEachLineRoundedToTwoDecimals) {
    TMonth month(2024, 3);
    for (const char* activity : {"One", "Two", "Three"})
        Add(month, 4, 900, 933, "Acme").Activity = QString::fromLatin1(activity);
    month.Save();
    TActivityReportA4 report;
    Run(report, From, To);
    const QStringList rows = DetailRows(report);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows.back(), QStringLiteral("Project Sub-total|0.99|0.00"));
    EXPECT_EQ(Total(report, "lblNormalTotal"), QStringLiteral("0.99"));
}

TEST_F(ActivityReport, LetterCaseSeparatesGroupsOnlyWhenRemarksAreBrokenDown) {
    TMonth month(2024, 3);
    Add(month, 4, 900, 1000, "ACME", "first");
    Add(month, 5, 900, 1000, "acme", "second");
    month.Save();
    TActivityReportA4 report;
    Run(report, From, To, true, true);
    EXPECT_EQ(DetailRows(report),
              QStringList({"ACME|Web|Dev : Code|first|Y|1.00|--", "Project Sub-total|1.00|0.00",
                           "acme|Web|Dev : Code|second|Y|1.00|--",
                           "Project Sub-total|1.00|0.00"}));
    Run(report, From, To, true, false);
    EXPECT_EQ(DetailRows(report), QStringList({"ACME|Web|Dev : Code|Y|2.00|--",
                                               "Project Sub-total|2.00|0.00"}));
}

TEST_F(ActivityReport, WithoutOvertimeTheNormalColumnMovesRightWithTheSubTotalLabel) {
    TMonth month(2024, 3);
    Add(month, 4, 900, 1000, "Acme");
    Add(month, 4, 1800, 1900, "Acme", "late").OverTime = true;
    month.Save();
    TActivityReportA4 report;
    Run(report, From, To, false);
    EXPECT_EQ(DetailRows(report), QStringList({"Acme|Web|Dev : Code|Y|1.00",
                                               "Project Sub-total|1.00"}));
    const TReportBand* detail = report.Model().Band(TBandKind::Detail);
    const TReportLabel* normal = detail->Label(QStringLiteral("lblNormal"));
    const TReportLabel* charge = detail->Label(QStringLiteral("lblCharge"));
    const TReportLabel* subTotal = detail->Label(QStringLiteral("lblSubTotal"));
    EXPECT_EQ(normal->Left + normal->Width, 987 + 52);
    EXPECT_EQ(charge->Left, 917);
    EXPECT_EQ(subTotal->Left + subTotal->Width, charge->Left + charge->Width);
    EXPECT_FALSE(detail->Label(QStringLiteral("lblOvertime"))->Visible);
    report.StartRun();
    EXPECT_EQ(report.BuildReportText()[1],
              QStringLiteral("User\tDate\tStart Time\tEnd Time\tClient\tProject\t"
                             "Category : Activity\tRemarks\tCharge\tNormal"));
}

TEST_F(ActivityReport, BillingShowsCodesRatesChargesAndTheWarning) {
    TMonth month(2024, 3);
    Bill(Add(month, 4, 900, 1050, "Acme"), bcHourlyRate, 50);
    Bill(Add(month, 5, 1800, 1900, "Acme"), bcHourlyRate, 50).OverTime = true;
    Add(month, 6, 900, 1000, "Globex"); // no billing information
    month.Save();
    TActivityBillingReportA4 report;
    Run(report, From, To);
    EXPECT_EQ(DetailRows(report),
              QStringList({"Acme|Web|Dev : Code|HRA,OT|2.50|$50.00|$125.00", // one task
                           "Project Sub-total|2.50|$125.00", "Globex|Web|Dev : Code|Y|1.00|--|$0.00",
                           "Project Sub-total|1.00|$0.00"}));
    EXPECT_EQ(Total(report, "lblHoursTotal"), QStringLiteral("3.50"));
    EXPECT_EQ(Total(report, "lblExtendedTotal"), QStringLiteral("$125.00"));
    const TReportBand* legend = report.Model().Band(TBandKind::Summary)->Child;
    EXPECT_EQ(legend->Label(QStringLiteral("lblBillingCodes"))->Text, QStringLiteral("Y\nHRA\nOT"));
    EXPECT_EQ(legend->Label(QStringLiteral("lblBillingCodes"))->Left, 845);
    EXPECT_EQ(legend->Label(QStringLiteral("lblBillingDescriptions"))->Left, 913);
    EXPECT_TRUE(legend->Label(QStringLiteral("lblWarning"))->Text.startsWith(QStringLiteral("WARNING")));
    const QStringList text = report.BuildReportText();
    EXPECT_EQ(text[1], QStringLiteral("User\tDate\tStart Time\tEnd Time\tClient\tProject\t"
                                      "Category : Activity\tRemarks\tCode\tHrs\tRate\tExt"));
    ASSERT_EQ(text.size(), 6); // title, header, a line per block, the warning
    EXPECT_TRUE(text.back().startsWith(QStringLiteral("WARNING\r")));
    EXPECT_TRUE(text[2].contains(QStringLiteral("\tHRA\t1.50\t$50.00\t$75.00")));
    EXPECT_TRUE(text[3].contains(QStringLiteral("\tHRA,OT\t1.00\t$50.00\t$50.00")));
    TActivityBillingReportLTR letter;
    Run(letter, From, To);
    const TReportBand* letterDetail = letter.Model().Band(TBandKind::Detail);
    const TReportLabel* extended = letterDetail->Label(QStringLiteral("lblExtended"));
    EXPECT_EQ(extended->Left + extended->Width, 971);
    EXPECT_EQ(letterDetail->Label(QStringLiteral("lblBillCode"))->Left, 780);
}

TEST_F(ActivityReport, TheSavedTextByteForByte) {
    TMonth month(2024, 3);
    Add(month, 5, 900, 1000, "Globex", "Line one\r\nline two");
    Add(month, 4, 900, 1000, "Acme", "One");
    Add(month, 4, 1800, 1850, "Acme", "Late").OverTime = true;
    month.Save();
    TActivityReportA4 report;
    Run(report, From, To, true, true);
    report.StartRun();
    const QString file = Path(QStringLiteral("activity.txt"));
    report.SaveReportTextTo(file);
    EXPECT_EQ(ReadFile(file),
              QByteArray("Activity Summary Report for: ann   Period: 04/03/2024 to 10/03/2024  "
                         "(2024-W10)\r\n"
                         "User\tDate\tStart Time\tEnd Time\tClient\tProject\tCategory : "
                         "Activity\tRemarks\tCharge\tNormal\tOvertime\r\n"
                         "ann\t04/03/2024\t18:00\t18:30\tAcme\tWeb\tDev : Code\tLate\tY\t\t0.50\r\n"
                         "ann\t04/03/2024\t09:00\t10:00\tAcme\tWeb\tDev : Code\tOne\tY\t1.00\t\r\n"
                         "ann\t05/03/2024\t09:00\t10:00\tGlobex\tWeb\tDev : Code\tLine one line "
                         "two\tY\t1.00\t\r\n"));
}

TEST_F(ActivityReport, NothingLeftAfterTheFiltersIsNotProduced) {
    TMonth month(2024, 3);
    Add(month, 4, 900, 1000, "Acme");
    month.Save();
    TActivityReportA4 report;
    Run(report, From, To);
    TReportParameters parameters = report.Parameters();
    parameters.ClientFilter = QStringLiteral("Globex");
    report.Initialise(parameters);
    EXPECT_FALSE(report.Produce(false));
    EXPECT_EQ(Messages->Shown.back().Text, QStringLiteral("There are no hours to report"));
}

// The text of a long period is made a few weeks at a time on every core; the lines still come
// in task order and then date order, and a block without billing met late still warns.
TEST_F(ActivityReport, ALongPeriodsTextKeepsTaskThenDateOrderAndEveryCode) {
    TMonth february(2024, 2);
    Bill(Add(february, 1, 900, 1000, "Globex"), bcHourlyRate, 40);
    Bill(Add(february, 2, 900, 1000, "Acme"), bcHourlyRate, 40);
    february.Save();
    TMonth april(2024, 4);
    Add(april, 29, 900, 1000, "Globex"); // no billing information, ninety days later
    Bill(Add(april, 28, 900, 1000, "Acme"), bcHourlyRate, 40);
    april.Save();
    TActivityBillingReportA4 report;
    Run(report, QDate(2024, 2, 1), QDate(2024, 4, 30));
    const QStringList text = report.BuildReportText();
    ASSERT_EQ(text.size(), 7);
    const auto starts = [&text](int index, const char* date, const char* client) {
        return text[index].startsWith(QStringLiteral("ann\t%1\t09:00\t10:00\t%2\t")
                                          .arg(QLatin1String(date), QLatin1String(client)));
    };
    EXPECT_TRUE(starts(2, "02/02/2024", "Acme")) << text[2].toStdString();
    EXPECT_TRUE(starts(3, "28/04/2024", "Acme")) << text[3].toStdString();
    EXPECT_TRUE(starts(4, "01/02/2024", "Globex")) << text[4].toStdString();
    EXPECT_TRUE(starts(5, "29/04/2024", "Globex")) << text[5].toStdString();
    EXPECT_TRUE(text[6].startsWith(QStringLiteral("WARNING\r")));
}
