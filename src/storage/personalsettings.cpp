#include "personalsettings.h"

#include "app/applocale.h"
#include "app/datalocations.h"
#include "app/processenvironment.h"
#include "app/version.h"
#include "block.h"
#include "datetexts.h"
#include "converterror.h"
#include "adminsettings.h"
#include "ioerror.h"
#include "money.h"

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
const QString DefaultReminderSound = QStringLiteral("c:\\windows\\media\\chimes.wav");

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

// Older files kept some preferences in [Setup]; such a key wins over [Preferences].
bool ReadMovedFlag(const TSettingsReader& reader, const QString& key, bool def) {
    if (reader.Has(SetupSection, key))
        return reader.Flag(SetupSection, key, def);
    return reader.Flag(Preferences, key, def);
}

void ReadPreferences(const TSettingsReader& reader, TPersonalSettings& settings) {
    TSetupPersonal& setup = settings.Setup;
    setup.LockHoursOnStartup = ReadMovedFlag(reader, QStringLiteral("LockHoursOnStartup"), false);
    setup.ConfirmDeletes = reader.Flag(Preferences, QStringLiteral("ConfirmDeletes"), true);
    setup.ShowHints = reader.Flag(Preferences, QStringLiteral("ShowHints"), true);
    setup.ShowTips = reader.Flag(Preferences, QStringLiteral("ShowTips"), true);
    setup.SaveOnChange = reader.Flag(Preferences, QStringLiteral("SaveOnChange"), true);
    settings.LastTip = reader.Integer(Preferences, QStringLiteral("LastTip"), -1);
    setup.ReminderInterval = reader.Integer(Preferences, QStringLiteral("ReminderInterval"), 0,
                                            [](int minutes) { return minutes >= 0; }, 0);
    setup.ReminderPlaySound =
        setup.ReminderInterval == 0
            ? QString()
            : reader.Text(Preferences, QStringLiteral("ReminderPlaySound"), DefaultReminderSound);
    setup.DefaultToChargeable = ReadMovedFlag(reader, QStringLiteral("DefaultToChargeable"), true);
    setup.DecimalDurationFormat = reader.Flag(Preferences, QStringLiteral("DecimalDurationFormat"), true);
}

void ReadFavourites(const TSettingsReader& reader, TSetupPersonal& setup, bool billingInfoActive) {
    setup.BillingReport = reader.Flag(Favourites, QStringLiteral("BillingReport"), billingInfoActive);
    setup.ActiveClients = reader.Flag(Favourites, QStringLiteral("ActiveClients"), true);
    setup.ReportType = reader.Text(Favourites, QStringLiteral("ReportType"));
    setup.BreakDownToRemarks = reader.Flag(Favourites, QStringLiteral("BreakDownToRemarks"), false);
    setup.ShowOvertime = reader.Flag(Favourites, QStringLiteral("ShowOvertime"), true);
    setup.PrinterName = reader.Text(Favourites, QStringLiteral("PrinterName"));
    setup.PaperSizeA4 = reader.Text(Favourites, QStringLiteral("PaperSize"), QStringLiteral("A4"))
                            .trimmed()
                            .toUpper() != QLatin1String("LETTER");
    setup.ExportFileName = reader.Text(Export, QStringLiteral("Filename"));
}

void ReadCalendar(const TSettingsReader& reader, TCalendarSetup& calendar) {
    const TCalendarSetup defaults;
    const auto number = [&](const char* key, int def) {
        return reader.Integer(CalendarSection, QString::fromLatin1(key), def);
    };
    calendar.TitleEffect = number("TitleEffect", 0);
    calendar.TextEffect = number("TextEffect", 0);
    calendar.TitleBackground = number("TitleBackground", defaults.TitleBackground);
    calendar.Background = number("Background", defaults.Background);
    calendar.LineColor = number("LineColor", defaults.LineColor);
    calendar.SelectionBackground = number("SelectionBackground", defaults.SelectionBackground);
    calendar.ShowPictures = reader.Flag(CalendarSection, QStringLiteral("ShowPictures"), false);
    calendar.FitType = number("FitType", 0);
    calendar.PicturePath = reader.Text(CalendarSection, QStringLiteral("PicturePath"));
    calendar.LastPictureName = reader.Text(CalendarSection, QStringLiteral("LastPictureName"));
    calendar.PictureChangeType = number("PictureChangeType", 0);
    calendar.SelectionStyle = number("SelectionStyle", 0);
    if (calendar.SelectionStyle == 0)
        calendar.SelectionStyle = ssLine | ssFill;
    calendar.MarkDays = reader.Integer(CalendarSection, QStringLiteral("MarkDays"), 0,
                                       [](int value) { return value >= 0 && value <= 2; }, 0);
    calendar.DayMarkerLine = number("DayMarkerLine", defaults.DayMarkerLine);
    calendar.DayMarkerFill = number("DayMarkerFill", defaults.DayMarkerFill);
    calendar.DayMarkerText = number("DayMarkerText", defaults.DayMarkerText);
}

