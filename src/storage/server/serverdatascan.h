#pragma once

#include "storage/values/moment.h"
#include "storage/values/packeddatetime.h"

#include <vector>

#include <QString>
#include <QStringList>

class IScanProgress;
class TCategories;
class TClients;

// The heading of the progress shown while users' in-use lists are rebuilt.
inline const QString ScanningServerDataText = QStringLiteral("Scanning server data for...");

// A user with time data on the server: the user's folder there and the latest entry.
struct TServerUser {
    QString Folder; // ends with "/"; its last part is the user name
    TPackedDateTime LastEntry = 0;

    QString Name() const;
    TMoment LastEntryMoment() const { return UnpackDateTime(LastEntry); }
    bool operator==(const TServerUser&) const = default;
};
using TServerUsers = std::vector<TServerUser>;

// Finds the users of a work group in the server's data folder, each with the latest entry,
// and merges their in-use lists, for the report and export windows and the set-up window.
// A user folder with both in-use files costs little: the lists are read and only the newest
// month files, until one has an entry. A folder without them is rebuilt from all its month
// files (RebuildInUseLists) under a progress, and its in-use files are written (unless
// WriteInUseFiles is off); once a cancel is asked for, every further folder that would need
// that is skipped and its user not listed.
class TServerDataScan {
public:
    // The own in-use lists stand in for the server's when no user folder is found; the
    // progress may be none.
    TServerDataScan(const TClients& ownClients, const TCategories& ownCategories,
                    IScanProgress* progress = nullptr);

    // Off for a scan that must write nothing (the command line tool): folders without in-use
    // files are still read in full, but their lists are not written.
    bool WriteInUseFiles = true;

    // Empties users, then lists every user folder with an entry, in folder order, and adds
    // the users' in-use pairs to clients and categories. Outside Work Group mode, with the
    // server's data folder missing, or without any user folder, clients and categories become
    // copies of the own in-use lists. A month line that cannot be read, a list file that
    // cannot be read and a failed write end the scan with their EInOutError.
    void Run(TServerUsers& users, TClients& clients, TCategories& categories);

private:
    void ScanUser(const QString& folder, TServerUsers& users, TClients& clients,
                  TCategories& categories);
    // False when the user was skipped after a cancel.
    bool RebuildUser(const QString& folder, TClients& clients, TCategories& categories,
                     TMoment& lastEntry);

    const TClients& FOwnClients;
    const TCategories& FOwnCategories;
    IScanProgress* FProgress;
    bool FStarted = false;
    bool FCancelled = false;
};

// TServerDataScan::Run with a progress and the in-use files written.
void ScanServerData(TServerUsers& users, TClients& clients, TCategories& categories,
                    const TClients& ownClients, const TCategories& ownCategories,
                    IScanProgress* progress = nullptr);

// The names of the user folders in the server's data folder root, in the order the scan visits
// them (by name, letter case ignored): plain folders only, so neither "_ExportFormats" nor
// hidden folders nor links.
QStringList ServerUserFolderNames(const QString& root);

// The latest entry of the month files of folder, reading from the newest month backwards
// until a month has an entry; the moment 0 when none has. A line that cannot be read raises
// EDataLineError.
TMoment NewestEntryMoment(const QString& folder);
