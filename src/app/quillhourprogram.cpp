#include "quillhourprogram.h"

#include "app/aboutform.h"
#include "app/helpform.h"
#include "app/qtservices.h"
#include "app/splashform.h"
#include "app/tipsform.h"
#include "base/datalocations.h"
#include "base/help.h"
#include "base/messages.h"
#include "base/stalesaves.h"
#include "base/processenvironment.h"
#include "base/version.h"
#include "base/waitingmessages.h"
#include "calendar/calendaraccessible.h"
#include "dayview/mainform.h"
#include "dayview/timelineaccessible.h"
#include "reporting/layouts/basereport.h"
#include "reporting/layouts/reportlayouts.h"
#include "reportwindows/previewform.h"
#include "reportwindows/selectexportdataform.h"
#include "reportwindows/selectprintreportform.h"
#include "setup/setupform.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDatabase>
#include <QIcon>

namespace {
const QString ProgramName = QStringLiteral("Quillhour");

// Tahoma comes with Debian's fonts-wine; without it the toolkit's sans-serif stands in.
void RegisterTahoma() {
    const QString folder = QStringLiteral("/usr/share/wine/fonts/");
    bool found = false;
    for (const QString& name : {QStringLiteral("tahoma.ttf"), QStringLiteral("tahomabd.ttf")})
        if (QFileInfo::exists(folder + name))
            found = QFontDatabase::addApplicationFont(folder + name) >= 0 || found;
    QFont font(found ? QStringLiteral("Tahoma") : QApplication::font().family(), 8);
    font.setStyleHint(QFont::SansSerif);
    QApplication::setFont(font);
}
} // namespace

QIcon ProgramIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/%1x%1/apps/quillhour.png").arg(size), QSize(size, size));
    return icon;
}

void InstallProgramServices() {
    QApplication::setApplicationName(ProgramName);
    QApplication::setApplicationVersion(QString::fromLatin1(QuillhourVersion));
    QApplication::setApplicationDisplayName(ProgramName);
    QApplication::setDesktopFileName(QStringLiteral("io.quillhour.Quillhour"));
    QApplication::setWindowIcon(ProgramIcon());
    InstallQtMessageBox();
    InstallQtBusyCursor();
    InstallHelpWindow();
    InstallCalendarAccessibility();
    InstallTimelineAccessibility();
    RegisterTahoma();
}

TQuillhourProgram::TQuillhourProgram() = default;

TQuillhourProgram::~TQuillhourProgram() = default;

QWidget* TQuillhourProgram::ApplicationMainWindow() const {
    if (IsServerAdministration())
        return FSetupForm.get();
    return FMainForm.get();
}

bool TQuillhourProgram::Start() {
    ResolveDataLocations();
    if (!CheckDataFolders())
        return false;
    if (!HasSwitch(QStringLiteral("/multi")) && !FInstanceGuard.TryAcquire(InstanceGuardName))
        return false;
    if (!AcquireDataLocation())
        return false;
    for (const QString& folder : OwnDataFolders())
        RemoveStaleTemporaryFiles(folder);
    CreateWindows();
    LoadAdminSettings();
    LoadPersonalSettings();
    FMainForm->LoadData();
    FMainForm->ApplyWindowSettings();
    CloseSplash();
    ShowMainWindow();
    SetApplicationTitle(ApplicationMainWindow());
    return true;
}

// Another copy on the same data location (allowed with /multi) would write the same month
// files from another memory: this one says so and ends.
bool TQuillhourProgram::AcquireDataLocation() {
    const QString location = Locations().LocalFolder;
    if (FLocationLock.TryAcquire(location) != TDataLocationLock::TResult::HeldByOther)
        return true;
    ShowMessageBox(LocationInUseText(location, FLocationLock.Holder()), TMsgKind::Error, mbOK);
    return false;
}

void TQuillhourProgram::CreateWindows() {
    if (IsServerAdministration()) {
        FSetupForm = std::make_unique<TSetupForm>();
        ShowSplash();
        FMainForm = std::make_unique<TMainForm>();
    } else {
        FMainForm = std::make_unique<TMainForm>();
        ShowSplash();
        FSetupForm = std::make_unique<TSetupForm>();
    }
    FMainForm->SetStopSequence([this] { Stop(); });
    ConnectSetupForm();
    CreateReportWindows();
    CreateExportAndHelpWindows();
}

