#include "base/datalocations.h"
#include "base/messages.h"
#include "base/parallelfor.h"
#include "localepin.h"
#include "reporting/reportdata.h"
#include "reporting/reportentry.h"
#include "reporting/reportlines.h"
#include "sampledata/sampledata.h"
#include "storage/months/billing.h"
#include "storage/months/block.h"
#include "storage/months/datalineerror.h"
#include "storage/months/day.h"
#include "storage/months/month.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <gtest/gtest.h>

namespace {
// One month line as the program writes it: date, start, end (HHMM), the four names, remarks,
// overtime, reported, chargeable and the billing text.
struct TLine {
    const char* Date;
    const char* Start = "0900";
    const char* End = "1000";
    const char* Client = "Acme";
    const char* Project = "Web";
    const char* Category = "Dev";
    const char* Activity = "Coding";
    const char* Remarks = " ";
    const char* OverTime = "N";
    const char* Reported = "Y";
    const char* Chargeable = "Y";
    const char* Billing = "";

    QByteArray Text() const {
        QByteArray text;
        for (const char* field : {Date, Start, End, Client, Project, Category, Activity, Remarks,
                                  OverTime, Reported, Chargeable})
            text += QByteArray(field) + '\t';
        return text + Billing + "\r\n";
    }
};

QStringList DatesOf(const TReportDays& days) {
    QStringList dates;
    for (const auto& day : days)
        dates.append(day->Date.toString(Qt::ISODate));
    return dates;
}

int BlockCount(const TReportDays& days) {
    int count = 0;
    for (const auto& day : days)
        count += static_cast<int>(day->Blocks.size());
    return count;
}
} // namespace

class ReportData : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Server = MakeFolder(QStringLiteral("server/Data"));
    }

    // Writes the lines into the user's month file on the server; returns the user's folder.
    QString WriteMonth(const QString& user, const char* monthFile,
                       std::initializer_list<TLine> lines) {
        const QString folder = Server + user + QLatin1Char('/');
        QByteArray bytes;
        for (const TLine& line : lines)
            bytes += line.Text();
        WriteFile(folder + QString::fromLatin1(monthFile), bytes);
        return folder;
    }

    // Days of one user with the given lines in March 2024.
    TReportDays MarchDays(std::initializer_list<TLine> lines) {
        const QString folder = WriteMonth(QStringLiteral("ann"), "2024-03.txt", lines);
        return CollectReportDays(QDate(2024, 3, 1), QDate(2024, 3, 31), QStringList{folder});
    }

    // The check's answer, with what it would show.
    QString CheckReason(const TReportDays& days, bool showMessages = false) {
        QString reason = QStringLiteral("not set");
        const bool ok = CheckReportDays(days, showMessages, reason);
        EXPECT_EQ(ok, reason.isEmpty());
        return reason;
    }

    TReportLines Lines(const TReportDays& days, const TLineOptions& options) {
        TReportLines lines;
        BuildReportLines(days, options, lines);
        return lines;
    }

    QString Server;
};

TEST_F(ReportData, CollectsEveryDateOfThePeriodAcrossAMonthEnd) {
    const QString folder =
        WriteMonth(QStringLiteral("ann"), "2024-01.txt", {{"29 Jan 2024"}, {"31 Jan 2024"}});
    WriteMonth(QStringLiteral("ann"), "2024-02.txt", {{"01 Feb 2024"}, {"03 Feb 2024"}});
    const TReportDays days =
        CollectReportDays(QDate(2024, 1, 30), QDate(2024, 2, 2), QStringList{folder});
    EXPECT_EQ(DatesOf(days), QStringList({"2024-01-30", "2024-01-31", "2024-02-01", "2024-02-02"}));
    EXPECT_TRUE(days[0]->Blocks.empty());
    ASSERT_EQ(days[1]->Blocks.size(), 1u);
    ASSERT_EQ(days[2]->Blocks.size(), 1u);
    EXPECT_EQ(days[1]->Blocks[0]->UserName, QStringLiteral("ann"));
    EXPECT_EQ(BlockCount(days), 2);

    const TReportDays backwards =
        CollectReportDays(QDate(2024, 2, 2), QDate(2024, 1, 30), QStringList{folder});
    EXPECT_EQ(DatesOf(backwards), DatesOf(days));
    EXPECT_EQ(BlockCount(backwards), 2);
}

