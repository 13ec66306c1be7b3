#include "settingscheck.h"

#include "base/datalocations.h"
#include "base/ioerror.h"
#include "storage/settings/adminsettings.h"
#include "storage/settings/personalsettings.h"

#include <QFile>

namespace {
// Reads one settings file when it exists; false (and the problem noted) when it cannot be read.
bool ReadSettingsFile(const QString& fileName, TIniFile& ini,
                      std::vector<TCheckProblem>& problems) {
    try {
        ini.LoadFromFile(fileName);
    } catch (const EInOutError& error) {
        problems.push_back({fileName, error.Line(), error.Message()});
        return false;
    }
    return true;
}

void AddProblems(const QString& fileName, const std::vector<TSettingsProblem>& found,
                 std::vector<TCheckProblem>& problems) {
    for (const TSettingsProblem& problem : found)
        problems.push_back({fileName, problem.Line, problem.Message});
}
} // namespace

void CheckSettingsFiles(std::vector<TCheckProblem>& problems, int& filesChecked) {
    const QString adminFile = AdminSettingsFileName();
    const QString personalFile = PersonalSettingsFileName();
    TAdminSettings admin;
    TIniFile ini;
    bool adminRead = false;
    if (QFile::exists(adminFile)) {
        ++filesChecked;
        adminRead = ReadSettingsFile(adminFile, ini, problems);
        if (adminRead) {
            std::vector<TSettingsProblem> found;
            int timeStep = 0;
            ReadAdminSettings(TSettingsReader(ini, &found), admin, timeStep);
            AddProblems(adminFile, found, problems);
        }
    }
    if (!QFile::exists(personalFile))
        return;
    if (personalFile == adminFile) {
        if (!adminRead)
            return; // already reported
    } else {
        ++filesChecked;
        ini.Clear();
        if (!ReadSettingsFile(personalFile, ini, problems))
            return;
    }
    std::vector<TSettingsProblem> found;
    TPersonalSettings personal;
    ReadPersonalSettings(TSettingsReader(ini, &found), personal, QDate::currentDate(),
                         admin.BillingInfoActive);
    AddProblems(personalFile, found, problems);
}
