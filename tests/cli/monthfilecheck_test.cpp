#include "cli/clicommands.h"
#include "cli/monthfilecheck.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
const QByteArray GoodLine = "05 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN\tY\tY\r\n";
} // namespace

class MonthFileCheck : public TTempFolderTest {
protected:
    std::vector<TCheckProblem> Check(const QString& fileName) {
        std::vector<TCheckProblem> problems;
        CheckMonthFile(fileName, problems);
        return problems;
    }

    // Runs "check" in this process with the data location folder.
    int RunCheck(const QString& folder) {
        Env.Args = {Env.Program, QStringLiteral("--datadir"), folder, QStringLiteral("check")};
        ApplyEnvironment();
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const int code = RunCli(Env.Args, outStream, errStream);
        outStream.flush();
        Out = out;
        return code;
    }

    // Names and sizes of everything below folder, to see that nothing was written.
    QStringList Listing(const QString& folder) {
        QStringList entries;
        QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            it.next();
            entries.append(it.filePath() + QLatin1Char(' ') + QString::number(it.fileInfo().size()));
        }
        entries.sort();
        return entries;
    }

    QString Out;
};

TEST_F(MonthFileCheck, EveryProblemLineIsReported) {
    const QString file = Path(QStringLiteral("2024-03.txt"));
    WriteFile(file, GoodLine + "05 Mar 2024\t09x0\t1030\tA\r\n" + "\r\n" +
                        "05 Apr 2024\t0900\t1000\tA\r\n" + "31 Feb 2024\t0900\r\n" +
                        "06 Mar 2024\t1100\t1000\tA\tB\tC\tD\t \tN\tY\tY\r\n" +
                        "07 Mar 2024\t0900\t1000\tA\tB\tC\tD\t \tN\tY\tY\tHRAZZZ10\r\n" +
                        "07 Mar 2024\t0900\t2500\tA\tB\tC\tD\t \tN\tY\tY\tHRAUSR10\r\n");
    const auto problems = Check(file);
    ASSERT_EQ(problems.size(), 6u);
    EXPECT_EQ(problems[0].Line, 2);
    EXPECT_EQ(problems[0].Message, QStringLiteral("Start: '09x0' is not a whole number"));
    EXPECT_EQ(problems[1].Line, 4);
    EXPECT_TRUE(problems[1].Message.startsWith(QStringLiteral("Date: 2024-04-05 is not a day")));
    EXPECT_EQ(problems[2].Line, 5);
    EXPECT_TRUE(problems[2].Message.startsWith(QStringLiteral("Date: '31 Feb 2024'")));
    EXPECT_EQ(problems[3].Line, 6);
    EXPECT_EQ(problems[3].Message, QStringLiteral("Times: 1100 to 1000 is not a span within one day"));
    EXPECT_EQ(problems[4].Line, 7);
    EXPECT_TRUE(problems[4].Message.startsWith(QStringLiteral("Billing: 'HRAZZZ10' cannot be read")));
    EXPECT_EQ(problems[5].Line, 8);
    EXPECT_EQ(problems[5].FileName, file);
    EXPECT_TRUE(Check(Path(QStringLiteral("2024-13.txt"))).front().Message.contains(
        QStringLiteral("not a month of the year")));
}

TEST_F(MonthFileCheck, CleanFilesAndMissingFiles) {
    const QString file = Path(QStringLiteral("2024-03.txt"));
    WriteFile(file, GoodLine + GoodLine);
    EXPECT_TRUE(Check(file).empty());
    const auto missing = Check(Path(QStringLiteral("2024-04.txt")));
    ASSERT_EQ(missing.size(), 1u);
    EXPECT_EQ(missing[0].Line, 0);
}

TEST_F(MonthFileCheck, CommandChecksOwnAndServerFoldersAndWritesNothing) {
    const QString local = MakeFolder(QStringLiteral("local"));
    const QString server = MakeFolder(QStringLiteral("server"));
    WriteFile(local + QStringLiteral("QHR.ini"),
              "[Server]\r\nServerPath=" + server.toUtf8() + "\r\n");
    WriteFile(local + QStringLiteral("Data/2024-03.txt"), GoodLine);
    WriteFile(local + QStringLiteral("Data/notes.txt"), "not a month file\r\n");
    WriteFile(server + QStringLiteral("Data/anna/2024-02.txt"), GoodLine);
    WriteFile(server + QStringLiteral("Data/ben/2024-03.txt"),
              GoodLine + "05 Mar 2024\t0900\tlate\tA\r\n");
    const QStringList before = Listing(Temp.path());
    EXPECT_EQ(RunCheck(local), 1);
    EXPECT_EQ(Out, server + QStringLiteral("Data/anna/2024-02.txt:1: Date: 2024-03-05 is not a "
                                           "day of this file's month; the line is ignored and "
                                           "lost at the next save\n") +
                       server + QStringLiteral("Data/ben/2024-03.txt:2: End: 'late' is not a "
                                               "whole number\n") +
                       QStringLiteral("4 files checked, 2 problems\n"));
    EXPECT_EQ(Listing(Temp.path()), before);
}

