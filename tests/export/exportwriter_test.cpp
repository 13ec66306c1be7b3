#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/parallelfor.h"
#include "base/textcodec.h"
#include "export/exportengine.h"
#include "export/exportrowmaker.h"
#include "export/exportvalues.h"
#include "export/exportwriter.h"
#include "localepin.h"
#include "reporting/reportdata.h"
#include "reporting/reportlines.h"
#include "sampledata/sampledata.h"
#include "sampleexportformat.h"
#include "storage/months/day.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {
using TResult = TExportWriter::TResult;

// The file the row-by-row rules give: the lines joined with line ends, Windows-1252 when every
// character fits, else UTF-8.
QByteArray PlainFile(const TExportFormat& format, const std::vector<TReportLine>& lines) {
    const QStringList rows = ExportLines(format, lines);
    return rows.isEmpty()
               ? QByteArray()
               : EncodeDataText(rows.join(QLatin1String("\r\n")) + QLatin1String("\r\n"));
}

TReportLine TextLine(const QString& client, const QString& remarks) {
    TReportLine line;
    line.User = QStringLiteral("mary");
    line.Date = QDate(2024, 3, 4);
    line.StartTime = 900;
    line.EndTime = 1000;
    line.Client = client;
    line.Remarks = remarks;
    line.RateText = QStringLiteral("--");
    return line;
}

TExportFormat Format(std::initializer_list<TExportField> fields) {
    return ExportFormatOf(fields);
}
} // namespace

class ExportWriter : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Output = MakeFolder(QStringLiteral("out")) + QStringLiteral("export.csv");
    }

    // Writes through small chunks, so that values cross chunk ends and some are longer than a
    // chunk, and checks the file against the row-by-row rules.
    void ExpectSameAsPlain(const TExportFormat& format, const std::vector<TReportLine>& lines,
                           std::size_t chunkBytes = 4096) {
        const QByteArray expected = PlainFile(format, lines);
        QFile::remove(Output);
        const TResult result = TExportWriter::WriteFile(format, lines, Output, chunkBytes);
        if (expected.isEmpty()) {
            EXPECT_EQ(result, TResult::NothingToExport);
            EXPECT_FALSE(QFile::exists(Output));
            return;
        }
        ASSERT_EQ(result, TResult::Written);
        const QByteArray written = ReadFile(Output);
        ASSERT_EQ(written.size(), expected.size());
        EXPECT_TRUE(written == expected);
    }

    QString Output;
};

// Generated month files: every month file read gives its texts their own copies, several users
// share names, some names do not fit Windows-1252, and remarks hold tabs and line breaks.
class ExportWriterOnSampleData : public ExportWriter {
protected:
    void SetUp() override {
        ExportWriter::SetUp();
        TSampleDataGenerator(11).WriteServerData(Path(QStringLiteral("Data/")), 8, 2024, 1, 3,
                                                 &Folders);
    }

    // The lines of the files as an export collects them (rate texts follow the locale).
    TReportLines Collect() const {
        const TReportDays days = CollectReportDays(QDate(2024, 1, 1), QDate(2024, 3, 31), Folders);
        TLineOptions options;
        options.WithUser = true;
        options.WithBillingCode = true;
        TReportLines lines;
        BuildReportLines(days, options, lines);
        return lines;
    }

    TExportFormat AllFields() const {
        TExportFormat format = EveryFieldExportFormat();
        format.Headings = false;
        format.BlankRows = 0;
        return format;
    }

    QStringList Folders;
};

