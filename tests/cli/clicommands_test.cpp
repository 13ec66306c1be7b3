#include "base/datalocations.h"
#include "base/filestamp.h"
#include "cli/clicommands.h"
#include "sampledata/sampledata.h"
#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/server/inuselists.h"
#include "storage/server/monthpairs.h"
#include "storage/values/packeddatetime.h"
#include "testsupport.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <gtest/gtest.h>

class CliCommands : public TTempFolderTest {
protected:
    // Runs the real quillhour-cli with APPDATA pointing into the temporary folder.
    int RunProgram(const QStringList& args) {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("APPDATA"), MakeFolder(QStringLiteral("appdata")));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(QH_CLI_PROGRAM), args);
        EXPECT_TRUE(cli.waitForFinished(20000));
        Out = QString::fromUtf8(cli.readAllStandardOutput());
        Err = QString::fromUtf8(cli.readAllStandardError());
        return cli.exitCode();
    }

    int RunHere(const QStringList& args) {
        Env.Args = QStringList{Env.Program} + args;
        ApplyEnvironment();
        QString out;
        QString err;
        QTextStream outStream(&out);
        QTextStream errStream(&err);
        const int code = RunCli(Env.Args, outStream, errStream);
        outStream.flush();
        errStream.flush();
        Out = out;
        Err = err;
        return code;
    }

    QString Out;
    QString Err;
};

TEST_F(CliCommands, LocationsWithDataDirPrintsLinesAndModeWithoutCreatingTheFolder) {
    const QString folder = Path(QStringLiteral("somewhere"));
    EXPECT_EQ(RunProgram({QStringLiteral("--datadir"), folder, QStringLiteral("locations")}), 0);
    EXPECT_EQ(Out, QStringLiteral("Local location: \"") + folder + QStringLiteral("/\"\n") +
                       QStringLiteral("Local location set by parameter: \"") + folder +
                       QStringLiteral("/\"\nNo server location\n"
                                      "Server location not set by redirection\n"
                                      "Mode: Single-user\n"));
    EXPECT_TRUE(Err.isEmpty());
    EXPECT_FALSE(QFileInfo::exists(folder));
}

TEST_F(CliCommands, WindowsSpellingOfTheSwitchWorksAfterTheCommandToo) {
    const QString folder = MakeFolder(QStringLiteral("there"));
    EXPECT_EQ(RunHere({QStringLiteral("locations"), QStringLiteral("/DATADIR"), folder}), 0);
    EXPECT_TRUE(
        Out.startsWith(QStringLiteral("Local location: \"") + folder + QStringLiteral("\"\n")));
    EXPECT_TRUE(Out.endsWith(QStringLiteral("Mode: Single-user\n")));
}

TEST_F(CliCommands, ConfigPrintsTheConfigurationReport) {
    const QString folder = MakeFolder(QStringLiteral("cfg"));
    WriteFile(folder + QStringLiteral("QHR.ini"), "[Personal]\r\nUserName=Mary\r\n");
    EXPECT_EQ(RunHere({QStringLiteral("--datadir"), folder, QStringLiteral("config")}), 0);
    EXPECT_TRUE(Out.contains(QStringLiteral("FILE LOCATIONS\nLocal location: \"") + folder));
    EXPECT_TRUE(Out.contains(QStringLiteral("PARAMETERS\n0: ") + Env.Program +
                             QStringLiteral("\n1: --datadir\n")));
    EXPECT_TRUE(Out.contains(QStringLiteral("INI FILE (PERSONAL SETTINGS): ") + folder +
                             QStringLiteral("QHR.ini\n[Personal]\nUserName=Mary\n")));
}

