// The set-up window's controls: the "Personal" and "Administration" pages, the page control
// and the buttons below it.
#include "calendar/graphiccalendar.h"
#include "setup/setupcolumnsliders.h"
#include "setup/exportformatlistpage.h"
#include "setupform.h"
#include "widgets/colorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {
QString Text(const char* name) {
    return QString::fromLatin1(name);
}

template <typename T> T* Named(T* control, const char* name) {
    control->setObjectName(Text(name));
    return control;
}

QCheckBox* NewCheck(QWidget* parent, const char* name, const QString& caption) {
    return Named(new QCheckBox(caption, parent), name);
}

QRadioButton* NewRadio(QWidget* parent, const char* name, const QString& caption) {
    return Named(new QRadioButton(caption, parent), name);
}

QLabel* NewLabel(QWidget* parent, const char* name, const QString& caption) {
    return Named(new QLabel(caption, parent), name);
}

QLineEdit* NewEdit(QWidget* parent, const char* name, int maxLength = 0) {
    auto* edit = Named(new QLineEdit(parent), name);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    return edit;
}

QGroupBox* NewGroup(QWidget* parent, const char* name, const QString& caption) {
    return Named(new QGroupBox(caption, parent), name);
}

// A sunken box showing a text, as a read-only field looks.
QLabel* NewTextBox(QWidget* parent, const char* name) {
    auto* box = Named(new QLabel(parent), name);
    box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    box->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return box;
}

// The hint of a control, kept so that the hints setting can show or hide it.
void SetHint(QWidget* control, const QString& hint) {
    control->setProperty("hint", hint);
}
} // namespace

void TSetupForm::CreatePages() {
    pageControl = Named(new QTabWidget(this), "pageControl");
    shtPersonal = CreatePersonalPage();
    shtAdmin = CreateAdminPage();
    FFormatPage = new TExportFormatListPage(pageControl);
    shtExportFormat = FFormatPage;
    pageControl->addTab(shtPersonal, QStringLiteral("Personal"));
    pageControl->addTab(shtAdmin, QStringLiteral("Administration"));
    pageControl->addTab(shtExportFormat, QStringLiteral("Export Format"));
}

