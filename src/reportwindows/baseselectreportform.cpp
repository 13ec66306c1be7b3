#include "baseselectreportform.h"

#include "base/datalocations.h"
#include "base/help.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "reporting/isoweeks.h"
#include "reportwindows/selectedusersform.h"
#include "storage/server/backup.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "widgets/scanprogresswindow.h"

#include <algorithm>

#include <QCheckBox>
#include <QCollator>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QWindow>

namespace {
const QString AllClients = QStringLiteral("All Clients");
const QString AllProjects = QStringLiteral("All Projects");

QToolButton* SmallButton(QWidget* parent, const char* name, const QString& text, const char* hint) {
    auto* button = new QToolButton(parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setText(text);
    button->setProperty("hint", QString::fromLatin1(hint));
    button->setAccessibleName(QString::fromLatin1(hint));
    return button;
}

template <class TControl> TControl* Named(TControl* control, const char* name, const char* hint) {
    control->setObjectName(QString::fromLatin1(name));
    control->setProperty("hint", QString::fromLatin1(hint));
    return control;
}
} // namespace

TBaseSelectReportForm::TBaseSelectReportForm(QWidget* owner)
    : QDialog(owner, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint) {
    ChooseUsers = [](QWidget* parent, const TServerUsers& all, TServerUsers& selection,
                     bool showsLatestEntry) {
        return TSelectedUsersForm::Execute(parent, all, selection, showsLatestEntry);
    };
    FormLayout = new QVBoxLayout(this);
    FormLayout->setContentsMargins(8, 8, 8, 8);
    FormLayout->setSpacing(6);
    CreatePeriodGroup();
    CreateContentGroup();
    CreateButtons();
}

TBaseSelectReportForm::~TBaseSelectReportForm() = default;

void TBaseSelectReportForm::CreatePeriodGroup() {
    gbxPeriod = new QGroupBox(QStringLiteral("Period"), this);
    gbxPeriod->setObjectName(QStringLiteral("gbxPeriod"));
    auto* grid = new QGridLayout(gbxPeriod);
    pickFrom = Named(new QDateEdit(gbxPeriod), "pickFrom",
                     "The start date for the reporting period (inclusive)");
    pickTo = Named(new QDateEdit(gbxPeriod), "pickTo",
                   "The end date for the reporting period (inclusive)");
    for (QDateEdit* pick : {pickFrom, pickTo}) {
        pick->setCalendarPopup(true);
        pick->setAccessibleName(pick->property("hint").toString());
    }
    sbWeek = SmallButton(gbxPeriod, "sbWeek", QStringLiteral("Week"), "Currently selected calendar week");
    sbMonth = SmallButton(gbxPeriod, "sbMonth", QStringLiteral("Month"),
                          "Currently selected calendar month");
    txtWeeknum = Named(new QLineEdit(gbxPeriod), "txtWeeknum", "Week number");
    txtWeeknum->setReadOnly(true);
    txtWeeknum->setFocusPolicy(Qt::NoFocus);
    txtWeeknum->setAlignment(Qt::AlignCenter);
    sbWeeknumDn = SmallButton(gbxPeriod, "sbWeeknumDn", QString(), "Select previous week number");
    sbWeeknumUp = SmallButton(gbxPeriod, "sbWeeknumUp", QString(), "Select next week number");
    sbWeeknumDn->setArrowType(Qt::LeftArrow);
    sbWeeknumUp->setArrowType(Qt::RightArrow);
    grid->addWidget(pickFrom, 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("to"), gbxPeriod), 0, 1, Qt::AlignCenter);
    grid->addWidget(pickTo, 0, 2);
    grid->addWidget(sbWeek, 0, 3);
    grid->addWidget(sbMonth, 0, 4);
    auto* weekRow = new QHBoxLayout;
    weekRow->addWidget(new QLabel(QStringLiteral("Week:"), gbxPeriod));
    weekRow->addWidget(txtWeeknum, 1);
    weekRow->addWidget(sbWeeknumDn);
    weekRow->addWidget(sbWeeknumUp);
    weekRow->addStretch(1);
    grid->addLayout(weekRow, 1, 0, 1, 3);
    FormLayout->addWidget(gbxPeriod);
    connect(sbWeek, &QToolButton::clicked, this, [this] { SetPeriod(FSources.Week); });
    connect(sbMonth, &QToolButton::clicked, this, [this] { SetPeriod(FSources.Month); });
    connect(sbWeeknumDn, &QToolButton::clicked, this, [this] { WeekNumberStep(-1); });
    connect(sbWeeknumUp, &QToolButton::clicked, this, [this] { WeekNumberStep(1); });
    connect(pickFrom, &QDateEdit::dateChanged, this, [this] { pickFromChange(); });
    connect(pickTo, &QDateEdit::dateChanged, this, [this] {
        if (!FSettingPeriod)
            UpdateControls();
    });
}