TEST_F(MonthFileCheck, CommandSucceedsOnCleanDataAndNamesUnreadableFiles) {
    const QString local = MakeFolder(QStringLiteral("single"));
    WriteFile(local + QStringLiteral("Data/2024-03.txt"), GoodLine);
    EXPECT_EQ(RunCheck(local), 0);
    EXPECT_EQ(Out, QStringLiteral("1 files checked, 0 problems\n"));
    QDir().mkpath(local + QStringLiteral("Data/2024-04.txt")); // a folder is no month file
    QDir().mkpath(local + QStringLiteral("QHR.ini"));          // nor a readable settings file
    EXPECT_EQ(RunCheck(local), 1);
    EXPECT_TRUE(Out.startsWith(local + QStringLiteral("QHR.ini: "))) << Out.toStdString();
    EXPECT_TRUE(Out.endsWith(QStringLiteral("\n2 files checked, 1 problems\n")));
}

TEST_F(MonthFileCheck, ProgramReportsAPlantedBadLine) {
    const QString local = MakeFolder(QStringLiteral("planted"));
    WriteFile(local + QStringLiteral("Data/2024-03.txt"),
              GoodLine + GoodLine + "05 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN\tY\tY\r\n" +
                  "5 March\t0900\t1000\r\n");
    QProcess cli;
    cli.start(QStringLiteral(QH_CLI_PROGRAM),
              {QStringLiteral("check"), QStringLiteral("--datadir"), local});
    ASSERT_TRUE(cli.waitForFinished(20000));
    EXPECT_EQ(cli.exitCode(), 1);
    const QString out = QString::fromUtf8(cli.readAllStandardOutput());
    EXPECT_TRUE(out.startsWith(local + QStringLiteral("Data/2024-03.txt:4: Date: ")));
    EXPECT_TRUE(out.endsWith(QStringLiteral("1 files checked, 1 problems\n")));
}

TEST_F(MonthFileCheck, NumbersWithOtherCharactersAndStaleTemporaryCopiesAreReported) {
    const QString local = MakeFolder(QStringLiteral("nul"));
    // A NUL inside the start, a letter after the end's digits, a long unreadable field.
    QByteArray lines = GoodLine;
    lines += QByteArray("06 Mar 2024\t0") + '\0' + "9\t1000\tA\tB\tC\tD\t \tN\tY\tY\r\n";
    lines += "07 Mar 2024\t0900\t1000x\tA\tB\tC\tD\t \tN\tY\tY\r\n";
    lines += "08 Mar 2024\t" + QByteArray(100000, '7') + "z\t1000\r\n";
    WriteFile(local + QStringLiteral("Data/2024-03.txt"), lines);
    const QString stale = local + QStringLiteral("Data/.quillhour-save-2024-03.txt-yinokw");
    // A name people use for their own copies is none of the program's business.
    WriteFile(local + QStringLiteral("Data/2024-03.txt.YinOKW"), GoodLine);
    WriteFile(stale, GoodLine);
    QFile file(stale);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-3600),
                                 QFileDevice::FileModificationTime));
    file.close();
    const QStringList before = Listing(Temp.path());
    EXPECT_EQ(RunCheck(local), 1);
    const QStringList reported = Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(reported.size(), 5) << Out.toStdString();
    const QString month = local + QStringLiteral("Data/2024-03.txt");
    EXPECT_EQ(reported[0], month + QStringLiteral(":2: Start: '0\\x009' is not a whole number"));
    EXPECT_EQ(reported[1], month + QStringLiteral(":3: End: '1000x' is not a whole number"));
    EXPECT_TRUE(reported[2].startsWith(month + QStringLiteral(":4: Start: '777")));
    EXPECT_LT(reported[2].size(), 200); // the field is quoted in part only
    EXPECT_EQ(reported[3], stale + QStringLiteral(": a temporary file left by an interrupted save "
                                                  "(the program removes it when it next starts)"));
    EXPECT_EQ(Listing(Temp.path()), before); // the check writes and removes nothing
}
