#include "base/datalocations.h"
#include "export/exportengine.h"
#include "export/exportvalues.h"
#include "localepin.h"
#include "reporting/reportline.h"
#include "sampleexportformat.h"
#include "storage/settings/personalsettings.h"
#include "support/scratchfilesystem.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
TReportLine Line(const QString& user, QDate date, int start, int end, const QString& client,
                 const QString& project) {
    TReportLine line;
    line.User = user;
    line.Date = date;
    line.StartTime = start;
    line.EndTime = end;
    line.Client = client;
    line.Project = project;
    line.Category = QStringLiteral("Dev");
    line.Activity = QStringLiteral("Coding");
    line.DayHours[date.dayOfWeek()] = (end - start) / 100.0;
    line.NormalHours = (end - start) / 100.0;
    line.Chargeable = true;
    line.BillingCode = QStringLiteral("Y");
    line.RateText = QStringLiteral("--");
    return line;
}

TExportFormat Format(std::initializer_list<TExportField> fields) {
    return ExportFormatOf(fields);
}

const QDate Monday(2024, 3, 4);
} // namespace

class ExportEngine : public TTempFolderTest {};

TEST_F(ExportEngine, TimeGroupWithHeadingsAndOneDecimal) {
    TLocalePin pin(QStringLiteral("en_GB"));
    TExportFormat format = Format({TExportField::User, TExportField::Date, TExportField::Duration});
    format.Items(TExportArea::Data)[2]->FieldFormat = QStringLiteral("n.n");
    format.Headings = true;
    const std::vector<TReportLine> lines{
        Line(QStringLiteral("mary"), Monday, 900, 1025, {}, {}),
        Line(QStringLiteral("mary"), Monday.addDays(1), 1300, 1375, {}, {})};
    EXPECT_EQ(ExportLines(format, lines), QStringList({QStringLiteral("User\tDate\tDuration"),
                                                       QStringLiteral("mary\t04/03/2024\t1.3"),
                                                       QStringLiteral("mary\t05/03/2024\t0.8")}));
}

TEST_F(ExportEngine, DelimiterInsideValuesAndHeadingsIsReplaced) {
    TExportFormat format = Format({TExportField::Client, TExportField::Project});
    format.Delimiter = ',';
    format.DelimiterReplace = ';';
    format.Headings = true;
    format.Items(TExportArea::Data)[0]->FieldHeading = QStringLiteral("Client, name");
    const std::vector<TReportLine> lines{
        Line({}, Monday, 900, 1000, QStringLiteral("Smith, Jones & Co"), QStringLiteral("Audit"))};
    EXPECT_EQ(ExportLines(format, lines), QStringList({QStringLiteral("Client; name,Project"),
                                                       QStringLiteral("Smith; Jones & Co,Audit")}));
    format.Delimiter = 'x';
    format.DelimiterReplace = '_';
    EXPECT_EQ(ReplaceDelimiter(format, QStringLiteral("Xerox box")), QStringLiteral("_ero_ bo_"));
}

TEST_F(ExportEngine, ClientGroupGivesDistinctSortedRows) {
    TExportFormat format = Format({TExportField::ClientList, TExportField::ProjectList});
    std::vector<TReportLine> lines;
    for (int i = 0; i < 10; ++i)
        lines.push_back(Line({}, Monday, 900, 1000, QStringLiteral("Acme"),
                             i % 2 ? QStringLiteral("Web") : QStringLiteral("App")));
    lines.push_back(Line({}, Monday, 900, 1000, QStringLiteral("ACME"), QStringLiteral("web")));
    lines.push_back(Line({}, Monday, 900, 1000, QStringLiteral("beta"), QStringLiteral("Audit")));
    EXPECT_EQ(ExportLines(format, lines),
              QStringList({QStringLiteral("Acme\tApp"), QStringLiteral("Acme\tWeb"),
                           QStringLiteral("beta\tAudit")}));
}