TEST_F(ExportWriterOnSampleData, EveryFieldAndGroupAsTheRowByRowRulesGive) {
    TLocalePin pin(QStringLiteral("en_US"));
    const TReportLines lines = Collect();
    ASSERT_GT(lines.Count(), 1000);
    TExportFormat format = AllFields();
    format.Headings = true;
    format.BlankRows = 2;
    ExpectSameAsPlain(format, lines.Lines());

    // Time group first, a delimiter found in many values (either case) and merged columns.
    format.SetGroupOrder({QStringLiteral("Time Data Group"), QStringLiteral("Client Data Group")});
    format.Delimiter = 'e';
    format.DelimiterReplace = '#';
    TExportItem& date = *format.Items(TExportArea::Data)[1];
    date.FieldFormat = QStringLiteral("dddd d MMMM yyyy");
    date.FieldMergeFollowing = true;
    date.FieldSeparator = QStringLiteral(" at ");
    TExportItem& start = *format.Items(TExportArea::Data)[7];
    start.FieldFormat = QStringLiteral("hh:mm tt");
    start.FieldMergeFollowing = true;
    start.FieldSeparator = QStringLiteral(" - e - ");
    format.Items(TExportArea::Data)[2]->FieldFormat = QStringLiteral("Upper case");
    format.Items(TExportArea::Data)[4]->FieldFormat = QStringLiteral("Lower case");
    format.Items(TExportArea::Client)[1]->FieldFormat = QStringLiteral("Upper case");
    format.Items(TExportArea::Data)[9]->FieldFormat = QStringLiteral("n");
    format.Items(TExportArea::Data)[14]->FieldFormat = QStringLiteral("$n.nn");
    ExpectSameAsPlain(format, lines.Lines());
    TLocalePin german(QStringLiteral("de_DE")); // decimal commas, with a comma delimiter
    format.Delimiter = ',';
    ExpectSameAsPlain(format, Collect().Lines());
}

TEST_F(ExportWriterOnSampleData, RowsThatMayBeEmptyAndGroupsThatAreSkipped) {
    const TReportLines lines = Collect();
    TExportFormat format = Format({TExportField::Remarks});
    format.SetGroupOrder({QStringLiteral("Client Data Group"), QStringLiteral("Time Data Group")});
    format.AddItem(TExportItem::UserDefined(TExportArea::Client))->FieldValue = QString();
    format.Headings = true;
    format.BlankRows = 1;
    ExpectSameAsPlain(format, lines.Lines()); // empty rows dropped, the empty Client group kept
    format.SkipEmptyGroups = true;
    ExpectSameAsPlain(format, lines.Lines()); // and now left out
    ExpectSameAsPlain(format, {});
    format.SkipEmptyGroups = false;
    ExpectSameAsPlain(format, {}); // heading lines only
}

TEST_F(ExportWriterOnSampleData, ListGroupsWithColumnsThatNeverChange) {
    // Rows whose keys are all alike (a user-defined text) and rows that differ only in one
    // column: each distinct row once, however the lines repeat their keys.
    const TReportLines lines = Collect();
    TExportFormat format;
    format.SetGroupOrder(
        {QStringLiteral("Client Data Group"), QStringLiteral("Category Data Group")});
    format.AddItem(TExportItem::UserDefined(TExportArea::Client))->FieldValue =
        QStringLiteral("fixed");
    format.AddField(TExportField::ClientList);
    format.AddItem(TExportItem::UserDefined(TExportArea::Category))->FieldValue =
        QStringLiteral("only");
    ExpectSameAsPlain(format, lines.Lines());
    const std::vector<TReportLine> repeated(50, lines[0]);
    ExpectSameAsPlain(format, repeated);
}

TEST_F(ExportWriter, ManyDistinctValuesAreDroppedAndCollectedAgain) {
    // More distinct values than a column keeps: its values are numbered afresh mid-way.
    // (The first lines repeat one value, so that this happens amid a batch of rows.)
    std::vector<TReportLine> lines(5, TextLine(QStringLiteral("First"), QStringLiteral("first")));
    for (int i = 0; i < 40000; ++i)
        lines.push_back(TextLine(QStringLiteral("Client %1").arg(i % 35000),
                                 QStringLiteral("Remark %1").arg(i)));
    lines.push_back(TextLine(QStringLiteral("client 7"), QStringLiteral("again"))); // case only
    TExportFormat format =
        Format({TExportField::ClientList, TExportField::Remarks, TExportField::Client});
    format.SetGroupOrder({QStringLiteral("Client Data Group"), QStringLiteral("Time Data Group")});
    ExpectSameAsPlain(format, lines, TExportOutput::DefaultChunkBytes);
}