void TBaseSelectReportForm::CreateContentGroup() {
    gbxContent = new QGroupBox(QStringLiteral("Content"), this);
    gbxContent->setObjectName(QStringLiteral("gbxContent"));
    auto* grid = new QGridLayout(gbxContent);
    cmbUser = Named(new QComboBox(gbxContent), "cmbUser",
                    "Choose the current user or workgroup reporting");
    btnUsers = Named(new QPushButton(QStringLiteral("Users..."), gbxContent), "btnUsers",
                     "Add and remove individual users from the report");
    cmbClient = Named(new QComboBox(gbxContent), "cmbClient",
                      "Report on all clients, or a selected client");
    cmbClient->setMaxVisibleItems(15);
    cmbProject = Named(new QComboBox(gbxContent), "cmbProject",
                       "Report on all projects, or a selected project");
    cmbProject->setMaxVisibleItems(10);
    chkActiveClients = Named(new QCheckBox(QStringLiteral("Show Active"), gbxContent),
                             "chkActiveClients", "Only show active clients in the client list");
    cmbCharging = Named(new QComboBox(gbxContent), "cmbCharging", "Choose a filter for chargeability");
    cmbCharging->addItems({QStringLiteral("Include all"), QStringLiteral("Chargeable only"),
                           QStringLiteral("Not chargeble only")});
    const auto label = [this](const char* text, QWidget* buddy) {
        auto* caption = new QLabel(QString::fromLatin1(text), gbxContent);
        caption->setBuddy(buddy);
        buddy->setAccessibleName(QString::fromLatin1(text).remove(QLatin1Char(':')));
        return caption;
    };
    grid->addWidget(label("User:", cmbUser), 0, 0);
    grid->addWidget(cmbUser, 0, 1);
    grid->addWidget(btnUsers, 0, 2);
    grid->addWidget(label("Client:", cmbClient), 1, 0);
    grid->addWidget(cmbClient, 1, 1);
    grid->addWidget(chkActiveClients, 1, 2);
    grid->addWidget(label("Project:", cmbProject), 2, 0);
    grid->addWidget(cmbProject, 2, 1);
    grid->addWidget(label("Charging:", cmbCharging), 3, 0);
    grid->addWidget(cmbCharging, 3, 1);
    grid->setColumnStretch(1, 1);
    FormLayout->addWidget(gbxContent);
    connect(cmbUser, &QComboBox::currentIndexChanged, this, [this] {
        FillClientList();
        UpdateControls();
    });
    connect(btnUsers, &QPushButton::clicked, this, [this] { btnUsersClick(); });
    connect(cmbClient, &QComboBox::currentIndexChanged, this, [this] {
        if (!FFillingClients)
            FillClientList();
    });
    connect(chkActiveClients, &QCheckBox::toggled, this, [this] { FillClientList(); });
}

void TBaseSelectReportForm::CreateButtons() {
    ButtonRow = new QWidget(this);
    ButtonRow->setObjectName(QStringLiteral("pnlButtons"));
    auto* row = new QHBoxLayout(ButtonRow);
    row->setContentsMargins(0, 0, 0, 0);
    sbhelp = SmallButton(ButtonRow, "sbhelp", QStringLiteral("?"), "Help");
    btnPreview = Named(new QPushButton(QStringLiteral("Preview"), ButtonRow), "btnPreview",
                       "Preview a single (consolidated) report for all selected users");
    btnAction = Named(new QPushButton(QStringLiteral("Print"), ButtonRow), "btnAction",
                      "Print a single (consolidated) report for all selected users");
    btnClose = Named(new QPushButton(QStringLiteral("Close"), ButtonRow), "btnClose", "Close this form");
    row->addWidget(sbhelp);
    row->addStretch(1);
    row->addWidget(btnPreview);
    row->addWidget(btnAction);
    row->addWidget(btnClose);
    connect(sbhelp, &QToolButton::clicked, this, [] { ShowHelpTopic(QStringLiteral("Reporting.htm")); });
    connect(btnClose, &QPushButton::clicked, this, [this] { reject(); });
}