TEST_F(ReportData, AYearHasADayForEveryDate) {
    const QString folder = WriteMonth(QStringLiteral("ann"), "2024-12.txt", {{"31 Dec 2024"}});
    const TReportDays days =
        CollectReportDays(QDate(2024, 1, 1), QDate(2024, 12, 31), QStringList{folder});
    ASSERT_EQ(days.size(), 366u);
    for (std::size_t i = 1; i < days.size(); ++i)
        EXPECT_EQ(days[i - 1]->Date.addDays(1), days[i]->Date);
    EXPECT_EQ(days.back()->Blocks.size(), 1u);
    const TReportDays oneDay =
        CollectReportDays(QDate(2024, 12, 31), QDate(2024, 12, 31), QStringList{folder});
    ASSERT_EQ(oneDay.size(), 1u);
    EXPECT_EQ(oneDay[0]->Blocks.size(), 1u);
}

TEST_F(ReportData, EveryUserFolderAddsItsBlocksUnderItsName) {
    const QString ann =
        WriteMonth(QStringLiteral("ann"), "2024-03.txt", {{"04 Mar 2024", "0900", "1000"}});
    const QString bob =
        WriteMonth(QStringLiteral("bob"), "2024-03.txt", {{"04 Mar 2024", "0800", "0900"}});
    // A user without a file for the month has no blocks; a folder may come without its
    // trailing separator.
    const QString cy = MakeFolder(QStringLiteral("server/Data/cy"));
    const QString bobWithout = bob.chopped(1);
    const TReportDays days =
        CollectReportDays(QDate(2024, 3, 4), QDate(2024, 3, 4), QStringList{ann, cy, bobWithout});
    ASSERT_EQ(days.size(), 1u);
    ASSERT_EQ(days[0]->Blocks.size(), 2u);
    EXPECT_EQ(days[0]->Blocks[0]->UserName, QStringLiteral("ann"));
    EXPECT_EQ(days[0]->Blocks[1]->UserName, QStringLiteral("bob"));
    EXPECT_EQ(days[0]->Blocks[1]->StartTime, 800);
}

TEST_F(ReportData, WithoutUsersTheCurrentUsersOwnDataIsRead) {
    Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
    PersonalSettings().UserName = QStringLiteral("Dana");
    WriteFile(Path(QStringLiteral("local/Data/2024-03.txt")), TLine{"05 Mar 2024"}.Text());
    const TReportDays days = CollectReportDays(QDate(2024, 3, 5), QDate(2024, 3, 6));
    ASSERT_EQ(days.size(), 2u);
    ASSERT_EQ(days[0]->Blocks.size(), 1u);
    EXPECT_EQ(days[0]->Blocks[0]->UserName, QStringLiteral("Dana"));
}

TEST_F(ReportData, NoUsersOrNoValidPeriod) {
    const TReportDays noUsers =
        CollectReportDays(QDate(2024, 3, 1), QDate(2024, 3, 3), QStringList());
    EXPECT_EQ(DatesOf(noUsers), QStringList({"2024-03-01", "2024-03-02", "2024-03-03"}));
    EXPECT_EQ(BlockCount(noUsers), 0);
    EXPECT_TRUE(CollectReportDays(QDate(), QDate(2024, 3, 3), QStringList()).empty());
    TReportLines lines;
    EXPECT_EQ(CollectReportDays(QDate(2024, 3, 3), QDate(2024, 3, 1), QStringList(), TLineOptions(),
                                lines)
                  .size(),
              3u);
    EXPECT_EQ(lines.Count(), 0);
}