TEST_F(ExportEngine, MergedColumnsFormOneOutputColumn) {
    TExportFormat format =
        Format({TExportField::StartTime, TExportField::EndTime, TExportField::Client});
    format.Headings = true;
    TExportItem& start = *format.Items(TExportArea::Data)[0];
    start.FieldMergeFollowing = true;
    start.FieldSeparator = QStringLiteral(" - ");
    start.FieldFormat = QStringLiteral("HH:mm");
    format.Items(TExportArea::Data)[1]->FieldFormat = QStringLiteral("HH:mm:ss");
    const std::vector<TReportLine> lines{Line({}, Monday, 900, 2400, QStringLiteral("Acme"), {})};
    EXPECT_EQ(ExportLines(format, lines), QStringList({QStringLiteral("Start Time\tClient"),
                                                       QStringLiteral("09:00 - 00:00\tAcme")}));
    // A last column that merges still gets its separator.
    format.Items(TExportArea::Data)[2]->FieldMergeFollowing = true;
    format.Items(TExportArea::Data)[2]->FieldSeparator = QStringLiteral("|");
    EXPECT_EQ(ExportLines(format, lines).last(), QStringLiteral("09:00 - 00:00\tAcme|"));
}

TEST_F(ExportEngine, BlankRowsBetweenGroupsAndSkippedGroups) {
    TExportFormat format = Format({TExportField::ClientList, TExportField::Date});
    format.SetGroupOrder({QStringLiteral("Client Data Group"), QStringLiteral("Time Data Group")});
    format.Items(TExportArea::Data)[0]->FieldFormat = QStringLiteral("yyyy-MM-dd");
    format.BlankRows = 2;
    const std::vector<TReportLine> lines{Line({}, Monday, 900, 1000, QStringLiteral("Acme"), {})};
    EXPECT_EQ(ExportLines(format, lines), QStringList({QStringLiteral("Acme"), QString(), QString(),
                                                       QStringLiteral("2024-03-04")}));

    format.SkipEmptyGroups = true;
    EXPECT_TRUE(ExportLines(format, {}).isEmpty());
    format.SkipEmptyGroups = false;
    format.Headings = true;
    EXPECT_EQ(ExportLines(format, {}), QStringList({QString(), QString(), QString(), QString()}));
}

