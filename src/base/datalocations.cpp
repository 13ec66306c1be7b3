#include "datalocations.h"

#include "base/fileutils.h"
#include "base/inifile.h"
#include "base/ioerror.h"
#include "base/messages.h"
#include "base/processenvironment.h"

#include <QDir>
#include <QFileInfo>

namespace {
QString AbsoluteFolder(const QString& path) {
    const QString trimmed = path.trimmed();
    if (trimmed.isEmpty())
        return {};
    return WithTrailingSeparator(QDir::cleanPath(QFileInfo(trimmed).absoluteFilePath()));
}

bool FolderExists(const QString& folder) {
    return !folder.isEmpty() && QDir(folder).exists();
}

int ValidAdminMode(int value) {
    return value >= 0 && value <= 2 ? value : 0;
}

// The per-user data folder: APPDATA when set, else the XDG data home (created when missing,
// as the XDG convention expects of programs that use it).
QString UserDataFolder(bool prepare) {
    const IProcessEnvironment& env = ProcessEnvironment();
    if (env.HasEnvironmentValue(QStringLiteral("APPDATA")))
        return AbsoluteFolder(EnvironmentValue(QStringLiteral("APPDATA")));
    const QString home = env.UserDataHome();
    if (prepare && !home.isEmpty())
        QDir().mkpath(home);
    return AbsoluteFolder(home);
}

// The "/datadir" folder, created when missing; empty when the switch is not given. The last
// argument is never examined and only the first occurrence counts.
QString DataDirArgument(bool prepare) {
    const QStringList args = ProcessEnvironment().Arguments();
    for (qsizetype i = 1; i + 1 < args.size(); ++i) {
        if (!IsDataDirSwitch(args.at(i)))
            continue;
        const QString folder = AbsoluteFolder(args.at(i + 1));
        if (prepare && !folder.isEmpty())
            QDir().mkpath(folder);
        return folder;
    }
    return {};
}

// First use of a local location: create its folders and copy the program folder's settings
// and data files in. Raises EInOutError when a folder or a copy fails.
void PrepareFirstUse(const QString& programFolder, const QString& localFolder) {
    const QString exportFolder = localFolder + DataFolderName + ExportFormatsFolderName;
    if (!QDir().mkpath(exportFolder))
        throw EInOutError(QStringLiteral("Cannot create folder"), exportFolder);
    CopyFileIfRoom(programFolder + InfoFileName, localFolder + InfoFileName);
    CopyFileIfRoom(programFolder + SettingsFileName, localFolder + SettingsFileName);
    CopyFolderFiles(programFolder + DataFolderName, localFolder + DataFolderName);
    CopyFolderFiles(programFolder + DataFolderName + ExportFormatsFolderName, exportFolder);
}

// Reads the redirect of the program folder's settings file; returns the redirect folder when
// it took effect, else empty and sets adminMode from the program folder's "ServerAdmin".
QString ProgramFolderRedirect(const QString& programFolder, int& adminMode) {
    const QString fileName = programFolder + SettingsFileName;
    if (!QFileInfo::exists(fileName))
        return {};
    TIniFile ini;
    try {
        ini.LoadFromFile(fileName);
    } catch (const EInOutError&) {
        return {}; // an unreadable settings file counts as empty
    }
    const QString redirect =
        AbsoluteFolder(ini.ReadString(QStringLiteral("Setup"), QStringLiteral("Redirect")));
    if (!redirect.isEmpty() && QFileInfo::exists(redirect + SettingsFileName))
        return redirect;
    adminMode =
        ValidAdminMode(ini.ReadInteger(QStringLiteral("Server"), QStringLiteral("ServerAdmin"), 0));
    return {};
}

// Reads the server keys of settingsFolder's settings file (normally LocalFolder's).
void ReadServerSettings(TDataLocations& loc, const QString& settingsFolder) {
    TIniFile ini;
    try {
        ini.LoadFromFile(settingsFolder + SettingsFileName);
    } catch (const EInOutError&) {
        ini.Clear();
    }
    loc.ServerFolder =
        AbsoluteFolder(ini.ReadString(QStringLiteral("Server"), QStringLiteral("ServerPath")));
    loc.AdminMode =
        ValidAdminMode(ini.ReadInteger(QStringLiteral("Server"), QStringLiteral("ServerAdmin"), 0));
    loc.NewUser = !QFileInfo::exists(settingsFolder + SettingsFileName);
}
} // namespace