TEST_F(ReportData, AnUnreadableLineNamesFileAndLine) {
    const QString folder = WriteMonth(QStringLiteral("ann"), "2024-03.txt",
                                      {{"04 Mar 2024"}, {"05 Mar 2024", "09x0"}});
    try {
        CollectReportDays(QDate(2024, 3, 1), QDate(2024, 3, 31), QStringList{folder});
        FAIL() << "no error raised";
    } catch (const EDataLineError& error) {
        EXPECT_EQ(error.FileName(), folder + QStringLiteral("2024-03.txt"));
        EXPECT_EQ(error.Line(), 2);
    }
}

TEST_F(ReportData, CheckStopsAtTheFirstWorkingDayWithMissingTaskInformation) {
    TLocalePin pin(QStringLiteral("en_GB"));
    // Saturday 2 March without activity does not count; Tuesday 5 March does, and is named
    // before Thursday 7 March.
    const TReportDays days = MarchDays({{"02 Mar 2024", "0900", "1000", "Acme", "Web", "Dev", " "},
                                        {"05 Mar 2024", "0900", "1000", " "},
                                        {"07 Mar 2024", "0900", "1000", "Acme", " "}});
    EXPECT_EQ(CheckReason(days), QStringLiteral("Tuesday 05/03/2024 has missing task information"));
    EXPECT_TRUE(Messages->Shown.empty());
    EXPECT_EQ(CheckReason(days, true),
              QStringLiteral("Tuesday 05/03/2024 has missing task information"));
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Warning);
    EXPECT_EQ(Messages->Shown[0].Buttons, mbOK);

    // A block left out of reports is still checked.
    const TReportDays hidden =
        MarchDays({{"08 Mar 2024", "0900", "1000", "Acme", "Web", "Dev", " ", " ", "N", "N"}});
    EXPECT_EQ(CheckReason(hidden),
              QStringLiteral("Friday 08/03/2024 has missing task information"));
    const TReportDays weekend =
        MarchDays({{"02 Mar 2024", "0900", "1000", "Acme", "Web", "Dev", " "}});
    EXPECT_EQ(CheckReason(weekend), QString());
}

TEST_F(ReportData, CheckWantsDaysAndSomeBlock) {
    EXPECT_EQ(CheckReason(TReportDays()), QStringLiteral("There are no days to report"));
    EXPECT_EQ(CheckReason(MarchDays({})), QStringLiteral("There are no hours to report"));
    EXPECT_EQ(CheckReason(MarchDays({}), true), QStringLiteral("There are no hours to report"));
    EXPECT_EQ(Messages->Shown.size(), 1u);
    // Any block at all will do: one on a Sunday, left out of reports.
    EXPECT_EQ(CheckReason(MarchDays({{"03 Mar 2024", "0900", "1000", "Acme", "Web", "Dev", "Coding",
                                      " ", "N", "N"}})),
              QString());
}

