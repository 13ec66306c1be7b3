#include "reportfixture.h"
#include "reporting/layouts/weeklyactivityreport.h"

#include <gtest/gtest.h>

namespace {
QString LabelText(TBaseReport& report, TBandKind kind, const QString& name) {
    return report.Model().Band(kind)->Label(name)->Text;
}
} // namespace

// The week from Sunday 3 to Saturday 9 March 2024: Acme on Sunday, Globex on Tuesday and
// Thursday (overtime on Thursday), Initech on Saturday only.
class WeeklyActivityReport : public TReportTest {
protected:
    void SetUp() override {
        TReportTest::SetUp();
        TMonth month(2024, 3);
        Add(month, 3, 900, 1000, "Acme");
        Add(month, 5, 900, 1000, "Globex");
        Add(month, 7, 1800, 1850, "Globex").OverTime = true;
        Add(month, 9, 1000, 1025, "Initech");
        Add(month, 10, 900, 1000, "Outside"); // the Sunday after the week
        month.Save();
    }
};

TEST_F(WeeklyActivityReport, AWeekFromSundayShowsSundayFirst) {
    TWeeklyActivityReportA4 report;
    Run(report, QDate(2024, 3, 3), QDate(2024, 3, 9));
    EXPECT_EQ(report.FirstColumnOffset(), 6);
    const QStringList rows = DetailRows(report);
    EXPECT_EQ(rows, QStringList({"Acme|Web|Dev : Code|1.00|--|--|--|--|--|--|1.00",
                                 "Globex|Web|Dev : Code|--|--|1.00|--|0.50|--|--|1.50",
                                 "Initech|Web|Dev : Code|--|--|--|--|--|--|0.25|0.25"}));
    const QStringList names{"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    QStringList headers, dates, totals;
    for (const QString& name : names) {
        headers << LabelText(report, TBandKind::ColumnHeader, "lbl" + name + "DateHdr");
        dates << LabelText(report, TBandKind::ColumnHeader, "lbl" + name + "Date");
        totals << LabelText(report, TBandKind::Summary, "lbl" + name + "Total");
    }
    EXPECT_EQ(headers, QStringList({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
    EXPECT_EQ(dates, QStringList({"3rd", "4th", "5th", "6th", "7th", "8th", "9th"}));
    EXPECT_EQ(totals, QStringList({"1.00", "--", "1.00", "--", "0.50", "--", "0.25"}));
    EXPECT_EQ(LabelText(report, TBandKind::Summary, "lblTotalTotal"), QStringLiteral("2.75"));
}

TEST_F(WeeklyActivityReport, TheSavedTextHasALinePerBlockWithOneValue) {
    TWeeklyActivityReportA4 report;
    Run(report, QDate(2024, 3, 3), QDate(2024, 3, 9));
    report.StartRun();
    const QString file = Path(QStringLiteral("weekly.txt"));
    report.SaveReportTextTo(file);
    EXPECT_EQ(ReadFile(file),
              QByteArray("Weekly Activity Report for: ann   Period: 03/03/2024 to 09/03/2024\r\n"
                         "User\tClient\tProject\tCategory : Activity\tSun\tMon\tTue\tWed\tThu\t"
                         "Fri\tSat\tTotal\r\n"
                         "ann\tAcme\tWeb\tDev : Code\t1.00\t\t\t\t\t\t\t1.00\r\n"
                         "ann\tGlobex\tWeb\tDev : Code\t\t\t1.00\t\t\t\t\t1.00\r\n"
                         "ann\tGlobex\tWeb\tDev : Code\t\t\t\t\t0.50\t\t\t0.50\r\n"
                         "ann\tInitech\tWeb\tDev : Code\t\t\t\t\t\t\t0.25\t0.25\r\n"));
}

TEST_F(WeeklyActivityReport, AWeekFromMondayAndDatesAcrossTheYearsEnd) {
    TWeeklyActivityReportA4 report;
    Run(report, QDate(2024, 3, 4), QDate(2024, 3, 10));
    EXPECT_EQ(report.FirstColumnOffset(), 0);
    const QStringList rows = DetailRows(report);
    ASSERT_EQ(rows.size(), 3); // Globex, Initech, Outside
    EXPECT_EQ(rows[0], QStringLiteral("Globex|Web|Dev : Code|--|1.00|--|0.50|--|--|--|1.50"));
    EXPECT_EQ(rows[2], QStringLiteral("Outside|Web|Dev : Code|--|--|--|--|--|--|1.00|1.00"));
    EXPECT_TRUE(report.PeriodCaption().endsWith(QStringLiteral("(2024-W10)")));
    Run(report, QDate(2025, 12, 29), QDate(2026, 1, 4));
    report.StartRun();
    QStringList dates;
    for (const char* name : {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"})
        dates << LabelText(report, TBandKind::ColumnHeader,
                           QStringLiteral("lbl%1Date").arg(QString::fromLatin1(name)));
    EXPECT_EQ(dates, QStringList({"29th", "30th", "31st", "1st", "2nd", "3rd", "4th"}));
    for (int day : {11, 12, 13})
        EXPECT_EQ(TBaseWeeklyActivityReport::DayOrdinal(day), QString::number(day) + "th");
    EXPECT_EQ(TBaseWeeklyActivityReport::DayOrdinal(22), QStringLiteral("22nd"));
    EXPECT_EQ(TBaseWeeklyActivityReport::DayOrdinal(23), QStringLiteral("23rd"));
}

TEST_F(WeeklyActivityReport, OnlyTheClientAndProjectFiltersApply) {
    TWeeklyActivityReportA4 report;
    Run(report, QDate(2024, 3, 3), QDate(2024, 3, 9), false, true);
    TReportParameters parameters = report.Parameters();
    parameters.Charging = TCharging::NotChargeableOnly;
    parameters.ClientFilter = QStringLiteral("globex");
    report.Initialise(parameters);
    report.Prepare();
    EXPECT_EQ(report.FilterText(), QStringLiteral("Client = globex"));
    EXPECT_EQ(DetailRows(report),
              QStringList({"Globex|Web|Dev : Code|--|--|1.00|--|0.50|--|--|1.50"}));
}

TEST_F(WeeklyActivityReport, LetterAndConfiguredColumns) {
    TWeeklyActivityReportLTR letter;
    Run(letter, QDate(2024, 3, 4), QDate(2024, 3, 10));
    const auto right = [](TBaseReport& report, TBandKind kind, const char* name) {
        const TReportLabel* label = report.Model().Band(kind)->Label(QString::fromLatin1(name));
        return label->Left + label->Width;
    };
    EXPECT_EQ(right(letter, TBandKind::Detail, "lblMon"), 654 - 67);
    EXPECT_EQ(right(letter, TBandKind::Detail, "lblSun"), 958 - 67);
    EXPECT_EQ(right(letter, TBandKind::Detail, "lblLineTotal"), 972);
    EXPECT_EQ(right(letter, TBandKind::Summary, "lblMonTotal"), 654 - 66);
    EXPECT_EQ(right(letter, TBandKind::Summary, "lblTotalTotal"), 1039 - 66);
    TWeeklyActivityReportA4 a4;
    AdminSettings().ReportColumnDefault = false;
    AdminSettings().ReportProjectColumn = 600;
    AdminSettings().ReportCategoryActivityColumn = 700;
    Run(a4, QDate(2024, 3, 4), QDate(2024, 3, 10));
    const auto left = [](TBaseReport& report, const char* name) {
        return report.Model().Band(TBandKind::Detail)->Label(QString::fromLatin1(name))->Left;
    };
    // Clamped to 80 before the first day column (633), and the project 80 before that.
    EXPECT_EQ(left(a4, "lblCategoryActivity"), 553);
    EXPECT_EQ(left(a4, "lblProject"), 473);
    const TReportLabel* category =
        a4.Model().Band(TBandKind::Detail)->Label(QStringLiteral("lblCategoryActivity"));
    EXPECT_EQ(category->Left + category->Width,
              a4.Model().Band(TBandKind::Detail)->Label(QStringLiteral("lblMon"))->Left - 10);
}
