#pragma once

#include "base/sharedfilestamp.h"
#include "storage/settings/settingsreader.h"

#include <vector>

#include <QString>

// Settings an administrator sets for everybody who shares the data. The unit of time is the
// process-wide TimeStep() of timevalues.h.
struct TAdminSettings {
    int FirstDayOfWeek = 1; // Monday = 1 ... Sunday = 7
    double TargetDailyHours = 8;
    bool BillingInfoActive = false;
    QString CurrencySymbol;
    bool ReportColumnDefault = true;
    int ReportProjectColumn = 0;
    int ReportCategoryActivityColumn = 0;
    int ReportRemarksColumn = 0;

    bool operator==(const TAdminSettings&) const = default;
};

TAdminSettings& AdminSettings();
// The administration settings file's stamp when last read or written under its lock
// (UnknownStamp when the file is not shared or the lock was not obtained).
TSharedFileStamp& AdminSettingsAge();

// Reads the [Setup] values of an administration settings file (no file access, no lock);
// timeStep receives the unit of time as a step.
void ReadAdminSettings(const TSettingsReader& reader, TAdminSettings& settings, int& timeStep);
// Writes them back into the file's [Setup] section, in their fixed order.
void WriteAdminSettings(TIniFile& ini, const TAdminSettings& settings, int timeStep);

// Loads the administration settings file into AdminSettings() and the unit of time, under
// the file's lock when the data is shared. A missing or unreadable file gives the defaults.
void LoadAdminSettings();

// Saves AdminSettings() and the unit of time, when this program may change them (server
// administration, admin rights or single-user). In shared use the file is written under its
// lock and only when nobody else changed it since it was read. A file that cannot be written
// is reported with a warning naming it; the values stay in memory for the next save.
TSharedFileResult SaveAdminSettings();

// "TargetDailyHours" as the file keeps it: up to 18 significant digits with the locale's
// decimal separator ("8", "7.5", "7.09999999999999964").
QString TargetHoursText(double hours);
