#include "reportfixture.h"
#include "reporting/layouts/activityreport.h"
#include "reporting/layouts/dailyreport.h"
#include "reporting/layouts/overtimereport.h"
#include "reporting/layouts/weeklyactivityreport.h"
#include "reporting/layouts/reportavailability.h"
#include "reporting/layouts/reportlayouts.h"
#include "sampledata/sampledata.h"

#include <gtest/gtest.h>

namespace {
double TotalOf(TBaseReport& report, const char* label) {
    return report.Model().Band(TBandKind::Summary)->Label(QString::fromLatin1(label))->Text.toDouble();
}
} // namespace

// Three generated months of the current user: the reports must agree on the hours.
class ReportTotals : public TReportTest {
protected:
    void SetUp() override {
        TReportTest::SetUp();
        TSampleDataGenerator(3).WriteUserMonths(LocalDataPath(), 1, 2024, 1, 3);
    }
    // Runs a report to its end, so that its totals are filled.
    static void Finish(TBaseReport& report) { PageTexts(report); }
};

TEST_F(ReportTotals, DailyActivityAndOvertimeReportsAgree) {
    const QDate from(2024, 1, 1);
    const QDate to(2024, 3, 31);
    TDailyReportA4 daily;
    Run(daily, from, to);
    Finish(daily);
    TActivityReportA4 activity;
    Run(activity, from, to);
    Finish(activity);
    TOvertimeReportA4 overtime;
    Run(overtime, from, to, true, true);
    Finish(overtime);
    const double normal = TotalOf(daily, "lblNormalTotal");
    const double extra = TotalOf(daily, "lblOverTimeTotal");
    ASSERT_GT(normal, 100);
    ASSERT_GT(extra, 0);
    // Days (daily) and lines (activity, overtime) are rounded to hundredths before they are
    // added; the sample's blocks give whole hundredths, so the totals must agree exactly.
    EXPECT_NEAR(TotalOf(activity, "lblNormalTotal") + TotalOf(activity, "lblOverTimeTotal"),
                normal + extra, 0.001);
    EXPECT_NEAR(TotalOf(overtime, "lblOverTimeTotal"), extra, 0.001);
    // The weekly grid of one week against the daily report of the same week.
    TWeeklyActivityReportA4 weekly;
    Run(weekly, QDate(2024, 2, 5), QDate(2024, 2, 11));
    Finish(weekly);
    TDailyReportA4 week;
    Run(week, QDate(2024, 2, 5), QDate(2024, 2, 11));
    Finish(week);
    EXPECT_NEAR(TotalOf(weekly, "lblTotalTotal"),
                TotalOf(week, "lblNormalTotal") + TotalOf(week, "lblOverTimeTotal"), 0.001);
}

TEST_F(ReportTotals, TheProgramsLayoutsAreFourteen) {
    const std::unique_ptr<TReportLayouts> layouts = CreateReportLayouts();
    ASSERT_NE(layouts, nullptr);
    EXPECT_TRUE(ReportsAvailable);
    QStringList seen;
    for (TReportKind kind : {TReportKind::Daily, TReportKind::WeeklyActivity, TReportKind::Activity,
                             TReportKind::Overtime})
        for (bool billing : {false, true})
            for (bool letter : {false, true}) {
                TBaseReport& layout = layouts->Layout(kind, billing, letter);
                EXPECT_EQ(layout.IsLetter(), letter);
                EXPECT_EQ(layout.IsBilling(), billing && kind != TReportKind::WeeklyActivity);
                seen << layout.Title() + QLatin1Char('/') + QString::number(layout.IsBilling()) +
                            QString::number(letter);
            }
    seen.removeDuplicates();
    EXPECT_EQ(seen.size(), 14);
    EXPECT_TRUE(seen.contains(QStringLiteral("Weekly Activity/01")));
    EXPECT_TRUE(seen.contains(QStringLiteral("Activity Summary/11")));
    EXPECT_TRUE(seen.contains(QStringLiteral("Overtime/10")));
}
