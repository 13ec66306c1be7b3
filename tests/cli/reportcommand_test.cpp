#include "base/applocale.h"
#include "base/datalocations.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The real quillhour-cli making the reports of a small month: an hour and a half of normal
// time on Tuesday 5 March 2024 and an hour of overtime on Tuesday 12 March.
class ReportCommand : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Folder = MakeFolder(QStringLiteral("local"));
        Env.Args = {Env.Program, QStringLiteral("/datadir"), Folder};
        ApplyEnvironment();
        ResolveDataLocations(TResolveMode::ReadOnly);
        QDir().mkpath(LocalDataPath());
        TMonth month(2024, 3);
        AddBlock(month, 5, 900, 1050, QStringLiteral("Acme")).Chargeable = true;
        AddBlock(month, 12, 1800, 1900, QStringLiteral("Zeta")).OverTime = true;
        month.Save();
    }
    static TBlock& AddBlock(TMonth& month, int day, int start, int end, const QString& client) {
        TBlock& block = month.DayByNumber(day)->AddBlock(start, end);
        block.Client = client;
        block.Project = QStringLiteral("Web");
        block.Category = QStringLiteral("Dev");
        block.Activity = QStringLiteral("Code");
        block.Reportable = true;
        return block;
    }
    // The administration settings' first day of the week (Monday = 1 ... Sunday = 7).
    void SetFirstDayOfWeek(int day) {
        WriteFile(Folder + QStringLiteral("QHR.ini"),
                  "[Setup]\r\nFirstDayOfWeek=" + QByteArray::number(day) + "\r\n");
    }
    QStringList OutLines() const { return Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts); }
    // The text pdftotext finds in a PDF file; empty when pdftotext is not installed.
    static QString PdfText(const QString& pdf) {
        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        if (pdftotext.isEmpty())
            return {};
        QProcess extract;
        extract.start(pdftotext, {pdf, QStringLiteral("-")});
        EXPECT_TRUE(extract.waitForFinished(20000));
        return QString::fromUtf8(extract.readAllStandardOutput());
    }
    static QString PeriodText(QDate from, QDate to) {
        return QStringLiteral("Period: ") + LocaleShortDateText(from) + QStringLiteral(" to ") +
               LocaleShortDateText(to);
    }
    int Run(const QStringList& words) {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(QH_CLI_PROGRAM),
                  QStringList{QStringLiteral("--datadir"), Folder} + words);
        EXPECT_TRUE(cli.waitForFinished(30000));
        Out = QString::fromUtf8(cli.readAllStandardOutput());
        Err = QString::fromUtf8(cli.readAllStandardError());
        return cli.exitCode();
    }
    QString Folder;
    QString Out;
    QString Err;
};

TEST_F(ReportCommand, TheDailyReportAsTextAndAsPdf) {
    const QStringList period{QStringLiteral("--from"), QStringLiteral("2024-03-04"),
                             QStringLiteral("--to"), QStringLiteral("2024-03-10")};
    ASSERT_EQ(Run(QStringList{QStringLiteral("report"), QStringLiteral("daily")} + period), 0)
        << Err.toStdString();
    const QStringList lines = Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Daily Summary Report for: ")));
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("(2024-W10)")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("\tAcme\tWeb\tDev : Code\t\tY\t1.50\t\t1.50\t")));

    const QString text = Path(QStringLiteral("daily.txt"));
    const QString pdf = Path(QStringLiteral("daily.pdf"));
    ASSERT_EQ(Run(QStringList{QStringLiteral("report"), QStringLiteral("daily"),
                              QStringLiteral("--text"), text, QStringLiteral("--pdf"), pdf} +
                  period),
              0)
        << Err.toStdString();
    EXPECT_TRUE(ReadFile(text).endsWith("1.50\t\t1.50\t\r\n"));
    EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF-"));
    EXPECT_TRUE(Err.contains(QStringLiteral("1 page written")));
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (!pdftotext.isEmpty()) {
        QProcess extract;
        extract.start(pdftotext, {pdf, QStringLiteral("-")});
        ASSERT_TRUE(extract.waitForFinished(20000));
        const QString shown = QString::fromUtf8(extract.readAllStandardOutput());
        EXPECT_TRUE(shown.contains(QStringLiteral("Daily Summary")));
        EXPECT_TRUE(shown.contains(QStringLiteral("Total")));
        EXPECT_TRUE(shown.contains(QStringLiteral("1.50")));
    }
}

