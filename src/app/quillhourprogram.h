#pragma once

#include "base/instanceguard.h"
#include "base/locationlock.h"

#include <memory>

class QWidget;
class TMainForm;
class TAboutForm;
class TTipsForm;
class TPreviewForm;
class TReportLayouts;
class TSelectExportDataForm;
class TSelectPrintReportForm;
struct TSelectReportSources;
class TSetupForm;
class TSplashForm;

// The program's start and stop sequences around the event loop.
class TQuillhourProgram {
public:
    TQuillhourProgram();
    ~TQuillhourProgram();

    // Resolves the data locations, checks the folders, takes the single-instance guard and
    // creates and shows the windows. False when the program must end at once.
    bool Start();
    // Runs the stop sequence once: saving, backups and closing help windows.
    void Stop();
    // Start, then the event loop until the main window closes; the process exit code.
    int Run();

    TMainForm* MainForm() const { return FMainForm.get(); }
    TSetupForm* SetupForm() const { return FSetupForm.get(); }
    TPreviewForm* PreviewForm() const { return FPreviewForm.get(); }
    TReportLayouts* ReportLayouts() const { return FReportLayouts.get(); }
    TSelectPrintReportForm* ReportForm() const { return FReportForm.get(); }
    TSelectExportDataForm* ExportForm() const { return FExportForm.get(); }
    // The tips shown at start, when the settings ask for them.
    TTipsForm* TipsForm() const { return FTipsForm.get(); }
    // The application's main window: the set-up window in server administration mode.
    QWidget* ApplicationMainWindow() const;
    bool HoldsInstanceGuard() const { return FInstanceGuard.IsHeld(); }
    bool HoldsDataLocation() const { return FLocationLock.IsHeld(); }

private:
    bool AcquireDataLocation();
    void CreateWindows();
    void ShowSplash();
    void CloseSplash();
    void ShowMainWindow();
    void CreateReportWindows();
    void OpenTimeReport();
    void CreateExportAndHelpWindows();
    bool OpenExportData();
    // What the report and export windows take from the main window when they open.
    TSelectReportSources MainWindowSources() const;
    void ConnectSetupForm();

    TInstanceGuard FInstanceGuard;
    TDataLocationLock FLocationLock;
    std::unique_ptr<TMainForm> FMainForm;
    std::unique_ptr<TSetupForm> FSetupForm;
    std::unique_ptr<TSplashForm> FSplash;
    std::unique_ptr<TPreviewForm> FPreviewForm;
    std::unique_ptr<TReportLayouts> FReportLayouts;
    std::unique_ptr<TSelectPrintReportForm> FReportForm;
    std::unique_ptr<TSelectExportDataForm> FExportForm;
    std::unique_ptr<TAboutForm> FAboutForm;
    std::unique_ptr<TTipsForm> FTipsForm;
    bool FStopped = false;
};

// The application's icon at every size it ships in.
class QIcon;
QIcon ProgramIcon();

// Installs the program's own services (message boxes, help window, busy cursor, fonts)
// and sets the application's name and version.
void InstallProgramServices();