void TSetupForm::CreateButtons() {
    btnOK = Named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnOK->setDefault(true);
    btnCancel = Named(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel");
    btnHelp = Named(new QPushButton(QStringLiteral("Help"), this), "btnHelp");
    SetHint(btnHelp, QStringLiteral("Help"));
    for (QPushButton* button : {btnOK, btnCancel, btnHelp})
        button->setMinimumWidth(80);
}

QWidget* TSetupForm::CreatePersonalPage() {
    auto* page = Named(new QWidget(pageControl), "shtPersonal");
    shtPersonal = page;
    auto* left = new QVBoxLayout;
    auto* nameRow = new QHBoxLayout;
    auto* nameLabel = NewLabel(page, "lblUserName", QStringLiteral("User name:"));
    edtUserName = NewEdit(page, "edtUserName");
    nameLabel->setBuddy(edtUserName);
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(edtUserName, 1);
    left->addLayout(nameRow);
    left->addWidget(CreateColoursGroup());
    auto* duration = NewGroup(page, "gpbxDurationDisplay", QStringLiteral("  Duration Display "));
    btnDecimal = NewRadio(duration, "btnDecimal", QStringLiteral("Decimal hours"));
    btnHoursAndMins = NewRadio(duration, "btnHoursAndMins", QStringLiteral("Hours and minutes"));
    auto* durationLayout = new QHBoxLayout(duration);
    durationLayout->addWidget(btnDecimal);
    durationLayout->addWidget(btnHoursAndMins);
    left->addWidget(duration);
    left->addWidget(CreatePreferencesGroup());
    left->addWidget(CreateCalendarPreview());
    left->addStretch();

    auto* right = new QVBoxLayout;
    right->addWidget(CreateFavouriteReportGroup());
    right->addWidget(CreateReminderGroup());
    right->addWidget(CreatePersonalBillingGroup());
    right->addStretch();

    auto* layout = new QHBoxLayout(page);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    return page;
}

QGroupBox* TSetupForm::CreateColoursGroup() {
    auto* group = NewGroup(shtPersonal, "gpbxColours", QStringLiteral("  Time Block Colours  "));
    auto* layout = new QGridLayout(group);
    const auto add = [&](TColorButton*& button, const char* name, const QString& caption, int row,
                         int column) {
        button = Named(new TColorButton(group), name);
        button->SetCaption(caption);
        button->setMinimumSize(96, 24);
        layout->addWidget(button, row, column);
    };
    add(btnStandardColor, "btnStandardColor", QStringLiteral("Standard"), 0, 0);
    add(btnUnreportedColor, "btnUnreportedColor", QStringLiteral("Unreported"), 0, 1);
    add(btnUnchargedColor, "btnUnchargedColor", QStringLiteral("Uncharged"), 1, 0);
    add(btnOvertimeColor, "btnOvertimeColor", QStringLiteral("Overtime"), 1, 1);
    return group;
}

QGroupBox* TSetupForm::CreatePreferencesGroup() {
    auto* group = NewGroup(shtPersonal, "gpbxPreferences", QStringLiteral("  Preferences "));
    chkLockHours = NewCheck(group, "chkLockHours", QStringLiteral("Lock hours on start"));
    chkConfirmDeletes = NewCheck(group, "chkConfirmDeletes", QStringLiteral("Confirm deletes"));
    chkShowHints = NewCheck(group, "chkShowHints", QStringLiteral("Show hints"));
    chkShowTips = NewCheck(group, "chkShowTips", QStringLiteral("Show tips on start"));
    chkSaveOnChange = NewCheck(group, "chkSaveOnChange", QStringLiteral("Save on change"));
    auto* layout = new QGridLayout(group);
    layout->addWidget(chkLockHours, 0, 0);
    layout->addWidget(chkConfirmDeletes, 1, 0);
    layout->addWidget(chkShowHints, 2, 0);
    layout->addWidget(chkShowTips, 0, 1);
    layout->addWidget(chkSaveOnChange, 1, 1);
    return group;
}

QGroupBox* TSetupForm::CreateCalendarPreview() {
    auto* group =
        NewGroup(shtPersonal, "gpbxCalendarAppearance", QStringLiteral("  Calendar Appearance  "));
    pnlShowCalendar = Named(new QFrame(group), "pnlShowCalendar");
    pnlShowCalendar->setFrameStyle(QFrame::Panel | QFrame::Raised);
    pnlShowCalendar->setLineWidth(2);
    showCalendar = Named(new TGraphicCalendar(pnlShowCalendar), "showCalendar");
    showCalendar->setAccessibleName(QStringLiteral("Calendar appearance preview"));
    showCalendar->SetAllowNavigation(false);
    showCalendar->SetAllowSelectNavigation(false);
    showCalendar->setCursor(Qt::PointingHandCursor);
    SetHint(showCalendar, QStringLiteral("Click to change the calendar's appearance"));
    showCalendar->installEventFilter(this);
    auto* frameLayout = new QVBoxLayout(pnlShowCalendar);
    frameLayout->setContentsMargins(2, 2, 2, 2);
    frameLayout->addWidget(showCalendar);
    pnlShowCalendar->setFixedSize(190, 150);
    auto* layout = new QHBoxLayout(group);
    layout->addStretch();
    layout->addWidget(pnlShowCalendar);
    layout->addStretch();
    return group;
}

QGroupBox* TSetupForm::CreateFavouriteReportGroup() {
    auto* group = NewGroup(shtPersonal, "gpbxFavouriteReport", QStringLiteral("Favourite Report"));
    cmbReportType = Named(new QComboBox(group), "cmbReportType");
    cmbReportType->addItems({QStringLiteral("Client/Project Activity"),
                             QStringLiteral("Weekly Activity"), QStringLiteral("Daily Hours"),
                             QStringLiteral("Overtime")});
    chkRemarks = NewCheck(group, "chkRemarks", QStringLiteral("Break down to remarks"));
    chkShowOvertime = NewCheck(group, "chkShowOvertime", QStringLiteral("Include overtime"));
    cmbPrinters = Named(new QComboBox(group), "cmbPrinters");
    btnA4 = NewRadio(group, "btnA4", QStringLiteral("A4"));
    btnLetter = NewRadio(group, "btnLetter", QStringLiteral("Letter"));
    chkBillingReport = NewCheck(group, "chkBillingReport", QStringLiteral("Billing report"));
    chkActiveClients =
        NewCheck(group, "chkActiveClients", QStringLiteral("Only offer active Clients/Projects"));
    auto* typeLabel = NewLabel(group, "lblReportType", QStringLiteral("Type:"));
    typeLabel->setBuddy(cmbReportType);
    auto* printerLabel = NewLabel(group, "lblPrinter", QStringLiteral("Printer:"));
    printerLabel->setBuddy(cmbPrinters);
    auto* paper = new QHBoxLayout;
    paper->addWidget(btnA4);
    paper->addWidget(btnLetter);
    paper->addStretch();
    auto* layout = new QGridLayout(group);
    layout->addWidget(typeLabel, 0, 0);
    layout->addWidget(cmbReportType, 0, 1);
    layout->addWidget(chkRemarks, 1, 1);
    layout->addWidget(chkShowOvertime, 2, 1);
    layout->addWidget(printerLabel, 3, 0);
    layout->addWidget(cmbPrinters, 3, 1);
    layout->addWidget(NewLabel(group, "lblPaper", QStringLiteral("Paper:")), 4, 0);
    layout->addLayout(paper, 4, 1);
    layout->addWidget(chkBillingReport, 5, 1);
    layout->addWidget(chkActiveClients, 6, 0, 1, 2);
    layout->setColumnStretch(1, 1);
    return group;
}

QGroupBox* TSetupForm::CreateReminderGroup() {
    auto* group = NewGroup(shtPersonal, "gpbxReminder", QStringLiteral("Reminder"));
    chkReminder = NewCheck(group, "chkReminder", QStringLiteral("Activate"));
    lblReminderAfter = NewLabel(group, "lblReminderAfter", QStringLiteral("after"));
    edtReminderInterval = NewEdit(group, "edtReminderInterval", 4);
    edtReminderInterval->setFixedWidth(44);
    lblReminderAfter->setBuddy(edtReminderInterval);
    lblReminderMinutes =
        NewLabel(group, "lblReminderMinutes", QStringLiteral("minutes without interaction"));
    chkReminderSound = NewCheck(group, "chkReminderSound", QStringLiteral("Play a sound"));
    txtReminderSound = NewTextBox(group, "txtReminderSound");
    txtReminderSound->setMinimumWidth(120);
    btnBrowse = Named(new QPushButton(QStringLiteral("Browse..."), group), "btnBrowse");
    btnBrowse->setAutoDefault(false);
    auto* first = new QHBoxLayout;
    first->addWidget(chkReminder);
    first->addWidget(lblReminderAfter);
    first->addWidget(edtReminderInterval);
    first->addWidget(lblReminderMinutes);
    first->addStretch();
    auto* second = new QHBoxLayout;
    second->addWidget(chkReminderSound);
    second->addWidget(txtReminderSound, 1);
    second->addWidget(btnBrowse);
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(first);
    layout->addLayout(second);
    return group;
}

QGroupBox* TSetupForm::CreatePersonalBillingGroup() {
    auto* group =
        NewGroup(shtPersonal, "gpbxPersonalBilling", QStringLiteral("Billing Information"));
    lblHourlyRate = NewLabel(group, "lblHourlyRate", QStringLiteral("Hourly rate:"));
    edtUserHourlyRate = NewEdit(group, "edtUserHourlyRate", 7);
    edtUserHourlyRate->setFixedWidth(70);
    lblHourlyRate->setBuddy(edtUserHourlyRate);
    lblRateCurrency = NewLabel(group, "lblRateCurrency", QString());
    chkDefaultChargeable =
        NewCheck(group, "chkDefaultChargeable", QStringLiteral("Default to chargeable"));
    auto* rate = new QHBoxLayout;
    rate->addWidget(lblHourlyRate);
    rate->addWidget(lblRateCurrency);
    rate->addWidget(edtUserHourlyRate);
    rate->addStretch();
    auto* layout = new QVBoxLayout(group);
    layout->addLayout(rate);
    layout->addWidget(chkDefaultChargeable);
    return group;
}

QWidget* TSetupForm::CreateAdminPage() {
    auto* page = Named(new QWidget(pageControl), "shtAdmin");
    shtAdmin = page;
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(CreateConfigurationRow());
    layout->addWidget(CreateHoursGroup());
    gpbxReportColumns = new TSetupColumnSliders(page);
    layout->addWidget(gpbxReportColumns);
    auto* lower = new QHBoxLayout;
    lower->addWidget(CreateAdminBillingGroup(), 1);
    lower->addWidget(CreateFirstDayGroup(), 1);
    layout->addLayout(lower);
    layout->addStretch();
    return page;
}

QWidget* TSetupForm::CreateConfigurationRow() {
    auto* row = new QWidget(shtAdmin);
    btnConfiguration =
        Named(new QPushButton(QStringLiteral("Configuration:"), row), "btnConfiguration");
    btnConfiguration->setAutoDefault(false);
    SetHint(btnConfiguration,
            QStringLiteral("Click to put configuration information on the Windows clipboard"));
    txtConfig = NewTextBox(row, "txtConfig");
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(btnConfiguration);
    layout->addWidget(txtConfig, 1);
    return row;
}

QGroupBox* TSetupForm::CreateHoursGroup() {
    auto* group = NewGroup(shtAdmin, "gpbxHours", QStringLiteral("Hours"));
    gpbxUnitOfTime = NewGroup(group, "gpbxUnitOfTime", QStringLiteral("  Unit of Time "));
    btn6min = NewRadio(gpbxUnitOfTime, "btn6min", QStringLiteral("6 minutes"));
    btn10min = NewRadio(gpbxUnitOfTime, "btn10min", QStringLiteral("10 minutes"));
    btn15min = NewRadio(gpbxUnitOfTime, "btn15min", QStringLiteral("15 minutes"));
    auto* units = new QHBoxLayout(gpbxUnitOfTime);
    units->addWidget(btn6min);
    units->addWidget(btn10min);
    units->addWidget(btn15min);
    lblTarget = NewLabel(group, "lblTarget", QStringLiteral("Daily target:"));
    edtTarget = NewEdit(group, "edtTarget", 5);
    edtTarget->setFixedWidth(56);
    lblTarget->setBuddy(edtTarget);
    auto* layout = new QHBoxLayout(group);
    layout->addWidget(gpbxUnitOfTime);
    layout->addSpacing(12);
    layout->addWidget(lblTarget);
    layout->addWidget(edtTarget);
    layout->addStretch();
    return group;
}

QGroupBox* TSetupForm::CreateAdminBillingGroup() {
    auto* group = NewGroup(shtAdmin, "gpbxAdminBilling", QStringLiteral("Billing Information"));
    chkBillingInfoActive = NewCheck(group, "chkBillingInfoActive", QStringLiteral("Active"));
    lblCurrencySymbol = NewLabel(group, "lblCurrencySymbol", QStringLiteral("Currency symbol:"));
    edtCurrencySymbol = NewEdit(group, "edtCurrencySymbol", 1);
    edtCurrencySymbol->setFixedWidth(30);
    lblCurrencySymbol->setBuddy(edtCurrencySymbol);
    auto* layout = new QGridLayout(group);
    layout->addWidget(chkBillingInfoActive, 0, 0, 1, 2);
    layout->addWidget(lblCurrencySymbol, 1, 0);
    layout->addWidget(edtCurrencySymbol, 1, 1);
    layout->setColumnStretch(2, 1);
    return group;
}

QGroupBox* TSetupForm::CreateFirstDayGroup() {
    auto* group = NewGroup(shtAdmin, "gpbxCalendar", QStringLiteral("Calendar"));
    lblFirstDayOfWeek = NewLabel(group, "lblFirstDayOfWeek", QStringLiteral("First day of week:"));
    cmbFirstDayOfWeek = Named(new QComboBox(group), "cmbFirstDayOfWeek");
    cmbFirstDayOfWeek->addItems({QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                                 QStringLiteral("Wednesday"), QStringLiteral("Thursday"),
                                 QStringLiteral("Friday"), QStringLiteral("Saturday"),
                                 QStringLiteral("Sunday")});
    lblFirstDayOfWeek->setBuddy(cmbFirstDayOfWeek);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(lblFirstDayOfWeek);
    layout->addWidget(cmbFirstDayOfWeek);
    return group;
}