void ReadColours(const TSettingsReader& reader, TSetupPersonal& setup) {
    const TSetupPersonal defaults;
    setup.StandardColour = reader.Integer(Colours, QStringLiteral("Standard"), defaults.StandardColour);
    setup.UnreportedColour =
        reader.Integer(Colours, QStringLiteral("Unreported"), defaults.UnreportedColour);
    setup.UnchargedColour = reader.Integer(Colours, QStringLiteral("Uncharged"), defaults.UnchargedColour);
    setup.OvertimeColour = reader.Integer(Colours, QStringLiteral("Overtime"), defaults.OvertimeColour);
}

std::unique_ptr<TBlock> ReadFavouriteBlock(const TIniFile& ini, bool defaultToChargeable) {
    try {
        return TBlock::CreateFromSection(ini, FavouriteSection, defaultToChargeable);
    } catch (...) {
        return nullptr; // an unreadable favourite means no favourite
    }
}

void WritePreferences(TIniFile& ini, const TPersonalSettings& settings) {
    const TSetupPersonal& setup = settings.Setup;
    ini.WriteBool(Preferences, QStringLiteral("LockHoursOnStartup"), setup.LockHoursOnStartup);
    ini.WriteBool(Preferences, QStringLiteral("ConfirmDeletes"), setup.ConfirmDeletes);
    ini.WriteBool(Preferences, QStringLiteral("ShowHints"), setup.ShowHints);
    ini.WriteBool(Preferences, QStringLiteral("ShowTips"), setup.ShowTips);
    ini.WriteInteger(Preferences, QStringLiteral("LastTip"), settings.LastTip);
    ini.WriteBool(Preferences, QStringLiteral("SaveOnChange"), setup.SaveOnChange);
    ini.WriteInteger(Preferences, QStringLiteral("ReminderInterval"), setup.ReminderInterval);
    ini.WriteString(Preferences, QStringLiteral("ReminderPlaySound"), setup.ReminderPlaySound);
    ini.WriteBool(Preferences, QStringLiteral("DefaultToChargeable"), setup.DefaultToChargeable);
    ini.WriteBool(Preferences, QStringLiteral("DecimalDurationFormat"), setup.DecimalDurationFormat);
}

void WriteFavourites(TIniFile& ini, const TSetupPersonal& setup) {
    ini.WriteString(Export, QStringLiteral("Filename"), setup.ExportFileName);
    ini.WriteString(Favourites, QStringLiteral("ReportType"), setup.ReportType);
    ini.WriteBool(Favourites, QStringLiteral("BillingReport"), setup.BillingReport);
    ini.WriteBool(Favourites, QStringLiteral("ActiveClients"), setup.ActiveClients);
    ini.WriteBool(Favourites, QStringLiteral("BreakDownToRemarks"), setup.BreakDownToRemarks);
    ini.WriteBool(Favourites, QStringLiteral("ShowOvertime"), setup.ShowOvertime);
    ini.WriteString(Favourites, QStringLiteral("PrinterName"), setup.PrinterName);
    ini.WriteString(Favourites, QStringLiteral("PaperSize"),
                    setup.PaperSizeA4 ? QStringLiteral("A4") : QStringLiteral("Letter"));
}

