#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// A save writes a hidden temporary file beside its target (TemporarySavePrefix, atomicfile.h)
// and renames it over the target at the end; a save that was killed before the rename leaves
// the temporary file behind. These find and remove such files once they are older than a
// minute (a younger one may be another workstation's save in progress). Only names that this
// program alone makes count: a name that people also use ("notes.txt.backup") is never taken
// for one of ours.
QStringList StaleTemporaryFiles(const QString& folder,
                                const QDateTime& now = QDateTime::currentDateTime());
// Removes the stale temporary files of folder; to be called for the program's own data
// folders only, never for a folder the user chose for a report or an export.
void RemoveStaleTemporaryFiles(const QString& folder);
// The program's own data folders of this workstation: the data location, its data and export
// format folders and, in a work group, this user's backup folder and the shared folders.
QStringList OwnDataFolders();