// Days and times index their values directly from the first day met on; days years before or
// after it, and times past the end of a day, are looked up another way and must give the same
// values, also when they come between days that are looked up directly.
TEST_F(ExportWriter, DaysAndTimesFarFromTheFirstOnesMet) {
    std::vector<TReportLine> lines;
    const std::vector<QDate> days{QDate(2024, 3, 4),   QDate(1990, 1, 1), QDate(2024, 3, 5),
                                  QDate(2080, 6, 30),  QDate(2024, 3, 4), QDate(1990, 1, 1),
                                  QDate(2023, 12, 31), QDate(2080, 6, 30)};
    for (std::size_t i = 0; i < 40; ++i) {
        TReportLine line = TextLine(QStringLiteral("Acme"), QString());
        line.Date = days[i % days.size()];
        line.StartTime = int(i * 37 % 2400);
        line.EndTime = i % 5 == 0 ? 99999 : line.StartTime + 25;
        lines.push_back(line);
    }
    ExpectSameAsPlain(Format({TExportField::Date, TExportField::StartTime, TExportField::EndTime,
                              TExportField::Client}),
                      lines);
}

TEST_F(ExportWriter, WindowsCodePageWhileEveryCharacterFits) {
    TExportFormat format = Format({TExportField::Client, TExportField::Remarks});
    std::vector<TReportLine> lines{TextLine(QStringLiteral("Café Zoë"), QStringLiteral("€ 5"))};
    ASSERT_EQ(TExportWriter::WriteFile(format, lines, Output), TResult::Written);
    EXPECT_EQ(ReadFile(Output), QByteArray("Caf\xE9 Zo\xEB\t\x80 5\r\n"));
}

TEST_F(ExportWriter, RowsWhoseWindowsBytesWouldReadAsUtf8AreWrittenAsUtf8) {
    TExportFormat format = Format({TExportField::Client, TExportField::Remarks});
    // "É’" is C9 92 in Windows-1252, which is valid UTF-8 for another character.
    std::vector<TReportLine> lines(300, TextLine(QStringLiteral("Acme"), QStringLiteral("plain")));
    lines.push_back(TextLine(QStringLiteral("É’"), QStringLiteral("x")));
    ASSERT_EQ(TExportWriter::WriteFile(format, lines, Output, 64), TResult::Written);
    const QByteArray written = ReadFile(Output);
    EXPECT_TRUE(written.endsWith(QStringLiteral("É’\tx\r\n").toUtf8()));
    EXPECT_EQ(DecodeDataText(written), QString::fromUtf8(written));
    lines.push_back(TextLine(QStringLiteral("Café"), QStringLiteral("x"))); // E9 and a tab: not UTF-8
    ASSERT_EQ(TExportWriter::WriteFile(format, lines, Output), TResult::Written);
    EXPECT_TRUE(ReadFile(Output).endsWith(QByteArray("Caf\xE9\tx\r\n")));
}

// Rows are put into room for the longest row their columns can make; a very long value must
// not make every row after it take a chunk of its own.
TEST_F(ExportWriter, AVeryLongValueKeepsTheRowsAfterItTogether) {
    TExportFormat format = Format({TExportField::Client, TExportField::Remarks});
    const QString longRemark(int(TEncodedRows::ChunkBytes) + 1000, QLatin1Char('r'));
    std::vector<TReportLine> lines{TextLine(QStringLiteral("Acme"), longRemark)};
    for (int i = 0; i < 2000; ++i)
        lines.push_back(TextLine(QStringLiteral("Acme"), QStringLiteral("short %1").arg(i)));
    TExportPiece piece;
    TExportRowMaker(format).Add(lines, piece);
    EXPECT_LE(piece.TimeRows.Chunks().size(), 4U);
    std::string bytes;
    for (const std::string_view chunk : piece.TimeRows.Chunks())
        bytes += chunk;
    EXPECT_EQ(QByteArray::fromStdString(bytes), PlainFile(format, lines));
}

