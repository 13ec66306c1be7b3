#include "personalsettings.h"

#include "base/applocale.h"
#include "base/converterror.h"
#include "base/datalocations.h"
#include "base/ioerror.h"
#include "base/processenvironment.h"
#include "base/version.h"
#include "storage/months/block.h"
#include "storage/settings/adminsettings.h"
#include "storage/values/datetexts.h"
#include "storage/values/money.h"

#include <type_traits>
#include <variant>
#include <vector>

namespace {
const QString Registration = QStringLiteral("Registration");
const QString SetupSection = QStringLiteral("Setup");
const QString Preferences = QStringLiteral("Preferences");
const QString Favourites = QStringLiteral("Favourites");
const QString Export = QStringLiteral("Export");
const QString Rates = QStringLiteral("Rates");
const QString Version = QStringLiteral("Version");
const QString Window = QStringLiteral("Window");
const QString CalendarSection = QStringLiteral("Calendar");
const QString Colours = QStringLiteral("Colours");
const QString FavouriteSection = QStringLiteral("Favourite Activity");

QString ReadUserName(const TSettingsReader& reader) {
    if (IsServerAdministration())
        return QStringLiteral("Administrator");
    QString name = reader.Text(Registration, QStringLiteral("UserName"));
    if (name.isEmpty())
        name = reader.Text(SetupSection, QStringLiteral("UserName"));
    if (name.isEmpty())
        name = LogonUserName();
    return name.isEmpty() ? QStringLiteral("Your Name") : name;
}

QDate ReadLastUse(const TSettingsReader& reader, QDate today) {
    const QString key = QStringLiteral("LastUse");
    const QString text = reader.Text(Version, key, LocaleShortDateText(today));
    try {
        return ParseDateText(text);
    } catch (const EConvertError&) {
        reader.Note(Version, key, QStringLiteral("today"));
        return today;
    }
}

TMoney ReadHourlyRate(const TSettingsReader& reader) {
    const QString key = QStringLiteral("UserHourlyRate");
    TMoney rate;
    if (ParseAmount(reader.Text(Rates, key, QStringLiteral("0.00")), rate))
        return rate;
    reader.Note(Rates, key, QStringLiteral("0"));
    return {};
}

// How a key of the tables below is read beyond its plain value.
enum class TKeyRule {
    Plain,
    MovedFromSetup, // older files kept it in [Setup]; such a key wins
    NotNegative,    // a negative number means 0
    ReminderSound,  // empty while reminders are off, else a sound by default
    BillingReport,  // by default whether billing is on for the work group
    PaperSize,      // "A4" or "Letter" in the file
    SelectionStyle, // 0 means the default
    MarkDays        // 0, 1 or 2
};

// Where a key's value lives in memory.
using TKeyField =
    std::variant<bool TSetupPersonal::*, int TSetupPersonal::*, QString TSetupPersonal::*,
                 bool TCalendarSetup::*, int TCalendarSetup::*, QString TCalendarSetup::*,
                 int TWindowSettings::*, QString TWindowSettings::*, int TPersonalSettings::*>;

// One key of the file; a missing key gives the value of a fresh TPersonalSettings.
struct TKey {
    const QString& Section;
    const char* Name;
    TKeyField Field;
    TKeyRule Rule = TKeyRule::Plain;
};

// The keys of each group, in the order they are read and written.
const std::vector<TKey>& WindowKeys() {
    static const std::vector<TKey> keys = {
        {Window, "Size", &TWindowSettings::Size},
        {Window, "Left", &TWindowSettings::Left},
        {Window, "Zoom", &TWindowSettings::Zoom},
    };
    return keys;
}

const std::vector<TKey>& PreferenceKeys() {
    static const std::vector<TKey> keys = {
        {Preferences, "LockHoursOnStartup", &TSetupPersonal::LockHoursOnStartup,
         TKeyRule::MovedFromSetup},
        {Preferences, "ConfirmDeletes", &TSetupPersonal::ConfirmDeletes},
        {Preferences, "ShowHints", &TSetupPersonal::ShowHints},
        {Preferences, "ShowTips", &TSetupPersonal::ShowTips},
        {Preferences, "SaveOnChange", &TSetupPersonal::SaveOnChange},
        {Preferences, "LastTip", &TPersonalSettings::LastTip},
        {Preferences, "ReminderInterval", &TSetupPersonal::ReminderInterval, TKeyRule::NotNegative},
        {Preferences, "ReminderPlaySound", &TSetupPersonal::ReminderPlaySound,
         TKeyRule::ReminderSound},
        {Preferences, "DefaultToChargeable", &TSetupPersonal::DefaultToChargeable,
         TKeyRule::MovedFromSetup},
        {Preferences, "DecimalDurationFormat", &TSetupPersonal::DecimalDurationFormat},
    };
    return keys;
}

const std::vector<TKey>& FavouriteKeys() {
    static const std::vector<TKey> keys = {
        {Export, "Filename", &TSetupPersonal::ExportFileName},
        {Favourites, "ReportType", &TSetupPersonal::ReportType},
        {Favourites, "BillingReport", &TSetupPersonal::BillingReport, TKeyRule::BillingReport},
        {Favourites, "ActiveClients", &TSetupPersonal::ActiveClients},
        {Favourites, "BreakDownToRemarks", &TSetupPersonal::BreakDownToRemarks},
        {Favourites, "ShowOvertime", &TSetupPersonal::ShowOvertime},
        {Favourites, "PrinterName", &TSetupPersonal::PrinterName},
        {Favourites, "PaperSize", &TSetupPersonal::PaperSizeA4, TKeyRule::PaperSize},
    };
    return keys;
}

const std::vector<TKey>& CalendarKeys() {
    static const std::vector<TKey> keys = {
        {CalendarSection, "TitleEffect", &TCalendarSetup::TitleEffect},
        {CalendarSection, "TextEffect", &TCalendarSetup::TextEffect},
        {CalendarSection, "TitleBackground", &TCalendarSetup::TitleBackground},
        {CalendarSection, "Background", &TCalendarSetup::Background},
        {CalendarSection, "LineColor", &TCalendarSetup::LineColor},
        {CalendarSection, "SelectionBackground", &TCalendarSetup::SelectionBackground},
        {CalendarSection, "ShowPictures", &TCalendarSetup::ShowPictures},
        {CalendarSection, "FitType", &TCalendarSetup::FitType},
        {CalendarSection, "PicturePath", &TCalendarSetup::PicturePath},
        {CalendarSection, "LastPictureName", &TCalendarSetup::LastPictureName},
        {CalendarSection, "PictureChangeType", &TCalendarSetup::PictureChangeType},
        {CalendarSection, "SelectionStyle", &TCalendarSetup::SelectionStyle,
         TKeyRule::SelectionStyle},
        {CalendarSection, "MarkDays", &TCalendarSetup::MarkDays, TKeyRule::MarkDays},
        {CalendarSection, "DayMarkerLine", &TCalendarSetup::DayMarkerLine},
        {CalendarSection, "DayMarkerFill", &TCalendarSetup::DayMarkerFill},
        {CalendarSection, "DayMarkerText", &TCalendarSetup::DayMarkerText},
        {Colours, "Standard", &TSetupPersonal::StandardColour},
        {Colours, "Unreported", &TSetupPersonal::UnreportedColour},
        {Colours, "Uncharged", &TSetupPersonal::UnchargedColour},
        {Colours, "Overtime", &TSetupPersonal::OvertimeColour},
    };
    return keys;
}

// The part of the settings that holds a field of TOwner.
template <typename TOwner, typename TSettings> auto& OwnerOf(TSettings& settings) {
    if constexpr (std::is_same_v<TOwner, TSetupPersonal>)
        return settings.Setup;
    else if constexpr (std::is_same_v<TOwner, TCalendarSetup>)
        return settings.Setup.Calendar;
    else if constexpr (std::is_same_v<TOwner, TWindowSettings>)
        return settings.Window;
    else
        return settings;
}

template <typename TSettings, typename TOwner, typename TValue>
auto& ValueOf(TSettings& settings, TValue TOwner::*field) {
    return OwnerOf<TOwner>(settings).*field;
}

// What reading a key depends on besides the file.
struct TReadContext {
    const TSettingsReader& Reader;
    const TPersonalSettings& Settings; // as read so far
    bool BillingInfoActive;
};

bool ReadValue(const TReadContext& context, const TKey& key, bool def) {
    const QString name = QString::fromLatin1(key.Name);
    switch (key.Rule) {
    case TKeyRule::MovedFromSetup:
        if (context.Reader.Has(SetupSection, name))
            return context.Reader.Flag(SetupSection, name, def);
        break;
    case TKeyRule::BillingReport:
        def = context.BillingInfoActive;
        break;
    case TKeyRule::PaperSize:
        return context.Reader.Text(key.Section, name, QStringLiteral("A4")).trimmed().toUpper() !=
               QLatin1String("LETTER");
    default:
        break;
    }
    return context.Reader.Flag(key.Section, name, def);
}

int ReadValue(const TReadContext& context, const TKey& key, int def) {
    const QString name = QString::fromLatin1(key.Name);
    switch (key.Rule) {
    case TKeyRule::NotNegative:
        return context.Reader.Integer(
            key.Section, name, def, [](int value) { return value >= 0; }, 0);
    case TKeyRule::SelectionStyle: {
        const int style = context.Reader.Integer(key.Section, name, 0);
        return style == 0 ? def : style;
    }
    case TKeyRule::MarkDays:
        return context.Reader.Integer(
            key.Section, name, def, [](int value) { return value >= 0 && value <= 2; }, 0);
    default:
        return context.Reader.Integer(key.Section, name, def);
    }
}

QString ReadValue(const TReadContext& context, const TKey& key, const QString& def) {
    if (key.Rule == TKeyRule::ReminderSound)
        return context.Settings.Setup.ReminderInterval == 0
                   ? QString()
                   : context.Reader.Text(key.Section, QString::fromLatin1(key.Name),
                                         DefaultReminderSoundFile());
    return context.Reader.Text(key.Section, QString::fromLatin1(key.Name), def);
}

void ReadKeys(const std::vector<TKey>& keys, const TReadContext& context,
              TPersonalSettings& settings) {
    const TPersonalSettings defaults;
    for (const TKey& key : keys)
        std::visit(
            [&](auto field) {
                ValueOf(settings, field) = ReadValue(context, key, ValueOf(defaults, field));
            },
            key.Field);
}

void WriteValue(TIniFile& ini, const TKey& key, bool value) {
    const QString name = QString::fromLatin1(key.Name);
    if (key.Rule == TKeyRule::PaperSize)
        ini.WriteString(key.Section, name, value ? QStringLiteral("A4") : QStringLiteral("Letter"));
    else
        ini.WriteBool(key.Section, name, value);
}
void WriteValue(TIniFile& ini, const TKey& key, int value) {
    ini.WriteInteger(key.Section, QString::fromLatin1(key.Name), value);
}
void WriteValue(TIniFile& ini, const TKey& key, const QString& value) {
    ini.WriteString(key.Section, QString::fromLatin1(key.Name), value);
}

void WriteKeys(const std::vector<TKey>& keys, TIniFile& ini, const TPersonalSettings& settings) {
    for (const TKey& key : keys)
        std::visit([&](auto field) { WriteValue(ini, key, ValueOf(settings, field)); }, key.Field);
}

std::unique_ptr<TBlock> ReadFavouriteBlock(const TIniFile& ini, bool defaultToChargeable) {
    try {
        return TBlock::CreateFromSection(ini, FavouriteSection, defaultToChargeable);
    } catch (...) {
        return nullptr; // an unreadable favourite means no favourite
    }
}

} // namespace