TEST_F(ExportEngine, ValueRules) {
    TLocalePin pin(QStringLiteral("en_US"));
    TReportLine line =
        Line(QStringLiteral("Mary"), Monday, 900, 900, QStringLiteral("Acme Ltd"), {});
    line.OvertimeHours = 0; // an overtime entry of zero length
    line.Remarks = QStringLiteral("first\r\nsecond\tthird");
    const auto value = [&](TExportField field, const QString& format) {
        auto column = TExportItem::ForField(field);
        column->FieldFormat = format;
        return FormatValue(*column, line);
    };
    EXPECT_EQ(value(TExportField::IsOvertime, QStringLiteral("Y/N")), QStringLiteral("N"));
    EXPECT_EQ(value(TExportField::IsReportable, QStringLiteral("True/False")),
              QStringLiteral("True"));
    EXPECT_EQ(value(TExportField::IsChargeable, QStringLiteral("Yes/No")), QStringLiteral("Yes"));
    EXPECT_EQ(value(TExportField::IsChargeable, QStringLiteral("1/0")), QStringLiteral("1"));
    EXPECT_EQ(value(TExportField::Client, QStringLiteral("Upper case")),
              QStringLiteral("ACME LTD"));
    EXPECT_EQ(value(TExportField::User, QStringLiteral("Lower case")), QStringLiteral("mary"));
    EXPECT_EQ(value(TExportField::Remarks, QStringLiteral("As entered")),
              QStringLiteral("first second third"));
    EXPECT_EQ(value(TExportField::ChargeRate, QStringLiteral("n.nn")), QStringLiteral("0.00"));
    EXPECT_EQ(value(TExportField::ChargeRate, QStringLiteral("$n.nn")), QStringLiteral("$0.00"));
    EXPECT_EQ(value(TExportField::Date, QStringLiteral("Local Settings")),
              QStringLiteral("3/4/24"));
    EXPECT_EQ(value(TExportField::StartTime, QStringLiteral("Local Settings")),
              QStringLiteral("9:00 AM"));
    auto own = TExportItem::UserDefined(TExportArea::Data);
    own->FieldValue = QStringLiteral("fixed");
    EXPECT_EQ(FormatValue(*own, line), QStringLiteral("fixed"));
    EXPECT_EQ(FormatNumberValue(2.25, QStringLiteral("n.n")), QStringLiteral("2.3"));
    EXPECT_EQ(FormatNumberValue(-2.25, QStringLiteral("n.n")), QStringLiteral("-2.3"));
    EXPECT_EQ(FormatNumberValue(2.5, QStringLiteral("n")), QStringLiteral("3"));
    EXPECT_EQ(FormatNumberValue(1234.5, QStringLiteral("n.nn")), QStringLiteral("1234.50"));
    // Billing: the entry's own code or Y/N from the chargeable flag; rate and charge with two
    // decimals, the regional symbol in front for the symbol format.
    line.BillingCode = QStringLiteral("HRA");
    line.RateText = QStringLiteral("85.50");
    line.Amount = TMoney::FromUnits(1282500);
    EXPECT_EQ(value(TExportField::ChargeType, QStringLiteral("As selected")),
              QStringLiteral("HRA"));
    EXPECT_EQ(value(TExportField::ChargeType, QStringLiteral("Lower case")), QStringLiteral("hra"));
    EXPECT_EQ(value(TExportField::ChargeRate, QStringLiteral("$n.nn")), QStringLiteral("$85.50"));
    EXPECT_EQ(value(TExportField::TotalCharge, QStringLiteral("n.nn")), QStringLiteral("128.25"));
    EXPECT_EQ(value(TExportField::TotalCharge, QStringLiteral("\u00A3n.nn")),
              QStringLiteral("$128.25"));
    // Times: a negative time and an end of 24:00 are midnight; noon on the 12-hour clock.
    line.StartTime = -30;
    line.EndTime = 2400;
    EXPECT_EQ(value(TExportField::StartTime, QStringLiteral("HH:mm")), QStringLiteral("00:00"));
    EXPECT_EQ(value(TExportField::EndTime, QStringLiteral("h:mm tt")), QStringLiteral("12:00 AM"));
    line.EndTime = 2450; // past the end of the day: the hour counts as 0, as on the screen
    EXPECT_EQ(value(TExportField::EndTime, QStringLiteral("HH:mm")), QStringLiteral("00:30"));
    line.StartTime = 1200;
    EXPECT_EQ(value(TExportField::StartTime, QStringLiteral("h tt")), QStringLiteral("12 PM"));
    EXPECT_EQ(value(TExportField::StartTime, QStringLiteral("ss")), QString());
    TLocalePin german(QStringLiteral("de_DE"));
    EXPECT_EQ(FormatNumberValue(0.75, QStringLiteral("x")), QStringLiteral("0,75"));
    EXPECT_EQ(FormatCurrencyValue(TMoney::FromUnits(455000), QStringLiteral("€n.nn")),
              QStringLiteral("€45,50"));
}

TEST_F(ExportEngine, PeriodsAroundADate) {
    const QDate wednesday(2024, 3, 6);
    EXPECT_EQ(PeriodDates(0, wednesday, 1), (TDateRange{QDate(2024, 3, 4), QDate(2024, 3, 10)}));
    EXPECT_EQ(PeriodDates(1, wednesday, 1), (TDateRange{QDate(2024, 2, 26), QDate(2024, 3, 3)}));
    EXPECT_EQ(PeriodDates(0, wednesday, 7), (TDateRange{QDate(2024, 3, 3), QDate(2024, 3, 9)}));
    EXPECT_EQ(PeriodDates(2, wednesday, 1), (TDateRange{QDate(2024, 3, 1), QDate(2024, 3, 31)}));
    EXPECT_EQ(PeriodDates(3, wednesday, 1), (TDateRange{QDate(2024, 2, 1), QDate(2024, 2, 29)}));
    EXPECT_EQ(PeriodDates(4, wednesday, 1), (TDateRange{QDate(2024, 1, 1), QDate(2024, 12, 31)}));
}

