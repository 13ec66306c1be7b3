#include "settingsreadonly.h"

#include "app/datalocations.h"
#include "storage/adminsettings.h"
#include "storage/ioerror.h"
#include "storage/personalsettings.h"
#include "storage/timevalues.h"

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
