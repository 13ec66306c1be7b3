#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// A save writes a temporary copy beside its file ("2024-03.txt.YinOKW") and renames it over
// the file at the end; a save that was killed before the rename leaves the copy behind. These
// find and remove such copies of our own data files (".txt" and ".ini"), once they are older
// than a minute: a younger one may be another workstation's save in progress.
QStringList StaleTemporaryFiles(const QString& folder,
                                const QDateTime& now = QDateTime::currentDateTime());
// Removes the stale copies of folder the first time the program writes there in a run.
void RemoveStaleTemporaryFilesOnce(const QString& folder);
// Forgets which folders were cleaned (for tests).
void ForgetCleanedFolders();
