#include "selectexportdataform.h"

#include "base/busycursor.h"
#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/help.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "export/exportengine.h"
#include "reporting/isoweeks.h"
#include "storage/server/backup.h"
#include "storage/settings/adminsettings.h"
#include "widgets/exportfiledialog.h"
#include "widgets/progresslabelform.h"

#include <atomic>
#include <chrono>
#include <thread>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
template <class TControl> TControl* Named(TControl* control, const char* name, const char* hint) {
    control->setObjectName(QString::fromLatin1(name));
    control->setProperty("hint", QString::fromLatin1(hint));
    return control;
}

} // namespace

TSelectExportDataForm::TSelectExportDataForm(QWidget* owner)
    : TBaseSelectReportForm(owner), SaveDialog(PlatformExportFileDialog) {
    setObjectName(QStringLiteral("SelectExportDataForm"));
    setWindowTitle(QStringLiteral("Export Data"));
    CreateFormatGroup();
    CreateFileGroup();
    auto* grid = static_cast<QGridLayout*>(gbxContent->layout());
    chkShowOvertime = Named(new QCheckBox(QStringLiteral("Include overtime"), gbxContent), "chkShowOvertime",
                            "Include overtime hours (otherwise overtime data is not exported)");
    grid->addWidget(chkShowOvertime, 3, 2);
    btnPreview->hide();
    btnAction->setText(QStringLiteral("Export"));
    btnAction->setProperty("hint", QStringLiteral("Export the data to the file"));
    btnAction->setDefault(true);
    FormLayout->addWidget(ButtonRow);
    // The help of this window, not the report window's.
    sbhelp->disconnect();
    connect(sbhelp, &QToolButton::clicked, this, [] { ShowHelpTopic(QStringLiteral("Exporting Data.htm")); });
    connect(btnAction, &QPushButton::clicked, this, [this] { ExportNow(); });
    setFixedWidth(402);
}

TSelectExportDataForm::~TSelectExportDataForm() = default;

void TSelectExportDataForm::CreateFormatGroup() {
    gbxFormat = new QGroupBox(QStringLiteral("Export Format"), this);
    gbxFormat->setObjectName(QStringLiteral("gbxFormat"));
    auto* column = new QVBoxLayout(gbxFormat);
    cmbReportType = Named(new QComboBox(gbxFormat), "cmbReportType", "The export format to use");
    cmbReportType->setAccessibleName(QStringLiteral("Export format"));
    txtDescription = Named(new QLineEdit(gbxFormat), "txtDescription", "The description of the export format");
    txtDescription->setReadOnly(true);
    txtDescription->setFrame(false);
    txtDescription->setAccessibleName(QStringLiteral("Format description"));
    column->addWidget(cmbReportType);
    column->addWidget(txtDescription);
    FormLayout->insertWidget(0, gbxFormat);
    connect(cmbReportType, &QComboBox::currentIndexChanged, this, [this] { FormatChange(); });
}

void TSelectExportDataForm::CreateFileGroup() {
    gbxFile = new QGroupBox(QStringLiteral("File"), this);
    gbxFile->setObjectName(QStringLiteral("gbxFile"));
    auto* row = new QHBoxLayout(gbxFile);
    edtFileName = Named(new QLineEdit(gbxFile), "edtFileName", "The file the data is exported to");
    btnBrowse = Named(new QPushButton(QStringLiteral("..."), gbxFile), "btnBrowse", "Choose the export file");
    btnBrowse->setAutoDefault(false);
    btnBrowse->setMaximumWidth(32);
    auto* label = new QLabel(QStringLiteral("Name:"), gbxFile);
    label->setBuddy(edtFileName);
    row->addWidget(label);
    row->addWidget(edtFileName, 1);
    row->addWidget(btnBrowse);
    FormLayout->addWidget(gbxFile);
    connect(btnBrowse, &QPushButton::clicked, this, [this] { BrowseClick(); });
}

bool TSelectExportDataForm::FillFormatList() {
    FFormats.clear();
    ListExportFormats(FFormats, true);
    // A format that would not load is still listed with what could be read.
    for (TExportFormatEntry& entry : FFormats)
        if (!entry.Format)
            entry.Format = std::make_unique<TExportFormat>();
    const QSignalBlocker blocker(cmbReportType);
    cmbReportType->clear();
    for (const TExportFormatEntry& entry : FFormats)
        cmbReportType->addItem(entry.Name);
    return !FFormats.empty();
}

QString TSelectExportDataForm::ChosenLoadError() const {
    const int index = cmbReportType->currentIndex();
    return index >= 0 && index < int(FFormats.size()) ? FFormats[std::size_t(index)].LoadError
                                                      : QString();
}