TEST_F(ReportCommand, NothingToReportAndUsageErrors) {
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("daily"), QStringLiteral("--from"),
                   QStringLiteral("2023-01-01"), QStringLiteral("--to"),
                   QStringLiteral("2023-01-31")}),
              1);
    EXPECT_TRUE(Err.contains(QStringLiteral("There are no hours to report")));
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("monthly")}), 2);
    EXPECT_TRUE(Err.contains(QStringLiteral("Usage:")));
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("daily"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-01")}),
              2);
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("daily"), QStringLiteral("--charging"),
                   QStringLiteral("some")}),
              2);
}

TEST_F(ReportCommand, TheWeeklyReportShowsTheWeekOfTheDayGiven) {
    // Without settings the C locale's week: Monday 4 to Sunday 10 March, ISO week 10.
    ASSERT_EQ(Run({QStringLiteral("report"), QStringLiteral("weekly"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-06")}),
              0)
        << Err.toStdString();
    QStringList lines = OutLines();
    ASSERT_EQ(lines.size(), 3) << Out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Weekly Activity Report for: ")));
    EXPECT_TRUE(lines[0].endsWith(PeriodText(QDate(2024, 3, 4), QDate(2024, 3, 10)) +
                                  QStringLiteral("  (2024-W10)")))
        << lines[0].toStdString();
    EXPECT_EQ(lines[1].split(QLatin1Char('\t')).mid(4),
              QStringList({"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun", "Total"}));
    QStringList fields = lines[2].split(QLatin1Char('\t'));
    ASSERT_EQ(fields.size(), 12);
    EXPECT_EQ(fields.mid(1, 3), QStringList({"Acme", "Web", "Dev : Code"}));
    EXPECT_EQ(fields[5], QStringLiteral("1.50")); // Tuesday
    EXPECT_EQ(fields[11], QStringLiteral("1.50"));

    // Weeks from Sunday: Tuesday 12 March lies in Sunday 10 to Saturday 16.
    SetFirstDayOfWeek(7);
    const QString text = Path(QStringLiteral("weekly.txt"));
    const QString pdf = Path(QStringLiteral("weekly.pdf"));
    ASSERT_EQ(Run({QStringLiteral("report"), QStringLiteral("weekly"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-12"), QStringLiteral("--text"), text,
                   QStringLiteral("--pdf"), pdf}),
              0)
        << Err.toStdString();
    lines = QString::fromUtf8(ReadFile(text)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].endsWith(PeriodText(QDate(2024, 3, 10), QDate(2024, 3, 16))))
        << lines[0].toStdString();
    EXPECT_EQ(lines[1].split(QLatin1Char('\t')).mid(4),
              QStringList({"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Total"}));
    fields = lines[2].split(QLatin1Char('\t'));
    ASSERT_EQ(fields.size(), 12);
    EXPECT_EQ(fields[1], QStringLiteral("Zeta"));
    EXPECT_EQ(fields[6], QStringLiteral("1.00")); // Tuesday, the week's third day
    EXPECT_EQ(fields[11], QStringLiteral("1.00"));
    EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF-"));
    const QString shown = PdfText(pdf);
    if (!shown.isEmpty()) {
        EXPECT_TRUE(shown.contains(QStringLiteral("Weekly Activity")));
        EXPECT_TRUE(shown.contains(QStringLiteral("Zeta")));
        EXPECT_LT(shown.indexOf(QStringLiteral("Sun")), shown.indexOf(QStringLiteral("Sat")));
    }
}

TEST_F(ReportCommand, TheWeeklyReportWithoutADateShowsThisWeek) {
    const QDate today = QDate::currentDate();
    TMonth month(today.year(), today.month());
    AddBlock(month, today.day(), 800, 900, QStringLiteral("Today"));
    month.Save();
    SetFirstDayOfWeek(3);
    ASSERT_EQ(Run({QStringLiteral("report"), QStringLiteral("weekly")}), 0) << Err.toStdString();
    const QStringList lines = OutLines();
    ASSERT_EQ(lines.size(), 3) << Out.toStdString();
    const QDate wednesday = today.addDays(-((today.dayOfWeek() - 3 + 7) % 7));
    EXPECT_TRUE(lines[0].endsWith(PeriodText(wednesday, wednesday.addDays(6))))
        << lines[0].toStdString();
    EXPECT_EQ(lines[1].split(QLatin1Char('\t')).at(4), QStringLiteral("Wed"));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("\tToday\t")));
}

TEST_F(ReportCommand, TheActivityReportAsTextAndAsPdf) {
    const QStringList march{QStringLiteral("--from"), QStringLiteral("2024-03-01"),
                            QStringLiteral("--to"), QStringLiteral("2024-03-31")};
    ASSERT_EQ(Run(QStringList{QStringLiteral("report"), QStringLiteral("activity")} + march), 0)
        << Err.toStdString();
    QStringList lines = OutLines();
    ASSERT_EQ(lines.size(), 4) << Out.toStdString();
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Activity Summary Report for: ")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("\tCharge\tNormal\tOvertime")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("\tAcme\tWeb\tDev : Code\t\tY\t1.50\t")));
    EXPECT_TRUE(lines[3].contains(QStringLiteral("\tZeta\tWeb\tDev : Code\t\tN\t")));
    EXPECT_TRUE(lines[3].endsWith(QStringLiteral("\t1.00")));

    // The filters of the daily report: chargeable hours only, overtime left out.
    ASSERT_EQ(Run(QStringList{QStringLiteral("report"), QStringLiteral("activity"),
                              QStringLiteral("--charging"), QStringLiteral("not-chargeable")} +
                  march),
              0)
        << Err.toStdString();
    lines = OutLines();
    ASSERT_EQ(lines.size(), 3) << Out.toStdString();
    EXPECT_TRUE(lines[0].endsWith(QStringLiteral("Filtered for:Chargeable = No")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("\tZeta\t")));
    ASSERT_EQ(Run(QStringList{QStringLiteral("report"), QStringLiteral("activity"),
                              QStringLiteral("--no-overtime")} +
                  march),
              0)
        << Err.toStdString();
    lines = OutLines();
    ASSERT_EQ(lines.size(), 3) << Out.toStdString();
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("\tCharge\tNormal")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("\tAcme\t")));

    const QString pdf = Path(QStringLiteral("activity.pdf"));
    ASSERT_EQ(Run(QStringList{QStringLiteral("report"), QStringLiteral("activity"),
                              QStringLiteral("--billing"), QStringLiteral("--letter"),
                              QStringLiteral("--pdf"), pdf} +
                  march),
              0)
        << Err.toStdString();
    EXPECT_TRUE(Out.isEmpty());
    EXPECT_TRUE(Err.contains(QStringLiteral("1 page written")));
    EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF-"));
    const QString shown = PdfText(pdf);
    if (!shown.isEmpty()) {
        EXPECT_TRUE(shown.contains(QStringLiteral("Activity Summary")));
        EXPECT_TRUE(shown.contains(QStringLiteral("Acme")));
        EXPECT_TRUE(shown.contains(QStringLiteral("Zeta")));
    }

    // A filter that leaves no line: nothing to report, for the text as for the PDF.
    const QStringList nobody{QStringLiteral("report"), QStringLiteral("activity"),
                             QStringLiteral("--client"), QStringLiteral("Nobody")};
    EXPECT_EQ(Run(nobody + march), 1);
    EXPECT_TRUE(Out.isEmpty());
    EXPECT_TRUE(Err.contains(QStringLiteral("There are no hours to report")));
    const QString none = Path(QStringLiteral("none.pdf"));
    EXPECT_EQ(Run(nobody + march + QStringList{QStringLiteral("--pdf"), none}), 1);
    EXPECT_TRUE(Err.contains(QStringLiteral("There are no hours to report")));
    EXPECT_FALSE(Err.contains(QStringLiteral("Unable to write")));
    EXPECT_FALSE(QFile::exists(none));
}