TEST_F(ReportData, FiltersOfTheLines) {
    const TReportDays days = MarchDays({
        {"04 Mar 2024", "0800", "0900", "ACME"},
        {"04 Mar 2024", "0900", "1000", "Acme Ltd"},
        {"04 Mar 2024", "1000", "1100", "acme", "App"},
        {"04 Mar 2024", "1100", "1200", "Acme", "Web", "Dev", "Coding", " ", "Y"},
        {"04 Mar 2024", "1200", "1300", "Acme", "Web", "Dev", "Coding", " ", "N", "Y", "N"},
        {"04 Mar 2024", "1300", "1400", "Acme", "Web", "Dev", "Coding", " ", "N", "N"},
    });
    const auto startsOf = [this, &days](const TLineOptions& options) {
        QList<int> starts;
        const TReportLines lines = Lines(days, options);
        for (const TReportLine& line : lines.Lines())
            starts.append(line.StartTime);
        return starts;
    };
    TLineOptions options; // every reported block, each a line
    EXPECT_EQ(startsOf(options), QList<int>({800, 900, 1000, 1100, 1200}));
    options.ClientFilter = QStringLiteral("acme");
    EXPECT_EQ(startsOf(options), QList<int>({800, 1000, 1100, 1200}));
    options.ProjectFilter = QStringLiteral("WEB");
    EXPECT_EQ(startsOf(options), QList<int>({800, 1100, 1200}));
    options.ExcludeOvertime = true;
    EXPECT_EQ(startsOf(options), QList<int>({800, 1200}));
    options.Charging = TCharging::NotChargeableOnly;
    EXPECT_EQ(startsOf(options), QList<int>({1200}));
    options.Charging = TCharging::ChargeableOnly;
    EXPECT_EQ(startsOf(options), QList<int>({800}));
    options = {};
    options.OvertimeOnly = true;
    EXPECT_EQ(startsOf(options), QList<int>({1100}));
}

TEST_F(ReportData, ConsolidatedLinesDropTheRemarks) {
    const TReportDays days = MarchDays({
        {"04 Mar 2024", "0900", "1000", "Acme", "Web", "Dev", "Coding", "First call"},
        {"06 Mar 2024", "0900", "0920", "Acme", "Web", "Dev", "Coding", "Second call"},
    });
    TLineOptions options;
    const TReportLines separate = Lines(days, options);
    ASSERT_EQ(separate.Count(), 2);
    EXPECT_EQ(separate[0].Remarks, QStringLiteral("First call"));
    EXPECT_EQ(separate[1].DayHours[3], 20.0 / 60.0);
    options.Consolidate = true;
    const TReportLines merged = Lines(days, options);
    ASSERT_EQ(merged.Count(), 1);
    EXPECT_EQ(merged[0].Remarks, QString());
    EXPECT_EQ(merged[0].Date, QDate(2024, 3, 4));
    EXPECT_DOUBLE_EQ(merged[0].DayHours[1], 1);
    EXPECT_DOUBLE_EQ(merged[0].DayHours[3], 20.0 / 60.0);
}

// A block of one task on day, from start to end (hundredths of an hour).
TBlock& AddTaskBlock(TDay& day, int start, int end, const QString& client) {
    TBlock& block = day.AddBlock(start, end);
    block.Reportable = true;
    block.Chargeable = true;
    block.Client = client;
    block.Project = QStringLiteral("Web");
    block.Category = QStringLiteral("Dev");
    block.Activity = QStringLiteral("Coding");
    return block;
}

TEST_F(ReportData, ConsolidatedHoursAreExactWhateverTheOrderOfTheBlocks) {
    // Ten blocks of six minutes, every other one overtime: one hour exactly, where adding the
    // tenths one after the other would fall short by a rounding step.
    TDay forward(QDate(2024, 3, 5));
    TDay backward(QDate(2024, 3, 5));
    for (int i = 0; i < 10; ++i) {
        AddTaskBlock(forward, 800 + 10 * i, 810 + 10 * i, QStringLiteral("Acme")).OverTime =
            i % 2 == 1;
        AddTaskBlock(backward, 890 - 10 * i, 900 - 10 * i, QStringLiteral("ACME")).OverTime =
            i % 2 == 0;
    }
    TLineOptions options;
    options.Consolidate = true;
    TReportLines one;
    BuildReportLines(forward, options, one);
    TReportLines other;
    BuildReportLines(backward, options, other);
    ASSERT_EQ(one.Count(), 1);
    ASSERT_EQ(other.Count(), 1);
    EXPECT_EQ(one[0].DayHours[2], 1.0);
    EXPECT_EQ(one[0].TotalHours(), 1.0);
    EXPECT_EQ(one[0].NormalHours, 0.5);
    EXPECT_EQ(one[0].OvertimeHours, 0.5);
    EXPECT_EQ(one[0].BlockCount, 10);
    EXPECT_EQ(other[0].DayHours, one[0].DayHours);
    EXPECT_EQ(other[0].NormalHours, one[0].NormalHours);
    EXPECT_EQ(other[0].Client, QStringLiteral("ACME"));
    EXPECT_EQ(other[0].StartTime, 890);
}

