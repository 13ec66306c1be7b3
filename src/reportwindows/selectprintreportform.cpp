#include "selectprintreportform.h"

#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "reporting/isoweeks.h"
#include "reporting/layouts/basereport.h"
#include "reporting/layouts/reportlayouts.h"
#include "reporting/layouts/reportrequest.h"
#include "storage/months/day.h"
#include "storage/server/backup.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "widgets/progressbarform.h"

#include <cmath>

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileDialog>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace {
enum TTypeIndex { tiActivity = 0, tiWeekly = 1, tiDaily = 2, tiOvertime = 3 };
const QString NoPrinter = QStringLiteral("No printer installed (reports are saved as PDF files)");

TReportKind KindOf(int index) {
    switch (index) {
    case tiWeekly: return TReportKind::WeeklyActivity;
    case tiDaily: return TReportKind::Daily;
    case tiOvertime: return TReportKind::Overtime;
    default: return TReportKind::Activity;
    }
}

template <class TControl> TControl* Named(TControl* control, const char* name, const char* hint) {
    control->setObjectName(QString::fromLatin1(name));
    control->setProperty("hint", QString::fromLatin1(hint));
    return control;
}

QString AskPdfFileWithDialog(QWidget* parent) {
    QString name = QFileDialog::getSaveFileName(parent, QStringLiteral("Save Report as PDF"), QString(),
                                                QStringLiteral("PDF File (*.pdf)"));
    if (!name.isEmpty() && !name.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
        name += QStringLiteral(".pdf");
    return name;
}

QString AskPdfFolderWithDialog(QWidget* parent) {
    return QFileDialog::getExistingDirectory(parent, QStringLiteral("Save the Reports as PDF Files in"));
}
} // namespace

TSelectPrintReportForm::TSelectPrintReportForm(TReportLayouts& layouts, QWidget* owner)
    : TBaseSelectReportForm(owner), FLayouts(layouts) {
    setObjectName(QStringLiteral("SelectPrintReportForm"));
    setWindowTitle(QStringLiteral("Time Report"));
    AskPdfFile = AskPdfFileWithDialog;
    AskPdfFolder = AskPdfFolderWithDialog;
    PrinterInstalled = [] { return !QPrinterInfo::availablePrinterNames().isEmpty(); };
    CreateTypeGroup();
    CreateDisplayControls();
    CreatePrinterGroup();
    btnPrintEach = Named(new QPushButton(QStringLiteral("Print Each"), ButtonRow), "btnPrintEach",
                         "Print an individual report for each of the selected users");
    static_cast<QHBoxLayout*>(ButtonRow->layout())->insertWidget(4, btnPrintEach);
    FormLayout->addWidget(ButtonRow);
    setFixedSize(402, 443);
    connect(btnPreview, &QPushButton::clicked, this, [this] { btnPreviewClick(); });
    connect(btnAction, &QPushButton::clicked, this, [this] { btnActionClick(); });
    connect(btnPrintEach, &QPushButton::clicked, this, [this] { btnPrintEachClick(); });
}

void TSelectPrintReportForm::CreateTypeGroup() {
    auto* group = new QGroupBox(QStringLiteral("Type"), this);
    group->setObjectName(QStringLiteral("gbxType"));
    auto* row = new QHBoxLayout(group);
    cmbReportType = Named(new QComboBox(group), "cmbReportType", "The type of report you require");
    cmbReportType->addItems({QStringLiteral("Client/Project Activity"), QStringLiteral("Weekly Activity"),
                             QStringLiteral("Daily Hours"), QStringLiteral("Overtime")});
    cmbReportType->setAccessibleName(QStringLiteral("Report type"));
    chkBillingReport = Named(new QCheckBox(QStringLiteral("Billing report"), group), "chkBillingReport",
                             "Select to create reports with billing information");
    row->addWidget(cmbReportType, 1);
    row->addWidget(chkBillingReport);
    FormLayout->insertWidget(0, group);
    connect(cmbReportType, &QComboBox::currentIndexChanged, this, [this] { cmbReportTypeChange(); });
    connect(chkBillingReport, &QCheckBox::clicked, this,
            [this](bool on) { FBillingRemembered = on; });
}

void TSelectPrintReportForm::CreateDisplayControls() {
    auto* grid = static_cast<QGridLayout*>(gbxContent->layout());
    chkShowOvertime = Named(new QCheckBox(QStringLiteral("Include overtime"), gbxContent), "chkShowOvertime",
                            "Include overtime hours (otherwise overtime is not reported)");
    grid->addWidget(chkShowOvertime, 3, 2);
    auto* display = new QHBoxLayout;
    display->addWidget(new QLabel(QStringLiteral("  Display  "), gbxContent));
    auto* line = new QFrame(gbxContent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    display->addWidget(line, 1);
    grid->addLayout(display, 4, 0, 1, 3);
    chkRemarks = Named(new QCheckBox(QStringLiteral("Break down to remarks"), gbxContent), "chkRemarks",
                       "Show remarks (otherwise remarks are hidden and report lines are consolidated "
                       "where possible)");
    grid->addWidget(chkRemarks, 5, 1, 1, 2);
    connect(chkRemarks, &QCheckBox::clicked, this, [this](bool on) { FRemarksRemembered = on; });
}

void TSelectPrintReportForm::CreatePrinterGroup() {
    auto* group = new QGroupBox(QStringLiteral("Printer"), this);
    group->setObjectName(QStringLiteral("gbxPrinter"));
    auto* grid = new QGridLayout(group);
    cmbPrinters = Named(new QComboBox(group), "cmbPrinters", "Choose a printer");
    cmbPrinters->setAccessibleName(QStringLiteral("Printer"));
    btnA4 = Named(new QRadioButton(QStringLiteral("A4"), group), "btnA4",
                  "Print reports in a format for A4 paper");
    btnLetter = Named(new QRadioButton(QStringLiteral("Letter"), group), "btnLetter",
                      "Print reports in a format for Letter paper");
    grid->addWidget(cmbPrinters, 0, 0, 1, 4);
    grid->addWidget(new QLabel(QStringLiteral("Paper:"), group), 1, 0);
    grid->addWidget(btnA4, 1, 1);
    grid->addWidget(btnLetter, 1, 2);
    grid->setColumnStretch(3, 1);
    FormLayout->addWidget(group);
}

void TSelectPrintReportForm::ShowWindowPart() {
    SelectedUsers = AllUsers;
    AllUserCount = int(AllUsers.size());
    if (AllUserCount == 1 && AllUsers.front().Name() == CurrentUserName())
        AllUserCount = 0;
    cmbUser->blockSignals(true);
    if (AllUserCount > 0)
        cmbUser->addItem(QStringLiteral("All Users (%1)").arg(AllUserCount));
    cmbUser->setEnabled(AllUserCount > 0);
    cmbUser->blockSignals(false);
    const TSetupPersonal& personal = PersonalSettings().Setup;
    const bool billing = AdminSettings().BillingInfoActive;
    chkActiveClients->blockSignals(true);
    chkActiveClients->setChecked(personal.ActiveClients);
    chkActiveClients->blockSignals(false);
    FillClientList();
    cmbReportType->blockSignals(true);
    const int type = cmbReportType->findText(personal.ReportType);
    cmbReportType->setCurrentIndex(type >= 0 ? type : 0);
    cmbReportType->blockSignals(false);
    SetWeekly(cmbReportType->currentIndex() == tiWeekly);
    chkBillingReport->setEnabled(billing);
    chkBillingReport->setChecked(billing && personal.BillingReport);
    chkRemarks->setChecked(personal.BreakDownToRemarks);
    chkShowOvertime->setChecked(personal.ShowOvertime);
    // The saved defaults are what the boxes show and come back to, so they are remembered
    // before setting the period brings the boxes up to date.
    FBillingRemembered = chkBillingReport->isChecked();
    FRemarksRemembered = chkRemarks->isChecked();
    FOvertimeRemembered = chkShowOvertime->isChecked();
    SetPeriod(IsWeekly() ? Sources().Week : Sources().Month);
    FillPrinters();
    btnA4->setChecked(personal.PaperSizeA4);
    btnLetter->setChecked(!personal.PaperSizeA4);
}

void TSelectPrintReportForm::FillPrinters() {
    cmbPrinters->clear();
    if (!PrinterInstalled()) {
        cmbPrinters->addItem(NoPrinter);
        cmbPrinters->setEnabled(false);
        return;
    }
    cmbPrinters->setEnabled(true);
    cmbPrinters->addItems(QPrinterInfo::availablePrinterNames());
    int chosen = cmbPrinters->findText(PersonalSettings().Setup.PrinterName);
    if (chosen < 0)
        chosen = cmbPrinters->findText(QPrinterInfo::defaultPrinterName());
    cmbPrinters->setCurrentIndex(std::max(chosen, 0));
}

void TSelectPrintReportForm::cmbReportTypeChange() {
    SetWeekly(cmbReportType->currentIndex() == tiWeekly);
    ComputeWeekNumber();
    UpdateControls();
}

void TSelectPrintReportForm::UpdateControls() {
    btnUsers->setEnabled(WorkgroupSelected());
    const bool weekly = cmbReportType->currentIndex() == tiWeekly;
    // The weekly report's period is its week first; the week box then tells whether that is an
    // ISO week.
    if (weekly) {
        SnapToWeek();
        ComputeWeekNumber();
    }
    const bool wholeWeek = IsWholeWeek(pickFrom->date(), pickTo->date());
    txtWeeknum->setEnabled(wholeWeek);
    if (!wholeWeek)
        txtWeeknum->setText(QStringLiteral("no number"));
    const bool billingActive = AdminSettings().BillingInfoActive;
    if (weekly) {
        cmbClient->setCurrentIndex(0);
        cmbClient->setEnabled(false);
        cmbProject->setCurrentIndex(0);
        cmbProject->setEnabled(false);
        pickTo->setEnabled(false);
        sbMonth->setEnabled(false);
        cmbCharging->setCurrentIndex(0);
        cmbCharging->setEnabled(false);
        chkBillingReport->setChecked(false);
        chkBillingReport->setEnabled(false);
        chkRemarks->setChecked(false);
        chkRemarks->setEnabled(false);
    } else {
        cmbClient->setEnabled(cmbClient->count() > 1);
        cmbProject->setEnabled(cmbClient->currentIndex() > 0);
        pickTo->setEnabled(true);
        sbMonth->setEnabled(true);
        cmbCharging->setEnabled(true);
        chkBillingReport->setEnabled(billingActive);
        chkBillingReport->setChecked(billingActive && FBillingRemembered);
        chkRemarks->setEnabled(true);
        chkRemarks->setChecked(FRemarksRemembered);
    }
    const bool overtimeForced = weekly || cmbReportType->currentIndex() == tiOvertime;
    chkShowOvertime->setEnabled(!overtimeForced);
    chkShowOvertime->setChecked(overtimeForced || FOvertimeRemembered);
    chkActiveClients->setEnabled(cmbClient->isEnabled());
    btnPrintEach->setEnabled(WorkgroupSelected() && SelectedUsers.size() > 1);
}

bool TSelectPrintReportForm::RunReport(const QString& singleUser, QString& reason) {
    reason.clear();
    const int type = cmbReportType->currentIndex();
    TReportRequest request;
    request.Kind = KindOf(type);
    request.Letter = !btnA4->isChecked();
    request.Billing = type != tiWeekly && chkBillingReport->isChecked();
    request.From = pickFrom->date();
    request.To = pickTo->date();
    request.Users = ChosenUserFolders(singleUser);
    request.ClientFilter = ClientFilter();
    request.ProjectFilter = ProjectFilter();
    request.Charging = TCharging(cmbCharging->currentIndex());
    request.ShowOvertime = chkShowOvertime->isChecked();
    request.BreakDownToRemarks = chkRemarks->isChecked();
    TBaseReport& layout = FLayouts.Layout(request.Kind, request.Billing, request.Letter);
    // The preview's Print goes to the same printer as the window's.
    layout.PrinterName = PrinterInstalled() ? cmbPrinters->currentText() : QString();
    TReportInput input;
    try {
        if (!PrepareReport(request, layout, input, singleUser.isEmpty(), reason))
            return false;
    } catch (const EInOutError& error) {
        reason = error.Message();
        ShowMessageBox(reason, TMsgKind::Error, mbOK);
        return false;
    }
    const bool produced = PrintNow ? Output(layout, singleUser) : layout.Produce(false);
    if (!produced && reason.isEmpty())
        reason = QStringLiteral("There are no hours to report");
    return produced;
}

bool TSelectPrintReportForm::Output(TBaseReport& layout, const QString& singleUser) {
    if (PrinterInstalled())
        return layout.Produce(true);
    if (!layout.Prepare() || !layout.MakesPages()) {
        ShowMessageBox(QStringLiteral("There are no hours to report"), TMsgKind::Warning, mbOK);
        return false;
    }
    const QString file = singleUser.isEmpty()
                             ? AskPdfFile(this)
                             : QDir(FPdfFolder).filePath(LastPathPart(singleUser) + QStringLiteral(".pdf"));
    if (file.isEmpty())
        return false;
    if (layout.WritePreparedPdf(file))
        return true;
    ShowMessageBox(QStringLiteral("Unable to save file - another application may be using it"),
                   TMsgKind::Error, mbOK);
    return false;
}

void TSelectPrintReportForm::btnPreviewClick() {
    if (!IsServerAdministration() && WorkgroupSelected())
        BackupToServer();
    PrintNow = false;
    QString reason;
    RunReport(QString(), reason);
}

void TSelectPrintReportForm::btnActionClick() {
    if (!IsServerAdministration() && WorkgroupSelected())
        BackupToServer();
    if (!PrinterInstalled() &&
        ShowMessageBox(QStringLiteral("No printer is installed. Save the report as a PDF file instead?"),
                       TMsgKind::Confirmation, mbYes | mbNo) != mrYes)
        return;
    PrintNow = true;
    QString reason;
    RunReport(QString(), reason);
}

void TSelectPrintReportForm::btnPrintEachClick() {
    if (!IsServerAdministration())
        BackupToServer();
    if (!PrinterInstalled()) {
        if (ShowMessageBox(QStringLiteral("No printer is installed. Save each report as a PDF file, "
                                          "named after its user, instead?"),
                           TMsgKind::Confirmation, mbYes | mbNo) != mrYes)
            return;
        FPdfFolder = AskPdfFolder(this);
        if (FPdfFolder.isEmpty())
            return;
    }
    SortSelectedUsers();
    const TServerUsers users = SelectedUsers;
    const int count = int(users.size());
    QString failures;
    int lastHandled = -1;
    {
        TProgressBarForm progress(this);
        progress.ConfirmCancel = true;
        progress.Start(QStringLiteral("Printing ..."));
        for (int i = 0; i < count; ++i) {
            const bool going = progress.Update(
                int(std::lround((i + 1) * 100.0 / count)),
                QStringLiteral("Printing ... %1 of %2").arg(i + 1).arg(count));
            if (!going)
                break;
            PrintNow = true;
            QString reason;
            if (!RunReport(users[std::size_t(i)].Folder, reason))
                failures += users[std::size_t(i)].Name() + QStringLiteral(" - ") + reason +
                            QLatin1Char('\r');
            lastHandled = i;
            if (progress.Cancelled())
                break;
        }
    }
    if (failures.isEmpty() && lastHandled == count - 1)
        return;
    for (int i = lastHandled + 1; i < count; ++i)
        failures += users[std::size_t(i)].Name() + QStringLiteral(" - operation cancelled\r");
    ShowMessageBox(QStringLiteral("One or more reports were not printed:\r\r") + failures,
                   TMsgKind::Warning, mbOK);
}