TEST_F(ExportWriter, FirstCharacterThatDoesNotFitMakesTheWholeFileUtf8) {
    TExportFormat format = Format({TExportField::Client});
    std::vector<TReportLine> lines(200, TextLine(QStringLiteral("Café"), {}));
    lines.push_back(TextLine(QStringLiteral("Łódź"), {}));
    const QByteArray expected =
        QByteArray("Caf\xC3\xA9\r\n").repeated(200) + QByteArray("\xC5\x81\xC3\xB3"
                                                                 "d\xC5\xBA\r\n");
    // The rows made before the last one are turned into UTF-8, whether the file is written in
    // one chunk or in many.
    ASSERT_EQ(TExportWriter::WriteFile(format, lines, Output), TResult::Written);
    EXPECT_EQ(ReadFile(Output), expected);
    ASSERT_EQ(TExportWriter::WriteFile(format, lines, Output, 64), TResult::Written);
    EXPECT_EQ(ReadFile(Output), expected);
    EXPECT_EQ(QDir(FolderOf(Output)).entryList(QDir::Files),
              QStringList({QStringLiteral("export.csv")}));
}

TEST_F(ExportWriter, AHeadingThatDoesNotFitMakesTheFileUtf8) {
    TExportFormat format = Format({TExportField::Client, TExportField::Remarks});
    format.Headings = true;
    format.Items(TExportArea::Data)[0]->FieldHeading = QStringLiteral("Klient \u0141\u00F3d\u017A");
    const std::vector<TReportLine> lines{
        TextLine(QStringLiteral("Caf\u00E9"), QStringLiteral("x"))};
    ExpectSameAsPlain(format, lines);
    EXPECT_TRUE(ReadFile(Output).contains("Caf\xC3\xA9")); // the rows in UTF-8 too
    format.Headings = false;
    ExpectSameAsPlain(format, lines);
    EXPECT_TRUE(ReadFile(Output).contains("Caf\xE9\t")); // Windows-1252 without the heading
}

TEST_F(ExportWriter, NothingToWriteOrNoFolderLeavesNoFile) {
    TExportFormat format = Format({TExportField::Client});
    format.SkipEmptyGroups = true;
    WriteFile(Output, "old");
    EXPECT_EQ(TExportWriter::WriteFile(format, std::vector<TReportLine>{}, Output),
              TResult::NothingToExport);
    EXPECT_EQ(ReadFile(Output), QByteArray("old"));
    const std::vector<TReportLine> lines{TextLine(QStringLiteral("Acme"), {})};
    EXPECT_EQ(
        TExportWriter::WriteFile(format, lines, Path(QStringLiteral("missing/export.csv")), 4),
        TResult::Failed);
    EXPECT_FALSE(QFile::exists(Path(QStringLiteral("missing"))));
    EXPECT_EQ(QDir(FolderOf(Output)).entryList(QDir::Files),
              QStringList({QStringLiteral("export.csv")}));
}

