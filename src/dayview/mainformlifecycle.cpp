// The main window's life: reading the data once the settings are loaded, the first showing
// with its questions, the window's size and place in the settings, and the close sequence.
#include "mainform.h"

#include "base/busycursor.h"
#include "base/datalocations.h"
#include "base/help.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "base/processenvironment.h"
#include "calendar/calendarappearance.h"
#include "calendar/graphiccalendar.h"
#include "dayview/blockdetailspanel.h"
#include "dayview/searchpanel.h"
#include "dayview/timelinerules.h"
#include "dayview/timelineview.h"
#include "storage/months/block.h"
#include "storage/server/backup.h"
#include "storage/server/inuselists.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/settings/windowgeometry.h"
#include "storage/values/timevalues.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QComboBox>
#include <QFrame>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace {
// The window's frame beyond its client area at 96 ppi: the settings keep the outer size.
constexpr QSize OuterExtra(9, 36);

void ShowError(const EInOutError& error) {
    ShowMessageBox(error.Text(), TMsgKind::Error, mbOK);
}

bool ServerReachable() {
    return IsWorkGroup() && QFileInfo(ServerDataPath()).isDir();
}

QWidget* OpenHelpWindow() {
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->objectName() == QLatin1String("HelpForm") && widget->isVisible())
            return widget;
    return nullptr;
}
} // namespace

// In a work group with the server at hand, the local copies of the shared lists and the
// export formats follow the server's.
void TMainForm::CopySharedDataDown() {
    if (!ServerReachable())
        return;
    try {
        ClientProjectList.SaveTo(LocalDataPath() + QStringLiteral("ClientProject.txt"));
        CategoryActivityList.SaveTo(LocalDataPath() + QStringLiteral("CategoryActivity.txt"));
    } catch (const EInOutError& error) {
        ShowError(error);
    }
    CopyExportFormatsDown();
}

void TMainForm::LoadData() {
    LoadLists();
    CopySharedDataDown();
    LoadSelectedDay();
    SelectBlock(nullptr);
}

void TMainForm::LoadLists() {
    const auto load = [](auto& list, const QString& fileName) {
        try {
            list = std::remove_reference_t<decltype(list)>(fileName);
        } catch (const EInOutError& error) {
            ShowError(error);
        }
    };
    load(CategoryActivityList, DataPath(FUseLocalData) + QStringLiteral("CategoryActivity.txt"));
    load(ClientProjectList, DataPath(FUseLocalData) + QStringLiteral("ClientProject.txt"));
    load(InUseCategoryActivityList,
         LocalDataPath() + QStringLiteral("InUse_CategoryActivity.txt"));
    load(InUseClientProjectList, LocalDataPath() + QStringLiteral("InUse_ClientProject.txt"));
    FLoaded.InUseListsStale = InUseRebuildNeededAtStart(ClientProjectList, InUseClientProjectList,
                                                        CategoryActivityList,
                                                        InUseCategoryActivityList);
}

void TMainForm::ApplySettings() {
    const TSetupPersonal& setup = PersonalSettings().Setup;
    TDetailsSettings details;
    details.BillingActive = AdminSettings().BillingInfoActive;
    details.CurrencySymbol = AdminSettings().CurrencySymbol;
    details.UserHourlyRate = setup.UserHourlyRate;
    details.DefaultToChargeable = setup.DefaultToChargeable;
    details.DecimalDurationFormat = setup.DecimalDurationFormat;
    gpbxDetails->SetSettings(details);
    gpbxDetails->ApplyBillingLayout();
    TTimelineView::TSettings timeline;
    timeline.Colours = BlockColoursOf(setup);
    timeline.TimeStep = TimeStep();
    timeline.TargetDailyHours = AdminSettings().TargetDailyHours;
    timeline.DecimalDurationFormat = setup.DecimalDurationFormat;
    Timeline->SetSettings(timeline);
    Calendar->SetStartOfWeek(AdminSettings().FirstDayOfWeek % 7);
    TSetupPersonal& personal = PersonalSettings().Setup;
    ApplyCalendarSetup(*Calendar, personal.Calendar, personal.LastUse);
    MarkCalendarDays(); // the marks follow a new choice of marking at once
    pnlSearch->SetFirstDayOfWeek(AdminSettings().FirstDayOfWeek);
    pnlSearch->SetBillingFilterTypes(AdminSettings().BillingInfoActive);
    SetupPalette();
    gpbxDetails->ShowBlockDetails(FSelectedBlock, FSelectionSnapshot.get(), FHoursLocked);
}