TEST_F(CliCommands, HelpAndUnknownCommands) {
    EXPECT_EQ(RunHere({QStringLiteral("--help")}), 0);
    EXPECT_TRUE(Out.startsWith(QStringLiteral("Usage: quillhour-cli")));
    EXPECT_EQ(RunHere({QStringLiteral("frobnicate")}), 2);
    EXPECT_TRUE(Out.isEmpty());
    EXPECT_TRUE(Err.startsWith(QStringLiteral("Unknown command: frobnicate\nUsage:")));
    EXPECT_EQ(RunHere({}), 2);
    EXPECT_TRUE(Err.startsWith(QStringLiteral("Usage:")));
}

TEST_F(CliCommands, CheckReportsExportFormatsThatDoNotLoad) {
    const QString folder = MakeFolder(QStringLiteral("data"));
    const QString formats = folder + QStringLiteral("Data/_ExportFormats/");
    WriteFile(formats + QStringLiteral("ef-Good.txt"),
              "[Header]\r\nFormatName=Good\r\nFieldCount=1\r\n[Field1]\r\nFieldName=Date\r\n"
              "FieldArea=Data\r\nFieldType=Date\r\n");
    WriteFile(formats + QStringLiteral("ef-Bad.txt"),
              "[Header]\r\nFormatName=Bad\r\nFieldCount=2\r\n[Field1]\r\nFieldName=Date\r\n"
              "FieldArea=Data\r\nFieldType=Date\r\n");
    EXPECT_EQ(RunHere({QStringLiteral("--datadir"), folder, QStringLiteral("check")}), 1);
    EXPECT_EQ(Out, formats +
                       QStringLiteral("ef-Bad.txt: Export format file missing section for field 2\n"
                                      "2 files checked, 1 problems\n"));
    QFile::remove(formats + QStringLiteral("ef-Bad.txt"));
    EXPECT_EQ(RunHere({QStringLiteral("--datadir"), folder, QStringLiteral("check")}), 0);
    EXPECT_EQ(Out, QStringLiteral("1 files checked, 0 problems\n"));
}

TEST_F(CliCommands, CheckReportsListLinesWithTheirLineNumbers) {
    const QString folder = MakeFolder(QStringLiteral("lists"));
    WriteFile(folder + QStringLiteral("Data/ClientProject.txt"), "Acme\tWeb\tY\r\nAcme\r\n");
    EXPECT_EQ(RunHere({QStringLiteral("--datadir"), folder, QStringLiteral("check")}), 1);
    EXPECT_TRUE(Out.startsWith(folder + QStringLiteral("Data/ClientProject.txt:2: ")));
    EXPECT_TRUE(Out.endsWith(QStringLiteral("1 files checked, 1 problems\n")));
}

TEST_F(CliCommands, CheckReportsSettingsValuesReplacedByDefaults) {
    const QString folder = MakeFolder(QStringLiteral("settings"));
    WriteFile(folder + QStringLiteral("QHR.ini"),
              "[Setup]\r\nFirstDayOfWeek=2\r\nUnitOfTime=abc\r\n[Calendar]\r\nMarkDays=7\r\n");
    EXPECT_EQ(RunHere({QStringLiteral("--datadir"), folder, QStringLiteral("check")}), 1);
    const QString file = folder + QStringLiteral("QHR.ini");
    EXPECT_EQ(Out,
              file +
                  QStringLiteral(":3: [Setup] \"UnitOfTime\": the value \"abc\" cannot be used; "
                                 "15 is used instead\n") +
                  file +
                  QStringLiteral(":5: [Calendar] \"MarkDays\": the value \"7\" cannot be "
                                 "used; 0 is used instead\n") +
                  QStringLiteral("1 files checked, 2 problems\n"));
    EXPECT_EQ(ReadFile(file), QByteArray("[Setup]\r\nFirstDayOfWeek=2\r\nUnitOfTime=abc\r\n"
                                         "[Calendar]\r\nMarkDays=7\r\n"));
}

namespace {
// Every file under root with its stamp, to see that a command wrote nothing.
QStringList FilesWithStamps(const QString& root) {
    QStringList files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.append(path + QLatin1Char(' ') + QString::number(FileStamp(path)));
    }
    files.sort();
    return files;
}
} // namespace