// The whole export, made month by month in parallel, against the plain rules over all the
// period's lines: the Client and Category groups come first, so their rows are joined from
// every month before the Time rows are written, and a name that does not fit Windows-1252 in
// one month makes every month's rows UTF-8.
class ExportDataOnSampleData : public ExportWriter {
protected:
    void SetUp() override {
        ExportWriter::SetUp();
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        PersonalSettings().UserName = QStringLiteral("nobody");
        TSampleDataGenerator(23).WriteServerData(ServerDataPath(), 6, 2024, 1, 4, nullptr);
        Format = EveryFieldExportFormat();
        for (int user = 1; user <= 6; ++user)
            Format.Users.append(TSampleDataGenerator::UserName(user));
        Format.FileDir = FolderOf(Output);
        Format.FileName = QStringLiteral("export.csv");
    }
    // The file of all the period's lines at once, from the lines under the format's filters.
    QByteArray Expected(QDate from, QDate to) const {
        QStringList folders;
        for (const QString& user : Format.Users)
            folders.append(ServerDataPath() + user + QLatin1Char('/'));
        TLineOptions options;
        options.WithUser = true;
        options.WithBillingCode = true;
        options.ClientFilter = Format.Client;
        options.ProjectFilter = Format.Project;
        options.Charging = Format.Charging;
        options.ExcludeOvertime = !Format.Overtime;
        TReportLines lines;
        BuildReportLines(CollectReportDays(from, to, folders), options, lines);
        return PlainFile(Format, lines.Lines());
    }

    TExportFormat Format;
};

TEST_F(ExportDataOnSampleData, MonthByMonthGivesTheFileOfAllLinesAtOnce) {
    TLocalePin pin(QStringLiteral("en_US"));
    const QDate from(2024, 1, 17);
    const QDate to(2024, 4, 9);
    const QByteArray expected = Expected(from, to);
    ASSERT_GT(expected.size(), 10000);
    for (const std::size_t threads : {1u, 2u, 3u}) {
        SetParallelThreads(threads);
        ASSERT_EQ(ExportData(Format, from, to), QString());
        const QByteArray written = ReadFile(Output);
        ASSERT_EQ(written.size(), expected.size()) << threads << " threads";
        EXPECT_TRUE(written == expected) << threads << " threads";
    }
}

TEST_F(ExportDataOnSampleData, CaseVariantsAndWideCharactersMetInLaterMonths) {
    TLocalePin pin(QStringLiteral("en_US"));
    // A client first met in February in lower case and in March as it is elsewhere, and a
    // name that needs UTF-8 only in April.
    const QString february = ServerDataPath() + Format.Users[0] + QStringLiteral("/2024-02.txt");
    const QString april = ServerDataPath() + Format.Users[1] + QStringLiteral("/2024-04.txt");
    WriteFile(february, ReadFile(february) +
                            "29 Feb 2024\t0700\t0800\tzeta\tWeb\tDev\tCoding\t \tN\tY\tY\r\n");
    QFile::remove(ServerDataPath() + Format.Users[2] + QStringLiteral("/2024-03.txt"));
    WriteFile(ServerDataPath() + Format.Users[2] + QStringLiteral("/2024-03.txt"),
              "01 Mar 2024\t0700\t0800\tZETA\tWeb\tDev\tCoding\t \tN\tY\tY\r\n");
    WriteFile(april, "\xEF\xBB\xBF" // UTF-8
                     "02 Apr 2024\t0700\t0800\t\xC5\x81\xC3\xB3"
                     "d\xC5\xBA\tWeb\tDev\tCoding\t \tN\tY\tY\r\n");
    const QByteArray expected = Expected(QDate(2024, 1, 1), QDate(2024, 4, 30));
    ASSERT_TRUE(expected.contains("\nzeta\tWeb\r\n")); // the Client group's row
    ASSERT_FALSE(expected.contains("\nZETA\tWeb\r\n"));
    ASSERT_TRUE(expected.contains("\xC5\x81\xC3\xB3"));
    SetParallelThreads(2);
    ASSERT_EQ(ExportData(Format, QDate(2024, 1, 1), QDate(2024, 4, 30)), QString());
    EXPECT_TRUE(ReadFile(Output) == expected);
}