TPersonalSettings::TPersonalSettings() = default;
TPersonalSettings::~TPersonalSettings() = default;
TPersonalSettings::TPersonalSettings(TPersonalSettings&&) noexcept = default;
TPersonalSettings& TPersonalSettings::operator=(TPersonalSettings&&) noexcept = default;

TPersonalSettings& PersonalSettings() {
    static TPersonalSettings settings;
    static const bool told = [] {
        SetPersonalUserName(&settings.UserName);
        return true;
    }();
    static_cast<void>(told);
    return settings;
}

bool IsOtherVersion(const QString& stored, const QString& current) {
    const auto major = [](const QString& version) {
        const qsizetype dot = version.lastIndexOf(QLatin1Char('.'));
        return dot < 0 ? version : version.left(dot);
    };
    return major(stored) != major(current);
}

void ReadPersonalSettings(const TSettingsReader& reader, TPersonalSettings& settings, QDate today,
                          bool billingInfoActive) {
    settings.UserName = ReadUserName(reader);
    settings.Setup.LastUse = ReadLastUse(reader, today);
    const TReadContext context{reader, settings, billingInfoActive};
    ReadKeys(WindowKeys(), context, settings);
    settings.Setup.UserHourlyRate = ReadHourlyRate(reader);
    ReadKeys(PreferenceKeys(), context, settings);
    ReadKeys(FavouriteKeys(), context, settings);
    ReadKeys(CalendarKeys(), context, settings);
    settings.VersionChanged = IsOtherVersion(reader.Text(Version, QStringLiteral("Number")),
                                             QString::fromLatin1(QuillhourVersion));
    settings.FavouriteBlock = ReadFavouriteBlock(reader.Ini(), settings.Setup.DefaultToChargeable);
}

