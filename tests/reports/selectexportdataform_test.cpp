#include "base/datalocations.h"
#include "export/exportformat.h"
#include "export/exportformatfiles.h"
#include "export/exportitem.h"
#include "reportwindows/selectexportdataform.h"
#include "sampledata/sampledata.h"
#include "widgets/progresslabelform.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "testsupport.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QToolButton>
#include <QTimer>
#include <QtTest/QTest>

#include <gtest/gtest.h>

// Workstation "mary" of a work group whose server holds March 2024 of five generated users;
// mary's own March is in her local data.
class SelectExportDataForm : public TTempFolderTest {
protected:
    void SetUp() override {
        TTempFolderTest::SetUp();
        Locations().LocalFolder = MakeFolder(QStringLiteral("local"));
        Locations().ServerFolder = MakeFolder(QStringLiteral("server"));
        MakeFolder(QStringLiteral("local/Data/_ExportFormats"));
        MakeFolder(QStringLiteral("server/Data/_ExportFormats"));
        AdminSettings() = TAdminSettings{};
        PersonalSettings().UserName = QStringLiteral("mary");
        PersonalSettings().Setup = TSetupPersonal{};
        TSampleDataGenerator(4).WriteServerData(ServerDataPath(), 5, 2024, 3, 1, &Folders);
        TSampleDataGenerator(9).WriteUserMonths(LocalDataPath(), 6, 2024, 3, 1);
        Form = std::make_unique<TSelectExportDataForm>();
        Form->ProgressDelay = 0; // the progress window shows in every export
        Sources.InUseClients = &InUseClients;
        Sources.InUseCategories = &InUseCategories;
        Sources.ClientProjectList = &ClientList;
        Sources.Week = {QDate(2024, 3, 4), QDate(2024, 3, 10)};
        Sources.Month = {QDate(2024, 3, 1), QDate(2024, 3, 31)};
        Output = Path(QStringLiteral("out.csv"));
    }
    void TearDown() override {
        Form.reset();
        AdminSettings() = TAdminSettings{};
        TTempFolderTest::TearDown();
    }
    // A comma-separated format of the user, date, client and duration of "This month".
    TExportFormat& AddFormat(const QString& name, const QStringList& users = {}) {
        auto format = std::make_unique<TExportFormat>();
        format->SetName(name);
        format->FormatDescription = name + QStringLiteral(" for the office");
        format->Delimiter = ',';
        format->Period = 2;
        format->Users = users;
        format->FileDir = Locations().LocalFolder;
        format->FileName = name + QStringLiteral(".csv");
        for (TExportField field : {TExportField::User, TExportField::Date, TExportField::Client,
                                   TExportField::Duration})
            format->AddField(field);
        EXPECT_EQ(format->Save(), QString());
        Formats.push_back(std::move(format));
        return *Formats.back();
    }
    void Open() {
        ASSERT_TRUE(Form->FillFormatList());
        Form->ShowFor(&MainWindow, Sources);
        QApplication::processEvents();
    }
    void Choose(QComboBox* box, const QString& text) {
        const int index = box->findText(text);
        ASSERT_GE(index, 0) << text.toStdString();
        box->setCurrentIndex(index);
        QApplication::processEvents();
    }
    void SetMarch() {
        Form->pickFrom->setDate(QDate(2024, 3, 1));
        Form->pickTo->setDate(QDate(2024, 3, 31));
    }
    void ExportTo(const QString& file) {
        Form->edtFileName->setText(file);
        QTest::mouseClick(Form->btnAction, Qt::LeftButton);
    }
    // The file quillhour-cli writes for format over March, for users (the format's own when
    // empty).
    QByteArray CliExport(const QString& format, const QString& users) {
        WriteFile(Locations().LocalFolder + QStringLiteral("QHR.ini"),
                  "[Registration]\r\nUserName=mary\r\n[Server]\r\nServerPath=" +
                      Locations().ServerFolder.toUtf8() + "\r\n");
        const QString file = Path(QStringLiteral("cli.csv"));
        QStringList args{QStringLiteral("--datadir"), Locations().LocalFolder, QStringLiteral("export"), format,
                         QStringLiteral("--from"), QStringLiteral("2024-03-01"), QStringLiteral("--to"),
                         QStringLiteral("2024-03-31"), QStringLiteral("--output"), file};
        if (!users.isEmpty())
            args << QStringLiteral("--users") << users;
        QProcess cli;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("APPDATA"), MakeFolder(QStringLiteral("appdata")));
        cli.setProcessEnvironment(env);
        cli.start(QStringLiteral(QH_CLI_PROGRAM), args);
        EXPECT_TRUE(cli.waitForFinished(30000));
        EXPECT_EQ(cli.exitCode(), 0) << cli.readAllStandardError().toStdString();
        return ReadFile(file);
    }
    QStringList UsersInFile(const QByteArray& bytes) const {
        QStringList users;
        for (const QByteArray& line : bytes.split('\n'))
            if (!line.trimmed().isEmpty()) {
                const QString user = QString::fromUtf8(line.split(',').front());
                if (!users.contains(user))
                    users.append(user);
            }
        users.sort();
        return users;
    }

    QStringList Folders;
    TClients InUseClients;
    TCategories InUseCategories;
    TClients ClientList;
    TSelectReportSources Sources;
    QWidget MainWindow;
    std::vector<std::unique_ptr<TExportFormat>> Formats;
    std::unique_ptr<TSelectExportDataForm> Form;
    QString Output;
};

