#pragma once

#include <QString>

// Where the program keeps its files and in which mode it works. Filled once by
// ResolveDataLocations before any window exists; constant afterwards except UseLocalData.
// Every folder value is absolute and ends with "/"; empty means none.
struct TDataLocations {
    QString ProgramFolder;     // folder of the running program file
    QString LocalFolder;       // the user's own settings file and time data
    QString ServerFolder;      // shared data of a work group; empty in single-user use
    QString RedirectOrigin;    // the program folder when its redirect took effect
    QString ParameterFolder;   // the folder given with "/datadir"
    int AdminMode = 0;         // "ServerAdmin": 0 none, 1 server administration, 2 admin rights
    bool NewUser = false;      // no settings file in LocalFolder at the end of the resolution
    bool UseLocalData = false; // set once the server's data folder was found missing
};

TDataLocations& Locations();

// The data folder's relative layout.
inline const QString SettingsFileName = QStringLiteral("QHR.ini");
inline const QString InfoFileName = QStringLiteral("QHR.inf");
inline const QString DataFolderName = QStringLiteral("Data/");
inline const QString ExportFormatsFolderName = QStringLiteral("_ExportFormats/");
// The shared lists and a user's in-use lists, in a data folder.
inline const QString ClientListFileName = QStringLiteral("ClientProject.txt");
inline const QString CategoryListFileName = QStringLiteral("CategoryActivity.txt");
inline const QString InUseClientListFileName = QStringLiteral("InUse_ClientProject.txt");
inline const QString InUseCategoryListFileName = QStringLiteral("InUse_CategoryActivity.txt");
// Appended to the per-user data folder (APPDATA) unless "/datadir" names the location.
inline const QString ProductSubFolder = QStringLiteral("Brackwater/Quillhour/");

// How far the resolution may change the disk. The program prepares its locations (creates
// the "/datadir" folder, sets up a first-use local folder); the command line tool only works
// out what the program would use and writes nothing.
enum class TResolveMode { Prepare, ReadOnly };

void ResolveDataLocations(TResolveMode mode = TResolveMode::Prepare);
// Creates missing data folders and reports mode conflicts; false means the program must stop.
bool CheckDataFolders();

bool IsServerAdministration();
bool IsSingleUser();
bool IsWorkGroup();
bool HasAdminRights();
bool IsShared();
bool MayEditAdminData();
QString ModeName();

QString LocalDataPath();
QString ServerDataPath();
// Folder of the shared lists: the server's data folder, or the local one when useLocal is set
// or the server's folder is missing (then useLocal becomes true).
QString DataPath(bool& useLocal);
QString LocalExportFormatsPath();
QString ExportFormatsPath(bool& useLocal);

QString AdminSettingsFileName();
QString PersonalSettingsFileName();

// The user name of the personal settings, or the logon name when that is empty.
QString CurrentUserName();
// Where the personal settings keep their user name; they tell once they exist (before that
// the name is empty), so that the data locations need not know the settings.
void SetPersonalUserName(const QString* name);

// True for the "/datadir" switch in either of its spellings ("/datadir", "--datadir").
bool IsDataDirSwitch(const QString& argument);

// Text lines, each ending with CR LF, stating the data locations.
QString DataLocationsText(bool detailed);
