#include "reportfixture.h"
#include "reporting/layouts/dailyreport.h"
#include "reportwindows/reporttextsaving.h"

#include <QDir>
#include <QFile>
#include <QPrinter>

#include <gtest/gtest.h>

// The current user's March 2024: two days with blocks, one day of unreported time only.
class DailyReport : public TReportTest {
protected:
    void SetUp() override {
        TReportTest::SetUp();
        TMonth month(2024, 3);
        Add(month, 4, 900, 1000, "Acme", "One").OverTime = false;
        Add(month, 4, 1000, 1100, "Acme", "Two");
        Add(month, 4, 1100, 1150, "Acme", "Late").OverTime = true;
        Add(month, 5, 900, 1000, "Globex", "Line one\r\nline two");
        Add(month, 6, 900, 1000, "Hidden", "").Reportable = false;
        TBlock& billed = Add(month, 5, 1300, 1400, "Globex", "");
        Bill(billed, bcHourlyRate, 50);
        billed.OverTime = true;
        month.Save();
    }
    // The week of 4 to 10 March 2024.
    void Run(TBaseReport& report, bool overtime = true, bool remarks = false) {
        TReportTest::Run(report, QDate(2024, 3, 4), QDate(2024, 3, 10), overtime, remarks);
    }
};

TEST_F(DailyReport, CaptionsOfUsersPeriodsAndFilters) {
    TDailyReportA4 report;
    Run(report);
    EXPECT_EQ(report.UserCaption(), QStringLiteral("Report for: ann"));
    EXPECT_EQ(report.PeriodCaption(),
              QStringLiteral("Period: 04/03/2024 to 10/03/2024  (2024-W10)"));
    EXPECT_FALSE(report.Filtered());
    const QStringList users{QStringLiteral("/server/Data/bob/"), QStringLiteral("/server/Data/cy/")};
    TReportParameters parameters = report.Parameters();
    parameters.Users = &users;
    parameters.PeriodFrom = QDate(2024, 3, 3); // Sunday to Saturday: no week number
    parameters.PeriodTo = QDate(2024, 3, 9);
    parameters.ClientFilter = QStringLiteral("ACME");
    parameters.ProjectFilter = QStringLiteral("Web");
    parameters.Charging = TCharging::ChargeableOnly;
    parameters.ShowOvertime = false;
    report.Initialise(parameters);
    EXPECT_EQ(report.UserCaption(),
              QStringLiteral("Consolidated report for: 2 users (listed below report)"));
    EXPECT_EQ(report.PeriodCaption(), QStringLiteral("Period: 03/03/2024 to 09/03/2024"));
    EXPECT_EQ(report.FilterText(),
              QStringLiteral("Client = ACME, Project = Web, Chargeable = Yes, No Overtime"));
    const QStringList single{QStringLiteral("/server/Data/bob/")};
    parameters.Users = &single;
    report.Initialise(parameters);
    EXPECT_EQ(report.UserCaption(), QStringLiteral("Report for: bob"));
    TDailyReportLTR letter;
    EXPECT_EQ(letter.AdjustLeft(600), 562);
    EXPECT_EQ(report.AdjustLeft(600), 600);
}

TEST_F(DailyReport, PagesHoldTheDaysLinesAndTotals) {
    TDailyReportA4 report;
    Run(report);
    const QStringList texts = PageTexts(report);
    EXPECT_TRUE(texts.contains(QStringLiteral("Daily Summary")));
    EXPECT_TRUE(texts.contains(QStringLiteral("04/03/2024")));
    EXPECT_TRUE(texts.contains(QStringLiteral("05/03/2024")));
    EXPECT_FALSE(texts.contains(QStringLiteral("06/03/2024"))); // only unreported time
    EXPECT_FALSE(texts.contains(QStringLiteral("Hidden")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Daily Sub-total")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Total")));
    EXPECT_TRUE(texts.contains(QStringLiteral("3.00")));  // normal hours of the week
    EXPECT_TRUE(texts.contains(QStringLiteral("1.50")));  // overtime hours
    EXPECT_FALSE(texts.contains(QStringLiteral("Remarks"))); // not broken down
}

