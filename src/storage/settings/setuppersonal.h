#pragma once

#include "storage/settings/calendarsetup.h"
#include "storage/values/money.h"

#include <QDate>
#include <QString>

// The personal settings of one user, kept in the settings file of the local data location.
// Colours are decimal numbers of the colour's blue-green-red bytes.
struct TSetupPersonal {
    int StandardColour = 65535;      // yellow
    int UnreportedColour = 16711680; // blue
    int UnchargedColour = 255;       // red
    int OvertimeColour = 33023;      // orange
    bool LockHoursOnStartup = false;
    bool ConfirmDeletes = true;
    bool ShowHints = true;
    bool ShowTips = true;
    bool SaveOnChange = true;
    bool BillingReport = false;
    bool ActiveClients = true;
    bool BreakDownToRemarks = false;
    bool ShowOvertime = true;
    bool DefaultToChargeable = true;
    bool DecimalDurationFormat = true;
    QString ReportType;
    QString ExportFileName;
    bool PaperSizeA4 = true;
    QString PrinterName;
    TMoney UserHourlyRate;
    QString ReminderPlaySound; // empty: silent
    int ReminderInterval = 0;  // minutes; 0: no reminders
    QDate LastUse;
    TCalendarSetup Calendar;

    bool operator==(const TSetupPersonal&) const = default;
};