// The set-up window edits the main window's lists and tells it what changed; the main window
// opens it from its set-up button and from the question about empty lists.
void TQuillhourProgram::ConnectSetupForm() {
    TMainForm& main = *FMainForm;
    TSetupSources sources;
    sources.ClientProjectList = &main.ClientProjectList;
    sources.CategoryActivityList = &main.CategoryActivityList;
    sources.InUseClients = &main.InUseClientProjectList;
    sources.InUseCategories = &main.InUseCategoryActivityList;
    sources.CustomColours = &main.SharedCustomColours;
    sources.ListsChanged = [&main] { main.MarkInUseListsStale(); };
    sources.Refresh = [&main] { main.RefreshAfterSetup(); };
    FSetupForm->Connect(sources);
    FSetupForm->PlaySound = [&main](const QString& file) {
        return main.PlaySound && main.PlaySound(file);
    };
    FSetupForm->EndProgram = [] { QCoreApplication::quit(); };
    main.OpenSetup = [this](bool listMaintenance) {
        return FSetupForm->Execute(listMaintenance);
    };
}

// The report layouts, the report window and one preview window serve every report.
void TQuillhourProgram::CreateReportWindows() {
    FReportLayouts = CreateReportLayouts();
    FPreviewForm = std::make_unique<TPreviewForm>();
    TBaseReport::SetPreviewHandler([this](TBaseReport& report) { FPreviewForm->Preview(report); });
    if (!FReportLayouts)
        return;
    FReportForm = std::make_unique<TSelectPrintReportForm>(*FReportLayouts);
    FMainForm->OpenTimeReport = [this] { OpenTimeReport(); };
}

// The export window, the tips and the About window, opened from the main window.
void TQuillhourProgram::CreateExportAndHelpWindows() {
    FExportForm = std::make_unique<TSelectExportDataForm>();
    FMainForm->OpenExportData = [this] { return OpenExportData(); };
    FAboutForm = std::make_unique<TAboutForm>();
    FMainForm->OpenTips = [this] { ShowTipsWindow(FMainForm.get()); };
    FMainForm->OpenAbout = [this] { FAboutForm->Execute(); };
}

bool TQuillhourProgram::OpenExportData() {
    if (!FExportForm->FillFormatList())
        return false;
    FExportForm->ShowFor(FMainForm.get(), MainWindowSources());
    return true;
}

TSelectReportSources TQuillhourProgram::MainWindowSources() const {
    TMainForm& main = *FMainForm;
    TSelectReportSources sources;
    sources.ClientProjectList = &main.ClientProjectList;
    sources.InUseClients = &main.InUseClientProjectList;
    sources.InUseCategories = &main.InUseCategoryActivityList;
    sources.RefreshInUseLists = [&main] { main.RefreshStaleInUseLists(); };
    sources.Week = main.SelectedWeek();
    sources.Month = main.SelectedMonth();
    return sources;
}

void TQuillhourProgram::OpenTimeReport() {
    FReportForm->ShowFor(FMainForm.get(), MainWindowSources());
}

void TQuillhourProgram::ShowSplash() {
    FSplash = std::make_unique<TSplashForm>();
    FSplash->show();
    LetWaitingMessagesThrough();
}

void TQuillhourProgram::CloseSplash() {
    LetWaitingMessagesThrough();
    if (FSplash)
        FSplash->close();
    FSplash.reset();
}

void TQuillhourProgram::ShowMainWindow() {
    if (IsServerAdministration()) {
        FSetupForm->show();
        return;
    }
    FMainForm->show();
    LetWaitingMessagesThrough();
    // The tips at start stand beside the main window without holding it up.
    if (PersonalSettings().Setup.ShowTips) {
        FTipsForm = std::make_unique<TTipsForm>(FMainForm.get());
        FTipsForm->show();
    }
}

void TQuillhourProgram::Stop() {
    if (FStopped)
        return;
    FStopped = true;
    // The main window's close sequence saves the settings and closes the help windows; in
    // server administration mode (or when the program ends otherwise) it has not run.
    if (!FMainForm || !FMainForm->ClosedDown()) {
        SavePersonalSettings();
        CloseHelpWindows();
    }
    TBaseReport::SetPreviewHandler(nullptr);
    FLocationLock.Release();
    FInstanceGuard.Release();
}

int TQuillhourProgram::Run() {
    if (!Start())
        return 0;
    QObject::connect(qApp, &QCoreApplication::aboutToQuit, [this] { Stop(); });
    return QApplication::exec();
}