TEST_F(SelectExportDataForm, NoFormatsMeansNoWindow) {
    EXPECT_FALSE(Form->FillFormatList());
    EXPECT_EQ(Form->cmbReportType->count(), 0);
}

TEST_F(SelectExportDataForm, OpeningAppliesTheFirstFormatsDefaults) {
    AddFormat(QStringLiteral("Hours"));
    Open();
    EXPECT_EQ(Form->windowTitle(), QStringLiteral("Export Data"));
    EXPECT_EQ(Form->btnAction->text(), QStringLiteral("Export"));
    EXPECT_FALSE(Form->btnPreview->isVisible());
    EXPECT_EQ(Form->cmbReportType->currentText(), QStringLiteral("Hours"));
    EXPECT_EQ(Form->txtDescription->text(), QStringLiteral("Hours for the office"));
    const QDate today = QDate::currentDate();
    EXPECT_EQ(Form->pickFrom->date(), QDate(today.year(), today.month(), 1)); // "This month"
    EXPECT_EQ(Form->pickTo->date(), QDate(today.year(), today.month(), today.daysInMonth()));
    EXPECT_EQ(Form->edtFileName->text(), Locations().LocalFolder + QStringLiteral("Hours.csv"));
    ASSERT_EQ(Form->cmbUser->count(), 2);
    EXPECT_EQ(Form->cmbUser->currentIndex(), 1); // no users named: all of them
    EXPECT_EQ(Form->cmbUser->itemText(1), QStringLiteral("All Users (6)")); // with mary's backup
    EXPECT_TRUE(Form->btnUsers->isEnabled());
}

TEST_F(SelectExportDataForm, ACurrentUserFormatReadsOnlyTheUsersOwnDataAsTheCommandLineDoes) {
    AddFormat(QStringLiteral("Mine"), {QStringLiteral("mary")});
    Open();
    EXPECT_EQ(Form->cmbUser->currentIndex(), 0);
    EXPECT_FALSE(Form->btnUsers->isEnabled());
    SetMarch();
    Messages->Answer = mrYes;
    ExportTo(Output);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Information);
    EXPECT_EQ(Messages->Shown[0].Text, QStringLiteral("Data exported to\t\r\"") + Output + QLatin1Char('"'));
    EXPECT_TRUE(Form->isVisible()); // stays open for further exports
    const QByteArray written = ReadFile(Output);
    EXPECT_EQ(UsersInFile(written), QStringList({"mary"}));
    EXPECT_EQ(written, CliExport(QStringLiteral("Mine"), QString()));
}

