#include "base/messages.h"
#include "reportfixture.h"
#include "reporting/layouts/overtimereport.h"

#include <gtest/gtest.h>

namespace {
const QDate From(2024, 3, 1);
const QDate To(2024, 3, 31);
} // namespace

// Overtime on 3 March (two blocks), on 5 March and, billed by the hour, on 6 March; and normal
// hours around them.
class OvertimeReport : public TReportTest {
protected:
    void SetUp() override {
        TReportTest::SetUp();
        TMonth month(2024, 3);
        Add(month, 3, 1800, 1950, "Acme", "evening").OverTime = true;
        Add(month, 3, 2000, 2100, "Globex", "night").OverTime = true;
        Add(month, 5, 1800, 1900, "Acme", "again").OverTime = true;
        Bill(Add(month, 6, 1800, 1900, "Initech", "billed"), bcHourlyRate, 40).OverTime = true;
        Add(month, 4, 900, 1700, "Acme", "day"); // normal hours never appear
        month.Save();
    }
};

TEST_F(OvertimeReport, ListsOnlyOvertimeInDateOrderWithEachDateOnce) {
    TOvertimeReportA4 report;
    Run(report, From, To, true, true);
    EXPECT_EQ(DetailRows(report),
              QStringList({"03/03/2024|18:00-19:30|Acme|Web|Dev : Code|evening|Y|1.50",
                           "20:00-21:00|Globex|Web|Dev : Code|night|Y|1.00",
                           "05/03/2024|18:00-19:00|Acme|Web|Dev : Code|again|Y|1.00",
                           "06/03/2024|18:00-19:00|Initech|Web|Dev : Code|billed|Y|1.00"}));
    EXPECT_EQ(report.Model().Band(TBandKind::Summary)->Label(QStringLiteral("lblOverTimeTotal"))->Text,
              QStringLiteral("4.50"));
    report.StartRun();
    const QStringList text = report.BuildReportText();
    EXPECT_EQ(text[1], QStringLiteral("User\tDate\tStart Time\tEnd Time\tClient\tProject\t"
                                      "Category : Activity\tRemarks\tCharge\tOvertime"));
    EXPECT_EQ(text[2], QStringLiteral("ann\t03/03/2024\t18:00\t19:30\tAcme\tWeb\tDev : Code\t"
                                      "evening\tY\t1.50"));
    EXPECT_EQ(text.size(), 6);
}

TEST_F(OvertimeReport, WithoutRemarksATaskBecomesOneLineDatedWithItsFirstBlock) {
    TOvertimeReportA4 report;
    Run(report, From, To, false, false);
    EXPECT_EQ(DetailRows(report),
              QStringList({"03/03/2024|18:00-19:30|Acme|Web|Dev : Code|Y|2.50",
                           "20:00-21:00|Globex|Web|Dev : Code|Y|1.00",
                           "06/03/2024|18:00-19:00|Initech|Web|Dev : Code|Y|1.00"}));
    // Whatever "Include overtime" says, the overtime is there.
    EXPECT_EQ(report.Model().Band(TBandKind::Summary)->Label(QStringLiteral("lblOverTimeTotal"))->Text,
              QStringLiteral("4.50"));
}

TEST_F(OvertimeReport, BillingShowsTheCodeWithOvertimeAndItsLegend) {
    TOvertimeBillingReportA4 report;
    Run(report, From, To, true, true);
    const QStringList rows = DetailRows(report);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], QStringLiteral("03/03/2024|18:00-19:30|Acme|Web|Dev : Code|evening|Y,OT|1.50|--|$0.00"));
    EXPECT_EQ(rows[3], QStringLiteral("06/03/2024|18:00-19:00|Initech|Web|Dev : Code|billed|HRA,OT|1.00|$40.00|$40.00"));
    const TReportBand* legend = report.Model().Band(TBandKind::Summary)->Child;
    EXPECT_EQ(legend->Label(QStringLiteral("lblBillingCodes"))->Text, QStringLiteral("Y\nHRA\nOT"));
    EXPECT_EQ(legend->Label(QStringLiteral("lblBillingDescriptions"))->Text,
              QStringLiteral("Chargeable\nHourly Rate\nOvertime"));
    const TReportBand* total = report.Model().Band(TBandKind::Summary);
    EXPECT_EQ(total->Label(QStringLiteral("lblHoursTotal"))->Text, QStringLiteral("4.50"));
    EXPECT_EQ(total->Label(QStringLiteral("lblExtendedTotal"))->Text, QStringLiteral("$40.00"));
    const QStringList text = report.BuildReportText();
    EXPECT_TRUE(text.back().startsWith(QStringLiteral("WARNING\r"))); // Y lines are unbilled
    EXPECT_EQ(report.Model().Band(TBandKind::Detail)->Label(QStringLiteral("lblRemarks"))->Left, 680);
}

TEST_F(OvertimeReport, ConfiguredColumnsAreShiftedAndClamped) {
    AdminSettings().ReportColumnDefault = false;
    AdminSettings().ReportProjectColumn = 92;
    AdminSettings().ReportCategoryActivityColumn = 248;
    AdminSettings().ReportRemarksColumn = 800;
    TOvertimeReportA4 report;
    Run(report, From, To, true, true);
    const auto left = [&report](const char* name) {
        return report.Model().Band(TBandKind::Detail)->Label(QString::fromLatin1(name))->Left;
    };
    EXPECT_EQ(left("lblRemarks"), 855); // 960, clamped to 935 − 80
    EXPECT_EQ(left("lblCategoryActivity"), 408);
    EXPECT_EQ(left("lblProject"), 252);
    TOvertimeReportLTR letter;
    Run(letter, From, To, true, true);
    const TReportLabel* charge =
        letter.Model().Band(TBandKind::Detail)->Label(QStringLiteral("lblCharge"));
    EXPECT_EQ(charge->Left, 861);
}

TEST_F(OvertimeReport, APeriodWithoutOvertimeIsNotProduced) {
    TOvertimeReportA4 report;
    Run(report, QDate(2024, 3, 4), QDate(2024, 3, 4));
    EXPECT_FALSE(report.Produce(false));
    EXPECT_EQ(Messages->Shown.back().Text, QStringLiteral("There are no hours to report"));
}