TEST_F(DailyReport, TheSavedTextByteForByte) {
    TDailyReportA4 report;
    Run(report, true, true);
    report.StartRun();
    const QString file = Path(QStringLiteral("daily.txt"));
    report.SaveReportTextTo(file);
    report.SaveReportTextTo(file); // saving again writes the text once
    EXPECT_EQ(ReadFile(file),
              QByteArray("Daily Summary Report for: ann   Period: 04/03/2024 to 10/03/2024  "
                         "(2024-W10)\r\n"
                         "User\tDate\tStart Time\tEnd Time\tClient\tProject\tCategory : "
                         "Activity\tRemarks\tCharge\tNormal\tOvertime\tDaily Normal\tDaily "
                         "Overtime\r\n"
                         "ann\t04/03/2024\t11:00\t11:30\tAcme\tWeb\tDev : Code\tLate\tY\t\t0.50\r\n"
                         "ann\t04/03/2024\t09:00\t10:00\tAcme\tWeb\tDev : Code\tOne\tY\t1.00\t\r\n"
                         "ann\t04/03/2024\t10:00\t11:00\tAcme\tWeb\tDev : Code\tTwo\tY\t1.00\t\t"
                         "2.00\t0.50\r\n"
                         "ann\t05/03/2024\t13:00\t14:00\tGlobex\tWeb\tDev : Code\t\tY\t\t1.00\r\n"
                         "ann\t05/03/2024\t09:00\t10:00\tGlobex\tWeb\tDev : Code\tLine one line "
                         "two\tY\t1.00\t\t1.00\t1.00\r\n"));
}

TEST_F(DailyReport, WithoutOvertimeTheNormalColumnMovesRight) {
    TDailyReportA4 report;
    Run(report, false);
    report.StartRun();
    const QStringList text = report.BuildReportText();
    EXPECT_TRUE(text[1].endsWith(QStringLiteral("Charge\tNormal\tDaily Normal")));
    for (const QString& line : text)
        EXPECT_FALSE(line.contains(QStringLiteral("Late"))); // overtime left out
    const TReportLabel* normal =
        report.Model().Band(TBandKind::SubDetail)->Label(QStringLiteral("lblNormal"));
    EXPECT_EQ(normal->Left + normal->Width, 987 + 52);
}

