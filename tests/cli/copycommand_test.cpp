#include "cli/clicommands.h"
#include "storage/months/block.h"
#include "storage/months/day.h"
#include "storage/months/month.h"
#include "testsupport.h"

#include <QDate>

#include <gtest/gtest.h>

class CopyCommand : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Folder = Path(QStringLiteral("location")) + QLatin1Char('/');
        MakeFolder(QStringLiteral("location/Data"));
        ASSERT_EQ(Run({QStringLiteral("locations")}), 0);
    }
    int Run(const QStringList& words) {
        Env.Args = QStringList{Env.Program, QStringLiteral("--datadir"), Folder} + words;
        ApplyEnvironment();
        Out.clear();
        Err.clear();
        QTextStream out(&Out);
        QTextStream err(&Err);
        const int code = RunCli(Env.Args, out, err);
        out.flush();
        err.flush();
        return code;
    }
    // Writes blocks "start-end client" on the date to the month file.
    static void AddBlocks(QDate date, const std::vector<std::tuple<int, int, QString>>& blocks) {
        TMonth month(date.year(), date.month());
        for (const auto& [start, end, client] : blocks) {
            TBlock& block = month.DayByDate(date)->AddBlock(start, end);
            block.Client = client;
            block.Project = QStringLiteral("P");
            block.Category = QStringLiteral("C");
            block.Activity = QStringLiteral("A");
            block.Reportable = true;
        }
        ASSERT_TRUE(month.Save());
    }
    // The blocks of the date as read anew from its month file.
    static QString Spans(QDate date) {
        TMonth month(date.year(), date.month());
        QStringList spans;
        for (const auto& block : month.DayByDate(date)->Blocks)
            spans.append(QStringLiteral("%1-%2 %3")
                             .arg(block->StartTime)
                             .arg(block->EndTime)
                             .arg(block->Client));
        return spans.join(QStringLiteral(", "));
    }
    static QStringList Words(const QString& text) { return text.split(QLatin1Char(' ')); }

    QString Folder;
    QString Out;
    QString Err;
};

TEST_F(CopyCommand, CopiesADayOntoAnEmptyDayAndSaysWhatItDid) {
    AddBlocks(QDate(2024, 3, 4),
              {{900, 1000, QStringLiteral("A")}, {1000, 1200, QStringLiteral("B")}});
    ASSERT_EQ(Run(Words(QStringLiteral("copy --from-day 2024-03-04 --to-day 2024-04-01"))), 0)
        << Err.toStdString();
    EXPECT_EQ(Out, QStringLiteral("2024-04-01: 2 blocks laid\nCopied 2 blocks to 1 day\n"));
    EXPECT_EQ(Spans(QDate(2024, 4, 1)), QStringLiteral("900-1000 A, 1000-1200 B"));
    EXPECT_EQ(Spans(QDate(2024, 3, 4)), QStringLiteral("900-1000 A, 1000-1200 B"));
}

TEST_F(CopyCommand, ATargetWithTimeNeedsAMode) {
    AddBlocks(QDate(2024, 3, 4), {{900, 1100, QStringLiteral("A")}});
    AddBlocks(QDate(2024, 3, 5), {{1000, 1200, QStringLiteral("T")}});
    EXPECT_EQ(Run(Words(QStringLiteral("copy --from-day 2024-03-04 --to-day 2024-03-05"))), 2);
    EXPECT_TRUE(Err.contains(QStringLiteral("--replace or --only-free-time")));
    EXPECT_EQ(Spans(QDate(2024, 3, 5)), QStringLiteral("1000-1200 T"));

    ASSERT_EQ(Run(Words(QStringLiteral("copy --from-day 2024-03-04 --to-day 2024-03-05 "
                                       "--only-free-time"))),
              0);
    EXPECT_EQ(Spans(QDate(2024, 3, 5)), QStringLiteral("900-1000 A, 1000-1200 T"));
}