TEST_F(SelectExportDataForm, SelectedUsersAreShownAndExportedAsTheCommandLineDoes) {
    AddFormat(QStringLiteral("Pair"), {QStringLiteral("user002"), QStringLiteral("user004")});
    Open();
    EXPECT_EQ(Form->cmbUser->currentIndex(), 1);
    EXPECT_EQ(Form->cmbUser->itemText(1), QStringLiteral("Selected Users (2 of 6)"));
    ASSERT_EQ(Form->SelectedUsers.size(), 2u);
    SetMarch();
    ExportTo(Output);
    const QByteArray written = ReadFile(Output);
    EXPECT_EQ(UsersInFile(written), QStringList({"user002", "user004"}));
    EXPECT_EQ(written, CliExport(QStringLiteral("Pair"), QStringLiteral("user002,user004")));
    // The format itself is never changed by an export.
    EXPECT_EQ(Form->ChosenFormat()->FileName, QStringLiteral("Pair.csv"));
}

TEST_F(SelectExportDataForm, AChangedClientDoesNotChangeTheFormat) {
    TExportFormat& hours = AddFormat(QStringLiteral("Hours"));
    AddFormat(QStringLiteral("Other"));
    Q_UNUSED(hours);
    Open();
    ASSERT_GT(Form->cmbClient->count(), 1);
    Form->cmbClient->setCurrentIndex(1);
    const QString chosen = Form->cmbClient->currentText();
    SetMarch();
    ExportTo(Output);
    const QByteArray written = ReadFile(Output);
    ASSERT_FALSE(written.isEmpty());
    for (const QByteArray& line : written.split('\n')) {
        if (!line.trimmed().isEmpty()) {
            EXPECT_EQ(QString::fromUtf8(line.split(',')[2]), chosen);
        }
    }
    EXPECT_TRUE(Form->ChosenFormat()->Client.isEmpty());
    Choose(Form->cmbReportType, QStringLiteral("Other"));
    Choose(Form->cmbReportType, QStringLiteral("Hours"));
    EXPECT_EQ(Form->cmbClient->currentText(), QStringLiteral("All Clients")); // the format's own
}

TEST_F(SelectExportDataForm, BrowseProposesTheFormatsExtension) {
    AddFormat(QStringLiteral("Comma"));
    TExportFormat& tab = AddFormat(QStringLiteral("Tabbed"));
    tab.Delimiter = '\t';
    ASSERT_EQ(tab.Save(), QString());
    Open();
    QString proposed;
    Form->SaveDialog = [&](QWidget*, const QString&, const QString& suffix) {
        proposed = suffix;
        return Path(QStringLiteral("chosen") + suffix);
    };
    QTest::mouseClick(Form->btnBrowse, Qt::LeftButton);
    EXPECT_EQ(proposed, QStringLiteral(".csv"));
    EXPECT_EQ(Form->edtFileName->text(), Path(QStringLiteral("chosen.csv")));
    Choose(Form->cmbReportType, QStringLiteral("Tabbed"));
    QTest::mouseClick(Form->btnBrowse, Qt::LeftButton);
    EXPECT_EQ(proposed, QStringLiteral(".txt"));
}

TEST_F(SelectExportDataForm, NoToTheOverwriteQuestionExportsNothing) {
    AddFormat(QStringLiteral("Hours"));
    WriteFile(Output, "keep me");
    Open();
    SetMarch();
    Messages->Answer = mrNo;
    ExportTo(Output);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_EQ(Messages->Shown[0].Text,
              QLatin1Char('"') + Output + QStringLiteral("\" already exists.\nDo you want to replace it?"));
    EXPECT_EQ(ReadFile(Output), QByteArray("keep me"));

    Messages->Answer = mrYes;
    ExportTo(QStringLiteral("  "));
    EXPECT_EQ(Messages->Shown.back().Text, QStringLiteral("Please enter a file name"));
    EXPECT_EQ(Form->focusWidget(), Form->edtFileName);
    const QString missing = Path(QStringLiteral("missing/out.csv"));
    ExportTo(missing);
    EXPECT_EQ(Messages->Shown.back().Text, QLatin1Char('"') + missing + QStringLiteral("\" is not a valid file name"));
    EXPECT_FALSE(Form->Exporting());
    EXPECT_TRUE(Form->btnAction->isEnabled());
}

