#pragma once

#include "storage/settings/settingsreader.h"
#include "storage/settings/setuppersonal.h"
#include "storage/settings/windowgeometry.h"

#include <memory>
#include <vector>

#include <QDateTime>
#include <QString>

class TBlock;

// Everything the personal settings file holds: the record, the user name, the main window's
// placement, the last tip shown, the favourite activity and whether the program's version
// changed since the file was last saved.
struct TPersonalSettings {
    TPersonalSettings();
    ~TPersonalSettings();
    TPersonalSettings(TPersonalSettings&&) noexcept;
    TPersonalSettings& operator=(TPersonalSettings&&) noexcept;

    TSetupPersonal Setup;
    QString UserName;
    TWindowSettings Window;
    int LastTip = -1;
    std::unique_ptr<TBlock> FavouriteBlock;
    bool VersionChanged = false;
};

TPersonalSettings& PersonalSettings();

// Reads the personal values of a settings file (no file access). today is the default for
// "LastUse"; billingInfoActive the default of "BillingReport".
void ReadPersonalSettings(const TSettingsReader& reader, TPersonalSettings& settings, QDate today,
                          bool billingInfoActive);
// Writes them into the file in their fixed order, removing the older keys.
void WritePersonalSettings(TIniFile& ini, const TPersonalSettings& settings, const QDateTime& now);

// Loads the local settings file into PersonalSettings(); its user name becomes the current one
// (CurrentUserName). Call after LoadAdminSettings.
void LoadPersonalSettings(QDate today = QDate::currentDate());
// Saves PersonalSettings() (not in server administration mode). A file that cannot be written
// is reported with a warning naming it; the values stay in memory for the next save.
void SavePersonalSettings(const QDateTime& now = QDateTime::currentDateTime());

// True when the stored version differs from the program's, comparing both without the part
// after their last "." (v3.3.0 and v3.3.1 count as the same version).
bool IsOtherVersion(const QString& stored, const QString& current);

// The reminder's sound when the settings name none: the short chime that ships in the program
// folder.
QString DefaultReminderSoundFile();
