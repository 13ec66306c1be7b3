#pragma once

#include "storage/values/moment.h"

#include <QString>

class TClients;
class TCategories;

// The in-use lists: the client/project and category/activity pairs that occur in a user's
// month files ("InUse_ClientProject.txt" and "InUse_CategoryActivity.txt" beside them). Every
// pair in them is active and has no billing.
//
// The main window keeps a flag telling that its own in-use lists may be out of date. It is
// set at start when InUseRebuildNeededAtStart says so, whenever saving a month wrote its file
// and when the set-up window has saved the shared lists; CheckInUseLists clears it when a
// report or export window opens.

// Rebuilds the lists from the month files of folder when that is needed and returns whether
// it was. With checkAge it is needed only when a month file is newer than the newer of the
// two in-use files (a missing one counts as older than anything), otherwise whenever the
// folder has a month file. Rebuilding empties both lists first unless keepExisting, then adds
// the pair of every month line, and sets lastEntry to the latest end of any line (the moment
// 0 when nothing was read). A line whose date or end cannot be read raises EDataLineError
// naming the file and the line; the lists are then incomplete.
bool RebuildInUseLists(const QString& folder, TClients& clients, TCategories& categories,
                       TMoment& lastEntry, bool keepExisting, bool checkAge);

// Writes both lists as the in-use files of folder, each whole through a temporary file;
// raises EInOutError when it cannot.
void SaveInUseLists(const QString& folder, const TClients& clients, const TCategories& categories);

// Rebuilds the in-use lists of folder when a month file is newer than them and then saves
// them; true when that happened.
bool UpdateInUseLists(const QString& folder, TClients& clients, TCategories& categories);

// At start the in-use lists need a rebuild when an administration list has entries while its
// in-use list has none.
bool InUseRebuildNeededAtStart(const TClients& clients, const TClients& inUseClients,
                               const TCategories& categories, const TCategories& inUseCategories);

// When a report or export window opens: while rebuildNeeded is set, the own in-use lists are
// brought up to date from LocalDataPath() (UpdateInUseLists) and the flag is cleared. A
// failure raises and leaves the flag set, so the next window tries again.
void CheckInUseLists(bool& rebuildNeeded, TClients& ownClients, TCategories& ownCategories);