TEST_F(SelectExportDataForm, ADamagedFormatIsListedAndHidingReleasesTheFormats) {
    AddFormat(QStringLiteral("Good"));
    WriteFile(ExportFormatFileName(QStringLiteral("Broken")), "[Header]\r\nFormatName=Broken\r\nFieldCount=x\r\n");
    Open();
    EXPECT_EQ(Form->cmbReportType->count(), 2);
    EXPECT_GE(Form->cmbReportType->findText(QStringLiteral("Broken")), 0);
    QTest::mouseClick(Form->btnClose, Qt::LeftButton);
    EXPECT_EQ(Form->cmbReportType->count(), 0);
    EXPECT_EQ(Form->ChosenFormat(), nullptr);
    EXPECT_TRUE(MainWindow.isEnabled());
}

TEST_F(SelectExportDataForm, AnExportShowsItIsWorkingAndCannotStartTwice) {
    AddFormat(QStringLiteral("Hours"));
    Open();
    SetMarch();
    Form->edtFileName->setText(Output);
    bool exporting = false;
    bool buttonEnabled = true;
    bool progressShown = false;
    QTimer::singleShot(0, Form.get(), [&] {
        exporting = Form->Exporting();
        buttonEnabled = Form->btnAction->isEnabled();
        const auto* progress = Form->findChild<TProgressLabelForm*>();
        progressShown = progress && progress->isVisible();
        Form->ExportNow(); // a second export while the first runs does nothing
    });
    QTest::mouseClick(Form->btnAction, Qt::LeftButton);
    EXPECT_TRUE(exporting);
    EXPECT_FALSE(buttonEnabled);
    EXPECT_TRUE(progressShown);
    ASSERT_EQ(Messages->Shown.size(), 1u); // one export, one information box
    EXPECT_EQ(Messages->Shown[0].Kind, TMsgKind::Information);
    EXPECT_FALSE(Form->Exporting());
    EXPECT_TRUE(Form->btnAction->isEnabled());
    EXPECT_EQ(Form->findChild<TProgressLabelForm*>(), nullptr);
}

TEST_F(SelectExportDataForm, AFormatThatCannotBeReadSaysWhyAndExportsNothing) {
    AddFormat(QStringLiteral("Good"));
    WriteFile(ExportFormatFileName(QStringLiteral("Broken")),
              "[Header]\r\nFormatName=Broken\r\nFieldCount=x\r\n");
    Open();
    Choose(Form->cmbReportType, QStringLiteral("Broken"));
    EXPECT_TRUE(Form->txtDescription->text().startsWith(QStringLiteral("Cannot be read: ")))
        << Form->txtDescription->text().toStdString();
    SetMarch();
    ExportTo(Output);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Messages->Shown[0].Text.startsWith(
        QStringLiteral("The export format \"Broken\" could not be read:")));
    EXPECT_FALSE(Messages->Shown[0].Text.contains(QStringLiteral("No data")));
    EXPECT_FALSE(QFile::exists(Output));
}

TEST_F(SelectExportDataForm, AFileChosenWithBrowseIsNotAskedAboutTwice) {
    AddFormat(QStringLiteral("Hours"));
    WriteFile(Output, "old");
    Open();
    SetMarch();
    // The save dialog has asked whether to replace the file when it was chosen.
    Form->SaveDialog = [&](QWidget*, const QString&, const QString&) { return Output; };
    QTest::mouseClick(Form->btnBrowse, Qt::LeftButton);
    QTest::mouseClick(Form->btnAction, Qt::LeftButton);
    ASSERT_EQ(Messages->Shown.size(), 1u);
    EXPECT_TRUE(Messages->Shown[0].Text.startsWith(QStringLiteral("Data exported to")));
    EXPECT_NE(ReadFile(Output), QByteArray("old"));
    // The next export to the same file asks again: nobody chose it this time.
    Messages->Answer = mrNo;
    QTest::mouseClick(Form->btnAction, Qt::LeftButton);
    EXPECT_TRUE(Messages->Shown.back().Text.contains(QStringLiteral("already exists")));
}