TEST_F(ReportData, TasksOfMoreRatesThanTheQuickKeysHoldStillConsolidate) {
    // Past 65,535 distinct rates a block's task no longer fits the quick key: such blocks go
    // to their lines one by one, into the same lines as the others. 1.0001 is written "1.00"
    // like 1.0000, so its blocks belong to the line of the first block.
    const auto addRated = [](TDay& day, int start, int end, const QString& client,
                             std::int64_t rateUnits) -> TBlock& {
        TBlock& block = AddTaskBlock(day, start, end, client);
        block.BillingInfo =
            std::make_unique<TBillingInfo>(bcHourlyRate, rsCase, TMoney::FromUnits(rateUnits));
        return block;
    };
    TDay day(QDate(2024, 3, 4));
    addRated(day, 800, 900, QStringLiteral("Early"), 10000);
    for (int i = 0; i < 66000; ++i)
        addRated(day, 900, 901, QStringLiteral("filler"), 20000 + std::int64_t{i} * 100);
    addRated(day, 1000, 1050, QStringLiteral("Late"), 10000000);
    addRated(day, 1100, 1150, QStringLiteral("LATE"), 10000000).OverTime = true;
    addRated(day, 1200, 1210, QStringLiteral("early"), 10001);
    TLineOptions options;
    options.Consolidate = true;
    TReportLines lines;
    BuildReportLines(day, options, lines);
    ASSERT_EQ(lines.Count(), 66002);
    // Lines come in the order of their first blocks, whichever way the blocks went.
    int outOfOrder = 0;
    for (int i = 0; i < 66000; ++i)
        outOfOrder +=
            lines[i + 1].RateText != FormatMoney(TMoney::FromUnits(20000 + std::int64_t{i} * 100));
    EXPECT_EQ(outOfOrder, 0);
    EXPECT_EQ(lines[0].Client, QStringLiteral("Early"));
    EXPECT_EQ(lines[0].RateText, QStringLiteral("1.00"));
    EXPECT_EQ(lines[0].NormalHours, 66.0 / 60.0);
    EXPECT_EQ(lines[0].BlockCount, 2);
    EXPECT_EQ(lines[0].Amount, TMoney::FromUnits(10000 + 1000));
    const TReportLine& late = lines[66001];
    EXPECT_EQ(late.Client, QStringLiteral("Late"));
    EXPECT_EQ(late.NormalHours, 0.5);
    EXPECT_EQ(late.OvertimeHours, 0.5);
    EXPECT_EQ(late.DayHours[1], 1.0);
    EXPECT_EQ(late.BlockCount, 2);
}

TEST_F(ReportData, NamesReadFromFilesAndNamesMadeElsewhereConsolidateTogether) {
    // Names read from files are numbered by the name store, others by the lines' own
    // numbering; blocks of equal names belong to one line either way, with exact hours. The
    // file gives clock times, AddTaskBlock hundredths of an hour.
    TReportDays days = MarchDays({{"05 Mar 2024", "0800", "0810"},
                                  {"05 Mar 2024", "0810", "0820", "Other"},
                                  {"05 Mar 2024", "0820", "0830"}});
    ASSERT_EQ(days[4]->Blocks.size(), 3u);
    const QString acme = QStringLiteral("Ac") + QStringLiteral("me"); // an ordinary string
    for (int i = 0; i < 7; ++i)
        AddTaskBlock(*days[4], 900 + 10 * i, 910 + 10 * i, acme);
    TLineOptions options;
    options.Consolidate = true;
    const TReportLines lines = Lines(days, options);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[0].Client, QStringLiteral("Acme"));
    EXPECT_EQ(lines[0].StartTime, 800);
    EXPECT_EQ(lines[0].BlockCount, 9);
    EXPECT_EQ(lines[0].DayHours[2], (2 * 10 + 7 * 6) / 60.0); // minutes
    EXPECT_EQ(lines[1].Client, QStringLiteral("Other"));
    EXPECT_EQ(lines[1].BlockCount, 1);
}

