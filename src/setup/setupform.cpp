#include "setupform.h"

#include "base/applocale.h"
#include "base/configurationreport.h"
#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/help.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "calendar/calendarappearance.h"
#include "calendar/colornumber.h"
#include "calendar/graphiccalendar.h"
#include "setup/exportformatlistpage.h"
#include "setup/listtreeeditor.h"
#include "setup/setupcalendarform.h"
#include "setup/setupcolumnsliders.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/values/money.h"
#include "storage/values/timevalues.h"
#include "widgets/colorbutton.h"
#include "widgets/scanprogresswindow.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
const QString WeeklyActivity = QStringLiteral("Weekly Activity");
const QString OvertimeReport = QStringLiteral("Overtime");

QString ChooseWaveFile(QWidget* owner) {
    return QFileDialog::getOpenFileName(owner, QString(), QString(),
                                        QStringLiteral("Wav file (*.wav)"));
}

// The help page of each page of the window, by the page's object name.
QString HelpTopicOfPage(const QWidget* page) {
    const QString name = page ? page->objectName() : QString();
    if (name == QLatin1String("shtAdmin"))
        return QStringLiteral("Getting Started - Admin Settings.htm");
    if (name == QLatin1String("shtClientProject"))
        return QStringLiteral("Getting Started - Client-Project.htm");
    if (name == QLatin1String("shtCategoryActivity"))
        return QStringLiteral("Getting Started - Category-Activity.htm");
    if (name == QLatin1String("shtExportFormat"))
        return QStringLiteral("Export Formats.htm");
    return QStringLiteral("Getting Started - Personal Preferences.htm");
}

// The target in the general number form with at most three significant digits.
QString TargetText(double hours) {
    QString text = QString::number(hours, 'g', 3);
    text.replace(QLatin1Char('.'), LocaleDecimalSeparator());
    return text;
}

void SelectText(QComboBox* box, const QString& text, int otherwise) {
    const int index = box->findText(text);
    box->setCurrentIndex(index >= 0 ? index : otherwise);
}
} // namespace

TSetupForm::TSetupForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("SetupForm"));
    setWindowTitle(QStringLiteral("Setup"));
    ChooseSoundFile = [this] { return ChooseWaveFile(this); };
    CreatePages();
    SaveExportFormats = [this] { return FFormatPage->SaveFormatChanges(); };
    CreateButtons();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);
    buttons->addWidget(btnHelp);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pageControl, 1);
    layout->addLayout(buttons);
    ConnectControls();
}

TSetupForm::~TSetupForm() = default;

void TSetupForm::ConnectControls() {
    connect(btnOK, &QPushButton::clicked, this, [this] { btnOKClick(); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { reject(); });
    connect(btnHelp, &QPushButton::clicked, this, [this] { btnHelpClick(); });
    connect(btnConfiguration, &QPushButton::clicked, this, [this] { btnConfigurationClick(); });
    connect(chkReminder, &QCheckBox::clicked, this, [this](bool on) { chkReminderClick(on); });
    connect(chkReminderSound, &QCheckBox::clicked, this,
            [this](bool on) { chkReminderSoundClick(on); });
    connect(btnBrowse, &QPushButton::clicked, this, [this] { btnBrowseClick(); });
    connect(chkBillingInfoActive, &QCheckBox::clicked, this,
            [this](bool on) { chkBillingInfoActiveClick(on); });
    connect(chkShowHints, &QCheckBox::clicked, this, [this](bool on) { chkShowHintsClick(on); });
    connect(cmbReportType, &QComboBox::currentIndexChanged, this, [this] { UpdateEnabling(); });
    connect(edtCurrencySymbol, &QLineEdit::textChanged, lblRateCurrency, &QLabel::setText);
    connect(gpbxReportColumns->chkPrintAtDefault, &QCheckBox::clicked, this,
            [this] { UpdateEnabling(); });
    connect(pageControl, &QTabWidget::currentChanged, this, [this] { PageChanged(); });
}

void TSetupForm::Connect(const TSetupSources& sources) {
    FSources = sources;
    if (FTrees || !sources.ClientProjectList || !sources.CategoryActivityList)
        return;
    FTrees = std::make_unique<TListTreeEditor>(*sources.ClientProjectList,
                                               *sources.CategoryActivityList);
    FTrees->ListsChanged = [this] {
        if (FSources.ListsChanged)
            FSources.ListsChanged();
    };
    shtClientProject = FTrees->ClientPage();
    shtCategoryActivity = FTrees->CategoryPage();
    const int exportPage = pageControl->indexOf(shtExportFormat);
    pageControl->insertTab(exportPage, shtClientProject, QStringLiteral("Client/Project"));
    pageControl->insertTab(exportPage + 1, shtCategoryActivity,
                           QStringLiteral("Category/Activity"));
    for (TColorButton* button :
         {btnStandardColor, btnUnreportedColor, btnUnchargedColor, btnOvertimeColor})
        button->CustomColours = sources.CustomColours;
}

bool TSetupForm::Execute(bool listMaintenance) {
    FListMaintenance = listMaintenance;
    const bool confirmed = exec() == QDialog::Accepted;
    FListMaintenance = false;
    return confirmed;
}

QString TSetupForm::DefaultReminderSound() {
    return DefaultReminderSoundFile();
}

int TSetupForm::ServerUserCount() const {
    if (FServerUsers.size() == 1 && FServerUsers.front().Name() == CurrentUserName())
        return 0;
    return static_cast<int>(FServerUsers.size());
}

void TSetupForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Opening();
}