void TMainForm::ApplyWindowSettings() {
    if (pnlSearch->isVisible())
        ToggleSearchPanel();
    const TWindowSettings& stored = PersonalSettings().Window;
    const int ppi = logicalDpiX();
    const TWindowSize size = ParseWindowSize(stored.Size, ppi);
    const QSize client = size.Size - QSize(ScaleToScreen(OuterExtra.width(), ppi),
                                           ScaleToScreen(OuterExtra.height(), ppi));
    resize(client.expandedTo(minimumSize()).boundedTo(maximumSize()));
    QList<QRect> monitors;
    for (const QScreen* screen : QGuiApplication::screens())
        monitors.append(screen->availableGeometry());
    const int monitor = ChooseMonitor(stored.Left, monitors);
    if (monitor >= 0)
        move(CentreOnMonitor(monitors[monitor], size.Size));
    if (size.Maximised)
        setWindowState(windowState() | Qt::WindowMaximized);
    FStoredZoom = stored.Zoom;
}

void TMainForm::StoreWindowSettings() {
    TWindowSettings& stored = PersonalSettings().Window;
    const int ppi = logicalDpiX();
    const QSize outer = size() + QSize(ScaleToScreen(OuterExtra.width(), ppi),
                                       ScaleToScreen(OuterExtra.height(), ppi));
    stored.Size = WindowSizeText(isMaximized(), outer, ppi,
                                 pnlSearch->isVisible() ? pnlSearch->width() : 0);
    stored.Left = frameGeometry().left();
    stored.Zoom = Timeline->ZoomWidth();
}

void TMainForm::FirstShow() {
    ApplySettings();
    pnlSearch->cmbDateFilter->setCurrentIndex(0);
    pnlSearch->cmbFilter1->setCurrentIndex(0);
    pnlSearch->cmbFilter2->setCurrentIndex(0);
    pnlSearch->ResetFilterControls();
    Timeline->ScrollToTime(-1);
    Timeline->SetZoom(FStoredZoom);
    SetHoursLocked(PersonalSettings().Setup.LockHoursOnStartup);
    Timeline->UpdateZoomButtons();
    if (HasSwitch(QStringLiteral("/min"))) {
        QTimer::singleShot(0, this, [this] { showMinimized(); });
        return;
    }
    QTimer::singleShot(0, this, [this] { AskFirstQuestions(); });
}

void TMainForm::AskFirstQuestions() {
    bool helpShown = false;
    const auto offer = [&helpShown, this](const QString& question, const QString& topic) {
        if (ShowMessageBox(question, TMsgKind::Information, mbYesNo) != mrYes)
            return;
        ShowHelpTopic(topic);
        PlaceHelpBesideWindow();
        helpShown = true;
    };
    if (Locations().NewUser)
        offer(QStringLiteral("Do you want help getting started with Quillhour?"),
              QStringLiteral("Getting Started.htm"));
    else if (PersonalSettings().VersionChanged)
        offer(QStringLiteral("Do you want to find out what's new in this version of Quillhour?"),
              QStringLiteral("What's New.htm"));
    if (!helpShown)
        AskForIncompleteLists();
}

void TMainForm::AskForIncompleteLists() {
    if (ClientProjectList.HasItems() && CategoryActivityList.HasItems())
        return;
    if (!MayEditAdminData()) {
        ShowMessageBox(QStringLiteral("An administrator needs to set up Client/Project or "
                                      "Category/Activity information\nNo new entries can be "
                                      "created in this session"),
                       TMsgKind::Warning, mbOK);
        return;
    }
    if (ShowMessageBox(QStringLiteral("Client/Project or Category/Activity information is "
                                      "incomplete - go to setup now?"),
                       TMsgKind::Confirmation, mbYesNo) == mrYes)
        OpenSetupWindow(true);
}

// The window moves to the left edge of its screen and the help window takes the room beside
// it (the right half of a screen narrower than 1024 pixels).
void TMainForm::PlaceHelpBesideWindow() {
    QWidget* help = OpenHelpWindow();
    const QScreen* screen = this->screen();
    if (!help || !screen)
        return;
    const QRect available = screen->availableGeometry();
    move(available.left(), y());
    const QRect frame = frameGeometry();
    const int left = available.width() < 1024 ? available.left() + available.width() / 2
                                              : frame.right() + 1;
    help->setGeometry(left, frame.top(), available.right() + 1 - left, frame.height());
}

void TMainForm::CloseDown() {
    if (FClosedDown)
        return;
    FClosedDown = true;
    FTimerStopped = true;
    Timer->stop();
    const TBusyCursor busy;
    if (FLoaded.IsLoaded()) {
        StoreBlockDetails(FSelectedBlock, spSilent, false);
        FSelectedBlock = nullptr;
        Timeline->SetDay(nullptr);
        FLoaded.SaveIfModified();
        FLoaded.Release();
    }
    CopySharedDataDown();
    try {
        TMoment lastEntry;
        if (RebuildInUseLists(LocalDataPath(), InUseClientProjectList, InUseCategoryActivityList,
                              lastEntry, false, true))
            SaveInUseLists(LocalDataPath(), InUseClientProjectList, InUseCategoryActivityList);
    } catch (const EInOutError& error) {
        ShowError(error);
    }
    FSelectionSnapshot.reset();
    FClipboardBlock.reset();
    StoreWindowSettings();
    SavePersonalSettings();
    if (!IsServerAdministration())
        BackupToServer();
    CloseHelpWindows();
}
