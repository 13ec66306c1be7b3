// The set-up window's OK: the entries checked one after the other, then the administration
// settings file locked while the lists and settings are stored.
#include "base/applocale.h"
#include "base/datalocations.h"
#include "base/fileutils.h"
#include "base/ioerror.h"
#include "base/lockfile.h"
#include "base/lockremedy.h"
#include "base/messages.h"
#include "base/textutils.h"
#include "calendar/colornumber.h"
#include "setup/listtreeeditor.h"
#include "setup/setupcolumnsliders.h"
#include "setupform.h"
#include "storage/server/backup.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/values/money.h"
#include "storage/values/timevalues.h"
#include "widgets/colorbutton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>

namespace {
const TMoney HighestRate = TMoney::FromUnits(99999900); // 9999.99

// The administration settings file's lock, held from the checks of OK until the settings are
// written; let go on every way out.
class TAdminFileLock {
public:
    TAdminFileLock() = default;
    ~TAdminFileLock() { UnlockFile(FInfo); }
    TAdminFileLock(const TAdminFileLock&) = delete;
    TAdminFileLock& operator=(const TAdminFileLock&) = delete;

    bool Take(const QString& path) {
        LockFileOrOfferRemoval(path, FInfo);
        return IsLocked(FInfo);
    }
    bool Held() const { return IsLocked(FInfo); }
    // Written by somebody else since this program read it.
    bool ChangedSinceRead() const {
        return AdminSettingsAge().ChangedSince(FInfo.FileName, FInfo.LockedAge);
    }
    // Writes the administration settings under the held lock, in the modes that may write
    // them. A failed write is reported and the values stay in memory.
    void WriteSettings() const {
        if (!IsServerAdministration() && !HasAdminRights() && !IsSingleUser())
            return;
        const QString& fileName = FInfo.FileName;
        try {
            TIniFile ini(fileName);
            WriteAdminSettings(ini, AdminSettings(), TimeStep());
            ini.SaveToFile(fileName);
        } catch (const EInOutError& error) {
            WarnSettingsNotSaved(fileName, error.Message());
        }
        MarkFileWritten(FInfo);
    }
    void WriteSettingsAndTakeContent() {
        WriteSettings();
        TakeContent();
    }
    // Lets the lock go and remembers the file's stamp as this program's own.
    void Release() {
        const bool held = Held();
        UnlockFile(FInfo);
        AdminSettingsAge().SetStamp(FInfo.FileAge);
        if (held)
            AdminSettingsAge().SetContent(FContent);
    }
    // What the files hold once this program wrote them, taken while the lock is still held.
    void TakeContent() { FContent = AdminSettingsAge().ContentOf(FInfo.FileName); }

private:
    TLockFileInfo FInfo;
    QByteArray FContent;
};

bool HasDigitOrPoint(const QString& text) {
    for (const QChar c : text)
        if (c.isDigit() || c == QLatin1Char('.'))
            return true;
    return false;
}

int StepOfUnit(const QRadioButton* six, const QRadioButton* ten) {
    if (six->isChecked())
        return StepFromMinutes(6);
    return StepFromMinutes(ten->isChecked() ? 10 : 15);
}
} // namespace

void TSetupForm::btnOKClick() {
    if (FOpening || !ValidateEntries())
        return;
    // Every question comes before the lock: the lock is held for the writes only, never while
    // somebody thinks about an answer.
    const bool editsAdminData = MayEditAdminData();
    if (editsAdminData && FTrees && !FTrees->ConfirmTrees())
        return;
    TAdminFileLock lock;
    // Personal settings are this workstation's own: only administration data needs the lock.
    if (IsShared() && editsAdminData) {
        const QString path = AdminSettingsFileName();
        if (!lock.Take(path)) {
            ShowMessageBox(CannotLockText(path), TMsgKind::Error, mbOK);
            return;
        }
        if (lock.ChangedSinceRead()) {
            lock.Release();
            ShowMessageBox(QStringLiteral("Administration data has been changed by another user "
                                          "- the new data will be loaded"),
                           TMsgKind::Warning, mbOK);
            Opening();
            return;
        }
    }
    if (editsAdminData && FTrees && !FTrees->SaveTrees(true))
        return;
    if (editsAdminData)
        StoreAdminSettings();
    StoreUserName();
    StorePersonalSettings();
    if (!IsServerAdministration() && FSources.Refresh)
        FSources.Refresh();
    if (lock.Held()) {
        lock.WriteSettingsAndTakeContent();
        lock.Release();
    } else {
        SaveAdminSettings();
    }
    CloseConfirmed();
}

