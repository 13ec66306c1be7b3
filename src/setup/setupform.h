#pragma once

#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/server/serverdatascan.h"
#include "storage/settings/calendarsetup.h"

#include <functional>
#include <memory>

#include <QColor>
#include <QDateTime>
#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class TColorButton;
class TGraphicCalendar;
class TExportFormatListPage;
class TListTreeEditor;
class TSetupColumnSliders;

// What the set-up window works on besides the settings: the main window's lists, which it
// edits, the user's in-use lists, which stand in for the server's in the scan, the colour
// dialog's shared custom colours, and whom to tell when it changed something.
struct TSetupSources {
    TClients* ClientProjectList = nullptr;
    TCategories* CategoryActivityList = nullptr;
    const TClients* InUseClients = nullptr;
    const TCategories* InUseCategories = nullptr;
    QList<QColor>* CustomColours = nullptr;
    // The shared lists were written: the in-use lists must be rebuilt.
    std::function<void()> ListsChanged;
    // After OK (unless this window is the program's main window): the main window takes the
    // new lists and settings.
    std::function<void()> Refresh;
};

// The set-up window ("Setup"): personal preferences, administration settings, the shared
// lists and the export formats, on five pages. It works on copies and stores them only when
// confirmed with OK. Only users who may change administration data can change the
// administration settings and the lists; everyone can change the personal preferences. In
// server administration mode it is the program's main window and its "Personal" page is
// hidden. Its methods are spread over setupform.cpp (creation, opening, enabling, the
// controls' handlers), setupformpages.cpp (the pages' controls) and setupformconfirm.cpp
// (the checks and storing on OK).
class TSetupForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetupForm(QWidget* parent = nullptr);
    ~TSetupForm() override;

    // Gives the window the main window's lists and hooks; makes the two list pages. Called
    // once, after both windows exist.
    void Connect(const TSetupSources& sources);
    // Shows the window modally; listMaintenance when the program itself asks for the lists
    // to be set up (the "Client/Project" page is shown with the focus in its tree). True
    // after OK.
    bool Execute(bool listMaintenance);
    // Closes without storing anything; as the main window it ends the program.
    void reject() override;

    // Ends the program when this window, as the main window, is closed.
    std::function<void()> EndProgram;
    // Plays a sound file without waiting; false when it cannot be played.
    std::function<bool(const QString& file)> PlaySound;
    // Asks for a sound file (empty when none was chosen); the open-file dialog by default.
    std::function<QString()> ChooseSoundFile;
    // Saves the export formats held by the format page; the error texts of those that could
    // not be saved. The format page's own saving unless replaced (by tests).
    std::function<QString()> SaveExportFormats;

    // What the scan of the shared data found when the window opened, for the export format
    // editor: the users with data, and the clients and categories they use.
    const TServerUsers& ServerUsers() const { return FServerUsers; }
    // The number of users, 0 when the only one is the current user.
    int ServerUserCount() const;
    const TClients& ServerClients() const { return FServerClients; }
    const TCategories& ServerCategories() const { return FServerCategories; }
    // The calendar appearance being edited.
    const TCalendarSetup& CalendarCopy() const { return FCalendarCopy; }
    QString ReminderSoundFile() const { return FReminderSound; }
    // The sound proposed when "Play a sound" is checked with no file chosen: the chime that
    // ships in the program folder.
    static QString DefaultReminderSound();

    TListTreeEditor* Trees() const { return FTrees.get(); }
    // True while the window fills itself; the server scan lets waiting messages through
    // meanwhile, and OK and Cancel wait until it is done.
    bool IsOpening() const { return FOpening; }

    QTabWidget* pageControl = nullptr;
    QWidget* shtPersonal = nullptr;
    QWidget* shtAdmin = nullptr;
    QWidget* shtClientProject = nullptr;
    QWidget* shtCategoryActivity = nullptr;
    QWidget* shtExportFormat = nullptr;
    TExportFormatListPage* FormatPage() const { return FFormatPage; }
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    QPushButton* btnHelp = nullptr;

    // Personal page.
    QLineEdit* edtUserName = nullptr;
    TColorButton* btnStandardColor = nullptr;
    TColorButton* btnUnreportedColor = nullptr;
    TColorButton* btnUnchargedColor = nullptr;
    TColorButton* btnOvertimeColor = nullptr;
    QRadioButton* btnDecimal = nullptr;
    QRadioButton* btnHoursAndMins = nullptr;
    QCheckBox* chkLockHours = nullptr;
    QCheckBox* chkConfirmDeletes = nullptr;
    QCheckBox* chkShowHints = nullptr;
    QCheckBox* chkShowTips = nullptr;
    QCheckBox* chkSaveOnChange = nullptr;
    QFrame* pnlShowCalendar = nullptr;
    TGraphicCalendar* showCalendar = nullptr;
    QComboBox* cmbReportType = nullptr;
    QCheckBox* chkRemarks = nullptr;
    QCheckBox* chkShowOvertime = nullptr;
    QComboBox* cmbPrinters = nullptr;
    QRadioButton* btnA4 = nullptr;
    QRadioButton* btnLetter = nullptr;
    QCheckBox* chkBillingReport = nullptr;
    QCheckBox* chkActiveClients = nullptr;
    QCheckBox* chkReminder = nullptr;
    QLabel* lblReminderAfter = nullptr;
    QLineEdit* edtReminderInterval = nullptr;
    QLabel* lblReminderMinutes = nullptr;
    QCheckBox* chkReminderSound = nullptr;
    QLabel* txtReminderSound = nullptr;
    QPushButton* btnBrowse = nullptr;
    QLabel* lblHourlyRate = nullptr;
    QLineEdit* edtUserHourlyRate = nullptr;
    QLabel* lblRateCurrency = nullptr;
    QCheckBox* chkDefaultChargeable = nullptr;

    // Administration page.
    QPushButton* btnConfiguration = nullptr;
    QLabel* txtConfig = nullptr;
    QGroupBox* gpbxUnitOfTime = nullptr;
    QRadioButton* btn6min = nullptr;
    QRadioButton* btn10min = nullptr;
    QRadioButton* btn15min = nullptr;
    QLabel* lblTarget = nullptr;
    QLineEdit* edtTarget = nullptr;
    TSetupColumnSliders* gpbxReportColumns = nullptr;
    QCheckBox* chkBillingInfoActive = nullptr;
    QLabel* lblCurrencySymbol = nullptr;
    QLineEdit* edtCurrencySymbol = nullptr;
    QLabel* lblFirstDayOfWeek = nullptr;
    QComboBox* cmbFirstDayOfWeek = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void CreatePages();
    void CreateButtons();
    QWidget* CreatePersonalPage();
    QWidget* CreateAdminPage();
    QGroupBox* CreateColoursGroup();
    QGroupBox* CreatePreferencesGroup();
    QGroupBox* CreateCalendarPreview();
    QGroupBox* CreateFavouriteReportGroup();
    QGroupBox* CreateReminderGroup();
    QGroupBox* CreatePersonalBillingGroup();
    QWidget* CreateConfigurationRow();
    QGroupBox* CreateHoursGroup();
    QGroupBox* CreateAdminBillingGroup();
    QGroupBox* CreateFirstDayGroup();
    void ConnectControls();

    // Opening: the settings read again, the shared data scanned, the trees built and every
    // control filled.
    void Opening();
    void ScanServer();
    void FillFormatPage();
    void ShowCalendarPreview();
    void FillPersonalControls();
    void FillAdminControls();
    void ChooseFirstPage();
    void Release();
    void UpdateEnabling();
    void UpdateFavouriteReportEnabling();
    void ApplyHints(bool show);
    void ShowReminderSound();

    void chkReminderClick(bool checked);
    void chkReminderSoundClick(bool checked);
    void btnBrowseClick();
    void chkBillingInfoActiveClick(bool checked);
    void chkShowHintsClick(bool checked);
    void btnConfigurationClick();
    void btnHelpClick();
    void showCalendarClick();
    void PageChanged();

    // Confirming (setupformconfirm.cpp).
    void btnOKClick();
    bool ValidateEntries();
    bool Refuse(const QString& message, QWidget* page, QWidget* control);
    bool ExportFormatsSaved();
    void StoreAdminSettings();
    void StoreUserName();
    void StorePersonalSettings();
    void CloseConfirmed();

    TSetupSources FSources;
    TExportFormatListPage* FFormatPage = nullptr;
    std::unique_ptr<TListTreeEditor> FTrees;
    TServerUsers FServerUsers;
    TClients FServerClients;
    TCategories FServerCategories;
    TCalendarSetup FCalendarCopy;
    QDateTime FLastPictureChange;
    QString FReminderSound;
    bool FListMaintenance = false;
    bool FOpening = false;
};