TEST_F(ReportData, UsersAndBillingOfTheLines) {
    const QString ann = WriteMonth(QStringLiteral("ann"), "2024-03.txt",
                                   {
                                       {"04 Mar 2024", "0900", "1030", "Acme", "Web", "Dev",
                                        "Coding", " ", "N", "Y", "Y", "HRAUSR40.00"},
                                       {"04 Mar 2024", "1030", "1100", "Internal", "Admin",
                                        "Office", "Mail", " ", "N", "Y", "N"},
                                   });
    const QString bob = WriteMonth(QStringLiteral("bob"), "2024-03.txt",
                                   {
                                       {"04 Mar 2024", "0900", "1000", "Acme", "Web", "Dev",
                                        "Coding", " ", "N", "Y", "Y", "HRAUSR40.00"},
                                   });
    const TReportDays days =
        CollectReportDays(QDate(2024, 3, 4), QDate(2024, 3, 4), QStringList{ann, bob});
    TLineOptions options;
    options.Consolidate = true;
    TReportLines lines = Lines(days, options);
    ASSERT_EQ(lines.Count(), 2);
    EXPECT_EQ(lines[0].User, QString());
    EXPECT_EQ(lines[0].BillingCode, QString());
    EXPECT_EQ(lines[0].RateText, QStringLiteral("40.00"));
    EXPECT_DOUBLE_EQ(lines[0].NormalHours, 2.5);
    EXPECT_EQ(lines[0].Amount, TMoney::FromDouble(100));
    EXPECT_EQ(lines[1].RateText, QStringLiteral("--"));
    EXPECT_EQ(lines[1].Amount, TMoney());

    options.WithUser = true;
    options.WithBillingCode = true;
    lines = Lines(days, options);
    ASSERT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines[0].User, QStringLiteral("ann"));
    EXPECT_EQ(lines[0].BillingCode, QStringLiteral("HRA"));
    EXPECT_EQ(lines[1].BillingCode, QStringLiteral("N"));
    EXPECT_EQ(lines[2].User, QStringLiteral("bob"));
    EXPECT_EQ(lines[2].Amount, TMoney::FromDouble(40));

    // Lines are appended to what is there, never cleared.
    BuildReportLines(*days[0], options, lines);
    EXPECT_EQ(lines.Count(), 3);
    EXPECT_EQ(lines[0].BlockCount, 2);
}

namespace {
// The lines as the rule builds them, one block after the other with a plain scan, from the
// same entries BuildReportLines makes (its own tests cover the filters and the values).
std::vector<TReportLine> LinesByScan(const TReportDays& days, bool withUser) {
    std::vector<TReportLine> lines;
    TLineOptions options;
    options.WithUser = withUser;
    options.WithBillingCode = true;
    for (const auto& day : days) {
        TReportLines single;
        BuildReportLines(*day, options, single); // one line per block, nothing merged
        for (const TReportLine& blockLine : single.Lines()) {
            const QString noRemarks;
            const TReportEntry entry{blockLine.User,
                                     blockLine.Date,
                                     blockLine.StartTime,
                                     blockLine.EndTime,
                                     blockLine.Client,
                                     blockLine.Project,
                                     blockLine.Category,
                                     blockLine.Activity,
                                     noRemarks,
                                     1,
                                     0,
                                     false,
                                     blockLine.Chargeable,
                                     blockLine.BillingCode,
                                     blockLine.RateText,
                                     {}};
            auto match =
                std::find_if(lines.begin(), lines.end(),
                             [&entry](const TReportLine& line) { return line.Matches(entry); });
            if (match == lines.end()) {
                lines.emplace_back(entry);
                match = lines.end() - 1;
            }
            for (int weekDay = 1; weekDay <= 7; ++weekDay)
                match->DayHours[weekDay] += blockLine.DayHours[weekDay];
            match->NormalHours += blockLine.NormalHours;
            match->OvertimeHours += blockLine.OvertimeHours;
            match->Amount += blockLine.Amount;
        }
    }
    return lines;
}
} // namespace

