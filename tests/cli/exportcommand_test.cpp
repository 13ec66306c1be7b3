#include "cli/clicommands.h"
#include "testsupport.h"

#include <QDate>
#include <QFile>
#include <QLocale>

#include <gtest/gtest.h>

class ExportCommand : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Folder = MakeFolder(QStringLiteral("data"));
        WriteFile(Folder + QStringLiteral("QHR.ini"), "[Registration]\r\nUserName=mary\r\n");
        WriteFile(Folder + QStringLiteral("Data/2024-03.txt"),
                  "04 Mar 2024\t0900\t1030\tAcme\tWeb\tDev\tCoding\t \tN\tY\tY\r\n"
                  "12 Mar 2024\t1300\t1400\tBeta\tApp\tDev\tTesting\t \tN\tY\tY\r\n");
        WriteFile(Folder + QStringLiteral("Data/_ExportFormats/ef-Hours.txt"),
                  "[Header]\r\nFormatName=Hours\r\nFieldCount=2\r\nDelimiter=44\r\nPeriod=2\r\n"
                  "[Files]\r\nFileDir=" + Folder.toUtf8() + "\r\nFileName=hours.csv\r\n"
                  "[Field1]\r\nFieldName=Client\r\nFieldArea=Data\r\nFieldType=Text\r\n"
                  "[Field2]\r\nFieldName=Duration\r\nFieldArea=Data\r\nFieldType=Number\r\n"
                  "FieldFormat=n.nn\r\n");
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

    QString Folder;
    QString Out;
    QString Err;
};

TEST_F(ExportCommand, RunsAFormatForAPeriodIntoTheGivenFile) {
    const QString output = Path(QStringLiteral("out.csv"));
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-01"), QStringLiteral("--to"), QStringLiteral("2024-03-10"),
                   QStringLiteral("--output"), output}),
              0)
        << Err.toStdString();
    EXPECT_EQ(Out, output + QLatin1Char('\n'));
    EXPECT_EQ(ReadFile(output), QByteArray("Acme,1.50\r\n"));
    // Without --output the format's own file, without dates nothing in this month of 2024 is
    // certain, so only the message is checked.
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-11"), QStringLiteral("--to"), QStringLiteral("2024-03-31")}),
              0);
    EXPECT_EQ(ReadFile(Folder + QStringLiteral("hours.csv")), QByteArray("Beta,1.00\r\n"));
}

TEST_F(ExportCommand, UnknownFormatListsTheAvailableOnes) {
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Nope")}), 2);
    EXPECT_EQ(Err, QStringLiteral("There is no export format \"Nope\". Available formats: Hours\n"));
}

TEST_F(ExportCommand, ExportErrorsAndUsageErrors) {
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--from"),
                   QStringLiteral("2025-01-01"), QStringLiteral("--to"), QStringLiteral("2025-01-31")}),
              1);
    EXPECT_EQ(Err, QStringLiteral("No data is created under these settings - there is nothing to export\n"));
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-01")}),
              2);
    EXPECT_EQ(Run({QStringLiteral("export")}), 2);
    // The output file is checked first, as the export window checks it.
    const QString missing = Path(QStringLiteral("missing/out.txt"));
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--output"),
                   missing}),
              1);
    EXPECT_EQ(Err, QLatin1Char('"') + missing + QStringLiteral("\" is not a valid file name\n"));
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--output"),
                   MakeFolder(QStringLiteral("folder"))}),
              1);
    EXPECT_EQ(Err, QStringLiteral("Please enter a file name\n"));
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--users"),
                   QStringLiteral("a"), QStringLiteral("--all-users")}),
              2);
}