void WritePersonalSettings(TIniFile& ini, const TPersonalSettings& settings, const QDateTime& now) {
    ini.WriteString(Registration, QStringLiteral("UserName"), settings.UserName);
    ini.WriteString(Version, QStringLiteral("Number"), QString::fromLatin1(QuillhourVersion));
    ini.WriteString(Version, QStringLiteral("LastUse"), DateText(now.date()));
    ini.WriteString(Rates, QStringLiteral("UserHourlyRate"),
                    FormatMoney(settings.Setup.UserHourlyRate));
    for (const char* key : {"UserName", "MailTo", "LockHoursOnStartup", "DefaultToChargeable"})
        ini.DeleteKey(SetupSection, QString::fromLatin1(key));
    ini.DeleteKey(Preferences, QStringLiteral("FirstDayOfWeek"));
    WriteKeys(WindowKeys(), ini, settings);
    WriteKeys(PreferenceKeys(), ini, settings);
    WriteKeys(FavouriteKeys(), ini, settings);
    if (settings.FavouriteBlock)
        settings.FavouriteBlock->WriteToSection(ini, FavouriteSection);
    else
        ini.EraseSection(FavouriteSection);
    WriteKeys(CalendarKeys(), ini, settings);
}

void LoadPersonalSettings(QDate today) {
    TIniFile ini;
    try {
        ini.LoadFromFile(PersonalSettingsFileName());
    } catch (const EInOutError&) {
        ini.Clear(); // an unreadable file gives the defaults
    }
    TPersonalSettings& settings = PersonalSettings();
    ReadPersonalSettings(TSettingsReader(ini), settings, today, AdminSettings().BillingInfoActive);
}

void SavePersonalSettings(const QDateTime& now) {
    if (IsServerAdministration())
        return;
    const QString fileName = PersonalSettingsFileName();
    TPersonalSettings& settings = PersonalSettings();
    settings.UserName = CurrentUserName();
    try {
        // A file that exists but cannot be read is not replaced: it may hold more than this
        // program knows about.
        TIniFile ini(fileName);
        WritePersonalSettings(ini, settings, now);
        ini.SaveToFile(fileName);
        settings.Setup.LastUse = now.date();
    } catch (const EInOutError& error) {
        WarnSettingsNotSaved(fileName, error.Message());
    }
}

QString DefaultReminderSoundFile() {
    return Locations().ProgramFolder + QStringLiteral("chimes.wav");
}