void TSetupForm::hideEvent(QHideEvent* event) {
    if (!event->spontaneous())
        Release();
    QDialog::hideEvent(event);
}

void TSetupForm::reject() {
    if (FOpening)
        return;
    QDialog::reject();
    if (IsServerAdministration() && EndProgram)
        EndProgram();
}

void TSetupForm::Opening() {
    FOpening = true;
    LoadAdminSettings();
    ScanServer();
    FillFormatPage();
    FCalendarCopy = PersonalSettings().Setup.Calendar;
    ShowCalendarPreview();
    if (FTrees)
        FTrees->BuildTrees();
    const TAdminSettings& admin = AdminSettings();
    gpbxReportColumns->SetPositions(admin.ReportColumnDefault
                                        ? DefaultColumnPositions()
                                        : TColumnPositions{admin.ReportProjectColumn,
                                                           admin.ReportCategoryActivityColumn,
                                                           admin.ReportRemarksColumn});
    FillPersonalControls();
    FillAdminControls();
    pageControl->setTabVisible(pageControl->indexOf(shtPersonal), !IsServerAdministration());
    ChooseFirstPage();
    ApplyHints(chkShowHints->isChecked());
    FOpening = false;
    UpdateEnabling();
}

void TSetupForm::ScanServer() {
    static const TClients noClients;
    static const TCategories noCategories;
    FServerUsers.clear();
    FServerClients = TClients();
    FServerCategories = TCategories();
    TScanProgressWindow progress(this);
    try {
        ScanServerData(FServerUsers, FServerClients, FServerCategories,
                       FSources.InUseClients ? *FSources.InUseClients : noClients,
                       FSources.InUseCategories ? *FSources.InUseCategories : noCategories,
                       &progress);
    } catch (const EInOutError& error) {
        ShowMessageBox(error.Message(), TMsgKind::Error, mbOK);
    }
}

// The preview starts its weeks on the configured day and marks two sample days.
void TSetupForm::ShowCalendarPreview() {
    showCalendar->SetStartOfWeek(AdminSettings().FirstDayOfWeek % 7);
    std::array<bool, 32> marked{};
    marked[3] = true;
    marked[5] = true;
    showCalendar->SetMarkedDays(marked);
    ApplyCalendarSetup(*showCalendar, FCalendarCopy, FLastPictureChange);
    showCalendar->update();
}