TEST_F(ExportCommand, OtherUsersAreReadFromTheServer) {
    const QString server = MakeFolder(QStringLiteral("server"));
    WriteFile(Folder + QStringLiteral("QHR.ini"),
              "[Registration]\r\nUserName=mary\r\n[Server]\r\nServerPath=" + server.toUtf8() + "\r\n");
    WriteFile(server + QStringLiteral("Data/_ExportFormats/ef-Hours.txt"),
              ReadFile(Folder + QStringLiteral("Data/_ExportFormats/ef-Hours.txt")));
    WriteFile(server + QStringLiteral("Data/john/2024-03.txt"),
              "05 Mar 2024\t0800\t0900\tGamma\tOps\tAdmin\tMail\t \tN\tY\tN\r\n");
    WriteFile(server + QStringLiteral("Data/zoe/2024-03.txt"),
              "06 Mar 2024\t0800\t0830\tDelta\tOps\tAdmin\tMail\t \tN\tY\tN\r\n");
    const QString output = Path(QStringLiteral("all.csv"));
    const QStringList period{QStringLiteral("--from"), QStringLiteral("2024-03-01"), QStringLiteral("--to"),
                             QStringLiteral("2024-03-31"), QStringLiteral("--output"), output};
    EXPECT_EQ(Run(QStringList{QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--all-users")} + period), 0)
        << Err.toStdString();
    EXPECT_EQ(ReadFile(output), QByteArray("Gamma,1.00\r\nDelta,0.50\r\n"));
    EXPECT_EQ(Run(QStringList{QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--users"),
                              QStringLiteral("zoe")} + period),
              0);
    EXPECT_EQ(ReadFile(output), QByteArray("Delta,0.50\r\n"));
}

// Without --users or --all-users the format's own users are read from the server, not the
// current user's own data.
TEST_F(ExportCommand, TheFormatsOwnUsersWithoutUserOptions) {
    const QString server = MakeFolder(QStringLiteral("server"));
    WriteFile(Folder + QStringLiteral("QHR.ini"),
              "[Registration]\r\nUserName=mary\r\n[Server]\r\nServerPath=" + server.toUtf8() + "\r\n");
    QByteArray format = ReadFile(Folder + QStringLiteral("Data/_ExportFormats/ef-Hours.txt"));
    format.replace("Period=2\r\n", "Period=2\r\nUserCount=1\r\n");
    format += "[Users]\r\nUser1=zoe\r\n";
    WriteFile(server + QStringLiteral("Data/_ExportFormats/ef-Hours.txt"), format);
    WriteFile(server + QStringLiteral("Data/john/2024-03.txt"),
              "05 Mar 2024\t0800\t0900\tGamma\tOps\tAdmin\tMail\t \tN\tY\tN\r\n");
    WriteFile(server + QStringLiteral("Data/zoe/2024-03.txt"),
              "06 Mar 2024\t0800\t0830\tDelta\tOps\tAdmin\tMail\t \tN\tY\tN\r\n");
    const QString output = Path(QStringLiteral("own.csv"));
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--from"),
                   QStringLiteral("2024-03-01"), QStringLiteral("--to"), QStringLiteral("2024-03-31"),
                   QStringLiteral("--output"), output}),
              0)
        << Err.toStdString();
    EXPECT_EQ(ReadFile(output), QByteArray("Delta,0.50\r\n"));
}

// Without dates the format's default period applies: this month, for the Hours format.
TEST_F(ExportCommand, TheFormatsDefaultPeriodWithoutDates) {
    const QDate today = QDate::currentDate();
    const QDate lastMonth = today.addMonths(-1);
    const auto monthFile = [this](QDate date, const char* client) {
        WriteFile(Folder + QStringLiteral("Data/") + date.toString(QStringLiteral("yyyy-MM")) +
                      QStringLiteral(".txt"),
                  QLocale::c().toString(date, QStringLiteral("dd MMM yyyy")).toUtf8() +
                      "\t0900\t1000\t" + client + "\tWeb\tDev\tCoding\t \tN\tY\tY\r\n");
    };
    monthFile(QDate(today.year(), today.month(), 1), "Now");
    monthFile(QDate(lastMonth.year(), lastMonth.month(), 1), "Before");
    const QString output = Path(QStringLiteral("default.csv"));
    EXPECT_EQ(Run({QStringLiteral("export"), QStringLiteral("Hours"), QStringLiteral("--output"), output}), 0)
        << Err.toStdString();
    EXPECT_EQ(ReadFile(output), QByteArray("Now,1.00\r\n"));
}

TEST_F(ExportCommand, SaysWhichFileItReplacedAndNeverWritesOutsideTheFormatsFolder) {
    const QString output = Path(QStringLiteral("out.csv"));
    const QStringList period{QStringLiteral("--from"), QStringLiteral("2024-03-01"),
                             QStringLiteral("--to"), QStringLiteral("2024-03-10")};
    ASSERT_EQ(Run(QStringList{QStringLiteral("export"), QStringLiteral("Hours")} + period +
                  QStringList{QStringLiteral("--output"), output}),
              0);
    EXPECT_FALSE(Err.contains(QStringLiteral("Replaced")));
    ASSERT_EQ(Run(QStringList{QStringLiteral("export"), QStringLiteral("Hours")} + period +
                  QStringList{QStringLiteral("--output"), output}),
              0);
    EXPECT_TRUE(Err.contains(QStringLiteral("Replaced the existing file ") + output));

    // A shared format whose file name climbs out of its folder.
    const QString victim = Path(QStringLiteral(".bashrc"));
    WriteFile(victim, "export PATH\n");
    WriteFile(Folder + QStringLiteral("Data/_ExportFormats/ef-Sneaky.txt"),
              "[Header]\r\nFormatName=Sneaky\r\nFieldCount=1\r\n"
              "[Files]\r\nFileDir=" + Folder.toUtf8() + "\r\nFileName=../.bashrc\r\n"
              "[Field1]\r\nFieldName=Client\r\nFieldArea=Data\r\nFieldType=Text\r\n");
    EXPECT_EQ(Run(QStringList{QStringLiteral("export"), QStringLiteral("Sneaky")} + period), 1);
    EXPECT_TRUE(Err.contains(QStringLiteral("leads out of its folder"))) << Err.toStdString();
    EXPECT_EQ(ReadFile(victim), QByteArray("export PATH\n"));
    // Nor over the user's own month file.
    const QByteArray month = ReadFile(Folder + QStringLiteral("Data/2024-03.txt"));
    EXPECT_EQ(Run(QStringList{QStringLiteral("export"), QStringLiteral("Hours")} + period +
                  QStringList{QStringLiteral("--output"), Folder + QStringLiteral("Data/2024-03.txt")}),
              1);
    EXPECT_EQ(ReadFile(Folder + QStringLiteral("Data/2024-03.txt")), month);
}