TDataLocations& Locations() {
    static TDataLocations locations;
    return locations;
}

bool IsDataDirSwitch(const QString& argument) {
    const QString lower = argument.toLower();
    return lower == QLatin1String("/datadir") || lower == QLatin1String("--datadir");
}

void ResolveDataLocations(TResolveMode mode) {
    const bool prepare = mode == TResolveMode::Prepare;
    TDataLocations& loc = Locations();
    loc.RedirectOrigin.clear();
    loc.ParameterFolder.clear();
    loc.ServerFolder.clear();
    loc.NewUser = false;
    loc.ProgramFolder = FolderOf(ProcessEnvironment().ProgramFile());
    loc.LocalFolder = UserDataFolder(prepare);
    if (const QString dataDir = DataDirArgument(prepare); !dataDir.isEmpty()) {
        loc.LocalFolder = dataDir;
        loc.ParameterFolder = dataDir;
    }
    loc.AdminMode = 0;
    const QString redirect = ProgramFolderRedirect(loc.ProgramFolder, loc.AdminMode);
    if (!redirect.isEmpty()) {
        loc.RedirectOrigin = loc.ProgramFolder;
        loc.LocalFolder = redirect;
        return;
    }
    if (loc.AdminMode == 1)
        return;
    // Without preparing, the "/datadir" folder counts as made and a first-use location as set
    // up, with the program folder's settings file standing in for the copy it would receive.
    QString settingsFolder;
    const bool madeByProgram = !loc.ParameterFolder.isEmpty() ||
                               !ProcessEnvironment().HasEnvironmentValue(QStringLiteral("APPDATA"));
    const bool exists =
        FolderExists(loc.LocalFolder) || (!prepare && madeByProgram && !loc.LocalFolder.isEmpty());
    if (exists) {
        if (loc.ParameterFolder.isEmpty())
            loc.LocalFolder += ProductSubFolder;
        const bool firstUse = !QFileInfo::exists(loc.LocalFolder + DataFolderName);
        try {
            if (firstUse && prepare)
                PrepareFirstUse(loc.ProgramFolder, loc.LocalFolder);
        } catch (const EInOutError&) {
            loc.LocalFolder = loc.ProgramFolder;
        }
        if (firstUse && !prepare)
            settingsFolder = loc.ProgramFolder;
    } else {
        loc.LocalFolder = loc.ProgramFolder;
    }
    ReadServerSettings(loc, settingsFolder.isEmpty() ? loc.LocalFolder : settingsFolder);
}

bool CheckDataFolders() {
    const TDataLocations& loc = Locations();
    if (!loc.ServerFolder.isEmpty()) {
        QDir().mkpath(ServerDataPath());
        QDir().mkpath(ServerDataPath() + ExportFormatsFolderName);
    }
    QDir().mkpath(LocalExportFormatsPath());
    if (!loc.ServerFolder.isEmpty() && !QFileInfo(ServerDataPath()).isDir()) {
        ShowMessageBox(QStringLiteral("Server path \"") + loc.ServerFolder +
                           QStringLiteral("\" does not exist.") + QLatin1Char('\n') +
                           QStringLiteral("Using local data"),
                       TMsgKind::Warning, mbOK);
        return true;
    }
    if (!loc.ServerFolder.isEmpty() && IsServerAdministration()) {
        ShowMessageBox(QStringLiteral("Server administration setting does not allow a server path"),
                       TMsgKind::Error, mbOK);
        return false;
    }
    if (loc.ServerFolder.isEmpty() && HasAdminRights()) {
        ShowMessageBox(QStringLiteral("Remote server administration requires a server path"),
                       TMsgKind::Error, mbOK);
        return false;
    }
    return true;
}