const TExportFormat* TSelectExportDataForm::ChosenFormat() const {
    const int index = cmbReportType->currentIndex();
    return index >= 0 && index < int(FFormats.size()) ? FFormats[std::size_t(index)].Format.get() : nullptr;
}

void TSelectExportDataForm::ShowWindowPart() {
    SelectedUsers = AllUsers;
    AllUserCount = int(AllUsers.size());
    if (AllUserCount == 1 && AllUsers.front().Name() == CurrentUserName())
        AllUserCount = 0;
    {
        const QSignalBlocker blocker(cmbUser);
        if (AllUserCount > 0)
            cmbUser->addItem(QStringLiteral("All Users (%1)").arg(AllUserCount));
        cmbUser->setEnabled(AllUserCount > 0);
    }
    FillClientList();
    {
        const QSignalBlocker blocker(cmbReportType);
        cmbReportType->setCurrentIndex(FFormats.empty() ? -1 : 0);
    }
    FormatChange();
}

void TSelectExportDataForm::FormatChange() {
    const TExportFormat* format = ChosenFormat();
    if (!format)
        return;
    const QString loadError = ChosenLoadError();
    txtDescription->setText(loadError.isEmpty() ? format->FormatDescription
                                                : QStringLiteral("Cannot be read: ") + loadError);
    txtDescription->setCursorPosition(0);
    SetPeriod(PeriodDates(format->Period, QDate::currentDate(), AdminSettings().FirstDayOfWeek));
    ComputeWeekNumber();
    if (AllUserCount > 0)
        ApplyFormatUsers(*format);
    ApplyFormatClient(*format);
    cmbCharging->setCurrentIndex(int(format->Charging));
    chkShowOvertime->setChecked(format->Overtime);
    edtFileName->setText(format->FileDir + format->FileName);
    UpdateControls();
}

void TSelectExportDataForm::ApplyFormatUsers(const TExportFormat& format) {
    const QSignalBlocker blocker(cmbUser);
    SelectedUsers.clear();
    const QStringList& names = format.Users;
    if (names.size() == 1 && names.front() == CurrentUserName()) {
        SelectedUsers = AllUsers;
        cmbUser->setCurrentIndex(0);
        return;
    }
    if (names.isEmpty()) {
        SelectedUsers = AllUsers;
        cmbUser->setItemText(1, QStringLiteral("All Users (%1)").arg(AllUserCount));
    } else {
        for (const TServerUser& user : AllUsers)
            if (names.contains(user.Name()))
                SelectedUsers.push_back(user);
        cmbUser->setItemText(1, QStringLiteral("Selected Users (%1 of %2)")
                                    .arg(SelectedUsers.size())
                                    .arg(AllUserCount));
    }
    cmbUser->setCurrentIndex(1);
}

void TSelectExportDataForm::ApplyFormatClient(const TExportFormat& format) {
    {
        const QSignalBlocker clients(cmbClient);
        const QSignalBlocker projects(cmbProject);
        cmbClient->setCurrentIndex(0);
        cmbProject->setCurrentIndex(0);
    }
    FillClientList();
    {
        const QSignalBlocker blocker(chkActiveClients);
        chkActiveClients->setChecked(format.ActiveClientProjects);
    }
    FillClientList();
    const int client = format.Client.isEmpty() ? -1 : cmbClient->findText(format.Client);
    if (client > 0) {
        cmbClient->setCurrentIndex(client); // refills the projects
        FillClientList();
        const int project = format.Project.isEmpty() ? -1 : cmbProject->findText(format.Project);
        if (project > 0) {
            cmbProject->setCurrentIndex(project);
            FillClientList();
        }
    }
}

void TSelectExportDataForm::UpdateControls() {
    btnUsers->setEnabled(WorkgroupSelected());
    const bool wholeWeek = IsWholeWeek(pickFrom->date(), pickTo->date());
    txtWeeknum->setEnabled(wholeWeek);
    if (!wholeWeek)
        txtWeeknum->setText(QStringLiteral("no number"));
    chkActiveClients->setEnabled(cmbClient->isEnabled());
    btnAction->setEnabled(ChosenFormat() != nullptr && !FExporting);
}

void TSelectExportDataForm::BrowseClick() {
    const TExportFormat* format = ChosenFormat();
    const bool comma = format && format->Delimiter == ',';
    if (!BrowseExportFile(edtFileName, SaveDialog,
                          comma ? QStringLiteral(".csv") : QStringLiteral(".txt")))
        return;
    // The save dialog has asked about replacing an existing file already.
    FReplaceConfirmed = QFileInfo::exists(edtFileName->text()) ? edtFileName->text() : QString();
}

