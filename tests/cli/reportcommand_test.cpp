#include "base/datalocations.h"
#include "storage/months/block.h"
#include "storage/months/month.h"
#include "testsupport.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

// The real quillhour-cli making the daily report of a small month.
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
        TBlock& block = month.DayByNumber(5)->AddBlock(900, 1050);
        block.Client = QStringLiteral("Acme");
        block.Project = QStringLiteral("Web");
        block.Category = QStringLiteral("Dev");
        block.Activity = QStringLiteral("Code");
        block.Reportable = true;
        block.Chargeable = true;
        month.Save();
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
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("weekly")}), 2);
    EXPECT_TRUE(Err.contains(QStringLiteral("Usage:")));
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("daily"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-01")}),
              2);
    EXPECT_EQ(Run({QStringLiteral("report"), QStringLiteral("daily"), QStringLiteral("--charging"),
                   QStringLiteral("some")}),
              2);
}