void WriteCalendarAndColours(TIniFile& ini, const TSetupPersonal& setup) {
    const TCalendarSetup& calendar = setup.Calendar;
    const auto number = [&](const char* key, int value) {
        ini.WriteInteger(CalendarSection, QString::fromLatin1(key), value);
    };
    number("TitleEffect", calendar.TitleEffect);
    number("TextEffect", calendar.TextEffect);
    number("TitleBackground", calendar.TitleBackground);
    number("Background", calendar.Background);
    number("LineColor", calendar.LineColor);
    number("SelectionBackground", calendar.SelectionBackground);
    ini.WriteBool(CalendarSection, QStringLiteral("ShowPictures"), calendar.ShowPictures);
    number("FitType", calendar.FitType);
    ini.WriteString(CalendarSection, QStringLiteral("PicturePath"), calendar.PicturePath);
    ini.WriteString(CalendarSection, QStringLiteral("LastPictureName"), calendar.LastPictureName);
    number("PictureChangeType", calendar.PictureChangeType);
    number("SelectionStyle", calendar.SelectionStyle);
    number("MarkDays", calendar.MarkDays);
    number("DayMarkerLine", calendar.DayMarkerLine);
    number("DayMarkerFill", calendar.DayMarkerFill);
    number("DayMarkerText", calendar.DayMarkerText);
    ini.WriteInteger(Colours, QStringLiteral("Standard"), setup.StandardColour);
    ini.WriteInteger(Colours, QStringLiteral("Unreported"), setup.UnreportedColour);
    ini.WriteInteger(Colours, QStringLiteral("Uncharged"), setup.UnchargedColour);
    ini.WriteInteger(Colours, QStringLiteral("Overtime"), setup.OvertimeColour);
}
} // namespace

TPersonalSettings::TPersonalSettings() = default;
TPersonalSettings::~TPersonalSettings() = default;
TPersonalSettings::TPersonalSettings(TPersonalSettings&&) noexcept = default;
TPersonalSettings& TPersonalSettings::operator=(TPersonalSettings&&) noexcept = default;

TPersonalSettings& PersonalSettings() {
    static TPersonalSettings settings;
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
    settings.Window.Size = reader.Text(Window, QStringLiteral("Size"), QStringLiteral("552,550"));
    settings.Window.Left = reader.Integer(Window, QStringLiteral("Left"), 1);
    settings.Window.Zoom = reader.Integer(Window, QStringLiteral("Zoom"), 1250);
    settings.Setup.UserHourlyRate = ReadHourlyRate(reader);
    ReadPreferences(reader, settings);
    ReadFavourites(reader, settings.Setup, billingInfoActive);
    ReadCalendar(reader, settings.Setup.Calendar);
    ReadColours(reader, settings.Setup);
    settings.VersionChanged = IsOtherVersion(reader.Text(Version, QStringLiteral("Number")),
                                             QString::fromLatin1(QuillhourVersion));
    settings.FavouriteBlock = ReadFavouriteBlock(reader.Ini(), settings.Setup.DefaultToChargeable);
}

void WritePersonalSettings(TIniFile& ini, const TPersonalSettings& settings, const QDateTime& now) {
    ini.WriteString(Registration, QStringLiteral("UserName"), settings.UserName);
    ini.WriteString(Version, QStringLiteral("Number"), QString::fromLatin1(QuillhourVersion));
    ini.WriteString(Version, QStringLiteral("LastUse"), DateText(now.date()));
    ini.WriteString(Rates, QStringLiteral("UserHourlyRate"), FormatMoney(settings.Setup.UserHourlyRate));
    for (const char* key : {"UserName", "MailTo", "LockHoursOnStartup", "DefaultToChargeable"})
        ini.DeleteKey(SetupSection, QString::fromLatin1(key));
    ini.DeleteKey(Preferences, QStringLiteral("FirstDayOfWeek"));
    ini.WriteString(Window, QStringLiteral("Size"), settings.Window.Size);
    ini.WriteInteger(Window, QStringLiteral("Left"), settings.Window.Left);
    ini.WriteInteger(Window, QStringLiteral("Zoom"), settings.Window.Zoom);
    WritePreferences(ini, settings);
    WriteFavourites(ini, settings.Setup);
    if (settings.FavouriteBlock)
        settings.FavouriteBlock->WriteToSection(ini, FavouriteSection);
    else
        ini.EraseSection(FavouriteSection);
    WriteCalendarAndColours(ini, settings.Setup);
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
