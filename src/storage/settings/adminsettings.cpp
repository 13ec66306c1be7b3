#include "adminsettings.h"

#include "base/applocale.h"
#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/textutils.h"
#include "storage/values/timevalues.h"

namespace {
const QString Setup = QStringLiteral("Setup");

// The target is written with the writer's decimal separator; a work group may mix locales, so
// the other of "." and "," is tried before falling back to the default.
double ReadTargetHours(const TSettingsReader& reader) {
    const QString key = QStringLiteral("TargetDailyHours");
    const QString text = reader.Text(Setup, key, QStringLiteral("8"));
    double hours = 8;
    if (TryReal(text, hours))
        return hours;
    QString other = text;
    if (other.contains(QLatin1Char(',')))
        other.replace(QLatin1Char(','), LocaleDecimalSeparator());
    else
        other.replace(QLatin1Char('.'), LocaleDecimalSeparator());
    if (TryReal(other, hours))
        return hours;
    reader.Note(Setup, key, QStringLiteral("8"));
    return 8;
}
} // namespace

TAdminSettings& AdminSettings() {
    static TAdminSettings settings;
    return settings;
}

TSharedFileStamp& AdminSettingsAge() {
    // The shared lists are written under the settings file's lock, so a change of theirs is a
    // change of the administration data too.
    static TSharedFileStamp stamp = [] {
        TSharedFileStamp made;
        made.SetCompanions([] {
            // Not DataPath: whether the local copies stand in changes while the program runs.
            const QString folder =
                Locations().ServerFolder.isEmpty() ? LocalDataPath() : ServerDataPath();
            return QStringList{folder + ClientListFileName, folder + CategoryListFileName};
        });
        return made;
    }();
    return stamp;
}

QString TargetHoursText(double hours) {
    QString text = QString::number(hours, 'g', 18);
    text.replace(QLatin1Char('.'), LocaleDecimalSeparator());
    return text;
}

void ReadAdminSettings(const TSettingsReader& reader, TAdminSettings& settings, int& timeStep) {
    settings.FirstDayOfWeek = reader.Integer(
        Setup, QStringLiteral("FirstDayOfWeek"), LocaleFirstDayOfWeek(),
        [](int day) { return day >= 1 && day <= 7; }, 1);
    settings.TargetDailyHours = ReadTargetHours(reader);
    timeStep = StepFromMinutes(reader.Integer(Setup, QStringLiteral("UnitOfTime"), 15));
    settings.BillingInfoActive = reader.Flag(Setup, QStringLiteral("BillingInfoActive"), false);
    settings.CurrencySymbol =
        reader.Text(Setup, QStringLiteral("CurrencySymbol"), LocaleCurrencySymbol());
    settings.ReportColumnDefault = reader.Flag(Setup, QStringLiteral("ReportColumnDefault"), true);
    settings.ReportProjectColumn = reader.Integer(Setup, QStringLiteral("ReportProjectColumn"), 0);
    settings.ReportCategoryActivityColumn =
        reader.Integer(Setup, QStringLiteral("ReportCategoryActivityColumn"), 0);
    settings.ReportRemarksColumn = reader.Integer(Setup, QStringLiteral("ReportRemarksColumn"), 0);
}

void WriteAdminSettings(TIniFile& ini, const TAdminSettings& settings, int timeStep) {
    ini.WriteInteger(Setup, QStringLiteral("FirstDayOfWeek"), settings.FirstDayOfWeek);
    ini.WriteString(Setup, QStringLiteral("TargetDailyHours"),
                    TargetHoursText(settings.TargetDailyHours));
    ini.WriteInteger(Setup, QStringLiteral("UnitOfTime"), MinutesFromStep(timeStep));
    ini.WriteBool(Setup, QStringLiteral("BillingInfoActive"), settings.BillingInfoActive);
    ini.WriteString(Setup, QStringLiteral("CurrencySymbol"), settings.CurrencySymbol);
    ini.WriteBool(Setup, QStringLiteral("ReportColumnDefault"), settings.ReportColumnDefault);
    ini.WriteInteger(Setup, QStringLiteral("ReportProjectColumn"), settings.ReportProjectColumn);
    ini.WriteInteger(Setup, QStringLiteral("ReportCategoryActivityColumn"),
                     settings.ReportCategoryActivityColumn);
    ini.WriteInteger(Setup, QStringLiteral("ReportRemarksColumn"), settings.ReportRemarksColumn);
}

void LoadAdminSettings() {
    const QString fileName = AdminSettingsFileName();
    TIniFile ini;
    const auto read = [&] {
        try {
            ini.LoadFromFile(fileName);
        } catch (const EInOutError&) {
            ini.Clear(); // an unreadable file gives the defaults
        }
    };
    if (AdminSettingsAge().Read(fileName, read) == TSharedFileResult::NotLocked)
        read(); // read all the same; the unknown stamp makes the next save report a change
    if (!IsShared())
        AdminSettingsAge().SetStamp(TSharedFileStamp::UnknownStamp);
    int timeStep = TimeStep();
    ReadAdminSettings(TSettingsReader(ini), AdminSettings(), timeStep);
    SetTimeStep(timeStep);
}

TSharedFileResult SaveAdminSettings() {
    if (!IsServerAdministration() && !HasAdminRights() && !IsSingleUser())
        return TSharedFileResult::Done;
    const QString fileName = AdminSettingsFileName();
    try {
        return AdminSettingsAge().Write(fileName, [&] {
            // A file that exists but cannot be read is not replaced: it may hold personal
            // settings too.
            TIniFile ini(fileName);
            WriteAdminSettings(ini, AdminSettings(), TimeStep());
            ini.SaveToFile(fileName);
        });
    } catch (const EInOutError& error) {
        WarnSettingsNotSaved(fileName, error.Message());
        return TSharedFileResult::Done;
    }
}