void TSetupForm::FillPersonalControls() {
    const TSetupPersonal& setup = PersonalSettings().Setup;
    edtUserName->setText(CurrentUserName());
    btnStandardColor->SetColor(ColorOfNumber(setup.StandardColour));
    btnUnreportedColor->SetColor(ColorOfNumber(setup.UnreportedColour));
    btnUnchargedColor->SetColor(ColorOfNumber(setup.UnchargedColour));
    btnOvertimeColor->SetColor(ColorOfNumber(setup.OvertimeColour));
    (setup.DecimalDurationFormat ? btnDecimal : btnHoursAndMins)->setChecked(true);
    chkLockHours->setChecked(setup.LockHoursOnStartup);
    chkConfirmDeletes->setChecked(setup.ConfirmDeletes);
    chkShowHints->setChecked(setup.ShowHints);
    chkShowTips->setChecked(setup.ShowTips);
    chkSaveOnChange->setChecked(setup.SaveOnChange);
    SelectText(cmbReportType, setup.ReportType, 0);
    chkRemarks->setChecked(setup.BreakDownToRemarks);
    chkShowOvertime->setChecked(setup.ShowOvertime);
    cmbPrinters->clear();
    cmbPrinters->addItems(QPrinterInfo::availablePrinterNames());
    SelectText(cmbPrinters, setup.PrinterName,
               cmbPrinters->findText(QPrinterInfo::defaultPrinterName()));
    (setup.PaperSizeA4 ? btnA4 : btnLetter)->setChecked(true);
    chkBillingReport->setChecked(setup.BillingReport && AdminSettings().BillingInfoActive);
    chkActiveClients->setChecked(setup.ActiveClients);
    chkReminder->setChecked(setup.ReminderInterval > 0);
    edtReminderInterval->setText(QString::number(setup.ReminderInterval));
    FReminderSound = setup.ReminderPlaySound;
    chkReminderSound->setChecked(!FReminderSound.isEmpty());
    edtUserHourlyRate->setText(FormatMoney(setup.UserHourlyRate));
    chkDefaultChargeable->setChecked(setup.DefaultToChargeable);
}

void TSetupForm::FillAdminControls() {
    const TAdminSettings& admin = AdminSettings();
    txtConfig->setText(ModeName());
    const int step = TimeStep();
    (step == 10 ? btn6min : step == 17 ? btn10min : btn15min)->setChecked(true);
    edtTarget->setText(TargetText(admin.TargetDailyHours));
    gpbxReportColumns->chkPrintAtDefault->setChecked(admin.ReportColumnDefault);
    chkBillingInfoActive->setChecked(admin.BillingInfoActive);
    edtCurrencySymbol->setText(admin.CurrencySymbol);
    lblRateCurrency->setText(admin.CurrencySymbol);
    cmbFirstDayOfWeek->setCurrentIndex(admin.FirstDayOfWeek - 1);
}

void TSetupForm::ChooseFirstPage() {
    if (FListMaintenance && shtClientProject) {
        pageControl->setCurrentWidget(shtClientProject);
        FTrees->treeViewClient->setFocus();
    } else {
        pageControl->setCurrentWidget(IsServerAdministration() ? shtAdmin : shtPersonal);
    }
    PageChanged();
}

void TSetupForm::PageChanged() {
    if (FTrees)
        FTrees->SetClientPageActive(pageControl->currentWidget() != shtCategoryActivity);
}

// The format page lists the formats; its editor shows the scan's users and clients.
void TSetupForm::FillFormatPage() {
    TExportFormatSources sources;
    sources.Users = &FServerUsers;
    sources.ScanClients = &FServerClients;
    sources.AdminClients = FSources.ClientProjectList;
    sources.InUseClients = FSources.InUseClients;
    FFormatPage->Sources = sources;
    FFormatPage->Fill();
}

void TSetupForm::Release() {
    if (FTrees)
        FTrees->Release();
    FFormatPage->Release();
    FServerUsers.clear();
    FServerClients = TClients();
    FServerCategories = TCategories();
}

void TSetupForm::UpdateEnabling() {
    if (FOpening)
        return;
    const bool may = MayEditAdminData();
    const bool billing = chkBillingInfoActive->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{cmbFirstDayOfWeek, lblFirstDayOfWeek, edtTarget, lblTarget,
                                         gpbxUnitOfTime, chkBillingInfoActive})
        control->setEnabled(may);
    lblCurrencySymbol->setEnabled(may && billing);
    edtCurrencySymbol->setEnabled(may && billing);
    gpbxReportColumns->UpdateEnabling(may);

    const bool reminder = chkReminder->isChecked();
    for (QWidget* control :
         std::initializer_list<QWidget*>{lblReminderAfter, edtReminderInterval, lblReminderMinutes,
                                         chkReminderSound, btnBrowse, txtReminderSound})
        control->setEnabled(reminder);
    ShowReminderSound();

    for (QWidget* control : std::initializer_list<QWidget*>{lblHourlyRate, edtUserHourlyRate,
                                                            lblRateCurrency, chkBillingReport})
        control->setEnabled(billing);
    chkDefaultChargeable->setEnabled(!billing);
    lblRateCurrency->setText(edtCurrencySymbol->text());
    UpdateFavouriteReportEnabling();
    if (FTrees)
        FTrees->UpdateEnabling();
}