TEST_F(ReportCommand, TheOvertimeReportShowsOnlyOvertime) {
    const QString text = Path(QStringLiteral("overtime.txt"));
    const QString pdf = Path(QStringLiteral("overtime.pdf"));
    ASSERT_EQ(Run({QStringLiteral("report"), QStringLiteral("overtime"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-01"), QStringLiteral("--to"),
                   QStringLiteral("2024-03-31"), QStringLiteral("--text"), text,
                   QStringLiteral("--pdf"), pdf}),
              0)
        << Err.toStdString();
    const QStringList lines =
        QString::fromUtf8(ReadFile(text)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("Overtime Report for: ")));
    EXPECT_FALSE(lines[0].contains(QStringLiteral("Filtered")));
    EXPECT_TRUE(lines[1].endsWith(QStringLiteral("\tCharge\tOvertime")));
    EXPECT_TRUE(lines[2].contains(QStringLiteral("\tZeta\tWeb\tDev : Code\t\tN\t1.00")));
    EXPECT_TRUE(ReadFile(pdf).startsWith("%PDF-"));
    const QString shown = PdfText(pdf);
    if (!shown.isEmpty()) {
        EXPECT_TRUE(shown.contains(QStringLiteral("Overtime")));
        EXPECT_TRUE(shown.contains(QStringLiteral("Zeta")));
        EXPECT_FALSE(shown.contains(QStringLiteral("Acme")));
    }

    // The first week has hours, but none of them overtime.
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("overtime"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-04"), QStringLiteral("--to"),
                   QStringLiteral("2024-03-10")}),
              1);
    EXPECT_TRUE(Out.isEmpty());
    EXPECT_TRUE(Err.contains(QStringLiteral("There are no hours to report")));
}