TEST_F(ReportData, ConsolidatingAWorkGroupMatchesAPlainScan) {
    TSampleDataGenerator generator(7);
    QStringList folders;
    generator.WriteServerData(Server, 12, 2023, 11, 2, &folders);
    const TReportDays days = CollectReportDays(QDate(2023, 11, 1), QDate(2023, 12, 31), folders);
    for (const bool withUser : {false, true}) {
        TLineOptions options;
        options.Consolidate = true;
        options.WithUser = withUser;
        options.WithBillingCode = true;
        const TReportLines lines = Lines(days, options);
        const std::vector<TReportLine> expected = LinesByScan(days, withUser);
        ASSERT_EQ(lines.Count(), static_cast<int>(expected.size()));
        EXPECT_GT(lines.Count(), 100);
        for (int i = 0; i < lines.Count(); ++i) {
            const TReportLine& line = lines[i];
            const TReportLine& want = expected[static_cast<std::size_t>(i)];
            EXPECT_EQ(line.User + line.Client + line.Project + line.Category + line.Activity +
                          line.BillingCode + line.RateText,
                      want.User + want.Client + want.Project + want.Category + want.Activity +
                          want.BillingCode + want.RateText);
            EXPECT_EQ(line.Date, want.Date);
            EXPECT_NEAR(line.NormalHours, want.NormalHours, 1e-9);
            EXPECT_NEAR(line.OvertimeHours, want.OvertimeHours, 1e-9);
            EXPECT_EQ(line.Amount, want.Amount);
        }
    }
}

TEST_F(ReportData, ALinePerBlockCarriesTheBlocksOwnValues) {
    // Blocks of many lengths, with and without billing, rates changing from block to block:
    // the hours, rate texts and charges the lines take over are those of each block.
    TSampleDataGenerator generator(11);
    QStringList folders;
    generator.WriteServerData(Server, 9, 2024, 1, 2, &folders);
    const TReportDays days = CollectReportDays(QDate(2024, 1, 1), QDate(2024, 2, 29), folders);
    TLineOptions options;
    options.WithUser = true;
    options.WithBillingCode = true;
    const TReportLines lines = Lines(days, options);
    int position = 0;
    int billed = 0;
    for (const auto& day : days) {
        for (const auto& block : day->Blocks) {
            if (!block->Reportable)
                continue;
            ASSERT_LT(position, lines.Count());
            const TReportLine& line = lines[position++];
            EXPECT_EQ(line.StartTime, block->StartTime);
            EXPECT_EQ(line.User, block->UserName);
            EXPECT_EQ(line.TotalHours(), block->Hours());
            EXPECT_EQ(line.RateText, BlockRateText(block->BillingInfo.get(), false, {}));
            EXPECT_EQ(line.BillingCode, BlockCodeText(*block));
            EXPECT_EQ(line.Amount, Charge(*block));
            billed += block->BillingInfo ? 1 : 0;
        }
    }
    EXPECT_EQ(position, lines.Count());
    EXPECT_GT(billed, 100);
}