TEST_F(CopyCommand, ReplaceCutsBackWhatTheCopiesCover) {
    AddBlocks(QDate(2024, 3, 4), {{900, 1100, QStringLiteral("A")}});
    AddBlocks(QDate(2024, 3, 5), {{1000, 1200, QStringLiteral("T")}});
    ASSERT_EQ(
        Run(Words(QStringLiteral("copy --from-day 2024-03-04 --to-day 2024-03-05 --replace"))), 0);
    EXPECT_EQ(Out, QStringLiteral("2024-03-05: 1 block laid, 1 block cut back or removed\n"
                                  "Copied 1 block to 1 day; 1 block cut back or removed\n"));
    EXPECT_EQ(Spans(QDate(2024, 3, 5)), QStringLiteral("900-1100 A, 1100-1200 T"));
}

TEST_F(CopyCommand, CopiesAWeekAcrossTheEndOfAMonth) {
    // Monday 2024-03-25 ... Sunday 2024-03-31 onto the week of Monday 2024-04-29 (to May 5).
    AddBlocks(QDate(2024, 3, 25), {{900, 1000, QStringLiteral("Mon")}});
    AddBlocks(QDate(2024, 3, 31), {{1300, 1400, QStringLiteral("Sun")}});
    ASSERT_EQ(Run(Words(QStringLiteral("copy --from-week 2024-03-27 --to-week 2024-05-01"))), 0)
        << Err.toStdString();
    EXPECT_EQ(Out, QStringLiteral("2024-04-29: 1 block laid\n2024-05-05: 1 block laid\n"
                                  "Copied 2 blocks to 2 days\n"));
    EXPECT_EQ(Spans(QDate(2024, 4, 29)), QStringLiteral("900-1000 Mon"));
    EXPECT_EQ(Spans(QDate(2024, 5, 5)), QStringLiteral("1300-1400 Sun"));
}

TEST_F(CopyCommand, DryRunWritesNothing) {
    AddBlocks(QDate(2024, 3, 4), {{900, 1000, QStringLiteral("A")}});
    ASSERT_EQ(
        Run(Words(QStringLiteral("copy --from-day 2024-03-04 --to-day 2024-03-06 --dry-run"))), 0);
    EXPECT_EQ(Out, QStringLiteral("2024-03-06: 1 block laid\nWould copy 1 block to 1 day "
                                  "(nothing written)\n"));
    EXPECT_EQ(Spans(QDate(2024, 3, 6)), QString());
}

TEST_F(CopyCommand, NothingToCopyIsStatusOne) {
    EXPECT_EQ(Run(Words(QStringLiteral("copy --from-day 2024-03-04 --to-day 2024-03-06"))), 1);
    EXPECT_TRUE(Err.contains(QStringLiteral("Nothing to copy")));
    AddBlocks(QDate(2024, 3, 4), {{900, 1000, QStringLiteral("A")}});
    AddBlocks(QDate(2024, 3, 6), {{800, 1100, QStringLiteral("T")}});
    EXPECT_EQ(Run(Words(QStringLiteral("copy --from-day 2024-03-04 --to-day 2024-03-06 "
                                       "--only-free-time"))),
              1);
    EXPECT_EQ(Spans(QDate(2024, 3, 6)), QStringLiteral("800-1100 T"));
}

TEST_F(CopyCommand, UsageErrorsAreStatusTwo) {
    for (const char* line :
         {"copy", "copy --from-day 2024-03-04", "copy --from-day 2024-03-04 --to-week 2024-03-11",
          "copy --from-day 2024-03-04 --to-day 2024-03-04",
          "copy --from-week 2024-03-04 --to-week 2024-03-10",
          "copy --from-day 2024-03-04 --to-day 2024-03-05 --replace --only-free-time",
          "copy --from-day 2024-13-04 --to-day 2024-03-05",
          "copy --from-day 2024-03-04 --to-day 2024-03-05 --fast"}) {
        EXPECT_EQ(Run(Words(QString::fromLatin1(line))), 2) << line;
        EXPECT_TRUE(Err.contains(QStringLiteral("Usage: quillhour-cli"))) << line;
    }
}