class ExportDataTest : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        PersonalSettings().UserName = QStringLiteral("mary");
        WriteFile(LocalDataPath() + QStringLiteral("2024-03.txt"),
                  "04 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN\tY\tY\r\n"
                  "05 Mar 2024\t1300\t1400\tBeta\tApp\tDev\tTesting\tsecond line\tN\tN\tY\r\n");
        WriteFile(ServerDataPath() + QStringLiteral("john/2024-03.txt"),
                  "06 Mar 2024\t0800\t0900\tGamma\tOps\tAdmin\tMail\t \tN\tY\tN\r\n");
        Format = TExportFormat();
        Format.AddField(TExportField::User);
        Format.AddField(TExportField::Client);
        Format.FileDir = MakeFolder(QStringLiteral("out"));
        Format.FileName = QStringLiteral("export.txt");
    }

    QString Output() const { return Format.FileDir + Format.FileName; }
    TExportFormat Format;
};

TEST_F(ExportDataTest, OwnDataForTheCurrentUserAndServerFoldersForOthers) {
    Format.Users = {QStringLiteral("mary")};
    ASSERT_EQ(ExportData(Format, QDate(2024, 3, 10), QDate(2024, 3, 1)), QString()); // swapped
    EXPECT_EQ(ReadFile(Output()), QByteArray("mary\tAcme\r\n")); // the second entry is not reported
    Format.Users = {QStringLiteral("john")};
    ASSERT_EQ(ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10)), QString());
    EXPECT_EQ(ReadFile(Output()), QByteArray("john\tGamma\r\n"));
}

TEST_F(ExportDataTest, NothingToExportWritesNothing) {
    Format.Users = {};
    EXPECT_EQ(ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10)), NothingToExportText);
    EXPECT_FALSE(QFile::exists(Output()));
}

TEST_F(ExportDataTest, FailedWriteKeepsTheOldFile) {
    Format.Users = {QStringLiteral("mary")};
    WriteFile(Output(), "old export");
    Format.FileName = QStringLiteral("missing/export.txt");
    const QString error = ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10));
    EXPECT_TRUE(error.startsWith(QStringLiteral("Unable to create \"") + Format.FileDir +
                                 QStringLiteral("missing/export.txt\": ")))
        << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("No such file or directory"))) << error.toStdString();
    MakeFolder(QStringLiteral("out/dir.txt"));
    Format.FileName = QStringLiteral("dir.txt");
    EXPECT_TRUE(ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10))
                    .startsWith(QStringLiteral("Unable")));
    EXPECT_EQ(ReadFile(Format.FileDir + QStringLiteral("export.txt")), QByteArray("old export"));
}

TEST_F(ExportDataTest, DefaultPeriodWhenNoDatesAreGiven) {
    Format.Users = {QStringLiteral("mary")};
    Format.Period = 2; // this month
    ASSERT_EQ(ExportData(Format, {}, {}, QDate(2024, 3, 20)), QString());
    EXPECT_EQ(ReadFile(Output()), QByteArray("mary\tAcme\r\n"));
    EXPECT_EQ(ExportData(Format, {}, {}, QDate(2024, 5, 20)), NothingToExportText);
}

TEST_F(ExportDataTest, UnreadableMonthLineNamesFileAndLine) {
    Format.Users = {QStringLiteral("mary")};
    WriteFile(LocalDataPath() + QStringLiteral("2024-03.txt"),
              "04 Mar 2024\t09x0\t1030\tA\tB\tC\tD\t \tN\tY\tY\r\n");
    const QString error = ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10));
    EXPECT_TRUE(error.contains(QStringLiteral("2024-03.txt"))) << error.toStdString();
    EXPECT_FALSE(QFile::exists(Output()));
}

