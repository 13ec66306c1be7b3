#pragma once

#include "storage/lists/categories.h"
#include "storage/lists/clients.h"
#include "storage/server/serverdatascan.h"
#include "storage/values/calendardates.h"

#include <functional>

#include <QDialog>
#include <QPointer>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QVBoxLayout;

// What the main window hands the report and export windows when it opens them.
struct TSelectReportSources {
    const TClients* ClientProjectList = nullptr; // the program's list (for "Show Active")
    const TClients* InUseClients = nullptr;      // the current user's in-use lists
    const TCategories* InUseCategories = nullptr;
    // Rebuilds and saves the current user's in-use lists when they are marked out of date.
    std::function<void()> RefreshInUseLists;
    TDateRange Week;  // the calendar's week (configured first day of the week)
    TDateRange Month; // the calendar's month
};

// The common part of the windows that pick a period, whose data and the filters, and then run
// something on them: the period with its week and month buttons and week numbers, the user
// list (the current user, or all or some users of the work group), the client, project and
// charging filters, and the run buttons. Each window adds its own controls and rules.
class TBaseSelectReportForm : public QDialog {
    Q_OBJECT
public:
    explicit TBaseSelectReportForm(QWidget* owner = nullptr);
    ~TBaseSelectReportForm() override;

    // Shows the window for the main window (disabled until this one hides).
    void ShowFor(QWidget* mainWindow, const TSelectReportSources& sources);

    // Replaceable for tests: the user selection window.
    std::function<bool(QWidget* parent, const TServerUsers& all, TServerUsers& selection,
                       bool showsLatestEntry)>
        ChooseUsers;

    QGroupBox* gbxPeriod;
    QDateEdit* pickFrom;
    QDateEdit* pickTo;
    QToolButton* sbWeek;
    QToolButton* sbMonth;
    QLineEdit* txtWeeknum;
    QToolButton* sbWeeknumDn;
    QToolButton* sbWeeknumUp;
    QGroupBox* gbxContent;
    QComboBox* cmbUser;
    QPushButton* btnUsers;
    QComboBox* cmbClient;
    QComboBox* cmbProject;
    QCheckBox* chkActiveClients;
    QComboBox* cmbCharging;
    QToolButton* sbhelp;
    QPushButton* btnPreview;
    QPushButton* btnAction;
    QPushButton* btnClose;

    TServerUsers AllUsers;
    TServerUsers SelectedUsers;
    int AllUserCount = 0;
    int WeekNumber = 0;
    int WeekYear = 0;

protected:
    // Whether the user selection window shows the latest entries.
    virtual bool ShowsLatestEntry() const = 0;
    virtual void UpdateControls() = 0;
    // The window's own part of showing, after the scan and the common controls.
    virtual void ShowWindowPart() = 0;

    // The layout: the window's own groups go above and below the common ones.
    QVBoxLayout* FormLayout = nullptr;
    QWidget* ButtonRow = nullptr;

    bool WorkgroupSelected() const;
    bool IsWeekly() const { return FWeekly; }
    void SetWeekly(bool weekly) { FWeekly = weekly; }
    const TSelectReportSources& Sources() const { return FSources; }
    const TClients& WorkgroupClients() const { return FWorkgroupClients; }
    void SetPeriod(const TDateRange& range);
    // Moves the period to the week (configured first day) around its start date.
    void SnapToWeek();
    void ComputeWeekNumber();
    void FillClientList();
    // The filters as chosen: empty for "All Clients" / "All Projects".
    QString ClientFilter() const;
    QString ProjectFilter() const;
    // The user folders of the selection, or none when the current user is chosen.
    std::optional<QStringList> ChosenUserFolders(const QString& singleUser = {}) const;
    void SortSelectedUsers();
    void ApplyHints();
    void hideEvent(QHideEvent* event) override;

private:
    void CreatePeriodGroup();
    void CreateContentGroup();
    void CreateButtons();
    void ScanServer();
    void WeekNumberStep(int steps);
    void pickFromChange();
    void ApplyDeferredWeek();
    void btnUsersClick();

    TSelectReportSources FSources;
    QPointer<QWidget> FMainWindow;
    TClients FWorkgroupClients;
    TCategories FWorkgroupCategories;
    bool FWeekly = false;
    bool FFillingClients = false;
    bool FSettingPeriod = false;
    bool FWeekAdjustPending = false;
};