TEST_F(ExportDataOnSampleData, TheEarliestUnreadableMonthIsReported) {
    const QString user = ServerDataPath() + Format.Users[3] + QLatin1Char('/');
    WriteFile(user + QStringLiteral("2024-02.txt"),
              "03 Feb 2024\t0x00\t0800\tA\tB\tC\tD\t \tN\tY\tY\r\n");
    WriteFile(user + QStringLiteral("2024-04.txt"),
              "03 Apr 2024\t0x00\t0800\tA\tB\tC\tD\t \tN\tY\tY\r\n");
    WriteFile(Output, "old");
    SetParallelThreads(2);
    for (int round = 0; round < 5; ++round) {
        const QString error = ExportData(Format, QDate(2024, 1, 1), QDate(2024, 4, 30));
        EXPECT_TRUE(error.contains(QStringLiteral("2024-02.txt"))) << error.toStdString();
    }
    EXPECT_EQ(ReadFile(Output), QByteArray("old"));
}

TEST_F(ExportDataOnSampleData, TheFormatsFiltersChooseTheEntries) {
    TLocalePin pin(QStringLiteral("en_US"));
    const QDate from(2024, 2, 1);
    const QDate to(2024, 3, 31);
    const QByteArray all = Expected(from, to);
    Format.Overtime = false;
    for (const TCharging charging : {TCharging::ChargeableOnly, TCharging::NotChargeableOnly}) {
        Format.Charging = charging;
        const QByteArray expected = Expected(from, to);
        ASSERT_GT(expected.size(), 1000);
        ASSERT_LT(expected.size(), all.size());
        ASSERT_EQ(ExportData(Format, from, to), QString());
        EXPECT_TRUE(ReadFile(Output) == expected) << "charging " << static_cast<int>(charging);
    }
    // A client filter that matches no entry: with empty groups skipped there is nothing to
    // export and the file stays as it was; otherwise every group is its empty heading line.
    Format.Charging = TCharging::IncludeAll;
    Format.Client = QStringLiteral("No such client");
    Format.SkipEmptyGroups = true;
    WriteFile(Output, "old");
    EXPECT_EQ(ExportData(Format, from, to), NothingToExportText);
    EXPECT_EQ(ReadFile(Output), QByteArray("old"));
    Format.SkipEmptyGroups = false;
    ASSERT_EQ(ExportData(Format, from, to), QString());
    EXPECT_EQ(ReadFile(Output), QByteArray("\r\n\r\n\r\n\r\n\r\n"));
}

// The output fails when a text does not fit its encoding after chunks reached the temporary
// file: the existing file is kept and no temporary file is left.
TEST_F(ExportWriter, AFailedWriteKeepsTheExistingFile) {
    WriteFile(Output, "old export");
    {
        TExportOutput output(Output, TExportOutput::TEncoding::Windows1252, 16);
        for (int i = 0; i < 20; ++i) {
            output.Append(QStringLiteral("Acme"));
            output.AppendLineEnd();
        }
        output.Append(QStringLiteral("\u0141\u00F3d\u017A"));
        EXPECT_EQ(output.Finish(), TExportOutput::TResult::Failed);
    }
    EXPECT_EQ(ReadFile(Output), QByteArray("old export"));
    EXPECT_EQ(QDir(FolderOf(Output)).entryList(QDir::Files | QDir::Hidden),
              QStringList({QStringLiteral("export.csv")}));
}

// The size expected beforehand only takes room on the disk: whether it is too large or too
// small, the file holds exactly what was appended.
TEST_F(ExportWriter, TheExpectedSizeDoesNotChangeTheFile) {
    for (const std::size_t expected : {std::size_t(0), std::size_t(10), std::size_t(1) << 20}) {
        {
            TExportOutput output(Output, TExportOutput::TEncoding::Windows1252, 16);
            output.ExpectSize(expected);
            for (int i = 0; i < 20; ++i) {
                output.Append(QStringLiteral("Acme"));
                output.AppendLineEnd();
            }
            EXPECT_EQ(output.Finish(), TExportOutput::TResult::Written);
        }
        EXPECT_EQ(ReadFile(Output), QByteArray("Acme\r\n").repeated(20)) << expected;
        EXPECT_EQ(QFileInfo(Output).size(), 120) << expected;
    }
}