TEST_F(DailyReport, BillingShowsCodesRatesAndTheWarning) {
    TDailyBillingReportA4 report;
    Run(report, true, true);
    const QStringList texts = PageTexts(report);
    EXPECT_TRUE(texts.contains(QStringLiteral("HRA,OT")));
    EXPECT_TRUE(texts.contains(QStringLiteral("$50.00")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Billing Codes")));
    bool warning = false;
    for (const QString& text : texts)
        warning = warning || text.startsWith(QStringLiteral("WARNING"));
    EXPECT_TRUE(warning); // blocks without billing information are in the totals
    const QStringList text = report.BuildReportText();
    EXPECT_TRUE(text.back().startsWith(QStringLiteral("WARNING\rReport totals include hours")));
    EXPECT_TRUE(text[1].endsWith(QStringLiteral("Code\tHrs\tRate\tExt\tDaily Sub-Total Hrs\t"
                                                "Daily Sub-Total Ext")));
}

TEST_F(DailyReport, SavingTheTextAsksBeforeReplacingAndReportsAFailure) {
    TDailyReportA4 report;
    Run(report);
    report.StartRun();
    const QString file = Path(QStringLiteral("saved.txt"));
    WriteFile(file, "old");
    const auto chosen = [&file](QWidget*, const QString&) { return file; };
    Messages->Answer = mrNo;
    EXPECT_FALSE(SaveReportText(report, nullptr, chosen));
    EXPECT_EQ(ReadFile(file), QByteArray("old"));
    EXPECT_TRUE(Messages->Shown.back().Text.contains(QStringLiteral("already exists")));
    Messages->Answer = mrYes;
    const QString missing = Path(QStringLiteral("gone/saved.txt"));
    EXPECT_FALSE(SaveReportText(report, nullptr, [&missing](QWidget*, const QString&) {
        return missing;
    }));
    EXPECT_EQ(Messages->Shown.back().Text,
              QStringLiteral("Unable to save file - another application may be using it"));
    EXPECT_TRUE(SaveReportText(report, nullptr, chosen));
    EXPECT_EQ(PersonalSettings().Setup.ExportFileName, file);
    const QByteArray text = ReadFile(file);
    EXPECT_EQ(text.count("Daily Summary Report for"), 1); // once, after the failed attempt
    EXPECT_FALSE(SaveReportText(report, nullptr, [](QWidget*, const QString&) { return QString(); }));
}

TEST_F(DailyReport, AConsolidatedReportMergesUsersWhileTheTextListsEachBlock) {
    // Two users on the server, the same task on the same day.
    Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
    QStringList folders;
    for (const char* user : {"bob", "cy"}) {
        const QString folder = MakeFolder(QStringLiteral("server/Data/") + QString::fromLatin1(user));
        folders.append(folder);
        WriteFile(folder + QStringLiteral("2024-03.txt"),
                  "05 Mar 2024\t0900\t1000\tAcme\tWeb\tDev\tCode\t \tN\tY\tY\t \r\n");
    }
    Days = CollectReportDays(QDate(2024, 3, 4), QDate(2024, 3, 10), folders);
    TDailyReportA4 report;
    TReportParameters parameters;
    parameters.Days = &Days;
    parameters.PeriodFrom = QDate(2024, 3, 4);
    parameters.PeriodTo = QDate(2024, 3, 10);
    parameters.Users = &folders;
    report.Initialise(parameters);
    const QStringList texts = PageTexts(report);
    EXPECT_EQ(texts.count(QStringLiteral("Acme")), 1); // one line for both users
    EXPECT_TRUE(texts.contains(QStringLiteral("2.00")));
    EXPECT_TRUE(texts.contains(QStringLiteral("Report for users:")));
    EXPECT_TRUE(texts.contains(QStringLiteral("bob\ncy")));
    const QStringList text = report.BuildReportText();
    ASSERT_EQ(text.size(), 4);
    EXPECT_TRUE(text[2].startsWith(QStringLiteral("bob\t")));
    EXPECT_TRUE(text[3].startsWith(QStringLiteral("cy\t")));
    EXPECT_TRUE(text[3].endsWith(QStringLiteral("\t2.00\t"))); // the day's totals, no "--"
}

TEST_F(DailyReport, PrintingGoesToThePrinterItIsGiven) {
    TDailyReportLTR report;
    Run(report);
    QPrinter printer;
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString file = Path(QStringLiteral("printed.pdf"));
    printer.setOutputFileName(file);
    ASSERT_TRUE(report.ProducePrint(printer));
    EXPECT_TRUE(ReadFile(file).startsWith("%PDF-"));
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
    EXPECT_NEAR(printer.pageLayout().fullRect(QPageLayout::Millimeter).width(), 279.4, 0.5);
}

TEST_F(DailyReport, AUserListPushedOntoAPageOfItsOwnHasNoColumnHeader) {
    // Forty users listed after the totals need more room than page 1 has left.
    QStringList users;
    for (int user = 0; user < 40; ++user)
        users.append(QStringLiteral("/server/Data/user%1/").arg(user));
    TDailyReportA4 report;
    Run(report);
    TReportParameters parameters = report.Parameters();
    parameters.Users = &users;
    report.Initialise(parameters);
    TReportLayouter& layouter = report.StartRun();
    std::vector<TReportPage> pages;
    TReportPage page;
    while (layouter.NextPage(page))
        pages.push_back(page);
    ASSERT_EQ(pages.size(), 2u);
    const auto holds = [](const TReportPage& on, TBandKind kind) {
        return std::find(on.Bands.begin(), on.Bands.end(), kind) != on.Bands.end();
    };
    const auto shows = [](const TReportPage& on, const QString& text) {
        return std::any_of(on.Items.begin(), on.Items.end(),
                           [&text](const TPageItem& item) { return item.Text == text; });
    };
    EXPECT_TRUE(holds(pages[0], TBandKind::ColumnHeader));
    EXPECT_TRUE(shows(pages[0], QStringLiteral("Total")));
    EXPECT_FALSE(shows(pages[0], QStringLiteral("Report for users:")));
    EXPECT_TRUE(shows(pages[1], QStringLiteral("Report for users:")));
    EXPECT_TRUE(holds(pages[1], TBandKind::PageHeader));
    EXPECT_FALSE(holds(pages[1], TBandKind::ColumnHeader));
    EXPECT_FALSE(shows(pages[1], QStringLiteral("Client")));
}

TEST_F(DailyReport, LetterMovesConfiguredColumnsLeftAndHasItsOwnNumberColumns) {
    AdminSettings().ReportColumnDefault = false;
    AdminSettings().ReportProjectColumn = 300;
    AdminSettings().ReportCategoryActivityColumn = 600;
    AdminSettings().ReportRemarksColumn = 800;
    TDailyReportLTR letter;
    TDailyReportA4 a4;
    Run(letter, true, true);
    Run(a4, true, true);
    const auto left = [](TBaseReport& report, TBandKind kind, const char* name) {
        return report.Model().Band(kind)->Label(QString::fromLatin1(name))->Left;
    };
    EXPECT_EQ(left(letter, TBandKind::ColumnHeader, "lblCategoryActivityHeader"), 562);
    EXPECT_EQ(left(letter, TBandKind::SubDetail, "lblCategoryActivity"), 562);
    EXPECT_EQ(left(a4, TBandKind::SubDetail, "lblCategoryActivity"), 600);
    EXPECT_EQ(left(letter, TBandKind::ColumnHeader, "lblChargeHeader"), 805);
    EXPECT_EQ(left(a4, TBandKind::ColumnHeader, "lblChargeHeader"), 872);
    EXPECT_EQ(left(letter, TBandKind::ColumnHeader, "lblNormalHeader"), 850);
    // Every label stays inside Letter's narrower band.
    for (TBandKind kind : {TBandKind::PageHeader, TBandKind::Title, TBandKind::ColumnHeader,
                           TBandKind::SubDetail, TBandKind::GroupFooter, TBandKind::Summary,
                           TBandKind::PageFooter})
        for (const TReportBand* band : letter.Model().Bands(kind))
            for (const TReportLabel& label : band->Labels) {
                if (label.Visible) {
                    EXPECT_LE(label.Left + label.Width, 980) << label.Name.toStdString();
                }
            }
}

// Not yet true: the saved text still rounds each line before the day total.
TEST_F(DailyReport, DISABLED_TheSavedDaySubTotalIsThePrintedOne) {
    // Three 20-minute blocks of one task on Thursday 7 March (the month written anew): one
    // printed line of an hour.
    TMonth month(2024, 3);
    Add(month, 7, 900, 933, "Initech", "a");
    Add(month, 7, 933, 967, "Initech", "b");
    Add(month, 7, 967, 1000, "Initech", "c");
    month.Save();
    TDailyReportA4 report;
    Run(report);
    TReportBand* dayTotal = report.Model().Band(TBandKind::GroupFooter);
    QStringList printed;
    dayTotal->AfterPrint = [&printed](TReportBand& band) {
        printed.append(band.Label(QStringLiteral("lblNormalSubTotal"))->Text);
    };
    PageTexts(report);
    ASSERT_EQ(printed.size(), 1);
    EXPECT_EQ(printed[0], QStringLiteral("1.00"));
    const QStringList text = report.BuildReportText();
    const QStringList thursday = text.filter(QStringLiteral("\t07/03/2024\t"));
    ASSERT_EQ(thursday.size(), 3);
    EXPECT_TRUE(thursday[0].contains(QStringLiteral("\tY\t0.33\t")));
    // The day's total in the last line, rounded as the printed sub-total is.
    EXPECT_TRUE(thursday[2].endsWith(QStringLiteral("\t1.00\t"))) << thursday[2].toStdString();
}
