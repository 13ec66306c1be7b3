#include "cli/clicommands.h"
#include "storage/months/monthfile.h"
#include "testsupport.h"

#include <QDate>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

class SampleDataCommand : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Folder = Path(QStringLiteral("sample")) + QLatin1Char('/');
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
    QStringList MonthFiles(const QString& folder) const { return MonthFileNames(folder); }

    QString Folder;
    QString Out;
    QString Err;
};

TEST_F(SampleDataCommand, MakesASingleUserLocationThatChecksClean) {
    ASSERT_EQ(Run({QStringLiteral("sample-data")}), 0) << Err.toStdString();
    const QDate today = QDate::currentDate();
    const QStringList months = MonthFiles(Folder + QStringLiteral("Data/"));
    ASSERT_EQ(months.size(), 3);
    EXPECT_TRUE(months.contains(MonthFileName(today.year(), today.month())));
    EXPECT_TRUE(Out.contains(QStringLiteral("Export format: Timesheet")));
    EXPECT_TRUE(QFile::exists(Folder + QStringLiteral("Data/ClientProject.txt")));
    EXPECT_TRUE(QFile::exists(Folder + QStringLiteral("Data/_ExportFormats/ef-Billing.txt")));
    EXPECT_FALSE(QDir(Folder + QStringLiteral("Server")).exists());

    EXPECT_EQ(Run({QStringLiteral("check")}), 0) << Out.toStdString();
    EXPECT_TRUE(Out.endsWith(QStringLiteral(" 0 problems\n"))) << Out.toStdString();
    // Nothing after today: the history ends where the user's day is.
    EXPECT_EQ(Run({QStringLiteral("search"), QStringLiteral("--from"),
                   today.addDays(1).toString(Qt::ISODate)}),
              1);
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Timesheet"), QStringLiteral("--output"),
                   Path(QStringLiteral("out.csv"))}),
              0)
        << Err.toStdString();
}

TEST_F(SampleDataCommand, MakesAWorkGroupWhoseUsersAreListed) {
    ASSERT_EQ(Run({QStringLiteral("sample-data"), QStringLiteral("--work-group"), QStringLiteral("--users"),
                   QStringLiteral("4"), QStringLiteral("--months"), QStringLiteral("2")}),
              0)
        << Err.toStdString();
    EXPECT_EQ(MonthFiles(Folder + QStringLiteral("Data/")).size(), 2);
    for (const char* user : {"user001", "user002", "user003", "user004"})
        EXPECT_EQ(MonthFiles(Folder + QStringLiteral("Server/Data/") + QLatin1String(user)).size(), 2) << user;
    EXPECT_TRUE(QFile::exists(Folder + QStringLiteral("Server/Data/CategoryActivity.txt")));
    EXPECT_TRUE(QFile::exists(Folder + QStringLiteral("Server/Data/_ExportFormats/ef-Timesheet.txt")));

    EXPECT_EQ(Run({QStringLiteral("locations")}), 0);
    EXPECT_TRUE(Out.contains(Folder + QStringLiteral("Server/"))) << Out.toStdString();
    EXPECT_EQ(Run({QStringLiteral("check")}), 0) << Out.toStdString();
    EXPECT_EQ(Run({QStringLiteral("users")}), 0) << Err.toStdString();
    QStringList users;
    for (const QString& line : Out.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        users.append(line.section(QLatin1Char('\t'), 0, 0));
    EXPECT_EQ(users, QStringList({"user001", "user002", "user003", "user004"}));
}

TEST_F(SampleDataCommand, RefusesALocationWithDataAndReplacesNothing) {
    WriteFile(Folder + QStringLiteral("Data/2020-01.txt"), "01 Jan 2020\t0900\t1000\tA\tB\tC\tD\t \tN\tY\tY\r\n");
    EXPECT_EQ(Run({QStringLiteral("sample-data")}), 1);
    EXPECT_TRUE(Err.contains(QStringLiteral("already holds time data"))) << Err.toStdString();
    EXPECT_EQ(MonthFiles(Folder + QStringLiteral("Data/")), QStringList({"2020-01.txt"}));

    const QString other = Path(QStringLiteral("other")) + QLatin1Char('/');
    WriteFile(other + QStringLiteral("QHR.ini"), "[Registration]\r\nUserName=ann\r\n");
    Folder = other;
    EXPECT_EQ(Run({QStringLiteral("sample-data")}), 1);
    EXPECT_TRUE(Err.contains(QStringLiteral("QHR.ini"))) << Err.toStdString();
    EXPECT_EQ(ReadFile(other + QStringLiteral("QHR.ini")), QByteArray("[Registration]\r\nUserName=ann\r\n"));
    EXPECT_TRUE(MonthFiles(other + QStringLiteral("Data/")).isEmpty());
}

TEST_F(SampleDataCommand, UsageErrors) {
    EXPECT_EQ(Run({QStringLiteral("sample-data"), QStringLiteral("--users"), QStringLiteral("3")}), 2);
    EXPECT_EQ(Err, QStringLiteral("--users needs --work-group: a single-user location has one user\n"));
    EXPECT_EQ(Run({QStringLiteral("sample-data"), QStringLiteral("--months"), QStringLiteral("0")}), 2);
    EXPECT_EQ(Err, QStringLiteral("--months must be a whole number from 1 to 120, not \"0\"\n"));
    EXPECT_EQ(Run({QStringLiteral("sample-data"), QStringLiteral("--work-group"), QStringLiteral("--users"),
                   QStringLiteral("many")}),
              2);
    EXPECT_EQ(Run({QStringLiteral("sample-data"), QStringLiteral("--fast")}), 2);
    EXPECT_EQ(Err, QStringLiteral("Unexpected argument: --fast\n"));
    EXPECT_FALSE(QDir(Folder).exists()); // nothing made
}