bool TSetupForm::ValidateEntries() {
    const QString userName = TrimBlanks(edtUserName->text());
    if (userName.isEmpty())
        return Refuse(QStringLiteral("User name cannot be blank"), shtPersonal, edtUserName);
    if (HasInvalidNameChar(userName))
        return Refuse(QStringLiteral("User name cannot contain \\/:*?\"<>|"), shtPersonal,
                      edtUserName);
    if (IsServerUserFolderTaken(CurrentUserName(), userName))
        return Refuse(UserNameTakenText(userName), shtPersonal, edtUserName);
    const bool billing = chkBillingInfoActive->isChecked();
    TMoney rate;
    if (billing && !ParseAmount(edtUserHourlyRate->text(), rate))
        return Refuse(QStringLiteral("Hourly rate must be a number"), shtPersonal,
                      edtUserHourlyRate);
    if (billing && (rate < TMoney() || rate > HighestRate))
        return Refuse(QStringLiteral("Hourly rate must be zero or greater, and less than 10,000"),
                      shtPersonal, edtUserHourlyRate);
    int interval = 0;
    if (chkReminder->isChecked() &&
        (!TryInteger(edtReminderInterval->text(), interval) || interval < 1))
        return Refuse(QStringLiteral("Reminder interval must be a whole number greater than zero"),
                      shtPersonal, edtReminderInterval);
    double target = 0;
    if (!TryReal(edtTarget->text(), target))
        return Refuse(QStringLiteral("Target hours are not a number"), shtAdmin, edtTarget);
    if (target < 0 || target > 24)
        return Refuse(QStringLiteral("Target hours must be between 0 and 24"), shtAdmin, edtTarget);
    const QString symbol = TrimBlanks(edtCurrencySymbol->text());
    if (billing && symbol.isEmpty())
        return Refuse(QStringLiteral("Currency symbol cannot be blank"), shtAdmin,
                      edtCurrencySymbol);
    if (billing && HasDigitOrPoint(symbol))
        return Refuse(QStringLiteral("Currency symbol cannot contain numbers or \".\""), shtAdmin,
                      edtCurrencySymbol);
    return ExportFormatsSaved();
}

bool TSetupForm::Refuse(const QString& message, QWidget* page, QWidget* control) {
    ShowMessageBox(message, TMsgKind::Error, mbOK);
    pageControl->setCurrentWidget(page);
    if (control)
        control->setFocus();
    return false;
}

bool TSetupForm::ExportFormatsSaved() {
    const QString errors = SaveExportFormats ? SaveExportFormats() : QString();
    if (errors.isEmpty())
        return true;
    return Refuse(errors, shtExportFormat,
                  shtExportFormat->findChild<QWidget*>(QStringLiteral("listExportFormats")));
}

void TSetupForm::StoreAdminSettings() {
    TAdminSettings& admin = AdminSettings();
    admin.FirstDayOfWeek = cmbFirstDayOfWeek->currentIndex() + 1;
    TryReal(edtTarget->text(), admin.TargetDailyHours);
    SetTimeStep(StepOfUnit(btn6min, btn10min));
    admin.BillingInfoActive = chkBillingInfoActive->isChecked();
    admin.CurrencySymbol =
        admin.BillingInfoActive ? TrimBlanks(edtCurrencySymbol->text()) : LocaleCurrencySymbol();
    admin.ReportColumnDefault = gpbxReportColumns->chkPrintAtDefault->isChecked();
    const TColumnPositions columns = gpbxReportColumns->Positions();
    admin.ReportProjectColumn = columns[rcProject];
    admin.ReportCategoryActivityColumn = columns[rcCategoryActivity];
    admin.ReportRemarksColumn = columns[rcRemarks];
}

// A new name moves the user's folder on the server along; a failed move is only a warning.
void TSetupForm::StoreUserName() {
    const QString newName = TrimBlanks(edtUserName->text());
    const QString oldName = CurrentUserName();
    if (newName == oldName)
        return;
    RenameServerUserFolder(oldName, newName);
    PersonalSettings().UserName = newName;
}

void TSetupForm::StorePersonalSettings() {
    TSetupPersonal& setup = PersonalSettings().Setup;
    const bool billing = chkBillingInfoActive->isChecked();
    TMoney rate;
    setup.UserHourlyRate =
        billing && ParseAmount(edtUserHourlyRate->text(), rate) ? rate : TMoney();
    setup.LockHoursOnStartup = chkLockHours->isChecked();
    setup.ConfirmDeletes = chkConfirmDeletes->isChecked();
    setup.ShowHints = chkShowHints->isChecked();
    setup.ShowTips = chkShowTips->isChecked();
    setup.SaveOnChange = chkSaveOnChange->isChecked();
    int interval = 0;
    setup.ReminderInterval =
        chkReminder->isChecked() && TryInteger(edtReminderInterval->text(), interval) ? interval
                                                                                      : 0;
    setup.ReminderPlaySound = chkReminderSound->isChecked() ? FReminderSound : QString();
    setup.ReportType = cmbReportType->currentText();
    setup.BillingReport = chkBillingReport->isChecked() && billing;
    setup.ActiveClients = chkActiveClients->isChecked();
    setup.BreakDownToRemarks = chkRemarks->isChecked();
    setup.ShowOvertime = chkShowOvertime->isChecked();
    setup.DefaultToChargeable = chkDefaultChargeable->isChecked();
    setup.DecimalDurationFormat = btnDecimal->isChecked();
    setup.Calendar = FCalendarCopy;
    setup.StandardColour = NumberOfColor(btnStandardColor->Color());
    setup.UnreportedColour = NumberOfColor(btnUnreportedColor->Color());
    setup.UnchargedColour = NumberOfColor(btnUnchargedColor->Color());
    setup.OvertimeColour = NumberOfColor(btnOvertimeColor->Color());
    // Without any printer on this machine the stored name is kept for the machines that have it.
    if (cmbPrinters->count() > 0)
        setup.PrinterName = cmbPrinters->currentText();
    setup.PaperSizeA4 = btnA4->isChecked();
}

void TSetupForm::CloseConfirmed() {
    accept();
    if (IsServerAdministration() && EndProgram)
        EndProgram();
}