void TSetupForm::UpdateFavouriteReportEnabling() {
    const QString type = cmbReportType->currentText();
    const bool weekly = type == WeeklyActivity;
    chkRemarks->setEnabled(!weekly);
    if (weekly)
        chkRemarks->setChecked(false);
    const bool overtimeFixed = weekly || type == OvertimeReport;
    chkShowOvertime->setEnabled(!overtimeFixed);
    if (overtimeFixed)
        chkShowOvertime->setChecked(true);
}

// The sound file's name, shortened to the box by dropping folders, while the reminder's
// controls are enabled.
void TSetupForm::ShowReminderSound() {
    if (!txtReminderSound->isEnabled() || FReminderSound.isEmpty()) {
        txtReminderSound->clear();
        return;
    }
    const QFontMetrics metrics(txtReminderSound->font());
    const int width = txtReminderSound->contentsRect().width();
    txtReminderSound->setText(ShortenPath(
        FReminderSound, [&metrics](const QString& text) { return metrics.horizontalAdvance(text); },
        width));
    txtReminderSound->setToolTip(chkShowHints->isChecked() ? FReminderSound : QString());
}

void TSetupForm::ApplyHints(bool show) {
    for (QWidget* control : findChildren<QWidget*>()) {
        const QVariant hint = control->property("hint");
        if (hint.isValid())
            control->setToolTip(show ? hint.toString() : QString());
    }
    if (FTrees)
        FTrees->SetShowHints(show);
    FFormatPage->SetShowHints(show);
}

void TSetupForm::chkReminderClick(bool checked) {
    edtReminderInterval->setText(checked ? QStringLiteral("30") : QStringLiteral("0"));
    if (!checked)
        chkReminderSound->setChecked(false);
    UpdateEnabling();
}

void TSetupForm::chkReminderSoundClick(bool checked) {
    if (checked) {
        if (FReminderSound.isEmpty())
            FReminderSound = DefaultReminderSound();
        ShowReminderSound();
        return;
    }
    txtReminderSound->clear();
    btnBrowse->setEnabled(false);
}

void TSetupForm::btnBrowseClick() {
    const QString file = ChooseSoundFile ? ChooseSoundFile() : QString();
    if (file.isEmpty())
        return;
    FReminderSound = file; // kept as chosen: file names here tell letter case apart
    ShowReminderSound();
    if (PlaySound && !PlaySound(file))
        QApplication::beep();
}

void TSetupForm::chkBillingInfoActiveClick(bool checked) {
    chkBillingReport->setChecked(checked);
    UpdateEnabling();
}

void TSetupForm::chkShowHintsClick(bool checked) {
    ApplyHints(checked);
}

void TSetupForm::btnConfigurationClick() {
    try {
        QApplication::clipboard()->setText(ConfigurationReport());
    } catch (const EInOutError& error) {
        ShowMessageBox(error.Message(), TMsgKind::Error, mbOK);
        return;
    }
    ShowMessageBox(QStringLiteral("Configuration information copied to the clipboard"),
                   TMsgKind::Information, mbOK);
}

void TSetupForm::btnHelpClick() {
    ShowHelpTopic(HelpTopicOfPage(pageControl->currentWidget()));
}

bool TSetupForm::eventFilter(QObject* watched, QEvent* event) {
    if (watched != showCalendar)
        return QDialog::eventFilter(watched, event);
    if (event->type() == QEvent::MouseButtonPress) {
        pnlShowCalendar->setFrameShadow(QFrame::Sunken);
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease) {
        pnlShowCalendar->setFrameShadow(QFrame::Raised);
        showCalendarClick();
        return true;
    }
    return event->type() == QEvent::MouseButtonDblClick;
}

void TSetupForm::showCalendarClick() {
    TSetupCalendarForm form(this);
    if (!form.Execute(FCalendarCopy, FSources.CustomColours))
        return;
    ShowCalendarPreview();
}
