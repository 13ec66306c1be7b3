#include "settingsreadonly.h"

#include "base/datalocations.h"
#include "base/ioerror.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"
#include "storage/values/timevalues.h"

namespace {
TIniFile ReadOrEmpty(const QString& fileName) {
    try {
        return TIniFile(fileName);
    } catch (const EInOutError&) {
        return {};
    }
}
} // namespace

void LoadSettingsReadOnly() {
    int timeStep = TimeStep();
    const TIniFile admin = ReadOrEmpty(AdminSettingsFileName());
    ReadAdminSettings(TSettingsReader(admin), AdminSettings(), timeStep);
    SetTimeStep(timeStep);
    const TIniFile personal = ReadOrEmpty(PersonalSettingsFileName());
    ReadPersonalSettings(TSettingsReader(personal), PersonalSettings(), QDate::currentDate(),
                         AdminSettings().BillingInfoActive);
}