bool IsServerAdministration() {
    return Locations().AdminMode == 1;
}
bool IsSingleUser() {
    return Locations().ServerFolder.isEmpty() && Locations().AdminMode == 0;
}
bool IsWorkGroup() {
    return !Locations().ServerFolder.isEmpty() && Locations().AdminMode != 1;
}
bool HasAdminRights() {
    return Locations().AdminMode == 2;
}
bool IsShared() {
    return !IsSingleUser();
}
bool MayEditAdminData() {
    return Locations().ServerFolder.isEmpty() || Locations().AdminMode != 0;
}

QString ModeName() {
    if (IsServerAdministration())
        return QStringLiteral("Server Administration");
    if (IsSingleUser())
        return QStringLiteral("Single-user");
    QString name = IsWorkGroup() ? QStringLiteral("Work Group") : QStringLiteral("Unknown");
    if (HasAdminRights())
        name += QStringLiteral(" (admin rights)");
    return name;
}

QString LocalDataPath() {
    return Locations().LocalFolder + DataFolderName;
}
QString ServerDataPath() {
    return Locations().ServerFolder + DataFolderName;
}
QString LocalExportFormatsPath() {
    return LocalDataPath() + ExportFormatsFolderName;
}

namespace {
QString SharedOrLocal(const QString& serverFolder, const QString& localFolder, bool& useLocal) {
    if (useLocal || Locations().ServerFolder.isEmpty())
        return localFolder;
    if (QFileInfo(serverFolder).isDir())
        return serverFolder;
    useLocal = true;
    return localFolder;
}
} // namespace

QString DataPath(bool& useLocal) {
    return SharedOrLocal(ServerDataPath(), LocalDataPath(), useLocal);
}

QString ExportFormatsPath(bool& useLocal) {
    return SharedOrLocal(ServerDataPath() + ExportFormatsFolderName, LocalExportFormatsPath(),
                         useLocal);
}

QString AdminSettingsFileName() {
    if (IsSingleUser() || IsServerAdministration())
        return Locations().LocalFolder + SettingsFileName;
    return Locations().ServerFolder + SettingsFileName;
}

QString PersonalSettingsFileName() {
    return Locations().LocalFolder + SettingsFileName;
}

namespace {
const QString* PersonalUserName = nullptr;
} // namespace

void SetPersonalUserName(const QString* name) {
    PersonalUserName = name;
}

QString CurrentUserName() {
    const QString name = PersonalUserName ? *PersonalUserName : QString();
    return name.isEmpty() ? LogonUserName() : name;
}

QString DataLocationsText(bool detailed) {
    const TDataLocations& loc = Locations();
    const QLatin1String crlf("\r\n");
    QString text = QStringLiteral("Local location: \"") + loc.LocalFolder + QLatin1Char('"') + crlf;
    if (!loc.ParameterFolder.isEmpty())
        text += QStringLiteral("Local location set by parameter: \"") + loc.ParameterFolder +
                QLatin1Char('"') + crlf;
    else if (detailed)
        text += QStringLiteral("Local location not set by parameter") + crlf;
    if (IsSingleUser() || IsServerAdministration())
        text += QStringLiteral("No server location") + crlf;
    else
        text += QStringLiteral("Server location: \"") + loc.ServerFolder + QLatin1Char('"') + crlf;
    if (!loc.RedirectOrigin.isEmpty())
        text += QStringLiteral("Server location set by redirection at: \"") + loc.RedirectOrigin +
                QLatin1Char('"') + crlf;
    else if (detailed)
        text += QStringLiteral("Server location not set by redirection") + crlf;
    return text;
}