// A workstation whose settings name a server holding the generator's data of three users,
// none with in-use files yet.
class CliUsers : public CliCommands {
protected:
    void SetUp() override {
        CliCommands::SetUp();
        Local = MakeFolder(QStringLiteral("ws"));
        MakeFolder(QStringLiteral("ws/Data")); // a location in use, so its settings count
        Server = MakeFolder(QStringLiteral("srv"));
        UseServer(Server);
        TSampleDataGenerator(21).WriteServerData(Server + QStringLiteral("Data/"), 3, 2023, 12, 3,
                                                 &Folders);
    }
    void UseServer(const QString& server) {
        WriteFile(Local + QStringLiteral("QHR.ini"),
                  "[Server]\r\nServerPath=" + server.toUtf8() + "\r\n");
    }
    // The lines the command should print: name, tab, latest entry to the minute.
    QString ExpectedLines() const {
        QString lines;
        for (const QString& folder : Folders) {
            const TMoment last = UnpackDateTime(PackDateTime(TMonthPairs(folder).LastEntry));
            lines += LastPathPart(folder) + QLatin1Char('\t') +
                     last.ToDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm")) +
                     QLatin1Char('\n');
        }
        return lines;
    }
    QStringList Users() const {
        return {QStringLiteral("--datadir"), Local, QStringLiteral("users")};
    }

    QString Local;
    QString Server;
    QStringList Folders;
};

TEST_F(CliUsers, ListsTheUsersWithTheirLatestEntriesAndWritesNothing) {
    const QStringList before = FilesWithStamps(Temp.path());
    EXPECT_EQ(RunHere(Users()), 0);
    EXPECT_EQ(Out, ExpectedLines());
    EXPECT_TRUE(Out.startsWith(QStringLiteral("user001\t2024-02-")));
    // Users without in-use files are read in full, with the progress on the error stream.
    EXPECT_EQ(Err,
              QStringLiteral("Scanning server data for...\n  user001\n  user002\n  user003\n"));
    EXPECT_EQ(FilesWithStamps(Temp.path()), before);

    // Once the in-use files exist, the quick way gives the same lines.
    for (const QString& folder : Folders) {
        TClients clients;
        TCategories categories;
        ASSERT_TRUE(UpdateInUseLists(folder, clients, categories));
    }
    EXPECT_EQ(RunProgram(Users()), 0);
    EXPECT_EQ(Out, ExpectedLines());
    EXPECT_TRUE(Err.isEmpty());
}

TEST_F(CliUsers, SingleUserPrintsNothingAndAMissingServerIsAnError) {
    const QString alone = MakeFolder(QStringLiteral("alone"));
    EXPECT_EQ(RunHere({QStringLiteral("--datadir"), alone, QStringLiteral("users")}), 0);
    EXPECT_TRUE(Out.isEmpty());
    EXPECT_TRUE(Err.isEmpty());
    UseServer(Path(QStringLiteral("gone")));
    EXPECT_EQ(RunHere(Users()), 1);
    EXPECT_TRUE(Out.isEmpty());
    EXPECT_EQ(Err, QStringLiteral("Server path \"") + Path(QStringLiteral("gone")) +
                       QStringLiteral("/\" does not exist.\n"));
}

TEST_F(CliUsers, AMonthLineThatCannotBeReadEndsTheListWithFileAndLine) {
    const QString file = Folders[1] + QStringLiteral("2024-01.txt");
    WriteFile(file, ReadFile(file) + "32 Jan 2024\t0900\t1000\tA\tB\tC\tD\r\n");
    const int lines = static_cast<int>(ReadFile(file).count('\n'));
    EXPECT_EQ(RunHere(Users()), 1);
    EXPECT_TRUE(Out.isEmpty());
    EXPECT_TRUE(Err.endsWith(file + QStringLiteral(", line ") + QString::number(lines) +
                             QStringLiteral(": Date: '32 Jan 2024' is not a valid date\n")))
        << Err.toStdString();
}