void TBaseSelectReportForm::ApplyHints() {
    const bool hints = PersonalSettings().Setup.ShowHints;
    for (QWidget* control : findChildren<QWidget*>())
        if (control->property("hint").isValid())
            control->setToolTip(hints ? control->property("hint").toString() : QString());
}

void TBaseSelectReportForm::ShowFor(QWidget* mainWindow, const TSelectReportSources& sources) {
    FSources = sources;
    FMainWindow = mainWindow;
    if (FMainWindow)
        FMainWindow->setEnabled(false);
    if (FSources.RefreshInUseLists)
        FSources.RefreshInUseLists();
    if (IsWorkGroup() && !IsServerAdministration())
        BackupToServer();
    AllUsers.clear();
    SelectedUsers.clear();
    FWorkgroupClients = TClients();
    FWorkgroupCategories = TCategories();
    cmbUser->blockSignals(true);
    cmbUser->clear();
    cmbUser->addItem(CurrentUserName());
    cmbUser->blockSignals(false);
    ApplyHints();
    show(); // the scan's progress window stands over this one
    if (FMainWindow && FMainWindow->windowHandle() && windowHandle())
        windowHandle()->setTransientParent(FMainWindow->windowHandle());
    ScanServer();
    cmbCharging->setCurrentIndex(0);
    ComputeWeekNumber();
    ShowWindowPart();
    UpdateControls();
}

void TBaseSelectReportForm::ScanServer() {
    static const TClients noClients;
    static const TCategories noCategories;
    TScanProgressWindow progress(this);
    try {
        ScanServerData(AllUsers, FWorkgroupClients, FWorkgroupCategories,
                       FSources.InUseClients ? *FSources.InUseClients : noClients,
                       FSources.InUseCategories ? *FSources.InUseCategories : noCategories,
                       &progress);
    } catch (const EInOutError& error) {
        ShowMessageBox(error.Message(), TMsgKind::Error, mbOK);
    }
}

void TBaseSelectReportForm::hideEvent(QHideEvent* event) {
    AllUsers.clear();
    SelectedUsers.clear();
    FWorkgroupClients = TClients();
    FWorkgroupCategories = TCategories();
    MessageBoxShowing = false;
    if (FMainWindow)
        FMainWindow->setEnabled(true);
    QDialog::hideEvent(event);
}

bool TBaseSelectReportForm::WorkgroupSelected() const {
    return cmbUser->currentIndex() > 0;
}

void TBaseSelectReportForm::SetPeriod(const TDateRange& range) {
    FSettingPeriod = true;
    pickTo->setDate(range.End);
    pickFrom->setDate(range.Start);
    FSettingPeriod = false;
    ComputeWeekNumber();
    UpdateControls();
}

void TBaseSelectReportForm::ComputeWeekNumber() {
    const TIsoWeek week = IsoWeek(pickFrom->date());
    WeekNumber = week.Week;
    WeekYear = week.Year;
    txtWeeknum->setText(WeekNumberText(WeekNumber, WeekYear));
}

void TBaseSelectReportForm::WeekNumberStep(int steps) {
    if (FWeekly) {
        // The period is a week from the configured first day, which need not be an ISO week:
        // the neighbouring week of the same kind.
        SetPeriod(WeekRange(AdminSettings().FirstDayOfWeek, pickFrom->date().addDays(7 * steps)));
        return;
    }
    if (IsWholeWeek(pickFrom->date(), pickTo->date())) {
        if (steps < 0 && WeekNumber < 2) {
            --WeekYear;
            WeekNumber = IsoWeeksInYear(WeekYear);
        } else if (steps < 0) {
            --WeekNumber;
        } else if (WeekNumber < IsoWeeksInYear(WeekYear)) {
            ++WeekNumber;
        } else {
            ++WeekYear;
            WeekNumber = 1;
        }
    }
    SetPeriod(IsoWeekDates(WeekNumber, WeekYear));
}

void TBaseSelectReportForm::pickFromChange() {
    if (FSettingPeriod)
        return;
    if (!FWeekly) {
        ComputeWeekNumber();
        UpdateControls();
        return;
    }
    // The date control is still in its own change; the week is set once it has finished.
    if (!FWeekAdjustPending) {
        FWeekAdjustPending = true;
        QTimer::singleShot(0, this, [this] { ApplyDeferredWeek(); });
    }
}