TEST_F(ExportDataTest, AFileNameThatClimbsOutOfItsFolderIsRefused) {
    Format.Users = {QStringLiteral("mary")};
    Format.FormatName = QStringLiteral("Sneaky");
    const QString victim = Path(QStringLiteral(".bashrc"));
    WriteFile(victim, "export PATH\n");
    Format.FileName = QStringLiteral("../.bashrc");
    const QString error = ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10));
    EXPECT_TRUE(error.contains(QStringLiteral("\"Sneaky\""))) << error.toStdString();
    EXPECT_TRUE(error.contains(QStringLiteral("leads out of its folder")));
    Format.FileName = QStringLiteral("sub\\..\\..\\.bashrc");
    EXPECT_FALSE(ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10)).isEmpty());
    EXPECT_EQ(ReadFile(victim), QByteArray("export PATH\n"));
}

TEST_F(ExportDataTest, TheProgramsOwnDataFilesAreNeverExportedOver) {
    Format.Users = {QStringLiteral("mary")};
    const QString month = LocalDataPath() + QStringLiteral("2024-03.txt");
    const QByteArray monthBytes = ReadFile(month);
    WriteFile(Locations().LocalFolder + QStringLiteral("QHR.ini"), "[Setup]\r\n");
    WriteFile(ServerDataPath() + QStringLiteral("ClientProject.txt"), "Acme\tWeb\tY\r\n");
    WriteFile(ServerDataPath() + QStringLiteral("_ExportFormats/ef-Hours.txt"), "[Header]\r\n");
    const QStringList own{month,
                          Locations().LocalFolder + QStringLiteral("QHR.ini"),
                          ServerDataPath() + QStringLiteral("ClientProject.txt"),
                          ServerDataPath() + QStringLiteral("john/2024-03.txt"),
                          ServerDataPath() + QStringLiteral("_ExportFormats/ef-Hours.txt"),
                          LocalDataPath() + QStringLiteral("2024-03.txt_LCK")};
    for (const QString& path : own) {
        const QByteArray before = ReadFile(path);
        const QFileInfo target(path);
        Format.FileDir = target.absolutePath() + QLatin1Char('/');
        Format.FileName = target.fileName();
        const QString error = ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10));
        EXPECT_TRUE(error.contains(QStringLiteral("own data files"))) << path.toStdString();
        EXPECT_EQ(ReadFile(path), before) << path.toStdString();
    }
    EXPECT_EQ(ReadFile(month), monthBytes);
    // Through a link to the data folder too.
    ASSERT_TRUE(QFile::link(LocalDataPath(), Path(QStringLiteral("link"))));
    Format.FileDir = Path(QStringLiteral("link/"));
    Format.FileName = QStringLiteral("2024-03.txt");
    EXPECT_FALSE(ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10)).isEmpty());
    EXPECT_EQ(ReadFile(month), monthBytes);
    // Any other file of those folders is the user's to choose.
    Format.FileDir = LocalDataPath();
    Format.FileName = QStringLiteral("hours.csv");
    EXPECT_EQ(ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10)), QString());
    EXPECT_EQ(ReadFile(LocalDataPath() + QStringLiteral("hours.csv")), QByteArray("mary\tAcme\r\n"));
}

TEST_F(ExportDataTest, AFullDiskFailsTheExportWithTheReasonAndKeepsTheOldFile) {
    TScratchFileSystem scratch;
    const QString disk = MakeFolder(QStringLiteral("disk"));
    if (!scratch.MountTmpfs(disk, 256))
        GTEST_SKIP() << scratch.Failure().toStdString();
    Format.Users = {QStringLiteral("mary")};
    Format.FileDir = disk;
    WriteFile(Output(), "old export");
    ASSERT_TRUE(scratch.Fill(0));
    const QString error = ExportData(Format, QDate(2024, 3, 1), QDate(2024, 3, 10));
    EXPECT_TRUE(error.contains(QStringLiteral("No space left on device"))) << error.toStdString();
    EXPECT_EQ(ReadFile(Output()), QByteArray("old export"));
}