TEST_F(ReportData, HoursOfBlocksOfAnyLength) {
    // Lengths come again, and some lie outside a day (as a block in memory may): each line
    // has the hours of its own block.
    TDay day(QDate(2024, 3, 4));
    for (const auto& [start, end] : {std::pair{900, 1000},
                                     {1000, 1017},
                                     {1100, 1200},
                                     {0, 2400},
                                     {1300, 1300},
                                     {1500, 1450},
                                     {-100, 2500},
                                     {1200, 1217},
                                     {1400, 1501},
                                     {1600, 1699}}) {
        TBlock& block = day.AddBlock(start, end);
        block.Reportable = true;
    }
    TReportLines lines;
    BuildReportLines(day, TLineOptions{}, lines);
    ASSERT_EQ(lines.Count(), static_cast<int>(day.Blocks.size()));
    for (int i = 0; i < lines.Count(); ++i)
        EXPECT_EQ(lines[i].NormalHours, day.Blocks[static_cast<std::size_t>(i)]->Hours()) << i;
    EXPECT_DOUBLE_EQ(lines[1].NormalHours, 10.0 / 60.0);
    EXPECT_DOUBLE_EQ(lines[5].NormalHours, -0.5);
    EXPECT_DOUBLE_EQ(lines[6].NormalHours, 26);
}

// Lines built while the months are read are those built from the days afterwards, line for
// line and bit for bit, however many cores read the months.
TEST_F(ReportData, LinesBuiltWhileReadingAreThoseBuiltAfterwards) {
    TSampleDataGenerator generator(5);
    QStringList folders;
    generator.WriteServerData(Server, 10, 2023, 10, 3, &folders);
    const QDate from(2023, 10, 12);
    const QDate to(2023, 12, 20);
    const TReportDays days = CollectReportDays(from, to, folders);
    for (const bool consolidate : {true, false}) {
        TLineOptions options;
        options.Consolidate = consolidate;
        options.WithUser = !consolidate;
        options.WithBillingCode = true;
        const TReportLines expected = Lines(days, options);
        for (const std::size_t threads : {1u, 2u, 3u}) {
            SetParallelThreads(threads);
            TReportLines lines;
            const TReportDays read = CollectReportDays(from, to, folders, options, lines);
            ASSERT_EQ(read.size(), days.size());
            ASSERT_EQ(lines.Count(), expected.Count()) << threads << " threads";
            for (int i = 0; i < lines.Count(); ++i) {
                const TReportLine& line = lines[i];
                const TReportLine& want = expected[i];
                ASSERT_EQ(line.Date, want.Date) << "line " << i;
                ASSERT_EQ(line.User + line.Client + line.Project + line.Activity + line.Remarks,
                          want.User + want.Client + want.Project + want.Activity + want.Remarks);
                ASSERT_EQ(line.NormalHours, want.NormalHours) << "line " << i;
                ASSERT_EQ(line.OvertimeHours, want.OvertimeHours) << "line " << i;
                ASSERT_EQ(line.Amount, want.Amount) << "line " << i;
            }
        }
    }
    SetParallelThreads(0);
}

TEST_F(ReportData, TheEarliestUnreadableMonthIsReportedWhateverTheCores) {
    WriteMonth(QStringLiteral("ann"), "2024-01.txt", {{"08 Jan 2024"}});
    WriteMonth(QStringLiteral("ann"), "2024-02.txt", {{"05 Feb 2024", "09x0"}});
    const QString folder =
        WriteMonth(QStringLiteral("ann"), "2024-04.txt", {{"01 Apr 2024", "1x00"}});
    for (const std::size_t threads : {1u, 2u, 4u}) {
        SetParallelThreads(threads);
        TReportLines lines;
        try {
            CollectReportDays(QDate(2024, 1, 1), QDate(2024, 4, 30), QStringList{folder},
                              TLineOptions(), lines);
            ADD_FAILURE() << "no error raised";
        } catch (const EDataLineError& error) {
            EXPECT_EQ(error.FileName(), folder + QStringLiteral("2024-02.txt"));
        }
        EXPECT_EQ(lines.Count(), 1); // January's line, nothing from February on
    }
    SetParallelThreads(0);
}