std::unique_ptr<TExportFormat> TSelectExportDataForm::PreparedCopy() {
    const TExportFormat* format = ChosenFormat();
    if (!format)
        return nullptr;
    const QString file = edtFileName->text().trimmed();
    QString error;
    if (file.isEmpty())
        error = QStringLiteral("Please enter a file name");
    else if (!CanCreateFile(QFileInfo(file).absoluteFilePath()))
        error = QLatin1Char('"') + file + QStringLiteral("\" is not a valid file name");
    if (!error.isEmpty()) {
        ShowMessageBox(error, TMsgKind::Error, mbOK);
        edtFileName->setFocus();
        return nullptr;
    }
    std::unique_ptr<TExportFormat> copy = format->Copy();
    TExportHeader header;
    header.Name = format->FormatName;
    header.Description = format->FormatDescription;
    header.Period = format->Period;
    header.Delimiter = format->Delimiter;
    header.DelimiterReplace = format->DelimiterReplace;
    header.SkipEmptyGroups = format->SkipEmptyGroups;
    header.BlankRows = format->BlankRows;
    header.Headings = format->Headings;
    header.Overtime = chkShowOvertime->isChecked();
    header.Charging = TCharging(std::max(0, cmbCharging->currentIndex()));
    header.ActiveClientProjects = chkActiveClients->isChecked();
    header.Client = ClientFilter();
    header.Project = header.Client.isEmpty() ? QString() : ProjectFilter();
    header.OutputPath = QFileInfo(file).absoluteFilePath();
    error = copy->SetHeader(header);
    if (!error.isEmpty()) {
        ShowMessageBox(error, TMsgKind::Error, mbOK);
        return nullptr;
    }
    copy->Users.clear();
    if (WorkgroupSelected())
        for (const TServerUser& user : SelectedUsers)
            copy->Users.append(user.Name());
    else
        copy->Users.append(CurrentUserName());
    return copy;
}

void TSelectExportDataForm::ExportNow() {
    if (FExporting || !ChosenFormat())
        return;
    if (const QString loadError = ChosenLoadError(); !loadError.isEmpty()) {
        ShowMessageBox(QStringLiteral("The export format \"") + cmbReportType->currentText() +
                           QStringLiteral("\" could not be read:\t\r") + loadError,
                       TMsgKind::Error, mbOK);
        return;
    }
    const QString file = edtFileName->text().trimmed();
    if (!file.isEmpty() && file != FReplaceConfirmed && !ConfirmReplace({file}))
        return;
    FReplaceConfirmed.clear();
    if (!IsServerAdministration() && WorkgroupSelected())
        BackupToServer();
    std::unique_ptr<TExportFormat> copy = PreparedCopy();
    if (!copy)
        return;
    const QString error = RunExport(*copy, pickFrom->date(), pickTo->date());
    if (!error.isEmpty())
        ShowMessageBox(error, TMsgKind::Error, mbOK);
    else
        ShowMessageBox(QStringLiteral("Data exported to\t\r\"") + copy->FileDir + copy->FileName +
                           QLatin1Char('"'),
                       TMsgKind::Information, mbOK);
}

QString TSelectExportDataForm::RunExport(const TExportFormat& copy, QDate from, QDate to) {
    FExporting = true;
    UpdateControls();
    const TBusyCursor busy;
    QString error;
    std::atomic<bool> done = false;
    std::thread worker([&] {
        try {
            error = ExportData(copy, from, to);
        } catch (const EInOutError& failure) {
            error = failure.Text();
        }
        done = true;
    });
    QElapsedTimer running;
    running.start();
    std::unique_ptr<TProgressLabelForm> progress;
    while (!done) {
        if (!progress && running.elapsed() >= ProgressDelay) {
            progress = std::make_unique<TProgressLabelForm>(this);
            progress->Start(QStringLiteral("Exporting data..."));
            progress->btnCancel->setEnabled(false); // an export runs to its end
            progress->lblUpdate->setText(copy.FormatName);
        }
        // Keeps the window painted; clicks wait until the export is over.
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 20);
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    worker.join();
    progress.reset();
    FExporting = false;
    UpdateControls();
    return error;
}

void TSelectExportDataForm::hideEvent(QHideEvent* event) {
    TBaseSelectReportForm::hideEvent(event);
    FFormats.clear();
    const QSignalBlocker blocker(cmbReportType);
    cmbReportType->clear();
}