TEST_F(ReportCommand, OptionsAKindOfReportDoesNotTake) {
    const QStringList weekly{QStringLiteral("report"), QStringLiteral("weekly"),
                             QStringLiteral("--from"), QStringLiteral("2024-03-06")};
    for (const QStringList& option :
         {QStringList{QStringLiteral("--billing")}, QStringList{QStringLiteral("--no-overtime")},
          QStringList{QStringLiteral("--remarks")},
          QStringList{QStringLiteral("--charging"), QStringLiteral("all")},
          QStringList{QStringLiteral("--to"), QStringLiteral("2024-03-10")},
          QStringList{QStringLiteral("--client"), QStringLiteral("Acme")},
          QStringList{QStringLiteral("--project"), QStringLiteral("Web")}}) {
        EXPECT_EQ(Run(weekly + option), 2) << option.front().toStdString();
        EXPECT_TRUE(Err.contains(QStringLiteral("weekly report takes no ") + option.front()))
            << Err.toStdString();
        EXPECT_TRUE(Err.contains(QStringLiteral("Usage:")));
    }
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("overtime"),
                   QStringLiteral("--no-overtime")}),
              2);
    EXPECT_TRUE(Err.contains(QStringLiteral("overtime report takes no --no-overtime")));
    // What the weekly report does take: the paper; it shows every client of the week, as the
    // report window's weekly report does.
    EXPECT_EQ(Run(weekly + QStringList{QStringLiteral("--letter")}), 0) << Err.toStdString();
    EXPECT_FALSE(OutLines().at(0).contains(QStringLiteral("Filtered")));
}

TEST_F(ReportCommand, AWeekWithoutHoursIsNothingToReport) {
    const QString pdf = Path(QStringLiteral("empty.pdf"));
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("weekly"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-20"), QStringLiteral("--pdf"), pdf}),
              1);
    EXPECT_TRUE(Err.contains(QStringLiteral("There are no hours to report"))) << Err.toStdString();
    EXPECT_FALSE(QFile::exists(pdf));
    EXPECT_TRUE(Out.isEmpty());
}

TEST_F(ReportCommand, UsersMustBeUsersOfAWorkGroup) {
    const QStringList march{QStringLiteral("--from"), QStringLiteral("2024-03-01"),
                            QStringLiteral("--to"), QStringLiteral("2024-03-31")};
    // This location has no server: neither option has users to name.
    EXPECT_EQ(Run(QStringList{QStringLiteral("report"), QStringLiteral("daily"),
                              QStringLiteral("--all-users")} +
                  march),
              2);
    EXPECT_TRUE(Err.contains(QStringLiteral("--all-users needs a work group"))) << Err.toStdString();
    EXPECT_EQ(Run(QStringList{QStringLiteral("report"), QStringLiteral("daily"),
                              QStringLiteral("--users"), QStringLiteral("ann")} +
                  march),
              2);
    EXPECT_TRUE(Err.contains(QStringLiteral("--users needs a work group"))) << Err.toStdString();

    Folder = MakeFolder(QStringLiteral("group"));
    ASSERT_EQ(Run({QStringLiteral("sample-data"), QStringLiteral("--work-group"),
                   QStringLiteral("--users"), QStringLiteral("2"), QStringLiteral("--months"),
                   QStringLiteral("1")}),
              0)
        << Err.toStdString();
    // A mistyped name is an error that names it, not a user without hours.
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("daily"), QStringLiteral("--users"),
                   QStringLiteral("user001,usr002")}),
              2);
    EXPECT_TRUE(Err.contains(QStringLiteral("Unknown user: usr002"))) << Err.toStdString();
    EXPECT_TRUE(Err.contains(QStringLiteral("user001, user002")));
    EXPECT_TRUE(Out.isEmpty());
    ASSERT_EQ(Run({QStringLiteral("report"), QStringLiteral("daily"), QStringLiteral("--users"),
                   QStringLiteral("user001,user002")}),
              0)
        << Err.toStdString();
    EXPECT_TRUE(OutLines().at(0).contains(QStringLiteral("for: 2 users"))) << Out.toStdString();
}
