#include "base/datalocations.h"
#include "reporting/layouts/basereport.h"
#include "reporting/layouts/reportlayouts.h"
#include "reporting/layouts/reportrequest.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

// A sample work group of three users made by quillhour-cli, whose billing daily report of the
// current month the command line tool and the program both write as PDF files.
class ProgramAndCliPdfs : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Folder = MakeFolder(QStringLiteral("group"));
        ASSERT_EQ(Cli({QStringLiteral("sample-data"), QStringLiteral("--work-group"),
                       QStringLiteral("--users"), QStringLiteral("3"), QStringLiteral("--months"),
                       QStringLiteral("1")}),
                  0);
        Env.Args = {Env.Program, QStringLiteral("/datadir"), Folder};
        ApplyEnvironment();
        ResolveDataLocations(TResolveMode::ReadOnly);
        LoadAdminSettings();
        LoadPersonalSettings();
    }
    void TearDown() override {
        AdminSettings() = TAdminSettings{};
        TTempFolderTest::TearDown();
    }
    int Cli(const QStringList& words) {
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(QH_CLI_PROGRAM), QStringList{QStringLiteral("--datadir"), Folder} +
                                                      words);
        EXPECT_TRUE(cli.waitForFinished(60000));
        Err = QString::fromUtf8(cli.readAllStandardError());
        return cli.exitCode();
    }
    // The pages of a PDF file drawn at a small resolution, one picture file's bytes a page.
    QList<QByteArray> Drawn(const QString& pdf, const QString& name) {
        const QString pdftoppm = QStandardPaths::findExecutable(QStringLiteral("pdftoppm"));
        QProcess draw;
        draw.start(pdftoppm, {QStringLiteral("-r"), QStringLiteral("40"), QStringLiteral("-gray"),
                              pdf, Path(name)});
        EXPECT_TRUE(draw.waitForFinished(60000));
        QList<QByteArray> pages;
        const QStringList files =
            QDir(Temp.path()).entryList({name + QStringLiteral("*.pgm")}, QDir::Files, QDir::Name);
        for (const QString& file : files)
            pages.append(ReadFile(Path(file)));
        return pages;
    }
    QString Folder;
    QString Err;
};

TEST_F(ProgramAndCliPdfs, AreTheSamePages) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
    const QString cliPdf = Path(QStringLiteral("cli.pdf"));
    ASSERT_EQ(Cli({QStringLiteral("report"), QStringLiteral("daily"), QStringLiteral("--billing"),
                   QStringLiteral("--all-users"), QStringLiteral("--pdf"), cliPdf}),
              0)
        << Err.toStdString();

    // The program's way: the report window's request for the same report, written by the
    // preview's Print without a printer.
    const QDate today = QDate::currentDate();
    TReportRequest request;
    request.Kind = TReportKind::Daily;
    request.Billing = true;
    request.From = QDate(today.year(), today.month(), 1);
    request.To = QDate(today.year(), today.month(), today.daysInMonth());
    QStringList users;
    for (const char* user : {"user001", "user002", "user003"})
        users.append(ServerDataPath() + QLatin1String(user) + QLatin1Char('/'));
    request.Users = users;
    const std::unique_ptr<TBaseReport> layout = NewReportLayout(TReportKind::Daily, true, false);
    TReportInput input;
    QString reason;
    ASSERT_TRUE(PrepareReport(request, *layout, input, false, reason)) << reason.toStdString();
    ASSERT_TRUE(layout->Prepare());
    const QString programPdf = Path(QStringLiteral("program.pdf"));
    int pages = 0;
    ASSERT_TRUE(layout->WritePreparedPdf(programPdf, &pages));

    const QList<QByteArray> fromCli = Drawn(cliPdf, QStringLiteral("cli"));
    const QList<QByteArray> fromProgram = Drawn(programPdf, QStringLiteral("program"));
    ASSERT_EQ(fromProgram.size(), pages);
    ASSERT_EQ(fromCli.size(), pages);
    EXPECT_TRUE(Err.contains(QStringLiteral("%1 pages written").arg(pages))) << Err.toStdString();
    for (int page = 0; page < pages; ++page)
        EXPECT_TRUE(fromCli[page] == fromProgram[page]) << "page " << page + 1 << " differs";
}