void TBaseSelectReportForm::ApplyDeferredWeek() {
    FWeekAdjustPending = false;
    SnapToWeek();
    ComputeWeekNumber();
    UpdateControls();
}

void TBaseSelectReportForm::SnapToWeek() {
    const TDateRange week = WeekRange(AdminSettings().FirstDayOfWeek, pickFrom->date());
    FSettingPeriod = true;
    if (pickTo->date() != week.End)
        pickTo->setDate(week.End);
    if (pickFrom->date() != week.Start)
        pickFrom->setDate(week.Start);
    FSettingPeriod = false;
}

void TBaseSelectReportForm::FillClientList() {
    if (FFillingClients)
        return;
    FFillingClients = true;
    const QString client = cmbClient->currentText();
    const QString project = cmbProject->currentText();
    const bool activeOnly = chkActiveClients->isChecked();
    static const TClients none;
    const TClients& source = activeOnly ? (FSources.ClientProjectList ? *FSources.ClientProjectList : none)
                             : WorkgroupSelected() ? FWorkgroupClients
                             : (FSources.InUseClients ? *FSources.InUseClients : none);
    QStringList clients;
    for (const TClient& entry : source.Items())
        if (!activeOnly || entry.Active)
            clients.append(entry.Name);
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::sort(clients.begin(), clients.end(),
              [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    cmbClient->clear();
    cmbClient->addItem(AllClients);
    cmbClient->addItems(clients);
    cmbClient->setEnabled(!clients.isEmpty());
    const int found = cmbClient->findText(client);
    cmbClient->setCurrentIndex(found > 0 ? found : 0);
    cmbProject->clear();
    QStringList projects;
    if (const TClient* chosen = cmbClient->currentIndex() > 0
                                    ? source.FindClient(cmbClient->currentText(), activeOnly)
                                    : nullptr)
        for (const auto& entry : chosen->Projects())
            if (!activeOnly || entry.Info.Active)
                projects.append(entry.Name);
    std::sort(projects.begin(), projects.end(),
              [&collator](const QString& a, const QString& b) { return collator.compare(a, b) < 0; });
    cmbProject->addItem(AllProjects);
    cmbProject->addItems(projects);
    cmbProject->setEnabled(cmbClient->currentIndex() > 0);
    const int project_ = cmbProject->findText(project);
    cmbProject->setCurrentIndex(project_ > 0 ? project_ : 0);
    FFillingClients = false;
}

QString TBaseSelectReportForm::ClientFilter() const {
    return cmbClient->currentIndex() > 0 ? cmbClient->currentText() : QString();
}

QString TBaseSelectReportForm::ProjectFilter() const {
    return cmbClient->currentIndex() > 0 && cmbProject->currentIndex() > 0 ? cmbProject->currentText()
                                                                           : QString();
}

void TBaseSelectReportForm::SortSelectedUsers() {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(SelectedUsers.begin(), SelectedUsers.end(),
                     [&collator](const TServerUser& a, const TServerUser& b) {
                         return collator.compare(a.Folder, b.Folder) < 0;
                     });
}

std::optional<QStringList> TBaseSelectReportForm::ChosenUserFolders(const QString& singleUser) const {
    if (!WorkgroupSelected())
        return std::nullopt;
    if (!singleUser.isEmpty())
        return QStringList{singleUser};
    QStringList folders;
    for (const TServerUser& user : SelectedUsers)
        folders.append(user.Folder);
    return folders;
}

void TBaseSelectReportForm::btnUsersClick() {
    TServerUsers selection = SelectedUsers;
    if (!ChooseUsers(this, AllUsers, selection, ShowsLatestEntry()))
        return;
    SelectedUsers = selection;
    const QString all = QStringLiteral("All Users (%1)").arg(AllUserCount);
    if (SelectedUsers.size() == 1 && SelectedUsers.front().Name() == CurrentUserName()) {
        SelectedUsers = AllUsers;
        cmbUser->setItemText(1, all);
        cmbUser->setCurrentIndex(0);
    } else {
        const int chosen = int(SelectedUsers.size());
        cmbUser->setItemText(1, chosen < AllUserCount
                                    ? QStringLiteral("Selected Users (%1 of %2)").arg(chosen).arg(AllUserCount)
                                    : all);
        cmbUser->setCurrentIndex(1);
    }
    UpdateControls();
}
